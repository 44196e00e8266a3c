// The progress bar's properties, its filter helper and the module's registration.
#include "cxProgressBar.h"

#include <algorithm>

#include "SysUtils.h"
#include "cxVariants.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxProgressBarPropertiesValues, TcxCustomEditPropertiesValues, TcxCustomEditProperties*)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomProgressBarProperties, TcxCustomEditProperties)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxProgressBarProperties, TcxCustomProgressBarProperties)
CALDERAN_IMPLEMENT_STATELESS_CLASS(TcxFilterProgressBarHelper, TcxCustomFilterEditHelper)

// ---------------------------------------------------------------------------------------------
// Assigned values

bool TcxProgressBarPropertiesValues::IsMaxStored() const {
  auto* owner = dynamic_cast<TcxCustomEditProperties*>(const_cast<TcxProgressBarPropertiesValues*>(this)->GetOwner());
  return Max() && owner && owner->MaxValue() == 0;
}

bool TcxProgressBarPropertiesValues::IsMinStored() const {
  auto* owner = dynamic_cast<TcxCustomEditProperties*>(const_cast<TcxProgressBarPropertiesValues*>(this)->GetOwner());
  return Min() && owner && owner->MinValue() == 0;
}

// ---------------------------------------------------------------------------------------------
// Class operations

TcxCustomEditProperties* TcxCustomProgressBarPropertiesClass::Create(TPersistent* owner) const {
  return new TcxCustomProgressBarProperties(owner);
}
TClass TcxCustomProgressBarPropertiesClass::AssignedFlagsClass() const {
  return TcxProgressBarPropertiesValues::StaticClass();
}
const TcxCustomEditClass* TcxCustomProgressBarPropertiesClass::EditClass() const {
  return TcxProgressBar::StaticClassOperations();
}
const TcxCustomEditViewDataClass* TcxCustomProgressBarPropertiesClass::ViewDataClass(TcxCustomEditStyle*, bool) const {
  return TcxCustomProgressBarViewData::StaticClassOperations();
}
const TcxCustomEditViewInfoClass* TcxCustomProgressBarPropertiesClass::ViewInfoClass() const {
  return TcxCustomProgressBarViewInfo::StaticClassOperations();
}
TcxCustomEditProperties* TcxProgressBarPropertiesClass::Create(TPersistent* owner) const {
  return new TcxProgressBarProperties(owner);
}

// ---------------------------------------------------------------------------------------------
// Properties

TcxCustomProgressBarProperties::TcxCustomProgressBarProperties(TPersistent* owner,
                                                               const TcxCustomEditPropertiesClass* cls)
    : TcxCustomEditProperties(owner, cls) {}

void TcxCustomProgressBarProperties::SetAnimationSpeed(TcxProgressBarAnimationSpeed value) {
  SetNotifying(animationSpeed_, std::min<TcxProgressBarAnimationSpeed>(value, 20));
}

void TcxCustomProgressBarProperties::SetBarStyle(TcxProgressBarBarStyle value) {
  if (value == barStyle_) return;
  BeginUpdate();
  barStyle_ = value;
  if (IsAnimationStyle(value)) SetBeginColor(0x00D328);
  NotifyChanged();
  EndUpdate();
}

TBitmap* TcxCustomProgressBarProperties::ForegroundImage() {
  if (!foregroundImage_) {
    foregroundImage_ = std::make_unique<TBitmap>();
    foregroundImage_->OnChange = MakeEvent(this, &TcxCustomProgressBarProperties::ForegroundImageChanged);
  }
  return foregroundImage_.get();
}

void TcxCustomProgressBarProperties::SetForegroundImage(TBitmap* value) {
  if (!value)
    foregroundImage_.reset();
  else
    ForegroundImage()->Assign(value);
  ImageChanged = true;
  NotifyChanged();
}

void TcxCustomProgressBarProperties::SetMarquee(bool value) {
  if (value == marquee_) return;
  BeginUpdate();
  marquee_ = value;
  if (value) SetShowTextStyle(cxtsText);
  NotifyChanged();
  EndUpdate();
}

