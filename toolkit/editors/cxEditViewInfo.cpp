// Editor view info: painting an editor from its computed layout (background styles, native
// background) and working out what a recalculation must repaint.
#include <algorithm>

#include "cxDWMApi.h"
#include "cxEdit.h"
#include "cxGraphicsRoutines.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomEditViewInfo, TcxContainerViewInfo)

namespace {

TRect Offset(TRect r, int dx, int dy) {
  r.Offset(dx, dy);
  return r;
}

}  // namespace

TcxCustomEditViewInfo* TcxCustomEditViewInfoClass::Create() const { return new TcxCustomEditViewInfo; }
TClass TcxCustomEditViewInfoClass::ButtonInfoClass() const { return TcxEditButtonViewInfo::StaticClass(); }

TcxCustomEditViewInfo::~TcxCustomEditViewInfo() = default;

void TcxCustomEditViewInfo::ResizeButtonList(int count) {
  count = std::max(count, 0);
  while (ButtonCount() > count) ButtonsInfo.pop_back();
  while (ButtonCount() < count)
    ButtonsInfo.emplace_back(static_cast<TcxEditButtonViewInfo*>(ClassOperations()->ButtonInfoClass()->Create()));
}

int TcxCustomEditViewInfo::DefaultButtonIndex() const {
  for (int i = 0; i < ButtonCount(); ++i)
    if (ButtonsInfo[i]->Data.Default) return i;
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TcxCustomEditViewInfo::PaintAll(TcxCanvas* canvas) {
  if (OnBeforePaint) OnBeforePaint(this, canvas);
  PaintBody(canvas);
}

void TcxCustomEditViewInfo::PaintBody(TcxCanvas* canvas) { DrawEditBackgroundAndButtons(canvas, this, true, 0); }

void TcxCustomEditViewInfo::PaintButtons(TcxCanvas* canvas) {
  if (paintingButtons_) return;
  if (Edit && Edit->PaintsButtonsItself(canvas->GetHandle())) return;
  paintingButtons_ = true;
  DrawingFlags |= 1;
  for (int i = 0; i < ButtonCount(); ++i) PaintOneButton(canvas, i);
  DrawingFlags &= ~1;
  paintingButtons_ = false;
}

void TcxCustomEditViewInfo::DrawCustomBackgroundAt(TcxCanvas* canvas, const TRect& rect) {
  if (!OnBackgroundPaint) return;
  const TPoint origin = canvas->GetWindowOrg();
  canvas->SetWindowOrg(TPoint(origin.X - rect.Left, origin.Y - rect.Top));
  bool handled = false;
  OnBackgroundPaint(this, canvas, handled);
  canvas->SetWindowOrg(origin);
}

void TcxCustomEditViewInfo::DrawNativeBackground(TcxCanvas* canvas, bool fill, HBRUSH brush, int nativeMode) {
  const bool bordered = !IsInPlace && EditBorderStyle != cbsNone;
  const bool composition = IsCompositionEnabled();
  TdxThemedObjectType kind = totEdit;
  int part = composition ? 6 : 1;
  TRect bounds = Bounds;
  if (composition && nativeMode == 2) {
    kind = totButton;
    part = 1;
    bounds.Inflate(1, 1);
  }
  HTHEME theme = OpenThemeByKind(kind);
  TRect content = Bounds;
  if (bordered) {
    switch (nativeMode) {
      case 0:
        if (composition) content.Inflate(-2, -2);
        else if (theme) {
          RECT r;
          UxGetThemeBackgroundContentRect(theme, canvas->GetHandle(), part, NativeState, Bounds.Win(), &r);
          content = TRect(r.left, r.top, r.right, r.bottom);
        }
        break;
      case 1: content = TRect(Bounds.Left + 3, Bounds.Top + 3, Bounds.Right - 4, Bounds.Bottom - 3); break;
      default: content = composition ? TRect() : ClientRect;
    }
    canvas->SaveClipRegion();
    canvas->ExcludeClipRect(content);
    if (theme && UxIsThemeBackgroundPartiallyTransparent(theme, part, NativeState) && Edit)
      DrawParentBackground(Edit, canvas, Bounds);
    if (theme) UxDrawThemeBackground(theme, canvas->GetHandle(), part, NativeState, bounds.Win(), nullptr);
    canvas->RestoreClipRegion();
  }
  if (Transparent) return;
  if (fill || !bordered) FillRectWithBrush(canvas->GetHandle(), content, brush);
  else if (nativeMode != 2) FillFrameWithBrush(canvas, content, BorderRect, brush);
}

// ---------------------------------------------------------------------------------------------
// Repaint after recalculation

bool TcxCustomEditViewInfo::InvalidateChanges(TWinControl* control, const TRect& innerEditRect,
                                              TcxCustomEditViewInfo* old) {
  if (!control || !control->HandleAllocated()) return false;
  const TRect whole = Offset(Bounds, Left, Top);
  auto invalidateExcept = [&](const TRect& except, bool erase) {
    TcxRegion region(whole);
    if (!except.IsEmpty()) region.Combine(new TcxRegion(except), roSubtract);
    InvalidateRgn(control->Handle(), region.Handle(), erase);
  };
  if (!old) {
    TRect inner;
    IntersectRect(inner, innerEditRect, ClientRect);
    invalidateExcept(inner, HasBackground);
    return false;
  }
  bool invalidated = false;
  if (NativeState != old->NativeState || BackgroundColor != old->BackgroundColor ||
      ButtonCount() != old->ButtonCount() || (!(ContainerState == old->ContainerState) && RepaintsOnStateChange())) {
    invalidateExcept(innerEditRect, HasBackground);
    invalidated = true;
  } else if ((BorderColor != old->BorderColor && EditBorderStyle != cbsNone) ||
             EditBorderStyle != old->EditBorderStyle) {
    invalidateExcept(Offset(BorderRect, Left, Top), HasBackground);
    invalidated = true;
  }
  if (ButtonCount() == old->ButtonCount())
    for (int i = 0; i < ButtonCount(); ++i)
      invalidated |= Button(i)->InvalidateIfChanged(control, *old->Button(i), TPoint(Left, Top));
  return invalidated;
}

void TcxCustomEditViewInfo::RepaintChanges(TWinControl* control, TcxCustomEditViewInfo* old) {
  InvalidateChanges(control, TRect(), old);
}

TcxRegion* TcxCustomEditViewInfo::ChangedRegion(TcxContainerViewInfo* other) {
  TcxRegion* region = TcxContainerViewInfo::ChangedRegion(other);
  auto* old = ObjectAs<TcxCustomEditViewInfo>(other);
  const bool sameBorder = old && !(BorderColor != old->BorderColor && EditBorderStyle != cbsNone) &&
                          EditBorderStyle == old->EditBorderStyle;
  if (sameBorder && ButtonCount() == old->ButtonCount() && NativeState == old->NativeState) {
    for (int i = 0; i < ButtonCount(); ++i) region->Combine(Button(i)->ChangedRegion(*old->Button(i)), roAdd);
  } else if (!Bounds.IsEmpty()) {
    region->Combine(new TcxRegion(Bounds), roAdd);
  }
  return region;
}

void TcxCustomEditViewInfo::TakeFrom(TcxContainerViewInfo* source) {
  if (auto* from = ObjectAs<TcxCustomEditViewInfo>(source)) {
    BackgroundColor = from->BackgroundColor;
    BorderColor = from->BorderColor;
    EditBorderStyle = from->EditBorderStyle;
    BorderStyle = from->BorderStyle;
    ContainerState = from->ContainerState;
    NativeState = from->NativeState;
    ResizeButtonList(from->ButtonCount());
    for (int i = 0; i < ButtonCount(); ++i) Button(i)->Assign(from->Button(i));
    PressedButton = from->PressedButton;
    SelectedButton = from->SelectedButton;
  }
  TcxContainerViewInfo::TakeFrom(source);
}

void TcxCustomEditViewInfo::Shift(int dx, int dy) {
  InnerEditRect.Offset(dx, dy);
  ShadowRect.Offset(dx, dy);
  for (const auto& button : ButtonsInfo) {
    button->Bounds.Offset(dx, dy);
    button->VisibleBounds.Offset(dx, dy);
  }
  TcxContainerViewInfo::Shift(dx, dy);
}

// ---------------------------------------------------------------------------------------------
// Hot tracking and hints

bool TcxCustomEditViewInfo::HasHotButton() const {
  return std::any_of(ButtonsInfo.begin(), ButtonsInfo.end(), [](const auto& b) { return b->Data.State == ebdsHot; });
}

bool TcxCustomEditViewInfo::IsPointOverButton(const TPoint& point) const {
  const TPoint p(point.X - Left, point.Y - Top);
  return std::any_of(ButtonsInfo.begin(), ButtonsInfo.end(), [&](const auto& b) { return b->Bounds.Contains(p); });
}

int TcxCustomEditViewInfo::HintTargetAt(const TPoint& point) const {
  for (const auto& button : ButtonsInfo)
    if (button->Data.State == ebdsHot) return button->Index;
  return BorderRect.Contains(point) ? -1 : -2;
}

bool TcxCustomEditViewInfo::QueryButtonHint(const TPoint&, std::string& hint) const {
  hint.clear();
  if (!Properties) return false;
  for (const auto& button : ButtonsInfo)
    if (button->Data.State == ebdsHot) hint = GetHintCaption(Properties->Buttons()->Items(button->Index)->Hint());
  return !hint.empty();
}
