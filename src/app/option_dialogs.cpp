#include "app/option_dialogs.h"

#include <wx/button.h>
#include <wx/colordlg.h>
#include <wx/dcclient.h>
#include <wx/filedlg.h>
#include <wx/panel.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <filesystem>

#include "app/program_icon.h"
#include "lang/tag_labels.h"
#include "lang/ui_text.h"
#include "platform/desktop_entry.h"
#include "platform/system_error.h"
#include "platform/text_encoding.h"
#include "run/product.h"
#include "settings/load_save.h"

namespace kinloom::app {
namespace {

wxColour ToToolkitColour(std::uint32_t rrggbb) {
  return wxColour((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

std::uint32_t FromToolkitColour(const wxColour& colour) {
  return (static_cast<std::uint32_t>(colour.Red()) << 16) |
         (static_cast<std::uint32_t>(colour.Green()) << 8) | colour.Blue();
}

// The display-name texts of the nine languages, in language order.
constexpr int kLanguageTexts[settings::kLanguageCount] = {2445, 2446, 2604, 2601, 2602,
                                                          2621, 2624, 2631, 2634};
constexpr int kBetaItalian = 7;
constexpr int kBetaPortuguese = 8;

}  // namespace

// ---- OptionDialog ----

OptionDialog::OptionDialog(wxWindow* parent, const AppServices& services, int caption)
    : wxDialog(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE),
      services_(services),
      s_(services.settings) {
  texts_.caption = caption;
  Bind(wxEVT_BUTTON, &OptionDialog::OnOk, this, wxID_OK);
}

void OptionDialog::ApplyTexts() {
  SetDialogTexts(this, texts_, s_);
  if (GetSizer() != nullptr) GetSizer()->Fit(this);
}

void OptionDialog::Register(int id, int text, const std::string& ready) {
  if (text != 0 || !ready.empty()) texts_.pairs.push_back({id, text, ready});
}

wxCheckBox* OptionDialog::AddCheck(wxWindow* parent, int id, int text, const std::string& ready) {
  Register(id, text, ready);
  return new wxCheckBox(parent, id, ready.empty() ? UiText(text, s_) : ToWx(ready));
}

wxButton* OptionDialog::AddButton(wxWindow* parent, int id, int text, const std::string& ready) {
  Register(id, text, ready);
  return new wxButton(parent, id, ready.empty() ? UiText(text, s_) : ToWx(ready));
}

wxWindow* OptionDialog::AddLabel(wxWindow* parent, int id, int text, const std::string& ready) {
  Register(id, text, ready);
  return new wxStaticText(parent, id, ready.empty() ? UiText(text, s_) : ToWx(ready));
}

wxRadioButton* OptionDialog::AddRadio(wxWindow* parent, int id, int text, bool first) {
  Register(id, text);
  return new wxRadioButton(parent, id, UiText(text, s_), wxDefaultPosition, wxDefaultSize,
                           first ? wxRB_GROUP : 0);
}

ValidatedEdit* OptionDialog::AddEdit(wxWindow* parent, int id, const std::string& field_name,
                                     int allowed, int max_length, bool numeric, long style) {
  auto* edit = new ValidatedEdit(parent, id, services_.prompts, s_, style);
  edit->Setup(field_name, allowed, max_length, numeric);
  return edit;
}

void OptionDialog::Warn(const std::string& text) {
  services_.prompts.ShowMessage(text, run::kApplicationTitle, platform::MessageIcon::kWarning,
                                platform::MessageButtons::kOk);
}

std::string OptionDialog::Text(int n) const { return lang::LoadUiText(n, s_); }

bool OptionDialog::BetaLanguages() const {
  return (s_.debugging & settings::kDebugBetaLanguages) != 0;
}

void OptionDialog::Finish(wxSizer* content, bool with_cancel) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(content, 1, wxEXPAND | wxALL, FromDIP(12));
  auto* buttons = new wxStdDialogButtonSizer;
  auto* ok = new wxButton(this, wxID_OK);
  ok->SetDefault();
  buttons->AddButton(ok);
  if (with_cancel) {
    buttons->AddButton(new wxButton(this, wxID_CANCEL, UiText(2137, s_)));
    Register(wxID_CANCEL, 2137);
  }
  buttons->Realize();
  top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12));
  SetSizer(top);
  ApplyTexts();
  top->SetSizeHints(this);
  CentreOnParent();
}

void OptionDialog::OnOk(wxCommandEvent&) {
  if (!Accept()) return;
  if (IsModal()) EndModal(wxID_OK);
  else {
    SetReturnCode(wxID_OK);
    Hide();
  }
}

// ---- General settings ----

GeneralSettingsDialog::GeneralSettingsDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 2297) {
  auto* grid = new wxFlexGridSizer(2, FromDIP(6), FromDIP(12));
  grid->AddGrowableCol(0, 1);
  auto row = [&](int check, int text, int button, int button_text) {
    grid->Add(AddCheck(this, check, text), 0, wxALIGN_CENTER_VERTICAL);
    if (button != 0) grid->Add(AddButton(this, button, button_text), 0, wxEXPAND);
    else grid->AddSpacer(0);
  };
  row(1046, 2176, 1016, 2177);
  row(1048, 2178, 1018, 2179);
  row(1050, 2180, 0, 0);
  row(1049, 2181, 1019, 2182);
  row(1051, 2175, 0, 0);
  row(1052, 2183, 1020, 2184);
  row(1015, 2120, 0, 0);
  row(1010, 2121, 0, 0);
  row(1011, 2122, 0, 0);
  row(1053, 2185, 1021, 2186);
  row(1135, 2290, 0, 0);
  row(1160, 2161, 0, 0);
  row(1161, 2727, 0, 0);
  auto* content = new wxBoxSizer(wxHORIZONTAL);
  content->Add(grid, 1, wxEXPAND);
  preview_ = new wxWindow(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(64, 64)),
                          wxBORDER_SIMPLE);
  preview_->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
    wxPaintDC dc(preview_);
    const wxSize size = preview_->GetClientSize();
    if (s_.use_default_background != 0) {
      // the default background: a light tiled pattern
      dc.SetBackground(wxBrush(wxColour(0xF4, 0xEF, 0xE1)));
      dc.Clear();
      dc.SetPen(wxPen(wxColour(0xE0, 0xD6, 0xBC)));
      for (int x = 0; x < size.x; x += 8) dc.DrawLine(x, 0, x, size.y);
      for (int y = 0; y < size.y; y += 8) dc.DrawLine(0, y, size.x, y);
    } else {
      dc.SetBackground(wxBrush(ToToolkitColour(s_.colours[settings::kColourBackground])));
      dc.Clear();
    }
  });
  content->Add(preview_, 0, wxLEFT | wxALIGN_TOP, FromDIP(12));

  SetChecked(1046, s_.use_custom_colors != 0);
  SetChecked(1048, s_.use_custom_background != 0);
  SetChecked(1050, s_.use_default_background != 0);
  SetChecked(1049, s_.include_copyright != 0);
  SetChecked(1051, s_.create_link_to_gedcom_file != 0);
  SetChecked(1052, s_.include_custom_links != 0);
  SetChecked(1015, s_.index_dates != 0);
  SetChecked(1010, s_.text_file != 0);
  SetChecked(1011, s_.gender != 0);
  SetChecked(1053, s_.mark_all_ancestors != 0);
  SetChecked(1135, s_.show_gedcom_ids != 0);
  SetChecked(1160, s_.use_baptism != 0);
  SetChecked(1161, s_.skip_broken_links != 0);
  Finish(content);
  UpdateEnabling();
  Bind(wxEVT_CHECKBOX, &GeneralSettingsDialog::OnCheck, this);
  Bind(wxEVT_BUTTON, &GeneralSettingsDialog::OnButton, this, 1016, 1021);
}

