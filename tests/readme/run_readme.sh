#!/usr/bin/env bash
# Runs every shell block of the README as a new user would: each ```sh block (not "sh no-test")
# in a fresh bash, from a checkout root whose build/ is this build, stopping at the first failing
# command of the block. Then checks that the README explains every option `orx740-cli --help`
# lists.  Usage: run_readme.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source_dir=$1
build_dir=$2
readme="$source_dir/README.md"
cli="$build_dir/bin/orx740-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A checkout root of our own: build/bin holds the staged programs, so whatever the blocks write
# stays here. The companion finds its installation (Init/, language/) through its real path.
mkdir -p "$work/root/build/bin"
for entry in "$build_dir"/bin/*; do
    ln -s "$entry" "$work/root/build/bin/$(basename "$entry")"
done
for entry in language Version.ini; do
    [ -e "$build_dir/$entry" ] && ln -s "$build_dir/$entry" "$work/root/build/$entry"
done
# Backups go into the test's own folder, never the user's.
export XDG_DATA_HOME="$work/data"

# The blocks, one file each: a line "```sh" opens a block, "```" closes it.
awk -v dir="$work" '
    /^```/ && !inside { inside = 1; run = ($0 == "```sh"); if (run) { n++; file = sprintf("%s/block%02d.sh", dir, n); printf "" > file }; next }
    /^```/ && inside  { inside = 0; if (run) close(file); run = 0; next }
    inside && run     { print > file }
' "$readme"

failures=0
blocks=0
for block in "$work"/block*.sh; do
    [ -e "$block" ] || continue
    blocks=$((blocks + 1))
    # A session of its own, so a simulator the block leaves behind can be stopped with it.
    (cd "$work/root" && exec setsid timeout 120 bash -e "$block") >"$block.out" 2>&1 &
    pid=$!
    wait "$pid"
    status=$?
    kill -- -"$pid" 2>/dev/null
    if [ "$status" -ne 0 ]; then
        failures=$((failures + 1))
        echo "README block $(basename "$block" .sh) failed with status $status:"
        sed 's/^/    | /' "$block"
        echo "  output:"
        sed 's/^/    > /' "$block.out"
    fi
done
echo "$blocks README shell blocks run, $failures failed"
[ "$blocks" -ge 5 ] || { echo "too few shell blocks found"; failures=$((failures + 1)); }

# Every option of the help is explained in the README ("--image" counts only as itself).
for option in $("$cli" --help | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u); do
    if ! grep -qE -- "${option}([^A-Za-z0-9-]|\$)" "$readme"; then
        echo "README does not mention $option"
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ]
