// Overwriting copies of the list's text before their memory goes back: the list may hold
// passwords. Portable, so the core's text code uses it too.
#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "generator/WipeBytes.h"

// Overwrites every character held (of every line, for lines); sizes stay as they were.
void Wipe(std::string& text);
void Wipe(std::vector<char>& bytes);
void Wipe(std::vector<std::string>& lines);
// UTF-16 copies of the text, as the wide system calls and the marked files need.
inline void Wipe(std::wstring& text) { WipeBytes(text.data(), text.size() * sizeof(wchar_t)); }
inline void Wipe(std::u16string& text) { WipeBytes(text.data(), text.size() * sizeof(char16_t)); }

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
