#include "output/Report.h"

#include "output/JsonText.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

bool visibleIn(Field::Show show, Format format)
{
    switch (show) {
    case Field::Show::Everywhere:
        return true;
    case Field::Show::TextOnly:
        return format == Format::Text || format == Format::Tsv || format == Format::Plain;
    case Field::Show::DataOnly:
        return format == Format::Json || format == Format::JsonLines || format == Format::Csv;
    case Field::Show::CsvOnly:
        return format == Format::Csv || format == Format::JsonLines;
    }
    return false;
}

bool visibleIn(const Field& field, Format format)
{
    return visibleIn(field.show, format);
}

bool plainCsv(std::string_view text)
{
    return text.find_first_of(",\"\r\n") == std::string_view::npos;
}

// CSV says true and false as JSON does, and nothing for a null or a nested
// value.
std::string_view csvText(const Value& value)
{
    if (value.kind == Value::Kind::Boolean)
        return value.truth ? "true" : "false";
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

// The note beside a table that --limit cut: standard error, so that the
// table stays what it says it is.
void noteLimit(Output& out, const std::string& note)
{
    out.flush();
    std::fprintf(stderr, "zentrix-cli: %s\n", note.c_str());
}

} // namespace

bool Report::dataFormat() const
{
    return FFormat == Format::Json || FFormat == Format::JsonLines || FFormat == Format::Csv;
}

void Report::writeJsonString(std::string_view text)
{
    if (jsontext::plain(text)) {
        FOut.write('"');
        FOut.write(text);
        FOut.write('"');
        return;
    }
    FScratch.clear();
    jsontext::appendString(FScratch, text);
    FOut.write(FScratch);
}

void Report::writeJsonValue(const Value& value, unsigned indent)
{
    switch (value.kind) {
    case Value::Kind::Text:
    case Value::Kind::Count:
        writeJsonString(value.text);
        return;
    case Value::Kind::Number:
        FOut.write(value.text);
        return;
    default:
        break;
    }
    FScratch.clear();
    jsontext::appendValue(FScratch, value, indent, FFormat == Format::JsonLines);
    FOut.write(FScratch);
}

void Report::writeCsvCell(std::string_view text)
{
    if (plainCsv(text)) {
        FOut.write(text);
        return;
    }
    FOut.write('"');
    for (char c : text) {
        if (c == '"')
            FOut.write('"');
        FOut.write(c);
    }
    FOut.write('"');
}

void Report::writeFieldsText(const Record& record)
{
    // Fields under a title are indented; all values line up.
    const auto indentOf = [](const Section& section) { return section.title.empty() ? 0 : 2; };
    const auto shown = [](const Field& field) {
        return visibleIn(field, Format::Text) && field.value.kind != Value::Kind::Null &&
               !field.value.nested();
    };
    size_t width = 0;
    for (const Section& section : record)
        for (const Field& field : section.fields)
            if (shown(field))
                width = std::max(width, indentOf(section) + field.caption.size());
    for (const Section& section : record) {
        const size_t indent = size_t(indentOf(section));
        if (!section.title.empty()) {
            FOut.write(section.title);
            FOut.write('\n');
        }
        for (const Field& field : section.fields) {
            if (!shown(field))
                continue;
            FOut.repeat(' ', indent);
            FOut.write(field.caption);
            FOut.repeat(' ', width - indent - field.caption.size() + 2);
            FOut.write(field.value.text);
            FOut.write('\n');
        }
    }
}

void Report::writeFieldsJson(const Record& record, unsigned indent, bool more)
{
    const std::vector<const Field*> fields = fieldsIn(record, Format::Json);
    for (size_t i = 0; i < fields.size(); ++i) {
        FOut.repeat(' ', indent);
        writeJsonString(fields[i]->key);
        FOut.write(": ");
        writeJsonValue(fields[i]->value, indent);
        FOut.write(i + 1 < fields.size() || more ? ",\n" : "\n");
    }
}

void Report::writeObjectLine(const Record& record)
{
    const std::vector<const Field*> fields = fieldsIn(record, Format::JsonLines);
    FOut.write('{');
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            FOut.write(", ");
        writeJsonString(fields[i]->key);
        FOut.write(": ");
        writeJsonValue(fields[i]->value, 0);
    }
    FOut.write("}\n");
}

void Report::writeRecord(const Record& record)
{
    beginRecords({}, true);
    addRecord(record);
    endRecords();
}

