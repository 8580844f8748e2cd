// The modern descendancy outlines and pedigree charts: every person, link, anchor and date of
// a chart unit reaches the page, in lists nested as the chart's people are related (the
// nesting is what the style sheet draws the chart's lines from), the markup is well formed,
// escapes what the classic pages escape, and uses none of the classic page's presentational
// markup. Whole converted sites check that every link of a chart page finds its anchor.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cli/program_runner.h"
#include "run/temp_folder.h"
#include "site/modern_style.h"
#include "site/site_fixture.h"

namespace kinloom::site {
namespace {

using testing::SiteFixture;

// ---- a small reader of the markup written ----

struct Element {
  std::string tag;
  std::map<std::string, std::string> attributes;
  std::vector<std::unique_ptr<Element>> children;  // elements and pieces of text, in order
  std::string text;                                // a piece of text (tag "#text")
  Element* parent = nullptr;

  std::string Attribute(const std::string& name) const {
    auto found = attributes.find(name);
    return found == attributes.end() ? std::string() : found->second;
  }
  bool HasClass(const std::string& name) const {
    const std::string classes = " " + Attribute("class") + " ";
    return classes.find(" " + name + " ") != std::string::npos;
  }
  // The element's children with the tag (and class, when given).
  std::vector<Element*> Children(const std::string& tag, const std::string& cls = "") const {
    std::vector<Element*> found;
    for (const auto& child : children)
      if (child->tag == tag && (cls.empty() || child->HasClass(cls))) found.push_back(child.get());
    return found;
  }
  // All the text inside, tags left out.
  std::string AllText() const {
    std::string all = text;
    for (const auto& child : children) all += child->AllText();
    return all;
  }
  void Collect(const std::string& tag, const std::string& cls, std::vector<Element*>& found) {
    if (tag == this->tag && (cls.empty() || HasClass(cls))) found.push_back(this);
    for (const auto& child : children) child->Collect(tag, cls, found);
  }
  std::vector<Element*> All(const std::string& tag, const std::string& cls = "") {
    std::vector<Element*> found;
    Collect(tag, cls, found);
    return found;
  }
};

// Reads markup into a tree; `error` tells the first tag that does not nest (empty when none).
std::unique_ptr<Element> Parse(const std::string& html, std::string& error) {
  static const std::set<std::string> kVoid = {"img", "br", "hr", "meta", "link", "wbr", "input"};
  auto root = std::make_unique<Element>();
  Element* open = root.get();
  std::size_t at = 0;
  while (at < html.size()) {
    std::size_t lt = html.find('<', at);
    if (lt == std::string::npos) lt = html.size();
    if (lt > at) {
      auto text = std::make_unique<Element>();
      text->tag = "#text";
      text->text = html.substr(at, lt - at);
      text->parent = open;
      open->children.push_back(std::move(text));
    }
    if (lt == html.size()) break;
    if (html.compare(lt, 4, "<!--") == 0 || html.compare(lt, 2, "<!") == 0) {
      std::size_t end = html.find('>', lt);
      at = end == std::string::npos ? html.size() : end + 1;
      continue;
    }
    std::size_t gt = html.find('>', lt);
    if (gt == std::string::npos) {
      error = "unclosed tag at " + std::to_string(lt);
      return root;
    }
    std::string tag = html.substr(lt + 1, gt - lt - 1);
    at = gt + 1;
    if (!tag.empty() && tag[0] == '/') {
      std::string name = tag.substr(1);
      if (open == root.get() || open->tag != name) {
        if (error.empty())
          error = "</" + name + "> closes <" + (open == root.get() ? "nothing" : open->tag) + ">";
        continue;
      }
      open = open->parent;
      continue;
    }
    const bool self_closing = !tag.empty() && tag.back() == '/';
    if (self_closing) tag.pop_back();
    auto element = std::make_unique<Element>();
    std::size_t name_end = tag.find_first_of(" \t\n");
    element->tag = tag.substr(0, name_end);
    // Attributes: name="value" pairs.
    std::size_t p = name_end;
    while (p != std::string::npos && p < tag.size()) {
      std::size_t eq = tag.find("=\"", p);
      if (eq == std::string::npos) break;
      std::size_t name_start = tag.find_last_of(" \t\n", eq);
      std::string name = tag.substr(name_start + 1, eq - name_start - 1);
      std::size_t close = tag.find('"', eq + 2);
      if (close == std::string::npos) {
        error = "unclosed attribute in <" + tag + ">";
        return root;
      }
      element->attributes[name] = tag.substr(eq + 2, close - eq - 2);
      p = close + 1;
    }
    element->parent = open;
    Element* raw = element.get();
    open->children.push_back(std::move(element));
    if (!self_closing && !kVoid.count(raw->tag)) open = raw;
  }
  if (error.empty() && open != root.get()) error = "<" + open->tag + "> is never closed";
  return root;
}

// The presentational markup of the classic pages, none of which a modern page may hold: its
// elements, its attributes and the pieces of its chart drawings.
void ExpectNoForbiddenMarkup(const std::string& html, const std::string& where) {
  static const std::set<std::string> kElements = {"font", "center", "table", "tr", "td"};
  static const std::set<std::string> kAttributes = {"bgcolor", "align",     "border", "width",
                                                    "height",  "valign",    "color",  "size",
                                                    "style",   "background"};
  for (const char* image :
       {"q6.gif", "q7.gif", "q8.gif", "q9.gif", "q0.gif", "qa.gif", "qb.gif", "qc.gif"})
    EXPECT_EQ(html.find(image), std::string::npos) << where << " shows " << image;
  std::string error;
  std::unique_ptr<Element> root = Parse(html, error);
  // An inline SVG drawing sizes itself with its own width and height: those are geometry,
  // not HTML presentation.
  std::function<void(const Element&, bool)> walk = [&](const Element& e, bool in_svg) {
    std::string tag = e.tag;
    for (char& c : tag) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    in_svg = in_svg || tag == "svg";
    EXPECT_FALSE(kElements.count(tag)) << where << " holds <" << e.tag << ">";
    for (const auto& [name, value] : e.attributes) {
      const bool geometry = in_svg && (name == "width" || name == "height");
      EXPECT_FALSE(kAttributes.count(name) && !geometry)
          << where << ": <" << e.tag << " " << name << ">";
      EXPECT_FALSE(tag == "a" && name == "name") << where << ": <a name=\"" << value << "\">";
    }
    for (const auto& child : e.children) walk(*child, in_svg);
  };
  walk(*root, false);
}

// ---- pedigree charts ----

// A unit views its texts, which the store keeps for the whole run; these are kept as long.
std::string_view Kept(std::string text) {
  static std::deque<std::string> texts;
  return texts.emplace_back(std::move(text));
}

// A cell whose every text names its row, so that each can be found alone.
PedigreeCellUnit Cell(int row) {
  const std::string r = std::to_string(row);
  PedigreeCellUnit cell;
  cell.filled = true;
  cell.anchor = 100 + row;
  cell.link = "f_" + r + ".htm#" + r;
  cell.surname = Kept("Surname" + r);
  cell.given_names = Kept("Given" + r);
  cell.birth = PedigreeCellUnit::Birth::kShown;
  cell.birth_date = "1 JAN 17" + r;
  cell.death_date = "2 FEB 18" + r;
  return cell;
}

PedigreeChartUnit FullChart() {
  PedigreeChartUnit chart;
  for (int row = 0; row < kPedigreeRows; ++row) {
    chart.rows[static_cast<std::size_t>(row)] = Cell(row);
    if (PedigreeGenerationOfRow(row) == 3)
      chart.rows[static_cast<std::size_t>(row)].continuation = "e_0.htm#" + std::to_string(row);
  }
  return chart;
}

// The text of a pedigree chart as the modern style writes it.
std::string ChartText(SiteFixture& f, const PedigreeChartUnit& chart) {
  f.Start();
  ModernStyle style;
  return f.Body([&] { style.WritePedigreeChart(*f.writer, chart); });
}

// The person item (li.ped-node) whose box carries `anchor`.
Element* NodeOf(Element& root, int anchor) {
  for (Element* box : root.All("div", "ped-person"))
    if (box->Attribute("id") == std::to_string(anchor)) return box->parent;
  return nullptr;
}

// The boxes' anchors of the father and mother items listed under the item of `anchor`.
std::vector<std::string> ParentsOf(Element& root, int anchor) {
  std::vector<std::string> parents;
  Element* node = NodeOf(root, anchor);
  if (node == nullptr) return {"<no item>"};
  std::vector<Element*> lists = node->Children("ul", "ped-parents");
  if (lists.empty()) return parents;
  if (lists.size() > 1) return {"<two lists>"};
  for (Element* item : lists[0]->Children("li")) {
    std::vector<Element*> boxes = item->Children("div", "ped-person");
    parents.push_back(boxes.size() == 1 ? boxes[0]->Attribute("id") : "<no box>");
  }
  return parents;
}

TEST(ModernPedigreeChartTest, EveryPersonIsABoxNestedUnderItsChildFatherFirst) {
  SiteFixture f;
  const PedigreeChartUnit chart = FullChart();
  const std::string html = ChartText(f, chart);
  std::string error;
  std::unique_ptr<Element> root = Parse(html, error);
  ASSERT_EQ(error, "") << html;

  // Fifteen boxes, one per row, each the only element with its anchor.
  EXPECT_EQ(root->All("div", "ped-person").size(), 15u);
  for (int row = 0; row < kPedigreeRows; ++row) {
    const std::string r = std::to_string(row);
    Element* node = NodeOf(*root, 100 + row);
    ASSERT_NE(node, nullptr) << "row " << r;
    EXPECT_EQ(node->tag, "li");
    EXPECT_EQ(html.find("id=\"" + std::to_string(100 + row) + "\""),
              html.rfind("id=\"" + std::to_string(100 + row) + "\""));
    // The person's parents, when the chart shows them: the father's row, then the mother's.
    if (PedigreeGenerationOfRow(row) < 3) {
      const int offset = PedigreeParentOffset(row);
      EXPECT_EQ(ParentsOf(*root, 100 + row),
                (std::vector<std::string>{std::to_string(100 + row - offset),
                                          std::to_string(100 + row + offset)}))
          << "row " << r;
    } else {
      EXPECT_TRUE(ParentsOf(*root, 100 + row).empty()) << "row " << r;
    }
  }
  // The root's item stands alone in the chart's list.
  ASSERT_EQ(root->All("ul", "pedigree-tree").size(), 1u);
  EXPECT_EQ(root->All("ul", "pedigree-tree")[0]->Children("li").size(), 1u);
  EXPECT_EQ(NodeOf(*root, 107)->parent->Attribute("class"), "pedigree-tree");
}

TEST(ModernPedigreeChartTest, EveryNameLinkDateAndArrowOfTheUnitIsInItsBox) {
  SiteFixture f;
  PedigreeChartUnit chart = FullChart();
  chart.rows[1].title = "Sir";
  chart.rows[2].show_gedcom_id = true;
  chart.rows[2].gedcom_id = "I2";
  chart.rows[3].ancestor = true;
  const std::string html = ChartText(f, chart);
  std::string error;
  std::unique_ptr<Element> root = Parse(html, error);
  ASSERT_EQ(error, "") << html;
  for (int row = 0; row < kPedigreeRows; ++row) {
    const std::string r = std::to_string(row);
    Element* node = NodeOf(*root, 100 + row);
    ASSERT_NE(node, nullptr);
    Element* box = node->Children("div", "ped-person")[0];
    std::vector<Element*> links = box->Children("a");
    ASSERT_EQ(links.size(), 1u) << "row " << r;
    EXPECT_EQ(links[0]->Attribute("href"), "f_" + r + ".htm#" + r);
    const std::string name = "Surname" + r + ", Given" + r + (row == 1 ? " Sir" : "");
    // Row 3 is a direct ancestor of the chosen individual: the red dot leads the name.
    EXPECT_EQ(links[0]->AllText(), (row == 3 ? "&#9679;" : "") + name);
    const std::string text = box->AllText();
    EXPECT_NE(text.find("b. 1 JAN 17" + r), std::string::npos) << text;
    EXPECT_NE(text.find("d. 2 FEB 18" + r), std::string::npos) << text;
    // The arrows of the great-grandparents lead on, named for the person they continue.
    std::vector<Element*> arrows = node->Children("a", "ped-more");
    if (PedigreeGenerationOfRow(row) == 3) {
      ASSERT_EQ(arrows.size(), 1u) << "row " << r;
      EXPECT_EQ(arrows[0]->Attribute("href"), "e_0.htm#" + r);
      EXPECT_NE(arrows[0]->AllText().find("Extended: Surname" + r + ", Given" + r),
                std::string::npos);
    } else {
      EXPECT_TRUE(arrows.empty()) << "row " << r;
    }
  }
  EXPECT_NE(html.find("<small>{I2}</small>"), std::string::npos);
  // The ancestor mark stands in the ancestor's link, and only there.
  std::vector<Element*> marks = root->All("span", "red-dot");
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0]->parent->Attribute("href"), "f_3.htm#3");
  EXPECT_NE(marks[0]->Attribute("aria-label"), "");
  ExpectNoForbiddenMarkup(html, "chart");
}

