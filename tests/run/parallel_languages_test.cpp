// Whole conversions in all nine languages with every page kind, generated several languages
// at once and compared with the same conversion generated one language after the other:
// the same files with the same bytes, the same messages and outcome, also when a language
// fails; every call on the user interface made by the thread that runs the conversion; a
// percentage that never goes back, and each language's status texts as a sequential run
// shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/failing_file_system.h"
#include "platform/program_end.h"
#include "platform/recording_ui.h"
#include "run/conversion_run.h"
#include "run/parallel_languages.h"
#include "run/shared_gedcom.h"
#include "run/temp_folder.h"
#include "run/whole_run.h"
#include "store/genealogy_store.h"

namespace kinloom::run {
namespace {

namespace fs = std::filesystem;
using testing::NoPause;
using testing::ReadAll;
using Op = platform::FailingFileSystem::Operation;

// 2026-12-07 01:23:45 UTC: the date stamps and the copyright year.
constexpr std::time_t kMoment = 1796606625;

// Every file below `folder` by its path there, with its bytes.
std::map<std::string, std::string> FilesIn(const std::string& folder) {
  std::map<std::string, std::string> files;
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), folder).string()] = ReadAll(entry.path().string());
  return files;
}

// All nine languages with every page kind: notes pages, extended charts, small groups,
// gendex.txt, the copy of the GEDCOM file, the copyright line and a custom link.
settings::Settings NineLanguages() {
  settings::Settings s;
  s.owner.user_name = "Owen Owner";
  s.owner.email_address = "owen@example.org";
  for (int l = 0; l < settings::kLanguageCount; ++l) {
    s.create_pages[static_cast<std::size_t>(l)] = 1;
    s.create_notes_pages[static_cast<std::size_t>(l)] = 1;
    s.index_title[static_cast<std::size_t>(l)] = "Site in language " + std::to_string(l);
  }
  s.create_ascendancy_groups = 1;
  s.group_only_for_topmost = 0;
  s.groups = 3;
  s.groups_descendancy = 2;
  s.groups_pedigree = 2;
  s.groups_notes = 3;
  s.text_file = 1;
  s.create_link_to_gedcom_file = 1;
  s.include_copyright = 1;
  s.show_gedcom_ids = 1;
  s.mark_all_ancestors = 1;
  s.include_custom_links = 1;
  s.custom_links[0][0] = {"A society", "http://example.org/society"};
  return s;
}

// Passes every call to a recording interface and notes any call made by another thread
// than the one that made the interface.
class SameThreadUi : public platform::UserInterface {
 public:
  platform::RecordingUi recorded;
  bool other_thread = false;

  platform::Choice ShowMessage(const std::string& text, const std::string& caption,
                               platform::MessageIcon icon,
                               platform::MessageButtons buttons) override {
    Check();
    return recorded.ShowMessage(text, caption, icon, buttons);
  }
  void Focus(platform::UiField field) override { Check(), recorded.Focus(field); }
  void BeginWaitCursor() override { Check(), recorded.BeginWaitCursor(); }
  void EndWaitCursor() override { Check(), recorded.EndWaitCursor(); }
  void Beep() override { Check(), recorded.Beep(); }
  void OpenProgress() override { Check(), recorded.OpenProgress(); }
  void UpdateProgress(const platform::ProgressUpdate& update) override {
    Check(), recorded.UpdateProgress(update);
  }
  void CloseProgress() override { Check(), recorded.CloseProgress(); }
  void ShowNotice(const std::string& text) override { Check(), recorded.ShowNotice(text); }
  void RestoreTitle() override { Check(), recorded.RestoreTitle(); }
  void RefreshMainWindow() override { Check(), recorded.RefreshMainWindow(); }
  void SetViewButtonEnabled(bool enabled) override {
    Check(), recorded.SetViewButtonEnabled(enabled);
  }
  void RequestClose() override { Check(), recorded.RequestClose(); }
  void OpenOwnerDialog() override { Check(), recorded.OpenOwnerDialog(); }

 private:
  void Check() {
    if (std::this_thread::get_id() != owner_) other_thread = true;
  }
  std::thread::id owner_ = std::this_thread::get_id();
};

