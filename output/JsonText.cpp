#include "output/JsonText.h"

#include "core/Utf8.h"

#include <algorithm>

Value Value::of(std::string text)
{
    Value v;
    v.text = std::move(text);
    return v;
}

Value Value::integer(int64_t number)
{
    return Value::number(std::to_string(number));
}

Value Value::number(std::string digits)
{
    Value v;
    v.kind = Kind::Number;
    v.text = std::move(digits);
    return v;
}

Value Value::count(std::string digits)
{
    Value v;
    v.kind = Kind::Count;
    v.text = std::move(digits);
    return v;
}

Value Value::boolean(bool value, std::string shown)
{
    Value v;
    v.kind = Kind::Boolean;
    v.text = std::move(shown);
    v.truth = value;
    return v;
}

Value Value::null()
{
    Value v;
    v.kind = Kind::Null;
    return v;
}

Value Value::list(std::vector<Value> items)
{
    Value v;
    v.kind = Kind::List;
    v.items = std::move(items);
    return v;
}

Value Value::object(std::vector<Field> members)
{
    Value v;
    v.kind = Kind::Object;
    v.members = std::move(members);
    return v;
}

namespace jsontext {

bool plain(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u < 0x80 && c != '"' && c != '\\';
    });
}

void appendString(std::string& out, std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    if (plain(text)) {
        out += text;
        out += '"';
        return;
    }
    size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            const size_t start = pos;
            uint32_t codePoint = 0;
            if (utf8::decode(text, pos, codePoint)) {
                out.append(text.substr(start, pos - start));
            } else {
                out += "\xEF\xBF\xBD"; // U+FFFD REPLACEMENT CHARACTER
                ++pos;
            }
            continue;
        }
        ++pos;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                out += "\\u00";
                out += hex[u >> 4];
                out += hex[u & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

namespace {

void newLine(std::string& out, unsigned indent, bool oneLine)
{
    if (oneLine)
        return;
    out += '\n';
    out.append(indent, ' ');
}

void appendObject(std::string& out, const Value& object, unsigned indent, bool oneLine)
{
    if (object.members.empty()) {
        out += "{}";
        return;
    }
    const bool flat = oneLine || std::none_of(object.members.begin(), object.members.end(),
                                              [](const Field& f) { return f.value.nested(); });
    out += '{';
    for (size_t i = 0; i < object.members.size(); ++i) {
        if (i > 0)
            out += flat ? ", " : ",";
        newLine(out, indent + 2, flat);
        appendString(out, object.members[i].key);
        out += ": ";
        appendValue(out, object.members[i].value, indent + 2, oneLine);
    }
    newLine(out, indent, flat);
    out += '}';
}

void appendList(std::string& out, const Value& list, unsigned indent, bool oneLine)
{
    if (list.items.empty()) {
        out += "[]";
        return;
    }
    out += '[';
    for (size_t i = 0; i < list.items.size(); ++i) {
        if (i > 0)
            out += oneLine ? ", " : ",";
        newLine(out, indent + 2, oneLine);
        appendValue(out, list.items[i], indent + 2, oneLine);
    }
    newLine(out, indent, oneLine);
    out += ']';
}

} // namespace

void appendValue(std::string& out, const Value& value, unsigned indent, bool oneLine)
{
    switch (value.kind) {
    case Value::Kind::Text:
    case Value::Kind::Count:
        appendString(out, value.text);
        break;
    case Value::Kind::Number:
        out += value.text;
        break;
    case Value::Kind::Boolean:
        out += value.truth ? "true" : "false";
        break;
    case Value::Kind::Null:
        out += "null";
        break;
    case Value::Kind::List:
        appendList(out, value, indent, oneLine);
        break;
    case Value::Kind::Object:
        appendObject(out, value, indent, oneLine);
        break;
    }
}

} // namespace jsontext
