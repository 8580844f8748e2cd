// The dialogs of the page colours and the custom background.
#include "app/option_dialogs.h"

#include <wx/button.h>
#include <wx/colordlg.h>
#include <wx/dcclient.h>
#include <wx/filedlg.h>
#include <wx/panel.h>

#include "app/option_dialog_parts.h"
#include "lang/ui_text.h"

namespace kinloom::app {

// ---- Select custom background ----

SelectBackgroundDialog::SelectBackgroundDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 2221) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  auto* box = AddEdit(this, 1047, "", 106, -1, false, wxTE_READONLY);
  box->Setup("", 106, -1, false, "/");
  box->SetMinSize(wxSize(FromDIP(360), -1));
  box->SetText(s_.custom_background_path);
  row->Add(box, 1, wxRIGHT, FromDIP(6));
  auto* search = AddButton(this, 1048, 2112);
  row->Add(search, 0);
  search->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    wxFileDialog dialog(this, wxFileSelectorPromptStr, wxEmptyString,
                        ToWx(s_.custom_background_path),
                        "JPG Files (*.JPG)|*.JPG;*.jpg|GIF Files (*.GIF)|*.GIF;*.gif|All files|*",
                        wxFD_OPEN);
    if (services_.ShowModal(dialog) == wxID_OK) ChoosePath(FromWx(dialog.GetPath()));
  });
  Finish(row);
  UpdateOk();
}

void SelectBackgroundDialog::ChoosePath(const std::string& path) {
  s_.custom_background_path = path;
  const std::size_t slash = path.find_last_of("/\\");
  s_.custom_background = slash == std::string::npos ? path : path.substr(slash + 1);
  Edit(1047)->SetText(path);
  UpdateOk();
}

void SelectBackgroundDialog::UpdateOk() { EnableControl(wxID_OK, !s_.custom_background_path.empty()); }

// ---- Colours ----

ColourDialog::ColourDialog(wxWindow* parent, const AppServices& services, Kind kind)
    : OptionDialog(parent, services,
                   kind == Kind::kPage ? 2138 : kind == Kind::kFamily ? 2188 : 2195),
      kind_(kind),
      colours_(s_.colours) {
  using settings::ColourIndex;
  switch (kind) {
    case Kind::kPage:
      rows_ = {{1032, 1037, settings::kColourBackground, 2132},
               {1033, 1039, settings::kColourText, 2133},
               {1034, 1038, settings::kColourLink, 2134},
               {1036, 1040, settings::kColourVisitedLink, 2135}};
      break;
    case Kind::kFamily:
      rows_ = {{1075, 1071, settings::kColourHusbandAndWife, 2190},
               {1076, 1073, settings::kColourParents, 2190},
               {1077, 1074, settings::kColourChildren, 2190}};
      break;
    case Kind::kLevel: {
      constexpr int kButtons[6] = {1081, 1087, 1079, 1083, 1089, 1091};
      constexpr int kBoxes[6] = {1080, 1086, 1078, 1082, 1088, 1090};
      for (int i = 0; i < 6; ++i) rows_.push_back({kButtons[i], kBoxes[i], settings::kColourLevel1 + i, 2196 + i});
      break;
    }
  }
  auto* content = new wxBoxSizer(wxVERTICAL);
  if (kind == Kind::kFamily) {
    auto* check = AddCheck(this, 1072, 2193);
    check->SetValue(s_.use_text_color_for_family_pages != 0);
    check->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateEnabling(); });
    content->Add(check, 0, wxBOTTOM, FromDIP(8));
  }
  auto* grid = new wxFlexGridSizer(kind == Kind::kFamily ? 3 : 2, FromDIP(6), FromDIP(8));
  constexpr int kFamilyLabels[3][2] = {{1093, 2189}, {1094, 2191}, {1095, 2192}};
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const Row& row = rows_[i];
    if (kind == Kind::kFamily) {
      grid->Add(AddLabel(this, kFamilyLabels[i][0], kFamilyLabels[i][1]), 0,
                wxALIGN_CENTER_VERTICAL);
    }
    auto* button = AddButton(this, row.button, row.text);
    grid->Add(button, 0, wxEXPAND);
    auto* box = AddEdit(this, row.box, "", 109, 6, false);
    box->SetText(lang::FormatText("%06X", colours_[row.colour_index] & 0xFFFFFFu));
    grid->Add(box, 0);
    button->Bind(wxEVT_BUTTON, [this, row](wxCommandEvent&) {
      wxColourData data;
      data.SetColour(ToToolkitColour(colours_[row.colour_index]));
      wxColourDialog picker(this, &data);
      if (services_.ShowModal(picker) == wxID_OK) {
        PickColour(row.button, FromToolkitColour(picker.GetColourData().GetColour()));
      }
    });
    box->Bind(wxEVT_TEXT, &ColourDialog::OnBox, this);
  }
  content->Add(grid, 0);
  if (kind == Kind::kPage) {
    samples_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(280, 56)),
                           wxBORDER_SIMPLE);
    Register(1041, 2130);
    Register(1043, 2131);
    samples_->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
      wxPaintDC dc(samples_);
      dc.SetBackground(wxBrush(ToToolkitColour(colours_[settings::kColourBackground])));
      dc.Clear();
      dc.SetTextForeground(ToToolkitColour(colours_[settings::kColourLink]));
      dc.DrawText(UiText(2130, s_), FromDIP(8), FromDIP(6));
      dc.SetTextForeground(ToToolkitColour(colours_[settings::kColourVisitedLink]));
      dc.DrawText(UiText(2131, s_), FromDIP(8), FromDIP(28));
    });
    content->Add(samples_, 0, wxEXPAND | wxTOP, FromDIP(10));
  }
  Finish(content);
  UpdateEnabling();
}

void ColourDialog::UpdateEnabling() {
  if (kind_ == Kind::kFamily) {
    const bool text_colour = Checked(1072);
    for (const Row& row : rows_) {
      EnableControl(row.button, !text_colour);
      EnableControl(row.box, !text_colour);
    }
  } else if (kind_ == Kind::kPage) {
    const bool default_background = s_.use_default_background != 0;
    EnableControl(1032, !default_background);
    EnableControl(1037, !default_background);
  }
  Refresh();
}

std::uint32_t ColourDialog::Colour(int box) const {
  for (const Row& row : rows_)
    if (row.box == box) return colours_[row.colour_index];
  return 0;
}

void ColourDialog::PickColour(int button, std::uint32_t rrggbb) {
  for (const Row& row : rows_) {
    if (row.button != button) continue;
    colours_[row.colour_index] = rrggbb & 0xFFFFFFu;
    Edit(row.box)->SetText(lang::FormatText("%06X", rrggbb & 0xFFFFFFu));
  }
  if (samples_ != nullptr) samples_->Refresh();
}

void ColourDialog::OnBox(wxCommandEvent& event) {
  for (const Row& row : rows_) {
    if (row.box != event.GetId()) continue;
    const std::string text = Edit(row.box)->Text();
    if (text.size() == 6 && text.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos) {
      colours_[row.colour_index] = static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
      if (samples_ != nullptr) samples_->Refresh();
    }
  }
}

bool ColourDialog::Accept() {
  for (const Row& row : rows_) {
    const std::string text = Edit(row.box)->Text();
    if (!text.empty() && text.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos &&
        text.size() <= 6) {
      s_.colours[row.colour_index] = static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
    }
  }
  if (kind_ == Kind::kFamily) s_.use_text_color_for_family_pages = Checked(1072);
  return true;
}

}  // namespace kinloom::app
