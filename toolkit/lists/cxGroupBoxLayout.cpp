// Where the group box's caption, frame and client area go: the caption table, the panel caption,
// the frame extents, and the view data that lays a box out.
#include <algorithm>
#include <climits>

#include "cxEditPaintUtils.h"
#include "cxGeometry.h"
#include "cxGraphics.h"
#include "cxGroupBox.h"
#include "dxThemeManager.h"

namespace {

TRect Deflated(const TRect& r, const TRect& by) {
  return TRect(r.Left + by.Left, r.Top + by.Top, r.Right - by.Right, r.Bottom - by.Bottom);
}

// A side of a rectangle by the caption side's number (top, bottom, left, right).
int& SideOf(TRect& r, int side) {
  switch (side) {
    case 0: return r.Top;
    case 1: return r.Bottom;
    case 2: return r.Left;
    default: return r.Right;
  }
}

constexpr int captionMargin = 8;  // from the frame's corner to a corner-aligned caption

// Sides a panel caption leans to, by alignment: left, right, top, bottom.
struct TLeaning {
  bool Left, Right, Top, Bottom;
};
constexpr TLeaning leaningOf[] = {
    {true, false, true, false},  {false, false, true, false}, {false, true, true, false},   // top
    {true, false, false, true},  {false, false, false, true}, {false, true, false, true},   // bottom
    {true, false, true, false},  {true, false, false, false}, {true, false, false, true},   // left
    {false, true, true, false},  {false, true, false, false}, {false, true, false, true},   // right
    {false, false, false, false}};                                                         // centre
enum TPlace : uint8_t { plStart, plMiddle, plEnd };
// Horizontal and vertical placing of a panel caption by alignment.
constexpr TPlace horzPlaceOf[] = {plStart, plMiddle, plEnd,   plStart, plMiddle, plEnd, plStart,
                                  plStart, plStart,  plEnd,   plEnd,   plEnd,    plMiddle};
constexpr TPlace vertPlaceOf[] = {plStart, plStart, plStart, plEnd,   plEnd, plEnd,   plStart,
                                  plMiddle, plEnd,  plStart, plMiddle, plEnd, plMiddle};

int Place(TPlace place, int start, int end, int size) {
  switch (place) {
    case plMiddle: return start + (end - start - size) / 2;
    case plEnd: return end - size;
    default: return start;
  }
}

TSize MeasureText(TFont* font, const std::string& text) {
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  canvas->SetFont(font);
  return canvas->TextExtent(text);
}

}  // namespace

int CaptionSideOf(TcxCaptionAlignment alignment) {
  return alignment == alCenterCenter ? cxCaptionSideNone : alignment / 3;
}

bool IsVerticalCaption(TcxCaptionAlignment alignment, bool panelActive) {
  return !panelActive && alignment >= alLeftTop && alignment <= alRightBottom;
}

TRect GroupBoxCaptionRect(TcxCaptionAlignment alignment, TSize text, TSize control, int s) {
  const int w = text.cx, h = text.cy, cw = control.cx, ch = control.cy;
  switch (alignment) {
    case alTopLeft: return TRect(captionMargin, 0, captionMargin + w, h);
    case alTopCenter: return RectBounds((cw - s - w) / 2, 0, w, h);
    case alTopRight: return TRect(cw - s - captionMargin - w, 0, cw - s - captionMargin, h);
    case alBottomLeft: return TRect(captionMargin, ch - h, captionMargin + w, ch);
    case alBottomCenter: return RectBounds((cw - s - w) / 2, ch - h, w, h);
    case alBottomRight: return TRect(cw - s - captionMargin - w, ch - h, cw - s - captionMargin, ch);
    case alLeftTop: return TRect(0, captionMargin, h, captionMargin + w + 1);
    case alLeftCenter: {
      const int bottom = ch - s - (ch - s - w) / 2;
      return TRect(0, bottom - w - 1, h, bottom);
    }
    case alLeftBottom: return TRect(0, ch - s - captionMargin - w - 1, h, ch - s - captionMargin);
    case alRightTop: return TRect(cw - h, captionMargin, cw, captionMargin + w);
    case alRightCenter: return RectBounds(cw - h, (ch - w) / 2, h, w);
    case alRightBottom: return TRect(cw - h, ch - captionMargin - w, cw, ch - captionMargin);
    default: return RectBounds((cw - s - w) / 2, (ch - s - h) / 2, w, h);
  }
}

