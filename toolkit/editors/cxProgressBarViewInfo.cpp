// The progress bar's view data (layout, change detection, measuring) and view info (painting
// through a kept buffer, the animation and its timers).
#include <climits>

#include "cxGraphicsRoutines.h"
#include "cxProgressBar.h"
#include "dxThemeManager.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomProgressBarViewData, TcxCustomEditViewData)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomProgressBarViewInfo, TcxCustomEditViewInfo)

namespace {

constexpr uint32_t animationInterval = 30;

TcxCustomProgressBarViewInfo* BarInfo(TcxCustomEditViewInfo* viewInfo) {
  return static_cast<TcxCustomProgressBarViewInfo*>(viewInfo);
}

}  // namespace

TcxCustomEditViewData* TcxCustomProgressBarViewDataClass::Create(TcxCustomEditProperties* properties,
                                                                 TcxCustomEditStyle* style, bool inPlace) const {
  return new TcxCustomProgressBarViewData(properties, style, inPlace);
}

TcxCustomEditViewInfo* TcxCustomProgressBarViewInfoClass::Create() const { return new TcxCustomProgressBarViewInfo(); }

// ---------------------------------------------------------------------------------------------
// View data

void TcxCustomProgressBarViewData::LoadBarSettings(TcxCustomProgressBarViewInfo* vi) {
  TcxCustomProgressBarProperties* p = BarProperties();
  vi->SetAnimationPath(p->AnimationPath());
  vi->SetAnimationRestartDelay(p->AnimationRestartDelay());
  vi->SetAnimationSpeed(p->AnimationSpeed());
  vi->SetMarquee(p->Marquee());
  vi->SetOrientation(p->Orientation());
  vi->SetBarStyle(p->BarStyle());
  TcxProgressBarSettings& s = vi->Bar;
  s.BeginColor = ColorToRGB(p->BeginColor());
  s.EndColor = ColorToRGB(p->EndColor());
  s.OverloadBeginColor = ColorToRGB(p->OverloadBeginColor());
  s.OverloadEndColor = ColorToRGB(p->OverloadEndColor());
  s.PeakColor = ColorToRGB(p->PeakColor());
  s.Min = p->Min();
  s.Max = p->Max();
  s.ShowText = p->ShowText();
  s.ShowTextStyle = p->ShowTextStyle();
  s.Text = p->Text();
  s.TextOrientation = p->TextOrientation();
  s.SolidTextColor = p->SolidTextColor();
  s.BarBevelOuter = p->BarBevelOuter();
  s.BorderWidth = p->BorderWidth();
  s.OverloadValue = p->OverloadValue();
  s.ShowOverload = p->ShowOverload();
  s.PeakSize = p->PeakSize();
  s.ShowPeak = p->ShowPeak();
  // The mark stays at the highest position reached until PeakValue is written again.
  s.PeakValue = ProgressBarPeakHold(s.Position, s.Min, s.Max, p->PeakValue());
  p->HoldPeak(s.PeakValue);
  if (!InPlace) vi->Transparent = Edit && Edit->Transparent();
}

bool TcxCustomProgressBarViewData::UsesNativeBar() const {
  return NativeStyle && OpenThemeByKind(totProgress) != nullptr;
}

void TcxCustomProgressBarViewData::ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                                 TcxContainerMouseButton button, TShiftState shift,
                                                 TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) {
  TcxCustomEditViewData::ComputeLayout(canvas, bounds, point, button, shift, viewInfo, isMouseEvent);
  if (bounds.Right == INT_MAX || bounds.Bottom == INT_MAX) return;  // measuring
  TcxCustomProgressBarViewInfo* vi = BarInfo(viewInfo);
  vi->Font = Style->GetEffectiveFont();
  LoadBarSettings(vi);
  vi->NativeBar = UsesNativeBar();
  const TcxProgressBarFrame frame{bounds, vi->BorderRect, InPlace, vi->NativeBar};
  const TcxProgressBarLayout layout = CalculateProgressBarLayout(vi->Bar, frame, vi->MarqueeBlockLength());
  TcxCustomProgressBarProperties* p = BarProperties();
  if (p->ImageChanged || vi->ForegroundImage()->Empty()) {
    vi->TakeForegroundImage(p->ForegroundImageIfAny(), p->TransparentImage());
    p->ImageChanged = false;
  }
  StoreLayout(vi, layout, isMouseEvent);
}

