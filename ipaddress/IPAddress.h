#pragma once

// IPv4 address model of the subnet calculator: plain value objects, no Qt.
//
// Layers (each derives from the one above it):
//   TIPAddress      32-bit address; octet 0 is the most significant byte.
//                   GetByte(i), SetByte(i, v), GetAddress(), SetAddress(v),
//                   DecimalText(), HexText(), static FormatDecimal(v), FormatHex(v)
//   TIPAddClass     + ClassType() acClassA..acClassE, NetworkBits() 8/16/24/0,
//                   SetClassType(t), ClassLetter()
//   TIPAddMask      + ClassMask(), RangeMask() (kept up to date),
//                   static MakeMask(startBit, numBits)
//   TIPAddNetwork   restricted to classes A..C: first octet normalised
//                   (0 -> 1, 127 -> 126, 224..255 -> 223), classes D and E -> C
//   TIPAddSubnet    classful network split by SubnetBits(); 128.0.0.1, class B, 8 bits
//                   SetSubnetBits(n), MaxSubnetBits(), SubnetMask(), BitMapText(),
//                   NetworkID(), SubnetID(), HostID(), FirstHost(), LastHost(),
//                   MaxSubnets(), MaxHosts()
//   TIPAddSupernet  classful network with a shorter prefix; 192.0.0.1, class C, 23 bits
//                   SetSupernetBits(n), SupernetBits(), Route(), RangeEnd(),
//                   SupernetCount()
//
// Value style: every object is a plain value that can be copied and kept on the
// stack. Queries that produce an address (NetworkID, Route, ...) return a new
// TIPAddress by value, which the caller owns; the masks an object keeps
// (ClassMask, RangeMask, SubnetMask) are members, read through const
// references. Nothing here allocates, apart from the std::string of the text
// forms. The setters are virtual so that an object changed through a reference
// to one of its bases still keeps its own rules; copying a derived object into
// a base value keeps only the base part.
//
// Setters clamp and normalise instead of failing. The only errors are invalid
// arguments, raised as EZentrixError ("core/Errors.h") before anything
// changes: "Invalid TIPAddress Byte Index" (octet index above 3),
// "Invalid TIPAddClass Class Type" (class code above 4 on TIPAddClass or
// TIPAddMask), "Invalid TIPAddMask StartBit or NumBits Value" (MakeMask).

#include <cstdint>
#include <string>

// The classful address classes. The class is kept as this 8-bit code; a
// code past acClassE is refused where a class is chosen.
enum TAddressClass : uint8_t
{
    acClassA,
    acClassB,
    acClassC,
    acClassD,
    acClassE,
};

class TIPAddress
{
public:
    TIPAddress() = default;
    explicit TIPAddress(uint32_t address) : FAddress(address) {}
    virtual ~TIPAddress() = default;
    TIPAddress(const TIPAddress&) = default;
    TIPAddress& operator=(const TIPAddress&) = default;

    // Octet 0 is bits 31..24, the first number of the dotted form.
    uint8_t GetByte(uint8_t index) const;
    // Writing the value an octet already holds changes nothing.
    virtual void SetByte(uint8_t index, uint8_t value);

    uint32_t GetAddress() const { return FAddress; }
    virtual void SetAddress(uint32_t value);

    std::string DecimalText() const { return FormatDecimal(FAddress); }
    std::string HexText() const { return FormatHex(FAddress); }

    // "192.168.1.10": unpadded decimal octets joined by ".".
    static std::string FormatDecimal(uint32_t value);
    // "C0.A8.01.0A": two upper-case hexadecimal digits per octet.
    static std::string FormatHex(uint32_t value);

protected:
    static void checkByteIndex(uint8_t index);
    void writeByte(uint8_t index, uint8_t value);

    uint32_t FAddress = 0;
};

class TIPAddClass : public TIPAddress
{
public:
    // 0.0.0.0, class A.
    TIPAddClass() = default;

    // Writing a new first octet derives the class from it; other octets leave
    // the class alone.
    void SetByte(uint8_t index, uint8_t value) override;
    // Always derives the class from the new first octet.
    void SetAddress(uint32_t value) override;
    // Chooses a class by rewriting the first octet to the class's lowest
    // usable value (1, 128, 192, 224, 240). Choosing the current class
    // changes nothing, even when the first octet is not the lowest.
    virtual void SetClassType(TAddressClass type);

    TAddressClass ClassType() const { return FClassType; }
    uint8_t NetworkBits() const { return FNetworkBits; }
    // 'A' to 'E'.
    char ClassLetter() const;

protected:
    void classify(uint8_t firstOctet);
    void setClass(TAddressClass type);

    TAddressClass FClassType = acClassA;
    uint8_t FNetworkBits = 8;
};

class TIPAddMask : public TIPAddClass
{
public:
    // 0.0.0.0, class A, ClassMask 255.0.0.0, RangeMask 0.0.0.0.
    TIPAddMask() = default;

