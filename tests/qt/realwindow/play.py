#!/usr/bin/python3
"""Plays one short game of angoli in a real X window, the way a pupil would.

Starts its own Xvfb and openbox, runs the game with a fresh record directory and
drives it with xdotool: types a name, answers one question right and one wrong by
clicking the value buttons, leaves with "Esci" and checks the record files the
game wrote. The angle of each question is read from a screenshot of the disc.

Usage: play.py GAME [--artifacts DIR]
Exit status 0 when the game behaved as expected, 1 otherwise.
"""

import argparse
import ctypes
import math
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

try:
    from PIL import Image
except ImportError:  # pragma: no cover - depends on the machine
    sys.exit("error: python3-pil is missing (run scripts/test, which installs it)")

SCREEN = "1024x768x24"

# Titles and texts the player meets.
NAME_DIALOG_TITLE = "Riconosciamo gli angoli"
GREETING_TITLE = "Riconosciamo gli angoli"
APPLICATION_TITLE = "Angoli esplementari"  # verdicts, farewell and record messages
MAIN_TITLE = " " * 92 + "Impariamo a riconoscere gli angoli"
HELP_TITLE = "Riconosciamo gli angoli esplementari"  # the instruction shown on opening Help
PLAYER = "Dode"

# The window's client area and what is drawn on it, in client pixels.
CLIENT_WIDTH, CLIENT_HEIGHT = 744, 552
DISC_CENTRE = (350, 250)
# Inside the disc of radius 190, outermost first: half a degree is widest there,
# clear of the sector's black radii (1.6 px at 185), while the bright-green ring at
# 190 stays out of reach.
SAMPLE_RADII = (185, 175, 160, 130, 100)
DARK_GREEN = (0, 128, 0)
DARK_BLUE = (0, 0, 128)
BLACK = (0, 0, 0)
COLOUR_TOLERANCE = 60  # Euclidean distance in RGB

# Value buttons: value -> left edge; all 65 x 70 at top 472.
VALUE_BUTTON_LEFT = {1: 5, 2: 72, 5: 139, 9: 206, 10: 273, 30: 340, 50: 407,
                     90: 474, 100: 541, 180: 608, 270: 675}
VALUE_BUTTON_TOP, VALUE_BUTTON_SIZE = 472, (65, 70)
VERIFICA = (16, 240, 113, 81)
ESCI = (616, 240, 113, 81)

STEP_TIMEOUT = 20.0  # seconds for any one thing to appear or vanish
EXIT_TIMEOUT = 10.0  # seconds for the process to end after the last message
DOUBLE_CLICK_GAP = 0.6  # longer than a double-click interval, so repeats count twice
CLICK_GAP = 0.15

SHARED_RECORD_DIR = "/var/games/angoli"
RECORD_FILES = ("ange.txt", "nange.txt")


class Failure(Exception):
    """The game did not do what a player expects; the message says what was expected."""


def log(message):
    print(message, flush=True)


# --- processes and X ---------------------------------------------------------

