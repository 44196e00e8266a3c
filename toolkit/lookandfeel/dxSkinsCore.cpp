#include "dxSkinsCore.h"

#include "SysUtils.h"
#include "cxClasses.h"

CALDERAN_IMPLEMENT_CLASS(TdxSkinCustomPersistentObject, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TdxSkinPersistent, TdxSkinCustomPersistentObject)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinProperty, TdxSkinCustomPersistentObject, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinIntegerProperty, TdxSkinProperty, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinBooleanProperty, TdxSkinProperty, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinColor, TdxSkinProperty, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinStringProperty, TdxSkinProperty, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinRectProperty, TdxSkinProperty, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinSizeProperty, TdxSkinProperty, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinBorder, TdxSkinProperty, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinBorders, TdxSkinProperty, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinElement, TdxSkinPersistent, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinEmptyElement, TdxSkinElement, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinControlGroup, TdxSkinPersistent, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxSkinImage, TPersistent, TdxSkinElement*)
CALDERAN_IMPLEMENT_CLASS(EdxSkin, Exception)
CALDERAN_IMPLEMENT_CLASS(TdxSkinPartStream, TStream)
CALDERAN_IMPLEMENT_CLASS(TdxSkinCanvas, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxSkinElementCache, TObject)
constinit const TMetaClass TdxSkin::ClassRecord{"TdxSkin", &TdxSkinPersistent::ClassRecord,
                                                [](TObject*) -> TObject* { return new TdxSkin(); }};

// The current stream version.
constexpr double dxSkinStreamVersion = 1.02;

Word SkinStatesToBits(TdxSkinElementStates states) {
  Word bits = 0;
  for (int s = 0; s < dxSkinElementStateCount; ++s)
    if (states.Contains(static_cast<TdxSkinElementState>(s))) bits |= static_cast<Word>(1u << s);
  return bits;
}

TdxSkinElementStates SkinStatesFromBits(Word bits) {
  TdxSkinElementStates states;
  for (int s = 0; s < dxSkinElementStateCount; ++s)
    if (bits & (1u << s)) states.Include(static_cast<TdxSkinElementState>(s));
  return states;
}

template <class T> void TdxSkinObjectList<T>::SortByName() {
  std::stable_sort(items_.begin(), items_.end(),
                   [](const auto& a, const auto& b) { return AnsiCompareStr(a->Name(), b->Name()) < 0; });
}

