// The painter interface through which every toolkit control draws its elements and takes its
// metrics and default colours, and the painters' shared resources.
//
// A painter is a class reference, never an object with state: each painter class is its own
// class-operations object (System.h) with exactly one constant instance (Instance(), also reached
// through its class record), every operation is a const virtual, and a painter class overrides
// only what its look changes. A derived painter falls back to its parent's drawing by calling the
// parent's operation explicitly (Parent::Operation(...)), as the base composes its own parts
// through virtual calls: a painter that overrides an inner operation (ButtonColor, for instance)
// changes every outer one that uses it (PaintButton, PaintArrowButton ...).
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Graphics.h"
#include "StdCtrls.h"
#include "System.h"
#include "Types.h"
#include "cxClasses.h"
#include "cxGraphics.h"

class TCustomImageList;
class TControl;

// Vertical text alignment (the horizontal one is the framework's TAlignment).
enum TcxAlignmentVert : uint8_t { vaTop, vaBottom, vaCenter };

extern const TUnitInfo cxLookAndFeelPaintersUnit;

enum TcxLookAndFeelKind : uint8_t { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };

enum TcxButtonState : uint8_t { cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled };
enum TcxCheckBoxState : uint8_t { cbsUnchecked, cbsChecked, cbsGrayed };
enum TcxArrowDirection : uint8_t { adUp, adDown, adLeft, adRight };
// 0 none, the buttons at the start and the end, the thumb, the page areas before and after it.
enum TcxScrollBarPart : uint8_t { sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown };
enum TcxNavigationButtonDirection : uint8_t { nbdPrevious, nbdNext };
// Indicator cells: no image, then one of the six shared indicator images.
enum TcxIndicatorKind : uint8_t { ikNone, ikArrow, ikEdit, ikInsert, ikMultiDot, ikMultiArrow, ikFilter };
enum TcxEditBtnKind : uint8_t {
  cxbkCloseBtn, cxbkComboBtn, cxbkEditorBtn, cxbkEllipsisBtn, cxbkSpinUpBtn, cxbkSpinDownBtn, cxbkSpinLeftBtn,
  cxbkSpinRightBtn
};
enum TcxGroupBoxCaptionPosition : uint8_t { cxgpTop, cxgpBottom, cxgpLeft, cxgpRight };
// Where a track bar's tick marks are: before the thumb, after it, or on both sides.
enum TcxTrackBarTickMarks : uint8_t { tbtmUpLeft, tbtmDownRight, tbtmBoth };

// A handler that may draw a background itself; true means it did.
using TcxDrawBackgroundEvent = TEvent<bool(TcxCanvas* Canvas, const TRect& Bounds)>;

class TcxCustomLookAndFeelPainter;
using TcxCustomLookAndFeelPainterClass = const TcxCustomLookAndFeelPainter*;

// The look of a painter's drawing-style number: 0 flat, 2 ultra-flat, 4 Office 11, else standard.
TcxLookAndFeelKind KindOfDrawingStyle(int style);
TcxArrowDirection ScrollBarArrowDirection(bool horizontal, TcxScrollBarPart part);

class TcxCustomLookAndFeelPainter : public TClassOperations {
  CALDERAN_CLASS(TcxCustomLookAndFeelPainter)
  static TcxCustomLookAndFeelPainterClass Instance();

  // The triangle of an arrow inside Rect (not virtual). Size 0: from the extent across the arrow.
  static void CalcArrowTriangle(const TRect& rect, TPoint (&points)[3], TcxArrowDirection direction,
                                bool proportional, int size = 0);

  // General drawing and metrics
  virtual void FillAreaBackground(TcxCanvas* canvas, const TRect& rect, bool useBitmap, TColor color,
                                  TBitmap* bitmap) const;
  virtual void PaintSmallDownArrow(TcxCanvas* canvas, const TRect& rect, TColor color) const;
  virtual void PaintTextCell(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxButtonState state,
                             TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine,
                             bool endEllipsis, const std::string& text, TFont* font, TColor textColor,
                             TColor backgroundColor, const TcxDrawBackgroundEvent& onCustomDrawBackground,
                             bool isFooter) const;
  virtual void PaintNavigationButton(TcxCanvas* canvas, const TRect& rect, const TRect& glyphRect,
                                     TcxNavigationButtonDirection direction, TcxButtonState state) const;
  virtual TRect FooterCellContentBounds(const TRect& rect) const;
  virtual TRect FooterCellTextBounds(const TRect& rect) const;
  // 0 flat, 1 standard, 2 ultra-flat, 3 native, 4 Office 2003.
  virtual int DrawingStyle() const;

