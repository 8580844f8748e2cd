// A second page style, written from the PageStyle interface alone: plain text, links as
// "[text](target)" and anchors as "{#name}". Whole conversions in it and in the classic style
// must give the same files, with the same links and anchors on every page, and the plain pages
// must hold none of the classic markup: so the units carry everything a style needs, and the
// layout and the page facts are the same whichever style writes the pages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "platform/failing_file_system.h"
#include "platform/recording_ui.h"
#include "run/conversion_run.h"
#include "run/temp_folder.h"
#include "run/whole_run.h"
#include "site/page_style.h"
#include "site/site_generation.h"

namespace kinloom::site {
namespace {

namespace fs = std::filesystem;
using testing::NoPause;
using testing::ReadAll;
using testing::StyledSite;
using lang::FormatText;

class PlainTextStyle : public PageStyle {
 public:
  // ---- page frame ----
  void WritePageHead(PageWriter& out, const PageHead& head) override {
    Line(out, "# " + head.title);
    if (head.ancestor_notice) WriteAncestorNotice(out, head.ancestor);
    if (head.privacy_notice) Line(out, "(living people's dates are not shown)");
  }
  void WriteRule(PageWriter& out) override { Line(out, "----"); }
  void WriteAncestorNotice(PageWriter& out, const AncestorNotice& notice) override {
    if (!notice.ancestor_known) return;
    std::string name = notice.surname + ", " + notice.given_names + " " + notice.title;
    Line(out, "ancestors of " + (notice.linked ? Link(name, notice.target) : name));
  }
  void WriteMainPageLink(PageWriter& out, const MainPageLink& link) override {
    Line(out, Link("main page", link.target));
  }
  void WritePageFoot(PageWriter& out, const PageFoot& foot) override {
    Line(out, Link("produced by", foot.author_page));
    if (foot.back_link) WriteMainPageLink(out, foot.main_page);
    if (foot.source_line) Line(out, foot.source_name + " " + foot.date_stamp);
    if (foot.copyright) Line(out, "(c) " + std::to_string(foot.copyright_year) + " " + foot.owner);
  }

  // ---- family group pages ----
  void FamilyGroup(PageWriter& out, const FamilyGroupUnit& group) override {
    Line(out, Anchor(std::to_string(group.anchor)));
    FullPerson(out, group.principal);
    for (const FamilyBlockUnit& family : group.families) {
      if (family.marriage) {
        Line(out, "married " + (family.marriage->withheld ? std::string("(withheld)")
                                                          : std::string(family.marriage->date)) +
                      " " + std::string(family.marriage->place));
        if (!family.marriage->notes_target.empty())
          Line(out, Link("notes", family.marriage->notes_target));
      }
      if (family.spouse) Member(out, "spouse", *family.spouse);
      for (const GroupMemberUnit& child : family.children) Member(out, "child", child);
    }
    if (group.back_link) Line(out, Link("main page", MainPage(out)));
  }
  void Vitals(PageWriter& out, const VitalsUnit& vitals) override {
    Line(out, Dates(vitals.dates) + (vitals.sex == 1 ? " female" : vitals.sex == 2 ? " male" : ""));
  }

  // ---- notes pages ----
  void NotesPageStart(PageWriter& out) override { Line(out, "notes:"); }
  void NotesEntry(PageWriter& out, const NotesEntryUnit& entry) override {
    for (const NotesPersonUnit& person : entry.people) {
      std::string name = std::string(person.surname) + ", " + std::string(person.given_names);
      if (person.anchor) Line(out, Anchor(std::to_string(*person.anchor)));
      Line(out, (person.target ? Link(name, *person.target) : name) + " " + Dates(person.dates));
    }
    for (const NotesItemUnit& item : entry.items)
      Line(out, "* " + item.label.value_or("") + ": " + (item.withheld ? "(withheld)" : item.text));
  }

  // ---- author page ----
  void AuthorPage(PageWriter& out, const AuthorPageUnit& page) override {
    Line(out, page.product + " " + page.produced_sentence + " " + page.owner_name);
    Line(out, Link(page.author_name, page.home_page));
    if (page.back_link) Line(out, Link("main page", MainPage(out)));
  }

