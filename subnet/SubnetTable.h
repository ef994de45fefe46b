#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class TIPAddSubnet;

// The rows of the Subnets/Hosts table, worked out from a subnet model alone so
// that the listing can be checked without any window.
namespace subnettable {

// The table stops at subnet 16384 however many subnets the network has: past
// 14 subnet bits it lists subnets 0 to 16384, 16385 rows.
constexpr int32_t LastListedLimit = 16384;

// Number of the last subnet listed: 2^SubnetBits - 1, at most 16384.
int32_t lastListedSubnet(const TIPAddSubnet& subnet);

// The subnet number right-aligned in five characters: "    0", "16384".
QString numberText(int32_t number);

// "128.0.0.1  -  128.0.0.254": the first and last host of the subnet that
// holds the model's address.
QString hostRangeText(const TIPAddSubnet& subnet);

// Calls row(number, numberCell, rangeCell) for subnets 0 to
// lastListedSubnet(subnet), in order, with the texts of the row's two cells.
// Only the network, class and subnet bits of `subnet` matter: its host part
// is ignored.
using RowSink =
    std::function<void(int32_t number, const QString& numberCell, const QString& rangeCell)>;
void forEachRow(const TIPAddSubnet& subnet, const RowSink& row);

} // namespace subnettable
