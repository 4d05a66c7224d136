// The "Make passphrases" box, driven by keys as a user drives it, and what its Generate adds.
#include <deque>
#include <functional>
#include <set>
#include <sstream>

#include "framework/Clipboard.h"
#include "tests/support/OtherProgram.h"
#include "ui/Passphrases.h"
#include "ui/tests/MainWindowFixture.h"

namespace {
// Plays the user once the box shows: one step a tick, each after the keys before it are handled.
std::deque<std::function<void()>> steps;
void Play(std::deque<std::function<void()>> script) {
  steps = std::move(script);
  SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
    if (steps.empty()) return (void)KillTimer(nullptr, id);
    if (FindWindowA("#32770", nullptr)) return;  // a message box has the keys until answered
    const auto step = std::move(steps.front());
    steps.pop_front();
    step();
  });
}
std::function<void()> Key(WPARAM key) {
  return [key] {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
  };
}
std::function<void()> Type(std::string text) {
  return [text] {
    for (char c : text) PostMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
  };
}
std::function<void()> Alt(char letter) {  // an underlined letter: Alt held (bit 29)
  return [letter] { PostMessageA(GetFocus(), WM_SYSCHAR, letter, 1 << 29); };
}
// The box on the screen, as the program made it.
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
  Play({Key(VK_DOWN), Key(VK_DOWN), Key(VK_TAB), Type("+"), Alt('c'), Alt('d'), Alt('n'),
        Key(VK_UP), Key(VK_UP), [&] { strength = Box().StrengthLabel.Text(); }, Key(VK_RETURN),
        Key(VK_ESCAPE)});
  SendMessageA(form->Handle, WM_COMMAND, form->mniPassphrases.Id, 0);
  EXPECT_EQ(strength, "Each passphrase: 57 bits (fair)");  // 4 x log2 7776 + log2 40
  const PassphraseRequest& p = form->PassphraseOptions;
  EXPECT_EQ(std::tie(p.Words, p.Separator, p.Capitalize, p.AddDigit, p.Count),
            std::make_tuple(4, std::string("+"), true, true, 3));
  ASSERT_EQ(List().rfind("kept\r\n", 0), 0u) << List();
  const std::string added = List().substr(6);
  EXPECT_EQ(ClipboardGetText(), added);
  std::set<std::string_view> words;
  for (size_t i = 0; i < WordCount(); ++i) words.insert(Word(i));
  std::istringstream lines(added + "\r\n");
  int count = 0;
  for (std::string line; std::getline(lines, line, '\n'); ++count) {
    ASSERT_EQ(line.back(), '\r');
    std::istringstream parts(line.substr(0, line.size() - 1));
    int digits = 0, n = 0;
    for (std::string word; std::getline(parts, word, '+'); ++n) {
      if (isdigit(static_cast<unsigned char>(word.back()))) word.pop_back(), ++digits;
      EXPECT_TRUE(isupper(static_cast<unsigned char>(word[0]))) << line;
      word[0] = static_cast<char>(tolower(word[0]));
      EXPECT_EQ(words.count(word), 1u) << line;
    }
    EXPECT_EQ(std::make_pair(n, digits), std::make_pair(4, 1)) << line;
  }
  EXPECT_EQ(count, 3);
}

TEST_F(MainWindowTest, ThePassphraseBoxSettlesTypedNumbersAndARefusalAddsAndCopiesNothing) {
  BoxWatcher watcher;
  form->CheckBox6.SetChecked(true);
  ClipboardSetText("something else", false);
  form->Memo1.SetText("kept");
  form->LeaveOutCharacters = "-";
  std::string words, count;
  Play({Alt('w'), Type("25"), Alt('n'), Type("abc"), Key(VK_TAB),
        [&] { words = Box().Edit1.Text(), count = Box().Edit3.Text(); }, Key(VK_RETURN),
        Key(VK_ESCAPE)});
  form->mniPassphrasesClick();
  EXPECT_EQ(words + "|" + count, "20|1");
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text, "The separator holds a left-out character");
  EXPECT_EQ(List(), "kept");
  EXPECT_EQ(ClipboardGetText(), "something else");
  EXPECT_EQ(form->PassphraseOptions.Words, 20);
}
