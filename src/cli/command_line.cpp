#include "cli/command_line.h"

#include <cstdio>
#include <iostream>
#include <memory>

#include "lang/ui_text.h"
#include "platform/console_ui.h"
#include "platform/file_system.h"
#include "platform/program_end.h"
#include "platform/registry.h"
#include "platform/text_encoding.h"
#include "run/conversion_run.h"
#include "run/parallel_languages.h"
#include "run/product.h"
#include "run/registry_saver.h"
#include "settings/load_save.h"
#include "settings/registry_store.h"
#include "settings/settings.h"
#include "settings/settings_commands.h"
#include "store/structural_faults.h"

namespace kinloom::cli {
namespace {

constexpr int kTextBrokenLinksHint = 2728;  // "Broken links can be skipped with a warning: ..."

constexpr int kUsageError = 2;

// The real steps, without the pause after "Finished :)": that pause keeps the Status window
// up long enough to be read, while the console's last status line stays on the screen anyway
// and a batch of conversions should not idle a second each.
class ConsoleAuxiliary : public run::AuxiliarySteps {
 public:
  void WaitOneSecond() override {}
};

constexpr char kUsage[] =
    "usage: kinloom [--set NAME=VALUE ...] [--skip-broken-links] [--style STYLE]\n"
    "               [--jobs N] GEDCOM,FOLDER\n"
    "       kinloom [--set NAME=VALUE ...] [--skip-broken-links] [--style STYLE]\n"
    "               [--jobs N] GEDCOM FOLDER\n"
    "       kinloom [--set NAME=VALUE ...] [--settings]\n"
    "       kinloom --help | --version\n"
    "\n"
    "Converts the GEDCOM file GEDCOM into a web site of static HTML pages in the folder\n"
    "FOLDER (created with its missing parents; the pages an earlier run of this program\n"
    "wrote there are deleted, every other file is kept).\n"
    "\n"
    "Options are kept between runs in $XDG_CONFIG_HOME/Brennick/registry.reg (by default\n"
    "~/.config/Brennick/registry.reg); a conversion saves them all.\n"
    "  --set NAME=VALUE ...  store the named options (every following argument that holds\n"
    "                        a \"=\"), before the conversion when paths are given\n"
    "  --settings            print every stored option with its kind and value\n"
    "  --skip-broken-links   for this conversion, drop links to missing records and\n"
    "                        records whose id is taken, with a warning, instead of\n"
    "                        stopping (the stored option is \"Skip Broken Links\")\n"
    "  --style STYLE         for this conversion, write the pages in STYLE: classic\n"
    "                        (HTML 3.2 pages) or modern (HTML5 pages with a style sheet,\n"
    "                        for phones too); the stored option is \"Page Style\"\n"
    "  --jobs N              generate up to N output languages, or parts of one\n"
    "                        language's site, at once (1 to 64; by default the number\n"
    "                        of cores); --jobs 1 generates them one\n"
    "                        after the other\n"
    "  --                    what follows are paths, even when they start with \"--\"\n"
    "\n"
    "Exit status: 0 when the conversion completed, 1 when it stopped on an error or an\n"
    "answer of No, 2 for a usage error.\n";

// The number of "--jobs N": a whole number 1 … kMaxJobs in decimal digits only; 0 when
// the text is anything else.
int JobCount(const std::string& text) {
  if (text.empty() || text.size() > 2) return 0;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value >= 1 && value <= run::kMaxJobs ? value : 0;
}

bool IsOption(const std::string& argument) {
  return argument.size() > 1 && argument[0] == '-' && argument[1] == '-';
}

// Runs start-up, the assignments, the listing and the conversion of one invocation.
int Execute(const Invocation& invocation, platform::ConsoleUi& ui,
            platform::FileSystem& files) {
  std::unique_ptr<platform::Registry> registry = settings::OpenUserRegistry(ui);
  settings::RegistryStore store(*registry, ui);
  settings::Settings settings;

  // Start-up: the load sequence, with the command line's paths in place of "Input File"
  // and "Output File" when there are paths.
  settings::LoadOptions options;
  options.command_line = invocation.kind == Invocation::Kind::kConvert;
  options.input_path = invocation.gedcom_path;
  options.output_folder = invocation.output_folder;
  options.default_output_folder = settings::DefaultOutputFolder();
  settings::LoadSettings(store, settings, options);

  if (!invocation.assignments.empty() &&
      settings::RunSetCommand(store, settings, invocation.assignments) != 0)
    return 1;
  if (invocation.list_settings && settings::RunListSettings(store, std::cout) != 0) return 1;
  if (invocation.kind != Invocation::Kind::kConvert) return 0;
  if (invocation.skip_broken_links) settings.skip_broken_links = 1;
  if (invocation.page_style >= 0)
    settings.page_style = static_cast<std::uint32_t>(invocation.page_style);

  run::ProgressDisplay display;
  run::RegistrySettingsSaver saver(store, invocation.gedcom_path, invocation.output_folder);
  ConsoleAuxiliary auxiliary;
  run::ConversionRun::Steps steps;
  steps.saver = &saver;
  steps.auxiliary = &auxiliary;
  run::ConversionRun conversion(ui, files, settings, display, steps);
  conversion.SetJobs(invocation.jobs != 0 ? invocation.jobs : run::DefaultJobs());
  try {
    const run::RunOutcome outcome =
        conversion.Run(invocation.gedcom_path, invocation.output_folder, true);
    return run::ExitStatus(outcome);
  } catch (const store::StructuralErrorEnd&) {
    // One line after the message: the way past a broken link or a duplicate id.
    ui.CloseProgress();
    std::fprintf(stderr, "%s\n",
                 platform::Cp1252ToUtf8(lang::LoadUiText(kTextBrokenLinksHint, settings)).c_str());
    throw;
  }
}

}  // namespace

Invocation ParseArguments(const std::vector<std::string>& arguments) {
  Invocation invocation;
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    invocation.kind = Invocation::Kind::kHelp;
    return invocation;
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    invocation.kind = Invocation::Kind::kVersion;
    return invocation;
  }

