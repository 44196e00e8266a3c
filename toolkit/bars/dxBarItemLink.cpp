// Item links: one placement of an item, its user values, its item control and its recent use.
#include <utility>

#include "BinaryFiler.h"
#include "SysUtils.h"
#include "dxBarButtons.h"
#include "dxBarControl.h"
#include "dxBarItem.h"
#include "dxBarItemActionLink.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"
#include "dxBarRoutines.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CREATABLE(TdxBarItemLink, TCollectionItem, TCollection*)

namespace {
bool copyByName = false;
TdxBar* mergingBar = nullptr;

bool InheritsFromClassNamed(const TObject* object, const char* name) {
  if (!object) return false;
  for (TClass cls = object->ClassType(); cls; cls = cls->Parent) {
    if (std::string(cls->Name) == name) return true;
  }
  return false;
}

constexpr TdxBarItemViewLevels allViewLevels{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly};
}  // namespace

void SetBarLinksCopyByName(bool value) { copyByName = value; }
void SetBarLinksMergingBar(TdxBar* bar) { mergingBar = bar; }
bool IsToolbarObject(const TObject* object) { return InheritsFromClassNamed(object, "TdxBar"); }

TdxBarItemLink::TdxBarItemLink(TCollection* collection)
    : TCollectionItem(collection),
      links_(ObjectAs<TdxBarItemLinks>(collection)),
      userGlyph_(new TBitmap),
      viewLevels_(allViewLevels) {
  userGlyph_->OnChange = MakeEvent(this, &TdxBarItemLink::UserGlyphBitmapChanged);
  TdxBarManager* manager = BarManager();
  if (manager) useCount_ = manager->RecentUseCountThreshold();
  if (links_ && links_->recent_.IndexOf(this) < 0) links_->recent_.Add(this);
  if (manager && !manager->IsLoading() && manager->OnItemLinkAdd) manager->OnItemLinkAdd(manager, this);
}

// A link freed directly leaves its collection here, while it is still whole; a link freed by its
// collection has left it already.
TdxBarItemLink::~TdxBarItemLink() {
  Detach();
  delete userGlyph_;
  SetCollection(nullptr);
}

void TdxBarItemLink::Detach() {
  if (detached_) return;
  detached_ = true;
  TdxBarManager* manager = BarManager();
  if (manager && !manager->IsBarManagerDestroying() && manager->OnItemLinkDelete) manager->OnItemLinkDelete(manager, this);
  if (control_) {
    TCustomdxBarControl* bar = control_->Parent();
    if (bar && IsBarControlAlive(bar)) {
      if (control_->IsSelected()) {
        if (manager && manager->SelectedItemControl() == control_) manager->SetSelectedItemControl(nullptr);
        bar->SetSelectedItemControl(nullptr);
      }
      bar->LinkRemoved(this);
    }
    DestroyControl();
  }
  if (item_) std::exchange(item_, nullptr)->RemoveLink(this);
  if (links_) links_->recent_.Remove(this);
  if (links_) links_->RemoveFromLists(this);
}

TdxBarItemLinks* TdxBarItemLink::Links() const { return links_; }
TdxBarManager* TdxBarItemLink::BarManager() const { return links_ ? links_->BarManager() : nullptr; }
TCustomdxBarControl* TdxBarItemLink::GetLinkBarControl() const { return links_ ? links_->BarControl() : nullptr; }

// ---------------------------------------------------------------------------------------------
// Effective values.

TdxBarItem* TdxBarItemLink::GetItem() const {
  TComponent* owner = links_ ? links_->GetLinksOwner() : nullptr;
  if (owner && !loadedItemName_.empty() && BarManager()) {
    const TComponentState state = owner->ComponentState();
    if (state.Contains(csLoading) && state.Contains(csAncestor) && !state.Contains(csReading))
      return BarManager()->ItemByName(loadedItemName_);
  }
  return item_;
}

std::string TdxBarItemLink::GetCaption() const {
  TdxBarItem* item = GetItem();
  return userDefine_.Contains(udCaption) || !item ? userCaption_ : item->Caption();
}

TBitmap* TdxBarItemLink::GetGlyph() const {
  TdxBarItem* item = GetItem();
  return userDefine_.Contains(udGlyph) || !item ? userGlyph_ : item->Glyph();
}

