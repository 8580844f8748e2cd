#include "platform/file_helpers.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace kinloom::platform::registry_detail {

int ErrnoOr(int fallback) { return errno != 0 ? errno : fallback; }

int WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrnoOr(EIO);
    }
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

std::string Folder(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

int MakeFolders(const std::string& folder) {
  struct stat st;
  if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
  std::string parent = Folder(folder);
  if (parent != folder) {
    int error = MakeFolders(parent);
    if (error != 0) return error;
  }
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return ErrnoOr(EIO);
  return 0;
}

int ReadWholeFile(const std::string& path, std::string* out, struct stat* st) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ErrnoOr(EIO);
  int error = 0;
  if (::fstat(fd, st) != 0) error = ErrnoOr(EIO);
  out->clear();
  char buffer[65536];
  while (error == 0) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = ErrnoOr(EIO);
    } else if (n == 0) {
      break;
    } else {
      out->append(buffer, static_cast<std::size_t>(n));
    }
  }
  ::close(fd);
  return error;
}

}  // namespace kinloom::platform::registry_detail
