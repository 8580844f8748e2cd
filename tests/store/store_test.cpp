#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/program_end.h"
#include "platform/recording_ui.h"
#include "store/expanding_array.h"
#include "store/family_links.h"
#include "store/genealogy_store.h"
#include "store/note_text_buffer.h"
#include "store/stored_text.h"

namespace kinloom::store {
namespace {

// Interning over many texts, so that probe runs are long and texts share the hash bits kept
// in the index: each text is stored once, a text stored again gives the same bytes, texts that
// differ (in their last character only, too) never share bytes; after the index is dropped,
// texts are stored anew.
TEST(TextArenaTest, EqualTextsShareTheirBytesAndDifferentTextsNever) {
  TextArena arena(true);
  std::vector<std::string> texts;
  for (int i = 0; i < 200000; ++i) texts.push_back("@I" + std::to_string(i) + "@");
  texts.push_back("Smith");
  texts.push_back("Smitj");
  std::vector<const char*> first;
  for (const std::string& text : texts) first.push_back(arena.Store(text).view().data());
  EXPECT_EQ(arena.texts(), texts.size());
  EXPECT_EQ(std::set<const char*>(first.begin(), first.end()).size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const StoredText again = arena.Store(std::string(texts[i]));
    ASSERT_EQ(again.view().data(), first[i]) << texts[i];
    ASSERT_EQ(again.view(), texts[i]);
  }
  EXPECT_EQ(arena.texts(), texts.size());
  arena.ForgetIndex();
  EXPECT_NE(arena.Store("Smith").view().data(), first[first.size() - 2]);
  EXPECT_EQ(arena.texts(), texts.size() + 1);
}

// A store of two individuals and one family, entered in the id index.
struct LinkFixture {
  GenealogyStore store;
  platform::RecordingUi ui;
  MessageBoxFaults faults{ui};
  LinkFixture() {
    store.Allocate(2, 1, 0);
    store.individuals[0].id = "I1";
    store.individuals[0].name = "Ann /Lee/";
    store.individuals[1].id = "I2";
    store.families[0].id = "F1";
    InsertId(store.ids, faults, "I1", {'I', 0});
    InsertId(store.ids, faults, "I2", {'I', 1});
    InsertId(store.ids, faults, "F1", {'F', 0});
  }
  // The text the lookup ended the program with.
  template <typename Lookup>
  std::string EndingText(Lookup lookup) {
    ui.messages.clear();
    EXPECT_THROW(lookup(), platform::ProgramEnd);
    EXPECT_EQ(ui.messages.size(), 1u);
    if (ui.messages.empty()) return "";
    EXPECT_EQ(ui.messages[0].caption, "");
    EXPECT_EQ(ui.messages[0].icon, platform::MessageIcon::kWarning);
    return ui.messages[0].text;
  }
};

TEST(FamilyLinksTest, LookupsFindTheirKindAndAbsentLinksGiveNull) {
  LinkFixture f;
  EXPECT_EQ(FindIndividual(f.store, f.faults, "I2"), &f.store.individuals[1]);
  EXPECT_EQ(FindFamily(f.store, f.faults, "F1", f.store.individuals[0]), &f.store.families[0]);
  EXPECT_EQ(FindIndividual(f.store, f.faults, ""), nullptr);
  EXPECT_EQ(FindFamily(f.store, f.faults, "", f.store.individuals[0]), nullptr);
  EXPECT_TRUE(f.ui.messages.empty());
}

TEST(FamilyLinksTest, BrokenLinksEndTheProgramWithTheirStructureMessages) {
  LinkFixture f;
  const IndividualRecord& ann = f.store.individuals[0];
  EXPECT_EQ(f.EndingText([&] { FindIndividual(f.store, f.faults, "I9"); }),
            "Structural problem in GEDCOM file.  A family references\n"
            "individual \"I9\", but an individual with that ID was\n"
            "not found in the GEDCOM file.\n"
            "Please check your genealogy database to ensure that all\n"
            "family/individual links are correct.\n\n"
            "Aborting HTML file creation and closing down.\n");
  EXPECT_EQ(f.EndingText([&] { FindIndividual(f.store, f.faults, "F1"); }),
            std::string("Unexpected Internal Error at Position 12.  Closing Down. \n\n Please "
                        "email technical support with this error message at ") +
                kSupportAddress);
  EXPECT_EQ(f.EndingText([&] { FindFamily(f.store, f.faults, "I2", ann); }),
            "Record \"I2\" is not a Family... error");
  EXPECT_EQ(f.EndingText([&] { FindFamily(f.store, f.faults, "F7", ann); }),
            "Error in GEDCOM structure\n Individual \"Ann /Lee/\" (id \"I1\") refrences family "
            "\"F7\"\nbut no family with that ID was found in GEDCOM file.  Please check the "
            "family links around that individual,re-extract your GEDCOM file, and try again.  ");
  // Ids differ by case.
  EXPECT_NE(f.EndingText([&] { FindIndividual(f.store, f.faults, "i1"); }).find("individual \"i1\""),
            std::string::npos);
}

TEST(IdHashTableTest, ManyIdsStayFindableAcrossGrowth) {
  IdHashTable table;
  table.Create(4);  // far too small: the table grows
  for (int n = 0; n < 20000; ++n) ASSERT_TRUE(table.Insert("I" + std::to_string(n), {'I', n}));
  EXPECT_FALSE(table.Insert("I123", {'F', 0}));
  for (int n = 0; n < 20000; n += 7) EXPECT_EQ(table.Find("I" + std::to_string(n)).index, n);
  EXPECT_EQ(table.Find("I20000").kind, 0);
  EXPECT_TRUE(table.Insert("\xE9\xFF", {'F', 1}));  // bytes above 127
  EXPECT_EQ(table.Find("\xE9\xFF").kind, 'F');
}

TEST(ExpandingArrayTest, NotesKeepOneCopyOfEachTextAndAtMost55) {
  std::vector<NoteEntry> notes;
  int stored = 0;
  EXPECT_TRUE(AddNote(notes, 84, "same", 69, stored));
  EXPECT_TRUE(AddNote(notes, 88, "same", 69, stored));  // duplicate text: a no-op success
  EXPECT_EQ(notes.size(), 1u);
  EXPECT_EQ(stored, 1);
  for (int n = 1; n < 55; ++n) EXPECT_TRUE(AddNote(notes, 84, StoredText(std::to_string(n)), 69, stored));
  EXPECT_FALSE(AddNote(notes, 84, "one too many", 69, stored));
  EXPECT_EQ(notes.size(), 55u);
  EXPECT_EQ(stored, 55);

  IndividualRecord p;
  for (int n = 0; n < 55; ++n) EXPECT_TRUE(AddSpouseFamily(p, StoredText("F" + std::to_string(n))));
  EXPECT_FALSE(AddSpouseFamily(p, "F55"));
  std::string id;
  EXPECT_TRUE(GetSpouseFamily(p, 54, &id));
  EXPECT_EQ(id, "F54");
  EXPECT_FALSE(GetSpouseFamily(p, 55, &id));
  EXPECT_FALSE(GetSpouseFamily(p, -1, &id));
}

TEST(NoteTextBufferTest, CapacityGrowsInItsSteps) {
  NoteTextBuffer buffer(2048);
  buffer.Append(std::string(3000, 'a'));
  EXPECT_EQ(buffer.capacity(), 6144u);  // 2048 + 3000 rounded up to 4096
  buffer.Append("");
  EXPECT_EQ(buffer.size(), 3000u);
  buffer.Clear();
  buffer.Append(std::string(6143, 'b'));  // the text and its terminator fit exactly
  EXPECT_EQ(buffer.capacity(), 6144u);
  buffer.Append("c");
  EXPECT_EQ(buffer.capacity(), 8192u);
  EXPECT_EQ(buffer.Text(6143), "c");
  EXPECT_EQ(buffer.Text(-1).size(), 6144u);
}

}  // namespace
}  // namespace kinloom::store
