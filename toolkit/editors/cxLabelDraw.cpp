// The label's text: turned placement, depth layers, raised, lowered and outlined styles, glyph
// fill, and the measuring that automatic sizing uses.
#include <algorithm>
#include <cmath>
#include <vector>

#include "SysUtils.h"
#include "cxControls.h"
#include "cxGeometry.h"
#include "cxEditPaintUtils.h"
#include "cxLabel.h"

namespace {

constexpr double degreesToRadians = 3.14159265358979323846 / 180.0;

// Which sides an orientation extends the effect to: x then y, -1 left/top, 1 right/bottom, 0 none.
struct TOrientationSides {
  int X, Y;
};
constexpr TOrientationSides orientationSides[] = {
    {-1, 0},   // cxoLeft
    {1, 0},    // cxoRight
    {0, -1},   // cxoTop
    {0, 1},    // cxoBottom
    {-1, -1},  // cxoLeftTop
    {-1, 1},   // cxoLeftBottom
    {1, -1},   // cxoRightTop
    {1, 1},    // cxoRightBottom
};

int Sign(int v) { return (v > 0) - (v < 0); }

std::string TextWithoutAccelMarks(const TcxLabelDrawData& data) {
  return data.ShowAccelChar ? RemoveAccelChars(data.Text, true) : data.Text;
}

bool IsGlyphFillable(TBitmap* glyph) {
  return glyph && !glyph->Empty() && glyph->Width() > 0 && glyph->Height() > 0;
}

// The right and bottom edges of what is not white.
TSize InkExtent(TcxBitmap& bitmap) {
  const std::vector<TcxPixel> pixels = bitmap.GetPixels();  // rows bottom-up
  const int width = bitmap.Width(), height = bitmap.Height();
  TSize extent(0, 0);
  for (int row = 0; row < height; ++row)
    for (int x = 0; x < width; ++x)
      if ((pixels[size_t(row) * width + x] & 0xFFFFFF) != 0xFFFFFF)
        extent = TSize(std::max<int>(extent.cx, x + 1), std::max<int>(extent.cy, height - row));
  return extent;
}

// How far the ink of unturned, unbroken text reaches past the box measuring gives it (right and
// down). Every measuring call (text extent, DT_CALCRECT, character widths) answers the advances
// of the font's outlines, but under Wine text drawn without smoothing takes its glyphs, and their
// advances, from the bitmaps a font carries for small sizes: Tahoma 8 draws ':' and '.' 4 px
// apart where it measures them 3, so "00:00:40.000" measures 63 px and draws 66. A last glyph
// whose right bearing is negative (Tahoma's '4' when smoothed) also inks past its advance. So the
// text is drawn once, plainly and as the label draws it, and its ink found.
TSize DrawnInkOverflow(const TcxLabelDrawData& data, TSize measured) {
  TcxLabelDrawData plain;
  plain.Text = data.Text;
  plain.Font = data.Font;
  plain.ShowAccelChar = data.ShowAccelChar;
  plain.TextColor = clBlack;
  // Room for every glyph to be drawn wider and taller than measured.
  TcxBitmap scratch(measured.cx * 2 + measured.cy, measured.cy * 2);
  const TRect all(0, 0, scratch.Width(), scratch.Height());
  scratch.Canvas()->FillRectColor(all, clWhite);
  DrawLabelText(scratch.Canvas(), plain, all);
  const TSize ink = InkExtent(scratch);
  return TSize(std::max<int>(ink.cx - measured.cx, 0), std::max<int>(ink.cy - measured.cy, 0));
}

// Writes one copy of the text at a point: turned text with ExtTextOut at the point, unturned text
// laid out in the text rectangle moved by the point. The rectangle is narrowed by the effect's room
// and by the ink overflow, so that right, centred, bottom and middle alignment, which place the
// measured box, keep the ink inside.
class TLabelTextWriter {
 public:
  TLabelTextWriter(TcxCanvas* canvas, const TcxLabelDrawData& data, const TRect& textRect, int angle,
                   TSize inkOverflow)
      : canvas_(canvas), data_(data), textRect_(textRect), angle_(angle) {
    const TPoint extent = LabelEffectExtent(data.Effect, data.Orientation, data.Depth);
    room_ = TPoint(extent.X + inkOverflow.cx, extent.Y + inkOverflow.cy);
  }

