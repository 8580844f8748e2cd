// The author page of one language ("r.htm" in English): whom to ask about the genealogy
// (the database owner, with a mail link) and the program's own credits, version and
// contact. Every produced-by block of the site links to it.
#pragma once

#include <string_view>

#include "run/product.h"
#include "site/page_style.h"
#include "site/page_writer.h"

namespace kinloom::site {

// The fixed build-date text of the credits.
inline constexpr char kBuildDate[] = "Nov 10 2000";
// The subject of the maker's contact mail link, followed there by the version.
inline constexpr char kContactSubject[] = "?subject=KINLOOM question, version";

// Writes the author page of the current language through `writer`, with the owner from
// "User Name" and "Email Address" and the translator of the current language, in `style`
// (the classic pages when none is given). A file that cannot be created or closed is
// reported and ends the program.
void WriteAuthorPage(PageWriter& writer, PageStyle& style);
void WriteAuthorPage(PageWriter& writer);

// Label 12388 with its two placeholders ("%s" the product, "%1.2f" the version) filled in
// their order, the product by `product` (the program's own "KINLOOM© " unless the page
// needs it in another encoding). A text holding other placeholders is written as it stands.
std::string FormatProducedSentence(const std::string& label,
                                   std::string_view product = run::kProductString);

}  // namespace kinloom::site
