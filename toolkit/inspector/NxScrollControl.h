// Scrolling by whole rows. A scroll-bar model keeps range and position and asks its owner control
// to scroll its window by the pixels a position change means: TNxScrollBar drives the window's own
// system bar (the inspector), TNxVertScrollBar is drawn and hit-tested by its control (the
// drop-down list). TNxScrollControl adds roll scrolling with the middle mouse button.
#pragma once
#include <memory>

#include "Controls.h"
#include "ExtCtrls.h"

class TNxCustomScrollControl;

enum TNxScrollBarKind : uint8_t { sbkHorizontal, sbkVertical };

class TNxCustomScrollBar : public TPersistent {
  CALDERAN_CLASS(TNxCustomScrollBar)
  TNxCustomScrollBar(TNxCustomScrollControl* owner, TCanvas* canvas);
  void Assign(TPersistent* source) override;

  bool AutoHide() const { return autoHide_; }
  void SetAutoHide(bool value) { autoHide_ = value; }
  int BarFlag() const { return barFlag_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  TNxScrollBarKind Kind() const { return kind_; }
  void SetKind(TNxScrollBarKind kind);
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int value) { largeChange_ = value; }
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int value) { smallChange_ = value; }
  int Max() const { return max_; }
  void SetMax(int value);
  int Min() const { return min_; }
  void SetMin(int value) { min_ = value; }
  int PageSize() const { return pageSize_; }
  void SetPageSize(int value);
  int Position() const { return position_; }
  void SetPosition(int value);
  int OldPosition() const { return oldPosition_; }
  bool Visible() const { return visible_; }
  TNxCustomScrollControl* Owner() const { return owner_; }

  virtual void SetVisible(bool value) { visible_ = value; }
  virtual void Update() {}
  virtual void PageDown();
  virtual void PageUp();
  void MoveBy(int delta) { SetPosition(position_ + delta); }
  void LineDown();
  void LineUp();

 protected:
  TCanvas* Canvas() const { return canvas_; }
  void SendScroll(WPARAM code);
  int pageSize_ = 0;

 private:
  TNxCustomScrollControl* owner_;
  TCanvas* canvas_;
  bool autoHide_ = true;
  int barFlag_ = -1;
  bool enabled_ = true;
  TNxScrollBarKind kind_ = sbkHorizontal;
  int largeChange_ = 1;
  int max_ = 100;
  int min_ = 0;
  int oldPosition_ = 0;
  int position_ = 0;
  int smallChange_ = 1;
  bool visible_ = false;
};

// The state bits of a self-drawn bar's parts.
constexpr uint8_t kPartHot = 0x01, kPartPressed = 0x02;

class TNxVertScrollBar : public TNxCustomScrollBar {
  CALDERAN_CLASS(TNxVertScrollBar)
  TNxVertScrollBar(TNxCustomScrollControl* owner, TCanvas* canvas);

  uint8_t BackButtonState = 0, ForwardButtonState = 0, ThumbState = 0;
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void Paint();
  virtual void PaintTrack(const TRect& rect, bool pressed);
  virtual void PaintButton(const TRect& rect, int which);
  virtual void PaintThumb();
  virtual int ButtonSize() const;
  virtual TRect GetBoundsRect() const { return Bounds(left_, top_, width_, height_); }
  virtual TRect GetLocalRect() const { return Rect(0, 0, width_, height_); }
  virtual void SetBounds(int left, int top, int width, int height);
  void Update() override;
  void PageDown() override { SetPosition(Position() + LargeChange()); }
  void PageUp() override { SetPosition(Position() - LargeChange()); }

  // which: 0 the back (upper) button, 1 the forward one.
  TRect ButtonRect(int which) const;
  TRect ThumbRect() const;
  TRect PageUpRect() const;
  TRect PageDownRect() const;
  int TrackLength() const { return height_ - 2 * ButtonSize(); }
  bool IsThumbPressed() const { return (ThumbState & kPartPressed) != 0; }
  void ClearHot();
  // part: 0 back button, 1 thumb, 2 forward button.
  void InvalidatePart(int part);
  // y is measured from the top of the track.
  void DragThumb(int y);

 private:
  void SetHot(uint8_t& state, bool hot, int part);
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

class TNxScrollBar : public TNxCustomScrollBar {
  CALDERAN_CLASS(TNxScrollBar)
  using TNxCustomScrollBar::TNxCustomScrollBar;
  void SetVisible(bool value) override;
  void Update() override;
};

class TNxCustomScrollControl : public TCustomControl {
  CALDERAN_CLASS(TNxCustomScrollControl)
  explicit TNxCustomScrollControl(TComponent* owner);

