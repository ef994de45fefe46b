#include "app/SettingsStore.h"

#include "core/Errors.h"

#include <QSettings>

namespace {

[[noreturn]] void fail(const char* what, const QString& name)
{
    throw EZentrixError(QStringLiteral("%1 for '%2'").arg(QLatin1String(what), name).toStdString());
}

} // namespace

TSettingsStore::TSettingsStore() : FStore(std::make_unique<QSettings>()) {}

TSettingsStore::TSettingsStore(const QString& fileName)
    : FStore(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{
}

TSettingsStore::~TSettingsStore() = default;

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

bool TSettingsStore::ValueExists(const QString& name) const
{
    return FStore->contains(name);
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
    FStore->setValue(name, value);
    commit(name);
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
    FStore->setValue(name, value);
    commit(name);
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
    FStore->setValue(name, data);
    commit(name);
}

void TSettingsStore::commit(const QString& name)
{
    // The store writes lazily; syncing here makes a refused write show at
    // the value that caused it, and keeps every value written before it.
    FStore->sync();
    if (FStore->status() != QSettings::NoError)
        fail("Failed to set data", name);
}
