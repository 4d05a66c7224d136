// Fuzzes reading a list file over arbitrary bytes: however the file is cut into pieces, it reads
// the same; a marked text that decodes at all encodes back to its very bytes (nothing is changed
// silently); and a list that is read saves to bytes that read back as the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/core/ListFile.h"
#include "framework/core/tests/Latin1CodePage.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

struct Read {
  std::string text;
  TextEncoding encoding;
  ListFileRefusal refusal;
  size_t line;
  bool operator==(const Read& o) const {
    return text == o.text && encoding == o.encoding && refusal == o.refusal && line == o.line;
  }
};

Read ReadList(std::string_view bytes, size_t cut, size_t maxChars) {
  ListFileReader reader(Latin1CodePage(), maxChars, bytes.size());
  if (reader.Feed(bytes.substr(0, cut))) reader.Feed(bytes.substr(cut));
  std::string text = reader.Finish();
  return {text, reader.Encoding(), reader.Refusal(), reader.RefusedLine()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t limit = 4 * size;  // room for every byte as a line break, but not for much more
  const Read whole = ReadList(bytes, size, limit);
  Check(ReadList(bytes, size ? data[0] % (size + 1) : 0, limit) == whole);
  Check(whole.refusal == ListFileRefusal::None || whole.text.empty());
  const bool atLine = whole.refusal == ListFileRefusal::InvalidText ||
                      whole.refusal == ListFileRefusal::NotInCodePage;
  Check(atLine == (whole.line >= 1));

  const TextEncoding encoding = EncodingOfBytes(bytes);
  std::u16string text;
  size_t badLine = 0;
  if (encoding != TextEncoding::Ansi && DecodeMarkedText(bytes, encoding, text, badLine))
    Check(EncodeMarkedText(text, encoding) == bytes);

  if (whole.refusal == ListFileRefusal::None) {
    Check(whole.encoding == encoding);
    const std::string saved = ListFileBytes(whole.text, whole.encoding, Latin1CodePage());
    Check(ReadList(saved, saved.size(), limit) == whole);
  }
  return 0;
}
