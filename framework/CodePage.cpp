// Character lengths through the system's own conversion, which knows every code page's lead bytes.
#include "framework/CodePage.h"

#include <windows.h>

#include "framework/WideText.h"

size_t CharacterLengthIn(unsigned codePage, const char* text, size_t left) {
  CPINFO info{};
  const size_t longest = GetCPInfo(codePage, &info) ? info.MaxCharSize : 1;
  if (longest <= 1) return 1;
  // The shortest prefix that converts without error is the whole character.
  for (size_t n = 1; n <= longest && n <= left; ++n)
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, static_cast<int>(n), nullptr, 0) >
        0)
      return n;
  return 0;
}

std::function<size_t(const char*, size_t)> AnsiCharacterLength() {
  CPINFO info{};
  if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize <= 1) return {};
  const UINT codePage = GetACP();
  return
      [codePage](const char* text, size_t left) { return CharacterLengthIn(codePage, text, left); };
}

AnsiCodePage SystemAnsiCodePage() {
  // The wide copies may hold passwords: each is wiped once converted.
  return {[](const std::u16string& text, std::string& ansi) {
            const Wiped<std::wstring> wide(std::wstring(text.begin(), text.end()));
            return WideToAnsiExact(wide.Get(), ansi);
          },
          [](const std::string& text, std::u16string& units) {
            const Wiped<std::wstring> wide(AnsiToWide(text));
            units.assign(wide.Get().begin(), wide.Get().end());
          }};
}
