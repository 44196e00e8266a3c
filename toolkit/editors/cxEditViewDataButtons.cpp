// Editor view data, buttons part: which buttons show, where each one goes, how buttons-only layouts
// stretch them, and the state each button shows for the mouse.
#include <algorithm>

#include "cxDWMApi.h"
#include "cxEdit.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

bool IsLeftPress(TShiftState shift) {
  return shift == TShiftState{ssLeft} || shift == TShiftState{ssLeft, ssDouble};
}

constexpr int nativeButtonStates[] = {4, 1, 3, 2};  // by TcxEditButtonDrawState

}  // namespace

void TcxCustomEditViewData::ComputeButtonsLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                                 TcxContainerMouseButton, TShiftState shift,
                                                 TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) {
  const TcxEditButtonTransparency transparency = Style->ButtonTransparency();
  const bool active = ContainerState.Contains(csActive);
  const bool hot = ContainerState.Contains(csHotTrack);
  const bool shown = ButtonVisibleCount > 0 &&
                     (active || (transparency != ebtHideInactive && (transparency != ebtHideUnselected || hot)));
  viewInfo->ResizeButtonList(shown ? ButtonVisibleCount : 0);
  viewInfo->IsButtonReallyPressed = false;
  const int previousPressed = isMouseEvent ? viewInfo->PressedButton : -1;
  viewInfo->PressedButton = viewInfo->SelectedButton = -1;
  LeftSideLeftmostButton = LeftSideRightmostButton = RightSideLeftmostButton = RightSideRightmostButton = -1;
  if (!shown) return;
  TRect area = bounds;
  const TRect client = ComputeClientExtent(canvas);
  area = TRect(area.Left + client.Left, area.Top + client.Top, area.Right - client.Right, area.Bottom - client.Bottom);
  const int fullWidth = area.Width();
  TcxEditButtons* buttons = Properties->Buttons();
  bool fontApplied = false;
  for (int i = buttons->Count() - 1, visible = ButtonVisibleCount - 1; i >= 0; --i) {
    if (!buttons->Items(i)->Visible()) continue;
    if (buttons->Items(i)->Kind() == bkText && !fontApplied) {
      canvas->SetFont(Style->GetEffectiveFont());
      viewInfo->ApplyCanvasFont(canvas);
      fontApplied = true;
    }
    PrepareButton(canvas, viewInfo, visible, i);
    PlaceButton(canvas, viewInfo, area, visible);
    --visible;
  }
  StretchButtonsOnly(viewInfo, fullWidth, area.Width());
  ComputeButtonStates(viewInfo, point, shift, isMouseEvent, previousPressed);
  MarkButtonEnds(viewInfo);
}

void TcxCustomEditViewData::PrepareButton(TcxCanvas*, TcxCustomEditViewInfo* viewInfo, int visibleIndex,
                                          int buttonIndex) {
  TcxEditButton* button = Properties->Buttons()->Items(buttonIndex);
  TcxEditButtonViewInfo* info = viewInfo->Button(visibleIndex);
  TcxEditButtonViewInfoData& d = info->Data;
  info->Index = buttonIndex;
  const TcxEditButtonStyle style = Style->ButtonStyle();
  d.Style = style == btsDefault ? DefaultButtonsStyle() : style;
  d.IsSingleDropDown = ButtonVisibleCount == 1 && button->Kind() == bkDown;
  d.Kind = button->Kind();
  if (d.Kind == bkText) {
    d.Caption = button->Caption();
    TcxCustomLookAndFeelPainterClass skin = StyleLookAndFeel()->SkinPainter();
    d.TextColor = skin ? skin->EditorButtonTextColor() : button->TextColor();
    d.VisibleCaption = button->VisibleCaption();
  }
  d.ContentAlignment = button->ContentAlignment();
  d.Default = button->Default();
  d.Glyph = button->GlyphIfAny();
  d.HasBackground = viewInfo->HasBackground;
  d.Gradient = Style->GradientButtons();
  d.InPlace = InPlace;
  d.LeftAlignment = button->LeftAlignment();
  d.First = d.Last = false;
  d.Native = viewInfo->NativeStyle;
  info->Stretchable = button->Stretchable();
  info->Width = button->Width();
  if (info->Width == 0 && OnDefaultButtonWidthQuery) OnDefaultButtonWidthQuery(this, visibleIndex, info->Width);
  const TcxEditButtonTransparency transparency = Style->ButtonTransparency();
  d.Transparent = transparency == ebtAlways || (transparency == ebtInactive && !Selected);
  d.BackgroundColor = viewInfo->BackgroundColor;
}

