// The push-button base: mouse tracking, hot tracking and captions in four text styles.
#include "RzButton.h"

#include <windows.h>

#include "Forms.h"
#include "RzGrafx.h"

CALDERAN_IMPLEMENT_CLASS(TRzCustomButton, TCustomControl)

TRzCustomButton::TRzCustomButton(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csCaptureMouse, csSetCaption, csDoubleClicks, csReplicatable, csReflector});
  SetBounds(Left(), Top(), 115, 17);
  SetTabStop(true);
}

void TRzCustomButton::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_SETFOCUS: case WM_KILLFOCUS: WMFocusChanged(message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(message); break;
    case CM_MOUSEENTER: CMMouseEnter(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(message); break;
    case CM_TEXTCHANGED: CMTextChanged(message); break;
    default: TCustomControl::Dispatch(message);
  }
}

void TRzCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  SetFocus();
  if (!Focused()) return;
  showPressed_ = true;
  RefreshState();
  dragging_ = true;
}

void TRzCustomButton::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  const bool inside = ClientRect().Contains({x, y});
  if (inside == showPressed_) return;
  showPressed_ = inside;
  RefreshState();
}

void TRzCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (!dragging_) return;
  dragging_ = false;
  showPressed_ = false;
  if (ClientRect().Contains({x, y})) ToggleState();
  RefreshState();
}

void TRzCustomButton::InvalidateHotArea() {
  if (!hotTrack_ && !(themeAware_ && FramedThemesEnabled())) return;
  if (!HandleAllocated()) return;
  const RECT r = HotArea();
  InvalidateRect(Handle(), &r, FALSE);
}

void TRzCustomButton::CMMouseEnter(TMessage& m) {
  if (ComponentState().Contains(csDesigning)) return;
  mouseOver_ = true;
  TCustomControl::Dispatch(m);
  if (OnMouseEnter) OnMouseEnter(this);
  InvalidateHotArea();
}

void TRzCustomButton::CMMouseLeave(TMessage& m) {
  mouseOver_ = false;
  TCustomControl::Dispatch(m);
  if (OnMouseLeave) OnMouseLeave(this);
  InvalidateHotArea();
}

// The base moves the focus away from a disabled control and follows Enabled with the window.
void TRzCustomButton::CMEnabledChanged(TMessage& m) {
  TCustomControl::Dispatch(m);
  Invalidate();
}

void TRzCustomButton::WMEraseBkgnd(TMessage& m) {
  if (!transparent_) return TCustomControl::Dispatch(m);
  PaintBehindControl(this, reinterpret_cast<HDC>(m.WParam), true);
  m.Result = 1;
}

void TRzCustomButton::WMFocusChanged(TMessage& m) {
  TCustomControl::Dispatch(m);
  RedrawNow();
}

void TRzCustomButton::CMTextChanged(TMessage& m) {
  TCustomControl::Dispatch(m);
  Repaint();
}

void TRzCustomButton::DrawCaption3D(TCanvas* canvas, TRect r, UINT flags) {
  const std::string caption = Caption();
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->SetFont(Font());
  TRect measured = r;
  DrawTextA(canvas->Handle(), caption.c_str(), -1, measured.Win(),
            DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
  const int h = measured.Height();
  switch (alignmentVertical_) {
    case avTop: r.Bottom = r.Top + h; break;
    case avCenter:
      r.Top = (r.Top + r.Bottom - h) / 2;
      r.Bottom = r.Top + h;
      break;
    case avBottom: r.Top = r.Bottom - h - 1; break;
  }
  auto copyAt = [&](int dx, int dy, TColor color) {
    TRect moved = r;
    moved.Offset(dx, dy);
    canvas->Font()->SetColor(color);
    DrawTextA(canvas->Handle(), caption.c_str(), -1, moved.Win(), flags);
  };
  const TColor fontColor = Font()->Color();
  if (!Enabled()) {
    copyAt(1, 1, clBtnHighlight);
    copyAt(0, 0, clBtnShadow);
  } else {
    const bool right = (flags & DT_RIGHT) != 0;
    if (textStyle_ == tsRaised || textStyle_ == tsRecessed) {
      const TColor upper = textStyle_ == tsRaised ? textHighlightColor_ : textShadowColor_;
      const TColor lower = textStyle_ == tsRaised ? textShadowColor_ : textHighlightColor_;
      if (!(lightTextStyle_ && textStyle_ == tsRaised)) copyAt(1, 1, lower);
      if (!(lightTextStyle_ && textStyle_ == tsRecessed)) copyAt(-1, -1, upper);
    } else if (textStyle_ == tsShadow) {
      copyAt(right ? 0 : textShadowDepth_, textShadowDepth_, textShadowColor_);
    }
    copyAt(right ? -textShadowDepth_ : 0, 0, fontColor);
  }
  canvas->Font()->SetColor(fontColor);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}
