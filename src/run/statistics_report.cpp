#include "run/statistics_report.h"

#include <cstdio>

#include "lang/ui_text.h"
#include "run/product.h"
#include "store/genealogy_store.h"

namespace kinloom::run {

namespace {

constexpr char kReportName[] = "stats.txt";
constexpr int kMessageReportCreateFailed = 2266;
constexpr int kMessageReportCloseFailed = 2307;

std::string Thousands(std::uint64_t n) {
  return n > static_cast<std::uint64_t>(INT64_MAX) ? std::to_string(n)
                                                   : FormatThousands(static_cast<long long>(n));
}

std::string Line(const char* format, const std::string& value) {
  return lang::FormatText(format, value.c_str());
}

std::string Time(std::time_t t) {
  std::tm local{};
  if (std::tm* p = std::localtime(&t)) local = *p;
  char text[128];
  const std::size_t n = std::strftime(text, sizeof text, "%B %d, %Y at %H:%M:%S ", &local);
  return std::string(text, n);
}

std::string InitialSection(const platform::MemoryStatus& m) {
  std::string out = "\n********Initial Memory Usage Statistics\n\n";
  out += Line("bytes of physical memory      = %s\n", Thousands(m.total_physical));
  out += Line("free physical memory bytes    = %s\n", Thousands(m.free_physical));
  out += Line("bytes of paging file          = %s\n", Thousands(m.total_paging));
  out += Line("free bytes of paging file     = %s\n", Thousands(m.free_paging));
  out += Line("user bytes of address space   = %s\n", Thousands(m.total_user));
  out += Line("free user bytes               = %s\n", Thousands(m.free_user));
  return out;
}

struct ArraySection {
  const char* heading;
  bool rule_before_total;
  const char* capacity_line;
  const char* count_line;
};

std::string ArrayStatistics(const store::ExpandingArrayStatistics& s, const ArraySection& text) {
  std::string out = text.heading;
  if (text.rule_before_total) out += "\n";
  out += Line("Total Indexes stored in Expanding Arrays = %s\n", Thousands(s.entries));
  out += Line(text.capacity_line, Thousands(store::kExpandingArrayCapacity));
  int slot = 0;
  for (int tier = 0; tier < 5; ++tier) {
    out += lang::FormatText("Array%d = ", tier);
    for (int k = 0; k < store::kTierSizes[tier]; ++k, ++slot) {
      if (k > 0 && k % 10 == 0) out += lang::FormatText("\nArray%d = ", tier);
      out += lang::FormatText("%06d ", static_cast<int>(std::min<std::uint64_t>(
                                           s.slot_use[static_cast<std::size_t>(slot)], 999999)));
    }
    out += "\n";
  }
  out += Line("\nTotal over max indexes             = %s\n", Thousands(s.full));
  out += Line("First Individual with max or go over = %s\n",
              FormatThousands(s.max_position));
  out += Line(text.count_line, Thousands(s.max_count));
  out += Line("Individual Name                      = %s\n", s.max_name);
  return out;
}

struct KindLine {
  int kind;
  const char* line;
};

constexpr KindLine kKindLines[] = {
    {store::MEM_TRACKER_FAMILY, "Extra Allocated Memory MEM_TRACKER_FAMILY              = %s\n"},
    {store::MEM_TRACKER_BOOKMARK, "Extra Allocated Memory MEM_TRACKER_BOOKMARK            = %s\n"},
    {store::MEM_TRACKER_MAIN_STRUCT,
     "Extra Allocated Memory MEM_TRACKER_MAIN_STRUCT         = %s\n"},
    {store::MEM_TRACKER_CHILD, "Extra Allocated Memory MEM_TRACKER_CHILD               = %s\n"},
    {store::MEM_TRACKER_HASH, "Extra Allocated Memory MEM_TRACKER_HASH                = %s\n"},
    {store::MEM_TRACKER_OVERFLOW_DESC,
     "Extra Allocated Memory MEM_TRACKER_OVERFLOW_DESC       = %s\n"},
    {store::MEM_TRACKER_OVERFLOW_PEDIGREE,
     "Extra Allocated Memory MEM_TRACKER_OVERFLOW_PEDIGREE   = %s\n"},
    {store::MEM_TRACKER_EXTRACTPTR,
     "Extra Allocated Memory MEM_TRACKER_EXTRACTPTR          = %s\n"},
    {store::MEM_TRACKER_HASH_KEY, "Extra Allocated Memory MEM_TRACKER_HASH_KEY            = %s\n"},
    {store::MEM_TRACKER_VARIOUS_NAME,
     "Extra Allocated Memory MEM_TRACKER_VARIOUS_NAME        = %s\n"},
    {store::MEM_TRACKER_DATE_STRING1,
     "Extra Allocated Memory MEM_TRACKER_DATE_STRING1        = %s\n"},
    {store::MEM_TRACKER_DATE_STRING2,
     "Extra Allocated Memory MEM_TRACKER_DATE_STRING2        = %s\n"},
    {store::MEM_TRACKER_DATE_STRING3,
     "Extra Allocated Memory MEM_TRACKER_DATE_STRING3        = %s\n"},
    {store::MEM_TRACKER_PLACE_STRING,
     "Extra Allocated Memory MEM_TRACKER_PLACE_STRING        = %s\n"},
    {store::MEM_TRACKER_FAMILY_NAME,
     "Extra Allocated Memory MEM_TRACKER_FAMILY_NAME         = %s\n"},
    {store::MEM_TRACKER_TITLE, "Extra Allocated Memory MEM_TRACKER_TITLE               = %s\n"},
    {store::MEM_TRACKER_AKA, "Extra Allocated Memory MEM_TRACKER_AKA                 = %s\n"},
    {store::MEM_TRACKER_FAM_CHILD, "Extra Allocated Memory MEM_TRACKER_FAM_CHILD           = %s\n"},
    {store::MEM_TRACKER_SORTNAME, "Extra Allocated Memory MEM_TRACKER_SORTNAME            = %s\n"},
    {store::MEM_TRACKER_SURNAME, "Extra Allocated Memory MEM_TRACKER_SURNAME             = %s\n"},
    {store::MEM_TRACKER_REMNAME, "Extra Allocated Memory MEM_TRACKER_REMNAME             = %s\n"},
    {store::MEM_TRACKER_HUSBAND, "Extra Allocated Memory MEM_TRACKER_HUSBAND             = %s\n"},
    {store::MEM_TRACKER_WIFE, "Extra Allocated Memory MEM_TRACKER_WIFE                = %s\n"},
    {store::MEM_TRACKER_SPOUCE, "Extra Allocated Memory MEM_TRACKER_SPOUCE              = %s\n"},
    {store::MEM_TRACKER_NOTE_TEXT,
     "Extra Allocated Memory MEM_TRACKER_NOTE_TEXT           = %s\n"},
    {store::MEM_TRACKER_NOTES, "Extra Allocated Memory MEM_TRACKER_NOTES       = %s\n"},
};

// A free figure against its minimum; the difference is signed.
std::string Difference(std::uint64_t initial, std::uint64_t minimum) {
  const long long d = static_cast<long long>(initial) - static_cast<long long>(minimum);
  return FormatThousands(d);
}

std::string Body(const RunContext& context) {
  const RunState& state = context.state;
  const RunStatistics& s = state.statistics;
  std::string out = "\n********Run Time Statistics*********\n\n";
  out += Line("\n\nStart Time = %s\n", Time(state.start_time));
  out += Line("End Time   = %s\n", Time(state.end_time));
  out += FormatTotalRunTime(static_cast<long long>(state.end_time - state.start_time));

  out += "\n********Input file Statistics********\n\n";
  out += Line("File Name = %s\n", state.gedcom_path);
  out += Line("Individuals = %s\n", FormatThousands(state.individual_count));
  out += Line("Families = %s\n", FormatThousands(state.family_count));
  out += Line("Files Size = %s\n", Thousands(state.gedcom_file_size));
  out += Line("Lines = %s\n", FormatThousands(state.line_count));
  out += Line("Level 0 Notes = %s\n", Thousands(s.note_records_stored));
  out += Line("Level 1 Notes = %s\n", Thousands(s.notes_entries_stored));
  out += Line("Longest Note = %s\n", Thousands(state.longest_note));
  out += Line("Longest Source = %s\n", Thousands(state.longest_source));
  out += Line("Longest Repository = %s\n", Thousands(state.longest_repository));
  out += Line("Total Characters in all Notes = %s\n", Thousands(state.total_note_characters));

  out += "\n********Outpuf files Statistics********\n\n";
  out += Line("Directory = %s\n", state.output_folder);
  out += Line("Total files created              = %s\n", Thousands(s.files_created));
  out += Line("Total writes to disk = %s\n", Thousands(s.writes_to_disk));
  const double per_file = s.files_created == 0 ? 0.0
                                               : static_cast<double>(s.writes_to_disk) /
                                                     static_cast<double>(s.files_created);
  out += lang::FormatText("writes to disk / file = %f\n\n", per_file);
  out += Line("\nTotal Family Group Data files created = %s\n", Thousands(s.family_group_files));
  out += Line("\nTotal Descendancy Data files created  = %s\n", Thousands(s.descendancy_files));
  out += Line("Descendancy Overflow files created  = %s\n",
              Thousands(s.descendancy_overflow_files));
  out += Line("\nTotal Pedigree Data files created     = %s\n", Thousands(s.pedigree_files));
  out += Line("Pedigree Overflow files created     = %s\n", Thousands(s.pedigree_overflow_files));
  out += Line("\nTotal Notes Data files created     = %s\n", Thousands(s.notes_files));

  out += ArrayStatistics(s.families, {"\n********Expanding Family Array Statistics********\n\n",
                                      false, "Max Family Indexes Per individual = %s\n\n",
                                      "number of indexes                    = %s\n"});
  out += ArrayStatistics(s.bookmarks,
                         {"\n********Expanding Bookmark Array Statistics********\n\n", true,
                          "Max Descendancy Indexes Per individual = %s\n\n",
                          "Number of indexes                    = %s\n"});
  out += ArrayStatistics(s.notes, {"\n********Expanding Notes Array Statistics********\n\n",
                                   true, "Max Notes Indexes Per individual = %s\n\n",
                                   "Number of indexes                    = %s\n"});

  const platform::MemoryStatus& i = s.initial;
  const platform::MemoryStatus& m = s.minimum;
  out += "\n********Final Memory Usage Statistics\n\n";
  out += Line("Initial physical memory bytes = %s\n", Thousands(i.free_physical));
  out += Line("Minimum physical memory bytes = %s\n", Thousands(m.free_physical));
  out += "---------------------------------------------\n";
  out += Line("Difference                    = %s\n\n", Difference(i.free_physical, m.free_physical));
  out += Line("Initial bytes of paging file = %s\n", Thousands(i.free_paging));
  out += Line("Minimum bytes of paging file = %s\n", Thousands(m.free_paging));
  out += Line("Difference                   = %s\n\n", Difference(i.free_paging, m.free_paging));
  out += Line("Initial user bytes = %s\n", Thousands(i.free_user));
  out += Line("Minimum user bytes = %s\n", Thousands(m.free_user));
  out += Line("Difference         = %s\n\n", Difference(i.free_user, m.free_user));
  out += Line("Total Amount Of Dynamically Allocated Memory = %s\n", Thousands(s.memory.total()));
  out += Line("Peak Amount Of Dynamically Allocated Memory = %s\n", Thousands(s.memory.peak()));
  out += Line("Extra Amount Of Dynamically Allocated Memory = %s\n\n",
              Thousands(s.memory.current()));
  for (const KindLine& k : kKindLines) out += Line(k.line, Thousands(s.memory.counter(k.kind)));
  out += "\n********End Of File********\n\n";
  return out;
}

}  // namespace

std::string FormatThousands(long long n) {
  if (n < 1000) return std::to_string(n);
  std::string digits = std::to_string(n);
  std::string out;
  const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
  out.append(digits, 0, lead);
  for (std::size_t k = lead; k < digits.size(); k += 3) {
    out += ',';
    out.append(digits, k, 3);
  }
  return out;
}

std::string FormatTotalRunTime(long long elapsed) {
  const long long hours = elapsed / 3600;
  const int minutes = static_cast<int>(elapsed / 60 % 60);
  const int seconds = static_cast<int>(elapsed % 60);
  if (hours % 24 == 0) return lang::FormatText("Total Run Time = %dm %ds\n\n", minutes, seconds);
  return lang::FormatText("Total Run Time = %dh %dm %ds\n\n", static_cast<int>(hours % 24),
                          minutes, seconds);
}

void ResetStatistics(RunContext& context, platform::MemoryStatusSource* memory_source) {
  RunStatistics& s = context.state.statistics;
  s = RunStatistics{};
  s.memory_source = memory_source;
  s.WatchTiers();
}

void StartReport(RunContext& context) {
  RunStatistics& s = context.state.statistics;
  ++s.files_created;
  s.SnapshotMemory(true);
  s.report_path = context.state.output_folder + "/" + kReportName;
  int error = 0;
  std::unique_ptr<platform::OutputFile> file = context.fs.Create(s.report_path, &error);
  if (!file) {
    context.ui.ShowMessage(
        lang::FormatText(lang::LoadUiText(kMessageReportCreateFailed, context.settings).c_str(),
                         s.report_path.c_str()),
        "", platform::MessageIcon::kWarning, platform::MessageButtons::kOk);
    return;
  }
  std::string head = lang::FormatText("%s %1.2f by %s\n", kProductString, kProgramVersion,
                                      kAuthorName);
  head += lang::FormatText("compiled on %s at %s.\n", __DATE__, __TIME__);
  head += InitialSection(s.initial);
  file->Write(head.data(), head.size());
  s.report_file = std::move(file);
}

void TrackStoreMemory(RunContext& context) {
  RunStatistics& statistics = context.state.statistics;
  store::MemoryFigures present = store::MeasureStore(context.store);
  present[store::MEM_TRACKER_BOOKMARK] += statistics.chart_bookmark_bytes;
  statistics.memory.Follow(present);
}

void WriteReport(RunContext& context) {
  RunStatistics& s = context.state.statistics;
  if (!s.report_file) return;
  const std::string body = Body(context);
  s.report_file->Write(body.data(), body.size());
  std::shared_ptr<platform::OutputFile> file = std::move(s.report_file);
  if (file->Close() != 0) {
    context.ui.ShowMessage(
        lang::FormatText(lang::LoadUiText(kMessageReportCloseFailed, context.settings).c_str(),
                         s.report_path.c_str(), kProductString),
        "", platform::MessageIcon::kWarning, platform::MessageButtons::kOk);
  }
}

}  // namespace kinloom::run
