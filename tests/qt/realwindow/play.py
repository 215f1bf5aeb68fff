#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays one short game of angoli in a real X window, the way a pupil would.

Starts its own Xvfb and openbox, runs the game with a fresh record directory and
drives it with xdotool: types a name, answers one question right and one wrong by
clicking the value buttons, leaves with "Esci" and checks the record files the
game wrote. The angle of each question is read from a screenshot of the disc.

Usage: play.py GAME [--artifacts DIR]
Exit status 0 when the game behaved as expected, 1 otherwise.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# The X session, window finding and disc reading are shared with the Wine test and the
# benchmarks (tests/support/xwindow); scripts/screenshot drives the game with this module too.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import xwindow  # noqa: E402
from xwindow import (Failure, all_visible_titles, dismiss, focus, log,  # noqa: E402
                     press_return_on, read_files, restore_files, screenshot, visible_windows,
                     wait_for, wait_for_angle, wait_for_dialog, wait_until_gone, window_info,
                     window_name)

# Titles and texts the player meets.
NAME_DIALOG_TITLE = "Riconosciamo gli angoli"
GREETING_TITLE = "Riconosciamo gli angoli"
APPLICATION_TITLE = "Angoli esplementari"  # verdicts, farewell and record messages
MAIN_TITLE = " " * 92 + "Impariamo a riconoscere gli angoli"
HELP_TITLE = "Riconosciamo gli angoli esplementari"  # the instruction shown on opening Help
PLAYER = "Dode"

# The window's client area, in pixels.
CLIENT_WIDTH, CLIENT_HEIGHT = 744, 552

# Value buttons: value -> left edge; all 65 x 70 at top 472.
VALUE_BUTTON_LEFT = {1: 5, 2: 72, 5: 139, 9: 206, 10: 273, 30: 340, 50: 407,
                     90: 474, 100: 541, 180: 608, 270: 675}
VALUE_BUTTON_TOP, VALUE_BUTTON_SIZE = 472, (65, 70)
VERIFICA = (16, 240, 113, 81)
ESCI = (616, 240, 113, 81)

EXIT_TIMEOUT = 10.0  # seconds for the process to end after the last message
DOUBLE_CLICK_GAP = 0.6  # longer than a double-click interval, so repeats count twice
CLICK_GAP = 0.15

# The package's shared record folder, which the game uses when the package has set it up.
SHARED_RECORD_DIR = "/var/games/angoli"
RECORD_HELPER = "/usr/lib/games/angoli/angoli-records"
RECORD_FILES = ("ange.txt", "nange.txt")


class GameSession(xwindow.Session):
    """The X session and the game in it, with a fresh home; its output goes to artifacts."""

    def __init__(self, game, workdir, artifacts):
        super().__init__(workdir)
        self.game = game
        self.home = os.path.join(workdir, "home")
        self.game_log_path = os.path.join(artifacts, "realwindow-game.log")

    def start_game(self):
        self.start_program([self.game], xwindow.program_env(self.env, self.home),
                           self.game_log_path, cwd=self.home)
        log("started %s (pid %d), its output goes to %s"
            % (self.game, self.proc.pid, self.game_log_path))


def dismiss_message(session, what):
    """Waits for a message box with the application title and presses Return on it."""
    dismiss(session, APPLICATION_TITLE, what)


# --- playing -----------------------------------------------------------------

def click(session, origin, rect, what):
    x = origin[0] + rect[0] + rect[2] // 2
    y = origin[1] + rect[1] + rect[3] // 2
    session.require_alive("about to click " + what)
    # No --sync: it waits for the pointer to move, which never happens when it is
    # already there (the same button twice).
    session.x(["xdotool", "mousemove", str(x), str(y), "sleep", "0.05", "click", "1"])


def value_button(value):
    return (VALUE_BUTTON_LEFT[value], VALUE_BUTTON_TOP) + VALUE_BUTTON_SIZE


def decompose(total):
    """The value buttons a player clicks to build `total`, largest first."""
    return xwindow.decompose(total, VALUE_BUTTON_LEFT)


def enter_total(session, origin, values):
    previous = None
    for value in values:
        time.sleep(DOUBLE_CLICK_GAP if value == previous else CLICK_GAP)
        click(session, origin, value_button(value), 'value button "%d"' % value)
        previous = value
    time.sleep(CLICK_GAP)
    stray = visible_windows(session, APPLICATION_TITLE)
    if stray:
        raise Failure("clicking value buttons %s opened a message box; expected the total "
                      "to grow silently" % values)


