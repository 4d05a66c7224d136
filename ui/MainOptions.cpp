// The options of the Options menu beyond the colour schemes: one of each chosen set, the characters
// left out, the timed clipboard clearing; and the strength of one password in the status bar.
#include <functional>
#include <string>
#include <utility>

#include "framework/Clipboard.h"
#include "framework/CodePage.h"
#include "ui/LeaveOut.h"
#include "ui/Options.h"

namespace {
constexpr int kClearTimeCount = sizeof kClearClipboardTimes / sizeof kClearClipboardTimes[0];
// How soon a clearing is tried again when another program holds the clipboard open.
constexpr UINT kRetryMilliseconds = 1000;
// How long the close waits for such a program before giving the clearing up.
constexpr ULONGLONG kCloseWaitMilliseconds = 1000;

// At the close no timer can try again later: the attempt is repeated here for a while.
bool TryForAMoment(const std::function<bool()>& attempt) {
  const ULONGLONG start = GetTickCount64();
  while (!attempt()) {
    if (GetTickCount64() - start >= kCloseWaitMilliseconds) return false;
    Sleep(50);
  }
  return true;
}
}  // namespace

void TSDIAppForm::AddOptionItems() {
  for (const OptionItem& option : kOptionItems) {
    TMenuItem& item = this->*option.item;
    item.Caption = option.caption;
    item.OnClick = [&item] { item.SetChecked(!item.Checked()); };
    Options1.Items.push_back(&item);
  }
  mniLeaveOut.Caption = "Leave out characters...";
  mniLeaveOut.OnClick = [this] { mniLeaveOutClick(); };
  Clearclipboardafter1.Caption = "Clear clipboard after";
  Options1.Items.insert(Options1.Items.end(), {&mniLeaveOut, &Clearclipboardafter1});
  for (const ClearClipboardTime& time : kClearClipboardTimes) {
    TMenuItem& item = this->*time.item;
    item.Caption = time.caption;
    item.RadioItem = true;
    item.GroupIndex = 2;
    item.OnClick = [this, seconds = time.seconds] { SetClearClipboardSeconds(seconds); };
    Clearclipboardafter1.Items.push_back(&item);
  }
  mniClearNever.SetChecked(true);
  N4.Caption = "-";
  mniPassphrases.Caption = "Make passphrases...";
  mniPassphrases.OnClick = [this] { mniPassphrasesClick(); };
  Options1.Items.insert(Options1.Items.end(), {&N4, &mniPassphrases});
}

void TSDIAppForm::mniLeaveOutClick() { EditLeaveOutCharacters(LeaveOutCharacters); }

int TSDIAppForm::ClearClipboardSeconds() const {
  for (const ClearClipboardTime& time : kClearClipboardTimes)
    if ((this->*time.item).Checked()) return time.seconds;
  return 0;
}

void TSDIAppForm::SetClearClipboardSeconds(int seconds) {
  int row = 0;  // "Never" for a number no item has
  for (int i = 0; i < kClearTimeCount; ++i)
    if (kClearClipboardTimes[i].seconds == seconds) row = i;
  (this->*kClearClipboardTimes[row].item).SetChecked(true);
}

void TSDIAppForm::CopyToClipboard(const std::string& text, bool renderNow) {
  // Offered, the passwords reach the clipboard only when a program asks for them: a program
  // that dies before that takes them along.
  ScheduleClipboardClear(renderNow ? ClipboardSetText(text, true) : ClipboardOfferText(text));
}

void TSDIAppForm::ScheduleClipboardClear(unsigned long copy) {
  const int seconds = ClearClipboardSeconds();
  if (seconds <= 0) return;
  copiedNumber_ = copy;
  clearPending_ = true;
  SetTimer(Handle, kClearClipboardTimer, static_cast<UINT>(seconds) * 1000, nullptr);
}

void TSDIAppForm::TimerFired(UINT_PTR id) {
  if (id == kClearClipboardTimer) ClearClipboardIfUnchanged();
  if (id == kGenerateTimer) GenerateSlice();
}

void TSDIAppForm::ClearClipboardIfUnchanged(bool closing) {
  if (!clearPending_) return;
  // A clipboard viewer may hold it open for a while: the password must not stay for that. A timer
  // set at the close would die with the window, so then the clearing waits here instead.
  const auto tryEmpty = [this] { return TryEmptyClipboardIfUnchanged(copiedNumber_); };
  if (closing ? !TryForAMoment(tryEmpty) : !tryEmpty()) {
    if (!closing) SetTimer(Handle, kClearClipboardTimer, kRetryMilliseconds, nullptr);
    return;
  }
  KillTimer(Handle, kClearClipboardTimer);
  clearPending_ = false;
}

void TSDIAppForm::PlaceOfferedPasswords() {
  // A clearing that could not be done leaves nothing to keep: the text goes with the process.
  if (clearPending_ || CheckBox8.Checked() || !TryForAMoment(TryPlaceOfferedText))
    ForgetOfferedText();
}

std::string TSDIAppForm::IdleHint() {
  if (!Memo2.Handle) return "";
  if (Generating()) return ProgressText();
  // Measured again only when the options have changed since.
  PasswordRequest r = ReadRequest();
  if (strengthText_.empty() || !(r == strengthRequest_)) {
    const int bits = StrengthBits(r, AnsiCharacterLength());
    strengthText_ = StrengthText(bits);
    strengthRequest_ = std::move(r);
  }
  return strengthText_;
}
