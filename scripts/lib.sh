# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash disable=SC2034
# What the scripts share (scripts/run, test, test-*, package, windows, screenshot and
# bench/run.sh): the Debian packages each job needs and their install, which waits (bounded)
# for another apt run's lock; configuring and building build/; where measured figures come
# from (a commit, or a tree no commit reproduces); and Debian's 32-bit Wine.
# Sourced, not run. Callers use `set -euo pipefail`; every function here expects that.

# Debian packages the game needs to build and run.
# doctest-dev is one header: configuring the tests (on by default) needs it.
ANGOLI_BUILD_PACKAGES=(
    g++ make cmake
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-liberation fonts-dejavu-core
    doctest-dev
)

# Extra packages for the test suite: the real-window test drives the game on
# Xvfb under openbox with xdotool and reads screenshots with Debian's python3.
# clang-format checks that every C++ file keeps the committed style.
ANGOLI_TEST_PACKAGES=(
    xvfb xauth xdotool x11-utils x11-apps imagemagick openbox
    python3 python3-pil
    clang-format
)

# Extra packages for the reliability checks (scripts/test-reliability): clang
# and its runtime for the libFuzzer targets, llvm for readable sanitizer reports.
ANGOLI_RELIABILITY_PACKAGES=(
    clang-14 libclang-rt-14-dev llvm-14
)

# The Windows build and its tests under Wine (scripts/windows, scripts/test-windows): the
# MinGW-w64 cross-compilers (the -posix variants come with them), Wine, NSIS, wixl (the MSI
# builder of msitools) and what the Wine window test drives (ANGOLI_TEST_PACKAGES).
ANGOLI_WINDOWS_PACKAGES=(
    cmake make doctest-dev
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 nsis wixl
)

# The browser face (scripts/web): Debian's emscripten and what makes the site around the game
# (fonts cut to size, pictures converted); its browser checks drive Debian's chromium.
ANGOLI_WEB_PACKAGES=(
    emscripten cmake make doctest-dev
    python3 python3-pil python3-fonttools python3-brotli
    fonts-liberation fonts-dejavu-core
)
ANGOLI_WEB_TEST_PACKAGES=(
    chromium chromium-driver python3-selenium
)
ANGOLI_WEB_BUILD_DIR=build-web

ANGOLI_BUILD_DIR=build
# Another apt run (an unattended upgrade, a second build) holds dpkg's lock: wait for it, bounded.
ANGOLI_APT_WAIT=(-o DPkg::Lock::Timeout=900)

say() { printf '==> %s\n' "$*"; }
die() {
    printf 'error: %s\n' "$*" >&2
    exit 1
}

# The repository root, whatever the caller's working directory.
go_to_repo_root() {
    local here
    here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
    cd "$here/.." || die "cannot enter the repository root $here/.."
}

# Prints the packages of "$@" that dpkg does not report as installed.
missing_packages() {
    local pkg status
    for pkg in "$@"; do
        status="$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)"
        if [[ "$status" != "install ok installed" ]]; then
            printf '%s\n' "$pkg"
        fi
    done
}

# Installs whatever is missing of "$@"; no apt call at all when nothing is.
ensure_packages() {
    command -v dpkg-query >/dev/null || die "dpkg-query not found: these scripts expect Debian 12"
    local missing
    mapfile -t missing < <(missing_packages "$@")
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    local -a sudo=()
    if ((EUID != 0)); then
        command -v sudo >/dev/null || die "missing packages (${missing[*]}) and no sudo to install them; run as root"
        sudo=(sudo)
    fi
    say "installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${ANGOLI_APT_WAIT[@]}" update </dev/null
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get "${ANGOLI_APT_WAIT[@]}" install -y --no-install-recommends "${missing[@]}" </dev/null
}

# Configures build/ (the project defaults to RelWithDebInfo). Warnings are errors when
# ANGOLI_WERROR=ON is in the environment, as CI sets it; a user's build only warns.
configure_build() {
    local werror="${ANGOLI_WERROR:-OFF}"
    if [[ -f "$ANGOLI_BUILD_DIR/CMakeCache.txt" &&
        (-f "$ANGOLI_BUILD_DIR/Makefile" || -f "$ANGOLI_BUILD_DIR/build.ninja") ]] &&
        grep -qx "ANGOLI_WERROR:BOOL=$werror" "$ANGOLI_BUILD_DIR/CMakeCache.txt"; then
        return 0
    fi
    say "configuring $ANGOLI_BUILD_DIR/"
    cmake -S . -B "$ANGOLI_BUILD_DIR" -DANGOLI_WERROR="$werror"
}

