// Broken links of a GEDCOM file: references (FAMS, FAMC, HUSB, WIFE, CHIL) that lead to no
// record or to one of the wrong kind, and a second record with an id already taken. By
// default a duplicate id ends the program where it is met (EnterRecordId below), and a
// broken link when the links are resolved after loading (ResolveLinks, family_links.h);
// with "Skip Broken Links" on, the loading pass records every reference line and drops the
// broken ones here, before the links are resolved, with one warning for the run.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui.h"
#include "settings/settings.h"
#include "store/genealogy_store.h"
#include "store/structural_faults.h"

namespace kinloom::store {

// Warnings shown in full before the rest are only counted.
inline constexpr int kShownBrokenLinkWarnings = 20;

enum class LinkField : char { kSpouseFamily, kParentsFamily, kHusband, kWife, kChild };

// One reference line of the file: the field, the referring record's position in its table
// (an individual for FAMS and FAMC, a family otherwise), the line and the id it names.
struct LinkLine {
  LinkField field;
  int record;
  int line;
  std::string id;
};

// The warnings of one run, in the order they arose.
class BrokenLinkWarnings {
 public:
  void Add(std::string text);
  int size() const { return count_; }
  // Shows the first kShownBrokenLinkWarnings warnings, one a line, and a line counting the
  // rest, in one warning box without caption; nothing when there is none. The texts are
  // those of the interface language `settings` choose.
  void Show(platform::UserInterface& ui, const settings::Settings& settings) const;

 private:
  std::vector<std::string> shown_;
  int count_ = 0;
};

// Enters the id of a record that starts on `line` in `ids`. When another record holds the
// id already (`line_of` gives that record's line): with "Skip Broken Links" off, reports
// "ERROR, duplicate key value in hash table!" followed by a line naming the id and both
// lines to `faults` and ends the program (StructuralErrorEnd); with it on, adds a warning
// and returns false: the caller skips the record, and references to the id resolve to the
// first one.
bool EnterRecordId(IdHashTable& ids, const settings::Settings& settings, FaultReporter& faults,
                   std::string_view id, IdTarget target, int line,
                   const std::function<int(IdTarget)>& line_of, BrokenLinkWarnings& warnings);

// Checks every reference line, in file order, against the id table: a reference to a
// missing record, or to a record of the wrong kind, gets a warning with its line, the
// referring record's id and the id it names, and is removed from its record (a FAMS or CHIL
// entry, or the FAMC, HUSB or WIFE id when it still holds that id). Afterwards every link
// in the store leads to a record of its kind. Returns the number of broken lines.
int DropBrokenLinks(GenealogyStore& store, const std::vector<LinkLine>& lines,
                    const settings::Settings& settings, BrokenLinkWarnings& warnings);

}  // namespace kinloom::store
