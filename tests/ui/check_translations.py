#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when a catalogue of the window is not complete for the sources as they stand.

  check_translations.py LUPDATE TS_FILE WORK_FOLDER LUPDATE_ARGUMENT...

lupdate reads the sources into a copy of the .ts file in WORK_FOLDER, as a developer's
`cmake --build build --target arbolink_ui_lupdate` would: a text new in the sources comes in
unfinished, one no longer there is kept as vanished or obsolete. Every entry must then be
finished and not empty, keep the source's numbered placeholders (%1, %2, ...), give an
accelerator where the source has one, and the copy must equal the .ts file itself.
"""
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path


def problems_of(tree):
    found = []
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            where = f"{name}: {source!r}"
            kind = translation.get("type") if translation is not None else "missing"
            text = (translation.text or "") if translation is not None else ""
            if kind in ("unfinished", "vanished", "obsolete", "missing"):
                found.append(f"{where} is {kind}")
            elif not text.strip():
                found.append(f"{where} has an empty translation")
            elif sorted(set(re.findall(r"%\d", source))) != sorted(set(re.findall(r"%\d", text))):
                found.append(f"{where}: the placeholders differ in {text!r}")
            elif "&" in source.replace("&&", "") and "&" not in text.replace("&&", ""):
                found.append(f"{where}: {text!r} has no accelerator")
    return found


def main():
    lupdate, ts_file, work, *arguments = sys.argv[1:]
    work = Path(work)
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    copy = work / Path(ts_file).name
    shutil.copyfile(ts_file, copy)
    run = subprocess.run([lupdate, *arguments, "-ts", str(copy)], capture_output=True, text=True)
    if run.returncode != 0:
        print(run.stdout, run.stderr, sep="\n")
        print(f"lupdate failed with status {run.returncode}")
        return 1
    found = problems_of(ElementTree.parse(copy))
    if not found and copy.read_bytes() != Path(ts_file).read_bytes():
        found.append(f"{ts_file} is not as lupdate writes it: compare it with {copy}")
    for problem in found:
        print(problem)
    if found:
        print(f"{len(found)} problem(s); bring {ts_file} up to date with "
              "`cmake --build build --target arbolink_ui_lupdate` and translate what it marks")
        return 1
    print(f"{ts_file}: complete")
    return 0


if __name__ == "__main__":
    sys.exit(main())
