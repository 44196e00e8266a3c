#include "dxSkinsLookAndFeelPainter.h"

#include <cmath>
#include <numbers>

#include "cxGeometry.h"

CX_IMPLEMENT_PAINTER(TdxSkinLookAndFeelPainter, TcxOffice11LookAndFeelPainter)

using Parent = TcxOffice11LookAndFeelPainter;

TdxSkinElementState ButtonStateToSkinState(TcxButtonState state) {
  switch (state) {
    case cxbsHot: return esHot;
    case cxbsPressed: return esPressed;
    case cxbsDisabled: return esDisabled;
    default: return esNormal;
  }
}

TdxSkinLookAndFeelPainterInfo* TdxSkinLookAndFeelPainter::GetSkinInfo() const {
  TObject* data = nullptr;
  if (TcxExtendedStylePainters* registry = ExtendedStylePainters()) registry->FindDataByPainter(this, data);
  return ObjectAs<TdxSkinLookAndFeelPainterInfo>(data);
}

std::string TdxSkinLookAndFeelPainter::SkinUnitName() const { return "dxSkinsLookAndFeelPainter"; }

TdxSkinElement* TdxSkinLookAndFeelPainter::Bound(TdxSkinElementId id) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info ? info->Element(id) : nullptr;
}

TdxSkinColor* TdxSkinLookAndFeelPainter::BoundColor(TdxSkinColorId id) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info ? info->SkinColor(id) : nullptr;
}

TdxSkinColor* TdxSkinLookAndFeelPainter::BoundColorProperty(TdxSkinPropertyId id) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  return info ? info->ColorProperty(id) : nullptr;
}

void TdxSkinLookAndFeelPainter::DrawElement(TcxCanvas* canvas, TdxSkinElement* element, const TRect& rect,
                                            int imageIndex, TdxSkinElementState state) {
  element->Draw(canvas->GetHandle(), rect, imageIndex, state);
}

