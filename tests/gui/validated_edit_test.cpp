// The validated edit box: refused characters, the maximum length while typing, and the
// checks made on leaving the box.
#include <wx/frame.h>

#include "app/validated_edit.h"
#include "gui/gui_fixture.h"

namespace kinloom::testing {
namespace {

class ValidatedEditTest : public GuiTest {
 protected:
  ValidatedEditTest() {
    frame_ = new wxFrame(nullptr, wxID_ANY, "test");
    box_ = new app::ValidatedEdit(frame_, 1017, ui_, settings_);
  }
  ~ValidatedEditTest() override { frame_->Destroy(); }

  // Sends one typed character; true when the box let it through to the control.
  bool Type(int key, bool control = false) {
    wxKeyEvent event(wxEVT_CHAR);
    event.m_keyCode = key;
    event.m_uniChar = static_cast<wxChar>(key);
    event.SetControlDown(control);
    event.SetEventObject(box_);
    event.Skip(false);
    box_->GetEventHandler()->ProcessEvent(event);
    return event.GetSkipped();
  }

  wxFrame* frame_;
  app::ValidatedEdit* box_;
};

TEST_F(ValidatedEditTest, RefusesCharactersOutsideTheSetWithABeep) {
  box_->Setup("", 105, 255, false);
  EXPECT_TRUE(Type('a'));
  EXPECT_TRUE(Type(' '));
  EXPECT_EQ(ui_.beeps, 0);
  EXPECT_FALSE(Type('/'));
  EXPECT_FALSE(Type('.'));  // set 105 has no full stop; set 104 has
  EXPECT_EQ(ui_.beeps, 2);
  // backspace, Ctrl+C and Ctrl+V always pass; Ctrl+X is a refused character
  EXPECT_TRUE(Type(WXK_BACK));
  EXPECT_TRUE(Type('C', true));
  EXPECT_TRUE(Type('V', true));
  EXPECT_FALSE(Type('X', true));
  EXPECT_EQ(ui_.beeps, 3);
  // a character with no Windows-1252 form is never in a set
  EXPECT_FALSE(Type(0x4E2D));
  box_->Setup("", 104, 255, false);
  EXPECT_TRUE(Type('.'));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ValidatedEditTest, MaximumLengthHoldsWhileTypingUnlessTextIsSelected) {
  box_->Setup("", 109, 6, false);
  box_->SetText("ABCDEF");
  box_->SetInsertionPointEnd();
  EXPECT_FALSE(Type('1'));  // a seventh digit
  EXPECT_FALSE(Type('G'));  // not hexadecimal
  EXPECT_EQ(ui_.beeps, 2);
  EXPECT_TRUE(Type(WXK_BACK));
  box_->SetSelection(0, 1);  // typing replaces one selected character
  EXPECT_TRUE(Type('1'));
  box_->SetText("ABCDE");
  box_->SetInsertionPointEnd();
  EXPECT_TRUE(Type('1'));
  // no restriction at all: any character, any length
  box_->Setup("", 0, -1, false);
  box_->SetText(std::string(300, 'x'));
  EXPECT_TRUE(Type('/'));
  EXPECT_TRUE(box_->CheckOnLeave());
}

TEST_F(ValidatedEditTest, LeavingWithPastedBadTextShows2264AndReturnsFocus) {
  box_->Setup("", 105, 255, false);
  box_->SetText("my page");
  EXPECT_TRUE(box_->CheckOnLeave());
  EXPECT_TRUE(ui_.messages.empty());

  box_->SetText("my/page");
  EXPECT_FALSE(box_->CheckOnLeave());
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "The character '/' is not valid for the field ''.");
  EXPECT_EQ(ui_.messages[0].buttons, platform::MessageButtons::kOk);
  EXPECT_EQ(ui_.beeps, 1);
}

TEST_F(ValidatedEditTest, LeavingWithTooLongTextShows2263BeforeTheCharacterCheck) {
  box_->Setup("GEDCOM file to read from", 106, 255, false);
  box_->SetText(std::string(256, '/'));  // too long and full of refused characters
  EXPECT_FALSE(box_->CheckOnLeave());
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "The 'GEDCOM file to read from' field only allows a maximum of 255 characters.");
  box_->SetText(std::string(255, 'a'));
  EXPECT_TRUE(box_->CheckOnLeave());
  // French interface: the French text of the same message
  settings_.labels_in_french = 1;
  box_->SetText(std::string(256, 'a'));
  EXPECT_FALSE(box_->CheckOnLeave());
  EXPECT_EQ(ui_.messages.back().text,
            lang::FormatText(lang::LoadUiText(2263, settings_).c_str(),
                             "GEDCOM file to read from", 255));
  EXPECT_NE(ui_.messages.back().text, ui_.messages[0].text);
}

TEST_F(ValidatedEditTest, NumericBoxesReadTheLeadingNumber) {
  box_->Setup("Born After", 102, 4, true);
  box_->SetIntValue(1920);
  EXPECT_EQ(box_->Text(), "1920");
  box_->SetText("12ab");
  EXPECT_EQ(box_->IntValue(), 12);
  box_->SetText("");
  EXPECT_EQ(box_->IntValue(), 0);
}

}  // namespace
}  // namespace kinloom::testing
