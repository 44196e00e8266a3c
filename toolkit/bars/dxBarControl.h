// Bar windows: the window of a toolbar, a menu or a ribbon group. A bar window shows one link
// collection: it owns an item control per link it can show (made again on every rebuild), keeps
// their layout records in its view info, tracks the control under the mouse and the selected one,
// paints through the bar painter and turns a mouse press and release into a click. Active bar
// windows form a chain (a toolbar, the menu opened from it, ...): keys go to the innermost one.
//
// Code that calls out (item clicks, activation, closing) takes a weak object link to the window
// first and stops when the window was destroyed during the call.
//
// Menu windows are in dxBarSubMenu.
//
// Left for later: customizing (design selection, dragging links, the customizing popup), container
// item expansion, shadows, accessibility and key tips, the toolbar window's own layout, frame and
// docking, hosted edit windows (the 0x8081 post is kept for them), Ctrl+Tab between
// toolbars, hints through the hint window, and the mouse-tracking hook of the manager (a window
// tracks itself between its first mouse move and leaving its rectangle).
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "Controls.h"
#include "Graphics.h"
#include "Types.h"
#include "dxBarPainter.h"
#include "dxBarTypes.h"

class TdxBarItemControlViewInfo;
class TdxBarAccessibilityHelper;

// The layout of a bar window: the view infos of the item controls it shows, in layout order, and
// the separators it draws between them.
class TCustomdxBarControlViewInfo : public TObject {
  CALDERAN_CLASS(TCustomdxBarControlViewInfo)
  explicit TCustomdxBarControlViewInfo(TCustomdxBarControl* barControl) : barControl_(barControl) {}

  struct TSeparatorInfo {
    TdxBarItemControl* Control = nullptr;  // the control the separator stands before
    TRect Rect;
    bool Horizontal = false;
  };

  TCustomdxBarControl* BarControl() const { return barControl_; }
  virtual void Clear();
  virtual void Recalculate() { Clear(); }

  void AddItemControlViewInfo(TdxBarItemControlViewInfo* viewInfo);
  void RemoveItemControlViewInfo(TdxBarItemControlViewInfo* viewInfo);
  int GetItemControlViewInfoCount() const { return static_cast<int>(items_.size()); }
  TdxBarItemControlViewInfo* GetItemControlViewInfo(int index) const { return items_[index]; }
  int IndexOfItemControl(const TdxBarItemControl* control) const;
  bool HasItemControl(const TdxBarItemControl* control) const { return IndexOfItemControl(control) != -1; }

  void AddSeparatorInfo(const TRect& rect, bool horizontal, TdxBarItemControl* control);
  void ClearSeparatorsInfo() { separators_.clear(); }
  int GetSeparatorCount() const { return static_cast<int>(separators_.size()); }
  const TSeparatorInfo& GetSeparatorInfo(int index) const { return separators_[index]; }
  void SetSeparatorInfo(int index, const TRect& rect, bool horizontal);
  // The first separator record of the control; false (index unchanged) when it has none.
  bool FindSeparatorOf(const TdxBarItemControl* control, int& index) const;

 private:
  TCustomdxBarControl* barControl_;
  std::vector<TdxBarItemControlViewInfo*> items_;
  std::vector<TSeparatorInfo> separators_;
};

// State bits of a bar window (re-entrancy guards).
enum TdxBarControlStateBit : uint8_t {
  bcsCreatingItemControls = 0x01, bcsDestroyingItemControls = 0x02, bcsClosing = 0x08,
  bcsPaintingItemControl = 0x10, bcsRebuilding = 0x20, bcsUpdatingCanvasFont = 0x40
};
// Behaviour flags of a bar window (its kind's rules for selection, focus and stretching).
constexpr Word bbfSelectOnEditExit = 0x0002, bbfStretchItems = 0x0010, bbfActivateOnFocusedClick = 0x0020,
               bbfKeepSelectionWhileNavigating = 0x0040, bbfDeactivateIfFocused = 0x0200;
