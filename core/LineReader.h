#pragma once

#include "core/Errors.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// The one reader of people's and scripts' input: standard input, files
// named on the command line, plan files. Lines come through one buffer as
// they are read, so a list of millions of lines is never held whole.
//
// Every reader has the same rules: a UTF-8 byte order mark at the start is
// skipped; a line ends at LF (a CR before it belongs to the line end too);
// the last line needs no line end; and a line holds at most MaxLineBytes
// bytes, its line end not counted. Places are named as compilers name
// them, "FILE:LINE" ("<stdin>:LINE" for standard input).

constexpr size_t MaxLineBytes = 65536;

// The name standard input has in messages.
extern const char* const StandardInputName;

// "FILE:LINE".
std::string lineLocation(const std::string& source, uint64_t line);

// Input that cannot be read, with the place it names in what().
class InputError : public EZentrixError
{
public:
    using EZentrixError::EZentrixError;
};

class LineReader
{
public:
    // `name` names the source in messages: a file's path, or
    // StandardInputName. The descriptor stays the caller's.
    LineReader(int fd, std::string name);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line, without its line end; false at the end of the input.
    // A line longer than MaxLineBytes comes as its first MaxLineBytes bytes
    // with tooLong() set (the rest of it is passed over), for the caller to
    // refuse or skip. Raises InputError when the source cannot be read.
    bool next(std::string_view& line);
    bool tooLong() const { return FTooLong; }

    // Called before each read of the source, which may wait for more: a
    // stream's answers so far can go out first (JSON lines as each item is
    // done, when items come slowly through a pipe).
    void setBeforeRead(std::function<void()> beforeRead) { FBeforeRead = std::move(beforeRead); }

    uint64_t number() const { return FNumber; }
    const std::string& name() const { return FName; }
    // "FILE:LINE" of the line last read.
    std::string location() const { return lineLocation(FName, FNumber); }

private:
    bool fill();

    int FFd;
    std::string FName;
    std::unique_ptr<char[]> FBuffer;
    size_t FStart = 0;
    size_t FEnd = 0;
    uint64_t FNumber = 0;
    bool FEof = false;
    bool FStarted = false;
    bool FTooLong = false;
    std::function<void()> FBeforeRead;
};

// All of a source as text, read through a LineReader (so with its rules)
// with LF line ends. Raises InputError naming the line that is too long,
// and when the whole is more than `maxBytes`.
std::string readAllLines(int fd, const std::string& name, size_t maxBytes);
