// The drop-down editor: its popup's cycle (initialise, lay out, show, close, finalise), what is
// committed, posted and remembered at close-up, and the keys, clicks and characters that open and
// close the popup.
#include "cxDropDownEdit.h"

#include <windows.h>

#include "Forms.h"
#include "cxEditScopes.h"

using cx_edit_detail::TFlagScope;

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomDropDownEdit, TcxCustomMaskEdit)

TcxCustomEdit* TcxCustomDropDownEditClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomDropDownEdit(owner, inPlace);
}

namespace {

using TChangeEventsScope = cx_edit_detail::TChangeEventsScope<TcxCustomEdit>;
using TClickLockScope = cx_edit_detail::TClickLockScope<TcxCustomEdit>;

bool CommitsPopup(TcxPopupCloseReason reason) {
  return reason == pcrTab || reason == pcrToggle || reason == pcrAccept;
}

}  // namespace

TcxCustomDropDownEdit::TcxCustomDropDownEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomMaskEdit(owner, cls, inPlace) {
  if (!IsDesigning()) CreatePopupWindow();
  popupLookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  popupLookAndFeel_->OnChanged = MakeEvent(this, &TcxCustomDropDownEdit::PopupLookAndFeelChanged);
}

TcxCustomDropDownEdit::~TcxCustomDropDownEdit() {
  CancelPendingShow();
  if (popupWindow_) {
    // The editor is half gone: the popup closes without calling back.
    popupWindow_->OnClosed = popupWindow_->OnShown = {};
    popupWindow_->OnCloseQuery = {};
    popupWindow_->ClosePopup();
  }
  popupWindow_.reset();
  popupLookAndFeel_.reset();
}

TcxCustomDropDownEditProperties* TcxCustomDropDownEdit::ActiveProperties() {
  return static_cast<TcxCustomDropDownEditProperties*>(EffectiveProperties());
}

void TcxCustomDropDownEdit::CreatePopupWindow() {
  popupWindow_.reset(ActiveProperties()->CreatePopupWindow(this));
  popupWindow_->SetCaptureFocus(ActiveProperties()->PopupTakesFocus());
  popupWindow_->SetTopmostWithOwner(!IsInPlaceContainer());
  popupWindow_->Style()->LookAndFeel()->SetParentLookAndFeel(Style()->LookAndFeel());
  popupWindow_->OnCloseQuery = MakeEvent(this, &TcxCustomDropDownEdit::HandlePopupCloseQuery);
  popupWindow_->OnClosed = MakeEvent(this, &TcxCustomDropDownEdit::HandlePopupClosed);
  popupWindow_->OnShown = MakeEvent(this, &TcxCustomDropDownEdit::HandlePopupShown);
}

// ---------------------------------------------------------------------------------------------
// State

bool TcxCustomDropDownEdit::WantsArrowKeys() { return popupWindow_ && popupWindow_->IsOpen(); }

bool TcxCustomDropDownEdit::IsContainerFocused() { return TcxCustomMaskEdit::IsContainerFocused() || DroppedDown(); }

bool TcxCustomDropDownEdit::WantsTabKey() {
  return TcxCustomMaskEdit::WantsTabKey() || (DroppedDown() && ActiveProperties()->PostPopupValueOnTab());
}

TcxContainerStyleValues TcxCustomDropDownEdit::HiddenStyleValues() const {
  return TcxContainerStyleValues{svGradient, svGradientDirection};
}

bool TcxCustomDropDownEdit::IsShowRequestPending() {
  MSG msg;
  return popupWindow_ && popupWindow_->HandleAllocated() &&
         PeekMessageA(&msg, popupWindow_->Handle(), CM_CXPOPUP_SHOW, CM_CXPOPUP_SHOW, PM_NOREMOVE);
}

