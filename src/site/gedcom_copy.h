// The copy of the GEDCOM file that the main page links to. It is written through a temporary
// file, so that the input can never be truncated by its own copy. With "Suppress Living" on,
// the copy withholds what the pages withhold: the DATE lines (with the lines below them) of
// the birth and christening events of individuals treated as living, and of the marriage
// events of families in which one of them is a spouse. Every other byte stays as it was:
// line ends, encoding, byte-order mark.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

#include "gedcom/encoding.h"
#include "run/run_context.h"

namespace kinloom::store {
class GenealogyStore;
}

namespace kinloom::site {

// The ids (as the store keeps them) of the records whose event dates the copy leaves out.
struct WithheldRecords {
  std::unordered_set<std::string> individuals;
  std::unordered_set<std::string> families;
  bool empty() const { return individuals.empty() && families.empty(); }
};

// Individuals treated as living (deceased flag clear after the living calculation) and the
// families in which one of them is a spouse, named either by the family's HUSB or WIFE or by
// the individual's FAMS. Empty when "Suppress Living" is off.
WithheldRecords WithheldForPrivacy(const store::GenealogyStore& store, bool suppress_living);

// Filters a GEDCOM byte stream line by line. Bytes are fed in chunks of any size; the output
// is the input without the withheld DATE lines and their subordinate lines.
class PrivacyFilter {
 public:
  PrivacyFilter(gedcom::SourceEncoding encoding, const WithheldRecords& withheld);

  // Appends to *out what can be decided of the bytes so far; with `last` everything.
  void Feed(std::string_view bytes, bool last, std::string* out);

  // How many lines were left out.
  long long lines_withheld() const { return lines_withheld_; }

 private:
  std::size_t Unit(std::size_t i) const;
  void Line(std::string_view line, std::string_view line_end, std::string* out);

  gedcom::SourceEncoding encoding_;
  const WithheldRecords& withheld_;
  std::size_t width_;    // bytes per code unit: 2 for UTF-16, otherwise 1
  std::string pending_;  // bytes of an incomplete line
  // The state of the record being read.
  enum class Record { kOther, kWithheldIndividual, kWithheldFamily } record_ = Record::kOther;
  bool dated_event_ = false;  // the current level-1 structure is an event whose date is withheld
  int skip_below_ = -1;       // while >= 0, lines deeper than this level are left out
  long long lines_withheld_ = 0;
};

// Writes the copy of the run's GEDCOM file to `destination` (never over the input itself:
// the caller checks that first). Returns 0 or the system's error code; on an error the
// destination keeps what it held before.
int CopyGedcomFile(run::RunContext& context, const std::string& destination);

}  // namespace kinloom::site
