#include "framework/FileDialogs.h"

#include <gtest/gtest.h>

#include "framework/FileStream.h"
#include "framework/WideText.h"
#include "tests/support/BoxWatcher.h"
#include "tests/support/TempFolder.h"

TEST(FileDialogs, OpenAcceptsATypedNameOfAFileThatDoesNotExist) {
  const TempFolder temp("dialogs");
  const std::string path = temp.Path() + "\\missing.txt";
  TOpenDialog dialog;
  BoxWatcher user;
  std::string caption, startName;
  LONG style = 0;
  bool readOnlyBoxShown = true;
  user.Then([&](HWND d) {
    caption = WindowText(d);
    startName = WindowText(FileNameField(d));
    style = GetWindowLongA(d, GWL_STYLE);
    HWND readOnly = GetDlgItem(d, 0x410);  // chx1
    readOnlyBoxShown = readOnly && IsWindowVisible(readOnly);
    EXPECT_TRUE(ChooseInFileDialog(d, path));
  });
  ASSERT_TRUE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.FileName, AnsiToWide(path));
  EXPECT_EQ(caption, "Open");
  EXPECT_EQ(startName, "");
  EXPECT_FALSE(readOnlyBoxShown);
  EXPECT_TRUE(style & WS_THICKFRAME) << "resizable";
}

TEST(FileDialogs, EachDialogStartsWithTheNameLastChosenInIt) {
  const TempFolder temp("dialogs");
  const std::string first = temp.Path() + "\\first.txt";
  TOpenDialog open;
  TSaveDialog save;
  BoxWatcher user;
  std::string openStart, saveStart;
  user.Then([&](HWND d) { EXPECT_TRUE(ChooseInFileDialog(d, first)); });
  user.Then([&](HWND d) {
    openStart = WindowText(FileNameField(d));
    PressButton(d, IDCANCEL);
  });
  user.Then([&](HWND d) {
    saveStart = WindowText(FileNameField(d));
    PressButton(d, IDCANCEL);
  });
  ASSERT_TRUE(open.Execute(nullptr));
  EXPECT_FALSE(open.Execute(nullptr)) << "cancelled";
  EXPECT_EQ(open.FileName, AnsiToWide(first)) << "a cancelled dialog keeps the name";
  EXPECT_FALSE(save.Execute(nullptr));
  // The dialog may show the name without its folder; the name is what must come back.
  EXPECT_NE(openStart.find("first.txt"), std::string::npos) << openStart;
  EXPECT_EQ(saveStart, "");
}

TEST(FileDialogs, SaveUsesTheNameAsTypedWithoutAddingAnExtension) {
  const TempFolder temp("dialogs");
  const std::string path = temp.Path() + "\\no-extension";
  TSaveDialog dialog;
  BoxWatcher user;
  std::string caption;
  user.Then([&](HWND d) {
    caption = WindowText(d);
    EXPECT_TRUE(ChooseInFileDialog(d, path));
  });
  ASSERT_TRUE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.FileName, AnsiToWide(path));
  EXPECT_EQ(caption, "Save As");
}

TEST(FileDialogs, SaveAsksBeforeReplacingAnExistingFile) {
  const TempFolder temp("dialogs");
  const std::string path = temp.Path() + "\\existing.txt";
  SaveFileSafely(AnsiToWide(path), "old");
  TSaveDialog dialog;
  BoxWatcher user;
  std::string question;
  HWND fileDialog = nullptr;
  user.Then([&](HWND d) {
    fileDialog = d;
    EXPECT_TRUE(ChooseInFileDialog(d, path));
  });
  user.Then([&](HWND box) {
    question = ReadBox(box).text;
    PressButton(box, IDNO);
    PressButton(fileDialog, IDCANCEL);
  });
  EXPECT_FALSE(dialog.Execute(nullptr)) << "No to the question, then Cancel";
  EXPECT_NE(question.find("exists"), std::string::npos) << question;
  EXPECT_EQ(ReadWholeFile(AnsiToWide(path)), "old");
}
