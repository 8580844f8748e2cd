// Splits every individual's GEDCOM name into surname, given names and further parts, builds
// the upper-case sort key from it, and orders the listed individuals by that key. Also the
// initial-letter classification that the index pages share.
#pragma once

#include <string_view>

#include "platform/text_encoding.h"
#include "store/genealogy_store.h"

namespace kinloom::store {

// The 30 index slots of an initial letter.
inline constexpr int kIndexSlotCount = 30;
inline constexpr int kOtherSlot = 26;   // anything that is not a recognised letter
inline constexpr int kSlotAE = 27;      // Æ (0xC6)
inline constexpr int kSlotOSlash = 28;  // Ø (0xD8)
inline constexpr int kSlotARing = 29;   // Å (0xC5)

// A to Z or a to z.
bool IsLetter(unsigned char byte);
// Æ, Ø or Å in Windows-1252 (upper case only).
bool IsNordicLetter(unsigned char byte);
// The index slot of a key's first byte: a letter (either case) 0 … 25, Æ/Ø/Å 27 … 29,
// anything else 26.
int IndexSlotOf(unsigned char byte);

// The same for text in either encoding. The recognised letters are the ASCII letters and
// the upper-case Æ, Ø and Å: one byte each in Windows-1252, two in UTF-8.
// RecognisedLetterLength gives the byte length of the letter that begins `text`, 0 when
// it begins with no recognised letter; IndexSlotOfText gives its slot.
std::size_t RecognisedLetterLength(std::string_view text, platform::TextEncoding encoding);
int IndexSlotOfText(std::string_view text, platform::TextEncoding encoding);
// The three letters in an encoding, in slot order Æ, Ø, Å.
std::string_view NordicLetter(int slot, platform::TextEncoding encoding);

// For every defined individual in table order: fills surname and given names (escaped), the
// sort key, extends also-known-as with the name parts after the surname, and marks the key's
// initial in store.letter_presence (read in store.text_encoding). An individual without a
// name loses its defined flag and is left out of everything later (its initial is not marked).
void BuildSortKeys(GenealogyStore& store);

// Puts the table positions of all defined individuals into store.sorted_index in key order
// (bytes compared unsigned); equal keys keep their table order. Sets store.sorted_count.
void SortIndividuals(GenealogyStore& store);

}  // namespace kinloom::store
