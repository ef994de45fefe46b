#include "cli/Report.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>

namespace {

bool visibleIn(Field::Show show, Format format)
{
    switch (show) {
    case Field::Show::Everywhere:
        return true;
    case Field::Show::TextOnly:
        return format == Format::Text || format == Format::Tsv;
    case Field::Show::DataOnly:
        return format == Format::Json || format == Format::Csv;
    case Field::Show::CsvOnly:
        return format == Format::Csv;
    }
    return false;
}

bool visibleIn(const Field& field, Format format)
{
    return visibleIn(field.show, format);
}

// Addresses, numbers and captions need no escaping in JSON; anything else
// goes through the JSON library.
bool plainJson(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u < 0x80 && c != '"' && c != '\\';
    });
}

bool plainCsv(std::string_view text)
{
    return text.find_first_of(",\"\r\n") == std::string_view::npos;
}

// CSV says true and false as JSON does, and nothing for a null.
std::string_view csvText(const Value& value)
{
    if (value.kind == Value::Kind::Boolean)
        return value.flag ? "true" : "false";
    return value.text;
}

std::vector<const Field*> fieldsIn(const Record& record, Format format)
{
    std::vector<const Field*> fields;
    for (const Section& section : record)
        for (const Field& field : section.fields)
            if (visibleIn(field, format))
                fields.push_back(&field);
    return fields;
}

} // namespace

