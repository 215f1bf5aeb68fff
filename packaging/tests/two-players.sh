#!/usr/bin/env bash
# Two players who are different unprivileged users take turns at the record of
# one shared record directory, and each of them must be able to replace the
# record the other one set.
#
# Usage (as root): two-players.sh STORE_RECORD RECORD_DIR
#   STORE_RECORD  the store_record program built from packaging/tests
#   RECORD_DIR    an empty directory made the way the package's postinst makes
#                 /var/games/angoli (or that directory itself)
#
# The players are two user ids without an account (setpriv needs none), so
# nothing on the machine changes. A control run in a sticky 1777 directory
# must fail at the second player, or this test could not tell the two apart.
set -euo pipefail

[[ $# -eq 2 ]] || {
    echo "usage: $0 STORE_RECORD RECORD_DIR" >&2
    exit 2
}
((EUID == 0)) || {
    echo "error: $0 switches users and must run as root" >&2
    exit 2
}
store_record=$1
record_dir=$2

STORED=0
KEPT=3
FAILED=1

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

# Runs store_record as the given user, with no group and a bare environment.
play_as() {
    local uid=$1 dir=$2 score=$3 name=$4
    env -i PATH=/usr/bin:/bin LC_ALL=C.UTF-8 \
        setpriv --reuid="$uid" --regid="$uid" --clear-groups \
        "$scratch/store_record" "$dir" "$score" "$name"
}

# turn UID DIR SCORE NAME EXPECTED_STATUS WHAT
turn() {
    local uid=$1 dir=$2 score=$3 name=$4 want=$5 what=$6 status=0
    play_as "$uid" "$dir" "$score" "$name" >"$scratch/out" 2>&1 || status=$?
    if ((status == want)); then
        printf 'ok   %s\n' "$what"
    else
        fail "$what: store_record ended with status $status, expected $want; it said: $(tr '\n' ' ' <"$scratch/out")"
    fi
}

# expect_record DIR SCORE NAME OWNER
expect_record() {
    local dir=$1 score=$2 name=$3 owner=$4 file
    [[ "$(cat "$dir/ange.txt")" == "$score"$'\r' ]] ||
        fail "ange.txt holds $(od -c "$dir/ange.txt" | head -1), expected $score CR LF"
    [[ "$(cat "$dir/nange.txt")" == "$name"$'\r' ]] ||
        fail "nange.txt holds $(od -c "$dir/nange.txt" | head -1), expected $name CR LF"
    for file in ange.txt nange.txt; do
        [[ "$(stat -c '%u %a' "$dir/$file")" == "$owner 644" ]] ||
            fail "$file is $(stat -c 'owned by %u, mode %a' "$dir/$file"), expected owner $owner, mode 644"
    done
    local leftovers
    leftovers=$(find "$dir" -mindepth 1 -name '.*' -printf '%f ')
    [[ -z "$leftovers" ]] || fail "work files left behind: $leftovers"
}

printf 'players: user %s and user %s; directory %s (%s)\n' "$anna" "$bruno" "$record_dir" \
    "$(stat -c '%A %U:%G' "$record_dir")"

turn "$anna" "$record_dir" 3 Anna "$STORED" "the first player sets the first record (3)"
expect_record "$record_dir" 3 Anna "$anna"
turn "$bruno" "$record_dir" 5 Bruno "$STORED" "the second player replaces the first player's record (5)"
expect_record "$record_dir" 5 Bruno "$bruno"
turn "$anna" "$record_dir" 4 Anna "$KEPT" "a lower score (4) keeps the second player's record"
expect_record "$record_dir" 5 Bruno "$bruno"
turn "$anna" "$record_dir" 7 Carla "$STORED" "the first player takes the record back (7)"
expect_record "$record_dir" 7 Carla "$anna"

# The control: a sticky directory lets only a file's owner rename over it.
sticky="$scratch/sticky"
mkdir -m 1777 "$sticky"
turn "$anna" "$sticky" 3 Anna "$STORED" "control, sticky 1777 directory: the first record is stored"
turn "$bruno" "$sticky" 5 Bruno "$FAILED" "control, sticky 1777 directory: the second player cannot replace it"
expect_record "$sticky" 3 Anna "$anna"

if ((failures)); then
    printf '%d failed\n' "$failures"
    exit 1
fi
echo "both players can replace each other's record"
