#include "gedcom/loading_pass.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gedcom/line_reader.h"
#include "gedcom/note_markup.h"
#include "gedcom/pass_progress.h"
#include "lang/label_set.h"
#include "lang/tag_labels.h"
#include "lang/ui_text.h"
#include "platform/program_end.h"
#include "store/broken_links.h"
#include "store/expanding_array.h"
#include "store/genealogy_store.h"
#include "store/note_text_buffer.h"
#include "store/store_text.h"

namespace kinloom::gedcom {

namespace {

constexpr int kStatusLineCount = 2329;           // "Reading input File \n\n Line = %d"
constexpr int kStatusReadingIntoBuffers = 2324;  // "Reading Database into buffers"
constexpr int kTextFamilyOverflow = 2327;      // "Error!  Family Table Overflow!  %s Closing Down."
constexpr int kTextIndividualOverflow = 2325;  // "Error!  Individual Table Overflow! %s ..."

enum class RecordKind { kNone, kIndividual, kFamily, kNoteRecord };
enum class Event { kNone, kBirth, kChristening, kDeath, kBurial, kMarriage };

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char a = text[i], b = prefix[i];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (a != b) return false;
  }
  return true;
}

bool EqualsNoCase(std::string_view text, std::string_view word) {
  return text.size() == word.size() && StartsWithNoCase(text, word);
}

class Loader {
 public:
  Loader(run::RunContext& context, platform::InputFile& file)
      : context_(context),
        state_(context.state),
        store_(context.store),
        faults_(context.ui),
        selection_(context.state.notes_tag_selection),
        reader_(file),
        labels_(context.state.current_language) {}

  void Run();

 private:
  // One read; a consuming read advances the line counter and may report progress.
  int Read(bool peek);
  bool Selected(int code) const { return lang::IsIncludedTag(selection_, code); }
  bool NotesWanted() const { return state_.notes_wanted; }
  std::optional<std::string> Label(int code) const { return lang::TagLabel(code, labels_); }

  void Level0(int code, const std::string& token, const std::string& value);
  void Level1(int code, const std::string& value);
  void Level2(int code, const std::string& value);
  void StartNoteRecord(const std::string& token, const std::string& value, std::string_view keyword,
                       std::string_view long_keyword);
  void GatherRecordSubLines();
  void FinishNoteRecord();
  void AddChristeningNote();
  void CollectNoteEntry(int code, int level, std::vector<store::NoteEntry>& notes,
                        const std::string& value, int context);
  void AddNoteEntry(std::vector<store::NoteEntry>& notes, int code, std::string_view text,
                    int context);
  // An escaped name, date, place or title in its arena.
  store::StoredText Escaped(store::TextArena& arena, std::string_view value);
  [[noreturn]] void Overflow(int message);
  // Enters the id of the record that starts on the current line; false when the record is
  // skipped as a duplicate.
  bool EnterId(const std::string& id, store::IdTarget target);
  // The id of a reference value; empty for GEDCOM 7's "@VOID@", which names no record.
  std::string ReferenceId(const std::string& value) const;
  // Keeps a reference line for the check of broken links, when they are skipped.
  void NoteLink(store::LinkField field, int record, const std::string& id);

  run::RunContext& context_;
  run::RunState& state_;
  store::GenealogyStore& store_;
  store::MessageBoxFaults faults_;  // a duplicate id is shown in a warning box
  const lang::NotesTagSelection& selection_;
  LineReader reader_;
  lang::LabelSet labels_;

  RecordKind kind_ = RecordKind::kNone;
  store::IndividualRecord* individual_ = nullptr;
  store::FamilyRecord* family_ = nullptr;
  bool name_seen_ = false;  // the current individual's first NAME line has been read
  Event event_ = Event::kNone;
  int last_level0_ = 0;
  int last_level1_ = 0;

  bool in_note_ = false;
  std::string note_id_, note_reference_, repository_reference_;
  // A note as read: the file's text with the pass's own <BR> and <I> labels among it. The
  // whole note is sanitized when it is stored (gedcom/note_markup.h), so that markup split
  // over CONC and CONT lines is read as one.
  store::NoteTextBuffer buffer_;
  // First stored NoteRecord of each id, for pointer values in gathered notes.
  std::unordered_map<std::string, int> note_index_;

  bool gedcom7_ = false;  // the header says "1 GEDC" / "2 VERS 7..."
  bool skip_broken_links_ = false;
  std::vector<int> individual_lines_, family_lines_;  // first line of each loaded record
  std::vector<store::LinkLine> link_lines_;
  store::BrokenLinkWarnings warnings_;
};

