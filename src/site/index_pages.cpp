#include "site/index_pages.h"

#include <vector>

#include "lang/ui_text.h"
#include "platform/system_error.h"
#include "platform/text_encoding.h"
#include "run/output_folder.h"
#include "run/product.h"
#include "site/gedcom_copy.h"
#include "site/page_frame.h"
#include "store/sort_keys.h"

namespace kinloom::site {
namespace {

// Labels of the index page titles, and the texts of their messages.
constexpr int kLabelGroupedByFamily = 12418;
constexpr int kLabelGroupedByDescendants = 12419;
constexpr int kLabelGroupedByPedigree = 12420;
constexpr int kLabelByNotes = 12421;
constexpr int kLabelGroupedByNotes = 12609;
constexpr int kLabelIndexBeginningWith = 12372;  // "Index for surnames beginning with"
constexpr int kLabelIndexBlankSurnames = 12373;  // "Index for blank surnames or ..."
constexpr int kLabelIndexLetterEnd = 12364;      // the words after the letter; " " in English
constexpr int kMessageGedcomCopyFailed = 2357;   // "Unable to copy the GEDCOM file %s.  To ..."
constexpr int kStatusIndexPages = 2345;          // "Creating index pages"

using lang::FormatText;
using store::IndividualRecord;

using run::kProductString;
constexpr int kLabelListOfSurnames = 12363;

// The progress steps of the later surname index pages of each kind.
constexpr int kIndexPageSteps[4] = {2, 15, 6, 10};

// The language-link label of each language.
constexpr int kLanguageLinkLabels[settings::kLanguageCount] = {12442, 12443, 12444, 12613, 12616,
                                                               12620, 12627, 12628, 12635};

int ModeLabel(IndexKind kind, bool for_titles) {
  switch (kind) {
    case IndexKind::kFamily:
      return kLabelGroupedByFamily;
    case IndexKind::kDescendancy:
      return kLabelGroupedByDescendants;
    case IndexKind::kPedigree:
      return kLabelGroupedByPedigree;
    case IndexKind::kNotes:
      return for_titles ? kLabelByNotes : kLabelGroupedByNotes;
  }
  return kLabelGroupedByFamily;
}

const LetterPresence& Presence(const SiteContext& site, IndexKind kind) {
  return kind == IndexKind::kNotes ? site.layout().notes.presence : site.store().letter_presence;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string LowerAscii(std::string text) {
  for (char& c : text) c = LowerAscii(c);
  return text;
}

// The recognised letter that begins `text` (an ASCII letter as it stands, Æ, Ø or Å in the
// store's encoding), or the empty text.
std::string LeadingLetter(const SiteContext& site, const std::string& text) {
  return text.substr(0, store::RecognisedLetterLength(text, site.store().text_encoding));
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// Whether an individual counts for the index pages of a kind.
bool Considered(const SiteContext& site, IndexKind kind, const IndividualRecord& person) {
  switch (kind) {
    case IndexKind::kFamily:
      return true;
    case IndexKind::kDescendancy:
    case IndexKind::kPedigree:
      return OnChart(site, static_cast<PersonLinkKind>(kind), person);
    case IndexKind::kNotes:
      return HasNotes(person);
  }
  return false;
}

bool KindSwitchedOn(const SiteContext& site, IndexKind kind) {
  const settings::Settings& o = site.settings();
  switch (kind) {
    case IndexKind::kFamily:
      return o.create_family_groups != 0;
    case IndexKind::kDescendancy:
      return o.create_descendancy_groups != 0;
    case IndexKind::kPedigree:
      return o.create_pedigree_groups != 0;
    case IndexKind::kNotes:
      return site.NotesPagesOn();
  }
  return false;
}

bool BackLinksWanted(const settings::Settings& o) {
  return !o.minimize_absolute && !o.one_index_page_link;
}

std::string BaseName(const std::string& path) {
  std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

// A file name as a relative URL of one path segment: every byte but the unreserved ASCII
// characters is percent-encoded, so "#", "?", "&", blanks, a ":" that would read as a scheme
// and the bytes of a UTF-8 name all lead to the file as the file system names it.
std::string RelativeUrl(const std::string& file_name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url;
  for (unsigned char c : file_name) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
        c == '.' || c == '_' || c == '~') {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 0x0F];
    }
  }
  return url;
}

// The other selected languages' main pages, when at least two languages are selected.
std::vector<PageStyle::MainIndexPage::Link> LanguageLinks(const SiteContext& site) {
  const settings::Settings& o = site.settings();
  std::vector<PageStyle::MainIndexPage::Link> links;
  int selected = 0;
  for (int l = 0; l < settings::kLanguageCount; ++l) selected += o.create_pages[l] != 0;
  if (selected < 2) return links;
  for (int l = 0; l < settings::kLanguageCount; ++l) {
    if (!o.create_pages[l] || l == site.language.language) continue;
    links.push_back(
        {LowerAscii(o.index_name[l]) + "." + site.Extension(), site.Label(kLanguageLinkLabels[l])});
  }
  return links;
}

// Copies the GEDCOM file beside the pages unless it is already there. Returns false when
// the copy failed (reported).
bool CopyGedcomBesidePages(SiteContext& site) {
  run::RunContext& run = site.run;
  const std::string& input = run.state.gedcom_path;
  std::string destination = site.OutputPath(BaseName(input));
  // The input itself may lie in the folder, under any spelling or as a link: it is then
  // linked as it is and never written over.
  if (run::IsInputFile(run, destination)) return true;
  int error = CopyGedcomFile(run, destination);
  if (error != 0) {
    platform::ReportSystemError(
        run.ui,
        FormatText(lang::LoadUiText(kMessageGedcomCopyFailed, run.settings).c_str(), input.c_str(),
                   destination.c_str(), kProductString),
        error);
    return false;
  }
  site.writer.CountExtraFile();
  return true;
}

// The link to the copy of the GEDCOM file and its size.
void GedcomFileFacts(const SiteContext& site, PageStyle::MainIndexPage& page) {
  const run::RunState& state = site.run.state;
  const std::string file_name = BaseName(state.gedcom_path);
  page.gedcom_link = true;
  // The link names the copy byte for byte; the text is the name in the page's encoding, with
  // its HTML characters escaped as in the page foot.
  page.gedcom_url = RelativeUrl(file_name);
  page.gedcom_name = site.writer.SystemNameText(EscapeHtml(file_name));
  page.gedcom_size = state.gedcom_file_size;
  page.gedcom_lines = state.line_count;
}

void CustomLinkFacts(const SiteContext& site, PageStyle::MainIndexPage& page) {
  const settings::Settings& o = site.settings();
  int l = site.language.language;
  if (!o.include_custom_links || l >= settings::kLinkLanguageCount) return;
  const auto& links = o.custom_links[l];
  if (links[0].text.empty()) return;
  page.custom_links = true;
  page.custom_links_title = site.language.custom_links_title;
  for (const settings::CustomLink& link : links) {
    if (link.text.empty()) break;
    page.links.push_back({link.hyperlink, link.text});
  }
  page.links_top = o.cl_top != 0;
}

void OwnerFacts(const SiteContext& site, PageStyle::MainIndexPage& page) {
  const settings::OwnerBlock& owner = site.settings().owner;
  if (owner.user_name.empty()) return;
  page.owner = true;
  page.owner_name = owner.user_name;
  for (int i = 0; i < 4 && !owner.address[i].empty(); ++i) page.address.push_back(owner.address[i]);
  page.email = owner.email_address;
  for (const std::string& address : owner.homepages)
    if (!address.empty()) page.homepages.push_back(address);
  page.homepages_top = owner.hp_top != 0;
}

std::string IndexPageTitle(SiteContext& site, IndexKind kind, const std::string& letter) {
  if (letter == "~")
    return FormatText("(%s) %s", site.Label(ModeLabel(kind, true)).c_str(),
                      site.Label(kLabelIndexBlankSurnames).c_str());
  return FormatText("%s %s %s (%s)", site.Label(kLabelIndexBeginningWith).c_str(), letter.c_str(),
                    site.Label(kLabelIndexLetterEnd).c_str(),
                    site.Label(ModeLabel(kind, true)).c_str());
}

}  // namespace

PageKind SurnameIndexPrefixKind(IndexKind kind) {
  switch (kind) {
    case IndexKind::kFamily:
      return PageKind::kFamilySurnameIndex;
    case IndexKind::kDescendancy:
      return PageKind::kDescendancySurnameIndex;
    case IndexKind::kPedigree:
      return PageKind::kPedigreeSurnameIndex;
    case IndexKind::kNotes:
      return PageKind::kNotesSurnameIndex;
  }
  return PageKind::kFamilySurnameIndex;
}

PageKind SurnameListPrefixKind(IndexKind kind) {
  switch (kind) {
    case IndexKind::kFamily:
      return PageKind::kFamilySurnameList;
    case IndexKind::kDescendancy:
      return PageKind::kDescendancySurnameList;
    case IndexKind::kPedigree:
      return PageKind::kPedigreeSurnameList;
    case IndexKind::kNotes:
      return PageKind::kNotesSurnameList;
  }
  return PageKind::kFamilySurnameList;
}

std::string PageLetter(const SiteContext& site, const std::string& sort_key) {
  return SurnameIndexLetter(sort_key, site.store().text_encoding);
}

// A page file name in a status text, which is a user-interface text (Windows-1252).
std::string StatusFileName(const SiteContext& site, const std::string& file) {
  return site.writer.TextEncoding() == platform::TextEncoding::kUtf8
             ? platform::Utf8ToCp1252(file)
             : file;
}

std::string SurnameListLetter(const SiteContext& site, const std::string& surname) {
  const std::string leading = LowerAscii(LeadingLetter(site, surname));
  return leading.empty() ? std::string(1, '0') : leading;
}

std::string FileLetter(const std::string& page_letter) {
  return page_letter == "~" ? "0" : LowerAscii(page_letter);
}

PageStyle::LetterBar LetterBarFacts(const SiteContext& site, IndexKind kind, bool with_heading) {
  const LetterPresence& present = Presence(site, kind);
  const PageNaming naming = NamingOf(site);
  const PageKind index_kind = SurnameIndexPrefixKind(kind);
  PageStyle::LetterBar bar;
  bar.heading = with_heading;
  if (with_heading) bar.kind_name = site.Label(ModeLabel(kind, false));
  auto letter = [&](int slot, const std::string& c) {
    return PageStyle::IndexLetter{c, present[slot],
                                  present[slot] ? SurnameIndexFile(naming, index_kind, c) : ""};
  };
  for (int slot = 0; slot < 26; ++slot)
    bar.letters.push_back(letter(slot, std::string(1, static_cast<char>('A' + slot))));
  bar.other_present = present[store::kOtherSlot];
  if (bar.other_present) bar.other_target = SurnameIndexFile(naming, index_kind, "~");
  if (present[store::kSlotAE] || present[store::kSlotOSlash] || present[store::kSlotARing]) {
    const platform::TextEncoding encoding = site.store().text_encoding;
    for (int slot : {store::kSlotAE, store::kSlotOSlash, store::kSlotARing})
      bar.nordic_letters.push_back(letter(slot, std::string(store::NordicLetter(slot, encoding))));
  }
  return bar;
}

void WriteIndexLetters(SiteContext& site, IndexKind kind, bool with_heading) {
  site.style().WriteLetterBar(site.writer, LetterBarFacts(site, kind, with_heading));
}

int WriteMainIndexPage(SiteContext& site) {
  run::RunContext& run = site.run;
  const settings::Settings& o = site.settings();
  PageWriter& out = site.writer;
  const PageNaming naming = NamingOf(site);
  out.OpenPage(site.OutputPath(MainIndexFile(naming)), site.language.index_title, false, true);
  // A copy that fails leaves the page unfinished.
  if (o.create_link_to_gedcom_file && !CopyGedcomBesidePages(site)) return 0;

  PageStyle::MainIndexPage page;
  page.languages = LanguageLinks(site);
  page.individuals = static_cast<long>(site.store().sorted_count);
  page.families = static_cast<long>(run.state.families_loaded);
  page.surnames = static_cast<long>(site.layout().surnames.main_page_count);
  page.date_stamp = site.language.date_stamp;
  if (o.create_link_to_gedcom_file) GedcomFileFacts(site, page);
  page.ancestor_notice = site.MarkAncestors();
  if (page.ancestor_notice) page.ancestor = AncestorNoticeFacts(out);
  for (IndexKind kind :
       {IndexKind::kFamily, IndexKind::kPedigree, IndexKind::kNotes, IndexKind::kDescendancy}) {
    if (!KindSwitchedOn(site, kind)) continue;
    page.kinds.push_back(
        {LetterBarFacts(site, kind, true), SurnameListFile(naming, SurnameListPrefixKind(kind))});
  }
  CustomLinkFacts(site, page);
  OwnerFacts(site, page);

  site.style().WriteMainIndexBody(out, page);
  site.style().WritePageFoot(out, PageFootFacts(out, false));
  out.CloseFile();
  return 1;
}

void WriteSurnameListGroup(SiteContext& site, const std::string& index_prefix,
                           const std::string& surname, long count, std::string& previous_letter) {
  const std::string ext = site.Extension();
  const std::string letter = SurnameListLetter(site, surname);
  PageStyle::SurnameGroup group;
  group.starts_initial = letter != previous_letter;
  group.other_initial = letter == "0";
  group.initial = letter;
  if (group.initial.size() == 1) group.initial[0] = UpperAscii(group.initial[0]);
  previous_letter = letter;
  group.surname = surname;
  group.count = count;
  if (surname.empty()) {
    group.target = index_prefix + "_0." + ext;
  } else {
    // A surname of blanks only has no anchor: its link goes to the page itself.
    const std::string anchor = SurnameAnchor(surname);
    group.target = index_prefix + "_" + letter + "." + ext + (anchor.empty() ? "" : "#") + anchor;
  }
  site.style().WriteSurnameGroup(site.writer, group);
}

void ForEachSurnameGroup(const store::GenealogyStore& store,
                         const std::function<bool(const IndividualRecord&)>& take,
                         const std::function<void(const std::string&, long)>& group) {
  std::string surname;
  long count = 0;
  for (int i = 0; i < store.sorted_count; ++i) {
    store::PrefetchSortedWalk(store, i);
    const IndividualRecord& person = store.individuals[store.sorted_index[i]];
    if (!take(person)) continue;
    if (count > 0 && EqualIgnoringCase(surname, person.surname)) {
      ++count;
      continue;
    }
    if (count > 0) group(surname, count);
    surname = person.surname;
    count = 1;
  }
  if (count > 0) group(surname, count);
}

SurnameLayout LayOutSurnames(const store::GenealogyStore& store) {
  SurnameLayout layout;
  bool last_group_empty = false;
  ForEachSurnameGroup(
      store, [](const IndividualRecord&) { return true; },
      [&](const std::string& surname, long) {
        ++layout.main_page_count;
        last_group_empty = surname.empty();
      });
  if (last_group_empty) --layout.main_page_count;
  return layout;
}

void WriteSurnameList(SiteContext& site, IndexKind kind) {
  const store::GenealogyStore& store = site.store();
  PageWriter& out = site.writer;
  out.OpenPage(site.OutputPath(SurnameListFile(NamingOf(site), SurnameListPrefixKind(kind))),
               FormatText("%s (%s)", site.Label(kLabelListOfSurnames).c_str(),
                          site.Label(ModeLabel(kind, false)).c_str()),
               false, true);
  if (BackLinksWanted(site.settings())) out.WriteBackLink();
  out.WriteRule();
  const PageStyle::SurnameList list{SurnameListPrefixKind(kind)};
  site.style().WriteSurnameListStart(out, list);

  const std::string& index_prefix = site.Prefix(SurnameIndexPrefixKind(kind));
  std::string previous_letter;  // the first group always differs
  ForEachSurnameGroup(
      store,
      [&site, kind](const IndividualRecord& person) { return Considered(site, kind, person); },
      [&](const std::string& surname, long count) {
        WriteSurnameListGroup(site, index_prefix, surname, count, previous_letter);
      });

  site.style().WriteSurnameListEnd(out, list);
  out.ClosePage();
}

void WriteSurnameIndexPages(SiteContext& site, IndexKind kind) {
  const store::GenealogyStore& store = site.store();
  const settings::Settings& o = site.settings();
  PageWriter& out = site.writer;
  const PageNaming naming = NamingOf(site);
  auto link_kind = static_cast<PersonLinkKind>(kind);
  bool page_open = false;
  std::string page_letter;
  std::string remembered_surname;
  for (int i = 0; i < store.sorted_count; ++i) {
    store::PrefetchSortedWalk(store, i);
    const IndividualRecord& person = store.individuals[store.sorted_index[i]];
    std::string letter = PageLetter(site, person.sort_key);
    if (!page_open || letter != page_letter) {
      std::string file = SurnameIndexFile(naming, SurnameIndexPrefixKind(kind), letter);
      if (page_open) {
        out.ClosePage();
        ShowProgress(site.run, kIndexPageSteps[static_cast<int>(kind)],
                     lang::LoadUiText(kStatusIndexPages, o) + " " + StatusFileName(site, file),
                     true);
      }
      out.OpenPage(site.OutputPath(file), IndexPageTitle(site, kind, letter), true, true);
      PageStyle::SurnameIndexTop top;
      top.letters = LetterBarFacts(site, kind, false);
      top.back_link = BackLinksWanted(o);
      if (top.back_link) top.main_page = MainPageLinkFacts(out);
      site.style().WriteSurnameIndexTop(out, top);
      page_open = true;
      page_letter = letter;
    }
    // Chart kinds write nothing for individuals that are on no chart.
    if ((kind == IndexKind::kDescendancy || kind == IndexKind::kPedigree) &&
        !OnChart(site, link_kind, person))
      continue;
    bool anchor = person.surname != remembered_surname;
    remembered_surname = person.surname;
    if (o.index_dates)
      WritePersonEntry(site, link_kind, person, anchor);
    else
      WritePersonLink(site, link_kind, person, false, anchor, kNoColour);
  }
  if (page_open) out.ClosePage();
}

}  // namespace kinloom::site
