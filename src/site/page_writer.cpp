#include "site/page_writer.h"

#include "store/store_text.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "gedcom/encoding.h"
#include "lang/ui_text.h"
#include "platform/program_end.h"
#include "platform/system_error.h"
#include "platform/text_encoding.h"
#include "run/product.h"
#include "run/progress_display.h"
#include "site/classic_style.h"
#include "site/page_frame.h"
#include "site/text_pieces.h"

namespace kinloom::site {

namespace {

// The page buffer holds at most this many characters before it goes to the file.
constexpr std::size_t kPageBufferLimit = 8191;
// The converted text of a file is handed to it in pieces of at least this size (or whole).
constexpr std::size_t kFileWriteSize = 256 * 1024;

constexpr int kMessageCreateFailed = 2266;
constexpr int kMessageCloseFailed = 2370;
constexpr int kMessageForeignPage = 2703;

// The style of a writer that is handed none; styles hold no state.
PageStyle& ClassicPages() {
  static ClassicStyle style;
  return style;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::size_t FileNameStart(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i)
    if (IsSeparator(path[i - 1])) return i;
  return 0;
}

}  // namespace

std::string EscapeHtml(std::string_view text) { return store::StoreEscapedText(text); }

std::string LowerCaseFileName(std::string_view path) {
  std::string out(path);
  for (std::size_t i = FileNameStart(path); i < out.size(); ++i)
    if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
  return out;
}

PageWriter::PageWriter(run::RunContext& context, const lang::LabelSet& labels,
                       const SiteLanguage& language)
    : context_(context),
      labels_(labels),
      language_(language),
      buffer_(new char[kPageBufferLimit]),
      style_(&ClassicPages()) {}

PageWriter::~PageWriter() {
  // A page left open by a program end is abandoned; its buffer is not written, what went
  // through it is.
  if (file_) {
    WriteFileText();
    file_->Close();
  }
}

void PageWriter::CountExtraFile() {
  ++pages_written_;
  CountWrite();
  if (run::RunStatistics* statistics = run::StatisticsOf(context_.state))
    ++statistics->files_created;
}

void PageWriter::CountWrite() {
  ++buffer_writes_;
  if (run::RunStatistics* statistics = run::StatisticsOf(context_.state))
    ++statistics->writes_to_disk;
}

void PageWriter::CountFile(const std::string& path) {
  run::RunStatistics* statistics = run::StatisticsOf(context_.state);
  if (statistics == nullptr) return;
  ++statistics->files_created;
  const std::string_view name = std::string_view(path).substr(FileNameStart(path));
  auto is = [&](PageKind kind) {
    const std::string& prefix = language_.Prefix(kind);
    return !prefix.empty() && name.size() > prefix.size() &&
           name.compare(0, prefix.size(), prefix) == 0 && name[prefix.size()] == '_';
  };
  std::uint64_t* count = is(PageKind::kFamilyGroup)           ? &statistics->family_group_files
                         : is(PageKind::kDescendancy)         ? &statistics->descendancy_files
                         : is(PageKind::kExtendedDescendancy) ? &statistics->descendancy_overflow_files
                         : is(PageKind::kPedigree)            ? &statistics->pedigree_files
                         : is(PageKind::kExtendedPedigree)    ? &statistics->pedigree_overflow_files
                         : is(PageKind::kNotes)               ? &statistics->notes_files
                                                              : nullptr;
  if (count != nullptr) ++*count;
}

std::string PageWriter::PageExtension() const { return context_.settings.htm ? "htm" : "html"; }

platform::TextEncoding PageWriter::TextEncoding() const {
  return gedcom::TextEncodingFor(context_.state.source_encoding);
}

platform::TextEncoding PageWriter::SiteEncoding() const {
  // The modern pages are UTF-8 whatever the input's encoding.
  if (context_.settings.modern_pages()) return platform::TextEncoding::kUtf8;
  return gedcom::SiteEncodingFor(context_.state.source_encoding);
}

std::string PageWriter::ProgramText(std::string_view cp1252) const {
  return gedcom::ProgramTextToSite(cp1252, TextEncoding());
}

std::string PageWriter::SystemNameText(std::string_view name) const {
  if (TextEncoding() == platform::TextEncoding::kWindows1252)
    return gedcom::Utf8ToSiteText(name, platform::TextEncoding::kWindows1252);
  // A name that is not valid UTF-8 must not make the page invalid.
  std::string out;
  gedcom::InputDecoder(gedcom::SourceEncoding::kUtf8).Decode(name, true, &out);
  return out;
}

namespace {

// The position of the first line feed or non-ASCII byte in `text` from `i` on, or its size.
// Eight bytes are looked at together: page text is mostly plain ASCII.
std::size_t PlainRunEnd(std::string_view text, std::size_t i) {
  const std::size_t size = text.size();
#if defined(__SSE2__)
  // Sixteen bytes at a time: a byte stops the run when it is a line feed or has its top
  // bit set, which the byte mask reads directly.
  const __m128i line_feeds = _mm_set1_epi8('\n');
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const int stop = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, line_feeds), bytes));
    if (stop != 0)
      return i + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(stop)));
  }
