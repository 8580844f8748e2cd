// The custom-links editor, also the editor of the meta tags.
#include "app/option_dialogs.h"

#include <wx/button.h>

#include <algorithm>

#include "app/option_dialog_parts.h"
#include "lang/tag_labels.h"
#include "lang/ui_text.h"
#include "settings/load_save.h"

namespace kinloom::app {

namespace {

constexpr int kTitleMetaTags = 2592;
constexpr int kTitleCustomLinks = 2150;
constexpr int kTextSectionTitle = 2159;
constexpr int kTextAdd = 2151;
constexpr int kTextEdit = 2152;
constexpr int kTextDelete = 2153;
constexpr int kTextMetaName = 2594;
constexpr int kTextDisplayText = 2156;
constexpr int kTextMetaValue = 2595;
constexpr int kTextHyperLink = 2157;
constexpr int kTextAccept = 2154;
constexpr int kTextCancel = 2137;
constexpr int kTextAddRefreshTag = 2598;  // "Add Refresh Meta Tag"
constexpr int kTextRefreshInterval = 2599;
constexpr int kTextHours = 2600;
constexpr int kMessageSelectLine = 2259;        // "You must select a line to edit."
constexpr int kMessageNoSelection = 2260;       // " Error, could not retrieve selection."
constexpr int kMessageEnterMetaName = 2596;     // "You must enter the \"Meta Name\" or select ..."
constexpr int kMessageEnterDisplayText = 2256;  // "You must enter the \"Display Text\" or ..."
constexpr int kMessageEnterMetaValue = 2597;    // "You must enter the \"Meta Value\" or select ..."
constexpr int kMessageEnterHyperLink = 2257;    // "You must enter the \"Hyper Link\" or select ..."
constexpr int kMessageLinkLimit = 2258;         // "Sorry you have reached the limit of %d."
constexpr int kQuestionDeleteEntry = 2261;      // "Are you sure you want to delete this entry?"
constexpr int kTitleConfirmation = 2262;

constexpr int kLinkRadios[settings::kLanguageCount] = {1124, 1125, 1126, 1127, 1130,
                                                       1131, 1132, 1133, 1134};
}  // namespace

CustomLinksDialog::CustomLinksDialog(wxWindow* parent, const AppServices& services, bool meta_tags)
    : OptionDialog(parent, services, meta_tags ? kTitleMetaTags : kTitleCustomLinks),
      meta_tags_(meta_tags),
      language_(s_.labels_in_french == 1) {
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
  title_row->Add(AddLabel(this, 1129, kTextSectionTitle), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
                 gap);
  title_row->Add(AddEdit(this, 1073, "", 0, -1, false), 1);
  content->Add(title_row, 0, wxEXPAND | wxBOTTOM, gap);
  auto* middle = new wxBoxSizer(wxHORIZONTAL);
  middle->Add(new wxListBox(this, 1117, wxDefaultPosition, FromDIP(wxSize(320, 160))), 1,
              wxEXPAND | wxRIGHT, gap);
  auto* list_buttons = new wxBoxSizer(wxVERTICAL);
  list_buttons->Add(AddButton(this, 1118, kTextAdd), 0, wxEXPAND | wxBOTTOM, gap);
  list_buttons->Add(AddButton(this, 1120, kTextEdit), 0, wxEXPAND | wxBOTTOM, gap);
  list_buttons->Add(AddButton(this, 1119, kTextDelete), 0, wxEXPAND);
  middle->Add(list_buttons, 0);
  content->Add(middle, 1, wxEXPAND | wxBOTTOM, gap);
  auto* entry = new wxFlexGridSizer(2, gap, gap);
  entry->AddGrowableCol(1, 1);
  entry->Add(AddLabel(this, 1128, meta_tags ? kTextMetaName : kTextDisplayText), 0,
             wxALIGN_CENTER_VERTICAL);
  entry->Add(AddEdit(this, 1072, "", 0, -1, false), 1, wxEXPAND);
  entry->Add(AddLabel(this, 1038, meta_tags ? kTextMetaValue : kTextHyperLink), 0,
             wxALIGN_CENTER_VERTICAL);
  entry->Add(AddEdit(this, 1071, "", 0, -1, false), 1, wxEXPAND);
  content->Add(entry, 0, wxEXPAND | wxBOTTOM, gap);
  auto* entry_buttons = new wxBoxSizer(wxHORIZONTAL);
  entry_buttons->Add(AddButton(this, 1122, kTextAccept), 0, wxRIGHT, gap);
  entry_buttons->Add(AddButton(this, 1121, kTextCancel), 0);
  content->Add(entry_buttons, 0, wxBOTTOM, gap * 2);
  auto* refresh = new wxBoxSizer(wxHORIZONTAL);
  refresh->Add(AddCheck(this, 1152, kTextAddRefreshTag), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
               gap * 2);
  refresh->Add(AddLabel(this, 1153, kTextRefreshInterval), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
               gap);
  auto* interval = AddEdit(this, 1155, Text(kTextRefreshInterval), 102, -1, true);
  interval->SetMinSize(wxSize(FromDIP(48), -1));
  refresh->Add(interval, 0, wxRIGHT, gap);
  refresh->Add(AddLabel(this, 1154, kTextHours), 0, wxALIGN_CENTER_VERTICAL);
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
    Warn(Text(kMessageSelectLine));
    return;
  }
  if (selected >= settings::kLinkSlots || (*Table())[selected].text.empty()) {
    Warn(Text(kMessageNoSelection));
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
    Warn(Text(meta_tags_ ? kMessageEnterMetaName : kMessageEnterDisplayText));
    return false;
  }
  if (link.empty()) {
    Warn(Text(meta_tags_ ? kMessageEnterMetaValue : kMessageEnterHyperLink));
    return false;
  }
  auto& table = *Table();
  if (editing_slot_ >= 0) {
    table[editing_slot_] = {text, link};
  } else {
    auto empty = std::find_if(table.begin(), table.end(),
                              [](const settings::CustomLink& l) { return l.text.empty(); });
    if (empty == table.end()) {
      Warn(lang::FormatText(Text(kMessageLinkLimit).c_str(), settings::kLinkSlots));
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
    Warn(Text(kMessageSelectLine));
    return;
  }
  if (services_.prompts.ShowMessage(Text(kQuestionDeleteEntry), Text(kTitleConfirmation),
                                    platform::MessageIcon::kQuestion,
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

}  // namespace kinloom::app
