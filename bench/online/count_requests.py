#!/usr/bin/env python3
"""Counts the requests of one on-line run in nginx's access log and sets its results
beside an off-line run over the same files.

Usage: count_requests.py ACCESS_LOG ONLINE_JSON OFFLINE_JSON

Prints how many pages were downloaded (GET) and how often, how many addresses were probed
(HEAD) and how often, both as sent and with "." and ".." segments resolved (the server
answers "a/../b.html" and "b.html" alike), and how the rows of the two runs compare.
"""

import collections
import json
import posixpath
import re
import sys

REQUEST = re.compile(r'"(\S+) (\S+) HTTP/[0-9.]+" (\d{3}) ')


def requests(log_path):
    with open(log_path, encoding="latin-1") as log:
        for line in log:
            match = REQUEST.search(line)
            if match:
                yield match.group(1), match.group(2), match.group(3)


def repeated(counter):
    return {key: n for key, n in counter.items() if n > 1}


def describe(method, counter):
    again = repeated(counter)
    extra = sum(n - 1 for n in again.values())
    text = (f"{method}: {sum(counter.values())} requests for {len(counter)} distinct paths; "
            f"{len(again)} paths asked more than once ({extra} extra requests)")
    examples = sorted(again.items(), key=lambda item: (-item[1], item[0]))[:5]
    if examples:
        text += "\n    e.g. " + ", ".join(f"{path} x{n}" for path, n in examples)
    return text


def rows(results):
    return {(row["ref"], row["inFile"]): row["result"] for grid in ("links", "images") for row in results[grid]}


def main():
    log_path, online_path, offline_path = sys.argv[1:4]
    by_method = collections.defaultdict(collections.Counter)
    resolved = collections.defaultdict(collections.Counter)
    statuses = collections.Counter()
    for method, path, status in requests(log_path):
        by_method[method][path] += 1
        resolved[method][posixpath.normpath(path)] += 1
        statuses[method + " " + status] += 1

    print("requests by method and status: " + ", ".join(f"{k} x{n}" for k, n in sorted(statuses.items())))
    for method in ("GET", "HEAD"):
        print(describe(method, by_method[method]))
        print(describe(method + " (resolved paths)", resolved[method]))

    with open(online_path, encoding="utf-8") as f:
        online = json.load(f)
    with open(offline_path, encoding="utf-8") as f:
        offline = json.load(f)
    print(f"errors: on-line {online['errors']}, off-line {offline['errors']}; "
          f"not analysed: on-line {len(online['notAnalysed'])}, off-line {len(offline['notAnalysed'])}")
    on_rows, off_rows = rows(online), rows(offline)
    changes = collections.Counter()
    for key in on_rows.keys() | off_rows.keys():
        before, after = off_rows.get(key, "(no row)"), on_rows.get(key, "(no row)")
        if before != after:
            changes[f"off-line {before!r} -> on-line {after!r}"] += 1
    print(f"rows: on-line {len(on_rows)}, off-line {len(off_rows)}; rows that differ: {sum(changes.values())}")
    for change, n in sorted(changes.items()):
        print(f"    {change}: {n}")


if __name__ == "__main__":
    main()
