#include "site/gedcom_copy.h"

#include "gedcom/line_reader.h"
#include "store/family_links.h"
#include "store/genealogy_store.h"

namespace kinloom::site {
namespace {

constexpr std::size_t kCopyBlock = 256 * 1024;

// Level and tag of a decoded line, found the way the line reader finds them: the level is
// the run of digits at the first digit, the token starts two characters after that digit.
struct LineHead {
  int level = -1;  // -1: a line without a level
  std::string_view token;
};

LineHead ParseHead(std::string_view text) {
  LineHead head;
  std::size_t i = 0;
  while (i < text.size() && text[i] != '\0' && !(text[i] >= '0' && text[i] <= '9')) ++i;
  if (i >= text.size() || text[i] == '\0') return head;
  const std::size_t first_digit = i;
  long long level = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && level < 1000000)
    level = level * 10 + (text[i++] - '0');
  head.level = static_cast<int>(level);
  std::size_t begin = first_digit + 2;
  if (begin > text.size()) return head;
  std::size_t end = begin;
  while (end < text.size() && text[end] != ' ' && text[end] != '\0') ++end;
  head.token = text.substr(begin, end - begin);
  return head;
}

// The record keyword of a level-0 line whose token is an id ("0 @I1@ INDI").
std::string_view RecordKeyword(std::string_view text, std::string_view token) {
  std::size_t at = text.find(token);
  if (at == std::string_view::npos) return {};
  std::size_t begin = at + token.size();
  while (begin < text.size() && text[begin] == ' ') ++begin;
  std::size_t end = begin;
  while (end < text.size() && text[end] != ' ' && text[end] != '\0') ++end;
  return text.substr(begin, end - begin);
}

bool PrintableAscii(std::string_view bytes) {
  for (char c : bytes)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

bool IsChristeningOrBirth(int code) {
  return code == gedcom::kTagBirt || code == gedcom::kTagChr || code == gedcom::kTagChra ||
         code == gedcom::kTagBapm || code == gedcom::kTagBapl;
}

}  // namespace

WithheldRecords WithheldForPrivacy(const store::GenealogyStore& store, bool suppress_living) {
  WithheldRecords withheld;
  if (!suppress_living) return withheld;
  auto living = [](const store::IndividualRecord* person) {
    return person && person->defined && !person->deceased;
  };
  for (const store::IndividualRecord& person : store.individuals) {
    if (!person.defined || person.deceased) continue;
    withheld.individuals.insert(person.id);
    for (const store::StoredText& family : person.spouse_families)
      withheld.families.insert(family);
  }
  for (const store::FamilyRecord& family : store.families) {
    if (family.defined &&
        (living(store::Husband(store, family)) || living(store::Wife(store, family))))
      withheld.families.insert(family.id);
  }
  return withheld;
}

PrivacyFilter::PrivacyFilter(gedcom::SourceEncoding encoding, const WithheldRecords& withheld)
    : encoding_(encoding),
      withheld_(withheld),
      width_(encoding == gedcom::SourceEncoding::kUtf16Le ||
                     encoding == gedcom::SourceEncoding::kUtf16Be
                 ? 2
                 : 1) {}

std::size_t PrivacyFilter::Unit(std::size_t i) const {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(pending_[k]); };
  if (width_ == 1) return byte(i);
  return encoding_ == gedcom::SourceEncoding::kUtf16Le ? byte(i) | (byte(i + 1) << 8)
                                                       : (byte(i) << 8) | byte(i + 1);
}

void PrivacyFilter::Feed(std::string_view bytes, bool last, std::string* out) {
  pending_.append(bytes);
  const std::size_t units = pending_.size() / width_;
  std::size_t line_start = 0;  // in units
  std::size_t i = 0;
  while (i < units) {
    if (width_ == 1) {
      // A byte is a unit: the line ends are looked for many bytes at a time.
      i = gedcom::FindLineEnd(pending_, i);
      if (i == std::string::npos) break;
    }
    const std::size_t unit = Unit(i * width_);
    if (unit != '\r' && unit != '\n') {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    if (unit == '\r') {
      // CR LF is one line end; a CR at the end of the bytes so far waits for the next chunk.
      if (end >= units && !last) break;
      if (end < units && Unit(end * width_) == '\n') ++end;
    }
    Line(std::string_view(pending_).substr(line_start * width_, (i - line_start) * width_),
         std::string_view(pending_).substr(i * width_, (end - i) * width_), out);
    line_start = i = end;
  }
  if (last) {
    // A last line without a line end, and an odd trailing byte of a UTF-16 file.
    if (line_start * width_ < pending_.size())
      Line(std::string_view(pending_).substr(line_start * width_), {}, out);
    pending_.clear();
    return;
  }
  pending_.erase(0, line_start * width_);
}

void PrivacyFilter::Line(std::string_view line, std::string_view line_end, std::string* out) {
  // A line of printable ASCII reads the same in every 8-bit encoding; only other lines are
  // decoded before their level and tag are read.
  std::string decoded;
  std::string_view text = line;
  if (width_ != 1 || !PrintableAscii(line)) {
    gedcom::InputDecoder(encoding_).Decode(line, true, &decoded);
    text = decoded;
  }
  const LineHead head = ParseHead(text);
  if (head.level >= 0 && skip_below_ >= 0) {
    if (head.level > skip_below_) {
      ++lines_withheld_;
      return;
    }
    skip_below_ = -1;
  }
  if (head.level == 0) {
    record_ = Record::kOther;
    dated_event_ = false;
    if (!head.token.empty() && head.token.front() == '@') {
      const std::string id = gedcom::ExtractXref(head.token);
      const int kind = gedcom::LookupTagName(RecordKeyword(text, head.token));
      if (kind == gedcom::kTagIndi && withheld_.individuals.count(id) != 0)
        record_ = Record::kWithheldIndividual;
      else if (kind == gedcom::kTagFam && withheld_.families.count(id) != 0)
        record_ = Record::kWithheldFamily;
    }
  } else if (head.level == 1) {
    const int code = gedcom::LookupTagName(head.token);
    dated_event_ = (record_ == Record::kWithheldIndividual && IsChristeningOrBirth(code)) ||
                   (record_ == Record::kWithheldFamily && code == gedcom::kTagMarr);
  } else if (head.level == 2 && dated_event_ &&
             gedcom::LookupTagName(head.token) == gedcom::kTagDate) {
    skip_below_ = 2;
    ++lines_withheld_;
    return;
  }
  out->append(line);
  out->append(line_end);
}

int CopyGedcomFile(run::RunContext& context, const std::string& destination) {
  const std::string& input = context.state.gedcom_path;
  const WithheldRecords withheld =
      WithheldForPrivacy(context.store, context.settings.suppress_living != 0);
  if (withheld.empty()) return context.fs.CopyFile(input, destination);

  int error = 0;
  auto in = context.fs.OpenForRead(input, &error);
  if (!in) return error;
  auto out = context.fs.CreateReplacing(destination, &error);
  if (!out) return error;
  PrivacyFilter filter(context.state.source_encoding, withheld);
  std::string block(kCopyBlock, '\0');
  std::string filtered;
  for (;;) {
    std::size_t got = 0;
    error = in->Read(block.data(), block.size(), &got);
    if (error != 0) return error;
    filtered.clear();
    filter.Feed(std::string_view(block.data(), got), got == 0, &filtered);
    if (!filtered.empty() && (error = out->Write(filtered.data(), filtered.size())) != 0)
      return error;
    if (got == 0) break;
  }
  in->Close();
  return out->Close();
}

}  // namespace kinloom::site
