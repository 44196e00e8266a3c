// Item links and their collections. A link is one placement of a bar item on a toolbar, in a
// sub-menu or in a popup menu; it carries what may differ between two placements of the same item
// (group separator, user caption, glyph, paint style and width, button-group place, view levels,
// visibility, recent use). A collection keeps its links in design order plus the derived lists a bar
// window draws from (available, can-be-visible, visible now), the recent-use order of menus that
// show recently used items first, and the menu display options.
//
// While a bar window shows the collection, each shown link owns one item control, made from the
// item's control class: the class record's factory is called with the link (`cls->Create(link)`)
// and the control takes its bar window from the link (`GetLinkBarControl`).
//
// Left out here (their own parts): the layout store's sections (LoadFromIni, SaveToIni and the
// recent state read from them), the customizing actions that need the design controller, and
// dragging. Toolbars do not exist yet: a links owner counts as a toolbar when its instance is of a
// class named TdxBar (or derived from one).
#pragma once
#include <windows.h>

#include <string>

#include "Classes.h"
#include "Controls.h"
#include "Graphics.h"
#include "Menus.h"
#include "Types.h"
#include "dxBarComponents.h"
#include "dxBarTypes.h"

enum TdxBarButtonGroupPosition : uint8_t { bgpNone, bgpStart, bgpMember };
enum TdxBarItemPosition : uint8_t { ipBeginsNewRow, ipBeginsNewColumn, ipContinuesRow };
enum TdxBarUserDefine : uint8_t { udCaption, udGlyph, udPaintStyle, udWidth };
using TdxBarUserDefines = TSet<TdxBarUserDefine>;
enum TdxBarMenuItemSize : uint8_t { misNormal, misLarge };
enum TdxBarItemOptionValue : uint8_t { ioShowDescriptions, ioShowShortCuts, ioSize };
using TdxBarItemOptionValues = TSet<TdxBarItemOptionValue>;

// What the owner of a link collection answers: a toolbar, a sub item, a popup menu, a button's
// drop-down menu.
class IdxBarLinksOwner {
 public:
  // May the item be placed here; else `text` says why not.
  virtual bool CanContainItem(TdxBarItem* item, std::string& text) = 0;
  // Creates the window that will show the links.
  virtual TCustomdxBarControl* CreateBarControl() = 0;
  virtual TComponent* GetInstance() = 0;
  virtual TdxBarItemLinks* GetItemLinks() = 0;

 protected:
  ~IdxBarLinksOwner() = default;
};

// ---------------------------------------------------------------------------------------------
class TdxBarItemLink : public TCollectionItem, public IdxBarSelectableItem {
  CALDERAN_CLASS(TdxBarItemLink)
  explicit TdxBarItemLink(TCollection* collection);
  ~TdxBarItemLink() override;

