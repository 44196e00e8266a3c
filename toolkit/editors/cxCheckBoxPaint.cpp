// Drawing the check box's box: glyph strip, skin, theme, or border and mark by border style.
#include "cxCheckBox.h"

#include <vssym32.h>

#include <algorithm>

#include "cxEditPaintUtils.h"
#include "cxGeometry.h"
#include "cxGraphicsRoutines.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

HBITMAP checkMarkMask = nullptr;

// Paints the brush where the source is black and keeps the destination where it is white.
constexpr DWORD ropBrushWhereSourceBlack = 0x00B8074A;

bool IsMarkShown(const TcxCheckBoxBoxParams& p) {
  return p.State == cbsChecked || (p.State == cbsGrayed && p.NullStyle == nssGrayedChecked);
}

void DrawGlyphPiece(TcxCanvas* canvas, const TRect& rect, const TcxCheckBoxBoxParams& p) {
  const TSize strip(p.Glyph->Width(), p.Glyph->Height());
  const TRect piece = CheckBoxGlyphPieceRect(strip, p.GlyphCount, CheckBoxGlyphIndex(p.State, p.CheckState, p.GlyphCount));
  // The piece keeps the strip's transparent colour, also where it fills the box's height.
  const TColor transparentColor = p.Glyph->TransparentColor();
  TBitmap box;
  box.SetSize(RectWidth(piece), RectHeight(rect));
  box.SetTransparentColor(transparentColor);
  box.Canvas()->Brush()->SetColor(transparentColor);
  box.Canvas()->FillRect(TRect(0, 0, box.Width(), box.Height()));
  const int top = (RectHeight(rect) - strip.cy) / 2;
  box.Canvas()->CopyRect(TRect(0, top, RectWidth(piece), top + strip.cy), p.Glyph->Canvas(), piece);
  DrawEditGlyph(canvas, rect.Left, rect.Top, &box, p.CheckState != ecsDisabled, p.BackgroundColor);
}

void DrawSkinFace(TcxCanvas* canvas, const TRect& rect, const TcxCheckBoxBoxParams& p) {
  if (p.BackgroundColor != clNone) FillRectWithColor(canvas, rect, p.BackgroundColor);
  p.SkinPainter->PaintCheckBox(canvas, rect, CheckStateToButtonState(p.CheckState), p.State);
}

bool DrawThemedBox(TcxCanvas* canvas, const TRect& rect, const TcxCheckBoxBoxParams& p) {
  const HTHEME theme = OpenThemeByKind(totButton);
  if (!theme) return false;
  const RECT r = rect;
  return SUCCEEDED(UxDrawThemeBackground(theme, canvas->GetHandle(), BP_CHECKBOX, p.State * 4 + p.CheckState + 1, &r,
                                         nullptr));
}

bool IsUltraFlat(TcxContainerBorderStyle style) { return style == cbsUltraFlat || style == cbsOffice11; }

TColor UltraFlatBorderColor(const TcxCheckBoxBoxParams& p) {
  const bool office11 = p.BorderStyle == cbsOffice11;
  const bool highlighted = p.CheckState == ecsHot || p.CheckState == ecsPressed ||
                           (p.Designing && p.CheckState != ecsDisabled) || (p.CheckState == ecsNormal && p.Focused);
  if (highlighted) return GetUltraFlatHotBorderColor(office11);
  return office11 && p.CheckState == ecsNormal ? clBtnText : clBtnShadow;
}

// The ring in the background colour (unless transparent), then the border of the box's style.
void DrawBoxBorder(TcxCanvas* canvas, TRect r, const TcxCheckBoxBoxParams& p) {
  if (p.CheckBorderOffset > 0) {
    if (p.BackgroundColor != clNone) canvas->FrameRect(r, p.BackgroundColor, p.CheckBorderOffset);
    r = RectInflate(r, -p.CheckBorderOffset, -p.CheckBorderOffset);
  }
  switch (p.BorderStyle) {
    case cbsSingle: return canvas->FrameRect(r, p.BorderColor, 1);
    case cbsThick: return canvas->FrameRect(r, p.BorderColor, 2);
    case cbsFlat:
      canvas->Draw3DEdgeRing(r, true, true);
      return canvas->FrameRect(RectInflate(r, -1, -1), clBtnFace, 1);
    case cbs3D:
      canvas->Draw3DEdgeRing(r, true, true);
      return canvas->Draw3DEdgeRing(RectInflate(r, -1, -1), true, false);
    case cbsUltraFlat:
    case cbsOffice11: return canvas->FrameRect(r, UltraFlatBorderColor(p), 1);
    default: return;
  }
}

