// Editor properties: the settings object one or many editors share, its alignment and assigned-value
// companions, the default-values provider, batched change notification and validation.
#include <algorithm>

#include "SysUtils.h"
#include "TypInfo.h"
#include "cxEdit.h"

CALDERAN_IMPLEMENT_CLASS(TcxEditAlignment, TPersistent)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomEditPropertiesValues, TPersistent, TcxCustomEditProperties*)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomEditDefaultValuesProvider, TcxInterfacedPersistent, TPersistent*)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomEditProperties, TcxInterfacedPersistent)

namespace {

std::vector<TcxCustomEditProperties*> liveProperties;

// The depth is restored even when the handler raises.
class TNotificationDepthScope {
 public:
  explicit TNotificationDepthScope(int& depth) : depth_(depth) { ++depth_; }
  ~TNotificationDepthScope() { --depth_; }

 private:
  int& depth_;
};

}  // namespace

const std::vector<TcxCustomEditProperties*>& LivePropertiesList() { return liveProperties; }

// ---------------------------------------------------------------------------------------------
// Alignment

void TcxEditAlignment::SetHorz(TAlignment value) {
  if (horzAssigned_ && horz_ == value) return;
  horzAssigned_ = true;
  horz_ = value;
  Notify();
}

void TcxEditAlignment::SetVert(TcxEditVertAlignment value) {
  if (vert_ == value) return;
  vert_ = value;
  Notify();
}

void TcxEditAlignment::ForgetHorz() {
  horzAssigned_ = false;
  Notify();
}

void TcxEditAlignment::Assign(TPersistent* source) {
  auto* alignment = ObjectAs<TcxEditAlignment>(source);
  if (!alignment) return TPersistent::Assign(source);
  vert_ = alignment->vert_;
  horz_ = alignment->horz_;
  horzAssigned_ = alignment->horzAssigned_;
  Notify();
}

// ---------------------------------------------------------------------------------------------
// Assigned-value flags

TPersistent* TcxCustomEditPropertiesValues::GetOwner() { return owner_; }

void TcxCustomEditPropertiesValues::SetFlag(bool& flag, bool value) {
  if (flag == value) return;
  flag = value;
  owner_->NotifyChanged();
}

void TcxCustomEditPropertiesValues::Assign(TPersistent* source) {
  auto* values = ObjectAs<TcxCustomEditPropertiesValues>(source);
  if (!values) return TPersistent::Assign(source);
  owner_->BeginUpdate();
  SetMaxValue(values->maxValue_);
  SetMinValue(values->minValue_);
  SetReadOnly(values->readOnly_);
  owner_->EndUpdate(true);
}

void TcxCustomEditPropertiesValues::RestoreDefaults() {
  owner_->BeginUpdate();
  SetMaxValue(false);
  SetMinValue(false);
  SetReadOnly(false);
  owner_->EndUpdate(true);
}

bool TcxCustomEditPropertiesValues::IsMaxValueStored() const {
  return maxValue_ && owner_->MaxValue() == 0 && FindPublishedProperty(owner_->ClassType(), "MaxValue");
}

bool TcxCustomEditPropertiesValues::IsMinValueStored() const {
  return minValue_ && owner_->MinValue() == 0 && FindPublishedProperty(owner_->ClassType(), "MinValue");
}

// ---------------------------------------------------------------------------------------------
// Default-values provider

TcxCustomEditDefaultValuesProvider::~TcxCustomEditDefaultValuesProvider() { ReleaseFromProperties(); }

void TcxCustomEditDefaultValuesProvider::ReleaseFromProperties() {
  for (TcxCustomEditProperties* properties : std::vector(liveProperties))
    if (IcxEditDefaultValuesProvider* provider = properties->DefaultValuesProvider();
        provider && provider->ProviderObject() == this)
      properties->DropDefaultValuesProvider();
}

// ---------------------------------------------------------------------------------------------
// Class operations