    void SetByte(uint8_t index, uint8_t value) override;
    void SetAddress(uint32_t value) override;
    void SetClassType(TAddressClass type) override;

    // numBits consecutive one-bits whose highest is bit startBit (31 = most
    // significant). startBit above 31, numBits above 32, or a mask that would
    // run below bit 0 raise "Invalid TIPAddMask StartBit or NumBits Value".
    static uint32_t MakeMask(uint8_t startBit, uint8_t numBits);

    // The classful network mask; 0.0.0.0 for classes D and E.
    const TIPAddress& ClassMask() const { return FClassMask; }
    // A second mask for the layers above: subnet bits or supernet prefix.
    const TIPAddress& RangeMask() const { return FRangeMask; }

protected:
    void updateClassMask();

    TIPAddress FClassMask{0xFF000000u};
    TIPAddress FRangeMask;
};

class TIPAddNetwork : public TIPAddMask
{
public:
    TIPAddNetwork() = default;

    // A first octet of 0 becomes 1, 127 becomes 126 and 224..255 become 223.
    void SetByte(uint8_t index, uint8_t value) override;
    // A first octet above 223 becomes 223.
    void SetAddress(uint32_t value) override;
    // Classes D and E are taken as class C.
    void SetClassType(TAddressClass type) override;

protected:
    static uint8_t normalizedFirstOctet(uint8_t value);
};

class TIPAddSubnet : public TIPAddNetwork
{
public:
    // 128.0.0.1, class B, 8 subnet bits, SubnetMask 255.255.255.0.
    TIPAddSubnet();

    // A write that changes the class lowers the subnet bits to what the new
    // class allows (14 for B, 6 for C).
    void SetByte(uint8_t index, uint8_t value) override;
    // Takes a whole address; normalised and classified like a first-octet write.
    void SetAddress(uint32_t value) override;
    // A new class lowers the subnet bits to 30 - NetworkBits if needed.
    void SetClassType(TAddressClass type) override;
    // Clamped to 1..22. Raising the bits switches the class to make room:
    // 7..14 on class C gives class B, 15..22 gives class A. Lowering keeps it.
    virtual void SetSubnetBits(uint8_t bits);

    uint8_t MaxSubnetBits() const { return FMaxSubnetBits; }
    uint8_t SubnetBits() const { return FSubnetBits; }
    // ClassMask OR RangeMask; RangeMask holds the subnet bits alone.
    const TIPAddress& SubnetMask() const { return FSubnetMask; }

    // "10nnnnnn.nnnnnnnn.ssssssss.hhhhhhhh": network, subnet and host bits.
    std::string BitMapText() const;

    TIPAddress NetworkID() const { return TIPAddress(FAddress & FSubnetMask.GetAddress()); }
    TIPAddress SubnetID() const { return TIPAddress(FAddress & FRangeMask.GetAddress()); }
    TIPAddress HostID() const { return TIPAddress(FAddress & ~FSubnetMask.GetAddress()); }
    TIPAddress FirstHost() const { return TIPAddress((FAddress & FSubnetMask.GetAddress()) + 1); }
    TIPAddress LastHost() const { return TIPAddress((FAddress | ~FSubnetMask.GetAddress()) - 1); }

    // 2^SubnetBits, the all-zeros and all-ones subnets included.
    int32_t MaxSubnets() const;
    // 2^(host bits) - 2.
    int32_t MaxHosts() const;

private:
    void recomputeMasks();

    uint8_t FMaxSubnetBits = 14;
    uint8_t FSubnetBits = 8;
    TIPAddress FSubnetMask{0xFFFFFF00u};
};

class TIPAddSupernet : public TIPAddNetwork
{
public:
    // 192.0.0.1, class C, 23 supernet bits, RangeMask 255.255.254.0.
    TIPAddSupernet();

    // When the write changes the class, the supernet bits are lowered to
    // NetworkBits - 1 if they were higher.
    void SetByte(uint8_t index, uint8_t value) override;
    // Same rule as SetByte when the new address falls into another class.
    void SetAddress(uint32_t value) override;
    // A new class lowers the supernet bits to NetworkBits - 1 if needed.
    void SetClassType(TAddressClass type) override;
    // Clamped to 1..24. Lowering to 1 gives class A, lowering to 2 class B;
    // raising into 9..16 gives class B, into 17..24 class C.
    virtual void SetSupernetBits(uint8_t bits);

    uint8_t SupernetBits() const { return FSupernetBits; }

    // First address of the supernet: Address AND RangeMask.
    TIPAddress Route() const { return TIPAddress(FAddress & FRangeMask.GetAddress()); }
    // Last address of the supernet: Address OR NOT RangeMask.
    TIPAddress RangeEnd() const { return TIPAddress(FAddress | ~FRangeMask.GetAddress()); }
    // Number of classful networks the supernet spans: 2^(NetworkBits - SupernetBits).
    int32_t SupernetCount() const;

private:
    void clampToClass(TAddressClass previousClass);
    void updateRangeMask();

    uint8_t FSupernetBits = 23;
};
