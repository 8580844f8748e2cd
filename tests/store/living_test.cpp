#include "store/living.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "site/test_store.h"

namespace kinloom::store {
namespace {

using testing::TestRun;

LivingRule RuleOf(const settings::Settings& options) {
  return {options.born, options.married, options.use_baptism != 0};
}

TEST(YearOfTest, ReadsTheLastRunOfDigits) {
  EXPECT_EQ(YearOf("12 MAR 1921"), 1921);
  EXPECT_EQ(YearOf("ABT 1850"), 1850);
  EXPECT_EQ(YearOf("BET 1850 AND 1860"), 1860);
  EXPECT_EQ(YearOf("1750/51"), 51);
  EXPECT_EQ(YearOf("1900 (estimated)"), 1900);
  EXPECT_EQ(YearOf("7"), 7);
  EXPECT_EQ(YearOf(""), 0);
  EXPECT_EQ(YearOf("UNKNOWN"), 0);
  // A digit run too long for an int must not overflow.
  EXPECT_EQ(YearOf("ABT 123456789012345678901234567890"), INT_MAX);
}

// A person as the loading pass leaves one: deceased only when a death or burial date was read.
int AddLoaded(TestRun& run, const std::string& id, const std::string& born = "",
              const std::string& died = "") {
  int index = run.AddPerson(id, "Some /One/");
  IndividualRecord& person = run.store.individuals[static_cast<std::size_t>(index)];
  person.deceased = !died.empty();
  person.death_date = died;
  if (!born.empty()) {
    person.birth_seen = true;
    person.birth_date = born;
  }
  return index;
}

TEST(CalculateLivingTest, BirthYearMustBeAfterBornAndADeathDateAlwaysWins) {
  TestRun run;
  run.settings.born = 1920;
  AddLoaded(run, "B1921", "12 MAR 1921");
  AddLoaded(run, "B1920", "1 JAN 1920");
  AddLoaded(run, "DIED", "1 JAN 1990", "5 MAY 2000");
  AddLoaded(run, "NODATE");
  AddLoaded(run, "NODIGITS", "UNKNOWN");
  CalculateLiving(run.store, RuleOf(run.settings));
  EXPECT_FALSE(run.Person("B1921").deceased);
  EXPECT_TRUE(run.Person("B1920").deceased);
  EXPECT_TRUE(run.Person("DIED").deceased);
  EXPECT_TRUE(run.Person("NODATE").deceased);
  EXPECT_TRUE(run.Person("NODIGITS").deceased);
}

TEST(CalculateLivingTest, ADeathLineWithoutDateLeavesTheBirthEvidence) {
  TestRun run;
  run.settings.born = 1920;
  AddLoaded(run, "DEATLINE", "1950");  // DEAT without DATE: the loading pass left it living
  AddLoaded(run, "BURIED", "1950", "");
  run.Person("BURIED").deceased = true;  // a BURI date was read
  run.Person("BURIED").burial_date = "1990";
  CalculateLiving(run.store, RuleOf(run.settings));
  EXPECT_FALSE(run.Person("DEATLINE").deceased);
  EXPECT_TRUE(run.Person("BURIED").deceased);
}

TEST(CalculateLivingTest, ChristeningCountsOnlyWithUseBaptism) {
  for (int use_baptism : {0, 1}) {
    TestRun run;
    run.settings.born = 1920;
    run.settings.use_baptism = use_baptism;
    AddLoaded(run, "CHR");
    run.Person("CHR").christening_date = "1950";
    // A birth line was read: the christening is not looked at even with "Use Baptism".
    AddLoaded(run, "BIRT");
    run.Person("BIRT").birth_seen = true;
    run.Person("BIRT").christening_date = "1950";
    CalculateLiving(run.store, RuleOf(run.settings));
    EXPECT_EQ(run.Person("CHR").deceased, use_baptism == 0) << use_baptism;
    EXPECT_TRUE(run.Person("BIRT").deceased) << use_baptism;
  }
}

TEST(CalculateLivingTest, TheLatestMarriageOfAllSpouseFamiliesCounts) {
  TestRun run;
  run.settings.born = 1920;
  run.settings.married = 1930;
  AddLoaded(run, "TWICE");
  AddLoaded(run, "FIRST");
  AddLoaded(run, "SECOND");
  AddLoaded(run, "ONCE");
  AddLoaded(run, "EARLY");
  run.AddFamily("F1", "TWICE", "FIRST");
  run.AddFamily("F2", "TWICE", "SECOND");
  run.AddFamily("F3", "ONCE", "EARLY");
  run.Family("F1").marriage_date = "1901";
  run.Family("F2").marriage_date = "ABT 1935";
  run.Family("F3").marriage_date = "1930";
  CalculateLiving(run.store, RuleOf(run.settings));
  EXPECT_FALSE(run.Person("TWICE").deceased);
  EXPECT_FALSE(run.Person("SECOND").deceased);
  EXPECT_TRUE(run.Person("FIRST").deceased);
  EXPECT_TRUE(run.Person("ONCE").deceased);  // 1930 is not after "Married" 1930
  EXPECT_TRUE(run.Person("EARLY").deceased);
}

TEST(CalculateLivingTest, AnIndividualWithoutRecordCountsAsDeceased) {
  TestRun run;
  AddLoaded(run, "GHOST", "2001");
  run.Person("GHOST").defined = false;
  CalculateLiving(run.store, RuleOf(run.settings));
  EXPECT_TRUE(run.Person("GHOST").deceased);
}

TEST(MarkAncestorsTest, MarksThePersonAndBothParentsOfEveryMarkedPerson) {
  TestRun run;
  for (const char* id : {"ME", "DAD", "MUM", "GDAD", "GMUM", "MGDAD", "SIB", "KID", "WIFE"})
    run.AddPerson(id, std::string(id) + " /X/");
  run.AddFamily("F1", "DAD", "MUM", {"ME", "SIB"});
  run.AddFamily("F2", "GDAD", "GMUM", {"DAD"});
  run.AddFamily("F3", "MGDAD", "", {"MUM"});
  run.AddFamily("F4", "ME", "WIFE", {"KID"});
  MarkAncestors(run.store, run.store.ids.Find("ME").index);
  for (const char* id : {"ME", "DAD", "MUM", "GDAD", "GMUM", "MGDAD"})
    EXPECT_TRUE(run.Person(id).ancestor) << id;
  for (const char* id : {"SIB", "KID", "WIFE"}) EXPECT_FALSE(run.Person(id).ancestor) << id;
}

TEST(MarkAncestorsTest, OwnAncestorDataEnds) {
  TestRun run;
  run.AddPerson("A", "A /Loop/");
  run.AddPerson("B", "B /Loop/");
  run.AddPerson("OUT", "Out /Side/");
  run.AddFamily("F1", "B", "", {"A"});
  run.AddFamily("F2", "A", "", {"B"});
  MarkAncestors(run.store, run.store.ids.Find("A").index);
  EXPECT_TRUE(run.Person("A").ancestor);
  EXPECT_TRUE(run.Person("B").ancestor);
  EXPECT_FALSE(run.Person("OUT").ancestor);
}

TEST(MarkAncestorsTest, AVeryDeepLineageDoesNotExhaustTheStack) {
  TestRun run;
  constexpr int kGenerations = 200000;
  run.store.individuals.reserve(kGenerations);
  run.store.families.reserve(kGenerations);
  for (int g = 0; g < kGenerations; ++g) run.AddPerson("I" + std::to_string(g), "P /Deep/");
  for (int g = 0; g + 1 < kGenerations; ++g)
    run.AddFamily("F" + std::to_string(g), "I" + std::to_string(g + 1), "",
                  {"I" + std::to_string(g)});
  MarkAncestors(run.store, 0);
  EXPECT_TRUE(run.Person("I" + std::to_string(kGenerations - 1)).ancestor);
}

}  // namespace
}  // namespace kinloom::store
