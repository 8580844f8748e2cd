#include "site/text_pieces.h"

#include <algorithm>
#include <charconv>

namespace kinloom::site {
namespace {

constexpr int kMaxWidth = 22;

}  // namespace

NumberText NumberText::Decimal(long long value, int width) {
  NumberText number;
  char digits[24];
  // The magnitude as an unsigned number, so that the smallest long long has one too.
  const bool negative = value < 0;
  const unsigned long long magnitude =
      negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  const auto result = std::to_chars(digits, digits + sizeof digits, magnitude);
  const int count = static_cast<int>(result.ptr - digits);
  const int zeros = std::max(0, std::min(width, kMaxWidth) - count - (negative ? 1 : 0));
  char* out = number.text_;
  if (negative) *out++ = '-';
  out = std::fill_n(out, zeros, '0');
  out = std::copy(digits, result.ptr, out);
  number.size_ = static_cast<std::size_t>(out - number.text_);
  return number;
}

NumberText NumberText::UnsignedDecimal(unsigned long long value) {
  NumberText number;
  number.size_ = static_cast<std::size_t>(
      std::to_chars(number.text_, number.text_ + sizeof number.text_, value).ptr - number.text_);
  return number;
}

NumberText NumberText::Hex(unsigned long long value, int width, bool upper) {
  NumberText number;
  const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char digits[16];
  char* first = digits + sizeof digits;
  do {
    *--first = alphabet[value & 15];
    value >>= 4;
  } while (value != 0);
  const int count = static_cast<int>(digits + sizeof digits - first);
  const int zeros = std::max(0, std::min(width, kMaxWidth) - count);
  char* out = std::fill_n(number.text_, zeros, '0');
  out = std::copy(first, digits + sizeof digits, out);
  number.size_ = static_cast<std::size_t>(out - number.text_);
  return number;
}

void AppendPieces(std::string* out, std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  const std::size_t start = out->size();
  out->resize(start + size);
  char* to = out->data() + start;
  for (std::string_view piece : pieces) {
    CopyPiece(to, piece.data(), piece.size());
    to += piece.size();
  }
}

std::string JoinPieces(std::initializer_list<std::string_view> pieces) {
  std::string out;
  AppendPieces(&out, pieces);
  return out;
}

}  // namespace kinloom::site
