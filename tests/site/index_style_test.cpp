// The index pages and the page frame written by a style of plain text lines: what the
// units hand a style is enough to write these pages without markup and without the store.
#include <gtest/gtest.h>

#include <string>

#include "site/classic_style.h"
#include "site/index_pages.h"
#include "site/site_fixture.h"

namespace kinloom::site {
namespace {

using testing::SiteFixture;

// Plain text for the frame and the index pages; the other page kinds stay classic.
class PlainIndexStyle : public ClassicStyle {
 public:
  void WritePageHead(PageWriter& out, const PageHead& head) override {
    out.AppendHtml("# " + head.title + "\n");
    if (head.ancestor_notice) WriteAncestorNotice(out, head.ancestor);
    if (head.privacy_notice) out.AppendHtml("(living persons' dates withheld)\n");
  }
  void WriteRule(PageWriter& out) override { out.AppendHtml("----\n"); }
  void WriteAncestorNotice(PageWriter& out, const AncestorNotice& notice) override {
    out.AppendHtml("ancestors of " + notice.given_names + notice.surname + " -> " + notice.target +
                   "\n");
  }
  void WriteMainPageLink(PageWriter& out, const MainPageLink& link) override {
    out.AppendHtml("back: " + link.target + "\n");
  }
  void WritePageFoot(PageWriter& out, const PageFoot& foot) override {
    out.AppendHtml("about: " + foot.author_page + "\n");
    if (foot.back_link) WriteMainPageLink(out, foot.main_page);
  }
  void WritePersonLink(PageWriter& out, const PersonLink& link) override {
    out.AppendHtml(Person(link) + "\n");
  }
  void WritePersonEntry(PageWriter& out, const PersonEntry& entry) override {
    std::string line = Person(entry.link);
    if (entry.birth == PersonEntry::Birth::kWithheld) line += " born (withheld)";
    if (entry.birth == PersonEntry::Birth::kDate) line += " born " + entry.birth_date;
    if (entry.death) line += " died " + entry.death_date;
    for (const ChartTree& tree : entry.trees) line += " tree " + tree.target;
    out.AppendHtml(line + "\n");
  }
  void WriteLetterBar(PageWriter& out, const LetterBar& bar) override {
    std::string line = bar.heading ? bar.kind_name + ":" : "";
    for (const IndexLetter& letter : bar.letters) line += Letter(letter);
    line += bar.other_present ? " [other=" + bar.other_target + "]" : " other";
    for (const IndexLetter& letter : bar.nordic_letters) line += Letter(letter);
    out.AppendHtml(line + "\n");
  }
  void WriteSurnameListStart(PageWriter& out, const SurnameList&) override {
    out.AppendHtml("surnames:\n");
  }
  void WriteSurnameGroup(PageWriter& out, const SurnameGroup& group) override {
    if (group.starts_initial) out.AppendHtml((group.other_initial ? "?" : group.initial) + "\n");
    out.AppendHtml("  " + (group.surname.empty() ? "-" : group.surname) + " " +
                   std::to_string(group.count) + " -> " + group.target + "\n");
  }
  void WriteSurnameListEnd(PageWriter& out, const SurnameList&) override {
    out.AppendHtml("end\n");
  }
  void WriteSurnameIndexTop(PageWriter& out, const SurnameIndexTop& top) override {
    WriteLetterBar(out, top.letters);
    if (top.back_link) WriteMainPageLink(out, top.main_page);
  }
  void WriteMainIndexBody(PageWriter& out, const MainIndexPage& page) override {
    for (const MainIndexPage::Link& link : page.languages)
      out.AppendHtml("language " + link.text + " -> " + link.target + "\n");
    out.AppendHtml(std::to_string(page.individuals) + " individuals, " +
                   std::to_string(page.families) + " families, " + std::to_string(page.surnames) +
                   " surnames\n");
    if (page.ancestor_notice) WriteAncestorNotice(out, page.ancestor);
    for (const MainIndexPage::KindIndex& kind : page.kinds) {
      WriteLetterBar(out, kind.letters);
      out.AppendHtml("list -> " + kind.surname_list + "\n");
    }
    for (const MainIndexPage::Link& link : page.links)
      out.AppendHtml("link " + link.text + " -> " + link.target + "\n");
    if (page.owner) {
      out.AppendHtml("owner " + page.owner_name);
      for (const std::string& line : page.address) out.AppendHtml(", " + line);
      out.AppendHtml(" " + page.email + "\n");
    }
  }

 private:
  static std::string Person(const PersonLink& link) {
    std::string text = link.name_anchor ? "#" + link.anchor_name + " " : "";
    text += link.name;
    if (link.red_dot) text += "*";
    if (link.linked) text += " -> " + link.target;
    return text;
  }
  static std::string Letter(const IndexLetter& letter) {
    return letter.present ? " [" + letter.letter + "=" + letter.target + "]" : " " + letter.letter;
  }
};

class IndexStyleTest : public ::testing::Test {
 protected:
  SiteContext& Start() {
    f.run.AddPerson("I1", "John /smith/");
    f.run.AddPerson("I2", "Ann /Smith/");
    f.run.AddPerson("I3", "Bo /Adams/");
    f.run.AddPerson("I4", "Nameless");
    f.run.AddPerson("I5", "Jan /\xD8rsted/");
    SiteContext& site = f.Start();
    site.SetStyle(style);
    site.layout_to_fill().surnames = LayOutSurnames(site.store());
    return site;
  }

