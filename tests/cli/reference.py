#!/usr/bin/env python3
"""Checks zentrix-cli's classless results against Python's ipaddress module.

A seeded set of random IPv4 and IPv6 cases goes through `zentrix-cli cidr
--json`: network facts, splits, ranges, summaries and membership. Python
computes every expected value on its own, so this is a second opinion on
our arithmetic, not our code checking itself.

    reference.py ZENTRIX_CLI [seed]
"""

import ipaddress
import json
import random
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

CLI = sys.argv[1]
SEED = int(sys.argv[2]) if len(sys.argv) > 2 else 20240613
rng = random.Random(SEED)

# Special blocks worth landing in often: random addresses almost never hit
# them, and their edges are where mistakes live.
V4_NEAR = ["0.0.0.0", "10.0.0.0", "100.64.0.0", "127.0.0.0", "169.254.0.0", "172.16.0.0",
           "192.0.2.0", "192.168.0.0", "198.18.0.0", "224.0.0.0", "240.0.0.0",
           "255.255.255.255"]
V6_NEAR = ["::", "::1", "::ffff:0:0", "2001:db8::", "fc00::", "fe80::", "ff00::",
           "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"]


def random_v4():
    if rng.random() < 0.2:
        base = int(ipaddress.IPv4Address(rng.choice(V4_NEAR)))
        return ipaddress.IPv4Address((base + rng.randrange(-2, 300)) % 2**32)
    return ipaddress.IPv4Address(rng.getrandbits(32))


def random_v6():
    if rng.random() < 0.2:
        base = int(ipaddress.IPv6Address(rng.choice(V6_NEAR)))
        return ipaddress.IPv6Address((base + rng.randrange(-2, 70000)) % 2**128)
    # Runs of zero groups, so the "::" rules get exercised.
    groups = [rng.choice([0, 0, 0, rng.getrandbits(16), rng.getrandbits(4)]) for _ in range(8)]
    return ipaddress.IPv6Address(sum(g << (16 * (7 - i)) for i, g in enumerate(groups)))


def random_address(v6):
    return random_v6() if v6 else random_v4()


def run(args):
    done = subprocess.run([CLI, *args, "--json"], capture_output=True, text=True, check=False)
    return done.returncode, done.stdout, done.stderr


class Failures:
    def __init__(self):
        self.items = []

    def check(self, case, what, got, expected):
        if got != expected:
            self.items.append(f"{' '.join(case)}: {what}: got {got!r}, expected {expected!r}")


def facts_case(v6):
    address = random_address(v6)
    prefix = rng.randint(0, 128 if v6 else 32)
    net = ipaddress.ip_network(f"{address}/{prefix}", strict=False)
    args = ["cidr", f"{address}/{prefix}"]

    def verify(fail, doc):
        fail.check(args, "network", doc["network"], str(net))
        fail.check(args, "prefix", doc["prefix"], prefix)
        if v6:
            fail.check(args, "address", doc["address"], address.compressed)
            fail.check(args, "expanded", doc["expanded"], address.exploded)
            fail.check(args, "network_expanded", doc["network_expanded"],
                       net.network_address.exploded)
            fail.check(args, "first", doc["first"], str(net.network_address))
            fail.check(args, "last", doc["last"], str(net.broadcast_address))
            fail.check(args, "addresses", int(doc["addresses"]), net.num_addresses)
            fail.check(args, "subnets_64", int(doc["subnets_64"]),
                       2 ** (64 - prefix) if prefix <= 64 else 0)
            for kind, holds in (("multicast", net.is_multicast),
                                ("link-local", net.is_link_local),
                                ("loopback", net.is_loopback),
                                ("unspecified", net.is_unspecified)):
                if holds:
                    fail.check(args, "type", doc["type"], kind)
        else:
            hosts = net.num_addresses - 2 if prefix < 31 else net.num_addresses
            first = net.network_address + (1 if prefix < 31 else 0)
            last = net.broadcast_address - (1 if prefix < 31 else 0)
            fail.check(args, "netmask", doc["netmask"], str(net.netmask))
            fail.check(args, "wildcard", doc["wildcard"], str(net.hostmask))
            fail.check(args, "broadcast", doc["broadcast"], str(net.broadcast_address))
            fail.check(args, "first_host", doc["first_host"], str(first))
            fail.check(args, "last_host", doc["last_host"], str(last))
            fail.check(args, "usable_hosts", doc["usable_hosts"], hosts)
            fail.check(args, "addresses", doc["addresses"], net.num_addresses)
            fail.check(args, "address_hex", doc["address_hex"].replace(".", ""),
                       f"{int(address):08X}")
            for kind, holds in (("multicast", net.is_multicast),
                                ("link-local", net.is_link_local),
                                ("loopback", net.is_loopback)):
                if holds:
                    fail.check(args, "type", doc["type"], kind)

    return args, verify


