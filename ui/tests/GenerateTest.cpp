// The Generate and Clear commands, driven through the window's controls.
#include <algorithm>
#include <sstream>
#include <thread>
#include <vector>

#include "framework/Clipboard.h"
#include "framework/Dialogs.h"
#include "tests/support/OtherProgram.h"
#include "ui/tests/MainWindowFixture.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    const size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

bool AllLower(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

}  // namespace

TEST_F(MainWindowTest, DefaultGenerateAppendsOneLineOfEightLowerCaseLetters) {
  Click(form->Button1);
  const auto lines = Lines(List());
  ASSERT_EQ(lines.size(), 2u);  // the password, then the empty line after its break
  EXPECT_EQ(lines[0].size(), 8u);
  EXPECT_TRUE(AllLower(lines[0])) << lines[0];
  EXPECT_EQ(lines[1], "");
}

TEST_F(MainWindowTest, HundredPasswordsLandAsHundredLinesInOneUndoableAddition) {
  form->RadioButton8.SetChecked(true);  // "100"
  form->RadioButton2.SetChecked(true);  // "16"
  form->Memo1.SetText("kept\r\n");
  Click(form->Button1);
  const auto lines = Lines(List());
  ASSERT_EQ(lines.size(), 102u);
  EXPECT_EQ(lines[0], "kept");
  for (size_t i = 1; i <= 100; ++i) EXPECT_EQ(lines[i].size(), 16u) << i;
  // One addition: a single undo takes all of it back.
  SendMessageA(form->Memo1.Handle, EM_UNDO, 0, 0);
  EXPECT_EQ(List(), "kept\r\n");
}

TEST_F(MainWindowTest, ListEndingInATypedLineGetsThePasswordsOnTheNextLineWithoutABreakAfter) {
  form->Memo1.SetText("typed by hand");
  form->RadioButton6.SetChecked(true);  // "3"
  Click(form->Button1);
  const auto lines = Lines(List());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "typed by hand");
  for (size_t i = 1; i <= 3; ++i) EXPECT_EQ(lines[i].size(), 8u);
  EXPECT_NE(List().substr(List().size() - 2), "\r\n");
}

