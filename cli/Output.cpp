#include "cli/Output.h"

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

void Output::Write(std::string_view text)
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

void Output::Write(char c)
{
    if (FUsed >= BufferSize)
        drain();
    FBuffer[FUsed++] = c;
}

void Output::Repeat(char c, size_t count)
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

char* Output::Reserve(size_t size)
{
    if (size > MaxReserve)
        throw std::logic_error("Output::Reserve: more than the reserve holds");
    if (FUsed + size > BufferSize)
        drain();
    return FBuffer.get() + FUsed;
}

void Output::Flush()
{
    drain();
}

void Output::drain()
{
    if (FSink) {
        FSink->append(FBuffer.get(), FUsed);
        FUsed = 0;
        return;
    }
    const char* data = FBuffer.get();
    size_t left = FUsed;
    FUsed = 0;
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
