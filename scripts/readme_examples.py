#!/usr/bin/env python3
"""README's command-line examples, from the program itself.

Every ```console block in README.md holds commands, each on a line that starts
with "$ ", each followed by what it prints (stdout, then stderr). This script
runs each command with the given spirelle first on PATH, in the C locale and
with no display, and writes what it printed under it.

    scripts/readme_examples.py BUILT_SPIRELLE            rewrite README.md
    scripts/readme_examples.py --check BUILT_SPIRELLE    exit 1, with a diff, where README differs
"""
import difflib
import os
import pathlib
import re
import subprocess
import sys

README = pathlib.Path(__file__).resolve().parent.parent / "README.md"
BLOCK = re.compile(r"^```console\n(.*?)^```$", re.S | re.M)


def run(command, program):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["LC_ALL"] = "C.UTF-8"
    env["PATH"] = str(pathlib.Path(program).resolve().parent) + os.pathsep + env.get("PATH", "")
    done = subprocess.run(["bash", "-c", "{ " + command + "\n} 2>&1"], env=env, capture_output=True, text=True, timeout=60)
    return done.stdout


def rewrite_block(match, program):
    lines = []
    for line in match.group(1).splitlines():
        if line.startswith("$ "):
            lines.append(line)
            lines.extend(run(line[2:], program).splitlines())
    return "```console\n" + "".join(line + "\n" for line in lines) + "```"


def main(argv):
    check = "--check" in argv
    programs = [a for a in argv if a != "--check"]
    if len(programs) != 1:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    text = README.read_text(encoding="utf-8")
    new = BLOCK.sub(lambda m: rewrite_block(m, programs[0]), text)
    if not check:
        README.write_text(new, encoding="utf-8")
        return 0
    if new == text:
        return 0
    sys.stdout.writelines(difflib.unified_diff(text.splitlines(True), new.splitlines(True), "README.md",
                                               "README.md from the program"))
    print("README's examples differ from the program: run scripts/readme_examples.py " + programs[0])
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
