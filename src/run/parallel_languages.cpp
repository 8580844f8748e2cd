#include "run/parallel_languages.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "lang/ui_text.h"
#include "run/output_folder.h"
#include "run/progress_display.h"
#include "site/images.h"
#include "site/search_index.h"
#include "site/site_driver.h"

namespace kinloom::run {
namespace {

// Thrown in a worker whose language was stopped because a language before it failed. Not a
// std::exception, so that no handler on the way takes it for a failure of its own.
struct LanguageCancelled {};

// Progress reports are shown by the calling thread, which wakes for them at least this
// often, or at once when this many are waiting: a page kind reports every page, and waking
// the thread for each would take a core's time from the workers.
constexpr std::chrono::milliseconds kReportInterval{20};
constexpr std::size_t kReportsBeforeWaking = 64;

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The own files of a language: a page-kind prefix of the language followed by "_" (the
// numbered pages) or by the extension (the surname lists and the author page), the
// language's search files, and the language's base page.
OwnFiles LanguageFiles(const settings::Settings& settings, int language) {
  OwnFiles own;
  for (int k = 0; k < site::kPageKindCount; ++k) {
    const std::string prefix = site::PagePrefix(language, static_cast<site::PageKind>(k));
    own.AddPrefix(prefix + "_");
    own.AddName(prefix + ".htm");
    own.AddName(prefix + ".html");
  }
  // The search page, script and index files of the modern pages.
  const std::string search =
      std::string(kSearchFilePrefix) + std::string(site::SearchLanguageTag(language));
  own.AddPrefix(search + ".");
  own.AddPrefix(search + "-");
  const std::string base = settings.index_name[static_cast<std::size_t>(language)];
  own.AddName(base + ".htm");
  own.AddName(base + ".html");
  return own;
}

// What the coordinator runs on a worker: a language (its index) or a part of one (-1).
struct Unit {
  std::function<int(RunContext&)> step;
  OwnFiles own;
  int language = -1;
  std::vector<int> images_written_earlier;
  int weight = 0;  // how much work the unit is expected to be, against the others
};

class Coordinator;

// One language of the run, from its start on a worker to its settling on the calling thread.
struct Slot;

// The user interface a worker's language sees: each call waits for the language's turn and
// is made on the calling thread.
class WorkerUi : public platform::UserInterface {
 public:
  WorkerUi(Coordinator& owner, Slot& slot) : owner_(owner), slot_(slot) {}
  platform::Choice ShowMessage(const std::string& text, const std::string& caption,
                               platform::MessageIcon icon,
                               platform::MessageButtons buttons) override {
    platform::Choice choice = platform::Choice::kOk;
    InTurn([&](platform::UserInterface& ui) { choice = ui.ShowMessage(text, caption, icon, buttons); });
    return choice;
  }
  void Focus(platform::UiField field) override {
    InTurn([&](platform::UserInterface& ui) { ui.Focus(field); });
  }
  void BeginWaitCursor() override {
    InTurn([](platform::UserInterface& ui) { ui.BeginWaitCursor(); });
  }
  void EndWaitCursor() override {
    InTurn([](platform::UserInterface& ui) { ui.EndWaitCursor(); });
  }
  void Beep() override {
    InTurn([](platform::UserInterface& ui) { ui.Beep(); });
  }
  void OpenProgress() override {
    InTurn([](platform::UserInterface& ui) { ui.OpenProgress(); });
  }
  void UpdateProgress(const platform::ProgressUpdate& update) override {
    InTurn([&](platform::UserInterface& ui) { ui.UpdateProgress(update); });
  }
  void CloseProgress() override {
    InTurn([](platform::UserInterface& ui) { ui.CloseProgress(); });
  }
  void ShowNotice(const std::string& text) override {
    InTurn([&](platform::UserInterface& ui) { ui.ShowNotice(text); });
  }
  void RestoreTitle() override {
    InTurn([](platform::UserInterface& ui) { ui.RestoreTitle(); });
  }
  void RefreshMainWindow() override {
    InTurn([](platform::UserInterface& ui) { ui.RefreshMainWindow(); });
  }
  void SetViewButtonEnabled(bool enabled) override {
    InTurn([&](platform::UserInterface& ui) { ui.SetViewButtonEnabled(enabled); });
  }
  void RequestClose() override {
    InTurn([](platform::UserInterface& ui) { ui.RequestClose(); });
  }
  void OpenOwnerDialog() override {
    InTurn([](platform::UserInterface& ui) { ui.OpenOwnerDialog(); });
  }

 private:
  void InTurn(const std::function<void(platform::UserInterface&)>& call);
  Coordinator& owner_;
  Slot& slot_;
};

// The file system a worker's language sees: the run's, with its calls serialised; a file
// that is not one of the language's own pages waits for the language's turn, and the pages
// created are noted so that a cancelled language's can be deleted.
class WorkerFiles : public platform::FileSystem {
 public:
  WorkerFiles(Coordinator& owner, Slot& slot, platform::FileSystem& real)
      : owner_(owner), slot_(slot), real_(real) {}
  std::unique_ptr<platform::InputFile> OpenForRead(const std::string& path, int* error) override;
  std::unique_ptr<platform::OutputFile> Create(const std::string& path, int* error) override {
    return Output(path, error, false);
  }
  std::unique_ptr<platform::OutputFile> CreateReplacing(const std::string& path,
                                                        int* error) override {
    return Output(path, error, true);
  }
  int CreateFolder(const std::string& path) override;
  int ListFolder(const std::string& path, std::vector<std::string>* names) override;
  int DeleteFile(const std::string& path) override;
  int CopyFile(const std::string& from, const std::string& to) override;
  int FileSize(const std::string& path, std::uint64_t* size) override;
  bool SameFile(const std::string& a, const std::string& b) override;

 private:
  std::unique_ptr<platform::OutputFile> Output(const std::string& path, int* error,
                                               bool replacing);
  Coordinator& owner_;
  Slot& slot_;
  platform::FileSystem& real_;
};

enum class SlotStatus { kWaiting, kRunning, kSucceeded, kFailed, kThrew, kCancelled };

bool Finished(SlotStatus status) {
  return status != SlotStatus::kWaiting && status != SlotStatus::kRunning;
}

struct Report {
  std::size_t slot;
  int value;
  std::string text;
  bool scaled;
};

struct Slot : ProgressRelay {
  Slot(Coordinator& owner, RunContext& run, std::size_t position_in_run, Unit unit);
  void Relay(int value, const std::string& text, bool scaled) override;

  Coordinator& owner;
  const std::size_t position;
  const int language;  // -1 for a part of a language
  const std::function<int(RunContext&)> step;
  const OwnFiles own;
  const int weight;
  RunState state;  // the run's, with a language as the current one
  WorkerUi ui;
  WorkerFiles files;
  RunContext context;
  // Guarded by the coordinator's mutex.
  SlotStatus status = SlotStatus::kWaiting;
  bool cancelled = false;
  std::exception_ptr error;
  // Written by the language's worker only; read once it has ended.
  std::vector<std::string> created;
  // The calling thread's: the language's latest step of page creation; the reports of a
  // part that wait for its turn.
  int latest_step = 0;
  std::vector<Report> held;
};

class Coordinator {
 public:
  // Languages (each unit's language set) or the parts of one language.
  Coordinator(RunContext& context, std::vector<Unit> units, int jobs);
  // The position of the unit that failed or threw, or the number of units when all succeeded.
  std::size_t Run();

  // Worker side.
  void Progress(Slot& slot, int value, const std::string& text, bool scaled);
  void InTurn(Slot& slot, const std::function<void(platform::UserInterface&)>& call);
  void AwaitTurn(Slot& slot);
  void ThrowIfCancelled(Slot& slot);
  std::mutex& files_mutex() { return files_mutex_; }
  bool Own(const Slot& slot, const std::string& path) const;

 private:
  struct Call {
    std::size_t slot;
    const std::function<void(platform::UserInterface&)>* call;
    bool done = false;
    std::exception_ptr error;
  };

  void Work();
  Slot* NextToStart();
  std::size_t Settle();
  void Show(const Report& report);

  RunContext& context_;
  const bool languages_;
  const std::size_t threads_;
  std::vector<std::unique_ptr<Slot>> slots_;
  ProgressDisplay fallback_display_;  // when the run has no display of its own
  int shown_position_ = 0;

  std::mutex mutex_;
  std::condition_variable main_wakeup_;    // a report, a call or a finished language
  std::condition_variable worker_wakeup_;  // a call made, a turn reached, a cancellation
  std::vector<Report> reports_;
  std::vector<Call*> calls_;
  std::size_t turn_ = 0;  // position of the first language not yet settled
  bool stopping_ = false;

  std::mutex files_mutex_;
};

Slot::Slot(Coordinator& owner_of_slot, RunContext& run, std::size_t position_in_run, Unit unit)
    : owner(owner_of_slot),
      position(position_in_run),
      language(unit.language),
      step(std::move(unit.step)),
      own(std::move(unit.own)),
      weight(unit.weight),
      state(run.state),
      ui(owner_of_slot, *this),
      files(owner_of_slot, *this, run.fs),
      context{ui, files, run.settings, state, run.store, run.progress} {
  if (language >= 0) {
    state.current_language = language;
    state.languages_done = static_cast<int>(position);
  }
  state.images_written_earlier = std::move(unit.images_written_earlier);
  state.progress_relay = this;
}

bool Coordinator::Own(const Slot& slot, const std::string& path) const {
  return slot.own.Owns(FileName(path));
}

void Slot::Relay(int value, const std::string& text, bool scaled) {
  owner.Progress(*this, value, text, scaled);
}

void WorkerUi::InTurn(const std::function<void(platform::UserInterface&)>& call) {
  owner_.InTurn(slot_, call);
}

std::unique_ptr<platform::InputFile> WorkerFiles::OpenForRead(const std::string& path,
                                                              int* error) {
  owner_.ThrowIfCancelled(slot_);
  std::lock_guard<std::mutex> lock(owner_.files_mutex());
  return real_.OpenForRead(path, error);
}

std::unique_ptr<platform::OutputFile> WorkerFiles::Output(const std::string& path, int* error,
                                                          bool replacing) {
  const bool own = owner_.Own(slot_, path);
  if (own)
    owner_.ThrowIfCancelled(slot_);
  else
    owner_.AwaitTurn(slot_);
  std::lock_guard<std::mutex> lock(owner_.files_mutex());
  auto file = replacing ? real_.CreateReplacing(path, error) : real_.Create(path, error);
  if (file && own) slot_.created.push_back(path);
  return file;
}

int WorkerFiles::CreateFolder(const std::string& path) {
  owner_.AwaitTurn(slot_);
  std::lock_guard<std::mutex> lock(owner_.files_mutex());
  return real_.CreateFolder(path);
}

int WorkerFiles::ListFolder(const std::string& path, std::vector<std::string>* names) {
  owner_.ThrowIfCancelled(slot_);
  std::lock_guard<std::mutex> lock(owner_.files_mutex());
  return real_.ListFolder(path, names);
}

int WorkerFiles::DeleteFile(const std::string& path) {
  owner_.AwaitTurn(slot_);
  std::lock_guard<std::mutex> lock(owner_.files_mutex());
  return real_.DeleteFile(path);
}

int WorkerFiles::CopyFile(const std::string& from, const std::string& to) {
  owner_.AwaitTurn(slot_);
  std::lock_guard<std::mutex> lock(owner_.files_mutex());
  return real_.CopyFile(from, to);
}

int WorkerFiles::FileSize(const std::string& path, std::uint64_t* size) {
  std::lock_guard<std::mutex> lock(owner_.files_mutex());
  return real_.FileSize(path, size);
}

bool WorkerFiles::SameFile(const std::string& a, const std::string& b) {
  std::lock_guard<std::mutex> lock(owner_.files_mutex());
  return real_.SameFile(a, b);
}

Coordinator::Coordinator(RunContext& context, std::vector<Unit> units, int jobs)
    : context_(context),
      languages_(!units.empty() && units.front().language >= 0),
      threads_(std::min(static_cast<std::size_t>(std::clamp(jobs, 1, kMaxJobs)), units.size())) {
  for (std::size_t i = 0; i < units.size(); ++i)
    slots_.push_back(std::make_unique<Slot>(*this, context, i, std::move(units[i])));
}

void Coordinator::ThrowIfCancelled(Slot& slot) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (slot.cancelled) throw LanguageCancelled{};
}

void Coordinator::Progress(Slot& slot, int value, const std::string& text, bool scaled) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (slot.cancelled) throw LanguageCancelled{};
    reports_.push_back({slot.position, value, text, scaled});
    if (reports_.size() < kReportsBeforeWaking) return;
  }
  main_wakeup_.notify_one();
}

