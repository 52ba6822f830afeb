#!/usr/bin/env python3
"""How many realistic faults do the tests catch?

Plants one fault at a time (a constant's digit, '<' for '<=', a dropped check,
two writes swapped, a parse order changed, ...) in a copy of the sources under
build/mutants, rebuilds the test programs incrementally with the default
preset, runs ctest (without the packaging test) and reports each fault as
caught or escaped, then the share caught.

    scripts/mutants.py                      # every fault, against these tests
    scripts/mutants.py --tests-from main    # the same faults, against main's tests
    scripts/mutants.py --only wire-pi --tests-regex core_tests
    scripts/mutants.py --list

A new fault is one more Mutant(...) line in MUTANTS: a name, the file, a text
that occurs exactly once in it, and what to put in its place (or, with
regex=True, a pattern that matches once and its re.sub replacement). Keep each one a
change a developer could plausibly make, and one that changes behaviour (a
fault no input can tell apart from the original proves nothing).
"""

import argparse
import fnmatch
import re
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


@dataclass(frozen=True)
class Mutant:
    name: str
    path: str
    old: str
    new: str
    regex: bool = False

    def count(self, text):
        return len(re.findall(self.old, text)) if self.regex else text.count(self.old)

    def apply(self, text):
        return re.sub(self.old, self.new, text) if self.regex else text.replace(self.old, self.new)


