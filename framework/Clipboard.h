// Plain-text clipboard access for the password list and the clean-up at exit.
//
// Error contract of the framework's platform wrappers: a function named Open... or Try... answers
// false and leaves the system's error code as the last error; every other function raises the
// user-facing Exception with the system's text.
#pragma once
#include <string>

// Empties the clipboard and puts the text on it as CF_TEXT. With keepOutOfHistory, also marks the
// content so Windows keeps it out of clipboard history and cloud sync. Throws Exception("Cannot
// open clipboard"), or the system's error text when the text or a mark cannot be placed there
// (the clipboard is then left empty). Answers the clipboard's change count our copy left, one
// that no longer matches when another program copied right after.
unsigned long ClipboardSetText(const std::string& text, bool keepOutOfHistory);
// Empties the clipboard when its change count is still `sequence` (tested while holding it
// open, so nobody can change it between the test and the emptying). False when it could not be
// opened; true when it was emptied or had changed.
bool TryEmptyClipboardIfUnchanged(unsigned long sequence);
