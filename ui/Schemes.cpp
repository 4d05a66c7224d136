// Colour schemes: the Options > Color scheme items colour the options panel and the window. The
// checked menu item is the current scheme; nothing else remembers it.
#include "ui/Main.h"

namespace {
constexpr TColor kSchemeColors[] = {
    clBtnFace,   // 0 Default: follows the system's appearance settings
    0x00FFFFFF,  // 1 White
    0x00808080,  // 2 Gray
    0x00CCFFFF,  // 3 Yellow: red 255, green 255, blue 204
    0x00FFEDDD,  // 4 Blue: red 221, green 237, blue 255
};
constexpr int kSchemeCount = sizeof kSchemeColors / sizeof kSchemeColors[0];
}  // namespace

void TSDIAppForm::SetScheme(int scheme) {
  // A number from a hand-edited settings file may be anything; only known schemes change the
  // window.
  if (scheme < 0 || scheme >= kSchemeCount) return;
  TMenuItem* const items[kSchemeCount] = {&mniDefault, &mniWhite, &mniGray, &mniYellow, &mniBlue};
  items[scheme]->SetChecked(true);
  // Group boxes, check boxes and radio buttons take the panel's colour; text fields, the list, the
  // status bar and push buttons keep their own.
  Panel1.SetColor(kSchemeColors[scheme]);
  SetColor(kSchemeColors[scheme]);
}

void TSDIAppForm::mniDefaultClick() { SetScheme(0); }
void TSDIAppForm::mniWhiteClick() { SetScheme(1); }
void TSDIAppForm::mniGrayClick() { SetScheme(2); }
void TSDIAppForm::mniYellowClick() { SetScheme(3); }
void TSDIAppForm::mniBlueClick() { SetScheme(4); }
