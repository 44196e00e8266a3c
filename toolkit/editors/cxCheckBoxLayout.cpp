// The check box's layout: placing the box and the caption, the box's interaction state, the
// caption's text flags.
#include "cxCheckBox.h"
#include "cxGeometry.h"

#include <algorithm>

#include "cxControls.h"
#include "dxThemeManager.h"

namespace {

constexpr TcxContainerBorderStyle hotBorderStyles[] = {
    cbsFlat,       // cbsNone
    cbsThick,      // cbsSingle
    cbsThick,      // cbsThick
    cbs3D,         // cbsFlat
    cbs3D,         // cbs3D
    cbsUltraFlat,  // cbsUltraFlat
    cbsOffice11,   // cbsOffice11
};

// The areas for box (B) and caption (T) before the box is placed.
void PrepareAreas(const TcxCheckBoxPlacementParams& p, TRect& boxArea, TRect& textArea) {
  boxArea = textArea = p.Client;
  if (p.InPlace) {
    const int boxInset = p.ShowsCaptionInplace ? 0 : 2;
    if (p.Alignment == taLeftJustify) textArea.Right -= 2, boxArea.Left += boxInset;
    if (p.Alignment == taRightJustify) textArea.Left += 2, boxArea.Right -= boxInset;
    textArea.Top += p.ContentOffsets.Top;
    textArea.Bottom -= p.ContentOffsets.Bottom;
    return;
  }
  textArea = RectInflate(textArea, -2, -2);
  if (!p.ShowsCaptionInplace && !p.KeepsTextTop) textArea.Top -= 1;
  boxArea = RectInflate(boxArea, -2, -2);
}

}  // namespace

TcxCheckBoxPlacement PlaceCheckBox(const TcxCheckBoxPlacementParams& p) {
  TRect boxArea, text;
  PrepareAreas(p, boxArea, text);
  TRect box = boxArea;
  if (p.BoxSize.cy < RectHeight(boxArea)) {
    box.Top = boxArea.Top + (RectHeight(boxArea) - p.BoxSize.cy) / 2;
    box.Bottom = box.Top + p.BoxSize.cy;
  }
  if (p.BoxSize.cx >= RectWidth(boxArea)) {
    text = TRect();
  } else if (p.Alignment == taCenter) {
    box.Left = boxArea.Left + (RectWidth(boxArea) - p.BoxSize.cx) / 2;
    box.Right = box.Left + p.BoxSize.cx;
  } else if (p.Alignment == taRightJustify) {
    box.Left = boxArea.Right - p.BoxSize.cx;
    text.Right = box.Left - 3;
  } else {
    box.Right = boxArea.Left + p.BoxSize.cx;
    text.Left = box.Right + 3;
  }
  if (RectIsEmpty(box)) box = TRect();
  if (p.EmbossedText) text.Right += 1, text.Bottom += 1;
  return {box, text};
}

TcxEditCheckState ComputeCheckState(const TcxCheckStateInput& in) {
  if (!in.Enabled) return ecsDisabled;
  if (in.SpacePressed) return ecsPressed;
  if (in.Designing || !in.MouseInside) return ecsNormal;
  if (in.NoButtonHeld) return ecsHot;
  if (in.OnlyLeftButtonHeld && (in.PressStartedNow || in.WasPressed)) return ecsPressed;
  return ecsNormal;
}

Cardinal CheckBoxCaptionFlags(TAlignment alignment, bool multiLine, bool inPlace) {
  Cardinal flags = (alignment == taCenter ? cxAlignHCenter : cxAlignLeft) | cxShowPrefix;
  flags |= multiLine ? cxDontClip | cxWordBreak : cxSingleLine;
  flags |= inPlace || !multiLine ? cxAlignVCenter : cxAlignTop;
  return flags;
}

TcxContainerBorderStyle HotCheckBoxBorderStyle(TcxContainerBorderStyle style) { return hotBorderStyles[style]; }

// ---------------------------------------------------------------------------------------------
// View data

Cardinal TcxCustomCheckBoxViewData::CaptionTextFlags(TAlignment alignment) const {
  return CheckBoxCaptionFlags(alignment, CheckBoxProperties()->MultiLine(), InPlace);
}