// The mask's mark in a colour, its top-left at the box's rectangle, kept inside the inner box.
void DrawMaskedMark(TcxCanvas* canvas, const TRect& rect, const TRect& inner, TColor color) {
  BITMAP info{};
  if (!checkMarkMask || !GetObjectA(checkMarkMask, sizeof(info), &info)) return;
  HDC dc = canvas->GetHandle();
  HDC maskDC = CreateCompatibleDC(dc);
  HGDIOBJ oldMask = SelectObject(maskDC, checkMarkMask);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0)), oldBack = SetBkColor(dc, RGB(255, 255, 255));
  const int dx = inner.Left - rect.Left, dy = inner.Top - rect.Top;
  const int w = std::min<int>(RectWidth(inner), info.bmWidth - dx), h = std::min<int>(RectHeight(inner), info.bmHeight - dy);
  if (w > 0 && h > 0) BitBlt(dc, inner.Left, inner.Top, w, h, maskDC, dx, dy, ropBrushWhereSourceBlack);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
  SelectObject(maskDC, oldMask);
  DeleteDC(maskDC);
}

void DrawUltraFlatMark(TcxCanvas* canvas, const TRect& rect, const TRect& inner, const TcxCheckBoxBoxParams& p) {
  const bool office11 = p.BorderStyle == cbsOffice11;
  TColor fill = clWindow;
  if (p.CheckState == ecsHot || p.CheckState == ecsPressed)
    fill = GetUltraFlatButtonColor(p.CheckState == ecsPressed, office11);
  else if (p.CheckState == ecsDisabled || (p.State == cbsGrayed && p.NullStyle == nssInactive))
    fill = clBtnFace;
  FillRectWithColor(canvas, inner, fill);
  if (!IsMarkShown(p)) return;
  DrawMaskedMark(canvas, rect, inner, p.State == cbsGrayed || p.CheckState == ecsDisabled ? clBtnShadow : clBtnText);
}

UINT FrameControlState(const TcxCheckBoxBoxParams& p) {
  UINT flags = DFCS_BUTTONCHECK;
  if (p.BorderStyle != cbs3D) flags |= DFCS_FLAT;
  if (p.CheckState == ecsDisabled)
    return flags | (IsMarkShown(p) ? DFCS_PUSHED | DFCS_BUTTON3STATE | DFCS_CHECKED : DFCS_INACTIVE);
  if (p.State == cbsChecked) flags |= DFCS_CHECKED;
  if (p.State == cbsGrayed) {
    static constexpr UINT grayedLooks[] = {0, DFCS_INACTIVE, DFCS_CHECKED};  // by NullStyle
    flags |= DFCS_BUTTON3STATE | grayedLooks[p.NullStyle];
  }
  if (p.CheckState == ecsPressed) flags |= DFCS_PUSHED;
  return flags;
}

// The platform's check box, its own frame clipped away.
void DrawFrameControlMark(TcxCanvas* canvas, const TRect& inner, const TcxCheckBoxBoxParams& p) {
  canvas->SaveClipRegion();
  canvas->IntersectClipRect(inner);
  RECT r = RectInflate(inner, 2, 2);
  DrawFrameControl(canvas->GetHandle(), &r, DFC_BUTTON, FrameControlState(p));
  canvas->RestoreClipRegion();
}

void DrawBorderAndMark(TcxCanvas* canvas, const TRect& rect, const TcxCheckBoxBoxParams& p) {
  DrawBoxBorder(canvas, rect, p);
  const TRect inner = RectInflate(rect, -2, -2);
  if (IsUltraFlat(p.BorderStyle)) DrawUltraFlatMark(canvas, rect, inner, p);
  else DrawFrameControlMark(canvas, inner, p);
}

void StartCheckBoxUnit() {
  checkMarkMask = BuildCheckMarkMask();
  RegisterCheckBoxPublishedProperties();
  if (TcxRegisteredClasses* registry = GetEditPropertiesRegistry())
    registry->Register(TcxCheckBoxProperties::StaticClass(), LoadToolkitString(scxSEditRepositoryCheckBoxItem));
  GetFilterEditsController()->Register(TcxCheckBoxProperties::StaticClass(), TcxFilterCheckBoxHelper::StaticClass());
}
void StopCheckBoxUnit() {
  GetFilterEditsController()->Unregister(TcxCheckBoxProperties::StaticClass(), TcxFilterCheckBoxHelper::StaticClass());
  if (TcxRegisteredClasses* registry = GetEditPropertiesRegistry())
    registry->Unregister(TcxCheckBoxProperties::StaticClass());
  if (checkMarkMask) DeleteObject(checkMarkMask);
  checkMarkMask = nullptr;
}

}  // namespace

HBITMAP CheckMarkMask() { return checkMarkMask; }

void DrawCheckBoxBox(TcxCanvas* canvas, const TRect& rect, const TcxCheckBoxBoxParams& params) {
  TcxCheckBoxBoxParams p = params;
  if (p.State == cbsGrayed && p.NullStyle == nssUnchecked) p.State = cbsUnchecked;
  canvas->SaveState();
  if (p.GlyphCount > 0 && IsBitmapUsable(p.Glyph)) DrawGlyphPiece(canvas, rect, p);
  else if (p.SkinPainter) DrawSkinFace(canvas, rect, p);
  else if (!p.Native || !DrawThemedBox(canvas, rect, p)) DrawBorderAndMark(canvas, rect, p);
  canvas->RestoreState();
}

