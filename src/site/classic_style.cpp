#include "site/classic_style.h"

#include "lang/ui_text.h"

namespace kinloom::site {

// ---- page frame: head, notices, rules, foot ----


// ---- family group pages ----


// ---- notes pages ----


// ---- author page ----


// ---- descendancy pages ----
namespace {

constexpr int kOutlineLabelMarriage = 12375;
constexpr int kOutlineLabelNotShown = 12424;
constexpr int kOutlineLabelMarriedTo = 12610;

void OutlineRedDot(PageWriter& out) { out.AppendHtml("<img src=\"q5.gif\" border=0 >"); }

void OutlineGedcomId(PageWriter& out, const OutlinePersonUnit& person) {
  if (person.show_gedcom_id)
    out.AppendHtml(lang::FormatText("<small>{%s}</small> ", EscapeHtml(person.gedcom_id).c_str()));
}

}  // namespace

void ClassicStyle::BeginDescendancyPage(PageWriter& out, const ChartPageUnit& page) {
  if (page.coloured) out.AppendHtml("<font size='2' color='#000000'>");
}

void ClassicStyle::EndDescendancyPage(PageWriter& out, const ChartPageUnit& page) {
  if (page.coloured) out.AppendHtml("</font>");
}

void ClassicStyle::BeginDescendancyTree(PageWriter& out, const OutlineTreeUnit& tree) {
  if (tree.place_anchor >= 0)
    out.AppendHtml(lang::FormatText("<a name=\"%d\"></a>", tree.place_anchor));
}

void ClassicStyle::OpenOutlineLevel(PageWriter& out, const OutlinePersonUnit& person,
                                    const WriteDates& dates) {
  out.AppendHtml("<ul>");
  bool anchor_open = true;
  if (person.anchor >= 0 && !person.link.empty())
    out.AppendHtml(
        lang::FormatText("<a name=\"%d\"  href=\"%s\">", person.anchor, person.link.c_str()));
  else if (person.anchor >= 0)
    out.AppendHtml(lang::FormatText("<a name=\"%d\">", person.anchor));
  else if (!person.link.empty())
    out.AppendHtml(lang::FormatText("<a href=\"%s\">", person.link.c_str()));
  else
    anchor_open = false;
  const bool coloured = person.colour != kPlainColour;
  if (coloured)
    out.AppendHtml(lang::FormatText("<font size='3' color='%06X'><strong>",
                                    static_cast<unsigned>(person.colour)));
  out.AppendHtml("<li>");
  if (person.ancestor) OutlineRedDot(out);
  if (!person.surname.empty()) out.AppendHtml(person.surname);
  out.AppendHtml(", ");
  if (!person.given_names.empty()) out.AppendHtml(person.given_names);
  if (!person.title.empty()) out.AppendHtml(person.title);
  if (anchor_open) out.AppendHtml("</a>");
  if (coloured) out.AppendHtml("</strong></font>");
  OutlineGedcomId(out, person);
  dates();
}

void ClassicStyle::WriteOutlineFamily(PageWriter& out, const OutlineFamilyUnit& family,
                                      const WriteDates& spouse_dates) {
  const lang::LabelSet& labels = out.labels();
  bool dates_line = false;
  if (family.has_spouse) {
    const OutlinePersonUnit& spouse = family.spouse;
    out.AppendHtml("<BR>" + labels.Get(kOutlineLabelMarriedTo) + " ");
    if (!spouse.link.empty())
      out.AppendHtml(lang::FormatText("<a href=\"%s\">", spouse.link.c_str()));
    if (spouse.ancestor) OutlineRedDot(out);
    const bool coloured = spouse.colour != kPlainColour;
    if (coloured)
      out.AppendHtml(lang::FormatText("<font size=\"3\" color=\"#%06X\"><strong>",
                                      static_cast<unsigned>(spouse.colour)));
    out.AppendHtml(spouse.surname + ", " + spouse.given_names + " " + spouse.title);
    if (coloured) out.AppendHtml("</strong></font>");
    if (!spouse.link.empty()) out.AppendHtml("</a>");
    OutlineGedcomId(out, spouse);
    dates_line = spouse_dates();
    if (spouse.anchor >= 0) out.AppendHtml(lang::FormatText("<a name=\"%d\">", spouse.anchor));
  }
  if (family.marriage == OutlineFamilyUnit::Marriage::kNone) return;
  if (dates_line) out.AppendHtml(" - ");
  out.AppendHtml(" " + labels.Get(kOutlineLabelMarriage) + ": ");
  if (family.marriage == OutlineFamilyUnit::Marriage::kWithheld)
    out.AppendHtml(labels.Get(kOutlineLabelNotShown) + " ");
  else if (family.marriage == OutlineFamilyUnit::Marriage::kShown)
    out.AppendHtml(family.marriage_date + " ");
  if (!family.marriage_place.empty()) out.AppendHtml(family.marriage_place);
}

void ClassicStyle::WriteOutlineContinuation(PageWriter& out,
                                            const OutlineContinuationUnit& continuation) {
  out.AppendHtml("<ul>");
  out.AppendHtml(lang::FormatText(
      "<B><a href=\"%s\" style=\"color: #%06X\">Follow this link for descendants of "
      "this individual/couple.</a></B><br>",
      continuation.target.c_str(), continuation.colour));
  out.AppendHtml("</ul>");
}

void ClassicStyle::CloseOutlineLevel(PageWriter& out, const OutlinePersonUnit&) {
  out.AppendHtml("</ul>");
}


// ---- pedigree pages ----
namespace {

constexpr int kPedigreeLabelNotShown = 12424;
constexpr int kPedigreeLabelBorn = 12425;
constexpr int kPedigreeLabelDied = 12426;

// The cells of each chart row, one letter per cell: S blank, W narrow blank, H chart end,
// 8 vertical line, 6 and 7 the line left of a father or a mother followed by the person,
// R the root person, N the connector to the person's parents, K the continuation arrow,
// c a vertical line only when row 1 is filled.
//
// The narrow cells of the head and foot rows lie in the line columns (2, 4, 6), as in every
// other row; a narrow cell above a name column would hold that column to its narrowest, so
// that names and dates break at every blank and the 55-pixel line images no longer meet.
constexpr const char* kPedigreeHeadAndFoot = "HSWSWSWSH";
constexpr const char* kPedigreeRowCells[kPedigreeRows] = {
    "SSWSWS6K",   // row 0, generation 3
    "SSSS6NS",    // row 1, generation 2
    "SSSScS7K",   // row 2, generation 3
    "SS6NSS",     // row 3, generation 1
    "SS8S8S6K",   // row 4, generation 3
    "SS8S7NSS",   // row 5, generation 2
    "SS8SWS7K",   // row 6, generation 3
    "SRNSWSWSS",  // row 7, generation 0
    "SS8SWS6K",   // row 8, generation 3
    "SS8S6NSS",   // row 9, generation 2
    "SS8S8S7K",   // row 10, generation 3
    "SS7NSWSS",   // row 11, generation 1
    "SSWS8S6K",   // row 12, generation 3
    "SSWS7NSS",   // row 13, generation 2
    "SSWSWS7K",   // row 14, generation 3
};

constexpr const char* kPedigreeBlankCell = "<TD  >&nbsp;</TD>";
constexpr const char* kPedigreeNarrowCell = "<TD WIDTH=7></TD>";
constexpr const char* kPedigreeEndCell = "<TD ><IMG SRC=\"q0.gif\" border=\"0\"></TD>";

std::string PedigreeLineCell(const char* image) {
  return lang::FormatText("<TD ><IMG SRC=\"%s\" WIDTH=7></TD>", image);
}

std::string PedigreeConnector(const PedigreeChartUnit& chart, int row) {
  const int offset = PedigreeParentOffset(row);
  const bool father = chart.rows[static_cast<std::size_t>(row - offset)].filled;
  const bool mother = chart.rows[static_cast<std::size_t>(row + offset)].filled;
  if (father && mother) return PedigreeLineCell("qa.gif");
  if (father) return PedigreeLineCell("qb.gif");
  if (mother) return PedigreeLineCell("qc.gif");
  return kPedigreeNarrowCell;
}

std::string PedigreeContinuationCell(const PedigreeCellUnit& cell) {
  if (cell.continuation.empty()) return kPedigreeBlankCell;
  return lang::FormatText("<TD ><A HREF=\"%s\"><IMG SRC=\"%s\" border=\"0\"></A></TD>",
                          cell.continuation.c_str(), "q9.gif");
}

void PedigreePersonCell(PageWriter& out, const PedigreeChartUnit& chart, int row) {
  const PedigreeCellUnit& cell = chart.rows[static_cast<std::size_t>(row)];
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("&nbsp;");
  if (row == kPedigreeRootRow && chart.place_anchor >= 0)
    out.AppendHtml(lang::FormatText("<a name=\"%d\"></a>", chart.place_anchor));
  if (cell.anchor < 0)
    out.AppendHtml("<a");
  else
    out.AppendHtml(lang::FormatText("<a name=\"%d\"", cell.anchor));
  if (!cell.link.empty())
    out.AppendHtml(" href=\"" + cell.link + "\">");
  else
    out.AppendHtml(">");
  if (cell.ancestor) out.AppendHtml("<img src=\"q5.gif\" border=0 >");
  if (!cell.surname.empty()) out.AppendHtml(cell.surname);
  out.AppendHtml(", ");
  if (!cell.given_names.empty()) out.AppendHtml(cell.given_names);
  if (!cell.title.empty()) out.AppendHtml(" " + cell.title);
  out.AppendHtml("</a>");
  if (cell.show_gedcom_id)
    out.AppendHtml(lang::FormatText("<small>{%s}</small> ", EscapeHtml(cell.gedcom_id).c_str()));
  if (cell.birth == PedigreeCellUnit::Birth::kWithheld)
    out.AppendHtml(labels.Get(kPedigreeLabelNotShown));
  else if (cell.birth == PedigreeCellUnit::Birth::kShown)
    out.AppendHtml("<br>&nbsp;" + labels.Get(kPedigreeLabelBorn) + " " + cell.birth_date);
  if (!cell.death_date.empty())
    out.AppendHtml("<br>&nbsp;" + labels.Get(kPedigreeLabelDied) + " " + cell.death_date);
}

void PedigreeRow(PageWriter& out, const PedigreeChartUnit& chart, const char* cells, int row) {
  out.AppendHtml("<TR>");
  for (const char* cell = cells; *cell; ++cell) {
    switch (*cell) {
      case 'S':
        out.AppendHtml(kPedigreeBlankCell);
        break;
      case 'W':
        out.AppendHtml(kPedigreeNarrowCell);
        break;
      case 'H':
        out.AppendHtml(kPedigreeEndCell);
        break;
      case '8':
        out.AppendHtml(PedigreeLineCell("q8.gif"));
        break;
      case 'c':
        out.AppendHtml(chart.rows[1].filled ? PedigreeLineCell("q8.gif")
                                            : std::string(kPedigreeNarrowCell));
        break;
      case '6':
      case '7':
        out.AppendHtml(PedigreeLineCell(*cell == '6' ? "q6.gif" : "q7.gif"));
        out.AppendHtml("<TD >");
        PedigreePersonCell(out, chart, row);
        out.AppendHtml("</TD>");
        break;
      case 'R':
        out.AppendHtml("<TD >");
        if (chart.place_anchor >= 0)
          out.AppendHtml(lang::FormatText("<a name=\"%d\">", chart.place_anchor));
        PedigreePersonCell(out, chart, row);
        out.AppendHtml("</TD>");
        break;
      case 'N':
        out.AppendHtml(PedigreeConnector(chart, row));
        break;
      case 'K':
        out.AppendHtml(PedigreeContinuationCell(chart.rows[static_cast<std::size_t>(row)]));
        break;
    }
  }
  out.AppendHtml("</TR>");
}

}  // namespace

void ClassicStyle::BeginPedigreePage(PageWriter& out, const ChartPageUnit& page) {
  if (!page.extended) out.AppendHtml("<p>");
}

void ClassicStyle::WritePedigreeChart(PageWriter& out, const PedigreeChartUnit& chart) {
  out.AppendHtml("<TABLE cellpadding=0 cellspacing=0 border=0>");
  PedigreeRow(out, chart, kPedigreeHeadAndFoot, -1);
  for (int row = 0; row < kPedigreeRows; ++row)
    if (chart.rows[static_cast<std::size_t>(row)].filled)
      PedigreeRow(out, chart, kPedigreeRowCells[row], row);
  PedigreeRow(out, chart, kPedigreeHeadAndFoot, -1);
  out.AppendHtml("</TABLE>");
}


// ---- surname lists, surname index pages, main index page ----


}  // namespace kinloom::site
