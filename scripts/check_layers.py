#!/usr/bin/env python3
"""Fails when an include crosses Zemtra's layers; run by scripts/test.sh before anything builds.

    base/  <-  raster/ output/ project/ ui/  <-  jobs/  <-  cli/ and the window

- base/ includes no other folder of the project;
- the domain folders stand in one order, raster/ <- output/ <- project/ <- ui/: each includes
  base/ and the domain folders before it, never one after it (so no circle forms between them)
  and never jobs/; their qt/ folders sit above all of them;
- the core (base/, the domain folders, jobs/) includes no Qt header, nothing of app/ or cli/ and
  no qt/ folder;
- a qt/ folder (a subsystem's widgets and dialogs) includes nothing of app/ or cli/: a child
  dialog gets what it uses, not the main window;
- cli/ includes nothing of app/;
- a part of the main window (an app/ file other than the window's zemtra_dialog* files, the
  application and main) includes nothing of the window: the window includes its parts, so a
  part that reached back would close a circle.
Usage: scripts/check_layers.py [FILE...]   (default: every tracked source file)
"""
import re
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DOMAIN_ORDER = ["raster", "output", "project", "ui"]
DOMAIN = set(DOMAIN_ORDER)
FOLDERS = {"base", "jobs", "cli", "app"} | DOMAIN
PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SYSTEM_INCLUDE = re.compile(r"^\s*#\s*include\s+<([^>]+)>")
QT_HEADER = re.compile(r"^(Q[A-Za-z]+|Qt[A-Za-z]*/.*)$")


def layer(path):
    """The layer of a path inside the project ("base", "domain", "jobs", "qt", "cli", "app"), or
    None for what lies outside the layered folders (tests, fuzz, bench, examples)."""
    parts = Path(path).parts
    if not parts or parts[0] not in FOLDERS:
        return None
    if parts[0] in DOMAIN:
        return "qt" if len(parts) > 2 and parts[1] == "qt" else "domain"
    return parts[0]


def problem(source, included):
    """Why source may not include the project header included, or None."""
    own, other = layer(source), layer(included)
    if own is None or other is None:
        return None
    core = own in ("base", "domain", "jobs")
    if own == "base" and other != "base":
        return "base/ includes only base/"
    if core and other in ("app", "cli", "qt"):
        return "the core includes nothing of app/, cli/ or a qt/ folder"
    if own == "domain" and other == "jobs":
        return "a domain folder does not include jobs/"
    if own == "domain" and other == "domain":
        mine, theirs = Path(source).parts[0], Path(included).parts[0]
        if DOMAIN_ORDER.index(theirs) > DOMAIN_ORDER.index(mine):
            return (f"{mine}/ includes no folder after it in the order "
                    f"{' <- '.join(DOMAIN_ORDER)}")
    if own == "qt" and other in ("app", "cli"):
        return "a qt/ folder includes nothing of app/ or cli/"
    if own == "cli" and other == "app":
        return "cli/ includes nothing of app/"
    if own == "app" and is_window(included) and not is_window(source) and not is_shell(source):
        return "a part of the main window includes nothing of the window"
    return None


def is_window(path):
    return Path(path).name.startswith("zemtra_dialog")


def is_shell(path):
    return Path(path).name in ("main.cpp", "zemtra_app.cpp", "zemtra_app.h")


def check(files):
    failures = []
    for name in files:
        if layer(name) is None:
            continue
        core = layer(name) in ("base", "domain", "jobs")
        text = (ROOT / name).read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            match = PROJECT_INCLUDE.match(line)
            if match:
                why = problem(name, match.group(1))
                if why:
                    failures.append(f"{name}:{number}: includes \"{match.group(1)}\": {why}")
                continue
            match = SYSTEM_INCLUDE.match(line)
            if core and match and QT_HEADER.match(match.group(1)):
                failures.append(f"{name}:{number}: includes <{match.group(1)}>: "
                                "the core includes no Qt header")
    return failures


def main(argv):
    files = argv[1:] or subprocess.run(
        ["git", "ls-files", "*.cpp", "*.h"], cwd=ROOT, check=True, capture_output=True,
        text=True).stdout.split()
    failures = check(files)
    for failure in failures:
        print(failure, file=sys.stderr)
    if failures:
        print(f"check_layers: {len(failures)} include(s) cross the layers", file=sys.stderr)
        return 1
    print(f"check_layers: {len(files)} files keep to the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
