// A first start on an empty store, checked value by value in the store itself against the
// documented defaults (typed out here, not taken from the program's own tables).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/recording_ui.h"
#include "settings/load_save.h"
#include "settings/registry_store.h"

namespace kinloom::settings {
namespace {

struct Stored {
  platform::MemoryRegistry registry;
  platform::RecordingUi ui;
  RegistryStore store{registry, ui};
  Settings loaded;
  Stored() { LoadSettings(store, loaded, {false, "", "", "/home/u/MyHTMLFiles"}); }
};

TEST(FirstStartTest, EveryDefaultIsStoredWithItsKind) {
  Stored s;
  RegistryStore& st = s.store;
  EXPECT_TRUE(s.ui.messages.empty());
  EXPECT_EQ(st.ReadIntText("Initialized"), 1);
  EXPECT_EQ(st.ReadText("Version Number"), "2.520000");
  EXPECT_EQ(st.ReadText("Output File"), "/home/u/MyHTMLFiles");

  const std::vector<std::pair<const char*, int>> int_texts = {
      {"Lables In French", 0}, {"HTM", 1}, {"Create English Pages", 1},
      {"Create French Pages", 0}, {"Create German Pages", 0}, {"Create Dutch Pages", 0},
      {"Create Spanish Pages", 0}, {"Create Norwegian Pages", 0}, {"Create Italian Pages", 0},
      {"Create Portuguese Pages", 0}, {"Create Notes Pages", 1}, {"Create Notes Pages French", 0},
      {"Create Notes Pages German", 0}, {"Create Notes Pages Dutch", 0},
      {"Create Notes Pages Spanish", 0}, {"Create Notes Pages Norwegian", 0},
      {"Create Notes Pages Italian", 0}, {"Create Notes Pages Portuguese", 0},
      {"Create Family Groups", 1}, {"Create Descendancy Groups", 1}, {"Group Only For Topmost", 1},
      {"Create Pedigree Groups", 1}, {"Create Ascendancy Groups", 1}, {"Index Dates", 1},
      {"Gender", 1}, {"Text File", 0}, {"Create Link To GEDCOM file", 1},
      {"Include Copyright", 0}, {"Include Custom Links", 0}, {"Mark All Ancestors", 0},
      {"Show GEDCOM ID's", 0}, {"Use Baptism", 1}, {"HP _top", 0}, {"CL _top", 0},
      {"Meta Refresh Tag", 0}, {"Minimize Abosoute", 0}, {"One Index Page Link", 0},
      {"No Colors", 0}, {"Suppress Living", 1}, {"Suppress LDS Living", 1},
      {"Suppress LDS Deceased", 1}, {"Use Custom Colors", 0}, {"Use Text Color", 0},
      {"Use Text Color For Familypages", 0}, {"Use Custom Background", 0},
      {"Use Default Background", 1}};
  for (const auto& [name, value] : int_texts) {
    platform::RegValue raw;
    ASSERT_EQ(s.registry.QueryValue("kinloom", name, &raw), 0) << name;
    EXPECT_EQ(raw.type, platform::kRegBinary) << name;
    EXPECT_EQ(raw.data, std::to_string(value)) << name;
  }
  const std::vector<std::pair<const char*, std::uint32_t>> dwords = {
      {"Debugging", 0},           {"Groups", 10},
      {"Groups Descendancy", 5},  {"Groups Pedigree", 10},
      {"Groups Notes", 20},       {"Born", 1920},
      {"Married", 1930},          {"Meta Refresh Value", 12},
      {"Color Background", 0xFFFFFF}, {"Color Text", 0},
      {"Color Link", 0x0000FF},   {"Color VLink", 0xFF0000},
      {"Color Husband and Wife", 0}, {"Color Parents", 0},
      {"Color Children", 0},      {"Color Level1 ", 0xFF0000},
      {"Color Level2 ", 0xFF8040}, {"Color Level3 ", 0x800000},
      {"Color Level4 ", 0x0000FF}, {"Color Level5 ", 0xFF00FF},
      {"Color Level6 ", 0x008000}};
  for (const auto& [name, value] : dwords) {
    int status = -5;
    EXPECT_EQ(st.ReadDword(name, &status), value) << name;
    EXPECT_EQ(status, 0) << name;
  }
  for (const char* name : {"User Name", "Email Address", "Homepage", "Homepage2", "Homepage5",
                           "Address Line 1", "Address Line 4", "Custom Background",
                           "Custom Background Path", "Ancestor Id"}) {
    int status = -5;
    EXPECT_EQ(st.ReadText(name, &status), "") << name;
    EXPECT_EQ(status, 0) << name;
  }
  // Never written by the defaults.
  for (const char* name : {"Create Danish Pages", "Create Notes Pages Danish", "Input File"}) {
    int status = 0;
    st.ReadText(name, &status);
    EXPECT_EQ(status, platform::kErrorNotFound) << name;
  }
}

TEST(FirstStartTest, NumberedPerLanguageTextsOfAllNineLanguages) {
  Stored s;
  struct Row {
    const char* index_name;
    const char* index_title;
    const char* text_a;
    const char* family_b;
    const char* descendancy_b;
    const char* pedigree_b;
    const char* notes_b;
    const char* links_title;
  };
  // Windows-1252 bytes for the accented letters.
  const Row rows[9] = {
      {"index", "Index Page", "Genealogy Data Page", "(Family Pages)", "(Descendancy Pages)",
       "(Pedigree Pages)", "(Notes Pages)", "Special Notes: "},
      {"indexf", "Page Index", "Page de donn\xE9""es g\xE9n\xE9""alogiques",
       "(Pages des familles)", "(Pages Descendance)", "(Pages Ascendance)", "(Pages Notes)",
       "Notes sp\xE9""ciales : "},
      {"indexg", "Indexseite", "Genealogie-Daten Seite", "(Seiten Familien)",
       "(Seiten Nachkommen)", "(Seiten Stammbaum)", "(Seiten Anmerkungen)",
       "Spezielle Anmerkungen: "},
      {"indexd", "Index Pagina", "Genealogie Pagina", "(Gezinnen)", "(Afstammelingen)",
       "(Stamboom)", "(Aantekeningen)", "Bijzonderheden: "},
      {"indexs", "Paginaci\xF3n Del \xCDndice", "Datos Geneal\xF3gicos P\xE1gina",
       "(P\xE1ginas de Familias)", "(P\xE1ginas de Descendientes)",
       "(P\xE1ginas de Ascendientes)", "(P\xE1ginas de Notas)", "Notas especiales: "},
      {"indexa", "Index side", "Sl\xE6gtsdata side", "(Familie)", "(Efterkommere)", "(Aner)",
       "(Notater)", "S\xE6rlige notater"},
      {"indexn", "Indeksside", "Slekt Dataside", "Familie", "Etterkommere", "Slektstavle",
       "Notater", "Spesielle notater"},
      {"indexi", "Indice della pagina", "Pagina dei dati della Genealogia", "Pagine Famiglia",
       "Pagine discendenti", "Pagine  dell'Albero genealogicoi", "Pagine delle Note",
       "Note Specifiche"},
      {"indexp", "\xCDndice P\xE1gina", "P\xE1gina de Dados de Genealogia", "Fam\xEDlias",
       "Descend\xEAncias", "Castas", "Notas", "Notas especiais"},
  };
  for (int k = 0; k < 9; ++k) {
    const Row& r = rows[k];
    auto text = [&](const char* base) {
      return s.store.ReadText(std::string(base) + " " + std::to_string(k));
    };
    EXPECT_EQ(text("Index Name"), r.index_name) << k;
    EXPECT_EQ(text("Index Title"), r.index_title) << k;
    for (const char* a : {"Family Page Text A", "Descendancy Page Text A", "Pedigree Page Text A",
                          "Notes Page Text A"})
      EXPECT_EQ(text(a), r.text_a) << a << " " << k;
    EXPECT_EQ(text("Family Page Text B"), r.family_b) << k;
    EXPECT_EQ(text("Descendancy Page Text B"), r.descendancy_b) << k;
    EXPECT_EQ(text("Pedigree Page Text B"), r.pedigree_b) << k;
    EXPECT_EQ(text("Notes Page Text B"), r.notes_b) << k;
    EXPECT_EQ(text("Custom Links Title"), r.links_title) << k;
    EXPECT_EQ(s.loaded.index_name[k], r.index_name) << k;
    EXPECT_EQ(s.loaded.custom_links_title[k], r.links_title) << k;
  }
}

}  // namespace
}  // namespace kinloom::settings
