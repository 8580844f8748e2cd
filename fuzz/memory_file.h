// An input file over bytes held in memory, and a file system that opens it under any path;
// the fuzz targets read their input through it.
#pragma once

#include <cstring>
#include <memory>
#include <string>

#include "platform/file_system.h"

namespace kinloom::fuzz {

class MemoryInput : public platform::InputFile {
 public:
  explicit MemoryInput(const std::string& bytes) : bytes_(bytes) {}
  int Read(char* buffer, std::size_t size, std::size_t* got) override {
    *got = std::min(size, bytes_.size() - at_);
    std::memcpy(buffer, bytes_.data() + at_, *got);
    at_ += *got;
    return 0;
  }
  int Close() override { return 0; }

 private:
  const std::string& bytes_;
  std::size_t at_ = 0;
};

// Reads give the fuzz input; nothing else is reached by the passes.
class MemoryFileSystem : public platform::FileSystem {
 public:
  explicit MemoryFileSystem(const std::string& bytes) : bytes_(bytes) {}
  std::unique_ptr<platform::InputFile> OpenForRead(const std::string&, int* error) override {
    *error = 0;
    return std::make_unique<MemoryInput>(bytes_);
  }
  std::unique_ptr<platform::OutputFile> Create(const std::string&, int* error) override {
    *error = 13;
    return nullptr;
  }
  int CreateFolder(const std::string&) override { return 0; }
  int ListFolder(const std::string&, std::vector<std::string>*) override { return 0; }
  int DeleteFile(const std::string&) override { return 0; }
  int CopyFile(const std::string&, const std::string&) override { return 13; }
  int FileSize(const std::string&, std::uint64_t* size) override {
    *size = bytes_.size();
    return 0;
  }

 private:
  const std::string& bytes_;
};

}  // namespace kinloom::fuzz
