// The option dialogs and editors: controls filled from the options, validations with their
// messages, what OK stores and which dialogs write the registry at once.
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/wx_text.h"
#include "gui/gui_fixture.h"
#include "lang/tag_labels.h"
#include "platform/desktop_entry.h"
#include "platform/text_encoding.h"
#include "settings/load_save.h"

namespace kinloom::testing {
namespace {

using app::Control;
using app::FromWx;

class DialogTest : public GuiTest {
 protected:
  DialogTest() { owner_ = new wxFrame(nullptr, wxID_ANY, "owner"); }
  ~DialogTest() override { owner_->Destroy(); }
  static app::ValidatedEdit* Box(wxWindow* d, int id) { return Control<app::ValidatedEdit>(d, id); }
  static bool Checked(wxWindow* d, int id) { return Control<wxCheckBox>(d, id)->GetValue(); }
  static bool Enabled(wxWindow* d, int id) { return wxWindow::FindWindowById(id, d)->IsEnabled(); }
  wxFrame* owner_;
};

TEST_F(DialogTest, OptionalPagesRefuseAZeroGroupCountAndStoreNothing) {
  app::OptionalPagesDialog dialog(owner_, services_);
  EXPECT_EQ(Box(&dialog, 1009)->Text(), "10");
  EXPECT_FALSE(Box(&dialog, 1012)->AcceptsTyped('x'));
  Box(&dialog, 1010)->SetText("0");
  Click(&dialog, 1067);  // untick family pages: its buttons and count follow at once
  EXPECT_FALSE(Enabled(&dialog, 1106));
  EXPECT_FALSE(Enabled(&dialog, 1009));
  EXPECT_FALSE(dialog.Accept());
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "Groups per page must be greater than zero");
  EXPECT_EQ(settings_.create_family_groups, 1);  // nothing stored
  EXPECT_EQ(settings_.groups_descendancy, 5u);
  Box(&dialog, 1010)->SetText("7");
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.groups_descendancy, 7u);
  EXPECT_EQ(settings_.create_family_groups, 0);
}

TEST_F(DialogTest, OptionalPagesWithNoOutputShow2265WithTheFourTexts) {
  app::OptionalPagesDialog dialog(owner_, services_);
  Click(&dialog, 1067);
  Click(&dialog, 1068);
  Click(&dialog, 1070);
  Click(&dialog, 1071);  // English notes off: no notes language left
  EXPECT_FALSE(Enabled(&dialog, 1145));
  EXPECT_FALSE(dialog.Accept());
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "You have select not to 'Create Family Group Pages', not to 'Create Descendancy Group "
            "Pages', not to 'Create Pedigree Pages', and not to 'Create Notes Pages'.  This means "
            "you will have no output files.  Please select at least one.");
  Click(&dialog, 1072);  // French notes pages count as output
  EXPECT_TRUE(Enabled(&dialog, 1145));
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.create_notes_pages[1], 1);
  EXPECT_EQ(settings_.create_notes_pages[0], 0);
}

TEST_F(DialogTest, BetaLanguagesAreHiddenUnlessDebuggingBitFour) {
  {
    app::OptionalPagesDialog dialog(owner_, services_);
    EXPECT_FALSE(wxWindow::FindWindowById(1078, &dialog)->IsShown());  // Italian
    EXPECT_TRUE(wxWindow::FindWindowById(1077, &dialog)->IsShown());   // Norwegian
    EXPECT_FALSE(wxWindow::FindWindowById(1151, &dialog)->IsShown());  // meta tags: bit 8
  }
  settings_.debugging = settings::kDebugBetaLanguages | settings::kDebugMetaTags;
  app::OptionalPagesDialog dialog(owner_, services_);
  EXPECT_TRUE(wxWindow::FindWindowById(1078, &dialog)->IsShown());
  EXPECT_TRUE(wxWindow::FindWindowById(1151, &dialog)->IsShown());
}

TEST_F(DialogTest, PrivacyWritesItsValuesAtOnce) {
  app::PrivacyDialog dialog(owner_, services_);
  EXPECT_EQ(Box(&dialog, 1013)->Text(), "1920");
  EXPECT_EQ(Box(&dialog, 1013)->field_name(), "Born After");
  Box(&dialog, 1013)->SetText("1950");
  Box(&dialog, 1014)->SetText("1960");
  Control<wxCheckBox>(&dialog, 1012)->SetValue(false);
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.born, 1950u);
  EXPECT_EQ(RegistryDword("Born"), 1950u);
  EXPECT_EQ(RegistryDword("Married"), 1960u);
  EXPECT_EQ(store_.ReadIntText("Suppress Living"), 0);
  EXPECT_EQ(registry_.writes.size(), 5u);
}

