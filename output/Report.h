#pragma once

#include "output/Output.h"
#include "output/Value.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The one writer of Zentrix's results: every zentrix-cli command and the
// planner window's copies and exports describe what they show once, as
// records of named fields or as tables of rows, and the format chosen
// decides how it looks:
//
//   text        fields as "caption   value" lines under their section
//               titles, a blank line between records; tables with aligned
//               columns under their headers, or as plain lines (for people)
//   json        one document: a record as an object of typed values,
//               several as an array of them; a table as an array of objects
//               under its name, then "listed", "total" and "limited"
//   json lines  one object per line, written as each record or row is done:
//               the rows CSV has, with JSON's types; nothing else
//   csv         a header row of field names, then one row per record or
//               table row; RFC 4180 quoting, LF line ends
//   tsv         the window's own copy of its table: tab-separated, CR LF,
//               with the window's header texts
//   plain       a table's one `plain` column alone, a line per row, no
//               header (networks for pipes into other tools)
//
// Rows are written as they come, so a table of any length takes no memory.
// One key has one type everywhere; a value that does not exist for an item
// is Value::null(), never a missing key.
//
// A new command, in short:
//
//   Report& report = ...;                 // given by the command line
//   report.writeRecord({{"", {{"width", "Width", Value::integer(32)},
//                             {"note", "Note", Value::null()}}}});
//
//   report.beginTable({}, "blocks", {{"network", "Network", 18},
//                                    {"addresses", "Addresses", 9, true}});
//   const Cell cells[] = {{"10.0.0.0/24"}, {"256", true}};
//   report.row(cells);                    // once per row, as it is made
//   report.endTable(1, Value::count("1"), false, "blocks");
//
//   report.beginRecords(keys, single);    // the facts of several items
//   report.addRecord(record);             // once per item
//   report.endRecords();

enum class Format
{
    Text,
    Json,
    JsonLines,
    Csv,
    Tsv,
    Plain,
};

// The sections of a record; a section with a title is indented under it in
// text, and is no level of its own in the data formats.
struct Section
{
    std::string title; // empty: fields without a heading
    std::vector<Field> fields;
};

using Record = std::vector<Section>;

// One cell of a streamed row; the text points into the caller's buffer and
// is used before the next row. A null cell shows its text to people (such
// as "-"), and is null in JSON and empty in CSV.
struct Cell
{
    std::string_view text;
    bool number = false; // a JSON number rather than a string
    bool null = false;
};

struct Column
{
    std::string key;    // JSON and CSV name
    std::string header; // text and TSV header
    size_t width = 0;   // text: at least this wide (the widest value)
    bool rightAligned = false;
    // TextOnly columns show in text and TSV, DataOnly ones in JSON, JSON
    // lines and CSV, CsvOnly ones in CSV and JSON lines.
    Field::Show show = Field::Show::Everywhere;
    bool plain = false; // the column a plain list shows
};

// The shapes a table takes beyond the usual.
struct TableStyle
{
    enum class Text
    {
        Aligned, // a header, then columns padded to their widths
        Lines,   // the cells of a row on one line, one blank apart
    };
    enum class Json
    {
        Counted, // {record..., "name": [...], "listed", "total", "limited"}
        Array,   // [...]
        Parts,   // {"name": [...], "next": [...]}: see nextPart
        Single,  // the one row as the document's object: one item asked about
    };
    Text text = Text::Aligned;
    Json json = Json::Counted;
    bool rowsAsArrays = false; // JSON: ["a", "b"] rather than {"x": "a", ...}
};

class Report
{
public:
    Report(Output& out, Format format) : FOut(out), FFormat(format) {}

    Format format() const { return FFormat; }
    // JSON, JSON lines and CSV: the formats for programs.
    bool dataFormat() const;

    // A document with a record and no table.
    void writeRecord(const Record& record);

    // A document of records of the same kind: one object (`single`) or an
    // array of them in JSON, blocks of lines in text, and in CSV rows under
    // the header `keys` (a record lacking a key leaves its cell empty).
    void beginRecords(std::vector<std::string> keys, bool single);
    void addRecord(const Record& record);
    void endRecords();

    // A document with a record (possibly empty) and one streamed table.
    void beginTable(const Record& record, std::string name, std::vector<Column> columns,
                    TableStyle style = {});
    void row(const Cell* cells);
    // Json::Parts: the rows that follow go in an array of this name.
    void nextPart(const std::string& name);
    // `total` is the count the table would have without a limit; a limit
    // that cut it is reported in the format's own way (a line of text, JSON
    // members, a note on standard error beside CSV, TSV and plain lists).
    void endTable(uint64_t listed, const Value& total, bool limited, const std::string& itemName);

    // Text and TSV only: an empty line between two tables of one document.
    void gap();

private:
    void writeFieldsText(const Record& record);
    void writeFieldsJson(const Record& record, unsigned indent, bool more);
    void writeObjectLine(const Record& record);
    void writeJsonValue(const Value& value, unsigned indent);
    void writeJsonString(std::string_view text);
    void writeCsvCell(std::string_view text);
    void padded(std::string_view text, size_t width, bool right, bool last);

    Output& FOut;
    Format FFormat;
    std::vector<Column> FColumns;
    TableStyle FStyle;
    std::vector<size_t> FShown;         // indexes of the columns this format shows
    std::vector<std::string> FJsonKeys; // "\"key\": " per column
    std::vector<std::string> FKeys;     // the CSV columns of a list of records
    std::string FScratch;               // escaped text on its way out
    bool FSingle = false;
    uint64_t FRows = 0;
};
