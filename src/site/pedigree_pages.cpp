#include "site/pedigree_pages.h"

#include <algorithm>
#include <array>
#include <string>

#include "lang/ui_text.h"
#include "site/images.h"
#include "site/page_facts.h"
#include "site/person_links.h"
#include "store/family_links.h"
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
constexpr int kStatusPedigree = 2346;
constexpr int kProgressStep = 3;

constexpr int kRows = kPedigreeRows;
constexpr int kRootRow = kPedigreeRootRow;
constexpr int kEmpty = -1;

bool HasChildren(SiteContext& site, const IndividualRecord& person) {
  const int families =
      std::min<int>(person.spouse_family_count, static_cast<int>(person.spouse_families.size()));
  for (int f = 0; f < families; ++f) {
    const FamilyRecord* family = store::SpouseFamily(site.store(), person, f);
    if (family && !family->children.empty()) return true;
  }
  return false;
}

// Decides every chart of the pedigree pages: who stands in which cell, which lines continue
// on extended charts, and which cell of each person carries its named anchor.
class PedigreeLayoutBuilder {
 public:
  PedigreeLayoutBuilder(SiteContext& site, PedigreeLayout& layout)
      : site_(site),
        layout_(layout),
        per_page_(ItemsPerPage(site.settings().groups_pedigree)),
        continuations_(ContinuationTable::kCapacity) {}

  void Run();

 private:
  // Lays out the chart of `person`; false (and nothing laid out) when the person is not a
  // child in any family.
  bool LayOutChart(std::int32_t person, bool extended, int group);
  void PlaceParents(PedigreeChart& chart, const IndividualRecord& person, int row);
  const FamilyRecord* ParentsFamily(const IndividualRecord& person);
  const IndividualRecord* Shown(std::int32_t index);
  std::int32_t PositionOf(const IndividualRecord& person) const {
    return static_cast<std::int32_t>(&person - site_.store().individuals.data());
  }

  SiteContext& site_;
  PedigreeLayout& layout_;
  const int per_page_;
  int anchor_ = 0;  // named anchors given so far, over every page of the kind
  ContinuationTable continuations_;
};

void PedigreeLayoutBuilder::Run() {
  const store::GenealogyStore& store = site_.store();
  layout_.bookmarks.Reset(store.individuals.size());
  layout_.charts.clear();
  layout_.continuations.clear();
  // Charts follow the individual table: the order of the GEDCOM file.
  const int count = static_cast<int>(store.individuals.size());
  int group = 0;
  for (int i = 0; i < count; ++i) {
    const IndividualRecord& person = store.individuals[static_cast<std::size_t>(i)];
    if (!person.defined) continue;  // without a name: on no page
    // Charts start only from individuals without children.
    if (HasChildren(site_, person)) continue;
    if (LayOutChart(i, false, group)) ++group;
  }
  // Charts laid out here may append entries; they follow in order until none remain.
  for (int p = 0; p < continuations_.size(); ++p) LayOutChart(continuations_.at(p), true, p);
  for (int p = 0; p < continuations_.size(); ++p)
    layout_.continuations.push_back(continuations_.at(p));
}

const FamilyRecord* PedigreeLayoutBuilder::ParentsFamily(const IndividualRecord& person) {
  if (person.parents_family_count <= 0 || person.parents_family.empty()) return nullptr;
  return store::ParentsFamily(site_.store(), person);
}

// A parent without a name is on no page, so the chart leaves its place empty.
const IndividualRecord* PedigreeLayoutBuilder::Shown(std::int32_t index) {
  const IndividualRecord* person = store::IndividualAt(site_.store(), index);
  return person && person->defined ? person : nullptr;
}

