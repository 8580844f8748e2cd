// The character encodings a GEDCOM file may be written in, how to recognise them, and the
// decoding of a file's bytes into the text the rest of the program reads: UTF-16 and ANSEL
// become UTF-8; UTF-8 is checked (a byte that is not part of a valid sequence is read as
// Windows-1252, so that mis-declared files keep their letters); Windows-1252 (ANSI, ASCII and
// the IBM code pages) passes through unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace kinloom::gedcom {

enum class SourceEncoding { kWindows1252, kUtf8, kUtf16Le, kUtf16Be, kAnsel };

// The encoding of the site written from a source: UTF-8 for UTF-8 and UTF-16 input,
// Windows-1252 otherwise.
using SiteEncoding = platform::TextEncoding;

// Recognises the encoding from the byte-order mark and, without one, from the header's
// level-1 CHAR line among the first bytes of the file (`head`, any length). CHAR values:
// "UTF-8"/"UTF8" (any case) → UTF-8; UTF-16 is recognised by its mark or by the zero bytes
// beside the letters of "0 HEAD" (a "UNICODE" or "UTF-16" CHAR line that could be read as
// 8-bit text is in an 8-bit file, taken as UTF-8); "ANSEL" → ANSEL; "ANSI", "ASCII",
// "IBMPC", "IBM WINDOWS" and anything else → Windows-1252.
SourceEncoding DetectEncoding(std::string_view head);

SiteEncoding SiteEncodingFor(SourceEncoding source);

// The encoding of the text the reader delivers, and so of the store and of the page text
// composed from it: Windows-1252 for Windows-1252 input (its bytes pass unchanged), UTF-8 for
// every other input. For ANSEL input it differs from the site encoding; the page writer
// converts when it writes the file.
platform::TextEncoding TextEncodingFor(SourceEncoding source);

// Decodes a byte stream chunk by chunk; a character split across two chunks is decoded
// when its last byte arrives. Output is UTF-8, except for Windows-1252 input, which is
// copied unchanged. A byte-order mark at the start is dropped.
class InputDecoder {
 public:
  explicit InputDecoder(SourceEncoding encoding) : encoding_(encoding) {}

  // Appends the decoded form of `bytes` to *out. With `last` set, whatever is pending (an
  // incomplete sequence, an odd UTF-16 byte, a diacritic without its letter) is flushed:
  // an incomplete UTF-16 unit becomes U+FFFD, the bytes of an incomplete UTF-8 sequence are
  // read as Windows-1252, a dangling diacritic is written on its own.
  void Decode(std::string_view bytes, bool last, std::string* out);

  SourceEncoding encoding() const { return encoding_; }
  // UTF-8 input: how many bytes were not part of a valid sequence (and so were read as
  // Windows-1252), and the line of the first one (1-based; 0 when there is none).
  long long stray_bytes() const { return stray_bytes_; }
  long long first_stray_line() const { return first_stray_line_; }

 private:
  void DecodeUtf8(std::string_view bytes, bool last, std::string* out);
  void DecodeStrayByte(unsigned char byte, std::string* out);
  void DecodeUtf16(std::string_view bytes, bool last, std::string* out);
  void DecodeAnsel(std::string_view bytes, bool last, std::string* out);
  void EmitAnselCharacter(char32_t base, std::string* out);

  SourceEncoding encoding_;
  bool at_start_ = true;
  std::string pending_;   // bytes of an incomplete sequence
  std::u32string marks_;  // ANSEL combining marks waiting for their base letter
  long long lines_ = 0;   // line feeds decoded so far (UTF-8)
  long long stray_bytes_ = 0;
  long long first_stray_line_ = 0;
};

// Appends the UTF-8 form of a code point (U+FFFD for a value outside Unicode).
void AppendUtf8(char32_t cp, std::string* out);

// The precomposed character of base + combining mark, or 0 when there is none.
char32_t Compose(char32_t base, char32_t mark);

// UTF-8 text (already HTML-escaped where needed) in the site's encoding: unchanged for a
// UTF-8 site; for a Windows-1252 site each character the code page cannot hold becomes a
// numeric character reference "&#N;".
std::string Utf8ToSiteText(std::string_view utf8, SiteEncoding site);

// Appends the Windows-1252 site form of the one character of `utf8` that starts at byte `i`
// (a byte that starts no valid sequence stands for U+FFFD) to *out, as Utf8ToSiteText writes
// it; returns the position after the character. `i` must lie inside `utf8`.
std::size_t AppendCp1252Character(std::string_view utf8, std::size_t i, std::string* out);

// The program's own Windows-1252 text in the site's encoding.
std::string ProgramTextToSite(std::string_view cp1252, SiteEncoding site);

// The declaration every page carries in its head for its encoding.
std::string_view CharsetMetaTag(SiteEncoding site);

}  // namespace kinloom::gedcom
