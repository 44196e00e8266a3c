// The editor control's input: the keys it handles before its inner control (clear, click, Tab,
// Enter, Esc), characters, focus entry and exit with validation, mouse and double clicks, hints,
// accelerators, clipboard messages, in-place activation and the inner edit window's subclassing.
#include <algorithm>

#include "Forms.h"
#include "cxEdit.h"
#include "cxEditScopes.h"

using cx_edit_detail::TFlagScope;

namespace {

using TChangeEventsScope = cx_edit_detail::TChangeEventsScope<TcxCustomEdit>;

// The subclassed inner edit windows and their editors.
std::vector<std::pair<HWND, TcxCustomEdit*>> hookedWindows;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Keys

void TcxCustomEdit::KeyDown(Word& key, TShiftState shift) {
  valueResetting_ = false;
  if (!IsDefaultButtonShortCut(key, shift)) TcxContainer::KeyDown(key, shift);
  if (key != 0) HandleEditKeyDown(key, shift);
  if (key != 0 && WantsAfterKeyDown(key, shift) && OnAfterKeyDown) OnAfterKeyDown(this, key, shift);
}

void TcxCustomEdit::HandleEditKeyDown(Word& key, TShiftState shift) {
  if (key == 0) return;
  TcxCustomEditProperties* properties = EffectiveProperties();
  const TShortCut shortCut = ShortCut(key, shift);
  if (properties->ClearKey() != 0 && shortCut == properties->ClearKey()) return HandleClearKey(key);
  if (GetViewInfo()->DefaultButtonIndex() >= 0 && shortCut == properties->ClickKey()) {
    RemovePendingMessages(Handle(), WM_CHAR, WM_CHAR, false);
    if (innerEdit_) RemovePendingMessages(innerEdit_->Control()->Handle(), WM_CHAR, WM_CHAR, false);
    ClickDefaultButton();
    key = 0;
    return;
  }
  if (!CanProcessKey(key, shift)) {
    if (OnAfterKeyDown) OnAfterKeyDown(this, key, shift);
    key = 0;
    return;
  }
  switch (key) {
    case VK_TAB: return HandleTabKey(key, shift);
    case VK_RETURN: return HandleEnterKey(key);
    case VK_ESCAPE: return HandleEscKey(key);
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
      if (SupportsInnerKeyNavigation()) return;
      if (OnAfterKeyDown) OnAfterKeyDown(this, key, shift);
      key = 0;
      return;
  }
}

void TcxCustomEdit::HandleClearKey(Word& key) {
  {
    TChangeEventsScope events(this);
    TFlagScope keyboard(keyboardAction_, true);
    TVariant value;
    ClearedValue(value);
    AssignEditValueChecked(value);
    validated_ = true;
  }
  key = 0;
}

void TcxCustomEdit::HandleTabKey(Word& key, TShiftState shift) {
  if (!IsContainerFocused() || shift.Contains(ssAlt) || shift.Contains(ssCtrl) || EffectiveProperties()->WantsTabs())
    return;
  ProcessTabKey(shift);
  if (OnAfterKeyDown) OnAfterKeyDown(this, key, shift);
  if (key == 0) return;
  key = 0;
  TCustomForm* form = GetParentForm(this);
  if (!form) return;
  form->SelectNext(form->ActiveControl(), !shift.Contains(ssShift), true);
  if (HandleAllocated() && GetFocus() == Handle() && innerEdit_ && innerEdit_->CanFocus()) innerEdit_->SafelySetFocus();
}

void TcxCustomEdit::HandleEnterKey(Word& key) {
  if (!EffectiveProperties()->ValidateOnEnter()) return;
  key = 0;
  TChangeEventsScope events(this);
  if (ValidateInput(true) && NeedsPost()) FinishEditing(false);
}

void TcxCustomEdit::HandleEscKey(Word& key) {
  const bool resettable = dataBinding_->DefaultValuesProvider()->IsDataSourceBound() ||
                          EffectiveProperties()->SupportsValueReset();
  if (!modifiedAfterEnter_ || !resettable) return;
  {
    TChangeEventsScope events(this);
    dataBinding_->RevertValue();
    activationChanged_ = true;
  }
  valueResetting_ = true;
  key = 0;
}

bool TcxCustomEdit::CanProcessKey(Word key, TShiftState shift) {
  return dataBinding_->HasUnpostedChange() || !IsValueChangingKey(key, shift) || RequestEditing();
}

void TcxCustomEdit::KeyPress(char& key) {
  if (key == VK_ESCAPE && valueResetting_) {
    valueResetting_ = false;
    key = 0;
    return;
  }
  TcxContainer::KeyPress(key);
  if (key != 0) HandleEditKeyPress(key);
}

bool TcxCustomEdit::IsCharAllowed(char ch) {
  IcxEditDefaultValuesProvider* defaults = dataBinding_->DefaultValuesProvider();
  return defaults->CharAcceptable(ch) || defaults->HasSetTextHandler();
}

void TcxCustomEdit::ProcessKeyPress(char& key) {
  if (static_cast<unsigned char>(key) > 31 && !IsCharAllowed(key)) {
    key = 0;
    MessageBeep(0);
    return;
  }
  if (!dataBinding_->HasUnpostedChange() && CharModifiesValue(key) && !RequestEditing()) key = 0;
}

void TcxCustomEdit::KeyUp(Word& key, TShiftState shift) {
  TcxContainer::KeyUp(key, shift);
  HandleEditKeyUp(key, shift);
}

// ---------------------------------------------------------------------------------------------
// Focus

void TcxCustomEdit::DoEnter() {
  if (IsDestroyingEdit()) return;
  if (!validateErrorProcessing_) HandleEnterEdit();
  ShortRefresh();
}

void TcxCustomEdit::HandleEnterEdit() {
  PushModification();
  struct TPop {
    TcxCustomEdit* e;
    ~TPop() { e->PopModification(); }
  };
  {
    TPop pop{this};
    TcxContainer::DoEnter();
    if (ReloadValueOnEnter()) dataBinding_->UpdateDisplayValue();
    if (EffectiveProperties()->SupportsValueReset()) previousEditValue_ = editValue_;
    if (ReloadValueOnEnter()) UpdateDisplayFromValue();
  }
  modifiedAfterEnter_ = false;
}

void TcxCustomEdit::DoExit() {
  TFlagScope keyboard(keyboardAction_, false);
  DoHideEdit(true);
}

void TcxCustomEdit::DoHideEdit(bool exit) {
  if (IsDestroyingEdit() || validateErrorProcessing_) return;
  PushModification();
  struct TPop {
    TcxCustomEdit* e;
    ~TPop() { e->PopModification(); }
  };
  {
    TPop pop{this};
    {
      TChangeEventsScope events(this);
      ValidateInput(true);
      if (!inPlace_ && NeedsPost()) FinishEditing(false);
    }
    if (ReloadValueOnEnter()) dataBinding_->UpdateDisplayValue();
    RefreshDisplayText();
    ShortRefresh();
  }
  if (exit) TcxContainer::DoExit();
  modifiedAfterEnter_ = false;
}

void TcxCustomEdit::FocusChanged() {
  if (IsDestroyingEdit() || validateErrorProcessing_) return;
  // A window of this thread holding the focus means the application is active.
  const bool focused = IsContainerFocused();
  if (focused == isFocused_) return;
  isFocused_ = focused;
  TcxContainer::FocusChanged();
  FocusStateChanged();
}

void TcxCustomEdit::FocusStateChanged() {
  RefreshDisplayText();
  if (isFocused_ || !HandleAllocated()) return;
  TCustomForm* form = GetParentForm(this);
  const bool closingModal = form && !form->Visible() && form->ModalResult() != 0 && form->ModalResult() != 2;
  const bool onlyControl = form && form->ControlCount() == 1 && GetFocus() == GetAncestor(Handle(), GA_ROOT);
  if (closingModal || onlyControl) ValidateInput(false);
}

bool TcxCustomEdit::IsActiveControl() {
  if (isFocused_) return true;
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  TWinControl* active = form->ActiveControl();
  return active && (active == this || (innerEdit_ && active == innerEdit_->Control()));
}

void TcxCustomEdit::FocusInnerControl() {
  if (innerEdit_ && innerEdit_->CanFocus()) innerEdit_->SafelySetFocus();
}

bool TcxCustomEdit::OwnsWindow(HWND window) {
  return HandleAllocated() && window && (window == Handle() || IsChild(Handle(), window));
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TcxCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && dblClickTimer_->Enabled()) {
    dblClickTimer_->SetEnabled(false);
    if (!GetViewInfo()->IsPointOverButton(TPoint(x, y))) DblClick();
  }
  TcxContainer::MouseDown(button, shift, x, y);
  if (button != mbLeft || !HandleAllocated() || GetCapture() != Handle()) return;
  const int pressed = GetViewInfo()->PressedButton;
  if (pressed >= 0 && GetViewInfo()->Button(pressed)->Bounds.Contains(TPoint(x, y))) captureButton_ = pressed;
}

