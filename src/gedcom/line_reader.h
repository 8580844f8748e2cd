// Reads a GEDCOM file as lines of level, token and value, and turns tokens into tag codes.
// Both passes read through it. Lines end with LF, CR LF or a lone CR; a last line without a
// line end is delivered too; a line of any length is read whole. The file's bytes are
// decoded before lines are split (gedcom/encoding.h): UTF-16 and ANSEL arrive as UTF-8,
// bytes of a UTF-8 file that are not valid UTF-8 as Windows-1252 letters, Windows-1252
// unchanged.
#pragma once

#include <string>
#include <string_view>

#include "gedcom/encoding.h"
#include "platform/file_system.h"

namespace kinloom::gedcom {

// Tag codes the passes act on (the full table is in lang/tag_labels.h).
enum TagCode : int {
  kTagUnknown = 0,
  kTagAlia = 9,
  kTagBapl = 15,
  kTagBapm = 16,
  kTagBirt = 19,
  kTagBuri = 22,
  kTagChar = 28,
  kTagChil = 29,
  kTagChr = 30,
  kTagChra = 31,
  kTagConc = 33,
  kTagCont = 36,
  kTagDate = 42,
  kTagDeat = 43,
  kTagFam = 55,
  kTagFamc = 56,
  kTagFams = 58,
  kTagGedc = 62,
  kTagHead = 65,
  kTagHusb = 66,
  kTagIndi = 69,
  kTagMarr = 75,
  kTagName = 78,
  kTagNote = 84,
  kTagPlac = 94,
  kTagRepo = 103,
  kTagSex = 110,
  kTagSour = 113,
  kTagTitl = 124,
  kTagVers = 127,
  kTagWife = 128,
};

// ReadGedcomLine results besides a level.
inline constexpr int kEndOfInput = -1;
inline constexpr int kNoLevel = -2;

class LineReader {
 public:
  // Reads from `file`, which must outlive the reader. The reader never closes it. The
  // encoding is recognised from the start of the file when the first line is read.
  explicit LineReader(platform::InputFile& file);
  // Reads a file whose encoding is known.
  LineReader(platform::InputFile& file, SourceEncoding encoding);
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Reads the next line and returns its level (0 or more), kNoLevel for a line without a
  // digit, or kEndOfInput. With `peek` the line stays unconsumed: the next call returns it
  // again. A read error of the file counts as the end of the input.
  int ReadGedcomLine(bool peek);
  // The token of the current line: the text from two characters after the level up to a
  // blank (empty for a two-digit level). Leaves the line position on the stopping character.
  std::string ReadToken();
  // The value: the text after the one separating blank, up to the end of the line.
  std::string ReadValue();
  // The tag code of `token`; a token starting with "@" is looked up by the record keyword
  // of the whole current line.
  int LookupTag(std::string_view token) const;

  const std::string& line() const { return line_; }
  // The encoding the bytes are decoded from; recognised by the first ReadGedcomLine.
  SourceEncoding encoding() const { return decoder_.encoding(); }
  // The decoder's count of bytes read as Windows-1252 in a UTF-8 file, and the line of the
  // first of them (gedcom/encoding.h).
  const InputDecoder& decoder() const { return decoder_; }

 private:
  bool FillBuffer();                 // false at the end of the input
  bool ReadBlock(std::string* raw);  // appends one block of the file; false at its end

  platform::InputFile& file_;
  std::string buffer_;  // bytes read and not consumed yet, from start_ on
  std::size_t start_ = 0;
  bool at_end_ = false;
  bool detect_ = true;
  InputDecoder decoder_{SourceEncoding::kWindows1252};
  std::string line_;          // the current line without its line end
  std::size_t position_ = 0;  // line position
};

// The tag code of a short or long tag form ("BIRT", "BIRTH"), compared exactly; 0 otherwise.
int LookupTagName(std::string_view token);

// The first CR or LF of `text` at or after `from`, or npos.
std::size_t FindLineEnd(std::string_view text, std::size_t from);

// The id between the first two "@" of `text`: empty without "@", up to the end without a
// second "@".
std::string ExtractXref(std::string_view text);

}  // namespace kinloom::gedcom
