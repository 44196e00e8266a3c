// Item link collections: recent items, keyboard order, accelerators, shortcuts and merging.
#include <algorithm>
#include <climits>

#include "dxBarControl.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"

// ---------------------------------------------------------------------------------------------
// Recent items.

bool TdxBarItemLinks::UseRecentItems() const {
  if (!manager_ || manager_->GetEffectiveStyle() == bmsStandard || !useRecentItems_) return false;
  TdxBarItemLinks* parent = GetParentLinks();
  return !parent || parent->UseRecentItems();
}

// How many links the short menu shows: those of the recent order down to the last one used at least
// the threshold between the least and the most used; -1 when that is all of them.
int TdxBarItemLinks::GetRecentItemsCount() const {
  if (!UseRecentItems()) return -1;
  int least = INT_MAX, most = 0;
  for (int i = 0; i < GetCanVisibleCount(); ++i) {
    least = std::min(least, GetCanVisibleLink(i)->UseCount());
    most = std::max(most, GetCanVisibleLink(i)->UseCount());
  }
  const int percents = manager_ ? manager_->MostRecentItemsPercents() : 95;
  const int threshold = least + MulDiv(most - least, 100 - percents, 100);
  int count = 0;
  for (int i = std::min(GetCanVisibleCount(), RecentCount()) - 1; i >= 0 && count == 0; --i) {
    TdxBarItemLink* link = RecentLink(i);
    if (link->UseCount() >= threshold) count = i + 1;
  }
  return count == GetCanVisibleCount() ? -1 : count;
}

void TdxBarItemLinks::SetRecentSplit(int value) {
  savedRecentSplit_ = recentSplit_;
  recentSplit_ = UseRecentItems() ? value : -1;
  RebuildLists();
}

void TdxBarItemLinks::RestoreRecentSplit() {
  recentSplit_ = savedRecentSplit_;
  RebuildLists();
}

void TdxBarItemLinks::CompactRecentOrder() {
  std::vector<void*> order;
  for (int i = 0; i < recent_.Count(); ++i) order.push_back(recent_.Get(i));
  std::stable_partition(order.begin(), order.end(), [this](void* link) { return canVisible_.IndexOf(link) >= 0; });
  recent_.Clear();
  for (void* link : order) recent_.Add(link);
}

void TdxBarItemLinks::RestoreRecentState(bool applyVisibility) {
  for (int i = Count() - 1; i >= 0; --i) {
    if (GetLink(i)->Item()) GetLink(i)->ApplyMostRecentlyUsed();
  }
  if (applyVisibility) {
    for (int i = 0; i < Count(); ++i) GetLink(i)->SetVisible(GetLink(i)->LoadedVisible());
  }
  for (int recentIndex = 0; recentIndex < Count(); ++recentIndex) {
    for (int i = 0; i < Count(); ++i) {
      TdxBarItemLink* link = GetLink(i);
      if (link->loadedRecentIndex_ != recentIndex) continue;
      link->SetUseCount(link->loadedUseCount_);
      link->MoveToRecentIndex(recentIndex);
      link->loadedRecentIndex_ = -1;
    }
  }
  RepaintBar();
}

void TdxBarItemLinks::Loaded() {
  for (int i = 0; i < Count(); ++i) GetLink(i)->ResolveLoadedItemName();
  RestoreRecentState(true);
}

// ---------------------------------------------------------------------------------------------
// Keyboard.

int TdxBarItemLinks::GetFittingCount() const {
  if (IsMenuLinks()) return GetVisibleCount();
  const TRect client = barControl_ ? barControl_->ClientRect() : TRect{};
  int count = 0;
  for (; count < GetVisibleCount(); ++count) {
    const TRect& rect = GetVisibleLink(count)->ItemRect();
    const bool inside = !rect.IsEmpty() && rect.Left >= client.Left && rect.Top >= client.Top &&
                        rect.Right <= client.Right && rect.Bottom <= client.Bottom;
    if (!inside) break;
  }
  return count;
}

bool TdxBarItemLinks::IsLinkSelectable(TdxBarItemLink* link) const {
  return link->Control() && link->Control()->CanSelect();
}

TdxBarItemLink* TdxBarItemLinks::FirstSelectableLink() const { return NextSelectableLink(nullptr); }
TdxBarItemLink* TdxBarItemLinks::LastSelectableLink() const { return PrevSelectableLink(nullptr); }

