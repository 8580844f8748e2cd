#include "store/page_layout.h"

#include <gtest/gtest.h>

#include "platform/program_end.h"
#include "site/test_store.h"
#include "store/family_links.h"
#include "store/sort_keys.h"

namespace kinloom::store {
namespace {

using testing::TestRun;

void Layout(TestRun& run) {
  BuildSortKeys(run.store);
  AssignFamilyGroups(run.store);
}

TEST(PageLayoutTest, FirstOfAMarriedCoupleInFileOrderMakesTheOtherTheHead) {
  TestRun run;
  run.AddPerson("W", "Wilma /Ward/");
  run.AddPerson("H", "Hal /Ward/");
  run.AddFamily("F1", "H", "W");
  Layout(run);
  EXPECT_EQ(run.store.group_count, 1);
  EXPECT_EQ(run.store.group_heads[0], 1);  // the husband, made head by his wife
  EXPECT_EQ(run.Person("H").layout_role, 'N');
  EXPECT_EQ(run.Person("W").layout_role, 'S');
  EXPECT_EQ(run.Person("W").group, 0);
  EXPECT_EQ(run.store.group_heads[1], -1);
}

TEST(PageLayoutTest, TwiceMarriedIndividualsAreNumberedFirst) {
  TestRun run;
  run.AddPerson("A", "Ann /One/");
  run.AddPerson("B", "Bob /Two/");
  run.AddPerson("C", "Cat /Three/");
  run.AddPerson("D", "Dan /Four/");
  run.AddFamily("F1", "B", "A");
  run.AddFamily("F2", "D", "C");
  run.AddFamily("F3", "D", "");
  Layout(run);
  EXPECT_EQ(run.Person("D").group, 0);  // two marriages: first pass
  EXPECT_EQ(run.Person("D").layout_role, 'N');
  EXPECT_EQ(run.Person("B").group, 1);  // made head by A in the second pass
  EXPECT_EQ(run.Person("A").group, 1);
  EXPECT_EQ(run.Person("C").group, 0);  // joins her husband's group
  EXPECT_EQ(run.store.group_count, 2);
}

TEST(PageLayoutTest, UnmarriedChildrenFollowTheirParents) {
  TestRun run;
  run.AddPerson("K1", "Kid /Ash/");  // parents unplaced: makes the father a head
  run.AddPerson("M", "Mia /Ash/");
  run.AddPerson("P", "Pat /Ash/");
  run.AddPerson("K2", "Kit /Oak/");  // only a mother
  run.AddPerson("O", "Ona /Oak/");
  run.AddPerson("L", "Lone /Elm/");  // no parents family
  run.AddPerson("S", "Sol /Fir/");   // married, no partner in the family
  run.AddPerson("K3", "Kay /Ash/");  // father already placed, not as head of his own
  run.AddFamily("F1", "P", "M", {"K1", "K3"});
  run.AddFamily("F2", "", "O", {"K2"});
  run.AddFamily("F3", "S", "");
  Layout(run);
  EXPECT_EQ(run.Person("P").layout_role, 'N');
  EXPECT_EQ(run.Person("P").group, 0);
  EXPECT_EQ(run.Person("K1").layout_role, 'P');
  EXPECT_EQ(run.Person("K1").group, 0);
  EXPECT_EQ(run.Person("M").group, 0);
  EXPECT_EQ(run.Person("O").layout_role, 'N');
  EXPECT_EQ(run.Person("K2").group, run.Person("O").group);
  EXPECT_EQ(run.Person("L").layout_role, 'N');
  EXPECT_EQ(run.Person("S").layout_role, 'N');
  EXPECT_EQ(run.Person("K3").group, 0);
  // Groups are dense and consecutive from 0.
  ASSERT_EQ(run.store.group_count, 4);
  for (int g = 0; g < run.store.group_count; ++g)
    EXPECT_EQ(run.store.individuals[run.store.group_heads[g]].group, g);
}

TEST(PageLayoutTest, ChildJoinsFatherPlacedWithHisSpouse) {
  TestRun run;
  run.AddPerson("M", "Mia /Ash/");
  run.AddPerson("P", "Pat /Ash/");
  run.AddPerson("K", "Kid /Ash/");
  run.AddPerson("X", "Xena /Yew/");
  run.AddPerson("Q", "Quin /Yew/");
  run.AddFamily("F1", "P", "M", {"K"});
  run.AddFamily("F2", "P", "X");  // P married twice: head in the first pass
  run.AddFamily("F3", "Q", "M");  // M married twice too
  Layout(run);
  EXPECT_EQ(run.Person("M").group, 0);
  EXPECT_EQ(run.Person("P").group, 1);
  // The father has a role, so the child joins him, not the mother who comes first.
  EXPECT_EQ(run.Person("K").group, 1);
}

TEST(PageLayoutTest, BrokenLinksEndTheProgramWithTheirMessage) {
  {
    TestRun run;
    run.AddPerson("A", "Ann /One/");
    run.Person("A").parents_family = "F9";
    MessageBoxFaults faults(run.ui);
    EXPECT_THROW(ResolveLinks(run.store, faults), platform::ProgramEnd);
    ASSERT_EQ(run.ui.messages.size(), 1u);
    EXPECT_EQ(run.ui.messages[0].text,
              "Error in GEDCOM structure\n Individual \"Ann /One/\" (id \"A\") refrences family "
              "\"F9\"\nbut no family with that ID was found in GEDCOM file.  Please check the "
              "family links around that individual,re-extract your GEDCOM file, and try again.  ");
  }
  {
    TestRun run;
    run.AddPerson("A", "Ann /One/");
    run.AddFamily("F1", "Z", "");
    MessageBoxFaults faults(run.ui);
    EXPECT_THROW(FindIndividual(run.store, faults, "Z"), platform::ProgramEnd);
    EXPECT_EQ(run.ui.messages.at(0).text.rfind("Structural problem in GEDCOM file.  A family "
                                               "references\nindividual \"Z\", but",
                                               0),
              0u);
    EXPECT_THROW(FindFamily(run.store, faults, "A", run.Person("A")), platform::ProgramEnd);
    EXPECT_EQ(run.ui.messages.at(1).text, "Record \"A\" is not a Family... error");
    EXPECT_EQ(FindIndividual(run.store, faults, ""), nullptr);
  }
}

}  // namespace
}  // namespace kinloom::store
