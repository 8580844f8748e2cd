#include "run/statistics_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/failing_file_system.h"
#include "platform/recording_ui.h"
#include "run/conversion_run.h"
#include "run/temp_folder.h"
#include "store/expanding_array.h"
#include "store/genealogy_store.h"
#include "store/memory_tracker.h"

namespace kinloom::run {
namespace {

TEST(FormatThousandsTest, GroupsOfThreeDigits) {
  EXPECT_EQ(FormatThousands(0), "0");
  EXPECT_EQ(FormatThousands(999), "999");
  EXPECT_EQ(FormatThousands(1000), "1,000");
  EXPECT_EQ(FormatThousands(1234567), "1,234,567");
  EXPECT_EQ(FormatThousands(1000000), "1,000,000");
  EXPECT_EQ(FormatThousands(2000000000), "2,000,000,000");
  EXPECT_EQ(FormatThousands(-1234), "-1234");
  // Figures of a 64-bit address space keep their grouping.
  EXPECT_EQ(FormatThousands(140737488355328LL), "140,737,488,355,328");
}

TEST(FormatTotalRunTimeTest, HoursFormUnlessTheHoursAreWholeDays) {
  EXPECT_EQ(FormatTotalRunTime(25 * 3600 + 3 * 60 + 4), "Total Run Time = 1h 3m 4s\n\n");
  EXPECT_EQ(FormatTotalRunTime(48 * 3600 + 5), "Total Run Time = 0m 5s\n\n");
  EXPECT_EQ(FormatTotalRunTime(125), "Total Run Time = 2m 5s\n\n");
}

TEST(MemoryTrackerTest, TotalsPeakAndKinds) {
  store::MemoryTracker tracker;
  tracker.TrackMemory(100, true, store::MEM_TRACKER_TITLE);
  tracker.TrackMemory(50, true, store::MEM_TRACKER_TOTALS_ONLY);
  tracker.TrackMemory(30, false, store::MEM_TRACKER_TITLE);
  EXPECT_EQ(tracker.total(), 150u);
  EXPECT_EQ(tracker.current(), 120u);
  EXPECT_EQ(tracker.peak(), 150u);
  EXPECT_EQ(tracker.counter(store::MEM_TRACKER_TITLE), 70u);
  EXPECT_EQ(tracker.counter(store::MEM_TRACKER_TOTALS_ONLY), 0u);

  store::MemoryFigures present{};
  present[store::MEM_TRACKER_AKA] = 10;
  tracker.Follow(present);
  EXPECT_EQ(tracker.counter(store::MEM_TRACKER_AKA), 10u);
  present[store::MEM_TRACKER_AKA] = 4;
  tracker.Follow(present);
  EXPECT_EQ(tracker.counter(store::MEM_TRACKER_AKA), 4u);
  EXPECT_EQ(tracker.total(), 160u);
}

TEST(MemoryTrackerTest, MeasuresTextsAsStoredTextsAndArraysByTier) {
  store::GenealogyStore s;
  s.Allocate(1, 1, 0);
  store::IndividualRecord& p = s.individuals[0];
  p.name = "Ann /Bell/";  // 10 bytes and the terminating zero
  p.birth_date = "1900";
  p.christening_date = "1901";
  for (int k = 0; k < 3; ++k) store::AddSpouseFamily(p, "F1");  // tiers 0 and 1: 7 slots
  s.families[0].children = {"I1", "I22"};
  const store::MemoryFigures m = store::MeasureStore(s);
  EXPECT_EQ(m[store::MEM_TRACKER_VARIOUS_NAME], 11u);
  EXPECT_EQ(m[store::MEM_TRACKER_DATE_STRING1], 10u);
  EXPECT_EQ(m[store::MEM_TRACKER_FAMILY], 7u * 4);
  EXPECT_EQ(m[store::MEM_TRACKER_SPOUCE], 9u);
  EXPECT_EQ(m[store::MEM_TRACKER_CHILD], 7u);
  EXPECT_GT(m[store::MEM_TRACKER_MAIN_STRUCT], 0u);
  s.Release();
  const store::MemoryFigures empty = store::MeasureStore(s);
  for (int kind = 0; kind < store::kMemoryTrackerKinds; ++kind)
    EXPECT_EQ(empty[static_cast<std::size_t>(kind)], 0u) << "kind " << kind;
}

TEST(ExpandingArrayStatisticsTest, SlotsFullArraysAndTheFirstToReachTheMost) {
  store::ExpandingArrayStatistics stats;
  int tiers = 0;
  stats.tier_allocated = [&] { ++tiers; };
  store::IndividualRecord a, b;
  a.index = 0;
  a.name = std::string(200, 'x');
  b.index = 1;
  b.name = "Bob";
  for (int k = 0; k < 56; ++k) store::AddSpouseFamily(a, store::StoredText("F" + std::to_string(k)), &stats);
  for (int k = 0; k < 55; ++k) store::AddSpouseFamily(b, store::StoredText("F" + std::to_string(k)), &stats);
  store::AddSpouseFamily(a, "F99", &stats);
  EXPECT_EQ(a.spouse_families.size(), 55u);
  EXPECT_EQ(stats.entries, 110u);
  EXPECT_EQ(stats.full, 2u);
  for (std::uint64_t used : stats.slot_use) EXPECT_EQ(used, 2u);
  EXPECT_EQ(stats.max_position, 0);
  EXPECT_EQ(stats.max_count, 57u);  // 55 entries, then two refusals of the same record
  EXPECT_EQ(stats.max_name, std::string(127, 'x'));
  EXPECT_EQ(tiers, 10);
}

TEST(ExpandingArrayStatisticsTest, NotesCountNewEntriesOnlyAndNameTheirOwner) {
  store::ExpandingArrayStatistics stats;
  std::vector<store::NoteEntry> notes;
  int stored = 0;
  const store::ArrayOwner family{'F', 4, "F5"};
  store::AddNote(notes, 84, "a", 0, stored, &stats, family);
  store::AddNote(notes, 84, "a", 0, stored, &stats, family);
  store::AddNote(notes, 84, "b", 0, stored, &stats, family);
  EXPECT_EQ(stored, 2);
  EXPECT_EQ(stats.entries, 2u);
  EXPECT_EQ(stats.slot_use[0], 1u);
  EXPECT_EQ(stats.slot_use[1], 1u);
  EXPECT_EQ(stats.max_kind, 'F');
  EXPECT_EQ(stats.max_position, 4);
  EXPECT_EQ(stats.max_name, "F5");
}

// Fixed memory figures; the second and later readings have less free memory.
class FakeMemory : public platform::MemoryStatusSource {
 public:
  int reads = 0;
  platform::MemoryStatus Read() override {
    platform::MemoryStatus m{8000000000, 4000000000, 9000000000, 5000000000, 3000000000,
                             2000000000};
    if (reads++ > 0) {
      m.free_physical -= 1234;
      m.free_paging -= 5678;
      m.free_user -= 1000000;
    }
    return m;
  }
};

class StatisticsAuxiliary : public AuxiliarySteps {
 public:
  FakeMemory memory;
  void ClearStatistics(RunContext& context) override { ResetStatistics(context, &memory); }
  void WaitOneSecond() override {}
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class StatisticsRunTest : public ::testing::Test {
 protected:
  StatisticsRunTest() : display([] { return std::time_t{86400 * 400}; }) {
    settings.owner.user_name = "Owner";
  }
  RunOutcome Run(const std::string& gedcom) {
    ConversionRun run(ui, fs, settings, display, {nullptr, nullptr, nullptr, &auxiliary});
    RunOutcome outcome = run.Run(gedcom, folder, true);
    state = run.state();
    return outcome;
  }

  testing::TempFolder temp;
  std::string folder = temp / "site";
  platform::RecordingUi ui;
  platform::FailingFileSystem fs;
  settings::Settings settings;
  ProgressDisplay display;
  StatisticsAuxiliary auxiliary;
  RunState state;
};

TEST_F(StatisticsRunTest, ReportOfASampleRunHasEverySectionInOrder) {
  settings.debugging = DEBUG_STATISTICS;
  ASSERT_EQ(Run(KINLOOM_SOURCE_DIR "/examples/sample.ged"), RunOutcome::kCompleted);
  const std::string report = ReadFile(folder + "/stats.txt");
  const char* const in_order[] = {
      "KINLOOM\xA9  2.52 by Alden Brennick\ncompiled on ",
      "\n********Initial Memory Usage Statistics\n\n"
      "bytes of physical memory      = 8,000,000,000\n"
      "free physical memory bytes    = 4,000,000,000\n"
      "bytes of paging file          = 9,000,000,000\n"
      "free bytes of paging file     = 5,000,000,000\n"
      "user bytes of address space   = 3,000,000,000\n"
      "free user bytes               = 2,000,000,000\n"
      "\n********Run Time Statistics*********\n\n\n\nStart Time = ",
      "Total Run Time = 0m 0s\n\n\n********Input file Statistics********\n\nFile Name = ",
      "Individuals = 17\nFamilies = 6\nFiles Size = ",
      "\n********Outpuf files Statistics********\n\nDirectory = ",
      "writes to disk / file = ",
      "\n********Expanding Family Array Statistics********\n\n"
      "Total Indexes stored in Expanding Arrays = ",
      "Max Family Indexes Per individual = 55\n\nArray0 = ",
      "Array3 = 000000 000000 000000 000000 000000 000000 000000 000000 000000 000000 "
      "\nArray3 = 000000 000000 000000 000000 000000 000000 000000 000000 000000 000000 \n"
      "Array4 = ",
      "\nTotal over max indexes             = 0\nFirst Individual with max or go over = ",
      "\n********Expanding Bookmark Array Statistics********\n\n\nTotal Indexes",
      "Max Descendancy Indexes Per individual = 55\n\n",
      "\n********Expanding Notes Array Statistics********\n\n\nTotal Indexes",
      "\n********Final Memory Usage Statistics\n\n"
      "Initial physical memory bytes = 4,000,000,000\n"
      "Minimum physical memory bytes = 3,999,998,766\n",
      "Difference                    = 1,234\n\n"
      "Initial bytes of paging file = 5,000,000,000\n"
      "Minimum bytes of paging file = 4,999,994,322\n"
      "Difference                   = 5,678\n\n"
      "Initial user bytes = 2,000,000,000\n"
      "Minimum user bytes = 1,999,000,000\n"
      "Difference         = 1,000,000\n\n"
      "Total Amount Of Dynamically Allocated Memory = ",
      "Extra Amount Of Dynamically Allocated Memory = 0\n\n"
      "Extra Allocated Memory MEM_TRACKER_FAMILY              = 0\n",
      "Extra Allocated Memory MEM_TRACKER_NOTES       = 0\n\n********End Of File********\n\n",
  };
  std::size_t at = 0;
  for (const char* piece : in_order) {
    const std::size_t found = report.find(piece, at);
    ASSERT_NE(found, std::string::npos) << "missing after offset " << at << ": " << piece;
    at = found + std::string(piece).size();
  }
  EXPECT_EQ(at, report.size());

  // The sample has two families with a spouse each: the family arrays are counted.
  const RunStatistics& s = state.statistics;
  EXPECT_GT(s.families.entries, 0u);
  EXPECT_EQ(s.families.entries, s.families.slot_use[0] + s.families.slot_use[1] +
                                    s.families.slot_use[2]);
  // Pedigree charts and descendancy outlines bookmark every person they show: those
  // bookmarks are counted and reported in their own section.
  EXPECT_GT(s.bookmarks.entries, 0u);
  std::uint64_t bookmark_slots = 0;
  for (std::uint64_t use : s.bookmarks.slot_use) bookmark_slots += use;
  EXPECT_EQ(bookmark_slots, s.bookmarks.entries);
  EXPECT_NE(report.find("Bookmark Array Statistics********\n\n\nTotal Indexes stored in Expanding "
                        "Arrays = " +
                        FormatThousands(static_cast<long long>(s.bookmarks.entries)) + "\n"),
            std::string::npos);
  EXPECT_GT(s.memory.total(), 0u);
  EXPECT_GE(s.memory.peak(), s.memory.total() / 2);
  EXPECT_EQ(s.memory.current(), 0u);
  EXPECT_GT(s.files_created, 10u);
  EXPECT_GE(s.writes_to_disk, s.files_created - 1);
  EXPECT_GT(s.family_group_files, 0u);
  EXPECT_NE(report.find("Lines = " + FormatThousands(state.line_count) + "\n"), std::string::npos);
}

TEST_F(StatisticsRunTest, WithoutTheBitNoReportAndNothingCounted) {
  settings.debugging = 0;
  ASSERT_EQ(Run(KINLOOM_SOURCE_DIR "/examples/sample.ged"), RunOutcome::kCompleted);
  EXPECT_FALSE(std::filesystem::exists(folder + "/stats.txt"));
  EXPECT_EQ(state.statistics.memory.total(), 0u);
  EXPECT_EQ(state.statistics.files_created, 0u);
  EXPECT_EQ(state.statistics.families.entries, 0u);
  EXPECT_EQ(state.statistics.bookmarks.entries, 0u);
  EXPECT_EQ(auxiliary.memory.reads, 0);
}

TEST_F(StatisticsRunTest, AReportThatCannotBeCreatedIsToldAndTheRunGoesOn) {
  settings.debugging = DEBUG_STATISTICS;
  fs.Fail(platform::FailingFileSystem::Operation::kCreate, EACCES, "stats.txt");
  ASSERT_EQ(Run(KINLOOM_SOURCE_DIR "/examples/sample.ged"), RunOutcome::kCompleted);
  bool told = false;
  for (const auto& m : ui.messages)
    told |= m.text == "Error opening " + folder + "/stats.txt file for create.";
  EXPECT_TRUE(told);
  EXPECT_FALSE(std::filesystem::exists(folder + "/stats.txt"));
}

TEST_F(StatisticsRunTest, NoteRecordLengthsAndCharactersAreCounted) {
  const std::string gedcom = temp.Write(
      "notes.ged",
      "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n1 FAMS @F1@\n0 @I2@ INDI\n1 NAME C /B/\n"
      "1 FAMS @F1@\n0 @I3@ INDI\n1 NAME D /B/\n1 FAMC @F1@\n"
      "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n0 @F2@ FAM\n"
      "0 @N1@ NOTE 12345\n1 CONT 678\n0 @N2@ NOTE 12\n0 @S1@ SOUR\n1 TITL abcd\n"
      "0 @R1@ REPO\n1 NAME xy\n0 TRLR\n");
  settings.debugging = DEBUG_STATISTICS | DEBUG_NOTE_COUNTS;
  ASSERT_EQ(Run(gedcom), RunOutcome::kCompleted);
  EXPECT_EQ(state.longest_note, 8u);
  EXPECT_EQ(state.longest_source, 4u);
  EXPECT_EQ(state.longest_repository, 2u);
  EXPECT_EQ(state.total_note_characters, 16u);
  const std::string report = ReadFile(folder + "/stats.txt");
  EXPECT_NE(report.find("Longest Note = 8\nLongest Source = 4\nLongest Repository = 2\n"
                        "Total Characters in all Notes = 16\n"),
            std::string::npos);
  bool shown = false;
  for (const auto& m : ui.messages)
    shown |= m.text.find(" Longest Note = 8 \n Longest Source = 4 \n Longest Repository = 2") !=
             std::string::npos;
  EXPECT_TRUE(shown);
}

TEST_F(StatisticsRunTest, Royal92ReportHasThousandsSeparators) {
  const std::string royal = "/work/shared/gedcom/royal92.ged";
  if (!std::filesystem::exists(royal)) GTEST_SKIP() << "shared GEDCOM files not present";
  settings.debugging = DEBUG_STATISTICS;
  ASSERT_EQ(Run(royal), RunOutcome::kCompleted);
  const std::string report = ReadFile(folder + "/stats.txt");
  EXPECT_NE(report.find("Individuals = " + FormatThousands(state.individual_count) + "\n"),
            std::string::npos);
  EXPECT_GT(state.individual_count, 1000);
  EXPECT_NE(report.find("Individuals = 3,"), std::string::npos);
  EXPECT_NE(report.find("\n********End Of File********\n\n"), std::string::npos);
  EXPECT_GT(state.statistics.families.entries, 1000u);
}

}  // namespace
}  // namespace kinloom::run
