#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two pupils, different unprivileged users in no group, take turns at the record of the
# package's shared folder: each must be able to replace the record the other one set, through
# the record helper. The folder stays the package's (root:games, the files 0664) and holds
# nothing but the two record files and the lock. A control run proves the test can tell: the
# same pupil writing the folder without the helper must be refused.
#
# Usage (as root): two-players.sh STORE_RECORD
#   STORE_RECORD  the store_record program built from packaging/tests
# The shared folder must hold a record below 8 (the package's fresh folder holds none).
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
trap 'rm -rf "$scratch"' EXIT
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

printf 'pupils: user %s and user %s; folder %s (%s)\n' "$anna" "$bruno" "$record_dir" \
    "$(stat -c '%A %U:%G' "$record_dir")"

turn "$anna" 8 Anna "$STORED" "the first pupil sets a record (8) through the helper"
expect_record 8 Anna
turn "$bruno" 10 Bruno "$STORED" "the second pupil replaces the first pupil's record (10)"
expect_record 10 Bruno
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
echo "both pupils can replace each other's record, and only through the helper"
