// The system's list of renames at the next restart, as the uninstaller leaves deletions in it.
#include "install/core/RestartDeletes.h"

#include <algorithm>

const char* const RestartListKey = "System\\CurrentControlSet\\Control\\Session Manager";
const char* const RestartListValue = "PendingFileRenameOperations";

RestartDeletes TakeRestartDeletes(const std::wstring& list,
                                  const std::function<bool(const std::wstring& path)>& ours) {
  RestartDeletes result;
  size_t at = 0;
  const auto next = [&] {
    const size_t end = std::min(list.find(L'\0', at), list.size());
    std::wstring text = list.substr(at, end - at);
    at = end + 1;
    return text;
  };
  while (at < list.size()) {
    const std::wstring source = next();
    if (source.empty()) break;
    const std::wstring target = next();
    const std::wstring path = source.substr(source.rfind(L"\\??\\", 0) == 0 ? 4 : 0);
    if (target.empty() && ours(path))
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
