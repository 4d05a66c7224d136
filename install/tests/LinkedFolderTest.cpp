// Deleting a folder that is itself a link: the link goes, the folder it points to is untouched.
#include "install/FolderTree.h"

#include <gtest/gtest.h>

#include "install/tests/WinFixtures.h"
#include "tests/support/BoxWatcher.h"

namespace {

// As in FolderTreeTest: false when the system makes no folder links (Wine 8 makes none).
bool MakeFolderLink(const std::string& link, const std::string& target) {
  CreateSymbolicLinkA(link.c_str(), target.c_str(),
                      SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2 /* no privilege needed */);
  const DWORD attrs = GetFileAttributesA(link.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace

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
