#include "platform/memory_status.h"

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

namespace kinloom::platform {
namespace {

// The user address space of a 64-bit Linux process without a limit: 128 TiB.
constexpr std::uint64_t kUserSpaceBytes = std::uint64_t{1} << 47;

// The "kB" figures of a /proc file as bytes, by their names; a missing one stays 0.
struct ProcFigure {
  const char* name;
  std::uint64_t* bytes;
};

void ReadProcFigures(const char* path, ProcFigure* figures, int count) {
  std::FILE* file = std::fopen(path, "r");
  if (file == nullptr) return;
  char line[256];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    for (int i = 0; i < count; ++i) {
      const std::size_t length = std::strlen(figures[i].name);
      if (std::strncmp(line, figures[i].name, length) != 0 || line[length] != ':') continue;
      unsigned long long kilobytes = 0;
      if (std::sscanf(line + length + 1, "%llu", &kilobytes) == 1)
        *figures[i].bytes = static_cast<std::uint64_t>(kilobytes) * 1024;
    }
  }
  std::fclose(file);
}

class LinuxMemoryStatus : public MemoryStatusSource {
 public:
  MemoryStatus Read() override {
    MemoryStatus status;
    std::uint64_t committed = 0;
    ProcFigure meminfo[] = {{"MemTotal", &status.total_physical},
                            {"MemAvailable", &status.free_physical},
                            {"CommitLimit", &status.total_paging},
                            {"Committed_AS", &committed}};
    ReadProcFigures("/proc/meminfo", meminfo, 4);
    status.free_paging = committed < status.total_paging ? status.total_paging - committed : 0;

    status.total_user = kUserSpaceBytes;
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
      status.total_user = static_cast<std::uint64_t>(limit.rlim_cur);
    std::uint64_t used = 0;
    ProcFigure self[] = {{"VmSize", &used}};
    ReadProcFigures("/proc/self/status", self, 1);
    status.free_user = used < status.total_user ? status.total_user - used : 0;
    return status;
  }
};

}  // namespace

MemoryStatusSource& SystemMemoryStatus() {
  static LinuxMemoryStatus source;  // stateless
  return source;
}

}  // namespace kinloom::platform
