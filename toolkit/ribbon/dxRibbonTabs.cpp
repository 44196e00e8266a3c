// Ribbon tabs, tab groups and their collections: which toolbar each group shows and where the
// toolbars are docked.
#include "dxRibbon.h"

#include "SysUtils.h"
#include "dxBarControl.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"
#include "dxBarToolbar.h"
#include "dxRibbonGroupsDock.h"

CALDERAN_IMPLEMENT_CREATABLE(TdxRibbonTabGroup, TCollectionItem, TCollection*)
CALDERAN_IMPLEMENT_CLASS(TdxRibbonTabGroups, TCollection)
CALDERAN_IMPLEMENT_CREATABLE(TdxRibbonTab, TcxComponentCollectionItem, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TdxRibbonTabCollection, TcxComponentCollection)

namespace {

// Shows the toolbar in the dock control; it is hidden while it moves and then shown as it was.
// The dock it leaves lets its window go first (the window's item controls are the toolbar's links',
// which the next dock's window shows), and both docks lay their groups out again.
void DockBarInto(TdxBar* bar, TWinControl* dockControl) {
  auto* oldDock = ObjectAs<TdxRibbonGroupsDockControl>(bar->DockControl());
  if (oldDock == dockControl) oldDock = nullptr;
  if (oldDock) oldDock->ReleaseToolbar(bar);
  const bool visible = bar->Visible();
  bar->SetVisible(false);
  bar->SetDockControl(dockControl);
  bar->SetDockedDockControl(dockControl);
  bar->SetDockingStyle(dockControl ? dsTop : dsNone);
  if (!bar->ComponentState().Contains(csLoading)) bar->SetVisible(visible);
  if (oldDock) oldDock->LayoutChanged();
  if (auto* newDock = ObjectAs<TdxRibbonGroupsDockControl>(dockControl)) newDock->LayoutChanged();
}

constexpr const char* sdxRibbonGroupToolbarAlreadyUsed = "At least one group in this tab already contains this toolbar";

bool TabShowsToolbar(TdxRibbonTab* tab, TdxBar* bar, const TdxRibbonTabGroup* except = nullptr) {
  for (int i = 0; i < tab->Groups()->Count(); ++i) {
    TdxRibbonTabGroup* group = tab->Groups()->Items(i);
    if (group != except && group->ToolBar() == bar) return true;
  }
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Tab group

TdxRibbonTabGroup::TdxRibbonTabGroup(TCollection* collection) : TCollectionItem(collection) {}

TdxRibbonTabGroup::~TdxRibbonTabGroup() {
  if (toolBar_ && Tab() && !Tab()->ComponentState().Contains(csDestroying)) ReleaseToolbar();
  toolBar_ = nullptr;
}

TdxRibbonTab* TdxRibbonTabGroup::Tab() const {
  auto* groups = ObjectAs<TdxRibbonTabGroups>(Collection());
  return groups ? groups->Tab() : nullptr;
}

TdxCustomRibbon* TdxRibbonTabGroup::Ribbon() const { return Tab() ? Tab()->Ribbon() : nullptr; }

TdxBar* TdxRibbonTabGroup::ToolBar() const { return toolBar_; }

std::string TdxRibbonTabGroup::ToolbarName() const { return toolBar_ ? toolBar_->Name() : std::string(); }

void TdxRibbonTabGroup::SetCanCollapse(bool value) {
  if (canCollapse_ == value) return;
  canCollapse_ = value;
  if (toolBar_ && toolBar_->Control()) toolBar_->Control()->Invalidate();
}

void TdxRibbonTabGroup::ResolveLoadedToolbar() {
  if (loadedToolbarName_.empty()) return;
  TdxCustomRibbon* ribbon = Ribbon();
  TdxBar* bar = ribbon ? BarByName(ribbon->BarManager(), loadedToolbarName_) : nullptr;
  loadedToolbarName_.clear();
  if (bar) SetToolBar(bar);
}

// Refusals come before the current toolbar is let go, so a refused toolbar leaves the group as it was.
void TdxRibbonTabGroup::CheckToolbarAllowed(TdxBar* bar) const {
  TdxRibbonTab* tab = Tab();
  if (tab && TabShowsToolbar(tab, bar, this))
    throw EdxRibbonException(sdxRibbonGroupToolbarAlreadyUsed);
}

void TdxRibbonTabGroup::ReleaseToolbar() {
  TdxBar* bar = toolBar_;
  TdxRibbonTab* tab = Tab();
  TdxCustomRibbon* ribbon = Ribbon();
  if (!bar) return;
  if (ribbon)
    for (int i = 0; i < ribbon->Tabs()->Count(); ++i) {
      TdxRibbonTab* other = ribbon->Tabs()->Items(i);
      if (other != tab && TabShowsToolbar(other, bar)) {
        DockBarInto(bar, other->DockControl());
        return;
      }
    }
  DockBarInto(bar, nullptr);
}

void TdxRibbonTabGroup::SetToolBar(TdxBar* value) {
  TdxCustomRibbon* ribbon = Ribbon();
  if (value && (!ribbon || !ribbon->BarManager() || value->BarManager() != ribbon->BarManager())) return;
  if (value == toolBar_) return;
  if (value) CheckToolbarAllowed(value);
  TdxRibbonTab* tab = Tab();
  if (toolBar_ && tab) tab->RemoveFreeNotification(toolBar_);
  ReleaseToolbar();
  toolBar_ = value;
  if (!value) {
    delete this;  // a group without a toolbar does not stay
    return;
  }
  if (tab) value->FreeNotification(tab);
  DockToolbar(value);
}

void TdxRibbonTabGroup::DockToolbar(TdxBar* bar) {
  TdxRibbonTab* tab = Tab();
  if (!tab) return;
  TdxCustomRibbon* ribbon = tab->Ribbon();
  TdxRibbonTab* active = ribbon ? ribbon->ActiveTab() : nullptr;
  // A toolbar shared with the active tab stays where the active tab shows it.
  if (!tab->Active() && active && active->DockControl() && bar->DockControl() == active->DockControl())
    return;
  DockBarInto(bar, tab->DockControl());
}

void TdxRibbonTabGroup::Assign(TPersistent* source) {
  auto* group = ObjectAs<TdxRibbonTabGroup>(source);
  if (!group) {
    TCollectionItem::Assign(source);
    return;
  }
  SetCanCollapse(group->CanCollapse());
  SetToolBar(group->ToolBar());
}

// ---------------------------------------------------------------------------------------------
// Groups

TdxRibbonTabGroups::TdxRibbonTabGroups(TdxRibbonTab* tab)
    : TCollection(TdxRibbonTabGroup::StaticClass()), tab_(tab) {}

TPersistent* TdxRibbonTabGroups::GetOwner() { return tab_; }

void TdxRibbonTabGroups::Notify(TCollectionItem* item, TCollectionNotification action) {
  TCollection::Notify(item, action);
  if (tab_->Ribbon()) tab_->Ribbon()->Changed();
}

void TdxRibbonTabGroups::Update(TCollectionItem* item) {
  TCollection::Update(item);
  if (!tab_->Ribbon()) return;
  if (tab_->Active()) tab_->RecalculateDockControl();
  tab_->Ribbon()->Changed();
}

// ---------------------------------------------------------------------------------------------
// Tab

TdxRibbonTab::TdxRibbonTab(TComponent* owner) : TcxComponentCollectionItem(owner) {
  groups_ = std::make_unique<TdxRibbonTabGroups>(this);
  dockControl_ = CreateDockControl();
}

TdxRibbonTab::~TdxRibbonTab() {
  savedIndex_ = GetIndex();
  Destroying();
  // Leave the ribbon while the tab is whole: the ribbon chooses the neighbour from it.
  SetCollection(nullptr);
  groups_.reset();
  delete dockControl_;
  dockControl_ = nullptr;
}

TcxComponentCollection* TdxRibbonTab::GetCollectionFromParent(TComponent* parent) {
  auto* ribbon = ObjectAs<TdxCustomRibbon>(parent);
  return ribbon ? ribbon->Tabs() : nullptr;
}

std::string TdxRibbonTab::GetDisplayName() const { return Format("%s - '%s'", {Name(), caption_}); }

bool TdxRibbonTab::Active() const { return ribbon_ && ribbon_->ActiveTab() == this; }

void TdxRibbonTab::SetActive(bool value) {
  if (value && ribbon_) ribbon_->SetActiveTab(this);
}

void TdxRibbonTab::SetCaption(const std::string& value) {
  if (caption_ == value) return;
  caption_ = value;
  if (ribbon_) ribbon_->Changed();
}

void TdxRibbonTab::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  if (ribbon_) ribbon_->TabVisibleChanged(this);
}

int TdxRibbonTab::VisibleIndex() const {
  if (!ribbon_ || !visible_) return -1;
  int index = 0;
  for (int i = 0; i < ribbon_->Tabs()->Count(); ++i) {
    TdxRibbonTab* tab = ribbon_->Tabs()->Items(i);
    if (tab == this) return index;
    index += tab->Visible() ? 1 : 0;
  }
  return -1;
}

bool TdxRibbonTab::IsHot() const { return ribbon_ && ribbon_->HotTab() == this; }

void TdxRibbonTab::SetName(const std::string& value) {
  const bool follows = caption_ == Name() && !ComponentState().Contains(csLoading) &&
                       !(Owner() && Owner()->ComponentState().Contains(csLoading));
  TcxComponentCollectionItem::SetName(value);
  if (follows) SetCaption(value);
}

void TdxRibbonTab::Assign(TPersistent* source) {
  auto* tab = ObjectAs<TdxRibbonTab>(source);
  if (!tab) {
    TcxComponentCollectionItem::Assign(source);
    return;
  }
  if (ribbon_) ribbon_->BeginUpdate();
  try {
    if (tab->Active()) SetActive(true);
    SetCaption(tab->Caption());
    groups_->Assign(tab->Groups());
    SetKeyTip(tab->KeyTip());
    SetVisible(tab->Visible());
  } catch (...) {
    if (ribbon_) ribbon_->EndUpdate();
    throw;
  }
  if (ribbon_) ribbon_->EndUpdate();
}

void TdxRibbonTab::Loaded() {
  TcxComponentCollectionItem::Loaded();
  for (int i = groups_->Count() - 1; i >= 0; --i) groups_->Items(i)->ResolveLoadedToolbar();
}

void TdxRibbonTab::Notification(TComponent* component, TOperation operation) {
  TcxComponentCollectionItem::Notification(component, operation);
  if (operation != opRemove || ComponentState().Contains(csDestroying)) return;
  if (ribbon_ && ribbon_->ComponentState().Contains(csDestroying)) return;
  for (int i = groups_->Count() - 1; i >= 0; --i)
    if (static_cast<TComponent*>(groups_->Items(i)->ToolBar()) == component) groups_->Items(i)->SetToolBar(nullptr);
}

void TdxRibbonTab::SetRibbon(TdxCustomRibbon* ribbon) {
  ribbon_ = ribbon;
  if (dockControl_ && !ComponentState().Contains(csDestroying))
    dockControl_->SetParent(ribbon_ ? ribbon_->GroupsDockControlSite() : nullptr);
  if (ribbon_) SetBarManager(ribbon_->BarManager());
}

void TdxRibbonTab::Activate() {
  visible_ = true;
  if (ribbon_ && ribbon_->ViewInfo()) ribbon_->ViewInfo()->TabsViewInfo()->MakeTabVisible(this);
  if (ribbon_ && ribbon_->ShowTabGroups()) UpdateDockControl();
  DockGroupToolbars();
}

void TdxRibbonTab::Deactivate() {
  if (!ComponentState().Contains(csDestroying) && dockControl_) dockControl_->Hide();
}

TRect TdxRibbonTab::GetDockControlBounds() {
  if (!ribbon_) return TRect();
  TdxRibbonGroupsDockControlSite* site = ribbon_->GroupsDockControlSite();
  TRect r(0, 0, site->Width(), site->Height());
  const TRect margins = ribbon_->ViewInfo()->GetGroupsAreaMargins();
  return TRect(r.Left + margins.Left, r.Top + margins.Top, r.Right - margins.Right, r.Bottom - margins.Bottom);
}

void TdxRibbonTab::UpdateDockControl() {
  if (!ribbon_ || ribbon_->IsLocked() || !dockControl_) return;
  TWinControl* control = dockControl_;
  const bool shown = visible_ && !ribbon_->IsHidden() && ribbon_->ShowTabGroups() && Active();
  if (shown) {
    const TRect r = GetDockControlBounds();
    if (auto* dock = ObjectAs<TdxRibbonGroupsDockControl>(control)) dock->Calculate(r);
    control->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  }
  control->SetVisible(shown);
}

void TdxRibbonTab::RecalculateDockControl() {
  if (auto* dock = ObjectAs<TdxRibbonGroupsDockControl>(dockControl_))
    dock->LayoutChanged();
  else if (dockControl_)
    dockControl_->Realign();
}

void TdxRibbonTab::DockGroupToolbars() {
  for (int i = 0; i < groups_->Count(); ++i) {
    TdxBar* bar = groups_->Items(i)->ToolBar();
    if (bar && bar->DockControl() != dockControl_) groups_->Items(i)->DockToolbar(bar);
  }
}

void TdxRibbonTab::SetBarManager(TdxBarManager* manager) {
  if (auto* dock = ObjectAs<TdxRibbonGroupsDockControl>(dockControl_)) dock->SetBarManager(manager);
  for (int i = 0; i < groups_->Count(); ++i)
    if (TdxBar* bar = groups_->Items(i)->ToolBar()) groups_->Items(i)->DockToolbar(bar);
}

void TdxRibbonTab::UpdateToolbarFonts() {
  for (int i = 0; i < groups_->Count(); ++i) {
    TdxBar* bar = groups_->Items(i)->ToolBar();
    if (bar && bar->Control()) bar->Control()->Perform(CM_FONTCHANGED, 0, 0);
  }
}

void TdxRibbonTab::ScrollGroups(bool towardRight) {
  auto* dock = ObjectAs<TdxRibbonGroupsDockControl>(dockControl_);
  if (!dock || !ribbon_) return;
  dock->ViewInfo()->ScrollGroups(towardRight, GetDockControlBounds().Width());
}

void TdxRibbonTab::InvalidateHeader() {
  if (!ribbon_ || !ribbon_->HandleAllocated()) return;
  TdxRibbonTabsViewInfo* tabs = ribbon_->ViewInfo()->TabsViewInfo();
  for (int i = 0; i < tabs->Count(); ++i)
    if (tabs->Items(i)->Tab() == this) ribbon_->InvalidateRect(tabs->Items(i)->Bounds(), false);
  ribbon_->GroupsDockControlSite()->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Tab collection

TdxRibbonTabCollection::TdxRibbonTabCollection(TdxCustomRibbon* ribbon)
    : TcxComponentCollection(ribbon, ribbon->GetTabClass()), ribbon_(ribbon) {}

TdxRibbonTabCollection::~TdxRibbonTabCollection() {
  BeginUpdate();
  while (Count() > 0) delete Items(Count() - 1);
}

void TdxRibbonTabCollection::InitItem(TcxComponentCollectionItem* item) {
  TcxComponentCollection::InitItem(item);
  TComponent* root = ribbon_->Owner();
  if (root && item->Name().empty()) item->SetName(MakeUniqueComponentName(root, ribbon_, item, "TdxRibbon", ""));
}

void TdxRibbonTabCollection::Notify(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) {
  if (action == ccnAdded) ribbon_->TabAdded(static_cast<TdxRibbonTab*>(item));
  if (action == ccnExtracting) ribbon_->TabRemoving(static_cast<TdxRibbonTab*>(item));
  TcxComponentCollection::Notify(item, action);
  if (action == ccnChanged && !ribbon_->IsLocked()) ribbon_->Changed();
}

void TdxRibbonTabCollection::SetBarManager(TdxBarManager* manager) {
  for (int i = 0; i < Count(); ++i) Items(i)->SetBarManager(manager);
}
