"""Debian's Chromium, headless, driven through chromium-driver and python3-selenium:
the one way the web test, the web benchmark and the web screenshots open the page.
No browser is ever downloaded; each run gets a fresh profile that is removed after.
Site serves a folder over HTTP from 127.0.0.1, as a static host does, for as long as it runs."""
import base64, functools, http.server, re, shutil, tempfile, threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.wait import WebDriverWait

FLAGS = ("--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking"
         " --disable-component-update --disable-sync").split()


LOWEST_CONTRAST = """
const luminance = color => {
  const [r, g, b] = color.match(/[\\d.]+/g).slice(0, 3).map(v => {
    v /= 255;
    return v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
  });
  return 0.2126 * r + 0.7152 * g + 0.0722 * b;
};
const background = element => {  // the first opaque background behind it
  for (; element; element = element.parentElement) {
    const color = getComputedStyle(element).backgroundColor;
    if (!/^rgba\\(.*, 0\\)$/.test(color)) return color;
  }
  return 'rgb(255, 255, 255)';
};
let worst = [Infinity, ''];
for (const element of document.querySelectorAll('body *')) {
  const text = element.tagName === 'INPUT' ? element.value
      : [...element.childNodes].some(node => node.nodeType === Node.TEXT_NODE && node.textContent.trim());
  if (!text || !element.getClientRects().length) continue;
  const [a, b] = [luminance(getComputedStyle(element).color), luminance(background(element))];
  const ratio = (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
  if (ratio < worst[0]) worst = [ratio, element.id || element.tagName];
}
return worst;"""


AXE_RUN = """const done = arguments[arguments.length - 1];
axe.run(document, {runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice']}).then(
    found => done(found.violations.map(v => `${v.id} (${v.impact}) ${v.nodes.map(n => n.target).join(' ')}`)),
    error => done([String(error)]));"""

# True once a service worker controls the page (after an update check when arguments[0]), false after 20 s.
CONTROLLED = """const done = arguments[arguments.length - 1], workers = navigator.serviceWorker;
setTimeout(() => done(false), 20000);
workers.addEventListener('controllerchange', () => done(true));
if (arguments[0]) workers.getRegistration().then(r => r.update());
else workers.ready.then(() => workers.controller && done(true));"""


def Available():
    return bool(shutil.which("chromium") and shutil.which("chromedriver"))


class Browser:
    """A headless Chromium whose navigator.language is `language`, at `width` x `height` CSS pixels."""

    def __init__(self, language="en-US", width=1024, height=768):
        self.profile = tempfile.mkdtemp(prefix="spirelle-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = shutil.which("chromium")
        for flag in FLAGS + [f"--user-data-dir={self.profile}", f"--lang={language}", f"--window-size={width},{height}"]:
            options.add_argument(flag)
        options.add_experimental_option("prefs", {"intl.accept_languages": language})
        self.driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)

    def open(self, url=None):
        """Navigates to the page (or loads it again) and waits until it can compute."""
        self.driver.get(url) if url else self.driver.refresh()
        WebDriverWait(self.driver, 20).until(lambda d: d.execute_script("return document.documentElement.dataset.ready"))

    def printed(self, dark=False):
        """Shows the page as printed, in the light or the dark scheme."""
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print", "features": [
            {"name": "prefers-color-scheme", "value": "dark" if dark else "light"}]})

    def print_pages(self, width, height):
        """The number of pages Chromium prints the page on, on paper `width` x `height` inches."""
        pdf = base64.b64decode(self.driver.execute_cdp_cmd("Page.printToPDF", {"paperWidth": width, "paperHeight": height})["data"])
        return len(re.findall(rb"/Type\s*/Page\b(?!s)", pdf))

    def axe_violations(self, axe_script):
        """axe-core (its axe.min.js at `axe_script`) over the page as shown, with the WCAG 2.1 A and AA
        rules and its best practices: "rule (impact) elements" for each violation."""
        if not self.driver.execute_script("return typeof axe !== 'undefined'"):
            with open(axe_script) as script:
                self.driver.execute_script(script.read())
        return self.driver.execute_async_script(AXE_RUN)

    def controlled(self, update=False):
        """Waits until a service worker controls the page; with `update`, until a new one takes over."""
        self.driver.set_script_timeout(30)
        return self.driver.execute_async_script(CONTROLLED, update)

    def viewport(self, width, height, dark=False):
        """Shows the page as a screen `width` CSS pixels wide would, in the light or the dark scheme."""
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600})
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
            "features": [{"name": "prefers-color-scheme", "value": "dark" if dark else "light"}]})

    def lowest_contrast(self):
        """[ratio, element] for the shown text that reads worst against its background (WCAG 2 ratio)."""
        return self.driver.execute_script(LOWEST_CONTRAST)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)


class Site:
    """The files of `folder` over HTTP from 127.0.0.1:`port` (any free port when 0) until stopped."""

    def __init__(self, folder, port=0):
        quiet = type("Quiet", (http.server.SimpleHTTPRequestHandler,), {"log_message": lambda *_: None})
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(quiet, directory=folder))
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()