void TcxCustomEdit::DblClick() {
  const TPoint p = ScreenToClient(GetMouseScreenPos());
  if (!GetViewInfo()->IsPointOverButton(p)) return TcxContainer::DblClick();
  const LPARAM position = MAKELPARAM(p.X, p.Y);
  SendMessageA(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, position);
  SendMessageA(Handle(), WM_LBUTTONUP, 0, position);
}

void TcxCustomEdit::Click() {
  if (IsDestroyingEdit() || clickLockCount_ > 0 || (IsLoadingEdit() && !ClicksWhileLoading())) return;
  TcxContainer::Click();
}

void TcxCustomEdit::DblClickTimerTick(TObject*) { dblClickTimer_->SetEnabled(false); }

bool TcxCustomEdit::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (inPlace_ && !EffectiveProperties()->MouseWheelEnabled() && !shift.Contains(ssCtrl)) return false;
  return TcxContainer::DoMouseWheel(shift, wheelDelta, mousePos);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TcxCustomEdit::WMClipboard(TMessage& m) {
  switch (m.Msg) {
    case WM_COPY: CopySelectedText(); break;
    case WM_CUT:
      if (IsReadOnlyNow()) CopySelectedText();
      else {
        TFlagScope keyboard(keyboardAction_, true);
        CutSelection();
      }
      break;
    case WM_PASTE:
      if (!IsReadOnlyNow()) {
        TFlagScope keyboard(keyboardAction_, true);
        PasteSelection();
      }
      break;
  }
  m.Result = 0;
}