int Loader::Read(bool peek) {
  int level = reader_.ReadGedcomLine(peek);
  if (!peek) {
    ++state_.line_count;
    if (state_.reading_database && IsStatusCount(state_.line_count)) {
      ShowPassProgress(
          context_, 26,
          lang::FormatText(lang::LoadUiText(kStatusLineCount, context_.settings).c_str(),
                           state_.line_count));
    }
  }
  return level;
}

store::StoredText Loader::Escaped(store::TextArena& arena, std::string_view value) {
  return arena.Store(store::StoreEscapedText(value));
}

void Loader::AddNoteEntry(std::vector<store::NoteEntry>& notes, int code, std::string_view text,
                          int context) {
  run::RunStatistics* statistics = run::StatisticsOf(state_);
  store::ArrayOwner owner;
  if (statistics != nullptr) {
    // The record whose array this is: the current family or individual, or the previous
    // individual for the christening note added when the next record starts.
    const store::IndividualRecord* last =
        state_.individuals_loaded > 0 &&
                static_cast<std::size_t>(state_.individuals_loaded) <= store_.individuals.size()
            ? &store_.individuals[static_cast<std::size_t>(state_.individuals_loaded - 1)]
            : nullptr;
    if (family_ != nullptr && &notes == &family_->notes)
      owner = {'F', family_->index, family_->id};
    else if (individual_ != nullptr && &notes == &individual_->notes)
      owner = {'I', individual_->index, individual_->name};
    else if (last != nullptr && &notes == &last->notes)
      owner = {'I', last->index, last->name};
  }
  store::AddNote(notes, code, store_.texts.notes.Store(text), context, store_.notes_entries_stored,
                 statistics != nullptr ? &statistics->notes : nullptr, owner);
}

bool Loader::EnterId(const std::string& id, store::IdTarget target) {
  auto line_of = [this](store::IdTarget first) {
    const std::vector<int>& lines = first.kind == 'I' ? individual_lines_ : family_lines_;
    return first.index >= 0 && static_cast<std::size_t>(first.index) < lines.size()
               ? lines[static_cast<std::size_t>(first.index)]
               : 0;
  };
  if (!store::EnterRecordId(store_.ids, context_.settings, faults_, id, target, state_.line_count,
                            line_of, warnings_))
    return false;
  (target.kind == 'I' ? individual_lines_ : family_lines_).push_back(state_.line_count);
  return true;
}

std::string Loader::ReferenceId(const std::string& value) const {
  std::string id = ExtractXref(value);
  if (gedcom7_ && id == "VOID") id.clear();
  return id;
}

void Loader::NoteLink(store::LinkField field, int record, const std::string& id) {
  if (skip_broken_links_ && !id.empty())
    link_lines_.push_back({field, record, state_.line_count, id});
}

void Loader::Overflow(int message) {
  context_.ui.ShowMessage(
      lang::FormatText(lang::LoadUiText(message, context_.settings).c_str(), kProductString), "",
      platform::MessageIcon::kWarning, platform::MessageButtons::kOk);
  platform::EndProgram(1, "record table overflow");
}

void Loader::Run() {
  in_note_ = false;
  store_.note_records_stored = 0;
  store_.notes_entries_stored = 0;
  buffer_.Create(store::NoteTextBuffer::kStep);
  skip_broken_links_ = context_.settings.skip_broken_links != 0;

  ShowPassProgress(context_, 25, lang::LoadUiText(kStatusReadingIntoBuffers, context_.settings));
  state_.line_count = 0;
  int level = Read(false);
  // The text arrives in the encoding the reader recognised; labels put into notes must match.
  state_.source_encoding = reader_.encoding();
  store_.text_encoding = TextEncodingFor(reader_.encoding());
  labels_.SetTextEncoding(store_.text_encoding);
  state_.line_count = 1;
  state_.reading_database = true;
  while (level != kEndOfInput) {
    std::string token = reader_.ReadToken();
    int code = reader_.LookupTag(token);
    std::string value = reader_.ReadValue();
    if (level == 0)
      Level0(code, token, value);
    else if (level == 1)
      Level1(code, value);
    else if (level == 2)
      Level2(code, value);
    level = Read(false);
  }
  // A file that ends without a trailer line still keeps its last note record and the
  // christening note of its last individual.
  FinishNoteRecord();
  AddChristeningNote();
  state_.reading_database = false;
  if (skip_broken_links_)
    store::DropBrokenLinks(store_, link_lines_, context_.settings, warnings_);
  warnings_.Show(context_.ui, context_.settings);
}

