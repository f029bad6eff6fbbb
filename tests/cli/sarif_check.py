#!/usr/bin/env python3
"""Validates the SARIF log that tarvik-cli writes against the SARIF 2.1.0 schema."""
import json
import os
import subprocess
import sys
import tempfile

import jsonschema

cli, fixtures = sys.argv[1], sys.argv[2]
with open(os.path.join(fixtures, "sarif", "sarif-2.1.0-rtm.5.json")) as f:
    validator = jsonschema.Draft4Validator(json.load(f))


def sarif(folder, *args):
    with tempfile.TemporaryDirectory() as out:
        path = os.path.join(out, "r.sarif")
        subprocess.run([cli, "-q", "--folder", folder, "--sarif", path, *args],
                       stdout=subprocess.DEVNULL, check=False)
        with open(path, "rb") as f:
            written = f.read()
    log = json.loads(written)
    errors = [e.message for e in validator.iter_errors(log)]
    check(not errors, "not valid SARIF 2.1.0: " + "; ".join(errors[:3]))
    return written, log


def check(condition, what):
    if not condition:
        sys.exit("sarif_check: " + what)


written, log = sarif(os.path.join(fixtures, "sites", "faults"), "--trace", "index.html")
with open(os.path.join(fixtures, "expected", "faults-trace.sarif"), "rb") as f:
    check(written == f.read(), "the fixture site's log differs from the expected one")

# Every kind of fault, each at each of its places; a page path that needs escaping.
with tempfile.TemporaryDirectory() as site:
    os.mkdir(os.path.join(site, "a b"))
    with open(os.path.join(site, "a b", "p%.html"), "w") as f:
        f.write("<html>\n<a href=gone.html><a href='#none'>\n"
                "<img src=Pic.gif><a href=http://127.0.0.1:1/x>\n<a href=gone.html></html>")
    with open(os.path.join(site, "a b", "pic.gif"), "w") as f:
        f.write("x")
    _, log = sarif(site, "--external", "links", "--timeout", "5", "a b/p%.html")
    found = [(r["ruleId"], r["locations"][0]["physicalLocation"]["artifactLocation"]["uri"],
              r["locations"][0]["physicalLocation"]["region"]["startLine"]) for r in log["runs"][0]["results"]]
    check(sorted(found) == sorted([
        ("missing-file", "a%20b/p%25.html", 2), ("missing-file", "a%20b/p%25.html", 4),
        ("missing-anchor", "a%20b/p%25.html", 2), ("failed-address", "a%20b/p%25.html", 3),
        ("case-mismatch", "a%20b/p%25.html", 3)]), repr(found))
print("sarif_check: passed")
