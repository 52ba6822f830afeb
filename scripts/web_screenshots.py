#!/usr/bin/env python3
"""Screenshots of the web page (built by scripts/web.sh) in headless Chromium, for
the README: docs/web.png (a desktop browser, the inductance page after 20 turns
on a 1 in form, the note of the # 30 inductance shown), docs/web-360.png and
docs/web-360-dark.png (a 360 px wide phone, light and dark); the band design for a
2 in form, docs/web-design.png (a desktop browser, the whole value of a cell
shown as after a tap), docs/web-design-360.png and, with CMAX mistyped and the
last good table greyed, docs/web-design-360-dark.png; the design printed (print
media, opened from its link, in the dark scheme), docs/web-print.png.
Prints the lowest text contrast of each page in both schemes as it goes."""
import os, sys

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, os.path.join(root, "scripts"))
import headless_chromium  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402

page = "file://" + os.path.join(root, "build", "wasm", "site", "index.html")
docs = os.path.join(root, "docs")


def Calculate(driver):
    for box, text in (("Text16", "1"), ("Text15", "20")):
        driver.find_element(By.ID, box).clear()
        driver.find_element(By.ID, box).send_keys(text)
    driver.find_element(By.ID, "Command2").click()


def FullPage(driver, width, path):
    """The whole page at `width`: the screenshot is as tall as the page."""
    height = driver.execute_script("return document.documentElement.scrollHeight")
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": True})
    driver.save_screenshot(path)


with headless_chromium.Browser() as chromium:
    driver = chromium.driver
    chromium.viewport(800, 560)
    chromium.open(page)
    Calculate(driver)
    driver.find_element(By.ID, "Text8").click()  # focus shows the note, as a tap does
    driver.save_screenshot(os.path.join(docs, "web.png"))

    driver.find_element(By.ID, "tab-design").click()
    driver.find_element(By.ID, "designDiameter").send_keys("2")
    chromium.viewport(800, 900)
    driver.execute_script("designTable.tBodies[0].rows[5].cells[4].focus()")  # as a tap does
    driver.save_screenshot(os.path.join(docs, "web-design.png"))
    chromium.viewport(1366, 768)  # a laptop: the whole table in view
    driver.execute_script("document.activeElement.blur(); scrollTo(0, document.querySelector('#design .scroll').offsetTop - 300)")
    driver.save_screenshot(os.path.join(docs, "web-design-1366.png"))

    for dark in (False, True):
        chromium.viewport(360, 740, dark)
        for tab in ("tab-inductance", "tab-frequency", "tab-loose", "tab-design"):
            driver.find_element(By.ID, tab).click()
            ratio, element = chromium.lowest_contrast()
            wide = driver.execute_script("return document.documentElement.scrollWidth")
            print(f"{'dark ' if dark else 'light'} {tab:15} lowest contrast {ratio:.2f}:1 ({element}),"
                  f" {wide} px wide at 360")
        driver.find_element(By.ID, "tab-inductance").click()
        FullPage(driver, 360, os.path.join(docs, "web-360-dark.png" if dark else "web-360.png"))
        driver.find_element(By.ID, "tab-design").click()
        if dark:
            driver.find_element(By.ID, "designCmax").send_keys("x")
        FullPage(driver, 360, os.path.join(docs, "web-design-360-dark.png" if dark else "web-design-360.png"))

    chromium.viewport(800, 1000, dark=True)
    driver.get("about:blank")  # opened anew from the link, not the same page's fragment changed
    chromium.open(page + "#design&d=2&u=inch&c=15-365&s=10&b=530-1700")
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print", "features": [
        {"name": "prefers-color-scheme", "value": "dark"}]})
    driver.save_screenshot(os.path.join(docs, "web-print.png"))
print("docs/web.png, docs/web-360.png, docs/web-360-dark.png, docs/web-design.png, docs/web-design-360.png,"
      " docs/web-design-360-dark.png, docs/web-print.png")
