"""Debian's Chromium, headless, driven through chromium-driver and python3-selenium:
the one way the web test, the web benchmark and the web screenshots open the page.
No browser is ever downloaded; each run gets a fresh profile that is removed after."""
import shutil, tempfile

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

    def open(self, url):
        """Navigates to the page and waits until it can compute."""
        self.driver.get(url)
        WebDriverWait(self.driver, 20).until(lambda d: d.execute_script("return document.documentElement.dataset.ready"))

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
