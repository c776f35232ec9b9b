#!/usr/bin/env python3
"""Checks a udev rules file by reading it as udev does and running it against simulated devices.

  udev_rule_check.py RULES VID:PID...

The syntax: every line is comma-separated KEY[{attribute}]OP"value" pairs with a key udev knows,
a match operator (== !=) on a match key and an assignment operator (= += -= :=) on the others,
and every GOTO has its LABEL further down. The behaviour: each cable VID:PID given, as a ttyUSB
device under its USB interface and device, gets the uaccess tag and ID_MM_DEVICE_IGNORE=1; a
built-in serial port, a USB serial adapter that is not a cable, a cable's USB device node (not
its tty) and a cable's removal get neither. The rule's vendor and product ids are exactly the ones given.

Parent keys (KERNELS, SUBSYSTEMS, DRIVERS, ATTRS) are matched as udev matches them: all of one
rule's parent keys against a single device of the chain, from the device itself upwards.
"""
import fnmatch
import re
import sys

MATCH_KEYS = {"ACTION", "DEVPATH", "KERNEL", "SUBSYSTEM", "DRIVER", "ATTR", "SYSCTL", "ENV",
              "CONST", "TAG", "TEST", "PROGRAM", "RESULT", "NAME", "SYMLINK", "KERNELS",
              "SUBSYSTEMS", "DRIVERS", "ATTRS", "TAGS"}
ASSIGN_KEYS = {"NAME", "SYMLINK", "OWNER", "GROUP", "MODE", "SECLABEL", "ATTR", "SYSCTL", "ENV",
               "TAG", "RUN", "LABEL", "GOTO", "IMPORT", "OPTIONS", "PROGRAM"}
WITH_ATTRIBUTE = {"ATTR", "ATTRS", "ENV", "SYSCTL", "CONST", "SECLABEL", "IMPORT", "RUN", "TEST"}
PARENT_KEYS = {"KERNELS", "SUBSYSTEMS", "DRIVERS", "ATTRS"}
PAIR = re.compile(r'\s*([A-Z_]+)(?:\{([^}]*)\})?\s*(==|!=|\+=|-=|:=|=)\s*"((?:[^"\\]|\\.)*)"\s*')


def parse(path):
    """[(line number, [(key, attribute, operator, value)])], or raises ValueError."""
    rules = []
    pending = ""
    for number, line in enumerate(open(path, encoding="utf-8").read().splitlines(), 1):
        line = pending + line.strip()
        pending = ""
        if line.endswith("\\"):
            pending = line[:-1]
            continue
        if not line or line.startswith("#"):
            continue
        pairs = []
        position = 0
        while position < len(line):
            match = PAIR.match(line, position)
            if not match:
                raise ValueError(f"{path}:{number}: cannot read '{line[position:]}'")
            key, attribute, operator, value = match.groups()
            position = match.end()
            if position < len(line):
                if line[position] != ",":
                    raise ValueError(f"{path}:{number}: a comma is missing after {key}")
                position += 1
            matching = operator in ("==", "!=")
            if key not in (MATCH_KEYS if matching else ASSIGN_KEYS):
                raise ValueError(f"{path}:{number}: {key} takes no '{operator}'")
            if (key in WITH_ATTRIBUTE) != (attribute is not None) and key != "IMPORT":
                raise ValueError(f"{path}:{number}: {key} and its {{attribute}} do not agree")
            pairs.append((key, attribute, operator, value))
        rules.append((number, pairs))
    labels = {}
    for index, (number, pairs) in enumerate(rules):
        for key, _, _, value in pairs:
            if key == "LABEL":
                labels[value] = index
    for index, (number, pairs) in enumerate(rules):
        for key, _, _, value in pairs:
            if key == "GOTO" and labels.get(value, -1) <= index:
                raise ValueError(f"{path}:{number}: GOTO {value} has no LABEL further down")
    return rules, labels


def matches(pattern, value):
    return value is not None and any(fnmatch.fnmatchcase(value, p) for p in pattern.split("|"))


def device_value(device, key, attribute):
    if key in ("ACTION",):
        return device["action"]
    if key in ("KERNEL", "KERNELS"):
        return device["kernel"]
    if key in ("SUBSYSTEM", "SUBSYSTEMS"):
        return device["subsystem"]
    if key in ("DRIVER", "DRIVERS"):
        return device.get("driver", "")
    if key in ("ATTR", "ATTRS"):
        return device.get("attrs", {}).get(attribute)
    if key == "ENV":
        return device["env"].get(attribute, "")
    if key in ("TAG", "TAGS"):
        return " ".join(sorted(device["tags"]))
    raise ValueError(f"the simulated device cannot answer {key}")


