#include "gedcom/note_markup.h"

#include <gumbo.h>

#include <vector>

#include "gedcom/encoding.h"
#include "platform/text_encoding.h"
#include "store/store_text.h"

namespace kinloom::gedcom {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::string_view Piece(const GumboStringPiece& piece) { return {piece.data, piece.length}; }

// The kept elements, by the name they are written with.
struct KeptElement {
  GumboTag tag;
  const char* name;
};
constexpr KeptElement kKeptElements[] = {{GUMBO_TAG_B, "b"},
                                         {GUMBO_TAG_I, "i"},
                                         {GUMBO_TAG_U, "u"},
                                         {GUMBO_TAG_EM, "em"},
                                         {GUMBO_TAG_STRONG, "strong"},
                                         {GUMBO_TAG_BR, "br"},
                                         {GUMBO_TAG_P, "p"},
                                         {GUMBO_TAG_UL, "ul"},
                                         {GUMBO_TAG_OL, "ol"},
                                         {GUMBO_TAG_LI, "li"},
                                         {GUMBO_TAG_BLOCKQUOTE, "blockquote"},
                                         {GUMBO_TAG_A, "a"},
                                         {GUMBO_TAG_IMG, "img"}};

const char* KeptName(GumboTag tag) {
  for (const KeptElement& kept : kKeptElements)
    if (kept.tag == tag) return kept.name;
  return nullptr;
}

const char* AttributeValue(const GumboElement& element, const char* name) {
  const GumboAttribute* attribute = gumbo_get_attribute(&element.attributes, name);
  return attribute == nullptr ? nullptr : attribute->value;
}

// Writes the tree of one parsed note. Iterative, so that deep nesting cannot exhaust the
// stack.
class Writer {
 public:
  std::string Write(const GumboNode* root) {
    struct Frame {
      const GumboNode* node;
      unsigned next_child;
      bool kept;
    };
    std::vector<Frame> stack;
    stack.push_back({root, 0, Open(root)});
    while (!stack.empty()) {
      Frame& top = stack.back();
      const GumboVector* children = Children(top.node);
      if (children != nullptr && top.next_child < children->length) {
        const auto* child = static_cast<const GumboNode*>(children->data[top.next_child++]);
        stack.push_back({child, 0, Open(child)});
        continue;
      }
      Close(top.node, top.kept);
      stack.pop_back();
    }
    return std::move(out_);
  }

 private:
  static const GumboVector* Children(const GumboNode* node) {
    if (node->type == GUMBO_NODE_DOCUMENT) return &node->v.document.children;
    if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE)
      return &node->v.element.children;
    return nullptr;
  }

  void Escaped(std::string_view text) { out_ += store::StoreEscapedText(text); }

  // Writes what comes before a node's children; true when the node is kept as markup.
  bool Open(const GumboNode* node) {
    switch (node->type) {
      case GUMBO_NODE_TEXT:
      case GUMBO_NODE_WHITESPACE:
      case GUMBO_NODE_CDATA:
        Escaped(node->v.text.text);
        return false;
      case GUMBO_NODE_ELEMENT:
      case GUMBO_NODE_TEMPLATE:
        break;
      default:  // the document, comments
        return false;
    }
    const GumboElement& element = node->v.element;
    const char* name = KeptName(element.tag);
    const char* url = nullptr;
    if (element.tag == GUMBO_TAG_A || element.tag == GUMBO_TAG_IMG) {
      url = AttributeValue(element, element.tag == GUMBO_TAG_A ? "href" : "src");
      if (url == nullptr || !IsSafeNoteUrl(url)) name = nullptr;
    }
    if (name == nullptr) {
      Escaped(Piece(element.original_tag));
      return false;
    }
    if (url != nullptr) {
      out_ += element.tag == GUMBO_TAG_A ? "<a href=\"" : "<img src=\"";
      Escaped(TrimUrl(url));
      out_ += '"';
      if (const char* alt =
              element.tag == GUMBO_TAG_IMG ? AttributeValue(element, "alt") : nullptr) {
        out_ += " alt=\"";
        Escaped(alt);
        out_ += '"';
      }
      out_ += '>';
      return true;
    }
    // A tag without attributes keeps its spelling, so that "<BR>" stays "<BR>".
    std::string_view original = Piece(element.original_tag);
    if (element.attributes.length == 0 &&
        original.size() == std::char_traits<char>::length(name) + 2 && original.front() == '<' &&
        original.back() == '>' && EqualsNoCase(original.substr(1, original.size() - 2), name)) {
      out_ += original;
    } else {
      out_ += '<';
      out_ += name;
      out_ += '>';
    }
    return true;
  }

  void Close(const GumboNode* node, bool kept) {
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) return;
    const GumboElement& element = node->v.element;
    std::string_view original = Piece(element.original_end_tag);
    if (!kept) {
      // An element the parser supplied itself (a table's body) has no tags of its own.
      if (element.original_tag.length > 0) Escaped(original);
      return;
    }
    if (element.tag == GUMBO_TAG_BR || element.tag == GUMBO_TAG_IMG) return;
    const char* name = KeptName(element.tag);
    if (original.size() == std::char_traits<char>::length(name) + 3 &&
        original.substr(0, 2) == "</" && original.back() == '>' &&
        EqualsNoCase(original.substr(2, original.size() - 3), name)) {
      out_ += original;
    } else {
      out_ += "</";
      out_ += name;
      out_ += '>';
    }
  }

  static std::string_view TrimUrl(std::string_view url) {
    while (!url.empty() && static_cast<unsigned char>(url.front()) <= 0x20) url.remove_prefix(1);
    while (!url.empty() && static_cast<unsigned char>(url.back()) <= 0x20) url.remove_suffix(1);
    return url;
  }

  std::string out_;
};

