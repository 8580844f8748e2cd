#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/file_system.h"

namespace kinloom::platform {
namespace {

class PosixInputFile : public InputFile {
 public:
  explicit PosixInputFile(int fd) : fd_(fd) {}
  ~PosixInputFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  int Read(char* buffer, std::size_t size, std::size_t* got) override {
    *got = 0;
    for (;;) {
      ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0) {
        *got = static_cast<std::size_t>(n);
        return 0;
      }
      if (errno != EINTR) return errno;
    }
  }
  int Close() override {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// Gathers small writes so that a file costs few system calls; a write of a block the caller
// gathered itself goes to the file as it is, without a copy.
class PosixOutputFile : public OutputFile {
 public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  ~PosixOutputFile() override {
    if (fd_ >= 0) {
      Flush();
      ::close(fd_);
    }
  }
  int Write(const char* data, std::size_t size) override {
    if (error_ != 0) return error_;
    if (buffer_.empty() && size >= kDirectWriteSize) return WriteAll(data, size);
    if (buffer_.size() + size > kBufferSize) {
      if (Flush() != 0) return error_;
      if (size >= kBufferSize) return WriteAll(data, size);
    }
    buffer_.append(data, size);
    return 0;
  }
  int Close() override {
    Flush();
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && error_ == 0) error_ = errno;
    return error_;
  }

 private:
  static constexpr std::size_t kBufferSize = 256 * 1024;
  static constexpr std::size_t kDirectWriteSize = 4096;
  int Flush() {
    if (error_ == 0 && !buffer_.empty()) WriteAll(buffer_.data(), buffer_.size());
    buffer_.clear();
    return error_;
  }
  int WriteAll(const char* data, std::size_t size) {
    while (size > 0) {
      ssize_t n = ::write(fd_, data, size);
      if (n < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        return error_;
      }
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return 0;
  }
  int fd_;
  int error_ = 0;
  std::string buffer_;
};

// Writes to a temporary file in the destination's folder and renames it over the
// destination when closed without an error; otherwise removes it.
class ReplacingOutputFile : public OutputFile {
 public:
  ReplacingOutputFile(std::unique_ptr<OutputFile> file, std::string temporary, std::string path)
      : file_(std::move(file)), temporary_(std::move(temporary)), path_(std::move(path)) {}
  ~ReplacingOutputFile() override {
    if (file_) {
      file_->Close();
      ::unlink(temporary_.c_str());
    }
  }
  int Write(const char* data, std::size_t size) override { return file_->Write(data, size); }
  int Close() override {
    int error = file_->Close();
    file_.reset();
    if (error == 0 && ::rename(temporary_.c_str(), path_.c_str()) != 0) error = errno;
    if (error != 0) ::unlink(temporary_.c_str());
    return error;
  }

 private:
  std::unique_ptr<OutputFile> file_;
  std::string temporary_;
  std::string path_;
};

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<InputFile> OpenForRead(const std::string& path, int* error) override {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      *error = errno;
      return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(fd);
      *error = EISDIR;
      return nullptr;
    }
    *error = 0;
    return std::make_unique<PosixInputFile>(fd);
  }
  std::unique_ptr<OutputFile> Create(const std::string& path, int* error) override {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
      *error = errno;
      return nullptr;
    }
    *error = 0;
    return std::make_unique<PosixOutputFile>(fd);
  }
  std::unique_ptr<OutputFile> CreateReplacing(const std::string& path, int* error) override {
    // A unique name beside the destination, so that the rename stays on one device.
    std::string temporary = path + ".XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
      *error = errno;
      return nullptr;
    }
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fchmod(fd, 0644);
    *error = 0;
    return std::make_unique<ReplacingOutputFile>(std::make_unique<PosixOutputFile>(fd),
                                                 std::move(temporary), path);
  }
  int CreateFolder(const std::string& path) override {
    return ::mkdir(path.c_str(), 0755) == 0 ? 0 : errno;
  }
  int ListFolder(const std::string& path, std::vector<std::string>* names) override {
    names->clear();
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) return errno;
    for (;;) {
      errno = 0;
      dirent* entry = ::readdir(dir);
      if (entry == nullptr) break;
      if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
      names->emplace_back(entry->d_name);
    }
    int error = errno;
    ::closedir(dir);
    return error;
  }
  int DeleteFile(const std::string& path) override {
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return EISDIR;
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
  }
  int FileSize(const std::string& path, std::uint64_t* size) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return errno;
    *size = static_cast<std::uint64_t>(st.st_size);
    return 0;
  }
  bool SameFile(const std::string& a, const std::string& b) override {
    struct stat sa, sb;
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static PosixFileSystem instance;
  return instance;
}

}  // namespace kinloom::platform