const TUnitInfo cxCheckBoxUnit{"cxCheckBox", StartCheckBoxUnit, StopCheckBoxUnit};

// ---------------------------------------------------------------------------------------------
// View info

bool TcxCustomCheckBoxViewInfo::IsBackgroundTransparent() const {
  return Transparent || (Edit && Edit->Transparent()) || (!IsInPlace && Edit && Edit->UsesParentBackground());
}

// Whether the parent shows through the box itself.
bool TcxCustomCheckBoxViewInfo::IsBoxSeeThrough() const {
  if (Painter || HasGlyph) return true;
  if (!NativeStyle) return false;
  const HTHEME theme = OpenThemeByKind(totButton);
  return theme && UxIsThemeBackgroundPartiallyTransparent(theme, BP_CHECKBOX, State * 4 + CheckState + 1);
}

void TcxCustomCheckBoxViewInfo::PaintBackground(TcxCanvas* canvas) {
  const bool transparent = IsBackgroundTransparent();
  canvas->SaveClipRegion();
  if (!(transparent && IsBoxSeeThrough()))
    canvas->ExcludeClipRect(RectInflate(CheckBoxRect, -CheckBorderOffset, -CheckBorderOffset));
  if (IsInPlace && OnBackgroundPaint) {
    bool handled = false;
    OnBackgroundPaint(this, canvas, handled);
  } else if (!IsInPlace && Edit && Edit->UsesParentBackgroundNatively()) {
    DrawParentBackground(Edit, canvas, Bounds);
  } else if (!IsInPlace && transparent && Edit) {
    PaintParentImage(Edit, canvas, Bounds, false);
  } else if (!(IsInPlace && transparent)) {
    FillRectWithColor(canvas, Bounds, BackgroundColor);
  }
  canvas->RestoreClipRegion();
}

void TcxCustomCheckBoxViewInfo::DrawBox(TcxCanvas* canvas) {
  TcxCheckBoxBoxParams p;
  p.State = State, p.NullStyle = NullStyle, p.CheckState = CheckState;
  p.Focused = Focused, p.Designing = IsDesigning;
  p.BackgroundColor = IsBackgroundTransparent() ? clNone : BackgroundColor;
  p.BorderColor = BorderColor;
  p.Native = NativeStyle;
  p.BorderStyle = BoxBorderStyle;
  p.CheckBorderOffset = CheckBorderOffset;
  p.Glyph = HasGlyph ? Glyph : nullptr;
  p.GlyphCount = GlyphCount;
  p.SkinPainter = Painter;
  DrawCheckBoxBox(canvas, CheckBoxRect, p);
}

void TcxCustomCheckBoxViewInfo::PaintCaption(TcxCanvas* canvas) {
  if (Text.empty() || RectIsEmpty(TextArea)) return;
  canvas->SaveState();
  if (Font) canvas->SetFont(Font);
  canvas->GetFont()->SetColor(TextColor);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
  const bool enabled = Enabled || IsContainerInnerControl || NativeStyle || TextColorAssigned;
  canvas->DrawText(Text, TextArea, DrawTextFlags, enabled);
  canvas->RestoreState();
}

void TcxCustomCheckBoxViewInfo::PaintBody(TcxCanvas* canvas) {
  PaintBackground(canvas);
  DrawBox(canvas);
  if (Alignment != taCenter) PaintCaption(canvas);
  if (!RectIsEmpty(FocusRect)) {
    canvas->SaveState();
    canvas->GetFont()->SetColor(clBtnText);
    canvas->GetBrush()->SetColor(BackgroundColor);
    canvas->DrawFocusRect(FocusRect);
    canvas->RestoreState();
  }
}

void TcxCustomCheckBoxViewInfo::TakeFrom(TcxContainerViewInfo* source) {
  TcxCustomEditViewInfo::TakeFrom(source);
  auto* from = ObjectAs<TcxCustomCheckBoxViewInfo>(source);
  if (!from) return;
  State = from->State, CheckState = from->CheckState, CheckBoxRect = from->CheckBoxRect;
  FocusRect = from->FocusRect, TextArea = from->TextArea, Text = from->Text;
}

TcxRegion* TcxCustomCheckBoxViewInfo::ChangedRegion(TcxContainerViewInfo* other) {
  TcxRegion* region = TcxCustomEditViewInfo::ChangedRegion(other);
  auto* old = ObjectAs<TcxCustomCheckBoxViewInfo>(other);
  if (old && (old->State != State || old->CheckState != CheckState))
    region->Combine(new TcxRegion(CheckBoxRect), roAdd);
  return region;
}

void TcxCustomCheckBoxViewInfo::Shift(int dx, int dy) {
  TcxCustomEditViewInfo::Shift(dx, dy);
  CheckBoxRect = RectOffset(CheckBoxRect, dx, dy);
  FocusRect = RectOffset(FocusRect, dx, dy);
  TextArea = RectOffset(TextArea, dx, dy);
}
