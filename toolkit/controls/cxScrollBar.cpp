#include "cxScrollBar.h"

#include <algorithm>

#include "cxClasses.h"
#include "cxControls.h"
#include "cxLookAndFeelPaintersShared.h"
#include "dxThemeManager.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxScrollBarViewInfo, TObject, TcxScrollBar*)
CALDERAN_IMPLEMENT_CREATABLE(TcxScrollBar, TCustomControl, TComponent*)

CX_RESOURCESTRING(scxScrollBarPropertyOutOfRange, 0xC040, "Scrollbar property out of range")

namespace {

constexpr UINT FirstRepeatDelay = 400;
constexpr UINT RepeatInterval = 60;
// How far the mouse may stray from a bar while it drags the thumb: along the bar beyond its ends,
// and across it on each side.
constexpr int TrackingSlackAlong = 34;
constexpr int TrackingSlackAcross = 136;

constexpr TScrollCode PartScrollCode[] = {scEndScroll, scLineUp, scLineDown, scTrack, scPageUp, scPageDown};

bool IsRepeatingPart(TcxScrollBarPart part) { return part == sbpLineUp || part == sbpLineDown || part >= sbpPageUp; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Geometry. A vertical bar is worked out on Y; a horizontal one the same way on X.

void TcxScrollBarViewInfo::Calculate() { DoCalculate(); }

void TcxScrollBarViewInfo::DoCalculate() {
  CalculateArrows();
  CalculateThumbnail();
}

void TcxScrollBarViewInfo::CalculateArrows() {
  const int w = scrollBar_->Width(), h = scrollBar_->Height();
  if (scrollBar_->Kind() == sbHorizontal) {
    const int a = std::min(w / 2, GetSystemMetrics(SM_CYHSCROLL));
    TopLeftArrowRect = TRect(0, 0, a, h);
    BottomRightArrowRect = TRect(w - a, 0, w, h);
  } else {
    const int a = std::min(h / 2, GetSystemMetrics(SM_CXVSCROLL));
    TopLeftArrowRect = TRect(0, 0, w, a);
    BottomRightArrowRect = TRect(0, h - a, w, h);
  }
}

int TcxScrollBarViewInfo::TrackStart() const {
  return scrollBar_->Kind() == sbHorizontal ? TopLeftArrowRect.Right : TopLeftArrowRect.Bottom;
}

int TcxScrollBarViewInfo::TrackEnd() const {
  return scrollBar_->Kind() == sbHorizontal ? BottomRightArrowRect.Left : BottomRightArrowRect.Top;
}

void TcxScrollBarViewInfo::SetThumbnail(int start, int length) {
  if (scrollBar_->Kind() == sbHorizontal) ThumbnailRect = TRect(start, 0, start + length, scrollBar_->Height());
  else ThumbnailRect = TRect(0, start, scrollBar_->Width(), start + length);
}

void TcxScrollBarViewInfo::CalculateThumbnail() {
  ThumbnailRect = TRect();
  const TcxScrollBar* bar = scrollBar_;
  const int min = bar->Min(), max = bar->Max(), pageSize = bar->PageSize(), position = bar->Position();
  const int trackStart = TrackStart(), track = TrackEnd() - trackStart;
  if (bar->Enabled() && pageSize > 0) {
    if (track < MinThumbnailSize || max == min) return CalculatePageRects();
    const int length = std::max(std::min(track, MulDiv(pageSize, track, max - min + 1)), MinThumbnailSize);
    // Where the page covers the range there is nowhere to move (MulDiv would answer -1 for a
    // zero divisor and push the thumb over the arrow).
    const int steps = max - min - pageSize + 1;
    const int offset = steps > 0 ? MulDiv(track - length, std::min(position - min, steps), steps) : 0;
    SetThumbnail(trackStart + offset, length);
  } else if (bar->Enabled()) {
    const int length = GetSystemMetrics(bar->Kind() == sbHorizontal ? SM_CXHTHUMB : SM_CYVTHUMB);
    if (track < length) return CalculatePageRects();
    const int free = track - length;
    const int offset = free <= 0 || max == min ? 0 : MulDiv(free, position - min, max - min);
    SetThumbnail(trackStart + offset, length);
  }
  CalculatePageRects();
}

void TcxScrollBarViewInfo::CalculatePageRects() {
  PageUpRect = PageDownRect = TRect();
  if (ThumbnailRect.IsEmpty()) return;
  const TRect& t = ThumbnailRect;
  if (scrollBar_->Kind() == sbHorizontal) {
    PageUpRect = TRect(TopLeftArrowRect.Right, 0, t.Left, scrollBar_->Height());
    PageDownRect = TRect(t.Right, 0, BottomRightArrowRect.Left, scrollBar_->Height());
  } else {
    PageUpRect = TRect(0, TopLeftArrowRect.Bottom, scrollBar_->Width(), t.Top);
    PageDownRect = TRect(0, t.Bottom, scrollBar_->Width(), BottomRightArrowRect.Top);
  }
}

// ---------------------------------------------------------------------------------------------
// Construction

TcxScrollBar::TcxScrollBar(TComponent* owner)
    : TCustomControl(owner),
      bitmap_(std::make_unique<TBitmap>()),
      lookAndFeel_(std::make_unique<TcxLookAndFeel>(this)) {
  bitmap_->SetPixelFormat(TPixelFormat::pfDevice);
  bitmapCanvas_ = std::make_unique<TcxCanvas>(bitmap_->Canvas());
  lookAndFeel_->OnChanged = MakeEvent(this, &TcxScrollBar::LookAndFeelChanged);
  viewInfo_.reset(static_cast<TcxScrollBarViewInfo*>(GetViewInfoClass()->Create(this)));
  SetControlStyle({csCaptureMouse, csFramed, csOpaque});
  SetBounds(Left(), Top(), 121, GetSystemMetrics(SM_CYHSCROLL));
  themeNotifier_ = std::make_unique<TdxThemeChangedNotificator>();
  themeNotifier_->OnThemeChanged = MakeEvent(this, &TcxScrollBar::ThemeChanged);
  timer_ = new TcxTimer(this);
  timer_->SetEnabled(false);
  timer_->SetInterval(FirstRepeatDelay);
  timer_->SetOnTimer(MakeEvent(this, &TcxScrollBar::TimerTick));
  UpdateMinThumbLength();
  Recalculate();
}

TcxScrollBar::~TcxScrollBar() {
  Destroying();
  DestroyComponents();  // the timer, before the window and the view info go
  timer_ = nullptr;
}

TcxScrollBarViewInfoClass TcxScrollBar::GetViewInfoClass() const { return TcxScrollBarViewInfo::StaticClass(); }

// ---------------------------------------------------------------------------------------------
// Properties

void TcxScrollBar::SetScrollParams(int min, int max, int position, int pageSize, bool redraw) {
  if (max < min || max < pageSize) throw EInvalidOperation(LoadToolkitString(scxScrollBarPropertyOutOfRange));
  position = std::clamp(position, min, max);
  redraw = redraw && HandleAllocated();
  if (min == min_ && max == max_ && position == position_ && pageSize == pageSize_) redraw = false;
  min_ = min;
  max_ = max;
  pageSize_ = pageSize;
  if (position == position_) {
    Recalculate();
    if (redraw) Invalidate();
    return;
  }
  SetEnabled(true);
  position_ = position;
  Recalculate();
  if (redraw) Invalidate();
  Change();
}

void TcxScrollBar::SetKind(TScrollBarKind value) {
  if (kind_ == value) return;
  kind_ = value;
  if (ComponentState().Contains(csLoading)) Recalculate();
  else SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TcxScrollBar::SetBounds(int left, int top, int width, int height) {
  const bool changed = left != Left() || top != Top() || width != Width() || height != Height();
  TCustomControl::SetBounds(left, top, width, height);
  if (!changed || width <= 0 || height <= 0) return;
  bitmap_->SetSize(width, height);
  Recalculate();
}

bool TcxScrollBar::Ctl3D() const { return TWinControl::Ctl3D() || ctl3D_; }

void TcxScrollBar::SetCtl3D(bool value) {
  ctl3D_ = value;
  TWinControl::SetCtl3D(value);
}

void TcxScrollBar::Change() {
  Changed();
  if (OnChange) OnChange(this);
}

void TcxScrollBar::Scroll(TScrollCode scrollCode, int& scrollPos) {
  if (OnScroll) OnScroll(this, scrollCode, scrollPos);
}

bool TcxScrollBar::IsHotTrackOn() const { return true; }

int TcxScrollBar::GetMinThumbLength() const { return Painter()->ScrollBarMinThumbLength(kind_ == sbVertical); }

void TcxScrollBar::UpdateMinThumbLength() { viewInfo_->MinThumbnailSize = GetMinThumbLength(); }

void TcxScrollBar::Recalculate() { viewInfo_->Calculate(); }

void TcxScrollBar::RepaintNow() {
  if (!HandleAllocated()) return;
  Invalidate();
  Update();
}

// ---------------------------------------------------------------------------------------------
// Hit test, states and painting

TcxScrollBarPart TcxScrollBar::HitTest(const TPoint& p) const {
  const TcxScrollBarViewInfo& v = *viewInfo_;
  if (!TRect(0, 0, Width(), Height()).Contains(p)) return sbpNone;
  if (v.TopLeftArrowRect.Contains(p)) return sbpLineUp;
  if (v.BottomRightArrowRect.Contains(p)) return sbpLineDown;
  if (v.ThumbnailRect.IsEmpty()) return sbpNone;
  if (v.ThumbnailRect.Contains(p)) return sbpThumbnail;
  if (v.PageUpRect.Contains(p)) return sbpPageUp;
  if (v.PageDownRect.Contains(p)) return sbpPageDown;
  return sbpNone;
}

TcxButtonState TcxScrollBar::PartState(TcxScrollBarPart part) const {
  if (!Enabled()) return cxbsDisabled;
  if (part == sbpThumbnail && !IsHotTrackOn()) return cxbsNormal;
  if (pressedPart_ != sbpNone) return part == pressedPart_ && part == hotPart_ ? cxbsPressed : cxbsNormal;
  const bool designing = ComponentState().Contains(csDesigning);
  return part == hotPart_ && !designing ? cxbsHot : cxbsNormal;
}

void TcxScrollBar::DrawScrollBarPart(TcxCanvas* canvas, const TRect& rect, TcxScrollBarPart part,
                                     TcxButtonState state) {
  Painter()->PaintScrollBarPart(canvas, kind_ == sbHorizontal, rect, part, state);
}

void TcxScrollBar::DrawScrollBar(TcxCanvas* canvas) {
  const TcxScrollBarViewInfo& v = *viewInfo_;
  if (v.ThumbnailRect.IsEmpty()) DrawScrollBarPart(canvas, TRect(0, 0, Width(), Height()), sbpPageUp, cxbsNormal);
  else DrawScrollBarPart(canvas, v.ThumbnailRect, sbpThumbnail, PartState(sbpThumbnail));
  DrawScrollBarPart(canvas, v.TopLeftArrowRect, sbpLineUp, PartState(sbpLineUp));
  DrawScrollBarPart(canvas, v.BottomRightArrowRect, sbpLineDown, PartState(sbpLineDown));
  if (!v.PageUpRect.IsEmpty()) DrawScrollBarPart(canvas, v.PageUpRect, sbpPageUp, PartState(sbpPageUp));
  if (!v.PageDownRect.IsEmpty()) DrawScrollBarPart(canvas, v.PageDownRect, sbpPageDown, PartState(sbpPageDown));
}

void TcxScrollBar::Paint() {
  DrawScrollBar(bitmapCanvas_.get());
  Canvas()->Draw(0, 0, bitmap_.get());
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void TcxScrollBar::DoScroll(TScrollCode code) {
  int value = position_;
  switch (code) {
    case scLineUp: value -= smallChange_; break;
    case scLineDown: value += smallChange_; break;
    case scPageUp: value -= largeChange_; break;
    case scPageDown: value += largeChange_; break;
    case scTop: value = min_; break;
    case scBottom: value = max_; break;
    default: break;
  }
  value = std::clamp(value, min_, max_);
  Scroll(code, value);
  value = std::clamp(value, min_, max_);
  if (value == position_) return;
  if (code != scTrack) return SetPosition(value);
  position_ = value;
  Recalculate();
  RepaintNow();
}

void TcxScrollBar::PartScroll(TcxScrollBarPart part) { DoScroll(PartScrollCode[part]); }

void TcxScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  const TcxScrollBarPart part = HitTest(TPoint(x, y));
  if (part == sbpNone) return;
  if (part == sbpThumbnail) {
    pressPoint_ = TPoint(x, y);
    savedPosition_ = position_;
    savedThumbOrigin_ = viewInfo_->ThumbnailRect.TopLeft();
    DoScroll(scTrack);
  }
  pressedPart_ = hotPart_ = part;
  if (part != sbpThumbnail) {
    PartScroll(part);
    timer_->SetInterval(FirstRepeatDelay);
    timer_->SetEnabled(true);
  }
  RepaintNow();
}

// The first repeat comes after the press's delay, the following ones at the shorter interval; the
// timer pauses while the mouse is off the pressed part.
void TcxScrollBar::TimerTick(TObject*) {
  if (!MouseCapture() || !IsRepeatingPart(pressedPart_)) return EndTracking();
  if (timer_->Interval() == FirstRepeatDelay) timer_->SetInterval(RepeatInterval);
  PartScroll(pressedPart_);
  timer_->SetEnabled(HitTest(ScreenToClient(GetCursorPosSafe())) == pressedPart_);
}

void TcxScrollBar::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (pressedPart_ == sbpThumbnail) return DragThumb(TPoint(x, y));
  const TcxScrollBarPart part = HitTest(TPoint(x, y));
  if (pressedPart_ != sbpNone) timer_->SetEnabled(part == pressedPart_);
  if (part == hotPart_) return;
  hotPart_ = part;
  if (IsHotTrackOn()) RepaintNow();
}

bool TcxScrollBar::InTrackingArea(const TPoint& mouse) const {
  if (unlimitedTracking_) return true;
  const bool horizontal = kind_ == sbHorizontal;
  const int dx = horizontal ? TrackingSlackAlong : TrackingSlackAcross;
  const int dy = horizontal ? TrackingSlackAcross : TrackingSlackAlong;
  return TRect(-dx, -dy, Width() + dx, Height() + dy).Contains(mouse);
}

int TcxScrollBar::PositionFromThumb() const {
  const TcxScrollBarViewInfo& v = *viewInfo_;
  const bool horizontal = kind_ == sbHorizontal;
  const int trackStart = horizontal ? v.TopLeftArrowRect.Right : v.TopLeftArrowRect.Bottom;
  const int trackLength = (horizontal ? v.BottomRightArrowRect.Left : v.BottomRightArrowRect.Top) - trackStart;
  const int thumbStart = horizontal ? v.ThumbnailRect.Left : v.ThumbnailRect.Top;
  const int thumbLength = horizontal ? v.ThumbnailRect.Width() : v.ThumbnailRect.Height();
  int n = max_ - min_;
  if (pageSize_ > 0) n += 1 - pageSize_;
  return min_ + MulDiv(n, thumbStart - trackStart, trackLength - thumbLength);
}

void TcxScrollBar::DragThumb(const TPoint& mouse) {
  if (!InTrackingArea(mouse)) {
    if (position_ != savedPosition_) SetPosition(savedPosition_);
    return DoScroll(scTrack);
  }
  const bool horizontal = kind_ == sbHorizontal;
  int delta = horizontal ? mouse.X - pressPoint_.X : mouse.Y - pressPoint_.Y;
  if (delta == 0) return;
  TcxScrollBarViewInfo& v = *viewInfo_;
  const int origin = horizontal ? savedThumbOrigin_.X : savedThumbOrigin_.Y;
  const int length = horizontal ? v.ThumbnailRect.Width() : v.ThumbnailRect.Height();
  const int first = horizontal ? v.TopLeftArrowRect.Right : v.TopLeftArrowRect.Bottom;
  const int last = (horizontal ? v.BottomRightArrowRect.Left : v.BottomRightArrowRect.Top) - length;
  const int start = std::clamp(origin + delta, first, std::max(first, last));
  if (horizontal) v.ThumbnailRect = TRect(start, 0, start + length, Height());
  else v.ThumbnailRect = TRect(0, start, Width(), start + length);
  v.CalculatePageRects();
  RepaintNow();
  const int position = PositionFromThumb();
  if (position == position_) return;
  position_ = position;
  DoScroll(scTrack);
}

void TcxScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  EndTracking();
  hotPart_ = HitTest(TPoint(x, y));
  TCustomControl::MouseUp(button, shift, x, y);
}

void TcxScrollBar::EndTracking() {
  if (pressedPart_ == sbpNone) return;
  if (pressedPart_ == sbpThumbnail) {
    position_ = PositionFromThumb();
    DoScroll(scPosition);
  }
  timer_->SetEnabled(false);
  pressedPart_ = hotPart_ = sbpNone;
  DoScroll(scEndScroll);
  Recalculate();
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TcxScrollBar::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; break;
    case WM_CANCELMODE: WMCancelMode(m); break;
    case CM_MOUSEENTER: CMMouseEnter(m); break;
    case CM_MOUSELEAVE: CMMouseLeave(m); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); break;
    case CM_CTL3DCHANGED: CMCtl3DChanged(m); break;
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(m); break;
    case WM_SYSCOLORCHANGE:
    case CN_CTLCOLORSCROLLBAR: RefreshPatterns(m); break;
    default: TCustomControl::Dispatch(m);
  }
}

