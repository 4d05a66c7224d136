// Deleting a folder that is itself a link: the link goes, the folder it points to is untouched.
#include "install/FolderTree.h"

#include <gtest/gtest.h>

#include "install/tests/WinFixtures.h"
#include "tests/support/BoxWatcher.h"

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
