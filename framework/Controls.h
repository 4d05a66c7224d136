// Wrappers for the standard controls. A form describes its controls as a table of ControlDef rows;
// each row creates one control of a kind at a position relative to its parent.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "framework/GdiObject.h"

// Colours in the platform layout (0x00BBGGRR); a value with high byte 0xFF names a system colour.
using TColor = DWORD;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clNone = 0x1FFFFFFF;
COLORREF ColorToRGB(TColor color);

enum class ControlKind {
  Panel,
  GroupBox,
  CheckBox,
  RadioButton,
  Button,
  Edit,
  UpDown,
  Memo,
  RichEdit,
  Label,
};

class TControl {
 public:
  virtual ~TControl() = default;
  HWND Handle = nullptr;
  TControl* Parent = nullptr;
  ControlKind Kind = ControlKind::Label;
  std::string Hint;
  std::function<void()> OnClick;
  // Background for containers; clNone takes the parent's.
  TColor Color = clNone;

  std::string Text() const;
  void SetText(const std::string& text);
  bool Checked() const;
  // For a radio button, checking it unchecks the other radio buttons of the same parent.
  void SetChecked(bool checked);
  void SetFocus();
  void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const;  // relative to the parent
  // The colour this control's background shows: its own, or the nearest parent's.
  TColor EffectiveColor() const;
  HBRUSH BackgroundBrush();
  void SetColor(TColor color);

  static TControl* FromHandle(HWND handle);

 private:
  GdiObject<HBRUSH> brush_;  // made on first use, remade when the colour changes
  TColor brushColor_ = clNone;
};

// Spinner attached to an edit field. Keeps a position of its own so that a value outside its range
// (handed over by the settings file) survives; the edit field shows it.
class TUpDown : public TControl {
 public:
  TControl* Associate = nullptr;
  int Min = 0, Max = 100, Initial = 0;
  // Re-reads the edit field: a whole number within range becomes the position, other text keeps
  // the position the control last had.
  int Position();
  void SetPosition(int position);

 private:
  int position_ = 0;
};

struct ControlDef {
  TControl* control;
  ControlKind kind;
  TControl* parent;  // nullptr: the form itself
  const char* caption;
  int left, top, width, height;
  bool checked = false;
  DWORD extraStyle = 0;  // window styles beyond the kind's own (a scroll bar, say)
};

// Creates the control of one table row as a child of parentHandle; raises the system's error
// text when the window cannot be made.
void CreateControl(ControlDef& def, HWND parentHandle, HFONT font, int id);

// Registers a window class of ours; a class registered already is fine, any other failure raises
// the system's error text.
void RegisterWindowClass(const WNDCLASSA& wc);
