#include "run/conversion_run.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <exception>
#include <new>
#include <optional>
#include <thread>
#include <vector>

#include "gedcom/counting_pass.h"
#include "gedcom/loading_pass.h"
#include "lang/date_stamps.h"
#include "lang/tag_labels.h"
#include "lang/ui_text.h"
#include "platform/program_end.h"
#include "platform/system_error.h"
#include "run/derived_order.h"
#include "run/output_folder.h"
#include "run/parallel_languages.h"
#include "run/product.h"
#include "run/statistics_report.h"
#include "site/images.h"
#include "site/site_generation.h"
#include "store/family_links.h"

namespace kinloom::run {

void AuxiliarySteps::ExtractImage(RunContext& context, int number) {
  site::ExtractRunImage(context, number);
}

bool AuxiliarySteps::LoadNotesTagList(RunContext& context,
                                      const std::optional<std::string>& notes_to_include) {
  // An unreadable list is reported there and leaves every tag out; the run goes on.
  context.state.notes_tag_selection =
      lang::LoadNotesTagList(notes_to_include, context.settings, context.ui);
  return true;
}

void AuxiliarySteps::MakeDateStamps(RunContext& context) {
  const ProgressDisplay* display = context.progress;
  const lang::DateStamps stamps =
      display != nullptr ? lang::MakeDateStamps([display] { return display->Now(); })
                         : lang::MakeDateStamps();
  std::copy(stamps.begin(), stamps.end(), context.state.date_stamps.begin());
}

void AuxiliarySteps::ClearStatistics(RunContext& context) {
  ResetStatistics(context, &platform::SystemMemoryStatus());
}

void AuxiliarySteps::StartStatisticsReport(RunContext& context) { StartReport(context); }

void AuxiliarySteps::TakeMemorySnapshot(RunContext& context) {
  context.state.statistics.SnapshotMemory(false);
}

void AuxiliarySteps::WriteStatisticsReport(RunContext& context) { WriteReport(context); }

namespace {

// Texts of the messages and progress steps of a conversion.
constexpr int kMessageSameBasePageName = 2441;  // "The name of the base page for the %s pages ..."
constexpr int kMessageSpecifyInputFile = 2271;  // "Please specify the %s file to convert to HTML."
constexpr int kMessageSpecifyOutputFolder = 2272;  // "Please specify the directory to create ..."
constexpr int kQuestionEnterOwnerName = 2273;      // "You have not entered the Name of the ..."
constexpr int kTitleIncomplete = 2274;
constexpr int kStatusVerifiedInputOutput = 2275;
constexpr int kMessageException = 2281;    // "Exception: %s \n %s closing down."
constexpr int kStatusPagesCreated = 2313;  // "Pages Created.  Starting cleanup... %s"
constexpr int kStatusFinished = 2314;
constexpr int kMessageTotalRunningTime = 2315;
constexpr int kStatusInitializingOutput = 2276;  // "Initializing output directory"
constexpr int kStatusCreatedDirectories = 2277;
constexpr int kStatusSavedSettings = 2278;
constexpr int kStatusCopyingBackground = 2279;      // "Copying Background Image"
constexpr int kMessageBackgroundCopyFailed = 2280;  // "Unable to copy the Background file %s ..."
constexpr int kStatusPreprocessed = 2282;           // "Finished Preprecessing GEDCOM file"
constexpr int kMessageTooFewRecords = 2283;     // "Error detected reading GEDCOM file. %s only ..."
constexpr int kTextLargeFileRemark = 2285;      // "  This may take some time, you have a very ..."
constexpr int kStatusAllocatingBuffers = 2284;  // "Allocating buffers %s"
constexpr int kStatusVerifyingBuffers = 2300;
constexpr int kMessageAllocationFailed = 2301;    // "Error allocating internal buffers.  This ..."
constexpr int kStatusInitializingStorage = 2302;  // "Initializing storage structures %s"
constexpr int kStatusStartingSecondPass = 2303;   // "Starting 2nd pass...Opending input file"
constexpr int kMessageReopenFailed = 2304;  // "Unable to re-open the file '%s'.  %s aborting."
constexpr int kStatusOpenedInput = 2305;    // "Opended input file.... Starting to Load input file"
constexpr int kStatusLoadedGedcom = 2306;
constexpr int kMessageCloseFailed = 2307;    // "Unable to close file %s.  Aborting Conversion ..."
constexpr int kStatusFreeingStorage = 2337;  // "Finished creating pages.  Freeing dynamic ..."

using platform::MessageButtons;
using platform::MessageIcon;

// From this many individuals on, the long steps say that they may take a while.
constexpr int kLargeFileIndividuals = 5000;

// Sizes of one record in the tables, as the allocation failure message counts them.
constexpr double kIndividualRecordBytes = 135;
constexpr double kFamilyRecordBytes = 837;
constexpr double kIndexEntryBytes = 4;

// The default steps: the real passes and site generation.
GedcomPasses& DefaultPasses() {
  static GedcomPasses passes;  // stateless
  return passes;
}
SiteSteps& DefaultSite() {
  static SiteSteps site;  // stateless
  return site;
}
SettingsSaver& DefaultSaver() {
  static SettingsSaver saver;  // stateless
  return saver;
}
AuxiliarySteps& DefaultAuxiliary() {
  static AuxiliarySteps auxiliary;  // stateless
  return auxiliary;
}

// The base file name of a value that should hold only a file name: the text after its last
// "/" or "\". Empty when nothing usable is left.
std::string BareFileName(const std::string& value) {
  const std::size_t slash = value.find_last_of("/\\");
  std::string name = slash == std::string::npos ? value : value.substr(slash + 1);
  if (name == "." || name == "..") name.clear();
  return name;
}

}  // namespace

bool GedcomPasses::Count(RunContext& context) { return gedcom::CountingPass(context); }

void GedcomPasses::Load(RunContext& context, platform::InputFile& file) {
  gedcom::LoadingPass(context, file);
}

void SiteSteps::PrepareDerivedOrder(RunContext& context) {
  run::PrepareDerivedOrder(context,
                           [&context] { site::ExtractRunImage(context, site::kImageRedDot); });
}

int SiteSteps::GenerateSite(RunContext& context, int language) {
  return site::GenerateSite(context, language);
}

void AuxiliarySteps::WaitOneSecond() { std::this_thread::sleep_for(std::chrono::seconds(1)); }

int ExitStatus(RunOutcome outcome) { return outcome == RunOutcome::kCompleted ? 0 : 1; }

ConversionRun::ConversionRun(platform::UserInterface& ui, platform::FileSystem& fs,
                             settings::Settings& settings, ProgressDisplay& display, Steps steps)
    : ui_(ui),
      fs_(fs),
      settings_(settings),
      display_(display),
      passes_(steps.passes != nullptr ? steps.passes : &DefaultPasses()),
      site_(steps.site != nullptr ? steps.site : &DefaultSite()),
      saver_(steps.saver != nullptr ? steps.saver : &DefaultSaver()),
      auxiliary_(steps.auxiliary != nullptr ? steps.auxiliary : &DefaultAuxiliary()) {}

std::string ConversionRun::Text(int n) const { return lang::LoadUiText(n, settings_); }

platform::Choice ConversionRun::Message(const std::string& text, MessageIcon icon,
                                        MessageButtons buttons) {
  return ui_.ShowMessage(text, kApplicationTitle, icon, buttons);
}

void ConversionRun::Report(RunContext& context, int value, const std::string& text) {
  ShowProgress(context, value, text, false);
}

void ConversionRun::Abort() {
  ui_.EndWaitCursor();
  ui_.CloseProgress();
  ui_.RestoreTitle();
}

bool ConversionRun::CheckBasePageNames() {
  std::string text;
  for (int i = 0; i < settings::kLanguageCount; ++i) {
    if (settings_.create_pages[static_cast<std::size_t>(i)] == 0) continue;
    for (int j = i + 1; j < settings::kLanguageCount; ++j) {
      if (settings_.create_pages[static_cast<std::size_t>(j)] == 0) continue;
      const std::string name = BasePageName(settings_, i);
      if (name != BasePageName(settings_, j)) continue;
      text = lang::FormatText(Text(kMessageSameBasePageName).c_str(),
                              LanguageDisplayName(settings_, i).c_str(),
                              LanguageDisplayName(settings_, j).c_str(), name.c_str());
    }
  }
  if (text.empty()) return true;
  Message(text, MessageIcon::kWarning);
  return false;
}

RunOutcome ConversionRun::Run(const std::string& gedcom_path, const std::string& output_folder,
                              bool from_command_line) {
  state_ = RunState{};
  store_.Release();
  RunContext context{ui_, fs_, settings_, state_, store_, &display_};

  // 1. Debug flags, note counters, start time, statistics.
  state_.debug_flags = settings_.debugging;
  state_.start_time = display_.Now();
  if ((state_.debug_flags & DEBUG_STATISTICS) != 0) auxiliary_->ClearStatistics(context);

  // 2. The two paths.
  ui_.BeginWaitCursor();
  state_.gedcom_path = gedcom_path;
  state_.output_folder = output_folder;

  // 3. At least one output language.
  if (std::none_of(settings_.create_pages.begin(), settings_.create_pages.end(),
                   [](int on) { return on != 0; })) {
    settings_.create_pages[0] = 1;
    ui_.RefreshMainWindow();
  }

  // 4. Validation.
  if (state_.gedcom_path.empty()) {
    Message(lang::FormatText(Text(kMessageSpecifyInputFile).c_str(), "GEDCOM"),
            MessageIcon::kWarning);
    ui_.Focus(platform::UiField::kGedcomPath);
    ui_.EndWaitCursor();
    return RunOutcome::kValidationStop;
  }
  if (state_.output_folder.empty()) {
    Message(Text(kMessageSpecifyOutputFolder), MessageIcon::kWarning);
    ui_.Focus(platform::UiField::kOutputFolder);
    ui_.EndWaitCursor();
    return RunOutcome::kValidationStop;
  }
  if (settings_.owner.user_name.empty()) {
    const platform::Choice choice =
        ui_.ShowMessage(Text(kQuestionEnterOwnerName), Text(kTitleIncomplete),
                        MessageIcon::kQuestion, MessageButtons::kYesNoCancel);
    if (choice == platform::Choice::kCancel) {
      ui_.EndWaitCursor();
      return RunOutcome::kValidationStop;
    }
    if (choice == platform::Choice::kYes) ui_.OpenOwnerDialog();
  }

  // 5, 6.
  ui_.OpenProgress();
  Report(context, 1, Text(kStatusVerifiedInputOutput));

  // A memory or file exception from any step is shown with the exception's text and ends
  // the run with a failure status; the store is released.
  try {
    RunOutcome outcome = Prepare(context);
    if (outcome != RunOutcome::kCompleted) return outcome;
    outcome = Load(context);
    if (outcome != RunOutcome::kCompleted) return outcome;
    GenerateSites(context);
  } catch (const platform::ProgramEnd&) {
    throw;
  } catch (const std::exception& e) {
    Message(lang::FormatText(Text(kMessageException).c_str(), e.what(), kProductString),
            MessageIcon::kError);
    Abort();
    ReleaseStorage(context, true);
    return RunOutcome::kAbortedAndFreed;
  }

  // 36 … 39. Clean-up.
  state_.finishing = true;
  if (!state_.failed)
    Report(context, 90, lang::FormatText(Text(kStatusPagesCreated).c_str(), "1-2"));
  ReleaseStorage(context, state_.failed);
  if (!state_.failed) {
    Report(context, 100, Text(kStatusFinished));
    auxiliary_->WaitOneSecond();
  }

  // 40. The button that opens the site.
  ui_.SetViewButtonEnabled(MainPageExists(context));

  // 41, 42. Running time.
  state_.end_time = display_.Now();
  const long long elapsed = static_cast<long long>(state_.end_time - state_.start_time);
  if ((state_.debug_flags & DEBUG_SHOW_RUN_TIME) != 0) {
    Message(lang::FormatText(Text(kMessageTotalRunningTime).c_str(), static_cast<int>(elapsed / 60),
                             static_cast<int>(elapsed % 60)),
            MessageIcon::kInformation);
  }

  // 43. Statistics report, showing it, closing.
  if ((state_.debug_flags & DEBUG_STATISTICS) != 0) auxiliary_->WriteStatisticsReport(context);
  if ((state_.debug_flags & DEBUG_SHOW_STATISTICS_LOG) != 0)
    auxiliary_->OpenFile(context, state_.output_folder + "/stats.txt");
  if ((state_.debug_flags & DEBUG_CLOSE_WHEN_DONE) != 0 || from_command_line) ui_.RequestClose();

  // 44.
  ui_.CloseProgress();
  ui_.RestoreTitle();
  ui_.EndWaitCursor();
  return state_.failed ? RunOutcome::kSiteFailed : RunOutcome::kCompleted;
}

void ConversionRun::SetJobs(int jobs) { jobs_ = std::clamp(jobs, 1, kMaxJobs); }

// Steps 29 to 35: the derived order, then the site of each selected language in index order
// (several at once when the run may).
void ConversionRun::GenerateSites(RunContext& context) {
  const bool statistics = (state_.debug_flags & DEBUG_STATISTICS) != 0;
  site_->PrepareDerivedOrder(context);
  if (statistics) TrackStoreMemory(context);
  std::vector<int> languages;
  for (int k = 0; k < settings::kLanguageCount; ++k)
    if (settings_.create_pages[static_cast<std::size_t>(k)] != 0) languages.push_back(k);
  // The statistics measure the memory of one language at a time. Languages generated at once
  // write the parts of their sites one after the other.
  state_.jobs = 1;
  if (jobs_ > 1 && languages.size() > 1 && !statistics && LanguagesSeparable(context)) {
    GenerateLanguagesAtOnce(context, languages, jobs_, [this](RunContext& own, int language) {
      return site_->GenerateSite(own, language);
    });
    return;
  }
  // One language at a time: the parts of its site may be written at once.
  state_.jobs = jobs_;
  for (int k = 0; k < settings::kLanguageCount && !state_.failed; ++k) {
    if (settings_.create_pages[static_cast<std::size_t>(k)] == 0) continue;
    state_.current_language = k;
    if (site_->GenerateSite(context, k) == 0) state_.failed = true;
    ++state_.languages_done;
    if (statistics) TrackStoreMemory(context);
  }
}

// Steps 7 to 21: the output folder, the options, the images and the counting pass.
RunOutcome ConversionRun::Prepare(RunContext& context) {
  // 7, 8.
  std::string& folder = state_.output_folder;
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  Report(context, 2, Text(kStatusInitializingOutput));
  if (!PrepareOutputFolder(context)) {
    Abort();
    return RunOutcome::kAborted;
  }

  // 9 … 12.
  if ((state_.debug_flags & DEBUG_STATISTICS) != 0) auxiliary_->StartStatisticsReport(context);
  settings_.output_file = folder;
  saver_->SaveOutputFolder(settings_);
  Report(context, 3, Text(kStatusCreatedDirectories));
  state_.individuals_loaded = 0;
  state_.families_loaded = 0;
  auxiliary_->MakeDateStamps(context);

  // 13. Every selected language needs a base page of its own.
  if (!CheckBasePageNames()) {
    ui_.CloseProgress();
    ui_.EndWaitCursor();
    return RunOutcome::kValidationStop;
  }

  // 14, 15.
  saver_->SaveAll(settings_);
  state_.languages_selected =
      static_cast<int>(std::count_if(settings_.create_pages.begin(), settings_.create_pages.end(),
                                     [](int on) { return on != 0; }));
  state_.languages_done = 0;
  Report(context, 4, Text(kStatusSavedSettings));

  // 16. The custom background image. Its option should hold a bare file name; only that
  // name is used, so the copy always lands in the output folder.
  if (settings_.use_custom_background != 0) {
    Report(context, 5, Text(kStatusCopyingBackground));
    const std::string& source = settings_.custom_background_path;
    const std::string name = BareFileName(settings_.custom_background);
    const std::string destination = folder + "/" + name;
    const int error = name.empty() ? EINVAL : fs_.CopyFile(source, destination);
    if (error != 0) {
      platform::ReportSystemError(
          ui_,
          lang::FormatText(Text(kMessageBackgroundCopyFailed).c_str(), source.c_str(),
                           destination.c_str(), kProductString),
          error);
      Abort();
      return RunOutcome::kAborted;
    }
  }

  // 17, 18.
  // The modern pages use none of the images: their marks and icons are text and SVG.
  if (!settings_.modern_pages()) {
    if (settings_.use_default_background != 0) auxiliary_->ExtractImage(context, 152);
    auxiliary_->ExtractImage(context, 153);
  }
  if (settings_.modern_pages()) site::WriteRunStyleSheet(context);
  state_.notes_wanted =
      std::any_of(settings_.create_notes_pages.begin(), settings_.create_notes_pages.end(),
                  [](int on) { return on != 0; });
  if (state_.notes_wanted &&
      !auxiliary_->LoadNotesTagList(context, saver_->ReadNotesToInclude(settings_))) {
    Abort();
    return RunOutcome::kAborted;
  }

  // 19. Counting pass; a memory or file exception is reported here.
  state_.mark_all_ancestors = settings_.mark_all_ancestors != 0;
  bool counted = false;
  try {
    counted = passes_->Count(context);
  } catch (const platform::ProgramEnd&) {
    throw;
  } catch (const std::exception& e) {
    Message(lang::FormatText(Text(kMessageException).c_str(), e.what(), kProductString),
            MessageIcon::kError);
    counted = false;
  }
  if (!counted) {
    Abort();
    return RunOutcome::kAborted;
  }

  // 20, 21.
  Report(context, 10, Text(kStatusPreprocessed));
  if (state_.family_count < 2 || state_.individual_count < 3) {
    Message(lang::FormatText(Text(kMessageTooFewRecords).c_str(), kProductString,
                             state_.family_count, state_.individual_count, kProductString),
            MessageIcon::kWarning);
    Abort();
    return RunOutcome::kAborted;
  }
  return RunOutcome::kCompleted;
}

// Steps 22 to 28: the store is allocated, cleared, filled by the loading pass, and its links
// resolved.
RunOutcome ConversionRun::Load(RunContext& context) {
  const int individuals = std::max(state_.individual_count, 0);
  const int families = std::max(state_.family_count, 0);
  const int notes = std::max(state_.level0_note_count, 0);
  const bool large = individuals >= kLargeFileIndividuals;
  const std::string remark = Text(kTextLargeFileRemark);
  auto labelled = [&](int text, const char* label, bool with_remark) {
    std::string shown = lang::FormatText(Text(text).c_str(), label);
    if (with_remark && large) shown += remark;
    return shown;
  };

  // 22. Allocation, one table at a time; a failure is noted and reported at 23.
  bool individuals_ok = true, sorted_ok = true, heads_ok = true, families_ok = true;
  bool notes_ok = true;
  auto allocate = [&](int sub_step, auto& table, int count, bool* ok) {
    using Record = typename std::decay_t<decltype(table)>::value_type;
    const std::size_t bytes = static_cast<std::size_t>(count) * sizeof(Record);
    if (!auxiliary_->AllocationAllowed(sub_step, bytes)) {
      *ok = false;
      return;
    }
    try {
      table.assign(static_cast<std::size_t>(count), Record{});
    } catch (const std::bad_alloc&) {
      *ok = false;
    } catch (const std::length_error&) {
      *ok = false;
    }
  };
  Report(context, 11, labelled(kStatusAllocatingBuffers, "1-6", true));
  allocate(1, store_.individuals, individuals, &individuals_ok);
  Report(context, 12, labelled(kStatusAllocatingBuffers, "2-6", true));
  allocate(2, store_.sorted_index, individuals, &sorted_ok);
  Report(context, 13, labelled(kStatusAllocatingBuffers, "3-6", true));
  allocate(3, store_.group_heads, individuals, &heads_ok);
  Report(context, 14, labelled(kStatusAllocatingBuffers, "4-6", true));
  allocate(4, store_.families, families, &families_ok);
  Report(context, 15, labelled(kStatusAllocatingBuffers, "5-6", true));
  try {
    store_.ids.Create(static_cast<std::size_t>(individuals) + static_cast<std::size_t>(families));
  } catch (const std::bad_alloc&) {
    // The table grows as ids are entered; a failed reservation only costs speed.
  }
  Report(context, 16, labelled(kStatusAllocatingBuffers, "6-6", false));
  allocate(6, store_.notes, notes, &notes_ok);

  // 23.
  Report(context, 17, Text(kStatusVerifyingBuffers));
  if ((state_.debug_flags & DEBUG_STATISTICS) != 0) {
    TrackStoreMemory(context);
    auxiliary_->TakeMemorySnapshot(context);
  }
  if (!individuals_ok || !sorted_ok || !heads_ok || !families_ok ||
      (!notes_ok && state_.notes_wanted)) {
    ui_.EndWaitCursor();
    ui_.CloseProgress();
    const double megabytes =
        (individuals * kIndividualRecordBytes + individuals * kIndexEntryBytes +
         individuals * kIndexEntryBytes + families * kFamilyRecordBytes) *
        0.000001;
    Message(lang::FormatText(Text(kMessageAllocationFailed).c_str(), individuals, families,
                             kProductString, megabytes),
            MessageIcon::kError);
    ui_.RestoreTitle();
    ReleaseStorage(context, true);
    return RunOutcome::kAbortedAndFreed;
  }

  // 24. Clearing; the individual table in three slices.
  auto clear = [](auto& table, std::size_t from, std::size_t to) {
    using Record = typename std::decay_t<decltype(table)>::value_type;
    std::fill(table.begin() + static_cast<std::ptrdiff_t>(from),
              table.begin() + static_cast<std::ptrdiff_t>(to), Record{});
  };
  const std::size_t n = static_cast<std::size_t>(individuals);
  Report(context, 18, labelled(kStatusInitializingStorage, "1-5", true));
  clear(store_.individuals, 0, n / 3);
  Report(context, 19, labelled(kStatusInitializingStorage, "2-5", true));
  clear(store_.individuals, n / 3, 2 * n / 3);
  Report(context, 20, labelled(kStatusInitializingStorage, "3-5", true));
  clear(store_.individuals, 2 * n / 3, n);
  Report(context, 20, labelled(kStatusInitializingStorage, "3-5", true));
  Report(context, 21, labelled(kStatusInitializingStorage, "4-5", false));
  clear(store_.notes, 0, store_.notes.size());
  Report(context, 22, labelled(kStatusInitializingStorage, "5-5", false));
  clear(store_.families, 0, store_.families.size());

  // 25 … 27. The loading pass.
  Report(context, 23, Text(kStatusStartingSecondPass));
  int error = 0;
  std::unique_ptr<platform::InputFile> file = fs_.OpenForRead(state_.gedcom_path, &error);
  if (!file) {
    platform::ReportSystemError(ui_,
                                lang::FormatText(Text(kMessageReopenFailed).c_str(),
                                                 state_.gedcom_path.c_str(), kProductString),
                                error);
    Abort();
    ReleaseStorage(context, true);
    return RunOutcome::kAbortedAndFreed;
  }
  Report(context, 24, Text(kStatusOpenedInput));
  state_.reading_database = true;
  passes_->Load(context, *file);
  state_.reading_database = false;
  // Every link is resolved here, once: a broken one ends the program before any page exists.
  store::MessageBoxFaults faults(ui_);
  store::ResolveLinks(store_, faults);
  if ((state_.debug_flags & DEBUG_STATISTICS) != 0) TrackStoreMemory(context);
  Report(context, 27, Text(kStatusLoadedGedcom));
  error = file->Close();
  if (error != 0) {
    platform::ReportSystemError(ui_,
                                lang::FormatText(Text(kMessageCloseFailed).c_str(),
                                                 state_.gedcom_path.c_str(), kProductString),
                                error);
    Abort();
    ReleaseStorage(context, true);
    return RunOutcome::kAbortedAndFreed;
  }

  // 28. Text that is not stated, or stated as UNICODE, is taken as ANSI from here on.
  if (state_.character_set == CharacterSet::kUnicode ||
      state_.character_set == CharacterSet::kNotStated)
    state_.character_set = CharacterSet::kAnsi;
  return RunOutcome::kCompleted;
}

// Step 38: releases the store; normal mode reports each table, failed mode reports nothing.
void ConversionRun::ReleaseStorage(RunContext& context, bool failed_mode) {
  auto step = [&](int value, const char* label) {
    if (!failed_mode)
      Report(context, value, lang::FormatText(Text(kStatusFreeingStorage).c_str(), label));
  };
  if (RunStatistics* statistics = StatisticsOf(state_)) {
    statistics->note_records_stored = static_cast<std::uint64_t>(std::max(store_.note_records_stored, 0));
    statistics->notes_entries_stored =
        static_cast<std::uint64_t>(std::max(store_.notes_entries_stored, 0));
  }
  if (!failed_mode) Report(context, 90, lang::FormatText(Text(kStatusPagesCreated).c_str(), "2-2"));
  step(92, "1-7");
  std::vector<store::IndividualRecord>().swap(store_.individuals);
  step(93, "2-7");
  std::vector<store::FamilyRecord>().swap(store_.families);
  step(94, "3-7");
  std::vector<std::int32_t>().swap(store_.sorted_index);
  step(95, "4-7");
  std::vector<std::int32_t>().swap(store_.group_heads);
  step(96, "5-7");
  store_.ids.Destroy();
  step(97, "6-7");  // the page buffer belongs to the page writer, released with it
  step(98, "7-7");
  store_.Release();
  if (RunStatistics* statistics = StatisticsOf(state_)) {
    statistics->chart_bookmark_bytes = 0;
    TrackStoreMemory(context);
  }
}

}  // namespace kinloom::run
