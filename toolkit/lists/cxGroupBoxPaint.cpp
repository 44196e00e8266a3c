// Painting the group box: background (plain, themed, skinned or as a panel), caption (horizontal or
// turned), and the frame, which stops at the caption.
#include <windows.h>
#include <vssym32.h>

#include "cxEditPaintUtils.h"
#include "cxGeometry.h"
#include "cxGraphicsRoutines.h"
#include "cxGroupBox.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

int GroupBoxThemeState(bool enabled) { return enabled ? GBS_NORMAL : GBS_DISABLED; }

// The control rectangle with its caption side moved in by half the caption's height: where the
// themed frame runs through the caption.
TRect ThemedFrameRect(const TRect& bounds, int side, int half) {
  TRect r = bounds;
  switch (side) {
    case 0: r.Top += half; break;
    case 1: r.Bottom -= half; break;
    case 2: r.Left += half; break;
    case 3: r.Right -= half; break;
    default: break;
  }
  return r;
}

// The Office-11 look's two panel colours: the start and end of its bar gradient.
TColor Office11PanelColor(int which) { return Office11Colors[which]; }

}  // namespace

void TcxGroupBoxViewInfo::TakeFrom(TcxContainerViewInfo* source) {
  TcxCustomEditViewInfo::TakeFrom(source);
  auto* from = ObjectAs<TcxGroupBoxViewInfo>(source);
  if (!from) return;
  CaptionRect = from->CaptionRect, TextRect = from->TextRect, Caption = from->Caption;
  Alignment = from->Alignment;
}

void TcxGroupBoxViewInfo::Shift(int dx, int dy) {
  TcxCustomEditViewInfo::Shift(dx, dy);
  CaptionRect = RectOffset(CaptionRect, dx, dy);
  TextRect = RectOffset(TextRect, dx, dy);
  FrameRect = RectOffset(FrameRect, dx, dy);
}

void TcxGroupBoxViewInfo::PaintAll(TcxCanvas* canvas) {
  if (OnBeforePaint) OnBeforePaint(this, canvas);
  if (IsInPlace) {
    if (OnBackgroundPaint) DrawCustomBackgroundAt(canvas, Bounds);
    else FillRectWithColor(canvas, Bounds, BackgroundColor);
    return PaintContent(canvas);
  }
  canvas->SaveClipRegion();
  PaintBackground(canvas);
  if (!Caption.empty()) PaintCaption(canvas);
  if (!PanelActive && !RectIsEmpty(CaptionRect)) canvas->ExcludeClipRect(CaptionRect);
  PaintFrame(canvas);
  canvas->RestoreClipRegion();
  if (ButtonCount() > 0) PaintButtons(canvas);
  PaintContent(canvas);
}

void TcxGroupBoxViewInfo::PaintBackground(TcxCanvas* canvas) {
  const bool panelLook = PanelActive && (NativeStyle || (Kind == lfOffice11 && !Painter));
  if (panelLook) return PaintPanelBackground(canvas);
  if (NativeStyle) return PaintNativeBackground(canvas);
  if (Painter) {
    if (PanelActive) return Painter->PaintGroupPanelBackground(canvas, FrameRect, EditBorderStyle != cbsNone);
    if (Edit) PaintParentImage(Edit, canvas, Bounds, false);
    return Painter->PaintGroupBoxContent(canvas, BorderRect, static_cast<TcxGroupBoxCaptionPosition>(CaptionSide()));
  }
  if (Shadow) {
    canvas->SaveClipRegion();
    DrawContainerShadow(canvas, FrameRect);
    canvas->RestoreClipRegion();
  }
  // A transparent box shows its parent through (else nothing would clear what was painted before).
  if (Edit && (Transparent || Edit->IsTransparentEnabled())) PaintParentImage(Edit, canvas, FrameRect, false);
  else FillRectWithColor(canvas, FrameRect, BackgroundColor);
}

void TcxGroupBoxViewInfo::PaintNativeBackground(TcxCanvas* canvas) {
  canvas->SaveClipRegion();
  const HTHEME theme = OpenThemeByKind(totButton);
  const bool seeThrough = theme && UxIsThemeBackgroundPartiallyTransparent(theme, BP_GROUPBOX, GroupBoxThemeState(Enabled));
  if (Edit && Edit->IsTransparentEnabled()) PaintParentImage(Edit, canvas, Bounds, false);
  else if (Edit && Edit->UsesParentBackgroundNatively() && seeThrough) DrawParentBackground(Edit, canvas, Bounds);
  else FillRectWithColor(canvas, Bounds, BackgroundColor);
  canvas->RestoreClipRegion();
}