#endif
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    constexpr std::uint64_t kLineFeeds = 0x0a0a0a0a0a0a0a0aull;
    for (; i + 8 <= size; i += 8) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + i, 8);
      const std::uint64_t x = word ^ kLineFeeds;  // a zero byte where a line feed is
      // The lowest flagged byte is exact (a borrow only flags bytes above a zero byte).
      const std::uint64_t stop = ((x - kOnes) & ~x & kHigh) | (word & kHigh);
      if (stop != 0) return i + static_cast<std::size_t>(std::countr_zero(stop) / 8);
    }
  }
  while (i < size && text[i] != '\n' && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

// How page text changes on its way to the file besides its line ends.
enum class Conversion { kNone, kUtf8ToCp1252, kCp1252ToUtf8 };

// Appends `text` to *out with every line feed as CR LF and each non-ASCII character
// converted as `conversion` says. Runs of plain ASCII are copied whole.
void AppendFileText(std::string_view text, Conversion conversion, std::string* out) {
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    const std::size_t run = i;
    if (conversion != Conversion::kNone) {
      i = PlainRunEnd(text, i);
    } else {
      i = text.find('\n', i);
      if (i == std::string_view::npos) i = size;
    }
    out->append(text.data() + run, i - run);
    if (i == size) break;
    if (text[i] == '\n') {
      out->append("\r\n", 2);
      ++i;
    } else if (conversion == Conversion::kUtf8ToCp1252) {
      i = gedcom::AppendCp1252Character(text, i, out);
    } else {
      gedcom::AppendUtf8(platform::Cp1252ToCodePoint(static_cast<unsigned char>(text[i])), out);
      ++i;
    }
  }
}

}  // namespace

void PageWriter::WriteToFile(std::string_view text) {
  if (!file_) return;
  // The file is a text file in the Windows sense: every line feed becomes CR LF. UTF-8 page
  // text of a Windows-1252 site is converted on the way; pieces are whole characters, so a
  // block of them converts on its own, and so does Windows-1252 page text of a UTF-8 site
  // (the modern pages of a Windows-1252 input).
  Conversion conversion = Conversion::kNone;
  if (TextEncoding() == platform::TextEncoding::kUtf8 &&
      SiteEncoding() == platform::TextEncoding::kWindows1252)
    conversion = Conversion::kUtf8ToCp1252;
  else if (TextEncoding() == platform::TextEncoding::kWindows1252 &&
           SiteEncoding() == platform::TextEncoding::kUtf8)
    conversion = Conversion::kCp1252ToUtf8;
  if (file_text_.capacity() < kFileWriteSize + kPageBufferLimit * 3)
    file_text_.reserve(kFileWriteSize + kPageBufferLimit * 3);
  AppendFileText(text, conversion, &file_text_);
  if (file_text_.size() >= kFileWriteSize) WriteFileText();
}

void PageWriter::WriteFileText() {
  // A failed write (a full disk, a folder removed under the run) is kept and reported when
  // the file is closed, with the message of the page kind that writes it.
  if (!file_text_.empty() && write_error_ == 0)
    write_error_ = file_->Write(file_text_.data(), file_text_.size());
  file_text_.clear();
}

