// Drives the real Tallowmere.exe from outside.
#include "tests/e2e/AppDriver.h"

std::string TallowmereExe() { return TALLOWMERE_EXE; }

AppDriver::AppDriver(const std::string& arguments, const std::string& exe) {
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  Start(exe.c_str(), commandLine);
}

AppDriver::AppDriver(const CommandLine& commandLine) { Start(nullptr, commandLine.text); }

AppDriver::AppDriver(const std::wstring& exe, const std::string& arguments) {
  std::wstring commandLine =
      L"\"" + exe + L"\" " + std::wstring(arguments.begin(), arguments.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                 &startup, &info_);
}

void AppDriver::Start(const char* exe, std::string commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                 &info_);
}

AppDriver::~AppDriver() {
  if (Running()) TerminateProcess(info_.hProcess, 99);
  if (info_.hProcess) {
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

bool AppDriver::Running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

namespace {

struct Search {
  DWORD pid;
  const char* className;
  const char* caption;
  HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char cls[128] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (pid == s->pid && IsWindowVisible(w) && lstrcmpiA(cls, s->className) == 0 &&
      (!s->caption || WindowText(w) == s->caption)) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

struct ChildSearch {
  const char* className;
  const char* caption;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChildren(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<ChildSearch*>(p);
  char cls[128] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (lstrcmpiA(cls, s->className) == 0 && (!s->caption || WindowText(w) == s->caption))
    s->found.push_back(w);
  return TRUE;
}

}  // namespace

HWND AppDriver::WaitForWindow(const char* className, const char* caption, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    Search s{info_.dwProcessId, className, caption};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    if (!Running()) return nullptr;
    Sleep(50);
  }
  return nullptr;
}

DWORD AppDriver::WaitForExit(DWORD timeoutMs) {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::vector<HWND> FindControls(HWND parent, const char* className) {
  ChildSearch s{className, nullptr, {}};
  EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FindControl(HWND parent, const char* className, const char* caption) {
  ChildSearch s{className, caption, {}};
  EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&s));
  return s.found.empty() ? nullptr : s.found.front();
}

std::string WindowText(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT got =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return text;
}

void SetText(HWND window, const std::string& text) {
  SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ClickButton(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void PostCommand(HWND window, UINT id) { PostMessageA(window, WM_COMMAND, id, 0); }

void PressCtrl(HWND window, char letter) {
  SetForegroundWindow(window);
  for (int i = 0; i < 40 && GetForegroundWindow() != window; ++i) Sleep(25);
  INPUT keys[4] = {};
  const WORD codes[4] = {VK_CONTROL, static_cast<WORD>(letter), static_cast<WORD>(letter),
                         VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, keys, sizeof(INPUT));
}

namespace {

struct BoxSearch {
  DWORD pid;
  HWND box = nullptr;
  bool otherWindow = false;  // a visible top-level window that is no message box
};

BOOL CALLBACK FindBox(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<BoxSearch*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != s->pid || !IsWindowVisible(w)) return TRUE;
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (std::string(cls) == "#32770")
    s->box = w;
  else
    s->otherWindow = true;
  return TRUE;
}

}  // namespace

Box Answer(AppDriver& app, int button, bool& sawWindow) {
  for (int i = 0; i < 750; ++i) {
    BoxSearch s{app.ProcessId()};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&s));
    sawWindow |= s.otherWindow;
    if (s.box) {
      Box seen{WindowText(s.box), WindowText(GetDlgItem(s.box, 0xFFFF))};
      PostMessageA(s.box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(s.box, button)));
      // Wait for this box to go before looking for the next one.
      for (int j = 0; j < 250 && IsWindow(s.box) && IsWindowVisible(s.box); ++j) Sleep(20);
      return seen;
    }
    if (!app.Running()) break;
    Sleep(20);
  }
  return {"(no box)", ""};
}