// What a conversion left and showed.
struct Conversion {
  RunOutcome outcome = RunOutcome::kCompleted;
  int end_status = 0;  // the status of a program end, 0 when the run returned
  std::map<std::string, std::string> files;
  std::vector<std::string> messages, notices;
  std::vector<platform::ProgressUpdate> progress;
  bool other_thread = false;
};

using Faults = std::function<void(platform::FailingFileSystem&)>;

// Converts the GEDCOM file at `source` (absolute, or below the source folder) with
// `settings` and `jobs`, always into the folder "site" of `temp` (emptied first), so that the
// messages of two conversions name the same paths. Without `read_files` the files stay in
// the folder and are not read.
Conversion Convert(const testing::TempFolder& temp, const std::string& source,
                   settings::Settings settings, int jobs, const Faults& faults = {},
                   SiteSteps* site = nullptr, bool read_files = true) {
  const std::string from =
      source[0] == '/' ? source : std::string(KINLOOM_SOURCE_DIR) + "/" + source;
  const std::string gedcom = temp.Write(fs::path(source).filename().string(), ReadAll(from));
  const std::string folder = temp / "site";
  fs::remove_all(folder);
  SameThreadUi ui;
  platform::FailingFileSystem files;
  if (faults) faults(files);
  ProgressDisplay display([] { return kMoment; });
  NoPause auxiliary;
  ConversionRun run(ui, files, settings, display, {nullptr, site, nullptr, &auxiliary});
  run.SetJobs(jobs);
  Conversion out;
  try {
    out.outcome = run.Run(gedcom, folder, false);
  } catch (const platform::ProgramEnd& end) {
    out.end_status = end.status();
  }
  if (read_files) out.files = FilesIn(folder);
  for (const auto& m : ui.recorded.messages) out.messages.push_back(m.text);
  out.notices = ui.recorded.notices;
  out.progress = ui.recorded.progress;
  out.other_thread = ui.other_thread;
  return out;
}

// The status texts of the languages, by the "(Language)" line that begins them; those of
// the run's own steps under "".
std::map<std::string, std::vector<std::string>> TextsByLanguage(const Conversion& c) {
  std::map<std::string, std::vector<std::string>> texts;
  for (const auto& update : c.progress) {
    const std::string& text = update.status_text;
    if (text.empty()) continue;
    const std::size_t end = text[0] == '(' ? text.find(")\n") : std::string::npos;
    texts[end == std::string::npos ? "" : text.substr(1, end - 1)].push_back(text);
  }
  return texts;
}

// The names of the files that differ between two folders' contents, or that only one has.
std::vector<std::string> Differences(const std::map<std::string, std::string>& a,
                                     const std::map<std::string, std::string>& b) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : a) {
    auto other = b.find(name);
    if (other == b.end()) names.push_back("only first: " + name);
    else if (other->second != bytes) names.push_back("differs: " + name);
  }
  for (const auto& [name, bytes] : b)
    if (a.count(name) == 0) names.push_back("only second: " + name);
  return names;
}

void ExpectSameConversion(const Conversion& sequential, const Conversion& parallel) {
  EXPECT_EQ(parallel.outcome, sequential.outcome);
  EXPECT_EQ(parallel.end_status, sequential.end_status);
  EXPECT_EQ(parallel.files.size(), sequential.files.size());
  EXPECT_EQ(Differences(sequential.files, parallel.files), std::vector<std::string>{});
  EXPECT_EQ(parallel.messages, sequential.messages);
  EXPECT_EQ(parallel.notices, sequential.notices);
  EXPECT_FALSE(parallel.other_thread);
  EXPECT_FALSE(sequential.other_thread);
  int last = 0;
  for (const auto& update : parallel.progress) {
    EXPECT_GE(update.position, last) << update.status_text;
    last = update.position;
  }
}

constexpr const char* kSample = "examples/sample.ged";
constexpr const char* kHostile = "tests/site/golden/inputs/hostile.ged";

