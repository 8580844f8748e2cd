#include "site/author_page.h"

#include "lang/ui_text.h"
#include "run/product.h"
#include "site/classic_style.h"

namespace kinloom::site {

namespace {

constexpr int kLabelProducedWith = 12388;
constexpr int kMessageCloseFailed = 2322;

}  // namespace

std::string FormatProducedSentence(const std::string& label, std::string_view product) {
  // The label is program data, but it is never handed to printf as a format: only the two
  // expected placeholders are filled, in order.
  std::string out;
  bool product_done = false, version_done = false;
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (label[i] == '%' && !product_done && label.compare(i, 2, "%s") == 0) {
      out += product;
      product_done = true;
      ++i;
    } else if (label[i] == '%' && product_done && !version_done &&
               label.compare(i, 5, "%1.2f") == 0) {
      out += lang::FormatText("%1.2f", run::kProgramVersion);
      version_done = true;
      i += 4;
    } else if (label[i] == '%' && label.compare(i, 2, "%%") == 0) {
      out += '%';
      ++i;
    } else {
      out += label[i];
    }
  }
  return out;
}

void WriteAuthorPage(PageWriter& writer, PageStyle& style) {
  run::RunContext& context = writer.context();
  const settings::Settings& s = context.settings;
  const SiteLanguage& language = writer.language();

  AuthorPageUnit page;
  page.owner_name = s.owner.user_name;
  page.owner_email = s.owner.email_address;
  page.product = writer.ProgramText(run::kProductString);
  page.produced_sentence =
      FormatProducedSentence(writer.labels().Get(kLabelProducedWith), page.product);
  page.build_date = kBuildDate;
  if (language.language != 0) page.translator_name = language.translator_name;
  page.translator_address = language.translator_address;
  page.author_name = run::kAuthorName;
  page.contact_address = run::kContactAddress;
  page.contact_subject = kContactSubject;
  page.home_page = run::kHomePage;
  page.version = run::kProgramVersion;
  page.back_link = !s.minimize_absolute && !s.one_index_page_link;

  writer.OpenPage(context.state.output_folder + "/" + language.Prefix(PageKind::kAuthor) + "." +
                      writer.PageExtension(),
                  page.product, false, true);
  style.AuthorPage(writer, page);
  writer.CloseFile(lang::FormatText(lang::LoadUiText(kMessageCloseFailed, s).c_str(),
                                    writer.path().c_str(), run::kProductString));
}

void WriteAuthorPage(PageWriter& writer) {
  ClassicStyle classic;
  WriteAuthorPage(writer, classic);
}

}  // namespace kinloom::site