TcxCustomEditProperties* TcxCustomEditPropertiesClass::Create(TPersistent* owner) const {
  return new TcxCustomEditProperties(owner);
}
TClass TcxCustomEditPropertiesClass::AssignedFlagsClass() const { return TcxCustomEditPropertiesValues::StaticClass(); }
TClass TcxCustomEditPropertiesClass::ButtonsClass() const { return TcxEditButtons::StaticClass(); }
const TcxCustomEditClass* TcxCustomEditPropertiesClass::EditClass() const {
  return TcxCustomEdit::StaticClassOperations();
}
const TcxCustomEditStyleClass* TcxCustomEditPropertiesClass::EditStyleClass() const {
  return TcxEditStyle::StaticClassOperations();
}
const TcxCustomEditViewDataClass* TcxCustomEditPropertiesClass::ViewDataClass(TcxCustomEditStyle*, bool) const {
  return TcxCustomEditViewData::StaticClassOperations();
}
const TcxCustomEditViewInfoClass* TcxCustomEditPropertiesClass::ViewInfoClass() const {
  return TcxCustomEditViewInfo::StaticClassOperations();
}

// ---------------------------------------------------------------------------------------------
// Construction

TcxCustomEditProperties::TcxCustomEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
    : TcxInterfacedPersistent(owner), owner_(owner) {
  liveProperties.push_back(this);
  freeNotificator_ = std::make_unique<TcxFreeNotificator>();
  freeNotificator_->OnFreeNotification = MakeEvent(this, &TcxCustomEditProperties::FreeNotification);
  faceAlignment_ = std::make_unique<TcxEditAlignment>(this);
  faceAlignment_->OnChanged = MakeEvent(this, &TcxCustomEditProperties::AlignmentObjectChanged);
  assignedValues_.reset(static_cast<TcxCustomEditPropertiesValues*>(cls->AssignedFlagsClass()->Create(this)));
  buttons_.reset(static_cast<TcxEditButtons*>(cls->ButtonsClass()->Create(this)));
  buttons_->OnChange = MakeEvent(this, &TcxCustomEditProperties::ButtonsChanged);
  useLeftAlignmentOnEditing_ = cls->DefaultLeftAlignOnEditing();
  storedAlignment_ = std::make_unique<TcxEditAlignment>(this);
}

TcxCustomEditProperties::~TcxCustomEditProperties() {
  if (std::vector<TcxInplaceEditList*>* lists = InplaceEditLists())
    for (TcxInplaceEditList* list : *lists) list->RemoveProperties(this);
  valueDefaults_ = nullptr;
  buttons_->OnChange = {};
  buttons_.reset();
  storedAlignment_.reset();
  assignedValues_.reset();
  faceAlignment_->OnChanged = {};
  faceAlignment_.reset();
  freeNotificator_.reset();
  liveProperties.erase(std::remove(liveProperties.begin(), liveProperties.end(), this), liveProperties.end());
}

// ---------------------------------------------------------------------------------------------
// Notification and update counting

bool TcxCustomEditProperties::IsOwnerDestroying() const {
  auto* component = ObjectAs<TComponent>(owner_);
  return component && component->ComponentState().Contains(csDestroying);
}

void TcxCustomEditProperties::NotifyChanged() {
  if (IsChangeLocked() || IsOwnerDestroying()) {
    changePending_ = true;
    return;
  }
  if (!OnPropertiesChanged) return;
  TNotificationDepthScope depth(notificationDepth_);
  OnPropertiesChanged(this);
}

void TcxCustomEditProperties::BeginUpdate() {
  if (updateCount_ == 0) changePending_ = false;
  ++updateCount_;
}

void TcxCustomEditProperties::EndUpdate(bool fire) {
  if (updateCount_ < 1) return;
  --updateCount_;
  if (updateCount_ == 0 && fire && changePending_) NotifyChanged();
}

void TcxCustomEditProperties::SetDefaultValuesProvider(IcxEditDefaultValuesProvider* provider) {
  valueDefaults_ = provider;
  if (ObjectAs<TcxCustomEdit>(owner_)) NotifyChanged();
}

// ---------------------------------------------------------------------------------------------
// Values

