#include "store/note_text_buffer.h"

namespace kinloom::store {

void NoteTextBuffer::Create(std::size_t capacity) {
  text_.clear();
  capacity_ = capacity;
}

void NoteTextBuffer::Append(std::string_view text) {
  if (text.empty()) return;
  if (text_.size() + text.size() + 1 > capacity_) {
    capacity_ += text.size() <= kStep ? kStep : (text.size() + kStep - 1) / kStep * kStep;
  }
  text_.append(text);
}

std::string_view NoteTextBuffer::Text(long offset) const {
  std::string_view all(text_);
  if (offset < 0 || static_cast<std::size_t>(offset) >= capacity_) return all;
  if (static_cast<std::size_t>(offset) >= all.size()) return {};
  return all.substr(static_cast<std::size_t>(offset));
}

}  // namespace kinloom::store