TEST(ModernPedigreeChartTest, ScreenReadersHearWhichParentEachPersonIs) {
  SiteFixture f;
  // The root has only a mother, whose father is shown; the empty rows hold stale texts that
  // must not be written.
  PedigreeChartUnit chart;
  for (int row : {7, 11, 9, 3, 5}) chart.rows[static_cast<std::size_t>(row)] = Cell(row);
  chart.rows[3].filled = false;
  chart.rows[5].filled = false;
  const std::string html = ChartText(f, chart);
  std::string error;
  std::unique_ptr<Element> root = Parse(html, error);
  ASSERT_EQ(error, "") << html;
  EXPECT_EQ(root->All("div", "ped-person").size(), 3u);
  EXPECT_EQ(html.find("Surname3"), std::string::npos);
  EXPECT_EQ(html.find("Surname5"), std::string::npos);
  EXPECT_EQ(ParentsOf(*root, 107), std::vector<std::string>{"111"});
  EXPECT_EQ(ParentsOf(*root, 111), std::vector<std::string>{"109"});
  EXPECT_TRUE(ParentsOf(*root, 109).empty());
  // A lone parent is told apart by its role, which the chart shows by its place.
  EXPECT_NE(NodeOf(*root, 111)->AllText().find("Mother: Surname11"), std::string::npos);
  EXPECT_NE(NodeOf(*root, 109)->AllText().find("Father: Surname9"), std::string::npos);
  EXPECT_EQ(NodeOf(*root, 107)->Children("div")[0]->AllText().find("Father"), std::string::npos);
  // No list is left empty.
  for (Element* list : root->All("ul")) EXPECT_FALSE(list->Children("li").empty());
}

