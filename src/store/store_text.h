// How texts of the GEDCOM file are kept in the store: names, dates, places and titles are
// escaped for HTML once, when they are stored.
#pragma once

#include <string>
#include <string_view>

namespace kinloom::store {

// `text` with the double quote as "&quot;", "&" as "&amp;", "<" as "&lt;" and ">" as
// "&gt;"; every other byte unchanged. Any length.
std::string StoreEscapedText(std::string_view text);

}  // namespace kinloom::store
