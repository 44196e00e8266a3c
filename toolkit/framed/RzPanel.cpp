// The framed panel: borders, visual styles, grid, caption, transparency and the memory of the
// children's enabled states.
#include "RzPanel.h"

#include <windows.h>

#include <algorithm>

#include "Forms.h"

CALDERAN_IMPLEMENT_CLASS(TRzCustomPanel, TCustomPanel)
CALDERAN_IMPLEMENT_CREATABLE(TRzPanel, TRzCustomPanel, TComponent*)

namespace {
// How many pixels a border style takes on each side it is drawn.
int BorderStyleWidth(TFrameStyleEx style, int bevelWidth) {
  switch (style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus: case fsPopup: return bevelWidth;
    default: return 2;
  }
}

TRect ShrinkSides(TRect r, TSides sides, int by) {
  if (sides.Contains(sdLeft)) r.Left += by;
  if (sides.Contains(sdTop)) r.Top += by;
  if (sides.Contains(sdRight)) r.Right -= by;
  if (sides.Contains(sdBottom)) r.Bottom -= by;
  return r;
}

TRect Ring(TCanvas* canvas, const TRect& r, TColor color, TSides sides, int count = 1) {
  return PaintBevel(canvas, r, color, sides, count, color);
}

// The styles that both borders draw alike: the flat ones in the flat colour, the bevels of status
// and popup frames in the panel's highlight and shadow, the rest in system colours.
TRect PaintCommonBorder(TCanvas* canvas, const TRect& r, TFrameStyleEx style, const TRzPanelBorders& b, TColor fc) {
  switch (style) {
    case fsNone: return r;
    case fsFlat: return Ring(canvas, r, fc, b.Sides);
    case fsFlatBold: return Ring(canvas, r, fc, b.Sides, 2);
    case fsStatus: return PaintBevel(canvas, r, b.Shadow, b.Sides, b.BevelWidth, b.Highlight);
    case fsPopup: return PaintBevel(canvas, r, b.Highlight, b.Sides, b.BevelWidth, b.Shadow);
    default: return PaintFrameStyleSides(canvas, r, style, b.Sides);
  }
}

TRect PaintOuterRounded(TCanvas* canvas, const TRect& r, const TRzPanelBorders& b, TColor fc) {
  const bool somethingFollows = b.BorderWidth > 0 || b.Inner != fsNone;
  if (!b.Transparent) {
    const TRect inside = Ring(canvas, r, b.ParentColor, b.Sides);
    Ring(canvas, inside, somethingFollows ? b.BorderColor : b.Color, b.Sides);
  } else if (somethingFollows) {
    Ring(canvas, ShrinkSides(r, b.Sides, 1), b.BorderColor, b.Sides);
  }
  return PaintRoundedSides(canvas, r, fc, b.Sides);
}

TRect PaintInnerRounded(TCanvas* canvas, const TRect& r, const TRzPanelBorders& b, TColor fc) {
  const TRect inside = Ring(canvas, r, b.BorderColor, b.Sides);
  if (!b.Transparent) Ring(canvas, inside, b.Color, b.Sides);
  return PaintRoundedSides(canvas, r, fc, b.Sides);
}
}  // namespace

TRect PaintPanelBorders(TCanvas* canvas, const TRect& bounds, const TRzPanelBorders& b) {
  const TColor fc = ShiftColorLum(b.FlatColor, b.FlatColorAdjustment);
  TRect r = b.Outer == fsFlatRounded ? PaintOuterRounded(canvas, bounds, b, fc)
                                     : PaintCommonBorder(canvas, bounds, b.Outer, b, fc);
  if (b.BorderWidth > 0) r = Ring(canvas, r, b.BorderColor, b.Sides, b.BorderWidth);
  return b.Inner == fsFlatRounded ? PaintInnerRounded(canvas, r, b, fc) : PaintCommonBorder(canvas, r, b.Inner, b, fc);
}

