#include "cli/command_line.h"

#include <cstdio>
#include <cstdlib>

#include "lang/ui_text.h"
#include "platform/console_ui.h"
#include "platform/file_system.h"
#include "platform/program_end.h"
#include "platform/text_encoding.h"
#include "run/conversion_run.h"
#include "run/product.h"

namespace kinloom::cli {
namespace {

constexpr int kUsageError = 2;

constexpr char kUsage[] =
    "usage: kinloom GEDCOM,FOLDER\n"
    "       kinloom GEDCOM FOLDER\n"
    "       kinloom --help | --version\n"
    "\n"
    "Converts the GEDCOM file GEDCOM into a web site of static HTML pages in the folder\n"
    "FOLDER (created with its missing parents; old .htm and .html pages in it are deleted).\n"
    "Exit status: 0 when the conversion completed, 1 when it stopped on an error or an\n"
    "answer of No, 2 for a usage error.\n";

bool IsOption(const std::string& argument) {
  return argument.size() > 1 && argument[0] == '-' && argument[1] == '-';
}

}  // namespace

Invocation ParseArguments(const std::vector<std::string>& arguments) {
  Invocation invocation;
  if (arguments.size() == 1) {
    const std::string& only = arguments[0];
    if (only == "--help" || only == "-h") {
      invocation.kind = Invocation::Kind::kHelp;
    } else if (only == "--version") {
      invocation.kind = Invocation::Kind::kVersion;
    } else if (!IsOption(only)) {
      const std::size_t comma = only.find(',');
      if (comma != std::string::npos) {
        invocation.kind = Invocation::Kind::kConvert;
        invocation.gedcom_path = only.substr(0, comma);
        invocation.output_folder = only.substr(comma + 1);
      }
    }
  } else if (arguments.size() == 2 && !IsOption(arguments[0]) && !IsOption(arguments[1])) {
    invocation.kind = Invocation::Kind::kConvert;
    invocation.gedcom_path = arguments[0];
    invocation.output_folder = arguments[1];
  }
  return invocation;
}

settings::Settings StartupSettings(const std::string& home) {
  settings::Settings settings;
  if (!home.empty()) settings.output_file = home + "/MyHTMLFiles";
  return settings;
}

int Main(int argc, char** argv) {
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
      break;
  }

  const char* home = std::getenv("HOME");
  settings::Settings settings = StartupSettings(home != nullptr ? home : "");
  // The command line's paths take the place of "Input File" and "Output File".
  settings.input_file = invocation.gedcom_path;
  settings.output_file = invocation.output_folder;

  platform::ConsoleUi ui;
  run::ProgressDisplay display;
  try {
    run::ConversionRun conversion(ui, platform::RealFileSystem(), settings, display);
    const run::RunOutcome outcome =
        conversion.Run(invocation.gedcom_path, invocation.output_folder, true);
    return run::ExitStatus(outcome);
  } catch (const platform::ProgramEnd& end) {
    ui.CloseProgress();
    return end.status();
  }
}

}  // namespace kinloom::cli
