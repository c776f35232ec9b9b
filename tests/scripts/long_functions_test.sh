#!/usr/bin/env bash
# scripts/long-functions fails on a function one line over the limit and passes one at it:
#   long_functions_test.sh SOURCE_DIR
set -uo pipefail

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A function whose body is $1 lines long, from its opening brace to its closing one.
function_of() {
    echo "int sum$1()"
    echo "{"
    echo "    int total = 0;"
    for ((i = 0; i < $1 - 3; ++i)); do echo "    total += $i;"; done
    echo "}"
}
function_of 100 >"$work/at.cpp"
function_of 101 >"$work/over.cpp"
"$1/scripts/long-functions" --limit 100 "$work/at.cpp" || { echo "FAIL: 100 lines refused"; exit 1; }
if "$1/scripts/long-functions" --limit 100 "$work/over.cpp"; then
    echo "FAIL: 101 lines pass"
    exit 1
fi
echo "long-functions refuses 101 lines and passes 100"
