#include "dxBarButtonControl.h"

#include "Controls.h"
#include "Menus.h"
#include "dxBarButtons.h"
#include "dxBarControl.h"
#include "dxBarItemRegistry.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarRoutines.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarButtonLikeControl, TdxBarItemControl)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarButtonControl, TdxBarButtonLikeControl, TdxBarItemLink*)

namespace {
// One pending open and one pending close for the whole process; each thread timer fires once.
struct TPendingDropDown {
  TdxBarButtonLikeControl* Control = nullptr;
  UINT_PTR Timer = 0;
};
TPendingDropDown pendingOpen, pendingClose;

void CancelPending(TPendingDropDown& pending) {
  KillTimerVar(nullptr, pending.Timer);
  pending.Control = nullptr;
}

void CALLBACK DropDownOpenTimerProc(HWND, UINT, UINT_PTR, DWORD) { GuardedCall([] { DropDownOpenTimerExpired(); }); }
void CALLBACK DropDownCloseTimerProc(HWND, UINT, UINT_PTR, DWORD) { GuardedCall([] { DropDownCloseTimerExpired(); }); }

void Schedule(TPendingDropDown& pending, TdxBarButtonLikeControl* control, TIMERPROC proc) {
  CancelPending(pending);
  pending.Control = control;
  pending.Timer = SetTimer(nullptr, 0, dxBarDropDownDelay, proc);
}

bool IsToolbarWindow(TCustomdxBarControl* bar) { return bar && bar->Is<TdxBarControl>(); }
}  // namespace

TdxBarButtonLikeControl* PendingDropDownOpenControl() { return pendingOpen.Control; }
TdxBarButtonLikeControl* PendingDropDownCloseControl() { return pendingClose.Control; }

void DropDownOpenTimerExpired() {
  TdxBarButtonLikeControl* control = pendingOpen.Control;
  CancelPending(pendingOpen);
  if (control) control->ControlActivate(true);
}

void DropDownCloseTimerExpired() {
  TdxBarButtonLikeControl* control = pendingClose.Control;
  CancelPending(pendingClose);
  if (control) control->ControlInactivate(true);
}

// ---------------------------------------------------------------------------------------------
// Button-like controls.

TdxBarButtonLikeControl::~TdxBarButtonLikeControl() { CancelPendingTimers(); }

void TdxBarButtonLikeControl::CancelPendingTimers() {
  if (pendingOpen.Control == this) CancelPending(pendingOpen);
  if (pendingClose.Control == this) CancelPending(pendingClose);
}

int TdxBarButtonLikeControl::GetArrowWidth() const {
  if (GetPaintType() == ptMenu && Parent()) return Parent()->MenuArrowHeight() * 2;
  return BarManager() ? Painter()->GetButtonArrowWidth(BarManager()) : 11;
}

bool TdxBarButtonLikeControl::CanDropDown() const {
  return GetEnabled() || (BarManager() && BarManager()->IsBarManagerDesigning());
}

void TdxBarButtonLikeControl::SetDowned(bool) {
  if (Parent()) Parent()->SetDowned(true);
}

bool TdxBarButtonLikeControl::IsDropDownKey(Word key) const {
  if (!HasDropDown()) return false;
  if (GetPaintType() == ptMenu) return key == VK_RIGHT;
  return key == VK_UP || key == VK_DOWN;
}

void TdxBarButtonLikeControl::KeyDown(Word& key, TShiftState shift) {
  TdxBarItemControl::KeyDown(key, shift);
  if (IsDropDownKey(key)) SetDowned(false);
}

// In a toolbar the drop-down opens only while the user presses along the bar; in a menu window
// the mouse schedules it after the delay.
void TdxBarButtonLikeControl::ControlActivate(bool immediate) {
  if (IsDroppedDown()) return CancelPendingTimers();
  TdxBarItemControl::ControlActivate(immediate);
  if (!HasDropDown() || !CanDropDown()) return;
  TCustomdxBarControl* bar = Parent();
  const bool customizing = bar && bar->IsCustomizing();
  if (IsToolbarWindow(bar)) {
    if (!customizing && !bar->Downed()) return;
    immediate = true;
  }
  if (immediate || customizing) {
    if (pendingClose.Control && pendingClose.Control != this) {
      TdxBarButtonLikeControl* other = pendingClose.Control;
      CancelPending(pendingClose);
      other->ControlInactivate(true);
    }
    DropDown(true);
    return;
  }
  if (pendingClose.Control == this) CancelPending(pendingClose);
  Schedule(pendingOpen, this, DropDownOpenTimerProc);
}

void TdxBarButtonLikeControl::ControlInactivate(bool immediate) {
  TCustomdxBarControl* bar = Parent();
  if (IsToolbarWindow(bar)) immediate = true;
  if (immediate || !bar || bar->ComponentState().Contains(csDestroying) || bar->IsCustomizing()) {
    TdxBarItemControl::ControlInactivate(immediate);
    CloseUp(true);
    return;
  }
  if (pendingOpen.Control == this) CancelPending(pendingOpen);
  if (IsDroppedDown()) Schedule(pendingClose, this, DropDownCloseTimerProc);
}

