// What the page frame carries, decided from the options, the run and the language before a
// style writes it.
#include "site/page_frame.h"

#include <gtest/gtest.h>

#include "site/page_writer_fixture.h"

namespace kinloom::site {
namespace {

using testing::WriterTestRun;

TEST(PageFrameTest, HeadOfAPlainPage) {
  WriterTestRun t;
  PageStyle::PageHead head = PageHeadFacts(t.writer, "Title", true, false);
  EXPECT_EQ(head.title, "Title");
  EXPECT_FALSE(head.refresh);
  EXPECT_FALSE(head.meta_tags);
  EXPECT_TRUE(head.custom_meta_tags.empty());
  EXPECT_FALSE(head.custom_colours);
  EXPECT_TRUE(head.background_images.empty());
  EXPECT_FALSE(head.ancestor_notice);
  EXPECT_FALSE(head.privacy_notice);
}

TEST(PageFrameTest, HeadRefreshMetaTagsColoursAndBackgrounds) {
  WriterTestRun t;
  t.settings.meta_refresh_tag = 1;
  t.settings.meta_refresh_value = 12;
  t.settings.meta_tags[0] = {"robots", "noindex"};
  t.settings.meta_tags[2] = {"after a gap", "left out"};
  t.settings.use_custom_colors = 1;
  t.settings.colours[settings::kColourText] = 0x123456;
  t.settings.use_custom_background = 1;
  t.settings.custom_background = "paper.jpg";
  t.settings.use_default_background = 1;
  PageStyle::PageHead head = PageHeadFacts(t.writer, "T", false, true);
  EXPECT_TRUE(head.refresh);
  EXPECT_EQ(head.refresh_seconds, 43200u);
  ASSERT_EQ(head.custom_meta_tags.size(), 1u);
  EXPECT_EQ(head.custom_meta_tags[0].name, "robots");
  EXPECT_EQ(head.custom_meta_tags[0].content, "noindex");
  EXPECT_FALSE(head.meta_table_full);
  EXPECT_TRUE(head.custom_colours);
  EXPECT_FALSE(head.background_colour);  // a background image hides the colour
  EXPECT_EQ(head.text, 0x123456u);
  EXPECT_EQ(head.background_images, (std::vector<std::string>{"paper.jpg", "q2.gif"}));

  for (settings::CustomLink& tag : t.settings.meta_tags) tag = {"n", "c"};
  t.settings.use_custom_background = 0;
  t.settings.use_default_background = 0;
  head = PageHeadFacts(t.writer, "T", false, true);
  EXPECT_TRUE(head.meta_table_full);
  EXPECT_TRUE(head.background_colour);
  EXPECT_TRUE(head.background_images.empty());

  // Without meta tags the custom table is not looked at.
  head = PageHeadFacts(t.writer, "T", false, false);
  EXPECT_TRUE(head.custom_meta_tags.empty());
  EXPECT_FALSE(head.meta_table_full);
}

TEST(PageFrameTest, NoticesOnlyWhenAskedFor) {
  WriterTestRun t;
  t.settings.suppress_living = 1;
  t.state.mark_all_ancestors = true;
  t.state.ancestor_index = t.AddPerson("John ", "Smith", "John /Smith/", 37);
  PageStyle::PageHead head = PageHeadFacts(t.writer, "T", true, false);
  EXPECT_TRUE(head.ancestor_notice);
  EXPECT_TRUE(head.privacy_notice);
  EXPECT_TRUE(head.ancestor.ancestor_known);
  EXPECT_TRUE(head.ancestor.privacy_follows);
  EXPECT_EQ(head.ancestor.surname, "Smith");
  head = PageHeadFacts(t.writer, "T", false, false);
  EXPECT_FALSE(head.ancestor_notice);
  EXPECT_FALSE(head.privacy_notice);
}

TEST(PageFrameTest, AncestorNoticeLinksOnlyWithFamilyGroupPages) {
  WriterTestRun t;
  t.state.ancestor_index = t.AddPerson("John ", "Smith", "John /Smith/", 37);
  t.store.individuals[0].title = "Jr.";
  PageStyle::AncestorNotice notice = AncestorNoticeFacts(t.writer);
  EXPECT_TRUE(notice.ancestor_known);
  EXPECT_TRUE(notice.linked);
  EXPECT_EQ(notice.target, "f_3.htm#7");
  EXPECT_EQ(notice.given_names, "John ");
  EXPECT_EQ(notice.title, "Jr.");
  EXPECT_FALSE(notice.privacy_follows);

  t.settings.create_family_groups = 0;
  notice = AncestorNoticeFacts(t.writer);
  EXPECT_FALSE(notice.linked);
  EXPECT_EQ(notice.target, "");

  t.state.ancestor_index = 5;  // not in the table: the notice names nobody
  EXPECT_FALSE(AncestorNoticeFacts(t.writer).ancestor_known);
}

TEST(PageFrameTest, FootSourceCopyrightAndBackLink) {
  WriterTestRun t;
  t.settings.htm = 0;
  PageStyle::PageFoot foot = PageFootFacts(t.writer, false);
  EXPECT_EQ(foot.author_page, "r.html");
  EXPECT_FALSE(foot.back_link);
  EXPECT_FALSE(foot.source_line);
  EXPECT_FALSE(foot.copyright);

  t.settings.create_link_to_gedcom_file = 1;
  t.state.gedcom_path = "C:\\Data/A&B.ged";
  t.settings.include_copyright = 1;
  t.settings.owner.user_name = "Ann Owner";
  t.writer.SetClock([] { return std::time_t{1782907200}; });  // 2026-07-01 12:00 UTC
  foot = PageFootFacts(t.writer, true);
  EXPECT_TRUE(foot.back_link);
  EXPECT_EQ(foot.main_page.target, "index.html");
  EXPECT_TRUE(foot.source_line);
  EXPECT_EQ(foot.source_name, "A&amp;B.ged");
  EXPECT_EQ(foot.date_stamp, t.language.date_stamp);
  EXPECT_TRUE(foot.copyright);
  EXPECT_EQ(foot.copyright_year, 2026);
  EXPECT_EQ(foot.owner, "Ann Owner");

  // A copyright needs both the option and an owner's name.
  t.settings.owner.user_name.clear();
  EXPECT_FALSE(PageFootFacts(t.writer, true).copyright);
}

}  // namespace
}  // namespace kinloom::site
