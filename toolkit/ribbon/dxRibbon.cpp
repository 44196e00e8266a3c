// The ribbon control: creation guard, construction, the change routine, tabs bookkeeping, the skin
// and the bar manager, painting, and the input handed to the controller.
#include "dxRibbon.h"

#include <windowsx.h>

#include "SysUtils.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"
#include "dxBarToolbar.h"
#include "dxGDIPlusAPI.h"
#include "dxRibbonGroupsDock.h"
#include "dxRibbonBarPainter.h"
#include "dxFading.h"
#include "dxRibbonApplicationMenu.h"
#include "dxBarScreenTips.h"
#include "dxRibbonController.h"
#include "dxRibbonServices.h"

CALDERAN_IMPLEMENT_CLASS(EdxRibbonException, Exception)
CALDERAN_IMPLEMENT_CLASS(TdxRibbonGroupsDockControlSite, TCustomControl)
CALDERAN_IMPLEMENT_CLASS(TdxCustomRibbon, TcxControl)
CALDERAN_IMPLEMENT_CREATABLE(TdxRibbon, TdxCustomRibbon, TComponent*)

namespace {

// The guard runs before any part of the ribbon exists: a refused ribbon is never half built.
TComponent* CheckRibbonCreation(TComponent* owner, TClass ribbonClass) {
  if (!IsGdiPlusAvailable())
    throw Exception(Format(LoadToolkitString(sdxBarRibbonRequiresGdiPlus), {ribbonClass->Name}));
  if (!owner && Application) owner = Application->MainForm();
  if (!ObjectAs<TCustomForm>(owner))
    throw Exception(Format(LoadToolkitString(sdxBarRibbonOwnerNotForm), {ribbonClass->Name}));
  if (HasComponentOfClass(owner, ribbonClass))
      throw Exception(Format(LoadToolkitString(sdxBarRibbonSingleInstance), {ribbonClass->Name}));
  return owner;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The groups site

TdxRibbonGroupsDockControlSite::TdxRibbonGroupsDockControlSite(TdxCustomRibbon* ribbon)
    : TCustomControl(ribbon), ribbon_(ribbon) {
  SetDoubleBuffered(true);
}

void TdxRibbonGroupsDockControlSite::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case CM_MOUSELEAVE:
      TCustomControl::Dispatch(message);
      if (TdxRibbonController* controller = ribbon_->Controller()) controller->MouseLeave();
      return;
    case WM_CANCELMODE:
      TCustomControl::Dispatch(message);
      if (TdxRibbonController* controller = ribbon_->Controller()) controller->CancelMode();
      return;
    default:
      TCustomControl::Dispatch(message);
  }
}

void TdxRibbonGroupsDockControlSite::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  ribbon_->Controller()->MouseDown(button, shift, x + Left(), y + Top());
}

void TdxRibbonGroupsDockControlSite::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  ribbon_->Controller()->MouseMove(shift, x + Left(), y + Top());
}

void TdxRibbonGroupsDockControlSite::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  ribbon_->Controller()->MouseUp(button, shift, x + Left(), y + Top());
}

bool TdxRibbonGroupsDockControlSite::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  TdxRibbonController* controller = ribbon_->Controller();
  return wheelDelta < 0 ? controller->MouseWheelDown(shift, mousePos) : controller->MouseWheelUp(shift, mousePos);
}

TRect TdxRibbonGroupsDockControlSite::ScrollButtonBounds(bool left) const {
  TdxRibbonTab* tab = ribbon_->ActiveTab();
  auto* dock = tab ? ObjectAs<TdxRibbonGroupsDockControl>(tab->DockControl()) : nullptr;
  if (!dock || !ribbon_->ViewInfo()->AreTabGroupsShown()) return TRect();
  if (!dock->ViewInfo()->ScrollButtons().Contains(left ? rgsbLeft : rgsbRight)) return TRect();
  const int width = ribbon_->ViewInfo()->GetScrollButtonWidth();
  const TRect client(0, 0, Width(), Height());
  return left ? TRect(client.Left, client.Top, client.Left + width, client.Bottom)
              : TRect(client.Right - width, client.Top, client.Right, client.Bottom);
}

