// The main window's File commands (New, Open, Save, Save As, Exit), Print, and the clipboard
// clean-up when the window closes.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "framework/Clipboard.h"
#include "framework/Exceptions.h"
#include "framework/FileStream.h"
#include "framework/CodePage.h"
#include "framework/core/ListFile.h"
#include "framework/Printer.h"
#include "framework/WaitCursor.h"
#include "framework/core/Wipe.h"
#include "shell/Confirm.h"
#include "ui/Main.h"

std::wstring CurrentFileName;
TextEncoding CurrentEncoding = TextEncoding::Ansi;

namespace {

// The list is read back through the ANSI window-text calls, whose lengths are ints: a text of
// INT_MAX characters or more could never be read back (or saved) whole.
constexpr size_t kListCapacity = 0x7FFFFFFE;

size_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return static_cast<size_t>(ULARGE_INTEGER{{data.nFileSizeLow, data.nFileSizeHigh}}.QuadPart);
}

// The message for a file the list does not take.
std::wstring RefusalText(const ListFileReader& reader) {
  const std::wstring line = L"Line " + std::to_wstring(reader.RefusedLine());
  switch (reader.Refusal()) {
    case ListFileRefusal::ZeroByte: return L"It contains a zero byte, so it is not a text file";
    case ListFileRefusal::LooksLikeUtf16:
      return L"It looks like UTF-16 text without a byte-order mark, but it cannot be read as "
             L"that for certain, so the file is not opened";
    case ListFileRefusal::InvalidText:
      return line + L" is not valid " +
             (reader.Encoding() == TextEncoding::Utf8 ? L"UTF-8" : L"UTF-16") + L" text";
    case ListFileRefusal::ZeroCharacter:
      return L"It contains a zero character, so it is not a text file";
    case ListFileRefusal::NotInCodePage:
      return line +
             L" holds a character that the list cannot show in this system's code page, so the "
             L"file is not opened";
    case ListFileRefusal::ChangedByCodePage:
      return line +
             L" holds bytes that the list would save changed in this system's code page, so the "
             L"file is not opened";
    case ListFileRefusal::TooLarge:
    case ListFileRefusal::None: break;
  }
  return L"";
}

// The file's text as the list takes it, and how the file was written; a file too large for the
// list is not read past the limit.
std::string LoadListText(const std::wstring& path, TextEncoding& encoding) {
  try {
    ListFileReader reader(SystemAnsiCodePage(), kListCapacity, FileSize(path));
    ReadFilePieces(path, [&](std::string_view piece) { return reader.Feed(piece); });
    std::string text = reader.Finish();
    if (reader.Refusal() == ListFileRefusal::TooLarge)
      throw Exception("Text exceeds memo capacity");
    if (reader.Refusal() != ListFileRefusal::None) RaiseCannotOpenFile(path, RefusalText(reader));
    encoding = reader.Encoding();
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

// Replaces the list's text with the file's; when they are equal, nothing changes.
void LoadList(TControl& memo, const std::wstring& path, TextEncoding& encoding) {
  const WipedText text(LoadListText(path, encoding));
  const std::string& loaded = text.Get();
  if (loaded.size() == static_cast<size_t>(GetWindowTextLengthA(memo.Handle)) &&
      WipedText(memo.Text()).Get() == loaded)
    return;
  if (!SetWindowTextA(memo.Handle, loaded.c_str())) throw Exception("Text exceeds memo capacity");
}

// True when nothing is at the path (no such file or folder).
bool NothingAt(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
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

// Writes the list to the file in its encoding, wiping the copies made on the way.
void SaveList(const TMemo& list, const std::wstring& fileName, TextEncoding encoding) {
  TWaitCursor wait;
  SaveFileSafely(
      fileName,
      WipedText(ListFileBytes(WipedText(list.Text()).Get(), encoding, SystemAnsiCodePage())).Get());
}

}  // namespace

void TSDIAppForm::FileNew1Execute() {
  CurrentFileName.clear();
  CurrentEncoding = TextEncoding::Ansi;
  Memo1.SetText("");
}

void TSDIAppForm::FileOpen1Execute() {
  if (!OpenDialog.Execute(Handle)) return;
  TWaitCursor wait;
  const std::wstring path = OpenDialog.FileName;
  // Save is aimed at the file only once the list holds its text, or when there is no file yet
  // (Save then creates it): a file that is there but could not be read must never be replaced
  // by a list that did not come from it.
  TextEncoding encoding = TextEncoding::Ansi;
  try {
    LoadList(Memo1, path, encoding);
  } catch (...) {
    if (NothingAt(path)) CurrentFileName = path, CurrentEncoding = TextEncoding::Ansi;
    throw;
  }
  CurrentFileName = path;
  CurrentEncoding = encoding;
}

void TSDIAppForm::FileSave1Execute() {
  if (CurrentFileName.empty()) {
    FileSaveAs1Execute();
    return;
  }
  // Asked every time, whether or not the file is there now.
  if (!ConfirmYesNo(CurrentFileName + L" already exists" + L"\r\n" +
                    L"Are you sure to overwrite it?"))
    return;
  SaveList(Memo1, CurrentFileName, CurrentEncoding);
}

void TSDIAppForm::FileSaveAs1Execute() {
  if (!SaveDialog.Execute(Handle)) return;
  // The list keeps the encoding of the file it came from, under any name; New makes it ANSI.
  CurrentFileName = SaveDialog.FileName;
  SaveList(Memo1, CurrentFileName, CurrentEncoding);
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
    ~EmptiedAfter() { SetWindowTextA(buffer, ""); }
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
