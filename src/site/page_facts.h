// The page facts: pure functions, with no output, that decide what a page shows. The dates
// and places of a person on each page kind after the privacy, LDS and christening rules,
// a person's link target and link name, page-file names, items per page, and which family
// members a group describes in full. Each style shows the same facts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kinloom::site {

// ---- dates and places a person shows ----


// ---- family groups: who is described in full ----


// ---- links, page-file names, items per page ----
// Items per page from a "Groups …" option ("Groups Descendancy", "Groups Pedigree"): a zero
// option counts as 1, and a value beyond the range of int as the largest int.
int ItemsPerPage(std::uint32_t option);

// "d_1f.htm": a numbered page file, named by the page-kind prefix, the page number in
// lower-case hexadecimal and the page extension.
std::string NumberedPageFile(std::string_view prefix, int page, std::string_view extension);

// Item number `item` (a tree, a chart, a continuation entry) at `per_page` items a page lies
// on page item / per_page, at place item % per_page.
inline int PageOfItem(int item, int per_page) { return item / per_page; }
inline int PlaceOnPage(int item, int per_page) { return item % per_page; }

// "k_2.htm#5": the page file of item number `item` with its place on the page as anchor.
std::string ItemTarget(std::string_view prefix, int item, int per_page, std::string_view extension);

// The title of chart page number `page` (0-based) from the page texts A and B: "Descendants
// 3 of the file"; on the extended pages "Descendants Extended 3 of the file".
std::string ChartPageTitle(std::string_view text_a, int page, std::string_view text_b);
std::string ExtendedChartPageTitle(std::string_view text_a, std::string_view extended_label,
                                   int page, std::string_view text_b);


}  // namespace kinloom::site
