// The "/uninstall" path of the real executable: a copy is started from a scratch folder, its
// boxes are answered from outside, and what it leaves on disk and in the registry is checked.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "framework/Owned.h"
#include "tests/e2e/AppDriver.h"
#include "tests/support/Files.h"
#include "tests/support/KeptRegistry.h"
#include "tests/support/ProgramRegistry.h"
#include "tests/support/TempFolder.h"

namespace {

// Where a copy lists itself: inside Program Files.
struct ProgramFilesFolder {
  ProgramFilesFolder() { CreateDirectoryA(path.c_str(), nullptr); }
  ~ProgramFilesFolder() { RemoveTree(path); }
  const std::string path = "C:\\Program Files\\Brindle e2e";
};

class UninstallE2E : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CopyFileA(TallowmereExe().c_str(), exe_.c_str(), FALSE));
    Write("readme.txt", "x");
  }
  void Write(const std::string& name, const std::string& text) {
    WriteFileText(folder_ + name, text);
  }
  bool Exists(const std::string& name) {
    return GetFileAttributesA((folder_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  static std::string ShortPath(const std::string& path) {
    char buf[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), buf, MAX_PATH);
    return buf;
  }
  ProgramRegistryState registry_;
  // A blank in the folder's name: the uninstall command quotes the path.
  ProgramFilesFolder programFiles_;
  const std::string folder_ = programFiles_.path + "\\";
  const std::string exe_ = folder_ + "Tallowmere.exe";
};

}  // namespace

TEST_F(UninstallE2E, AnsweredNoRemovesNothingShowsNoWindowAndExitsWithZero) {
  Write("install.txt", "readme.txt\r\nTallowmere.exe\r\n");
  AppDriver app("/UNINSTALL", exe_);
  bool sawWindow = false;
  const SeenBox confirm = Answer(app, IDCANCEL, sawWindow);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(confirm.caption, "Confirm");
  EXPECT_EQ(confirm.text, "Are you sure to remove Brindlecast?");
  EXPECT_FALSE(sawWindow);
  EXPECT_TRUE(Exists("readme.txt"));
  // Registration ran first, with the path quoted.
  EXPECT_EQ(MachineValue(EntryKey, "UninstallString"), "\"" + exe_ + "\" /uninstall");
  EXPECT_EQ(MachineValue(RunOnce, "Delete Brindlecast"), "(none)");
}

TEST_F(UninstallE2E, AnsweredYesRemovesTheListAndSchedulesTheExecutable) {
  Write("install.txt", "readme.txt\r\nTallowmere.exe\r\ninstall.txt\r\n");
  AppDriver app("/uninstall", exe_);
  bool sawWindow = false;
  const SeenBox confirm = Answer(app, IDOK, sawWindow);
  const SeenBox done = Answer(app, IDOK, sawWindow);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(confirm.caption, "Confirm");
  EXPECT_EQ(done.caption, "Tallowmere");
  EXPECT_EQ(done.text, "Uninstall complete.");
  EXPECT_FALSE(sawWindow);
  EXPECT_FALSE(Exists("readme.txt"));
  EXPECT_FALSE(Exists("Tallowmere.exe"));
  EXPECT_FALSE(MachineKeyExists(EntryKey));
  // The executable waits under a name no one could guess, which is all the command deletes.
  WIN32_FIND_DATAA retired{};
  ASSERT_TRUE(FindHandle(FindFirstFileA((folder_ + "~tlm*.del").c_str(), &retired)).Valid());
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  // The folder goes too once the executable is gone, but only when nothing else is left in it.
  const std::string shortFolder = ShortPath(folder_.substr(0, folder_.size() - 1));
  const std::string name = retired.cFileName;
  const std::string pattern = "\"" + shortFolder + "\\" + name.substr(0, name.size() - 1) + "?\"";
  const std::string command = MachineValue(RunOnce, "Delete Brindlecast");
  EXPECT_EQ(command, std::string(system) + "\\cmd.exe /c if exist " + pattern + " (del /f /q " +
                         pattern + " & rmdir \"" + shortFolder + "\")");
  // Run as the next logon would, on an executable that has become read-only meanwhile.
  SetFileAttributesA((folder_ + name).c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(RunAsNextLogon(command));
  EXPECT_FALSE(Exists(""));
}

TEST_F(UninstallE2E, RunOnceKeyThatCannotBeOpenedSaysWhyRemovesNothingAndExitsWithItsCode) {
  Write("install.txt", "readme.txt\r\n");
  const KeptRegistryKey runOnce(HKEY_LOCAL_MACHINE, RunOnce);
  runOnce.Remove();
  AppDriver app("/uninstall", exe_);
  bool sawWindow = false;
  Answer(app, IDOK, sawWindow);
  const SeenBox refusal = Answer(app, IDOK, sawWindow);
  EXPECT_EQ(app.WaitForExit(), 3u);
  EXPECT_EQ(refusal.caption, "Tallowmere");
  EXPECT_EQ(refusal.text.rfind("Brindlecast cannot be uninstalled", 0), 0u) << refusal.text;
  EXPECT_NE(refusal.text.find("\r\n\r\nNothing has been removed."), std::string::npos);
  EXPECT_FALSE(sawWindow);
  AppDriver silent("/uninstall /S", exe_);
  EXPECT_EQ(Answer(silent, IDOK, sawWindow).caption, "(no box)");
  EXPECT_EQ(silent.WaitForExit(), 3u);
  EXPECT_FALSE(sawWindow);
  EXPECT_TRUE(Exists("readme.txt"));
  EXPECT_TRUE(MachineKeyExists(EntryKey));
}

// "Ｂ" (full-width) has no place in the ANSI code page; a best-fit "B" would name the decoy folder
// beside it. The uninstaller works in the real folder and never touches the decoy.
TEST(UninstallE2EPaths, AFolderTheCodePageCannotSpellIsUninstalledAndItsLookAlikeLeftAlone) {
  const ProgramRegistryState registry;
  const TempFolder temp("look-alike");
  const std::wstring real = temp.WidePath() + L"\\\xFF22rindle\\";
  const std::wstring decoy = temp.WidePath() + L"\\Brindle\\";
  const std::string exe = TallowmereExe();  // a plain ASCII path
  ASSERT_TRUE(CreateDirectoryW(real.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(decoy.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(std::wstring(exe.begin(), exe.end()).c_str(),
                        (real + L"Tallowmere.exe").c_str(), FALSE));
  for (const std::wstring& folder : {real, decoy})
    for (const auto& [name, text] :
         {std::pair{L"install.txt", "victim.txt\r\n"}, {L"victim.txt", "x"}})
      WriteFileText(folder + name, text);
  AppDriver app(real + L"Tallowmere.exe", L"/uninstall");
  bool sawWindow = false;
  Answer(app, IDOK, sawWindow);
  const SeenBox done = Answer(app, IDOK, sawWindow);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(done.text, "Uninstall complete.");
  EXPECT_EQ(GetFileAttributesW((real + L"victim.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW((decoy + L"victim.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}
