// The value of a preset group as Generate reads it.
#include "ui/PresetGroup.h"

#include <cstdint>
#include <string>

int TPresetGroup::Value() const {
  int value = Default;
  for (const TRadioButton* preset : Presets)
    if (preset->Checked()) value = std::stoi(preset->Text());
  if (Custom->Checked()) value = static_cast<int16_t>(Spinner->Position());
  return value;
}