void Coordinator::AwaitTurn(Slot& slot) {
  std::unique_lock<std::mutex> lock(mutex_);
  worker_wakeup_.wait(lock, [&] { return slot.cancelled || turn_ == slot.position; });
  if (slot.cancelled) throw LanguageCancelled{};
}

void Coordinator::InTurn(Slot& slot, const std::function<void(platform::UserInterface&)>& call) {
  Call pending{slot.position, &call, false, nullptr};
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (slot.cancelled) throw LanguageCancelled{};
    calls_.push_back(&pending);
    main_wakeup_.notify_one();
    worker_wakeup_.wait(lock, [&] { return pending.done || slot.cancelled; });
    if (!pending.done) {
      calls_.erase(std::find(calls_.begin(), calls_.end(), &pending));
      throw LanguageCancelled{};
    }
  }
  if (pending.error) std::rethrow_exception(pending.error);
}

// The unit a free worker starts next, or null when every unit has started (under the mutex).
// The first unit not finished goes first when no worker runs it yet: the unit whose turn comes
// next is always running, so a unit that waits for its turn never waits for a worker as well.
// Otherwise the heaviest unit not started goes (the first of equals), so that a long unit does
// not start last while the other workers stand idle.
Slot* Coordinator::NextToStart() {
  Slot* heaviest = nullptr;
  bool first_unfinished = true;
  for (const std::unique_ptr<Slot>& slot : slots_) {
    if (Finished(slot->status)) continue;
    if (slot->status == SlotStatus::kWaiting) {
      if (first_unfinished) return slot.get();
      if (heaviest == nullptr || slot->weight > heaviest->weight) heaviest = slot.get();
    }
    first_unfinished = false;
  }
  return heaviest;
}