TEST_F(DialogTest, GeneralSettingsBackgroundsExcludeEachOtherAndOkWrites) {
  app::GeneralSettingsDialog dialog(owner_, services_);
  EXPECT_TRUE(Checked(&dialog, 1050));
  EXPECT_FALSE(Enabled(&dialog, 1018));
  // No custom background chosen yet: ticking opens the chooser; cancelling unticks again.
  ExpectModal([](wxDialog&) { return wxID_CANCEL; });
  Click(&dialog, 1048);
  EXPECT_EQ(modal_count(), 1);
  EXPECT_FALSE(Checked(&dialog, 1048));
  EXPECT_TRUE(Checked(&dialog, 1050));
  // Choosing a file in the chooser: the custom background takes over.
  ExpectModal([](wxDialog& d) {
    auto& chooser = dynamic_cast<app::SelectBackgroundDialog&>(d);
    EXPECT_FALSE(wxWindow::FindWindowById(wxID_OK, &d)->IsEnabled());
    chooser.ChoosePath("/pictures/paper.jpg");
    EXPECT_TRUE(wxWindow::FindWindowById(wxID_OK, &d)->IsEnabled());
    return wxID_OK;
  });
  Click(&dialog, 1048);
  EXPECT_TRUE(Checked(&dialog, 1048));
  EXPECT_FALSE(Checked(&dialog, 1050));
  EXPECT_TRUE(Enabled(&dialog, 1018));
  EXPECT_EQ(settings_.custom_background, "paper.jpg");
  EXPECT_EQ(settings_.use_custom_background, 1);
  EXPECT_EQ(settings_.use_default_background, 0);
  Click(&dialog, 1050);
  EXPECT_FALSE(Checked(&dialog, 1048));
  EXPECT_FALSE(Enabled(&dialog, 1018));

  Click(&dialog, 1046);
  EXPECT_TRUE(Enabled(&dialog, 1016));
  Click(&dialog, 1052);
  EXPECT_EQ(settings_.include_custom_links, 1);  // set at once
  EXPECT_FALSE(Checked(&dialog, 1161));
  Click(&dialog, 1161);
  registry_.writes.clear();
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.use_custom_colors, 1);
  EXPECT_EQ(settings_.use_text_color, 1);
  EXPECT_EQ(settings_.skip_broken_links, 1u);
  ASSERT_EQ(registry_.writes.size(), 13u);
  EXPECT_EQ(registry_.writes.front(), "kinloom\\Use Custom Colors");
  EXPECT_EQ(registry_.writes[11], "kinloom\\Use Baptism");
  EXPECT_EQ(registry_.writes.back(), "kinloom\\Skip Broken Links");
  EXPECT_EQ(RegistryDword("Skip Broken Links"), 1u);
  EXPECT_EQ(store_.ReadIntText("Use Default Background"), 1);
}

TEST_F(DialogTest, GeneralSettingsSkipBrokenLinksInBothLanguages) {
  {
    app::GeneralSettingsDialog dialog(owner_, services_);
    EXPECT_EQ(FromWx(Control<wxCheckBox>(&dialog, 1161)->GetLabel()),
              "Skip broken links in the GEDCOM file (with a warning)");
  }
  settings_.labels_in_french = 1;
  settings_.skip_broken_links = 1;
  app::GeneralSettingsDialog dialog(owner_, services_);
  EXPECT_TRUE(Checked(&dialog, 1161));
  EXPECT_EQ(FromWx(Control<wxCheckBox>(&dialog, 1161)->GetLabel()),
            platform::Utf8ToCp1252(
                "Ignorer les liens bris\u00e9s du fichier GEDCOM (avec un avertissement)"));
}

