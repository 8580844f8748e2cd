#include "site/descendancy_pages.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "lang/ui_text.h"
#include "site/family_group_pages.h"
#include "site/person_links.h"
#include "store/expanding_array.h"
#include "store/page_layout.h"

namespace kinloom::site {
namespace {

using lang::FormatText;
using store::FamilyRecord;
using store::IndividualRecord;

constexpr int kProgressStep = 13;
constexpr int kUiCreatingDescendancy = 2349;
constexpr int kLabelMarriage = 12375;
constexpr int kLabelExtended = 12397;
constexpr int kLabelNotShown = 12424;
constexpr int kLabelMarriedTo = 12610;
constexpr const char* kPageFont = "<font size='2' color='#000000'>";

class DescendancyWriter {
 public:
  DescendancyWriter(SiteContext& site, int continuation_limit)
      : site_(site),
        run_(site.run),
        store_(site.store()),
        options_(site.settings()),
        out_(site.writer),
        per_page_(options_.groups_descendancy == 0 ? 1
                                                   : static_cast<int>(options_.groups_descendancy)),
        plain_colours_(site.ColoursSuppressed()),
        no_back_link_(options_.minimize_absolute != 0 || options_.one_index_page_link != 0),
        topmost_(options_.group_only_for_topmost != 0),
        family_links_(options_.create_family_groups != 0),
        continuation_limit_(continuation_limit) {}

  void Run();

 private:
  void MainPass();
  void ExtendedPasses(int from, int to);
  void OpenChartPage(PageKind kind, int page, const std::string& title);
  void CloseChartPage(const std::string& progress);
  void WriteDescendants(IndividualRecord& person, int depth, bool extended);
  void WriteSpouse(IndividualRecord& spouse, int depth, bool extended, bool& vitals_line);
  void WriteMarriage(const FamilyRecord& family, bool after_vitals);
  // Writes the continuation line of `person`; false when the table is full.
  bool WriteContinuation(const IndividualRecord& person, int depth);
  void RecordBookmark(IndividualRecord& person, bool extended);
  // The spouse shown beside `person` in `family`, or null.
  IndividualRecord* SpouseIn(const FamilyRecord& family, const IndividualRecord& person);
  std::vector<FamilyRecord*> SpouseFamilies(const IndividualRecord& person);
  bool HasChildren(const IndividualRecord& person);
  bool HasParents(const IndividualRecord& person);
  std::int32_t Position(const IndividualRecord& person) const {
    return static_cast<std::int32_t>(&person - store_.individuals.data());
  }
  std::string Extension() const { return site_.Extension(); }

