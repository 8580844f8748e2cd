// The modern descendancy outlines and pedigree charts.
//
// An outline is a tree of nested lists. A person's item holds the person's line, then for
// each family the line of the spouse and the marriage, followed by the list of that family's
// children. The level colours mark the items (a rule down their left side) rather than the
// names, so that names keep the text's contrast whatever the colours chosen.
//
// A pedigree chart is a nested list too: a person's item holds the person's box and, when
// parents are shown, the list of the father and the mother, each an item of the same kind.
// The style sheet draws it as a chart, each item drawing its own share of the lines (the
// stub to its box and its half of the bar between the parents), so that the lines meet
// whatever height the boxes take when names wrap. On a narrow screen the same lists stand as
// an indented tree.
#include <string>

#include "site/modern_style.h"

namespace kinloom::site {
namespace {

constexpr int kLabelMarriage = 12375;
constexpr int kLabelExtended = 12397;
constexpr int kLabelFather = 12407;
constexpr int kLabelMother = 12408;
constexpr int kLabelNotShown = 12424;
constexpr int kLabelBorn = 12425;
constexpr int kLabelDied = 12426;
constexpr int kLabelMarriedTo = 12610;

constexpr std::string_view kLevelClasses[] = {"level-1", "level-2", "level-3",
                                              "level-4", "level-5", "level-6"};

// The class of the level colour of `depth`: six colours, the root's first.
std::string_view LevelClass(std::size_t depth) { return kLevelClasses[depth % 6]; }

// The red dot of a direct ancestor, the mark the ancestor notice speaks of.
void AncestorMark(PageWriter& out) { WriteModernRedDot(out); }

void GedcomId(PageWriter& out, bool shown, std::string_view id) {
  if (!shown) return;
  out.AppendHtml(" <small>{");
  out.AppendHtml(EscapeHtml(id));
  out.AppendHtml("}</small>");
}

void IdAttribute(PageWriter& out, int anchor) {
  if (anchor < 0) return;
  out.AppendHtml(" id=\"");
  out.AppendHtml(std::to_string(anchor));
  out.AppendHtml("\"");
}

// An outline person's name: linked to the person's family group when there is one, strong
// when the levels are coloured. `title_blank` puts a blank before the title, as the spouse's
// name has one and the level's person's has none.
void OutlineName(PageWriter& out, const OutlinePersonUnit& person, bool title_blank) {
  if (!person.link.empty()) {
    out.AppendHtml("<a href=\"");
    out.AppendHtml(person.link);
    out.AppendHtml("\">");
  }
  const bool coloured = person.colour != kPlainColour;
  if (coloured) out.AppendHtml("<strong>");
  if (person.ancestor) AncestorMark(out);
  out.AppendHtml(person.surname);
  out.AppendHtml(", ");
  out.AppendHtml(person.given_names);
  if (title_blank) out.AppendHtml(" ");
  out.AppendHtml(person.title);
  if (coloured) out.AppendHtml("</strong>");
  if (!person.link.empty()) out.AppendHtml("</a>");
}

}  // namespace

const std::string_view kModernChartRules = R"css(
/* descendancy outlines: a coloured rule down each level, the children indented under it */
.outline, .outline-children { list-style: none; margin: 0; padding: 0; }
.outline { margin: 1rem 0; }
.outline-children { margin: 0.25rem 0 0 0.2rem; }
.outline-level, .outline-continuation { margin: 0.25rem 0; padding-left: 0.4rem;
  border-left: 0.25rem solid var(--text); overflow-wrap: anywhere; }
.outline-level.level-1, .outline-continuation.level-1 { border-left-color: var(--level-1); }
.outline-level.level-2, .outline-continuation.level-2 { border-left-color: var(--level-2); }
.outline-level.level-3, .outline-continuation.level-3 { border-left-color: var(--level-3); }
.outline-level.level-4, .outline-continuation.level-4 { border-left-color: var(--level-4); }
.outline-level.level-5, .outline-continuation.level-5 { border-left-color: var(--level-5); }
.outline-level.level-6, .outline-continuation.level-6 { border-left-color: var(--level-6); }
.outline-family { padding-left: 0.6rem; }
@media (min-width: 40em) {
  .outline-children { margin-left: 0.75rem; }
  .outline-family { padding-left: 1rem; }
  .outline-level, .outline-continuation { padding-left: 0.6rem; border-left-width: 0.3rem; }
}

/* pedigree charts: on a narrow screen an indented tree, each person's parents below it */
.pedigree { margin: 1rem 0; overflow-x: auto; color: var(--text); }
.pedigree ul { list-style: none; margin: 0; padding: 0; }
.ped-node { display: flex; flex-wrap: wrap; align-items: flex-start; }
.ped-person { box-sizing: border-box; max-width: 100%; padding: 0.2rem 0.5rem;
  border: 2px solid; border-radius: 0.3rem; background: var(--background);
  overflow-wrap: anywhere; }
.ped-date { display: block; font-size: 0.9em; }
.ped-more { margin: 0.4rem 0 0 0.3rem; }
.ped-more svg { display: block; width: 1.4rem; height: 1.4rem; }
.ped-more path { fill: none; stroke: currentColor; stroke-width: 2; stroke-linecap: round;
  stroke-linejoin: round; }
.ped-role { position: absolute; width: 1px; height: 1px; overflow: hidden;
  clip-path: inset(50%); white-space: nowrap; }
.pedigree .ped-parents { flex: 0 0 100%; box-sizing: border-box; padding-left: 1rem; }
.ped-parents > .ped-node { position: relative; padding: 0.4rem 0 0 1.25rem; }
.ped-parents > .ped-node::before { content: ""; position: absolute; left: 0; top: 1.4rem;
  width: 1.25rem; border-top: 2px solid; }
.ped-parents > .ped-node::after { content: ""; position: absolute; left: 0; top: 0;
  height: calc(1.4rem + 2px); border-left: 2px solid; }
.ped-parents > .ped-node:not(:last-child)::after { height: auto; bottom: 0; }
/* wide: the generations side by side, each person's parents to the right of its box, the
   box centred on the bar between them */
@media (min-width: 56em) {
  .ped-node { flex-wrap: nowrap; align-items: center; }
  .ped-person { flex: 0 0 11rem; }
  .ped-more { margin-top: 0; }
  .pedigree .ped-parents { flex: none; position: relative; }
  .ped-parents::before { content: ""; position: absolute; left: 0; top: calc(50% - 1px);
    width: 1rem; border-top: 2px solid; }
  .ped-parents > .ped-node { padding: 0.2rem 0 0.2rem 1rem; }
  .ped-parents > .ped-node::before { top: calc(50% - 1px); width: 1rem; }
  .ped-parents > .ped-node::after { top: 0; bottom: 0; height: auto; }
  .ped-parents > .ped-node:first-child::after { top: calc(50% - 1px); }
  .ped-parents > .ped-node:last-child::after { bottom: calc(50% - 1px); }
  .ped-parents > .ped-node:only-child::after { display: none; }
}
@media print { .pedigree { overflow: visible; } }
)css";

