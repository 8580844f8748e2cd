#include "site/chart_layout.h"

#include "store/memory_tracker.h"
#include "store/records.h"

namespace kinloom::site {

void ChartBookmarks::Reset(std::size_t individuals) {
  marks_.clear();
  marks_.resize(individuals);
}

bool ChartBookmarks::Add(std::int32_t person, const Bookmark& mark,
                         store::ExpandingArrayStatistics* statistics,
                         const store::ArrayOwner& owner) {
  if (person < 0) return false;
  const std::size_t at = static_cast<std::size_t>(person);
  if (at >= marks_.size()) marks_.resize(at + 1);
  std::vector<Bookmark>& marks = marks_[at];
  if (marks.size() >= static_cast<std::size_t>(store::kExpandingArrayCapacity)) {
    if (statistics != nullptr) statistics->Refused(owner);
    return false;
  }
  marks.push_back(mark);
  if (statistics != nullptr) statistics->Stored(owner, marks.size());
  return true;
}

const Bookmark* ChartBookmarks::At(std::int32_t person, std::size_t k) const {
  const std::vector<Bookmark>& marks = Of(person);
  if (k >= marks.size() || marks[k].page == -1) return nullptr;
  return &marks[k];
}

const std::vector<Bookmark>& ChartBookmarks::Of(std::int32_t person) const {
  static const std::vector<Bookmark> kNone;
  if (person < 0 || static_cast<std::size_t>(person) >= marks_.size()) return kNone;
  return marks_[static_cast<std::size_t>(person)];
}

std::uint64_t ChartBookmarks::TierBytes() const {
  std::uint64_t bytes = 0;
  for (const std::vector<Bookmark>& marks : marks_) bytes += store::BookmarkTierBytes(marks.size());
  return bytes;
}

bool DescendancyLayout::IsRoot(std::int32_t person) const {
  return person >= 0 && static_cast<std::size_t>(person) < roots.size() &&
         roots[static_cast<std::size_t>(person)];
}

int DescendancyLayout::ContinuationOf(std::int32_t person) const {
  auto found = continuation_positions.find(person);
  return found == continuation_positions.end() ? -1 : found->second;
}

}  // namespace kinloom::site
