// The words passphrases are drawn from: the list in generator/data, compiled into the program so
// that no file is read at run time and every front end holds the same words.
#pragma once
#include <cstddef>
#include <string_view>

// A list of words in a fixed order; the program's own or one a test makes.
struct WordSpan {
  const std::string_view* Words = nullptr;
  size_t Count = 0;
};

WordSpan ProgramWords();
size_t WordCount();
std::string_view Word(size_t index);
