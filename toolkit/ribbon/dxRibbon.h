// The ribbon: a control docked at the top of a form that shows a row of tab headers and the groups
// of the active tab, each group being one toolbar of the form's bar manager. The ribbon keeps the
// active tab, selects the ribbon skin by colour-scheme name, hides itself when the form is too small,
// and recomputes its geometry (the view info) and repaints after every change.
//
// Here: the ribbon control and its published descendant, the tabs and tab groups with their
// collections, the fonts, the skin bridge (IdxSkin), the view info of the ribbon, its tab row and
// tab headers, and the ribbon and tab painters. The ribbon's bar painter is dxRibbonBarPainter's.
// The controller (dxRibbonController), the application button (dxRibbonApplicationMenu) and the
// shared routines with the wheel hook (dxRibbonServices) are modules of their own.
// Not here (later work): the Quick Access toolbar, key tips, the caption helper, the tab-groups
// popup of a minimized ribbon, the context menus, accessibility helpers and the design-time
// selection helpers. Their predicates answer "absent": no Quick Access toolbar, no
// popup, no caption drawn by the ribbon. Caption painting for a form is not offered (no form class
// lets the ribbon paint its caption), so the caption height is always 0.
// Mended: a group's SetToolBar refuses a toolbar (the Quick Access toolbar's, or one already shown
// in the tab) before it lets go of the toolbar it shows, so a refusal leaves the group as it was.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"
#include "Forms.h"
#include "Graphics.h"
#include "cxClasses.h"
#include "cxControls.h"
#include "cxGraphics.h"
#include "dxBarSkinnedPainter.h"
#include "dxBarTypes.h"
#include "dxRibbonSkins.h"

class TdxCustomRibbon;
class TdxRibbonTab;
class TdxRibbonTabCollection;
class TdxRibbonViewInfo;
class TdxRibbonPainter;
class TdxRibbonBarPainter;
class TdxRibbonGroupsDockControl;
class TdxRibbonGroupsDockControlSite;
class TdxRibbonController;
class TdxRibbonApplicationButton;
class TdxFader;
class TdxBarScreenTip;

CALDERAN_EXCEPTION(EdxRibbonException, Exception)

enum TdxRibbonPopupMenuItem : uint8_t {
  rpmiItems, rpmiMoreCommands, rpmiQATPosition, rpmiQATAddRemoveItem, rpmiMinimizeRibbon
};
using TdxRibbonPopupMenuItems = TSet<TdxRibbonPopupMenuItem>;
enum TdxQuickAccessToolbarPosition : uint8_t { qtpAboveRibbon, qtpBelowRibbon };
enum TdxRibbonAssignedFont : uint8_t { afTabHeader, afGroup, afGroupHeader };
using TdxRibbonAssignedFonts = TSet<TdxRibbonAssignedFont>;

// The part of the ribbon under a point.
enum TdxRibbonHitKind : uint8_t {
  rhtNone, rhtTab, rhtApplicationMenu, rhtTabScrollLeft, rhtTabScrollRight, rhtGroupScrollLeft,
  rhtGroupScrollRight, rhtHelpButton, rhtMDIMinimizeButton, rhtMDIRestoreButton, rhtMDICloseButton
};
struct TdxRibbonHitInfo {
  TdxRibbonHitKind Kind = rhtNone;
  TdxRibbonTab* Tab = nullptr;
};

// Tab header states: 0 normal, 1 hot, 2 active, 3 active and hot, 4 focused.
enum TdxRibbonTabState : uint8_t { rtsNormal, rtsHot, rtsActive, rtsActiveHot, rtsFocused };

// Colour ids of the ribbon skins that the fonts and captions use.
constexpr int rspFormCaptionText = 10130, rspTabHeaderText = 10132, rspTabGroupText = 10133,
              rspTabGroupHeaderText = 10134;

// ---------------------------------------------------------------------------------------------
// Fonts

class TdxRibbonFonts : public TPersistent {
  CALDERAN_CLASS(TdxRibbonFonts)
  explicit TdxRibbonFonts(TdxCustomRibbon* ribbon);
  ~TdxRibbonFonts() override;
  void Assign(TPersistent* source) override;