  SiteFixture f;
  PlainIndexStyle style;
};

const char kLetters[] =
    " [A=b_a.htm] B C D E F G H I J K L M N O P Q R [S=b_s.htm] T U V W X Y Z"
    " [other=b_0.htm] \xC6 [\xD8=b_\xD8.htm] \xC5";

TEST_F(IndexStyleTest, ListOfSurnames) {
  SiteContext& site = Start();
  WriteSurnameList(site, IndexKind::kFamily);
  EXPECT_EQ(f.run.fs.Read("/out/c.htm"),
            "# List of Surnames (Grouped by Family)\r\n"
            "back: index.htm\r\n"
            "----\r\n"
            "surnames:\r\n"
            "A\r\n  Adams 1 -> b_a.htm#adams\r\n"
            "S\r\n  Smith 2 -> b_s.htm#smith\r\n"
            "?\r\n  - 1 -> b_0.htm\r\n"
            "\xD8\r\n  \xD8rsted 1 -> b_\xD8.htm#\xD8rsted\r\n"
            "end\r\n"
            "about: r.htm\r\n"
            "back: index.htm\r\n");
}

TEST_F(IndexStyleTest, SurnameIndexPageTop) {
  SiteContext& site = Start();
  f.run.settings.one_index_page_link = 1;  // no way back at the top
  WriteSurnameIndexPages(site, IndexKind::kFamily);
  const std::string page = f.run.fs.Read("/out/b_a.htm");
  EXPECT_EQ(page.rfind("# Index for surnames beginning with A   (Grouped by Family)\r\n" +
                           std::string(kLetters) + "\r\n",
                       0),
            0u)
      << page;
  EXPECT_EQ(page.find("back:"), page.rfind("back: index.htm\r\n"));  // only the foot's
}

TEST_F(IndexStyleTest, SurnameIndexPageEntriesAndLinks) {
  SiteContext& site = Start();
  store::IndividualRecord& ann = f.run.Person("I2");
  ann.birth_seen = true;
  ann.birth_date = "1 JAN 1900";
  ann.ancestor = true;
  f.run.state.mark_all_ancestors = true;
  f.run.Person("I1").burial_date = "2 FEB 1950";
  f.run.settings.index_dates = 1;
  WriteSurnameIndexPages(site, IndexKind::kFamily);
  const std::string entries =
      "#smith Smith, Ann  * -> f_0.htm#1 born 1 JAN 1900\r\n"
      "#smith smith, John   -> f_0.htm#0 died 2 FEB 1950\r\n";
  std::string page = f.run.fs.Read("/out/b_s.htm");
  EXPECT_NE(page.find("back: index.htm\r\n" + entries + "about: r.htm\r\n"), std::string::npos)
      << page;

  f.run.settings.index_dates = 0;
  WriteSurnameIndexPages(site, IndexKind::kFamily);
  page = f.run.fs.Read("/out/b_s.htm");
  EXPECT_NE(page.find("back: index.htm\r\n#smith Smith, Ann  * -> f_0.htm#1\r\n"
                      "#smith smith, John   -> f_0.htm#0\r\nabout"),
            std::string::npos)
      << page;
}

TEST_F(IndexStyleTest, MainIndexPage) {
  f.run.settings.create_pages = {1, 1, 0, 0, 0, 0, 0, 0, 0};
  f.run.settings.include_custom_links = 1;
  f.run.settings.custom_links[0][0] = {"Club", "http://club.example"};
  f.run.settings.owner.user_name = "Ruth Ward";
  f.run.settings.owner.address = {"1 Lane", "Town", "", "Never"};
  f.run.settings.owner.email_address = "ruth@example.org";
  f.run.state.mark_all_ancestors = true;
  f.run.state.ancestor_index = 1;
  SiteContext& site = Start();
  EXPECT_EQ(WriteMainIndexPage(site), 1);
  EXPECT_EQ(f.run.fs.Read("/out/index.htm"),
            "# Index Page\r\n"
            "language Pages Fran\xE7"
            "ais -> indexf.htm\r\n"
            "5 individuals, 0 families, 4 surnames\r\n"
            "ancestors of Ann Smith -> f_0.htm#1\r\n"
            "Grouped by Family:" +
                std::string(kLetters) +
                "\r\n"
                "list -> c.htm\r\n"
                "link Club -> http://club.example\r\n"
                "owner Ruth Ward, 1 Lane, Town ruth@example.org\r\n"
                "about: r.htm\r\n");
}

}  // namespace
}  // namespace kinloom::site
