// Shell folder paths from the registry and the Yes/No question.
#include <gtest/gtest.h>

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/Registry.h"
#include "framework/SystemError.h"
#include "shell/Confirm.h"
#include "shell/ShellFolders.h"
#include "shell/ShellOpen.h"
#include "tests/support/BoxWatcher.h"

namespace {

const char* const ShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A value planted in the user's shell folder key for one test, removed afterwards.
class PlantedValue {
 public:
  PlantedValue(const char* name, DWORD type, const void* data, DWORD size) : name_(name) {
    key_.Open(HKEY_CURRENT_USER, ShellFoldersKey, KEY_SET_VALUE);
    RegSetValueExA(key_.Handle(), name, 0, type, static_cast<const BYTE*>(data), size);
  }
  ~PlantedValue() { key_.TryDeleteValue(name_); }

 private:
  RegistryKey key_;
  std::string name_;
};

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
  const char text[] = "%TEMP%\\x";
  PlantedValue v("Tallowmere Expand", REG_EXPAND_SZ, text, sizeof text);
  EXPECT_EQ(GetShellFolder("Tallowmere Expand"), L"%TEMP%\\x");
}

TEST(GetShellFolder, AFolderTheCodePageCannotSpellComesBackAsStoredNotAsALookAlike) {
  const wchar_t text[] = L"C:\\sm\\\uFF30rograms\\\u0414\u0430\u0442";
  RegistryKey key;
  key.Open(HKEY_CURRENT_USER, ShellFoldersKey, KEY_SET_VALUE);
  RegSetValueExW(key.Handle(), L"Tallowmere Wide", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 sizeof text);
  EXPECT_EQ(GetShellFolder("Tallowmere Wide"), text);
  key.TryDeleteValue("Tallowmere Wide");
}

TEST(GetShellFolder, TextStopsAtTheFirstZeroByte) {
  const char text[] = "C:\\one\0C:\\two";
  PlantedValue v("Tallowmere Two", REG_SZ, text, sizeof text);
  EXPECT_EQ(GetShellFolder("Tallowmere Two"), L"C:\\one");
}

TEST(GetShellFolder, NumberValueRaisesInvalidDataType) {
  const DWORD number = 7;
  PlantedValue v("Tallowmere Number", REG_DWORD, &number, sizeof number);
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
