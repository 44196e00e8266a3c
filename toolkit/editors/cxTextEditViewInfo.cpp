// Text editor view data and view info: where an editor's text goes inside its content area, with
// which flags and selection, the rows laid out once per layout, the focus rectangle of list styles,
// the text's size for automatic sizing and the hint test for clipped text.
#include <algorithm>
#include <climits>

#include "cxDWMApi.h"
#include "cxTextEdit.h"
#include "dxThemeManager.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomTextEditViewData, TcxCustomEditViewData)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomTextEditViewInfo, TcxCustomEditViewInfo)

namespace {

constexpr int unlimited = 0x3FFFFFFF;
constexpr uint32_t horzFlagOf[] = {CXTO_LEFT, CXTO_RIGHT, CXTO_CENTER_HORIZONTALLY};  // by TAlignment
constexpr uint32_t vertFlagOf[] = {CXTO_TOP, CXTO_BOTTOM, CXTO_CENTER_VERTICALLY};     // by TcxEditVertAlignment

bool IsListStyle(TcxTextEditingStyle style) { return style == tesFixedList || style == tesNoEdit; }

TRect Deflated(const TRect& r, const TRect& by) {
  return TRect(r.Left + by.Left, r.Top + by.Top, r.Right - by.Right, r.Bottom - by.Bottom);
}

// The rows of a text laid out with the flags in a rectangle, on the canvas's current font.
TcxTextRows LayOutRows(TcxCanvas* canvas, const std::string& text, uint32_t flags, const TRect& rect, int maxRows,
                       TcxTextLayoutParams& params) {
  InitTextParamsFromCanvas(canvas, flags, params);
  TcxTextRows rows;
  BuildTextRows(canvas->GetHandle(), text.c_str(), rect, maxRows, rows, params);
  return rows;
}

TColor Inverse(TColor color) { return static_cast<TColor>(ColorToRGB(color) ^ 0xFFFFFF); }

bool NativeComboThemeAvailable() { return OpenThemeByKind(totComboBox) != nullptr; }

}  // namespace

TcxCustomEditViewData* TcxCustomTextEditViewDataClass::Create(TcxCustomEditProperties* properties,
                                                              TcxCustomEditStyle* style, bool inPlace) const {
  return new TcxCustomTextEditViewData(properties, style, inPlace);
}

TcxCustomEditViewInfo* TcxCustomTextEditViewInfoClass::Create() const { return new TcxCustomTextEditViewInfo; }

// ---------------------------------------------------------------------------------------------
// View data

TcxCustomTextEditViewData::TcxCustomTextEditViewData(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                                     bool inPlace)
    : TcxCustomEditViewData(properties, style, inPlace) {
  ProviderFormatsValues = properties->UsesDefaultDisplayFormat();  // the base constructor loads only its own part
}

TcxCustomTextEditProperties* TcxCustomTextEditViewData::TextProperties() const {
  return ObjectAs<TcxCustomTextEditProperties>(Properties);
}

namespace {

TcxTextEditingStyle EditingStyleOf(TcxCustomTextEditProperties* properties) {
  return properties ? properties->GetEditingStyle() : tesFree;
}

}  // namespace

void TcxCustomTextEditViewData::LoadFromProperties() {
  TcxCustomEditViewData::LoadFromProperties();
  ProviderFormatsValues = Properties->UsesDefaultDisplayFormat();
}

bool TcxCustomTextEditViewData::InnerEditShowsText() { return Edit && Edit->UsesInnerEditBounds(); }

void TcxCustomTextEditViewData::PrepareButtonThemeInfo(TcxEditButtonViewInfo* button) {
  TcxCustomEditViewData::PrepareButtonThemeInfo(button);
  const bool glassy = NativeStyle && IsCompositionEnabled() && !InPlace;
  if (glassy && EditingStyleOf(TextProperties()) == tesFixedList && button->Data.Kind == bkDown &&
      button->Data.NativeState != 4)
    button->Data.NativeState = 1;
}

uint32_t TcxCustomTextEditViewData::TextOutFlags() {
  return horzFlagOf[HorzAlignment] | vertFlagOf[VertAlignment] | CXTO_SINGLELINE | CXTO_PREVENT_LEFT_EXCEED |
         CXTO_PREVENT_TOP_EXCEED;
}

