// The "Make passphrases" box, driven by keys as a user drives it, and what its Generate adds.
#include <deque>
#include <functional>
#include <regex>

#include "framework/Clipboard.h"
#include "tests/support/OtherProgram.h"
#include "ui/Passphrases.h"
#include "ui/tests/MainWindowFixture.h"

namespace {
// Plays the user once the box shows: a step a tick, after the keys before it are handled, and
// none while a message box has the keys.
std::deque<std::function<void()>> steps;
void Play(std::deque<std::function<void()>> script) {
  steps = std::move(script);
  SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
    if (steps.empty()) return (void)KillTimer(nullptr, id);
    if (FindWindowA("#32770", nullptr)) return;
    const auto step = std::move(steps.front());
    steps.pop_front();
    step();
  });
}
// A key, a typed character, or Alt with an underlined letter (bit 29), where the focus is.
std::function<void()> Post(UINT message, WPARAM key, LPARAM flags = 1) {
  return [=] { PostMessageA(GetFocus(), message, key, flags); };
}
std::function<void()> Key(WPARAM key) { return Post(WM_KEYDOWN, key); }
std::function<void()> Alt(char letter) { return Post(WM_SYSCHAR, letter, 1 << 29); }
TPassphraseForm& Box() {
  HWND box = FindWindowA("TPassphraseForm", "Make passphrases");
  return *static_cast<TPassphraseForm*>(
      reinterpret_cast<TForm*>(GetWindowLongPtrA(box, GWLP_USERDATA)));
}
}  // namespace

TEST_F(MainWindowTest, ThePassphraseBoxTakesItsOptionsByKeyAndGenerateAddsAndCopies) {
  form->CheckBox6.SetChecked(true);
  form->Memo1.SetText("kept");
  std::string strength;
  // Words 6 -> 4 by the arrow keys, "+" over the selected "-", both boxes by their letters, the
  // count 1 -> 3, Enter for Generate, Esc for Close.
  Play({Key(VK_DOWN), Key(VK_DOWN), Key(VK_TAB), Post(WM_CHAR, '+'), Alt('c'), Alt('d'), Alt('n'),
        Key(VK_UP), Key(VK_UP), [&] { strength = Box().StrengthLabel.Text(); }, Key(VK_RETURN),
        Key(VK_ESCAPE)});
  SendMessageA(form->Handle, WM_COMMAND, form->mniPassphrases.Id, 0);
  EXPECT_EQ(strength, "Each passphrase: 57 bits (fair)");  // 4 x log2 7776 + log2 40
  const PassphraseRequest& p = form->PassphraseOptions;
  EXPECT_EQ(std::tie(p.Words, p.Separator, p.Capitalize, p.AddDigit, p.Count),
            std::make_tuple(4, std::string("+"), true, true, 3));
  EXPECT_EQ("kept\r\n" + ClipboardGetText(), List());
  // Four capitalised words of letters (and hyphens), the k-th with the digit.
  std::string line, word = "[A-Z][a-z-]+";
  for (int k = 0; k < 4; ++k)
    line += (k ? "|" : "") + word + "(\\+" + word + "){" + std::to_string(k) + "}[0-9](\\+" + word +
            "){" + std::to_string(3 - k) + "}";
  EXPECT_TRUE(std::regex_match(List(), std::regex("kept(\r\n(" + line + ")){3}"))) << List();
}

TEST_F(MainWindowTest, ThePassphraseBoxSettlesTypedNumbersAndARefusalAddsAndCopiesNothing) {
  BoxWatcher watcher;
  form->CheckBox6.SetChecked(true);
  ClipboardSetText("something else", false);
  form->Memo1.SetText("kept");
  form->LeaveOutCharacters = "-";
  std::string shown;
  Play({Alt('w'), Post(WM_CHAR, '2'), Post(WM_CHAR, '5'), Alt('n'), Post(WM_CHAR, 'x'), Key(VK_TAB),
        [&] { shown = Box().Edit1.Text() + "|" + Box().Edit3.Text(); }, Key(VK_RETURN),
        Key(VK_ESCAPE)});
  form->mniPassphrasesClick();
  EXPECT_EQ(shown, "20|1");
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text, "The separator holds a left-out character");
  EXPECT_EQ(List() + "|" + ClipboardGetText(), "kept|something else");
}

// Read as ANSI, "ł" would come back as "l": passphrases unlike the ones asked for.
TEST_F(MainWindowTest, ASeparatorTheCodePageCannotWriteIsRefusedAtGenerate) {
  BoxWatcher watcher;
  form->Memo1.SetText("kept");
  Play({[] { SetWindowTextW(Box().Edit2.Handle, L"\u0142"); }, Key(VK_RETURN), Key(VK_ESCAPE)});
  form->mniPassphrasesClick();
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text,
            "The separator holds a character the system's code page cannot write");
  EXPECT_EQ(List(), "kept");
}