bool TcxCustomDropDownEdit::CancelPendingShow() {
  if (!popupWindow_ || !popupWindow_->HandleAllocated()) return false;
  if (!RemovePendingMessages(popupWindow_->Handle(), CM_CXPOPUP_SHOW, CM_CXPOPUP_SHOW, true)) return false;
  HandlePopupClosed(popupWindow_.get());
  return true;
}

void TcxCustomDropDownEdit::WriteDroppedDown(bool value) {
  if (value == DroppedDown()) return;
  if (!value) return CloseUp(pcrNone);
  if (!IsShowRequestPending()) DropDown();
}

TRect TcxCustomDropDownEdit::PopupOwnerRect() {
  TRect r = CalcHotTrackRect();
  if (InPlace() && !ContentParams().ExternalBorderBounds.IsEmpty()) r = ContentParams().ExternalBorderBounds;
  if (GetViewInfo()->Shadow) r.Right += cxContainerShadowWidth;
  r.Offset(Left(), Top());
  return r;
}

void TcxCustomDropDownEdit::FillDrawParams(TcxCustomEditViewData* viewData) {
  TcxCustomMaskEdit::FillDrawParams(viewData);
  if (auto* dropDown = ObjectAs<TcxCustomDropDownEditViewData>(viewData)) {
    dropDown->PopupOpen = DroppedDown();
    dropDown->HotAndPopup = hotAndPopup_;
  }
}