void TcxCustomTextEditViewData::TextInsets(TRect& offsets) {
  offsets = ContentParams.Offsets;
  if (InPlace || !IsListStyle(EditingStyleOf(TextProperties()))) return;
  if (VertAlignment == taTopJustify) ++offsets.Top, ++offsets.Bottom;
  if (HorzAlignment == taRightJustify) ++offsets.Right;
  else ++offsets.Left;
}

bool TcxCustomTextEditViewData::ReservesFocusRectPixel() {
  if (InPlace || !IsListStyle(EditingStyleOf(TextProperties()))) return false;
  return !(DrawsComboFace() && NativeComboThemeAvailable());
}

void TcxCustomTextEditViewData::ApplyDisplayText(const TVariant& displayValue, TcxCustomTextEditViewInfo* viewInfo) {
  std::string text = displayValue.IsNull() || displayValue.IsEmpty() || displayValue.IsArray()
                         ? std::string()
                         : displayValue.AsString();
  if (TcxCustomTextEditProperties* properties = TextProperties()) properties->MaskDisplayText(text);
  viewInfo->Text = text;
  viewInfo->PreparedText.IsPrepared = false;
}

void TcxCustomTextEditViewData::ValueToDisplayText(const TVariant& value, std::string& text) {
  TcxCustomTextEditProperties* properties = TextProperties();
  if (ProviderFormatsValues || !properties) text = VarToText(value);
  else properties->PrepareDisplayText(value, text, IsEditFocused());
  if (properties) properties->MaskDisplayText(text);
}

void TcxCustomTextEditViewData::ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                              TcxContainerMouseButton button, TShiftState shift,
                                              TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) {
  TcxCustomEditViewData::ComputeLayout(canvas, bounds, point, button, shift, viewInfo, isMouseEvent);
  auto* info = ObjectAs<TcxCustomTextEditViewInfo>(viewInfo);
  if (!info) return;
  info->SelectionBarDrawn = false;
  info->TypingStyle = EditingStyleOf(TextProperties());
  info->InnerEditShowsText = InnerEditShowsText();
  info->PopupOpen = Edit && Edit->WantsArrowKeys();
  TRect insets;
  TextInsets(insets);
  info->TextArea = Deflated(info->ClientRect, insets);
  if (!InPlace) {
    canvas->SetFont(info->Font ? info->Font : Style->GetEffectiveFont());
    const int lineHeight = canvas->TextHeight("Zg");
    if (info->TextArea.Height() < lineHeight)
      info->TextArea.Bottom = std::min(info->TextArea.Top + lineHeight, info->ClientRect.Bottom);
  }
  info->RowLimit = MaxRowCount();
  info->PreparedText.IsPrepared = false;
  PrepareDrawTextFlags(canvas, info);
}

void TcxCustomTextEditViewData::PrepareDrawTextFlags(TcxCanvas* canvas, TcxCustomTextEditViewInfo* viewInfo) {
  TcxCustomTextEditProperties* properties = TextProperties();
  const bool autoHeight = properties && !properties->HasMultipleLines() &&
                          (properties->GetSupportedOperations() & cxEditOperationAutoHeight) &&
                          (PaintOptions & epoAutoHeight);
  if (autoHeight) ApplyAutoHeightFlags(canvas, viewInfo);
  else viewInfo->DrawFlags = TextOutFlags();
  if (viewInfo->PaintOptions & epoShowEndEllipsis) viewInfo->DrawFlags |= CXTO_END_ELLIPSIS;
  viewInfo->ComboFace = DrawsComboFace();
}

// A single-line editor growing to its text: wraps when the text takes more than one row, and
// starts at the top when the rows are higher than the text area.
void TcxCustomTextEditViewData::ApplyAutoHeightFlags(TcxCanvas* canvas, TcxCustomTextEditViewInfo* viewInfo) {
  canvas->SetFont(Style->GetEffectiveFont());
  viewInfo->DrawFlags = TextOutFlags();
  const uint32_t wrapping = (viewInfo->DrawFlags & ~CXTO_SINGLELINE) | CXTO_WORDBREAK | CXTO_EDITCONTROL;
  TRect insets;
  TextInsets(insets);
  const TRect& o = ContentParams.Offsets;
  const int width = viewInfo->TextArea.Width() + insets.Left + insets.Right - ContentParams.SizeCorrection.cx -
                    o.Left - o.Right + (HorzAlignment == taRightJustify ? 1 : 0);
  TcxTextLayoutParams params;
  const TcxTextRows rows =
      LayOutRows(canvas, viewInfo->Text, wrapping | CXTO_CALCROWCOUNT, TRect(0, 0, width, unlimited), 0, params);
  if (rows.size() <= 1) return;
  viewInfo->DrawFlags = wrapping;
  if (static_cast<int>(rows.size()) * params.CharHeight > viewInfo->TextArea.Height())
    viewInfo->DrawFlags &= ~CXTO_VERT_ALIGN_MASK;
}

