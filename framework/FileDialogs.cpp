// Open and save dialogs over GetOpenFileNameW / GetSaveFileNameW, so that any name the system
// allows arrives whole. No default extension is set, so a name is used exactly as typed.
#include "framework/FileDialogs.h"

#include <commdlg.h>

#include <vector>

#include "framework/core/DialogFilter.h"
#include "framework/WideText.h"

DWORD TFileDialog::Options() const {
  // The open dialog accepts names of files that do not exist: opening them then reports the error.
  const DWORD common = OFN_HIDEREADONLY | OFN_ENABLESIZING;
  return kind_ == Kind::Save ? common | OFN_OVERWRITEPROMPT : common;
}

bool TFileDialog::Execute(HWND owner) {
  const std::wstring filter = AnsiToWide(DialogFilterList(Filter));
  std::vector<wchar_t> name(32768, L'\0');
  FileName.copy(name.data(), name.size() - 1);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.Flags = Options();
  const BOOL ok = kind_ == Kind::Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return false;
  FileName = name.data();
  return true;
}
