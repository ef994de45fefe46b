#!/usr/bin/env python3
"""zentrix-cli's bash completion, through real TAB keys.

An interactive bash in a pseudo-terminal loads the completion made from
--help; for each row a partial command line is typed, then TAB, then Enter.
`zentrix-cli` is a shell function there that prints the words it was given,
so what is checked is what bash completed and how it quoted it, as someone
at a terminal would get it (bash breaks words at '@', and names with blanks
must come back quoted).

    completion.py ZENTRIX_CLI_BASH
"""

import os
import pty
import select
import sys
import tempfile
import time

COMPLETION = os.path.abspath(sys.argv[1])

# Typed before TAB, and the words the command gets after Enter.
ROWS = [
    ("zentrix-cli ci", ["cidr"]),
    ("zentrix-cli cidr 10.0.0.0/8 --ex", ["cidr", "10.0.0.0/8", "--exclude"]),
    ("zentrix-cli subnet 10.0.0.1 --st", ["subnet", "10.0.0.1", "--strict"]),
    ("zentrix-cli radix 1 --width 3", ["radix", "1", "--width", "32"]),
    ("zentrix-cli cidr --summarize @ro", ["cidr", "--summarize", "@routes.txt"]),
    ("zentrix-cli cidr 10.0.0.0/8 --exclude @my", ["cidr", "10.0.0.0/8", "--exclude", "@my list.txt"]),
    ("zentrix-cli plan --file off", ["plan", "--file", "office plan.zplan"]),
    ("zentrix-cli plan --file office\\ p", ["plan", "--file", "office plan.zplan"]),
    ("zentrix-cli latency --settings Zen", ["latency", "--settings", "Zentrix.conf"]),
    ("zentrix-cli plan 10.0.0.0/8 --mode gc", ["plan", "10.0.0.0/8", "--mode", "gcp"]),
    ("zentrix-cli plan 10.0.0.0/8 --order gi", ["plan", "10.0.0.0/8", "--order", "given"]),
    ("zentrix-cli latency --network fra", ["latency", "--network", "Frame Relay"]),
    ("zentrix-cli latency --network Tok", ["latency", "--network", "Token Ring"]),
]


def read_until(fd, marker, timeout=10.0):
    data = b""
    end = time.time() + timeout
    while marker not in data and time.time() < end:
        ready, _, _ = select.select([fd], [], [], 0.1)
        if ready:
            try:
                data += os.read(fd, 65536)
            except OSError:
                break
    return data.decode("utf-8", "replace")


def main():
    work = tempfile.mkdtemp()
    for name in ["routes.txt", "my list.txt", "office plan.zplan", "Zentrix.conf"]:
        open(os.path.join(work, name), "w").close()
    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(work)
        os.execvpe("bash", ["bash", "--norc", "--noprofile", "-i"],
                   dict(os.environ, PS1="$ ", TERM="dumb", INPUTRC="/dev/null", HOME=work))
    os.write(fd, ("source '%s'; bind 'set bell-style none';"
                  " zentrix-cli() { printf 'WO''RD<%%s>' \"$@\"; echo ' E''ND'; }; echo RE''ADY\n"
                  % COMPLETION).encode())
    read_until(fd, b"READY\r\n")
    failures = 0
    for typed, expected in ROWS:
        os.write(fd, typed.encode() + b"\t")
        time.sleep(0.3)
        os.write(fd, b"\n")
        out = read_until(fd, b" END")
        words = [part.split(">")[0] for part in out.split("WORD<")[1:]]
        if words != expected:
            failures += 1
            print(f"{typed!r} then TAB: the command got {words}, expected {expected}")
    os.write(fd, b"exit\n")
    os.waitpid(pid, 0)
    print(f"{len(ROWS) - failures} passed, {failures} failed")
    return 1 if failures else 0


sys.exit(main())
