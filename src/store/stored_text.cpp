#include "store/stored_text.h"

#include <algorithm>
#include <ostream>
#include <random>

namespace kinloom::store {

namespace {

// Blocks start small, so that a small file costs little, and double up to this size.
constexpr std::size_t kFirstBlock = 4096;
constexpr std::size_t kLargestBlock = std::size_t{1} << 20;

}  // namespace

std::uint64_t HashText(std::string_view text, std::uint64_t seed) {
  std::uint64_t h = 14695981039346656037ull ^ seed;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  // FNV's low bits, which pick the slot, change little between texts that differ only in
  // their last characters: mix the high bits down.
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdull;
  h ^= h >> 33;
  return h;
}

std::uint64_t RandomHashSeed() {
  std::random_device source;
  return (std::uint64_t{source()} << 32) ^ source();
}

TextArena::TextArena(bool interning)
    : interning_wanted_(interning), interning_(interning), seed_(RandomHashSeed()) {}

const char* StoredText::WriteArenaText(char* to, std::string_view text) {
  text = text.substr(0, kMaxSize);
  const auto header = static_cast<std::uint32_t>(text.size());
  std::memcpy(to, &header, kHeader);
  if (!text.empty()) std::memcpy(to + kHeader, text.data(), text.size());
  to[kHeader + text.size()] = '\0';
  return to + kHeader;
}

void StoredText::Own(std::string_view text) {
  bits_ = 0;
  if (text.empty()) return;
  text = text.substr(0, kMaxSize);
  char* block = new char[ArenaBytes(text.size())];  // aligned, so block + kHeader is even
  bits_ = reinterpret_cast<std::uintptr_t>(WriteArenaText(block, text)) | kOwnedTag;
}

std::ostream& operator<<(std::ostream& out, const StoredText& text) { return out << text.view(); }

bool operator==(const std::vector<StoredText>& a, const std::vector<std::string>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const StoredText& x, const std::string& y) { return x.view() == y; });
}

char* TextArena::Room(std::size_t bytes) {
  if (bytes > left_) {
    // A text larger than the blocks gets a block of its own; the current block stays in use.
    if (bytes > kLargestBlock / 4) {
      blocks_.push_back(std::make_unique<char[]>(bytes));
      block_bytes_ += bytes;
      return blocks_.back().get();
    }
    std::size_t size = blocks_.empty() ? kFirstBlock : std::min(kLargestBlock, block_bytes_);
    size = std::max({size, kFirstBlock, bytes});
    // The new block goes before a large text's own block, which is never appended to.
    blocks_.push_back(std::make_unique<char[]>(size));
    block_bytes_ += size;
    next_ = blocks_.back().get();
    left_ = size;
  }
  char* at = next_;
  next_ += bytes;
  left_ -= bytes;
  return at;
}

const char* TextArena::Find(std::string_view text, std::uint64_t hash, std::size_t* slot) const {
  const std::size_t mask = index_.size() - 1;
  for (std::size_t s = static_cast<std::size_t>(hash) & mask;; s = (s + 1) & mask) {
    const char* held = index_[s];
    if (held == nullptr) {
      *slot = s;
      return nullptr;
    }
    if (StoredText::InArena(held).view() == text) {
      *slot = s;
      return held;
    }
  }
}

void TextArena::GrowIndex() {
  std::vector<const char*> old;
  old.swap(index_);
  index_.assign(old.empty() ? 1024 : old.size() * 2, nullptr);
  const std::size_t mask = index_.size() - 1;
  for (const char* held : old) {
    if (held == nullptr) continue;
    std::size_t s = static_cast<std::size_t>(HashText(StoredText::InArena(held).view(), seed_)) & mask;
    while (index_[s] != nullptr) s = (s + 1) & mask;
    index_[s] = held;
  }
}

StoredText TextArena::Store(std::string_view text) {
  if (text.empty()) return StoredText();
  text = text.substr(0, StoredText::kMaxSize);
  std::size_t slot = 0;
  std::uint64_t hash = 0;
  if (interning_) {
    // At most half of the slots in use, so that probe runs stay short.
    if ((indexed_ + 1) * 2 > index_.size()) GrowIndex();
    hash = HashText(text, seed_);
    if (const char* held = Find(text, hash, &slot)) return StoredText::InArena(held);
  }
  const char* bytes = StoredText::WriteArenaText(Room(StoredText::ArenaBytes(text.size())), text);
  ++texts_;
  if (interning_) {
    index_[slot] = bytes;
    ++indexed_;
  }
  return StoredText::InArena(bytes);
}

void TextArena::ForgetIndex() {
  interning_ = false;
  indexed_ = 0;
  std::vector<const char*>().swap(index_);
}

void TextArena::Release() {
  ForgetIndex();
  std::vector<std::unique_ptr<char[]>>().swap(blocks_);
  next_ = nullptr;
  left_ = 0;
  block_bytes_ = 0;
  texts_ = 0;
  interning_ = interning_wanted_;
}

}  // namespace kinloom::store