void Report::beginRecords(std::vector<std::string> keys, bool single)
{
    if (FFormat == Format::Plain)
        throw std::runtime_error("--plain: expected a list of networks or names, which this "
                                 "answer is not (see --json or --csv)");
    FKeys = std::move(keys);
    FSingle = single;
    FRows = 0;
}

void Report::addRecord(const Record& record)
{
    switch (FFormat) {
    case Format::Text:
        if (FRows > 0)
            FOut.write('\n');
        writeFieldsText(record);
        break;
    case Format::Json:
        if (FSingle) {
            FOut.write("{\n");
            writeFieldsJson(record, 2, false);
            FOut.write("}\n");
        } else {
            FOut.write(FRows == 0 ? "[\n  {\n" : ",\n  {\n");
            writeFieldsJson(record, 4, false);
            FOut.write("  }");
        }
        break;
    case Format::JsonLines:
        writeObjectLine(record);
        break;
    case Format::Csv:
    case Format::Tsv:
    case Format::Plain: {
        const std::vector<const Field*> fields = fieldsIn(record, Format::Csv);
        if (FKeys.empty()) {
            for (const Field* field : fields)
                FKeys.push_back(field->key);
        }
        if (FRows == 0) {
            for (size_t i = 0; i < FKeys.size(); ++i) {
                if (i > 0)
                    FOut.write(',');
                writeCsvCell(FKeys[i]);
            }
            FOut.write('\n');
        }
        for (size_t i = 0; i < FKeys.size(); ++i) {
            if (i > 0)
                FOut.write(',');
            const auto field = std::find_if(fields.begin(), fields.end(),
                                            [&](const Field* f) { return f->key == FKeys[i]; });
            if (field != fields.end())
                writeCsvCell(csvText((*field)->value));
        }
        FOut.write('\n');
        break;
    }
    }
    ++FRows;
}

void Report::endRecords()
{
    if (FFormat == Format::Json && !FSingle)
        FOut.write(FRows == 0 ? "[]\n" : "\n]\n");
}

void Report::beginTable(const Record& record, std::string name, std::vector<Column> columns,
                        TableStyle style)
{
    FColumns = std::move(columns);
    FStyle = style;
    FShown.clear();
    for (size_t i = 0; i < FColumns.size(); ++i)
        if (FFormat == Format::Plain ? FColumns[i].plain : visibleIn(FColumns[i].show, FFormat))
            FShown.push_back(i);
    FRows = 0;
    switch (FFormat) {
    case Format::Text:
        if (!record.empty()) {
            writeFieldsText(record);
            FOut.write('\n');
        }
        if (style.text == TableStyle::Text::Lines)
            break;
        for (size_t n = 0; n < FShown.size(); ++n) {
            Column& column = FColumns[FShown[n]];
            column.width = std::max(column.width, column.header.size());
            padded(column.header, column.width, column.rightAligned, n + 1 == FShown.size());
        }
        FOut.write('\n');
        break;
    case Format::Json:
        if (style.json == TableStyle::Json::Array) {
            FOut.write('[');
        } else if (style.json != TableStyle::Json::Single) {
            FOut.write("{\n");
            writeFieldsJson(record, 2, true);
            FOut.write("  ");
            writeJsonString(name);
            FOut.write(": [");
        }
        [[fallthrough]];
    case Format::JsonLines:
        FJsonKeys.assign(FColumns.size(), std::string());
        for (size_t i : FShown) {
            jsontext::appendString(FJsonKeys[i], FColumns[i].key);
            FJsonKeys[i] += ": ";
        }
        break;
    case Format::Csv:
    case Format::Tsv:
        for (size_t n = 0; n < FShown.size(); ++n) {
            const Column& column = FColumns[FShown[n]];
            if (n > 0)
                FOut.write(FFormat == Format::Csv ? ',' : '\t');
            if (FFormat == Format::Csv)
                writeCsvCell(column.key);
            else
                FOut.write(column.header);
        }
        FOut.write(FFormat == Format::Csv ? "\n" : "\r\n");
        break;
    case Format::Plain:
        if (FShown.size() != 1)
            throw std::runtime_error("--plain: expected a list of networks or names, which the " +
                                     name + " are not (see --json or --csv)");
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
            FOut.repeat(' ', pad);
        FOut.write(text);
        if (!last)
            FOut.repeat(' ', (right ? 0 : pad) + 2);
        return;
    }
    char* out = FOut.reserve(room);
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
    FOut.commit(out);
}

