// Test helper: finding a process's windows by class and caption, and reading and answering a
// dialog ("#32770": a message box or a common file dialog). Everything goes through messages, so
// it works alike on this process's windows and on another process's.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

std::string WindowText(HWND window);
std::wstring WideWindowText(HWND window);
void SetText(HWND window, const std::string& text);
void SetText(HWND window, const std::wstring& text);

// Class names compare without regard to case, as the system compares them.
bool HasClass(HWND window, const char* className);
// The visible top-level windows of the process, front first; with a class and a caption given,
// only those (nullptr: any).
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className = nullptr,
                                  const char* caption = nullptr);
// The descendants of `parent` of this class, and this caption when given, in z-order.
std::vector<HWND> FindControls(HWND parent, const char* className, const char* caption = nullptr);
HWND FindControl(HWND parent, const char* className, const char* caption = nullptr);

// What a message box shows.
struct SeenBox {
  std::string caption;
  std::string text;
  std::wstring wideText;             // the text as the system holds it, in UTF-16
  std::vector<std::string> buttons;  // captions of the visible push buttons, in z-order
  bool hasIcon = false;
  RECT rect{};
};
SeenBox ReadBox(HWND box);

// Presses a button of the dialog as a click does. Posted, so a dialog that answers with a box of
// its own does not hold up the caller.
void PressButton(HWND dialog, int id);
// A key pressed and let go where the dialog's keyboard focus is, as a typed key goes.
void PressKey(HWND dialog, WPARAM key);
// The file name field of a common file dialog.
HWND FileNameField(HWND dialog);
// Puts the path into the file dialog's name field and presses OK, as a user who types it does.
// A full path of MAX_PATH characters or more is refused (Cancel is pressed, false returned): on OK
// Wine 8's dialog copies the path into a MAX_PATH buffer on its stack, and the overrun page-faults
// it a little later (while it records the folder among its recent ones, or as it closes).
bool ChooseInFileDialog(HWND dialog, const std::string& path);
bool ChooseInFileDialog(HWND dialog, const std::wstring& path);
