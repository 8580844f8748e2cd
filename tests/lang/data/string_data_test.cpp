// Checks of the string table's data files: they parse, they hold exactly the bytes the
// program shows (Windows-1252, runs of blanks, escapes, odd spellings), and every English
// user-interface text has a French text that takes the same printf arguments.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "lang/string_table.h"
#include "lang/ui_text.h"
#include "platform/resources.h"
#include "platform/text_encoding.h"
#include "settings/settings.h"

namespace kinloom::lang {
namespace {

const StringTable& Table() { return StringTable::Instance(); }

// One data file parsed on its own.
StringTable ParseResource(std::string_view name) {
  StringTable t;
  auto data = platform::FindResource(name);
  EXPECT_TRUE(data.has_value()) << name << " is not embedded";
  if (!data) return t;
  std::string error;
  EXPECT_TRUE(t.Parse(*data, &error)) << name << ": " << error;
  return t;
}

// The printf conversions of a text in order ("%s", "%1.2f", "%%"); a '%' that starts no
// valid conversion is listed as "%?" so that a stray percent sign shows up as a difference.
std::vector<std::string> Placeholders(const std::string& text) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    std::size_t j = i + 1;
    while (j < text.size() && std::string_view("-+ #0").find(text[j]) != std::string_view::npos)
      ++j;
    while (j < text.size() && (std::isdigit(static_cast<unsigned char>(text[j])) || text[j] == '*'))
      ++j;
    if (j < text.size() && text[j] == '.') {
      ++j;
      while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
    }
    while (j < text.size() && std::string_view("hlLzjt").find(text[j]) != std::string_view::npos)
      ++j;
    if (j < text.size() &&
        std::string_view("diouxXeEfgGcsp%").find(text[j]) != std::string_view::npos) {
      out.push_back(text.substr(i, j - i + 1));
      i = j;
    } else {
      out.push_back("%?");
    }
  }
  return out;
}

// The keyboard accelerators of a control text: single '&' signs ("&&" is a literal one).
int Accelerators(const std::string& text) {
  int n = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (i + 1 < text.size() && text[i + 1] == '&') {
      ++i;
      continue;
    }
    ++n;
  }
  return n;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out(1);
  for (char c : text) {
    if (c == '\n')
      out.emplace_back();
    else
      out.back() += c;
  }
  return out;
}

// Every text of the 2000 block, whichever data file gives it.
std::vector<int> EnglishUiNumbers() {
  std::vector<int> numbers;
  for (int n = 2000; n < 3000; ++n)
    if (Table().Has(n)) numbers.push_back(n);
  return numbers;
}

TEST(StringDataTest, EveryDataFileParsesAndConvertsWithoutLoss) {
  std::vector<std::string_view> names;
  for (std::string_view name : platform::ResourceNames())
    if (name.size() > 4 && name.substr(name.size() - 4) == ".txt") names.push_back(name);
  for (std::string_view mine : {"ui_en.txt", "ui_fr.txt", "labels_en.txt"})
    EXPECT_NE(std::find(names.begin(), names.end(), mine), names.end()) << mine;
  for (std::string_view name : names) {
    SCOPED_TRACE(std::string(name));
    ParseResource(name);
    // Every character of the sources must exist in Windows-1252; DEL never occurs in a
    // text, so it marks a character the code page cannot hold.
    std::string bytes = platform::Utf8ToCp1252(*platform::FindResource(name), '\x7f');
    EXPECT_EQ(bytes.find('\x7f'), std::string::npos);
  }
  // The whole table, with every file merged, loads too (no number given twice differently).
  EXPECT_GT(Table().size(), 400u);
}

TEST(StringDataTest, EveryEnglishUiTextHasAFrenchTextWithTheSamePlaceholders) {
  std::vector<int> numbers = EnglishUiNumbers();
  ASSERT_GE(numbers.size(), 200u);
  for (int n : numbers) {
    SCOPED_TRACE("text " + std::to_string(n));
    const std::string& en = Table().Text(n);
    ASSERT_TRUE(Table().Has(n + 1000));
    const std::string& fr = Table().Text(n + 1000);
    EXPECT_FALSE(fr.empty());
    EXPECT_EQ(Placeholders(fr), Placeholders(en)) << "fr: " << fr;
    std::vector<std::string> en_formats = Placeholders(en);
    EXPECT_EQ(std::find(en_formats.begin(), en_formats.end(), "%?"), en_formats.end());
    // Same line structure: as many breaks, and the same lines left empty.
    std::vector<std::string> en_lines = Lines(en), fr_lines = Lines(fr);
    ASSERT_EQ(fr_lines.size(), en_lines.size()) << "fr: " << fr;
    for (std::size_t i = 0; i < en_lines.size(); ++i)
      EXPECT_EQ(fr_lines[i].empty(), en_lines[i].empty()) << "line " << i;
    // Texts appended to others keep their leading blanks.
    EXPECT_EQ(fr.find_first_not_of(' '), en.find_first_not_of(' ')) << "fr: " << fr;
    // A control with an accelerator keeps exactly one.
    EXPECT_EQ(Accelerators(fr), Accelerators(en)) << "fr: " << fr;
  }
}

