// Colour schemes: the Options > Color scheme items colour the options panel and the window. The
// checked menu item is the current scheme; nothing else remembers it.
#include "ui/Options.h"

namespace {
constexpr int kSchemeCount = sizeof kColorSchemes / sizeof kColorSchemes[0];
}  // namespace

void TSDIAppForm::AddSchemeItems() {
  for (int scheme = 0; scheme < kSchemeCount; ++scheme) {
    TMenuItem& item = this->*kColorSchemes[scheme].item;
    item.Caption = kColorSchemes[scheme].caption;
    item.RadioItem = true;
    item.GroupIndex = 1;
    item.OnClick = [this, click = kColorSchemes[scheme].click] { (this->*click)(); };
    Colorscheme1.Items.push_back(&item);
  }
  mniDefault.SetChecked(true);
}

void TSDIAppForm::SetScheme(int scheme) {
  // A number from a hand-edited settings file may be anything; only known schemes change the
  // window.
  if (scheme < 0 || scheme >= kSchemeCount) return;
  (this->*kColorSchemes[scheme].item).SetChecked(true);
  // Group boxes, check boxes and radio buttons take the panel's colour; text fields, the list, the
  // status bar and push buttons keep their own.
  Panel1.SetColor(kColorSchemes[scheme].color);
  SetColor(kColorSchemes[scheme].color);
}

int TSDIAppForm::CheckedScheme() const {
  for (int scheme = 0; scheme < kSchemeCount; ++scheme)
    if ((this->*kColorSchemes[scheme].item).Checked()) return scheme;
  return 0;
}

int TSDIAppForm::SchemeOf(const TMenuItem& item) const {
  for (int scheme = 0; scheme < kSchemeCount; ++scheme)
    if (&(this->*kColorSchemes[scheme].item) == &item) return scheme;
  return 0;
}

void TSDIAppForm::mniDefaultClick() { SetScheme(SchemeOf(mniDefault)); }
void TSDIAppForm::mniWhiteClick() { SetScheme(SchemeOf(mniWhite)); }
void TSDIAppForm::mniGrayClick() { SetScheme(SchemeOf(mniGray)); }
void TSDIAppForm::mniYellowClick() { SetScheme(SchemeOf(mniYellow)); }
void TSDIAppForm::mniBlueClick() { SetScheme(SchemeOf(mniBlue)); }
