// The bar painter: the one object through which toolbars, menus and item controls are measured
// and drawn. A bar window or item control fills its draw parameters and calls one operation; the
// painter calls back into the bar window for its brushes, background and metrics.
//
// A painter keeps no drawing state: a painter class is its own class-operations object with one
// constant instance (Instance(), also reached through its class record), the manager holds the one
// of the class its style selects, and every operation is a const virtual. (A painter that must
// know its owner, as the ribbon's does, is an object of its own made by that owner.) The operations keep the order of the bar
// system's painter table within each group below; a style overrides what its look changes and calls
// its parent's operation for the rest.
//
// Left for later: the menu's expand button and tear-off caption (the menu frame, items, separators
// and scroll buttons are in dxBarPainterMenus), toolbar frames, floating captions, marks and size
// grips, and the application-menu and screen-tip operations come with their own painter parts; their
// metric answers that are plain numbers are here already.
#pragma once
#include <windows.h>

#include <string>

#include "Graphics.h"
#include "ImgList.h"
#include "System.h"
#include "Types.h"
#include "cxGraphics.h"
#include "cxLookAndFeelPainters.h"
#include "dxBarTypes.h"

// The state of one item control handed to every painter operation that measures or draws it.
// Item kinds fill the fields their look needs; the button-like fields stay false for the others.
struct TdxBarItemControlDrawParams {
  int ViewSize = cvsSmall;
  TdxBarItemControl* BarItemControl = nullptr;
  TcxCanvas* Canvas = nullptr;
  std::string Caption;
  std::string Description;
  std::string ShortCut;
  int PaintType = ptHorz;
  int ViewStructure = 0;
  bool Enabled = true;
  bool CanSelect = true;
  bool DrawSelected = false;
  bool DroppedDown = false;
  bool DropDown = false;  // the control has an arrow
  int HotPartIndex = -1;
  bool Customizing = false;
  bool Pressed = false;
  bool SelectedByKey = false;
  TSize GlyphAreaSize;
  // Button-like controls.
  bool Down = false;
  bool IsButton = false;
  bool FillWholeRect = false;
  bool TextSelected = false;
  bool TextShadow = false;
  bool SunkenFrame = false;
  bool ArrowSuppressed = false;
  bool DropDownEnabled = true;
  bool GreyScale = false;
  TSize ArrowSize;
  // Edit-like controls.
  bool Editing = false;
  bool SpecialLook = false;

  TdxBarItemControl* GetBarItemControl() const { return BarItemControl; }
  bool IsLarge() const { return ViewSize == cvsLarge; }
  bool ShowsGlyph() const { return (ViewStructure & cvsGlyph) != 0; }
  bool ShowsCaption() const { return (ViewStructure & cvsCaption) != 0; }
};

// The state flags of glyph drawing.
struct TdxBarGlyphState {
  bool Enabled = true;
  bool Selected = false;
  bool Down = false;
  bool Pressed = false;
  bool DroppedDown = false;
  bool HasArrow = false;
  bool CheckMarkMode = false;  // an item drawn without a glyph: a check mark shows its down state
  bool GreyScale = false;
};

// Where and how DrawItemGlyphInRect places a glyph.
struct TdxBarGlyphPlacement {
  int ViewSize = cvsSmall;
  int ViewStructure = 0;
  int PaintType = ptHorz;
  TSize GlyphAreaSize;
  bool WholeArea = false;  // centre in the whole rectangle (edit and static glyphs)
  bool GlyphHidden = false;
};

class TdxBarPainter;
using TdxBarPainterClass = const TdxBarPainter*;
class TdxBarCustomHintViewInfo;
class TdxBarScreenTip;

class TdxBarPainter : public TClassOperations {
  CALDERAN_CLASS(TdxBarPainter)
  static TdxBarPainterClass Instance();

  // --- Toolbar window
  virtual void DrawToolbarBackground(TCustomdxBarControl* bar, HDC dc) const;
  virtual void DrawToolbarNonClient(TCustomdxBarControl* bar, HDC dc) const;
  virtual void GetFloatingCaptionRect(const TRect& windowRect, TRect& captionRect) const;
  virtual bool PaintsToolbarNonClient() const { return false; }
  virtual bool SupportsLargeIcons() const { return true; }

