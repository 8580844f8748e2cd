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

namespace {

constexpr int kTitleCustomBackground = 2221;  // "Select Custom Background"
constexpr int kTextSearch = 2112;
constexpr int kTitlePageColours = 2138;    // "Custom Colors"
constexpr int kTitleFamilyColours = 2188;  // "Select colors for family groups"
constexpr int kTitleLevelColours = 2195;   // "Select colors for each level"
constexpr int kTextBackgroundColour = 2132;
constexpr int kTextTextColour = 2133;
constexpr int kTextLinkColour = 2134;
constexpr int kTextVisitedLinkColour = 2135;  // "VLink Color"
constexpr int kTextColour = 2190;
constexpr int kTextHusbandAndWife = 2189;
constexpr int kTextParents = 2191;
constexpr int kTextChildren = 2192;
constexpr int kTextLevel1 = 2196;             // "Level 1"; levels 2 … 6 follow
constexpr int kTextUseTextColour = 2193;      // "Use Text Color for Husband && Wives, Children ..."
constexpr int kTextLinkSample = 2130;         // "Links will be this color"
constexpr int kTextVisitedLinkSample = 2131;  // "Visited Links will be this color"

}  // namespace

// ---- Select custom background ----

SelectBackgroundDialog::SelectBackgroundDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, kTitleCustomBackground) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  auto* box = AddEdit(this, 1047, "", 106, -1, false, wxTE_READONLY);
  box->Setup("", 106, -1, false, "/");
  box->SetMinSize(wxSize(FromDIP(360), -1));
  box->SetText(s_.custom_background_path);
  row->Add(box, 1, wxRIGHT, FromDIP(6));
  auto* search = AddButton(this, 1048, kTextSearch);
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
                   kind == Kind::kPage     ? kTitlePageColours
                   : kind == Kind::kFamily ? kTitleFamilyColours
                                           : kTitleLevelColours),
      kind_(kind),
      colours_(s_.colours) {
  using settings::ColourIndex;
  switch (kind) {
    case Kind::kPage:
      rows_ = {{1032, 1037, settings::kColourBackground, kTextBackgroundColour},
               {1033, 1039, settings::kColourText, kTextTextColour},
               {1034, 1038, settings::kColourLink, kTextLinkColour},
               {1036, 1040, settings::kColourVisitedLink, kTextVisitedLinkColour}};
      break;
    case Kind::kFamily:
      rows_ = {{1075, 1071, settings::kColourHusbandAndWife, kTextColour},
               {1076, 1073, settings::kColourParents, kTextColour},
               {1077, 1074, settings::kColourChildren, kTextColour}};
      break;
    case Kind::kLevel: {
      constexpr int kButtons[6] = {1081, 1087, 1079, 1083, 1089, 1091};
      constexpr int kBoxes[6] = {1080, 1086, 1078, 1082, 1088, 1090};
      for (int i = 0; i < 6; ++i)
        rows_.push_back({kButtons[i], kBoxes[i], settings::kColourLevel1 + i, kTextLevel1 + i});
      break;
    }
  }
  auto* content = new wxBoxSizer(wxVERTICAL);
  if (kind == Kind::kFamily) {
    auto* check = AddCheck(this, 1072, kTextUseTextColour);
    check->SetValue(s_.use_text_color_for_family_pages != 0);
    check->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateEnabling(); });
    content->Add(check, 0, wxBOTTOM, FromDIP(8));
  }
  auto* grid = new wxFlexGridSizer(kind == Kind::kFamily ? 3 : 2, FromDIP(6), FromDIP(8));
  constexpr int kFamilyLabels[3][2] = {
      {1093, kTextHusbandAndWife}, {1094, kTextParents}, {1095, kTextChildren}};
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
    Register(1041, kTextLinkSample);
    Register(1043, kTextVisitedLinkSample);
    samples_->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
      wxPaintDC dc(samples_);
      dc.SetBackground(wxBrush(ToToolkitColour(colours_[settings::kColourBackground])));
      dc.Clear();
      dc.SetTextForeground(ToToolkitColour(colours_[settings::kColourLink]));
      dc.DrawText(UiText(kTextLinkSample, s_), FromDIP(8), FromDIP(6));
      dc.SetTextForeground(ToToolkitColour(colours_[settings::kColourVisitedLink]));
      dc.DrawText(UiText(kTextVisitedLinkSample, s_), FromDIP(8), FromDIP(28));
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
