// The file sink of the site: creates one page file at a time, collects its text in an
// 8191-character buffer and writes it with every line feed as CR LF, in the site's encoding,
// counting pages and writes for the run statistics. How a page looks is a PageStyle's
// (site/page_style.h); the page frame calls below hand their content to the writer's style.
//
// Page text is composed in the encoding of the store's text (see TextEncoding below) and
// written in the site's encoding (SiteEncoding): Windows-1252 text for a Windows-1252 input,
// UTF-8 for UTF-8 and UTF-16 input, UTF-8 text written as Windows-1252 with numeric
// character references for ANSEL input. That conversion and the CR LF line ends are made in
// one pass over each buffer as it goes to the file. Labels (lang::LabelSet) and the site's copy of the
// options already come in the text encoding; the program's other own texts go through
// ProgramText. File names are composed in the text encoding and created in UTF-8.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lang/label_set.h"
#include "platform/file_system.h"
#include "run/run_context.h"
#include "site/site_language.h"

namespace kinloom::site {

// The four HTML special characters of a stored text replaced by their entities.
std::string EscapeHtml(std::string_view text);

// Lower-cases the ASCII letters of the file-name part of a path (never the folders).
std::string LowerCaseFileName(std::string_view path);

class PageStyle;

class PageWriter {
 public:
  // The writer reads the options and state of `context` and the current language values;
  // all three must outlive it.
  PageWriter(run::RunContext& context, const lang::LabelSet& labels, const SiteLanguage& language);
  ~PageWriter();
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  // The style that the page frame calls below write with: the classic pages unless another
  // is handed in; `style` must outlive the writer.
  void SetStyle(PageStyle& style) { style_ = &style; }
  PageStyle& style() const { return *style_; }

  // Creates the page (file name lower-cased) and has the style write its head. A file that
  // cannot be created is reported and ends the program.
  void OpenPage(const std::string& path, const std::string& title, bool with_notices,
                bool with_meta_tags);
  void AppendHtml(std::string_view text);
  // Appends the pieces as AppendHtml appends the one text they make together, without
  // building that text (see site/text_pieces.h for numbers).
  void Append(std::initializer_list<std::string_view> pieces);
  // Writes the page buffer out and hands the file what it has not yet been given.
  void FlushPageBuffer();
  // Pieces of the page frame, written by the style.
  void WriteRule();
  void WriteAncestorNotice();
  void WriteBackLink();
  // Has the style write the standard foot, then closes the page. A close failure ends the
  // program.
  void ClosePage();
  // Flushes and closes the page without a foot (pages that end themselves). A close
  // failure shows message 2370 and ends the program.
  void CloseFile();
  // The same, showing `failure_message` in a warning box when the close fails.
  void CloseFile(const std::string& failure_message);
  // Creates a file that is not a page (gendex.txt) and makes it the open file, with no head.
  // Counts as one page written. A file that cannot be created shows `failure_message` in a
  // warning box and ends the program.
  void OpenFile(const std::string& path, const std::string& failure_message);
  // The same for a file that is not a page (the style sheet), reported as a page is when it
  // cannot be created.
  void OpenPlainFile(const std::string& path);
  bool is_open() const { return file_ != nullptr; }
  // The path of the file last opened (lower-cased file name).
  const std::string& path() const { return path_; }

  // The clock that dates the copyright line (local time); without one, the run's progress
  // display's clock when the run has one, else the system clock. Tests fix it.
  void SetClock(std::function<std::time_t()> clock) { clock_ = std::move(clock); }
  std::time_t Now() const;

  // "htm" or "html" from the option "HTM".
  std::string PageExtension() const;

  // The encoding page text is composed in, and the encoding of the files written.
  platform::TextEncoding TextEncoding() const;
  platform::TextEncoding SiteEncoding() const;
  // One of the program's own Windows-1252 texts in the text encoding.
  std::string ProgramText(std::string_view cp1252) const;
  // A name of the file system (UTF-8), such as the GEDCOM file's, in the text encoding; in
  // Windows-1252 text a character the code page lacks becomes a numeric character reference.
  std::string SystemNameText(std::string_view name) const;

  int pages_written() const { return pages_written_; }
  int buffer_writes() const { return buffer_writes_; }
  // Counts a file written outside OpenPage (an extracted image, the copied GEDCOM file).
  void CountExtraFile();

  run::RunContext& context() { return context_; }
  const run::RunContext& context() const { return context_; }
  const lang::LabelSet& labels() const { return labels_; }
  const SiteLanguage& language() const { return language_; }

 private:
  void WriteToFile(std::string_view text);
  std::string_view Buffered() const { return {buffer_.get(), buffered_}; }
  // Writes the buffer out when `size` more bytes would overflow it; false when they are
  // more than the buffer holds, so that they go to the file at once.
  bool MakeRoom(std::size_t size);
  // One buffer written to disk; one file created at `path` (for the run statistics).
  void CountWrite();
  void CountFile(const std::string& path);
  void Create(const std::string& path, const std::string* plain_failure_message);
  // Closes the open file; on a failure shows the message `failure_message()` gives and ends
  // the program.
  void Close(const std::function<std::string()>& failure_message);
  // Writes the converted text kept for the open file.
  void WriteFileText();

  run::RunContext& context_;
  const lang::LabelSet& labels_;
  const SiteLanguage& language_;
  std::unique_ptr<platform::OutputFile> file_;
  int write_error_ = 0;  // the first failed write of the open file
  std::string path_;
  // The page text not yet converted: at most kPageBufferLimit bytes.
  std::unique_ptr<char[]> buffer_;
  std::size_t buffered_ = 0;
  // The open file's converted bytes not yet handed to it: they go in writes of at least
  // kFileWriteSize, or when the file is closed, so that the file's own buffer is bypassed.
  std::string file_text_;
  int pages_written_ = 0;
  int buffer_writes_ = 0;
  std::function<std::time_t()> clock_;
  PageStyle* style_;
};

}  // namespace kinloom::site