  // --- Bar parts and hints
  virtual void CalcButtonTextRect(const TdxBarItemControlDrawParams& params, const TRect& glyphRect, TRect& textRect,
                                  int& alignment) const;
  virtual void DrawGlyphFrame(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state, int paintType,
                              const TRect& backgroundRect, bool frameRoom, HBRUSH brush) const;
  virtual void DrawCheckMark(TdxBarItemControl* control, HDC dc, int scale, int top, int left) const;
  virtual void DrawCheckGlyph(TdxBarItemControl* control, HDC dc, bool down, int paintType, const TRect& rect) const;
  virtual void DrawDropDownArrow(HDC dc, const TRect& rect, TColor color, bool flat, bool selected, bool enabled,
                                 int direction) const;
  virtual void DrawArrow(HDC dc, const TRect& rect, TColor color, bool flat, bool enabled, bool selected, int size,
                         int direction) const;
  virtual void DrawSelectionFrame(HDC dc, const TRect& rect) const;
  virtual TColor GetTextColor(TdxBarItemControl* control, bool selected, bool flat) const;
  virtual void GetDisabledTextColors(TdxBarItemControl* control, bool selected, TColor& text, TColor& shadow,
                                     bool flat) const;
  virtual TColor GetEnabledTextColor(TdxBarItemControl* control, bool selected, bool flat) const;
  virtual TColor GetArrowColor(const TdxBarItemControlDrawParams& params) const;
  virtual bool FadesDisabledImages(TCustomdxBarControl* bar) const;
  virtual bool IsStandardLook() const { return false; }
  virtual bool UsesOwnMenuItemBackground() const { return false; }
  virtual bool IsMainMenuItem(TdxBarItemControl* control) const;
  virtual bool ArrowsUseTextColor() const { return false; }
  virtual TSize CalcHintSize(TCustomdxBarControl* bar, HDC dc, const std::string& text, const TSize& textSize) const;
  virtual bool IsSmallFloatingCaption(TCustomdxBarControl* bar, const TRect& captionRect) const;
  virtual TColor GetFloatingCaptionColor(TCustomdxBarControl* bar, int index) const;
  virtual TColor GetFloatingCaptionTextColor(TCustomdxBarControl* bar) const;
  virtual TColor GetFloatingMarkColor(TCustomdxBarControl* bar, int markState) const;
  virtual int GetFloatingMarkLeft(TCustomdxBarControl* bar, TRect& textRect) const;
  virtual int GetMarkArrowColorIndex(TCustomdxBarControl* bar) const;
  virtual void DrawButtonText(const TdxBarItemControlDrawParams& params, const TRect& rect, UINT format,
                              int alignment) const;
  virtual TRect GetArrowMargins() const { return {4, 0, 0, 0}; }
  virtual void CalcButtonTextExtent(const TdxBarItemControlDrawParams& params, TRect& rect) const;
  virtual void AddArrowWidth(const TdxBarItemControlDrawParams& params, int& width) const;
  virtual int GetEllipsisDotOffset(int dotSize) const { return dotSize; }
  virtual int GetEllipsisButtonWidth(int paintType, const TRect& rect) const;
  virtual void DrawComboArrow(const TdxBarItemControlDrawParams& params, const TRect& rect, TColor color,
                              int arrowSize) const;
  virtual void FillColorRect(TcxCanvas* canvas, const TRect& rect, TColor color) const;
  virtual int GetMenuScrollButtonHeight(TCustomdxBarControl* bar) const;
  virtual int GetMenuScrollArrowSize(int height) const { return height / 3 - 1; }
  virtual bool IsExpandButtonFlat() const { return false; }
  virtual void DeflateEditRect(TdxBarItemControl* control, TRect& rect) const;

