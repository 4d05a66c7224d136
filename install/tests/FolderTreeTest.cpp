// Deleting folder trees and testing folders for emptiness, on real folders.
#include "install/FolderTree.h"

#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/Owned.h"
#include "install/tests/WinFixtures.h"
#include "tests/support/BoxWatcher.h"
#include "tests/support/TempFolder.h"

namespace {

std::string ErrorOf(const std::string& folder) {
  try {
    DeleteFolderTree(folder);
  } catch (const Exception& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(DeleteFolderTree, RemovesEveryFileAndFolderInsideThenTheFolder) {
  TempFolder temp("tree");
  const std::string root = temp.Path() + "\\Brindlecast";
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA((root + "\\sub").c_str(), nullptr);
  CreateDirectoryA((root + "\\sub\\deeper").c_str(), nullptr);
  WriteFileText(root + "\\Brindlecast.lnk", "x");
  WriteFileText(root + "\\hidden.txt", "x");
  SetFileAttributesA((root + "\\hidden.txt").c_str(),
                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  WriteFileText(root + "\\sub\\deeper\\a.txt", "x");
  BoxWatcher watcher;
  DeleteFolderTree(root);
  EXPECT_FALSE(PathExists(root));
  EXPECT_TRUE(PathExists(temp.Path()));
  EXPECT_TRUE(watcher.Seen().empty());
}

TEST(DeleteFolderTree, MissingFolderRaisesTheSystemErrorWithItsCode) {
  TempFolder temp("missing");
  const std::string text = ErrorOf(temp.Path() + "\\none");
  EXPECT_EQ(text.rfind("System Error.  Code: 2.\r\n", 0), 0u) << text;
  EXPECT_GT(text.size(), std::string("System Error.  Code: 2.\r\n").size());
}

TEST(DeleteFolderTree, FileThatWillNotGoIsAskedAboutUntilIgnored) {
  TempFolder temp("readonly");
  const std::string root = temp.Path() + "\\Brindlecast";
  CreateDirectoryA(root.c_str(), nullptr);
  const std::string file = root + "\\stuck.lnk";
  WriteFileText(file, "x");
  // Held open without sharing, so no delete can succeed meanwhile.
  FileHandle held(CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held.Valid());
  BoxWatcher watcher;
  watcher.Answer(IDRETRY);
  watcher.Answer(IDRETRY);
  watcher.Answer(IDIGNORE);
  const std::string text = ErrorOf(root);
  held.Close();
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 3u);
  for (const auto& box : seen) {
    EXPECT_EQ(box.caption, "Warning");
    EXPECT_EQ(box.text, "Cannot delete " + file);
    EXPECT_EQ(box.buttons, (std::vector<std::string>{"&Retry", "&Ignore"}));
    EXPECT_TRUE(box.hasIcon);
  }
  EXPECT_TRUE(PathExists(file));
  EXPECT_EQ(text.rfind("System Error.  Code: 145.", 0), 0u) << text;  // folder not empty
}

TEST(DeleteFolderTree, ReadOnlyFileIsAskedAboutAndIgnoreLeavesIt) {
  TempFolder temp("ro");
  const std::string root = temp.Path() + "\\Brindlecast";
  CreateDirectoryA(root.c_str(), nullptr);
  const std::string file = root + "\\readme.txt";
  WriteFileText(file, "x");
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
  BoxWatcher watcher;
  watcher.Answer(IDRETRY);
  watcher.Answer(IDIGNORE);
  ErrorOf(root);
  EXPECT_EQ(watcher.CountCaption("Warning"), 2u);
  EXPECT_TRUE(PathExists(file));
  EXPECT_TRUE(PathExists(root));
}

TEST(DeleteFolderTree, LinkedFolderIsRemovedAsALinkAndItsTargetSurvives) {
  TempFolder temp("link");
  const std::string target = temp.Path() + "\\precious";
  CreateDirectoryA(target.c_str(), nullptr);
  WriteFileText(target + "\\keep.txt", "x");
  const std::string root = temp.Path() + "\\Brindlecast";
  CreateDirectoryA(root.c_str(), nullptr);
  if (!MakeFolderLink(root + "\\link", target)) GTEST_SKIP() << "this system makes no folder links";
  BoxWatcher watcher;
  DeleteFolderTree(root);
  EXPECT_FALSE(PathExists(root));
  EXPECT_TRUE(PathExists(target + "\\keep.txt"));
}

TEST(DeleteFolderTree, TheFirstListedEntryOfADriveRootIsDeletedToo) {
  TempFolder temp("rootdel");
  WriteFileText(temp.Path() + "\\only.txt", "x");
  const DriveRoot drive(temp.Path());
  if (drive.Letter().empty()) GTEST_SKIP() << "no drive letter can be mapped here";
  try {
    DeleteFolderTree(drive.Letter());
  } catch (const Exception&) {  // a root itself cannot be removed
  }
  EXPECT_FALSE(PathExists(temp.Path() + "\\only.txt"));
}

TEST(IsFolderEmpty, ADriveRootHoldingOneFileIsNotEmpty) {
  TempFolder temp("rootempty");
  WriteFileText(temp.Path() + "\\only.txt", "x");
  const DriveRoot drive(temp.Path());
  if (drive.Letter().empty()) GTEST_SKIP() << "no drive letter can be mapped here";
  EXPECT_FALSE(IsFolderEmpty(drive.Letter()));
}

TEST(IsFolderEmpty, OnlyDotEntriesOrNoListingCountAsEmpty) {
  TempFolder temp("empty");
  EXPECT_TRUE(IsFolderEmpty(temp.Path()));
  EXPECT_TRUE(IsFolderEmpty(temp.Path() + "\\missing"));
  CreateDirectoryA((temp.Path() + "\\sub").c_str(), nullptr);
  EXPECT_FALSE(IsFolderEmpty(temp.Path()));
  EXPECT_TRUE(IsFolderEmpty(temp.Path() + "\\sub"));
  WriteFileText(temp.Path() + "\\sub\\.h", "x");
  SetFileAttributesA((temp.Path() + "\\sub\\.h").c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(IsFolderEmpty(temp.Path() + "\\sub"));
}
