// The password list's file: loading, saving and the wording of a file the list does not take.
#include "ui/ListDocument.h"

#include <windows.h>

#include <new>

#include "framework/CodePage.h"
#include "framework/Exceptions.h"
#include "framework/FileStream.h"
#include "framework/WaitCursor.h"
#include "framework/core/ListFile.h"
#include "framework/core/Wipe.h"

namespace {

// The list is read back through the ANSI window-text calls, whose lengths are ints: a text of
// INT_MAX characters or more could never be read back (or saved) whole.
constexpr size_t kListCapacity = 0x7FFFFFFE;

// The message for a file the list does not take.
std::wstring RefusalText(const ListFileContent& file) {
  const std::wstring line = L"Line " + std::to_wstring(file.refusedLine);
  switch (file.refusal) {
    case ListFileRefusal::ZeroByte: return L"It contains a zero byte, so it is not a text file";
    case ListFileRefusal::LooksLikeUtf16:
      return L"It looks like UTF-16 text without a byte-order mark, but it cannot be read as "
             L"that for certain, so the file is not opened";
    case ListFileRefusal::InvalidText:
      return line + L" is not valid " +
             (file.encoding == TextEncoding::Utf8 ? L"UTF-8" : L"UTF-16") + L" text";
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

// Puts the text into the list unless it holds it already; false when the list cannot take it.
bool Show(TMemo& list, const std::string& text) {
  if (text.size() == static_cast<size_t>(GetWindowTextLengthA(list.Handle)) &&
      WipedText(list.Text()).Get() == text)
    return true;
  return SetWindowTextA(list.Handle, text.c_str()) != FALSE;
}

}  // namespace

void TListDocument::New() {
  CurrentFileName.clear();
  CurrentEncoding = TextEncoding::Ansi;
  list_.SetText("");
}

void TListDocument::Open(const std::wstring& path) {
  TWaitCursor wait;
  // Save is aimed at the file only once the list holds its text, or when there is no file yet
  // (Save then creates it): a file that is there but could not be read must never be replaced
  // by a list that did not come from it.
  ListFileContent file;
  bool fits = false;
  try {
    ReadListFile(path, SystemAnsiCodePage(), kListCapacity, file);
    if (file.refusal != ListFileRefusal::None && file.refusal != ListFileRefusal::TooLarge)
      RaiseCannotOpenFile(path, RefusalText(file));
    fits = file.refusal == ListFileRefusal::None && Show(list_, file.text.Get());
  } catch (const std::bad_alloc&) {
    // Short of the limit, memory can still run out first: the list stays as it was all the same.
  } catch (...) {
    if (file.missing) CurrentFileName = path, CurrentEncoding = TextEncoding::Ansi;
    throw;
  }
  if (!fits) throw Exception("Text exceeds memo capacity");
  CurrentFileName = path;
  CurrentEncoding = file.encoding;
}

void TListDocument::Save() const {
  TWaitCursor wait;
  SaveFileSafely(CurrentFileName, WipedText(ListFileBytes(WipedText(list_.Text()).Get(),
                                                          CurrentEncoding, SystemAnsiCodePage()))
                                      .Get());
}
