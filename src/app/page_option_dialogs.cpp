// The dialogs of what the pages hold: general settings, privacy, optional pages, the
// ancestor to mark and the file-size switch.
#include "app/option_dialogs.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/option_dialog_parts.h"
#include "lang/tag_labels.h"
#include "lang/ui_text.h"
#include "settings/load_save.h"

namespace kinloom::app {

namespace {

// Texts of the page option dialogs.
constexpr int kTitleGeneralSettings = 2297;
constexpr int kTextUseCustomTextColours = 2176;
constexpr int kTextSelectColours = 2177;
constexpr int kTextUseCustomBackground = 2178;
constexpr int kTextCustomBackground = 2179;
constexpr int kTextUseDefaultBackground = 2180;
constexpr int kTextIncludeCopyright = 2181;  // "Include Copyright on pages"
constexpr int kTextOwnerInfo = 2182;
constexpr int kTextGedcomDownloadLink = 2175;  // "Include link to allow people ... to download ..."
constexpr int kTextIncludeCustomLinks = 2183;
constexpr int kTextEditCustomLinks = 2184;
constexpr int kTextIndexDates = 2120;     // "Birth && Death Dates on Index Page"
constexpr int kTextCreateGendex = 2121;   // "Create GENDEX File"
constexpr int kTextIndexGender = 2122;    // "Display gender on index pages"
constexpr int kTextMarkAncestors = 2185;  // "Mark all ancestors of one individual"
constexpr int kTextSelectIndividual = 2186;
constexpr int kTextShowGedcomIds = 2290;  // "Show GEDCOM Id's on HTML pages"
constexpr int kTextUseBaptism = 2161;     // "Use Baptism information when no Birth information ..."
constexpr int kTextSkipBrokenLinks = 2727;  // "Skip broken links in the GEDCOM file ..."
constexpr int kTitlePrivacySettings = 2296;
constexpr int kTextAllPages = 2293;
constexpr int kTextSuppressLivingDates = 2117;  // "Suppress dates on living"
constexpr int kTextBornAfter = 2118;
constexpr int kTextMarriedAfter = 2119;
constexpr int kTextNotesPages = 2292;
constexpr int kTextSuppressLdsLiving = 2295;    // "Suppress LDS baptism and marriage on living"
constexpr int kTextSuppressLdsDeceased = 2294;  // "Suppress LDS baptism and marriage on deceased"
constexpr int kTitleOptionalPages = 2115;
constexpr int kTextGroupsPerPage = 2113;
constexpr int kTextCreateFamilyPages = 2162;  // "Create Family Group Pages"
constexpr int kTextFamilyColours = 2163;      // "Customize Output Colors" of the family group pages
constexpr int kTextFamilyTitles = 2164;       // "Customize Page Titles" of the family group pages
constexpr int kTextCreateDescendancyPages = 2165;  // "Create Descendancy Group Pages"
constexpr int kTextGroupEveryParent = 2166;        // "Group for every parent"
constexpr int kTextGroupTopmostParent = 2167;      // "Group for topmost parent"
constexpr int kTextDescendancyColours = 2168;  // "Customize Output Colors" of the descendancy pages
constexpr int kTextDescendancyTitles = 2169;   // "Customize Page Titles" of the descendancy pages
constexpr int kTextCreatePedigreePages = 2170;
constexpr int kTextPedigreeTitles = 2171;  // "Customize Page Titles" of the pedigree pages
constexpr int kTextCreateNotesPages = 2172;
constexpr int kTextNotesTitles = 2173;         // "Customize Page Titles" of the notes pages
constexpr int kTextSelectTags = 2174;          // "Select The Tags"
constexpr int kTextModernPages = 2730;  // "Write the pages in the modern style ..."
constexpr int kMessageMustBePositive = 2591;   // "%s must be greater than zero"
constexpr int kMessageNoPagesSelected = 2265;  // "You have select not to '%s', not to '%s', ..."
constexpr int kTitleMarkAncestors = 2287;      // "Identity all ancestors of this individual"
constexpr int kTextAncestorIdHelp = 2288;  // "Enter the GEDCOM Id for the individual you want ..."
constexpr int kTextAncestorIdExample = 2289;  // "Example:  I0003"

}  // namespace

// ---- General settings ----

GeneralSettingsDialog::GeneralSettingsDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, kTitleGeneralSettings) {
  auto* grid = new wxFlexGridSizer(2, FromDIP(6), FromDIP(12));
  grid->AddGrowableCol(0, 1);
  auto row = [&](int check, int text, int button, int button_text) {
    grid->Add(AddCheck(this, check, text), 0, wxALIGN_CENTER_VERTICAL);
    if (button != 0) grid->Add(AddButton(this, button, button_text), 0, wxEXPAND);
    else grid->AddSpacer(0);
  };
  row(1046, kTextUseCustomTextColours, 1016, kTextSelectColours);
  row(1048, kTextUseCustomBackground, 1018, kTextCustomBackground);
  row(1050, kTextUseDefaultBackground, 0, 0);
  row(1049, kTextIncludeCopyright, 1019, kTextOwnerInfo);
  row(1051, kTextGedcomDownloadLink, 0, 0);
  row(1052, kTextIncludeCustomLinks, 1020, kTextEditCustomLinks);
  row(1015, kTextIndexDates, 0, 0);
  row(1010, kTextCreateGendex, 0, 0);
  row(1011, kTextIndexGender, 0, 0);
  row(1053, kTextMarkAncestors, 1021, kTextSelectIndividual);
  row(1135, kTextShowGedcomIds, 0, 0);
  row(1160, kTextUseBaptism, 0, 0);
  row(1161, kTextSkipBrokenLinks, 0, 0);
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
    : OptionDialog(parent, services, kTitlePrivacySettings) {
  auto* all = new wxStaticBoxSizer(wxVERTICAL, this, UiText(kTextAllPages, s_));
  all->GetStaticBox()->SetId(1093);
  Register(1093, kTextAllPages);
  wxWindow* a = all->GetStaticBox();
  all->Add(AddCheck(a, 1012, kTextSuppressLivingDates), 0, wxALL, FromDIP(4));
  auto* years = new wxFlexGridSizer(2, FromDIP(6), FromDIP(8));
  years->Add(AddLabel(a, 1023, kTextBornAfter), 0, wxALIGN_CENTER_VERTICAL);
  years->Add(AddEdit(a, 1013, Text(kTextBornAfter), 102, 4, true), 0);
  years->Add(AddLabel(a, 1024, kTextMarriedAfter), 0, wxALIGN_CENTER_VERTICAL);
  years->Add(AddEdit(a, 1014, Text(kTextMarriedAfter), 102, 4, true), 0);
  all->Add(years, 0, wxALL, FromDIP(4));
  auto* notes = new wxStaticBoxSizer(wxVERTICAL, this, UiText(kTextNotesPages, s_));
  notes->GetStaticBox()->SetId(1094);
  Register(1094, kTextNotesPages);
  notes->Add(AddCheck(notes->GetStaticBox(), 1016, kTextSuppressLdsLiving), 0, wxALL, FromDIP(4));
  notes->Add(AddCheck(notes->GetStaticBox(), 1019, kTextSuppressLdsDeceased), 0, wxALL, FromDIP(4));
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
    : OptionDialog(parent, services, kTitleOptionalPages) {
  const int gap = FromDIP(6);
  auto* content = new wxBoxSizer(wxVERTICAL);
  auto kind_box = [&](int check, int text) {
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this);
    box->Add(AddCheck(box->GetStaticBox(), check, text), 0, wxALL, gap);
    return box;
  };
  auto count_row = [&](wxWindow* parent_window, int edit) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(parent_window, wxID_ANY, UiText(kTextGroupsPerPage, s_)), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    auto* box = AddEdit(parent_window, edit, Text(kTextGroupsPerPage), 102, 2, true);
    box->SetMinSize(wxSize(FromDIP(48), -1));
    row->Add(box, 0);
    return row;
  };

  auto* family = kind_box(1067, kTextCreateFamilyPages);
  wxWindow* f = family->GetStaticBox();
  auto* family_row = new wxBoxSizer(wxHORIZONTAL);
  family_row->Add(AddButton(f, 1106, kTextFamilyColours), 0, wxRIGHT, gap);
  family_row->Add(AddButton(f, 1107, kTextFamilyTitles), 0, wxRIGHT, gap * 3);
  family_row->Add(count_row(f, 1009), 0, wxALIGN_CENTER_VERTICAL);
  family->Add(family_row, 0, wxALL, gap);
  content->Add(family, 0, wxEXPAND | wxBOTTOM, gap);

  auto* descendancy = kind_box(1068, kTextCreateDescendancyPages);
  wxWindow* d = descendancy->GetStaticBox();
  auto* radios = new wxBoxSizer(wxHORIZONTAL);
  radios->Add(AddRadio(d, 1084, kTextGroupEveryParent, true), 0, wxRIGHT, gap * 3);
  radios->Add(AddRadio(d, 1085, kTextGroupTopmostParent), 0);
  descendancy->Add(radios, 0, wxALL, gap);
  auto* descendancy_row = new wxBoxSizer(wxHORIZONTAL);
  descendancy_row->Add(AddButton(d, 1029, kTextDescendancyColours), 0, wxRIGHT, gap);
  descendancy_row->Add(AddButton(d, 1031, kTextDescendancyTitles), 0, wxRIGHT, gap * 3);
  descendancy_row->Add(count_row(d, 1010), 0, wxALIGN_CENTER_VERTICAL);
  descendancy->Add(descendancy_row, 0, wxALL, gap);
  content->Add(descendancy, 0, wxEXPAND | wxBOTTOM, gap);

  auto* pedigree = kind_box(1070, kTextCreatePedigreePages);
  wxWindow* p = pedigree->GetStaticBox();
  auto* pedigree_row = new wxBoxSizer(wxHORIZONTAL);
  pedigree_row->Add(AddButton(p, 1030, kTextPedigreeTitles), 0, wxRIGHT, gap * 3);
  pedigree_row->Add(count_row(p, 1011), 0, wxALIGN_CENTER_VERTICAL);
  pedigree->Add(pedigree_row, 0, wxALL, gap);
  content->Add(pedigree, 0, wxEXPAND | wxBOTTOM, gap);

  auto* notes = new wxStaticBoxSizer(wxVERTICAL, this, UiText(kTextCreateNotesPages, s_));
  notes->GetStaticBox()->SetId(1133);
  Register(1133, kTextCreateNotesPages);
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
  notes_row->Add(AddButton(n, 1032, kTextNotesTitles), 0, wxRIGHT, gap);
  notes_row->Add(AddButton(n, 1145, kTextSelectTags), 0, wxRIGHT, gap * 3);
  notes_row->Add(count_row(n, 1012), 0, wxALIGN_CENTER_VERTICAL);
  notes->Add(notes_row, 0, wxALL, gap);
  content->Add(notes, 0, wxEXPAND | wxBOTTOM, gap);

  content->Add(AddCheck(this, 1162, kTextModernPages), 0, wxBOTTOM, gap);

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
  SetChecked(1162, s_.modern_pages());
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
      Warn(
          lang::FormatText(Text(kMessageMustBePositive).c_str(), Text(kTextGroupsPerPage).c_str()));
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
    Warn(lang::FormatText(Text(kMessageNoPagesSelected).c_str(), label(1067).c_str(),
                          label(1068).c_str(), label(1070).c_str(), label(1133).c_str()));
    return false;
  }
  // The page style is not part of the bulk save: it is stored as the dialog closes.
  s_.page_style = Checked(1162) ? 1 : 0;
  auto& store = services_.store;
  store.CheckSaved(store.WriteDword("Page Style", s_.page_style));
  return true;
}

// ---- Ancestor to mark ----

AncestorDialog::AncestorDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, kTitleMarkAncestors) {
  auto* content = new wxBoxSizer(wxVERTICAL);
  const std::string help =
      lang::FormatText(Text(kTextAncestorIdHelp).c_str(), Text(kTextShowGedcomIds).c_str());
  auto* label = AddLabel(this, 1093, 0, help);
  label->SetMinSize(wxSize(FromDIP(380), -1));
  static_cast<wxStaticText*>(label)->Wrap(FromDIP(380));
  content->Add(label, 0, wxBOTTOM, FromDIP(8));
  content->Add(AddLabel(this, 1094, kTextAncestorIdExample), 0, wxBOTTOM, FromDIP(8));
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
  SetChecked(1116, s_.minimize_absolute != 0);
  SetChecked(1117, s_.one_index_page_link != 0);
  SetChecked(1118, s_.no_colors != 0);
  Finish(content);
}

bool MinimizeDialog::Accept() {
  s_.minimize_absolute = Checked(1116);
  s_.one_index_page_link = Checked(1117);
  s_.no_colors = Checked(1118);
  return true;
}

}  // namespace kinloom::app