// ---------------------------------------------------------------------------------------------
TRzCustomPanel::TRzCustomPanel(TComponent* owner) : TCustomPanel(owner) {
  TControlStyle style = ControlStyle();
  style.Exclude(csSetCaption);
  style.Exclude(csParentBackground);
  style.Include(csOpaque);
  SetControlStyle(style);
  SetBevelOuter(bvNone);
  SetColor(clBtnFace);
}

TRzCustomPanel::~TRzCustomPanel() {
  if (frameController_) frameController_->RemoveControl(this);
  ForgetChildStates();
}

void TRzCustomPanel::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: WMEraseBkgnd(message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(message); break;
    case WM_THEMECHANGED: WMThemeChanged(message); break;
    case CM_MOUSEENTER: CMMouseEnter(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(message); break;
    default: TCustomPanel::Dispatch(message);
  }
}

void TRzCustomPanel::AdjustRectForBorders(TRect& rect, bool includeBorderWidth) {
  if (includeBorderWidth) rect.Inflate(-BorderWidth(), -BorderWidth());
  rect = ShrinkSides(rect, borderSides_, BorderStyleWidth(borderOuter_, BevelWidth()));
  rect = ShrinkSides(rect, borderSides_, BorderStyleWidth(borderInner_, BevelWidth()));
}

TPoint TRzCustomPanel::CursorClientPos() {
  POINT p;
  GetCursorPos(&p);
  return ScreenToClient({p.x, p.y});
}

void TRzCustomPanel::AlignControls(TControl* control, TRect& rect) {
  AdjustRectForBorders(rect, false);
  TCustomPanel::AlignControls(control, rect);
}

// A panel aligned to the bottom or the right grows toward the top or the left.
void TRzCustomPanel::SetBounds(int left, int top, int width, int height) {
  if (Align() == alBottom && height != Height()) top -= height - Height();
  if (Align() == alRight && width != Width()) left -= width - Width();
  TCustomPanel::SetBounds(left, top, width, height);
}

void TRzCustomPanel::SetTransparent(bool value) {
  if (!StoreChanged(transparent_, value)) return;
  TControlStyle style = ControlStyle();
  value ? style.Exclude(csOpaque) : style.Include(csOpaque);
  SetControlStyle(style);
  Invalidate();
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

void TRzCustomPanel::InvalidateTransparentChildren() {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    const TPropInfo* prop = FindPublishedProperty(child->ClassType(), "Transparent");
    if (prop && prop->Kind == tkEnumeration && prop->GetOrd(child) != 0) child->Invalidate();
  }
}

// ---------------------------------------------------------------------------------------------
// The frame controller

void TRzCustomPanel::SetFrameController(TRzFrameController* value) {
  RelinkFrameController(this, frameController_, value);
}

void TRzCustomPanel::Notification(TComponent* component, TOperation operation) {
  TCustomPanel::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == frameController_) frameController_ = nullptr;
  childStates_.erase(static_cast<TControl*>(component));
}

void TRzCustomPanel::FrameSettingsChanged() {
  if (!frameController_ || !frameController_->FrameVisible()) return;
  const TRzFrameControllerNotifications n = frameControllerNotifications_;
  if (n.Contains(fcpFrameStyle)) borderOuter_ = frameController_->FrameStyle();
  if (n.Contains(fcpFrameSides)) borderSides_ = frameController_->FrameSides();
  if (n.Contains(fcpFrameColor)) {
    flatColor_ = frameController_->FrameColor();
    flatColorAdjustment_ = 0;
  }
  if (n.Contains(fcpColor)) SetColor(frameController_->Color());
  if (n.Contains(fcpParentColor)) SetParentColor(frameController_->ParentColor());
  if (n.Contains(fcpColor)) {
    borderHighlight_ = LightenColor(Color(), 100);
    borderShadow_ = DarkenColor(Color(), 50);
  }
  Invalidate();
}

