// The main window's File commands (New, Open, Save, Save As, Exit), Print, and the clipboard
// clean-up when the window closes.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Clipboard.h"
#include "framework/Printer.h"
#include "framework/WaitCursor.h"
#include "framework/core/Wipe.h"
#include "shell/Confirm.h"
#include "ui/Main.h"

namespace {

// The list's lines as the text field shows them: a wrapped line counts as its displayed pieces,
// each taken up to 4096 characters; a last empty line is left out.
std::vector<std::string> DisplayedLines(HWND memo) {
  constexpr WORD kPiece = 4096;
  std::vector<std::string> lines;
  const int count = static_cast<int>(SendMessageA(memo, EM_GETLINECOUNT, 0, 0));
  // Room for all at once: moving short lines to a larger array would leave copies behind.
  lines.reserve(static_cast<size_t>(std::max(count, 0)));
  Wiped<std::vector<char>> storage(std::vector<char>(kPiece + 1));
  char* buffer = storage.Get().data();
  for (int i = 0; i < count; ++i) {
    *reinterpret_cast<WORD*>(buffer) = kPiece;  // EM_GETLINE reads its size from here
    const LRESULT n = SendMessageA(memo, EM_GETLINE, i, reinterpret_cast<LPARAM>(buffer));
    lines.emplace_back(buffer, static_cast<size_t>(n));
  }
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

// Made in one piece of the final size: a growing text would leave copies behind.
std::string JoinLines(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

// Leaves no password in the hidden print buffer: its undo goes off (it would keep the text), the
// text is overwritten where it lies, and then emptied.
void WipePrintBuffer(HWND buffer) {
  SendMessageA(buffer, EM_SETUNDOLIMIT, 0, 0);
  const std::string blanks(static_cast<size_t>(std::max(GetWindowTextLengthA(buffer), 0)), ' ');
  SendMessageA(buffer, EM_SETSEL, 0, -1);
  SendMessageA(buffer, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(blanks.c_str()));
  SetWindowTextA(buffer, "");
}

}  // namespace

// A Generate at work was for the list that New or Open replaces: it stops with nothing added, as
// on Esc, rather than add its passwords to another file's list.
void TSDIAppForm::FileNew1Execute() {
  StopGenerating();
  Document.New();
}

void TSDIAppForm::FileOpen1Execute() {
  if (!OpenDialog.Execute(Handle)) return;
  Document.Open(OpenDialog.FileName);  // a refused file leaves the list and its Generate alone
  StopGenerating();
}

void TSDIAppForm::FileSave1Execute() {
  if (Document.CurrentFileName.empty()) {
    FileSaveAs1Execute();
    return;
  }
  // Asked every time, whether or not the file is there now.
  if (!ConfirmYesNo(Document.CurrentFileName + L" already exists" + L"\r\n" +
                    L"Are you sure to overwrite it?"))
    return;
  Document.Save();
}

void TSDIAppForm::FileSaveAs1Execute() {
  if (!SaveDialog.Execute(Handle)) return;
  // The list keeps the encoding of the file it came from, under any name; New makes it ANSI.
  Document.CurrentFileName = SaveDialog.FileName;
  Document.Save();
}

void TSDIAppForm::FileExit1Execute() { Close(); }

void TSDIAppForm::Print1Click() {
  TWaitCursor wait;
  const Wiped<std::vector<std::string>> lines(DisplayedLines(Memo1.Handle));
  // The pages are laid out through GDI from the list's lines (PrintLines); the hidden print buffer
  // is only filled with the same text in the printed font, and emptied again however printing
  // ends, so that no password stays in it.
  struct EmptiedAfter {
    HWND buffer;
    ~EmptiedAfter() { WipePrintBuffer(buffer); }
  } emptied{PrintBuffer()};
  SetWindowTextA(emptied.buffer, WipedText(JoinLines(lines.Get())).Get().c_str());
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE;
  format.yHeight = 10 * 20;  // twips
  lstrcpynA(format.szFaceName, "Courier New", LF_FACESIZE);
  SendMessageA(emptied.buffer, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  PrintLines("Passwords list", lines.Get(), "Courier New", 10);
}

void TSDIAppForm::ClearClipboardOnExit() {
  if (CheckBox8.Checked()) ClipboardSetText("", false);
}