// The site shows what the ribbon draws where it lies (the ribbon's colour and background under
// the groups area's rounded corners, then the groups area), in the ribbon's coordinates.
void TdxRibbonGroupsDockControlSite::Paint() {
  TcxCanvas canvas(Canvas());
  HDC dc = canvas.GetHandle();
  HBRUSH ground = CreateSolidBrush(ColorToRGB(ribbon_->Color()));
  FillRect(dc, ClientRect().Win(), ground);
  DeleteObject(ground);
  POINT origin;
  OffsetWindowOrgEx(dc, Left(), Top(), &origin);
  ribbon_->Painter()->DrawBackground(&canvas, TRect(0, 0, ribbon_->Width(), ribbon_->Height()));
  ribbon_->Painter()->DrawGroupsArea(&canvas, BoundsRect());
  SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
  for (bool left : {true, false}) {
    const TRect button = ScrollButtonBounds(left);
    const TdxRibbonHitKind kind = left ? rhtGroupScrollLeft : rhtGroupScrollRight;
    TdxRibbonController* controller = ribbon_->Controller();
    if (!button.IsEmpty() && controller)
      ribbon_->Painter()->DrawGroupScrollButton(&canvas, button, controller->HotPart() == kind,
                                                controller->ScrollingPart() == kind, left);
  }
}

// ---------------------------------------------------------------------------------------------
// Construction and destruction

TdxCustomRibbon::TdxCustomRibbon(TComponent* owner, TClass ribbonClass)
    : TcxControl(CheckRibbonCreation(owner, ribbonClass)) {
  SetDoubleBuffered(true);
  SetTabStop(true);
  painter_.reset(CreatePainter());
  barPainter_.reset(CreateBarPainter());
  viewInfo_.reset(CreateViewInfo());
  groupsSite_ = new TdxRibbonGroupsDockControlSite(this);
  groupsSite_->SetParent(this);
  fonts_ = std::make_unique<TdxRibbonFonts>(this);
  tabs_ = std::make_unique<TdxRibbonTabCollection>(this);
  SetAlign(alTop);
  applicationButton_.reset(CreateApplicationButton());
  controller_.reset(CreateController());
  fader_ = std::make_unique<TdxFader>();
  popupMenuItems_ = TdxRibbonPopupMenuItems{rpmiItems, rpmiMoreCommands, rpmiQATPosition, rpmiQATAddRemoveItem,
                                            rpmiMinimizeRibbon};
  skinListeners_ = std::make_unique<TcxEventHandlerCollection>();
  creating_ = true;
  SelectDefaultSkin();
  creating_ = false;
}

TdxCustomRibbon::~TdxCustomRibbon() {
  destroying_ = true;
  controller_.reset();
  SetBarManager(nullptr);
  applicationButton_.reset();
  tabs_->Clear();  // the tabs leave while the collection is still reachable
  tabs_.reset();
  barPainter_.reset();  // after the group windows that draw with it
  fader_.reset();       // after the group windows, which stop their fades when they go
  activeTab_ = hotTab_ = nullptr;
  viewInfo_.reset();
  fonts_.reset();
}

TdxRibbonBarPainter* TdxCustomRibbon::CreateBarPainter() { return new TdxRibbonBarPainter(this); }
TdxRibbonController* TdxCustomRibbon::CreateController() { return new TdxRibbonController(this); }
TdxRibbonApplicationButton* TdxCustomRibbon::CreateApplicationButton() { return new TdxRibbonApplicationButton(this); }

void TdxCustomRibbon::SelectDefaultSkin() {
  TdxBarSkinManager* manager = BarSkinManager();
  for (int i = 0; i < manager->GetCount(); ++i)
    if (auto* skin = ObjectAs<TdxCustomRibbonSkin>(manager->GetSkin(i))) {
      SetColorSchemeName(skin->Name());
      return;
    }
}

