#!/usr/bin/python3
"""The search of the modern pages in a real browser: sites converted with --style modern are
opened from the local disk (file://) and over a local web server, queries are typed into the
search box and the first result is checked.

    /usr/bin/python3 tests/browser/search_test.py KINLOOM_PROGRAM [--royal92]

The small site of tests/browser/search/accents.ged (accented names, a living person) and a site
of 10,000 people from gen-gedcom (beside the program; skipped with a message when absent) are
always tested; with --royal92 the real file /work/shared/gedcom/royal92.ged (or
$KINLOOM_SHARED_GEDCOM/royal92.ged) too, skipped with a message when it is absent. Without
chromium or chromedriver every test is skipped and the run exits 77.
"""

import functools
import http.server
import json
import os
import re
import subprocess
import sys
import tempfile
import threading
import time
import unicodedata
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tools"))
import check_pages  # noqa: E402

# The browser as a visitor has it: without the harness's permission for pages on the local
# disk to load other files as modules, which a visitor's browser refuses.
check_pages.CHROMIUM_FLAGS = tuple(flag for flag in check_pages.CHROMIUM_FLAGS
                                   if flag != "--allow-file-access-from-files")

PROGRAM = None
WITH_ROYAL92 = False
MISSING = [name for name in ("chromium", "chromedriver") if not check_pages.program(name)]
NO_BROWSER = "%s not installed (tools/setup installs it)" % " and ".join(MISSING)


def shared_gedcom(name):
    folders = [os.environ.get("KINLOOM_SHARED_GEDCOM", ""),
               os.path.join(ROOT, "..", "shared", "gedcom"),
               os.path.join(ROOT, "..", "..", "shared", "gedcom")]
    for folder in folders:
        if folder and os.path.isfile(os.path.join(folder, name)):
            return os.path.join(folder, name)
    return ""


def convert(gedcom, folder, *options):
    """A modern site of `gedcom` in `folder`, with a registry of its own."""
    config = tempfile.mkdtemp(prefix="kinloom-search-config-")
    env = dict(os.environ, XDG_CONFIG_HOME=config)
    for option in options:
        subprocess.run([PROGRAM, "--set", option], env=env, check=True, capture_output=True)
    done = subprocess.run([PROGRAM, "--style", "modern", gedcom, folder], env=env,
                          capture_output=True, text=True, timeout=600)
    if done.returncode != 0:
        raise AssertionError("conversion failed: %s %s" % (done.stdout, done.stderr))


