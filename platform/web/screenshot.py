#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Takes the README's picture of the browser face from the real page in headless Chromium:
serves SITE on a port of this computer, types a name, closes the greeting, adds a few values
and saves the window (menu bar included) as OUT.

    screenshot.py SITE OUT [PORT]
"""

import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1000,800"]


def wait_for(driver, script, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        if driver.execute_script("return " + script):
            return
        time.sleep(0.05)
    raise TimeoutError(script)


def main():
    site, out = sys.argv[1], sys.argv[2]
    port = sys.argv[3] if len(sys.argv) > 3 else "8099"
    server = subprocess.Popen([sys.executable, __file__.replace("screenshot.py", "serve.py"),
                               site, port], stdout=subprocess.PIPE)
    server.stdout.readline()  # serving
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in FLAGS + ["--user-data-dir=" + tempfile.mkdtemp()]:
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.get("http://127.0.0.1:%s/" % port)
        wait_for(driver, "document.getElementById('dialog').open")
        driver.find_element(By.ID, "dialog-input").send_keys("Dode")
        driver.find_element(By.ID, "dialog-ok").click()
        wait_for(driver, "document.getElementById('dialog').dataset.kind == 'message'")
        driver.find_element(By.ID, "dialog-ok").click()
        wait_for(driver, "document.body.dataset.state == 'playing'")
        for caption in ("180", "10"):
            driver.find_element(By.XPATH, "//button[span[@class='caption' and text()='%s']]"
                                % caption).click()
        # A viewport of the window's own size: one CSS pixel per pixel.
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": 744, "height": 574, "deviceScaleFactor": 1,
                                "mobile": False})
        time.sleep(0.5)
        driver.save_screenshot(out)
    finally:
        driver.quit()
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
