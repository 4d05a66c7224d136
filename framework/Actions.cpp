// Actions and the standard edit actions.
#include "framework/Actions.h"

#include <string>

#include "framework/ErrorReport.h"

bool TAction::Execute() {
  if (!Enabled || !OnExecute) return false;
  Guard(OnExecute);
  return true;
}

std::string ShortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }

std::string LongHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

std::string ShortCutText(WORD shortcut) {
  if (!shortcut) return "";
  std::string text;
  if (shortcut & scCtrl) text += "Ctrl+";
  if (shortcut & scShift) text += "Shift+";
  if (shortcut & scAlt) text += "Alt+";
  return text + static_cast<char>(shortcut & 0xFF);
}

void TActionList::Add(TAction& action) {
  action.Id = 0x100 + static_cast<UINT>(items_.size());
  items_.push_back(&action);
}

TAction* TActionList::FindById(UINT id) const {
  for (TAction* a : items_)
    if (a->Id == id) return a;
  return nullptr;
}

TAction* TActionList::FindShortCut(WORD shortcut) const {
  if (!shortcut) return nullptr;  // a key with no virtual-key code and no modifiers
  for (TAction* a : items_)
    if (a->ShortCut == shortcut) return a;
  return nullptr;
}

void TActionList::Update() {
  for (TAction* a : items_)
    if (a->OnUpdate) a->OnUpdate(*a);
}

namespace {

// The focused control when it is a text field.
HWND FocusedTextField() {
  HWND focus = GetFocus();
  if (!focus) return nullptr;
  char cls[32] = {};
  GetClassNameA(focus, cls, sizeof cls);
  return lstrcmpiA(cls, "Edit") == 0 ? focus : nullptr;
}

bool HasSelection(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start != end;
}

}  // namespace

void UpdateEditCut(TAction& action) {
  HWND edit = FocusedTextField();
  action.Enabled = edit && HasSelection(edit) && !(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
}

void UpdateEditCopy(TAction& action) {
  HWND edit = FocusedTextField();
  action.Enabled = edit && HasSelection(edit);
}

void UpdateEditPaste(TAction& action) {
  action.Enabled = FocusedTextField() && IsClipboardFormatAvailable(CF_TEXT);
}

void ExecuteEditMessage(UINT message) {
  if (HWND edit = FocusedTextField()) SendMessageA(edit, message, 0, 0);
}
