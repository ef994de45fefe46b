#include "ipaddress/AddressPlan.h"
#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/PlanText.h"

#include <QtTest>

#include <algorithm>
#include <random>

namespace {

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

// A plan from the forms the tables use: parents separated by blanks,
// requests as "name=size" separated by ';', options as words ("p2p30",
// "p2p127", "nibble", "order=given", "mode=aws", "grow=30"). Empty on a typo in the
// table itself.
std::optional<PlanInput> inputOf(const QString& parents, const QString& requests,
                                 const QString& options)
{
    PlanInput input;
    std::string expected;
    for (const QString& parent : parents.split(' ', Qt::SkipEmptyParts)) {
        CidrBlock block;
        if (!cidrtext::readBlock(parent.toStdString(), block, expected))
            return std::nullopt;
        input.parents.push_back(block);
    }
    for (const QString& need : requests.split(';', Qt::SkipEmptyParts)) {
        plantext::RequestText request;
        PlanRequest read;
        if (!plantext::splitNeed(need.trimmed().toStdString(), request, expected) ||
            !plantext::readRequest(request, read, expected))
            return std::nullopt;
        input.requests.push_back(read);
    }
    for (const QString& option : options.split(' ', Qt::SkipEmptyParts)) {
        const std::string value = option.section('=', 1).toStdString();
        PlanOptions& o = input.options;
        if (option == "p2p30")
            o.p2p30 = true;
        else if (option == "p2p127")
            o.p2p127 = true;
        else if (option == "nibble")
            o.nibble = true;
        else if (option.startsWith("grow="))
            o.growPercent = option.section('=', 1).toUInt();
        else if (!(option.startsWith("mode=") && readModeName(value, o.mode)) &&
                 !(option.startsWith("order=") && readOrderName(value, o.order)))
            return std::nullopt;
    }
    return input;
}

QString describe(const PlanInput& input, const PlanResult& result)
{
    if (result.problem)
        return "problem: " + text(result.problem->expected);
    QStringList placed, unplaced, free, used;
    for (const PlacedBlock& block : result.placed)
        placed << text(input.requests[block.request].name + " " +
                       cidrtext::networkText({result.family, block.network, block.prefix}));
    for (const UnplacedRequest& request : result.unplaced)
        unplaced << text(input.requests[request.request].name) + " /" +
                        QString::number(request.prefix);
    for (const CidrBlock& block : result.free)
        free << text(cidrtext::networkText(block));
    for (const ParentUse& use : result.parents)
        used << text(addresstext::decimalText(use.used));
    QStringList parts{"placed " + placed.join(", ")};
    if (!unplaced.isEmpty())
        parts << "unplaced " + unplaced.join(", ");
    parts << "free " + (free.isEmpty() ? "none" : free.join(' '));
    parts << "largest " +
                 (result.largestFree ? text(cidrtext::networkText(*result.largestFree)) : "none");
    parts << "used " + used.join('/');
    return parts.join(" | ");
}

// The lowest and highest address of a block, and whether it starts on a
// multiple of its size.
Uint128 lastOf(AddressFamily family, Uint128 network, uint8_t prefix)
{
    return CidrBlock{family, network, prefix}.last();
}

} // namespace

