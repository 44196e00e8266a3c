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

void TdxBarItem::CaptionChanged() {
  for (int i = 0; i < LinkCount(); ++i) {
    TdxBarItemLink* link = Links(i);
    if (link->Control() && !link->UserDefine().Contains(udCaption)) link->Control()->CaptionChanged();
  }
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
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < LinkCount(); ++i) {
      TdxBarItemLink* link = Links(i);
      if (!link->Control() || link->UserDefine().Contains(udGlyph)) continue;
      if (pass == 0) link->Control()->ClearCaches(true);
      else link->Control()->GlyphChanged();
    }
  }
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
  for (int i = 0; i < LinkCount(); ++i) {
    TdxBarItemLink* link = Links(i);
    if (link->Control() && !link->UserDefine().Contains(udWidth)) link->Control()->WidthChanged();
  }
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
  if (kind == 1 && imageIndex_ >= 0) HotGlyphChanged();
  if (kind == 2 && largeImageIndex_ >= 0) LargeGlyphChanged();
}
