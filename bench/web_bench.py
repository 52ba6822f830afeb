#!/usr/bin/env python3
"""Measures the web page (built by scripts/web.sh) in headless Chromium:
the size of the site, uncompressed and gzip-compressed; the time from navigation
to an interactive page (the core compiled and the buttons enabled), from disk
(file://) and over HTTP (python3 -m http.server); and one inductance press,
over the page and over a plain field table inside the module, against the
native press (core_bench's BM_Command2_Click, when a build has it); one band
design, over the page and as typed, against the native one (BM_Design); choosing
the taps of a 150-turn coil as typed in the taps panel, against the native
choice (BM_ChooseTaps150).
Usage: bench/web_bench.py [loads]   (page loads to time, default 20)"""
import functools, gzip, http.server, json, os, statistics, subprocess, sys, threading

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, os.path.join(root, "scripts"))
import headless_chromium  # noqa: E402

site = os.path.join(root, "build", "wasm", "site")
loads = int(sys.argv[1]) if len(sys.argv) > 1 else 20

print("== Size of the site")
total = total_gzip = 0
for name in sorted(os.listdir(site)):
    data = open(os.path.join(site, name), "rb").read()
    packed = len(gzip.compress(data, 9))
    total, total_gzip = total + len(data), total_gzip + packed
    print(f"{name:14} {len(data) / 1024:8.1f} KB  gzip {packed / 1024:7.1f} KB")
print(f"{'all':14} {total / 1024:8.1f} KB  gzip {total_gzip / 1024:7.1f} KB   (aim: < 400 KB, < 150 KB gzip)")

INTERACTIVE = "return performance.getEntriesByName('spirelle-interactive')[0].startTime"
# Milliseconds per band design (2 in form): pages/design over the page's inputs
# through the binding, then the same as typed (the input event: designed and drawn).
DESIGNS = """const count = arguments[0];
designDiameter.value = '2';
const start = performance.now();
for (let i = 0; i < count; ++i) Module.design('.', ',');
const middle = performance.now();
for (let i = 0; i < count; ++i) designDiameter.dispatchEvent(new Event('input', {bubbles: true}));
return [(middle - start) / count, (performance.now() - middle) / count];"""
# Milliseconds to choose the taps of the selected row's coil as the user types in
# the taps panel: a 1.5 in form, whose # 24 row has 150 turns; the time the
# panel's answer took (kept by design.js) and the whole input event (drawn too).
TAPS = """const count = arguments[0];
document.getElementById('tab-design').click();
designDiameter.value = '1.5';
designDiameter.dispatchEvent(new Event('input', {bubbles: true}));
designTable.tBodies[0].rows[2].cells[0].focus();
const times = [];
const start = performance.now();
for (let i = 0; i < count; ++i) {
  designAntennaOhm.value = String(25 + (i % 2));
  designAntennaOhm.dispatchEvent(new Event('input', {bubbles: true}));
  times.push(Number(designTapsGroup.dataset.ms));
}
return [times.reduce((a, b) => a + b) / count, (performance.now() - start) / count, designTapsTitle.textContent];"""
# Milliseconds per press: `count` presses straight through the binding, timed in the page.
PRESSES = """const [count, onPage] = arguments;
Text16.value = '1'; Text15.value = '20';
const start = performance.now();
if (onPage) for (let i = 0; i < count; ++i) Module.press('Command2', '.', ',');
else Module.pressInductanceOverTable(count);
return (performance.now() - start) / count;"""


def Median(values):
    return f"median {statistics.median(values):.1f} ms (min {min(values):.1f}, max {max(values):.1f})"


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *_):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=site))
threading.Thread(target=server.serve_forever, daemon=True).start()

with headless_chromium.Browser() as chromium:
    print(f"\n== Navigation to an interactive page, {loads} loads each (aim: < 150 ms)")
    for where, url in (("file://", "file://" + os.path.join(site, "index.html")),
                       ("http://", f"http://127.0.0.1:{server.server_port}/index.html")):
        times = []
        for _ in range(loads):
            chromium.open(url)
            times.append(chromium.driver.execute_script(INTERACTIVE))
        print(f"{where:8} first {times[0]:.1f} ms, {Median(times)}")

    print("\n== One inductance press (20 turns, 1 in: six lengths, six inductances with notes, feet)")
    chromium.open("file://" + os.path.join(site, "index.html"))
    for label, on_page in (("browser, over the page's elements", True), ("browser, over a field table", False)):
        chromium.driver.execute_script(PRESSES, 50, on_page)  # warm-up
        runs = [chromium.driver.execute_script(PRESSES, 500, on_page) * 1000 for _ in range(5)]
        print(f"{label:36} {statistics.median(runs):7.1f} us (median of 5 x 500)")

    print("\n== One band design (2 in, 15-365 pF, 10 pF stray, 530-1700 kHz: six wires, every text)")
    chromium.driver.execute_script(DESIGNS, 20)  # warm-up
    runs = [chromium.driver.execute_script(DESIGNS, 200) for _ in range(5)]
    for at, label in enumerate(("browser, pages/design over the page", "browser, as typed: designed and drawn")):
        print(f"{label:36} {statistics.median(run[at] for run in runs) * 1000:7.1f} us (median of 5 x 200)")

    print("\n== Choosing the taps of a 150-turn coil as typed (every pair of taps; aim: < 100 ms)")
    chromium.driver.execute_script(TAPS, 2)  # warm-up
    runs = [chromium.driver.execute_script(TAPS, 5) for _ in range(5)]
    print(f"{runs[0][2][:40]}...")
    for at, label in enumerate(("browser, pages/taps_panel's answer", "browser, as typed: chosen and drawn")):
        print(f"{label:36} {statistics.median(run[at] for run in runs):7.1f} ms (median of 5 x 5)")
server.shutdown()

for build in ("release", "default"):
    native = os.path.join(root, "build", build, "bench", "core_bench")
    if os.path.exists(native):
        out = subprocess.run([native, "--benchmark_filter=BM_Command2_Click|BM_Design$|BM_ChooseTaps150", "--benchmark_format=json"],
                             capture_output=True, text=True).stdout
        for bench in json.loads(out)["benchmarks"]:
            what = 'a press' if 'Click' in bench['name'] else 'taps of 150 turns' if 'Taps' in bench['name'] else 'a design'
            label = f"native ({build}), {what}, over a field table"
            print(f"{label:36} {bench['real_time']:7.1f} {bench['time_unit']}"
                  f" (CPU time {bench['cpu_time']:.1f} {bench['time_unit']})")
        break
