// Making a Generate's passwords: at once when that is quick, otherwise in slices between the
// window's messages, so that the window stays drawn, shows the progress and stops on Esc.
#include <memory>
#include <string>

#include "framework/CodePage.h"
#include "framework/Dialogs.h"
#include "framework/WaitCursor.h"
#include "framework/core/Wipe.h"
#include "ui/Main.h"

namespace {
// A Generate that takes longer than this goes on in slices, with its progress shown.
constexpr ULONGLONG kQuietMilliseconds = 500;
// About how long one slice takes: the window answers at least this often.
constexpr ULONGLONG kSliceMilliseconds = 50;
}  // namespace

struct TSDIAppForm::Generation {
  explicit Generation(const PasswordRequest& request)
      : maker(
            request, [this](const std::string& m) { refusal = m; }, AnsiCharacterLength()) {}
  // Makes passwords until all are made or the tick count reaches `until`.
  void MakeUntil(ULONGLONG until) {
    do {
      const ULONGLONG start = GetTickCount64();
      maker.MakeMore(slice, source);
      // The passwords per slice follow the time they take, which can range from microseconds to
      // a tenth of a second each.
      const ULONGLONG took = GetTickCount64() - start;
      if (took < kSliceMilliseconds / 2 && slice < (1 << 20)) slice *= 2;
      if (took > kSliceMilliseconds * 2 && slice > 1) slice /= 2;
    } while (!maker.Finished() && GetTickCount64() < until);
  }
  std::string refusal;  // shown once the work is over
  PasswordMaker maker;
  SystemSource source;
  int32_t slice = 1;
};

void TSDIAppForm::StartGenerating(const PasswordRequest& request) {
  auto work = std::make_shared<Generation>(request);
  {
    const TWaitCursor wait;
    if (!work->maker.Finished()) work->MakeUntil(GetTickCount64() + kQuietMilliseconds);
  }
  if (work->maker.Finished()) return FinishGenerating(*work);
  generation_ = std::move(work);
  SetTimer(Handle, kGenerateTimer, USER_TIMER_MINIMUM, nullptr);
  ShowHint("");  // the progress
}

void TSDIAppForm::GenerateSlice() {
  // Out of reach while it works: a failing random source ends the Generate, and a timer armed
  // again only after the slice never runs one inside another.
  KillTimer(Handle, kGenerateTimer);
  std::shared_ptr<Generation> work = std::move(generation_);
  if (!work) return;
  work->MakeUntil(GetTickCount64() + kSliceMilliseconds);
  if (work->maker.Finished()) {
    ShowHint("");
    return FinishGenerating(*work);
  }
  generation_ = std::move(work);
  SetTimer(Handle, kGenerateTimer, USER_TIMER_MINIMUM, nullptr);
  ShowHint("");
}

void TSDIAppForm::StopGenerating() {
  if (!generation_) return;
  KillTimer(Handle, kGenerateTimer);
  generation_.reset();  // the maker wipes what it made
  ShowHint("");
}

void TSDIAppForm::FinishGenerating(Generation& work) {
  if (!work.refusal.empty()) ShowMessage(work.refusal);
  // A request with no character left to draw from, or that cannot hold one of each set, has been
  // reported: there is nothing to add. After the other refusals an empty text is added.
  const GenerateOutcome outcome = work.maker.Outcome();
  if (outcome == GenerateOutcome::NothingAcceptable || outcome == GenerateOutcome::CannotMeet)
    return;
  WipedText text;
  work.maker.TakeText(text.Get());
  PasswordsMade(text.Get());
}

std::string TSDIAppForm::ProgressText() const {
  return "Making passwords: " + std::to_string(generation_->maker.Made()) + " of " +
         std::to_string(generation_->maker.Count()) + " - Esc stops";
}
