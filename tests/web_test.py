#!/usr/bin/env python3
"""The web page in headless Chromium, driven as a person would: type, click, read.
Usage: web_test.py SITE/index.html WEB_REFERENCE. Exits 77 (skipped) where there
is no built site, no Chromium with its driver, or no python3-selenium."""
import base64, contextlib, gzip, json, os, random, shutil, struct, subprocess, sys, tempfile, urllib.request, zipfile


def Skip(why):
    print(f"SKIPPED: {why}")
    sys.exit(77)


page, reference = os.path.abspath(sys.argv[1]), sys.argv[2]
if not os.path.exists(page):
    Skip(f"no built site at {page}; scripts/web.sh builds it")
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "scripts"))
try:
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.select import Select
    from selenium.webdriver.support.wait import WebDriverWait
    import headless_chromium
except ImportError:
    Skip("python3-selenium is not installed")
if not headless_chromium.Available():
    Skip("chromium or chromium-driver is not installed")

TABS = {"Command2": "tab-inductance", "Command1": "tab-frequency", "Command3": "tab-loose"}
INPUTS = {"Command2": ["Text16", "Text15"], "Command1": ["Text9", "Text10"], "Command3": ["Text19", "Text20", "Text21"]}
READ = """const texts = {}, notes = {};
for (const box of document.querySelectorAll('.page form input')) {
  const described = box.getAttribute('aria-describedby');
  texts[box.id] = box.value;
  notes[box.id] = described ? document.getElementById(described).textContent : '';
  if (notes[box.id] !== (described ? box.title : '')) notes[box.id] += ' (the title differs)';
}
const dialog = document.getElementById('errorMessage');
return {message: dialog.open ? document.getElementById('errorText').textContent : '', texts, notes};"""


def Press(browser, button, inputs, typed):
    """Typed: as a person does, with keys and clicks. Otherwise the texts are set and the button clicked by script."""
    if not typed:
        return browser.execute_script("for (const [box, text] of Object.entries(arguments[1]))"
                                      " document.getElementById(box).value = text;"
                                      " document.getElementById(arguments[0]).click();"
                                      f" const answer = (() => {{ {READ} }})();"
                                      " document.getElementById('errorMessage').close(); return answer;", button, inputs)
    browser.find_element(By.ID, TABS[button]).click()
    for box, text in inputs.items():
        field = browser.find_element(By.ID, box)
        field.clear()
        field.send_keys(text)
    browser.find_element(By.ID, button).click()
    answer = browser.execute_script(READ)
    if answer["message"]:
        browser.find_element(By.ID, "errorOk").click()
    return answer


STALE = " The table is still for the last good inputs."
# The design as drawn: set by script, or typed when `typed`; the copy button's text is caught as it is written.
DESIGN = """const [inputs, shown] = arguments, cells = row => [...row.cells].map(c => [c.textContent, c.title]);
if (!shown) { for (const [id, text] of Object.entries(inputs)) document.getElementById(id).value = text;
              designDiameter.dispatchEvent(new Event('input', {bubbles: true})); }
navigator.clipboard.writeText = text => { window.copied = text; return Promise.resolve(); };
window.copied = ''; designCopy.click();
return {message: designMessage.textContent, stale: designTable.classList.contains('stale'), copy: window.copied,
  badField: [...document.querySelectorAll('#design [aria-invalid=true]')].map(e => e.id).join(),
  verdict: [...designVerdict.children].map(p => p.textContent), headers: cells(designTable.tHead.rows[0]).map(c => c[0]),
  rows: [...designTable.tBodies[0].rows].map(cells)};"""


def RandomDesign(rng, decimal):
    number = lambda low, high: (f"{rng.uniform(low, high):.{rng.randint(0, 4)}f}".replace(".", decimal)
                                if rng.random() < 0.95 else RandomText(rng, decimal))
    low = rng.choice([148.5, 530, 531, 5900, rng.uniform(100, 9000)])
    return {"designUnits": rng.choice(["inch", "mm"]), "designDiameter": number(0.1, 80), "designCmin": number(0, 40),
            "designCmax": number(30, 600), "designStray": number(0, 30), "designBandLow": number(low, low),
            "designBandHigh": number(low, 2.2 * low), "designWireOd": rng.choice(["", number(0.005, 2)]),
            "designWireBare": rng.choice(["", "", number(0.004, 1.5)])}


