// Files and folders as the conversion uses them. Every operation reports the operating
// system's error code (errno; 0 on success) so that callers can show it through
// ReportSystemError. Paths use "/". Tests substitute an implementation that fails on request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kinloom::platform {

// The error code a folder creation returns when the folder is already there.
inline constexpr int kErrorAlreadyExists = 17;  // EEXIST

class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to `size` bytes into `buffer`; `*got` is 0 at the end. Returns the error code.
  virtual int Read(char* buffer, std::size_t size, std::size_t* got) = 0;
  virtual int Close() = 0;
};

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Writes all `size` bytes or returns the error code.
  virtual int Write(const char* data, std::size_t size) = 0;
  // Flushes and closes; returns the error code of the first failure.
  virtual int Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens an existing file for reading. On failure returns null and sets *error.
  virtual std::unique_ptr<InputFile> OpenForRead(const std::string& path, int* error) = 0;
  // Creates (or truncates) a file for writing. On failure returns null and sets *error.
  virtual std::unique_ptr<OutputFile> Create(const std::string& path, int* error) = 0;
  // Opens a file that replaces `path` only when it is complete: the bytes go to a temporary
  // file beside it, which a successful Close() renames over `path`. Until then `path` is
  // untouched, whatever it is (the file being read, a link to it); after a failed write or
  // close the temporary file is removed and `path` still holds what it held. The default,
  // for file systems without renaming, is Create().
  virtual std::unique_ptr<OutputFile> CreateReplacing(const std::string& path, int* error) {
    return Create(path, error);
  }
  // Creates one folder; kErrorAlreadyExists when it exists.
  virtual int CreateFolder(const std::string& path) = 0;
  // Lists the entry names of a folder (without "." and ".."), in the order the system gives.
  virtual int ListFolder(const std::string& path, std::vector<std::string>* names) = 0;
  // Deletes one file (not a folder: deleting a folder fails with the system's error).
  virtual int DeleteFile(const std::string& path) = 0;
  // Copies a file, replacing the destination through CreateReplacing: a destination that is
  // the source itself, or a link to it, keeps its bytes.
  virtual int CopyFile(const std::string& from, const std::string& to);
  // The size in bytes of an existing file.
  virtual int FileSize(const std::string& path, std::uint64_t* size) = 0;
  // True when both paths name one existing file, however each is spelled: the same device
  // and file number, so that links and "./" or "../" spellings are recognised. The default,
  // for file systems without such numbers, compares the texts.
  virtual bool SameFile(const std::string& a, const std::string& b) { return a == b; }
};

// The file system of this machine.
FileSystem& RealFileSystem();

}  // namespace kinloom::platform
