#!/bin/sh
# The results table's read/write swap race, played by another user: a
# portable copy whose Data folder anyone may write (mode 0777), root storing
# results one after another while the user nobody swaps Data/Toran.dbf, as
# fast as it can, between a table of its own (so that the read goes through)
# and a symbolic link to a file that only root may read or write. Prints the
# tries, the stores that went through and those refused, and whether
# anything was written outside the game's own folder.
#
# Usage, as root: tests/results/link_race.sh RESULTS_WRITER [TRIES [PAUSE_MS]]
#   RESULTS_WRITER  build/tests/results_writer (of the build to try)
set -eu
writer=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
tries=${2:-1000}
pause=${3:-2}   # between two stores: the other user gets the processor too
[ "$(id -u)" = 0 ] || { echo "link_race: run it as root" >&2; exit 2; }
command -v setpriv >/dev/null && [ -x /usr/bin/python3 ] \
    || { echo "link_race: setpriv and python3 are needed" >&2; exit 2; }

scratch=$(mktemp -d)
attacker=""
cleanup() {
    [ -n "$attacker" ] && kill "$attacker" 2>/dev/null && wait "$attacker" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
chmod 755 "$scratch"
app=$scratch/app
secret=$scratch/secret
run=$scratch/run   # the script's own files
mkdir -p "$app/Data" "$secret" "$run"
chmod 700 "$secret"
printf 'only root may read or write this\n' >"$secret/victim"
chmod 600 "$secret/victim"
victim_before=$(sha256sum "$secret/victim" | cut -d' ' -f1)

# The table, made by the game itself; the attacker's copy of it.
echo | "$writer" append "$app" X 0 >/dev/null
cp "$app/Data/Toran.dbf" "$scratch/table"
chmod 644 "$scratch/table"
chmod 777 "$app/Data"
# Everything outside the game's folder and the script's own files, with its time of change.
listing() { find "$scratch" -mindepth 1 \( -path "$app" -o -path "$run" \) -prune -o -printf '%p %s %T@\n' | sort; }
listing >"$run/outside-before"

# The game opens its table first, then waits for the word to store.
mkfifo "$run/go"
"$writer" append "$app" R "$tries" "$pause" <"$run/go" >"$run/out" &
game=$!
exec 3>"$run/go"
until grep -q ready "$run/out"; do sleep 0.05; done

setpriv --reuid=nobody --regid=nogroup --clear-groups -- /usr/bin/python3 - "$app/Data" "$secret/victim" \
    "$scratch/table" "$run/stop" >"$run/swaps" 2>&1 <<'EOF' &
import os, sys
data, victim, table, stop = sys.argv[1:]
target = os.path.join(data, "Toran.dbf")
mine, link = os.path.join(data, ".t"), os.path.join(data, ".l")
content = open(table, "rb").read()
swaps = met = 0
print("started", flush=True)
# The table stands there but for a moment: the link flashes in and out,
# so that most reads find the table and a write may meet the link.
while not os.path.exists(stop):
    try:
        with open(mine, "wb") as f:
            f.write(content)
        os.symlink(victim, link)
        os.rename(link, target)
        if not os.path.islink(target):
            met += 1   # a write took the link's place meanwhile
        os.rename(mine, target)
        swaps += 1
    except OSError:
        for leftover in (mine, link):
            try:
                os.unlink(leftover)
            except OSError:
                pass
print(swaps, "swaps")
print(met, "met")
EOF
attacker=$!
until grep -q started "$run/swaps"; do sleep 0.05; done

echo go >&3
wait "$game" || true
touch "$run/stop"
wait "$attacker" || true
attacker=""

stored=$(grep -c '^stored' "$run/out" || true)
refused=$(grep -c '^error' "$run/out" || true)
victim_after=$(sha256sum "$secret/victim" | cut -d' ' -f1)
listing >"$run/outside-after"
echo "tries: $tries; stored: $stored; refused: $refused; swaps by the other user: $(awk '$2 == "swaps" { print $1 }' "$run/swaps");" \
    "writes that met the link: $(awk '$2 == "met" { print $1 }' "$run/swaps")"
grep '^error' "$run/out" | sed 's/„[^“]*“/„…“/g' | sort | uniq -c | sort -rn | head -n 5
if [ "$victim_before" = "$victim_after" ] && cmp -s "$run/outside-before" "$run/outside-after"; then
    echo "outside the game's folder: nothing written"
else
    echo "outside the game's folder: WRITTEN"
    [ "$victim_before" = "$victim_after" ] || echo "the root-only file was replaced by a results table of" \
        "$(od -An -tu4 -j4 -N4 "$secret/victim" | tr -d ' ') records, written through the link"
    diff "$run/outside-before" "$run/outside-after" || true
    exit 1
fi