// ---- descendancy pages ----

void ModernStyle::BeginDescendancyPage(PageWriter&, const ChartPageUnit&) {}
void ModernStyle::EndDescendancyPage(PageWriter&, const ChartPageUnit&) {}

void ModernStyle::BeginDescendancyTree(PageWriter& out, const OutlineTreeUnit& tree) {
  outline_levels_.clear();
  out.AppendHtml("<ul class=\"outline\"");
  IdAttribute(out, tree.place_anchor);
  out.AppendHtml(">\n");
}

void ModernStyle::OpenOutlineLevel(PageWriter& out, const OutlinePersonUnit& person,
                                   const WriteDates& dates) {
  // The first child of a family opens the family's list of children.
  if (!outline_levels_.empty() && !outline_levels_.back()) {
    out.AppendHtml("<ul class=\"outline-children\">\n");
    outline_levels_.back() = true;
  }
  outline_levels_.push_back(false);
  out.AppendHtml("<li class=\"outline-level");
  if (person.colour != kPlainColour) {
    out.AppendHtml(" ");
    out.AppendHtml(LevelClass(static_cast<std::size_t>(person.depth < 0 ? 0 : person.depth)));
  }
  out.AppendHtml("\"");
  IdAttribute(out, person.anchor);
  out.AppendHtml(">\n<div class=\"outline-person\">");
  OutlineName(out, person, false);
  GedcomId(out, person.show_gedcom_id, person.gedcom_id);
  out.AppendHtml(" ");
  dates();
  out.AppendHtml("</div>\n");
}