void Report::row(const Cell* cells)
{
    const size_t shown = FShown.size();
    switch (FFormat) {
    case Format::Text:
        for (size_t n = 0; n < shown; ++n) {
            const Column& column = FColumns[FShown[n]];
            if (FStyle.text == TableStyle::Text::Lines) {
                if (n > 0)
                    FOut.write(' ');
                FOut.write(cells[FShown[n]].text);
            } else {
                padded(cells[FShown[n]].text, column.width, column.rightAligned, n + 1 == shown);
            }
        }
        FOut.write('\n');
        break;
    case Format::Json:
    case Format::JsonLines: {
        const bool lines = FFormat == Format::JsonLines;
        const bool single = !lines && FStyle.json == TableStyle::Json::Single;
        const bool array = !lines && !single && FStyle.rowsAsArrays;
        if (single) {
            FOut.write("{\n  ");
        } else if (!lines) {
            FOut.write(FRows == 0 ? "" : ",");
            FOut.write(FStyle.json == TableStyle::Json::Array ? "\n  " : "\n    ");
            FOut.write(array ? '[' : '{');
        } else {
            FOut.write('{');
        }
        for (size_t n = 0; n < shown; ++n) {
            const Cell& cell = cells[FShown[n]];
            if (n > 0)
                FOut.write(single ? ",\n  " : ", ");
            if (!array)
                FOut.write(FJsonKeys[FShown[n]]);
            if (cell.null)
                FOut.write("null");
            else if (cell.number)
                FOut.write(cell.text);
            else
                writeJsonString(cell.text);
        }
        FOut.write(single ? "\n}\n" : lines ? "}\n" : array ? "]" : "}");
        break;
    }
    case Format::Csv:
        for (size_t n = 0; n < shown; ++n) {
            if (n > 0)
                FOut.write(',');
            if (!cells[FShown[n]].null)
                writeCsvCell(cells[FShown[n]].text);
        }
        FOut.write('\n');
        break;
    case Format::Tsv:
        for (size_t n = 0; n < shown; ++n) {
            if (n > 0)
                FOut.write('\t');
            FOut.write(cells[FShown[n]].text);
        }
        FOut.write("\r\n");
        break;
    case Format::Plain:
        FOut.write(cells[FShown[0]].text);
        FOut.write('\n');
        break;
    }
    ++FRows;
}

void Report::nextPart(const std::string& name)
{
    if (FFormat != Format::Json)
        return;
    FOut.write(FRows == 0 ? "],\n  " : "\n  ],\n  ");
    writeJsonString(name);
    FOut.write(": [");
    FRows = 0;
}

void Report::endTable(uint64_t listed, const Value& total, bool limited,
                      const std::string& itemName)
{
    const std::string note = "listed " + std::to_string(listed) + " of " + total.text + " " +
                             itemName + ": --limit cut the list";
    switch (FFormat) {
    case Format::Text:
        if (limited)
            FOut.write("(" + note + ")\n");
        break;
    case Format::Json:
        if (FStyle.json == TableStyle::Json::Single)
            break;
        if (FStyle.json == TableStyle::Json::Array) {
            FOut.write(FRows == 0 ? "]\n" : "\n]\n");
            break;
        }
        if (FStyle.json == TableStyle::Json::Parts) {
            FOut.write(FRows == 0 ? "]\n}\n" : "\n  ]\n}\n");
            break;
        }
        FOut.write(FRows == 0 ? "],\n" : "\n  ],\n");
        FOut.write("  \"listed\": " + std::to_string(listed) + ",\n");
        // A total can pass 2^53 (the subnets of an IPv6 network), so it is
        // always a string of digits.
        FOut.write("  \"total\": ");
        writeJsonString(total.text);
        FOut.write(std::string(",\n  \"limited\": ") + (limited ? "true" : "false") + "\n}\n");
        break;
    case Format::JsonLines:
    case Format::Csv:
    case Format::Tsv:
    case Format::Plain:
        // The table stays a table: the note goes beside it, after it.
        if (limited)
            noteLimit(FOut, note);
        break;
    }
}

void Report::gap()
{
    if (FFormat == Format::Text)
        FOut.write('\n');
    else if (FFormat == Format::Tsv)
        FOut.write("\r\n");
}