// ---------------------------------------------------------------------------------------------
// Window

void TdxCustomRibbon::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_GETOBJECT:
      DefaultHandler(message);
      return;
    default:
      TcxControl::Dispatch(message);
  }
}

void TdxCustomRibbon::CreateParams(TCreateParams& params) {
  TcxControl::CreateParams(params);
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TdxCustomRibbon::CreateWnd() {
  TcxControl::CreateWnd();
  if (!IsDesigning()) InstallRibbonMouseHook();
}

void TdxCustomRibbon::Paint() {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading) || destroying_) return;
  viewInfo_->Paint(cxCanvas());
}

void TdxCustomRibbon::SetParent(TWinControl* parent) {
  TWinControl* form = parent ? GetParentForm(parent) : nullptr;
  TcxControl::SetParent(form);
  if (form) SetTop(0);
}

void TdxCustomRibbon::SetBounds(int left, int top, int width, int height) {
  TcxControl::SetBounds(left, top, width, ribbonHeight_ >= 0 ? ribbonHeight_ : height);
}

void TdxCustomRibbon::ApplyHeight(int height) {
  ribbonHeight_ = height;
  if (Height() == height) return;
  applyingHeight_ = true;
  try {
    TcxControl::SetBounds(Left(), Top(), Width(), height);
  } catch (...) {
    applyingHeight_ = false;
    throw;
  }
  applyingHeight_ = false;
}

void TdxCustomRibbon::BoundsChanged() {
  TcxControl::BoundsChanged();
  if (!applyingHeight_) Changed();
}

void TdxCustomRibbon::FontChanged() {
  BeginUpdate();
  try {
    TcxControl::FontChanged();
    fonts_->Refresh();
    if (activeTab_) activeTab_->UpdateToolbarFonts();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxCustomRibbon::LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) {
  TcxControl::LookAndFeelChanged(sender, changedValues);
  SkinChanged();
}

void TdxCustomRibbon::Loaded() {
  BeginUpdate();
  try {
    for (int i = 0; i < tabs_->Count(); ++i) tabs_->Items(i)->SetBarManager(barManager_);
    TcxControl::Loaded();
    if (activeTab_) activeTab_->DockGroupToolbars();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxCustomRibbon::Notification(TComponent* component, TOperation operation) {
  TcxControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == barManager_) SetBarManager(nullptr);
  if (destroying_) return;
  if (component == helpButtonScreenTip_) helpButtonScreenTip_ = nullptr;
  applicationButton_->ComponentRemoved(component);
}

// ---------------------------------------------------------------------------------------------
// Input

void TdxCustomRibbon::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TcxControl::MouseDown(button, shift, x, y);
  controller_->MouseDown(button, shift, x, y);
}

void TdxCustomRibbon::MouseMove(TShiftState shift, int x, int y) {
  TcxControl::MouseMove(shift, x, y);
  controller_->MouseMove(shift, x, y);
}

void TdxCustomRibbon::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TcxControl::MouseUp(button, shift, x, y);
  controller_->MouseUp(button, shift, x, y);
}

void TdxCustomRibbon::MouseLeave(TControl* control) {
  TcxControl::MouseLeave(control);
  if (controller_) controller_->MouseLeave();
}

void TdxCustomRibbon::DoCancelMode() {
  TcxControl::DoCancelMode();
  if (controller_) controller_->CancelMode();
}

void TdxCustomRibbon::KeyDown(Word& key, TShiftState shift) {
  controller_->KeyDown(key, shift);
  TcxControl::KeyDown(key, shift);
}

void TdxCustomRibbon::KeyPress(char& key) {
  controller_->KeyPress(key);
  TcxControl::KeyPress(key);
}

void TdxCustomRibbon::KeyUp(Word& key, TShiftState shift) {
  controller_->KeyUp(key, shift);
  TcxControl::KeyUp(key, shift);
}

