// The text type of the store's records: one pointer wide, read like a std::string_view.
// A text either lives in a TextArena of the store (the loading pass and the sort keys put
// every text there; copying such a text copies the pointer) or owns a heap copy of its own
// (a text assigned from a std::string, as tests and hand-built records do). Either way the
// bytes are followed by a terminating zero, so c_str() is always valid.
//
// An arena text stays valid while its arena lives; the store releases its arenas with its
// tables, so a record copied out of the store must not outlive the store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kinloom::store {

class StoredText {
 public:
  // The longest text kept; longer ones are cut to it (no GEDCOM value comes near it).
  static constexpr std::size_t kMaxSize = 0x7fffffff;
  // Bytes a text of `size` bytes takes in an arena: its size field, its bytes and a zero,
  // rounded up to an even number so that every text starts at an even address.
  static constexpr std::size_t ArenaBytes(std::size_t size) {
    return (kHeader + size + 2) & ~std::size_t{1};
  }

  StoredText() = default;
  StoredText(std::string_view text) { Own(text); }  // NOLINT: implicit, like std::string
  // Explicit, so that a choice between a StoredText and a std::string yields the string.
  explicit StoredText(const std::string& text) : StoredText(std::string_view(text)) {}
  StoredText(const char* text) : StoredText(std::string_view(text)) {}
  StoredText(const StoredText& other) {
    if (other.owned())
      Own(other.view());
    else
      bits_ = other.bits_;
  }
  StoredText(StoredText&& other) noexcept : bits_(other.bits_) { other.bits_ = 0; }
  StoredText& operator=(const StoredText& other) {
    if (this != &other) StoredText(other).swap(*this);
    return *this;
  }
  StoredText& operator=(StoredText&& other) noexcept {
    StoredText(std::move(other)).swap(*this);
    return *this;
  }
  StoredText& operator=(std::string_view text) { return *this = StoredText(text); }
  StoredText& operator=(const std::string& text) { return *this = StoredText(text); }
  StoredText& operator=(const char* text) { return *this = StoredText(text); }
  ~StoredText() { Free(); }

  // A text whose bytes lie at `bytes` in an arena (written by WriteArenaText).
  static StoredText InArena(const char* bytes) {
    StoredText text;
    text.bits_ = reinterpret_cast<std::uintptr_t>(bytes);
    return text;
  }
  // Writes `text` at `to` (an even address with ArenaBytes(text.size()) bytes) as an arena
  // text and returns where its bytes start, for InArena.
  static const char* WriteArenaText(char* to, std::string_view text);

  std::size_t size() const { return bits_ == 0 ? 0 : Header(); }
  std::size_t length() const { return size(); }
  bool empty() const { return size() == 0; }
  const char* data() const { return bits_ == 0 ? "" : Bytes(); }
  const char* c_str() const { return data(); }
  const char* begin() const { return data(); }
  const char* end() const { return data() + size(); }
  char operator[](std::size_t i) const { return data()[i]; }
  char front() const { return data()[0]; }
  char back() const { return data()[size() - 1]; }
  std::string_view view() const { return {data(), size()}; }
  std::string str() const { return std::string(view()); }
  operator std::string_view() const { return view(); }  // NOLINT: implicit on purpose
  operator std::string() const { return str(); }        // NOLINT: implicit on purpose
  // A copy, as std::string::substr gives.
  std::string substr(std::size_t pos, std::size_t count = std::string_view::npos) const {
    return std::string(view().substr(pos, count));
  }
  std::size_t find(char c, std::size_t pos = 0) const { return view().find(c, pos); }
  std::size_t find(std::string_view s, std::size_t pos = 0) const { return view().find(s, pos); }
  void clear() { StoredText().swap(*this); }
  void swap(StoredText& other) noexcept { std::swap(bits_, other.bits_); }
  // Whether this text holds a heap copy of its own (rather than arena bytes).
  bool owned() const { return (bits_ & kOwnedTag) != 0; }

  friend bool operator==(const StoredText& a, const StoredText& b) { return a.view() == b.view(); }
  friend bool operator==(const StoredText& a, std::string_view b) { return a.view() == b; }
  friend bool operator==(const StoredText& a, const std::string& b) { return a.view() == b; }
  friend bool operator==(const StoredText& a, const char* b) { return a.view() == b; }
  friend auto operator<=>(const StoredText& a, const StoredText& b) {
    return a.view() <=> b.view();
  }
  friend auto operator<=>(const StoredText& a, std::string_view b) { return a.view() <=> b; }
  friend auto operator<=>(const StoredText& a, const std::string& b) {
    return a.view() <=> std::string_view(b);
  }
  friend auto operator<=>(const StoredText& a, const char* b) {
    return a.view() <=> std::string_view(b);
  }

