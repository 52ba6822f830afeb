#!/usr/bin/env python3
"""The web page's icons (web/icons/icon-SIZE.png, for its manifest and for a phone's
home screen) from the program's icon, ui/icons/spirelle.svg, drawn by headless
Chromium: the mark on white, at three quarters of the square."""
import base64, os, sys

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, os.path.join(root, "scripts"))
import headless_chromium  # noqa: E402

SIZES = (180, 192, 512)
svg = base64.b64encode(open(os.path.join(root, "ui", "icons", "spirelle.svg"), "rb").read()).decode()
page = ("data:text/html,<style>html,body{margin:0;background:%23fff;overflow:hidden}"
        "img{display:block;width:75vw;height:75vw;margin:12.5vw}</style>"
        f"<img src='data:image/svg+xml;base64,{svg}'>")
with headless_chromium.Browser() as chromium:
    for size in SIZES:
        chromium.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": size, "height": size, "deviceScaleFactor": 1, "mobile": False})
        chromium.driver.get(page)
        chromium.driver.save_screenshot(os.path.join(root, "web", "icons", f"icon-{size}.png"))
print(", ".join(f"web/icons/icon-{size}.png" for size in SIZES))
