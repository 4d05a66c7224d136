// Fuzzes the command line's option parsing: arguments split at NUL bytes, no crash; either an
// error of one line or options inside their ranges.
#include <cstdint>
#include <cstdlib>

#include "cli/core/Options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i)
    data[i] ? args.back().push_back(char(data[i])) : args.emplace_back().clear();
  const ParsedArguments p = ParseArguments(args, {}, size % 2 == 0);
  const PasswordRequest& r = p.Options.Password;
  const bool inRange = r.PasswordLength >= 1 && r.PasswordLength <= 100 && r.PasswordCount >= 1 &&
                       r.PasswordCount <= 10000000 && r.GroupSize >= 0 && r.GroupSize <= 100 &&
                       r.UseGroups == (r.GroupSize > 0) && p.Options.Phrase.Words >= 3 &&
                       p.Options.Phrase.Words <= 20;
  if (p.Error.empty() ? !inRange : p.Error.find('\n') != std::string::npos) abort();
  return 0;
}