void Loader::FinishNoteRecord() {
  if (!in_note_) return;
  store::NoteRecord record;
  record.id = store_.texts.notes.Store(note_id_);
  record.text = store_.texts.notes.Store(SanitizeNoteMarkup(buffer_.str(), store_.text_encoding));
  record.note_reference = store_.texts.notes.Store(note_reference_);
  record.repository_reference = store_.texts.notes.Store(repository_reference_);
  int slot = store_.note_records_stored;
  if (store_.StoreNoteRecord(std::move(record))) note_index_.emplace(note_id_, slot);
  buffer_.Clear();
  note_reference_.clear();
  repository_reference_.clear();
  in_note_ = false;
}

void Loader::AddChristeningNote() {
  if (!NotesWanted() ||
      !(Selected(kTagChra) || Selected(kTagChr) || Selected(kTagBapm) || Selected(kTagBapl)))
    return;
  if (state_.individuals_loaded <= 0) return;
  store::IndividualRecord& last =
      store_.individuals[static_cast<std::size_t>(state_.individuals_loaded - 1)];
  if (last.christening_date.empty() && last.christening_place.empty()) return;
  AddNoteEntry(last.notes, kTagBapm, last.christening_date + " " + last.christening_place, 0);
}

void Loader::Level0(int code, const std::string& token, const std::string& value) {
  FinishNoteRecord();
  if (code != kTagConc && code != kTagCont) last_level0_ = code;
  bool note_kind = code == kTagNote || code == kTagRepo || code == kTagSour;
  kind_ = code == kTagFam                                ? RecordKind::kFamily
          : code == kTagIndi                             ? RecordKind::kIndividual
          : note_kind && Selected(code) && NotesWanted() ? RecordKind::kNoteRecord
                                                         : RecordKind::kNone;
  in_note_ = false;

  if (code == kTagFam) {
    int slot = state_.families_loaded;
    std::string id = ExtractXref(token);
    if (!EnterId(id, {'F', slot})) {
      kind_ = RecordKind::kNone;
      return;
    }
    ++state_.families_loaded;
    if (slot >= state_.family_count || static_cast<std::size_t>(slot) >= store_.families.size())
      Overflow(kTextFamilyOverflow);
    family_ = &store_.families[static_cast<std::size_t>(slot)];
    family_->defined = true;
    family_->kind = 'F';
    family_->index = slot;
    family_->id = store_.texts.ids.Store(id);
  } else if (code == kTagIndi) {
    AddChristeningNote();
    int slot = state_.individuals_loaded;
    std::string id = ExtractXref(token);
    if (!EnterId(id, {'I', slot})) {
      kind_ = RecordKind::kNone;
      return;
    }
    ++state_.individuals_loaded;
    if (slot >= state_.individual_count ||
        static_cast<std::size_t>(slot) >= store_.individuals.size())
      Overflow(kTextIndividualOverflow);
    individual_ = &store_.individuals[static_cast<std::size_t>(slot)];
    individual_->defined = true;
    individual_->kind = 'I';
    individual_->index = slot;
    individual_->id = store_.texts.ids.Store(id);
    name_seen_ = false;
  } else if (kind_ == RecordKind::kNoteRecord) {
    if (code == kTagNote) {
      // GEDCOM 7's shared note record "0 @N1@ SNOTE text" is a NOTE record.
      StartNoteRecord(token, value, value.substr(0, 5) == "SNOTE" ? "SNOTE" : "NOTE", {});
    } else if (code == kTagRepo) {
      StartNoteRecord(token, value, "REPO", "REPOSITORY");
      GatherRecordSubLines();
    } else {
      StartNoteRecord(token, value, "SOUR", "SOURCE");
      GatherRecordSubLines();
    }
  }
}

void Loader::StartNoteRecord(const std::string& token, const std::string& value,
                             std::string_view keyword, std::string_view long_keyword) {
  in_note_ = true;
  buffer_.Clear();
  note_id_ = token;
  if (EqualsNoCase(value, keyword)) return;
  std::string_view text(value);
  if (!long_keyword.empty() && StartsWithNoCase(text, long_keyword))
    text.remove_prefix(long_keyword.size());
  else if (text.substr(0, keyword.size()) == keyword)
    text.remove_prefix(keyword.size());
  buffer_.Append(text);
  buffer_.Append("<BR>");
}

