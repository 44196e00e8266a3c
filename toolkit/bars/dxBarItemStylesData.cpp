#include "dxBarItemStylesData.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarItemStylesData, TcxInterfacedPersistent)

namespace {
constexpr uint8_t bitBitmap = 0x1, bitColor = 0x2, bitFont = 0x4, bitTextColor = 0x8;

uint8_t AssignedBits(const TcxStyle* style) {
  if (!style) return 0;
  const TcxStyleValues values = style->AssignedValues();
  return (values.Contains(TcxStyleValue::svBitmap) ? bitBitmap : 0) |
         (values.Contains(TcxStyleValue::svColor) ? bitColor : 0) |
         (values.Contains(TcxStyleValue::svFont) ? bitFont : 0) |
         (values.Contains(TcxStyleValue::svTextColor) ? bitTextColor : 0);
}

bool ColorChanged(uint8_t oldBits, uint8_t newBits, uint8_t bit, TColor cached, TColor current) {
  if (!(oldBits & bit) && !(newBits & bit)) return false;
  if ((oldBits & bit) && (newBits & bit)) return ColorToRGB(cached) != ColorToRGB(current);
  return true;
}
}  // namespace

TdxBarItemStylesData::TdxBarItemStylesData(int count) : TcxInterfacedPersistent(nullptr), slots_(count) {}

TdxBarItemStylesData::~TdxBarItemStylesData() {
  destroying_ = true;
  for (int i = 0; i < Count(); ++i) SetStyle(i, nullptr);
}

int TdxBarItemStylesData::ReferenceCount(const TcxStyle* style) const {
  int count = 0;
  for (const TSlot& slot : slots_) count += slot.Style == style ? 1 : 0;
  return count;
}

// The data listens once to a style, however many slots refer to it.
void TdxBarItemStylesData::SetStyle(int index, TcxStyle* style) {
  TSlot& slot = slots_.at(index);
  if (slot.Style == style) return;
  TcxStyle* old = slot.Style;
  slot.Style = style;
  if (old && ReferenceCount(old) == 0) old->RemoveObserver(this);
  if (style && ReferenceCount(style) == 1) style->AddObserver(this);
  RefreshSlot(slot);
}

TcxViewParams TdxBarItemStylesData::GetViewParams(int index) const {
  TcxViewParams params;
  const TcxStyle* style = slots_.at(index).Style;
  const uint8_t bits = AssignedBits(style);
  if (bits & bitBitmap) params.Bitmap = style->Bitmap();
  if (bits & bitColor) params.Color = style->Color();
  if (bits & bitFont) params.Font = style->Font();
  if (bits & bitTextColor) params.TextColor = style->TextColor();
  return params;
}

namespace {
bool SameFont(const TFont* font, int height, uint8_t pitch, uint8_t style, uint8_t charset, const std::string& name) {
  return font->Height() == height && static_cast<uint8_t>(font->Pitch()) == pitch &&
         static_cast<uint8_t>(font->Style().ToInt()) == style && static_cast<uint8_t>(font->Charset()) == charset &&
         font->Name().substr(0, 31) == name;
}
}  // namespace

void TdxBarItemStylesData::RefreshSlot(TSlot& slot) {
  if (destroying_) return;
  const uint8_t oldBits = slot.Assigned, newBits = AssignedBits(slot.Style);
  const TcxStyle* style = slot.Style;
  const bool colorChanged =
      ColorChanged(oldBits, newBits, bitColor, slot.Color, style ? style->Color() : clDefault) ||
      ColorChanged(oldBits, newBits, bitTextColor, slot.TextColor, style ? style->TextColor() : clDefault);
  bool fontChanged = (oldBits & bitFont) || (newBits & bitFont);
  if ((oldBits & bitFont) && (newBits & bitFont)) {
    const TFontRecord& f = slot.Font;
    fontChanged = !SameFont(style->Font(), f.Height, f.Pitch, f.Style, f.Charset, f.Name);
  }
  slot.Assigned = newBits;
  if (newBits & bitColor) slot.Color = style->Color();
  if (newBits & bitTextColor) slot.TextColor = style->TextColor();
  if (newBits & bitFont) {
    const TFont* font = style->Font();
    slot.Font = {font->Height(), static_cast<uint8_t>(font->Pitch()), static_cast<uint8_t>(font->Style().ToInt()),
                 static_cast<uint8_t>(font->Charset()), font->Name().substr(0, 31)};
  }
  if (fontChanged) Notify(dxBarStyleFontChanged);
  else if (colorChanged) Notify(dxBarStyleColorsChanged);
}

// Under a lock the pending kind only rises: a font change is never turned back into a colour one.
void TdxBarItemStylesData::Notify(int kind) {
  if (lockCount_ > 0) {
    if (kind != pendingKind_ && (pendingKind_ == dxBarStyleColorsChanged || pendingKind_ == dxBarStyleNoChange))
      pendingKind_ = kind;
    return;
  }
  if (OnChange) OnChange(kind);
}

void TdxBarItemStylesData::BeginChange() {
  if (lockCount_++ == 0) pendingKind_ = dxBarStyleNoChange;
}

void TdxBarItemStylesData::EndChange() {
  if (--lockCount_ == 0 && pendingKind_ != dxBarStyleNoChange) Notify(pendingKind_);
}

void TdxBarItemStylesData::NotifyStyleChanged(TcxCustomStyle* style) {
  BeginChange();
  for (TSlot& slot : slots_) {
    if (slot.Style == style) RefreshSlot(slot);
  }
  EndChange();
}

// A style that goes leaves every slot that held it; it drops its observers itself.
void TdxBarItemStylesData::NotifyStyleDestroying(TcxCustomStyle* style) {
  BeginChange();
  for (TSlot& slot : slots_) {
    if (slot.Style != style) continue;
    slot.Style = nullptr;
    RefreshSlot(slot);
  }
  style->RemoveObserver(this);
  EndChange();
}
