// The program's Yes/No question on top of the framework's message box.
#include "shell/Confirm.h"

#include "framework/Dialogs.h"

bool ConfirmYesNo(const std::string& text) {
  return ShowMessageBox(text, "Confirm", MsgIcon::Question, MsgButtons::YesNo) == MsgResult::Yes;
}

bool ConfirmYesNo(const std::wstring& text) {
  return ShowMessageBox(text, "Confirm", MsgIcon::Question, MsgButtons::YesNo) == MsgResult::Yes;
}
