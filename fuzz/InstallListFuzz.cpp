// Fuzzes the "install.txt" reader and the entry checks: any bytes, no crash, and the entries are
// the lines of the text before its first NUL, split at CR LF, lone CR and lone LF. The same bytes
// as a restart list: what nothing claims comes back exactly as written, or not at all.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "install/core/InstallList.h"
#include "install/core/RestartDeletes.h"

namespace {

// The same rule stated another way: normalise every line end to LF, then split.
std::vector<std::string> ByNormalising(const std::string& bytes) {
  std::string text = bytes.substr(0, bytes.find('\0'));
  std::string flat;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      flat += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      flat += text[i];
    }
  }
  std::vector<std::string> lines;
  if (flat.empty()) return lines;
  if (flat.back() == '\n') flat.pop_back();
  size_t start = 0;
  for (;;) {
    const size_t end = flat.find('\n', start);
    lines.push_back(flat.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> entries = ParseInstallList(bytes);
  if (entries != ByNormalising(bytes)) abort();
  for (const std::string& entry : entries) {
    if (entry.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) abort();
    const bool unsafe = IsUnsafeEntry(entry);
    // Whatever is judged safe cannot start at a root or hold a parent step.
    if (!unsafe && (entry.find(':') != std::string::npos || entry.rfind("\\", 0) == 0 ||
                    entry.rfind("/", 0) == 0 || entry == ".." || entry.rfind("..\\", 0) == 0 ||
                    entry.find("\\..\\") != std::string::npos))
      abort();
    (void)IsFolderEntry(entry);
  }
  std::wstring list(size / sizeof(wchar_t), L'\0');
  if (!list.empty()) std::memcpy(&list[0], data, list.size() * sizeof(wchar_t));
  const RestartDeletes none = TakeRestartDeletes(list, [](const std::wstring&) { return false; });
  if (!none.taken.empty() || (!none.kept.empty() && none.kept + L'\0' != list)) abort();
  return 0;
}
