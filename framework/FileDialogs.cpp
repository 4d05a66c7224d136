// Open and save dialogs over GetOpenFileNameA / GetSaveFileNameA. No default extension is set, so
// a name is used exactly as typed.
#include "framework/FileDialogs.h"

#include <commdlg.h>

#include <vector>

#include "framework/DialogFilter.h"

DWORD TFileDialog::Options() const {
  // The open dialog accepts names of files that do not exist: opening them then reports the error.
  const DWORD common = OFN_HIDEREADONLY | OFN_ENABLESIZING;
  return kind_ == Kind::Save ? common | OFN_OVERWRITEPROMPT : common;
}

bool TFileDialog::Execute(HWND owner) {
  const std::string filter = DialogFilterList(Filter);
  std::vector<char> name(32768, '\0');
  FileName.copy(name.data(), name.size() - 1);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.Flags = Options();
  const BOOL ok = kind_ == Kind::Save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  FileName = name.data();
  return true;
}
