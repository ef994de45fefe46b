#include "cli/SettingsFile.h"

#include "cli/Command.h"
#include "core/LineReader.h"
#include "core/QorvelGlobal.h"
#include "core/Text.h"
#include "core/Utf8.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what, const std::string& name)
{
    throw UsageError(std::string(what) + " for '" + name + "'");
}

// One value's text as QSettings writes it: double quotes around parts that
// need them, C-style escapes (\x with any number of hexadecimal digits, a
// backslash with octal ones), and unquoted commas between the items of a
// list. The characters come back as code points: raw bytes of the file are
// UTF-8, an escape gives its code.
bool unescape(std::string_view text, std::vector<uint32_t>& codes, bool& isList)
{
    bool quoted = false;
    isList = false;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"') {
            quoted = !quoted;
            ++i;
        } else if (c == ',' && !quoted) {
            isList = true;
            ++i;
        } else if (c == '\\') {
            if (++i >= text.size())
                return false;
            const char e = text[i++];
            uint32_t code = 0;
            switch (e) {
            case 'a':
                code = '\a';
                break;
            case 'b':
                code = '\b';
                break;
            case 'f':
                code = '\f';
                break;
            case 'n':
                code = '\n';
                break;
            case 'r':
                code = '\r';
                break;
            case 't':
                code = '\t';
                break;
            case 'v':
                code = '\v';
                break;
            case 'x':
                while (i < text.size() && HexDigitValue(text[i]) >= 0 && code <= 0xFFFF)
                    code = code * 16 + uint32_t(HexDigitValue(text[i++]));
                break;
            default:
                if (e >= '0' && e <= '7') {
                    code = uint32_t(e - '0');
                    while (i < text.size() && text[i] >= '0' && text[i] <= '7' && code <= 0xFFFF)
                        code = code * 8 + uint32_t(text[i++] - '0');
                } else {
                    code = static_cast<unsigned char>(e); // \" \\ \; \, and the like
                }
            }
            codes.push_back(code);
        } else if (c < 0x80) {
            codes.push_back(c);
            ++i;
        } else {
            // UTF-8: the lead byte says how many continuation bytes follow.
            const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
            if (extra < 0)
                return false;
            uint32_t code = c & (0x3F >> extra);
            for (int k = 1; k <= extra; ++k) {
                if (i + size_t(k) >= text.size())
                    return false;
                code = code << 6 | (static_cast<unsigned char>(text[i + size_t(k)]) & 0x3F);
            }
            codes.push_back(code);
            i += size_t(extra) + 1;
        }
    }
    return !quoted;
}

SettingsFile::Value decodeValue(std::string_view text)
{
    std::vector<uint32_t> codes;
    bool isList = false;
    if (!unescape(text, codes, isList))
        return {SettingsFile::Kind::Other, std::string()};
    if (isList)
        return {SettingsFile::Kind::List, std::string()};

    std::string plain;
    for (uint32_t code : codes)
        utf8::append(plain, code);
    const std::string bytesHead = "@ByteArray(";
    if (plain.compare(0, bytesHead.size(), bytesHead) == 0 && plain.back() == ')') {
        std::string bytes;
        // The codes between the parentheses are the bytes themselves.
        for (size_t k = bytesHead.size(); k + 1 < codes.size(); ++k) {
            if (codes[k] > 0xFF)
                return {SettingsFile::Kind::Other, std::string()};
            bytes += char(codes[k]);
        }
        return {SettingsFile::Kind::Bytes, bytes};
    }
    // Text holding a NUL is written as @String(...).
    const std::string stringHead = "@String(";
    if (plain.compare(0, stringHead.size(), stringHead) == 0 && plain.back() == ')')
        return {SettingsFile::Kind::Text,
                plain.substr(stringHead.size(), plain.size() - stringHead.size() - 1)};
    if (plain.compare(0, 2, "@@") == 0)
        return {SettingsFile::Kind::Text, plain.substr(1)};
    if (!plain.empty() && plain[0] == '@')
        return {SettingsFile::Kind::Other, std::string()};
    return {SettingsFile::Kind::Text, plain};
}

} // namespace

SettingsFile::SettingsFile(const std::string& path)
{
    // A directory opens as a stream that reads as empty: the first run.
    struct stat status;
    if (::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        throwBadToken(path, "a settings file, not a directory");
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throwBadToken(path, std::string("a settings file that can be read (") +
                                std::strerror(errno) + ")");
    try {
        LineReader reader(fd, path);
        std::string_view line;
        bool general = true; // keys before any section belong to [General]
        while (reader.next(line)) {
            if (reader.tooLong())
                throw UsageError(reader.location() + ": expected a line of at most " +
                                 std::to_string(MaxLineBytes) + " bytes");
            const std::string_view content = text::trimmed(line);
            if (content.empty() || content[0] == ';' || content[0] == '#')
                continue;
            if (content[0] == '[') {
                general = content == "[General]";
                continue;
            }
            const size_t equals = content.find('=');
            if (equals == std::string_view::npos)
                throw UsageError(reader.location() + ": '" + text::shownToken(content) +
                                 "': expected NAME=VALUE, as the window's settings file holds");
            FAnyValue = true;
            if (general)
                FValues[std::string(text::trimmed(content.substr(0, equals)))] =
                    decodeValue(text::trimmed(content.substr(equals + 1)));
        }
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
}

bool SettingsFile::HasName(const std::function<bool(const std::string&)>& matches) const
{
    for (const auto& value : FValues)
        if (matches(value.first))
            return true;
    return false;
}

const SettingsFile::Value* SettingsFile::Find(const std::string& name) const
{
    const auto found = FValues.find(name);
    return found == FValues.end() ? nullptr : &found->second;
}

int32_t SettingsFile::ReadInteger(const std::string& name) const
{
    const Value* value = Find(name);
    if (!value)
        fail("Failed to get data", name);
    // Text files keep integers as their digits.
    const std::string& text = value->data;
    if (value->kind == Kind::Text && !text.empty() && text[0] != ' ') {
        char* end = nullptr;
        errno = 0;
        const long long number = std::strtoll(text.c_str(), &end, 10);
        if (*end == '\0' && errno == 0 && number >= INT32_MIN && number <= INT32_MAX)
            return int32_t(number);
    }
    fail("Invalid data type", name);
}

std::string SettingsFile::ReadString(const std::string& name) const
{
    const Value* value = Find(name);
    if (!value)
        return std::string();
    if (value->kind != Kind::Text)
        fail("Invalid data type", name);
    std::string text = value->data;
    // A value written with its terminating NUL reads without it.
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::string SettingsFile::ReadBinaryData(const std::string& name, size_t maxSize) const
{
    const Value* value = Find(name);
    if (!value)
        return std::string();
    if (value->kind != Kind::Bytes || value->data.size() > maxSize)
        fail("Invalid data type", name);
    return value->data;
}
