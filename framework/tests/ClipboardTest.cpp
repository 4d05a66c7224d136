#include "framework/Clipboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "framework/Exceptions.h"

namespace {

// Another program's window, on a thread of its own, that puts something on the clipboard or holds
// the clipboard open until told to let go.
class OtherProgram {
 public:
  ~OtherProgram() { Release(); }

  // Puts data of a private format on the clipboard and stays alive, as the owner of that data.
  void PutPrivateData(const char* formatName) {
    Start(
        [formatName](HWND window) {
          if (!OpenClipboard(window)) return;
          EmptyClipboard();
          HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
          SetClipboardData(RegisterClipboardFormatA(formatName), block);
          CloseClipboard();
        },
        false);
  }

  void HoldOpen() {
    Start([](HWND window) { OpenClipboard(window); }, true);
  }

  void Release() {
    if (release_) SetEvent(release_);
    if (thread_.joinable()) thread_.join();
    if (ready_) CloseHandle(ready_);
    if (release_) CloseHandle(release_);
    ready_ = release_ = nullptr;
  }

 private:
  template <class F>
  void Start(F action, bool closeAtEnd) {
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, action, closeAtEnd] {
      HWND window = CreateWindowExA(0, "STATIC", "other", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
      action(window);
      SetEvent(ready_);
      // Answer the clipboard's messages to the owner until told to end.
      while (MsgWaitForMultipleObjects(1, &release_, FALSE, INFINITE, QS_ALLINPUT) !=
             WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      }
      if (closeAtEnd) CloseClipboard();
      DestroyWindow(window);
    });
    // Our own clipboard window lives on this thread and must answer the other's clipboard calls.
    while (MsgWaitForMultipleObjects(1, &ready_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
  }
  HANDLE ready_ = nullptr;
  HANDLE release_ = nullptr;
  std::thread thread_;
};

bool FormatPresent(const char* name) {
  return IsClipboardFormatAvailable(RegisterClipboardFormatA(name)) != FALSE;
}

// The raw CF_TEXT block: its bytes up to and including the first zero.
std::string RawText() {
  if (!OpenClipboard(nullptr)) return "(cannot open)";
  std::string bytes = "(none)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    const char* p = static_cast<const char*>(GlobalLock(data));
    bytes.assign(p, strnlen(p, GlobalSize(data)) + 1);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes;
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
  EXPECT_EQ(RawText(), std::string("abc\r\ndef") + '\0');
}

TEST(ClipboardText, AnEmptyTextIsOnlyItsTerminatingZero) {
  ClipboardSetText("something", false);
  ClipboardSetText("", false);
  EXPECT_TRUE(ClipboardHasText());
  EXPECT_EQ(RawText(), std::string(1, '\0'));
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
