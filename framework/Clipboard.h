// Plain-text clipboard access for the password list and the clean-up at exit.
//
// Error contract of the framework's platform wrappers: a function named Open... or Try... answers
// false and leaves the system's error code as the last error; every other function raises the
// user-facing Exception with the system's text.
#pragma once
#include <string>

// Empties the clipboard and puts the text on it as CF_UNICODETEXT (converted from the ANSI code
// page) and CF_TEXT. With keepOutOfHistory, also marks the
// content so Windows keeps it out of clipboard history and cloud sync. Throws Exception("Cannot
// open clipboard"), or the system's error text when the text or a mark cannot be placed there
// (the clipboard is then left empty). Answers the number of this copy, which
// TryEmptyClipboardIfUnchanged takes.
unsigned long ClipboardSetText(const std::string& text, bool keepOutOfHistory);
// As ClipboardSetText with the marks, but the text is given only when a program asks for it
// (delayed rendering): until then it lives only in this process, wiped when the clipboard drops
// it, so a process that ends before anybody asked takes it along.
unsigned long ClipboardOfferText(const std::string& text);
// Gives the clipboard an offered text that nobody has asked for yet, so that it outlasts the
// process. True when there was none (the clipboard has changed since, or the text was given);
// false when the clipboard could not be opened.
bool TryPlaceOfferedText();
// Wipes an offered text that nobody has asked for yet: a program asking later gets no text.
void ForgetOfferedText();
// Empties the clipboard when it still holds our copy number `copy`: nobody has emptied it since
// (the test and the emptying are done while holding it open). A program asking for an offered
// text changes nothing. False when it could not be opened; true when it was emptied or had changed.
bool TryEmptyClipboardIfUnchanged(unsigned long copy);
