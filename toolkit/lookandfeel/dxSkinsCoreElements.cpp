// Properties, borders, images and elements of the skin model: values, copies and comparisons.
#include <cctype>

#include "SysUtils.h"
#include "cxClasses.h"
#include "dxSkinsCore.h"

using namespace Gdiplus;

// ---------------------------------------------------------------------------------------------
// Properties

std::string TdxSkinProperty::GetKindName() {
  std::string name = ClassName();
  for (const char* word : {"TdxSkin", "Property"})
    for (size_t at; (at = LowerCase(name).find(LowerCase(word))) != std::string::npos;)
      name.erase(at, std::char_traits<char>::length(word));
  return name;
}

bool TdxSkinProperty::Compare(TdxSkinProperty* other) {
  return other && Name() == other->Name() && ClassType() == other->ClassType() && SameValue(other);
}

#define DX_SKIN_VALUE_PROPERTY_COPY(Self)                                          \
  void Self::Assign(TPersistent* source) {                                         \
    if (source && source->ClassType() == ClassType())                              \
      SetValue(static_cast<Self*>(source)->Value());                               \
    else                                                                           \
      TdxSkinProperty::Assign(source);                                             \
  }                                                                                \
  bool Self::SameValue(TdxSkinProperty* other) { return value_ == static_cast<Self*>(other)->value_; }

DX_SKIN_VALUE_PROPERTY_COPY(TdxSkinIntegerProperty)
DX_SKIN_VALUE_PROPERTY_COPY(TdxSkinBooleanProperty)
DX_SKIN_VALUE_PROPERTY_COPY(TdxSkinColor)
#undef DX_SKIN_VALUE_PROPERTY_COPY

void TdxSkinStringProperty::Assign(TPersistent* source) {
  if (source && source->ClassType() == ClassType())
    SetValue(static_cast<TdxSkinStringProperty*>(source)->Value());
  else
    TdxSkinProperty::Assign(source);
}

bool TdxSkinStringProperty::SameValue(TdxSkinProperty* other) {
  return AnsiCompareStr(value_, static_cast<TdxSkinStringProperty*>(other)->value_) == 0;
}

TdxSkinRectProperty::TdxSkinRectProperty(TPersistent* owner, const std::string& name)
    : TdxSkinProperty(owner, name), value_(std::make_unique<TcxRect>(this)) {
  value_->OnChange = MakeEvent(this, &TdxSkinRectProperty::ValueChanged);
}

void TdxSkinRectProperty::Assign(TPersistent* source) {
  if (source && source->ClassType() == ClassType())
    value_->Assign(static_cast<TdxSkinRectProperty*>(source)->value_.get());
  else
    TdxSkinProperty::Assign(source);
}

bool TdxSkinRectProperty::SameValue(TdxSkinProperty* other) {
  return value_->IsEqual(static_cast<TdxSkinRectProperty*>(other)->value_.get());
}

void TdxSkinSizeProperty::SetValue(int cx, int cy) {
  if (cx == cx_ && cy == cy_) return;
  cx_ = cx;
  cy_ = cy;
  DoChange();
}

void TdxSkinSizeProperty::Assign(TPersistent* source) {
  if (source && source->ClassType() == ClassType())
    SetValue(static_cast<TdxSkinSizeProperty*>(source)->cx_, static_cast<TdxSkinSizeProperty*>(source)->cy_);
  else
    TdxSkinProperty::Assign(source);
}

bool TdxSkinSizeProperty::SameValue(TdxSkinProperty* other) {
  auto* size = static_cast<TdxSkinSizeProperty*>(other);
  return cx_ == size->cx_ && cy_ == size->cy_;
}

// ---------------------------------------------------------------------------------------------
// Borders

void TdxSkinBorder::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  DoChange();
}

void TdxSkinBorder::SetThin(int value) {
  if (value == thin_) return;
  thin_ = value;
  DoChange();
}

void TdxSkinBorder::Assign(TPersistent* source) {
  auto* other = ObjectAs<TdxSkinBorder>(source);
  if (!other) return TdxSkinProperty::Assign(source);
  side_ = other->side_;
  thin_ = other->thin_;
  color_ = other->color_;
  DoChange();
}

bool TdxSkinBorder::Compare(TdxSkinProperty* other) {
  return other && ClassType() == other->ClassType() && SameValue(other);
}

