// The tab control and the page control. The tab control keeps one small record per tab, lays the
// tabs out lazily (rows, overlaps, indents, a scrolling single-line strip, the four sides in either
// sequence), draws them with their cards off-screen and copies the picture in one step; regions of
// tab shapes are held in a small most-recently-used cache. The page control fills the tabs from its
// pages and shows the page of the current tab.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "ExtCtrls.h"
#include "Graphics.h"
#include "ImgList.h"
#include "Menus.h"
#include "RzCommon.h"

enum TRzTabOrientation : uint8_t { toTop, toLeft, toBottom, toRight };
enum TRzTabSequence : uint8_t { tsStandard, tsReverse };
enum TRzTabStyle : uint8_t { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant };
enum TRzTabHotTrackStyle : uint8_t { htsTab, htsText };
enum TRzImagePosition : uint8_t { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
enum TRzHorizontalAlignment : uint8_t { haLeft, haCenter, haRight };
// Scoped: the look-and-feel painters name their own vertical alignments the same way.
enum class TRzVerticalAlignment : uint8_t { vaTop, vaCenter, vaBottom };
enum TRzTextStyle : uint8_t { tsHotTrack, tsSelected, tsUnselected, tsDisabledHighlight, tsDisabledShadow };

class TRzCustomTabControl;
class TRzTabSheet;
class TRzPageControl;

// ---------------------------------------------------------------------------------------------
// Tab data, colours and the region cache

class TRzTabData : public TPersistent {
  CALDERAN_CLASS(TRzTabData)
  TRzTabData() = default;
  // Copies everything but the layout fields (TabRect, Row).
  void Assign(TPersistent* source) override;

  std::string Caption;
  TColor Color = clBtnFace;
  int32_t DisabledIndex = -1;
  bool Enabled = true;
  std::string Hint;
  int32_t ImageIndex = -1;
  TRect TabRect;  // strip coordinates: along as Left/Right, depth as Top/Bottom
  bool Visible = true;
  int32_t Row = 0;  // 0 touches the card
};

class TRzTabDataList : public TPersistent {
  CALDERAN_CLASS(TRzTabDataList)
  TRzTabDataList() = default;
  ~TRzTabDataList() override;
  void Assign(TPersistent* source) override;
  int Count() const { return static_cast<int>(items_.size()); }
  TRzTabData* Items(int index) const { return items_.at(index); }
  // Frees the entry it replaces.
  void SetItems(int index, TRzTabData* value);
  int Add(TRzTabData* data);
  void Clear();

 private:
  std::vector<TRzTabData*> items_;
};

class TRzTabColors : public TPersistent {
  CALDERAN_CLASS(TRzTabColors)
  explicit TRzTabColors(TRzCustomTabControl* owner) : owner_(owner) {}
  void Assign(TPersistent* source) override;
  TColor HighlightBar() const { return highlightBar_; }
  void SetHighlightBar(TColor value);
  TColor Shadow() const { return shadow_; }
  void SetShadow(TColor value);
  TColor Unselected() const { return unselected_; }
  void SetUnselected(TColor value);

 private:
  void Changed(TColor& field, TColor value);
  TRzCustomTabControl* owner_;
  TColor highlightBar_ = clHighlight, shadow_ = clBtnFace, unselected_ = clWindow;
};

class TRzTextColors : public TPersistent {
  CALDERAN_CLASS(TRzTextColors)
  explicit TRzTextColors(TRzCustomTabControl* owner) : owner_(owner) {}
  void Assign(TPersistent* source) override;
  TColor DisabledHighlight() const { return disabledHighlight_; }
  void SetDisabledHighlight(TColor value);
  TColor DisabledShadow() const { return disabledShadow_; }
  void SetDisabledShadow(TColor value);
  TColor Selected() const { return selected_; }
  void SetSelected(TColor value);
  TColor Unselected() const { return unselected_; }
  void SetUnselected(TColor value);

 private:
  void Changed(TColor& field, TColor value);
  TRzCustomTabControl* owner_;
  TColor disabledHighlight_ = clBtnHighlight, disabledShadow_ = clBtnShadow, selected_ = clBtnText,
         unselected_ = clBtnText;
};

// Owns its region: a new one replaces (and deletes) the old, the destructor deletes the last.
class TRzTabRegionCacheItem : public TObject {
  CALDERAN_CLASS(TRzTabRegionCacheItem)
  TRzTabRegionCacheItem() = default;
  ~TRzTabRegionCacheItem() override { SetRegion(nullptr); }
  TRect Rect{-1, -1, -1, -1};
  HRGN Region() const { return region_; }
  void SetRegion(HRGN value);

