#include "site/gendex.h"

#include <gtest/gtest.h>

#include "platform/program_end.h"
#include "site/page_writer_fixture.h"

namespace kinloom::site {
namespace {

TEST(GendexTest, LinesInTableOrderWithCrLf) {
  testing::WriterTestRun t;
  t.settings.suppress_living = 0;
  int john = t.AddPerson("John", "Smith", "John /Smith/", 3);
  t.store.individuals[john].birth_date = "1 JAN 1900";
  t.store.individuals[john].birth_place = "Boston";
  t.store.individuals[john].death_date = "2 FEB 1970";
  t.store.individuals[john].death_place = "Denver";
  t.store.individuals.emplace_back();  // referenced but never defined: no line
  t.AddPerson("John", "", "John Smith", 10);
  t.AddPerson("Jean", "Dupr\xE9", "Jean /Dupr\xE9/ de /la Tour/", 25);

  WriteGendexFile(t.writer);
  EXPECT_EQ(t.fs.Read("/out/gendex.txt"),
            "f_0.htm#3|SMITH|John /Smith/|1 JAN 1900|Boston|2 FEB 1970|Denver|\r\n"
            "f_1.htm#0||John Smith|||||\r\n"
            "f_2.htm#5|DUPR|Jean /Dupr/ de /la Tour/|||||\r\n");
  EXPECT_EQ(t.writer.pages_written(), 1);
  EXPECT_FALSE(t.writer.is_open());
}

TEST(GendexTest, LivingAndBurialFields) {
  testing::WriterTestRun t;
  t.settings.suppress_living = 1;
  int living = t.AddPerson("Ann", "Lee", "Ann /lee-\xE7/", 0);
  auto& a = t.store.individuals[living];
  a.deceased = false;
  a.birth_date = "3 MAR 1990";
  a.birth_place = "Oslo";
  a.burial_date = "4 APR 2020";
  a.burial_place = "Bergen";
  EXPECT_EQ(GendexLine(t.writer, a),
            "f_0.htm#0|LEE-|Ann /lee-/|--Not Shown--|Oslo|4 APR 2020|Bergen|\n");

  a.birth_date.clear();  // nothing to withhold
  a.death_place = "Voss";
  EXPECT_EQ(GendexLine(t.writer, a), "f_0.htm#0|LEE-|Ann /lee-/||Oslo|4 APR 2020|Voss|\n");

  a.deceased = true;
  a.birth_date = "3 MAR 1990";
  EXPECT_EQ(GendexLine(t.writer, a),
            "f_0.htm#0|LEE-|Ann /lee-/|3 MAR 1990|Oslo|4 APR 2020|Voss|\n");
}

TEST(GendexTest, LinksOfTheCurrentLanguage) {
  testing::WriterTestRun t;
  t.AddPerson("A", "B", "A /B/", 13);
  t.language.prefixes[static_cast<int>(PageKind::kFamilyGroup)] = "ff";
  t.settings.htm = 0;
  WriteGendexFile(t.writer);
  EXPECT_EQ(t.fs.Read("/out/gendex.txt"), "ff_1.html#3|B|A /B/|||||\r\n");
}

TEST(GendexTest, CreateAndCloseFailuresEndTheProgram) {
  {
    testing::WriterTestRun t;
    t.fs.fail_create.insert("/out/gendex.txt");
    EXPECT_THROW(WriteGendexFile(t.writer), platform::ProgramEnd);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, "Error opening gendex.txt file for create.");
    EXPECT_EQ(t.ui.messages[0].icon, platform::MessageIcon::kWarning);
  }
  {
    testing::WriterTestRun t;
    t.fs.fail_close.insert("/out/gendex.txt");
    EXPECT_THROW(WriteGendexFile(t.writer), platform::ProgramEnd);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text,
              "Error closing gendex.txt.  You may have run out of disk space in your hard "
              "drive.  KINLOOM\xA9  Closing Down.");
  }
}

}  // namespace
}  // namespace kinloom::site