TEST(ModernPedigreeChartTest, WithheldBirthsNamelessLinksAndExtendedChartAnchors) {
  SiteFixture f;
  PedigreeChartUnit chart;
  chart.place_anchor = 4;
  chart.rows[7] = Cell(7);
  chart.rows[7].birth = PedigreeCellUnit::Birth::kWithheld;
  chart.rows[7].death_date.clear();
  chart.rows[3] = Cell(3);
  chart.rows[3].link.clear();  // without family group pages
  chart.rows[3].anchor = -1;   // shown on an earlier chart
  chart.rows[3].birth = PedigreeCellUnit::Birth::kNone;
  const std::string html = ChartText(f, chart);
  std::string error;
  std::unique_ptr<Element> root = Parse(html, error);
  ASSERT_EQ(error, "") << html;
  // The chart itself carries the place anchor the continuation arrows name.
  std::vector<Element*> charts = root->All("div", "pedigree");
  ASSERT_EQ(charts.size(), 1u);
  EXPECT_EQ(charts[0]->Attribute("id"), "4");
  Element* root_box = NodeOf(*root, 107)->Children("div", "ped-person")[0];
  EXPECT_NE(root_box->AllText().find("--Not Shown--"), std::string::npos);
  EXPECT_EQ(root_box->AllText().find("d. "), std::string::npos);
  EXPECT_EQ(root_box->AllText().find("b. "), std::string::npos);
  // The father: no link, no anchor, no dates; his name still shown.
  std::vector<Element*> boxes = root->All("div", "ped-person");
  ASSERT_EQ(boxes.size(), 2u);
  Element* father = boxes[1];
  EXPECT_EQ(father->Attribute("id"), "");
  EXPECT_TRUE(father->Children("a").empty());
  EXPECT_NE(father->AllText().find("Surname3, Given3"), std::string::npos);
  EXPECT_EQ(father->AllText().find("b. "), std::string::npos);
}