 private:
  HRGN region_ = nullptr;
};

// Regions keyed by the tab rectangle they were built for, most recently used first.
class TRzTabRegionCache : public TObject {
  CALDERAN_CLASS(TRzTabRegionCache)
  TRzTabRegionCache() = default;
  ~TRzTabRegionCache() override;
  HRGN FindRegion(const TRect& rect) const;
  // Takes the region over. For a rectangle already cached the entry moves to the front and the
  // region given is deleted, so that no handle is ever lost.
  void AddRegion(const TRect& rect, HRGN region);
  int Capacity() const { return capacity_; }
  // -1 keeps every region; otherwise at least 1.
  void SetCapacity(int value);
  int Count() const { return static_cast<int>(items_.size()); }
  void Clear();

 private:
  void Trim();
  std::vector<TRzTabRegionCacheItem*> items_;
  int capacity_ = 1;
};

// ---------------------------------------------------------------------------------------------
// The strip's three buttons

// Pressed, pressed-inside and capture handling shared by the three buttons.
class TRzTabStripButton : public TCustomControl {
  CALDERAN_CLASS(TRzTabStripButton)
  explicit TRzTabStripButton(TRzCustomTabControl* owner);
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  bool PressedInside() const { return pressedInside_; }

 protected:
  // The area a press belongs to (the scroller's two halves), and whether a point lies in it.
  virtual int AreaAt(TPoint) { return 0; }
  virtual bool InArea(int area, TPoint p);
  virtual void Pressed() {}
  virtual void Released() {}
  virtual void Clicked(int area) = 0;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // A face with a gradient (or a plain fill) and a one-pixel frame.
  void PaintFace(TCanvas* canvas, const TRect& bounds, bool pressed);
  TRzCustomTabControl* TabControl() const { return owner_; }
  int pressedArea_ = 0;
  bool pressed_ = false;
  bool pressedInside_ = false;

 private:
  TRzCustomTabControl* owner_;
  TColor frameColor_ = clBtnShadow;
};

class TRzTabScroller : public TRzTabStripButton {
  CALDERAN_CLASS(TRzTabScroller)
  explicit TRzTabScroller(TRzCustomTabControl* owner);
  ~TRzTabScroller() override;
  void Dispatch(TMessage& message) override;
  TOrientation Orientation() const { return orientation_; }
  void SetOrientation(TOrientation value);
  TNotifyEvent OnUpRightClick;
  TNotifyEvent OnDownLeftClick;
  // The first delay and the repeat delay of a held half, in milliseconds.
  static constexpr uint16_t FirstDelay = 400, RepeatDelay = 100;

 protected:
  int AreaAt(TPoint p) override;
  bool InArea(int area, TPoint p) override;
  void Pressed() override;
  void Released() override;
  void Clicked(int area) override;
  void Paint() override;
  virtual void DoDownLeftClick();
  virtual void DoUpRightClick();

 private:
  void TimerTick(TObject* sender);
  TOrientation orientation_ = orHorizontal;
  std::unique_ptr<TTimer> timer_;
};

class TRzTabCloseButton : public TRzTabStripButton {
  CALDERAN_CLASS(TRzTabCloseButton)
  explicit TRzTabCloseButton(TRzCustomTabControl* owner) : TRzTabStripButton(owner) {}
  TNotifyEvent OnClose;

 protected:
  void Clicked(int) override { DoClick(); }
  virtual void DoClick();
  void Paint() override;
};

class TRzTabMenuButton : public TRzTabStripButton {
  CALDERAN_CLASS(TRzTabMenuButton)
  explicit TRzTabMenuButton(TRzCustomTabControl* owner);
  ~TRzTabMenuButton() override;
  TNotifyEvent OnDisplayMenu;
  TPopupMenu* Menu() const { return menu_; }
  // Fills the menu with the visible tabs and shows it beside the button.
  virtual void DisplayMenu();
  // Fills the menu without showing it.
  void BuildMenu();

 protected:
  void Clicked(int) override { DisplayMenu(); }
  void Paint() override;