void Coordinator::Work() {
  for (;;) {
    Slot* slot = nullptr;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_) return;
      slot = NextToStart();
      if (slot == nullptr) return;
      slot->status = SlotStatus::kRunning;
    }
    SlotStatus status = SlotStatus::kFailed;
    std::exception_ptr error;
    try {
      status = slot->step(slot->context) != 0 ? SlotStatus::kSucceeded : SlotStatus::kFailed;
    } catch (const LanguageCancelled&) {
      status = SlotStatus::kCancelled;
    } catch (...) {
      error = std::current_exception();
      status = SlotStatus::kThrew;
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      slot->status = status;
      slot->error = error;
    }
    main_wakeup_.notify_one();
  }
}

// One report of a worker. A part's is shown as the sequential run shows it. A language's is
// shown so but for the position: the band of page creation is filled by the steps of all
// languages together, so that the percentage never goes back while languages advance side by
// side.
void Coordinator::Show(const Report& report) {
  if (!languages_) {
    ShowProgress(context_, report.value, report.text, report.scaled);
    return;
  }
  Slot& slot = *slots_[report.slot];
  const int n = static_cast<int>(slots_.size());
  int position = std::clamp(report.value, 0, 100);
  if (report.scaled) {
    slot.latest_step = std::max(slot.latest_step, std::clamp(report.value, 0, kStepsPerLanguage));
    int steps = 0;
    for (const auto& s : slots_) steps += s->latest_step;
    const float width = static_cast<float>(kPageBandHigh - kPageBandLow) / static_cast<float>(n);
    position = static_cast<int>(static_cast<float>(kPageBandLow) +
                                (static_cast<float>(steps) / kStepsPerLanguage) * width);
  }
  position = std::max(position, shown_position_);
  shown_position_ = position;

  ProgressFrame frame;
  frame.languages_selected = n;
  frame.language_position = static_cast<int>(report.slot);
  frame.language_name = LanguageDisplayName(context_.settings, slot.language);
  frame.debug_flags = context_.state.debug_flags;
  ProgressDisplay& display = context_.progress != nullptr ? *context_.progress : fallback_display_;
  if ((frame.debug_flags & settings::kDebugRunningTime) != 0)
    frame.elapsed_seconds = std::max<std::time_t>(0, display.Now() - context_.state.start_time);
  const std::string text =
      report.text.empty() || !report.scaled
          ? report.text
          : lang::FormatText("(%s)\n", frame.language_name.c_str()) + report.text;
  context_.ui.UpdateProgress(display.Next(position, text, false, frame));
}

