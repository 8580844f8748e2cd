// Shortcuts that start the program, as freedesktop desktop entries: "kinloom.desktop" in the
// user's desktop folder and in the user's applications folder (the menu of programs).
#pragma once

#include <string>

namespace kinloom::platform {

// The desktop folder named by XDG_DESKTOP_DIR in `user_dirs_text` (the contents of
// ~/.config/user-dirs.dirs; "$HOME" is replaced by `home`), else `home`/Desktop.
std::string DesktopFolderFrom(const std::string& user_dirs_text, const std::string& home);
// The same, reading the user's own user-dirs.dirs.
std::string DesktopFolder();
// ${XDG_DATA_HOME:-$HOME/.local/share}/applications
std::string ApplicationsFolder();
// The absolute path of the running program (/proc/self/exe); empty when unknown.
std::string ProgramPath();

// The text of a desktop entry; all arguments UTF-8. The program path is quoted and escaped
// as the Exec key requires.
std::string DesktopEntryText(const std::string& name, const std::string& comment,
                             const std::string& program_path, const std::string& icon_path);

// Writes `text` as `folder`/kinloom.desktop, creating the folder with its parents and
// replacing an existing file; the file is made executable so that desktops trust it.
// Returns 0 or the system error code.
int WriteDesktopEntry(const std::string& folder, const std::string& text);

inline constexpr const char* kDesktopEntryName = "kinloom.desktop";

}  // namespace kinloom::platform