  TdxRibbonAssignedFonts AssignedFonts() const { return assignedFonts_; }
  void SetAssignedFonts(TdxRibbonAssignedFonts value);
  TColor DocumentNameColor() const { return documentNameColor_; }
  void SetDocumentNameColor(TColor value);
  TFont* TabHeader() const { return fonts_[afTabHeader].get(); }
  void SetTabHeader(TFont* value) { fonts_[afTabHeader]->Assign(value); }
  TFont* Group() const { return fonts_[afGroup].get(); }
  void SetGroup(TFont* value) { fonts_[afGroup]->Assign(value); }
  TFont* GroupHeader() const { return fonts_[afGroupHeader].get(); }
  void SetGroupHeader(TFont* value) { fonts_[afGroupHeader]->Assign(value); }
  bool IsTabHeaderStored() const { return assignedFonts_.Contains(afTabHeader); }
  bool IsGroupStored() const { return assignedFonts_.Contains(afGroup); }
  bool IsGroupHeaderStored() const { return assignedFonts_.Contains(afGroupHeader); }

  // The working copies: one font object, filled anew by every call (never keep it across calls).
  virtual TFont* GetFormCaptionFont(bool active);
  virtual TFont* GetGroupFont();
  virtual TFont* GetGroupHeaderFont();
  virtual TFont* GetTabHeaderFont(int state);
  TColor GetFormCaptionTextColor(bool active) const;

  // The caption font from the system, and every font not assigned from the ribbon (or its manager).
  void Refresh();
  TdxCustomRibbon* Ribbon() const { return ribbon_; }

 private:
  void UpdateFont(TdxRibbonAssignedFont index);
  void FontChanged(TObject* sender);
  TColor SkinColor(int id, int state) const;

  TdxCustomRibbon* ribbon_;
  TdxRibbonAssignedFonts assignedFonts_;
  TColor documentNameColor_ = clDefault;
  std::unique_ptr<TFont> captionFont_;
  std::unique_ptr<TFont> workingFont_;
  std::unique_ptr<TFont> fonts_[3];
  bool locked_ = false;
};

// ---------------------------------------------------------------------------------------------
// Tabs and tab groups

class TdxRibbonTabGroup : public TCollectionItem {
  CALDERAN_CLASS(TdxRibbonTabGroup)
  explicit TdxRibbonTabGroup(TCollection* collection);
  ~TdxRibbonTabGroup() override;
  void Assign(TPersistent* source) override;

  bool CanCollapse() const { return canCollapse_; }
  void SetCanCollapse(bool value);
  TdxBar* ToolBar() const;
  void SetToolBar(TdxBar* value);
  // The stored-form form of the toolbar: its component name.
  std::string ToolbarName() const;
  void SetToolbarName(const std::string& value) { loadedToolbarName_ = value; }
  bool IsToolbarNameStored() const { return toolBar_ != nullptr; }
  // Binds the name read from the stream to the manager's toolbar of that name.
  void ResolveLoadedToolbar();

  TdxRibbonTab* Tab() const;
  TdxCustomRibbon* Ribbon() const;
  virtual void DockToolbar(TdxBar* bar);

 private:
  void CheckToolbarAllowed(TdxBar* bar) const;
  void ReleaseToolbar();

  bool canCollapse_ = true;
  std::string loadedToolbarName_;
  TdxBar* toolBar_ = nullptr;
};

class TdxRibbonTabGroups : public TCollection {
  CALDERAN_CLASS(TdxRibbonTabGroups)
  explicit TdxRibbonTabGroups(TdxRibbonTab* tab);
  TdxRibbonTabGroup* Add() { return static_cast<TdxRibbonTabGroup*>(TCollection::Add()); }
  TdxRibbonTabGroup* Items(int index) const { return static_cast<TdxRibbonTabGroup*>(TCollection::Items(index)); }
  TdxRibbonTab* Tab() const { return tab_; }
  TPersistent* GetOwner() override;

 protected:
  void Notify(TCollectionItem* item, TCollectionNotification action) override;
  void Update(TCollectionItem* item) override;

 private:
  TdxRibbonTab* tab_;
};

