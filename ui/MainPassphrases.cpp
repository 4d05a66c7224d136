// Options > "Make passphrases...": the box, and its Generate, which adds to the main list.
#include <optional>
#include <string>

#include "framework/CodePage.h"
#include "framework/Dialogs.h"
#include "framework/WaitCursor.h"
#include "framework/core/Wipe.h"
#include "ui/Main.h"
#include "ui/Passphrases.h"

void TSDIAppForm::mniPassphrasesClick() {
  MakePassphrases(PassphraseOptions, LeaveOutCharacters,
                  [this](const PassphraseRequest& request) { AddPassphrases(request); });
}

void TSDIAppForm::AddPassphrases(const PassphraseRequest& request) {
  WipedText text;
  SystemSource source;
  // The cursor covers the list taking the text too; a refusal is shown once it is gone.
  std::optional<TWaitCursor> wait(std::in_place);
  std::string refusal;
  const GenerateOutcome outcome = GeneratePassphrases(
      request, text.Get(), [&refusal](const std::string& m) { refusal = m; }, source,
      ProgramWords(), AnsiCharacterLength());
  if (outcome != GenerateOutcome::Done) {
    wait.reset();
    ShowMessage(refusal);
    return;
  }
  AppendToList(text.Get());  // first, as Generate does
  if (CheckBox6.Checked()) CopyToClipboard(text.Get());
}