// A character that is the accelerator of an enabled text button's caption clicks that button.
void TcxCustomEdit::CMDialogChar(TMessage& m) {
  TcxCustomEditViewInfo* viewInfo = GetViewInfo();
  for (int i = 0; i < viewInfo->ButtonCount(); ++i) {
    const TcxEditButtonViewInfo* b = viewInfo->Button(i);
    if (b->Data.Kind != bkText || b->Data.State == ebdsDisabled) continue;
    if (IsAccel(static_cast<Word>(m.WParam), b->Data.Caption)) {
      ButtonClicked(i);
      m.Result = 1;
      return;
    }
  }
  TcxContainer::Dispatch(m);
}

void TcxCustomEdit::CMHintShow(TMessage& m) {
  auto* info = reinterpret_cast<THintInfo*>(m.LParam);
  TcxCustomEditViewInfo* viewInfo = GetViewInfo();
  const int target = viewInfo->HintTargetAt(info->CursorPos);
  if (target == -2) {
    m.Result = 1;
    return;
  }
  std::string hint;
  if (target >= 0) hint = EffectiveProperties()->Buttons()->Items(target)->Hint();
  if (hint.empty() && ShowHint()) hint = Hint();
  info->HintStr = GetHintCaption(hint);
  if (target >= 0) {
    for (const auto& b : viewInfo->ButtonsInfo)
      if (b->Index == target) info->CursorRect = b->Bounds;
  } else {
    info->CursorRect = viewInfo->BorderRect;
    if (viewInfo->ButtonCount() > 0) info->CursorRect.Right = viewInfo->Button(0)->Bounds.Left;
  }
  m.Result = info->HintStr.empty() ? 1 : 0;
}

void TcxCustomEdit::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_COPY:
    case WM_CUT:
    case WM_PASTE: WMClipboard(m); break;
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    case CM_HINTSHOW: CMHintShow(m); break;
    case WM_NCCALCSIZE:
      if (settingWindowRegion_) m.Result = 0;
      else TcxContainer::Dispatch(m);
      break;
    case WM_CONTEXTMENU:
      if (inPlace_) m.Result = 0;
      else TcxContainer::Dispatch(m);
      break;
    default: TcxContainer::Dispatch(m);
  }
}

