#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Installs angoli with one of its Windows installers under Wine and plays one short game in it.

Starts its own Xvfb and openbox and a fresh Wine prefix, installs angoli-setup.exe silently
(or angoli.msi with msiexec /qn, over an older build of itself: see msi.py), starts the
installed game and drives it with xdotool as a pupil would: types a name, reads
the angle off the screen (the disc to within a degree, the exact measure as a screen reader
hears it from the window), answers one question right and one wrong (a double click on one
value button, which must add twice) with real clicks, opens
Help, leaves with "Esci"; then checks the bytes of the record files in the shared record
folder, uninstalls, and checks that the records stay.

Usage: play.py SETUP.EXE --reader READALOUD.EXE --artifacts DIR [--label NAME]
       play.py ANGOLI.MSI --reader READALOUD.EXE --artifacts DIR [--label NAME]
               --make-msi MAKE-MSI --exe ANGOLI.EXE --helper RECORDFOLDER.EXE --arch x64|x86
               --version X.Y.Z
Exit status 0 when everything behaved as expected, 1 otherwise.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
# The X session, window finding and disc reading, shared with the Qt test (tests/support).
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import xwindow as screen  # noqa: E402
from msi import Msi, Nsis, installed_game, windows_path  # noqa: E402
from xwindow import Failure, log, wait_for  # noqa: E402

PLAYER = "Dode"
NAME_TITLE = "Riconosciamo gli angoli"
HELP_TITLE = "Riconosciamo gli angoli esplementari"
APP_TITLE = "Angoli esplementari"
MAIN_TITLE = " " * 92 + "Impariamo a riconoscere gli angoli"
CLIENT = (744, 552)
VALUE_LEFT = {1: 5, 2: 72, 5: 139, 9: 206, 10: 273, 30: 340, 50: 407,
              90: 474, 100: 541, 180: 608, 270: 675}
VERIFICA = (16, 240, 113, 81)
ESCI = (616, 240, 113, 81)
PALE_YELLOW = (255, 255, 192)  # Shape2, along the top of the client area
SPOKEN_ANGLE = "Angolo verde in gradi:"  # lblangolo's name for screen readers
SPOKEN_TOTAL = "Totale:"  # lbltotal4's


class Wine:
    def __init__(self, env, prefix, log_path):
        self.env = dict(env, WINEPREFIX=prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.prefix = prefix
        self.log = open(log_path, "ab")

    def drive_c(self, *parts):
        return os.path.join(self.prefix, "drive_c", *parts)

    def run(self, args, timeout=180):
        done = subprocess.run(["wine"] + args, env=self.env, stdout=self.log,
                              stderr=subprocess.STDOUT, timeout=timeout)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=timeout)
        return done.returncode

    def output_of(self, args, timeout=60):
        """What a program prints, run beside the game (the Wine server keeps running)."""
        done = subprocess.run(["wine"] + args, env=self.env, stdout=subprocess.PIPE,
                              stderr=self.log, timeout=timeout)
        return done.returncode, done.stdout.decode("utf-8", "replace")

    def start(self, args):
        return subprocess.Popen(["wine"] + args, env=self.env, stdout=self.log,
                                stderr=subprocess.STDOUT, preexec_fn=screen.die_with_parent)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=30)
        self.log.close()


def find_client_origin(session, main):
    """The screen position of the client area: below the menu bar, found by Shape2's colour."""
    info = screen.window_info(session, main)
    image = screen.screenshot(session, os.path.join(session.workdir, "find.png"))
    for y in range(info["y"], info["y"] + info["height"] - CLIENT[1] + 1):
        if (image.getpixel((info["x"] + 2, y + 2)) == PALE_YELLOW and
                image.getpixel((info["x"] + 700, y + 2)) == PALE_YELLOW):
            return (info["x"], y), info
    raise Failure("could not find the pale-yellow strip at the top of the client area of the "
                  "main window at %(x)d,%(y)d %(width)dx%(height)d" % info)


