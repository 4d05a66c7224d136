#include "framework/FileStream.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Folders.h"
#include "framework/Owned.h"
#include "framework/SystemError.h"
#include "framework/WideText.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

using namespace std::string_literals;

namespace {

class SaveAndLoad : public testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_ + name; }
  std::wstring WidePath(const std::string& name) const { return AnsiToWide(Path(name)); }

  void Put(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(WriteFileText(Path(name), bytes));
  }

  // The names in the folder: a save must leave no temporary file behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    const FindHandle find(FindFirstFileA((folder_ + "*").c_str(), &fd));
    if (!find.Valid()) return names;
    do {
      const std::string name = fd.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find.Get(), &fd));
    return names;
  }

  static std::string MessageOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const Exception& e) {
      return e.what();
    }
    return "(no error)";
  }

  TempFolder temp_{"files"};
  const std::string folder_ = temp_.Path() + "\\";
};

}  // namespace

TEST_F(SaveAndLoad, SavedFileHoldsExactlyTheTextAndNothingElseIsLeftInTheFolder) {
  const std::string text = "first\r\nsecond\r\n\x80\xff third without break";
  SaveFileSafely(WidePath("list.txt"), text);
  EXPECT_EQ(ReadWholeFile(WidePath("list.txt")), text);
  EXPECT_EQ(Names(), std::vector<std::string>{"list.txt"});
}

TEST_F(SaveAndLoad, AnEmptyTextGivesAnEmptyFile) {
  Put("list.txt", "old content");
  SaveFileSafely(WidePath("list.txt"), "");
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExA(Path("list.txt").c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 0u);
  EXPECT_EQ(data.nFileSizeHigh, 0u);
}

TEST_F(SaveAndLoad, SavingOverAFileReplacesItWholeAndKeepsItsAttributes) {
  Put("list.txt", std::string(5000, 'x'));
  ASSERT_TRUE(SetFileAttributesA(Path("list.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  SaveFileSafely(WidePath("list.txt"), "short");
  EXPECT_EQ(ReadWholeFile(WidePath("list.txt")), "short");
  EXPECT_TRUE(GetFileAttributesA(Path("list.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Names(), std::vector<std::string>{"list.txt"});
}

TEST_F(SaveAndLoad, ZeroBytesAndAllByteValuesAreWrittenAndReadBack) {
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  SaveFileSafely(WidePath("bytes.bin"), all + all);
  EXPECT_EQ(ReadWholeFile(WidePath("bytes.bin")), all + all);
}

TEST_F(SaveAndLoad, AReadOnlyTargetIsNotCreatedAndKeepsItsContent) {
  Put("list.txt", "precious");
  ASSERT_TRUE(SetFileAttributesA(Path("list.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(MessageOf([&] { SaveFileSafely(WidePath("list.txt"), "new"); }),
            "Cannot create file \"" + Path("list.txt") + "\". " +
                SystemErrorDescription(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadWholeFile(WidePath("list.txt")), "precious");
  EXPECT_EQ(Names(), std::vector<std::string>{"list.txt"});
}

TEST_F(SaveAndLoad, AFolderInPlaceOfTheTargetCannotBeCreated) {
  ASSERT_TRUE(CreateDirectoryA(Path("list.txt").c_str(), nullptr));
  EXPECT_EQ(MessageOf([&] { SaveFileSafely(WidePath("list.txt"), "new"); }),
            "Cannot create file \"" + Path("list.txt") + "\". " +
                SystemErrorDescription(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Names(), std::vector<std::string>{"list.txt"});
}

TEST_F(SaveAndLoad, AMissingFolderCannotBeCreatedAndTheMessageSaysWhy) {
  const std::string path = Path("no such folder\\list.txt");
  const std::string message = MessageOf([&] { SaveFileSafely(AnsiToWide(path), "new"); });
  EXPECT_EQ(message,
            "Cannot create file \"" + path + "\". " + SystemErrorDescription(ERROR_PATH_NOT_FOUND));
  EXPECT_NE(SystemErrorDescription(ERROR_PATH_NOT_FOUND), "");
}

TEST_F(SaveAndLoad, ARelativeNameIsReportedWithItsFullPath) {
  char old[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, old);
  SetCurrentDirectoryA(folder_.c_str());
  const std::string message = MessageOf([] { ReadWholeFile(L"missing.txt"); });
  SetCurrentDirectoryA(old);
  EXPECT_EQ(message, "Cannot open file \"" + Path("missing.txt") + "\". " +
                         SystemErrorDescription(ERROR_FILE_NOT_FOUND));
}

TEST_F(SaveAndLoad, AMissingFileCannotBeOpened) {
  EXPECT_EQ(MessageOf([&] { ReadWholeFile(WidePath("missing.txt")); }),
            "Cannot open file \"" + Path("missing.txt") + "\". " +
                SystemErrorDescription(ERROR_FILE_NOT_FOUND));
}

TEST_F(SaveAndLoad, AFileLockedByAnotherProgramCannotBeOpened) {
  Put("list.txt", "abc");
  const FileHandle lock(CreateFileA(Path("list.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(lock.Valid());
  const std::string message = MessageOf([&] { ReadWholeFile(WidePath("list.txt")); });
  EXPECT_EQ(message, "Cannot open file \"" + Path("list.txt") + "\". " +
                         SystemErrorDescription(ERROR_SHARING_VIOLATION));
}

TEST_F(SaveAndLoad, WhileAFileIsReadOthersMayReadItButNotWriteIt) {
  Put("list.txt", "abc");
  bool otherReader = false, otherWriter = true;
  ReadFilePieces(WidePath("list.txt"), [&](std::string_view) {
    const FileHandle r(CreateFileA(Path("list.txt").c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                   nullptr));
    const FileHandle w(CreateFileA(Path("list.txt").c_str(), GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                   nullptr));
    otherReader = r.Valid();
    otherWriter = w.Valid();
    return false;
  });
  EXPECT_TRUE(otherReader);
  EXPECT_FALSE(otherWriter);
}

TEST_F(SaveAndLoad, ReadingInPiecesStopsWhenTheReaderHasEnough) {
  Put("big.txt", std::string(3 << 20, 'z'));
  size_t calls = 0, bytes = 0;
  ReadFilePieces(WidePath("big.txt"), [&](std::string_view piece) {
    ++calls;
    bytes += piece.size();
    return false;
  });
  EXPECT_EQ(calls, 1u);
  EXPECT_LT(bytes, size_t(3) << 20);
  EXPECT_EQ(ReadWholeFile(WidePath("big.txt")).size(), size_t(3) << 20);
}

TEST(Folders, CreatesMissingParentsAndAcceptsShortOrExistingPaths) {
  const TempFolder temp("folders");
  const std::string base = temp.Path() + "\\base";
  const std::string deep = base + "\\a\\b\\";
  EXPECT_TRUE(TryCreateFolderWithParents(deep));
  EXPECT_NE(GetFileAttributesA((base + "\\a\\b").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(TryCreateFolderWithParents(deep));  // already there
  EXPECT_TRUE(TryCreateFolderWithParents(base + "/c/d/"));
  EXPECT_NE(GetFileAttributesA((base + "\\c\\d").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(TryCreateFolderWithParents("C:"));
  EXPECT_TRUE(TryCreateFolderWithParents("C:\\"));

  // Under a file no folder can be made.
  const std::string file = base + "\\file";
  WriteFileText(file, "");
  EXPECT_FALSE(TryCreateFolderWithParents(file + "\\x\\"));
}
