// A site being written for one language over a hand-built store: the test run, the current
// language values, the page writer and the site context the page kinds take.
#pragma once

#include <functional>
#include <string>

#include "site/site_driver.h"
#include "site/test_store.h"
#include "store/page_layout.h"
#include "store/sort_keys.h"

namespace kinloom::testing {

struct SiteFixture {
  TestRun run;
  site::SiteLanguage language;
  lang::LabelSet labels;
  std::unique_ptr<site::PageWriter> writer;
  std::unique_ptr<site::SiteContext> site;

  SiteFixture() {
    run.settings.use_default_background = 0;
    run.settings.create_link_to_gedcom_file = 0;
    run.settings.suppress_living = 0;
    run.settings.create_notes_pages[0] = 0;
    run.settings.create_pedigree_groups = 0;
    run.settings.create_descendancy_groups = 0;
    run.settings.gender = 0;
  }

  // Builds the derived order and the site context for `lang_index`.
  site::SiteContext& Start(int lang_index = 0) {
    store::BuildSortKeys(run.store);
    store::AssignFamilyGroups(run.store);
    store::SortIndividuals(run.store);
    language = site::MakeSiteLanguage(run.settings, lang_index);
    language.date_stamp = "Monday, 7 December 2026";
    labels.SetLanguage(lang_index);
    writer = std::make_unique<site::PageWriter>(run.context, labels, language);
    site = std::make_unique<site::SiteContext>(run.context, language, labels, *writer);

    site->layout_to_fill().notes = site::LayOutNotes(run.store);

    return *site;
  }

  // What `write` appends to a page, without the page's head and foot.
  std::string Body(const std::function<void()>& write) {
    writer->OpenPage("/out/probe.htm", "probe", false, false);
    writer->AppendHtml("[[");
    write();
    writer->AppendHtml("]]");
    writer->ClosePage();
    std::string page = run.fs.Read("/out/probe.htm");
    std::size_t from = page.find("[[");
    std::size_t to = page.rfind("]]");
    if (from == std::string::npos || to == std::string::npos) return "<no body>";
    return page.substr(from + 2, to - from - 2);
  }
};

}  // namespace kinloom::testing
