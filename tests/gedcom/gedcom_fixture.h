// What the GEDCOM pass tests share: a file in memory read in chunks of a chosen size, a run
// context over a recording interface, and the folder of real GEDCOM files from elsewhere.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "gedcom/counting_pass.h"
#include "gedcom/loading_pass.h"
#include "lang/tag_labels.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "run/run_context.h"
#include "run/run_state.h"
#include "run/temp_folder.h"
#include "settings/settings.h"
#include "store/genealogy_store.h"

namespace kinloom::testing {

// An input file over a text, handing out at most `chunk` bytes per read.
class MemoryFile : public platform::InputFile {
 public:
  explicit MemoryFile(std::string text, std::size_t chunk = 1 << 16)
      : text_(std::move(text)), chunk_(chunk) {}
  int Read(char* buffer, std::size_t size, std::size_t* got) override {
    *got = std::min({size, chunk_, text_.size() - offset_});
    std::memcpy(buffer, text_.data() + offset_, *got);
    offset_ += *got;
    return 0;
  }
  int Close() override { return 0; }

 private:
  std::string text_;
  std::size_t chunk_;
  std::size_t offset_ = 0;
};

// The folder of real GEDCOM files beside the checkout, or empty when it is absent.
inline std::string SharedGedcomFolder() {
  for (const char* relative : {"/../shared/gedcom", "/../../shared/gedcom"}) {
    const std::string folder = std::string(KINLOOM_SOURCE_DIR) + relative;
    if (std::filesystem::is_directory(folder)) return folder;
  }
  return "";
}

// One run's context for the passes: notes wanted with the default notes tag list.
struct PassFixture {
  platform::RecordingUi ui;
  settings::Settings settings;
  run::RunState state;
  store::GenealogyStore store;
  run::RunContext context{ui, platform::RealFileSystem(), settings, state, store};

  PassFixture() {
    state.notes_wanted = true;
    state.notes_tag_selection = lang::LoadNotesTagList(lang::DefaultNotesToInclude(), settings);
  }

  // Counts the file at `path`, sizes the store and loads it.
  bool CountAndLoad(const std::string& path) {
    state.gedcom_path = path;
    if (!gedcom::CountingPass(context)) return false;
    store.Allocate(state.individual_count, state.family_count, state.level0_note_count);
    int error = 0;
    std::unique_ptr<platform::InputFile> file = context.fs.OpenForRead(path, &error);
    if (!file) return false;
    gedcom::LoadingPass(context, *file);
    return file->Close() == 0;
  }
  // Loads a text, with the store sized by the counting pass of the same text.
  bool CountAndLoadText(const std::string& text) {
    path_holder = std::make_unique<TempFolder>();
    return CountAndLoad(path_holder->Write("f.ged", text));
  }
  // The status texts of one progress position.
  std::vector<std::string> StatusAt(int position) const {
    std::vector<std::string> out;
    for (const auto& p : ui.progress)
      if (p.position == position) out.push_back(p.status_text);
    return out;
  }

  std::unique_ptr<TempFolder> path_holder;
};

}  // namespace kinloom::testing