bool TdxCustomRibbon::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (TcxControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  return wheelDelta < 0 ? controller_->MouseWheelDown(shift, mousePos) : controller_->MouseWheelUp(shift, mousePos);
}

TCustomForm* TdxCustomRibbon::ParentForm() const {
  return Parent() ? GetParentForm(const_cast<TdxCustomRibbon*>(this)) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Change routine

void TdxCustomRibbon::EndUpdate() {
  if (lockCount_ > 0) --lockCount_;
  if (lockCount_ == 0 && !destroying_) Changed();
}

bool TdxCustomRibbon::IsLocked() const {
  if (lockCount_ > 0 || destroying_) return true;
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return true;
  return !HandleAllocated() && !Parent();
}

void TdxCustomRibbon::Changed() {
  if (IsLocked()) return;
  HandleNeeded();
  if (!IsDesigning()) fader_->Clear();
  controller_->Reset();
  viewInfo_->Calculate(TRect(0, 0, Width(), Height()));
  Invalidate();
}

void TdxCustomRibbon::FullRefresh() {
  if (destroying_ || !HandleAllocated() || !Visible()) return;
  if (activeTab_) activeTab_->RecalculateDockControl();
  groupsSite_->Invalidate();
  Invalidate();
}

void TdxCustomRibbon::SetRedraw(bool on) {
  if (!HandleAllocated() || !Visible()) return;
  SendMessageW(Handle(), WM_SETREDRAW, on ? 1 : 0, 0);
  if (on) FullRefresh();
}

bool TdxCustomRibbon::IsTooSmallForm() const {
  if (IsDesigning()) return false;
  TCustomForm* form = ParentForm();
  if (!form) return false;
  const bool minimized =
      form->WindowState() == wsMinimized || (form->HandleAllocated() && IsIconic(form->Handle()));
  return minimized || form->Width() < 300 || form->Height() < 250;
}

void TdxCustomRibbon::CheckHiddenState() {
  if (IsTooSmallForm() != hidden_) Changed();
}

void TdxCustomRibbon::UpdateQuickAccessToolbarVisibility() {
  if (activeTab_ && activeTab_->DockControl()) activeTab_->DockControl()->SetVisible(!hidden_);
  Changed();
}

void TdxCustomRibbon::RecalculateBars() {
  if (activeTab_) activeTab_->RecalculateDockControl();
}

// ---------------------------------------------------------------------------------------------
// Properties

std::string TdxCustomRibbon::ColorSchemeName() const { return skin_ ? skin_->Name() : std::string(); }

void TdxCustomRibbon::SetColorSchemeName(const std::string& value) {
  if (auto* skin = ObjectAs<TdxCustomRibbonSkin>(BarSkinManager()->FindByName(value))) SetSkin(skin);
}

void TdxCustomRibbon::SetSkin(TdxCustomRibbonSkin* value) {
  if (!value || value == skin_) return;
  skin_ = value;
  SkinChanged();
}

void TdxCustomRibbon::SkinChanged() {
  TCustomForm* form = ParentForm();
  const bool redrawOff = form && form->HandleAllocated() && IsWindowVisible(form->Handle());
  if (redrawOff) SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);
  auto restore = [&] {
    skinListeners_->CallEvents(this, nullptr);
    if (!redrawOff) return;
    SendMessageW(form->Handle(), WM_SETREDRAW, 1, 0);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN |
                                                       RDW_UPDATENOW | RDW_ERASENOW);
  };
  try {
    fonts_->Refresh();
    RecalculateBars();
    Changed();
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TdxCustomRibbon::SetBarManager(TdxBarManager* value) {
  if (barManager_ == value) return;
  if (barManager_ && !barManager_->ComponentState().Contains(csDestroying)) barManager_->RemoveFreeNotification(this);
  barManager_ = value;
  if (barManager_) {
    barManager_->FreeNotification(this);
    if (fonts_) fonts_->Refresh();
  }
  if (tabs_) tabs_->SetBarManager(barManager_);
  Changed();
}

void TdxCustomRibbon::SetDocumentName(const std::string& value) {
  if (documentName_ == value) return;
  documentName_ = value;
  Changed();
}

void TdxCustomRibbon::SetPopupMenuItems(TdxRibbonPopupMenuItems value) {
  if (popupMenuItems_ == value) return;
  popupMenuItems_ = value;
  Changed();
}

void TdxCustomRibbon::SetShowTabGroups(bool value) {
  if (showTabGroups_ == value) return;
  showTabGroups_ = value;
  if (!value && activeTab_ && activeTab_->DockControl()) activeTab_->DockControl()->Hide();
  Changed();
}

void TdxCustomRibbon::SetShowTabHeaders(bool value) {
  if (showTabHeaders_ == value) return;
  showTabHeaders_ = value;
  Changed();
  if (HandleAllocated()) InvalidateWithChildren();
}

void TdxCustomRibbon::SetSupportNonClientDrawing(bool value) {
  if (supportNonClientDrawing_ == value) return;
  supportNonClientDrawing_ = value;
  Changed();
}

void TdxCustomRibbon::SetApplicationButtonState(int value) {
  if (applicationButtonState_ == value) return;
  applicationButtonState_ = value;
  if (HandleAllocated()) InvalidateRect(viewInfo_->ApplicationButtonBounds(), false);
}

void TdxCustomRibbon::SetApplicationButton(TdxRibbonApplicationButton* value) { applicationButton_->Assign(value); }

void TdxCustomRibbon::SetHelpButtonScreenTip(TdxBarScreenTip* value) {
  if (value == helpButtonScreenTip_) return;
  if (helpButtonScreenTip_ && !helpButtonScreenTip_->ComponentState().Contains(csDestroying))
    helpButtonScreenTip_->RemoveFreeNotification(this);
  helpButtonScreenTip_ = value;
  if (value) value->FreeNotification(this);
}

std::string TdxCustomRibbon::HelpButtonScreenTipText() const {
  return helpButtonScreenTip_ && helpButtonScreenTip_->Header() ? helpButtonScreenTip_->Header()->Text() : std::string();
}

void TdxCustomRibbon::SetHotTab(TdxRibbonTab* tab) {
  if (hotTab_ == tab) return;
  if (hotTab_) hotTab_->InvalidateHeader();
  hotTab_ = tab;
  if (hotTab_) hotTab_->InvalidateHeader();
}

// ---------------------------------------------------------------------------------------------
// Group metrics

int TdxCustomRibbon::GetGroupRowHeight() const {
  return barPainter_ ? barPainter_->GetGroupRowHeight(fonts_->GetGroupFont()) : 0;
}

int TdxCustomRibbon::GetGroupCaptionHeight() const {
  return barPainter_ ? barPainter_->GetGroupCaptionHeight(fonts_->GetGroupHeaderFont()) : 0;
}

int TdxCustomRibbon::GetGroupHeight() const {
  const TRect offsets = const_cast<TdxCustomRibbon*>(this)->GetElementContentOffsets(1);
  return 3 * GetGroupRowHeight() + offsets.Top + offsets.Bottom;
}

// ---------------------------------------------------------------------------------------------
// Tabs

const TMetaClass* TdxCustomRibbon::GetTabClass() const { return TdxRibbonTab::StaticClass(); }

int TdxCustomRibbon::GetVisibleTabCount() const {
  int count = 0;
  for (int i = 0; i < tabs_->Count(); ++i) count += tabs_->Items(i)->Visible() ? 1 : 0;
  return count;
}

TdxRibbonTab* TdxCustomRibbon::GetVisibleTab(int index) const {
  for (int i = 0; i < tabs_->Count(); ++i)
    if (tabs_->Items(i)->Visible() && index-- == 0) return tabs_->Items(i);
  return nullptr;
}


bool TdxCustomRibbon::DoTabChanging(TdxRibbonTab* newTab) {
  bool allow = true;
  if (OnTabChanging) OnTabChanging(this, newTab, allow);
  return allow;
}

void TdxCustomRibbon::DoTabChanged() {
  if (OnTabChanged) OnTabChanged(this);
}

void TdxCustomRibbon::DoTabGroupCollapsed(TdxRibbonTab* tab, TdxRibbonTabGroup* group) {
  if (OnTabGroupCollapsed) OnTabGroupCollapsed(this, tab, group);
}

void TdxCustomRibbon::DoTabGroupExpanded(TdxRibbonTab* tab, TdxRibbonTabGroup* group) {
  if (OnTabGroupExpanded) OnTabGroupExpanded(this, tab, group);
}

void TdxCustomRibbon::DoHelpButtonClick() {
  if (OnHelpButtonClick) OnHelpButtonClick(this);
}

bool TdxCustomRibbon::DoApplicationMenuClick() {
  bool handled = false;
  if (OnApplicationMenuClick) OnApplicationMenuClick(this, handled);
  return handled;
}

void TdxCustomRibbon::SetActiveTab(TdxRibbonTab* tab) {
  if (tab == activeTab_ || destroying_) return;
  if (!IsDesigning() && !DoTabChanging(tab)) return;
  if (activeTab_) activeTab_->Deactivate();
  activeTab_ = tab;
  if (groupsSite_->HandleAllocated()) SendMessageW(groupsSite_->Handle(), WM_SETREDRAW, 0, 0);
  auto finish = [this] {
    Changed();
    if (!groupsSite_->HandleAllocated()) return;
    SendMessageW(groupsSite_->Handle(), WM_SETREDRAW, 1, 0);
    RedrawWindow(groupsSite_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  };
  try {
    if (activeTab_) activeTab_->Activate();
    Changed();
    DoTabChanged();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

// The first visible tab after the index, else the nearest visible one before it, else none.
TdxRibbonTab* TdxCustomRibbon::NeighbourTab(int index) const {
  for (int i = index + 1; i < tabs_->Count(); ++i)
    if (tabs_->Items(i)->Visible()) return tabs_->Items(i);
  for (int i = std::min(index, tabs_->Count()) - 1; i >= 0; --i)
    if (tabs_->Items(i)->Visible()) return tabs_->Items(i);
  return nullptr;
}

void TdxCustomRibbon::TabAdded(TdxRibbonTab* tab) {
  tab->SetRibbon(this);
  if (!activeTab_) SetActiveTab(tab);
  else Changed();
}

void TdxCustomRibbon::TabRemoving(TdxRibbonTab* tab) {
  if (hotTab_ == tab) hotTab_ = nullptr;
  if (activeTab_ == tab) {
    const bool destroyingTab = tab->ComponentState().Contains(csDestroying);
    const int index = destroyingTab && tab->SavedIndex() >= 0 ? tab->SavedIndex() : tabs_->IndexOf(tab);
    const bool wasCreating = creating_;
    creating_ = creating_ || destroyingTab;
    try {
      SetActiveTab(NeighbourTab(index));
    } catch (...) {
      creating_ = wasCreating;
      throw;
    }
    creating_ = wasCreating;
    // A veto cannot keep a tab that is leaving.
    if (activeTab_ == tab) activeTab_ = nullptr;
  }
  tab->SetRibbon(nullptr);
  Changed();
}

void TdxCustomRibbon::TabVisibleChanged(TdxRibbonTab* tab) {
  if (tab == activeTab_ && !tab->Visible()) SetActiveTab(NeighbourTab(tabs_->IndexOf(tab)));
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Unit

void RegisterRibbonProperties();

namespace {
void StartRibbon() { RegisterRibbonProperties(); }
void StopRibbon() { RemoveRibbonMouseHook(); }
}  // namespace

constinit const TUnitInfo dxRibbonUnit{"dxRibbon", StartRibbon, StopRibbon};
