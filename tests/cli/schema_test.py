#!/usr/bin/env python3
"""Holds the JSON schemas against the documents and against zandrel-gen.

Every JSON file under tests/ and every json block of README.md names its schema by "$schema"
and is valid by it, and zandrel-gen takes it (run in a copy of the example project); every
document of the table below is refused by its schema and by zandrel-gen alike. The help, the
manual page and the completion know the same options, and the help gives the package's bug
address.

Usage: schema_test.py ZANDREL_GEN SOURCE_ROOT
"""
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

try:
    import jsonschema
except ImportError:
    print("schema test skipped: python3-jsonschema is not installed")
    sys.exit(77)

GEN, ROOT = sys.argv[1], sys.argv[2]
CLASS = "urn:zandrel:schema:class-description:1"
ENUM = "urn:zandrel:schema:enumeration-request:1"
BATCH = "urn:zandrel:schema:batch-manifest:1"
# How zandrel-gen reads a document of each schema from standard input, writing nothing.
COMMANDS = {CLASS: ["class", "-", "src/Out.h"], ENUM: ["enum", "-"], BATCH: ["batch", "-"]}

# Documents the schema rejects; zandrel-gen must refuse them as unusable JSON (exit status 2).
BAD = [
    (CLASS, '{"Colour": 1}'),
    (CLASS, '{"Format": 2}'),
    (CLASS, '{"$schema": 1}'),
    (CLASS, '{"ClassName": 12}'),
    (CLASS, '{"Rows": {}}'),
    (CLASS, '{"Rows": [{"Type": "int", "Name": "n"}]}'),
    (CLASS, '{"Rows": [{"Row": 0}]}'),
    (CLASS, '{"Rows": [{"Row": 100001}]}'),
    (CLASS, '{"Rows": [{"Row": 1.5}]}'),
    (CLASS, '{"Rows": [{"Row": 1, "Initial": "0"}]}'),
    (CLASS, '{"Rows": [{"Row": 1, "Type": 4}]}'),
    (CLASS, '{"Options": {"TargetSystem": "Cobol"}}'),
    (CLASS, '{"Options": {"PrivateCopy": "yes"}}'),
    (CLASS, '{"Options": {"Colour": true}}'),
    (CLASS, '{"Options": []}'),
    (CLASS, '{"HeaderInsertions": [1]}'),
    (CLASS, '[]'),
    (ENUM, '{"Flags": "yes"}'),
    (ENUM, '{"Style": "Class"}'),
    (ENUM, '{"FirstAndLast": "yes"}'),
    (ENUM, '{"Rows": [{"Row": 50, "Name": "A"}]}'),
    (ENUM, '{"Rows": [{"Name": "A"}]}'),
    (ENUM, '{"ListFile": 3}'),
    (ENUM, '{"Format": "1"}'),
    (BATCH, '{}'),
    (BATCH, '{"entries": {}}'),
    (BATCH, '{"entries": [{"class": "model/point.zandrel.json"}]}'),
    (BATCH, '{"entries": [{"enum": "model/colour.json", "output": "src/C.h"}]}'),
    (BATCH, '{"entries": [{"class": "a.json", "enum": "b.json", "output": "c.h"}]}'),
    (BATCH, '{"entries": [], "Colour": 1}'),
]

failures = []
validators = {}
for path in glob.glob(os.path.join(ROOT, "document/schema/*.schema.json")):
    with open(path, encoding="utf-8") as file:
        schema = json.load(file)
    jsonschema.Draft202012Validator.check_schema(schema)
    validators[schema["$id"]] = jsonschema.Draft202012Validator(schema)


def run(arguments, text="", cwd=None):
    return subprocess.run([GEN] + arguments, input=text.encode(), capture_output=True, cwd=cwd,
                          timeout=20)


def check_valid(text, where, project):
    document = json.loads(text)
    kind = document.get("$schema") if isinstance(document, dict) else None
    if kind not in validators:
        failures.append(f"{where}: \"$schema\" names no schema of ours")
        return
    failures.extend(f"{where}: {error.message}" for error in validators[kind].iter_errors(document))
    result = run(COMMANDS[kind] + ["--dry-run"], text, project)
    if result.returncode != 0:
        failures.append(f"{where}: zandrel-gen says {result.returncode}: {result.stderr.decode()}")


with tempfile.TemporaryDirectory() as folder:
    project = os.path.join(folder, "example")
    shutil.copytree(os.path.join(ROOT, "tests/cli/example"), project)
    os.mkdir(os.path.join(project, "src"))
    for path in sorted(glob.glob(os.path.join(ROOT, "tests/**/*.json"), recursive=True)):
        with open(path, encoding="utf-8") as file:
            text = file.read()
            # The consumer project's request names its list file relative to its own folder.
            own = "/cmake_consumer/" in path and '"ListFile"' in text
            check_valid(text, os.path.relpath(path, ROOT), os.path.dirname(path) if own else project)
    with open(os.path.join(ROOT, "README.md"), encoding="utf-8") as file:
        blocks = re.findall(r"```json\n(.*?)```", file.read(), re.S)
    if not blocks:
        failures.append("README.md holds no json block")
    for number, block in enumerate(blocks, 1):
        check_valid(block, f"README.md json block {number}", project)

    for kind, text in BAD:
        if validators[kind].is_valid(json.loads(text)):
            failures.append(f"the schema takes {text}")
        result = run(COMMANDS[kind], text, project)
        if result.returncode != 2:
            failures.append(f"zandrel-gen {COMMANDS[kind][0]} says {result.returncode} to {text}")
    if os.listdir(os.path.join(project, "src")):
        failures.append("a check wrote files")

with open(os.path.join(ROOT, "packaging/CMakeLists.txt"), encoding="utf-8") as file:
    address = re.search(r'CPACK_DEBIAN_PACKAGE_MAINTAINER "[^"<]*<([^>]+)>"', file.read()).group(1)
with open(os.path.join(ROOT, "packaging/zandrel-gen.1"), encoding="utf-8") as file:
    manual = file.read().replace("\\-", "-")
help_text = run(["--help"]).stdout.decode()
if f"Report bugs to: {address}\n" not in help_text or address not in manual:
    failures.append(f"the help or the manual page lacks the bug address {address}")
bare = run([])
if bare.returncode != 2 or "Try 'zandrel-gen --help'" not in bare.stderr.decode():
    failures.append("zandrel-gen without arguments does not point to --help")

for failure in failures:
    print(failure)
print(f"schema test: {len(failures)} failures")
sys.exit(1 if failures else 0)