bool TcxCustomEditProperties::ReadOnly() const {
  if (assignedValues_->ReadOnly()) return readOnly_;
  return valueDefaults_ ? valueDefaults_->ReadOnlyDefault() : false;
}

void TcxCustomEditProperties::SetReadOnly(bool value) {
  if (assignedValues_->readOnly_ && readOnly_ == value) return;
  assignedValues_->readOnly_ = true;
  readOnly_ = value;
  NotifyChanged();
}

double TcxCustomEditProperties::GetMaxValue() const {
  if (assignedValues_->MaxValue()) return maxValue_;
  return valueDefaults_ ? valueDefaults_->MaxValueDefault() : 0;
}

double TcxCustomEditProperties::GetMinValue() const {
  if (assignedValues_->MinValue()) return minValue_;
  return valueDefaults_ ? valueDefaults_->MinValueDefault() : 0;
}

void TcxCustomEditProperties::SetMaxValue(double value) {
  if (assignedValues_->maxValue_ && maxValue_ == value) return;
  assignedValues_->maxValue_ = true;
  maxValue_ = value;
  NotifyChanged();
}

void TcxCustomEditProperties::SetMinValue(double value) {
  if (assignedValues_->minValue_ && minValue_ == value) return;
  assignedValues_->minValue_ = true;
  minValue_ = value;
  NotifyChanged();
}

TAlignment TcxCustomEditProperties::DefaultHorzAlignment() {
  return valueDefaults_ ? valueDefaults_->HorzAlignmentDefault() : faceAlignment_->Horz();
}

// The face is rebuilt from the stored alignment on every read; while the owning component is being
// written, the face keeps what is stored instead of a computed default.
TcxEditAlignment* TcxCustomEditProperties::Alignment() {
  faceAlignment_->OnChanged = {};
  faceAlignment_->Assign(storedAlignment_.get());
  TComponent* component = OwningComponent(this);
  const bool writing = component && component->ComponentState().Contains(csWriting);
  if (!(storedAlignment_->HasAnythingToStore() && writing) && !storedAlignment_->IsHorzAssigned()) {
    faceAlignment_->horz_ = DefaultHorzAlignment();
    faceAlignment_->horzAssigned_ = false;
  }
  faceAlignment_->OnChanged = MakeEvent(this, &TcxCustomEditProperties::AlignmentObjectChanged);
  return faceAlignment_.get();
}

void TcxCustomEditProperties::AlignmentObjectChanged(TObject* sender) {
  storedAlignment_->Assign(static_cast<TcxEditAlignment*>(sender));
  NotifyChanged();
}

void TcxCustomEditProperties::StoreAlignment(TcxEditAlignment* value) {
  storedAlignment_->Assign(value);
  NotifyChanged();
}

std::string TcxCustomEditProperties::InvalidInputMessage() const { return LoadToolkitString(cxSEditInvalidInput); }

bool TcxCustomEditProperties::UsesDefaultDisplayFormat() const {
  const uint8_t options = FormatOptions();
  if (!(options & cxEditFormatDisplay) || HasEditValueKind(1) || !HasEditValueKind(0) || !valueDefaults_) return false;
  return valueDefaults_->DisplayFormatDefined(!(options & cxEditFormatAskNotForDisplay));
}

bool TcxCustomEditProperties::HasProviderDisplayFormat(bool ignore) const {
  const uint8_t options = FormatOptions();
  if (ignore || !(options & cxEditFormatDisplay) || !valueDefaults_) return false;
  return valueDefaults_->DisplayFormatDefined(!(options & cxEditFormatAskNotForDisplay));
}

uint16_t TcxCustomEditProperties::GetSupportedOperations() const {
  return buttons_->Count() > 0 ? cxEditOperationButtons : 0;
}

bool TcxCustomEditProperties::CanModifyInPlace() const {
  if (assignedValues_->ReadOnly() && !readOnly_) return true;
  if (ReadOnly()) return false;
  if (!valueDefaults_) return true;
  return valueDefaults_->DataModifiable() && valueDefaults_->MayEnterEditMode();
}

void TcxCustomEditProperties::EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool) {
  displayValue = editValue;
}

