#!/usr/bin/env python3
"""Counts the results of every test stage and prints "N passed, N failed".

  results.py record FILE NAME pass|fail   one result of a stage without a report
  results.py summary DIR BUILD_FAILED     adds up DIR/*.xml (JUnit) and DIR/*.result
"""
import glob
import os
import sys
import xml.etree.ElementTree as ET


def count_junit(path):
    passed = failed = 0
    try:
        root = ET.parse(path).getroot()
    except (ET.ParseError, OSError):
        print(f"unreadable test report: {os.path.basename(path)}")
        return 0, 1
    for case in root.iter("testcase"):
        if case.get("status") == "notrun" or case.find("skipped") is not None:
            continue
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
            print(f"FAILED: {case.get('classname', '')}.{case.get('name', '')}")
        else:
            passed += 1
    return passed, failed


def summary(folder, build_failed):
    passed = failed = 0
    for path in sorted(glob.glob(os.path.join(folder, "*.xml"))):
        p, f = count_junit(path)
        passed, failed = passed + p, failed + f
    for path in sorted(glob.glob(os.path.join(folder, "*.result"))):
        with open(path, encoding="utf-8") as result:
            name, outcome = result.read().split()
        if outcome == "pass":
            passed += 1
        else:
            failed += 1
            print(f"FAILED: {name}")
    expected = ("core.xml", "fonts.xml", "win32.xml", "e2e.xml")
    for name in expected:
        if not os.path.exists(os.path.join(folder, name)):
            print(f"missing test report: {name}")
            failed += 1
    if build_failed:
        print("a build step failed")
        failed += 1
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


def main(argv):
    if len(argv) == 5 and argv[1] == "record":
        with open(argv[2], "w", encoding="utf-8") as result:
            result.write(f"{argv[3]} {argv[4]}\n")
        return 0
    if len(argv) == 4 and argv[1] == "summary":
        return summary(argv[2], argv[3] != "0")
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
