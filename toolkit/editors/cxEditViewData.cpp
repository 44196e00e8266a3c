// Editor view data: the short-lived calculator that lays an editor out into its view info (state,
// border, colours, client and inner-edit rectangles) and measures it.
#include <algorithm>
#include <climits>

#include "cxDWMApi.h"
#include "cxEdit.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomEditViewData, TPersistent)

namespace {

constexpr int themeFillColorProperty = 3802;

TRect Deflated(const TRect& r, const TRect& by) {
  return TRect(r.Left + by.Left, r.Top + by.Top, r.Right - by.Right, r.Bottom - by.Bottom);
}

bool HasAnySide(const TRect& r) { return r.Left != 0 || r.Top != 0 || r.Right != 0 || r.Bottom != 0; }

TRect Uniform(int w) { return TRect(w, w, w, w); }

constexpr TcxEditButtonStyle buttonsStyleOfBorder[] = {btsSimple, btsHotFlat, bts3D, btsFlat,
                                                       bts3D, btsUltraFlat, btsOffice11};
constexpr TcxEditButtonStyle buttonsStyleOfKind[] = {btsFlat, bts3D, btsUltraFlat, btsOffice11};
// The look-and-feel kind a button style suggests (btsDefault, 3D, flat, simple, hot-flat, ...).
constexpr TcxLookAndFeelKind kindOfButtonsStyle[] = {lfStandard, lfStandard, lfFlat, lfFlat,
                                                     lfFlat, lfUltraFlat, lfOffice11};
constexpr TcxEditPopupBorderStyle popupBorderOfKind[] = {epbsFlat, epbsFrame3D, epbsSingle, epbsSingle};

}  // namespace

TcxCustomEditViewData* TcxCustomEditViewDataClass::Create(TcxCustomEditProperties* properties,
                                                          TcxCustomEditStyle* style, bool inPlace) const {
  return new TcxCustomEditViewData(properties, style, inPlace);
}

TcxCustomEditViewData::TcxCustomEditViewData(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                             bool inPlace)
    : InPlace(inPlace), Properties(properties), Style(style) {
  ResetDefaults();
  LoadFromProperties();
}

void TcxCustomEditViewData::ResetDefaults() {
  ContentOffset = TRect();
  Enabled = true;
  SelTextColor = clDefault;
  SelBackgroundColor = clDefault;
}

void TcxCustomEditViewData::LoadFromProperties() {
  ButtonVisibleCount = Properties->Buttons()->VisibleCount();
  IsValueSource = !Properties->HasEditValueKind(0);
  TcxEditAlignment* alignment = Properties->Alignment();
  HorzAlignment = alignment->Horz();
  VertAlignment = alignment->Vert();
  NativeStyle = UsesNativeEditTheme(StyleLookAndFeel());
  PrepareContentParams(ContentParams);
}

TcxLookAndFeel* TcxCustomEditViewData::StyleLookAndFeel() const { return Style->LookAndFeel(); }

bool TcxCustomEditViewData::UsesNativeEditTheme(TcxLookAndFeel* lookAndFeel) const {
  return lookAndFeel && lookAndFeel->NativeStyle() && OpenThemeByKind(totEdit) != nullptr;
}

TRect TcxCustomEditViewData::DefaultContentOffsets() const { return InPlace ? TRect(1, 1, 1, 1) : TRect(1, 1, 1, 3); }

void TcxCustomEditViewData::PrepareContentParams(TcxEditContentLayout& params) {
  params.Offsets = DefaultContentOffsets();
  params.SizeCorrection.cx = 3 - params.Offsets.Left - params.Offsets.Right;
  params.SizeCorrection.cy = NativeStyle ? NativeInnerEditHeightCorrection(Properties, InPlace) : 0;
  params.ExternalBorderBounds = TRect();
  params.Options = cxEditContentOffsetPressed;
}

bool TcxCustomEditViewData::IsEditFocused() const {
  if (!Edit) return Focused;
  return Edit->IsContainerFocused() || !Properties->DisplayDependsOnFocus();
}

