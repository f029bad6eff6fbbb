#!/usr/bin/env python3
"""Reads back the JUnit XML that tarvik-cli writes, as a CI system would."""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

cli, fixtures = sys.argv[1], sys.argv[2]


def junit(folder, *args):
    with tempfile.TemporaryDirectory() as out:
        path = os.path.join(out, "r.xml")
        subprocess.run([cli, "-q", "--folder", folder, "--junit", path, *args],
                       stdout=subprocess.DEVNULL, check=False)
        with open(path, "rb") as f:
            return f.read()


def check(condition, what):
    if not condition:
        sys.exit("junit_check: " + what)


# The fixture site: the whole file as expected, and what a reader finds in it.
written = junit(os.path.join(fixtures, "sites", "faults"), "--trace", "index.html")
with open(os.path.join(fixtures, "expected", "faults-trace.junit.xml"), "rb") as f:
    check(written == f.read(), "the fixture site's file differs from the expected one")
root = ET.fromstring(written)
suites = root.findall("testsuite")
check(root.tag == "testsuites" and len(suites) == 1, "one test suite for the run")
cases = suites[0].findall("testcase")
check([c.get("name") for c in cases]
      == ["index.html", "sub/page.html", "plain.html", "about.html", "sub/index.html"],
      "a test case per analysed page, in the order analysed")
failures = [f for c in cases for f in c.findall("failure")]
check(suites[0].get("failures") == str(len(failures)) == "10", "the failures are counted")
check(cases[2].find("failure").get("message") == "plain-link.html: NOT FOUND"
      and cases[2].find("failure").text == "plain.html:1", "message and place of a failure")
check(cases[3].find("failure") is None, "a page without broken references passes")

# Text a page may hold that XML must not carry as it is.
with tempfile.TemporaryDirectory() as site:
    with open(os.path.join(site, "index.html"), "wb") as f:
        f.write(b"<html>\n<a href='a\"&b\xff\x01.html'>\n<a href='x>y'></html>")
    root = ET.fromstring(junit(site, "index.html"))
    messages = [f.get("message") for f in root.iter("failure")]
    check(messages == ['a"&b\ufffd\ufffd.html: NOT FOUND', "x: NOT FOUND"], repr(messages))
print("junit_check: passed")