void TdxBarButtonLikeControl::CloseUp(bool hideMenu) {
  CancelPendingTimers();
  if (hideMenu)
    if (TCustomdxBarControl* menu = GetDropDownMenuControl()) menu->HideWindow();
  Repaint();
}

void TdxBarButtonLikeControl::CalcDrawParams(bool full) {
  TdxBarItemControl::CalcDrawParams(full);
  drawParams_.IsButton = true;
  drawParams_.ArrowSize = {GetArrowWidth(), Parent() ? Parent()->MenuArrowHeight() : 4};
}

void TdxBarButtonLikeControl::Draw(const TRect& rect, int) { Painter()->DrawButton(drawParams_, rect); }

// ---------------------------------------------------------------------------------------------
// Buttons.

TdxBarButtonControl::~TdxBarButtonControl() {
  if (droppedDown_) CloseUp(true);
}

TdxBarButton* TdxBarButtonControl::Button() const { return ObjectAs<TdxBarButton>(Item()); }

bool TdxBarButtonControl::HasDropDown() const {
  TdxBarButton* button = Button();
  return button && button->HasDropDownPart();
}

bool TdxBarButtonControl::IsDroppedDown() const { return droppedDown_ && GetDropDownMenuControl(); }

bool TdxBarButtonControl::IsDrawSelected() const {
  return (IsSelected() && !(Parent() && Parent()->IsCustomizing())) || Clicking();
}

bool TdxBarButtonControl::IsPressed() const {
  TdxBarButton* button = Button();
  const bool checkable = button && button->IsCheckable();
  return (IsDrawSelected() && Parent() && Parent()->Active() && IsPressedByMouse() && HotPartIndex() == 0) ||
         (Clicking() && !checkable);
}

bool TdxBarButtonControl::ClosesMenusOnClick() const {
  if (IsToolbarWindow(Parent())) return true;
  TdxBarButton* button = Button();
  return !button || button->CloseSubMenuOnClick();
}

bool TdxBarButtonControl::IsInQuickPopup() const { return !droppedDown_ && Parent() && Parent()->GetKind() == 1; }

// The drop-down menu's open window.
TCustomdxBarControl* TdxBarButtonControl::GetDropDownMenuControl() const {
  TdxBarButton* button = Button();
  TdxBarItemLinks* links = button ? button->GetOwnItemLinks() : nullptr;
  return links ? links->BarControl() : nullptr;
}

void TdxBarButtonControl::SetDowned(bool byMouse) {
  TdxBarButtonLikeControl::SetDowned(byMouse);
  DropDown(byMouse);
}

void TdxBarButtonControl::PaintStyleChanged() {
  if (Parent()) Parent()->RepaintBar();
}

uint16_t TdxBarButtonControl::GetShortCut() const { return Item() ? Item()->ShortCut() : 0; }

TdxBarPaintStyle TdxBarButtonControl::GetButtonPaintStyle() const {
  TdxBarPaintStyle style = Link() ? Link()->GetPaintStyle() : (Item() ? Item()->PaintStyle() : psStandard);
  if (style == psStandard && IsToolbarWindow(Parent())) style = AdjustToolbarPaintStyle();
  return style;
}

// A standard button in a toolbar without a glyph at its size shows its caption.
TdxBarPaintStyle TdxBarButtonControl::AdjustToolbarPaintStyle() const {
  return HasGlyphForSize(GetViewSize()) ? psStandard : psCaption;
}

int TdxBarButtonControl::GetViewStructure() const {
  if (ViewInfo()->ViewLevel() == ivlSmallIcon) return cvsGlyph;
  return TdxBarButtonLikeControl::GetViewStructure();
}

int TdxBarButtonControl::GetDefaultViewStructure() const {
  const bool inMenu = GetPaintType() == ptMenu;
  const bool glyph = HasGlyphForSize(GetViewSize());
  switch (GetButtonPaintStyle()) {
    case psStandard: return inMenu ? cvsGlyph | cvsCaption : glyph ? cvsGlyph : cvsCaption;
    case psCaption: return cvsCaption;
    case psCaptionInMenu: return inMenu ? cvsCaption : cvsGlyph;
    default: return cvsGlyph | cvsCaption;
  }
}

namespace {
// A lowered button's sunken frame, on both sides.
int LoweredExtra(TdxBarButtonControl* control) {
  TdxBarButton* button = control->Button();
  return button && button->Lowered() ? 2 * control->Painter()->GetButtonArrowExtra(control) : 0;
}
}  // namespace

