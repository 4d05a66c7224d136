// The settings file: where it lives, and the main window's LoadSettings and SaveSettings, which
// walk one table of its keys. The option controls are the settings; this file only moves them to
// and from the file, key by key.
#include "ui/Settings.h"

#include <shlobj.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/Folders.h"
#include "framework/IniFile.h"
#include "framework/core/IniValue.h"
#include "framework/core/Product.h"
#include "framework/core/Text.h"
#include "framework/WideText.h"
#include "shell/ShellFolders.h"
#include "ui/Main.h"

std::wstring SettingsFolder;

namespace {

const char* const kForm = "Form";
const char* const kSettings = "Settings";

// Spinner positions are stored as 16-bit signed values and handed back without clamping.
int Low16(int value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }

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

// What a walk over the keys carries from row to row: the window's bounds are four keys, applied
// together once all four are read.
struct SettingsWalk {
  TIniFile& ini;
  TSDIAppForm& form;
  std::array<int, 4> bounds;  // top, left, width, height: as stored, or as they are on the screen
  int boundsRead = 0;
};

struct SettingKey;
// How a key is stored and what on the form it binds: reading it into the form, writing it out.
struct SettingKind {
  void (*load)(SettingsWalk&, const SettingKey&);
  void (*save)(SettingsWalk&, const SettingKey&);
};

// A key's default when the file lacks it: kOwn is the bound value as the form has it.
constexpr int kOwn = INT_MIN;

struct SettingKey {
  const char* section;
  const char* name;
  const SettingKind* kind;
  int fallback;  // the default
};

int Fallback(const SettingKey& key, int own) { return key.fallback == kOwn ? own : key.fallback; }

std::array<int, 4> BoundsOf(const RECT& r) {
  return {int(r.top), int(r.left), int(r.right - r.left), int(r.bottom - r.top)};
}

// One of the window's bounds (top, left, width, height). Bounds stored on another monitor layout,
// or too small to use, give way to the design size on the nearest monitor.
template <int part>
constexpr SettingKind Bound{
    [](SettingsWalk& w, const SettingKey& key) {
      w.bounds[part] = w.ini.ReadInteger(key.section, key.name, w.bounds[part]);
      if (++w.boundsRead == 4)
        w.form.SetBoundsOnScreen(w.bounds[1], w.bounds[0], w.bounds[2], w.bounds[3]);
    },
    [](SettingsWalk& w, const SettingKey& key) {
      w.ini.WriteInteger(key.section, key.name, w.bounds[part]);
    }};

// A check box's or a menu item's check, as "1" or "0".
template <auto check>
constexpr SettingKind Bool{
    [](SettingsWalk& w, const SettingKey& key) {
      auto& c = w.form.*check;
      c.SetChecked(w.ini.ReadBool(key.section, key.name, Fallback(key, c.Checked()) != 0));
    },
    [](SettingsWalk& w, const SettingKey& key) {
      w.ini.WriteBool(key.section, key.name, (w.form.*check).Checked());
    }};

// A text stored as one line: a line break in the value would become a line of the file, and
// everything after it would be lost or read as a key. Read back as stored.
std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : text)
    if (c != '\r' && c != '\n') line += c;
  return line;
}

// A text field's text.
template <auto field>
constexpr SettingKind Text{[](SettingsWalk& w, const SettingKey& key) {
                             auto& f = w.form.*field;
                             f.SetText(w.ini.ReadString(key.section, key.name, f.Text()));
                           },
                           [](SettingsWalk& w, const SettingKey& key) {
                             w.ini.WriteString(key.section, key.name,
                                               OneLine((w.form.*field).Text()));
                           }};

// A text the form keeps in a member.
template <auto member>
constexpr SettingKind String{[](SettingsWalk& w, const SettingKey& key) {
                               std::string& text = w.form.*member;
                               text = w.ini.ReadString(key.section, key.name, text);
                             },
                             [](SettingsWalk& w, const SettingKey& key) {
                               w.ini.WriteString(key.section, key.name, OneLine(w.form.*member));
                             }};