// From a link outside the visible list, or in an empty one, the search ends without a result.
TdxBarItemLink* TdxBarItemLinks::NextSelectableLink(TdxBarItemLink* link, bool any) const {
  const int fitting = GetFittingCount();
  int index = link ? IndexOfVisible(link) : -1;
  if (fitting == 0 || (link && index < 0)) return nullptr;
  for (int step = 0; step < fitting; ++step) {
    index = index + 1 >= fitting ? 0 : index + 1;
    TdxBarItemLink* candidate = GetVisibleLink(index);
    if (any || IsLinkSelectable(candidate)) return candidate;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::PrevSelectableLink(TdxBarItemLink* link, bool any) const {
  const int fitting = GetFittingCount();
  int index = link ? IndexOfVisible(link) : fitting;
  if (fitting == 0 || (link && index < 0)) return nullptr;
  for (int step = 0; step < fitting; ++step) {
    index = index - 1 < 0 ? fitting - 1 : std::min(index - 1, fitting - 1);
    TdxBarItemLink* candidate = GetVisibleLink(index);
    if (any || IsLinkSelectable(candidate)) return candidate;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::FindLinkByAccel(Word key, TShiftState shift, TdxBarItemLink* start) {
  shift.Exclude(ssAlt);
  return DoFindLinkByAccel(key, shift, start);
}

TdxBarItemLink* TdxBarItemLinks::DoFindLinkByAccel(Word, TShiftState, TdxBarItemLink*) { return nullptr; }

namespace {
bool AcceptsAccel(TdxBarItemLink* link, Word key, TShiftState shift) {
  return link->Item() && link->Item()->CanActivateByAccel(link) && link->MatchesAccel(key, shift);
}
}  // namespace

TdxBarItemLink* TdxBarControlItemLinks::DoFindLinkByAccel(Word key, TShiftState shift, TdxBarItemLink* start) {
  TCustomdxBarControl* bar = BarControl();
  if (!bar || !bar->HandleAllocated() || !IsWindowVisible(bar->Handle())) return nullptr;
  TdxBarItemLink* first = nullptr;
  for (TdxBarItemLink* link = NextSelectableLink(start); link && link != first; link = NextSelectableLink(link)) {
    if (!first) first = link;
    if (AcceptsAccel(link, key, shift)) return link;
  }
  return nullptr;
}

// Covers the links the recent split hides: the whole can-be-visible list, cyclically.
TdxBarItemLink* TdxBarSubMenuControlItemLinks::DoFindLinkByAccel(Word key, TShiftState shift,
                                                               TdxBarItemLink* start) {
  const int count = GetCanVisibleCount();
  if (count == 0) return nullptr;
  const int from = std::max(0, start ? IndexOfCanVisible(start) : 0);
  for (int step = 1; step <= count; ++step) {
    TdxBarItemLink* link = GetCanVisibleLink((from + step) % count);
    if (AcceptsAccel(link, key, shift)) return link;
  }
  return nullptr;
}

bool TdxBarItemLinks::IsShortCut(TShortCut shortCut) {
  if (shortCut == 0) return false;
  UpdateActions();
  for (int i = 0; i < GetAvailableCount(); ++i) {
    if (GetAvailableLink(i)->Item()->IsShortCut(shortCut)) return true;
  }
  return false;
}

void TdxBarItemLinks::UpdateActions() {
  for (int i = 0; i < Count(); ++i) GetLink(i)->UpdateItemAction();
}

void TdxBarItemLinks::ClearItemRects() {
  for (int i = 0; i < Count(); ++i) GetLink(i)->SetItemRect({});
}

// ---------------------------------------------------------------------------------------------
// Merging.

namespace {
bool MutuallyMergeable(TdxBarItem* a, TdxBarItem* b) { return a && b && a->CanMergeWith(b) && b->CanMergeWith(a); }
}  // namespace

// Where a source link goes: onto the last same-caption link that merges with it, else after the
// link of the greatest MergeOrder not above its own. kind becomes 0 (add) or 1 (merge).
int TdxBarItemLinks::MergePosition(TdxBarItemLink* source, int& kind) const {
  TdxBarItem* sourceItem = source->Item();
  if (kind == mkMergeByCaption) {
    for (int i = Count() - 1; i >= 0; --i) {
      TdxBarItem* target = GetLink(i)->Item();
      if (target && target->MergeKind() == mkMergeByCaption && GetLink(i)->GetCaption() == source->GetCaption() &&
          MutuallyMergeable(target, sourceItem)) {
        kind = 1;
        return i;
      }
    }
  }
  kind = 0;
  int position = -1;
  for (int i = 0; i < Count(); ++i) {
    TdxBarItem* target = GetLink(i)->Item();
    if (target && target->MergeOrder() <= sourceItem->MergeOrder() &&
        (position < 0 || target->MergeOrder() >= GetLink(position)->Item()->MergeOrder()))
      position = i;
  }
  return position + 1;
}

void TdxBarItemLinks::Merge(TdxBarItemLinks* source) {
  for (int s = 0; s < source->Count(); ++s) {
    TdxBarItemLink* sourceLink = source->GetLink(s);
    TdxBarItem* sourceItem = sourceLink->Item();
    if (!sourceItem) continue;
    int kind = sourceItem->MergeKind();
    int position = -1;
    if (kind != mkNone) position = MergePosition(sourceLink, kind);
    if (manager_ && manager_->OnMergeItemLink) {
      auto mergeKind = static_cast<TdxBarItemMergeKind>(kind);
      manager_->OnMergeItemLink(manager_, this, source, sourceLink, mergeKind, position);
      kind = mergeKind;
    }
    if (position < 0) continue;
    if (kind == 1 && position < Count() && MutuallyMergeable(GetLink(position)->Item(), sourceItem)) {
      TdxBarItemLinks* into = GetLink(position)->Item()->GetOwnItemLinks();
      if (into && sourceItem->GetOwnItemLinks()) into->Merge(sourceItem->GetOwnItemLinks());
    } else if (kind == 0 && position <= Count()) {
      InsertLink(position)->Assign(sourceLink);
    }
  }
}

void TdxBarItemLinks::Unmerge(TdxBar* bar) {
  for (int i = Count() - 1; i >= 0; --i) {
    TdxBarItemLink* link = GetLink(i);
    if (link->MergeSource() && (!bar || link->MergeSource() == bar)) {
      delete link;
    } else if (link->Item() && link->Item()->GetOwnItemLinks()) {
      link->Item()->GetOwnItemLinks()->Unmerge(bar);
    }
  }
}
