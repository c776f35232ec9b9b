#!/usr/bin/env python3
"""Kills `orx740-cli unpack` at random moments while it replaces an existing data file pair.

After each kill the pair is opened once (`orx740-cli show`, which resolves what an interrupted
save left behind), then the folder is inspected: the pair must be byte for byte the complete old
pair or the complete new one, and no other file may remain.

    bench/kill_save.py [--cli build/bin/orx740-cli] [--runs 200] [--seed N]

Prints the counts and exits 1 when any mixed pair or stray file was found.
"""
import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

IMAGE_SIZE = 0x22201


def run(cli, *args, cwd):
    return subprocess.run([cli, *args], cwd=cwd, capture_output=True, check=False)


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


def main():
    parser = argparse.ArgumentParser()
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--cli", default=os.path.join(here, "..", "build", "bin", "orx740-cli"))
    parser.add_argument("--runs", type=int, default=200)
    parser.add_argument("--seed", type=int, default=None)
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    seed = args.seed if args.seed is not None else int(time.time())
    rng = random.Random(seed)

    work = tempfile.mkdtemp(prefix="orx740-kill-")
    try:
        images = os.path.join(work, "images")
        pairs = os.path.join(work, "pairs")
        target = os.path.join(work, "target")
        for folder in (images, pairs, target):
            os.mkdir(folder)
        # The old pair comes from an empty radio, the new one from the shipped new document, so
        # the two files of each differ in contents and in length.
        with open(os.path.join(images, "old.img"), "wb") as f:
            f.write(bytes(IMAGE_SIZE))
        init = os.path.join(os.path.dirname(cli), "Init", "0_KZ6666_New.dat")
        if run(cli, "pack", init, "--out", os.path.join(images, "new.img"), cwd=work).returncode:
            sys.exit("cannot pack " + init)
        expected = {}
        for name in ("old", "new"):
            out = os.path.join(pairs, name + ".dat")
            if run(cli, "unpack", os.path.join(images, name + ".img"), "--out", out,
                   cwd=work).returncode:
                sys.exit("cannot unpack the " + name + " image")
            expected[name] = (read(out), read(out[:-3] + "fre"))
        if expected["old"][0][216:] == expected["new"][0][216:]:
            sys.exit("the two pairs do not differ")

        # How long an undisturbed save takes, to spread the kills over it.
        started = time.monotonic()
        for _ in range(5):
            shutil.copy(os.path.join(pairs, "old.dat"), os.path.join(target, "x.dat"))
            shutil.copy(os.path.join(pairs, "old.fre"), os.path.join(target, "x.fre"))
            run(cli, "unpack", os.path.join(images, "new.img"), "--out", "x.dat", cwd=target)
        duration = (time.monotonic() - started) / 5

        counts = {"old pair": 0, "new pair": 0, "mixed pair": 0, "stray files": 0,
                  "left on disk before the next open": 0}
        for _ in range(args.runs):
            for name in os.listdir(target):
                os.remove(os.path.join(target, name))
            shutil.copy(os.path.join(pairs, "old.dat"), os.path.join(target, "x.dat"))
            shutil.copy(os.path.join(pairs, "old.fre"), os.path.join(target, "x.fre"))
            process = subprocess.Popen(
                [cli, "unpack", os.path.join(images, "new.img"), "--out", "x.dat"], cwd=target,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(rng.uniform(0, duration * 1.1))
            try:
                process.send_signal(signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()
            if sorted(os.listdir(target)) != ["x.dat", "x.fre"]:
                counts["left on disk before the next open"] += 1

            run(cli, "show", "x.dat", cwd=target)
            pair = (read(os.path.join(target, "x.dat")), read(os.path.join(target, "x.fre")))
            # The date in the settings record is today's; compare everything else as it stands.
            if pair == expected["old"]:
                counts["old pair"] += 1
            elif pair[0] is not None and pair[0][:227] == expected["new"][0][:227] \
                    and pair[0][235:] == expected["new"][0][235:] and pair[1] == expected["new"][1]:
                counts["new pair"] += 1
            else:
                counts["mixed pair"] += 1
            if sorted(os.listdir(target)) != ["x.dat", "x.fre"]:
                counts["stray files"] += 1

        print(f"kills: {args.runs} (seed {seed}, one undisturbed save {duration * 1000:.1f} ms)")
        for name, count in counts.items():
            print(f"{name}: {count}")
        sys.exit(1 if counts["mixed pair"] or counts["stray files"] else 0)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
