// zentrix-cli subnet and supernet: the window's classful subnet calculator
// and its CIDR tab, on the same models and with the same texts.

#include "cli/Command.h"

#include "core/Text.h"
#include "ipaddress/AddressText.h"
#include "ipaddress/IPAddress.h"
#include "ipaddress/SubnetEntry.h"
#include "ipaddress/SubnetTexts.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <optional>

namespace st = subnettexts;

namespace {

struct ClassfulOptions
{
    std::string address;
    std::string bits;
    std::string classLetter;
    std::string limit;
    bool table = false;
    bool strict = false;
};

uint32_t readClassfulAddress(const std::string& text)
{
    uint32_t address = 0;
    if (!addresstext::readIpv4(text, address))
        throwBadToken(text, "an IPv4 address: four numbers 0 to 255 joined by '.'");
    return address;
}

uint8_t readBits(const std::string& text, unsigned highest, const char* what)
{
    uint64_t bits = 0;
    if (!text::readNumber(text, highest, bits) || bits < 1)
        throwBadToken(text,
                      std::string("a number of ") + what + " from 1 to " + std::to_string(highest));
    return uint8_t(bits);
}

TAddressClass readClass(const std::string& text)
{
    if (text.size() != 1 || (text[0] != 'A' && text[0] != 'B' && text[0] != 'C' && text[0] != 'a' &&
                             text[0] != 'b' && text[0] != 'c'))
        throwBadToken(text, "a network class for --class: A, B or C");
    return TAddressClass((text[0] | 0x20) - 'a');
}

// The model's rules may move what was asked for (a class switch rewrites
// the first octet, a class clamps the bits). Says what it became, beside the
// output, or with --strict refuses the input; returns whether it moved.
bool noteChanges(const ClassfulOptions& options, uint32_t asked, const TIPAddNetwork& model,
                 unsigned bits, const char* bitsName)
{
    const bool moved =
        model.GetAddress() != asked ||
        (!options.bits.empty() && std::to_string(bits) != options.bits) ||
        (!options.classLetter.empty() && (options.classLetter[0] & ~0x20) != model.ClassLetter());
    if (!moved)
        return false;
    const std::string became = model.DecimalText() + ", class " + model.ClassLetter() + ", " +
                               std::to_string(bits) + " " + bitsName;
    if (options.strict)
        throwBadToken(options.address, "input the calculator keeps as given (--strict): its "
                                       "rules make this " +
                                           became);
    std::fprintf(stderr, "zentrix-cli: note: the subnet calculator's rules make this %s\n",
                 became.c_str());
    return true;
}

// What was asked for and whether the rules moved it, for JSON and CSV.
Section requestSection(const std::string& asked, bool adjusted)
{
    using Show = Field::Show;
    return {"",
            {{"requested", "", Value::of(asked), Show::DataOnly},
             {"adjusted", "", Value::boolean(adjusted, adjusted ? "yes" : "no"), Show::DataOnly}}};
}

std::string classText(const TIPAddNetwork& model)
{
    return std::string("Class ") + model.ClassLetter();
}

Record subnetRecord(const TIPAddSubnet& subnet, const Section& request)
{
    const auto dec = [](const TIPAddress& a) { return Value::of(a.DecimalText()); };
    const auto hex = [](const TIPAddress& a) { return Value::of(a.HexText()); };
    const char letter = subnet.ClassLetter();
    using Show = Field::Show;
    return {
        request,
        {"",
         {
             {"class", st::AddressTypeCaption, Value::of(classText(subnet)), Show::TextOnly},
             {"class", "", Value::of(std::string(1, letter)), Show::DataOnly},
             {"subnet_bits", st::SubnetBitsCaption, Value::integer(subnet.SubnetBits())},
         }},
        {st::GeneralInfoTitle,
         {
             {"max_subnets", st::MaxSubnetsCaption, Value::integer(subnet.MaxSubnets())},
             {"max_hosts", st::MaxHostsCaption, Value::integer(subnet.MaxHosts())},
             {"bit_map", st::BitMapCaption, Value::of(subnet.BitMapText())},
             {"class_mask", st::decimalClassMaskCaption(letter), dec(subnet.ClassMask())},
             {"class_mask_hex", st::hexClassMaskCaption(letter), hex(subnet.ClassMask())},
             {"netmask", st::DecimalNetworkMaskCaption, dec(subnet.SubnetMask())},
             {"netmask_hex", st::HexNetworkMaskCaption, hex(subnet.SubnetMask())},
         }},
        {st::AddressInfoTitle,
         {
             {"address", st::IpAddressCaption, dec(subnet)},
             {"address_hex", st::HexadecimalCaption, hex(subnet)},
             {"host_range", st::SubnetRangeCaption, Value::of(st::hostRange(subnet)),
              Show::TextOnly},
             {"first", "", dec(subnet.FirstHost()), Show::DataOnly},
             {"last", "", dec(subnet.LastHost()), Show::DataOnly},
             {"subnet_mask", st::SubnetMaskCaption, dec(subnet.RangeMask())},
             {"subnet_id", st::SubnetIdCaption, dec(subnet.SubnetID())},
             {"network_id", st::NetworkIdCaption, dec(subnet.NetworkID())},
             {"host_id", st::HostIdCaption, dec(subnet.HostID())},
         }},
    };
}

// Every subnet of the network, as the Subnets/Hosts tab lists them but
// without its cap of 16,385 rows.
void listSubnets(Report& report, const TIPAddSubnet& subnet, const Section& request, uint64_t limit)
{
    using Show = Field::Show;
    const size_t rangeWidth = 2 * addresstext::Ipv4MaxLength + 5;
    // JSON carries the model's facts beside the list; the other formats are
    // the table alone, as the window's tab is.
    report.beginTable(report.format() == Format::Json ? subnetRecord(subnet, request) : Record{},
                      "subnets",
                      {{"subnet", st::SubnetColumnHeader, 5, true},
                       {"host_range", st::HostRangeColumnHeader, rangeWidth, false, Show::TextOnly},
                       {"network", "Network", 0, false, Show::DataOnly},
                       {"first", "First host", 0, false, Show::DataOnly},
                       {"last", "Last host", 0, false, Show::DataOnly},
                       {"broadcast", "Broadcast", 0, false, Show::DataOnly}});
    st::SubnetCursor cursor(subnet);
    const uint64_t total = uint64_t(cursor.Count());
    const uint64_t listed = std::min(total, limit);
    const bool data = report.dataFormat();
    // "network" is ADDRESS/PREFIX wherever it appears.
    const std::string prefix = "/" + std::to_string(subnet.NetworkBits() + subnet.SubnetBits());
    for (uint64_t number = 0; number < listed; ++number) {
        const TIPAddSubnet& current = cursor.Current();
        const std::string numberText =
            data ? std::to_string(number) : st::subnetNumber(int64_t(number));
        const std::string texts[] = {
            data ? std::string() : st::hostRange(current),
            current.NetworkID().DecimalText() + prefix,
            current.FirstHost().DecimalText(),
            current.LastHost().DecimalText(),
            TIPAddress(current.LastHost().GetAddress() + 1).DecimalText(),
        };
        const Cell cells[] = {{numberText, true}, {texts[0]}, {texts[1]},
                              {texts[2]},         {texts[3]}, {texts[4]}};
        report.row(cells);
        cursor.Next();
    }
    report.endTable(listed, Value::integer(int64_t(total)), listed < total, "subnets");
}

int runSubnet(Report& report, const ClassfulOptions& options)
{
    // The window's order: the address, then the class, then the bits.
    const uint32_t asked = readClassfulAddress(options.address);
    const std::optional<TAddressClass> classType =
        options.classLetter.empty() ? std::nullopt
                                    : std::optional<TAddressClass>(readClass(options.classLetter));
    const int bits = options.bits.empty() ? -1 : readBits(options.bits, 22, "subnet bits");
    const uint64_t limit = readLimit(options.limit);
    if (report.format() == Format::Tsv && !options.table)
        throw UsageError("--tsv: expected --table as well (the window's table is the subnet list)");
    if (!options.limit.empty() && !options.table)
        throw UsageError("--limit: expected --table as well (it cuts the list of subnets)");

    TIPAddSubnet subnet;
    subnetentry::enterAddressInfo(subnet, asked);
    if (classType)
        subnet.SetClassType(*classType);
    if (bits >= 0)
        subnet.SetSubnetBits(uint8_t(bits));
    const Section request = requestSection(
        options.address, noteChanges(options, asked, subnet, subnet.SubnetBits(), "subnet bits"));

    if (!options.table) {
        report.writeRecord(subnetRecord(subnet, request));
        return 0;
    }
    listSubnets(report, subnet, request, limit);
    return 0;
}

int runSupernet(Report& report, const ClassfulOptions& options)
{
    const uint32_t asked = readClassfulAddress(options.address);
    const int bits = options.bits.empty() ? -1 : readBits(options.bits, 24, "supernet bits");

    TIPAddSupernet supernet;
    subnetentry::enterCidr(supernet, asked);
    if (bits >= 0)
        supernet.SetSupernetBits(uint8_t(bits));
    const bool adjusted =
        noteChanges(options, asked, supernet, supernet.SupernetBits(), "supernet bits");

    const auto dec = [](const TIPAddress& a) { return Value::of(a.DecimalText()); };
    const auto hex = [](const TIPAddress& a) { return Value::of(a.HexText()); };
    using Show = Field::Show;
    const TIPAddress route = supernet.Route();
    report.writeRecord({
        requestSection(options.address, adjusted),
        {"",
         {
             {"class", st::AddressPrefixCaption, Value::of(classText(supernet)), Show::TextOnly},
             {"class", "", Value::of(std::string(1, supernet.ClassLetter())), Show::DataOnly},
             {"supernet_bits", st::SupernetBitsCaption, Value::integer(supernet.SupernetBits())},
         }},
        {st::CidrTitle,
         {
             {"address", st::IpAddressCaption, dec(supernet)},
             {"max_supernets", st::MaxSupernetsCaption, Value::integer(supernet.SupernetCount())},
             {"allocation_range", st::SupernetRangeCaption, Value::of(st::supernetRange(supernet)),
              Show::TextOnly},
             {"route_mask", st::RouteMaskCaption, Value::of(st::routeMask(supernet)),
              Show::TextOnly},
             {"hex_route_mask", st::HexRouteMaskCaption, Value::of(st::hexRouteMask(supernet)),
              Show::TextOnly},
             {"route", "", dec(route), Show::DataOnly},
             {"range_end", "", dec(supernet.RangeEnd()), Show::DataOnly},
             {"netmask", "", dec(supernet.RangeMask()), Show::DataOnly},
             {"route_hex", "", hex(route), Show::DataOnly},
             {"netmask_hex", "", hex(supernet.RangeMask()), Show::DataOnly},
         }},
    });
    return 0;
}

} // namespace