TEST(StringDataTest, PlaceholderScannerSeesFormatsAndStrayPercents) {
  EXPECT_EQ(Placeholders("%s Version %1.2f"), (std::vector<std::string>{"%s", "%1.2f"}));
  EXPECT_EQ(Placeholders("%7.2f %X %c %d%%"),
            (std::vector<std::string>{"%7.2f", "%X", "%c", "%d", "%%"}));
  EXPECT_EQ(Placeholders("100%."), (std::vector<std::string>{"%?"}));
  EXPECT_EQ(Accelerators("Birth && Death"), 0);
  EXPECT_EQ(Accelerators("Create &HTML files"), 1);
}

TEST(StringDataTest, AllowedCharacterSetsAreExactlyTheListedOnes) {
  EXPECT_EQ(Table().Text(102), "0123456789");
  EXPECT_EQ(Table().Text(103), ".0123456789");
  EXPECT_EQ(Table().Text(104),
            "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ.1234567890-_~!@#$");
  EXPECT_EQ(Table().Text(105),
            "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890-_~!@#$");
  // The path sets end with the colon and one backslash.
  EXPECT_EQ(Table().Text(106),
            "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ.1234567890-_~!@#$:\\");
  EXPECT_EQ(Table().Text(107),
            "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890-_~!@#$:\\");
  EXPECT_FALSE(Table().Has(108));
  EXPECT_EQ(Table().Text(109), "0123456789ABCDEFabcdef");
  EXPECT_EQ(Table().Text(101), "&About kinloom...");
  // The sets are fetched without the French offset, so the French block has none.
  for (int n = 1101; n <= 1109; ++n) EXPECT_FALSE(Table().Has(n)) << n;
}

TEST(StringDataTest, MessagesKeepTheirBlanksQuotesAndEscapes) {
  EXPECT_EQ(Table().Text(2283),
            "Error detected reading GEDCOM file. %s only found %d family(s) and %d individual(s)."
            "   A minimum of 2 families and 3 individuals is required.  Possible incorrect GEDCOM "
            "format, empty file, or non-GEDCOM file.  %s aborting.");
  EXPECT_EQ(Table().Text(2317), "Unable to open the file '%s'.  %s aborting.");
  EXPECT_EQ(Table().Text(2441),
            "The name of the base page for the %s pages and the %s pages are the same '%s'.  "
            "These names must be different.");
  EXPECT_EQ(Table().Text(2320),
            "Reading input File \n\nFamilies = %d       Notes = %d\n\nIndividuals = %d");
  EXPECT_EQ(Table().Text(2255), "Error, Unable to save entry %d.\n Text = %s\nHyper Link = %s");
  EXPECT_EQ(Table().Text(2281), "Exception: %s \n %s closing down.");
  EXPECT_EQ(Table().Text(2256), "You must enter the \"Display Text\" or select \"Cancel\".");
  EXPECT_EQ(Table().Text(2288),
            "Enter the GEDCOM Id for the individual you want to use.  Do not enter the @ before "
            "or after the ID.  If you do not know the GEDCOM Id of the person, turn on the \"%s\" "
            "option.");
  EXPECT_EQ(Table().Text(2260), " Error, could not retrieve selection.");
  EXPECT_EQ(Table().Text(2285), "  This may take some time, you have a very large file.");
  EXPECT_EQ(Table().Text(2120), "Birth && Death Dates on Index Page");
  EXPECT_EQ(Table().Text(2207), "Note:  Either or both of these boxes can be blank");
  EXPECT_EQ(Table().Text(2634), "Portugu\xEAs(BR)");
  EXPECT_EQ(Table().Text(2632), "Portugu\xEAs(BR) Pages");
}