  // --- Item controls
  virtual void CalcButtonParts(const TdxBarItemControlDrawParams& params, const TRect& itemRect, TRect& buttonPart,
                               TRect& arrowPart) const;
  virtual void GetItemTextColors(TdxBarItemControl* control, bool enabled, TColor& text, TColor& shadow, bool flat,
                                 bool selected) const;
  virtual int GetDockContentOffset() const { return 0; }
  virtual int GetBarBorderSize() const { return 0; }
  virtual int GetIconAreaSize(TCustomdxBarControl* bar) const;
  virtual int GetHalfFontHeight(TdxBarItemControl* control) const;
  virtual int GetTextLineHeight(TcxCanvas* canvas) const;
  virtual int GetLinesSpacing() const { return 2; }
  virtual void PlaceLargeGlyph(TdxBarItemControl* control, const TSize& glyphSize, const TRect& rect,
                               TRect& glyphRect, int paintType, bool captionShown) const;
  virtual void FillItemBackground(TdxBarItemControl* control, HDC dc, bool useBrush, HBRUSH brush,
                                  const TRect& rect) const;
  virtual void FrameItemBackground(TdxBarItemControl* control, HDC dc, bool useBrush, HBRUSH brush,
                                   const TRect& rect) const;
  virtual void DrawDisabledDot(TdxBarItemControl* control, HDC dc, const TRect& rect) const;
  virtual void DrawItemGlyphInRect(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state,
                                   const TdxBarGlyphPlacement& placement, const TRect& backgroundRect,
                                   const TRect& rect, TRect& glyphRect) const;
  virtual void DrawGlyph(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state, const TRect& glyphRect,
                         const TRect& backgroundRect) const;
  virtual void DrawItemText(TdxBarItemControl* control, HDC dc, UINT format, bool allowFlatShadow, bool clip,
                            bool vertical, bool selected, bool enabled, int alignment, const TRect& rect,
                            const std::string& text) const;

  // --- Metrics, flags and brushes
  virtual void DrawButtonSunkenFrame(HDC dc, TRect& rect) const;
  virtual TRect GetEditMargins() const { return {2, 2, 2, 3}; }
  virtual HBRUSH GetGlyphBackgroundBrush(TdxBarItemControl* control, const TdxBarGlyphState& state) const;
  virtual int GetGlyphDownOffset(TdxBarItemControl* control) const;
  virtual int GetGlyphPressedOffset(TdxBarItemControl* control) const;
  virtual bool UsesGlyphShadow() const { return false; }
  virtual bool IsFlatLook() const { return false; }
  virtual bool IsFlatLookOnColoredFace() const;
  virtual bool HighlightsButtonText(TdxBarItemControl* control) const;
  virtual bool IsItemHighlighted(TdxBarItemControl* control, bool down, bool checkMarkMode, bool selected,
                                 bool pressed) const;
  virtual bool UsesFlatGlyphs() const { return false; }
  virtual bool HasTransparentGlyphBackground(TdxBarItemControl* control) const;
  virtual bool HighlightsPressedButtonText() const { return true; }
  virtual int GetButtonArrowExtra(TdxBarItemControl* control) const;
  virtual int GetMenuItemExtraWidth(TdxBarItemControl* control) const;
  virtual int GetDragHandleLeft() const { return 0; }
  virtual int GetFloatingFrameWidth() const;
  virtual int GetFloatingFrameHeight() const;
  virtual int GetNoDragHandleSize() const { return 0; }
  virtual int GetDragHandleSize(TCustomdxBarControl* bar) const;
  virtual int GetDragHandleWidth(TCustomdxBarControl* bar) const;
  virtual int GetButtonArrowWidth(TdxBarManager* manager) const;
  virtual int GetLargeButtonArrowWidth(TdxBarManager* manager) const;
  virtual int GetMenuSeparatorIndent() const { return 0; }
  virtual bool UsesThemes() const { return false; }
  virtual bool DrawsBarsFlat(TCustomdxBarControl* bar) const;
  virtual bool HasMenuShadow(TCustomdxBarControl* bar) const;
  virtual bool HasShadow(TCustomdxBarControl* bar) const;
  virtual HBRUSH GetFlatFaceBrush(TdxBarManager* manager) const;
  virtual int GetDockIndent() const { return 0; }
  virtual HBRUSH GetToolbarBrush(TCustomdxBarControl* bar) const;
  virtual HBRUSH GetToolbarBrushOfBar(TCustomdxBarControl* bar) const;
  virtual HBRUSH GetDownedBrush(TCustomdxBarControl* bar) const;
  virtual HBRUSH GetDownedSelectedBrush(TCustomdxBarControl* bar) const;
  virtual HBRUSH GetSelectedBrush(TCustomdxBarControl* bar) const;
  virtual int GetComboArrowWidth(TCustomdxBarControl* bar, int size) const;
  virtual int CalcEditHeight(TCustomdxBarControl* bar, int textHeight) const;
  virtual void GetEditFrameWidths(int& top, int& bottom) const;
  virtual bool UsesHotTracking() const { return true; }
  virtual bool ShowsMarkArrow(TCustomdxBarControl* bar) const;
  virtual int GetSeparatorMargin() const;
  virtual int GetSeparatorThickness() const { return 6; }
  virtual int GetToolbarFrameWidth() const { return 1; }
  virtual TRect GetSingleBorderRect(TCustomdxBarControl* bar, TdxBarDockingStyle style) const;
  virtual int GetFloatingCaptionTotalHeight(TCustomdxBarControl* bar) const;
  virtual int GetFloatingCaptionHeight() const;
  virtual bool FillsFloatingCaption() const { return false; }
  virtual TSize GetCaptionButtonSize() const;

