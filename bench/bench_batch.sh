#!/usr/bin/env bash
# One radio of a batch against the simulated radio paced like a real line at 38400 baud, side by
# side: a minimal reference client (batch_reference.py, the standard library only) and
# `orx740-cli batch --units 1`, each asking the radio who it is, reading it, writing the template
# and reading it back. Prints both times, the wire time of those bytes (41.46 s: a read 14.63 s,
# a write 12.20 s, a read-back 14.63 s) and, on its last line, the batch's time as a ratio to the
# reference's ("ratio R.RR"; the goal is at most 1.03).
# Where the system allows it (root, or CAP_SYS_NICE) the simulator and both clients run at a
# real-time priority, so that other work on the machine does not decide the figures; they sleep
# on the line almost all the time and take little of a processor.
#   bench/bench_batch.sh [path/to/orx740-cli]
set -euo pipefail

if [ -z "${ORX740_BENCH_REALTIME:-}" ] && chrt -f 10 true 2>/dev/null; then
    export ORX740_BENCH_REALTIME=1
    exec chrt -f 10 "$0" "$@"
fi

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cli="${1:-$here/../build/bin/orx740-cli}"
if [ ! -x "$cli" ]; then
    echo "bench_batch: $cli not found; build first (scripts/test) or pass its path" >&2
    exit 2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The batch's backups stay out of the user's own folder.
export XDG_DATA_HOME="$work/data"
# The radio holds one document, the template is another.
head -c $((0x22201)) /dev/urandom >"$work/radio-pattern.bin"
head -c $((0x22201)) /dev/urandom >"$work/plan-pattern.bin"
"$cli" unpack "$work/radio-pattern.bin" --out "$work/radio.dat" >/dev/null
"$cli" pack "$work/radio.dat" --out "$work/radio.bin" >/dev/null
"$cli" unpack "$work/plan-pattern.bin" --out "$work/plan.dat" >/dev/null
"$cli" pack "$work/plan.dat" --out "$work/plan.bin" >/dev/null

now_ns() { date +%s%N; }

# run_case NAME COMMAND...: DEVICE in the command stands for the simulator's terminal; the time
# in nanoseconds goes to $work/NAME.ns.
run_case() {
    local name="$1"
    shift
    coproc SIM { "$cli" simulate --image "$work/radio.bin" --pace 38400 --sessions 4 \
        --dump "$work/$name-dump.bin"; }
    local sim_pid="$SIM_PID" device
    read -r device <&"${SIM[0]}"
    local command=("${@//DEVICE/$device}") start end status=0
    start=$(now_ns)
    "${command[@]}" >"$work/$name.out" 2>&1 </dev/null || status=$?
    end=$(now_ns)
    wait "$sim_pid" 2>/dev/null || true
    if [ "$status" -ne 0 ] || ! "$cli" diff "$work/$name-dump.bin" "$work/plan.bin" >/dev/null; then
        echo "bench_batch: $name failed (exit $status):" >&2
        cat "$work/$name.out" >&2
        exit 1
    fi
    echo $((end - start)) >"$work/$name.ns"
}

run_case reference python3 "$here/batch_reference.py" DEVICE "$work/plan.bin"
run_case batch "$cli" batch --template "$work/plan.dat" --port DEVICE --units 1

if [ -n "${ORX740_BENCH_REALTIME:-}" ]; then
    echo "scheduling: real-time (SCHED_FIFO 10)"
else
    echo "scheduling: normal (no permission for real-time)"
fi
awk -v reference="$(cat "$work/reference.ns")" -v batch="$(cat "$work/batch.ns")" 'BEGIN {
    wire = (56191 + 46831 + 56191) * 10 / 38400
    printf "reference client  %7.2f s   wire %6.2f s   ratio to wire %5.3f\n", reference / 1e9,
           wire, reference / 1e9 / wire
    printf "orx740-cli batch  %7.2f s   wire %6.2f s   ratio to wire %5.3f\n", batch / 1e9, wire,
           batch / 1e9 / wire
    printf "ratio %.2f\n", batch / reference
}'
