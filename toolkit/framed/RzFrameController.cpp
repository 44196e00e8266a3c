// The frame controller and the settings-store location component.
#include "RzFrameController.h"

#include <algorithm>

#include "RzFramedTypes.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CREATABLE(TRzRegIniFile, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TRzFrameController, TComponent, TComponent*)

namespace {
constexpr const char* connectionNames[] = {
    "Color",         "FocusColor",    "DisabledColor", "ReadOnlyColor", "ReadOnlyColorOnFocus", "ParentColor",
    "FlatButtonColor", "FlatButtons", "FrameColor",    "FrameHotColor", "FrameHotTrack",        "FrameHotStyle",
    "FrameSides",    "FrameStyle",    "FrameVisible",  "FramingPreference"};

// The order in which a full update writes the settings.
constexpr TRzFrameControllerPropertyConnection fullUpdateOrder[] = {
    fcpParentColor,  fcpColor,        fcpDisabledColor, fcpReadOnlyColor, fcpReadOnlyColorOnFocus, fcpFocusColor,
    fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor, fcpFrameHotColor, fcpFrameHotTrack,        fcpFrameHotStyle,
    fcpFrameSides,   fcpFrameStyle,   fcpFrameVisible,  fcpFramingPreference};

TRzFrameControllerNotifications ConnectionsOf(TControl* control) {
  const TPropInfo* prop = FindPublishedProperty(control->ClassType(), "FrameControllerNotifications");
  if (!prop || prop->Kind != tkSet || !prop->GetOrd) return AllFrameControllerNotifications();
  return TRzFrameControllerNotifications::FromInt(static_cast<uint32_t>(prop->GetOrd(control)));
}

void SetPublishedOrd(TControl* control, const char* name, int64_t value) {
  const TPropInfo* prop = FindPublishedProperty(control->ClassType(), name);
  if (prop && prop->SetOrd) prop->SetOrd(control, value);
}
}  // namespace

TRzFrameControllerNotifications AllFrameControllerNotifications() {
  TRzFrameControllerNotifications all;
  for (int c = fcpColor; c < fcpAll; ++c) all.Include(static_cast<TRzFrameControllerPropertyConnection>(c));
  return all;
}

// ---------------------------------------------------------------------------------------------
TRzRegIniFile::TRzRegIniFile(TComponent* owner) : TComponent(owner) {}

void TRzRegIniFile::SetPath(const std::string& value) {
  path_ = value;
  refreshNeeded_ = true;
}
void TRzRegIniFile::SetPathType(TRzPathType value) {
  pathType_ = value;
  refreshNeeded_ = true;
}
void TRzRegIniFile::SetRegKey(TRzRegKey value) {
  regKey_ = value;
  refreshNeeded_ = true;
}
void TRzRegIniFile::SetRegAccess(TRzRegAccess value) {
  regAccess_ = value;
  refreshNeeded_ = true;
}

// ---------------------------------------------------------------------------------------------
TRzFrameController::TRzFrameController(TComponent* owner) : TComponent(owner) {}

TRzFrameController::~TRzFrameController() {
  for (TControl* control : controls_) control->RemoveFreeNotification(this);
}

void TRzFrameController::AddControl(TControl* control) {
  if (!control || std::find(controls_.begin(), controls_.end(), control) != controls_.end()) return;
  controls_.push_back(control);
  control->FreeNotification(this);
  ApplyTo(control, fcpAll);
}

void TRzFrameController::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  controls_.erase(it);
  control->RemoveFreeNotification(this);
}

void TRzFrameController::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == regIniFile_) regIniFile_ = nullptr;
  // A linked control going away leaves the list with it.
  controls_.erase(std::remove(controls_.begin(), controls_.end(), component), controls_.end());
}

void TRzFrameController::EndUpdate() {
  if (--updateCount_ > 0) return;
  updateCount_ = 0;
  ApplyToAll(fcpAll);
}

