// The sites of several output languages generated at once, each language on a worker thread
// with its own page writer, layout and labels, so that the run leaves exactly the files,
// messages and outcome that generating them one after the other leaves:
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
#include <vector>

#include "run/run_context.h"

namespace kinloom::run {

// The most languages generated at once, and the default: the number of cores within 1 …
// kMaxJobs.
inline constexpr int kMaxJobs = 64;
int DefaultJobs();

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

}  // namespace kinloom::run
