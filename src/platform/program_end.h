// Ending the program at once. Structural faults of the GEDCOM data and failures to write an
// output file end the whole program; here that is an exception that unwinds every frame to
// main(), which exits with the status it carries (never 0: an error is not a success).
#pragma once

#include <stdexcept>
#include <string>

namespace kinloom::platform {

class ProgramEnd : public std::runtime_error {
 public:
  explicit ProgramEnd(int status, const std::string& why = "program ended")
      : std::runtime_error(why), status_(status == 0 ? 1 : status) {}
  int status() const { return status_; }

 private:
  int status_;
};

// Unwinds to main(). A status of 0 is turned into 1.
[[noreturn]] inline void EndProgram(int status, const std::string& why = "program ended") {
  throw ProgramEnd(status, why);
}

}  // namespace kinloom::platform