void TRzFrameController::Loaded() {
  TComponent::Loaded();
  ApplyToAll(fcpAll);
}

void TRzFrameController::Assign(TPersistent* source) {
  auto* other = ObjectAs<TRzFrameController>(source);
  if (!other) return TComponent::Assign(source);
  WithinUpdate(*this, [&] {
    color_ = other->color_;
    disabledColor_ = other->disabledColor_;
    readOnlyColor_ = other->readOnlyColor_;
    readOnlyColorOnFocus_ = other->readOnlyColorOnFocus_;
    flatButtonColor_ = other->flatButtonColor_;
    flatButtons_ = other->flatButtons_;
    focusColor_ = other->focusColor_;
    frameColor_ = other->frameColor_;
    frameHotColor_ = other->frameHotColor_;
    frameHotStyle_ = other->frameHotStyle_;
    frameHotTrack_ = other->frameHotTrack_;
    frameSides_ = other->frameSides_;
    frameStyle_ = other->frameStyle_;
    frameVisible_ = other->frameVisible_;
    framingPreference_ = other->framingPreference_;
    parentColor_ = other->parentColor_;
  });
}

void TRzFrameController::ApplyToAll(TRzFrameControllerPropertyConnection connection) {
  if (updateCount_ > 0) return;
  // A control's setter may free or link controls: walk a copy and skip what left meanwhile.
  const std::vector<TControl*> linked = controls_;
  for (TControl* control : linked)
    if (std::find(controls_.begin(), controls_.end(), control) != controls_.end()) ApplyTo(control, connection);
}

void TRzFrameController::ApplyTo(TControl* control, TRzFrameControllerPropertyConnection connection) {
  if (auto* listener = dynamic_cast<IFrameSettingsListener*>(control)) return listener->FrameSettingsChanged();
  const TRzFrameControllerNotifications accepted = ConnectionsOf(control);
  if (connection != fcpAll) {
    if (accepted.Contains(connection)) ApplySetting(control, connection);
    return;
  }
  for (TRzFrameControllerPropertyConnection c : fullUpdateOrder)
    if (accepted.Contains(c) && !(c == fcpColor && parentColor_)) ApplySetting(control, c);
}

void TRzFrameController::ApplySetting(TControl* control, TRzFrameControllerPropertyConnection connection) {
  SetPublishedOrd(control, connectionNames[connection], SettingValue(connection));
}

int64_t TRzFrameController::SettingValue(TRzFrameControllerPropertyConnection connection) const {
  switch (connection) {
    case fcpColor: return color_;
    case fcpFocusColor: return focusColor_;
    case fcpDisabledColor: return disabledColor_;
    case fcpReadOnlyColor: return readOnlyColor_;
    case fcpReadOnlyColorOnFocus: return readOnlyColorOnFocus_;
    case fcpParentColor: return parentColor_;
    case fcpFlatButtonColor: return flatButtonColor_;
    case fcpFlatButtons: return flatButtons_;
    case fcpFrameColor: return frameColor_;
    case fcpFrameHotColor: return frameHotColor_;
    case fcpFrameHotTrack: return frameHotTrack_;
    case fcpFrameHotStyle: return frameHotStyle_;
    case fcpFrameSides: return frameSides_.ToInt();
    case fcpFrameStyle: return frameStyle_;
    case fcpFrameVisible: return frameVisible_;
    case fcpFramingPreference: return framingPreference_;
    default: return 0;
  }
}

template <class T> void TRzFrameController::Change(T& field, T value, TRzFrameControllerPropertyConnection connection) {
  if (field == value) return;
  field = value;
  ApplyToAll(connection);
}

void TRzFrameController::SetColor(TColor value) {
  if (color_ == value) return;
  if (color_ == focusColor_) focusColor_ = value;
  color_ = value;
  parentColor_ = false;
  ApplyToAll(fcpColor);
}

void TRzFrameController::SetParentColor(bool value) {
  if (parentColor_ == value) return;
  parentColor_ = value;
  ApplyToAll(fcpParentColor);
  if (!value) ApplyToAll(fcpColor);
}