TEST(ParallelLanguages, NineLanguageSitesMatchTheSequentialRunByteForByte) {
  for (const char* input : {kSample, kHostile}) {
    SCOPED_TRACE(input);
    testing::TempFolder temp;
    const Conversion sequential = Convert(temp, input, NineLanguages(), 1);
    ASSERT_EQ(sequential.outcome, RunOutcome::kCompleted)
        << ::testing::PrintToString(sequential.messages);
    // Nine main pages, and the languages' own pages of every kind.
    for (const char* page : {"index.htm", "indexp.htm", "gendex.txt", "tf_0.htm", "tn_0.htm",
                             "tp_0.htm", "td_0.htm", "tr.htm", "ff_0.htm"})
      EXPECT_EQ(sequential.files.count(page), 1u) << page;
    EXPECT_EQ(sequential.files.count(fs::path(input).filename().string()), 1u);
    // gendex.txt is the last language's: it links the Portuguese family group pages.
    EXPECT_EQ(sequential.files.at("gendex.txt").rfind("tf_", 0), 0u);
    for (int jobs : {2, 4, 12}) {
      SCOPED_TRACE("jobs " + std::to_string(jobs));
      const Conversion parallel = Convert(temp, input, NineLanguages(), jobs);
      ExpectSameConversion(sequential, parallel);
      EXPECT_EQ(TextsByLanguage(parallel), TextsByLanguage(sequential));
      ASSERT_FALSE(parallel.progress.empty());
      EXPECT_EQ(parallel.progress.back().position, 100);
    }
  }
}

// The same reports, one by one, as the sequential run's.
void ExpectSameReports(const Conversion& sequential, const Conversion& parallel) {
  ASSERT_EQ(parallel.progress.size(), sequential.progress.size());
  for (std::size_t i = 0; i < parallel.progress.size(); ++i) {
    const platform::ProgressUpdate& p = parallel.progress[i];
    const platform::ProgressUpdate& s = sequential.progress[i];
    EXPECT_EQ(p.position, s.position) << i;
    EXPECT_EQ(p.status_text, s.status_text) << i;
    EXPECT_EQ(p.parent_title, s.parent_title) << i;
    EXPECT_EQ(p.repaint_status, s.repaint_status) << i;
    EXPECT_EQ(p.repaint_parent, s.repaint_parent) << i;
  }
}

// One language: the parts of its site (its page kinds) are written at once, and the files,
// messages and every report are those of the sequential run, in classic and modern style.
TEST(ParallelLanguages, OneLanguageReportsExactlyAsASequentialRun) {
  for (const char* input : {kSample, kHostile})
    for (int style : {0, 1}) {
      SCOPED_TRACE(std::string(input) + (style == 1 ? " modern" : " classic"));
      testing::TempFolder temp;
      settings::Settings settings = NineLanguages();
      settings.create_pages = {0, 0, 1, 0, 0, 0, 0, 0, 0};
      settings.page_style = style;
      const Conversion sequential = Convert(temp, input, settings, 1);
      ASSERT_EQ(sequential.outcome, RunOutcome::kCompleted);
      for (int jobs : {2, 4}) {
        SCOPED_TRACE("jobs " + std::to_string(jobs));
        const Conversion parallel = Convert(temp, input, settings, jobs);
        ExpectSameConversion(sequential, parallel);
        ExpectSameReports(sequential, parallel);
      }
    }
}

// A page of the second language that cannot be created (its second surname index page) ends
// the program there: the first language's files are complete, the second's stop at that
// page, and no later language leaves a file, however far it had come.
TEST(ParallelLanguages, PageThatCannotBeCreatedInTheSecondLanguageLeavesTheSequentialFiles) {
  testing::TempFolder temp;
  const Faults faults = [](platform::FailingFileSystem& files) {
    files.Fail(Op::kCreate, ENOSPC, "/fb_", 1);
  };
  const Conversion sequential = Convert(temp, kHostile, NineLanguages(), 1, faults);
  ASSERT_EQ(sequential.end_status, 1);
  ASSERT_FALSE(sequential.messages.empty());
  EXPECT_NE(sequential.messages.back().find("fb_"), std::string::npos)
      << sequential.messages.back();
  EXPECT_EQ(sequential.files.count("index.htm"), 1u);
  EXPECT_EQ(sequential.files.count("indexf.htm"), 0u);
  EXPECT_EQ(sequential.files.count("ff_0.htm"), 0u);  // written after the index pages
  for (const char* later : {"gf_0.htm", "gr.htm", "indexg.htm", "tf_0.htm"})
    EXPECT_EQ(sequential.files.count(later), 0u) << later;
  for (int jobs : {2, 3, 9}) {
    SCOPED_TRACE("jobs " + std::to_string(jobs));
    ExpectSameConversion(sequential, Convert(temp, kHostile, NineLanguages(), jobs, faults));
  }
}

