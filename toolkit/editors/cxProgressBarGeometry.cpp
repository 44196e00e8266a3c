// The progress bar's value arithmetic, layout, LEDs and block motion: no drawing, no window.
#include <algorithm>
#include <cmath>

#include "SysUtils.h"
#include "cxProgressBar.h"

namespace {

TRect Shrunk(const TRect& r, int left, int top, int right, int bottom) {
  return TRect(r.Left + left, r.Top + top, r.Right - right, r.Bottom - bottom);
}

int LengthAlong(const TRect& r, bool vertical) {
  return std::max(0, static_cast<int>(vertical ? r.Height() : r.Width()));
}

// The progress part ends where the value does: a vertical bar grows upwards.
void CutProgressAtValue(TRect& progress, const TRect& content, const TcxProgressBarSettings& s) {
  if (s.Marquee) return;
  if (s.Vertical())
    progress.Top = content.Bottom - ProgressBarExtent(LengthAlong(content, true), s.DrawnValue(), s.Range());
  else
    progress.Right = content.Left + ProgressBarExtent(LengthAlong(content, false), s.DrawnValue(), s.Range());
}

// The overload part covers the value past the threshold; the progress part stops at it.
void CutOverload(TcxProgressBarLayout& layout, const TcxProgressBarSettings& s) {
  const TRect& content = layout.Content;
  layout.Overload = layout.Progress;
  const double threshold = s.OverloadValue - s.Min;
  if (s.Vertical()) {
    const int extent = ProgressBarExtent(LengthAlong(content, true), threshold, s.Range());
    layout.Overload.Bottom = std::max(content.Bottom - extent, content.Top);
    layout.Progress.Top = layout.Overload.Bottom;
  } else {
    const int extent = ProgressBarExtent(LengthAlong(content, false), threshold, s.Range());
    layout.Overload.Left = content.Left + extent;
    layout.Overload.Right = std::min(layout.Progress.Right, content.Right);
    layout.Progress.Right = layout.Overload.Left;
  }
}

TRect PeakMark(const TcxProgressBarLayout& layout, const TcxProgressBarSettings& s) {
  const TRect& content = layout.Content;
  TRect peak = layout.Progress;
  const double value = s.PeakValue - s.Min;
  if (s.Vertical()) {
    const int extent = ProgressBarExtent(LengthAlong(content, true), value, s.Range());
    peak.Bottom = std::max(content.Bottom - extent, content.Top + s.PeakSize);
    peak.Top = peak.Bottom - s.PeakSize;
  } else {
    const int extent = ProgressBarExtent(LengthAlong(content, false), value, s.Range());
    peak.Left = std::min(content.Left + extent, content.Right - s.PeakSize);
    peak.Right = peak.Left + s.PeakSize;
  }
  return peak;
}

// Centred on the start of the bar (its left, or the bounds' top for a vertical bar).
TRect MarqueeBase(const TcxProgressBarLayout& layout, bool vertical, int length) {
  const TRect& p = layout.Progress;
  if (vertical) return TRect(p.Left, layout.Bounds.Top - length / 2, p.Right, layout.Bounds.Top + length - length / 2);
  return TRect(p.Left - length / 2, p.Top, p.Left + length - length / 2, p.Bottom);
}

// A rectangle of one LED's span along the bar, counted from the bar's start.
TRect SpanAlong(const TRect& rect, bool vertical, int from, int to) {
  if (vertical) return TRect(rect.Left, rect.Bottom - to, rect.Right, rect.Bottom - from);
  return TRect(rect.Left + from, rect.Top, rect.Left + to, rect.Bottom);
}

}  // namespace

double ProgressBarRange(double min, double max) { return max == min ? 1.0 : max - min; }

int ProgressBarPercent(double value, double range) {
  const long double percent = std::nearbyint(static_cast<long double>(value) * 100 / range);
  return static_cast<int>(std::clamp<long double>(percent, 0, 100));
}

int ProgressBarExtent(int length, double value, double range) {
  const long double extent = std::trunc(static_cast<long double>(length) * value / range);
  if (!(extent > 0)) return 0;  // also a value that is not a number
  return static_cast<int>(std::min<long double>(extent, length));
}

double ProgressBarPeakHold(double position, double min, double max, double storedPeak) {
  return std::max(position, std::min(max, std::max(min, storedPeak)));
}

std::string ProgressBarCaptionText(const TcxProgressBarSettings& s) {
  if (s.Marquee) return s.Text;
  switch (s.ShowTextStyle) {
    case cxtsPercent:
      return IntToStr(ProgressBarPercent(s.DrawnValue(), s.Range())) + " %";
    case cxtsPosition:
      return FloatToStr(s.Position);
    case cxtsText:
      break;
  }
  return s.Text;
}

void TcxProgressBarLayout::Offset(int dx, int dy) {
  for (TRect* r : {&Bounds, &BarRect, &Content, &Progress, &Overload, &Peak, &MarqueeBlock}) r->Offset(dx, dy);
}

