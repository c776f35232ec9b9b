#!/usr/bin/env bash
# A soak of the link: CYCLES (default 200) write/verify/read cycles through one simulated radio
# that serves them all (--sessions), with a frame left unanswered and a reply spoiled now and then.
# Each cycle writes a fresh random image with --verify (the write and its read-back), reads it
# again and compares those bytes with the image written; at the end the simulator's memory dump
# must equal the last image. A transfer carries only the blocks of the radio's memory map (a read
# gives 0 elsewhere), so the images are random in those bytes and 0 in the rest: a first write of
# 0xFF everywhere and its read show which bytes those are. The simulator's resident memory must grow less than 2 MB and its
# open file descriptors not at all from cycle 10 to the last. The companion runs as one process
# per transfer; each one must exit 0.
#   bench/soak_link.sh [path/to/orx740-cli] [CYCLES]
set -euo pipefail

cli="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/bin/orx740-cli}"
cycles="${2:-200}"
if [ ! -x "$cli" ] || [ "$cycles" -lt 11 ]; then
    echo "soak_link: usage: bench/soak_link.sh [path/to/orx740-cli] [CYCLES >= 11]" >&2
    exit 2
fi
# Lost replies each cost the 1 s reply time-out: one frame in about 10000 (a cycle sends about
# 5600), of both kinds.
drop_every=19997
corrupt_every=20011

work="$(mktemp -d)"
sim_pid=""
cleanup() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
# The backups of every read and write stay out of the user's own folder.
export XDG_DATA_HOME="$work/data"

"$cli" simulate --sessions $((3 * cycles + 3)) --drop-every "$drop_every" \
    --corrupt-every "$corrupt_every" --dump "$work/dump.bin" >"$work/sim.txt" 2>"$work/sim.err" &
sim_pid=$!
until [ -s "$work/sim.txt" ]; do sleep 0.1; done
port=$(head -n 1 "$work/sim.txt")

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$sim_pid/status"; }
fds() { find "/proc/$sim_pid/fd" -mindepth 1 -maxdepth 1 | wc -l; }
fail() {
    echo "soak_link: cycle $1: $2" >&2
    exit 1
}

# mask FILE OUT: OUT holds the bytes of FILE where the mask's are not 0, and 0 elsewhere.
mask() {
    python3 -c 'import sys
m = open(sys.argv[1], "rb").read()
f = open(sys.argv[2], "rb").read()
open(sys.argv[3], "wb").write(bytes(a & b for a, b in zip(m, f)))' "$work/mask.bin" "$1" "$2"
}
head -c $((0x22201)) /dev/zero | tr '\0' '\377' >"$work/ones.bin"
"$cli" write --port "$port" --image "$work/ones.bin" >/dev/null 2>"$work/cli.err" ||
    fail 0 "write failed: $(tail -n 1 "$work/cli.err")"
"$cli" read --port "$port" --image-out "$work/mask.bin" >/dev/null 2>"$work/cli.err" ||
    fail 0 "read failed: $(tail -n 1 "$work/cli.err")"

start=$(date +%s%N)
for cycle in $(seq 1 "$cycles"); do
    head -c $((0x22201)) /dev/urandom >"$work/random.bin"
    mask "$work/random.bin" "$work/image.bin"
    "$cli" write --port "$port" --verify --image "$work/image.bin" >/dev/null 2>"$work/cli.err" ||
        fail "$cycle" "write --verify failed: $(tail -n 1 "$work/cli.err")"
    "$cli" read --port "$port" --image-out "$work/read.bin" >/dev/null 2>"$work/cli.err" ||
        fail "$cycle" "read failed: $(tail -n 1 "$work/cli.err")"
    cmp -s "$work/read.bin" "$work/image.bin" || fail "$cycle" "read back other bytes than written"
    if [ "$cycle" -eq 10 ]; then
        rss10=$(rss_kb)
        fds10=$(fds)
    fi
done
elapsed=$((($(date +%s%N) - start) / 1000000))
rss_end=$(rss_kb)
fds_end=$(fds)
# The last session: the simulator ends after it and dumps its memory.
"$cli" read --port "$port" --image-out "$work/read.bin" >/dev/null 2>"$work/cli.err" ||
    fail "$cycles" "the last read failed: $(tail -n 1 "$work/cli.err")"
wait "$sim_pid" || fail "$cycles" "the simulator ended with an error: $(tail -n 1 "$work/sim.err")"
sim_pid=""
mask "$work/dump.bin" "$work/dump-carried.bin"
cmp -s "$work/dump-carried.bin" "$work/image.bin" || fail "$cycles" "the radio's memory is not the last image"

growth=$((rss_end - rss10))
printf 'cycles %d (each a write, its read-back and a read of 0x22201 bytes) in %d.%03d s, %d ms a cycle\n' \
    "$cycles" $((elapsed / 1000)) $((elapsed % 1000)) $((elapsed / cycles))
printf 'drop-every %d, corrupt-every %d: every read and write succeeded, every image read back equal\n' \
    "$drop_every" "$corrupt_every"
printf 'simulator resident memory: cycle 10 %d kB, cycle %d %d kB, growth %d kB (limit 2048)\n' \
    "$rss10" "$cycles" "$rss_end" "$growth"
printf 'simulator open file descriptors: cycle 10 %d, cycle %d %d\n' "$fds10" "$cycles" "$fds_end"
[ "$growth" -lt 2048 ] || fail "$cycles" "resident memory grew by $growth kB"
[ "$fds_end" -le "$fds10" ] || fail "$cycles" "open file descriptors grew from $fds10 to $fds_end"
echo "soak_link: passed"