void TcxGroupBoxViewInfo::PaintPanelBackground(TcxCanvas* canvas) {
  TcxCustomLookAndFeelPainterClass painter = Painter ? Painter : (Edit ? Edit->Style()->LookAndFeel()->CurrentPainter() : nullptr);
  TRect r = FrameRect;
  if (EditBorderStyle != cbsNone) r = RectInflate(r, -GetContainerBorderWidth(EditBorderStyle), -GetContainerBorderWidth(EditBorderStyle));
  if (Edit && Edit->IsTransparentEnabled() && painter) {
    canvas->SaveClipRegion();
    canvas->IntersectClipRect(r);
    painter->PaintGroupBoxInterior(canvas, Edit, FrameRect, clDefault, clDefault);
    canvas->RestoreClipRegion();
    return;
  }
  if (NativeStyle) {
    if (Edit && Edit->UsesParentBackgroundNatively()) return DrawParentBackground(Edit, canvas, r);
    if (painter) return painter->PaintGroupBoxInterior(canvas, Edit, r, BackgroundColor, clDefault);
    return FillRectWithColor(canvas, r, BackgroundColor);
  }
  switch (OfficeBackgroundKind) {
    case pobkGradient:
      return FillGradientRect(canvas->GetHandle(), *r.Win(), Office11PanelColor(0), Office11PanelColor(1), false);
    case pobkOffice11Color:
      return FillRectWithColor(canvas, r, BlendColorsPercent(Office11PanelColor(0), Office11PanelColor(1), 50));
    default: return FillRectWithColor(canvas, r, BackgroundColor);
  }
}

void TcxGroupBoxViewInfo::PaintCaption(TcxCanvas* canvas) {
  canvas->SaveState();
  canvas->SaveClipRegion();
  canvas->IntersectClipRect(CaptionRect);
  if (Painter && !PanelActive)
    Painter->PaintGroupBoxCaption(canvas, CaptionRect, static_cast<TcxGroupBoxCaptionPosition>(CaptionSide()));
  PaintCaptionText(canvas);
  canvas->RestoreClipRegion();
  canvas->RestoreState();
}

void TcxGroupBoxViewInfo::PaintCaptionText(TcxCanvas* canvas) {
  if (CaptionFont) canvas->SetFont(CaptionFont);
  canvas->GetFont()->SetColor(CaptionColor);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
  HDC dc = canvas->GetHandle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(CaptionColor));
  if (!Vertical) {
    RECT r = *TextRect.Win();
    const UINT flags = PanelActive ? PanelCaptionTextFlags(Alignment, PanelWordWrap) : DT_SINGLELINE;
    ::DrawTextA(dc, Caption.c_str(), static_cast<int>(Caption.size()), &r, flags);
    return;
  }
  const RECT clip = *TextRect.Win();
  const bool upwards = CaptionSide() == 2;
  const int x = upwards ? TextRect.Left : TextRect.Right;
  const int y = upwards ? TextRect.Bottom - 1 : TextRect.Top + 1;
  ::ExtTextOutA(dc, x, y, ETO_CLIPPED, &clip, Caption.c_str(), static_cast<UINT>(Caption.size()), nullptr);
}

void TcxGroupBoxViewInfo::PaintFrame(TcxCanvas* canvas) {
  if (Painter) return;
  if (NativeStyle) {
    if (PanelActive) {
      if (EditBorderStyle != cbsNone) canvas->FrameRect(FrameRect, BorderColor);
      return;
    }
    if (HTHEME theme = OpenThemeByKind(totButton)) {
      const RECT r = ThemedFrameRect(Bounds, CaptionSide(), CaptionHalfHeight).Win()[0];
      UxDrawThemeBackground(theme, canvas->GetHandle(), BP_GROUPBOX, GroupBoxThemeState(Enabled), &r, nullptr);
      return;
    }
  }
  TRect r = FrameRect;
  if (!PanelActive) {
    r = BorderRect;
    GrowRectOnSides(r, GetContainerBorderWidth(EditBorderStyle), Edges);
  }
  PaintFrameByBorderStyle(canvas, r);
}

void TcxGroupBoxViewInfo::PaintFrameByBorderStyle(TcxCanvas* canvas, const TRect& rect) {
  switch (EditBorderStyle) {
    case cbsSingle: return canvas->FrameRect(rect, BorderColor, 1, Edges);
    case cbsThick: return canvas->FrameRect(rect, BorderColor, 2, Edges);
    case cbsFlat:
      canvas->FrameRect(rect, clBtnShadow, 1, Edges);
      return canvas->FrameRect(RectInflate(rect, -1, -1), clBtnHighlight, 1, Edges);
    case cbs3D:
      if (Ctl3D) {
        const TRect r = RectInflateEdges(rect, 0, 0, -1, -1);
        canvas->FrameRect(r, clBtnShadow, 1, Edges);
        return canvas->FrameRect(RectOffset(r, 1, 1), clBtnHighlight, 1, Edges);
      }
      canvas->FrameRect(rect, clWindowFrame, 1, Edges);
      return canvas->FrameRect(RectInflate(rect, -1, -1), BackgroundColor, 1, Edges);
    default: return;
  }
}
