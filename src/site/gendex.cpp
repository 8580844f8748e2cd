#include "site/gendex.h"

#include <initializer_list>

#include "lang/ui_text.h"
#include "run/product.h"
#include "site/page_facts.h"
#include "store/genealogy_store.h"

namespace kinloom::site {

namespace {

constexpr int kLabelNotShown = 12424;
constexpr int kMessageCreateFailed = 2381;
constexpr int kMessageCloseFailed = 2382;

}  // namespace

std::string GendexLine(PageWriter& writer, const store::IndividualRecord& person) {
  PageWriter& w = writer;
  const settings::Settings& s = w.context().settings;

  std::string surname, full_name;
  int slashes = 0;
  for (char c : person.name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 128) continue;
    full_name += c;
    if (c == '/') {
      ++slashes;
    } else if (slashes == 1) {
      surname += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
  }

  const ShownDates dates = DatesShown(person, DatesOn::kGendex, s);
  const std::string birth_date =
      dates.birth.withheld ? w.labels().Get(kLabelNotShown) : std::string(dates.birth.date);
  const std::string birth_place(dates.birth.place);
  const std::string death_date(dates.death.date);
  const std::string death_place(dates.death.place);

  std::string line = FamilyGroupHref(MakePageNaming(w.language(), s), person.group);
  for (const std::string* field : std::initializer_list<const std::string*>{
           &surname, &full_name, &birth_date, &birth_place, &death_date, &death_place}) {
    line += '|';
    line += *field;
  }
  line += "|\n";
  return line;
}

void WriteGendexFile(PageWriter& writer) {
  run::RunContext& context = writer.context();
  writer.OpenFile(context.state.output_folder + "/gendex.txt",
                  lang::LoadUiText(kMessageCreateFailed, context.settings));
  for (const store::IndividualRecord& person : context.store.individuals)
    if (person.defined) writer.AppendHtml(GendexLine(writer, person));
  writer.CloseFile(lang::FormatText(lang::LoadUiText(kMessageCloseFailed, context.settings).c_str(),
                                    run::kProductString));
}

}  // namespace kinloom::site
