#!/usr/bin/env python3
"""Counts the 32-bit tests of the given build folders' last ctest runs: the
tests labelled 32-bit (ctest --show-only=json-v1) against their outcome in
the run's JUnit report. Names each one that was skipped, with its reason,
and ends with one line: how many ran and how many were skipped. Exits 1
when a labelled test has no outcome, or, with TAVLIN_REQUIRE_32BIT=1 (CI on
machines that run 32-bit programs), when any was skipped."""
import json
import os
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path


def labelled_32bit(build):
    listing = subprocess.run(["ctest", "--test-dir", str(build), "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    names = set()
    for test in json.loads(listing)["tests"]:
        for prop in test.get("properties", []):
            if prop["name"] == "LABELS" and "32-bit" in prop["value"]:
                names.add(test["name"])
    return names


def main(builds):
    ran, skipped, missing = 0, [], []
    for build in map(Path, builds):
        names = labelled_32bit(build)
        report = build / "ctest-junit.xml"
        if not report.exists():
            print(f"no test report in {build}")
            return 1
        outcomes = {case.get("name"): case for case in ElementTree.parse(report).iter("testcase")}
        for name in sorted(names):
            case = outcomes.get(name)
            if case is None:
                missing.append(f"{build.name}: {name}")
            elif case.get("status") == "notrun":
                reason = (case.findtext("system-out") or "").strip().splitlines()
                skipped.append(f"{build.name}: {name}: {reason[-1] if reason else 'no reason given'}")
            else:
                ran += 1
    for line in skipped:
        print(f"skipped {line}")
    for line in missing:
        print(f"not run {line}")
    print(f"32-bit tests: {ran} ran, {len(skipped)} skipped"
          + (f", {len(missing)} not run" if missing else ""))
    if skipped and os.environ.get("TAVLIN_REQUIRE_32BIT") == "1":
        print("TAVLIN_REQUIRE_32BIT=1: this machine must run every 32-bit test")
        return 1
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