bool PedigreeLayoutBuilder::LayOutChart(std::int32_t person, bool extended, int group) {
  const IndividualRecord& root = site_.store().individuals[static_cast<std::size_t>(person)];
  if (!ParentsFamily(root)) return false;
  PedigreeChart chart;
  chart.extended = extended;
  chart.group = group;
  chart.rows.fill(kEmpty);
  chart.rows[kRootRow] = person;
  PlaceParents(chart, root, kRootRow);
  // The first cell of a person, in the order the rows are written, is the one the index
  // pages and family pages link to.
  store::ExpandingArrayStatistics* statistics = BookmarkStatistics(site_.run);
  for (int row = 0; row < kRows; ++row) {
    const std::int32_t shown = chart.rows[static_cast<std::size_t>(row)];
    if (shown == kEmpty || layout_.bookmarks.OnChart(shown)) continue;
    const IndividualRecord& record = site_.store().individuals[static_cast<std::size_t>(shown)];
    const store::ArrayOwner owner{'I', record.index, record.name};
    chart.SetAnchor(row, anchor_);
    layout_.bookmarks.Add(shown, {false, PageOfItem(group, per_page_), anchor_, -1, -1}, statistics,
                          owner);
    layout_.bookmarks.Add(shown, {false, extended ? 1 : 0, -1, -1, -1}, statistics, owner);
    ++anchor_;
  }
  layout_.charts.push_back(chart);
  return true;
}

void PedigreeLayoutBuilder::PlaceParents(PedigreeChart& chart, const IndividualRecord& person,
                                         int row) {
  const FamilyRecord* family = ParentsFamily(person);
  if (!family) return;
  if (PedigreeGenerationOfRow(row) == 3) {
    // The parents of a great-grandparent are shown on an extended chart of their own.
    chart.SetContinuation(row, continuations_.PositionOf(PositionOf(person)));
    return;
  }
  const int offset = PedigreeParentOffset(row);
  const IndividualRecord* father = Shown(family->husband_index);
  const IndividualRecord* mother = Shown(family->wife_index);
  if (father) chart.rows[static_cast<std::size_t>(row - offset)] = PositionOf(*father);
  if (mother) chart.rows[static_cast<std::size_t>(row + offset)] = PositionOf(*mother);
  if (father) PlaceParents(chart, *father, row - offset);
  if (mother) PlaceParents(chart, *mother, row + offset);
}

// Writes the pedigree pages from the layout.
class PedigreeWriter {
 public:
  explicit PedigreeWriter(SiteContext& site)
      : site_(site),
        layout_(site.layout().pedigree),
        options_(site.settings()),
        out_(site.writer),
        per_page_(ItemsPerPage(site.settings().groups_pedigree)) {}

  void Run();

 private:
  PedigreeChartUnit ChartUnit(const PedigreeChart& chart) const;
  PedigreeCellUnit CellUnit(const PedigreeChart& chart, int row) const;
  void WriteChart(const PedigreeChart& chart, int group);
  void OpenChartPage(PageKind kind, int group, const std::string& title);
  void WriteExtendedPages(std::size_t first);

  bool BackLinksWanted() const {
    return !options_.minimize_absolute && !options_.one_index_page_link;
  }

  SiteContext& site_;
  const PedigreeLayout& layout_;
  const settings::Settings& options_;
  PageWriter& out_;
  const int per_page_;
};

void PedigreeWriter::Run() {
  const store::GenealogyStore& store = site_.store();
  // The modern pages draw their charts without the GIF pieces.
  if (!options_.modern_pages())
    for (int image : kChartImages) ExtractImage(out_, image);

  bool open = false;
  bool wrote_on_page = false;
  int group = 0;  // charts written on the main pages
  std::size_t next = 0;
  const int count = static_cast<int>(store.individuals.size());
  for (int i = 0; i < count; ++i) {
    if (i == 0 || (wrote_on_page && group % per_page_ == 0)) {
      if (open) {
        ShowProgress(site_.run, kProgressStep,
                     FormatText("%s : %d", lang::LoadUiText(kStatusPedigree, options_).c_str(),
                                PageOfItem(group, per_page_)),
                     true);
        out_.ClosePage();
      }
      OpenChartPage(PageKind::kPedigree, group,
                    ChartPageTitle(site_.language.pedigree_text_a, PageOfItem(group, per_page_),
                                   site_.language.pedigree_text_b));
      site_.style().BeginPedigreePage(out_, ChartPageUnit{false, true});
      open = true;
      wrote_on_page = false;
    }
    if (next >= layout_.charts.size()) continue;
    const PedigreeChart& chart = layout_.charts[next];
    if (chart.extended || chart.root() != i) continue;
    WriteChart(chart, group);
    ++group;
    ++next;
    wrote_on_page = true;
  }
  if (open) out_.ClosePage();

  if (next < layout_.charts.size()) WriteExtendedPages(next);
}

