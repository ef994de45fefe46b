#!/usr/bin/env python3
"""Checks `zentrix-cli plan --json` against a model of the planning rules.

The model below is written from the rules as users read them, with Python's
ipaddress module for the address arithmetic: a host count gets the longest
prefix whose usable addresses hold it (after the growth margin) under the
reservation mode, within the sizes that mode allows; an IPv6 host count gets
a /64 (a two-host link a /127 with --p2p127); the nibble rule rounds IPv6
prefixes down to a multiple of 4, and requests go largest first (or in the order given) to the lowest free
address aligned to their size in the first parent with room. A seeded set of
random plans of both families and every mode goes through the real program,
by --need, by request lines on standard input and by plan files.

    plan_reference.py ZENTRIX_CLI [seed]
"""

import ipaddress
import json
import os
import random
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

CLI = sys.argv[1]
SEED = int(sys.argv[2]) if len(sys.argv) > 2 else 20240620
rng = random.Random(SEED)

# Addresses kept at the start and the end of a subnet, and the smallest and
# the largest subnet (as prefixes), per cloud mode: AWS's CreateSubnet
# reference, Azure's virtual network FAQ, Google Cloud's and OCI's subnet
# documentation.
CLOUD = {"aws": (4, 1, 28, 16), "azure": (4, 1, 29, 2), "gcp": (2, 2, 29, 4),
         "oci": (2, 1, 30, 16)}


def usable(v6, mode, prefix):
    """First and last usable offsets, broadcast offset (or None) and count."""
    size = 2 ** ((128 if v6 else 32) - prefix)
    if v6 or prefix >= 31:
        return 0, size - 1, None, size
    head, tail = CLOUD[mode][:2] if mode in CLOUD else (1, 1)
    return head, size - 1 - tail, size - 1, size - head - tail


