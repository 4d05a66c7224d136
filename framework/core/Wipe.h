// Overwriting copies of the list's text before their memory goes back: the list may hold
// passwords. Portable, so the core's text code uses it too.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "generator/WipeBytes.h"

// Appends the piece; when the text must grow, it grows into a new buffer here (of at least
// sizeHint bytes, doubling short of `most`) and the old one is wiped (the string itself would free
// it as it was). The piece must not lie in `text`: it would be wiped before it is copied.
void AppendWiped(std::string& text, std::string_view piece, size_t sizeHint = 0,
                 size_t most = SIZE_MAX);

// Every character held (of every line, for lines).
void Wipe(std::string& text);
void Wipe(std::vector<char>& bytes);
void Wipe(std::vector<std::string>& lines);
// UTF-16 copies of the text, as the wide system calls and the marked files need.
inline void Wipe(std::wstring& text) { WipeToCapacity(text); }
inline void Wipe(std::u16string& text) { WipeToCapacity(text); }

// A text, bytes or lines that may hold passwords, overwritten however the scope ends.
template <typename T>
class Wiped {
 public:
  Wiped() = default;
  explicit Wiped(T value) : value_(std::move(value)) {}
  ~Wiped() { Wipe(value_); }
  Wiped(const Wiped&) = delete;
  Wiped& operator=(const Wiped&) = delete;
  T& Get() { return value_; }
  const T& Get() const { return value_; }

 private:
  T value_;
};

using WipedText = Wiped<std::string>;