std::size_t Coordinator::Run() {
  std::vector<std::thread> workers;
  for (std::size_t t = 0; t < threads_; ++t) workers.emplace_back([this] { Work(); });
  const std::size_t n = slots_.size();
  std::size_t stop_at = n;
  std::exception_ptr own_error;  // of this thread: showing a report or making a call
  try {
    stop_at = Settle();
  } catch (...) {
    own_error = std::current_exception();
  }

  // The languages after the one that failed are stopped and not started; after a failure on
  // this thread, the language in turn stops too, where it is, as a sequential run would.
  std::size_t kept = stop_at;  // the last language whose files stay
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    if (own_error) kept = turn_;
    for (std::size_t i = own_error ? kept : kept + 1; i < n; ++i) slots_[i]->cancelled = true;
  }
  worker_wakeup_.notify_all();
  for (std::thread& worker : workers) worker.join();

  for (std::size_t i = kept + 1; i < n; ++i)
    for (const std::string& path : slots_[i]->created) context_.fs.DeleteFile(path);
  if (own_error) std::rethrow_exception(own_error);
  if (stop_at < n && slots_[stop_at]->status == SlotStatus::kThrew)
    std::rethrow_exception(slots_[stop_at]->error);
  return stop_at;
}

// Shows the workers' reports, makes the calls of the language in turn and settles the
// languages in order until all have succeeded (returns their count) or one has failed
// (returns its position).
std::size_t Coordinator::Settle() {
  const std::size_t n = slots_.size();
  std::unique_lock<std::mutex> lock(mutex_);
  auto call_in_turn = [&]() -> Call* {
    for (Call* call : calls_)
      if (call->slot == turn_ && !call->done) return call;
    return nullptr;
  };
  while (turn_ < n) {
    main_wakeup_.wait_for(lock, kReportInterval, [&] {
      return !reports_.empty() || call_in_turn() != nullptr || Finished(slots_[turn_]->status);
    });
    // A language's reports are queued before it is marked finished, so the reports taken here
    // include every report of a language seen finished here.
    std::vector<Report> reports;
    reports.swap(reports_);
    Call* call = call_in_turn();
    const bool settle = Finished(slots_[turn_]->status);
    lock.unlock();
    // A part's reports are shown in its turn (only this thread moves the turn).
    for (Report& report : reports) {
      if (!languages_ && report.slot != turn_)
        slots_[report.slot]->held.push_back(std::move(report));
      else
        Show(report);
    }
    std::exception_ptr call_error;
    if (call != nullptr) {
      try {
        (*call->call)(context_.ui);
      } catch (...) {
        call_error = std::current_exception();
      }
    }
    lock.lock();
    if (call != nullptr) {
      call->error = call_error;
      call->done = true;
      calls_.erase(std::find(calls_.begin(), calls_.end(), call));
      worker_wakeup_.notify_all();
    }
    if (!settle) continue;
    Slot& slot = *slots_[turn_];
    if (languages_) context_.state.current_language = slot.language;
    if (slot.status == SlotStatus::kSucceeded) {
      if (languages_) ++context_.state.languages_done;
      ++turn_;
      worker_wakeup_.notify_all();
      if (turn_ < n && !slots_[turn_]->held.empty()) {
        std::vector<Report> held;
        held.swap(slots_[turn_]->held);
        lock.unlock();
        for (const Report& report : held) Show(report);
        lock.lock();
      }
      continue;
    }
    if (slot.status == SlotStatus::kFailed && languages_) {
      context_.state.failed = true;
      ++context_.state.languages_done;
    }
    return turn_;
  }
  return n;
}

}  // namespace

