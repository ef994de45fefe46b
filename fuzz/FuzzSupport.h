#pragma once

// Shared by the fuzz targets: a reader that turns the fuzzer's bytes into
// small values, and the check that stops the run when a rule is broken.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/Errors.h"

// Reads the input as a stream of values. Past the end every read gives zero,
// so any input, even an empty one, decodes to a complete sequence of steps.
class FuzzInput
{
public:
    FuzzInput(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

    bool atEnd() const { return FPosition >= FSize; }

    uint8_t byte() { return FPosition < FSize ? FData[FPosition++] : 0; }

    uint32_t u32()
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | byte();
        return value;
    }

    // A text whose length (at most maxLength) is given by the next byte.
    std::string text(size_t maxLength)
    {
        const size_t wanted = byte() % (maxLength + 1);
        const size_t length = wanted < FSize - FPosition ? wanted : FSize - FPosition;
        std::string result(reinterpret_cast<const char*>(FData + FPosition), length);
        FPosition += length;
        return result;
    }

    // Everything not read yet.
    std::string rest()
    {
        std::string result(reinterpret_cast<const char*>(FData + FPosition), FSize - FPosition);
        FPosition = FSize;
        return result;
    }

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FPosition = 0;
};

// Ends the run as a crash, so that libFuzzer keeps the input that led here.
[[noreturn]] inline void fuzzFailure(const char* condition, const std::string& context)
{
    std::fprintf(stderr, "\nbroken: %s\n  with: %s\n", condition, context.c_str());
    std::fflush(stderr);
    std::abort();
}

// The context is only built when the check fails, which keeps the runs fast.
#define FUZZ_CHECK(condition, context)                                                             \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzzFailure(#condition, (context));                                                    \
    } while (false)

// The message of the error that the call raised, or "" when it raised none.
template <class F> std::string errorOf(F&& call)
{
    try {
        call();
    } catch (const EZentrixError& error) {
        std::string message = error.what();
        return message.empty() ? "(empty message)" : message;
    }
    return {};
}

// The text with its non-printable bytes escaped, for the failure report.
inline std::string shown(const std::string& text)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c >= 32 && c < 127 && c != '\\') {
            out += char(c);
        } else {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out + "\"";
}
