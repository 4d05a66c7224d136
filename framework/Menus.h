// The main menu: items built from a tree, bound to actions or to click handlers, with radio groups.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Actions.h"

class TMenuItem {
 public:
  std::string Caption, Hint;
  TAction* Action = nullptr;
  int ImageIndex = -1;
  bool RadioItem = false;
  int GroupIndex = 0;
  std::function<void()> OnClick;
  std::vector<TMenuItem*> Items;

  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the other radio items of its group in the same menu.
  void SetChecked(bool checked);
  bool IsSeparator() const { return Caption == "-"; }
  UINT Id = 0;

 private:
  bool checked_ = false;
  HMENU owner_ = nullptr;
  TMenuItem* parent_ = nullptr;
  friend class TMainMenu;
};

class TMainMenu {
 public:
  // Builds the menu bar from top-level items; items take caption, hint, shortcut and image of
  // their action.
  HMENU Build(const std::vector<TMenuItem*>& topLevel, HIMAGELIST images);
  TMenuItem* FindById(UINT id) const;
  // The hint of the item a WM_MENUSELECT names.
  std::string HintFor(WPARAM wParam, LPARAM lParam) const;
  // Keeps the enabled state of action-bound items in step with their actions.
  void UpdateEnabled();
  bool MeasureItem(MEASUREITEMSTRUCT& mis) const;
  bool DrawItem(const DRAWITEMSTRUCT& dis) const;
  HMENU Handle = nullptr;

 private:
  HMENU BuildPopup(const std::vector<TMenuItem*>& items, TMenuItem* parent);
  std::vector<TMenuItem*> all_;
  std::vector<std::pair<HMENU, std::vector<TMenuItem*>>> popups_;
  HIMAGELIST images_ = nullptr;
  UINT nextId_ = 0x200;
};