  // ---- descendancy pages ----
  void BeginDescendancyPage(PageWriter& out, const ChartPageUnit&) override { Line(out, "tree:"); }
  void EndDescendancyPage(PageWriter&, const ChartPageUnit&) override {}
  void BeginDescendancyTree(PageWriter& out, const OutlineTreeUnit& tree) override {
    if (tree.place_anchor >= 0) Line(out, Anchor(std::to_string(tree.place_anchor)));
  }
  void OpenOutlineLevel(PageWriter& out, const OutlinePersonUnit& person,
                        const WriteDates& dates) override {
    Line(out, std::string(static_cast<std::size_t>(person.depth) * 2, ' ') + Outline(person));
    dates();
  }
  void WriteOutlineFamily(PageWriter& out, const OutlineFamilyUnit& family,
                          const WriteDates& spouse_dates) override {
    if (family.has_spouse) {
      Line(out, "married to " + Outline(family.spouse));
      spouse_dates();
    }
    if (family.marriage == OutlineFamilyUnit::Marriage::kShown)
      Line(out, "married " + std::string(family.marriage_date) + " " +
                         std::string(family.marriage_place));
  }
  void WriteOutlineContinuation(PageWriter& out, const OutlineContinuationUnit& next) override {
    Line(out, Link("continued", next.target));
  }
  void CloseOutlineLevel(PageWriter&, const OutlinePersonUnit&) override {}

  // ---- pedigree pages ----
  void BeginPedigreePage(PageWriter& out, const ChartPageUnit&) override { Line(out, "chart:"); }
  void WritePedigreeChart(PageWriter& out, const PedigreeChartUnit& chart) override {
    if (chart.place_anchor >= 0) Line(out, Anchor(std::to_string(chart.place_anchor)));
    for (const PedigreeCellUnit& cell : chart.rows) {
      if (!cell.filled) continue;
      std::string name = std::string(cell.surname) + ", " + std::string(cell.given_names);
      std::string text = cell.anchor >= 0 ? Anchor(std::to_string(cell.anchor)) : std::string();
      text += cell.link.empty() ? name : Link(name, cell.link);
      if (cell.birth == PedigreeCellUnit::Birth::kShown) text += " b. " + cell.birth_date;
      if (cell.birth == PedigreeCellUnit::Birth::kWithheld) text += " b. (withheld)";
      if (!cell.death_date.empty()) text += " d. " + cell.death_date;
      if (!cell.continuation.empty()) text += " " + Link("more", cell.continuation);
      Line(out, text);
    }
  }

  // ---- index pages ----
  void WritePersonLink(PageWriter& out, const PersonLink& link) override {
    std::string text = link.name_anchor ? Anchor(link.anchor_name) : std::string();
    text += link.linked ? Link(link.name, link.target) : link.name;
    if (link.notes_icon) text += " " + Link("notes", link.notes_target);
    if (link.pedigree_icon) text += " " + Link("pedigree", link.pedigree_target);
    Line(out, text);
  }
  void WritePersonEntry(PageWriter& out, const PersonEntry& entry) override {
    WritePersonLink(out, entry.link);
    for (const ChartTree& tree : entry.trees) Line(out, "  in " + Link(tree.first_surname, tree.target));
  }
  void WriteLetterBar(PageWriter& out, const LetterBar& bar) override {
    std::string text = bar.kind_name + ":";
    for (const IndexLetter& letter : bar.letters)
      text += " " + (letter.present ? Link(letter.letter, letter.target) : letter.letter);
    if (bar.other_present) text += " " + Link("other", bar.other_target);
    for (const IndexLetter& letter : bar.nordic_letters)
      text += " " + (letter.present ? Link(letter.letter, letter.target) : letter.letter);
    Line(out, text);
  }
  void WriteSurnameListStart(PageWriter& out, const SurnameList&) override { Line(out, "surnames:"); }
  void WriteSurnameGroup(PageWriter& out, const SurnameGroup& group) override {
    if (group.starts_initial) Line(out, "## " + (group.other_initial ? "other" : group.initial));
    Line(out, Link(group.surname, group.target) + " " + std::to_string(group.count));
  }
  void WriteSurnameListEnd(PageWriter&, const SurnameList&) override {}
  void WriteSurnameIndexTop(PageWriter& out, const SurnameIndexTop& top) override {
    WriteLetterBar(out, top.letters);
    if (top.back_link) WriteMainPageLink(out, top.main_page);
  }
  void WriteMainIndexBody(PageWriter& out, const MainIndexPage& page) override {
    for (const MainIndexPage::Link& link : page.languages) Line(out, Link(link.text, link.target));
    Line(out, FormatText("%ld people, %ld families, %ld surnames", page.individuals,
                         page.families, page.surnames));
    if (page.gedcom_link) Line(out, Link(page.gedcom_name, page.gedcom_url));
    if (page.ancestor_notice) WriteAncestorNotice(out, page.ancestor);
    for (const MainIndexPage::KindIndex& kind : page.kinds) {
      WriteLetterBar(out, kind.letters);
      Line(out, Link("all surnames", kind.surname_list));
    }
    for (const MainIndexPage::Link& link : page.links) Line(out, Link(link.text, link.target));
    if (page.owner) Line(out, page.owner_name + " " + page.email);
  }