  void Write(TPoint at, TColor color) {
    canvas_->GetFont()->SetColor(color);
    WritePlain(at);
  }

  void WritePlain(TPoint at) {
    if (angle_ != 0) {
      ExtTextOutString(canvas_->GetHandle(), TextWithoutAccelMarks(data_), at, -1, 0, nullptr);
      return;
    }
    TRect r = textRect_;
    ExtendRectSides(r, 0, 0, -room_.X, -room_.Y);
    canvas_->DrawText(data_.Text, RectOffset(r, at.X, at.Y), UnturnedFlags(), true);
  }

  // The text at the point as the current path.
  void RecordPath(TPoint at) {
    BeginPath(canvas_->GetHandle());
    WritePlain(at);
    EndPath(canvas_->GetHandle());
  }

 private:
  Cardinal UnturnedFlags() const {
    TcxTextFlagOptions options;
    options.HorzAlignment = data_.HorzAlignment;
    options.VertAlignment = data_.VertAlignment;
    options.EndEllipsis = data_.EndEllipsis;
    options.WordBreak = data_.WordWrap;
    options.ShowPrefix = data_.ShowAccelChar;
    return BuildTextFlags(0, options);
  }

  TcxCanvas* canvas_;
  const TcxLabelDrawData& data_;
  TRect textRect_;
  int angle_;
  TPoint room_;
};

// The main text: filled with the glyph through a clip path, else written plainly.
void WriteMainText(TLabelTextWriter& writer, TcxCanvas* canvas, const TcxLabelDrawData& data, const TRect& textRect,
                   TPoint at, bool glyphFill) {
  canvas->GetFont()->SetColor(data.TextColor);
  if (!glyphFill) return writer.WritePlain(at);
  writer.RecordPath(at);
  // The caller's clipping is kept: the letters only narrow it, and it comes back afterwards.
  canvas->SaveClipRegion();
  SelectClipPath(canvas->GetHandle(), RGN_AND);
  canvas->FillRectTiled(textRect, data.Glyph);
  canvas->RestoreClipRegion();
}

void WriteOutline(TLabelTextWriter& writer, TcxCanvas* canvas, const TcxLabelDrawData& data, TPoint at) {
  canvas->GetPen()->SetColor(data.TextColor);
  canvas->GetPen()->SetWidth(data.PenWidth);
  writer.RecordPath(at);
  StrokePath(canvas->GetHandle());
  canvas->GetPen()->SetWidth(1);
}

void WriteStyledText(TLabelTextWriter& writer, TcxCanvas* canvas, const TcxLabelDrawData& data,
                     const TRect& textRect, TPoint at, bool trueType) {
  const bool large = data.Font->Size() >= 12;
  const bool glyphFill = trueType && IsGlyphFillable(data.Glyph);
  switch (data.Style) {
    case cxlsRaised:
      writer.Write(at, clBtnHighlight);
      if (large) writer.Write(at + TPoint(2, 2), clBtnShadow);
      return WriteMainText(writer, canvas, data, textRect, at + TPoint(1, 1), glyphFill);
    case cxlsLowered:
      if (large) writer.Write(at, clBtnShadow);
      writer.Write(at + TPoint(2, 2), clBtnHighlight);
      return WriteMainText(writer, canvas, data, textRect, at + TPoint(1, 1), glyphFill);
    case cxlsOutLine:
      if (!trueType) return WriteMainText(writer, canvas, data, textRect, at, false);
      if (glyphFill) WriteMainText(writer, canvas, data, textRect, at, true);
      return WriteOutline(writer, canvas, data, at);
    default:
      return WriteMainText(writer, canvas, data, textRect, at, glyphFill);
  }
}

// The unturned extent of the text as laid out in the text rectangle.
TSize MeasureUnturned(TcxCanvas* canvas, const TcxLabelDrawData& data, const TRect& textRect) {
  TRect r = textRect;
  DrawTextString(canvas->GetHandle(), TextWithoutAccelMarks(data), r, -1, DT_CALCRECT | DT_NOPREFIX);
  return TSize(RectWidth(r), RectHeight(r));
}

TSize GrownBy(TSize size, TSize more) { return TSize(size.cx + more.cx, size.cy + more.cy); }

// The ink overflow that the text's alignment must leave room for: only alignments that place the
// measured box from the right or the bottom need it.
TSize AlignedInkOverflow(TcxCanvas* canvas, const TcxLabelDrawData& data, const TRect& textRect, int angle) {
  const bool fromRightOrBottom = data.HorzAlignment != taLeftJustify || data.VertAlignment != taTopJustify;
  if (angle != 0 || data.WordWrap || !fromRightOrBottom) return TSize(0, 0);
  return DrawnInkOverflow(data, MeasureUnturned(canvas, data, textRect));
}

}  // namespace

