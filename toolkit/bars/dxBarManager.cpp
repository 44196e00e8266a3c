#include "dxBarManager.h"

#include <algorithm>
#include <vector>

#include "BinaryFiler.h"
#include "Forms.h"
#include "SysUtils.h"
#include "dxBarFlatPainter.h"
#include "dxBarItem.h"
#include "dxBarManagerList.h"
#include "dxBarOffice11Painter.h"
#include "dxBarStrs.h"
#include "dxBarXPPainter.h"
#include "dxThemeManager.h"

CALDERAN_IMPLEMENT_CREATABLE(TdxBarManager, TComponent, TComponent*)

namespace {
// The theme kinds whose presence means visual styles can draw bars.
const TdxThemedObjectTypes barThemeKinds{totComboBox, totEdit, totMenu, totPage, totRebar, totSpin, totToolBar,
                                         totWindow};
}  // namespace

int BarManagerCount() { return BarManagerList() ? BarManagerList()->Count() : 0; }
TdxBarManager* BarManagerAt(int index) { return BarManagerList()->GetManager(index); }

TdxBarManager* FindBarManagerOf(TComponent* component) {
  if (auto* manager = ObjectAs<TdxBarManager>(component)) return manager;
  for (int i = 0; i < BarManagerCount(); ++i) {
    TdxBarManager* manager = BarManagerAt(i);
    if (manager->Owner() == component && !manager->IsBarManagerDestroying()) return manager;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
void TdxBarManager::CheckOwner(TComponent*& owner) {
  if (!owner && Application && Application->MainForm()) owner = Application->MainForm();
  if (!ObjectAs<TWinControl>(owner)) throw Exception(LoadToolkitString(dxSBAR_BARMANAGERMUSTBEONFORM));
  if (FindBarManagerOf(owner)) throw Exception(LoadToolkitString(dxSBAR_ONEOFTOOLBARSALREADYHASTHISNAME));
}

namespace {
// Checks the owner before any part of the manager exists, so a refused manager leaves nothing.
TComponent* CheckedOwner(TComponent* owner, void (*check)(TComponent*&)) {
  check(owner);
  return owner;
}
}  // namespace

TdxBarManager::TdxBarManager(TComponent* owner) : TComponent(CheckedOwner(owner, &TdxBarManager::CheckOwner)) {
  AddBarManager(this);
  CreateOwnedObjects();
  InitializeDefaults();
}

void TdxBarManager::CreateOwnedObjects() {
  backgrounds_ = new TdxBarBackgrounds(this);
  lookAndFeel_ = new TcxLookAndFeel(this);
  lookAndFeel_->OnChanged = MakeEvent(this, &TdxBarManager::LookAndFeelChanged);
  internalItems_ = new TComponentList(true);
  items_ = new TdxBarComponentList;
  categories_ = new TdxBarManagerCategories(this);
  groups_ = new TdxBarComponentList;
  barCaptionFont_ = new TFont;
  editFont_ = new TFont;
  font_ = new TFont;
  helpButtonGlyph_ = new TBitmap;
  themeNotificator_ = new TdxThemeChangedNotificator;
  themeNotificator_->OnThemeChanged = MakeEvent(this, &TdxBarManager::ThemeChanged);
  imageOptions_ = new TdxBarImageOptions(this);
  if (!IsBarManagerDesigning()) savedState_ = new TMemIniFile("");
}

void TdxBarManager::InitializeDefaults() {
  SetStyle(bmsEnhanced);
  font_->OnChange = MakeEvent(this, &TdxBarManager::FontChanged);
  CalcRecentUseCountThreshold();
  SetUseSystemFont(true);
  CreateBrushes();
  HookImageOptions();
}

void TdxBarManager::HookImageOptions() {
  imageOptions_->ImagesChangeLink()->OnChange = MakeEvent(this, &TdxBarManager::ImagesChanged);
  imageOptions_->DisabledImagesChangeLink()->OnChange = MakeEvent(this, &TdxBarManager::ImagesChanged);
  imageOptions_->HotImagesChangeLink()->OnChange = MakeEvent(this, &TdxBarManager::HotImagesChanged);
  imageOptions_->LargeImagesChangeLink()->OnChange = MakeEvent(this, &TdxBarManager::LargeImagesChanged);
  imageOptions_->DisabledLargeImagesChangeLink()->OnChange = MakeEvent(this, &TdxBarManager::LargeImagesChanged);
  imageOptions_->OnChange = MakeEvent(this, &TdxBarManager::ImageOptionsChanged);
  imageOptions_->OnLargeIconsChange = MakeEvent(this, &TdxBarManager::LargeIconsChanged);
}

TdxBarManager::~TdxBarManager() {
  Destroying();
  RemoveBarManager(this);
  HintManagerDestroyed(this);
  delete savedState_;
  delete imageOptions_;
  lookAndFeel_->OnChanged = nullptr;
  delete lookAndFeel_;
  delete themeNotificator_;
  DestroyBrushes();
  delete helpButtonGlyph_;
  DestroyItemsAndGroups();
  delete barCaptionFont_;
  delete editFont_;
  delete font_;
  delete categories_;
  delete backgrounds_;
}

// The lists own their entries at destruction: the items and groups still registered go with the manager.
void TdxBarManager::DestroyItemsAndGroups() {
  while (groups_->Count() > 0) delete groups_->Items(groups_->Count() - 1);
  delete groups_;
  groups_ = nullptr;
  delete internalItems_;
  while (items_->Count() > 0) delete items_->Items(items_->Count() - 1);
  delete items_;
  items_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Properties with side effects.

void TdxBarManager::SetScaled(bool value) {
  if (value == scaled_) return;
  scaled_ = value;
  if (scaled_ && !useSystemFont_) LoadSystemFont();
}

void TdxBarManager::SetButtonArrowWidth(int value) {
  if (value == buttonArrowWidth_ || value <= 1) return;
  buttonArrowWidth_ = value;
  RefreshDocksAndBars();
}

void TdxBarManager::SetLargeButtonArrowWidth(int value) {
  if (value == largeButtonArrowWidth_ || value < 2) return;
  largeButtonArrowWidth_ = value;
  RefreshDocksAndBars();
}

TColor TdxBarManager::DockColor() const {
  if (!autoDockColor_) return dockColor_;
  auto* owner = ObjectAs<TControl>(Owner());
  return owner ? owner->Color() : dockColor_;
}

void TdxBarManager::SetDockColor(TColor value) {
  if (value == dockColor_ && !autoDockColor_) return;
  dockColor_ = value;
  autoDockColor_ = false;
}

void TdxBarManager::SetMenuAnimations(TdxBarMenuAnimations value) {
  if (value == menuAnimations_) return;
  menuAnimations_ = value;
  DesignerModified();
}

void TdxBarManager::SetMenusShowRecentItemsFirst(bool value) {
  if (value == menusShowRecentItemsFirst_) return;
  menusShowRecentItemsFirst_ = value;
  DesignerModified();
}

void TdxBarManager::SetMostRecentItemsPercents(Byte value) {
  mostRecentItemsPercents_ = std::min<Byte>(value, 100);
  CalcRecentUseCountThreshold();
}

void TdxBarManager::CalcRecentUseCountThreshold() {
  const int p = mostRecentItemsPercents_;
  if (p == 100) {
    recentUseCountThreshold_ = 0;
    return;
  }
  int n = 1;
  while (n * (100 - p) / 100 <= 0) ++n;
  recentUseCountThreshold_ = n;
}

void TdxBarManager::SetNotDocking(TdxBarDockingStyles value) {
  if (value == notDocking_) return;
  notDocking_ = value;
  StyleChanged();
}

void TdxBarManager::SetRegistryPath(const std::string& value) {
  registryPath_ = value;
  if (registryPath_.empty()) return;
  if (registryPath_.front() != '\\') registryPath_.insert(registryPath_.begin(), '\\');
  if (registryPath_.back() != '\\') registryPath_ += '\\';
}

void TdxBarManager::SetShowFullMenusAfterDelay(bool value) {
  if (value == showFullMenusAfterDelay_) return;
  showFullMenusAfterDelay_ = value;
  DesignerModified();
}

void TdxBarManager::SetShowHint(bool value) {
  if (value == showHint_) return;
  showHint_ = value;
  DesignerModified();
}

void TdxBarManager::SetShowShortCutInHint(bool value) {
  if (value == showShortCutInHint_) return;
  showShortCutInHint_ = value;
  DesignerModified();
}

void TdxBarManager::SetStyle(TdxBarManagerStyle value) {
  if (value == style_ && painter_) return;
  style_ = value;
  StyleChanged();
}

void TdxBarManager::SetWaitForDockingTime(int value) {
  if (value >= 0) waitForDockingTime_ = value;
}

// ---------------------------------------------------------------------------------------------
// Items and groups.

TdxBarItem* TdxBarManager::GetItem(int index) const {
  return index >= 0 && index < items_->Count() ? static_cast<TdxBarItem*>(items_->Items(index)) : nullptr;
}

TdxBarItem* TdxBarManager::ItemByName(const std::string& name) const {
  for (int i = 0; i < GetItemCount(); ++i) {
    if (SameText(GetItem(i)->Name(), name)) return GetItem(i);
  }
  return nullptr;
}

void TdxBarManager::MoveItem(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  items_->Move(curIndex, newIndex);
  DesignerModified();
}

TdxBarItem* TdxBarManager::CreateItem(TClass itemClass) {
  auto* item = static_cast<TdxBarItem*>(itemClass->Create(Owner()));
  if (item->BarManager() != this) {
    if (item->BarManager()) item->BarManager()->RemoveItem(item);
    AddItem(item);
  }
  const int category = categories_->IndexOf(LoadToolkitString(dxSBAR_DEFAULTCATEGORYNAME));
  item->SetCategory(category >= 0 ? category : 0);
  return item;
}

void TdxBarManager::AddItem(TdxBarItem* item) {
  if (items_->IndexOf(item) < 0) items_->Add(item);
  item->SetBarManagerField(this);
}

void TdxBarManager::RemoveItem(TdxBarItem* item) {
  if (items_) items_->Remove(item);
}

TdxBarGroup* TdxBarManager::AddGroup() {
  auto* group = new TdxBarGroup(Owner());
  AddGroupToList(group);
  return group;
}

void TdxBarManager::AddGroupToList(TdxBarGroup* group) {
  if (groups_->IndexOf(group) < 0) groups_->Add(group);
  group->SetBarManager(this);
}

std::string TdxBarManager::GetUniqueItemName(TClass itemClass) const {
  const std::string base = std::string(itemClass->Name).substr(1);
  for (int n = 1;; ++n) {
    const std::string name = base + IntToStr(n);
    bool used = false;
    for (int i = 0; i < GetItemCount() && !used; ++i) used = SameText(GetItem(i)->Name(), name);
    if (!used) return name;
  }
}

// ---------------------------------------------------------------------------------------------
// Dock sites: each dock registers itself; toolbars and their placement come with their own part.

void TdxBarManager::AddDockControl(TdxDockControl* dock) {
  if (dockControls_.IndexOf(dock) < 0) dockControls_.Add(dock);
}

void TdxBarManager::RemoveDockControl(TdxDockControl* dock) { dockControls_.Remove(dock); }

// ---------------------------------------------------------------------------------------------
// Update locking and modification.

void TdxBarManager::BeginUpdate() {
  if (++lockCount_ == 1) SetBarsLocked(true, false);
}

void TdxBarManager::EndUpdate(bool recalcChanged) {
  if (--lockCount_ == 0 && !IsBarManagerDestroying()) SetBarsLocked(false, recalcChanged);
}

// Bars rebuild once when the lock goes; toolbars and docks join this with their own part.
void TdxBarManager::SetBarsLocked(bool, bool) {}

void TdxBarManager::DesignerModified() {
  if (IsLoading() || IsBarManagerDestroying()) return;
  if (designerModifiedLock_ != 0) {
    noticePending_ = true;
    return;
  }
  modified_ = true;
}

void TdxBarManager::LockDesignerModified(bool lock, bool notifyPending) {
  if (lock) {
    if (designerModifiedLock_++ == 0) noticePending_ = false;
    return;
  }
  if (--designerModifiedLock_ == 0 && notifyPending && noticePending_) DesignerModified();
}

bool TdxBarManager::IsLoading() const {
  return ComponentState().Contains(csLoading) || (state_ & msfAfterLoading) != 0;
}

// ---------------------------------------------------------------------------------------------
// Style and painter.

TdxBarManagerStyle TdxBarManager::GetEffectiveStyle() const {
  if (style_ != bmsUseLookAndFeel) return style_;
  if (lookAndFeel_->NativeStyle() && AreThemeKindsAvailable(barThemeKinds)) return bmsXP;
  static const TdxBarManagerStyle byKind[] = {bmsEnhanced, bmsStandard, bmsFlat, bmsOffice11};
  return byKind[lookAndFeel_->Kind()];
}

int TdxBarManager::GetPainterStyle() const {
  static const int byKind[] = {1, 0, 2, 4};  // lfFlat, lfStandard, lfUltraFlat, lfOffice11
  switch (style_) {
    case bmsStandard: return 0;
    case bmsEnhanced: return 1;
    case bmsFlat: return 2;
    case bmsXP: return visualStylesAvailable_ ? 3 : 1;
    case bmsOffice11: return 4;
    case bmsUseLookAndFeel:
      if (lookAndFeel_->NativeStyle() && visualStylesAvailable_) return 3;
      if (lookAndFeel_->SkinPainter()) return 5;
      return byKind[lookAndFeel_->Kind()];
  }
  return 0;
}

TdxBarPainterClass TdxBarManager::GetPainterClass() const {
  switch (GetPainterStyle()) {
    case 1: return TdxBarEnhancedPainter::Instance();
    case 2: return TdxBarFlatPainter::Instance();
    case 3: return TdxBarXPPainter::Instance();
    case 4: return TdxBarOffice11Painter::Instance();
    case 5: return dxBarSkinnedPainterClass;
    default: return TdxBarStandardPainter::Instance();
  }
}

void TdxBarManager::RecreatePainter() {
  visualStylesAvailable_ = AreThemeKindsAvailable(barThemeKinds);
  painter_ = GetPainterClass();
  painter_->Create(this);
}

void TdxBarManager::StyleChanged() {
  if (changingStyle_) return;
  changingStyle_ = true;
  try {
    RecreatePainter();
    RefreshDocksAndBars();
  } catch (...) {
    changingStyle_ = false;
    throw;
  }
  changingStyle_ = false;
}

// Docks and toolbar windows repaint with the new look; they join this with their own part.
void TdxBarManager::RefreshDocksAndBars() {}

void TdxBarManager::AssignPainterLookAndFeel(TcxLookAndFeel* lookAndFeel) const {
  lookAndFeel->ClearAssignedValues();
  lookAndFeel->SetSkinName("");
  static const int styleOfPainter[] = {0, 0, 2, 3, 4};
  const int style = GetPainterStyle();
  if (style == 5) lookAndFeel->Assign(lookAndFeel_);
  else lookAndFeel->ApplyStyle(styleOfPainter[style]);
}

void TdxBarManager::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  if (!IsBarManagerDestroying()) StyleChanged();
}

void TdxBarManager::ThemeChanged() {
  if (!IsBarManagerDestroying()) StyleChanged();
}

// ---------------------------------------------------------------------------------------------
// Image-list reactions.

void TdxBarManager::ChangeItemsImages(int kind) {
  if (IsLoading() || IsBarManagerDestroying()) return;
  BeginUpdate();
  try {
    for (int i = 0; i < GetItemCount(); ++i) GetItem(i)->ImagesChanged(kind);
  } catch (...) {
    EndUpdate(true);
    throw;
  }
  EndUpdate(true);
}

void TdxBarManager::ImagesChanged(TObject*) { ChangeItemsImages(0); }
void TdxBarManager::HotImagesChanged(TObject*) { ChangeItemsImages(1); }

void TdxBarManager::LargeImagesChanged(TObject* sender) {
  ChangeItemsImages(2);
  if (sender == imageOptions_->LargeImagesChangeLink() && imageOptions_->LargeIcons() &&
      imageOptions_->UseLargeImagesForLargeIcons()) {
    LargeIconsChanged(sender);
  }
}

void TdxBarManager::ImageOptionsChanged(TObject*) { RefreshDocksAndBars(); }

void TdxBarManager::LargeIconsChanged(TObject*) {
  imageOptions_->CalcGlyphSize();
  DesignerModified();
  RefreshDocksAndBars();
}

// ---------------------------------------------------------------------------------------------
// Clicks, docking and the designer.

void TdxBarManager::DoClickItem(TdxBarItem* item) {
  if (OnClickItem) OnClickItem(this, item);
}

bool TdxBarManager::CanDock(TdxBar*, TdxBarDockingStyle style, TdxDockControl* dockControl) {
  // A toolbar's own refusal and a dock site's consent come with toolbars and docks.
  return dockControl ? true : !notDocking_.Contains(style);
}

bool TdxBarManager::CanDeleteComponent(TComponent*, bool) const { return true; }
int TdxBarManager::GetSelectionStatus(TPersistent*) const { return 0; }
void TdxBarManager::SelectComponent(TPersistent*, int) {}

void TdxBarManager::SelectItemControl(TdxBarItemControl* control) {
  if (control == selectedItemControl_) return;
  selectedItemControl_ = control;
}

// ---------------------------------------------------------------------------------------------
// Streaming.

void TdxBarManager::Loaded() {
  TComponent::Loaded();
  ++readStateCount_;
  if (lockCount_ != 0) return;
  state_ |= msfAfterLoading;
  try {
    state_ |= msfBarsLoading;
    for (int i = 0; i < GetItemCount(); ++i) GetItem(i)->ApplyLoadedVisible();
    state_ &= ~msfBarsLoading;
    ApplyLoadedCategories();
  } catch (...) {
    state_ &= ~(msfAfterLoading | msfBarsLoading);
    throw;
  }
  state_ &= ~msfAfterLoading;
}

void TdxBarManager::ApplyLoadedCategories() {
  for (int i = 0; i < categories_->Count(); ++i) {
    if (TdxBarCategoryData* data = categories_->Data(i)) SetCategoryItemsVisible(i, data->LoadedItemsVisible);
  }
}

void TdxBarManager::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove) dockControls_.Remove(component);
}

void TdxBarManager::DefineProperties(TFiler* filer) {
  TComponent::DefineProperties(filer);
  filer->DefineProperty("DockControlHeights", MakeEvent(this, &TdxBarManager::ReadDockControlHeights),
                        MakeEvent(this, &TdxBarManager::WriteDockControlHeights), true);
}

void TdxBarManager::ReadDockControlHeights(TReader* reader) {
  reader->ReadListBegin();
  for (int& height : dockControlHeights_) height = reader->EndOfList() ? 0 : reader->ReadInteger();
  while (!reader->EndOfList()) reader->SkipValue();
  reader->ReadListEnd();
}

void TdxBarManager::WriteDockControlHeights(TWriter* writer) {
  writer->WriteListBegin();
  for (int height : dockControlHeights_) writer->WriteInteger(height);
  writer->WriteListEnd();
}