 private:
  static std::string MainPage(PageWriter& out) {
    return out.language().index_name + "." + out.PageExtension();
  }
  static std::string Link(const std::string& text, const std::string& target) {
    return "[" + text + "](" + target + ")";
  }
  static std::string Anchor(const std::string& name) { return "{#" + name + "}"; }
  static void Line(PageWriter& out, const std::string& text) { out.AppendHtml(text + "\n"); }
  static std::string Dates(const ShownDates& dates) {
    std::string text;
    for (const ShownEvent* event : {&dates.birth, &dates.death}) {
      if (!event->shown) continue;
      text += event == &dates.birth ? " b. " : " d. ";
      text += event->withheld ? "(withheld)" : std::string(event->date);
      if (!event->place.empty()) text += " " + std::string(event->place);
    }
    return text;
  }
  static std::string Outline(const OutlinePersonUnit& person) {
    std::string name = std::string(person.surname) + ", " + std::string(person.given_names);
    std::string text = person.anchor >= 0 ? Anchor(std::to_string(person.anchor)) : std::string();
    return text + (person.link.empty() ? name : Link(name, person.link));
  }
  void Member(PageWriter& out, const std::string& role, const GroupMemberUnit& member) {
    if (member.in_full) {
      Line(out, role + ":");
      FullPerson(out, member.full);
    } else {
      std::string text = role + ": ";
      if (member.link.name_anchor) text += Anchor(*member.link.name_anchor);
      Line(out, text + Link(member.link.name, member.link.target));
      Marks(out, member.link.marks);
    }
  }
  void FullPerson(PageWriter& out, const FullPersonUnit& person) {
    Line(out, std::string(person.surname) + ", " + std::string(person.given_names) + " " +
                  std::string(person.title));
    Marks(out, person.marks);
    Vitals(out, person.vitals);
    if (!person.parents) return;
    for (const auto* parent : {&person.parents->father, &person.parents->mother})
      if (*parent) {
        const std::optional<std::string>& anchor = (*parent)->name_anchor;
        Line(out, "parent: " + (anchor ? Anchor(*anchor) : std::string()) +
                      Link((*parent)->name, (*parent)->target));
        Marks(out, (*parent)->marks);
      }
  }
  void Marks(PageWriter& out, const PersonMarks& marks) {
    if (!marks.notes_target.empty()) Line(out, Link("notes", marks.notes_target));
    if (!marks.pedigree_target.empty()) Line(out, Link("pedigree", marks.pedigree_target));
  }
};

// The local pages a page links to (file and fragment), and the anchors it names.
struct Links {
  std::set<std::string> targets;
  std::set<std::string> anchors;
};

bool LocalPage(const std::string& target) {
  return target.find(':') == std::string::npos && target.find(".gif") == std::string::npos &&
         target.find(".jpg") == std::string::npos && target.find(".ged") == std::string::npos &&
         !target.empty();
}

Links ClassicLinks(const std::string& page) {
  Links links;
  // A quoted value runs to its closing quote, an unquoted one to a blank or ">".
  static const std::regex href(R"re(href=(?:"([^"]*)"|'([^']*)'|([^\s>]*)))re",
                               std::regex::icase);
  static const std::regex name(R"re(<a name=(?:"([^"]*)"|'([^']*)'|([^\s>]*)))re",
                               std::regex::icase);
  auto value = [](const std::smatch& m) {
    return m[1].matched ? m[1].str() : m[2].matched ? m[2].str() : m[3].str();
  };
  for (std::sregex_iterator it(page.begin(), page.end(), href), end; it != end; ++it)
    if (LocalPage(value(*it))) links.targets.insert(value(*it));
  for (std::sregex_iterator it(page.begin(), page.end(), name), end; it != end; ++it)
    links.anchors.insert(value(*it));
  return links;
}

Links PlainLinks(const std::string& page) {
  Links links;
  static const std::regex link(R"(\]\(([^)]*)\))");
  static const std::regex anchor(R"(\{#([^}]*)\})");
  for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it)
    if (LocalPage((*it)[1])) links.targets.insert((*it)[1]);
  for (std::sregex_iterator it(page.begin(), page.end(), anchor), end; it != end; ++it)
    links.anchors.insert((*it)[1]);
  return links;
}

struct Case {
  const char* input;
  bool topmost;
  const char* kinds;  // the letters of the page kinds the input gives
};

class PlainTextStyleTest : public ::testing::TestWithParam<Case> {
 protected:
  // Converts the case's input in `style` (classic when null) into `folder`.
  void Convert(PageStyle* style, const std::string& folder) {
    settings::Settings s;
    s.owner.user_name = "Owen Owner";
    s.create_notes_pages[0] = 1;
    s.create_pages[1] = 1;  // and French
    s.create_notes_pages[1] = 1;
    s.groups = 3;
    s.groups_descendancy = 2;
    s.groups_pedigree = 2;
    s.text_file = 1;
    s.include_copyright = 1;
    s.show_gedcom_ids = 1;
    s.mark_all_ancestors = 1;
    s.group_only_for_topmost = GetParam().topmost ? 1 : 0;
    platform::RecordingUi ui;
    platform::FailingFileSystem file_system;
    run::ProgressDisplay display([] { return std::time_t{1796606625}; });
    NoPause auxiliary;
    StyledSite site(style);
    run::ConversionRun conversion(ui, file_system, s, display,
                                  {nullptr, &site, nullptr, &auxiliary});
    const std::string input = std::string(KINLOOM_SOURCE_DIR) + "/" + GetParam().input;
    ASSERT_EQ(conversion.Run(input, folder, false), run::RunOutcome::kCompleted);
  }