// The copy of the GEDCOM file beside the second language's main page fails: that language's
// site fails (the run returns), gendex.txt is the second language's, and the later languages
// leave nothing.
TEST(ParallelLanguages, FailingSecondLanguageStopsTheLaterOnesAsInASequentialRun) {
  testing::TempFolder temp;
  const Faults faults = [](platform::FailingFileSystem& files) {
    files.Fail(Op::kCreate, ENOSPC, "sample.ged", 1);
    files.Fail(Op::kCopy, ENOSPC, "sample.ged", 1);
  };
  const Conversion sequential = Convert(temp, kSample, NineLanguages(), 1, faults);
  ASSERT_EQ(sequential.outcome, RunOutcome::kSiteFailed)
      << ::testing::PrintToString(sequential.messages);
  EXPECT_EQ(sequential.files.count("ff_0.htm"), 1u);
  EXPECT_EQ(sequential.files.count("gf_0.htm"), 0u);
  EXPECT_EQ(sequential.files.count("indexg.htm"), 0u);
  EXPECT_EQ(sequential.files.at("gendex.txt").rfind("ff_", 0), 0u);
  for (int jobs : {2, 9}) {
    SCOPED_TRACE("jobs " + std::to_string(jobs));
    ExpectSameConversion(sequential, Convert(temp, kSample, NineLanguages(), jobs, faults));
  }
}

// A language whose generation throws: the exception reaches the run on its own thread and is
// reported as a sequential run reports it; a program end passes through with its status.
class ThrowingSite : public SiteSteps {
 public:
  ThrowingSite(int language, bool program_end) : language_(language), end_(program_end) {}
  int GenerateSite(RunContext& context, int language) override {
    if (language == language_) {
      if (end_) platform::EndProgram(7, "ended in a language");
      throw std::runtime_error("language " + std::to_string(language) + " broke");
    }
    return SiteSteps::GenerateSite(context, language);
  }

 private:
  const int language_;
  const bool end_;
};

TEST(ParallelLanguages, ExceptionOfALanguageReachesTheRunAfterTheLanguagesBeforeIt) {
  for (bool program_end : {false, true}) {
    SCOPED_TRACE(program_end ? "program end" : "exception");
    testing::TempFolder temp;
    ThrowingSite site(3, program_end);
    const Conversion sequential = Convert(temp, kSample, NineLanguages(), 1, {}, &site);
    if (program_end) {
      EXPECT_EQ(sequential.end_status, 7);
    } else {
      EXPECT_EQ(sequential.outcome, RunOutcome::kAbortedAndFreed);
      ASSERT_FALSE(sequential.messages.empty());
      EXPECT_NE(sequential.messages.back().find("language 3 broke"), std::string::npos);
    }
    EXPECT_EQ(sequential.files.count("indexg.htm"), 1u);
    EXPECT_EQ(sequential.files.count("sf_0.htm"), 0u);
    for (int jobs : {2, 9}) {
      SCOPED_TRACE("jobs " + std::to_string(jobs));
      ExpectSameConversion(sequential,
                           Convert(temp, kSample, NineLanguages(), jobs, {}, &site));
    }
  }
}

// A base page named like a page of another language, or a GEDCOM file named so, makes the
// files of the languages impossible to tell apart: such runs stay sequential, with the same
// result.
TEST(ParallelLanguages, NamesLikeAnotherLanguagesPagesKeepTheRunSequential) {
  settings::Settings settings = NineLanguages();
  platform::RecordingUi ui;
  platform::FailingFileSystem files;
  RunState state;
  store::GenealogyStore store;
  state.gedcom_path = "/data/family.ged";
  RunContext context{ui, files, settings, state, store};
  EXPECT_TRUE(LanguagesSeparable(context));
  settings.index_name[0] = "FF_Main";  // the French family group pages begin "ff_"
  EXPECT_FALSE(LanguagesSeparable(context));
  settings.create_pages[1] = 0;
  EXPECT_TRUE(LanguagesSeparable(context));
  state.gedcom_path = "/data/GF_1.htm";  // a German family group page
  EXPECT_FALSE(LanguagesSeparable(context));

  testing::TempFolder temp;
  settings = NineLanguages();
  settings.index_name[8] = "ff_0";
  const Conversion sequential = Convert(temp, kSample, settings, 1);
  ASSERT_EQ(sequential.outcome, RunOutcome::kCompleted);
  ExpectSameConversion(sequential, Convert(temp, kSample, settings, 4));
}

