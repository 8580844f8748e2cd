// The modern descendancy outlines and pedigree charts.
#include <string>

#include "site/modern_style.h"

namespace kinloom::site {

const std::string_view kModernChartRules = R"css(
)css";

void ModernStyle::BeginDescendancyPage(PageWriter&, const ChartPageUnit&) {}
void ModernStyle::EndDescendancyPage(PageWriter&, const ChartPageUnit&) {}
void ModernStyle::BeginDescendancyTree(PageWriter&, const OutlineTreeUnit&) {}
void ModernStyle::OpenOutlineLevel(PageWriter&, const OutlinePersonUnit&, const WriteDates&) {}
void ModernStyle::WriteOutlineFamily(PageWriter&, const OutlineFamilyUnit&, const WriteDates&) {}
void ModernStyle::WriteOutlineContinuation(PageWriter&, const OutlineContinuationUnit&) {}
void ModernStyle::CloseOutlineLevel(PageWriter&, const OutlinePersonUnit&) {}
void ModernStyle::BeginPedigreePage(PageWriter&, const ChartPageUnit&) {}
void ModernStyle::WritePedigreeChart(PageWriter&, const PedigreeChartUnit&) {}

}  // namespace kinloom::site
