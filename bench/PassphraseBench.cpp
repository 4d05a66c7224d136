// Generate of 1000 passphrases of six words into the main window's list, beside Generate of 1000
// passwords of the same length (the passphrases' mean), both through the window's own commands in
// this process, onto an empty list each time; then both texts taken by a bare edit control made as
// the list is; then the generating alone, without the list.
// Usage: passphrase_bench [runs]   (under Wine: wine passphrase_bench.exe 15)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "framework/Application.h"
#include "ui/Main.h"

namespace {
// Median milliseconds of `runs` calls of `work`, each onto an empty list.
double Time(TSDIAppForm& form, int runs, const char* what, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    form.Memo1.SetText("");
    const double start = Now();
    work();
    times.push_back(Now() - start);
  }
  Print(what, times);
  return Median(times);
}

// The yardstick: a bare edit control made as the list is (styles, font, size, visible), taking
// `text` onto its empty self in one EM_REPLACESEL; median milliseconds of `runs`.
double TimeBare(HWND list, int runs, const char* what, const std::string& text) {
  RECT r;
  GetWindowRect(list, &r);
  HWND top = CreateWindowExA(0, "STATIC", "Yardstick", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             r.right - r.left + 40, r.bottom - r.top + 80, nullptr, nullptr,
                             nullptr, nullptr);
  HWND edit = CreateWindowExA(static_cast<DWORD>(GetWindowLongPtrA(list, GWL_EXSTYLE)), "EDIT", "",
                              static_cast<DWORD>(GetWindowLongPtrA(list, GWL_STYLE)), 0, 0,
                              r.right - r.left, r.bottom - r.top, top, nullptr, nullptr, nullptr);
  SendMessageA(edit, WM_SETFONT, SendMessageA(list, WM_GETFONT, 0, 0), FALSE);
  SendMessageA(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    SetWindowTextA(edit, "");
    UpdateWindow(top);
    const double start = Now();
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    times.push_back(Now() - start);
  }
  DestroyWindow(top);
  Print(what, times);
  return Median(times);
}

std::string ListText(TSDIAppForm& form, const std::function<void()>& work) {
  form.Memo1.SetText("");
  work();
  return form.Memo1.Text();
}
}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  TSDIAppForm form;
  form.Create();
  Application.MainWindow = form.Handle;
  form.Show();
  form.CheckBox6.SetChecked(false);  // no clipboard: the same work on both sides

  PassphraseRequest phrases;
  phrases.Count = 1000;
  form.AddPassphrases(phrases);  // untimed: the passwords' length, line breaks left out
  const int length = static_cast<int>(std::lround(
      double(GetWindowTextLengthA(form.Memo1.Handle) - 2 * (phrases.Count - 1)) / phrases.Count));
  form.RadioButton9.SetChecked(true);  // custom length and count
  form.UpDown1.SetPosition(length);
  form.RadioButton10.SetChecked(true);
  form.UpDown2.SetPosition(phrases.Count);
  char what[80];
  std::printf("Generate into the list (passwords of %d characters):\n", length);
  const double phrase =
      Time(form, runs, "1000 passphrases of 6 words, \"-\"", [&] { form.AddPassphrases(phrases); });
  const double lower =
      Time(form, runs, "1000 passwords, lower case (the default)", [&] { form.Button1Click(); });
  form.CheckBox2.SetChecked(true), form.CheckBox3.SetChecked(true);
  form.CheckBox4.SetChecked(true);
  const double all =
      Time(form, runs, "1000 passwords, all four classes", [&] { form.Button1Click(); });
  // The list lays out a run of letters faster than letters broken by punctuation.
  PassphraseRequest blank = phrases;
  blank.Separator = " ";
  Time(form, runs, "1000 passphrases of 6 words, \" \"", [&] { form.AddPassphrases(blank); });
  std::printf("ratio to lower case %.2f, to all four classes %.2f (at most 1.2 wanted)\n",
              phrase / lower, phrase / all);

  // The same texts in the bare control: what the list itself needs for each kind of text.
  std::printf("A bare edit control taking the same text:\n");
  const std::string phraseText = ListText(form, [&] { form.AddPassphrases(phrases); });
  form.CheckBox2.SetChecked(false), form.CheckBox3.SetChecked(false);
  form.CheckBox4.SetChecked(false);
  const std::string lowerText = ListText(form, [&] { form.Button1Click(); });
  const double barePhrase = TimeBare(form.Memo1.Handle, runs, "the passphrases", phraseText);
  const double bareLower = TimeBare(form.Memo1.Handle, runs, "the lower-case passwords", lowerText);
  std::printf("ratio %.2f; the program to the bare control: passphrases %.2f, passwords %.2f\n",
              barePhrase / bareLower, phrase / barePhrase, lower / bareLower);

  std::printf("Generating alone:\n");
  SystemSource source;
  std::string text;
  const auto ignore = [](const std::string&) {};
  Time(form, runs, "1000 passphrases of 6 words",
       [&] { GeneratePassphrases(phrases, text, ignore, source); });
  const PasswordRequest request = form.ReadRequest();
  std::snprintf(what, sizeof what, "1000 passwords of %d, all four classes", length);
  Time(form, runs, what, [&] { GeneratePasswords(request, text, ignore, source); });
  return 0;
}