void TcxCustomTextEditViewData::PrepareDrawValue(TcxCanvas*, const TVariant& value, TcxCustomEditViewInfo* viewInfo) {
  auto* info = ObjectAs<TcxCustomTextEditViewInfo>(viewInfo);
  if (!info) return;
  if (PreviewMode) info->Text.clear();
  else FormatDisplayText(value, info->Text);
  info->PreparedText.IsPrepared = false;
  CopySelection(info);
}

void TcxCustomTextEditViewData::CopySelection(TcxCustomTextEditViewInfo* info) {
  info->SelStart = SelStart;
  info->SelLength = SelLength;
  if (SelLength <= 0) return;
  if (SelBackgroundColor == clDefault && SelTextColor == clDefault) {
    const bool highlighted = Style->Color() == clHighlight;
    info->HighlightBackColor = highlighted ? clBlack : clHighlight;
    info->HighlightTextColor = highlighted ? clWhite : clHighlightText;
  } else if (SelBackgroundColor == clDefault) {
    info->HighlightTextColor = SelTextColor;
    info->HighlightBackColor = Inverse(SelTextColor);
  } else {
    info->HighlightBackColor = SelBackgroundColor;
    info->HighlightTextColor = SelTextColor == clDefault ? Inverse(SelBackgroundColor) : SelTextColor;
  }
}

TRect TcxCustomTextEditViewData::ComputeNonContentExtent(TcxCanvas* canvas, TcxCustomEditViewInfo* viewInfo) {
  TRect extent = TcxCustomEditViewData::ComputeNonContentExtent(canvas, viewInfo);
  if (!InPlace && DrawsComboFace() && UsesNativeEditTheme(StyleLookAndFeel()) && NativeComboThemeAvailable())
    ++extent.Right;
  return extent;
}

TSize TcxCustomTextEditViewData::MeasureContent(TcxCanvas* canvas, const TVariant& value,
                                                const TcxEditSizeProperties& request) {
  const TSize base = TcxCustomEditViewData::MeasureContent(canvas, value, request);
  std::string text;
  FormatDisplayText(value, text);
  const TSize size = MeasureTextEditContent(canvas, this, text, TextOutFlags(), request, 0, true);
  return TSize(std::max(base.cx, size.cx), std::max(base.cy, size.cy));
}

// ---------------------------------------------------------------------------------------------
// Content measurement

namespace {

struct TMeasure {
  TcxCanvas* canvas;
  TcxCustomTextEditViewData* viewData;
  const std::string& text;
  int lineHeight;

  int EmptyHeight() const { return (viewData->PaintOptions & epoAllowZeroHeight) ? 0 : lineHeight; }

  // The height of the text wrapped at a width.
  TSize AtWidth(uint32_t flags, const TcxEditSizeProperties& request, int lineCount, bool focusPixel) const {
    if (lineCount > 0) return TSize(request.Width, lineCount * lineHeight);
    int width = request.Width - (viewData->InPlace ? 2 : 0) - (focusPixel ? 1 : 0);
    if (width <= 0) return TSize(0, text.empty() ? EmptyHeight() : lineHeight);
    if (text.empty()) return TSize(request.Width, EmptyHeight());
    if (flags & CXTO_SINGLELINE) flags = (flags & ~CXTO_SINGLELINE) | CXTO_EDITCONTROL | CXTO_WORDBREAK;
    flags = (flags & ~CXTO_VERT_ALIGN_MASK) | CXTO_CALCROWCOUNT;
    TcxTextLayoutParams params;
    const TcxTextRows rows =
        LayOutRows(canvas, text, flags, TRect(0, 0, width, unlimited), std::max(request.MaxLineCount, 0), params);
    return TSize(request.Width, static_cast<int>(rows.size()) * lineHeight);
  }