void GeneralSettingsDialog::UpdateEnabling() {
  EnableControl(1016, Checked(1046));
  EnableControl(1018, Checked(1048));
  EnableControl(1020, Checked(1052));
  EnableControl(1021, Checked(1053));
  preview_->Refresh();
}

void GeneralSettingsDialog::OnCheck(wxCommandEvent& event) {
  switch (event.GetId()) {
    case 1048:
      if (Checked(1048)) {
        if (s_.custom_background_path.empty()) {
          SelectBackgroundDialog dialog(this, services_);
          if (services_.ShowModal(dialog) != wxID_OK || s_.custom_background_path.empty()) {
            SetChecked(1048, false);
            return;
          }
        }
        SetChecked(1050, false);
        s_.use_custom_background = 1;
        s_.use_default_background = 0;
      } else {
        s_.use_custom_background = 0;
      }
      break;
    case 1050:
      if (Checked(1050)) {
        s_.use_default_background = 1;
        s_.use_custom_background = 0;
        SetChecked(1048, false);
      } else {
        s_.use_default_background = 0;
      }
      break;
    case 1052:
      s_.include_custom_links = Checked(1052) ? 1 : 0;
      break;
    default:
      break;
  }
  UpdateEnabling();
}

void GeneralSettingsDialog::OnButton(wxCommandEvent& event) {
  switch (event.GetId()) {
    case 1016: {
      ColourDialog dialog(this, services_, ColourDialog::Kind::kPage);
      services_.ShowModal(dialog);
      break;
    }
    case 1018: {
      SelectBackgroundDialog dialog(this, services_);
      services_.ShowModal(dialog);
      break;
    }
    case 1019: {
      OwnerDialog dialog(this, services_);
      services_.ShowModal(dialog);
      break;
    }
    case 1020: {
      CustomLinksDialog dialog(this, services_);
      services_.ShowModal(dialog);
      break;
    }
    case 1021: {
      AncestorDialog dialog(this, services_);
      services_.ShowModal(dialog);
      break;
    }
    default:
      event.Skip();
      return;
  }
  UpdateEnabling();
}

bool GeneralSettingsDialog::Accept() {
  s_.use_custom_colors = s_.use_text_color = Checked(1046);
  s_.use_custom_background = Checked(1048);
  s_.use_default_background = Checked(1050);
  s_.include_copyright = Checked(1049);
  s_.create_link_to_gedcom_file = Checked(1051);
  s_.include_custom_links = Checked(1052);
  s_.index_dates = Checked(1015);
  s_.text_file = Checked(1010);
  s_.gender = Checked(1011);
  s_.mark_all_ancestors = Checked(1053);
  s_.show_gedcom_ids = Checked(1135);
  s_.use_baptism = Checked(1160);
  s_.skip_broken_links = Checked(1161) ? 1 : 0;
  auto& store = services_.store;
  const std::pair<const char*, int> writes[] = {
      {"Use Custom Colors", s_.use_custom_colors},
      {"Use Custom Background", s_.use_custom_background},
      {"Create Link To GEDCOM file", s_.create_link_to_gedcom_file},
      {"Use Default Background", s_.use_default_background},
      {"Include Copyright", s_.include_copyright},
      {"Include Custom Links", s_.include_custom_links},
      {"Index Dates", s_.index_dates},
      {"Text File", s_.text_file},
      {"Gender", s_.gender},
      {"Mark All Ancestors", s_.mark_all_ancestors},
      {"Show GEDCOM ID's", s_.show_gedcom_ids},
      {"Use Baptism", s_.use_baptism}};
  bool saved = true;
  for (const auto& [name, value] : writes) {
    saved = store.CheckSaved(store.WriteIntText(name, value));
    if (!saved) break;
  }
  if (saved) store.CheckSaved(store.WriteDword("Skip Broken Links", s_.skip_broken_links));
  return true;
}

// ---- Privacy ----

PrivacyDialog::PrivacyDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 2296) {
  auto* all = new wxStaticBoxSizer(wxVERTICAL, this, UiText(2293, s_));
  all->GetStaticBox()->SetId(1093);
  Register(1093, 2293);
  wxWindow* a = all->GetStaticBox();
  all->Add(AddCheck(a, 1012, 2117), 0, wxALL, FromDIP(4));
  auto* years = new wxFlexGridSizer(2, FromDIP(6), FromDIP(8));
  years->Add(AddLabel(a, 1023, 2118), 0, wxALIGN_CENTER_VERTICAL);
  years->Add(AddEdit(a, 1013, Text(2118), 102, 4, true), 0);
  years->Add(AddLabel(a, 1024, 2119), 0, wxALIGN_CENTER_VERTICAL);
  years->Add(AddEdit(a, 1014, Text(2119), 102, 4, true), 0);
  all->Add(years, 0, wxALL, FromDIP(4));
  auto* notes = new wxStaticBoxSizer(wxVERTICAL, this, UiText(2292, s_));
  notes->GetStaticBox()->SetId(1094);
  Register(1094, 2292);
  notes->Add(AddCheck(notes->GetStaticBox(), 1016, 2295), 0, wxALL, FromDIP(4));
  notes->Add(AddCheck(notes->GetStaticBox(), 1019, 2294), 0, wxALL, FromDIP(4));
  auto* content = new wxBoxSizer(wxVERTICAL);
  content->Add(all, 0, wxEXPAND | wxBOTTOM, FromDIP(8));
  content->Add(notes, 0, wxEXPAND);
  SetChecked(1012, s_.suppress_living != 0);
  Edit(1013)->SetIntValue(static_cast<int>(s_.born));
  Edit(1014)->SetIntValue(static_cast<int>(s_.married));
  SetChecked(1016, s_.suppress_lds_living != 0);
  SetChecked(1019, s_.suppress_lds_deceased != 0);
  Finish(content);
}

bool PrivacyDialog::Accept() {
  s_.suppress_living = Checked(1012);
  s_.born = static_cast<std::uint32_t>(Edit(1013)->IntValue());
  s_.married = static_cast<std::uint32_t>(Edit(1014)->IntValue());
  s_.suppress_lds_living = Checked(1016);
  s_.suppress_lds_deceased = Checked(1019);
  auto& store = services_.store;
  store.CheckSaved(store.WriteIntText("Suppress Living", s_.suppress_living)) &&
      store.CheckSaved(store.WriteDword("Born", s_.born)) &&
      store.CheckSaved(store.WriteDword("Married", s_.married)) &&
      store.CheckSaved(store.WriteIntText("Suppress LDS Deceased", s_.suppress_lds_deceased)) &&
      store.CheckSaved(store.WriteIntText("Suppress LDS Living", s_.suppress_lds_living));
  return true;
}

