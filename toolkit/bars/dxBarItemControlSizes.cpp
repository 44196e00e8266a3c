// Item control measuring: view levels and their widths, view size and structure, text and glyph
// sizes, and the image a control draws.
#include <algorithm>

#include "Menus.h"
#include "SysUtils.h"
#include "cxGraphics.h"
#include "dxBarControl.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarRoutines.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarItemControlViewInfo, TObject)

namespace {
// Base painter metrics of captions: the menu text offsets (left and right) and the offset of a
// button's caption from its glyph.
constexpr int menuTextOffset = 3;
constexpr int buttonCaptionOffset = 4;

TdxBarItemViewLevel HighestLevel(TdxBarItemViewLevels levels) {
  return static_cast<TdxBarItemViewLevel>(LastViewLevel(levels));
}

// The item font stays selected while a measuring step runs.
int TextWidthOf(TcxCanvas* canvas, const std::string& text) {
  if (!canvas || text.empty()) return 0;
  RECT r{0, 0, 0, 0};
  DrawTextA(canvas->GetHandle(), text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
  return r.right - r.left;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// The view info.

TdxBarItemControlViewInfo::TdxBarItemControlViewInfo(TdxBarItemControl* control) : control_(control) {
  CalculateAllowedLevels();
}

TdxBarItemControlViewInfo::~TdxBarItemControlViewInfo() = default;

void TdxBarItemControlViewInfo::CalculateAllowedLevels() {
  const TdxBarItemViewLevels possible = control_->GetPossibleViewLevels();
  if (possible.Empty()) throw Exception(std::string(control_->ClassName()) + ".GetPossibleViewLevels = []");
  TdxBarItemViewLevels allowed = possible;
  if (TdxBarItemLink* link = control_->Link()) {
    const TdxBarItemViewLevels both = possible * link->ViewLevels();
    if (!both.Empty()) allowed = both;
  }
  allowedViewLevels_ = allowed;
  mostCompactLevel_ = HighestLevel(possible);
  levelForButtonGroup_ = HighestLevel(allowed);
  if (levelForButtonGroup_ == ivlLargeIconWithText) levelForButtonGroup_ = mostCompactLevel_;
  ClearSizeCache();
}

void TdxBarItemControlViewInfo::ClearSizeCache() {
  for (TWidthCacheEntry& entry : widthCache_) entry.Valid = false;
}

int TdxBarItemControlViewInfo::GetWidth(TdxBarItemViewLevel level) {
  if (level > ivlControlOnly || !allowedViewLevels_.Contains(level)) throw Exception("Testing! The level is not allowed");
  TWidthCacheEntry& entry = widthCache_[level];
  if (!entry.Valid) {
    entry.Width = control_->CalcWidthAtLevel(level);
    entry.Valid = true;
  }
  return entry.Width;
}

// ---------------------------------------------------------------------------------------------
// View levels, view size and view structure.

TdxBarItemViewLevels TdxBarItemControl::GetPossibleViewLevels() const {
  if (HasGlyphForSize(cvsSmall)) return {ivlSmallIconWithText, ivlSmallIcon};
  return {ivlSmallIconWithText};
}

int TdxBarItemControl::GetDefaultViewSize() const {
  if (link_ && link_->Links() && link_->Links()->GetItemSize() == misLarge) return cvsLarge;
  return UsesLargeIcons() ? 1 : cvsSmall;
}

int TdxBarItemControl::GetViewSize() const {
  switch (viewInfo_ ? viewInfo_->ViewLevel() : ivlDefault) {
    case ivlLargeIconWithText: return cvsLarge;
    case ivlSmallIconWithText:
    case ivlSmallIcon: return cvsSmall;
    default: return GetDefaultViewSize();
  }
}

int TdxBarItemControl::GetViewStructure() const {
  const int icon = HasGlyphForSize(GetViewSize()) ? cvsGlyph : 0;
  switch (viewInfo_ ? viewInfo_->ViewLevel() : ivlDefault) {
    case ivlLargeIconWithText:
    case ivlSmallIconWithText: return cvsCaption | icon;
    case ivlSmallIcon: return icon;
    case ivlControlOnly: return 0;
    default: return GetDefaultViewStructure();
  }
}

int TdxBarItemControl::CalcWidthAtLevel(TdxBarItemViewLevel level) {
  const TdxBarItemViewLevel previous = viewInfo_->ViewLevel();
  viewInfo_->SetViewLevel(level);
  struct TRestoreLevel {
    TdxBarItemControlViewInfo* ViewInfo;
    TdxBarItemViewLevel Level;
    ~TRestoreLevel() { ViewInfo->SetViewLevel(Level); }
  } restore{viewInfo_, previous};
  return CalcWidth();
}

// ---------------------------------------------------------------------------------------------
// Whole-control sizes.

int TdxBarItemControl::CalcWidth() {
  CalcDrawParams(false);
  const bool stretched = GetRealAlign() == iaClient && barControl_ &&
                         (barControl_->GetBehaviourFlags() & bbfStretchItems) && !barControl_->IsVertical();
  if (stretched) return GetMinWidth();
  return std::max(GetWidth(), GetMinWidth());
}

int TdxBarItemControl::CalcHeight() {
  CalcDrawParams(false);
  if (GetRealAlign() == iaClient && barControl_ && barControl_->IsVertical())
    return barControl_->IsRotated() ? GetMinWidth() : GetMinHeight();
  return std::max(GetHeight(), GetMinHeight());
}

int TdxBarItemControl::GetWidth() {
  if (GetPaintType() == ptMenu) return GetMenuWidth();
  return IsRotated() ? GetHorzHeight() : GetHorzWidth();
}

int TdxBarItemControl::GetHeight() {
  if (barControl_ && barControl_->GetKind() == 2) return GetMenuHeight();
  return IsRotated() ? GetHorzWidth() : GetHorzHeight();
}

int TdxBarItemControl::GetHorzWidth() { return GetViewSize() == cvsLarge ? GetLargeWidth() : GetSmallWidth(); }
int TdxBarItemControl::GetHorzHeight() { return GetViewSize() == cvsLarge ? GetLargeHeight() : GetSmallHeight(); }

int TdxBarItemControl::GetSmallWidth() { return GetIconAreaWidth() + GetCaptionAreaWidth() + GetControlAreaWidth(); }

int TdxBarItemControl::GetMenuWidth() {
  int width = GetSmallWidth();
  Painter()->AdjustMenuItemWidth(this, width);
  return width;
}

int TdxBarItemControl::GetSmallHeight() {
  int height = 0;
  const int structure = drawParams_.ViewStructure;
  if (structure & cvsCaption) height = std::max(height, GetTextSize());
  if (structure & cvsGlyph)
    height = std::max(height, IsRotated() ? drawParams_.GlyphAreaSize.cx : drawParams_.GlyphAreaSize.cy);
  return height;
}

// A large glyph stands above or below its caption (the wider of the two decides), or beside it.
int TdxBarItemControl::GetLargeWidth() {
  int width = GetGlyphSize(cvsLarge).cx;
  if (drawParams_.ViewStructure & cvsCaption) {
    const int caption = GetCaptionWidth() + 6;
    const TdxBarGlyphLayout layout = GlyphLayout();
    width = layout == glLeft || layout == glRight ? width + caption : std::max(width, caption);
  }
  return width + 10;
}

int TdxBarItemControl::GetLargeHeight() {
  int height = GetGlyphSize(cvsLarge).cy;
  if (drawParams_.ViewStructure & cvsCaption) {
    const int caption = GetCaptionHeight();
    const TdxBarGlyphLayout layout = GlyphLayout();
    height = layout == glLeft || layout == glRight ? std::max(height, caption) : height + caption + 1;
  }
  return height + 6;
}

int TdxBarItemControl::GetMenuHeight() { return barControl_ ? barControl_->GetItemTextSize(this) : GetTextSize(); }

// ---------------------------------------------------------------------------------------------
// Areas and texts.

int TdxBarItemControl::GetIconAreaWidth() {
  if (GetPaintType() == ptMenu) return barControl_ ? barControl_->IconAreaSize() : 0;
  if (!(drawParams_.ViewStructure & cvsGlyph)) return 0;
  return IsRotated() ? drawParams_.GlyphAreaSize.cy : drawParams_.GlyphAreaSize.cx;
}

int TdxBarItemControl::GetCaptionWidth() { return TextWidthOf(GetCanvas(), GetCaption()); }

int TdxBarItemControl::GetCaptionHeight() {
  TcxCanvas* canvas = GetCanvas();
  return canvas ? canvas->TextHeight("Qq") : 0;
}

int TdxBarItemControl::GetCaptionAreaWidth() {
  if (!(drawParams_.ViewStructure & cvsCaption)) return 0;
  if (GetPaintType() != ptMenu) {
    const int offset = (drawParams_.ViewStructure & cvsGlyph) ? buttonCaptionOffset : 2 * GetHalfFontSize();
    return GetCaptionWidth() + offset;
  }
  int width = GetCaptionWidth() + GetShortCutPartWidth();
  TdxBarItemLinks* links = link_ ? link_->Links() : nullptr;
  if (links && links->GetItemSize() == misLarge && links->GetShowDescriptions() && !drawParams_.Description.empty()) {
    TcxCanvas* canvas = GetCanvas();
    if (canvas) {
      TRect described;
      CalcTextRectForLines(canvas->GetHandle(), drawParams_.Description, 2, described, false);
      width = std::max(width, described.Width());
    }
  }
  return width + 2 * menuTextOffset;
}

int TdxBarItemControl::GetShortCutPartWidth() {
  TdxBarItemLinks* links = link_ ? link_->Links() : nullptr;
  if (!links || !links->GetShowShortCuts() || GetShortCut() == 0) return 0;
  return TextWidthOf(GetCanvas(), ShortCutToText(GetShortCut())) + (barControl_ ? barControl_->TextSize() : 0) - 6;
}

int TdxBarItemControl::GetHalfFontSize() const { return barControl_ ? barControl_->ItemsFont()->Size() / 2 : 4; }

int TdxBarItemControl::GetTextSize() const { return barControl_ ? barControl_->TextSize() : 0; }

uint16_t TdxBarItemControl::GetShortCut() const { return Item() ? Item()->ShortCut() : 0; }

// ---------------------------------------------------------------------------------------------
// Images.

TBitmap* TdxBarItemControl::GetGlyph() const { return link_ ? link_->GetGlyph() : nullptr; }
TBitmap* TdxBarItemControl::GetLargeGlyph() const { return Item() ? Item()->LargeGlyph() : nullptr; }
int TdxBarItemControl::GetImageIndex() const { return Item() ? Item()->ImageIndex() : -1; }
int TdxBarItemControl::GetLargeImageIndex() const { return Item() ? Item()->LargeImageIndex() : -1; }

TCustomImageList* TdxBarItemControl::GetSmallImages() const {
  TdxBarManager* manager = BarManager();
  if (!manager) return nullptr;
  TdxBarImageOptions* options = manager->ImageOptions();
  if (!GetEnabled() && options->DisabledImages()) return options->DisabledImages();
  return options->Images();
}

TCustomImageList* TdxBarItemControl::GetLargeImages() const {
  TdxBarManager* manager = BarManager();
  if (!manager) return nullptr;
  TdxBarImageOptions* options = manager->ImageOptions();
  if (!GetEnabled() && options->DisabledLargeImages()) return options->DisabledLargeImages();
  return options->LargeImages();
}

bool TdxBarItemControl::UsesLargeIcons() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->ImageOptions()->LargeIcons() && Painter()->SupportsLargeIcons();
}

bool TdxBarItemControl::UsesLargeImages(int size) const {
  if (size == cvsLarge) return true;
  TdxBarManager* manager = BarManager();
  return GetPaintType() != ptMenu && UsesLargeIcons() && manager &&
         manager->ImageOptions()->UseLargeImagesForLargeIcons();
}

bool TdxBarItemControl::UsesLargeGlyph(int size) const {
  TBitmap* large = GetLargeGlyph();
  return large && !large->Empty() && UsesLargeImages(size);
}

bool TdxBarItemControl::UsesLargeImageFromList(int size) const {
  TCustomImageList* images = GetLargeImages();
  const int index = GetLargeImageIndex();
  return UsesLargeImages(size) && images && index >= 0 && index < images->Count();
}

bool TdxBarItemControl::GetImageInfo(int size, bool, TCustomImageList*& images, int& index, TBitmap*& glyph) const {
  images = UsesLargeImageFromList(size) ? GetLargeImages() : GetSmallImages();
  index = UsesLargeImages(size) && GetLargeImages() && GetLargeImageIndex() != -1 ? GetLargeImageIndex()
                                                                                   : GetImageIndex();
  if (UsesLargeGlyph(size)) glyph = GetLargeGlyph();
  else if (UsesLargeImageFromList(size)) glyph = nullptr;
  else glyph = GetGlyph();
  if (glyph && glyph->Empty()) glyph = nullptr;
  return glyph || (images && index >= 0 && index < images->Count());
}

bool TdxBarItemControl::HasGlyphForSize(int size) const {
  TCustomImageList* images;
  int index;
  TBitmap* glyph;
  return GetImageInfo(size, false, images, index, glyph);
}

TSize TdxBarItemControl::GetGlyphSize(int size, bool hot) const {
  TCustomImageList* images;
  int index;
  TBitmap* glyph;
  if (GetImageInfo(size, hot, images, index, glyph)) {
    if (glyph) return {glyph->Width(), glyph->Height()};
    return {images->Width(), images->Height()};
  }
  if (size == cvsLarge) return {20, 20};
  const int glyphSize = BarManager() ? BarManager()->GetGlyphSize() : 16;
  return {glyphSize, glyphSize};
}

// The disabled list, when it serves the size, already draws the greyed look.
bool TdxBarItemControl::IsGlyphShownEnabled() const {
  if (GetEnabled()) return true;
  TCustomImageList* images;
  int index;
  TBitmap* glyph;
  const int size = drawParams_.ViewSize;
  GetImageInfo(size, false, images, index, glyph);
  if (glyph) return false;
  TdxBarManager* manager = BarManager();
  if (!manager) return false;
  TdxBarImageOptions* options = manager->ImageOptions();
  return UsesLargeImageFromList(size) ? options->DisabledLargeImages() != nullptr
                                      : options->DisabledImages() != nullptr;
}
