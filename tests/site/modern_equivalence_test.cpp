// The modern and classic sites of the same input show the same things. A recording style
// stands between the site generator and the real style (classic or modern) and notes, for each
// page file, what the units it receives carry: the people's names, the dates, places and
// privacy texts shown, and the link targets and anchors. Both sites must be made of the same
// files and receive the same units; then every recorded text must appear in the page each
// style wrote (compared on the text with markup stripped and entities decoded, in UTF-8), and
// every recorded link target and anchor must be in the page's markup.
//
// The checks are made for each part of the style apart (the family groups, notes entries and
// author page; the page frame and index pages; the charts), so that a fault names the part
// that shows too little.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/failing_file_system.h"
#include "platform/recording_ui.h"
#include "platform/text_encoding.h"
#include "run/conversion_run.h"
#include "run/temp_folder.h"
#include "run/whole_run.h"
#include "site/classic_style.h"
#include "site/modern_style.h"
#include "site/page_style.h"
#include "site/site_generation.h"

namespace kinloom::site {
namespace {

namespace fs = std::filesystem;
using testing::NoPause;
using testing::ReadAll;
using testing::StyledSite;

constexpr int kLabelNotShown = 12424;

// The parts of a style, by the units each writes.
enum Part { kGroups, kFrameAndIndex, kCharts, kPartCount };
constexpr std::array<const char*, kPartCount> kPartNames = {
    "family groups, notes and author page", "page frame and index pages", "charts"};

// ---- text of a page, as a reader sees it ----

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-8 text (or markup) without its tags, its character references decoded, every run of
// white space (no-break spaces too) as one blank, trimmed.
std::string VisibleText(std::string_view html) {
  std::string untagged;
  untagged.reserve(html.size());
  for (std::size_t i = 0; i < html.size(); ++i) {
    if (html[i] == '<') {
      const std::size_t end = html.find('>', i);
      if (end == std::string_view::npos) break;
      i = end;
      continue;
    }
    untagged += html[i];
  }
  static const std::map<std::string, char32_t> kNamed = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
  std::string decoded;
  decoded.reserve(untagged.size());
  for (std::size_t i = 0; i < untagged.size(); ++i) {
    const std::size_t semicolon = untagged[i] == '&' ? untagged.find(';', i) : std::string::npos;
    if (semicolon != std::string::npos && semicolon - i <= 10) {
      const std::string name = untagged.substr(i + 1, semicolon - i - 1);
      char32_t cp = 0;
      if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits = name.substr(hex ? 2 : 1);
        if (!digits.empty() &&
            digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") ==
                std::string::npos)
          cp = static_cast<char32_t>(std::stoul(digits, nullptr, hex ? 16 : 10));
      } else if (auto it = kNamed.find(name); it != kNamed.end()) {
        cp = it->second;
      }
      if (cp != 0 && cp <= 0x10FFFF) {
        AppendUtf8(decoded, cp);
        i = semicolon;
        continue;
      }
    }
    decoded += untagged[i];
  }
  std::string text;
  bool blank = false;
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(decoded[i]);
    const bool nbsp = c == 0xC2 && i + 1 < decoded.size() &&
                      static_cast<unsigned char>(decoded[i + 1]) == 0xA0;
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || nbsp) {
      blank = true;
      if (nbsp) ++i;
      continue;
    }
    if (blank && !text.empty()) text += ' ';
    blank = false;
    text += decoded[i];
  }
  return text;
}

std::string ToUtf8(std::string_view text, platform::TextEncoding encoding) {
  return encoding == platform::TextEncoding::kWindows1252 ? platform::Cp1252ToUtf8(text)
                                                          : std::string(text);
}

// ---- the recording style ----