bool TdxSkinLookAndFeelPainter::PaintEditorButtonBackground(TcxCanvas* canvas, const TRect& rect, int which,
                                                            TdxSkinElementState state) const {
  TdxSkinElement* element = Bound(which == 0 ? seEditorButton : seCloseButton);
  if (!element) return false;
  DrawElement(canvas, element, rect, 0, state);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Colours: the bound colour, else the parent's.

#define DX_SKIN_COLOR(Operation, Source) \
  TColor TdxSkinLookAndFeelPainter::Operation() const { Source return Parent::Operation(); }
#define DX_FROM_SKIN_COLOR(Operation, Id) \
  DX_SKIN_COLOR(Operation, if (TdxSkinColor* c = BoundColor(Id)) return c->Value();)
#define DX_FROM_ELEMENT(Operation, Id, Property) \
  DX_SKIN_COLOR(Operation, if (TdxSkinElement* e = Bound(Id)) return e->Property();)

DX_FROM_SKIN_COLOR(ContentColor, scContentColor)
DX_FROM_SKIN_COLOR(ContentTextColor, scContentTextColor)
DX_FROM_SKIN_COLOR(HeaderBackgroundColor, scHeaderBackgroundColor)
DX_FROM_SKIN_COLOR(HeaderBackgroundTextColor, scHeaderBackgroundTextColor)
DX_FROM_SKIN_COLOR(AuxColor08, scContentColor)
DX_FROM_SKIN_COLOR(AuxColor10, scContentColor)
DX_FROM_SKIN_COLOR(SelectionColor, scSelectionColor)
DX_FROM_SKIN_COLOR(SelectionTextColor, scSelectionTextColor)
DX_SKIN_COLOR(ContentEvenColor, if (TdxSkinColor* c = BoundColor(scContentEvenColor)) if (c->Value() != clDefault) return c->Value();)
DX_SKIN_COLOR(ContentOddColor, if (TdxSkinColor* c = BoundColor(scContentOddColor)) if (c->Value() != clDefault) return c->Value();)
DX_FROM_ELEMENT(FilterPanelTextColor, seGridFilterPanel, TextColor)
DX_FROM_ELEMENT(FixedLineColor, seGridFixedLine, Color)
DX_FROM_ELEMENT(GridLineColor, seGridLine, Color)
DX_FROM_ELEMENT(GroupPanelTextColor, seGridGroupPanel, TextColor)
DX_FROM_ELEMENT(GroupRowColor, seGroupRow, Color)
DX_FROM_ELEMENT(GroupRowTextColor, seGroupRow, TextColor)
DX_FROM_ELEMENT(HeaderColor, seHeader, Color)
DX_FROM_ELEMENT(HeaderTextColor, seHeader, TextColor)
DX_FROM_ELEMENT(FixedGridLineColor, seGridFixedLine, Color)
DX_SKIN_COLOR(FormContentColor, if (TdxSkinElement* e = Bound(seFormContent)) if (e->Color() != clDefault) return e->Color();)
DX_FROM_ELEMENT(CategoryColor, seCategory, Color)
DX_FROM_ELEMENT(CategoryTextColor, seCategory, TextColor)
DX_FROM_ELEMENT(VerticalGridLineColor, seVerticalGridLine, Color)
DX_FROM_ELEMENT(BandBorderColor, seBandBorder, Color)
DX_SKIN_COLOR(NavigatorColor, if (TdxSkinColor* c = BoundColorProperty(spNavigatorColor)) return c->Value();)
DX_FROM_ELEMENT(AppointmentTextColor, seAppointment, TextColor)
DX_FROM_ELEMENT(CardSeparatorColor, seCardSeparator, Color)
DX_FROM_ELEMENT(EditorButtonTextColor, seEditorButton, TextColor)
#undef DX_FROM_ELEMENT
#undef DX_FROM_SKIN_COLOR
#undef DX_SKIN_COLOR

TColor TdxSkinLookAndFeelPainter::AuxColor12() const { return AppointmentTextColor(); }

TColor TdxSkinLookAndFeelPainter::EditorBackgroundColor(bool disabled) const {
  if (TdxSkinColor* c = BoundColorProperty(disabled ? spEditorsBackgroundDisabledColor : spEditorsBackgroundColor))
    return c->Value();
  return Parent::EditorBackgroundColor(disabled);
}

TColor TdxSkinLookAndFeelPainter::EditorTextColor(bool disabled) const {
  if (TdxSkinColor* c = BoundColorProperty(disabled ? spEditorsTextDisabledColor : spEditorsTextColor)) return c->Value();
  return Parent::EditorTextColor(disabled);
}

TColor TdxSkinLookAndFeelPainter::ContainerBorderColor(bool highlighted) const {
  if (TdxSkinColor* c = BoundColor(highlighted ? scContainerHighlightBorderColor : scContainerBorderColor))
    return c->Value();
  return Parent::ContainerBorderColor(highlighted);
}

// ---------------------------------------------------------------------------------------------
// Buttons, check boxes, radio buttons, expand buttons

void TdxSkinLookAndFeelPainter::PaintBorder(TcxCanvas* canvas, const TRect& rect) const {
  TdxSkinCanvasStateSaver saver(canvas);
  canvas->FrameRect(rect, ContainerBorderColor(false), 1, cxBordersAll);
}

int TdxSkinLookAndFeelPainter::ButtonBorderWidth(TcxButtonState state) const {
  return Bound(seButton) ? 0 : Parent::ButtonBorderWidth(state);
}

TRect TdxSkinLookAndFeelPainter::ButtonGroupBorderWidths(int buttonCount, int buttonIndex) const {
  TdxSkinElement* button = Bound(seEditorButton);
  if (!button) return Parent::ButtonGroupBorderWidths(buttonCount, buttonIndex);
  TSize s = ImageSize(button), g = NavigatorGlyphSize();
  int dx = (s.cx - g.cx) / 2, dy = (s.cy - g.cy) / 2;
  return TRect(dx, dy, dx, dy);
}

TColor TdxSkinLookAndFeelPainter::ButtonGlyphColor(TcxButtonState state, TColor color) const {
  TdxSkinElement* button = Bound(seButton);
  if (!button) return Parent::ButtonGlyphColor(state, color);
  if (state == cxbsDisabled)
    if (TdxSkinColor* disabled = BoundColorProperty(spButtonDisabledText)) return disabled->Value();
  return button->TextColor();
}

void TdxSkinLookAndFeelPainter::PaintButton(TcxCanvas* canvas, const TRect& rect, const std::string& caption,
                                            TcxButtonState state, bool drawBorder, TColor color, TColor textColor,
                                            bool wordWrap) const {
  TdxSkinElement* button = Bound(seButton);
  if (!button) return TcxCustomLookAndFeelPainter::PaintButton(canvas, rect, caption, state, drawBorder, color,
                                                               textColor, wordWrap);
  DrawElement(canvas, button, rect, 0, ButtonStateToSkinState(state));
  TdxSkinCanvasStateSaver saver(canvas);
  TRect text = RectDeflateByMargins(rect, button->ContentOffset()->GetRect());
  canvas->GetFont()->SetColor(textColor != clDefault ? textColor : ButtonGlyphColor(state, clDefault));
  canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
  if ((text.Bottom - text.Top) % 2 != 0) --text.Bottom;
  if (text.Bottom - text.Top < 18) --text.Top;
  if (state == cxbsPressed) text = RectOffset(text, ButtonPressedShift(), ButtonPressedShift());
  if (!caption.empty()) canvas->DrawText(caption, text, wordWrap ? 1572 : 612, state != cxbsDisabled);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsSolid);
}

