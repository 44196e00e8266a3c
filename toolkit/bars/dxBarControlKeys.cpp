// Bar windows: the active chain, activation, closing and keyboard routing; the toolbar window's
// own rules.
#include "Forms.h"
#include "dxBarButtonControl.h"
#include "dxBarControl.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemRegistry.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarRoutines.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarControl, TCustomdxBarControl)

namespace {
// The innermost active bar window, and whether the manager was customizing when the first window
// of the chain activated.
TCustomdxBarControl* activeBarControl = nullptr;
bool chainStartedCustomizing = false;
}  // namespace

TCustomdxBarControl* ActiveBarControl() { return activeBarControl; }

bool TCustomdxBarControl::IsFocusedBar() const { return manager_ && manager_->FocusedBarControl() == this; }

bool TCustomdxBarControl::CanActivate() const {
  if (IsCustomizing()) return true;
  if (HandleAllocated() && IsWindowEnabledChain(WindowHandle())) return true;
  return GetActiveWindow() != nullptr;
}

bool TCustomdxBarControl::IsInActiveChain() const {
  if (!activeBarControl) return true;
  for (const TCustomdxBarControl* bar = activeBarControl; bar; bar = bar->parentBar_)
    if (bar == this) return true;
  return false;
}

void TCustomdxBarControl::SetIsActive(bool active) {
  if (manager_) manager_->HideHint();
  if ((active_ == active || !CanActivate()) && !(IsCustomizing() && !active)) return;
  SetActive(active);
}

// The chain never points at a dead or inactive window.
void TCustomdxBarControl::SetActive(bool active) {
  if (active_ == active) return;
  active_ = active;
  if (active) {
    if (!activeBarControl) chainStartedCustomizing = IsCustomizing();
    previousActiveBar_ = activeBarControl;
    activeBarControl = this;
    return;
  }
  if (IsCustomizing()) selectedLink_ = nullptr;
  else SetSelectedItemControl(nullptr);
  if (activeBarControl == this) activeBarControl = previousActiveBar_;
  if (activeBarControl && (!IsBarControlAlive(activeBarControl) || !activeBarControl->active_))
    activeBarControl = nullptr;
  previousActiveBar_ = nullptr;
}

void TCustomdxBarControl::ActivateWithControl(TdxBarItemControl* control) {
  SetSelectedItemControl(control);
  SetIsActive(true);
}

void TCustomdxBarControl::Deactivate() {
  SetSelectedItemControl(nullptr);
  SetIsActive(false);
}

// A click that runs an item closes the whole chain; Escape closes one level.
void TCustomdxBarControl::CloseUp() {
  TcxObjectLinkGuard alive(this);
  SetIsActive(false);
  if (alive.Alive() && parentBar_ && !closedByEscape_) parentBar_->Close();
}

void TCustomdxBarControl::Close() {
  if (HasState(bcsClosing)) return;
  state_ |= bcsClosing;
  TcxObjectLinkGuard alive(this);
  CloseUp();
  if (alive.Alive()) state_ &= ~bcsClosing;
}

void TCustomdxBarControl::CloseByEscape() {
  closedByEscape_ = true;
  TcxObjectLinkGuard alive(this);
  Close();
  if (alive.Alive()) closedByEscape_ = false;
}

// ---------------------------------------------------------------------------------------------
// Keys.

bool TCustomdxBarControl::KeyDownToSelectedItem(Word& key, TShiftState shift) {
  TdxBarItemControl* selected = SelectedControl();
  if (!selected || !selected->GetEnabled() || !selected->IsDropDownKey(key)) return false;
  selected->KeyDown(key, shift);
  return true;
}

TdxBarItemLink* TCustomdxBarControl::GetLinkByAccel(char key, TShiftState shift, bool& notUnique,
                                                    TdxBarItemLink* start) {
  notUnique = false;
  if (!itemLinks_) return nullptr;
  TdxBarItemLink* found = itemLinks_->FindLinkByAccel(static_cast<Word>(key), shift, start);
  if (!found || !found->Item() || !found->Item()->Enabled()) return nullptr;
  TdxBarItemLink* again = itemLinks_->FindLinkByAccel(static_cast<Word>(key), shift, found);
  notUnique = again && again != found;
  return found;
}