void TRzCustomPanel::DefineProperties(TFiler* filer) {
  TCustomPanel::DefineProperties(filer);
  filer->DefineProperty("FrameSides", MakeEvent(OldPropReader(), &TRzOldPropReader::SkipSetValue), {}, false);
  filer->DefineProperty("ThemeAware", MakeEvent(OldPropReader(), &TRzOldPropReader::SkipBooleanValue), {}, false);
  filer->DefineProperty("UseGradients", MakeEvent(this, &TRzCustomPanel::ReadUseGradients), {}, false);
}

void TRzCustomPanel::ReadUseGradients(TReader* reader) {
  if (reader->ReadBoolean()) SetVisualStyle(vsGradient);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TRzCustomPanel::WMEraseBkgnd(TMessage& m) {
  if (!transparent_) return TCustomPanel::Dispatch(m);
  if (FullRepaint()) PaintBehindControl(this, reinterpret_cast<HDC>(m.WParam), true);
  m.Result = 1;
}

// Without a full repaint only the strips next to the moving right and bottom edges are redrawn. A
// transparent panel that moved shows another part of its parent: all of it is redrawn.
void TRzCustomPanel::WMWindowPosChanged(TMessage& m) {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  if (pos && transparent_ && !(pos->flags & SWP_NOMOVE) && HandleAllocated()) {
    InvalidateRect(Handle(), nullptr, TRUE);
    InvalidateTransparentChildren();
  }
  if (pos && !(pos->flags & SWP_NOSIZE) && HandleAllocated()) {
    // The window has its new size already; the old one is the size this handler saw last.
    const TSize old = windowSize_;
    windowSize_ = {pos->cx, pos->cy};
    if (FullRepaint() || !Caption().empty()) {
      InvalidateRect(Handle(), nullptr, TRUE);
    } else {
      TRect inner{0, 0, old.cx, old.cy};
      AdjustRectForBorders(inner, true);
      const RECT right{inner.Right - 1, 0, pos->cx, pos->cy}, bottom{0, inner.Bottom - 1, pos->cx, pos->cy};
      if (pos->cx != old.cx) InvalidateRect(Handle(), &right, TRUE);
      if (pos->cy != old.cy) InvalidateRect(Handle(), &bottom, TRUE);
    }
  }
  TCustomPanel::Dispatch(m);
}

void TRzCustomPanel::CreateWnd() {
  TCustomPanel::CreateWnd();
  windowSize_ = {Width(), Height()};
}

void TRzCustomPanel::WMThemeChanged(TMessage& m) {
  TCustomPanel::Dispatch(m);
  CurrentXpColorScheme = ReadXpColorScheme();
}

void TRzCustomPanel::CMMouseEnter(TMessage& m) {
  if (ComponentState().Contains(csDesigning)) return;
  TCustomPanel::Dispatch(m);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TRzCustomPanel::CMMouseLeave(TMessage& m) {
  TCustomPanel::Dispatch(m);
  if (OnMouseLeave) OnMouseLeave(this);
}

void TRzCustomPanel::CMEnabledChanged(TMessage& m) {
  TCustomPanel::Dispatch(m);
  Repaint();
  Enabled() ? RestoreChildStates() : RememberChildStates();
}

void TRzCustomPanel::ForgetChildStates() {
  for (const auto& [child, enabled] : childStates_) child->RemoveFreeNotification(this);
  childStates_.clear();
}

void TRzCustomPanel::RememberChildStates() {
  ForgetChildStates();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    childStates_[child] = child->Enabled();
    child->FreeNotification(this);
  }
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(false);
}

// Children the panel did not see disabled (added since) come back enabled.
void TRzCustomPanel::RestoreChildStates() {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    const auto found = childStates_.find(child);
    if (found == childStates_.end() || found->second) child->SetEnabled(true);
  }
}

// ---------------------------------------------------------------------------------------------
// Painting

TRzPanelBorders TRzCustomPanel::Borders() {
  TRzPanelBorders b;
  b.Outer = borderOuter_;
  b.Inner = borderInner_;
  b.BorderWidth = BorderWidth();
  b.Sides = borderSides_;
  b.BevelWidth = BevelWidth();
  b.BorderColor = borderColor_;
  b.Highlight = borderHighlight_;
  b.Shadow = borderShadow_;
  b.FlatColor = flatColor_;
  b.FlatColorAdjustment = flatColorAdjustment_;
  b.Color = Color();
  b.ParentColor = Parent() ? Parent()->Color() : Color();
  b.Transparent = transparent_;
  return b;
}