void PageWriter::Create(const std::string& path, const std::string* plain_failure_message) {
  if (file_) CloseFile();
  // Only the file name is lower-cased: the folders keep their case, so that a folder with
  // capitals is still the folder the user chose. A trailing backslash separator (some page
  // kinds compose "folder\name") is written as "/" so that the file lands inside the folder.
  std::string lowered = LowerCaseFileName(path);
  std::size_t start = FileNameStart(lowered);
  if (start > 0 && lowered[start - 1] == '\\') lowered[start - 1] = '/';
  // Names on disk are UTF-8 whatever the site's encoding: a browser turns the name a link
  // spells (Æ as one Windows-1252 byte, or as UTF-8) into the UTF-8 of that character.
  if (TextEncoding() == platform::TextEncoding::kWindows1252)
    lowered = lowered.substr(0, start) + platform::Cp1252ToUtf8(lowered.substr(start));
  path_ = lowered;
  buffered_ = 0;
  if (context_.state.foreign_pages.count(path_.substr(start)) != 0) {
    context_.ui.ShowMessage(
        lang::FormatText(lang::LoadUiText(kMessageForeignPage, context_.settings).c_str(),
                         path_.c_str()),
        "", platform::MessageIcon::kWarning, platform::MessageButtons::kOk);
    platform::EndProgram(1, "kept page " + path_);
  }
  int error = 0;
  file_ = context_.fs.Create(path_, &error);
  if (file_) CountFile(path_);
  if (!file_) {
    if (plain_failure_message) {
      context_.ui.ShowMessage(*plain_failure_message, "", platform::MessageIcon::kWarning,
                              platform::MessageButtons::kOk);
    } else {
      std::string message = lang::FormatText(
          lang::LoadUiText(kMessageCreateFailed, context_.settings).c_str(), path_.c_str());
      platform::ReportSystemError(context_.ui, message, error);
    }
    platform::EndProgram(1, "cannot create " + path_);
  }
}

void PageWriter::OpenPage(const std::string& path, const std::string& title, bool with_notices,
                          bool with_meta_tags) {
  Create(path, nullptr);
  style_->WritePageHead(*this, PageHeadFacts(*this, title, with_notices, with_meta_tags));
  ++pages_written_;
}

void PageWriter::OpenFile(const std::string& path, const std::string& failure_message) {
  ++pages_written_;
  Create(path, &failure_message);
}

void PageWriter::OpenPlainFile(const std::string& path) {
  ++pages_written_;
  Create(path, nullptr);
}

bool PageWriter::MakeRoom(std::size_t size) {
  if (size + buffered_ > kPageBufferLimit) {
    WriteToFile(Buffered());
    CountWrite();
    buffered_ = 0;
  }
  return size <= kPageBufferLimit;
}

void PageWriter::AppendHtml(std::string_view text) {
  if (!MakeRoom(text.size())) {
    WriteToFile(text);
    return;
  }
  CopyPiece(buffer_.get() + buffered_, text.data(), text.size());
  buffered_ += text.size();
}

void PageWriter::Append(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  if (!MakeRoom(size)) {
    WriteToFile(JoinPieces(pieces));
    return;
  }
  char* to = buffer_.get() + buffered_;
  for (std::string_view piece : pieces) {
    CopyPiece(to, piece.data(), piece.size());
    to += piece.size();
  }
  buffered_ += size;
}

void PageWriter::FlushPageBuffer() {
  if (buffered_ == 0) return;
  WriteToFile(Buffered());
  CountWrite();
  buffered_ = 0;
  if (file_) WriteFileText();
}

void PageWriter::WriteRule() { style_->WriteRule(*this); }

void PageWriter::WriteAncestorNotice() {
  style_->WriteAncestorNotice(*this, AncestorNoticeFacts(*this));
}

void PageWriter::WriteBackLink() { style_->WriteMainPageLink(*this, MainPageLinkFacts(*this)); }

std::time_t PageWriter::Now() const {
  if (clock_) return clock_();
  return context_.progress != nullptr ? context_.progress->Now() : std::time(nullptr);
}

void PageWriter::Close(const std::function<std::string()>& failure_message) {
  FlushPageBuffer();
  if (!file_) return;
  WriteFileText();
  std::unique_ptr<platform::OutputFile> file = std::move(file_);
  const int write_error = write_error_;
  write_error_ = 0;
  if (file->Close() != 0 || write_error != 0) {
    context_.ui.ShowMessage(failure_message(), "", platform::MessageIcon::kWarning,
                            platform::MessageButtons::kOk);
    platform::EndProgram(1, "cannot close " + path_);
  }
}

void PageWriter::CloseFile() {
  Close([this] {
    return lang::FormatText(lang::LoadUiText(kMessageCloseFailed, context_.settings).c_str(),
                            run::kProductString);
  });
}

void PageWriter::CloseFile(const std::string& failure_message) {
  Close([&failure_message] { return failure_message; });
}

void PageWriter::ClosePage() {
  style_->WritePageFoot(*this, PageFootFacts(*this, true));
  CloseFile();
}

}  // namespace kinloom::site
