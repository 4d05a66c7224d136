// The program's Yes/No question.
#pragma once
#include <string>

// A modal question captioned "Confirm" with a question-mark icon, "&Yes" (default) and "&No" (Esc);
// true only when answered Yes.
bool ConfirmYesNo(const std::string& text);
// The same for a question that may name a file outside the ANSI code page.
bool ConfirmYesNo(const std::wstring& text);
