#include "core/Text.h"

#include "core/Utf8.h"

#include <algorithm>

namespace text {

namespace {

void appendEscape(std::string& out, unsigned char byte)
{
    static const char digits[] = "0123456789ABCDEF";
    switch (byte) {
    case '\n':
        out += "\\n";
        break;
    case '\t':
        out += "\\t";
        break;
    case '\r':
        out += "\\r";
        break;
    default:
        out += "\\x";
        out += digits[byte >> 4];
        out += digits[byte & 0xF];
    }
}

} // namespace

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool readNumber(std::string_view text, uint64_t maxValue, uint64_t& value)
{
    if (text.empty() || text.size() > 20 || (text.size() > 1 && text[0] == '0'))
        return false;
    uint64_t result = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        const uint64_t digit = uint64_t(c - '0');
        if (result > (maxValue - digit) / 10)
            return false;
        result = result * 10 + digit;
    }
    value = result;
    return true;
}

std::string shownToken(std::string_view token, size_t characters)
{
    std::string shown;
    for (size_t count = 0; !token.empty(); ++count) {
        if (count == characters) {
            shown += "...";
            break;
        }
        const size_t length = utf8::sequenceLength(token);
        const auto lead = static_cast<unsigned char>(token[0]);
        // C1 controls (U+0080 to U+009F) move the cursor as C0 ones do.
        const bool c1 = length == 2 && lead == 0xC2 && static_cast<unsigned char>(token[1]) < 0xA0;
        if (length == 0 || lead < 0x20 || lead == 0x7F || c1) {
            for (size_t i = 0; i < std::max<size_t>(length, 1); ++i)
                appendEscape(shown, static_cast<unsigned char>(token[i]));
            token.remove_prefix(std::max<size_t>(length, 1));
        } else {
            shown.append(token.substr(0, length));
            token.remove_prefix(length);
        }
    }
    return shown;
}

} // namespace text