TEST_F(MainWindowTest, CustomLengthBeyondItsBoundsIsUsedAtTheBoundOtherTextAtTheLastPosition) {
  form->RadioButton9.SetChecked(true);
  const std::pair<const char*, const char*> cases[] = {
      {"12", "12"}, {"word", "12"}, {"12x", "12"}, {"", "12"},      {"101", "100"},
      {"0", "1"},   {"-7", "1"},    {"95", "95"},  {"1,000", "100"}};
  for (const auto& [typed, used] : cases) {
    form->Memo1.SetText("");
    form->Edit2.SetText(typed);
    Click(form->Button1);
    EXPECT_EQ(std::to_string(Lines(List())[0].size()), used) << typed;
    EXPECT_EQ(form->Edit2.Text(), used) << typed;
  }
  // The field is rewritten as soon as it loses the focus.
  form->Edit2.SetFocus();
  form->Edit2.SetText("200");
  form->Button2.SetFocus();
  EXPECT_EQ(form->Edit2.Text(), "100");
  form->Edit2.SetText("100");
  form->UpDown1.Position();
  // The Up key in the field steps the spinner; at the top it stays there (no wrap-around).
  SendMessageA(form->Edit2.Handle, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(form->Edit2.Text(), "100");
  form->Edit2.SetText("99");
  form->UpDown1.Position();
  SendMessageA(form->Edit2.Handle, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(form->Edit2.Text(), "100");
  SendMessageA(form->Edit2.Handle, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(form->Edit2.Text(), "100");
  form->Memo1.SetText("");
  Click(form->Button1);
  EXPECT_EQ(Lines(List())[0].size(), 100u);
}

TEST_F(MainWindowTest, CountSpinnerShowsAThousandWithSeparatorAndReadsItBack) {
  form->UpDown2.SetPosition(1000);
  EXPECT_EQ(form->Edit3.Text(), "1,000");
  EXPECT_EQ(form->UpDown2.Position(), 1000);
  form->RadioButton10.SetChecked(true);
  Click(form->Button1);
  EXPECT_EQ(Lines(List()).size(), 1001u);
}

TEST_F(MainWindowTest, EachPresetGivesGenerateTheNumberOfItsCaption) {
  const auto presets = [](const TControl& group) {
    std::vector<TRadioButton*> found;
    for (HWND w = GetWindow(group.Handle, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      auto* c = dynamic_cast<TRadioButton*>(TControl::FromHandle(w));
      if (c && c->Text() != "Custom") found.push_back(c);
    }
    return found;
  };
  ASSERT_EQ(presets(form->GroupBox1).size(), 7u);
  for (TRadioButton* preset : presets(form->GroupBox1)) {
    preset->SetChecked(true);
    form->Memo1.SetText("");
    Click(form->Button1);
    EXPECT_EQ(Lines(List())[0].size(), std::stoul(preset->Text())) << preset->Text();
  }
  ASSERT_EQ(presets(form->GroupBox3).size(), 7u);
  for (TRadioButton* preset : presets(form->GroupBox3)) {
    preset->SetChecked(true);
    form->Memo1.SetText("");
    Click(form->Button1);
    EXPECT_EQ(Lines(List()).size() - 1, std::stoul(preset->Text())) << preset->Text();
  }
}

TEST_F(MainWindowTest, GroupsOfFourSplitAnEightCharacterPassword) {
  form->RadioButton21.SetChecked(true);
  form->UpDown3.SetPosition(4);
  Click(form->Button1);
  const std::string line = Lines(List())[0];
  ASSERT_EQ(line.size(), 9u);
  EXPECT_EQ(line[4], '-');
}

TEST_F(MainWindowTest, AutoCopyPutsThePasswordsOnTheClipboardWithoutAFinalBreak) {
  form->CheckBox6.SetChecked(true);
  form->RadioButton6.SetChecked(true);  // "3"
  Click(form->Button1);
  const std::string copied = ClipboardGetText();
  EXPECT_EQ(Lines(copied).size(), 3u);
  EXPECT_EQ(List(), copied + "\r\n");
  // Kept out of clipboard history and cloud sync.
  for (const char* format : {"ExcludeClipboardContentFromMonitorProcessing",
                             "CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"})
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatA(format))) << format;
}

TEST_F(MainWindowTest, NoClassShowsTheMessageThenCopiesAndAppendsEmptyText) {
  BoxWatcher watcher;
  ClipboardSetText("something else", false);
  form->CheckBox1.SetChecked(false);
  form->CheckBox6.SetChecked(true);
  form->Memo1.SetText("a\r\n");
  Click(form->Button1);
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Please select one or several items in Password characters options");
  EXPECT_EQ(seen[0].caption, ApplicationTitle());
  EXPECT_EQ(ClipboardGetText(), "");
  EXPECT_TRUE(ClipboardHasText());
  EXPECT_EQ(List(), "a\r\n\r\n");
}

TEST_F(MainWindowTest, ACustomSetOfOnlyLookAlikesIsReportedAndNothingIsCopiedOrAdded) {
  BoxWatcher watcher;
  ClipboardSetText("something else", false);
  form->CheckBox1.SetChecked(false);
  form->CheckBox5.SetChecked(true);
  form->CheckBox7.SetChecked(true);
  form->Memo2.SetText("01lo");
  form->CheckBox6.SetChecked(true);
  form->Memo1.SetText("a\r\n");
  Click(form->Button1);
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "All custom characters are excluded as similar characters");
  EXPECT_EQ(seen[0].caption, ApplicationTitle());
  EXPECT_EQ(ClipboardGetText(), "something else");
  EXPECT_EQ(List(), "a\r\n");
}

TEST_F(MainWindowTest, ClipboardHeldByAnotherWindowIsReportedOnceTheListHasThePasswords) {
  BoxWatcher watcher;
  form->CheckBox6.SetChecked(true);
  OtherProgram other;
  other.HoldOpen();
  Click(form->Button1);
  other.Release();
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Cannot open clipboard.");
  EXPECT_EQ(List().size(), 10u);
}

TEST_F(MainWindowTest, ClearEmptiesTheListButKeepsTheFileName) {
  form->Document.CurrentFileName = L"C:\\list.txt";
  Click(form->Button1);
  Click(form->Button2);
  EXPECT_EQ(List(), "");
  EXPECT_EQ(form->Document.CurrentFileName, L"C:\\list.txt");
}

TEST_F(MainWindowTest, ALargeGenerateShowsTheWaitCursorWhileTheListTakesItASmallOneDoesNot) {
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  {
    CursorWatch watch(form->Memo1.Handle);
    Click(form->Button1);
    EXPECT_TRUE(watch.Came(EM_REPLACESEL));
    EXPECT_FALSE(watch.WaitedAt(EM_REPLACESEL)) << "one password of eight letters";
  }
  form->RadioButton9.SetChecked(true);
  form->UpDown1.SetPosition(100);
  form->RadioButton10.SetChecked(true);
  form->UpDown2.SetPosition(1000);
  CursorWatch watch(form->Memo1.Handle);
  Click(form->Button1);
  EXPECT_TRUE(watch.WaitedAt(EM_REPLACESEL)) << "a thousand passwords of a hundred letters";
  EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_WAIT)) << "and back afterwards";
}

