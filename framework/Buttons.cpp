#include "Buttons.h"

#include <windows.h>

namespace {
// One ring of a bevel: top-left and bottom-right in their colours.
void BevelRing(TCanvas* canvas, const TRect& r, TColor topLeft, TColor bottomRight) {
  canvas->Pen()->SetColor(topLeft);
  canvas->MoveTo(r.Left, r.Bottom - 1);
  canvas->LineTo(r.Left, r.Top);
  canvas->LineTo(r.Right - 1, r.Top);
  canvas->Pen()->SetColor(bottomRight);
  canvas->LineTo(r.Right - 1, r.Bottom - 1);
  canvas->LineTo(r.Left - 1, r.Bottom - 1);
}

TRect Shrunk(const TRect& r, int by) { return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by}; }

TRect NewFace(TCanvas* canvas, const TRect& client, int bevelWidth, bool isDown) {
  TRect r = client;
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(r);
  if (isDown) {
    BevelRing(canvas, r, clWindowFrame, clBtnHighlight);
    r = Shrunk(r, 1);
    for (int i = 0; i < bevelWidth; ++i, r = Shrunk(r, 1)) BevelRing(canvas, r, clBtnShadow, clBtnFace);
  } else {
    BevelRing(canvas, r, clBtnHighlight, clWindowFrame);
    r = Shrunk(r, 1);
    for (int i = 0; i < bevelWidth; ++i, r = Shrunk(r, 1)) BevelRing(canvas, r, clBtnFace, clBtnShadow);
  }
  return r;
}

TRect OldFace(TCanvas* canvas, const TRect& client, int bevelWidth, bool isRounded, bool isDown, bool isFocused) {
  TRect r = client;
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(r);
  canvas->Pen()->SetColor(clWindowFrame);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->Rectangle(r);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  if (isRounded) {
    canvas->SetPixel(r.Left, r.Top, clBtnFace);
    canvas->SetPixel(r.Right - 1, r.Top, clBtnFace);
    canvas->SetPixel(r.Left, r.Bottom - 1, clBtnFace);
    canvas->SetPixel(r.Right - 1, r.Bottom - 1, clBtnFace);
  }
  r = Shrunk(r, 1);
  if (isFocused) {
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    canvas->Rectangle(r);
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    r = Shrunk(r, 1);
  }
  for (int i = 0; i < bevelWidth; ++i, r = Shrunk(r, 1))
    isDown ? BevelRing(canvas, r, clBtnShadow, clBtnFace) : BevelRing(canvas, r, clBtnHighlight, clBtnShadow);
  return r;
}
}  // namespace

TRect DrawButtonFace(TCanvas* canvas, const TRect& client, int bevelWidth, TButtonStyle style, bool isRounded,
                     bool isDown, bool isFocused) {
  const bool newLook = style == bsNew || (style == bsAutoDetect && NewStyleControls());
  return newLook ? NewFace(canvas, client, bevelWidth, isDown)
                 : OldFace(canvas, client, bevelWidth, isRounded, isDown, isFocused);
}
