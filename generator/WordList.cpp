// The compiled-in word list; its text is generated at build time from generator/data.
#include "generator/WordList.h"

namespace {
const std::string_view Words[] = {
#include "generator/WordListData.inc"
};
}  // namespace

WordSpan ProgramWords() { return {Words, sizeof(Words) / sizeof(Words[0])}; }
size_t WordCount() { return sizeof(Words) / sizeof(Words[0]); }
std::string_view Word(size_t index) { return Words[index]; }
