// A file system for tests that passes every operation to the real one, except those it is
// told to fail: an operation, a part of the path it must touch, and the error code to give.
// Lets tests reach every "Unable to …" message without a full disk or a broken device.
#pragma once

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kinloom::platform {

class FailingFileSystem : public FileSystem {
 public:
  enum class Operation { kOpen, kCloseInput, kCreate, kCreateFolder, kList, kDelete, kCopy };

  explicit FailingFileSystem(FileSystem& real = RealFileSystem()) : real_(real) {}

  // Makes `operation` fail with `error` for every path that contains `path_part` (an empty
  // part matches every path), after the first `spared` matching calls have gone through.
  void Fail(Operation operation, int error, const std::string& path_part = "", int spared = 0) {
    failures_.push_back({operation, error, path_part, spared});
  }

  // Every path given to each operation, in order.
  std::vector<std::string> created_folders, deleted, listed, opened;

  std::unique_ptr<InputFile> OpenForRead(const std::string& path, int* error) override {
    opened.push_back(path);
    if (int e = Injected(Operation::kOpen, path)) {
      *error = e;
      return nullptr;
    }
    auto file = real_.OpenForRead(path, error);
    if (!file) return nullptr;
    return std::make_unique<Input>(std::move(file), Injected(Operation::kCloseInput, path));
  }
  std::unique_ptr<OutputFile> Create(const std::string& path, int* error) override {
    if (int e = Injected(Operation::kCreate, path)) {
      *error = e;
      return nullptr;
    }
    return real_.Create(path, error);
  }
  int CreateFolder(const std::string& path) override {
    created_folders.push_back(path);
    if (int e = Injected(Operation::kCreateFolder, path)) return e;
    return real_.CreateFolder(path);
  }
  int ListFolder(const std::string& path, std::vector<std::string>* names) override {
    listed.push_back(path);
    if (int e = Injected(Operation::kList, path)) return e;
    return real_.ListFolder(path, names);
  }
  int DeleteFile(const std::string& path) override {
    deleted.push_back(path);
    if (int e = Injected(Operation::kDelete, path)) return e;
    return real_.DeleteFile(path);
  }
  int CopyFile(const std::string& from, const std::string& to) override {
    if (int e = Injected(Operation::kCopy, to)) return e;
    return real_.CopyFile(from, to);
  }
  int FileSize(const std::string& path, std::uint64_t* size) override {
    return real_.FileSize(path, size);
  }
  bool SameFile(const std::string& a, const std::string& b) override {
    return real_.SameFile(a, b);
  }

 private:
  struct Failure {
    Operation operation;
    int error;
    std::string path_part;
    int spared;
  };
  // Reads through the real file and fails its close on request.
  class Input : public InputFile {
   public:
    Input(std::unique_ptr<InputFile> real, int close_error)
        : real_(std::move(real)), close_error_(close_error) {}
    int Read(char* buffer, std::size_t size, std::size_t* got) override {
      return real_->Read(buffer, size, got);
    }
    int Close() override {
      int e = real_->Close();
      return close_error_ != 0 ? close_error_ : e;
    }

   private:
    std::unique_ptr<InputFile> real_;
    int close_error_;
  };

  int Injected(Operation operation, const std::string& path) {
    for (Failure& f : failures_) {
      if (f.operation != operation || path.find(f.path_part) == std::string::npos) continue;
      if (f.spared > 0) {
        --f.spared;
        continue;
      }
      return f.error;
    }
    return 0;
  }

  FileSystem& real_;
  std::vector<Failure> failures_;
};

}  // namespace kinloom::platform
