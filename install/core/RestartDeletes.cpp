// The system's list of renames at the next restart, as the uninstaller leaves deletions in it.
#include "install/core/RestartDeletes.h"

#include <algorithm>

const char* const RestartListKey = "System\\CurrentControlSet\\Control\\Session Manager";
const char* const RestartListValue = "PendingFileRenameOperations";

RestartDeletes TakeRestartDeletes(const std::wstring& list,
                                  const std::function<bool(const std::wstring& path)>& ours) {
  RestartDeletes result;
  // Every string ends in a zero, and one more zero ends the list. Strings may be empty (any
  // deletion's target, and other programs may write empty sources), so they are counted, never
  // taken as the end. A list that is not whole pairs is read no further and left as it is.
  if (list.empty() || list.back() != L'\0') return result;
  const std::wstring strings = list.substr(0, list.size() - 1);
  if (strings.empty() || strings.back() != L'\0') return result;  // a cut-off string
  std::vector<std::wstring> split;
  for (size_t at = 0; at < strings.size();) {
    const size_t end = strings.find(L'\0', at);
    split.push_back(strings.substr(at, end - at));
    at = end + 1;
  }
  if (split.size() % 2 != 0) return result;
  for (size_t i = 0; i < split.size(); i += 2) {
    const std::wstring &source = split[i], &target = split[i + 1];
    const std::wstring path = source.substr(source.rfind(L"\\??\\", 0) == 0 ? 4 : 0);
    if (!path.empty() && target.empty() && ours(path))
      result.taken.push_back(path);
    else
      result.kept += source + L'\0' + target + L'\0';
  }
  return result;
}

bool SamePathText(const std::wstring& a, const std::wstring& b) {
  const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [&](wchar_t x, wchar_t y) { return lower(x) == lower(y); });
}