// The page style is a check box of the optional pages, stored as "Page Style" when OK is
// accepted, and not at all when the dialog refuses its values.
TEST_F(DialogTest, OptionalPagesPageStyleIsStoredWithTheDialog) {
  {
    app::OptionalPagesDialog dialog(owner_, services_);
    EXPECT_FALSE(Checked(&dialog, 1162));
    EXPECT_EQ(FromWx(Control<wxCheckBox>(&dialog, 1162)->GetLabel()),
              "Write the pages in the modern style (HTML5 with a style sheet)");
    Click(&dialog, 1162);
    Box(&dialog, 1009)->SetText("0");
    EXPECT_FALSE(dialog.Accept());
    EXPECT_EQ(settings_.page_style, 0u);
    EXPECT_TRUE(std::none_of(registry_.writes.begin(), registry_.writes.end(),
                             [](const std::string& w) { return w == "kinloom\\Page Style"; }));
    Box(&dialog, 1009)->SetText("10");
    EXPECT_TRUE(dialog.Accept());
    EXPECT_EQ(settings_.page_style, 1u);
    EXPECT_TRUE(settings_.modern_pages());
    EXPECT_EQ(registry_.writes.back(), "kinloom\\Page Style");
    EXPECT_EQ(RegistryDword("Page Style"), 1u);
  }
  // Shown ticked for the modern style, in French too; unticking stores the classic style.
  settings_.labels_in_french = 1;
  app::OptionalPagesDialog dialog(owner_, services_);
  EXPECT_TRUE(Checked(&dialog, 1162));
  EXPECT_EQ(FromWx(Control<wxCheckBox>(&dialog, 1162)->GetLabel()),
            platform::Utf8ToCp1252("\u00c9crire les pages dans le style moderne (HTML5 avec une "
                                   "feuille de style)"));
  Click(&dialog, 1162);
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.page_style, 0u);
  EXPECT_EQ(RegistryDword("Page Style"), 0u);
}

TEST_F(DialogTest, OwnerBoxesEnableAsTheNameAndFirstLineAreTyped) {
  app::OwnerDialog dialog(owner_, services_);
  EXPECT_FALSE(Enabled(&dialog, 1047));
  EXPECT_FALSE(Enabled(&dialog, 1048));
  Box(&dialog, 1044)->SetValue("Ann");
  EXPECT_TRUE(Enabled(&dialog, 1047));
  EXPECT_TRUE(Enabled(&dialog, 1045));
  EXPECT_FALSE(Enabled(&dialog, 1049));
  Box(&dialog, 1045)->SetValue("1 Main Street");
  EXPECT_TRUE(Enabled(&dialog, 1049));
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.owner.user_name, "Ann");
  EXPECT_EQ(settings_.owner.address[0], "1 Main Street");
  EXPECT_TRUE(registry_.writes.empty());  // the bulk save takes them
}

TEST_F(DialogTest, AncestorDialogWritesTheIdAtOnce) {
  app::AncestorDialog dialog(owner_, services_);
  std::string help = FromWx(wxWindow::FindWindowById(1093, &dialog)->GetLabel());
  std::replace(help.begin(), help.end(), '\n', ' ');  // wrapped to the dialog's width
  EXPECT_NE(help.find("turn on the \"Show GEDCOM Id's on HTML pages\" option"),
            std::string::npos)
      << help;
  Box(&dialog, 1072)->SetText("I0003");
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(store_.ReadText("Ancestor Id"), "I0003");
}

TEST_F(DialogTest, BaseTitleIsCutBackToItsLimitWithABeep) {
  app::BaseTitleDialog dialog(owner_, services_, 1);
  auto* box = Control<wxTextCtrl>(&dialog, 1071);
  std::string long_title;
  while (long_title.size() < app::BaseTitleDialog::kMaxTitle + 5) long_title += "word\n";
  box->SetValue(wxString(long_title));
  EXPECT_EQ(box->GetValue().length(), app::BaseTitleDialog::kMaxTitle);
  EXPECT_EQ(ui_.beeps, 1);
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.index_title[1].size(), app::BaseTitleDialog::kMaxTitle);
}

TEST_F(DialogTest, OtherLanguagesApplyTheirSwitchesAtOnce) {
  app::OtherLanguagesDialog dialog(owner_, services_);
  EXPECT_FALSE(Enabled(&dialog, 1024));
  Click(&dialog, 1139);  // German
  EXPECT_EQ(settings_.create_pages[2], 1);
  EXPECT_TRUE(Enabled(&dialog, 1024));
  EXPECT_TRUE(Enabled(&dialog, 1159));
  Box(&dialog, 1024)->SetText("startseite");
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.index_name[2], "startseite");
}

