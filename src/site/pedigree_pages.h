// The pedigree pages: the four-generation pedigree charts and their extended pages. The charts,
// their continuations and the bookmarks that person links and the pedigree index pages read
// are laid out before any page of the language is written.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "site/site_driver.h"

namespace kinloom::site {

// Lays out the pedigree charts of the current language into the site's layout: every chart
// with its cells, the continuation table and the bookmarks of each person shown.
void LayOutPedigreeCharts(SiteContext& site);

// Writes every pedigree page of the current language from the site's layout, which
// LayOutPedigreeCharts has filled.
void WritePedigreePages(SiteContext& site);

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
