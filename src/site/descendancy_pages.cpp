#include "site/descendancy_pages.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "lang/ui_text.h"
#include "site/family_group_pages.h"
#include "site/page_facts.h"
#include "site/person_links.h"
#include "store/expanding_array.h"
#include "store/family_links.h"
#include "store/page_layout.h"

namespace kinloom::site {
namespace {

using lang::FormatText;
using store::FamilyRecord;
using store::IndividualRecord;

constexpr int kProgressStep = 13;
constexpr int kUiCreatingDescendancy = 2349;
constexpr int kLabelExtended = 12397;

// Walks the descendancy outlines of the main pages and then of the extended pages, in page
// order. Laying out (`fill` given), it decides which individuals head trees, the
// continuation table and the bookmarks; writing, it reads them from the site's layout and
// writes the pages. Both walks number the named anchors alike.
class DescendancyWalk {
 public:
  DescendancyWalk(SiteContext& site, DescendancyLayout* fill, int continuation_limit)
      : site_(site),
        run_(site.run),
        store_(site.store()),
        options_(site.settings()),
        out_(site.writer),
        layout_(fill != nullptr ? *fill : site.layout().descendancy),
        fill_(fill),
        per_page_(ItemsPerPage(options_.groups_descendancy)),
        plain_colours_(site.ColoursSuppressed()),
        no_back_link_(options_.minimize_absolute != 0 || options_.one_index_page_link != 0),
        topmost_(options_.group_only_for_topmost != 0),
        family_links_(options_.create_family_groups != 0),
        continuation_limit_(continuation_limit) {}

  void Run();

 private:
  bool writing() const { return fill_ == nullptr; }
  void MainPass();
  void ExtendedPasses();
  void ExtendedPass(int from, int to);
  // Whether the individual heads a tree on the main pages; laying out, decides it and
  // marks the spouses of a non-root as shown.
  bool IsRoot(const IndividualRecord& person);
  void OpenChartPage(PageKind kind, int page, const std::string& title);
  void CloseChartPage(const std::string& progress);
  void WriteDescendants(const IndividualRecord& person, int depth, bool extended);
  OutlinePersonUnit PersonUnit(const IndividualRecord& person, int depth, int anchor,
                               bool link) const;
  void SetMarriage(const FamilyRecord& family, OutlineFamilyUnit& unit);
  // The continuation entry of `person`, appended when laying out; -1 when the table is full.
  int Continuation(const IndividualRecord& person);
  void RecordBookmark(const IndividualRecord& person, bool extended);
  // The spouse shown beside `person` in `family`, or null.
  IndividualRecord* SpouseIn(const FamilyRecord& family, const IndividualRecord& person);
  // The number of spouse families `person` names; SpouseFamily(person, k) is null for a
  // family that could not be followed.
  int SpouseFamilyCount(const IndividualRecord& person) const;
  FamilyRecord* SpouseFamily(const IndividualRecord& person, int k) const {
    return store::SpouseFamily(run_.store, person, k);
  }
  bool HasChildren(const IndividualRecord& person);
  bool HasParents(const IndividualRecord& person);
  std::int32_t Position(const IndividualRecord& person) const {
    return static_cast<std::int32_t>(&person - store_.individuals.data());
  }
  std::string Extension() const { return site_.Extension(); }

  SiteContext& site_;
  run::RunContext& run_;
  const store::GenealogyStore& store_;
  const settings::Settings& options_;
  PageWriter& out_;
  const DescendancyLayout& layout_;
  DescendancyLayout* const fill_;
  const int per_page_;
  const bool plain_colours_;
  const bool no_back_link_;
  const bool topmost_;
  const bool family_links_;
  const int continuation_limit_;

