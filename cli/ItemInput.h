#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The items of a command line, as people and scripts give them: arguments,
// '-' for standard input and @FILE for a file, one item per line there,
// with blank lines and '#' comments. Lines are read as they come through a
// small buffer, so a list of millions of items is never held as text.

struct ItemText
{
    std::string_view text;
    // An IPv4 network mask given after an address, as ADDRESS MASK (two
    // arguments, or two words of one line): see ItemInput's pairMasks.
    std::string_view mask;
    // The file a line came from ("standard input" or the name after '@')
    // and its number; no source for an argument.
    const std::string* source = nullptr;
    uint64_t line = 0;

    // For messages: "standard input, line 3", or empty for an argument.
    std::string where() const;
};

class ItemInput
{
public:
    // `pairMasks`: an IPv4 address followed by a netmask or hostmask is one
    // item (ADDRESS MASK); otherwise each argument, or each line, is one.
    ItemInput(const std::vector<std::string>& arguments, bool pairMasks);

    // Visits every item in order. Throws UsageError naming the source when a
    // file cannot be read and naming the line when one holds more than an
    // item.
    void forEach(const std::function<void(const ItemText&)>& visit) const;

    // Whether the items were given as exactly one argument (neither '-' nor
    // @FILE, nor ADDRESS MASK): one answer rather than a list of them.
    bool single() const;
    // How many arguments are '-'.
    size_t standardInputs() const;

private:
    bool pairsAt(size_t i) const;
    void readLines(int fd, const std::string& name,
                   const std::function<void(const ItemText&)>& visit) const;

    const std::vector<std::string>& FArguments;
    bool FPairMasks;
};

// Whether `text` is an IPv4 netmask or hostmask (the second of ADDRESS MASK).
bool isIpv4Mask(std::string_view text);