// What the units of one page file carry, for each part of the style.
struct PageRecord {
  platform::TextEncoding text_encoding = platform::TextEncoding::kUtf8;  // of the units
  platform::TextEncoding site_encoding = platform::TextEncoding::kUtf8;  // of the file
  std::array<std::vector<std::string>, kPartCount> units;  // each unit's record, in order
  std::array<std::vector<std::string>, kPartCount> texts;  // shown texts, visible form
  std::array<std::set<std::string>, kPartCount> targets;   // local link targets
  std::array<std::set<std::string>, kPartCount> anchors;
};
using SiteRecord = std::map<std::string, PageRecord>;

// Forwards every unit to the real style after noting what it carries.
class RecordingStyle : public PageStyle {
 public:
  RecordingStyle(PageStyle& inner, SiteRecord& site) : inner_(inner), site_(site) {}

  // ---- page frame ----
  void WritePageHead(PageWriter& out, const PageHead& head) override {
    Unit(out, kFrameAndIndex, "head");
    Text(out, kFrameAndIndex, head.title);
    if (head.ancestor_notice) Notice(out, head.ancestor);
    inner_.WritePageHead(out, head);
  }
  void WriteRule(PageWriter& out) override { inner_.WriteRule(out); }
  void WriteAncestorNotice(PageWriter& out, const AncestorNotice& notice) override {
    Notice(out, notice);
    inner_.WriteAncestorNotice(out, notice);
  }
  void WriteMainPageLink(PageWriter& out, const MainPageLink& link) override {
    Unit(out, kFrameAndIndex, "main page link");
    Target(out, kFrameAndIndex, link.target);
    inner_.WriteMainPageLink(out, link);
  }
  void WritePageFoot(PageWriter& out, const PageFoot& foot) override {
    Unit(out, kFrameAndIndex, "foot");
    Target(out, kFrameAndIndex, foot.author_page);
    if (foot.back_link) Target(out, kFrameAndIndex, foot.main_page.target);
    if (foot.copyright) Text(out, kFrameAndIndex, foot.owner);
    inner_.WritePageFoot(out, foot);
  }

  // ---- family group pages ----
  void FamilyGroup(PageWriter& out, const FamilyGroupUnit& group) override {
    Unit(out, kGroups, "group " + std::to_string(group.anchor));
    Anchor(out, kGroups, std::to_string(group.anchor));
    FullPerson(out, group.principal);
    for (const FamilyBlockUnit& family : group.families) {
      if (const std::optional<MarriageUnit>& marriage = family.marriage) {
        if (!marriage->date.empty())
          Text(out, kGroups, marriage->withheld ? out.labels().Get(kLabelNotShown)
                                                : std::string(marriage->date));
        Text(out, kGroups, marriage->place);
        Target(out, kGroups, marriage->notes_target);
      }
      if (family.spouse) Member(out, *family.spouse);
      for (const GroupMemberUnit& child : family.children) Member(out, child);
    }
    inner_.FamilyGroup(out, group);
  }
  void Vitals(PageWriter& out, const VitalsUnit& vitals) override {
    // Inline vitals are written through a chart's dates callback.
    const Part part = in_chart_ ? kCharts : kGroups;
    Unit(out, part, "vitals");
    Dates(out, part, vitals.dates);
    const std::string* sex = vitals.sex == 1   ? &out.labels().Get(12409)
                             : vitals.sex == 2 ? &out.labels().Get(12410)
                                               : nullptr;
    if (sex) Text(out, part, *sex);
    inner_.Vitals(out, vitals);
  }