// Asks a bar window to rebuild its item controls later (toolbar windows post it).
constexpr UINT DXM_BAR_REBUILDITEMCONTROLS = 0x8065;
// Posted once to a hosted edit window that the bar window coloured while editing.
constexpr UINT DXM_BAR_EDITCOLORED = 0x8081;

class TCustomdxBarControl : public TCustomControl {
  CALDERAN_CLASS(TCustomdxBarControl)
  TCustomdxBarControl(TComponent* owner, TdxBarManager* manager);
  ~TCustomdxBarControl() override;

  TdxBarManager* BarManager() const { return manager_; }
  virtual TdxBarPainterClass GetPainter() const;
  void SetPainter(TdxBarPainterClass painter) { painter_ = painter; }
  // 0 horizontal toolbar, 1 menu, 2 vertical toolbar.
  virtual int PaintType() const { return IsRotated() ? ptVert : ptHorz; }
  // 0 toolbar, 1 quick popup, 2 menu.
  virtual int GetKind() const { return 0; }
  virtual bool IsRotated() const { return false; }
  virtual bool IsVertical() const { return false; }
  virtual bool IsMainMenu() const { return false; }
  // Menus and floating toolbars are not docked.
  virtual bool IsDocked() const { return true; }
  // The bar paints on its dock's background.
  virtual bool HasDockBackground() const { return false; }
  virtual double ScaleRatio() const { return ratio_; }
  // The links of the bar show large items.
  virtual bool UsesLargeItems() const { return false; }

  // --- Links and item controls
  TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
  virtual void SetItemLinks(TdxBarItemLinks* links) { itemLinks_ = links; }
  TCustomdxBarControlViewInfo* ViewInfo() const { return viewInfo_; }
  // Destroys and makes again the item controls and repaints; nothing while either runs, without a
  // handle, or while the manager's update is locked.
  void Rebuild(bool recreate = true);
  void RepaintBar() { Rebuild(true); }
  bool ShowsItemControl(const TdxBarItemControl* control) const;
  // The first shown control whose bounds contain the client point; nullptr when none.
  TdxBarItemControl* ItemControlAtPos(const TPoint& point) const;
  virtual void RepaintItemControl(TdxBarItemControl* control);
  // Places the shown links (mode: the paint type) and tells the view info.
  virtual void UpdateLayout();
  virtual void CalcItemRects(int first, int& bottom);
  virtual void ItemRectsCalculated() {}
  virtual int GetSeparatorSize() const { return 0; }
  int GetSeparatorSizeBefore(TdxBarItemLink* link) const;
  virtual TdxBarItemViewLevel GetDefaultViewLevel(TdxBarItemControl*) const { return ivlDefault; }
  virtual Word GetBehaviourFlags() const;
  virtual bool IsItemAlignmentAllowed(TdxBarItemControl*) const { return false; }
  virtual int GetItemTextSize(TdxBarItemControl*) const { return TextSize(); }

  // --- Selection
  TdxBarItemControl* SelectedControl() const;
  TdxBarItemLink* SelectedLink() const { return selectedLink_; }
  void ClearSelectedLink() { selectedLink_ = nullptr; }
  virtual void SetSelectedItemControl(TdxBarItemControl* control);
  virtual void SelectItemControlByMouse(TdxBarItemControl* control);
  TdxBarItemControl* ClickedControl() const { return clickedControl_; }