class TdxRibbonTab : public TcxComponentCollectionItem {
  CALDERAN_CLASS(TdxRibbonTab)
  explicit TdxRibbonTab(TComponent* owner);
  ~TdxRibbonTab() override;
  void Assign(TPersistent* source) override;

  bool Active() const;
  void SetActive(bool value);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  TdxRibbonTabGroups* Groups() const { return groups_.get(); }
  void SetGroups(TdxRibbonTabGroups* value) { groups_->Assign(value); }
  const std::string& KeyTip() const { return keyTip_; }
  void SetKeyTip(const std::string& value) { keyTip_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  int VisibleIndex() const;
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  // The groups dock control: a child of the ribbon's groups site that the group windows dock into.
  TWinControl* DockControl() const { return dockControl_; }
  std::string GetDisplayName() const override;

  virtual void Activate();
  virtual void Deactivate();
  virtual TRect GetDockControlBounds();
  virtual void RecalculateDockControl();
  void UpdateDockControl();
  void DockGroupToolbars();
  void SetBarManager(TdxBarManager* manager);
  void UpdateToolbarFonts();
  // One step of the groups toward their right end (the groups move left) or back.
  void ScrollGroups(bool towardRight);
  void InvalidateHeader();
  bool IsHot() const;
  // The index saved when destruction began (the neighbour is chosen from it).
  int SavedIndex() const { return savedIndex_; }

 protected:
  TcxComponentCollection* GetCollectionFromParent(TComponent* parent) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void SetName(const std::string& value) override;
  // The groups dock control the tab owns; none until the groups' module provides one.
  virtual TWinControl* CreateDockControl();

 private:
  friend class TdxCustomRibbon;
  void SetRibbon(TdxCustomRibbon* ribbon);

  TWinControl* dockControl_ = nullptr;
  int savedIndex_ = -1;
  TdxCustomRibbon* ribbon_ = nullptr;
  std::string caption_;
  std::string keyTip_;
  std::unique_ptr<TdxRibbonTabGroups> groups_;
  bool visible_ = true;
};

class TdxRibbonTabCollection : public TcxComponentCollection {
  CALDERAN_CLASS(TdxRibbonTabCollection)
  explicit TdxRibbonTabCollection(TdxCustomRibbon* ribbon);
  ~TdxRibbonTabCollection() override;
  TdxRibbonTab* Add() { return static_cast<TdxRibbonTab*>(TcxComponentCollection::Add()); }
  TdxRibbonTab* Items(int index) const { return static_cast<TdxRibbonTab*>(TcxComponentCollection::Items(index)); }
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  void SetBarManager(TdxBarManager* manager);

 protected:
  void Notify(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) override;
  void InitItem(TcxComponentCollectionItem* item) override;

 private:
  TdxCustomRibbon* ribbon_;
};

// ---------------------------------------------------------------------------------------------
// Painters

class TdxRibbonTabPainter : public TObject {
  CALDERAN_CLASS(TdxRibbonTabPainter)
  explicit TdxRibbonTabPainter(TdxCustomRibbonSkin* skin) : skin_(skin) {}
  virtual void DrawBackground(TcxCanvas* canvas, const TRect& rect, int state);
  virtual void DrawSeparator(TcxCanvas* canvas, const TRect& rect, Byte alpha);
  virtual void DrawText(TcxCanvas* canvas, const TRect& rect, bool leftAligned, const std::string& caption);
  TdxCustomRibbonSkin* Skin() const { return skin_; }

