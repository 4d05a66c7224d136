// The main window's options that are wired the same way, one row each: the character check boxes
// (control, request field), the Options menu's check items (menu item, caption, request field),
// the colour schemes (menu item, caption, colour, click handler) and the clipboard clearing times
// (menu item, caption, seconds). Generate and the menu walk these tables; the settings file's keys
// are the table in Settings.cpp.
#pragma once
#include "generator/PasswordGenerator.h"
#include "ui/Main.h"

struct CharacterOption {
  TCheckBox TSDIAppForm::*box;
  bool PasswordRequest::*field;
};

inline constexpr CharacterOption kCharacterOptions[] = {
    {&TSDIAppForm::CheckBox1, &PasswordRequest::UseLowercase},
    {&TSDIAppForm::CheckBox2, &PasswordRequest::UseUppercase},
    {&TSDIAppForm::CheckBox3, &PasswordRequest::UseDigits},
    {&TSDIAppForm::CheckBox4, &PasswordRequest::UseSpecial},
    {&TSDIAppForm::CheckBox5, &PasswordRequest::ExcludeSimilar},
    {&TSDIAppForm::CheckBox7, &PasswordRequest::UseCustom},
};

// Checked and unchecked by a click, in this order below the colour schemes.
struct OptionItem {
  TMenuItem TSDIAppForm::*item;
  const char* caption;
  bool PasswordRequest::*field;
};

inline constexpr OptionItem kOptionItems[] = {
    {&TSDIAppForm::mniAtLeastOneOfEach, "At least one of each chosen set",
     &PasswordRequest::AtLeastOneOfEach},
};

struct ColorScheme {
  TMenuItem TSDIAppForm::*item;
  const char* caption;
  TColor color;
  void (TSDIAppForm::*click)();  // what a click on the item calls
};

// A scheme's number (its "ColorScheme" value in the settings file) is its place here.
inline constexpr ColorScheme kColorSchemes[] = {
    // Default follows the system's appearance settings.
    {&TSDIAppForm::mniDefault, "Default", clBtnFace, &TSDIAppForm::mniDefaultClick},
    {&TSDIAppForm::mniWhite, "White", 0x00FFFFFF, &TSDIAppForm::mniWhiteClick},
    {&TSDIAppForm::mniGray, "Gray", 0x00808080, &TSDIAppForm::mniGrayClick},
    // Red 255, green 255, blue 204.
    {&TSDIAppForm::mniYellow, "Yellow", 0x00CCFFFF, &TSDIAppForm::mniYellowClick},
    // Red 221, green 237, blue 255.
    {&TSDIAppForm::mniBlue, "Blue", 0x00FFEDDD, &TSDIAppForm::mniBlueClick},
};

struct ClearClipboardTime {
  TMenuItem TSDIAppForm::*item;
  const char* caption;
  int seconds;  // also the "ClearClipboardAfter" value in the settings file
};

inline constexpr ClearClipboardTime kClearClipboardTimes[] = {
    {&TSDIAppForm::mniClearNever, "Never", 0},     {&TSDIAppForm::mniClear10s, "10 seconds", 10},
    {&TSDIAppForm::mniClear30s, "30 seconds", 30}, {&TSDIAppForm::mniClear1m, "1 minute", 60},
    {&TSDIAppForm::mniClear5m, "5 minutes", 300},
};
