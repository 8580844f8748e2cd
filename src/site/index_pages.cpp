#include "site/index_pages.h"

#include "lang/ui_text.h"
#include "platform/system_error.h"
#include "platform/text_encoding.h"
#include "run/output_folder.h"
#include "run/product.h"
#include "site/gedcom_copy.h"
#include "store/sort_keys.h"

namespace kinloom::site {
namespace {

using lang::FormatText;
using store::IndividualRecord;

using run::kProductString;
constexpr int kLabelNone = 12402;
constexpr int kLabelOther = 12403;
constexpr int kLabelListOfSurnames = 12363;

// The progress steps of the later surname index pages of each kind.
constexpr int kIndexPageSteps[4] = {2, 15, 6, 10};

// The language-link label of each language.
constexpr int kLanguageLinkLabels[settings::kLanguageCount] = {12442, 12443, 12444, 12613, 12616,
                                                               12620, 12627, 12628, 12635};

int ModeLabel(IndexKind kind, bool for_titles) {
  switch (kind) {
    case IndexKind::kFamily:
      return 12418;
    case IndexKind::kDescendancy:
      return 12419;
    case IndexKind::kPedigree:
      return 12420;
    case IndexKind::kNotes:
      return for_titles ? 12421 : 12609;
  }
  return 12418;
}

const LetterPresence& Presence(const SiteContext& site, IndexKind kind) {
  return kind == IndexKind::kNotes ? site.notes_presence : site.store().letter_presence;
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
bool Considered(IndexKind kind, const IndividualRecord& person) {
  switch (kind) {
    case IndexKind::kFamily:
      return true;
    case IndexKind::kDescendancy:
    case IndexKind::kPedigree:
      return OnChart(person);
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

void WriteLanguageLinks(SiteContext& site) {
  const settings::Settings& o = site.settings();
  int selected = 0;
  for (int l = 0; l < settings::kLanguageCount; ++l) selected += o.create_pages[l] != 0;
  if (selected < 2) return;
  PageWriter& out = site.writer;
  out.AppendHtml("<center>");
  bool first = true;
  for (int l = 0; l < settings::kLanguageCount; ++l) {
    if (!o.create_pages[l] || l == site.language.language) continue;
    if (!first) out.AppendHtml(", ");
    first = false;
    std::string name = o.index_name[l];
    for (char& c : name) c = LowerAscii(c);
    out.AppendHtml(FormatText("<a href=%s.%s>%s</a>", name.c_str(), site.Extension().c_str(),
                              site.Label(kLanguageLinkLabels[l]).c_str()));
  }
  out.AppendHtml("</center></p>");
}

// Copies the GEDCOM file beside the pages (unless it is already there) and writes its link
// and size lines. Returns false when the copy failed.
bool WriteGedcomLink(SiteContext& site) {
  run::RunContext& run = site.run;
  const std::string& input = run.state.gedcom_path;
  std::string file_name = BaseName(input);
  std::string destination = site.OutputPath(file_name);
  // The input itself may lie in the folder, under any spelling or as a link: it is then
  // linked as it is and never written over.
  if (!run::IsInputFile(run, destination)) {
    int error = CopyGedcomFile(run, destination);
    if (error != 0) {
      platform::ReportSystemError(run.ui,
                                  FormatText(lang::LoadUiText(2357, run.settings).c_str(),
                                             input.c_str(), destination.c_str(), kProductString),
                                  error);
      return false;
    }
    site.writer.CountExtraFile();
  }
  PageWriter& out = site.writer;
  // The link names the copy byte for byte; the text is the name in the page's encoding, with
  // its HTML characters escaped as in the page foot.
  const std::string url = RelativeUrl(file_name);
  const std::string shown_name = out.SystemNameText(EscapeHtml(file_name));
  out.AppendHtml(FormatText(site.Label(12358).c_str(), url.c_str(), shown_name.c_str()));
  std::uint64_t size = run.state.gedcom_file_size;
  const char* size_label = site.Label(12359).c_str();
  const char* lines_label = site.Label(12360).c_str();
  int lines = run.state.line_count;
  if (size < 10000)
    out.AppendHtml(FormatText("<center>%s = %d bytes, %s = %d</center>", size_label,
                              static_cast<int>(size), lines_label, lines));
  else if (size < 1000000)
    out.AppendHtml(FormatText("<center>%s = %2.1f Kb, %s = %d</center>", size_label,
                              static_cast<double>(size) * static_cast<double>(0.001f), lines_label,
                              lines));
  else
    out.AppendHtml(FormatText("<center>%s = %2.1f Mb, %s = %d</center>", size_label,
                              static_cast<double>(size) * static_cast<double>(0.000001f),
                              lines_label, lines));
  return true;
}

void WriteCustomLinks(SiteContext& site) {
  const settings::Settings& o = site.settings();
  int l = site.language.language;
  if (!o.include_custom_links || l >= settings::kLinkLanguageCount) return;
  const auto& links = o.custom_links[l];
  if (links[0].text.empty()) return;
  PageWriter& out = site.writer;
  out.AppendHtml(
      FormatText("<center><h3>%s </h3></center><ul>", site.language.custom_links_title.c_str()));
  for (const settings::CustomLink& link : links) {
    if (link.text.empty()) break;
    out.AppendHtml(FormatText("<li><a href=\"%s\"%s>%s</a><p>", link.hyperlink.c_str(),
                              o.cl_top ? " target=\"_top\"" : "", link.text.c_str()));
  }
  out.AppendHtml("</ul>");
  out.WriteRule();
}

void WriteOwner(SiteContext& site) {
  const settings::OwnerBlock& owner = site.settings().owner;
  if (owner.user_name.empty()) return;
  PageWriter& out = site.writer;
  out.AppendHtml(FormatText("\n<center><h3>%s</h3>", site.Label(12365).c_str()));
  out.AppendHtml(FormatText("<center><I>%s:</I> ", site.Label(12366).c_str()));
  out.AppendHtml(owner.user_name + "<br>");
  if (!owner.address[0].empty()) {
    out.AppendHtml(FormatText("<I>%s:</I> ", site.Label(12367).c_str()));
    for (int i = 0; i < 4 && !owner.address[i].empty(); ++i)
      out.AppendHtml(i < 3 ? owner.address[i] + "<BR>" : owner.address[i]);
  }
  if (!owner.email_address.empty()) {
    out.AppendHtml(FormatText("<I>%s:</I> ", site.Label(12368).c_str()));
    out.AppendHtml(FormatText("<a href=\"mailto:%s\">%s</a><br>", owner.email_address.c_str(),
                              owner.email_address.c_str()));
  }
  bool any_homepage = false;
  for (const std::string& page : owner.homepages) any_homepage |= !page.empty();
  if (any_homepage) {
    out.AppendHtml(FormatText("<I>%s:</I> ", site.Label(12369).c_str()));
    for (const std::string& page : owner.homepages)
      if (!page.empty())
        out.AppendHtml(FormatText("<a href=\"%s\"%s>%s</a><br>", page.c_str(),
                                  owner.hp_top ? " target=\"_top\"" : "", page.c_str()));
  }
  out.AppendHtml("</center>");
}

std::string IndexPageTitle(SiteContext& site, IndexKind kind, const std::string& letter) {
  if (letter == "~")
    return FormatText("(%s) %s", site.Label(ModeLabel(kind, true)).c_str(),
                      site.Label(12373).c_str());
  return FormatText("%s %s %s (%s)", site.Label(12372).c_str(), letter.c_str(),
                    site.Label(12364).c_str(), site.Label(ModeLabel(kind, true)).c_str());
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

// The letter of an individual's surname index page: the upper-case form of the recognised
// letter that begins its sort key, or "~".
std::string PageLetter(const SiteContext& site, const std::string& sort_key) {
  std::string letter = LeadingLetter(site, sort_key);
  if (letter.empty()) return "~";
  if (letter.size() == 1) letter[0] = UpperAscii(letter[0]);
  return letter;
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

// The letter in the page's file name: the lower-case form (ASCII letters only), "0" for "~".
std::string FileLetter(const std::string& page_letter) {
  return page_letter == "~" ? "0" : LowerAscii(page_letter);
}

void WriteIndexLetters(SiteContext& site, IndexKind kind, bool with_heading) {
  PageWriter& out = site.writer;
  const LetterPresence& present = Presence(site, kind);
  const std::string& prefix = site.Prefix(SurnameIndexPrefixKind(kind));
  std::string ext = site.Extension();
  if (with_heading)
    out.AppendHtml(FormatText("<center><h3>%s %s</h3></center>", site.Label(12401).c_str(),
                              site.Label(ModeLabel(kind, false)).c_str()));
  out.AppendHtml("<center>");
  auto letter = [&](int slot, const std::string& c) {
    if (present[slot])
      out.AppendHtml(FormatText(" <a href=\"%s_%s.%s\">%s</a>", prefix.c_str(),
                                LowerAscii(c).c_str(), ext.c_str(), c.c_str()));
    else
      out.AppendHtml(FormatText(" %s ", c.c_str()));
  };
  for (int slot = 0; slot < 26; ++slot) letter(slot, std::string(1, static_cast<char>('A' + slot)));
  if (present[store::kOtherSlot])
    out.AppendHtml(FormatText(" <a href=\"%s_0.%s\">(%s/%s)</a>", prefix.c_str(), ext.c_str(),
                              site.Label(kLabelNone).c_str(), site.Label(kLabelOther).c_str()));
  else
    out.AppendHtml(FormatText(" (%s)", site.Label(kLabelNone).c_str()));
  if (present[store::kSlotAE] || present[store::kSlotOSlash] || present[store::kSlotARing]) {
    const platform::TextEncoding encoding = site.store().text_encoding;
    for (int slot : {store::kSlotAE, store::kSlotOSlash, store::kSlotARing})
      letter(slot, std::string(store::NordicLetter(slot, encoding)));
  }
  out.AppendHtml("</center>");
}

int WriteMainIndexPage(SiteContext& site) {
  run::RunContext& run = site.run;
  const settings::Settings& o = site.settings();
  PageWriter& out = site.writer;
  std::string ext = site.Extension();
  out.OpenPage(site.OutputPath(site.language.index_name + "." + ext), site.language.index_title,
               false, true);
  WriteLanguageLinks(site);

  out.AppendHtml("<center>");
  out.AppendHtml(FormatText("%s<br>", site.Label(12352).c_str()));
  out.AppendHtml(FormatText("%li %s<br>", static_cast<long>(site.store().sorted_count),
                            site.Label(12353).c_str()));
  out.AppendHtml(FormatText("%li %s<br>", static_cast<long>(run.state.families_loaded),
                            site.Label(12354).c_str()));
  out.AppendHtml(
      FormatText("%li %s<br>", static_cast<long>(site.surname_count), site.Label(12355).c_str()));
  out.AppendHtml(FormatText("<p>%s %s.</p></center>", site.Label(12356).c_str(),
                            site.language.date_stamp.c_str()));

  if (o.create_link_to_gedcom_file && !WriteGedcomLink(site)) return 0;
  if (site.MarkAncestors()) out.WriteAncestorNotice();
  out.WriteRule();

  for (IndexKind kind :
       {IndexKind::kFamily, IndexKind::kPedigree, IndexKind::kNotes, IndexKind::kDescendancy}) {
    if (!KindSwitchedOn(site, kind)) continue;
    WriteIndexLetters(site, kind, true);
    out.AppendHtml(FormatText("<center><h3><a href=\"%s.%s\">%s</a></h3></center>",
                              site.Prefix(SurnameListPrefixKind(kind)).c_str(), ext.c_str(),
                              site.Label(kLabelListOfSurnames).c_str()));
    out.WriteRule();
  }

  WriteCustomLinks(site);
  WriteOwner(site);

  out.WriteProducedBy();
  out.WriteSourceAndCopyright();
  out.AppendHtml("</body></html>");
  out.CloseFile();
  return 1;
}

void WriteSurnameListGroup(SiteContext& site, const std::string& index_prefix,
                           const std::string& surname, long count, std::string& previous_letter) {
  PageWriter& out = site.writer;
  const std::string ext = site.Extension();
  const std::string letter = SurnameListLetter(site, surname);
  if (letter != previous_letter) {
    if (letter == "0") {
      out.AppendHtml(FormatText("<P><B>%s/%s</B><BR>", site.Label(kLabelNone).c_str(),
                                site.Label(kLabelOther).c_str()));
    } else {
      std::string shown = letter;
      if (shown.size() == 1) shown[0] = UpperAscii(shown[0]);
      out.AppendHtml(FormatText("<P><B>%s</B><BR>", shown.c_str()));
    }
    previous_letter = letter;
  }
  if (surname.empty()) {
    out.AppendHtml(FormatText("<a href=\"%s_0.%s\">(none)</a>(%li) ", index_prefix.c_str(),
                              ext.c_str(), count));
  } else {
    // A surname of blanks only has no anchor: its link goes to the page itself.
    const std::string anchor = SurnameAnchor(surname);
    out.AppendHtml(FormatText("<a href=\"%s_%s.%s%s%s\">%s</a>(%li) ", index_prefix.c_str(),
                              letter.c_str(), ext.c_str(), anchor.empty() ? "" : "#",
                              anchor.c_str(), surname.c_str(), count));
  }
}

void ForEachSurnameGroup(const store::GenealogyStore& store,
                         const std::function<bool(const IndividualRecord&)>& take,
                         const std::function<void(const std::string&, long)>& group) {
  std::string surname;
  long count = 0;
  for (int i = 0; i < store.sorted_count; ++i) {
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

int WriteSurnameList(SiteContext& site, IndexKind kind, bool count_only) {
  const store::GenealogyStore& store = site.store();
  PageWriter& out = site.writer;
  std::string ext = site.Extension();
  bool family = kind == IndexKind::kFamily;
  if (!count_only) {
    out.OpenPage(site.OutputPath(site.Prefix(SurnameListPrefixKind(kind)) + "." + ext),
                 FormatText("%s (%s)", site.Label(kLabelListOfSurnames).c_str(),
                            site.Label(ModeLabel(kind, false)).c_str()),
                 false, true);
    if (BackLinksWanted(site.settings())) out.WriteBackLink();
    out.WriteRule();
    out.AppendHtml("<CENTER>");
  }

  const std::string& index_prefix = site.Prefix(SurnameIndexPrefixKind(kind));
  std::string previous_letter;  // the first group always differs
  bool last_group_empty = false;
  auto flush_group = [&](const std::string& surname, long count) {
    if (family) ++site.surname_count;
    last_group_empty = surname.empty();
    if (count_only) return;
    WriteSurnameListGroup(site, index_prefix, surname, count, previous_letter);
  };

  ForEachSurnameGroup(
      store, [kind](const IndividualRecord& person) { return Considered(kind, person); },
      flush_group);
  // A last group without a surname is not counted on the main page.
  if (family && last_group_empty) --site.surname_count;

  if (!count_only) {
    out.AppendHtml("</CENTER>");
    out.ClosePage();
  }
  return 1;
}

int WriteSurnameIndexPages(SiteContext& site, IndexKind kind) {
  const store::GenealogyStore& store = site.store();
  const settings::Settings& o = site.settings();
  PageWriter& out = site.writer;
  std::string ext = site.Extension();
  const std::string& prefix = site.Prefix(SurnameIndexPrefixKind(kind));
  auto link_kind = static_cast<PersonLinkKind>(kind);
  bool page_open = false;
  std::string page_letter;
  std::string remembered_surname;
  for (int i = 0; i < store.sorted_count; ++i) {
    const IndividualRecord& person = store.individuals[store.sorted_index[i]];
    std::string letter = PageLetter(site, person.sort_key);
    if (!page_open || letter != page_letter) {
      std::string file =
          FormatText("%s_%s.%s", prefix.c_str(), FileLetter(letter).c_str(), ext.c_str());
      if (page_open) {
        out.ClosePage();
        ShowProgress(site.run, kIndexPageSteps[static_cast<int>(kind)],
                     lang::LoadUiText(2345, o) + " " + StatusFileName(site, file), true);
      }
      out.OpenPage(site.OutputPath(file), IndexPageTitle(site, kind, letter), true, true);
      WriteIndexLetters(site, kind, false);
      if (BackLinksWanted(o)) out.WriteBackLink();
      out.WriteRule();
      page_open = true;
      page_letter = letter;
    }
    // Chart kinds write nothing for individuals that are on no chart.
    if ((kind == IndexKind::kDescendancy || kind == IndexKind::kPedigree) && !OnChart(person))
      continue;
    bool anchor = person.surname != remembered_surname;
    remembered_surname = person.surname;
    if (o.index_dates)
      WritePersonEntry(site, link_kind, person, anchor);
    else
      WritePersonLink(site, link_kind, person, false, anchor, kNoColour);
  }
  if (page_open) out.ClosePage();
  return 1;
}

}  // namespace kinloom::site