def RandomText(rng, decimal):
    if rng.random() < 0.12:
        return rng.choice(["", " ", "abc", "1,2,3", "..5", "1e", "-", "1e999", "0", "-4", "1.000", "1.234,5", "2.5.1",
                           "\u00bd", "1\u00a0000", "\u0661", "\u201c3\u201d"])
    number = rng.choice([rng.uniform(0.05, 8), rng.uniform(1, 400), 10 ** rng.uniform(-8, 8)])
    text = f"{number:.{rng.randint(0, 7)}{rng.choice('fffe')}}"
    return (text.replace(".", decimal) if rng.random() < 0.7 else text).center(len(text) + 2 * (rng.random() < 0.1))


failures = []


def Flat(answer):
    return {f"{key} {box}": text for key, value in answer.items() for box, text in
            (value.items() if isinstance(value, dict) else [("", value)])}


def Check(what, got, expected):
    if isinstance(got, dict) and isinstance(expected, dict):  # only what differs
        got, expected = Flat(got), Flat(expected)
        got, expected = ({k: d.get(k) for k in got.keys() | expected.keys() if got.get(k) != expected.get(k)}
                         for d in (got, expected))
    if got != expected:
        failures.append(f"{what}: got {got!r}, expected {expected!r}")


AXE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "axe", "node_modules", "axe-core", "axe.min.js")
FIELDS = """return [document.querySelector('[role=tab][aria-selected=true]').getAttribute('aria-controls'), Object.fromEntries(
  [...document.querySelectorAll('.page input:not(.result), .page select:not(.preset)')].map(e => [e.id, e.value]))]"""
# Links, the fields they fill (en-US texts; the rest keep their opening texts) and the tab they open.
LINKS = [
    ("#design&d=2&u=in&c=15-365&b=530-1700&leads=6", dict(designDiameter="2", designUnits="inch", designLeads="6"),
     "design"),
    ("#design&d=50.8&u=mm&c=5-140&s=12.5&b=148.5-283.5&od=0.9&bare=&leads=150", dict(designDiameter="50.8",
     designUnits="mm", designLeads="150",
     designCmin="5", designCmax="140", designStray="12.5", designBandLow="148.5", designBandHigh="283.5", designWireOd="0.9"), "design"),
    ("#loose&uh=240&pf=100&dia=1.5&turns=20&ld=2&ln=10&ll=1.1", dict(Text9="240", Text10="100", Text16="1.5", Text15="20",
                                                                    Text19="2", Text20="10", Text21="1.1"), "loose"),
    # Unknown keys and tab, malformed parts, a result box, a list the fields choose, a unit nobody has: ignored.
    ("#nowhere&d=2&zz=9&x&=&%E0=1&s=%E0&Text22=5&designCapacitor=1&u=furlong", {"designDiameter": "2"}, "inductance"),
    ("#design&d=2.5x&c=15-", {"designDiameter": "2.5x", "designCmax": ""}, "design"),  # marked as a typed mistake
    ("#design&kind=spider&d=2&spokes=7", dict(designCoilKind="Spiderweb", designDiameter="2", designSpokes="7"), "design"),
]


# Worked examples, by hand: Wheeler r²N²/(9r + 10l) uH (1 in form, 20 turns, lengths 20 × inches per turn:
# 100/11.4, 100/10.22, 100/6.6), feet 20 × 1 × 3.14159 / 12; f = 1000 / (6.283 √(LC)); 100 / (9 + 11).
WORKED = [
    ("Command2", {"Text16": "1", "Text15": "20"}, {"Text14": "0.69", "Text13": "0.572", "Text4": "0.21",
                                                   "Text1": "8.77", "Text2": "9.78", "Text8": "15.1", "Text18": "5"}),
    ("Command1", {"Text9": "240", "Text10": "100"}, {"Text17": "1.027"}),
    ("Command3", {"Text19": "2", "Text20": "10", "Text21": "1.1"}, {"Text22": "5 uH"}),
]
LANGUAGES = {"en-US": (".", ",", 300), "de-DE": (",", ".", 60)}  # decimal, group, random presses
UNITS = {"en-US": ("inch", "6"), "de-DE": ("mm", "150")}  # where lengths start, and each lead's wire
PAGE_DESIGN = "return Object.fromEntries([...document.querySelectorAll('#design input, #designUnits, #designCoilKind')].map(e => [e.id, e.value]))"

