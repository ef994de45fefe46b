#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

// The window's settings file, read without Qt: the text format QSettings
// writes on Linux (~/.config/Qorvel Group/Zentrix.conf), as far as Zentrix's
// own values need it. Values at the top level ([General]) only; each keeps
// its kind: text, a byte array (@ByteArray(...)), or a list (a value with an
// unquoted comma), which no Zentrix value is.
//
// The reads answer as the window's settings store does, with its messages:
// a missing integer is "Failed to get data for '<name>'", a value of the
// wrong kind "Invalid data type for '<name>'"; a missing text or byte array
// reads as empty.
class SettingsFile
{
public:
    // Raises UsageError naming the file when it cannot be opened, is a
    // directory, or a line cannot be read.
    explicit SettingsFile(const std::string& path);

    int32_t ReadInteger(const std::string& name) const;
    std::string ReadString(const std::string& name) const; // UTF-8
    // At most maxSize bytes; a longer value is of the wrong kind.
    std::string ReadBinaryData(const std::string& name, size_t maxSize) const;

    enum class Kind
    {
        Text,
        Bytes,
        List,
        Other, // @Variant(...) and the like
    };
    struct Value
    {
        Kind kind = Kind::Text;
        std::string data; // UTF-8 text, or the bytes
    };

    // The value as stored, or nullptr.
    const Value* Find(const std::string& name) const;
    // Whether the file holds no value at all, in any group (the window's
    // first start).
    bool IsEmpty() const { return !FAnyValue; }
    // Whether one of the top-level values has a name that `matches`.
    bool HasName(const std::function<bool(const std::string&)>& matches) const;

private:
    std::map<std::string, Value> FValues;
    bool FAnyValue = false;
};
