#pragma once

#include "path/ElementDelay.h"
#include "path/LatencyElement.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The latency calculator's layout as the settings store keeps it: the two
// nodes, and each network between them with its record and its name.
//
// Values, by name: "NodeA" and "NodeB" (node records), "NumNetworks" (an
// integer), and for n = 1 .. NumNetworks "Network<n>" (a network record) and
// "Network<n>Name" (text). Records are little-endian, byte for byte as
// earlier releases wrote them. Damaged values are repaired on reading, so
// that whatever the store holds gives a layout the calculator can show.

// Node record, 8 bytes: packet size, then processing time.
struct TNodeRecord
{
    static constexpr size_t size = 8;
    int32_t PacketSize = 0;  // bytes
    int32_t ProcessTime = 0; // ms
};

// Network record, 20 bytes: bandwidth (IEEE single), kind byte, three zero
// padding bytes, left edge, propagation delay, top edge.
struct TNetworkRecord
{
    static constexpr size_t size = 20;
    float Bandwidth = 0;          // Mbps
    uint8_t Kind = 0;             // a TNetworkButtonKind
    int32_t Left = 0;             // on the setup panel, pixels
    int32_t PropagationDelay = 0; // ms
    int32_t Top = 0;
};

std::vector<uint8_t> encodeNodeRecord(const TNodeRecord& record);
std::vector<uint8_t> encodeNetworkRecord(const TNetworkRecord& record);
// The record as stored, unrepaired; none when the bytes are fewer than the
// record's size (nothing of such a record is trusted). Bytes past the size
// are not read.
std::optional<TNodeRecord> decodeNodeRecord(const std::vector<uint8_t>& bytes);
std::optional<TNetworkRecord> decodeNetworkRecord(const std::vector<uint8_t>& bytes);

// Repairs of damaged or foreign values, so that none makes an element
// unusable: a negative size, time or delay has no meaning (it would show
// shares of negative delays) and becomes 0; so does a bandwidth that is
// negative or no finite number; a kind that is no network kind (a node's, or
// past the last kind) becomes nbUnknownNetwork; and an element placed off
// the setup panel is moved to its nearest edge.
TNodeRecord repairedNode(const TNodeRecord& record);
TNetworkRecord repairedNetwork(const TNetworkRecord& record);
// The networks to read for a stored count: none for a count below 1, and
// never more than the chain has room for.
int storedNetworkCount(int32_t numNetworks);

struct TStoredNetwork
{
    // The record, repaired; none when it was missing or short, and the
    // network is then a fresh one.
    std::optional<TNetworkRecord> Record;
    // UTF-8; empty when the value is missing. None when reading stopped at
    // the name: the network then has only what its record gave before it.
    std::optional<std::string> Name;
};

// What a stored network brings to a fresh network's timing: kind and
// bandwidth from its record, and the propagation delay only when its name was
// read as well (a read that stopped at the name leaves the rest fresh).
TChainElement storedNetworkTiming(const TStoredNetwork& stored);

struct TLatencyLayout
{
    // None when the record is missing or short: the node keeps its values.
    std::optional<TNodeRecord> NodeA;
    std::optional<TNodeRecord> NodeB;
    std::vector<TStoredNetwork> Networks;
};

// Where a layout is read from: the store's values by name. Reads raise
// EZentrixError with the store's messages ("Failed to get data for '%s'"
// for a missing integer, "Invalid data type for '%s'" for a value of the
// wrong kind or a record longer than `size`).
class TLayoutSource
{
public:
    virtual ~TLayoutSource() = default;
    virtual int32_t ReadInteger(const std::string& name) = 0;
    // UTF-8; empty when missing.
    virtual std::string ReadString(const std::string& name) = 0;
    // At most `size` bytes; fewer (or none) when the value is shorter or missing.
    virtual std::vector<uint8_t> ReadBinaryData(const std::string& name, size_t size) = 0;
};

// Where a layout is written to. Writes may raise EZentrixError; what was
// written before stays written.
class TLayoutSink
{
public:
    virtual ~TLayoutSink() = default;
    virtual void WriteInteger(const std::string& name, int32_t value) = 0;
    virtual void WriteString(const std::string& name, const std::string& value) = 0;
    virtual void WriteBinaryData(const std::string& name, const std::vector<uint8_t>& bytes) = 0;
};

// Reads node A, node B, the network count, then each network's record and
// name, in that order, repairing what is damaged. A read that raises stops
// there and leaves in `layout` what was read before it.
void readLatencyLayout(TLayoutSource& source, TLatencyLayout& layout);
// Writes the count, the nodes, then each network's record and name. Values of
// higher-numbered networks from a longer chain stay in the store, unread. An
// absent node record is not written; an absent network record is written
// empty and an absent name as empty text, so each reads back absent.
void writeLatencyLayout(TLayoutSink& sink, const TLatencyLayout& layout);
