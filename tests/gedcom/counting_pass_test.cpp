#include "gedcom/counting_pass.h"

#include <gtest/gtest.h>

#include <string>

#include "gedcom/gedcom_fixture.h"

namespace kinloom::gedcom {
namespace {

class CountingPassTest : public ::testing::Test {
 protected:
  bool Count(const std::string& text) {
    f.state.gedcom_path = temp.Write("count.ged", text);
    return CountingPass(f.context);
  }
  testing::TempFolder temp;
  testing::PassFixture f;
};

TEST_F(CountingPassTest, CountsRecordsNotesAndTheDeclaredCharacterSet) {
  ASSERT_TRUE(Count(
      "0 HEAD\n1 CHAR ANSI\n1 CHAR ANSEL\n0 @I1@ INDI\n1 SOUR @S1@\n2 SOUR @S1@\n1 NOTE x\n"
      "0 @I2@ INDI\n0 @F1@ FAM\n1 NOTE y\n0 @N1@ NOTE text\n0 @S1@ SOUR\n0 @R1@ REPO\n"
      "0 @U1@ SUBM\n1 INDI\n2 FAM\n0 TRLR\n"));
  EXPECT_EQ(f.state.individual_count, 2);
  EXPECT_EQ(f.state.family_count, 1);
  EXPECT_EQ(f.state.level0_note_count, 3);
  EXPECT_EQ(f.state.level1_note_count, 3);  // the level-2 SOUR does not count
  EXPECT_EQ(f.state.character_set, run::CharacterSet::kAnsel);
  EXPECT_EQ(f.state.ancestor_index, -1);
  EXPECT_EQ(f.StatusAt(6), std::vector<std::string>{"Preparing to read first statement"});
  EXPECT_EQ(f.StatusAt(7), std::vector<std::string>{"Successfully read first statement"});
  EXPECT_EQ(f.StatusAt(9), std::vector<std::string>{"Finished First Pass ..."});
  EXPECT_TRUE(f.ui.messages.empty());
}

TEST_F(CountingPassTest, CharacterSetValuesAreExact) {
  ASSERT_TRUE(Count("0 HEAD\n1 CHAR ansel\n0 TRLR\n"));
  EXPECT_EQ(f.state.character_set, run::CharacterSet::kNotStated);
  ASSERT_TRUE(Count("0 HEAD\n1 CHAR UNICODE\n1 CHAR UTF-8\n0 TRLR\n"));
  EXPECT_EQ(f.state.character_set, run::CharacterSet::kUnicode);
  ASSERT_TRUE(Count("0 HEAD\n1 CHAR ASCII\n2 CHAR ANSEL\n0 TRLR\n"));
  EXPECT_EQ(f.state.character_set, run::CharacterSet::kAnsi);
}

// The status text follows records 10, 20 … 100, then every hundredth; the three kinds of
// record are counted together.
TEST_F(CountingPassTest, StatusCadenceCountsEveryKindOfRecord) {
  std::string text = "0 HEAD\n";
  for (int n = 1; n <= 420; ++n) {
    const char* kind = n % 3 == 0 ? "INDI" : n % 3 == 1 ? "FAM" : "NOTE";
    text += "0 @X" + std::to_string(n) + "@ " + kind + "\n1 NAME n\n";
  }
  ASSERT_TRUE(Count(text + "0 TRLR\n"));
  const std::vector<std::string> shown = f.StatusAt(8);
  ASSERT_EQ(shown.size(), 13u);  // 10 … 100, then 200, 300, 400
  EXPECT_EQ(shown[0], "Reading input File \n\nFamilies = 4       Notes = 3\n\nIndividuals = 3");
  EXPECT_EQ(shown[9], "Reading input File \n\nFamilies = 34       Notes = 33\n\nIndividuals = 33");
  EXPECT_EQ(shown[12],
            "Reading input File \n\nFamilies = 134       Notes = 133\n\nIndividuals = 133");
}

TEST_F(CountingPassTest, AncestorIdMatchesWholeIdsExactlyAndTheLastOneWins) {
  f.settings.ancestor_id = "I12";
  f.state.mark_all_ancestors = true;
  ASSERT_TRUE(Count("0 @I120@ INDI\n0 @i12@ INDI\n0 @I12@ INDI\n0 @I1@ INDI\n0 @I12@ INDI\n"));
  EXPECT_EQ(f.state.ancestor_index, 4);
  EXPECT_TRUE(f.state.mark_all_ancestors);
  EXPECT_TRUE(f.ui.messages.empty());

  // Switched off, the id is not looked for.
  f.state.mark_all_ancestors = false;
  ASSERT_TRUE(Count("0 @I12@ INDI\n"));
  EXPECT_EQ(f.state.ancestor_index, -1);
}

TEST_F(CountingPassTest, MissingAncestorAsksWhetherToGoOn) {
  f.settings.ancestor_id = "I12";
  f.state.mark_all_ancestors = true;
  f.ui.QueueAnswer(platform::Choice::kNo);
  EXPECT_FALSE(Count("0 @I120@ INDI\n"));
  ASSERT_EQ(f.ui.messages.size(), 1u);
  EXPECT_EQ(f.ui.messages[0].text,
            "Unable to find GEDCOM identifier I12.  Do you wish to continue without marking "
            "ancestors?");
  EXPECT_EQ(f.ui.messages[0].buttons, platform::MessageButtons::kYesNo);

  f.ui.QueueAnswer(platform::Choice::kYes);
  EXPECT_TRUE(Count("0 @I120@ INDI\n"));
  EXPECT_FALSE(f.state.mark_all_ancestors);  // for this run only
  EXPECT_EQ(f.settings.mark_all_ancestors, 0);
}

TEST_F(CountingPassTest, MissingFileIsReportedWithTheSystemError) {
  f.state.gedcom_path = temp / "none.ged";
  EXPECT_FALSE(CountingPass(f.context));
  ASSERT_EQ(f.ui.messages.size(), 1u);
  EXPECT_EQ(f.ui.messages[0].text.rfind("Unable to open the file '" + temp / "none.ged" +
                                            "'.  KINLOOM\xA9  aborting.\n  Error = ",
                                        0),
            0u)
      << f.ui.messages[0].text;
  EXPECT_EQ(f.ui.focused, std::vector<platform::UiField>{platform::UiField::kGedcomPath});
}

// Royal92: a large real file. Its counts, then Victoria's record and her family, field by
// field, after the loading pass.
TEST(RoyalFileTest, CountsAndLoadsVictoriaAndHerFamily) {
  const std::string folder = testing::SharedGedcomFolder();
  if (folder.empty()) GTEST_SKIP() << "the shared GEDCOM folder (../shared/gedcom) is absent";
  testing::PassFixture f;
  ASSERT_TRUE(f.CountAndLoad(folder + "/royal92.ged"));
  EXPECT_EQ(f.state.individual_count, 3010);
  EXPECT_EQ(f.state.family_count, 1422);
  EXPECT_EQ(f.state.individuals_loaded, 3010);
  EXPECT_EQ(f.state.families_loaded, 1422);
  EXPECT_EQ(f.state.character_set, run::CharacterSet::kAnsel);
  EXPECT_TRUE(f.ui.messages.empty());

  const store::IndividualRecord& v = f.store.individuals[0];
  EXPECT_TRUE(v.defined);
  EXPECT_EQ(v.kind, 'I');
  EXPECT_EQ(v.id, "I1");
  EXPECT_EQ(v.name, "Victoria  /Hanover/");
  EXPECT_EQ(v.title, "Queen of England");
  EXPECT_EQ(v.sex, 1);
  EXPECT_TRUE(v.birth_seen);
  EXPECT_EQ(v.birth_date, "24 MAY 1819");
  EXPECT_EQ(v.birth_place, "Kensington,Palace,London,England");
  EXPECT_EQ(v.death_date, "22 JAN 1901");
  EXPECT_EQ(v.death_place, "Osborne House,Isle of Wight,England");
  EXPECT_TRUE(v.deceased);
  EXPECT_EQ(v.burial_place, "Royal Mausoleum,Frogmore,Berkshire,England");
  EXPECT_FALSE(v.burial_seen);  // a burial place without a date
  EXPECT_EQ(v.spouse_families, std::vector<std::string>{"F1"});
  EXPECT_EQ(v.spouse_family_count, 1);
  EXPECT_EQ(v.parents_family, "F42");

  const store::FamilyRecord& family = f.store.families[0];
  EXPECT_EQ(family.id, "F1");
  EXPECT_EQ(family.husband, "I2");
  EXPECT_EQ(family.wife, "I1");
  EXPECT_EQ(family.children, (std::vector<std::string>{"I3", "I4", "I5", "I6", "I7", "I8", "I9",
                                                       "I10", "I11"}));
  const store::IndividualRecord& albert = f.store.individuals[1];
  EXPECT_EQ(albert.id, "I2");
  EXPECT_EQ(albert.sex, 2);
  EXPECT_EQ(albert.spouse_families, std::vector<std::string>{"F1"});
}

}  // namespace
}  // namespace kinloom::gedcom