  // --- Activation, the active chain and closing
  bool Active() const { return active_; }
  bool IsActive() const { return active_; }
  bool Downed() const { return downed_; }
  void SetDowned(bool value) { downed_ = value; }
  void SetIsActive(bool active);
  virtual void ActivateWithControl(TdxBarItemControl* control);
  virtual void Deactivate();
  bool IsInActiveChain() const;
  bool IsFocusedBar() const;
  void Close();
  void CloseByEscape();
  bool ClosedByEscape() const { return closedByEscape_; }
  virtual bool ClosesAfterClick() const { return false; }
  virtual void HideWindow() {}
  virtual bool CanActivate() const;
  virtual bool CanShowHints() const { return !active_; }
  // Whether the window scrolls itself by the wheel while it is the active bar window.
  virtual bool AcceptsMouseWheel() const { return false; }
  bool IsCustomizing() const;
  TCustomdxBarControl* ParentBar() const { return parentBar_; }
  TCustomdxBarControl* ChildBar() const { return childBar_; }
  void SetParentBar(TCustomdxBarControl* value);
  void SetChildBar(TCustomdxBarControl* value);
  // Set when a closing popup swallowed the click: the next button down and up are ignored.
  bool IgnoreNextClick() const { return ignoreNextClick_; }
  void SetIgnoreNextClick(bool value) { ignoreNextClick_ = value; }
  // In screen coordinates; (-1, -1) while the mouse is not tracked over the window.
  const TPoint& LastMousePos() const { return lastMousePos_; }
  int ViewState() const { return viewState_; }
  bool KeyDownToSelectedItem(Word& key, TShiftState shift);
  virtual void ExecuteItemControl(TdxBarItemControl* control, bool notUnique);
  TdxBarItemLink* GetLinkByAccel(char key, TShiftState shift, bool& notUnique, TdxBarItemLink* start);
  virtual void ItemControlSelected(TdxBarItemControl*) {}
  // The window's item controls changed (a docked toolbar re-lays itself out later).
  virtual void ItemControlsChanged() {}
  // A link goes: the window drops its references to it.
  void LinkRemoved(TdxBarItemLink* link);

  // --- Sizes
  // The font of the bar's items (the manager's font) and the height of one text line in it.
  virtual TFont* ItemsFont() const;
  int TextSize() const;
  int IconAreaSize() const { return iconAreaSize_ > 0 ? iconAreaSize_ : TextSize(); }
  int MenuArrowHeight() const { return menuArrowHeight_; }
  void CalcSizes();
  virtual HBRUSH BkBrush() const;
  // The brush an item control paints its background with while it is painted.
  HBRUSH CurrentBackgroundBrush() const { return currentBkBrush_ ? currentBkBrush_ : BkBrush(); }
  TcxCanvas* GetCanvas();
  // The bar's background routine: the brush, or the toolbar background bitmap tiled over the
  // whole area (origin dxBarNoOffset) or from the rectangle's own corner.
  virtual void FillBackground(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool wholeArea);

  // What the painters read of a toolbar's frame and of a menu's tie to its owner item; toolbars
  // and menus answer them (the base window has no mark, caption button or owner).
  virtual bool CanBeMoved() const { return false; }
  virtual bool HasBorder() const { return true; }
  virtual int MarkState() const { return 0; }  // 0 normal, 1 hot, 2 dropped down
  virtual bool HasHiddenItems() const { return false; }
  virtual int CloseButtonState() const { return 0; }  // 0 normal, 1 hot, 2 pressed
  virtual bool IsPopupBar() const { return false; }
  // What the painters read of a toolbar window's frame: its toolbar, docking style (dsNone while
  // floating), floating caption and close button, mark and background picture. The base window
  // answers as a window without toolbar, caption or mark.
  virtual TdxBar* Bar() const { return nullptr; }
  virtual TdxBarDockingStyle DockingStyle() const { return dsNone; }
  virtual bool HasCaption() const { return false; }
  virtual bool HasCloseButton() const { return false; }
  virtual bool MarkExists() const { return false; }
  // The toolbar's own background picture (nullptr or empty when none).
  virtual TBitmap* GetBackgroundBitmap() const { return nullptr; }
  // The floating caption's rectangle in window coordinates (empty while docked).
  virtual TRect FloatingCaptionRect() const { return {}; }
  // The one-pixel line where a menu touches its owner item, in screen coordinates; false when
  // they do not touch.
  virtual bool CalcOwnerEdgeRect(TRect& rect) const {
    rect = {};
    return false;
  }

  void Dispatch(TMessage& message) override;
  // The window's navigation object (made on first request, dxBarAccessibility).
  virtual std::shared_ptr<TdxBarAccessibilityHelper> CreateAccessibilityHelper();

