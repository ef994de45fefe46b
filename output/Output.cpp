#include "output/Output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace {

// Large enough that writing to a pipe is rarely the slow part, small enough
// that the program's memory stays a few megabytes.
constexpr size_t BufferSize = 1 << 20;

} // namespace

constexpr size_t Output::MaxReserve;

Output::Output(int fd) : FFd(fd), FBuffer(new char[BufferSize + MaxReserve]) {}

Output::Output(std::string& sink) : FSink(&sink), FBuffer(new char[BufferSize + MaxReserve]) {}

Output::~Output() = default;

void Output::write(std::string_view text)
{
    while (!text.empty()) {
        if (FUsed >= BufferSize)
            drain();
        const size_t part = std::min(text.size(), BufferSize - FUsed);
        std::memcpy(FBuffer.get() + FUsed, text.data(), part);
        FUsed += part;
        text.remove_prefix(part);
    }
}

void Output::write(char c)
{
    if (FUsed >= BufferSize)
        drain();
    FBuffer[FUsed++] = c;
}

void Output::repeat(char c, size_t count)
{
    while (count > 0) {
        if (FUsed >= BufferSize)
            drain();
        const size_t part = std::min(count, BufferSize - FUsed);
        std::memset(FBuffer.get() + FUsed, c, part);
        FUsed += part;
        count -= part;
    }
}

char* Output::reserve(size_t size)
{
    if (size > MaxReserve)
        throw std::logic_error("Output::reserve: more than the reserve holds");
    if (FUsed + size > BufferSize)
        drain();
    // A long unfinished line left too little room: it goes out as it is.
    if (FUsed + size > BufferSize)
        flush();
    return FBuffer.get() + FUsed;
}

void Output::flush()
{
    const size_t used = FUsed;
    FUsed = 0;
    send(FBuffer.get(), used);
}

void Output::drain()
{
    const char* const start = FBuffer.get();
    const auto* lineEnd = static_cast<const char*>(memrchr(start, '\n', FUsed));
    // A line longer than the buffer goes out in pieces: nothing else can.
    const size_t whole = lineEnd ? size_t(lineEnd - start) + 1 : FUsed;
    const size_t rest = FUsed - whole;
    FUsed = 0;
    send(start, whole);
    std::memmove(FBuffer.get(), start + whole, rest);
    FUsed = rest;
}

void Output::send(const char* data, size_t left)
{
    if (FSink) {
        FSink->append(data, left);
        return;
    }
    while (left > 0) {
        const ssize_t written = ::write(FFd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error(std::string("cannot write the output: ") +
                                     std::strerror(errno));
        }
        data += written;
        left -= size_t(written);
    }
}
