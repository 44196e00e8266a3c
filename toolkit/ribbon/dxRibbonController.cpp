#include "dxRibbonController.h"

#include "Forms.h"
#include "dxBarControl.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"
#include "dxRibbonApplicationMenu.h"
#include "dxRibbonServices.h"

CALDERAN_IMPLEMENT_CLASS(TdxRibbonController, TObject)

namespace {
bool IsScrollKind(TdxRibbonHitKind kind) { return kind >= rhtTabScrollLeft && kind <= rhtGroupScrollRight; }
bool IsButtonKind(TdxRibbonHitKind kind) { return kind >= rhtHelpButton && kind <= rhtMDICloseButton; }

// The system command of an MDI button, sent to the active MDI child of the application's main form.
void SendToActiveMDIChild(TdxRibbonHitKind kind) {
  static constexpr WPARAM commands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (!main || !main->HandleAllocated()) return;
  HWND client = FindWindowExA(main->Handle(), nullptr, "MDICLIENT", nullptr);
  HWND child = client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
  if (child) SendMessageW(child, WM_SYSCOMMAND, commands[kind - rhtMDIMinimizeButton], 0);
}
}  // namespace

TdxRibbonController::TdxRibbonController(TdxCustomRibbon* ribbon) : ribbon_(ribbon) {
  scrollTimer_ = new TTimer(nullptr);
  scrollTimer_->SetEnabled(false);
  scrollTimer_->SetOnTimer(MakeEvent(this, &TdxRibbonController::ScrollTimerHandler));
  scrollTimer_->SetEnabled(false);
}

TdxRibbonController::~TdxRibbonController() { delete scrollTimer_; }

// ---------------------------------------------------------------------------------------------
// Hints

bool TdxRibbonController::IsHintKind(TdxRibbonHitKind kind) {
  return kind == rhtTab || kind == rhtApplicationMenu || IsButtonKind(kind);
}

bool TdxRibbonController::HasHint(TdxRibbonHitKind kind) const {
  if (!IsHintKind(kind)) return false;
  switch (kind) {
    case rhtTab:
      return hintObject_ && ribbon_->ViewInfo()->TabsViewInfo()->IsCompressed();
    case rhtApplicationMenu:
      return !ribbon_->ApplicationButton()->ScreenTipText().empty() && !ribbon_->IsApplicationMenuOpen();
    case rhtHelpButton:
      return !ribbon_->HelpButtonScreenTipText().empty();
    default:
      return true;
  }
}

bool TdxRibbonController::GetHintText(std::string& text, std::string& shortcutText) const {
  text.clear();
  shortcutText.clear();
  if (!HasHint(hintPart_)) return false;
  switch (hintPart_) {
    case rhtTab:
      text = static_cast<TdxRibbonTab*>(hintObject_)->Caption();
      break;
    case rhtApplicationMenu:
      text = ribbon_->ApplicationButton()->ScreenTipText();
      break;
    case rhtHelpButton:
      text = ribbon_->HelpButtonScreenTipText();
      break;
    case rhtMDIMinimizeButton:
      text = LoadToolkitString(sdxBarRibbonMinimizeWindow);
      break;
    case rhtMDIRestoreButton:
      text = LoadToolkitString(sdxBarRibbonRestoreWindow);
      break;
    default:
      text = LoadToolkitString(sdxBarRibbonCloseWindow);
  }
  return true;
}

TPoint TdxRibbonController::GetHintPosition(const TPoint& cursor, int hintHeight) const {
  if (hintPart_ != rhtApplicationMenu || !ribbon_->HandleAllocated()) return TPoint(cursor.X, cursor.Y + 20);
  const TRect& button = ribbon_->ViewInfo()->ApplicationButtonBounds();
  const TPoint below = ribbon_->ClientToScreen(TPoint(button.Left, button.Bottom));
  const TRect workArea = GetWindowWorkArea(ribbon_->Handle());
  if (workArea.Bottom - below.Y >= hintHeight) return below;
  return TPoint(below.X, ribbon_->ClientToScreen(TPoint(0, 0)).Y - hintHeight);
}

void TdxRibbonController::UpdateHint(const TdxRibbonHitInfo& hit) {
  if (ribbon_->IsLocked() || !ribbon_->BarManager()) return;
  if (hit.Kind == hintPart_ && hit.Tab == hintObject_) return;
  const TdxRibbonHitKind old = hintPart_;
  hintPart_ = hit.Kind;
  hintObject_ = hit.Tab;
  std::string text, shortcut;
  if (IsHintKind(hintPart_)) {
    GetHintText(text, shortcut);
    ribbon_->BarManager()->UpdateHint(!text.empty(), text, this);
  } else if (IsHintKind(old)) {
    HideHint();
  }
}

void TdxRibbonController::HideHint() {
  if (ribbon_->BarManager()) ribbon_->BarManager()->HideHint();
}

void TdxRibbonController::Reset() {
  hintPart_ = rhtNone;
  hintObject_ = nullptr;
  HideHint();
}

