#!/usr/bin/env python3
"""Checks the schema of the text form with code that is not ours (python3-jsonschema): every
shipped Init pair and the pair of a noise image are exported and validated, and so is the JSON of
`show --json`. Usage: validate_exports.py ORX740_CLI STAGE_BIN"""
import json
import os
import random
import subprocess
import sys
import tempfile

import jsonschema
import yaml


def run(cli, *args):
    result = subprocess.run([cli, *args], capture_output=True, text=True, check=False)
    if result.returncode != 0:
        sys.exit(f"orx740-cli {' '.join(args)} failed: {result.stderr}")
    return result.stdout


def main():
    cli, stage = sys.argv[1], sys.argv[2]
    schema = json.loads(run(cli, "schema"))
    jsonschema.Draft7Validator.check_schema(schema)
    validator = jsonschema.Draft7Validator(schema)
    installed = os.path.join(stage, "orx740-config.schema.json")
    with open(installed, encoding="utf-8") as file:
        if json.load(file) != schema:
            sys.exit(f"{installed} is not the schema orx740-cli gives")

    with tempfile.TemporaryDirectory() as folder:
        noise = os.path.join(folder, "noise.img")
        generator = random.Random(21)
        with open(noise, "wb") as file:
            file.write(bytes(generator.randrange(256) for _ in range(0x22201)))
        run(cli, "unpack", noise, "--out", os.path.join(folder, "noise.dat"))
        pairs = [os.path.join(folder, "noise.dat")]
        init = os.path.join(stage, "Init")
        pairs += sorted(os.path.join(init, name) for name in os.listdir(init)
                        if name.endswith(".dat"))

        failures = 0
        for pair in pairs:
            text = run(cli, "export", pair)
            first = text.splitlines()[0]
            if first != "# yaml-language-server: $schema=file://" + os.path.abspath(installed):
                print(f"{pair}: the export starts {first!r}")
                failures += 1
            documents = [("export", yaml.safe_load(text)),
                         ("show --json", json.loads(run(cli, "show", "--json", pair)))]
            for what, document in documents:
                for error in validator.iter_errors(document):
                    print(f"{pair} ({what}): {'.'.join(map(str, error.path))}: {error.message}")
                    failures += 1
            print(f"{os.path.basename(pair)}: export and show --json valid")
    if failures:
        sys.exit(f"{failures} problems")


if __name__ == "__main__":
    main()
