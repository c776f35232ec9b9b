#!/usr/bin/env bash
# Times a full read and a full write against the simulated radio on a pseudo-terminal, as fast as
# the terminal goes and paced like a real line at 38400 baud, and prints each time as a ratio to
# the time the bytes alone need on the wire at 38400 baud (10 bits a byte): a read moves 56191
# bytes (14.63 s), a write 46831 bytes (12.20 s).
#   bench/bench_link.sh [path/to/orx740-cli]
set -euo pipefail

cli="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/bin/orx740-cli}"
if [ ! -x "$cli" ]; then
    echo "bench_link: $cli not found; build first (scripts/test) or pass its path" >&2
    exit 2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A radio memory with something in every byte.
head -c $((0x22201)) /dev/urandom > "$work/image.bin"

now_ns() { date +%s%N; }

# run_case NAME VERB PACE WIRE_BYTES
run_case() {
    local name="$1" verb="$2" pace="$3" wire_bytes="$4"
    local sim_args=(--dump "$work/dump.bin")
    [ "$pace" -gt 0 ] && sim_args+=(--pace "$pace")
    [ "$verb" = read ] && sim_args+=(--image "$work/image.bin")

    coproc SIM { "$cli" simulate "${sim_args[@]}"; }
    local sim_pid="$SIM_PID" device
    read -r device <&"${SIM[0]}"

    local start end status=0
    start=$(now_ns)
    if [ "$verb" = read ]; then
        "$cli" read --port "$device" --image-out "$work/read.bin" 2>/dev/null || status=$?
    else
        "$cli" write --port "$device" --image "$work/image.bin" 2>/dev/null || status=$?
    fi
    end=$(now_ns)
    wait "$sim_pid" 2>/dev/null || true

    awk -v name="$name" -v ns=$((end - start)) -v bytes="$wire_bytes" -v status="$status" 'BEGIN {
        seconds = ns / 1e9
        wire = bytes * 10 / 38400
        printf "%-22s %8.2f s   wire %6.2f s   ratio %5.3f%s\n", name, seconds, wire,
               seconds / wire, status == 0 ? "" : "   FAILED (exit " status ")"
    }'
}

run_case "read, unpaced" read 0 56191
run_case "write, unpaced" write 0 46831
run_case "read, 38400 baud" read 38400 56191
run_case "write, 38400 baud" write 38400 46831