// ---------------------------------------------------------------------------------------------
// Parts

void TdxRibbonController::InvalidatePart(TdxRibbonHitKind kind) {
  if (!ribbon_->HandleAllocated()) return;
  TdxRibbonViewInfo* viewInfo = ribbon_->ViewInfo();
  if (IsScrollKind(kind)) {
    viewInfo->TabsViewInfo()->Invalidate();
    ribbon_->GroupsDockControlSite()->Invalidate();
  } else if (kind == rhtHelpButton) {
    ribbon_->InvalidateRect(viewInfo->HelpButtonBounds(), false);
  } else if (IsButtonKind(kind)) {
    ribbon_->InvalidateRect(viewInfo->MDIButtonBounds(kind - rhtMDIMinimizeButton), false);
  }
}

void TdxRibbonController::SetHotPart(TdxRibbonHitKind kind) {
  if (kind == hotPart_) return;
  const TdxRibbonHitKind old = hotPart_;
  hotPart_ = kind;
  InvalidatePart(old);
  InvalidatePart(kind);
  // Leaving the button for another part takes its hot look away (the move that entered it has
  // just made it hot).
  if (kind != rhtApplicationMenu && ribbon_->ViewInfo()->IsApplicationButtonVisible() &&
      !ribbon_->IsApplicationMenuOpen())
    ribbon_->SetApplicationButtonState(0);
}

void TdxRibbonController::SetPressedPart(TdxRibbonHitKind kind) {
  if (kind == pressedPart_) return;
  const TdxRibbonHitKind old = pressedPart_;
  pressedPart_ = kind;
  InvalidatePart(old);
  InvalidatePart(kind);
  if (kind > rhtApplicationMenu && ribbon_->HandleAllocated()) SetCapture(ribbon_->Handle());
}

TdxRibbonHitInfo TdxRibbonController::HitTestCursor() const {
  if (!ribbon_->HandleAllocated()) return {};
  POINT cursor;
  GetCursorPos(&cursor);
  const TPoint p = ribbon_->ScreenToClient(TPoint(cursor.x, cursor.y));
  return ribbon_->ViewInfo()->HitTest(p.X, p.Y);
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TdxRibbonController::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  HideHint();
  if (ribbon_->IsApplicationMenuOpen()) ribbon_->CloseApplicationMenu();
  const TdxRibbonHitInfo hit = ribbon_->ViewInfo()->HitTest(x, y);
  const bool doubleClick = shift.Contains(ssDouble);
  switch (hit.Kind) {
    case rhtTab:
      if (ribbon_->IsDesigning() || !doubleClick) TabClick(hit.Tab, button, shift);
      else if (hit.Tab == ribbon_->ActiveTab()) ribbon_->SetShowTabGroups(!ribbon_->ShowTabGroups());
      else TabClick(hit.Tab, button, shift);
      break;
    case rhtApplicationMenu:
      if (button != mbLeft) break;
      if (doubleClick) {
        if (TCustomForm* form = GetParentForm(ribbon_)) form->Close();
        return;
      }
      if (ribbon_->ShowApplicationMenu()) return;
      break;
    case rhtTabScrollLeft:
    case rhtTabScrollRight:
    case rhtGroupScrollLeft:
    case rhtGroupScrollRight:
      if (button == mbLeft) StartScrolling(hit.Kind);
      break;
    default:
      if (button == mbRight && ribbon_->ViewInfo()->TabsViewInfo()->Bounds().Contains(TPoint(x, y)))
        ribbon_->ShowCustomizePopup();
  }
  if (button == mbLeft) SetPressedPart(hit.Kind);
}

void TdxRibbonController::TabClick(TdxRibbonTab* tab, TMouseButton button, TShiftState shift) {
  if (ribbon_->IsDesigning()) {
    if (ribbon_->BarManager()) ribbon_->SetActiveTab(tab);
    return;
  }
  if (button == mbLeft) {
    ribbon_->SetActiveTab(tab);
    if (!shift.Contains(ssDouble) && !ribbon_->ShowTabGroups()) ribbon_->ShowTabGroupsPopup();
  } else if (button == mbRight) {
    ribbon_->ShowCustomizePopup();
  }
}

void TdxRibbonController::TrackApplicationButton(const TdxRibbonHitInfo& hit) {
  if (!ribbon_->ViewInfo()->IsApplicationButtonVisible()) return;
  if (ribbon_->ApplicationButtonPressed() || ribbon_->IsApplicationMenuOpen()) ribbon_->SetApplicationButtonState(2);
  else ribbon_->SetApplicationButtonState(hit.Kind == rhtApplicationMenu ? 1 : 0);
}

bool TdxRibbonController::IsTrackingBlocked(const TPoint&) const {
  if (!ribbon_->BarManager() || ribbon_->IsDesigning() || scrollingPart_ != rhtNone) return true;
  TCustomForm* form = GetParentForm(ribbon_);
  HWND active = GetActiveWindow();
  const bool formActive = form && form->HandleAllocated() && active == form->Handle();
  if (!formActive && !ribbon_->IsTabGroupsPopupShown()) return true;
  return IsBarMenuModeActive();
}

