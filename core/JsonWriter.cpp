#include "core/Json.h"

#include "core/Utf8.h"

namespace json {

const char* typeName(Type type)
{
    switch (type) {
    case Type::Null:
        return "null";
    case Type::Boolean:
        return "true or false";
    case Type::Integer:
        return "an integer";
    case Type::String:
        return "a string";
    case Type::Array:
        return "an array";
    case Type::Object:
        return "an object";
    }
    return "a value";
}

Value Value::Boolean(bool value)
{
    Value v;
    v.type = Type::Boolean;
    v.boolean = value;
    return v;
}

Value Value::Integer(int64_t value)
{
    Value v;
    v.type = Type::Integer;
    v.integer = value;
    return v;
}

Value Value::String(std::string value)
{
    Value v;
    v.type = Type::String;
    v.text = std::move(value);
    return v;
}

Value Value::Array()
{
    Value v;
    v.type = Type::Array;
    return v;
}

Value Value::Object()
{
    Value v;
    v.type = Type::Object;
    return v;
}

const Value* Value::find(std::string_view key) const
{
    for (const Member& member : members)
        if (member.key == key)
            return &member.value;
    return nullptr;
}

Value& Value::add(std::string key, Value value)
{
    members.push_back({std::move(key), std::move(value), {}});
    return members.back().value;
}

Value& Value::push(Value value)
{
    items.push_back(std::move(value));
    return items.back();
}

void appendString(std::string& out, std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
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

void writeValue(std::string& out, const Value& value, unsigned indent);

void newLine(std::string& out, unsigned indent)
{
    out += '\n';
    out.append(indent, ' ');
}

bool holdsOnlyPlainValues(const Value& object)
{
    for (const Member& member : object.members)
        if (member.value.isContainer())
            return false;
    return true;
}

void writeObject(std::string& out, const Value& object, unsigned indent)
{
    if (object.members.empty()) {
        out += "{}";
        return;
    }
    const bool oneLine = holdsOnlyPlainValues(object);
    out += '{';
    for (size_t i = 0; i < object.members.size(); ++i) {
        if (i > 0)
            out += oneLine ? ", " : ",";
        if (!oneLine)
            newLine(out, indent + 2);
        appendString(out, object.members[i].key);
        out += ": ";
        writeValue(out, object.members[i].value, indent + 2);
    }
    if (!oneLine)
        newLine(out, indent);
    out += '}';
}

void writeArray(std::string& out, const Value& array, unsigned indent)
{
    if (array.items.empty()) {
        out += "[]";
        return;
    }
    out += '[';
    for (size_t i = 0; i < array.items.size(); ++i) {
        if (i > 0)
            out += ',';
        newLine(out, indent + 2);
        writeValue(out, array.items[i], indent + 2);
    }
    newLine(out, indent);
    out += ']';
}

void writeValue(std::string& out, const Value& value, unsigned indent)
{
    switch (value.type) {
    case Type::Null:
        out += "null";
        break;
    case Type::Boolean:
        out += value.boolean ? "true" : "false";
        break;
    case Type::Integer:
        out += std::to_string(value.integer);
        break;
    case Type::String:
        appendString(out, value.text);
        break;
    case Type::Array:
        writeArray(out, value, indent);
        break;
    case Type::Object:
        writeObject(out, value, indent);
        break;
    }
}

} // namespace

std::string write(const Value& value, unsigned indent)
{
    std::string out;
    writeValue(out, value, indent);
    return out;
}

} // namespace json
