// Container styles: value lookup through the controller chain, defaults by state and look and
// feel, batched change notification, and the style controller.
#include <algorithm>

#include "BinaryFiler.h"
#include "SysUtils.h"
#include "TypInfo.h"
#include "cxContainer.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxContainerStyle, TcxInterfacedPersistent)
CALDERAN_IMPLEMENT_CLASS(TcxContainerStyles, TObject)
CALDERAN_IMPLEMENT_CREATABLE(TcxStyleController, TComponent, TComponent*)

namespace {

TcxStyleController* defaultStyleController = nullptr;

constexpr const char* styleValueNames[] = {"BorderColor", "BorderStyle", "Color",    "Edges",     "Font",
                                           "HotTrack",    "Shadow",      "TextColor", "TextStyle", "TransparentBorder"};

// How a state style turns the normal style's border: row by state, column by border style.
constexpr TcxContainerBorderStyle stateBorderStyles[4][7] = {
    {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},
};

TcxContainerBorderStyle BorderStyleOfKind(TcxLookAndFeelKind kind) {
  switch (kind) {
    case lfFlat: return cbsFlat;
    case lfStandard: return cbs3D;
    case lfOffice11: return cbsOffice11;
    case lfUltraFlat: break;
  }
  return cbsUltraFlat;
}

}  // namespace

TcxStyleController* DefaultStyleController() { return defaultStyleController; }
void SetDefaultStyleController(TcxStyleController* controller) { defaultStyleController = controller; }

bool FindStyleValueByName(const TcxContainerStyle* style, const std::string& name, TcxContainerStyleValue& value) {
  const std::string wanted = AnsiUpperCase(name);
  std::string candidate;
  for (int i = 0; style->StyleValueName(i, candidate); ++i)
    if (AnsiUpperCase(candidate) == wanted) {
      value = static_cast<TcxContainerStyleValue>(i);
      return true;
    }
  return false;
}

TcxContainerStyle* TcxContainerStyleClass::Create(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                                                  TcxContainerStyleState state) const {
  return new TcxContainerStyle(owner, directAccess, parentStyle, state);
}

// ---------------------------------------------------------------------------------------------
// Construction

TcxContainerStyle::TcxContainerStyle(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                                     TcxContainerStyleState state)
    : TcxInterfacedPersistent(owner),
      directAccess_(directAccess),
      owner_(owner),
      parentStyle_(state == cssNormal ? nullptr : parentStyle),
      state_(state) {
  if (directAccess_) assigned_ = {csvColor, csvFont, csvTextColor, csvTextStyle};
  visibleFont_ = std::make_unique<TFont>();
  if (!IsNormal()) return;
  if (!directAccess_) {
    ownFont_ = std::make_unique<TFont>();
    ownFont_->OnChange = MakeEvent(this, &TcxContainerStyle::FontObjectChanged);
    font_ = ownFont_.get();
  }
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = MakeEvent(this, &TcxContainerStyle::LookAndFeelChanged);
  SetStyleController(nullptr);
}

TcxContainerStyle::~TcxContainerStyle() {
  destroying_ = true;
  if (IsNormal() && styleController_) styleController_->RemoveStyleListener(this);
  lookAndFeel_.reset();
  visibleFont_.reset();
  if (ownFont_) ownFont_->OnChange = {};
}

// ---------------------------------------------------------------------------------------------
// Lookup and reading

TcxStyleController* TcxContainerStyle::ActiveStyleController() const { return NormalStyle()->styleController_; }

const TcxContainerStyle* TcxContainerStyle::AssigningStyle(TcxContainerStyleValue value) const {
  if (assigned_.Contains(value)) return this;
  if (TcxStyleController* controller = ActiveStyleController())
    return controller->Style(state_)->AssigningStyle(value);
  return nullptr;
}

TcxContainer* TcxContainerStyle::OwnerContainer() const { return ObjectAs<TcxContainer>(owner_); }

TColor TcxContainerStyle::BorderColor() const {
  if (directAccess_) return clDefault;
  const TcxContainerStyle* style = AssigningStyle(csvBorderColor);
  return style ? style->borderColor_ : DefaultBorderColor();
}