void PedigreeWriter::WriteExtendedPages(std::size_t first) {
  bool open = false;
  for (std::size_t c = first; c < layout_.charts.size(); ++c) {
    const PedigreeChart& chart = layout_.charts[c];
    const int p = chart.group;
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
          PageKind::kExtendedPedigree, p,
          ExtendedChartPageTitle(site_.language.pedigree_text_a, site_.Label(kLabelExtended),
                                 PageOfItem(p, per_page_), site_.language.pedigree_text_b));
      site_.style().BeginPedigreePage(out_, ChartPageUnit{true, true});
      open = true;
    }
    WriteChart(chart, p);
  }
  if (open) out_.ClosePage();
}

void PedigreeWriter::OpenChartPage(PageKind kind, int group, const std::string& title) {
  std::string file =
      NumberedPageFile(site_.Prefix(kind), PageOfItem(group, per_page_), site_.Extension());
  out_.OpenPage(site_.OutputPath(file), title, true, true);
}

void PedigreeWriter::WriteChart(const PedigreeChart& chart, int group) {
  site_.style().WritePedigreeChart(out_, ChartUnit(chart));
  if (BackLinksWanted()) out_.WriteBackLink();
  if (group % per_page_ != per_page_ - 1) out_.WriteRule();
}

PedigreeChartUnit PedigreeWriter::ChartUnit(const PedigreeChart& chart) const {
  PedigreeChartUnit unit;
  if (chart.extended) unit.place_anchor = PlaceOnPage(chart.group, per_page_);
  for (int row = 0; row < kRows; ++row)
    if (chart.rows[static_cast<std::size_t>(row)] != kEmpty)
      unit.rows[static_cast<std::size_t>(row)] = CellUnit(chart, row);
  return unit;
}

PedigreeCellUnit PedigreeWriter::CellUnit(const PedigreeChart& chart, int row) const {
  using Birth = PedigreeCellUnit::Birth;
  const std::size_t at = static_cast<std::size_t>(row);
  const IndividualRecord& person =
      site_.store().individuals[static_cast<std::size_t>(chart.rows[at])];
  PedigreeCellUnit cell;
  cell.filled = true;
  cell.anchor = chart.Anchor(row);
  if (options_.create_family_groups) cell.link = FamilyGroupTarget(site_, person);
  cell.ancestor = site_.MarkAncestors() && person.ancestor;
  cell.surname = person.surname;
  cell.given_names = person.given_names;
  cell.title = person.title;
  cell.show_gedcom_id = options_.show_gedcom_ids != 0;
  cell.gedcom_id = person.id;
  const ShownDates dates = DatesShown(person, DatesOn::kPedigree, options_);
  if (dates.birth.withheld) {
    cell.birth = Birth::kWithheld;
  } else if (dates.birth.shown) {
    cell.birth = Birth::kShown;
    cell.birth_date = dates.birth.date;
  }
  // Death and burial data are shown for the living too.
  cell.death_date = dates.death.date;
  const int continuation = chart.Continuation(row);
  if (continuation != kEmpty)
    cell.continuation = ItemTarget(site_.Prefix(PageKind::kExtendedPedigree), continuation,
                                   per_page_, site_.Extension());
  return cell;
}

}  // namespace

void LayOutPedigreeCharts(SiteContext& site) {
  PedigreeLayoutBuilder(site, site.layout_to_fill().pedigree).Run();
  site.layout().pedigree.bookmarks.Settle();
}

void WritePedigreePages(SiteContext& site) { PedigreeWriter(site).Run(); }

}  // namespace kinloom::site