void TRzFrameController::SetFrameHotTrack(bool value) {
  if (frameHotTrack_ == value) return;
  frameHotTrack_ = value;
  if (value) {
    SetFrameVisible(true);
    if (!ComponentState().Contains(csLoading)) frameSides_ = sdAllSides;
  }
  ApplyToAll(fcpFrameHotTrack);
}

void TRzFrameController::SetDisabledColor(TColor value) { Change(disabledColor_, value, fcpDisabledColor); }
void TRzFrameController::SetReadOnlyColor(TColor value) { Change(readOnlyColor_, value, fcpReadOnlyColor); }
void TRzFrameController::SetReadOnlyColorOnFocus(bool value) {
  Change(readOnlyColorOnFocus_, value, fcpReadOnlyColorOnFocus);
}
void TRzFrameController::SetFlatButtonColor(TColor value) { Change(flatButtonColor_, value, fcpFlatButtonColor); }
void TRzFrameController::SetFlatButtons(bool value) { Change(flatButtons_, value, fcpFlatButtons); }
void TRzFrameController::SetFocusColor(TColor value) { Change(focusColor_, value, fcpFocusColor); }
void TRzFrameController::SetFrameColor(TColor value) { Change(frameColor_, value, fcpFrameColor); }
void TRzFrameController::SetFrameHotColor(TColor value) { Change(frameHotColor_, value, fcpFrameHotColor); }
void TRzFrameController::SetFrameHotStyle(TFrameStyle value) { Change(frameHotStyle_, value, fcpFrameHotStyle); }
void TRzFrameController::SetFrameSides(TSides value) { Change(frameSides_, value, fcpFrameSides); }
void TRzFrameController::SetFrameStyle(TFrameStyle value) { Change(frameStyle_, value, fcpFrameStyle); }
void TRzFrameController::SetFrameVisible(bool value) { Change(frameVisible_, value, fcpFrameVisible); }
void TRzFrameController::SetFramingPreference(TFramingPreference value) {
  Change(framingPreference_, value, fcpFramingPreference);
}

void TRzFrameController::SetRegIniFile(TRzRegIniFile* value) {
  if (regIniFile_ == value) return;
  if (regIniFile_) regIniFile_->RemoveFreeNotification(this);
  regIniFile_ = value;
  if (value) value->FreeNotification(this);
}

// Properties of older stored forms, read and not written back.
void TRzFrameController::DefineProperties(TFiler* filer) {
  TComponent::DefineProperties(filer);
  filer->DefineProperty("FrameFlat", MakeEvent(this, &TRzFrameController::ReadFrameFlat), {}, false);
  filer->DefineProperty("FrameFocusStyle", MakeEvent(this, &TRzFrameController::ReadFrameFocusStyle), {}, false);
  filer->DefineProperty("FrameFlatStyle", MakeEvent(OldPropReader(), &TRzOldPropReader::SkipIdentValue), {}, false);
}

void TRzFrameController::ReadFrameFlat(TReader* reader) {
  const bool flat = reader->ReadBoolean();
  SetFrameHotTrack(flat);
  if (!flat) return;
  SetFrameStyle(fsStatus);
  SetFrameHotStyle(fsLowered);
}

void TRzFrameController::ReadFrameFocusStyle(TReader* reader) {
  const int style = GetEnumValue(&FrameStyleInfo, reader->ReadIdent());
  if (style >= 0) SetFrameHotStyle(static_cast<TFrameStyle>(style));
}

