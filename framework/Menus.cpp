// The main menu.
#include "framework/Menus.h"

void TMenuItem::SetChecked(bool checked) {
  if (checked && RadioItem && parent_) {
    for (TMenuItem* sibling : parent_->Items)
      if (sibling != this && sibling->RadioItem && sibling->GroupIndex == GroupIndex)
        sibling->SetChecked(false);
  }
  checked_ = checked;
  if (!owner_) return;
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE;
  GetMenuItemInfoA(owner_, Id, FALSE, &mii);
  if (RadioItem) mii.fType |= MFT_RADIOCHECK;
  mii.fState = (mii.fState & ~MFS_CHECKED) | (checked ? MFS_CHECKED : 0);
  SetMenuItemInfoA(owner_, Id, FALSE, &mii);
}

HMENU TMainMenu::Build(const std::vector<TMenuItem*>& topLevel, HIMAGELIST images) {
  images_ = images;
  Handle = CreateMenu();
  for (TMenuItem* item : topLevel) {
    item->parent_ = nullptr;
    item->Id = nextId_++;
    all_.push_back(item);
    AppendMenuA(Handle, MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(BuildPopup(item->Items, item)), item->Caption.c_str());
  }
  popups_.push_back({Handle, topLevel});
  return Handle;
}

HMENU TMainMenu::BuildPopup(const std::vector<TMenuItem*>& items, TMenuItem* parent) {
  HMENU menu = CreatePopupMenu();
  for (TMenuItem* item : items) {
    item->parent_ = parent;
    item->owner_ = menu;
    item->Id = item->Action ? item->Action->Id : nextId_++;
    all_.push_back(item);
    if (item->Action) {
      item->Caption = item->Action->Caption;
      item->Hint = item->Action->Hint;
      item->ImageIndex = item->Action->ImageIndex;
    }
    if (item->IsSeparator()) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::string caption = item->Caption;
    if (item->Action && item->Action->ShortCut)
      caption += "\t" + ShortCutText(item->Action->ShortCut);
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
    mii.fType = MFT_STRING | (item->RadioItem ? MFT_RADIOCHECK : 0);
    mii.fState = item->Checked() ? MFS_CHECKED : 0;
    mii.wID = item->Id;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    mii.dwTypeData = caption.data();
    if (!item->Items.empty()) {
      mii.fMask |= MIIM_SUBMENU;
      mii.hSubMenu = BuildPopup(item->Items, item);
    }
    if (item->ImageIndex >= 0 && images_) {
      mii.fMask |= MIIM_BITMAP;
      mii.hbmpItem = HBMMENU_CALLBACK;  // drawn from the image list in DrawItem
    }
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &mii);
  }
  popups_.push_back({menu, items});
  return menu;
}

TMenuItem* TMainMenu::FindById(UINT id) const {
  for (TMenuItem* item : all_)
    if (item->Id == id && !item->IsSeparator()) return item;
  return nullptr;
}

std::string TMainMenu::HintFor(WPARAM wParam, LPARAM lParam) const {
  const UINT flags = HIWORD(wParam);
  const UINT idOrIndex = LOWORD(wParam);
  if (flags == 0xFFFF && lParam == 0) return "";  // the menu closed
  if (flags & MF_POPUP) {
    for (const auto& popup : popups_) {
      if (popup.first != reinterpret_cast<HMENU>(lParam)) continue;
      // Separators are items of the menu too, so the index maps straight onto our list.
      if (idOrIndex < popup.second.size()) return LongHint(popup.second[idOrIndex]->Hint);
    }
    return "";
  }
  TMenuItem* item = FindById(idOrIndex);
  return item ? LongHint(item->Hint) : "";
}

void TMainMenu::UpdateEnabled() {
  for (TMenuItem* item : all_) {
    if (!item->Action || !item->owner_) continue;
    EnableMenuItem(item->owner_, item->Id,
                   MF_BYCOMMAND | (item->Action->Enabled ? MF_ENABLED : MF_GRAYED));
  }
}

bool TMainMenu::MeasureItem(MEASUREITEMSTRUCT& mis) const {
  if (mis.CtlType != ODT_MENU) return false;
  int cx = 16, cy = 16;
  if (images_) ImageList_GetIconSize(images_, &cx, &cy);
  mis.itemWidth = static_cast<UINT>(cx);
  mis.itemHeight = static_cast<UINT>(cy);
  return true;
}

bool TMainMenu::DrawItem(const DRAWITEMSTRUCT& dis) const {
  if (dis.CtlType != ODT_MENU || !images_) return false;
  auto* item = reinterpret_cast<TMenuItem*>(dis.itemData);
  if (!item || item->ImageIndex < 0) return false;
  const bool enabled = !(dis.itemState & ODS_GRAYED);
  ImageList_DrawEx(images_, item->ImageIndex, dis.hDC, dis.rcItem.left, dis.rcItem.top, 0, 0,
                   CLR_NONE, CLR_NONE, enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
  return true;
}