void TcxCustomEditViewData::FormatDisplayText(const TVariant& value, std::string& text) {
  ValueToDisplayText(value, text);
  if (OnDisplayTextQuery) OnDisplayTextQuery(this, text);
}

// ---------------------------------------------------------------------------------------------
// State, border and colours

void TcxCustomEditViewData::ComputeContainerState(const TRect& bounds, const TPoint& point,
                                                  TcxContainerMouseButton, TShiftState shift, bool,
                                                  TcxCustomEditViewInfo* viewInfo) {
  if (!Enabled) ContainerState = {csDisabled};
  else if (IsDesigning) ContainerState = {csNormal};
  else {
    ContainerState = {Focused ? csActive : csNormal};
    const TRect visible = Edit ? Edit->CalcHotTrackRect() : Deflated(bounds, ContentOffset);
    if (visible.Contains(point) &&
        (shift.Empty() || (Edit && Edit->HandleAllocated() && GetCapture() == Edit->Handle())))
      ContainerState.Include(csHotTrack);
  }
  Selected = ContainerState.Contains(csActive) || ContainerState.Contains(csHotTrack);
  if (IsDesigning || !Style->HotTrack() || InPlace) viewInfo->HotState = chsNoHotTrack;
  else viewInfo->HotState = Selected ? chsSelected : chsNormal;
  if (Edit) {
    TcxContainerStyleState state = cssNormal;
    if (ContainerState.Contains(csDisabled)) state = cssDisabled;
    else if (ContainerState.Contains(csActive)) state = cssFocused;
    else if (Edit->Style()->HotTrack() && ContainerState.Contains(csHotTrack)) state = cssHot;
    Style = static_cast<TcxCustomEditStyle*>(Edit->StyleState(state));
  }
  const bool keepsNormal = !InPlace && NativeStyle;
  viewInfo->EditBorderStyle = keepsNormal ? (Edit ? Edit->Style() : Style)->BorderStyle() : EffectiveBorderStyle();
}

TcxContainerBorderStyle TcxCustomEditViewData::EffectiveBorderStyle() {
  if (InPlace) return cbsNone;
  const TcxContainerBorderStyle style = Style->BorderStyle();
  return style == cbsUltraFlat || style == cbsOffice11 ? cbsSingle : style;
}

int TcxCustomEditViewData::ComputeNativeState(TcxCustomEditViewInfo*) {
  if (ContainerState.Contains(csDisabled)) return 4;
  if (Properties->ReadOnly()) return 6;
  if (ContainerState.Contains(csActive)) return IsCompositionEnabled() ? 3 : 5;
  if (ContainerState.Contains(csHotTrack)) return 2;
  return 1;
}

TRect TcxCustomEditViewData::GetBorderExtentRect() {
  if (InPlace) return ContentOffset;
  TcxContainerStyle* normal = Edit ? Edit->Style() : Style;
  TRect extent;
  if (Style->TransparentBorder() && !StyleLookAndFeel()->SkinPainter()) extent = Uniform(2);
  else if (!Style->HasBorder() || (NativeStyle && normal->BorderStyle() == cbsNone)) extent = TRect();
  else if (NativeStyle) extent = Uniform(2);
  else {
    const int w = StyleLookAndFeel()->SkinPainter() ? 1 : GetContainerBorderWidth(EffectiveBorderStyle());
    extent = ContainerEdgeExtents(Style->Edges(), w);
  }
  return HasShadow() ? AddContainerShadow(extent) : extent;
}

bool TcxCustomEditViewData::HasShadow() { return !InPlace && Style->Shadow() && !NativeStyle; }