void Report::writeJsonString(std::string_view text)
{
    if (plainJson(text)) {
        FOut.Write('"');
        FOut.Write(text);
        FOut.Write('"');
    } else {
        // Text that is no UTF-8 (a name read from a file) is shown, not refused.
        FOut.Write(nlohmann::json(std::string(text))
                       .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    }
}

void Report::writeJsonValue(const Value& value)
{
    switch (value.kind) {
    case Value::Kind::Text:
    case Value::Kind::Count:
        writeJsonString(value.text);
        break;
    case Value::Kind::Integer:
        FOut.Write(value.text);
        break;
    case Value::Kind::Boolean:
        FOut.Write(value.flag ? "true" : "false");
        break;
    case Value::Kind::Null:
        FOut.Write("null");
        break;
    }
}

void Report::writeCsvCell(std::string_view text)
{
    if (plainCsv(text)) {
        FOut.Write(text);
        return;
    }
    FOut.Write('"');
    for (char c : text) {
        if (c == '"')
            FOut.Write('"');
        FOut.Write(c);
    }
    FOut.Write('"');
}

void Report::writeFieldsText(const Record& record)
{
    // Fields under a title are indented; all values line up.
    const auto indentOf = [](const Section& section) { return section.title.empty() ? 0 : 2; };
    const auto shown = [](const Field& field) {
        return visibleIn(field, Format::Text) && field.value.kind != Value::Kind::Null;
    };
    size_t width = 0;
    for (const Section& section : record)
        for (const Field& field : section.fields)
            if (shown(field))
                width = std::max(width, indentOf(section) + field.caption.size());
    for (const Section& section : record) {
        const size_t indent = size_t(indentOf(section));
        if (!section.title.empty()) {
            FOut.Write(section.title);
            FOut.Write('\n');
        }
        for (const Field& field : section.fields) {
            if (!shown(field))
                continue;
            FOut.Repeat(' ', indent);
            FOut.Write(field.caption);
            FOut.Repeat(' ', width - indent - field.caption.size() + 2);
            FOut.Write(field.value.text);
            FOut.Write('\n');
        }
    }
}

void Report::writeFieldsJson(const Record& record, const char* indent, bool more)
{
    const std::vector<const Field*> fields = fieldsIn(record, Format::Json);
    for (size_t i = 0; i < fields.size(); ++i) {
        FOut.Write(indent);
        writeJsonString(fields[i]->key);
        FOut.Write(": ");
        writeJsonValue(fields[i]->value);
        FOut.Write(i + 1 < fields.size() || more ? ",\n" : "\n");
    }
}

void Report::WriteRecord(const Record& record)
{
    BeginRecords({}, true);
    AddRecord(record);
    EndRecords();
}

void Report::BeginRecords(std::vector<std::string> keys, bool single)
{
    FKeys = std::move(keys);
    FSingle = single;
    FRows = 0;
}

void Report::AddRecord(const Record& record)
{
    switch (FFormat) {
    case Format::Text:
        if (FRows > 0)
            FOut.Write('\n');
        writeFieldsText(record);
        break;
    case Format::Json:
        if (FSingle) {
            FOut.Write("{\n");
            writeFieldsJson(record, "  ", false);
            FOut.Write("}\n");
        } else {
            FOut.Write(FRows == 0 ? "[\n  {\n" : ",\n  {\n");
            writeFieldsJson(record, "    ", false);
            FOut.Write("  }");
        }
        break;
    case Format::Csv:
    case Format::Tsv: {
        const std::vector<const Field*> fields = fieldsIn(record, Format::Csv);
        if (FKeys.empty()) {
            for (const Field* field : fields)
                FKeys.push_back(field->key);
        }
        if (FRows == 0) {
            for (size_t i = 0; i < FKeys.size(); ++i) {
                if (i > 0)
                    FOut.Write(',');
                writeCsvCell(FKeys[i]);
            }
            FOut.Write('\n');
        }
        for (size_t i = 0; i < FKeys.size(); ++i) {
            if (i > 0)
                FOut.Write(',');
            const auto field = std::find_if(fields.begin(), fields.end(),
                                            [&](const Field* f) { return f->key == FKeys[i]; });
            if (field != fields.end())
                writeCsvCell(csvText((*field)->value));
        }
        FOut.Write('\n');
        break;
    }
    }
    ++FRows;
}

void Report::EndRecords()
{
    if (FFormat == Format::Json && !FSingle)
        FOut.Write(FRows == 0 ? "[]\n" : "\n]\n");
}

void Report::BeginTable(const Record& record, std::string name, std::vector<Column> columns,
                        TableStyle style)
{
    FColumns = std::move(columns);
    FStyle = style;
    FShown.clear();
    for (size_t i = 0; i < FColumns.size(); ++i)
        if (visibleIn(FColumns[i].show, FFormat))
            FShown.push_back(i);
    FRows = 0;
    switch (FFormat) {
    case Format::Text:
        if (!record.empty()) {
            writeFieldsText(record);
            FOut.Write('\n');
        }
        if (style.text == TableStyle::Text::Lines)
            break;
        for (size_t n = 0; n < FShown.size(); ++n) {
            Column& column = FColumns[FShown[n]];
            column.width = std::max(column.width, column.header.size());
            padded(column.header, column.width, column.rightAligned, n + 1 == FShown.size());
        }
        FOut.Write('\n');
        break;
    case Format::Json:
        if (style.json == TableStyle::Json::Array) {
            FOut.Write('[');
        } else {
            FOut.Write("{\n");
            writeFieldsJson(record, "  ", true);
            FOut.Write("  ");
            writeJsonString(name);
            FOut.Write(": [");
        }
        FJsonKeys.assign(FColumns.size(), std::string());
        for (size_t i : FShown)
            FJsonKeys[i] = nlohmann::json(FColumns[i].key).dump() + ": ";
        break;
    case Format::Csv:
    case Format::Tsv:
        for (size_t n = 0; n < FShown.size(); ++n) {
            const Column& column = FColumns[FShown[n]];
            if (n > 0)
                FOut.Write(FFormat == Format::Csv ? ',' : '\t');
            if (FFormat == Format::Csv)
                writeCsvCell(column.key);
            else
                FOut.Write(column.header);
        }
        FOut.Write(FFormat == Format::Csv ? "\n" : "\r\n");
        break;
    }
}

void Report::padded(std::string_view text, size_t width, bool right, bool last)
{
    const size_t pad = width > text.size() ? width - text.size() : 0;
    const size_t room = pad + text.size() + 2;
    if (room > Output::MaxReserve) {
        // A cell longer than the reserve (a name of thousands of
        // characters) goes out in pieces.
        if (right)
            FOut.Repeat(' ', pad);
        FOut.Write(text);
        if (!last)
            FOut.Repeat(' ', (right ? 0 : pad) + 2);
        return;
    }
    char* out = FOut.Reserve(room);
    if (right) {
        std::fill(out, out + pad, ' ');
        out += pad;
    }
    std::copy(text.begin(), text.end(), out);
    out += text.size();
    if (!last) {
        if (!right) {
            std::fill(out, out + pad, ' ');
            out += pad;
        }
        *out++ = ' ';
        *out++ = ' ';
    }
    FOut.Commit(out);
}

void Report::Row(const Cell* cells)
{
    const size_t shown = FShown.size();
    switch (FFormat) {
    case Format::Text:
        for (size_t n = 0; n < shown; ++n) {
            const Column& column = FColumns[FShown[n]];
            if (FStyle.text == TableStyle::Text::Lines) {
                if (n > 0)
                    FOut.Write(' ');
                FOut.Write(cells[FShown[n]].text);
            } else {
                padded(cells[FShown[n]].text, column.width, column.rightAligned, n + 1 == shown);
            }
        }
        FOut.Write('\n');
        break;
    case Format::Json: {
        const bool array = FStyle.rowsAsArrays;
        const char* indent = FStyle.json == TableStyle::Json::Array ? "\n  " : "\n    ";
        FOut.Write(FRows == 0 ? "" : ",");
        FOut.Write(indent);
        FOut.Write(array ? '[' : '{');
        for (size_t n = 0; n < shown; ++n) {
            const Cell& cell = cells[FShown[n]];
            if (n > 0)
                FOut.Write(", ");
            if (!array)
                FOut.Write(FJsonKeys[FShown[n]]);
            if (cell.null)
                FOut.Write("null");
            else if (cell.number)
                FOut.Write(cell.text);
            else
                writeJsonString(cell.text);
        }
        FOut.Write(array ? ']' : '}');
        break;
    }
    case Format::Csv:
        for (size_t n = 0; n < shown; ++n) {
            if (n > 0)
                FOut.Write(',');
            if (!cells[FShown[n]].null)
                writeCsvCell(cells[FShown[n]].text);
        }
        FOut.Write('\n');
        break;
    case Format::Tsv:
        for (size_t n = 0; n < shown; ++n) {
            if (n > 0)
                FOut.Write('\t');
            FOut.Write(cells[FShown[n]].text);
        }
        FOut.Write("\r\n");
        break;
    }
    ++FRows;
}

void Report::NextPart(const std::string& name)
{
    if (FFormat != Format::Json)
        return;
    FOut.Write(FRows == 0 ? "],\n  " : "\n  ],\n  ");
    writeJsonString(name);
    FOut.Write(": [");
    FRows = 0;
}

void Report::EndTable(uint64_t listed, const Value& total, bool limited,
                      const std::string& itemName)
{
    const std::string note = "listed " + std::to_string(listed) + " of " + total.text + " " +
                             itemName + ": --limit cut the list";
    switch (FFormat) {
    case Format::Text:
        if (limited)
            FOut.Write("(" + note + ")\n");
        break;
    case Format::Json:
        if (FStyle.json == TableStyle::Json::Array) {
            FOut.Write(FRows == 0 ? "]\n" : "\n]\n");
            break;
        }
        if (FStyle.json == TableStyle::Json::Parts) {
            FOut.Write(FRows == 0 ? "]\n}\n" : "\n  ]\n}\n");
            break;
        }
        FOut.Write(FRows == 0 ? "],\n" : "\n  ],\n");
        FOut.Write("  \"listed\": " + std::to_string(listed) + ",\n");
        // A total can pass 2^53 (the subnets of an IPv6 network), so it is
        // always a string of digits.
        FOut.Write("  \"total\": ");
        writeJsonString(total.text);
        FOut.Write(std::string(",\n  \"limited\": ") + (limited ? "true" : "false") + "\n}\n");
        break;
    case Format::Csv:
    case Format::Tsv:
        // The table stays a table: the note goes beside it, after it.
        if (limited) {
            FOut.Flush();
            std::fprintf(stderr, "zentrix-cli: %s\n", note.c_str());
        }
        break;
    }
}

void Report::Gap()
{
    if (FFormat == Format::Text)
        FOut.Write('\n');
    else if (FFormat == Format::Tsv)
        FOut.Write("\r\n");
}
