// The derived order as a step of the run: the options reach the store's steps, the ancestor
// marks are announced once, and the progress reports follow the options.
#include "run/derived_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "site/test_store.h"

namespace kinloom::run {
namespace {

using testing::TestRun;

// Hal and Wilma, their son Kid (born 1990) and Kid's wife Ada (born 1900, married 1950).
void AddFamily(TestRun& run) {
  run.AddPerson("H", "Hal /Ward/");
  run.AddPerson("W", "Wilma /Ward/");
  run.AddPerson("K", "Kid /Ward/");
  run.AddPerson("A", "Ada /Bell/");
  run.AddFamily("F1", "H", "W", {"K"});
  run.AddFamily("F2", "K", "A");
  run.store.families[1].marriage_date = "1950";
  for (const char* id : {"H", "W", "K", "A"}) run.Person(id).deceased = false;
  run.Person("K").birth_seen = true;
  run.Person("K").birth_date = "1990";
  run.Person("A").birth_seen = true;
  run.Person("A").birth_date = "1900";
}

std::vector<int> Positions(const TestRun& run) {
  std::vector<int> out;
  for (const auto& report : run.ui.progress) out.push_back(report.position);
  return out;
}

TEST(DerivedOrderTest, AncestorsAreMarkedAndAnnouncedOnlyWithTheOptionAndAFoundPerson) {
  for (bool mark : {false, true}) {
    SCOPED_TRACE(mark);
    TestRun run;
    AddFamily(run);
    run.state.mark_all_ancestors = mark;
    run.state.ancestor_index = run.store.ids.Find("K").index;
    int announced = 0;
    PrepareDerivedOrder(run.context, [&] { ++announced; });
    EXPECT_EQ(announced, mark ? 1 : 0);
    for (const char* id : {"K", "H", "W"}) EXPECT_EQ(run.Person(id).ancestor, mark) << id;
    EXPECT_FALSE(run.Person("A").ancestor);
  }
  TestRun run;
  AddFamily(run);
  run.state.mark_all_ancestors = true;
  run.state.ancestor_index = -1;  // "Ancestor Id" names nobody in the file
  int announced = 0;
  PrepareDerivedOrder(run.context, [&] { ++announced; });
  EXPECT_EQ(announced, 0);
}

TEST(DerivedOrderTest, LivingFollowsTheThresholdsOnlyWithSuppressLiving) {
  TestRun run;
  AddFamily(run);
  run.settings.suppress_living = 1;
  run.settings.born = 1920;
  run.settings.married = 1940;
  PrepareDerivedOrder(run.context, [] {});
  EXPECT_FALSE(run.Person("K").deceased);  // born after "Born"
  EXPECT_FALSE(run.Person("A").deceased);  // born before it, married after "Married"
  EXPECT_TRUE(run.Person("H").deceased);   // no evidence of life
  EXPECT_EQ(Positions(run), (std::vector<int>{28, 29, 30, 31, 32}));

  TestRun later;
  AddFamily(later);
  later.settings.suppress_living = 1;
  later.settings.born = 1920;
  later.settings.married = 1960;
  PrepareDerivedOrder(later.context, [] {});
  EXPECT_TRUE(later.Person("A").deceased);

  TestRun off;
  AddFamily(off);
  off.settings.suppress_living = 0;
  PrepareDerivedOrder(off.context, [] {});
  EXPECT_FALSE(off.Person("H").deceased);  // left as loaded
  EXPECT_EQ(Positions(off), (std::vector<int>{29, 30, 31, 32}));
  EXPECT_EQ(off.store.sorted_count, 4);
  EXPECT_EQ(off.store.group_count, 2);
}

}  // namespace
}  // namespace kinloom::run
