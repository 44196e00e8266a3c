// The editor's data binding (its tie to the source of its value, here the editor itself) and the
// in-place edit data a host keeps between activations.
#include "cxEdit.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxEditDataBinding, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TcxCustomEditData, TObject)

TcxEditDataBinding* TcxEditDataBindingClass::Create(TcxCustomEdit* editor) const {
  return new TcxEditDataBinding(editor);
}

TClass TcxEditDataBindingClass::DefaultValuesProviderClass() const {
  return TcxCustomEditDefaultValuesProvider::StaticClass();
}

TcxEditDataBinding::TcxEditDataBinding(TcxCustomEdit* editor, const TcxEditDataBindingClass* cls) : editor_(editor) {
  provider_.reset(static_cast<TcxCustomEditDefaultValuesProvider*>(cls->DefaultValuesProviderClass()->Create(nullptr)));
}

TcxEditDataBinding::~TcxEditDataBinding() = default;

IcxEditDefaultValuesProvider* TcxEditDataBinding::DefaultValuesProvider() const { return provider_.get(); }

bool TcxEditDataBinding::HasData() const { return provider_->DataAvailable(); }

TPersistent* TcxEditDataBinding::GetOwner() { return editor_; }

void TcxEditDataBinding::DefaultValuesChanged() {
  TcxCustomEditProperties* properties = editor_->EffectiveProperties();
  if (!editor_->RepositoryItem()) return properties->NotifyChanged();
  properties->BeginUpdate();
  properties->NotifyChanged();
  properties->EndUpdate(false);
  editor_->ApplyPropertiesChange(properties);
}

void TcxEditDataBinding::ReadDisplayValue(TVariant& value) {
  std::string text;
  editor_->DisplayValueText(text);
  value = TVariant(text);
}

bool TcxEditDataBinding::IsModified() { return editor_->ModifiedAfterEnter(); }
bool TcxEditDataBinding::HasUnpostedChange() { return editor_->ModifiedAfterEnter(); }
void TcxEditDataBinding::ReadStoredValue(TVariant& value) { editor_->StoredEditValue(value); }
void TcxEditDataBinding::RevertValue() { editor_->RestorePreviousValue(); }
void TcxEditDataBinding::PutDisplayValue(const TVariant& value) { editor_->ShowDisplayValue(value); }

bool TcxEditDataBinding::EnterEditMode() {
  editor_->SetModified();
  return true;
}

bool TcxEditDataBinding::MayCheckValueRange() { return editor_->IsDesigning() || !editor_->ModifiedAfterEnter(); }

void TcxEditDataBinding::DisplayValueChanged() {
  if (editor_->IsContainerFocused()) editor_->SetModified();
}

void TcxEditDataBinding::UpdateDisplayValue() { editor_->UpdateDisplayFromValue(); }

// ---------------------------------------------------------------------------------------------
// In-place edit data

TcxCustomEditData::TcxCustomEditData(TcxCustomEdit* editor) : editor_(editor) {
  notificator_ = std::make_unique<TcxFreeNotificator>();
  notificator_->OnFreeNotification = MakeEvent(this, &TcxCustomEditData::EditorFreed);
  notificator_->AddSender(editor);
  MarkCleared();
}

TcxCustomEditData::~TcxCustomEditData() {
  if (editor_ && editor_->editData_ == this) editor_->editData_ = nullptr;
  notificator_.reset();
}

void TcxCustomEditData::MarkCleared() {
  cleared_ = true;
  if (!editor_ || editor_->editData_ != this) return;
  editor_->InitFromClearedEditData();
  cleared_ = false;
}

void TcxCustomEditData::EditorFreed(TComponent* component) {
  if (component == editor_) editor_ = nullptr;
}
