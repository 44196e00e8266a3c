// The bar manager: the one component per form that owns and coordinates the form's bar system (its
// items, categories and groups, image options and backgrounds, fonts, the painter of its style,
// the hints and the click entry point). Every other bar object reaches the rest of the system
// through its manager.
//
// Left for later (their own parts): toolbars and dock sites (the manager keeps their list of dock
// sites only), the thread hooks and owner-window reactions, popup menus and their links, the layout
// store (the saved state is kept, as an empty in-memory store at run time), merging, customizing
// mode and the design controller, dragging. The hint window itself comes with the hint part: the
// timers here drive whatever window is installed with SetBarHintWindow.
#pragma once
#include <windows.h>

#include <string>

#include "Classes.h"
#include "Contnrs.h"
#include "Graphics.h"
#include "IniFiles.h"
#include "cxClasses.h"
#include "cxLookAndFeels.h"
#include "dxBarCategories.h"
#include "dxBarComponents.h"
#include "dxBarImageOptions.h"
#include "dxBarPainter.h"
#include "dxBarTypes.h"

enum TdxBarManagerStateFlag : uint16_t {
  msfAfterLoading = 0x0001, msfBarsLoading = 0x0002, msfCreating = 0x0004, msfCreatingHandles = 0x0008,
  msfModalActivating = 0x0010, msfFormActivating = 0x0020, msfUpdatingFloatingBars = 0x0040,
  msfWasActive = 0x0080, msfSavingState = 0x0100
};

using TdxBarClickItemEvent = TEvent<void(TdxBarManager* Sender, TdxBarItem* ClickedItem)>;
using TdxBarItemLinkEvent = TEvent<void(TdxBarManager* Sender, TdxBarItemLink* AItemLink)>;
using TdxBarMergeItemLinkEvent =
    TEvent<void(TdxBarManager* Sender, TdxBarItemLinks* ADstItemLinks, TdxBarItemLinks* ASrcItemLinks,
                TdxBarItemLink* ASrcItemLink, TdxBarItemMergeKind& AMergeKind, int& AMergeIndex)>;

// What an object under the mouse answers for its hint.
class IdxBarHintSource {
 public:
  // False when the object has no hint.
  virtual bool GetHintInfo(std::string& text, std::string& shortCut) = 0;
  virtual bool IsHintEnabled() = 0;

 protected:
  ~IdxBarHintSource() = default;
};

// The shared hint window as the manager's timers drive it (the hint part installs one).
class IdxBarHintWindow {
 public:
  virtual bool IsVisible() = 0;
  virtual void Hide() = 0;
  // True when a hint is shown.
  virtual bool Activate(TdxBarManager* manager, const std::string& text, const std::string& shortCut) = 0;
  // The last hint was a screen tip (its delays differ).
  virtual bool IsScreenTipMode() = 0;

 protected:
  ~IdxBarHintWindow() = default;
};
void SetBarHintWindow(IdxBarHintWindow* window);
IdxBarHintWindow* BarHintWindow();
// The object the current hint is for (nil when none).
TObject* BarHintObject();

class TdxBarManager : public TComponent {
  CALDERAN_CLASS(TdxBarManager)
  explicit TdxBarManager(TComponent* owner);
  ~TdxBarManager() override;

