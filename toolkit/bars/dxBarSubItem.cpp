#include "dxBarSubItem.h"

#include "dxBarControl.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"

CALDERAN_IMPLEMENT_CLASS(TCustomdxBarSubItem, TdxBarItem)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarSubItem, TCustomdxBarSubItem, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarSubItemControl, TdxBarButtonLikeControl, TdxBarItemLink*)

// ---------------------------------------------------------------------------------------------
// The item.

TCustomdxBarSubItem::TCustomdxBarSubItem(TComponent* owner)
    : TdxBarItem(owner), itemLinks_(new TdxBarSubMenuControlItemLinks(BarManager(), this)) {
  SetShowCaption(true);
}

TCustomdxBarSubItem::~TCustomdxBarSubItem() {
  Destroying();
  if (TCustomdxBarControl* menu = itemLinks_->BarControl()) menu->HideWindow();
  delete itemLinks_;
}

void TCustomdxBarSubItem::SetBarSize(int value) { barSize_ = value < 0 ? 0 : value; }

void TCustomdxBarSubItem::Popup() {
  if (OnPopup) OnPopup(this);
}

void TCustomdxBarSubItem::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

bool TCustomdxBarSubItem::CanContainItem(TdxBarItem* item, std::string& text) {
  text.clear();
  if (!item->CanBePlacedOn(1, this, text)) return false;
  TdxBarItemLinks* nested = item->GetOwnItemLinks();
  if (item == this || (nested && nested->ContainsLinksOwner(this))) {
    text = "You cannot create recursive menus";
    return false;
  }
  return true;
}

TCustomdxBarControl* TCustomdxBarSubItem::CreateBarControl() { return new TdxBarSubMenuControl(nullptr, BarManager()); }

void TCustomdxBarSubItem::DoPaintBar(TCanvas* canvas, const TRect& rect) {
  if (OnPaintBar) OnPaintBar(this, canvas, rect);
}

// ---------------------------------------------------------------------------------------------
// The control.

TdxBarSubItemControl::~TdxBarSubItemControl() {
  // The menu no longer counts this control as its opener.
  TdxBarButtonLikeControl::ControlInactivate(true);
}

TCustomdxBarSubItem* TdxBarSubItemControl::SubItem() const { return ObjectAs<TCustomdxBarSubItem>(Item()); }

TCustomdxBarControl* TdxBarSubItemControl::GetDropDownMenuControl() const {
  TCustomdxBarSubItem* item = SubItem();
  return item ? item->ItemLinks()->BarControl() : nullptr;
}

bool TdxBarSubItemControl::IsDroppedDown() const {
  auto* menu = ObjectAs<TdxBarSubMenuControl>(GetDropDownMenuControl());
  return menu && Active() && menu->SubItemControl() == this;
}

bool TdxBarSubItemControl::IsInMainMenu() const { return Parent() && Parent()->IsMainMenu(); }

bool TdxBarSubItemControl::IsDropDownKey(Word key) const {
  return TdxBarButtonLikeControl::IsDropDownKey(key) || key == VK_RETURN;
}

int TdxBarSubItemControl::GetDefaultViewStructure() const {
  int structure = 0;
  TCustomdxBarSubItem* item = SubItem();
  if ((item && item->ShowCaption()) || GetPaintType() == ptMenu) structure |= cvsCaption;
  if (HasGlyphForSize(GetViewSize()) || structure == 0) structure |= cvsGlyph;
  return structure;
}

int TdxBarSubItemControl::GetCaptionAreaWidth() {
  int width = TdxBarButtonLikeControl::GetCaptionAreaWidth();
  Painter()->AdjustButtonWidth(this, width);
  return width;
}

void TdxBarSubItemControl::ControlActivate(bool immediate) {
  if (CanOpenSubMenu()) TdxBarButtonLikeControl::ControlActivate(immediate);
}

void TdxBarSubItemControl::ControlInactivate(bool immediate) {
  if (CanOpenSubMenu()) TdxBarButtonLikeControl::ControlInactivate(immediate);
}

void TdxBarSubItemControl::CalcDrawParams(bool full) {
  TdxBarButtonLikeControl::CalcDrawParams(full);
  drawParams_.IsButton = false;
  drawParams_.DropDown = true;
  if (!full) return;
  drawParams_.DroppedDown = IsDroppedDown();
  drawParams_.Pressed = IsDroppedDown() && IsPressedByMouse() && HotPartIndex() != -1;
}