TRect PanelCaptionArea(const TRect& frame, int borderWidth, int indent, TcxCaptionAlignment alignment) {
  const TLeaning& lean = leaningOf[alignment];
  return TRect(frame.Left + borderWidth + (lean.Left ? indent : 0), frame.Top + borderWidth + (lean.Top ? indent : 0),
               frame.Right - borderWidth - (lean.Right ? indent : 0),
               frame.Bottom - borderWidth - (lean.Bottom ? indent : 0));
}

TRect PlacePanelCaption(const TRect& area, TSize text, TcxCaptionAlignment alignment) {
  return RectBounds(Place(horzPlaceOf[alignment], area.Left, area.Right, text.cx),
                    Place(vertPlaceOf[alignment], area.Top, area.Bottom, text.cy), text.cx, text.cy);
}

UINT PanelCaptionTextFlags(TcxCaptionAlignment alignment, bool wordWrap) {
  static constexpr UINT horz[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  static constexpr UINT vert[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
  return horz[horzPlaceOf[alignment]] | vert[vertPlaceOf[alignment]] | (wordWrap ? DT_WORDBREAK : DT_SINGLELINE);
}

// ---------------------------------------------------------------------------------------------
// View data

TcxCustomGroupBox* TcxGroupBoxViewData::Box() const { return ObjectAs<TcxCustomGroupBox>(Edit); }

bool TcxGroupBoxViewData::UsesNativeEditTheme(TcxLookAndFeel* lookAndFeel) const {
  if (!lookAndFeel || lookAndFeel->SkinPainter()) return false;
  return (lookAndFeel->NativeStyle() || lookAndFeel->Kind() == lfOffice11) && OpenThemeByKind(totButton) != nullptr;
}

// Never hot, focused or pressed: the disabled style when disabled, else the normal one.
void TcxGroupBoxViewData::ComputeContainerState(const TRect& bounds, const TPoint& point,
                                                TcxContainerMouseButton button, TShiftState shift, bool isMouseEvent,
                                                TcxCustomEditViewInfo* viewInfo) {
  TcxCustomEditViewData::ComputeContainerState(bounds, point, button, shift, isMouseEvent, viewInfo);
  ContainerState = {Enabled ? csNormal : csDisabled};
  Selected = false;
  viewInfo->HotState = chsNoHotTrack;
  if (Edit) Style = static_cast<TcxCustomEditStyle*>(Edit->StyleState(Enabled ? cssNormal : cssDisabled));
}

bool TcxGroupBoxViewData::HasCaptionFrame() const {
  TcxCustomGroupBox* box = Box();
  return !InPlace && box && !box->PanelStyle()->Active() && box->Alignment() != alCenterCenter;
}

int TcxGroupBoxViewData::CaptionTextHeight() const {
  TcxCustomGroupBox* box = Box();
  return MeasureText(box ? box->CaptionFont() : Style->GetEffectiveFont(), "Qq").cy;
}

int TcxGroupBoxViewData::SkinCaptionSize() const {
  TcxCustomGroupBox* box = Box();
  const int side = CaptionSideOf(box->Alignment());
  const TRect offsets = StyleLookAndFeel()->SkinPainter()->GroupBoxBorderWidths(
      true, static_cast<TcxGroupBoxCaptionPosition>(side));
  return CaptionTextHeight() + (side < 2 ? offsets.Top + offsets.Bottom : offsets.Left + offsets.Right);
}

TRect TcxGroupBoxViewData::GetBorderExtentRect() {
  TRect extent = TcxCustomEditViewData::GetBorderExtentRect();
  if (!HasCaptionFrame()) return extent;
  const int side = CaptionSideOf(Box()->Alignment());
  const int half = CaptionTextHeight() / 2;
  SideOf(extent, side) = side < 2 ? half + 1 : half;
  return extent;
}

TRect TcxGroupBoxViewData::ComputeNonContentExtent(TcxCanvas*, TcxCustomEditViewInfo*) {
  TRect extent = TcxCustomEditViewData::GetBorderExtentRect();
  TcxCustomGroupBox* box = Box();
  if (InPlace || !box) return extent;
  const int side = CaptionSideOf(box->Alignment());
  if (TcxCustomLookAndFeelPainterClass skin = StyleLookAndFeel()->SkinPainter()) {
    const TcxGroupBoxCaptionPosition position = static_cast<TcxGroupBoxCaptionPosition>(side == 4 ? 0 : side);
    extent = skin->GroupBoxBorderWidths(false, position);
    // The skin's border is a pixel wide on every side.
    extent = RectInflateEdges(extent, 1, 1, 1, 1);
    if (HasShadow()) extent.Right += cxContainerShadowWidth, extent.Bottom += cxContainerShadowWidth;
    if (HasCaptionFrame() && !box->Caption().empty()) SideOf(extent, side) += SkinCaptionSize();
    return extent;
  }
  if (!HasCaptionFrame()) return extent;
  SideOf(extent, side) += CaptionTextHeight() + 3;
  return extent;
}

TColor TcxGroupBoxViewData::ComputeBorderColor(TcxCustomEditViewInfo* viewInfo) {
  const TcxContainerBorderStyle style = Style->BorderStyle();
  if (style != cbsUltraFlat && style != cbsOffice11) return Style->BorderColor();
  (void)viewInfo;
  return Enabled ? GetUltraFlatHotBorderColor(style == cbsOffice11) : clBtnShadow;
}

bool TcxGroupBoxViewData::HasShadow() {
  TcxCustomGroupBox* box = Box();
  if (InPlace || !box || NativeStyle || StyleLookAndFeel()->SkinPainter() || !Style->Shadow()) return false;
  const int side = CaptionSideOf(box->Alignment());
  return box->PanelStyle()->Active() || side == 0 || side == 2;
}

void TcxGroupBoxViewData::ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                        TcxContainerMouseButton button, TShiftState shift,
                                        TcxCustomEditViewInfo* editViewInfo, bool isMouseEvent) {
  NativeStyle = UsesNativeEditTheme(StyleLookAndFeel());
  TcxCustomEditViewData::ComputeLayout(canvas, bounds, point, button, shift, editViewInfo, isMouseEvent);
  auto* v = static_cast<TcxGroupBoxViewInfo*>(editViewInfo);
  TcxCustomGroupBox* box = Box();
  v->Kind = StyleLookAndFeel()->Kind();
  v->DesignTime = IsDesigning;
  if (InPlace || !box || bounds.Right == INT_MAX || bounds.Bottom == INT_MAX) return;
  v->Alignment = box->Alignment();
  v->Caption = box->ShownCaption();
  v->CaptionFont = box->CaptionFont();
  v->CaptionColor = box->CaptionColor();
  v->Ctl3D = box->Ctl3D();
  v->PanelActive = box->PanelStyle()->Active();
  v->PanelWordWrap = box->PanelStyle()->WordWrap();
  v->OfficeBackgroundKind = box->PanelStyle()->OfficeBackgroundKind();
  v->Vertical = IsVerticalCaption(v->Alignment, v->PanelActive);
  v->CaptionHalfHeight = CaptionTextHeight() / 2;
  v->Transparent = box->Transparent();
  const bool shadowed = v->Shadow && !NativeStyle && !v->Painter;
  v->FrameRect = RectInflateEdges(bounds, 0, 0, shadowed ? -cxContainerShadowWidth : 0,
                                  shadowed ? -cxContainerShadowWidth : 0);
  if (v->PanelActive) LayOutPanelCaption(canvas, v);
  else if (v->Painter) LayOutSkinCaption(v);
  else LayOutCaption(v);
}

void TcxGroupBoxViewData::LayOutCaption(TcxGroupBoxViewInfo* v) {
  TSize text(0, 0);
  if (!v->Caption.empty()) MeasureFontText(v->CaptionFont, v->Caption, v->CaptionFont->Size(), text);
  const int shadow = v->Shadow ? cxContainerShadowWidth : 0;
  v->CaptionRect = GroupBoxCaptionRect(v->Alignment, text, RectSize(v->Bounds), shadow);
  v->TextRect = v->CaptionRect;
  if (v->Caption.empty()) v->CaptionRect = v->TextRect = TRect();
}

void TcxGroupBoxViewData::LayOutPanelCaption(TcxCanvas* canvas, TcxGroupBoxViewInfo* v) {
  const TRect area = PanelCaptionArea(v->FrameRect, GetContainerBorderWidth(v->EditBorderStyle),
                                      Box()->PanelStyle()->CaptionIndent(), v->Alignment);
  TRect measured = RectSetWidth(area, std::max<int>(RectWidth(area), 0));
  if (!v->Caption.empty()) {
    canvas->SaveState();
    canvas->SetFont(v->CaptionFont);
    RECT r = *measured.Win();
    ::DrawTextA(canvas->GetHandle(), v->Caption.c_str(), static_cast<int>(v->Caption.size()), &r,
                DT_CALCRECT | (v->PanelWordWrap ? DT_WORDBREAK : DT_SINGLELINE));
    canvas->RestoreState();
    measured = TRect(r.left, r.top, r.right, r.bottom);
  } else {
    measured = TRect();
  }
  v->TextRect = PlacePanelCaption(area, RectSize(measured), v->Alignment);
  TRect clipped;
  RectIntersect(clipped, v->TextRect, area);
  v->CaptionRect = clipped;
}

// The caption strip is cut from the border rectangle on the caption side; the text stands in it
// less the skin's caption offsets, placed by the alignment.
void TcxGroupBoxViewData::LayOutSkinCaption(TcxGroupBoxViewInfo* v) {
  const int side = CaptionSideOf(v->Alignment);
  if (side == cxCaptionSideNone || v->Caption.empty()) {
    v->CaptionRect = v->TextRect = TRect();
    return;
  }
  const int size = SkinCaptionSize();
  TRect caption = v->BorderRect;
  switch (side) {
    case 0: caption.Bottom = caption.Top + size, v->BorderRect.Top += size; break;
    case 1: caption.Top = caption.Bottom - size, v->BorderRect.Bottom -= size; break;
    case 2: caption.Right = caption.Left + size, v->BorderRect.Left += size; break;
    default: caption.Left = caption.Right - size, v->BorderRect.Right -= size; break;
  }
  v->CaptionRect = caption;
  const TRect offsets = v->Painter->GroupBoxBorderWidths(true, static_cast<TcxGroupBoxCaptionPosition>(side));
  const TRect inner = Deflated(caption, offsets);
  TSize text(0, 0);
  MeasureFontText(v->CaptionFont, v->Caption, v->CaptionFont->Size(), text);
  if (v->Vertical) {
    const int top = Place(vertPlaceOf[v->Alignment], inner.Top, inner.Bottom, text.cx);
    v->TextRect = TRect(inner.Left, top, inner.Right, top + text.cx);
  } else {
    const int left = Place(horzPlaceOf[v->Alignment], inner.Left, inner.Right, text.cx);
    v->TextRect = TRect(left, inner.Top, left + text.cx, inner.Bottom);
  }
}