void TdxSkinLookAndFeelPainter::PaintCaptionlessButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                                       int, int, TColor) const {
  PaintEditorButton(canvas, rect, cxbkEditorBtn, state);
}

void TdxSkinLookAndFeelPainter::PaintStateFrame(TcxCanvas*, const TRect&, bool, bool) const {}

void TdxSkinLookAndFeelPainter::PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded,
                                                  TColor color) const {
  TdxSkinElement* plusMinus = Bound(sePlusMinus);
  if (!plusMinus) return Parent::PaintExpandButton(canvas, rect, expanded, color);
  DrawElement(canvas, plusMinus, rect, expanded ? 1 : 0);
}

void TdxSkinLookAndFeelPainter::PaintSmallExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded,
                                                       TColor frameColor, TColor color) const {
  if (!Bound(sePlusMinus)) return Parent::PaintSmallExpandButton(canvas, rect, expanded, frameColor, color);
  PaintExpandButton(canvas, rect, expanded, color);
}

int TdxSkinLookAndFeelPainter::ExpandButtonExtent() const {
  TdxSkinElement* plusMinus = Bound(sePlusMinus);
  return plusMinus ? ImageSize(plusMinus).cy : Parent::ExpandButtonExtent();
}

TSize TdxSkinLookAndFeelPainter::CheckGlyphSize() const {
  TdxSkinElement* check = Bound(seCheckbox);
  return check ? ImageSize(check) : Parent::CheckGlyphSize();
}

void TdxSkinLookAndFeelPainter::PaintCheckBox(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                              TcxCheckBoxState checkState) const {
  TdxSkinElement* check = Bound(seCheckbox);
  if (!check) return Parent::PaintCheckBox(canvas, rect, state, checkState);
  DrawElement(canvas, check, rect, checkState, ButtonStateToSkinState(state));
}

void TdxSkinLookAndFeelPainter::PaintRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked,
                                                 bool focused, TColor backgroundColor, bool highlighted) const {
  TdxSkinElement* radio = Bound(seRadioButton);
  if (!radio)
    return Parent::PaintRadioButton(canvas, x, y, state, checked, focused, backgroundColor, highlighted);
  TSize size = ImageSize(radio);
  TRect r(x, y, x + size.cx, y + size.cy);
  TdxSkinCanvasStateSaver saver(canvas);
  if (backgroundColor != clDefault) canvas->FillRectColor(r, backgroundColor);
  DrawElement(canvas, radio, r, checked ? 1 : 0, ButtonStateToSkinState(state));
}

TSize TdxSkinLookAndFeelPainter::RadioButtonSize() const {
  TdxSkinElement* radio = Bound(seRadioButton);
  return radio ? ImageSize(radio) : Parent::RadioButtonSize();
}

// ---------------------------------------------------------------------------------------------
// Scroll bars, size grip, editor buttons, navigator

int TdxSkinLookAndFeelPainter::ScrollBarMinThumbLength(bool horizontal) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinScrollInfo* thumb = info ? info->ScrollBarInfos[horizontal][sbpThumbnail].get() : nullptr;
  if (!thumb || !thumb->Element) return Parent::ScrollBarMinThumbLength(horizontal);
  TSize size = ImageSize(thumb->Element);
  return horizontal ? size.cx : size.cy;
}

void TdxSkinLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect,
                                                   TcxScrollBarPart part, TcxButtonState state) const {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinScrollInfo* scroll = info ? info->ScrollBarInfos[horizontal][part].get() : nullptr;
  if (!scroll || !scroll->Element) return Parent::PaintScrollBarPart(canvas, horizontal, rect, part, state);
  DrawElement(canvas, scroll->Element, rect, scroll->ImageIndex, ButtonStateToSkinState(state));
}

TSize TdxSkinLookAndFeelPainter::SizeGripSize() const {
  TdxSkinElement* grip = Bound(seSizeGrip);
  return grip ? ImageSize(grip) : Parent::SizeGripSize();
}

void TdxSkinLookAndFeelPainter::PaintSizeGrip(TcxCanvas* canvas, const TRect& rect, TColor backgroundColor) const {
  TdxSkinElement* grip = Bound(seSizeGrip);
  if (!grip) return Parent::PaintSizeGrip(canvas, rect, backgroundColor);
  TdxSkinCanvasStateSaver saver(canvas);
  canvas->FillRectColor(rect, backgroundColor);
  DrawElement(canvas, grip, rect);
}