TRect ProgressBarBarRect(const TcxProgressBarFrame& frame) {
  return frame.Native || frame.InPlace ? frame.Bounds : frame.BorderRect;
}

TRect ProgressBarContentRect(const TcxProgressBarFrame& frame, const TcxProgressBarSettings& s) {
  const int b = s.BorderWidth;
  if (!frame.Native) return Shrunk(frame.BorderRect, b, b, b, b);
  if (frame.InPlace) return Shrunk(frame.Bounds, b + 2, b + 2, b + 2, b + 2);
  if (IsAnimationStyle(s.BarStyle)) return Shrunk(frame.Bounds, b + 1, b + 1, b + 1, b + 1);
  return Shrunk(frame.Bounds, b + 3, b + 3, b + 2, b + 2);
}

TcxProgressBarLayout CalculateProgressBarLayout(const TcxProgressBarSettings& s, const TcxProgressBarFrame& frame,
                                                int marqueeBlockLength) {
  TcxProgressBarLayout layout;
  layout.Bounds = frame.Bounds;
  layout.BarRect = ProgressBarBarRect(frame);
  layout.Content = ProgressBarContentRect(frame, s);
  layout.Progress = layout.Content;
  CutProgressAtValue(layout.Progress, layout.Content, s);
  layout.OverloadVisible = !s.Marquee && s.ShowOverload && !frame.Native && s.Position >= s.OverloadValue;
  if (layout.OverloadVisible) CutOverload(layout, s);
  layout.PeakVisible = s.ShowPeak && !s.Marquee;
  if (layout.PeakVisible) layout.Peak = PeakMark(layout, s);
  layout.MarqueeBlock = MarqueeBase(layout, s.Vertical(), marqueeBlockLength);
  return layout;
}

int ProgressBarLEDLength(int thickness, int imageLength) {
  const int length = std::max(0, thickness) * 2 / 3 + 2;
  return imageLength > 0 && imageLength < length ? imageLength : length;
}

std::vector<TRect> ProgressBarLEDGaps(const TRect& rect, bool vertical, int ledLength) {
  std::vector<TRect> gaps;
  if (ledLength <= 0) return gaps;
  const int count = LengthAlong(rect, vertical) / ledLength;
  for (int i = 1; i <= count; ++i)
    gaps.push_back(SpanAlong(rect, vertical, i * ledLength - std::min(2, ledLength), i * ledLength));
  return gaps;
}

std::vector<TRect> ProgressBarLEDCells(const TRect& rect, bool vertical, int ledLength) {
  std::vector<TRect> cells;
  if (ledLength <= 0) return cells;
  const int length = LengthAlong(rect, vertical);
  const int count = length / ledLength;
  for (int i = 0; i < count; ++i)
    cells.push_back(SpanAlong(rect, vertical, i * ledLength, (i + 1) * ledLength - std::min(2, ledLength)));
  if (length > count * ledLength) cells.push_back(SpanAlong(rect, vertical, count * ledLength, length));
  return cells;
}

void AlignProgressToLEDs(TRect& progress, TRect& overload, bool vertical, int ledLength) {
  if (ledLength <= 0) return;
  const int partial = LengthAlong(progress, vertical) % ledLength;
  if (vertical) {
    progress.Top += partial;
    overload.Bottom += partial;
  } else {
    progress.Right -= partial;
    overload.Left -= partial;
  }
}

void TcxProgressBarMotion::SetSpan(const TRect& bounds, double value, double range) {
  if (Vertical) {
    const int height = LengthAlong(bounds, true);
    Lo = height - ProgressBarExtent(height, value, range);
    Hi = height;
  } else {
    Lo = 0;
    Hi = ProgressBarExtent(LengthAlong(bounds, false), value, range);
  }
}

void TcxProgressBarMotion::Reset() {
  const int half = BlockLength / 2;
  position_ = Path == cxapCycle ? (BaseDirection > 0 ? -half : half) : half;
  direction_ = BaseDirection;
  if (Vertical) direction_ = -BaseDirection, position_ = -position_;
  position_ += direction_ > 0 ? Lo : Hi;
}

bool TcxProgressBarMotion::Advance() {
  const int half = BlockLength / 2;
  position_ += 2 * Speed * direction_;
  if (Path == cxapCycle) {
    if (position_ <= Hi + half && position_ >= Lo - half) return false;
    Reset();
    return true;
  }
  if (direction_ > 0 && position_ > Hi - half) {
    direction_ = -direction_, position_ -= 1;
    return true;
  }
  if (direction_ < 0 && position_ < Lo + half) {
    direction_ = -direction_, position_ += 1;
    return true;
  }
  return false;
}

TRect MovedMarqueeBlock(const TRect& block, bool vertical, int position) {
  TRect moved = block;
  if (vertical)
    moved.Offset(0, position);
  else
    moved.Offset(position, 0);
  return moved;
}
