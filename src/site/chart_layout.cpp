#include "site/chart_layout.h"

#include "store/memory_tracker.h"
#include "store/records.h"

namespace kinloom::site {

void ChartBookmarks::Reset(std::size_t individuals) {
  counts_.assign(individuals, 0);
  std::vector<std::uint32_t>().swap(offsets_);
  std::vector<Bookmark>().swap(marks_);
  std::vector<Queued>().swap(queued_);
}

bool ChartBookmarks::Add(std::int32_t person, const Bookmark& mark,
                         store::ExpandingArrayStatistics* statistics,
                         const store::ArrayOwner& owner) {
  if (person < 0) return false;
  const std::size_t at = static_cast<std::size_t>(person);
  if (at >= counts_.size()) counts_.resize(at + 1, 0);
  const std::size_t count = Count(at);
  if (count >= static_cast<std::size_t>(store::kExpandingArrayCapacity)) {
    if (statistics != nullptr) statistics->Refused(owner);
    return false;
  }
  counts_[at] = static_cast<std::uint8_t>(counts_[at] + 1);
  if (count == 0 && mark.page == -1) counts_[at] |= kFirstEmpty;
  queued_.push_back({person, mark});
  if (statistics != nullptr) statistics->Stored(owner, count + 1);
  return true;
}

void ChartBookmarks::Settle() const {
  if (queued_.empty()) return;
  // Each individual's sorted bookmarks come first, then its queued ones in the order added.
  // The offsets start as the end of each individual's range and are moved back as the
  // bookmarks are placed from the last, so that they end as its start.
  const std::size_t n = counts_.size();
  std::vector<std::uint32_t> offsets(n + 1, 0);
  std::uint32_t total = 0;
  for (std::size_t p = 0; p < n; ++p) offsets[p] = total += static_cast<std::uint32_t>(Count(p));
  offsets[n] = total;
  std::vector<Bookmark> marks(total);
  for (auto q = queued_.rbegin(); q != queued_.rend(); ++q)
    marks[--offsets[static_cast<std::size_t>(q->person)]] = q->mark;
  std::vector<Queued>().swap(queued_);
  const std::size_t sorted_people = offsets_.empty() ? 0 : offsets_.size() - 1;
  for (std::size_t p = 0; p < sorted_people; ++p)
    for (std::uint32_t k = offsets_[p + 1]; k > offsets_[p]; --k) marks[--offsets[p]] = marks_[k - 1];
  offsets_ = std::move(offsets);
  marks_ = std::move(marks);
}

const Bookmark* ChartBookmarks::At(std::int32_t person, std::size_t k) const {
  const std::span<const Bookmark> marks = Of(person);
  if (k >= marks.size() || marks[k].page == -1) return nullptr;
  return &marks[k];
}

std::span<const Bookmark> ChartBookmarks::Of(std::int32_t person) const {
  Settle();
  if (person < 0 || static_cast<std::size_t>(person) + 1 >= offsets_.size()) return {};
  const std::size_t p = static_cast<std::size_t>(person);
  return std::span<const Bookmark>(marks_.data() + offsets_[p], offsets_[p + 1] - offsets_[p]);
}

std::uint64_t ChartBookmarks::TierBytes() const {
  std::uint64_t bytes = 0;
  for (std::size_t p = 0; p < counts_.size(); ++p) bytes += store::BookmarkTierBytes(Count(p));
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
