// Where the descendancy and pedigree charts of one output language show every individual,
// settled before any page of the language is written: the bookmarks of each chart kind (kept
// apart, so that a link of one kind never reads the other's), the continuation tables of the
// extended pages, the named anchors, which individuals head a descendancy tree, and the grid
// of every pedigree chart. The chart writers and the person links only read it.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "store/expanding_array.h"

namespace kinloom::site {

// One appearance of an individual on a descendancy or pedigree page.
struct Bookmark {
  bool extended = false;            // on an extended (continuation) page
  std::int32_t page = -1;           // chart page number; -1 is an empty bookmark
  std::int32_t anchor = -1;         // named anchor number on that page
  std::int32_t first_person = -1;   // descendancy: root of the tree; pedigree: -1
  std::int32_t second_person = -1;  // descendancy: the root's spouse or -1; pedigree: -1
};

// The bookmarks of one chart kind: for each individual (by table position) its first 55
// appearances (kExpandingArrayCapacity), in the order the pages show them.
//
// A site has about one appearance per individual and kind, so they are kept flat: the
// appearances added are queued in the order they come, and sorted by individual into one
// array the first time they are read (or at Settle) - a vector per individual would take
// more for its own bookkeeping and allocation than for its bookmarks. Settle at the end of a
// layout, so that the pages only read.
class ChartBookmarks {
 public:
  // Forgets every bookmark and makes room for `individuals` individuals.
  void Reset(std::size_t individuals);
  // Adds an appearance of the individual at table position `person`. False when it already
  // holds 55: the appearance is not kept. The statistics, when given, count the entry or the
  // refusal under `owner`.
  bool Add(std::int32_t person, const Bookmark& mark,
           store::ExpandingArrayStatistics* statistics = nullptr,
           const store::ArrayOwner& owner = {});
  // Sorts the queued appearances in. Reading does it too; adding may follow.
  void Settle() const;
  // Bookmark k of the individual, or null when there is none or it is empty.
  const Bookmark* At(std::int32_t person, std::size_t k) const;
  // Every bookmark of the individual; empty for a position outside the table.
  std::span<const Bookmark> Of(std::int32_t person) const;
  // Whether the individual appears on a chart of this kind: it has bookmark 0. Reads no
  // bookmark, so asking while adding costs nothing.
  bool OnChart(std::int32_t person) const {
    return person >= 0 && static_cast<std::size_t>(person) < counts_.size() &&
           counts_[static_cast<std::size_t>(person)] != 0 &&
           (counts_[static_cast<std::size_t>(person)] & kFirstEmpty) == 0;
  }
  // The bytes the bookmarks take in the tiers of the statistics (MEM_TRACKER_BOOKMARK).
  std::uint64_t TierBytes() const;

 private:
  struct Queued {
    std::int32_t person;
    Bookmark mark;
  };
  // counts_ holds the number of bookmarks (at most 55) with this bit when bookmark 0 is empty.
  static constexpr std::uint8_t kFirstEmpty = 0x80;
  std::size_t Count(std::size_t person) const { return counts_[person] & ~kFirstEmpty; }

  std::vector<std::uint8_t> counts_;
  // Sorted: the bookmarks of individual p are marks_[offsets_[p]] up to offsets_[p + 1].
  // An individual beyond offsets_ has none sorted yet.
  mutable std::vector<std::uint32_t> offsets_;
  mutable std::vector<Bookmark> marks_;
  mutable std::vector<Queued> queued_;
};

// The descendancy pages: which individuals head a tree on the main pages, the continuation
// table of the extended pages and a bookmark for every appearance with a named anchor.
struct DescendancyLayout {
  ChartBookmarks bookmarks;
  // Per individual: heads a tree on the main pages. An individual shown beside a root or
  // a non-root as a spouse before the main pages reach it heads none.
  std::vector<bool> roots;
  // Individuals whose children continue on extended pages, in the order of the extended
  // groups: the position of an entry is its extended group number. Each pass of extended
  // pages is followed by padding entries (-1) up to the next page, so that the entries the
  // pass appends start a fresh page.
  std::vector<std::int32_t> continuations;
  std::unordered_map<std::int32_t, int> continuation_positions;

  bool IsRoot(std::int32_t person) const;
  // The position of the individual's entry in `continuations`, or -1.
  int ContinuationOf(std::int32_t person) const;
};

inline constexpr int kPedigreeRows = 15;
inline constexpr int kPedigreeRootRow = 7;

// The generation shown in a chart row: 0 the root (row 7), 1 the parents (rows 3 and 11), 2
// the grandparents (the other odd rows), 3 the great-grandparents (the even rows).
inline constexpr int PedigreeGenerationOfRow(int row) {
  return row == kPedigreeRootRow ? 0 : row == 3 || row == 11 ? 1 : row % 2 == 1 ? 2 : 3;
}

// How far the rows of a person's father (above) and mother (below) lie from the person's row.
inline constexpr int PedigreeParentOffset(int row) { return 4 >> PedigreeGenerationOfRow(row); }

// One four-generation chart: the root at row 7, the parents at rows 3 and 11, the
// grandparents at the other odd rows and the great-grandparents at the even rows. A site has
// about one chart per person, so the chart is kept small: the named anchors of a chart are
// consecutive numbers given in row order (a first number and the rows that carry one), and
// only the great-grandparent rows can continue.
struct PedigreeChart {
  // Table position of the person in each row, or -1.
  std::array<std::int32_t, kPedigreeRows> rows{};
  std::int32_t group = 0;  // chart number within its series of pages
  bool extended = false;   // on the extended pages

  // The named anchor of the row's cell, given at the first cell of each person on the
  // pedigree pages; -1 for every later cell of that person.
  int Anchor(int row) const {
    const unsigned bit = 1u << row;
    if ((anchored_rows_ & bit) == 0) return -1;
    return first_anchor_ + std::popcount(static_cast<unsigned>(anchored_rows_) & (bit - 1));
  }
  // Gives the row the next anchor number: `number` must follow the chart's last anchor, and
  // rows must be given in order.
  void SetAnchor(int row, int number) {
    if (anchored_rows_ == 0) first_anchor_ = number;
    anchored_rows_ = static_cast<std::uint16_t>(anchored_rows_ | (1u << row));
  }
  // For a great-grandparent whose own parents are known: the position of the extended
  // chart that continues the line (0 when the continuation table was full); -1 otherwise.
  int Continuation(int row) const {
    return row % 2 == 0 ? continuation_[static_cast<std::size_t>(row / 2)] : -1;
  }
  void SetContinuation(int row, int position) {
    if (row % 2 == 0) continuation_[static_cast<std::size_t>(row / 2)] = position;
  }

  std::int32_t root() const { return rows[kPedigreeRootRow]; }

 private:
  std::int32_t first_anchor_ = -1;
  std::uint16_t anchored_rows_ = 0;
  std::array<std::int32_t, (kPedigreeRows + 1) / 2> continuation_{-1, -1, -1, -1,
                                                                   -1, -1, -1, -1};
};

// The pedigree pages: every chart in page order (the main charts, then the extended
// ones), the continuation table and two bookmarks per person shown: bookmark 0 = the page
// and anchor of the first cell, bookmark 1 = page 1 when that cell is on an extended page.
struct PedigreeLayout {
  ChartBookmarks bookmarks;
  std::vector<PedigreeChart> charts;
  // Great-grandparents whose lines continue; an entry's position is its extended chart.
  std::vector<std::int32_t> continuations;
};

}  // namespace kinloom::site
