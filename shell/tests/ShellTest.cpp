// Shell folder paths from the registry and the Yes/No question.
#include <gtest/gtest.h>

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/SystemError.h"
#include "shell/Confirm.h"
#include "shell/ShellFolders.h"
#include "shell/ShellOpen.h"
#include "tests/support/BoxWatcher.h"
#include "tests/support/KeptRegistry.h"

using namespace std::string_literals;

namespace {

const char* const ShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

TEST(GetShellFolder, ReturnsTheStoredPathOfAKnownFolder) {
  const std::wstring appData = GetShellFolder("AppData");
  ASSERT_FALSE(appData.empty());
  EXPECT_NE(GetFileAttributesW(appData.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(appData.back(), L'\\');
}

TEST(GetShellFolder, MissingValueGivesEmptyText) {
  EXPECT_EQ(GetShellFolder("Tallowmere No Such Folder"), L"");
}

TEST(GetShellFolder, ExpandableStringIsReturnedUnexpanded) {
  const KeptRegistryValue v(HKEY_CURRENT_USER, ShellFoldersKey, "Tallowmere Expand");
  v.SetText(L"%TEMP%\\x", REG_EXPAND_SZ);
  EXPECT_EQ(GetShellFolder("Tallowmere Expand"), L"%TEMP%\\x");
}

TEST(GetShellFolder, AFolderTheCodePageCannotSpellComesBackAsStoredNotAsALookAlike) {
  const wchar_t text[] = L"C:\\sm\\\uFF30rograms\\\u0414\u0430\u0442";
  const KeptRegistryValue v(HKEY_CURRENT_USER, ShellFoldersKey, "Tallowmere Wide");
  v.SetText(text);
  EXPECT_EQ(GetShellFolder("Tallowmere Wide"), text);
}

TEST(GetShellFolder, TextStopsAtTheFirstZeroByte) {
  const KeptRegistryValue v(HKEY_CURRENT_USER, ShellFoldersKey, "Tallowmere Two");
  v.SetText(L"C:\\one\0C:\\two"s);
  EXPECT_EQ(GetShellFolder("Tallowmere Two"), L"C:\\one");
}

TEST(GetShellFolder, NumberValueRaisesInvalidDataType) {
  const DWORD number = 7;
  const KeptRegistryValue v(HKEY_CURRENT_USER, ShellFoldersKey, "Tallowmere Number");
  v.Set(REG_DWORD, &number, sizeof number);
  try {
    GetShellFolder("Tallowmere Number");
    FAIL() << "no error raised";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Tallowmere Number'");
  }
}

TEST(ConfirmYesNo, AsksWithConfirmCaptionAndAnswersTrueOnlyForYes) {
  BoxWatcher watcher;
  watcher.Answer(BoxWatcher::PressEnter);
  EXPECT_TRUE(ConfirmYesNo("Are you sure to remove Brindlecast?"));
  watcher.Answer(BoxWatcher::PressEscape);
  EXPECT_FALSE(ConfirmYesNo("Are you sure to remove Brindlecast?"));
  watcher.Answer(IDCANCEL);
  EXPECT_FALSE(ConfirmYesNo("Again?"));
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].caption, "Confirm");
  EXPECT_EQ(seen[0].text, "Are you sure to remove Brindlecast?");
  EXPECT_EQ(seen[0].buttons, (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_TRUE(seen[0].hasIcon);
}

TEST(OpenWithShell, ATargetTheShellCannotOpenIsReportedInAPlainBoxWithTheSystemsText) {
  BoxWatcher watcher;
  watcher.Answer(IDOK);
  const std::string target = "C:\\Tallowmere No Such Folder";
  OpenWithShell(nullptr, target);
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, ApplicationTitle());
  EXPECT_EQ(seen[0].text,
            "Cannot open \"" + target + "\".\r\n" + SystemErrorText(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(seen[0].hasIcon);
}
