#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

// What the settings tests share: writing the store behind the program's back
// and the bytes of its records.

// Values written behind the program's back, as a damaged or foreign store has them.
void plant(const QMap<QString, QVariant>& values);

QByteArray bytesOf(const std::vector<uint8_t>& bytes);

// A stored network record with the given fields.
QByteArray networkBytes(float bandwidth, uint8_t kind, int32_t left = 100, int32_t delay = 0,
                        int32_t top = 100);
