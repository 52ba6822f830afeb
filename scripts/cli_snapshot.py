#!/usr/bin/env python3
"""Every command line of scripts/cli_lines.txt run through one spirelle, with
what it wrote on stdout and stderr and its exit status, as one text: a change
that should keep the command line's behaviour leaves this text as it was.

    scripts/cli_snapshot.py BUILT_SPIRELLE > before.txt
"""
import os
import pathlib
import shlex
import subprocess
import sys

LINES = pathlib.Path(__file__).resolve().parent / "cli_lines.txt"


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["LC_ALL"] = "C.UTF-8"
    out = sys.stdout
    count = 0
    for line in LINES.read_text().splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        done = subprocess.run([argv[1], *shlex.split(line)], env=env, capture_output=True, timeout=60)
        count += 1
        out.write(f"$ spirelle {line}\n-- stdout\n{done.stdout.decode(errors='replace')}"
                  f"-- stderr\n{done.stderr.decode(errors='replace')}-- exit {done.returncode}\n\n")
    print(f"{count} command lines", file=sys.stderr)


if __name__ == "__main__":
    main(sys.argv)
