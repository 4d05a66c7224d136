// The "Leave out characters" box, made for each showing: it holds nothing between showings, the
// main window keeps the text.
#include "ui/LeaveOut.h"

#include "framework/WideText.h"

namespace {
// The field read in UTF-16, keeping only the characters the ANSI code page spells exactly: read
// as ANSI, one it lacks would come back as "?" or a look-alike and leave that out instead. The
// others can never be drawn, so nothing is lost by dropping them.
std::string ExactAnsiText(HWND field) {
  std::wstring wide(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  wide.resize(static_cast<size_t>(GetWindowTextW(field, &wide[0], static_cast<int>(wide.size()))));
  std::string text, one;
  for (size_t at = 0; at < wide.size();) {
    // A surrogate pair is one character; a lone surrogate is none.
    const bool pair = at + 1 < wide.size() && IS_SURROGATE_PAIR(wide[at], wide[at + 1]);
    const bool lone = !pair && (IS_HIGH_SURROGATE(wide[at]) || IS_LOW_SURROGATE(wide[at]));
    const size_t n = pair ? 2 : 1;
    if (!lone && WideToAnsiExact(wide.substr(at, n), one)) text += one;
    at += n;
  }
  return text;
}
}  // namespace

TLeaveOutForm::TLeaveOutForm() : TForm("TLeaveOutForm") {
  Caption = "Leave out characters";
  DialogFrame = true;
  UseClientSize = true;
  Width = 264;
  Height = 96;
  CenterOnFirstShow = true;
  FirstFocus = &Edit1;
}

void TLeaveOutForm::CreateControls() {
  Font = CreateUiFont("MS Sans Serif", 8, DEFAULT_CHARSET);
  CreateTable({
      {&Label1, nullptr, "Characters never to use (blanks too):", 8, 8, 248, 13},
      {&Edit1, nullptr, "", 8, 26, 248, 21},
      {&OKButton, nullptr, "OK", 100, 60, 75, 25},
      {&CancelButton, nullptr, "Cancel", 181, 60, 75, 25},
  });
  // The dialog manager turns Enter into IDOK (the default button) and Esc into IDCANCEL.
  SetWindowLongPtrA(OKButton.Handle, GWLP_ID, IDOK);
  SendMessageA(OKButton.Handle, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  SetWindowLongPtrA(CancelButton.Handle, GWLP_ID, IDCANCEL);
  OKButton.OnClick = [this] { ModalResultValue = mrOk; };
  CancelButton.OnClick = [this] { ModalResultValue = mrCancel; };
}

bool EditLeaveOutCharacters(std::string& text) {
  TLeaveOutForm box;
  box.Create();
  box.Edit1.SetText(text);
  SendMessageA(box.Edit1.Handle, EM_SETSEL, 0, -1);
  if (box.ShowModal() != mrOk) return false;
  text = ExactAnsiText(box.Edit1.Handle);
  return true;
}