bool TdxSkinBorder::SameValue(TdxSkinProperty* other) {
  auto* border = static_cast<TdxSkinBorder*>(other);
  return color_ == border->color_ && thin_ == border->thin_ && side_ == border->side_;
}

TdxSkinBorders::TdxSkinBorders(TPersistent* owner, const std::string& name) : TdxSkinProperty(owner, name) {
  for (TcxBorder side : {bLeft, bTop, bRight, bBottom}) {
    borders_[side] = std::make_unique<TdxSkinBorder>(this, SkinBorderName(side));
    borders_[side]->SetSide(side);
    borders_[side]->OnChange = MakeEvent(this, &TdxSkinBorders::BorderChanged);
  }
}

void TdxSkinBorders::BorderChanged(TObject*) { DoChange(); }

void TdxSkinBorders::Assign(TPersistent* source) {
  auto* other = ObjectAs<TdxSkinBorders>(source);
  if (!other) return TdxSkinProperty::Assign(source);
  for (TcxBorder side : {bLeft, bTop, bRight, bBottom}) borders_[side]->Assign(other->borders_[side].get());
}

bool TdxSkinBorders::SameValue(TdxSkinProperty* other) {
  auto* borders = static_cast<TdxSkinBorders*>(other);
  for (TcxBorder side : {bLeft, bTop, bRight, bBottom})
    if (!borders_[side]->Compare(borders->borders_[side].get())) return false;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Images

TdxSkinImage::TdxSkinImage(TdxSkinElement* owner)
    : owner_(owner), margins_(std::make_unique<TcxRect>(this)), texture_(std::make_unique<TdxPNGImage>()) {
  margins_->OnChange = MakeEvent(this, &TdxSkinImage::MarginsChanged);
  texture_->OnChange = MakeEvent(this, &TdxSkinImage::TextureChanged);
}

TdxSkinImage::~TdxSkinImage() = default;

TPersistent* TdxSkinImage::GetOwner() { return owner_; }

void TdxSkinImage::Changed() {
  layoutDirty_ = true;
  CallNotifyEvent(OnChange, this);
}

#define DX_SKIN_IMAGE_SETTER(Setter, Type, field) \
  void TdxSkinImage::Setter(Type value) {         \
    if (value == field) return;                   \
    field = value;                                \
    Changed();                                    \
  }
DX_SKIN_IMAGE_SETTER(SetGradient, TdxSkinGradientMode, gradient_)
DX_SKIN_IMAGE_SETTER(SetGradientBeginColor, TColor, gradientBeginColor_)
DX_SKIN_IMAGE_SETTER(SetGradientEndColor, TColor, gradientEndColor_)
DX_SKIN_IMAGE_SETTER(SetImageLayout, TdxSkinImageLayout, imageLayout_)
DX_SKIN_IMAGE_SETTER(SetStates, TdxSkinElementStates, states_)
DX_SKIN_IMAGE_SETTER(SetStretch, TdxSkinStretchMode, stretch_)
#undef DX_SKIN_IMAGE_SETTER

bool TdxSkinImage::Empty() const { return sourceName_.empty() && texture_->Empty(); }

void TdxSkinImage::Clear() {
  texture_->SetImage(nullptr);
  sourceName_.clear();
  Changed();
}

void TdxSkinImage::Assign(TPersistent* source) {
  auto* other = ObjectAs<TdxSkinImage>(source);
  if (!other) return;
  if (other->Empty()) {
    Clear();
  } else {
    texture_->Assign(other->texture_.get());
    sourceName_ = !other->sourceName_.empty() ? other->sourceName_
                  : other->owner_           ? other->owner_->GetImageName(other)
                                            : std::string();
    layoutDirty_ = true;
  }
  SetGradientBeginColor(other->gradientBeginColor_);
  SetGradientEndColor(other->gradientEndColor_);
  SetGradient(other->gradient_);
  SetImageLayout(other->imageLayout_);
  margins_->Assign(other->margins_.get());
  SetStates(other->states_);
  SetStretch(other->stretch_);
}

bool TdxSkinImage::Compare(TdxSkinImage* other) {
  return imageLayout_ == other->imageLayout_ && Empty() == other->Empty() && states_ == other->states_ &&
         gradient_ == other->gradient_ && gradientBeginColor_ == other->gradientBeginColor_ &&
         gradientEndColor_ == other->gradientEndColor_ && stretch_ == other->stretch_ &&
         SizesEqual(Size(), other->Size()) && margins_->IsEqual(other->margins_.get()) &&
         texture_->SameAs(other->texture_.get());
}

// ---------------------------------------------------------------------------------------------
// Elements

TdxSkinElement::TdxSkinElement(TPersistent* owner, const std::string& name)
    : TdxSkinPersistent(owner, name),
      borders_(std::make_unique<TdxSkinBorders>(this, SkinBordersName())),
      canvas_(std::make_unique<TdxSkinCanvas>()),
      contentOffset_(std::make_unique<TcxRect>(this)),
      glyph_(std::make_unique<TdxSkinImage>(this)),
      image_(std::make_unique<TdxSkinImage>(this)),
      minSize_(std::make_unique<TcxSize>(this)) {
  TNotifyEvent changed = MakeEvent<TdxSkinPersistent>(this, &TdxSkinElement::SubItemChanged);
  borders_->OnChange = changed;
  contentOffset_->OnChange = changed;
  glyph_->OnChange = changed;
  image_->OnChange = changed;
  minSize_->OnChange = changed;
}

TdxSkinElement::~TdxSkinElement() {
  if (brush_ && GdiPlusFunctions.GdipDeleteBrush) GdiPlusFunctions.GdipDeleteBrush(brush_);
}

void TdxSkinElement::ApplyColor() {
  hasColor_ = color_ != clNone && color_ != clDefault;
  if (!hasColor_ || !IsGdiPlusAvailable()) return;
  COLORREF rgb = ColorToRGB(color_);
  ARGB argb = (static_cast<ARGB>(alpha_) << 24) | (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
  if (!brush_)
    CheckGdiPlusStatus(GdiPlusFunctions.GdipCreateSolidFill(argb, &brush_));
  else
    CheckGdiPlusStatus(GdiPlusFunctions.GdipSetSolidFillColor(brush_, argb));
}

void TdxSkinElement::SetColor(TColor value) {
  color_ = value;
  ApplyColor();
  DoChange();
}

void TdxSkinElement::SetAlpha(Byte value) {
  if (value == alpha_) return;
  alpha_ = value;
  SetColor(color_);
}

void TdxSkinElement::SetImageCount(int value) {
  value = std::max(value, 1);
  if (value == imageCount_) return;
  imageCount_ = value;
  image_->MarkLayoutDirty();
  glyph_->MarkLayoutDirty();
  DoChange();
}

void TdxSkinElement::SetTextColor(TColor value) {
  textColor_ = value;
  DoChange();
}

TdxSkinControlGroup* TdxSkinElement::GetGroup() { return ObjectAs<TdxSkinControlGroup>(GetOwner()); }

bool TdxSkinElement::HasAlpha() { return image_->Empty() ? alpha_ < 255 : image_->Texture()->HasAlpha(); }

std::string TdxSkinElement::GetImageName(TdxSkinImage* image) {
  TdxSkinControlGroup* group = GetGroup();
  return (group ? group->Name() : std::string()) + "\\" + Name() + (image == glyph_.get() ? "_Glyph.png" : "_Image.png");
}

void TdxSkinElement::Assign(TPersistent* source) {
  if (auto* other = ObjectAs<TdxSkinElement>(source)) {
    image_->Assign(other->image_.get());
    glyph_->Assign(other->glyph_.get());
    SetColor(other->color_);
    SetAlpha(other->alpha_);
    contentOffset_->Assign(other->contentOffset_.get());
    SetImageCount(other->imageCount_);
    borders_->Assign(other->borders_.get());
    minSize_->Assign(other->minSize_.get());
    SetTextColor(other->textColor_);
  }
  TdxSkinPersistent::Assign(source);
}

bool TdxSkinElement::CompareProperties(TdxSkinPersistent* other) {
  if (PropertyCount() != other->PropertyCount()) return false;
  for (int i = 0; i < PropertyCount(); ++i)
    if (!Properties(i)->Compare(other->Properties(i))) return false;
  return true;
}

bool TdxSkinElement::Compare(TdxSkinElement* other) {
  return Name() == other->Name() && color_ == other->color_ && imageCount_ == other->imageCount_ &&
         alpha_ == other->alpha_ && textColor_ == other->textColor_ && minSize_->IsEqual(other->minSize_.get()) &&
         contentOffset_->IsEqual(other->contentOffset_.get()) && borders_->Compare(other->borders_.get()) &&
         CompareProperties(other) && image_->Compare(other->image_.get()) && glyph_->Compare(other->glyph_.get());
}
