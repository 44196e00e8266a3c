// The painter of a skin: every operation draws from the elements and colours its painter info (the
// bound skin, dxSkinInfo.h) holds, and does what the Office-2003 painter does where the element or
// colour it needs is not bound, so a skin never leaves a part blank. Painters of particular skins
// derive from it and answer their own painter info; the base asks the skin painter registry for the
// data registered with its class.
#pragma once
#include "cxLookAndFeelPainters.h"
#include "dxSkinInfo.h"

class TdxSkinLookAndFeelPainter : public TcxOffice11LookAndFeelPainter {
  CALDERAN_CLASS(TdxSkinLookAndFeelPainter)
  static TcxCustomLookAndFeelPainterClass Instance();

  // The painter info; null when the painter's class is not registered (everything then falls back).
  virtual TdxSkinLookAndFeelPainterInfo* GetSkinInfo() const;
  // which 0: EditorButton, 1: CloseButton; false when that element is not bound (nothing drawn).
  virtual bool PaintEditorButtonBackground(TcxCanvas* canvas, const TRect& rect, int which,
                                           TdxSkinElementState state) const;
  virtual std::string SkinUnitName() const;

  // Colours
  TColor ContentColor() const override;
  TColor ContentEvenColor() const override;
  TColor ContentOddColor() const override;
  TColor ContentTextColor() const override;
  TColor EditorBackgroundColor(bool disabled) const override;
  TColor EditorTextColor(bool disabled) const override;
  TColor FilterPanelTextColor() const override;
  TColor FixedLineColor() const override;
  TColor GridLineColor() const override;
  TColor GroupPanelTextColor() const override;
  TColor GroupRowColor() const override;
  TColor GroupRowTextColor() const override;
  TColor HeaderBackgroundColor() const override;
  TColor HeaderBackgroundTextColor() const override;
  TColor HeaderColor() const override;
  TColor HeaderTextColor() const override;
  TColor FixedGridLineColor() const override;
  TColor FormContentColor() const override;
  TColor CategoryColor() const override;
  TColor CategoryTextColor() const override;
  TColor VerticalGridLineColor() const override;
  TColor BandBorderColor() const override;
  TColor AuxColor08() const override;
  TColor AuxColor10() const override;
  TColor NavigatorColor() const override;
  TColor AuxColor12() const override;
  TColor AppointmentTextColor() const override;
  TColor SelectionColor() const override;
  TColor SelectionTextColor() const override;
  TColor CardSeparatorColor() const override;
  TColor EditorButtonTextColor() const override;
  TColor ContainerBorderColor(bool highlighted) const override;

