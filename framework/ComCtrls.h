// Image lists, the tool bar and the status bar.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/Actions.h"

// An image list of pictures `size` pixels square at 96 DPI, filled from the horizontal strip of
// 32-bit images (BITMAP resource `family` + pixel size) drawn for the scaling nearest below `dpi`:
// pictures are drawn at 100, 125, 150, 175 and 200 %, never stretched.
HIMAGELIST LoadImageStrip(const char* family, int size, int dpi);
// Fills the list again with the strip for another DPI; the handle stays, so its users keep it.
void ReloadImageStrip(HIMAGELIST list, const char* family, int size, int dpi);

// Sizes are stated at 96 DPI and scaled by the DPI handed over.
// The tool bar's buttons start this far below its top, under its etched top edge.
constexpr int kToolBarEdge = 2;
class TToolBar {
 public:
  struct Button {
    TAction* action;  // nullptr: a separator
    int separatorWidth = 8;
    bool shownEnabled = true;  // as last set: asking the tool bar costs more than remembering
  };
  // Flat, transparent tool bar across the top of the parent, `height` high with an etched edge at
  // its top and bottom, with image-only buttons bound to actions; tool tips show the short part of
  // the action's hint.
  void Create(HWND parent, HIMAGELIST images, SIZE button, int height,
              const std::vector<Button>& buttons, HFONT font, int dpi);
  void SetDpi(int dpi);
  // Spans the parent's client width.
  void FitWidth();
  // Enables each button as its action is.
  void UpdateEnabled();
  // The action of the button under a point in the tool bar's client coordinates.
  TAction* ActionAt(POINT clientPoint) const;
  // Answers the tool bar's tip requests and paints its edges; nothing for other notifications.
  std::optional<LRESULT> HandleNotify(NMHDR& header);
  int Height() const;
  HWND Handle = nullptr;

 private:
  std::vector<Button> buttons_;
  HIMAGELIST images_ = nullptr;
  std::string tip_;
  SIZE button_{};
  int height_ = 0, dpi_ = 96;
};

class TStatusBar {
 public:
  // A simple-text bar `height` high (stated at 96 DPI), at the bottom of the parent.
  void Create(HWND parent, int height, HFONT font, int dpi);
  void SetDpi(int dpi);
  // Spans the bottom of the parent's client area.
  void Fit();
  void SetSimpleText(const std::string& text);
  HWND Handle = nullptr;

 private:
  std::string text_;
  int height_ = 0, dpi_ = 96;
};