bool TcxCustomEditProperties::EditValuesEqual(const TVariant& value1, const TVariant& value2) {
  TVariant display1, display2;
  EditValueToDisplay(value1, display1, false);
  EditValueToDisplay(value2, display2, false);
  try {
    return VarCompareValue(display1, display2) == vrEqual;
  } catch (const Exception&) {
    return false;
  }
}

TcxCustomEditViewData* TcxCustomEditProperties::CreateViewData(TcxCustomEditStyle* style, bool inPlace, bool preview) {
  TcxCustomEditViewData* viewData = ClassOperations()->ViewDataClass(style, inPlace)->Create(this, style, inPlace);
  viewData->PreviewMode = preview;
  return viewData;
}

TSize TcxCustomEditProperties::GetEditSize(TcxCanvas* canvas, TcxCustomEditStyle* style, bool inPlace,
                                           const TVariant& editValue, TcxEditSizeProperties& request) {
  std::unique_ptr<TcxCustomEditViewData> viewData(CreateViewData(style, inPlace));
  return viewData->GetEditSize(canvas, editValue, request);
}

void TcxCustomEditProperties::RestoreDefaults() {
  storedAlignment_->ForgetHorz();
  BeginUpdate();
  assignedValues_->RestoreDefaults();
  NotifyChanged();
  EndUpdate(true);
}

// ---------------------------------------------------------------------------------------------
// Assign

void TcxCustomEditProperties::Assign(TPersistent* source) {
  auto* from = ObjectAs<TcxCustomEditProperties>(source);
  if (!from) return TcxInterfacedPersistent::Assign(source);
  BeginUpdate();
  SetAutoSelect(from->autoSelect_);
  buttons_->Assign(from->buttons_.get());
  SetButtonsLayout(from->buttonsLayout_);
  beepOnError_ = from->beepOnError_;
  clearKey_ = from->clearKey_;
  clickKey_ = from->clickKey_;
  useLeftAlignmentOnEditing_ = from->useLeftAlignmentOnEditing_;
  valueDefaults_ = from->valueDefaults_;
  StoreAlignment(from->Alignment());
  assignedValues_->SetMaxValue(false);
  if (from->assignedValues_->MaxValue()) SetMaxValue(from->MaxValue());
  assignedValues_->SetMinValue(false);
  if (from->assignedValues_->MinValue()) SetMinValue(from->MinValue());
  assignedValues_->SetReadOnly(false);
  if (from->assignedValues_->ReadOnly()) SetReadOnly(from->ReadOnly());
  immediatePost_ = from->immediatePost_;
  SetTransparent(from->transparent_);
  mouseWheelEnabled_ = from->mouseWheelEnabled_;
  validateOnEnter_ = from->validateOnEnter_;
  OnButtonClick = from->OnButtonClick;
  OnChange = from->OnChange;
  OnEditValueChanged = from->OnEditValueChanged;
  OnValidate = from->OnValidate;
  AssignExtra(from);
  EndUpdate(true);
}

// ---------------------------------------------------------------------------------------------
// Validation

void TcxCustomEditProperties::CheckDisplayValue(TVariant& displayValue, std::string& errorText, TcxCustomEdit* editor,
                                                bool& error) {
  if (!ValidatesDisplayValue()) return;
  if (errorText.empty()) errorText = InvalidInputMessage();
  TcxCustomEditProperties* own = editor->OwnProperties();
  TcxCustomEditProperties* active = editor->EffectiveProperties();
  if (!own->OnValidate && !active->OnValidate) return;
  const TVariant original = displayValue;
  if (own->OnValidate) own->OnValidate(editor, displayValue, errorText, error);
  if (editor->RepositoryItem() && active->OnValidate) active->OnValidate(editor, displayValue, errorText, error);
  if (!error) return;
  auto text = [](const TVariant& v) {
    try {
      return v.IsNull() || v.IsEmpty() ? std::string() : v.AsString();
    } catch (const Exception&) {
      return std::string();
    }
  };
  if (text(displayValue) == text(original)) {
    std::string current;
    editor->DisplayValueText(current);
    displayValue = TVariant(current);
  }
}