void TcxCustomEditViewData::PlaceButton(TcxCanvas* canvas, TcxCustomEditViewInfo* viewInfo, TRect& area,
                                        int visibleIndex) {
  TcxEditButtonViewInfo* info = viewInfo->Button(visibleIndex);
  if (area.IsEmpty()) {
    info->Bounds = info->VisibleBounds = TRect();
    return;
  }
  const int w = DefaultEditButtonWidth(canvas, info);
  const int shown = std::min(w, area.Width());
  if (info->Data.LeftAlignment) {
    info->Bounds = TRect(area.Left, area.Top, area.Left + w, area.Bottom);
    info->VisibleBounds = TRect(area.Left, area.Top, area.Left + shown, area.Bottom);
    area.Left += shown;
    LeftSideRightmostButton = visibleIndex;
    if (LeftSideLeftmostButton == -1) LeftSideLeftmostButton = visibleIndex;
  } else {
    info->Bounds = TRect(area.Right - w, area.Top, area.Right, area.Bottom);
    info->VisibleBounds = TRect(area.Right - shown, area.Top, area.Right, area.Bottom);
    area.Right -= shown;
    RightSideLeftmostButton = visibleIndex;
    if (RightSideRightmostButton == -1) RightSideRightmostButton = visibleIndex;
  }
}

// Each stretched button gets its share of the free width; the last one treated takes what the
// integer division left over.
void TcxCustomEditViewData::StretchButtonsOnly(TcxCustomEditViewInfo* viewInfo, int fullWidth, int freeWidth) {
  if (!ButtonsOnly || freeWidth <= 0) return;
  std::vector<int> set;
  int total = 0;
  for (int i = viewInfo->ButtonCount() - 1; i >= 0; --i)
    if (viewInfo->Button(i)->Stretchable && !IsButtonExcludedFromStretch(i)) {
      set.push_back(i);
      total += viewInfo->Button(i)->Bounds.Width();
    }
  if (set.empty()) {
    for (int i = viewInfo->ButtonCount() - 1; i >= 0; --i) set.push_back(i);
    total = fullWidth - freeWidth;
  }
  if (total <= 0) return;
  int left = freeWidth;
  for (size_t k = 0; k < set.size(); ++k) {
    TcxEditButtonViewInfo* b = viewInfo->Button(set[k]);
    const int grow = k + 1 == set.size() ? left : b->Bounds.Width() * freeWidth / total;
    left -= grow;
    const bool leftSide = b->Data.LeftAlignment;
    const int edge = leftSide ? b->Bounds.Right : b->Bounds.Left;
    for (const auto& other : viewInfo->ButtonsInfo) {
      if (other.get() == b || other->Data.LeftAlignment != leftSide) continue;
      const int shift = leftSide ? (other->Bounds.Left >= edge ? grow : 0) : (other->Bounds.Right <= edge ? -grow : 0);
      other->Bounds.Offset(shift, 0);
      other->VisibleBounds.Offset(shift, 0);
    }
    if (leftSide) b->Bounds.Right += grow;
    else b->Bounds.Left -= grow;
    b->VisibleBounds = b->Bounds;
  }
}

// ---------------------------------------------------------------------------------------------
// States

