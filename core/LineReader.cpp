#include "core/LineReader.h"

#include "core/Text.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// A few longest lines at once: reading is most of what a long list costs,
// and fewer, larger reads cost less.
constexpr size_t BufferSize = 4 * (MaxLineBytes + 2);

std::string_view withoutCarriageReturn(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

} // namespace

const char* const StandardInputName = "<stdin>";

std::string lineLocation(const std::string& source, uint64_t line)
{
    return source + ":" + std::to_string(line);
}

LineReader::LineReader(int fd, std::string name)
    : FFd(fd), FName(std::move(name)), FBuffer(new char[BufferSize])
{
}

LineReader::~LineReader() = default;

bool LineReader::next(std::string_view& line)
{
    FTooLong = false;
    if (!FStarted) {
        FStarted = true;
        while (!FEof && FEnd < 3)
            fill();
        if (FEnd >= 3 && std::memcmp(FBuffer.get(), "\xEF\xBB\xBF", 3) == 0)
            FStart = 3;
    }
    while (true) {
        const char* start = FBuffer.get() + FStart;
        const size_t held = FEnd - FStart;
        const auto* end = static_cast<const char*>(std::memchr(start, '\n', held));
        if (end || FEof || held > MaxLineBytes + 1) {
            if (!end && FEof && held == 0)
                return false;
            const size_t length = end ? size_t(end - start) : held;
            line = withoutCarriageReturn(std::string_view(start, length));
            ++FNumber;
            if (line.size() > MaxLineBytes) {
                line = line.substr(0, MaxLineBytes);
                FTooLong = true;
                if (!end) {
                    // The rest of the line is passed over, up to its end.
                    FStart = FEnd;
                    while (fill()) {
                        end = static_cast<const char*>(
                            std::memchr(FBuffer.get() + FStart, '\n', FEnd - FStart));
                        if (end) {
                            FStart = size_t(end - FBuffer.get()) + 1;
                            break;
                        }
                        FStart = FEnd;
                    }
                    // The line's first bytes are gone from the buffer by
                    // now: what the caller sees is only that it was too long.
                    line = std::string_view();
                    return true;
                }
            }
            FStart += end ? length + 1 : length;
            return true;
        }
        fill();
    }
}

bool LineReader::fill()
{
    if (FStart > 0) {
        std::memmove(FBuffer.get(), FBuffer.get() + FStart, FEnd - FStart);
        FEnd -= FStart;
        FStart = 0;
    }
    while (!FEof && FEnd < BufferSize) {
        if (FBeforeRead)
            FBeforeRead();
        const ssize_t got = ::read(FFd, FBuffer.get() + FEnd, BufferSize - FEnd);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw InputError(FName + ": cannot be read: " + std::strerror(errno));
        }
        FEnd += size_t(got);
        FEof = got == 0;
        // Whatever came is used at once: standard input answers line by
        // line, and a pipe should not wait for a full buffer.
        if (got > 0)
            break;
    }
    return !(FEof && FStart == FEnd);
}

std::string readAllLines(int fd, const std::string& name, size_t maxBytes)
{
    LineReader reader(fd, name);
    std::string text;
    std::string_view line;
    while (reader.next(line)) {
        if (reader.tooLong())
            throw InputError(reader.location() + ": expected a line of at most " +
                             std::to_string(MaxLineBytes) + " bytes");
        if (text.size() + line.size() + 1 > maxBytes)
            throw InputError(name + ": expected at most " + std::to_string(maxBytes >> 20) +
                             " MiB");
        text.append(line);
        text += '\n';
    }
    return text;
}
