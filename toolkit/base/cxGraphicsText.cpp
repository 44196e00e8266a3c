// Text on the toolkit canvas: flag translation, measuring, multi-line alignment, embossed disabled
// text, rotated fonts and taking over another device context's objects.
#include <algorithm>

#include "cxGeometry.h"
#include "cxGraphics.h"

namespace {

struct TTextFlagMap {
  Cardinal Flag;
  UINT DrawTextFlag;
};

constexpr TTextFlagMap TextFlagMap[] = {
    {cxAlignRight, DT_RIGHT},         {cxAlignHCenter, DT_CENTER},        {cxAlignBottom, DT_BOTTOM},
    {cxAlignVCenter, DT_VCENTER},     {cxSingleLine, DT_SINGLELINE},      {cxDontClip, DT_NOCLIP},
    {cxExpandTabs, DT_EXPANDTABS},    {cxShowEndEllipsis, DT_END_ELLIPSIS}, {cxDontPrint, DT_CALCRECT},
    {cxShowPathEllipsis, DT_PATH_ELLIPSIS},
};

constexpr Cardinal HorzAlignments = cxAlignLeft | cxAlignRight | cxAlignHCenter;
constexpr Cardinal VertAlignments = cxAlignTop | cxAlignBottom | cxAlignVCenter;

// The canvas selects its font, pen and brush only on demand; raw platform calls need them now.
struct TCanvasAccess : TCanvas {
  static void Require(TCanvas* canvas, TCanvasStates states) {
    void (TCanvas::*require)(TCanvasStates) = &TCanvasAccess::RequiredState;
    (canvas->*require)(states);
  }
};

TBrushStyle BrushStyleOf(const LOGBRUSH& brush) {
  static constexpr TBrushStyle hatches[] = {TBrushStyle::bsHorizontal, TBrushStyle::bsVertical,
                                            TBrushStyle::bsFDiagonal,  TBrushStyle::bsBDiagonal,
                                            TBrushStyle::bsCross,      TBrushStyle::bsDiagCross};
  if (brush.lbStyle == BS_HOLLOW) return TBrushStyle::bsClear;
  if (brush.lbStyle == BS_HATCHED && brush.lbHatch < 6) return hatches[brush.lbHatch];
  return TBrushStyle::bsSolid;
}

TPenStyle PenStyleOf(UINT style) {
  static constexpr TPenStyle styles[] = {TPenStyle::psSolid,      TPenStyle::psDash,  TPenStyle::psDot,
                                         TPenStyle::psDashDot,    TPenStyle::psDashDotDot,
                                         TPenStyle::psClear,      TPenStyle::psInsideFrame};
  UINT index = style & 0xFF;
  return index < 7 ? styles[index] : TPenStyle::psSolid;
}

}  // namespace

UINT TextFlagsToDrawTextFlags(Cardinal flags) {
  UINT result = DT_NOPREFIX;
  for (const TTextFlagMap& m : TextFlagMap)
    if (flags & m.Flag) result |= m.DrawTextFlag;
  if (flags & cxShowPrefix) result &= ~DT_NOPREFIX;
  if (flags & cxWordBreak) result |= (flags & cxDontBreakChars) ? DT_WORDBREAK : DT_WORDBREAK | DT_EDITCONTROL;
  return result;
}

void TcxCanvas::SelectFontAndHandle() {
  TCanvasAccess::Require(canvas_, {TCanvasState::csHandleValid, TCanvasState::csFontValid});
}

TSize TcxCanvas::TextExtent(const std::string& text) {
  SelectFontAndHandle();
  SIZE size{0, 0};
  if (!GetTextExtentPoint32A(GetHandle(), text.data(), static_cast<int>(text.size()), &size)) size = SIZE{0, 0};
  return TSize(size.cx, size.cy);
}

int TcxCanvas::FontHeight(TFont* font) {
  SetFont(font);
  return TextHeight("Qq");
}