TEST(ModernPedigreeChartTest, GedcomIdsAreEscapedAndPageTextIsNot) {
  SiteFixture f;
  PedigreeChartUnit chart;
  chart.rows[7] = Cell(7);
  chart.rows[7].show_gedcom_id = true;
  chart.rows[7].gedcom_id = "<I7>&\"x\"";
  // Names are the store's page text, already escaped; writing them again would show
  // "&amp;amp;".
  chart.rows[7].surname = "O&#39;Brien &amp; Sons";
  chart.rows[7].given_names = "Ren&lt;b&gt;e";
  const std::string html = ChartText(f, chart);
  EXPECT_NE(html.find("{&lt;I7&gt;&amp;&quot;x&quot;}"), std::string::npos) << html;
  EXPECT_EQ(html.find("<I7>"), std::string::npos);
  EXPECT_NE(html.find("O&#39;Brien &amp; Sons, Ren&lt;b&gt;e"), std::string::npos) << html;
  std::string error;
  Parse(html, error);
  EXPECT_EQ(error, "");
}

// ---- descendancy outlines ----

OutlinePersonUnit Person(const std::string& name, int depth, int anchor = -1) {
  OutlinePersonUnit person;
  person.depth = depth;
  person.colour = 0x800000;
  person.anchor = anchor;
  person.link = "f_" + name + ".htm#" + name;
  person.surname = Kept("Surname" + name);
  person.given_names = Kept("Given" + name);
  return person;
}