void Loader::GatherRecordSubLines() {
  while (Read(true) > 0) {
    Read(false);
    std::string token = reader_.ReadToken();
    int code = reader_.LookupTag(token);
    std::string value = reader_.ReadValue();
    if (value.empty()) continue;
    if (code == kTagNote && value.front() == '@') {
      note_reference_ = value;
    } else if (code == kTagRepo && value.front() == '@') {
      repository_reference_ = value;
    } else if (std::optional<std::string> label = Label(code)) {
      if (code != kTagConc && code != kTagCont) {
        buffer_.Append("<I>");
        buffer_.Append(*label + ": ");
        buffer_.Append("</I>");
      }
      buffer_.Append(value);
      buffer_.Append("<BR>");
    }
  }
}

void Loader::Level1(int code, const std::string& value) {
  event_ = Event::kNone;
  if (code != kTagConc && code != kTagCont) last_level1_ = code;

  if (kind_ == RecordKind::kNoteRecord) {
    if (!in_note_) return;
    if (code == kTagCont) {
      if (!buffer_.empty()) buffer_.Append("<BR>");
      buffer_.Append(value);
    } else if (code == kTagConc) {
      buffer_.Append(value);
    }
    return;
  }

  if (kind_ == RecordKind::kIndividual) {
    store::IndividualRecord& person = *individual_;
    switch (code) {
      case kTagAlia:
        person.also_known_as = store_.texts.names.Store(value);
        return;
      case kTagBapl:
      case kTagBapm:
      case kTagChr:
      case kTagChra:
        event_ = Event::kChristening;
        return;
      case kTagBirt:
        event_ = Event::kBirth;
        return;
      case kTagBuri:
        event_ = Event::kBurial;
        return;
      case kTagDeat:
        event_ = Event::kDeath;
        return;
      case kTagFamc: {
        std::string id = ReferenceId(value);
        if (gedcom7_ && id.empty()) return;
        NoteLink(store::LinkField::kParentsFamily, person.index, id);
        person.parents_family = store_.texts.ids.Store(id);
        ++person.parents_family_count;
        return;
      }
      case kTagFams: {
        std::string id = ReferenceId(value);
        if (gedcom7_ && id.empty()) return;
        NoteLink(store::LinkField::kSpouseFamily, person.index, id);
        run::RunStatistics* statistics = run::StatisticsOf(state_);
        store::AddSpouseFamily(person, store_.texts.ids.Store(id),
                               statistics != nullptr ? &statistics->families : nullptr);
        if (person.spouse_family_count < store::kExpandingArrayCapacity)
          ++person.spouse_family_count;
        return;
      }
      case kTagName:
        // The first NAME line is the name even when its value is empty.
        if (!name_seen_) {
          name_seen_ = true;
          person.name = store_.texts.names.Store(value);
        } else {
          person.also_known_as = store_.texts.names.Store(
              person.also_known_as.empty() ? value : person.also_known_as + ", " + value);
        }
        return;
      case kTagSex:
        if (!value.empty() && value.front() == 'M')
          person.sex = 2;
        else if (!value.empty() && value.front() == 'F')
          person.sex = 1;
        return;
      case kTagTitl:
        person.title = Escaped(store_.texts.titles, value);
        return;
      case kTagChil:
      case kTagHusb:
      case kTagWife:
      case kTagMarr:
      case kTagCont:
      case kTagConc:
        return;
      default:
        if (NotesWanted() && Selected(code))
          CollectNoteEntry(code, 1, person.notes, value, last_level0_);
        return;
    }
  }

  if (kind_ == RecordKind::kFamily) {
    store::FamilyRecord& family = *family_;
    switch (code) {
      case kTagChil: {
        std::string id = ReferenceId(value);
        if (gedcom7_ && id.empty()) return;
        NoteLink(store::LinkField::kChild, family.index, id);
        if (family.children.size() < static_cast<std::size_t>(store::kMaxChildren))
          family.children.push_back(store_.texts.ids.Store(id));
        return;
      }
      case kTagHusb:
        family.husband = store_.texts.ids.Store(ReferenceId(value));
        NoteLink(store::LinkField::kHusband, family.index, family.husband);
        return;
      case kTagWife:
        family.wife = store_.texts.ids.Store(ReferenceId(value));
        NoteLink(store::LinkField::kWife, family.index, family.wife);
        return;
      case kTagMarr:
        event_ = Event::kMarriage;
        return;
      case kTagAlia:
      case kTagBapl:
      case kTagBapm:
      case kTagChr:
      case kTagChra:
      case kTagBirt:
      case kTagBuri:
      case kTagDeat:
      case kTagFamc:
      case kTagFams:
      case kTagName:
      case kTagSex:
      case kTagTitl:
      case kTagCont:
      case kTagConc:
        return;
      default:
        if (NotesWanted() && Selected(code))
          CollectNoteEntry(code, 1, family.notes, value, last_level0_);
        return;
    }
  }
}

