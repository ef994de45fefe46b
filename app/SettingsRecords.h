#pragma once

#include <QByteArray>
#include <cstdint>

// The binary records of the settings store, little-endian, byte for byte as
// earlier releases wrote them.

// Node record, 8 bytes: packet size, then processing time.
struct TNodeRecord
{
    static constexpr int size = 8;
    int32_t PacketSize = 0;
    int32_t ProcessTime = 0;
};

// Network record, 20 bytes: bandwidth (IEEE single), kind byte, three zero
// padding bytes, left, propagation delay, top.
struct TNetworkRecord
{
    static constexpr int size = 20;
    float Bandwidth = 0;
    uint8_t Kind = 0;
    int32_t Left = 0;
    int32_t PropagationDelay = 0;
    int32_t Top = 0;
};

QByteArray encodeNodeRecord(const TNodeRecord& record);
QByteArray encodeNetworkRecord(const TNetworkRecord& record);

// A record shorter than its size is not trusted at all: the caller keeps
// its own values (false). Longer values never get here; the store refuses them.
bool decodeNodeRecord(const QByteArray& bytes, TNodeRecord& record);
bool decodeNetworkRecord(const QByteArray& bytes, TNetworkRecord& record);
