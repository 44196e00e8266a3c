// Editor view info, buttons part: each embedded button's border by buttons style, its background
// (plain, gradient or themed) and its content (ellipsis dots, arrow, glyph or caption).
#include <algorithm>
#include <memory>

#include "cxDWMApi.h"
#include "cxEdit.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

constexpr TcxButtonState painterStates[] = {cxbsDisabled, cxbsNormal, cxbsPressed, cxbsHot};  // by draw state
constexpr TcxEditBtnKind skinButtonKinds[] = {cxbkEllipsisBtn, cxbkComboBtn, cxbkEditorBtn, cxbkEditorBtn};
constexpr Cardinal contentAlignmentFlags[] = {cxAlignLeft, cxAlignRight, cxAlignHCenter};  // by TAlignment
constexpr Cardinal buttonTextFlags = cxAlignVCenter | cxSingleLine | cxShowPrefix | cxShowEndEllipsis;

// Draws a shape twice for the disabled look: highlight one pixel right and down, then shadow.
template <class Draw> void DrawEnabledOrEmbossed(bool enabled, TColor color, Draw draw) {
  if (enabled) return draw(0, color);
  draw(1, clBtnHighlight);
  draw(0, clBtnShadow);
}

TColor HotFlatBrush(TcxEditButtonDrawState state) {
  constexpr TColor brushes[] = {clBtnFace, clBtnFace, clBtnText, clBtnShadow};
  return brushes[state];
}

// The Office-11 scheme's button colours: the normal background and the gradient pairs by state.
TColor Office11ButtonColor(TcxEditButtonDrawState state) {
  const auto* painter = TcxOffice11LookAndFeelPainter::Instance();
  return painter->ButtonColor(painterStates[state]);
}

}  // namespace

void TcxCustomEditViewInfo::PaintOneButton(TcxCanvas* canvas, int visibleIndex) {
  TcxEditButtonViewInfo* b = Button(visibleIndex);
  b->Data.BackgroundColor = BackgroundColor;
  if (b->VisibleBounds.IsEmpty()) return;
  const bool clip = b->Bounds.Left < BorderRect.Left || b->Bounds.Right > BorderRect.Right ||
                    b->Bounds.Top < BorderRect.Top || b->Bounds.Bottom > BorderRect.Bottom;
  if (clip) {
    canvas->SaveClipRegion();
    canvas->IntersectClipRect(b->VisibleBounds);
  }
  bool handled = false;
  if (OnButtonPaint) OnButtonPaint(this, canvas, visibleIndex, handled);
  if (!handled) PaintButton(canvas, visibleIndex);
  if (clip) canvas->RestoreClipRegion();
}

