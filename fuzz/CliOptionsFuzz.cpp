// Fuzzes the command line's option parsing: arguments split at NUL bytes, no crash; either an
// error of one line or options inside their ranges.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/core/Options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i)
    if (data[i] == 0)
      args.emplace_back();
    else
      args.back() += static_cast<char>(data[i]);
  const ParsedArguments p = ParseArguments(args, {}, size % 2 == 0);
  if (!p.Error.empty()) return p.Error.find('\n') == std::string::npos ? 0 : (abort(), 0);
  const PasswordRequest& r = p.Options.Password;
  if (r.PasswordLength < 1 || r.PasswordLength > 100) abort();
  if (r.PasswordCount < 1 || r.PasswordCount > 10000000) abort();
  if (r.GroupSize < 0 || r.GroupSize > 100 || r.UseGroups != (r.GroupSize > 0)) abort();
  return 0;
}