IcxTextEditLookupData* TcxCustomDropDownEdit::PopupLookupData() {
  return ActiveProperties()->HasLookupData() ? GetLookupData() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// The popup cycle

void TcxCustomDropDownEdit::PlaceLookupInPopup() {
  IcxTextEditLookupData* lookup = PopupLookupData();
  if (lookup && popupWindow_ && !IsDesigning() && ActiveProperties()->ShowsLookupInPopup())
    lookup->PlaceList(popupWindow_.get());
}

void TcxCustomDropDownEdit::SetLookupBounds(const TRect& rect) {
  if (IcxTextEditLookupData* lookup = PopupLookupData()) lookup->SetListBounds(rect);
}

void TcxCustomDropDownEdit::InitPopup() {
  if (!popupInitialized_) {
    popupInitialized_ = true;
    try {
      if (OwnDropDownProperties()->OnInitPopup) OwnDropDownProperties()->OnInitPopup(this);
      if (RepositoryItem() && ActiveProperties()->OnInitPopup) ActiveProperties()->OnInitPopup(this);
    } catch (...) {
      popupInitialized_ = false;
      throw;
    }
  }
  if (IcxTextEditLookupData* lookup = PopupLookupData()) lookup->InitListForPopup();
}

void TcxCustomDropDownEdit::FinalizePopup() {
  if (!popupInitialized_) return;
  popupInitialized_ = false;
  if (IcxTextEditLookupData* lookup = PopupLookupData()) lookup->ResyncListIndex();
}

void TcxCustomDropDownEdit::DropDown() {
  if (!popupWindow_ || !HandleAllocated() || !IsWindowVisible(Handle())) return;
  InitPopup();
  if (!CanDropDown()) return FinalizePopup();
  LayoutPopup();
  popupWindow_->HandleNeeded();
  popupWindow_->SetFocusedControlOnShow(GetPopupFocusedControl());
  PostMessageA(popupWindow_->Handle(), CM_CXPOPUP_SHOW, 0, 0);
}

TWinControl* TcxCustomDropDownEdit::GetPopupFocusedControl() {
  TcxCustomDropDownEditProperties* properties = ActiveProperties();
  IcxTextEditLookupData* lookup = PopupLookupData();
  if (lookup && properties->ShowsLookupInPopup() && properties->PopupTakesFocus() && lookup->ListControl())
    return lookup->ListControl();
  return InnerTextEdit();
}

void TcxCustomDropDownEdit::ConfigurePopupWindow() {
  TcxCustomDropDownEditProperties* p = ActiveProperties();
  TcxCustomEditPopupWindow* w = popupWindow_.get();
  w->SetOwnerParent(Parent());
  w->SetDirection(p->DropOrientation());
  w->SetAlignHorz(p->DropHorzAlign());
  w->SetAlignVert(p->DropVertAlign());
  w->SetClientEdge(p->PopupClientEdge());
  w->SetMinHeight(p->PopupMinHeight());
  w->SetMinWidth(p->PopupMinWidth());
  w->SetPopupAutoSize(p->PopupAutoSize());
  w->SetSizeable(p->PopupSizeable());
  w->SetSysPanel(p->PopupSysPanelStyle());
  auto* data = ObjectAs<TcxCustomDropDownEditData>(EditData());
  const bool cellSize = InPlace() && p->PopupSizeable() && data;
  w->SetPopupWidth(cellSize ? data->SizedWidth : p->PopupWidth());
  w->SetPopupHeight(cellSize ? data->SizedHeight : p->PopupHeight());
  w->SetCloseButton(Style()->PopupCloseButton());
  std::unique_ptr<TcxCustomEditViewData> viewData(CreateViewData());
  w->SetPopupBorderStyle(viewData->ComputePopupBorderStyle());
  w->SetNativeStyle(GetViewInfo()->NativeStyle);
  w->SetShadow(GetViewInfo()->Shadow);
}

void TcxCustomDropDownEdit::LayoutPopup() {
  TcxCustomEditPopupWindow* w = popupWindow_.get();
  w->SetCaptureFocus(ActiveProperties()->PopupTakesFocus());
  PlaceLookupInPopup();
  ConfigurePopupWindow();
  TPoint position;
  {
    struct TLock {
      TcxCustomEditPopupWindow* w;
      ~TLock() { w->SetLayoutLock(false); }
    } lock{w};
    w->SetLayoutLock(true);
    w->CalculateSize();
    position = w->CalculatePosition();
    w->FitIntoWorkArea(position);
  }
  w->SetBounds(position.X, position.Y, w->Width(), w->Height());
  w->RecalculateViewInfo();
  SetLookupBounds(w->PopupViewInfo()->ClientRect);
  w->Invalidate();
  if (w->Visible()) w->Update();
  SetLookupBounds(w->PopupViewInfo()->ClientRect);
  w->UpdatePopupRegion();
}

void TcxCustomDropDownEdit::RunPopup() {
  closeUpReason_ = pcrNone;
  if (OwnDropDownProperties()->OnPopup) OwnDropDownProperties()->OnPopup(this);
  if (RepositoryItem() && ActiveProperties()->OnPopup) ActiveProperties()->OnPopup(this);
}

void TcxCustomDropDownEdit::HandlePopupShown(TObject*) {
  ShortRefresh(false);
  popupWindow_->RecalculateViewInfo();
  SetLookupBounds(popupWindow_->PopupViewInfo()->ClientRect);
  RunPopup();
  RefreshDisplayText();
  popupResizedByMouse_ = false;
}

void TcxCustomDropDownEdit::HandlePopupCloseQuery(TObject*, bool& canClose) {
  if (OwnDropDownProperties()->OnCloseQuery) OwnDropDownProperties()->OnCloseQuery(this, canClose);
  if (RepositoryItem() && ActiveProperties()->OnCloseQuery) ActiveProperties()->OnCloseQuery(this, canClose);
}

void TcxCustomDropDownEdit::CloseUp(TcxPopupCloseReason reason) {
  if (!DroppedDown()) return;
  {
    TChangeEventsScope events(this);
    if (CommitsPopup(reason)) {
      if (IcxTextEditLookupData* lookup = PopupLookupData()) {
        const TVariant key = lookup->ReadCurrentKey();
        {
          TClickLockScope click(this);
          lookup->CommitListItem();
        }
        if (ModifiedAfterEnter() && !VariantsEqualExact(key, lookup->ReadCurrentKey())) DoModifiedClick();
      }
      TcxCustomDropDownEditProperties* p = ActiveProperties();
      if (!p->PostsAfterValidation() && p->ImmediatePost() && !IsDesigning() &&
          DataBinding()->DefaultValuesProvider()->DataModifiable())
        FinishEditing(true);
    }
  }
  closeUpReason_ = reason;
  popupWindow_->ClosePopup();
}

void TcxCustomDropDownEdit::StorePopupSize() {
  TcxCustomDropDownEditProperties* p = ActiveProperties();
  if (!p->PopupSizeable() || !popupResizedByMouse_) return;
  if (InPlace()) {
    if (auto* data = ObjectAs<TcxCustomDropDownEditData>(EditData())) {
      data->PopupSized = true;
      data->SizedWidth = popupWindow_->Width();
      data->SizedHeight = popupWindow_->Height();
    }
    return;
  }
  p->SetPopupWidth(popupWindow_->Width());
  p->SetPopupHeight(popupWindow_->Height());
}

void TcxCustomDropDownEdit::PostPopupValueAfterClose() {
  TChangeEventsScope events(this);
  TcxCustomDropDownEditProperties* p = ActiveProperties();
  if (!p->PostsAfterValidation() || !p->ImmediatePost() || IsDesigning() ||
      !DataBinding()->DefaultValuesProvider()->DataModifiable())
    return;
  if (ValidateInput(true)) FinishEditing(false);
}

void TcxCustomDropDownEdit::HandlePopupClosed(TObject*) {
  StorePopupSize();
  FinalizePopup();
  if (ActiveProperties()->GetEditingStyle() == tesFixedList) ShortRefresh(false);
  DoCloseUp();
  PostPopupValueAfterClose();
  ShortRefresh(false);
  if (!HandleAllocated()) hotAndPopup_ = false;
}

void TcxCustomDropDownEdit::DoCloseUp() {
  DoClosePopup(closeUpReason_);
  if (OwnDropDownProperties()->OnCloseUp) OwnDropDownProperties()->OnCloseUp(this);
  if (RepositoryItem() && ActiveProperties()->OnCloseUp) ActiveProperties()->OnCloseUp(this);
}

// ---------------------------------------------------------------------------------------------
// Windows, focus and refreshes

void TcxCustomDropDownEdit::CreateWnd() {
  TcxCustomMaskEdit::CreateWnd();
  PlaceLookupInPopup();
}

void TcxCustomDropDownEdit::DestroyWnd() {
  if (popupWindow_ && !IsDestroyingEdit()) {
    CloseUp(pcrNone);
    FinalizePopup();
    popupWindow_->ReleaseWindowHandle();
  }
  TcxCustomMaskEdit::DestroyWnd();
}

void TcxCustomDropDownEdit::DoExit() {
  CloseUp(pcrNone);
  TcxCustomMaskEdit::DoExit();
}

void TcxCustomDropDownEdit::FocusChanged() {
  TcxCustomMaskEdit::FocusChanged();
  TWinControl* inner = InnerTextEdit();
  const bool innerFocused = inner && inner->HandleAllocated() && GetFocus() == inner->Handle();
  if (DroppedDown() && !ActiveProperties()->PopupTakesFocus() && !innerFocused) CloseUp(pcrNone);
}

bool TcxCustomDropDownEdit::RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                                             bool isMouseEvent) {
  const bool result = TcxCustomMaskEdit::RefreshContainer(point, button, shift, isMouseEvent);
  TcxCustomEditViewInfo* viewInfo = GetViewInfo();
  const bool pressOnButton = isMouseEvent && button == cmbLeft && shift.Contains(ssLeft) &&
                             viewInfo->IsPointOverButton(point) && viewInfo->PressedButton == -1;
  if (DroppedDown() && pressOnButton) CloseUp(pcrNone);
  if (isMouseEvent && !(button == cmbRight && shift.Contains(ssRight)))
    hotAndPopup_ = DroppedDown() && viewInfo->ContainerState.Contains(csHotTrack);
  EditStyleUpdated();
  return result;
}

