#!/usr/bin/python3
# Opens pages in headless Chromium at phone and desktop widths and fails when one scrolls
# sideways, fetches anything, or shows hearts and diamonds in another colour than red.
#
# usage: pagewidth.py CHROMEDRIVER PAGE...   (exit 77 when Selenium is not installed)

import pathlib
import sys

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
except ImportError:
    sys.exit(77)

WIDTHS = (390, 1280)

CHECK = """
const doc = document.documentElement;
const red = Array.from(document.querySelectorAll('.r')).map(e => getComputedStyle(e).color);
return {scroll: doc.scrollWidth, width: window.innerWidth,
        fetched: performance.getEntriesByType('resource').length,
        red: red.filter(c => c !== 'rgb(204, 0, 0)').length, suits: red.length};
"""


def main():
    driver_path, pages = sys.argv[1], sys.argv[2:]
    options = webdriver.ChromeOptions()
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"):
        options.add_argument(arg)
    driver = webdriver.Chrome(service=Service(driver_path), options=options)
    failures = []
    try:
        for width in WIDTHS:
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                   {"width": width, "height": 900, "deviceScaleFactor": 1, "mobile": width < 600})
            for page in pages:
                driver.get(pathlib.Path(page).resolve().as_uri())
                got = driver.execute_script(CHECK)
                name = f"{pathlib.Path(page).name} at {width} px"
                print(f"{name}: {got}")
                if got["width"] != width:
                    failures.append(f"{name}: the window is {got['width']} px wide")
                if got["scroll"] > got["width"]:
                    failures.append(f"{name}: scrolls sideways ({got['scroll']} px of content)")
                if got["fetched"]:
                    failures.append(f"{name}: fetched {got['fetched']} resources")
                if got["red"]:
                    failures.append(f"{name}: {got['red']} hearts or diamonds not red")
    finally:
        driver.quit()
    for f in failures:
        print(f, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
