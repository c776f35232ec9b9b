#!/usr/bin/env bash
# The cable rule run by udev itself: `udevadm test` on simulated devices (umockdev's sysfs).
#
#   udevadm_rule_test.sh RULES VID:PID...
#
# Each cable VID:PID, as a ttyUSB device under its USB interface and device, must get the uaccess
# tag and ID_MM_DEVICE_IGNORE=1; a built-in serial port (ttyS0), the tty of a USB serial adapter
# that is no cable, and a cable's own USB device (not its tty) must get neither. udevadm runs in a
# private mount namespace whose rule folders hold this rule alone and whose /run is empty, so the
# system's own rules neither take part nor are changed. Exits 77 (skipped) when udevadm or
# umockdev is not installed, or when a user who is not root may not make a namespace.
set -uo pipefail

need() {
    if ! command -v "$1" >/dev/null; then
        echo "SKIP: $1 is not installed (scripts/setup-env installs package $2)"
        exit 77
    fi
}

# A USB serial tty and its parents, in umockdev-record's format: NUMBER picks the bus port.
usb_serial() {
    local number=$1 vendor=$2 product=$3 tty=$4 driver=$5
    local device=/devices/pci0000:00/0000:00:14.0/usb1/1-$number
    cat <<EOF
P: $device/1-$number:1.0/$tty/tty/$tty
E: DEVNAME=/dev/$tty
E: SUBSYSTEM=tty

P: $device/1-$number:1.0/$tty
E: DRIVER=$driver
E: SUBSYSTEM=usb-serial

P: $device/1-$number:1.0
E: DEVTYPE=usb_interface
E: DRIVER=$driver
E: SUBSYSTEM=usb
A: bInterfaceNumber=00

P: $device
E: DEVTYPE=usb_device
E: DRIVER=usb
E: SUBSYSTEM=usb
A: idVendor=$vendor
A: idProduct=$product

EOF
}

describe_devices() {
    local number=1 cable
    for cable in "$@"; do
        usb_serial "$number" "${cable%:*}" "${cable#*:}" "ttyUSB$((number - 1))" usbserial
        number=$((number + 1))
    done
    usb_serial 90 2341 0043 ttyUSB90 usbserial
    cat <<EOF
P: /devices/pci0000:00/0000:00:14.0/usb1
E: DEVTYPE=usb_device
E: DRIVER=usb
E: SUBSYSTEM=usb
A: idVendor=1d6b
A: idProduct=0002

P: /devices/pci0000:00/0000:00:14.0
E: DRIVER=xhci_hcd
E: SUBSYSTEM=pci

P: /devices/platform/serial8250/tty/ttyS0
E: DEVNAME=/dev/ttyS0
E: SUBSYSTEM=tty

P: /devices/platform/serial8250
E: DRIVER=serial8250
E: SUBSYSTEM=platform
EOF
}

# `udevadm test` of one simulated device; prints udev's result and judges it.
# EXPECT is "granted" (uaccess and ModemManager's ignore) or "none" (neither).
judge() {
    local name=$1 devpath=$2 expect=$3 output
    output=$(udevadm test --action=add "/sys$devpath" 2>"$scratch/log")
    local status=$?
    if [ $status -ne 0 ]; then
        echo "FAIL $name: udevadm test exited $status"
        cat "$scratch/log"
        return 1
    fi
    local read
    read=$(sed -n 's/^Reading rules file: //p' "$scratch/log")
    if [ "$read" != /etc/udev/rules.d/$(basename "$rules") ]; then
        echo "FAIL $name: udevadm read the rules files '$read', not this rule alone"
        return 1
    fi
    local tags ignore
    tags=$(sed -n 's/^TAGS=//p' <<<"$output")
    ignore=$(sed -n 's/^ID_MM_DEVICE_IGNORE=//p' <<<"$output")
    echo "$name: TAGS=$tags ID_MM_DEVICE_IGNORE=$ignore"
    if [ "$expect" = granted ]; then
        [[ $tags == *:uaccess:* && $ignore == 1 ]] && return 0
    else
        [[ $tags != *uaccess* && -z $ignore ]] && return 0
    fi
    echo "FAIL $name: expected $expect; udevadm test printed:"
    echo "$output"
    return 1
}

# Runs inside the private mount namespace.
inside() {
    local folder
    mount -t tmpfs orx740-run /run || return 1
    for folder in /etc/udev/rules.d /usr/lib/udev/rules.d /usr/local/lib/udev/rules.d; do
        if [ -d "$folder" ]; then
            mount -t tmpfs orx740-rules "$folder" || return 1
        fi
    done
    mkdir -p /etc/udev/rules.d && cp "$rules" /etc/udev/rules.d/ || return 1
    describe_devices "$@" >"$scratch/devices.umockdev"
    umockdev-run --device "$scratch/devices.umockdev" -- bash "$0" --judge "$rules" "$scratch" "$@"
}

# Runs under umockdev, whose /sys holds the simulated devices.
judge_all() {
    local failures=0 number=1 cable device
    for cable in "$@"; do
        device=/devices/pci0000:00/0000:00:14.0/usb1/1-$number
        judge "cable $cable ttyUSB$((number - 1))" \
            "$device/1-$number:1.0/ttyUSB$((number - 1))/tty/ttyUSB$((number - 1))" granted ||
            failures=$((failures + 1))
        number=$((number + 1))
    done
    judge "built-in ttyS0" /devices/platform/serial8250/tty/ttyS0 none || failures=$((failures + 1))
    judge "USB serial 2341:0043 (no cable)" \
        /devices/pci0000:00/0000:00:14.0/usb1/1-90/1-90:1.0/ttyUSB90/tty/ttyUSB90 none ||
        failures=$((failures + 1))
    judge "USB device of cable $1" /devices/pci0000:00/0000:00:14.0/usb1/1-1 none ||
        failures=$((failures + 1))
    echo "$((number - 1 + 3)) devices tested by udevadm, $failures failed"
    [ $failures -eq 0 ]
}

case "${1:-}" in
--inside)
    rules=$2 scratch=$3
    shift 3
    inside "$@"
    exit
    ;;
--judge)
    rules=$2 scratch=$3
    shift 3
    judge_all "$@"
    exit
    ;;
esac

rules=$(realpath "$1")
shift
[ $# -gt 0 ] || { echo "usage: $0 RULES VID:PID..."; exit 2; }
need udevadm udev
need umockdev-run umockdev
need unshare util-linux
namespace=(unshare --mount --propagation private)
if [ "$(id -u)" -ne 0 ]; then
    namespace=(unshare --map-root-user --mount --propagation private)
    if ! "${namespace[@]}" true 2>/dev/null; then
        echo "SKIP: this user may not make a mount namespace (run as root, as CI does)"
        exit 77
    fi
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"${namespace[@]}" bash "$0" --inside "$rules" "$scratch" "$@"
