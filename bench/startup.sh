#!/usr/bin/env bash
# Starts the real program under a virtual X display and reports the time from launch to the main
# window being on the screen, and the resident memory once it is idle.
#   bench/startup.sh [RUNS]        (default 3 runs)
# Goals: splash time (2000 ms) + at most 300 ms to the main window; idle memory under 80 MB.
# Each run uses a fresh copy of the staged installation and a home of its own, so the user's
# settings are never touched and every run is a first start.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup-env"

runs="${1:-3}"
# ORX740_BENCH_BUILD names a build that is already made (scripts/bench passes its Release build);
# otherwise the normal build in build/ is brought up to date first.
if [ -n "${ORX740_BENCH_BUILD:-}" ]; then
    build_dir="$ORX740_BENCH_BUILD"
else
    build_dir="$ORX740_SOURCE_DIR/build"
    orx740_setup "$build_dir" >/dev/null
fi

splash_ms=2000
extra_goal_ms=300
memory_goal_kb=$((80 * 1024))
idle_seconds=2

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

run_once() {
    local run="$1"
    local root="$work/run$run"
    mkdir -p "$root/home"
    cp -r "$build_dir/bin" "$build_dir/language" "$build_dir/Version.ini" "$root/"
    rm -f "$root/bin/orx740-cli"
    # One X server per run; the program reports its moments on stderr.
    HOME="$root/home" ORX740_BENCH=1 xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
        root="$1"; idle="$2"
        start=$(date +%s%3N)
        "$root/bin/orx740" 2>"$root/stderr" &
        pid=$!
        for _ in $(seq 1 200); do
            grep -q "ORX740_BENCH main-window" "$root/stderr" && break
            sleep 0.05
        done
        sleep "$idle"
        rss=$(awk "/^VmRSS:/ {print \$2}" "/proc/$pid/status")
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        shown=$(awk "/ORX740_BENCH main-window/ {print \$3}" "$root/stderr")
        launch=$(awk "/ORX740_BENCH launch/ {print \$3}" "$root/stderr")
        echo "$start $launch ${shown:-0} $rss"
    ' _ "$root" "$idle_seconds"
}

printf '%-4s %16s %18s %12s\n' run "exec->main (ms)" "app->main (ms)" "idle RSS (MB)"
results=()
for run in $(seq 1 "$runs"); do
    read -r start launch shown rss < <(run_once "$run")
    if [ "$shown" = 0 ]; then
        echo "run $run: the main window never appeared" >&2
        exit 1
    fi
    total=$((shown - start))
    inner=$((shown - launch))
    printf '%-4s %16d %18d %12.1f\n' "$run" "$total" "$inner" "$(awk -v k="$rss" 'BEGIN {print k / 1024}')"
    results+=("$total $rss")
done

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
median_ms=$(printf '%s\n' "${results[@]}" | awk '{print $1}' | median)
median_kb=$(printf '%s\n' "${results[@]}" | awk '{print $2}' | median)

status=0
printf 'median launch to main window: %d ms (goal <= %d ms) ' "$median_ms" $((splash_ms + extra_goal_ms))
if [ "$median_ms" -le $((splash_ms + extra_goal_ms)) ]; then echo "met"; else echo "MISSED"; status=1; fi
printf 'median idle resident memory: %.1f MB (goal < 80 MB) ' "$(awk -v k="$median_kb" 'BEGIN {print k / 1024}')"
if [ "$median_kb" -lt "$memory_goal_kb" ]; then echo "met"; else echo "MISSED"; status=1; fi
exit "$status"