TdxBarPaintStyle TdxBarItemLink::GetPaintStyle() const {
  TdxBarItem* item = GetItem();
  return userDefine_.Contains(udPaintStyle) || !item ? userPaintStyle_ : item->PaintStyle();
}

int TdxBarItemLink::GetWidth() const {
  if (userDefine_.Contains(udWidth)) return userWidth_;
  TdxBarItem* item = GetItem();
  return item && InheritsFromClassNamed(item, "TdxCustomBarEdit") ? item->Width() : 0;
}

int TdxBarItemLink::GetVisibleIndex() const { return links_ ? links_->IndexOfVisible(this) : -1; }
int TdxBarItemLink::GetCanVisibleIndex() const { return links_ ? links_->IndexOfCanVisible(this) : -1; }

TdxBarItemLink* TdxBarItemLink::GetNextLink() const {
  const int index = GetVisibleIndex();
  if (index < 0) return nullptr;
  TdxBarItemLink* next = links_->GetVisibleLink((index + 1) % links_->GetVisibleCount());
  return next == this ? nullptr : next;
}

bool TdxBarItemLink::IsShown() const {
  TdxBarItem* item = GetItem();
  return item && item->IsVisibleForCustomizing() && visible_;
}

bool TdxBarItemLink::SupportsPaintStyle() const { return GetItem() && GetItem()->SupportsPaintStyle(); }

TPoint TdxBarItemLink::ScreenToItem(TPoint point) const {
  if (TCustomdxBarControl* bar = GetLinkBarControl()) point = bar->ScreenToClient(point);
  return {point.X - itemRect_.Left, point.Y - itemRect_.Top};
}

void TdxBarItemLink::SetItemRect(const TRect& value) {
  itemRect_ = value;
  if (control_) control_->ViewInfo()->SetBounds(value);
}

// A group separator shown before a link that follows hidden links does not apply when the bar
// window stretches its items and puts this one centred or right.
bool TdxBarItemLink::InheritsBeginGroup() const {
  TCustomdxBarControl* bar = GetLinkBarControl();
  if (!control_ || !bar || !(bar->GetBehaviourFlags() & 0x10)) return true;
  const TdxBarItemAlign align = control_->GetRealAlign();
  return align != iaCenter && align != iaRight;
}

