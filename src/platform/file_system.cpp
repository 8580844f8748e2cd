#include "platform/file_system.h"

namespace kinloom::platform {

int FileSystem::CopyFile(const std::string& from, const std::string& to) {
  int error = 0;
  auto in = OpenForRead(from, &error);
  if (!in) return error;
  auto out = CreateReplacing(to, &error);
  if (!out) return error;
  std::string buffer(1 << 16, '\0');
  for (;;) {
    std::size_t got = 0;
    error = in->Read(buffer.data(), buffer.size(), &got);
    if (error != 0) return error;
    if (got == 0) break;
    error = out->Write(buffer.data(), got);
    if (error != 0) return error;
  }
  in->Close();
  return out->Close();
}

}  // namespace kinloom::platform
