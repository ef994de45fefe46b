#!/usr/bin/env python3
"""Checks zentrix-cli's classless results against Python's ipaddress module.

A seeded set of random IPv4 and IPv6 cases goes through `zentrix-cli cidr
--json`: network facts (one input and several), splits, ranges, summaries,
membership of addresses and networks, longest-prefix match, exclusion,
intersection, overlaps and the registry flags. Python computes every expected
value on its own, so this is a second opinion on our arithmetic, not our code
checking itself. With the manual page given, every JSON key seen must be
documented there.

    reference.py ZENTRIX_CLI [MANUAL_PAGE [seed]]
"""

import ipaddress
import json
import random
import re
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

from reference_sets import SET_MAKERS, REGISTRY_TABLE

CLI = sys.argv[1]
MANUAL = sys.argv[2] if len(sys.argv) > 2 else None
SEED = int(sys.argv[3]) if len(sys.argv) > 3 else 20240613
rng = random.Random(SEED)

# Special blocks worth landing in often: random addresses almost never hit
# them, and their edges are where mistakes live.
V4_NEAR = ["0.0.0.0", "10.0.0.0", "100.64.0.0", "127.0.0.0", "169.254.0.0", "172.16.0.0",
           "192.0.0.0", "192.0.2.0", "192.31.196.0", "192.52.193.0", "192.88.99.0",
           "192.168.0.0", "192.175.48.0", "198.18.0.0", "198.51.100.0", "203.0.113.0",
           "224.0.0.0", "240.0.0.0", "255.255.255.255"]
V6_NEAR = ["::", "::1", "::ffff:0:0", "64:ff9b::", "64:ff9b:1::", "100::", "2001::", "2001:1::",
           "2001:2::", "2001:3::", "2001:4:112::", "2001:20::", "2001:30::", "2001:db8::",
           "2002::", "2620:4f:8000::", "3fff::", "5f00::", "fc00::", "fe80::", "ff00::",
           "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"]


def random_v4():
    if rng.random() < 0.2:
        base = int(ipaddress.IPv4Address(rng.choice(V4_NEAR)))
        return ipaddress.IPv4Address((base + rng.randrange(-2, 300)) % 2**32)
    return ipaddress.IPv4Address(rng.getrandbits(32))


def random_v6():
    if rng.random() < 0.2:
        base = int(ipaddress.IPv6Address(rng.choice(V6_NEAR)))
        offset = rng.choice([rng.randrange(-2, 70000), rng.getrandbits(64)])
        return ipaddress.IPv6Address((base + offset) % 2**128)
    # Runs of zero groups, so the "::" rules get exercised.
    groups = [rng.choice([0, 0, 0, rng.getrandbits(16), rng.getrandbits(4)]) for _ in range(8)]
    return ipaddress.IPv6Address(sum(g << (16 * (7 - i)) for i, g in enumerate(groups)))


def random_address(v6):
    return random_v6() if v6 else random_v4()


def text(value):
    """An address or network as RFC 5952 writes it: Python 3.11 writes an
    IPv4-mapped address in hexadecimal (::ffff:102:304), RFC 5952 section 5
    in its IPv4 form (::ffff:1.2.3.4)."""
    if isinstance(value, (ipaddress.IPv4Network, ipaddress.IPv6Network)):
        return f"{text(value.network_address)}/{value.prefixlen}"
    if isinstance(value, ipaddress.IPv6Address) and value.ipv4_mapped is not None:
        return f"::ffff:{value.ipv4_mapped}"
    return str(value)


def embedded(address):
    """The IPv4 address an IPv6 one carries, and a Teredo server."""
    if address.ipv4_mapped is not None:
        return str(address.ipv4_mapped), None
    if address in ipaddress.ip_network("64:ff9b::/96"):
        return str(ipaddress.IPv4Address(int(address) & 0xFFFFFFFF)), None
    if address.sixtofour is not None:
        return str(address.sixtofour), None
    if address.teredo is not None:
        return str(address.teredo[1]), str(address.teredo[0])
    return None, None


def run(args, stdin=None):
    done = subprocess.run([CLI, *args, "--json"], capture_output=True, text=True, check=False,
                          input=stdin)
    return done.returncode, done.stdout, done.stderr


class Failures:
    def __init__(self):
        self.items = []

    def check(self, case, what, got, expected):
        if got != expected:
            self.items.append(f"{' '.join(case)}: {what}: got {got!r}, expected {expected!r}")


