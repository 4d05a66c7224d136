// A control that shows an icon centred in its box.
#pragma once
#include <windows.h>

#include "framework/Controls.h"

// Set Icon before its table row is created; the control keeps its size and the icon is drawn
// centred in it.
class TImage : public TControl {
 public:
  HICON Icon = nullptr;

 protected:
  WindowKind Kind(const TControl&) const override;
  void Created(const ControlDef&) override;
};
