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

// Sorts the items and merges the overlapping and touching ones, in place.
template <class Kind> void sortAndMerge(std::vector<typename Kind::Item>& items)
{
    std::sort(items.begin(), items.end());
    size_t kept = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (kept > 0 && joins(Kind::last(items[kept - 1]), Kind::first(items[i]))) {
            const auto last = std::max(Kind::last(items[kept - 1]), Kind::last(items[i]));
            items[kept - 1] = Kind::make(Kind::first(items[kept - 1]), last);
        } else {
            items[kept++] = items[i];
        }
    }
    items.resize(kept);
}

// One family's ranges: full pieces, each sorted and merged, and the piece
// being filled.
template <class Kind> struct Pieces
{
    using Item = typename Kind::Item;
    // Half a mebibyte: large enough that few pieces are merged on reading,
    // small enough that a short list costs little.
    static constexpr size_t Capacity = (size_t(1) << 19) / sizeof(Item);

    std::vector<std::vector<Item>> full;
    std::vector<Item> filling;

    void add(const Item& item)
    {
        if (filling.size() == filling.capacity()) {
            if (filling.empty()) {
                filling.reserve(Capacity);
            } else {
                // A piece that merging shrank by a quarter goes on filling.
                sortAndMerge<Kind>(filling);
                if (filling.size() > Capacity * 3 / 4) {
                    full.push_back(std::move(filling));
                    filling = std::vector<Item>();
                    filling.reserve(Capacity);
                }
            }
        }
        filling.push_back(item);
    }

    bool empty() const { return full.empty() && filling.empty(); }
};

// Reads pieces as one ordered sequence of merged ranges: the smallest head
// of all pieces next, joined to the range before while they touch.
template <class Kind> class PieceMerger
{
public:
    using Item = typename Kind::Item;

    explicit PieceMerger(Pieces<Kind>& pieces)
    {
        sortAndMerge<Kind>(pieces.filling);
        for (const std::vector<Item>& piece : pieces.full)
            addHead(piece);
        addHead(pieces.filling);
        std::make_heap(FHeap.begin(), FHeap.end(), later);
    }

    bool next(AddressRange& range)
    {
        if (FHeap.empty())
            return false;
        Item current = take();
        while (!FHeap.empty() && joins(Kind::last(current), Kind::first(*FHeap.front().at))) {
            const Item more = take();
            current =
                Kind::make(Kind::first(current), std::max(Kind::last(current), Kind::last(more)));
        }
        range = {Kind::family, Kind::wide(Kind::first(current)), Kind::wide(Kind::last(current))};
        return true;
    }

private:
    struct Head
    {
        const Item* at;
        const Item* end;
    };
    // The heap keeps the smallest head in front.
    static bool later(const Head& a, const Head& b) { return *b.at < *a.at; }

    void addHead(const std::vector<Item>& piece)
    {
        if (!piece.empty())
            FHeap.push_back({piece.data(), piece.data() + piece.size()});
    }

    Item take()
    {
        std::pop_heap(FHeap.begin(), FHeap.end(), later);
        Head& head = FHeap.back();
        const Item item = *head.at++;
        if (head.at == head.end)
            FHeap.pop_back();
        else
            std::push_heap(FHeap.begin(), FHeap.end(), later);
        return item;
    }

    std::vector<Head> FHeap;
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
    Pieces<Ipv4Kind> ipv4;
    Pieces<Ipv6Kind> ipv6;
};

namespace {

class SetReader : public RangeCursor
{
public:
    SetReader(Pieces<Ipv4Kind>& ipv4, Pieces<Ipv6Kind>& ipv6) : FIpv4(ipv4), FIpv6(ipv6) {}

    bool next(AddressRange& range) override { return FIpv4.next(range) || FIpv6.next(range); }

private:
    PieceMerger<Ipv4Kind> FIpv4;
    PieceMerger<Ipv6Kind> FIpv6;
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