  // Colours
  virtual TColor ContentColor() const;
  virtual TColor ContentEvenColor() const;
  virtual TColor ContentOddColor() const;
  virtual TColor ContentTextColor() const;
  virtual TColor EditorBackgroundColor(bool disabled) const;
  virtual TColor EditorTextColor(bool disabled) const;
  virtual TColor FilterPanelColor() const;
  virtual TColor FilterPanelTextColor() const;
  virtual TColor FixedLineColor() const;
  virtual TColor AuxColor01() const;
  virtual TColor AuxColor02() const;
  virtual TColor GridLineColor() const;
  virtual TColor GroupPanelColor() const;
  virtual TColor GroupPanelTextColor() const;
  virtual TColor GroupRowColor() const;
  virtual TColor GroupRowTextColor() const;
  virtual TColor HeaderBackgroundColor() const;
  virtual TColor HeaderBackgroundTextColor() const;
  virtual TColor HeaderColor() const;
  virtual TColor HeaderTextColor() const;
  virtual TColor AuxColor03() const;
  virtual TColor AuxColor04() const;
  virtual TColor AuxColor05() const;
  virtual TColor AuxColor06() const;
  virtual TColor FixedGridLineColor() const;
  virtual TColor FormContentColor() const;
  virtual TColor CategoryColor() const;
  virtual TColor CategoryTextColor() const;
  virtual TColor VerticalGridLineColor() const;
  virtual TColor BandBorderColor() const;
  virtual TColor AuxColor07() const;
  virtual TColor HighlightColor() const;
  virtual TColor HighlightTextColor() const;
  virtual TColor AuxColor08() const;
  virtual TColor AuxColor09() const;
  virtual TColor SchedulerBorderLineColor() const;
  virtual TColor AuxColor10() const;
  virtual TColor NavigatorColor() const;
  virtual TColor AuxColor11() const;
  virtual TColor AuxColor12() const;
  virtual TColor AppointmentTextColor() const;
  virtual TColor SelectionColor() const;
  virtual TColor SelectionTextColor() const;
  virtual TColor CardSeparatorColor() const;
  virtual TColor AuxColor13() const;
  virtual TColor AuxColor14() const;
  virtual TColor AuxColor15() const;
  virtual TColor AuxColor16() const;
  virtual TColor AuxColor17() const;
  virtual TColor AuxColor18() const;
  virtual TColor AuxColor19() const;
  virtual TColor AuxColor20() const;
  virtual TColor AuxColor21() const;
  virtual TColor AuxColor22() const;
  virtual TColor AuxColor23() const;
  virtual TColor AuxColor24() const;
  virtual TColor AuxColor25() const;
  virtual TColor AuxColor26() const;
  virtual TColor AuxColor27() const;
  virtual TColor AuxColor28() const;
  virtual TColor AuxColor29() const;
  virtual TColor AuxColor30() const;

