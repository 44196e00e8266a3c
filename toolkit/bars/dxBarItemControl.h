// Item controls: the view and controller of one item link while a bar window shows it. An item
// control is no window: its bar window gives it its rectangle (the link's item rectangle), routes
// mouse and key events to it, asks it for its size at each view level and asks it to paint; the
// control asks the bar window's painter for every metric and drawing step, and turns a click into
// the item's Click.
//
// The click sequence (Click: ControlClick, then DoClick) plays the menu sound for a button in a
// menu window, records the use of the link, closes the menu chain and runs the item's Click. It
// holds weak object links to itself and to the item, because the handler may free either (or the
// whole form).
//
// Left for later: accessibility helpers, fading, hints through the hint window (the control
// answers its hint text), customizing resize, item styles (no item has a style font or colour
// yet: the own text size is the bar window's) and the menu window's non-recent marker.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ImgList.h"
#include "Types.h"
#include "cxClasses.h"
#include "dxBarPainter.h"
#include "dxBarTypes.h"

class TdxBarAccessibilityHelper;

// The layout record of an item control: the view levels it allows, where the layout placed it, and
// its width at each level (computed once, until ClearSizeCache).
class TdxBarItemControlViewInfo : public TObject {
  CALDERAN_CLASS(TdxBarItemControlViewInfo)
  // Computes the allowed view levels; raises when the control's kind can show no level.
  explicit TdxBarItemControlViewInfo(TdxBarItemControl* control);
  ~TdxBarItemControlViewInfo() override;

  TdxBarItemControl* Control() const { return control_; }
  const TRect& Bounds() const { return bounds_; }
  void SetBounds(const TRect& value) { bounds_ = value; }
  const TRect& ImageBounds() const { return imageBounds_; }
  void SetImageBounds(const TRect& value) { imageBounds_ = value; }
  TdxBarItemViewLevels AllowedViewLevels() const { return allowedViewLevels_; }
  TdxBarItemViewLevel MostCompactPossibleLevel() const { return mostCompactLevel_; }
  TdxBarItemViewLevel LevelForButtonGroup() const { return levelForButtonGroup_; }
  TdxBarItemViewLevel ViewLevel() const { return viewLevel_; }
  void SetViewLevel(TdxBarItemViewLevel value) { viewLevel_ = value; }
  int Row() const { return row_; }
  void SetRow(int value) { row_ = value; }
  int ColumnRowCount() const { return columnRowCount_; }
  void SetColumnRowCount(int value) { columnRowCount_ = value; }
  // Where the layout put the control in its button group: 0 none, 1 first, 2 middle, 3 last, 4 alone.
  int PositionInButtonGroup() const { return positionInButtonGroup_; }
  void SetPositionInButtonGroup(int value) { positionInButtonGroup_ = value; }

  // The control's width at an allowed level; "Testing! The level is not allowed" for any other.
  int GetWidth(TdxBarItemViewLevel level);
  virtual void ClearSizeCache();
  // The allowed levels again (the glyph or the link's levels changed).
  void CalculateAllowedLevels();

 private:
  struct TWidthCacheEntry {
    bool Valid = false;
    int Width = 0;
  };
  TdxBarItemControl* control_;
  TdxBarItemViewLevels allowedViewLevels_;
  TRect bounds_;
  int columnRowCount_ = 0;
  int positionInButtonGroup_ = 0;
  TRect imageBounds_;
  TdxBarItemViewLevel mostCompactLevel_ = ivlSmallIconWithText;
  int row_ = 0;
  TdxBarItemViewLevel viewLevel_ = ivlDefault;
  TdxBarItemViewLevel levelForButtonGroup_ = ivlSmallIconWithText;
  TWidthCacheEntry widthCache_[4];
};

class TdxBarItemControl : public TcxIUnknownObject {
  CALDERAN_CLASS(TdxBarItemControl)
  // A bar window makes a link's control from the class the item names: controlClass->Create(link)
  // (the class record's factory takes the link). The bar window is the link collection's.
  explicit TdxBarItemControl(TdxBarItemLink* link);
  // A control shown by a bar window without a link (painter previews and tests).
  TdxBarItemControl(TCustomdxBarControl* barControl, TdxBarItemLink* link);
  ~TdxBarItemControl() override;

  TCustomdxBarControl* Parent() const { return barControl_; }
  TdxBarItemLink* Link() const { return link_; }
  virtual TdxBarItem* Item() const;
  TdxBarManager* BarManager() const;
  TdxBarPainterClass Painter() const;
  TdxBarItemControlViewInfo* ViewInfo() const { return viewInfo_; }
  TdxBarItemControlDrawParams& DrawParams() { return drawParams_; }
  // The link's item rectangle (the view info's bounds for a control without a link).
  TRect GetItemRect() const;

