// The system's memory figures that the statistics report shows: physical memory, the
// paging file (the commit limit) and the process's user address space, each as a total and
// the part still free. Tests substitute a source with figures of their own.
#pragma once

#include <cstdint>

namespace kinloom::platform {

struct MemoryStatus {
  std::uint64_t total_physical = 0;
  std::uint64_t free_physical = 0;
  std::uint64_t total_paging = 0;
  std::uint64_t free_paging = 0;
  std::uint64_t total_user = 0;
  std::uint64_t free_user = 0;
};

class MemoryStatusSource {
 public:
  virtual ~MemoryStatusSource() = default;
  // The figures now. A figure the system does not give is 0; never fails.
  virtual MemoryStatus Read() = 0;
};

// This machine's figures. Linux: physical memory is MemTotal and MemAvailable of
// /proc/meminfo; the paging file is CommitLimit and what Committed_AS leaves of it; the user
// address space is the soft RLIMIT_AS (the 47-bit user space when unlimited) and what the
// process's VmSize leaves of it.
MemoryStatusSource& SystemMemoryStatus();

}  // namespace kinloom::platform