void TRzCustomPanel::GetGradientColors(TColor& start, TColor& stop) {
  if (gradientColorStyle_ == gcsCustom) {
    start = gradientColorStart_;
    stop = gradientColorStop_;
  } else {
    PanelGradientColors(gradientColorStyle_, start, stop);
  }
}

void TRzCustomPanel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r;
  GetPaintRect(r);
  r = PaintPanelBorders(canvas, r, Borders());
  if (!transparent_) {
    if (visualStyle_ == vsGradient) {
      TColor start, stop;
      GetGradientColors(start, stop);
      RenderGradient(canvas, r, gradientDirection_, start, stop, 1);
    } else {
      canvas->Brush()->SetColor(Color());
      canvas->FillRect(r);
    }
  }
  if (showGrid_) DrawGrid(r);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  DrawCaptionText(r);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  if (OnPaint) OnPaint(this);
}

void TRzCustomPanel::DrawCaptionText(TRect r) {
  const std::string caption = Caption();
  if (caption.empty()) return;
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  r.Inflate(-textMargin_, -textMargin_);
  static constexpr UINT alignFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const UINT flags = DT_EXPANDTABS | DT_VCENTER | (wordWrap_ ? DT_WORDBREAK : 0) | alignFlags[Alignment()];
  TRect measured = r;
  DrawTextA(canvas->Handle(), caption.c_str(), -1, measured.Win(), flags | DT_CALCRECT);
  const int h = measured.Height();
  switch (alignmentVertical_) {
    case avTop: r.Bottom = std::min<int>(r.Bottom, r.Top + h); break;
    case avCenter:
      r.Top = (r.Top + r.Bottom - h) / 2;
      r.Bottom = std::min<int>(r.Bottom, r.Top + h);
      break;
    case avBottom: r.Top = std::max<int>(r.Top, r.Bottom - h - 1); break;
  }
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  if (!Enabled()) {
    TRect light = r;
    light.Offset(1, 1);
    canvas->Font()->SetColor(clBtnHighlight);
    DrawTextA(canvas->Handle(), caption.c_str(), -1, light.Win(), flags);
    canvas->Font()->SetColor(clBtnShadow);
  }
  DrawTextA(canvas->Handle(), caption.c_str(), -1, r.Win(), flags);
}

void TRzCustomPanel::DrawGrid(const TRect& r) {
  TCanvas* canvas = Canvas();
  const int nx = gridXSize_ ? r.Width() / gridXSize_ : 0, ny = gridYSize_ ? r.Height() / gridYSize_ : 0;
  canvas->Pen()->SetColor(gridColor_);
  if (gridStyle_ == gsDots) {
    for (int i = 1; i <= nx; ++i)
      for (int j = 1; j <= ny; ++j) canvas->SetPixel(r.Left + i * gridXSize_ - 1, r.Top + j * gridYSize_ - 1, gridColor_);
    return;
  }
  auto line = [&](int x0, int y0, int x1, int y1) {
    if (gridStyle_ == gsSolidLines) {
      canvas->MoveTo(x0, y0);
      canvas->LineTo(x1, y1);
      return;
    }
    const int dx = x1 > x0, dy = y1 > y0, length = std::max(x1 - x0, y1 - y0);
    for (int k = 1; k < length; k += 2) canvas->SetPixel(x0 + dx * k, y0 + dy * k, gridColor_);
  };
  for (int i = 1; i <= nx; ++i) line(r.Left + i * gridXSize_ - 1, r.Top, r.Left + i * gridXSize_ - 1, r.Bottom);
  for (int j = 1; j <= ny; ++j) line(r.Left, r.Top + j * gridYSize_ - 1, r.Right, r.Top + j * gridYSize_ - 1);
}
