#include "settings/settings.h"

#include "lang/tag_labels.h"

namespace kinloom::settings {
namespace {

// The defaults of the per-language texts, as UTF-8 source text; converted at start.
struct LanguageDefaults {
  const char* index_title;
  const char* page_text_a;
  const char* family_b;
  const char* descendancy_b;
  const char* pedigree_b;
  const char* notes_b;
  const char* custom_links_title;
};

constexpr LanguageDefaults kLanguageDefaults[kLanguageCount] = {
    {"Index Page", "Genealogy Data Page", "(Family Pages)", "(Descendancy Pages)",
     "(Pedigree Pages)", "(Notes Pages)", "Special Notes: "},
    {"Page Index", "Page de donn\u00e9es g\u00e9n\u00e9alogiques", "(Pages des familles)",
     "(Pages Descendance)", "(Pages Ascendance)", "(Pages Notes)", "Notes sp\u00e9ciales : "},
    {"Indexseite", "Genealogie-Daten Seite", "(Seiten Familien)", "(Seiten Nachkommen)",
     "(Seiten Stammbaum)", "(Seiten Anmerkungen)", "Spezielle Anmerkungen: "},
    {"Index Pagina", "Genealogie Pagina", "(Gezinnen)", "(Afstammelingen)", "(Stamboom)",
     "(Aantekeningen)", "Bijzonderheden: "},
    {"Paginaci\u00f3n Del \u00cdndice", "Datos Geneal\u00f3gicos P\u00e1gina",
     "(P\u00e1ginas de Familias)", "(P\u00e1ginas de Descendientes)",
     "(P\u00e1ginas de Ascendientes)", "(P\u00e1ginas de Notas)", "Notas especiales: "},
    {"Index side", "Sl\u00e6gtsdata side", "(Familie)", "(Efterkommere)", "(Aner)", "(Notater)",
     "S\u00e6rlige notater"},
    {"Indeksside", "Slekt Dataside", "Familie", "Etterkommere", "Slektstavle", "Notater",
     "Spesielle notater"},
    {"Indice della pagina", "Pagina dei dati della Genealogia", "Pagine Famiglia",
     "Pagine discendenti", "Pagine  dell'Albero genealogicoi", "Pagine delle Note",
     "Note Specifiche"},
    {"\u00cdndice P\u00e1gina", "P\u00e1gina de Dados de Genealogia", "Fam\u00edlias",
     "Descend\u00eancias", "Castas", "Notas", "Notas especiais"},
};

}  // namespace

std::string DefaultLanguageText(int language, DefaultText which) {
  const LanguageDefaults& d = kLanguageDefaults[language];
  const char* utf8 = "";
  switch (which) {
    case DefaultText::kIndexTitle: utf8 = d.index_title; break;
    case DefaultText::kPageTextA: utf8 = d.page_text_a; break;
    case DefaultText::kFamilyB: utf8 = d.family_b; break;
    case DefaultText::kDescendancyB: utf8 = d.descendancy_b; break;
    case DefaultText::kPedigreeB: utf8 = d.pedigree_b; break;
    case DefaultText::kNotesB: utf8 = d.notes_b; break;
    case DefaultText::kCustomLinksTitle: utf8 = d.custom_links_title; break;
  }
  return platform::Utf8ToCp1252(utf8);
}

Settings::Settings() {
  for (int k = 0; k < kLanguageCount; ++k) {
    index_title[k] = DefaultLanguageText(k, DefaultText::kIndexTitle);
    family_page_text_a[k] = descendancy_page_text_a[k] = pedigree_page_text_a[k] =
        notes_page_text_a[k] = DefaultLanguageText(k, DefaultText::kPageTextA);
    family_page_text_b[k] = DefaultLanguageText(k, DefaultText::kFamilyB);
    descendancy_page_text_b[k] = DefaultLanguageText(k, DefaultText::kDescendancyB);
    pedigree_page_text_b[k] = DefaultLanguageText(k, DefaultText::kPedigreeB);
    notes_page_text_b[k] = DefaultLanguageText(k, DefaultText::kNotesB);
    custom_links_title[k] = DefaultLanguageText(k, DefaultText::kCustomLinksTitle);
  }
  notes_to_include = lang::DefaultNotesToInclude();
}

}  // namespace kinloom::settings
