// The password list as a document: the file it came from or went to, how that file was written,
// and its New, Open and Save.
#pragma once
#include <string>

#include "framework/Controls.h"
#include "framework/core/TextEncoding.h"

class TListDocument {
 public:
  explicit TListDocument(TMemo& list) : list_(list) {}

  // Path of the password-list file last opened or saved; empty when none. Wide, as the file
  // dialogs give it: a name may hold characters the ANSI code page lacks (the list's text stays
  // ANSI).
  std::wstring CurrentFileName;
  // How that file was written: a file opened with a byte-order mark is saved back with it; a new
  // list, and a file without a mark, is ANSI text.
  TextEncoding CurrentEncoding = TextEncoding::Ansi;

  // An empty list of no file.
  void New();
  // Replaces the list's text with the file's (when they differ) and aims Save at the file. A file
  // that is there but cannot be read leaves list and name as they were; nothing at the path leaves
  // the list but names the file, so that Save creates it. Throws the reason.
  void Open(const std::wstring& path);
  // Writes the list to the current file in its encoding.
  void Save() const;

 private:
  TMemo& list_;
};