class TestAddressPlan : public QObject
{
    Q_OBJECT

private slots:
    // Whole plans, worked out by hand.
    void workedExamples_data()
    {
        QTest::addColumn<QString>("parents");
        QTest::addColumn<QString>("requests");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("expected");

        // 100 hosts need a /25 (126 usable; a /26 holds 62), 50 a /26 (62;
        // a /27 holds 30), a link of 2 hosts a /31. Largest first from
        // 10.20.0.0: /25 at .0-.127, /26 at .128-.191, /28 at .192-.207,
        // the /31s at .208, .210 and .212. Free from .214: .214/31,
        // .216/29, .224/27, then 10.20.1.0/24 and 10.20.2.0/23.
        // In use: 128 + 64 + 16 + 3 * 2 = 214 of 1024.
        const QString office = "sales=100; operations=50; lab=/28; link 1=2; link 2=2; link 3=2";
        QTest::newRow("the issue's office")
            << "10.20.0.0/22" << office << ""
            << "placed sales 10.20.0.0/25, operations 10.20.0.128/26, lab 10.20.0.192/28, "
               "link 1 10.20.0.208/31, link 2 10.20.0.210/31, link 3 10.20.0.212/31 | "
               "free 10.20.0.214/31 10.20.0.216/29 10.20.0.224/27 10.20.1.0/24 10.20.2.0/23 | "
               "largest 10.20.2.0/23 | used 214";
        // Links as /30: .208, .212, .216; free from .220: .220/30, .224/27.
        // In use: 128 + 64 + 16 + 3 * 4 = 220.
        QTest::newRow("the office, links as /30")
            << "10.20.0.0/22" << office << "p2p30"
            << "placed sales 10.20.0.0/25, operations 10.20.0.128/26, lab 10.20.0.192/28, "
               "link 1 10.20.0.208/30, link 2 10.20.0.212/30, link 3 10.20.0.216/30 | "
               "free 10.20.0.220/30 10.20.0.224/27 10.20.1.0/24 10.20.2.0/23 | "
               "largest 10.20.2.0/23 | used 220";
        // In the order given: a at .0/30; b, a /25, cannot start at .0, so
        // .128; c takes the lowest free /30, .4; d, a /26, skips .0 (a and
        // c) and takes .64. Left: .8/29, .16/28, .32/27. 4+128+4+64 = 200.
        QTest::newRow("given order fills gaps")
            << "10.0.0.0/24"
            << "a=/30; b=/25; c=/30; d=/26"
            << "order=given"
            << "placed a 10.0.0.0/30, c 10.0.0.4/30, d 10.0.0.64/26, b 10.0.0.128/25 | "
               "free 10.0.0.8/29 10.0.0.16/28 10.0.0.32/27 | largest 10.0.0.32/27 | used 200";
        // Largest first: b /25 at .0, d /26 at .128, then the /30s a and c
        // (equal sizes in the order given) at .192 and .196.
        QTest::newRow("size order, same requests")
            << "10.0.0.0/24"
            << "a=/30; b=/25; c=/30; d=/26"
            << ""
            << "placed b 10.0.0.0/25, d 10.0.0.128/26, a 10.0.0.192/30, c 10.0.0.196/30 | "
               "free 10.0.0.200/29 10.0.0.208/28 10.0.0.224/27 | largest 10.0.0.224/27 | "
               "used 200";
        // Parents fill in the order given, not in address order: x and y
        // (a /25 each) fill 10.0.1.0/24; z, a /26, goes to the second
        // parent, 10.0.0.0/25, at its start.
        QTest::newRow("first parent with room")
            << "10.0.1.0/24 10.0.0.0/25"
            << "x=100; y=100; z=/26"
            << ""
            << "placed x 10.0.1.0/25, y 10.0.1.128/25, z 10.0.0.0/26 | free 10.0.0.64/26 | "
               "largest 10.0.0.64/26 | used 256/64";
        // 300 hosts need a /23 (510; a /24 holds 254): more than the /24.
        QTest::newRow("too large for the parent")
            << "10.0.0.0/24"
            << "big=300; small=/26"
            << ""
            << "placed small 10.0.0.0/26 | unplaced big /23 | free 10.0.0.64/26 10.0.0.128/25 | "
               "largest 10.0.0.128/25 | used 64";
        // 100 hosts and 30% more are 130: a /24 (254), all of the parent;
        // b's /32 is taken as asked (growth is for host counts) and has no
        // room left.
        QTest::newRow("growth fills the parent")
            << "10.0.0.0/24"
            << "a=100; b=/32"
            << "grow=30"
            << "placed a 10.0.0.0/24 | unplaced b /32 | free none | largest none | used 256";
        QTest::newRow("aws")
            << "10.0.0.0/24"
            << "web=20; db=1; app=/26"
            << "mode=aws"
            << "placed app 10.0.0.0/26, web 10.0.0.64/27, db 10.0.0.96/28 | "
               "free 10.0.0.112/28 10.0.0.128/25 | largest 10.0.0.128/25 | used 112";
        // Within 2001:db8::/56 (fourth group 00 to ff): c /60 at 00-0f, b
        // /62 at 10-13, a /64 at 14. In use 2^68 + 2^66 + 2^64.
        QTest::newRow("IPv6")
            << "2001:db8::/56"
            << "a=/64; b=/62; c=/60"
            << ""
            << "placed c 2001:db8::/60, b 2001:db8:0:10::/62, a 2001:db8:0:14::/64 | "
               "free 2001:db8:0:15::/64 2001:db8:0:16::/63 2001:db8:0:18::/61 "
               "2001:db8:0:20::/59 2001:db8:0:40::/58 2001:db8:0:80::/57 | "
               "largest 2001:db8:0:80::/57 | used 387381625547900583936";
        // The nibble rule makes b a /60, the size of c and given before it:
        // b at 00-0f, c at 10-1f, a at 20. In use 2 * 2^68 + 2^64.
        QTest::newRow("IPv6, nibble rule")
            << "2001:db8::/56"
            << "a=/64; b=/62; c=/60"
            << "nibble"
            << "placed b 2001:db8::/60, c 2001:db8:0:10::/60, a 2001:db8:0:20::/64 | "
               "free 2001:db8:0:21::/64 2001:db8:0:22::/63 2001:db8:0:24::/62 "
               "2001:db8:0:28::/61 2001:db8:0:30::/60 2001:db8:0:40::/58 2001:db8:0:80::/57 | "
               "largest 2001:db8:0:80::/57 | used 608742554432415203328";
        // ::/0 placed whole: its count is 2^128, one more than 128 bits hold.
        QTest::newRow("all of IPv6")
            << "::/0"
            << "everything=/0; more=/128"
            << ""
            << "placed everything ::/0 | unplaced more /128 | free none | largest none | used 0";
    }

