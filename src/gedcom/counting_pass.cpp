#include "gedcom/counting_pass.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

#include "gedcom/line_reader.h"
#include "gedcom/pass_progress.h"
#include "lang/ui_text.h"
#include "platform/system_error.h"

namespace kinloom::gedcom {

namespace {

constexpr int kTextOpenFailed = 2317;            // "Unable to open the file '%s'.  %s aborting."
constexpr int kStatusPreparingFirstRead = 2318;  // "Preparing to read first statement"
constexpr int kStatusReadFirstStatement = 2319;  // "Successfully read first statement"
constexpr int kStatusRecordCounts = 2320;  // "Reading input File \n\nFamilies = %d       Notes ..."
constexpr int kStatusFirstPassFinished = 2321;  // "Finished First Pass ..."
constexpr int kTextCloseFailed = 2322;  // "Unable to close file %s.  Aborting Conversion.  %s ..."
constexpr int kQuestionAncestorNotFound = 2323;  // "Unable to find GEDCOM identifier %s.  Do ..."

constexpr int kTextNotTheDeclaredUtf8 = 2701;

// Length of the level-0 NOTE, SOUR or REPO record being read: the bytes of the values of
// its lines.
struct RecordLength {
  int code = 0;
  std::uint64_t bytes = 0;
};

void FinishRecord(run::RunState& state, RecordLength& record) {
  std::uint64_t* longest = record.code == kTagNote   ? &state.longest_note
                           : record.code == kTagSour ? &state.longest_source
                           : record.code == kTagRepo ? &state.longest_repository
                                                     : nullptr;
  if (longest != nullptr) {
    *longest = std::max(*longest, record.bytes);
    state.total_note_characters += record.bytes;
  }
  record = RecordLength{};
}

// The text of a level-0 record line: its value without the record keyword ("NOTE",
// "SOURCE" …) and the blank after it.
std::string_view RecordText(std::string_view value) {
  std::size_t end = value.find(' ');
  if (end == std::string_view::npos) end = value.size();
  const int code = LookupTagName(value.substr(0, end));
  if (code != kTagNote && code != kTagSour && code != kTagRepo) return value;
  return end < value.size() ? value.substr(end + 1) : std::string_view();
}

bool IsNoteKind(int code) { return code == kTagNote || code == kTagRepo || code == kTagSour; }

}  // namespace

bool CountingPass(run::RunContext& context) {
  run::RunState& state = context.state;
  const settings::Settings& settings = context.settings;
  state.individual_count = 0;
  state.family_count = 0;
  state.level0_note_count = 0;
  state.level1_note_count = 0;
  state.total_note_characters = 0;
  state.longest_note = state.longest_source = state.longest_repository = 0;
  state.ancestor_index = -1;
  state.character_set = run::CharacterSet::kNotStated;

  int error = 0;
  std::unique_ptr<platform::InputFile> file = context.fs.OpenForRead(state.gedcom_path, &error);
  if (!file) {
    platform::ReportSystemError(
        context.ui,
        lang::FormatText(lang::LoadUiText(kTextOpenFailed, settings).c_str(),
                         state.gedcom_path.c_str(), kProductString),
        error);
    context.ui.Focus(platform::UiField::kGedcomPath);
    return false;
  }

  const bool find_ancestor = state.mark_all_ancestors && !settings.ancestor_id.empty();
  long long records = 0;
  RecordLength note_record;
  LineReader reader(*file);

  ShowPassProgress(context, 6, lang::LoadUiText(kStatusPreparingFirstRead, settings));
  int level = reader.ReadGedcomLine(false);
  state.source_encoding = reader.encoding();
  // The typed-in id is Windows-1252; the ids of a UTF-8, UTF-16 or ANSEL file arrive as UTF-8.
  const std::string ancestor_id =
      TextEncodingFor(state.source_encoding) == platform::TextEncoding::kUtf8
          ? platform::Cp1252ToUtf8(settings.ancestor_id)
          : settings.ancestor_id;
  ShowPassProgress(context, 7, lang::LoadUiText(kStatusReadFirstStatement, settings));

  for (; level != kEndOfInput; level = reader.ReadGedcomLine(false)) {
    std::string token = reader.ReadToken();
    int code = reader.LookupTag(token);
    // The value counts only for a note record's length and the CHAR line.
    const bool value_read = (level == 0 && IsNoteKind(code)) ||
                            (level > 0 && note_record.code != 0) ||
                            (level == 1 && code == kTagChar);
    const std::string value = value_read ? reader.ReadValue() : std::string();
    if (level == 0) FinishRecord(state, note_record);
    bool counted = false;
    if (level == 0 && code == kTagFam) {
      ++state.family_count;
      counted = true;
    } else if (level == 0 && code == kTagIndi) {
      ++state.individual_count;
      counted = true;
      if (find_ancestor && ExtractXref(token) == ancestor_id)
        state.ancestor_index = state.individual_count - 1;
    } else if (level == 0 && IsNoteKind(code)) {
      note_record.code = code;
      note_record.bytes = RecordText(value).size();
      ++state.level0_note_count;
      counted = true;
    } else if (level > 0 && note_record.code != 0) {
      note_record.bytes += value.size();
    }
    if (level == 1 && code == kTagChar) {
      if (value == "ASCII" || value == "ANSI")
        state.character_set = run::CharacterSet::kAnsi;
      else if (value == "ANSEL")
        state.character_set = run::CharacterSet::kAnsel;
      else if (value == "UNICODE")
        state.character_set = run::CharacterSet::kUnicode;
    } else if (level == 1 && IsNoteKind(code)) {
      ++state.level1_note_count;
    }
    if (counted) {
      ++records;
      if (IsStatusCount(records)) {
        ShowPassProgress(
            context, 8,
            lang::FormatText(lang::LoadUiText(kStatusRecordCounts, settings).c_str(),
                             state.family_count, state.level0_note_count, state.individual_count));
      }
    }
  }
  FinishRecord(state, note_record);
  const InputDecoder& decoder = reader.decoder();
  if (decoder.stray_bytes() > 0) {
    context.ui.ShowNotice(lang::FormatText(
        lang::LoadUiText(kTextNotTheDeclaredUtf8, settings).c_str(),
        static_cast<int>(std::min<long long>(decoder.stray_bytes(), INT32_MAX)),
        static_cast<int>(std::min<long long>(decoder.first_stray_line(), INT32_MAX))));
  }

  ShowPassProgress(context, 9, lang::LoadUiText(kStatusFirstPassFinished, settings));

  error = file->Close();
  if (error != 0) {
    platform::ReportSystemError(
        context.ui,
        lang::FormatText(lang::LoadUiText(kTextCloseFailed, settings).c_str(),
                         state.gedcom_path.c_str(), kProductString),
        error);
    return false;
  }

  if (state.debug_flags & settings::kDebugNoteCounts) {
    context.ui.ShowMessage(
        lang::FormatText(
            "Number of Level 0 Notes = %d\nNumber of Level 1 Notes = %d\n Longest "
            "Note = %d \n Longest Source = %d \n Longest Repository = %d",
            state.level0_note_count, state.level1_note_count,
            static_cast<int>(std::min<std::uint64_t>(state.longest_note, INT32_MAX)),
            static_cast<int>(std::min<std::uint64_t>(state.longest_source, INT32_MAX)),
            static_cast<int>(std::min<std::uint64_t>(state.longest_repository, INT32_MAX))),
        "", platform::MessageIcon::kInformation, platform::MessageButtons::kOk);
  }

  if (find_ancestor && state.ancestor_index == -1) {
    platform::Choice answer = context.ui.ShowMessage(
        lang::FormatText(lang::LoadUiText(kQuestionAncestorNotFound, settings).c_str(),
                         settings.ancestor_id.c_str()),
        "", platform::MessageIcon::kQuestion, platform::MessageButtons::kYesNo);
    if (answer != platform::Choice::kYes) return false;
    state.mark_all_ancestors = false;
  }
  return true;
}

}  // namespace kinloom::gedcom
