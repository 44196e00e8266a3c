// How an item's changes reach the item controls of its links.
#include "dxBarItem.h"
#include "dxBarManager.h"

TdxBarItemLink* TdxBarItem::Links(int index) const {
  return index >= 0 && index < links_.Count() ? static_cast<TdxBarItemLink*>(links_.Get(index)) : nullptr;
}

void TdxBarItem::RemoveAllLinks() { links_.Clear(); }

void TdxBarItem::ForEachControl(void (*)(TdxBarItemControl*)) {}

void TdxBarItem::CaptionChanged() { NotifyChanged(false); }
void TdxBarItem::EnabledChanged() {}
void TdxBarItem::GlyphChanged() { NotifyChanged(false); }
void TdxBarItem::LargeGlyphChanged() { NotifyChanged(false); }
void TdxBarItem::ShortCutChanged() {
  RebuildBars(4);
  NotifyChanged(false);
}
void TdxBarItem::VisibleChanged() { NotifyChanged(false); }
void TdxBarItem::WidthChanged() {}
void TdxBarItem::RebuildBars(int) {}
void TdxBarItem::UpdateControls() {}

void TdxBarItem::ImagesChanged(int kind) {
  if (kind == 0 && imageIndex_ >= 0) GlyphChanged();
  if (kind == 2 && largeImageIndex_ >= 0) LargeGlyphChanged();
}