void TdxRibbonController::MouseMove(TShiftState, int x, int y) {
  const TdxRibbonHitInfo hit = ribbon_->ViewInfo()->HitTest(x, y);
  TrackApplicationButton(hit);
  if (IsTrackingBlocked(TPoint(x, y))) return;
  ribbon_->SetHotTab(hit.Kind == rhtTab ? hit.Tab : nullptr);
  SetHotPart(hit.Kind);
  UpdateHint(hit);
}

void TdxRibbonController::MouseUp(TMouseButton button, TShiftState, int x, int y) {
  StopScrolling();
  if (button != mbLeft) return;
  if (ribbon_->HandleAllocated() && GetCapture() == ribbon_->Handle()) ReleaseCapture();
  if (ribbon_->ViewInfo()->IsApplicationButtonVisible()) ribbon_->SetApplicationButtonPressed(false);
  const TdxRibbonHitKind released = ribbon_->ViewInfo()->HitTest(x, y).Kind;
  if (released == pressedPart_) {
    if (released == rhtHelpButton) ribbon_->DoHelpButtonClick();
    else if (IsButtonKind(released)) SendToActiveMDIChild(released);
  }
  SetPressedPart(rhtNone);
}

void TdxRibbonController::MouseLeave() {
  if (IsHintKind(hintPart_)) Reset();
  ribbon_->SetHotTab(nullptr);
  SetHotPart(rhtNone);
}

void TdxRibbonController::CancelMode() {
  ribbon_->SetHotTab(nullptr);
  StopScrolling();
  Reset();
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void TdxRibbonController::StartScrolling(TdxRibbonHitKind kind) {
  scrollingPart_ = kind;
  scrollTimer_->SetInterval(dxRibbonScrollFirstDelay);
  ScrollStep(kind, true);
  scrollTimer_->SetEnabled(true);
}

void TdxRibbonController::StopScrolling() {
  if (scrollingPart_ == rhtNone && !scrollTimer_->Enabled()) return;
  const TdxRibbonHitKind old = scrollingPart_;
  scrollingPart_ = rhtNone;
  InvalidatePart(old);
  scrollTimer_->SetEnabled(false);
}

void TdxRibbonController::ScrollTimerHandler(TObject*) {
  scrollTimer_->SetInterval(dxRibbonScrollRepeatInterval);
  if (scrollingPart_ != rhtNone && HitTestCursor().Kind == scrollingPart_) ScrollStep(scrollingPart_, false);
}

void TdxRibbonController::ScrollStep(TdxRibbonHitKind kind, bool first) {
  Reset();
  TdxRibbonTabsViewInfo* tabs = ribbon_->ViewInfo()->TabsViewInfo();
  const int step = first ? dxRibbonTabScrollFirstStep : dxRibbonTabScrollRepeatStep;
  switch (kind) {
    case rhtTabScrollLeft:
      tabs->SetScrollOffset(tabs->ScrollOffset() - step);
      break;
    case rhtTabScrollRight:
      tabs->SetScrollOffset(tabs->ScrollOffset() + step);
      break;
    default:
      if (TdxRibbonTab* tab = ribbon_->ActiveTab()) tab->ScrollGroups(kind == rhtGroupScrollRight);
      ribbon_->GroupsDockControlSite()->Invalidate();
  }
}

// ---------------------------------------------------------------------------------------------
// Wheel and keys

bool TdxRibbonController::CanSwitchTabsByWheel() const {
  return ribbon_->AreRibbonTabGroupsVisible() && !ribbon_->IsTabGroupsPopupShown() && !IsBarMenuModeActive();
}

bool TdxRibbonController::ActivateNeighbourTab(bool next) {
  if (!CanSwitchTabsByWheel()) return false;
  TdxRibbonTabsViewInfo* tabs = ribbon_->ViewInfo()->TabsViewInfo();
  const int count = tabs->Count();
  if (count == 0) return false;
  int index = -1;
  for (int i = 0; i < count; ++i)
    if (tabs->Items(i)->Tab() == ribbon_->ActiveTab()) index = i;
  int target;
  if (index < 0) target = next ? 0 : count - 1;
  else target = next ? index + 1 : index - 1;
  if (target < 0 || target >= count) return false;
  TdxRibbonTab* tab = tabs->Items(target)->Tab();
  ribbon_->SetActiveTab(tab);
  return ribbon_->ActiveTab() == tab;
}

bool TdxRibbonController::MouseWheelDown(TShiftState, const TPoint&) { return ActivateNeighbourTab(true); }
bool TdxRibbonController::MouseWheelUp(TShiftState, const TPoint&) { return ActivateNeighbourTab(false); }

void TdxRibbonController::KeyDown(Word&, TShiftState) { HideHint(); }
void TdxRibbonController::KeyPress(char&) {}
void TdxRibbonController::KeyUp(Word&, TShiftState) {}