 protected:
  void CreateWnd() override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void DestroyWindowHandle() override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  virtual void SetActive(bool active);
  virtual void CloseUp();
  virtual void ClickItemControl(TdxBarItemControl* control);
  virtual void DoSetSelectedItemControl(TdxBarItemControl* control);
  virtual void CreateItemControls();
  virtual void DestroyItemControls();
  void CreateItemControlsLocked();
  void DestroyItemControlsLocked();
  virtual void ItemLinksChanged(bool recreate);
  virtual void DrawBackground(HDC dc, const TRect& rect);
  virtual void DrawNonClient(HDC) {}
  virtual bool NeedsNCPaint() const { return true; }
  // A hosted edit of this window is being edited.
  virtual bool IsEditActive() const { return false; }
  void PaintItemControls();
  void PaintItemControl(TdxBarItemControl* control);
  bool NeedPaintItem(TdxBarItemControlViewInfo* viewInfo) const;
  virtual bool IgnoresMousePosition(bool checkUnchanged) const;
  void TrackMousePosition(TShiftState shift, const TPoint& point);
  void MouseLeft();
  virtual void DoMouseEnter(TdxBarItemControl* control);
  virtual void DoMouseMove(TShiftState shift, const TPoint& point, TdxBarItemControl* control);
  virtual void DoMouseLeave();
  virtual void DoMouseDown(TMouseButton button, TShiftState shift, const TPoint& point, TdxBarItemControl* control);
  virtual void DoMouseUp(TMouseButton button, TShiftState shift, const TPoint& point, TdxBarItemControl* control);
  virtual void ItemDoubleClicked(TdxBarItemControl* control);
  void ChangeTrackedLink(TdxBarItemLink* link);
  void SetClickedControl(TdxBarItemControl* control) { clickedControl_ = control; }
  void SetViewState(int state);
  bool HasState(uint8_t bit) const { return (state_ & bit) != 0; }
  // Moves along the selectable links by a key (Home, End, previous, next); false for other keys.
  bool SelectByNavigationKey(Word key, bool previous, bool next);

  TMessage currentMessage_;
  // A window kind with a layout of its own replaces the view info in its constructor.
  void SetViewInfo(TCustomdxBarControlViewInfo* value);

 private:
  void WMLButtonDown(TMessage& m);
  void WMLButtonUp(TMessage& m);
  void WMMouseMove(TMessage& m);
  void WMCaptureChanged(TMessage& m);
  void WMKeyDown(TMessage& m);
  void WMNCPaint(TMessage& m);
  void WMDestroy(TMessage& m);
  void WMKillFocus(TMessage& m);
  void WMSetFocus(TMessage& m);
  void WMCtlColorEdit(TMessage& m);
  void WMCommand(TMessage& m);
  void ClickAtPoint(const TPoint& point);
  void ForEachShownControl(void (*step)(TdxBarItemControl* control));
  void HandleKey(Word& key, TShiftState shift);

  TdxBarManager* manager_;
  TdxBarPainterClass painter_ = nullptr;
  TdxBarItemLinks* itemLinks_ = nullptr;
  TCustomdxBarControlViewInfo* viewInfo_;
  TcxCanvas* barCanvas_ = nullptr;
  HBRUSH currentBkBrush_ = nullptr;
  TCustomdxBarControl* childBar_ = nullptr;
  TCustomdxBarControl* parentBar_ = nullptr;
  TCustomdxBarControl* previousActiveBar_ = nullptr;
  TdxBarItemControl* clickedControl_ = nullptr;
  TdxBarItemLink* selectedLink_ = nullptr;
  TdxBarItemLink* trackedLink_ = nullptr;
  bool closedByEscape_ = false;
  bool ignoreNextClick_ = false;
  bool active_ = false;
  bool downed_ = false;
  bool tracking_ = false;
  bool editColoredPosted_ = false;
  uint8_t state_ = 0;
  int viewState_ = 0;
  int textSize_ = 0;
  int iconAreaSize_ = 0;
  int menuArrowHeight_ = 4;
  double ratio_ = 1.0;
  TPoint lastMousePos_{-1, -1};
};

