// Forms: a top-level window whose controls come from a table, with the common wiring of commands,
// shortcuts, hints, colours, idle updates and the close handling.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/Actions.h"
#include "framework/ComCtrls.h"
#include "framework/Controls.h"
#include "framework/Owned.h"
#include "framework/Menus.h"

enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TForm {
 public:
  explicit TForm(const char* className);
  virtual ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  // Creates the window (not yet shown) and its controls, then runs FormCreate; an error there is
  // shown and ends FormCreate, but the window is still created. A window or control the system
  // cannot make raises its error text.
  void Create();
  void Show(int showCommand = SW_SHOWNORMAL);
  void Hide();
  // Asks the form to close, as the frame's close button does.
  void Close();
  // Shows the form with every other form disabled until it closes; returns its ModalResult.
  int ShowModal();
  // Moves and sizes the window in screen pixels, as given.
  void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const;
  // Bounds read from the settings: used as given when the window is large enough to use and its
  // title bar is on a monitor; otherwise the design size on the nearest monitor's work area.
  void SetBoundsOnScreen(int left, int top, int width, int height);
  // The smallest outer size the user can drag the window to; 0 x 0 when the form sets none.
  SIZE MinTrackSize();
  void SetColor(TColor color);

  HWND Handle = nullptr;
  std::string Caption;
  // Stated at 96 DPI, like every position, size and font height of a form; the window scales them
  // by its DPI.
  int Left = 0, Top = 0, Width = 400, Height = 300;
  int Dpi = 96;                // the window's, from Create on
  bool UseClientSize = false;  // Width/Height give the client area instead of the outer size
  bool DialogFrame = false;
  bool CenterOnFirstShow = false;  // the first Show centres the window on the screen
  int ModalResultValue = mrNone;
  TColor Color = clBtnFace;
  HFONT Font = nullptr;
  TControl* FirstFocus = nullptr;
  TPanel Client;  // stands for the form as parent of its top-level controls (never created)

  TActionList* Actions = nullptr;
  TMainMenu* Menu = nullptr;
  TToolBar* ToolBar = nullptr;
  TStatusBar* StatusBar = nullptr;

  // The form's part in the message loop, registered by Create.
  void IdleUpdate();
  bool PreTranslate(MSG& msg);

 protected:
  virtual void CreateControls() = 0;
  virtual void FormCreate() {}
  // Runs when the form is asked to close; an error keeps it open.
  virtual void FormClose() {}
  // The session ends (a logoff, a shut-down, or the system closing programs to update them):
  // the process may end as soon as this returns, and nobody can answer a box. Errors are dropped.
  virtual void SessionEnding() {}
  virtual void Resize() {}
  // After the fonts, the table's controls and the bars have been made for a new DPI.
  virtual void DpiChanged() {}
  // A timer of the form's window (SetTimer on Handle) is due; runs inside Guard.
  virtual void TimerFired(UINT_PTR) {}
  // What the status bar shows while there is no hint to show; kept up to date when idle.
  virtual std::string IdleHint() { return ""; }
  // A length stated at 96 DPI, at the window's DPI.
  int Scaled(int length) const;
  // The smallest client area at which the form stays usable; 0 x 0 for no limit.
  virtual SIZE MinClientSize() { return {0, 0}; }
  void CreateTable(const std::vector<ControlDef>& table);
  // One row made after the others, e.g. a control that waits for its first use.
  void CreateControl(ControlDef def);
  // A font for the form's controls, `points` high at the window's DPI; the form owns it, makes it
  // again when the DPI changes and deletes it after its window.
  HFONT CreateUiFont(const char* face, int points, BYTE charset, bool bold = false,
                     bool underline = false);
  // The image list of a strip family at the window's DPI (see ::LoadImageStrip); the form owns it,
  // fills it again for a new DPI and destroys it after its window.
  HIMAGELIST LoadImageStrip(const char* family, int size);
  void ShowHint(const std::string& hint);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Message handlers (Forms.cpp); nullopt leaves a message to the system's default processing.
  std::optional<LRESULT> OnCommand(WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> OnNotify(NMHDR& header);
  std::optional<LRESULT> OnEraseBackground(HDC dc);
  std::optional<LRESULT> OnGetMinMaxInfo(MINMAXINFO& info);
  std::optional<LRESULT> OnSize();
  std::optional<LRESULT> OnDpiChanged(int dpi, const RECT& suggested);
  std::optional<LRESULT> OnNextDlgCtl(WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> OnUpdateUiState(WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> OnMenuSelect(WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> OnMeasureItem(MEASUREITEMSTRUCT& item);
  std::optional<LRESULT> OnDrawItem(DRAWITEMSTRUCT& item);
  std::optional<LRESULT> OnActivate(WORD state);
  std::optional<LRESULT> OnTimer(UINT_PTR id);
  std::optional<LRESULT> OnClose();
  std::optional<LRESULT> OnEndSession(bool ending);
  std::optional<LRESULT> OnDestroy();
  void HandleCommand(WPARAM wParam, LPARAM lParam);
  void UpdateHintAt(HWND target, POINT screenPoint);
  bool PressFocusedButton();
  SIZE OuterSize(int clientWidth, int clientHeight) const;
  SIZE DesignSize(bool withMenu) const;
  void SetIcons();
  ControlDef ScaledRow(ControlDef def) const;
  struct FontDescription {
    std::string face;
    int points;
    BYTE charset;
    bool bold, underline;
    HFONT Make(int dpi) const;
  };
  struct OwnedFont {
    FontDescription description;
    GdiObject<HFONT> font;
  };
  std::string className_;
  int nextControlId_ = 100;
  bool shownOnce_ = false;
  bool hintShown_ = false;  // the status bar shows a hint (or a menu is open) rather than IdleHint
  HWND lastFocus_ = nullptr;
  std::vector<OwnedFont> fonts_;
  std::vector<ControlDef> layout_;  // the table as stated, for a change of DPI
  struct OwnedImages {
    ImageList list;
    const char* family;
    int size;
  };
  std::vector<OwnedImages> imageLists_;
};