 private:
  void ItemClick(TObject* sender);
  TPopupMenu* menu_;
};

// ---------------------------------------------------------------------------------------------
// The tab control

using TRzTabChangingEvent = TEvent<void(TObject* Sender, int NewIndex, bool& AllowChange)>;
using TRzTabCloseEvent = TEvent<void(TObject* Sender, bool& AllowClose)>;
using TRzGetTextColorEvent =
    TEvent<void(TObject* Sender, int ATabIndex, TRzTextStyle AStyle, TColor& AColor, bool& Handled)>;
using TRzPaintBackgroundEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool& Handled)>;
using TRzPaintCardBackgroundEvent =
    TEvent<void(TObject* Sender, TCanvas* ACanvas, int ARow, TRect ARect, bool& Handled)>;
using TRzPaintTabBackgroundEvent =
    TEvent<void(TObject* Sender, TCanvas* ACanvas, int ATabIndex, TRect ARect, bool& Handled)>;
using TRzTabOrderChangeEvent = TEvent<void(TObject* Sender, int OldIndex, int NewIndex)>;

class TRzCustomTabControl : public TCustomControl {
  CALDERAN_CLASS(TRzCustomTabControl)
  explicit TRzCustomTabControl(TComponent* owner);
  ~TRzCustomTabControl() override;
  void Dispatch(TMessage& message) override;
  void Loaded() override;
  void AlignControls(TControl* control, TRect& rect) override;
  void DefineProperties(TFiler* filer) override;

