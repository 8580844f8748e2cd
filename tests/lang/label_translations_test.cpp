// The label blocks of the eight output languages besides English: every English role has a
// translation with the same placeholders and markup, the system's fixed texts are exact, and
// each block names its GEDCOM terms consistently.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "lang/label_set.h"
#include "lang/string_table.h"
#include "platform/resources.h"
#include "platform/text_encoding.h"

namespace kinloom::lang {
namespace {

constexpr int kFirstLabel = 12352;
constexpr int kLastLabel = 12643;
constexpr int kTagLabelBase = 12449;  // label of tag code c is kTagLabelBase + c

struct Block {
  int language;
  const char* file;
};
constexpr std::array<Block, 8> kBlocks = {{{1, "labels_fr.txt"},
                                           {2, "labels_de.txt"},
                                           {3, "labels_nl.txt"},
                                           {4, "labels_es.txt"},
                                           {5, "labels_da.txt"},
                                           {6, "labels_no.txt"},
                                           {7, "labels_it.txt"},
                                           {8, "labels_pt.txt"}}};

const std::string& Label(int n, int language) { return LabelSet(language).Get(n); }

// Every printf conversion of a format text, in order ("%s", "%1.2f", "%li", "%%").
std::vector<std::string> Placeholders(std::string_view text) {
  std::vector<std::string> found;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    std::size_t j = i + 1;
    while (j < text.size() && std::string_view("-+ #0").find(text[j]) != std::string_view::npos)
      ++j;
    while (j < text.size() && ((text[j] >= '0' && text[j] <= '9') || text[j] == '*')) ++j;
    if (j < text.size() && text[j] == '.') {
      ++j;
      while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
    }
    while (j < text.size() && std::string_view("hlLqjzt").find(text[j]) != std::string_view::npos)
      ++j;
    if (j < text.size()) ++j;  // the conversion letter, or whatever stands there
    found.emplace_back(text.substr(i, j - i));
    i = j - 1;
  }
  return found;
}

// Every HTML tag of a text, as written ("<center>", "<a href='%s'>", "</a>").
std::vector<std::string> HtmlTags(std::string_view text) {
  std::vector<std::string> found;
  for (std::size_t i = text.find('<'); i != std::string_view::npos; i = text.find('<', i + 1)) {
    std::size_t end = text.find('>', i);
    found.emplace_back(text.substr(i, end == std::string_view::npos ? end : end - i + 1));
    if (end == std::string_view::npos) break;
  }
  return found;
}

// Lower case of Windows-1252 text, accented capitals included (Æ -> æ, Ó -> ó).
std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    unsigned char b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
      b = static_cast<unsigned char>(b + 0x20);
    else if (b == 0x8A || b == 0x8C || b == 0x8E)
      b = static_cast<unsigned char>(b + 0x10);
    else if (b == 0x9F)
      b = 0xFF;
    c = static_cast<char>(b);
  }
  return out;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  return Lower(text).find(Lower(part)) != std::string::npos;
}

// Roles whose English text is a real word or format. 12364 is a lone blank in English (only
// German needs a word there) and 12430 is empty outside French; neither has to be translated.
std::vector<int> EnglishRoles() {
  std::vector<int> roles;
  for (int n = kFirstLabel; n <= kLastLabel; ++n) {
    const std::string& text = StringTable::Instance().Text(n);
    if (text.empty() || text == " " || n == 12430) continue;
    roles.push_back(n);
  }
  return roles;
}

TEST(LabelTranslationsTest, EveryEnglishRoleIsTranslatedWithItsPlaceholdersAndMarkup) {
  std::vector<int> roles = EnglishRoles();
  ASSERT_GE(roles.size(), 100u) << "the English label block (12352-12643) is missing";
  for (const Block& block : kBlocks) {
    for (int n : roles) {
      SCOPED_TRACE("label " + std::to_string(n + 1000 * block.language) + " (" + block.file + ")");
      const std::string& english = Label(n, 0);
      const std::string& text = Label(n, block.language);
      EXPECT_FALSE(text.empty());
      EXPECT_EQ(Placeholders(text), Placeholders(english));
      EXPECT_EQ(HtmlTags(text), HtmlTags(english));
    }
  }
}