TEST_F(MainWindowTest, TimedClearingEmptiesOurCopyButSparesWhatTheUserCopiedSince) {
  const UINT_PTR timer = TSDIAppForm::kClearClipboardTimer;
  form->CheckBox6.SetChecked(true);
  Click(form->Button1);  // "Never"
  EXPECT_FALSE(KillTimer(form->Handle, timer));
  SendMessageA(form->Handle, WM_COMMAND, form->mniClear10s.Id, 0);
  Click(form->Button1);
  EXPECT_TRUE(KillTimer(form->Handle, timer));
  OtherProgram other;
  other.HoldOpen();  // a viewer holding the clipboard only puts the clearing off
  SendMessageA(form->Handle, WM_TIMER, timer, 0);
  other.Release();
  EXPECT_TRUE(KillTimer(form->Handle, timer));
  SendMessageA(form->Handle, WM_TIMER, timer, 0);
  EXPECT_FALSE(ClipboardHasText());
  Click(form->Button1);
  other.PutText("the user's own text");
  SendMessageA(form->Handle, WM_TIMER, timer, 0);
  EXPECT_EQ(ClipboardGetText(), "the user's own text");
  // At the close no timer can fire later: a viewer holding the clipboard a moment is waited for.
  form->CheckBox8.SetChecked(false);
  Click(form->Button1);
  OtherProgram viewer;
  viewer.HoldOpen();
  std::thread release([&viewer] {
    Sleep(300);
    viewer.Release();
  });
  form->FormClose();
  release.join();
  EXPECT_FALSE(ClipboardHasText());
}

TEST_F(MainWindowTest, APasteIsNoCopyTheTimedClearingStillTakesThePasswordsOff) {
  form->CheckBox6.SetChecked(true);
  SendMessageA(form->Handle, WM_COMMAND, form->mniClear10s.Id, 0);
  Click(form->Button1);
  EXPECT_EQ(ClipboardGetText() + "\r\n", List());  // a program asks for the text
  SendMessageA(form->Handle, WM_TIMER, TSDIAppForm::kClearClipboardTimer, 0);
  EXPECT_FALSE(ClipboardHasText());
}

TEST_F(MainWindowTest, EscANewListOrACloseStopsALongGenerateWithNothingAddedOrCopied) {
  // A thousand passwords of which one draw in about 65536 holds one of each set.
  for (TCheckBox* box :
       {&form->CheckBox2, &form->CheckBox3, &form->CheckBox4, &form->CheckBox6, &form->CheckBox7})
    box->SetChecked(true);
  std::string custom;
  for (int c = 0x80; c <= 0xFF; ++c) custom += static_cast<char>(c);
  form->Memo2.SetText(custom);
  for (char c = '"'; c < 0x7F; ++c)
    if (c != 'a' && c != 'A' && c != '2') form->LeaveOutCharacters += c;
  form->mniAtLeastOneOfEach.SetChecked(true);
  form->RadioButton9.SetChecked(true), form->UpDown1.SetPosition(11);
  form->RadioButton10.SetChecked(true), form->UpDown2.SetPosition(1000);
  ClipboardSetText("something else", false);
  for (const char* stop : {"Esc", "New", "close"}) {
    Click(form->Button1);
    ASSERT_TRUE(form->Generating());
    const std::string progress = Status();
    EXPECT_EQ(progress.substr(0, 18), "Making passwords: ");
    EXPECT_EQ(progress.substr(progress.find(" of ")), " of 1000 - Esc stops");
    Sleep(20);
    Pump();  // a slice
    if (stop[0] == 'E') Press(VK_ESCAPE);
    if (stop[0] == 'N') form->FileNew1Execute();
    if (stop[0] == 'c') form->FormClose();
    EXPECT_FALSE(form->Generating()) << stop;
    EXPECT_EQ(List(), "");
    EXPECT_EQ(ClipboardGetText(), "something else");
  }
}
