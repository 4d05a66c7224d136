#include "framework/core/ListFile.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/core/tests/Latin1CodePage.h"

using namespace std::string_literals;

namespace {

struct Read {
  std::string text;
  TextEncoding encoding;
  ListFileRefusal refusal;
  size_t line;
};

// Reads the bytes as the window does, handed over in two pieces cut at `cut`.
Read ReadList(const std::string& bytes, size_t maxChars = 1000, size_t cut = 1) {
  ListFileReader reader(Latin1CodePage(), maxChars, bytes.size());
  const std::string_view view(bytes);
  if (reader.Feed(view.substr(0, cut))) reader.Feed(view.substr(std::min(cut, bytes.size())));
  std::string text = reader.Finish();
  return {text, reader.Encoding(), reader.Refusal(), reader.RefusedLine()};
}

}  // namespace

TEST(ListFile, AFileWithoutAMarkIsTheListWithEveryLineBreakAsCrLfAndSavesAsItIs) {
  const Read read = ReadList("lf1\nlf2\ncr1\rcr2\rlfcr\n\rend\r\n\x80\xe9\xff");
  EXPECT_EQ(read.text, "lf1\r\nlf2\r\ncr1\r\ncr2\r\nlfcr\r\n\r\nend\r\n\x80\xe9\xff");
  EXPECT_EQ(read.encoding, TextEncoding::Ansi);
  EXPECT_EQ(ListFileBytes(read.text, read.encoding, Latin1CodePage()), read.text);
  EXPECT_EQ(ReadList("").encoding, TextEncoding::Ansi);
}

TEST(ListFile, MarkedFilesReadAsTheirTextAndSaveBackInTheirEncoding) {
  const struct {
    std::string in;
    TextEncoding encoding;
    std::string shown, saved;
  } cases[] = {
      {"\xEF\xBB\xBF"
       "caf\xC3\xA9\nx"s,
       TextEncoding::Utf8, "caf\xE9\r\nx",
       "\xEF\xBB\xBF"
       "caf\xC3\xA9\r\nx"s},
      {"\xFF\xFE"
       "c\0\xE9\0\r\0\n\0"s,
       TextEncoding::Utf16Le, "c\xE9\r\n",
       "\xFF\xFE"
       "c\0\xE9\0\r\0\n\0"s},
      {"\xFE\xFF"
       "\0c\0\xE9"s,
       TextEncoding::Utf16Be, "c\xE9",
       "\xFE\xFF"
       "\0c\0\xE9"s},
  };
  for (const auto& c : cases) {
    const Read read = ReadList(c.in);
    EXPECT_EQ(read.refusal, ListFileRefusal::None) << c.in;
    EXPECT_EQ(read.text, c.shown);
    EXPECT_EQ(read.encoding, c.encoding);
    EXPECT_EQ(ListFileBytes(read.text, read.encoding, Latin1CodePage()), c.saved);
  }
}

TEST(ListFile, TextTheListCannotHoldAsItIsRefusesTheFileAndSaysWhyAndWhere) {
  const struct {
    std::string in;
    ListFileRefusal refusal;
    size_t line;
  } cases[] = {
      {"before\r\nzero\0after"s, ListFileRefusal::ZeroByte, 0},
      {"\xFF\xFE"
       "a\0\0\0"s,
       ListFileRefusal::ZeroCharacter, 0},
      {"\xEF\xBB\xBF"
       "ok\n\xC3"s,
       ListFileRefusal::InvalidText, 2},
      {"\xEF\xBB\xBF"
       "ok\r\n\xCE\xA9mega\r\n"s,
       ListFileRefusal::NotInCodePage, 2},
  };
  for (const auto& c : cases) {
    for (size_t cut = 0; cut <= c.in.size(); ++cut) {
      const Read read = ReadList(c.in, 1000, cut);
      EXPECT_EQ(read.refusal, c.refusal) << c.in << " cut at " << cut;
      EXPECT_EQ(read.line, c.line) << c.in;
      EXPECT_EQ(read.text, "");
    }
  }
}

TEST(ListFile, MoreTextThanTheListHoldsIsRefusedInEitherEncoding) {
  EXPECT_EQ(ReadList("ab\n", 4).refusal, ListFileRefusal::None);
  EXPECT_EQ(ReadList("abc\n", 4).refusal, ListFileRefusal::TooLarge);
  EXPECT_EQ(ReadList("\xEF\xBB\xBF"
                     "abc\n",
                     4)
                .refusal,
            ListFileRefusal::TooLarge);
}
