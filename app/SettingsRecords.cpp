#include "app/SettingsRecords.h"

#include <QtEndian>
#include <cstring>

namespace {

void putInt(QByteArray& bytes, int offset, int32_t value)
{
    qToLittleEndian<int32_t>(value, bytes.data() + offset);
}

int32_t getInt(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<int32_t>(bytes.constData() + offset);
}

} // namespace

QByteArray encodeNodeRecord(const TNodeRecord& record)
{
    QByteArray bytes(TNodeRecord::size, '\0');
    putInt(bytes, 0, record.PacketSize);
    putInt(bytes, 4, record.ProcessTime);
    return bytes;
}

QByteArray encodeNetworkRecord(const TNetworkRecord& record)
{
    QByteArray bytes(TNetworkRecord::size, '\0');
    uint32_t bits;
    std::memcpy(&bits, &record.Bandwidth, sizeof bits);
    putInt(bytes, 0, static_cast<int32_t>(bits));
    bytes[4] = static_cast<char>(record.Kind);
    putInt(bytes, 8, record.Left);
    putInt(bytes, 12, record.PropagationDelay);
    putInt(bytes, 16, record.Top);
    return bytes;
}

bool decodeNodeRecord(const QByteArray& bytes, TNodeRecord& record)
{
    if (bytes.size() < TNodeRecord::size)
        return false;
    record.PacketSize = getInt(bytes, 0);
    record.ProcessTime = getInt(bytes, 4);
    return true;
}

bool decodeNetworkRecord(const QByteArray& bytes, TNetworkRecord& record)
{
    if (bytes.size() < TNetworkRecord::size)
        return false;
    const uint32_t bits = static_cast<uint32_t>(getInt(bytes, 0));
    std::memcpy(&record.Bandwidth, &bits, sizeof bits);
    record.Kind = static_cast<uint8_t>(bytes[4]);
    record.Left = getInt(bytes, 8);
    record.PropagationDelay = getInt(bytes, 12);
    record.Top = getInt(bytes, 16);
    return true;
}
