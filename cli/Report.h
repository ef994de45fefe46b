#pragma once

#include "cli/Output.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How every command shows its results. A command describes them once, as a
// record of named fields and at most one table of rows (text and TSV may
// hold several tables one after the other, with Gap between them), and the
// format chosen on the command line decides how they look:
//
//   text   fields as "caption   value" lines under their section titles,
//          then the table with aligned columns (for people)
//   json   one document: the fields as keys with typed values, the table as
//          an array of objects under its name, then "listed", "total" and
//          "limited"
//   csv    the table with a header row of field names, one column per
//          field; a command without a table gives its record as one row
//   tsv    the window's own copy of its table: tab-separated, CR LF, with
//          the window's header texts
//
// Rows are written as they come, so a table of any length takes no memory.

enum class Format
{
    Text,
    Json,
    Csv,
    Tsv,
};

// A typed value. A Count is a number that may pass 64 bits (IPv6 address
// and subnet counts): JSON gives it as a string of decimal digits, always,
// so that no reader rounds it and the field keeps one type.
struct Value
{
    enum class Kind
    {
        Text,
        Integer,
        Count,
        Boolean,
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
};

struct Field
{
    enum class Show
    {
        Everywhere,
        TextOnly, // the window's combined texts, e.g. "a  -  b"
        DataOnly, // their parts, for JSON and CSV
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
// is used before the next row.
struct Cell
{
    std::string_view text;
    bool number = false; // a JSON number rather than a string
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

class Report
{
public:
    Report(Output& out, Format format) : FOut(out), FFormat(format) {}

    Format format() const { return FFormat; }

    // A document with a record and no table.
    void WriteRecord(const Record& record);

    // A document with a record (possibly empty) and one streamed table.
    void BeginTable(const Record& record, std::string name, std::vector<Column> columns);
    void Row(const Cell* cells);
    // `total` is the count the table would have without a limit; a limit
    // that cut it is reported in the format's own way.
    void EndTable(uint64_t listed, const Value& total, bool limited, const std::string& itemName);

    // Text and TSV only: an empty line between two tables of one document.
    void Gap();

private:
    void writeFieldsText(const Record& record);
    void writeFieldsJson(const Record& record, bool more);
    void writeJsonValue(const Value& value);
    void writeJsonString(std::string_view text);
    void writeCsvCell(std::string_view text);
    void padded(std::string_view text, size_t width, bool right, bool last);

    Output& FOut;
    Format FFormat;
    std::vector<Column> FColumns;
    std::vector<size_t> FShown;         // indexes of the columns this format shows
    std::vector<std::string> FJsonKeys; // "\"key\":" per column
    uint64_t FRows = 0;
};
