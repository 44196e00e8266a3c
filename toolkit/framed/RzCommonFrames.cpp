// The twelve frame styles drawn on any subset of the four sides, in system colours or in colours
// derived from a face colour.
#include "RzCommon.h"

namespace {
struct TFrameColors {
  TColor TopLeft, BottomRight;
};

// Indexed by style, fsNone .. fsFlatBold.
constexpr TFrameColors frameColors[] = {
    {clWindow, clWindow},           {cl3DDkShadow, cl3DDkShadow},     {clBtnShadow, clBtnHighlight},
    {clBtnHighlight, clBtnShadow},  {clBtnShadow, clBtnHighlight},    {clNone, clNone},
    {cl3DDkShadow, clBtnFace},      {clNone, clNone},                 {clBtnShadow, clBtnHighlight},
    {clBtnHighlight, clBtnShadow},  {clBtnShadow, clBtnShadow}};

// A two-ring bevel: outer ring, then inner ring.
struct TBevelRings {
  TFrameColors Outer, Inner;
};
constexpr TBevelRings raisedRings{{cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}};
constexpr TBevelRings loweredRings{{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}};
constexpr TBevelRings buttonUpRings{{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}};
constexpr TBevelRings buttonDownRings{{clBtnText, clBtnText}, {clBtnShadow, clBtnShadow}};

TRect PaintRings(TCanvas* canvas, const TRect& bounds, const TBevelRings& rings, TSides sides) {
  const TRect inner = PaintBevel(canvas, bounds, rings.Outer.TopLeft, sides, 1, rings.Outer.BottomRight);
  return PaintBevel(canvas, inner, rings.Inner.TopLeft, sides, 1, rings.Inner.BottomRight);
}

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2) {
  canvas->MoveTo(x1, y1);
  canvas->LineTo(x2, y2);
}

void Dot(TCanvas* canvas, int x, int y, TColor color) { canvas->SetPixel(x, y, color); }

TRect MoveIn(const TRect& r, TSides sides, int by) {
  return {r.Left + (sides.Contains(sdLeft) ? by : 0), r.Top + (sides.Contains(sdTop) ? by : 0),
          r.Right - (sides.Contains(sdRight) ? by : 0), r.Bottom - (sides.Contains(sdBottom) ? by : 0)};
}

// The etched pattern of fsGroove and fsBump: U on the outer left/top, D on the inner ones.
TRect PaintEtched(TCanvas* canvas, const TRect& r, TColor u, TColor d, TSides sides) {
  const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop), right = sides.Contains(sdRight),
             bottom = sides.Contains(sdBottom);
  if (right) Dot(canvas, r.Right - 1, r.Top, d);
  if (top && !right) Dot(canvas, r.Right - 1, r.Top, u);
  if (bottom) Dot(canvas, r.Left, r.Bottom - 1, d);
  if (left && !bottom) Dot(canvas, r.Left, r.Bottom - 1, u);
  if (top && !left) Dot(canvas, r.Left, r.Top + 1, d);
  if (left && !top) Dot(canvas, r.Left + 1, r.Top, d);
  if (bottom && !right) Dot(canvas, r.Right - 1, r.Bottom - 2, u);
  if (right && !bottom) Dot(canvas, r.Right - 2, r.Bottom - 1, u);
  PaintSides(canvas, {r.Left + 1, r.Top + 1, r.Right, r.Bottom}, d, sides, d);
  PaintSides(canvas, {r.Left, r.Top, r.Right - 1, r.Bottom - 1}, u, sides, u);
  return MoveIn(r, sides, 2);
}

TRect PaintFaceRing(TCanvas* canvas, const TRect& bounds, TColor topLeft, TColor bottomRight, TSides sides) {
  return PaintBevel(canvas, bounds, topLeft, sides, 1, bottomRight);
}
}  // namespace

TColor FrameTopLeftColor(TFrameStyle style) { return style < fsFlatRounded ? frameColors[style].TopLeft : clNone; }
TColor FrameBottomRightColor(TFrameStyle style) {
  return style < fsFlatRounded ? frameColors[style].BottomRight : clNone;
}