TcxContainerBorderStyle TcxContainerStyle::BorderStyle() const {
  if (directAccess_) return assigned_.Contains(csvBorderStyle) ? borderStyle_ : DefaultBorderStyle();
  const TcxContainerStyle* style = AssigningStyle(csvBorderStyle);
  return style ? style->borderStyle_ : DefaultBorderStyle();
}

TColor TcxContainerStyle::ResolveColor() const {
  if (directAccess_) return color_;
  if (IsNormal())
    if (TcxContainer* container = OwnerContainer(); container && container->ParentColor() && container->Parent())
      return container->Parent()->Color();
  const TcxContainerStyle* style = AssigningStyle(csvColor);
  return style ? style->color_ : DefaultColor();
}

TcxBorders TcxContainerStyle::Edges() const {
  if (directAccess_) return {};
  if (!IsNormal()) return parentStyle_->Edges();
  const TcxContainerStyle* style = AssigningStyle(csvEdges);
  return style ? style->edges_ : DefaultEdges();
}

TFont* TcxContainerStyle::Font() const { return NormalStyle()->font_; }

bool TcxContainerStyle::HotTrack() const {
  if (directAccess_) return assigned_.Contains(csvHotTrack) ? hotTrack_ : DefaultHotTrack();
  if (!IsNormal()) return parentStyle_->HotTrack();
  const TcxContainerStyle* style = AssigningStyle(csvHotTrack);
  return style ? style->hotTrack_ : DefaultHotTrack();
}

bool TcxContainerStyle::Shadow() const {
  if (directAccess_) return false;
  if (!IsNormal()) return parentStyle_->Shadow();
  const TcxContainerStyle* style = AssigningStyle(csvShadow);
  return style ? style->shadow_ : DefaultShadow();
}

TColor TcxContainerStyle::GetTextColor() const {
  if (directAccess_) return textColor_;
  const TcxContainerStyle* style = AssigningStyle(csvTextColor);
  return style ? style->textColor_ : DefaultTextColor();
}

TFontStyles TcxContainerStyle::GetTextStyle() const {
  if (directAccess_) return font_ ? font_->Style() : TFontStyles{};
  const TcxContainerStyle* style = AssigningStyle(csvTextStyle);
  return style ? style->textStyle_ : DefaultTextStyle();
}

bool TcxContainerStyle::TransparentBorder() const {
  if (directAccess_) return true;
  if (!IsNormal()) return parentStyle_->TransparentBorder();
  const TcxContainerStyle* style = AssigningStyle(csvTransparentBorder);
  return style ? style->transparentBorder_ : DefaultTransparentBorder();
}

TcxLookAndFeel* TcxContainerStyle::LookAndFeel() const { return NormalStyle()->lookAndFeel_.get(); }

TcxStyleController* TcxContainerStyle::StyleController() const {
  TcxStyleController* controller = ActiveStyleController();
  return controller == DefaultStyleController() ? nullptr : controller;
}

TcxContainerStyleValues TcxContainerStyle::AssignedValues() const {
  if (!directAccess_) return assigned_;
  TcxContainerStyleValues all;
  for (int i = 0; i < StyleValueCount(); ++i) all.Include(static_cast<TcxContainerStyleValue>(i));
  return all;
}

TColor TcxContainerStyle::EffectiveColor() const {
  if (directAccess_) return color_;
  if (const TcxContainerStyle* style = AssigningStyle(csvColor)) return style->color_;
  if (IsNormal())
    if (TcxContainer* container = OwnerContainer();
        container && !container->IsInPlaceContainer() && container->ParentColor() && container->Parent())
      return container->Parent()->Color();
  return DefaultColor();
}

TFont* TcxContainerStyle::GetEffectiveFont() const {
  if (TFont* font = Font()) visibleFont_->Assign(font);
  visibleFont_->SetColor(TextColor());
  visibleFont_->SetStyle(TextStyle());
  return visibleFont_.get();
}

bool TcxContainerStyle::IsValueAssigned(int value) const {
  if (value < 0 || value >= 10) return false;
  if (directAccess_) return true;
  return FindAssigned(static_cast<TcxContainerStyleValue>(value));
}

