// The settings file: where it lives, and the main window's LoadSettings and SaveSettings. The
// option controls are the settings; this file only moves them to and from the file, key by key.
#include "ui/Settings.h"

#include <shlobj.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/Folders.h"
#include "framework/IniFile.h"
#include "framework/core/Product.h"
#include "framework/core/Text.h"
#include "framework/WideText.h"
#include "shell/ShellFolders.h"
#include "ui/Main.h"
#include "ui/Options.h"

std::wstring SettingsFolder;

namespace {

const char* const kForm = "Form";
const char* const kSettings = "Settings";

// Spinner positions are stored as 16-bit signed values and handed back without clamping.
int Low16(int value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }

// Checks the preset whose caption is exactly the stored text, or "Custom" when none is (checking
// one radio button unchecks the others: one change, not one per preset). Then the spinner's
// position.
void LoadGroup(TIniFile& ini, const TPresetGroup& group) {
  const std::string text = ini.ReadString(kSettings, group.Key, std::to_string(group.Default));
  TRadioButton* checked = group.Custom;
  for (TRadioButton* preset : group.Presets)
    if (preset->Text() == text) checked = preset;
  checked->SetChecked(true);
  group.Spinner->SetPosition(
      Low16(ini.ReadInteger(kSettings, group.SpinnerKey, Low16(group.Spinner->Position()))));
}

// Every checked button writes its value: a preset its caption, "Custom" its edit field's text.
// Then the spinner's position.
void SaveGroup(TIniFile& ini, const TPresetGroup& group) {
  for (const TRadioButton* preset : group.Presets)
    if (preset->Checked()) ini.WriteString(kSettings, group.Key, preset->Text());
  if (group.Custom->Checked())
    ini.WriteString(kSettings, group.Key, group.Spinner->Associate->Text());
  ini.WriteInteger(kSettings, group.SpinnerKey, Low16(group.Spinner->Position()));
}

void LoadCheck(TIniFile& ini, const char* key, TCheckBox& box) {
  box.SetChecked(ini.ReadBool(kSettings, key, box.Checked()));
}

void SaveCheck(TIniFile& ini, const char* key, const TCheckBox& box) {
  ini.WriteBool(kSettings, key, box.Checked());
}

// The bounds to store: the outer rectangle as it is on the screen, except for a minimised window,
// whose normal bounds are stored instead of its parked icon position.
RECT SavedBounds(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  if (!IsIconic(window)) return r;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window, &placement)) return r;
  r = placement.rcNormalPosition;
  // The normal position is in work-area coordinates; move it to screen coordinates.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor))
    OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
  return r;
}

// A custom set typed on several lines is stored as one line: a line break in the value would
// become a line of the file, and everything after it would be lost or read as a key.
std::string OneLine(std::string text) {
  std::string result;
  for (char c : text)
    if (c != '\r' && c != '\n') result += c;
  return result;
}

// The roaming application-data folder as the system reports it; "" when it has none.
std::wstring RoamingAppDataFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
    return L"";
  return path;
}

// A drive ("C:"), a drive's root or a relative name would put the settings at the root, open to
// every user, or wherever the program was started from: such a value counts as none, also when it
// takes "." and ".." to say so ("C:\users\.."). Judged, and used, as the system resolves it.
std::wstring Usable(const std::wstring& folder) {
  if (!IsFolderBelowRoot(folder)) return L"";
  std::wstring full(MAX_PATH, L'\0');
  DWORD n = GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
  if (n >= full.size()) {
    full.assign(n, L'\0');
    n = GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
  }
  if (n == 0 || n >= full.size()) return L"";
  full.resize(n);
  return IsFolderBelowRoot(full) ? full : L"";
}

}  // namespace

std::wstring SettingsFileName() {
  return SettingsFolder.empty() ? std::wstring()
                                : SettingsFolder + AnsiToWide(TALLOWMERE_SETTINGS_FILE);
}

void FixSettingsFolder() {
  std::wstring appData = Usable(GetShellFolder("AppData"));
  if (appData.empty()) appData = Usable(RoamingAppDataFolder());
  // Without an application-data folder the settings have no safe place (a folder at the drive
  // root is open to every user): the program then runs with its defaults and saves nothing.
  SettingsFolder = appData.empty()
                       ? std::wstring()
                       : appData + L"\\" + AnsiToWide(TALLOWMERE_SETTINGS_FOLDER) + L"\\";
  if (!SettingsFolder.empty()) TryCreateFolderWithParents(SettingsFolder);
}

void TSDIAppForm::LoadSettings() {
  TIniFile ini(SettingsFileName());

  // Bounds stored on another monitor layout, or too small to use, give way to the design size on
  // the nearest monitor; bounds that fit are used as stored.
  const RECT r = BoundsRect();
  const int top = ini.ReadInteger(kForm, "Top", r.top);
  const int left = ini.ReadInteger(kForm, "Left", r.left);
  const int width = ini.ReadInteger(kForm, "Width", r.right - r.left);
  const int height = ini.ReadInteger(kForm, "Height", r.bottom - r.top);
  SetBoundsOnScreen(left, top, width, height);

  LoadGroup(ini, LengthGroup);
  SetScheme(ini.ReadInteger(kSettings, "ColorScheme", 0));
  for (const CharacterOption& option : kCharacterOptions)
    LoadCheck(ini, option.key, this->*option.box);
  Memo2.SetText(ini.ReadString(kSettings, "CustomMemo", Memo2.Text()));
  LoadCheck(ini, "ClearOnExit", CheckBox8);

  LoadGroup(ini, CountGroup);

  // Any text but "0", the empty text included, selects "Groups of".
  if (ini.ReadString(kSettings, "FormatString", "0") == "0")
    RadioButton17.SetChecked(true);
  else
    RadioButton21.SetChecked(true);
  UpDown3.SetPosition(Low16(ini.ReadInteger(kSettings, "FormatStringCustom", 0)));
  LoadCheck(ini, "AutoCopy", CheckBox6);
}

void TSDIAppForm::SaveSettings() {
  TIniFile ini(SettingsFileName());

  const RECT r = SavedBounds(Handle);
  ini.WriteInteger(kForm, "Top", r.top);
  ini.WriteInteger(kForm, "Left", r.left);
  ini.WriteInteger(kForm, "Width", r.right - r.left);
  ini.WriteInteger(kForm, "Height", r.bottom - r.top);

  SaveGroup(ini, LengthGroup);
  for (const CharacterOption& option : kCharacterOptions)
    SaveCheck(ini, option.key, this->*option.box);
  ini.WriteString(kSettings, "CustomMemo", OneLine(Memo2.Text()));
  SaveCheck(ini, "ClearOnExit", CheckBox8);

  ini.WriteInteger(kSettings, "ColorScheme", CheckedScheme());

  SaveGroup(ini, CountGroup);
  if (RadioButton17.Checked()) ini.WriteString(kSettings, "FormatString", "0");
  if (RadioButton21.Checked()) ini.WriteString(kSettings, "FormatString", "1");
  ini.WriteInteger(kSettings, "FormatStringCustom", Low16(UpDown3.Position()));
  SaveCheck(ini, "AutoCopy", CheckBox6);
}