void TcxCustomDropDownEdit::StyleChanged(TObject* sender) {
  TcxCustomMaskEdit::StyleChanged(sender);
  if (HandleAllocated()) EditStyleUpdated();
}

void TcxCustomDropDownEdit::EditStyleUpdated() {
  if (!popupLookAndFeel_) return;
  TcxLookAndFeel* lf = popupLookAndFeel_.get();
  const TcxLookAndFeelKind kind = ButtonsLookAndFeelKind(this);
  const bool native = GetViewInfo()->NativeStyle;
  const TdxSkinName skin = Style()->LookAndFeel()->SkinName();
  if (lf->Kind() != kind) lf->SetKind(kind);
  if (lf->NativeStyle() != native) lf->SetNativeStyle(native);
  if (lf->SkinName() != skin) lf->SetSkinName(skin);
}

void TcxCustomDropDownEdit::ApplyPropertiesChange(TObject* properties) {
  if (!ActiveProperties()->PopupSizeable()) popupSizeChanged_ = false;
  if (DroppedDown()) LayoutPopup();
  TcxCustomMaskEdit::ApplyPropertiesChange(properties);
}

void TcxCustomDropDownEdit::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CM_CXDROPDOWN_SYNC: SynchronizeLookupAfterPaste(m); break;
    case CM_HINTSHOW:
      if (DroppedDown()) m.Result = 1;
      else TcxCustomMaskEdit::Dispatch(m);
      break;
    default: TcxCustomMaskEdit::Dispatch(m);
  }
}