TRect TcxCustomEditViewData::ComputeClientExtent(TcxCanvas* canvas) {
  if (InPlace) return ContentOffset;
  if (!NativeStyle) return GetBorderExtentRect();
  TcxContainerStyle* normal = Edit ? Edit->Style() : Style;
  if (normal->BorderStyle() == cbsNone) return Style->TransparentBorder() ? Uniform(2) : TRect();
  const RECT box{0, 0, 100, 100};
  RECT content = box;
  if (HTHEME theme = OpenThemeByKind(totEdit))
    UxGetThemeBackgroundContentRect(theme, canvas ? canvas->GetHandle() : nullptr, 1, 1, &box, &content);
  return TRect(content.left, content.top, 100 - content.right, 100 - content.bottom);
}

TRect TcxCustomEditViewData::ComputeNonContentExtent(TcxCanvas* canvas, TcxCustomEditViewInfo* viewInfo) {
  TRect extent = GetBorderExtentRect();
  if (Properties->ButtonsLayout() != eblNormal && viewInfo->ButtonCount() > 0) {
    const TRect client = ComputeClientExtent(canvas);
    extent.Left = client.Left;
    extent.Right = client.Right;
  }
  if (HScrollBar && HScrollBar->Visible()) extent.Bottom += HScrollBar->Height();
  if (VScrollBar && VScrollBar->Visible()) extent.Right += VScrollBar->Width();
  for (const auto& button : viewInfo->ButtonsInfo) {
    if (button->Data.LeftAlignment) extent.Left = std::max(extent.Left, button->Bounds.Right - Bounds.Left);
    else extent.Right = std::max(extent.Right, Bounds.Right - button->Bounds.Left);
  }
  return extent;
}

TColor TcxCustomEditViewData::ComputeBorderColor(TcxCustomEditViewInfo*) {
  const bool highlighted =
      ContainerState.Contains(csActive) || (ContainerState.Contains(csHotTrack) && Style->HotTrack());
  if (TcxCustomLookAndFeelPainterClass skin = StyleLookAndFeel()->SkinPainter())
    return skin->ContainerBorderColor(highlighted);
  const TcxContainerBorderStyle style = Style->BorderStyle();
  if (style != cbsUltraFlat && style != cbsOffice11) return Style->BorderColor();
  if (highlighted || (IsDesigning && Enabled)) return GetUltraFlatHotBorderColor(style == cbsOffice11);
  return clBtnShadow;
}

void TcxCustomEditViewData::ComputeColors(TcxCustomEditViewInfo* viewInfo) {
  const bool disabled = ContainerState.Contains(csDisabled);
  TColor background = clDefault, text = clDefault;
  if (TcxCustomLookAndFeelPainterClass skin = StyleLookAndFeel()->SkinPainter()) {
    if (!Style->IsValueAssigned(csvColor)) background = skin->EditorBackgroundColor(disabled);
    if (!Style->IsValueAssigned(csvTextColor)) text = skin->EditorTextColor(disabled);
  }
  if (text == clDefault) text = Style->TextColor();
  if (Edit && Edit->UsesParentBackground()) background = Style->Color();
  else if (background == clDefault) {
    COLORREF fill;
    HTHEME theme = NativeStyle && disabled && !Style->IsValueAssigned(csvColor) ? OpenThemeByKind(totEdit) : nullptr;
    if (theme && SUCCEEDED(UxGetThemeColor(theme, IsCompositionEnabled() ? 3 : 1, viewInfo->NativeState,
                                           themeFillColorProperty, &fill)))
      background = static_cast<TColor>(fill);
    else background = Style->Color();
  }
  viewInfo->TextColor = text;
  viewInfo->SetBackColor(background);
}

TcxEditPopupBorderStyle TcxCustomEditViewData::ComputePopupBorderStyle() const {
  const TcxEditPopupBorderStyle style = Style->PopupBorderStyle();
  if (style != epbsDefault || !Edit) return style;
  const TcxLookAndFeelKind kind = StyleLookAndFeel()->Kind();
  if (InPlace) return popupBorderOfKind[kind];
  const TcxContainerBorderStyle border = Style->BorderStyle();
  if (border != cbsNone || ButtonVisibleCount == 0) return border == cbsNone || border == cbsFlat ? epbsFlat : epbsSingle;
  TcxEditButtonStyle first = Style->ButtonStyle();
  return popupBorderOfKind[kindOfButtonsStyle[first]];
}