TEST(LabelTranslationsTest, EveryBlockDefinesTheSameRoles) {
  const StringTable& table = StringTable::Instance();
  for (int n = kFirstLabel; n <= kLastLabel; ++n) {
    if (n == 12430) continue;  // the French-only row, checked elsewhere
    bool in_french = table.Has(n + 1000);
    for (const Block& block : kBlocks)
      EXPECT_EQ(table.Has(n + 1000 * block.language), in_french)
          << "role " << n << " in " << block.file;
  }
  // 12450 ... 12578: one per GEDCOM tag code 1 ... 129, in every block.
  for (const Block& block : kBlocks)
    for (int code = 1; code <= 129; ++code)
      EXPECT_FALSE(Label(kTagLabelBase + code, block.language).empty())
          << "tag code " << code << " in " << block.file;
}

TEST(LabelTranslationsTest, FixedTextsOfTheOtherBlocksAreExact) {
  // French, German, Dutch, Spanish, Danish, Norwegian, Italian, Portuguese; Windows-1252 bytes.
  struct Row {
    int n;
    std::array<const char*, 8> texts;
  };
  const Row rows[] = {
      {12352,
       {"Ces pages web contiennent", "Diese Web-Seiten enthalten", "Op deze pagina's staan",
        "Las siguientes p\xe1ginas web contienen", "Disse hjemmesider indholder",
        "Websidene inneholder", "Queste pagine web contengono", "Estas p\xe1ginas cont\xeam"}},
      {12374,
       {"Famille", "Familie", "Familie", "Familia", "Familie", "Familie", "Famiglia",
        "Fam\xedlia"}},
      {12375,
       {"Mariage", "Eheschlie\xdfung", "Huwelijk", "Matrimonio", "\xc6gteskab",
        "Ekteskap/Samboerskap", "Matrimonio", "Casamento"}},
      {12376,
       {"Conjoint", "Ehepartner", "Partner", "C\xf3nyuge", "\xc6gtef\xe6lle", "Ektefelle/Samboer",
        "Consorte", "C\xf4njuge"}},
      {12377, {"Enfants", "Kinder", "Kinderen", "Hijos", "B\xf8rn", "Barn", "Figli", "Filhos"}},
      {12397,
       {"\xc9tendu", "Ausgedehnt", "Ausgedehnt", "Extendido", "Udvidet", "Utvidet", "Esteso",
        "Extenso"}},
      {12414,
       {"Retour vers la page principale",
        "zur\xfc"
        "ck zur Hauptseite",
        "Terug naar de hoofdpagina", "Volver a la P\xe1gina Principal", "Retur til hovedside",
        "Tilbake til hovedside", "Indietro alla Pagina principale",
        "Voltar para a P\xe1gina Principal"}},
      {12424,
       {"--Non Montr\xe9--", "--privat--", "--Niet vermeld--", "--No se muestra--", "--ikke vist--",
        "--Ikke vist--", "--Non Mostrato--", "--Oculto--"}},
      {12425, {"n.", "geb.:", "g.", "n.", "f.", "f.", "n.", "n."}},
      {12426, {"d.", "gest.:", "o.", "m.", "d.", "d.", "m.", "m."}},
      {12610,
       {"Mari\xe9 \xe0", "Heirat mit", "Married to", "Casada/o con ", "Gift med",
        "Gift med/Samboende med", "Coniugato con", "Casada(o) com"}},
  };
  for (const Row& row : rows)
    for (const Block& block : kBlocks)
      EXPECT_EQ(Label(row.n, block.language), row.texts[block.language - 1])
          << "label " << row.n + 1000 * block.language;

  // German pages: the family heading and the withheld date.
  LabelSet german(2);
  EXPECT_EQ(german.Get(12374), "Familie");
  EXPECT_EQ(german.Get(12424), "--privat--");
  EXPECT_EQ(german.Get(12364), "beginnen");
  EXPECT_EQ(german.Get(12405), "-Icon (Webseiten-Link)");
  EXPECT_EQ(Label(12405, 1), "Ic\xf4ne KINLOOM (Lien vers page web)");
  EXPECT_EQ(Label(12405, 7), "Icona KINLOOM (Collegamento alla pagina web)");
  EXPECT_EQ(Label(12405, 8),
            "\xcd"
            "cone KINLOOM (atalho para a p\xe1gina da Web)");

  // 12430 is "l'adresse" on French pages and empty everywhere else.
  EXPECT_EQ(StringTable::Instance().Text(13430), "l'adresse");
  for (int language : {0, 2, 3, 4, 5, 6, 7, 8})
    EXPECT_EQ(Label(12430, language), "") << "language " << language;
}

