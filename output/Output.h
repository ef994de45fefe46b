#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// Standard output through one large buffer: a listing of a million subnets
// is written in a few dozen system calls instead of one per line, and its
// memory stays the buffer's whatever the count. Nothing reaches the file
// descriptor before the buffer first fills or flush() runs, so a command
// that fails while it is still checking its input leaves standard output
// empty: discard() drops what it had written. A full buffer is written up
// to its last line end, so what reached the descriptor before a failure is
// whole lines (whole objects of JSON lines), never half of one.
class Output
{
public:
    // Writes to the file descriptor (1 for standard output).
    explicit Output(int fd);
    // Collects everything in `sink` instead (tests, the window's exports).
    explicit Output(std::string& sink);
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // The most that reserve gives at once.
    static constexpr size_t MaxReserve = 4096;

    void write(std::string_view text);
    void write(char c);
    // `count` copies of `c`, in pieces of the buffer's room: padding of any
    // width.
    void repeat(char c, size_t count);
    // Room for `size` bytes (at most MaxReserve) at the end of the buffer:
    // write them and hand the end back to commit. Longer text goes through
    // write and repeat.
    char* reserve(size_t size);
    void commit(char* end) { FUsed = size_t(end - FBuffer.get()); }

    // Everything written so far, to the descriptor or the sink.
    void flush();
    void discard() { FUsed = 0; }

private:
    // Makes room: writes the buffer up to its last line end (all of it when
    // it holds none).
    void drain();
    void send(const char* data, size_t size);

    int FFd = -1;
    std::string* FSink = nullptr;
    // Not zero-filled: a short answer touches only the pages it uses.
    std::unique_ptr<char[]> FBuffer;
    size_t FUsed = 0;
};
