// Timers, panels, images and paint boxes.
#include "ExtCtrls.h"

#include <algorithm>

#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE(TTimer, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TCustomPanel, TCustomControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TPanel, TCustomPanel, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TImage, TGraphicControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TPaintBox, TGraphicControl, TComponent*)

const TUnitInfo ExtCtrlsUnit{"ExtCtrls", nullptr, nullptr};

// ---------------------------------------------------------------------------------------------
// TTimer
TTimer::TTimer(TComponent* owner) : TComponent(owner) { window_ = AllocateHWnd(MakeEvent(this, &TTimer::WndProc)); }

TTimer::~TTimer() {
  Destroying();
  enabled_ = false;
  UpdateTimer();
  DeallocateHWnd(window_);
}

// Runs only while enabled, with a handler, and not while its stored definition is being read.
void TTimer::UpdateTimer() {
  if (running_) KillTimer(window_, 1);
  running_ = false;
  if (enabled_ && interval_ != 0 && OnTimer && !ComponentState().Contains(csLoading))
    running_ = SetTimer(window_, 1, interval_, nullptr) != 0;
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  OnTimer = handler;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

void TTimer::WndProc(TMessage& m) {
  if (m.Msg == WM_TIMER) {
    // a handler assigned or removed directly (not through SetOnTimer) takes effect here
    if (!OnTimer) UpdateTimer();
    else Timer();
    return;
  }
  m.Result = DefWindowProcA(window_, m.Msg, m.WParam, m.LParam);
}

// ---------------------------------------------------------------------------------------------
// Panels
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  TPen* pen = canvas->Pen();
  pen->SetWidth(1);
  rect.Bottom -= 1;
  rect.Right -= 1;
  for (int i = 0; i < width; ++i) {
    pen->SetColor(topColor);
    TPoint topLeft[] = {{rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}};
    canvas->Polyline(topLeft, 3);
    pen->SetColor(bottomColor);
    TPoint bottomRight[] = {{rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom}};
    canvas->Polyline(bottomRight, 3);
    rect.Inflate(-1, -1);
  }
  rect.Bottom += 1;
  rect.Right += 1;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                   csReplicatable, csParentBackground});
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
  SetUseDockManager(true);
}

void TCustomPanel::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CM_TEXTCHANGED: CMTextChanged(m); break;
    default: TCustomControl::Dispatch(m);
  }
}

void TCustomPanel::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  if (borderStyle_ == bsSingle) p.Style |= WS_BORDER;
  p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  int inset = borderWidth_ + (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
  rect.Inflate(-inset, -inset);
}

void TCustomPanel::Paint() {
  TRect r = ClientRect();
  TCanvas* c = Canvas();
  auto colours = [](TBevelCut cut, TColor& top, TColor& bottom) {
    top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
  };
  TColor top, bottom;
  if (bevelOuter_ != bvNone) {
    colours(bevelOuter_, top, bottom);
    Frame3D(c, r, top, bottom, bevelWidth_);
  }
  Frame3D(c, r, Color(), Color(), borderWidth_);
  if (bevelInner_ != bvNone) {
    colours(bevelInner_, top, bottom);
    Frame3D(c, r, top, bottom, bevelWidth_);
  }
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  std::string caption = Text();
  if (caption.empty()) return;
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->SetFont(Font());
  static constexpr UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  DrawTextA(c->Handle(), caption.c_str(), -1, r.Win(), DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | alignments[alignment_]);
}

void TCustomPanel::CMTextChanged(TMessage&) { Invalidate(); }

void TCustomPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}
void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  Realign();
  Invalidate();
}
void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  Realign();
  Invalidate();
}
void TCustomPanel::SetBevelWidth(TBevelWidth value) {
  if (value == bevelWidth_) return;
  bevelWidth_ = value;
  Realign();
  Invalidate();
}
void TCustomPanel::SetBorderWidth(int value) {
  if (value == borderWidth_) return;
  borderWidth_ = value;
  Realign();
  Invalidate();
}
void TCustomPanel::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
// TImage
TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  SetControlStyle(ControlStyle() + csReplicatable);
  picture_->OnChange = MakeEvent(this, &TImage::PictureChanged);
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
  Destroying();
  picture_->OnChange = nullptr;
}

TCanvas* TImage::Canvas() {
  if (!picture_->Graphic()) {
    auto bitmap = std::make_unique<TBitmap>(Width(), Height(), TPixelFormat::pf24bit);
    picture_->SetGraphic(bitmap.get());
  }
  auto* bitmap = ObjectAs<TBitmap>(picture_->Graphic());
  if (!bitmap) throw EInvalidOperation("Can only modify an image if it contains a bitmap");
  return bitmap->Canvas();
}

TRect TImage::DestRect() {
  TGraphic* g = picture_->Graphic();
  int w = g ? g->Width() : 0, h = g ? g->Height() : 0;
  int cw = ClientWidth(), ch = ClientHeight();
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_ && w > 0 && h > 0) {
      double scale = std::min(static_cast<double>(cw) / w, static_cast<double>(ch) / h);
      w = static_cast<int>(w * scale);
      h = static_cast<int>(h * scale);
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r(0, 0, w, h);
  if (center_) r.Offset((cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TGraphic* g = picture_->Graphic();
  if (!g || g->Empty()) return;
  drawing_ = true;
  if (g->Transparent() != transparent_ && g->Is<TBitmap>()) g->SetTransparent(transparent_);
  TGraphicControl::Canvas()->StretchDraw(DestRect(), g);
  drawing_ = false;
}

void TImage::PictureChanged(TObject*) {
  if (drawing_) return;
  TGraphic* g = picture_->Graphic();
  if (g && autoSize_ && g->Width() > 0 && g->Height() > 0) SetBounds(Left(), Top(), g->Width(), g->Height());
  // a transparent or smaller picture lets the parent show through
  bool opaque = g && !transparent_ && (stretch_ || (g->Width() >= Width() && g->Height() >= Height()));
  SetControlStyle(opaque ? ControlStyle() + csOpaque : ControlStyle() - csOpaque);
  Invalidate();
}

void TImage::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  Invalidate();
}
void TImage::SetCenter(bool value) {
  if (value == center_) return;
  center_ = value;
  Invalidate();
}
void TImage::SetProportional(bool value) {
  if (value == proportional_) return;
  proportional_ = value;
  Invalidate();
}
void TImage::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  PictureChanged(this);
}
void TImage::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  PictureChanged(this);
}

// ---------------------------------------------------------------------------------------------
// TPaintBox
TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TPaintBox::Paint() {
  if (OnPaint) OnPaint(this);
}
