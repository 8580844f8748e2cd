#include "site/page_frame.h"

#include <ctime>

#include "platform/local_time.h"
#include "site/page_facts.h"
#include "store/genealogy_store.h"

namespace kinloom::site {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// The part of a path after its last slash or backslash.
std::string BaseName(const std::string& path) {
  for (std::size_t i = path.size(); i > 0; --i)
    if (IsSeparator(path[i - 1])) return path.substr(i);
  return path;
}

}  // namespace

PageStyle::AncestorNotice AncestorNoticeFacts(const PageWriter& writer) {
  const run::RunContext& context = writer.context();
  const settings::Settings& s = context.settings;
  PageStyle::AncestorNotice notice;
  notice.privacy_follows = s.suppress_living != 0;
  const int index = context.state.ancestor_index;
  if (index < 0 || static_cast<std::size_t>(index) >= context.store.individuals.size())
    return notice;
  const store::IndividualRecord& ancestor =
      context.store.individuals[static_cast<std::size_t>(index)];
  notice.ancestor_known = true;
  notice.linked = s.create_family_groups != 0;
  if (notice.linked)
    notice.target = FamilyGroupHref(MakePageNaming(writer.language(), s), ancestor.group);
  notice.given_names = ancestor.given_names;
  notice.surname = ancestor.surname;
  notice.title = ancestor.title;
  return notice;
}

PageStyle::PageHead PageHeadFacts(const PageWriter& writer, const std::string& title,
                                  bool with_notices, bool with_meta_tags) {
  const run::RunContext& context = writer.context();
  const settings::Settings& s = context.settings;
  PageStyle::PageHead head;
  head.title = title;
  head.refresh = s.meta_refresh_tag != 0;
  head.refresh_seconds = static_cast<unsigned long long>(s.meta_refresh_value) * 3600;
  head.meta_tags = with_meta_tags;
  if (with_meta_tags) {
    // The custom tags run up to the first one without a name.
    for (const settings::CustomLink& tag : s.meta_tags) {
      if (tag.text.empty()) break;
      head.custom_meta_tags.push_back(
          {writer.ProgramText(tag.text), writer.ProgramText(tag.hyperlink)});
    }
    head.meta_table_full = static_cast<int>(head.custom_meta_tags.size()) >= settings::kLinkSlots;
  }
  head.custom_colours = s.use_custom_colors != 0;
  head.background_colour = !s.use_default_background && !s.use_custom_background;
  head.background = s.colours[settings::kColourBackground];
  head.text = s.colours[settings::kColourText];
  head.link = s.colours[settings::kColourLink];
  head.visited_link = s.colours[settings::kColourVisitedLink];
  if (s.use_custom_background && !s.custom_background.empty())
    head.background_images.push_back(s.custom_background);
  if (s.use_default_background) head.background_images.push_back("q2.gif");
  head.ancestor_notice = with_notices && context.state.mark_all_ancestors;
  if (head.ancestor_notice) head.ancestor = AncestorNoticeFacts(writer);
  head.privacy_notice = with_notices && s.suppress_living;
  return head;
}

PageStyle::MainPageLink MainPageLinkFacts(const PageWriter& writer) {
  return {writer.language().index_name + "." + writer.PageExtension()};
}

PageStyle::PageFoot PageFootFacts(const PageWriter& writer, bool with_back_link) {
  const run::RunContext& context = writer.context();
  const settings::Settings& s = context.settings;
  PageStyle::PageFoot foot;
  foot.author_page = writer.language().Prefix(PageKind::kAuthor) + "." + writer.PageExtension();
  foot.back_link = with_back_link;
  if (with_back_link) foot.main_page = MainPageLinkFacts(writer);
  foot.source_line = s.create_link_to_gedcom_file != 0;
  if (foot.source_line) {
    foot.source_name = writer.SystemNameText(EscapeHtml(BaseName(context.state.gedcom_path)));
    foot.date_stamp = writer.language().date_stamp;
  }
  foot.copyright = !s.owner.user_name.empty() && s.include_copyright;
  if (foot.copyright) {
    std::time_t now = writer.Now();
    foot.copyright_year = platform::LocalTime(now).tm_year + 1900;
    foot.owner = s.owner.user_name;
  }
  return foot;
}

}  // namespace kinloom::site
