#!/usr/bin/env bash
# One check of the installable program's files:  checks.sh CHECK ARGUMENTS...
# Exits 77 (skipped) with a message when the check's tool is not installed.
set -uo pipefail

need() {
    if ! command -v "$1" >/dev/null; then
        echo "SKIP: $1 is not installed (scripts/test installs it)"
        exit 77
    fi
}

# Fails when a command prints anything at all (warnings included), showing what it printed.
silent() {
    local output
    output=$("$@" 2>&1)
    local status=$?
    if [ $status -ne 0 ] || [ -n "$output" ]; then
        echo "$* (status $status):"
        echo "$output"
        return 1
    fi
}

check_desktop() {
    need desktop-file-validate
    silent desktop-file-validate "$1"
}

# Valid without the network; the release is this version; every screenshot is one of docs/.
check_metainfo() {
    need appstreamcli
    appstreamcli validate --no-net --explain "$1" || return 1
    grep -q "<release version=\"$2\"" "$1" || { echo "no release entry for version $2"; return 1; }
    local failures=0 image
    for image in $(grep -oE '<image>[^<]+</image>' "$1" | sed -E 's|<image>.*/([^/<]+)</image>|\1|'); do
        [ -f "$SOURCE_DIR/docs/$image" ] || { echo "screenshot $image is not in docs/"; failures=1; }
    done
    return $failures
}

# The rule read as udev reads it and run against simulated cables and other serial ports
# (udev_rule_check.py); udevadm's own verify as well where the system's udevadm has it (systemd
# 254 and later, not Debian 12's).
check_udev() {
    local rules=$1
    shift
    python3 "$(dirname "${BASH_SOURCE[0]}")/udev_rule_check.py" "$rules" "$@" || return 1
    if command -v udevadm >/dev/null && udevadm verify --help >/dev/null 2>&1; then
        udevadm verify "$rules" || return 1
    fi
}

# The pages are rendered (and thrown away); any warning on stderr fails.
check_manpages() {
    local page warnings
    for page in "$@"; do
        if command -v man >/dev/null; then
            warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
        else
            need groff
            warnings=$(groff -man -ww -z "$page" 2>&1)
        fi
        [ $? -eq 0 ] && [ -z "$warnings" ] || { echo "$page: $warnings"; return 1; }
    done
}

# Every verb `orx740-cli --help` lists, and every option of every verb's own help, is named in
# the manual page and in the completion (the completion's options of that very verb).
check_cli_documented() {
    local cli=$1 page=$2 completion=$3 failures=0 verb option
    [ -x "$cli" ] || { echo "$cli is not built"; return 1; }
    # shellcheck source=/dev/null
    source "$completion"
    local verbs
    verbs=$("$cli" --help | sed -nE 's/^(Usage:)? +orx740-cli ([a-z][a-z-]*).*/\2/p' | sort -u)
    [ -n "$verbs" ] || { echo "no verbs found in the help"; return 1; }
    local pageText
    pageText=$(sed 's/\\-/-/g' "$page")
    for verb in $verbs; do
        grep -qE "^\.SS \"$verb( |\")" <<<"$pageText" || { echo "manual page: no section for '$verb'"; failures=1; }
        grep -qE "verbs=\".*\\b$verb\\b" "$completion" || { echo "completion: no verb '$verb'"; failures=1; }
        [ "$verb" = help ] && continue
        for option in $("$cli" "$verb" --help | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u); do
            grep -qF -- "$option" <<<"$pageText" || { echo "manual page: '$verb' has no $option"; failures=1; }
            grep -qw -- "$option" <<<"$(_orx740_cli_options "$verb")" ||
                { echo "completion: '$verb' does not offer $option"; failures=1; }
        done
    done
    for option in $("$cli" --help | sed -n '/^Command-line/,/^$/!d; p' | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
        grep -qF -- "$option" <<<"$pageText" || { echo "manual page: no global $option"; failures=1; }
    done
    return $failures
}

check=$1
shift
case "$check" in
desktop) check_desktop "$@" ;;
metainfo) check_metainfo "$@" ;;
udev) check_udev "$@" ;;
manpages) check_manpages "$@" ;;
cli-documented) check_cli_documented "$@" ;;
*) echo "unknown check $check"; exit 2 ;;
esac