 private:
  TdxCustomRibbonSkin* skin_;
};

class TdxRibbonPainter : public TObject {
  CALDERAN_CLASS(TdxRibbonPainter)
  explicit TdxRibbonPainter(TdxCustomRibbon* ribbon) : ribbon_(ribbon) {}
  virtual void DrawApplicationButton(TcxCanvas* canvas, const TRect& rect, int state);
  virtual void DrawApplicationButtonGlyph(TcxCanvas* canvas, const TRect& rect, bool stretch, TBitmap* glyph);
  virtual void DrawBackground(TcxCanvas* canvas, const TRect& bounds);
  virtual void DrawGroupsArea(TcxCanvas* canvas, const TRect& rect);
  virtual void DrawGroupScrollButton(TcxCanvas* canvas, const TRect& rect, bool hot, bool pressed, bool isLeft);
  virtual void DrawQuickAccessToolbar(TcxCanvas* canvas, const TRect& rect, bool active);
  virtual void DrawTabScrollButton(TcxCanvas* canvas, const TRect& rect, bool hot, bool pressed, bool isLeft);
  virtual void DrawMDIButton(TcxCanvas* canvas, const TRect& rect, int state, int index);
  void DrawBottomEdge(TcxCanvas* canvas);
  void DrawFormIcon(TcxCanvas* canvas, const TRect& rect);
  void DrawHelpButton(TcxCanvas* canvas, const TRect& rect, int state);
  void DrawDesignPlaceholder(TcxCanvas* canvas);
  HICON GetFormIcon() const;
  TdxCustomRibbon* Ribbon() const { return ribbon_; }

 private:
  void DrawScrollArrow(TcxCanvas* canvas, const TRect& rect, bool isLeft, int rightInset);
  TdxCustomRibbonSkin* Skin() const;
  TdxRibbonViewInfo* ViewInfo() const;

  TdxCustomRibbon* ribbon_;
};

// ---------------------------------------------------------------------------------------------
// View info

class TdxRibbonTabsViewInfo;

class TdxRibbonTabViewInfo : public TObject {
  CALDERAN_CLASS(TdxRibbonTabViewInfo)
  TdxRibbonTabViewInfo(TdxRibbonTab* tab, TdxRibbonTabsViewInfo* owner);

  virtual void CalculateWidths();
  virtual int GetState() const;
  virtual void Calculate(const TRect& bounds, Byte separatorAlpha);
  void Paint(TcxCanvas* canvas);
  void PaintToBitmap(TBitmap* bitmap, bool hot);
  TFont* GetCaptionFont();

  TdxRibbonTab* Tab() const { return tab_; }
  const TRect& Bounds() const { return bounds_; }
  const TRect& TextBounds() const { return textBounds_; }
  const TRect& SeparatorBounds() const { return separatorBounds_; }
  Byte SeparatorAlpha() const { return separatorAlpha_; }
  bool HasSeparator() const { return hasSeparator_; }
  void SetHasSeparator(bool value) { hasSeparator_ = value; }
  int MinimalWidth() const { return minimalWidth_; }
  int OptimalWidth() const { return optimalWidth_; }
  int TextWidth() const { return textWidth_; }
  int FittedWidth() const { return fittedWidth_; }
  void SetFittedWidth(int value) { fittedWidth_ = value; }
  TdxRibbonTabPainter* Painter() const { return painter_.get(); }

 private:
  std::unique_ptr<TdxRibbonTabPainter> painter_;
  TdxRibbonTab* tab_;
  TdxRibbonTabsViewInfo* owner_;
  bool hasSeparator_ = false;
  int minimalWidth_ = 0;
  int optimalWidth_ = 0;
  TRect textBounds_;
  int textWidth_ = 0;
  Byte separatorAlpha_ = 0;
  TRect separatorBounds_;
  int fittedWidth_ = 0;
  TRect bounds_;
};

class TdxRibbonTabsViewInfo : public TObject {
  CALDERAN_CLASS(TdxRibbonTabsViewInfo)
  explicit TdxRibbonTabsViewInfo(TdxRibbonViewInfo* owner) : owner_(owner) {}

  virtual void Calculate(const TRect& bounds);
  virtual void CalculateCompressedLayout();
  virtual void CalculateOptimalLayout();
  virtual void CalculateScrollLayout();
  void CreateTabViewInfos();
  void Clear() { items_.clear(); }
  TdxRibbonHitInfo HitTest(int x, int y) const;
  void MakeTabVisible(TdxRibbonTab* tab);
  void SetScrollOffset(int value);
  void Paint(TcxCanvas* canvas);
  void Invalidate();
  void UpdateTabDockControls();