// A second click leaves the menu open except in the standard style or while customizing.
void TdxBarSubItemControl::ControlClick(bool byMouse, Word key) {
  TdxBarButtonLikeControl::ControlClick(byMouse, key);
  TCustomdxBarControl* bar = Parent();
  if (IsDroppedDown()) {
    const bool standard = BarManager() && BarManager()->GetEffectiveStyle() == bmsStandard;
    if ((bar && bar->IsCustomizing()) || standard) ControlInactivate(true);
    return;
  }
  TcxObjectLinkGuard alive(this);
  ControlActivate(true);
  if (!alive.Alive() || byMouse) return;
  auto* menu = ObjectAs<TdxBarSubMenuControl>(GetDropDownMenuControl());
  if (!menu || !menu->SelectsFirstItemByKey() || !menu->ItemLinks()) return;
  if (TdxBarItemLink* first = menu->ItemLinks()->FirstSelectableLink(); first && first->Control())
    menu->SetSelectedItemControl(first->Control());
}

void TdxBarSubItemControl::SetDowned(bool byMouse) {
  TdxBarButtonLikeControl::SetDowned(byMouse);
  Click(byMouse);
}

void TdxBarSubItemControl::DropDown(bool byMouse) {
  TCustomdxBarSubItem* item = SubItem();
  if (!item || IsDroppedDown()) return;
  TcxObjectLinkGuard alive(this);
  item->Popup();
  if (alive.Alive()) item->Click();
  if (!alive.Alive()) return;
  TdxBarSubMenuControl* menu = CreateSubMenuControl();
  if (!menu) return;
  menu->SetSubItemControl(this);
  SetOpenedByMouse(OpenedByMouse() || byMouse);
  ShowSubMenu(menu);
}

TdxBarSubMenuControl* TdxBarSubItemControl::CreateSubMenuControl() {
  TCustomdxBarSubItem* item = SubItem();
  return item ? ObjectAs<TdxBarSubMenuControl>(item->ItemLinks()->CreateBarControl()) : nullptr;
}

void TdxBarSubItemControl::ShowSubMenu(TdxBarSubMenuControl* menu) {
  TCustomdxBarControl* bar = Parent();
  TPoint point;
  int ownerWidth = 0, ownerHeight = 0;
  GetSubMenuPosition(point, ownerWidth, ownerHeight);
  menu->SetOwnerWidth(ownerWidth);
  menu->SetOwnerHeight(ownerHeight);
  const TRect item = GetItemRect();
  menu->SetOwnerBounds(TRect(bar->ClientToScreen(item.TopLeft()), bar->ClientToScreen(item.BottomRight())));
  menu->SetLeft(point.X);
  menu->SetTop(point.Y);
  bar->SetChildBar(menu);
  if (bar->GetKind() != 2) Repaint();
  menu->SetShowAnimation(OpenedByMouse());
  SetOpenedByMouse(false);
  TcxObjectLinkGuard alive(this);
  menu->Show();
  if (alive.Alive()) Repaint();
}

// Beside the item inside a menu (its top less the menu border) or a vertical bar; below it on a
// horizontal bar.
void TdxBarSubItemControl::GetSubMenuPosition(TPoint& point, int& ownerWidth, int& ownerHeight) const {
  ownerWidth = ownerHeight = 0;
  TCustomdxBarControl* bar = Parent();
  const TRect rect = GetItemRect();
  if (bar->GetKind() == 2) {
    point = TPoint(rect.Right, rect.Top - bar->GetPainter()->GetMenuBorderSize(bar));
    ownerWidth = rect.Width();
  } else if (bar->IsVertical()) {
    point = TPoint(rect.Right, rect.Top);
    ownerWidth = rect.Width();
  } else {
    point = TPoint(rect.Left, rect.Bottom);
    ownerHeight = rect.Height();
  }
  point = bar->ClientToScreen(point);
}

void TdxBarSubItemControl::CloseUp(bool hideMenu) {
  auto* menu = ObjectAs<TdxBarSubMenuControl>(GetDropDownMenuControl());
  if (hideMenu && menu && menu->SubItemControl() == this) menu->SetSubItemControl(nullptr);
  TcxObjectLinkGuard alive(this);
  TdxBarButtonLikeControl::CloseUp(hideMenu);
  if (alive.Alive() && hideMenu && SubItem()) SubItem()->CloseUp();
}

// ---------------------------------------------------------------------------------------------

namespace {
void RegisterSubItemControls() {
  RegisterBarItemClass(TdxBarSubItem::StaticClass(), TdxBarSubItemControl::StaticClass(), true);
  RegisterClass(TdxBarSubItem::StaticClass());
}
void UnregisterSubItemControls() { UnregisterBarItemClass(TdxBarSubItem::StaticClass()); }
}  // namespace

const TUnitInfo dxBarSubItemUnit{"dxBarSubItem", RegisterSubItemControls, UnregisterSubItemControls};
