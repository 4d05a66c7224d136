// The icon control; see IconControl.h.
#include "framework/IconControl.h"

TControl::WindowKind TImage::Kind(const TControl&) const {
  // SS_CENTERIMAGE keeps the box's size; a bare SS_ICON would shrink it to the icon.
  return {"STATIC", SS_ICON | SS_CENTERIMAGE, 0};
}

void TImage::Created(const ControlDef&) {
  SendMessageA(Handle, STM_SETICON, reinterpret_cast<WPARAM>(Icon), 0);
}
