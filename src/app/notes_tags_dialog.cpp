// The dialog that chooses the GEDCOM tags of the notes pages.
#include "app/option_dialogs.h"

#include <wx/button.h>
#include <wx/stattext.h>

#include "lang/tag_labels.h"
#include "lang/ui_text.h"
#include "settings/load_save.h"

namespace kinloom::app {

namespace {

constexpr int kTitleNotesTags = 2581;    // "Tags to be included on Notes Pages"
constexpr int kTextTagsIncluded = 2582;  // "Tags to include"
constexpr int kTextTagsExcluded = 2583;  // "Tags NOT to include"
constexpr int kTextTagDescription = 2584;
constexpr int kMessageTagListUnreadable = 2579;  // "Internal Error: unable to read list of ..."
constexpr int kMessageTagListEmpty = 2580;  // "You must have at least one entry in the list or ..."

}  // namespace

NotesTagsDialog::NotesTagsDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, kTitleNotesTags) {
  auto* content = new wxBoxSizer(wxVERTICAL);
  auto* lists = new wxFlexGridSizer(3, FromDIP(6), FromDIP(8));
  lists->Add(AddLabel(this, wxID_ANY, kTextTagsIncluded), 0);
  lists->AddSpacer(0);
  lists->Add(AddLabel(this, wxID_ANY, kTextTagsExcluded), 0);
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
  description->Add(AddLabel(this, 1093, kTextTagDescription), 0, wxRIGHT, FromDIP(6));
  description->Add(new wxStaticText(this, 1144, wxEmptyString), 1);
  content->Add(description, 0, wxEXPAND | wxTOP, FromDIP(8));

  int status = 0;
  const std::string value = services_.store.ReadText("Notes To Include", &status);
  if (status != 0) {
    Warn(Text(kMessageTagListUnreadable));
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
    Warn(Text(kMessageTagListEmpty));
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

}  // namespace kinloom::app
