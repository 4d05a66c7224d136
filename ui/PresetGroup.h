// A group of numeric presets with a "Custom" button that takes a spinner's value: the main window's
// password length and count. Generate and the settings file walk one list of presets.
#pragma once
#include <vector>

#include "framework/Controls.h"

struct TPresetGroup {
  // Radio buttons whose captions are their values, in the order Generate tests them. The buttons
  // exclude each other, so at most one is checked and the settings file may walk them in this
  // order too.
  std::vector<TRadioButton*> Presets;
  TRadioButton* Custom = nullptr;  // "Custom": the value is the spinner's
  TUpDown* Spinner = nullptr;      // its Associate is the edit field that shows the custom value
  int Default = 0;  // the value when nothing is checked; its text is the settings key's default

  // The checked preset's caption read as a decimal integer, or the spinner's position as a 16-bit
  // signed value when "Custom" is checked, or Default when nothing is.
  int Value() const;
};
