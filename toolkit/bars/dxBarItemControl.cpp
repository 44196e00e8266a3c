#include "dxBarItemControl.h"

#include "cxGraphicsRoutines.h"
#include "dxBarControl.h"
#include "dxBarItem.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarItemControlViewInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxBarItemControl, TcxIUnknownObject)

TdxBarItemControl::TdxBarItemControl(TCustomdxBarControl* barControl, TdxBarItemLink* link)
    : barControl_(barControl), link_(link), viewInfo_(new TdxBarItemControlViewInfo(this)) {
  drawParams_.BarItemControl = this;
}

TdxBarItemControl::~TdxBarItemControl() {
  ClearObjectLinks(this);
  if (ownBrush_) DeleteObject(ownBrush_);
  delete viewInfo_;
}

TdxBarItem* TdxBarItemControl::Item() const { return link_ ? link_->Item() : nullptr; }

TdxBarManager* TdxBarItemControl::BarManager() const { return barControl_ ? barControl_->BarManager() : nullptr; }

TdxBarPainterClass TdxBarItemControl::Painter() const {
  return barControl_ ? barControl_->GetPainter() : TdxBarPainter::Instance();
}

HBRUSH TdxBarItemControl::GetBackgroundBrush() const {
  if (ownBrush_) return ownBrush_;
  return barControl_ ? barControl_->BkBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

void TdxBarItemControl::SetOwnBackgroundColor(TColor color) {
  if (ownBrush_) DeleteObject(ownBrush_);
  ownBrush_ = color == clDefault ? nullptr : CreateSolidBrush(ColorToRGB(color));
}

bool TdxBarItemControl::IsSelected() const { return barControl_ && barControl_->SelectedControl() == this; }

bool TdxBarItemControl::GetEnabled() const {
  TdxBarItem* item = Item();
  return item && item->Enabled();
}

int TdxBarItemControl::GetPaintType() const { return barControl_ ? barControl_->PaintType() : ptHorz; }

int TdxBarItemControl::CaptionIndent() const { return barControl_ ? barControl_->ItemsFont()->Size() / 2 : 4; }

bool TdxBarItemControl::GetImageInfo(int, TCustomImageList*& images, int& index, TBitmap*& glyph) const {
  images = nullptr;
  index = -1;
  glyph = nullptr;
  return false;
}

TSize TdxBarItemControl::GetGlyphSize(int size) const {
  TCustomImageList* images;
  int index;
  TBitmap* glyph;
  if (GetImageInfo(size, images, index, glyph)) {
    if (glyph) return {glyph->Width(), glyph->Height()};
    return {images->Width(), images->Height()};
  }
  if (size == cvsLarge) return {20, 20};
  const int glyphSize = BarManager() ? BarManager()->GetGlyphSize() : 16;
  return {glyphSize, glyphSize};
}

bool TdxBarItemControl::UsesLargeIcons() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->ImageOptions()->LargeIcons() && Painter()->SupportsLargeIcons();
}
