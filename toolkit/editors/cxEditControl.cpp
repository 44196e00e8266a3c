// The editor control: construction, the edit value and its change events (batched while locked),
// validation and posting, the repository item, automatic sizing, the view calculation and
// painting. Keys, focus, in-place activation and the inner edit's subclassing are in
// cxEditControlInput.cpp.
#include <algorithm>

#include "Forms.h"
#include "SysUtils.h"
#include "cxEdit.h"
#include "cxEditScopes.h"

CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomEdit, TcxContainer, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TcxEditChangeEventsCatcher, TObject)

using cx_edit_detail::TFlagScope;
using cx_edit_detail::TCountScope;

namespace {

std::string VariantText(const TVariant& value) {
  if (value.IsNull() || value.IsEmpty()) return {};
  try {
    return value.AsString();
  } catch (const Exception&) {
    return {};
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Class operations

TcxCustomEdit* TcxCustomEditClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomEdit(owner, inPlace);
}
const TcxCustomEditPropertiesClass* TcxCustomEditClass::OwnPropertiesClass() const {
  return TcxCustomEditProperties::StaticClassOperations();
}
const TcxEditDataBindingClass* TcxCustomEditClass::BindingClass() const {
  return TcxEditDataBinding::StaticClassOperations();
}

// ---------------------------------------------------------------------------------------------
// Change-event batching

void TcxEditChangeEventsCatcher::Lock(bool lock, bool fire) {
  if (lock) {
    if (lockCount_ == 0) ChangePending = EditValueChangedPending = false;
    ++lockCount_;
    return;
  }
  if (lockCount_ <= 0) return;
  if (--lockCount_ > 0 || !fire || editor_->IsLoadingEdit() || editor_->IsDestroyingEdit()) return;
  if (ChangePending && editor_->HasChangeHandler()) editor_->FireChangeEvents();
  if (EditValueChangedPending && editor_->HasEditValueChangedHandler()) editor_->FireEditValueChangedEvents();
}

// ---------------------------------------------------------------------------------------------
// Construction

TcxCustomEdit::TcxCustomEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxContainer(owner, cls->OwnPropertiesClass()->EditStyleClass(),
                   cls->OwnPropertiesClass()->ViewInfoClass()->Create()),
      inPlace_(inPlace) {
  InitializeEdit(cls);
  if (HandleAllocated()) ShortRefresh();
}

void TcxCustomEdit::InitializeEdit(const TcxCustomEditClass* cls) {
  changeEventsCatcher_ = std::make_unique<TcxEditChangeEventsCatcher>(this);
  properties_.reset(cls->OwnPropertiesClass()->Create(this));
  // An in-place editor's style follows no default controller; that was unknown while the base
  // part built the styles.
  if (inPlace_) TcxContainer::Style()->SetStyleController(nullptr);
  {
    std::unique_ptr<TcxCustomEditViewData> viewData(properties_->CreateViewData(ActiveEditStyle(), inPlace_));
    viewData->PrepareContentParams(contentParams_);
  }
  SetControlStyle(ControlStyle() + csCaptureMouse + csSetCaption);
  SetTabStop(true);
  CreateInnerEdit(cls);
  if (innerEdit_) {
    AttachInnerEdit();
    SetInnerControl(innerEdit_->Control());
  }
  dataBinding_.reset(cls->BindingClass()->Create(this));
  autoSize_ = !inPlace_;
  captureButton_ = -1;
  editValue_ = TVariant::Null();
  properties_->OnPropertiesChanged = MakeEvent(this, &TcxCustomEdit::ApplyPropertiesChange);
  if (inPlace_) SetKeys(cls->InnerEditClass() ? TcxKeys{kAll, kArrows} : TcxKeys{kAll, kArrows, kTab});
  dblClickTimer_ = std::make_unique<TcxTimer>(nullptr);
  dblClickTimer_->SetEnabled(false);
  dblClickTimer_->SetInterval(GetDoubleClickTime());
  dblClickTimer_->SetOnTimer(MakeEvent(this, &TcxCustomEdit::DblClickTimerTick));
  if (!inPlace_) properties_->SetDefaultValuesProvider(dataBinding_->DefaultValuesProvider());
  GetViewInfo()->Edit = this;
  justCreated_ = true;
}

void TcxCustomEdit::CreateInnerEdit(const TcxCustomEditClass* cls) {
  TClass innerClass = cls->InnerEditClass();
  if (!innerClass) return;
  TObject* instance = innerClass->Create(this);
  if (auto* provider = dynamic_cast<IcxInnerEditProvider*>(instance)) innerEdit_ = provider->InnerEdit();
  else innerEdit_ = dynamic_cast<IcxCustomInnerEdit*>(instance);
}

void TcxCustomEdit::AttachInnerEdit() {
  TWinControl* control = innerEdit_->Control();
  control->SetParent(this);
  if (properties_->HooksInnerEditChange()) innerEdit_->SetOnChange(MakeEvent(this, &TcxCustomEdit::InnerEditChanged));
  control->SetParentShowHint(false);
}

TcxCustomEdit::~TcxCustomEdit() {
  editDestroying_ = true;
  dblClickTimer_.reset();
  if (repositoryItem_) repositoryItem_->DetachObserver(this);
  if (innerEdit_) innerEdit_->SetOnChange({});
  innerEdit_ = nullptr;
  properties_->OnPropertiesChanged = {};
  if (!inPlace_) properties_->SetDefaultValuesProviderQuiet(nullptr);
  dataBinding_.reset();
  modificationStack_.clear();
  properties_.reset();
  changeEventsCatcher_.reset();
}

// ---------------------------------------------------------------------------------------------
// Properties and repository item

TcxCustomEditProperties* TcxCustomEdit::EffectiveProperties() {
  if (!repositoryItem_) return properties_.get();
  TcxCustomEditProperties* properties = repositoryItem_->Properties();
  properties->SetDefaultValuesProviderQuiet(dataBinding_ ? dataBinding_->DefaultValuesProvider() : nullptr);
  return properties;
}

void TcxCustomEdit::ApplyPropertiesChange(TObject*) {
  if (!properties_ || !dataBinding_) return;
  validated_ = false;
  const bool readOnly = IsReadOnlyNow();
  if (innerEdit_) innerEdit_->SetReadOnly(readOnly);
  if (modifiedAfterEnter_ && readOnly) modifiedAfterEnter_ = false;
  if (EffectiveProperties()->Transparent()) SetTransparent(true);
  ShortRefresh();
}

bool TcxCustomEdit::IsReadOnlyNow() { return EffectiveProperties()->ReadOnly() || !dataBinding_->HasData(); }

void TcxCustomEdit::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  Invalidate();
}

bool TcxCustomEdit::IsRepositoryItemAcceptable(TcxEditRepositoryItem* item) {
  return !item || item->ClassOperations()->ItemPropertiesClass()->Class()->InheritsFrom(
                      ClassOperations()->OwnPropertiesClass()->Class());
}

void TcxCustomEdit::SetRepositoryItem(TcxEditRepositoryItem* value) {
  if (value == repositoryItem_) return;
  if (!IsRepositoryItemAcceptable(value)) throw EcxEditError(LoadToolkitString(cxSEditInvalidRepositoryItem));
  BeforeRepositoryItemChange();
  if (repositoryItem_) {
    repositoryItem_->DetachObserver(this);
    repositoryItem_->RemoveFreeNotification(this);
  }
  repositoryItem_ = value;
  const bool quiet = IsLoadingEdit() || IsDestroyingEdit();
  if (value) {
    value->AttachObserver(this);
    value->FreeNotification(this);
    properties_->SetDefaultValuesProviderQuiet(nullptr);
    if (!quiet) ApplyPropertiesChange(value->Properties());
    properties_->OnPropertiesChanged = {};
  } else if (!quiet) {
    properties_->OnPropertiesChanged = MakeEvent(this, &TcxCustomEdit::ApplyPropertiesChange);
    properties_->SetDefaultValuesProvider(dataBinding_->DefaultValuesProvider());
  }
  AfterRepositoryItemChange();
}

void TcxCustomEdit::ItemRemoved(TcxEditRepositoryItem* item) {
  if (item == repositoryItem_) SetRepositoryItem(nullptr);
}

void TcxCustomEdit::ItemPropertiesChanged(TcxEditRepositoryItem* item) {
  if (item == repositoryItem_ && !IsLoadingEdit() && !IsDestroyingEdit()) ApplyPropertiesChange(item->Properties());
}

void TcxCustomEdit::Notification(TComponent* component, TOperation operation) {
  TcxContainer::Notification(component, operation);
  if (operation == opRemove && component == repositoryItem_) repositoryItem_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Change events

bool TcxCustomEdit::HasChangeHandler() {
  return static_cast<bool>(properties_->OnChange) || static_cast<bool>(EffectiveProperties()->OnChange);
}

bool TcxCustomEdit::HasEditValueChangedHandler() {
  return static_cast<bool>(properties_->OnEditValueChanged) ||
         static_cast<bool>(EffectiveProperties()->OnEditValueChanged);
}

void TcxCustomEdit::LockChangeEvents(bool lock, bool fire) { changeEventsCatcher_->Lock(lock, fire); }

void TcxCustomEdit::LockClick(bool lock) {
  if (lock) ++clickLockCount_;
  else if (clickLockCount_ > 0) --clickLockCount_;
}

void TcxCustomEdit::LockEditValueChanging(bool lock) {
  if (lock) ++editValueChangingLock_;
  else if (editValueChangingLock_ > 0) --editValueChangingLock_;
}

void TcxCustomEdit::PushModification() {
  modificationStack_.emplace_back(activationChanged_, modifiedAfterEnter_);
}

void TcxCustomEdit::PopModification() {
  if (modificationStack_.empty()) return;
  std::tie(activationChanged_, modifiedAfterEnter_) = modificationStack_.back();
  modificationStack_.pop_back();
}

void TcxCustomEdit::FireChangeEvents() {
  if (properties_->OnChange) properties_->OnChange(this);
  if (repositoryItem_ && EffectiveProperties()->OnChange) EffectiveProperties()->OnChange(this);
}

void TcxCustomEdit::FireEditValueChangedEvents() {
  if (properties_->OnEditValueChanged) properties_->OnEditValueChanged(this);
  if (repositoryItem_ && EffectiveProperties()->OnEditValueChanged) EffectiveProperties()->OnEditValueChanged(this);
}

namespace {
// An in-place editor fires its change events with both modification flags set, and gets its own
// back afterwards (also when a handler raises).
struct TModificationScope {
  TcxCustomEdit* editor;
  bool active;
  void (TcxCustomEdit::*pop)();
  ~TModificationScope() {
    if (active) (editor->*pop)();
  }
};
}  // namespace

void TcxCustomEdit::FireChange() {
  if (IsLoadingEdit() || IsDestroyingEdit()) return;
  if (HasChangeHandler()) {
    if (changeEventsCatcher_->IsLocked()) {
      changeEventsCatcher_->ChangePending = true;
    } else {
      if (inPlace_) {
        PushModification();
        activationChanged_ = modifiedAfterEnter_ = true;
      }
      TModificationScope scope{this, inPlace_, &TcxCustomEdit::PopModification};
      FireChangeEvents();
    }
  }
  TcxCustomEditProperties* active = EffectiveProperties();
  if (!active->HooksInnerEditChange() && !active->DetectsValueChange()) DoEditValueChanged();
}

void TcxCustomEdit::DoEditValueChanged() {
  if (IsLoadingEdit() || IsDestroyingEdit() || !HasEditValueChangedHandler()) return;
  if (changeEventsCatcher_->IsLocked()) {
    changeEventsCatcher_->EditValueChangedPending = true;
    return;
  }
  if (inPlace_) {
    PushModification();
    activationChanged_ = modifiedAfterEnter_ = true;
  }
  TModificationScope scope{this, inPlace_, &TcxCustomEdit::PopModification};
  FireEditValueChangedEvents();
}

// ---------------------------------------------------------------------------------------------
// The edit value

void TcxCustomEdit::SetModified() {
  modifiedAfterEnter_ = true;
  validated_ = false;
  activationChanged_ = true;
}

void TcxCustomEdit::InternalSetEditValue(const TVariant& value, bool) {
  if (keyboardAction_ && !RequestEditing()) return;
  TcxCustomEditProperties* active = EffectiveProperties();
  const bool changed = active->DetectsValueChange() && !VarEqualsForEdit(value, editValue_);
  editValue_ = value;
  UpdateDisplayFromValue();
  if (keyboardAction_) SetModified();
  else modifiedAfterEnter_ = activationChanged_ = false;
  if (!changed) return;
  DoEditValueChanged();
  if (!active->HooksInnerEditChange()) FireChange();
}

void TcxCustomEdit::AssignEditValue(const TVariant& value) {
  if (editValueChangingLock_ > 0) return;
  LockClick(true);
  struct TUnlock {
    TcxCustomEdit* e;
    ~TUnlock() { e->LockClick(false); }
  } unlock{this};
  if (!keyboardAction_ || RequestEditing()) InternalSetEditValue(value, true);
}

void TcxCustomEdit::AssignEditValueChecked(const TVariant& value) {
  if (editValueChangingLock_ > 0) return;
  if (!keyboardAction_ || RequestEditing()) InternalSetEditValue(value, true);
}

void TcxCustomEdit::CurrentEditValue(TVariant& value) {
  if (isFocused_ && !validated_ && modifiedAfterEnter_) ReadInnerValue(value);
  else StoredEditValue(value);
}

void TcxCustomEdit::EditValueToDisplayValue(const TVariant& value, TVariant& display, bool editing) {
  EffectiveProperties()->EditValueToDisplay(value, display, editing);
}

void TcxCustomEdit::ResetToClearValue() {
  TVariant value;
  ClearedValue(value);
  AssignEditValue(value);
}

void TcxCustomEdit::InnerEditChanged(TObject*) {
  if (isFocused_) SetModified();
  else if (!EffectiveProperties()->IsNotifying()) dataBinding_->DisplayValueChanged();
  FireChange();
}

void TcxCustomEdit::SetDisplayValueKeepingState(const TVariant& value) {
  PushModification();
  struct TPop {
    TcxCustomEdit* e;
    ~TPop() { e->PopModification(); }
  } pop{this};
  ApplyDisplayValue(value);
}

// ---------------------------------------------------------------------------------------------
// Editing permission, validation and posting

bool TcxCustomEdit::CanBeginEditing() {
  TcxCustomEditProperties* properties = EffectiveProperties();
  if (inPlace_) return properties->CanModifyInPlace();
  if (properties->AssignedValues()->ReadOnly()) return !properties->ReadOnly();
  IcxEditDefaultValuesProvider* defaults = dataBinding_->DefaultValuesProvider();
  return defaults->DataModifiable() && defaults->MayEnterEditMode();
}

bool TcxCustomEdit::RequestEditing() {
  if (!CanPostValue()) return false;
  if (dataBinding_->HasUnpostedChange()) return true;
  if (!CanBeginEditing()) return false;
  TFlagScope request(editingRequest_, true);
  bool canEdit = true;
  if (inPlace_) {
    TCountScope lock(editValueChangingLock_);
    if (OnEditing) OnEditing(this, canEdit);
    return canEdit;
  }
  const bool wasModified = dataBinding_->IsModified();
  if (OnEditing) OnEditing(this, canEdit);
  if (!canEdit) return false;
  if (wasModified) {
    dataBinding_->DisplayValueChanged();
    return true;
  }
  TCountScope lock(editValueChangingLock_);
  return dataBinding_->EnterEditMode();
}

bool TcxCustomEdit::ValidateInput(bool raise) {
  if (!modifiedAfterEnter_ || validated_) return true;
  TFlagScope validating(validating_, true);
  std::string text;
  DisplayValueText(text);
  TVariant display(text);
  bool error = false;
  std::string errorText;
  TcxCustomEditProperties* properties = EffectiveProperties();
  if (properties->ValidatesDisplayValue()) properties->CheckDisplayValue(display, errorText, this, error);
  if (error) {
    // The handler's display value stays in the editor, selected, whether the error raises or not.
    auto showResult = [&] {
      if (VariantText(display) != text) ShowDisplayValue(display);
      if (!Visible()) return;
      SelectAllText();
      if (!UsesInnerEditBounds()) RefreshDisplayText();
    };
    if (raise) {
      try {
        HandleValidationError(errorText, true);
      } catch (...) {
        showResult();
        throw;
      }
      Application->ProcessMessages();
    }
    showResult();
    return false;
  }
  if (keyboardAction_ && !RequestEditing()) return true;
  SetDisplayValueKeepingState(display);
  if (!inPlace_ && !isFocused_) modifiedAfterEnter_ = false;
  validated_ = true;
  return true;
}

void TcxCustomEdit::HandleValidationError(const std::string& errorText, bool raise) {
  if (!CanFocus()) {
    validated_ = true;
  } else if (Visible()) {
    if (!isFocused_) {
      TFlagScope processing(validateErrorProcessing_, true);
      if (innerEdit_ && innerEdit_->CanFocus()) innerEdit_->SafelySetFocus();
      else SetFocus();
    }
    SelectAllText();
  }
  if (EffectiveProperties()->BeepOnError()) MessageBeep(0);
  if (!errorText.empty()) throw EcxEditValidationError(errorText);
  if (raise) Abort();
}

bool TcxCustomEdit::NeedsPost() { return !IsDesigning() && dataBinding_->NeedsPost(); }

void TcxCustomEdit::FinishEditing(bool validate) {
  if (validate) {
    TFlagScope noKeyboard(keyboardAction_, false);
    if (!ValidateInput(true)) return;
  }
  try {
    BeginPost();
    struct TEnd {
      TcxCustomEdit* e;
      ~TEnd() { e->EndPost(); }
    } end{this};
    if (inPlace_) {
      if (OnPostEditValue) OnPostEditValue(this);
      modifiedAfterEnter_ = activationChanged_ = false;
    } else if (dataBinding_->HasUnpostedChange()) {
      TVariant value;
      StoredEditValue(value);
      dataBinding_->WriteStoredValue(value);
    }
  } catch (...) {
    if (inPlace_) return;
    HandleValidationError({}, false);
    throw;
  }
}

void TcxCustomEdit::RestorePreviousValue() {
  if (!modifiedAfterEnter_ || !EffectiveProperties()->SupportsValueReset()) return;
  LockChangeEvents(true);
  struct TUnlock {
    TcxCustomEdit* e;
    ~TUnlock() { e->LockChangeEvents(false, true); }
  } unlock{this};
  modifiedAfterEnter_ = false;
  TVariant value = previousEditValue_;
  if (dataBinding_->DefaultValuesProvider()->IsDataSourceBound()) dataBinding_->ReadStoredValue(value);
  AssignEditValueChecked(value);
  activationChanged_ = true;
  SelectAllText();
  if (EffectiveProperties()->ImmediatePost() && NeedsPost()) FinishEditing(false);
}

void TcxCustomEdit::DoModifiedClick() {
  SetModified();
  if (clickLockCount_ == 0 && OnClick) OnClick(this);
}

void TcxCustomEdit::DoClosePopup(int reason) {
  if (properties_->OnPopupClosed) properties_->OnPopupClosed(this, reason);
  if (repositoryItem_ && EffectiveProperties()->OnPopupClosed) EffectiveProperties()->OnPopupClosed(this, reason);
}

// ---------------------------------------------------------------------------------------------
// Buttons

void TcxCustomEdit::ClickDefaultButton() {
  const int index = GetViewInfo()->DefaultButtonIndex();
  if (index >= 0) ButtonClicked(index);
}

void TcxCustomEdit::ButtonClicked(int visibleIndex) {
  TcxCustomEditViewInfo* viewInfo = GetViewInfo();
  if (visibleIndex < 0 || visibleIndex >= viewInfo->ButtonCount()) return;
  const int index = viewInfo->Button(visibleIndex)->Index;
  if (properties_->OnButtonClick) properties_->OnButtonClick(this, index);
  if (repositoryItem_ && EffectiveProperties()->OnButtonClick) EffectiveProperties()->OnButtonClick(this, index);
}

void TcxCustomEdit::UpdateButtonPressState(TcxCustomEditViewInfo* old, TcxContainerMouseButton) {
  TcxCustomEditViewInfo* now = GetViewInfo();
  if (old->PressedButton == now->PressedButton && old->SelectedButton == now->SelectedButton) return;
  if (old->PressedButton != -1) {
    ButtonPressEnded(old->PressedButton);
    if (now->SelectedButton == old->PressedButton) ButtonClicked(old->PressedButton);
  }
  if (now->PressedButton != -1 && old->PressedButton == -1) ButtonPressStarted(now->PressedButton);
}

bool TcxCustomEdit::IsDefaultButtonShortCut(Word key, TShiftState shift) {
  return GetViewInfo()->DefaultButtonIndex() >= 0 && ShortCut(key, shift) == EffectiveProperties()->ClickKey();
}

bool TcxCustomEdit::IsClearOrClickKey(Word key, TShiftState shift) {
  const TShortCut shortCut = ShortCut(key, shift);
  TcxCustomEditProperties* properties = EffectiveProperties();
  return shortCut == properties->ClearKey() ||
         (GetViewInfo()->DefaultButtonIndex() >= 0 && shortCut == properties->ClickKey());
}

// ---------------------------------------------------------------------------------------------
// View calculation, sizing and painting

TcxCustomEditViewData* TcxCustomEdit::CreateViewData() {
  TcxCustomEditViewData* viewData = EffectiveProperties()->CreateViewData(ActiveEditStyle(), inPlace_);
  if (inPlace_) viewData->ContentParams = contentParams_;
  viewData->Edit = IsDestroyingEdit() ? nullptr : this;
  viewData->WindowHandle = HandleAllocated() ? Handle() : nullptr;
  FillDrawParams(viewData);
  return viewData;
}

void TcxCustomEdit::FillDrawParams(TcxCustomEditViewData* viewData) {
  viewData->Enabled = Enabled();
  viewData->Focused = IsContainerFocused();
  viewData->HScrollBar = IsHScrollBarVisible() ? HScrollBar() : nullptr;
  viewData->VScrollBar = IsVScrollBarVisible() ? VScrollBar() : nullptr;
  viewData->InnerEdit = innerEdit_ ? innerEdit_->Control() : nullptr;
  viewData->IsDesigning = IsDesigning();
  viewData->CaptureButtonVisibleIndex = captureButton_;
}

bool TcxCustomEdit::RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                                     bool isMouseEvent) {
  if (!HandleAllocated() || !properties_ || !dataBinding_ || IsDestroyingEdit()) return false;
  if (GetCapture() != Handle()) captureButton_ = -1;
  TcxCustomEditViewInfo* viewInfo = GetViewInfo();
  std::unique_ptr<TcxCustomEditViewInfo> old(EffectiveProperties()->ClassOperations()->ViewInfoClass()->Create());
  old->TakeFrom(viewInfo);
  {
    std::unique_ptr<TcxCustomEditViewData> viewData(CreateViewData());
    viewData->ComputeLayout(cxCanvas(), GetControlSizeRect(this), point, button, shift, viewInfo, isMouseEvent);
  }
  ViewInfoCalculated();
  const TRect except = UsesInnerEditBounds() ? viewInfo->InnerEditRect : viewInfo->ClientRect;
  const bool changed = viewInfo->InvalidateChanges(this, innerEdit_ ? except : TRect(), old.get());
  if (isMouseEvent && !changed && old->PressedButton == viewInfo->PressedButton &&
      old->SelectedButton == viewInfo->SelectedButton)
    return true;
  AdjustInnerEditBounds();
  ApplyStyleToInner();
  {
    TFlagScope region(settingWindowRegion_, true);
    UpdateWindowRegion();
  }
  if (viewInfo->ContainerState.Contains(csHotTrack)) BeginMouseTracking(this, CalcHotTrackRect(), this);
  if (isMouseEvent) UpdateButtonPressState(old.get(), button);
  return true;
}

void TcxCustomEdit::AdjustInnerEditBounds() { AdjustInnerControl(); }

TRect TcxCustomEdit::CalcBorderWidths() {
  const TcxCustomEditViewInfo* v = GetViewInfo();
  return TRect(v->ShadowRect.Left - v->Bounds.Left, v->ShadowRect.Top - v->Bounds.Top,
               v->Bounds.Right - v->ShadowRect.Right, v->Bounds.Bottom - v->ShadowRect.Bottom);
}

bool TcxCustomEdit::IsNativeStyle() {
  std::unique_ptr<TcxCustomEditViewData> viewData(EffectiveProperties()->CreateViewData(Style(), inPlace_));
  return viewData->UsesNativeEditTheme(Style()->LookAndFeel());
}

bool TcxCustomEdit::HasShadow() {
  return !inPlace_ && ActiveEditStyle()->Shadow() && !IsNativeStyle();
}

bool TcxCustomEdit::IsWidthAutoSized() { return EffectiveProperties()->ButtonsLayout() == eblButtonsAutoWidth; }

void TcxCustomEdit::FillAutoSizeParams(TcxEditSizeProperties& request) {
  request.Height = -1;
  request.MaxLineCount = 1;
  request.Width = Width();
}

void TcxCustomEdit::ApplyAutoSize(int& width, int& height) {
  if (!IsHeightAutoSized()) return;
  TcxEditSizeProperties request;
  FillAutoSizeParams(request);
  std::unique_ptr<TcxCustomEditViewData> viewData(CreateViewData());
  TVariant value;
  StoredEditValue(value);
  const TSize size = viewData->GetEditSize(SharedScreenCanvas(), value, request);
  const TAlign align = Align();
  if (IsWidthAutoSized() && (align == alNone || align == alLeft || align == alRight)) width = size.cx;
  if (align == alNone || align == alTop || align == alBottom) height = size.cy;
}

void TcxCustomEdit::AdjustSize() {
  if (!HandleAllocated() || IsDestroyingEdit()) return;
  int width = Width(), height = Height();
  ApplyAutoSize(width, height);
  if (width != Width() || height != Height()) {
    const int left = KeepsRightEdgeOnAutoSize() ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, height);
  }
  AdjustInnerEditBounds();
}