  int Count() const { return static_cast<int>(items_.size()); }
  TdxRibbonTabViewInfo* Items(int index) const { return items_.at(index).get(); }
  const TRect& Bounds() const { return bounds_; }
  bool IsCompressed() const { return compressed_; }
  bool HasLeftScrollButton() const { return hasLeftButton_; }
  bool HasRightScrollButton() const { return hasRightButton_; }
  const TRect& LeftScrollButtonBounds() const { return leftButtonBounds_; }
  const TRect& RightScrollButtonBounds() const { return rightButtonBounds_; }
  int ScrollOffset() const { return scrollOffset_; }
  int MaxScrollOffset() const { return maxScrollOffset_; }
  Byte SeparatorAlpha() const { return separatorAlpha_; }
  TdxRibbonViewInfo* Owner() const { return owner_; }

 private:
  void ResetScrolling();
  void PlaceTabs(int left, bool minimal);
  int MinimalWidthWithSeparator(int index) const;
  void ShrinkEvenly(int deficit);
  void ShrinkWidestFirst(int excess);

  std::vector<std::unique_ptr<TdxRibbonTabViewInfo>> items_;
  TRect bounds_;
  bool lastTabHasSeparator_ = false;
  bool compressed_ = false;
  TdxRibbonViewInfo* owner_;
  bool hasLeftButton_ = false;
  bool hasRightButton_ = false;
  TRect leftButtonBounds_;
  TRect rightButtonBounds_;
  int scrollOffset_ = 0;
  int maxScrollOffset_ = 0;
  Byte separatorAlpha_ = 0;
  int minimalSum_ = 0;
  int optimalSum_ = 0;
};

class TdxRibbonViewInfo : public TObject {
  CALDERAN_CLASS(TdxRibbonViewInfo)
  explicit TdxRibbonViewInfo(TdxCustomRibbon* ribbon);
  ~TdxRibbonViewInfo() override;

  virtual void Calculate(const TRect& bounds);
  TdxRibbonHitInfo HitTest(int x, int y) const;
  TdxRibbonTab* GetTabAtPos(int x, int y) const;
  void Paint(TcxCanvas* canvas);

  // The force argument ignores the hidden state of the ribbon.
  bool IsTooSmall() const;
  bool AreTabGroupsShown(bool force = false) const;
  bool AreTabHeadersShown(bool force = false) const;
  bool IsApplicationButtonVisible(bool force = false) const;
  bool IsQuickAccessToolbarVisible(bool force = false) const;
  bool IsQuickAccessToolbarBelow() const { return false; }
  bool IsHelpButtonVisible() const;
  bool AreMDIButtonsVisible() const;
  int GetScrollButtonWidth() const;
  int GetButtonState(TdxRibbonHitKind kind) const;

  virtual int GetRibbonHeight();
  virtual int GetTabRowHeight() const;
  virtual int GetCaptionHeight() const { return 0; }
  virtual int GetGroupsAreaHeight(bool force = false) const;
  virtual TRect GetGroupsAreaMargins() const { return TRect(4, 3, 4, 4); }
  virtual TRect GetGroupsAreaBounds() const;
  virtual TRect GetGroupsDockBounds() const;
  virtual TRect GetTabsBounds() const;
  virtual TRect GetApplicationButtonOffsets() const;
  virtual TSize GetApplicationButtonSize() const;
  int GetTabsTop() const;
  int GetApplicationButtonState() const;

  const TRect& Bounds() const { return bounds_; }
  const TRect& ApplicationButtonAreaBounds() const { return applicationButtonArea_; }
  const TRect& ApplicationButtonBounds() const { return applicationButtonBounds_; }
  const TRect& HelpButtonBounds() const { return helpButtonBounds_; }
  const TRect& GroupsSiteBounds() const { return groupsSiteBounds_; }
  const TRect& GroupsDockBounds() const { return groupsDockBounds_; }
  const TRect& QuickAccessToolbarBounds() const { return quickAccessToolbarBounds_; }
  const TRect& MDIButtonBounds(int index) const { return mdiButtonBounds_[index]; }
  bool IsDesignPlaceholder() const { return designPlaceholder_; }
  bool DrawsCaption() const { return false; }
  TdxRibbonTabsViewInfo* TabsViewInfo() const { return tabsViewInfo_.get(); }
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  TdxRibbonPainter* GetPainter() const;

 private:
  bool IsReady(bool force) const;
  void CalculateApplicationButton();
  void CalculateGroupsArea();
  void CalculateMDIButtons();
  void CalculateHelpButton();
  void CalculateTabs();
  TRect ButtonStrip() const;
  void PaintTabRow(TcxCanvas* canvas);

