#include "site/notes_pages.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lang/tag_labels.h"
#include "lang/ui_text.h"
#include "site/images.h"
#include "site/index_pages.h"
#include "site/person_links.h"
#include "store/sort_keys.h"

namespace kinloom::site {
namespace {

using lang::FormatText;
using store::FamilyRecord;
using store::IndividualRecord;
using store::NoteEntry;
using store::NoteRecord;

constexpr int kTagBapm = 16;
constexpr int kTagNote = 84;
constexpr int kTagRepo = 103;
constexpr int kTagSour = 113;

constexpr int kLabelListOfSurnames = 12363;
constexpr int kLabelBlank = 12364;
constexpr int kLabelIndexFor = 12372;
constexpr int kLabelBlankSurnames = 12373;
constexpr int kLabelAnd = 12400;
constexpr int kLabelNone = 12402;
constexpr int kLabelOther = 12403;
constexpr int kLabelByNotes = 12421;
constexpr int kLabelNotShown = 12424;
constexpr int kLabelBorn = 12425;
constexpr int kLabelDied = 12426;
constexpr int kLabelMarriageOf = 12427;
constexpr int kLabelGroupedByNotes = 12609;
constexpr int kLabelField = 12611;

constexpr int kStatusNotesPages = 2347;
constexpr int kStatusIndexPages = 2345;
constexpr int kNotesStep = 7;
constexpr int kNotesIndexStep = 10;

// The part of a note item or reference that names a note record: the text up to and
// including its second "@" (the whole text when there is none).
std::string_view RecordKey(std::string_view text) {
  std::size_t second = text.size() > 1 ? text.find('@', 1) : std::string_view::npos;
  return second == std::string_view::npos ? text : text.substr(0, second + 1);
}

bool BackLinksWanted(const settings::Settings& o) {
  return !o.minimize_absolute && !o.one_index_page_link;
}

// Whether an individual is listed on the notes index pages: it has a notes entry, or one of
// its note items names a note record.
bool HasNotesEntry(SiteContext& site, const IndividualRecord& person) {
  if (!person.defined) return false;
  if (person.notes_page != -1) return true;
  for (const NoteEntry& item : person.notes)
    if (site.NoteRecordPosition(item.text) != -1) return true;
  return false;
}

// What one notes entry is written for: an individual or a family.
struct Subject {
  const std::vector<NoteEntry>& notes;
  std::int32_t& entry_number;
  const IndividualRecord* person = nullptr;  // the individual, or null for a family
  const FamilyRecord* family = nullptr;
  const IndividualRecord* husband = nullptr;
  const IndividualRecord* wife = nullptr;
  bool living = false;  // for a family: one of the partners is living
};

class NotesWriter {
 public:
  explicit NotesWriter(SiteContext& site) : site_(site), out_(site.writer) {
    const auto& notes = site.store().notes;
    for (std::size_t i = 0; i < notes.size(); ++i) {
      const std::string& id = notes[i].id;
      if (!id.empty() && id[0] == '@')
        records_[std::string(RecordKey(id))].push_back(static_cast<int>(i));
    }
  }

  int WritePages();

 private:
  const IndividualRecord* Partner(const std::string& id) const;
  // The note records that `text` names, in table order; empty when none.
  const std::vector<int>& Records(std::string_view text) const;
  bool Included(int code) const {
    return lang::IsIncludedTag(site_.run.state.notes_tag_selection, code);
  }
  std::string PageLabel(int code) const {
    return lang::TagLabel(code, site_.labels).value_or(std::string());
  }
  std::string UiLabel(int code) const {
    return lang::TagLabelUi(code, site_.settings()).value_or(std::string());
  }

  bool WriteEntry(Subject& subject, int entry);
  void WriteHeading(Subject& subject, int entry);
  void WritePerson(const IndividualRecord& person, bool first, int entry);
  std::string ComposeRecord(const NoteRecord& record) const;
  void WriteItemLabel(int code);
  bool LdsSuppressed(const Subject& subject, int code) const;
  // The christening entry of a person treated as living, with "Suppress Living" on.
  bool ChristeningDateWithheld(const Subject& subject, int code) const;