# Builds the given targets (all of them when none is given).
build_targets() {
    local -a targets=()
    local t
    for t in "$@"; do
        targets+=(--target "$t")
    done
    say "building${*:+ $*}"
    cmake --build "$ANGOLI_BUILD_DIR" -j"$(nproc)" "${targets[@]}"
}

# --- where generated figures come from --------------------------------------------
# Figures name the commit they were measured on; a tree that differs from it is
# named as such, since no commit reproduces it. Arguments are paths to leave
# out (the document the figures go into); build directories are ignored by git.

# What git reports as changed or untracked.
local_changes() {
    git status --porcelain --untracked-files=normal -- . "${@/#/:(exclude)}"
}

# The commit and every change to it, as one hash.
tree_fingerprint() {
    { git rev-parse HEAD; local_changes "$@"; git diff HEAD -- . "${@/#/:(exclude)}"; } | sha256sum
}

# Call at the start of a measurement, then figures_origin at its end.
note_tree_at_start() {
    commit_at_start=$(git rev-parse --short=12 HEAD)
    tree_at_start=$(tree_fingerprint "$@")
}

# Prints "commit <id>" when the tree was that commit throughout, else what it was.
figures_origin() {
    local origin changed
    origin="commit $(git rev-parse --short=12 HEAD)"
    changed=$(local_changes "$@" | wc -l)
    if [[ "$(tree_fingerprint "$@")" != "$tree_at_start" ]]; then
        origin="a tree that changed during the run, from commit $commit_at_start to $origin"
    fi
    if ((changed != 0)); then
        origin="$origin with $changed uncommitted change(s), which no commit reproduces"
    fi
    printf '%s\n' "$origin"
}

# Dies unless the tree is a commit as it stands: figures for a document.
require_committed_tree() {
    if [[ -n "$(local_changes "$@")" ]]; then
        local_changes "$@" | head -20 || true
        die "figures for a document need a tree without local changes: commit them first,
so that the figures name the commit they come from"
    fi
}

# replace_generated_block DOC FILE: puts FILE between DOC's figures:begin and
# figures:end lines.
replace_generated_block() {
    local doc=$1 file=$2 begin='<!-- figures:begin -->' end='<!-- figures:end -->'
    if ! grep -qxF "$begin" "$doc" || ! grep -qxF "$end" "$doc"; then
        die "$doc has no $begin ... $end block"
    fi
    awk -v begin="$begin" -v end="$end" -v file="$file" '
        $0 == begin { print; while ((getline line < file) > 0) print line; skipping = 1; next }
        $0 == end { skipping = 0 }
        !skipping { print }' "$doc" >"$doc.new"
    mv "$doc.new" "$doc"
}

# Whether Wine can run 32-bit Windows programs: Debian's wine32 from the i386 architecture is
# installed and its loader runs (a kernel without 32-bit support cannot start it at all).
wine32_available() {
    [[ "$(dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null || true)" == "install ok installed" ]] &&
        timeout 60 /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Installs Debian's 32-bit Wine where the machine can. Adding the i386 architecture is undone
# when its package lists cannot be had, so that apt keeps working for everything else. The last
# line printed says why 32-bit Wine is missing; the status is 1 then.
ensure_wine32() {
    wine32_available && return 0
    if ((EUID != 0)); then
        echo "32-bit Wine is not installed and installing it needs root"
        return 1
    fi
    local added=0
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
        added=1
    fi
    if DEBIAN_FRONTEND=noninteractive apt-get "${ANGOLI_APT_WAIT[@]}" update -q </dev/null >/tmp/angoli-apt-i386.log 2>&1 &&
        DEBIAN_FRONTEND=noninteractive apt-get "${ANGOLI_APT_WAIT[@]}" install -y --no-install-recommends wine32:i386 \
            </dev/null >>/tmp/angoli-apt-i386.log 2>&1; then
        wine32_available && return 0
        # Installed but the kernel cannot start a 32-bit program: with wine32 in place, the wine
        # command would use its 32-bit loader for every program and the 64-bit ones would fail too.
        DEBIAN_FRONTEND=noninteractive apt-get "${ANGOLI_APT_WAIT[@]}" remove -y wine32:i386 libwine:i386 \
            </dev/null >>/tmp/angoli-apt-i386.log 2>&1 || true
        echo "this machine's kernel cannot run 32-bit programs (wine32's loader does not start)"
        return 1
    fi
    if ((added)); then
        dpkg --remove-architecture i386
        DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null >/dev/null 2>&1 || true
    fi
    echo "the i386 packages could not be installed: $(grep -m1 -E '^(E|Err):' /tmp/angoli-apt-i386.log || echo 'see /tmp/angoli-apt-i386.log')"
    return 1
}
