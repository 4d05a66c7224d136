#include "framework/core/LineBreaks.h"
#include "framework/core/ListFile.h"
#include "framework/core/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/core/tests/DoubleByteCodePage.h"
#include "framework/core/tests/Latin1CodePage.h"

using namespace std::string_literals;

namespace {

// The whole conversion in one call.
std::string ListTextFromFileBytes(std::string_view bytes) {
  LineBreakConverter converter;
  converter.Feed(bytes);
  return converter.Finish();
}

// Reads a list file as the window does, handed over in two pieces cut at `cut`.
struct Read {
  std::string text;
  TextEncoding encoding;
  ListFileRefusal refusal;
  size_t line;
};
Read ReadList(const std::string& bytes, size_t maxChars = 100000, size_t cut = 0,
              AnsiCodePage codePage = Latin1CodePage()) {
  ListFileReader reader(std::move(codePage), maxChars, bytes.size());
  if (reader.Feed(std::string_view(bytes).substr(0, cut)))
    reader.Feed(std::string_view(bytes).substr(cut));
  std::string text = reader.Finish();
  return {text, reader.Encoding(), reader.Refusal(), reader.RefusedLine()};
}

struct Case {
  std::string file;
  std::string list;
};

}  // namespace

TEST(LoadedLineBreaks, EveryKindOfBreakBecomesCrLfAndNothingElseChanges) {
  const Case cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\n\rb", "a\r\n\r\nb"},
      {"\r\r\n\n", "\r\n\r\n\r\n"},
      {"\n", "\r\n"},
      {"\r", "\r\n"},
      {"last line without break", "last line without break"},
      {"\x80\xff\xe9\t \x01", "\x80\xff\xe9\t \x01"},
  };
  for (const auto& c : cases) EXPECT_EQ(ListTextFromFileBytes(c.file), c.list) << c.file;
}

TEST(LoadedLineBreaks, TextEndsAtTheFirstZeroByte) {
  EXPECT_EQ(ListTextFromFileBytes("ab\0cd\r\n"s), "ab");
  EXPECT_EQ(ListTextFromFileBytes("\0abc"s), "");
  EXPECT_EQ(ListTextFromFileBytes("ab\r\0cd"s), "ab\r\n");
  EXPECT_EQ(ListTextFromFileBytes("ab\n\0\n"s), "ab\r\n");
}

TEST(LoadedLineBreaks, ConvertedTextIsStableUnderASecondConversion) {
  const std::string once = ListTextFromFileBytes("x\ny\rz\n\r\r\nw");
  EXPECT_EQ(ListTextFromFileBytes(once), once);
}

TEST(LoadedLineBreaks, PiecesGiveTheSameTextAsTheWholeFileWhereverTheyAreCut) {
  const std::string file = "ab\r\ncd\ref\n\rg\r\r\nh\r";
  const std::string whole = ListTextFromFileBytes(file);
  for (size_t cut = 0; cut <= file.size(); ++cut) {
    LineBreakConverter converter;
    converter.Feed(std::string_view(file).substr(0, cut));
    converter.Feed(std::string_view(file).substr(cut));
    EXPECT_EQ(converter.Finish(), whole) << "cut at " << cut;
  }
  LineBreakConverter byteByByte;
  for (char c : file) byteByByte.Feed(std::string_view(&c, 1));
  EXPECT_EQ(byteByByte.Finish(), whole);
}

TEST(LoadedLineBreaks, ALargeFileComesOutWholeHoweverLargeItsPieces) {
  std::string file, list;
  for (int i = 0; i < 20000; ++i) {
    file += "line " + std::to_string(i) + (i % 2 ? "\n" : "\r");
    list += "line " + std::to_string(i) + "\r\n";
  }
  LineBreakConverter converter;
  for (size_t at = 0, size = 1; at < file.size(); at += size, size *= 3)
    converter.Feed(std::string_view(file).substr(at, size));
  EXPECT_EQ(converter.Finish(), list);
}

TEST(LoadedLineBreaks, FeedingStopsAfterTheZeroByte) {
  LineBreakConverter converter;
  EXPECT_TRUE(converter.Feed("ab"));
  EXPECT_FALSE(converter.Feed("c\0d"s));
  EXPECT_FALSE(converter.Feed("more"));
  EXPECT_EQ(converter.Finish(), "abc");
  EXPECT_FALSE(converter.Overflowed());
}

