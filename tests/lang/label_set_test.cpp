#include "lang/label_set.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lang/string_table.h"

namespace kinloom::lang {
namespace {

// Each label of each output language, in both encodings, is the string table's text: the
// labels read through the set's own table match the table number for number.
TEST(LabelSetTest, EveryLabelIsTheStringOfItsLanguage) {
  const StringTable& strings = StringTable::Instance();
  for (int language = 0; language < 9; ++language) {
    LabelSet cp1252(language);
    LabelSet utf8(language, platform::TextEncoding::kUtf8);
    for (int n = LabelSet::kFirstLabel - 2; n <= LabelSet::kLastLabel + 2; ++n) {
      const std::string& text = strings.Text(n + 1000 * language);
      ASSERT_EQ(cp1252.Get(n), text) << "label " << n << " language " << language;
      ASSERT_EQ(utf8.Get(n), platform::Cp1252ToUtf8(text)) << "label " << n;
    }
  }
  EXPECT_FALSE(LabelSet(0).Get(LabelSet::kFirstLabel).empty());
  EXPECT_FALSE(LabelSet(8).Get(LabelSet::kLastLabel).empty());
}

TEST(LabelSetTest, ChangesOfLanguageAndEncodingAreSeen) {
  LabelSet labels(0);
  EXPECT_EQ(labels.Get(12375), "Marriage");
  labels.SetLanguage(2);
  EXPECT_EQ(labels.Get(12375), "Eheschlie\xDFung");
  labels.SetTextEncoding(platform::TextEncoding::kUtf8);
  EXPECT_EQ(labels.Get(12375), "Eheschlie\xC3\x9Fung");
  labels.SetTextEncoding(platform::TextEncoding::kWindows1252);
  EXPECT_EQ(labels.Get(12375), "Eheschlie\xDFung");
}

// A copy keeps its own texts: the original may go away.
TEST(LabelSetTest, ACopyOutlivesTheOriginal) {
  auto original = std::make_unique<LabelSet>(2, platform::TextEncoding::kUtf8);
  EXPECT_EQ(original->Get(12375), "Eheschlie\xC3\x9Fung");
  EXPECT_EQ(original->Get(99999), "");
  const LabelSet copy = *original;
  original.reset();
  EXPECT_EQ(copy.Get(12375), "Eheschlie\xC3\x9Fung");
  EXPECT_EQ(copy.Get(12376), LabelSet(2, platform::TextEncoding::kUtf8).Get(12376));
}

}  // namespace
}  // namespace kinloom::lang
