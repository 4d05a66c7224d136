// The File commands, Print and the clipboard clean-up, driven through the window's commands with
// the real file dialogs and message boxes answered from a watcher thread.
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <thread>

#include "framework/Clipboard.h"
#include "framework/Dialogs.h"
#include "framework/FileStream.h"
#include "framework/Owned.h"
#include "framework/Printer.h"
#include "framework/SystemError.h"
#include "framework/core/Text.h"
#include "framework/WideText.h"
#include "ui/Settings.h"
#include "tests/support/BoxWatcher.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/TempFolder.h"
#include "ui/tests/MainWindowFixture.h"

namespace {

// "Pässwörter Ωmega.txt": the Greek letter is outside the Western ANSI code page.
const wchar_t* const kWideName = L"P\u00E4ssw\u00F6rter \u03A9mega.txt";

class FileCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // Closing the window saves the settings; the tests after these expect the ones found here.
    settingsFile = SettingsFileName();
    hadSettings = GetFileAttributesW(settingsFile.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (hadSettings) settings = ReadWholeFile(settingsFile);
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    if (hadSettings)
      SaveFileSafely(settingsFile, settings);
    else
      DeleteFileW(settingsFile.c_str());
  }

  // Runs a command as the menu, a shortcut or the tool bar would.
  void Run(UINT id) { SendMessageA(form->Handle, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void Open() { Run(form->FileOpen1.Id); }
  void Save() { Run(form->FileSave1.Id); }
  void SaveAs() { Run(form->FileSaveAs1.Id); }
  void New() { Run(form->FileNew1.Id); }

  // The user types a name into the next file dialog and presses OK.
  template <class Path>
  void ChooseInDialog(const Path& path) {
    user.Then([path](HWND d) { EXPECT_TRUE(ChooseInFileDialog(d, path)); });
  }
  // The texts of the message boxes answered so far.
  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const SeenBox& box : user.Seen()) texts.push_back(box.text);
    return texts;
  }
  void PutFile(const std::string& name, const std::string& bytes) {
    SaveFileSafely(AnsiToWide(folder + name), bytes);
  }
  std::string FileBytes(const std::string& name) {
    return ReadWholeFile(AnsiToWide(folder + name));
  }
  std::string Question(const std::string& name) {
    return folder + name + " already exists\r\nAre you sure to overwrite it?";
  }
  void OpenFile(const std::string& name) {
    ChooseInDialog(folder + name);
    Open();
  }

  BoxWatcher user;
  TempFolder temp{"list"};
  const std::string folder = temp.Path() + "\\";
  std::wstring settingsFile;
  std::string settings;
  bool hadSettings = false;
};

// The box's answers are posted: Yes is the box's OK button, No its Cancel.
constexpr int kYes = IDOK;
constexpr int kNo = IDCANCEL;

}  // namespace

// The window keeps the encoding of the file it opened for Save and Save As alike; after New the
// list is the program's own ANSI text.
TEST_F(FileCommandsTest, AMarkedFileIsSavedBackInItsEncodingUnderAnyNameUntilNew) {
  using namespace std::string_literals;
  const std::string marked =
      "\xFF\xFE"
      "c\0\xE9\0\r\0\n\0"s;
  PutFile("list.txt", marked);
  OpenFile("list.txt");
  EXPECT_EQ(List(), "c\xE9\r\n");
  user.Answer(kYes);
  Save();
  EXPECT_EQ(FileBytes("list.txt"), marked);
  ChooseInDialog(folder + "other.txt");
  SaveAs();
  EXPECT_EQ(FileBytes("other.txt"), marked);
  New();
  form->Memo1.SetText("c\xE9\r\n");
  ChooseInDialog(folder + "new.txt");
  SaveAs();
  EXPECT_EQ(FileBytes("new.txt"), "c\xE9\r\n");
}

