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
const F = D.folds, L = D.labels, SHARDS = D.shards, COUNT = D.count, PER = D.per;
const CHUNKS = Math.ceil(COUNT / PER);
// At most SHOWN results are listed, from at most SHOWN_FILES record chunks; a query loads at
// most LOAD_LIMIT bytes of files it has not loaded before, chunks included (a first chunk of
// results is always loaded).
const SHOWN = 50, SHOWN_FILES = 16, LOAD_LIMIT = 400000, WAIT = 60;

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

// Keys compare as the index sorts them, by code point (a surrogate stands for a character
// beyond every other).
function before(a, b) {
  const n = Math.min(a.length, b.length);
  for (let i = 0; i < n; i++) {
    let x = a.charCodeAt(i), y = b.charCodeAt(i);
    if (x === y) continue;
    if (x >= 0xd800 && x <= 0xdfff) x += 0x10000;
    if (y >= 0xd800 && y <= 0xdfff) y += 0x10000;
    return x < y;
  }
  return a.length < b.length;
}
// The key files that hold keys from `low` to `high`, or (high null) keys starting with low.
function shardsFor(low, high) {
  const found = [];
  SHARDS.forEach((s, i) => {
    if (before(s[1], low)) return;
    if (high === null ? before(s[0], low) || s[0].startsWith(low) : !before(high, s[0]))
      found.push(i);
  });
  return found;
}
function year(y) { return "y" + String(y).padStart(4, "0"); }
function bytesOf(list) { return list.reduce((sum, i) => sum + SHARDS[i][2], 0); }

// Loading files: each calls KinloomSearch.add with its data. The record chunks come first,
// then the key files.
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
function chunkOf(n) { return Math.floor(n / PER); }

// The numbers of a key's list (see AppendSearchNumbers), each handed to `each`.
function numbers(text, each) {
  let n = -1, v = 0;
  for (let i = 0; i < text.length; i++) {
    const c = text.charCodeAt(i);
    if (c >= 97) { n += v * 26 + c - 96; v = 0; if (n < COUNT) each(n); }
    else v = v * 26 + c - 65;
  }
}
// For every record, the best value `value` gives one of its keys in the loaded files `list`.
function mark(list, value) {
  const best = new Uint8Array(COUNT);
  for (const i of list) {
    for (const [key, text] of loaded.get(CHUNKS + i) || []) {
      const s = value(key);
      if (s) numbers(text, n => { if (best[n] < s) best[n] = s; });
    }
  }
  return best;
}

const people = new Map();
function person(n) {
  let e = people.get(n);
  if (!e) {
    const c = loaded.get(chunkOf(n)), r = c && c[n % PER];
    if (!r) return null;
    e = { n, r, sur: tokens(r[0]), giv: tokens(r[1]), places: tokens(r[5] + " " + r[6]) };
    e.names = e.sur.concat(e.giv);
    e.name = (r[0] + ", " + r[1] + " " + r[2]).replace(/\s+/g, " ").trim();
    people.set(n, e);
  }
  return e;
}

// The terms of a query, each with the value it gives a key (a name word 4 for the whole
// token, 3 for its start; a place word 2 and 1; a year range 2) and the value it gives a
// person's record.
function terms(q) {
  const out = [];
  for (const w of q.words) {
    const n = "n" + w, p = "p" + w;
    out.push({
      short: w.length < 2,
      files: Array.from(new Set(shardsFor(n, null).concat(shardsFor(p, null)))),
      key: k => k.startsWith(n) ? (k === n ? 4 : 3) : k.startsWith(p) ? (k === p ? 2 : 1) : 0,
      record: e => {
        let best = 0;
        for (const t of e.names) {
          if (t === w) return 4;
          if (t.startsWith(w)) best = 3;
        }
        if (best) return best;
        for (const t of e.places) {
          if (t === w) return 2;
          if (t.startsWith(w)) best = 1;
        }
        return best;
      },
    });
  }
  for (const [a, b] of q.years) {
    out.push({
      short: false,
      files: shardsFor(year(a), year(b)),
      key: k => k[0] === "y" && +k.slice(1) >= a && +k.slice(1) <= b ? 2 : 0,
      record: e => (e.r[3] && e.r[3] >= a && e.r[3] <= b) || (e.r[4] && e.r[4] >= a && e.r[4] <= b)
                   ? 2 : 0,
    });
  }
  for (const t of out) t.bytes = bytesOf(t.files);
  // The most selective term first; a one-letter word never leads.
  return out.sort((x, y) => x.short - y.short || x.bytes - y.bytes);
}

