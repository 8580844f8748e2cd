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
#include "site/page_facts.h"
#include "site/person_links.h"
#include "store/family_links.h"
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
constexpr int kLabelNone = 12402;
constexpr int kLabelOther = 12403;
constexpr int kLabelByNotes = 12421;
constexpr int kLabelGroupedByNotes = 12609;

constexpr int kStatusNotesPages = 2347;
constexpr int kStatusIndexPages = 2345;
constexpr int kNotesStep = 7;
constexpr int kNotesIndexStep = 10;

bool BackLinksWanted(const settings::Settings& o) {
  return !o.minimize_absolute && !o.one_index_page_link;
}

// Whether an individual is listed on the notes index pages: it has a notes entry.
bool Listed(const SiteContext& site, const IndividualRecord& person) {
  return site.layout().notes.IndividualEntry(
             static_cast<std::size_t>(&person - site.store().individuals.data())) != -1;
}

// What one notes entry is written for: an individual or a family.
struct Subject {
  const std::vector<NoteEntry>& notes;
  std::int32_t entry = -1;  // the entry number, -1 when the record gets no entry
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
        records_[std::string(NoteRecordKey(id))].push_back(static_cast<int>(i));
    }
  }

  void WritePages();

 private:
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

  void WriteEntry(const Subject& subject);
  void Heading(const Subject& subject, NotesEntryUnit& entry) const;
  NotesPersonUnit Person(const IndividualRecord& person, bool first, int entry) const;
  bool ComposeRecord(const NoteRecord& record, NotesItemUnit& item) const;
  std::optional<std::string> ItemLabel(int code) const;
  bool LdsSuppressed(const Subject& subject, int code) const;
  // The christening entry of a person treated as living, with "Suppress Living" on.
  bool ChristeningDateWithheld(const Subject& subject, int code) const;

  SiteContext& site_;
  PageWriter& out_;
  std::unordered_map<std::string, std::vector<int>> records_;
  const std::vector<int> none_;
};

const std::vector<int>& NotesWriter::Records(std::string_view text) const {
  auto it = records_.find(std::string(NoteRecordKey(text)));
  return it == records_.end() ? none_ : it->second;
}

void NotesWriter::WritePages() {
  if (!site_.settings().modern_pages()) ExtractImage(out_, kImageNotesIcon);
  const store::GenealogyStore& store = site_.store();
  const NotesLayout& layout = site_.layout().notes;
  const int per_page = site_.GroupsNotes();
  const settings::Settings& options = site_.settings();
  int n = 0;  // the entries written so far
  int open_page = -1;
  auto visit = [&](const Subject& subject) {
    // The page of entry n opens when a record with notes reaches it, even one that gets no
    // entry: n stays where it was, and the page of n stays the open one.
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
      site_.style().NotesPageStart(out_);
    }
    if (subject.entry == -1) return;
    WriteEntry(subject);
    if (BackLinksWanted(options)) out_.WriteBackLink();
    if (n % per_page != per_page - 1) out_.WriteRule();
    n = subject.entry + 1;
  };

  for (std::size_t i = 0; i < store.individuals.size(); ++i) {
    const IndividualRecord& person = store.individuals[i];
    // An individual without a name is on no other page either.
    if (!person.defined || person.notes.empty()) continue;
    Subject subject{person.notes, layout.IndividualEntry(i)};
    subject.person = &person;
    subject.living = IsLiving(person);
    visit(subject);
  }
  for (std::size_t i = 0; i < store.families.size(); ++i) {
    const FamilyRecord& family = store.families[i];
    if (family.notes.empty()) continue;
    Subject subject{family.notes, layout.FamilyEntry(i)};
    subject.family = &family;
    subject.husband = store::Husband(store, family);
    subject.wife = store::Wife(store, family);
    subject.living = (subject.husband && IsLiving(*subject.husband)) ||
                     (subject.wife && IsLiving(*subject.wife));
    visit(subject);
  }
  if (open_page >= 0) out_.ClosePage();
}

// The item's tag label in the page language, for the labelled tags.
std::optional<std::string> NotesWriter::ItemLabel(int code) const {
  if (!lang::IsLabelledTag(code)) return std::nullopt;
  return PageLabel(code);
}

bool NotesWriter::LdsSuppressed(const Subject& subject, int code) const {
  return OrdinanceWithheld(code, subject.living, site_.settings());
}

bool NotesWriter::ChristeningDateWithheld(const Subject& subject, int code) const {
  return code == kTagBapm && subject.person != nullptr &&
         ChristeningItemDateWithheld(*subject.person, site_.settings());
}