// ---- Optional pages ----

OptionalPagesDialog::OptionalPagesDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 2115) {
  const int gap = FromDIP(6);
  auto* content = new wxBoxSizer(wxVERTICAL);
  auto kind_box = [&](int check, int text) {
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this);
    box->Add(AddCheck(box->GetStaticBox(), check, text), 0, wxALL, gap);
    return box;
  };
  auto count_row = [&](wxWindow* parent_window, int edit) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(parent_window, wxID_ANY, UiText(2113, s_)), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    auto* box = AddEdit(parent_window, edit, Text(2113), 102, 2, true);
    box->SetMinSize(wxSize(FromDIP(48), -1));
    row->Add(box, 0);
    return row;
  };

  auto* family = kind_box(1067, 2162);
  wxWindow* f = family->GetStaticBox();
  auto* family_row = new wxBoxSizer(wxHORIZONTAL);
  family_row->Add(AddButton(f, 1106, 2163), 0, wxRIGHT, gap);
  family_row->Add(AddButton(f, 1107, 2164), 0, wxRIGHT, gap * 3);
  family_row->Add(count_row(f, 1009), 0, wxALIGN_CENTER_VERTICAL);
  family->Add(family_row, 0, wxALL, gap);
  content->Add(family, 0, wxEXPAND | wxBOTTOM, gap);

  auto* descendancy = kind_box(1068, 2165);
  wxWindow* d = descendancy->GetStaticBox();
  auto* radios = new wxBoxSizer(wxHORIZONTAL);
  radios->Add(AddRadio(d, 1084, 2166, true), 0, wxRIGHT, gap * 3);
  radios->Add(AddRadio(d, 1085, 2167), 0);
  descendancy->Add(radios, 0, wxALL, gap);
  auto* descendancy_row = new wxBoxSizer(wxHORIZONTAL);
  descendancy_row->Add(AddButton(d, 1029, 2168), 0, wxRIGHT, gap);
  descendancy_row->Add(AddButton(d, 1031, 2169), 0, wxRIGHT, gap * 3);
  descendancy_row->Add(count_row(d, 1010), 0, wxALIGN_CENTER_VERTICAL);
  descendancy->Add(descendancy_row, 0, wxALL, gap);
  content->Add(descendancy, 0, wxEXPAND | wxBOTTOM, gap);

  auto* pedigree = kind_box(1070, 2170);
  wxWindow* p = pedigree->GetStaticBox();
  auto* pedigree_row = new wxBoxSizer(wxHORIZONTAL);
  pedigree_row->Add(AddButton(p, 1030, 2171), 0, wxRIGHT, gap * 3);
  pedigree_row->Add(count_row(p, 1011), 0, wxALIGN_CENTER_VERTICAL);
  pedigree->Add(pedigree_row, 0, wxALL, gap);
  content->Add(pedigree, 0, wxEXPAND | wxBOTTOM, gap);

  auto* notes = new wxStaticBoxSizer(wxVERTICAL, this, UiText(2172, s_));
  notes->GetStaticBox()->SetId(1133);
  Register(1133, 2172);
  wxWindow* n = notes->GetStaticBox();
  auto* languages = new wxGridSizer(5, gap, gap * 2);
  for (int k = 0; k < settings::kLanguageCount; ++k) {
    auto* check = AddCheck(n, 1071 + k, kLanguageTexts[k]);
    check->SetValue(s_.create_notes_pages[k] != 0);
    if ((k == kBetaItalian || k == kBetaPortuguese) && !BetaLanguages()) check->Hide();
    languages->Add(check, 0);
  }
  notes->Add(languages, 0, wxALL, gap);
  auto* notes_row = new wxBoxSizer(wxHORIZONTAL);
  notes_row->Add(AddButton(n, 1032, 2173), 0, wxRIGHT, gap);
  notes_row->Add(AddButton(n, 1145, 2174), 0, wxRIGHT, gap * 3);
  notes_row->Add(count_row(n, 1012), 0, wxALIGN_CENTER_VERTICAL);
  notes->Add(notes_row, 0, wxALL, gap);
  content->Add(notes, 0, wxEXPAND | wxBOTTOM, gap);

  auto* extra = new wxBoxSizer(wxHORIZONTAL);
  auto* meta = AddButton(this, 1151, 0, "&Meta Tags");
  auto* minimize = AddButton(this, 1158, 0, "Minimize File Size");
  meta->Show((s_.debugging & settings::kDebugMetaTags) != 0);
  minimize->Show((s_.debugging & settings::kDebugMinimize) != 0);
  extra->Add(meta, 0, wxRIGHT, gap);
  extra->Add(minimize, 0);
  content->Add(extra, 0);

  SetChecked(1067, s_.create_family_groups != 0);
  SetChecked(1068, s_.create_descendancy_groups != 0);
  SetChecked(1070, s_.create_pedigree_groups != 0);
  Control<wxRadioButton>(this, s_.group_only_for_topmost != 0 ? 1085 : 1084)->SetValue(true);
  Edit(1009)->SetIntValue(static_cast<int>(s_.groups));
  Edit(1010)->SetIntValue(static_cast<int>(s_.groups_descendancy));
  Edit(1011)->SetIntValue(static_cast<int>(s_.groups_pedigree));
  Edit(1012)->SetIntValue(static_cast<int>(s_.groups_notes));
  Finish(content);
  UpdateEnabling();
  Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateEnabling(); });
  Bind(wxEVT_BUTTON, &OptionalPagesDialog::OnButton, this, 1029, 1158);
}

void OptionalPagesDialog::UpdateEnabling() {
  const bool family = Checked(1067);
  for (int id : {1106, 1107, 1009}) EnableControl(id, family);
  const bool descendancy = Checked(1068);
  for (int id : {1084, 1085, 1029, 1031, 1010}) EnableControl(id, descendancy);
  const bool pedigree = Checked(1070);
  for (int id : {1030, 1011}) EnableControl(id, pedigree);
  bool any_notes = false;
  for (int k = 0; k < settings::kLanguageCount; ++k) any_notes = any_notes || Checked(1071 + k);
  for (int id : {1032, 1145, 1012}) EnableControl(id, any_notes);
}

void OptionalPagesDialog::OnButton(wxCommandEvent& event) {
  const int id = event.GetId();
  if (id == 1106 || id == 1029) {
    ColourDialog dialog(this, services_,
                        id == 1106 ? ColourDialog::Kind::kFamily : ColourDialog::Kind::kLevel);
    services_.ShowModal(dialog);
  } else if (id == 1107 || id == 1031 || id == 1030 || id == 1032) {
    const PageKind kind = id == 1107   ? PageKind::kFamily
                          : id == 1031 ? PageKind::kDescendancy
                          : id == 1030 ? PageKind::kPedigree
                                       : PageKind::kNotes;
    PageTitleDialog dialog(this, services_, kind);
    services_.ShowModal(dialog);
  } else if (id == 1145) {
    NotesTagsDialog dialog(this, services_);
    services_.ShowModal(dialog);
  } else if (id == 1151) {
    CustomLinksDialog dialog(this, services_, true);
    services_.ShowModal(dialog);
  } else if (id == 1158) {
    MinimizeDialog dialog(this, services_);
    services_.ShowModal(dialog);
  } else {
    event.Skip();
  }
}

