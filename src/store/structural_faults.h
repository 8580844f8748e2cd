// How the store reports a structural error of the GEDCOM data (a link that leads nowhere or
// to a record of the wrong kind, an id used twice): it hands the message to the reporter its
// caller gave it, then ends the program with StructuralErrorEnd. The store never shows a
// message or reads the run's state itself.
#pragma once

#include <string>

#include "platform/program_end.h"
#include "platform/ui.h"

namespace kinloom::store {

// How a structural error of the data ends the program once its message has been shown:
// status 1, and a kind of its own so that the command line can follow the message with a
// hint at "Skip Broken Links".
class StructuralErrorEnd : public platform::ProgramEnd {
 public:
  StructuralErrorEnd() : ProgramEnd(1, "structural error in the GEDCOM file") {}
};

// Receives the message of a structural error. The store ends the program after the call
// returns; an implementation may also end it itself by throwing.
class FaultReporter {
 public:
  virtual ~FaultReporter() = default;
  virtual void StructuralError(const std::string& text) = 0;
};

// Shows each message in a warning box without caption, as the program shows every
// structural error. `ui` must outlive the reporter.
class MessageBoxFaults : public FaultReporter {
 public:
  explicit MessageBoxFaults(platform::UserInterface& ui) : ui_(ui) {}
  void StructuralError(const std::string& text) override {
    ui_.ShowMessage(text, "", platform::MessageIcon::kWarning, platform::MessageButtons::kOk);
  }

 private:
  platform::UserInterface& ui_;
};

// Reports `text` to `faults` and ends the program (StructuralErrorEnd).
[[noreturn]] inline void EndWithStructuralError(FaultReporter& faults, const std::string& text) {
  faults.StructuralError(text);
  throw StructuralErrorEnd();
}

}  // namespace kinloom::store
