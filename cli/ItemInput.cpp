#include "cli/ItemInput.h"

#include "cli/Command.h"
#include "core/LineReader.h"
#include "core/Text.h"
#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

bool isList(const std::string& argument)
{
    return argument == "-" || argument.rfind('@', 0) == 0;
}

// A dotted quad of the numbers a mask's octets are made of, that is no
// mask (255.0.255.0): someone meant a mask and got it wrong.
bool looksLikeMask(std::string_view text)
{
    uint32_t address = 0;
    if (!addresstext::readIpv4(text, address))
        return false;
    for (int shift = 0; shift < 32; shift += 8) {
        const unsigned octet = (address >> shift) & 0xFF;
        const unsigned ones = octet == 0 ? 0 : 8 - unsigned(__builtin_ctz(octet));
        if (octet != 0 && octet != ((0xFFu << (8 - ones)) & 0xFF))
            return false;
    }
    return true;
}

} // namespace

std::string ItemText::where() const
{
    return source ? lineLocation(*source, line) : std::string();
}

void ItemReading::pass(const std::string& message)
{
    if (++skipped <= Named)
        std::fprintf(stderr, "zentrix-cli: skipped: %s\n", message.c_str());
}

void ItemReading::finish() const
{
    if (skipped == 0)
        return;
    if (valid == 0)
        throw UsageError("--skip-invalid: expected at least one valid item; all " +
                         std::to_string(skipped) + " were invalid");
    std::fprintf(stderr, "zentrix-cli: skipped %llu invalid item%s (--skip-invalid)\n",
                 static_cast<unsigned long long>(skipped), skipped == 1 ? "" : "s");
}

bool isIpv4Mask(std::string_view text)
{
    uint8_t prefix = 0;
    std::string expected;
    return cidrtext::readIpv4Mask(text, prefix, expected);
}

ItemInput::ItemInput(const std::vector<std::string>& arguments, bool pairMasks,
                     ItemReading* reading)
    : FArguments(arguments), FPairMasks(pairMasks), FReading(reading)
{
}

bool ItemInput::paired() const
{
    // Only as the whole command line: a list fed by xargs means each item.
    if (!FPairMasks || FArguments.size() != 2 || isList(FArguments[0]) || isList(FArguments[1]) ||
        !isPlainAddress(FArguments[0]))
        return false;
    if (isIpv4Mask(FArguments[1]))
        return true;
    if (looksLikeMask(FArguments[1]))
        throwBadToken(FArguments[1], "a netmask or hostmask after " + FArguments[0] +
                                         " (ADDRESS MASK): not a contiguous mask");
    return false;
}

bool ItemInput::single() const
{
    if (paired())
        return true;
    return FArguments.size() == 1 && !isList(FArguments[0]);
}

size_t ItemInput::standardInputs() const
{
    size_t count = 0;
    for (const std::string& argument : FArguments)
        count += argument == "-" ? 1 : 0;
    return count;
}

void ItemInput::visitOne(const std::function<void(const ItemText&)>& visit,
                         const ItemText& item) const
{
    if (!FReading) {
        visit(item);
        return;
    }
    try {
        visit(item);
        ++FReading->valid;
    } catch (const BadItem& e) {
        if (!FReading->skip)
            throw;
        FReading->pass(e.what());
    }
}

void ItemInput::forEach(const std::function<void(const ItemText&)>& visit) const
{
    if (paired()) {
        visitOne(visit, {FArguments[0], FArguments[1]});
        return;
    }
    for (const std::string& argument : FArguments) {
        if (argument == "-") {
            readLines(0, StandardInputName, visit);
        } else if (!argument.empty() && argument[0] == '@') {
            const ListFile file(argument);
            readLines(file.fd(), file.path(), visit);
        } else {
            visitOne(visit, {argument, std::string_view()});
        }
    }
}

void ItemInput::readLines(int fd, const std::string& name,
                          const std::function<void(const ItemText&)>& visit) const
{
    LineReader reader(fd, name);
    if (FReading && FReading->beforeRead)
        reader.setBeforeRead(FReading->beforeRead);
    std::string_view line;
    ItemText item;
    item.source = &reader.name();
    try {
        while (reader.next(line)) {
            item.line = reader.number();
            if (reader.tooLong()) {
                visitOne(
                    [&](const ItemText&) {
                        throw BadItem(item.where() + ": expected a line of at most " +
                                      std::to_string(MaxLineBytes) + " bytes");
                    },
                    item);
                continue;
            }
            // One pass: the blanks around the item, a comment after it, and
            // whether a second word follows the first.
            const char* p = line.data();
            const char* const stop = p + line.size();
            while (p < stop && text::isBlank(*p))
                ++p;
            const char* const start = p;
            const char* end = p;
            bool blankSeen = false, secondWord = false;
            for (; p < stop && *p != '#'; ++p) {
                if (text::isBlank(*p)) {
                    blankSeen = true;
                } else {
                    secondWord = secondWord || blankSeen;
                    end = p + 1;
                }
            }
            const std::string_view content(start, size_t(end - start));
            if (content.empty())
                continue;
            item.text = content;
            if (!secondWord) {
                visitOne(visit, item);
                continue;
            }
            visitOne(
                [&](const ItemText&) { throwBadToken(item.where(), content, "one item per line"); },
                item);
        }
    } catch (const InputError& e) {
        throw UsageError(e.what());
    }
}
