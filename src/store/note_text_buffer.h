// The growable text in which the loading pass and the notes pages compose note texts.
// Its capacity follows the program's rule (steps of 2048 bytes, more at once for a longer
// text); the storage underneath grows geometrically, so long notes stay linear.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kinloom::store {

class NoteTextBuffer {
 public:
  static constexpr std::size_t kStep = 2048;

  explicit NoteTextBuffer(std::size_t capacity = kStep) { Create(capacity); }
  void Create(std::size_t capacity);
  void Clear() { text_.clear(); }
  // Appends `text`; an empty text changes nothing.
  void Append(std::string_view text);
  // The text from `offset` on; -1 or an offset at or beyond the capacity gives the whole.
  std::string_view Text(long offset = -1) const;

  const std::string& str() const { return text_; }
  bool empty() const { return text_.empty(); }
  std::size_t size() const { return text_.size(); }
  std::size_t capacity() const { return capacity_; }

 private:
  std::string text_;
  std::size_t capacity_ = 0;
};

}  // namespace kinloom::store
