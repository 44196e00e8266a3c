// The scroll bar drawn entirely by the look-and-feel painter: arrows, thumb and page areas are laid
// out by a view info, painted off-screen and copied to the window in one piece. Hot parts,
// auto-repeat on the arrows and page areas (400 ms, then every 60 ms), thumb dragging that snaps
// back when the mouse strays far from the bar, and the framework's scroll events.
#pragma once
#include <windows.h>

#include <memory>

#include "Controls.h"
#include "StdCtrls.h"
#include "cxGraphics.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"

class TcxScrollBar;
class TcxTimer;
class TdxThemeChangedNotificator;

// The geometry of a scroll bar's parts.
class TcxScrollBarViewInfo : public TObject {
  CALDERAN_CLASS(TcxScrollBarViewInfo)
  explicit TcxScrollBarViewInfo(TcxScrollBar* scrollBar) : scrollBar_(scrollBar) {}
  virtual void Calculate();

  TRect BottomRightArrowRect;
  TRect PageDownRect;
  TRect PageUpRect;
  TRect ThumbnailRect;
  int MinThumbnailSize = 8;
  TRect TopLeftArrowRect;

  TcxScrollBar* ScrollBar() const { return scrollBar_; }
  // The page areas on each side of the thumb (both empty without a thumb).
  void CalculatePageRects();

 protected:
  virtual void DoCalculate();
  void CalculateArrows();
  void CalculateThumbnail();

 private:
  int TrackStart() const;
  int TrackEnd() const;
  void SetThumbnail(int start, int length);
  TcxScrollBar* scrollBar_;
};
using TcxScrollBarViewInfoClass = TClass;

class TcxScrollBar : public TCustomControl {
  CALDERAN_CLASS(TcxScrollBar)
  explicit TcxScrollBar(TComponent* owner);
  ~TcxScrollBar() override;
  void Dispatch(TMessage& message) override;

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind value);
  int Max() const { return max_; }
  void SetMax(int value) { SetScrollParams(min_, value, position_, pageSize_); }
  int Min() const { return min_; }
  void SetMin(int value) { SetScrollParams(value, max_, position_, pageSize_); }
  int PageSize() const { return pageSize_; }
  void SetPageSize(int value) { SetScrollParams(min_, max_, position_, value); }
  int Position() const { return position_; }
  void SetPosition(int value) { SetScrollParams(min_, max_, value, pageSize_); }
  Word LargeChange() const { return largeChange_; }
  void SetLargeChange(Word value) { largeChange_ = value; }
  Word SmallChange() const { return smallChange_; }
  void SetSmallChange(Word value) { smallChange_ = value; }
  bool UnlimitedTracking() const { return unlimitedTracking_; }
  void SetUnlimitedTracking(bool value) { unlimitedTracking_ = value; }
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* value) { lookAndFeel_->Assign(value); }
  bool Ctl3D() const;
  void SetCtl3D(bool value);

  // Raises "Scrollbar property out of range" when max < min or max < pageSize (the old values stay).
  void SetScrollParams(int min, int max, int position, int pageSize, bool redraw = true);
  void SetBounds(int left, int top, int width, int height) override;

  TcxScrollBarViewInfo* ViewInfo() const { return viewInfo_.get(); }
  TcxScrollBarPart HitTest(const TPoint& point) const;
  TcxButtonState PartState(TcxScrollBarPart part) const;
  TcxScrollBarPart HotPart() const { return hotPart_; }
  TcxScrollBarPart PressedPart() const { return pressedPart_; }
  // The auto-repeat timer (400 ms before the first repeat, then 60 ms).
  TcxTimer* RepeatTimer() const { return timer_; }
  TcxCustomLookAndFeelPainterClass Painter() const { return lookAndFeel_->CurrentPainter(); }

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  virtual void Change();
  virtual TcxScrollBarViewInfoClass GetViewInfoClass() const;
  virtual void DrawScrollBar(TcxCanvas* canvas);
  virtual void DrawScrollBarPart(TcxCanvas* canvas, const TRect& rect, TcxScrollBarPart part, TcxButtonState state);
  virtual bool IsHotTrackOn() const;
  virtual void Scroll(TScrollCode scrollCode, int& scrollPos);
  virtual int GetMinThumbLength() const;
  virtual void CMMouseEnter(TMessage& m);
  virtual void CMMouseLeave(TMessage& m);

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  virtual void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues);
  void DoScroll(TScrollCode code);
  void EndTracking();

 private:
  void ThemeChanged();
  void TimerTick(TObject* sender);
  void PartScroll(TcxScrollBarPart part);
  void DragThumb(const TPoint& mouse);
  int PositionFromThumb() const;
  bool InTrackingArea(const TPoint& mouse) const;
  void UpdateMinThumbLength();
  void Recalculate();
  void RepaintNow();
  void CMEnabledChanged(TMessage& m);
  void CMVisibleChanged(TMessage& m);
  void CMCtl3DChanged(TMessage& m);
  void WMCancelMode(TMessage& m);
  void CNScroll(TMessage& m);
  void RefreshPatterns(TMessage& m);

  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TcxCanvas> bitmapCanvas_;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  std::unique_ptr<TcxScrollBarViewInfo> viewInfo_;
  TScrollBarKind kind_ = sbHorizontal;
  Word largeChange_ = 1;
  Word smallChange_ = 1;
  int max_ = 100;
  int min_ = 0;
  int pageSize_ = 0;
  int position_ = 0;
  bool unlimitedTracking_ = false;
  TcxScrollBarPart pressedPart_ = sbpNone;
  TcxScrollBarPart hotPart_ = sbpNone;
  TPoint pressPoint_;
  int savedPosition_ = 0;
  TPoint savedThumbOrigin_;
  TcxTimer* timer_ = nullptr;  // owned as a component
  std::unique_ptr<TdxThemeChangedNotificator> themeNotifier_;
  bool ctl3D_ = true;
};