// A toolbar window: a click activates it with the pressed control, the window holds the mouse for
// a control that wants it, Enter clicks and Escape closes; deactivation gives the focus back.
class TdxBarControl : public TCustomdxBarControl {
  CALDERAN_CLASS(TdxBarControl)
  TdxBarControl(TComponent* owner, TdxBarManager* manager);
  ~TdxBarControl() override;

  void ActivateWithControl(TdxBarItemControl* control) override;
  void Deactivate() override;
  void SetSelectedItemControl(TdxBarItemControl* control) override;
  void Dispatch(TMessage& message) override;
  std::shared_ptr<TdxBarAccessibilityHelper> CreateAccessibilityHelper() override;

  // --- The frame of a toolbar's window (dxBarToolbarWindow.cpp): a window shows a toolbar once
  // it is given one; docked it is a child of its dock's window with a border and drag handle,
  // floating an owned popup with a sizing frame, a caption, a close button and the mark.
  TdxBar* Bar() const override { return toolbar_; }
  void SetToolbar(TdxBar* toolbar);
  TdxBarDockingStyle DockingStyle() const override { return dockingStyle_; }
  // Re-creates the window in the other kind (child or popup) when that changes.
  void SetDockingStyle(TdxBarDockingStyle style);
  bool IsDocked() const override { return !toolbar_ || dockingStyle_ != dsNone; }
  bool IsVertical() const override { return dockingStyle_ == dsLeft || dockingStyle_ == dsRight; }
  bool CanBeMoved() const override { return toolbar_ != nullptr; }
  bool HasCaption() const override { return toolbar_ && dockingStyle_ == dsNone; }
  bool HasCloseButton() const override;
  bool MarkExists() const override;
  int MarkState() const override { return markState_; }
  void SetMarkState(int state);
  bool HasHiddenItems() const override { return hasHiddenItems_; }
  void SetHasHiddenItems(bool value);
  int CloseButtonState() const override { return closeButtonState_; }
  TBitmap* GetBackgroundBitmap() const override;
  TRect FloatingCaptionRect() const override;
  // Docked: in client coordinates; floating: in the caption, in window coordinates.
  TRect MarkRect() const;
  TRect CloseButtonRect() const;
  // The non-client part under the last WM_NCHITTEST: HTCAPTION for the drag handle and empty
  // space, HTCLOSE for a close button the window draws itself, 0 for items and the mark.
  int LastHitTest() const { return lastHitTest_; }
  // The size (borders included) that shows every link in one line.
  TSize CalcFullSize();
  // Paints the frame at once (the caption and close button follow their states).
  void DrawNonClientNow();

 protected:
  void SetActive(bool active) override;
  void ClickItemControl(TdxBarItemControl* control) override;
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void DrawNonClient(HDC dc) override;
  void DoMouseDown(TMouseButton button, TShiftState shift, const TPoint& point, TdxBarItemControl* control) override;
  int GetSeparatorSize() const override;
  // One line of links: a link that does not fit and the ones after it stay hidden (the mark
  // offers them); a docked toolbar keeps the mark's room at the end of its line.
  void ItemRectsCalculated() override;

 private:
  // The frame's messages; false for the others.
  bool DispatchFrameMessage(TMessage& m);
  void WMNCCalcSize(TMessage& m);
  void WMNCHitTest(TMessage& m);
  void WMNCLButtonDown(TMessage& m);
  // The caption close button's own mouse loop; true when the button went up over it.
  bool TrackCloseButton();
  void SetCloseButtonState(int state);
  bool IsFramed() const { return toolbar_ != nullptr; }

  HWND focusedWindow_ = nullptr;
  TCustomdxBarControl* replacedFocusedBar_ = nullptr;
  TdxBar* toolbar_ = nullptr;
  TdxBarDockingStyle dockingStyle_ = dsTop;
  int markState_ = 0;
  int closeButtonState_ = 0;
  int lastHitTest_ = 0;
  bool hasHiddenItems_ = false;
};

// The innermost active bar window; nullptr when none is active.
TCustomdxBarControl* ActiveBarControl();
