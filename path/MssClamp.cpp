#include "path/MssClamp.h"

namespace {

// Cisco IOS command reference, "ip tcp adjust-mss": interface configuration,
// 500 to 1460 bytes; "ipv6 tcp adjust-mss" is its IPv6 form.
std::string ciscoIos(const std::string& mss, int value, bool v6)
{
    std::string lines = "! in the configuration of the interface the flows leave by\n";
    if (!v6 && (value < 500 || value > 1460))
        lines += "! (Cisco IOS takes 500 to 1460 here)\n";
    return lines + (v6 ? "ipv6" : "ip") + " tcp adjust-mss " + mss;
}

// Junos OS reference, "all-tcp" at [edit security flow tcp-mss]: the MSS of
// every TCP flow through an SRX Series device, 64 to 65535.
std::string junos(const std::string& mss)
{
    return "# SRX Series: every TCP flow through the device\n"
           "set security flow tcp-mss all-tcp mss " +
           mss;
}

// nftables wiki, "Mangling packet headers": "tcp option maxseg size set",
// with kernel 4.14 and nft 0.9 or later.
std::string nftables(const std::string& mss, bool v6)
{
    return std::string("# in the forward chain of a table named filter\n") + "nft add rule " +
           (v6 ? "ip6" : "ip") + " filter forward tcp flags syn tcp option maxseg size set " + mss;
}

// iptables-extensions(8), TCPMSS: "--set-mss", in the mangle table, on SYNs.
std::string iptables(const std::string& mss, bool v6)
{
    return std::string("# on the SYNs the router forwards\n") + (v6 ? "ip6tables" : "iptables") +
           " -t mangle -A FORWARD -p tcp --tcp-flags SYN,RST SYN -j TCPMSS --set-mss " + mss;
}

// MikroTik RouterOS manual, "Mangle", Change MSS: action=change-mss with
// new-mss, and tcp-mss matching only the SYNs that offer more.
std::string routerOs(const std::string& mss, int value, bool v6)
{
    return std::string("# only SYNs that offer a larger MSS are changed\n") +
           (v6 ? "/ipv6" : "/ip") +
           " firewall mangle add chain=forward protocol=tcp tcp-flags=syn tcp-mss=" +
           std::to_string(value + 1) + "-65535 action=change-mss new-mss=" + mss;
}

} // namespace

std::vector<TClampConfiguration> mssClampConfigurations(int mss, int ipVersion)
{
    const bool v6 = ipVersion == 6;
    const std::string value = std::to_string(mss);
    return {
        {"Cisco IOS", "!", ciscoIos(value, mss, v6)},
        {"Junos", "#", junos(value)},
        {"Linux nftables", "#", nftables(value, v6)},
        {"Linux iptables", "#", iptables(value, v6)},
        {"MikroTik RouterOS", "#", routerOs(value, mss, v6)},
    };
}

std::string mssClampText(int mss, int ipVersion)
{
    std::string text;
    for (const TClampConfiguration& configuration : mssClampConfigurations(mss, ipVersion)) {
        if (!text.empty())
            text += "\n\n";
        text += std::string(configuration.Comment) + " " + configuration.Platform + "\n" +
                configuration.Lines;
    }
    return text;
}