TSize TcxCustomCheckBoxViewData::BoxSize(TcxCustomCheckBoxViewInfo* viewInfo) const {
  if (viewInfo->HasGlyph) return TSize(viewInfo->Glyph->Width() / viewInfo->GlyphCount, viewInfo->Glyph->Height());
  if (viewInfo->Painter) return viewInfo->Painter->CheckGlyphSize();
  if (OpenThemeByKind(totButton)) return TcxWinXPLookAndFeelPainter::Instance()->CheckGlyphSize();
  return TcxCustomLookAndFeelPainter::Instance()->CheckGlyphSize();
}

void TcxCustomCheckBoxViewData::PlaceBoxAndCaption(TcxCustomCheckBoxViewInfo* viewInfo, TSize box) {
  TcxCheckBoxPlacementParams params;
  params.Client = viewInfo->ClientRect;
  params.BoxSize = box;
  params.Alignment = viewInfo->Alignment;
  params.InPlace = InPlace;
  params.ShowsCaptionInplace = CheckBoxProperties()->ShowsCaptionInplace();
  params.ContentOffsets = ContentParams.Offsets;
  params.EmbossedText = !Enabled && !NativeStyle && !viewInfo->Painter;
  const TcxCheckBoxPlacement placed = PlaceCheckBox(params);
  viewInfo->CheckBoxRect = placed.CheckBoxRect;
  viewInfo->TextArea = placed.TextRect;
}

void TcxCustomCheckBoxViewData::ComputeCheckStateOf(TcxCustomCheckBoxViewInfo* viewInfo, const TPoint& point,
                                                    TcxContainerMouseButton button, TShiftState shift) {
  const TShiftState buttons = shift * TShiftState{ssLeft, ssRight, ssMiddle};
  TcxCheckStateInput input;
  input.Enabled = Enabled;
  input.SpacePressed = Edit && static_cast<TcxCustomCheckBox*>(Edit)->SpacePressed();
  input.Designing = IsDesigning;
  input.MouseInside = viewInfo->BorderRect.Contains(point);
  input.NoButtonHeld = buttons.Empty();
  input.OnlyLeftButtonHeld = buttons == TShiftState{ssLeft};
  input.PressStartedNow = button == cmbLeft;
  input.WasPressed = viewInfo->CheckState == ecsPressed;
  viewInfo->CheckState = ComputeCheckState(input);
}

void TcxCustomCheckBoxViewData::ComputeFocusRect(TcxCanvas* canvas, TcxCustomCheckBoxViewInfo* viewInfo) {
  viewInfo->FocusRect = TRect();
  const bool centred = viewInfo->Alignment == taCenter;
  const bool showsCaption = !InPlace || CheckBoxProperties()->ShowsCaptionInplace();
  if (!Focused || !((showsCaption && !centred) || (InPlace && centred && (viewInfo->PaintOptions & epoClipped))))
    return;
  TRect r;
  if (centred) {
    r = RectInflate(viewInfo->Bounds, -1, -1);
  } else if (!viewInfo->Text.empty()) {
    r = viewInfo->TextArea;
    if (!CheckBoxProperties()->FullFocusRect()) {
      canvas->SetFont(viewInfo->Font);
      canvas->CalcTextRect(viewInfo->Text, r, viewInfo->DrawTextFlags);
    }
    r = RectInflate(r, 1, 1);
  } else {
    return;
  }
  TRect limit = centred ? TRect(r.Left, viewInfo->ClientRect.Top, r.Right, viewInfo->ClientRect.Bottom)
                        : RectInflate(viewInfo->TextArea, 1, InPlace ? -1 : 1);
  if (InPlace && !centred) limit.Right = std::min<int>(limit.Right, viewInfo->BorderRect.Right - 1);
  IntersectRect(r, r, limit);
  viewInfo->FocusRect = r;
}

