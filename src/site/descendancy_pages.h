// The descendancy pages: for each chosen individual an indented outline of all descendants,
// each person with inline vital data, spouses and marriages, the generations told apart by six
// rotating level colours. Outlines deeper than thirteen generations continue on extended pages
// reached by a "Follow this link" line. Which individuals head trees, the continuation table
// and the bookmarks that person links and the descendancy index pages read are laid out
// before any page of the language is written.
#pragma once

#include <cstdint>

#include "site/site_driver.h"

namespace kinloom::site {

// Continuation entries are kept in at most 255 blocks of 255.
inline constexpr int kMaxContinuations = 255 * 255;
// Generations written below a root on one page: depths 0 … kDeepestLevel.
inline constexpr int kDeepestLevel = 12;

// The colour of depth `depth`: "Color Level1 " for depths 0, 6, 12 …, "Color Level2 " for
// 1, 7, 13 … (0xRRGGBB).
std::uint32_t LevelColour(const settings::Settings& settings, int depth);

// Lays out the descendancy pages of the current language into the site's layout: the roots,
// the continuation table (with room for `continuation_limit` entries; once it is full, an
// outline that needs a further entry ends without a continuation line) and a bookmark for
// every appearance with a named anchor.
void LayOutDescendancyCharts(SiteContext& site, int continuation_limit = kMaxContinuations);

// Writes every descendancy and extended descendancy page of the current language from the
// site's layout, which LayOutDescendancyCharts has filled.
void WriteDescendancyPages(SiteContext& site);

}  // namespace kinloom::site
