// Fuzz target: the note sanitizer in both text encodings. Every tag of its output must be a
// kept one with only the kept attributes, and the tags must be balanced, so that a note can
// never change the page around it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/note_markup.h"

using namespace kinloom;

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

bool KeptTag(const std::string& name) {
  for (const char* kept :
       {"b", "i", "u", "em", "strong", "br", "p", "ul", "ol", "li", "blockquote", "a", "img"})
    if (name == kept) return true;
  return false;
}

// The attribute names of a tag's text after its name: each must be href, src or alt, with a
// quoted value.
bool KeptAttributes(std::string_view rest) {
  std::size_t i = 0;
  while (i < rest.size()) {
    if (rest[i] == ' ') {
      ++i;
      continue;
    }
    std::size_t equals = rest.find('=', i);
    if (equals == std::string_view::npos || equals + 1 >= rest.size() || rest[equals + 1] != '"')
      return false;
    const std::string name(rest.substr(i, equals - i));
    if (name != "href" && name != "src" && name != "alt") return false;
    std::size_t close = rest.find('"', equals + 2);
    if (close == std::string_view::npos) return false;
    i = close + 1;
  }
  return true;
}

void Check(const std::string& out) {
  std::vector<std::string> open;
  for (std::size_t at = out.find('<'); at != std::string::npos; at = out.find('<', at + 1)) {
    const std::size_t close = out.find('>', at);
    if (close == std::string::npos) std::abort();
    const std::string_view tag = std::string_view(out).substr(at + 1, close - at - 1);
    const bool end = !tag.empty() && tag.front() == '/';
    const std::string_view body = tag.substr(end ? 1 : 0);
    const std::size_t name_end = std::min(body.find(' '), body.size());
    const std::string name = Lower(body.substr(0, name_end));
    if (!KeptTag(name) || !KeptAttributes(body.substr(name_end))) std::abort();
    if (end) {
      if (open.empty() || open.back() != name) std::abort();
      open.pop_back();
    } else if (name != "br" && name != "img") {
      open.push_back(name);
    }
  }
  if (!open.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (platform::TextEncoding encoding :
       {platform::TextEncoding::kUtf8, platform::TextEncoding::kWindows1252}) {
    Check(gedcom::SanitizeNoteMarkup(text, encoding));
    (void)gedcom::SanitizeNoteItem(text, encoding);
  }
  return 0;
}