void TcxCustomEdit::SetAutoSize(bool value) {
  if (inPlace_ || autoSize_ == value) return;
  autoSize_ = value;
  if (!value) return;
  if (Parent()) HandleNeeded();
  AdjustSize();
  ShortRefresh();
}

void TcxCustomEdit::Resize() {
  TcxContainer::Resize();
  if (!IsLoadingEdit()) AdjustSize();
}

bool TcxCustomEdit::IsPaintingDataCopy() {
  return dataBinding_->DefaultValuesProvider()->IsDataSourceBound() &&
         ControlState().Contains(csPaintCopy);
}

void TcxCustomEdit::PaintDataSnapshot(TcxCanvas* canvas) {
  std::unique_ptr<TcxCustomEditViewInfo> viewInfo(EffectiveProperties()->ClassOperations()->ViewInfoClass()->Create());
  std::unique_ptr<TcxCustomEditViewData> viewData(CreateViewData());
  TVariant value;
  dataBinding_->ReadStoredValue(value);
  viewData->ComputeLayout(canvas, GetControlSizeRect(this), TPoint(-1, -1), cmbNone, {}, viewInfo.get(), false);
  viewData->PrepareDrawValue(canvas, value, viewInfo.get());
  viewInfo->PaintAll(canvas);
  canvas->ExcludeClipRect(GetControlSizeRect(this));
}

