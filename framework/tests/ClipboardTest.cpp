#include "framework/Clipboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "framework/Exceptions.h"
#include "tests/support/OtherProgram.h"

namespace {

bool FormatPresent(const char* name) {
  return IsClipboardFormatAvailable(RegisterClipboardFormatA(name)) != FALSE;
}

DWORD DwordOf(const char* name) {
  DWORD value = 0xFFFFFFFF;
  if (!OpenClipboard(nullptr)) return value;
  if (HANDLE data = GetClipboardData(RegisterClipboardFormatA(name))) {
    if (GlobalSize(data) >= sizeof value) std::memcpy(&value, GlobalLock(data), sizeof value);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return value;
}

}  // namespace

TEST(ClipboardText, TextPutThereIsReadBackAsPlainText) {
  ClipboardSetText("abc\r\ndef", false);
  EXPECT_TRUE(ClipboardHasText());
  EXPECT_EQ(ClipboardGetText(), "abc\r\ndef");
  EXPECT_EQ(RawClipboardBytes(), std::string("abc\r\ndef") + '\0');
}

// Whatever keyboard language the copy was made with (its mark here Russian, code page 1251), a
// program pasting Unicode gets the characters the code page spells: é stays é, given or offered.
TEST(ClipboardText, UnicodeTextIsTheSystemCodePagesSpellingWhateverTheKeyboardsMark) {
  for (bool offer : {false, true}) {
    offer ? ClipboardOfferText("\xE9") : ClipboardSetText("\xE9", false);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HGLOBAL mark = GlobalAlloc(GMEM_MOVEABLE, sizeof(LCID));
    *static_cast<LCID*>(GlobalLock(mark)) = 0x0419;
    GlobalUnlock(mark);
    SetClipboardData(CF_LOCALE, mark);
    const HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(GlobalLock(wide))), L"\u00E9") << offer;
    GlobalUnlock(wide);
    CloseClipboard();
  }
}

TEST(ClipboardText, AnEmptyTextIsOnlyItsTerminatingZero) {
  ClipboardSetText("something", false);
  ClipboardSetText("", false);
  EXPECT_TRUE(ClipboardHasText());
  EXPECT_EQ(RawClipboardBytes(), std::string(1, '\0'));
  EXPECT_EQ(ClipboardGetText(), "");
}

TEST(ClipboardText, SettingTextRemovesWhatAnotherProgramPutThere) {
  OtherProgram other;
  other.PutPrivateData("Tallowmere test data");
  ASSERT_TRUE(FormatPresent("Tallowmere test data"));
  ClipboardSetText("mine", false);
  EXPECT_FALSE(FormatPresent("Tallowmere test data"));
  EXPECT_EQ(ClipboardGetText(), "mine");
}

TEST(ClipboardText, NoTextAfterAnotherProgramPutOnlyOtherData) {
  OtherProgram other;
  other.PutPrivateData("Tallowmere test data");
  EXPECT_FALSE(ClipboardHasText());
  EXPECT_EQ(ClipboardGetText(), "");
}

TEST(ClipboardText, KeptOutOfHistoryTheTextCarriesTheThreeMarks) {
  ClipboardSetText("secret", true);
  EXPECT_EQ(ClipboardGetText(), "secret");
  EXPECT_TRUE(FormatPresent("ExcludeClipboardContentFromMonitorProcessing"));
  EXPECT_EQ(DwordOf("CanIncludeInClipboardHistory"), 0u);
  EXPECT_EQ(DwordOf("CanUploadToCloudClipboard"), 0u);
}

TEST(ClipboardText, WithoutTheHistoryFlagTheTextCarriesNoMarks) {
  ClipboardSetText("secret", true);
  ClipboardSetText("plain", false);
  EXPECT_FALSE(FormatPresent("ExcludeClipboardContentFromMonitorProcessing"));
  EXPECT_FALSE(FormatPresent("CanIncludeInClipboardHistory"));
  EXPECT_FALSE(FormatPresent("CanUploadToCloudClipboard"));
}

TEST(ClipboardText, AClipboardHeldOpenByAnotherWindowCannotBeOpened) {
  ClipboardSetText("before", false);
  OtherProgram other;
  other.HoldOpen();
  std::string message = "(no error)";
  try {
    ClipboardSetText("after", false);
  } catch (const Exception& e) {
    message = e.what();
  }
  other.Release();
  EXPECT_EQ(message, "Cannot open clipboard");
  EXPECT_EQ(ClipboardGetText(), "before");
}