template <class T> T* TdxSkinObjectList<T>::FindByName(const std::string& name) const {
  int low = 0, high = Count() - 1;
  while (low <= high) {
    int middle = (low + high) / 2;
    int order = AnsiCompareStr(items_[middle]->Name(), name);
    if (order == 0) return items_[middle].get();
    if (order < 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------

TdxSkinCustomPersistentObject* TdxSkinCustomPersistentObject::Clone() {
  auto* clone = static_cast<TdxSkinCustomPersistentObject*>(ClassType()->Create(nullptr));
  clone->SetName(Name());
  clone->Assign(this);
  return clone;
}

void TdxSkinCustomPersistentObject::DoChange() { CallNotifyEvent(OnChange, this); }

TdxSkinPersistent::TdxSkinPersistent(TPersistent* owner, const std::string& name)
    : TdxSkinCustomPersistentObject(owner, name) {}

TdxSkinPersistent::~TdxSkinPersistent() = default;

void TdxSkinPersistent::Adopt(TdxSkinCustomPersistentObject* item) {
  item->SetOwner(this);
  item->OnChange = MakeEvent(this, &TdxSkinPersistent::SubItemChanged);
}

TdxSkinProperty* TdxSkinPersistent::AddProperty(const std::string& name, TClass propertyClass) {
  if (!propertyClass || !propertyClass->InheritsFrom(TdxSkinProperty::StaticClass())) return nullptr;
  auto* property = AddItem(properties_, static_cast<TdxSkinProperty*>(propertyClass->Create(this)));
  property->SetName(name);
  Changed();
  return property;
}

TdxSkinProperty* TdxSkinPersistent::GetPropertyByName(const std::string& name) {
  SortIfNeeded();
  return properties_.FindByName(name);
}

void TdxSkinPersistent::EndUpdate() {
  if (--updateCount_ == 0) Changed();
}

void TdxSkinPersistent::Delete(TdxSkinCustomPersistentObject* item) {
  if (properties_.Delete(item)) Changed();
}

void TdxSkinPersistent::Changed() {
  sorted_ = false;
  if (updateCount_ == 0) DoChange();
}

void TdxSkinPersistent::Sort() { properties_.SortByName(); }

void TdxSkinPersistent::SubItemChanged(TObject*) { Changed(); }

void TdxSkinPersistent::SortIfNeeded() {
  if (sorted_) return;
  Sort();
  sorted_ = true;
}

void TdxSkinPersistent::Assign(TPersistent* source) {
  auto* other = ObjectAs<TdxSkinPersistent>(source);
  if (!other) return TdxSkinCustomPersistentObject::Assign(source);
  BeginUpdate();
  AppendClones(properties_, other->properties_);
  EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// Groups and the skin

void TdxSkinControlGroup::Assign(TPersistent* source) {
  BeginUpdate();
  if (auto* other = ObjectAs<TdxSkinControlGroup>(source)) AppendClones(elements_, other->elements_);
  TdxSkinPersistent::Assign(source);
  EndUpdate();
}

TdxSkinElement* TdxSkinControlGroup::AddElement(const std::string& name) {
  return AddElementEx(name, TdxSkinElement::StaticClass());
}

TdxSkinElement* TdxSkinControlGroup::AddElementEx(const std::string& name, TClass elementClass) {
  auto* element = AddItem(elements_, static_cast<TdxSkinElement*>(elementClass->Create(this)));
  element->SetName(name);
  Changed();
  return element;
}

TdxSkinElement* TdxSkinControlGroup::GetElementByName(const std::string& name) {
  SortIfNeeded();
  return elements_.FindByName(name);
}

TdxSkin* TdxSkinControlGroup::GetSkin() { return ObjectAs<TdxSkin>(GetOwner()); }

void TdxSkinControlGroup::Delete(TdxSkinCustomPersistentObject* item) {
  if (elements_.Delete(item))
    Changed();
  else
    TdxSkinPersistent::Delete(item);
}

void TdxSkinControlGroup::Sort() {
  TdxSkinPersistent::Sort();
  elements_.SortByName();
}

TdxSkin::TdxSkin(const std::string& name, bool loadOnCreate, HINSTANCE module)
    : TdxSkinPersistent(nullptr, name), version_(dxSkinStreamVersion) {
  if (loadOnCreate) LoadFromResource(module);
}

TdxSkin::~TdxSkin() {
  // Listeners are told nothing more while the lists go.
  BeginUpdate();
  groups_.Clear();
  colors_.Clear();
  properties_.Clear();
}

void TdxSkin::Assign(TPersistent* source) {
  BeginUpdate();
  if (auto* other = ObjectAs<TdxSkin>(source)) {
    AppendClones(colors_, other->colors_);
    AppendClones(groups_, other->groups_);
  }
  TdxSkinPersistent::Assign(source);
  EndUpdate();
}

TdxSkinColor* TdxSkin::AddColor(const std::string& name, TColor value) {
  BeginUpdate();
  auto* color = AddItem(colors_, new TdxSkinColor(this, name));
  color->SetValue(value);
  EndUpdate();
  return color;
}

TdxSkinControlGroup* TdxSkin::AddGroup(const std::string& name) {
  auto* group = AddItem(groups_, new TdxSkinControlGroup(this, name));
  Changed();
  return group;
}

TdxSkinColor* TdxSkin::GetColorByName(const std::string& name) {
  SortIfNeeded();
  return colors_.FindByName(name);
}

TdxSkinControlGroup* TdxSkin::GetGroupByName(const std::string& name) {
  SortIfNeeded();
  return groups_.FindByName(name);
}

void TdxSkin::Clear() {
  BeginUpdate();
  groups_.Clear();
  colors_.Clear();
  properties_.Clear();
  EndUpdate();
}

void TdxSkin::Delete(TdxSkinCustomPersistentObject* item) {
  if (colors_.Delete(item))
    Changed();
  else
    TdxSkinPersistent::Delete(item);
}

void TdxSkin::Sort() {
  TdxSkinPersistent::Sort();
  groups_.SortByName();
  colors_.SortByName();
}

void TdxSkin::AddListener(IdxSkinChangeListener* listener) {
  if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) listeners_.push_back(listener);
}

void TdxSkin::RemoveListener(IdxSkinChangeListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void TdxSkin::DoChange() {
  BeginUpdate();
  try {
    for (size_t i = 0; i < listeners_.size(); ++i) listeners_[i]->SkinChanged(this);
  } catch (...) {
    CancelUpdate();
    throw;
  }
  CancelUpdate();
  CallNotifyEvent(OnChange, this);
}

void TdxSkin::LoadFromResource(HINSTANCE module) {
  TResourceStream stream(module, Name(), "DXSKINS");
  LoadFromStream(&stream);
}

// ---------------------------------------------------------------------------------------------
// Start-up and shut-down

void CreateSkinPartStream();
void FreeSkinPartStream();
void CreateSkinEmptyElement();
void FreeSkinEmptyElement();

namespace {

CX_RESOURCESTRING(sdxSkinBorderLeft, 0xC702, "Left")
CX_RESOURCESTRING(sdxSkinBorderTop, 0xC703, "Top")
CX_RESOURCESTRING(sdxSkinBorderRight, 0xC704, "Right")
CX_RESOURCESTRING(sdxSkinBorderBottom, 0xC705, "Bottom")
CX_RESOURCESTRING(sdxSkinBorders, 0xC706, "Borders")

std::string BorderNames[4];
std::string BordersName;
std::vector<TClass>* PropertyClasses = nullptr;

const TClass ModelClasses[] = {TdxSkinControlGroup::StaticClass(), TdxSkinElement::StaticClass(),
                               TdxSkinImage::StaticClass()};
const TClass RegisteredPropertyClasses[] = {
    TdxSkinIntegerProperty::StaticClass(), TdxSkinColor::StaticClass(),         TdxSkinRectProperty::StaticClass(),
    TdxSkinSizeProperty::StaticClass(),    TdxSkinBooleanProperty::StaticClass(), TdxSkinStringProperty::StaticClass()};

void StartSkins() {
  const TcxResourceString* names[] = {&sdxSkinBorderLeft, &sdxSkinBorderTop, &sdxSkinBorderRight,
                                      &sdxSkinBorderBottom};
  for (int side = 0; side < 4; ++side) BorderNames[side] = LoadToolkitString(*names[side]);
  BordersName = LoadToolkitString(sdxSkinBorders);
  CreateSkinEmptyElement();
  PropertyClasses = new std::vector<TClass>();
  CreateSkinPartStream();
  for (TClass cls : ModelClasses) RegisterClass(cls);
  for (TClass cls : RegisteredPropertyClasses) {
    RegisterClass(cls);
    PropertyClasses->push_back(cls);
  }
  if (IsGdiPlusAvailable()) EnsurePngEncoder();
}

void FinishSkins() {
  delete PropertyClasses;
  PropertyClasses = nullptr;
  for (TClass cls : ModelClasses) UnRegisterClass(cls);
  for (TClass cls : RegisteredPropertyClasses) UnRegisterClass(cls);
  FreeSkinPartStream();
  FreeSkinEmptyElement();
}

void StartUnit() { GetUnitsLoader()->Add(StartSkins, FinishSkins); }
void StopUnit() { GetUnitsLoader()->Remove(FinishSkins); }

}  // namespace

bool IsSkinPropertyClass(TClass cls) {
  return PropertyClasses && std::find(PropertyClasses->begin(), PropertyClasses->end(), cls) != PropertyClasses->end();
}

std::string SkinBorderName(TcxBorder side) {
  static const char* const defaults[] = {"Left", "Top", "Right", "Bottom"};
  return BorderNames[side].empty() ? defaults[side] : BorderNames[side];
}

std::string SkinBordersName() { return BordersName.empty() ? "Borders" : BordersName; }

const TUnitInfo dxSkinsCoreUnit{"dxSkinsCore", StartUnit, StopUnit};