void TcxCustomCheckBoxViewData::ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                              TcxContainerMouseButton button, TShiftState shift,
                                              TcxCustomEditViewInfo* editViewInfo, bool isMouseEvent) {
  TcxCustomEditViewData::ComputeLayout(canvas, bounds, point, button, shift, editViewInfo, isMouseEvent);
  auto* viewInfo = static_cast<TcxCustomCheckBoxViewInfo*>(editViewInfo);
  TcxCustomCheckBoxProperties* properties = CheckBoxProperties();
  if (Edit) viewInfo->Text = Edit->Caption();
  const bool aligned = properties->ShowsCaptionInplace() || properties->UseAlignmentWhenInplace() ||
                       !viewInfo->Text.empty();
  viewInfo->Alignment = !InPlace || aligned ? properties->BoxAlignment() : taCenter;
  viewInfo->DrawTextFlags = CaptionTextFlags(viewInfo->Alignment);
  viewInfo->BoxBorderStyle = Style->BorderStyle();
  if (viewInfo->HotState == chsSelected) viewInfo->BoxBorderStyle = HotCheckBoxBorderStyle(viewInfo->BoxBorderStyle);
  viewInfo->Glyph = properties->GlyphIfAny();
  viewInfo->GlyphCount = properties->GlyphCount();
  viewInfo->NullStyle = properties->NullStyle();
  viewInfo->HasGlyph = viewInfo->GlyphCount > 0 && IsBitmapUsable(viewInfo->Glyph);
  viewInfo->CheckBorderOffset = NativeStyle || viewInfo->HasGlyph || viewInfo->Painter
                                    ? 0
                                    : 2 - GetContainerBorderWidth(viewInfo->BoxBorderStyle);
  PlaceBoxAndCaption(viewInfo, BoxSize(viewInfo));
  ComputeCheckStateOf(viewInfo, point, button, shift);
  if (Edit) viewInfo->State = properties->StateOfValue(Edit->EditValue());
  ComputeFocusRect(canvas, viewInfo);
  if (InPlace && viewInfo->BoxBorderStyle == cbsSingle)
    viewInfo->BorderColor = viewInfo->HotState == chsSelected || (IsDesigning && Enabled) ? clHighlight : clBtnShadow;
  viewInfo->TextColorAssigned = Style->IsValueAssigned(csvTextColor) ||
                                (viewInfo->Painter && !Enabled && viewInfo->Painter->EditorTextColor(true) != clDefault);
}

void TcxCustomCheckBoxViewData::PrepareDrawValue(TcxCanvas* canvas, const TVariant& value,
                                                 TcxCustomEditViewInfo* editViewInfo) {
  auto* viewInfo = static_cast<TcxCustomCheckBoxViewInfo*>(editViewInfo);
  viewInfo->State = PreviewMode ? cbsChecked : CheckBoxProperties()->StateOfValue(value);
  if (InPlace && !CheckBoxProperties()->ShowsCaptionInplace()) viewInfo->Text.clear();
  ComputeFocusRect(canvas, viewInfo);
}

void TcxCustomCheckBoxViewData::CalcConstantPartSize(TcxCanvas* canvas, bool editing, TcxCustomEditViewInfo* editViewInfo,
                                                     TSize& nonContentSize, TSize& minContentSize,
                                                     const TcxEditSizeProperties& request) {
  TcxCustomEditViewData::CalcConstantPartSize(canvas, editing, editViewInfo, nonContentSize, minContentSize, request);
  auto* viewInfo = static_cast<TcxCustomCheckBoxViewInfo*>(editViewInfo);
  const TSize box = BoxSize(viewInfo);
  const bool centred = viewInfo->Alignment == taCenter;
  canvas->SetFont(Style->GetEffectiveFont());
  const std::string caption = InPlace || centred ? std::string("Gg") : viewInfo->Text;
  TRect text(0, 0, 0, 0);
  if (!caption.empty()) canvas->CalcTextRect(caption, text, CaptionTextFlags(viewInfo->Alignment) & ~cxWordBreak);
  int height = InPlace ? box.cy + 2 * (1 - viewInfo->CheckBorderOffset) : box.cy + 4;
  int width = box.cx + 4;
  if (!centred && !viewInfo->Text.empty()) {
    TRect shown(0, 0, 0, 0);
    canvas->CalcTextRect(RemoveAccelChars(viewInfo->Text), shown, cxSingleLine);
    width = RectWidth(shown) + (viewInfo->TextArea.Left - viewInfo->Bounds.Left) +
            (viewInfo->Bounds.Right - viewInfo->TextArea.Right);
  }
  minContentSize.cx = std::max<int>(minContentSize.cx, width);
  minContentSize.cy = std::max<int>(minContentSize.cy, std::max<int>(height, RectHeight(text)));
}
