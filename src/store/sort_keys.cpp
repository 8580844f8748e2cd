#include "store/sort_keys.h"

#include "store/store_text.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace kinloom::store {
namespace {

std::string Escaped(std::string_view text) { return StoreEscapedText(text); }

bool EndsNamePart(char c) { return c == '/' || c == '\r' || c == '\n'; }

void AddAlsoKnownAs(IndividualRecord& person, std::string_view piece) {
  if (person.also_known_as.empty()) {
    person.also_known_as.assign(piece);
  } else {
    person.also_known_as += ", ";
    person.also_known_as.append(piece);
  }
}

void SplitName(IndividualRecord& person, std::string* surname, std::string* given) {
  std::string_view name = person.name;
  std::size_t slash = name.find('/');
  if (slash == std::string_view::npos) {
    given->assign(name);
    surname->clear();
    return;
  }
  given->assign(name.substr(0, slash));
  std::size_t pos = slash + 1;
  std::size_t end = pos;
  while (end < name.size() && !EndsNamePart(name[end])) ++end;
  surname->assign(name.substr(pos, end - pos));
  if (end >= name.size() || name[end] != '/') return;
  // Every piece after the closing slash, even an empty one, goes to also-known-as.
  pos = end + 1;
  while (true) {
    end = pos;
    while (end < name.size() && !EndsNamePart(name[end])) ++end;
    AddAlsoKnownAs(person, name.substr(pos, end - pos));
    if (end >= name.size() || name[end] != '/') break;
    pos = end + 1;
  }
}

}  // namespace

bool IsLetter(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

bool IsNordicLetter(unsigned char byte) { return byte == 0xC6 || byte == 0xD8 || byte == 0xC5; }

int IndexSlotOf(unsigned char byte) {
  if (byte >= 'A' && byte <= 'Z') return byte - 'A';
  if (byte >= 'a' && byte <= 'z') return byte - 'a';
  if (byte == 0xC6) return kSlotAE;
  if (byte == 0xD8) return kSlotOSlash;
  if (byte == 0xC5) return kSlotARing;
  return kOtherSlot;
}

namespace {

constexpr std::string_view kNordicUtf8[3] = {"\xC3\x86", "\xC3\x98", "\xC3\x85"};
constexpr std::string_view kNordicCp1252[3] = {"\xC6", "\xD8", "\xC5"};

}  // namespace

std::string_view NordicLetter(int slot, platform::TextEncoding encoding) {
  if (slot < kSlotAE || slot > kSlotARing) return {};
  return encoding == platform::TextEncoding::kUtf8 ? kNordicUtf8[slot - kSlotAE]
                                                   : kNordicCp1252[slot - kSlotAE];
}

std::size_t RecognisedLetterLength(std::string_view text, platform::TextEncoding encoding) {
  if (text.empty()) return 0;
  const auto first = static_cast<unsigned char>(text[0]);
  if (IsLetter(first)) return 1;
  if (encoding == platform::TextEncoding::kWindows1252) return IsNordicLetter(first) ? 1 : 0;
  for (std::string_view letter : kNordicUtf8)
    if (text.substr(0, letter.size()) == letter) return letter.size();
  return 0;
}

int IndexSlotOfText(std::string_view text, platform::TextEncoding encoding) {
  if (text.empty()) return kOtherSlot;
  if (encoding == platform::TextEncoding::kWindows1252)
    return IndexSlotOf(static_cast<unsigned char>(text[0]));
  if (IsLetter(static_cast<unsigned char>(text[0])))
    return IndexSlotOf(static_cast<unsigned char>(text[0]));
  for (int slot = kSlotAE; slot <= kSlotARing; ++slot)
    if (text.substr(0, kNordicUtf8[slot - kSlotAE].size()) == kNordicUtf8[slot - kSlotAE])
      return slot;
  return kOtherSlot;
}

void BuildSortKeys(GenealogyStore& store) {
  store.letter_presence = {};
  std::string surname, given;
  for (IndividualRecord& person : store.individuals) {
    if (!person.defined) continue;
    SplitName(person, &surname, &given);
    std::string key;
    if (surname.empty()) {
      key = "~ " + given;
    } else {
      key = RecognisedLetterLength(surname, store.text_encoding) > 0 ? "" : "~";
      key += surname;
      key += ' ';
      key += given;
    }
    for (char& c : key)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    person.surname = Escaped(surname);
    person.given_names = Escaped(given);
    person.sort_key = std::move(key);
    if (person.name.empty()) {
      person.defined = false;
      continue;
    }
    store.letter_presence[IndexSlotOfText(person.sort_key, store.text_encoding)] = true;
  }
}

void SortIndividuals(GenealogyStore& store) {
  std::vector<std::int32_t> order;
  order.reserve(store.individuals.size());
  for (const IndividualRecord& person : store.individuals)
    if (person.defined) order.push_back(&person - store.individuals.data());
  // std::string compares its bytes as unsigned char; the stable sort keeps equal keys in
  // table order so that every run of the same file gives the same pages.
  std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
    return store.individuals[a].sort_key < store.individuals[b].sort_key;
  });
  store.sorted_count = static_cast<int>(order.size());
  if (store.sorted_index.size() < order.size()) store.sorted_index.resize(order.size(), -1);
  std::copy(order.begin(), order.end(), store.sorted_index.begin());
}

}  // namespace kinloom::store