  // ---- notes pages ----
  void NotesPageStart(PageWriter& out) override { inner_.NotesPageStart(out); }
  void NotesEntry(PageWriter& out, const NotesEntryUnit& entry) override {
    Unit(out, kGroups, "notes entry");
    for (const NotesPersonUnit& person : entry.people) {
      Text(out, kGroups, Name(person.surname, person.given_names));
      if (person.gedcom_id) Text(out, kGroups, "{" + EscapeHtml(*person.gedcom_id) + "}");
      if (person.anchor) Anchor(out, kGroups, std::to_string(*person.anchor));
      if (person.target) Target(out, kGroups, *person.target);
      if (person.dates.birth.withheld)
        Text(out, kGroups, out.labels().Get(kLabelNotShown));
      else
        Text(out, kGroups, person.dates.birth.date);
      if (person.dates.death.shown) Text(out, kGroups, person.dates.death.date);
    }
    for (const NotesItemUnit& item : entry.items) {
      if (item.label) Text(out, kGroups, *item.label);
      if (item.withheld || item.christening_place) {
        Text(out, kGroups, out.labels().Get(kLabelNotShown));
        if (item.christening_place) Text(out, kGroups, *item.christening_place);
      } else {
        Text(out, kGroups, item.text);
      }
      for (const auto& reference : item.notes) Text(out, kGroups, reference.text);
      for (const auto& reference : item.repositories) Text(out, kGroups, reference.text);
      Text(out, kGroups, item.rest);
    }
    inner_.NotesEntry(out, entry);
  }

  // ---- author page ----
  void AuthorPage(PageWriter& out, const AuthorPageUnit& page) override {
    Unit(out, kGroups, "author page");
    for (const std::string* text : {&page.owner_name, &page.owner_email, &page.product,
                                    &page.build_date, &page.author_name, &page.contact_address,
                                    &page.home_page})
      Text(out, kGroups, *text);
    if (page.translator_name) Text(out, kGroups, *page.translator_name);
    inner_.AuthorPage(out, page);
  }

  // ---- descendancy pages ----
  void BeginDescendancyPage(PageWriter& out, const ChartPageUnit& page) override {
    inner_.BeginDescendancyPage(out, page);
  }
  void EndDescendancyPage(PageWriter& out, const ChartPageUnit& page) override {
    inner_.EndDescendancyPage(out, page);
  }
  void BeginDescendancyTree(PageWriter& out, const OutlineTreeUnit& tree) override {
    Unit(out, kCharts, "tree");
    if (tree.place_anchor >= 0) Anchor(out, kCharts, std::to_string(tree.place_anchor));
    inner_.BeginDescendancyTree(out, tree);
  }
  void OpenOutlineLevel(PageWriter& out, const OutlinePersonUnit& person,
                        const WriteDates& dates) override {
    Unit(out, kCharts, "level");
    Outline(out, person);
    inner_.OpenOutlineLevel(out, person, InChart(dates));
  }
  void WriteOutlineFamily(PageWriter& out, const OutlineFamilyUnit& family,
                          const WriteDates& spouse_dates) override {
    Unit(out, kCharts, "outline family");
    if (family.has_spouse) Outline(out, family.spouse);
    if (family.marriage == OutlineFamilyUnit::Marriage::kShown)
      Text(out, kCharts, family.marriage_date);
    if (family.marriage == OutlineFamilyUnit::Marriage::kWithheld)
      Text(out, kCharts, out.labels().Get(kLabelNotShown));
    if (family.marriage != OutlineFamilyUnit::Marriage::kNone)
      Text(out, kCharts, family.marriage_place);
    inner_.WriteOutlineFamily(out, family, InChart(spouse_dates));
  }
  void WriteOutlineContinuation(PageWriter& out,
                                const OutlineContinuationUnit& continuation) override {
    Unit(out, kCharts, "continuation");
    Target(out, kCharts, continuation.target);
    inner_.WriteOutlineContinuation(out, continuation);
  }
  void CloseOutlineLevel(PageWriter& out, const OutlinePersonUnit& person) override {
    inner_.CloseOutlineLevel(out, person);
  }

