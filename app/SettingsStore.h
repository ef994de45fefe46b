#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QSettings;
class QVariant;

// The per-user settings store as the window uses it: one key holding named
// integers, strings and fixed-length binary records. Reads and writes raise
// EZentrixError with the messages users know:
//   "Failed to get data for '<name>'"  an integer that is not there,
//   "Invalid data type for '<name>'"   a value of the wrong kind, or a binary
//                                      value longer than its record,
//   "Failed to set data for '<name>'"  a write the store refuses.
//
// A file that cannot be parsed is never written over: it is kept beside the
// store as "<file>.unreadable" (numbered "-2", "-3", ... when that name is
// taken) and the store starts empty; should the file not be movable, the
// store refuses every write instead.
class TSettingsStore
{
public:
    // The store of the current user, named after the application's
    // organization and name: that one file alone, without the files shared
    // by the organization or the system.
    TSettingsStore();
    // A store kept in the given file (tests and tools).
    explicit TSettingsStore(const QString& fileName);
    ~TSettingsStore();

    TSettingsStore(const TSettingsStore&) = delete;
    TSettingsStore& operator=(const TSettingsStore&) = delete;

    // The message a read raises for a value the store does not hold.
    static QString MissingValueMessage(const QString& name);

    // True when the file could not be parsed when the store was opened.
    bool WasUnreadable() const { return FUnreadable; }
    // The unreadable file's full path.
    QString UnreadableFile() const { return FUnreadableFile; }
    // Where the unreadable file was kept; empty when it could not be moved
    // and so stays where it is, not written over.
    QString UnreadableFileKeptAs() const { return FKeptAs; }

    // True when the key holds at least one value.
    bool KeyExists() const;
    // Opens the key; with `create`, a missing key comes into being on the first write.
    bool OpenKey(bool create);
    void CloseKey();

    int32_t ReadInteger(const QString& name) const;
    void WriteInteger(const QString& name, int32_t value);
    // A missing string reads as empty; a stored terminating NUL is dropped.
    QString ReadString(const QString& name) const;
    void WriteString(const QString& name, const QString& value);
    // Up to `size` bytes: fewer when the value is missing or shorter.
    QByteArray ReadBinaryData(const QString& name, int size) const;
    void WriteBinaryData(const QString& name, const QByteArray& data);

private:
    void setAsideIfUnreadable();
    void write(const QString& name, const QVariant& value);

    std::unique_ptr<QSettings> FStore;
    bool FUnreadable = false;
    QString FUnreadableFile;
    QString FKeptAs;
    // Set while an unreadable file could not be moved out of the way.
    bool FReadOnly = false;
};