// A position change that moves no pixel keeps the stored layout: the next paint redraws only the
// caption.
void TcxCustomProgressBarViewData::StoreLayout(TcxCustomProgressBarViewInfo* vi, const TcxProgressBarLayout& layout,
                                               bool isMouseEvent) {
  const TcxProgressBarLayout& old = vi->Layout;
  const bool same = layout.Progress == old.Progress && layout.BarRect == old.BarRect &&
                    layout.OverloadVisible == old.OverloadVisible && layout.PeakVisible == old.PeakVisible &&
                    (!layout.OverloadVisible || layout.Overload == old.Overload) &&
                    (!layout.PeakVisible || layout.Peak == old.Peak);
  TcxCustomProgressBarProperties* p = BarProperties();
  if (p->PositionChanged && !isMouseEvent && same) {
    vi->LayoutChanged = false;
  } else {
    if (layout.BarRect != old.BarRect) vi->BufferResizeNeeded = true;
    vi->Layout = layout;
    vi->LayoutChanged = true;
  }
  p->PositionChanged = false;
}

void TcxCustomProgressBarViewData::CalcConstantPartSize(TcxCanvas* canvas, bool editing, TcxCustomEditViewInfo* viewInfo,
                                                        TSize& nonContentSize, TSize& minContentSize,
                                                        const TcxEditSizeProperties& request) {
  TcxCustomEditViewData::CalcConstantPartSize(canvas, editing, viewInfo, nonContentSize, minContentSize, request);
  canvas->SetFont(Style->GetEffectiveFont());
  const int progressWidth = viewInfo ? ClampedRectWidth(BarInfo(viewInfo)->Layout.Progress) : 0;
  nonContentSize.cx += progressWidth + (!InPlace && !NativeStyle ? 4 : 0) + 3 + canvas->TextWidth("");
  nonContentSize.cy += canvas->TextHeight("Zg");
}

// ---------------------------------------------------------------------------------------------
// View info

TcxCustomProgressBarViewInfo::TcxCustomProgressBarViewInfo()
    : drawBuffer_(std::make_unique<TcxBitmap>()), foregroundImage_(std::make_unique<TBitmap>()) {}

TcxCustomProgressBarViewInfo::~TcxCustomProgressBarViewInfo() {
  animationTimer_.reset();
  restartTimer_.reset();
}

void TcxCustomProgressBarViewInfo::TakeForegroundImage(TBitmap* image, bool transparent) {
  foregroundImage_ = std::make_unique<TBitmap>();
  if (!image || image->Empty()) return;
  foregroundImage_->Assign(image);
  if (!transparent) return;
  foregroundImage_->SetTransparent(true);
  auto flat = std::make_unique<TBitmap>();
  flat->SetSize(image->Width(), image->Height());
  flat->Canvas()->Brush()->SetColor(BackgroundColor);
  flat->Canvas()->FillRect(TRect(0, 0, image->Width(), image->Height()));
  flat->Canvas()->Draw(0, 0, foregroundImage_.get());
  foregroundImage_ = std::move(flat);
}

// --- animation

bool TcxCustomProgressBarViewInfo::AnimationAllowed() const {
  return (Bar.Marquee || IsAnimationStyle(Bar.BarStyle)) && Bar.AnimationSpeed != 0 && !IsDesigning && !IsInPlace;
}

void TcxCustomProgressBarViewInfo::SetAnimationPath(TcxProgressBarAnimationPath value) {
  if (value == Bar.AnimationPath) return;
  Bar.AnimationPath = value;
  StartAnimation();
}

