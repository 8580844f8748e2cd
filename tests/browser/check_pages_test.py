#!/usr/bin/python3
"""tools/check_pages.py on two small sites of our own: clean/ (HTML5 pages that pass every
check) and faulty/ (one fault per page, beside a page with none), and on its screenshots.

    /usr/bin/python3 tests/browser/check_pages_test.py

The tests that open a browser are skipped when chromium or chromedriver is not installed
(tools/setup installs both); the whole run then exits 77, which ctest counts as skipped.
"""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tools"))
import check_pages  # noqa: E402

CLEAN = os.path.join(HERE, "clean")
FAULTY = os.path.join(HERE, "faulty")
FORBID = ["--forbid", "<font", "--forbid", "<center"]
MISSING = [name for name in ("chromium", "chromedriver") if not check_pages.program(name)]
NO_BROWSER = "%s not installed (tools/setup installs it)" % " and ".join(MISSING)


def check(*arguments):
    done = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "check_pages.py")]
                          + list(arguments), capture_output=True, text=True, timeout=300)
    return done.returncode, done.stdout.splitlines(), done.stderr


def problems_by_page(lines):
    """{page: [problem]} from the problem lines, and the summary line apart."""
    found = {}
    for line in lines[:-1]:
        page, _, problem = line.partition(": ")
        found.setdefault(page, []).append(problem)
    return found, lines[-1]


def png_facts(path):
    """Width, height and the top left pixel's (red, green, blue) of an 8-bit PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise AssertionError("%s is not a PNG" % path)
    at, idat, header = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise AssertionError("%s: unexpected PNG format %s" % (path, header))
    # Whatever the first row's filter, its first pixel is stored as it is.
    pixels = zlib.decompress(idat)
    return width, height, tuple(pixels[1:4])


class SourceChecks(unittest.TestCase):
    """What the checker reads from a page's text, without a browser."""

    def problems(self, head, body="<p>x</p>", forbidden=()):
        text = ("<!DOCTYPE html><html lang=en><head><meta charset=utf-8>%s<title>t</title>"
                "</head><body>%s</body></html>" % (head, body))
        return check_pages.source_problems(text, list(forbidden))

    def test_viewport_must_follow_the_device_width(self):
        for head in ('<meta name="viewport" content="width=device-width, initial-scale=1">',
                     "<META NAME=Viewport CONTENT='initial-scale=1,width = Device-Width'>",
                     '<meta name="viewport" content="width=device-width"/>'):
            self.assertEqual(self.problems(head), [], head)
        for head in ("",
                     '<meta name="viewport" content="initial-scale=1">',
                     '<meta name="viewport" content="width=360">',
                     '<meta name="description" content="width=device-width">',
                     '<meta content="width=device-width">'):
            self.assertEqual(len(self.problems(head)), 1, head)
            self.assertTrue(self.problems(head)[0].startswith("viewport:"), head)

    def test_forbidden_markup_is_found_in_any_case_with_its_first_line(self):
        viewport = '<meta name="viewport" content="width=device-width">'
        body = "<p>a</p>\n<p>b</p>\n<CENTER>c</CENTER>\n<center>d</center>"
        self.assertEqual(self.problems(viewport, body, ["<center", "<font"]),
                         ["forbidden: <center on line 3 (2 in the page)"])
        self.assertEqual(self.problems(viewport, body), [])


class CommandLine(unittest.TestCase):
    def test_a_missing_folder_or_no_matching_page_is_an_error(self):
        status, _, error = check(os.path.join(HERE, "no-such-folder"))
        self.assertEqual(status, 2)
        self.assertIn("no folder", error)
        status, _, error = check(CLEAN, "--pages", "*.xhtml")
        self.assertEqual(status, 2)
        self.assertIn("no page", error)


@unittest.skipIf(MISSING, NO_BROWSER)
class InTheBrowser(unittest.TestCase):
    def test_clean_pages_pass_every_check(self):
        status, lines, error = check(CLEAN, *FORBID)
        self.assertEqual(lines, ["2 pages checked, 0 with problems, 0 problems"], error)
        self.assertEqual(status, 0)

    def test_each_fault_is_reported_on_its_own_page_and_nowhere_else(self):
        status, lines, error = check(FAULTY, *FORBID)
        self.assertEqual(status, 1, error)
        found, summary = problems_by_page(lines)
        self.assertEqual(summary, "6 pages checked, 5 with problems, 6 problems")
        self.assertNotIn("good.html", found)

        # Without a viewport a phone lays the page out as a desktop page, too wide for it.
        self.assertEqual(len(found["no_viewport.html"]), 2, found["no_viewport.html"])
        self.assertRegex(found["no_viewport.html"][0], r"^viewport: no <meta name=\"viewport\">")
        self.assertRegex(found["no_viewport.html"][1], r"^width: the document is 9\d\d px wide")

        self.assertEqual(len(found["wide_table.html"]), 1)
        width = re.match(r"width: the document is (\d+) px wide on a 360 px wide phone$",
                         found["wide_table.html"][0])
        self.assertTrue(width, found["wide_table.html"])
        self.assertGreaterEqual(int(width.group(1)), 600)
        self.assertLess(int(width.group(1)), 700)

        self.assertEqual(len(found["no_alt.html"]), 1)
        self.assertRegex(found["no_alt.html"][0], r"^axe: image-alt \(critical\) at img: ")

        self.assertEqual(found["font.html"], ["forbidden: <font on line 11 (1 in the page)"])

        self.assertEqual(len(found["unclosed.html"]), 1)
        self.assertRegex(found["unclosed.html"][0], r"^tidy: .*end of the comment on line 12$")

    def test_markup_is_forbidden_only_when_asked(self):
        status, lines, error = check(FAULTY, "--pages", "font.html")
        self.assertEqual(lines, ["1 pages checked, 0 with problems, 0 problems"], error)
        self.assertEqual(status, 0)

    def test_screenshots_of_the_chosen_pages_at_both_widths_in_both_schemes(self):
        shots = tempfile.mkdtemp(prefix="kinloom-shots-")
        try:
            status, lines, error = check(CLEAN, "--pages", "people/*", "--screenshots", shots)
            self.assertEqual(lines, ["1 pages checked, 0 with problems, 0 problems"], error)
            self.assertEqual(status, 0)
            self.assertEqual(sorted(os.listdir(shots)),
                             ["people_p_1.html.1280.dark.png", "people_p_1.html.1280.light.png",
                              "people_p_1.html.360.dark.png", "people_p_1.html.360.light.png"])
            for width in (360, 1280):
                for scheme in ("light", "dark"):
                    name = "people_p_1.html.%d.%s.png" % (width, scheme)
                    shot_width, height, corner = png_facts(os.path.join(shots, name))
                    self.assertEqual(shot_width, width, name)
                    # The whole page, at least as tall as the screen it is shown on.
                    self.assertGreaterEqual(height, 740 if width == 360 else 800, name)
                    # The page's background follows the colour scheme.
                    if scheme == "light":
                        self.assertGreater(min(corner), 230, (name, corner))
                    else:
                        self.assertLess(max(corner), 40, (name, corner))
        finally:
            shutil.rmtree(shots, ignore_errors=True)


if __name__ == "__main__":
    program = unittest.main(exit=False, verbosity=2)
    result = program.result
    if not result.wasSuccessful():
        sys.exit(1)
    if MISSING:
        print("SKIPPED: the tests in a browser: %s" % NO_BROWSER)
        sys.exit(77)
    sys.exit(0)
