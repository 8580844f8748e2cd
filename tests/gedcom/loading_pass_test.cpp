#include "gedcom/loading_pass.h"

#include <gtest/gtest.h>

#include <string>

#include "gedcom/gedcom_fixture.h"
#include "platform/program_end.h"

namespace kinloom::gedcom {
namespace {

using testing::MemoryFile;
using testing::PassFixture;

// NOTE, SOUR and REPO records with CONT and CONC lines, gathered sub-lines, and notes of
// individuals that point at them.
constexpr char kNotesFile[] =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @N1@ NOTE First line\n1 CONC , joined\n1 CONT second line\n1 CONT\n1 CONT third\n"
    "0 @N2@ NOTE\n1 CONT after an empty start\n"
    "0 @R1@ REPOSITORY County Archive\n1 ADDR 1 High St\n2 CONT Leicester\n"
    "1 NOTE @N1@\n1 PHON\n"
    "0 @S1@ SOUR\n1 TITL Parish register\n1 AUTH Vicar & Clerk\n1 REPO @R1@\n"
    "1 CONT\n1 CONC more\n"
    "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 OCCU Weaver\n2 DATE 1901\n2 PLAC York\n"
    "1 NOTE @N1@\n2 CONT then text\n"
    "1 NOTE Her own note\n2 CONC  goes on\n2 CONT next\n2 SOUR @S1@\n3 PAGE 12\n2 CONT after\n"
    "0 @I2@ INDI\n1 NAME Tom /Lee/\n1 CHR\n2 DATE 2 MAY 1900\n2 PLAC Leeds\n"
    "0 @I3@ INDI\n1 NAME Sue /Lee/\n1 NOTE @N9@\n2 CONT @N2@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 CHIL @I3@\n1 MARR\n2 DATE 1925\n2 PLAC Hull\n"
    "0 @F2@ FAM\n1 WIFE @I3@\n"
    "0 TRLR\n";

TEST(LoadingPassTest, NoteRecordsGatherTheirLinesAndSubLines) {
  PassFixture f;
  ASSERT_TRUE(f.CountAndLoadText(kNotesFile));
  ASSERT_EQ(f.store.note_records_stored, 4);
  const auto& notes = f.store.notes;
  EXPECT_EQ(notes[0].id, "@N1@");
  EXPECT_EQ(notes[0].text, " First line<BR>, joined<BR>second line<BR><BR>third");
  // A record whose value is only its keyword starts empty: its first CONT adds no "<BR>".
  EXPECT_EQ(notes[1].text, "after an empty start");
  EXPECT_EQ(notes[2].id, "@R1@");
  EXPECT_EQ(notes[2].text,
            " County Archive<BR><I>Address: </I>1 High St<BR>Leicester<BR>");
  EXPECT_EQ(notes[2].note_reference, "@N1@");
  EXPECT_EQ(notes[3].id, "@S1@");
  EXPECT_EQ(notes[3].text,
            "<I>Title: </I>Parish register<BR><I>Author: </I>Vicar &amp; Clerk<BR>more<BR>");
  EXPECT_EQ(notes[3].repository_reference, "@R1@");
}

TEST(LoadingPassTest, NotesEntriesOfIndividualsAndFamilies) {
  PassFixture f;
  ASSERT_TRUE(f.CountAndLoadText(kNotesFile));
  const store::IndividualRecord& ann = f.store.individuals[0];
  ASSERT_EQ(ann.notes.size(), 4u);
  EXPECT_EQ(ann.notes[0].tag, 88);  // OCCU
  EXPECT_EQ(ann.notes[0].context, 69);
  EXPECT_EQ(ann.notes[0].text, "Weaver<BR><I>Date: </I>1901<BR><I>Place: </I>York");
  // A pointer keeps its text; no "<BR>" follows a text ending in "@".
  EXPECT_EQ(ann.notes[1].text, "@N1@then text");
  // The SOUR below the note becomes an entry of its own, its PAGE skipped.
  EXPECT_EQ(ann.notes[2].tag, 113);
  EXPECT_EQ(ann.notes[2].text, "@S1@");
  EXPECT_EQ(ann.notes[3].tag, 84);
  EXPECT_EQ(ann.notes[3].text,
            "Her own note goes on<BR>next<BR><BR>after");

  // The christening of the individual before the next INDI becomes a BAPM entry.
  const store::IndividualRecord& tom = f.store.individuals[1];
  ASSERT_EQ(tom.notes.size(), 1u);
  EXPECT_EQ(tom.notes[0].tag, 16);
  EXPECT_EQ(tom.notes[0].text, "2 MAY 1900 Leeds");
  EXPECT_TRUE(tom.christening_seen);

  // A pointer to a note record that is not (yet) stored adds nothing; one that is stored
  // adds its text.
  const store::IndividualRecord& sue = f.store.individuals[2];
  ASSERT_EQ(sue.notes.size(), 1u);
  EXPECT_EQ(sue.notes[0].text, "@N9@after an empty start");

  const store::FamilyRecord& family = f.store.families[0];
  EXPECT_EQ(family.husband, "I2");
  EXPECT_EQ(family.wife, "I1");
  EXPECT_EQ(family.children, std::vector<std::string>{"I3"});
  EXPECT_TRUE(family.marriage_seen);
  EXPECT_EQ(family.marriage_date, "1925");
  EXPECT_EQ(family.marriage_place, "Hull");
  EXPECT_EQ(f.store.families[1].husband, "");
}

TEST(LoadingPassTest, IndividualFieldsFollowTheirFirstAndLastRules) {
  PassFixture f;
  ASSERT_TRUE(f.CountAndLoadText(
      "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 NAME Annie /Lee/\n1 NAME Nan\n1 SEX f\n"
      "1 TITL Lady of <Hill> & \"Dale\"\n"
      "1 BIRT\n2 PLAC Ely\n1 BIRT\n2 DATE 1 JAN 1900\n2 PLAC Bath\n1 BIRT\n2 DATE 2 JAN 1900\n"
      "1 DEAT Y\n1 FAMC @F1@\n1 FAMC @F2@\n"
      "0 @I2@ INDI\n1 NAME Tom\n1 NAME Tommy\n1 ALIA T. Lee\n1 SEX M\n1 BURI\n2 DATE 1950\n"
      "0 @I3@ INDI\n1 NAME Sue\n1 DEAT\n2 PLAC Hull\n2 DATE 1990\n"
      "0 @I4@ INDI\n1 NAME\n1 NAME Ned /Later/\n"
      "0 @F1@ FAM\n0 @F2@ FAM\n0 TRLR\n"));
  const store::IndividualRecord& ann = f.store.individuals[0];
  EXPECT_EQ(ann.name, "Ann /Lee/");
  EXPECT_EQ(ann.also_known_as, "Annie /Lee/, Nan");
  EXPECT_EQ(ann.sex, 0);  // only upper-case M and F count
  EXPECT_EQ(ann.title, "Lady of &lt;Hill&gt; &amp; &quot;Dale&quot;");
  EXPECT_EQ(ann.birth_place, "Ely");  // stored without a date
  EXPECT_EQ(ann.birth_date, "1 JAN 1900");  // the first date wins
  EXPECT_TRUE(ann.birth_seen);
  EXPECT_FALSE(ann.deceased);  // DEAT Y without a date
  EXPECT_EQ(ann.parents_family, "F2");
  EXPECT_EQ(ann.parents_family_count, 2);
  const store::IndividualRecord& tom = f.store.individuals[1];
  EXPECT_EQ(tom.also_known_as, "T. Lee");  // ALIA replaces the gathered names
  EXPECT_EQ(tom.sex, 2);
  EXPECT_TRUE(tom.burial_seen);
  EXPECT_TRUE(tom.deceased);
  EXPECT_EQ(f.store.individuals[2].death_place, "Hull");
  EXPECT_TRUE(f.store.individuals[2].deceased);
  // An empty first NAME is still the name: a later one is only also known as.
  const store::IndividualRecord& ned = f.store.individuals[3];
  EXPECT_EQ(ned.name, "");
  EXPECT_EQ(ned.also_known_as, "Ned /Later/");
}

TEST(LoadingPassTest, ManySpouseFamiliesAndChildrenStopAtTheirLimits) {
  std::string text = "0 @I1@ INDI\n1 NAME Much /Married/\n";
  for (int n = 1; n <= 56; ++n) text += "1 FAMS @F" + std::to_string(n) + "@\n";
  text += "0 @I2@ INDI\n0 @F1@ FAM\n";
  for (int n = 1; n <= 201; ++n) text += "1 CHIL @C" + std::to_string(n) + "@\n";
  text += "0 TRLR\n";
  PassFixture f;
  ASSERT_TRUE(f.CountAndLoadText(text));
  const store::IndividualRecord& p = f.store.individuals[0];
  EXPECT_EQ(p.spouse_families.size(), 55u);
  EXPECT_EQ(p.spouse_family_count, 55);
  EXPECT_EQ(p.spouse_families[54], "F55");
  const store::FamilyRecord& family = f.store.families[0];
  ASSERT_EQ(family.children.size(), 200u);
  EXPECT_EQ(family.children.front(), "C1");
  EXPECT_EQ(family.children.back(), "C200");
}

TEST(LoadingPassTest, LineCountCadence) {
  std::string text;
  for (int n = 0; n < 250; ++n) text += "0 @I" + std::to_string(n) + "@ INDI\n";
  PassFixture f;
  ASSERT_TRUE(f.CountAndLoadText(text));
  const std::vector<std::string> shown = f.StatusAt(26);
  ASSERT_EQ(shown.size(), 11u);  // 10 … 100, 200; the final read makes 251
  EXPECT_EQ(shown[0], "Reading input File \n\n Line = 10");
  EXPECT_EQ(shown[10], "Reading input File \n\n Line = 200");
  EXPECT_EQ(f.state.line_count, 251);
  EXPECT_EQ(f.StatusAt(25), std::vector<std::string>{"Reading Database into buffers"});
}

// More records than the store was sized for, and two records sharing an id, end the
// program with their messages.
TEST(LoadingPassTest, OverflowAndDuplicateIdsEndTheProgram) {
  struct Case {
    int individuals, families;
    std::string text, message;
  };
  const Case cases[] = {
      {2, 1, "0 @I1@ INDI\n0 @I2@ INDI\n0 @I3@ INDI\n",
       "Error!  Individual Table Overflow! KINLOOM\xA9  Closing Down"},
      {1, 1, "0 @I1@ INDI\n0 @F1@ FAM\n0 @F2@ FAM\n",
       "Error!  Family Table Overflow!  KINLOOM\xA9  Closing Down."},
      {3, 1, "0 @I1@ INDI\n0 @X@ INDI\n0 @I1@ INDI\n",
       "ERROR, duplicate key value in hash table!\nThe id \"I1\" is used by the record of line 1 "
       "and again by the record of line 3."},
      {1, 1, "0 @X@ INDI\n0 @X@ FAM\n",
       "ERROR, duplicate key value in hash table!\nThe id \"X\" is used by the record of line 1 "
       "and again by the record of line 2."},
  };
  for (const Case& c : cases) {
    PassFixture f;
    f.state.individual_count = c.individuals;
    f.state.family_count = c.families;
    f.store.Allocate(c.individuals, c.families, 0);
    MemoryFile file(c.text);
    EXPECT_THROW(LoadingPass(f.context, file), platform::ProgramEnd) << c.message;
    ASSERT_EQ(f.ui.messages.size(), 1u) << c.message;
    EXPECT_EQ(f.ui.messages[0].text, c.message);
    EXPECT_EQ(f.ui.messages[0].caption, "");
    EXPECT_EQ(f.ui.messages[0].icon, platform::MessageIcon::kWarning);
  }
  // Ids that differ only in case are different keys.
  PassFixture f;
  EXPECT_TRUE(f.CountAndLoadText("0 @x@ INDI\n0 @X@ INDI\n"));
  EXPECT_TRUE(f.ui.messages.empty());
}

// With "Skip Broken Links" on, a second record with a taken id is skipped and every link that
// leads nowhere or to the wrong kind is removed from its record, once for all its mentions;
// one warning box lists them with their lines.
TEST(LoadingPassTest, BrokenLinksAndDuplicatesAreDroppedWhenSkipped) {
  PassFixture f;
  f.settings.skip_broken_links = 1;
  ASSERT_TRUE(f.CountAndLoadText(
      "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 FAMS @F9@\n1 FAMS @F1@\n1 FAMS @F9@\n1 FAMC @I2@\n"
      "0 @I2@ INDI\n1 NAME Tom /Lee/\n"
      "0 @I1@ INDI\n1 NAME Tim /Twice/\n1 FAMS @F1@\n"
      "0 @F1@ FAM\n1 HUSB @I2@\n1 HUSB @F1@\n1 WIFE @I1@\n1 CHIL @I7@\n1 CHIL @I2@\n"));
  ASSERT_EQ(f.state.individuals_loaded, 2);
  const store::IndividualRecord& ann = f.store.individuals[0];
  EXPECT_EQ(ann.name, "Ann /Lee/");
  EXPECT_EQ(ann.spouse_families, std::vector<std::string>{"F1"});
  EXPECT_EQ(ann.spouse_family_count, 1);
  EXPECT_EQ(ann.parents_family, "");
  EXPECT_EQ(ann.parents_family_count, 0);
  EXPECT_FALSE(f.store.individuals[2].defined);  // the skipped duplicate's slot
  const store::FamilyRecord& family = f.store.families[0];
  EXPECT_EQ(family.husband, "");  // the last HUSB named a family
  EXPECT_EQ(family.wife, "I1");
  EXPECT_EQ(family.children, std::vector<std::string>{"I2"});
  ASSERT_EQ(f.ui.messages.size(), 1u);
  EXPECT_EQ(f.ui.messages[0].text,
            "Broken links in the GEDCOM file were skipped:\n"
            "Line 9: the id \"I1\" is already used by the record of line 1.  This record is "
            "skipped.\n"
            "Line 3: individual \"I1\" names family \"F9\", which is not in the GEDCOM file.  The "
            "link is dropped.\n"
            "Line 5: individual \"I1\" names family \"F9\", which is not in the GEDCOM file.  The "
            "link is dropped.\n"
            "Line 6: individual \"I1\" names family \"I2\", which is an individual.  The link is "
            "dropped.\n"
            "Line 14: family \"F1\" names individual \"F1\", which is a family.  The link is "
            "dropped.\n"
            "Line 16: family \"F1\" names individual \"I7\", which is not in the GEDCOM file.  The "
            "link is dropped.");
  EXPECT_EQ(f.ui.messages[0].icon, platform::MessageIcon::kWarning);
}

TEST(LoadingPassTest, NotesAreNotGatheredWhenNotWanted) {
  PassFixture f;
  f.state.notes_wanted = false;
  ASSERT_TRUE(f.CountAndLoadText(kNotesFile));
  EXPECT_EQ(f.store.note_records_stored, 0);
  EXPECT_TRUE(f.store.individuals[0].notes.empty());
  EXPECT_EQ(f.store.individuals[2].name, "Sue /Lee/");
}

}  // namespace
}  // namespace kinloom::gedcom