void addSubnetCommand(CLI::App& app, Command& chosen)
{
    auto options = std::make_shared<ClassfulOptions>();
    CLI::App* subnet = app.add_subcommand(
        "subnet", "Classful IPv4 subnetting: a class A, B or C network divided by a number of "
                  "subnet bits, with its masks, bit map and largest numbers of subnets and "
                  "hosts, an address's subnet and host parts, and with --table every subnet");
    if (!chosen.fills(*subnet))
        return;
    subnet->add_option("ADDRESS", options->address, "IPv4 address, e.g. 172.16.5.9")
        ->required()
        ->type_name("");
    subnet->add_option("--bits", options->bits, "Subnet bits, 1 to 22 (the window starts at 8)")
        ->type_name("N");
    subnet->add_option("--class", options->classLetter, "Network class: A, B or C")
        ->type_name("A|B|C");
    subnet->add_flag("--table", options->table,
                     "List every subnet with its host range (the Subnets/Hosts tab, uncapped)");
    subnet->add_flag("--strict", options->strict,
                     "Refuse input the window's rules would change (exit status 2) instead of "
                     "noting the change");
    addLimitOption(*subnet, options->limit);
    addFormatOptions(*subnet, chosen, {true, false});
    subnet->footer("The class follows from the address's first octet, and the subnet bits are "
                   "taken from the host part. The rules are those of Zentrix's window: the "
                   "address comes first (its last octet kept within 1 to 254), then the class, "
                   "then the bits; bits beyond what the class holds switch to a larger class "
                   "and rewrite the first octet to fit it, and a class lowers bits it cannot "
                   "hold. A note on standard error says when that changed what was given, and "
                   "--json and --csv give the address as given (\"requested\") and "
                   "\"adjusted\": true; --strict refuses such input instead. --table lists "
                   "every subnet (the window stops at 16,385).\n\n"
                   "Examples:\n"
                   "  zentrix-cli subnet 172.16.5.9 --bits 4\n"
                   "  zentrix-cli subnet 200.1.2.3 --bits 2 --table\n"
                   "  zentrix-cli subnet 10.0.0.1 --bits 16 --table --limit 10 --csv");
    subnet->callback([options, &chosen] {
        chosen.run = [options](Report& report) { return runSubnet(report, *options); };
    });
}

