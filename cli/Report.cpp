#include "cli/Report.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>

namespace {

bool visibleIn(Field::Show show, Format format)
{
    if (format == Format::Text || format == Format::Tsv)
        return show != Field::Show::DataOnly;
    return show != Field::Show::TextOnly;
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

} // namespace

void Report::writeJsonString(std::string_view text)
{
    if (plainJson(text)) {
        FOut.Write('"');
        FOut.Write(text);
        FOut.Write('"');
    } else {
        FOut.Write(nlohmann::json(std::string(text)).dump());
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
    size_t width = 0;
    for (const Section& section : record)
        for (const Field& field : section.fields)
            if (visibleIn(field, Format::Text))
                width = std::max(width, indentOf(section) + field.caption.size());
    for (const Section& section : record) {
        const std::string indent(indentOf(section), ' ');
        if (!section.title.empty()) {
            FOut.Write(section.title);
            FOut.Write('\n');
        }
        for (const Field& field : section.fields) {
            if (!visibleIn(field, Format::Text))
                continue;
            FOut.Write(indent);
            FOut.Write(field.caption);
            FOut.Write(std::string(width - indent.size() - field.caption.size() + 2, ' '));
            FOut.Write(field.value.text);
            FOut.Write('\n');
        }
    }
}

void Report::writeFieldsJson(const Record& record, bool more)
{
    std::vector<const Field*> fields;
    for (const Section& section : record)
        for (const Field& field : section.fields)
            if (visibleIn(field, Format::Json))
                fields.push_back(&field);
    FOut.Write("{\n");
    for (size_t i = 0; i < fields.size(); ++i) {
        FOut.Write("  ");
        writeJsonString(fields[i]->key);
        FOut.Write(": ");
        writeJsonValue(fields[i]->value);
        FOut.Write(i + 1 < fields.size() || more ? ",\n" : "\n");
    }
}

void Report::WriteRecord(const Record& record)
{
    switch (FFormat) {
    case Format::Text:
        writeFieldsText(record);
        break;
    case Format::Json:
        writeFieldsJson(record, false);
        FOut.Write("}\n");
        break;
    case Format::Csv:
    case Format::Tsv: {
        std::vector<const Field*> fields;
        for (const Section& section : record)
            for (const Field& field : section.fields)
                if (visibleIn(field, Format::Csv))
                    fields.push_back(&field);
        for (int line = 0; line < 2; ++line) {
            for (size_t i = 0; i < fields.size(); ++i) {
                if (i > 0)
                    FOut.Write(',');
                writeCsvCell(line == 0 ? fields[i]->key : fields[i]->value.text);
            }
            FOut.Write('\n');
        }
        break;
    }
    }
}

void Report::BeginTable(const Record& record, std::string name, std::vector<Column> columns)
{
    FColumns = std::move(columns);
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
        for (size_t n = 0; n < FShown.size(); ++n) {
            Column& column = FColumns[FShown[n]];
            column.width = std::max(column.width, column.header.size());
            padded(column.header, column.width, column.rightAligned, n + 1 == FShown.size());
        }
        FOut.Write('\n');
        break;
    case Format::Json:
        writeFieldsJson(record, true);
        FOut.Write("  ");
        writeJsonString(name);
        FOut.Write(": [");
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
    char* out = FOut.Reserve(width + text.size() + 2);
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
            padded(cells[FShown[n]].text, column.width, column.rightAligned, n + 1 == shown);
        }
        FOut.Write('\n');
        break;
    case Format::Json:
        FOut.Write(FRows == 0 ? "\n    {" : ",\n    {");
        for (size_t n = 0; n < shown; ++n) {
            const Cell& cell = cells[FShown[n]];
            if (n > 0)
                FOut.Write(", ");
            FOut.Write(FJsonKeys[FShown[n]]);
            if (cell.number)
                FOut.Write(cell.text);
            else
                writeJsonString(cell.text);
        }
        FOut.Write('}');
        break;
    case Format::Csv:
        for (size_t n = 0; n < shown; ++n) {
            if (n > 0)
                FOut.Write(',');
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
        FOut.Write(FRows == 0 ? "],\n" : "\n  ],\n");
        FOut.Write("  \"listed\": " + std::to_string(listed) + ",\n");
        FOut.Write("  \"total\": ");
        writeJsonValue(total);
        FOut.Write(std::string(",\n  \"limited\": ") + (limited ? "true" : "false") + "\n}\n");
        break;
    case Format::Csv:
    case Format::Tsv:
        // The table stays a table: the note goes beside it.
        if (limited)
            std::fprintf(stderr, "zentrix-cli: %s\n", note.c_str());
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
