#!/usr/bin/python3
"""The modern pages in a real browser: converts GEDCOM files in the modern style with every
page kind on (family groups, descendancy and pedigree pages with their extended pages, notes
pages, the author page, the GEDCOM link, English and French), then runs tools/check_pages.py
(viewport, 360 px width, axe-core, tidy, no <font>, <center> or GIF) on one page of every
kind, and tools/check_links.py on the whole folder.

    /usr/bin/python3 tests/browser/modern_site_test.py KINLOOM [--shared NAME]

Without --shared the fixtures tests/site/golden/inputs/hostile.ged and extended.ged are
converted; with --shared the shared file NAME (e.g. royal92.ged, from $KINLOOM_SHARED_GEDCOM
or shared/gedcom beside the source tree or one level further up). Exits 77 (skipped) when
the shared file, chromium or chromedriver is absent, 1 when a check fails.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
TOOLS = os.path.join(ROOT, "tools")
FIXTURES = os.path.join(ROOT, "tests", "site", "golden", "inputs")
SKIPPED = 77

# One page of every kind, by the English and French file names: (kind, pattern).
PAGE_KINDS = [
    ("main page", r"index\.htm"),
    ("French main page", r"indexf\.htm"),
    ("family group", r"f_\d+\.htm"),
    ("family surname list", r"c\.htm"),
    ("family surname index", r"b_[a-z0]\.htm"),
    ("descendancy", r"d_\d+\.htm"),
    ("extended descendancy", r"e_\d+\.htm"),
    ("descendancy surname list", r"i\.htm"),
    ("descendancy surname index", r"h_[a-z0]\.htm"),
    ("pedigree", r"p_\d+\.htm"),
    ("extended pedigree", r"k_\d+\.htm"),
    ("pedigree surname list", r"m\.htm"),
    ("pedigree surname index", r"l_[a-z0]\.htm"),
    ("notes", r"n_\d+\.htm"),
    ("notes surname list", r"s\.htm"),
    ("notes surname index", r"o_[a-z0]\.htm"),
    ("author page", r"r\.htm"),
    ("French family group", r"ff_\d+\.htm"),
]

FORBIDDEN = ["<font", "<center", ".gif"]


def shared_file(name):
    folders = []
    if os.environ.get("KINLOOM_SHARED_GEDCOM"):
        folders.append(os.environ["KINLOOM_SHARED_GEDCOM"])
    folders.append(os.path.join(ROOT, "..", "shared", "gedcom"))
    folders.append(os.path.join(ROOT, "..", "..", "shared", "gedcom"))
    for folder in folders:
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            return path
    return None


def first_individual(gedcom):
    """The id of the first individual record, for the ancestor marks."""
    with open(gedcom, "rb") as f:
        for line in f:
            found = re.match(rb"\s*0\s+@([^@]+)@\s+INDI\b", line)
            if found:
                return found.group(1).decode("latin-1")
    return None


def convert(kinloom, gedcom, folder, config):
    settings = ["Create English Pages=1", "Create French Pages=1",
                "Create Family Groups=1", "Create Descendancy Groups=1",
                "Create Pedigree Groups=1", "Create Notes Pages=1",
                "Create Notes Pages French=1", "Create Link To GEDCOM file=1",
                "Index Dates=1", "Show GEDCOM ID's=1", "Include Copyright=1",
                "User Name=Ann O'Neil", "Email Address=ann@example.org",
                "Homepage=https://example.org/", "Address Line 1=1 Road & Lane",
                "Suppress Living=1"]
    ancestor = first_individual(gedcom)
    if ancestor:
        settings += ["Mark All Ancestors=1", "Ancestor Id=" + ancestor]
    environment = dict(os.environ, XDG_CONFIG_HOME=config)
    environment.pop("DISPLAY", None)
    done = subprocess.run([kinloom, "--style", "modern", "--set"] + settings + [gedcom, folder],
                          capture_output=True, text=True, env=environment, timeout=900,
                          stdin=subprocess.DEVNULL)
    if done.returncode != 0:
        print("conversion of %s failed (%d):\n%s" % (gedcom, done.returncode, done.stderr))
        return False
    return True


def natural(name):
    return [int(part) if part.isdigit() else part for part in re.split(r"(\d+)", name)]


def chosen_pages(folder):
    """{kind: page} for the kinds the folder has a page of."""
    names = sorted(os.listdir(folder), key=natural)
    chosen = {}
    for kind, pattern in PAGE_KINDS:
        for name in names:
            if re.fullmatch(pattern, name):
                chosen[kind] = name
                break
    return chosen


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    kinloom = argv[1]
    if len(argv) == 4 and argv[2] == "--shared":
        path = shared_file(argv[3])
        if path is None:
            print("shared GEDCOM file %s not found (../shared/gedcom or "
                  "$KINLOOM_SHARED_GEDCOM); test skipped" % argv[3])
            return SKIPPED
        inputs = [path]
    else:
        inputs = [os.path.join(FIXTURES, "hostile.ged"), os.path.join(FIXTURES, "extended.ged")]
    sys.path.insert(0, TOOLS)
    import check_pages  # noqa: E402
    missing = [name for name in ("chromium", "chromedriver", "tidy")
               if not check_pages.program(name)]
    if missing:
        print("%s not installed (tools/setup installs it); test skipped" % " and ".join(missing))
        return SKIPPED

    failures = 0
    found_kinds = set()
    work = tempfile.mkdtemp(prefix="kinloom-modern-")
    try:
        for number, gedcom in enumerate(inputs):
            folder = os.path.join(work, "site%d" % number)
            if not convert(kinloom, gedcom, folder, os.path.join(work, "config%d" % number)):
                failures += 1
                continue
            chosen = chosen_pages(folder)
            found_kinds.update(chosen)
            print("%s: checking %s" % (os.path.basename(gedcom),
                                       ", ".join("%s (%s)" % (page, kind)
                                                 for kind, page in chosen.items())))
            command = [sys.executable, os.path.join(TOOLS, "check_pages.py"), folder]
            for page in chosen.values():
                command += ["--pages", page]
            for text in FORBIDDEN:
                command += ["--forbid", text]
            pages = subprocess.run(command, capture_output=True, text=True, timeout=1800)
            sys.stdout.write(pages.stdout)
            sys.stdout.write(pages.stderr)
            failures += pages.returncode != 0
            links = subprocess.run([sys.executable, os.path.join(TOOLS, "check_links.py"),
                                    folder], capture_output=True, text=True, timeout=1800)
            sys.stdout.write(links.stdout)
            sys.stdout.write(links.stderr)
            if links.returncode != 0:
                print("%s: broken links" % os.path.basename(gedcom))
                failures += 1
        for kind, _ in PAGE_KINDS:
            if kind not in found_kinds:
                print("no %s page was written" % kind)
                failures += 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("FAILED" if failures else "OK")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
