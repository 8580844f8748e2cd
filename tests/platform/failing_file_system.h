// A file system for tests that passes every operation to the real one, except those it is
// told to fail: an operation, a part of the path it must touch, and the error code to give.
// Lets tests reach every "Unable to …" message without a full disk or a broken device.
#pragma once

#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kinloom::platform {

class FailingFileSystem : public FileSystem {
 public:
  enum class Operation {
    kOpen,
    kCloseInput,
    kCreate,
    kCreateFolder,
    kList,
    kDelete,
    kCopy,
    kWrite,  // every write to a file created (plainly or replacing) with a matching path
  };

  explicit FailingFileSystem(FileSystem& real = RealFileSystem()) : real_(real) {}

  // Makes `operation` fail with `error` for every path that contains `path_part` (an empty
  // part matches every path), after the first `spared` matching calls have gone through.
  void Fail(Operation operation, int error, const std::string& path_part = "", int spared = 0) {
    failures_.push_back({operation, error, path_part, spared});
  }

  // Makes every read of a file whose path contains `path_part` throw `exception`, once
  // `opens_spared` openings of such files have gone through untouched (a memory or file
  // exception in a later pass over the same file).
  template <typename Exception>
  void ThrowOnRead(Exception exception, const std::string& path_part, int opens_spared) {
    read_thrower_ = [exception] { throw exception; };
    read_path_part_ = path_part;
    opens_spared_ = opens_spared;
  }

  // Every path given to each operation, in order.
  std::vector<std::string> created_folders, deleted, listed, opened, created;

  // Called before each write to a file created here, with the file's path, on the thread
  // that writes: a test may hold a writer back there.
  std::function<void(const std::string& path)> before_write;

  std::unique_ptr<InputFile> OpenForRead(const std::string& path, int* error) override {
    opened.push_back(path);
    if (int e = Injected(Operation::kOpen, path)) {
      *error = e;
      return nullptr;
    }
    auto file = real_.OpenForRead(path, error);
    if (!file) return nullptr;
    const bool throws =
        read_thrower_ && path.find(read_path_part_) != std::string::npos && opens_spared_-- <= 0;
    return std::make_unique<Input>(std::move(file), Injected(Operation::kCloseInput, path),
                                   throws ? this : nullptr);
  }
  std::unique_ptr<OutputFile> Create(const std::string& path, int* error) override {
    return OpenOutput(path, error, false);
  }
  std::unique_ptr<OutputFile> CreateReplacing(const std::string& path, int* error) override {
    return OpenOutput(path, error, true);
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
    return FileSystem::CopyFile(from, to);
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
  // Reads through the real file; fails its close, or throws from a read, on request.
  class Input : public InputFile {
   public:
    Input(std::unique_ptr<InputFile> real, int close_error, FailingFileSystem* thrower)
        : real_(std::move(real)), close_error_(close_error), thrower_(thrower) {}
    int Read(char* buffer, std::size_t size, std::size_t* got) override {
      if (thrower_ != nullptr) thrower_->read_thrower_();
      return real_->Read(buffer, size, got);
    }
    int Close() override {
      int e = real_->Close();
      return close_error_ != 0 ? close_error_ : e;
    }

   private:
    std::unique_ptr<InputFile> real_;
    int close_error_;
    FailingFileSystem* thrower_;
  };

  // Writes through the real file, or fails every write with the error injected for it while
  // its close goes through: the case of a write that is lost without a failed close.
  class Output : public OutputFile {
   public:
    Output(std::unique_ptr<OutputFile> real, int write_error, const FailingFileSystem& owner,
           std::string path)
        : real_(std::move(real)), write_error_(write_error), owner_(owner), path_(std::move(path)) {}
    int Write(const char* data, std::size_t size) override {
      if (owner_.before_write) owner_.before_write(path_);
      return write_error_ != 0 ? write_error_ : real_->Write(data, size);
    }
    int Close() override { return real_->Close(); }

   private:
    std::unique_ptr<OutputFile> real_;
    int write_error_;
    const FailingFileSystem& owner_;
    std::string path_;
  };

  std::unique_ptr<OutputFile> OpenOutput(const std::string& path, int* error, bool replacing) {
    created.push_back(path);
    if (int e = Injected(Operation::kCreate, path)) {
      *error = e;
      return nullptr;
    }
    auto file = replacing ? real_.CreateReplacing(path, error) : real_.Create(path, error);
    if (!file) return nullptr;
    return std::make_unique<Output>(std::move(file), Injected(Operation::kWrite, path), *this,
                                    path);
  }

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
  std::function<void()> read_thrower_;
  std::string read_path_part_;
  int opens_spared_ = 0;
};

}  // namespace kinloom::platform
