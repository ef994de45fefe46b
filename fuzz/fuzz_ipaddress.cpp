// Drives the six address models with operation sequences decoded from the
// input and checks every rule of the model after every step: the class agrees
// with the first octet, the bit counts stay within their bounds, the masks fit
// the class and the bits, the derived addresses and counts fit the masks, and
// an invalid argument raises its own message and changes nothing.
//
// Each step also runs on a copy through the object's own type while the
// original is reached through a base-class reference: both must end alike, so
// that a model held by a base reference keeps its own rules.

#include "core/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "ipaddress/IPAddress.h"

#include <type_traits>

namespace {

const char* const byteIndexError = "Invalid TIPAddress Byte Index";
const char* const classTypeError = "Invalid TIPAddClass Class Type";
const char* const makeMaskError = "Invalid TIPAddMask StartBit or NumBits Value";

// Every field of a model, whatever its layer; fields a layer lacks stay 0.
struct Snapshot
{
    uint32_t address = 0;
    int classType = -1;
    int networkBits = -1;
    uint32_t classMask = 0;
    uint32_t rangeMask = 0;
    int subnetBits = -1;
    int maxSubnetBits = -1;
    uint32_t subnetMask = 0;
    int supernetBits = -1;

    bool operator==(const Snapshot& o) const
    {
        return address == o.address && classType == o.classType && networkBits == o.networkBits &&
               classMask == o.classMask && rangeMask == o.rangeMask && subnetBits == o.subnetBits &&
               maxSubnetBits == o.maxSubnetBits && subnetMask == o.subnetMask &&
               supernetBits == o.supernetBits;
    }
    bool operator!=(const Snapshot& o) const { return !(*this == o); }

