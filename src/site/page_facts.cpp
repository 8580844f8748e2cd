#include "site/page_facts.h"

#include <algorithm>
#include <climits>

#include "lang/ui_text.h"

namespace kinloom::site {

// ---- dates and places a person shows ----


// ---- family groups: who is described in full ----


// ---- links, page-file names, items per page ----
int ItemsPerPage(std::uint32_t option) {
  return static_cast<int>(std::clamp<std::uint32_t>(option, 1, INT_MAX));
}

std::string NumberedPageFile(std::string_view prefix, int page, std::string_view extension) {
  return lang::FormatText("%s_%x.%s", std::string(prefix).c_str(), static_cast<unsigned>(page),
                          std::string(extension).c_str());
}

std::string ItemTarget(std::string_view prefix, int item, int per_page,
                       std::string_view extension) {
  return NumberedPageFile(prefix, PageOfItem(item, per_page), extension) + "#" +
         std::to_string(PlaceOnPage(item, per_page));
}

std::string ChartPageTitle(std::string_view text_a, int page, std::string_view text_b) {
  return lang::FormatText("%s %li %s", std::string(text_a).c_str(), static_cast<long>(page + 1),
                          std::string(text_b).c_str());
}

std::string ExtendedChartPageTitle(std::string_view text_a, std::string_view extended_label,
                                   int page, std::string_view text_b) {
  return lang::FormatText("%s %s %li %s", std::string(text_a).c_str(),
                          std::string(extended_label).c_str(), static_cast<long>(page + 1),
                          std::string(text_b).c_str());
}


}  // namespace kinloom::site
