#!/usr/bin/env python3
"""tests/discover_suites.cmake registers a CTest test per gtest suite and splits off a suite's
threaded cases; a grouping that dropped a case, or a threaded pattern that silently matched
nothing, would leave tests unrun while the stage stays green."""
import os
import re
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

SCRIPT = Path(__file__).resolve().parents[1] / "discover_suites.cmake"
CMAKE = sys.argv.pop(1) if len(sys.argv) > 1 else "cmake"

# What a gtest program prints for --gtest_list_tests: plain, fixture, value-parameterised and
# typed suites, with the comments gtest adds.
LISTING = """Plain.
  One
  Two
Threads.
  Start
  Join
Mixed.
  LibraryRun
  LibraryStop
  Layout
Values/Param.  # TypeParam = int
  Case/0  # GetParam() = 1
  Case/1  # GetParam() = 2
"""


def discover(threaded, listing=LISTING, status=0):
    """Runs the script on a program that prints listing; gives its exit code and the add_test
    calls it wrote as (name, filter, properties) rows."""
    with tempfile.TemporaryDirectory() as tmp:
        program = Path(tmp) / "fake_tests"
        program.write_text("#!/bin/sh\ncat <<'EOF'\n" + listing + "EOF\nexit %d\n" % status)
        program.chmod(0o755)
        out = Path(tmp) / "suites.cmake"
        run = subprocess.run(
            [CMAKE, f"-DEXECUTABLE={program}", f"-DOUTPUT={out}", f"-DTHREADED={threaded}",
             f"-DWORKING_DIRECTORY={tmp}", "-DENVIRONMENT=QT_QPA_PLATFORM=offscreen",
             "-P", str(SCRIPT)], capture_output=True, text=True)
        if run.returncode != 0:
            return run.returncode, run.stderr
        text = out.read_text()
    tests = re.findall(r"add_test\(\[==\[(.*?)\]==\] \[==\[.*?\]==\] \[==\[--gtest_filter=(.*?)\]==\]\)",
                       text)
    props = re.findall(r"set_tests_properties\(\[==\[(.*?)\]==\] PROPERTIES .*? COST (\d+)(.*)\)",
                       text)
    return 0, [(name, flt, cost, labels.strip()) for (name, flt), (_, cost, labels)
               in zip(tests, props)]


class DiscoverSuites(unittest.TestCase):
    def test_a_test_per_suite_and_the_threaded_cases_apart(self):
        status, rows = discover("Threads.*:Mixed.Library*")
        self.assertEqual(status, 0, rows)
        self.assertEqual(rows, [
            ("Plain", "Plain.*", "2", ""),
            ("Threads", "Threads.*", "2", "LABELS threads"),
            ("Mixed", "Mixed.*-Mixed.LibraryRun:Mixed.LibraryStop", "1", ""),
            ("Mixed.threads", "Mixed.LibraryRun:Mixed.LibraryStop", "2", "LABELS threads"),
            ("Values/Param", "Values/Param.*", "2", ""),
        ])

    def test_patterns_match_as_gtest_filters(self):
        for threaded, expected in [
            ("", []),
            ("Mixed.Layout", ["Mixed.threads"]),
            ("Mixed.?ayout", ["Mixed.threads"]),
            ("Values/Param.Case/1", ["Values/Param.threads"]),
            ("*.One", ["Plain.threads"]),
        ]:
            status, rows = discover(threaded)
            self.assertEqual(status, 0, (threaded, rows))
            labelled = [name for name, _, _, labels in rows if labels]
            self.assertEqual(labelled, expected, threaded)

    def test_a_pattern_that_matches_nothing_fails(self):
        for threaded in ["Renamed.*", "Plain.One:Plain.Three", "Mixed"]:
            status, message = discover(threaded)
            self.assertNotEqual(status, 0, threaded)
            self.assertIn("no test matches", message, threaded)

    def test_a_program_that_cannot_list_fails(self):
        status, message = discover("", listing="Plain.\n  One\n", status=1)
        self.assertNotEqual(status, 0)
        self.assertIn("--gtest_list_tests failed", message)


if __name__ == "__main__":
    os.environ.setdefault("LC_ALL", "C")
    unittest.main()
