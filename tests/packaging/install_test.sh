#!/usr/bin/env bash
# The program installed into an empty root works from there alone:
#   install_test.sh BUILD_DIR          `cmake --install` of the build into a temporary root
#   install_test.sh --root ROOT        a root that already holds the installed files (an
#                                      extracted package)
# The installed orx740-cli shows a shipped data file, and the installed program starts offscreen
# and finds its pictures and settings in ROOT/usr/share/orx740, not in the build tree.
set -uo pipefail

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$1" = --root ]; then
    root=$2
else
    root="$work/root"
    cmake --install "$1" --prefix "$root/usr" >"$work/install.log" 2>&1 ||
        { cat "$work/install.log"; exit 1; }
fi
data="$root/usr/share/orx740"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for file in usr/bin/orx740 usr/bin/orx740-cli usr/share/orx740/Version.ini \
    usr/share/orx740/language/mysetup.ini usr/share/orx740/StartE.jpg usr/share/orx740/PIC/BK_1.jpg \
    usr/share/orx740/Init/0_KZ6666_New.dat usr/share/orx740/orx740-config.schema.json \
    usr/share/applications/org.orx740.orx740.desktop \
    usr/share/metainfo/org.orx740.orx740.metainfo.xml usr/share/icons/hicolor/scalable/apps/orx740.svg \
    usr/share/man/man1/orx740.1.gz usr/share/man/man1/orx740-cli.1.gz \
    usr/share/bash-completion/completions/orx740-cli \
    usr/lib/udev/rules.d/60-orx740-cables.rules; do
    [ -e "$root/$file" ] || fail "not installed: /$file"
done

# The menu's icons: a PNG of each size, as wide and high as its folder says.
for size in 16 32 48 64 128 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/orx740.png"
    if [ ! -f "$png" ]; then
        fail "not installed: ${png#"$root"} (the build draws it with rsvg-convert)"
        continue
    fi
    # The PNG signature, then the IHDR chunk's width and height (big-endian, bytes 16-23).
    header=$(od -An -tx1 -N24 "$png" | tr -d ' \n')
    expected=$(printf '89504e470d0a1a0a0000000d49484452%08x%08x' "$size" "$size")
    [ "$header" = "$expected" ] || fail "${png#"$root"} is no ${size}x${size} PNG"
done
# The manual pages: gzip files that hold a page of their own name.
for page in orx740 orx740-cli; do
    gz="$root/usr/share/man/man1/$page.1.gz"
    [ -f "$gz" ] && { gzip -dc "$gz" | grep -q "^\.TH \"\?${page^^}"; } ||
        fail "${gz#"$root"} is no manual page of $page"
done

# A user of our own, so the run touches nobody's settings.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
cd "$work" || exit 1

"$root/usr/bin/orx740-cli" show "$data/Init/0_KZ6666_New.dat" >"$work/show.txt" 2>&1 ||
    fail "orx740-cli show failed: $(head -n 3 "$work/show.txt")"
grep -q "ORX740" "$work/show.txt" || fail "orx740-cli show lists no identity"
# An export names the installed schema, so editors find it.
"$root/usr/bin/orx740-cli" export "$data/Init/0_KZ6666_New.dat" >"$work/export.yaml" 2>&1 ||
    fail "orx740-cli export failed: $(head -n 3 "$work/export.yaml")"
head -n 1 "$work/export.yaml" | grep -qF "\$schema=file://$data/orx740-config.schema.json" ||
    fail "the export does not name the installed schema: $(head -n 1 "$work/export.yaml")"

# Runs the installed program for a few seconds; its stderr is left in $work/run.err.
run_program() {
    ORX740_BENCH=1 timeout "$1" "$root/usr/bin/orx740" >/dev/null 2>"$work/run.err"
}

run_program 8
grep -q "ORX740_BENCH main-window" "$work/run.err" || fail "the main window did not come up: $(cat "$work/run.err")"
if grep "missing shared file" "$work/run.err"; then
    fail "the installed program misses shared files"
fi
# The settings it used are the installed ones (or the per-user copy made from them).
settings="$data/language/mysetup.ini"
[ -w "$data/language" ] || settings="$XDG_CONFIG_HOME/ORX-740/ORX-740/mysetup.ini"
grep -q "IsFirstRun=0" "$settings" 2>/dev/null || fail "the first start was not recorded in $settings"

# The same check sees a picture that is not there.
if [ "$1" != --root ]; then
    rm "$data/PIC/BK_2.jpg"
    run_program 2
    grep -q "missing shared file $data/PIC/BK_2.jpg" "$work/run.err" ||
        fail "a missing background picture was not noticed: $(cat "$work/run.err")"
fi

[ $failures -eq 0 ] && echo "installed program works from $root"
exit $failures