int DefaultJobs() {
  const unsigned cores = std::thread::hardware_concurrency();
  return std::clamp(static_cast<int>(cores), 1, kMaxJobs);
}

void OwnFiles::AddPrefix(std::string prefix) { prefixes_.push_back(LowerAscii(std::move(prefix))); }

void OwnFiles::AddName(std::string name) { names_.push_back(LowerAscii(std::move(name))); }

bool OwnFiles::Owns(const std::string& name) const {
  const std::string lowered = LowerAscii(name);
  for (const std::string& prefix : prefixes_)
    if (lowered.compare(0, prefix.size(), prefix) == 0) return true;
  return std::find(names_.begin(), names_.end(), lowered) != names_.end();
}

bool LanguagesSeparable(const RunContext& context) {
  const settings::Settings& settings = context.settings;
  std::vector<int> selected;
  for (int l = 0; l < settings::kLanguageCount; ++l)
    if (settings.create_pages[static_cast<std::size_t>(l)] != 0) selected.push_back(l);
  const std::string gedcom = FileName(context.state.gedcom_path);
  for (int l : selected) {
    const OwnFiles own = LanguageFiles(settings, l);
    if (own.Owns(gedcom) || own.Owns("gendex.txt")) return false;
    for (int m : selected) {
      if (m == l) continue;
      const std::string& base = settings.index_name[static_cast<std::size_t>(m)];
      if (own.Owns(base + ".htm") || own.Owns(base + ".html")) return false;
    }
  }
  return true;
}

