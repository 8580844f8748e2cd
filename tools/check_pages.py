#!/usr/bin/python3
"""Checks the pages of a generated KINLOOM site folder in a real browser.

Every .htm and .html page of the folder (or those whose path inside the folder matches a
--pages pattern) is opened from file:// in one headless Chromium, driven through selenium,
and checked for:

  - a <meta name="viewport"> whose content sets width=device-width;
  - its width on a phone: with a 360 px wide mobile screen emulated, the document must be no
    wider than 360 px;
  - accessibility: axe-core, run inside the page, must find no violation of impact serious or
    critical;
  - markup: `tidy -q -e` must report no error (its warnings are not counted);
  - forbidden markup: no text given by --forbid (such as '<font') may appear, in any case.

    /usr/bin/python3 tools/check_pages.py SITE_FOLDER [--pages GLOB]... [--forbid TEXT]...
                                          [--screenshots DIR]

With --screenshots, each checked page is also photographed, whole, at 360 px (as a phone) and
1280 px (as a desktop) wide, each in the light and the dark colour scheme, into
DIR/PAGE.WIDTH.SCHEME.png, where PAGE is the page's path in the folder with '/' as '_'.

Prints one line per problem, "PAGE: what", and a closing summary line; exits 1 when there is
any problem, 0 otherwise, and 2 when it cannot run (no such folder, no page, no browser).
axe-core is read from tools/browser/node_modules, where tools/setup installs it; no page
needs the network.
"""

import argparse
import base64
import concurrent.futures
import fnmatch
import html.parser
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

PAGE_EXTENSIONS = (".htm", ".html")
PHONE_WIDTH = 360
PHONE_HEIGHT = 740
DESKTOP_WIDTH = 1280
DESKTOP_HEIGHT = 800
# A whole-page shot taller than this is cut: a long index page would make a huge picture.
MAX_SHOT_HEIGHT = 8000
SERIOUS_IMPACTS = ("serious", "critical")
AXE_SCRIPT = pathlib.Path(__file__).resolve().parent / "browser/node_modules/axe-core/axe.min.js"
TIDY_ERROR = re.compile(r"^(?:line (\d+) column \d+ - )?Error: (.*)$")
CHARSET = re.compile(rb"<meta[^>]*charset=[\"']?([A-Za-z0-9_.:-]+)", re.IGNORECASE)

# How Chromium must start on a machine with no network but the package registries: no
# background connections, and a profile of its own that is thrown away afterwards.
CHROMIUM_FLAGS = (
    "--headless",
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--disable-extensions",
    "--hide-scrollbars",
    "--allow-file-access-from-files",
)

# Runs axe-core on the page and hands back its serious and critical violations, one entry per
# element, as [rule id, impact, CSS target, help text].
RUN_AXE = """
const done = arguments[arguments.length - 1];
if (!window.axe) { done({error: "axe-core is not loaded in the page"}); return; }
axe.run(document, {resultTypes: ["violations"]}).then(results => {
  const found = [];
  for (const rule of results.violations) {
    for (const node of rule.nodes) {
      const impact = node.impact || rule.impact;
      if (impact === "serious" || impact === "critical")
        found.push([rule.id, impact, node.target.join(" "), rule.help]);
    }
  }
  done({found: found});
}, error => done({error: String(error)}));
"""

PAGE_WIDTH = """
const root = document.documentElement;
return Math.max(root ? root.scrollWidth : 0, document.body ? document.body.scrollWidth : 0);
"""

PAGE_SIZE = """
const root = document.documentElement;
return [Math.max(root.scrollWidth, document.body ? document.body.scrollWidth : 0),
        Math.max(root.scrollHeight, document.body ? document.body.scrollHeight : 0)];
"""