void TcxCustomProgressBarViewInfo::SetMarquee(bool value) {
  if (value == Bar.Marquee) return;
  Bar.Marquee = value;
  StartAnimation();
}

void TcxCustomProgressBarViewInfo::SetOrientation(TcxProgressBarOrientation value) {
  if (value == Bar.Orientation) return;
  Bar.Orientation = value;
  StartAnimation();
}

void TcxCustomProgressBarViewInfo::SetBarStyle(TcxProgressBarBarStyle value) {
  if (value == Bar.BarStyle) return;
  Bar.BarStyle = value;
  StartAnimation();
}

void TcxCustomProgressBarViewInfo::SetAnimationSpeed(int value) {
  if (value == Bar.AnimationSpeed) return;
  Bar.AnimationSpeed = value;
  if (value == 0) return StopAnimation();
  if (animationTimer_) return animationTimer_->SetInterval(animationInterval);
  StartAnimation();
}

void TcxCustomProgressBarViewInfo::PrepareMotion() {
  motion_.Path = Bar.AnimationPath;
  motion_.Vertical = Bar.Vertical();
  motion_.Speed = Bar.AnimationSpeed;
  motion_.BlockLength = MarqueeBlockLength();
  motion_.BaseDirection = MarqueeBaseDirection();
  motion_.SetSpan(Bounds, Bar.DrawnValue(), Bar.Range());
}

void TcxCustomProgressBarViewInfo::StartAnimation() {
  StopAnimation();
  if (!AnimationAllowed()) return;
  animationTimer_ = std::make_unique<TcxTimer>(nullptr);
  animationTimer_->SetInterval(animationInterval);
  animationTimer_->SetOnTimer(MakeEvent(this, &TcxCustomProgressBarViewInfo::AnimationTimerTick));
  animationTimer_->SetEnabled(true);
  PrepareMotion();
  motion_.Reset();
}

void TcxCustomProgressBarViewInfo::StopAnimation() { animationTimer_.reset(); }

void TcxCustomProgressBarViewInfo::StartRestartDelay() {
  restartTimer_.reset();
  if (Bar.AnimationRestartDelay == 0) return;
  restartTimer_ = std::make_unique<TcxTimer>(nullptr);
  restartTimer_->SetInterval(Bar.AnimationRestartDelay);
  restartTimer_->SetOnTimer(MakeEvent(this, &TcxCustomProgressBarViewInfo::RestartTimerTick));
  restartTimer_->SetEnabled(true);
}

void TcxCustomProgressBarViewInfo::AnimationTick() {
  if (!AnimationAllowed()) return StopAnimation();
  if (!animationTimer_ || !animationTimer_->Enabled()) return;
  if (!restartTimer_) {
    PrepareMotion();
    if (motion_.Advance()) StartRestartDelay();
  }
  LayoutChanged = true;  // the block or the shine moved
  if (Edit) Edit->Invalidate();
}

// --- painting

TcxProgressBarPaintParams TcxCustomProgressBarViewInfo::PaintParams(TcxCanvas* target) const {
  TcxProgressBarPaintParams p;
  p.BackgroundColor = BackgroundColor;
  p.Native = NativeBar;
  p.InPlace = IsInPlace;
  p.Transparent = Transparent;
  p.Designing = IsDesigning;
  p.Image = foregroundImage_->Empty() ? nullptr : foregroundImage_.get();
  p.AnimationPosition = motion_.Position();
  p.AnimationRunning = animationTimer_ != nullptr;
  p.ChunkStrip = chunkStrip_.get();
  p.Caption.Font = Font;
  p.Caption.Color = TextColor;
  p.Caption.Orientation = Bar.TextOrientation;
  p.Caption.Solid = Bar.SolidTextColor;
  const TPoint origin = IsInPlace ? TPoint(Layout.BarRect.Left, Layout.BarRect.Top) : TPoint();
  TcxCustomEdit* edit = Edit;
  const bool inPlace = IsInPlace;
  p.PaintBackground = [target, origin, edit, inPlace](TcxCanvas* canvas, const TRect& rect) {
    if (inPlace)
      BitBlt(canvas->GetHandle(), rect.Left, rect.Top, rect.Width(), rect.Height(), target->GetHandle(),
             rect.Left + origin.X, rect.Top + origin.Y, SRCCOPY);
    else if (edit)
      PaintParentImage(edit, canvas, rect, false);
  };
  return p;
}

