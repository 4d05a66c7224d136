// The real program started as a user starts it: the window, a Generate, a close.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/AppDriver.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/ProgramRegistry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WaitUntil.h"

namespace {

// Print jobs landed so far in the PDF printer's folder of the run (scripts/printer.sh).
int PrintedJobs() {
  const char* folder = std::getenv("TALLOWMERE_PRINTER");
  std::error_code error;
  const std::filesystem::directory_iterator jobs(
      std::string("Z:") + (folder ? folder : "") + "/pdf", error);
  return error ? -1 : static_cast<int>(std::distance(jobs, {}));
}

}  // namespace

TEST(MainWindowE2E, GenerateAppendsPasswordsAndClosingEndsWithExitCodeZero) {
  AppDriver app;
  HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
  ASSERT_NE(main, nullptr);
  HWND list = PasswordList(main);
  ASSERT_NE(list, nullptr);

  ClickButton(FindControl(main, "Button", "3"));
  ClickButton(FindControl(main, "Button", "UPPERcase letters (A..Z)"));
  ClickButton(FindControl(main, "Button", "Generate"));
  const std::string text = WindowText(list);
  ASSERT_EQ(text.size(), 3 * (8 + 2)) << text;
  bool sawUpper = false;
  for (char c : text) {
    if (c == '\r' || c == '\n') continue;
    EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) << text;
    sawUpper |= c >= 'A' && c <= 'Z';
  }
  EXPECT_TRUE(sawUpper) << "24 letters from 52 without one capital: " << text;

  ClickButton(FindControl(main, "Button", "Clear"));
  EXPECT_EQ(WindowText(list), "");

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

// The list's password under a double-click is copied in one action, as another program sees it.
TEST(MainWindowE2E, ADoubleClickedPasswordIsCopiedInOneActionKeptOutOfHistory) {
  AppDriver app;
  HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
  ASSERT_NE(main, nullptr);
  HWND list = PasswordList(main);
  SetText(list, "first\r\n?_or~uMs0manM)5>\r\nlast\r\n");
  const LRESULT at = SendMessageA(list, EM_POSFROMCHAR, 8, 0);  // on the second line
  for (UINT click : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    PostMessageA(list, click, 0, MAKELPARAM(LOWORD(at) + 3, HIWORD(at) + 4));
  EXPECT_TRUE(WaitUntil([list] { return SendMessageA(list, EM_GETSEL, 0, 0) == MAKELONG(7, 23); }));
  PressKeys(main, {VK_SHIFT, VK_F10});
  Sleep(300);  // the menu opens; its first item is "Copy password"
  PressKeys(main, {VK_DOWN});
  PressKeys(main, {VK_RETURN});
  EXPECT_TRUE(WaitUntil([] { return ClipboardGetText() == "?_or~uMs0manM)5>"; }));
  for (const char* format : {"ExcludeClipboardContentFromMonitorProcessing",
                             "CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"})
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatA(format))) << format;
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

// Libraries dropped beside a copy (a downloads folder) under system libraries' names, which the
// tests' library order (CMakeLists.txt) prefers as Windows does, are never loaded: Generate's
// random numbers and the rich edit that Print lays the pages out in come from the system.
TEST(MainWindowE2E, LibrariesBesideTheProgramNeverRun) {
  TempFolder folder("planted");
  const std::string exe = folder.Path() + "\\Tallowmere.exe";
  ASSERT_TRUE(CopyFileA(TallowmereExe().c_str(), exe.c_str(), FALSE));
  for (const char* name : {"\\bcrypt.dll", "\\riched20.dll"})
    ASSERT_TRUE(CopyFileA(TALLOWMERE_PLANTED_LIBRARY, (folder.Path() + name).c_str(), FALSE));
  AppDriver app("", exe);
  HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
  ASSERT_NE(main, nullptr);
  ClickButton(FindControl(main, "Button", "Generate"));
  EXPECT_NE(WindowText(PasswordList(main)), "");
  const int printed = PrintedJobs();
  ASSERT_GE(printed, 0) << "no printer of the run";
  PressKeys(main, {VK_MENU, 'F'});  // the File menu, on New; Print is its fifth command
  for (WORD key :
       {WORD(VK_DOWN), WORD(VK_DOWN), WORD(VK_DOWN), WORD(VK_DOWN), WORD(VK_RETURN), WORD(0)}) {
    Sleep(150);
    if (key) PressKeys(main, {key});
  }
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
  WaitUntil([&] { return PrintedJobs() != printed; }, 10000);
  EXPECT_EQ(PrintedJobs(), printed + 1);
  for (const char* name : {"\\bcrypt.dll.ran", "\\riched20.dll.ran"})
    EXPECT_EQ(GetFileAttributesA((folder.Path() + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
}

TEST(MainWindowE2E, AnyOtherFirstArgumentStartsNormally) {
  AppDriver app("/install extra");
  HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

// The program's own sequence, traced phase by phase (bench/StartupTrace): the registration and the
// clean-up come before any window, the settings before the window shows, and the About box adds
// no phase before the first show (its window waits for its first use).
TEST(MainWindowE2E, TheStartUpPhasesHappenInTheStatedOrder) {
  ProgramRegistryState registry;
  TempFolder temp("phases");
  const std::string file = temp.Path() + "\\phases.txt";
  AppDriver trace(CommandLine{"\"" TALLOWMERE_STARTUP_TRACE "\" --once \"" + file + "\""});
  ASSERT_EQ(trace.WaitForExit(30000), 0u);
  std::vector<std::string> phases;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) phases.push_back(line.substr(0, line.find('\t')));
  EXPECT_EQ(phases, (std::vector<std::string>{
                        "entry", "framework set-up", "installed-programs entry and clean-up",
                        "uninstall switch", "window class", "window", "fonts and image lists",
                        "actions and menu", "controls", "settings folder", "FormCreate",
                        "visible (not yet painted)", "first show"}));
}
