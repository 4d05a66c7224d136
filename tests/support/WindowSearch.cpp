// Test helper: finding windows and reading dialogs, in this process or another.
#include "tests/support/WindowSearch.h"

#include "tests/support/AnsiText.h"

namespace {

bool Matches(HWND window, const char* className, const char* caption) {
  return (!className || HasClass(window, className)) && (!caption || WindowText(window) == caption);
}

struct Search {
  DWORD processId;
  const char* className;
  const char* caption;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM p) {
  auto* search = reinterpret_cast<Search*>(p);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == search->processId && IsWindowVisible(window) &&
      Matches(window, search->className, search->caption))
    search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM p) {
  auto* search = reinterpret_cast<Search*>(p);
  if (Matches(window, search->className, search->caption)) search->found.push_back(window);
  return TRUE;
}

}  // namespace

bool HasClass(HWND window, const char* className) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpiA(name, className) == 0;
}

std::string WindowText(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT got =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return text;
}

std::wstring WideWindowText(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return text;
}

void SetText(HWND window, const std::string& text) {
  SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetText(HWND window, const std::wstring& text) {
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className, const char* caption) {
  Search search{processId, className, caption, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> FindControls(HWND parent, const char* className, const char* caption) {
  Search search{0, className, caption, {}};
  EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindControl(HWND parent, const char* className, const char* caption) {
  const std::vector<HWND> found = FindControls(parent, className, caption);
  return found.empty() ? nullptr : found.front();
}

SeenBox ReadBox(HWND box) {
  SeenBox seen;
  seen.caption = WindowText(box);
  HWND text = GetDlgItem(box, 0xFFFF);  // a message box's static text
  seen.text = WindowText(text);
  seen.wideText = WideWindowText(text);
  GetWindowRect(box, &seen.rect);
  for (HWND button : FindControls(box, "Button"))
    if (IsWindowVisible(button)) seen.buttons.push_back(WindowText(button));
  for (HWND picture : FindControls(box, "Static"))
    if ((GetWindowLongA(picture, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(picture) &&
        SendMessageA(picture, STM_GETICON, 0, 0))
      seen.hasIcon = true;
  return seen;
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressKey(HWND dialog, WPARAM key) {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  HWND target = dialog;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui) && gui.hwndFocus &&
      IsChild(dialog, gui.hwndFocus))
    target = gui.hwndFocus;
  PostMessageA(target, WM_KEYDOWN, key, 0);
  PostMessageA(target, WM_KEYUP, key, 0xC0000000);
}

bool ChooseInFileDialog(HWND dialog, const std::wstring& path) {
  if (GetFullPathNameW(path.c_str(), 0, nullptr, nullptr) > MAX_PATH) {
    PressButton(dialog, IDCANCEL);
    return false;
  }
  SetText(FileNameField(dialog), path);
  PressButton(dialog, IDOK);
  return true;
}

bool ChooseInFileDialog(HWND dialog, const std::string& path) {
  return ChooseInFileDialog(dialog, Widen(path));
}

HWND FileNameField(HWND dialog) {
  HWND field = GetDlgItem(dialog, 0x47C);            // cmb13, the file name box
  return field ? field : GetDlgItem(dialog, 0x480);  // edt1
}
