// Page text composed from pieces without printf-style formatting: numbers spelled into a
// small buffer of their own, and pieces joined into one string with a single allocation.
// The hot paths of the page writers build their markup this way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kinloom::site {

// A number as text, held in the object itself. A view of it stays valid as long as the
// object, so a temporary may be handed to JoinPieces or PageWriter::Append in the same
// expression.
class NumberText {
 public:
  // Decimal digits, at least `width` characters with leading zeros (a minus sign counts
  // toward the width), as "%0*lld" spells them.
  static NumberText Decimal(long long value, int width = 0);
  // Decimal digits of an unsigned number, as "%llu" spells them.
  static NumberText UnsignedDecimal(unsigned long long value);
  // Hexadecimal digits, at least `width` of them with leading zeros, capitals when `upper`,
  // as "%0*llx" and "%0*llX" spell them.
  static NumberText Hex(unsigned long long value, int width = 0, bool upper = false);

  std::string_view view() const { return {text_, size_}; }
  operator std::string_view() const { return view(); }

 private:
  char text_[24];  // 20 digits and a sign at most; a width beyond that is not padded further
  std::size_t size_ = 0;
};

// Copies the n bytes at `from` to `to`. Page text comes in short pieces (a tag, a name, a
// number), and a piece of up to 16 bytes is copied here in at most two moves each way
// instead of a call to memcpy.
inline void CopyPiece(char* to, const char* from, std::size_t n) {
  if (n > 16) {
    std::memcpy(to, from, n);
  } else if (n >= 8) {
    std::uint64_t head, tail;
    std::memcpy(&head, from, 8);
    std::memcpy(&tail, from + n - 8, 8);
    std::memcpy(to, &head, 8);
    std::memcpy(to + n - 8, &tail, 8);
  } else if (n >= 4) {
    std::uint32_t head, tail;
    std::memcpy(&head, from, 4);
    std::memcpy(&tail, from + n - 4, 4);
    std::memcpy(to, &head, 4);
    std::memcpy(to + n - 4, &tail, 4);
  } else if (n > 0) {
    to[0] = from[0];
    to[n / 2] = from[n / 2];
    to[n - 1] = from[n - 1];
  }
}

// The pieces one after the other.
std::string JoinPieces(std::initializer_list<std::string_view> pieces);
// Appends the pieces to *out.
void AppendPieces(std::string* out, std::initializer_list<std::string_view> pieces);

}  // namespace kinloom::site