  // ---- pedigree pages ----
  void BeginPedigreePage(PageWriter& out, const ChartPageUnit& page) override {
    inner_.BeginPedigreePage(out, page);
  }
  void WritePedigreeChart(PageWriter& out, const PedigreeChartUnit& chart) override {
    Unit(out, kCharts, "pedigree chart");
    if (chart.place_anchor >= 0) Anchor(out, kCharts, std::to_string(chart.place_anchor));
    for (const PedigreeCellUnit& cell : chart.rows) {
      if (!cell.filled) continue;
      Text(out, kCharts, Name(cell.surname, cell.given_names));
      if (cell.anchor >= 0) Anchor(out, kCharts, std::to_string(cell.anchor));
      Target(out, kCharts, cell.link);
      Target(out, kCharts, cell.continuation);
      if (cell.birth == PedigreeCellUnit::Birth::kWithheld)
        Text(out, kCharts, out.labels().Get(kLabelNotShown));
      if (cell.birth == PedigreeCellUnit::Birth::kShown) Text(out, kCharts, cell.birth_date);
      Text(out, kCharts, cell.death_date);
    }
    inner_.WritePedigreeChart(out, chart);
  }

  // ---- index pages ----
  void WritePersonLink(PageWriter& out, const PersonLink& link) override {
    Link(out, link);
    inner_.WritePersonLink(out, link);
  }
  void WritePersonEntry(PageWriter& out, const PersonEntry& entry) override {
    Link(out, entry.link);
    if (entry.birth == PersonEntry::Birth::kWithheld)
      Text(out, kFrameAndIndex, out.labels().Get(kLabelNotShown));
    if (entry.birth == PersonEntry::Birth::kDate) Text(out, kFrameAndIndex, entry.birth_date);
    if (entry.death) Text(out, kFrameAndIndex, entry.death_date);
    for (const ChartTree& tree : entry.trees) {
      Target(out, kFrameAndIndex, tree.target);
      Text(out, kFrameAndIndex, tree.first_surname);
    }
    inner_.WritePersonEntry(out, entry);
  }
  void WriteLetterBar(PageWriter& out, const LetterBar& bar) override {
    Letters(out, bar);
    inner_.WriteLetterBar(out, bar);
  }
  void WriteSurnameListStart(PageWriter& out, const SurnameList& list) override {
    inner_.WriteSurnameListStart(out, list);
  }
  void WriteSurnameGroup(PageWriter& out, const SurnameGroup& group) override {
    Unit(out, kFrameAndIndex, "surname group");
    Text(out, kFrameAndIndex, group.surname);
    Target(out, kFrameAndIndex, group.target);
    inner_.WriteSurnameGroup(out, group);
  }
  void WriteSurnameListEnd(PageWriter& out, const SurnameList& list) override {
    inner_.WriteSurnameListEnd(out, list);
  }
  void WriteSurnameIndexTop(PageWriter& out, const SurnameIndexTop& top) override {
    Letters(out, top.letters);
    if (top.back_link) Target(out, kFrameAndIndex, top.main_page.target);
    inner_.WriteSurnameIndexTop(out, top);
  }
  void WriteMainIndexBody(PageWriter& out, const MainIndexPage& page) override {
    Unit(out, kFrameAndIndex, "main index");
    for (const MainIndexPage::Link& link : page.languages) Target(out, kFrameAndIndex, link.target);
    for (const MainIndexPage::KindIndex& kind : page.kinds) {
      Letters(out, kind.letters);
      Target(out, kFrameAndIndex, kind.surname_list);
    }
    if (page.ancestor_notice) Notice(out, page.ancestor);
    if (page.owner) Text(out, kFrameAndIndex, page.owner_name);
    inner_.WriteMainIndexBody(out, page);
  }