  // Arrows
  virtual void DrawSolidArrow(TcxCanvas* canvas, const TRect& rect, TcxArrowDirection direction, TColor color) const;
  virtual void PaintArrowButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                TcxArrowDirection direction, bool withBorder) const;
  virtual void PaintArrowButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const;
  virtual void PaintArrowGlyph(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                               TcxArrowDirection direction) const;

  // Control border
  virtual int BorderWidth() const;
  virtual void PaintBorder(TcxCanvas* canvas, const TRect& rect) const;

  // Buttons and expand buttons
  virtual TRect GroupButtonBounds(const TRect& rect, int buttonCount, int buttonIndex) const;
  virtual int ButtonBorderWidth(TcxButtonState state) const;
  virtual TColor ButtonColor(TcxButtonState state) const;
  virtual TRect ButtonFocusBounds(TcxCanvas* canvas, const TRect& rect) const;
  virtual TRect ButtonGroupBorderWidths(int buttonCount, int buttonIndex) const;
  virtual int ButtonTextInset() const;
  virtual int ButtonPressedShift() const;
  virtual TColor ButtonGlyphColor(TcxButtonState state, TColor color = clDefault) const;
  virtual TcxButtonState ButtonGlyphState(TcxButtonState state) const;
  virtual void PaintButton(TcxCanvas* canvas, const TRect& rect, const std::string& caption, TcxButtonState state,
                           bool drawBorder = true, TColor color = clDefault, TColor textColor = clDefault,
                           bool wordWrap = false) const;
  // The three trailing arguments belong to looks that shape grouped buttons; the base ignores them.
  virtual void PaintCaptionlessButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                      int buttonCount = 0, int buttonIndex = 0, TColor color = clDefault) const;
  virtual void PaintButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const;
  virtual void PaintStateFrame(TcxCanvas* canvas, const TRect& rect, bool hot, bool pressed) const;
  virtual void PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color = clDefault) const;
  virtual bool ExpandButtonFlag() const;
  virtual void PaintGroupExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded,
                                      TcxButtonState state) const;
  virtual void PaintSmallExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor frameColor,
                                      TColor color = clDefault) const;
  virtual int ExpandButtonExtent() const;
  virtual int GroupExpandButtonExtent() const;
  virtual bool HasHotButtons() const;
  virtual bool HitTestGroupExpandButton(const TRect& rect, TPoint point) const;
  virtual int SmallExpandButtonExtent() const;

  // Check boxes
  virtual int CheckBoxBorderWidth() const;
  virtual TColor CheckBoxColor(TcxButtonState state) const;
  virtual TSize CheckGlyphSize() const;
  virtual void PaintCheckMark(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, bool checked,
                              TColor color) const;
  virtual void PaintCheckBoxBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const;
  virtual void PaintCheckBoxByBool(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, bool checked) const;
  virtual void PaintCheckBox(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                             TcxCheckBoxState checkState) const;

  // Radio buttons
  virtual void PaintRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked, bool focused,
                                TColor backgroundColor, bool highlighted = false) const;
  virtual TSize RadioButtonSize() const;

  // Headers and sort marks
  virtual void PaintHeader(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                           TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                           TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                           TFont* font, TColor textColor, TColor backgroundColor,
                           const TcxDrawBackgroundEvent& onCustomDrawBackground, bool isLast = false,
                           bool isGroup = false) const;
  virtual void PaintHeaderSimple(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                                 TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                                 TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis,
                                 const std::string& text, TFont* font, TColor textColor, TColor backgroundColor,
                                 const TcxDrawBackgroundEvent& onCustomDrawBackground) const;
  virtual void PaintHeaderBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders neighbors, TcxBorders borders) const;
  virtual void PaintHeaderPressed(TcxCanvas* canvas, const TRect& rect) const;
  virtual void PaintHeaderSection(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                                  TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                                  TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis,
                                  const std::string& text, TFont* font, TColor textColor,
                                  TColor backgroundColor) const;
  virtual void PaintHeaderSectionBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders borders,
                                        TcxButtonState state) const;
  virtual void PaintHeaderSectionContent(TcxCanvas* canvas, const TRect& rect, const TRect& textRect,
                                         TcxButtonState state, TAlignment horzAlignment,
                                         TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis,
                                         const std::string& text, TFont* font, TColor textColor,
                                         TColor backgroundColor) const;
  virtual void PaintHeaderSectionText(TcxCanvas* canvas, const TRect& textRect, TcxButtonState state,
                                      TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine,
                                      bool endEllipsis, const std::string& text, TFont* font, TColor textColor) const;
  virtual void PaintHeaderSeparator(TcxCanvas* canvas, const TRect& rect, int width, TColor color,
                                    const TcxViewParams& viewParams) const;
  virtual void PaintSortMark(TcxCanvas* canvas, const TRect& rect, bool ascending) const;
  virtual TcxBorders HeaderDrawnBorders(TcxBorders neighbors) const;
  virtual int HeaderBorderWidth() const;
  virtual TRect HeaderOuterBounds(const TRect& rect, TcxBorders neighbors, TcxBorders borders) const;
  virtual TRect HeaderContentBounds(const TRect& rect, TcxBorders borders) const;
  virtual bool IsHeaderHotTrackable() const;
  virtual int HeaderHeight(int textHeight) const;
  virtual int HeaderSectionBorderWidth(TcxButtonState state) const;
  virtual TRect HeaderSectionTextBounds(const TRect& rect, TcxButtonState state) const;
  virtual TRect HeaderSectionContentBounds(const TRect& rect, TcxButtonState state) const;
  virtual int HeaderWidth(TcxCanvas* canvas, TcxBorders borders, const std::string& text, TFont* font) const;
  virtual bool IsHeaderBackgroundTransparent() const;
  virtual TPoint SortMarkAreaSize() const;
  virtual TPoint SortMarkExtent() const;
  virtual void PaintHeaderAreaBackground(TcxCanvas* canvas, const TRect& rect, bool useBitmap, TColor color,
                                         TBitmap* bitmap) const;
  virtual TcxBorders HeaderAreaBorders() const;

  // Footer
  virtual int FooterBorderWidth() const;
  virtual int FooterCellBorderWidth() const;
  virtual int FooterCellSpacing() const;
  virtual bool IsFooterCellFramed() const;
  virtual TColor FooterSeparatorColor() const;
  virtual int FooterSeparatorWidth() const;
  virtual void PaintFooterCell(TcxCanvas* canvas, const TRect& rect, TAlignment horzAlignment,
                               TcxAlignmentVert vertAlignment, bool multiLine, const std::string& text, TFont* font,
                               TColor textColor, TColor backgroundColor,
                               const TcxDrawBackgroundEvent& onCustomDrawBackground) const;
  virtual void PaintFooterBorder(TcxCanvas* canvas, const TRect& rect) const;
  virtual void PaintFooterCellBorder(TcxCanvas* canvas, const TRect& rect) const;
  virtual void PaintFooterPanel(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams) const;
  virtual void PaintFooterSeparator(TcxCanvas* canvas, const TRect& rect) const;

  // Filter buttons
  virtual void PaintFilterActivateButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                         bool checked) const;
  virtual void PaintFilterCloseButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const;
  virtual void PaintFilterDropDownButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                         bool isFilterActive) const;
  virtual void PaintFilterPanel(TcxCanvas* canvas, const TRect& rect, bool useBitmap, TColor color,
                                TBitmap* bitmap) const;
  virtual TPoint FilterActivateButtonExtent() const;
  virtual TPoint FilterCloseButtonExtent() const;
  virtual TPoint FilterDropDownButtonExtent() const;

  // Window content and popup border
  virtual void PaintWindowContent(TcxCanvas* canvas, const TRect& rect) const;
  virtual int PopupBorderKind() const;

  // Tabs
  virtual void PaintTab(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, const std::string& text,
                        TcxButtonState state, bool vertical, TFont* font, TColor textColor, TColor backgroundColor,
                        bool showPrefix = false) const;
  virtual void PaintTabBorder(TcxCanvas* canvas, const TRect& rect, TcxBorder border, TcxBorders borders,
                              bool vertical) const;
  virtual void PaintTabsRoot(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, bool vertical) const;
  virtual bool IsTabPaintingImplemented(bool vertical) const;
  virtual bool IsTabHotTrackable(bool vertical) const;
  virtual int TabBorderWidth(bool vertical) const;

  // Indicator
  virtual void PaintIndicatorGrip(TcxCanvas* canvas, const TRect& rect, TColor color) const;
  virtual void PaintIndicatorImage(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind) const;
  virtual void PaintIndicatorItem(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind,
                                  TColor backgroundColor, const TcxDrawBackgroundEvent& onCustomDrawBackground) const;
  virtual void PaintIndicatorItemSimple(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind,
                                        TColor backgroundColor,
                                        const TcxDrawBackgroundEvent& onCustomDrawBackground) const;
  virtual bool IndicatorItemsFirst() const;

  // Scroll bar and size grip
  virtual int ScrollBarMinThumbLength(bool horizontal) const;
  virtual void PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                                  TcxButtonState state) const;
  virtual TSize SizeGripSize() const;
  virtual void PaintSizeGrip(TcxCanvas* canvas, const TRect& rect, TColor backgroundColor) const;
  // The square where a horizontal and a vertical scroll bar meet.
  virtual TColor SizeGripAreaColor() const;

  // Navigation buttons, progress bar frame, splitter
  virtual void NavigationButtonLayout(TcxNavigationButtonDirection direction, bool withoutText, TSize size1,
                                      TSize size2, TRect& bounds, TRect& textRect, TRect& glyphRect) const;
  // Arrows: 1 left, 2 right, 3 both.
  virtual void PaintHeaderWithSideArrows(TcxCanvas* canvas, const TRect& rect, const std::string& text,
                                         TcxBorders neighbors, const TcxViewParams& viewParams, int arrows,
                                         int arrowInset, const TcxDrawBackgroundEvent& onCustomDrawBackground) const;
  virtual void PaintControlBorder(TcxCanvas* canvas, const TRect& rect) const;
  virtual void PaintProgressBar(TcxCanvas* canvas, const TRect& rect, const TRect& chunkRect,
                                const TcxViewParams& viewParams, bool frameOnly) const;
  virtual void PaintNavigationButtonWithText(TcxCanvas* canvas, const TRect& rect,
                                             TcxNavigationButtonDirection direction, TcxButtonState state,
                                             const std::string& text, const TRect& textRect,
                                             const TRect& glyphRect) const;
  virtual void PaintChevron(TcxCanvas* canvas, const TRect& rect, TcxNavigationButtonDirection direction,
                            TColor color) const;
  virtual void PaintScrollButtonFace(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const;
  virtual void PaintSplitter(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams,
                             bool horizontal) const;
  virtual TRect ProgressBarBorderWidths() const;
  virtual void NavigationButtonMetrics(TcxNavigationButtonDirection direction, TRect& margins,
                                       TSize& glyphSize) const;
  virtual int AuxMetric() const;

  // Clock
  virtual void PaintClock(TcxCanvas* canvas, const TRect& rect, TDateTime time, TColor backgroundColor) const;

  // Editor buttons and container border colour
  virtual void PaintEditorButton(TcxCanvas* canvas, const TRect& rect, TcxEditBtnKind kind,
                                 TcxButtonState state) const;
  virtual int EditorButtonInset() const;
  virtual TSize EditorButtonSize() const;
  virtual TColor EditorButtonTextColor() const;
  virtual TColor ContainerBorderColor(bool highlighted) const;

  // Navigator glyphs
  virtual void PaintNavigatorGlyph(TcxCanvas* canvas, TCustomImageList* imageList, int imageIndex, int buttonIndex,
                                   const TRect& glyphRect, bool enabled, bool userGlyphs) const;
  virtual TSize NavigatorGlyphSize() const;

  // Progress bar
  virtual void PaintProgressBarBorder(TcxCanvas* canvas, const TRect& rect, bool vertical) const;
  virtual void PaintProgressBarChunk(TcxCanvas* canvas, const TRect& rect, bool vertical) const;
  virtual TRect ProgressBarContentOffsets(bool vertical) const;
  virtual TColor ProgressBarTextColor() const;

  // Group box
  virtual void PaintGroupBoxBackground(TcxCanvas* canvas, const TRect& bounds, const TRect& rect) const;
  virtual void PaintGroupBoxCaption(TcxCanvas* canvas, const TRect& captionRect,
                                    TcxGroupBoxCaptionPosition captionPosition) const;
  virtual void PaintGroupBoxContent(TcxCanvas* canvas, const TRect& borderRect,
                                    TcxGroupBoxCaptionPosition captionPosition) const;
  virtual TRect GroupBoxBorderWidths(bool hasCaption, TcxGroupBoxCaptionPosition captionPosition) const;
  virtual TColor GroupBoxCaptionTextColor(TcxGroupBoxCaptionPosition captionPosition) const;
  virtual bool IsGroupBoxTransparent(bool hasCaption, TcxGroupBoxCaptionPosition captionPosition) const;
  virtual void PaintGroupBoxInterior(TcxCanvas* canvas, TControl* control, const TRect& rect, TColor color1,
                                     TColor color2) const;
  virtual void PaintGroupPanelFrame(TcxCanvas* canvas, const TRect& rect) const;
  virtual void PaintGroupBoxCaptionArea(TcxCanvas* canvas, const TRect& captionRect,
                                        TcxGroupBoxCaptionPosition captionPosition) const;
  virtual void PaintGroupPanelBackground(TcxCanvas* canvas, const TRect& rect, bool withFrame) const;

  // Track bar, splitter element and further values
  virtual TRect AuxOffsets() const;
  virtual TColor AuxColor31() const;
  virtual void PaintTrackBarTrack(TcxCanvas* canvas, const TRect& rect, const TRect& selectionRect,
                                  bool hasSelection, bool enabled, bool horizontal) const;
  virtual void PaintTrackBarThumb(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, bool horizontal,
                                  TcxTrackBarTickMarks tickMarks) const;
  virtual TSize TrackBarThumbSize(bool horizontal) const;
  virtual TColor AuxColor32(TcxButtonState state) const;
  virtual int TrackBarTrackWidth() const;
  virtual void PaintSplitterElement(TcxCanvas* canvas, const TRect& rect, Byte imageIndex, Byte unused,
                                    bool horizontal) const;
  virtual TSize SplitterElementSize(bool horizontal) const;

 protected:
  constexpr TcxCustomLookAndFeelPainter() = default;
  // The outline of a sort mark of SortMarkExtent's size, shared by the looks that draw one.
  void PaintSortMarkOutline(TcxCanvas* canvas, const TRect& rect, TColor darkColor, TColor lightColor,
                            bool ascending) const;
  // The triangles at the left (arrows 1 or 3) and right (2 or 3) edges of a header with side arrows.
  void PaintSideArrows(TcxCanvas* canvas, const TRect& rect, int arrows, int arrowInset) const;
  // The clock's hands at the time, as every look places them (whole seconds, a negative date's
  // fraction counted from midnight); the hour and minute hands in one colour, the seconds in another.
  void PaintClockHands(TcxCanvas* canvas, const TRect& rect, TDateTime time, TColor handColor,
                       TColor secondColor) const;
};