  Invocation failed;  // kUsageError
  std::vector<std::string> paths;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended || !IsOption(argument)) {
      paths.push_back(argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (argument == "--set") {
      std::size_t taken = 0;
      while (i + 1 < arguments.size() && !IsOption(arguments[i + 1]) &&
             arguments[i + 1].find('=') != std::string::npos) {
        invocation.assignments.push_back(arguments[++i]);
        ++taken;
      }
      if (taken == 0) return failed;
    } else if (argument == "--settings") {
      invocation.list_settings = true;
    } else if (argument == "--skip-broken-links") {
      invocation.skip_broken_links = true;
    } else if (argument == "--style" || argument.rfind("--style=", 0) == 0) {
      std::string name;
      if (argument == "--style") {
        if (i + 1 >= arguments.size()) return failed;
        name = arguments[++i];
      } else {
        name = argument.substr(8);
      }
      if (name == "classic")
        invocation.page_style = 0;
      else if (name == "modern")
        invocation.page_style = 1;
      else
        return failed;
    } else if (argument == "--jobs") {
      if (i + 1 == arguments.size()) return failed;
      invocation.jobs = JobCount(arguments[++i]);
      if (invocation.jobs == 0) return failed;
    } else {
      return failed;
    }
  }

  if (paths.empty()) {
    if (invocation.assignments.empty() && !invocation.list_settings) return failed;
    // They go with a conversion.
    if (invocation.skip_broken_links || invocation.page_style >= 0 || invocation.jobs != 0)
      return failed;
    invocation.kind = Invocation::Kind::kSettings;
    return invocation;
  }
  // The listing shows the store as it is; it does not go with a conversion.
  if (invocation.list_settings) return failed;
  if (paths.size() == 1) {
    const std::size_t comma = paths[0].find(',');
    if (comma == std::string::npos) return failed;
    invocation.gedcom_path = paths[0].substr(0, comma);
    invocation.output_folder = paths[0].substr(comma + 1);
  } else if (paths.size() == 2) {
    invocation.gedcom_path = paths[0];
    invocation.output_folder = paths[1];
  } else {
    return failed;
  }
  invocation.kind = Invocation::Kind::kConvert;
  return invocation;
}

int Main(int argc, char** argv) { return Main(argc, argv, platform::RealFileSystem()); }

int Main(int argc, char** argv, platform::FileSystem& files) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const Invocation invocation = ParseArguments(arguments);
  switch (invocation.kind) {
    case Invocation::Kind::kHelp:
      std::fputs(kUsage, stdout);
      return 0;
    case Invocation::Kind::kVersion: {
      const std::string version =
          lang::FormatText("%s%1.2f", run::kProductString, run::kProgramVersion);
      std::printf("%s\n", platform::Cp1252ToUtf8(version).c_str());
      return 0;
    }
    case Invocation::Kind::kUsageError:
      std::fputs(kUsage, stderr);
      return kUsageError;
    case Invocation::Kind::kConvert:
    case Invocation::Kind::kSettings:
      break;
  }

  platform::ConsoleUi ui;
  try {
    return Execute(invocation, ui, files);
  } catch (const platform::ProgramEnd& end) {
    ui.CloseProgress();
    return end.status();
  } catch (const std::exception& e) {
    // Outside a run (reading the settings, say): shown the way a run shows it.
    ui.CloseProgress();
    ui.ShowMessage(
        lang::FormatText("Exception: %s \n %s closing down.", e.what(), run::kProductString), "",
        platform::MessageIcon::kError, platform::MessageButtons::kOk);
    return 1;
  }
}

}  // namespace kinloom::cli