 private:
  PageRecord& Page(PageWriter& out) {
    PageRecord& page = site_[fs::path(out.path()).filename().string()];
    page.text_encoding = out.TextEncoding();
    page.site_encoding = out.SiteEncoding();
    return page;
  }
  void Unit(PageWriter& out, Part part, const std::string& name) {
    Page(out).units[part].push_back(name);
  }
  // A shown text of the page's text encoding, kept in its visible form; the unit's record
  // keeps it too, so that both sites' units can be compared.
  void Text(PageWriter& out, Part part, std::string_view text) {
    PageRecord& page = Page(out);
    const std::string visible = VisibleText(ToUtf8(text, page.text_encoding));
    if (visible.empty()) return;
    page.texts[part].push_back(visible);
    if (!page.units[part].empty()) page.units[part].back() += "|" + visible;
  }
  void Target(PageWriter& out, Part part, const std::string& target) {
    if (target.empty() || target.find(':') != std::string::npos) return;
    PageRecord& page = Page(out);
    const std::string visible = VisibleText(ToUtf8(target, page.text_encoding));
    page.targets[part].insert(visible);
    if (!page.units[part].empty()) page.units[part].back() += "|->" + visible;
  }
  void Anchor(PageWriter& out, Part part, const std::string& anchor) {
    PageRecord& page = Page(out);
    const std::string visible = VisibleText(ToUtf8(anchor, page.text_encoding));
    page.anchors[part].insert(visible);
    if (!page.units[part].empty()) page.units[part].back() += "|#" + visible;
  }
  static std::string Name(std::string_view surname, std::string_view given_names) {
    std::string name(surname);
    name += ", ";
    name += given_names;
    return name;
  }
  void Dates(PageWriter& out, Part part, const ShownDates& dates) {
    if (dates.birth.shown) {
      Text(out, part,
           dates.birth.withheld ? std::string_view(out.labels().Get(kLabelNotShown))
                                : dates.birth.date);
      Text(out, part, dates.birth.place);
    }
    if (dates.death.shown) {
      Text(out, part, dates.death.date);
      Text(out, part, dates.death.place);
    }
  }
  void Marks(PageWriter& out, const PersonMarks& marks) {
    if (marks.gedcom_id) Text(out, kGroups, "{" + EscapeHtml(*marks.gedcom_id) + "}");
    Target(out, kGroups, marks.notes_target);
    Target(out, kGroups, marks.pedigree_target);
  }
  void GroupLink(PageWriter& out, const GroupLinkUnit& link) {
    Text(out, kGroups, link.name);
    Target(out, kGroups, link.target);
    if (link.name_anchor) Anchor(out, kGroups, *link.name_anchor);
    Marks(out, link.marks);
  }
  void FullPerson(PageWriter& out, const FullPersonUnit& person) {
    Text(out, kGroups, Name(person.surname, person.given_names));
    Text(out, kGroups, person.title);
    if (!person.also_known_as.empty()) Text(out, kGroups, EscapeHtml(person.also_known_as));
    Marks(out, person.marks);
    Dates(out, kGroups, person.vitals.dates);
    if (person.parents) {
      if (person.parents->father) GroupLink(out, *person.parents->father);
      if (person.parents->mother) GroupLink(out, *person.parents->mother);
    }
  }
  void Member(PageWriter& out, const GroupMemberUnit& member) {
    if (member.in_full)
      FullPerson(out, member.full);
    else
      GroupLink(out, member.link);
  }
  void Notice(PageWriter& out, const AncestorNotice& notice) {
    Unit(out, kFrameAndIndex, "ancestor notice");
    if (!notice.ancestor_known) return;
    Text(out, kFrameAndIndex, notice.given_names);
    Text(out, kFrameAndIndex, notice.surname);
    if (notice.linked) Target(out, kFrameAndIndex, notice.target);
  }
  void Outline(PageWriter& out, const OutlinePersonUnit& person) {
    Text(out, kCharts, Name(person.surname, person.given_names));
    if (person.anchor >= 0) Anchor(out, kCharts, std::to_string(person.anchor));
    Target(out, kCharts, person.link);
  }
  void Link(PageWriter& out, const PersonLink& link) {
    Unit(out, kFrameAndIndex, "person link");
    Text(out, kFrameAndIndex, link.name);
    if (link.linked) Target(out, kFrameAndIndex, link.target);
    if (link.name_anchor) Anchor(out, kFrameAndIndex, link.anchor_name);
    if (link.notes_icon) Target(out, kFrameAndIndex, link.notes_target);
    if (link.pedigree_icon) Target(out, kFrameAndIndex, link.pedigree_target);
  }
  void Letters(PageWriter& out, const LetterBar& bar) {
    Unit(out, kFrameAndIndex, "letters");
    for (const auto* letters : {&bar.letters, &bar.nordic_letters})
      for (const IndexLetter& letter : *letters)
        if (letter.present) Target(out, kFrameAndIndex, letter.target);
    if (bar.other_present) Target(out, kFrameAndIndex, bar.other_target);
  }
  // A chart's dates callback, whose vitals count as the chart's.
  WriteDates InChart(const WriteDates& dates) {
    return [this, &dates] {
      const bool outer = in_chart_;
      in_chart_ = true;
      const bool written = dates();
      in_chart_ = outer;
      return written;
    };
  }

