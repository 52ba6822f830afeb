"""Debian's Chromium, headless, driven through chromium-driver and python3-selenium:
the one way the web test, the web benchmark and the web screenshots open the page.
No browser is ever downloaded; each run gets a fresh profile that is removed after."""
import shutil, tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.wait import WebDriverWait

FLAGS = ("--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking"
         " --disable-component-update --disable-sync").split()


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

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)
