// The working state of one conversion run. A run object owns it from its first step to its
// clean-up; nothing of it survives the run.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <unordered_set>
#include <vector>

#include "gedcom/encoding.h"
#include "run/run_statistics.h"
#include "settings/settings.h"

namespace kinloom::run {

class ProgressRelay;

// The character set a GEDCOM header declares.
enum class CharacterSet { kNotStated = 0, kAnsi = 1, kAnsel = 2, kUnicode = 3 };

struct RunState {
  std::uint32_t debug_flags = 0;  // "Debugging", read again at the start of each run
  std::time_t start_time = 0;
  std::time_t end_time = 0;
  std::string gedcom_path;
  std::string output_folder;
  std::uint64_t gedcom_file_size = 0;
  // Names of the pages in the output folder that this program did not write: the folder
  // preparation keeps them, and no page of the run may be written over one of them.
  std::unordered_set<std::string> foreign_pages;

  // Set by the counting pass.
  int individual_count = 0;
  int family_count = 0;
  int level0_note_count = 0;
  int level1_note_count = 0;
  CharacterSet character_set = CharacterSet::kNotStated;
  // The encoding the reader recognised (byte-order mark and CHAR line); it decides how the
  // text is decoded and which encoding the site is written in.
  gedcom::SourceEncoding source_encoding = gedcom::SourceEncoding::kWindows1252;
  int ancestor_index = -1;
  std::uint64_t total_note_characters = 0;
  // Longest NOTE, SOUR and REPO record texts in bytes (counting pass).
  std::uint64_t longest_note = 0, longest_source = 0, longest_repository = 0;

  // Advanced by the loading pass.
  int individuals_loaded = 0;
  int families_loaded = 0;
  int line_count = 0;  // reads of the loading pass, the final one included
  bool reading_database = false;

  bool notes_wanted = false;
  // The notes include list by tag code 0 … 129 (lang::NotesTagSelection), built from
  // "Notes To Include" by lang::LoadNotesTagList at the start of the run.
  std::array<bool, 130> notes_tag_selection{};
  bool mark_all_ancestors = false;  // "Mark All Ancestors" for this run (the counting pass may clear it)
  int languages_selected = 0;
  // How many threads may write the parts of one language's site at once (1: one after the
  // other). Set for languages generated one after the other.
  int jobs = 1;
  int languages_done = 0;
  int current_language = 0;
  // The moment of the run in each output language's form, by language index (made once
  // before any page is written; every language shows the same moment).
  std::array<std::string, 9> date_stamps;
  bool failed = false;
  // Set from the clean-up on: each report is then painted at once, since the run ends (and
  // waits its second) before a periodic repaint would come.
  bool finishing = false;

  // Set only in the copy of the state that a language generated on a worker thread reads
  // (run/parallel_languages.h): its progress reports go there instead of to the user
  // interface.
  ProgressRelay* progress_relay = nullptr;
  // Likewise: the images (resource numbers) that an earlier language of the run writes. The
  // bytes are the same whichever language writes them, so this one leaves them be.
  std::vector<int> images_written_earlier;

  // Measured only while debug_flags has the statistics bit (StatisticsOf).
  RunStatistics statistics;
};

// The run's statistics when "Debugging" asks for the report (bit 0x02), otherwise null:
// callers count nothing then.
inline RunStatistics* StatisticsOf(RunState& state) {
  return (state.debug_flags & settings::kDebugStatistics) != 0 ? &state.statistics : nullptr;
}

}  // namespace kinloom::run
