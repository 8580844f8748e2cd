#include "site/page_facts.h"

#include <algorithm>
#include <climits>

#include "lang/ui_text.h"
#include "store/sort_keys.h"

namespace kinloom::site {

// ---- dates and places a person shows ----


// ---- family groups: who is described in full ----


// ---- links, page-file names, items per page ----

namespace {

std::string PlaceHref(const PageNaming& naming, PageKind kind, PagePlace place) {
  return lang::FormatText("%s_%llx.%s#%lli", naming.Prefix(kind).c_str(),
                          static_cast<unsigned long long>(place.page), naming.extension.c_str(),
                          static_cast<long long>(place.anchor));
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

int ItemsPerPage(std::uint32_t option) {
  return static_cast<int>(std::clamp<std::uint32_t>(option, 1, INT_MAX));
}

PagePlace PlaceOfItem(std::int64_t item, int per_page) {
  return {item / per_page, item % per_page};
}

PageNaming MakePageNaming(const SiteLanguage& language, const settings::Settings& settings) {
  return {&language, settings.htm ? "htm" : "html", ItemsPerPage(settings.groups),
          ItemsPerPage(settings.groups_notes)};
}

std::string FamilyGroupHref(const PageNaming& naming, std::int32_t group) {
  return PlaceHref(naming, PageKind::kFamilyGroup, PlaceOfItem(group, naming.groups));
}

std::string NotesHref(const PageNaming& naming, std::int32_t entry) {
  return PlaceHref(naming, PageKind::kNotes, PlaceOfItem(entry, naming.groups_notes));
}

std::string ChartHref(const PageNaming& naming, PageKind plain_kind, PageKind extended_kind,
                      const ChartAppearance& appearance) {
  return lang::FormatText(
      "%s_%x.%s#%d", naming.Prefix(appearance.extended ? extended_kind : plain_kind).c_str(),
      static_cast<unsigned>(appearance.page), naming.extension.c_str(), appearance.anchor);
}

PersonTarget PersonLinkTarget(const PageNaming& naming, PersonLinkKind kind,
                              const store::IndividualRecord& person, const ChartAppearance* chart) {
  PersonTarget target;
  switch (kind) {
    case PersonLinkKind::kFamilyGroup:
      target.href = FamilyGroupHref(naming, person.group);
      break;
    case PersonLinkKind::kNotes:
      // The entry number, never a note record's table position: the notes pages are
      // numbered by entries, so a record's position would land on someone else's entry.
      if (person.notes_page != -1) target.href = NotesHref(naming, person.notes_page);
      break;
    case PersonLinkKind::kDescendancy:
      target.shown = chart != nullptr;
      if (chart)
        target.href =
            ChartHref(naming, PageKind::kDescendancy, PageKind::kExtendedDescendancy, *chart);
      break;
    case PersonLinkKind::kPedigree:
      target.shown = chart != nullptr;
      if (chart)
        target.href = ChartHref(naming, PageKind::kPedigree, PageKind::kExtendedPedigree, *chart);
      break;
  }
  return target;
}

std::string PersonLinkName(const store::IndividualRecord& person) {
  std::string name = person.surname;
  name += ", ";
  if (!person.given_names.empty()) name += person.given_names + " ";
  name += person.title;
  return name;
}

std::string MainIndexFile(const PageNaming& naming) {
  return naming.language->index_name + "." + naming.extension;
}

std::string SurnameListFile(const PageNaming& naming, PageKind list_kind) {
  return naming.Prefix(list_kind) + "." + naming.extension;
}

std::string SurnameIndexLetter(std::string_view sort_key, platform::TextEncoding encoding) {
  std::string letter(sort_key.substr(0, store::RecognisedLetterLength(sort_key, encoding)));
  if (letter.empty()) return "~";
  if (letter.size() == 1 && letter[0] >= 'a' && letter[0] <= 'z')
    letter[0] = static_cast<char>(letter[0] - 'a' + 'A');
  return letter;
}

std::string SurnameIndexFile(const PageNaming& naming, PageKind index_kind,
                             const std::string& letter) {
  std::string file_letter = letter == "~" ? "0" : letter;
  for (char& c : file_letter) c = LowerAscii(c);
  return naming.Prefix(index_kind) + "_" + file_letter + "." + naming.extension;
}


}  // namespace kinloom::site
