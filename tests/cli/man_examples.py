#!/usr/bin/env python3
"""Runs every example of zentrix-cli's manual page as a reader would paste it.

Examples are the command lines of the COMMANDS section (each command's
--help) and of the EXAMPLES section ("$ zentrix-cli ..."), with their " \\"
continuation lines. Each runs in bash, in a temporary directory that holds
the files the examples name (HOME too, for the settings file), and must end
with the exit status the page shows: "(exit status N)" under an EXAMPLES
entry or "# exit status N" after a command, else 0.

    man_examples.py ZENTRIX_CLI MANUAL_PAGE
"""

import os
import re
import subprocess
import sys
import tempfile

CLI, MANUAL = sys.argv[1], sys.argv[2]

FILES = {
    "hosts.txt": "192.0.2.10\n10.1.2.3\n# a comment\n2001:db8::1\n",
    "routes.txt": "10.0.0.0/8\n10.1.0.0/16\n192.168.0.0/16\n",
    "a.txt": "10.0.0.0/24\n10.0.1.0/24\n",
    "old.txt": "10.0.0.0/24\n10.0.1.0/24\n",
    "new.txt": "10.0.0.0/24\n10.0.2.0/24\n",
    "subnets.txt": "web servers 120\ndatabases /28\n",
    "office.zplan": '{"format": "zentrix-plan", "version": 1, "parents": ["10.20.0.0/22"],\n'
                    ' "requests": [{"name": "sales", "size": "100"}]}\n',
    ".config/Qorvel Group/Zentrix.conf": "; the window's first start\n",
}


def page_lines():
    """The lines shown as they are (.nf to .fi), None between them."""
    shown = False
    with open(MANUAL, encoding="utf-8") as page:
        for line in page:
            line = line.rstrip("\n")
            if line.startswith("."):
                shown = line.startswith(".nf") or (shown and not line.startswith(".fi"))
                yield None  # a request: the end of any example
                continue
            if not shown:
                yield None
                continue
            line = line.replace("\\-", "-").replace("\\&", "").replace("\\e", "\\")
            yield line


def examples():
    """(command, expected status, where) for every example of the page."""
    found = []
    lines = list(page_lines())
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        if line is None:
            continue
        text = line.strip()
        shown = text.startswith("$ zentrix-cli ")
        if not shown and not text.startswith("zentrix-cli "):
            continue
        command = text[2:] if shown else text
        while command.endswith(" \\") and i < len(lines) and lines[i] is not None:
            command = command[:-1] + lines[i].strip()
            i += 1
        status = 0
        comment = re.search(r"#\s*exit status (\d+)", command)
        if comment:
            status = int(comment.group(1))
        elif shown:
            # The answer follows up to the next example or the block's end.
            j = i
            while j < len(lines) and lines[j] is not None and not lines[j].startswith("$ "):
                match = re.fullmatch(r"\(exit status (\d+)\)", lines[j].strip())
                if match:
                    status = int(match.group(1))
                j += 1
        found.append((command, status, line))
    return found


def main():
    found = examples()
    if len(found) < 20:
        print(f"only {len(found)} examples found in {MANUAL}")
        return 1
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        for name, text in FILES.items():
            path = os.path.join(work, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w", encoding="utf-8") as file:
                file.write(text)
        env = dict(os.environ, HOME=work, ASAN_OPTIONS="detect_leaks=0",
                   PATH=os.path.dirname(os.path.abspath(CLI)) + os.pathsep + os.environ["PATH"])
        for command, status, _ in found:
            run = subprocess.run(["bash", "-c", command], cwd=work, env=env, stdin=subprocess.DEVNULL,
                                 capture_output=True, text=True, timeout=60)
            if run.returncode != status:
                failures += 1
                print(f"{command}\n  exit status {run.returncode}, the page shows {status}: "
                      f"{run.stderr.strip()}")
    print(f"{len(found) - failures} passed, {failures} failed")
    return 1 if failures else 0


sys.exit(main())