void TcxCanvas::CalcTextRect(const std::string& text, TRect& rect, Cardinal flags) {
  const int width = RectWidth(rect), height = RectHeight(rect);
  const UINT dt = TextFlagsToDrawTextFlags(flags);
  // Word breaking needs a width to work with.
  if (width <= 0 && !text.empty()) rect.Right = rect.Left + 1;
  SelectFontAndHandle();
  RECT r = rect;
  // Measured from the top: with bottom alignment the platform keeps the bottom where it was and
  // answers the whole height; the alignment is applied below.
  const UINT measure = (dt & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT;
  if (::DrawTextA(GetHandle(), text.data(), static_cast<int>(text.size()), &r, measure) == 0) {
    r.right = r.left;
    r.bottom = r.top;
  }
  rect = r;
  int dx = 0, dy = 0;
  if (dt & DT_CENTER) dx = (width - RectWidth(rect)) / 2;
  else if (dt & DT_RIGHT) dx = width - RectWidth(rect);
  if (dt & DT_VCENTER) dy = (height - RectHeight(rect)) / 2;
  else if (dt & DT_BOTTOM) dy = height - RectHeight(rect);
  rect = RectOffset(rect, dx, dy);
}

void TcxCanvas::AlignMultiLineText(TRect& rect, const std::string& text, bool dontBreakChars, bool enabled,
                                   bool showPrefix, bool wordBreak, TcxAlignMultiLineKind kind) {
  if (kind == amlNone) return;
  const int e = enabled ? 0 : 1;  // the embossed copy is one pixel larger
  TRect measured(0, 0, RectWidth(rect) - e, 0);
  Cardinal flags = cxAlignLeft | cxAlignTop;
  if (wordBreak) flags |= cxWordBreak;
  if (showPrefix) flags |= cxShowPrefix;
  if (dontBreakChars) flags |= cxDontBreakChars;
  CalcTextRect(text, measured, flags);
  const int textHeight = RectHeight(measured);
  if (kind == amlBottom)
    rect.Top = rect.Bottom - textHeight - e;
  else
    rect.Top = (rect.Top + rect.Bottom - textHeight) / 2;
}

void TcxCanvas::DrawText(const std::string& text, const TRect& rect, Cardinal flags, bool enabled) {
  if (text.empty()) return;
  // DrawText for what only it can do; ExtTextOut, faster, for plain single lines.
  const bool useDrawText =
      !(flags & cxSingleLine) || (flags & (cxShowPrefix | cxShowEndEllipsis | cxShowPathEllipsis));
  const TSize extent = TextExtent(text);
  if (extent.cx <= RectWidth(rect) && extent.cy <= RectHeight(rect)) flags |= cxDontClip;

  TRect r = rect;
  if (!useDrawText)
    AlignTextOut(r, flags, extent, enabled);
  else if (!(flags & cxSingleLine) && (flags & (cxAlignBottom | cxAlignVCenter)))
    AlignMultiLineText(r, text, flags & cxDontBreakChars, enabled, flags & cxShowPrefix, flags & cxWordBreak,
                       (flags & cxAlignBottom) ? amlBottom : amlCenter);

  const TBrushStyle brushStyle = GetBrush()->Style();
  const TColor fontColor = GetFont()->Color();
  if (!enabled) {
    // Embossed: the highlight one pixel right and down, then the shadow in place.
    GetBrush()->SetStyle(TBrushStyle::bsClear);
    GetFont()->SetColor(clBtnHighlight);
    DrawTextPass(text, RectOffset(r, 1, 1), flags, useDrawText);
    GetFont()->SetColor(clBtnShadow);
  }
  DrawTextPass(text, r, flags, useDrawText);
  if (GetBrush()->Style() != brushStyle) GetBrush()->SetStyle(brushStyle);
  GetFont()->SetColor(fontColor);
}

void TcxCanvas::AlignTextOut(TRect& r, Cardinal flags, TSize extent, bool enabled) {
  const int e = enabled ? 0 : 1;
  if (extent.cx < RectWidth(r)) {
    Cardinal horz = flags & HorzAlignments;
    if (horz == cxAlignRight) r.Left = r.Right - extent.cx - e;
    else if (horz == cxAlignHCenter) r.Left = (r.Left + r.Right - extent.cx) / 2;
  }
  if (extent.cy < RectHeight(r)) {
    Cardinal vert = flags & VertAlignments;
    if (vert == cxAlignBottom) r.Top = r.Bottom - extent.cy - e;
    else if (vert == cxAlignVCenter) r.Top = (r.Top + r.Bottom - extent.cy) / 2;
  }
}

void TcxCanvas::DrawTextPass(const std::string& text, const TRect& r, Cardinal flags, bool useDrawText) {
  TCanvasAccess::Require(canvas_, {TCanvasState::csHandleValid, TCanvasState::csFontValid, TCanvasState::csBrushValid});
  RECT rect = r;
  if (useDrawText)
    ::DrawTextA(GetHandle(), text.data(), static_cast<int>(text.size()), &rect, TextFlagsToDrawTextFlags(flags));
  else
    ::ExtTextOutA(GetHandle(), r.Left, r.Top, (flags & cxDontClip) ? 0 : ETO_CLIPPED, &rect, text.data(),
                  static_cast<UINT>(text.size()), nullptr);
}

void TcxCanvas::RotateFont(int degrees) {
  LOGFONTA font{};
  if (!GetObjectA(GetFont()->Handle(), sizeof(font), &font)) return;
  font.lfEscapement = degrees * 10;
  // Only TrueType faces turn.
  if (degrees != 0) font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  HFONT rotated = CreateFontIndirectA(&font);
  if (rotated) GetFont()->SetHandle(rotated);
}

void TcxCanvas::TakeObjectsFromDC(HDC dc) {
  LOGFONTA font{};
  if (GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font)) {
    if (HFONT copy = CreateFontIndirectA(&font)) GetFont()->SetHandle(copy);
  }
  GetFont()->SetColor(static_cast<TColor>(GetTextColor(dc)));

  LOGBRUSH brush{};
  if (GetObjectA(GetCurrentObject(dc, OBJ_BRUSH), sizeof(brush), &brush)) {
    if (HBRUSH copy = CreateBrushIndirect(&brush)) GetBrush()->SetHandle(copy);
    GetBrush()->SetColor(static_cast<TColor>(brush.lbColor));
    GetBrush()->SetStyle(BrushStyleOf(brush));
  }

  LOGPEN pen{};
  if (GetObjectA(GetCurrentObject(dc, OBJ_PEN), sizeof(pen), &pen)) {
    if (HPEN copy = CreatePenIndirect(&pen)) GetPen()->SetHandle(copy);
    GetPen()->SetColor(static_cast<TColor>(pen.lopnColor));
    GetPen()->SetStyle(PenStyleOf(pen.lopnStyle));
    GetPen()->SetMode(Rop2ToPenMode(GetROP2(dc)));
    GetPen()->SetWidth(pen.lopnWidth.x);
  }
}