  // --- Published properties
  bool AllowCallFromAnotherForm() const { return allowCallFromAnotherForm_; }
  void SetAllowCallFromAnotherForm(bool value) { allowCallFromAnotherForm_ = value; }
  bool AllowReset() const { return allowReset_; }
  void SetAllowReset(bool value) { allowReset_ = value; }
  bool AlwaysMerge() const { return alwaysMerge_; }
  void SetAlwaysMerge(bool value) { alwaysMerge_ = value; }
  bool AlwaysSaveText() const { return alwaysSaveText_; }
  void SetAlwaysSaveText(bool value) { alwaysSaveText_ = value; }
  bool AutoAlignBars() const { return autoAlignBars_; }
  void SetAutoAlignBars(bool value) { autoAlignBars_ = value; }
  bool AutoDockColor() const { return autoDockColor_; }
  void SetAutoDockColor(bool value) { autoDockColor_ = value; }
  bool AutoHideEmptyBars() const { return autoHideEmptyBars_; }
  void SetAutoHideEmptyBars(bool value) { autoHideEmptyBars_ = value; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value);
  TFont* Font() const { return font_; }
  void SetFont(TFont* value) { font_->Assign(value); }
  TdxBarBackgrounds* Backgrounds() const { return backgrounds_; }
  void SetBackgrounds(TdxBarBackgrounds* value) { backgrounds_->Assign(value); }
  int ButtonArrowWidth() const { return buttonArrowWidth_; }
  void SetButtonArrowWidth(int value);
  bool CanCustomize() const { return canCustomize_; }
  void SetCanCustomize(bool value) { canCustomize_ = value; }
  TdxBarManagerCategories* Categories() const { return categories_; }
  void SetCategories(TStrings* value) { categories_->Assign(value); }
  TColor DockColor() const;
  void SetDockColor(TColor value);
  bool IsDockColorStored() const { return !autoDockColor_; }
  bool FlatCloseButton() const { return flatCloseButton_; }
  void SetFlatCloseButton(bool value) { flatCloseButton_ = value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  bool HideFloatingBarsWhenInactive() const { return hideFloatingBarsWhenInactive_; }
  void SetHideFloatingBarsWhenInactive(bool value) { hideFloatingBarsWhenInactive_ = value; }
  TdxBarImageOptions* ImageOptions() const { return imageOptions_; }
  void SetImageOptions(TdxBarImageOptions* value) { imageOptions_->Assign(value); }
  const std::string& IniFileName() const { return iniFileName_; }
  void SetIniFileName(const std::string& value) { iniFileName_ = value; }
  int LargeButtonArrowWidth() const { return largeButtonArrowWidth_; }
  void SetLargeButtonArrowWidth(int value);
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_; }
  void SetLookAndFeel(TcxLookAndFeel* value) { lookAndFeel_->Assign(value); }
  TdxBarMenuAnimations MenuAnimations() const { return menuAnimations_; }
  void SetMenuAnimations(TdxBarMenuAnimations value);
  bool MenusShowRecentItemsFirst() const { return menusShowRecentItemsFirst_; }
  void SetMenusShowRecentItemsFirst(bool value);
  Byte MostRecentItemsPercents() const { return mostRecentItemsPercents_; }
  void SetMostRecentItemsPercents(Byte value);
  TdxBarDockingStyles NotDocking() const { return notDocking_; }
  void SetNotDocking(TdxBarDockingStyles value);
  const std::string& RegistryPath() const { return registryPath_; }
  void SetRegistryPath(const std::string& value);
  bool ShowCloseButton() const { return showCloseButton_; }
  void SetShowCloseButton(bool value) { showCloseButton_ = value; }
  bool ShowFullMenusAfterDelay() const { return showFullMenusAfterDelay_; }
  void SetShowFullMenusAfterDelay(bool value);
  bool ShowHelpButton() const { return showHelpButton_; }
  void SetShowHelpButton(bool value) { showHelpButton_ = value; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  bool ShowHintForDisabledItems() const { return showHintForDisabledItems_; }
  void SetShowHintForDisabledItems(bool value) { showHintForDisabledItems_ = value; }
  bool ShowShortCutInHint() const { return showShortCutInHint_; }
  void SetShowShortCutInHint(bool value);
  bool StoreInIniFile() const { return storeInIniFile_; }
  void SetStoreInIniFile(bool value) { storeInIniFile_ = value; }
  bool StoreInRegistry() const { return storeInRegistry_; }
  void SetStoreInRegistry(bool value) { storeInRegistry_ = value; }
  TdxBarManagerStyle Style() const { return style_; }
  void SetStyle(TdxBarManagerStyle value);
  bool SunkenBorder() const { return sunkenBorder_; }
  void SetSunkenBorder(bool value) { sunkenBorder_ = value; }
  bool UseF10ForMenu() const { return useF10ForMenu_; }
  void SetUseF10ForMenu(bool value) { useF10ForMenu_ = value; }
  bool UseFullReset() const { return useFullReset_; }
  void SetUseFullReset(bool value) { useFullReset_ = value; }
  bool UseSystemFont() const { return useSystemFont_; }
  void SetUseSystemFont(bool value);
  int WaitForDockingTime() const { return waitForDockingTime_; }
  void SetWaitForDockingTime(int value);
  TdxBarClickItemEvent OnClickItem;
  // The customizing popup is about to be filled: the application may add links to it.
  TEvent<void(TObject* Sender, TdxBarItemLinks* PopupItemLinks)> OnShowCustomizingPopup;
  TdxBarItemLinkEvent OnItemLinkAdd;
  TdxBarItemLinkEvent OnItemLinkChange;
  TdxBarItemLinkEvent OnItemLinkDelete;
  TdxBarMergeItemLinkEvent OnMergeItemLink;

  // --- Items and groups
  int GetItemCount() const { return items_->Count(); }
  TdxBarItem* GetItem(int index) const;
  TdxBarItem* ItemByName(const std::string& name) const;
  void MoveItem(int curIndex, int newIndex);
  // An item owned by the manager's owner, in the category "Default" (else category 0).
  TdxBarItem* CreateItem(TClass itemClass);
  void AddItem(TdxBarItem* item);
  void RemoveItem(TdxBarItem* item);
  TdxBarComponentList* ItemList() const { return items_; }
  int GetGroupCount() const { return groups_->Count(); }
  TdxBarGroup* GetGroup(int index) const { return static_cast<TdxBarGroup*>(groups_->Items(index)); }
  TdxBarGroup* AddGroup();
  void AddGroupToList(TdxBarGroup* group);
  void RemoveGroupFromList(TdxBarGroup* group) {
    if (groups_) groups_->Remove(group);
  }
  std::string GetUniqueItemName(TClass itemClass) const;

  // --- Categories
  TdxBarItemVisible GetCategoryItemsVisible(int index) const;
  bool IsCategoryVisible(int index) const;
  void SetCategoryItemsVisible(int index, TdxBarItemVisible value);
  void SetCategoryVisible(int index, bool value);
  int GetCategoryItemsList(int index, TList* list) const;
  int GetCategoryItems(int index, TList* list) const;
  int GetRealCategoryIndex(int position) const;

  // --- Dock sites (their own part registers them)
  void AddDockControl(TdxDockControl* dock);
  void RemoveDockControl(TdxDockControl* dock);
  int DockControlCount() const { return dockControls_.Count(); }
  TdxDockControl* DockControls(int index) const { return static_cast<TdxDockControl*>(dockControls_[index]); }

  // --- Update locking, modification and state
  void BeginUpdate();
  void EndUpdate(bool recalcChanged = true);
  bool IsUpdateLocked() const { return lockCount_ > 0; }
  void DesignerModified();
  void LockDesignerModified(bool lock, bool notifyPending = true);
  bool IsModified() const { return modified_; }
  bool IsLoading() const;
  bool IsLoadingBars() const { return (state_ & msfBarsLoading) != 0; }
  // Loaded applies the values its items and categories read.
  bool IsApplyingLoadedState() const { return (state_ & msfAfterLoading) != 0; }
  bool IsBarManagerDesigning() const { return ComponentState().Contains(csDesigning); }
  bool IsBarManagerDestroying() const { return ComponentState().Contains(csDestroying); }
  bool IsCustomizing() const { return isCustomizing_ || IsBarManagerDesigning(); }
  bool CanReset() const { return readStateCount_ != 0 && allowReset_; }
  bool AreRecentItemsFirst() const { return IsNonStandardStyle() && menusShowRecentItemsFirst_; }
  bool IsFlatStyle() const { return style_ == bmsFlat; }
  bool UsesLargeImages() const { return imageOptions_->UsesLargeImages(); }
  int GetGlyphSize() const { return imageOptions_->GetGlyphSize(); }
  int RecentUseCountThreshold() const { return recentUseCountThreshold_; }
  // The designed layout, kept at run time for a reset (an in-memory store without a file).
  TMemIniFile* SavedState() const { return savedState_; }

  // --- Style and painter
  TdxBarManagerStyle GetEffectiveStyle() const;
  bool IsNonStandardStyle() const { return GetEffectiveStyle() != bmsStandard; }
  int GetPainterStyle() const;
  virtual TdxBarPainterClass GetPainterClass() const;
  TdxBarPainterClass Painter() const { return painter_; }
  void StyleChanged();
  bool AreVisualStylesAvailable() const { return visualStylesAvailable_; }
  // Sets a look and feel to the style of the painter (a painter's edit items use it).
  void AssignPainterLookAndFeel(TcxLookAndFeel* lookAndFeel) const;

  // --- Colours and brushes for painters
  TColor GetDockColor() const { return DockColor(); }
  TColor FlatToolbarsBorderColor() const { return flatColors_[0]; }
  TColor FlatToolbarsColor() const { return flatColors_[1]; }
  TColor FlatToolbarsDownedColor() const { return flatColors_[2]; }
  TColor FlatToolbarsDownedSelColor() const { return flatColors_[3]; }
  TColor FlatToolbarsSelColor() const { return flatColors_[4]; }
  HBRUSH FlatToolbarsBorderBrush() const { return flatBrushes_[0]; }
  HBRUSH FlatToolbarsBrush() const { return flatBrushes_[1]; }
  HBRUSH FlatToolbarsDownedBrush() const { return flatBrushes_[2]; }
  HBRUSH FlatToolbarsDownedSelBrush() const { return flatBrushes_[3]; }
  HBRUSH FlatToolbarsSelBrush() const { return flatBrushes_[4]; }
  HBRUSH ThemedToolbarBrush() const { return themedToolbarBrush_; }
  void RecreateBrushes();

  // --- Fonts
  TFont* BarCaptionFont() const { return barCaptionFont_; }
  TFont* EditFont() const { return editFont_; }
  void LoadSystemFont();
  TcxEventHandlerCollection& SystemFontChangedHandlers() { return systemFontChangedHandlers_; }

  // --- Selection, hints and clicks
  TdxBarItemControl* SelectedItemControl() const { return selectedItemControl_; }
  void SelectItemControl(TdxBarItemControl* control);
  void SetSelectedItemControl(TdxBarItemControl* control) { selectedItemControl_ = control; }
  // The toolbar window that took the keyboard (nullptr when none).
  TCustomdxBarControl* FocusedBarControl() const { return focusedBarControl_; }
  void SetFocusedBarControl(TCustomdxBarControl* control) { focusedBarControl_ = control; }
  void UpdateHint(bool show, const std::string& text, TObject* hintObject);
  void HideHint() { UpdateHint(false, "", nullptr); }
  virtual void DoClickItem(TdxBarItem* item);
  virtual bool CanDock(TdxBar* bar, TdxBarDockingStyle style, TdxDockControl* dockControl);

  // --- Designer forwarding (no designer at run time)
  bool CanDeleteComponent(TComponent* component, bool checkDesigner) const;
  int GetSelectionStatus(TPersistent* object) const;
  void SelectComponent(TPersistent* object, int mode);

  // --- Streaming
  void DefineProperties(TFiler* filer) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  const int* DockControlHeights() const { return dockControlHeights_; }

  // Hint timer expiries (the thread timers call them; tests call them as ticks).
  static void HintShowTimerExpired();
  static void HintHideTimerExpired();
  static void HintFollowUpTimerExpired();
  static bool IsHintFollowUpOpen();
  // Kills the timers of a manager that goes and hides its hint.
  static void HintManagerDestroyed(TdxBarManager* manager);

 private:
  void CreateOwnedObjects();
  void InitializeDefaults();
  void HookImageOptions();
  void DestroyItemsAndGroups();
  void RecreatePainter();
  void RefreshDocksAndBars();
  void CalcRecentUseCountThreshold();
  void CreateBrushes();
  void DestroyBrushes();
  void FontChanged(TObject* sender);
  void UpdateDerivedFonts();
  void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues values);
  void ThemeChanged();
  void ImagesChanged(TObject* sender);
  void HotImagesChanged(TObject* sender);
  void LargeImagesChanged(TObject* sender);
  void ImageOptionsChanged(TObject* sender);
  void LargeIconsChanged(TObject* sender);
  void ChangeItemsImages(int kind);
  void SetBarsLocked(bool lock, bool recalcChanged);
  void InternalUpdateHint(bool show, const std::string& text, TObject* hintObject);
  void ShowHintNow();
  void ReadDockControlHeights(TReader* reader);
  void WriteDockControlHeights(TWriter* writer);
  void ApplyLoadedCategories();
  void CategoriesChanged(TObject* sender);
  friend class TdxBarManagerCategories;
  static void CheckOwner(TComponent*& owner);

