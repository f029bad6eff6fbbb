#!/usr/bin/env python3
"""Measures what a change costs: the traced check of the 2,000 x 60 site (seed 1) by a
new build (A, with EXTRA arguments such as --html5) against a baseline build (B), run in
turn A B A B ... so that a machine whose speed drifts moves both alike. With a base site,
one build checking two sites in turn measures how its cost grows with the site.

Usage: ab.py NEW_CLI BASE_CLI [--runs N] [--extra=ARG]... [--both=ARG]... [--site DIR]
             [--base-site DIR]

Each run is the whole process `CLI -q --trace --json FILE index.html`, its user and
system seconds the kernel's own accounting of the finished child (os.wait4). Prints the
min, median and max of each figure and of the ratios A/B taken pair by pair.
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def run_once(command, cwd):
    start = time.monotonic()
    with open(os.devnull, "wb") as sink:
        child = subprocess.Popen(command, cwd=cwd, stdout=sink, stderr=sink)
        _, status, usage = os.wait4(child.pid, 0)
    wall = time.monotonic() - start
    if os.waitstatus_to_exitcode(status) not in (0, 1):
        sys.exit("ab.py: %s failed with %d" % (command[0], os.waitstatus_to_exitcode(status)))
    return {"wall": wall, "user": usage.ru_utime, "cpu": usage.ru_utime + usage.ru_stime}


def spread(values):
    return "%8.3f %8.3f %8.3f" % (min(values), statistics.median(values), max(values))


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("new_cli")
    parser.add_argument("base_cli")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--extra", action="append", default=[], help="an argument for NEW_CLI only")
    parser.add_argument("--both", action="append", default=[], help="an argument for both")
    parser.add_argument("--site", default=os.path.join(TOP, "bench", "out", "site-2000x60"))
    parser.add_argument("--base-site", help="the site BASE_CLI checks (default: the same)")
    args = parser.parse_args()
    base_site = args.base_site or args.site

    if not os.path.isfile(os.path.join(args.site, "index.html")):
        subprocess.run([sys.executable, os.path.join(TOP, "bench", "gen_site.py"), args.site, "2000", "60", "1"],
                       check=True, stdout=subprocess.DEVNULL)
    with tempfile.TemporaryDirectory() as out:
        new = [os.path.abspath(args.new_cli), "-q", "--trace", "--json", os.path.join(out, "a.json")]
        new += args.both + args.extra + ["index.html"]
        base = [os.path.abspath(args.base_cli), "-q", "--trace", "--json", os.path.join(out, "b.json")]
        base += args.both + ["index.html"]
        run_once(new, args.site)  # warm-up: the site's files in the page cache
        run_once(base, base_site)
        pairs = [(run_once(new, args.site), run_once(base, base_site)) for _ in range(args.runs)]

    print("%-12s %8s %8s %8s   (%d pairs, load average %s)"
          % ("", "min", "median", "max", args.runs, " ".join(open("/proc/loadavg").read().split()[:3])))
    for figure in ("wall", "user", "cpu"):
        print("%-12s %s" % ("A %s s" % figure, spread([a[figure] for a, _ in pairs])))
        print("%-12s %s" % ("B %s s" % figure, spread([b[figure] for _, b in pairs])))
    for figure in ("wall", "user", "cpu"):
        print("%-12s %s" % ("A/B %s" % figure, spread([a[figure] / b[figure] for a, b in pairs])))


if __name__ == "__main__":
    main()
