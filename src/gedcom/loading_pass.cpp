#include "gedcom/loading_pass.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gedcom/line_reader.h"
#include "gedcom/pass_progress.h"
#include "lang/label_set.h"
#include "lang/tag_labels.h"
#include "lang/ui_text.h"
#include "platform/program_end.h"
#include "store/expanding_array.h"
#include "store/genealogy_store.h"
#include "store/note_text_buffer.h"
#include "store/store_text.h"

namespace kinloom::gedcom {

namespace {

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

// GEDCOM note values are plain text: they are kept escaped for HTML, so that only the markup
// the program adds reaches the page as markup. A value that names a note record keeps that
// id ("@N5@") as it is, for the lookups; the text after it is escaped.
std::string EscapedNoteValue(std::string_view value) {
  if (!value.empty() && value.front() == '@') {
    std::size_t second = value.find('@', 1);
    if (second != std::string_view::npos) {
      std::string out(value.substr(0, second + 1));
      out += store::StoreEscapedText(value.substr(second + 1));
      return out;
    }
  }
  return store::StoreEscapedText(value);
}

class Loader {
 public:
  Loader(run::RunContext& context, platform::InputFile& file)
      : context_(context),
        state_(context.state),
        store_(context.store),
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
  void AddNoteEntry(std::vector<store::NoteEntry>& notes, int code, std::string text, int context);
  [[noreturn]] void Overflow(int message);

  run::RunContext& context_;
  run::RunState& state_;
  store::GenealogyStore& store_;
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
  store::NoteTextBuffer buffer_;
  // First stored NoteRecord of each id, for pointer values in gathered notes.
  std::unordered_map<std::string, int> note_index_;
};

int Loader::Read(bool peek) {
  int level = reader_.ReadGedcomLine(peek);
  if (!peek) {
    ++state_.line_count;
    if (state_.reading_database && IsStatusCount(state_.line_count)) {
      ShowPassProgress(
          context_, 26,
          lang::FormatText(lang::LoadUiText(2329, context_.settings).c_str(), state_.line_count));
    }
  }
  return level;
}

void Loader::AddNoteEntry(std::vector<store::NoteEntry>& notes, int code, std::string text,
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
  store::AddNote(notes, code, std::move(text), context, store_.notes_entries_stored,
                 statistics != nullptr ? &statistics->notes : nullptr, owner);
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

  ShowPassProgress(context_, 25, lang::LoadUiText(2324, context_.settings));
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
}

void Loader::FinishNoteRecord() {
  if (!in_note_) return;
  store::NoteRecord record;
  record.id = note_id_;
  record.text = buffer_.str();
  record.note_reference = std::move(note_reference_);
  record.repository_reference = std::move(repository_reference_);
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
    int slot = state_.families_loaded++;
    std::string id = ExtractXref(token);
    store::InsertId(store_.ids, context_.ui, id, {'F', slot});
    if (slot >= state_.family_count || static_cast<std::size_t>(slot) >= store_.families.size())
      Overflow(2327);
    family_ = &store_.families[static_cast<std::size_t>(slot)];
    family_->defined = true;
    family_->kind = 'F';
    family_->index = slot;
    family_->id = std::move(id);
    family_->notes_page = -1;
  } else if (code == kTagIndi) {
    AddChristeningNote();
    int slot = state_.individuals_loaded++;
    std::string id = ExtractXref(token);
    store::InsertId(store_.ids, context_.ui, id, {'I', slot});
    if (slot >= state_.individual_count ||
        static_cast<std::size_t>(slot) >= store_.individuals.size())
      Overflow(2325);
    individual_ = &store_.individuals[static_cast<std::size_t>(slot)];
    individual_->defined = true;
    individual_->kind = 'I';
    individual_->index = slot;
    individual_->id = std::move(id);
    individual_->notes_page = -1;
    name_seen_ = false;
  } else if (kind_ == RecordKind::kNoteRecord) {
    if (code == kTagNote) {
      StartNoteRecord(token, value, "NOTE", {});
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
  buffer_.Append(store::StoreEscapedText(text));
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
      buffer_.Append(store::StoreEscapedText(value));
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
      buffer_.Append(store::StoreEscapedText(value));
    } else if (code == kTagConc) {
      buffer_.Append(store::StoreEscapedText(value));
    }
    return;
  }

  if (kind_ == RecordKind::kIndividual) {
    store::IndividualRecord& person = *individual_;
    switch (code) {
      case kTagAlia:
        person.also_known_as = value;
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
      case kTagFamc:
        person.parents_family = ExtractXref(value);
        ++person.parents_family_count;
        return;
      case kTagFams: {
        run::RunStatistics* statistics = run::StatisticsOf(state_);
        store::AddSpouseFamily(person, ExtractXref(value),
                               statistics != nullptr ? &statistics->families : nullptr);
        if (person.spouse_family_count < store::kExpandingArrayCapacity)
          ++person.spouse_family_count;
        return;
      }
      case kTagName:
        // The first NAME line is the name even when its value is empty.
        if (!name_seen_) {
          name_seen_ = true;
          person.name = value;
        } else {
          person.also_known_as =
              person.also_known_as.empty() ? value : person.also_known_as + ", " + value;
        }
        return;
      case kTagSex:
        if (!value.empty() && value.front() == 'M')
          person.sex = 2;
        else if (!value.empty() && value.front() == 'F')
          person.sex = 1;
        return;
      case kTagTitl:
        person.title = store::StoreEscapedText(value);
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
      case kTagChil:
        if (family.children.size() < static_cast<std::size_t>(store::kMaxChildren))
          family.children.push_back(ExtractXref(value));
        return;
      case kTagHusb:
        family.husband = ExtractXref(value);
        return;
      case kTagWife:
        family.wife = ExtractXref(value);
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
  if (code == kTagDate || code == kTagPlac) {
    bool date = code == kTagDate;
    std::string* field = nullptr;
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
    *field = store::StoreEscapedText(value);
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
  buffer_.Append(EscapedNoteValue(value));
  for (int next = Read(true); next > level; next = Read(true)) {
    Read(false);
    std::string token = reader_.ReadToken();
    int sub_code = reader_.LookupTag(token);
    std::string sub_value = reader_.ReadValue();
    if (sub_code != kTagConc && !buffer_.empty() && buffer_.str().back() != '@')
      buffer_.Append("<BR>");
    if (sub_code != kTagConc && sub_code != kTagCont) {
      if (sub_code == kTagSour && Selected(kTagSour)) {
        AddNoteEntry(notes, kTagSour, EscapedNoteValue(sub_value), context);
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
        buffer_.Append(store_.notes[static_cast<std::size_t>(it->second)].text);
    } else {
      buffer_.Append(store::StoreEscapedText(sub_value));
    }
  }
  AddNoteEntry(notes, code, buffer_.str(), context);
}

}  // namespace

void LoadingPass(run::RunContext& context, platform::InputFile& file) {
  Loader loader(context, file);
  loader.Run();
}

}  // namespace kinloom::gedcom