// Finds the people of a query: loads the key files of as many terms as the load limit allows
// (the most selective first), keeps the people that every loaded term gives a value, checks
// the other terms on the records of the best of them, ranks the rest (the whole name first,
// then the sum of the values, then the site's order) and loads the records of those shown.
async function find(text) {
  const q = parse(text), all = terms(q);
  if (!all.length || all[0].short) return { short: q.words.length > 0, count: 0, found: [] };
  let bytes = 0, cut = false;
  const files = new Set(), later = [];
  const cost = i => files.has(i) || loaded.has(CHUNKS + i) ? 0 : SHARDS[i][2];
  const take = list => { for (const i of list) { bytes += cost(i); files.add(i); } };
  all.forEach((t, k) => {
    const extra = t.files.reduce((sum, i) => sum + cost(i), 0);
    if (bytes + extra <= LOAD_LIMIT) {
      take(t.files);
    } else if (k === 0) {
      // Too common to load whole: its first files, and only their people.
      cut = true;
      const some = [];
      for (const i of t.files) {
        if (some.length && bytes + cost(i) > LOAD_LIMIT) break;
        take([i]);
        some.push(i);
      }
      t.files = some;
    } else {
      later.push(t);
    }
  });
  const whole = "f" + q.words.join(" ");
  const nameFiles = q.words.length ? shardsFor(whole, whole) : [];
  take(nameFiles);
  await Promise.all(Array.from(files, i => load(CHUNKS + i)));

  const score = new Int32Array(COUNT);
  let found = null;
  for (const t of all) {
    if (later.includes(t)) continue;
    const best = mark(t.files, t.key);
    if (!found) {
      found = [];
      for (let n = 0; n < COUNT; n++) if (best[n]) found.push(n);
    } else {
      found = found.filter(n => best[n]);
    }
    for (const n of found) score[n] += best[n];
  }
  if (nameFiles.length) {
    const named = mark(nameFiles, k => k === whole ? 100 : 0);
    for (const n of found) score[n] += named[n];
  }
  const order = (x, y) => score[y] - score[x] || x - y;
  found.sort(order);
  if (later.length) {
    // The terms too common to load, checked on the records of the best people, as many as
    // the load limit allows.
    let checked = 0;
    const chunks = new Set();
    for (; checked < found.length; checked++) {
      const c = chunkOf(found[checked]);
      if (!chunks.has(c)) {
        const more = loaded.has(c) ? 0 : D.chunk;
        if (checked > 0 && (bytes + more > LOAD_LIMIT || chunks.size === SHOWN_FILES)) break;
        bytes += more;
        chunks.add(c);
      }
    }
    if (checked < found.length) cut = true;
    found.length = checked;
    await Promise.all(Array.from(chunks, load));
    found = found.filter(n => {
      const e = person(n);
      for (const t of later) {
        const s = e ? t.record(e) : 0;
        if (!s) return false;
        score[n] += s;
      }
      return true;
    });
    found.sort(order);
  }
  // The best results, as many as SHOWN_FILES chunks and the load limit allow.
  const shown = [], chunks = new Set();
  for (const n of found) {
    const c = chunkOf(n);
    if (shown.length === SHOWN) break;
    if (!chunks.has(c)) {
      const more = loaded.has(c) ? 0 : D.chunk;
      if (chunks.size === SHOWN_FILES || (chunks.size > 0 && bytes + more > LOAD_LIMIT)) break;
      bytes += more;
      chunks.add(c);
    }
    shown.push(n);
  }
  await Promise.all(Array.from(chunks, load));
  return { count: found.length, found: shown.map(person).filter(Boolean), cut };
}

function years(r) {
  if (!r[3] && !r[4]) return "";
  return (r[3] || "") + "\u2013" + (r[4] || "");
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
  const count = result.count;
  note(count ? L[3].replace("%d", count) : L[2]);
  if (result.cut || result.found.length < count) note(L[4]);
  if (result.found.length) {
    const list = document.createElement("ul");
    for (const e of result.found) {
      const item = document.createElement("li");
      const link = document.createElement("a");
      link.href = e.r[7];
      link.textContent = e.name;
      item.appendChild(link);
      const facts = [years(e.r), e.r[5], e.r[6] !== e.r[5] ? e.r[6] : ""].filter(Boolean);
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
