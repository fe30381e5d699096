#!/usr/bin/python3
# A real browser enters a whole round at four tables through the tables' page.
#
# Starts `mervalo-cli tables` on a fresh program folder, drives Debian's headless chromium with
# chromedriver through Selenium (loopback only), stops the server with SIGTERM and checks that the
# event file and the contracts file hold exactly the scores entered. With --screenshot PATH it also
# saves the phone page showing a score for East-West to confirm (the README's picture).

import argparse
import os
import signal
import subprocess
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import Select, WebDriverWait

EVENT = "05-12-2026 Groep A Uitslag"


def write(path, lines):
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))


def read(path):
    with open(path, "rb") as f:
        return f.read().decode("cp1252").split("\r\n")[:-1]


def make_folder(root):
    for sub in ("groepen", "invoer", "schema/10"):
        os.makedirs(os.path.join(root, sub))
    write(os.path.join(root, "taal.txt"), ["10"])
    write(os.path.join(root, "groepen", "05-12-2026 Groep A.txt"),
          ["%d| Speler %da+%d| Speler %db" % (2 * p - 1, p, 2 * p, p) for p in range(1, 9)])
    rounds = ["Ronde %d\t" % r + "\t".join("%d-%d (%d-%d)" % (t, 4 + (t + r - 2) % 4 + 1, 4 * r - 3, 4 * r)
                                            for t in range(1, 5)) for r in range(1, 4)]
    write(os.path.join(root, "schema", "10", "08 Paren 03 Ronden Test.txt"), ["Mitchell"] + rounds)
    write(os.path.join(root, "invoer", EVENT + ".txt"),
          [EVENT, "8", "Geen", "3", "2", "08 Paren 03 Ronden Test", "0"])


def tricks_of(table, board):
    return 8 + (table + board) % 4



def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--screenshot")
    args = ap.parse_args()

    root = tempfile.mkdtemp(prefix="mervalo-tables-")
    make_folder(root)
    server = subprocess.Popen([args.cli, "tables", root, EVENT, "--port", "0"], stdout=subprocess.PIPE, text=True)
    address = server.stdout.readline().strip()
    codes = {}
    for _ in range(4):
        table, code = server.stdout.readline().strip().split("\t")
        codes[int(table)] = code
    port = address.rsplit(":", 1)[1].strip("/")
    base = "http://127.0.0.1:%s/" % port

    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                 "--window-size=390,844", "--no-proxy-server"):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    wait = WebDriverWait(driver, 15)
    failures = []
    try:
        # Without a code the page asks for nothing but itself (no favicon, no data).
        driver.get(base)
        wait.until(lambda d: d.find_element("id", "txtTafel").is_displayed())
        requested = [e["message"] for e in driver.get_log("performance") if "Network.requestWillBeSent" in e["message"]]
        api = [m for m in requested if "/api/" in m or "favicon" in m]
        if api:
            failures.append("requests before a code: %s" % api)

        for table in range(1, 5):
            if table == 2:  # the address carries table and code, as a QR code would
                driver.get(base + "?tafel=2&code=" + codes[2])
            else:
                driver.get(base)
                driver.find_element("id", "txtTafel").send_keys(str(table))
                driver.find_element("id", "txtCode").send_keys(codes[table])
                driver.find_element("id", "cmdVerder").click()
            for board in (1, 2):
                wait.until(lambda d: d.find_element("id", "entry").is_displayed())
                Select(driver.find_element("id", "selNiveau")).select_by_value("3")
                Select(driver.find_element("id", "selKleur")).select_by_value("NT")
                Select(driver.find_element("id", "selLeider")).select_by_value("N")
                Select(driver.find_element("id", "selSlagen")).select_by_value(str(tricks_of(table, board)))
                driver.find_element("id", "cmdScore").click()
                wait.until(lambda d: d.find_element("id", "confirm").is_displayed())
                if args.screenshot and table == 1 and board == 1:
                    driver.save_screenshot(args.screenshot)
                driver.find_element("id", "cmdBevestig").click()
                wait.until(lambda d: d.find_element("id", "stored").is_displayed())
                driver.find_element("id", "cmdVolgende").click()
            # After the round's last board the page shows round 2.
            wait.until(lambda d: "Ronde 2" in d.find_element("id", "lblRonde").text)
    finally:
        driver.quit()
        server.send_signal(signal.SIGTERM)
        rc = server.wait(timeout=15)
    if rc != 0:
        failures.append("the server ended with %d" % rc)

    lines = read(os.path.join(root, "invoer", EVENT + ".txt"))
    expected = ["01*1|5|||430|-430|4|2@2|6|||460|-460|6|0@3|7|||-50|50|0|6@4|8|||400|-400|2|4",
                "02*1|5|||660|-660|6|0@2|6|||-100|100|0|6@3|7|||600|-600|2|4@4|8|||630|-630|4|2"]
    if lines[7:] != expected:
        failures.append("event file: %s" % lines[7:])
    contracts = read(os.path.join(root, "invoer", EVENT + " Contracten.txt"))
    entered = sorted(tuple(c.split("|")[:6]) for c in contracts)
    wanted = sorted((str(b), str(t), str(4 + t), "3NT", "N", str(tricks_of(t, b))) for t in range(1, 5) for b in (1, 2))
    if entered != wanted or len(set(c.split("|")[6] for c in contracts)) != 8:
        failures.append("contracts file: %s" % contracts)
    if os.path.exists(os.path.join(root, "invoer", EVENT + ".txt.lock")):
        failures.append("the lock file stayed")
    for f in failures:
        print("FAIL:", f)
    print("%d passed, %d failed" % (1 if not failures else 0, 1 if failures else 0))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