void TcxCustomProgressBarProperties::SetShowTextStyle(TcxProgressBarTextStyle value) {
  if (marquee_ && value != cxtsText) return;
  SetNotifying(showTextStyle_, value);
}

void TcxCustomProgressBarProperties::SetText(const std::string& value) {
  if (value == text_) return;
  BeginUpdate();
  text_ = value;
  if (!value.empty()) SetShowTextStyle(cxtsText);
  NotifyChanged();
  EndUpdate();
}

void TcxCustomProgressBarProperties::SetPeakSize(TcxNaturalNumber value) { SetNotifying(peakSize_, std::max(1, value)); }

void TcxCustomProgressBarProperties::SetOverloadValue(double value) {
  if (value == overloadValue_) return;
  SetNotifying(overloadValue_, std::clamp(value, Min(), std::max(Min(), Max())));
}

// After Min or Max moved: the other end, the overload threshold and the peak follow into the range.
void TcxCustomProgressBarProperties::FollowRange() {
  overloadValue_ = std::clamp(overloadValue_, Min(), Max());
  peakValue_ = std::clamp(peakValue_, Min(), Max());
}

void TcxCustomProgressBarProperties::SetMin(double value) {
  BeginUpdate();
  SetMinValue(value);
  if (Max() < Min()) SetMaxValue(Min());
  FollowRange();
  NotifyChanged();
  EndUpdate();
}

void TcxCustomProgressBarProperties::SetMax(double value) {
  BeginUpdate();
  SetMaxValue(value);
  if (Min() > Max()) SetMinValue(Max());
  FollowRange();
  NotifyChanged();
  EndUpdate();
}

double TcxCustomProgressBarProperties::GetMaxValue() const {
  return AssignedValues()->MaxValue() ? TcxCustomEditProperties::GetMaxValue() : 100;
}

double TcxCustomProgressBarProperties::GetMinValue() const {
  return AssignedValues()->MinValue() ? TcxCustomEditProperties::GetMinValue() : 0;
}

double TcxCustomProgressBarProperties::DrawValueOf(const TVariant& editValue) {
  if (VarIsNumericOrBcd(editValue) || VarIsDateOrTimeStamp(editValue)) {
    try {
      return editValue.AsDouble();
    } catch (const Exception&) {
      return 0;
    }
  }
  const TVarType type = editValue.VarType();
  if (type != varString && type != varOleStr) return 0;
  long double number = 0;
  return TryStrToFloat(editValue.AsString(), number) ? static_cast<double>(number) : 0;
}

void TcxCustomProgressBarProperties::EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool) {
  displayValue = TVariant(DrawValueOf(editValue));
}

std::u16string TcxCustomProgressBarProperties::FormatDisplayValue(const TVariant& editValue) {
  std::string text = FloatToStr(DrawValueOf(editValue));
  if (showTextStyle_ == cxtsPercent) text += " %";
  return AnsiToWide(text);
}

void TcxCustomProgressBarProperties::ClampDrawValue(TcxCustomProgressBarViewInfo* viewInfo) const {
  if (Max() > Min()) viewInfo->Bar.Position = std::clamp(viewInfo->Bar.Position, Min(), Max());
}