TcxContainerStyleValues TcxContainerStyle::NonStateValues() const {
  return {csvEdges, csvFont, csvHotTrack, csvShadow, csvTransparentBorder};
}

bool TcxContainerStyle::StyleValueName(int value, std::string& name) const {
  if (value < 0 || value >= 10) {
    name.clear();
    return false;
  }
  name = styleValueNames[value];
  return true;
}

// ---------------------------------------------------------------------------------------------
// Defaults

TColor TcxContainerStyle::DefaultBorderColor() const {
  switch (state_) {
    case cssDisabled: return clBtnShadow;
    case cssNormal: return clWindowFrame;
    default: return parentStyle_->BorderColor();
  }
}

TcxContainerBorderStyle TcxContainerStyle::DefaultBorderStyle() const {
  if (IsNormal()) return BorderStyleOfKind(LookAndFeel()->Kind());
  const int row = HotTrack() || state_ == cssDisabled ? state_ : cssNormal;
  return stateBorderStyles[row][parentStyle_->BorderStyle()];
}

TColor TcxContainerStyle::DefaultColor() const {
  TcxContainer* container = OwnerContainer();
  const bool parentBackground = !container || container->UsesParentBackground();
  switch (state_) {
    case cssNormal: return parentBackground ? clBtnFace : clWindow;
    case cssDisabled:
      if (container && !container->UsesParentBackground()) return clBtnFace;
      return parentStyle_->Color();
    default: return parentStyle_->Color();
  }
}

TColor TcxContainerStyle::DefaultTextColor() const {
  switch (state_) {
    case cssDisabled: return clBtnShadow;
    case cssNormal: return font_ ? font_->Color() : clWindowText;
    default: return parentStyle_->TextColor();
  }
}

TFontStyles TcxContainerStyle::DefaultTextStyle() const {
  if (!IsNormal()) return parentStyle_->TextStyle();
  return font_ ? font_->Style() : TFontStyles{};
}

TcxStyleController* TcxContainerStyle::GetDefaultStyleController() const { return DefaultStyleController(); }

// ---------------------------------------------------------------------------------------------
// Writing

void TcxContainerStyle::MarkAssigned(TcxContainerStyleValue value) {
  assigned_.Include(value);
  SignalChange();
}

template <class T> void TcxContainerStyle::WriteValue(T TcxContainerStyle::*field, T value, TcxContainerStyleValue id) {
  if (assigned_.Contains(id) && this->*field == value) return;
  this->*field = value;
  MarkAssigned(id);
}

void TcxContainerStyle::SetBorderColor(TColor value) { WriteValue(&TcxContainerStyle::borderColor_, value, csvBorderColor); }
void TcxContainerStyle::SetBorderStyle(TcxContainerBorderStyle value) {
  WriteValue(&TcxContainerStyle::borderStyle_, value, csvBorderStyle);
}
void TcxContainerStyle::SetColor(TColor value) { WriteValue(&TcxContainerStyle::color_, value, csvColor); }

// The values state styles do not own are written to the normal style.
void TcxContainerStyle::SetEdges(TcxBorders value) { NormalStyle()->WriteValue(&TcxContainerStyle::edges_, value, csvEdges); }
void TcxContainerStyle::SetHotTrack(bool value) { NormalStyle()->WriteValue(&TcxContainerStyle::hotTrack_, value, csvHotTrack); }
void TcxContainerStyle::SetShadow(bool value) { NormalStyle()->WriteValue(&TcxContainerStyle::shadow_, value, csvShadow); }
void TcxContainerStyle::SetTransparentBorder(bool value) {
  NormalStyle()->WriteValue(&TcxContainerStyle::transparentBorder_, value, csvTransparentBorder);
}

void TcxContainerStyle::SetTextColor(TColor value) {
  if (assigned_.Contains(csvTextColor) && TextColor() == value) return;
  textColor_ = value;
  MarkAssigned(csvTextColor);
}

void TcxContainerStyle::SetTextStyle(TFontStyles value) {
  if (assigned_.Contains(csvTextStyle) && TextStyle() == value) return;
  textStyle_ = value;
  MarkAssigned(csvTextStyle);
}