  TRect applicationButtonArea_;
  TRect applicationButtonBounds_;
  TRect bounds_;
  bool designPlaceholder_ = false;
  TRect helpButtonBounds_;
  TRect groupsSiteBounds_;
  TRect mdiButtonBounds_[3];
  TRect quickAccessToolbarBounds_;
  TdxCustomRibbon* ribbon_;
  TRect groupsDockBounds_;
  std::unique_ptr<TdxRibbonTabsViewInfo> tabsViewInfo_;
};

// ---------------------------------------------------------------------------------------------
// The ribbon

using TdxRibbonEvent = TEvent<void(TdxCustomRibbon* Sender)>;
using TdxRibbonTabChangingEvent = TEvent<void(TdxCustomRibbon* Sender, TdxRibbonTab* NewTab, bool& Allow)>;
using TdxRibbonTabGroupNotifyEvent =
    TEvent<void(TdxCustomRibbon* Sender, TdxRibbonTab* Tab, TdxRibbonTabGroup* Group)>;
using TdxRibbonApplicationMenuClickEvent = TEvent<void(TdxCustomRibbon* Sender, bool& Handled)>;

// The child window that hosts the tabs' groups dock controls and paints the groups area behind
// them, with the scroll buttons of groups that do not fit at its ends.
class TdxRibbonGroupsDockControlSite : public TCustomControl {
  CALDERAN_CLASS(TdxRibbonGroupsDockControlSite)
  explicit TdxRibbonGroupsDockControlSite(TdxCustomRibbon* ribbon);
  // The site's mouse goes to the ribbon's controller in ribbon coordinates.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  void Dispatch(TMessage& message) override;
  // The left or right scroll button of the active tab's groups, in the site's coordinates; empty
  // when the groups need none.
  TRect ScrollButtonBounds(bool left) const;

 protected:
  void Paint() override;

 private:
  TdxCustomRibbon* ribbon_;
};

class TdxCustomRibbon : public TcxControl, public IdxSkin {
  CALDERAN_CLASS(TdxCustomRibbon)
  // Raises, before any part exists, without GDI+, when the owner is no form (a nil owner means
  // the application's main form) and when the form already owns a ribbon of this class.
  explicit TdxCustomRibbon(TComponent* owner, TClass ribbonClass = StaticClass());
  ~TdxCustomRibbon() override;
  void Dispatch(TMessage& message) override;
  // The ribbon always sits at the top of the form that contains the parent.
  void SetParent(TWinControl* parent) override;

  // --- properties
  TdxBarManager* BarManager() const { return barManager_; }
  void SetBarManager(TdxBarManager* value);
  std::string ColorSchemeName() const;
  void SetColorSchemeName(const std::string& value);
  const std::string& DocumentName() const { return documentName_; }
  void SetDocumentName(const std::string& value);
  TdxRibbonFonts* Fonts() const { return fonts_.get(); }
  void SetFonts(TdxRibbonFonts* value) { fonts_->Assign(value); }
  TdxRibbonPopupMenuItems PopupMenuItems() const { return popupMenuItems_; }
  void SetPopupMenuItems(TdxRibbonPopupMenuItems value);
  bool ShowTabGroups() const { return showTabGroups_; }
  void SetShowTabGroups(bool value);
  bool ShowTabHeaders() const { return showTabHeaders_; }
  void SetShowTabHeaders(bool value);
  bool SupportNonClientDrawing() const { return supportNonClientDrawing_; }
  void SetSupportNonClientDrawing(bool value);
  TdxRibbonTabCollection* Tabs() const { return tabs_.get(); }
  void SetTabs(TdxRibbonTabCollection* value) { tabs_->Assign(value); }

  // --- tabs
  TdxRibbonTab* ActiveTab() const { return activeTab_; }
  void SetActiveTab(TdxRibbonTab* tab);
  TdxRibbonTab* GetVisibleTab(int index) const;
  int GetVisibleTabCount() const;
  TdxRibbonTab* HotTab() const { return hotTab_; }
  // The wheel as the ribbon's window would get it (the thread's wheel hook calls it).
  bool HandleMouseWheel(TShiftState shift, int wheelDelta, const TPoint& mousePos) {
    return DoMouseWheel(shift, wheelDelta, mousePos);
  }
  void SetHotTab(TdxRibbonTab* tab);