// The second file whose path holds `path_part` cannot be created: the disk is full.
Faults SecondCreateFails(const std::string& path_part) {
  return [path_part](platform::FailingFileSystem& files) {
    files.Fail(Op::kCreate, ENOSPC, path_part, 1);
  };
}

// A gate that one thread waits at until another opens it, or a while has passed.
class Gate {
 public:
  void Open() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    opened_.notify_all();
  }
  void Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!opened_.wait_for(lock, std::chrono::seconds(20), [&] { return open_; }))
      waited_out_ = true;
  }
  bool is_open() {
    std::lock_guard<std::mutex> lock(mutex_);
    return open_;
  }
  bool waited_out() {
    std::lock_guard<std::mutex> lock(mutex_);
    return waited_out_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = false;
  bool waited_out_ = false;
};

// Holds the first language back until the second has generated its whole site (or a
// while has passed): the second must not wait for the first to write any of its pages, its
// surname lists, its author page or an image the first language writes too.
class HeldBackSite : public SiteSteps {
 public:
  int GenerateSite(RunContext& context, int language) override {
    if (language == 0) second_done_.Wait();
    const int result = SiteSteps::GenerateSite(context, language);
    if (language != 0) second_done_.Open();
    return result;
  }
  bool waited_out() { return second_done_.waited_out(); }

 private:
  Gate second_done_;
};

// English and French; without gendex.txt and the copy of the GEDCOM file, which are written
// in language order.
settings::Settings TwoLanguagesOwnFilesOnly(int page_style, bool english_notes) {
  settings::Settings s = NineLanguages();
  for (int l = 2; l < settings::kLanguageCount; ++l)
    s.create_pages[static_cast<std::size_t>(l)] = 0;
  s.create_notes_pages[0] = english_notes ? 1 : 0;
  s.text_file = 0;
  s.create_link_to_gedcom_file = 0;
  s.page_style = page_style;
  return s;
}

TEST(ParallelLanguages, SecondLanguageWritesItsWholeSiteWhileTheFirstIsHeldBack) {
  for (int style : {0, 1}) {
    SCOPED_TRACE(style == 1 ? "modern" : "classic");
    testing::TempFolder temp;
    const settings::Settings settings = TwoLanguagesOwnFilesOnly(style, true);
    HeldBackSite site;
    const Conversion parallel = Convert(temp, kSample, settings, 2, {}, &site);
    EXPECT_FALSE(site.waited_out());
    ASSERT_EQ(parallel.outcome, RunOutcome::kCompleted);
    EXPECT_EQ(parallel.files.count("fc.htm"), 1u);
    EXPECT_EQ(parallel.files.count("fr.htm"), 1u);
    if (style == 0) {
      EXPECT_EQ(parallel.files.count("q9.gif"), 1u);
      EXPECT_EQ(parallel.files.count("q4.gif"), 1u);
    }
    ExpectSameConversion(Convert(temp, kSample, settings, 1), parallel);
  }
}

// The notes icon is first written by the French notes pages when the English site has none.
// When the English site fails, a sequential run never writes it, and neither does a parallel
// one, though French has written it by then (English is held back until French is done).
TEST(ParallelLanguages, ImageOfALaterLanguageGoesWithItWhenAnEarlierLanguageFails) {
  testing::TempFolder temp;
  const settings::Settings settings = TwoLanguagesOwnFilesOnly(0, false);
  const Faults faults = SecondCreateFails("/b_");
  const Conversion sequential = Convert(temp, kSample, settings, 1, faults);
  ASSERT_EQ(sequential.end_status, 1);
  EXPECT_EQ(sequential.files.count("q4.gif"), 0u);
  EXPECT_EQ(sequential.files.count("fn_0.htm"), 0u);
  HeldBackSite site;
  ExpectSameConversion(sequential, Convert(temp, kSample, settings, 2, faults, &site));
  EXPECT_FALSE(site.waited_out());

  const Conversion completed = Convert(temp, kSample, settings, 2);
  ASSERT_EQ(completed.outcome, RunOutcome::kCompleted);
  EXPECT_EQ(completed.files.count("q4.gif"), 1u);
  EXPECT_EQ(completed.files.count("fn_0.htm"), 1u);
}

