// Generate of 1000 passphrases of six words into the main window's list, beside Generate of 1000
// passwords of the same length (the passphrases' mean, lower case), both in this process, through
// the window's own commands, onto an empty list each time.
// Usage: passphrase_bench [runs]   (under Wine: wine passphrase_bench.exe 9)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/Timing.h"
#include "framework/Application.h"
#include "ui/Main.h"

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  TSDIAppForm form;
  form.Create();
  Application.MainWindow = form.Handle;
  form.Show();
  form.CheckBox6.SetChecked(false);  // no clipboard: the same work on both sides

  PassphraseRequest phrases;
  phrases.Count = 1000;
  std::vector<double> phraseRuns, passwordRuns;
  double characters = 0;  // of the passphrases, line breaks left out
  for (int i = 0; i < runs; ++i) {
    form.Memo1.SetText("");
    const double start = Now();
    form.AddPassphrases(phrases);
    phraseRuns.push_back(Now() - start);
    characters += double(GetWindowTextLengthA(form.Memo1.Handle) - 2 * phrases.Count);
  }
  const int length = static_cast<int>(std::lround(characters / runs / phrases.Count));
  form.RadioButton9.SetChecked(true);  // custom length and count
  form.UpDown1.SetPosition(length);
  form.RadioButton10.SetChecked(true);
  form.UpDown2.SetPosition(phrases.Count);
  for (int i = 0; i < runs; ++i) {
    form.Memo1.SetText("");
    const double start = Now();
    form.Button1Click();
    passwordRuns.push_back(Now() - start);
  }
  Print("1000 passphrases of 6 words", phraseRuns);
  char what[64];
  std::snprintf(what, sizeof what, "1000 passwords of %d characters", length);
  Print(what, passwordRuns);
  std::printf("ratio of the medians: %.2f (at most 1.2 wanted)\n",
              Median(phraseRuns) / Median(passwordRuns));
  return 0;
}
