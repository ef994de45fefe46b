#include "core/Json.h"

#include "core/QorvelGlobal.h"
#include "core/Utf8.h"

#include <unordered_set>

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

Value Value::of(Type type)
{
    Value v;
    v.type = type;
    return v;
}

const Value* Value::find(std::string_view key) const
{
    for (const Member& member : members)
        if (member.key == key)
            return &member.value;
    return nullptr;
}

Value& Value::push(Value value)
{
    items.push_back(std::move(value));
    return items.back();
}

namespace {

// Deep enough for any file of ours, shallow enough that a hostile
// "[[[[..." cannot exhaust the stack.
constexpr int MaxDepth = 64;

// A character a string holds as it is: printable ASCII but the quote and
// the backslash.
bool isPlain(char c)
{
    return c >= 0x20 && c != '"' && c != '\\' && static_cast<unsigned char>(c) < 0x80;
}

class Reader
{
public:
    explicit Reader(std::string_view text) : FText(text) {}

    Value document()
    {
        if (FText.substr(0, 3) == "\xEF\xBB\xBF")
            FPos = 3;
        skipBlanks();
        Value value = readValue(0);
        skipBlanks();
        if (FPos < FText.size())
            fail("the end of the document after its value");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& expected) const
    {
        throw ParseError(FWhere, expected);
    }

    bool atEnd() const { return FPos >= FText.size(); }
    char peek() const { return FText[FPos]; }

    // Moves past one byte, keeping the line and the column (in characters).
    void advance()
    {
        const char c = FText[FPos++];
        if (c == '\n') {
            ++FWhere.line;
            FWhere.column = 1;
        } else if (!utf8::isContinuation(c)) {
            ++FWhere.column;
        }
    }

    void skipBlanks()
    {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            advance();
    }

    void expect(char c, const char* expected)
    {
        if (atEnd() || peek() != c)
            fail(expected);
        advance();
    }

    Value readValue(int depth)
    {
        if (atEnd())
            fail("a value (an object, array, string, integer, true, false or null)");
        const Position start = FWhere;
        Value value;
        switch (peek()) {
        case '{':
            value = readObject(depth + 1);
            break;
        case '[':
            value = readArray(depth + 1);
            break;
        case '"':
            value = Value::of(Type::String);
            value.text = readString();
            break;
        case 't':
            readWord("true");
            value = Value::of(Type::Boolean);
            value.boolean = true;
            break;
        case 'f':
            readWord("false");
            value = Value::of(Type::Boolean);
            break;
        case 'n':
            readWord("null");
            break;
        default:
            if (peek() == '-' || (peek() >= '0' && peek() <= '9')) {
                value = Value::of(Type::Integer);
                value.integer = readInteger();
            } else
                fail("a value (an object, array, string, integer, true, false or null)");
        }
        value.position = start;
        return value;
    }

    void readWord(std::string_view word)
    {
        if (FText.substr(FPos, word.size()) != word)
            fail("a value (an object, array, string, integer, true, false or null)");
        for (size_t i = 0; i < word.size(); ++i)
            advance();
        if (!atEnd() && ((peek() >= 'a' && peek() <= 'z') || (peek() >= '0' && peek() <= '9')))
            fail("a value (an object, array, string, integer, true, false or null)");
    }

    int64_t readInteger()
    {
        const Position start = FWhere;
        const bool negative = peek() == '-';
        if (negative)
            advance();
        if (atEnd() || peek() < '0' || peek() > '9')
            fail("a digit after '-'");
        // Counted downwards, so that the lowest integer reads too.
        int64_t value = 0;
        const bool leadingZero = peek() == '0';
        while (!atEnd() && peek() >= '0' && peek() <= '9') {
            const int digit = peek() - '0';
            if (__builtin_mul_overflow(value, 10, &value) ||
                __builtin_sub_overflow(value, digit, &value)) {
                FWhere = start;
                fail("an integer from -9223372036854775808 to 9223372036854775807");
            }
            advance();
            if (leadingZero)
                break;
        }
        if (!atEnd() && (peek() == '.' || peek() == 'e' || peek() == 'E'))
            fail("an integer: these files hold no fractions or exponents");
        if (!atEnd() && peek() >= '0' && peek() <= '9')
            fail("no digits after a leading zero");
        if (negative)
            return value;
        if (value == INT64_MIN) {
            FWhere = start;
            fail("an integer from -9223372036854775808 to 9223372036854775807");
        }
        return -value;
    }

    unsigned readHex4()
    {
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = atEnd() ? -1 : HexDigitValue(peek());
            if (digit < 0)
                fail("four hexadecimal digits after \\u");
            value = value << 4 | unsigned(digit);
            advance();
        }
        return value;
    }

