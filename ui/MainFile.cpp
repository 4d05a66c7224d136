// The main window's File commands (New, Open, Save, Save As, Exit), Print, and the clipboard
// clean-up when the window closes.
#include <windows.h>
#include <richedit.h>

#include <new>
#include <string>
#include <vector>

#include "framework/Clipboard.h"
#include "framework/Exceptions.h"
#include "framework/FileStream.h"
#include "framework/LineBreaks.h"
#include "framework/Printer.h"
#include "shell/Confirm.h"
#include "ui/Main.h"

std::string CurrentFileName;

namespace {

// The list is read back through the ANSI window-text calls, whose lengths are ints: a text of
// INT_MAX characters or more could never be read back (or saved) whole.
constexpr size_t kListCapacity = 0x7FFFFFFE;

// The file's text as the list takes it; a file too large for the list is not read past the limit.
std::string LoadListText(const std::string& path) {
  try {
    LineBreakConverter converter(kListCapacity);
    ReadFilePieces(path, [&](std::string_view piece) { return converter.Feed(piece); });
    std::string text = converter.Finish();
    if (converter.Overflowed()) throw Exception("Text exceeds memo capacity");
    return text;
  } catch (const std::bad_alloc&) {
    // Short of the limit, memory can still run out first: the list stays as it was all the same.
    throw Exception("Text exceeds memo capacity");
  }
}

// The list's lines as the text field shows them: a wrapped line counts as its displayed pieces,
// each taken up to 4096 characters; a last empty line is left out.
std::vector<std::string> DisplayedLines(HWND memo) {
  constexpr WORD kPiece = 4096;
  std::vector<std::string> lines;
  const int count = static_cast<int>(SendMessageA(memo, EM_GETLINECOUNT, 0, 0));
  std::vector<char> buffer(kPiece + 1);
  for (int i = 0; i < count; ++i) {
    *reinterpret_cast<WORD*>(buffer.data()) = kPiece;  // EM_GETLINE reads its size from here
    const LRESULT n = SendMessageA(memo, EM_GETLINE, i, reinterpret_cast<LPARAM>(buffer.data()));
    lines.emplace_back(buffer.data(), static_cast<size_t>(n));
  }
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

}  // namespace

void TSDIAppForm::FileNew1Execute() {
  CurrentFileName.clear();
  Memo1.SetText("");
}

void TSDIAppForm::FileOpen1Execute() {
  if (!OpenDialog.Execute(Handle)) return;
  CurrentFileName = OpenDialog.FileName;
  const std::string text = LoadListText(CurrentFileName);
  if (text.size() == static_cast<size_t>(GetWindowTextLengthA(Memo1.Handle)) &&
      text == Memo1.Text())
    return;
  if (!SetWindowTextA(Memo1.Handle, text.c_str())) throw Exception("Text exceeds memo capacity");
}

void TSDIAppForm::FileSave1Execute() {
  if (CurrentFileName.empty()) {
    FileSaveAs1Execute();
    return;
  }
  // Asked every time, whether or not the file is there now.
  if (!ConfirmYesNo(CurrentFileName + " already exists" + "\r\n" + "Are you sure to overwrite it?"))
    return;
  SaveFileSafely(CurrentFileName, Memo1.Text());
}

void TSDIAppForm::FileSaveAs1Execute() {
  if (!SaveDialog.Execute(Handle)) return;
  CurrentFileName = SaveDialog.FileName;
  SaveFileSafely(CurrentFileName, Memo1.Text());
}

void TSDIAppForm::FileExit1Execute() { Close(); }

void TSDIAppForm::Print1Click() {
  const std::vector<std::string> lines = DisplayedLines(Memo1.Handle);
  // The hidden print buffer holds what is printed, in the printed font.
  SetWindowTextA(RichEdit1.Handle, JoinLines(lines).c_str());
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE;
  format.yHeight = 10 * 20;  // twips
  lstrcpynA(format.szFaceName, "Courier New", LF_FACESIZE);
  SendMessageA(RichEdit1.Handle, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  PrintLines("Passwords list", lines, "Courier New", 10);
}

void TSDIAppForm::ClearClipboardOnExit() {
  if (CheckBox8.Checked()) ClipboardSetText("", false);
}
