#!/usr/bin/env bash
# scripts/check-layers fails on an include that goes up, in each way one can be written, and
# passes the tree as it is:  check_layers_test.sh SOURCE_DIR
set -uo pipefail

source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A copy of what the check reads: the sources, the build files, the README and the check itself.
(cd "$source_dir" && git ls-files '*.cpp' '*.h' '*CMakeLists.txt' README.md scripts/check-layers |
    tar -cf - -T -) | tar -xf - -C "$work"
git -C "$work" init -q && git -C "$work" add -A

"$work/scripts/check-layers" "$work" >"$work/out.txt" 2>&1 ||
    fail "the tree as it is does not pass: $(cat "$work/out.txt")"

# Each row: the file to plant the include in, the include, and what the check must say.
while IFS='|' read -r file include says; do
    cp "$work/$file" "$work/saved"
    printf '%s\n' "$include" >>"$work/$file"
    if "$work/scripts/check-layers" "$work" >"$work/out.txt" 2>&1; then
        fail "$file with $include passes"
    elif ! grep -qF "$says" "$work/out.txt"; then
        fail "$file with $include: the check does not say '$says': $(cat "$work/out.txt")"
    fi
    cp "$work/saved" "$work/$file"
done <<'ROWS'
model/Band.cpp|#include "../app/Subsystems.h"|app/ is above model/
model/Band.h|#include <app/Subsystems.h>|app/ is above model/
radio/Document.cpp|#include "datafile/BackupStore.h"|datafile/ is above radio/
link/SerialPortService.cpp|#include "link/FrmProgress.h"|orx740_gui is above orx740_platform
link/Frames.cpp|#include "link/SerialPortService.h"|orx740_platform is above orx740_core
link/Frames.cpp|#include <QString>|orx740_core is standard C++ only
model/Band.cpp|#include "../../outside.h"|it leaves the tree
ROWS

[ $failures -eq 0 ] && echo "check-layers refuses every planted include and passes the tree"
exit $failures