bool OptionalPagesDialog::Accept() {
  for (int id : {1009, 1010, 1011, 1012}) {
    if (Edit(id)->IntValue() < 1) {
      Warn(lang::FormatText(Text(2591).c_str(), Text(2113).c_str()));
      return false;
    }
  }
  s_.groups = static_cast<std::uint32_t>(Edit(1009)->IntValue());
  s_.groups_descendancy = static_cast<std::uint32_t>(Edit(1010)->IntValue());
  s_.groups_pedigree = static_cast<std::uint32_t>(Edit(1011)->IntValue());
  s_.groups_notes = static_cast<std::uint32_t>(Edit(1012)->IntValue());
  s_.create_family_groups = Checked(1067);
  s_.create_descendancy_groups = Checked(1068);
  s_.create_pedigree_groups = Checked(1070);
  s_.group_only_for_topmost = Control<wxRadioButton>(this, 1085)->GetValue() ? 1 : 0;
  bool any_notes = false;
  for (int k = 0; k < settings::kLanguageCount; ++k) {
    s_.create_notes_pages[k] = Checked(1071 + k);
    any_notes = any_notes || s_.create_notes_pages[k] != 0;
  }
  if (!s_.create_family_groups && !s_.create_descendancy_groups && !s_.create_pedigree_groups &&
      !any_notes) {
    auto label = [this](int id) {
      return FromWx(wxControl::RemoveMnemonics(wxWindow::FindWindowById(id, this)->GetLabel()));
    };
    Warn(lang::FormatText(Text(2265).c_str(), label(1067).c_str(), label(1068).c_str(),
                          label(1070).c_str(), label(1133).c_str()));
    return false;
  }
  return true;
}

// ---- Interface language ----

LanguageDialog::LanguageDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 2440) {
  auto* group = new wxStaticBoxSizer(wxVERTICAL, this, UiText(2438, s_));
  group->GetStaticBox()->SetId(1093);
  Register(1093, 2438);
  wxWindow* g = group->GetStaticBox();
  auto* english = new wxRadioButton(g, 1124, "I want all labels and buttons displayed in English",
                                    wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  auto* french = new wxRadioButton(
      g, 1125, ToWx("Affichage de tous les boutons et \xE9tiquettes en fran\xE7" "ais."));
  group->Add(english, 0, wxALL, FromDIP(6));
  group->Add(french, 0, wxALL, FromDIP(6));
  (s_.lables_in_french == 1 ? french : english)->SetValue(true);
  english->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { Choose(false); });
  french->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { Choose(true); });
  auto* content = new wxBoxSizer(wxVERTICAL);
  content->Add(group, 0, wxEXPAND);
  Finish(content);
}

void LanguageDialog::Choose(bool french) {
  s_.lables_in_french = french ? 1 : 0;
  Control<wxRadioButton>(this, french ? 1125 : 1124)->SetValue(true);
  ApplyTexts();
  // The main window and every other open window follow at once.
  if (services_.language_changed) services_.language_changed();
}

// ---- Base-page title ----

BaseTitleDialog::BaseTitleDialog(wxWindow* parent, const AppServices& services, int language)
    : OptionDialog(parent, services, 2116), language_(language) {
  auto* box = new wxTextCtrl(this, 1071, ToWx(s_.index_title[language]), wxDefaultPosition,
                             FromDIP(wxSize(460, 220)), wxTE_MULTILINE | wxTE_RICH2);
  box->Bind(wxEVT_TEXT, [this, box](wxCommandEvent&) {
    const wxString text = box->GetValue();
    if (FromWx(text).size() > kMaxTitle) {
      services_.prompts.Beep();
      box->ChangeValue(ToWx(FromWx(text).substr(0, kMaxTitle)));
      box->SetInsertionPointEnd();
    }
  });
  auto* content = new wxBoxSizer(wxVERTICAL);
  content->Add(box, 1, wxEXPAND);
  Finish(content);
}

bool BaseTitleDialog::Accept() {
  s_.index_title[language_] = FromWx(Control<wxTextCtrl>(this, 1071)->GetValue());
  return true;
}

// ---- Other output languages ----

OtherLanguagesDialog::OtherLanguagesDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 2614) {
  constexpr int kBoxes[7] = {1024, 1029, 1030, 1031, 1032, 1033, 1034};
  auto* grid = new wxFlexGridSizer(3, FromDIP(6), FromDIP(8));
  grid->AddGrowableCol(1, 1);
  for (int k = 2; k < settings::kLanguageCount; ++k) {
    const int row = k - 2;
    auto* check = AddCheck(this, 1139 + row, k == 8 ? 0 : kLanguageTexts[k],
                           k == 8 ? "Portugu\xEAs" : "");
    auto* box = AddEdit(this, kBoxes[row], "", 105, 255, false);
    box->SetMinSize(wxSize(FromDIP(180), -1));
    auto* title = AddButton(this, 1159 + row, 2605);
    check->SetValue(s_.create_pages[k] != 0);
    box->SetText(s_.index_name[k]);
    if ((k == kBetaItalian || k == kBetaPortuguese) && !BetaLanguages()) {
      check->Hide();
      box->Hide();
      title->Hide();
    }
    grid->Add(check, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(box, 1, wxEXPAND);
    grid->Add(title, 0);
    check->Bind(wxEVT_CHECKBOX, [this, k](wxCommandEvent&) {
      s_.create_pages[k] = Checked(1139 + k - 2) ? 1 : 0;
      UpdateRow(k);
    });
    title->Bind(wxEVT_BUTTON, [this, k](wxCommandEvent&) {
      BaseTitleDialog dialog(this, services_, k);
      services_.ShowModal(dialog);
    });
  }
  Finish(grid);
  for (int k = 2; k < settings::kLanguageCount; ++k) UpdateRow(k);
}

void OtherLanguagesDialog::UpdateRow(int language) {
  constexpr int kBoxes[7] = {1024, 1029, 1030, 1031, 1032, 1033, 1034};
  const bool on = s_.create_pages[language] != 0;
  EnableControl(kBoxes[language - 2], on);
  EnableControl(1159 + language - 2, on);
}

bool OtherLanguagesDialog::Accept() {
  constexpr int kBoxes[7] = {1024, 1029, 1030, 1031, 1032, 1033, 1034};
  for (int k = 2; k < settings::kLanguageCount; ++k) s_.index_name[k] = Edit(kBoxes[k - 2])->Text();
  return true;
}

// ---- Debug parameters ----

DebugDialog::DebugDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 0) {
  SetTitle("Debug Parameters");
  static const char* const kLabels[10] = {
      "Show Debug Button on main dialog", "Create Stats File", "Exit After Creating Output Files",
      "Show Number Of Notes Dialog", "Allow Beta Languages", "Show Run Time Dialog",
      "Show Stats Log When Finished", "Show Running Time in Status Window",
      "Allow Meta Tags Option", "Allow Minimize file size option"};
  std::uint32_t value = services_.store.ReadDword("Debugging");
  if (value == 0xFFFFFFFFu) value = 0;  // missing or unreadable
  auto* content = new wxBoxSizer(wxVERTICAL);
  for (int bit = 0; bit < 10; ++bit) {
    auto* check = new wxCheckBox(this, 1116 + bit, kLabels[bit]);
    check->SetValue((value >> bit) & 1u);
    content->Add(check, 0, wxALL, FromDIP(3));
  }
  Finish(content);
}