    void workedExamples()
    {
        QFETCH(QString, parents);
        QFETCH(QString, requests);
        QFETCH(QString, options);
        QFETCH(QString, expected);
        const std::optional<PlanInput> input = inputOf(parents, requests, options);
        QVERIFY(input);
        QCOMPARE(describe(*input, makePlan(*input)), expected);
    }

    // One request per row: the block it gets and that block's usable
    // addresses, at the edges of each mode's sizes.
    void sizing_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("expected"); // network first-last broadcast hosts spare
        const auto row = [](const char* name, const char* parent, const char* request,
                            const char* options, const char* expected) {
            QTest::newRow(name) << parent << request << options << expected;
        };
        const char* const v4 = "10.0.0.0/8";
        const char* const v6 = "2001:db8::/32";

        row("1 host", v4, "1", "", "10.0.0.0/32 .0-.0 - 1 0");
        row("2 hosts", v4, "2", "", "10.0.0.0/31 .0-.1 - 2 0");
        row("2 hosts as /30", v4, "2", "p2p30", "10.0.0.0/30 .1-.2 .3 2 0");
        row("1 host with /30 links", v4, "1", "p2p30", "10.0.0.0/32 .0-.0 - 1 0");
        row("3 hosts", v4, "3", "", "10.0.0.0/29 .1-.6 .7 6 3");
        row("6 hosts", v4, "6", "", "10.0.0.0/29 .1-.6 .7 6 0");
        row("7 hosts", v4, "7", "", "10.0.0.0/28 .1-.14 .15 14 7");
        row("a /31 asked", v4, "/31", "", "10.0.0.0/31 .0-.1 - 2 -");
        // Growth: 100 * 1.26 = 126 fits a /25; 101 * 1.25 = 126.25 is 127.
        row("grown to the edge", v4, "100", "grow=26", "10.0.0.0/25 .1-.126 .127 126 26");
        row("grown, rounded up", v4, "101", "grow=25", "10.0.0.0/24 .1-.254 .255 254 153");
        row("grown prefix stays", v4, "/28", "grow=500", "10.0.0.0/28 .1-.14 .15 14 -");
        // AWS: first four and last reserved, no subnet below /28 (11 hosts).
        row("aws 1 host", v4, "1", "mode=aws", "10.0.0.0/28 .4-.14 .15 11 10");
        row("aws 12 hosts", v4, "12", "mode=aws", "10.0.0.0/27 .4-.30 .31 27 15");
        // Azure: the same reservation, subnets down to /29 (3 hosts).
        row("azure 1 host", v4, "1", "mode=azure", "10.0.0.0/29 .4-.6 .7 3 2");
        // GCP: first two and last two, down to /29 (4 hosts).
        row("gcp 4 hosts", v4, "4", "mode=gcp", "10.0.0.0/29 .2-.5 .7 4 0");
        row("gcp 5 hosts", v4, "5", "mode=gcp", "10.0.0.0/28 .2-.13 .15 12 7");
        // OCI: first two and last, down to /30 (1 host).
        row("oci 1 host", v4, "1", "mode=oci", "10.0.0.0/30 .2-.2 .3 1 0");
        row("oci 2 hosts", v4, "2", "mode=oci", "10.0.0.0/29 .2-.6 .7 5 3");
        row("all of IPv4", "0.0.0.0/0", "4294967294", "", "0.0.0.0/0 .1-.254 .255 4294967294 0");
        row("more than IPv4 holds", "0.0.0.0/0", "4294967295", "",
            "problem: at most 4294967294 hosts, what the largest IPv4 block holds");
        // Each cloud's subnets lie in a range: AWS /16 (65,536 addresses, five
        // reserved) to /28, OCI /16 to /30, Azure /2 to /29, GCP /4 to /29.
        row("a prefix below the aws smallest", v4, "/29", "mode=aws",
            "problem: a prefix from /16 to /28: aws subnets are /16 to /28");
        row("a prefix above the aws largest", v4, "/15", "mode=aws",
            "problem: a prefix from /16 to /28: aws subnets are /16 to /28");
        row("the largest aws subnet", v4, "65531", "mode=aws", "10.0.0.0/16 .4-.254 .255 65531 0");
        row("more hosts than an aws subnet holds", v4, "65532", "mode=aws",
            "problem: at most 65531 hosts, what the largest aws subnet holds (a /16)");
        row("a prefix above the oci largest", v4, "/15", "mode=oci",
            "problem: a prefix from /16 to /30: oci subnets are /16 to /30");
        row("the largest gcp subnet", "0.0.0.0/0", "/4", "mode=gcp",
            "0.0.0.0/4 .2-.253 .255 268435452 -");
        row("a prefix above the azure largest", "0.0.0.0/0", "/1", "mode=azure",
            "problem: a prefix from /2 to /29: azure subnets are /2 to /29");
        row("an IPv4 prefix past 32", v4, "/33", "",
            "problem: a prefix from /0 to /32 in an IPv4 plan");
        // IPv6 reserves nothing: 2^n addresses hold 2^n hosts.
        // Every IPv6 LAN is a /64 (RFC 4291); links a /127 when asked (RFC 6164).
        row("IPv6 1 host", v6, "1", "",
            "2001:db8::/64 2001:db8::-2001:db8::ffff:ffff:ffff:ffff - 18446744073709551616 "
            "18446744073709551615");
        row("IPv6 300 hosts", v6, "300", "nibble",
            "2001:db8::/64 2001:db8::-2001:db8::ffff:ffff:ffff:ffff - 18446744073709551616 "
            "18446744073709551316");
        row("IPv6 link as /127", v6, "2", "p2p127", "2001:db8::/127 2001:db8::-2001:db8::1 - 2 0");
        row("IPv6 3 hosts with /127 links", v6, "3", "p2p127",
            "2001:db8::/64 2001:db8::-2001:db8::ffff:ffff:ffff:ffff - 18446744073709551616 "
            "18446744073709551613");
        row("IPv6 /62, nibble", v6, "/62", "nibble",
            "2001:db8::/60 2001:db8::-2001:db8:0:f:ffff:ffff:ffff:ffff - 295147905179352825856 -");
        // (2^64 - 1) * 1.01 passes 2^64: a /63, whose 2^65 addresses leave
        // 2^65 - (2^64 - 1) spare.
        row("IPv6 most hosts", v6, "18446744073709551615", "",
            "2001:db8::/64 2001:db8::-2001:db8::ffff:ffff:ffff:ffff - 18446744073709551616 1");
        row("more IPv6 hosts than a /64 holds", v6, "18446744073709551615", "grow=1",
            "problem: at most 18446744073709551616 hosts, what an IPv6 /64 holds, once the growth "
            "margin of 1% is added");
    }

    void sizing()
    {
        QFETCH(QString, parent);
        QFETCH(QString, request);
        QFETCH(QString, options);
        QFETCH(QString, expected);
        const std::optional<PlanInput> input = inputOf(parent, "r=" + request, options);
        QVERIFY(input);
        const PlanResult result = makePlan(*input);
        QString got;
        if (result.problem) {
            got = "problem: " + text(result.problem->expected);
        } else {
            QCOMPARE(result.placed.size(), size_t(1));
            const PlacedBlock& placed = result.placed[0];
            const BlockAddresses block =
                blockAddresses(result.family, input->options.mode, placed.network, placed.prefix);
            // IPv4 addresses by their last octet (".6"), for short rows.
            const auto tail = [&](Uint128 address) {
                const std::string full = cidrtext::addressText(result.family, address);
                return text(result.family == AddressFamily::IPv4 ? full.substr(full.rfind('.'))
                                                                 : full);
            };
            const PlanRequest& asked = input->requests[0];
            got = text(cidrtext::networkText({result.family, placed.network, placed.prefix})) +
                  " " + tail(block.first) + "-" + tail(block.last) + " " +
                  (block.hasBroadcast ? tail(block.broadcast) : "-") + " " +
                  text(usableCountText(block)) + " " +
                  (asked.byPrefix ? "-"
                                  : text(addresstext::decimalText(spareCount(block, asked.hosts))));
        }
        QCOMPARE(got, expected);
    }

    // Larger seeded random plans: whatever the sizes, the blocks placed and
    // the free blocks tile every parent exactly, each aligned to its size;
    // free blocks are as large as they can be; a request left out has no
    // free block of its size; and a planner that is reused plans as a new
    // one does.
    void invariants_data()
    {
        QTest::addColumn<QString>("parents");
        QTest::addColumn<QString>("options");
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("seed");

        const char* modes[] = {"standard", "aws", "azure", "gcp", "oci"};
        for (const char* order : {"size", "given"}) {
            for (const char* mode : modes)
                QTest::newRow(qPrintable(QString("IPv4 %1 %2").arg(mode, order)))
                    << "10.0.0.0/12 172.16.0.0/16 192.168.0.0/20"
                    << QString("mode=%1 order=%2").arg(mode, order) << 3000 << 11;
            for (const char* nibble : {"", "nibble"})
                QTest::newRow(qPrintable(QString("IPv6 %1 %2").arg(nibble, order)))
                    << "2001:db8::/40 fd00::/48" << QString("%1 order=%2").arg(nibble, order)
                    << 3000 << 12;
            QTest::newRow(qPrintable(QString("IPv4 crowded %1").arg(order)))
                << "10.0.0.0/24 10.0.1.0/26" << QString("p2p30 order=%1").arg(order) << 400 << 13;
        }
    }

    void invariants()
    {
        QFETCH(QString, parents);
        QFETCH(QString, options);
        QFETCH(int, requests);
        QFETCH(int, seed);
        std::optional<PlanInput> made = inputOf(parents, "", options);
        QVERIFY(made);
        PlanInput& input = *made;
        const AddressFamily family = input.parents[0].family;
        const unsigned bits = addressBits(family);

        // Sizes from a single address to more than a parent holds, host
        // counts and prefixes mixed.
        std::mt19937_64 random(uint64_t(seed) * 1000003 + uint64_t(qHash(options)));
        const unsigned longest = input.options.mode == ReservationMode::Standard ? bits : 28;
        for (int i = 0; i < requests; ++i) {
            PlanRequest request;
            request.name = "r" + std::to_string(i);
            const unsigned hostBits =
                unsigned(random() % (family == AddressFamily::IPv4 ? 17 : 40));
            if (random() % 3 == 0) {
                request.byPrefix = true;
                request.prefix = uint8_t(std::min(longest, bits - hostBits));
            } else {
                request.hosts = 1 + (random() % (uint64_t(1) << std::min(hostBits, 62u)));
            }
            input.requests.push_back(request);
        }

        static AddressPlanner reused; // across rows, so that one plan's leftovers would show
        const PlanResult& result = reused.plan(input);
        QVERIFY2(!result.problem, result.problem ? result.problem->expected.c_str() : "");
        const PlanResult fresh = makePlan(input);
        QCOMPARE(describe(input, result), describe(input, fresh));

        // Every request once, placed or not.
        std::vector<int> seen(input.requests.size(), 0);
        for (const PlacedBlock& block : result.placed)
            ++seen[block.request];
        for (const UnplacedRequest& request : result.unplaced)
            ++seen[request.request];
        QVERIFY(std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; }));

        for (size_t p = 0; p < input.parents.size(); ++p) {
            const CidrBlock& parent = input.parents[p];
            struct Piece
            {
                Uint128 first, last;
                uint8_t prefix;
                bool free;
            };
            std::vector<Piece> pieces;
            for (const PlacedBlock& block : result.placed)
                if (block.parent == p)
                    pieces.push_back({block.network, lastOf(family, block.network, block.prefix),
                                      block.prefix, false});
            const ParentUse& use = result.parents[p];
            for (size_t f = use.freeBegin; f < use.freeEnd; ++f)
                pieces.push_back(
                    {result.free[f].address, result.free[f].last(), result.free[f].prefix, true});
            std::sort(pieces.begin(), pieces.end(),
                      [](const Piece& a, const Piece& b) { return a.first < b.first; });

            Uint128 next = parent.network();
            Uint128 used;
            for (const Piece& piece : pieces) {
                const CidrBlock block{family, piece.first, piece.prefix};
                QCOMPARE(piece.first, next);             // no gap, no overlap
                QVERIFY(block.network() == piece.first); // aligned
                QVERIFY(piece.prefix >= parent.prefix && piece.last <= parent.last());
                if (!piece.free)
                    used = used + Uint128::power(block.hostBits());
                next = piece.last + Uint128(1);
            }
            QVERIFY(!pieces.empty());
            QCOMPARE(pieces.back().last, parent.last());
            QCOMPARE(use.used, used);

            // A free block whose twin is free too should have been one block.
            for (const Piece& piece : pieces) {
                if (!piece.free || piece.prefix == parent.prefix)
                    continue;
                const Uint128 size = Uint128::power(bits - piece.prefix);
                const Uint128 twinFirst =
                    (piece.first & size).isZero() ? piece.first + size : piece.first - size;
                const CidrBlock twin{family, twinFirst, piece.prefix};
                const bool twinFree =
                    std::any_of(pieces.begin(), pieces.end(), [&](const Piece& o) {
                        return o.free && o.first <= twin.network() && twin.last() <= o.last;
                    });
                QVERIFY(!twinFree);
            }
        }

        // Nothing left out would have fitted: space only shrinks while
        // placing, so no free block may hold it at the end.
        for (const UnplacedRequest& request : result.unplaced)
            QVERIFY(!result.largestFree || result.largestFree->prefix > request.prefix);
        for (const CidrBlock& block : result.free)
            QVERIFY(result.largestFree && block.prefix >= result.largestFree->prefix);
    }
};

QTEST_MAIN(TestAddressPlan)
#include "tst_addressplan.moc"