MUTANTS = [
    # The formulas: constants, statement order, rounding.
    Mutant("wire-pi", "calc/coil.cpp", "Fp(diameter) * 3.14159", "Fp(diameter) * 3.1416"),
    Mutant("wire-order", "calc/coil.cpp", "Fp(turns) * a / 12.0", "Fp(turns) * (a / 12.0)"),
    Mutant("wheeler-one-line", "calc/coil.cpp",
           "    const double a = CheckedStep(Fp(diameter) / 2.0);",
           "    return CheckedStep(Fp(diameter) / 2.0 * (diameter / 2.0) * turns * turns /"
           " (Fp(length) * 10.0 + Fp(diameter) / 2.0 * 9.0));\n"
           "    const double a = CheckedStep(Fp(diameter) / 2.0);"),
    Mutant("wheeler-square", "calc/coil.cpp", "CheckedStep(Fp(turns) * c)", "CheckedStep(Fp(b) * b)"),
    Mutant("resonance-2pi", "calc/coil.cpp", "6.283", "6.2832"),
    Mutant("resonance-scale", "calc/coil.cpp", "capacitance * 0.01", "capacitance * 0.1"),
    Mutant("round-half-up", "calc/number_format.cpp",
           "return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;", "return floor + 1.0;"),
    # The checked-statement rule.
    Mutant("sqrt-zero-invalid", "calc/checked.cpp", "if (value < 0.0)", "if (value <= 0.0)"),
    Mutant("zero-over-zero-as-division", "calc/checked.cpp", " && a.m_value != 0.0)", ")"),
    Mutant("overflow-unchecked", "calc/checked.cpp",
           "if (std::isinf(result) && std::isfinite(a) && std::isfinite(b))",
           "if (false && std::isinf(result))"),
    # Text to number and back.
    Mutant("format-16-digits", "calc/number_format.h", "int significant = 15;", "int significant = 16;"),
    Mutant("format-exponent-later", "calc/number_format.cpp", "plainUpTo.value_or(digitCount - 1)",
           "plainUpTo.value_or(digitCount)"),
    Mutant("format-separator-ignored", "calc/number_format.cpp",
           "out.append(digits.substr(0, integerDigits)).append(decimalSeparator)",
           "out.append(digits.substr(0, integerDigits)).append(\".\")"),
    Mutant("parse-separator-ignored", "calc/number_parse.cpp",
           "!decimalSeparator.empty() && body.substr(i).starts_with(decimalSeparator)", "false"),
    Mutant("parse-separator-one-byte", "calc/number_parse.cpp", "i += decimalSeparator.size();", "++i;"),
    Mutant("parse-trailing-junk", "calc/number_parse.cpp", "if (i != body.size())\n        throw mismatch();", ""),
    Mutant("grouping-four-digits", "calc/number_parse.cpp", "i < 3 && IsDigit(text[i])", "i <= 3 && IsDigit(text[i])"),
    Mutant("parse-underflow-error", "calc/number_parse.cpp", "value = plain.front() == '-' ? -0.0 : 0.0;",
           "throw mismatch();"),
    Mutant("quote-limit-off-by-one", "calc/quote.cpp", "style.limit - (style.ellipsisWithin ? 1 : 0)", "style.limit"),
    # The page handlers.
    Mutant("frequency-parse-order", "pages/pages.cpp",
           "    const double capacitance = Parse(capacitanceText, separators);\n"
           "    const double inductance = Parse(inductanceText, separators);",
           "    const double inductance = Parse(inductanceText, separators);\n"
           "    const double capacitance = Parse(capacitanceText, separators);"),
    Mutant("wheeler-parse-turns-first", "pages/pages.cpp", "{1, 0, 3, 2, 5, 4}", "{0, 1, 2, 3, 4, 5}"),
    Mutant("wheeler-parse-length-first", "pages/pages.cpp", "{1, 0, 3, 2, 5, 4}", "{4, 1, 0, 3, 2, 5}"),
    Mutant("wire-arguments-swapped", "pages/pages.cpp", "WireFeet(diameter, turns)", "WireFeet(turns, diameter)"),
    Mutant("gauge-boxes-swapped", "pages/controls.h", '"Text14", "Text1"}, {"Label43", "Text13", "Text2"}',
           '"Text14", "Text2"}, {"Label43", "Text13", "Text1"}'),
    Mutant("loose-result-box-typo", "pages/controls.h", 'kLooseInductance = "Text22"', 'kLooseInductance = "Text23"'),
    Mutant("fit-dropped", "pages/pages.cpp", "fields.setText(box, FitToField(text, layout::MaxLengthOf(box)));",
           "fields.setText(box, text);"),
    Mutant("fit-exponent-lowercase", "pages/pages.cpp", "chars.find(U'E')", "chars.find(U'e')"),
    Mutant("note-above-below-swapped", "pages/result_notes.cpp", "deviation < 0 ? \"below\"", "deviation > 0 ? \"below\""),
    Mutant("note-short-coil-boundary", "pages/result_notes.cpp", "ratio < kWheelerShortCoilRatio",
           "ratio <= kWheelerShortCoilRatio"),
    Mutant("frequency-box-limit", "pages/form_layout.cpp", r'(\{"Text17", .*), 5\}', r'\1, 4}', regex=True),
    # The window.
    Mutant("cursor-left-at-end", "ui/widget_fields.cpp", "    box->setCursorPosition(0);\n", ""),
    Mutant("write-as-latin1", "ui/widget_fields.cpp", "box->setText(ToQString(text));",
           "box->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));"),
    Mutant("separator-as-latin1", "ui/main_window.cpp", "locale.decimalPoint().toStdString()",
           "locale.decimalPoint().toLatin1().toStdString()"),
    Mutant("group-separator-ignored", "ui/main_window.cpp", "const std::string group = locale.groupSeparator().toStdString();",
           "const std::string group;"),
    Mutant("error-box-without-parent", "ui/main_window.cpp", "QMessageBox::Ok, this);", "QMessageBox::Ok);"),
    Mutant("tab-order-swapped", "ui/main_window.cpp", "kLooseButton, kLooseLength", "kLooseLength, kLooseButton"),
    Mutant("pages-never-hidden", "ui/tab_control.cpp", "                control->hide();", "                ;"),
    Mutant("about-modal", "ui/about_dialog.cpp", "m_dialog->setAttribute(Qt::WA_DeleteOnClose);",
           "m_dialog->setAttribute(Qt::WA_DeleteOnClose);\n        m_dialog->setModal(true);"),
    Mutant("about-not-activated", "ui/about_dialog.cpp", "    m_dialog->activateWindow();\n", ""),
    Mutant("about-not-raised", "ui/about_dialog.cpp", "    m_dialog->raise();\n", ""),
    Mutant("about-new-each-time", "ui/about_dialog.cpp", "if (!m_dialog) {", "if (true) {"),
    Mutant("about-enter-in-text-ignored", "ui/about_dialog.cpp",
           "m_ok->click(); // the default button", "; // the default button"),
    # The current sheet's series, the notes' plumbing and the command line.
    Mutant("sheet-long-series-off", "calc/current_sheet.cpp", "    if (m < 0.25) {", "    if (m < 0.0) {"),
    Mutant("sheet-short-series-off", "calc/current_sheet.cpp", "} else if (kp * kp < 0.25) {", "} else if (kp * kp < 0.0) {"),
    Mutant("note-not-written", "pages/pages.cpp", "    fields.setNote(box, note);\n", ""),
    Mutant("note-not-spoken", "ui/widget_fields.cpp", "    box->setAccessibleDescription(text);\n", ""),
    Mutant("cli-length-not-read-back", "calc/coil.cpp",
           'return ParseNumber(CloseWoundLengthText(inchesPerTurn, turns, "."));',
           "return CloseWoundLength(inchesPerTurn, turns);"),
    Mutant("tune-stray-once", "calc/band.cpp", "c.cHigh = CheckedStep(Fp(cmax) + stray);", "c.cHigh = cmax;"),
    Mutant("tune-wheeler-36", "calc/tuned_circuit.cpp", "inductance * 36.0", "inductance * 32.0"),
    Mutant("cli-stop-excluded", "cli/arguments.cpp", "constexpr double kStepTolerance = 1e-9;",
           "constexpr double kStepTolerance = -1e-9;"),
]


def run(cmd, cwd=None, timeout=None):
    return subprocess.run(cmd, cwd=cwd, timeout=timeout, text=True, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)


