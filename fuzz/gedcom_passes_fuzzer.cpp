// Fuzz target: the line reader on its own (consuming and peeking reads), then the counting
// pass and the loading pass over the same bytes, as a run calls them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/memory_file.h"
#include "gedcom/counting_pass.h"
#include "gedcom/line_reader.h"
#include "gedcom/loading_pass.h"
#include "platform/program_end.h"
#include "platform/recording_ui.h"
#include "run/run_context.h"
#include "store/genealogy_store.h"

using namespace kinloom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  {
    fuzz::MemoryInput input(bytes);
    gedcom::LineReader reader(input);
    bool peek = false;
    for (int level = reader.ReadGedcomLine(peek); level != gedcom::kEndOfInput;
         level = reader.ReadGedcomLine(peek)) {
      std::string token = reader.ReadToken();
      (void)reader.LookupTag(token);
      (void)reader.ReadValue();
      (void)gedcom::ExtractXref(token);
      peek = !peek && !token.empty() && (token[0] & 1) != 0;
    }
  }

  fuzz::MemoryFileSystem fs(bytes);
  platform::RecordingUi ui;
  settings::Settings settings;
  settings.debugging = settings::kDebugStatistics | settings::kDebugNoteCounts;
  settings.ancestor_id = "I1";
  settings.mark_all_ancestors = 1;
  ui.QueueAnswer(platform::Choice::kYes);
  run::RunState state;
  state.debug_flags = settings.debugging;
  state.gedcom_path = "fuzz.ged";
  state.mark_all_ancestors = true;
  state.notes_wanted = true;
  state.notes_tag_selection.fill(true);
  store::GenealogyStore store;
  run::RunContext context{ui, fs, settings, state, store, nullptr};
  try {
    if (!gedcom::CountingPass(context)) return 0;
    if (state.individual_count > 100000 || state.family_count > 100000) return 0;
    store.Allocate(state.individual_count, state.family_count, state.level0_note_count);
    fuzz::MemoryInput input(bytes);
    state.reading_database = true;
    gedcom::LoadingPass(context, input);
  } catch (const platform::ProgramEnd&) {
    // A structural fault of the data ends the program: the expected way out.
  }
  return 0;
}