void Loader::Level2(int code, const std::string& value) {
  if (code == kTagVers && last_level0_ == kTagHead && last_level1_ == kTagGedc)
    gedcom7_ = value.substr(0, 2) == "7.";
  if (code == kTagDate || code == kTagPlac) {
    bool date = code == kTagDate;
    store::StoredText* field = nullptr;
    bool* seen = nullptr;
    bool* deceased = nullptr;
    if (kind_ == RecordKind::kIndividual) {
      store::IndividualRecord& p = *individual_;
      switch (event_) {
        case Event::kBirth:
          field = date ? &p.birth_date : &p.birth_place;
          seen = &p.birth_seen;
          break;
        case Event::kChristening:
          field = date ? &p.christening_date : &p.christening_place;
          seen = &p.christening_seen;
          break;
        case Event::kDeath:
          field = date ? &p.death_date : &p.death_place;
          deceased = &p.deceased;
          break;
        case Event::kBurial:
          field = date ? &p.burial_date : &p.burial_place;
          seen = &p.burial_seen;
          deceased = &p.deceased;
          break;
        default:
          break;
      }
    } else if (kind_ == RecordKind::kFamily && event_ == Event::kMarriage) {
      field = date ? &family_->marriage_date : &family_->marriage_place;
      seen = &family_->marriage_seen;
    }
    if (field == nullptr || !field->empty()) return;
    *field = Escaped(date ? store_.texts.dates : store_.texts.places, value);
    if (date) {
      if (seen != nullptr) *seen = true;
      if (deceased != nullptr) *deceased = true;
    }
    return;
  }
  if (code == kTagCont || code == kTagConc) {
    if (kind_ == RecordKind::kNoteRecord) Level1(code, value);
    return;
  }
  if (!NotesWanted() || !Selected(code)) return;
  if (kind_ == RecordKind::kIndividual)
    CollectNoteEntry(code, 2, individual_->notes, value, last_level1_);
  else if (kind_ == RecordKind::kFamily)
    CollectNoteEntry(code, 2, family_->notes, value, last_level1_);
}

void Loader::CollectNoteEntry(int code, int level, std::vector<store::NoteEntry>& notes,
                              const std::string& value, int context) {
  buffer_.Clear();
  note_reference_.clear();
  repository_reference_.clear();
  buffer_.Append(value);
  for (int next = Read(true); next > level; next = Read(true)) {
    Read(false);
    std::string token = reader_.ReadToken();
    int sub_code = reader_.LookupTag(token);
    std::string sub_value = reader_.ReadValue();
    if (sub_code != kTagConc && !buffer_.empty() && buffer_.str().back() != '@')
      buffer_.Append("<BR>");
    if (sub_code != kTagConc && sub_code != kTagCont) {
      if (sub_code == kTagSour && Selected(kTagSour)) {
        AddNoteEntry(notes, kTagSour, SanitizeNoteItem(sub_value, store_.text_encoding), context);
        while (Read(true) > next) Read(false);
        continue;
      }
      if (std::optional<std::string> label = Label(sub_code)) {
        buffer_.Append("<I>");
        buffer_.Append(*label + ": ");
        buffer_.Append("</I>");
      }
    }
    if (!sub_value.empty() && sub_value.front() == '@') {
      auto it = note_index_.find(sub_value);
      if (it != note_index_.end())
        buffer_.Append(store_.notes[static_cast<std::size_t>(it->second)].text.view());
    } else {
      buffer_.Append(sub_value);
    }
  }
  AddNoteEntry(notes, code, SanitizeNoteItem(buffer_.str(), store_.text_encoding), context);
}

}  // namespace

void LoadingPass(run::RunContext& context, platform::InputFile& file) {
  Loader loader(context, file);
  loader.Run();
}

}  // namespace kinloom::gedcom