WriteDates Dates(PageWriter& out, const std::string& text, bool line = true) {
  return [&out, text, line] {
    out.AppendHtml(text);
    return line;
  };
}

// A root with two families: the first with a spouse, a shown marriage and two children, one
// of whom has a child; the second with a withheld marriage and a child whose descendants
// continue on an extended page.
std::string TwoFamilies(SiteFixture& f, bool coloured) {
  f.Start();
  ModernStyle style;
  PageWriter& out = *f.writer;
  auto colour = [&](OutlinePersonUnit person) {
    if (!coloured) person.colour = kPlainColour;
    return person;
  };
  return f.Body([&] {
    style.BeginDescendancyTree(out, OutlineTreeUnit{3});
    const OutlinePersonUnit root = colour(Person("R", 0, 10));
    style.OpenOutlineLevel(out, root, Dates(out, "[dates R]"));
    OutlineFamilyUnit first;
    first.has_spouse = true;
    first.spouse = colour(Person("S1", 0, 11));
    first.spouse.title = "Lady";
    first.marriage = OutlineFamilyUnit::Marriage::kShown;
    first.marriage_date = "3 MAR 1800";
    first.marriage_place = "Bath";
    style.WriteOutlineFamily(out, first, Dates(out, "[dates S1]"));
    const OutlinePersonUnit a = colour(Person("A", 1));
    style.OpenOutlineLevel(out, a, Dates(out, "[dates A]", false));
    const OutlinePersonUnit a1 = colour(Person("A1", 2));
    style.WriteOutlineFamily(out, OutlineFamilyUnit{}, Dates(out, "[never]"));
    style.OpenOutlineLevel(out, a1, Dates(out, "[dates A1]"));
    style.CloseOutlineLevel(out, a1);
    style.CloseOutlineLevel(out, a);
    const OutlinePersonUnit b = colour(Person("B", 1));
    style.OpenOutlineLevel(out, b, Dates(out, "[dates B]"));
    style.CloseOutlineLevel(out, b);
    OutlineFamilyUnit second;
    second.has_spouse = true;
    second.spouse = colour(Person("S2", 0, 12));
    second.spouse.ancestor = true;
    second.spouse.show_gedcom_id = true;
    second.spouse.gedcom_id = "<I&9>";
    second.marriage = OutlineFamilyUnit::Marriage::kWithheld;
    second.marriage_place = "York";
    style.WriteOutlineFamily(out, second, Dates(out, "[dates S2]", false));
    const OutlinePersonUnit c = colour(Person("C", 1));
    style.OpenOutlineLevel(out, c, Dates(out, "[dates C]"));
    style.WriteOutlineFamily(out, OutlineFamilyUnit{}, Dates(out, "[never]"));
    style.WriteOutlineContinuation(out, {"g_0.htm#2", 0xFF8040});
    style.CloseOutlineLevel(out, c);
    style.CloseOutlineLevel(out, root);
  });
}

