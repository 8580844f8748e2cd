// The synthetic GEDCOM generator (tools/gen_gedcom.cpp), driven as a program: its files are
// deterministic, hold exactly the individuals asked for, and load without a broken link.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "gedcom/gedcom_fixture.h"
#include "store/family_links.h"

namespace kinloom::gedcom {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int Generate(const std::string& arguments) {
  const std::string command =
      std::string("'") + KINLOOM_GEN_GEDCOM + "' " + arguments + " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(GenGedcomTest, SameSeedSameBytesOtherSeedOtherFile) {
  testing::TempFolder temp;
  ASSERT_EQ(Generate("3000 '" + temp / "a.ged" + "'"), 0);
  ASSERT_EQ(Generate("3000 '" + temp / "b.ged" + "' --seed 1"), 0);
  ASSERT_EQ(Generate("3000 '" + temp / "c.ged" + "' --seed 2"), 0);
  const std::string a = ReadFile(temp / "a.ged");
  EXPECT_EQ(a, ReadFile(temp / "b.ged"));
  EXPECT_NE(a, ReadFile(temp / "c.ged"));
  EXPECT_EQ(a.rfind("0 HEAD\n", 0), 0u);
  EXPECT_EQ(a.substr(a.size() - 7), "0 TRLR\n");
  // Accented Windows-1252 letters, continued notes and the record kinds are all there.
  for (const char* part : {"\xFC", "\xE9", "\xF8", "1 CONT ", "1 CONC ", "2 CONT ", "@ NOTE ",
                           "@ SOUR\n", "@ REPO\n", "1 TITL ", "1 ALIA ", "1 CHR\n", "1 BURI\n",
                           "1 DEAT Y\n", "2 PAGE "})
    EXPECT_NE(a.find(part), std::string::npos) << part;
}

TEST(GenGedcomTest, RefusesBadArguments) {
  testing::TempFolder temp;
  EXPECT_EQ(Generate(""), 2);
  EXPECT_EQ(Generate("ten '" + temp / "x.ged" + "'"), 2);
  EXPECT_EQ(Generate("10 '" + temp / "x.ged" + "' --seed"), 2);
  EXPECT_EQ(Generate("10 '" + temp / "no/such/folder/x.ged" + "'"), 1);
  ASSERT_EQ(Generate("0 '" + temp / "empty.ged" + "'"), 0);
  EXPECT_EQ(ReadFile(temp / "empty.ged").find("INDI"), std::string::npos);
}

TEST(GenGedcomTest, FileCountsExactlyAndEveryLinkResolves) {
  testing::TempFolder temp;
  const std::string path = temp / "g.ged";
  ASSERT_EQ(Generate("5000 '" + path + "' --seed 9"), 0);
  testing::PassFixture f;
  ASSERT_TRUE(f.CountAndLoad(path));
  EXPECT_EQ(f.state.individual_count, 5000);
  EXPECT_GT(f.state.family_count, 1000);
  EXPECT_GT(f.state.level0_note_count, 100);
  EXPECT_EQ(f.state.character_set, run::CharacterSet::kAnsi);
  EXPECT_EQ(f.store.note_records_stored, f.state.level0_note_count);
  EXPECT_TRUE(f.ui.messages.empty());
  store::MessageBoxFaults faults(f.ui);

  int remarried = 0, living = 0, children = 0;
  std::set<int> birth_centuries;
  for (const store::IndividualRecord& p : f.store.individuals) {
    ASSERT_TRUE(p.defined);
    EXPECT_FALSE(p.name.empty());
    EXPECT_NE(p.sex, 0);
    if (p.spouse_families.size() > 1) ++remarried;
    for (const store::StoredText& id : p.spouse_families) {
      const store::FamilyRecord* family = store::FindFamily(f.store, faults, id, p);
      ASSERT_NE(family, nullptr);
      EXPECT_TRUE(family->husband == p.id || family->wife == p.id) << p.id;
    }
    if (!p.parents_family.empty()) {
      ASSERT_NE(store::FindFamily(f.store, faults, p.parents_family, p), nullptr);
    }
    if (p.birth_date.size() < 4) continue;
    const std::string year = p.birth_date.substr(p.birth_date.size() - 4);
    if (!p.deceased && year > "1950") ++living;
    birth_centuries.insert(std::atoi(year.substr(0, 2).c_str()));
  }
  for (const store::FamilyRecord& family : f.store.families) {
    for (const store::StoredText& id : family.children) {
      const store::IndividualRecord* child = store::FindIndividual(f.store, faults, id);
      ASSERT_NE(child, nullptr);
      EXPECT_EQ(child->parents_family, family.id);
      ++children;
    }
    ASSERT_NE(store::FindIndividual(f.store, faults, family.husband), nullptr);
    ASSERT_NE(store::FindIndividual(f.store, faults, family.wife), nullptr);
  }
  EXPECT_GT(remarried, 20);
  EXPECT_GT(living, 200);
  EXPECT_GT(children, 2500);
  EXPECT_GE(birth_centuries.size(), 3u) << "many generations";
}

}  // namespace
}  // namespace kinloom::gedcom