  friend std::string operator+(const StoredText& a, std::string_view b) {
    return Join(a.view(), b);
  }
  friend std::string operator+(const StoredText& a, const std::string& b) {
    return Join(a.view(), b);
  }
  friend std::string operator+(const StoredText& a, const char* b) { return Join(a.view(), b); }
  friend std::string operator+(const StoredText& a, char b) {
    return Join(a.view(), std::string_view(&b, 1));
  }
  friend std::string operator+(const StoredText& a, const StoredText& b) {
    return Join(a.view(), b.view());
  }
  friend std::string operator+(std::string_view a, const StoredText& b) {
    return Join(a, b.view());
  }
  friend std::string operator+(const std::string& a, const StoredText& b) {
    return Join(a, b.view());
  }
  friend std::string operator+(std::string&& a, const StoredText& b) {
    a.append(b.view());
    return std::move(a);
  }
  friend std::string operator+(const char* a, const StoredText& b) { return Join(a, b.view()); }
  friend std::string& operator+=(std::string& a, const StoredText& b) { return a.append(b.view()); }

 private:
  static constexpr std::size_t kHeader = sizeof(std::uint32_t);
  static constexpr std::uintptr_t kOwnedTag = 1;

  const char* Bytes() const { return reinterpret_cast<const char*>(bits_ & ~kOwnedTag); }
  std::uint32_t Header() const {
    std::uint32_t header;
    std::memcpy(&header, Bytes() - kHeader, kHeader);
    return header;
  }
  static std::string Join(std::string_view a, std::string_view b) {
    std::string out;
    out.reserve(a.size() + b.size());
    out.append(a);
    out.append(b);
    return out;
  }
  void Own(std::string_view text);
  void Free() {
    if (owned()) delete[](Bytes() - kHeader);
    bits_ = 0;
  }

  // The address of the text's first byte, which follows its 32-bit size; 0 for the empty
  // text. Texts start at even addresses: the lowest bit marks a heap copy this text owns,
  // so that releasing a text never reads its bytes.
  std::uintptr_t bits_ = 0;
};

std::ostream& operator<<(std::ostream& out, const StoredText& text);

// Lists of stored texts compare with lists of strings element by element (the tests and the
// statistics read id lists so).
bool operator==(const std::vector<StoredText>& a, const std::vector<std::string>& b);

// The hash of a text for the tables keyed by texts from the file: FNV-1a from `seed`, its
// high bits mixed down.
std::uint64_t HashText(std::string_view text, std::uint64_t seed);

// A random start for the hash of a table keyed by texts from the file, drawn once per table:
// a file cannot then be made of keys that all fall into one probe run.
std::uint64_t RandomHashSeed();

// Block storage for the texts of one kind: texts are appended and kept until the arena is
// released; nothing is freed one by one. With interning on, a text already stored is not
// stored again: the same bytes serve every record that holds it (places, dates, surnames and
// ids repeat through a file). The interning index is a loading aid and can be dropped once
// the store is complete; the texts stay.
class TextArena {
 public:
  TextArena() : TextArena(false) {}
  explicit TextArena(bool interning);
  TextArena(const TextArena&) = delete;
  TextArena& operator=(const TextArena&) = delete;
  TextArena(TextArena&&) noexcept = default;
  TextArena& operator=(TextArena&&) noexcept = default;

  // `text` as an arena text; the empty text needs no storage.
  StoredText Store(std::string_view text);
  // Drops the interning index (later texts are stored without looking for an equal one).
  void ForgetIndex();
  // Drops every text: each StoredText of this arena becomes invalid. Interning is on again
  // if the arena was made with it.
  void Release();

  // Bytes of the blocks and of the interning index.
  std::size_t bytes() const { return block_bytes_ + index_.capacity() * sizeof(std::uintptr_t); }
  // Texts stored (each distinct text once when interning).
  std::size_t texts() const { return texts_; }

 private:
  char* Room(std::size_t bytes);
  const char* Find(std::string_view text, std::uint64_t hash, std::size_t* slot) const;
  void GrowIndex();
  // The index entry of a text start with its hash, and the text start of an entry.
  std::uintptr_t Entry(const char* bytes, std::uint64_t hash);
  const char* Start(std::uintptr_t entry) const;

  bool interning_wanted_ = false;
  bool interning_ = false;
  std::uint64_t seed_ = 0;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* next_ = nullptr;  // free bytes of the last block
  std::size_t left_ = 0;
  std::size_t block_bytes_ = 0;
  std::size_t texts_ = 0;
  std::size_t indexed_ = 0;  // entries in index_
  // Open addressing over text starts; 0 is empty. While `tagged_`, the 16 bits above a
  // 48-bit address hold bits of the text's hash, so that a probe passes most other texts
  // without reading them.
  std::vector<std::uintptr_t> index_;
  bool tagged_ = sizeof(std::uintptr_t) == 8;
};

}  // namespace kinloom::store
