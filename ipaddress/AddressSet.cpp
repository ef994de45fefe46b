#include "ipaddress/AddressSet.h"

#include <algorithm>

namespace {

// How each family's ranges are held: an IPv4 range as one 64-bit number
// (first address high, last low, so that numeric order is address order),
// an IPv6 range as two 128-bit numbers.
struct Ipv4Kind
{
    using Item = uint64_t;
    using Address = uint32_t;
    static constexpr AddressFamily family = AddressFamily::IPv4;
    static Address first(Item item) { return Address(item >> 32); }
    static Address last(Item item) { return Address(item); }
    static Item make(Address first, Address last) { return uint64_t(first) << 32 | last; }
    static Uint128 wide(Address address) { return Uint128(address); }
};

struct Ipv6Item
{
    Uint128 first;
    Uint128 last;
    bool operator<(const Ipv6Item& other) const
    {
        return first < other.first || (first == other.first && last < other.last);
    }
};

struct Ipv6Kind
{
    using Item = Ipv6Item;
    using Address = Uint128;
    static constexpr AddressFamily family = AddressFamily::IPv6;
    static Address first(const Item& item) { return item.first; }
    static Address last(const Item& item) { return item.last; }
    static Item make(Address first, Address last) { return {first, last}; }
    static Uint128 wide(Address address) { return address; }
};

// Whether `next`, which starts no lower than `current`, overlaps or touches
// it. (current + 1 would wrap at the top of the address space.)
template <class Address> bool joins(Address currentLast, Address nextFirst)
{
    return nextFirst <= currentLast || nextFirst == currentLast + Address(1);
}

// Sorts 64-bit keys by their upper 32 bits (a range's first address; the
// merge after it takes the larger last address of equal firsts): three
// passes of 11-bit digits, whose counts fit the cache, through `spare`, the
// passes whose digit all keys share left out. A million keys take a few
// milliseconds, a fraction of what comparing them does.
void radixSort(std::vector<uint64_t>& keys, std::vector<uint64_t>& spare)
{
    constexpr unsigned Bits = 11, Low = 32;
    constexpr size_t Digits = (64 - Low + Bits - 1) / Bits, Buckets = size_t(1) << Bits;
    constexpr uint64_t Mask = Buckets - 1;
    if (keys.size() < 1024) {
        std::sort(keys.begin(), keys.end());
        return;
    }
    const auto digit = [](uint64_t key, size_t d) { return key >> (Low + Bits * d) & Mask; };
    std::vector<uint32_t> counts(Digits * Buckets, 0);
    for (const uint64_t key : keys)
        for (size_t d = 0; d < Digits; ++d)
            ++counts[d * Buckets + digit(key, d)];
    spare.resize(keys.size());
    for (size_t d = 0; d < Digits; ++d) {
        uint32_t* count = counts.data() + d * Buckets;
        if (count[digit(keys.front(), d)] == keys.size())
            continue; // every key has this digit
        uint32_t start = 0;
        for (size_t b = 0; b < Buckets; ++b) {
            const uint32_t held = count[b];
            count[b] = start;
            start += held;
        }
        for (const uint64_t key : keys)
            spare[count[digit(key, d)]++] = key;
        keys.swap(spare);
    }
}

void sortItems(std::vector<uint64_t>& items, std::vector<uint64_t>& spare)
{
    radixSort(items, spare);
}

void sortItems(std::vector<Ipv6Item>& items, std::vector<Ipv6Item>&)
{
    std::sort(items.begin(), items.end());
}

// One family's ranges, as added; sorted and merged in place when they have
// grown to twice what the last merge left, so that a list of many repeats
// takes the room of its distinct ranges.
template <class Kind> class Ranges
{
public:
    using Item = typename Kind::Item;

    void add(const Item& item)
    {
        if (FItems.size() >= FMergeAt) {
            merge();
            FMergeAt = std::max(MergeFirst, 2 * FItems.size());
        }
        FItems.push_back(item);
        FMerged = false;
    }

    bool empty() const { return FItems.empty(); }

    // The ranges sorted, merged and in order.
    const std::vector<Item>& merged()
    {
        if (!FMerged)
            merge();
        return FItems;
    }

private:
    // 8 MiB of IPv4 ranges before the first merge: most lists are sorted once.
    static constexpr size_t MergeFirst = (size_t(8) << 20) / sizeof(Item);

    // Sorts the items and merges the overlapping and touching ones, in place.
    void merge()
    {
        sortItems(FItems, FSpare);
        FSpare = std::vector<Item>(); // room for the next sort only when it comes
        size_t kept = 0;
        for (size_t i = 0; i < FItems.size(); ++i) {
            if (kept > 0 && joins(Kind::last(FItems[kept - 1]), Kind::first(FItems[i]))) {
                const auto last = std::max(Kind::last(FItems[kept - 1]), Kind::last(FItems[i]));
                FItems[kept - 1] = Kind::make(Kind::first(FItems[kept - 1]), last);
            } else {
                FItems[kept++] = FItems[i];
            }
        }
        FItems.resize(kept);
        FMerged = true;
    }

    std::vector<Item> FItems;
    std::vector<Item> FSpare;
    size_t FMergeAt = MergeFirst;
    bool FMerged = true;
};

// Reads one family's merged ranges in order.
template <class Kind> class RangeReader
{
public:
    explicit RangeReader(Ranges<Kind>& ranges) : FItems(ranges.merged()) {}

    bool next(AddressRange& range)
    {
        if (FNext == FItems.size())
            return false;
        const typename Kind::Item& item = FItems[FNext++];
        range = {Kind::family, Kind::wide(Kind::first(item)), Kind::wide(Kind::last(item))};
        return true;
    }

private:
    const std::vector<typename Kind::Item>& FItems;
    size_t FNext = 0;
};

// Whether range a lies wholly before range b in the order of the cursors.
bool before(const AddressRange& a, const AddressRange& b)
{
    if (a.family != b.family)
        return a.family == AddressFamily::IPv4;
    return a.last < b.first;
}

class Difference : public RangeCursor
{
public:
    Difference(RangeCursor& a, RangeCursor& b) : FA(a), FB(b) { FHaveB = FB.next(FRemoved); }

