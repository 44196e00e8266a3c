// The skin painter's indicator, navigation buttons, progress bars, group boxes, track bars and
// splitters.
#include "cxGeometry.h"
#include "dxSkinsLookAndFeelPainter.h"

namespace {

using Base = TcxCustomLookAndFeelPainter;

// Group panels and their captions by caption position (top, bottom, left, right).
constexpr TdxSkinElementId GroupPanels[4] = {seGroupPanelTop, seGroupPanelBottom, seGroupPanelLeft, seGroupPanelRight};
constexpr TdxSkinElementId GroupCaptions[4] = {seGroupPanelCaptionTop, seGroupPanelCaptionBottom,
                                               seGroupPanelCaptionLeft, seGroupPanelCaptionRight};
// Track bar thumbs by tick marks (up or left, down or right, both).
constexpr TdxSkinElementId HorizontalThumbs[3] = {seTrackBarThumbUp, seTrackBarThumb, seTrackBarThumbBoth};
constexpr TdxSkinElementId VerticalThumbs[3] = {seTrackBarThumbVertUp, seTrackBarThumbVert, seTrackBarThumbVertBoth};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Indicator

void TdxSkinLookAndFeelPainter::PaintIndicatorGrip(TcxCanvas* canvas, const TRect& rect, TColor color) const {
  TdxSkinElement* images = Bound(seIndicatorImages);
  if (!images) return Base::PaintIndicatorGrip(canvas, rect, color);
  DrawElement(canvas, images, RectCenterSize(rect, ImageSize(images)), 2);
}

void TdxSkinLookAndFeelPainter::PaintIndicatorImage(TcxCanvas* canvas, const TRect& rect,
                                                    TcxIndicatorKind kind) const {
  TdxSkinElement* images = Bound(seIndicatorImages);
  if (!images) return Base::PaintIndicatorImage(canvas, rect, kind);
  static constexpr int ImageOfKind[] = {-1, 0, 1, 2, 0, 0, 0};
  if (kind == ikNone || kind > ikMultiArrow) return;
  TSize size = ImageSize(images);
  TRect r = RectOffset(TRect(0, 0, size.cx, size.cy), (rect.Left + rect.Right - size.cx) / 2,
                       (rect.Top + rect.Bottom - size.cy) / 2);
  DrawElement(canvas, images, r, ImageOfKind[kind]);
}

void TdxSkinLookAndFeelPainter::PaintIndicatorItem(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind,
                                                   TColor backgroundColor,
                                                   const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  TRect header(rect.Left, rect.Top - HeaderBorderWidth(), rect.Right, rect.Bottom);
  PaintHeader(canvas, header, header, TcxBorders(), HeaderDrawnBorders(TcxBorders{bTop, bBottom}), cxbsNormal,
              taLeftJustify, vaTop, false, false, "", nullptr, clNone, backgroundColor, onCustomDrawBackground);
  PaintIndicatorImage(canvas, rect, kind);
}

void TdxSkinLookAndFeelPainter::PaintIndicatorItemSimple(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind,
                                                         TColor backgroundColor,
                                                         const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  PaintIndicatorItem(canvas, rect, kind, backgroundColor, onCustomDrawBackground);
}

bool TdxSkinLookAndFeelPainter::IndicatorItemsFirst() const { return true; }

// ---------------------------------------------------------------------------------------------
// Navigation buttons and headers with arrows

void TdxSkinLookAndFeelPainter::NavigationButtonLayout(TcxNavigationButtonDirection direction, bool withoutText,
                                                       TSize size1, TSize size2, TRect& bounds, TRect& textRect,
                                                       TRect& glyphRect) const {
  TdxSkinElement* button = Bound(direction == nbdPrevious ? seNavButtonPrev : seNavButtonNext);
  int minWidth = button ? button->MinSize()->Width() : 0;
  if (minWidth > 0 && bounds.Right - bounds.Left < minWidth) {
    if (direction == nbdNext)
      bounds.Left = bounds.Right - minWidth;
    else
      bounds.Right = bounds.Left + minWidth;
  }
  Base::NavigationButtonLayout(direction, withoutText, size1, size2, bounds, textRect, glyphRect);
}

void TdxSkinLookAndFeelPainter::PaintHeaderWithSideArrows(TcxCanvas* canvas, const TRect& rect,
                                                          const std::string& text, TcxBorders neighbors,
                                                          const TcxViewParams& viewParams, int arrows, int arrowInset,
                                                          const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  Base::PaintHeaderWithSideArrows(canvas, rect, text, neighbors, viewParams, arrows, arrowInset,
                                  onCustomDrawBackground);
}

void TdxSkinLookAndFeelPainter::NavigationButtonMetrics(TcxNavigationButtonDirection direction, TRect& margins,
                                                        TSize& glyphSize) const {
  TdxSkinElement* button = Bound(direction == nbdPrevious ? seNavButtonPrev : seNavButtonNext);
  TdxSkinElement* arrow = Bound(direction == nbdPrevious ? seNavButtonPrevArrow : seNavButtonNextArrow);
  if (!button || !arrow) return Base::NavigationButtonMetrics(direction, margins, glyphSize);
  margins = button->ContentOffset()->GetRect();
  glyphSize = ImageSize(arrow);
}

// ---------------------------------------------------------------------------------------------
// Progress bars

void TdxSkinLookAndFeelPainter::PaintProgressBar(TcxCanvas* canvas, const TRect& rect, const TRect& chunkRect,
                                                 const TcxViewParams& viewParams, bool frameOnly) const {
  TdxSkinElement* border = Bound(seProgressBorder);
  TdxSkinElement* chunk = Bound(seProgressChunk);
  if (!border || !chunk) return Base::PaintProgressBar(canvas, rect, chunkRect, viewParams, frameOnly);
  DrawElement(canvas, border, rect);
  DrawElement(canvas, chunk, chunkRect);
}

TRect TdxSkinLookAndFeelPainter::ProgressBarBorderWidths() const {
  TdxSkinElement* border = Bound(seProgressBorder);
  return border ? border->ContentOffset()->GetRect() : Base::ProgressBarBorderWidths();
}

void TdxSkinLookAndFeelPainter::PaintProgressBarBorder(TcxCanvas* canvas, const TRect& rect, bool vertical) const {
  TdxSkinElement* border = Bound(vertical ? seProgressBorderVert : seProgressBorder);
  if (!border) return Base::PaintProgressBarBorder(canvas, rect, vertical);
  DrawElement(canvas, border, rect);
}

void TdxSkinLookAndFeelPainter::PaintProgressBarChunk(TcxCanvas* canvas, const TRect& rect, bool vertical) const {
  TdxSkinElement* chunk = Bound(vertical ? seProgressChunkVert : seProgressChunk);
  if (!chunk) return Base::PaintProgressBarChunk(canvas, rect, vertical);
  DrawElement(canvas, chunk, rect);
}

TRect TdxSkinLookAndFeelPainter::ProgressBarContentOffsets(bool vertical) const {
  TdxSkinElement* border = Bound(vertical ? seProgressBorderVert : seProgressBorder);
  return border ? border->ContentOffset()->GetRect() : Base::ProgressBarContentOffsets(vertical);
}

// ---------------------------------------------------------------------------------------------
// Group boxes and group panels

void TdxSkinLookAndFeelPainter::PaintGroupBoxBackground(TcxCanvas* canvas, const TRect& bounds,
                                                        const TRect& rect) const {
  TdxSkinElement* background = Bound(seGroupPanelNoBorder);
  if (!background) return Base::PaintGroupBoxBackground(canvas, bounds, rect);
  DrawElement(canvas, background, rect);
}

void TdxSkinLookAndFeelPainter::PaintGroupBoxCaption(TcxCanvas* canvas, const TRect& captionRect,
                                                     TcxGroupBoxCaptionPosition captionPosition) const {
  TdxSkinElement* caption = Bound(GroupCaptions[captionPosition]);
  if (!caption) return Base::PaintGroupBoxCaption(canvas, captionRect, captionPosition);
  DrawElement(canvas, caption, captionRect);
}

// The inner area gets the borderless background and stays excluded from the clip region afterwards.
void TdxSkinLookAndFeelPainter::PaintGroupBoxContent(TcxCanvas* canvas, const TRect& borderRect,
                                                     TcxGroupBoxCaptionPosition captionPosition) const {
  TdxSkinElement* panel = Bound(GroupPanels[captionPosition]);
  TdxSkinElement* background = Bound(seGroupPanelNoBorder);
  if (!panel || !background) return Base::PaintGroupBoxContent(canvas, borderRect, captionPosition);
  const TRect& co = panel->ContentOffset()->GetRect();
  TdxSkinBorders* b = panel->Borders();
  TRect inner(borderRect.Left + co.Left + b->Left()->Thin(), borderRect.Top + co.Top + b->Top()->Thin(),
              borderRect.Right - co.Right - b->Right()->Thin(), borderRect.Bottom - co.Bottom - b->Bottom()->Thin());
  DrawElement(canvas, background, inner);
  canvas->ExcludeClipRect(inner);
  DrawElement(canvas, panel, borderRect);
}

TRect TdxSkinLookAndFeelPainter::GroupBoxBorderWidths(bool hasCaption,
                                                      TcxGroupBoxCaptionPosition captionPosition) const {
  TdxSkinElement* element = Bound(hasCaption ? GroupCaptions[captionPosition] : GroupPanels[captionPosition]);
  return element ? element->ContentOffset()->GetRect() : Base::GroupBoxBorderWidths(hasCaption, captionPosition);
}

TColor TdxSkinLookAndFeelPainter::GroupBoxCaptionTextColor(TcxGroupBoxCaptionPosition captionPosition) const {
  TdxSkinElement* caption = Bound(GroupCaptions[captionPosition]);
  return caption ? caption->TextColor() : Base::GroupBoxCaptionTextColor(captionPosition);
}

bool TdxSkinLookAndFeelPainter::IsGroupBoxTransparent(bool hasCaption,
                                                      TcxGroupBoxCaptionPosition captionPosition) const {
  TdxSkinElement* element = Bound(hasCaption ? GroupCaptions[captionPosition] : GroupPanels[captionPosition]);
  return element ? element->HasAlpha() : Base::IsGroupBoxTransparent(hasCaption, captionPosition);
}

void TdxSkinLookAndFeelPainter::PaintGroupPanelFrame(TcxCanvas* canvas, const TRect& rect) const {
  TdxSkinElement* panel = Bound(seGroupPanel);
  if (!panel) return Base::PaintGroupPanelFrame(canvas, rect);
  TdxSkinClipRegionSaver saver(canvas);
  canvas->ExcludeClipRect(RectDeflateByMargins(rect, panel->ContentOffset()->GetRect()));
  DrawElement(canvas, panel, rect);
}

void TdxSkinLookAndFeelPainter::PaintGroupPanelBackground(TcxCanvas* canvas, const TRect& rect, bool withFrame) const {
  TdxSkinElement* background = Bound(seGroupPanelNoBorder);
  if (!background) return Base::PaintGroupPanelBackground(canvas, rect, withFrame);
  DrawElement(canvas, background, rect);
  if (withFrame) PaintGroupPanelFrame(canvas, rect);
}

// ---------------------------------------------------------------------------------------------
// Track bars and splitters

void TdxSkinLookAndFeelPainter::PaintTrackBarTrack(TcxCanvas* canvas, const TRect& rect, const TRect& selectionRect,
                                                   bool hasSelection, bool enabled, bool horizontal) const {
  TdxSkinElement* track = Bound(horizontal ? seTrackBarTrack : seTrackBarTrackVert);
  if (!track) return Base::PaintTrackBarTrack(canvas, rect, selectionRect, hasSelection, enabled, horizontal);
  int image = enabled ? 0 : 2;
  DrawElement(canvas, track, rect, image);
  if (hasSelection) DrawElement(canvas, track, selectionRect, image + 1);
}

void TdxSkinLookAndFeelPainter::PaintTrackBarThumb(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                                   bool horizontal, TcxTrackBarTickMarks tickMarks) const {
  TdxSkinElement* thumb = Bound(horizontal ? HorizontalThumbs[tickMarks] : VerticalThumbs[tickMarks]);
  if (!thumb) return Base::PaintTrackBarThumb(canvas, rect, state, horizontal, tickMarks);
  DrawElement(canvas, thumb, rect, 0, ButtonStateToSkinState(state));
}

TSize TdxSkinLookAndFeelPainter::TrackBarThumbSize(bool horizontal) const {
  TdxSkinElement* thumb = Bound(horizontal ? seTrackBarThumb : seTrackBarThumbVert);
  return thumb ? ImageSize(thumb) : Base::TrackBarThumbSize(horizontal);
}

int TdxSkinLookAndFeelPainter::TrackBarTrackWidth() const {
  TdxSkinElement* track = Bound(seTrackBarTrack);
  return track ? ImageSize(track).cy : Base::TrackBarTrackWidth();
}

void TdxSkinLookAndFeelPainter::PaintSplitterElement(TcxCanvas* canvas, const TRect& rect, Byte imageIndex,
                                                     Byte unused, bool horizontal) const {
  TdxSkinElement* splitter = Bound(horizontal ? seSplitterHorz : seSplitter);
  if (!splitter) return Base::PaintSplitterElement(canvas, rect, imageIndex, unused, horizontal);
  DrawElement(canvas, splitter, rect, imageIndex);
}

TSize TdxSkinLookAndFeelPainter::SplitterElementSize(bool horizontal) const {
  TdxSkinElement* splitter = Bound(horizontal ? seSplitterHorz : seSplitter);
  return splitter ? ImageSize(splitter) : Base::SplitterElementSize(horizontal);
}
