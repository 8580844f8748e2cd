// Which members of a family a family group describes in full and which it only links to:
// the spouse by the principal's place in the couple, children in file order, and the
// unnamed left out.
#include "site/page_facts.h"

#include <gtest/gtest.h>

#include <string>

namespace kinloom::site {
namespace {

using store::IndividualRecord;

IndividualRecord Person(const std::string& id, std::int32_t group, bool defined = true) {
  IndividualRecord p;
  p.id = id;
  p.group = group;
  p.defined = defined;
  return p;
}

// "id*" for a member described in full, "id>" for a link, "-" for no spouse.
std::string Describe(const GroupMember& member) {
  if (!member.person) return "-";
  return member.person->id + (member.in_full ? "*" : ">");
}

std::string Describe(const GroupFamilyMembers& members) {
  std::string text = Describe(members.spouse) + " |";
  for (const GroupMember& child : members.children) text += " " + Describe(child);
  return text;
}

TEST(FamilyMembersShownTest, SpouseAndChildrenInFullOrAsLinks) {
  const IndividualRecord hal = Person("HAL", 0);
  const IndividualRecord wilma = Person("WILMA", 0);
  const IndividualRecord other_wife = Person("OTHER", 4);
  const IndividualRecord unnamed_wife = Person("NONAME", 0, false);
  const IndividualRecord kid = Person("KID", 0);
  const IndividualRecord kate = Person("KATE", 1);
  const IndividualRecord ghost = Person("GHOST", 0, false);
  const IndividualRecord ann = Person("ANN", 0);  // Hal is her husband's spouse here

  struct Case {
    const char* name;
    const IndividualRecord* principal;
    const IndividualRecord* husband;
    const IndividualRecord* wife;
    std::vector<const IndividualRecord*> children;
    const char* expected;
  } cases[] = {
      {"principal is the husband", &hal, &hal, &wilma, {&kid, &kate}, "WILMA* | KID* KATE>"},
      {"spouse heads another group", &hal, &hal, &other_wife, {}, "OTHER> |"},
      {"principal is the wife", &ann, &hal, &ann, {&kid}, "HAL* | KID*"},
      {"no husband: no spouse line", &ann, nullptr, &ann, {&kate}, "- | KATE>"},
      {"husband without a wife", &hal, &hal, nullptr, {&kid}, "- | KID*"},
      {"a spouse without a name", &hal, &hal, &unnamed_wife, {}, "- |"},
      {"unnamed and missing children", &hal, &hal, &wilma, {&ghost, nullptr, &kate},
       "WILMA* | KATE>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Describe(FamilyMembersShown(*c.principal, 0, c.husband, c.wife, c.children)),
              c.expected);
  }

  // The same family seen from group 1 describes only Kate in full.
  EXPECT_EQ(Describe(FamilyMembersShown(hal, 1, &hal, &wilma, {&kid, &kate})),
            "WILMA> | KID> KATE*");
}

}  // namespace
}  // namespace kinloom::site