  // --- Non-client areas (metrics)
  virtual int GetFloatingBorderExtra() const { return 0; }
  virtual int GetFloatingCaptionTopExtra() const { return 0; }
  virtual int GetFloatingCaptionBottomExtra() const { return 0; }
  virtual bool TracksCloseButton() const { return false; }
  virtual bool IsClassicFloatingFrame() const { return false; }
  virtual int GetMarkSize(TCustomdxBarControl* bar) const;
  virtual int GetStatusBarTopMargin(TCustomdxBarControl* bar) const;
  virtual TRect GetTextMargins(TdxBarItemControl* control) const;
  virtual HBRUSH GetButtonBrush(const TdxBarItemControlDrawParams& params) const;

  // --- Buttons and menu items
  virtual bool FillsButtonWithBrush(const TdxBarItemControlDrawParams& params) const;
  virtual bool IsArrowSelected(const TdxBarItemControlDrawParams& params) const;
  virtual bool IsFlatLookForParams(const TdxBarItemControlDrawParams& params) const;
  virtual bool IsFlatLookForArrow(const TdxBarItemControlDrawParams& params) const;
  virtual int GetButtonPaddingY() const { return 6; }
  virtual int GetButtonPaddingX() const { return 7; }
  virtual int CalcButtonHeight(int contentSize) const;
  virtual int CalcButtonWidth(int contentSize) const;
  virtual TSize CalcButtonSize(int contentSize) const;
  virtual TSize GetSmallIndentSize() const { return {5, 3}; }
  virtual void AdjustIconAreaSize(TCustomdxBarControl* bar, int& size) const;
  virtual void AdjustMenuItemWidth(TdxBarItemControl* control, int& width) const;
  virtual void OffsetPressedContent(bool down, bool pressed, TRect& rect) const;
  virtual void OffsetPressedGlyph(bool pressed, TRect& rect) const;
  virtual void DrawButton(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  virtual void DrawButtonCaption(const TdxBarItemControlDrawParams& params, const TRect& rect,
                                 const TRect& glyphRect) const;
  virtual void DrawButtonArrow(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  virtual void DrawButtonBackground(const TdxBarItemControlDrawParams& params, const TRect& rect,
                                    HBRUSH brush) const;
  virtual void DrawSplitArrowPart(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  virtual void DrawInlineArrow(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  virtual TColor GetComboArrowColor(const TdxBarItemControlDrawParams& params) const;
  virtual int GetComboEditGap() const { return 1; }
  virtual int GetComboButtonIndent() const { return 2; }
  virtual void DrawColorSwatch(HDC dc, TColor color, const TRect& rect) const;
  virtual bool ShowsEditButtonsInMenus() const { return false; }
  virtual bool HasMenuItemGaps() const { return false; }
  virtual int GetMenuContentIndent() const { return 2; }
  virtual int CalcMenuArrowWidth(int textSize) const;
  virtual int GetMenuSeparatorSize() const { return 10; }
  virtual int GetMenuFrameWidth(TCustomdxBarControl* menu) const;
  virtual int GetMenuMargin() const { return 1; }
  virtual int GetMenuBorderSize(TCustomdxBarControl* menu) const;
  virtual int GetMenuChevronSize(int markSize) const { return (markSize - 6) / 2; }
  virtual int GetBaseTextSize() const { return 19; }
  virtual void CalcMenuMarkSizes(TcxCanvas* canvas, int textSize, int& markSize, int& arrowWidth) const;

  // --- Edits, statics and separators (metrics)
  virtual TRect GetEditBorders(int paintType) const;
  virtual TColor GetEditColor(TdxBarItemControl* control) const;
  virtual int GetEditWindowStyle() const { return ES_MULTILINE | ES_AUTOHSCROLL; }
  virtual TRect GetComboButtonMargins(int paintType) const;
  virtual TRect GetSpinButtonMargins(int paintType) const;
  virtual TSize CalcSpinArrowSize(int buttonHeight) const;
  virtual TColor GetProgressBarColor() const;
  virtual int GetProgressBarHeight(TdxBarItemControl*) const { return 12; }
  virtual int GetContainerIndent() const { return 0; }
  virtual int GetInPlaceSubItemIndent() const { return 5; }
  virtual TRect GetSeparatorTextMargins(TdxBarItemControl* control) const;
  virtual int GetSeparatorLineSize() const { return 2; }
  virtual int GetScreenTipFooterLineHeight() const { return 3; }

  // --- Edits and combos (drawing). The parts of an edit-like control: 0 the edit box, 1 the
  // glyph, 2 the caption, 3 the combo's drop-down button.
  virtual bool ShowsEditGlyph() const { return false; }
  // The left and right offsets around an edit's caption (caption) or glyph (!caption).
  virtual void GetEditOffsets(TdxBarItemControl* control, bool caption, int& left, int& right) const;
  virtual int GetComboEditOffset(int paintType) const;
  virtual void CalcEditPartRects(TdxBarItemControl* control, const TRect& editRect, TRect* parts) const;
  virtual void CalcComboPartRects(TdxBarItemControl* control, TRect* parts) const;
  virtual bool IsEditAreaSelected(const TdxBarItemControlDrawParams& params) const;
  virtual void FillEditItemAreas(const TdxBarItemControlDrawParams& params) const;
  virtual void DrawEdit(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  virtual void DrawEditFrame(const TdxBarItemControlDrawParams& params, const TRect& editRect) const;
  virtual void DrawEditCaption(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  virtual void DrawEditGlyph(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  virtual void GetEditColors(TdxBarItemControl* control, TColor& text, TColor& background) const;
  // Sets the edit colours, clips to the rectangle and has the item draw its value.
  virtual void DrawEditContent(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& rect) const;
  // The item's text on the canvas brush, transparent, in the edit rectangle.
  virtual void DrawEditValue(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& rect,
                             const std::string& text) const;
  virtual void DrawComboButton(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  virtual void DrawComboItem(TCanvas* canvas, const TRect& rect, const std::string& text) const;
  virtual int GetDropDownListBorderSize() const { return 2; }
  virtual void DrawDropDownListBorder(HDC dc, const TRect& rect, TColor color) const;
  // The hosted edit window's formatting rectangle (its client rectangle less the painter's insets).
  virtual void SetEditTextRect(TdxBarItemControl* control, HWND window, const TRect& rect) const;
  // After the text was set: EN_CHANGE when it changed, then the whole text selected.
  virtual void AfterEditTextSet(HWND window, bool changed) const;

  // --- Ellipsis and spin buttons, progress bars, statics, separators and drop-down buttons. An
  // empty rectangle (left edge = right edge) means the control shows no such button.
  virtual TRect CalcEllipsisButtonRect(int paintType, const TRect& rect, const TRect& editRect, bool shown) const;
  virtual void DrawEditButtonFace(HDC dc, const TRect& rect, bool pressed, bool selected, bool enabled) const;
  virtual void DrawEllipsisButton(HDC dc, const TRect& rect, bool pressed, bool selected, bool enabled) const;
  virtual void DrawEllipsisDot(HDC dc, const TRect& rect, bool selected, bool enabled) const;
  virtual int GetSpinButtonsWidth(int paintType, const TRect& rect) const;
  // kind 1 the upper (up) button, 2 the lower (down) one.
  virtual TRect CalcSpinButtonRect(int paintType, const TRect& rect, const TRect& editRect, int kind) const;
  // part 3 up, 4 down.
  virtual void DrawSpinButton(HDC dc, const TRect& rect, int part, int pressedPart, bool selected, bool enabled) const;
  // 4 disabled, 3 pressed part, 2 hot part, 1 otherwise.
  virtual int GetSpinButtonState(bool enabled, int part, int pressedPart, int hotPart) const;
  virtual void DrawProgressBar(const TdxBarItemControlDrawParams& params, const TRect& rect, int position, int min,
                               int max, bool smooth, TColor color) const;
  // Draws the border of a static's style (sbsNone .. sbsBump) and deflates the rectangle inside it.
  virtual void DrawStaticBorder(HDC dc, TRect& rect, int borderStyle) const;
  // Fills and cuts the indent strips (top and bottom ones in vertical paint).
  virtual void DrawStaticIndents(TdxBarItemControl* control, HDC dc, TRect& rect, int leftIndent, int rightIndent,
                                 bool vertical) const;
  virtual void DrawSeparator(const TdxBarItemControlDrawParams& params, const TRect& rect, bool captionShown,
                             bool firstOfBar) const;
  virtual void DrawDropDownButton(HDC dc, bool pushed, const std::string& text, const TRect& rect) const;

  // --- Hints and screen tips (the hint layouts are in dxBarHintWindow)
  // A new layout for a hint of this painter's bar windows; the base makes a plain hint.
  virtual TdxBarCustomHintViewInfo* CreateHintViewInfo(TdxBarManager* manager, const std::string& text,
                                                       const std::string& shortCut, TdxBarScreenTip* screenTip) const;
  // Where a hint of that height goes; the base: 20 pixels below the cursor.
  virtual TPoint GetHintPosition(TCustomdxBarControl* bar, const TRect& itemRect, const TPoint& cursor,
                                 int hintHeight) const;
  // clDefault keeps the band font's colour.
  virtual TColor GetScreenTipDescriptionTextColor() const { return clDefault; }
  virtual TColor GetScreenTipTextColor() const { return clDefault; }
  virtual void DrawScreenTipBackground(TcxCanvas* /*canvas*/, const TRect& /*rect*/) const {}
  virtual void DrawScreenTipFooterLine(TcxCanvas* /*canvas*/, const TRect& /*rect*/) const {}

  // --- Statics and separators (dxBarStaticControls).
  virtual void DrawStatic(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  // A line, or with the caption a bold caption row (no line above the first entry).
  virtual void DrawSeparator(const TdxBarItemControlDrawParams& params, const TRect& rect, bool isFirst) const;
  virtual TRect GetSeparatorTextOffsets() const { return {6, 0, 0, 0}; }
  virtual int GetSeparatorLineSpace() const { return 2; }

  // --- Construction, toolbar frames, menus, size grips and drop-down frames: the operations the
  // flat, Office 2003 and themed looks override. The base menus draw nothing where their row says
  // so until the menu windows come.
  virtual void Create(TComponent* owner) const;
  virtual void DrawToolbarSeparator(TCustomdxBarControl* bar, HDC dc, bool horizontal, HBRUSH brush,
                                    const TRect& rect) const;
  virtual void DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const;
  virtual void FillToolbarBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const;
  virtual void DrawCaptionButtonBackground(TCustomdxBarControl* bar, HDC dc, int state, const TRect& rect) const;
  virtual void DrawFloatingCloseButton(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const;
  virtual void DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const;
  virtual void DrawMark(TCustomdxBarControl* bar, HDC dc, int markState, const TRect& rect) const;
  // kind 0 minimize, 1 restore, 2 close; state 1 inactive, 2 hot, 3 pressed, 4 pressed and hot.
  virtual void DrawMDIButton(TCustomdxBarControl* bar, int kind, const TRect& rect, HDC dc, int state) const;
  virtual void DrawMenuItemBackground(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  virtual void DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const;
  virtual HBRUSH GetMenuBackgroundBrush(TCustomdxBarControl* menu) const;
  virtual TRect CalcMenuGlyphRect(const TRect& rect, int iconAreaSize) const;
  virtual void DrawExpandButtonChevrons(TCustomdxBarControl* menu, HDC dc, bool selected, const TRect& rect) const;
  // --- Menus: the frame, items, separators and scroll buttons of a menu window.
  virtual void DrawMenuFrame(TCustomdxBarControl* menu, HDC dc, const TRect& rect) const;
  virtual void DrawMenuItem(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  virtual TRect CalcMenuTextRect(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  virtual int GetMenuTextInflate() const { return 0; }
  virtual void DrawMenuSeparator(TCustomdxBarControl* menu, TdxBarItemControl* control, const TRect& rect,
                                 TcxCanvas* canvas) const;
  virtual void DrawMenuScrollButton(TCustomdxBarControl* menu, TcxCanvas* canvas, const TRect& rect, bool top) const;
  // Scroll buttons take room of their own above and below the links (else they cover them).
  virtual bool ReservesScrollButtonSpace() const { return false; }
  // A sub item's caption area, widened for its arrow where the look draws one.
  virtual void AdjustButtonWidth(TdxBarItemControl* control, int& width) const;
  virtual bool DrawsQuickCustomizeSelected() const { return false; }
  virtual int GetEditCaptionIndentNoGlyph(const TdxBarItemControlDrawParams&) const { return 2; }
  virtual int GetEditCaptionRightIndent() const { return 4; }
  virtual TRect GetMenuEditGlyphMargins(const TdxBarItemControlDrawParams&) const { return {4, 0, 0, 0}; }
  virtual void DrawSizeGrip(TCustomdxBarControl* bar, HDC dc, TColor color, const TRect& rect) const;
  virtual TSize GetSizeGripSize(TdxBarManager* manager) const;
  // A resizable drop-down window's frame: ownerControl is the visible control of the item that
  // opened it (nullptr when none); corner 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right.
  virtual void CalcDropDownNonClient(HWND window, TRect& rect, bool sizable, TdxBarItemControl* ownerControl,
                                     int& corner) const;
  virtual void DrawDropDownNonClient(HWND window, bool sizable, int corner, TRect& gripRect, TRect& closeRect,
                                     bool hot, bool pressed) const;
  virtual int GetDropDownGripStripHeight() const;
  virtual bool IsDropDownFlat() const { return false; }

  // --- Toolbar frames, floating captions and marks. Rectangles of the non-client parts are in
  // window coordinates, the docked mark in client coordinates.
  // The widths (left, top, right, bottom) of a toolbar window's borders for a docking style.
  virtual TRect GetToolbarBorderOffsets(TCustomdxBarControl* bar, TdxBarDockingStyle style, bool sizeGrip) const;
  virtual TRect GetStatusBarBorderOffsets() const { return {}; }
  virtual int GetSizingBorderWidth() const { return GetSystemMetrics(SM_CXFRAME); }
  virtual int GetSizingBorderHeight() const { return GetSystemMetrics(SM_CYFRAME); }
  // The window's whole non-client area: frame, drag handle, caption, close button, floating mark,
  // status-bar margin and size grip.
  virtual void DrawToolbarNonClientArea(TCustomdxBarControl* bar, HDC dc) const;
  virtual void DrawFloatingBorder(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const;
  virtual void DrawFloatingCaption(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& windowRect,
                                   const TRect& captionRect) const;
  virtual void DrawFloatingMark(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const;
  virtual void DrawFloatingMarkArrow(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const;
  virtual void DrawStatusBarTopMargin(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const;
  virtual void DrawToolbarSizeGrip(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const;
  // The toolbar's background under a rectangle: its own picture, the status-bar fill, its colour,
  // or its dock's (or the floating) background.
  virtual void DrawBarBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const;
  virtual void FillStatusBarBackground(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const;
  virtual void FillFloatingBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const;
  // The mark: area is the client rectangle of a docked toolbar, the caption of a floating one.
  virtual TRect CalcMarkRect(TCustomdxBarControl* bar, const TRect& area) const;
  virtual void DrawToolbarMark(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const;
  virtual void DrawMarkChevrons(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const;
  virtual void RepaintMark(TCustomdxBarControl* bar, const TRect& rect) const;
  // The close button of a floating caption.
  TRect CalcFloatingCloseButtonRect(const TRect& captionRect) const;

  // The non-virtual glyph drawing of every glyph drawn outside DrawButton: the control's view
  // structure and view level pick the placement.
  void DrawItemGlyph(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state, const TRect& rect) const;
  void DrawMenuItemGlyph(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state, const TRect& rect) const;
  // The static-item border widths (sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump).
  static TRect GetStaticBorderRect(int borderStyle);

 protected:
  constexpr TdxBarPainter() = default;
  // The glyph's size in this placement: stretched in menus, doubled for large icons.
  TSize PlacedGlyphSize(TdxBarItemControl* control, const TdxBarGlyphPlacement& placement, bool hot) const;
  void DrawVerticalText(HDC dc, UINT format, const TRect& rect, const std::string& text, int alignment,
                        TColor color, TPoint shift) const;
};

// The standard and enhanced painters: the classic raised look drawn with system edges and colours
// (dxBarStandardPainter.cpp); the enhanced one changes only the drag handle, the mark and the menu
// separator indent. The flat, Office 2003 and themed painters are in their own modules.
class TdxBarStandardPainter : public TdxBarPainter {
  CALDERAN_CLASS(TdxBarStandardPainter)
  static TdxBarPainterClass Instance();
  bool IsStandardLook() const override { return true; }
  bool UsesHotTracking() const override { return false; }
  int GetButtonArrowExtra(TdxBarItemControl*) const override { return 1; }
  void DrawMenuItemBackground(const TdxBarItemControlDrawParams& params, const TRect& rect) const override;
  bool IsSmallFloatingCaption(TCustomdxBarControl*, const TRect&) const override { return false; }
  int GetBarBorderSize() const override { return 2; }
  TRect GetEditMargins() const override { return {2, 1, 2, 1}; }
  int GetGlyphDownOffset(TdxBarItemControl*) const override { return 1; }
  int GetGlyphPressedOffset(TdxBarItemControl*) const override { return 1; }
  int GetDragHandleLeft() const override { return 2; }
  int GetDragHandleSize(TCustomdxBarControl* bar) const override;
  int GetMenuSeparatorIndent() const override { return 2; }
  void GetEditFrameWidths(int& top, int& bottom) const override;
  bool ShowsMarkArrow(TCustomdxBarControl*) const override { return false; }
  int GetFloatingBorderExtra() const override { return 4; }
  int GetFloatingCaptionTopExtra() const override { return 2; }
  int GetFloatingCaptionBottomExtra() const override { return 1; }
  bool TracksCloseButton() const override { return true; }
  bool IsClassicFloatingFrame() const override { return true; }
  bool HasMenuItemGaps() const override { return true; }
  int GetMenuMargin() const override { return 2; }
  void DrawGlyphFrame(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state, int paintType,
                      const TRect& backgroundRect, bool frameRoom, HBRUSH brush) const override;
  HBRUSH GetGlyphBackgroundBrush(TdxBarItemControl* control, const TdxBarGlyphState& state) const override;
  void DrawCheckMark(TdxBarItemControl* control, HDC dc, int scale, int top, int left) const override;
  void DrawDisabledDot(TdxBarItemControl* control, HDC dc, const TRect& rect) const override;
  void DrawButtonBackground(const TdxBarItemControlDrawParams& params, const TRect& rect,
                            HBRUSH brush) const override;
  void DrawColorSwatch(HDC dc, TColor color, const TRect& rect) const override;
  void DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawFloatingBorder(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const override;
  void DrawFloatingCloseButton(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const override;
  void DrawMDIButton(TCustomdxBarControl* bar, int kind, const TRect& rect, HDC dc, int state) const override;
  TRect CalcMarkRect(TCustomdxBarControl* bar, const TRect& area) const override;
  void DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawMarkChevrons(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const override;

 protected:
  // One raised grip bar of the drag handle, excluded from the clip afterwards.
  void DrawGrip(TCustomdxBarControl* bar, HDC dc, const TRect& rect, bool highlightCorner) const;

 protected:
  constexpr TdxBarStandardPainter() = default;
};
class TdxBarEnhancedPainter : public TdxBarStandardPainter {
  CALDERAN_CLASS(TdxBarEnhancedPainter)
  static TdxBarPainterClass Instance();
  int GetDragHandleLeft() const override { return 1; }
  int GetDragHandleSize(TCustomdxBarControl* bar) const override;
  int GetMenuSeparatorIndent() const override { return 12; }
  bool ShowsMarkArrow(TCustomdxBarControl*) const override { return true; }
  void DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawMarkChevrons(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const override;

 protected:
  constexpr TdxBarEnhancedPainter() = default;
};
// The class the manager uses for a look-and-feel style under a skin: the standard painter unless a
// skin module replaces it (the skinned bar painter is the ribbon's own).
extern TdxBarPainterClass dxBarSkinnedPainterClass;

// In a painter module's .cpp: the class record of a painter and its one constant object.
#define DX_IMPLEMENT_BAR_PAINTER(Self, Parent)     \
  CALDERAN_IMPLEMENT_STATELESS_CLASS(Self, Parent) \
  TdxBarPainterClass Self::Instance() { return &Self##ClassOperations; }

// The shared arrow routine of the bar unit with the painter's argument order: direction 1 points
// down, 3 right (any other value right).
void DrawShadedArrow(HDC dc, const TRect& rect, TColor color, bool flat, bool enabled, bool selected, int size,
                     int direction);
