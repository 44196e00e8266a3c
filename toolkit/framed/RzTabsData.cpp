// Tab records, the two colour sets and the region cache.
#include <algorithm>

#include "RzFramedStrings.h"
#include "RzTabs.h"

CALDERAN_IMPLEMENT_CLASS(TRzTabData, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TRzTabDataList, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TRzTabColors, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TRzTextColors, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TRzTabRegionCacheItem, TObject)
CALDERAN_IMPLEMENT_CLASS(TRzTabRegionCache, TObject)

void TRzTabData::Assign(TPersistent* source) {
  auto* other = ObjectAs<TRzTabData>(source);
  if (!other) return TPersistent::Assign(source);
  Caption = other->Caption;
  DisabledIndex = other->DisabledIndex;
  ImageIndex = other->ImageIndex;
  Color = other->Color;
  Enabled = other->Enabled;
  Visible = other->Visible;
  Hint = other->Hint;
}

TRzTabDataList::~TRzTabDataList() { Clear(); }

void TRzTabDataList::Assign(TPersistent* source) {
  auto* other = ObjectAs<TRzTabDataList>(source);
  if (!other) return TPersistent::Assign(source);
  Clear();
  for (TRzTabData* item : other->items_) {
    auto copy = std::make_unique<TRzTabData>();
    copy->Assign(item);
    Add(copy.release());
  }
}

void TRzTabDataList::SetItems(int index, TRzTabData* value) {
  TRzTabData*& slot = items_.at(index);
  if (slot == value) return;
  delete slot;
  slot = value;
}

int TRzTabDataList::Add(TRzTabData* data) {
  items_.push_back(data);
  return Count() - 1;
}

void TRzTabDataList::Clear() {
  for (TRzTabData* item : items_) delete item;
  items_.clear();
}

// ---------------------------------------------------------------------------------------------
void TRzTabColors::Changed(TColor& field, TColor value) {
  if (field == value) return;
  field = value;
  if (owner_) owner_->InvalidateTabs();
}
void TRzTabColors::SetHighlightBar(TColor value) { Changed(highlightBar_, value); }
void TRzTabColors::SetShadow(TColor value) { Changed(shadow_, value); }
void TRzTabColors::SetUnselected(TColor value) { Changed(unselected_, value); }

void TRzTabColors::Assign(TPersistent* source) {
  auto* other = ObjectAs<TRzTabColors>(source);
  if (!other) return TPersistent::Assign(source);
  SetHighlightBar(other->highlightBar_);
  SetShadow(other->shadow_);
  SetUnselected(other->unselected_);
}

void TRzTextColors::Changed(TColor& field, TColor value) {
  if (field == value) return;
  field = value;
  if (owner_) owner_->InvalidateTabs();
}
void TRzTextColors::SetDisabledHighlight(TColor value) { Changed(disabledHighlight_, value); }
void TRzTextColors::SetDisabledShadow(TColor value) { Changed(disabledShadow_, value); }
void TRzTextColors::SetSelected(TColor value) { Changed(selected_, value); }
void TRzTextColors::SetUnselected(TColor value) { Changed(unselected_, value); }

void TRzTextColors::Assign(TPersistent* source) {
  auto* other = ObjectAs<TRzTextColors>(source);
  if (!other) return TPersistent::Assign(source);
  SetDisabledHighlight(other->disabledHighlight_);
  SetDisabledShadow(other->disabledShadow_);
  SetSelected(other->selected_);
  SetUnselected(other->unselected_);
}

// ---------------------------------------------------------------------------------------------
void TRzTabRegionCacheItem::SetRegion(HRGN value) {
  if (value == region_) return;
  if (region_) DeleteObject(region_);
  region_ = value;
}

TRzTabRegionCache::~TRzTabRegionCache() { Clear(); }

HRGN TRzTabRegionCache::FindRegion(const TRect& rect) const {
  for (TRzTabRegionCacheItem* item : items_)
    if (item->Rect == rect) return item->Region();
  return nullptr;
}

void TRzTabRegionCache::AddRegion(const TRect& rect, HRGN region) {
  auto found = std::find_if(items_.begin(), items_.end(), [&](auto* item) { return item->Rect == rect; });
  if (found != items_.end()) {
    TRzTabRegionCacheItem* item = *found;
    items_.erase(found);
    items_.insert(items_.begin(), item);
    // The cache keeps the region it has; the one handed over is not needed and goes.
    if (region && region != item->Region()) DeleteObject(region);
    return;
  }
  auto* item = new TRzTabRegionCacheItem;
  item->Rect = rect;
  item->SetRegion(region);
  items_.insert(items_.begin(), item);
  if (capacity_ != -1 && Count() > capacity_) {
    delete items_.back();
    items_.pop_back();
  }
}

void TRzTabRegionCache::SetCapacity(int value) {
  if (value < -1 || value == 0) throw Exception(LoadToolkitString(rzSInvalidRegionCacheCapacity));
  if (value == capacity_) return;
  capacity_ = value;
  Trim();
}

void TRzTabRegionCache::Trim() {
  if (capacity_ == -1) return;
  while (Count() > capacity_) {
    delete items_.back();
    items_.pop_back();
  }
}

void TRzTabRegionCache::Clear() {
  for (TRzTabRegionCacheItem* item : items_) delete item;
  items_.clear();
}