// A unique accelerator runs the item at once; a shared one only moves the selection.
void TCustomdxBarControl::ExecuteItemControl(TdxBarItemControl* control, bool notUnique) {
  SetSelectedItemControl(control);
  if (!notUnique && HandleAllocated()) SendMessageA(WindowHandle(), WM_KEYDOWN, VK_RETURN, 0);
}

bool TCustomdxBarControl::SelectByNavigationKey(Word key, bool previous, bool next) {
  if (!itemLinks_) return false;
  TdxBarItemLink* target = nullptr;
  TdxBarItemLink* selected = SelectedControl() ? selectedLink_ : nullptr;
  if (key == VK_END) target = itemLinks_->LastSelectableLink();
  else if (key == VK_HOME) target = itemLinks_->FirstSelectableLink();
  else if (previous) target = selected ? itemLinks_->PrevSelectableLink(selected, false) : itemLinks_->FirstSelectableLink();
  else if (next) target = selected ? itemLinks_->NextSelectableLink(selected, false) : itemLinks_->FirstSelectableLink();
  else return false;
  if (target && target->Control()) {
    SetSelectedItemControl(target->Control());
    if (key == VK_TAB && target->Control()->HostsWindow()) target->Control()->Click(false);
  }
  return true;
}

void TCustomdxBarControl::HandleKey(Word& key, TShiftState shift) {
  if (IsVertical()) {
    static const Word swapped[] = {VK_UP, VK_LEFT, VK_DOWN, VK_RIGHT};  // for VK_LEFT .. VK_DOWN
    if (key >= VK_LEFT && key <= VK_DOWN) key = swapped[key - VK_LEFT];
  }
  bool previous = key == VK_LEFT, next = key == VK_RIGHT;
  if (GetKind() == 2) {
    previous = key == VK_UP;
    next = key == VK_DOWN;
  }
  if (key == VK_TAB && !shift.Contains(ssCtrl)) {
    previous = shift.Contains(ssShift);
    next = !previous;
  }
  if (key == VK_TAB && shift.Contains(ssCtrl)) return;  // switching toolbars comes with the toolbars
  if (key == VK_MENU || (key == VK_F10 && manager_ && manager_->UseF10ForMenu())) {
    key = 0;
    Close();
    return;
  }
  if (SelectByNavigationKey(key, previous, next)) return;
  const UINT ch = MapVirtualKeyA(key, MAPVK_VK_TO_CHAR) & 0xFFFF;
  if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z'))) return;
  bool notUnique = false;
  TdxBarItemLink* link = GetLinkByAccel(static_cast<char>(ch), shift, notUnique, SelectedControl() ? selectedLink_ : nullptr);
  if (link && link->Control()) ExecuteItemControl(link->Control(), notUnique);
}

void TCustomdxBarControl::WMKeyDown(TMessage& m) {
  TcxObjectLinkGuard alive(this);
  TCustomControl::Dispatch(m);
  if (!alive.Alive() || !activeBarControl) return;
  Word key = static_cast<Word>(m.WParam);
  HandleKey(key, KeyDataToShiftState(m.LParam) + KeyboardStateToShiftState());
  m.WParam = key;
}

// ---------------------------------------------------------------------------------------------
// The toolbar window.

TdxBarControl::TdxBarControl(TComponent* owner, TdxBarManager* manager) : TCustomdxBarControl(owner, manager) {}

TdxBarControl::~TdxBarControl() {
  if (IsFocusedBar()) BarManager()->SetFocusedBarControl(nullptr);
}

void TdxBarControl::Dispatch(TMessage& m) {
  if (IsFramed() && DispatchFrameMessage(m)) return;
  if (m.Msg != WM_KEYDOWN) return TCustomdxBarControl::Dispatch(m);
  TcxObjectLinkGuard alive(this);
  TCustomdxBarControl::Dispatch(m);
  if (!alive.Alive() || !ActiveBarControl()) return;
  Word key = static_cast<Word>(m.WParam);
  if (key == 0 || KeyDownToSelectedItem(key, KeyDataToShiftState(m.LParam))) return;
  if (key == VK_RETURN) {
    if (TdxBarItemControl* selected = SelectedControl()) selected->Click(false, key);
  } else if (key == VK_ESCAPE) {
    m.WParam = 0;
    CloseByEscape();
  }
}

