#include "performance/RememberedPath.h"

#include "controls/SideStore.h"
#include "core/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString useChainKey = QStringLiteral("UseChain");
const QString bandwidthKey = QStringLiteral("Bandwidth");
const QString roundTripKey = QStringLiteral("RoundTrip");
const QString mtuKey = QStringLiteral("Mtu");
const QString ipVersionKey = QStringLiteral("IpVersion");
const QString timestampsKey = QStringLiteral("Timestamps");
const QString windowKey = QStringLiteral("Window");
const QString scalingKey = QStringLiteral("WindowScaling");
const QString lossKey = QStringLiteral("Loss");
const QString sizeKey = QStringLiteral("TransferSize");
const QString stackKey = QStringLiteral("Stack");
const QString plotKey = QStringLiteral("Plot");
const QString geometryKey = QStringLiteral("Geometry");

void readText(const QSettings& store, const QString& key, QString& value)
{
    const QVariant stored = store.value(key);
    if (stored.canConvert<QString>() && stored.typeId() != QMetaType::QStringList)
        value = stored.toString();
}

void readFlag(const QSettings& store, const QString& key, bool& value)
{
    const QString text = store.value(key).toString();
    if (text == QLatin1String("true") || text == QLatin1String("false"))
        value = text == QLatin1String("true");
}

void readNumber(const QSettings& store, const QString& key, int low, int high, int& value)
{
    bool ok = false;
    const int stored = store.value(key).toString().toInt(&ok);
    if (ok && stored >= low && stored <= high)
        value = stored;
}

} // namespace

QString TRememberedPath::storeFileName()
{
    return sidestore::fileName(QStringLiteral("Path Performance"));
}

TRememberedPath TRememberedPath::load()
{
    TRememberedPath remembered;
    const QString path = storeFileName();
    if (!QFile::exists(path))
        return remembered;
    QSettings store(path, QSettings::IniFormat);
    if (store.status() != QSettings::NoError) {
        const QString where = sidestore::setAside(path);
        throw EZentrixError(QStringLiteral("The remembered path could not be read (it is not a "
                                           "settings file). %1 The path window starts with its "
                                           "defaults.")
                                .arg(where)
                                .toStdString());
    }
    readFlag(store, useChainKey, remembered.UseChain);
    readText(store, bandwidthKey, remembered.Bandwidth);
    readText(store, roundTripKey, remembered.RoundTrip);
    readNumber(store, mtuKey, 68, 65535, remembered.Mtu);
    int version = remembered.IpVersion;
    readNumber(store, ipVersionKey, 4, 6, version);
    remembered.IpVersion = version == 6 ? 6 : 4;
    readFlag(store, timestampsKey, remembered.Timestamps);
    readText(store, windowKey, remembered.Window);
    readFlag(store, scalingKey, remembered.Scaling);
    readText(store, lossKey, remembered.Loss);
    readText(store, sizeKey, remembered.Size);
    readText(store, stackKey, remembered.Stack);
    readNumber(store, plotKey, 0, 2, remembered.Plot);
    remembered.Geometry = store.value(geometryKey).toByteArray();
    return remembered;
}

void TRememberedPath::save() const
{
    const QString path = storeFileName();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings store(path, QSettings::IniFormat);
    store.setValue(useChainKey, UseChain);
    store.setValue(bandwidthKey, Bandwidth);
    store.setValue(roundTripKey, RoundTrip);
    store.setValue(mtuKey, Mtu);
    store.setValue(ipVersionKey, IpVersion);
    store.setValue(timestampsKey, Timestamps);
    store.setValue(windowKey, Window);
    store.setValue(scalingKey, Scaling);
    store.setValue(lossKey, Loss);
    store.setValue(sizeKey, Size);
    store.setValue(stackKey, Stack);
    store.setValue(plotKey, Plot);
    store.setValue(geometryKey, Geometry);
    store.sync();
    if (store.status() != QSettings::NoError)
        throw EZentrixError(QStringLiteral("Could not remember the path window's inputs in %1.")
                                .arg(QDir::toNativeSeparators(path))
                                .toStdString());
}