  // After construction, once: what needs the kind's own virtual answers (levels, parameters,
  // the bar window's default level). The bar window runs it before it measures the control.
  void Initialize();

  // --- State
  bool Active() const { return active_; }
  virtual bool IsActive() const { return active_; }
  bool SelectedByMouse() const { return selectedByMouse_; }
  void SetSelectedByMouse(bool value) { selectedByMouse_ = value; }
  bool Clicking() const { return clicking_; }
  void SetClicking(bool value);
  int HotPartIndex() const { return hotPart_; }
  // -1 outside the item rectangle; 100 inside it but on no part.
  int GetPartIndexAt(const TPoint& point) const;
  const TRect& PartRect(int index) const { return parts_[index]; }
  int PartRectCount() const { return static_cast<int>(parts_.size()); }

  // --- Answers of the kind
  virtual bool GetEnabled() const;
  virtual bool IsSelected() const;
  virtual bool IsDrawSelected() const { return IsSelected(); }
  virtual bool IsPressed() const { return false; }
  virtual bool CanSelect() const { return IsSelectable(); }
  virtual bool IsSelectable() const;
  virtual bool CanClick() const { return IsSelectable() || ExecutesOnClick(); }
  virtual bool ExecutesOnClick() const { return true; }
  virtual bool ClosesMenusOnClick() const { return true; }
  virtual bool AllowsBarClosing() const { return true; }
  virtual bool HasDropDown() const { return false; }
  virtual bool IsDroppedDown() const { return false; }
  virtual bool HostsWindow() const { return false; }
  virtual bool IsHitTestVisible() const { return true; }
  virtual bool AcceptsDblClick() const { return false; }
  virtual bool WantsDblClick() const;
  virtual bool IsDropDownKey(Word) const { return false; }
  virtual bool IsInMainMenu() const { return false; }
  virtual bool IsInQuickPopup() const { return false; }
  virtual bool SupportsButtonGroup() const { return false; }
  virtual bool CapturesWhenPressed() const { return false; }
  virtual bool BelongsToManager() const;
  virtual bool IsRotated() const;
  virtual int GetPaintType() const;
  virtual int GetPartCount() const { return 1; }
  virtual std::string GetCaption() const;
  virtual std::string GetHint() const;
  // The menu window this control has open (sub-items and drop-down buttons), nullptr when none.
  virtual TCustomdxBarControl* OpenSubMenu() const { return nullptr; }
  TdxBarItemAlign GetRealAlign() const;
  // The hint of the control under the cursor: false when the bar window shows no hints now.
  bool GetHintText(std::string& text, std::string& shortCut) const;

  // --- Input (the bar window calls these)
  virtual void MouseDown(TMouseButton, TShiftState, const TPoint&) {}
  virtual void MouseUp(TMouseButton, TShiftState, const TPoint&) {}
  virtual void MouseEnter(const TPoint& point) { UpdateHotPart(point); }
  virtual void MouseMove(const TPoint& point) { UpdateHotPart(point); }
  virtual void MouseLeave() { UpdateHotPart(TPoint(-1, -1)); }
  virtual void DblClick() {}
  virtual void KeyDown(Word&, TShiftState) {}
  void UpdateHotPart(const TPoint& point);
  // Nothing for a disabled control; else ControlClick, and DoClick while the bar window still
  // shows this control.
  void Click(bool byMouse, Word key = 0);
  virtual void ControlActivate(bool immediate);
  virtual void ControlInactivate(bool immediate);
  virtual void ControlClick(bool byMouse, Word key);
  virtual void DoClick(bool byMouse);
  virtual void ControlUnclick(bool byMouse);
  bool IsPressedByMouse() const;

  // --- Changes of the item or link
  virtual void Changed();
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void LargeGlyphChanged();
  virtual void HotGlyphChanged() {}
  // Remakes the own background brush from the item's style (with the item's font selected).
  virtual void CalcSizesWithFont();
  virtual void PaintStyleChanged() {}
  virtual void VisibleChanged();
  virtual void WidthChanged();
  virtual void ClickingChanged();
  virtual void BarHandleDestroyed() {}
  virtual void Refresh();
  void Repaint();
  // Drops the cached glyph image and, with sizes, the width cache of every level.
  void ClearCaches(bool sizes);

