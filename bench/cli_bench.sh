#!/usr/bin/env bash
# inkwarden apply on 3,000 real C headers from /usr/include, against a plain copy of the
# same tree (goal: at most 3 times the copy) and against REUSE's `reuse annotate` per file
# annotated (goal: at least 20 times faster), and its peak memory on that tree and on one
# four times its size (goal: at most 64 MiB whatever the size). Prints figures; fails only
# when a command fails, never on a time.
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
fresh() { rm -rf "$work/$1" && cp -r "$work/src" "$work/$1"; }

for _ in $(seq "$rounds"); do
    rm -rf "$work/copy"
    t0=$(now); cp -r "$work/src" "$work/copy"; t1=$(now)
    echo $(((t1 - t0) / 1000)) >>"$work/cp.us"

    fresh apply
    t0=$(now); (cd "$work" && "$exe" apply -q apply); t1=$(now)
    echo $(((t1 - t0) / 1000)) >>"$work/apply.us"

    # reuse on the headers it can read, so that its time is per file annotated.
    fresh reuse
    t0=$(now)
    (cd "$work/reuse" && head -n "$utf8" "$work/list" | xargs -d '\n' reuse annotate --copyright "Inkwarden bench" \
        --license MIT >/dev/null 2>&1) || echo "reuse annotate failed on the UTF-8 headers: its figure is no measure"
    t1=$(now)
    echo $(((t1 - t0) / 1000)) >>"$work/reuse.us"
done
annotated=$(diff -rq "$work/src" "$work/reuse" | wc -l || true)
added=$(diff -rq "$work/src" "$work/apply" | wc -l || true)
# And once on all of them: it stops at the first header that is not UTF-8.
fresh reuse
(cd "$work/reuse" && xargs -a "$work/list" -d '\n' reuse annotate --copyright "Inkwarden bench" --license MIT \
    >/dev/null 2>"$work/reuse.err") || true
stopped_after=$(diff -rq "$work/src" "$work/reuse" | wc -l || true)
reuse_error=$(grep -o 'UnicodeDecodeError.*' "$work/reuse.err" | head -1 || true)

# Peak memory on the tree and on one four times its size.
fresh apply
peak3=$( { /usr/bin/time -f %M "$exe" apply -q "$work/apply" >/dev/null; } 2>&1 | tail -1)
mkdir "$work/big"
for i in 1 2 3 4; do cp -r "$work/src" "$work/big/$i"; done
peak12=$( { /usr/bin/time -f %M "$exe" apply -q "$work/big" >/dev/null; } 2>&1 | tail -1)

cp_us=$(median <"$work/cp.us")
apply_us=$(median <"$work/apply.us")
reuse_us=$(median <"$work/reuse.us")
awk -v n="$count" -v bytes="$bytes" -v cp="$cp_us" -v apply="$apply_us" -v added="$added" -v reuse="$reuse_us" \
    -v annotated="$annotated" -v p3="$peak3" -v p12="$peak12" -v rounds="$rounds" -v err="$reuse_error" \
    -v stopped="$stopped_after" 'BEGIN {
    printf "inkwarden apply on %d headers from /usr/include (%.1f MB), median of %d runs\n", n, bytes / 1e6, rounds
    printf "  cp -r of the tree            %8.1f ms\n", cp / 1000
    printf "  inkwarden apply              %8.1f ms  %5d files changed  %.3f ms a file  ratio to cp %.2f (goal <= 3)\n",
        apply / 1000, added, apply / 1000 / n, apply / cp
    printf "  reuse annotate (UTF-8 ones)  %8.1f ms  %5d files annotated  %.3f ms a file annotated\n",
        reuse / 1000, annotated, annotated ? reuse / 1000 / annotated : 0
    if (err != "") printf "  reuse annotate on all %d: stopped after %d files with %s\n", n, stopped, err
    if (annotated) printf "  reuse per file / apply per file: %.1f (goal >= 20)\n", (reuse / annotated) / (apply / n)
    printf "  peak memory of apply: %.1f MiB on %d files, %.1f MiB on %d files (goal <= 64 MiB)\n",
        p3 / 1024, n, p12 / 1024, 4 * n
}'