// In a painter module's .cpp: the class record of a painter and its one constant object, which
// Instance() answers and the record points to (so ClassOperationsOf finds a painter by class).
#define CX_IMPLEMENT_PAINTER(Self, Parent)        \
  CALDERAN_IMPLEMENT_STATELESS_CLASS(Self, Parent) \
  TcxCustomLookAndFeelPainterClass Self::Instance() { return &Self##ClassOperations; }

// ---------------------------------------------------------------------------------------------
// The painters of the looks. Each overrides only what its look changes and inherits the rest from
// its parent (cxLookAndFeelPaintersStandard.cpp, ...UltraFlat.cpp, ...Office11.cpp, ...Native.cpp).

// The classic raised and sunken 3-D look, drawn with the four system 3-D colours.
class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  CALDERAN_CLASS(TcxStandardLookAndFeelPainter)
  static TcxCustomLookAndFeelPainterClass Instance();

  int DrawingStyle() const override;
  TColor AuxColor11() const override;
  int BorderWidth() const override;
  void PaintBorder(TcxCanvas* canvas, const TRect& rect) const override;
  int ButtonBorderWidth(TcxButtonState state) const override;
  int ButtonTextInset() const override;
  int ButtonPressedShift() const override;
  void PaintButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color = clDefault) const override;
  void PaintGroupExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded,
                              TcxButtonState state) const override;
  int ExpandButtonExtent() const override;
  bool HasHotButtons() const override;
  void PaintCheckBoxBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintHeaderBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders neighbors, TcxBorders borders) const override;
  void PaintHeaderSectionBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders borders,
                                TcxButtonState state) const override;
  void PaintSortMark(TcxCanvas* canvas, const TRect& rect, bool ascending) const override;
  int HeaderBorderWidth() const override;
  int HeaderSectionBorderWidth(TcxButtonState state) const override;
  TPoint SortMarkExtent() const override;
  int FooterBorderWidth() const override;
  int FooterCellBorderWidth() const override;
  int FooterCellSpacing() const override;
  void PaintFooterBorder(TcxCanvas* canvas, const TRect& rect) const override;
  void PaintFooterCellBorder(TcxCanvas* canvas, const TRect& rect) const override;
  void PaintFilterDropDownButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                 bool isFilterActive) const override;
  void PaintTabBorder(TcxCanvas* canvas, const TRect& rect, TcxBorder border, TcxBorders borders,
                      bool vertical) const override;
  void PaintTabsRoot(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, bool vertical) const override;
  int TabBorderWidth(bool vertical) const override;
  void PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                          TcxButtonState state) const override;
  void PaintHeaderWithSideArrows(TcxCanvas* canvas, const TRect& rect, const std::string& text, TcxBorders neighbors,
                                 const TcxViewParams& viewParams, int arrows, int arrowInset,
                                 const TcxDrawBackgroundEvent& onCustomDrawBackground) const override;
  void PaintSplitter(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams,
                     bool horizontal) const override;

 protected:
  constexpr TcxStandardLookAndFeelPainter() = default;
};

