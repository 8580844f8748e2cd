#include "store/sort_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "site/test_store.h"

namespace kinloom::store {
namespace {

using testing::TestRun;

struct Keyed {
  TestRun run;
  IndividualRecord& Build(const std::string& name, const std::string& aka = "") {
    int i = run.AddPerson("I" + std::to_string(run.store.individuals.size()), name);
    run.store.individuals[i].also_known_as = aka;
    BuildSortKeys(run.store);
    return run.store.individuals[i];
  }
};

TEST(SortKeysTest, SplitsGivenNamesSurnameAndFurtherParts) {
  {
    Keyed k;
    IndividualRecord& p = k.Build("John /Smith/");
    EXPECT_EQ(p.surname, "Smith");
    EXPECT_EQ(p.given_names, "John ");
    EXPECT_EQ(p.sort_key, "SMITH JOHN ");
    EXPECT_EQ(p.also_known_as, "");
    EXPECT_TRUE(k.run.store.letter_presence['S' - 'A']);
  }
  {
    Keyed k;
    IndividualRecord& p = k.Build("/Smith/ John");
    EXPECT_EQ(p.given_names, "");
    EXPECT_EQ(p.sort_key, "SMITH ");
    EXPECT_EQ(p.also_known_as, " John");
  }
  {
    Keyed k;
    IndividualRecord& p = k.Build("John Smith");
    EXPECT_EQ(p.surname, "");
    EXPECT_EQ(p.sort_key, "~ JOHN SMITH");
    EXPECT_TRUE(k.run.store.letter_presence[kOtherSlot]);
  }
  {
    Keyed k;
    EXPECT_EQ(k.Build("Anna /de Vries/").sort_key, "DE VRIES ANNA ");
    EXPECT_EQ(k.Build("Mary /123/").sort_key, "~123 MARY ");
  }
}

TEST(SortKeysTest, FurtherPiecesJoinAlsoKnownAsEvenWhenEmpty) {
  Keyed k;
  EXPECT_EQ(k.Build("/Smith/ John/x/").also_known_as, " John, x, ");
  EXPECT_EQ(k.Build("Ann /Lee/", "Annie").also_known_as, "Annie, ");
  // A surname ended by a line end has no further parts.
  IndividualRecord& p = k.Build("Bo /Ek\r/rest/");
  EXPECT_EQ(p.surname, "Ek");
  EXPECT_EQ(p.also_known_as, "");
}

TEST(SortKeysTest, NamesAreStoredEscapedButTheKeyIsNot) {
  Keyed k;
  IndividualRecord& p = k.Build("<i>Al \"Big\" /Fish & Chips/");
  EXPECT_EQ(p.surname, "Fish &amp; Chips");
  EXPECT_EQ(p.given_names, "&lt;i&gt;Al &quot;Big&quot; ");
  EXPECT_EQ(p.sort_key, "FISH & CHIPS <I>AL \"BIG\" ");
}

TEST(SortKeysTest, NordicInitialsHaveTheirOwnSlots) {
  Keyed k;
  EXPECT_EQ(static_cast<unsigned char>(k.Build("Jan /\xD8rsted/").sort_key[0]), 0xD8);
  k.Build("Ib /\xC6rt/");
  k.Build("Al /\xC5s/");
  k.Build("Lo /\xF8ksen/");  // lower-case ø is not a recognised letter
  EXPECT_TRUE(k.run.store.letter_presence[kSlotOSlash]);
  EXPECT_TRUE(k.run.store.letter_presence[kSlotAE]);
  EXPECT_TRUE(k.run.store.letter_presence[kSlotARing]);
  EXPECT_TRUE(k.run.store.letter_presence[kOtherSlot]);
  EXPECT_EQ(k.run.store.individuals[3].sort_key[0], '~');
  EXPECT_EQ(IndexSlotOf('q'), 'Q' - 'A');
  EXPECT_EQ(IndexSlotOf(0xE6), kOtherSlot);
}

TEST(SortKeysTest, NordicInitialsInUtf8TextAreCharacters) {
  Keyed k;
  k.run.store.text_encoding = platform::TextEncoding::kUtf8;
  EXPECT_EQ(k.Build("Jan /\xC3\x98rsted/").sort_key, "\xC3\x98RSTED JAN ");
  EXPECT_EQ(k.Build("Al /\xC3\x85s/").sort_key, "\xC3\x85S AL ");
  EXPECT_EQ(k.Build("Lo /\xC3\xB8ksen/").sort_key, "~\xC3\xB8KSEN LO ");
  EXPECT_EQ(k.Build("Ib /\xC3\x89mile/").sort_key, "~\xC3\x89MILE IB ");
  EXPECT_TRUE(k.run.store.letter_presence[kSlotOSlash]);
  EXPECT_TRUE(k.run.store.letter_presence[kSlotARing]);
  EXPECT_FALSE(k.run.store.letter_presence[kSlotAE]);
  EXPECT_TRUE(k.run.store.letter_presence[kOtherSlot]);
  using platform::TextEncoding;
  EXPECT_EQ(RecognisedLetterLength("\xC3\x86x", TextEncoding::kUtf8), 2u);
  EXPECT_EQ(RecognisedLetterLength("\xC3\x86x", TextEncoding::kWindows1252), 0u);  // Ã
  EXPECT_EQ(RecognisedLetterLength("\xC6x", TextEncoding::kWindows1252), 1u);
  EXPECT_EQ(RecognisedLetterLength("\xC6x", TextEncoding::kUtf8), 0u);
  EXPECT_EQ(RecognisedLetterLength("", TextEncoding::kUtf8), 0u);
  EXPECT_EQ(IndexSlotOfText("\xC3\x86", TextEncoding::kUtf8), kSlotAE);
  EXPECT_EQ(IndexSlotOfText("\xC3", TextEncoding::kUtf8), kOtherSlot);
  EXPECT_EQ(IndexSlotOfText("q", TextEncoding::kUtf8), 'Q' - 'A');
}

TEST(SortKeysTest, IndividualWithoutNameIsDroppedAndMarksNoLetter) {
  TestRun run;
  run.AddPerson("I1", "");
  run.AddPerson("I2", "Ann /Berg/");
  run.store.individuals.push_back({});  // a record the loading pass never filled
  BuildSortKeys(run.store);
  SortIndividuals(run.store);
  EXPECT_FALSE(run.store.individuals[0].defined);
  EXPECT_FALSE(run.store.letter_presence[kOtherSlot]);
  ASSERT_EQ(run.store.sorted_count, 1);
  EXPECT_EQ(run.store.sorted_index[0], 1);
}

TEST(SortKeysTest, OrdersByUnsignedBytesAndKeepsEqualKeysInTableOrder) {
  TestRun run;
  const char* names[] = {"Al /\xC5s/", "Bo /Smithson/",   "Cy /~x/",    "Di /Zorn/",
                         "Ed /Smith/", "Jan /\xD8rsted/", "Ed /Smith/", "Ib /\xC6rt/"};
  for (int i = 0; i < 8; ++i) run.AddPerson("I" + std::to_string(i), names[i]);
  BuildSortKeys(run.store);
  SortIndividuals(run.store);
  std::vector<int> order(run.store.sorted_index.begin(),
                         run.store.sorted_index.begin() + run.store.sorted_count);
  // SMITH (table order 4 then 6), SMITHSON, ZORN, ~~X, then Å (C5), Æ (C6), Ø (D8).
  EXPECT_EQ(order, (std::vector<int>{4, 6, 1, 3, 2, 0, 7, 5}));
}

// Keys that share their first sixteen bytes and part after them, keys that end inside
// another's first sixteen bytes, high bytes and equal keys: the order is the keys' order
// byte by byte, equal keys in table order.
TEST(SortKeysTest, LongSharedStartsSortAsWholeKeys) {
  TestRun run;
  const std::vector<std::string> surnames = {
      "Abercrombie-Fitzgerald", "Abercrombie-Fitzgeralds", "Abercrombie-Fitz",
      "Abercrombie",            "Abercrombie-Fitzgerald",  "Ab",
      "Abercrombie-Fitzgerale", "Abercrombie-Fitzgerald\xE9", "Abercrombie-Fitzgerald",
      "\xC5" "bercrombie",        "Abercrombie-Fitzgerald"};
  const std::vector<std::string> given = {"Ann", "Bo", "Ann", "Cy", "Ann", "Di",
                                          "Ed",  "Ann", "Anna", "Al", "An"};
  for (std::size_t i = 0; i < surnames.size(); ++i)
    run.AddPerson("I" + std::to_string(i), given[i] + " /" + surnames[i] + "/");
  BuildSortKeys(run.store);
  SortIndividuals(run.store);
  std::vector<std::int32_t> expected(surnames.size());
  for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<std::int32_t>(i);
  std::stable_sort(expected.begin(), expected.end(), [&](std::int32_t a, std::int32_t b) {
    return std::string(run.store.individuals[a].sort_key.view()) <
           std::string(run.store.individuals[b].sort_key.view());
  });
  ASSERT_EQ(run.store.sorted_count, static_cast<int>(surnames.size()));
  EXPECT_EQ(std::vector<std::int32_t>(run.store.sorted_index.begin(),
                                      run.store.sorted_index.begin() + run.store.sorted_count),
            expected);
  // Equal keys in table order.
  EXPECT_LT(std::find(expected.begin(), expected.end(), 0),
            std::find(expected.begin(), expected.end(), 4));
}

}  // namespace
}  // namespace kinloom::store