TEST_F(DialogTest, PageTitleKeepsEachLanguagesTextsWhenSwitching) {
  app::PageTitleDialog dialog(owner_, services_, app::PageKind::kPedigree);
  EXPECT_EQ(dialog.language(), 0);
  Box(&dialog, 1071)->SetText("Chart");
  dialog.ChooseLanguage(2);
  EXPECT_EQ(settings_.pedigree_page_text_a[0], "Chart");
  Box(&dialog, 1072)->SetText("Ahnentafel");
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.pedigree_page_text_b[2], "Ahnentafel");
  EXPECT_EQ(settings_.family_page_text_a[0], settings::Settings().family_page_text_a[0]);
}

TEST_F(DialogTest, ColourBoxesTakeSixHexDigitsAndThePickerConverts) {
  app::ColourDialog dialog(owner_, services_, app::ColourDialog::Kind::kPage);
  EXPECT_EQ(Box(&dialog, 1038)->Text(), "0000FF");
  Box(&dialog, 1038)->SetInsertionPointEnd();
  EXPECT_FALSE(Box(&dialog, 1038)->AcceptsTyped('1'));  // a seventh digit
  EXPECT_FALSE(Box(&dialog, 1039)->AcceptsTyped('G'));
  // default background on: its colour cannot be changed here
  EXPECT_FALSE(Enabled(&dialog, 1032));
  EXPECT_FALSE(Enabled(&dialog, 1037));
  dialog.PickColour(1034, 0x12AB34);
  EXPECT_EQ(Box(&dialog, 1038)->Text(), "12AB34");
  Box(&dialog, 1039)->SetValue("00ff80");  // six characters: taken at once
  EXPECT_EQ(dialog.Colour(1039), 0x00FF80u);
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.colours[settings::kColourLink], 0x12AB34u);
  EXPECT_EQ(settings_.colours[settings::kColourText], 0x00FF80u);
}

TEST_F(DialogTest, FamilyColoursAreDisabledWhileTheTextColourIsUsed) {
  app::ColourDialog dialog(owner_, services_, app::ColourDialog::Kind::kFamily);
  EXPECT_TRUE(Enabled(&dialog, 1075));
  Click(&dialog, 1072);
  EXPECT_FALSE(Enabled(&dialog, 1075));
  EXPECT_FALSE(Enabled(&dialog, 1071));
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.use_text_color_for_family_pages, 1);
}

TEST_F(DialogTest, NotesTagsMoveBetweenListsAndRefuseAnEmptyList) {
  store_.WriteText("Notes To Include", lang::DefaultNotesToInclude());
  app::NotesTagsDialog dialog(owner_, services_);
  const unsigned included = dialog.Included()->GetCount();
  const unsigned excluded = dialog.Excluded()->GetCount();
  EXPECT_GT(included, 10u);
  EXPECT_EQ(included + excluded, 78u);
  EXPECT_FALSE(Enabled(&dialog, 1140));  // nothing selected
  dialog.Included()->SetSelection(0);
  const wxString first = dialog.Included()->GetString(0);
  dialog.Move(1140);
  EXPECT_EQ(dialog.Included()->GetCount(), included - 1);
  EXPECT_EQ(dialog.Excluded()->GetString(dialog.Excluded()->GetCount() - 1), first);
  dialog.Move(1142);  // all to the right
  EXPECT_EQ(dialog.Included()->GetCount(), 0u);
  EXPECT_FALSE(dialog.Accept());
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "You must have at least one entry in the list or there will be no output.");
  dialog.Excluded()->SetSelection(0);
  const wxString back = dialog.Excluded()->GetString(0);
  dialog.Move(1141);
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(store_.ReadText("Notes To Include"), FromWx(back) + ";");
}

