// The content of the page frame, decided from the options, the run and the current language
// before a style writes it: what the head of a page carries (meta tags, colours,
// backgrounds, notices), the ancestor notice, the link back to the main page and the foot.
#pragma once

#include <string>

#include "site/page_style.h"

namespace kinloom::site {

// The head of a page titled `title` (page text). The notices are left out unless
// `with_notices`; the meta tags unless `with_meta_tags`.
PageStyle::PageHead PageHeadFacts(const PageWriter& writer, const std::string& title,
                                  bool with_notices, bool with_meta_tags);

// The notice naming the chosen ancestor ("Ancestor Id"), linked to the ancestor's family
// group when family group pages are made.
PageStyle::AncestorNotice AncestorNoticeFacts(const PageWriter& writer);

// The main index page of the current language: "index.htm".
PageStyle::MainPageLink MainPageLinkFacts(const PageWriter& writer);

// The foot of a page, with the link back to the main page when `with_back_link`. The
// copyright year is the writer's clock's (local time).
PageStyle::PageFoot PageFootFacts(const PageWriter& writer, bool with_back_link);

}  // namespace kinloom::site
