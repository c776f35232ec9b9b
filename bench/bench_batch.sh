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
# Then, in lines of their own, the production line:
# - four simulated radios on four ports (paced at 38400 baud) in one batch, against the one radio
#   on one port above ("four ports R.RR x one port"; the goal is at most 1.10);
# - one batch process that programs 100 unpaced simulated radios, one after another (Enter
#   between them): its own resident memory (VmRSS) and open files (/proc/PID/fd) after radio 10
#   and after radio 100 (goals: less than 2 MB more memory, no more files).
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

# Four radios on four ports at once, each paced like a real line.
sims=()
ports=()
for i in 1 2 3 4; do
    rm -f "$work/line$i.txt"
    "$cli" simulate --image "$work/radio.bin" --pace 38400 --sessions 4 \
        --dump "$work/line$i-dump.bin" >"$work/line$i.txt" &
    sims+=("$!")
done
for i in 1 2 3 4; do
    until [ -s "$work/line$i.txt" ]; do sleep 0.05; done
    ports+=(--port "$(head -n 1 "$work/line$i.txt")")
done
start=$(now_ns)
status=0
"$cli" batch --template "$work/plan.dat" "${ports[@]}" --units 4 >"$work/line.out" 2>&1 \
    </dev/null || status=$?
end=$(now_ns)
wait "${sims[@]}" 2>/dev/null || true
for i in 1 2 3 4; do
    if [ "$status" -ne 0 ] || ! "$cli" diff "$work/line$i-dump.bin" "$work/plan.bin" >/dev/null; then
        echo "bench_batch: four ports failed (exit $status):" >&2
        cat "$work/line.out" >&2
        exit 1
    fi
done
awk -v one="$(cat "$work/batch.ns")" -v four=$((end - start)) 'BEGIN {
    printf "four ports (4 radios) %7.2f s   one port (1 radio) %7.2f s   four ports %.2f x one port\n",
           four / 1e9, one / 1e9, four / one
}'

# One batch process, 100 radios: the same simulated one, unpaced, four sessions a radio; the next
# radio comes at an Enter, given once the radio's JSON line is out.
rm -f "$work/soak.txt"
"$cli" simulate --image "$work/radio.bin" --sessions 1000 >"$work/soak.txt" &
soak_sim=$!
until [ -s "$work/soak.txt" ]; do sleep 0.05; done
coproc BATCH { exec "$cli" batch --template "$work/plan.dat" --port "$(head -n 1 "$work/soak.txt")" \
    --next enter --keep-going --json 2>/dev/null; }
batch_pid=$BATCH_PID
sample() { # RSS in kB and the number of open files of the batch
    echo "$(awk '/^VmRSS/ { print $2 }' "/proc/$batch_pid/status") $(ls "/proc/$batch_pid/fd" | wc -l)"
}
radios=0
soak_start=$(now_ns)
while read -r line <&"${BATCH[0]}"; do
    case "$line" in *'"result":"ok"'*) ;; *) echo "bench_batch: radio $((radios + 1)): $line" >&2; exit 1 ;; esac
    radios=$((radios + 1))
    [ "$radios" -eq 10 ] && at10=$(sample)
    if [ "$radios" -eq 100 ]; then
        at100=$(sample)
        break
    fi
    echo >&"${BATCH[1]}"
done
soak_end=$(now_ns)
kill -INT "$batch_pid" 2>/dev/null || true
wait "$batch_pid" 2>/dev/null || true
kill "$soak_sim" 2>/dev/null || true
wait "$soak_sim" 2>/dev/null || true
read -r rss10 fd10 <<<"$at10"
read -r rss100 fd100 <<<"$at100"
printf "100 radios in one batch  %.0f s   VmRSS %d kB at radio 10, %d kB at radio 100 (growth %d kB)   open files %d and %d\n" \
    "$(awk -v ns=$((soak_end - soak_start)) 'BEGIN { print ns / 1e9 }')" \
    "$rss10" "$rss100" $((rss100 - rss10)) "$fd10" "$fd100"
