"""The prefix-set and registry cases of reference.py: membership of networks,
longest-prefix match, exclusion, intersection, overlaps and the registry's
flags. Each maker takes the seeded generator and a family and returns
(arguments, standard input, verify); Python's ipaddress computes the answer
(address_exclude, subnet_of, overlaps, collapse_addresses, is_global)."""

import ipaddress

# Where the IANA special-purpose registries and Python 3.11's is_global
# disagree, or Python's releases disagree among themselves (3.11.10 took up
# part of the registry): the registry's answer, from the RFC that made the
# entry, and no comparison with Python inside these blocks.
DISPUTED = [
    # (block, an address in it, globally reachable per the registry, RFC)
    ("192.0.0.0/24", "192.0.0.8", False, "RFC 6890"),
    ("192.0.0.9/32", "192.0.0.9", True, "RFC 7723"),
    ("192.0.0.10/32", "192.0.0.10", True, "RFC 8155"),
    ("192.88.99.0/24", "192.88.99.1", False, "RFC 7526: deprecated, not applicable"),
    ("::ffff:0:0/96", "::ffff:1.2.3.4", False, "RFC 4291"),
    ("64:ff9b:1::/48", "64:ff9b:1::1", False, "RFC 8215"),
    ("2001::/23", "2001:100::1", False, "RFC 2928"),
    ("2001::/32", "2001::1", False, "RFC 4380: Teredo, not applicable"),
    ("2001:1::1/128", "2001:1::1", True, "RFC 7723"),
    ("2001:1::2/128", "2001:1::2", True, "RFC 8155"),
    ("2001:3::/32", "2001:3::1", True, "RFC 7450"),
    ("2001:4:112::/48", "2001:4:112::1", True, "RFC 7535"),
    ("2001:20::/28", "2001:20::1", True, "RFC 7343"),
    ("2001:30::/28", "2001:30::1", True, "RFC 9374"),
    ("2002::/16", "2002::1", False, "RFC 3056: 6to4, not applicable"),
    ("3fff::/20", "3fff::1", False, "RFC 9637"),
    ("5f00::/16", "5f00::1", False, "RFC 9602"),
]
DISPUTED_BLOCKS = [ipaddress.ip_network(block) for block, *_ in DISPUTED]
# RFC 1918 and RFC 4193: the private-use blocks, the only ones "private" names.
PRIVATE_USE = [ipaddress.ip_network(n) for n in
               ("10.0.0.0/8", "172.16.0.0/12", "192.168.0.0/16", "fc00::/7")]

NEAR = {
    4: ["10.0.0.0", "100.64.0.0", "172.16.0.0", "192.0.0.0", "192.31.196.0", "192.88.99.0",
        "192.168.0.0", "198.18.0.0", "224.0.0.0", "240.0.0.0", "255.255.255.0"],
    6: ["::", "::ffff:0:0", "64:ff9b::", "64:ff9b:1::", "100::", "2001::", "2001:1::",
        "2001:3::", "2001:20::", "2001:db8::", "2002::", "2620:4f:8000::", "3fff::", "5f00::",
        "fc00::", "fe80::", "ff02::"],
}


def text(value):
    """RFC 5952 text, IPv4-mapped addresses in their IPv4 form."""
    if isinstance(value, (ipaddress.IPv4Network, ipaddress.IPv6Network)):
        return f"{text(value.network_address)}/{value.prefixlen}"
    if isinstance(value, ipaddress.IPv6Address) and value.ipv4_mapped is not None:
        return f"::ffff:{value.ipv4_mapped}"
    return str(value)


def nearby(rng, v6, count, spread=14):
    """Networks (and addresses) near one another: they nest, touch and overlap."""
    bits = 128 if v6 else 32
    base = rng.getrandbits(bits)
    items = []
    for _ in range(count):
        prefix = rng.randint(max(0, bits - spread - 2), bits)
        address = (base + rng.randrange(0, 1 << spread)) % 2 ** bits
        items.append(ipaddress.ip_network((address, prefix), strict=False))
    return items


def minus(nets, removed):
    """The networks without the addresses of `removed`, by address_exclude."""
    result = list(ipaddress.collapse_addresses(nets))
    for cut in removed:
        kept = []
        for net in result:
            if not net.overlaps(cut):
                kept.append(net)
            elif not cut.supernet_of(net):
                kept.extend(net.address_exclude(cut))
        result = kept
    return [text(n) for n in ipaddress.collapse_addresses(result)]


def both(a, b):
    """The addresses both lists hold: overlapping networks nest, so each
    meeting contributes the smaller one."""
    met = [x if x.prefixlen >= y.prefixlen else y
           for x in ipaddress.collapse_addresses(a) for y in ipaddress.collapse_addresses(b)
           if x.overlaps(y)]
    return [text(n) for n in ipaddress.collapse_addresses(met)]