// The 3-D look reduced to single-pixel edges.
class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  CALDERAN_CLASS(TcxFlatLookAndFeelPainter)
  static TcxCustomLookAndFeelPainterClass Instance();

  int DrawingStyle() const override;
  int BorderWidth() const override;
  void PaintBorder(TcxCanvas* canvas, const TRect& rect) const override;
  int ButtonBorderWidth(TcxButtonState state) const override;
  int ButtonTextInset() const override;
  int ButtonPressedShift() const override;
  void PaintButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color = clDefault) const override;
  int ExpandButtonExtent() const override;
  bool HasHotButtons() const override;
  void PaintCheckBoxBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintHeaderBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders neighbors, TcxBorders borders) const override;
  void PaintHeaderSectionBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders borders,
                                TcxButtonState state) const override;
  void PaintSortMark(TcxCanvas* canvas, const TRect& rect, bool ascending) const override;
  int HeaderBorderWidth() const override;
  TPoint SortMarkExtent() const override;
  int FooterBorderWidth() const override;
  int FooterCellBorderWidth() const override;
  int FooterCellSpacing() const override;
  void PaintFooterBorder(TcxCanvas* canvas, const TRect& rect) const override;
  void PaintFooterCellBorder(TcxCanvas* canvas, const TRect& rect) const override;
  void PaintFilterDropDownButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                 bool isFilterActive) const override;
  void PaintTabBorder(TcxCanvas* canvas, const TRect& rect, TcxBorder border, TcxBorders borders,
                      bool vertical) const override;
  void PaintTabsRoot(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, bool vertical) const override;
  int TabBorderWidth(bool vertical) const override;
  void PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                          TcxButtonState state) const override;
  void PaintSplitter(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams,
                     bool horizontal) const override;

 protected:
  constexpr TcxFlatLookAndFeelPainter() = default;
};