def check_facts(fail, args, doc, address, net):
    """One object of facts against Python's network."""
    fail.check(args, "network", doc["network"], text(net))
    fail.check(args, "prefix", doc["prefix"], net.prefixlen)
    fail.check(args, "address", doc["address"], text(address))
    fail.check(args, "addresses", doc["addresses"], str(net.num_addresses))
    if net.version == 6:
        fail.check(args, "expanded", doc["expanded"], address.exploded)
        fail.check(args, "network_expanded", doc["network_expanded"],
                   net.network_address.exploded)
        fail.check(args, "first", doc["first"], text(net.network_address))
        fail.check(args, "last", doc["last"], text(net.broadcast_address))
        fail.check(args, "subnets_64", doc["subnets_64"],
                   str(2 ** (64 - net.prefixlen) if net.prefixlen <= 64 else 0))
        ipv4, server = embedded(address)
        fail.check(args, "embedded_ipv4", doc["embedded_ipv4"], ipv4)
        fail.check(args, "teredo_server", doc["teredo_server"], server)
        kinds = (("multicast", net.is_multicast), ("link-local", net.is_link_local),
                 ("loopback", net.is_loopback), ("unspecified", net.is_unspecified))
    else:
        # RFC 3021: a /31 is two hosts and no broadcast; a /32 one host.
        edge = 1 if net.prefixlen < 31 else 0
        fail.check(args, "netmask", doc["netmask"], str(net.netmask))
        fail.check(args, "wildcard", doc["wildcard"], str(net.hostmask))
        fail.check(args, "broadcast", doc["broadcast"],
                   str(net.broadcast_address) if edge else None)
        fail.check(args, "first", doc["first"], str(net.network_address + edge))
        fail.check(args, "last", doc["last"], str(net.broadcast_address - edge))
        fail.check(args, "hosts", doc["hosts"], str(net.num_addresses - 2 * edge))
        fail.check(args, "address_hex", doc["address_hex"].replace(".", ""),
                   f"{int(address):08X}")
        kinds = (("multicast", net.is_multicast), ("link-local", net.is_link_local),
                 ("loopback", net.is_loopback))
    for kind, holds in kinds:
        if holds:
            fail.check(args, "type", doc["type"], kind)


def facts_case(v6):
    address = random_address(v6)
    prefix = rng.randint(0, 128 if v6 else 32)
    net = ipaddress.ip_network(f"{address}/{prefix}", strict=False)
    args = ["cidr", f"{address}/{prefix}"]

    def verify(fail, doc, status):
        check_facts(fail, args, doc, address, net)

    return args, None, verify


def batch_case(v6):
    """Several inputs of both families, as arguments (IPv4 ones sometimes as
    ADDRESS/NETMASK) or as lines of standard input with comments. (ADDRESS
    MASK as two words is one item only as the whole command line.)"""
    inputs = []
    for _ in range(rng.randint(2, 6)):
        family_v6 = rng.random() < 0.5 if v6 else False
        address = random_address(family_v6)
        prefix = rng.randint(0, 128 if family_v6 else 32)
        inputs.append((address, ipaddress.ip_network(f"{address}/{prefix}", strict=False)))
    words = []
    for address, net in inputs:
        if net.version == 4 and rng.random() < 0.3:
            words.append([f"{address}/{net.netmask}"])
        else:
            words.append([f"{address}/{net.prefixlen}"])
    stdin = None
    if rng.random() < 0.5:
        stdin = "".join(f"{' '.join(w)}  # item {i}\n\n" for i, w in enumerate(words))
        args = ["cidr", "-"]
    else:
        args = ["cidr", *[word for w in words for word in w]]

    def verify(fail, doc, status):
        fail.check(args, "objects", len(doc), len(inputs))
        for got, (address, net) in zip(doc, inputs):
            check_facts(fail, args, got, address, net)

    return args, stdin, verify


def split_case(v6):
    bits = 128 if v6 else 32
    address = random_address(v6)
    prefix = rng.randint(0, bits)
    new_prefix = min(bits, prefix + rng.randint(0, 6))
    limit = rng.choice([None, None, rng.randint(0, 70)])
    net = ipaddress.ip_network(f"{address}/{prefix}", strict=False)
    args = ["cidr", text(net), "--split", str(new_prefix)]
    if limit is not None:
        args += ["--limit", str(limit)]

    def verify(fail, doc, status):
        subnets = list(net.subnets(new_prefix=new_prefix))
        expected = subnets if limit is None else subnets[:limit]
        fail.check(args, "listed", doc["listed"], len(expected))
        fail.check(args, "total", doc["total"], str(len(subnets)))
        fail.check(args, "limited", doc["limited"], len(expected) < len(subnets))
        rows = doc["subnets"]
        fail.check(args, "rows", len(rows), len(expected))
        for row, sub in zip(rows, expected):
            fail.check(args, "network", row["network"], text(sub))
            if v6:
                fail.check(args, "first", row["first"], text(sub.network_address))
                fail.check(args, "last", row["last"], text(sub.broadcast_address))
                fail.check(args, "addresses", row["addresses"], str(sub.num_addresses))
            else:
                edge = 1 if new_prefix < 31 else 0
                fail.check(args, "first", row["first"], str(sub.network_address + edge))
                fail.check(args, "last", row["last"], str(sub.broadcast_address - edge))
                fail.check(args, "broadcast", row["broadcast"],
                           str(sub.broadcast_address) if edge else None)
                fail.check(args, "hosts", row["hosts"], str(sub.num_addresses - 2 * edge))

    return args, None, verify