// The whole of royal92 in nine languages: the two folders compared file by file.
TEST(ParallelLanguages, Royal92InNineLanguagesMatchesTheSequentialRun) {
  const std::string royal = testing::SharedGedcom("royal92.ged");
  if (royal.empty()) GTEST_SKIP() << "shared/gedcom/royal92.ged is not here; test skipped";
  testing::TempFolder temp;
  const Conversion sequential = Convert(temp, royal, NineLanguages(), 1, {}, nullptr, false);
  ASSERT_EQ(sequential.outcome, RunOutcome::kCompleted);
  fs::rename(temp / "site", temp / "sequential");
  const Conversion parallel = Convert(temp, royal, NineLanguages(), 3, {}, nullptr, false);
  ExpectSameConversion(sequential, parallel);
  std::vector<std::string> first, second;
  for (const auto& entry : fs::recursive_directory_iterator(temp / "sequential"))
    first.push_back(fs::relative(entry.path(), temp / "sequential").string());
  for (const auto& entry : fs::recursive_directory_iterator(temp / "site"))
    second.push_back(fs::relative(entry.path(), temp / "site").string());
  std::sort(first.begin(), first.end());
  std::sort(second.begin(), second.end());
  ASSERT_EQ(first, second);
  EXPECT_GT(first.size(), 1000u);
  for (const std::string& name : first)
    ASSERT_TRUE(ReadAll(temp / "sequential/" + name) == ReadAll(temp / "site/" + name)) << name;
}

// English only, every page kind, in the given style.
settings::Settings EnglishOnly(int page_style) {
  settings::Settings s = NineLanguages();
  for (int l = 1; l < settings::kLanguageCount; ++l) s.create_pages[static_cast<std::size_t>(l)] = 0;
  s.page_style = page_style;
  return s;
}

// Holds back every write to the pedigree pages ("p_…") until the main page has been written
// (or a while has passed): the parts after the pedigree pages must not wait for them to
// write any of their files.
class HeldBackPedigree {
 public:
  explicit HeldBackPedigree(platform::FailingFileSystem& files) {
    files.before_write = [this](const std::string& path) {
      const std::string name = fs::path(path).filename().string();
      if (name == "index.htm")
        main_page_written_.Open();
      else if (name.rfind("p_", 0) == 0)
        main_page_written_.Wait();
    };
  }
  bool waited_out() { return main_page_written_.waited_out(); }
  bool main_page_written() { return main_page_written_.is_open(); }

 private:
  Gate main_page_written_;
};

TEST(ParallelLanguages, PartsAfterTheirTurnWriteTheirPagesWhileAnEarlierPartIsHeldBack) {
  for (int style : {0, 1}) {
    SCOPED_TRACE(style == 1 ? "modern" : "classic");
    testing::TempFolder temp;
    const settings::Settings settings = EnglishOnly(style);
    std::unique_ptr<HeldBackPedigree> held;
    const Conversion parallel = Convert(temp, kSample, settings, 2, [&](platform::FailingFileSystem& f) {
      held = std::make_unique<HeldBackPedigree>(f);
    });
    EXPECT_FALSE(held->waited_out());
    EXPECT_TRUE(held->main_page_written());
    ASSERT_EQ(parallel.outcome, RunOutcome::kCompleted);
    const Conversion sequential = Convert(temp, kSample, settings, 1);
    ExpectSameConversion(sequential, parallel);
    ExpectSameReports(sequential, parallel);
  }
}

// The second pedigree page cannot be created: the program ends there. The parts after it had
// written all their files by then (the main page included); none is left, as in a sequential
// run, which never reached them.
TEST(ParallelLanguages, PartThatFailsTakesTheFilesOfTheLaterPartsWithIt) {
  testing::TempFolder temp;
  const settings::Settings settings = EnglishOnly(0);
  const Faults faults = SecondCreateFails("/p_");
  const Conversion sequential = Convert(temp, kSample, settings, 1, faults);
  ASSERT_EQ(sequential.end_status, 1);
  EXPECT_EQ(sequential.files.count("p_0.htm"), 1u);
  EXPECT_EQ(sequential.files.count("b_a.htm"), 1u);
  EXPECT_EQ(sequential.files.count("f_0.htm"), 0u);
  EXPECT_EQ(sequential.files.count("index.htm"), 0u);
  std::unique_ptr<HeldBackPedigree> held;
  const Conversion parallel = Convert(temp, kSample, settings, 2, [&](platform::FailingFileSystem& f) {
    faults(f);
    held = std::make_unique<HeldBackPedigree>(f);
  });
  EXPECT_TRUE(held->main_page_written());
  EXPECT_FALSE(held->waited_out());
  ExpectSameConversion(sequential, parallel);
  ExpectSameReports(sequential, parallel);
}