    std::string readString()
    {
        advance(); // the opening quote
        std::string text;
        while (true) {
            if (atEnd())
                fail("a closing '\"' before the end of the text");
            const char c = peek();
            if (c == '"') {
                advance();
                return text;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                fail(c == '\n' ? "a closing '\"' before the end of the line"
                               : "no control character in a string: write it as \\u00XX");
            if (c == '\\') {
                readEscape(text);
                continue;
            }
            if (static_cast<unsigned char>(c) < 0x80) {
                // A run of plain characters at once: no line ends among
                // them, so the column moves by their count.
                size_t end = FPos + 1;
                while (end < FText.size() && isPlain(FText[end]))
                    ++end;
                text.append(FText.substr(FPos, end - FPos));
                FWhere.column += end - FPos;
                FPos = end;
                continue;
            }
            size_t end = FPos;
            uint32_t codePoint = 0;
            if (!utf8::decode(FText, end, codePoint))
                fail("UTF-8 text: these bytes are no character");
            text.append(FText.substr(FPos, end - FPos));
            while (FPos < end)
                advance();
        }
    }

    void readEscape(std::string& text)
    {
        const Position start = FWhere;
        advance(); // the backslash
        if (atEnd())
            fail("an escape after '\\'");
        const char c = peek();
        advance();
        switch (c) {
        case '"':
        case '\\':
        case '/':
            text += c;
            return;
        case 'b':
            text += '\b';
            return;
        case 'f':
            text += '\f';
            return;
        case 'n':
            text += '\n';
            return;
        case 'r':
            text += '\r';
            return;
        case 't':
            text += '\t';
            return;
        case 'u':
            break;
        default:
            FWhere = start;
            fail("an escape of \\\" \\\\ \\/ \\b \\f \\n \\r \\t or \\uXXXX");
        }
        uint32_t codePoint = readHex4();
        if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) {
            FWhere = start;
            fail("a high surrogate (\\uD800 to \\uDBFF) before the low surrogate");
        }
        if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
            // A character beyond U+FFFF: a pair of escapes.
            if (FText.substr(FPos, 2) != "\\u")
                fail("a low surrogate (\\uDC00 to \\uDFFF) after the high surrogate");
            advance();
            advance();
            const unsigned low = readHex4();
            if (low < 0xDC00 || low > 0xDFFF)
                fail("a low surrogate (\\uDC00 to \\uDFFF) after the high surrogate");
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
        }
        utf8::append(text, codePoint);
    }

    Value readArray(int depth)
    {
        if (depth > MaxDepth)
            fail("at most 64 levels of arrays and objects");
        advance(); // [
        Value array = Value::of(Type::Array);
        skipBlanks();
        if (!atEnd() && peek() == ']') {
            advance();
            return array;
        }
        while (true) {
            skipBlanks();
            array.push(readValue(depth));
            skipBlanks();
            if (!atEnd() && peek() == ']') {
                advance();
                return array;
            }
            expect(',', "',' or ']' after an array item");
        }
    }

    // Whether `key` names a member already read. A few members are looked
    // through; past that a set keeps an object of many keys from taking
    // quadratic time.
    static bool isRepeated(const Value& object, const std::string& key,
                           std::unordered_set<std::string>& seen)
    {
        constexpr size_t ScanLimit = 16;
        if (object.members.size() < ScanLimit)
            return object.find(key) != nullptr;
        if (seen.empty())
            for (const Member& member : object.members)
                seen.insert(member.key);
        return !seen.insert(key).second;
    }

    Value readObject(int depth)
    {
        if (depth > MaxDepth)
            fail("at most 64 levels of arrays and objects");
        advance(); // {
        Value object = Value::of(Type::Object);
        std::unordered_set<std::string> seen;
        skipBlanks();
        if (!atEnd() && peek() == '}') {
            advance();
            return object;
        }
        while (true) {
            skipBlanks();
            const Position keyAt = FWhere;
            if (atEnd() || peek() != '"')
                fail("a member name in double quotes");
            std::string key = readString();
            if (isRepeated(object, key, seen)) {
                FWhere = keyAt;
                fail("each member name once in an object, not \"" + key + "\" again");
            }
            skipBlanks();
            expect(':', "':' after a member name");
            skipBlanks();
            Value value = readValue(depth);
            object.members.push_back({std::move(key), std::move(value), keyAt});
            skipBlanks();
            if (!atEnd() && peek() == '}') {
                advance();
                return object;
            }
            expect(',', "',' or '}' after an object member");
        }
    }

    std::string_view FText;
    size_t FPos = 0;
    Position FWhere;
};

} // namespace

ParseError::ParseError(Position at, const std::string& expected)
    : EZentrixError(positionText(at) + "expected " + expected), where(at)
{
}

std::string positionText(Position where)
{
    return "line " + std::to_string(where.line) + ", column " + std::to_string(where.column) + ": ";
}

Value parse(std::string_view text)
{
    return Reader(text).document();
}

} // namespace json
