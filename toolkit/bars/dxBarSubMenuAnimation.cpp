// The menu open animation. The steps run on the user-interface thread from a window timer of the
// menu: a step resizes the window and copies the part of the finished menu's image that is now
// exposed, so the window is only ever moved and painted by the thread that owns it.
#include <algorithm>
#include <cstdlib>

#include "dxBarSubMenu.h"

TdxBarMenuAnimations ChooseMenuAnimation(TdxBarMenuAnimations kind, int randomValue) {
  if (kind != maRandom) return kind;
  if (randomValue < 33) return maUnfold;
  if (randomValue < 66) return maSlide;
  return maFade;
}

TdxBarMenuAnimationRecord MakeMenuAnimationRecord(TdxBarMenuAnimations kind, int clientWidth, int clientHeight,
                                                  bool fromRight, bool fromBottom) {
  TdxBarMenuAnimationRecord record;
  record.Kind = kind;
  record.FromRight = fromRight;
  record.FromBottom = fromBottom;
  record.ClientWidth = clientWidth;
  record.ClientHeight = clientHeight;
  if (kind == maSlide) {
    record.FirstValue = 0;
    record.Delta = clientHeight;
    record.Step = 17;
    return record;
  }
  // A wide menu grows by its height, a tall one by its width; the other side starts at the
  // difference, so both sides reach their full size together.
  record.FirstValue = clientHeight - clientWidth;
  record.Delta = record.FirstValue <= 0 ? clientHeight : clientWidth;
  record.Step = 8;
  return record;
}

int MenuAnimationStepCount(const TdxBarMenuAnimationRecord& record) {
  return record.Step > 0 ? record.Delta / record.Step : 0;
}

TRect MenuAnimationStepRect(const TdxBarMenuAnimationRecord& record, int step) {
  const int growth = step * record.Step;
  int width, height;
  if (record.FirstValue < 0) {
    height = growth;
    width = -record.FirstValue + growth;
  } else {
    width = growth;
    height = record.FirstValue + growth;
  }
  if (record.Kind == maSlide) width = record.ClientWidth;
  width = std::clamp(width, 0, record.ClientWidth);
  height = std::clamp(height, 0, record.ClientHeight);
  const int left = record.FromRight ? record.ClientWidth - width : 0;
  const int top = record.FromBottom ? record.ClientHeight - height : 0;
  return {left, top, left + width, top + height};
}

// ---------------------------------------------------------------------------------------------
// The menu window's side.

// Called once the window is placed: the menu grows from the corner it opens away from.
void TdxBarSubMenuControl::StartAnimation() {
  if (animationKind_ != maUnfold && animationKind_ != maSlide) return;
  const TRect client = ClientRect();
  if (client.IsEmpty()) return;
  const bool fromRight = toRight_ == flippedLeft_;
  const bool fromBottom = downwards_ == flippedUp_;
  animation_ = MakeMenuAnimationRecord(animationKind_, client.Width(), client.Height(), fromRight, fromBottom);
  if (MenuAnimationStepCount(animation_) == 0) return;
  finalPosition_ = TPoint(Left(), Top());
  CaptureAnimationImage();
  animating_ = true;
  animationStep_ = 1;
  DrawAnimationStep(animationStep_);
  SetTimer(WindowHandle(), dxBarMenuAnimationTimerId, USER_TIMER_MINIMUM, nullptr);
}

void TdxBarSubMenuControl::CaptureAnimationImage() {
  const TRect client = ClientRect();
  delete animationImage_;
  animationImage_ = new TBitmap();
  animationImage_->SetSize(client.Width(), client.Height());
  PaintWindow(animationImage_->Canvas()->Handle());
}

void TdxBarSubMenuControl::AnimationTick() {
  if (!animating_) return;
  if (++animationStep_ > MenuAnimationStepCount(animation_)) return FinishAnimation();
  DrawAnimationStep(animationStep_);
}

// The window shows the visible part of the image at its place in the final window.
void TdxBarSubMenuControl::DrawAnimationStep(int step) {
  if (!animationImage_ || !HandleAllocated()) return;
  const TRect visible = MenuAnimationStepRect(animation_, step);
  const TRect border = GetBorderRect();
  SetWindowPos(WindowHandle(), nullptr, finalPosition_.X + visible.Left, finalPosition_.Y + visible.Top,
               visible.Width() + border.Left + border.Right, visible.Height() + border.Top + border.Bottom,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
  HDC dc = GetDC(WindowHandle());
  BitBlt(dc, 0, 0, visible.Width(), visible.Height(), animationImage_->Canvas()->Handle(), visible.Left, visible.Top,
         SRCCOPY);
  ReleaseDC(WindowHandle(), dc);
}

// The window takes its final place and size and paints itself; the shadow may appear now.
void TdxBarSubMenuControl::FinishAnimation() {
  if (!animating_) return;
  animating_ = false;
  showAnimation_ = false;
  if (HandleAllocated()) KillTimer(WindowHandle(), dxBarMenuAnimationTimerId);
  delete animationImage_;
  animationImage_ = nullptr;
  if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
  const TRect border = GetBorderRect();
  SetWindowPos(WindowHandle(), nullptr, finalPosition_.X, finalPosition_.Y,
               animation_.ClientWidth + border.Left + border.Right, animation_.ClientHeight + border.Top + border.Bottom,
               SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
  Invalidate();
  ShowShadow();
}

void TdxBarSubMenuControl::StopAnimation() { FinishAnimation(); }