  PageStyle& inner_;
  SiteRecord& site_;
  bool in_chart_ = false;
};

// ---- whole conversions ----

bool LocalTarget(const std::string& target) {
  return !target.empty() && target.find(':') == std::string::npos &&
         target.find(".gif") == std::string::npos && target.find(".jpg") == std::string::npos &&
         target.find(".ged") == std::string::npos && target.find(".css") == std::string::npos;
}

// The local link targets of a page and the anchors it names (name= of a link, or any id=),
// from its markup in UTF-8, with their character references decoded.
struct Links {
  std::set<std::string> targets;
  std::set<std::string> anchors;
};

// The search of the modern pages (its index, script and page) has no classic counterpart.
bool SearchFile(std::string_view name) { return name.rfind("kinloom-search", 0) == 0; }

Links LinksOf(const std::string& markup) {
  Links links;
  // Without scripts the search box gives way to a link to the surname list: leave it out.
  static const std::regex no_script(R"re(<noscript>[\s\S]*?</noscript>)re", std::regex::icase);
  const std::string page = std::regex_replace(markup, no_script, "");
  static const std::regex href(R"re(href=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]*)))re",
                               std::regex::icase);
  static const std::regex anchor(
      R"re((?:<a\s+name|\sid)=(?:"([^"]*)"|'([^']*)'|([^\s>]*)))re", std::regex::icase);
  auto value = [](const std::smatch& m) {
    return m[1].matched ? m[1].str() : m[2].matched ? m[2].str() : m[3].str();
  };
  for (std::sregex_iterator it(page.begin(), page.end(), href), end; it != end; ++it)
    if (LocalTarget(value(*it)) && !SearchFile(value(*it)))
      links.targets.insert(VisibleText(value(*it)));
  for (std::sregex_iterator it(page.begin(), page.end(), anchor), end; it != end; ++it)
    links.anchors.insert(VisibleText(value(*it)));
  return links;
}

// One site as written and as recorded.
struct Site {
  fs::path folder;
  SiteRecord record;
  std::set<std::string> files;  // every file of the output folder
};

struct Case {
  const char* input;
  bool topmost;
  const char* kinds;  // the letters of the page kinds the input gives ("f" is also French's)
};

class ModernEquivalenceTest : public ::testing::TestWithParam<Case> {
 protected:
  static void SetUpTestSuite() { sites_ = new std::map<std::string, std::array<Site, 2>>; }
  static void TearDownTestSuite() {
    delete sites_;
    sites_ = nullptr;
    delete temp_;
    temp_ = nullptr;
  }

  // The classic [0] and modern [1] sites of the case's input, converted once per case.
  const std::array<Site, 2>& Sites() {
    const std::string key = std::string(GetParam().input) + (GetParam().topmost ? "+" : "");
    auto it = sites_->find(key);
    if (it != sites_->end()) return it->second;
    if (!temp_) temp_ = new testing::TempFolder;
    std::array<Site, 2>& sites = (*sites_)[key];
    for (int modern = 0; modern < 2; ++modern) {
      Site& site = sites[static_cast<std::size_t>(modern)];
      site.folder = fs::path(*temp_ / (std::to_string(sites_->size()) + (modern ? "m" : "c")));
      Convert(modern != 0, site);
      for (const auto& e : fs::directory_iterator(site.folder))
        site.files.insert(e.path().filename().string());
    }
    return sites;
  }

  void Convert(bool modern, Site& site) {
    settings::Settings s;
    s.page_style = modern ? 1 : 0;
    s.owner.user_name = "Owen Owner";
    s.owner.email_address = "owen@example.org";
    s.create_notes_pages[0] = 1;
    s.create_pages[1] = 1;  // and French
    s.create_notes_pages[1] = 1;
    s.groups = 3;
    s.groups_descendancy = 2;
    s.groups_pedigree = 2;
    s.text_file = 1;
    s.include_copyright = 1;
    s.show_gedcom_ids = 1;
    s.gender = 1;
    s.mark_all_ancestors = 1;
    s.group_only_for_topmost = GetParam().topmost ? 1 : 0;
    platform::RecordingUi ui;
    platform::FailingFileSystem file_system;
    run::ProgressDisplay display([] { return std::time_t{1796606625}; });
    NoPause auxiliary;
    ClassicStyle classic;
    ModernStyle modern_style;
    RecordingStyle recording(modern ? static_cast<PageStyle&>(modern_style) : classic,
                             site.record);
    StyledSite steps(&recording);
    run::ConversionRun conversion(ui, file_system, s, display,
                                  {nullptr, &steps, nullptr, &auxiliary});
    const std::string input = std::string(KINLOOM_SOURCE_DIR) + "/" + GetParam().input;
    fs::create_directories(site.folder);
    ASSERT_EQ(conversion.Run(input, site.folder.string(), false), run::RunOutcome::kCompleted);
  }

  // The page's visible text in UTF-8. A page written in Windows-1252 for ANSEL input holds
  // character references for the letters the code page lacks, which decode alike.
  static std::string PageMarkup(const Site& site, const std::string& file) {
    return ToUtf8(ReadAll(site.folder / file), site.record.at(file).site_encoding);
  }

  // Every text, target and anchor that the units of `part` carry is in each site's pages.
  void ExpectPartShown(Part part) {
    const std::array<Site, 2>& sites = Sites();
    int units = 0;
    for (const auto& [file, record] : sites[0].record) {
      if (record.units[static_cast<std::size_t>(part)].empty()) continue;
      SCOPED_TRACE(file + " (" + kPartNames[static_cast<std::size_t>(part)] + ")");
      units += static_cast<int>(record.units[static_cast<std::size_t>(part)].size());
      for (int modern = 0; modern < 2; ++modern) {
        SCOPED_TRACE(modern ? "modern" : "classic");
        const Site& site = sites[static_cast<std::size_t>(modern)];
        ASSERT_TRUE(site.files.count(file) && site.record.count(file));
        const std::string markup = PageMarkup(site, file);
        const std::string text = VisibleText(markup);
        const Links links = LinksOf(markup);
        int missing = 0;
        for (const std::string& shown : record.texts[static_cast<std::size_t>(part)])
          if (text.find(shown) == std::string::npos && ++missing <= 5)
            ADD_FAILURE() << "not shown: \"" << shown << "\"";
        for (const std::string& target : record.targets[static_cast<std::size_t>(part)])
          if (!links.targets.count(target) && ++missing <= 10)
            ADD_FAILURE() << "no link to " << target;
        // The classic pages name the group of people without a surname with an empty name;
        // HTML5 has no empty id, and a link with an empty fragment goes to the page's top.
        for (const std::string& anchor : record.anchors[static_cast<std::size_t>(part)])
          if (!anchor.empty() && !links.anchors.count(anchor) && ++missing <= 15)
            ADD_FAILURE() << "no anchor " << anchor;
        if (missing > 0) {
          ADD_FAILURE() << missing << " missing on the page";
          return;  // one page's report is enough
        }
      }
    }
    EXPECT_GT(units, 0) << "no unit of this part was recorded";
  }

  static std::map<std::string, std::array<Site, 2>>* sites_;
  static testing::TempFolder* temp_;
};

std::map<std::string, std::array<Site, 2>>* ModernEquivalenceTest::sites_ = nullptr;
testing::TempFolder* ModernEquivalenceTest::temp_ = nullptr;

TEST_P(ModernEquivalenceTest, BothStylesWriteTheSameFilesFromTheSameUnits) {
  const std::array<Site, 2>& sites = Sites();
  // The modern site adds its style sheet and its search; the classic one its chart images.
  std::set<std::string> classic = sites[0].files, modern = sites[1].files;
  EXPECT_TRUE(modern.erase(std::string(kModernStyleSheetName)));
  for (auto it = modern.begin(); it != modern.end();)
    it = SearchFile(*it) ? modern.erase(it) : std::next(it);
  for (auto it = classic.begin(); it != classic.end();)
    it = it->size() > 4 && it->substr(it->size() - 4) == ".gif" && !modern.count(*it)
             ? classic.erase(it)
             : std::next(it);
  EXPECT_EQ(modern, classic);

  std::set<char> kinds;
  for (const auto& [file, record] : sites[0].record) {
    SCOPED_TRACE(file);
    kinds.insert(file[0]);
    auto it = sites[1].record.find(file);
    ASSERT_NE(it, sites[1].record.end());
    for (std::size_t part = 0; part < kPartCount; ++part)
      EXPECT_EQ(it->second.units[part], record.units[part]) << kPartNames[part];
  }
  std::size_t modern_pages = 0;
  for (const auto& [file, record] : sites[1].record) modern_pages += !SearchFile(file);
  EXPECT_EQ(modern_pages, sites[0].record.size());
  for (char kind : std::string(GetParam().kinds)) EXPECT_TRUE(kinds.count(kind)) << kind;
}

TEST_P(ModernEquivalenceTest, FamilyGroupsNotesAndAuthorPageShowEveryPersonDateLinkAndAnchor) {
  ExpectPartShown(kGroups);
}

TEST_P(ModernEquivalenceTest, PageFrameAndIndexPagesShowEveryPersonDateLinkAndAnchor) {
  ExpectPartShown(kFrameAndIndex);
}

TEST_P(ModernEquivalenceTest, ChartsShowEveryPersonDateLinkAndAnchor) { ExpectPartShown(kCharts); }

// Whatever writes them, each page links to the same local pages and names at least the same
// anchors (the modern pages may name more, such as landmarks).
TEST_P(ModernEquivalenceTest, EveryPageLinksToTheSameTargetsAndKeepsEveryAnchor) {
  const std::array<Site, 2>& sites = Sites();
  for (const auto& [file, record] : sites[0].record) {
    if (!sites[1].record.count(file)) continue;
    SCOPED_TRACE(file);
    const Links classic = LinksOf(PageMarkup(sites[0], file));
    const Links modern = LinksOf(PageMarkup(sites[1], file));
    EXPECT_EQ(modern.targets, classic.targets);
    for (const std::string& anchor : classic.anchors)  // an empty name: see above
      EXPECT_TRUE(anchor.empty() || modern.anchors.count(anchor)) << "no anchor " << anchor;
  }
}

INSTANTIATE_TEST_SUITE_P(Inputs, ModernEquivalenceTest,
                         ::testing::Values(
                             Case{"examples/sample.ged", false, "fbcdhiplmnsor"},
                             Case{"tests/site/golden/inputs/hostile.ged", false, "fbcdhiplmnsor"},
                             Case{"tests/site/golden/inputs/extended.ged", true, "fbcdehikplmsr"},
                             Case{"tests/site/golden/inputs/extended.ged", false, "fbcdehikplmsr"}));

}  // namespace
}  // namespace kinloom::site