TcxEditButtonStyle TcxCustomEditViewData::DefaultButtonsStyle() const {
  if (!InPlace && (Style->BorderStyle() != cbsNone || Style->HotTrack()))
    return buttonsStyleOfBorder[Style->BorderStyle()];
  return buttonsStyleOfKind[StyleLookAndFeel()->Kind()];
}

// ---------------------------------------------------------------------------------------------
// Layout

void TcxCustomEditViewData::ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                          TcxContainerMouseButton button, TShiftState shift,
                                          TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) {
  shift = shift * TShiftState{ssLeft, ssRight, ssMiddle, ssDouble};
  const int previousWidth = GetContainerBorderWidth(viewInfo->EditBorderStyle);
  ComputeContainerState(bounds, point, button, shift, isMouseEvent, viewInfo);
  if (!InPlace && !NativeStyle && GetContainerBorderWidth(viewInfo->EditBorderStyle) < previousWidth)
    ComputeContainerState(bounds, point, button, shift, isMouseEvent, viewInfo);
  viewInfo->ContainerState = ContainerState;
  viewInfo->BorderStyle = viewInfo->EditBorderStyle;
  viewInfo->Properties = Properties;
  ButtonsOnly = InPlace ? bounds.Right != INT_MAX && Properties->ButtonsLayout() != eblNormal
                        : Properties->ButtonsLayout() == eblButtonsOnly;
  Bounds = bounds;
  viewInfo->Edit = Edit;
  viewInfo->Painter = StyleLookAndFeel()->SkinPainter();
  viewInfo->Bounds = bounds;
  viewInfo->Enabled = Enabled;
  viewInfo->Focused = Focused;
  viewInfo->HasBackground = Edit && Edit->HasTransparentBackground();
  viewInfo->HasInnerEdit = InnerEdit && InnerEdit->Visible();
  viewInfo->IsDataPaintCopy = Edit && Edit->IsPaintingDataCopy();
  viewInfo->IsContainerInnerControl = Edit && InnerControlInterface(Edit);
  viewInfo->IsDesigning = IsDesigning;
  viewInfo->IsInPlace = InPlace;
  viewInfo->IsSelectedRow = IsSelected;
  viewInfo->PaintOptions = PaintOptions | (ContentParams.ExternalBorderBounds.IsEmpty() ? 0 : epoExternalBorder) |
                           ((ContentParams.Options & cxEditContentClipped) ? epoClipped : 0);
  viewInfo->Edges = Style->Edges();
  viewInfo->Font = Style->DirectAccessMode() ? Style->Font() : Style->GetEffectiveFont();
  viewInfo->Shadow = HasShadow();
  viewInfo->WindowHandle = WindowHandle;
  viewInfo->NativeStyle = NativeStyle;
  viewInfo->ThemedObjectType = totEdit;
  viewInfo->NativeState = NativeStyle ? ComputeNativeState(viewInfo) : 0;
  viewInfo->BorderExtent = GetBorderExtentRect();
  viewInfo->BorderRect = Deflated(bounds, viewInfo->BorderExtent);
  viewInfo->ShadowRect = viewInfo->BorderRect;
  viewInfo->BorderWidth = viewInfo->Painter ? 1 : GetContainerBorderWidth(viewInfo->EditBorderStyle);
  viewInfo->HasContentOffsets = HasAnySide(ContentOffset);
  if (!InPlace) viewInfo->BorderColor = ComputeBorderColor(viewInfo);
  ComputeColors(viewInfo);
  ComputeButtonsLayout(canvas, bounds, point, button, shift, viewInfo, isMouseEvent);
  viewInfo->ClientRect = Deflated(bounds, ComputeNonContentExtent(canvas, viewInfo));
  viewInfo->InnerEditRect = InnerEdit ? InnerEdit->BoundsRect() : viewInfo->ClientRect;
  viewInfo->PopupBorderStyle = ComputePopupBorderStyle();
}

// ---------------------------------------------------------------------------------------------
// Measuring