def needed_prefix(request, v6, options):
    bits = 128 if v6 else 32
    if "prefix" in request:
        prefix = request["prefix"]
    else:
        # hosts * (1 + grow/100), rounded up, in whole numbers.
        hosts = -(-request["hosts"] * (100 + options["grow"]) // 100)
        if v6:
            prefix = 127 if options.get("p2p127") and hosts == 2 else 64
        elif options["mode"] == "standard" and hosts == 1:
            prefix = 32
        elif options["mode"] == "standard" and hosts == 2:
            prefix = 30 if options["p2p30"] else 31
        else:
            longest = CLOUD[options["mode"]][2] if options["mode"] in CLOUD else bits
            prefix = next(p for p in range(longest, -1, -1)
                          if usable(v6, options["mode"], p)[3] >= hosts)
    if options["nibble"]:
        prefix -= prefix % 4
    return prefix


def place(parents, requests, v6, options):
    """The plan as the program's JSON gives it."""
    bits = 128 if v6 else 32
    prefixes = [needed_prefix(r, v6, options) for r in requests]
    order = list(range(len(requests)))
    if options["order"] == "size":
        order.sort(key=lambda i: (prefixes[i], i))
    taken = [[] for _ in parents]  # (first, last, request) per parent
    unplaced = []
    for i in order:
        size = 2 ** (bits - prefixes[i])
        for p, parent in enumerate(parents):
            first, last = int(parent.network_address), int(parent.broadcast_address)
            candidate = first
            for start, end, _ in sorted(taken[p]):
                if candidate + size - 1 < start:
                    break
                # The next address past this block aligned to the size.
                candidate = max(candidate, -(-(end + 1) // size) * size)
            if candidate + size - 1 <= last:
                taken[p].append((candidate, candidate + size - 1, i))
                break
        else:
            unplaced.append(i)

    placed, parent_docs, free_all = [], [], []
    for p, parent in enumerate(parents):
        blocks = sorted(taken[p])
        for start, end, i in blocks:
            net = type(parent)((start, prefixes[i]))
            lo, hi, bcast, hosts = usable(v6, options["mode"], prefixes[i])
            address = type(net.network_address)
            count = str(hosts)
            spare = None
            if "hosts" in requests[i]:
                spare = hosts - requests[i]["hosts"]
                spare = str(spare)
            placed.append({
                "name": requests[i]["name"], "asked": requests[i]["asked"],
                "prefix": prefixes[i], "network": str(net),
                "first": str(address(start + lo)), "last": str(address(start + hi)),
                "broadcast": None if bcast is None else str(address(start + bcast)),
                "hosts": count, "spare": spare})
        free, cursor = [], int(parent.network_address)
        for start, end, _ in blocks + [(int(parent.broadcast_address) + 1, None, None)]:
            if start > cursor:
                free += ipaddress.summarize_address_range(
                    type(parent.network_address)(cursor), type(parent.network_address)(start - 1))
            cursor = end + 1 if end is not None else cursor
        used = sum(end - start + 1 for start, end, _ in blocks)
        parent_docs.append({
            "network": str(parent),
            "addresses": str(parent.num_addresses),
            "used": str(used),
            "used_percent": 100 * used / parent.num_addresses,
            "free": [str(n) for n in free]})
        free_all += free

    largest = None
    for net in free_all:
        if largest is None or net.prefixlen < largest.prefixlen:
            largest = net
    return {
        "unplaced": [{"name": requests[i]["name"], "asked": requests[i]["asked"],
                      "prefix": prefixes[i]} for i in sorted(unplaced)],
        "largest_free": None if largest is None else str(largest),
        "parents": parent_docs,
        "placed": placed,
    }


def random_parents(v6):
    parents = []
    for _ in range(rng.choice([1, 1, 2, 3])):
        for _attempt in range(20):
            if v6:
                address = 0x20010DB8 << 96 | rng.getrandbits(96)
                net = ipaddress.IPv6Network((address, rng.randint(32, 120)), strict=False)
            else:
                address = rng.getrandbits(32)
                net = ipaddress.IPv4Network((address, rng.randint(16, 30)), strict=False)
            if not any(net.overlaps(other) for other in parents):
                parents.append(net)
                break
    return parents


def random_hosts(v6, mode):
    """Host counts at the edges of the sizes, where mistakes live."""
    if v6 and rng.random() < 0.3:
        return rng.randint(1, 2**rng.randint(1, 63))
    if v6 and rng.random() < 0.2:
        return 2
    reserved = sum(CLOUD[mode][:2]) if mode in CLOUD else (0 if v6 else 2)
    edge = 2 ** rng.randint(0, 12) - reserved + rng.randint(-1, 1)
    return max(1, edge) if rng.random() < 0.7 else rng.randint(1, 3000)


def random_plan(v6):
    mode = "standard" if v6 else rng.choice(["standard", "aws", "azure", "gcp", "oci"])
    options = {
        "mode": mode,
        "grow": rng.choice([0, 0, 0, 10, 25, 33, 100]),
        "nibble": v6 and rng.random() < 0.5,
        "p2p30": not v6 and mode == "standard" and rng.random() < 0.3,
        "p2p127": v6 and rng.random() < 0.3,
        "order": rng.choice(["size", "given"]),
    }
    parents = random_parents(v6)
    smallest = max(p.prefixlen for p in parents)
    longest = CLOUD[mode][2] if mode in CLOUD else (128 if v6 else 32)
    shortest = CLOUD[mode][3] if mode in CLOUD else 0
    requests = []
    for i in range(rng.randint(0, 40)):
        name = rng.choice(["net", "lab", "link", "web servers", "Büro", "x=y", "a#1"]) + f" {i}"
        if rng.random() < 0.4:
            low = max(shortest, smallest - 2)
            prefix = rng.randint(low, max(low, min(longest, smallest + 10)))
            requests.append({"name": name, "prefix": prefix, "asked": f"/{prefix}"})
        else:
            hosts = random_hosts(v6, mode)
            requests.append({"name": name, "hosts": hosts, "asked": str(hosts)})
    return parents, requests, options


def option_args(options):
    args = ["--mode", options["mode"], "--order", options["order"]]
    if options["grow"]:
        args += ["--grow", str(options["grow"])]
    if options["nibble"]:
        args.append("--nibble")
    if options["p2p30"]:
        args.append("--p2p30")
    if options["p2p127"]:
        args.append("--p2p127")
    return args


def run_case(case, workdir):
    """Runs one plan through one of the three ways of giving it."""
    index, (parents, requests, options), way, override, ascii_only = case
    stdin = None
    args = [CLI, "plan", "--json"]
    if way == "need":
        args += [str(p) for p in parents] + option_args(options)
        for r in requests:
            args += ["--need", f"{r['name']}={r['asked']}"]
    elif way == "lines":
        args += [str(p) for p in parents] + option_args(options) + ["--file", "-"]
        stdin = "# name size\n" + "".join(f"  {r['name']}\t{r['asked']}\n\n" for r in requests)
    else:
        # A plan file holds everything; half the time the command line
        # brings the parents instead, over parents of the file's own.
        path = os.path.join(workdir, f"plan{index}.zplan")
        file_parents = [str(p) for p in parents]
        args += ["--file", path]
        if override:
            file_parents = ["192.0.2.0/24"] if parents[0].version == 6 else ["2001:db8::/64"]
            args += [str(p) for p in parents]
        with open(path, "w", encoding="utf-8") as f:
            json.dump({"format": "zentrix-plan", "version": 1, "parents": file_parents,
                       "requests": [{"name": r["name"], "size": r["asked"]} for r in requests],
                       "options": options}, f, ensure_ascii=ascii_only)
    done = subprocess.run(args, input=stdin, capture_output=True, text=True, check=False)
    return args, done


def main():
    cases = []
    for i in range(600):
        v6 = i % 3 == 2
        cases.append((i, random_plan(v6), rng.choice(["need", "lines", "plan file"]),
                      rng.random() < 0.5, rng.random() < 0.5))

    failures = []
    with tempfile.TemporaryDirectory() as workdir, ThreadPoolExecutor(max_workers=4) as pool:
        results = list(pool.map(lambda case: run_case(case, workdir), cases))
    for (index, (parents, requests, options), way, *_), (args, done) in zip(cases, results):
        expected = place(parents, requests, parents[0].version == 6, options)
        label = f"case {index} ({way}): {' '.join(args[1:])[:300]}"
        status = 1 if expected["unplaced"] else 0
        if done.returncode != status or done.stderr:
            failures.append(f"{label}: exit {done.returncode}, expected {status}; {done.stderr}")
            continue
        got = json.loads(done.stdout)
        for doc_parent, model_parent in zip(got["parents"], expected["parents"]):
            # A percentage to two places: within half a hundredth.
            if abs(doc_parent["used_percent"] - model_parent["used_percent"]) > 0.0051:
                failures.append(f"{label}: used_percent {doc_parent['used_percent']}, "
                                f"expected {model_parent['used_percent']}")
            doc_parent["used_percent"] = model_parent["used_percent"]
        for key in ("unplaced", "largest_free", "parents", "placed"):
            if got[key] != expected[key]:
                failures.append(f"{label}: {key}: got {got[key]!r:.600}, "
                                f"expected {expected[key]!r:.600}")
        # A total is a string of digits in every command's JSON.
        if (not isinstance(got["total"], str) or
                (got["listed"], int(got["total"])) != (len(expected["placed"]),) * 2):
            failures.append(f"{label}: listed/total {got['listed']}/{got['total']!r}")

    for line in failures[:20]:
        print(line)
    placed = sum(len(json.loads(d.stdout)["placed"]) for _, d in results if d.stdout)
    print(f"{len(cases)} plans, {placed} blocks placed (seed {SEED}), "
          f"{len(failures)} differences from the model")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
