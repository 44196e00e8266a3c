#include "dxBarControl.h"

#include "dxBarDrawRoutines.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CLASS(TCustomdxBarControl, TCustomControl)

TCustomdxBarControl::TCustomdxBarControl(TComponent* owner, TdxBarManager* manager)
    : TCustomControl(owner), manager_(manager) {
  AddLiveBarControl(this);
}

TCustomdxBarControl::~TCustomdxBarControl() { RemoveLiveBarControl(this); }

TdxBarPainterClass TCustomdxBarControl::GetPainter() const {
  return manager_ && manager_->Painter() ? manager_->Painter() : TdxBarPainter::Instance();
}

TFont* TCustomdxBarControl::ItemsFont() const { return manager_->Font(); }

int TCustomdxBarControl::TextSize() const {
  TBitmap scratch;
  scratch.SetSize(1, 1);
  TcxCanvas canvas(scratch.Canvas());
  canvas.SetFont(ItemsFont());
  return GetPainter()->GetTextLineHeight(&canvas);
}

HBRUSH TCustomdxBarControl::BkBrush() const {
  return GetPainter()->GetToolbarBrush(const_cast<TCustomdxBarControl*>(this));
}

void TCustomdxBarControl::FillBackground(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool wholeArea) {
  TBitmap* picture = manager_ ? manager_->Backgrounds()->Bar() : nullptr;
  const TRect origin = wholeArea ? ClientRect() : rect;
  FillRectOrTile(dc, rect, origin, picture, color, brush);
}
