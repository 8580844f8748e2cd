// The search box, the search page and the search script of the modern pages.
#include "site/modern_search.h"

#include "site/modern_style.h"
#include "site/page_facts.h"
#include "site/search_index.h"

namespace kinloom::site {
namespace {

constexpr int kLabelSearchBox = 12636;      // "Search"
constexpr int kLabelSearchButton = 12637;   // "Search"
constexpr int kLabelSearchPage = 12642;     // "Search the family tree"
constexpr int kLabelSurnameListLink = 12643;  // "List of surnames"

// The form of the header (`id` "kl-q") or of the search page ("kl-page-q").
void WriteSearchForm(PageWriter& out, std::string_view id, std::string_view action) {
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("<form class=\"kl-search\" role=\"search\" method=\"get\" action=\"");
  out.AppendHtml(ModernAttribute(action));
  out.AppendHtml("\" hidden>\n<label for=\"");
  out.AppendHtml(id);
  out.AppendHtml("\">");
  out.AppendHtml(labels.Get(kLabelSearchBox));
  out.AppendHtml("</label>\n<input id=\"");
  out.AppendHtml(id);
  out.AppendHtml("\" type=\"search\" name=\"q\" autocomplete=\"off\" spellcheck=\"false\">\n"
                 "<button type=\"submit\">");
  out.AppendHtml(labels.Get(kLabelSearchButton));
  out.AppendHtml("</button>\n<div class=\"kl-results\" aria-live=\"polite\"></div>\n</form>\n");
}

// The search script of the page's language: as a module where the browser loads one, else
// (pages read from the local disk, where a module file is refused) as a classic script that
// the inline module adds; "nomodule" for browsers without modules.
void WriteScriptElements(PageWriter& out, const std::string& script) {
  const std::string src = ModernAttribute(script);
  out.AppendHtml("<script type=\"module\" src=\"");
  out.AppendHtml(src);
  out.AppendHtml("\"></script>\n<script type=\"module\">window.KinloomSearch||"
                 "document.head.appendChild(Object.assign(document.createElement(\"script\"),"
                 "{src:\"");
  out.AppendHtml(src);
  out.AppendHtml("\"}));</script>\n<script nomodule src=\"");
  out.AppendHtml(src);
  out.AppendHtml("\"></script>\n");
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool SearchOn(const settings::Settings& settings) {
  return settings.modern_pages() && settings.create_family_groups;
}

void WriteSearchBox(PageWriter& out) {
  const settings::Settings& options = out.context().settings;
  if (!SearchOn(options)) return;
  const int language = out.language().language;
  const std::string page = SearchPageFile(language, out.PageExtension());
  if (FileNameOf(out.path()) == page) return;
  WriteSearchForm(out, "kl-q", page);
  out.AppendHtml("<noscript><p><a href=\"");
  out.AppendHtml(ModernAttribute(SurnameListFile(MakePageNaming(out.language(), options),
                                                 PageKind::kFamilySurnameList)));
  out.AppendHtml("\">");
  out.AppendHtml(out.labels().Get(kLabelSurnameListLink));
  out.AppendHtml("</a></p></noscript>\n");
  WriteScriptElements(out, SearchScriptFile(language));
}

void WriteSearchPage(SiteContext& site) {
  PageWriter& out = site.writer;
  const int language = site.language.language;
  const std::string page = SearchPageFile(language, out.PageExtension());
  out.OpenPage(site.OutputPath(page), site.Label(kLabelSearchPage), false, true);
  out.AppendHtml("<section class=\"kl-search-page\" aria-labelledby=\"kl-page-heading\">\n"
                 "<h2 id=\"kl-page-heading\">");
  out.AppendHtml(site.Label(kLabelSearchPage));
  out.AppendHtml("</h2>\n");
  WriteSearchForm(out, "kl-page-q", page);
  out.AppendHtml("<noscript><p><a href=\"");
  out.AppendHtml(ModernAttribute(SurnameListFile(MakePageNaming(site.language, site.settings()),
                                                 PageKind::kFamilySurnameList)));
  out.AppendHtml("\">");
  out.AppendHtml(site.Label(kLabelSurnameListLink));
  out.AppendHtml("</a></p></noscript>\n");
  WriteScriptElements(out, SearchScriptFile(language));
  out.AppendHtml("</section>\n");
  out.ClosePage();
}

const std::string_view kModernSearchRules = R"css(
.kl-search { display: flex; flex-wrap: wrap; align-items: center; gap: 0.5rem; margin: 0.5rem 0; }
.kl-search[hidden] { display: none; }
.kl-search input { flex: 1 1 10rem; min-width: 0; font: inherit; padding: 0.25rem 0.5rem;
  color: var(--text); background: var(--background); border: 1px solid currentColor; }
.kl-search button { font: inherit; padding: 0.25rem 0.75rem; color: var(--background);
  background: var(--text); border: 1px solid var(--text); }
.kl-results { flex: 1 1 100%; min-width: 0; }
.kl-results:empty { display: none; }
.kl-results p { margin: 0.25rem 0; }
.kl-results ul { list-style: none; margin: 0; padding: 0; }
.kl-results li { padding: 0.25rem 0; overflow-wrap: anywhere; }
.kl-results a:focus { outline: 2px solid var(--link); outline-offset: 2px; }
.kl-facts { display: block; font-size: 0.9em; }
header .kl-results { max-height: 60vh; overflow-y: auto; }
@media print { .kl-search { display: none; } }
)css";

namespace {

// The search script; D is the language's data (see SearchScriptSource). It runs as a module
// or as a classic script, once.
constexpr std::string_view kSearchScript = R"js(
"use strict";
if (window.KinloomSearch) return;
const F = D.folds, L = D.labels, SHARDS = D.shards;
const SHOWN = 50, LOAD_LIMIT = 400 * 1024, WAIT = 60;

// Search tokens, exactly as the index was made.
function tokens(text) {
  const out = [];
  let t = "";
  const end = () => { if (t) out.push(t); t = ""; };
  for (const ch of text) {
    const c = ch.codePointAt(0);
    if (c < 128) {
      if (c >= 65 && c <= 90) t += String.fromCharCode(c + 32);
      else if ((c >= 97 && c <= 122) || (c >= 48 && c <= 57)) t += ch;
      else if (c !== 39) end();
    } else if (F[c] !== undefined) {
      if (F[c] === " ") end(); else t += F[c];
    } else if (c <= 0xbf || (c >= 0x2000 && c <= 0x206f) || c === 0x3000 || c === 0xfeff ||
               c === 0xfffd || (c >= 0xd800 && c <= 0xdfff)) {
      end();
    } else {
      t += ch;
    }
  }
  end();
  return out;
}

// The words and year ranges of a query: "1800-1850" and "1819" are years.
function parse(text) {
  const years = [];
  text = text.replace(/(\d{3,4})\s*[-\u2013\u2014]\s*(\d{3,4})/g, (m, a, b) => {
    a = +a; b = +b;
    years.push(a <= b ? [a, b] : [b, a]);
    return " ";
  });
  const words = [];
  for (const t of tokens(text)) {
    if (/^\d{3,4}$/.test(t)) years.push([+t, +t]); else words.push(t);
  }
  return { words, years };
}

// The shards that can hold a key starting with "n" or "p" and a word, or a year in [a, b]: a
// shard holds the keys starting with its prefix, or (exact) its prefix alone.
function wordShards(word) {
  const keys = ["n" + word, "p" + word], found = [];
  SHARDS.forEach((s, i) => {
    const p = s[0];
    if (keys.some(k => p.startsWith(k) || (!s[2] && k.startsWith(p)))) found.push(i);
  });
  return found;
}
function yearShards(a, b) {
  const found = [];
  SHARDS.forEach((s, i) => {
    const p = s[0];
    if (p === "") { found.push(i); return; }
    if (p[0] !== "y") return;
    const d = p.slice(1), low = +(d + "0000").slice(0, 4);
    const high = s[2] ? low : +(d + "9999").slice(0, 4);
    if (low <= b && high >= a) found.push(i);
  });
  return found;
}
function bytesOf(list) { return list.reduce((sum, i) => sum + SHARDS[i][1], 0); }

// Loading shards: each file calls KinloomSearch.add with its records.
const loaded = new Map(), waiting = new Map();
function load(i) {
  if (loaded.has(i)) return Promise.resolve();
  if (!waiting.has(i)) {
    let done;
    const promise = new Promise(resolve => { done = resolve; });
    waiting.set(i, { promise, done });
    const script = document.createElement("script");
    script.src = D.file + i + ".js";
    script.onerror = () => { if (!loaded.has(i)) { loaded.set(i, []); done(); } };
    document.head.appendChild(script);
  }
  return waiting.get(i).promise;
}
const people = new Map();
function person(r) {
  let e = people.get(r[0]);
  if (!e) {
    e = { r, sur: tokens(r[1]), giv: tokens(r[2]), places: tokens(r[6] + " " + r[7]) };
    e.names = e.sur.concat(e.giv);
    e.name = (r[1] + ", " + r[2] + " " + r[3]).replace(/\s+/g, " ").trim();
    people.set(r[0], e);
  }
  return e;
}

// How well a person matches: -1 for no match; the exact name in either order first.
function score(e, q) {
  let s = 0;
  for (const w of q.words) {
    let best = 0;
    for (const t of e.names) {
      if (t === w) { best = 4; break; }
      if (best < 3 && t.startsWith(w)) best = 3;
    }
    if (!best) for (const t of e.places) {
      if (t === w) { best = 2; break; }
      if (t.startsWith(w)) best = 1;
    }
    if (!best) return -1;
    s += best;
  }
  const by = e.r[4], dy = e.r[5];
  for (const [a, b] of q.years) {
    if ((by && by >= a && by <= b) || (dy && dy >= a && dy <= b)) s += 2; else return -1;
  }
  const words = q.words.join(" ");
  if (words && (words === e.giv.concat(e.sur).join(" ") || words === e.names.join(" ")))
    s += 100;
  return s;
}

// Finds the people of a query: loads the smallest set of shards one of its terms needs and
// keeps those who match every term.
async function find(text) {
  const q = parse(text);
  let best = null;
  for (const w of q.words) {
    if (w.length < 2) continue;
    const list = wordShards(w);
    if (!best || bytesOf(list) < bytesOf(best)) best = list;
  }
  for (const [a, b] of q.years) {
    const list = yearShards(a, b);
    if (!best || bytesOf(list) < bytesOf(best)) best = list;
  }
  if (!best) return { short: q.words.length > 0, found: [] };
  let bytes = 0, cut = false;
  const needed = [];
  for (const i of best) {
    if (bytes > 0 && bytes + SHARDS[i][1] > LOAD_LIMIT) { cut = true; break; }
    bytes += SHARDS[i][1];
    needed.push(i);
  }
  await Promise.all(needed.map(load));
  const seen = new Set(), found = [];
  for (const i of needed) {
    for (const r of loaded.get(i) || []) {
      if (seen.has(r[0])) continue;
      seen.add(r[0]);
      const e = person(r), s = score(e, q);
      if (s >= 0) found.push([s, e]);
    }
  }
  found.sort((x, y) => y[0] - x[0] || (x[1].name < y[1].name ? -1 : x[1].name > y[1].name ? 1 : 0));
  return { found: found.map(x => x[1]), cut };
}

function years(r) {
  if (!r[4] && !r[5]) return "";
  return (r[4] || "") + "\u2013" + (r[5] || "");
}

function show(form, result, started) {
  const box = form.querySelector(".kl-results");
  box.textContent = "";
  const note = text => {
    const p = document.createElement("p");
    p.textContent = text;
    box.appendChild(p);
  };
  const took = () => { form.dataset.ms = (performance.now() - started).toFixed(1); };
  if (result.short) { note(L[5]); took(); return; }
  const count = result.found.length;
  note(count ? L[3].replace("%d", count) : L[2]);
  if (result.cut) note(L[4]);
  if (count) {
    const list = document.createElement("ul");
    for (const e of result.found.slice(0, SHOWN)) {
      const item = document.createElement("li");
      const link = document.createElement("a");
      link.href = e.r[8];
      link.textContent = e.name;
      item.appendChild(link);
      const facts = [years(e.r), e.r[6], e.r[7] !== e.r[6] ? e.r[7] : ""].filter(Boolean);
      if (facts.length) {
        const span = document.createElement("span");
        span.className = "kl-facts";
        span.textContent = facts.join("; ");
        item.appendChild(span);
      }
      list.appendChild(item);
    }
    box.appendChild(list);
  }
  took();
}

function wire(form) {
  const input = form.querySelector("input");
  const box = form.querySelector(".kl-results");
  let timer = 0, asked = 0, typed = 0;
  const ask = () => {
    clearTimeout(timer);
    const text = input.value.trim(), number = ++asked, started = typed || performance.now();
    if (!text) { box.textContent = ""; return; }
    find(text).then(result => { if (number === asked) show(form, result, started); });
  };
  input.addEventListener("input", () => {
    typed = performance.now();
    clearTimeout(timer);
    timer = setTimeout(ask, WAIT);
  });
  form.addEventListener("submit", event => {
    if (form.closest("main")) { event.preventDefault(); typed = 0; ask(); }
  });
  const links = () => Array.from(box.querySelectorAll("a"));
  input.addEventListener("keydown", event => {
    if (event.key === "ArrowDown" && links().length) {
      event.preventDefault();
      links()[0].focus();
    } else if (event.key === "Escape") {
      box.textContent = "";
    }
  });
  box.addEventListener("keydown", event => {
    const all = links(), at = all.indexOf(document.activeElement);
    if (at < 0) return;
    if (event.key === "ArrowDown" && at + 1 < all.length) {
      event.preventDefault();
      all[at + 1].focus();
    } else if (event.key === "ArrowUp") {
      event.preventDefault();
      (at > 0 ? all[at - 1] : input).focus();
    } else if (event.key === "Escape") {
      event.preventDefault();
      input.focus();
    }
  });
  form.hidden = false;
  return { form, input, ask };
}

window.KinloomSearch = {
  add(i, records) {
    loaded.set(i, records);
    const w = waiting.get(i);
    if (w) w.done();
  },
  tokens, find,
  // How the script was loaded: a module has no current script element.
  loadedAs: document.currentScript ? "classic" : "module",
};

function start() {
  const forms = Array.from(document.querySelectorAll("form.kl-search")).map(wire);
  const query = new URLSearchParams(location.search).get("q");
  const target = forms.find(f => f.form.closest("main")) || forms[0];
  if (query && target) { target.input.value = query; target.ask(); }
}
if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", start);
else start();
)js";

}  // namespace

std::string SearchScriptSource(std::string_view data) {
  std::string script = "(function (D) {";
  script += kSearchScript;
  script += "})(";
  script += data;
  script += ");\n";
  return script;
}

}  // namespace kinloom::site
