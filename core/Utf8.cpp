#include "core/Utf8.h"

namespace utf8 {

bool decode(std::string_view text, size_t& pos, uint32_t& codePoint)
{
    if (pos >= text.size())
        return false;
    const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(pos);
    if (lead < 0x80) {
        codePoint = lead;
        ++pos;
        return true;
    }
    size_t length = 0;
    uint32_t value = 0, lowest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        lowest = 0x10000;
    } else {
        return false;
    }
    if (text.size() - pos < length)
        return false;
    for (size_t i = 1; i < length; ++i) {
        if (!isContinuation(text[pos + i]))
            return false;
        value = value << 6 | (byte(pos + i) & 0x3F);
    }
    // Overlong forms would let one character hide behind another.
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    codePoint = value;
    pos += length;
    return true;
}

size_t sequenceLength(std::string_view text)
{
    size_t pos = 0;
    uint32_t codePoint = 0;
    return decode(text, pos, codePoint) ? pos : 0;
}

bool isValid(std::string_view text)
{
    size_t pos = 0;
    uint32_t codePoint = 0;
    while (pos < text.size()) {
        // ASCII runs are most of any text: skip them without decoding.
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        if (!decode(text, pos, codePoint))
            return false;
    }
    return true;
}

void append(std::string& out, uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += char(codePoint);
    } else if (codePoint < 0x800) {
        out += char(0xC0 | codePoint >> 6);
        out += char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += char(0xE0 | codePoint >> 12);
        out += char(0x80 | (codePoint >> 6 & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    } else {
        out += char(0xF0 | codePoint >> 18);
        out += char(0x80 | (codePoint >> 12 & 0x3F));
        out += char(0x80 | (codePoint >> 6 & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    }
}

} // namespace utf8