void TcxContainerStyle::SetFont(TFont* value) {
  if (!IsNormal()) return parentStyle_->SetFont(value);
  if (directAccess_) {
    font_ = value;
    return MarkAssigned(csvFont);
  }
  ++fontAssignLock_;
  ownFont_->Assign(value);
  --fontAssignLock_;
  MarkAssigned(csvFont);
}

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues value) {
  if (assigned_ == value) return;
  assigned_ = value;
  if (IsNormal()) UpdateFont();
  SignalChange();
}

void TcxContainerStyle::SetLookAndFeel(TcxLookAndFeel* value) { LookAndFeel()->Assign(value); }

// ---------------------------------------------------------------------------------------------
// Fonts

void TcxContainerStyle::ResetFontToDefault() {
  TFont defaults;
  ownFont_->Assign(&defaults);
}

void TcxContainerStyle::UpdateFont() {
  if (directAccess_ || !IsNormal() || assigned_.Contains(csvFont)) return;
  ++fontAssignLock_;
  TcxStyleController* controller = styleController_;
  const TcxContainerStyle* source = controller ? controller->NormalStyle()->AssigningStyle(csvFont) : nullptr;
  if (source)
    ownFont_->Assign(source->Font());
  else if (TcxContainer* container = OwnerContainer(); !container || !container->ParentFont())
    ResetFontToDefault();
  --fontAssignLock_;
}

void TcxContainerStyle::FontObjectChanged(TObject*) {
  if (fontAssignLock_ == 0) assigned_.Include(csvFont);
  SignalChange();
}

// ---------------------------------------------------------------------------------------------
// Change notification

void TcxContainerStyle::SignalChange() {
  modified_ = true;
  CheckChanges();
}

void TcxContainerStyle::CheckChanges() {
  if (updateCount_ > 0 || !modified_) return;
  modified_ = false;
  if (!destroying_ && !directAccess_ && OnChanged) OnChanged(this);
}

void TcxContainerStyle::EndChanges() {
  if (updateCount_ == 0) return;
  --updateCount_;
  CheckChanges();
}

// ---------------------------------------------------------------------------------------------
// Controllers

bool TcxContainerStyle::IsCycle(TcxStyleController* controller) const {
  for (TcxStyleController* c = controller; c; c = c->NormalStyle()->StyleController())
    if (c->NormalStyle() == this) return true;
  return false;
}

void TcxContainerStyle::SetStyleController(TcxStyleController* value) {
  if (!IsNormal()) return parentStyle_->SetStyleController(value);
  if (owner_ && owner_ == GetDefaultStyleController()) return;
  if (!value) value = GetDefaultStyleController();
  if (value && IsCycle(value)) return;
  if (value == styleController_) return;
  if (styleController_) styleController_->RemoveStyleListener(this);
  styleController_ = value;
  if (value) value->AddStyleListener(this);
  ControllerChanged(value);
}

void TcxContainerStyle::ControllerChanged(TcxStyleController*) {
  UpdateFont();
  SignalChange();
}