bool TdxBarItemLink::GetBeginGroup() const {
  const int visibleIndex = GetVisibleIndex();
  if (beginGroup_ && visibleIndex != 0) return true;
  if (visibleIndex <= 0 || !InheritsBeginGroup()) return false;
  const int from = links_->GetVisibleLink(visibleIndex - 1)->Index() + 1;
  for (int i = from; i < Index(); ++i) {
    if (links_->GetLink(i)->GetBeginGroup()) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Setters.

void TdxBarItemLink::SetBeginGroup(bool value) {
  if (value == beginGroup_) return;
  beginGroup_ = value;
  if (control_) control_->Changed();
  Changed(false);
}

void TdxBarItemLink::SetButtonGroup(TdxBarButtonGroupPosition value) {
  if (value == buttonGroup_) return;
  buttonGroup_ = value;
  Changed(true);
}

void TdxBarItemLink::SetPosition(TdxBarItemPosition value) {
  if (value == position_) return;
  position_ = value;
  Changed(true);
}

void TdxBarItemLink::SetViewLevels(TdxBarItemViewLevels value) {
  if (value == viewLevels_) return;
  viewLevels_ = value;
  Changed(true);
}

void TdxBarItemLink::SetUserCaption(const std::string& value) {
  if (value == userCaption_) return;
  userCaption_ = value;
  AddUserDefine(udCaption);
}

void TdxBarItemLink::SetUserGlyph(TBitmap* value) {
  userGlyph_->Assign(value);
  AddUserDefine(udGlyph);
}

void TdxBarItemLink::SetUserPaintStyle(TdxBarPaintStyle value) {
  if (value == GetPaintStyle()) return;
  userPaintStyle_ = value;
  AddUserDefine(udPaintStyle);
}

void TdxBarItemLink::SetUserWidth(int value) {
  if (value == GetWidth()) return;
  userWidth_ = value;
  AddUserDefine(udWidth);
}

void TdxBarItemLink::ClearUserValue(TdxBarUserDefine value) {
  switch (value) {
    case udCaption: userCaption_.clear(); break;
    case udGlyph: {
      TNotifyEvent onChange = std::exchange(userGlyph_->OnChange, nullptr);
      userGlyph_->Assign(nullptr);
      userGlyph_->OnChange = onChange;
      break;
    }
    case udPaintStyle: userPaintStyle_ = psStandard; break;
    case udWidth: userWidth_ = 0; break;
  }
}

void TdxBarItemLink::TellControlUserValue(TdxBarUserDefine value) {
  if (!control_) return;
  switch (value) {
    case udCaption: control_->CaptionChanged(); break;
    case udGlyph: control_->GlyphChanged(); break;
    case udPaintStyle: control_->PaintStyleChanged(); break;
    case udWidth: control_->WidthChanged(); break;
  }
}

void TdxBarItemLink::SetUserDefine(TdxBarUserDefines value) {
  if (value == userDefine_) return;
  for (TdxBarUserDefine bit : {udCaption, udGlyph, udPaintStyle, udWidth}) {
    const bool was = userDefine_.Contains(bit), is = value.Contains(bit);
    if (was == is) continue;
    if (was) {
      ClearUserValue(bit);
      userDefine_.Exclude(bit);
    } else {
      userDefine_.Include(bit);
    }
    TellControlUserValue(bit);
  }
  Changed(false);
}

// The bit leaves the set first, so the control hears of the new value even when it was set.
void TdxBarItemLink::AddUserDefine(TdxBarUserDefine value) {
  userDefine_.Exclude(value);
  TdxBarUserDefines with = userDefine_;
  with.Include(value);
  SetUserDefine(with);
}

void TdxBarItemLink::UserGlyphChanged() {
  if (control_) control_->GlyphChanged();
}

void TdxBarItemLink::UserGlyphBitmapChanged(TObject*) { UserGlyphChanged(); }

void TdxBarItemLink::SetMostRecentlyUsed(bool value) {
  if (value == mostRecentlyUsed_) return;
  mostRecentlyUsed_ = value;
  ApplyMostRecentlyUsed();
  if (links_) links_->RepaintBar();
  Changed(false);
}

void TdxBarItemLink::ShowInBar() {
  MarkRecentlyUsed(false);
  if (!GetLinkBarControl()) return;
  CreateControl();
  if (control_) control_->VisibleChanged();
}

void TdxBarItemLink::HideFromBar() {
  SendToRecentEnd();
  if (!control_) return;
  control_->VisibleChanged();
  DestroyControl();
}

void TdxBarItemLink::SetVisible(bool value) {
  TdxBarManager* manager = BarManager();
  if ((manager && manager->IsLoading()) || (links_ && links_->IsAssigning())) {
    loadedVisible_ = value;
    return;
  }
  if (value == visible_) return;
  visible_ = value;
  if (!(manager && manager->IsBarManagerDesigning()) && links_) {
    links_->RebuildLists();
    if (IsShown()) ShowInBar();
    else HideFromBar();
  }
  Changed(false);
}

void TdxBarItemLink::LinkItem(TdxBarItem* item) {
  item_ = item;
  item->AddLink(this);
}

void TdxBarItemLink::UnlinkItem() {
  if (item_) std::exchange(item_, nullptr)->RemoveLink(this);
}

namespace {
void FireItemLinkChange(TdxBarItemLinks* links, TdxBarItemLink* link) {
  TdxBarManager* manager = links->BarManager();
  if (links->UpdateCount() == 1 && manager && manager->OnItemLinkChange) manager->OnItemLinkChange(manager, link);
}
}  // namespace

void TdxBarItemLink::SetItem(TdxBarItem* value) {
  if (value == item_) return;
  if (!value) {
    delete this;
    return;
  }
  if (!links_) return LinkItem(value);
  links_->BeginUpdate();
  try {
    DestroyControl();
    UnlinkItem();
    std::string text;
    if (!links_->CanContainItem(value, text)) throw Exception(text);
    LinkItem(value);
    links_->RebuildLists();
    TComponent* owner = links_->GetLinksOwner();
    if (!(owner && owner->ComponentState().Contains(csLoading))) ApplyMostRecentlyUsed();
    FireItemLinkChange(links_, this);
  } catch (...) {
    FireItemLinkChange(links_, this);
    links_->EndUpdate();
    throw;
  }
  links_->EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// Item control.

void TdxBarItemLink::CreateControl() {
  TCustomdxBarControl* bar = GetLinkBarControl();
  if (control_ || !item_ || !bar || bar->ComponentState().Contains(csDestroying)) return;
  TClass controlClass = item_->GetControlClass(bar->IsRotated());
  if (!controlClass || !controlClass->Factory) return;
  control_ = static_cast<TdxBarItemControl*>(controlClass->Create(this));
}

void TdxBarItemLink::DestroyControl() { delete std::exchange(control_, nullptr); }

void TdxBarItemLink::RecreateControl() {
  TdxBarManager* manager = BarManager();
  if (manager && manager->IsUpdateLocked()) return;
  DestroyControl();
  CreateControl();
}

// ---------------------------------------------------------------------------------------------
// Recent use.

int TdxBarItemLink::RecentIndex() const { return links_ ? links_->IndexOfRecent(this) : -1; }

void TdxBarItemLink::BringToRecentFront(bool countUse) {
  if (links_ && !links_->UseRecentItems()) return;
  if (links_) links_->MoveRecent(this, 0);
  if (countUse) ++useCount_;
}

// A link that appears because of its new place in the recent order changes the window's items.
void TdxBarItemLink::RecentItemsChanged(int oldVisibleIndex) {
  if (oldVisibleIndex >= 0) return;
  if (TCustomdxBarControl* bar = GetLinkBarControl()) bar->ItemControlsChanged();
}

// Using a command marks the links above it too: the active link of the item whose links these are.
void TdxBarItemLink::ClimbMarkRecentlyUsed(bool countUse) {
  auto* ownerItem = ObjectAs<TdxBarItem>(links_->GetLinksOwner());
  TdxBarItemLink* active = ownerItem ? ownerItem->ActiveLink() : nullptr;
  if (active) active->OriginalLink()->MarkRecentlyUsed(countUse);
}

void TdxBarItemLink::MarkRecentlyUsed(bool countUse) {
  if (!IsShown()) return;
  const int oldVisibleIndex = GetVisibleIndex();
  BringToRecentFront(countUse);
  if (!links_ || GetCanVisibleIndex() < 0) return;
  RecentItemsChanged(oldVisibleIndex);
  ClimbMarkRecentlyUsed(countUse);
}

void TdxBarItemLink::SendToRecentEnd() {
  if (!links_) return;
  const bool wasVisible = GetVisibleIndex() >= 0;
  links_->MoveRecent(this, links_->RecentCount() - 1);
  if (wasVisible && GetLinkBarControl()) GetLinkBarControl()->ItemControlsChanged();
}

void TdxBarItemLink::ApplyMostRecentlyUsed() {
  if (mostRecentlyUsed_) {
    useCount_ = BarManager() ? BarManager()->RecentUseCountThreshold() : 0;
    MarkRecentlyUsed(false);
  } else {
    useCount_ = 0;
    SendToRecentEnd();
  }
}

void TdxBarItemLink::MoveToRecentIndex(int index) {
  if (!links_) {
    savedRecentIndex_ = index;
    return;
  }
  links_->MoveRecent(this, std::min(index, links_->RecentCount() - 1));
  links_->RebuildLists();
}

void TdxBarItemLink::SaveRecentIndex() { savedRecentIndex_ = RecentIndex(); }
void TdxBarItemLink::RestoreRecentIndex() { MoveToRecentIndex(savedRecentIndex_); }

void TdxBarItemLink::CopyRecentState(TdxBarItemLink* other) {
  useCount_ = other->useCount_;
  MoveToRecentIndex(other->RecentIndex());
}

// ---------------------------------------------------------------------------------------------
// Other operations.

void TdxBarItemLink::PassBeginGroupToNext() {
  const int index = GetCanVisibleIndex();
  if (!item_ || index < 0 || index + 1 >= links_->GetCanVisibleCount()) return;
  TdxBarItemLink* next = links_->GetCanVisibleLink(index + 1);
  if (index == 0 && next->GetBeginGroup()) next->SetBeginGroup(false);
  else if (GetBeginGroup() && !next->GetBeginGroup()) next->SetBeginGroup(true);
}

bool TdxBarItemLink::MatchesAccel(Word key, TShiftState shift) const {
  std::string caption = GetCaption();
  const int pos = FindAccelCharPos(caption, false);
  if (pos == 0) return false;
  const char accel = caption[pos - 1];
  const char lower = static_cast<char>(reinterpret_cast<uintptr_t>(CharLowerA(
      reinterpret_cast<LPSTR>(static_cast<uintptr_t>(static_cast<unsigned char>(accel))))));
  if (accel != lower) shift.Exclude(ssShift);
  if (lower >= '0' && lower <= '9' && static_cast<Word>(lower) == key && shift.Empty()) return true;
  const SHORT scan = VkKeyScanA(lower);
  if (scan == -1 || (scan & 0xFF) != key) return false;
  TShiftState wanted;
  if (scan & 0x100) wanted.Include(ssShift);
  if (scan & 0x200) wanted.Include(ssCtrl);
  return wanted == shift;
}

bool TdxBarItemLink::ContainsLinksOwner(TComponent* owner) const {
  if (!item_) return false;
  if (item_ == owner) return true;
  TdxBarItemLinks* own = item_->GetOwnItemLinks();
  return own && own->ContainsLinksOwner(owner);
}

void TdxBarItemLink::UpdateItemAction() {
  if (item_ && item_->ActionLink()) item_->ActionLink()->Update();
}

void TdxBarItemLink::MoveToLinks(TdxBarItemLinks* links) {
  DestroyControl();
  SetCollection(links);
}

void TdxBarItemLink::ResolveLoadedItemName() {
  if (loadedItemName_.empty()) return;
  TdxBarItem* item = BarManager() ? BarManager()->ItemByName(loadedItemName_) : nullptr;
  loadedItemName_.clear();
  if (item) SetItem(item);
}

void TdxBarItemLink::DefineProperties(TFiler* filer) {
  TCollectionItem::DefineProperties(filer);
  filer->DefineProperty("ItemName", MakeEvent(this, &TdxBarItemLink::ReadItemName),
                        MakeEvent(this, &TdxBarItemLink::WriteItemName), item_ != nullptr);
}

void TdxBarItemLink::ReadItemName(TReader* reader) { loadedItemName_ = reader->ReadString(); }
void TdxBarItemLink::WriteItemName(TWriter* writer) { writer->WriteString(item_ ? item_->Name() : ""); }

namespace {
// The item a copied link shows in the target collection.
TdxBarItem* ItemForCopy(TdxBarItemLinks* target, TdxBarItem* sourceItem) {
  if (!sourceItem) return nullptr;
  TdxBarManager* manager = target ? target->BarManager() : nullptr;
  if (copyByName && manager && manager->Owner())
    return ObjectAs<TdxBarItem>(manager->Owner()->FindComponent(sourceItem->Name()));
  TComponent* owner = target ? target->GetLinksOwner() : nullptr;
  const bool updating = (manager && manager->ComponentState().Contains(csUpdating)) ||
                        (owner && owner->ComponentState().Contains(csUpdating));
  if (updating && manager) return manager->ItemByName(sourceItem->Name());
  return sourceItem;
}
}  // namespace

void TdxBarItemLink::Assign(TPersistent* source) {
  auto* other = ObjectAs<TdxBarItemLink>(source);
  if (!other) return TCollectionItem::Assign(source);
  data_ = other->data_;
  userCaption_ = other->userCaption_;
  userGlyph_->Assign(other->userGlyph_);
  userPaintStyle_ = other->userPaintStyle_;
  userWidth_ = other->userWidth_;
  // A copy without an item keeps the link (setting no item would free it).
  if (TdxBarItem* item = ItemForCopy(links_, other->item_)) SetItem(item);
  else UnlinkItem();
  SetUserDefine(other->userDefine_);
  SetBeginGroup(other->GetBeginGroup());
  SetButtonGroup(other->buttonGroup_);
  SetPosition(other->position_);
  SetViewLevels(other->viewLevels_);
  SetVisible(other->visible_);
  mergeSource_ = mergingBar;
}

// ---------------------------------------------------------------------------------------------
// The customizing selection.

void TdxBarItemLink::DeleteSelf(IdxBarSelectableItem*& item, bool) {
  item = nullptr;
  delete this;
}

void TdxBarItemLink::DoAction(int action) {
  if (action == 0) SetUserDefine({});
}

void TdxBarItemLink::GetMasterObjects(TList* list) {
  if (TComponent* owner = links_ ? links_->GetLinksOwner() : nullptr) list->Add(owner);
  if (item_) list->Add(item_);
}

TPersistent* TdxBarItemLink::GetSelectableParent() { return links_ ? links_->GetLinksOwner() : nullptr; }

int TdxBarItemLink::GetSelectionStatus() { return BarManager() ? BarManager()->GetSelectionStatus(this) : 0; }

int TdxBarItemLink::GetSupportedActions() { return item_ ? item_->GetSupportedActions() : 0; }

void TdxBarItemLink::Invalidate() {
  if (control_) control_->Repaint();
}

bool TdxBarItemLink::IsSelected() {
  return GetSelectionStatus() == 1 || (item_ && item_->IsSelected());
}

void TdxBarItemLink::Select(int mode) {
  if (BarManager()) BarManager()->SelectComponent(this, mode);
  if (item_) item_->Select(mode);
}

bool TdxBarItemLink::SelectParent() {
  TdxBarManager* manager = BarManager();
  if (manager) manager->SetSelectedItemControl(nullptr);
  if (TCustomdxBarControl* bar = GetLinkBarControl()) bar->SetSelectedItemControl(nullptr);
  if (IdxBarSelectableItem* parent = GetSelectableItem(links_ ? links_->GetLinksOwner() : nullptr)) {
    parent->Select(0);
    return true;
  }
  return false;
}

void TdxBarItemLink::SelectionChanged() {
  if (item_) item_->SelectionChanged();
}

// ---------------------------------------------------------------------------------------------
namespace {
constexpr const char* buttonGroupNames[] = {"bgpNone", "bgpStart", "bgpMember"};
constexpr const char* positionNames[] = {"ipBeginsNewRow", "ipBeginsNewColumn", "ipContinuesRow"};
constexpr const char* userDefineNames[] = {"udCaption", "udGlyph", "udPaintStyle", "udWidth"};
constexpr const char* viewLevelNames[] = {"ivlLargeIconWithText", "ivlSmallIconWithText", "ivlSmallIcon",
                                          "ivlControlOnly"};
constinit const TEnumInfo buttonGroupInfo{buttonGroupNames, 3};
constinit const TEnumInfo positionInfo{positionNames, 3};
constinit const TEnumInfo userDefineInfo{userDefineNames, 4};
constinit const TEnumInfo viewLevelInfo{viewLevelNames, 4};

using L = TdxBarItemLink;
constinit const TPropInfo linkProps[] = {
    Published<&L::BeginGroup, &L::SetBeginGroup>("BeginGroup").WithDefault(false),
    Published<&L::ButtonGroup, &L::SetButtonGroup>("ButtonGroup", &buttonGroupInfo).WithDefault(bgpNone),
    Published<&L::MostRecentlyUsed, &L::SetMostRecentlyUsed>("MostRecentlyUsed").WithDefault(true),
    Published<&L::Position, &L::SetPosition>("Position", &positionInfo).WithDefault(ipBeginsNewRow),
    Published<&L::UserCaption, &L::SetUserCaption>("UserCaption"),
    Published<&L::UserDefine, &L::SetUserDefine>("UserDefine", &userDefineInfo).WithDefault(TdxBarUserDefines{}),
    Published<&L::UserGlyph, &L::SetUserGlyph>("UserGlyph"),
    Published<&L::UserPaintStyle, &L::SetUserPaintStyle>("UserPaintStyle", &TdxBarPaintStyleInfo).WithDefault(psStandard),
    Published<&L::UserWidth, &L::SetUserWidth>("UserWidth").WithDefault(0),
    Published<&L::ViewLevels, &L::SetViewLevels>("ViewLevels", &viewLevelInfo).WithDefault(allViewLevels),
    Published<&L::Visible, &L::SetVisible>("Visible"),
};
}  // namespace

void RegisterBarItemLinkProperties() { RegisterPublishedProperties(TdxBarItemLink::StaticClass(), linkProps); }
