// kinloom-gui: the desktop program. With a display it opens the main window (and, with a
// GEDCOM file and an output folder on the command line, converts at once and closes);
// without a display, or with --batch, it is the command line of the kinloom command.
#include <wx/app.h>
#include <wx/image.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/app_services.h"
#include "app/main_window.h"
#include "app/wx_prompts.h"
#include "cli/command_line.h"
#include "platform/program_end.h"
#include "settings/settings_commands.h"

namespace kinloom::app {
namespace {

class KinloomApp : public wxApp {
 public:
  KinloomApp(StartOptions start, int* exit_status) : start_(std::move(start)), exit_status_(exit_status) {}

  bool OnInit() override {
    wxInitAllImageHandlers();
    prompts_ = std::make_unique<WxPrompts>([this]() -> wxWindow* { return GetTopWindow(); });
    registry_ = settings::OpenUserRegistry(*prompts_);
    store_ = std::make_unique<settings::RegistryStore>(*registry_, *prompts_, "kinloom");
    AppServices services{settings_,        *store_, *prompts_, platform::RealFileSystem(),
                         display_,         opener_, {},        {}};
    start_.set_exit_status = [this](int status) { *exit_status_ = status; };
    try {
      auto* window = new MainWindow(services, start_);
      SetTopWindow(window);
      window->Show();
    } catch (const platform::ProgramEnd& end) {
      *exit_status_ = end.status();
      return false;
    }
    return true;
  }

 private:
  StartOptions start_;
  int* exit_status_;
  settings::Settings settings_;
  run::ProgressDisplay display_;
  platform::DocumentOpener opener_;
  std::unique_ptr<WxPrompts> prompts_;
  std::unique_ptr<platform::Registry> registry_;
  std::unique_ptr<settings::RegistryStore> store_;
};

bool HasDisplay() {
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x != nullptr && x[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
}

int Main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<char*> console_argv{argc > 0 ? argv[0] : const_cast<char*>("kinloom-gui")};
  bool batch = false;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--batch") batch = true;
    else console_argv.push_back(argv[i]);
  }
  if (batch || !HasDisplay()) {
    return cli::Main(static_cast<int>(console_argv.size()), console_argv.data());
  }
  const cli::Invocation invocation = cli::ParseArguments(arguments);
  if (invocation.kind == cli::Invocation::Kind::kHelp ||
      invocation.kind == cli::Invocation::Kind::kVersion) {
    return cli::Main(argc, argv);
  }
  StartOptions start;
  if (invocation.kind == cli::Invocation::Kind::kConvert) {
    start.command_line = true;
    start.input_path = invocation.gedcom_path;
    start.output_folder = invocation.output_folder;
    start.jobs = invocation.jobs;
  }
  int exit_status = 0;
  wxApp::SetInstance(new KinloomApp(start, &exit_status));
  int wx_argc = 1;
  char* wx_argv[] = {argv[0], nullptr};
  const int result = wxEntry(wx_argc, wx_argv);
  return exit_status != 0 ? exit_status : (result == 0 ? 0 : 1);
}

}  // namespace
}  // namespace kinloom::app

int main(int argc, char** argv) { return kinloom::app::Main(argc, argv); }
