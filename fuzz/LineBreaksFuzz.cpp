// Fuzzes the loader's line-break conversion over arbitrary bytes: the result must be the
// documented one (checked against a plain byte-by-byte statement of the rule), whatever the bytes
// and however the file is cut into pieces while reading.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/core/LineBreaks.h"

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

  return 0;
}
