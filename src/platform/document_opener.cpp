#include "platform/document_opener.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "platform/format_text.h"

extern char** environ;

namespace kinloom::platform {

std::string OpenFailureText(int result, const std::string& target) {
  if (result > 32) return "";
  switch (result) {
    case 0: return "The operating system is out of memory or resources.";
    case 2: return FormatText("The specified file was not found. %s", target.c_str());
    case 3: return "The specified path was not found.";
    case 5: return "The operating system denied access to the specified file.    ";
    case 8: return "There was not enough memory to complete the operation.    ";
    case 11: return "The .exe file is invalid (non-Win32\xAE .exe or error in .exe image).  ";
    case 26: return "A sharing violation occurred.    ";
    case 27: return "The file name association is incomplete or invalid.    ";
    case 28:
      return "The DDE transaction could not be completed because the request timed out.    ";
    case 29: return "The DDE transaction failed.    ";
    case 30:
      return "The DDE transaction could not be completed because other DDE transactions were "
             "being processed.    ";
    case 31: return "There is no application associated with the given file name extension.    ";
    case 32: return "The specified dynamic-link library was not found.    ";
    default:
      return FormatText("Error Opening HTML file %s.  Error Code = %d", target.c_str(),
                              result);
  }
}

DocumentOpener::DocumentOpener(std::vector<std::string> command, int wait_milliseconds)
    : command_(std::move(command)), wait_milliseconds_(wait_milliseconds) {}

DocumentOpener::~DocumentOpener() { ReapFinished(); }

void DocumentOpener::ReapFinished() {
  std::vector<pid_t> still;
  for (pid_t pid : running_) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == 0) still.push_back(pid);
  }
  running_.swap(still);
}

namespace {

int MapOpenerStatus(int status) {
  switch (status) {
    case 0: return kOpenSucceeded;
    case 2: return kOpenFileNotFound;  // xdg-open: file not found
    case 3: return kOpenNoAssociation;  // xdg-open: a required tool is missing
    default: return 100 + status;
  }
}

}  // namespace

int DocumentOpener::Open(const std::string& target) {
  ReapFinished();
  struct stat info;
  if (target.empty() || ::stat(target.c_str(), &info) != 0) return kOpenFileNotFound;
  if (command_.empty()) return kOpenNoAssociation;

  std::vector<std::string> arguments = command_;
  arguments.push_back(target);
  std::vector<char*> argv;
  for (auto& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    return kOpenNoAssociation;
  }
  for (int waited = 0; waited <= wait_milliseconds_; waited += 10) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      if (WIFEXITED(status)) {
        // posix_spawnp reports a missing program through the child's status 127.
        if (WEXITSTATUS(status) == 127) return kOpenNoAssociation;
        return MapOpenerStatus(WEXITSTATUS(status));
      }
      return 100 + 128;
    }
    if (done < 0 && errno != EINTR) return kOpenSucceeded;
    struct timespec pause = {0, 10 * 1000 * 1000};
    ::nanosleep(&pause, nullptr);
  }
  running_.push_back(pid);  // the viewer keeps running: it opened
  return kOpenSucceeded;
}

}  // namespace kinloom::platform
