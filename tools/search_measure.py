#!/usr/bin/python3
"""Measures the search of a modern site in headless Chromium, opened from the local disk:
for each query (typed into a freshly opened main page, so that each is a first query) the
bytes of the search files the query loaded, the time from the last key to the results as the
page measures it (performance.now(), the typing pause included), and the result count; then
the index's total size.

    /usr/bin/python3 tools/search_measure.py SITE_FOLDER [QUERY ...]
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_pages  # noqa: E402

# The browser as a visitor has it: without the harness's permission for pages on the local
# disk to load other files as modules, which a visitor's browser refuses.
check_pages.CHROMIUM_FLAGS = tuple(flag for flag in check_pages.CHROMIUM_FLAGS
                                   if flag != "--allow-file-access-from-files")

WAIT = """
const done = arguments[arguments.length - 1];
const form = document.querySelector('header form.kl-search');
const start = Date.now();
(function wait() {
  if (form.dataset.ms !== undefined) {
    done({ms: +form.dataset.ms, count: form.querySelector('.kl-results p').textContent,
          scripts: Array.from(document.querySelectorAll('script[src]')).map(s => s.src)});
  } else if (Date.now() - start > 60000) done({error: 'no results'});
  else setTimeout(wait, 5);
})();
"""


def main(argv):
    if not argv:
        print(__doc__, file=sys.stderr)
        return 2
    site = os.path.abspath(argv[0])
    queries = argv[1:] or ["Smith", "vict han", "1850", "1800-1850", "london"]
    names = [n for n in os.listdir(site) if n.startswith("kinloom-search-") and n.endswith(".js")]
    total = sum(os.path.getsize(os.path.join(site, n)) for n in names)
    browser = check_pages.Browser()
    browser.desktop()
    try:
        for query in queries:
            browser.open(os.path.join(site, "index.htm"))
            driver = browser.driver
            while not driver.execute_script("return !!window.KinloomSearch"):
                time.sleep(0.02)
            before = set(driver.execute_script(
                "return Array.from(document.querySelectorAll('script[src]')).map(s => s.src)"))
            driver.find_element("css selector", "#kl-q").send_keys(query)
            result = driver.execute_async_script(WAIT)
            if "error" in result:
                print("%-12s %s" % (query, result["error"]))
                continue
            loaded = [s for s in result["scripts"] if s not in before]
            size = sum(os.path.getsize(os.path.join(site, s.rsplit("/", 1)[1])) for s in loaded)
            print("%-12s %4d files %9d bytes  %7.1f ms  %s"
                  % (query, len(loaded), size, result["ms"], result["count"]))
        main_script = os.path.join(site, "kinloom-search-en.js")
        print("search script (loaded with every page): %d bytes" % os.path.getsize(main_script))
        print("index: %d files, %d bytes" % (len(names), total))
    finally:
        browser.close()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