TRect PaintSides(TCanvas* canvas, const TRect& bounds, TColor topLeft, TSides sides, TColor bottomRight) {
  const TRect& r = bounds;
  if (topLeft != clNone) {
    canvas->Pen()->SetColor(topLeft);
    if (sides.Contains(sdLeft)) Line(canvas, r.Left, r.Top, r.Left, r.Bottom);
    if (sides.Contains(sdTop)) Line(canvas, r.Left, r.Top, r.Right, r.Top);
  }
  if (bottomRight != clNone) {
    canvas->Pen()->SetColor(bottomRight);
    if (sides.Contains(sdRight)) Line(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
    if (sides.Contains(sdBottom)) Line(canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
  }
  return MoveIn(r, sides, 1);
}

TRect PaintBevel(TCanvas* canvas, const TRect& bounds, TColor topLeft, TSides sides, int count, TColor bottomRight) {
  canvas->Pen()->SetWidth(1);
  TRect r = bounds;
  for (int i = 0; i < count; ++i) r = PaintSides(canvas, r, topLeft, sides, bottomRight);
  return r;
}

TRect PaintSunkenRaisedBevel(TCanvas* canvas, const TRect& bounds, bool lowered, TSides sides) {
  return PaintRings(canvas, bounds, lowered ? loweredRings : raisedRings, sides);
}

TRect PaintButtonBevel(TCanvas* canvas, const TRect& bounds, bool down, TSides sides) {
  return PaintRings(canvas, bounds, down ? buttonDownRings : buttonUpRings, sides);
}

TRect PaintFaceButtonBevel(TCanvas* canvas, const TRect& bounds, TColor face, TSides sides, bool down) {
  const TColor d50 = DarkenColor(face, 50), d100 = DarkenColor(face, 100);
  const TRect inner = down ? PaintFaceRing(canvas, bounds, d100, d100, sides)
                           : PaintFaceRing(canvas, bounds, LightenColor(face, 100), d100, sides);
  return down ? PaintFaceRing(canvas, inner, d50, d50, sides)
              : PaintFaceRing(canvas, inner, LightenColor(face, 40), d50, sides);
}

TRect PaintFrameStyleSides(TCanvas* canvas, const TRect& bounds, TFrameStyle style, TSides sides) {
  switch (style) {
    case fsNone: return bounds;
    case fsLowered: case fsRaised: return PaintSunkenRaisedBevel(canvas, bounds, style == fsLowered, sides);
    case fsButtonDown: case fsButtonUp: return PaintButtonBevel(canvas, bounds, style == fsButtonDown, sides);
    case fsFlatBold: return PaintBevel(canvas, bounds, FrameTopLeftColor(style), sides, 2, FrameBottomRightColor(style));
    case fsGroove: case fsBump:
      return PaintEtched(canvas, bounds, FrameTopLeftColor(style), FrameBottomRightColor(style), sides);
    // No system colours of its own: the flat colour, with the rounded corners.
    case fsFlatRounded: return PaintRoundedSides(canvas, bounds, cl3DDkShadow, sides);
    default: return PaintSides(canvas, bounds, FrameTopLeftColor(style), sides, FrameBottomRightColor(style));
  }
}

TRect PaintFrameStyle(TCanvas* canvas, const TRect& bounds, TFrameStyle style) {
  return PaintFrameStyleSides(canvas, bounds, style, sdAllSides);
}

TRect PaintFaceFrameStyleSides(TCanvas* canvas, const TRect& bounds, TColor face, TSides sides, TFrameStyle style) {
  const TColor d50 = DarkenColor(face, 50), d100 = DarkenColor(face, 100);
  const TColor l50 = LightenColor(face, 50), l100 = LightenColor(face, 100);
  switch (style) {
    case fsNone: return bounds;
    case fsFlat: return PaintSides(canvas, bounds, d50, sides, d50);
    case fsFlatBold: return PaintBevel(canvas, bounds, d50, sides, 2, d50);
    case fsGroove: return PaintEtched(canvas, bounds, d50, l100, sides);
    case fsLowered: return PaintFaceRing(canvas, PaintFaceRing(canvas, bounds, d50, l100, sides), d100, l50, sides);
    case fsRaised: return PaintFaceRing(canvas, PaintFaceRing(canvas, bounds, l50, d100, sides), l100, d50, sides);
    case fsButtonDown: case fsButtonUp:
      return PaintFaceButtonBevel(canvas, bounds, face, sides, style == fsButtonDown);
    case fsStatus: return PaintFaceRing(canvas, bounds, d50, l100, sides);
    case fsPopup: return PaintFaceRing(canvas, bounds, l100, d50, sides);
    default: return PaintEtched(canvas, bounds, l100, d50, sides);  // fsBump, fsFlatRounded
  }
}

TRect PaintFaceFrameStyle(TCanvas* canvas, const TRect& bounds, TColor face, TFrameStyle style) {
  return PaintFaceFrameStyleSides(canvas, bounds, face, sdAllSides, style);
}

TRect PaintBoxOutline(TCanvas* canvas, const TRect& bounds, TColor color) {
  return PaintSides(canvas, bounds, color, sdAllSides, color);
}

TRect PaintDottedFocusFrame(TCanvas* canvas, const TRect& bounds) {
  const TRect& r = bounds;
  for (int y = r.Top + 1; y < r.Bottom; y += 2) {
    Dot(canvas, r.Left, y, clBlack);
    Dot(canvas, r.Right - 1, y, clBlack);
  }
  for (int x = r.Left + 1; x < r.Right; x += 2) {
    Dot(canvas, x, r.Top, clBlack);
    Dot(canvas, x, r.Bottom - 1, clBlack);
  }
  TRect inner = bounds;
  inner.Inflate(-1, -1);
  return inner;
}

TRect PaintRoundedSides(TCanvas* canvas, const TRect& bounds, TColor color, TSides sides) {
  const TRect& r = bounds;
  const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop), right = sides.Contains(sdRight),
             bottom = sides.Contains(sdBottom);
  const TRect limits{left ? r.Left + 2 : r.Left, top ? r.Top + 2 : r.Top, right ? r.Right - 2 : r.Right,
                     bottom ? r.Bottom - 2 : r.Bottom};
  canvas->Pen()->SetColor(color);
  if (left) Line(canvas, r.Left, limits.Top, r.Left, limits.Bottom);
  if (top) Line(canvas, limits.Left, r.Top, limits.Right, r.Top);
  if (right) Line(canvas, r.Right - 1, limits.Top, r.Right - 1, limits.Bottom);
  if (bottom) Line(canvas, limits.Left, r.Bottom - 1, limits.Right, r.Bottom - 1);
  if (left && top) Dot(canvas, r.Left + 1, r.Top + 1, color);
  if (top && right) Dot(canvas, r.Right - 2, r.Top + 1, color);
  if (right && bottom) Dot(canvas, r.Right - 2, r.Bottom - 2, color);
  if (bottom && left) Dot(canvas, r.Left + 1, r.Bottom - 2, color);
  return limits;
}
