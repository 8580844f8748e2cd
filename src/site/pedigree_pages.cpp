#include "site/pedigree_pages.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>

#include "lang/ui_text.h"
#include "site/images.h"
#include "site/person_links.h"
#include "store/expanding_array.h"
#include "store/page_layout.h"

namespace kinloom::site {

int ContinuationTable::PositionOf(std::int32_t individual) {
  auto found = positions_.find(individual);
  if (found != positions_.end()) return found->second;
  if (size() >= capacity_) return 0;
  int position = size();
  entries_.push_back(individual);
  positions_.emplace(individual, position);
  return position;
}

namespace {

using lang::FormatText;
using store::FamilyRecord;
using store::IndividualRecord;

constexpr int kLabelExtended = 12397;
constexpr int kLabelNotShown = 12424;
constexpr int kLabelBorn = 12425;
constexpr int kLabelDied = 12426;
constexpr int kStatusPedigree = 2346;
constexpr int kProgressStep = 3;

// Written before the first page, in this order.
constexpr int kChartImages[] = {kImageContinuation, kImageFatherLine, kImageMotherLine,
                                kImageVerticalLine, kImageChartEnd,   kImagePedigreeIcon,
                                kImageBothParents,  kImageFatherOnly, kImageMotherOnly};

constexpr int kRows = 15;
constexpr int kRootRow = 7;
constexpr int kEmpty = -1;

// The cells of each chart row, one letter per cell: S blank, W narrow blank, H chart end,
// 8 vertical line, 6 and 7 the line left of a father or a mother followed by the person,
// R the root person, N the connector to the person's parents, K the continuation arrow,
// c a vertical line only when row 1 is filled.
//
// The narrow cells of the head and foot rows lie in the line columns (2, 4, 6), as in every
// other row; a narrow cell above a name column would hold that column to its narrowest, so
// that names and dates break at every blank and the 55-pixel line images no longer meet.
constexpr const char* kHeadAndFoot = "HSWSWSWSH";
constexpr const char* kRowCells[kRows] = {
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

constexpr const char* kBlankCell = "<TD  >&nbsp;</TD>";
constexpr const char* kNarrowCell = "<TD WIDTH=7></TD>";
constexpr const char* kEndCell = "<TD ><IMG SRC=\"q0.gif\" border=\"0\"></TD>";

std::string LineCell(const char* image) {
  return FormatText("<TD ><IMG SRC=\"%s\" WIDTH=7></TD>", image);
}

// Generation 0 is the root (row 7), 1 the parents (rows 3, 11), 2 the grandparents (the other
// odd rows), 3 the great-grandparents (the even rows).
int GenerationOfRow(int row) {
  if (row == kRootRow) return 0;
  if (row == 3 || row == 11) return 1;
  return row % 2 == 1 ? 2 : 3;
}

// How far the rows of a person's father and mother lie above and below the person's row.
int ParentOffset(int row) { return 4 >> GenerationOfRow(row); }

class PedigreeWriter {
 public:
  explicit PedigreeWriter(SiteContext& site)
      : site_(site),
        options_(site.settings()),
        out_(site.writer),
        per_page_(static_cast<int>(
            std::clamp<std::uint32_t>(site.settings().groups_pedigree, 1, INT_MAX))) {}

  int Run();

 private:
  bool WriteChart(std::int32_t person);
  void PlaceParents(const IndividualRecord& person, int row);
  const FamilyRecord* ParentsFamily(const IndividualRecord& person);
  const IndividualRecord* Shown(const std::string& id);
  void WriteTable();
  void WriteRow(const char* cells, int row);
  void WritePersonCell(std::int32_t person, bool root);
  std::string Connector(int row) const;
  std::string ContinuationCell(int row) const;
  void EndChart();
  void OpenChartPage(PageKind kind, const std::string& title);
  void WriteExtendedPages();

  std::int32_t PositionOf(const IndividualRecord& person) const {
    return static_cast<std::int32_t>(&person - site_.store().individuals.data());
  }
  bool BackLinksWanted() const {
    return !options_.minimize_absolute && !options_.one_index_page_link;
  }

  SiteContext& site_;
  const settings::Settings& options_;
  PageWriter& out_;
  const int per_page_;

  int group_ = 0;   // charts written in the current pass
  int anchor_ = 0;  // named anchors written so far, over every page of this writer
  bool extended_ = false;
  ContinuationTable continuations_;

  std::array<std::int32_t, kRows> rows_{};
  std::array<bool, kRows> continued_{};
  std::array<int, kRows> continuation_{};
};

int PedigreeWriter::Run() {
  store::GenealogyStore& store = site_.store();
  for (IndividualRecord& person : store.individuals) person.bookmarks.clear();
  for (int image : kChartImages) ExtractImage(out_, image);

  bool open = false;
  bool wrote_on_page = false;
  // Charts follow the individual table: the order of the GEDCOM file.
  const int count = static_cast<int>(store.individuals.size());
  for (int i = 0; i < count; ++i) {
    if (i == 0 || (wrote_on_page && group_ % per_page_ == 0)) {
      if (open) {
        ShowProgress(site_.run, kProgressStep,
                     FormatText("%s : %d", lang::LoadUiText(kStatusPedigree, options_).c_str(),
                                group_ / per_page_),
                     true);
        out_.ClosePage();
      }
      OpenChartPage(PageKind::kPedigree,
                    FormatText("%s %li %s", site_.language.pedigree_text_a.c_str(),
                               static_cast<long>(group_ / per_page_ + 1),
                               site_.language.pedigree_text_b.c_str()));
      out_.AppendHtml("<p>");
      open = true;
      wrote_on_page = false;
    }
    const IndividualRecord& person = store.individuals[static_cast<std::size_t>(i)];
    if (!person.defined) continue;  // without a name: on no page
    // Charts start only from individuals without children.
    bool has_children = false;
    const int families =
        std::min<int>(person.spouse_family_count, static_cast<int>(person.spouse_families.size()));
    for (int f = 0; f < families && !has_children; ++f) {
      const FamilyRecord* family = store::ResolveFamily(
          site_.run, person.spouse_families[static_cast<std::size_t>(f)], person);
      has_children = family && !family->children.empty();
    }
    if (has_children) continue;
    if (WriteChart(i)) {
      EndChart();
      ++group_;
      wrote_on_page = true;
    }
  }
  if (open) out_.ClosePage();

  if (!continuations_.empty()) {
    group_ = 0;
    WriteExtendedPages();
  }
  return 1;
}

void PedigreeWriter::WriteExtendedPages() {
  extended_ = true;
  bool open = false;
  // Charts written here may append entries; they follow in order until none remain.
  for (int p = 0; p < continuations_.size(); ++p) {
    group_ = p;
    if (p % per_page_ == 0) {
      if (open) {
        if (p > 0)
          ShowProgress(
              site_.run, kProgressStep,
              FormatText("%s %s : %d", lang::LoadUiText(kStatusPedigree, options_).c_str(),
                         lang::LoadUiText(kLabelExtended, options_).c_str(), p / per_page_),
              true);
        out_.ClosePage();
      }
      OpenChartPage(
          PageKind::kExtendedPedigree,
          FormatText("%s %s %li %s", site_.language.pedigree_text_a.c_str(),
                     site_.Label(kLabelExtended).c_str(), static_cast<long>(p / per_page_ + 1),
                     site_.language.pedigree_text_b.c_str()));
      open = true;
    }
    WriteChart(continuations_.at(p));
    EndChart();
  }
  if (open) out_.ClosePage();
}

void PedigreeWriter::OpenChartPage(PageKind kind, const std::string& title) {
  std::string file =
      FormatText("%s_%x.%s", site_.Prefix(kind).c_str(), static_cast<unsigned>(group_ / per_page_),
                 site_.Extension().c_str());
  out_.OpenPage(site_.OutputPath(file), title, true, true);
}

void PedigreeWriter::EndChart() {
  if (BackLinksWanted()) out_.WriteBackLink();
  if (group_ % per_page_ != per_page_ - 1) out_.WriteRule();
}

const FamilyRecord* PedigreeWriter::ParentsFamily(const IndividualRecord& person) {
  if (person.parents_family_count <= 0 || person.parents_family.empty()) return nullptr;
  return store::ResolveFamily(site_.run, person.parents_family, person);
}

// A parent without a name is on no page, so the chart leaves its place empty.
const IndividualRecord* PedigreeWriter::Shown(const std::string& id) {
  const IndividualRecord* person = store::ResolveIndividual(site_.run, id);
  return person && person->defined ? person : nullptr;
}

bool PedigreeWriter::WriteChart(std::int32_t person) {
  const IndividualRecord& root = site_.store().individuals[static_cast<std::size_t>(person)];
  if (!ParentsFamily(root)) return false;
  rows_.fill(kEmpty);
  continued_.fill(false);
  continuation_.fill(kEmpty);
  rows_[kRootRow] = person;
  PlaceParents(root, kRootRow);
  WriteTable();
  return true;
}

void PedigreeWriter::PlaceParents(const IndividualRecord& person, int row) {
  const FamilyRecord* family = ParentsFamily(person);
  if (!family) return;
  if (GenerationOfRow(row) == 3) {
    // The parents of a great-grandparent are shown on an extended chart of their own.
    continued_[static_cast<std::size_t>(row)] = true;
    continuation_[static_cast<std::size_t>(row)] = continuations_.PositionOf(PositionOf(person));
    return;
  }
  const int offset = ParentOffset(row);
  const IndividualRecord* father = Shown(family->husband);
  const IndividualRecord* mother = Shown(family->wife);
  if (father) rows_[static_cast<std::size_t>(row - offset)] = PositionOf(*father);
  if (mother) rows_[static_cast<std::size_t>(row + offset)] = PositionOf(*mother);
  if (father) PlaceParents(*father, row - offset);
  if (mother) PlaceParents(*mother, row + offset);
}

void PedigreeWriter::WriteTable() {
  out_.AppendHtml("<TABLE cellpadding=0 cellspacing=0 border=0>");
  WriteRow(kHeadAndFoot, kEmpty);
  for (int row = 0; row < kRows; ++row)
    if (rows_[static_cast<std::size_t>(row)] != kEmpty) WriteRow(kRowCells[row], row);
  WriteRow(kHeadAndFoot, kEmpty);
  out_.AppendHtml("</TABLE>");
}

void PedigreeWriter::WriteRow(const char* cells, int row) {
  out_.AppendHtml("<TR>");
  for (const char* cell = cells; *cell; ++cell) {
    switch (*cell) {
      case 'S':
        out_.AppendHtml(kBlankCell);
        break;
      case 'W':
        out_.AppendHtml(kNarrowCell);
        break;
      case 'H':
        out_.AppendHtml(kEndCell);
        break;
      case '8':
        out_.AppendHtml(LineCell("q8.gif"));
        break;
      case 'c':
        out_.AppendHtml(rows_[1] == kEmpty ? std::string(kNarrowCell) : LineCell("q8.gif"));
        break;
      case '6':
      case '7':
        out_.AppendHtml(LineCell(*cell == '6' ? "q6.gif" : "q7.gif"));
        out_.AppendHtml("<TD >");
        WritePersonCell(rows_[static_cast<std::size_t>(row)], false);
        out_.AppendHtml("</TD>");
        break;
      case 'R':
        out_.AppendHtml("<TD >");
        if (extended_) out_.AppendHtml(FormatText("<a name=\"%d\">", group_ % per_page_));
        WritePersonCell(rows_[static_cast<std::size_t>(row)], true);
        out_.AppendHtml("</TD>");
        break;
      case 'N':
        out_.AppendHtml(Connector(row));
        break;
      case 'K':
        out_.AppendHtml(ContinuationCell(row));
        break;
    }
  }
  out_.AppendHtml("</TR>");
}

std::string PedigreeWriter::Connector(int row) const {
  const int offset = ParentOffset(row);
  const bool father = rows_[static_cast<std::size_t>(row - offset)] != kEmpty;
  const bool mother = rows_[static_cast<std::size_t>(row + offset)] != kEmpty;
  if (father && mother) return LineCell("qa.gif");
  if (father) return LineCell("qb.gif");
  if (mother) return LineCell("qc.gif");
  return kNarrowCell;
}

std::string PedigreeWriter::ContinuationCell(int row) const {
  if (!continued_[static_cast<std::size_t>(row)]) return kBlankCell;
  const int position = continuation_[static_cast<std::size_t>(row)];
  return FormatText("<TD ><A HREF=\"%s_%x.%s#%d\"><IMG SRC=\"%s\" border=\"0\"></A></TD>",
                    site_.Prefix(PageKind::kExtendedPedigree).c_str(),
                    static_cast<unsigned>(position / per_page_), site_.Extension().c_str(),
                    position % per_page_, "q9.gif");
}

void PedigreeWriter::WritePersonCell(std::int32_t index, bool root) {
  IndividualRecord& person = site_.store().individuals[static_cast<std::size_t>(index)];
  out_.AppendHtml("&nbsp;");
  if (root && extended_) out_.AppendHtml(FormatText("<a name=\"%d\"></a>", group_ % per_page_));
  if (OnChart(person)) {
    out_.AppendHtml("<a");
  } else {
    // The first cell of a person is the one the index pages and family pages link to.
    out_.AppendHtml(FormatText("<a name=\"%d\"", anchor_));
    store::ExpandingArrayStatistics* statistics = BookmarkStatistics(site_.run);
    store::AddBookmark(person, {false, group_ / per_page_, anchor_, -1, -1}, statistics);
    store::AddBookmark(person, {false, extended_ ? 1 : 0, -1, -1, -1}, statistics);
    ++anchor_;
  }
  if (options_.create_family_groups)
    out_.AppendHtml(" href=\"" + FamilyGroupTarget(site_, person) + "\">");
  else
    out_.AppendHtml(">");
  if (site_.MarkAncestors() && person.ancestor) WriteRedDot(site_);
  if (!person.surname.empty()) out_.AppendHtml(person.surname);
  out_.AppendHtml(", ");
  if (!person.given_names.empty()) out_.AppendHtml(person.given_names);
  if (!person.title.empty()) out_.AppendHtml(" " + person.title);
  out_.AppendHtml("</a>");
  if (options_.show_gedcom_ids) WriteGedcomId(site_, person);

  if (!person.birth_date.empty() || !person.christening_date.empty()) {
    if (options_.suppress_living && IsLiving(person)) {
      out_.AppendHtml(site_.Label(kLabelNotShown));
    } else {
      out_.AppendHtml("<br>&nbsp;" + site_.Label(kLabelBorn) + " ");
      if (person.birth_seen && !person.birth_date.empty())
        out_.AppendHtml(person.birth_date);
      else if (!person.birth_seen && options_.use_baptism && !person.christening_date.empty())
        out_.AppendHtml(person.christening_date);
    }
  }
  // Death and burial data are shown for the living too.
  if (!person.death_date.empty())
    out_.AppendHtml("<br>&nbsp;" + site_.Label(kLabelDied) + " " + person.death_date);
  else if (!person.burial_date.empty())
    out_.AppendHtml("<br>&nbsp;" + site_.Label(kLabelDied) + " " + person.burial_date);
}

}  // namespace

int WritePedigreePages(SiteContext& site) {
  PedigreeWriter writer(site);
  return writer.Run();
}

}  // namespace kinloom::site