void TcxCustomProgressBarProperties::Assign(TPersistent* source) {
  auto* s = dynamic_cast<TcxCustomProgressBarProperties*>(source);
  if (!s) return TcxCustomEditProperties::Assign(source);
  BeginUpdate();
  TcxCustomEditProperties::Assign(source);
  SetAnimationPath(s->AnimationPath());
  SetAnimationRestartDelay(s->AnimationRestartDelay());
  SetAnimationSpeed(s->AnimationSpeed());
  SetBarBevelOuter(s->BarBevelOuter());
  SetBarStyle(s->BarStyle());
  SetBeginColor(s->BeginColor());
  SetBorderWidth(s->BorderWidth());
  SetEndColor(s->EndColor());
  SetForegroundImage(s->ForegroundImageIfAny() ? s->ForegroundImage() : nullptr);
  SetMarquee(s->Marquee());
  SetOrientation(s->Orientation());
  SetOverloadBeginColor(s->OverloadBeginColor());
  SetOverloadEndColor(s->OverloadEndColor());
  SetOverloadValue(s->OverloadValue());
  SetPeakColor(s->PeakColor());
  SetPeakSize(s->PeakSize());
  SetPeakValue(s->PeakValue());
  SetShowOverload(s->ShowOverload());
  SetShowPeak(s->ShowPeak());
  SetShowText(s->ShowText());
  SetShowTextStyle(s->ShowTextStyle());
  SetSolidTextColor(s->SolidTextColor());
  SetText(s->Text());
  SetTextOrientation(s->TextOrientation());
  SetTransparentImage(s->TransparentImage());
  EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// Filter helper

const TcxFilterProgressBarHelper* TcxFilterProgressBarHelper::Instance() {
  return &TcxFilterProgressBarHelperClassOperations;
}

void TcxFilterProgressBarHelper::PrepareFilterProperties(TcxCustomEditProperties* properties,
                                                         TcxCustomEditProperties* source, bool hasButtons) const {
  TcxCustomFilterEditHelper::PrepareFilterProperties(properties, source, hasButtons);
  properties->Buttons()->Add();
  properties->Buttons()->Add();
  if (auto* bar = dynamic_cast<TcxCustomProgressBarProperties*>(source)) {
    properties->SetMinValue(bar->Min());
    properties->SetMaxValue(bar->Max());
  }
}

// ---------------------------------------------------------------------------------------------
// What a stored form may set

namespace {

constexpr const char* animationPathNames[] = {"cxapCycle", "cxapPingPong"};
constexpr const char* bevelNames[] = {"cxbvNone", "cxbvLowered", "cxbvRaised"};
constexpr const char* barStyleNames[] = {"cxbsSolid",  "cxbsLEDs",       "cxbsGradient",  "cxbsGradientLEDs",
                                         "cxbsBitmap", "cxbsBitmapLEDs", "cxbsAnimation", "cxbsAnimationLEDs"};
constexpr const char* orientationNames[] = {"cxorHorizontal", "cxorVertical"};
constexpr const char* textStyleNames[] = {"cxtsPercent", "cxtsPosition", "cxtsText"};
constinit const TEnumInfo animationPathInfo{animationPathNames, 2};
constinit const TEnumInfo bevelInfo{bevelNames, 3};
constinit const TEnumInfo barStyleInfo{barStyleNames, 8};
constinit const TEnumInfo orientationInfo{orientationNames, 2};
constinit const TEnumInfo textStyleInfo{textStyleNames, 3};

using P = TcxCustomProgressBarProperties;
constinit const TPropInfo propertiesProps[] = {
    Published<&P::AnimationPath, &P::SetAnimationPath>("AnimationPath", &animationPathInfo).WithDefault(cxapCycle),
    Published<&P::AnimationRestartDelay, &P::SetAnimationRestartDelay>("AnimationRestartDelay").WithDefault(0),
    Published<&P::AnimationSpeed, &P::SetAnimationSpeed>("AnimationSpeed").WithDefault(10),
    Published<&TcxProgressBarProperties::AssignedValues, nullptr>("AssignedValues"),
    Published<&P::BarBevelOuter, &P::SetBarBevelOuter>("BarBevelOuter", &bevelInfo).WithDefault(cxbvNone),
    Published<&P::BarStyle, &P::SetBarStyle>("BarStyle", &barStyleInfo).WithDefault(cxbsSolid),
    Published<&P::BeginColor, &P::SetBeginColor>("BeginColor").WithDefault(0x800000),
    Published<&P::BorderWidth, &P::SetBorderWidth>("BorderWidth").WithDefault(0),
    Published<&P::EndColor, &P::SetEndColor>("EndColor").WithDefault(0xFFFFFF),
    Published<&P::ForegroundImage, &P::SetForegroundImage>("ForegroundImage"),
    Published<&P::Marquee, &P::SetMarquee>("Marquee").WithDefault(false),
    Published<&P::Max, &P::SetMax>("Max").StoredWhen<&P::IsMaxStored>(),
    Published<&P::Min, &P::SetMin>("Min").StoredWhen<&P::IsMinStored>(),
    Published<&P::Orientation, &P::SetOrientation>("Orientation", &orientationInfo).WithDefault(cxorHorizontal),
    Published<&P::OverloadBeginColor, &P::SetOverloadBeginColor>("OverloadBeginColor").WithDefault(0x8080FF),
    Published<&P::OverloadEndColor, &P::SetOverloadEndColor>("OverloadEndColor").WithDefault(0xFF00FF),
    Published<&P::OverloadValue, &P::SetOverloadValue>("OverloadValue").StoredWhen<&P::IsOverloadValueStored>(),
    Published<&P::PeakColor, &P::SetPeakColor>("PeakColor").WithDefault(0x0000FF),
    Published<&P::PeakSize, &P::SetPeakSize>("PeakSize").WithDefault(2),
    Published<&P::PeakValue, &P::SetPeakValue>("PeakValue").StoredWhen<&P::IsPeakValueStored>(),
    Published<&P::ShowOverload, &P::SetShowOverload>("ShowOverload").WithDefault(false),
    Published<&P::ShowPeak, &P::SetShowPeak>("ShowPeak").WithDefault(false),
    Published<&P::ShowText, &P::SetShowText>("ShowText").WithDefault(true),
    Published<&P::ShowTextStyle, &P::SetShowTextStyle>("ShowTextStyle", &textStyleInfo)
        .StoredWhen<&P::IsShowTextStyleStored>(),
    Published<&P::SolidTextColor, &P::SetSolidTextColor>("SolidTextColor").WithDefault(false),
    Published<&P::Text, &P::SetText>("Text"),
    Published<&P::TextOrientation, &P::SetTextOrientation>("TextOrientation", &orientationInfo)
        .WithDefault(cxorHorizontal),
    Published<&P::TransparentImage, &P::SetTransparentImage>("TransparentImage").WithDefault(true),
    Published<&P::Transparent, &P::SetTransparent>("Transparent").StoredNever(),
};

using V = TcxProgressBarPropertiesValues;
constinit const TPropInfo valuesProps[] = {
    Published<&V::Max, &V::SetMax>("Max").StoredWhen<&V::IsMaxStored>(),
    Published<&V::Min, &V::SetMin>("Min").StoredWhen<&V::IsMinStored>(),
};

using B = TcxProgressBar;
constinit const TPropInfo barProps[] = {
    Published<&TcxCustomProgressBar::Position, &TcxCustomProgressBar::SetPosition>("Position")
        .StoredWhen<&TcxCustomProgressBar::IsPositionStored>(),
    Published<&B::Properties, nullptr>("Properties"),
    Published<&TcxCustomEdit::AutoSize, &TcxCustomEdit::SetAutoSize>("AutoSize").WithDefault(true),
    Published<&TcxCustomEdit::Transparent, &TcxCustomEdit::SetTransparent>("Transparent").WithDefault(false),
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Module start-up: the kind and its filter helper are registered while the module runs

namespace {

void StartProgressBar() {
  RegisterPublishedProperties(TcxCustomProgressBarProperties::StaticClass(), propertiesProps);
  RegisterPublishedProperties(TcxProgressBarPropertiesValues::StaticClass(), valuesProps);
  RegisterPublishedProperties(TcxProgressBar::StaticClass(), barProps);
  GetEditPropertiesRegistry()->Register(TcxProgressBarProperties::StaticClass(),
                                        LoadToolkitString(scxSEditRepositoryProgressBarItem));
  GetFilterEditsController()->Register(TcxProgressBarProperties::StaticClass(), TcxFilterProgressBarHelper::StaticClass());
  RegisterClass(TcxProgressBar::StaticClass());
}

void StopProgressBar() {
  GetFilterEditsController()->Unregister(TcxProgressBarProperties::StaticClass(),
                                         TcxFilterProgressBarHelper::StaticClass());
  GetEditPropertiesRegistry()->Unregister(TcxProgressBarProperties::StaticClass());
}

}  // namespace

constinit const TUnitInfo cxProgressBarUnit{"cxProgressBar", StartProgressBar, StopProgressBar};