  int group_counter_ = 0;
  int anchor_counter_ = 0;
  std::int32_t couple_root_ = -1;
  std::int32_t couple_spouse_ = -1;
  ChartPageUnit page_;
  // Laying out: individuals already shown beside a root, or beside a non-root as a spouse.
  std::vector<bool> visited_;
};

void DescendancyWalk::Run() {
  if (fill_ != nullptr) {
    fill_->bookmarks.Reset(store_.individuals.size());
    fill_->roots.assign(store_.individuals.size(), false);
    fill_->continuations.clear();
    fill_->continuation_positions.clear();
    visited_.assign(store_.individuals.size(), false);
  }
  MainPass();
  if (!layout_.continuations.empty()) {
    group_counter_ = 0;
    ExtendedPasses();
  }
}

void DescendancyWalk::OpenChartPage(PageKind kind, int page, const std::string& title) {
  std::string file = NumberedPageFile(site_.Prefix(kind), page, Extension());
  out_.OpenPage(site_.OutputPath(file), title, true, true);
  page_ = {kind == PageKind::kExtendedDescendancy, !plain_colours_};
  site_.style().BeginDescendancyPage(out_, page_);
}

void DescendancyWalk::CloseChartPage(const std::string& progress) {
  site_.style().EndDescendancyPage(out_, page_);
  ShowProgress(run_, kProgressStep, progress, true);
  out_.ClosePage();
}

OutlinePersonUnit DescendancyWalk::PersonUnit(const IndividualRecord& person, int depth, int anchor,
                                              bool link) const {
  OutlinePersonUnit unit;
  unit.depth = depth;
  unit.colour = plain_colours_ ? kPlainColour : LevelColour(options_, depth);
  unit.anchor = anchor;
  if (link) unit.link = FamilyGroupTarget(site_, person);
  unit.ancestor = site_.MarkAncestors() && person.ancestor;
  unit.surname = person.surname;
  unit.given_names = person.given_names;
  unit.title = person.title;
  unit.show_gedcom_id = options_.show_gedcom_ids != 0;
  unit.gedcom_id = person.id;
  return unit;
}

bool DescendancyWalk::IsRoot(const IndividualRecord& person) {
  if (writing()) return layout_.IsRoot(Position(person));
  if (visited_[static_cast<std::size_t>(Position(person))]) return false;
  bool root = topmost_ ? !HasParents(person) : HasChildren(person);
  if (!root) {
    for (int k = 0, count = SpouseFamilyCount(person); k < count; ++k)
      if (const FamilyRecord* family = SpouseFamily(person, k))
        if (const IndividualRecord* other = SpouseIn(*family, person))
          visited_[static_cast<std::size_t>(Position(*other))] = true;
    return false;
  }
  fill_->roots[static_cast<std::size_t>(Position(person))] = true;
  return true;
}

void DescendancyWalk::MainPass() {
  const std::string creating =
      writing() ? lang::LoadUiText(kUiCreatingDescendancy, options_) : std::string();
  const SiteLanguage& language = site_.language;
  int groups_on_page = 0;
  for (std::size_t i = 0; i < store_.individuals.size(); ++i) {
    if (i == 0 || (groups_on_page > 0 && group_counter_ % per_page_ == 0)) {
      int page = PageOfItem(group_counter_, per_page_);
      if (writing()) {
        if (out_.is_open()) CloseChartPage(FormatText("%s: %d", creating.c_str(), page));
        OpenChartPage(
            PageKind::kDescendancy, page,
            ChartPageTitle(language.descendancy_text_a, page, language.descendancy_text_b));
      }
      groups_on_page = 0;
    }
    const IndividualRecord& person = store_.individuals[i];
    if (!IsRoot(person)) continue;
    couple_root_ = Position(person);
    couple_spouse_ = -1;
    if (writing()) site_.style().BeginDescendancyTree(out_, OutlineTreeUnit{});
    WriteDescendants(person, 0, false);
    if (writing()) {
      if (!no_back_link_) out_.WriteBackLink();
      if (group_counter_ % per_page_ != per_page_ - 1) out_.WriteRule();
    }
    ++group_counter_;
    ++groups_on_page;
  }
  if (writing() && out_.is_open()) out_.ClosePage();
}

// Each extended group opens with an anchor named by its position on the page (0 … GD-1),
// which the continuation links name. Person anchors on extended pages start at GD or above
// so that the two never share a number.
void DescendancyWalk::ExtendedPasses() {
  if (anchor_counter_ < per_page_) anchor_counter_ = per_page_;
  if (fill_ != nullptr) {
    // Entries appended while one pass is laid out form the next pass, which starts on a
    // fresh page; the passes run one after the other until a pass appends nothing.
    int from = 0;
    int to = static_cast<int>(fill_->continuations.size());
    while (from < to) {
      int added = per_page_ - static_cast<int>(fill_->continuations.size()) % per_page_;
      fill_->continuations.resize(fill_->continuations.size() + static_cast<std::size_t>(added),
                                  -1);
      ExtendedPass(from, to);
      from = to + added;
      to = static_cast<int>(fill_->continuations.size());
    }
    return;
  }
  // The passes are the runs of entries between the padding.
  const int count = static_cast<int>(layout_.continuations.size());
  for (int from = 0; from < count;) {
    if (layout_.continuations[static_cast<std::size_t>(from)] == -1) {
      ++from;
      continue;
    }
    int to = from;
    while (to < count && layout_.continuations[static_cast<std::size_t>(to)] != -1) ++to;
    ExtendedPass(from, to);
    from = to;
  }
}

void DescendancyWalk::ExtendedPass(int from, int to) {
  std::string creating, extended_ui, extended_page;
  if (writing()) {
    creating = lang::LoadUiText(kUiCreatingDescendancy, options_);
    extended_ui = lang::LabelSet(options_.labels_in_french ? 1 : 0).Get(kLabelExtended);
    extended_page = site_.Label(kLabelExtended);
  }
  const SiteLanguage& language = site_.language;
  bool page_open = false;
  for (int p = from; p < to; ++p) {
    if (writing() && (p == from || p % per_page_ == 0)) {
      if (page_open)
        CloseChartPage(
            FormatText("%s %s : %d", creating.c_str(), extended_ui.c_str(), p / per_page_));
      const int page = PageOfItem(p, per_page_);
      OpenChartPage(PageKind::kExtendedDescendancy, page,
                    ExtendedChartPageTitle(language.descendancy_text_a, extended_page, page,
                                           language.descendancy_text_b));
      page_open = true;
    }
    group_counter_ = p;
    const IndividualRecord& root = store_.individuals[static_cast<std::size_t>(
        layout_.continuations[static_cast<std::size_t>(p)])];
    couple_root_ = Position(root);
    couple_spouse_ = -1;
    if (writing())
      site_.style().BeginDescendancyTree(out_, OutlineTreeUnit{PlaceOnPage(p, per_page_)});
    WriteDescendants(root, 0, true);
    if (writing()) {
      if (!no_back_link_) out_.WriteBackLink();
      if (p % per_page_ != per_page_ - 1) out_.WriteRule();
    }
  }
  if (page_open) out_.ClosePage();
}

void DescendancyWalk::RecordBookmark(const IndividualRecord& person, bool extended) {
  if (fill_ != nullptr) {
    Bookmark mark;
    mark.extended = extended;
    mark.page = PageOfItem(group_counter_, per_page_);
    mark.anchor = anchor_counter_;
    mark.first_person = couple_root_;
    mark.second_person = couple_spouse_;
    // A full list keeps its first 55 appearances.
    fill_->bookmarks.Add(Position(person), mark, BookmarkStatistics(site_.run),
                         {'I', person.index, person.name});
  }
  ++anchor_counter_;
}

void DescendancyWalk::WriteDescendants(const IndividualRecord& person, int depth, bool extended) {
  // A record without a name has no family group of its own to link to.
  const bool group_link = family_links_ && person.defined;
  int anchor = -1;
  if (depth == 0 || topmost_) {
    anchor = anchor_counter_;
    RecordBookmark(person, extended);
  }
  OutlinePersonUnit level;
  if (writing()) {
    level = PersonUnit(person, depth, anchor, group_link);
    site_.style().OpenOutlineLevel(out_, level, [&] { return WriteVitals(site_, person, true); });
  }

  for (int f = 0, families = SpouseFamilyCount(person); f < families; ++f) {
    const FamilyRecord* family = SpouseFamily(person, f);
    if (!family) continue;
    // The children of a root's family without a spouse are in the tree of the root alone.
    if (depth == 0) couple_spouse_ = -1;
    OutlineFamilyUnit unit;
    const IndividualRecord* spouse = SpouseIn(*family, person);
    if (spouse) {
      int spouse_anchor = -1;
      if (depth == 0) {
        couple_spouse_ = Position(*spouse);
        if (!writing()) visited_[static_cast<std::size_t>(Position(*spouse))] = true;
        spouse_anchor = anchor_counter_;
        RecordBookmark(*spouse, extended);
      }
      if (writing()) {
        unit.has_spouse = true;
        unit.spouse = PersonUnit(*spouse, depth, spouse_anchor, family_links_);
      }
    }
    if (writing()) {
      SetMarriage(*family, unit);
      site_.style().WriteOutlineFamily(
          out_, unit, [&] { return spouse != nullptr && WriteVitals(site_, *spouse, true); });
    }
    if (family->children.empty()) continue;
    if (depth < kDeepestLevel) {
      for (int k = 0; k < static_cast<int>(family->children.size()); ++k)
        if (const IndividualRecord* child = store::Child(run_.store, *family, k))
          WriteDescendants(*child, depth + 1, extended);
    } else {
      int position = Continuation(person);
      if (position < 0) break;  // the continuation table is full: this person's outline ends here
      if (writing())
        site_.style().WriteOutlineContinuation(
            out_, {ItemTarget(site_.Prefix(PageKind::kExtendedDescendancy), position, per_page_,
                              Extension()),
                   LevelColour(options_, depth + 1)});
    }
  }
  if (writing()) site_.style().CloseOutlineLevel(out_, level);
}

void DescendancyWalk::SetMarriage(const FamilyRecord& family, OutlineFamilyUnit& unit) {
  using Marriage = OutlineFamilyUnit::Marriage;
  if (!family.marriage_seen || (family.marriage_place.empty() && family.marriage_date.empty()))
    return;
  unit.marriage_place = family.marriage_place;
  unit.marriage = Marriage::kPlaceOnly;
  if (family.marriage_date.empty()) return;
  const IndividualRecord* husband = store::Husband(run_.store, family);
  const IndividualRecord* wife = store::Wife(run_.store, family);
  if (MarriageDateWithheld(husband, wife, options_)) {
    unit.marriage = Marriage::kWithheld;
  } else {
    unit.marriage = Marriage::kShown;
    unit.marriage_date = family.marriage_date;
  }
}

int DescendancyWalk::Continuation(const IndividualRecord& person) {
  std::int32_t who = Position(person);
  int position = layout_.ContinuationOf(who);
  if (position >= 0 || writing()) return position;
  if (fill_->continuations.size() >= static_cast<std::size_t>(continuation_limit_)) return -1;
  position = static_cast<int>(fill_->continuations.size());
  fill_->continuations.push_back(who);
  fill_->continuation_positions.emplace(who, position);
  return position;
}

IndividualRecord* DescendancyWalk::SpouseIn(const FamilyRecord& family,
                                            const IndividualRecord& person) {
  IndividualRecord* husband = store::Husband(run_.store, family);
  if (!husband) return nullptr;
  IndividualRecord* spouse =
      husband == &person ? store::Wife(run_.store, family) : husband;
  // Records without a name are shown nowhere as spouses.
  return spouse && spouse->defined ? spouse : nullptr;
}

int DescendancyWalk::SpouseFamilyCount(const IndividualRecord& person) const {
  return std::min<int>(person.spouse_family_count, static_cast<int>(person.spouse_families.size()));
}

bool DescendancyWalk::HasChildren(const IndividualRecord& person) {
  for (int k = 0, count = SpouseFamilyCount(person); k < count; ++k)
    if (const FamilyRecord* family = SpouseFamily(person, k); family && !family->children.empty())
      return true;
  return false;
}

bool DescendancyWalk::HasParents(const IndividualRecord& person) {
  if (person.parents_family.empty()) return false;
  const FamilyRecord* family = store::ParentsFamily(run_.store, person);
  return family && (!family->husband.empty() || !family->wife.empty());
}

}  // namespace

std::uint32_t LevelColour(const settings::Settings& settings, int depth) {
  return settings.colours[settings::kColourLevel1 + depth % 6];
}

void LayOutDescendancyCharts(SiteContext& site, int continuation_limit) {
  DescendancyWalk(site, &site.layout_to_fill().descendancy, continuation_limit).Run();
  site.layout().descendancy.bookmarks.Settle();
}

void WriteDescendancyPages(SiteContext& site) {
  DescendancyWalk(site, nullptr, kMaxContinuations).Run();
}

}  // namespace kinloom::site