void TcxCustomProgressBarViewInfo::DrawClassicBar(TcxCanvas* canvas) {
  if (IsAnimationStyle(Bar.BarStyle) && !Bar.Marquee && !animationTimer_ && Bar.AnimationSpeed != 0) StartAnimation();
  const TRect& bar = Layout.BarRect;
  if (bar.IsEmpty()) return;
  const TPoint origin = IsInPlace ? TPoint(bar.Left, bar.Top) : TPoint();
  const TSize size(bar.Right - origin.X, bar.Bottom - origin.Y);
  if (BufferResizeNeeded || drawBuffer_->Width() != size.cx || drawBuffer_->Height() != size.cy) {
    drawBuffer_->SetSize(size.cx, size.cy);
    BufferResizeNeeded = false;
    LayoutChanged = true;
  }
  if (LayoutChanged || Transparent) {
    if (!chunkStrip_) chunkStrip_ = std::make_unique<TBitmap>();
    TcxProgressBarLayout local = Layout;
    local.Offset(-origin.X, -origin.Y);
    TcxProgressBarSettings settings = Bar;
    settings.ShowText = false;  // drawn on the target, so that the kept bar holds no caption
    DrawProgressBarClassic(drawBuffer_->Canvas(), size, settings, local, PaintParams(canvas));
    LayoutChanged = false;
  }
  BitBlt(canvas->GetHandle(), bar.Left, bar.Top, bar.Width(), bar.Height(), drawBuffer_->Canvas()->GetHandle(),
         bar.Left - origin.X, bar.Top - origin.Y, SRCCOPY);
  PaintCaption(canvas);
}

void TcxCustomProgressBarViewInfo::PaintCaption(TcxCanvas* canvas) const {
  if (!Bar.ShowText) return;
  TcxProgressBarCaptionStyle caption = PaintParams(canvas).Caption;
  DrawProgressBarCaption(canvas, Layout.BarRect, ProgressBarCaptionText(Bar), caption);
}

void TcxCustomProgressBarViewInfo::PaintSkinned(TcxCanvas* canvas) {
  const int w = Bounds.Width(), h = Bounds.Height();
  if (w <= 0 || h <= 0) return;
  if (!skinBuffer_ || skinBuffer_->Width() != w || skinBuffer_->Height() != h)
    skinBuffer_ = std::make_unique<TcxBitmap>(w, h);
  TcxProgressBarLayout local = Layout;
  local.Offset(-Bounds.Left, -Bounds.Top);
  TcxProgressBarPaintParams params = PaintParams(canvas);
  if (IsInPlace) params.PaintBackground = nullptr;
  DrawProgressBarSkinned(skinBuffer_->Canvas(), Painter, Bar, local, params);
  BitBlt(canvas->GetHandle(), Bounds.Left, Bounds.Top, w, h, skinBuffer_->Canvas()->GetHandle(), 0, 0, SRCCOPY);
  LayoutChanged = false;
}

void TcxCustomProgressBarViewInfo::PaintAll(TcxCanvas* canvas) {
  if (OnBeforePaint) OnBeforePaint(this, canvas);
  if (Painter) return PaintSkinned(canvas);
  if (!NativeBar && !(IsInPlace && Transparent)) DrawEditBackgroundAndButtons(canvas, this, !Transparent, 0);
  DrawClassicBar(canvas);
}

void TcxCustomProgressBarViewInfo::Shift(int dx, int dy) {
  TcxCustomEditViewInfo::Shift(dx, dy);
  Layout.Offset(dx, dy);
}