class ViewportParser(html.parser.HTMLParser):
    """Finds whether a page declares a viewport as wide as the device."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.device_width = False

    def handle_starttag(self, tag, attrs):
        if tag != "meta":
            return
        values = {name: (value or "") for name, value in attrs}
        if values.get("name", "").strip().lower() != "viewport":
            return
        for setting in values.get("content", "").split(","):
            key, _, value = setting.partition("=")
            if key.strip().lower() == "width" and value.strip().lower() == "device-width":
                self.device_width = True

    handle_startendtag = handle_starttag


def page_text(path):
    with open(path, "rb") as f:
        data = f.read()
    found = CHARSET.search(data[:2048])
    encoding = "cp1252"
    if found:
        try:
            encoding = found.group(1).decode("ascii")
            "".encode(encoding)
        except (LookupError, UnicodeDecodeError):
            encoding = "cp1252"
    return data.decode(encoding, errors="replace")


def source_problems(text, forbidden):
    """What can be seen in the page's text: the viewport and forbidden markup."""
    problems = []
    parser = ViewportParser()
    parser.feed(text)
    parser.close()
    if not parser.device_width:
        problems.append("viewport: no <meta name=\"viewport\"> with width=device-width")
    lowered = text.lower()
    for needle in forbidden:
        at = lowered.find(needle.lower())
        if at >= 0:
            line = text.count("\n", 0, at) + 1
            count = lowered.count(needle.lower())
            problems.append("forbidden: %s on line %d (%d in the page)" % (needle, line, count))
    return problems


def tidy_problems(path):
    """The errors that tidy reports, one line each, without its warnings."""
    done = subprocess.run(["tidy", "-q", "-e", "--show-warnings", "no", path],
                          capture_output=True, text=True, errors="replace")
    problems = []
    for line in done.stderr.splitlines():
        error = TIDY_ERROR.match(line.strip())
        if error:
            where = " on line %s" % error.group(1) if error.group(1) else ""
            problems.append("tidy: %s%s" % (error.group(2), where))
    if done.returncode >= 2 and not problems:
        problems.append("tidy: exited with %d: %s" % (done.returncode, done.stderr.strip()))
    return problems


def find_pages(root, patterns):
    pages = []
    for folder, folders, files in os.walk(root):
        folders.sort()
        for name in sorted(files):
            if not name.lower().endswith(PAGE_EXTENSIONS):
                continue
            relative = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")
            if not patterns or any(fnmatch.fnmatch(relative, p) for p in patterns):
                pages.append(relative)
    return pages


def program(name):
    """The browser or driver, as the environment names it (CHROMIUM, CHROMEDRIVER) or else
    found on the PATH; empty when it is not there."""
    return shutil.which(os.environ.get(name.upper()) or name) or ""


class Browser:
    """One headless Chromium for the whole run, driven through selenium."""

    def __init__(self):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service

        self.profile = tempfile.mkdtemp(prefix="kinloom-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = program("chromium")
        for flag in CHROMIUM_FLAGS:
            options.add_argument(flag)
        options.add_argument("--user-data-dir=" + self.profile)
        # The driver is named, so that selenium never looks for (or fetches) one of its own.
        service = Service(executable_path=program("chromedriver"))
        try:
            self.driver = webdriver.Chrome(service=service, options=options)
        except Exception:
            shutil.rmtree(self.profile, ignore_errors=True)
            raise
        self.driver.set_script_timeout(120)
        self.driver.set_page_load_timeout(120)
        # axe-core is put into every page (and frame) before the page's own scripts run, so
        # that it is sent to the browser once rather than once per page.
        self.cdp("Page.addScriptToEvaluateOnNewDocument", source=AXE_SCRIPT.read_text("utf-8"))
        self.phone()

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def phone(self):
        self.cdp("Emulation.setDeviceMetricsOverride", width=PHONE_WIDTH, height=PHONE_HEIGHT,
                 deviceScaleFactor=1, mobile=True)

    def desktop(self):
        self.cdp("Emulation.setDeviceMetricsOverride", width=DESKTOP_WIDTH, height=DESKTOP_HEIGHT,
                 deviceScaleFactor=1, mobile=False)

    def colour_scheme(self, scheme):
        self.cdp("Emulation.setEmulatedMedia", media="",
                 features=[{"name": "prefers-color-scheme", "value": scheme}])

    def open(self, path):
        self.driver.get(pathlib.Path(path).resolve().as_uri())

    def problems(self):
        """The page's width on a phone and its serious accessibility violations."""
        problems = []
        width = self.driver.execute_script(PAGE_WIDTH)
        if width > PHONE_WIDTH:
            problems.append("width: the document is %d px wide on a %d px wide phone"
                            % (width, PHONE_WIDTH))
        result = self.driver.execute_async_script(RUN_AXE)
        if "error" in result:
            problems.append("axe: could not run: %s" % result["error"])
        for rule, impact, target, text in result.get("found", []):
            problems.append("axe: %s (%s) at %s: %s" % (rule, impact, target, text))
        return problems

    def shoot(self, file_name):
        """Saves a picture of the whole page as it is laid out now."""
        width, height = self.driver.execute_script(PAGE_SIZE)
        shot = self.cdp("Page.captureScreenshot", format="png", captureBeyondViewport=True,
                        clip={"x": 0, "y": 0, "width": width,
                              "height": min(height, MAX_SHOT_HEIGHT), "scale": 1})
        with open(file_name, "wb") as f:
            f.write(base64.b64decode(shot["data"]))

    def shoot_all(self, folder, page):
        stem = os.path.join(folder, page.replace("/", "_"))
        for scheme in ("light", "dark"):
            self.colour_scheme(scheme)
            self.phone()
            self.shoot("%s.%d.%s.png" % (stem, PHONE_WIDTH, scheme))
            self.desktop()
            self.shoot("%s.%d.%s.png" % (stem, DESKTOP_WIDTH, scheme))
        self.colour_scheme("light")
        self.phone()

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)


