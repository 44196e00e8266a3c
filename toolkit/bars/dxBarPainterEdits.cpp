// The base painter's edit and combo drawing: the parts of an edit-like control, its caption and
// glyph areas, the two-ring frame of the edit box, the value, the combo's drop-down button, the
// entries and frame of the drop-down list, and the hosted edit window's formatting rectangle.
#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarEditControls.h"
#include "dxBarEditItems.h"
#include "dxBarItemControl.h"
#include "dxBarPainter.h"

namespace {
TdxBarCustomEditControl* EditControlOf(const TdxBarItemControlDrawParams& params) {
  return ObjectAs<TdxBarCustomEditControl>(params.BarItemControl);
}
}  // namespace

void TdxBarPainter::GetEditOffsets(TdxBarItemControl* control, bool caption, int& left, int& right) const {
  if (caption) {
    left = control->DrawParams().ShowsGlyph() ? 2 : GetEditCaptionIndentNoGlyph(control->DrawParams());
    right = GetEditCaptionRightIndent();
  } else {
    left = right = 2;
  }
}

int TdxBarPainter::GetComboEditOffset(int paintType) const { return GetEditBorders(paintType).Right; }

void TdxBarPainter::CalcEditPartRects(TdxBarItemControl* control, const TRect& editRect, TRect* parts) const {
  const TRect item = control->GetItemRect();
  const TRect borders = GetEditBorders(control->GetPaintType());
  const int iconWidth = control->GetIconAreaWidth();
  const int captionWidth = control->GetCaptionAreaWidth();
  parts[1] = {item.Left, item.Top, item.Left + iconWidth, item.Bottom};
  parts[2] = {parts[1].Right, item.Top, parts[1].Right + captionWidth, item.Bottom};
  parts[0] = editRect.IsEmpty() ? TRect()
                                : TRect(editRect.Left + borders.Left, editRect.Top + borders.Top,
                                        editRect.Right - borders.Right, editRect.Bottom - borders.Bottom);
}

void TdxBarPainter::CalcComboPartRects(TdxBarItemControl* control, TRect* parts) const {
  auto* edit = ObjectAs<TdxBarCustomEditControl>(control);
  const TRect editRect = edit ? edit->CalcEditRect() : control->GetItemRect();
  if (editRect.IsEmpty()) {
    parts[3] = {};
    return;
  }
  const TRect borders = GetEditBorders(control->GetPaintType());
  const TRect inner(editRect.Left + borders.Left, editRect.Top + borders.Top, editRect.Right - borders.Right,
                    editRect.Bottom - borders.Bottom);
  TCustomdxBarControl* bar = control->Parent();
  const int zeroWidth = bar && bar->GetCanvas() ? bar->GetCanvas()->TextWidth("0") : 7;
  const int arrowWidth = GetComboArrowWidth(bar, zeroWidth);
  parts[3] = {std::max(inner.Left, inner.Right - arrowWidth), inner.Top, inner.Right, inner.Bottom};
  parts[0].Right = std::max(parts[0].Left, parts[3].Left - GetComboEditGap());
}

bool TdxBarPainter::IsEditAreaSelected(const TdxBarItemControlDrawParams& params) const {
  return params.PaintType == ptMenu && params.DrawSelected;
}

void TdxBarPainter::FillEditItemAreas(const TdxBarItemControlDrawParams& params) const {
  TdxBarCustomEditControl* control = EditControlOf(params);
  if (!control) return;
  const HDC dc = params.Canvas->GetHandle();
  const HBRUSH brush = control->GetEditAreaBrush();
  const bool selected = IsEditAreaSelected(params);
  const bool inMenu = params.PaintType == ptMenu;
  if (params.ShowsCaption() || (inMenu && ShowsEditButtonsInMenus() && !params.ShowsGlyph())) {
    TRect caption = control->PartRect(2);
    const int indent = GetEditCaptionRightIndent();
    const TRect strip(caption.Right - indent, caption.Top, caption.Right, caption.Bottom);
    caption.Right -= indent;
    FillItemBackground(control, dc, selected, brush, caption);
    FillItemBackground(control, dc, false, brush, strip);
  }
  if (params.ShowsGlyph() && !inMenu) FillItemBackground(control, dc, selected, brush, control->PartRect(1));
}

void TdxBarPainter::DrawEdit(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TdxBarCustomEditControl* control = EditControlOf(params);
  if (!control) return;
  // The whole item first: the part rectangles do not cover the gaps between the parts.
  FillItemBackground(control, params.Canvas->GetHandle(), false, control->GetEditAreaBrush(), rect);
  FillEditItemAreas(params);
  control->DrawEditFrame(control->CalcEditRect());
  if (params.ShowsGlyph()) DrawEditGlyph(params, control->PartRect(1));
  if (params.ShowsCaption()) {
    TRect caption = control->PartRect(2);
    caption.Right -= GetEditCaptionRightIndent();
    DrawEditCaption(params, caption);
  }
  control->DrawValue(control->PartRect(0));
}

