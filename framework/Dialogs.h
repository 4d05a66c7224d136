// Modal message boxes, each centred on the screen.
#pragma once
#include <windows.h>

#include <string>

enum class MsgIcon { None, Question, Warning, Stop };
enum class MsgButtons { Ok, YesNo, RetryIgnore };
enum class MsgResult { Ok, Yes, No, Retry, Ignore };

// Shows a modal box and returns the button that closed it. YesNo: "&Yes" is the default, Esc and
// the close box answer No. RetryIgnore: "&Retry" is the default; only "&Ignore" answers Ignore.
MsgResult ShowMessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                         MsgButtons buttons);
// The same for a text that may hold characters outside the ANSI code page (a file name).
MsgResult ShowMessageBox(const std::wstring& text, const std::string& caption, MsgIcon icon,
                         MsgButtons buttons);

// The program's own reports: the application title as caption, no icon, one OK button.
void ShowMessage(const std::string& text);

// The title the application shows in captions: from the executable's file name.
std::string ApplicationTitle();

// Moves a window to the middle of the screen its owner is on (its own screen when it has none).
void CenterOnScreen(HWND window);