// One-pixel frames in a single colour, no 3-D edges, buttons that light up when hot. The four
// colour operations it adds are what the Office-2003 look replaces.
class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  CALDERAN_CLASS(TcxUltraFlatLookAndFeelPainter)
  static TcxCustomLookAndFeelPainterClass Instance();

  void PaintNavigationButton(TcxCanvas* canvas, const TRect& rect, const TRect& glyphRect,
                             TcxNavigationButtonDirection direction, TcxButtonState state) const override;
  int DrawingStyle() const override;
  TColor SchedulerBorderLineColor() const override;
  int BorderWidth() const override;
  void PaintBorder(TcxCanvas* canvas, const TRect& rect) const override;
  int ButtonBorderWidth(TcxButtonState state) const override;
  TColor ButtonColor(TcxButtonState state) const override;
  TRect ButtonFocusBounds(TcxCanvas* canvas, const TRect& rect) const override;
  TRect ButtonGroupBorderWidths(int buttonCount, int buttonIndex) const override;
  int ButtonTextInset() const override;
  int ButtonPressedShift() const override;
  TColor ButtonGlyphColor(TcxButtonState state, TColor color = clDefault) const override;
  TcxButtonState ButtonGlyphState(TcxButtonState state) const override;
  void PaintCaptionlessButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, int buttonCount = 0,
                              int buttonIndex = 0, TColor color = clDefault) const override;
  void PaintButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintStateFrame(TcxCanvas* canvas, const TRect& rect, bool hot, bool pressed) const override;
  void PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color = clDefault) const override;
  int ExpandButtonExtent() const override;
  bool HasHotButtons() const override;
  void PaintCheckBoxBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintHeaderSimple(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                         TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                         TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                         TFont* font, TColor textColor, TColor backgroundColor,
                         const TcxDrawBackgroundEvent& onCustomDrawBackground) const override;
  void PaintHeaderBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders neighbors, TcxBorders borders) const override;
  void PaintHeaderSectionBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders borders,
                                TcxButtonState state) const override;
  void PaintHeaderSectionContent(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxButtonState state,
                                 TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine,
                                 bool endEllipsis, const std::string& text, TFont* font, TColor textColor,
                                 TColor backgroundColor) const override;
  void PaintSortMark(TcxCanvas* canvas, const TRect& rect, bool ascending) const override;
  TcxBorders HeaderDrawnBorders(TcxBorders neighbors) const override;
  int HeaderBorderWidth() const override;
  TPoint SortMarkExtent() const override;
  TcxBorders HeaderAreaBorders() const override;
  int FooterBorderWidth() const override;
  int FooterCellBorderWidth() const override;
  int FooterCellSpacing() const override;
  void PaintFooterBorder(TcxCanvas* canvas, const TRect& rect) const override;
  void PaintFooterCellBorder(TcxCanvas* canvas, const TRect& rect) const override;
  void PaintFilterDropDownButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                 bool isFilterActive) const override;
  TPoint FilterCloseButtonExtent() const override;
  void PaintTabBorder(TcxCanvas* canvas, const TRect& rect, TcxBorder border, TcxBorders borders,
                      bool vertical) const override;
  void PaintTabsRoot(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, bool vertical) const override;
  int TabBorderWidth(bool vertical) const override;
  void PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                          TcxButtonState state) const override;
  void PaintScrollButtonFace(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintSplitter(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams,
                     bool horizontal) const override;

  // Added by this look.
  virtual TColor ButtonBorderColorForState(TcxButtonState state) const;
  virtual TColor TabBorderColor() const;
  virtual TColor TabBorderDarkColor() const;
  virtual TColor HighlightBorderColor() const;

 protected:
  constexpr TcxUltraFlatLookAndFeelPainter() = default;
};

// The ultra-flat look in the Office-2003 colour set (Office11Colors, read at every call so that a
// change of colour scheme shows at the next paint): faded column headers with hand-drawn edges,
// bitmap expand buttons, and scroll bars from the visual style when it can draw them.
class TcxOffice11LookAndFeelPainter : public TcxUltraFlatLookAndFeelPainter {
  CALDERAN_CLASS(TcxOffice11LookAndFeelPainter)
  static TcxCustomLookAndFeelPainterClass Instance();

