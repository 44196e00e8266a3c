// How an item's changes reach the item controls of its links.
#include "dxBarControl.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"

TdxBarItemLink* TdxBarItem::Links(int index) const {
  return index >= 0 && index < links_.Count() ? static_cast<TdxBarItemLink*>(links_.Get(index)) : nullptr;
}

TdxBarItemLink* TdxBarItem::ActiveLink() const {
  for (int i = 0; i < LinkCount(); ++i) {
    TdxBarItemControl* control = Links(i)->Control();
    if (control && control->IsActive()) return Links(i);
  }
  return nullptr;
}

namespace {
bool LinksOnUnlockedToolbarWindow(const TdxBarItem* item) {
  for (int i = 0; i < item->LinkCount(); ++i) {
    TCustomdxBarControl* bar = item->Links(i)->GetLinkBarControl();
    if (bar && bar->GetKind() == 0 && bar->BarManager() && !bar->BarManager()->IsUpdateLocked()) return true;
  }
  return false;
}
}  // namespace

// Frees the links, last first; one manager update around it when a toolbar window would otherwise
// rebuild once per link.
void TdxBarItem::RemoveAllLinks() {
  TdxBarManager* manager = BarManager();
  const bool locked = manager && !manager->IsBarManagerDestroying() && LinksOnUnlockedToolbarWindow(this);
  if (locked) manager->BeginUpdate();
  try {
    while (LinkCount() > 0) delete Links(LinkCount() - 1);
  } catch (...) {
    if (locked) manager->EndUpdate();
    throw;
  }
  if (locked) manager->EndUpdate();
}

void TdxBarItem::ForEachControl(void (*step)(TdxBarItemControl* control)) {
  for (int i = 0; i < LinkCount(); ++i) {
    if (TdxBarItemControl* control = Links(i)->Control()) step(control);
  }
}

void TdxBarItem::ForEachControlWithout(int userDefine, void (*step)(TdxBarItemControl* control)) {
  for (int i = 0; i < LinkCount(); ++i) {
    TdxBarItemLink* link = Links(i);
    if (link->Control() && !link->UserDefine().Contains(static_cast<TdxBarUserDefine>(userDefine)))
      step(link->Control());
  }
}

void TdxBarItem::CaptionChanged() {
  ForEachControlWithout(udCaption, [](TdxBarItemControl* control) { control->CaptionChanged(); });
  NotifyChanged(false);
}

void TdxBarItem::EnabledChanged() {
  ForEachControl([](TdxBarItemControl* control) {
    control->ClearCaches(false);
    control->EnabledChanged();
  });
}

// Two passes: every control drops its caches before any of them rebuilds its bar window.
void TdxBarItem::GlyphChanged() {
  ForEachControlWithout(udGlyph, [](TdxBarItemControl* control) { control->ClearCaches(true); });
  ForEachControlWithout(udGlyph, [](TdxBarItemControl* control) { control->GlyphChanged(); });
  NotifyChanged(false);
}

void TdxBarItem::HotGlyphChanged() {
  ForEachControl([](TdxBarItemControl* control) {
    control->ClearCaches(false);
    control->HotGlyphChanged();
  });
}

void TdxBarItem::LargeGlyphChanged() {
  ForEachControl([](TdxBarItemControl* control) { control->ClearCaches(true); });
  ForEachControl([](TdxBarItemControl* control) { control->LargeGlyphChanged(); });
  NotifyChanged(false);
}

void TdxBarItem::ShortCutChanged() {
  RebuildBars(4);
  NotifyChanged(false);
}

void TdxBarItem::WidthChanged() {
  ForEachControlWithout(udWidth, [](TdxBarItemControl* control) { control->WidthChanged(); });
}

namespace {
void ShowLinkForItem(TdxBarItemLink* link, bool shown) {
  const bool wasVisible = link->GetVisibleIndex() >= 0;
  link->Links()->RebuildLists();
  if (shown) {
    link->MarkRecentlyUsed(false);
    link->CreateControl();
    if (link->Control()) link->Control()->VisibleChanged();
    return;
  }
  link->SendToRecentEnd();
  if (wasVisible && link->GetLinkBarControl()) link->GetLinkBarControl()->ItemControlsChanged();
  if (link->Control()) {
    link->Control()->VisibleChanged();
    link->DestroyControl();
  }
}
}  // namespace

void TdxBarItem::VisibleChanged() {
  if (ComponentState().Contains(csDesigning)) return;
  TdxBarManager* manager = BarManager();
  if (manager) manager->BeginUpdate();
  try {
    const bool shown = IsVisibleForCustomizing();
    for (int i = 0; i < LinkCount(); ++i) ShowLinkForItem(Links(i), shown);
  } catch (...) {
    if (manager) manager->EndUpdate();
    NotifyChanged(false);
    throw;
  }
  if (manager) manager->EndUpdate();
  NotifyChanged(false);
}

void TdxBarItem::RebuildBars(int kinds) {
  for (int i = 0; i < LinkCount(); ++i) {
    TdxBarItemControl* control = Links(i)->Control();
    TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
    if (!bar || !(kinds & (1 << bar->GetKind()))) continue;
    if (control->IsSelected() && bar->IsActive()) continue;
    bar->RepaintBar();
  }
}

void TdxBarItem::UpdateControls() {
  for (int i = 0; i < LinkCount(); ++i) {
    TdxBarItemControl* control = Links(i)->Control();
    if (!control) continue;
    if (control->IsSelected() && control->Parent() && control->Parent()->IsActive()) continue;
    control->Repaint();
  }
}

void TdxBarItem::RefreshControls() {
  ForEachControl([](TdxBarItemControl* control) { control->Refresh(); });
}

void TdxBarItem::ImagesChanged(int kind) {
  if (kind == 0 && imageIndex_ >= 0) GlyphChanged();
  if (kind == 1 && HasHotImage()) HotGlyphChanged();
  if (kind == 2 && largeImageIndex_ >= 0) LargeGlyphChanged();
}

// ---------------------------------------------------------------------------------------------
// The customizing selection: an item acts through its first link.

void TdxBarItem::DoAction(int action) {
  if (LinkCount() == 1) Links(0)->DoAction(action);
}

// The item of the next visible link that shows another item.
IdxBarSelectableItem* TdxBarItem::GetNextSelectable() {
  TdxBarItemLink* start = Links(0);
  for (TdxBarItemLink* link = start ? start->GetNextLink() : nullptr; link && link != start; link = link->GetNextLink()) {
    if (link->Item() && link->Item() != this) return link->Item();
  }
  return nullptr;
}

TPersistent* TdxBarItem::GetSelectableParent() { return Links(0) ? Links(0)->GetSelectableParent() : nullptr; }

int TdxBarItem::GetSupportedActions() { return ComponentState().Contains(csDesigning) ? 0x2 : 0x219; }

bool TdxBarItem::SelectParent() { return Links(0) && Links(0)->SelectParent(); }

void TdxBarItem::SelectionChanged() {
  ForEachControl([](TdxBarItemControl* control) { control->Repaint(); });
}
