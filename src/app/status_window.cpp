#include "app/status_window.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include "app/wx_text.h"

namespace kinloom::app {

void ProcessPendingPaints() {
  if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
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
  SetDialogTexts(this, TextSet{2230, {}}, settings);
  CentreOnParent();
}

void StatusWindow::Apply(const platform::ProgressUpdate& update) {
  gauge_->SetValue(update.position);
  percent_->SetLabel(wxString::Format("%d%%", update.position));
  if (!update.status_text.empty()) status_->SetLabel(ToWx(update.status_text));
  running_time_->SetLabel(ToWx(update.running_time));
  if (GetParent() != nullptr && !update.parent_title.empty()) {
    GetParent()->SetLabel(ToWx(update.parent_title));
  }
  const auto now = std::chrono::steady_clock::now();
  if (update.repaint_status || update.repaint_parent ||
      now - last_repaint_ >= std::chrono::milliseconds(100)) {
    last_repaint_ = now;
    Repaint(this);
  }
}

void StatusWindow::Repaint(wxWindow* window) {
  window->Refresh();
  window->Update();
  ProcessPendingPaints();
}

}  // namespace kinloom::app
