// Tag labels in the nine page languages and in the two interface languages.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "lang/tag_labels.h"
#include "settings/settings.h"

namespace kinloom::lang {
namespace {

constexpr int kSour = 113;

TEST(TagLabelLanguagesTest, PageLanguageAndInterfaceLanguageChooseTheBlock) {
  // SOUR on German pages is the German label; in a French interface the French one.
  EXPECT_EQ(TagLabel(kSour, LabelSet(2)), "Quelle");
  settings::Settings s;
  s.labels_in_french = 0;
  EXPECT_EQ(TagLabelUi(kSour, s), "Source");
  s.labels_in_french = 1;
  EXPECT_EQ(TagLabelUi(kSour, s), LabelSet(1).Get(12562));
  EXPECT_EQ(TagLabelUi(19, s), "Naissance");
  // The interface language never reaches the other page languages.
  EXPECT_EQ(TagLabel(19, LabelSet(3)), "Geboorte");
  EXPECT_EQ(TagLabel(19, LabelSet(8)), "Nascimento");
}

TEST(TagLabelLanguagesTest, EveryCodeHasALabelInEveryLanguageAndOnlyCodes1To129) {
  for (int language = 0; language < 9; ++language) {
    std::set<std::string> labelled;
    for (int code = 1; code <= kLastTagCode; ++code) {
      std::optional<std::string> label = TagLabel(code, LabelSet(language));
      ASSERT_TRUE(label.has_value());
      EXPECT_FALSE(label->empty()) << "code " << code << " language " << language;
      if (IsLabelledTag(code)) labelled.insert(*label);
    }
    // A notes item is told apart by its label: the 78 labelled tags read differently.
    EXPECT_EQ(labelled.size(), 78u) << "language " << language;
    EXPECT_FALSE(TagLabel(0, LabelSet(language)).has_value());
    EXPECT_FALSE(TagLabel(130, LabelSet(language)).has_value());
  }
  EXPECT_FALSE(IsLabelledTag(1));  // ABBR has a label but is written without it
  EXPECT_TRUE(IsLabelledTag(2));
}

// A tag is included by a whole ";"-separated entry, not by a label that contains its own:
// "Address1" leaves ADDR out, "Baptism-LDS" leaves BAPM out. The default list, as older
// versions stored it, selects exactly its own tags.
TEST(TagLabelLanguagesTest, NotesTagsMatchWholeEntries) {
  constexpr int kAddr = 2, kAdr1 = 3, kBapl = 15, kBapm = 16;
  settings::Settings s;
  NotesTagSelection selection = LoadNotesTagList(std::string("Address1;Baptism-LDS;"), s);
  EXPECT_TRUE(selection[kAdr1]);
  EXPECT_TRUE(selection[kBapl]);
  EXPECT_FALSE(selection[kAddr]);
  EXPECT_FALSE(selection[kBapm]);
  EXPECT_EQ(std::count(selection.begin(), selection.end(), true), 2);
  // Blanks around an entry and a last entry without its ";" still count.
  selection = LoadNotesTagList(std::string(" Address ;Baptism"), s);
  EXPECT_TRUE(selection[kAddr]);
  EXPECT_TRUE(selection[kBapm]);
  EXPECT_EQ(std::count(selection.begin(), selection.end(), true), 2);

  selection = LoadNotesTagList(DefaultNotesToInclude(), s);
  std::set<int> expected;
  for (int code : lang::kDefaultNotesTags)
    if (IsLabelledTag(code)) expected.insert(code);
  std::set<int> selected;
  for (int code = 0; code <= kLastTagCode; ++code)
    if (selection[code]) selected.insert(code);
  EXPECT_EQ(selected, expected);
}

}  // namespace
}  // namespace kinloom::lang
