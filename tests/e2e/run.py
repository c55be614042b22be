#!/usr/bin/python3
"""Runs one test class or method for CTest: exit 0 passed, 1 failed, 77 skipped.

run.py NAME [--player PATH] [--skip REASON]
"""

import argparse
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))


def main():
    p = argparse.ArgumentParser()
    p.add_argument("name")
    p.add_argument("--player", help="the zelkorfm executable")
    p.add_argument("--skip", help="skip with this reason")
    args = p.parse_args()
    if args.skip:
        print(f"skipped: {args.skip}")
        return 77
    if args.player:
        os.environ["ZELKOR_PLAYER"] = args.player
    sys.path.insert(0, HERE)
    suite = unittest.defaultTestLoader.loadTestsFromName(args.name)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    if not result.wasSuccessful():
        return 1
    if result.testsRun and len(result.skipped) == result.testsRun:
        return 77
    return 0


if __name__ == "__main__":
    sys.exit(main())