void TcxCustomEditViewInfo::PaintButton(TcxCanvas* target, int visibleIndex) {
  TcxEditButtonViewInfo* b = Button(visibleIndex);
  TColor brush = clBtnFace, text = clBtnText;
  const bool buffered = (b->Data.Kind == bkGlyph && IsBitmapUsable(b->Data.Glyph)) || Painter;
  std::unique_ptr<TBitmap> bitmap;
  std::unique_ptr<TcxCanvas> work;
  TcxCanvas* canvas = target;
  if (buffered) {
    bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(b->Bounds.Width(), b->Bounds.Height());
    work = std::make_unique<TcxCanvas>(bitmap->Canvas());
    work->SetWindowOrg(b->Bounds.TopLeft());
    canvas = work.get();
  }
  TRect content = b->Bounds, background = b->Bounds;
  DrawButtonBorderByStyle(canvas, visibleIndex, content, background, brush, text);
  if (!background.IsEmpty()) {
    bool handled = false;
    if (OnButtonBackgroundPaint) OnButtonBackgroundPaint(this, canvas, background, visibleIndex, handled);
    if (!handled) {
      if (b->Data.NativeState != 0) DrawNativeButtonBackground(canvas, b, background);
      else FillButtonBackground(canvas, b, background, brush);
    }
  }
  if (!content.IsEmpty()) {
    const bool offsetPressed = !Edit || (Edit->ContentParams().Options & cxEditContentOffsetPressed);
    DrawButtonContent(canvas, visibleIndex, b->Data.State == ebdsPressed && offsetPressed, brush, text, content);
  }
  if (bitmap) {
    work->SetWindowOrg(TPoint(0, 0));
    BitBlt(target->GetHandle(), b->Bounds.Left, b->Bounds.Top, b->Bounds.Width(), b->Bounds.Height(),
           bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
}

// ---------------------------------------------------------------------------------------------
// Borders

void TcxCustomEditViewInfo::DrawButtonBorderByStyle(TcxCanvas* canvas, int visibleIndex, TRect& content,
                                                    TRect& background, TColor& brush, TColor& text) {
  TcxEditButtonViewInfo* b = Button(visibleIndex);
  bool handled = false;
  if (OnButtonBorderPaint) OnButtonBorderPaint(this, canvas, visibleIndex, content, background, handled);
  if (handled) return;
  if (b->Data.NativeState != 0) return DrawButtonBorderNative(canvas, b, visibleIndex, content, background);
  if (Painter) {
    content = background;
    brush = Painter->EditorBackgroundColor(b->Data.State == ebdsDisabled);
    text = Painter->EditorButtonTextColor();
    if (brush == clDefault)
      brush = Edit ? Edit->ActiveEditStyle()->Color() : (b->Data.State == ebdsDisabled ? clBtnFace : clWindow);
    if (text == clDefault) text = clBtnText;
    return;
  }
  TcxEditButtonStyle style = b->Data.Style;
  if (style == btsSimple && (b->Data.State == ebdsPressed || b->Data.State == ebdsHot)) style = btsFlat;
  switch (style) {
    case btsFlat: DrawButtonBorderFlat(canvas, b, content, background, brush, text); break;
    case btsSimple: DrawButtonBorderSimple(canvas, b, content, background, brush, text); break;
    case btsHotFlat: DrawButtonBorderHotFlat(canvas, b, content, background, brush, text); break;
    case btsUltraFlat:
    case btsOffice11:
      DrawButtonBorderUltraFlat(canvas, b, content, background, brush, text, style == btsOffice11);
      break;
    default: DrawButtonBorder3D(canvas, b, content, background, brush, text);
  }
}

void TcxCustomEditViewInfo::DrawButtonBorderNative(TcxCanvas* canvas, TcxEditButtonViewInfo* b, int visibleIndex,
                                                   TRect& content, TRect& background) {
  if (visibleIndex == 0 && OnButtonBackgroundPaint) content = background;
  else if (b->Data.IsSingleDropDown) content = TRect();
  else if (HTHEME theme = OpenThemeByKind(totButton)) {
    RECT r;
    UxGetThemeBackgroundContentRect(theme, canvas->GetHandle(), 1, b->Data.NativeState, b->Bounds.Win(), &r);
    content = TRect(r.left, r.top, r.right, r.bottom);
  }
}

void TcxCustomEditViewInfo::DrawButtonBorder3D(TcxCanvas* canvas, TcxEditButtonViewInfo* b, TRect& content,
                                               TRect& background, TColor& brush, TColor& text) {
  brush = b->Data.Transparent ? b->Data.BackgroundColor : clBtnFace;
  text = clBtnText;
  TRect r = b->Bounds;
  if (b->Data.State == ebdsPressed) {
    FrameRectSides(canvas, r, clBtnShadow);
    FrameRectSides(canvas, r, brush);
  } else {
    DrawShadedFrame(canvas, r, cl3DLight, cl3DDkShadow);
    DrawShadedFrame(canvas, r, clBtnHighlight, clBtnShadow);
  }
  content = background = r;
}

void TcxCustomEditViewInfo::DrawButtonBorderFlat(TcxCanvas* canvas, TcxEditButtonViewInfo* b, TRect& content,
                                                 TRect& background, TColor& brush, TColor&) {
  brush = b->Data.Transparent ? b->Data.BackgroundColor : clBtnFace;
  TRect r = b->Bounds;
  DrawRectSides(canvas, r, {bLeft}, brush);
  const bool pressed = b->Data.State == ebdsPressed;
  DrawShadedFrame(canvas, r, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnShadow);
  DrawRectSides(canvas, r, {bRight}, brush);
  content = background = r;
}

void TcxCustomEditViewInfo::DrawButtonBorderSimple(TcxCanvas* canvas, TcxEditButtonViewInfo* b, TRect& content,
                                                   TRect& background, TColor& brush, TColor&) {
  brush = b->Data.Transparent ? b->Data.BackgroundColor : clBtnFace;
  TRect r = b->Bounds;
  if (!Transparent) FrameRectSides(canvas, r, b->Data.BackgroundColor);
  DrawRectSides(canvas, r, {bLeft, bRight}, brush);
  content = background = r;
}

void TcxCustomEditViewInfo::DrawButtonBorderHotFlat(TcxCanvas* canvas, TcxEditButtonViewInfo* b, TRect& content,
                                                    TRect& background, TColor& brush, TColor& text) {
  const TcxEditButtonDrawState state = b->Data.State;
  brush = b->Data.Transparent ? b->Data.BackgroundColor : HotFlatBrush(state);
  if (state == ebdsPressed || state == ebdsHot) text = state == ebdsHot && b->Data.Transparent ? clBtnShadow : clWindow;
  else text = clBtnText;
  TRect r = b->Bounds;
  const bool left = b->Data.LeftAlignment;
  if ((left && b->Data.Last) || (!left && b->Data.First)) {
    FrameRectSides(canvas, r, clBtnShadow);
  } else {
    const TcxBorder outer = left ? bLeft : bRight, inner = left ? bRight : bLeft;
    DrawRectSides(canvas, r, {bTop, bBottom, outer}, clBtnShadow);
    DrawRectSides(canvas, r, {inner}, brush);
  }
  DrawRectSides(canvas, r, {bLeft, bRight}, brush);
  content = background = r;
}

void TcxCustomEditViewInfo::DrawButtonBorderUltraFlat(TcxCanvas* canvas, TcxEditButtonViewInfo* b, TRect& content,
                                                      TRect& background, TColor& brush, TColor&, bool office11) {
  const TcxEditButtonDrawState state = b->Data.State;
  const bool active = state == ebdsPressed || state == ebdsHot;
  const TColor highlight = GetUltraFlatHotBorderColor(office11);
  if (b->Data.Transparent) brush = b->Data.BackgroundColor;
  else if (active) brush = GetUltraFlatButtonColor(state == ebdsPressed, office11);
  else brush = office11 && state == ebdsNormal ? Office11ButtonColor(state) : clBtnFace;
  TRect r = b->Bounds;
  const bool framed = !active || (!IsInPlace && EditBorderStyle == cbsNone) ||
                      (IsInPlace && !(PaintOptions & epoExternalBorder));
  if (framed) {
    if (active) FrameRectSides(canvas, r, highlight);
    else if (!b->Data.Transparent) FrameRectSides(canvas, r, b->Data.BackgroundColor);
    background = r;
    content = TRect(r.Left + 1, r.Top, r.Right - 1, r.Bottom);
    return;
  }
  TcxBorders sides{bLeft, bRight};
  if (b->Data.LeftAlignment) {
    if (b->Data.First) sides.Exclude(bLeft);
    if (b->Bounds.Right >= BorderRect.Right) sides.Exclude(bRight);
  } else {
    if (b->Data.Last) sides.Exclude(bRight);
    if (b->Bounds.Left <= BorderRect.Left) sides.Exclude(bLeft);
  }
  DrawRectSides(canvas, r, sides, highlight);
  r.Inflate(-1, -1);
  content = background = r;
}

// ---------------------------------------------------------------------------------------------
// Backgrounds

void TcxCustomEditViewInfo::DrawNativeButtonBackground(TcxCanvas* canvas, TcxEditButtonViewInfo* b, const TRect&) {
  HTHEME theme = OpenThemeByKind(b->Data.IsSingleDropDown ? totComboBox : totButton);
  if (!theme) return;
  int part = 1;
  if (b->Data.IsSingleDropDown && !IsInPlace && IsCompositionEnabled()) part = b->Data.LeftAlignment ? 7 : 6;
  UxDrawThemeBackground(theme, canvas->GetHandle(), part, b->Data.NativeState, b->Bounds.Win(), nullptr);
}

void TcxCustomEditViewInfo::FillButtonBackground(TcxCanvas* canvas, TcxEditButtonViewInfo* b, const TRect& rect,
                                                 TColor brush) {
  const TcxEditButtonDrawState state = b->Data.State;
  if (b->Data.Style != btsOffice11 || !b->Data.Gradient || b->Data.Transparent || state == ebdsDisabled || Painter)
    return canvas->FillRectColor(rect, brush);
  const TColor end = Office11ButtonColor(state);
  const TColor start = FadeColorToWhite(end, 40);
  TRect gradient(rect.Left, BorderRect.Top, rect.Right, BorderRect.Bottom);
  if (state == ebdsNormal) gradient.Inflate(0, -1);
  canvas->SaveClipRegion();
  canvas->IntersectClipRect(rect);
  FillGradientRect(canvas->GetHandle(), *gradient.Win(), start, end, false);
  canvas->RestoreClipRegion();
}

// ---------------------------------------------------------------------------------------------
// Content

void TcxCustomEditViewInfo::DrawButtonContent(TcxCanvas* canvas, int visibleIndex, bool pressedOffset, TColor brush,
                                              TColor text, const TRect& content) {
  TcxEditButtonViewInfo* b = Button(visibleIndex);
  const bool enabled = b->Data.State != ebdsDisabled;
  canvas->SaveClipRegion();
  canvas->IntersectClipRect(content);
  if (Painter) Painter->PaintEditorButton(canvas, content, skinButtonKinds[b->Data.Kind], painterStates[b->Data.State]);
  switch (b->Data.Kind) {
    case bkEllipsis:
      if (Painter) break;
      {
        const int size = content.Width() > 11 ? 2 : 1, total = 3 * size + 4;
        int x = content.Left + (content.Width() - total) / 2, y = content.Top + (content.Height() - size) / 2;
        if (pressedOffset && x + total < content.Right) x += 1;
        if (pressedOffset && y + size < content.Bottom) y += 1;
        DrawEnabledOrEmbossed(enabled, text, [&](int shift, TColor color) {
          for (int i = 0; i < 3; ++i) {
            const int left = x + shift + i * (size + 2);
            canvas->FillRectColor(TRect(left, y + shift, left + size, y + shift + size), color);
          }
        });
      }
      break;
    case bkDown:
      if (Painter) break;
      {
        TRect r = content;
        const int thickness = b->Bounds.Width() - content.Width();
        r.Left -= thickness / 2 + (pressedOffset ? 0 : thickness % 2);
        r.Right += thickness / 2 + (pressedOffset ? thickness % 2 : 0);
        if (IsInPlace) {
          const int vertical = b->Bounds.Height() - content.Height();
          r.Top -= vertical / 2;
          r.Bottom += vertical - vertical / 2;
        }
        if (pressedOffset) r.Offset(thickness % 2 == 0 ? 1 : 0, 1);
        const auto* standard = TcxStandardLookAndFeelPainter::Instance();
        DrawEnabledOrEmbossed(enabled, text, [&](int shift, TColor color) {
          TRect a = r;
          a.Offset(shift, shift);
          standard->DrawSolidArrow(canvas, a, adDown, color);
        });
      }
      break;
    case bkGlyph:
      if (IsBitmapUsable(b->Data.Glyph)) {
        TBitmap* glyph = b->Data.Glyph;
        int x = content.Left + (content.Width() - glyph->Width()) / 2, y = content.Top + (content.Height() - glyph->Height()) / 2;
        if (pressedOffset) x += 1, y += 1;
        DrawEditGlyph(canvas, x, y, glyph, enabled, clNone);
      }
      break;
    case bkText: {
      // The caption's font and cleared brush stay with it: the next button fills its background
      // with the canvas brush, and a cleared one would leave it unpainted.
      canvas->SaveState();
      canvas->SetFont(Font);
      canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
      TRect r(content.Left + 1, content.Top + (IsInPlace ? 0 : 1), content.Right - 2, content.Bottom - (IsInPlace ? 0 : 1));
      TColor color = b->Data.TextColor == clDefault ? TextColor : b->Data.TextColor;
      if (b->Data.Style == btsHotFlat && (b->Data.State == ebdsPressed || b->Data.State == ebdsHot)) color = text;
      if (enabled && pressedOffset) r.Offset(1, 1);
      canvas->GetFont()->SetColor(color);
      canvas->DrawText(b->Data.Caption, r, contentAlignmentFlags[b->Data.ContentAlignment] | buttonTextFlags, enabled);
      canvas->RestoreState();
      break;
    }
  }
  (void)brush;
  canvas->RestoreClipRegion();
}