def val(data):
    """The leading decimal number of a record file's text, 0 when there is none."""
    match = re.match(rb"\s*(\d+)", data)
    return int(match.group(1)) if match else 0


def read_records(directory):
    return read_files(directory, RECORD_FILES)


def open_definition(session, info, menu_height):
    """Opens Help with the mouse: the instruction comes first, then the list, from which
    the second definition is chosen with the keyboard."""
    session.x(["xdotool", "mousemove", "--sync", str(info["x"] + 20),
               str(info["y"] + menu_height // 2), "click", "1"])
    window = wait_for_dialog(session, HELP_TITLE, "the instruction box on opening Help")
    press_return_on(session, window, "the instruction box")
    time.sleep(0.3)  # the list drops down once the box is gone
    session.x(["xdotool", "key", "--clearmodifiers", "Down", "Down", "Return"])
    dismiss_message(session, 'the definition "Angolo retto"')


def play(session, artifacts):
    shared = os.path.isdir(SHARED_RECORD_DIR) and os.access(RECORD_HELPER, os.X_OK)
    record_dir = (SHARED_RECORD_DIR if shared
                  else os.path.join(session.home, ".local", "share", "angoli"))
    saved = read_records(record_dir) if shared else None
    old_record = val(saved["ange.txt"] or b"") if shared else 0
    if shared:
        log("note: %s exists and is writable, so the game keeps its records there; this test "
            "saves their bytes (record %d) and puts them back at the end" % (record_dir, old_record))
    try:
        play_game(session, artifacts, record_dir, shared, old_record, saved)
    finally:
        if shared:
            restore_files(record_dir, saved)


def play_game(session, artifacts, record_dir, shared, old_record, saved):
    session.start_game()

    log("step 1: the name dialog")
    dialog = wait_for_dialog(session, NAME_DIALOG_TITLE,
                             'the name dialog ("Come ti chiami?")')
    if visible_windows(session, MAIN_TITLE):
        raise Failure("the main window is already shown while the name dialog is up; "
                      "expected it only after the greeting")
    focus(session, dialog)
    session.x(["xdotool", "type", "--delay", "60", PLAYER])
    session.x(["xdotool", "key", "--clearmodifiers", "Return"])
    wait_until_gone(session, dialog, "the name dialog")

    log("step 2: the greeting")
    greeting = wait_for_dialog(session, GREETING_TITLE,
                               'the greeting (" %s vediamo se sei un vero campione  ")' % PLAYER)
    if visible_windows(session, MAIN_TITLE):
        raise Failure("the main window is already shown while the greeting is up; "
                      "expected it only after the greeting")
    press_return_on(session, greeting, "the greeting")

    log("step 3: the main window")
    main = wait_for_dialog(session, MAIN_TITLE,
                           "the main window, titled 92 blanks and "
                           "'Impariamo a riconoscere gli angoli'")
    name = window_name(session, main)
    if name != MAIN_TITLE:
        raise Failure("main window title is %r; expected 92 blanks and "
                      "'Impariamo a riconoscere gli angoli'" % name)
    info = wait_for(lambda: (lambda i: i if i["map_state"] == "IsViewable" else None)(
        window_info(session, main)), "the main window to be viewable")
    menu_height = info["height"] - CLIENT_HEIGHT
    if info["width"] != CLIENT_WIDTH or not 10 <= menu_height <= 80:
        raise Failure("main window is %dx%d; expected %d wide and %d plus a menu bar high"
                      % (info["width"], info["height"], CLIENT_WIDTH, CLIENT_HEIGHT))
    hints = session.x(["xprop", "-id", str(main), "WM_NORMAL_HINTS"])
    size = "%d by %d" % (info["width"], info["height"])
    if ("minimum size: " + size) not in hints or ("maximum size: " + size) not in hints:
        raise Failure("the main window can be resized; expected its minimum and maximum size "
                      "to be its size, %s. Size hints:\n%s" % (size, hints))
    origin = (info["x"], info["y"] + menu_height)
    log("  main window 0x%x at %d,%d, %dx%d; menu bar %d px; client area at %d,%d"
        % (main, info["x"], info["y"], info["width"], info["height"], menu_height, *origin))
    if not shared:
        records = read_records(record_dir)
        if records != {"ange.txt": b"", "nange.txt": b""}:
            raise Failure("on a first run start-up should create empty record files in %s; "
                          "found %r" % (record_dir, records))

    log("step 3b: a stray Return on the main window")
    # The focus starts on "100": an Enter meant for a message that has already gone must
    # not add 100 to the answer (the right answer below would then be wrong).
    focus(session, main)
    session.x(["xdotool", "key", "--clearmodifiers", "Return"])

    log("step 4: the first question")
    try:
        angle = wait_for_angle(session, origin, "the first disc", timeout=5)
    finally:
        shot = os.path.join(artifacts, "realwindow-main.png")
        screenshot(session, shot)
        log("  screenshot of the main window: %s" % shot)
    answer = 360 - angle
    log("  the green angle is %d°, so the answer is %d" % (angle, answer))

    log("step 5: one right answer, then one wrong")
    values = decompose(answer)
    log("  clicking %s, then Verifica" % " + ".join(map(str, values)))
    enter_total(session, origin, values)
    click(session, origin, VERIFICA, '"Verifica"')
    dismiss_message(session, 'the verdict " Ok "')

    angle = wait_for_angle(session, origin, "the second disc")
    answer = 360 - angle
    wrong = [1] if answer != 1 else [2]
    log("  the green angle is %d°, the answer %d; clicking %d, then Verifica"
        % (angle, answer, wrong[0]))
    enter_total(session, origin, wrong)
    click(session, origin, VERIFICA, '"Verifica"')
    dismiss_message(session, "the verdict on a wrong total (too big or too small)")

    log("step 5b: the Help menu")
    open_definition(session, info, menu_height)

    log("step 6: Esci")
    click(session, origin, ESCI, '"Esci"')
    dismiss_message(session, '"Ciao a presto %s"' % PLAYER)
    expect_record = 1 > old_record
    if expect_record:
        dismiss_message(session, 'the record message "Ok ho registrato il tuo record, '
                        'C A M P I O N E"')
    try:
        status = session.proc.wait(timeout=EXIT_TIMEOUT)
    except subprocess.TimeoutExpired:
        raise Failure("the game was still running %.0f s after its last message; expected it to "
                      "end (visible windows: %s)" % (EXIT_TIMEOUT, all_visible_titles(session)))
    if status != 0:
        raise Failure("the game ended with status %d; expected 0" % status)
    log("  the game ended with status 0")

    records = read_records(record_dir)
    if expect_record:
        expected = {"ange.txt": b"1\r\n", "nange.txt": PLAYER.encode() + b"\r\n"}
        if records != expected:
            raise Failure("record files in %s hold %r; expected the new record %r"
                          % (record_dir, records, expected))
    else:
        # A score of 1 does not beat the stored record: nothing may be written.
        expected = {name: data if data is not None else b"" for name, data in saved.items()}
        if records != expected:
            raise Failure("record files in %s hold %r; expected them unchanged, %r"
                          % (record_dir, records, expected))
    log("  record files in %s: %r" % (record_dir, records))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("game", help="path of the angoli executable")
    parser.add_argument("--artifacts", default=os.getcwd(),
                        help="folder for the screenshots and the game's output")
    args = parser.parse_args()

    for tool in ("Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "import"):
        if shutil.which(tool) is None:
            sys.exit("error: %s is missing (run scripts/test, which installs it)" % tool)
    game = os.path.abspath(args.game)
    if not os.access(game, os.X_OK):
        sys.exit("error: no executable game at %s" % game)
    os.makedirs(args.artifacts, exist_ok=True)
    artifacts = os.path.abspath(args.artifacts)

    workdir = tempfile.mkdtemp(prefix="angoli-realwindow-")
    session = GameSession(game, workdir, artifacts)
    os.makedirs(session.home)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("error: stopped by SIGTERM"))
    ok = False
    try:
        session.start_x()
        play(session, artifacts)
        ok = True
    except Failure as failure:
        log("FAILED: %s" % failure)
        if session.display:
            shot = os.path.join(artifacts, "realwindow-failure.png")
            try:
                screenshot(session, shot)
                log("screenshot at the failure: %s" % shot)
            except Exception as error:  # the failure itself matters more
                log("(no screenshot: %s)" % error)
    finally:
        session.close()
        if not ok and os.path.exists(session.game_log_path):
            with open(session.game_log_path, errors="replace") as f:
                output = f.read().strip()
            log("game output:\n%s" % (output or "(none)"))
        shutil.rmtree(workdir, ignore_errors=True)
    if ok:
        log("PASSED: the game played through in a real window")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
