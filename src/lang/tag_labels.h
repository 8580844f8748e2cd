// GEDCOM tag labels: the display text of each tag code (label 12449 + code, in the page
// language or the user-interface language), which tags carry a label on notes pages, which
// are LDS ordinances, and the notes include list built from "Notes To Include".
#pragma once

#include <array>
#include <optional>
#include <set>
#include <string>

#include "lang/label_set.h"
#include "lang/ui_text.h"
#include "platform/ui.h"

namespace kinloom::lang {

// Tag codes run from 1 to 129; 0 is an unknown token.
inline constexpr int kLastTagCode = 129;
inline constexpr int kFirstTagLabel = 12449;  // label of code c is kFirstTagLabel + c

// One flag per tag code 0 … 129: the tags whose lines go into notes entries.
using NotesTagSelection = std::array<bool, kLastTagCode + 1>;

// The notes tags of the default "Notes To Include" list, by tag code, in their stored order.
inline constexpr int kDefaultNotesTags[] = {
    10, 10, 11, 12, 13, 14, 15, 16, 17, 18, 22, 20, 23, 24, 26, 25, 27, 30, 31, 32, 34, 35, 39,
    40, 43, 44, 45, 47, 48, 49, 50, 51, 54, 52, 53, 57, 59, 63, 64, 68, 71, 72, 73, 74, 76, 79,
    80, 82, 84, 88, 89, 90, 91, 92, 96, 97, 99, 107, 108, 100, 101, 102, 103, 105, 106, 109,
    111, 112, 113, 117, 118, 119, 121, 122, 129};

// The short tag of a code ("BIRT"), or nullptr for 0 and codes above 129.
const char* TagName(int code);

// The label of a code in the page language of `labels`; nothing for 0 and codes above 129.
std::optional<std::string> TagLabel(int code, const LabelSet& labels);
// The label of a code in the user-interface language (plus 1000 with "Lables In French").
std::optional<std::string> TagLabelUi(int code, UiLanguage language);

// True for the 78 codes whose notes items carry their label.
bool IsLabelledTag(int code);
// True for BAPL, CONL, ENDL, SLGC, SLGS and TEMP.
bool IsLdsTag(int code);

// The entries of a "Notes To Include" text: the pieces between the ";" that end them, without
// blanks around them (a last entry without its ";" counts too).
std::set<std::string> NotesTagEntries(const std::string& notes_to_include);

// Builds the include list from a "Notes To Include" text: the flag of each labelled tag is
// set when its user-interface label is one of the text's entries (a whole entry: "Address"
// is not included by "Address1").
NotesTagSelection LoadNotesTagList(const std::string& notes_to_include,
                                   UiLanguage language);
// As above for a value that may be unreadable (nothing): then shows the warning
// "Error reading list of TAGS from registry." and returns an empty list.
NotesTagSelection LoadNotesTagList(const std::optional<std::string>& notes_to_include,
                                   UiLanguage language, platform::UserInterface& ui);

// True when the include list has the code.
bool IsIncludedTag(const NotesTagSelection& selection, int code);

// The default "Notes To Include": the English label of each tag of the default notes list,
// each followed by ";".
std::string DefaultNotesToInclude();

}  // namespace kinloom::lang