// Outside menus a drop-down button is wider by its caption offset and its arrow.
int TdxBarButtonControl::GetWidth() {
  int width = TdxBarButtonLikeControl::GetWidth();
  if (HasDropDown() && GetPaintType() != ptMenu) width += GetArrowWidth();
  return width + LoweredExtra(this);
}

int TdxBarButtonControl::GetHeight() { return TdxBarButtonLikeControl::GetHeight() + LoweredExtra(this); }

int TdxBarButtonControl::GetSmallHeight() {
  int height = TdxBarButtonLikeControl::GetSmallHeight();
  if (DrawParams().ViewStructure & cvsCaption) height = std::max(height, DrawParams().GlyphAreaSize.cy);
  return height;
}

void TdxBarButtonControl::CalcDrawParams(bool full) {
  TdxBarButtonLikeControl::CalcDrawParams(full);
  if (!full) return;
  TdxBarButton* button = Button();
  drawParams_.ShortCut = GetShortCut() ? ShortCutToText(GetShortCut()) : std::string();
  drawParams_.Pressed = IsPressed();
  drawParams_.Down = button && button->Down();
  drawParams_.DroppedDown = IsDroppedDown();
  drawParams_.DropDownEnabled = !button || button->DropDownEnabled();
  drawParams_.SunkenFrame = button && button->Lowered();
  drawParams_.GreyScale = DrawsGlyphGrayScale();
}

void TdxBarButtonControl::CalcParts() {
  TdxBarButtonLikeControl::CalcParts();
  if (!HasDropDown()) return;
  CalcDrawParams(false);
  drawParams_.DropDown = true;
  Painter()->CalcButtonParts(drawParams_, GetItemRect(), Parts()[0], Parts()[1]);
}

// A press on the arrow part opens the drop-down at once.
void TdxBarButtonControl::ControlClick(bool byMouse, Word key) {
  TdxBarButtonLikeControl::ControlClick(byMouse, key);
  TCustomdxBarControl* bar = Parent();
  if (IsToolbarWindow(bar) && !bar->Downed()) return;
  if (byMouse && HasDropDown() && HotPartIndex() == 1) ControlActivate(true);
  else if (IsToolbarWindow(bar) || HasDropDown()) Repaint();
}

// A release on the arrow does not click; a check-style button toggles Down before the item runs.
void TdxBarButtonControl::DoClick(bool byMouse) {
  if (byMouse && HasDropDown() && HotPartIndex() != 0) return;
  TdxBarButton* button = Button();
  if (button && button->IsCheckable()) button->SetDown(!button->Down());
  TcxObjectLinkGuard alive(this);
  ControlInactivate(true);
  if (alive.Alive()) TdxBarButtonLikeControl::DoClick(byMouse);
}

void TdxBarButtonControl::ControlUnclick(bool byMouse) {
  TCustomdxBarControl* bar = Parent();
  const bool openAndPressed = bar && bar->Downed() && IsDroppedDown();
  if (byMouse && openAndPressed && HotPartIndex() == 0) {
    if (bar->GetBehaviourFlags() & bbfDeactivateIfFocused && bar->IsFocusedBar()) bar->Deactivate();
    bar->ActivateWithControl(this);
    return;
  }
  if (!byMouse) return TdxBarButtonLikeControl::ControlUnclick(byMouse);
  if (openAndPressed && bar->IsFocusedBar() && (bar->GetBehaviourFlags() & bbfDeactivateIfFocused)) bar->Deactivate();
}

void TdxBarButtonControl::DropDown(bool byMouse) {
  TdxBarButton* button = Button();
  if (droppedDown_ || !GetEnabled() || !button || !button->DropDownEnabled() || !button->DropDownMenu()) return;
  droppedDown_ = true;
  TCustomdxBarControl* bar = Parent();
  bar->ItemControlSelected(this);
  Repaint();
  const TRect rect = GetItemRect();
  TPoint anchor = bar->GetKind() == 2 || bar->IsVertical() ? TPoint(rect.Right, rect.Top) : TPoint(rect.Left, rect.Bottom);
  anchor = bar->ClientToScreen(anchor);
  TcxObjectLinkGuard alive(this);
  button->DropDown(this, anchor.X, anchor.Y, byMouse);
  if (alive.Alive()) Repaint();
}

void TdxBarButtonControl::CloseUp(bool hideMenu) {
  if (hideMenu) droppedDown_ = false;
  TdxBarButtonLikeControl::CloseUp(hideMenu);
}

// ---------------------------------------------------------------------------------------------
// The item kinds these controls show.

namespace {
void RegisterButtonControls() { RegisterBarItemClass(TdxBarButton::StaticClass(), TdxBarButtonControl::StaticClass(), true); }
void UnregisterButtonControls() { UnregisterBarItemClass(TdxBarButton::StaticClass()); }
}  // namespace

const TUnitInfo dxBarButtonControlUnit{"dxBarButtonControl", RegisterButtonControls, UnregisterButtonControls};
