// The units of the chart pages that a page style turns into page text: a pedigree chart's
// whole grid, and the levels of a descendancy outline with the families under them. Every
// unit holds content already decided from the chart layout and the page facts (who stands
// where, link targets, anchors, what privacy withholds); texts are as the store keeps them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "site/chart_layout.h"

namespace kinloom::site {

// Writes a person's inline dates and places at the point the style chooses; returns whether
// it wrote a birth or death line.
using WriteDates = std::function<bool()>;

// A chart page between its head and its foot.
struct ChartPageUnit {
  bool extended = false;  // an extended (continuation) page
  bool coloured = true;   // descendancy pages: level colours are not suppressed
};

// ---- pedigree pages ----

// A person's cell on a pedigree chart.
struct PedigreeCellUnit {
  bool filled = false;    // the row holds a person; an empty row is not drawn
  int anchor = -1;        // named anchor of the person's first cell on the pedigree pages, or -1
  std::string link;       // the person's family-group target; empty without family group pages
  bool ancestor = false;  // marked as a direct ancestor
  // Views of the store's texts, which outlive the unit.
  std::string_view surname, given_names, title;
  bool show_gedcom_id = false;
  std::string_view gedcom_id;  // as read, not escaped
  enum class Birth { kNone, kWithheld, kShown };
  Birth birth = Birth::kNone;
  std::string birth_date;  // with kShown: the birth or christening date, possibly empty
  std::string death_date;  // the death date, else the burial date; empty for neither
  // Great-grandparents whose line continues: the target of the extended chart; else empty.
  std::string continuation;
};

// A whole four-generation chart: rows as in PedigreeChart (root at kPedigreeRootRow).
struct PedigreeChartUnit {
  // On an extended page: the chart's place on its page, the anchor that continuation arrows
  // name; -1 on the main pages.
  int place_anchor = -1;
  std::array<PedigreeCellUnit, kPedigreeRows> rows{};
};

// ---- descendancy pages ----

inline constexpr std::int64_t kPlainColour = -1;

// A person at the head of an outline level.
struct OutlinePersonUnit {
  int depth = 0;
  std::int64_t colour = kPlainColour;  // the level colour 0xRRGGBB, or kPlainColour
  int anchor = -1;                     // named anchor, or -1
  std::string link;                    // the person's family-group target, or empty
  bool ancestor = false;
  // Views of the store's texts, which outlive the unit.
  std::string_view surname, given_names, title;
  bool show_gedcom_id = false;
  std::string_view gedcom_id;  // as read, not escaped
};

// One tree of the descendancy pages.
struct OutlineTreeUnit {
  // On an extended page: the tree's place on its page, the anchor that continuation lines
  // name; -1 on the main pages.
  int place_anchor = -1;
};

// One family of the person of a level: the spouse beside it, when there is one, and the
// marriage. The children follow as levels of their own, or as a continuation.
struct OutlineFamilyUnit {
  bool has_spouse = false;
  // The spouse: its colour is the level's; its anchor is given at depth 0 only, after the
  // spouse's dates.
  OutlinePersonUnit spouse;
  enum class Marriage { kNone, kPlaceOnly, kWithheld, kShown };
  Marriage marriage = Marriage::kNone;
  // Views of the store's texts, which outlive the unit.
  std::string_view marriage_date;   // with kShown
  std::string_view marriage_place;  // shown when not empty (kPlaceOnly, kWithheld, kShown)
};

// The line to the extended page where a person's descendants continue.
struct OutlineContinuationUnit {
  std::string target;
  std::uint32_t colour = 0;  // the colour of the next level, even where colours are suppressed
};

}  // namespace kinloom::site