    std::string text() const
    {
        return TIPAddress::FormatDecimal(address) + " class " + std::to_string(classType) + "/" +
               std::to_string(networkBits) + " masks " + TIPAddress::FormatDecimal(classMask) +
               " " + TIPAddress::FormatDecimal(rangeMask) + " " +
               TIPAddress::FormatDecimal(subnetMask) + " bits " + std::to_string(subnetBits) + "/" +
               std::to_string(maxSubnetBits) + " super " + std::to_string(supernetBits);
    }
};

template <class T> Snapshot snapshot(const T& m)
{
    Snapshot s;
    s.address = m.GetAddress();
    if constexpr (std::is_base_of_v<TIPAddClass, T>) {
        s.classType = m.ClassType();
        s.networkBits = m.NetworkBits();
    }
    if constexpr (std::is_base_of_v<TIPAddMask, T>) {
        s.classMask = m.ClassMask().GetAddress();
        s.rangeMask = m.RangeMask().GetAddress();
    }
    if constexpr (std::is_same_v<T, TIPAddSubnet>) {
        s.subnetBits = m.SubnetBits();
        s.maxSubnetBits = m.MaxSubnetBits();
        s.subnetMask = m.SubnetMask().GetAddress();
    }
    if constexpr (std::is_same_v<T, TIPAddSupernet>)
        s.supernetBits = m.SupernetBits();
    return s;
}

// Reference values, worked out bit by bit rather than the way the model does.
uint32_t onesFrom(int highBit, int count)
{
    uint32_t mask = 0;
    for (int bit = highBit; bit > highBit - count && bit >= 0; --bit)
        mask |= uint32_t(1) << bit;
    return mask;
}

int classOf(unsigned firstOctet)
{
    if (firstOctet <= 127)
        return 0;
    if (firstOctet <= 191)
        return 1;
    if (firstOctet <= 223)
        return 2;
    return firstOctet <= 239 ? 3 : 4;
}

int networkBitsOf(int classType)
{
    return classType <= 2 ? 8 * (classType + 1) : 0;
}

// Reads a dotted text back: four unpadded decimal octets, or four pairs of
// upper-case hexadecimal digits.
bool parseDotted(const std::string& text, bool hex, uint32_t& value)
{
    value = 0;
    size_t i = 0;
    for (int octet = 0; octet < 4; ++octet) {
        if (octet > 0 && (i >= text.size() || text[i++] != '.'))
            return false;
        unsigned number = 0;
        size_t digits = 0;
        for (; i < text.size() && text[i] != '.'; ++i, ++digits) {
            const char c = text[i];
            if (c >= '0' && c <= '9')
                number = number * (hex ? 16 : 10) + unsigned(c - '0');
            else if (hex && c >= 'A' && c <= 'F')
                number = number * 16 + unsigned(c - 'A' + 10);
            else
                return false;
            if (number > 255)
                return false;
        }
        const bool shapeOk =
            hex ? digits == 2 : digits >= 1 && (digits == 1 || text[i - digits] != '0');
        if (!shapeOk)
            return false;
        value = value << 8 | number;
    }
    return i == text.size();
}

template <class T> void checkModel(const T& m, const char* name)
{
    const Snapshot s = snapshot(m);
    const auto context = [&] { return std::string(name) + " " + s.text(); };

    uint32_t parsed = 0;
    FUZZ_CHECK(parseDotted(m.DecimalText(), false, parsed) && parsed == s.address,
               context() + " decimal " + m.DecimalText());
    FUZZ_CHECK(parseDotted(m.HexText(), true, parsed) && parsed == s.address,
               context() + " hex " + m.HexText());

    if constexpr (std::is_base_of_v<TIPAddClass, T>) {
        FUZZ_CHECK(s.classType == classOf(m.GetByte(0)), context());
        FUZZ_CHECK(s.networkBits == networkBitsOf(s.classType), context());
        FUZZ_CHECK(m.ClassLetter() == "ABCDE"[s.classType], context());
    }
    if constexpr (std::is_base_of_v<TIPAddMask, T>)
        FUZZ_CHECK(s.classMask == onesFrom(31, s.networkBits), context());
    if constexpr (std::is_same_v<T, TIPAddMask> || std::is_same_v<T, TIPAddNetwork>)
        FUZZ_CHECK(s.rangeMask == 0, context());
    if constexpr (std::is_base_of_v<TIPAddNetwork, T>)
        FUZZ_CHECK(s.classType <= 2 && m.GetByte(0) <= 223, context());

    if constexpr (std::is_same_v<T, TIPAddSubnet>) {
        const int nb = s.networkBits, bits = s.subnetBits, hostBits = 32 - nb - bits;
        const uint8_t first = m.GetByte(0);
        FUZZ_CHECK(first != 0 && first != 127, context());
        FUZZ_CHECK(s.maxSubnetBits == 30 - nb, context());
        FUZZ_CHECK(bits >= 1 && bits <= 30 - nb && hostBits >= 2, context());
        FUZZ_CHECK(s.rangeMask == onesFrom(31 - nb, bits), context());
        FUZZ_CHECK(s.subnetMask == onesFrom(31, nb + bits), context());
        FUZZ_CHECK(m.MaxSubnets() == int64_t(1) << bits, context());
        FUZZ_CHECK(m.MaxHosts() == (int64_t(1) << hostBits) - 2, context());

        const uint32_t network = m.NetworkID().GetAddress(), host = m.HostID().GetAddress();
        const uint32_t broadcast = network | ~s.subnetMask;
        FUZZ_CHECK((network | host) == s.address && (network & host) == 0, context());
        FUZZ_CHECK(m.SubnetID().GetAddress() == (network & ~s.classMask), context());
        FUZZ_CHECK(m.FirstHost().GetAddress() == network + 1, context());
        FUZZ_CHECK(m.LastHost().GetAddress() == broadcast - 1, context());
        FUZZ_CHECK(m.FirstHost().GetAddress() < m.LastHost().GetAddress(), context());

        // Four groups of eight: the fixed class bits, the rest of the network
        // bits as n, then the subnet bits as s and the host bits as h.
        const std::string map = m.BitMapText();
        FUZZ_CHECK(map.size() == 35 && map[8] == '.' && map[17] == '.' && map[26] == '.',
                   context() + " map " + map);
        std::string bitsOnly;
        for (char c : map)
            if (c != '.')
                bitsOnly += c;
        std::string expected = s.classType == 0 ? "0" : s.classType == 1 ? "10" : "110";
        expected += std::string(size_t(nb) - expected.size(), 'n') +
                    std::string(size_t(bits), 's') + std::string(size_t(hostBits), 'h');
        FUZZ_CHECK(bitsOnly == expected, context() + " map " + map);
    }

    if constexpr (std::is_same_v<T, TIPAddSupernet>) {
        const int nb = s.networkBits, bits = s.supernetBits;
        FUZZ_CHECK(bits >= 1 && bits <= 24 && bits <= nb, context());
        FUZZ_CHECK(s.rangeMask == onesFrom(31, bits), context());
        FUZZ_CHECK(m.SupernetCount() == int64_t(1) << (nb - bits), context());
        const uint32_t route = m.Route().GetAddress(), end = m.RangeEnd().GetAddress();
        FUZZ_CHECK(route <= s.address && s.address <= end, context());
        FUZZ_CHECK(uint64_t(end) - route + 1 == uint64_t(1) << (32 - bits), context());
        FUZZ_CHECK((route & ~s.rangeMask) == 0, context());
    }
}

// The same object seen through one of its bases, chosen by `choice`.
template <class T> TIPAddress& addressView(T& m, uint8_t choice)
{
    if constexpr (std::is_base_of_v<TIPAddNetwork, T>) {
        if (choice % 4 == 3)
            return static_cast<TIPAddNetwork&>(m);
    }
    if constexpr (std::is_base_of_v<TIPAddMask, T>) {
        if (choice % 4 == 2)
            return static_cast<TIPAddMask&>(m);
    }
    if constexpr (std::is_base_of_v<TIPAddClass, T>) {
        if (choice % 4 == 1)
            return static_cast<TIPAddClass&>(m);
    }
    return m;
}

template <class T> TIPAddClass& classView(T& m, uint8_t choice)
{
    if constexpr (std::is_base_of_v<TIPAddMask, T>) {
        if (choice % 2 == 1)
            return static_cast<TIPAddMask&>(m);
    }
    return m;
}

enum Action : uint8_t
{
    actSetByte,
    actSetAddress,
    actSetClassType,
    actSetBits,
    actGetByte,
    actRewriteSame,
    actionCount
};

// Arguments lean towards the valid range but still reach every value.
uint8_t octetIndex(uint8_t raw)
{
    return raw < 240 ? raw % 5 : raw;
}
uint8_t classCode(uint8_t raw)
{
    return raw < 240 ? raw % 6 : raw;
}
uint8_t bitCount(uint8_t raw)
{
    return raw < 240 ? raw % 34 : raw;
}

// The error a call must raise on a model of type T, or "" for none.
template <class T> std::string expectedError(Action action, uint8_t index, uint8_t type)
{
    if ((action == actSetByte || action == actGetByte) && index > 3)
        return byteIndexError;
    // Only the unrestricted layers refuse a class code; networks clamp it.
    if constexpr (std::is_base_of_v<TIPAddClass, T> && !std::is_base_of_v<TIPAddNetwork, T>) {
        if (action == actSetClassType && type > 4)
            return classTypeError;
    }
    return {};
}

template <class T> void step(T& model, const char* name, FuzzInput& in)
{
    const auto action = static_cast<Action>(in.byte() % actionCount);
    const uint8_t view = in.byte();
    const uint8_t index = octetIndex(in.byte());
    const uint8_t value = in.byte();
    const uint8_t type = classCode(value);
    const uint8_t bits = bitCount(value);
    const uint32_t address = in.u32();

    const Snapshot before = snapshot(model);
    T twin = model;

    // The original through a base reference, the twin through its own type.
    std::string viaBase, viaOwn;
    bool madeMask = false;
    switch (action) {
    case actSetByte:
        viaBase = errorOf([&] { addressView(model, view).SetByte(index, value); });
        viaOwn = errorOf([&] { twin.SetByte(index, value); });
        break;
    case actSetAddress:
        viaBase = errorOf([&] { addressView(model, view).SetAddress(address); });
        viaOwn = errorOf([&] { twin.SetAddress(address); });
        break;
    case actSetClassType:
        if constexpr (std::is_base_of_v<TIPAddClass, T>) {
            // Codes past class E come in too: they must be refused.
            viaBase = errorOf([&] { classView(model, view).SetClassType(TAddressClass(type)); });
            viaOwn = errorOf([&] { twin.SetClassType(TAddressClass(type)); });
        }
        break;
    case actSetBits:
        if constexpr (std::is_same_v<T, TIPAddSubnet>) {
            viaBase = errorOf([&] { model.SetSubnetBits(bits); });
            viaOwn = errorOf([&] { twin.SetSubnetBits(bits); });
        } else if constexpr (std::is_same_v<T, TIPAddSupernet>) {
            viaBase = errorOf([&] { model.SetSupernetBits(bits); });
            viaOwn = errorOf([&] { twin.SetSupernetBits(bits); });
        } else {
            // The layers without bits exercise the mask maker instead.
            const uint8_t start = bitCount(view);
            uint32_t mask = 0;
            viaBase = errorOf([&] { mask = TIPAddMask::MakeMask(start, bits); });
            const bool valid = start <= 31 && bits <= 32 && bits <= start + 1;
            FUZZ_CHECK(viaBase == (valid ? "" : makeMaskError),
                       "MakeMask " + std::to_string(start) + " " + std::to_string(bits) + ": " +
                           viaBase);
            FUZZ_CHECK(!valid || mask == onesFrom(start, bits),
                       "MakeMask " + std::to_string(start) + " " + std::to_string(bits));
            viaOwn = viaBase;
            madeMask = true;
        }
        break;
    case actGetByte: {
        uint8_t octet = 0;
        viaBase = errorOf([&] { octet = addressView(model, view).GetByte(index); });
        FUZZ_CHECK(!viaBase.empty() || index > 3 ||
                       octet == uint8_t(before.address >> (24 - 8 * index)),
                   std::string(name) + " GetByte " + std::to_string(index));
        viaOwn = errorOf([&] { twin.GetByte(index); });
        break;
    }
    case actRewriteSame: {
        // Writing what a model already holds changes nothing. The network
        // layers normalise a first octet before comparing, so on them this
        // holds for the class choice only.
        const uint8_t i = index % 4;
        if constexpr (!std::is_same_v<T, TIPAddNetwork> && !std::is_same_v<T, TIPAddSupernet>)
            addressView(model, view).SetByte(i, model.GetByte(i));
        if constexpr (std::is_base_of_v<TIPAddClass, T>)
            classView(model, view).SetClassType(model.ClassType());
        FUZZ_CHECK(snapshot(model) == before, std::string(name) + " rewrite octet " +
                                                  std::to_string(i) + ": " + before.text() +
                                                  " became " + snapshot(model).text());
        viaOwn = viaBase;
        twin = model;
        break;
    }
    default:
        break;
    }

    const std::string context = std::string(name) + " action " + std::to_string(action) + " view " +
                                std::to_string(view % 4) + " index " + std::to_string(index) +
                                " value " + std::to_string(value) + " address " +
                                TIPAddress::FormatDecimal(address) + " on " + before.text();
    if (!madeMask)
        FUZZ_CHECK(viaBase == expectedError<T>(action, index, type), context + ": " + viaBase);
    FUZZ_CHECK(viaBase == viaOwn, context + ": " + viaBase + " / " + viaOwn);
    FUZZ_CHECK(viaBase.empty() || snapshot(model) == before, context + " changed on error");
    FUZZ_CHECK(snapshot(model) == snapshot(twin),
               context + ": " + snapshot(model).text() + " / " + snapshot(twin).text());
}

struct Models
{
    TIPAddress address;
    TIPAddClass classed;
    TIPAddMask mask;
    TIPAddNetwork network;
    TIPAddSubnet subnet;
    TIPAddSupernet supernet;