  // --- properties (writers do nothing for an unchanged value)
  bool AlignTabs() const { return alignTabs_; }
  virtual void SetAlignTabs(bool value);
  bool AllowTabDragging() const { return allowTabDragging_; }
  void SetAllowTabDragging(bool value) { allowTabDragging_ = value; }
  TColor BackgroundColor() const { return backgroundColor_; }
  virtual void SetBackgroundColor(TColor value);
  bool BoldCurrentTab() const { return boldCurrentTab_; }
  virtual void SetBoldCurrentTab(bool value);
  bool UseColoredTabs() const { return useColoredTabs_; }
  virtual void SetUseColoredTabs(bool value);
  int CutCornerSize() const { return cutCornerSize_; }
  void SetCutCornerSize(int value);
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(int value);
  TRzHorizontalAlignment ImageAlignment() const { return imageAlignment_; }
  void SetImageAlignment(TRzHorizontalAlignment value);
  int ImageMargin() const { return imageMargin_; }
  void SetImageMargin(int value);
  TRzImagePosition ImagePosition() const { return imagePosition_; }
  void SetImagePosition(TRzImagePosition value);
  TRzVerticalAlignment ImageAlignmentVertical() const { return imageAlignmentVertical_; }
  void SetImageAlignmentVertical(TRzVerticalAlignment value);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool value);
  TColor HotTrackColor() const { return hotTrackColor_; }
  void SetHotTrackColor(TColor value);
  TRzHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
  void SetHotTrackColorType(TRzHotTrackColorType value);
  TRzTabHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
  void SetHotTrackStyle(TRzTabHotTrackStyle value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool value);
  bool ParentBackgroundColor() const { return parentBackgroundColor_; }
  void SetParentBackgroundColor(bool value);
  int RowIndent() const { return rowIndent_; }
  void SetRowIndent(int value);
  int RowOverlap() const { return rowOverlap_; }
  void SetRowOverlap(int value);
  bool ShowCardFrame() const { return showCardFrame_; }
  void SetShowCardFrame(bool value);
  bool ShowCloseButton() const { return showCloseButton_; }
  void SetShowCloseButton(bool value);
  bool ShowMenuButton() const { return showMenuButton_; }
  void SetShowMenuButton(bool value);
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool value);
  bool ShowFullFrame() const { return showFullFrame_; }
  void SetShowFullFrame(bool value);
  bool ShowShadow() const { return showShadow_; }
  void SetShowShadow(bool value);
  bool SoftCorners() const { return softCorners_; }
  void SetSoftCorners(bool value);
  int TabOverlap() const { return tabOverlap_; }
  void SetTabOverlap(int value);
  TOrientation TextOrientation() const { return textOrientation_; }
  void SetTextOrientation(TOrientation value);
  TRzTabColors* TabColors() const { return tabColors_.get(); }
  void SetTabColors(TRzTabColors* value) { tabColors_->Assign(value); }
  int TabHeight() const { return tabHeight_; }
  void SetTabHeight(int value);
  bool TabHints() const { return tabHints_; }
  void SetTabHints(bool value);
  int TabIndex() const { return tabIndex_; }
  virtual void SetTabIndex(int value);
  TRzTabOrientation TabOrientation() const { return tabOrientation_; }
  void SetTabOrientation(TRzTabOrientation value);
  TRzTabSequence TabSequence() const { return tabSequence_; }
  void SetTabSequence(TRzTabSequence value);
  TRzTabStyle TabStyle() const { return tabStyle_; }
  void SetTabStyle(TRzTabStyle value);
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int value);
  TRzTextColors* TextColors() const { return textColors_.get(); }
  void SetTextColors(TRzTextColors* value) { textColors_->Assign(value); }
  TRzHorizontalAlignment TextAlignment() const { return textAlignment_; }
  void SetTextAlignment(TRzHorizontalAlignment value);
  TRzVerticalAlignment TextAlignmentVertical() const { return textAlignmentVertical_; }
  void SetTextAlignmentVertical(TRzVerticalAlignment value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool UseGradients() const { return useGradients_; }
  void SetUseGradients(bool value);
  int FixedDimension() const { return fixedDimension_; }
  int RegionCacheCapacity() const { return regionCacheCapacity_; }
  // -1 or a positive value; anything else is ignored.
  void SetRegionCacheCapacity(int value);
  bool IsBackgroundColorStored() const { return !parentBackgroundColor_; }

  // --- state for the strip buttons, the page control and the tests
  TRzTabDataList* Tabs() const { return tabData_.get(); }
  TRzTabRegionCache* RegionCache() const { return regionCache_.get(); }
  int RowCount() const { return rowCount_; }
  int FirstShownTab() const { return firstShownTab_; }
  bool ScrollingNeeded() const { return scrollingNeeded_; }
  bool NeedsLayout() const { return needsLayout_; }
  // Runs the layout pass now when a change asked for one (painting does it otherwise).
  void LayoutIfNeeded();
  // The tab under a client point, -1 for none.
  int HitTest(TPoint p);
  // A tab's rectangle in control coordinates (its row indent, the current tab's enlargement).
  TRect TabDrawRect(int index) const;
  // The card of row r, and the rectangle the pages fill.
  TRect CardRect(int row) const;
  TRect DisplayRect() const;
  TRect TabAreaRect() const;
  // The region of a tab's shape, from the cache (null for a degenerate shape).
  HRGN TabRegion(int index);
  bool IsTabShown(int index) const;
  bool CanScroll(bool forward) const;
  bool ScrollTabs(bool forward);
  TRzTabScroller* Scroller() const { return scroller_; }
  TRzTabCloseButton* CloseButton() const { return closeButton_; }
  TRzTabMenuButton* MenuButton() const { return menuButton_; }
  bool DragScrollTimerRunning() const;
  // The hot tab of hot tracking (-1 for none).
  int HotTab() const { return hotTab_; }
  bool IsSideTabs() const { return IsSide(); }
  void SetShowCard(bool value);
  // Strip button size, close and menu button sizes.
  int StripButtonSize();

  TRzTabChangingEvent OnChanging;
  TNotifyEvent OnChange;
  TNotifyEvent OnPageChange;
  TNotifyEvent OnTabClick;
  TRzTabCloseEvent OnClose;
  TRzGetTextColorEvent OnGetTextColor;
  TRzPaintBackgroundEvent OnPaintBackground;
  TRzPaintCardBackgroundEvent OnPaintCardBackground;
  TRzPaintTabBackgroundEvent OnPaintTabBackground;
  TRzTabOrderChangeEvent OnTabOrderChange;

  // --- virtual operations
  virtual void DoChanging(int newIndex, bool& allowChange);
  virtual void DoGetTextColor(int tabIndex, TRzTextStyle style, TColor& color, bool& handled);
  virtual void TabsChanged();
  virtual void DoTabClick();
  virtual void InvalidateTabs();
  virtual void DoPaintBackground(TCanvas* canvas, const TRect& rect, bool& handled);
  virtual void DoPaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled);
  virtual void DoPaintTabBackground(TCanvas* canvas, int tabIndex, const TRect& rect, bool& handled);
  virtual void CloseCurrentTab() {}
  virtual void MoveCurrentTab(int /*newTabIndex*/) {}
  virtual void SetNeedsLayout(bool value);
  virtual void DoChange();
  virtual void HideAllTabs() {}
  virtual void ShowAllTabs() {}
  virtual void DoTabOrderChange(int oldIndex, int newIndex);
  virtual void DoPageChange();
  virtual bool DoClose();
  // The close button's request: closes the current tab when an OnClose handler allows it.
  void CloseRequest(TObject* sender = nullptr);
  // Whether tab index may become current (asks OnChanging for a different tab).
  bool CanChange(int index);

  // Drag and drop of tabs.
  void DragOver(TObject* source, int x, int y, TDragState state, bool& accept) override;
  void DragDrop(TObject* source, int x, int y) override;
  void DoEndDrag(TObject* target, int x, int y) override;
  void DragCanceled() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void KeyDown(Word& key, TShiftState shift) override;
  bool IsLoadingOrReading() const;
  void SetTabIndexInternally(int value);
  void SelectTabByUser(int index);
  bool Painting() const { return painting_; }

  // Message handlers.
  void WMSize(TMessage& m);
  void WMEraseBkgnd(TMessage& m) { m.Result = 1; }
  void WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS; }
  void WMFocusChanged(TMessage& m);
  void WMTimer(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMDesignHitTest(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMParentColorChanged(TMessage& m);
  void CMColorChanged(TMessage& m);
  void CMMouseLeave(TMessage& m);

 private:
  friend class TRzTabStripButton;
  // layout (RzTabsLayout.cpp)
  void Layout();
  TSize ContentSize(int index);
  TSize TextSize(const std::string& caption);
  TSize MinimumContent();
  TSize TabSizeFromContent(TSize content) const;
  int Overlap(int depth) const;
  int RowStep() const { return fixedDimension_ - rowOverlap_; }
  int TabAreaDepth() const;
  TRect ClientBox() const;
  int StripLength() const;
  bool IsSide() const { return tabOrientation_ == toLeft || tabOrientation_ == toRight; }
  bool IsVerticalText() const { return textOrientation_ == orVertical; }
  int CountRows(const std::vector<int>& lengths, int available) const;
  void PlaceTabs(const std::vector<int>& lengths);
  void AlignRows();
  void UpdateFirstShownTab();
  void ShowCurrentTab();
  void VerifyCurrentTab();
  void RotateRows(int selected);
  TPoint MapPoint(int along, int depth) const;
  TRect MapRect(const TRect& strip) const;
  // A tab's rectangle in strip coordinates, with its row indent and the current tab's enlargement.
  TRect TabStripRect(int index) const;
  int ScrollOrigin() const;
  int UsableStripLength();
  void PlaceStripButtons();
  void UpdateStripButtonColors();
  TRzTabScroller* NeedScroller();
  int FirstVisibleTab() const;
  int LastVisibleTab() const;
  int CloseSize();
  int MenuSize();
  // painting (RzTabsPaint.cpp)
  std::vector<TPoint> TabPolygon(int index) const;
  void DrawTabs(TCanvas* canvas);
  void DrawTab(TCanvas* canvas, int index);
  void FillTab(TCanvas* canvas, int index, const TRect& rect);
  void DrawTabContent(TCanvas* canvas, int index, const TRect& rect);
  void DrawCaption(TCanvas* canvas, int index, TRect textArea, TColor color, TPoint offset);
  TRect ContentRect(int index, const TRect& mapped) const;
  void DrawCard(TCanvas* canvas, int row);
  void AddTabOutline(int index);
  void AddCardOutline(int row);
  void AddShadow(const TPoint corners[4]);
  void RunOutline(TCanvas* canvas);
  void Command(int code, int x = 0, int y = 0);
  void SelectTabFont(TCanvas* canvas);
  void RestoreTabFont(TCanvas* canvas);
  TColor FrameColor() const;
  TColor TextColor(int index, TRzTextStyle style, TColor fallback);
  // input (RzTabsInput.cpp)
  void EndHover();
  void StartHoverTimer();
  void StopHoverTimer();
  void DragScrollTick(TObject* sender);
  void StopDragScroll();
  void DrawDropMark(const TRect& rect);
  TRect DropMarkRect(int target) const;
  void ScrollerDownLeft(TObject* sender);
  void ScrollerUpRight(TObject* sender);
  int FindKeyTab(int from, int step, bool wrap);
  void SetFixedDimension(TReader* reader);
  void WriteFixedDimension(TWriter* writer);
  void ImageListChange(TObject* sender);

  std::unique_ptr<TBitmap> bitmap_;
  bool needsLayout_ = true;
  bool internalSelection_ = false;
  std::vector<int> commands_;
  bool paintedOnce_ = false;
  int firstShownTab_ = 0;
  int fixedDimension_ = 0;
  std::vector<HFONT> fontStack_;
  std::vector<int> savedDCs_;
  int hotTab_ = -1;
  std::string savedHint_;
  TRect displayRect_{-1, -1, -1, -1};
  int rowCount_ = 1;
  TRzTabScroller* scroller_ = nullptr;
  bool scrollingNeeded_ = false;
  std::unique_ptr<TRzTabDataList> tabData_;
  std::unique_ptr<TRzTabRegionCache> regionCache_;
  int regionCacheCapacity_ = 1;
  TRzTabCloseButton* closeButton_ = nullptr;
  TRzTabMenuButton* menuButton_ = nullptr;
  TFont workFont_;
  bool hoverTimerRunning_ = false;
  std::unique_ptr<TTimer> dragScrollTimer_;
  uint16_t dragScrollFirstDelay_ = 400, dragScrollRepeatDelay_ = 300;
  bool hotRepaintOnly_ = false;
  std::unique_ptr<TChangeLink> imageChangeLink_;
  int initialTabIndex_ = 0;
  bool showCard_ = true;
  int mouseDownTab_ = -1;
  bool dragArmed_ = false;
  TRect dropMarkRect_;
  int dropTarget_ = -1;
  bool dropMarkShown_ = false;
  bool painting_ = false;

  bool alignTabs_ = false, allowTabDragging_ = false;
  TColor backgroundColor_ = clBtnFace;
  bool boldCurrentTab_ = false, useColoredTabs_ = false;
  int cutCornerSize_ = 6;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 0;
  TRzHorizontalAlignment imageAlignment_ = haCenter;
  int imageMargin_ = 2;
  TRzImagePosition imagePosition_ = ipLeft;
  TRzVerticalAlignment imageAlignmentVertical_ = TRzVerticalAlignment::vaCenter;
  bool hotTrack_ = true;
  TColor hotTrackColor_ = 0x149BF0;
  TRzHotTrackColorType hotTrackColorType_ = htctActual;
  TRzTabHotTrackStyle hotTrackStyle_ = htsTab;
  TCustomImageList* images_ = nullptr;
  int margin_ = 0;
  bool multiLine_ = false, parentBackgroundColor_ = true;
  int rowIndent_ = 5, rowOverlap_ = 5;
  bool showCardFrame_ = true, showCloseButton_ = false, showMenuButton_ = false, showFocusRect_ = true,
       showFullFrame_ = true, showShadow_ = true, softCorners_ = false;
  int tabOverlap_ = -1;
  TOrientation textOrientation_ = orHorizontal;
  std::unique_ptr<TRzTabColors> tabColors_;
  int tabHeight_ = 0;
  bool tabHints_ = false;
  int tabIndex_ = -1;
  TRzTabOrientation tabOrientation_ = toTop;
  TRzTabSequence tabSequence_ = tsStandard;
  TRzTabStyle tabStyle_ = tsSingleSlant;
  int tabWidth_ = 0;
  std::unique_ptr<TRzTextColors> textColors_;
  TRzHorizontalAlignment textAlignment_ = haCenter;
  TRzVerticalAlignment textAlignmentVertical_ = TRzVerticalAlignment::vaCenter;
  bool transparent_ = false, useGradients_ = true;
};

// ---------------------------------------------------------------------------------------------
// Pages

class TRzTabSheet : public TCustomControl {
  CALDERAN_CLASS(TRzTabSheet)
  explicit TRzTabSheet(TComponent* owner);
  ~TRzTabSheet() override;
  void Dispatch(TMessage& message) override;
  void SetParent(TWinControl* parent) override;
  void AssignTo(TPersistent* dest) override;

  TRzPageControl* PageControl() const { return pageControl_; }
  virtual void SetPageControl(TRzPageControl* value);
  int PageIndex() const;
  virtual void SetPageIndex(int value);
  // The page's place among the tabs, -1 when its tab is hidden.
  int TabIndex() const;
  bool TabEnabled() const { return tabEnabled_; }
  virtual void SetTabEnabled(bool value);
  bool TabVisible() const { return tabVisible_; }
  virtual void SetTabVisible(bool value);
  int ImageIndex() const { return imageIndex_; }
  virtual void SetImageIndex(int value);
  int DisabledIndex() const { return disabledIndex_; }
  virtual void SetDisabledIndex(int value);
  // Pages are shown and hidden by their page control only: writing Visible raises.
  bool PageVisible() const { return Visible(); }
  void SetPageVisible(bool value);
  TColor PageColor() const { return Color(); }
  virtual void SetPageColor(TColor value);
  TRzPaintBackgroundEvent OnPaintBackground;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;

 private:
  friend class TRzPageControl;
  void CMTextChanged(TMessage& m);
  TRzPageControl* pageControl_ = nullptr;
  bool tabEnabled_ = true, tabVisible_ = true;
  int imageIndex_ = -1, disabledIndex_ = -1;
  bool joining_ = false;
};

class TRzPageControl : public TRzCustomTabControl {
  CALDERAN_CLASS(TRzPageControl)
  explicit TRzPageControl(TComponent* owner);
  ~TRzPageControl() override;
  void Dispatch(TMessage& message) override;
  void Loaded() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TRzTabSheet* Pages(int index) const { return pages_.at(index); }
  TRzTabSheet* ActivePage() const { return activePage_; }
  virtual void SetActivePage(TRzTabSheet* page);
  TRzTabSheet* ActivePageDefault() const { return activePageDefault_; }
  void SetActivePageDefault(TRzTabSheet* page);
  int ActivePageIndex() const;
  virtual void SetActivePageIndex(int value);
  bool SaveResources() const { return saveResources_; }
  virtual void SetSaveResources(bool value);
  bool DblClickUndocks() const { return dblClickUndocks_; }
  void SetDblClickUndocks(bool value) { dblClickUndocks_ = value; }
  TRzTabSheet* FindNextPage(TRzTabSheet* current, bool goForward, bool visibleTabsOnly) const;
  void SelectNextPage(bool goForward);
  void SetUseColoredTabs(bool value) override;

  void TabsChanged() override;
  void DoChanging(int newIndex, bool& allowChange) override;
  void DoChange() override;
  void DoPageChange() override;
  void CloseCurrentTab() override;
  void MoveCurrentTab(int newTabIndex) override;
  void HideAllTabs() override;
  void ShowAllTabs() override;
  void DoPaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled) override;

  // --- docking: with DockSite on, each docked client gets a page of its own
  void ShowControl(TControl* control) override;
  void DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept) override;
  void GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos, bool& canDock) override;
  void DoAddDockClient(TControl* client, const TRect& rect) override;
  void DoRemoveDockClient(TControl* client) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TRzTabSheet;
  // The page that holds a client docked here, or null.
  TRzTabSheet* DockPageOf(TControl* client) const;
  // The docked client whose tab is at the point (with DockSite on), or null.
  TControl* DockClientAtTab(TPoint p);
  void CMDockClient(TMessage& m);
  void CMDockNotification(TMessage& m);
  void CMUnDockClient(TMessage& m);
  void WMLButtonDown(TMessage& m);
  void WMLButtonDblClk(TMessage& m);
  void InsertPage(TRzTabSheet* page);
  void RemovePage(TRzTabSheet* page);
  void MovePage(TRzTabSheet* page, int index);
  void ChangeActivePage(TRzTabSheet* page);
  void CMColorChanged(TMessage& m);
  void CMDialogKey(TMessage& m);
  void WMSetFocus(TMessage& m);

  std::vector<TRzTabSheet*> pages_;
  TRzTabSheet* activePage_ = nullptr;
  TRzTabSheet* activePageDefault_ = nullptr;
  bool saveResources_ = false, dblClickUndocks_ = true;
  bool loading_ = false;
  TRzTabSheet* dockPage_ = nullptr;    // made for the client docking now
  TRzTabSheet* undockPage_ = nullptr;  // freed once its client has left
};

void RegisterTabClasses();
