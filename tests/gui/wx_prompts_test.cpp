// The program's real message boxes: a validation message of a modal option dialog stands
// over that dialog, and the main window stays below both, as the display stacks them.
#include "app/wx_prompts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gui/gui_fixture.h"

namespace kinloom::testing {
namespace {

// The names of the top-level windows of the display, bottom first ("" when unnamed): the
// root window's children in their stacking order, which xwininfo lists top first.
std::vector<std::string> StackedWindowNames() {
  std::vector<std::string> names;
  FILE* list = popen("xwininfo -root -children 2>/dev/null", "r");
  if (list == nullptr) return names;
  char line[1024];
  while (std::fgets(line, sizeof line, list) != nullptr) {
    const std::string text = line;
    const std::size_t open = text.find(" \"");
    if (text.find("     0x") != 0) continue;
    if (open == std::string::npos) {
      names.emplace_back();
      continue;
    }
    const std::size_t close = text.find("\": ", open + 2);
    names.push_back(text.substr(open + 2, close == std::string::npos ? 0 : close - open - 2));
  }
  pclose(list);
  std::reverse(names.begin(), names.end());
  return names;
}

// The place of the first window whose name is `name`, or ends in it with `suffix`.
int Position(const std::vector<std::string>& names, const std::string& name, bool suffix = false) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string& n = names[i];
    if (n == name || (suffix && n.size() > name.size() &&
                      n.compare(n.size() - name.size(), name.size(), name) == 0))
      return static_cast<int>(i);
  }
  return -1;
}

class MessageBoxTest : public GuiTest {};

TEST_F(MessageBoxTest, ValidationMessageStandsOverTheDialogThatRaisedIt) {
  ASSERT_EQ(std::system("command -v xwininfo >/dev/null 2>&1"), 0)
      << "xwininfo (Debian package x11-utils) is needed: run tools/setup";
  app::MainWindow& w = Window();
  w.Show();
  app::WxPrompts prompts([&w]() -> wxWindow* { return &w; });
  app::AppServices services{settings_, store_,  prompts, platform::RealFileSystem(),
                            display_,  opener_, nullptr, {}};
  app::OptionalPagesDialog dialog(&w, services);

  std::vector<std::string> stacked;
  bool message_shown = false;
  RunLater(300, [&] {
    app::Control<app::ValidatedEdit>(&dialog, 1010)->SetText("0");
    // Inside the message box's own loop: look at the display, then close the box.
    RunLater(500, [&] {
      message_shown = true;
      stacked = StackedWindowNames();
      if (const char* folder = std::getenv("KINLOOM_SCREENSHOTS")) {
        const std::string file = std::string(folder) + "/option-dialog-message.png";
        EXPECT_EQ(std::system(("import -window root '" + file + "'").c_str()), 0);
      }
      PressKey(WXK_ESCAPE);
    });
    Click(&dialog, wxID_OK);  // 2591: the dialog stays open
    RunLater(300, [&] { dialog.EndModal(wxID_CANCEL); });
  });
  RunLater(8000, [&] {
    if (dialog.IsModal()) dialog.EndModal(wxID_ABORT);
  });
  EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
  ASSERT_TRUE(message_shown);
  const int main_window = Position(stacked, " 2.52 by Brennick Software", true);
  const int option_dialog = Position(stacked, "Optional Pages");
  const int message_box = Position(stacked, "KINLOOM");
  ASSERT_GE(main_window, 0);
  ASSERT_GE(option_dialog, 0);
  ASSERT_GE(message_box, 0);
  std::string listed;
  for (const std::string& name : stacked) listed += "\n  \"" + name + "\"";
  EXPECT_LT(main_window, option_dialog) << "the main window hides the dialog" << listed;
  EXPECT_LT(option_dialog, message_box) << listed;
  EXPECT_EQ(prompts.Owner(), &w);  // outside the dialog: the main window again
}

}  // namespace
}  // namespace kinloom::testing