void TcxCustomDropDownEdit::SynchronizeLookupAfterPaste(TMessage&) {
  IcxTextEditLookupData* lookup = PopupLookupData();
  if (!DroppedDown() || !lookup) return;
  const TVariant key = lookup->ReadCurrentKey();
  {
    TClickLockScope click(this);
    lookup->SyncKeyWithText();
  }
  if (!VariantsEqualExact(key, lookup->ReadCurrentKey())) DoModifiedClick();
  const TcxTextEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (style == tesFixedList) return SetFoundTextSelected(true);
  if (style != tesFree) return;
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  const std::string text = Text();
  SetFoundTextSelected(inner && inner->SelStart() == static_cast<int>(text.size()) && lookup->ContainsText(text));
}

// ---------------------------------------------------------------------------------------------
// Input

void TcxCustomDropDownEdit::HandleEditKeyDown(Word& key, TShiftState shift) {
  const bool alt = shift.Contains(ssAlt);
  if (((key == VK_UP || key == VK_DOWN) && alt) || (key == VK_F4 && !alt)) {
    if (DroppedDown()) CloseUp(pcrToggle);
    else WriteDroppedDown(true);
    key = 0;
    return;
  }
  if (DroppedDown() && !alt && (key == VK_RETURN || key == VK_ESCAPE)) {
    if (key == VK_RETURN) SetPopupClosedByKey(true);
    if (HandlePopupKey(key, shift)) return;
  }
  TcxCustomMaskEdit::HandleEditKeyDown(key, shift);
}

// Enter commits when editing is allowed, Esc discards; a key that closed the popup goes no further.
bool TcxCustomDropDownEdit::HandlePopupKey(Word& key, TShiftState) {
  {
    const bool saved = KeyboardAction();
    SetKeyboardAction(true);
    struct TRestore {
      TcxCustomDropDownEdit* e;
      bool saved;
      ~TRestore() { e->SetKeyboardAction(saved); }
    } restore{this, saved};
    const bool accept = key == VK_RETURN && RequestEditing();
    CloseUp(accept ? pcrAccept : pcrCancel);
  }
  if (DroppedDown()) return false;
  if (key == VK_ESCAPE && GetCapture()) ReleaseCapture();
  key = 0;
  return true;
}

