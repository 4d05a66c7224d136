// The options of the Options menu beyond the colour schemes: one of each chosen set, the characters
// left out, the timed clipboard clearing; and the strength of one password in the status bar.
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

void TSDIAppForm::CopyToClipboard(const std::string& text, bool /*renderNow*/) {
  ScheduleClipboardClear(ClipboardSetText(text, true));
}

void TSDIAppForm::ScheduleClipboardClear(unsigned long sequence) {
  const int seconds = ClearClipboardSeconds();
  if (seconds <= 0) return;
  copiedSequence_ = sequence;
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
  const ULONGLONG start = GetTickCount64();
  while (!TryEmptyClipboardIfUnchanged(copiedSequence_)) {
    if (!closing) {
      SetTimer(Handle, kClearClipboardTimer, kRetryMilliseconds, nullptr);
      return;
    }
    if (GetTickCount64() - start >= kCloseWaitMilliseconds) break;
    Sleep(50);
  }
  KillTimer(Handle, kClearClipboardTimer);
  clearPending_ = false;
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