TEST(StringDataTest, OddSpellingsAreKept) {
  EXPECT_EQ(Table().Text(2303), "Starting 2nd pass...Opending input file");
  EXPECT_EQ(Table().Text(2305), "Opended input file.... Starting to Load input file");
  EXPECT_EQ(Table().Text(2282), "Finished Preprecessing GEDCOM file");
  EXPECT_NE(Table().Text(2301).find("large enought combination"), std::string::npos);
  EXPECT_NE(Table().Text(2370).find("current ouput file."), std::string::npos);
  EXPECT_EQ(Table().Text(2287), "Identity all ancestors of this individual");
  EXPECT_EQ(Table().Text(2265).rfind("You have select not to '%s'", 0), 0u);
  EXPECT_EQ(Table().Text(2325), "Error!  Individual Table Overflow! %s Closing Down");
}

TEST(StringDataTest, FilledMessageReadsAsTheUserSeesIt) {
  const std::string product = "KINLOOM\xA9 ";
  EXPECT_EQ(FormatText(Table().Text(2283).c_str(), product.c_str(), 1, 2, product.c_str()),
            "Error detected reading GEDCOM file. KINLOOM\xA9  only found 1 family(s) and 2 "
            "individual(s).   A minimum of 2 families and 3 individuals is required.  Possible "
            "incorrect GEDCOM format, empty file, or non-GEDCOM file.  KINLOOM\xA9  aborting.");
  EXPECT_EQ(FormatText(Table().Text(2143).c_str(), product.c_str(), 2.52),
            "About KINLOOM\xA9  Version 2.52");
}

TEST(StringDataTest, FrenchInterfaceTakesTheFrenchBlock) {
  settings::Settings s;
  s.labels_in_french = 0;
  EXPECT_EQ(LoadUiText(2446, s), "French");
  EXPECT_EQ(LoadUiText(2127, s), "Create &HTML files");
  s.labels_in_french = 1;
  EXPECT_EQ(LoadUiText(2446, s),
            "Fran\xE7"
            "ais");
  EXPECT_EQ(LoadUiText(2143, s), "\xC0 propos de %s version %1.2f");
  EXPECT_EQ(LoadUiText(2263, s), "Le champ \xAB %s \xBB accepte au plus %d caract\xE8res.");
  EXPECT_EQ(LoadUiText(2333, s),
            "Initialisation du r\xE9pertoire de sortie...\n\nsuppression du fichier %s");
}

TEST(StringDataTest, EnglishLabelsKeepTheirExactBytes) {
  EXPECT_EQ(Table().Text(12358),
            "<center>The GEDCOM file used to create this database is <a href='%s'>%s</a>"
            "</center>");
  EXPECT_EQ(Table().Text(12359), "File size ");
  EXPECT_EQ(Table().Text(12364), " ");
  EXPECT_EQ(Table().Text(12427), "Marriage of ");
  EXPECT_EQ(Table().Text(12447),
            "Note:  If you have a question about the Genealogy Information on this website, "
            "please contact the owner of this website.");
  EXPECT_TRUE(Table().Has(12430));
  EXPECT_EQ(Table().Text(12430), "");
  EXPECT_EQ(Table().Text(12442), "Unknown value");
  EXPECT_EQ(Table().Text(12443),
            "Pages Fran\xE7"
            "ais");
  EXPECT_EQ(Table().Text(12613), "Nederlandstalige Pagina's");
  EXPECT_EQ(Table().Text(12616), "Espa\xF1olas Paginaciones");
  EXPECT_EQ(Table().Text(12635), "P\xE1ginas em Portugu\xEAs(BR)");
  EXPECT_EQ(Table().Text(12424), "--Not Shown--");
}

TEST(StringDataTest, EveryTagCodeHasItsLabel) {
  StringTable labels = ParseResource("labels_en.txt");
  for (int code = 1; code <= 129; ++code)
    EXPECT_FALSE(labels.Text(12449 + code).empty()) << "tag code " << code;
  EXPECT_EQ(labels.Text(12450), "Abbreviation");
  EXPECT_EQ(labels.Text(12464), "Baptism-LDS");
  EXPECT_EQ(labels.Text(12477), "Character Set");
  EXPECT_EQ(labels.Text(12562), "Source");
  EXPECT_EQ(labels.Text(12578), "Will");
  // 12449 is the owner-page text, not a tag; nothing lies between the tags and 12609.
  EXPECT_EQ(labels.Text(12449), "No email address was supplied");
  for (int n = 12579; n <= 12608; ++n) EXPECT_FALSE(labels.Has(n)) << n;
  // The English block holds only English label numbers.
  for (int n = 0; n < 12352; ++n) ASSERT_FALSE(labels.Has(n)) << n;
  for (int n = 12644; n < 13700; ++n) ASSERT_FALSE(labels.Has(n)) << n;
}

}  // namespace
}  // namespace kinloom::lang
