#!/usr/bin/env python3
"""Compares the failures a tarvik-cli run reported (its --json file) with the
ground truth the site generator wrote beside the site (SITE.truth.json).

Usage: check_truth.py RESULTS.json SITE.truth.json

Agreement means:
  * every distinct broken target of the truth is among the red rows, in the grid
    its tag belongs to (img: images, anything else: links), with the result its
    kind calls for ("OK but CASE MISMATCH" for case_mismatch, else "NOT FOUND");
  * every red row names a broken target of the truth (nothing else is reported
    as a failure), and no page was left unanalysed;
  * the unused files listed (the run needs --unused) are exactly the truth's
    unused files, in every folder, less those used through a reference in the
    wrong letter case (such a file is used; the mismatch is reported instead).

Rows name a target resolved against the referring page's folder, as written
("a/b/../../c/x.html#frag"); it is compared after "." and ".." are resolved,
keeping the "#fragment", letter case counting.
Prints counts per kind and every disagreement; exits 1 when there is one.
"""

import json
import sys
from collections import Counter, defaultdict

CASE_MISMATCH = "OK but CASE MISMATCH"
NOT_FOUND = "NOT FOUND"


def normalize(ref):
    path, hash_, fragment = ref.partition("#")
    names = []
    for name in path.replace("\\", "/").split("/"):
        if name in ("", "."):
            continue
        if name == ".." and names and names[-1] != "..":
            names.pop()
        else:
            names.append(name)
    return "/".join(names) + hash_ + fragment


def expected_failures(truth):
    """target -> (grid, result, kind) for every distinct broken target."""
    expected = {}
    for entry in truth["broken"]:
        grid = "images" if entry["tag"] == "img" else "links"
        result = CASE_MISMATCH if entry["kind"] == "case_mismatch" else NOT_FOUND
        expected[entry["target"]] = (grid, result, entry["kind"])
    return expected


def reported_failures(results):
    """target -> set of (grid, result) over every red row."""
    reported = defaultdict(set)
    for grid in ("links", "images"):
        for row in results[grid]:
            if row["colour"] == "red":
                reported[normalize(row["ref"])].add((grid, row["result"]))
    return reported


def unused_problems(results, truth):
    expected = set(truth["unused_files"]) - set(truth["used_only_through_case_mismatch"])
    listed = set(results["unused"])
    print("unused files: truth %d, listed %d" % (len(expected), len(listed)))
    return (["unused but not listed: %s" % name for name in sorted(expected - listed)]
            + ["listed as unused but used: %s" % name for name in sorted(listed - expected)])


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__.strip().splitlines()[2])
    with open(argv[1], encoding="utf-8") as fh:
        results = json.load(fh)
    with open(argv[2], encoding="utf-8") as fh:
        truth = json.load(fh)

    expected = expected_failures(truth)
    reported = reported_failures(results)
    problems = []
    found = Counter()
    wanted = Counter(kind for _, _, kind in expected.values())

    for target, (grid, result, kind) in sorted(expected.items()):
        rows = reported.get(target, set())
        if (grid, result) in rows:
            found[kind] += 1
        elif rows:
            problems.append("wrong row for %s %s: expected %s/%s, got %s"
                            % (kind, target, grid, result, sorted(rows)))
        else:
            problems.append("missed %s: %s" % (kind, target))

    unexpected = sorted(t for t in reported if t not in expected)
    for target in unexpected:
        problems.append("reported but not broken: %s %s" % (target, sorted(reported[target])))
    for name in results.get("notAnalysed", []):
        problems.append("not analysed: %s" % name)

    red_rows = sum(len(rows) for rows in reported.values())
    print("%-16s %8s %8s" % ("kind", "truth", "reported"))
    for kind in sorted(wanted):
        print("%-16s %8d %8d" % (kind, wanted[kind], found[kind]))
    print("%-16s %8d %8d" % ("all", len(expected), sum(found.values())))
    print("red rows: %d (distinct targets %d), failures outside the truth: %d"
          % (red_rows, len(reported), len(unexpected)))
    problems += unused_problems(results, truth)
    for line in problems[:50]:
        print("  " + line)
    if len(problems) > 50:
        print("  ... and %d more" % (len(problems) - 50))
    print("truth check: %s" % ("agrees" if not problems else "DISAGREES (%d)" % len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
