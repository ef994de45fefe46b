#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The items of a command line, as people and scripts give them: arguments,
// '-' for standard input and @FILE for a file, one item per line there,
// with blank lines and '#' comments. Lines come through core's LineReader
// as they are read, so a list of millions of items is never held as text.
// Nothing else gives items: a command that needs some and has none says so.

struct ItemText
{
    std::string_view text;
    // The mask of ADDRESS MASK, given as the only two arguments.
    std::string_view mask;
    // The file a line came from (its name, or "<stdin>") and its number; no
    // source for an argument.
    const std::string* source = nullptr;
    uint64_t line = 0;

    // For messages: "FILE:LINE", or empty for an argument.
    std::string where() const;
};

// How a command reads its lists. Items that are no valid input, when
// --skip-invalid passes them over: the first few are named on standard
// error as they are met, and the command ends with a count.
struct ItemReading
{
    static constexpr uint64_t Named = 5;

    bool skip = false; // --skip-invalid
    // Called before a list is read further (see LineReader::setBeforeRead).
    std::function<void()> beforeRead;
    uint64_t valid = 0;
    uint64_t skipped = 0;

    void pass(const std::string& message);
    // After the command: the count on standard error; a UsageError when
    // nothing valid was read.
    void finish() const;
};

class ItemInput
{
public:
    // `pairMasks`: two arguments, an IPv4 address and a netmask or hostmask,
    // are one item (ADDRESS MASK); otherwise each argument is one. Bad
    // items stop the command with a UsageError naming them, or with
    // `reading` set to skip them, are passed over.
    ItemInput(const std::vector<std::string>& arguments, bool pairMasks,
              ItemReading* reading = nullptr);

    // Visits every item in order. Throws UsageError naming the source when a
    // file cannot be read, and BadItem (see Command.h) naming the line when
    // one holds more than an item or more than a line may.
    void forEach(const std::function<void(const ItemText&)>& visit) const;

    // Whether the items were given as exactly one argument (neither '-' nor
    // @FILE), or as ADDRESS MASK: one answer rather than a list of them.
    bool single() const;
    bool empty() const { return FArguments.empty(); }
    // How many arguments are '-'.
    size_t standardInputs() const;

private:
    bool paired() const;
    void visitOne(const std::function<void(const ItemText&)>& visit, const ItemText& item) const;
    void readLines(int fd, const std::string& name,
                   const std::function<void(const ItemText&)>& visit) const;

    const std::vector<std::string>& FArguments;
    bool FPairMasks;
    ItemReading* FReading;
};

// Whether `text` is an IPv4 netmask or hostmask (the second of ADDRESS MASK).
bool isIpv4Mask(std::string_view text);
