// The edit box of every typed-in field: a set of allowed characters, a maximum length and a
// field name for its two messages. A typed character outside the set, or one that would
// make the text too long, is refused with the warning beep (backspace, Ctrl+C and Ctrl+V
// always pass). Leaving the box with text that is too long or holds a refused character
// (pasted text) shows text 2263 or 2264 and puts the focus back.
#pragma once

#include <wx/textctrl.h>

#include <string>

#include "platform/ui.h"
#include "settings/settings.h"

namespace kinloom::app {

class ValidatedEdit : public wxTextCtrl {
 public:
  // `prompts` shows the messages and beeps; `settings` gives the interface language. Both
  // must outlive the box.
  ValidatedEdit(wxWindow* parent, int id, platform::UserInterface& prompts,
                const settings::Settings& settings, long style = 0);

  // field name (Windows-1252), allowed-characters text number (0: no restriction, fetched
  // without the French offset), maximum length (-1: none), numeric flag.
  // `also_allowed` adds characters to the set (paths on this system are written with "/").
  void Setup(const std::string& field_name, int allowed_text, int max_length, bool numeric,
             const std::string& also_allowed = "");

  std::string Text() const;
  void SetText(const std::string& text);
  // Numeric boxes: the leading decimal number of the text (0 when none), and "%d".
  int IntValue() const;
  void SetIntValue(int value);

  // Whether a character typed now would be let in: `code` is the character's Windows-1252
  // byte, or its control code (8 backspace, 3 Ctrl+C, 22 Ctrl+V).
  bool AcceptsTyped(int code) const;
  // The check made on leaving the box. True when the text is good; otherwise the beep, the
  // message and the focus back into the box, and false.
  bool CheckOnLeave();

  const std::string& field_name() const { return field_name_; }
  int max_length() const { return max_length_; }

 private:
  void OnChar(wxKeyEvent& event);
  void OnKillFocus(wxFocusEvent& event);

  platform::UserInterface& prompts_;
  const settings::Settings& settings_;
  std::string field_name_;
  std::string allowed_;
  int max_length_ = -1;
  bool numeric_ = false;
  bool checking_ = false;
};

}  // namespace kinloom::app