def range_case(v6):
    a, b = sorted([random_address(v6), random_address(v6)])
    if rng.random() < 0.5:
        # Short ranges too: a random pair is almost always half the space.
        b = type(a)(min(int(a) + rng.randrange(0, 5000), 2 ** (128 if v6 else 32) - 1))
    args = ["cidr", f"{a}-{b}"]

    def verify(fail, doc, status):
        expected = [text(n) for n in ipaddress.summarize_address_range(a, b)]
        fail.check(args, "blocks", [row["network"] for row in doc["blocks"]], expected)
        fail.check(args, "counts", [row["addresses"] for row in doc["blocks"]],
                   [str(n.num_addresses) for n in ipaddress.summarize_address_range(a, b)])

    return args, None, verify


def nearby_networks(v6, count, spread=14):
    """Networks near one another, so that they touch, nest and overlap."""
    bits = 128 if v6 else 32
    base = random_address(v6)
    nets = []
    for _ in range(count):
        prefix = rng.randint(max(0, bits - spread + 2), bits)
        address = type(base)((int(base) + rng.randrange(0, 1 << spread)) % 2 ** bits)
        nets.append(ipaddress.ip_network(f"{address}/{prefix}", strict=False))
    return nets


def summary_case(v6):
    items = nearby_networks(v6, rng.randint(1, 12))
    args = ["cidr", "--summarize", *map(text, items)]

    def verify(fail, doc, status):
        expected = [text(n) for n in ipaddress.collapse_addresses(items)]
        fail.check(args, "blocks", [row["network"] for row in doc["blocks"]], expected)

    return args, None, verify


def contains_case(v6):
    address = random_address(v6)
    net = ipaddress.ip_network(f"{address}/{rng.randint(0, 120 if v6 else 24)}", strict=False)
    # Half the probes are the network's own address; a random one is
    # outside almost always.
    probe = random_address(v6) if rng.random() < 0.5 else address
    args = ["cidr", text(net), "--contains", text(probe)]

    def verify(fail, doc, status):
        inside = probe in net
        fail.check(args, "contains", doc["contains"], inside)
        fail.check(args, "exit status", status, 0 if inside else 1)

    return args, None, verify


def main():
    makers = [(facts_case, 800), (batch_case, 150), (split_case, 400), (range_case, 300),
              (summary_case, 300), (contains_case, 250)]
    cases = []
    for maker, count in makers:
        for i in range(count):
            cases.append(maker(v6=i % 2 == 1))
    for maker, count in SET_MAKERS:
        for i in range(count):
            cases.append(maker(rng, v6=i % 2 == 1))
    cases += REGISTRY_TABLE

    with ThreadPoolExecutor(max_workers=4) as pool:
        results = list(pool.map(lambda case: run(case[0], case[1]), cases))

    fail = Failures()
    keys = set()
    for (args, _, verify), (status, out, err) in zip(cases, results):
        if status not in (0, 1) or err:
            fail.items.append(f"{' '.join(args)}: exit status {status}, stderr {err!r}")
            continue
        doc = json.loads(out)
        keys |= json_keys(doc)
        verify(fail, doc, status)

    if MANUAL:
        fail.items += manual_faults(keys)

    for line in fail.items[:40]:
        print(line)
    print(f"{len(cases)} cases (seed {SEED}), {len(fail.items)} differences from ipaddress")
    return 1 if fail.items else 0


def manual_faults(keys):
    """Every JSON key seen is documented, and the page fits 80 columns."""
    faults = []
    with open(MANUAL, encoding="utf-8") as page:
        documented = page.read()
    for key in sorted(keys):
        if f"\\fB{key}\\fR" not in documented:
            faults.append(f"JSON key {key!r} is not documented in {MANUAL}")
    shown = subprocess.run(["man", "-l", MANUAL], capture_output=True, text=True, check=False,
                           env={"MANWIDTH": "80", "LANG": "C.UTF-8", "PATH": "/usr/bin:/bin"})
    if shown.returncode != 0 or shown.stderr:
        faults.append(f"man -l {MANUAL}: status {shown.returncode}, {shown.stderr!r}")
    for number, line in enumerate(shown.stdout.splitlines(), 1):
        line = re.sub(".\b", "", line)  # bold and underline are struck over
        if len(line) > 80:
            faults.append(f"{MANUAL} line {number} is {len(line)} columns wide: {line!r}")
    return faults


def json_keys(doc):
    if isinstance(doc, dict):
        return set(doc) | set().union(*(json_keys(v) for v in doc.values()))
    if isinstance(doc, list):
        return set().union(set(), *(json_keys(v) for v in doc))
    return set()


if __name__ == "__main__":
    sys.exit(main())
