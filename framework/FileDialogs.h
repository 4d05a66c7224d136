// The common open and save dialogs. Each dialog object remembers the file name last chosen in it
// and starts there the next time.
#pragma once
#include <windows.h>

#include <string>

class TFileDialog {
 public:
  enum class Kind { Open, Save };
  explicit TFileDialog(Kind kind) : kind_(kind) {}

  // "Description|pattern|..." as the designer writes it.
  std::string Filter = "All Files (*.*)|*.*";
  // The name the dialog starts with; after a confirmed Execute, the name chosen. Wide: a name may
  // hold characters the ANSI code page lacks.
  std::wstring FileName;

  // Shows the dialog; true when the user confirmed a name (then in FileName).
  bool Execute(HWND owner);
  // The platform options the dialog is shown with.
  DWORD Options() const;

 private:
  Kind kind_;
};

class TOpenDialog : public TFileDialog {
 public:
  TOpenDialog() : TFileDialog(Kind::Open) {}
};

class TSaveDialog : public TFileDialog {
 public:
  TSaveDialog() : TFileDialog(Kind::Save) {}
};
