// The "Leave out characters" box, made for each showing: it holds nothing between showings, the
// main window keeps the text.
#include "ui/LeaveOut.h"

#include "framework/WideText.h"

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
  ExactAnsiText(box.Edit1.Handle, text);
  return true;
}
