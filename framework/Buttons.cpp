#include "Buttons.h"

#include <windows.h>

#include "ExtCtrls.h"

namespace {
TRect Shrunk(const TRect& r, int by) { return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by}; }

TRect NewFace(TCanvas* canvas, const TRect& client, int bevelWidth, bool isDown) {
  TRect r = client;
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(r);
  if (isDown) {
    Frame3D(canvas, r, clWindowFrame, clBtnHighlight, 1);
    Frame3D(canvas, r, clBtnShadow, clBtnFace, bevelWidth);
  } else {
    Frame3D(canvas, r, clBtnHighlight, clWindowFrame, 1);
    Frame3D(canvas, r, clBtnFace, clBtnShadow, bevelWidth);
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
  if (isDown) Frame3D(canvas, r, clBtnShadow, clBtnFace, bevelWidth);
  else Frame3D(canvas, r, clBtnHighlight, clBtnShadow, bevelWidth);
  return r;
}
}  // namespace

TRect DrawButtonFace(TCanvas* canvas, const TRect& client, int bevelWidth, TButtonStyle style, bool isRounded,
                     bool isDown, bool isFocused) {
  const bool newLook = style == bsNew || (style == bsAutoDetect && NewStyleControls());
  return newLook ? NewFace(canvas, client, bevelWidth, isDown)
                 : OldFace(canvas, client, bevelWidth, isRounded, isDown, isFocused);
}
