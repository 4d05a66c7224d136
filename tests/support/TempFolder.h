// Test helper: a fresh folder under the system's temporary folder for one test or one benchmark,
// removed with everything in it afterwards. Removal goes by UTF-16 names and long paths, so names
// the ANSI code page cannot spell and files beyond MAX_PATH go too.
#pragma once
#include <string>

class TempFolder {
 public:
  // "<temporary folder>\tallowmere-<process id>-<name>", emptied first of what an earlier run of
  // the same process id left. Throws std::runtime_error when the folder cannot be made.
  explicit TempFolder(const std::string& name);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Both without a trailing backslash.
  const std::string& Path() const { return path_; }
  const std::wstring& WidePath() const { return widePath_; }

 private:
  std::wstring widePath_;
  std::string path_;
};

// Deletes a file or a folder tree without asking, read-only files included. A folder link goes as
// a link and what it points to stays. A path already gone is no failure.
void RemoveTree(const std::wstring& path);
void RemoveTree(const std::string& path);