int NormalizeLabelAngle(int angle) { return (angle % 360 + 360) % 360; }

TPoint LabelEffectExtent(TcxLabelEffect effect, TcxLabelOrientation orientation, int depth) {
  if (effect == cxleNormal) return TPoint(0, 0);
  const TOrientationSides sides = orientationSides[orientation];
  return TPoint(sides.X ? depth : 0, sides.Y ? depth : 0);
}

int LabelStyleOffset(TcxLabelStyle style, int fontPoints) {
  if (style != cxlsRaised && style != cxlsLowered) return 0;
  return fontPoints < 12 ? 1 : 2;
}

TPoint TurnedTextStart(const TRect& textRect, TPoint effectExtent, TSize textSize, int angle) {
  const double a = NormalizeLabelAngle(angle) * degreesToRadians;
  const double cx = (textRect.Left + textRect.Right - effectExtent.X) / 2.0;
  const double cy = (textRect.Top + textRect.Bottom - effectExtent.Y) / 2.0;
  const double x = cx - textSize.cx * std::cos(a) / 2 - textSize.cy * std::sin(a) / 2;
  const double y = cy + textSize.cx * std::sin(a) / 2 - textSize.cy * std::cos(a) / 2;
  return TPoint(static_cast<int>(std::nearbyint(x)), static_cast<int>(std::nearbyint(y)));
}

TSize TurnedTextSize(TSize textSize, int angle) {
  const double a = NormalizeLabelAngle(angle) * degreesToRadians;
  const double w = textSize.cx, h = textSize.cy;
  return TSize(static_cast<int>(std::trunc(std::fabs(w * std::cos(a)) + std::fabs(h * std::sin(a)) + 0.5)),
               static_cast<int>(std::trunc(std::fabs(w * std::sin(a)) + std::fabs(h * std::cos(a)) + 0.5)));
}

TcxLabelLayers PlanLabelLayers(TcxLabelEffect effect, TcxLabelOrientation orientation, int depth,
                               TPoint effectExtent, int styleOffset, TPoint start) {
  TcxLabelLayers layers{start, TPoint(0, 0), 0};
  if (effect == cxleNormal || depth <= 0) return layers;
  const TOrientationSides sides = orientationSides[orientation];
  TPoint step = effectExtent;
  if (sides.X > 0) layers.Start.X += effectExtent.X + styleOffset, step.X = -step.X;
  if (sides.Y > 0) layers.Start.Y += effectExtent.Y + styleOffset, step.Y = -step.Y;
  if (effect == cxleFun || effect == cxleExtrude) step = TPoint(Sign(step.X), Sign(step.Y));
  layers.Step = step;
  layers.Count = depth / std::abs(step.X != 0 ? step.X : step.Y);
  return layers;
}

