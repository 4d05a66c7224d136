// A control that shows an icon centred in its box (the form tables have no picture kind).
#pragma once
#include <windows.h>

#include "framework/Controls.h"

// Creates `control` as a child of `parent` at the given place showing `icon`; the control keeps its
// size and the icon is drawn centred in it.
void CreateIconControl(TControl& control, TControl& parent, HICON icon, int left, int top,
                       int width, int height);