bool DebugDialog::Accept() {
  std::uint32_t value = 0;
  for (int bit = 0; bit < 10; ++bit) {
    if (Checked(1116 + bit)) value |= 1u << bit;
  }
  s_.debugging = value;
  services_.store.CheckSaved(services_.store.WriteDword("Debugging", value));
  return true;
}

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

// ---- Database owner ----

OwnerDialog::OwnerDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 2240) {
  auto* content = new wxBoxSizer(wxVERTICAL);
  content->Add(AddLabel(this, 1110, 2241), 0, wxBOTTOM, FromDIP(8));
  auto* grid = new wxFlexGridSizer(2, FromDIP(6), FromDIP(8));
  grid->AddGrowableCol(1, 1);
  auto field = [&](int label, int text, int box, const std::string& value) {
    if (label != 0) grid->Add(AddLabel(this, label, text), 0, wxALIGN_CENTER_VERTICAL);
    else grid->AddSpacer(0);
    auto* edit = AddEdit(this, box, "", 0, -1, false);
    edit->SetMinSize(wxSize(FromDIP(300), -1));
    edit->SetText(value);
    edit->Bind(wxEVT_TEXT, [this](wxCommandEvent& e) {
      UpdateEnabling();
      e.Skip();
    });
    grid->Add(edit, 1, wxEXPAND);
  };
  field(1109, 2242, 1044, s_.owner.user_name);
  field(1111, 2243, 1047, s_.owner.email_address);
  field(1107, 2244, 1046, s_.owner.homepages[0]);
  field(1108, 2245, 1045, s_.owner.address[0]);
  field(0, 0, 1048, s_.owner.address[1]);
  field(0, 0, 1049, s_.owner.address[2]);
  content->Add(grid, 0, wxEXPAND);
  auto* more = AddButton(this, 1140, 2585);
  more->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    MoreWebSitesDialog dialog(this, services_);
    services_.ShowModal(dialog);
  });
  content->Add(more, 0, wxTOP, FromDIP(8));
  Finish(content);
  UpdateEnabling();
}

void OwnerDialog::UpdateEnabling() {
  const bool name = !Edit(1044)->GetValue().empty();
  const bool first_line = !Edit(1045)->GetValue().empty();
  for (int id : {1047, 1046, 1045}) EnableControl(id, name);
  for (int id : {1048, 1049}) EnableControl(id, name && first_line);
}

bool OwnerDialog::Accept() {
  s_.owner.user_name = Edit(1044)->Text();
  s_.owner.email_address = Edit(1047)->Text();
  s_.owner.homepages[0] = Edit(1046)->Text();
  s_.owner.address[0] = Edit(1045)->Text();
  s_.owner.address[1] = Edit(1048)->Text();
  s_.owner.address[2] = Edit(1049)->Text();
  return true;
}

// ---- More web sites ----

MoreWebSitesDialog::MoreWebSitesDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 0) {
  auto* grid = new wxFlexGridSizer(2, FromDIP(6), FromDIP(8));
  grid->AddGrowableCol(1, 1);
  for (int i = 0; i < 4; ++i) {
    grid->Add(AddLabel(this, wxID_ANY, 2586 + i), 0, wxALIGN_CENTER_VERTICAL);
    auto* edit = AddEdit(this, 1146 + i, "", 0, -1, false);
    edit->SetMinSize(wxSize(FromDIP(300), -1));
    edit->SetText(s_.owner.homepages[i + 1]);
    grid->Add(edit, 1, wxEXPAND);
  }
  auto* content = new wxBoxSizer(wxVERTICAL);
  content->Add(grid, 0, wxEXPAND);
  auto* top = AddCheck(this, 1156, 0, "\"target=_top\"");
  top->SetValue(s_.owner.hp_top != 0);
  content->Add(top, 0, wxTOP, FromDIP(8));
  Finish(content);
}

bool MoreWebSitesDialog::Accept() {
  for (int i = 0; i < 4; ++i) s_.owner.homepages[i + 1] = Edit(1146 + i)->Text();
  s_.owner.hp_top = Checked(1156);
  return true;
}

// ---- Ancestor to mark ----

AncestorDialog::AncestorDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 2287) {
  auto* content = new wxBoxSizer(wxVERTICAL);
  const std::string help = lang::FormatText(Text(2288).c_str(), Text(2290).c_str());
  auto* label = AddLabel(this, 1093, 0, help);
  label->SetMinSize(wxSize(FromDIP(380), -1));
  static_cast<wxStaticText*>(label)->Wrap(FromDIP(380));
  content->Add(label, 0, wxBOTTOM, FromDIP(8));
  content->Add(AddLabel(this, 1094, 2289), 0, wxBOTTOM, FromDIP(8));
  auto* box = AddEdit(this, 1072, "", 0, -1, false);
  box->SetText(s_.ancestor_id);
  content->Add(box, 0, wxEXPAND);
  Finish(content);
  static_cast<wxStaticText*>(label)->Wrap(FromDIP(380));
  GetSizer()->SetSizeHints(this);
}

bool AncestorDialog::Accept() {
  s_.ancestor_id = Edit(1072)->Text();
  services_.store.CheckSaved(services_.store.WriteText("Ancestor Id", s_.ancestor_id));
  return true;
}

// ---- Minimize file size ----

MinimizeDialog::MinimizeDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 0) {
  SetTitle("Minimize file size");
  auto* content = new wxBoxSizer(wxVERTICAL);
  content->Add(new wxCheckBox(this, 1116, "Absolute Minimum"), 0, wxALL, FromDIP(3));
  content->Add(new wxCheckBox(this, 1117, "One \"Back to main page\" link per page"), 0, wxALL,
               FromDIP(3));
  content->Add(new wxCheckBox(this, 1118, "No Colors"), 0, wxALL, FromDIP(3));
  SetChecked(1116, s_.minimize_abosoute != 0);
  SetChecked(1117, s_.one_index_page_link != 0);
  SetChecked(1118, s_.no_colors != 0);
  Finish(content);
}

bool MinimizeDialog::Accept() {
  s_.minimize_abosoute = Checked(1116);
  s_.one_index_page_link = Checked(1117);
  s_.no_colors = Checked(1118);
  return true;
}

// ---- Page title ----

namespace {
// Radio button of each language in the page-title dialog.
constexpr int kPageTitleRadios[settings::kLanguageCount] = {1124, 1125, 1126, 1127, 1128,
                                                            1129, 1132, 1130, 1134};
}  // namespace

