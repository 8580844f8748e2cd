// Test fixtures for the site and store tests: a run context over an in-memory file system
// and a recording user interface, and helpers that build store records directly (as the
// loading pass and the resolution of links would leave them) without a GEDCOM file.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "run/run_context.h"
#include "settings/settings.h"
#include "store/genealogy_store.h"

namespace kinloom::testing {

// Files live in a map from path to bytes. Copies can be made to fail.
class MemoryFileSystem : public platform::FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::vector<std::pair<std::string, std::string>> copies;
  int copy_error = 0;

  std::unique_ptr<platform::InputFile> OpenForRead(const std::string&, int* error) override {
    *error = 2;
    return nullptr;
  }
  std::unique_ptr<platform::OutputFile> Create(const std::string& path, int* error) override {
    *error = 0;
    files[path].clear();
    return std::make_unique<File>(&files[path]);
  }
  int CreateFolder(const std::string&) override { return 0; }
  int ListFolder(const std::string&, std::vector<std::string>* names) override {
    names->clear();
    return 0;
  }
  int DeleteFile(const std::string& path) override { return files.erase(path) ? 0 : 2; }
  int CopyFile(const std::string& from, const std::string& to) override {
    if (copy_error) return copy_error;
    copies.emplace_back(from, to);
    return 0;
  }
  int FileSize(const std::string& path, std::uint64_t* size) override {
    auto it = files.find(path);
    if (it == files.end()) return 2;
    *size = it->second.size();
    return 0;
  }

  // The bytes of a file, or "<missing PATH>".
  std::string Read(const std::string& path) const {
    auto it = files.find(path);
    return it == files.end() ? "<missing " + path + ">" : it->second;
  }

 private:
  class File : public platform::OutputFile {
   public:
    explicit File(std::string* bytes) : bytes_(bytes) {}
    int Write(const char* data, std::size_t size) override {
      bytes_->append(data, size);
      return 0;
    }
    int Close() override { return 0; }

   private:
    std::string* bytes_;
  };
};

// One run's worth of context, with a store built by hand.
struct TestRun {
  platform::RecordingUi ui;
  MemoryFileSystem fs;
  settings::Settings settings;
  run::RunState state;
  store::GenealogyStore store;
  run::RunContext context{ui, fs, settings, state, store};

  TestRun() {
    store.individuals.reserve(256);
    store.families.reserve(256);
    state.output_folder = "/out";
    state.gedcom_path = "/in/family.ged";
  }

  // Adds a defined individual with a NAME value; returns its table position.
  int AddPerson(const std::string& id, const std::string& name, int sex = 0) {
    store::IndividualRecord person;
    person.index = static_cast<int>(store.individuals.size());
    person.defined = true;
    person.id = id;
    person.name = name;
    person.sex = static_cast<std::int16_t>(sex);
    person.deceased = true;
    store.individuals.push_back(person);
    store.ids.Insert(id, {'I', person.index});
    // Families added earlier that name this id now reach it, as resolved links would.
    for (store::FamilyRecord& family : store.families) {
      if (family.husband == id) family.husband_index = person.index;
      if (family.wife == id) family.wife_index = person.index;
      for (std::size_t k = 0; k < family.children.size(); ++k)
        if (family.children[k] == id) family.child_indices[k] = person.index;
    }
    ++state.individuals_loaded;
    state.individual_count = state.individuals_loaded;
    return person.index;
  }

  // Adds a family and links its members as the loading pass would: FAMS entries of the
  // spouses in file order, FAMC (the last one wins) of the children.
  int AddFamily(const std::string& id, const std::string& husband, const std::string& wife,
                const std::vector<std::string>& children = {}) {
    store::FamilyRecord family;
    family.index = static_cast<int>(store.families.size());
    family.defined = true;
    family.id = id;
    family.husband = husband;
    family.wife = wife;
    family.children.assign(children.begin(), children.end());
    auto position = [this](const std::string& member) {
      const store::IdTarget target = store.ids.Find(member);
      return target.kind == 'I' ? target.index : -1;
    };
    family.husband_index = position(husband);
    family.wife_index = position(wife);
    for (const std::string& child : children) family.child_indices.push_back(position(child));
    store.families.push_back(family);
    store.ids.Insert(id, {'F', family.index});
    for (const std::string* spouse : {&husband, &wife}) {
      if (spouse->empty() || store.ids.Find(*spouse).kind != 'I') continue;  // broken link
      store::IndividualRecord& p = Person(*spouse);
      p.spouse_families.emplace_back(id);
      p.spouse_family_indices.push_back(family.index);
      ++p.spouse_family_count;
    }
    for (const std::string& child : children) {
      if (store.ids.Find(child).kind != 'I') continue;
      store::IndividualRecord& c = Person(child);
      c.parents_family = id;
      c.parents_family_index = family.index;
      ++c.parents_family_count;
    }
    ++state.families_loaded;
    state.family_count = state.families_loaded;
    return family.index;
  }

  store::IndividualRecord& Person(const std::string& id) {
    return store.individuals[store.ids.Find(id).index];
  }
  store::FamilyRecord& Family(const std::string& id) {
    return store.families[store.ids.Find(id).index];
  }
};

}  // namespace kinloom::testing
