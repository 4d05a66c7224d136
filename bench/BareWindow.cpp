// The yardsticks of the start-up benchmark: a bare window, linked statically as the program is,
// that loads the same common controls and rich-text control before it shows, and ends when closed.
// Built a second time with the program's manifest and TALLOWMERE_FLOOR_CONTROLS, it also makes the
// main window's child controls (kinds, nesting and font; no menu, tool bar, settings or
// registration): the least that a window like the program's costs on this system.
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

namespace {

#ifdef TALLOWMERE_FLOOR_CONTROLS
HWND Child(const char* className, DWORD style, HWND parent, int top, HFONT font) {
  HWND child = CreateWindowExA(0, className, "Text", WS_CHILD | WS_VISIBLE | style, 8, top, 113, 17,
                               parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// The options panel: two buttons, two check boxes and four group boxes holding 8 + 8 + 2 radio
// buttons, six check boxes and a custom-set field, and three fields with spinners; then the list.
void MakeControls(HWND window) {
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, 0, 0, 0,
                           0, "MS Sans Serif");
  HWND panel = Child("STATIC", 0, window, 46, font);
  MoveWindow(panel, 0, 46, 760, 339, FALSE);
  for (DWORD style : {BS_PUSHBUTTON, BS_PUSHBUTTON, BS_AUTOCHECKBOX, BS_AUTOCHECKBOX})
    Child("BUTTON", style, panel, 248, font);
  const int radios[4] = {8, 0, 8, 2};
  for (int group = 0; group < 4; ++group) {
    HWND box = Child("BUTTON", BS_GROUPBOX, panel, 8, font);
    MoveWindow(box, 8 + 150 * group, 8, 140, 225, FALSE);
    for (int i = 0; i < radios[group]; ++i)
      Child("BUTTON", BS_AUTORADIOBUTTON, box, 14 + 24 * i, font);
    if (group == 1) {
      for (int i = 0; i < 6; ++i) Child("BUTTON", BS_AUTOCHECKBOX, box, 16 + 24 * i, font);
      Child("EDIT", ES_MULTILINE, box, 160, font);
    } else {
      HWND field = Child("EDIT", ES_AUTOHSCROLL, box, 186, font);
      HWND spinner = Child(UPDOWN_CLASSA, UDS_SETBUDDYINT, box, 186, font);
      SendMessageA(spinner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field), 0);
    }
  }
  Child("EDIT", ES_MULTILINE | WS_VSCROLL, window, 385, font);
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  LoadLibraryA("riched20.dll");
  WNDCLASSA wc{};
  wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(w, m, wp, lp);
  };
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "TBareWindow";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, "TBareWindow", "Bare", WS_OVERLAPPEDWINDOW, 326, 160, 768, 600,
                                nullptr, nullptr, instance, nullptr);
#ifdef TALLOWMERE_FLOOR_CONTROLS
  MakeControls(window);
#endif
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