PageTitleDialog::PageTitleDialog(wxWindow* parent, const AppServices& services, PageKind kind)
    : OptionDialog(parent, services, 2203), kind_(kind), language_(s_.lables_in_french == 1) {
  auto* content = new wxBoxSizer(wxVERTICAL);
  auto* radios = new wxGridSizer(5, FromDIP(4), FromDIP(10));
  for (int k = 0; k < settings::kLanguageCount; ++k) {
    auto* radio = AddRadio(this, kPageTitleRadios[k], kLanguageTexts[k], k == 0);
    if ((k == kBetaItalian || k == kBetaPortuguese) && !BetaLanguages()) radio->Hide();
    radio->Bind(wxEVT_RADIOBUTTON, [this, k](wxCommandEvent&) { ChooseLanguage(k); });
    radios->Add(radio, 0);
  }
  content->Add(radios, 0, wxBOTTOM, FromDIP(10));
  auto* grid = new wxFlexGridSizer(3, FromDIP(6), FromDIP(8));
  grid->Add(AddLabel(this, wxID_ANY, 2204), 0);
  grid->AddSpacer(0);
  grid->Add(AddLabel(this, wxID_ANY, 2205), 0);
  auto* a = AddEdit(this, 1071, "", 0, -1, false);
  auto* b = AddEdit(this, 1072, "", 0, -1, false);
  a->SetMinSize(wxSize(FromDIP(200), -1));
  b->SetMinSize(wxSize(FromDIP(200), -1));
  grid->Add(a, 1, wxEXPAND);
  grid->Add(AddLabel(this, 1093, 2206), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(b, 1, wxEXPAND);
  content->Add(grid, 0, wxEXPAND);
  content->Add(AddLabel(this, 1131, 2207), 0, wxTOP, FromDIP(8));
  Control<wxRadioButton>(this, kPageTitleRadios[language_])->SetValue(true);
  a->SetText(TextA(language_));
  b->SetText(TextB(language_));
  Finish(content);
}

std::string& PageTitleDialog::TextA(int k) {
  switch (kind_) {
    case PageKind::kFamily: return s_.family_page_text_a[k];
    case PageKind::kDescendancy: return s_.descendancy_page_text_a[k];
    case PageKind::kPedigree: return s_.pedigree_page_text_a[k];
    case PageKind::kNotes: break;
  }
  return s_.notes_page_text_a[k];
}

std::string& PageTitleDialog::TextB(int k) {
  switch (kind_) {
    case PageKind::kFamily: return s_.family_page_text_b[k];
    case PageKind::kDescendancy: return s_.descendancy_page_text_b[k];
    case PageKind::kPedigree: return s_.pedigree_page_text_b[k];
    case PageKind::kNotes: break;
  }
  return s_.notes_page_text_b[k];
}

void PageTitleDialog::Store() {
  TextA(language_) = Edit(1071)->Text();
  TextB(language_) = Edit(1072)->Text();
}

void PageTitleDialog::ChooseLanguage(int language) {
  Store();
  language_ = language;
  Control<wxRadioButton>(this, kPageTitleRadios[language])->SetValue(true);
  Edit(1071)->SetText(TextA(language));
  Edit(1072)->SetText(TextB(language));
}

bool PageTitleDialog::Accept() {
  Store();
  return true;
}

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
    check->SetValue(s_.use_text_color_for_familypages != 0);
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
  if (kind_ == Kind::kFamily) s_.use_text_color_for_familypages = Checked(1072);
  return true;
}

// ---- Notes tags ----

NotesTagsDialog::NotesTagsDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 2581) {
  auto* content = new wxBoxSizer(wxVERTICAL);
  auto* lists = new wxFlexGridSizer(3, FromDIP(6), FromDIP(8));
  lists->Add(AddLabel(this, wxID_ANY, 2582), 0);
  lists->AddSpacer(0);
  lists->Add(AddLabel(this, wxID_ANY, 2583), 0);
  auto* left = new wxListBox(this, 1117, wxDefaultPosition, FromDIP(wxSize(220, 300)));
  auto* right = new wxListBox(this, 1118, wxDefaultPosition, FromDIP(wxSize(220, 300)));
  lists->Add(left, 1, wxEXPAND);
  auto* moves = new wxBoxSizer(wxVERTICAL);
  for (auto [id, label] : {std::pair{1140, "----->"}, std::pair{1141, "<-----"},
                           std::pair{1142, "----->>>"}, std::pair{1143, "<<<-----"}}) {
    auto* button = new wxButton(this, id, label);
    button->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { Move(id); });
    moves->Add(button, 0, wxEXPAND | wxBOTTOM, FromDIP(6));
  }
  lists->Add(moves, 0, wxALIGN_CENTER_VERTICAL);
  lists->Add(right, 1, wxEXPAND);
  content->Add(lists, 1, wxEXPAND);
  auto* description = new wxBoxSizer(wxHORIZONTAL);
  description->Add(AddLabel(this, 1093, 2584), 0, wxRIGHT, FromDIP(6));
  description->Add(new wxStaticText(this, 1144, wxEmptyString), 1);
  content->Add(description, 0, wxEXPAND | wxTOP, FromDIP(8));

  int status = 0;
  const std::string value = services_.store.ReadText("Notes To Include", &status);
  if (status != 0) {
    Warn(Text(2579));
  } else {
    const std::set<std::string> entries = lang::NotesTagEntries(value);
    for (int code = 1; code <= lang::kLastTagCode; ++code) {
      if (!lang::IsLabelledTag(code)) continue;
      const auto label = lang::TagLabelUi(code, s_);
      if (!label) continue;
      tags_.push_back({*label, code});
      (entries.count(*label) != 0 ? left : right)->Append(ToWx(*label));
    }
  }
  left->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) {
    ShowDescription(Included());
    UpdateButtons();
  });
  right->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) {
    ShowDescription(Excluded());
    UpdateButtons();
  });
  left->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { Move(1140); });
  right->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { Move(1141); });
  Finish(content);
  UpdateButtons();
}

void NotesTagsDialog::ShowDescription(wxListBox* list) {
  const int selected = list->GetSelection();
  wxString text;
  if (selected != wxNOT_FOUND) {
    const std::string label = FromWx(list->GetString(selected));
    for (const auto& [display, code] : tags_) {
      if (display == label) text = wxString::Format("%s (%s)", ToWx(display), lang::TagName(code));
    }
  }
  Control<wxStaticText>(this, 1144)->SetLabel(text);
}

void NotesTagsDialog::UpdateButtons() {
  EnableControl(1140, Included()->GetSelection() != wxNOT_FOUND);
  EnableControl(1141, Excluded()->GetSelection() != wxNOT_FOUND);
  EnableControl(1142, Included()->GetSelection() != wxNOT_FOUND);
  EnableControl(1143, Excluded()->GetSelection() != wxNOT_FOUND);
}