  // --- Published
  bool BeginGroup() const { return beginGroup_; }
  void SetBeginGroup(bool value);
  TdxBarButtonGroupPosition ButtonGroup() const { return buttonGroup_; }
  void SetButtonGroup(TdxBarButtonGroupPosition value);
  TdxBarItem* Item() const { return GetItem(); }
  // Nil frees the link; an item the owner refuses raises with the owner's text.
  void SetItem(TdxBarItem* value);
  bool MostRecentlyUsed() const { return mostRecentlyUsed_; }
  void SetMostRecentlyUsed(bool value);
  TdxBarItemPosition Position() const { return position_; }
  void SetPosition(TdxBarItemPosition value);
  const std::string& UserCaption() const { return userCaption_; }
  void SetUserCaption(const std::string& value);
  TdxBarUserDefines UserDefine() const { return userDefine_; }
  void SetUserDefine(TdxBarUserDefines value);
  TBitmap* UserGlyph() const { return userGlyph_; }
  void SetUserGlyph(TBitmap* value);
  TdxBarPaintStyle UserPaintStyle() const { return userPaintStyle_; }
  void SetUserPaintStyle(TdxBarPaintStyle value);
  int UserWidth() const { return userWidth_; }
  void SetUserWidth(int value);
  TdxBarItemViewLevels ViewLevels() const { return viewLevels_; }
  void SetViewLevels(TdxBarItemViewLevels value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void* Data() const { return data_; }
  void SetData(void* value) { data_ = value; }

  // --- Effective values (what bar windows and item controls read)
  std::string GetCaption() const;
  TBitmap* GetGlyph() const;
  TdxBarPaintStyle GetPaintStyle() const;
  int GetWidth() const;
  // The flag, or inherited from a hidden link before it that began a group; never on the first
  // visible link.
  bool GetBeginGroup() const;
  TdxBarItem* GetItem() const;
  int GetVisibleIndex() const;
  int GetCanVisibleIndex() const;
  // The next link in visible order, wrapping; nil when that is the link itself.
  TdxBarItemLink* GetNextLink() const;
  TdxBarItemLinks* Links() const;
  TdxBarManager* BarManager() const;
  TCustomdxBarControl* GetLinkBarControl() const;
  TdxBarItemLink* OriginalLink() { return masterLink_ ? masterLink_ : this; }
  TdxBarItemLink* MasterLink() const { return masterLink_; }
  void SetMasterLink(TdxBarItemLink* value) { masterLink_ = value; }
  bool IsShown() const;
  TPoint ScreenToItem(TPoint point) const;
  const TRect& ItemRect() const { return itemRect_; }
  void SetItemRect(const TRect& value);
  bool SupportsPaintStyle() const;

  // --- Item control
  TdxBarItemControl* Control() const { return control_; }
  void CreateControl();
  void DestroyControl();
  void RecreateControl();
  // The link's user glyph changed: tells the item control.
  virtual void UserGlyphChanged();

  // --- Recent use (menus that show recently used items first)
  int UseCount() const { return useCount_; }
  void SetUseCount(int value) { useCount_ = value; }
  void BringToRecentFront(bool countUse);
  // Also marks the links of the sub items above, up to the root bar.
  void MarkRecentlyUsed(bool countUse);
  void SendToRecentEnd();
  void ApplyMostRecentlyUsed();
  int RecentIndex() const;
  void MoveToRecentIndex(int index);
  void SaveRecentIndex();
  void RestoreRecentIndex();
  void CopyRecentState(TdxBarItemLink* other);
  int LoadedRecentIndex() const { return loadedRecentIndex_; }
  void SetLoadedRecentState(int recentIndex, int useCount) {
    loadedRecentIndex_ = recentIndex;
    loadedUseCount_ = useCount;
  }

  // --- Other
  void PassBeginGroupToNext();
  bool MatchesAccel(Word key, TShiftState shift) const;
  bool ContainsLinksOwner(TComponent* owner) const;
  void UpdateItemAction();
  virtual void MoveToLinks(TdxBarItemLinks* links);
  void ResolveLoadedItemName();
  const std::string& LoadedItemName() const { return loadedItemName_; }
  bool LoadedVisible() const { return loadedVisible_; }
  TdxBar* MergeSource() const { return mergeSource_; }
  void SetMergeSource(TdxBar* bar) { mergeSource_ = bar; }
  void Assign(TPersistent* source) override;

  // IdxBarSelectableItem
  bool CanDelete(bool) override { return true; }
  void DeleteSelf(IdxBarSelectableItem*& item, bool checkDesigner) override;
  void DoAction(int action) override;
  TdxBarManager* GetBarManager() override { return BarManager(); }
  TPersistent* GetInstance() override { return this; }
  void GetMasterObjects(TList* list) override;
  IdxBarSelectableItem* GetNextSelectable() override { return GetNextLink(); }
  TPersistent* GetSelectableParent() override;
  int GetSelectionStatus() override;
  int GetSupportedActions() override;
  void Invalidate() override;
  bool IsComplex() override { return false; }
  bool IsSelected() override;
  void Select(int mode) override;
  bool SelectParent() override;
  void SelectionChanged() override;

 protected:
  void DefineProperties(TFiler* filer) override;

 private:
  friend class TdxBarItemLinks;
  void Detach();
  void AddUserDefine(TdxBarUserDefine value);
  void ClearUserValue(TdxBarUserDefine value);
  void TellControlUserValue(TdxBarUserDefine value);
  void LinkItem(TdxBarItem* item);
  void UnlinkItem();
  void ShowInBar();
  void HideFromBar();
  void RecentItemsChanged(int oldVisibleIndex);
  void ClimbMarkRecentlyUsed(bool countUse);
  bool InheritsBeginGroup() const;
  void ReadItemName(TReader* reader);
  void WriteItemName(TWriter* writer);
  void UserGlyphBitmapChanged(TObject* sender);

  TdxBarItemLinks* links_;
  bool beginGroup_ = false;
  TdxBarButtonGroupPosition buttonGroup_ = bgpNone;
  TdxBarItemControl* control_ = nullptr;
  TdxBar* mergeSource_ = nullptr;
  void* data_ = nullptr;
  TdxBarItem* item_ = nullptr;
  TRect itemRect_;
  std::string loadedItemName_;
  int loadedRecentIndex_ = -1;
  int loadedUseCount_ = 0;
  bool loadedVisible_ = true;
  bool mostRecentlyUsed_ = true;
  TdxBarItemLink* masterLink_ = nullptr;
  TdxBarItemPosition position_ = ipBeginsNewRow;
  int savedRecentIndex_ = -1;
  int useCount_ = 0;
  std::string userCaption_;
  TdxBarUserDefines userDefine_;
  TBitmap* userGlyph_;
  TdxBarPaintStyle userPaintStyle_ = psStandard;
  int userWidth_ = 0;
  TdxBarItemViewLevels viewLevels_;
  bool visible_ = true;
  bool detached_ = false;
};

// ---------------------------------------------------------------------------------------------
// The menu display options of a collection; an unassigned value is the collection's default.
class TdxBarItemOptions : public TPersistent {
  CALDERAN_CLASS(TdxBarItemOptions)
  explicit TdxBarItemOptions(TdxBarItemLinks* links);