  // The width the text needs without wrapping.
  TSize BestFit(uint32_t flags, const TcxEditSizeProperties& request, int lineCount) const {
    TcxCustomEditProperties* properties = viewData->Properties;
    const bool autoHeight = (viewData->PaintOptions & epoAutoHeight) &&
                            (properties->GetSupportedOperations() & cxEditOperationAutoHeight);
    if (!(flags & CXTO_SINGLELINE) || autoHeight) {
      if (flags & CXTO_SINGLELINE) flags = (flags & ~CXTO_SINGLELINE) | CXTO_WORDBREAK | CXTO_EDITCONTROL;
      const int limit = lineCount > 0 ? lineCount : std::max(request.MaxLineCount, 0);
      TcxTextLayoutParams params;
      const TcxTextRows rows =
          LayOutRows(canvas, text, flags | CXTO_CALCRECT, TRect(0, 0, unlimited, unlimited), limit, params);
      const int count = limit > 0 ? std::min<int>(limit, static_cast<int>(rows.size())) : static_cast<int>(rows.size());
      return TSize(count ? MaxRowWidth(rows, count) : 0, lineHeight * (lineCount > 0 ? lineCount : 1));
    }
    return TSize(text.empty() ? 0 : canvas->TextWidth(text), lineHeight);
  }
};

}  // namespace

TSize MeasureTextEditContent(TcxCanvas* canvas, TcxCustomTextEditViewData* viewData, const std::string& text,
                             uint32_t flags, const TcxEditSizeProperties& request, int lineCount,
                             bool addCorrectionWidth) {
  const bool focusPixel = viewData->ReservesFocusRectPixel();
  canvas->SetFont(viewData->Style->GetEffectiveFont());
  const TMeasure measure{canvas, viewData, text, canvas->TextHeight("Zg")};
  const TSize correction = viewData->ContentSizeAdjustment();
  TSize size;
  if (request.Width >= 0) {
    size = measure.AtWidth(flags, request, lineCount, focusPixel);
  } else {
    size = measure.BestFit(flags, request, lineCount);
    size.cx += (focusPixel ? 1 : 0) + (addCorrectionWidth ? correction.cx : 0);
  }
  if (size.cy > 0) size.cy += correction.cy;
  return size;
}

// ---------------------------------------------------------------------------------------------
// View info

bool TcxCustomTextEditViewInfo::DrawsOwnText() const {
  return IsDataPaintCopy || !Edit || !Edit->InnerEdit() || !InnerEditShowsText;
}

void TcxCustomTextEditViewInfo::PaintBody(TcxCanvas* canvas) {
  const int comboKind = !ComboFace ? 0 : IsListStyle(TypingStyle) ? 2 : 1;
  DrawEditBackgroundAndButtons(canvas, this, !Transparent && !SelectionBarDrawn, comboKind);
  TRect rect = ClientRect;
  if (!IsInPlace) {
    if ((!NativeStyle || SelectionBarDrawn) && !Transparent && TypingStyle != tesNoEdit)
      canvas->FrameRect(rect, BackgroundColor, 1, cxBordersAll);
    rect.Inflate(-1, -1);
  }
  if (OwnerDrawValue) {
    if (OnDrawValue) OnDrawValue(this, canvas, rect);
  } else {
    if (SelectionBarDrawn) canvas->FillRectColor(rect, clHighlight);
    if (DrawsOwnText()) PaintText(canvas);
  }
  if (!InnerEditShowsText && Focused && !IsInPlace && !PopupOpen) DrawFocusFrame(canvas, rect);
}