// A base page named like a family group page is written over it by the main page in a
// sequential run: the parts are then written one after the other.
TEST(ParallelLanguages, BasePageNamedLikeAPageOfAnotherPartKeepsThePartsInOrder) {
  OwnFiles family, last;
  family.AddPrefix("f_");
  last.AddName("f_0.htm");
  EXPECT_FALSE(PartsSeparable({{{}, family}, {{}, last}}));
  OwnFiles main_page;
  main_page.AddName("index.htm");
  EXPECT_TRUE(PartsSeparable({{{}, family}, {{}, main_page}}));

  testing::TempFolder temp;
  settings::Settings settings = EnglishOnly(0);
  settings.index_name[0] = "F_0";
  const Conversion sequential = Convert(temp, kSample, settings, 1);
  ASSERT_EQ(sequential.outcome, RunOutcome::kCompleted);
  ASSERT_EQ(sequential.files.count("f_0.htm"), 1u);
  EXPECT_NE(sequential.files.at("f_0.htm").find("Site in language 0"), std::string::npos);
  ExpectSameConversion(sequential, Convert(temp, kSample, settings, 4));
}

// Parts of a run with the given weights, each noting when it starts; `first_step` runs at
// the start of each part on its worker.
struct WeightedParts {
  std::mutex mutex;
  std::vector<std::size_t> started;
  std::vector<SitePart> parts;

  WeightedParts(const std::vector<int>& weights,
                const std::function<void(std::size_t, RunContext&)>& first_step) {
    for (std::size_t p = 0; p < weights.size(); ++p) {
      SitePart part;
      part.own.AddPrefix("part" + std::to_string(p) + "_");
      part.weight = weights[p];
      part.step = [this, p, first_step](RunContext& own) {
        {
          std::lock_guard<std::mutex> lock(mutex);
          started.push_back(p);
        }
        first_step(p, own);
        return 1;
      };
      parts.push_back(std::move(part));
    }
  }
};

struct PartsRun {
  platform::RecordingUi ui;
  platform::FailingFileSystem fs;
  settings::Settings settings;
  RunState state;
  store::GenealogyStore store;
  RunContext context{ui, fs, settings, state, store};
};

// The first part waits until the heavy last part has started: with two workers the heavy
// part starts second, not after the light parts before it.
TEST(ParallelParts, HeavyPartStartsOnceThePartInTurnRuns) {
  Gate heavy_started;
  WeightedParts parts({1, 1, 1, 9}, [&](std::size_t p, RunContext&) {
    if (p == 0) heavy_started.Wait();
    if (p == 3) heavy_started.Open();
  });
  PartsRun run;
  EXPECT_EQ(GeneratePartsAtOnce(run.context, parts.parts, 2), 1);
  EXPECT_FALSE(heavy_started.waited_out());
  EXPECT_EQ(parts.started, (std::vector<std::size_t>{0, 3, 1, 2}));
}

// Two heavy parts ask a question, which waits for their turn, before the light parts before
// them have started: the light parts still get a worker, and the questions come in order.
TEST(ParallelParts, PartsWaitingForTheirTurnLeaveAWorkerForThePartInTurn) {
  WeightedParts parts({1, 1, 9, 9}, [](std::size_t p, RunContext& own) {
    if (p >= 2)
      own.ui.ShowMessage("part " + std::to_string(p), "", platform::MessageIcon::kWarning,
                         platform::MessageButtons::kOk);
  });
  PartsRun run;
  EXPECT_EQ(GeneratePartsAtOnce(run.context, parts.parts, 2), 1);
  ASSERT_EQ(run.ui.messages.size(), 2u);
  EXPECT_EQ(run.ui.messages[0].text, "part 2");
  EXPECT_EQ(run.ui.messages[1].text, "part 3");
  ASSERT_EQ(parts.started.size(), 4u);
  EXPECT_EQ(parts.started[0], 0u);
}

}  // namespace
}  // namespace kinloom::run