// ---------------------------------------------------------------------------------------------
namespace {
constinit const TPropInfo frameControllerProps[] = {
    Published<&TRzFrameController::Color, &TRzFrameController::SetColor>("Color")
        .WithDefault(clWindow)
        .StoredWhen<&TRzFrameController::IsColorStored>(),
    Published<&TRzFrameController::DisabledColor, &TRzFrameController::SetDisabledColor>("DisabledColor")
        .WithDefault(clBtnFace),
    Published<&TRzFrameController::ReadOnlyColor, &TRzFrameController::SetReadOnlyColor>("ReadOnlyColor")
        .WithDefault(clInfoBk),
    Published<&TRzFrameController::ReadOnlyColorOnFocus, &TRzFrameController::SetReadOnlyColorOnFocus>(
        "ReadOnlyColorOnFocus").WithDefault(false),
    Published<&TRzFrameController::FlatButtonColor, &TRzFrameController::SetFlatButtonColor>("FlatButtonColor")
        .WithDefault(clBtnFace),
    Published<&TRzFrameController::FlatButtons, &TRzFrameController::SetFlatButtons>("FlatButtons").WithDefault(true),
    Published<&TRzFrameController::FocusColor, &TRzFrameController::SetFocusColor>("FocusColor").WithDefault(clWindow),
    Published<&TRzFrameController::FrameColor, &TRzFrameController::SetFrameColor>("FrameColor")
        .WithDefault(clBtnShadow),
    Published<&TRzFrameController::FrameHotColor, &TRzFrameController::SetFrameHotColor>("FrameHotColor")
        .WithDefault(clBtnShadow),
    Published<&TRzFrameController::FrameHotStyle, &TRzFrameController::SetFrameHotStyle>("FrameHotStyle",
                                                                                         &FrameStyleInfo)
        .WithDefault(fsFlatBold),
    Published<&TRzFrameController::FrameHotTrack, &TRzFrameController::SetFrameHotTrack>("FrameHotTrack")
        .WithDefault(false),
    Published<&TRzFrameController::FrameSides, &TRzFrameController::SetFrameSides>("FrameSides", &SideInfo)
        .WithDefault(sdAllSides),
    Published<&TRzFrameController::FrameStyle, &TRzFrameController::SetFrameStyle>("FrameStyle", &FrameStyleInfo)
        .WithDefault(fsFlat),
    Published<&TRzFrameController::FrameVisible, &TRzFrameController::SetFrameVisible>("FrameVisible")
        .WithDefault(false),
    Published<&TRzFrameController::FramingPreference, &TRzFrameController::SetFramingPreference>(
        "FramingPreference", &FramingPreferenceInfo).WithDefault(fpXPThemes),
    Published<&TRzFrameController::ParentColor, &TRzFrameController::SetParentColor>("ParentColor")
        .WithDefault(false),
    Published<&TRzFrameController::RegIniFile, &TRzFrameController::SetRegIniFile>("RegIniFile"),
};

constinit const TPropInfo regIniFileProps[] = {
    Published<&TRzRegIniFile::Path, &TRzRegIniFile::SetPath>("Path"),
    Published<&TRzRegIniFile::PathType, &TRzRegIniFile::SetPathType>("PathType", &PathTypeInfo).WithDefault(ptIniFile),
    Published<&TRzRegIniFile::RegKey, &TRzRegIniFile::SetRegKey>("RegKey", &RegKeyInfo).WithDefault(hkeyCurrentUser),
    Published<&TRzRegIniFile::RegAccess, &TRzRegIniFile::SetRegAccess>("RegAccess", &RegAccessInfo)
        .WithDefault(TRzRegAccess{keyAllAccess}),
};
}  // namespace

void RegisterFrameControllerClasses() {
  RegisterPublishedProperties(TRzFrameController::StaticClass(), frameControllerProps);
  RegisterPublishedProperties(TRzRegIniFile::StaticClass(), regIniFileProps);
  RegisterClasses({TRzFrameController::StaticClass(), TRzRegIniFile::StaticClass()});
}

void RelinkFrameController(TControl* control, TRzFrameController*& link, TRzFrameController* value) {
  if (value == link) return;
  if (link) {
    link->RemoveControl(control);
    link->RemoveFreeNotification(control);
  }
  link = value;
  if (value) {
    value->AddControl(control);
    value->FreeNotification(control);
  }
}
