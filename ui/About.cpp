// The About box, and Help > About... showing it modally. One instance lives for the whole run and
// is hidden between showings, so it reappears where the user last left it.
#include "ui/About.h"

#include <commctrl.h>

#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/IconControl.h"
#include "framework/core/Product.h"
#include "framework/Version.h"
#include "shell/ShellOpen.h"
#include "ui/Main.h"

TAboutBox* AboutBox = nullptr;

namespace {

constexpr TColor kLinkBlue = 0x00FF0000;

// The panel's lowered bevel: a one-pixel sunken edge drawn inside its client area.
LRESULT CALLBACK BevelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// The hand cursor over the link label.
LRESULT CALLBACK LinkCursorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  if (msg == WM_SETCURSOR) {
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    return TRUE;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

namespace {

// The program's icon in the size that matches the DPI (shared: the system keeps it).
HICON ProgramIconAt(int dpi) {
  const int size = ScaleForDpi(32, dpi);
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

TAboutBox::TAboutBox() : TForm("TAboutBox") {
  Caption = "About";
  DialogFrame = true;
  UseClientSize = true;
  Width = 298;
  Height = 218;
  CenterOnFirstShow = true;
  Color = clBtnFace;
  FirstFocus = &OKButton;
}

void TAboutBox::CreateControls() {
  Font = CreateUiFont("MS Sans Serif", 8, DEFAULT_CHARSET);
  ProgramIcon.Icon = ProgramIconAt(Dpi);
  std::vector<ControlDef> table = {
      {&Panel1, nullptr, "", 8, 8, 281, 161},
      {&ProductName, &Panel1, TALLOWMERE_TITLE, 88, 16, 185, 13},
      {&lbVersion, &Panel1, "Version 1.1.0", 88, 40, 185, 13},
      {&Copyright, &Panel1, "Copyright (C) 2026 " TALLOWMERE_PUBLISHER, 8, 80, 265, 13},
      {&Label1, &Panel1, TALLOWMERE_HOMEPAGE, 8, 104, 177, 13},
      {&Comments, &Panel1, "Store your passwords in secure place!", 8, 128, 265, 26},
      {&ProgramIcon, &Panel1, "", 16, 16, 41, 41},
      {&OKButton, nullptr, "OK", 120, 178, 65, 33},
  };
  CreateTable(table);
  SetWindowSubclass(Panel1.Handle, BevelProc, 2, 0);

  Label1.Color = kLinkBlue;  // a label's colour is its text colour
  SendMessageA(
      Label1.Handle, WM_SETFONT,
      reinterpret_cast<WPARAM>(CreateUiFont("MS Sans Serif", 8, DEFAULT_CHARSET, true, true)),
      FALSE);
  SetWindowSubclass(Label1.Handle, LinkCursorProc, 1, 0);
  Label1.OnClick = [this] { Label1Click(); };

  // The default button: Enter anywhere in the box presses it, as the dialog manager sends IDOK.
  SetWindowLongPtrA(OKButton.Handle, GWLP_ID, IDOK);
  SendMessageA(OKButton.Handle, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  OKButton.OnClick = [this] { ModalResultValue = mrOk; };
}

void TAboutBox::DpiChanged() {
  ProgramIcon.Icon = ProgramIconAt(Dpi);
  SendMessageA(ProgramIcon.Handle, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon.Icon), 0);
}

void TAboutBox::FormCreate() { lbVersion.SetText("Version " TALLOWMERE_VERSION); }

void TAboutBox::Label1Click() { OpenWithShell(Handle, Label1.Text()); }

void TSDIAppForm::HelpAbout1Execute() {
  if (!AboutBox) return;
  // Its window is made when it is first asked for: nothing of it need wait at start-up.
  if (!AboutBox->Handle) AboutBox->Create();
  AboutBox->ShowModal();
}