  void PaintTextCell(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxButtonState state,
                     TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis,
                     const std::string& text, TFont* font, TColor textColor, TColor backgroundColor,
                     const TcxDrawBackgroundEvent& onCustomDrawBackground, bool isFooter) const override;
  void PaintNavigationButton(TcxCanvas* canvas, const TRect& rect, const TRect& glyphRect,
                             TcxNavigationButtonDirection direction, TcxButtonState state) const override;
  int DrawingStyle() const override;
  TColor FilterPanelColor() const override;
  TColor FilterPanelTextColor() const override;
  TColor AuxColor01() const override;
  TColor AuxColor02() const override;
  TColor GroupPanelColor() const override;
  TColor GroupPanelTextColor() const override;
  TColor GroupRowColor() const override;
  TColor HeaderBackgroundColor() const override;
  TColor HeaderColor() const override;
  TColor AuxColor07() const override;
  TColor HighlightColor() const override;
  TColor HighlightTextColor() const override;
  TColor SchedulerBorderLineColor() const override;
  TColor AuxColor10() const override;
  TColor AuxColor13() const override;
  TColor AuxColor15() const override;
  TColor AuxColor18() const override;
  TColor AuxColor20() const override;
  void PaintBorder(TcxCanvas* canvas, const TRect& rect) const override;
  TColor ButtonColor(TcxButtonState state) const override;
  TColor ButtonGlyphColor(TcxButtonState state, TColor color = clDefault) const override;
  void PaintButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color = clDefault) const override;
  bool ExpandButtonFlag() const override;
  void PaintSmallExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor frameColor,
                              TColor color = clDefault) const override;
  int SmallExpandButtonExtent() const override;
  TColor CheckBoxColor(TcxButtonState state) const override;
  void PaintHeader(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                   TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                   TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                   TFont* font, TColor textColor, TColor backgroundColor,
                   const TcxDrawBackgroundEvent& onCustomDrawBackground, bool isLast = false,
                   bool isGroup = false) const override;
  void PaintHeaderBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders neighbors, TcxBorders borders) const override;
  void PaintHeaderSection(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                          TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                          TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                          TFont* font, TColor textColor, TColor backgroundColor) const override;
  void PaintSortMark(TcxCanvas* canvas, const TRect& rect, bool ascending) const override;
  TcxBorders HeaderDrawnBorders(TcxBorders neighbors) const override;
  bool IsHeaderBackgroundTransparent() const override;
  TColor FooterSeparatorColor() const override;
  void PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                          TcxButtonState state) const override;
  void PaintSizeGrip(TcxCanvas* canvas, const TRect& rect, TColor backgroundColor) const override;
  void PaintHeaderWithSideArrows(TcxCanvas* canvas, const TRect& rect, const std::string& text, TcxBorders neighbors,
                                 const TcxViewParams& viewParams, int arrows, int arrowInset,
                                 const TcxDrawBackgroundEvent& onCustomDrawBackground) const override;
  void PaintControlBorder(TcxCanvas* canvas, const TRect& rect) const override;
  void PaintScrollButtonFace(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintGroupBoxInterior(TcxCanvas* canvas, TControl* control, const TRect& rect, TColor color1,
                             TColor color2) const override;
  TColor ButtonBorderColorForState(TcxButtonState state) const override;
  TColor TabBorderColor() const override;
  TColor HighlightBorderColor() const override;

  // Added by this look.
  virtual TColor HeaderShadeColor() const;
  virtual TColor HeaderDarkEdgeColor() const;
  virtual TColor HeaderLightEdgeColor() const;
  virtual TColor HeaderFaceColor() const;

 protected:
  constexpr TcxOffice11LookAndFeelPainter() = default;
};

