// Note texts of a GEDCOM file often hold markup of their own: bold words, paragraphs, links,
// pictures. A note is parsed as an HTML5 fragment and written back with a small safe subset
// kept as markup (b, i, u, em, strong, br, p, ul, ol, li, blockquote, a with an href, img
// with a src); everything else reaches the page as escaped text, so a note can neither run
// script nor change the page around it.
#pragma once

#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace kinloom::gedcom {

// Notes with more possible tags than this are not handed to the parser (its scope checks
// walk the open elements, so deep nesting costs tags × depth): only the loading pass's own
// <BR>, <I> and </I> are kept as markup, balanced, and the rest is escaped.
inline constexpr std::size_t kMaxNoteTags = 1000;

// `text` (in `encoding`, the store's text encoding) as page-safe markup in the same encoding:
// - text outside tags is escaped ("&quot;", "&amp;", "&lt;", "&gt;"); character references
//   are read as a browser reads them, and a character a Windows-1252 text cannot hold
//   becomes "&#N;";
// - kept elements are written with their end tags, unclosed ones closed at the end of the
//   note; a start or end tag without attributes keeps its spelling ("<BR>", "</I>");
// - href and src are kept only for http, https, mailto and relative paths without "..";
//   every other attribute is dropped; an a without a usable href or an img without a usable
//   src counts as another element;
// - any other element shows its start and end tag as escaped text, its content is handled
//   as above; comments are dropped.
// A text without markup comes back exactly as StoreEscapedText writes it.
std::string SanitizeNoteMarkup(std::string_view text, platform::TextEncoding encoding);

// SanitizeNoteMarkup with every text that has markup handed to the parser, also one whose
// only markup is the loading pass's own (which SanitizeNoteMarkup writes without parsing,
// to the same bytes).
std::string ParseNoteMarkup(std::string_view text, platform::TextEncoding encoding);

// A note item: a leading note-record pointer ("@N5@") stays as it is, for the lookups of the
// notes pages; the rest is sanitized.
std::string SanitizeNoteItem(std::string_view text, platform::TextEncoding encoding);

// Whether an href or src value is one a note may keep.
bool IsSafeNoteUrl(std::string_view url);

}  // namespace kinloom::gedcom