  // --- layout and repainting
  void BeginUpdate() { ++lockCount_; }
  void EndUpdate();
  bool IsLocked() const;
  void Changed();
  void FullRefresh();
  void SetRedraw(bool on);
  bool IsHidden() const { return hidden_; }
  bool AreRibbonTabGroupsVisible() const { return !hidden_ && showTabGroups_; }
  bool IsTabGroupsPopupShown() const { return false; }
  int GetGroupRowHeight() const;
  int GetGroupHeight() const;
  int GetGroupCaptionHeight() const;
  void RecalculateBars();
  void SkinChanged();
  void UpdateQuickAccessToolbarVisibility();
  virtual int GetCaptionHeight() const { return 0; }
  virtual void CheckHiddenState();
  TdxCustomRibbonSkin* Skin() const { return skin_; }
  void SetSkin(TdxCustomRibbonSkin* value);
  int ApplicationButtonState() const { return applicationButtonState_; }
  void SetApplicationButtonState(int value);
  bool ApplicationButtonPressed() const { return applicationButtonPressed_; }
  void SetApplicationButtonPressed(bool value) { applicationButtonPressed_ = value; }
  TdxRibbonApplicationButton* ApplicationButton() const { return applicationButton_.get(); }
  void SetApplicationButton(TdxRibbonApplicationButton* value);
  // Opens the application button's menu below the button and returns when it closes; false when
  // the menu was already open, the click event took the click, or there is no menu.
  bool ShowApplicationMenu();
  void CloseApplicationMenu();
  bool IsApplicationMenuOpen() const { return applicationMenuOpen_; }
  TdxBarScreenTip* HelpButtonScreenTip() const { return helpButtonScreenTip_; }
  void SetHelpButtonScreenTip(TdxBarScreenTip* value);
  std::string HelpButtonScreenTipText() const;
  // The ribbon's context menu (right click on the tab row) and the groups popup of a minimized
  // ribbon; both wait for the bar system's popup menus and open nothing yet.
  virtual void ShowCustomizePopup() {}
  void ShowTabGroupsPopup() {}
  TdxRibbonController* Controller() const { return controller_.get(); }
  TdxFader* Fader() const { return fader_.get(); }
  // Whether the ribbon's parent form should hide it (minimized, under 300 x 250).
  bool IsTooSmallForm() const;

  TdxRibbonViewInfo* ViewInfo() const { return viewInfo_.get(); }
  TdxRibbonPainter* Painter() const { return painter_.get(); }
  // The painter of the ribbon's bar windows (group windows and their items); none once the
  // ribbon is being destroyed.
  TdxRibbonBarPainter* BarPainter() const { return barPainter_.get(); }
  TdxRibbonGroupsDockControlSite* GroupsDockControlSite() const { return groupsSite_; }
  TcxEventHandlerCollection* SkinListeners() const { return skinListeners_.get(); }

  // --- IdxSkin
  void DrawElement(HDC dc, const TRect& rect, int elementId, int state) override;
  void DrawElementCaption(HDC dc, const std::string& text, int elementId, const TRect& rect) override;
  TRect GetElementCaptionRect(const TRect& rect, int elementId) override;
  TRect GetElementContentOffsets(int elementId) override;
  std::string GetSkinName() override;
  TColor GetElementColor(int elementId, int state) override;
  int GetElementMetric(int elementId) override;

  // --- events
  TdxRibbonApplicationMenuClickEvent OnApplicationMenuClick;
  TdxRibbonEvent OnHelpButtonClick;
  TdxRibbonEvent OnMoreCommandsExecute;
  TdxRibbonEvent OnTabChanged;
  TdxRibbonTabChangingEvent OnTabChanging;
  TdxRibbonTabGroupNotifyEvent OnTabGroupCollapsed;
  TdxRibbonTabGroupNotifyEvent OnTabGroupExpanded;