    bool next(AddressRange& range) override
    {
        while (true) {
            if (!FHaveA && !(FHaveA = FA.next(FKept)))
                return false;
            while (FHaveB && before(FRemoved, FKept))
                FHaveB = FB.next(FRemoved);
            if (!FHaveB || before(FKept, FRemoved)) {
                range = FKept;
                FHaveA = false;
                return true;
            }
            // The removed range meets the kept one: what lies before it is
            // an answer, what lies after it is kept for the next round.
            const bool startsInside = FKept.first < FRemoved.first;
            if (startsInside)
                range = {FKept.family, FKept.first, FRemoved.first - Uint128(1)};
            if (FRemoved.last >= FKept.last) {
                FHaveA = false;
            } else {
                FKept.first = FRemoved.last + Uint128(1);
                FHaveB = FB.next(FRemoved);
            }
            if (startsInside)
                return true;
        }
    }

private:
    RangeCursor& FA;
    RangeCursor& FB;
    AddressRange FKept, FRemoved;
    bool FHaveA = false;
    bool FHaveB = false;
};

class Intersection : public RangeCursor
{
public:
    Intersection(RangeCursor& a, RangeCursor& b) : FA(a), FB(b)
    {
        FHaveA = FA.next(FRangeA);
        FHaveB = FB.next(FRangeB);
    }

    bool next(AddressRange& range) override
    {
        while (FHaveA && FHaveB) {
            if (before(FRangeA, FRangeB)) {
                FHaveA = FA.next(FRangeA);
                continue;
            }
            if (before(FRangeB, FRangeA)) {
                FHaveB = FB.next(FRangeB);
                continue;
            }
            range = {FRangeA.family, std::max(FRangeA.first, FRangeB.first),
                     std::min(FRangeA.last, FRangeB.last)};
            // The range that ends first can meet nothing more.
            const Uint128 end = range.last;
            if (FRangeA.last == end)
                FHaveA = FA.next(FRangeA);
            if (FRangeB.last == end)
                FHaveB = FB.next(FRangeB);
            return true;
        }
        return false;
    }

private:
    RangeCursor& FA;
    RangeCursor& FB;
    AddressRange FRangeA, FRangeB;
    bool FHaveA = false;
    bool FHaveB = false;
};

} // namespace

struct AddressSet::Storage
{
    Ranges<Ipv4Kind> ipv4;
    Ranges<Ipv6Kind> ipv6;
};

namespace {

class SetReader : public RangeCursor
{
public:
    SetReader(Ranges<Ipv4Kind>& ipv4, Ranges<Ipv6Kind>& ipv6) : FIpv4(ipv4), FIpv6(ipv6) {}

    bool next(AddressRange& range) override { return FIpv4.next(range) || FIpv6.next(range); }

private:
    RangeReader<Ipv4Kind> FIpv4;
    RangeReader<Ipv6Kind> FIpv6;
};

} // namespace

AddressSet::AddressSet() : FStorage(std::make_unique<Storage>()) {}
AddressSet::~AddressSet() = default;
AddressSet::AddressSet(AddressSet&&) noexcept = default;
AddressSet& AddressSet::operator=(AddressSet&&) noexcept = default;

void AddressSet::add(const AddressRange& range)
{
    if (range.family == AddressFamily::IPv4)
        addIpv4(uint32_t(range.first.lo), uint32_t(range.last.lo));
    else
        addIpv6(range.first, range.last);
}

void AddressSet::addIpv4(uint32_t first, uint32_t last)
{
    FStorage->ipv4.add(Ipv4Kind::make(first, last));
}

void AddressSet::addIpv6(Uint128 first, Uint128 last)
{
    FStorage->ipv6.add(Ipv6Kind::make(first, last));
}

bool AddressSet::empty() const
{
    return FStorage->ipv4.empty() && FStorage->ipv6.empty();
}

bool AddressSet::holds(AddressFamily family) const
{
    return family == AddressFamily::IPv4 ? !FStorage->ipv4.empty() : !FStorage->ipv6.empty();
}

std::unique_ptr<RangeCursor> AddressSet::ranges()
{
    return std::make_unique<SetReader>(FStorage->ipv4, FStorage->ipv6);
}

std::unique_ptr<RangeCursor> differenceOf(RangeCursor& a, RangeCursor& b)
{
    return std::make_unique<Difference>(a, b);
}

std::unique_ptr<RangeCursor> intersectionOf(RangeCursor& a, RangeCursor& b)
{
    return std::make_unique<Intersection>(a, b);
}