// A note record's item: its text with the records it refers to. Returns false when all of
// that is empty, and the item shows nothing.
bool NotesWriter::ComposeRecord(const NoteRecord& record, NotesItemUnit& item) const {
  const auto& notes = site_.store().notes;
  item.from_record = true;
  item.text = record.text;
  if (!record.note_reference.empty() && Included(kTagNote)) {
    for (int i : Records(record.note_reference))
      item.notes.push_back({UiLabel(kTagNote), notes[static_cast<std::size_t>(i)].text});
  }
  if (!record.repository_reference.empty() && Included(kTagRepo)) {
    for (int i : Records(record.repository_reference))
      item.repositories.push_back({UiLabel(kTagRepo), notes[static_cast<std::size_t>(i)].text});
  }
  return !item.text.empty() || !item.notes.empty() || !item.repositories.empty();
}

void NotesWriter::WriteEntry(const Subject& subject) {
  const auto& notes = site_.store().notes;
  NotesEntryUnit entry;
  Heading(subject, entry);
  for (const NoteEntry& note : subject.notes) {
    const std::string& t = note.text;
    if (!t.empty() && t[0] == '@') {
      std::string_view rest = std::string_view(t).substr(NoteRecordKey(t).size());
      for (int i : Records(t)) {
        NotesItemUnit item;
        if (!ComposeRecord(notes[static_cast<std::size_t>(i)], item)) continue;
        item.label = ItemLabel(note.tag);
        if (note.tag == kTagSour) item.context_label = lang::TagLabel(note.context, site_.labels);
        if (rest.size() > 4) item.rest = std::string(rest);
        entry.items.push_back(std::move(item));
      }
      continue;
    }
    NotesItemUnit item;
    item.label = ItemLabel(note.tag);
    if (note.tag == kTagSour) item.context_label = PageLabel(note.context);
    item.text = t;
    if (LdsSuppressed(subject, note.tag))
      item.withheld = true;
    else if (ChristeningDateWithheld(subject, note.tag))
      item.christening_place = subject.person->christening_place;
    entry.items.push_back(std::move(item));
  }
  site_.style().NotesEntry(out_, entry);
}

void NotesWriter::Heading(const Subject& subject, NotesEntryUnit& entry) const {
  if (subject.person) {
    entry.people.push_back(Person(*subject.person, true, subject.entry));
    return;
  }
  entry.family = true;
  if (subject.husband) entry.people.push_back(Person(*subject.husband, true, subject.entry));
  if (subject.wife)
    entry.people.push_back(Person(*subject.wife, subject.husband == nullptr, subject.entry));
}

NotesPersonUnit NotesWriter::Person(const IndividualRecord& person, bool first, int entry) const {
  const settings::Settings& o = site_.settings();
  NotesPersonUnit unit;
  unit.red_dot = site_.MarkAncestors() && person.ancestor;
  // Without family group pages the entry still needs the anchor that links land on.
  if (first) unit.anchor = entry % site_.GroupsNotes();
  if (o.create_family_groups) unit.target = FamilyGroupTarget(site_, person);
  unit.surname = person.surname;
  unit.given_names = person.given_names;
  unit.title = person.title;
  if (o.show_gedcom_ids) unit.gedcom_id = person.id;
  unit.dates = DatesShown(person, DatesOn::kNotesHeading, o);
  return unit;
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

void WriteNotesPages(SiteContext& site) { NotesWriter(site).WritePages(); }

int WriteNotesSurnameList(SiteContext& site) {
  const store::GenealogyStore& store = site.store();
  PageWriter& out = site.writer;
  std::string ext = site.Extension();
  out.OpenPage(site.OutputPath(site.Prefix(PageKind::kNotesSurnameList) + "." + ext),
               FormatText("%s (%s)", site.Label(kLabelListOfSurnames).c_str(),
                          site.Label(kLabelGroupedByNotes).c_str()),
               false, true);
  if (BackLinksWanted(site.settings())) out.WriteBackLink();
  out.WriteRule();
  const PageStyle::SurnameList list{PageKind::kNotesSurnameList};
  site.style().WriteSurnameListStart(out, list);

  const std::string& index_prefix = site.Prefix(PageKind::kNotesSurnameIndex);
  std::string previous_letter;  // the first group always differs
  auto write_group = [&](const std::string& surname, long count) {
    WriteSurnameListGroup(site, index_prefix, surname, count, previous_letter);
  };

  // Only individuals with notes are counted, also within a run of one surname.
  ForEachSurnameGroup(
      store, [&](const IndividualRecord& person) { return Listed(site, person); }, write_group);
  site.style().WriteSurnameListEnd(out, list);
  out.ClosePage();
  return site.layout().notes.any_listed ? 1 : 0;
}

void WriteNotesSurnameIndexPages(SiteContext& site) {
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
    store::PrefetchSortedWalk(store, i);
    const IndividualRecord& person = store.individuals[store.sorted_index[i]];
    if (!Listed(site, person)) continue;
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
}

}  // namespace kinloom::site