  TRect HorzClipRect, VertClipRect;
  virtual int GetHorzScrollDelta(int /*oldPosition*/, int /*newPosition*/) { return 0; }
  virtual int GetVertScrollDelta(int /*oldPosition*/, int /*newPosition*/) { return 0; }
  virtual void AfterScroll(TNxScrollBarKind /*kind*/) {}
  virtual void BeforeScroll(TNxScrollBarKind /*kind*/) {}
  virtual void ScrollBy(TNxCustomScrollBar* bar, int dx, int dy);
};

// What is repeated while a button or a page area of the self-drawn bar is held.
enum TNxRepeatAction : uint8_t { raNone, raLineUp, raLineDown, raPageUp, raPageDown };

class TNxControl : public TNxCustomScrollControl {
  CALDERAN_CLASS(TNxControl)
  explicit TNxControl(TComponent* owner);
  ~TNxControl() override;
  void Dispatch(TMessage& message) override;

  TNxVertScrollBar* VertBar() const { return vertBar_.get(); }
  TNxVertScrollBar* HorzBar() const { return horzBar_.get(); }
  TTimer* RepeatDelayTimer() const { return repeatDelayTimer_; }
  TTimer* RepeatTimer() const { return repeatTimer_; }
  TNxRepeatAction RepeatAction() const { return repeatAction_; }

  int InnerWidth();
  int InnerHeight() { return ClientHeight() - 4; }
  TRect InnerRect() { return Bounds(2, 2, InnerWidth(), InnerHeight()); }
  // The strip the vertical bar occupies.
  TRect VertBarStrip();

  virtual void PaintFrame();
  virtual void StartRepeat();
  virtual void RepeatStep();

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMMouseLeave(TMessage& m);

 private:
  void StartRepeating(TNxRepeatAction action);
  void RepeatDelayTick(TObject*) { StartRepeat(); }
  void RepeatTick(TObject*) { RepeatStep(); }
  std::unique_ptr<TNxVertScrollBar> horzBar_, vertBar_;
  TTimer* repeatDelayTimer_;
  TTimer* repeatTimer_;
  TNxRepeatAction repeatAction_ = raNone;
};

// A small top-level window over everything, shown on demand (the roll-scrolling marker).
class TNxFlyoutControl : public TCustomControl {
  CALDERAN_CLASS(TNxFlyoutControl)
  explicit TNxFlyoutControl(TComponent* owner);
  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
};

class TRollShadow : public TNxFlyoutControl {
  CALDERAN_CLASS(TRollShadow)
  using TNxFlyoutControl::TNxFlyoutControl;
  TPoint Anchor;
  virtual void SetShape();
  // p: the screen point the marker stands on.
  void MoveTo(TPoint p);

 protected:
  void Paint() override;
};

// The screen cursors of roll scrolling (the module's cursor resources "ROLL", "ROLLUP", "ROLLDOWN").
constexpr TCursor crRoll = 4003, crRollUp = 4004, crRollDown = 4005;
constexpr uint8_t kRollUp = 0x01, kRollDown = 0x02;

using TNxScrollEvent = TEvent<void(TObject* Sender, int Position)>;

class TNxScrollControl : public TNxCustomScrollControl {
  CALDERAN_CLASS(TNxScrollControl)
  explicit TNxScrollControl(TComponent* owner);
  ~TNxScrollControl() override;
  void Dispatch(TMessage& message) override;

  TNxScrollBar* HorzBar() const { return horzBar_.get(); }
  TNxScrollBar* VertBar() const { return vertBar_.get(); }
  bool RollEnabled() const { return rollEnabled_; }
  void SetRollEnabled(bool value) { rollEnabled_ = value; }
  bool Rolling() const { return rolling_; }
  uint8_t RollDirection() const { return rollDirection_; }
  TPoint RollOrigin() const { return rollOrigin_; }
  TTimer* RollTimer() const { return rollTimer_; }
  TRollShadow* RollShadow() const { return rollShadow_; }
  // One step of roll scrolling: the roll timer's tick.
  void RollStep();

  TNxScrollEvent OnHorizontalScroll;
  TNxScrollEvent OnVerticalScroll;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  virtual void WMVScroll(TMessage& m);
  virtual void WMHScroll(TMessage& m);

 private:
  void HandleScroll(TNxScrollBar* bar, WPARAM code, TNxScrollEvent& event);
  void RollTick(TObject*) { RollStep(); }
  std::unique_ptr<TNxScrollBar> horzBar_, vertBar_;
  TPoint rollOrigin_;
  TRollShadow* rollShadow_;
  TTimer* rollTimer_;
  bool rollEnabled_ = true;
  bool rolling_ = false;
  uint8_t rollDirection_ = 0;
};
