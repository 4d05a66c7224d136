// Writes the compiled-in word list as its source file holds it, one word a line.
#include <cstdio>

#include "generator/WordList.h"

int main() {
  for (size_t i = 0; i < WordCount(); ++i)
    std::printf("%.*s\n", int(Word(i).size()), Word(i).data());
}