  testing::TempFolder temp;
};

TEST_P(PlainTextStyleTest, EveryPageKindCarriesTheSameLinksAndAnchors) {
  PlainTextStyle plain;
  Convert(nullptr, temp / "classic");
  Convert(&plain, temp / "plain");
  std::set<std::string> classic_files, plain_files;
  for (const auto& e : fs::directory_iterator(temp / "classic"))
    classic_files.insert(e.path().filename().string());
  for (const auto& e : fs::directory_iterator(temp / "plain"))
    plain_files.insert(e.path().filename().string());
  EXPECT_EQ(plain_files, classic_files);

  std::set<char> kinds;  // the page kinds seen, by the letter after the language letter
  for (const std::string& file : classic_files) {
    if (file.size() < 4 || file.substr(file.size() - 4) != ".htm") continue;
    SCOPED_TRACE(file);
    const std::string classic = ReadAll(fs::path(temp / "classic") / file);
    const std::string page = ReadAll(fs::path(temp / "plain") / file);
    kinds.insert(file[0] == 'f' && file.size() > 1 && file[1] != '_' && file[1] != '.' ? file[1]
                                                                                        : file[0]);
    for (const char* markup : {"<html", "<body", "<font", "<table", "<center", "<a ", "<img",
                               "<ul", "<li", "<blockquote", "<meta", "<title"})
      EXPECT_EQ(page.find(markup), std::string::npos) << markup << "\n" << page.substr(0, 2000);
    const Links a = ClassicLinks(classic), b = PlainLinks(page);
    EXPECT_EQ(b.targets, a.targets);
    EXPECT_EQ(b.anchors, a.anchors);
  }
  for (char kind : std::string(GetParam().kinds))
    EXPECT_TRUE(kinds.count(kind)) << "no page of kind " << kind;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PlainTextStyleTest,
    ::testing::Values(Case{"examples/sample.ged", false, "fbcdhiplmnsor"},
                      Case{"tests/site/golden/inputs/hostile.ged", false, "fbcdhiplmnsor"},
                      Case{"tests/site/golden/inputs/extended.ged", true, "fbcdehikplmsr"},
                      Case{"tests/site/golden/inputs/extended.ged", false, "fbcdehikplmsr"}));

}  // namespace
}  // namespace kinloom::site