void TcxContainerStyle::ControllerFreed(TcxStyleController* controller) {
  if (controller == styleController_) SetStyleController(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Copying and defaults

void TcxContainerStyle::Assign(TPersistent* source) {
  auto* style = ObjectAs<TcxContainerStyle>(source);
  if (!style) return TcxInterfacedPersistent::Assign(source);
  BeginChanges();
  if (IsNormal()) {
    SetStyleController(style->StyleController());
    LookAndFeel()->Assign(style->LookAndFeel());
  }
  borderColor_ = style->borderColor_;
  borderStyle_ = style->borderStyle_;
  edges_ = style->edges_;
  hotTrack_ = style->hotTrack_;
  shadow_ = style->shadow_;
  transparentBorder_ = style->transparentBorder_;
  color_ = style->color_;
  if (directAccess_) {
    font_ = style->Font();
    textColor_ = style->TextColor();
  } else {
    if (ownFont_ && style->Font()) {
      ownFont_->Assign(style->Font());
      if (style->DirectAccessMode()) ownFont_->SetColor(style->TextColor());
    }
    textColor_ = style->TextColor();
    textStyle_ = style->TextStyle();
  }
  assigned_ = style->assigned_;
  SignalChange();
  EndChanges();
}

void TcxContainerStyle::RestoreDefaults() {
  BeginChanges();
  SetAssignedValues({});
  if (IsNormal()) {
    LookAndFeel()->ClearAssignedValues();
    TcxContainer* container = OwnerContainer();
    if (container) {
      container->SetParentColor(false);
      container->SetParentFont(true);
    } else if (!directAccess_) {
      ResetFontToDefault();
    }
    if (container && container->UsesParentBackground()) {
      TcxStyleController* controller = styleController_;
      if (!controller || !controller->NormalStyle()->IsValueAssigned(csvColor)) container->SetParentColor(true);
    }
  }
  EndChanges();
}

// ---------------------------------------------------------------------------------------------
// Stored forms

bool TcxContainerStyle::IsStyleValueStored(const std::string& propertyName) const {
  TcxContainerStyleValue value;
  if (!FindStyleValueByName(this, propertyName, value)) return true;
  if (!assigned_.Contains(value)) return false;
  TcxContainer* container = OwnerContainer();
  if (!container) return true;
  if (!IsNormal() && NonStateValues().Contains(value)) return false;
  return !container->HiddenStyleValues().Contains(value);
}

void TcxContainerStyle::DefineProperties(TFiler* filer) {
  TcxInterfacedPersistent::DefineProperties(filer);
  filer->DefineProperty("IsFontAssigned", MakeEvent(this, &TcxContainerStyle::ReadIsFontAssigned),
                        MakeEvent(this, &TcxContainerStyle::WriteIsFontAssigned), IsStyleValueStored("Font"));
}

void TcxContainerStyle::ReadIsFontAssigned(TReader* reader) {
  reader->ReadBoolean();
  assigned_.Include(csvFont);
}

void TcxContainerStyle::WriteIsFontAssigned(TWriter* writer) { writer->WriteBoolean(true); }

// ---------------------------------------------------------------------------------------------
// The four styles of a container

TcxContainerStyles::TcxContainerStyles(TPersistent* owner, const TcxContainerStyleClass* styleClass) {
  styles_[cssNormal] = styleClass->Create(owner, false, nullptr, cssNormal);
  for (auto state : {cssFocused, cssDisabled, cssHot}) styles_[state] = styleClass->Create(owner, false, styles_[0], state);
}

TcxContainerStyles::~TcxContainerStyles() {
  for (int i = 3; i >= 0; --i) delete styles_[i];
}

void TcxContainerStyles::SetOnChanged(const TcxStyleChangedEvent& handler) {
  for (TcxContainerStyle* style : styles_) style->OnChanged = handler;
}

// ---------------------------------------------------------------------------------------------
// Style controller

TcxStyleController::TcxStyleController(TComponent* owner, const TcxContainerStyleClass* styleClass)
    : TComponent(owner) {
  styles_ = std::make_unique<TcxContainerStyles>(this, styleClass);
  styles_->SetOnChanged(MakeEvent(this, &TcxStyleController::StyleChangedHandler));
}

TcxStyleController::~TcxStyleController() {
  destroying_ = true;
  const std::vector<TcxContainerStyle*> listeners = listeners_;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it) (*it)->ControllerFreed(this);
  styles_.reset();
}

void TcxStyleController::Loaded() {
  TComponent::Loaded();
  NotifyStyleChanged();
}

void TcxStyleController::AddStyleListener(TcxContainerStyle* style) {
  if (std::find(listeners_.begin(), listeners_.end(), style) != listeners_.end()) return;
  listeners_.push_back(style);
  style->LookAndFeel()->SetParentLookAndFeel(NormalStyle()->LookAndFeel());
}

void TcxStyleController::RemoveStyleListener(TcxContainerStyle* style) {
  auto it = std::find(listeners_.begin(), listeners_.end(), style);
  if (it == listeners_.end()) return;
  listeners_.erase(it);
  if (TcxLookAndFeel* lookAndFeel = style->LookAndFeel()) lookAndFeel->SetParentLookAndFeel(nullptr);
}

void TcxStyleController::NotifyStyleChanged() {
  if (OnStyleChanged) OnStyleChanged(this);
  if (destroying_) return;
  const std::vector<TcxContainerStyle*> listeners = listeners_;
  for (TcxContainerStyle* style : listeners) style->ControllerChanged(this);
}

void TcxStyleController::ScaleFont(int multiplier, int divisor) {
  TcxContainerStyle* normal = NormalStyle();
  if (normal->AssignedValues().Contains(csvFont)) {
    if (fontScaled_) return;
    fontScaled_ = true;
    normal->Font()->SetSize(MulDiv(normal->Font()->Size(), multiplier, divisor));
  } else if (TcxStyleController* next = normal->ActiveStyleController()) {
    next->ScaleFont(multiplier, divisor);
  }
}

// ---------------------------------------------------------------------------------------------
// Published properties: a value is stored when the style assigns it and its container shows it;
// the look and feel always, the controller only for the normal style.

namespace {

constexpr const char* borderStyleNames[] = {"cbsNone", "cbsSingle", "cbsThick", "cbsFlat", "cbs3D", "cbsUltraFlat", "cbsOffice11"};
constexpr const char* edgeNames[] = {"bLeft", "bTop", "bRight", "bBottom"};
constexpr const char* fontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr const char* styleValueSetNames[] = {"csvBorderColor", "csvBorderStyle", "csvColor",     "csvEdges",
                                              "csvFont",        "csvHotTrack",    "csvShadow",    "csvTextColor",
                                              "csvTextStyle",   "csvTransparentBorder"};
constinit const TEnumInfo borderStyleInfo{borderStyleNames, 7};
constinit const TEnumInfo edgeInfo{edgeNames, 4};
constinit const TEnumInfo fontStyleInfo{fontStyleNames, 4};
constinit const TEnumInfo styleValueSetInfo{styleValueSetNames, 10};

using S = TcxContainerStyle;
constinit const TPropInfo styleProps[] = {
    Published<&S::AssignedValues, &S::SetAssignedValues>("AssignedValues", &styleValueSetInfo).StoredNever(),
    Published<&S::BorderColor, &S::SetBorderColor>("BorderColor").StoredWhen<&S::IsValueStored<csvBorderColor>>(),
    Published<&S::BorderStyle, &S::SetBorderStyle>("BorderStyle", &borderStyleInfo)
        .StoredWhen<&S::IsValueStored<csvBorderStyle>>(),
    Published<&S::Color, &S::SetColor>("Color").StoredWhen<&S::IsValueStored<csvColor>>(),
    Published<&S::Edges, &S::SetEdges>("Edges", &edgeInfo).StoredWhen<&S::IsValueStored<csvEdges>>(),
    Published<&S::Font, &S::SetFont>("Font").StoredWhen<&S::IsValueStored<csvFont>>(),
    Published<&S::HotTrack, &S::SetHotTrack>("HotTrack").StoredWhen<&S::IsValueStored<csvHotTrack>>(),
    Published<&S::LookAndFeel, nullptr>("LookAndFeel"),
    Published<&S::Shadow, &S::SetShadow>("Shadow").StoredWhen<&S::IsValueStored<csvShadow>>(),
    Published<&S::StyleController, &S::SetStyleController>("StyleController").StoredWhen<&S::IsNormal>(),
    Published<&S::TextColor, &S::SetTextColor>("TextColor").StoredWhen<&S::IsValueStored<csvTextColor>>(),
    Published<&S::TextStyle, &S::SetTextStyle>("TextStyle", &fontStyleInfo)
        .StoredWhen<&S::IsValueStored<csvTextStyle>>(),
    Published<&S::TransparentBorder, &S::SetTransparentBorder>("TransparentBorder")
        .StoredWhen<&S::IsValueStored<csvTransparentBorder>>(),
};

}  // namespace

void RegisterContainerStyleProperties() { RegisterPublishedProperties(TcxContainerStyle::StaticClass(), styleProps); }
