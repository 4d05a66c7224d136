// Fuzzes reading a list file over arbitrary bytes: the line-break conversion must be the
// documented one (checked against a plain byte-by-byte statement of the rule), whatever the bytes
// and however the file is cut into pieces while reading. A file with a byte-order mark that
// decodes at all must encode back to its very bytes: nothing is changed silently. A file the list
// takes reads the same however it is cut, and saves to bytes that read back as the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/core/LineBreaks.h"
#include "framework/core/ListFile.h"
#include "framework/core/TextEncoding.h"
#include "framework/core/tests/DoubleByteCodePage.h"
#include "framework/core/tests/Latin1CodePage.h"

namespace {

// The rule, one byte at a time: stop at NUL; CR LF stays; a lone CR or LF becomes CR LF.
std::string Reference(std::string_view in) {
  std::string out;
  for (size_t i = 0; i < in.size() && in[i] != '\0'; ++i) {
    if (in[i] == '\r') {
      out += "\r\n";
      if (i + 1 < in.size() && in[i + 1] == '\n') ++i;
    } else if (in[i] == '\n') {
      out += "\r\n";
    } else {
      out += in[i];
    }
  }
  return out;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

// The list's text, its encoding, the refusal and its line, as one text to compare.
std::string ReadList(std::string_view bytes, size_t cut, size_t maxChars) {
  ListFileReader reader(Latin1CodePage(), maxChars, bytes.size());
  if (reader.Feed(bytes.substr(0, cut))) reader.Feed(bytes.substr(cut));
  std::string text = reader.Finish();
  return text + '\0' + char(reader.Encoding()) + char(reader.Refusal()) +
         std::to_string(reader.RefusedLine());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string expected = Reference(bytes);
  LineBreakConverter converter;
  converter.Feed(bytes);
  const std::string whole = converter.Finish();
  Check(whole == expected);

  // The result never holds a NUL, a lone CR or a lone LF.
  for (size_t i = 0; i < whole.size(); ++i) {
    Check(whole[i] != '\0');
    if (whole[i] == '\r') Check(i + 1 < whole.size() && whole[i + 1] == '\n');
    if (whole[i] == '\n') Check(i > 0 && whole[i - 1] == '\r');
  }

  // Cut where the first byte says; the pieces must give the same text.
  const size_t cut = size ? data[0] % (size + 1) : 0;
  LineBreakConverter pieces;
  if (pieces.Feed(bytes.substr(0, cut))) pieces.Feed(bytes.substr(cut));
  Check(pieces.Finish() == expected);

  // With a limit, either the whole text fits or the overflow is reported and nothing is kept.
  const size_t limit = size / 2;
  LineBreakConverter limited(limit);
  limited.Feed(bytes);
  const std::string kept = limited.Finish();
  if (expected.size() <= limit)
    Check(!limited.Overflowed() && kept == expected);
  else
    Check(limited.Overflowed() && kept.empty());

  const TextEncoding encoding = EncodingOfBytes(bytes);
  std::u16string text;
  size_t badLine = 0;
  if (encoding != TextEncoding::Ansi) {
    if (DecodeMarkedText(bytes, encoding, text, badLine))
      Check(EncodeMarkedText(text, encoding) == bytes);
    else
      Check(badLine >= 1);
  }

  // Room for every byte as a line break, but not for much more.
  const std::string read = ReadList(bytes, size, 4 * size);
  Check(ReadList(bytes, cut, 4 * size) == read);
  const size_t end = read.find('\0');
  if (read[end + 2] == char(ListFileRefusal::None)) {
    // Read as ANSI, the text is the conversion's; unmarked UTF-8 or UTF-16 saves back unmarked.
    const auto readAs = static_cast<TextEncoding>(read[end + 1]);
    if (readAs == TextEncoding::Ansi) Check(read.substr(0, end) == expected);
    const std::string saved = ListFileBytes(read.substr(0, end), readAs, Latin1CodePage());
    Check(ReadList(saved, saved.size(), 4 * size) == read);
  } else {
    Check(end == 0);
  }

  // In a double-byte code page, ANSI text the list takes comes back from Unicode byte for byte.
  ListFileReader reader(DoubleByteCodePage(), 4 * size, size);
  reader.Feed(bytes);
  const std::string list = reader.Finish();
  std::string back;
  DoubleByteCodePage().toUtf16(list, text);
  if (reader.Refusal() == ListFileRefusal::None && reader.Encoding() == TextEncoding::Ansi)
    Check(list == expected && DoubleByteCodePage().fromUtf16(text, back) && back == list);
  return 0;
}
