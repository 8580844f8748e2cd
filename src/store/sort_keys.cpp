#include "store/sort_keys.h"

#include "store/store_text.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace kinloom::store {
namespace {

bool EndsNamePart(char c) { return c == '/' || c == '\r' || c == '\n'; }

void AddAlsoKnownAs(std::string& also_known_as, std::string_view piece) {
  if (!also_known_as.empty()) also_known_as += ", ";
  also_known_as.append(piece);
}

// Splits the name into `surname` and `given`; the pieces after the surname are added to
// `also_known_as`, which returns true when there was any.
bool SplitName(const IndividualRecord& person, std::string* surname, std::string* given,
               std::string* also_known_as) {
  std::string_view name = person.name;
  std::size_t slash = name.find('/');
  if (slash == std::string_view::npos) {
    given->assign(name);
    surname->clear();
    return false;
  }
  given->assign(name.substr(0, slash));
  std::size_t pos = slash + 1;
  std::size_t end = pos;
  while (end < name.size() && !EndsNamePart(name[end])) ++end;
  surname->assign(name.substr(pos, end - pos));
  if (end >= name.size() || name[end] != '/') return false;
  // Every piece after the closing slash, even an empty one, goes to also-known-as.
  also_known_as->assign(person.also_known_as.view());
  pos = end + 1;
  while (true) {
    end = pos;
    while (end < name.size() && !EndsNamePart(name[end])) ++end;
    AddAlsoKnownAs(*also_known_as, name.substr(pos, end - pos));
    if (end >= name.size() || name[end] != '/') break;
    pos = end + 1;
  }
  return true;
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
  std::string surname, given, also_known_as, key;
  for (IndividualRecord& person : store.individuals) {
    if (!person.defined) continue;
    if (SplitName(person, &surname, &given, &also_known_as))
      person.also_known_as = store.texts.names.Store(also_known_as);
    if (surname.empty()) {
      key = "~ " + given;
    } else {
      key.clear();
      if (RecognisedLetterLength(surname, store.text_encoding) == 0) key += '~';
      key += surname;
      key += ' ';
      key += given;
    }
    for (char& c : key)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    person.surname = store.texts.surnames.Store(StoreEscapedText(surname));
    person.given_names = store.texts.given_names.Store(StoreEscapedText(given));
    person.sort_key = store.texts.sort_keys.Store(key);
    if (person.name.empty()) {
      person.defined = false;
      continue;
    }
    store.letter_presence[IndexSlotOfText(person.sort_key, store.text_encoding)] = true;
  }
}

namespace {

// The first sixteen bytes of a sort key as two big-endian numbers, zeros after its end: two
// keys whose numbers differ compare as the numbers do (byte by byte, as unsigned char), so
// that most comparisons of the sort never read the keys themselves.
struct KeyPrefix {
  std::uint64_t high = 0, low = 0;
  std::int32_t person = 0;
};

KeyPrefix PrefixOf(std::string_view key, std::int32_t person) {
  KeyPrefix prefix;
  prefix.person = person;
  for (std::size_t i = 0; i < 16; ++i) {
    const std::uint64_t byte = i < key.size() ? static_cast<unsigned char>(key[i]) : 0;
    std::uint64_t& half = i < 8 ? prefix.high : prefix.low;
    half = (half << 8) | byte;
  }
  return prefix;
}

}  // namespace

void SortIndividuals(GenealogyStore& store) {
  std::vector<KeyPrefix> order;
  order.reserve(store.individuals.size());
  for (const IndividualRecord& person : store.individuals)
    if (person.defined)
      order.push_back(PrefixOf(person.sort_key.view(),
                               static_cast<std::int32_t>(&person - store.individuals.data())));
  // std::string compares its bytes as unsigned char; the stable sort keeps equal keys in
  // table order so that every run of the same file gives the same pages.
  std::stable_sort(order.begin(), order.end(), [&](const KeyPrefix& a, const KeyPrefix& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    return store.individuals[static_cast<std::size_t>(a.person)].sort_key.view() <
           store.individuals[static_cast<std::size_t>(b.person)].sort_key.view();
  });
  store.sorted_count = static_cast<int>(order.size());
  if (store.sorted_index.size() < order.size()) store.sorted_index.resize(order.size(), -1);
  for (std::size_t i = 0; i < order.size(); ++i) store.sorted_index[i] = order[i].person;
}

}  // namespace kinloom::store
