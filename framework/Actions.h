// Actions: one command with caption, hint, shortcut and image, shared by menu items and tool
// buttons.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Shortcut values: a virtual key with these flags added (Ctrl+N is 0x4000 + 'N' = 16462).
constexpr WORD scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

class TAction {
 public:
  std::string Caption, Hint;
  WORD ShortCut = 0;
  int ImageIndex = -1;
  bool Enabled = true;
  std::function<void()> OnExecute;
  // Refreshes Enabled while the application is idle.
  std::function<void(TAction&)> OnUpdate;
  UINT Id = 0;  // command id of the menu item and tool button bound to it

  bool Execute();
};

// The part of a hint before "|" (tool tips) and after it (status bar); without "|" both are the
// whole.
std::string ShortHint(const std::string& hint);
std::string LongHint(const std::string& hint);
// "Ctrl+N" for a shortcut value.
std::string ShortCutText(WORD shortcut);

class TActionList {
 public:
  void Add(TAction& action);
  TAction* FindById(UINT id) const;
  // The action bound to the key, if any; no key finds an action that has no shortcut.
  TAction* FindShortCut(WORD shortcut) const;
  void Update();
  const std::vector<TAction*>& Items() const { return items_; }

 private:
  std::vector<TAction*> items_;
};

// Standard edit actions on whichever text field has the focus.
void UpdateEditCut(TAction& action);
void UpdateEditCopy(TAction& action);
void UpdateEditPaste(TAction& action);
void ExecuteEditMessage(UINT message);  // WM_CUT, WM_COPY or WM_PASTE to the focused text field
