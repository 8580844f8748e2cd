// The notes layout: which records get a notes entry and in which order they are numbered,
// and the initials of the individuals listed on the notes index pages, all decided from the
// store before any page is written.
#include "site/notes_layout.h"

#include <gtest/gtest.h>

#include "site/person_links.h"
#include "site/site_fixture.h"

namespace kinloom::site {
namespace {

using testing::SiteFixture;

constexpr int kNote = 84, kOccu = 88, kIndi = 69, kFam = 55;

TEST(NotesLayoutTest, IndividualsThenFamiliesAreNumberedWhenTheirItemsWriteSomething) {
  SiteFixture f;
  f.run.AddPerson("I0", "Ann/Ashby/");
  f.run.AddPerson("I1", "Bob/Brown/");
  f.run.AddPerson("I2", "Cid/Cole/");
  f.run.AddPerson("I3", "Dot/Dale/");
  f.run.AddPerson("I4", "Eve/Ely/");
  f.run.AddPerson("I5", "Fay/Fox/");
  f.run.AddFamily("F0", "I0", "I1");
  f.run.AddFamily("F1", "I2", "I3");
  f.run.AddFamily("F2", "I4", "");
  f.run.store.notes.push_back({"", "", "@N1@", "A record"});
  f.run.store.notes.push_back({"", "", "N2", "An id without at signs"});
  f.run.Person("I0").notes = {{"@N404@", kNote, kIndi}, {"@N1@ and more", kNote, kIndi}};
  f.run.Person("I1").notes = {{"@N404@", kNote, kIndi}};  // names no record: no entry
  f.run.Person("I2").notes = {{"@N2@", kNote, kIndi}};    // only "N2" exists: no entry
  f.run.Person("I3").notes = {{"N2", kNote, kIndi}};      // plain text
  f.run.Person("I4").notes = {{"", kOccu, kIndi}};        // an empty text is plain text too
  f.run.Person("I5").notes = {{"text", kOccu, kIndi}};
  f.run.Person("I5").defined = false;  // no name: on no page
  f.run.Family("F0").notes = {{"Wed", kNote, kFam}};
  f.run.Family("F1").notes = {{"@N404@", kNote, kFam}};
  f.run.Family("F2").notes = {{"@N1@", kNote, kFam}};
  f.run.Family("F2").defined = false;  // families are numbered whether defined or not
  f.Start();

  NotesLayout layout = LayOutNotes(f.run.store);
  EXPECT_EQ(layout.individual_entries, (std::vector<std::int32_t>{0, -1, -1, 1, 2, -1}));
  EXPECT_EQ(layout.family_entries, (std::vector<std::int32_t>{3, -1, 4}));
  EXPECT_EQ(layout.entry_count, 5);
  EXPECT_EQ(layout.IndividualEntry(3), 1);
  EXPECT_EQ(layout.FamilyEntry(2), 4);
  EXPECT_EQ(layout.IndividualEntry(6), -1);  // beyond the table
  EXPECT_EQ(layout.FamilyEntry(99), -1);

  // The same store gives the same numbers: every language shares them.
  EXPECT_EQ(LayOutNotes(f.run.store).individual_entries, layout.individual_entries);
}

TEST(NotesLayoutTest, PresenceHoldsTheInitialsOfIndividualsWithEntries) {
  SiteFixture f;
  f.run.AddPerson("I1", "Ann/Ashby/");
  f.run.AddPerson("I2", "Mary/Brown/");
  f.run.AddPerson("I3", "John/smith/");
  f.run.AddPerson("I4", "Nobody");
  f.run.AddPerson("I5", "Jan/\xD8rsted/");
  f.run.AddFamily("F1", "I1", "I2");
  for (const char* id : {"I2", "I3", "I4", "I5"}) f.run.Person(id).notes = {{"x", kOccu, kIndi}};
  f.run.Person("I1").notes = {{"@N404@", kNote, kIndi}};
  f.run.Family("F1").notes = {{"Wed", kNote, kFam}};  // a family adds no initial
  f.Start();

  NotesLayout layout = LayOutNotes(f.run.store);
  std::array<bool, 30> expected{};
  expected[1] = expected[18] = expected[store::kOtherSlot] = expected[store::kSlotOSlash] = true;
  EXPECT_EQ(layout.presence, expected);
  EXPECT_TRUE(layout.any_listed);

  // Only a family with notes: entries, but nobody to list.
  for (const char* id : {"I2", "I3", "I4", "I5"}) f.run.Person(id).notes.clear();
  layout = LayOutNotes(f.run.store);
  EXPECT_EQ(layout.entry_count, 1);
  EXPECT_FALSE(layout.any_listed);
  EXPECT_EQ(layout.presence, (std::array<bool, 30>{}));
}

TEST(NotesLayoutTest, RecordKeyEndsAtTheSecondAtSign) {
  EXPECT_EQ(NoteRecordKey("@N5@ see also"), "@N5@");
  EXPECT_EQ(NoteRecordKey("@N5@"), "@N5@");
  EXPECT_EQ(NoteRecordKey("@N5 no end"), "@N5 no end");
  EXPECT_EQ(NoteRecordKey("@"), "@");
  EXPECT_EQ(NoteRecordKey(""), "");
}

// The numbers that icons and links read come from the layout, so a family group page
// written before the notes pages already links to the right entry.
TEST(NotesLayoutTest, IconsReadTheLayoutBeforeAnyNotesPageIsWritten) {
  SiteFixture f;
  f.run.settings.create_notes_pages[0] = 1;
  f.run.settings.groups_notes = 2;
  for (const char* id : {"I0", "I1", "I2"}) {
    f.run.AddPerson(id, std::string(id) + "/Smith/");
    f.run.Person(id).notes = {{"text", kOccu, kIndi}};
  }
  f.run.AddFamily("F0", "I0", "I1");
  f.run.Family("F0").notes = {{"Wed", kNote, kFam}};
  SiteContext& site = f.Start();
  EXPECT_EQ(f.Body([&] { WriteNotesIcon(site, 2, true); }),
            " <a href=\"n_1.htm#0\"><IMG SRC=\"q4.gif\" border=\"0\"></a>");
  EXPECT_EQ(f.Body([&] { WriteNotesIcon(site, 0, false); }),
            " <a href=\"n_1.htm#1\"><IMG SRC=\"q4.gif\" border=\"0\"></a>");
}

}  // namespace
}  // namespace kinloom::site
