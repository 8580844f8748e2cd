// The modeless "Status" window of a conversion run: the bar (1050), the status text (1051,
// as large as the longest text shown), the percentage (1052) and the running time (1053).
// A run holds the window thread, so each update lets the toolkit repaint (paint and size
// events only, never input), at the forced repaint points and whenever a tenth of a second
// has passed since the last repaint.
#pragma once

#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include <chrono>

#include "platform/ui.h"
#include "settings/settings.h"

namespace kinloom::app {

class StatusWindow : public wxDialog {
 public:
  StatusWindow(wxWindow* parent, const settings::Settings& settings);

  void Apply(const platform::ProgressUpdate& update);

  int position() const { return gauge_->GetValue(); }
  wxString status_text() const { return status_->GetLabel(); }
  wxString percent_text() const { return percent_->GetLabel(); }
  wxString running_time_text() const { return running_time_->GetLabel(); }

 private:
  // Makes the status label large enough for its whole text, growing the window with it.
  void FitStatusText();
  void Repaint(wxWindow* window);

  wxGauge* gauge_;
  wxStaticText* status_;
  wxStaticText* percent_;
  wxStaticText* running_time_;
  std::chrono::steady_clock::time_point last_repaint_;
};

// Lets the toolkit paint what is waiting, without handling any input.
void ProcessPendingPaints();
// The same over `frames` frames of the toolkit (about 10 ms each): enough for a window just
// shown, or just changed, to be laid out and painted on the display.
void SettlePaints(int frames);

}  // namespace kinloom::app