// The person item (li) whose line links to `name`'s group.
Element* LevelOf(Element& root, const std::string& name) {
  for (Element* line : root.All("div", "outline-person"))
    for (Element* link : line->Children("a"))
      if (link->Attribute("href") == "f_" + name + ".htm#" + name) return line->parent;
  return nullptr;
}

// The names of the levels listed directly in `list`.
std::vector<std::string> Levels(Element& list) {
  std::vector<std::string> names;
  for (Element* item : list.Children("li")) {
    std::vector<Element*> lines = item->Children("div", "outline-person");
    names.push_back(lines.empty() ? item->Attribute("class") : lines[0]->AllText());
  }
  return names;
}

TEST(ModernOutlineTest, ChildrenAreListedUnderTheFamilyTheyBelongTo) {
  SiteFixture f;
  const std::string html = TwoFamilies(f, true);
  std::string error;
  std::unique_ptr<Element> root = Parse(html, error);
  ASSERT_EQ(error, "") << html;

  // The tree: one list holding the root, with the place anchor of the extended pages.
  std::vector<Element*> trees = root->All("ul", "outline");
  ASSERT_EQ(trees.size(), 1u);
  EXPECT_EQ(trees[0]->Attribute("id"), "3");
  ASSERT_EQ(trees[0]->Children("li").size(), 1u);
  Element* r = LevelOf(*root, "R");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->parent, trees[0]);
  EXPECT_EQ(r->Attribute("id"), "10");

  // In the root's item: its line, the first family, its children, the second family and its
  // child, in that order.
  std::vector<std::string> order;
  for (const auto& child : r->children)
    if (child->tag != "#text") order.push_back(child->tag + "." + child->Attribute("class"));
  EXPECT_EQ(order, (std::vector<std::string>{"div.outline-person", "div.outline-family",
                                             "ul.outline-children", "div.outline-family",
                                             "ul.outline-children"}));
  std::vector<Element*> lists = r->Children("ul", "outline-children");
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_EQ(Levels(*lists[0]),
            (std::vector<std::string>{"SurnameA, GivenA [dates A]", "SurnameB, GivenB [dates B]"}));
  EXPECT_EQ(Levels(*lists[1]), std::vector<std::string>{"SurnameC, GivenC [dates C]"});
  Element* a = LevelOf(*root, "A");
  ASSERT_NE(a, nullptr);
  ASSERT_EQ(a->Children("ul", "outline-children").size(), 1u);
  EXPECT_EQ(Levels(*a->Children("ul", "outline-children")[0]),
            std::vector<std::string>{"SurnameA1, GivenA1 [dates A1]"});
  // An empty family (no spouse, no marriage) writes no line.
  EXPECT_TRUE(a->Children("div", "outline-family").empty());
  EXPECT_EQ(html.find("[never]"), std::string::npos);
  for (Element* list : root->All("ul")) EXPECT_FALSE(list->Children("li").empty());
}

