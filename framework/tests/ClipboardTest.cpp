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
