#include "calderan_test.h"

#include "cxProgressBar.h"

namespace {

// A classic bar whose content is the given rectangle (no border, no border width).
TcxProgressBarFrame ClassicFrame(const TRect& content) { return {content, content, false, false}; }

TcxProgressBarSettings Bar(double position, TcxProgressBarOrientation orientation = cxorHorizontal) {
  TcxProgressBarSettings s;
  s.Position = position;
  s.Orientation = orientation;
  return s;
}

TEST(ProgressBarValues, PercentRoundsHalvesToEvenAndStaysWithinAHundred) {
  struct Case {
    double value, range;
    int percent;
  } cases[] = {{33, 100, 33}, {50.5, 100, 50}, {62.5, 100, 62}, {63.5, 100, 64}, {100, 100, 100},
               {150, 100, 100}, {1, 3, 33}, {0, 100, 0}, {-0.5, 1, 0}, {-40, 1, 0}};
  for (const Case& c : cases) EXPECT_EQ(ProgressBarPercent(c.value, c.range), c.percent) << c.value << "/" << c.range;
}

TEST(ProgressBarValues, ExtentTruncatesAndNeverLeavesTheBar) {
  struct Case {
    int length;
    double value, range;
    int extent;
  } cases[] = {{200, 33, 100, 66}, {200, 33.9, 100, 67}, {7, 1, 3, 2}, {200, 5, 1, 200}, {200, -1, 1, 0},
               {200, 1e300, 1e-300, 200}};
  for (const Case& c : cases) EXPECT_EQ(ProgressBarExtent(c.length, c.value, c.range), c.extent) << c.value;
}

TEST(ProgressBarValues, CaptionByTextStyle) {
  TcxProgressBarSettings s = Bar(33);
  EXPECT_EQ(ProgressBarCaptionText(s), "33 %");
  s.ShowTextStyle = cxtsPosition;
  s.Position = 12.25;
  EXPECT_EQ(ProgressBarCaptionText(s), "12.25");
  s.ShowTextStyle = cxtsText;
  s.Text = "Converting";
  EXPECT_EQ(ProgressBarCaptionText(s), "Converting");
  s.ShowTextStyle = cxtsPercent;
  s.Marquee = true;  // a marquee has no share to tell
  EXPECT_EQ(ProgressBarCaptionText(s), "Converting");
}

TEST(ProgressBarValues, EqualMinAndMaxCountAsARangeOfOneAndShowNoNegativeShare) {
  TcxProgressBarSettings s = Bar(9.5);
  s.Min = s.Max = 10;
  EXPECT_EQ(s.Range(), 1);
  EXPECT_EQ(ProgressBarCaptionText(s), "0 %");
  s.Position = 10.5;
  EXPECT_EQ(ProgressBarCaptionText(s), "50 %");
  s.Position = 14;  // unclamped, four times the range: the bar is full, not four bars long
  const TcxProgressBarLayout layout = CalculateProgressBarLayout(s, ClassicFrame(TRect(0, 0, 200, 20)));
  EXPECT_EQ(layout.Progress, TRect(0, 0, 200, 20));
  EXPECT_EQ(ProgressBarCaptionText(s), "100 %");
}

TEST(ProgressBarValues, PeakHoldKeepsTheHighestPositionWithinTheRange) {
  double peak = 0;
  for (double position : {70.0, 40.0}) peak = ProgressBarPeakHold(position, 0, 100, peak);
  EXPECT_EQ(peak, 70);
  EXPECT_EQ(ProgressBarPeakHold(10, 0, 100, 250), 100);
  EXPECT_EQ(ProgressBarPeakHold(10, 20, 100, -5), 20);
}

TEST(ProgressBarLayout, TheProgressPartFollowsTheValue) {
  const TRect content(10, 5, 210, 25);
  struct Case {
    double position;
    TcxProgressBarOrientation orientation;
    TRect progress;
  } cases[] = {{33, cxorHorizontal, TRect(10, 5, 76, 25)},
               {100, cxorHorizontal, TRect(10, 5, 210, 25)},
               {0, cxorHorizontal, TRect(10, 5, 10, 25)},
               {50, cxorVertical, TRect(10, 15, 210, 25)}};  // a vertical bar grows upwards
  for (const Case& c : cases) {
    const TcxProgressBarLayout layout = CalculateProgressBarLayout(Bar(c.position, c.orientation), ClassicFrame(content));
    EXPECT_EQ(layout.Progress, c.progress) << c.position;
    EXPECT_EQ(layout.Content, content);
  }
  TcxProgressBarSettings marquee = Bar(10);
  marquee.Marquee = true;
  EXPECT_EQ(CalculateProgressBarLayout(marquee, ClassicFrame(content)).Progress, content);
}

TEST(ProgressBarLayout, BarAndContentRectanglesByFrame) {
  const TRect bounds(0, 0, 100, 30), border(1, 1, 99, 29);
  struct Case {
    bool inPlace, native;
    TcxProgressBarBarStyle style;
    int borderWidth;
    TRect bar, content;
  } cases[] = {
      {false, false, cxbsSolid, 0, border, border},
      {false, false, cxbsSolid, 2, border, TRect(3, 3, 97, 27)},
      {true, false, cxbsSolid, 0, bounds, border},
      {false, true, cxbsSolid, 0, bounds, TRect(3, 3, 98, 28)},
      {false, true, cxbsAnimation, 0, bounds, TRect(1, 1, 99, 29)},
      {true, true, cxbsSolid, 1, bounds, TRect(3, 3, 97, 27)},
  };
  for (const Case& c : cases) {
    TcxProgressBarSettings s = Bar(50);
    s.BarStyle = c.style;
    s.BorderWidth = c.borderWidth;
    const TcxProgressBarLayout layout = CalculateProgressBarLayout(s, {bounds, border, c.inPlace, c.native});
    EXPECT_EQ(layout.BarRect, c.bar) << c.inPlace << c.native << int(c.style);
    EXPECT_EQ(layout.Content, c.content) << c.inPlace << c.native << int(c.style);
  }
}

TEST(ProgressBarLayout, OverloadPartCoversTheValuePastTheThreshold) {
  struct Case {
    double position;
    TcxProgressBarOrientation orientation;
    bool native, visible;
    TRect progress, overload;
  } cases[] = {
      {90, cxorHorizontal, false, true, TRect(0, 0, 160, 20), TRect(160, 0, 180, 20)},
      {79, cxorHorizontal, false, false, TRect(0, 0, 158, 20), TRect()},
      {80, cxorHorizontal, false, true, TRect(0, 0, 160, 20), TRect(160, 0, 160, 20)},
      {90, cxorHorizontal, true, false, TRect(3, 3, 178, 18), TRect()},  // never drawn natively
      {90, cxorVertical, false, true, TRect(0, 40, 20, 200), TRect(0, 20, 20, 40)},
  };
  for (const Case& c : cases) {
    TcxProgressBarSettings s = Bar(c.position, c.orientation);
    s.ShowOverload = true;
    const TRect bounds = c.orientation == cxorVertical ? TRect(0, 0, 20, 200) : TRect(0, 0, 200, 20);
    const TcxProgressBarLayout layout = CalculateProgressBarLayout(s, {bounds, bounds, false, c.native});
    EXPECT_EQ(layout.OverloadVisible, c.visible) << c.position;
    EXPECT_EQ(layout.Progress, c.progress) << c.position;
    if (c.visible) {
      EXPECT_EQ(layout.Overload, c.overload) << c.position;
    }
  }
}

TEST(ProgressBarLayout, PeakMarkSitsAtTheHeldValueInsideTheBar) {
  struct Case {
    double peak;
    TcxProgressBarOrientation orientation;
    TRect mark;
  } cases[] = {{70, cxorHorizontal, TRect(140, 0, 143, 20)},
               {100, cxorHorizontal, TRect(197, 0, 200, 20)},  // kept inside the right end
               {70, cxorVertical, TRect(0, 57, 20, 60)},
               {0, cxorVertical, TRect(0, 197, 20, 200)},
               {100, cxorVertical, TRect(0, 0, 20, 3)}};
  for (const Case& c : cases) {
    TcxProgressBarSettings s = Bar(40, c.orientation);
    s.ShowPeak = true;
    s.PeakValue = c.peak;
    s.PeakSize = 3;
    const TRect bounds = c.orientation == cxorVertical ? TRect(0, 0, 20, 200) : TRect(0, 0, 200, 20);
    const TcxProgressBarLayout layout = CalculateProgressBarLayout(s, ClassicFrame(bounds));
    EXPECT_TRUE(layout.PeakVisible);
    EXPECT_EQ(layout.Peak, c.mark) << c.peak;
  }
  TcxProgressBarSettings marquee = Bar(40);
  marquee.ShowPeak = marquee.Marquee = true;
  EXPECT_FALSE(CalculateProgressBarLayout(marquee, ClassicFrame(TRect(0, 0, 200, 20))).PeakVisible);
}

TEST(ProgressBarLayout, MarqueeBlockIsCentredOnTheStartOfTheBar) {
  TcxProgressBarSettings s = Bar(0);
  s.Marquee = true;
  EXPECT_EQ(CalculateProgressBarLayout(s, ClassicFrame(TRect(10, 5, 210, 25))).MarqueeBlock, TRect(-15, 5, 35, 25));
  s.Orientation = cxorVertical;
  EXPECT_EQ(CalculateProgressBarLayout(s, ClassicFrame(TRect(5, 10, 25, 210))).MarqueeBlock, TRect(5, -15, 25, 35));
  EXPECT_EQ(MovedMarqueeBlock(TRect(5, -15, 25, 35), true, 40), TRect(5, 25, 25, 75));
}

TEST(ProgressBarLEDs, PitchGapsAndCellsOfAnEighteenPixelBar) {
  EXPECT_EQ(ProgressBarLEDLength(18), 14);
  EXPECT_EQ(ProgressBarLEDLength(18, 10), 10);  // a shorter bitmap sets the pitch
  EXPECT_EQ(ProgressBarLEDLength(18, 30), 14);
  const TRect bar(0, 0, 45, 18);
  EXPECT_EQ(ProgressBarLEDGaps(bar, false, 14),
            (std::vector<TRect>{TRect(12, 0, 14, 18), TRect(26, 0, 28, 18), TRect(40, 0, 42, 18)}));
  EXPECT_EQ(ProgressBarLEDCells(bar, false, 14),
            (std::vector<TRect>{TRect(0, 0, 12, 18), TRect(14, 0, 26, 18), TRect(28, 0, 40, 18), TRect(42, 0, 45, 18)}));
  // A vertical bar counts its LEDs from the bottom.
  EXPECT_EQ(ProgressBarLEDGaps(TRect(0, 10, 18, 40), true, 14),
            (std::vector<TRect>{TRect(0, 26, 18, 28), TRect(0, 12, 18, 14)}));
}

TEST(ProgressBarLEDs, TheProgressPartHandsItsPartialLEDToTheOverload) {
  TRect progress(0, 0, 160, 18), overload(160, 0, 180, 18);
  AlignProgressToLEDs(progress, overload, false, 14);  // 160 = 11 x 14 + 6
  EXPECT_EQ(progress, TRect(0, 0, 154, 18));
  EXPECT_EQ(overload, TRect(154, 0, 180, 18));
  TRect vprogress(0, 40, 18, 200), voverload(0, 20, 18, 40);
  AlignProgressToLEDs(vprogress, voverload, true, 14);  // 160 again
  EXPECT_EQ(vprogress, TRect(0, 46, 18, 200));
  EXPECT_EQ(voverload, TRect(0, 20, 18, 46));
}

TEST(ProgressBarMotion, ACycleBlockCrossesTheBarTwentyPixelsATickAndStartsAgain) {
  TcxProgressBarMotion motion;
  motion.SetSpan(TRect(0, 0, 200, 20), 100, 100);
  EXPECT_EQ(motion.Hi, 200);
  motion.Reset();
  EXPECT_EQ(motion.Position(), -25);  // wholly before the bar
  std::vector<int> positions;
  int wraps = 0;
  for (int tick = 0; tick < 13; ++tick) {
    wraps += motion.Advance();
    positions.push_back(motion.Position());
  }
  EXPECT_EQ(positions[0], -5);
  EXPECT_EQ(positions[11], 215);  // the last step still inside Hi + 25
  EXPECT_EQ(positions[12], -25);  // past it: back to the start
  EXPECT_EQ(wraps, 1);
}

TEST(ProgressBarMotion, APingPongBlockBouncesInsideTheFilledPart) {
  struct Case {
    bool vertical;
    int start, firstDirection;
  } cases[] = {{false, 25, 1}, {true, 175, -1}};
  for (const Case& c : cases) {
    TcxProgressBarMotion motion;
    motion.Path = cxapPingPong;
    motion.Vertical = c.vertical;
    motion.SetSpan(c.vertical ? TRect(0, 0, 20, 200) : TRect(0, 0, 200, 20), 100, 100);
    motion.Reset();
    EXPECT_EQ(motion.Position(), c.start);
    EXPECT_EQ(motion.Direction(), c.firstDirection);
    int lowest = motion.Position(), highest = motion.Position(), bounces = 0;
    for (int tick = 0; tick < 40; ++tick) {
      bounces += motion.Advance();
      lowest = std::min(lowest, motion.Position()), highest = std::max(highest, motion.Position());
    }
    EXPECT_GE(bounces, 3);
    EXPECT_GE(lowest, 25 - 20);  // a step may pass the turning point once before turning
    EXPECT_LE(highest, 175 + 20);
  }
}

TEST(ProgressBarMotion, AVerticalCycleStartsBelowAndRisesOverThePartFilled) {
  TcxProgressBarMotion motion;
  motion.Vertical = true;
  motion.Speed = 5;
  motion.SetSpan(TRect(0, 0, 20, 100), 40, 100);  // filled from 60 to 100
  EXPECT_EQ(motion.Lo, 60);
  motion.Reset();
  EXPECT_EQ(motion.Position(), 125);
  EXPECT_EQ(motion.Direction(), -1);
  motion.Advance();
  EXPECT_EQ(motion.Position(), 115);
}

}  // namespace