TEST(ModernOutlineTest, SpousesMarriagesAndTheirAnchorsAreInTheFamilyLines) {
  SiteFixture f;
  const std::string html = TwoFamilies(f, true);
  std::string error;
  std::unique_ptr<Element> root = Parse(html, error);
  ASSERT_EQ(error, "") << html;
  std::vector<Element*> families = root->All("div", "outline-family");
  ASSERT_EQ(families.size(), 2u);
  EXPECT_EQ(families[0]->Attribute("id"), "11");
  EXPECT_EQ(families[1]->Attribute("id"), "12");
  // The spouse's name as the classic pages write it, with a blank before the title; the
  // marriage after " - " when the spouse's dates wrote a line.
  EXPECT_EQ(families[0]->AllText(),
            "Married to SurnameS1, GivenS1 Lady [dates S1] -  Marriage: 3 MAR 1800 Bath");
  EXPECT_EQ(families[0]->Children("a")[0]->Attribute("href"), "f_S1.htm#S1");
  EXPECT_EQ(families[1]->AllText(),
            "Married to &#9679;SurnameS2, GivenS2  {&lt;I&amp;9&gt;} [dates S2] Marriage: --Not Shown-- "
            "York");
  EXPECT_NE(html.find("<small>{&lt;I&amp;9&gt;}</small>"), std::string::npos) << html;
  std::vector<Element*> marks = families[1]->All("span", "red-dot");
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0]->parent->tag, "strong");
  EXPECT_TRUE(families[0]->All("span", "red-dot").empty());
}

TEST(ModernOutlineTest, LevelColoursCycleAndTheContinuationTakesTheNextOne) {
  for (bool coloured : {true, false}) {
    SCOPED_TRACE(coloured ? "coloured" : "plain");
    SiteFixture f;
    const std::string html = TwoFamilies(f, coloured);
    std::string error;
    std::unique_ptr<Element> root = Parse(html, error);
    ASSERT_EQ(error, "") << html;
    const std::map<std::string, std::string> level = {
        {"R", "level-1"}, {"A", "level-2"}, {"A1", "level-3"}, {"B", "level-2"}, {"C", "level-2"}};
    for (const auto& [name, cls] : level) {
      Element* item = LevelOf(*root, name);
      ASSERT_NE(item, nullptr) << name;
      EXPECT_EQ(item->Attribute("class"), coloured ? "outline-level " + cls : "outline-level")
          << name;
      // Strong names on coloured pages only, as the classic pages have them.
      EXPECT_EQ(item->Children("div")[0]->All("strong").size(), coloured ? 1u : 0u) << name;
    }
    // The continuation stands in place of C's children, in the colour of the level after C's,
    // coloured even where the levels are not.
    Element* c = LevelOf(*root, "C");
    std::vector<Element*> lists = c->Children("ul", "outline-children");
    ASSERT_EQ(lists.size(), 1u);
    std::vector<Element*> items = lists[0]->Children("li");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->Attribute("class"), "outline-continuation level-3");
    ASSERT_EQ(items[0]->Children("a").size(), 1u);
    EXPECT_EQ(items[0]->Children("a")[0]->Attribute("href"), "g_0.htm#2");
    EXPECT_EQ(items[0]->AllText(), "Follow this link for descendants of this individual/couple.");
    ExpectNoForbiddenMarkup(html, "outline");
  }
  // Depth 6 takes the first colour again.
  SiteFixture f;
  f.Start();
  ModernStyle style;
  const std::string html = f.Body([&] {
    style.BeginDescendancyTree(*f.writer, OutlineTreeUnit{});
    for (int depth = 0; depth <= 7; ++depth)
      style.OpenOutlineLevel(*f.writer, Person(std::to_string(depth), depth), Dates(*f.writer, ""));
    for (int depth = 7; depth >= 0; --depth)
      style.CloseOutlineLevel(*f.writer, Person(std::to_string(depth), depth));
  });
  std::string error;
  std::unique_ptr<Element> root = Parse(html, error);
  ASSERT_EQ(error, "") << html;
  EXPECT_EQ(LevelOf(*root, "5")->Attribute("class"), "outline-level level-6");
  EXPECT_EQ(LevelOf(*root, "6")->Attribute("class"), "outline-level level-1");
  EXPECT_EQ(LevelOf(*root, "7")->Attribute("class"), "outline-level level-2");
  EXPECT_EQ(LevelOf(*root, "7")->parent->parent, LevelOf(*root, "6"));
}

