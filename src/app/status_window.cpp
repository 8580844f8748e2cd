#include "app/status_window.h"

#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/dcclient.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <algorithm>
#include <memory>

#include "app/wx_text.h"

namespace kinloom::app {

namespace {

constexpr int kTitleStatus = 2230;

}  // namespace

void ProcessPendingPaints() {
  if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
    loop->YieldFor(wxEVT_CATEGORY_UI);
  } else if (wxTheApp != nullptr) {
    // No loop runs (a run started before the application's loop, as tests do): one made
    // for the moment yields as the running one would.
    std::unique_ptr<wxEventLoopBase> temporary(wxTheApp->GetTraits()->CreateEventLoop());
    temporary->YieldFor(wxEVT_CATEGORY_UI);
  }
}

void SettlePaints(int frames) {
  for (int i = 0; i < frames; ++i) {
    ProcessPendingPaints();
    wxMilliSleep(10);
  }
  ProcessPendingPaints();
}

StatusWindow::StatusWindow(wxWindow* parent, const settings::Settings& settings)
    : wxDialog(parent, wxID_ANY, "Status", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxFRAME_FLOAT_ON_PARENT) {
  gauge_ = new wxGauge(this, 1050, 100, wxDefaultPosition, wxSize(FromDIP(320), -1));
  status_ = new wxStaticText(this, 1051, "Status", wxDefaultPosition,
                             wxSize(FromDIP(320), FromDIP(36)), wxST_NO_AUTORESIZE);
  percent_ = new wxStaticText(this, 1052, "0%");
  running_time_ = new wxStaticText(this, 1053, "Status 2");
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(status_, 0, wxEXPAND | wxALL, FromDIP(10));
  sizer->Add(gauge_, 0, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(10));
  sizer->Add(percent_, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, FromDIP(6));
  sizer->Add(running_time_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
  SetSizerAndFit(sizer);

  gauge_->SetRange(100);
  gauge_->SetValue(0);
  running_time_->SetLabel(wxEmptyString);
  SetDialogTexts(this, TextSet{kTitleStatus, {}}, settings);
  CentreOnParent();
}

void StatusWindow::Apply(const platform::ProgressUpdate& update) {
  gauge_->SetValue(update.position);
  percent_->SetLabel(wxString::Format("%d%%", update.position));
  if (!update.status_text.empty()) {
    status_->SetLabel(ToWx(update.status_text));
    FitStatusText();
  }
  running_time_->SetLabel(ToWx(update.running_time));
  if (GetParent() != nullptr && !update.parent_title.empty()) {
    GetParent()->SetLabel(ToWx(update.parent_title));
  }
  const auto now = std::chrono::steady_clock::now();
  if (update.repaint_status || update.repaint_parent ||
      now - last_repaint_ >= std::chrono::milliseconds(100)) {
    last_repaint_ = now;
    if (update.repaint_parent && GetParent() != nullptr) {
      GetParent()->Refresh();
      GetParent()->Update();
    }
    Repaint(this);
    // What must be seen at once (the end of a run, which then waits without painting) is
    // given the frames the toolkit needs to lay out and paint it.
    if (update.repaint_parent) SettlePaints(3);
  }
}

void StatusWindow::FitStatusText() {
  wxClientDC dc(status_);
  dc.SetFont(status_->GetFont());
  const wxSize text = dc.GetMultiLineTextExtent(status_->GetLabelText());
  const wxSize label = status_->GetSize();
  if (text.x <= label.x && text.y <= label.y) return;
  // The window grows to the longest text shown so far and never shrinks while it is open.
  status_->SetMinSize(wxSize(std::max(text.x, label.x), std::max(text.y, label.y)));
  // The display applies a window's new size when it answers, and an answer to an earlier
  // size may come first and lay the label out small again: the fitting is repeated until the
  // label holds the text, for at most about a fifth of a second.
  for (int attempt = 0; attempt < 20; ++attempt) {
    GetSizer()->SetSizeHints(this);
    Layout();
    SettlePaints(1);
    const wxSize now = status_->GetSize();
    if (text.x <= now.x && text.y <= now.y) break;
  }
}

void StatusWindow::Repaint(wxWindow* window) {
  window->Refresh();
  window->Update();
  ProcessPendingPaints();
}

}  // namespace kinloom::app