TColor LabelLayerColor(TcxLabelEffect effect, TColor shadowedColor, TColor backgroundColor, int index, int count) {
  if (effect != cxleFun || count <= 0) return shadowedColor;
  const uint32_t shadow = ColorToRGB(shadowedColor), back = ColorToRGB(backgroundColor);
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int b = (back >> shift) & 0xFF, s = (shadow >> shift) & 0xFF;
    const int channel = static_cast<int>(std::trunc(b + (s - b) * static_cast<double>(index) / count));
    result |= static_cast<uint32_t>(channel) << shift;
  }
  return static_cast<TColor>(result);
}

void DrawLabelText(TcxCanvas* canvas, const TcxLabelDrawData& data, const TRect& textRect) {
  canvas->SaveState();
  const bool trueType = SelectRotatedFont(canvas->Canvas(), data.Font, data.Angle);
  const int angle = trueType ? NormalizeLabelAngle(data.Angle) : 0;
  const TPoint extent = LabelEffectExtent(data.Effect, data.Orientation, data.Depth);
  const int styleOffset = LabelStyleOffset(data.Style, data.Font->Size());
  TPoint at(0, 0);
  if (angle != 0) at = TurnedTextStart(textRect, extent, MeasureUnturned(canvas, data, textRect), angle);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);

  TLabelTextWriter writer(canvas, data, textRect, angle, AlignedInkOverflow(canvas, data, textRect, angle));
  const TcxLabelLayers layers = PlanLabelLayers(data.Effect, data.Orientation, data.Depth, extent, styleOffset, at);
  at = layers.Start;
  for (int i = 1; i <= layers.Count; ++i) {
    writer.Write(at, LabelLayerColor(data.Effect, data.ShadowedColor, data.BackgroundColor, i, layers.Count));
    at = at + layers.Step;
  }
  if (layers.Step.X < 0) at.X -= styleOffset;
  if (layers.Step.Y < 0) at.Y -= styleOffset;
  WriteStyledText(writer, canvas, data, textRect, at, trueType);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsSolid);
  canvas->RestoreState();
}

TSize MeasureLabelText(TcxCanvas* canvas, const TcxLabelDrawData& data, int availableWidth) {
  canvas->SaveState();
  TcxLabelDrawData measured = data;
  if (measured.Text.empty()) measured.Text = " ";
  const bool trueType = SelectRotatedFont(canvas->Canvas(), data.Font, data.Angle);
  const int angle = trueType ? NormalizeLabelAngle(data.Angle) : 0;
  const TPoint extent = LabelEffectExtent(data.Effect, data.Orientation, data.Depth);
  const int styleOffset = LabelStyleOffset(data.Style, data.Font->Size());

  UINT flags = DT_CALCRECT | DT_LEFT | DT_TOP;
  if (data.WordWrap && angle == 0) flags |= DT_WORDBREAK;
  if (!(data.ShowAccelChar && angle == 0)) flags |= DT_NOPREFIX;
  const std::string text = angle != 0 ? TextWithoutAccelMarks(measured) : measured.Text;
  TRect r(0, 0, availableWidth - extent.X - styleOffset, 0);
  DrawTextString(canvas->GetHandle(), text, r, -1, flags);
  canvas->RestoreState();
  TSize size(RectWidth(r), RectHeight(r));
  if (angle != 0) size = TurnedTextSize(size, angle);
  else if (!(flags & DT_WORDBREAK)) size = GrownBy(size, DrawnInkOverflow(measured, size));
  return TSize(size.cx + extent.X + styleOffset, size.cy + extent.Y + styleOffset);
}

uint32_t LabelTextOutFlags(TAlignment horz, TcxEditVertAlignment vert, bool endEllipsis, bool wordWrap, int angle) {
  TcxTextFlagOptions options;
  options.HorzAlignment = horz;
  options.VertAlignment = vert;
  options.EndEllipsis = endEllipsis;
  options.WordBreak = wordWrap && NormalizeLabelAngle(angle) == 0;
  return ConvertFromDrawTextFlags(BuildTextFlags(0, options));
}