# Types into the box and waits for the results of that text: resolves with the first
# result's name and facts, the count line and the time from the last key to the results.
SEARCH = """
const [selector, done] = [arguments[0], arguments[arguments.length - 1]];
const form = document.querySelector(selector);
const start = Date.now();
(function wait() {
  const ms = form.dataset.ms;
  const box = form.querySelector('.kl-results');
  if (ms !== undefined && box.firstChild) {
    const first = box.querySelector('li');
    done({ms: +ms, count: box.querySelector('p').textContent,
          first: first ? first.querySelector('a').textContent : null,
          facts: first && first.querySelector('.kl-facts')
                 ? first.querySelector('.kl-facts').textContent : '',
          href: first ? first.querySelector('a').getAttribute('href') : null,
          all: Array.from(box.querySelectorAll('li a')).map(a => a.textContent)});
  } else if (Date.now() - start > 20000) {
    done({error: 'no results after 20 s'});
  } else {
    setTimeout(wait, 10);
  }
})();
"""


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@unittest.skipIf(MISSING, NO_BROWSER)
class SearchBrowserTest(unittest.TestCase):
    browser = None
    folder = None

    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.TemporaryDirectory(prefix="kinloom-search-")
        cls.folder = os.path.join(cls.temp.name, "accents")
        convert(os.path.join(HERE, "search", "accents.ged"), cls.folder)
        cls.browser = check_pages.Browser()
        cls.browser.desktop()

    @classmethod
    def tearDownClass(cls):
        if cls.browser:
            cls.browser.close()
        cls.temp.cleanup()

    def open(self, folder, page="index.htm"):
        self.browser.open(os.path.join(folder, page))
        driver = self.browser.driver
        for _ in range(200):
            if driver.execute_script("return !!window.KinloomSearch && "
                                     "!document.querySelector('#kl-q').hidden"):
                return
            time.sleep(0.05)
        self.fail("the search script did not start on %s" % page)

    def search(self, text, selector="header form.kl-search"):
        driver = self.browser.driver
        box = driver.find_element("css selector", selector + " input")
        box.clear()
        driver.execute_script("arguments[0].closest('form').removeAttribute('data-ms')", box)
        box.send_keys(text)
        result = driver.execute_async_script(SEARCH, selector)
        self.assertNotIn("error", result, text)
        return result

    def test_accented_names_found_without_accents(self):
        self.open(self.folder)
        result = self.search("soren odegard")
        self.assertEqual(result["first"], "\u00d8deg\u00e5rd, S\u00f8ren")
        self.assertIn("1841", result["facts"])
        self.assertIn("Troms\u00f8", result["facts"])
        self.assertEqual(self.search("GROSS")["first"], "Gro\u00df, J\u00fcrgen")
        self.assertEqual(self.search("lefevre renee")["first"], "Lef\u00e8vre, Ren\u00e9e")
        # Places, years and ranges.
        self.assertEqual(self.search("besancon")["first"], "Lef\u00e8vre, Ren\u00e9e")
        self.assertEqual(self.search("1870")["first"], "Gro\u00df, J\u00fcrgen")
        self.assertEqual(self.search("1840-1842")["first"], "\u00d8deg\u00e5rd, S\u00f8ren")

    def test_queries_fold_as_the_index_does(self):
        # The same texts and tokens as SearchTokensTest in tests/site/modern_search_test.cpp.
        cases = [
            ("VICTORIA Hanover", ["victoria", "hanover"]),
            ("M\u00fcller Gro\u00df K\u00f6hler Stra\u00dfe", ["muller", "gross", "kohler", "strasse"]),
            ("S\u00f8rensen \u00d8deg\u00e5rd \u00c5berg \u00c6ble Troms\u00f8",
             ["sorensen", "odegard", "aberg", "aeble", "tromso"]),
            ("Pe\u00f1a N\u00fa\u00f1ez Gon\u00e7alves Magalh\u00e3es",
             ["pena", "nunez", "goncalves", "magalhaes"]),
            ("\u0152uvray \u0178vert \u00deórsson \u0110uric \u0160imek \u017d\u00e1\u010dek \u0192",
             ["oeuvray", "yvert", "thorsson", "duric", "simek", "zacek", "f"]),
            ("O'Brien & Sons", ["obrien", "sons"]),
            ("O\u2019Connor", ["oconnor"]),
            ("'s-Hertogenbosch, Noord-Brabant", ["s", "hertogenbosch", "noord", "brabant"]),
            ("a\u00a0b\u2028c", ["a", "b", "c"]),
            ("\u0395\u03bb\u03ad\u03bd\u03b7 \u0418\u0432\u0430\u043d",
             ["\u0395\u03bb\u03ad\u03bd\u03b7", "\u0418\u0432\u0430\u043d"]),
        ]
        self.open(self.folder)
        for text, expected in cases:
            self.assertEqual(self.browser.driver.execute_script(
                "return KinloomSearch.tokens(arguments[0])", text), expected, text)

    def test_living_persons_withheld_birth_year_finds_nothing(self):
        self.open(self.folder)
        result = self.search("1987")
        self.assertIsNone(result["first"])
        self.assertEqual(result["count"], "No results")
        # The living person is found by name, with the place the pages show and no year.
        result = self.search("living")
        self.assertEqual(result["first"], "\u00d8deg\u00e5rd, Living")
        self.assertNotIn("1987", result["facts"])
        self.assertIn("\u00c5rhus", result["facts"])

    def test_keyboard_alone_reaches_a_result(self):
        self.open(self.folder)
        from selenium.webdriver.common.keys import Keys
        driver = self.browser.driver
        result = self.search("ode")
        box = driver.find_element("css selector", "#kl-q")
        box.send_keys(Keys.ARROW_DOWN)
        focused = driver.execute_script("return document.activeElement.textContent")
        self.assertEqual(focused, result["first"])
        driver.switch_to.active_element.send_keys(Keys.ARROW_DOWN)
        second = driver.execute_script("return document.activeElement.textContent")
        self.assertEqual(second, result["all"][1])
        driver.switch_to.active_element.send_keys(Keys.ARROW_UP)
        driver.switch_to.active_element.send_keys(Keys.ENTER)
        for _ in range(100):
            if "#" in driver.current_url and "index.htm" not in driver.current_url:
                break
            time.sleep(0.05)
        self.assertTrue(driver.current_url.endswith("/" + result["href"]), driver.current_url)

    def test_search_page_reads_the_query_and_runs_as_a_classic_script_from_disk(self):
        self.browser.open(os.path.join(self.folder, "kinloom-search-en.htm"))
        driver = self.browser.driver
        driver.get(driver.current_url + "?q=odegard")
        result = driver.execute_async_script(SEARCH, "main form.kl-search")
        self.assertIn("Results: 2", result["count"])
        self.assertEqual(driver.execute_script("return KinloomSearch.loadedAs"), "classic")

    def test_runs_as_a_module_from_a_web_server(self):
        handler = functools.partial(QuietHandler, directory=self.folder)
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        thread = threading.Thread(target=server.serve_forever, daemon=True)
        thread.start()
        try:
            driver = self.browser.driver
            driver.get("http://127.0.0.1:%d/index.htm" % server.server_address[1])
            for _ in range(200):
                if driver.execute_script("return !!window.KinloomSearch"):
                    break
                time.sleep(0.05)
            self.assertEqual(driver.execute_script("return KinloomSearch.loadedAs"), "module")
            self.assertEqual(self.search("odegard soren")["first"],
                             "\u00d8deg\u00e5rd, S\u00f8ren")
        finally:
            server.shutdown()
            server.server_close()

    def test_without_javascript_the_box_is_hidden_and_the_surname_list_linked(self):
        driver = self.browser.driver
        self.browser.cdp("Emulation.setScriptExecutionDisabled", value=True)
        try:
            self.browser.open(os.path.join(self.folder, "index.htm"))
            self.assertFalse(driver.find_element("css selector", "#kl-q").is_displayed())
            link = driver.find_element("css selector", "header noscript a, header p a[href='c.htm']")
            self.assertEqual(link.get_attribute("href").rsplit("/", 1)[1], "c.htm")
            self.assertTrue(link.is_displayed())
        finally:
            self.browser.cdp("Emulation.setScriptExecutionDisabled", value=False)