void TcxCustomDropDownEdit::HandleEditKeyPress(char& key) {
  TcxCustomDropDownEditProperties* p = ActiveProperties();
  if (static_cast<unsigned char>(key) >= 32 && p->ImmediateDropDown() && !DroppedDown()) {
    DropDown();
    if (p->PopupTakesFocus() && key != '\r' && CanDropDown() && GetPopupFocusedControl()) {
      PostMessageA(popupWindow_->Handle(), CM_CXDROPDOWN_CHAR, static_cast<unsigned char>(key), 0);
      key = 0;
      return;
    }
  }
  TcxCustomMaskEdit::HandleEditKeyPress(key);
}

void TcxCustomDropDownEdit::ProcessTabKey(TShiftState shift) {
  if (DroppedDown() && ActiveProperties()->PostPopupValueOnTab()) CloseUp(pcrTab);
  TcxCustomMaskEdit::ProcessTabKey(shift);
}

bool TcxCustomDropDownEdit::IsDefaultButtonShortCut(Word key, TShiftState shift) {
  if (TcxCustomMaskEdit::IsDefaultButtonShortCut(key, shift)) return true;
  return InPlace() && DroppedDown() &&
         (shift.Contains(ssAlt) || shift.Contains(ssCtrl) || key < 32 || key > 255);
}

bool TcxCustomDropDownEdit::AllowsLookupScrolling(bool byWheel) {
  if (IsDestroyingEdit() || !InnerTextEdit()) return false;
  // An in-place editor in a multi-row host scrolls its lookup only by the wheel or while open.
  (void)byWheel;
  return true;
}

bool TcxCustomDropDownEdit::PassesActivationChar(char ch) {
  TcxCustomDropDownEditProperties* p = ActiveProperties();
  if (!p->ImmediateDropDown()) return true;
  return !(p->PopupTakesFocus() && ch != '\r');
}

void TcxCustomDropDownEdit::ButtonPressStarted(int visibleIndex) {
  TcxCustomMaskEdit::ButtonPressStarted(visibleIndex);
  if (visibleIndex == ActiveProperties()->DefaultGlyphButtonIndex()) DropDown();
}

void TcxCustomDropDownEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  const bool wasHotAndPopup = hotAndPopup_ || DroppedDown();
  // The press that focuses the editor does not open it.
  const bool wasFocused = IsContainerFocused();
  // A press on the editor that closed the popup (the popup hooks saw it first) does not open it again.
  const bool closedByThisPress = popupWindow_ && popupWindow_->TakeClosedByOwnerClick();
  TcxObjectLinkGuard link(this);
  TcxCustomMaskEdit::MouseDown(button, shift, x, y);
  if (!link.Alive() || activatingByMouse_ || wasHotAndPopup || closedByThisPress) return;
  if (ActiveProperties()->DropsDownOnClick() && button == mbLeft && GetViewInfo()->ClientRect.Contains(TPoint(x, y)) &&
      !DroppedDown() && !hotAndPopup_ && wasFocused && IsContainerFocused())
    DropDown();
}

bool TcxCustomDropDownEdit::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (TcxCustomMaskEdit::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  IcxTextEditLookupData* lookup = PopupLookupData();
  if (IsDestroyingEdit() || !InnerTextEdit() || !DroppedDown() || !lookup || lookup->HasNoItems()) return false;
  if (TcxCustomEditListBox* list = lookup->ListControl())
    list->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(wheelDelta)), MAKELPARAM(mousePos.X, mousePos.Y));
  return true;
}

void TcxCustomDropDownEdit::PasteSelection() {
  if (!IsContainerFocused()) return TcxCustomMaskEdit::PasteSelection();
  bool changed;
  {
    const bool saved = KeyboardAction();
    SetKeyboardAction(true);
    const std::string before = InnerTextEdit()->Text();
    TcxCustomMaskEdit::PasteSelection();
    changed = !StringsMatch(before, InnerTextEdit()->Text(), true);
    SetKeyboardAction(saved);
  }
  if (!changed || !ActiveProperties()->ImmediateDropDown() || DroppedDown()) return;
  DropDown();
  if (PopupLookupData()) PostMessageA(Handle(), CM_CXDROPDOWN_SYNC, 0, 0);
}
