// Links met while removing: a folder that is itself a link goes as a link, and a listed entry
// reached through a link is never deleted; the folders they point to are untouched.
#include "install/FolderTree.h"
#include "install/ProgramFolder.h"

#include <gtest/gtest.h>

#include "framework/WideText.h"
#include "install/tests/WinFixtures.h"
#include "tests/support/BoxWatcher.h"
#include "tests/support/TempFolder.h"

TEST(DeleteFolderTree, AFolderThatIsALinkIsRemovedWithoutEmptyingItsTarget) {
  TempFolder temp("linkroot");
  const std::string target = temp.Path() + "\\precious";
  CreateDirectoryA(target.c_str(), nullptr);
  CreateDirectoryA((target + "\\sub").c_str(), nullptr);
  WriteFileText(target + "\\keep.txt", "x");
  WriteFileText(target + "\\sub\\keep.txt", "x");
  const std::string root = temp.Path() + "\\Brindlecast";
  if (!MakeFolderLink(root, target)) GTEST_SKIP() << "this system makes no folder links";
  BoxWatcher watcher;
  DeleteFolderTree(root);
  EXPECT_FALSE(PathExists(root));
  EXPECT_TRUE(PathExists(target + "\\keep.txt"));
  EXPECT_TRUE(PathExists(target + "\\sub\\keep.txt"));
  EXPECT_TRUE(watcher.Seen().empty());
}

TEST(ProgramFolder, AListedEntryBehindALinkedFolderIsPassedOverWithItsTarget) {
  TempFolder temp("linkentry");
  const std::string target = temp.Path() + "\\outside";
  CreateDirectoryA(target.c_str(), nullptr);
  WriteFileText(target + "\\victim.txt", "x");
  const std::string folder = temp.Path() + "\\App Folder\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  if (!MakeFollowedFolderLink(folder + "data", target))
    GTEST_SKIP() << "this system makes no folder links";
  const ProgramFolder program(AnsiToWide(folder));
  EXPECT_EQ(program.DeleteListedFile("data\\victim.txt"), Removal::PassedOver);
  EXPECT_EQ(program.RemoveListedFolder("data\\"), Removal::PassedOver);
  EXPECT_TRUE(PathExists(target + "\\victim.txt"));
  EXPECT_TRUE(PathExists(folder + "data"));
}