// A spinner's position, as a 16-bit signed value.
template <auto spinner>
constexpr SettingKind Spin{
    [](SettingsWalk& w, const SettingKey& key) {
      auto& s = w.form.*spinner;
      s.SetPosition(
          Low16(w.ini.ReadInteger(key.section, key.name, Fallback(key, Low16(s.Position())))));
    },
    [](SettingsWalk& w, const SettingKey& key) {
      w.ini.WriteInteger(key.section, key.name, Low16((w.form.*spinner).Position()));
    }};

// An integer the form holds: a member, or a getter and a setter (which judges a stored value).
template <auto get>
int Get(const TSDIAppForm& form) {
  if constexpr (std::is_member_function_pointer_v<decltype(get)>)
    return (form.*get)();
  else
    return form.*get;
}
template <auto set>
void Set(TSDIAppForm& form, int value) {
  if constexpr (std::is_member_function_pointer_v<decltype(set)>)
    (form.*set)(value);
  else
    form.*set = value;
}
template <auto get, auto set = get>
constexpr SettingKind Integer{
    [](SettingsWalk& w, const SettingKey& key) {
      Set<set>(w.form, w.ini.ReadInteger(key.section, key.name, Fallback(key, Get<get>(w.form))));
    },
    [](SettingsWalk& w, const SettingKey& key) {
      w.ini.WriteInteger(key.section, key.name, Get<get>(w.form));
    }};

// A preset group's choice: the caption of its checked preset, or "Custom"'s field text. Read back,
// the preset whose caption is exactly the stored text is checked, or "Custom" when none is
// (checking one radio button unchecks the others: one change, not one per preset). The group's
// own default stands for a missing key.
template <auto group>
constexpr SettingKind Preset{
    [](SettingsWalk& w, const SettingKey& key) {
      const TPresetGroup& g = w.form.*group;
      const std::string text = w.ini.ReadString(key.section, key.name, std::to_string(g.Default));
      TRadioButton* checked = g.Custom;
      for (TRadioButton* preset : g.Presets)
        if (preset->Text() == text) checked = preset;
      checked->SetChecked(true);
    },
    [](SettingsWalk& w, const SettingKey& key) {
      const TPresetGroup& g = w.form.*group;
      for (const TRadioButton* preset : g.Presets)
        if (preset->Checked()) w.ini.WriteString(key.section, key.name, preset->Text());
      if (g.Custom->Checked())
        w.ini.WriteString(key.section, key.name, g.Spinner->Associate->Text());
    }};

// Two radio buttons as "0" and "1"; any other text, the empty one included, checks the second.
template <auto first, auto second>
constexpr SettingKind Choice{[](SettingsWalk& w, const SettingKey& key) {
                               const bool isFirst =
                                   w.ini.ReadString(key.section, key.name,
                                                    std::to_string(key.fallback)) == "0";
                               (w.form.*(isFirst ? first : second)).SetChecked(true);
                             },
                             [](SettingsWalk& w, const SettingKey& key) {
                               if ((w.form.*first).Checked())
                                 w.ini.WriteString(key.section, key.name, "0");
                               if ((w.form.*second).Checked())
                                 w.ini.WriteString(key.section, key.name, "1");
                             }};

// One of the options the main window keeps for the "Make passphrases" box. A number beyond the
// box's range counts as its nearest end, as the box's spinners take it; a text that is no number,
// a separator longer than the box takes and a missing key leave the default.
template <auto field, int min = 0, int max = 0>
constexpr SettingKind Phrase{
    [](SettingsWalk& w, const SettingKey& key) {
      auto& value = w.form.PassphraseOptions.*field;
      using T = std::decay_t<decltype(value)>;
      if constexpr (std::is_same_v<T, bool>) {
        value = w.ini.ReadBool(key.section, key.name, value);
      } else if constexpr (std::is_same_v<T, std::string>) {
        const std::string text = w.ini.ReadString(key.section, key.name, value);
        if (text.size() <= kMaxSeparatorLength) value = text;
      } else {
        const int32_t read = IniTextToInt(w.ini.ReadString(key.section, key.name, ""), INT32_MIN);
        if (read != INT32_MIN) value = std::clamp<int32_t>(read, min, max);
      }
    },
    [](SettingsWalk& w, const SettingKey& key) {
      const auto& value = w.form.PassphraseOptions.*field;
      using T = std::decay_t<decltype(value)>;
      if constexpr (std::is_same_v<T, bool>)
        w.ini.WriteBool(key.section, key.name, value);
      else if constexpr (std::is_same_v<T, std::string>)
        w.ini.WriteString(key.section, key.name, OneLine(value));
      else
        w.ini.WriteInteger(key.section, key.name, value);
    }};

