#!/usr/bin/env bash
# inkwarden apply on 3,000 real C headers from /usr/include, against a plain copy of the
# same tree (goal: at most 3 times the copy) and against REUSE's `reuse annotate` per file
# annotated (goal: at least 20 times faster), on disk and, where /dev/shm is, in memory;
# and its peak memory on that tree and on one four times its size (goal: at most 64 MiB
# whatever the size). Prints figures; fails only when a command fails, never on a time.
#   bench/cli_bench.sh [ROUNDS]     (medians of ROUNDS runs, 3 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-3}

cmake --preset bench >/dev/null
cmake --build --preset bench --target inkwarden >/dev/null
exe=$PWD/build/bench/inkwarden
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 3,000 headers, those that are valid UTF-8 first: reuse stops at the first that is not,
# so it annotates as many as it can before it does.
find /usr/include -name '*.h' -type f | LC_ALL=C sort | python3 -c '
import sys
good, bad = [], []
for line in sys.stdin:
    path = line.rstrip("\n")
    try:
        open(path, "rb").read().decode("utf-8")
        good.append(path)
    except UnicodeDecodeError:
        bad.append(path)
chosen = (good[:3000 - min(len(bad), 10)] + bad[:10])
print("\n".join(p[len("/usr/include/"):] for p in chosen))
' >"$work/list"
count=$(wc -l <"$work/list")
utf8=$(python3 -c 'import sys
n = 0
for line in open(sys.argv[1]):
    try: open("/usr/include/" + line.rstrip("\n"), "rb").read().decode("utf-8"); n += 1
    except UnicodeDecodeError: break
print(n)' "$work/list")
[ "$count" -ge 3000 ] || { echo "only $count headers in /usr/include (scripts/setup.sh installs more)"; exit 1; }
mkdir "$work/src"
tar -C /usr/include -cf - -T "$work/list" | tar -C "$work/src" -xf -
bytes=$(du -sb "$work/src" | cut -f1)

now() { date +%s%N; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# The three timings in folder $1 (a copy of the tree is made there), ROUNDS times, and
# their medians and ratios, headed $2.
measure() {
    local at=$1 out
    out=$(mktemp -d "$at/inkwarden-bench.XXXXXX")
    cp -r "$work/src" "$out/src"
    for _ in $(seq "$rounds"); do
        rm -rf "$out/copy"
        t0=$(now); cp -r "$out/src" "$out/copy"; t1=$(now)
        echo $(((t1 - t0) / 1000)) >>"$out/cp.us"

        rm -rf "$out/apply" && cp -r "$out/src" "$out/apply"
        t0=$(now); (cd "$out" && "$exe" apply -q apply); t1=$(now)
        echo $(((t1 - t0) / 1000)) >>"$out/apply.us"

        # reuse on the headers it can read, so that its time is per file annotated.
        rm -rf "$out/reuse" && cp -r "$out/src" "$out/reuse"
        t0=$(now)
        (cd "$out/reuse" && head -n "$utf8" "$work/list" | xargs -d '\n' reuse annotate \
            --copyright "Inkwarden bench" --license MIT >/dev/null 2>&1) ||
            echo "reuse annotate failed on the UTF-8 headers: its figure is no measure"
        t1=$(now)
        echo $(((t1 - t0) / 1000)) >>"$out/reuse.us"
    done
    awk -v n="$count" -v cp="$(median <"$out/cp.us")" -v apply="$(median <"$out/apply.us")" \
        -v reuse="$(median <"$out/reuse.us")" -v added="$(diff -rq "$out/src" "$out/apply" | wc -l)" \
        -v annotated="$(diff -rq "$out/src" "$out/reuse" | wc -l)" -v what="$2" 'BEGIN {
        printf "  %s\n", what
        printf "    cp -r of the tree            %8.1f ms\n", cp / 1000
        printf "    inkwarden apply              %8.1f ms  %5d files changed    %.3f ms a file  ratio to cp %.2f (goal <= 3)\n",
            apply / 1000, added, apply / 1000 / n, apply / cp
        printf "    reuse annotate (UTF-8 ones)  %8.1f ms  %5d files annotated  %.3f ms a file  ratio to apply a file %.1f (goal >= 20)\n",
            reuse / 1000, annotated, reuse / 1000 / annotated, (reuse / annotated) / (apply / n)
    }'
    rm -rf "$out"
}

awk -v n="$count" -v bytes="$bytes" -v rounds="$rounds" \
    'BEGIN { printf "inkwarden apply on %d headers from /usr/include (%.1f MB), medians of %d runs\n", n, bytes / 1e6, rounds }'
measure "$work" "on disk ($(df --output=fstype "$work" | tail -1)):"
# In memory, where the disk and its journal cost nothing: what the programs themselves cost.
if [ -w /dev/shm ] && [ "$(df --output=avail -k /dev/shm | tail -1)" -gt $((bytes / 256)) ]; then
    measure /dev/shm "in memory (tmpfs):"
fi

# reuse once on all of them: it stops at the first header that is not UTF-8.
rm -rf "$work/reuse" && cp -r "$work/src" "$work/reuse"
(cd "$work/reuse" && xargs -a "$work/list" -d '\n' reuse annotate --copyright "Inkwarden bench" --license MIT \
    >/dev/null 2>"$work/reuse.err") || true
echo "  reuse annotate on all $count: stopped after $(diff -rq "$work/src" "$work/reuse" | wc -l) files" \
    "with $(grep -o 'UnicodeDecodeError.*' "$work/reuse.err" | head -1 || echo 'no error')"

# Peak memory on the tree and on one four times its size.
rm -rf "$work/apply" && cp -r "$work/src" "$work/apply"
peak3=$( { /usr/bin/time -f %M "$exe" apply -q "$work/apply" >/dev/null; } 2>&1 | tail -1)
mkdir "$work/big"
for i in 1 2 3 4; do cp -r "$work/src" "$work/big/$i"; done
peak12=$( { /usr/bin/time -f %M "$exe" apply -q "$work/big" >/dev/null; } 2>&1 | tail -1)
awk -v n="$count" -v p3="$peak3" -v p12="$peak12" 'BEGIN {
    printf "  peak memory of apply: %.1f MiB on %d files, %.1f MiB on %d files (goal <= 64 MiB)\n",
        p3 / 1024, n, p12 / 1024, 4 * n
}'
