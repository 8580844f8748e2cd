#include "lang/tag_labels.h"

#include "lang/string_table.h"
#include "lang/ui_text.h"

namespace kinloom::lang {

namespace {

struct TagRow {
  const char* tag;
  bool labelled;
  bool lds;
};

// Index = tag code; row 0 stands for the unknown token.
constexpr TagRow kTags[kLastTagCode + 1] = {
    {nullptr, false, false}, {"ABBR", false, false}, {"ADDR", true, false},  {"ADR1", true, false},
    {"ADR2", true, false},   {"ADOP", false, false}, {"AFN", false, false},  {"AGE", false, false},
    {"AGNC", false, false},  {"ALIA", false, false}, {"ANCE", true, false},  {"ANCI", true, false},
    {"ANUL", true, false},   {"ASSO", true, false},  {"AUTH", true, false},  {"BAPL", true, true},
    {"BAPM", true, false},   {"BARM", true, false},  {"BASM", true, false},  {"BIRT", false, false},
    {"BLES", true, false},   {"BLOB", false, false}, {"BURI", true, false},  {"CALN", true, false},
    {"CAST", true, false},   {"CAUS", true, false},  {"CENS", true, false},  {"CHAN", true, false},
    {"CHAR", false, false},  {"CHIL", false, false}, {"CHR", true, false},   {"CHRA", true, false},
    {"CITY", true, false},   {"CONC", false, false}, {"CONF", true, false},  {"CONL", true, true},
    {"CONT", false, false},  {"COPR", false, false}, {"CORP", false, false}, {"CREM", true, false},
    {"CTRY", true, false},   {"DATA", false, false}, {"DATE", false, false}, {"DEAT", true, false},
    {"DESC", true, false},   {"DESI", true, false},  {"DEST", false, false}, {"DIV", true, false},
    {"DIVF", true, false},   {"DSCR", true, false},  {"EDUC", true, false},  {"EMIG", true, false},
    {"ENDL", true, true},    {"ENGA", true, false},  {"EVEN", true, false},  {"FAM", false, false},
    {"FAMC", false, false},  {"FAMF", true, false},  {"FAMS", false, false}, {"FCOM", true, false},
    {"FILE", false, false},  {"FORM", false, false}, {"GEDC", false, false}, {"GIVN", true, false},
    {"GRAD", true, false},   {"HEAD", false, false}, {"HUSB", false, false}, {"IDNO", false, false},
    {"IMMI", true, false},   {"INDI", false, false}, {"LANG", false, false}, {"LEGA", true, false},
    {"MARB", true, false},   {"MARC", true, false},  {"MARL", true, false},  {"MARR", false, false},
    {"MARS", true, false},   {"MEDI", false, false}, {"NAME", false, false}, {"NATI", true, false},
    {"NATU", true, false},   {"NCHI", false, false}, {"NICK", true, false},  {"NMR", false, false},
    {"NOTE", true, false},   {"NPFX", false, false}, {"NSFX", false, false}, {"OBJE", false, false},
    {"OCCU", true, false},   {"ORDI", true, false},  {"ORDN", true, false},  {"PAGE", true, false},
    {"PEDI", true, false},   {"PHON", false, false}, {"PLAC", false, false}, {"POST", false, false},
    {"PROB", true, false},   {"PROP", true, false},  {"PUBL", false, false}, {"QUAY", true, false},
    {"REFN", true, false},   {"RELA", true, false},  {"RELI", true, false},  {"REPO", true, false},
    {"RESI", true, false},   {"RESN", true, false},  {"RETI", true, false},  {"RFN", true, false},
    {"RIN", true, false},    {"ROLE", true, false},  {"SEX", false, false},  {"SLGC", true, true},
    {"SLGS", true, true},    {"SOUR", true, false},  {"SPFX", false, false}, {"SSN", false, false},
    {"STAE", false, false},  {"STAT", true, false},  {"SUBM", true, false},  {"SUBN", true, false},
    {"SURN", false, false},  {"TEMP", true, true},   {"TEXT", true, false},  {"TIME", false, false},
    {"TITL", false, false},  {"TRLR", false, false}, {"TYPE", false, false}, {"VERS", false, false},
    {"WIFE", false, false},  {"WILL", true, false},
};

bool IsTagCode(int code) { return code >= 1 && code <= kLastTagCode; }

}  // namespace

const char* TagName(int code) { return IsTagCode(code) ? kTags[code].tag : nullptr; }

std::optional<std::string> TagLabel(int code, const LabelSet& labels) {
  if (!IsTagCode(code)) return std::nullopt;
  return labels.Get(kFirstTagLabel + code);
}

std::optional<std::string> TagLabelUi(int code, UiLanguage language) {
  if (!IsTagCode(code)) return std::nullopt;
  return LoadUiText(kFirstTagLabel + code, language);
}

bool IsLabelledTag(int code) { return IsTagCode(code) && kTags[code].labelled; }

bool IsLdsTag(int code) { return IsTagCode(code) && kTags[code].lds; }

std::set<std::string> NotesTagEntries(const std::string& notes_to_include) {
  std::set<std::string> entries;
  std::size_t from = 0;
  while (from < notes_to_include.size()) {
    std::size_t end = notes_to_include.find(';', from);
    if (end == std::string::npos) end = notes_to_include.size();
    const std::size_t first = notes_to_include.find_first_not_of(' ', from);
    const std::size_t last = notes_to_include.find_last_not_of(' ', end - 1);
    if (first < end && last != std::string::npos && last >= first)
      entries.insert(notes_to_include.substr(first, last - first + 1));
    from = end + 1;
  }
  return entries;
}

NotesTagSelection LoadNotesTagList(const std::string& notes_to_include,
                                   UiLanguage language) {
  NotesTagSelection selection{};
  const std::set<std::string> entries = NotesTagEntries(notes_to_include);
  for (int code = 0; code <= kLastTagCode; ++code) {
    if (!IsLabelledTag(code)) continue;
    std::optional<std::string> label = TagLabelUi(code, language);
    // A label the table lacks selects nothing.
    if (label && !label->empty() && entries.count(*label) != 0) selection[code] = true;
  }
  return selection;
}

NotesTagSelection LoadNotesTagList(const std::optional<std::string>& notes_to_include,
                                   UiLanguage language,
                                   platform::UserInterface& ui) {
  if (!notes_to_include) {
    ui.ShowMessage("Error reading list of TAGS from registry.", "", platform::MessageIcon::kWarning,
                   platform::MessageButtons::kOk);
    return NotesTagSelection{};
  }
  return LoadNotesTagList(*notes_to_include, language);
}

bool IsIncludedTag(const NotesTagSelection& selection, int code) {
  return code >= 0 && code <= kLastTagCode && selection[code];
}

std::string DefaultNotesToInclude() {
  const StringTable& table = StringTable::Instance();
  std::string text;
  for (int code : kDefaultNotesTags) {
    text += table.Text(kFirstTagLabel + code);
    text += ';';
  }
  return text;
}

}  // namespace kinloom::lang