def git(*args):
    return subprocess.run(["git", *args], cwd=ROOT, check=True, stdout=subprocess.PIPE).stdout


def sources(tests_from):
    """The tracked and new files of the worktree, with tests/ taken from another commit if asked."""
    names = git("ls-files", "-z", "--cached", "--others", "--exclude-standard").decode().split("\0")
    files = {n: (ROOT / n).read_bytes() for n in names if n and (ROOT / n).is_file()}
    if tests_from:
        files = {n: b for n, b in files.items() if not n.startswith("tests/")}
        for n in git("ls-tree", "-r", "-z", "--name-only", tests_from, "tests").decode().split("\0"):
            if n:
                files[n] = git("show", f"{tests_from}:{n}")
    return files


def sync(files, copy):
    """Writes only what changed, so that the build after it stays incremental."""
    for name, data in files.items():
        target = copy / name
        if not target.exists() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
            if (ROOT / name).exists():
                target.chmod((ROOT / name).stat().st_mode)
    for path in copy.rglob("*"):
        rel = path.relative_to(copy).as_posix()
        if path.is_file() and not rel.startswith("build/") and rel not in files:
            path.unlink()


def test_targets(build):
    """The test programs: every target named *_test or *_tests."""
    out = run(["cmake", "--build", str(build), "--target", "help"]).stdout
    return sorted({m.group(1) for m in re.finditer(r"^(\w+_tests?):", out, re.M)})


def build_and_test(copy, build, targets, args):
    """(built, failed test names, build seconds, test seconds)."""
    start = time.monotonic()
    made = run(["cmake", "--build", str(build), "--target", *targets])
    built_at = time.monotonic()
    if made.returncode != 0:
        return False, [], built_at - start, 0.0
    cmd = ["ctest", "--test-dir", str(build), "-E", "^package_test$", "--timeout", str(args.timeout), "-j", "2"]
    if args.tests_regex:
        cmd += ["-R", args.tests_regex]
    if not args.all_failures:
        cmd.append("--stop-on-failure")
    tested = run(cmd)
    failed = re.findall(r"^\s*\d+ - (.+?) \((\w+)\)", tested.stdout.split("The following tests FAILED:")[-1], re.M)
    if tested.returncode != 0 and not failed:
        failed = [("ctest", "error")]
    return True, [f"{name} ({why})" for name, why in failed], built_at - start, time.monotonic() - built_at


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tests-from", metavar="REF", help="take tests/ from this commit (e.g. main)")
    parser.add_argument("--only", action="append", metavar="NAME", help="only these faults (glob; repeatable)")
    parser.add_argument("--tests-regex", metavar="RE", help="only the ctest tests matching RE")
    parser.add_argument("--timeout", type=int, default=60, help="seconds per test (default 60)")
    parser.add_argument("--all-failures", action="store_true", help="run every test, not only up to the first failure")
    parser.add_argument("--dir", default=str(ROOT / "build" / "mutants"), help="where the copy lives")
    parser.add_argument("--list", action="store_true", help="list the faults and exit")
    args = parser.parse_args()

    mutants = [m for m in MUTANTS if not args.only or any(fnmatch.fnmatch(m.name, p) for p in args.only)]
    if args.list:
        for m in mutants:
            print(f"{m.name:30} {m.path}")
        return 0
    if not mutants:
        sys.exit("no fault matches --only")

    copy = Path(args.dir) / "src"
    build = copy / "build" / "default"
    files = sources(args.tests_from)
    for m in mutants:
        count = m.count(files[m.path].decode())
        if count != 1:
            sys.exit(f"{m.name}: the text to replace occurs {count} times in {m.path}")

    sync(files, copy)
    if run(["cmake", "--preset", "default"], cwd=copy).returncode != 0:
        sys.exit("configuring the copy failed")
    targets = test_targets(build)
    built, failed, _, seconds = build_and_test(copy, build, targets, args)
    if not built or failed:
        sys.exit(f"the unchanged code does not pass: {failed or 'build failed'}")
    print(f"tests {'from ' + args.tests_from if args.tests_from else 'of the worktree'}; "
          f"unchanged code passes in {seconds:.1f} s; targets {' '.join(targets)}", flush=True)

    caught = escaped = 0
    for m in mutants:
        original = files[m.path]
        (copy / m.path).write_bytes(m.apply(original.decode()).encode())
        try:
            built, failed, build_s, test_s = build_and_test(copy, build, targets, args)
        finally:
            (copy / m.path).write_bytes(original)
        if not built:
            print(f"{m.name:30} DOES NOT BUILD (fix the fault's text)", flush=True)
            continue
        if failed:
            caught += 1
            print(f"{m.name:30} caught   {test_s:6.1f} s  {', '.join(failed)}", flush=True)
        else:
            escaped += 1
            print(f"{m.name:30} ESCAPED  {test_s:6.1f} s", flush=True)
    total = caught + escaped
    if total:
        print(f"caught {caught} of {total} ({100 * caught / total:.0f} %)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
