// Removing what "install.txt" names, and only inside the executable folder. The uninstaller runs
// as administrator, so a link on the way (a junction or symbolic link placed in the folder) must
// not carry a delete elsewhere: each entry is opened without following a link at its end, the
// place the handle really refers to is checked, and the delete goes through that same handle.
#pragma once
#include <string>

// Where a file or folder really is, every link on the way resolved, as the system names it
// ("\\?\C:\..."); "" when it cannot be opened.
std::wstring RealPath(const std::wstring& path);

// The 8.3 form of an existing path, exactly as the code page spells it; "" when it has none, it
// does not fit in MAX_PATH, or the code page would need a stand-in for one of its characters.
std::string ShortPath(const std::string& path);
std::string ShortPath(const std::wstring& path);

// True when `path` lies inside `folder`, both as RealPath gives them.
bool IsInsideFolder(const std::wstring& path, const std::wstring& folder);

enum class Removal {
  Gone,        // removed, or not there at all
  PassedOver,  // a link, or a place outside the folder: left alone, without a trace
  Failed,  // still there, inside the folder, and could not be removed (in use): the user is told
  Kept,    // still there and not to be removed (a folder holding unlisted files, or an entry
           // that cannot even be looked at): the user is told
};

class ProgramFolder {
 public:
  // The executable folder, ending with its backslash.
  explicit ProgramFolder(const std::wstring& folder);

  // A file entry (one without a trailing backslash). An entry naming a folder is passed over.
  Removal DeleteListedFile(const std::string& entry) const;
  // A folder entry (with its trailing backslash): removed only when empty. An entry naming a
  // file fails, as the system's own removal of it would; a missing folder is gone.
  Removal RemoveListedFolder(const std::string& entry) const;

 private:
  std::wstring folder_;
  std::wstring realFolder_;  // where the folder really is, as the system names it; "" if unknown
};
