// load-gedcom: counts and loads a GEDCOM file the way a conversion does (counting pass,
// store sized from its counts, loading pass with notes gathered) and prints the counts and
// the time of each pass. For measuring the two passes on large files.
//
//   load-gedcom FILE
#include <chrono>
#include <cstdio>
#include <memory>

#include "gedcom/counting_pass.h"
#include "gedcom/loading_pass.h"
#include "lang/tag_labels.h"
#include "platform/file_system.h"
#include "platform/program_end.h"
#include "platform/recording_ui.h"
#include "run/run_context.h"
#include "store/genealogy_store.h"

int main(int argc, char** argv) {
  using namespace kinloom;
  if (argc != 2) {
    std::fputs("usage: load-gedcom FILE\n", stderr);
    return 2;
  }
  platform::RecordingUi ui;
  settings::Settings settings;
  run::RunState state;
  store::GenealogyStore store;
  run::RunContext context{ui, platform::RealFileSystem(), settings, state, store};
  state.gedcom_path = argv[1];
  state.notes_wanted = true;
  state.notes_tag_selection = lang::LoadNotesTagList(lang::DefaultNotesToInclude(), settings);

  using Clock = std::chrono::steady_clock;
  auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
  try {
    const Clock::time_point start = Clock::now();
    if (!gedcom::CountingPass(context)) {
      for (const auto& m : ui.messages) std::fprintf(stderr, "%s\n", m.text.c_str());
      return 1;
    }
    const Clock::time_point counted = Clock::now();
    store.Allocate(state.individual_count, state.family_count, state.level0_note_count);
    int error = 0;
    std::unique_ptr<platform::InputFile> file = context.fs.OpenForRead(state.gedcom_path, &error);
    if (!file) {
      std::fprintf(stderr, "cannot reopen %s (error %d)\n", argv[1], error);
      return 1;
    }
    gedcom::LoadingPass(context, *file);
    file->Close();
    const Clock::time_point loaded = Clock::now();
    std::printf("individuals %d, families %d, level-0 notes %d, lines %d\n",
                state.individual_count, state.family_count, state.level0_note_count,
                state.line_count);
    std::printf("counting pass %.2f s, allocation and loading pass %.2f s\n",
                seconds(counted - start), seconds(loaded - counted));
  } catch (const platform::ProgramEnd& end) {
    for (const auto& m : ui.messages) std::fprintf(stderr, "%s\n", m.text.c_str());
    return end.status();
  }
  return 0;
}