void ModernStyle::WriteOutlineFamily(PageWriter& out, const OutlineFamilyUnit& family,
                                     const WriteDates& spouse_dates) {
  // A family closes the list of children of the family before it.
  if (!outline_levels_.empty() && outline_levels_.back()) {
    out.AppendHtml("</ul>\n");
    outline_levels_.back() = false;
  }
  using Marriage = OutlineFamilyUnit::Marriage;
  if (!family.has_spouse && family.marriage == Marriage::kNone) return;
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("<div class=\"outline-family\"");
  if (family.has_spouse) IdAttribute(out, family.spouse.anchor);
  out.AppendHtml(">");
  bool dates_line = false;
  if (family.has_spouse) {
    out.AppendHtml(labels.Get(kLabelMarriedTo));
    out.AppendHtml(" ");
    OutlineName(out, family.spouse, true);
    GedcomId(out, family.spouse.show_gedcom_id, family.spouse.gedcom_id);
    out.AppendHtml(" ");
    dates_line = spouse_dates();
  }
  if (family.marriage != Marriage::kNone) {
    if (dates_line) out.AppendHtml(" - ");
    out.AppendHtml(" ");
    out.AppendHtml(labels.Get(kLabelMarriage));
    out.AppendHtml(": ");
    if (family.marriage == Marriage::kWithheld) {
      out.AppendHtml(labels.Get(kLabelNotShown));
      out.AppendHtml(" ");
    } else if (family.marriage == Marriage::kShown) {
      out.AppendHtml(family.marriage_date);
      out.AppendHtml(" ");
    }
    out.AppendHtml(family.marriage_place);
  }
  out.AppendHtml("</div>\n");
}

void ModernStyle::WriteOutlineContinuation(PageWriter& out,
                                           const OutlineContinuationUnit& continuation) {
  if (!outline_levels_.empty() && outline_levels_.back()) {
    out.AppendHtml("</ul>\n");
    outline_levels_.back() = false;
  }
  // The descendants stand where the children would: one item, in the next level's colour,
  // whether or not the levels are coloured.
  out.AppendHtml("<ul class=\"outline-children\">\n<li class=\"outline-continuation ");
  out.AppendHtml(LevelClass(outline_levels_.size()));
  out.AppendHtml("\"><a href=\"");
  out.AppendHtml(continuation.target);
  out.AppendHtml(
      "\"><strong>Follow this link for descendants of this individual/couple.</strong></a>"
      "</li>\n</ul>\n");
}

void ModernStyle::CloseOutlineLevel(PageWriter& out, const OutlinePersonUnit&) {
  if (!outline_levels_.empty()) {
    if (outline_levels_.back()) out.AppendHtml("</ul>\n");
    outline_levels_.pop_back();
  }
  out.AppendHtml("</li>\n");
  if (outline_levels_.empty()) out.AppendHtml("</ul>\n");
}


// ---- pedigree pages ----

