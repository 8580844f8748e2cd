// A run over an in-memory file system whose creates and closes can be made to fail, with a
// page writer for one language: what the page writer, images, author page and gendex.txt
// tests share.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "lang/label_set.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "run/run_context.h"
#include "settings/settings.h"
#include "site/page_writer.h"
#include "site/site_language.h"
#include "store/genealogy_store.h"

namespace kinloom::testing {

class WriterTestFs : public platform::FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, int> writes;  // Write calls per file
  std::set<std::string> fail_create;  // paths whose creation fails with EACCES
  std::set<std::string> fail_close;   // paths whose close fails with ENOSPC

  std::unique_ptr<platform::InputFile> OpenForRead(const std::string&, int* error) override {
    *error = 2;
    return nullptr;
  }
  std::unique_ptr<platform::OutputFile> Create(const std::string& path, int* error) override {
    if (fail_create.count(path)) {
      *error = 13;
      return nullptr;
    }
    *error = 0;
    files[path].clear();
    writes[path] = 0;
    return std::make_unique<File>(this, path);
  }
  int CreateFolder(const std::string&) override { return 0; }
  int ListFolder(const std::string&, std::vector<std::string>* names) override {
    names->clear();
    return 0;
  }
  int DeleteFile(const std::string& path) override { return files.erase(path) ? 0 : 2; }
  int CopyFile(const std::string&, const std::string&) override { return 0; }
  int FileSize(const std::string& path, std::uint64_t* size) override {
    auto it = files.find(path);
    if (it == files.end()) return 2;
    *size = it->second.size();
    return 0;
  }

  std::string Read(const std::string& path) const {
    auto it = files.find(path);
    return it == files.end() ? "<missing " + path + ">" : it->second;
  }

 private:
  class File : public platform::OutputFile {
   public:
    File(WriterTestFs* fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    int Write(const char* data, std::size_t size) override {
      fs_->files[path_].append(data, size);
      ++fs_->writes[path_];
      return 0;
    }
    int Close() override { return fs_->fail_close.count(path_) ? 28 : 0; }

   private:
    WriterTestFs* fs_;
    std::string path_;
  };
};

// English prefixes of the page kinds, in PageKind order.
inline site::SiteLanguage EnglishLanguage() {
  site::SiteLanguage language;
  const char* prefixes[] = {"f", "b", "c", "d", "e", "h", "i", "p",
                            "k", "l", "m", "n", "s", "o", "r"};
  for (int k = 0; k < static_cast<int>(site::PageKind::kCount); ++k)
    language.prefixes[k] = prefixes[k];
  language.index_name = "index";
  language.date_stamp = "12.07.2026 at 01:23:45 GMT ";
  language.translator_name = "Alden Brennick";
  language.translator_address = "support@kinloom-genealogy.org";
  return language;
}

// A quiet run: no background, notices, source line or refresh unless a test asks.
struct WriterTestRun {
  platform::RecordingUi ui;
  WriterTestFs fs;
  settings::Settings settings;
  run::RunState state;
  store::GenealogyStore store;
  run::RunContext context{ui, fs, settings, state, store};
  site::SiteLanguage language = EnglishLanguage();
  lang::LabelSet labels{0};
  site::PageWriter writer{context, labels, language};

  WriterTestRun() {
    settings.use_default_background = 0;
    settings.suppress_living = 0;
    settings.create_link_to_gedcom_file = 0;
    state.output_folder = "/out";
    state.gedcom_path = "/in/Family.ged";
  }

  // Adds an individual with the given name parts; returns its table position.
  int AddPerson(const std::string& given, const std::string& surname, const std::string& name,
                std::int32_t group = 0) {
    store::IndividualRecord p;
    p.index = static_cast<std::int32_t>(store.individuals.size());
    p.defined = true;
    p.given_names = given;
    p.surname = surname;
    p.name = name;
    p.group = group;
    p.deceased = true;
    store.individuals.push_back(p);
    return p.index;
  }
};

}  // namespace kinloom::testing