// ---------------------------------------------------------------------------------------------
// In-place activation

void TcxCustomEdit::ActivateInplace(TcxCustomEditData*& editData) {
  if (!editData && ClassOperations()->EditDataClass())
    editData = static_cast<TcxCustomEditData*>(ClassOperations()->EditDataClass()->Create(this));
  editData_ = editData;
  if (editData_ && editData_->Cleared()) {
    InitFromClearedEditData();
    editData_->SetCleared(false);
  }
  SetVisible(true);
  if (HandleAllocated() && CanFocus()) {
    SetFocus();
    if (EffectiveProperties()->AutoSelect()) SelectAllText();
  }
  UpdateDisplayFromValue();
  modifiedAfterEnter_ = activationChanged_ = false;
  activatedInPlace_ = true;
}

void TcxCustomEdit::ActivateByKey(char key, TcxCustomEditData*& editData) {
  HookInnerEditWindow();
  struct TUnhook {
    TcxCustomEdit* e;
    ~TUnhook() { e->UnhookInnerEditWindow(); }
  } unhook{this};
  ActivateInplace(editData);
  if (PassesActivationChar(key) && HandleAllocated())
    SendMessageA(Handle(), WM_CHAR, static_cast<unsigned char>(key), 0);
}

void TcxCustomEdit::ActivateByMouse(TShiftState shift, int x, int y, TcxCustomEditData*& editData) {
  ActivateInplace(editData);
  if (!HandleAllocated()) return;
  TPoint p(x, y);
  if (Parent()) p = ScreenToClient(Parent()->ClientToScreen(p));
  const LPARAM position = MAKELPARAM(p.X, p.Y);
  if (shift.Contains(ssLeft)) {
    WPARAM keys = MK_LBUTTON;
    if (shift.Contains(ssShift)) keys |= MK_SHIFT;
    if (shift.Contains(ssCtrl)) keys |= MK_CONTROL;
    SendMessageA(Handle(), WM_LBUTTONDOWN, keys, position);
    if (GetCapture() == Handle() && (GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0) ReleaseCapture();
  } else {
    SendMessageA(Handle(), WM_LBUTTONUP, 0, position);
  }
  dblClickTimer_->SetEnabled(true);
}

bool TcxCustomEdit::TryLeaveInplace() {
  dblClickTimer_->SetEnabled(false);
  keyboardAction_ = false;
  const bool valid = ValidateInput(true);
  if (valid) {
    UpdateDisplayFromValue();
    validated_ = true;
  }
  return valid;
}

// ---------------------------------------------------------------------------------------------
// The inner edit window's subclassing

LRESULT CALLBACK TcxCustomEdit::InnerEditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto it = std::find_if(hookedWindows.begin(), hookedWindows.end(), [&](const auto& e) { return e.first == window; });
  if (it == hookedWindows.end()) return DefWindowProcA(window, message, wParam, lParam);
  TcxCustomEdit* editor = it->second;
  LRESULT result = 0;
  GuardedCall([&] { result = editor->InnerEditSubclassProc(window, message, wParam, lParam); });
  return result;
}

LRESULT TcxCustomEdit::InnerEditSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(innerEditDefProc_, window, message, wParam, lParam);
}

void TcxCustomEdit::HookInnerEditWindow() {
  if (!innerEdit_ || innerEditDefProc_ || !innerEdit_->Control()->HandleAllocated()) return;
  HWND window = innerEdit_->Control()->Handle();
  hookedWindows.emplace_back(window, this);
  innerEditDefProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TcxCustomEdit::InnerEditWindowProc)));
}

void TcxCustomEdit::UnhookInnerEditWindow() {
  if (!innerEditDefProc_) return;
  HWND window = innerEdit_ && innerEdit_->Control()->HandleAllocated() ? innerEdit_->Control()->Handle() : nullptr;
  if (window) SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(innerEditDefProc_));
  innerEditDefProc_ = nullptr;
  hookedWindows.erase(std::remove_if(hookedWindows.begin(), hookedWindows.end(),
                                     [&](const auto& e) { return e.second == this; }),
                      hookedWindows.end());
}
