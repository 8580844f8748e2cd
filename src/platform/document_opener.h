// Opening a file of the output folder (the site's base page, the statistics report) with the
// program the desktop associates with it, through xdg-open, and the texts its failures are
// reported with.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace kinloom::platform {

// Results in the numbering of the shell's "open" verb: above 32 is success.
inline constexpr int kOpenSucceeded = 42;
inline constexpr int kOpenFileNotFound = 2;
inline constexpr int kOpenNoAssociation = 31;

// The message for a failed open of `target`; empty for a success.
std::string OpenFailureText(int result, const std::string& target);

class DocumentOpener {
 public:
  // `command` is the opener and its leading arguments; the target is appended.
  explicit DocumentOpener(std::vector<std::string> command = {"xdg-open"},
                          int wait_milliseconds = 3000);
  DocumentOpener(const DocumentOpener&) = delete;
  DocumentOpener& operator=(const DocumentOpener&) = delete;
  ~DocumentOpener();

  // Opens `target`. A missing file gives kOpenFileNotFound without starting the opener; an
  // opener that cannot be started gives kOpenNoAssociation; xdg-open's own statuses map to
  // 2 (file not found), 31 (no application for it) or 100 + status. An opener still running
  // after the wait is taken as a success and reaped later.
  int Open(const std::string& target);

 private:
  void ReapFinished();

  std::vector<std::string> command_;
  int wait_milliseconds_;
  std::vector<pid_t> running_;
};

}  // namespace kinloom::platform