namespace {

enum class Role { kRoot, kFather, kMother };

// The words a screen reader says before a person that the chart shows by place alone.
void RoleText(PageWriter& out, Role role) {
  if (role == Role::kRoot) return;
  out.AppendHtml("<span class=\"ped-role\">");
  out.AppendHtml(out.labels().Get(role == Role::kFather ? kLabelFather : kLabelMother));
  out.AppendHtml(": </span>");
}

void PedigreePerson(PageWriter& out, const PedigreeCellUnit& cell, Role role) {
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("<div class=\"ped-person\"");
  IdAttribute(out, cell.anchor);
  out.AppendHtml(">");
  RoleText(out, role);
  if (!cell.link.empty()) {
    out.AppendHtml("<a href=\"");
    out.AppendHtml(cell.link);
    out.AppendHtml("\">");
  }
  if (cell.ancestor) AncestorMark(out);
  out.AppendHtml(cell.surname);
  out.AppendHtml(", ");
  out.AppendHtml(cell.given_names);
  if (!cell.title.empty()) {
    out.AppendHtml(" ");
    out.AppendHtml(cell.title);
  }
  if (!cell.link.empty()) out.AppendHtml("</a>");
  GedcomId(out, cell.show_gedcom_id, cell.gedcom_id);
  if (cell.birth == PedigreeCellUnit::Birth::kWithheld) {
    out.AppendHtml("<span class=\"ped-date\">");
    out.AppendHtml(labels.Get(kLabelNotShown));
    out.AppendHtml("</span>");
  } else if (cell.birth == PedigreeCellUnit::Birth::kShown) {
    out.AppendHtml("<span class=\"ped-date\">");
    out.AppendHtml(labels.Get(kLabelBorn));
    out.AppendHtml(" ");
    out.AppendHtml(cell.birth_date);
    out.AppendHtml("</span>");
  }
  if (!cell.death_date.empty()) {
    out.AppendHtml("<span class=\"ped-date\">");
    out.AppendHtml(labels.Get(kLabelDied));
    out.AppendHtml(" ");
    out.AppendHtml(cell.death_date);
    out.AppendHtml("</span>");
  }
  out.AppendHtml("</div>");
}

// The arrow to the extended chart on which a great-grandparent's line goes on.
void ContinuationArrow(PageWriter& out, const PedigreeCellUnit& cell) {
  out.AppendHtml("<a class=\"ped-more\" href=\"");
  out.AppendHtml(cell.continuation);
  out.AppendHtml(
      "\"><svg viewBox=\"0 0 16 16\" aria-hidden=\"true\" focusable=\"false\">"
      "<path d=\"M2 8h11M8.5 3.5 13 8l-4.5 4.5\"/></svg><span class=\"ped-role\">");
  out.AppendHtml(out.labels().Get(kLabelExtended));
  out.AppendHtml(": ");
  out.AppendHtml(cell.surname);
  out.AppendHtml(", ");
  out.AppendHtml(cell.given_names);
  out.AppendHtml("</span></a>");
}

// The item of the person in `row` and, within it, the items of the person's parents.
void PedigreeNode(PageWriter& out, const PedigreeChartUnit& chart, int row, Role role) {
  const PedigreeCellUnit& cell = chart.rows[static_cast<std::size_t>(row)];
  out.AppendHtml("<li class=\"ped-node\">");
  PedigreePerson(out, cell, role);
  if (PedigreeGenerationOfRow(row) == 3) {
    if (!cell.continuation.empty()) ContinuationArrow(out, cell);
  } else {
    const int offset = PedigreeParentOffset(row);
    const bool father = chart.rows[static_cast<std::size_t>(row - offset)].filled;
    const bool mother = chart.rows[static_cast<std::size_t>(row + offset)].filled;
    if (father || mother) {
      out.AppendHtml("\n<ul class=\"ped-parents\">\n");
      if (father) PedigreeNode(out, chart, row - offset, Role::kFather);
      if (mother) PedigreeNode(out, chart, row + offset, Role::kMother);
      out.AppendHtml("</ul>\n");
    }
  }
  out.AppendHtml("</li>\n");
}

}  // namespace

void ModernStyle::BeginPedigreePage(PageWriter&, const ChartPageUnit&) {}

void ModernStyle::WritePedigreeChart(PageWriter& out, const PedigreeChartUnit& chart) {
  if (!chart.rows[kPedigreeRootRow].filled) return;
  out.AppendHtml("<div class=\"pedigree\"");
  IdAttribute(out, chart.place_anchor);
  out.AppendHtml(">\n<ul class=\"pedigree-tree\">\n");
  PedigreeNode(out, chart, kPedigreeRootRow, Role::kRoot);
  out.AppendHtml("</ul>\n</div>\n");
}

}  // namespace kinloom::site