void TcxCustomTextEditViewInfo::DrawFocusFrame(TcxCanvas* canvas, const TRect& rect) {
  HDC dc = canvas->GetHandle();
  const COLORREF oldText = SetTextColor(dc, ColorToRGB(SelectionBarDrawn ? clHighlightText : clBtnText));
  const COLORREF oldBack = SetBkColor(dc, ColorToRGB(SelectionBarDrawn ? clHighlight : BackgroundColor));
  ::DrawFocusRect(dc, rect.Win());
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

void TcxCustomTextEditViewInfo::PaintText(TcxCanvas* canvas) {
  if (Text.empty()) return;
  if (Font) canvas->SetFont(Font);
  ApplyCanvasFont(canvas);
  canvas->GetFont()->SetColor(SelectionBarDrawn ? clHighlightText : TextColor);
  canvas->SetFont(canvas->GetFont());
  if (!PreparedText.IsPrepared || PreparedText.RowText != Text) PrepareRows(canvas);
  TcxTextOutData& p = PreparedText;
  TcxTextRows shown(p.RowList.begin(), p.RowList.begin() + std::min<size_t>(p.RowTotal, p.RowList.size()));
  DrawTextRows(canvas->GetHandle(), p.TextArea, p.RowLayout, p.EllipsisForced, p.HighlightTextColor,
               p.HighlightBackColor, p.SelLength, p.SelStart, shown);
}

void TcxCustomTextEditViewInfo::PrepareRows(TcxCanvas* canvas) {
  TcxTextOutData& p = PreparedText;
  p.RowTotal = 0;
  p.RowList.clear();
  p.RowText = Text;
  p.IsPrepared = true;
  if (Text.empty()) return;
  InitTextParamsFromCanvas(canvas, DrawFlags, p.RowLayout);
  p.TextArea = TextArea;
  if (p.TextArea.IsEmpty()) return;
  const bool fits = BuildTextRows(canvas->GetHandle(), p.RowText.c_str(), p.TextArea, RowLimit, p.RowList, p.RowLayout);
  p.RowTotal = static_cast<int>(p.RowList.size());
  const bool limitReached = RowLimit > 0 && p.RowTotal >= RowLimit;
  if (limitReached) p.RowTotal = RowLimit;
  p.EllipsisForced = limitReached && !fits && (DrawFlags & CXTO_END_ELLIPSIS) && (DrawFlags & CXTO_EDITCONTROL) &&
                     !(DrawFlags & CXTO_SINGLELINE);
  PlaceTextRows(p.TextArea, p.RowLayout, p.RowList);
  const int length = static_cast<int>(Text.size());
  p.SelStart = SelStart;
  p.SelLength = SelStart < 0 || SelStart >= length ? 0 : std::min(SelLength, length - SelStart);
  p.HighlightBackColor = HighlightBackColor;
  p.HighlightTextColor = HighlightTextColor;
}

void TcxCustomTextEditViewInfo::Shift(int dx, int dy) {
  TcxCustomEditViewInfo::Shift(dx, dy);
  TextArea.Offset(dx, dy);
  if (!PreparedText.IsPrepared) return;
  PreparedText.TextArea.Offset(dx, dy);
  for (TcxTextRow& row : PreparedText.RowList) row.X += dx, row.Y += dy;
}

bool TcxCustomTextEditViewInfo::HintNeededAt(TcxCanvas* canvas, const TPoint& point, TRect& hintBox, bool& wraps,
                                             std::string& hintText, const TRect& visibleBounds) {
  TRect visible = TextArea;
  if (!visibleBounds.IsEmpty()) {
    TRect moved = visibleBounds;
    moved.Offset(-Left, -Top);
    IntersectRect(visible, moved, TextArea);
  }
  const TPoint p(point.X - Left, point.Y - Top);
  if (!visible.Contains(p) || Text.empty()) return false;
  if (Font) canvas->SetFont(Font);
  const uint32_t flags = (DrawFlags & ~CXTO_VERT_ALIGN_MASK) | CXTO_CALCROWCOUNT;
  TRect area(TextArea.Left, TextArea.Top, (flags & CXTO_SINGLELINE) ? unlimited : TextArea.Right, unlimited);
  TcxTextLayoutParams params;
  InitTextParamsFromCanvas(canvas, flags, params);
  TcxTextRows rows;
  bool clipped = !BuildTextRows(canvas->GetHandle(), Text.c_str(), area, RowLimit, rows, params);
  PlaceTextRows(area, params, rows);
  for (const TcxTextRow& row : rows) {
    int length = row.Length;
    while (length > 0 && row.Text[length - 1] == ' ') --length;
    const int width = length ? MeasureText(canvas->GetHandle(), row.Text, length, params.ExpandTabs).cx : 0;
    const int bottom = row.Y + (row.Length ? params.RowHeight : params.CharHeight);
    clipped |= width > TextArea.Width() || row.X + width > visible.Right || bottom > visible.Bottom;
  }
  if (!clipped) return false;
  hintText = Text;
  wraps = (DrawFlags & CXTO_WORDBREAK) && !(DrawFlags & CXTO_SINGLELINE);
  hintBox = TextArea;
  hintBox.Offset(Left, Top);
  return true;
}