using F = TSDIAppForm;
using P = PassphraseRequest;

// Every key of the settings file, in the file's order; LoadSettings reads them in this order too.
// An option is one row.
const SettingKey kSettingKeys[] = {
    {kForm, "Top", &Bound<0>, kOwn},
    {kForm, "Left", &Bound<1>, kOwn},
    {kForm, "Width", &Bound<2>, kOwn},
    {kForm, "Height", &Bound<3>, kOwn},
    {kSettings, "NumChars", &Preset<&F::LengthGroup>, kOwn},
    {kSettings, "NumCharsCustom", &Spin<&F::UpDown1>, kOwn},
    {kSettings, "UseLowerCase", &Bool<&F::CheckBox1>, kOwn},
    {kSettings, "UseUpperCase", &Bool<&F::CheckBox2>, kOwn},
    {kSettings, "UseNumbers", &Bool<&F::CheckBox3>, kOwn},
    {kSettings, "UseSpecial", &Bool<&F::CheckBox4>, kOwn},
    {kSettings, "NoSimilar", &Bool<&F::CheckBox5>, kOwn},
    {kSettings, "Custom", &Bool<&F::CheckBox7>, kOwn},
    {kSettings, "CustomMemo", &Text<&F::Memo2>, kOwn},
    {kSettings, "ClearOnExit", &Bool<&F::CheckBox8>, kOwn},
    {kSettings, "ColorScheme", &Integer<&F::CheckedScheme, &F::SetScheme>, 0},
    {kSettings, "NumPasswords", &Preset<&F::CountGroup>, kOwn},
    {kSettings, "NumPasswordsCustom", &Spin<&F::UpDown2>, kOwn},
    {kSettings, "FormatString", &Choice<&F::RadioButton17, &F::RadioButton21>, 0},
    // The group size's first-run value is 0, not the design 4.
    {kSettings, "FormatStringCustom", &Spin<&F::UpDown3>, 0},
    {kSettings, "AutoCopy", &Bool<&F::CheckBox6>, kOwn},
    // The Options menu's own options, after every older key: a file without them loads them off.
    {kSettings, "AtLeastOneOfEach", &Bool<&F::mniAtLeastOneOfEach>, kOwn},
    {kSettings, "LeaveOut", &String<&F::LeaveOutCharacters>, kOwn},
    // Seconds; any value but those of the menu's items means "Never".
    {kSettings, "ClearClipboardAfter",
     &Integer<&F::ClearClipboardSeconds, &F::SetClearClipboardSeconds>, 0},
    {kSettings, "PassphraseWords", &Phrase<&P::Words, kMinPassphraseWords, kMaxPassphraseWords>, 0},
    {kSettings, "PassphraseSeparator", &Phrase<&P::Separator>, 0},
    {kSettings, "PassphraseCapitalize", &Phrase<&P::Capitalize>, 0},
    {kSettings, "PassphraseDigit", &Phrase<&P::AddDigit>, 0},
    {kSettings, "PassphraseCount", &Phrase<&P::Count, 1, 1000>, 0},
};

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
  SettingsWalk walk{ini, *this, BoundsOf(BoundsRect())};
  for (const SettingKey& key : kSettingKeys) key.kind->load(walk, key);
}

void TSDIAppForm::SaveSettings() {
  for (TUpDown* spinner : {&UpDown1, &UpDown2}) spinner->ClampToRange();  // stored as shown
  TIniFile ini(SettingsFileName());
  SettingsWalk walk{ini, *this, BoundsOf(SavedBounds(Handle))};
  for (const SettingKey& key : kSettingKeys) key.kind->save(walk, key);
}
