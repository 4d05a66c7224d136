// Wrappers for the standard controls. A form describes its controls as a table of ControlDef rows;
// each row creates one control of a kind at a position relative to its parent.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/Owned.h"

// Colours in the platform layout (0x00BBGGRR); a value with high byte 0xFF names a system colour.
using TColor = DWORD;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clNone = 0x1FFFFFFF;
COLORREF ColorToRGB(TColor color);

struct ControlDef;

// What every control kind shares: its window, its parent in the form's table, a hint for the status
// bar, a click handler and a background colour. Each kind below says how its window is made.
class TControl {
 public:
  TControl() = default;
  virtual ~TControl() = default;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  HWND Handle = nullptr;
  TControl* Parent = nullptr;
  std::string Hint;
  std::function<void()> OnClick;
  // An edit field's text has changed (typed or set); it has lost the keyboard focus.
  std::function<void()> OnChange, OnExit;
  // Background for containers, text colour for labels; clNone takes the parent's.
  TColor Color = clNone;

  // Creates the window of one table row as a child of the row's parent; raises the system's error
  // text when the window cannot be made.
  void Create(const ControlDef& def, HFONT font, int id);
  // The controls made in this one so far, in creation order: the framework keeps the list itself,
  // since asking the system for a window's siblings and properties costs a round trip each.
  const std::vector<TControl*>& Children() const { return children_; }

  std::string Text() const;
  void SetText(const std::string& text);
  void SetFocus();
  void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const;  // relative to the parent
  // The colour this control's background shows: its own, or the nearest parent's.
  TColor EffectiveColor() const;
  HBRUSH BackgroundBrush();
  void SetColor(TColor color);

  // Whether the parent paints this control in the parent's colour; push buttons keep the system's.
  virtual bool TakesParentColor() const { return true; }
  // The text colour the parent gives it.
  virtual COLORREF TextColor() const;

  static TControl* FromHandle(HWND handle);

 protected:
  struct WindowKind {
    const char* className;
    DWORD style;  // beyond WS_CHILD (and WS_VISIBLE)
    DWORD exStyle;
    bool visible = true;
  };
  // The kind's window class and styles; parent holds the siblings created before it.
  virtual WindowKind Kind(const TControl& parent) const = 0;
  // Runs once the window exists.
  virtual void Created(const ControlDef&) {}

 private:
  std::vector<TControl*> children_;
  GdiObject<HBRUSH> brush_;  // made on first use, remade when the colour changes
  TColor brushColor_ = clNone;
};

// The answer to a parent's WM_CTLCOLORSTATIC or WM_CTLCOLORBTN for a child: the parent's colour
// behind the child's text, or nothing for a child that keeps the system's look.
std::optional<LRESULT> ColorChild(TControl& parent, UINT msg, WPARAM wParam, LPARAM lParam);

// Containers: their children take their colour, and their notifications go on to the form.
class TPanel : public TControl {
 protected:
  WindowKind Kind(const TControl&) const override;
  void Created(const ControlDef&) override;
};

class TGroupBox : public TControl {
 protected:
  WindowKind Kind(const TControl&) const override;
  void Created(const ControlDef&) override;
};

class TButton : public TControl {
 public:
  bool TakesParentColor() const override { return false; }

 protected:
  WindowKind Kind(const TControl&) const override;
};

// A check box or a radio button: a box the user checks.
class TCheckable : public TControl {
 public:
  bool Checked() const;
  virtual void SetChecked(bool checked);

 protected:
  void Created(const ControlDef& def) override;
};

// Check boxes side by side form one group, in which the arrow keys move.
class TCheckBox : public TCheckable {
 protected:
  WindowKind Kind(const TControl& parent) const override;
};

// Radio buttons of one parent exclude each other; the first starts the group.
class TRadioButton : public TCheckable {
 public:
  // Checking one unchecks the other radio buttons of the same parent.
  void SetChecked(bool checked) override;

 protected:
  WindowKind Kind(const TControl& parent) const override;
};

class TEdit : public TControl {
 protected:
  WindowKind Kind(const TControl&) const override;
  void Created(const ControlDef&) override;
};

// A multi-line field: Enter makes a new line, Tab and Esc stay with the keyboard navigation.
class TMemo : public TControl {
 protected:
  WindowKind Kind(const TControl&) const override;
  void Created(const ControlDef&) override;
};

// A rich-text field that is never shown (the print buffer).
class TRichEdit : public TControl {
 protected:
  WindowKind Kind(const TControl&) const override;
  void Created(const ControlDef&) override;
};

// Static text; its Color, when set, is its text colour.
class TLabel : public TControl {
 public:
  COLORREF TextColor() const override;

 protected:
  WindowKind Kind(const TControl&) const override;
};

// Spinner attached to an edit field. A position outside its range (handed over by the settings
// file) is shown in the field as it is, and counts for as long as the field still shows it: the
// control itself can hold only positions within the range. With KeepInRange the value never
// leaves the range (see ClampToRange).
class TUpDown : public TControl {
 public:
  TEdit* Associate = nullptr;
  int Min = 0, Max = 100, Initial = 0;
  // Set before the control is made.
  bool KeepInRange = false;
  // Re-reads the edit field: a whole number within range becomes the position; other text leaves
  // the position the control last had. With KeepInRange a number beyond the range counts as the
  // end it passed (the field is left as typed).
  int Position();
  // With KeepInRange, a position beyond the range becomes the end it passed.
  void SetPosition(int position);
  // The rule for a value held to its range, applied as the field loses the focus (with
  // KeepInRange) and to be called wherever the value is used or stored: text above Max becomes
  // Max, below Min becomes Min, any other text the last valid position; the field is rewritten
  // to show that value, which is answered.
  int ClampToRange();

 protected:
  WindowKind Kind(const TControl&) const override;
  void Created(const ControlDef&) override;

 private:
  std::optional<int> outside_;
};

// One row of a form's control table: the control (its type is its kind), its parent, caption and
// place.
struct ControlDef {
  TControl* control;
  TControl* parent;  // nullptr: the form itself
  const char* caption;
  int left, top, width, height;
  bool checked = false;
  DWORD extraStyle = 0;  // window styles beyond the kind's own (a scroll bar, say)
};

// Registers a window class of ours; a class registered already is fine, any other failure raises
// the system's error text.
void RegisterWindowClass(const WNDCLASSA& wc);