TEST(LabelTranslationsTest, LanguageLinksNameEachSiteAndTheOwnSiteIsUnknown) {
  // Link label of each language's site, by language index, and its name in the other blocks.
  const std::array<int, 9> link = {12442, 12443, 12444, 12613, 12616, 12620, 12627, 12628, 12635};
  const std::array<const char*, 9> name = {"English Pages",
                                           "Pages Fran\xe7"
                                           "ais",
                                           "Deutschsprachige Seiten",
                                           "Nederlandstalige Pagina's",
                                           "Espa\xf1olas Paginaciones",
                                           "Dansk Sider",
                                           "Norske Sider",
                                           "Pagine in Italiano",
                                           "P\xe1ginas em Portugu\xeas(BR)"};
  for (const Block& block : kBlocks) {
    for (int site = 0; site < 9; ++site) {
      std::string expected = name[site];
      if (site == block.language) expected = "Unknown value";
      if (site == 4 && block.language == 4) expected = "Unknown Value";
      if (site == 3 && block.language == 3) expected = name[3];
      if (site == 0 && block.language == 2) expected = "English Pages ";
      if (site == 0 && block.language == 6) expected = "Pages in English";
      EXPECT_EQ(Label(link[site], block.language), expected)
          << "label " << link[site] + 1000 * block.language;
    }
  }
}

TEST(LabelTranslationsTest, EachBlockNamesItsKeyTermsTheSameWayThroughout) {
  auto tag = [](int code, int language) { return Label(kTagLabelBase + code, language); };
  for (const Block& block : kBlocks) {
    SCOPED_TRACE(block.file);
    const int l = block.language;
    const std::string& family = Label(12374, l);
    const std::string& marriage = Label(12375, l);
    const std::string& spouse = Label(12376, l);
    const std::string& children = Label(12377, l);
    // Page headings and the GEDCOM tags they show: FAM 55, MARR 75, NAME 78, ADDR 2.
    EXPECT_EQ(tag(55, l), family);
    EXPECT_EQ(tag(75, l), marriage);
    EXPECT_EQ(tag(78, l), Label(12366, l));
    EXPECT_EQ(tag(2, l), Label(12367, l));
    // ADR1, ADR2 are the address followed by the line number.
    EXPECT_EQ(tag(3, l), tag(2, l) + "1");
    EXPECT_EQ(tag(4, l), tag(2, l) + "2");
    // FAMC 56, FAMF 57, FAMS 58 name the family; FAMS the spouse; NCHI 81 the children.
    for (int code : {56, 57, 58}) EXPECT_TRUE(ContainsIgnoringCase(tag(code, l), family)) << code;
    EXPECT_TRUE(ContainsIgnoringCase(tag(58, l), spouse));
    EXPECT_TRUE(ContainsIgnoringCase(tag(81, l), children));
    EXPECT_TRUE(ContainsIgnoringCase(Label(12427, l), marriage));  // "Marriage of "
    // The LDS forms of baptism (BAPL 15) and confirmation (CONL 35) keep the plain term.
    EXPECT_TRUE(ContainsIgnoringCase(tag(15, l), tag(16, l)));
    EXPECT_TRUE(ContainsIgnoringCase(tag(35, l), tag(34, l)));
    // "version" of the page foot and of the author page's sentence, and the VERS tag.
    EXPECT_EQ(Lower(tag(127, l)), Lower(Label(12422, l)));
    EXPECT_TRUE(ContainsIgnoringCase(Label(12388, l), Label(12422, l)));
    // The birth abbreviation abbreviates the block's word for birth (BIRT 19).
    ASSERT_FALSE(Label(12425, l).empty());
    EXPECT_EQ(Lower(Label(12425, l)).front(), Lower(tag(19, l)).front());
    // The privacy notice names the dates of birth and of marriage with the same words.
    EXPECT_TRUE(ContainsIgnoringCase(Label(12404, l), tag(19, l)));
    EXPECT_TRUE(ContainsIgnoringCase(Label(12404, l), marriage));
    // Index titles and the tags of the same things: FAM, DESC 44, PEDI 92, ANCE 10.
    EXPECT_TRUE(ContainsIgnoringCase(Label(12418, l), family));
    EXPECT_TRUE(ContainsIgnoringCase(Label(12419, l), tag(44, l)));
    EXPECT_TRUE(ContainsIgnoringCase(Label(12420, l), tag(92, l)));
    EXPECT_TRUE(ContainsIgnoringCase(Label(12362, l), tag(10, l)));
    // CHIL 29 is the "child" of the descendancy counts; SEX 110 the family pages' "Gender".
    EXPECT_EQ(Lower(tag(29, l)), Lower(Label(12378, l)));
    EXPECT_EQ(tag(110, l), Label(12413, l));
    // The e-mail address is an address; the GEDCOM file's size is a FILE's (60).
    EXPECT_TRUE(ContainsIgnoringCase(Label(12368, l), Label(12367, l)));
    EXPECT_TRUE(ContainsIgnoringCase(Label(12359, l), tag(60, l)));
  }
}