def click(session, origin, rect, what):
    x = origin[0] + rect[0] + rect[2] // 2
    y = origin[1] + rect[1] + rect[3] // 2
    session.x(["xdotool", "mousemove", str(x), str(y), "sleep", "0.1", "click", "1"])
    log("  clicked %s at %d,%d" % (what, x, y))


def enter_total(session, origin, total):
    previous = None
    for value in screen.decompose(total, VALUE_LEFT):
        time.sleep(0.6 if value == previous else 0.25)
        click(session, origin, (VALUE_LEFT[value], 472, 65, 70), 'value button "%d"' % value)
        previous = value
    time.sleep(0.3)


def spoken_angle(wine, reader):
    """The measure in lblangolo as a screen reader reads it (readaloud.exe lists the window's
    accessible names), or None when it cannot be read."""
    status, text = wine.output_of([reader])
    for line in text.splitlines():
        if line.startswith(SPOKEN_ANGLE):
            digits = line[len(SPOKEN_ANGLE):].strip()
            if status == 0 and digits.isdigit():
                return int(digits)
    return None


def spoken_total(wine, reader):
    """The running total as a screen reader reads it, or None."""
    status, text = wine.output_of([reader])
    for line in text.splitlines():
        if line.startswith(SPOKEN_TOTAL) and status == 0:
            digits = line[len(SPOKEN_TOTAL):].strip()
            return int(digits) if digits.isdigit() else None
    return None


def double_click(session, origin, wine, reader, value):
    """Two quick clicks on one value button, as a pupil may: both count."""
    rect = (VALUE_LEFT[value], 472, 65, 70)
    x = origin[0] + rect[0] + rect[2] // 2
    y = origin[1] + rect[1] + rect[3] // 2
    session.x(["xdotool", "mousemove", str(x), str(y), "sleep", "0.1",
               "click", "--repeat", "2", "--delay", "60", "1"])
    log('  double-clicked value button "%d" at %d,%d' % (value, x, y))
    time.sleep(0.5)
    total = wait_for(lambda: spoken_total(wine, reader), "the total from the window")
    if total != 2 * value:
        raise Failure('a double click on "%d" made the total %d; expected %d'
                      % (value, total, 2 * value))


def answer(session, wine, reader, origin, right):
    drawn = screen.wait_for_angle(session, origin, "the disc", to_a_degree=True)
    angle = wait_for(lambda: spoken_angle(wine, reader), "the angle's measure from the window")
    if abs(angle - drawn) > 1:
        raise Failure("the window says the green angle is %d°, but the disc shows %d°"
                      % (angle, drawn))
    if right:
        total = 360 - angle
        log("  the green angle is %d°; entering %d (right)" % (angle, total))
        enter_total(session, origin, total)
    else:
        value = 1 if angle != 358 else 10
        log("  the green angle is %d°; entering %d (wrong) with a double click"
            % (angle, 2 * value))
        double_click(session, origin, wine, reader, value)
    click(session, origin, VERIFICA, '"Verifica"')
    screen.dismiss(session, APP_TITLE, "the verdict")


