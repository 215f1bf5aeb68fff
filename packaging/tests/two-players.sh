#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two pupils, different unprivileged users in no group, take turns at the record of the
# package's shared folder: each must be able to replace the record the other one set, through
# the record helper. The folder stays the package's (root:games, the files 0664) and holds
# nothing but the two record files and the lock. A control run proves the test can tell: the
# same pupil writing the folder without the helper must be refused.
#
# First an administrator resets the record the ways the manual page gives, and no file in the
# folder is ever a pupil's (each step shows the folder's owners with stat):
#   - files an older helper made a pupil's, their lock held by her: the game refuses them, and
#     dpkg-reconfigure angoli makes them root's again, keeping the record;
#   - emptying the two files with truncate: the next pupil's record is stored;
#   - removing all three: the game refuses to start, makes nothing, and dpkg-reconfigure angoli
#     puts them back, empty; then the two pupils take turns.
#
# Usage (as root, with the package installed): two-players.sh STORE_RECORD
#   STORE_RECORD  the store_record program (packaging/tests/ in the build folder)
# The shared folder must hold a record below 7 (the package's fresh folder holds none).
set -euo pipefail

[[ $# -eq 1 ]] || {
    echo "usage: $0 STORE_RECORD" >&2
    exit 2
}
((EUID == 0)) || {
    echo "error: $0 switches users and must run as root" >&2
    exit 2
}
store_record=$1
record_dir=/var/games/angoli

STORED=0
FAILED=1
KEPT=3

failures=0
fail() {
    printf 'FAILED: %s\n' "$*"
    failures=$((failures + 1))
}

# Two user ids, each with a group of the same number, that no account or group uses.
free_ids=()
for id in $(seq 64101 64199); do
    if ! getent passwd "$id" >/dev/null && ! getent group "$id" >/dev/null; then
        free_ids+=("$id")
        ((${#free_ids[@]} == 2)) && break
    fi
done
((${#free_ids[@]} == 2)) || {
    echo "error: no two free user ids in 64101..64199" >&2
    exit 1
}
anna=${free_ids[0]}
bruno=${free_ids[1]}

# The program in a folder every user may enter: the build tree may be private to root.
scratch=$(mktemp -d)
holder=""
trap '[[ -z $holder ]] || kill "$holder" 2>/dev/null; rm -rf "$scratch"' EXIT
chmod 0755 "$scratch"
install -m 0755 "$store_record" "$scratch/store_record"

# turn UID SCORE NAME EXPECTED_STATUS WHAT [--direct]
turn() {
    local uid=$1 score=$2 name=$3 want=$4 what=$5 status=0
    env -i PATH=/usr/bin:/bin LC_ALL=C.UTF-8 HOME=/nonexistent \
        setpriv --reuid="$uid" --regid="$uid" --clear-groups \
        "$scratch/store_record" "$score" "$name" ${6:+"$6"} >"$scratch/out" 2>&1 || status=$?
    if ((status == want)); then
        printf 'ok   %s\n' "$what"
    else
        fail "$what: store_record ended with status $status, expected $want; it said: $(tr '\n' ' ' <"$scratch/out")"
    fi
    grep -qx "folder $record_dir/" "$scratch/out" ||
        fail "$what: the game did not use $record_dir/: $(head -1 "$scratch/out")"
}

# expect_record SCORE NAME
expect_record() {
    local score=$1 name=$2 file
    [[ "$(cat "$record_dir/ange.txt")" == "$score"$'\r' ]] ||
        fail "ange.txt holds $(od -c "$record_dir/ange.txt" | head -1), expected $score CR LF"
    [[ "$(cat "$record_dir/nange.txt")" == "$name"$'\r' ]] ||
        fail "nange.txt holds $(od -c "$record_dir/nange.txt" | head -1), expected $name CR LF"
    for file in ange.txt nange.txt; do
        [[ "$(stat -c '%F %U:%G %a' "$record_dir/$file")" == "regular file root:games 664" ]] ||
            fail "$file is $(stat -c '%F %U:%G %a' "$record_dir/$file"), expected root:games 664"
    done
    local entries
    entries=$(find "$record_dir" -mindepth 1 -printf '%f\n' | LC_ALL=C sort | tr '\n' ' ')
    [[ "$entries" == ".angoli.lock ange.txt nange.txt " ]] ||
        fail "the folder holds more than the record and its lock: $entries"
    [[ ! -s "$record_dir/.angoli.lock" ]] || fail "an update was left half done"
}

# show_folder WHAT [OWNER]: the folder's entries with their owners, after WHAT; none may
# belong to a pupil (but to OWNER, where an older helper left them so).
show_folder() {
    local what=$1 allowed=${2:-} owner entry
    printf '     after %s:\n' "$what"
    while read -r owner entry; do
        printf '       %s\n' "$entry"
        if [[ "$owner" == "$anna" || "$owner" == "$bruno" ]] && [[ "$owner" != "$allowed" ]]; then
            fail "after $what, $entry belongs to a pupil"
        fi
    done < <(find "$record_dir" -mindepth 1 -exec stat -c '%u %n %U(%u):%G %a' {} + |
        LC_ALL=C sort -k2)
    [[ -n "$(find "$record_dir" -mindepth 1)" ]] || printf '       (nothing)\n'
}

# turn_refused UID SCORE NAME REASON WHAT: the pupil's game stops with a message giving REASON.
turn_refused() {
    turn "$1" "$2" "$3" "$FAILED" "$5"
    grep -qF "$4" "$scratch/out" || fail "$5: the message does not say \"$4\": $(cat "$scratch/out")"
}

reconfigure() {
    DEBIAN_FRONTEND=noninteractive dpkg-reconfigure angoli </dev/null >"$scratch/out" 2>&1 ||
        fail "dpkg-reconfigure angoli failed: $(cat "$scratch/out")"
    local file
    for file in ange.txt nange.txt .angoli.lock; do
        [[ "$(stat -c '%F %U:%G' "$record_dir/$file")" == *"file root:games" ]] ||
            fail "dpkg-reconfigure left $file $(stat -c '%F %U:%G' "$record_dir/$file" 2>&1)"
    done
}

printf 'pupils: user %s and user %s; folder %s (%s)\n' "$anna" "$bruno" "$record_dir" \
    "$(stat -c '%A %U:%G' "$record_dir")"
show_folder "the install"

# Files an older helper made the first pupil's, after an administrator had removed them.
chown "$anna" "$record_dir/ange.txt" "$record_dir/nange.txt" "$record_dir/.angoli.lock"
install -m 0666 /dev/null "$scratch/held"
# shellcheck disable=SC2016 # expanded by the pupil's shell
setpriv --reuid="$anna" --regid="$anna" --clear-groups \
    bash -c 'exec 9<"$1" && flock -x 9 && echo held >"$2" && exec sleep 600' \
    holder "$record_dir/.angoli.lock" "$scratch/held" &
holder=$!
for _ in $(seq 50); do
    [[ -s "$scratch/held" ]] && break
    sleep 0.1
done
[[ -s "$scratch/held" ]] || fail "the first pupil could not lock the lock she owns"
show_folder "an older helper made the files the first pupil's; she holds the lock" "$anna"
cp "$record_dir/ange.txt" "$record_dir/nange.txt" "$scratch/"
turn_refused "$bruno" 7 Bruno "non appartiene all'amministratore" \
    "the game refuses the files a pupil owns"
reconfigure
show_folder "dpkg-reconfigure angoli"
if ! cmp -s "$record_dir/ange.txt" "$scratch/ange.txt" ||
    ! cmp -s "$record_dir/nange.txt" "$scratch/nange.txt"; then
    fail "dpkg-reconfigure did not keep the record of the files it took back"
fi
turn "$bruno" 7 Bruno "$STORED" "the second pupil stores 7 while the first one holds her old lock"
expect_record 7 Bruno
kill "$holder"
holder=""

# Emptying the two files resets the record.
truncate -s 0 "$record_dir/ange.txt" "$record_dir/nange.txt"
show_folder "truncate -s 0 ange.txt nange.txt"
turn "$anna" 5 Anna "$STORED" "after the files were emptied, the first pupil stores 5"
expect_record 5 Anna

# Removing them stops the game until dpkg-reconfigure puts them back.
rm "$record_dir/ange.txt" "$record_dir/nange.txt" "$record_dir/.angoli.lock"
show_folder "rm ange.txt nange.txt .angoli.lock"
turn_refused "$anna" 8 Anna "manca; l'amministratore del computer lo rimette" \
    "with the files removed, the game says so and makes none"
show_folder "the first pupil's game"
[[ -z "$(find "$record_dir" -mindepth 1)" ]] || fail "a game made a file in the emptied folder"
reconfigure
show_folder "dpkg-reconfigure angoli"
[[ ! -s "$record_dir/ange.txt" && ! -s "$record_dir/nange.txt" ]] ||
    fail "dpkg-reconfigure put back files that are not empty"

turn "$anna" 8 Anna "$STORED" "the first pupil sets a record (8) through the helper"
expect_record 8 Anna
show_folder "the first pupil's record"
turn "$bruno" 10 Bruno "$STORED" "the second pupil replaces the first pupil's record (10)"
expect_record 10 Bruno
show_folder "the second pupil's record"
turn "$anna" 9 Anna "$KEPT" "a lower score (9) keeps the second pupil's record"
expect_record 10 Bruno
turn "$anna" 11 Carla "$STORED" "the first pupil takes the record back (11)"
expect_record 11 Carla

# The control: without the helper, the same pupil may not write the folder at all.
turn "$bruno" 20 Bruno "$FAILED" "control: without the helper the pupil is refused" --direct
grep -q 'Permission denied' "$scratch/out" || fail "control: the refusal is not the folder's"
expect_record 11 Carla

if ((failures)); then
    printf '%d failed\n' "$failures"
    exit 1
fi
echo "after each reset both pupils can replace each other's record, only through the helper, and no file was ever theirs"
