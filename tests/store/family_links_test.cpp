// The links between records resolved once after loading: every id becomes a table position,
// a broken link ends the program at that point with its structural message, and the links
// dropped under "Skip Broken Links" are absent.
#include "store/family_links.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gedcom/gedcom_fixture.h"
#include "platform/program_end.h"

namespace kinloom::store {
namespace {

using testing::PassFixture;

// Ann and Tom married twice (F1, F3), Sue their child in F1; F2 has only a wife.
constexpr char kLinked[] =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 FAMS @F1@\n1 FAMS @F3@\n"
    "0 @I2@ INDI\n1 NAME Tom /Lee/\n1 FAMS @F1@\n1 FAMS @F3@\n"
    "0 @I3@ INDI\n1 NAME Sue /Lee/\n1 FAMC @F1@\n1 FAMS @F2@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 CHIL @I3@\n"
    "0 @F2@ FAM\n1 WIFE @I3@\n"
    "0 @F3@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n"
    "0 TRLR\n";

TEST(ResolveLinksTest, EveryIdBecomesItsTablePositionAndAbsentLinksGiveMinusOne) {
  PassFixture f;
  ASSERT_TRUE(f.CountAndLoadText(kLinked));
  MessageBoxFaults faults(f.ui);
  ResolveLinks(f.store, faults);
  EXPECT_TRUE(f.ui.messages.empty());

  const IndividualRecord& ann = f.store.individuals[0];
  const IndividualRecord& sue = f.store.individuals[2];
  EXPECT_EQ(ann.parents_family_index, -1);
  EXPECT_EQ(ann.spouse_family_indices, (std::vector<std::int32_t>{0, 2}));
  EXPECT_EQ(sue.parents_family_index, 0);
  EXPECT_EQ(sue.spouse_family_indices, std::vector<std::int32_t>{1});
  const FamilyRecord& first = f.store.families[0];
  EXPECT_EQ(first.husband_index, 1);
  EXPECT_EQ(first.wife_index, 0);
  EXPECT_EQ(first.child_indices, std::vector<std::int32_t>{2});
  EXPECT_EQ(f.store.families[1].husband_index, -1);
  EXPECT_EQ(f.store.families[1].wife_index, 2);

  // The accessors follow the positions; absent links and entries past the end give null.
  const GenealogyStore& store = f.store;
  EXPECT_EQ(ParentsFamily(store, sue), &store.families[0]);
  EXPECT_EQ(ParentsFamily(store, ann), nullptr);
  EXPECT_EQ(SpouseFamily(store, ann, 1), &store.families[2]);
  EXPECT_EQ(SpouseFamily(store, ann, 2), nullptr);
  EXPECT_EQ(SpouseFamily(store, ann, -1), nullptr);
  EXPECT_EQ(Husband(store, first), &store.individuals[1]);
  EXPECT_EQ(Wife(store, first), &store.individuals[0]);
  EXPECT_EQ(Child(store, first, 0), &store.individuals[2]);
  EXPECT_EQ(Child(store, first, 1), nullptr);
  EXPECT_EQ(Husband(store, store.families[1]), nullptr);

  // A second resolution gives the same positions, not a second copy of the arrays.
  ResolveLinks(f.store, faults);
  EXPECT_EQ(ann.spouse_family_indices, (std::vector<std::int32_t>{0, 2}));
  EXPECT_EQ(first.child_indices, std::vector<std::int32_t>{2});
}

// The text a resolution of `gedcom` ended the program with; empty when it did not end it.
std::string ResolutionEnding(const std::string& gedcom) {
  PassFixture f;
  if (!f.CountAndLoadText(gedcom)) return "<not loaded>";
  if (!f.ui.messages.empty()) return "<loading showed a message>";
  MessageBoxFaults faults(f.ui);
  try {
    ResolveLinks(f.store, faults);
  } catch (const StructuralErrorEnd&) {
    EXPECT_EQ(f.ui.messages.size(), 1u);
    if (f.ui.messages.empty()) return "<no message>";
    EXPECT_EQ(f.ui.messages[0].caption, "");
    EXPECT_EQ(f.ui.messages[0].icon, platform::MessageIcon::kWarning);
    return f.ui.messages[0].text;
  }
  return "";
}

std::string WithLine(const std::string& after, const std::string& line) {
  std::string text = kLinked;
  text.insert(text.find(after) + after.size(), line);
  return text;
}

TEST(ResolveLinksTest, EachKindOfBrokenLinkIsFoundAtResolutionWithItsMessage) {
  const std::string missing_individual =
      "Structural problem in GEDCOM file.  A family references\n"
      "individual \"I9\", but an individual with that ID was\n"
      "not found in the GEDCOM file.\n"
      "Please check your genealogy database to ensure that all\n"
      "family/individual links are correct.\n\n"
      "Aborting HTML file creation and closing down.\n";
  const std::string missing_family =
      "Error in GEDCOM structure\n Individual \"Sue /Lee/\" (id \"I3\") refrences family "
      "\"F9\"\nbut no family with that ID was found in GEDCOM file.  Please check the family "
      "links around that individual,re-extract your GEDCOM file, and try again.  ";
  const std::string wrong_kind_individual =
      std::string("Unexpected Internal Error at Position 12.  Closing Down. \n\n Please email "
                  "technical support with this error message at ") +
      kSupportAddress;

  EXPECT_EQ(ResolutionEnding(kLinked), "");
  // A child line is never followed before the pages; it is found all the same.
  EXPECT_EQ(ResolutionEnding(WithLine("1 CHIL @I3@\n", "1 CHIL @I9@\n")), missing_individual);
  EXPECT_EQ(ResolutionEnding(WithLine("@F2@ FAM\n", "1 HUSB @I9@\n")), missing_individual);
  EXPECT_EQ(ResolutionEnding(WithLine("1 NAME Sue /Lee/\n", "1 FAMS @F9@\n")), missing_family);
  EXPECT_EQ(ResolutionEnding(WithLine("1 FAMC @F1@\n", "1 FAMC @F9@\n")), missing_family);
  EXPECT_EQ(ResolutionEnding(WithLine("1 NAME Sue /Lee/\n", "1 FAMS @I1@\n")),
            "Record \"I1\" is not a Family... error");
  EXPECT_EQ(ResolutionEnding(WithLine("@F2@ FAM\n", "1 CHIL @F1@\n")), wrong_kind_individual);
  // Of two broken links, the individuals' are checked first, whatever the file order.
  std::string two = WithLine("1 CHIL @I3@\n", "1 CHIL @I9@\n");
  two.insert(two.find("0 TRLR"), "0 @I4@ INDI\n1 NAME Max /Ray/\n1 FAMC @F8@\n");
  EXPECT_EQ(ResolutionEnding(two),
            "Error in GEDCOM structure\n Individual \"Max /Ray/\" (id \"I4\") refrences family "
            "\"F8\"\nbut no family with that ID was found in GEDCOM file.  Please check the "
            "family links around that individual,re-extract your GEDCOM file, and try again.  ");
}

// Under "Skip Broken Links" the loading pass has dropped every broken link with a warning, so
// the resolution meets none: the dropped husband and parents family are -1, the dropped
// spouse family is gone from both arrays.
TEST(ResolveLinksTest, LinksDroppedUnderSkipBrokenLinksResolveToNothing) {
  PassFixture f;
  f.settings.skip_broken_links = 1;
  ASSERT_TRUE(f.CountAndLoadText(
      "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 FAMS @F9@\n1 FAMS @F1@\n1 FAMC @I2@\n"
      "0 @I2@ INDI\n1 NAME Tom /Lee/\n"
      "0 @F1@ FAM\n1 HUSB @F1@\n1 WIFE @I1@\n1 CHIL @I7@\n1 CHIL @I2@\n"));
  ASSERT_EQ(f.ui.messages.size(), 1u);  // the warnings of the loading pass
  MessageBoxFaults faults(f.ui);
  ResolveLinks(f.store, faults);
  EXPECT_EQ(f.ui.messages.size(), 1u);
  const IndividualRecord& ann = f.store.individuals[0];
  EXPECT_EQ(ann.parents_family_index, -1);
  EXPECT_EQ(ann.spouse_family_indices, std::vector<std::int32_t>{0});
  const FamilyRecord& family = f.store.families[0];
  EXPECT_EQ(family.husband_index, -1);
  EXPECT_EQ(family.wife_index, 0);
  EXPECT_EQ(family.child_indices, std::vector<std::int32_t>{1});
  EXPECT_EQ(Husband(f.store, family), nullptr);
  EXPECT_EQ(ParentsFamily(f.store, ann), nullptr);
}

}  // namespace
}  // namespace kinloom::store