TEST_F(FileCommandsTest, AMarkedFileWithACharacterTheListCannotShowIsRefusedAndChangesNothing) {
  PutFile("other.txt", "old");
  OpenFile("other.txt");
  PutFile("list.txt",
          "\xEF\xBB\xBF"
          "ok\r\n\xCE\xA9mega\r\n");  // "Ω" has no ANSI spelling here
  ChooseInDialog(folder + "list.txt");
  user.Answer(IDOK);
  Open();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{ErrorBoxText(
                            "Cannot open file \"" + folder +
                            "list.txt\". Line 2 holds a character that the list cannot show in "
                            "this system's code page, so the file is not opened")});
  EXPECT_EQ(List(), "old");
  EXPECT_EQ(form->Document.CurrentFileName, AnsiToWide(folder + "other.txt"));
  EXPECT_EQ(FileBytes("list.txt"),
            "\xEF\xBB\xBF"
            "ok\r\n\xCE\xA9mega\r\n");
}

TEST_F(FileCommandsTest, ANameOutsideTheAnsiCodePageWorksAndIsShownAsTheUserSeesIt) {
  const std::wstring path = AnsiToWide(folder) + kWideName;
  form->Memo1.SetText("abc\r\n\xE9");
  ChooseInDialog(path);
  SaveAs();
  EXPECT_EQ(form->Document.CurrentFileName, path);
  EXPECT_EQ(ReadWholeFile(path), "abc\r\n\xE9") << "the text stays in the ANSI code page";
  New();
  ChooseInDialog(path);
  Open();
  EXPECT_EQ(List(), "abc\r\n\xE9");

  user.Answer(kNo);
  Save();
  DeleteFileW(path.c_str());
  ChooseInDialog(path);
  user.Answer(IDOK);
  Open();
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].wideText, path + L" already exists\r\nAre you sure to overwrite it?");
  EXPECT_EQ(seen[1].wideText,
            ErrorBoxText(L"Cannot open file \"" + path + L"\". " +
                         AnsiToWide(SystemErrorDescription(ERROR_FILE_NOT_FOUND))));
}

TEST_F(FileCommandsTest, OpenSaveAndPrintShowTheWaitCursorWhileTheyWork) {
  PutFile("list.txt", "abc");
  CursorWatch watch(form->Memo1.Handle);
  OpenFile("list.txt");
  EXPECT_TRUE(watch.WaitedAt(WM_SETTEXT)) << "the list takes the file";
  EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_WAIT)) << "and back afterwards";
  user.Answer(kYes);
  Save();
  EXPECT_TRUE(watch.WaitedAt(WM_GETTEXT)) << "the list's text is written";
  if (DefaultPrinterName().empty()) user.Answer(IDOK);
  Run(form->Print1.Id);
  EXPECT_TRUE(watch.WaitedAt(EM_GETLINECOUNT)) << "the list's lines are laid out";
}

TEST_F(FileCommandsTest, AFileHoldingAZeroByteIsRefusedAndChangesNothing) {
  PutFile("other.txt", "old");
  OpenFile("other.txt");
  PutFile("list.txt", std::string("before\r\nzero\0after", 18));
  ChooseInDialog(folder + "list.txt");
  user.Answer(IDOK);
  Open();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{ErrorBoxText(
                            "Cannot open file \"" + folder +
                            "list.txt\". It contains a zero byte, so it is not a text file")});
  EXPECT_EQ(List(), "old");
  EXPECT_EQ(form->Document.CurrentFileName, AnsiToWide(folder + "other.txt"));
}

TEST_F(FileCommandsTest, AnEmptyListSavesAnEmptyFileAndAnEmptyFileEmptiesTheList) {
  PutFile("list.txt", "old\r\n");
  OpenFile("list.txt");
  Click(form->Button2);  // Clear keeps the file name
  user.Answer(kYes);
  Save();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{Question("list.txt")});
  EXPECT_EQ(FileBytes("list.txt"), "");

  form->Memo1.SetText("something");
  OpenFile("list.txt");
  EXPECT_EQ(List(), "");
}

TEST_F(FileCommandsTest, SaveAsksTheQuestionEveryTimeAndNoOrEscapeLeaveTheFileAlone) {
  PutFile("list.txt", "old\r\n");
  OpenFile("list.txt");
  form->Memo1.SetText("new");
  user.Answer(kNo);
  Save();
  user.Answer(BoxWatcher::PressEscape);
  Save();
  EXPECT_EQ(FileBytes("list.txt"), "old\r\n");
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, Question("list.txt"));
  EXPECT_EQ(seen[0].caption, "Confirm");
  EXPECT_EQ(seen[1].text, Question("list.txt"));

  user.Answer(kYes);
  Save();
  EXPECT_EQ(FileBytes("list.txt"), "new");
}

