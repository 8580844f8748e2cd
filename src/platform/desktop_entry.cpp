#include "platform/desktop_entry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/registry.h"

namespace kinloom::platform {
namespace {

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  const auto e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

// Exec values are quoted; inside the quotes ", `, $ and \ take a backslash, and % is
// doubled as a field code would otherwise begin.
std::string QuoteExec(const std::string& path) {
  std::string out = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') {
      out += "\\\\";
      out += c;
    } else if (c == '%') {
      out += "%%";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Values of a desktop entry cannot hold line breaks; escape them as the format does.
std::string EntryValue(const std::string& value) {
  std::string out;
  for (char c : value) {
    if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (c == '\\') out += "\\\\";
    else out += c;
  }
  return out;
}

}  // namespace

std::string DesktopFolderFrom(const std::string& user_dirs_text, const std::string& home) {
  std::istringstream in(user_dirs_text);
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.rfind("XDG_DESKTOP_DIR=", 0) != 0) continue;
    std::string value = line.substr(16);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    // Only absolute folders count; "$HOME/" alone means the home folder itself.
    if (!value.empty() && value[0] == '/') {
      while (value.size() > 1 && value.back() == '/') value.pop_back();
      return value;
    }
  }
  return home + "/Desktop";
}

std::string DesktopFolder() {
  const std::string home = UserHomeFolder();
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const std::string base = config != nullptr && config[0] == '/' ? config : home + "/.config";
  std::ifstream in(base + "/user-dirs.dirs");
  std::stringstream text;
  if (in) text << in.rdbuf();
  return DesktopFolderFrom(text.str(), home);
}

std::string ApplicationsFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  const std::string base =
      data != nullptr && data[0] == '/' ? data : UserHomeFolder() + "/.local/share";
  return base + "/applications";
}

std::string ProgramPath() {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

std::string DesktopEntryText(const std::string& name, const std::string& comment,
                             const std::string& program_path, const std::string& icon_path) {
  std::string text = "[Desktop Entry]\n";
  text += "Type=Application\n";
  text += "Name=" + EntryValue(name) + "\n";
  text += "Comment=" + EntryValue(Trim(comment)) + "\n";
  text += "Exec=" + QuoteExec(program_path) + "\n";
  if (!icon_path.empty()) text += "Icon=" + EntryValue(icon_path) + "\n";
  text += "Terminal=false\n";
  text += "Categories=Utility;\n";
  return text;
}

int WriteDesktopEntry(const std::string& folder, const std::string& text) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return error.value();
  const std::string path = folder + "/" + kDesktopEntryName;
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return errno != 0 ? errno : EIO;
    out << text;
    out.close();
    if (!out) return EIO;
  }
  if (::chmod(temporary.c_str(), 0755) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0) {
    const int e = errno;
    ::unlink(temporary.c_str());
    return e;
  }
  return 0;
}

}  // namespace kinloom::platform