class Session:
    """Xvfb, openbox and the game; everything started here is ended by close()."""

    def __init__(self, game, workdir, artifacts):
        self.game = game
        self.workdir = workdir
        self.home = os.path.join(workdir, "home")
        self.artifacts = artifacts
        self.display = None
        self.xvfb = None
        self.openbox = None
        self.proc = None
        self.game_log_path = os.path.join(artifacts, "realwindow-game.log")
        self.game_log = None
        self.env = None

    def start_x(self):
        read_fd, write_fd = os.pipe()
        # -displayfd lets Xvfb pick a free display itself and tells us once it is ready.
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", SCREEN, "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, preexec_fn=die_with_parent,
            stderr=open(os.path.join(self.workdir, "xvfb.log"), "wb"))
        os.close(write_fd)
        number = read_line_with_timeout(read_fd, STEP_TIMEOUT)
        os.close(read_fd)
        if not number.strip().isdigit():
            raise Failure("Xvfb did not report a display number within %.0f s (got %r)"
                          % (STEP_TIMEOUT, number))
        self.display = ":" + number.strip()
        env = {k: v for k, v in os.environ.items()
               if k not in ("WAYLAND_DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM",
                            "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS")}
        env["DISPLAY"] = self.display
        self.env = env
        log("Xvfb is up on display %s" % self.display)

        self.openbox = subprocess.Popen(
            ["openbox", "--sm-disable"], env=env, stdout=subprocess.DEVNULL,
            preexec_fn=die_with_parent,
            stderr=open(os.path.join(self.workdir, "openbox.log"), "wb"))
        wait_for(lambda: self.x(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
                 .startswith("_NET_SUPPORTING_WM_CHECK(WINDOW)"),
                 "openbox to manage the screen (_NET_SUPPORTING_WM_CHECK on the root window)")

    def start_game(self):
        home = self.home
        env = dict(self.env)
        env.update({
            "HOME": home,
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_RUNTIME_DIR": os.path.join(home, "runtime"),
            "QT_QPA_PLATFORM": "xcb",
            "LC_ALL": "C.UTF-8",
        })
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        self.game_log = open(self.game_log_path, "wb")
        self.proc = subprocess.Popen([self.game], env=env, cwd=home, stdin=subprocess.DEVNULL,
                                     stdout=self.game_log, stderr=subprocess.STDOUT,
                                     preexec_fn=die_with_parent)
        log("started %s (pid %d), its output goes to %s"
            % (self.game, self.proc.pid, self.game_log_path))

    def x(self, args, check=True):
        """Runs an X client on our display and returns its standard output."""
        try:
            done = subprocess.run(args, env=self.env, stdin=subprocess.DEVNULL,
                                  capture_output=True, text=True, timeout=STEP_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure("%s did not finish within %.0f s" % (" ".join(args), STEP_TIMEOUT))
        if check and done.returncode != 0:
            raise Failure("%s failed with status %d: %s"
                          % (" ".join(args), done.returncode, done.stderr.strip()))
        return done.stdout

    def game_alive(self):
        return self.proc is not None and self.proc.poll() is None

    def require_game_alive(self, doing):
        if self.proc is not None and self.proc.poll() is not None:
            raise Failure("the game ended (status %s) while %s" % (self.proc.returncode, doing))

    def close(self):
        for proc in (self.proc, self.openbox, self.xvfb):
            if proc is None or proc.poll() is not None:
                continue
            proc.terminate()
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
        if self.game_log:
            self.game_log.close()


def die_with_parent():
    """Runs in each child before exec: the kernel ends it if this driver dies."""
    pr_set_pdeathsig = 1
    ctypes.CDLL(None, use_errno=True).prctl(pr_set_pdeathsig, signal.SIGKILL)


def read_line_with_timeout(fd, timeout):
    deadline = time.monotonic() + timeout
    data = b""
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0:
            break
        ready, _, _ = select.select([fd], [], [], left)
        if not ready:
            break
        chunk = os.read(fd, 64)
        if not chunk:
            break
        data += chunk
    return data.decode(errors="replace")


def wait_for(predicate, what, timeout=STEP_TIMEOUT, interval=0.1):
    """Polls predicate until it gives a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)


# --- windows -----------------------------------------------------------------

def visible_windows(session, title):
    """Ids of the mapped windows whose title is exactly `title`."""
    out = session.x(["xdotool", "search", "--onlyvisible", "--name",
                     "^" + re.escape(title) + "$"], check=False)
    ids = [int(w) for w in out.split()]
    # The pattern is a POSIX regex; compare the full names to be sure.
    return [w for w in ids if window_name(session, w) == title]


def window_name(session, window):
    return session.x(["xdotool", "getwindowname", str(window)], check=False).rstrip("\n")


def window_info(session, window):
    out = session.x(["xwininfo", "-id", str(window)])

    def field(label):
        match = re.search(r"^\s*" + re.escape(label) + r":\s+(\S+)", out, re.M)
        if not match:
            raise Failure("xwininfo gave no '%s' for window %d:\n%s" % (label, window, out))
        return match.group(1)

    return {"x": int(field("Absolute upper-left X")), "y": int(field("Absolute upper-left Y")),
            "width": int(field("Width")), "height": int(field("Height")),
            "map_state": field("Map State")}


def all_visible_titles(session):
    out = session.x(["xdotool", "search", "--onlyvisible", "--name", ""], check=False)
    names = []
    for w in out.split():
        name = window_name(session, int(w))
        if name:
            names.append(repr(name))
    return ", ".join(names) or "none"


def wait_for_dialog(session, title, what):
    """Waits for a mapped window titled `title`; callers wait for the previous one to close."""
    def found():
        session.require_game_alive("waiting for " + what)
        windows = visible_windows(session, title)
        return windows[0] if windows else None

    try:
        return wait_for(found, "%s (a window titled %r)" % (what, title))
    except Failure as failure:
        raise Failure("%s; visible windows: %s" % (failure, all_visible_titles(session)))


def wait_until_gone(session, window, what):
    def gone():
        if not session.game_alive():
            return True
        info = session.x(["xwininfo", "-id", str(window)], check=False)
        return "IsViewable" not in info

    wait_for(gone, "%s to close after Return" % what)


def focus(session, window):
    session.x(["xdotool", "windowactivate", "--sync", str(window)], check=False)
    session.x(["xdotool", "windowfocus", "--sync", str(window)], check=False)


def press_return_on(session, window, what):
    focus(session, window)
    session.x(["xdotool", "key", "--clearmodifiers", "Return"])
    wait_until_gone(session, window, what)


def dismiss_message(session, what):
    """Waits for a message box with the application title and presses Return on it."""
    window = wait_for_dialog(session, APPLICATION_TITLE, what)
    log("  %s is up (window 0x%x); pressing Return" % (what, window))
    press_return_on(session, window, what)
    return window


# --- screen ------------------------------------------------------------------

def screenshot(session, path):
    """Saves the whole screen as PNG and returns it as an RGB image."""
    done = subprocess.run(["import", "-silent", "-window", "root", "png:" + path],
                          env=session.env, stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=STEP_TIMEOUT)
    if done.returncode != 0 or not os.path.exists(path):
        xwd = subprocess.run(["xwd", "-root", "-silent"], env=session.env,
                             capture_output=True, timeout=STEP_TIMEOUT)
        subprocess.run(["convert", "xwd:-", "png:" + path], input=xwd.stdout,
                       capture_output=True, timeout=STEP_TIMEOUT)
    if not os.path.exists(path):
        raise Failure("could not take a screenshot: %s" % done.stderr.decode(errors="replace"))
    with Image.open(path) as image:
        return image.convert("RGB")


def distance(a, b):
    return sum((x - y) ** 2 for x, y in zip(a, b)) ** 0.5


def classify(pixel):
    for name, colour in (("green", DARK_GREEN), ("blue", DARK_BLUE), ("black", BLACK)):
        if distance(pixel, colour) <= COLOUR_TOLERANCE:
            return name
    return "other"


def sample_point(origin, degrees, radius):
    """Screen pixel at a game angle (0 at 12 o'clock, clockwise) from the disc's centre."""
    rad = math.radians(degrees)
    x = origin[0] + DISC_CENTRE[0] + radius * math.sin(rad)
    y = origin[1] + DISC_CENTRE[1] - radius * math.cos(rad)
    return math.floor(x), math.floor(y)  # the pixel whose square holds the point


def read_angle(image, origin):
    """Returns (angle, None) read off the disc, or (None, why) when no disc can be read.

    Each whole degree g is sampled at g + 0.5. Next to a bounding radius the
    sector's black outline may cover a sample, so the degree takes the colour of
    the outermost sample that is plainly green or blue.
    """
    colours = []
    for g in range(360):
        colour = "unclear"
        for radius in SAMPLE_RADII:
            seen = classify(image.getpixel(sample_point(origin, g + 0.5, radius)))
            if seen in ("green", "blue"):
                colour = seen
                break
        colours.append(colour)
    green = colours.count("green")
    blue = colours.count("blue")
    unclear = [g for g, c in enumerate(colours) if c == "unclear"]
    if green == 0 or blue == 0:
        centre = image.getpixel((origin[0] + DISC_CENTRE[0], origin[1] + DISC_CENTRE[1] - 100))
        return None, ("expected a dark-green %s sector on a dark-blue %s disc; found %d green "
                      "and %d blue degrees (pixel 100 px above the centre is %s)"
                      % (DARK_GREEN, DARK_BLUE, green, blue, centre))
    if unclear:
        return None, ("%d degrees are neither clearly green nor blue, from %d° to %d°"
                      % (len(unclear), unclear[0], unclear[-1]))
    if colours != ["green"] * green + ["blue"] * blue:
        return None, ("the green part does not run clockwise from 12 o'clock in one piece: "
                      "first blue at %d°, green again at %d°"
                      % (colours.index("blue"), max(g for g, c in enumerate(colours)
                                                    if c == "green")))
    return green, None


def wait_for_angle(session, origin, what, timeout=STEP_TIMEOUT):
    """Reads the question's angle once two screenshots in a row agree."""
    scratch = os.path.join(session.workdir, "screen.png")
    last = None
    why = "no screenshot yet"
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        session.require_game_alive("reading " + what)
        angle, why = read_angle(screenshot(session, scratch), origin)
        if angle is not None and angle == last:
            return angle
        last = angle
        time.sleep(0.2)
    raise Failure("could not read %s within %.0f s: %s" % (what, timeout, why))


# --- playing -----------------------------------------------------------------

def click(session, origin, rect, what):
    x = origin[0] + rect[0] + rect[2] // 2
    y = origin[1] + rect[1] + rect[3] // 2
    session.require_game_alive("about to click " + what)
    # No --sync: it waits for the pointer to move, which never happens when it is
    # already there (the same button twice).
    session.x(["xdotool", "mousemove", str(x), str(y), "sleep", "0.05", "click", "1"])


def value_button(value):
    return (VALUE_BUTTON_LEFT[value], VALUE_BUTTON_TOP) + VALUE_BUTTON_SIZE


def decompose(total):
    """The value buttons a player clicks to build `total`, largest first."""
    parts = []
    for value in sorted(VALUE_BUTTON_LEFT, reverse=True):
        while total >= value:
            parts.append(value)
            total -= value
    return parts


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
    result = {}
    for name in RECORD_FILES:
        path = os.path.join(directory, name)
        if os.path.exists(path):
            with open(path, "rb") as f:
                result[name] = f.read()
        else:
            result[name] = None
    return result


def restore_records(directory, saved):
    for name, data in saved.items():
        path = os.path.join(directory, name)
        if data is None:
            if os.path.exists(path):
                os.remove(path)
        else:
            with open(path, "wb") as f:
                f.write(data)


def open_definition(session, info, menu_height):
    """Opens Help with the mouse: the instruction comes first, then the list, from which
    the second definition is chosen with the keyboard."""
    session.x(["xdotool", "mousemove", "--sync", str(info["x"] + 20),
               str(info["y"] + menu_height // 2), "click", "1"])
    window = wait_for_dialog(session, HELP_TITLE, "the instruction box on opening Help")
    log("  the instruction is up (window 0x%x); pressing Return" % window)
    press_return_on(session, window, "the instruction box")
    time.sleep(0.3)  # the list drops down once the box is gone
    session.x(["xdotool", "key", "--clearmodifiers", "Down", "Down", "Return"])
    dismiss_message(session, 'the definition "Angolo retto"')


def play(session, artifacts):
    shared = os.path.isdir(SHARED_RECORD_DIR) and os.access(SHARED_RECORD_DIR, os.W_OK | os.X_OK)
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
            restore_records(record_dir, saved)


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
    session = Session(game, workdir, artifacts)
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