// The lists follow whole entries of the stored value; after a move no description of the
// moved tag stays on show.
TEST_F(DialogTest, NotesTagsListWholeEntriesAndAMoveClearsTheDescription) {
  store_.WriteText("Notes To Include", "Address1;Baptism-LDS;");
  app::NotesTagsDialog dialog(owner_, services_);
  ASSERT_EQ(dialog.Included()->GetCount(), 2u);
  EXPECT_EQ(dialog.Included()->GetString(0), "Address1");
  EXPECT_EQ(dialog.Included()->GetString(1), "Baptism-LDS");
  EXPECT_NE(dialog.Excluded()->FindString("Address"), wxNOT_FOUND);
  EXPECT_NE(dialog.Excluded()->FindString("Baptism"), wxNOT_FOUND);

  auto* description = Control<wxStaticText>(&dialog, 1144);
  dialog.Included()->SetSelection(0);
  wxCommandEvent select(wxEVT_LISTBOX, 1117);
  select.SetEventObject(dialog.Included());
  select.SetInt(0);
  dialog.Included()->GetEventHandler()->ProcessEvent(select);
  EXPECT_EQ(description->GetLabel(), "Address1 (ADR1)");
  Click(&dialog, 1140);
  EXPECT_EQ(dialog.Included()->GetCount(), 1u);
  EXPECT_EQ(description->GetLabel(), "");
}

TEST_F(DialogTest, NotesTagsReportAnUnreadableValue) {
  registry_.FailOpen(5);
  app::NotesTagsDialog dialog(owner_, services_);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "Internal Error: unable to read list of TAGS from registry.");
  EXPECT_EQ(dialog.Included()->GetCount() + dialog.Excluded()->GetCount(), 0u);
}

TEST_F(DialogTest, CustomLinksAddEditDeleteAndTheLimit) {
  app::CustomLinksDialog dialog(owner_, services_);
  EXPECT_FALSE(Enabled(&dialog, 1072));
  EXPECT_FALSE(wxWindow::FindWindowById(1122, &dialog)->IsShown());
  dialog.EditSelected();
  EXPECT_EQ(ui_.messages.back().text, "You must select a line to edit.");
  dialog.Add();
  EXPECT_TRUE(Enabled(&dialog, 1072));
  EXPECT_FALSE(Enabled(&dialog, 1117));
  EXPECT_FALSE(dialog.AcceptEntry());
  EXPECT_EQ(ui_.messages.back().text, "You must enter the \"Display Text\" or select \"Cancel\".");
  Box(&dialog, 1072)->SetText("One");
  EXPECT_FALSE(dialog.AcceptEntry());
  EXPECT_EQ(ui_.messages.back().text, "You must enter the \"Hyper Link\" or select \"Cancel\".");
  Box(&dialog, 1071)->SetText("http://one");
  EXPECT_TRUE(dialog.AcceptEntry());
  for (const char* name : {"Two", "Three"}) {
    dialog.Add();
    Box(&dialog, 1072)->SetText(name);
    Box(&dialog, 1071)->SetText("http://x");
    dialog.AcceptEntry();
  }
  auto* list = Control<wxListBox>(&dialog, 1117);
  ASSERT_EQ(list->GetCount(), 3u);
  list->SetSelection(0);
  ui_.QueueAnswer(platform::Choice::kYes);
  dialog.DeleteSelected();
  EXPECT_EQ(ui_.messages.back().text, "Are you sure you want to delete this entry?");
  EXPECT_EQ(ui_.messages.back().caption, "Confirmation");
  EXPECT_EQ(settings_.custom_links[0][0].text, "Two");
  EXPECT_EQ(settings_.custom_links[0][1].text, "Three");
  EXPECT_TRUE(settings_.custom_links[0][2].text.empty());
  // editing replaces the slot
  list->SetSelection(1);
  dialog.EditSelected();
  Box(&dialog, 1072)->SetText("Drei");
  dialog.AcceptEntry();
  EXPECT_EQ(settings_.custom_links[0][1].text, "Drei");
  // the table full: the 257th is refused with the limit
  for (int n = 0; n < settings::kLinkSlots; ++n) settings_.custom_links[0][n] = {"L", "http://l"};
  dialog.Add();
  Box(&dialog, 1072)->SetText("Extra");
  Box(&dialog, 1071)->SetText("http://extra");
  dialog.AcceptEntry();
  EXPECT_EQ(ui_.messages.back().text, "Sorry you have reached the limit of 256.");
  // OK keeps the section title and saves the language's table
  Box(&dialog, 1073)->SetText("Friends");
  registry_.writes.clear();
  EXPECT_TRUE(dialog.Accept());
  EXPECT_EQ(settings_.custom_links_title[0], "Friends");
  EXPECT_EQ(registry_.writes.size(), 512u);
}

