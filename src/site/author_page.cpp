#include "site/author_page.h"

#include "lang/ui_text.h"
#include "run/product.h"

namespace kinloom::site {

namespace {

constexpr int kLabelProducedWith = 12388;
constexpr int kLabelMoreInformation = 12393;
constexpr int kLabelContact = 12394;
constexpr int kLabelVisitHomepage = 12395;
constexpr int kLabelAt = 12396;
constexpr int kLabelTranslation = 12428;
constexpr int kLabelCompiledOn = 12429;
constexpr int kLabelAddress = 12430;  // French only ("l'adresse")
constexpr int kLabelWebPage = 12432;
constexpr int kLabelOwnerNote = 12447;
constexpr int kLabelNoOwnerName = 12448;
constexpr int kLabelNoOwnerEmail = 12449;
constexpr int kMessageCloseFailed = 2322;

constexpr int kFrench = 1;

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

int WriteAuthorPage(PageWriter& writer) {
  run::RunContext& context = writer.context();
  const settings::Settings& s = context.settings;
  const lang::LabelSet& labels = writer.labels();
  const SiteLanguage& language = writer.language();
  const std::string& name = s.owner.user_name;
  const std::string& email = s.owner.email_address;
  const bool french = language.language == kFrench;
  const std::string product = writer.ProgramText(run::kProductString);

  writer.OpenPage(context.state.output_folder + "/" + language.Prefix(PageKind::kAuthor) + "." +
                      writer.PageExtension(),
                  product, false, true);
  writer.AppendHtml("<center><font color=\"FF0000\">" + labels.Get(kLabelOwnerNote) +
                    "</font><br>");
  if (!email.empty()) writer.AppendHtml("<a href=mailto:" + email + ">");
  writer.AppendHtml(!name.empty() ? name : "<br>[" + labels.Get(kLabelNoOwnerName) + "]");
  writer.AppendHtml(!email.empty() ? " [" + email + "]</a>"
                                   : "<br>[" + labels.Get(kLabelNoOwnerEmail) + "]");
  writer.AppendHtml("</center>");
  writer.WriteRule();

  writer.AppendHtml("<center><p><i>" +
                    FormatProducedSentence(labels.Get(kLabelProducedWith), product));
  writer.AppendHtml(labels.Get(kLabelCompiledOn) + " " + kBuildDate + ".<p>");
  if (language.language != 0) {
    writer.AppendHtml(labels.Get(kLabelTranslation) + " " + language.translator_name +
                      " <a href=\"mailto:" + language.translator_address + "\">" +
                      language.translator_address + "</a> <p>");
  }
  writer.AppendHtml(labels.Get(kLabelMoreInformation) + " " + product + ", " +
                    labels.Get(kLabelContact) + " " + run::kAuthorName + " " +
                    labels.Get(kLabelAt) + " ");
  writer.AppendHtml(lang::FormatText("<a href=\"mailto:%s%s %2.2f\">%s</a>", run::kContactAddress,
                                     kContactSubject, run::kProgramVersion, run::kContactAddress));
  writer.AppendHtml(" <br>" + labels.Get(kLabelVisitHomepage) + " " + product + " " +
                    (french ? std::string() : labels.Get(kLabelWebPage)) + " " +
                    labels.Get(kLabelAt) + " " +
                    (french ? labels.Get(kLabelAddress) : std::string()) + " ");
  writer.AppendHtml(std::string("<a href=\"") + run::kHomePage + "\">");
  writer.AppendHtml(std::string(run::kHomePage) + "</a>");
  writer.AppendHtml("</i>.</p></center>");
  if (!s.minimize_absolute && !s.one_index_page_link) writer.WriteBackLink();
  writer.AppendHtml("</body></html>");
  writer.CloseFile(lang::FormatText(lang::LoadUiText(kMessageCloseFailed, s).c_str(),
                                    writer.path().c_str(), run::kProductString));
  return 1;
}

}  // namespace kinloom::site