void GenerateLanguagesAtOnce(RunContext& context, const std::vector<int>& languages, int jobs,
                             const LanguageStep& step) {
  std::vector<Unit> units;
  // An image is written by the first language (in order) that uses it, as one of its own
  // files, so that no language waits for the turn of another to write it: if that language
  // is stopped, so are the ones after it, and the image goes with its other files. The
  // languages after it leave the image be, as its bytes are the same.
  std::vector<int> written;
  for (int language : languages) {
    Unit unit{[&step, language](RunContext& own) { return step(own, language); },
              LanguageFiles(context.settings, language), language, {}};
    for (int image : site::ImagesOfLanguage(context.settings, language)) {
      if (std::find(written.begin(), written.end(), image) != written.end()) {
        unit.images_written_earlier.push_back(image);
      } else {
        written.push_back(image);
        unit.own.AddName(std::string(site::ImageFileName(image)));
      }
    }
    units.push_back(std::move(unit));
  }
  Coordinator(context, std::move(units), jobs).Run();
}

bool PartsSeparable(const std::vector<SitePart>& parts) {
  for (std::size_t p = 0; p < parts.size(); ++p)
    for (std::size_t q = 0; q < parts.size(); ++q) {
      if (p == q) continue;
      for (const std::string& name : parts[q].own.names())
        if (parts[p].own.Owns(name)) return false;
    }
  return true;
}

int GeneratePartsAtOnce(RunContext& context, const std::vector<SitePart>& parts, int jobs) {
  std::vector<Unit> units;
  for (const SitePart& part : parts) units.push_back({part.step, part.own, -1, {}, part.weight});
  return Coordinator(context, std::move(units), jobs).Run() == parts.size() ? 1 : 0;
}

}  // namespace kinloom::run