void TcxCustomEdit::Paint() {
  if (IsPaintingDataCopy()) {
    TcxBrushCachePaintScope brushes;
    return PaintDataSnapshot(cxCanvas());
  }
  TcxContainer::Paint();
}

void TcxCustomEdit::CreateWnd() {
  TcxContainer::CreateWnd();
  if (isFocused_ && innerEdit_ && innerEdit_->CanFocus()) innerEdit_->SafelySetFocus();
}

void TcxCustomEdit::Loaded() {
  properties_->OnPropertiesChanged = {};
  LockChangeEvents(true);
  LockClick(true);
  TcxContainer::Loaded();
  dataBinding_->RefreshBinding();
  ShortRefresh();
  if (!repositoryItem_) properties_->OnPropertiesChanged = MakeEvent(this, &TcxCustomEdit::ApplyPropertiesChange);
  ApplyPropertiesChange(EffectiveProperties());
  GetViewInfo()->Shadow = false;
  StyleChanged(Style());
  LockClick(false);
  LockChangeEvents(false, false);
}

void TcxCustomEdit::SetParent(TWinControl* parent) {
  TcxContainer::SetParent(parent);
  if (!parent || parentedOnce_ || !justCreated_ || IsLoadingEdit()) return;
  parentedOnce_ = true;
  dataBinding_->RefreshBinding();
  ApplyPropertiesChange(properties_.get());
  dataBinding_->UpdateDisplayValue();
}

void TcxCustomEdit::GetTabOrderList(std::vector<TWinControl*>& list) {
  TcxContainer::GetTabOrderList(list);
  if (inPlace_ && Visible()) list.erase(std::remove(list.begin(), list.end(), Parent()), list.end());
}
