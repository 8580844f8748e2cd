// Tag labels in the nine page languages and in the two interface languages.
#include <gtest/gtest.h>

#include <set>

#include "lang/tag_labels.h"

namespace kinloom::lang {
namespace {

constexpr int kSour = 113;

TEST(TagLabelLanguagesTest, PageLanguageAndInterfaceLanguageChooseTheBlock) {
  // SOUR on German pages is the German label; in a French interface the French one.
  EXPECT_EQ(TagLabel(kSour, LabelSet(2)), "Quelle");
  settings::Settings s;
  s.lables_in_french = 0;
  EXPECT_EQ(TagLabelUi(kSour, s), "Source");
  s.lables_in_french = 1;
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

}  // namespace
}  // namespace kinloom::lang