    void checkAll() const
    {
        checkModel(address, "TIPAddress");
        checkModel(classed, "TIPAddClass");
        checkModel(mask, "TIPAddMask");
        checkModel(network, "TIPAddNetwork");
        checkModel(subnet, "TIPAddSubnet");
        checkModel(supernet, "TIPAddSupernet");
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    Models m;
    m.checkAll();
    // A step reads at most nine bytes; long inputs are cut off so that one
    // input stays quick to run.
    for (int steps = 0; !in.atEnd() && steps < 256; ++steps) {
        switch (in.byte() % 6) {
        case 0:
            step(m.address, "TIPAddress", in);
            break;
        case 1:
            step(m.classed, "TIPAddClass", in);
            break;
        case 2:
            step(m.mask, "TIPAddMask", in);
            break;
        case 3:
            step(m.network, "TIPAddNetwork", in);
            break;
        case 4:
            step(m.subnet, "TIPAddSubnet", in);
            break;
        default:
            step(m.supernet, "TIPAddSupernet", in);
        }
        m.checkAll();
    }
    // The text forms of arbitrary values, not only of those the models reach.
    FuzzInput tail(data, size);
    const uint32_t any = tail.u32();
    uint32_t parsed = 0;
    FUZZ_CHECK(parseDotted(TIPAddress::FormatDecimal(any), false, parsed) && parsed == any,
               TIPAddress::FormatDecimal(any));
    FUZZ_CHECK(parseDotted(TIPAddress::FormatHex(any), true, parsed) && parsed == any,
               TIPAddress::FormatHex(any));
    return 0;
}
