#include "app/SettingsStore.h"

#include "core/Errors.h"

#include <QFile>
#include <QSettings>

namespace {

QString message(const char* what, const QString& name)
{
    return QStringLiteral("%1 for '%2'").arg(QLatin1String(what), name);
}

[[noreturn]] void fail(const char* what, const QString& name)
{
    throw EZentrixError(message(what, name).toStdString());
}

// Moves the file to the first free name of "<file>.unreadable",
// "<file>.unreadable-2", ...; never over a file kept before. Returns the
// name it now has, or nothing when it could not be moved.
QString keepAside(const QString& fileName)
{
    const QString kept = fileName + QStringLiteral(".unreadable");
    for (int n = 1; n <= 1000; ++n) {
        const QString target = n == 1 ? kept : kept + QStringLiteral("-%1").arg(n);
        if (!QFile::exists(target))
            return QFile::rename(fileName, target) ? target : QString();
    }
    return QString();
}

} // namespace

TSettingsStore::TSettingsStore() : FStore(std::make_unique<QSettings>())
{
    // The organization's shared file and the system-wide files hold no
    // settings of Zentrix, yet any value in them would make its key seem to
    // exist.
    FStore->setFallbacksEnabled(false);
    setAsideIfUnreadable();
}

TSettingsStore::TSettingsStore(const QString& fileName)
    : FStore(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{
    setAsideIfUnreadable();
}

TSettingsStore::~TSettingsStore() = default;

QString TSettingsStore::MissingValueMessage(const QString& name)
{
    return message("Failed to get data", name);
}

void TSettingsStore::setAsideIfUnreadable()
{
    // The file is parsed part by part as values are asked for; asking for
    // all of them parses it whole now, before anything is read or written.
    FStore->allKeys();
    if (FStore->status() != QSettings::FormatError)
        return;
    FUnreadable = true;
    // Whatever part of the file was understood goes with it: a store of
    // half the values would load as damaged settings, and saving would
    // write them back mixed with the new ones. Nothing is pending, so
    // closing writes nothing.
    FUnreadableFile = FStore->fileName();
    const QSettings::Format format = FStore->format();
    FStore.reset();
    FKeptAs = keepAside(FUnreadableFile);
    FReadOnly = FKeptAs.isEmpty();
    FStore = std::make_unique<QSettings>(FUnreadableFile, format);
}

bool TSettingsStore::KeyExists() const
{
    return !FStore->allKeys().isEmpty();
}

bool TSettingsStore::OpenKey(bool create)
{
    return create || KeyExists();
}

void TSettingsStore::CloseKey()
{
    FStore->sync();
}

int32_t TSettingsStore::ReadInteger(const QString& name) const
{
    const QVariant value = FStore->value(name);
    if (!value.isValid())
        fail("Failed to get data", name);
    switch (value.typeId()) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::QString: {
        // Text files keep integers as their digits.
        bool ok = false;
        const int number = value.toString().toInt(&ok, 10);
        if (ok)
            return number;
        break;
    }
    default:
        break;
    }
    fail("Invalid data type", name);
}

void TSettingsStore::WriteInteger(const QString& name, int32_t value)
{
    write(name, value);
}

QString TSettingsStore::ReadString(const QString& name) const
{
    const QVariant value = FStore->value(name);
    if (!value.isValid())
        return QString();
    if (value.typeId() != QMetaType::QString)
        fail("Invalid data type", name);
    QString text = value.toString();
    if (text.endsWith(QChar(0)))
        text.chop(1);
    return text;
}

void TSettingsStore::WriteString(const QString& name, const QString& value)
{
    write(name, value);
}

QByteArray TSettingsStore::ReadBinaryData(const QString& name, int size) const
{
    const QVariant value = FStore->value(name);
    if (!value.isValid())
        return QByteArray();
    if (value.typeId() != QMetaType::QByteArray)
        fail("Invalid data type", name);
    const QByteArray data = value.toByteArray();
    if (data.size() > size)
        fail("Invalid data type", name);
    return data;
}

void TSettingsStore::WriteBinaryData(const QString& name, const QByteArray& data)
{
    write(name, data);
}

void TSettingsStore::write(const QString& name, const QVariant& value)
{
    // An unreadable file that could not be kept elsewhere is not written over.
    if (FReadOnly)
        fail("Failed to set data", name);
    FStore->setValue(name, value);
    // The store writes lazily; syncing here makes a refused write show at
    // the value that caused it, and keeps every value written before it.
    // Only a refused write counts: a format error met while syncing does not
    // stop the store from writing.
    FStore->sync();
    if (FStore->status() == QSettings::AccessError)
        fail("Failed to set data", name);
}