  // Buttons, check boxes, radio buttons, expand buttons
  void PaintBorder(TcxCanvas* canvas, const TRect& rect) const override;
  int ButtonBorderWidth(TcxButtonState state) const override;
  TRect ButtonGroupBorderWidths(int buttonCount, int buttonIndex) const override;
  TColor ButtonGlyphColor(TcxButtonState state, TColor color = clDefault) const override;
  void PaintButton(TcxCanvas* canvas, const TRect& rect, const std::string& caption, TcxButtonState state,
                   bool drawBorder = true, TColor color = clDefault, TColor textColor = clDefault,
                   bool wordWrap = false) const override;
  void PaintCaptionlessButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, int buttonCount = 0,
                              int buttonIndex = 0, TColor color = clDefault) const override;
  void PaintStateFrame(TcxCanvas* canvas, const TRect& rect, bool hot, bool pressed) const override;
  void PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color = clDefault) const override;
  void PaintSmallExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor frameColor,
                              TColor color = clDefault) const override;
  int ExpandButtonExtent() const override;
  TSize CheckGlyphSize() const override;
  void PaintCheckBox(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                     TcxCheckBoxState checkState) const override;
  void PaintRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked, bool focused,
                        TColor backgroundColor, bool highlighted = false) const override;
  TSize RadioButtonSize() const override;

  // Scroll bars, size grip, clock, editor buttons, navigator
  int ScrollBarMinThumbLength(bool horizontal) const override;
  void PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                          TcxButtonState state) const override;
  TSize SizeGripSize() const override;
  void PaintSizeGrip(TcxCanvas* canvas, const TRect& rect, TColor backgroundColor) const override;
  TColor SizeGripAreaColor() const override;
  void PaintScrollButtonFace(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintClock(TcxCanvas* canvas, const TRect& rect, TDateTime time, TColor backgroundColor) const override;
  void PaintEditorButton(TcxCanvas* canvas, const TRect& rect, TcxEditBtnKind kind,
                         TcxButtonState state) const override;
  int EditorButtonInset() const override;
  TSize EditorButtonSize() const override;
  void PaintNavigatorGlyph(TcxCanvas* canvas, TCustomImageList* imageList, int imageIndex, int buttonIndex,
                           const TRect& glyphRect, bool enabled, bool userGlyphs) const override;
  TSize NavigatorGlyphSize() const override;

  // Text cells, headers, footers, filter parts (dxSkinsLookAndFeelPainterParts.cpp)
  void PaintTextCell(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxButtonState state,
                     TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis,
                     const std::string& text, TFont* font, TColor textColor, TColor backgroundColor,
                     const TcxDrawBackgroundEvent& onCustomDrawBackground, bool isFooter) const override;
  void PaintNavigationButton(TcxCanvas* canvas, const TRect& rect, const TRect& glyphRect,
                             TcxNavigationButtonDirection direction, TcxButtonState state) const override;
  void PaintHeader(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                   TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                   TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                   TFont* font, TColor textColor, TColor backgroundColor,
                   const TcxDrawBackgroundEvent& onCustomDrawBackground, bool isLast = false,
                   bool isGroup = false) const override;
  void PaintHeaderSimple(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                         TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                         TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                         TFont* font, TColor textColor, TColor backgroundColor,
                         const TcxDrawBackgroundEvent& onCustomDrawBackground) const override;
  void PaintHeaderSeparator(TcxCanvas* canvas, const TRect& rect, int width, TColor color,
                            const TcxViewParams& viewParams) const override;
  TcxBorders HeaderDrawnBorders(TcxBorders neighbors) const override;
  bool IsHeaderHotTrackable() const override;
  void PaintHeaderAreaBackground(TcxCanvas* canvas, const TRect& rect, bool useBitmap, TColor color,
                                 TBitmap* bitmap) const override;
  int FooterCellBorderWidth() const override;
  bool IsFooterCellFramed() const override;
  TColor FooterSeparatorColor() const override;
  void PaintFooterCell(TcxCanvas* canvas, const TRect& rect, TAlignment horzAlignment, TcxAlignmentVert vertAlignment,
                       bool multiLine, const std::string& text, TFont* font, TColor textColor, TColor backgroundColor,
                       const TcxDrawBackgroundEvent& onCustomDrawBackground) const override;
  void PaintFooterBorder(TcxCanvas* canvas, const TRect& rect) const override;
  void PaintFooterPanel(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams) const override;
  void PaintFilterCloseButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const override;
  void PaintFilterDropDownButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                 bool isFilterActive) const override;
  void PaintFilterPanel(TcxCanvas* canvas, const TRect& rect, bool useBitmap, TColor color,
                        TBitmap* bitmap) const override;
  TPoint FilterCloseButtonExtent() const override;
  void PaintWindowContent(TcxCanvas* canvas, const TRect& rect) const override;

  // Indicator, navigation buttons, progress bars, group boxes, track bars, splitters
  // (dxSkinsLookAndFeelPainterPanels.cpp)
  void PaintIndicatorGrip(TcxCanvas* canvas, const TRect& rect, TColor color) const override;
  void PaintIndicatorImage(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind) const override;
  void PaintIndicatorItem(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind, TColor backgroundColor,
                          const TcxDrawBackgroundEvent& onCustomDrawBackground) const override;
  void PaintIndicatorItemSimple(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind, TColor backgroundColor,
                                const TcxDrawBackgroundEvent& onCustomDrawBackground) const override;
  bool IndicatorItemsFirst() const override;
  void NavigationButtonLayout(TcxNavigationButtonDirection direction, bool withoutText, TSize size1, TSize size2,
                              TRect& bounds, TRect& textRect, TRect& glyphRect) const override;
  void PaintHeaderWithSideArrows(TcxCanvas* canvas, const TRect& rect, const std::string& text, TcxBorders neighbors,
                                 const TcxViewParams& viewParams, int arrows, int arrowInset,
                                 const TcxDrawBackgroundEvent& onCustomDrawBackground) const override;
  void PaintProgressBar(TcxCanvas* canvas, const TRect& rect, const TRect& chunkRect, const TcxViewParams& viewParams,
                        bool frameOnly) const override;
  TRect ProgressBarBorderWidths() const override;
  void NavigationButtonMetrics(TcxNavigationButtonDirection direction, TRect& margins,
                               TSize& glyphSize) const override;
  void PaintProgressBarBorder(TcxCanvas* canvas, const TRect& rect, bool vertical) const override;
  void PaintProgressBarChunk(TcxCanvas* canvas, const TRect& rect, bool vertical) const override;
  TRect ProgressBarContentOffsets(bool vertical) const override;
  void PaintGroupBoxBackground(TcxCanvas* canvas, const TRect& bounds, const TRect& rect) const override;
  void PaintGroupBoxCaption(TcxCanvas* canvas, const TRect& captionRect,
                            TcxGroupBoxCaptionPosition captionPosition) const override;
  void PaintGroupBoxContent(TcxCanvas* canvas, const TRect& borderRect,
                            TcxGroupBoxCaptionPosition captionPosition) const override;
  TRect GroupBoxBorderWidths(bool hasCaption, TcxGroupBoxCaptionPosition captionPosition) const override;
  TColor GroupBoxCaptionTextColor(TcxGroupBoxCaptionPosition captionPosition) const override;
  bool IsGroupBoxTransparent(bool hasCaption, TcxGroupBoxCaptionPosition captionPosition) const override;
  void PaintGroupPanelFrame(TcxCanvas* canvas, const TRect& rect) const override;
  void PaintGroupPanelBackground(TcxCanvas* canvas, const TRect& rect, bool withFrame) const override;
  void PaintTrackBarTrack(TcxCanvas* canvas, const TRect& rect, const TRect& selectionRect, bool hasSelection,
                          bool enabled, bool horizontal) const override;
  void PaintTrackBarThumb(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, bool horizontal,
                          TcxTrackBarTickMarks tickMarks) const override;
  TSize TrackBarThumbSize(bool horizontal) const override;
  int TrackBarTrackWidth() const override;
  void PaintSplitterElement(TcxCanvas* canvas, const TRect& rect, Byte imageIndex, Byte unused,
                            bool horizontal) const override;
  TSize SplitterElementSize(bool horizontal) const override;

 protected:
  constexpr TdxSkinLookAndFeelPainter() = default;
  // The bound element, colour or property; null without painter info.
  TdxSkinElement* Bound(TdxSkinElementId id) const;
  TdxSkinColor* BoundColor(TdxSkinColorId id) const;
  TdxSkinColor* BoundColorProperty(TdxSkinPropertyId id) const;
  // The element drawn over the rectangle on the canvas's device context.
  static void DrawElement(TcxCanvas* canvas, TdxSkinElement* element, const TRect& rect, int imageIndex = 0,
                          TdxSkinElementState state = esNormal);
  static TSize ImageSize(TdxSkinElement* element) { return element->Image()->Size(); }
};

// Keeps the canvas's state for the life of the object, restored also on failure.
using TdxSkinCanvasStateSaver = TcxCanvasStateSaver;

class TdxSkinClipRegionSaver {
 public:
  explicit TdxSkinClipRegionSaver(TcxCanvas* canvas) : canvas_(canvas) { canvas_->SaveClipRegion(); }
  ~TdxSkinClipRegionSaver() { canvas_->RestoreClipRegion(); }
  TdxSkinClipRegionSaver(const TdxSkinClipRegionSaver&) = delete;
  TdxSkinClipRegionSaver& operator=(const TdxSkinClipRegionSaver&) = delete;

 private:
  TcxCanvas* canvas_;
};

// A button state as a skin element state.
TdxSkinElementState ButtonStateToSkinState(TcxButtonState state);
