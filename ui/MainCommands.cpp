// The main window's creation and closing, and the Generate and Clear commands.
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "framework/CodePage.h"
#include "framework/Dialogs.h"
#include "framework/ErrorReport.h"
#include "framework/Exceptions.h"
#include "framework/StartupPhases.h"
#include "framework/WaitCursor.h"
#include "framework/core/Wipe.h"
#include "generator/PasswordGenerator.h"
#include "ui/Main.h"
#include "ui/Options.h"
#include "ui/Settings.h"

namespace {

// The list lays out about half a million characters a second under Wine (and faster elsewhere): an
// addition of this size keeps the window busy for about 100 ms, long enough to show it.
constexpr size_t kSlowAddition = 50000;

}  // namespace

void TSDIAppForm::FormCreate() {
  FixSettingsFolder();
  StartupPhaseDone("settings folder");
  LoadSettings();
}

void TSDIAppForm::FormClose() { CloseDown(false); }

void TSDIAppForm::SessionEnding() { CloseDown(true); }

void TSDIAppForm::CloseDown(bool quietly) {
  StopGenerating();
  // Settings that cannot be written (a read-only file, a full disk) must neither keep the window
  // open for good nor leave a password on the clipboard: the error is shown and the close goes on.
  // While the session ends nobody can answer a box.
  try {
    SaveSettings();
  } catch (const std::exception& e) {
    if (!quietly) ShowException(e);
  }
  // A timed clearing cannot wait for a program that has ended: it happens now, or the window
  // stays open as when the clearing on exit fails.
  ClearClipboardIfUnchanged(true);
  if (clearPending_ && !quietly) throw Exception("Cannot open clipboard");
  try {
    ClearClipboardOnExit();
  } catch (const std::exception&) {
    if (!quietly) throw;  // the window stays open, its passwords still on offer
  }
  PlaceOfferedPasswords();
}

PasswordRequest TSDIAppForm::ReadRequest() {
  PasswordRequest request;
  request.PasswordLength = LengthGroup.Value();
  request.PasswordCount = CountGroup.Value();
  for (const CharacterOption& option : kCharacterOptions)
    request.*option.field = (this->*option.box).Checked();
  for (const OptionItem& option : kOptionItems)
    request.*option.field = (this->*option.item).Checked();
  request.CustomCharacters = Memo2.Text();
  request.UseGroups = RadioButton21.Checked();
  request.GroupSize = static_cast<int16_t>(UpDown3.Position());
  request.LeaveOut = LeaveOutCharacters;
  return request;
}

void TSDIAppForm::Button1Click() {
  if (Generating()) return;  // one at a time: the options wait for the Generate at work
  for (TUpDown* spinner : {&UpDown1, &UpDown2}) spinner->ClampToRange();  // used as shown
  StartGenerating(ReadRequest());
}

void TSDIAppForm::PasswordsMade(const std::string& text) {
  // The list taking the passwords is what can last.
  std::optional<TWaitCursor> wait;
  if (text.size() >= kSlowAddition) wait.emplace();
  // Into the list first: a clipboard held by another program then loses no password.
  AppendToList(text);
  if (CheckBox6.Checked()) CopyToClipboard(text);
}

void TSDIAppForm::Button2Click() { Memo1.SetText(""); }

void TSDIAppForm::AppendToList(const std::string& text) {
  // One replacement of an empty selection at the end: the list is not copied per password.
  const int length = GetWindowTextLengthA(Memo1.Handle);
  bool endsWithBreak = length == 0;
  if (length > 0) {
    // Only the last character is needed to know whether the last line was ended.
    const int lastLine = static_cast<int>(SendMessageA(Memo1.Handle, EM_LINEFROMCHAR, length, 0));
    const int lastLineStart =
        static_cast<int>(SendMessageA(Memo1.Handle, EM_LINEINDEX, lastLine, 0));
    endsWithBreak = lastLineStart == length;
  }
  // Made in one piece of the final size: a growing text would leave copies behind.
  WipedText wiped;
  std::string& addition = wiped.Get();
  addition.reserve(text.size() + 2);
  if (!endsWithBreak) addition += "\r\n";
  addition += text;
  if (endsWithBreak) addition += "\r\n";
  SendMessageA(Memo1.Handle, EM_SETSEL, length, length);
  SendMessageA(Memo1.Handle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(addition.c_str()));
}