  // --- Measuring (view levels, sizes)
  virtual TdxBarItemViewLevels GetPossibleViewLevels() const;
  virtual int GetViewStructure() const;
  virtual int GetDefaultViewStructure() const { return 0; }
  virtual int GetDefaultViewSize() const;
  int GetViewSize() const;
  int CalcWidth();
  int CalcHeight();
  int CalcWidthAtLevel(TdxBarItemViewLevel level);
  virtual int GetWidth();
  virtual int GetHeight();
  virtual int GetHorzWidth();
  virtual int GetHorzHeight();
  virtual int GetSmallWidth();
  virtual int GetSmallHeight();
  virtual int GetLargeWidth();
  virtual int GetLargeHeight();
  virtual int GetMenuWidth();
  virtual int GetMenuHeight();
  virtual int GetMinWidth() { return 1; }
  virtual int GetMinHeight() { return 1; }
  virtual int GetCaptionWidth();
  virtual int GetCaptionAreaWidth();
  virtual int GetControlAreaWidth() { return 0; }
  virtual int GetIconAreaWidth();
  int GetHalfFontSize() const;
  int GetTextSize() const;
  int GetCaptionHeight();
  int GetShortCutPartWidth();
  virtual uint16_t GetShortCut() const;

  // --- Images
  virtual TBitmap* GetGlyph() const;
  virtual TBitmap* GetLargeGlyph() const;
  virtual int GetImageIndex() const;
  virtual int GetLargeImageIndex() const;
  TCustomImageList* GetSmallImages() const;
  TCustomImageList* GetLargeImages() const;
  // What the control draws at a view size (hot: while it is drawn selected): false when it has
  // nothing.
  virtual bool GetImageInfo(int size, bool hot, TCustomImageList*& images, int& index, TBitmap*& glyph) const;
  TSize GetGlyphSize(int size, bool hot = false) const;
  bool HasGlyphForSize(int size) const;
  virtual bool IsGlyphShownEnabled() const;
  // The glyph is drawn in grey (button controls copy the answer into their draw parameters).
  virtual bool DrawsGlyphGrayScale() const { return false; }
  // The manager's large-icons mode applies (and the painter allows it).
  bool UsesLargeIcons() const;
  bool UsesLargeImages(int size) const;
  bool UsesLargeGlyph(int size) const;
  bool UsesLargeImageFromList(int size) const;

  // --- Painting
  // The own brush made from the item's style colour, else the bar window's background brush.
  bool HasOwnBackgroundBrush() const { return ownBrush_ != nullptr; }
  HBRUSH GetBackgroundBrush() const;
  void SetOwnBackgroundColor(TColor color);
  TcxCanvas* GetCanvas() const;
  // Draws the control for the paint type; the canvas state, font and draw parameters come back
  // also when drawing raises.
  void PaintInCanvas(TcxCanvas* canvas, const TRect& rect, int paintType);
  virtual void CalcDrawParams(bool full);
  virtual void CalcParts();
  virtual void Draw(const TRect&, int) {}
  virtual bool CanDraw() const { return true; }
  // Sets the view size in the draw parameters; a different size drops the cached glyph image.
  void SetDrawParamsViewSize(int size);
  bool GlyphCacheValid() const { return glyphCacheValid_; }
  void SetGlyphCacheValid(bool value) { glyphCacheValid_ = value; }

  // The caption's indent when no glyph is shown: half the bar font's point size.
  virtual int CaptionIndent() const;
  // The item's own text colour, clDefault for the painter's.
  virtual TColor ItemTextColor() const { return clDefault; }
  virtual TdxBarGlyphLayout GlyphLayout() const;
  // The control's navigation object (made on first request, dxBarAccessibility).
  virtual std::shared_ptr<TdxBarAccessibilityHelper> CreateAccessibilityHelper();

 protected:
  bool initialized_ = false;
  std::vector<TRect>& Parts() { return parts_; }
  TdxBarItemControlDrawParams drawParams_;

 private:
  static void ReportClickToItem(TdxBarItemLink* reported, TdxBarItem* own);
  void MarkUse(TdxBarItemLink* reported);

  TCustomdxBarControl* barControl_;
  TdxBarItemLink* link_;
  TdxBarItemControlViewInfo* viewInfo_ = nullptr;
  HBRUSH ownBrush_ = nullptr;
  TcxCanvas* temporaryCanvas_ = nullptr;
  bool active_ = false;
  bool clicking_ = false;
  bool selectedByMouse_ = false;
  bool glyphCacheValid_ = false;
  int hotPart_ = -1;
  std::vector<TRect> parts_;
};