// ---- whole sites ----

// The modern chart pages of a GEDCOM file converted by the program, by file name.
std::map<std::string, std::string> ModernChartPages(const testing::TempFolder& temp,
                                                    const std::string& gedcom,
                                                    const std::string& options) {
  const std::string site = temp / "site";
  const testing::ProgramResult result = testing::RunKinloom(
      temp, "--style modern --set 'Mark All Ancestors=1' --set \"Show GEDCOM ID's=1\" " + options +
                " " + testing::Quoted(gedcom) + " " + testing::Quoted(site));
  EXPECT_EQ(result.status, 0) << result.err;
  std::map<std::string, std::string> pages;
  for (const auto& entry : std::filesystem::directory_iterator(site)) {
    const std::string html = testing::ReadWholeFile(entry.path().string());
    if (html.find("<ul class=\"pedigree-tree\">") != std::string::npos ||
        html.find("<ul class=\"outline\"") != std::string::npos)
      pages[entry.path().filename().string()] = html;
  }
  return pages;
}

// Checks the pages; returns the number of links from one chart page to an anchor of another.
int ExpectSoundChartPages(const std::map<std::string, std::string>& pages) {
  EXPECT_FALSE(pages.empty());
  // The ids of every page, to find the targets of the links between chart pages.
  std::map<std::string, std::set<std::string>> ids;
  std::map<std::string, std::unique_ptr<Element>> trees;
  for (const auto& [name, html] : pages) {
    std::string error;
    trees[name] = Parse(html, error);
    EXPECT_EQ(error, "") << name;
    ExpectNoForbiddenMarkup(html, name);
    std::function<void(Element&)> walk = [&](Element& e) {
      const std::string id = e.Attribute("id");
      if (!id.empty()) {
        EXPECT_TRUE(ids[name].insert(id).second) << name << ": id " << id << " twice";
      }
      for (const auto& child : e.children) walk(*child);
    };
    walk(*trees[name]);
  }
  int links = 0;
  for (const auto& [name, tree] : trees) {
    for (Element* link : tree->All("a")) {
      const std::string href = link->Attribute("href");
      const std::size_t hash = href.find('#');
      if (hash == std::string::npos) continue;
      const std::string page = href.substr(0, hash);
      if (!pages.count(page)) continue;  // a family group page
      ++links;
      EXPECT_TRUE(ids[page].count(href.substr(hash + 1))) << name << " links to " << href;
    }
  }
  return links;
}

TEST(ModernChartSiteTest, ExtendedChartsAreReachedFromTheirArrowsAndLinks) {
  testing::TempFolder temp;
  const std::map<std::string, std::string> pages = ModernChartPages(
      temp, std::string(KINLOOM_SOURCE_DIR) + "/tests/site/golden/inputs/extended.ged", "");
  EXPECT_GT(ExpectSoundChartPages(pages), 0);
  // Both kinds of extended page exist and are reached.
  bool extended_pedigree = false, extended_descendancy = false;
  for (const auto& [name, html] : pages) {
    extended_pedigree |= html.find("class=\"ped-more\"") != std::string::npos;
    extended_descendancy |= html.find("class=\"outline-continuation") != std::string::npos;
  }
  EXPECT_TRUE(extended_pedigree);
  EXPECT_TRUE(extended_descendancy);
}

TEST(ModernChartSiteTest, HostileNamesStayTextInEveryChartPage) {
  testing::TempFolder temp;
  const std::map<std::string, std::string> pages = ModernChartPages(
      temp, std::string(KINLOOM_SOURCE_DIR) + "/tests/site/golden/inputs/hostile.ged",
      "--set 'No Colors=1'");
  ExpectSoundChartPages(pages);
  bool shown = false;
  for (const auto& [name, html] : pages) {
    // The page's own scripts are the search's; none comes from a name.
    EXPECT_EQ(html.find("<script>alert"), std::string::npos) << name;
    EXPECT_EQ(html.find("<b>e</b>"), std::string::npos) << name;
    shown |= html.find("&lt;script&gt;") != std::string::npos;
  }
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace kinloom::site
