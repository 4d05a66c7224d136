// Drives the real Tallowmere.exe from outside.
#include "tests/e2e/AppDriver.h"

#include "framework/Owned.h"
#include "tests/support/WaitUntil.h"
#include <vector>

std::string TallowmereExe() { return TALLOWMERE_EXE; }

AppDriver::AppDriver(const std::string& arguments, const std::string& exe) {
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  Start(exe.c_str(), commandLine);
}

AppDriver::AppDriver(const CommandLine& commandLine) { Start(nullptr, commandLine.text); }

AppDriver::AppDriver(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
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
  const KernelHandle process(info_.hProcess), thread(info_.hThread);
  if (Running()) TerminateProcess(process.Get(), 99);
  if (process.Valid()) WaitForSingleObject(process.Get(), 5000);
}

bool AppDriver::Running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND AppDriver::WaitForWindow(const char* className, const char* caption, DWORD timeoutMs) {
  HWND found = nullptr;
  // Every 5 ms: fine enough for the start-up benchmark to time.
  WaitUntil(
      [&] {
        const std::vector<HWND> windows = TopLevelWindows(info_.dwProcessId, className, caption);
        found = windows.empty() ? nullptr : windows.front();
        return found || !Running();
      },
      timeoutMs, 5);
  return found;
}

DWORD AppDriver::WaitForExit(DWORD timeoutMs) {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

HWND PasswordList(HWND main) {
  for (HWND edit : FindControls(main, "Edit"))
    if (GetParent(edit) == main) return edit;
  return nullptr;
}

void ClickButton(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void PostCommand(HWND window, UINT id) { PostMessageA(window, WM_COMMAND, id, 0); }

void PressKeys(HWND window, std::initializer_list<WORD> keys) {
  SetForegroundWindow(window);
  WaitUntil([window] { return GetForegroundWindow() == window; }, 1000);
  std::vector<INPUT> input(2 * keys.size());
  for (size_t i = 0; i < input.size(); ++i) {
    input[i].type = INPUT_KEYBOARD;
    input[i].ki.wVk = keys.begin()[i < keys.size() ? i : input.size() - 1 - i];
    input[i].ki.dwFlags = i < keys.size() ? 0 : KEYEVENTF_KEYUP;
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void PressCtrl(HWND window, char letter) { PressKeys(window, {VK_CONTROL, WORD(letter)}); }

SeenBox Answer(AppDriver& app, int button, bool& sawWindow) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(app.ProcessId())) {
          if (!HasClass(window, "#32770"))
            sawWindow = true;
          else if (!box)
            box = window;
        }
        return box || !app.Running();
      },
      15000);
  if (!box) {
    SeenBox none;
    none.caption = "(no box)";
    return none;
  }
  const SeenBox seen = ReadBox(box);
  PressButton(box, button);
  // Wait for this box to go before looking for the next one.
  WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); });
  return seen;
}