void NotesTagsDialog::Move(int button) {
  wxListBox* from = button == 1140 || button == 1142 ? Included() : Excluded();
  wxListBox* to = from == Included() ? Excluded() : Included();
  if (button == 1142 || button == 1143) {
    while (from->GetCount() > 0) {
      to->Append(from->GetString(0));
      from->Delete(0);
    }
  } else {
    const int selected = from->GetSelection();
    if (selected == wxNOT_FOUND) return;
    to->Append(from->GetString(selected));
    from->Delete(selected);
  }
  ShowDescription(from);  // nothing is selected any more: no description
  UpdateButtons();
}

bool NotesTagsDialog::Accept() {
  if (Included()->GetCount() == 0) {
    Warn(Text(2580));
    return false;
  }
  std::string value;
  for (unsigned i = 0; i < Included()->GetCount(); ++i) {
    value += FromWx(Included()->GetString(i)) + ";";
  }
  s_.notes_to_include = value;
  services_.store.WriteText("Notes To Include", value);
  return true;
}

// ---- Custom links and meta tags ----

namespace {
constexpr int kLinkRadios[settings::kLanguageCount] = {1124, 1125, 1126, 1127, 1130,
                                                       1131, 1132, 1133, 1134};
}  // namespace

CustomLinksDialog::CustomLinksDialog(wxWindow* parent, const AppServices& services,
                                     bool meta_tags)
    : OptionDialog(parent, services, meta_tags ? 2592 : 2150),
      meta_tags_(meta_tags),
      language_(s_.lables_in_french == 1) {
  const int gap = FromDIP(6);
  auto* content = new wxBoxSizer(wxVERTICAL);
  auto* radios = new wxGridSizer(5, gap, gap * 2);
  for (int k = 0; k < settings::kLanguageCount; ++k) {
    auto* radio = AddRadio(this, kLinkRadios[k], kLanguageTexts[k], k == 0);
    if ((k == kBetaItalian || k == kBetaPortuguese) && !BetaLanguages()) radio->Hide();
    radio->Bind(wxEVT_RADIOBUTTON, [this, k](wxCommandEvent&) { ChooseLanguage(k); });
    radios->Add(radio, 0);
  }
  content->Add(radios, 0, wxBOTTOM, gap * 2);
  auto* title_row = new wxBoxSizer(wxHORIZONTAL);
  title_row->Add(AddLabel(this, 1129, 2159), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
  title_row->Add(AddEdit(this, 1073, "", 0, -1, false), 1);
  content->Add(title_row, 0, wxEXPAND | wxBOTTOM, gap);
  auto* middle = new wxBoxSizer(wxHORIZONTAL);
  middle->Add(new wxListBox(this, 1117, wxDefaultPosition, FromDIP(wxSize(320, 160))), 1,
              wxEXPAND | wxRIGHT, gap);
  auto* list_buttons = new wxBoxSizer(wxVERTICAL);
  list_buttons->Add(AddButton(this, 1118, 2151), 0, wxEXPAND | wxBOTTOM, gap);
  list_buttons->Add(AddButton(this, 1120, 2152), 0, wxEXPAND | wxBOTTOM, gap);
  list_buttons->Add(AddButton(this, 1119, 2153), 0, wxEXPAND);
  middle->Add(list_buttons, 0);
  content->Add(middle, 1, wxEXPAND | wxBOTTOM, gap);
  auto* entry = new wxFlexGridSizer(2, gap, gap);
  entry->AddGrowableCol(1, 1);
  entry->Add(AddLabel(this, 1128, meta_tags ? 2594 : 2156), 0, wxALIGN_CENTER_VERTICAL);
  entry->Add(AddEdit(this, 1072, "", 0, -1, false), 1, wxEXPAND);
  entry->Add(AddLabel(this, 1038, meta_tags ? 2595 : 2157), 0, wxALIGN_CENTER_VERTICAL);
  entry->Add(AddEdit(this, 1071, "", 0, -1, false), 1, wxEXPAND);
  content->Add(entry, 0, wxEXPAND | wxBOTTOM, gap);
  auto* entry_buttons = new wxBoxSizer(wxHORIZONTAL);
  entry_buttons->Add(AddButton(this, 1122, 2154), 0, wxRIGHT, gap);
  entry_buttons->Add(AddButton(this, 1121, 2137), 0);
  content->Add(entry_buttons, 0, wxBOTTOM, gap * 2);
  auto* refresh = new wxBoxSizer(wxHORIZONTAL);
  refresh->Add(AddCheck(this, 1152, 2598), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap * 2);
  refresh->Add(AddLabel(this, 1153, 2599), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
  auto* interval = AddEdit(this, 1155, Text(2599), 102, -1, true);
  interval->SetMinSize(wxSize(FromDIP(48), -1));
  refresh->Add(interval, 0, wxRIGHT, gap);
  refresh->Add(AddLabel(this, 1154, 2600), 0, wxALIGN_CENTER_VERTICAL);
  content->Add(refresh, 0, wxBOTTOM, gap);
  content->Add(AddCheck(this, 1156, 0, "\"target=_top\""), 0);

  SetChecked(1152, s_.meta_refresh_tag != 0);
  interval->SetIntValue(static_cast<int>(s_.meta_refresh_value));
  SetChecked(1156, s_.cl_top != 0);
  Control<wxRadioButton>(this, kLinkRadios[language_])->SetValue(true);
  Edit(1073)->SetText(s_.custom_links_title[language_]);

  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Add(); }, 1118);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EditSelected(); }, 1120);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { DeleteSelected(); }, 1119);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AcceptEntry(); }, 1122);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CancelEntry(); }, 1121);
  Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { EditSelected(); }, 1117);
  Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { EnableControl(1155, Checked(1152)); }, 1152);
  Finish(content);
  EnableControl(1155, Checked(1152));
  SetEditing(false);
  FillList();
}

std::array<settings::CustomLink, settings::kLinkSlots>* CustomLinksDialog::Table() {
  if (meta_tags_) return &s_.meta_tags;
  if (language_ < settings::kLinkLanguageCount) return &s_.custom_links[language_];
  return &scratch_;
}

void CustomLinksDialog::FillList() {
  auto* list = Control<wxListBox>(this, 1117);
  list->Clear();
  for (const auto& link : *Table()) {
    if (link.text.empty()) break;
    list->Append(ToWx(link.text));
  }
}

void CustomLinksDialog::SetEditing(bool on) {
  EnableControl(1072, on);
  EnableControl(1071, on);
  EnableControl(1117, !on);
  for (int id : {1118, 1120, 1119, static_cast<int>(wxID_OK)}) EnableControl(id, !on);
  Control<wxWindow>(this, 1122)->Show(on);
  Control<wxWindow>(this, 1121)->Show(on);
  Layout();
}

void CustomLinksDialog::Add() {
  editing_slot_ = -1;
  Edit(1072)->SetText("");
  Edit(1071)->SetText("");
  SetEditing(true);
  Edit(1072)->SetFocus();
}

void CustomLinksDialog::EditSelected() {
  const int selected = Control<wxListBox>(this, 1117)->GetSelection();
  if (selected == wxNOT_FOUND) {
    Warn(Text(2259));
    return;
  }
  if (selected >= settings::kLinkSlots || (*Table())[selected].text.empty()) {
    Warn(Text(2260));
    return;
  }
  editing_slot_ = selected;
  Edit(1072)->SetText((*Table())[selected].text);
  Edit(1071)->SetText((*Table())[selected].hyperlink);
  SetEditing(true);
  Edit(1072)->SetFocus();
}