// The nine labels that name the language sites, whose texts are the system's own.
bool IsLanguageLinkLabel(int n) {
  for (int link : {12442, 12443, 12444, 12613, 12616, 12620, 12627, 12628, 12635})
    if (n == link) return true;
  return false;
}

TEST(LabelTranslationsTest, SentencesAreTranslatedAndKeepTheBlanksTheyAreJoinedBy) {
  // Rows the system itself keeps in English in one block.
  auto kept_in_english = [](int n, int language) {
    return (n == 12610 && language == 3) ||  // Dutch "Married to"
           n == 12466;                       // "Bar Mitzvah", the same name everywhere
  };
  for (const Block& block : kBlocks) {
    for (int n : EnglishRoles()) {
      if (IsLanguageLinkLabel(n)) continue;
      SCOPED_TRACE("label " + std::to_string(n + 1000 * block.language) + " (" + block.file + ")");
      const std::string& english = Label(n, 0);
      const std::string& text = Label(n, block.language);
      // A single word may be spelt alike in two languages ("Religion", "Alias"); a text of
      // several words that equals the English one was left untranslated.
      if (english.find(' ') != std::string::npos && !kept_in_english(n, block.language)) {
        EXPECT_NE(text, english);
      }
      // The pages join labels to the next text without a blank of their own: "File size "
      // and "Marriage of " keep their trailing blank, and no translation adds one at either
      // end (the Spanish "Casada/o con " is the system's own text).
      if (n == 12610 && block.language == 4) continue;
      ASSERT_FALSE(text.empty());
      EXPECT_EQ(text.back() == ' ', english.back() == ' ') << "[" << text << "]";
      EXPECT_EQ(text.front() == ' ', english.front() == ' ') << "[" << text << "]";
    }
  }
}

TEST(LabelTranslationsTest, EachDataFileStaysInsideItsBlockAndInTheCodePage) {
  for (const Block& block : kBlocks) {
    SCOPED_TRACE(block.file);
    auto data = platform::FindResource(block.file);
    ASSERT_TRUE(data.has_value()) << "not embedded";
    StringTable own;
    std::string error;
    ASSERT_TRUE(own.Parse(*data, &error)) << error;
    EXPECT_GT(own.size(), 129u);  // at least the tag labels
    const int first = kFirstLabel + 1000 * block.language;
    const int last = kLastLabel + 1000 * block.language;
    std::string_view rest = *data;
    while (!rest.empty()) {
      std::size_t end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
      if (line.empty() || line.front() == '#') continue;
      int number = std::stoi(std::string(line.substr(0, line.find(' '))));
      EXPECT_GE(number, first) << line;
      EXPECT_LE(number, last) << line;
      // A character Windows-1252 cannot hold would reach the pages as a stand-in byte.
      EXPECT_EQ(platform::Utf8ToCp1252(line, '\x7f').find('\x7f'), std::string::npos) << line;
    }
  }
}

}  // namespace
}  // namespace kinloom::lang