  SiteContext& site_;
  PageWriter& out_;
  std::unordered_map<std::string, std::vector<int>> records_;
  const std::vector<int> none_;
};

const IndividualRecord* NotesWriter::Partner(const std::string& id) const {
  if (id.empty()) return nullptr;
  store::IdTarget target = site_.store().ids.Find(id);
  const auto& individuals = site_.store().individuals;
  if (target.kind != 'I' || target.index < 0 ||
      target.index >= static_cast<int>(individuals.size()))
    return nullptr;
  return &individuals[static_cast<std::size_t>(target.index)];
}

const std::vector<int>& NotesWriter::Records(std::string_view text) const {
  auto it = records_.find(std::string(RecordKey(text)));
  return it == records_.end() ? none_ : it->second;
}

int NotesWriter::WritePages() {
  ExtractImage(out_, kImageNotesIcon);
  store::GenealogyStore& store = site_.store();
  bool any = false;
  for (IndividualRecord& person : store.individuals) {
    person.notes_page = -1;
    any |= person.defined && !person.notes.empty();
  }
  for (FamilyRecord& family : store.families) {
    family.notes_page = -1;
    any |= !family.notes.empty();
  }
  if (!any) return 1;

  const int per_page = site_.GroupsNotes();
  const settings::Settings& options = site_.settings();
  int n = 0;
  int open_page = -1;
  auto visit = [&](Subject& subject) {
    // A record that writes nothing leaves n where it was; the page of n stays the open one.
    if (n % per_page == 0 && open_page != n / per_page) {
      if (open_page >= 0) {
        ShowProgress(site_.run, kNotesStep,
                     FormatText("%s : %d", lang::LoadUiText(kStatusNotesPages, options).c_str(),
                                n / per_page),
                     true);
        out_.ClosePage();
      }
      open_page = n / per_page;
      std::string file = FormatText("%s_%x.%s", site_.Prefix(PageKind::kNotes).c_str(),
                                    static_cast<unsigned>(open_page), site_.Extension().c_str());
      std::string title =
          FormatText("%s %li %s", site_.language.notes_text_a.c_str(),
                     static_cast<long>(open_page + 1), site_.language.notes_text_b.c_str());
      out_.OpenPage(site_.OutputPath(file), title, true, true);
      out_.AppendHtml("<p>");
    }
    if (!WriteEntry(subject, n)) return;
    if (BackLinksWanted(options)) out_.WriteBackLink();
    if (n % per_page != per_page - 1) out_.WriteRule();
    ++n;
  };

  for (IndividualRecord& person : store.individuals) {
    // An individual without a name is on no other page either.
    if (!person.defined || person.notes.empty()) continue;
    Subject subject{person.notes, person.notes_page};
    subject.person = &person;
    subject.living = IsLiving(person);
    visit(subject);
  }
  for (FamilyRecord& family : store.families) {
    if (family.notes.empty()) continue;
    Subject subject{family.notes, family.notes_page};
    subject.family = &family;
    subject.husband = Partner(family.husband);
    subject.wife = Partner(family.wife);
    subject.living = (subject.husband && IsLiving(*subject.husband)) ||
                     (subject.wife && IsLiving(*subject.wife));
    visit(subject);
  }
  if (open_page >= 0) out_.ClosePage();
  return 1;
}

// The item's tag label in the page language, for the labelled tags.
void NotesWriter::WriteItemLabel(int code) {
  if (lang::IsLabelledTag(code)) out_.AppendHtml("<I><B>" + PageLabel(code) + ":</B></I> ");
}

bool NotesWriter::LdsSuppressed(const Subject& subject, int code) const {
  if (!lang::IsLdsTag(code)) return false;
  const settings::Settings& o = site_.settings();
  return (o.suppress_lds_living && subject.living) || (o.suppress_lds_deceased && !subject.living);
}

bool NotesWriter::ChristeningDateWithheld(const Subject& subject, int code) const {
  return code == kTagBapm && subject.person != nullptr && subject.living &&
         site_.settings().suppress_living != 0 && !subject.person->christening_date.empty();
}

std::string NotesWriter::ComposeRecord(const NoteRecord& record) const {
  const auto& notes = site_.store().notes;
  std::string text = record.text;
  if (!record.note_reference.empty() && Included(kTagNote)) {
    for (int i : Records(record.note_reference))
      text += "<br><I>" + UiLabel(kTagNote) + ":</I> " + notes[static_cast<std::size_t>(i)].text;
  }
  if (!record.repository_reference.empty() && Included(kTagRepo)) {
    for (int i : Records(record.repository_reference))
      text += "<I>" + UiLabel(kTagRepo) + ":</I><BLOCKQUOTE>" +
              notes[static_cast<std::size_t>(i)].text + "</BLOCKQUOTE>";
  }
  return text;
}

bool NotesWriter::WriteEntry(Subject& subject, int entry) {
  const auto& notes = site_.store().notes;
  bool written = false;
  auto heading = [&] {
    if (written) return;
    WriteHeading(subject, entry);
    written = true;
  };
  for (const NoteEntry& item : subject.notes) {
    const std::string& t = item.text;
    if (!t.empty() && t[0] == '@') {
      std::string_view rest = std::string_view(t).substr(RecordKey(t).size());
      for (int i : Records(t)) {
        heading();
        std::string composed = ComposeRecord(notes[static_cast<std::size_t>(i)]);
        if (composed.empty()) continue;
        out_.AppendHtml("<BLOCKQUOTE>");
        WriteItemLabel(item.tag);
        if (item.tag == kTagSour) {
          if (std::optional<std::string> context = lang::TagLabel(item.context, site_.labels))
            out_.AppendHtml(" (" + *context + ")<br>");
        }
        out_.AppendHtml(composed);
        if (rest.size() > 4) {
          out_.AppendHtml("<BLOCKQUOTE>");
          out_.AppendHtml(rest);
          out_.AppendHtml("</BLOCKQUOTE>");
        }
        out_.AppendHtml("</BLOCKQUOTE>");
      }
      continue;
    }
    heading();
    out_.AppendHtml("<BLOCKQUOTE>");
    WriteItemLabel(item.tag);
    if (item.tag == kTagSour)
      out_.AppendHtml(FormatText(" (%s %s)<br>", PageLabel(item.context).c_str(),
                                 site_.Label(kLabelField).c_str()));
    if (LdsSuppressed(subject, item.tag)) {
      out_.AppendHtml(site_.Label(kLabelNotShown));
    } else if (ChristeningDateWithheld(subject, item.tag)) {
      // The family group pages withhold a living person's christening date and show the
      // place; so does the christening entry (made of the two) here.
      out_.AppendHtml(site_.Label(kLabelNotShown));
      if (!subject.person->christening_place.empty())
        out_.AppendHtml(" " + subject.person->christening_place);
    } else {
      out_.AppendHtml(t);
    }
    out_.AppendHtml("</BLOCKQUOTE>");
  }
  return written;
}

void NotesWriter::WriteHeading(Subject& subject, int entry) {
  subject.entry_number = entry;
  if (subject.person) {
    WritePerson(*subject.person, true, entry);
    return;
  }
  out_.AppendHtml(site_.Label(kLabelMarriageOf));
  if (subject.husband) WritePerson(*subject.husband, true, entry);
  if (subject.wife) {
    if (subject.husband) out_.AppendHtml(" " + site_.Label(kLabelAnd) + " ");
    WritePerson(*subject.wife, subject.husband == nullptr, entry);
  }
}

void NotesWriter::WritePerson(const IndividualRecord& person, bool first, int entry) {
  const settings::Settings& o = site_.settings();
  const int anchor = entry % site_.GroupsNotes();
  if (site_.MarkAncestors() && person.ancestor) WriteRedDot(site_);
  if (o.create_family_groups) {
    std::string target = FamilyGroupTarget(site_, person);
    if (first)
      out_.AppendHtml(FormatText("<a name=\"%d\" href=%s>", anchor, target.c_str()));
    else
      out_.AppendHtml(FormatText("<a href=%s>", target.c_str()));
  } else if (first) {
    // Without family group pages the entry still needs the anchor that links land on.
    out_.AppendHtml(FormatText("<a name=\"%d\"></a>", anchor));
  }
  if (!person.surname.empty()) out_.AppendHtml(person.surname);
  out_.AppendHtml(", ");
  if (!person.given_names.empty()) out_.AppendHtml(person.given_names + " ");
  if (!person.title.empty()) out_.AppendHtml(person.title + " ");
  if (o.create_family_groups) out_.AppendHtml("</a>");
  if (o.show_gedcom_ids) WriteGedcomId(site_, person);

  out_.AppendHtml("(" + site_.Label(kLabelBorn) + " ");
  if (!person.birth_date.empty() || !person.christening_date.empty()) {
    if (o.suppress_living && IsLiving(person))
      out_.AppendHtml(site_.Label(kLabelNotShown));
    else
      out_.AppendHtml(person.birth_date.empty() ? person.christening_date : person.birth_date);
  }
  if (person.deceased) {
    const std::string& date = !person.death_date.empty()    ? person.death_date
                              : !person.burial_date.empty() ? person.burial_date
                                                            : std::string("?");
    out_.AppendHtml(",&nbsp;" + site_.Label(kLabelDied) + " " + date);
  }
  out_.AppendHtml(")");
}

// The title of a notes surname index page.
std::string NotesIndexTitle(SiteContext& site, const std::string& letter, bool first_page) {
  if (letter != "~")
    return FormatText("%s %s %s (%s)", site.Label(kLabelIndexFor).c_str(), letter.c_str(),
                      site.Label(kLabelBlank).c_str(), site.Label(kLabelByNotes).c_str());
  if (first_page)
    return FormatText("%s %s", site.Label(kLabelByNotes).c_str(),
                      site.Label(kLabelBlankSurnames).c_str());
  return FormatText("%s (%s)", site.Label(kLabelBlankSurnames).c_str(),
                    site.Label(kLabelByNotes).c_str());
}

}  // namespace

int WriteNotesPages(SiteContext& site) { return NotesWriter(site).WritePages(); }

int WriteNotesSurnameList(SiteContext& site) {
  site.notes_presence = {};
  const store::GenealogyStore& store = site.store();
  PageWriter& out = site.writer;
  std::string ext = site.Extension();
  out.OpenPage(site.OutputPath(site.Prefix(PageKind::kNotesSurnameList) + "." + ext),
               FormatText("%s (%s)", site.Label(kLabelListOfSurnames).c_str(),
                          site.Label(kLabelGroupedByNotes).c_str()),
               false, true);
  if (BackLinksWanted(site.settings())) out.WriteBackLink();
  out.WriteRule();
  out.AppendHtml("<center>");

  const std::string& index_prefix = site.Prefix(PageKind::kNotesSurnameIndex);
  std::string previous_letter;  // the first group always differs
  auto write_group = [&](const std::string& surname, long count) {
    WriteSurnameListGroup(site, index_prefix, surname, count, previous_letter);
  };

  // Only individuals with notes are counted, also within a run of one surname.
  bool any = false;
  ForEachSurnameGroup(
      store,
      [&](const IndividualRecord& person) {
        if (!HasNotesEntry(site, person)) return false;
        any = true;
        site.notes_presence[store::IndexSlotOfText(person.sort_key, store.text_encoding)] = true;
        return true;
      },
      write_group);
  out.AppendHtml("</center>");
  out.ClosePage();
  return any ? 1 : 0;
}

int WriteNotesSurnameIndexPages(SiteContext& site) {
  const store::GenealogyStore& store = site.store();
  const settings::Settings& o = site.settings();
  PageWriter& out = site.writer;
  std::string ext = site.Extension();
  const std::string& prefix = site.Prefix(PageKind::kNotesSurnameIndex);
  bool page_open = false;
  bool first_page = true;
  std::string page_letter;
  std::string remembered_surname;
  for (int i = 0; i < store.sorted_count; ++i) {
    const IndividualRecord& person = store.individuals[store.sorted_index[i]];
    if (!HasNotesEntry(site, person)) continue;
    std::string letter = PageLetter(site, person.sort_key);
    if (!page_open || letter != page_letter) {
      std::string file =
          FormatText("%s_%s.%s", prefix.c_str(), FileLetter(letter).c_str(), ext.c_str());
      if (page_open) {
        out.ClosePage();
        ShowProgress(site.run, kNotesIndexStep,
                     lang::LoadUiText(kStatusIndexPages, o) + " " + StatusFileName(site, file),
                     true);
      }
      out.OpenPage(site.OutputPath(file), NotesIndexTitle(site, letter, first_page), true, true);
      WriteIndexLetters(site, IndexKind::kNotes, false);
      if (BackLinksWanted(o)) out.WriteBackLink();
      out.WriteRule();
      page_open = true;
      first_page = false;
      page_letter = letter;
    }
    bool anchor = person.surname != remembered_surname;
    remembered_surname = person.surname;
    if (o.index_dates)
      WritePersonEntry(site, PersonLinkKind::kNotes, person, anchor);
    else
      WritePersonLink(site, PersonLinkKind::kNotes, person, false, anchor, kNoColour);
  }
  if (page_open) out.ClosePage();
  return 1;
}

}  // namespace kinloom::site
