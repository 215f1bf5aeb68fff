# SPDX-License-Identifier: GPL-3.0-or-later
"""The two installers as the Wine window test drives them: the NSIS installer, and the Windows
Installer package, which is first installed over an older build of itself (one product must
remain, with the new files), then refused when an older build tries to come back."""

import os
import shutil
import subprocess

from xwindow import Failure, log

APP_NAME = "Angoli esplementari"
PUBLISHER = "La squadra di angoli"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
OLDER_VERSION = "0.9.0"
SHORTCUT = APP_NAME + ".lnk"


def installed_game(wine):
    """The installed angoli.exe (Program Files, or Program Files (x86) for a 32-bit build on
    64-bit Windows) on the Linux side, or None."""
    for folder in ("Program Files", "Program Files (x86)"):
        path = wine.drive_c(folder, "Angoli", "angoli.exe")
        if os.path.exists(path):
            return path
    return None


def windows_path(wine, path):
    return "C:\\" + os.path.relpath(path, wine.drive_c()).replace("/", "\\")


def all_users_shortcut(wine):
    return wine.drive_c("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs",
                        SHORTCUT)


def windows_path_of_host(path):
    """A Linux path as Wine's Z: drive shows it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def same_bytes(path, expected):
    with open(path, "rb") as a, open(expected, "rb") as b:
        return a.read() == b.read()


def refuses_unusable_folder(wine, install):
    """With a file where the record folder goes, the installer must stop and leave nothing."""
    blocker = wine.drive_c("ProgramData", "Angoli")
    with open(blocker, "w"):
        pass
    status = install()
    os.remove(blocker)
    if status == 0 or installed_game(wine) or registered(wine):
        raise Failure("with a file in the record folder's place the installer ended with status "
                      "%d and left %s, %r" % (status, installed_game(wine), registered(wine)))
    log("  with a file in the record folder's place: status %d, nothing installed" % status)


class Nsis:
    """angoli-setup.exe: /S installs silently, the uninstaller beside the game removes it."""

    def __init__(self, setup):
        self.setup = setup

    def install(self, wine):
        log("step 1: install %s silently" % self.setup)
        refuses_unusable_folder(wine, lambda: wine.run([self.setup, "/S"]))
        status = wine.run([self.setup, "/S"])
        if status != 0 or not installed_game(wine):
            raise Failure("the installer ended with status %d and left no angoli.exe" % status)
        if not os.path.exists(all_users_shortcut(wine)):
            raise Failure("the installer made no Start-menu entry for every user")

    def uninstall(self, wine, game):
        wine.run([windows_path(wine, os.path.join(os.path.dirname(game), "uninstall.exe")),
                  "/S"])


class Msi:
    """angoli.msi, installed with msiexec /qn over an older build that make-msi makes of the
    same executable (with a few bytes more, so that the files tell the builds apart)."""

    def __init__(self, package, make_msi, exe, helper, arch, version, workdir):
        self.package, self.make_msi, self.exe = package, make_msi, exe
        self.helper, self.arch, self.version = helper, arch, version
        self.workdir = workdir

    def older_package(self):
        older_exe = os.path.join(self.workdir, "older", "angoli.exe")
        os.makedirs(os.path.dirname(older_exe), exist_ok=True)
        shutil.copyfile(self.exe, older_exe)
        with open(older_exe, "ab") as f:
            f.write(b"an older build of angoli")
        older = os.path.join(self.workdir, "older", "angoli-%s.msi" % OLDER_VERSION)
        subprocess.run([self.make_msi, self.arch, OLDER_VERSION, older_exe, self.helper, older],
                       check=True, timeout=120)
        return older, older_exe

    def msiexec(self, wine, action, package):
        return wine.run(["msiexec", action, windows_path_of_host(package), "/qn"])

    def expect(self, wine, products, exe, doing):
        found = registered(wine)
        if found != products:
            raise Failure("after %s, Add/Remove Programs lists %r; expected %r"
                          % (doing, found, products))
        game = installed_game(wine)
        if exe and not (game and same_bytes(game, exe)):
            raise Failure("after %s, %s is not %s" % (doing, game, exe))
        log("  after %s: %r" % (doing, found))

    def install(self, wine):
        older, older_exe = self.older_package()
        log("step 1: msiexec /qn: the older build %s, then %s over it" % (OLDER_VERSION,
                                                                         self.package))
        refuses_unusable_folder(wine, lambda: self.msiexec(wine, "/i", older))
        status = self.msiexec(wine, "/i", older)
        if status != 0:
            raise Failure("msiexec /i of the older build ended with status %d" % status)
        self.expect(wine, [(APP_NAME, OLDER_VERSION, PUBLISHER)], older_exe, "the older build")
        status = self.msiexec(wine, "/i", self.package)
        if status != 0:
            raise Failure("msiexec /i ended with status %d" % status)
        now = [(APP_NAME, self.version, PUBLISHER)]
        self.expect(wine, now, self.exe, "the upgrade")
        status = self.msiexec(wine, "/i", older)
        if status == 0:
            raise Failure("msiexec /i of the older build over the newer one ended with status 0")
        self.expect(wine, now, self.exe, "an older build refused (status %d)" % status)
        game = installed_game(wine)
        if not os.path.exists(os.path.join(os.path.dirname(game), "recordfolder.exe")):
            raise Failure("recordfolder.exe is not beside the game")
        self.check_shortcut(wine)

    def check_shortcut(self, wine):
        if os.path.exists(all_users_shortcut(wine)):
            log("  the Start-menu entry is in the all-users Start menu")
            return
        # Wine's msi resolves ProgramMenuFolder in the user's profile even when ALLUSERS is 1;
        # Windows takes the all-users Start menu then.
        users = wine.drive_c("users")
        for user in os.listdir(users):
            own = os.path.join(users, user, "AppData", "Roaming", "Microsoft", "Windows",
                               "Start Menu", "Programs", SHORTCUT)
            if os.path.exists(own):
                log("  the Start-menu entry is in %s's Start menu (Wine's msi puts it there "
                    "for ALLUSERS=1 too)" % user)
                return
        raise Failure("the package made no Start-menu entry")

    def uninstall(self, wine, game):
        status = self.msiexec(wine, "/x", self.package)
        if status != 0:
            raise Failure("msiexec /x ended with status %d" % status)
        self.expect(wine, [], None, "the removal")


def registered(wine):
    """(DisplayName, DisplayVersion, Publisher) of each Angoli in Add/Remove Programs."""
    status, text = wine.output_of(["reg", "query", UNINSTALL_KEY, "/s"])
    if status != 0:
        raise Failure("reg query %s ended with status %d" % (UNINSTALL_KEY, status))
    products, values = [], {}
    for line in text.splitlines() + ["HKEY_END"]:
        if line.startswith("HKEY_"):
            if values.get("DisplayName") == APP_NAME:
                products.append((APP_NAME, values.get("DisplayVersion"), values.get("Publisher")))
            values = {}
            continue
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            values[parts[0]] = parts[2] if len(parts) == 3 else ""
    return products
