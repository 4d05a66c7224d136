// The real program's File commands through its real file dialogs, and the clipboard clean-up at
// exit, driven from outside as a user would.
#include <gtest/gtest.h>

#include "tests/e2e/AppDriver.h"
#include "tests/support/Files.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WaitUntil.h"

namespace {

// Types the name into the file dialog that the command opened and presses OK.
void ChooseFile(AppDriver& app, const char* caption, const std::string& path) {
  HWND dialog = app.WaitForWindow("#32770", caption);
  ASSERT_NE(dialog, nullptr) << caption;
  ASSERT_NE(FileNameField(dialog), nullptr);
  ASSERT_TRUE(ChooseInFileDialog(dialog, path));
  ASSERT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); })) << "the dialog took the name";
}

// Keeps the program's settings file as it was: each run of the program saves its settings at
// exit, and the tests after these expect the ones found now.
class SettingsKept {
 public:
  SettingsKept() {
    path_ = SettingsFilePath();
    had_ = GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (had_) bytes_ = FileBytes(path_);
  }
  ~SettingsKept() {
    if (had_)
      WriteFileText(path_, bytes_);
    else
      DeleteFileA(path_.c_str());
  }

 private:
  std::string path_, bytes_;
  bool had_;
};

}  // namespace

TEST(FileCommandsE2E, SaveAndOpenTakeTheNamesTypedIntoTheRealDialogs) {
  const TempFolder temp("e2e");
  const std::string saved = temp.Path() + "\\saved.txt", unix = temp.Path() + "\\unix.txt";
  SettingsKept settings;
  WriteFileText(unix, "from\nanother\nsystem");

  AppDriver app;
  HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
  ASSERT_NE(main, nullptr);
  HWND list = PasswordList(main);
  ASSERT_NE(list, nullptr);

  // With no file chosen yet, Save (Ctrl+S) asks for a name as Save As does.
  SetText(list, "first\r\nsecond");
  PressCtrl(main, 'S');
  ChooseFile(app, "Save As", saved);
  WaitUntil([&] { return !FileBytes(saved).empty(); });
  EXPECT_EQ(FileBytes(saved), "first\r\nsecond");

  PressCtrl(main, 'O');
  ChooseFile(app, "Open", unix);
  WaitUntil([&] { return WindowText(list) != "first\r\nsecond"; });
  EXPECT_EQ(WindowText(list), "from\r\nanother\r\nsystem");

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(FileCommandsE2E, ClearClipboardOnExitEmptiesWhatAnotherProgramCopied) {
  SettingsKept settings;
  {
    AppDriver app;
    HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
    ASSERT_NE(main, nullptr);
    HWND box = FindControl(main, "Button", "Clear clipboard on exit");
    ASSERT_NE(box, nullptr);
    if (!IsChecked(box)) ClickButton(box);
    OtherProgram().PutText("copied elsewhere");  // another program copied this
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_EQ(RawClipboardBytes(), std::string(1, '\0'));
  }
  {
    // Unchecked: the clipboard is left alone.
    AppDriver app;
    HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
    ASSERT_NE(main, nullptr);
    HWND box = FindControl(main, "Button", "Clear clipboard on exit");
    if (IsChecked(box)) ClickButton(box);
    OtherProgram().PutText("copied elsewhere");  // another program copied this
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_EQ(RawClipboardBytes(), std::string("copied elsewhere") + '\0');
  }
}

// Passwords reach the clipboard when a program asks: a killed program takes them along, a closed
// one leaves them. A logoff (asked, told, then ended) saves and clears as a close, pasted text too.
TEST(FileCommandsE2E, CopiedPasswordsGoWithAKilledProgramStayAfterACloseAndALogoffClears) {
  SettingsKept settings;
  const std::string file = SettingsFilePath();
  CreateDirectoryA(SettingsFolderPath().c_str(), nullptr);
  WritePrivateProfileStringA("Settings", "AutoCopy", "1", file.c_str());
  for (const std::string end : {"kill", "close", "logoff"}) {
    if (end == "logoff")
      WritePrivateProfileStringA("Settings", "ClearClipboardAfter", "300", file.c_str());
    AppDriver app;
    HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
    ASSERT_NE(main, nullptr);
    ClickButton(FindControl(main, "Button", end == "logoff" ? "16" : "8"));
    ClickButton(FindControl(main, "Button", "Generate"));
    const std::string list = WindowText(PasswordList(main));
    ASSERT_TRUE(ClipboardHasText()) << end;
    if (end == "close") {
      PostMessageA(main, WM_CLOSE, 0, 0);
      EXPECT_EQ(app.WaitForExit(), 0u);
      EXPECT_EQ(ClipboardGetText() + "\r\n", list);
      continue;
    }
    if (end == "logoff") {
      EXPECT_EQ(ClipboardGetText() + "\r\n", list);
      EXPECT_EQ(SendMessageA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
      SendMessageA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    }
    app.Kill();
    EXPECT_EQ(RawClipboardBytes(), "(none)") << end;
  }
  char stored[16] = {};
  GetPrivateProfileStringA("Settings", "NumChars", "", stored, sizeof stored, file.c_str());
  EXPECT_STREQ(stored, "16");
}
