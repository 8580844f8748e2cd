// Prints the applications-menu entry of an installed kinloom-gui: the entry that the
// shortcut dialog writes, with the installed program's path, an icon of the icon theme and
// search keywords.
//   desktop-entry PROGRAM_PATH ICON
#include "platform/desktop_entry.h"

#include <cstdio>
#include <string>

#include "lang/ui_text.h"
#include "platform/text_encoding.h"
#include "run/product.h"
#include "settings/settings.h"

int main(int argc, char** argv) {
  using namespace kinloom;
  if (argc != 3) {
    std::fputs("usage: desktop-entry PROGRAM_PATH ICON\n", stderr);
    return 2;
  }
  const settings::Settings english;
  std::string name = run::kProductString;
  while (!name.empty() && name.back() == ' ') name.pop_back();
  const std::string comment =
      lang::FormatText(lang::LoadUiText(2253, english).c_str(), run::kProductString);
  // The menus also find the program by the words of its trade.
  const std::string text =
      platform::DesktopEntryText(platform::Cp1252ToUtf8(name), platform::Cp1252ToUtf8(comment),
                                 argv[1], argv[2]) +
      "Keywords=genealogy;GEDCOM;family tree;pedigree;web site;\n";
  return std::fputs(text.c_str(), stdout) < 0 ? 1 : 0;
}
