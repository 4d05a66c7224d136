// Folder helpers of the uninstaller. They work in UTF-16: a shell folder or a file in it may have a
// name the ANSI code page cannot spell, and a look-alike spelling would name someone else's file.
#pragma once
#include <string>

// Deletes everything inside the folder (no trailing backslash), asking Retry/Ignore about each
// file that cannot be deleted, then removes the folder itself. A linked folder (junction or
// symbolic link) inside is removed as a link: its target is never entered. Raises an error with
// the system's error code when the folder itself cannot be removed.
// What to do about a file that cannot be deleted: ask Retry/Ignore, or take Ignore unasked.
enum class OnLockedFile { Ask, Ignore };
void DeleteFolderTree(const std::wstring& folder, OnLockedFile onLocked = OnLockedFile::Ask);
void DeleteFolderTree(const std::string& folder);

// True when the folder holds nothing besides "." and "..", or cannot be listed at all.
bool IsFolderEmpty(const std::wstring& folder);
bool IsFolderEmpty(const std::string& folder);
