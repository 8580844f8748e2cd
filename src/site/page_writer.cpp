#include "site/page_writer.h"

#include "store/store_text.h"

#include <cstdio>
#include <utility>

#include "gedcom/encoding.h"
#include "lang/ui_text.h"
#include "platform/program_end.h"
#include "platform/system_error.h"
#include "run/product.h"
#include "run/progress_display.h"
#include "store/genealogy_store.h"

namespace kinloom::site {

namespace {

// The page buffer holds at most this many characters before it goes to the file.
constexpr std::size_t kPageBufferLimit = 8191;

constexpr int kMessageCreateFailed = 2266;
constexpr int kMessageCloseFailed = 2370;
constexpr int kMessageForeignPage = 2703;

constexpr int kLabelRedDot = 12361;
constexpr int kLabelDirectAncestors = 12362;
constexpr int kLabelProducedBy = 12390;
constexpr int kLabelPrivacy = 12404;
constexpr int kLabelIconLink = 12405;
constexpr int kLabelBackToMain = 12414;
constexpr int kLabelVersion = 12422;
constexpr int kLabelCopyright = 12486;

std::string Colour(std::uint32_t value) {
  return lang::FormatText("%06lx", static_cast<unsigned long>(value));
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::size_t FileNameStart(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i)
    if (IsSeparator(path[i - 1])) return i;
  return 0;
}

}  // namespace

std::string EscapeHtml(std::string_view text) { return store::StoreEscapedText(text); }

namespace {

// A text the user typed, made safe inside a single-quoted attribute.
std::string AttributeText(std::string_view text) {
  std::string out;
  for (char c : EscapeHtml(text)) {
    if (c == '\'')
      out += "&#39;";
    else
      out += c;
  }
  return out;
}

}  // namespace

std::string LowerCaseFileName(std::string_view path) {
  std::string out(path);
  for (std::size_t i = FileNameStart(path); i < out.size(); ++i)
    if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
  return out;
}

std::string FamilyGroupHref(const SiteLanguage& language, const settings::Settings& settings,
                            std::int32_t group) {
  // "Groups" is at least 1 in a valid store; a zero must not divide.
  const std::int64_t per_page = settings.groups == 0 ? 1 : settings.groups;
  const std::int64_t g = group;
  return lang::FormatText("%s_%llx.%s#%lli", language.Prefix(PageKind::kFamilyGroup).c_str(),
                          static_cast<unsigned long long>(g / per_page),
                          settings.htm ? "htm" : "html", static_cast<long long>(g % per_page));
}

PageWriter::PageWriter(run::RunContext& context, const lang::LabelSet& labels,
                       const SiteLanguage& language)
    : context_(context), labels_(labels), language_(language) {
  buffer_.reserve(kPageBufferLimit + 1);
}

PageWriter::~PageWriter() {
  // A page left open by a program end is abandoned; its buffer is not written.
  if (file_) file_->Close();
}

void PageWriter::CountExtraFile() {
  ++pages_written_;
  CountWrite();
  if (run::RunStatistics* statistics = run::StatisticsOf(context_.state))
    ++statistics->files_created;
}

void PageWriter::CountWrite() {
  ++buffer_writes_;
  if (run::RunStatistics* statistics = run::StatisticsOf(context_.state))
    ++statistics->writes_to_disk;
}

void PageWriter::CountFile(const std::string& path) {
  run::RunStatistics* statistics = run::StatisticsOf(context_.state);
  if (statistics == nullptr) return;
  ++statistics->files_created;
  const std::string_view name = std::string_view(path).substr(FileNameStart(path));
  auto is = [&](PageKind kind) {
    const std::string& prefix = language_.Prefix(kind);
    return !prefix.empty() && name.size() > prefix.size() &&
           name.compare(0, prefix.size(), prefix) == 0 && name[prefix.size()] == '_';
  };
  std::uint64_t* count = is(PageKind::kFamilyGroup)           ? &statistics->family_group_files
                         : is(PageKind::kDescendancy)         ? &statistics->descendancy_files
                         : is(PageKind::kExtendedDescendancy) ? &statistics->descendancy_overflow_files
                         : is(PageKind::kPedigree)            ? &statistics->pedigree_files
                         : is(PageKind::kExtendedPedigree)    ? &statistics->pedigree_overflow_files
                         : is(PageKind::kNotes)               ? &statistics->notes_files
                                                              : nullptr;
  if (count != nullptr) ++*count;
}

std::string PageWriter::PageExtension() const { return context_.settings.htm ? "htm" : "html"; }

platform::TextEncoding PageWriter::TextEncoding() const {
  return gedcom::TextEncodingFor(context_.state.source_encoding);
}

platform::TextEncoding PageWriter::SiteEncoding() const {
  return gedcom::SiteEncodingFor(context_.state.source_encoding);
}

std::string PageWriter::ProgramText(std::string_view cp1252) const {
  return gedcom::ProgramTextToSite(cp1252, TextEncoding());
}

std::string PageWriter::SystemNameText(std::string_view name) const {
  if (TextEncoding() == platform::TextEncoding::kWindows1252)
    return gedcom::Utf8ToSiteText(name, platform::TextEncoding::kWindows1252);
  // A name that is not valid UTF-8 must not make the page invalid.
  std::string out;
  gedcom::InputDecoder(gedcom::SourceEncoding::kUtf8).Decode(name, true, &out);
  return out;
}

void PageWriter::WriteToFile(std::string_view text) {
  if (!file_) return;
  std::string site_text;
  if (TextEncoding() != SiteEncoding()) {
    // Pieces are whole characters, so a block of them converts on its own.
    site_text = gedcom::Utf8ToSiteText(text, SiteEncoding());
    text = site_text;
  }
  // The file is a text file in the Windows sense: every line feed becomes CR LF.
  std::string& out = file_text_;
  out.clear();
  out.reserve(text.size() + text.size() / 16);
  std::size_t start = 0;
  for (std::size_t feed; (feed = text.find('\n', start)) != std::string_view::npos;
       start = feed + 1) {
    out.append(text, start, feed - start);
    out.append("\r\n", 2);
  }
  out.append(text, start, std::string_view::npos);
  // A failed write (a full disk, a folder removed under the run) is kept and reported when
  // the file is closed, with the message of the page kind that writes it.
  if (!out.empty() && write_error_ == 0) write_error_ = file_->Write(out.data(), out.size());
}

void PageWriter::Create(const std::string& path, const std::string* plain_failure_message) {
  if (file_) CloseFile();
  // Only the file name is lower-cased: the folders keep their case, so that a folder with
  // capitals is still the folder the user chose. A trailing backslash separator (some page
  // kinds compose "folder\name") is written as "/" so that the file lands inside the folder.
  std::string lowered = LowerCaseFileName(path);
  std::size_t start = FileNameStart(lowered);
  if (start > 0 && lowered[start - 1] == '\\') lowered[start - 1] = '/';
  // Names on disk are UTF-8 whatever the site's encoding: a browser turns the name a link
  // spells (Æ as one Windows-1252 byte, or as UTF-8) into the UTF-8 of that character.
  if (TextEncoding() == platform::TextEncoding::kWindows1252)
    lowered = lowered.substr(0, start) + platform::Cp1252ToUtf8(lowered.substr(start));
  path_ = lowered;
  buffer_.clear();
  if (context_.state.foreign_pages.count(path_.substr(start)) != 0) {
    context_.ui.ShowMessage(
        lang::FormatText(lang::LoadUiText(kMessageForeignPage, context_.settings).c_str(),
                         path_.c_str()),
        "", platform::MessageIcon::kWarning, platform::MessageButtons::kOk);
    platform::EndProgram(1, "kept page " + path_);
  }
  int error = 0;
  file_ = context_.fs.Create(path_, &error);
  if (file_) CountFile(path_);
  if (!file_) {
    if (plain_failure_message) {
      context_.ui.ShowMessage(*plain_failure_message, "", platform::MessageIcon::kWarning,
                              platform::MessageButtons::kOk);
    } else {
      std::string message = lang::FormatText(
          lang::LoadUiText(kMessageCreateFailed, context_.settings).c_str(), path_.c_str());
      platform::ReportSystemError(context_.ui, message, error);
    }
    platform::EndProgram(1, "cannot create " + path_);
  }
}

void PageWriter::OpenPage(const std::string& path, const std::string& title, bool with_notices,
                          bool with_meta_tags) {
  Create(path, nullptr);
  const settings::Settings& s = context_.settings;

  AppendHtml("<html><head>");
  AppendHtml(gedcom::CharsetMetaTag(SiteEncoding()));
  if (s.meta_refresh_tag) {
    AppendHtml(lang::FormatText("<meta http-equiv=\"Refresh\" content=\"%llu\">",
                                static_cast<unsigned long long>(s.meta_refresh_value) * 3600));
  }
  if (with_meta_tags) {
    const std::string product = ProgramText(run::kProductString);
    AppendHtml(lang::FormatText("<meta name='GENERATOR' content='%s Version %1.2f'>",
                                product.c_str(), run::kProgramVersion));
    AppendHtml(lang::FormatText("<meta name='Author' content='%s'>", run::kAuthorName));
    AppendHtml(lang::FormatText("<meta name='CONTACT INFO' content='%s'>", run::kContactAddress));
    AppendHtml(lang::FormatText("<meta name='Website Address' content='%s'>", run::kHomePage));
    AppendHtml("<meta name='Description' content='Program to export GEDCOM file to HTML'>");
    AppendHtml(lang::FormatText(
        "<meta name='KeyWords' content='GEDCOM to HTML, Software, Genealogy, Family Tree, %s, "
        "%s'>",
        product.c_str(), run::kAuthorName));
    // The custom meta tags stand between these two pieces, up to the first one without a
    // name; a full table leaves out the second piece.
    AppendHtml("\n\n");
    int written = 0;
    for (const settings::CustomLink& tag : s.meta_tags) {
      if (tag.text.empty()) break;
      AppendHtml("<meta name='" + ProgramText(AttributeText(tag.text)) + "' content='" +
                 ProgramText(AttributeText(tag.hyperlink)) + "'>\n");
      ++written;
    }
    if (written < settings::kLinkSlots) AppendHtml("\n\n");
  }
  AppendHtml("<title>" + title + "</title>");
  AppendHtml("</head>");
  AppendHtml("<body");
  if (s.use_custom_colors) {
    if (!s.use_default_background && !s.use_custom_background)
      AppendHtml(" BGCOLOR='" + Colour(s.colours[settings::kColourBackground]) + "'");
    AppendHtml(" TEXT='" + Colour(s.colours[settings::kColourText]) + "' LINK='" +
               Colour(s.colours[settings::kColourLink]) + "' VLINK='" +
               Colour(s.colours[settings::kColourVisitedLink]) + "'");
  }
  if (s.use_custom_background && !s.custom_background.empty())
    AppendHtml(" bgproperties=\"fixed\" background=\"" + s.custom_background + "\"");
  if (s.use_default_background) AppendHtml(" bgproperties=\"fixed\" background=\"q2.gif\"");
  AppendHtml(">");
  AppendHtml("<center><h2>" + title + "</h2></center>");

  const bool mark_ancestors = context_.state.mark_all_ancestors;
  if (with_notices && mark_ancestors) WriteAncestorNotice();
  if (with_notices && s.suppress_living) {
    if (!mark_ancestors) AppendHtml("<center><small>");
    AppendHtml(labels_.Get(kLabelPrivacy) + ".</small></center>");
  }
  WriteRule();
  ++pages_written_;
}

void PageWriter::OpenFile(const std::string& path, const std::string& failure_message) {
  ++pages_written_;
  Create(path, &failure_message);
}

void PageWriter::AppendHtml(std::string_view text) {
  if (text.size() + buffer_.size() > kPageBufferLimit) {
    WriteToFile(buffer_);
    CountWrite();
    buffer_.clear();
  }
  if (text.size() > kPageBufferLimit) {
    WriteToFile(text);
    return;
  }
  buffer_.append(text);
}

void PageWriter::FlushPageBuffer() {
  if (buffer_.empty()) return;
  WriteToFile(buffer_);
  CountWrite();
  buffer_.clear();
}

void PageWriter::WriteRule() { AppendHtml("<hr size=4 width='80%'>"); }

void PageWriter::WriteAncestorNotice() {
  const settings::Settings& s = context_.settings;
  AppendHtml("<center><small>" + labels_.Get(kLabelRedDot) + " ");
  AppendHtml("<img src=\"q5.gif\" border=0 >");
  AppendHtml(" " + labels_.Get(kLabelDirectAncestors));
  const int index = context_.state.ancestor_index;
  const store::IndividualRecord* ancestor = nullptr;
  if (index >= 0 && static_cast<std::size_t>(index) < context_.store.individuals.size())
    ancestor = &context_.store.individuals[static_cast<std::size_t>(index)];
  if (ancestor) {
    if (s.create_family_groups)
      AppendHtml("<a href=\"" + FamilyGroupHref(language_, s, ancestor->group) + "\">");
    if (!ancestor->given_names.empty()) AppendHtml(ancestor->given_names + " ");
    if (!ancestor->surname.empty()) AppendHtml(ancestor->surname);
    if (!ancestor->title.empty()) AppendHtml(ancestor->title);
    if (s.create_family_groups) AppendHtml("</a>");
  }
  AppendHtml(s.suppress_living ? "<br>" : "</small></center>");
}

void PageWriter::WriteProducedBy() {
  AppendHtml("<P>");
  WriteRule();
  AppendHtml("<center><p><i>" + labels_.Get(kLabelProducedBy));
  const std::string product = ProgramText(run::kProductString);
  AppendHtml(lang::FormatText("<a href= %s><img src=\"q1.gif\" alt=\"%s %s\" BORDER=\"0\"></a>",
                              run::kHomePage, product.c_str(),
                              labels_.Get(kLabelIconLink).c_str()));
  AppendHtml("<a href=");
  AppendHtml(lang::FormatText("%s.%s>%s  </a>%s %1.2f ",
                              language_.Prefix(PageKind::kAuthor).c_str(), PageExtension().c_str(),
                              product.c_str(), labels_.Get(kLabelVersion).c_str(),
                              run::kProgramVersion));
  AppendHtml("</i>.</p></center>");
}

void PageWriter::WriteBackLink() {
  AppendHtml("<center><h3><a href=\"" + language_.index_name + "." + PageExtension() + "\">" +
             labels_.Get(kLabelBackToMain) + "</a></h3></center>");
}

void PageWriter::WriteSourceAndCopyright() {
  const settings::Settings& s = context_.settings;
  if (s.create_link_to_gedcom_file) {
    const std::string& input = context_.state.gedcom_path;
    std::string name = input.substr(FileNameStart(input));
    AppendHtml("<center>" + SystemNameText(EscapeHtml(name)) + " " + language_.date_stamp +
               "</center>");
  }
  if (!s.owner.user_name.empty() && s.include_copyright) {
    std::time_t now = clock_                     ? clock_()
                      : context_.progress != nullptr ? context_.progress->Now()
                                                     : std::time(nullptr);
    std::tm local{};
    if (std::tm* t = std::localtime(&now)) local = *t;
    AppendHtml(lang::FormatText("<center><i>%s %04d %s </i></center><p>",
                                labels_.Get(kLabelCopyright).c_str(), local.tm_year + 1900,
                                s.owner.user_name.c_str()));
  }
}

void PageWriter::Close(const std::string& failure_message) {
  FlushPageBuffer();
  if (!file_) return;
  std::unique_ptr<platform::OutputFile> file = std::move(file_);
  const int write_error = write_error_;
  write_error_ = 0;
  if (file->Close() != 0 || write_error != 0) {
    context_.ui.ShowMessage(failure_message, "", platform::MessageIcon::kWarning,
                            platform::MessageButtons::kOk);
    platform::EndProgram(1, "cannot close " + path_);
  }
}

void PageWriter::CloseFile() {
  Close(lang::FormatText(lang::LoadUiText(kMessageCloseFailed, context_.settings).c_str(),
                         run::kProductString));
}

void PageWriter::CloseFile(const std::string& failure_message) { Close(failure_message); }

int PageWriter::ClosePage() {
  WriteProducedBy();
  WriteBackLink();
  WriteSourceAndCopyright();
  AppendHtml("</body></html>");
  CloseFile();
  return 1;
}

}  // namespace kinloom::site
