#include "run/run_statistics.h"

#include <algorithm>

namespace kinloom::run {

void RunStatistics::SnapshotMemory(bool initial_snapshot) {
  const platform::MemoryStatus now =
      memory_source != nullptr ? memory_source->Read() : platform::MemoryStatus{};
  if (initial_snapshot || !snapshot_taken) {
    initial = now;
    minimum = now;
    snapshot_taken = true;
    return;
  }
  minimum.free_physical = std::min(minimum.free_physical, now.free_physical);
  minimum.free_paging = std::min(minimum.free_paging, now.free_paging);
  minimum.free_user = std::min(minimum.free_user, now.free_user);
}

void RunStatistics::WatchTiers() {
  auto watch = [this] {
    if (tiers_allocated++ % kTierSnapshotInterval == 0) SnapshotMemory(false);
  };
  families.tier_allocated = watch;
  bookmarks.tier_allocated = watch;
  notes.tier_allocated = watch;
}

}  // namespace kinloom::run