void TdxBarPainter::DrawEditFrame(const TdxBarItemControlDrawParams& params, const TRect& editRect) const {
  TdxBarItemControl* control = params.BarItemControl;
  const HDC dc = params.Canvas->GetHandle();
  const HBRUSH background = control->Parent()->CurrentBackgroundBrush();
  TRect r = editRect;
  if (params.DrawSelected) DrawEdge(dc, r.Win(), BDR_SUNKENOUTER, BF_RECT);
  else FrameItemBackground(control, dc, params.Pressed, background, r);
  r.Inflate(-1, -1);
  const bool plain = params.Enabled || params.SpecialLook;
  const HBRUSH inner = plain ? background : GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  const bool useBrush = params.Pressed || ((params.DrawSelected || !params.Enabled) && !params.SpecialLook);
  FrameItemBackground(control, dc, useBrush, inner, r);
}

void TdxBarPainter::DrawEditCaption(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  int left, right;
  GetEditOffsets(params.BarItemControl, true, left, right);
  TRect text = rect;
  text.Left += left;
  DrawItemText(params.BarItemControl, params.Canvas->GetHandle(), DT_SINGLELINE, IsFlatLookOnColoredFace(), false,
               false, params.PaintType == ptMenu && params.DrawSelected, params.Enabled, 0, text, params.Caption);
  ExcludeClipRect(params.Canvas->GetHandle(), rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TdxBarPainter::DrawEditGlyph(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TdxBarGlyphState state;
  state.Enabled = params.Enabled;
  state.Selected = params.PaintType == ptMenu && params.DrawSelected;
  DrawItemGlyph(params.BarItemControl, params.Canvas->GetHandle(), state, rect);
  ExcludeClipRect(params.Canvas->GetHandle(), rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TdxBarPainter::GetEditColors(TdxBarItemControl* control, TColor& text, TColor& background) const {
  if (control->GetEnabled()) {
    background = GetEditColor(control);
    text = clWindowText;
  } else {
    background = clBtnFace;
    text = clGrayText;
  }
}

void TdxBarPainter::DrawEditContent(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& rect) const {
  auto* item = ObjectAs<TdxBarEdit>(control->Item());
  TColor text, background;
  GetEditColors(control, text, background);
  canvas->SaveState();
  canvas->GetFont()->SetColor(text);
  canvas->SetBrushColor(background);
  canvas->IntersectClipRect(rect);
  if (item) item->DrawValue(control, canvas, rect);
  else canvas->FillRectColor(rect, background);
  canvas->RestoreState();
}

void TdxBarPainter::DrawEditValue(TdxBarItemControl*, TcxCanvas* canvas, const TRect& rect,
                                  const std::string& text) const {
  FillRect(canvas->GetHandle(), rect.Win(), canvas->GetBrush()->Handle());
  TRect textRect = rect;
  textRect.Left += 2;
  const int saved = SetBkMode(canvas->GetHandle(), TRANSPARENT);
  SetTextColor(canvas->GetHandle(), ColorToRGB(canvas->GetFont()->Color()));
  DrawTextA(canvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), textRect.Win(),
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetBkMode(canvas->GetHandle(), saved);
}

void TdxBarPainter::DrawComboButton(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  if (rect.IsEmpty()) return;
  int size = rect.Width() / 4;
  if (size % 2 == 0) ++size;
  DrawComboArrow(params, rect, GetComboArrowColor(params), size);
}

void TdxBarPainter::DrawComboItem(TCanvas* canvas, const TRect& rect, const std::string& text) const {
  canvas->FillRect(rect);
  TRect textRect = rect;
  textRect.Left += 2;
  const int saved = SetBkMode(canvas->Handle(), TRANSPARENT);
  DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), textRect.Win(),
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SetBkMode(canvas->Handle(), saved);
}

void TdxBarPainter::DrawDropDownListBorder(HDC dc, const TRect& rect, TColor color) const {
  FrameRect(dc, rect.Win(), GetSysColorBrush(COLOR_BTNSHADOW));
  TRect inner = rect;
  inner.Inflate(-1, -1);
  const HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FrameRect(dc, inner.Win(), brush);
  DeleteObject(brush);
}

void TdxBarPainter::SetEditTextRect(TdxBarItemControl* control, HWND window, const TRect& rect) const {
  TRect r(0, 0, rect.Width(), rect.Height());
  DeflateEditRect(control, r);
  SendMessageA(window, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(r.Win()));
}

void TdxBarPainter::AfterEditTextSet(HWND window, bool changed) const {
  if (changed) SendMessageA(window, WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(window));
  SendMessageA(window, EM_SETSEL, 0, -1);
}
