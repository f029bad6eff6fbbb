#!/usr/bin/env python3
"""Opens tarvik-cli's HTML report of a fixture site in headless Chromium and checks what the
browser made of it: the failure lines are there, inside red font, every link of a failure
line leads to a file of the site or is the failing reference itself, and no name or
reference of the site became an element of the page."""

import argparse
import html.parser
import os
import shutil
import subprocess
import sys
import tempfile
import urllib.parse
import urllib.request

CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync"]

# Every element the report itself makes; any other one in the rendered page came from a
# scanned text and would be live markup.
REPORT_ELEMENTS = {"html", "head", "title", "base", "body", "h2", "font", "center", "b", "i", "a", "br"}

# A file no page uses, so that a run with --unused lists its name in the report.
HOSTILE_NAME = "<img src=x onerror=alert(1)>.html"

FAILURE_HEADINGS = ("CANNOT BE FOUND", "NON-EXISTENT pages", "external link failed",
                    "connected but failed to find document")


class Line:
    """The text between two <br> elements of the rendered report, with the colours of the
    font elements its text sits in and the links it holds."""

    def __init__(self):
        self.text = ""
        self.colours = set()
        self.hrefs = []


class ReportDom(html.parser.HTMLParser):
    """Splits the serialized DOM of the report's body into lines."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open = []
        self.lines = [Line()]
        self.title = ""

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag not in REPORT_ELEMENTS:
            fail("the report holds a <%s> element it did not make" % tag)
        if tag == "br":
            self.lines.append(Line())
            return
        self.open.append((tag, attrs))
        if tag == "a":
            self.lines[-1].hrefs.append(attrs.get("href", ""))

    def handle_endtag(self, tag):
        for i in range(len(self.open) - 1, -1, -1):
            if self.open[i][0] == tag:
                del self.open[i:]
                return

    def handle_data(self, data):
        tags = [t for t, _ in self.open]
        if "title" in tags:
            self.title += data
            return
        if "h2" in tags or not data.strip(" \r\n\t"):
            return
        line = self.lines[-1]
        if not line.text:
            data = data.lstrip(" \r\n\t")
        line.text += data.replace("\xa0", " ")
        if data.strip():
            fonts = [a.get("color", "").lower() for t, a in self.open if t == "font"]
            line.colours.add(fonts[-1] if fonts else "")


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def rendered_lines(chromium, report, profile):
    try:
        result = subprocess.run([chromium] + CHROMIUM_FLAGS + ["--user-data-dir=" + profile, "--dump-dom",
                                "file://" + urllib.request.pathname2url(report)],
                                capture_output=True, timeout=120)
    except subprocess.TimeoutExpired:
        fail("chromium did not finish %s: a script in the report may hold it open" % report)
    if result.returncode != 0 or b"<body" not in result.stdout:
        fail("chromium did not render %s:\n%s" % (report, result.stderr.decode(errors="replace")[-2000:]))
    dom = ReportDom()
    dom.feed(result.stdout.decode("utf-8", errors="replace"))
    return dom.title, [l for l in dom.lines if l.text.strip()]


def failure_lines(lines):
    """The headings of the failure sections and the indented entries under them, up to the
    next heading or rule."""
    found = []
    inside = False
    for line in lines:
        text = line.text.strip()
        if any(h in text for h in FAILURE_HEADINGS):
            inside = True
        elif not line.text.startswith(" " * 5) or text[:1] in "=-":
            inside = False
        if inside:
            found.append(line)
    return found


def check_failure_line(line, site):
    text = line.text.strip()
    if text.startswith("Reason: "):
        return
    if line.colours != {"red"}:
        fail("failure line %r is not in red font but in %s" % (text, sorted(line.colours)))
    for href in line.hrefs:
        target = urllib.parse.unquote(href)
        path = os.path.join(site, target.replace("\\", "/").split("#")[0])
        if target != text and not os.path.isfile(path):
            fail("link %r of failure line %r leads to no file and is not the failing reference" % (href, text))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--fixture", required=True)
    parser.add_argument("--chromium", default="/usr/bin/chromium")
    parser.add_argument("cli_args", nargs="*")
    args = parser.parse_args()
    if not os.access(args.chromium, os.X_OK):
        fail("%s is missing: scripts/setup installs Debian's chromium package" % args.chromium)

    work = tempfile.mkdtemp(prefix="tarvik-browser-")
    try:
        site = os.path.join(work, "site")
        shutil.copytree(args.fixture, site)
        # Made here rather than kept in the repository: not every file system takes the name.
        open(os.path.join(site, HOSTILE_NAME), "w").close()
        for mode, extra in (("full", []), ("failed-only", ["--failed-only"])):
            report = os.path.join(site, "tarvik-report-%s.html" % mode)
            run = subprocess.run([args.cli, "--folder", site, "--quiet", "--html", report] + extra + args.cli_args,
                                 capture_output=True, timeout=120)
            if run.returncode != 1:
                fail("tarvik-cli %s ended with %d, expected 1 (errors reported):\n%s"
                     % (mode, run.returncode, run.stderr.decode(errors="replace")))
            title, lines = rendered_lines(args.chromium, report, os.path.join(work, "profile-" + mode))
            if not title.startswith("Tarvik Report - "):
                fail("%s report has the title %r" % (mode, title))
            failures = failure_lines(lines)
            if not any(l.hrefs for l in failures):
                fail("%s report shows no failure line with a link" % mode)
            for line in failures:
                check_failure_line(line, site)
            if mode == "failed-only" and len(failures) != len(lines):
                others = [l.text.strip() for l in lines if l not in failures]
                fail("failures-only report holds other lines: %r" % others)
            print("%s report: %d lines, %d failure lines" % (mode, len(lines), len(failures)))
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