  uint16_t state_ = 0;
  int lockCount_ = 0;
  int designerModifiedLock_ = 0;
  bool noticePending_ = false;
  bool modified_ = false;
  int readStateCount_ = 0;
  bool changingStyle_ = false;
  bool visualStylesAvailable_ = false;
  bool internalFontChange_ = false;
  bool isCustomizing_ = false;
  int recentUseCountThreshold_ = 0;
  TdxBarItemControl* selectedItemControl_ = nullptr;
  TCustomdxBarControl* focusedBarControl_ = nullptr;

  bool allowCallFromAnotherForm_ = false, allowReset_ = true, alwaysMerge_ = false, alwaysSaveText_ = false;
  bool autoAlignBars_ = false, autoDockColor_ = true, autoHideEmptyBars_ = false, scaled_ = true;
  int buttonArrowWidth_ = 11, largeButtonArrowWidth_ = 13, helpContext_ = 0, waitForDockingTime_ = 21;
  bool canCustomize_ = true, flatCloseButton_ = false, hideFloatingBarsWhenInactive_ = true;
  TColor dockColor_ = clBtnFace;
  std::string iniFileName_, registryPath_;
  TdxBarMenuAnimations menuAnimations_ = maNone;
  bool menusShowRecentItemsFirst_ = true;
  Byte mostRecentItemsPercents_ = 95;
  TdxBarDockingStyles notDocking_;
  bool showCloseButton_ = false, showFullMenusAfterDelay_ = true, showHelpButton_ = false, showHint_ = true;
  bool showHintForDisabledItems_ = true, showShortCutInHint_ = false, storeInIniFile_ = false;
  bool storeInRegistry_ = false, sunkenBorder_ = false, useF10ForMenu_ = true, useFullReset_ = false;
  bool useSystemFont_ = false;
  TdxBarManagerStyle style_ = bmsStandard;
  int dockControlHeights_[4] = {};

