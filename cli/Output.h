#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// Standard output through one large buffer: a listing of a million subnets
// is written in a few dozen system calls instead of one per line, and its
// memory stays the buffer's whatever the count. Nothing reaches the file
// descriptor before the buffer first fills or Flush() runs, so a command
// that fails while it is still checking its input leaves standard output
// empty: Discard() drops what it had written.
class Output
{
public:
    // Writes to the file descriptor (1 for standard output).
    explicit Output(int fd);
    // Collects everything in `sink` instead, for tests.
    explicit Output(std::string& sink);
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // The most that Reserve gives at once.
    static constexpr size_t MaxReserve = 4096;

    void Write(std::string_view text);
    void Write(char c);
    // `count` copies of `c`, in pieces of the buffer's room: padding of any
    // width.
    void Repeat(char c, size_t count);
    // Room for `size` bytes (at most MaxReserve) at the end of the buffer:
    // write them and hand the end back to Commit. Longer text goes through
    // Write and Repeat.
    char* Reserve(size_t size);
    void Commit(char* end) { FUsed = size_t(end - FBuffer.get()); }

    void Flush();
    void Discard() { FUsed = 0; }

private:
    void drain();

    int FFd = -1;
    std::string* FSink = nullptr;
    // Not zero-filled: a short answer touches only the pages it uses.
    std::unique_ptr<char[]> FBuffer;
    size_t FUsed = 0;
};