bool CustomLinksDialog::AcceptEntry() {
  const std::string text = Edit(1072)->Text();
  const std::string link = Edit(1071)->Text();
  if (text.empty()) {
    Warn(Text(meta_tags_ ? 2596 : 2256));
    return false;
  }
  if (link.empty()) {
    Warn(Text(meta_tags_ ? 2597 : 2257));
    return false;
  }
  auto& table = *Table();
  if (editing_slot_ >= 0) {
    table[editing_slot_] = {text, link};
  } else {
    auto empty = std::find_if(table.begin(), table.end(),
                              [](const settings::CustomLink& l) { return l.text.empty(); });
    if (empty == table.end()) {
      Warn(lang::FormatText(Text(2258).c_str(), settings::kLinkSlots));
    } else {
      *empty = {text, link};
    }
  }
  CancelEntry();
  return true;
}

void CustomLinksDialog::CancelEntry() {
  editing_slot_ = -1;
  // The boxes show an entry only while one is being added or edited.
  Edit(1072)->SetText("");
  Edit(1071)->SetText("");
  SetEditing(false);
  FillList();
}

void CustomLinksDialog::DeleteSelected() {
  const int selected = Control<wxListBox>(this, 1117)->GetSelection();
  if (selected == wxNOT_FOUND) {
    Warn(Text(2259));
    return;
  }
  if (services_.prompts.ShowMessage(Text(2261), Text(2262), platform::MessageIcon::kQuestion,
                                    platform::MessageButtons::kYesNo) != platform::Choice::kYes) {
    return;
  }
  auto& table = *Table();
  std::move(table.begin() + selected + 1, table.end(), table.begin() + selected);
  table.back() = {};
  FillList();
}

void CustomLinksDialog::ChooseLanguage(int language) {
  if (!meta_tags_ && language_ < settings::kLinkLanguageCount) {
    settings::SaveCustomLinks(services_.store, s_, language_);
  }
  s_.custom_links_title[language_] = Edit(1073)->Text();
  language_ = language;
  Control<wxRadioButton>(this, kLinkRadios[language])->SetValue(true);
  Edit(1073)->SetText(s_.custom_links_title[language]);
  FillList();
}

bool CustomLinksDialog::Accept() {
  s_.cl_top = Checked(1156);
  s_.meta_refresh_tag = Checked(1152);
  s_.meta_refresh_value = static_cast<std::uint32_t>(Edit(1155)->IntValue());
  s_.custom_links_title[language_] = Edit(1073)->Text();
  if (meta_tags_) {
    settings::SaveMetaTags(services_.store, s_);
  } else if (language_ < settings::kLinkLanguageCount) {
    settings::SaveCustomLinks(services_.store, s_, language_);
  }
  return true;
}

// ---- Shortcuts ----

ShortcutDialog::ShortcutDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 2226) {
  const char* product = run::kProductString;
  auto* content = new wxBoxSizer(wxVERTICAL);
  auto* label = AddLabel(this, 1123, 0, lang::FormatText(Text(2224).c_str(), product));
  static_cast<wxStaticText*>(label)->Wrap(FromDIP(380));
  content->Add(label, 0, wxBOTTOM, FromDIP(10));
  content->Add(AddCheck(this, 1116, 0, lang::FormatText(Text(2227).c_str(), product)), 0,
               wxBOTTOM, FromDIP(6));
  content->Add(AddCheck(this, 1117, 0, lang::FormatText(Text(2228).c_str(), product)), 0);
  Finish(content, false);
  static_cast<wxStaticText*>(label)->Wrap(FromDIP(380));
  GetSizer()->SetSizeHints(this);
  // With OK as the only button the toolkit would take Escape and the close box for OK; they
  // leave the dialog without creating anything.
  SetEscapeId(wxID_NONE);
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE)
      Leave();
    else
      event.Skip();
  });
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Leave(); });
}

void ShortcutDialog::Leave() {
  if (IsModal()) {
    EndModal(wxID_CANCEL);
  } else {
    SetReturnCode(wxID_CANCEL);
    Hide();
  }
}

bool ShortcutDialog::Accept() {
  const std::string name = platform::Cp1252ToUtf8("KINLOOM\xA9");
  const std::string comment =
      platform::Cp1252ToUtf8(lang::FormatText(Text(2253).c_str(), run::kProductString));
  const std::string icons = platform::ApplicationsFolder() + "/../icons/hicolor/48x48/apps";
  std::string icon_path;
  if (Checked(1116) || Checked(1117)) {
    std::error_code error;
    std::filesystem::create_directories(icons, error);
    const std::string path =
        std::filesystem::weakly_canonical(icons + "/kinloom.png", error).string();
    if (SaveProgramIcon(path)) icon_path = path;
  }
  const std::string text =
      platform::DesktopEntryText(name, comment, platform::ProgramPath(), icon_path);
  // A shortcut that cannot be written is reported as every failed file operation is.
  auto write = [&](const std::string& folder) {
    const int error = platform::WriteDesktopEntry(folder, text);
    if (error == 0) return;
    const std::string path = folder + "/" + platform::kDesktopEntryName;
    platform::ReportSystemError(
        services_.prompts,
        lang::FormatText(Text(2266).c_str(), platform::Utf8ToCp1252(path).c_str()), error);
  };
  if (Checked(1116)) write(desktop_folder.empty() ? platform::DesktopFolder() : desktop_folder);
  if (Checked(1117)) {
    write(applications_folder.empty() ? platform::ApplicationsFolder() : applications_folder);
  }
  return true;
}

// ---- About ----

AboutBox::AboutBox(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, 0) {
  SetTitle(ToWx(lang::FormatText(Text(2143).c_str(), run::kProductString, run::kProgramVersion)));
  auto* content = new wxBoxSizer(wxHORIZONTAL);
  content->Add(new wxStaticBitmap(this, wxID_ANY, ProgramIconBitmap(FromDIP(48))), 0,
               wxRIGHT | wxALIGN_TOP, FromDIP(12));
  auto* lines = new wxBoxSizer(wxVERTICAL);
  auto* version = new wxStaticText(
      this, wxID_ANY,
      ToWx(lang::FormatText(Text(2147).c_str(), run::kProductString, run::kProgramVersion)));
  version->SetFont(version->GetFont().Bold());
  lines->Add(version, 0, wxBOTTOM, FromDIP(6));
  lines->Add(new wxStaticText(this, wxID_ANY, ToWx(std::string("Written by ") + run::kAuthorCredit)),
             0, wxBOTTOM, FromDIP(3));
  lines->Add(new wxStaticText(this, wxID_ANY, ToWx(run::kHomePage)), 0, wxBOTTOM, FromDIP(3));
  lines->Add(new wxStaticText(this, wxID_ANY, ToWx(run::kContactAddress)), 0);
  content->Add(lines, 1);
  Finish(content, false);
}

}  // namespace kinloom::app
