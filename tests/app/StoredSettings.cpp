#include "tests/app/StoredSettings.h"

#include "path/LatencyLayout.h"

#include <QSettings>

void plant(const QMap<QString, QVariant>& values)
{
    QSettings raw;
    raw.clear();
    for (auto it = values.begin(); it != values.end(); ++it)
        raw.setValue(it.key(), it.value());
    raw.sync();
}

QByteArray bytesOf(const std::vector<uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray networkBytes(float bandwidth, uint8_t kind, int32_t left, int32_t delay, int32_t top)
{
    TNetworkRecord record;
    record.Bandwidth = bandwidth;
    record.Kind = kind;
    record.Left = left;
    record.PropagationDelay = delay;
    record.Top = top;
    return bytesOf(encodeNetworkRecord(record));
}
