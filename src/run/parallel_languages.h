// The sites of several output languages generated at once, each language on a worker thread
// with its own page writer, layout and labels; or, for one language, the parts of its site
// (its page kinds) at once over the language's one layout. Either way the run leaves exactly
// the files, messages and outcome that generating them one after the other leaves (what is
// said of languages below holds for parts alike):
//  - only the calling thread touches the user interface. The workers' progress reports are
//    queued and shown there; every other call a language makes on the interface (a message,
//    a question, a notice) waits until each language before it has finished, and is then
//    made there, so that messages come in the order, and only in the cases, of a sequential
//    run;
//  - a file that is not one of the language's own pages (gendex.txt, the copy of the GEDCOM
//    file) is written in language order: its creation waits until each language before it
//    has finished. An image is one of the own files of the first language that writes it;
//    the languages after it do not write it again;
//  - a language that fails (its step returns 0 or throws) stops the languages after it; they
//    are cancelled and the files they created are deleted. An exception (such as
//    platform::ProgramEnd) is rethrown on the calling thread once every worker has ended.
// Calls on the run's FileSystem are serialised, so it need not be thread-safe; each file it
// returns is used by one thread. While the workers run, the store and the options are only
// read.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "run/run_context.h"

namespace kinloom::run {

// The most languages generated at once, and the default: the number of cores within 1 …
// kMaxJobs.
inline constexpr int kMaxJobs = 64;
int DefaultJobs();

// The names of the files a part of the run writes as its own, so that it need not wait for
// the parts before it to create them: any name that starts with one of the prefixes, and
// the whole names. Names are compared lower-cased.
class OwnFiles {
 public:
  void AddPrefix(std::string prefix);
  void AddName(std::string name);
  // Whether `name` (a file name without folders, any case) is one of them.
  bool Owns(const std::string& name) const;
  const std::vector<std::string>& names() const { return names_; }

 private:
  std::vector<std::string> prefixes_;
  std::vector<std::string> names_;
};

// Generates the site of one language; 1 on success, 0 when it failed (the user has been
// told). Called on worker threads with a context of the language's own (interface, file
// system and state copy).
using LanguageStep = std::function<int(RunContext& context, int language)>;

// Whether the selected languages may be generated at once: each language's own pages are
// told apart by name from every other language's pages and from the files all languages
// share (gendex.txt, the copy of the GEDCOM file). False when a base page name or the GEDCOM
// file's name looks like a page of another language.
bool LanguagesSeparable(const RunContext& context);

// Generates `languages` (ascending language indexes, at least one) with up to `jobs` worker
// threads. Afterwards the state's languages_done and current_language are those of the
// sequential loop and `failed` is set when a language's step returned 0. Rethrows the
// exception of the first language (in order) that threw.
void GenerateLanguagesAtOnce(RunContext& context, const std::vector<int>& languages, int jobs,
                             const LanguageStep& step);

// One part of a language's site (a page kind with its lists, say), written on a worker
// thread with a context of its own; 1 on success, 0 when it failed (the user has been told).
struct SitePart {
  std::function<int(RunContext& context)> step;
  OwnFiles own;
  // The part's expected share of the work, against the other parts: a free worker starts
  // the heaviest part not started, once the part whose turn comes next is running.
  int weight = 0;
};

// Whether no part owns a whole name that another part writes: then each part's own files
// are its alone, and the parts may be generated at once.
bool PartsSeparable(const std::vector<SitePart>& parts);

// Generates the parts of one language's site with up to `jobs` worker threads, under the
// rules above for languages: the files, messages and outcome are those of running the parts
// one after the other, and the progress reports are shown exactly as that run shows them,
// in its order (a part's reports wait until the parts before it have finished). The run's
// state is left as it is. Returns 1 when every part returned 1, else 0 (the parts after the
// one that failed are stopped and their files deleted); rethrows the exception of the first
// part that threw.
int GeneratePartsAtOnce(RunContext& context, const std::vector<SitePart>& parts, int jobs);

}  // namespace kinloom::run