for language, (decimal, group, presses) in LANGUAGES.items():
    with headless_chromium.Browser(language) as chromium, subprocess.Popen(
            [reference], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True) as desktop:
        browser = chromium.driver

        def Both(button, inputs, typed=True):
            """The press on the page, checked against the same press on the desktop's handlers."""
            desktop.stdin.write(json.dumps({"button": button, "decimal": decimal, "group": group, "inputs": inputs}) + "\n")
            desktop.stdin.flush()
            answer = Press(browser, button, inputs, typed)
            Check(f"{language} {button} {inputs}", answer, json.loads(desktop.stdout.readline()))
            return answer

        def Design(inputs, typed=False, fresh=False):
            """The design on the page, against pages/design's view of its inputs; the table once good stays.
            Typed None: the inputs are the page's own (from a link); fresh: no good design was shown before."""
            if typed:
                for box, text in inputs.items():
                    browser.find_element(By.ID, box).send_keys(text)
            inputs = browser.execute_script(PAGE_DESIGN) if typed is not False else {
                **browser.execute_script(PAGE_DESIGN), **inputs}
            desktop.stdin.write(json.dumps({"design": inputs, "decimal": decimal, "group": group}) + "\n")
            desktop.stdin.flush()
            view = json.loads(desktop.stdout.readline())
            expected = ({"message": "", "badField": "", "stale": False, "copy": view["copy"], "verdict": view["verdict"],
                         "headers": view["headers"], "rows": view["rows"]} if view["good"] else
                        {"message": (view["message"] if not fresh or inputs.get(view["badField"], "").strip() else "")
                         + ("" if fresh else STALE),  # an empty field just opened waits with its example
                         "badField": view["badField"] if not fresh or inputs.get(view["badField"], "").strip() else "",
                         "stale": not fresh, "copy": ""})
            answer = browser.execute_script(DESIGN, inputs, typed is not False)
            Check(f"{language} design {inputs}", {key: answer[key] for key in expected}, expected)
            return answer

        chromium.open("file://" + page)
        Check(f"{language} opens in its region's unit, with no message", browser.execute_script(
            "return [designUnits.value, designLeads.value, designMessage.textContent]"), [*UNITS[language], ""])
        for dark in (False, True):  # a 360 px phone, light and dark: readable, no sideways scrolling, no violation
            chromium.viewport(360, 740, dark)
            for tab in [*TABS.values(), "tab-design"]:
                browser.find_element(By.ID, tab).click()
                ratio, element = chromium.lowest_contrast()
                Check(f"{tab} dark={dark}: {element} reads at 4.5:1 at least", ratio >= 4.5, True)
                Check(f"{tab} at 360 px: page width, rows of tabs", browser.execute_script(
                    "return [document.documentElement.scrollWidth, new Set([...document.querySelectorAll('[role=tab]')]"
                    ".map(tab => tab.getBoundingClientRect().top)).size]"), [360, 1])
                Check(f"axe-core (scripts/deps.sh installs it) on {language} {tab} dark={dark}",
                      chromium.axe_violations(AXE) if os.path.exists(AXE) else [AXE], [])
        if language == "en-US":
            layout = json.loads(subprocess.run([reference, "--layout"], capture_output=True, text=True).stdout)
            shown = browser.execute_script("""return arguments[0].map(c => { const e = document.getElementById(c.name);
                return e && [e.tagName === 'INPUT' ? e.value : e.textContent, e.maxLength > 0 ? e.maxLength : 0]; });""",
                                           layout)
            for control, got in zip(layout, shown):
                Check(f"control {control['name']}", got, [control["text"], control["maxLength"]])
            browser.find_element(By.ID, "tab-loose").click()
            browser.find_element(By.ID, "Text19").click()
            order = [browser.switch_to.active_element.send_keys(Keys.TAB) or browser.switch_to.active_element.get_attribute("id")
                     for _ in range(4)]
            Check("the loose-coil page's keyboard order, Text22 open to typing", [order, browser.find_element(
                By.ID, "Text22").get_property("readOnly")], [["Text20", "Command3", "Text21", "Text22"], False])
            for button, inputs, expected in WORKED:
                texts = Both(button, inputs)["texts"]
                Check(f"{button} {inputs}", {box: texts[box] for box in expected}, expected)
            answer = Both("Command1", {"Text9": "abc"})
            Check("a bad inductance", [answer["message"], answer["texts"]["Text17"]],
                  ["Type mismatch: \u201cabc\u201d is not a number.", "1.027"])
            # 2 in, 15-365 pF, 10 pF stray, MW Americas (scripts/real_coil_values.py): # 20 128 turns, # 30 71 turns.
            browser.find_element(By.ID, "tab-design").click()
            rows = Design({"designDiameter": "2"}, typed=True)["rows"]
            Check("design, 2 in", [rows[0][1], rows[5][0][0], rows[5][1]], [["128", "128 turns"], "# 30", ["71", "71 turns"]])
            answer = Design({"designCmax": "x"}, typed=True)
            Check("design, CMAX 365x", [answer["message"], answer["rows"] == rows], ["CMAX is \u201c365x\u201d, not a number:"
                  " type the capacitor's maximum in pF, such as 365." + STALE, True])
            Select(browser.find_element(By.ID, "designCapacitor")).select_by_index(5)
            Check("Copy table says so", WebDriverWait(browser, 5).until(lambda b: b.execute_script(
                "return designCopied.textContent")), "Table copied, with its inputs")
            Select(browser.find_element(By.ID, "designUnits")).select_by_visible_text("mm")
            Check("a preset, then millimetres: the typed 2 stays, the leads convert", browser.execute_script(
                "return [designCmin.value, designCmax.value, designDiameter.value, designLeads.value]"),
                ["5", "140", "2", "152.4"])
            chromium.viewport(1366, 768, False)  # a laptop: the table whole, Esc closes a cell's whole value
            browser.execute_script("designTable.tBodies[0].rows[0].cells[1].focus()")
            browser.switch_to.active_element.send_keys(Keys.ESCAPE)
            Check("at 1366 px: the table unscrolled; Esc leaves the cell", browser.execute_script(
                "const box = document.querySelector('#design .scroll'); return [box.scrollWidth <= box.clientWidth,"
                " document.activeElement.tagName]"), [True, "DIV"])
        else:
            answer = Both("Command1", {"Text9": "1.000", "Text10": "100"})
            Check("1.000 in de-DE", "could be read two ways" in answer["message"], True)
            Design({"designDiameter": "2"})
        rng = random.Random(22)
        for _ in range(presses):
            button = rng.choice(list(INPUTS))
            Both(button, {box: RandomText(rng, decimal) for box in INPUTS[button]}, typed=False)
        for _ in range(presses // 4):
            Design(RandomDesign(rng, decimal))
        browser.get("about:blank")
        chromium.open("file://" + page)
        opening = browser.execute_script(FIELDS)[1]
        for fragment, fills, tab in LINKS:  # each link opened anew, as from another program
            browser.get("about:blank")
            chromium.open("file://" + page + fragment)
            expected = {**opening, **{box: text.replace(".", decimal) for box, text in fills.items()}}
            Check(f"{language} link {fragment}", browser.execute_script(FIELDS), [tab, expected])
            Design(None, typed=None, fresh=True)
        browser.get("about:blank")
        chromium.open("file://" + page)
        entries = browser.execute_script("return history.length")
        browser.find_element(By.ID, "Text16").send_keys(f"1{decimal}5")
        browser.find_element(By.ID, "tab-design").click()
        browser.find_element(By.ID, "designDiameter").send_keys("2")
        unit, leads = UNITS[language]
        WebDriverWait(browser, 5).until(lambda b: b.execute_script("return location.hash").endswith(f"&kind=Solenoid&d=2&u={unit}&spokes=9&leads={leads}&c=15-365&s=10&cq=2000&b=530-1700"))
        link = browser.execute_script("navigator.clipboard.writeText = text => { window.copied = text; return Promise.resolve(); };"
                                      "copyLink.click(); return [location.hash, history.length, window.copied === location.href]")
        Check(f"{language} typed: the link, history entries, the copied link", link, [
              f"#design&dia=1.5&kind=Solenoid&d=2&u={unit}&spokes=9&leads={leads}&c=15-365&s=10&cq=2000&b=530-1700", entries, True])
        desktop.stdin.close()

# Printed: the design, no tabs or buttons, black on white in the dark scheme too, one A4 or Letter page.
with headless_chromium.Browser() as chromium:
    chromium.open("file://" + page + "#design&d=2")
    chromium.printed(dark=True)
    Check("printed: tabs and buttons hidden; design, table, date and link shown", chromium.driver.execute_script(
        "return [[...document.querySelectorAll('[role=tab], button')].some(e => e.getClientRects().length),"
        " ['design', 'designTable', 'printed'].every(id => document.getElementById(id).getClientRects().length),"
        " printed.textContent.endsWith(location.href), designTable.tBodies[0].rows.length]"), [False, True, True, 6])
    ratio, element = chromium.lowest_contrast()
    Check(f"printed: {element} reads at 4.5:1 at least", ratio >= 4.5, True)
    Check("printed pages on A4 and on Letter", [chromium.print_pages(8.27, 11.69), chromium.print_pages(8.5, 11)], [1, 1])

# A row's winding card printed alone at 1:1 (after the row is chosen): Chromium's PDF on A4, rendered by
# pdftoppm at 300 dpi, holds the 100 mm rule in 1181 pixels and the 4 in one in 1200, each within one.
with headless_chromium.Browser() as chromium, tempfile.TemporaryDirectory() as folder:
    chromium.open("file://" + page + "#design&d=2")
    before = chromium.driver.execute_script("return [designSvg.disabled, designPrint.disabled]")
    chromium.driver.find_element(By.CSS_SELECTOR, "#designTable tbody tr:nth-child(2) td").click()
    chosen = chromium.driver.execute_script("window.print = () => {}; designPrint.click();"
                                            "return [designSvg.disabled, printForm.textContent.includes('detector tap, turn')]")
    Check("the print buttons before and after a row is chosen; its card with the taps panel's taps",
          [before, chosen], [[True, True], [False, True]])
    with open(os.path.join(folder, "card.pdf"), "wb") as pdf:
        pdf.write(base64.b64decode(chromium.driver.execute_cdp_cmd("Page.printToPDF", {"paperWidth": 8.27, "paperHeight": 11.69})["data"]))
    subprocess.run(["pdftoppm", "-r", "300", "-gray", "-singlefile", pdf.name, os.path.join(folder, "card")], check=True)
    _, size, _, pixels = open(os.path.join(folder, "card.pgm"), "rb").read().split(b"\n", 3)
    width = int(size.split()[0])
    runs = {len(run) for y in range(0, len(pixels), width) for run in bytes(pixels[y:y + width]).translate(
        bytes(255 if v < 128 else 0 for v in range(256))).split(b"\0") if len(run) >= 1000}
    Check("the printed rules, 100 mm and 4 in, at 300 dpi", [any(abs(run - want) <= 1 for run in runs)
                                                           for want in (100 / 25.4 * 300, 1200)], [True, True])

# Served: its size, its zip, its icons; installable; after one visit it opens and computes with the
# server stopped, and a new build (other files, another sw.js) is what a visit with the server back gets.
site = os.path.dirname(page)
names = sorted(os.listdir(site))
raw = sum(os.path.getsize(os.path.join(site, name)) for name in names)
packed = sum(len(gzip.compress(open(os.path.join(site, name), "rb").read(), 9)) for name in names)
print(f"the site: {len(names)} files, {raw} bytes, {packed} bytes gzipped")
Check("the site at most 400 KB", raw <= 400_000, True)
Check("site.zip holds the site", sorted(zipfile.ZipFile(os.path.join(site, "..", "site.zip")).namelist()), names)
icons = json.load(open(os.path.join(site, "manifest.webmanifest")))["icons"]
Check("the manifest's icons: PNG, width, height", [struct.unpack(">8s8xII", open(os.path.join(site, icon["src"]), "rb").read(24))
                                                  for icon in icons], [(b"\x89PNG\r\n\x1a\n", *map(int, icon["sizes"].split("x"))) for icon in icons])


def Offline(chromium, served):
    server = headless_chromium.Site(served)
    chromium.open(server.url + "index.html")
    controlled = chromium.controlled()
    Check("a service worker controls the page; manifest errors, installability errors", [controlled, *(
          chromium.driver.execute_cdp_cmd(f"Page.get{what}", {})[key] for what, key in (
          ("AppManifest", "errors"), ("InstallabilityErrors", "installabilityErrors")))], [True, [], []])
    server.stop()
    if not controlled:
        return
    with contextlib.suppress(OSError):
        Check("the server stopped", urllib.request.urlopen(server.url, timeout=5).status, "no answer")
    chromium.open()
    Check("offline: a frequency", Press(chromium.driver, "Command1", {"Text9": "240", "Text10": "100"}, False)["texts"]["Text17"], "1.027")
    for name, old, new in (("index.html", "<title>Spirelle</title>", "<title>Spirelle, rebuilt</title>"),
                           ("sw.js", "const kCache = 'spirelle-", "const kCache = 'spirelle-rebuilt-")):
        text = open(os.path.join(served, name)).read()
        open(os.path.join(served, name), "w").write(text.replace(old, new))
    server = headless_chromium.Site(served, server.server.server_address[1])
    Check("the new build's service worker takes over", chromium.controlled(update=True), True)
    chromium.open()
    Check("the new build's page", chromium.driver.title, "Spirelle, rebuilt")
    server.stop()


served = tempfile.mkdtemp(prefix="spirelle-site-")
shutil.copytree(site, served, dirs_exist_ok=True)
with headless_chromium.Browser() as chromium:
    Offline(chromium, served)
shutil.rmtree(served, ignore_errors=True)

print("\n".join(failures[:20] + [f"{len(failures)} differences"]) if failures else "the page computes as the desktop does")
sys.exit(1 if failures else 0)
