// What a run measures of itself when "Debugging" asks for the statistics report: the
// memory tracker, the filling of the three kinds of expanding array, the system's memory
// figures at the start and their minimum, and the counts of files and writes. Part of the
// run state; reset with it at the start of every run.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/file_system.h"
#include "platform/memory_status.h"
#include "store/expanding_array.h"
#include "store/memory_tracker.h"

namespace kinloom::run {

struct RunStatistics {
  // Where the memory figures come from; null reads none (every figure 0).
  platform::MemoryStatusSource* memory_source = nullptr;
  platform::MemoryStatus initial{};  // at the starting snapshot
  platform::MemoryStatus minimum{};  // lowest free figures seen since
  bool snapshot_taken = false;
  std::uint64_t tiers_allocated = 0;

  store::MemoryTracker memory;
  store::ExpandingArrayStatistics families, bookmarks, notes;
  // The bookmark tiers of the chart kind laid out last, held beside the store until it is
  // released.
  std::uint64_t chart_bookmark_bytes = 0;

  // Files created (the report included) and writes of page buffers to disk.
  std::uint64_t files_created = 0;
  std::uint64_t writes_to_disk = 0;
  std::uint64_t family_group_files = 0;
  std::uint64_t descendancy_files = 0, descendancy_overflow_files = 0;
  std::uint64_t pedigree_files = 0, pedigree_overflow_files = 0;
  std::uint64_t notes_files = 0;

  // The store's counts as they were when it was released.
  std::uint64_t note_records_stored = 0;
  std::uint64_t notes_entries_stored = 0;

  // The report file, open from the start of the run to the report's end.
  std::shared_ptr<platform::OutputFile> report_file;
  std::string report_path;

  // Reads the memory figures: `initial` records the free figures as both initial and
  // minimum; otherwise each minimum is lowered to the present figure when that is smaller.
  void SnapshotMemory(bool initial_snapshot);
  // Connects the expanding arrays to the snapshots: a memory snapshot whenever an array
  // allocates a tier (the first, then every kTierSnapshotInterval-th, to keep the cost of
  // reading the system figures small). Call once the statistics object stays in place.
  void WatchTiers();
  static constexpr std::uint64_t kTierSnapshotInterval = 1024;
};

}  // namespace kinloom::run