// The grip's own colour when the skin gives one, else the skin's form background.
TColor TdxSkinLookAndFeelPainter::SizeGripAreaColor() const {
  if (TdxSkinElement* grip = Bound(seSizeGrip); grip && grip->Color() != clDefault) return grip->Color();
  return FormContentColor();
}

void TdxSkinLookAndFeelPainter::PaintScrollButtonFace(TcxCanvas* canvas, const TRect& rect,
                                                      TcxButtonState state) const {
  PaintEditorButtonBackground(canvas, rect, 0, ButtonStateToSkinState(state));
}

void TdxSkinLookAndFeelPainter::PaintEditorButton(TcxCanvas* canvas, const TRect& rect, TcxEditBtnKind kind,
                                                  TcxButtonState state) const {
  if (!PaintEditorButtonBackground(canvas, rect, kind == cxbkCloseBtn ? 1 : 0, ButtonStateToSkinState(state)))
    return Parent::PaintEditorButton(canvas, rect, kind, state);
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!info) return;
  TdxSkinElement* button = info->Element(seEditorButton);
  TRect content = button ? RectDeflateByMargins(rect, button->ContentOffset()->GetRect()) : rect;
  if (kind == cxbkEllipsisBtn) {
    int s = content.Right - content.Left >= 12 ? 2 : 1;
    TRect dots = RectCenterWH(content, 3 * s + 4, s);
    TColor color = button ? button->TextColor() : clDefault;
    TdxSkinCanvasStateSaver saver(canvas);
    for (int left : {dots.Left, dots.Left + s + 2, dots.Left + 2 * s + 4})
      canvas->FillRectColor(TRect(left, dots.Top, left + s, dots.Top + s), color);
  } else if (kind != cxbkCloseBtn) {
    if (TdxSkinElement* glyph = info->EditorButtonElements[kind])
      glyph->Glyph()->Draw(canvas->GetHandle(), content, 0, esNormal);
  }
}

int TdxSkinLookAndFeelPainter::EditorButtonInset() const { return 1; }

TSize TdxSkinLookAndFeelPainter::EditorButtonSize() const {
  TdxSkinElement* button = Bound(seEditorButton);
  return button ? ImageSize(button) : Parent::EditorButtonSize();
}

void TdxSkinLookAndFeelPainter::PaintNavigatorGlyph(TcxCanvas* canvas, TCustomImageList* imageList, int imageIndex,
                                                    int buttonIndex, const TRect& glyphRect, bool enabled,
                                                    bool userGlyphs) const {
  TdxSkinElement* navigator = Bound(seNavigator);
  TdxSkinElement* vertical = Bound(seNavigatorVert);
  if (!navigator || !vertical || userGlyphs)
    return Parent::PaintNavigatorGlyph(canvas, imageList, imageIndex, buttonIndex, glyphRect, enabled, userGlyphs);
  if (imageIndex < navigator->ImageCount())
    DrawElement(canvas, navigator, glyphRect, imageIndex);
  else
    DrawElement(canvas, vertical, glyphRect, imageIndex - navigator->ImageCount());
}

TSize TdxSkinLookAndFeelPainter::NavigatorGlyphSize() const {
  TdxSkinElement* navigator = Bound(seNavigator);
  return navigator ? ImageSize(navigator) : Parent::NavigatorGlyphSize();
}

// ---------------------------------------------------------------------------------------------
// Clock

void TdxSkinLookAndFeelPainter::PaintClock(TcxCanvas* canvas, const TRect& rect, TDateTime time,
                                           TColor backgroundColor) const {
  TdxSkinElement* face = Bound(seClockFace);
  TdxSkinElement* glass = Bound(seClockGlass);
  if (!face || !glass) return Parent::PaintClock(canvas, rect, time, backgroundColor);
  TRect local(0, 0, rect.Right - rect.Left, rect.Bottom - rect.Top);
  if (RectIsEmpty(local)) return;
  TcxBitmap bitmap(local.Right, local.Bottom);
  HDC dc = bitmap.Canvas()->GetHandle();
  bitmap.Canvas()->FillRectColor(local, backgroundColor);
  face->Draw(dc, local);
  PaintClockHands(bitmap.Canvas(), local, time, face->TextColor(), face->TextColor());
  glass->Draw(dc, local);
  BitBlt(canvas->GetHandle(), rect.Left, rect.Top, local.Right, local.Bottom, dc, 0, 0, SRCCOPY);
}