  virtual bool DoTabChanging(TdxRibbonTab* newTab);
  virtual void DoTabChanged();
  virtual void DoTabGroupCollapsed(TdxRibbonTab* tab, TdxRibbonTabGroup* group);
  virtual void DoTabGroupExpanded(TdxRibbonTab* tab, TdxRibbonTabGroup* group);
  virtual void DoHelpButtonClick();
  virtual bool DoApplicationMenuClick();
  virtual const TMetaClass* GetTabClass() const;

 protected:
  virtual TdxRibbonPainter* CreatePainter() { return new TdxRibbonPainter(this); }
  virtual TdxRibbonBarPainter* CreateBarPainter();
  virtual TdxRibbonViewInfo* CreateViewInfo() { return new TdxRibbonViewInfo(this); }
  virtual TdxRibbonController* CreateController();
  virtual TdxRibbonApplicationButton* CreateApplicationButton();
  // Mouse and keys go to the controller: keys before the inherited handling, the mouse after it,
  // the wheel when the inherited handling left it.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseLeave(TControl* control) override;
  void DoCancelMode() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(Word& key, TShiftState shift) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void CreateWnd() override;
  // The height always follows the view info.
  void SetBounds(int left, int top, int width, int height) override;
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void BoundsChanged() override;
  void FontChanged() override;
  bool CanFocus() override { return false; }
  void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) override;
  bool HasBuiltInScrollBars() override { return false; }
  // The memory picture of a paint is erased first: the skin's ribbon background leaves its rounded
  // corners to what lies beneath.
  bool ErasesBackground() override { return true; }

 private:
  friend class TdxRibbonTabCollection;
  friend class TdxRibbonTab;
  friend class TdxRibbonViewInfo;
  void TabAdded(TdxRibbonTab* tab);
  void TabRemoving(TdxRibbonTab* tab);
  void TabVisibleChanged(TdxRibbonTab* tab);
  TdxRibbonTab* NeighbourTab(int index) const;
  void SelectDefaultSkin();
  void SetHidden(bool value) { hidden_ = value; }
  void ApplyHeight(int height);
  TCustomForm* ParentForm() const;

  TdxRibbonTab* activeTab_ = nullptr;
  int applicationButtonState_ = 0;
  bool applicationButtonPressed_ = false;
  bool applicationMenuOpen_ = false;
  std::unique_ptr<TdxRibbonApplicationButton> applicationButton_;
  std::unique_ptr<TdxRibbonController> controller_;
  std::unique_ptr<TdxFader> fader_;
  TdxBarScreenTip* helpButtonScreenTip_ = nullptr;
  TdxBarManager* barManager_ = nullptr;
  TdxCustomRibbonSkin* skin_ = nullptr;
  std::unique_ptr<TcxEventHandlerCollection> skinListeners_;
  std::string documentName_;
  std::unique_ptr<TdxRibbonFonts> fonts_;
  TdxRibbonGroupsDockControlSite* groupsSite_ = nullptr;
  bool hidden_ = false;
  TdxRibbonTab* hotTab_ = nullptr;
  uint8_t stateFlags_ = 0;  // bit 0: the creation guard runs
  int lockCount_ = 0;
  bool creating_ = false;
  std::unique_ptr<TdxRibbonPainter> painter_;
  std::unique_ptr<TdxRibbonBarPainter> barPainter_;
  TdxRibbonPopupMenuItems popupMenuItems_;
  bool showTabGroups_ = true;
  bool showTabHeaders_ = true;
  bool supportNonClientDrawing_ = false;
  std::unique_ptr<TdxRibbonTabCollection> tabs_;
  std::unique_ptr<TdxRibbonViewInfo> viewInfo_;
  bool applyingHeight_ = false;
  bool destroying_ = false;
  int ribbonHeight_ = -1;  // the view info's height, once calculated
};

class TdxRibbon : public TdxCustomRibbon {
  CALDERAN_CLASS(TdxRibbon)
  explicit TdxRibbon(TComponent* owner) : TdxCustomRibbon(owner, StaticClass()) {}
};

// Registers the tab class for stored forms and the published properties; shut-down removes the
// mouse hook when one was installed.
extern const TUnitInfo dxRibbonUnit;
bool IsRibbonMouseHookInstalled();
