// The icon control; see IconControl.h.
#include "framework/IconControl.h"

#include "framework/SystemError.h"

void CreateIconControl(TControl& control, TControl& parent, HICON icon, int left, int top,
                       int width, int height) {
  control.Kind = ControlKind::Label;
  control.Parent = &parent;
  // SS_CENTERIMAGE keeps the box's size; a bare SS_ICON would shrink it to the icon.
  control.Handle =
      CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ICON | SS_CENTERIMAGE, left, top,
                      width, height, parent.Handle, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!control.Handle) RaiseLastOSError();
  SendMessageA(control.Handle, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}