void TdxBarControl::SetActive(bool active) {
  if (!active) {
    auto* button = ObjectAs<TdxBarButtonLikeControl>(SelectedControl());
    if (Active() && button && button->IsDroppedDown()) button->ControlInactivate(true);
    if (Downed()) {
      SetDowned(false);
      if (!IsCustomizing() && IsFocusedBar()) Deactivate();
    }
  }
  TcxObjectLinkGuard alive(this);
  TCustomdxBarControl::SetActive(active);
  if (alive.Alive() && !active && IsFocusedBar()) Deactivate();
}

void TdxBarControl::ActivateWithControl(TdxBarItemControl* control) {
  focusedWindow_ = GetFocus();
  if (!IsCustomizing()) {
    TCustomForm* form = GetParentFormOf(this);
    if (form && form->HandleAllocated() && GetActiveWindow() != form->WindowHandle())
      ActivateTopLevelWindow(form->WindowHandle());
  }
  if (!control && ItemLinks()) {
    TdxBarItemLink* first = ItemLinks()->NextSelectableLink(nullptr, false);
    control = first ? first->Control() : nullptr;
  }
  TcxObjectLinkGuard alive(this);
  TCustomdxBarControl::ActivateWithControl(control);
  if (!alive.Alive() || IsFocusedBar()) return;
  replacedFocusedBar_ = BarManager()->FocusedBarControl();
  BarManager()->SetFocusedBarControl(this);
}

// The focus goes back to the window that had it, and the window under the cursor recomputes
// its hot tracking.
void TdxBarControl::Deactivate() {
  TdxBarManager* manager = BarManager();
  TCustomdxBarControl* previous = replacedFocusedBar_;
  replacedFocusedBar_ = nullptr;
  if (IsFocusedBar()) manager->SetFocusedBarControl(previous && IsBarControlAlive(previous) ? previous : nullptr);
  TcxObjectLinkGuard alive(this);
  TCustomdxBarControl::Deactivate();
  if (!alive.Alive()) return;
  POINT cursor;
  GetCursorPos(&cursor);
  if (HWND under = WindowFromPoint(cursor)) {
    if (auto* bar = ObjectAs<TCustomdxBarControl>(FindControl(under))) {
      ::ScreenToClient(under, &cursor);
      PostMessageA(under, WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
      (void)bar;
    }
  }
  HWND focused = focusedWindow_;
  focusedWindow_ = nullptr;
  if (focused && IsWindowVisible(focused) && GetForegroundWindow() && GetFocus() != focused) ::SetFocus(focused);
}

// Walking along a toolbar by keys activates the control reached (a drop-down opens when the one
// before was open).
void TdxBarControl::SetSelectedItemControl(TdxBarItemControl* control) {
  TdxBarItemControl* old = SelectedControl();
  TcxObjectLinkGuard alive(this);
  TCustomdxBarControl::SetSelectedItemControl(control);
  if (!alive.Alive() || !control || control == old || SelectedControl() != control) return;
  if (!control->Active() && !IsCustomizing()) control->ControlActivate(true);
}

// A click activates the toolbar with the control; a control that holds the mouse while pressed
// captures it until the release.
void TdxBarControl::ClickItemControl(TdxBarItemControl* control) {
  TcxObjectLinkGuard alive(this);
  if (control && control->GetEnabled() && control->CanClick()) {
    if (Active() && (!(GetBehaviourFlags() & bbfActivateOnFocusedClick) || IsFocusedBar())) control->ControlUnclick(true);
    else ActivateWithControl(control);
    if (!alive.Alive()) return;
    if (Active() && !control->HostsWindow()) SetDowned(true);
    if (SelectedControl() == control && control->CapturesWhenPressed()) {
      SetClickedControl(control);
      SetMouseCapture(true);
      RepaintItemControl(control);
    }
  } else {
    Deactivate();
    if (!alive.Alive()) return;
  }
  TCustomdxBarControl::ClickItemControl(control);
}
