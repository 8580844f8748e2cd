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

namespace {

constexpr int kTagShift = 48;
constexpr std::uint64_t kAddressBits = (std::uint64_t{1} << kTagShift) - 1;

}  // namespace

std::uintptr_t TextArena::Entry(const char* bytes, std::uint64_t hash) {
  const auto address = reinterpret_cast<std::uintptr_t>(bytes);
  if (!tagged_) return address;
  if ((static_cast<std::uint64_t>(address) & ~kAddressBits) != 0) {
    // An address above 48 bits: the entries hold bare addresses from now on.
    for (std::uintptr_t& entry : index_)
      entry = static_cast<std::uintptr_t>(static_cast<std::uint64_t>(entry) & kAddressBits);
    tagged_ = false;
    return address;
  }
  return static_cast<std::uintptr_t>(static_cast<std::uint64_t>(address) |
                                     ((hash >> 32) << kTagShift));
}

const char* TextArena::Start(std::uintptr_t entry) const {
  return reinterpret_cast<const char*>(
      tagged_ ? static_cast<std::uintptr_t>(static_cast<std::uint64_t>(entry) & kAddressBits)
              : entry);
}

const char* TextArena::Find(std::string_view text, std::uint64_t hash, std::size_t* slot) const {
  const std::size_t mask = index_.size() - 1;
  const std::uint64_t tag = (hash >> 32) << kTagShift;
  for (std::size_t s = static_cast<std::size_t>(hash) & mask;; s = (s + 1) & mask) {
    const std::uintptr_t entry = index_[s];
    if (entry == 0) {
      *slot = s;
      return nullptr;
    }
    if (tagged_ && (static_cast<std::uint64_t>(entry) & ~kAddressBits) != tag) continue;
    const char* held = Start(entry);
    if (StoredText::InArena(held).view() == text) {
      *slot = s;
      return held;
    }
  }
}

void TextArena::GrowIndex() {
  std::vector<std::uintptr_t> old;
  old.swap(index_);
  index_.assign(old.empty() ? 1024 : old.size() * 2, 0);
  const std::size_t mask = index_.size() - 1;
  for (const std::uintptr_t entry : old) {
    if (entry == 0) continue;
    std::size_t s =
        static_cast<std::size_t>(HashText(StoredText::InArena(Start(entry)).view(), seed_)) & mask;
    while (index_[s] != 0) s = (s + 1) & mask;
    index_[s] = entry;
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
    index_[slot] = Entry(bytes, hash);
    ++indexed_;
  }
  return StoredText::InArena(bytes);
}

void TextArena::ForgetIndex() {
  interning_ = false;
  indexed_ = 0;
  std::vector<std::uintptr_t>().swap(index_);
  tagged_ = sizeof(std::uintptr_t) == 8;
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