void addSupernetCommand(CLI::App& app, Command& chosen)
{
    auto options = std::make_shared<ClassfulOptions>();
    CLI::App* supernet = app.add_subcommand(
        "supernet", "Classful supernetting: consecutive class networks combined into one "
                    "route (a CIDR block), with its address range and mask");
    if (!chosen.fills(*supernet))
        return;
    supernet->add_option("ADDRESS", options->address, "IPv4 address, e.g. 192.0.0.1")
        ->required()
        ->type_name("");
    supernet
        ->add_option("--bits", options->bits, "Supernet bits, 1 to 24 (the window starts at 23)")
        ->type_name("N");
    supernet->add_flag("--strict", options->strict,
                       "Refuse input the window's rules would change (exit status 2) instead of "
                       "noting the change");
    addFormatOptions(*supernet, chosen);
    supernet->footer("The address is applied first, then the bits, as Zentrix's window "
                     "does: raising the bits to 9 or more makes the network class B and to 17 "
                     "or more class C, lowering them to 2 makes it class B and to 1 class A, "
                     "and a change of class rewrites the first octet to fit it. A note on "
                     "standard error says when that changed what was given, and --json and "
                     "--csv say so as \"requested\" and \"adjusted\"; --strict refuses such "
                     "input instead.\n\n"
                     "Example:\n"
                     "  zentrix-cli supernet 192.168.4.0 --bits 22");
    supernet->callback([options, &chosen] {
        chosen.run = [options](Report& report) { return runSupernet(report, *options); };
    });
}