def play(session, wine, installer, reader, artifacts, label):
    installer.install(wine)
    game = installed_game(wine)
    records = wine.drive_c("ProgramData", "Angoli")
    if not os.path.isdir(records):
        raise Failure("the installer made no record folder %s" % records)

    log("step 2: start the installed game, type the name, accept the greeting")
    session.proc = wine.start([windows_path(wine, game)])
    dialog = screen.wait_for_dialog(session, NAME_TITLE, "the name dialog")
    screen.focus(session, dialog)
    session.x(["xdotool", "type", "--delay", "80", PLAYER])
    session.x(["xdotool", "key", "--clearmodifiers", "Return"])
    screen.wait_until_gone(session, dialog, "the name dialog")
    screen.dismiss(session, NAME_TITLE, "the greeting")

    log("step 3: the main window")
    main = screen.wait_for_dialog(session, MAIN_TITLE, "the main window")
    origin, info = wait_for(lambda: find_client_origin(session, main), "the client area")
    log("  client area at %d,%d" % origin)
    time.sleep(0.5)
    shot = os.path.join(artifacts, "realwindow-%s.png" % label)
    image = screen.screenshot(session, shot)
    image.crop((info["x"], info["y"], info["x"] + info["width"],
                info["y"] + info["height"])).save(
        os.path.join(artifacts, "window-%s.png" % label))
    log("  screenshots: %s and window-%s.png" % (shot, label))

    log("step 4: one right answer, then one wrong")
    answer(session, wine, reader, origin, right=True)
    answer(session, wine, reader, origin, right=False)

    log("step 5: Help, then the definition of the right angle")
    session.x(["xdotool", "mousemove", str(origin[0] + 15), str(origin[1] - 8), "click", "1"])
    help_box = screen.wait_for_dialog(session, HELP_TITLE, "the instruction on opening Help")
    screen.press_return_on(session, help_box, "the instruction")
    time.sleep(0.8)
    session.x(["xdotool", "key", "--clearmodifiers", "Down", "Down", "Return"])
    screen.dismiss(session, APP_TITLE, 'the definition "Angolo retto"')

    log("step 6: Esci")
    click(session, origin, ESCI, '"Esci"')
    screen.dismiss(session, APP_TITLE, '"Ciao a presto %s"' % PLAYER)
    screen.dismiss(session, APP_TITLE, "the record message")
    try:
        session.proc.wait(timeout=20)
    except subprocess.TimeoutExpired:
        raise Failure("the game was still running 20 s after its last message")

    expected = {"ange.txt": b"1\r\n", "nange.txt": PLAYER.encode() + b"\r\n"}
    found = screen.read_files(records, expected)
    if found != expected:
        raise Failure("record files in %s hold %r; expected %r" % (records, found, expected))
    log("  record files: %r" % found)

    log("step 7: uninstall; the records stay")
    installer.uninstall(wine, game)
    wait_for(lambda: not os.path.exists(game), "the uninstaller to remove angoli.exe", 30)
    found = screen.read_files(records, expected)
    if found != expected:
        raise Failure("after the uninstall the record files hold %r; expected %r"
                      % (found, expected))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("setup")
    parser.add_argument("--reader", required=True,
                        help="readaloud.exe, which lists what a screen reader reads of the window")
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--label", default="win64")
    for option in ("--make-msi", "--exe", "--helper", "--arch", "--version"):
        parser.add_argument(option, help="for an MSI: how to make an older build of it")
    args = parser.parse_args()
    if args.setup.endswith(".msi") and None in (args.make_msi, args.exe, args.helper, args.arch,
                                                args.version):
        parser.error("an MSI needs --make-msi, --exe, --helper, --arch and --version")
    for tool in ("Xvfb", "openbox", "xdotool", "xwininfo", "import", "wine", "wineserver"):
        if shutil.which(tool) is None:
            sys.exit("error: %s is missing (scripts/test-windows installs it)" % tool)
    os.makedirs(args.artifacts, exist_ok=True)
    artifacts = os.path.abspath(args.artifacts)
    workdir = tempfile.mkdtemp(prefix="angoli-wine-realwindow-")
    session = screen.Session(workdir)
    wine = None
    ok = False
    try:
        session.start_x()
        wine = Wine(session.env, os.path.join(workdir, "prefix"),
                    os.path.join(artifacts, "realwindow-%s-wine.log" % args.label))
        log("making a fresh Wine prefix")
        wine.run(["wineboot", "-i"])
        if args.setup.endswith(".msi"):
            installer = Msi(os.path.abspath(args.setup), args.make_msi, args.exe, args.helper,
                            args.arch, args.version, workdir)
        else:
            installer = Nsis(os.path.abspath(args.setup))
        play(session, wine, installer, os.path.abspath(args.reader), artifacts, args.label)
        ok = True
    except Failure as failure:
        log("FAILED: %s" % failure)
        try:
            screen.screenshot(session, os.path.join(artifacts,
                                                    "realwindow-%s-failure.png" % args.label))
        except Exception as error:  # the failure itself matters more
            log("(no screenshot: %s)" % error)
    finally:
        if wine:
            wine.stop()
        session.close()
        shutil.rmtree(workdir, ignore_errors=True)
    log("PASSED: installed, played, recorded and uninstalled under Wine" if ok else "")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