std::size_t PossibleTags(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '<') continue;
    char c = LowerAscii(text[i + 1]);
    if ((c >= 'a' && c <= 'z') || c == '/' || c == '!' || c == '?') ++count;
  }
  return count;
}

// The text escaped, with only the loading pass's own <BR>, <I> and </I> kept, balanced.
std::string EscapeKeepingOwnMarkup(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  int open_italics = 0;
  std::size_t plain = 0;
  auto flush = [&](std::size_t end) {
    out += store::StoreEscapedText(text.substr(plain, end - plain));
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '<') continue;
    std::string_view rest = text.substr(i);
    std::size_t length = 0;
    if (rest.substr(0, 4) == "<BR>") {
      length = 4;
    } else if (rest.substr(0, 3) == "<I>") {
      length = 3;
      ++open_italics;
    } else if (rest.substr(0, 4) == "</I>" && open_italics > 0) {
      length = 4;
      --open_italics;
    }
    if (length == 0) continue;
    flush(i);
    out += rest.substr(0, length);
    plain = i + length;
    i += length - 1;
  }
  flush(text.size());
  for (; open_italics > 0; --open_italics) out += "</I>";
  return out;
}

// Whether the parser would give `text` back exactly as EscapeKeepingOwnMarkup writes it: no
// character reference, no markup but the loading pass's own <BR> and single, closed
// <I> … </I>, and no character the parser reports or replaces (controls; in UTF-8 a byte
// outside a character, a surrogate or a noncharacter). Most notes are such: every line after
// the first starts with the pass's <BR>.
bool OwnMarkupOnly(std::string_view text, platform::TextEncoding encoding) {
  bool in_italics = false;
  std::size_t i = 0;
  const auto starts = [&](std::string_view tag) { return text.compare(i, tag.size(), tag) == 0; };
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '&' || c < 0x20 || c == 0x7F) return false;
    if (c == '<') {
      if (starts("<BR>")) {
        i += 4;
      } else if (!in_italics && starts("<I>")) {
        in_italics = true;
        i += 3;
      } else if (in_italics && starts("</I>")) {
        in_italics = false;
        i += 4;
      } else {
        return false;
      }
      continue;
    }
    if (c < 0x80) {
      ++i;
      continue;
    }
    if (encoding == platform::TextEncoding::kWindows1252) {
      if (platform::Cp1252ToCodePoint(c) < 0xA0) return false;  // a C1 control
      ++i;
      continue;
    }
    const char32_t value = platform::NextUtf8CodePoint(text, i);
    if (value == platform::kNotUtf8 || value < 0xA0 || (value >= 0xFDD0 && value <= 0xFDEF) ||
        (value & 0xFFFE) == 0xFFFE)
      return false;
  }
  return !in_italics;
}

}  // namespace

bool IsSafeNoteUrl(std::string_view url) {
  while (!url.empty() && static_cast<unsigned char>(url.front()) <= 0x20) url.remove_prefix(1);
  while (!url.empty() && static_cast<unsigned char>(url.back()) <= 0x20) url.remove_suffix(1);
  if (url.empty()) return false;
  // A browser drops tabs and line ends inside a URL and reads "\" as "/": either could
  // hide a scheme or a climb out of the folder.
  for (char c : url)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '\\') return false;
  std::size_t colon = url.find(':');
  std::size_t path_start = url.find_first_of("/?#");
  if (colon != std::string_view::npos && colon < path_start) {
    std::string_view scheme = url.substr(0, colon);
    return EqualsNoCase(scheme, "http") || EqualsNoCase(scheme, "https") ||
           EqualsNoCase(scheme, "mailto");
  }
  // A relative path: not from the root or another host, and never up a folder ("%2e" is a
  // dot to a browser).
  if (url.front() == '/') return false;
  std::string lower(url);
  for (char& c : lower) c = LowerAscii(c);
  return lower.find("..") == std::string::npos && lower.find("%2e") == std::string::npos;
}

std::string SanitizeNoteMarkup(std::string_view text, platform::TextEncoding encoding) {
  if (text.find_first_of("<&") == std::string_view::npos) return store::StoreEscapedText(text);
  if (OwnMarkupOnly(text, encoding)) return EscapeKeepingOwnMarkup(text);
  return ParseNoteMarkup(text, encoding);
}

std::string ParseNoteMarkup(std::string_view text, platform::TextEncoding encoding) {
  if (PossibleTags(text) > kMaxNoteTags) return EscapeKeepingOwnMarkup(text);
  const bool cp1252 = encoding == platform::TextEncoding::kWindows1252;
  const std::string utf8 = cp1252 ? platform::Cp1252ToUtf8(text) : std::string(text);
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = 0;
  options.fragment_context = GUMBO_TAG_DIV;
  options.fragment_namespace = GUMBO_NAMESPACE_HTML;
  GumboOutput* output = gumbo_parse_with_options(&options, utf8.data(), utf8.size());
  if (output == nullptr) return EscapeKeepingOwnMarkup(text);
  std::string markup = Writer().Write(output->document);
  gumbo_destroy_output(&options, output);
  return cp1252 ? Utf8ToSiteText(markup, platform::TextEncoding::kWindows1252) : markup;
}

std::string SanitizeNoteItem(std::string_view text, platform::TextEncoding encoding) {
  if (!text.empty() && text.front() == '@') {
    std::size_t second = text.find('@', 1);
    if (second != std::string_view::npos)
      return std::string(text.substr(0, second + 1)) +
             SanitizeNoteMarkup(text.substr(second + 1), encoding);
  }
  return SanitizeNoteMarkup(text, encoding);
}

}  // namespace kinloom::gedcom