def main(argv):
    arguments = argparse.ArgumentParser(
        description="Checks a KINLOOM site's pages in headless Chromium: viewport, width on "
        "a 360 px phone, axe-core, tidy and forbidden markup.")
    arguments.add_argument("site", metavar="SITE_FOLDER")
    arguments.add_argument("--pages", metavar="GLOB", action="append", default=[],
                           help="check only the pages whose path in the folder matches "
                           "(may be given more than once; all pages by default)")
    arguments.add_argument("--forbid", metavar="TEXT", action="append", default=[],
                           help="report pages whose markup contains TEXT, in any case "
                           "(may be given more than once)")
    arguments.add_argument("--screenshots", metavar="DIR",
                           help="save pictures of the checked pages at 360 and 1280 px, "
                           "light and dark, into DIR")
    options = arguments.parse_args(argv[1:])

    if not os.path.isdir(options.site):
        sys.stderr.write("check_pages.py: no folder %s\n" % options.site)
        return 2
    pages = find_pages(options.site, options.pages)
    if not pages:
        sys.stderr.write("check_pages.py: no page to check in %s\n" % options.site)
        return 2
    for name in ("chromium", "chromedriver", "tidy"):
        if not program(name):
            sys.stderr.write("check_pages.py: %s is not installed (tools/setup installs it)\n"
                             % name)
            return 2
    try:
        from selenium.common.exceptions import WebDriverException
    except ImportError:
        sys.stderr.write("check_pages.py: %s has no selenium: run it with Debian's "
                         "/usr/bin/python3 (tools/setup installs python3-selenium)\n"
                         % sys.executable)
        return 2
    if not AXE_SCRIPT.is_file():
        sys.stderr.write("check_pages.py: no %s (tools/setup installs it)\n" % AXE_SCRIPT)
        return 2
    if options.screenshots:
        os.makedirs(options.screenshots, exist_ok=True)

    problems = {page: [] for page in pages}
    # tidy runs beside the browser, on the other core.
    with concurrent.futures.ThreadPoolExecutor(max_workers=1) as pool:
        tidied = {page: pool.submit(tidy_problems, os.path.join(options.site, page))
                  for page in pages}
        browser = Browser()
        try:
            for page in pages:
                path = os.path.join(options.site, page)
                problems[page] += source_problems(page_text(path), options.forbid)
                try:
                    browser.open(path)
                    problems[page] += browser.problems()
                    if options.screenshots:
                        browser.shoot_all(options.screenshots, page)
                except WebDriverException as error:
                    # A page that hangs or breaks the tab is reported; the run goes on.
                    message = (error.msg or type(error).__name__).splitlines()[0]
                    problems[page].append("browser: %s" % message)
        finally:
            browser.close()
        for page in pages:
            problems[page] += tidied[page].result()

    count = 0
    for page in pages:
        for problem in problems[page]:
            print("%s: %s" % (page, problem))
            count += 1
    failing = sum(1 for page in pages if problems[page])
    print("%d pages checked, %d with problems, %d problems" % (len(pages), failing, count))
    return 1 if count else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
