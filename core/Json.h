#pragma once

#include "core/Errors.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A small, strict JSON reader for the files Zentrix keeps for itself (plan
// files), so that the window needs no JSON library; output/JsonText writes
// them. It reads what those files hold and nothing looser: objects, arrays,
// strings (UTF-8, with every escape of RFC 8259 including surrogate pairs),
// integers, true, false and null. Fractions, exponents, duplicate keys, trailing
// commas, comments and bytes that are not UTF-8 are refused, each with the
// line and column where the text goes wrong.
namespace json {

enum class Type
{
    Null,
    Boolean,
    Integer,
    String,
    Array,
    Object,
};

// "an object", "a string", ...: for messages.
const char* typeName(Type type);

// Lines and columns count from 1; a column counts characters, not bytes.
struct Position
{
    size_t line = 1;
    size_t column = 1;
};

struct Member;

struct Value
{
    Type type = Type::Null;
    bool boolean = false;
    int64_t integer = 0;
    std::string text;            // a string's characters
    std::vector<Value> items;    // an array's
    std::vector<Member> members; // an object's, in the order read or added
    Position position;           // where the value starts in the text read

    // A value of the type, empty: the reader fills it in.
    static Value of(Type type);

    bool isContainer() const { return type == Type::Array || type == Type::Object; }
    // The member named `key`, or nullptr.
    const Value* find(std::string_view key) const;
    Value& push(Value value);
};

struct Member
{
    std::string key;
    Value value;
    Position position; // of the key
};

// A text that is no JSON this reader takes; what() is
// "line L, column C: expected ...".
class ParseError : public EZentrixError
{
public:
    ParseError(Position where, const std::string& expected);
    Position where;
};

// "line L, column C: " for messages about a value's content.
std::string positionText(Position where);

// Reads one JSON document; a UTF-8 byte order mark before it is skipped.
Value parse(std::string_view text);

} // namespace json
