#include "cli/ItemInput.h"

#include "cli/Command.h"
#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A line longer than this holds no item: it is refused rather than held.
constexpr size_t BufferSize = 1 << 16;

// Lines of a file descriptor through one buffer; the last line needs no
// line end.
class LineReader
{
public:
    LineReader(int fd, const std::string& name)
        : FFd(fd), FName(name), FBuffer(new char[BufferSize])
    {
    }

    bool next(std::string_view& line)
    {
        while (true) {
            const char* start = FBuffer.get() + FStart;
            const auto* end = static_cast<const char*>(std::memchr(start, '\n', FEnd - FStart));
            if (end) {
                line = std::string_view(start, size_t(end - start));
                FStart += line.size() + 1;
                ++FNumber;
                return true;
            }
            if (FEof) {
                if (FStart == FEnd)
                    return false;
                line = std::string_view(start, FEnd - FStart);
                FStart = FEnd;
                ++FNumber;
                return true;
            }
            fill();
        }
    }

    uint64_t number() const { return FNumber; }

private:
    void fill()
    {
        if (FStart > 0) {
            std::memmove(FBuffer.get(), FBuffer.get() + FStart, FEnd - FStart);
            FEnd -= FStart;
            FStart = 0;
        }
        if (FEnd == BufferSize)
            throwBadToken(FName + ", line " + std::to_string(FNumber + 1),
                          std::string_view(FBuffer.get(), FEnd),
                          "one item per line: this line runs on for more than " +
                              std::to_string(BufferSize) + " bytes");
        const ssize_t got = ::read(FFd, FBuffer.get() + FEnd, BufferSize - FEnd);
        if (got < 0) {
            if (errno == EINTR)
                return;
            throw UsageError(FName + ": cannot be read: " + std::strerror(errno));
        }
        FEnd += size_t(got);
        FEof = got == 0;
    }

    int FFd;
    const std::string& FName;
    std::unique_ptr<char[]> FBuffer;
    size_t FStart = 0;
    size_t FEnd = 0;
    uint64_t FNumber = 0;
    bool FEof = false;
};

// A file named by @FILE, closed again when read.
class ListFile
{
public:
    explicit ListFile(const std::string& argument) : FPath(argument.substr(1))
    {
        if (FPath.empty())
            throwBadToken(argument, "@FILE: a file name after '@'");
        FFd = ::open(FPath.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat status;
        if (FFd < 0 || ::fstat(FFd, &status) != 0)
            throwBadToken(argument, std::string("a file of items that can be read (") +
                                        std::strerror(errno) + ")");
        if (S_ISDIR(status.st_mode))
            throwBadToken(argument, "a file of items, not a directory");
    }
    ~ListFile()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    ListFile(const ListFile&) = delete;
    ListFile& operator=(const ListFile&) = delete;

    int fd() const { return FFd; }
    const std::string& path() const { return FPath; }

private:
    std::string FPath;
    int FFd = -1;
};

bool isPlainAddress(std::string_view text)
{
    uint32_t address = 0;
    return addresstext::readIpv4(text, address);
}

} // namespace

std::string ItemText::where() const
{
    return source ? *source + ", line " + std::to_string(line) : std::string();
}

bool isIpv4Mask(std::string_view text)
{
    uint8_t prefix = 0;
    std::string expected;
    return cidrtext::readIpv4Mask(text, prefix, expected);
}

ItemInput::ItemInput(const std::vector<std::string>& arguments, bool pairMasks)
    : FArguments(arguments), FPairMasks(pairMasks)
{
}

bool ItemInput::pairsAt(size_t i) const
{
    return FPairMasks && i + 1 < FArguments.size() && isPlainAddress(FArguments[i]) &&
           isIpv4Mask(FArguments[i + 1]);
}

bool ItemInput::single() const
{
    size_t items = 0;
    for (size_t i = 0; i < FArguments.size(); ++i, ++items) {
        if (FArguments[i] == "-" || FArguments[i].rfind('@', 0) == 0)
            return false;
        if (pairsAt(i))
            ++i;
    }
    return items == 1;
}

size_t ItemInput::standardInputs() const
{
    size_t count = 0;
    for (const std::string& argument : FArguments)
        count += argument == "-" ? 1 : 0;
    return count;
}

void ItemInput::forEach(const std::function<void(const ItemText&)>& visit) const
{
    for (size_t i = 0; i < FArguments.size(); ++i) {
        const std::string& argument = FArguments[i];
        if (argument == "-") {
            readLines(0, "standard input", visit);
        } else if (!argument.empty() && argument[0] == '@') {
            const ListFile file(argument);
            readLines(file.fd(), file.path(), visit);
        } else if (pairsAt(i)) {
            visit({argument, FArguments[i + 1]});
            ++i;
        } else {
            visit({argument, std::string_view()});
        }
    }
}

void ItemInput::readLines(int fd, const std::string& name,
                          const std::function<void(const ItemText&)>& visit) const
{
    LineReader reader(fd, name);
    std::string_view line;
    ItemText item;
    item.source = &name;
    while (reader.next(line)) {
        const size_t comment = line.find('#');
        const std::string_view text = addresstext::trimmed(line.substr(0, comment));
        if (text.empty())
            continue;
        item.line = reader.number();
        // Two words are an item only as ADDRESS MASK.
        size_t gap = 0;
        while (gap < text.size() && !addresstext::isBlank(text[gap]))
            ++gap;
        if (gap == text.size()) {
            item.text = text;
            item.mask = std::string_view();
        } else {
            const std::string_view second = addresstext::trimmed(text.substr(gap));
            if (!FPairMasks || !isPlainAddress(text.substr(0, gap)) || !isIpv4Mask(second))
                throwBadToken(item.where(), text,
                              FPairMasks ? "one item per line, or ADDRESS MASK"
                                         : "one item per line");
            item.text = text.substr(0, gap);
            item.mask = second;
        }
        visit(item);
    }
}