def blocks_of(doc):
    return [row["network"] for row in doc["blocks"]]


def some_subnet(rng, net, deepest=4):
    diff = rng.randint(0, min(deepest, net.max_prefixlen - net.prefixlen))
    return rng.choice(list(net.subnets(prefixlen_diff=diff)))


def contains_networks_case(rng, v6):
    container = nearby(rng, v6, 1, spread=20)[0]
    probes = nearby(rng, v6, rng.randint(1, 3), spread=22)
    probes += [some_subnet(rng, container), container.network_address]
    rng.shuffle(probes)
    args = ["cidr", text(container), "--contains", *map(text, probes)]

    def verify(fail, doc, status):
        inside = [p.subnet_of(container) if hasattr(p, "prefixlen") else p in container
                  for p in probes]
        fail.check(args, "contains", [row["contains"] for row in doc], inside)
        fail.check(args, "items", [row["item"] for row in doc], [text(p) for p in probes])
        fail.check(args, "exit status", status, 0 if all(inside) else 1)

    return args, None, verify


def lookup_case(rng, v6):
    networks = nearby(rng, v6, rng.randint(1, 10), spread=16)
    networks += [some_subnet(rng, net) for net in networks[:2]]
    queries = [n.network_address + rng.randrange(0, n.num_addresses) for n in networks[:3]]
    queries += [net.network_address for net in nearby(rng, v6, 2, spread=18)]
    stdin = "".join(f"{text(q)}\n" for q in queries)
    args = ["cidr", "--lookup", "-", "--in", *map(text, networks)]

    def verify(fail, doc, status):
        expected = []
        for query in queries:
            holding = [n for n in networks if query in n]
            expected.append(text(max(holding, key=lambda n: n.prefixlen)) if holding else None)
        fail.check(args, "matches", [row["match"] for row in doc], expected)
        fail.check(args, "exit status", status, 0 if all(expected) else 1)

    return args, stdin, verify


def cutting(rng, v6, nets):
    """Networks that cut into `nets` (their subnets) and some that lie apart."""
    cuts = nearby(rng, v6, rng.randint(0, 2))
    cuts += [some_subnet(rng, net) for net in rng.sample(nets, rng.randint(1, len(nets)))]
    rng.shuffle(cuts)
    return cuts


def exclude_case(rng, v6):
    a = nearby(rng, v6, rng.randint(1, 8))
    b = cutting(rng, v6, a)
    args = ["cidr", *map(text, a), "--exclude", *map(text, b)]

    def verify(fail, doc, status):
        fail.check(args, "blocks", blocks_of(doc), minus(a, b))

    return args, None, verify


def intersect_case(rng, v6):
    a = nearby(rng, v6, rng.randint(1, 8))
    b = cutting(rng, v6, a)
    args = ["cidr", *map(text, a), "--intersect", *map(text, b)]

    def verify(fail, doc, status):
        fail.check(args, "blocks", blocks_of(doc), both(a, b))

    return args, None, verify


def overlaps_case(rng, v6):
    items = nearby(rng, v6, rng.randint(2, 8), spread=12)
    given = [text(n) for n in items]
    args = ["cidr", *given, "--overlaps"]

    def verify(fail, doc, status):
        expected = [[given[i], given[j]] for i in range(len(items))
                    for j in range(i + 1, len(items)) if items[i].overlaps(items[j])]
        fail.check(args, "pairs", doc, expected)
        fail.check(args, "exit status", status, 1 if expected else 0)

    return args, None, verify


def flags_case(rng, v6):
    version = 6 if v6 else 4
    base = int(ipaddress.ip_address(rng.choice(NEAR[version])))
    offset = rng.choice([rng.randrange(0, 300), rng.getrandbits(40), rng.getrandbits(16)])
    address = ipaddress.ip_address((base + offset) % 2 ** (128 if v6 else 32))
    args = ["cidr", text(address)]

    def verify(fail, doc, status):
        if not any(address in block for block in DISPUTED_BLOCKS):
            fail.check(args, "global", doc["global"], address.is_global)
        fail.check(args, "private", doc["private"], any(address in n for n in PRIVATE_USE))
        if doc["private"]:
            # Private use is one of the kinds Python calls private.
            fail.check(args, "private is not global", doc["global"], False)
            fail.check(args, "is_private", address.is_private, True)

    return args, None, verify


def registry_row(block, address, reachable, rfc):
    args = ["cidr", address]

    def verify(fail, doc, status):
        fail.check(args + [f"({block}, {rfc})"], "global", doc["global"], reachable)

    return args, None, verify


SET_MAKERS = [(contains_networks_case, 120), (lookup_case, 120), (exclude_case, 150),
              (intersect_case, 120), (overlaps_case, 120), (flags_case, 250)]
REGISTRY_TABLE = [registry_row(*row) for row in DISPUTED]
