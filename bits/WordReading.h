#pragma once

#include "bits/BitWord.h"
#include "bits/FloatBits.h"

#include <optional>
#include <string>
#include <string_view>

// Reading a word from what people type: decimal (with a sign when signed),
// 0x hexadecimal, 0o octal and 0b binary numbers with "_", "'" or spaces
// between the digits; characters in single quotes, which fill the word as a
// C multi-character constant does ('AB' is 0x4142; other characters by
// their UTF-8 bytes); IPv4 and IPv6 addresses; and decimal numbers as
// IEEE-754 floats. A value too wide for the word is refused with a message
// that names the word that would hold it: nothing is cut.

enum class InputForm
{
    Decimal,
    Hexadecimal,
    Octal,
    Binary,
    Characters,
    Ipv4,
    Ipv6,
    Float,
};

struct WordSpec
{
    // 0: the narrowest of 32, 64 and 128 bits that holds the value (128 for
    // an IPv6 address, the format's width for a float).
    unsigned width = 0;
    bool isSigned = false;
    // A decimal number, with a point or without, is encoded in this format,
    // which sets the width; without it only a number with a point or an
    // exponent is a float, of the format of the word's width (binary64
    // when no width is asked for).
    std::optional<FloatFormat> floatFormat;
    // How the message about a negative value names the way to read it as
    // signed: the command line's option, the window's check box.
    std::string signedSwitch = "--signed";
};

struct ReadWord
{
    BitWord word;
    InputForm form = InputForm::Decimal;
};

// Raises EZentrixError with a message that quotes the text.
ReadWord readWord(std::string_view text, const WordSpec& spec);

// The word written in the given form such that reading it back in that
// form gives the same bits: decimal as the signedness reads it, 0x and 0b
// with every digit of the width, 0o without leading zeros, characters and
// addresses while the bits make one, a float as its shortest digits. Where
// the form cannot say it (a NaN's payload, a byte that is no printable
// character), 0x hexadecimal.
std::string entryText(const BitWord& word, InputForm form);