// Draws through the operating system's visual styles. Each operation opens the theme of one kind
// first and, when there is none, draws as the standard painter (or the base painter) instead, so
// the look degrades part by part to the 3-D one.
class TcxWinXPLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
  CALDERAN_CLASS(TcxWinXPLookAndFeelPainter)
  static TcxCustomLookAndFeelPainterClass Instance();

  void PaintNavigationButton(TcxCanvas* canvas, const TRect& rect, const TRect& glyphRect,
                             TcxNavigationButtonDirection direction, TcxButtonState state) const override;
  int DrawingStyle() const override;
  TColor SchedulerBorderLineColor() const override;
  TColor AuxColor11() const override;
  void PaintArrowButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, TcxArrowDirection direction,
                        bool withBorder) const override;
  void PaintArrowButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  int BorderWidth() const override;
  void PaintBorder(TcxCanvas* canvas, const TRect& rect) const override;
  TRect GroupButtonBounds(const TRect& rect, int buttonCount, int buttonIndex) const override;
  int ButtonBorderWidth(TcxButtonState state) const override;
  TColor ButtonColor(TcxButtonState state) const override;
  TRect ButtonFocusBounds(TcxCanvas* canvas, const TRect& rect) const override;
  TRect ButtonGroupBorderWidths(int buttonCount, int buttonIndex) const override;
  int ButtonTextInset() const override;
  int ButtonPressedShift() const override;
  TColor ButtonGlyphColor(TcxButtonState state, TColor color = clDefault) const override;
  void PaintButton(TcxCanvas* canvas, const TRect& rect, const std::string& caption, TcxButtonState state,
                   bool drawBorder = true, TColor color = clDefault, TColor textColor = clDefault,
                   bool wordWrap = false) const override;
  void PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color = clDefault) const override;
  bool ExpandButtonFlag() const override;
  void PaintGroupExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded,
                              TcxButtonState state) const override;
  void PaintSmallExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor frameColor,
                              TColor color = clDefault) const override;
  int ExpandButtonExtent() const override;
  int GroupExpandButtonExtent() const override;
  bool HasHotButtons() const override;
  bool HitTestGroupExpandButton(const TRect& rect, TPoint point) const override;
  int SmallExpandButtonExtent() const override;
  int CheckBoxBorderWidth() const override;
  TSize CheckGlyphSize() const override;
  void PaintCheckMark(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, bool checked,
                      TColor color) const override;
  void PaintCheckBoxBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked, bool focused,
                        TColor backgroundColor, bool highlighted = false) const override;
  TSize RadioButtonSize() const override;
  void PaintHeader(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                   TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                   TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                   TFont* font, TColor textColor, TColor backgroundColor,
                   const TcxDrawBackgroundEvent& onCustomDrawBackground, bool isLast = false,
                   bool isGroup = false) const override;
  void PaintHeaderPressed(TcxCanvas* canvas, const TRect& rect) const override;
  void PaintHeaderSection(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                          TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                          TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                          TFont* font, TColor textColor, TColor backgroundColor) const override;
  void PaintSortMark(TcxCanvas* canvas, const TRect& rect, bool ascending) const override;
  int HeaderBorderWidth() const override;
  int HeaderSectionBorderWidth(TcxButtonState state) const override;
  TRect HeaderSectionContentBounds(const TRect& rect, TcxButtonState state) const override;
  bool IsHeaderBackgroundTransparent() const override;
  TPoint SortMarkExtent() const override;
  int FooterCellBorderWidth() const override;
  bool IsFooterCellFramed() const override;
  void PaintFooterCell(TcxCanvas* canvas, const TRect& rect, TAlignment horzAlignment, TcxAlignmentVert vertAlignment,
                       bool multiLine, const std::string& text, TFont* font, TColor textColor,
                       TColor backgroundColor, const TcxDrawBackgroundEvent& onCustomDrawBackground) const override;
  void PaintFooterBorder(TcxCanvas* canvas, const TRect& rect) const override;
  void PaintFilterCloseButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintFilterDropDownButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                 bool isFilterActive) const override;
  TPoint FilterActivateButtonExtent() const override;
  TPoint FilterCloseButtonExtent() const override;
  void PaintTab(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, const std::string& text,
                TcxButtonState state, bool vertical, TFont* font, TColor textColor, TColor backgroundColor,
                bool showPrefix = false) const override;
  void PaintTabBorder(TcxCanvas* canvas, const TRect& rect, TcxBorder border, TcxBorders borders,
                      bool vertical) const override;
  void PaintTabsRoot(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, bool vertical) const override;
  bool IsTabPaintingImplemented(bool vertical) const override;
  bool IsTabHotTrackable(bool vertical) const override;
  void PaintIndicatorItem(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind, TColor backgroundColor,
                          const TcxDrawBackgroundEvent& onCustomDrawBackground) const override;
  int ScrollBarMinThumbLength(bool horizontal) const override;
  void PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                          TcxButtonState state) const override;
  void PaintSizeGrip(TcxCanvas* canvas, const TRect& rect, TColor backgroundColor) const override;
  void PaintHeaderWithSideArrows(TcxCanvas* canvas, const TRect& rect, const std::string& text, TcxBorders neighbors,
                                 const TcxViewParams& viewParams, int arrows, int arrowInset,
                                 const TcxDrawBackgroundEvent& onCustomDrawBackground) const override;
  void PaintProgressBar(TcxCanvas* canvas, const TRect& rect, const TRect& chunkRect, const TcxViewParams& viewParams,
                        bool frameOnly) const override;
  void PaintScrollButtonFace(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintSplitter(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams,
                     bool horizontal) const override;
  TRect ProgressBarBorderWidths() const override;
  void PaintGroupBoxInterior(TcxCanvas* canvas, TControl* control, const TRect& rect, TColor color1,
                             TColor color2) const override;

  // Added by this look: text of a themed part, in textRect; nothing for an empty text.
  virtual void DrawThemedText(TcxCanvas* canvas, HTHEME theme, int part, int state, const TRect& textRect,
                              TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine,
                              bool endEllipsis, bool showPrefix, const std::string& text, TFont* font,
                              TColor textColor) const;

 protected:
  constexpr TcxWinXPLookAndFeelPainter() = default;
};

// ---------------------------------------------------------------------------------------------
// The registry of named skin painters. Skin modules register their painter under the skin's name
// at start-up; look and feels look a SkinName up here, ignoring ASCII letter case.
class IcxSkinPainterListener {
 public:
  virtual void SkinPainterChanged(TcxCustomLookAndFeelPainterClass painter) = 0;

 protected:
  ~IcxSkinPainterListener() = default;
};

class TcxExtendedStylePainterInfo : public TObject {
  CALDERAN_CLASS(TcxExtendedStylePainterInfo)
  TcxExtendedStylePainterInfo(TObject* data, const std::string& name, TcxCustomLookAndFeelPainterClass painter)
      : Data(data), Name(name), Painter(painter) {}
  ~TcxExtendedStylePainterInfo() override { delete Data; }
  TObject* Data;  // owned
  std::string Name;
  TcxCustomLookAndFeelPainterClass Painter;
};

class TcxExtendedStylePainters : public TcxObjectList {
  CALDERAN_CLASS(TcxExtendedStylePainters)
  TcxExtendedStylePainters() = default;

  // False, with nothing changed and data not taken over, when the name is already registered.
  bool Register(const std::string& name, TcxCustomLookAndFeelPainterClass painter, TObject* data = nullptr);
  bool Unregister(const std::string& name);
  bool FindPainterByName(const std::string& name, TcxCustomLookAndFeelPainterClass& painter) const;
  bool FindNameByPainter(TcxCustomLookAndFeelPainterClass painter, std::string& name) const;
  bool FindDataByPainter(TcxCustomLookAndFeelPainterClass painter, TObject*& data) const;

  TcxExtendedStylePainterInfo* Items(int index) const { return static_cast<TcxExtendedStylePainterInfo*>(Get(index)); }
  const std::string& Names(int index) const { return Items(index)->Name; }
  TcxCustomLookAndFeelPainterClass Painters(int index) const { return Items(index)->Painter; }

  void AddPainterListener(IcxSkinPainterListener* listener);
  void RemovePainterListener(IcxSkinPainterListener* listener);

 private:
  int IndexOfName(const std::string& name) const;
  void NotifyPainterListeners(TcxCustomLookAndFeelPainterClass painter);
  std::vector<IcxSkinPainterListener*> listeners_;
};

// The process-wide registry: exists while the painters module runs, null before and after.
TcxExtendedStylePainters* ExtendedStylePainters();