void TcxScrollBar::WMCancelMode(TMessage& m) {
  EndTracking();
  TCustomControl::Dispatch(m);
}

void TcxScrollBar::CMMouseEnter(TMessage& m) {
  TCustomControl::Dispatch(m);
  if (IsHotTrackOn() || IsRepeatingPart(pressedPart_)) RepaintNow();
}

void TcxScrollBar::CMMouseLeave(TMessage& m) {
  TCustomControl::Dispatch(m);
  if (pressedPart_ != sbpThumbnail) hotPart_ = sbpNone;
  if (IsHotTrackOn() || IsRepeatingPart(pressedPart_)) Invalidate();
}

void TcxScrollBar::CMEnabledChanged(TMessage& m) {
  TCustomControl::Dispatch(m);
  Recalculate();
  if (!Enabled()) EndTracking();
  Invalidate();
}

void TcxScrollBar::CMVisibleChanged(TMessage& m) {
  if (!Visible()) EndTracking();
  TCustomControl::Dispatch(m);
}

void TcxScrollBar::CMCtl3DChanged(TMessage& m) {
  TCustomControl::Dispatch(m);
  ctl3D_ = TWinControl::Ctl3D();
  LookAndFeelChanged(lookAndFeel_.get(), {});
}

void TcxScrollBar::CNScroll(TMessage& m) { DoScroll(static_cast<TScrollCode>(LOWORD(m.WParam))); }

void TcxScrollBar::RefreshPatterns(TMessage& m) {
  RefreshPatternBitmaps();
  TCustomControl::Dispatch(m);
}

// A skin draws its own edges: the window's 3-D frame goes while a skin painter draws the bar.
void TcxScrollBar::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  const bool skinned = lookAndFeel_->SkinPainter() && Painter() == lookAndFeel_->SkinPainter();
  const bool remembered = ctl3D_;
  TWinControl::SetCtl3D(skinned ? false : remembered);
  ctl3D_ = remembered;
  UpdateMinThumbLength();
  Recalculate();
  Invalidate();
}

void TcxScrollBar::ThemeChanged() {
  UpdateMinThumbLength();
  Recalculate();
  RefreshPatternBitmaps();
  Invalidate();
  if (Parent()) Parent()->Realign();
}