  TdxBarItemOptionValues AssignedValues() const { return assignedValues_; }
  bool ShowDescriptions() const;
  void SetShowDescriptions(bool value);
  bool ShowShortCuts() const;
  void SetShowShortCuts(bool value);
  TdxBarMenuItemSize Size() const;
  void SetSize(TdxBarMenuItemSize value);
  // The value of an option as a number (0 ShowDescriptions, 1 ShowShortCuts, 2 Size).
  int Value(TdxBarItemOptionValue option) const;
  void Assign(TPersistent* source) override;

 private:
  TdxBarItemLinks* links_;
  TdxBarItemOptionValues assignedValues_;
  bool showDescriptions_, showShortCuts_;
  TdxBarMenuItemSize size_;
};

// ---------------------------------------------------------------------------------------------
class TdxBarItemLinks : public TCollection {
  CALDERAN_CLASS(TdxBarItemLinks)
  TdxBarItemLinks(TdxBarManager* manager, IdxBarLinksOwner* owner);
  ~TdxBarItemLinks() override;

  TdxBarManager* BarManager() const { return manager_; }
  IdxBarLinksOwner* Owner() const { return owner_; }
  TComponent* GetLinksOwner() const;
  TPersistent* GetOwner() override { return GetLinksOwner(); }
  // The links of the bar window that opened this collection's window; nil for a root window.
  TdxBarItemLinks* GetParentLinks() const;
  bool IsInternal() const { return internal_; }
  void SetInternal(bool value) { internal_ = value; }
  bool IsAssigning() const { return assigning_; }
  TNotifyEvent OnChange;

  // --- The lists
  TdxBarItemLink* GetLink(int index) const { return static_cast<TdxBarItemLink*>(Items(index)); }
  int GetAvailableCount() const { return available_.Count(); }
  TdxBarItemLink* GetAvailableLink(int index) const { return LinkOf(available_, index); }
  int GetCanVisibleCount() const { return canVisible_.Count(); }
  TdxBarItemLink* GetCanVisibleLink(int index) const { return LinkOf(canVisible_, index); }
  int GetVisibleCount() const { return visible_.Count(); }
  TdxBarItemLink* GetVisibleLink(int index) const { return LinkOf(visible_, index); }
  int IndexOfAvailable(const TdxBarItemLink* link) const { return available_.IndexOf(link); }
  int IndexOfCanVisible(const TdxBarItemLink* link) const { return canVisible_.IndexOf(link); }
  int IndexOfVisible(const TdxBarItemLink* link) const { return visible_.IndexOf(link); }
  // The collection index when the link belongs here, else -1.
  int IndexOfLink(const TdxBarItemLink* link) const;
  int IndexOfItemName(const std::string& name) const;
  bool HasLinkWithControl(TdxBarItemControl* control) const;
  void RebuildLists();

  // --- Adding and moving
  TdxBarItemLink* AddLink() { return static_cast<TdxBarItemLink*>(Add()); }
  TdxBarItemLink* InsertLink(int index) { return static_cast<TdxBarItemLink*>(Insert(index)); }
  TdxBarItemLink* AddItem(TdxBarItem* item);
  TdxBarItemLink* AddNewItem(TClass itemClass);
  TdxBarItemLink* AddNewItemFor(TClass itemClass, TdxBarManager* manager);
  void MoveLink(int from, int to);

  // --- Options
  TdxBarItemOptions* ItemOptions() const { return itemOptions_; }
  void SetItemOptions(TdxBarItemOptions* value) { itemOptions_->Assign(value); }
  virtual bool IsMenuLinks() const;
  virtual int GetDefaultOption(TdxBarItemOptionValue option) const;
  virtual int GetOption(TdxBarItemOptionValue option) const;
  bool GetShowDescriptions() const { return GetOption(ioShowDescriptions) != 0; }
  bool GetShowShortCuts() const { return GetOption(ioShowShortCuts) != 0; }
  TdxBarMenuItemSize GetItemSize() const { return static_cast<TdxBarMenuItemSize>(GetOption(ioSize)); }
  virtual bool CanContainItem(TdxBarItem* item, std::string& text) const;
  bool ContainsLinksOwner(TComponent* owner) const;

