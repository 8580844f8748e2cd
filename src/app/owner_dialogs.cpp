// The dialogs of the database owner's details and web sites.
#include "app/option_dialogs.h"

#include <wx/button.h>

#include "lang/ui_text.h"

namespace kinloom::app {

namespace {

constexpr int kTitleUserInformation = 2240;
constexpr int kTextAllFieldsOptional = 2241;  // "*** All fields are optional ***"
constexpr int kTextYourName = 2242;
constexpr int kTextYourEmail = 2243;
constexpr int kTextYourHomepage = 2244;
constexpr int kTextYourAddress = 2245;
constexpr int kTextMore = 2585;
constexpr int kTextWebsite2 = 2586;  // "Website #2"; the later websites follow

}  // namespace

// ---- Database owner ----

OwnerDialog::OwnerDialog(wxWindow* parent, const AppServices& services)
    : OptionDialog(parent, services, kTitleUserInformation) {
  auto* content = new wxBoxSizer(wxVERTICAL);
  content->Add(AddLabel(this, 1110, kTextAllFieldsOptional), 0, wxBOTTOM, FromDIP(8));
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
  field(1109, kTextYourName, 1044, s_.owner.user_name);
  field(1111, kTextYourEmail, 1047, s_.owner.email_address);
  field(1107, kTextYourHomepage, 1046, s_.owner.homepages[0]);
  field(1108, kTextYourAddress, 1045, s_.owner.address[0]);
  field(0, 0, 1048, s_.owner.address[1]);
  field(0, 0, 1049, s_.owner.address[2]);
  content->Add(grid, 0, wxEXPAND);
  auto* more = AddButton(this, 1140, kTextMore);
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
    grid->Add(AddLabel(this, wxID_ANY, kTextWebsite2 + i), 0, wxALIGN_CENTER_VERTICAL);
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

}  // namespace kinloom::app
