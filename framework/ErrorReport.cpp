// Error reporting: every dispatch point runs its handler through Guard.
#include "framework/ErrorReport.h"

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/core/Text.h"

void ShowException(const std::exception& e) {
  if (dynamic_cast<const EAbort*>(&e)) return;
  // A message that names a file shows the name as the user sees it.
  if (const auto* error = dynamic_cast<const Exception*>(&e); error && !error->WideText().empty()) {
    ShowMessageBox(ErrorBoxText(error->WideText()), ApplicationTitle(), MsgIcon::Stop,
                   MsgButtons::Ok);
    return;
  }
  ShowMessageBox(ErrorBoxText(e.what()), ApplicationTitle(), MsgIcon::Stop, MsgButtons::Ok);
}

bool Guard(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    ShowException(e);
  }
  return false;
}

void ShowLastChanceError(const std::string& message) {
  ShowMessageBox(message, "Application Error", MsgIcon::Stop, MsgButtons::Ok);
}
