// The pedigree pages: the four-generation pedigree charts and their extended pages. They fill the
// bookmarks that person links and the pedigree index pages read.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "site/site_driver.h"

namespace kinloom::site {

// Writes every pedigree page of the current language. Returns 1, or 0 after a failure that
// has been reported.
int WritePedigreePages(SiteContext& site);

// The great-grandparents whose charts continue on extended pages, in the order they were
// first met; an entry's position is its extended chart number. Lookups go through an index,
// so a deep lineage stays fast.
class ContinuationTable {
 public:
  static constexpr int kCapacity = 255 * 255;

  explicit ContinuationTable(int capacity = kCapacity) : capacity_(capacity) {}

  // The position of `individual`, appended when absent. A full table adds nothing and
  // gives 0.
  int PositionOf(std::int32_t individual);
  int size() const { return static_cast<int>(entries_.size()); }
  bool empty() const { return entries_.empty(); }
  std::int32_t at(int position) const { return entries_[static_cast<std::size_t>(position)]; }

 private:
  int capacity_;
  std::vector<std::int32_t> entries_;
  std::unordered_map<std::int32_t, int> positions_;
};

}  // namespace kinloom::site