  // --- Recent items
  bool RecentItemsSwitch() const { return useRecentItems_; }
  void SetRecentItemsSwitch(bool value) { useRecentItems_ = value; }
  bool UseRecentItems() const;
  int GetRecentItemsCount() const;
  int RecentSplit() const { return recentSplit_; }
  void SetRecentSplit(int value);
  void RestoreRecentSplit();
  void CompactRecentOrder();
  void RestoreRecentState(bool applyVisibility);
  int RecentCount() const { return recent_.Count(); }
  TdxBarItemLink* RecentLink(int index) const { return LinkOf(recent_, index); }
  int IndexOfRecent(const TdxBarItemLink* link) const { return recent_.IndexOf(link); }
  void MoveRecent(TdxBarItemLink* link, int index);
  void Loaded();

  // --- Keyboard
  int GetFittingCount() const;
  TdxBarItemLink* FirstSelectableLink() const;
  TdxBarItemLink* LastSelectableLink() const;
  TdxBarItemLink* NextSelectableLink(TdxBarItemLink* link, bool any = false) const;
  TdxBarItemLink* PrevSelectableLink(TdxBarItemLink* link, bool any = false) const;
  TdxBarItemLink* FindLinkByAccel(Word key, TShiftState shift, TdxBarItemLink* start);
  bool IsShortCut(TShortCut shortCut);
  void UpdateActions();
  void ClearItemRects();

  // --- Bar window
  TCustomdxBarControl* BarControl() const { return barControl_; }
  void SetBarControl(TCustomdxBarControl* control) { barControl_ = control; }
  TCustomdxBarControl* CreateBarControl();
  void DestroyBarControl();
  // Rebuilds and repaints the bar window, when there is one.
  void RepaintBar();

  // --- Copying and merging
  void Assign(TPersistent* source) override;
  void Merge(TdxBarItemLinks* source);
  void Unmerge(TdxBar* bar);

 protected:
  virtual TdxBarItemLink* DoFindLinkByAccel(Word key, TShiftState shift, TdxBarItemLink* start);
  void Update(TCollectionItem* item) override;
  void Notify(TCollectionItem* item, TCollectionNotification action) override;

 private:
  friend class TdxBarItemLink;
  static TdxBarItemLink* LinkOf(const TList& list, int index) {
    return index >= 0 && index < list.Count() ? static_cast<TdxBarItemLink*>(list.Get(index)) : nullptr;
  }
  bool IsDesigning() const;
  void RemoveFromLists(TdxBarItemLink* link);
  void RemoveSurplusSeparators();
  void FillVisibleFromRecent();
  bool IsLinkSelectable(TdxBarItemLink* link) const;
  int MergePosition(TdxBarItemLink* source, int& kind) const;

  bool assigning_ = false;
  bool destroying_ = false;
  TList available_, canVisible_, visible_, recent_;
  TCustomdxBarControl* barControl_ = nullptr;
  TdxBarManager* manager_;
  bool internal_ = false;
  TdxBarItemOptions* itemOptions_;
  IdxBarLinksOwner* owner_;
  int savedRecentSplit_ = -1;
  int recentSplit_ = -1;
  bool useRecentItems_ = true;
};

// The links of a toolbar.
class TdxBarControlItemLinks : public TdxBarItemLinks {
  CALDERAN_CLASS(TdxBarControlItemLinks)
  using TdxBarItemLinks::TdxBarItemLinks;

 protected:
  TdxBarItemLink* DoFindLinkByAccel(Word key, TShiftState shift, TdxBarItemLink* start) override;
};

// The links of a sub item or a popup menu.
class TdxBarSubMenuControlItemLinks : public TdxBarItemLinks {
  CALDERAN_CLASS(TdxBarSubMenuControlItemLinks)
  using TdxBarItemLinks::TdxBarItemLinks;
  bool IsMenuLinks() const override { return true; }

 protected:
  TdxBarItemLink* DoFindLinkByAccel(Word key, TShiftState shift, TdxBarItemLink* start) override;
};

// Set while a manager copies its bars from another: a copied link takes the item of the same name
// in the target manager's owner.
void SetBarLinksCopyByName(bool value);
// The toolbar being merged (its copied links record it as their merge source); nil outside merging.
void SetBarLinksMergingBar(TdxBar* bar);
// Whether an object is a toolbar (of a class named TdxBar or derived from one).
bool IsToolbarObject(const TObject* object);

void RegisterBarItemLinkProperties();
