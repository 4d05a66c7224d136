// Image lists, the tool bar and the status bar.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Actions.h"

// An image list filled from a horizontal strip of 32-bit images (a BITMAP resource).
HIMAGELIST LoadImageStrip(const char* resourceName, int size);

class TToolBar {
 public:
  struct Button {
    TAction* action;  // nullptr: a separator
    int separatorWidth = 8;
  };
  // Flat, transparent tool bar at the top of the parent with image-only buttons bound to actions;
  // tool tips show the short part of the action's hint.
  void Create(HWND parent, HIMAGELIST images, int buttonWidth, int buttonHeight,
              const std::vector<Button>& buttons, HFONT font);
  void UpdateEnabled();
  // The action of the button under a point in the tool bar's client coordinates.
  TAction* ActionAt(POINT clientPoint) const;
  // Answers TTN_GETDISPINFO for the tool bar's tips; false for other notifications.
  bool HandleNotify(NMHDR& header);
  int Height() const;
  HWND Handle = nullptr;

 private:
  std::vector<Button> buttons_;
  std::string tip_;
};

class TStatusBar {
 public:
  void Create(HWND parent, int height);
  void SetSimpleText(const std::string& text);
  std::string SimpleText() const { return text_; }
  HWND Handle = nullptr;

 private:
  std::string text_;
};