  TdxBarBackgrounds* backgrounds_ = nullptr;
  TcxLookAndFeel* lookAndFeel_ = nullptr;
  TComponentList* internalItems_ = nullptr;
  TdxBarComponentList* items_ = nullptr;
  TdxBarManagerCategories* categories_ = nullptr;
  TList dockControls_;
  TdxBarComponentList* groups_ = nullptr;
  TcxEventHandlerCollection systemFontChangedHandlers_;
  TFont* barCaptionFont_ = nullptr;
  TFont* editFont_ = nullptr;
  TFont* font_ = nullptr;
  TBitmap* helpButtonGlyph_ = nullptr;
  TdxThemeChangedNotificator* themeNotificator_ = nullptr;
  TdxBarImageOptions* imageOptions_ = nullptr;
  TMemIniFile* savedState_ = nullptr;
  TdxBarPainterClass painter_ = nullptr;
  TColor flatColors_[5] = {};
  HBRUSH flatBrushes_[5] = {};
  HBRUSH themedToolbarBrush_ = nullptr;
};

// Every live manager of the process, in creation order.
int BarManagerCount();
TdxBarManager* BarManagerAt(int index);
// The manager whose owner is the component (or the component itself when it is a manager).
TdxBarManager* FindBarManagerOf(TComponent* component);

void RegisterBarManagerProperties();
