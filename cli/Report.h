#pragma once

#include "cli/Output.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How every command shows its results. A command describes them once, as
// records of named fields or as a table of rows, and the format chosen on
// the command line decides how they look:
//
//   text   fields as "caption   value" lines under their section titles,
//          a blank line between records; tables with aligned columns under
//          their headers, or as plain lines (for people)
//   json   one document: a record as an object of typed values, several as
//          an array of them; a table as an array of objects under its name,
//          then "listed", "total" and "limited"
//   csv    a header row of field names, one column per field, then one row
//          per record or table row
//   tsv    the window's own copy of its table: tab-separated, CR LF, with
//          the window's header texts
//
// Rows are written as they come, so a table of any length takes no memory.
// One key has one type everywhere: a count that can pass 2^53 (Count) is
// always a string of decimal digits, other numbers are numbers.

enum class Format
{
    Text,
    Json,
    Csv,
    Tsv,
};

// A typed value. A Count is a number that may pass 2^53 (address counts,
// 64-bit values): JSON gives it as a string of decimal digits, always, so
// that no reader rounds it and the field keeps one type. Null is a field
// that does not exist for this item (the broadcast address of a /31): JSON
// null, an empty CSV cell, no line of text.
struct Value
{
    enum class Kind
    {
        Text,
        Integer,
        Count,
        Boolean,
        Null,
    };
    Kind kind = Kind::Text;
    std::string text; // the shown form of every kind
    bool flag = false;

    static Value Of(std::string text) { return {Kind::Text, std::move(text), false}; }
    static Value Integer(int64_t number) { return {Kind::Integer, std::to_string(number), false}; }
    static Value Count(std::string digits) { return {Kind::Count, std::move(digits), false}; }
    static Value Flag(bool value, std::string shown)
    {
        return {Kind::Boolean, std::move(shown), value};
    }
    static Value Null() { return {Kind::Null, std::string(), false}; }
};

struct Field
{
    enum class Show
    {
        Everywhere,
        TextOnly, // the window's combined texts, e.g. "a  -  b"
        DataOnly, // their parts, for JSON and CSV
        CsvOnly,  // what JSON says by its shape instead
    };
    std::string key;     // JSON and CSV name
    std::string caption; // text caption
    Value value;
    Show show = Show::Everywhere;
};

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
    // TextOnly columns show in text and TSV, DataOnly ones in JSON and CSV.
    Field::Show show = Field::Show::Everywhere;
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
        Parts,   // {"name": [...], "next": [...]}: see NextPart
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

    // A document with a record and no table.
    void WriteRecord(const Record& record);

    // A document of records of the same kind: one object (`single`) or an
    // array of them in JSON, blocks of lines in text, and in CSV rows under
    // the header `keys` (a record lacking a key leaves its cell empty).
    void BeginRecords(std::vector<std::string> keys, bool single);
    void AddRecord(const Record& record);
    void EndRecords();

    // A document with a record (possibly empty) and one streamed table.
    void BeginTable(const Record& record, std::string name, std::vector<Column> columns,
                    TableStyle style = {});
    void Row(const Cell* cells);
    // Json::Parts: the rows that follow go in an array of this name.
    void NextPart(const std::string& name);
    // `total` is the count the table would have without a limit; a limit
    // that cut it is reported in the format's own way.
    void EndTable(uint64_t listed, const Value& total, bool limited, const std::string& itemName);

    // Text and TSV only: an empty line between two tables of one document.
    void Gap();

private:
    void writeFieldsText(const Record& record);
    void writeFieldsJson(const Record& record, const char* indent, bool more);
    void writeJsonValue(const Value& value);
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
    bool FSingle = false;
    uint64_t FRows = 0;
};