void TcxCustomEditViewData::CalcConstantPartSize(TcxCanvas* canvas, bool, TcxCustomEditViewInfo* viewInfo,
                                                 TSize& nonContentSize, TSize& minContentSize,
                                                 const TcxEditSizeProperties&) {
  nonContentSize = TSize(viewInfo->Bounds.Width() - viewInfo->ClientRect.Width(),
                         viewInfo->Bounds.Height() - viewInfo->ClientRect.Height());
  minContentSize = TSize(0, 0);
  int highest = 0;
  for (const auto& button : viewInfo->ButtonsInfo) {
    if (button->Data.Kind == bkGlyph && IsBitmapUsable(button->Data.Glyph))
      highest = std::max(highest, button->Data.Glyph->Height());
    if (InPlace && button->Data.Kind == bkText && !button->Data.VisibleCaption.empty()) {
      canvas->SetFont(viewInfo->Font);
      highest = std::max(highest, canvas->TextHeight(button->Data.VisibleCaption));
    }
  }
  if (highest <= 0) return;
  if (!StyleLookAndFeel()->SkinPainter()) {
    const TRect client = ComputeClientExtent(canvas);
    highest += client.Top + client.Bottom;
  }
  const TcxEditButtonStyle style = viewInfo->ButtonCount() ? viewInfo->Button(0)->Data.Style : DefaultButtonsStyle();
  highest += EditButtonsContentVerticalOffset(canvas, style, NativeStyle);
  minContentSize.cy = std::max(0, highest - nonContentSize.cy);
}

void TcxCustomEditViewData::MeasureConstantPart(TcxCanvas* canvas, bool editing, TSize& nonContentSize,
                                                TcxCustomEditViewInfo* viewInfo, TSize& minContentSize,
                                                const TcxEditSizeProperties& request) {
  std::unique_ptr<TcxCustomEditViewInfo> temporary;
  if (!viewInfo) {
    temporary.reset(Properties->ClassOperations()->ViewInfoClass()->Create());
    ComputeLayout(canvas, TRect(0, 0, INT_MAX, INT_MAX), TPoint(-1, -1), cmbNone, {}, temporary.get(), false);
    viewInfo = temporary.get();
  }
  CalcConstantPartSize(canvas, editing, viewInfo, nonContentSize, minContentSize, request);
}

TSize TcxCustomEditViewData::MeasureContentArea(TcxCanvas* canvas, const TVariant& value,
                                                const TcxEditSizeProperties& request) {
  if (Properties->ButtonsLayout() == eblNormal) return MeasureContent(canvas, value, request);
  canvas->SetFont(Style->GetEffectiveFont());
  return TSize(0, ContentParams.SizeCorrection.cy + canvas->TextHeight("Zg"));
}

TSize TcxCustomEditViewData::ContentSizeAdjustment() const {
  const TRect& o = ContentParams.Offsets;
  return TSize(o.Left + o.Right + ContentParams.SizeCorrection.cx, o.Top + o.Bottom + ContentParams.SizeCorrection.cy);
}

TSize TcxCustomEditViewData::GetEditSize(TcxCanvas* canvas, const TVariant& value, TcxEditSizeProperties& request,
                                         TcxCustomEditViewInfo* viewInfo) {
  TSize nonContent, minContent;
  MeasureConstantPart(canvas, false, nonContent, viewInfo, minContent, request);
  bool widthIsRequest = false;
  const int requestedWidth = request.Width;
  if (request.Width >= 0) {
    request.Width -= nonContent.cx;
    if (request.Width < 0) {
      request.Width = 0;
      widthIsRequest = true;
    }
  }
  TSize content = MeasureContentArea(canvas, value, request);
  content.cx = std::max(content.cx, minContent.cx);
  content.cy = std::max(content.cy, minContent.cy);
  // The framework's controls have no size constraints, so there are none to apply here.
  return TSize(widthIsRequest ? requestedWidth : nonContent.cx + content.cx, nonContent.cy + content.cy);
}
