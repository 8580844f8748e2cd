// Writes one HTML page of the site at a time: the fixed head (meta tags, title, body tag,
// heading, notices), the body text composed by a page kind, and the fixed foot. Page text
// is collected in an 8191-character buffer; every line feed reaches the file as CR LF.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "lang/label_set.h"
#include "platform/file_system.h"
#include "run/run_context.h"
#include "site/site_language.h"

namespace kinloom::site {

// The four HTML special characters of a stored text replaced by their entities.
std::string EscapeHtml(std::string_view text);

// Lower-cases the ASCII letters of the file-name part of a path (never the folders).
std::string LowerCaseFileName(std::string_view path);

class PageWriter {
 public:
  // The writer reads the options and state of `context` and the current language values;
  // all three must outlive it.
  PageWriter(run::RunContext& context, const lang::LabelSet& labels, const SiteLanguage& language);
  ~PageWriter();
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  // Creates the page (file name lower-cased) and writes its head. A file that cannot be
  // created is reported and ends the program.
  void OpenPage(const std::string& path, const std::string& title, bool with_notices,
                bool with_meta_tags);
  void AppendHtml(std::string_view text);
  void FlushPageBuffer();
  void WriteRule();
  void WriteAncestorNotice();
  void WriteProducedBy();
  void WriteBackLink();
  void WriteSourceAndCopyright();
  // Writes the standard foot and closes the page. Returns 1. A close failure ends the program.
  int ClosePage();
  // Flushes and closes the page without a foot (pages that end themselves).
  void CloseFile();

  // "htm" or "html" from the option "HTM".
  std::string PageExtension() const;

  int pages_written() const { return pages_written_; }
  int buffer_writes() const { return buffer_writes_; }
  // Counts a file written outside OpenPage (an extracted image, the copied GEDCOM file).
  void CountExtraFile() {
    ++pages_written_;
    ++buffer_writes_;
  }

  run::RunContext& context() { return context_; }
  const lang::LabelSet& labels() const { return labels_; }
  const SiteLanguage& language() const { return language_; }

 private:
  void WriteToFile(std::string_view text);

  run::RunContext& context_;
  const lang::LabelSet& labels_;
  const SiteLanguage& language_;
  std::unique_ptr<platform::OutputFile> file_;
  std::string path_;
  std::string buffer_;
  int pages_written_ = 0;
  int buffer_writes_ = 0;
};

}  // namespace kinloom::site