TEST(LoadedLineBreaks, TextOverTheLimitIsReportedAndNotKept) {
  LineBreakConverter fits(4);
  fits.Feed("a\nb");  // "a\r\nb": exactly four characters
  EXPECT_EQ(fits.Finish(), "a\r\nb");
  EXPECT_FALSE(fits.Overflowed());

  LineBreakConverter growsPast(4);
  EXPECT_FALSE(growsPast.Feed("abc\n"));  // four bytes in the file, five in the list
  EXPECT_TRUE(growsPast.Overflowed());
  EXPECT_EQ(growsPast.Finish(), "");

  LineBreakConverter trailingCr(4);
  trailingCr.Feed("abc\r");
  EXPECT_EQ(trailingCr.Finish(), "");
  EXPECT_TRUE(trailingCr.Overflowed());

  LineBreakConverter cutByZero(4);
  cutByZero.Feed("abcd\0efgh"s);
  EXPECT_EQ(cutByZero.Finish(), "abcd");
  EXPECT_FALSE(cutByZero.Overflowed());
}

TEST(MarkedText, EachMarkDecodesToItsTextAndEncodesBackToTheSameBytes) {
  using namespace std::string_literals;
  const struct {
    std::string bytes;
    TextEncoding encoding;
    std::u16string text;
  } cases[] = {
      {"ab\r\n", TextEncoding::Ansi, u""},
      {"\xEF\xBB\xBF"
       "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x94\x91\r\n"s,
       TextEncoding::Utf8, u"a\u00E9\u20AC\U0001F511\r\n"},
      {"\xFF\xFE"
       "a\0\xE9\0\x3D\xD8\x11\xDD"s,
       TextEncoding::Utf16Le, u"a\u00E9\U0001F511"},
      {"\xFE\xFF"
       "\0a\0\xE9\xD8\x3D\xDD\x11"s,
       TextEncoding::Utf16Be, u"a\u00E9\U0001F511"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(EncodingOfBytes(c.bytes), c.encoding) << c.bytes;
    if (c.encoding == TextEncoding::Ansi) continue;
    std::u16string text;
    size_t badLine = 0;
    ASSERT_TRUE(DecodeMarkedText(c.bytes, c.encoding, text, badLine)) << c.bytes;
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(EncodeMarkedText(text, c.encoding), c.bytes);
  }
}

TEST(MarkedText, BrokenOrCutSequencesAreRefusedWithTheirLine) {
  using namespace std::string_literals;
  const struct {
    std::string bytes;
    size_t line;
  } cases[] = {
      {"\xEF\xBB\xBF"
       "a\nb\n\xC3"s,
       3},  // cut two-byte sequence
      {"\xEF\xBB\xBF"
       "\xC0\xAF"s,
       1},  // overlong "/"
      {"\xEF\xBB\xBF"
       "a\n\xED\xA0\x80"s,
       2},  // a surrogate written as UTF-8
      {"\xFF\xFE"
       "a\0\n\0b"s,
       2},  // odd byte count
      {"\xFF\xFE"
       "\x3D\xD8"
       "a\0"s,
       1},  // high surrogate without its low one
      {"\xFE\xFF"
       "\0\n\xDD\x11"s,
       2},  // a low surrogate alone
  };
  for (const auto& c : cases) {
    std::u16string text;
    size_t badLine = 0;
    EXPECT_FALSE(DecodeMarkedText(c.bytes, EncodingOfBytes(c.bytes), text, badLine)) << c.bytes;
    EXPECT_EQ(badLine, c.line) << c.bytes;
  }
}

TEST(ListFile, AFileReadsAsTheListInItsEncodingAndSavesBackTheSame) {
  const std::string utf8 = "\xEF\xBB\xBF", le = "\xFF\xFE", be = "\xFE\xFF";
  std::string wide(72000, '\0');  // past the first 64 KiB
  for (size_t i = 0; i < wide.size(); i += 2) wide[i] = 'a';
  const struct {
    std::string in;
    TextEncoding encoding;
    std::string shown, saved;
  } cases[] = {
      {"lf\ncr\rlfcr\n\rend\r\n\x80", TextEncoding::Ansi, "lf\r\ncr\r\nlfcr\r\n\r\nend\r\n\x80",
       "lf\r\ncr\r\nlfcr\r\n\r\nend\r\n\x80"},
      {"", TextEncoding::Ansi, "", ""},
      {utf8 + "caf\xC3\xA9\nx", TextEncoding::Utf8, "caf\xE9\r\nx", utf8 + "caf\xC3\xA9\r\nx"},
      {le + "c\0\xE9\0\r\0\n\0"s, TextEncoding::Utf16Le, "c\xE9\r\n", le + "c\0\xE9\0\r\0\n\0"s},
      {be + "\0c\0\xE9"s, TextEncoding::Utf16Be, "c\xE9", be + "\0c\0\xE9"s},
      {"caf\xC3\xA9\nx", TextEncoding::Utf8NoMark, "caf\xE9\r\nx", "caf\xC3\xA9\r\nx"},
      {"ascii\n", TextEncoding::Ansi, "ascii\r\n", "ascii\r\n"},
      {"x\xC4\xA3y", TextEncoding::Ansi, "x\xC4\xA3y", "x\xC4\xA3y"},
      {"c\0\xE9\0\r\0\n\0"s, TextEncoding::Utf16LeNoMark, "c\xE9\r\n", "c\0\xE9\0\r\0\n\0"s},
      {"\0c\0\xE9"s, TextEncoding::Utf16BeNoMark, "c\xE9", "\0c\0\xE9"s},
      {wide, TextEncoding::Utf16LeNoMark, std::string(36000, 'a'), wide},
  };
  for (const auto& c : cases) {
    const Read read = ReadList(c.in);
    EXPECT_EQ(read.refusal, ListFileRefusal::None) << c.in;
    EXPECT_EQ(read.text, c.shown);
    EXPECT_EQ(read.encoding, c.encoding);
    EXPECT_EQ(ListFileBytes(read.text, read.encoding, Latin1CodePage()), c.saved);
  }
}

TEST(ListFile, TextTheListCannotHoldAsItIsRefusesTheFileWhereverThePiecesAreCut) {
  const std::string utf8 = "\xEF\xBB\xBF", le = "\xFF\xFE";
  const std::string han = std::string(14, '\x4E') + "\r\0\n\0"s;  // U+4E4E seven times
  const struct {
    std::string in;
    ListFileRefusal refusal;
    size_t line;
  } cases[] = {
      {"a\r\n\0b"s, ListFileRefusal::ZeroByte, 0},
      {"a\0\0b"s, ListFileRefusal::ZeroByte, 0},
      {"a\0\x3D\xD8"s, ListFileRefusal::LooksLikeUtf16, 0},
      {han + han, ListFileRefusal::LooksLikeUtf16, 0},
      {"\xA9\x03\r\0\n\0"s, ListFileRefusal::NotInCodePage, 1},
      {le + "a\0\0\0"s, ListFileRefusal::ZeroCharacter, 0},
      {utf8 + "ok\n\xC3", ListFileRefusal::InvalidText, 2},
      {utf8 + "ok\r\n\xCE\xA9mega\r\n", ListFileRefusal::NotInCodePage, 2},
      {"abc\n", ListFileRefusal::TooLarge, 0},
      {utf8 + "abc\n", ListFileRefusal::TooLarge, 0},
      {utf8 + "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
       ListFileRefusal::TooLarge, 0},
  };
  for (const auto& c : cases) {
    for (size_t cut = 0; cut <= c.in.size(); ++cut) {
      const Read read = ReadList(c.in, 4, cut);
      EXPECT_EQ(read.refusal, c.refusal) << c.in << " cut at " << cut;
      EXPECT_EQ(read.line, c.line) << c.in;
      EXPECT_EQ(read.text, "");
    }
  }
  EXPECT_EQ(ReadList("ab\n", 4).refusal, ListFileRefusal::None) << "exactly four characters";
  ListFileReader binary(Latin1CodePage(), size_t(1) << 30, size_t(300) << 20);
  EXPECT_FALSE(binary.Feed("MZ\x90\0"s + std::string(64 * 1024, '\1'))) << "not read whole";
  EXPECT_EQ(binary.Refusal(), ListFileRefusal::ZeroByte);
}

TEST(ListFile, ADoubleByteListOpensOnlyWhenItsBytesComeBackAsTheyAre) {
  const std::pair<std::string, size_t> cases[] = {
      {"ok\r\n\x81\x40\x9E\xFF\xA0\r\n", 0},                  // the line refused, 0 for none
      {"ok\r\n\x9F\x41\r\n", 2},                              // a second spelling of a character
      {"pw\x81\r\nok", 1},                                    // a lead byte that takes the CR along
      {std::string(120000, 'a') + "\r\nok\r\n\x9F\x41", 3}};  // past a piece checked
  for (const auto& [in, line] : cases) {
    const Read read = ReadList(in, 200000, 3, DoubleByteCodePage());
    EXPECT_EQ(read.refusal, line ? ListFileRefusal::ChangedByCodePage : ListFileRefusal::None);
    EXPECT_EQ(read.line, line) << in.substr(0, 20);
    EXPECT_EQ(read.text, line ? "" : in);
  }
}