def folded_tokens(text):
    """The search tokens of a text for the letters gen-gedcom uses: accents dropped, letters
    lower-cased, apostrophes joined, everything else separating."""
    text = unicodedata.normalize("NFKD", text.replace("\u00df", "ss").replace("\u00f8", "o")
                                 .replace("\u00d8", "o").replace("\u00e6", "ae"))
    text = "".join(c for c in text if not unicodedata.combining(c)).lower().replace("'", "")
    return re.findall(r"[a-z0-9]+", text)


@unittest.skipIf(MISSING, NO_BROWSER)
class GeneratedSiteSearchTest(unittest.TestCase):
    """A site of 10,000 generated people: what the page lists is checked against the records
    of every chunk file, read here on their own."""

    @classmethod
    def setUpClass(cls):
        cls.browser = None
        generator = os.path.join(os.path.dirname(PROGRAM), "gen-gedcom")
        if not os.path.isfile(generator):
            raise unittest.SkipTest("gen-gedcom not built beside %s" % PROGRAM)
        cls.temp = tempfile.TemporaryDirectory(prefix="kinloom-search-generated-")
        gedcom = os.path.join(cls.temp.name, "people.ged")
        subprocess.run([generator, "10000", gedcom], check=True, capture_output=True)
        cls.folder = os.path.join(cls.temp.name, "site")
        convert(gedcom, cls.folder)
        # Every record in number order: chunk files come first, a record a line.
        with open(os.path.join(cls.folder, "kinloom-search-en.js"), encoding="ascii") as f:
            script = f.read()
        count = int(re.findall(r"count:(\d+)", script)[-1])
        per = int(re.findall(r",per:(\d+)", script)[-1])
        cls.records = []
        for chunk in range((count + per - 1) // per):
            path = os.path.join(cls.folder, "kinloom-search-en-%d.js" % chunk)
            with open(path, encoding="ascii") as f:
                cls.records += [json.loads(line.rstrip().rstrip(","))
                                for line in f if line.startswith("[")]
        assert len(cls.records) == count, (len(cls.records), count)
        cls.per = per
        cls.browser = check_pages.Browser()
        cls.browser.desktop()

    @classmethod
    def tearDownClass(cls):
        if cls.browser:
            cls.browser.close()
            cls.temp.cleanup()

    open = SearchBrowserTest.open
    search = SearchBrowserTest.search

    @staticmethod
    def name(r):
        return re.sub(r"\s+", " ", "%s, %s %s" % (r[0], r[1], r[2])).strip()

    def matching(self, test):
        return [n for n, r in enumerate(self.records) if test(r)]

    def check_listed(self, query, numbers):
        """The page counts `numbers` and lists the first of them, in their order."""
        result = self.search(query)
        self.assertEqual(result["count"], "Results: %d" % len(numbers), query)
        listed = result["all"]
        self.assertTrue(listed, query)
        self.assertLessEqual(len(listed), 50)
        self.assertEqual(listed, [self.name(self.records[n]) for n in numbers[:len(listed)]],
                         query)
        return listed

    def test_name_year_and_place_results_are_the_records_that_match(self):
        self.open(self.folder)
        # A surname: every one of them counted, the first fifty listed in the site's order.
        smiths = self.matching(lambda r: "smith" in folded_tokens(r[0]))
        self.assertGreater(len(smiths), 50)
        self.assertEqual(len(self.check_listed("smith", smiths)), 50)
        self.assertEqual(self.browser.driver.find_elements(
            "css selector", "header .kl-results p")[1].text,
            "Only the first results are shown: type more to narrow the search")
        # A year, whose people lie far apart: as many as the chunks loaded for them hold.
        years = self.matching(lambda r: 1850 in (r[3], r[4]))
        listed = self.check_listed("1850", years)
        self.assertGreaterEqual(len(listed), 16)
        # A place word, and a range with a name.
        self.check_listed("york", self.matching(
            lambda r: "york" in folded_tokens(r[5] + " " + r[6])))
        ranged = self.matching(lambda r: "baker" in folded_tokens(r[0] + " " + r[1]) and
                               any(y and 1880 <= y <= 1890 for y in (r[3], r[4])))
        self.assertTrue(ranged)
        self.check_listed("baker 1880-1890", ranged)

    def test_the_whole_name_comes_first(self):
        self.open(self.folder)
        # Everybody called Smith with a given name starting "Ed": those named "Edward Smith"
        # (whole name) before those whose given names only start that way.
        exact = self.matching(lambda r: folded_tokens(r[0]) == ["smith"] and
                              folded_tokens(r[1]) == ["edward"])
        self.assertTrue(exact)
        result = self.search("Edward Smith")
        self.assertEqual(result["all"][:len(exact)][:50],
                         [self.name(self.records[n]) for n in exact][:50])
        result = self.search("smith edward")
        self.assertEqual(result["first"], self.name(self.records[exact[0]]))


@unittest.skipIf(MISSING, NO_BROWSER)
class Royal92SearchTest(unittest.TestCase):
    """The royal92 site: exact names, prefix pairs, years and places among 3000 people."""

    @classmethod
    def setUpClass(cls):
        cls.browser = None
        if not WITH_ROYAL92:
            raise unittest.SkipTest("royal92 tests not asked for (--royal92)")
        gedcom = shared_gedcom("royal92.ged")
        if not gedcom:
            raise unittest.SkipTest("royal92.ged not found (/work/shared/gedcom is absent)")
        cls.temp = tempfile.TemporaryDirectory(prefix="kinloom-search-royal92-")
        cls.folder = os.path.join(cls.temp.name, "royal92")
        convert(gedcom, cls.folder)
        cls.browser = check_pages.Browser()
        cls.browser.desktop()

    @classmethod
    def tearDownClass(cls):
        if cls.browser:
            cls.browser.close()
            cls.temp.cleanup()

    open = SearchBrowserTest.open
    search = SearchBrowserTest.search

    def test_queries(self):
        self.open(self.folder)
        first = self.search("Victoria Hanover")
        self.assertEqual(first["first"], "Hanover, Victoria Queen of England")
        self.assertIn("1819", first["facts"])
        self.assertEqual(self.search("Hanover Victoria")["first"], "Hanover, Victoria Queen of England")
        self.assertEqual(self.search("vict han")["first"], "Hanover, Victoria Queen of England")
        year = self.search("1819")
        self.assertTrue(year["facts"].startswith("1819") or "\u20131819" in year["facts"],
                        year)
        self.assertIn("Hanover, Victoria Queen of England", year["all"])
        # Every Victoria born or dead in the range matches as well; the list holds her.
        ranged = self.search("victoria 1800-1850")
        self.assertIn("Hanover, Victoria Queen of England", ranged["all"])
        self.assertTrue(ranged["first"] and "Victoria" in ranged["first"], ranged)
        place = self.search("kensington")
        self.assertIn("Kensington", place["facts"])
        print("royal92: last key to results %.1f ms (Victoria Hanover), %.1f ms (1819)"
              % (first["ms"], year["ms"]), file=sys.stderr)


def main():
    global PROGRAM, WITH_ROYAL92
    arguments = [a for a in sys.argv[1:] if a != "--royal92"]
    WITH_ROYAL92 = "--royal92" in sys.argv[1:]
    if not arguments:
        print(__doc__, file=sys.stderr)
        return 2
    PROGRAM = os.path.abspath(arguments[0])
    if MISSING:
        print("skipped: " + NO_BROWSER, file=sys.stderr)
        return 77
    tests = (["Royal92SearchTest"] if WITH_ROYAL92
             else ["SearchBrowserTest", "GeneratedSiteSearchTest"])
    result = unittest.main(argv=[sys.argv[0]] + tests, exit=False, verbosity=2).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