TcxEditButtonDrawState TcxCustomEditViewData::ButtonStateAt(TcxCustomEditViewInfo* viewInfo, int index,
                                                            const TPoint& point, TShiftState shift, bool isMouseEvent,
                                                            int previousPressed) {
  TcxEditButtonViewInfo* b = viewInfo->Button(index);
  if (!Enabled || !Properties->Buttons()->Items(b->Index)->Enabled()) return ebdsDisabled;
  const bool held = ButtonHeld(viewInfo, index);
  if (!held && (IsDesigning || !b->VisibleBounds.Contains(point))) return ebdsNormal;
  const TcxEditButtonDrawState previous = b->Data.State;
  const bool capturePress = shift.Contains(ssLeft) && previous == ebdsNormal && CaptureButtonVisibleIndex == index;
  const bool mousePress = isMouseEvent && IsLeftPress(shift);
  const bool stillPressed = previous == ebdsPressed && shift.Contains(ssLeft);
  if (held || mousePress || stillPressed || capturePress) viewInfo->IsButtonReallyPressed = true;
  if (!held && shift.Empty() && !capturePress) {
    viewInfo->SelectedButton = index;
    return ebdsHot;
  }
  const bool pressed = held || (capturePress && ButtonPressable(viewInfo, index)) ||
                       (IsLeftPress(shift) && ((isMouseEvent && ButtonPressable(viewInfo, index)) ||
                                               index == previousPressed)) ||
                       stillPressed;
  if (!pressed) return ebdsNormal;
  viewInfo->PressedButton = index;
  return ebdsPressed;
}

void TcxCustomEditViewData::ComputeButtonStates(TcxCustomEditViewInfo* viewInfo, const TPoint& point,
                                                TShiftState shift, bool isMouseEvent, int previousPressed) {
  for (int i = 0; i < viewInfo->ButtonCount(); ++i) {
    TcxEditButtonDrawState state = ButtonStateAt(viewInfo, i, point, shift, isMouseEvent, previousPressed);
    if (viewInfo->OnButtonStateQuery) viewInfo->OnButtonStateQuery(viewInfo, i, state);
    viewInfo->Button(i)->Data.State = state;
    PrepareButtonThemeInfo(viewInfo->Button(i));
  }
}

void TcxCustomEditViewData::PrepareButtonThemeInfo(TcxEditButtonViewInfo* button) {
  TcxEditButtonViewInfoData& d = button->Data;
  d.NativePart = d.NativeState = 0;
  d.BackgroundPartiallyTransparent = false;
  if (!d.Native) return;
  HTHEME theme = OpenThemeByKind(d.IsSingleDropDown ? totComboBox : totButton);
  if (!theme) return;
  d.NativePart = 1;
  if (d.IsSingleDropDown && !InPlace && IsCompositionEnabled()) d.NativePart = d.LeftAlignment ? 7 : 6;
  d.NativeState = nativeButtonStates[d.State];
  d.BackgroundPartiallyTransparent = UxIsThemeBackgroundPartiallyTransparent(theme, d.NativePart, d.NativeState);
}

void TcxCustomEditViewData::MarkButtonEnds(TcxCustomEditViewInfo* viewInfo) {
  const bool bothSides = ButtonsOnly && LeftSideLeftmostButton != -1 && RightSideLeftmostButton != -1;
  if (LeftSideLeftmostButton != -1) viewInfo->Button(LeftSideLeftmostButton)->Data.First = true;
  if (LeftSideRightmostButton != -1 && !bothSides) viewInfo->Button(LeftSideRightmostButton)->Data.Last = true;
  if (RightSideLeftmostButton != -1 && !bothSides) viewInfo->Button(RightSideLeftmostButton)->Data.First = true;
  if (RightSideRightmostButton != -1) viewInfo->Button(RightSideRightmostButton)->Data.Last = true;
  if (ButtonsOnly)
    for (const auto& button : viewInfo->ButtonsInfo) button->Data.LeftAlignment = false;
}