// After Accept the entry boxes show nothing of the stored entry. The meta-tags mode edits
// the one meta-tag table of the options, which OK keeps in the store for the next start.
TEST_F(DialogTest, LinkEditorLeavesEmptyBoxesAndMetaTagsAreKept) {
  {
    app::CustomLinksDialog dialog(owner_, services_);
    dialog.Add();
    Box(&dialog, 1072)->SetText("One");
    Box(&dialog, 1071)->SetText("http://one");
    EXPECT_TRUE(dialog.AcceptEntry());
    EXPECT_EQ(Box(&dialog, 1072)->Text(), "");
    EXPECT_EQ(Box(&dialog, 1071)->Text(), "");
    auto* list = Control<wxListBox>(&dialog, 1117);
    list->SetSelection(0);
    dialog.EditSelected();
    EXPECT_EQ(Box(&dialog, 1071)->Text(), "http://one");
    dialog.CancelEntry();
    EXPECT_EQ(Box(&dialog, 1072)->Text(), "");
  }
  {
    app::CustomLinksDialog dialog(owner_, services_, true);
    dialog.Add();
    Box(&dialog, 1072)->SetText("robots");
    Box(&dialog, 1071)->SetText("noindex");
    EXPECT_TRUE(dialog.AcceptEntry());
    EXPECT_TRUE(dialog.Accept());
  }
  EXPECT_EQ(settings_.meta_tags[0].text, "robots");
  EXPECT_EQ(settings_.meta_tags[0].hyperlink, "noindex");
  EXPECT_TRUE(settings_.custom_links[0][1].text.empty());  // not a link of any language
  settings::Settings next;
  settings::LoadMetaTags(store_, next);
  EXPECT_EQ(next.meta_tags[0].text, "robots");
  EXPECT_EQ(next.meta_tags[0].hyperlink, "noindex");
  app::CustomLinksDialog again(owner_, services_, true);
  auto* list = Control<wxListBox>(&again, 1117);
  ASSERT_EQ(list->GetCount(), 1u);
  EXPECT_EQ(list->GetString(0), "robots");
}

TEST_F(DialogTest, LanguageDialogSwitchesItsOwnTextsAtOnce) {
  app::LanguageDialog dialog(owner_, services_);
  const wxString english = wxWindow::FindWindowById(1093, &dialog)->GetLabel();
  int refreshed = 0;
  services_.language_changed = [&refreshed] { ++refreshed; };
  app::LanguageDialog listening(owner_, services_);
  listening.Choose(true);
  EXPECT_EQ(settings_.labels_in_french, 1);
  EXPECT_EQ(refreshed, 1);
  EXPECT_NE(wxWindow::FindWindowById(1093, &listening)->GetLabel(), english);
  EXPECT_EQ(FromWx(wxWindow::FindWindowById(1093, &listening)->GetLabel()), Ui(2438));
}

TEST_F(DialogTest, ShortcutDialogWritesValidDesktopEntries) {
  app::ShortcutDialog dialog(owner_, services_);
  dialog.desktop_folder = home_ / "Desktop";
  dialog.applications_folder = home_ / "applications";
  EXPECT_TRUE(dialog.Accept());  // nothing ticked: nothing made
  EXPECT_FALSE(std::filesystem::exists(home_ / "Desktop"));
  Control<wxCheckBox>(&dialog, 1116)->SetValue(true);
  Control<wxCheckBox>(&dialog, 1117)->SetValue(true);
  EXPECT_TRUE(dialog.Accept());
  for (const std::string& folder : {home_ / "Desktop", home_ / "applications"}) {
    const std::string entry = folder + "/kinloom.desktop";
    ASSERT_TRUE(std::filesystem::exists(entry)) << entry;
    std::ifstream in(entry);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("Name=KINLOOM\xC2\xA9\n"), std::string::npos);
    EXPECT_NE(text.str().find("Comment=Shortcut to KINLOOM\xC2\xA9\n"), std::string::npos);
    EXPECT_NE(text.str().find("Exec=\"" + platform::ProgramPath() + "\"\n"), std::string::npos);
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") == 0) {
      EXPECT_EQ(std::system(("desktop-file-validate '" + entry + "'").c_str()), 0);
    }
  }
  EXPECT_TRUE(std::filesystem::exists(home_ / "data/icons/hicolor/48x48/apps/kinloom.png"));
}