def holds(device, key, attribute, operator, value):
    found = matches(value, device_value(device, key, attribute))
    return found if operator == "==" else not found


def run(rules, labels, chain):
    """Runs the rules for chain[0] (its parents follow); its tags and environment."""
    device = chain[0]
    device.setdefault("env", {})
    device.setdefault("tags", set())
    index = 0
    while index < len(rules):
        _, pairs = rules[index]
        index += 1
        tests = [p for p in pairs if p[2] in ("==", "!=")]
        own = [p for p in tests if p[0] not in PARENT_KEYS]
        parents = [p for p in tests if p[0] in PARENT_KEYS]
        if not all(holds(device, *p) for p in own):
            continue
        if parents and not any(all(holds(d, *p) for p in parents) for d in chain):
            continue
        for key, attribute, operator, value in pairs:
            if key == "TAG" and operator in ("+=", "="):
                device["tags"].add(value)
            elif key == "ENV" and operator in ("=", ":="):
                device["env"][attribute] = value
            elif key == "GOTO":
                index = labels[value]
    return device["tags"], device["env"]


def usb_chain(vendor, product, action="add"):
    return [
        {"action": action, "kernel": "ttyUSB0", "subsystem": "tty"},
        {"kernel": "ttyUSB0", "subsystem": "usb-serial", "driver": "usbserial_generic"},
        {"kernel": "1-1:1.0", "subsystem": "usb", "driver": "usbserial", "attrs":
         {"bInterfaceNumber": "00"}},
        {"kernel": "1-1", "subsystem": "usb", "driver": "usb", "attrs":
         {"idVendor": vendor, "idProduct": product}},
        {"kernel": "0000:00:14.0", "subsystem": "pci", "driver": "xhci_hcd",
         "attrs": {"vendor": "0x8086"}},
    ]


def builtin_chain():
    return [{"action": "add", "kernel": "ttyS0", "subsystem": "tty"},
            {"kernel": "serial8250", "subsystem": "platform", "driver": "serial8250"}]


def main():
    path, cables = sys.argv[1], [c.lower() for c in sys.argv[2:]]
    try:
        rules, labels = parse(path)
    except ValueError as error:
        print(error)
        return 1
    failures = []
    listed = set()
    for _, pairs in rules:
        ids = {attribute: value.lower() for key, attribute, _, value in pairs
               if key == "ATTRS" and attribute in ("idVendor", "idProduct")}
        if len(ids) == 2:
            listed.add(f"{ids['idVendor']}:{ids['idProduct']}")
    for missing in sorted(set(cables) - listed):
        failures.append(f"cable {missing} is not in the rule")
    for extra in sorted(listed - set(cables)):
        failures.append(f"{extra} is in the rule but is no cable of the program's")
    granted = lambda tags, env: "uaccess" in tags and env.get("ID_MM_DEVICE_IGNORE") == "1"
    touched = lambda tags, env: "uaccess" in tags or "ID_MM_DEVICE_IGNORE" in env
    for cable in cables:
        vendor, product = cable.split(":")
        if not granted(*run(rules, labels, usb_chain(vendor, product))):
            failures.append(f"cable {cable} as ttyUSB0 gets no uaccess tag or no "
                            "ID_MM_DEVICE_IGNORE=1")
    others = {"built-in ttyS0": builtin_chain(),
              "USB serial 2341:0043 (no cable)": usb_chain("2341", "0043")}
    if cables:
        others[f"removal of {cables[0]}"] = usb_chain(*cables[0].split(":"), action="remove")
        usb_device = usb_chain(*cables[0].split(":"))[3:]
        usb_device[0]["action"] = "add"
        others[f"the USB device node of {cables[0]}"] = usb_device
    for name, chain in others.items():
        if touched(*run(rules, labels, chain)):
            failures.append(f"{name} is given the cables' access")
    for failure in failures:
        print(f"{path}: {failure}")
    if not failures:
        print(f"{path}: {len(rules)} rules read; {len(cables)} cables get uaccess and "
              "ModemManager's ignore, other serial ports do not")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