  SiteContext& site_;
  run::RunContext& run_;
  store::GenealogyStore& store_;
  const settings::Settings& options_;
  PageWriter& out_;
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
  // Individuals whose children continue on extended pages, with their padding slots (-1);
  // the position of an entry is its extended group number.
  std::vector<std::int32_t> continuations_;
  std::unordered_map<std::int32_t, int> continuation_position_;
};

void DescendancyWriter::Run() {
  for (IndividualRecord& person : store_.individuals) {
    person.bookmarks.clear();
    person.visited = false;
  }
  MainPass();
  if (!continuations_.empty()) {
    group_counter_ = 0;
    ExtendedPasses(0, static_cast<int>(continuations_.size()));
  }
  continuations_.clear();
  continuation_position_.clear();
}

void DescendancyWriter::OpenChartPage(PageKind kind, int page, const std::string& title) {
  std::string file = FormatText("%s_%x.%s", site_.Prefix(kind).c_str(), static_cast<unsigned>(page),
                                Extension().c_str());
  out_.OpenPage(site_.OutputPath(file), title, true, true);
  if (!plain_colours_) out_.AppendHtml(kPageFont);
}

void DescendancyWriter::CloseChartPage(const std::string& progress) {
  if (!plain_colours_) out_.AppendHtml("</font>");
  ShowProgress(run_, kProgressStep, progress, true);
  out_.ClosePage();
}

void DescendancyWriter::MainPass() {
  const std::string creating = lang::LoadUiText(kUiCreatingDescendancy, options_);
  const SiteLanguage& language = site_.language;
  int groups_on_page = 0;
  for (std::size_t i = 0; i < store_.individuals.size(); ++i) {
    if (i == 0 || (groups_on_page > 0 && group_counter_ % per_page_ == 0)) {
      int page = group_counter_ / per_page_;
      if (out_.is_open()) CloseChartPage(FormatText("%s: %d", creating.c_str(), page));
      OpenChartPage(PageKind::kDescendancy, page,
                    FormatText("%s %li %s", language.descendancy_text_a.c_str(),
                               static_cast<long>(page + 1), language.descendancy_text_b.c_str()));
      groups_on_page = 0;
    }
    IndividualRecord& person = store_.individuals[i];
    if (person.visited) continue;
    bool root = topmost_ ? !HasParents(person) : HasChildren(person);
    if (!root) {
      for (FamilyRecord* family : SpouseFamilies(person))
        if (IndividualRecord* other = SpouseIn(*family, person)) other->visited = true;
      continue;
    }
    couple_root_ = Position(person);
    couple_spouse_ = -1;
    WriteDescendants(person, 0, false);
    if (!no_back_link_) out_.WriteBackLink();
    if (group_counter_ % per_page_ != per_page_ - 1) out_.WriteRule();
    ++group_counter_;
    ++groups_on_page;
  }
  if (out_.is_open()) out_.ClosePage();
}

void DescendancyWriter::ExtendedPasses(int from, int to) {
  const std::string creating = lang::LoadUiText(kUiCreatingDescendancy, options_);
  lang::LabelSet ui_labels(options_.labels_in_french ? 1 : 0);
  const std::string& extended_ui = ui_labels.Get(kLabelExtended);
  const std::string& extended_page = site_.Label(kLabelExtended);
  const SiteLanguage& language = site_.language;
  // Each extended group opens with an anchor named by its position on the page (0 … GD-1),
  // which the continuation links name. Person anchors on extended pages start at GD or above
  // so that the two never share a number.
  if (anchor_counter_ < per_page_) anchor_counter_ = per_page_;

  // Entries appended while one pass is written form the next pass, which starts on a fresh
  // page; the passes run one after the other until a pass appends nothing.
  while (from < to) {
    int added = per_page_ - static_cast<int>(continuations_.size()) % per_page_;
    continuations_.resize(continuations_.size() + static_cast<std::size_t>(added), -1);
    bool page_open = false;
    for (int p = from; p < to; ++p) {
      if (p == from || p % per_page_ == 0) {
        if (page_open)
          CloseChartPage(
              FormatText("%s %s : %d", creating.c_str(), extended_ui.c_str(), p / per_page_));
        OpenChartPage(
            PageKind::kExtendedDescendancy, p / per_page_,
            FormatText("%s %s %li %s", language.descendancy_text_a.c_str(), extended_page.c_str(),
                       static_cast<long>(p / per_page_ + 1), language.descendancy_text_b.c_str()));
        page_open = true;
      }
      group_counter_ = p;
      IndividualRecord& root = store_.individuals[continuations_[static_cast<std::size_t>(p)]];
      couple_root_ = Position(root);
      couple_spouse_ = -1;
      out_.AppendHtml(FormatText("<a name=\"%d\"></a>", p % per_page_));
      WriteDescendants(root, 0, true);
      if (!no_back_link_) out_.WriteBackLink();
      if (p % per_page_ != per_page_ - 1) out_.WriteRule();
    }
    if (page_open) out_.ClosePage();
    from = to + added;
    to = static_cast<int>(continuations_.size());
  }
}

void DescendancyWriter::RecordBookmark(IndividualRecord& person, bool extended) {
  store::Bookmark mark;
  mark.extended = extended;
  mark.page = group_counter_ / per_page_;
  mark.anchor = anchor_counter_;
  mark.first_person = couple_root_;
  mark.second_person = couple_spouse_;
  // A full list keeps its first 55 appearances.
  store::AddBookmark(person, mark, BookmarkStatistics(site_.run));
  ++anchor_counter_;
}

void DescendancyWriter::WriteDescendants(IndividualRecord& person, int depth, bool extended) {
  const std::uint32_t colour = LevelColour(options_, depth);
  // A record without a name has no family group of its own to link to.
  const bool group_link = family_links_ && person.defined;
  out_.AppendHtml("<ul>");
  bool anchor_open = false;
  if (depth == 0 || topmost_) {
    if (group_link)
      out_.AppendHtml(FormatText("<a name=\"%d\"  href=\"%s\">", anchor_counter_,
                                 FamilyGroupTarget(site_, person).c_str()));
    else
      out_.AppendHtml(FormatText("<a name=\"%d\">", anchor_counter_));
    anchor_open = true;
    RecordBookmark(person, extended);
  } else if (group_link) {
    out_.AppendHtml(FormatText("<a href=\"%s\">", FamilyGroupTarget(site_, person).c_str()));
    anchor_open = true;
  }
  if (!plain_colours_) out_.AppendHtml(FormatText("<font size='3' color='%06X'><strong>", colour));
  out_.AppendHtml("<li>");
  if (site_.MarkAncestors() && person.ancestor) WriteRedDot(site_);
  if (!person.surname.empty()) out_.AppendHtml(person.surname);
  out_.AppendHtml(", ");
  if (!person.given_names.empty()) out_.AppendHtml(person.given_names);
  if (!person.title.empty()) out_.AppendHtml(person.title);
  if (anchor_open) out_.AppendHtml("</a>");
  if (!plain_colours_) out_.AppendHtml("</strong></font>");
  if (options_.show_gedcom_ids) WriteGedcomId(site_, person);
  WriteVitals(site_, person, true);

  for (FamilyRecord* family : SpouseFamilies(person)) {
    bool spouse_vitals = false;
    // The children of a root's family without a spouse are in the tree of the root alone.
    if (depth == 0) couple_spouse_ = -1;
    if (IndividualRecord* spouse = SpouseIn(*family, person))
      WriteSpouse(*spouse, depth, extended, spouse_vitals);
    WriteMarriage(*family, spouse_vitals);
    if (family->children.empty()) continue;
    if (depth < kDeepestLevel) {
      for (const std::string& id : family->children)
        if (IndividualRecord* child = store::ResolveIndividual(run_, id))
          WriteDescendants(*child, depth + 1, extended);
    } else if (!WriteContinuation(person, depth)) {
      break;  // the continuation table is full: this person's outline ends here
    }
  }
  out_.AppendHtml("</ul>");
}

void DescendancyWriter::WriteSpouse(IndividualRecord& spouse, int depth, bool extended,
                                    bool& vitals_line) {
  out_.AppendHtml("<BR>" + site_.Label(kLabelMarriedTo) + " ");
  if (family_links_)
    out_.AppendHtml(FormatText("<a href=\"%s\">", FamilyGroupTarget(site_, spouse).c_str()));
  if (site_.MarkAncestors() && spouse.ancestor) WriteRedDot(site_);
  if (!plain_colours_)
    out_.AppendHtml(
        FormatText("<font size=\"3\" color=\"#%06X\"><strong>", LevelColour(options_, depth)));
  out_.AppendHtml(spouse.surname + ", " + spouse.given_names + " " + spouse.title);
  if (!plain_colours_) out_.AppendHtml("</strong></font>");
  if (family_links_) out_.AppendHtml("</a>");
  if (options_.show_gedcom_ids) WriteGedcomId(site_, spouse);
  vitals_line = WriteVitals(site_, spouse, true);
  if (depth == 0) {
    couple_spouse_ = Position(spouse);
    spouse.visited = true;
    out_.AppendHtml(FormatText("<a name=\"%d\">", anchor_counter_));
    RecordBookmark(spouse, extended);
  }
}

void DescendancyWriter::WriteMarriage(const FamilyRecord& family, bool after_vitals) {
  if (!family.marriage_seen || (family.marriage_place.empty() && family.marriage_date.empty()))
    return;
  if (after_vitals) out_.AppendHtml(" - ");
  out_.AppendHtml(" " + site_.Label(kLabelMarriage) + ": ");
  if (!family.marriage_date.empty()) {
    const IndividualRecord* husband = store::ResolveIndividual(run_, family.husband);
    const IndividualRecord* wife = store::ResolveIndividual(run_, family.wife);
    bool living = (husband && IsLiving(*husband)) || (wife && IsLiving(*wife));
    if (options_.suppress_living && living)
      out_.AppendHtml(site_.Label(kLabelNotShown) + " ");
    else
      out_.AppendHtml(family.marriage_date + " ");
  }
  if (!family.marriage_place.empty()) out_.AppendHtml(family.marriage_place);
}

bool DescendancyWriter::WriteContinuation(const IndividualRecord& person, int depth) {
  std::int32_t who = Position(person);
  int position;
  auto found = continuation_position_.find(who);
  if (found != continuation_position_.end()) {
    position = found->second;
  } else {
    if (continuations_.size() >= static_cast<std::size_t>(continuation_limit_)) return false;
    position = static_cast<int>(continuations_.size());
    continuations_.push_back(who);
    continuation_position_.emplace(who, position);
  }
  out_.AppendHtml("<ul>");
  out_.AppendHtml(FormatText(
      "<B><a href=\"%s_%x.%s#%i\" style=\"color: #%06X\">Follow this link for descendants of "
      "this individual/couple.</a></B><br>",
      site_.Prefix(PageKind::kExtendedDescendancy).c_str(),
      static_cast<unsigned>(position / per_page_), Extension().c_str(), position % per_page_,
      LevelColour(options_, depth + 1)));
  out_.AppendHtml("</ul>");
  return true;
}

IndividualRecord* DescendancyWriter::SpouseIn(const FamilyRecord& family,
                                              const IndividualRecord& person) {
  IndividualRecord* husband = store::ResolveIndividual(run_, family.husband);
  if (!husband) return nullptr;
  IndividualRecord* spouse =
      husband == &person ? store::ResolveIndividual(run_, family.wife) : husband;
  // Records without a name are shown nowhere as spouses.
  return spouse && spouse->defined ? spouse : nullptr;
}

std::vector<FamilyRecord*> DescendancyWriter::SpouseFamilies(const IndividualRecord& person) {
  std::vector<FamilyRecord*> families;
  int count =
      std::min<int>(person.spouse_family_count, static_cast<int>(person.spouse_families.size()));
  for (int k = 0; k < count; ++k)
    if (FamilyRecord* family = store::ResolveFamily(run_, person.spouse_families[k], person))
      families.push_back(family);
  return families;
}

bool DescendancyWriter::HasChildren(const IndividualRecord& person) {
  for (FamilyRecord* family : SpouseFamilies(person))
    if (!family->children.empty()) return true;
  return false;
}

bool DescendancyWriter::HasParents(const IndividualRecord& person) {
  if (person.parents_family.empty()) return false;
  const FamilyRecord* family = store::ResolveFamily(run_, person.parents_family, person);
  return family && (!family->husband.empty() || !family->wife.empty());
}

}  // namespace

std::uint32_t LevelColour(const settings::Settings& settings, int depth) {
  return settings.colours[settings::kColourLevel1 + depth % 6];
}

int WriteDescendancyPages(SiteContext& site) {
  return WriteDescendancyPages(site, kMaxContinuations);
}

int WriteDescendancyPages(SiteContext& site, int continuation_limit) {
  DescendancyWriter(site, continuation_limit).Run();
  return 1;
}

}  // namespace kinloom::site