TEST_F(FileCommandsTest, SaveAfterTheFileWasDeletedStillAsksAndCreatesItAgain) {
  PutFile("list.txt", "old");
  OpenFile("list.txt");
  DeleteFileA((folder + "list.txt").c_str());
  user.Answer(kYes);
  Save();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{Question("list.txt")});
  EXPECT_EQ(FileBytes("list.txt"), "old");
}

TEST_F(FileCommandsTest, NewEmptiesListAndNameSoTheNextSaveIsSaveAs) {
  PutFile("list.txt", "old");
  OpenFile("list.txt");
  New();
  EXPECT_EQ(List(), "");
  EXPECT_EQ(form->Document.CurrentFileName, L"");
  form->Memo1.SetText("fresh\r\n");
  ChooseInDialog(folder + "other.txt");
  Save();
  EXPECT_TRUE(user.Seen().empty()) << "no overwrite question on the way to a new name";
  EXPECT_EQ(form->Document.CurrentFileName, AnsiToWide(folder + "other.txt"));
  EXPECT_EQ(FileBytes("other.txt"), "fresh\r\n");
  EXPECT_EQ(FileBytes("list.txt"), "old");
}

TEST_F(FileCommandsTest, CancelledDialogsChangeNothing) {
  form->Memo1.SetText("kept");
  form->Document.CurrentFileName = AnsiToWide(folder + "list.txt");
  user.Then([](HWND d) { PressButton(d, IDCANCEL); });
  Open();
  user.Then([](HWND d) { PressButton(d, IDCANCEL); });
  SaveAs();
  EXPECT_EQ(List(), "kept");
  EXPECT_EQ(form->Document.CurrentFileName, AnsiToWide(folder + "list.txt"));
  EXPECT_EQ(GetFileAttributesA((folder + "list.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileCommandsTest, OpeningAMissingFileReportsItAndTheNextSaveOffersThatName) {
  form->Memo1.SetText("kept");
  ChooseInDialog(folder + "missing.txt");
  user.Answer(IDOK);
  Open();
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, ErrorBoxText("Cannot open file \"" + folder + "missing.txt\". " +
                                       SystemErrorDescription(ERROR_FILE_NOT_FOUND)));
  EXPECT_EQ(seen[0].caption, ApplicationTitle());
  EXPECT_EQ(List(), "kept");
  EXPECT_EQ(form->Document.CurrentFileName, AnsiToWide(folder + "missing.txt"));

  user.Answer(kNo);
  Save();
  EXPECT_EQ(user.Seen().back().text, Question("missing.txt"));
}

TEST_F(FileCommandsTest, OpeningALockedFileReportsItAndKeepsTheList) {
  PutFile("list.txt", "abc");
  FileHandle lock(CreateFileA((folder + "list.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                              nullptr, OPEN_EXISTING, 0, nullptr));
  form->Memo1.SetText("kept");
  ChooseInDialog(folder + "list.txt");
  user.Answer(IDOK);
  Open();
  lock.Close();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{
                            ErrorBoxText("Cannot open file \"" + folder + "list.txt\". " +
                                         SystemErrorDescription(ERROR_SHARING_VIOLATION))});
  EXPECT_EQ(List(), "kept");
  EXPECT_EQ(form->Document.CurrentFileName, L"")
      << "Save is not aimed at a file whose text is not in the list";
}

TEST_F(FileCommandsTest, SavingOverAReadOnlyFileReportsItAndKeepsTheOldContent) {
  PutFile("list.txt", "precious");
  OpenFile("list.txt");
  SetFileAttributesA((folder + "list.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  form->Memo1.SetText("new");
  user.Answer(kYes);
  user.Answer(IDOK);
  Save();
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text, ErrorBoxText("Cannot create file \"" + folder + "list.txt\". " +
                                       SystemErrorDescription(ERROR_ACCESS_DENIED)));
  EXPECT_EQ(FileBytes("list.txt"), "precious");
}

// What the hidden print buffer is given: every text set in it, and the last font.
struct PrintBufferSpy {
  static inline std::vector<std::string> texts;
  static inline CHARFORMATA format{};
  static inline WNDPROC original = nullptr;
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_SETTEXT) texts.emplace_back(reinterpret_cast<const char*>(lp));
    if (m == EM_SETCHARFORMAT) format = *reinterpret_cast<const CHARFORMATA*>(lp);
    return CallWindowProcA(original, w, m, wp, lp);
  }
};

TEST_F(FileCommandsTest, PrintPassesTheDisplayedLinesThroughThePrintBufferAndEmptiesIt) {
  // 200 characters wrap into several displayed pieces in the list's width.
  form->Memo1.SetText("one\r\n" + std::string(200, 'x') + "\r\ntwo\r\n");
  PrintBufferSpy::texts.clear();
  PrintBufferSpy::original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      form->PrintBuffer(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PrintBufferSpy::Proc)));
  const bool noPrinter = DefaultPrinterName().empty();
  if (noPrinter) user.Answer(IDOK);
  Run(form->Print1.Id);
  if (noPrinter)
    EXPECT_EQ(BoxTexts(),
              std::vector<std::string>{"There is no default printer currently selected."});
  else
    EXPECT_TRUE(user.Seen().empty());
  EXPECT_EQ(form->RichEdit1.Text(), "") << "the passwords do not stay in the print buffer";
  SendMessageA(form->PrintBuffer(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
  EXPECT_FALSE(SendMessageA(form->PrintBuffer(), EM_CANUNDO, 0, 0)) << "nor in its undo, now off";

  ASSERT_EQ(PrintBufferSpy::texts.size(), 2u);
  EXPECT_EQ(PrintBufferSpy::texts[1], "");
  const std::string& buffer = PrintBufferSpy::texts[0];
  std::vector<std::string> pieces;
  for (size_t start = 0, end; start <= buffer.size(); start = end + 2) {
    end = std::min(buffer.find("\r\n", start), buffer.size());
    pieces.push_back(buffer.substr(start, end - start));
  }
  ASSERT_GE(pieces.size(), 4u) << buffer;
  EXPECT_EQ(pieces.front(), "one");
  EXPECT_EQ(pieces.back(), "two") << "the last empty line is not copied";
  std::string joined;
  for (size_t i = 1; i + 1 < pieces.size(); ++i) joined += pieces[i];
  EXPECT_EQ(joined, std::string(200, 'x'));
  EXPECT_STREQ(PrintBufferSpy::format.szFaceName, "Courier New");
  EXPECT_EQ(PrintBufferSpy::format.yHeight, 200);
}

TEST_F(FileCommandsTest, ClosingWithClearClipboardCheckedLeavesAnEmptyText) {
  OtherProgram other;
  other.PutText("from elsewhere");
  other.Release();
  ASSERT_EQ(ClipboardGetText(), "from elsewhere");
  form->CheckBox8.SetChecked(true);
  form->Close();
  EXPECT_FALSE(IsWindow(form->Handle)) << "the window closed";
  EXPECT_EQ(RawClipboardBytes(), std::string(1, '\0'));
}

TEST_F(FileCommandsTest, ClosingWithClearClipboardUncheckedLeavesTheClipboardAlone) {
  OtherProgram other;
  other.PutText("from elsewhere");
  other.Release();
  form->CheckBox8.SetChecked(false);
  form->Close();
  EXPECT_FALSE(IsWindow(form->Handle));
  EXPECT_EQ(ClipboardGetText(), "from elsewhere");
}

TEST_F(FileCommandsTest, AClipboardThatCannotBeOpenedAtCloseKeepsTheWindowOpen) {
  form->CheckBox8.SetChecked(true);
  OtherProgram other;
  other.PutText("from elsewhere", true);
  user.Answer(IDOK);
  form->Close();
  other.Release();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Cannot open clipboard."});
  EXPECT_TRUE(IsWindow(form->Handle)) << "the window stays open";
  EXPECT_EQ(ClipboardGetText(), "from elsewhere");
  // Nor can a timed clearing that is due be left undone.
  form->CheckBox8.SetChecked(false), form->CheckBox6.SetChecked(true);
  SendMessageA(form->Handle, WM_COMMAND, form->mniClear10s.Id, 0);
  Click(form->Button1);
  other.HoldOpen();
  user.Answer(IDOK);
  form->Close();
  other.Release();
  EXPECT_EQ(BoxTexts().size(), 2u);
  EXPECT_TRUE(IsWindow(form->Handle)) << "the window stays open";
}