// The shortcut dialog shown for real from the main window's menu, both boxes ticked: the
// Escape key and the close box leave it without creating anything; OK creates both.
TEST_F(DialogTest, ShortcutDialogEscapeAndCloseBoxCreateNothing) {
  app::MainWindow& w = Window();
  w.Show();
  const std::string desktop = home_ / "Desktop/kinloom.desktop";
  const std::string menu = home_ / "data/applications/kinloom.desktop";
  enum class Way { kEscape, kCloseBox, kOk };
  for (Way way : {Way::kEscape, Way::kCloseBox, Way::kOk}) {
    SCOPED_TRACE(static_cast<int>(way));
    int result = 0;
    ExpectModal([&](wxDialog& dialog) {
      Control<wxCheckBox>(&dialog, 1116)->SetValue(true);
      Control<wxCheckBox>(&dialog, 1117)->SetValue(true);
      RunLater(300, [&] {
        if (way == Way::kEscape)
          PressKey(WXK_ESCAPE);
        else if (way == Way::kCloseBox)
          dialog.Close();
        else
          Click(&dialog, wxID_OK);
      });
      // Should the key never arrive, the dialog is ended with a result that fails below.
      RunLater(5000, [&] {
        if (dialog.IsModal()) dialog.EndModal(wxID_ABORT);
      });
      result = dialog.ShowModal();
      return result;
    });
    w.ShowDialogFor(app::MainWindow::kIdShortcut);
    if (way == Way::kOk) {
      EXPECT_EQ(result, wxID_OK);
      EXPECT_TRUE(std::filesystem::exists(desktop));
      EXPECT_TRUE(std::filesystem::exists(menu));
    } else {
      EXPECT_EQ(result, wxID_CANCEL);
      EXPECT_FALSE(std::filesystem::exists(desktop));
      EXPECT_FALSE(std::filesystem::exists(menu));
    }
  }
}

// A desktop folder that cannot be made (a file stands where it should be) loses no shortcut
// silently: the failure is shown with the system's description, and the other one is still
// written.
TEST_F(DialogTest, ShortcutThatCannotBeWrittenIsReported) {
  std::ofstream(home_ / "blocked") << "a file, not a folder";
  app::ShortcutDialog dialog(owner_, services_);
  dialog.desktop_folder = home_ / "blocked/Desktop";
  dialog.applications_folder = home_ / "applications";
  Control<wxCheckBox>(&dialog, 1116)->SetValue(true);
  Control<wxCheckBox>(&dialog, 1117)->SetValue(true);
  EXPECT_TRUE(dialog.Accept());
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "Error opening " + home_ / "blocked/Desktop/kinloom.desktop" +
                                      " file for create.\n  Error = Not a directory");
  EXPECT_EQ(ui_.messages[0].caption, "");
  EXPECT_EQ(ui_.messages[0].icon, platform::MessageIcon::kWarning);
  EXPECT_TRUE(std::filesystem::exists(home_ / "applications/kinloom.desktop"));
}

TEST(DesktopEntry, DesktopFolderComesFromUserDirs) {
  EXPECT_EQ(platform::DesktopFolderFrom("# c\nXDG_DESKTOP_DIR=\"$HOME/Bureau\"\n", "/home/a"),
            "/home/a/Bureau");
  EXPECT_EQ(platform::DesktopFolderFrom("XDG_DESKTOP_DIR=\"/srv/desk/\"\n", "/home/a"),
            "/srv/desk");
  EXPECT_EQ(platform::DesktopFolderFrom("XDG_MUSIC_DIR=\"$HOME/Music\"\n", "/home/a"),
            "/home/a/Desktop");
  EXPECT_EQ(platform::DesktopFolderFrom("XDG_DESKTOP_DIR=\"relative\"\n", "/home/a"),
            "/home/a/Desktop");
  // Exec quoting: the characters the format reserves are escaped, % is doubled
  const std::string text = platform::DesktopEntryText("N", "C ", "/opt/my $app/100%", "");
  EXPECT_NE(text.find("Exec=\"/opt/my \\\\$app/100%%\"\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Icon="), std::string::npos);
  EXPECT_NE(text.find("Comment=C\n"), std::string::npos);
}

}  // namespace
}  // namespace kinloom::testing
