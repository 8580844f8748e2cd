#!/usr/bin/env python3
"""Checks the links of a generated KINLOOM site folder.

Every .htm and .html page of the folder is read; every relative href and src (and the body's
background image) must name a file that exists inside the folder, and every "#anchor" must
land where a browser lands: on an element whose id is the fragment, or an <a> whose name is.
Links with a scheme (https:, mailto:) are not followed. A page is read in the character set
its head declares (Windows-1252 when it declares none) and parsed as a browser parses it:
escaped text and comments that only look like tags are not links, and of two equal
attributes in one tag the first counts. A link is resolved the way a browser resolves it:
blanks and control characters around it are stripped, tabs and line ends inside it dropped,
the fragment percent-decoded, and the characters it spells name the file, whose name on
disk is UTF-8.

    python3 tools/check_links.py SITE_FOLDER

Prints one line per broken link and exits 1 when there is any, 0 otherwise.
"""

import codecs
import html.parser
import multiprocessing
import os
import re
import sys
import urllib.parse

PAGE_EXTENSIONS = (".htm", ".html")
LINK_ATTRIBUTES = {"href", "src", "background"}
CHARSET = re.compile(rb"<meta[^>]*charset=[\"']?([A-Za-z0-9_.:-]+)", re.IGNORECASE)


# What a browser strips around a URL (C0 controls and the blank) and drops inside it.
URL_STRIP = "".join(chr(c) for c in range(0x21))
URL_DROP = str.maketrans("", "", "\t\n\r")


def browser_url(value):
    value = value.strip(URL_STRIP)
    if "\t" in value or "\n" in value or "\r" in value:
        value = value.translate(URL_DROP)
    return value


class PageParser(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []  # (tag, attribute, value, line)
        self.anchors = set()  # ids of any element, names of <a> elements

    def handle_starttag(self, tag, attrs):
        linked = ()
        for name, value in attrs:
            if value is None:
                continue
            if name == "id" or (tag == "a" and name == "name"):
                self.anchors.add(value)
            elif name in LINK_ATTRIBUTES and name not in linked:
                linked += (name,)
                self.links.append((tag, name, browser_url(value), self.getpos()[0]))

    handle_startendtag = handle_starttag


def declared_charset(data):
    found = CHARSET.search(data[:2048])
    if found:
        try:
            return codecs.lookup(found.group(1).decode("ascii")).name
        except LookupError:
            pass
    return "cp1252"


class Parsed:
    """The links and anchors of one page."""

    def __init__(self, links, anchors):
        self.links = links
        self.anchors = anchors


def parse(path):
    with open(path, "rb") as f:
        data = f.read()
    text = data.decode(declared_charset(data), errors="replace")
    parser = PageParser()
    parser.feed(text)
    parser.close()
    return Parsed(parser.links, parser.anchors)


def parse_all(paths):
    """Parses the pages, on every core when there are many."""
    if len(paths) < 64 or (os.cpu_count() or 1) < 2:
        return [parse(path) for path in paths]
    with multiprocessing.get_context("fork").Pool() as pool:
        return pool.map(parse, paths, chunksize=16)


def is_external(link):
    if ":" not in link and not link.startswith("//"):
        return False
    parts = urllib.parse.urlsplit(link)
    return bool(parts.scheme) or link.startswith("//")


def check_site(root):
    root = os.path.realpath(root)
    paths = []
    for folder, _, files in os.walk(root):
        for name in sorted(files):
            if name.lower().endswith(PAGE_EXTENSIONS):
                paths.append(os.path.join(folder, name))
    pages = dict(zip(paths, parse_all(paths)))

    # A page links to the same few files many times: each distinct link text of a folder
    # is resolved once.
    resolved = {}

    def resolve(folder, target_part):
        key = (folder, target_part)
        if key not in resolved:
            target = os.path.realpath(os.path.join(folder, target_part))
            resolved[key] = (target, os.path.commonpath([root, target]) == root,
                             os.path.isfile(target))
        return resolved[key]

    failures = []
    checked = 0
    for page, parsed in sorted(pages.items()):
        where = os.path.relpath(page, root)
        for tag, attribute, link, line in parsed.links:
            if is_external(link):
                continue
            checked += 1
            target_part, _, fragment = link.partition("#")
            target_part = urllib.parse.unquote(target_part)
            if target_part:
                target, inside, exists = resolve(os.path.dirname(page), target_part)
            else:
                target, inside, exists = page, True, True
            label = "%s:%d: <%s %s=%s>" % (where, line, tag, attribute, link)
            if not inside:
                failures.append("%s names a file outside the site folder" % label)
                continue
            if not exists:
                failures.append("%s: no file %s" % (label, os.path.relpath(target, root)))
                continue
            if fragment:
                if target not in pages:
                    failures.append("%s: #%s in a file that is not a page" % (label, fragment))
                elif (fragment not in pages[target].anchors
                      and urllib.parse.unquote(fragment) not in pages[target].anchors):
                    failures.append("%s: no anchor %s in %s"
                                    % (label, fragment, os.path.relpath(target, root)))
    return len(pages), checked, failures


def main(argv):
    if len(argv) != 2 or not os.path.isdir(argv[1]):
        sys.stderr.write("usage: check_links.py SITE_FOLDER\n")
        return 2
    page_count, checked, failures = check_site(argv[1])
    for failure in failures:
        print(failure)
    print("%d pages, %d links checked, %d broken" % (page_count, checked, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