def split_case(v6):
    bits = 128 if v6 else 32
    address = random_address(v6)
    prefix = rng.randint(0, bits)
    new_prefix = min(bits, prefix + rng.randint(0, 6))
    limit = rng.choice([None, None, rng.randint(0, 70)])
    net = ipaddress.ip_network(f"{address}/{prefix}", strict=False)
    args = ["cidr", str(net), "--split", str(new_prefix)]
    if limit is not None:
        args += ["--limit", str(limit)]

    def verify(fail, doc):
        subnets = list(net.subnets(new_prefix=new_prefix))
        expected = subnets if limit is None else subnets[:limit]
        fail.check(args, "listed", doc["listed"], len(expected))
        fail.check(args, "total", int(doc["total"]), len(subnets))
        fail.check(args, "limited", doc["limited"], len(expected) < len(subnets))
        rows = doc["subnets"]
        fail.check(args, "rows", len(rows), len(expected))
        for row, sub in zip(rows, expected):
            fail.check(args, "network", row["network"], str(sub))
            if v6:
                fail.check(args, "first", row["first"], str(sub.network_address))
                fail.check(args, "last", row["last"], str(sub.broadcast_address))
                fail.check(args, "addresses", int(row["addresses"]), sub.num_addresses)
            else:
                edge = 1 if new_prefix < 31 else 0
                fail.check(args, "first", row["first"], str(sub.network_address + edge))
                fail.check(args, "last", row["last"], str(sub.broadcast_address - edge))
                fail.check(args, "broadcast", row["broadcast"], str(sub.broadcast_address))
                fail.check(args, "hosts", row["hosts"], sub.num_addresses - 2 * edge)

    return args, verify


def range_case(v6):
    a, b = sorted([random_address(v6), random_address(v6)])
    if rng.random() < 0.5:
        # Short ranges too: a random pair is almost always half the space.
        b = type(a)(min(int(a) + rng.randrange(0, 5000), 2 ** (128 if v6 else 32) - 1))
    args = ["cidr", f"{a}-{b}"]

    def verify(fail, doc):
        expected = [str(n) for n in ipaddress.summarize_address_range(a, b)]
        fail.check(args, "blocks", [row["network"] for row in doc["blocks"]], expected)

    return args, verify


def summary_case(v6):
    bits = 128 if v6 else 32
    base = random_address(v6)
    items = []
    for _ in range(rng.randint(1, 12)):
        # Networks near one another, so that they touch and overlap.
        prefix = rng.randint(max(0, bits - 12), bits)
        offset = rng.randrange(0, 1 << 14)
        address = type(base)((int(base) + offset) % 2 ** bits)
        items.append(ipaddress.ip_network(f"{address}/{prefix}", strict=False))
    args = ["cidr", "--summarize", *map(str, items)]

    def verify(fail, doc):
        expected = [str(n) for n in ipaddress.collapse_addresses(items)]
        fail.check(args, "blocks", [row["network"] for row in doc["blocks"]], expected)

    return args, verify


def contains_case(v6):
    address = random_address(v6)
    net = ipaddress.ip_network(f"{address}/{rng.randint(0, 120 if v6 else 24)}", strict=False)
    # Half the probes are the network's own address; a random one is
    # outside almost always.
    probe = random_address(v6) if rng.random() < 0.5 else address
    args = ["cidr", str(net), "--contains", str(probe)]

    def verify(fail, doc, status):
        inside = probe in net
        fail.check(args, "contains", doc["contains"], inside)
        fail.check(args, "exit status", status, 0 if inside else 1)

    return args, verify


def main():
    makers = [(facts_case, 1000), (split_case, 500), (range_case, 400), (summary_case, 300),
              (contains_case, 300)]
    cases = []
    for maker, count in makers:
        for i in range(count):
            cases.append(maker(v6=i % 2 == 1))

    with ThreadPoolExecutor(max_workers=4) as pool:
        results = list(pool.map(lambda case: run(case[0]), cases))

    fail = Failures()
    for (args, verify), (status, out, err) in zip(cases, results):
        if status not in (0, 1) or err:
            fail.items.append(f"{' '.join(args)}: exit status {status}, stderr {err!r}")
            continue
        doc = json.loads(out)
        if "--contains" in args:
            verify(fail, doc, status)
        else:
            if status != 0:
                fail.items.append(f"{' '.join(args)}: exit status {status}")
            verify(fail, doc)

    for line in fail.items[:40]:
        print(line)
    print(f"{len(cases)} cases (seed {SEED}), {len(fail.items)} differences from ipaddress")
    return 1 if fail.items else 0


if __name__ == "__main__":
    sys.exit(main())
