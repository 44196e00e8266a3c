#include "calderan_test.h"

#include <memory>

#include "cxProgressBar.h"
#include "editors_fixture.h"

namespace {

struct ProgressBar : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxProgressBarUnit});
  }
  // A bar with a 200-pixel content width, whatever its border takes.
  TcxProgressBar* MakeBar() {
    auto* bar = new TcxProgressBar(form.get());
    bar->SetParent(form.get());
    bar->SetAutoSize(false);
    bar->SetBounds(10, 10, 200, 22);
    bar->Properties()->SetSolidTextColor(true);
    PumpWhileBusy();
    const int border = 200 - bar->BarViewInfo()->Layout.Content.Width();
    bar->SetBounds(10, 10, 200 + border, 22);
    PumpWhileBusy();
    return bar;
  }
  static int ContentLeft(TcxProgressBar* bar) { return bar->BarViewInfo()->Layout.Content.Left; }
  static TColor ScreenPixel(TcxProgressBar* bar, int x, int y) {
    bar->Repaint();
    HDC dc = GetDC(bar->Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(bar->Handle(), dc);
    return static_cast<TColor>(c);
  }
};

// Counts the owner notifications of a properties object.
struct TNotifications {
  int count = 0;
  void Changed(TObject*) { ++count; }
};

TEST_F(ProgressBar, PropertiesStartWithTheirDefaults) {
  TcxProgressBarProperties p(nullptr);
  EXPECT_EQ(p.Max(), 100);
  EXPECT_EQ(p.Min(), 0);
  EXPECT_FALSE(p.AssignedValues()->Max());
  EXPECT_EQ(p.AnimationSpeed(), 10);
  EXPECT_EQ(p.BeginColor(), TColor(0x800000));
  EXPECT_EQ(p.EndColor(), TColor(0xFFFFFF));
  EXPECT_EQ(p.OverloadValue(), 80);
  EXPECT_EQ(p.OverloadBeginColor(), TColor(0x8080FF));
  EXPECT_EQ(p.OverloadEndColor(), TColor(0xFF00FF));
  EXPECT_EQ(p.PeakColor(), TColor(0x0000FF));
  EXPECT_EQ(p.PeakSize(), 2);
  EXPECT_TRUE(p.ShowText());
  EXPECT_TRUE(p.TransparentImage());
  EXPECT_EQ(p.ShowTextStyle(), cxtsPercent);
  EXPECT_EQ(p.GetSupportedOperations(), 265);
  EXPECT_TRUE(p.DetectsValueChange());
}

TEST_F(ProgressBar, SettersCarryTheirSideEffectsWithOneNotificationEach) {
  TcxProgressBarProperties p(nullptr);
  TNotifications n;
  p.OnPropertiesChanged = MakeEvent(&n, &TNotifications::Changed);
  p.SetAnimationSpeed(25);
  EXPECT_EQ(p.AnimationSpeed(), 20);
  p.SetBarStyle(cxbsAnimation);
  EXPECT_EQ(p.BeginColor(), TColor(0x00D328));
  p.SetMarquee(true);
  EXPECT_EQ(p.ShowTextStyle(), cxtsText);
  p.SetShowTextStyle(cxtsPercent);  // refused while a marquee
  EXPECT_EQ(p.ShowTextStyle(), cxtsText);
  EXPECT_EQ(n.count, 3);
  p.SetMarquee(false);
  p.SetShowTextStyle(cxtsPosition);
  p.SetText("Done");
  EXPECT_EQ(p.ShowTextStyle(), cxtsText);
  EXPECT_EQ(n.count, 6);
  p.SetPeakSize(0);
  EXPECT_EQ(p.PeakSize(), 1);
}

TEST_F(ProgressBar, TheRangeEndsAndThresholdsFollowEachOther) {
  TcxProgressBarProperties p(nullptr);
  p.SetPeakValue(60);
  p.SetMin(120);  // above Max: Max rises to it, overload and peak follow
  EXPECT_EQ(p.Max(), 120);
  EXPECT_EQ(p.OverloadValue(), 120);
  EXPECT_EQ(p.PeakValue(), 120);
  p.SetMax(200);
  p.SetOverloadValue(500);  // kept inside the range
  EXPECT_EQ(p.OverloadValue(), 200);
  p.SetMax(10);  // below Min: Min falls to it
  EXPECT_EQ(p.Min(), 10);
  EXPECT_EQ(p.OverloadValue(), 10);
  EXPECT_EQ(p.PeakValue(), 10);
  EXPECT_TRUE(p.IsMaxStored());
}

TEST_F(ProgressBar, EditValuesDrawAsNumbers) {
  struct Case {
    TVariant value;
    double drawn;
  } cases[] = {{TVariant(int32_t(42)), 42}, {TVariant(12.5), 12.5}, {TVariant("62.5"), 62.5},
               {TVariant("62.5 %"), 0},     {TVariant::Null(), 0},  {TVariant(), 0},
               {TVariant(true), -1}};  // a Boolean counts as a number
  for (const Case& c : cases) EXPECT_EQ(TcxCustomProgressBarProperties::DrawValueOf(c.value), c.drawn);
  TcxProgressBarProperties p(nullptr);
  EXPECT_EQ(WideToAnsi(p.FormatDisplayValue(TVariant(33))), "33 %");
  p.SetShowTextStyle(cxtsPosition);
  EXPECT_EQ(WideToAnsi(p.FormatDisplayValue(TVariant("7.25"))), "7.25");
}

TEST_F(ProgressBar, AssignCopiesEverySettingAndTheImage) {
  TcxProgressBarProperties source(nullptr), target(nullptr);
  source.SetBarStyle(cxbsGradientLEDs);
  source.SetBeginColor(clGreen);
  source.SetMax(50);
  source.SetOverloadValue(40);
  source.SetShowOverload(true);
  source.SetPeakSize(5);
  source.SetOrientation(cxorVertical);
  source.SetText("copied");
  source.ForegroundImage()->SetSize(4, 3);
  TNotifications n;
  target.OnPropertiesChanged = MakeEvent(&n, &TNotifications::Changed);
  target.Assign(&source);
  EXPECT_EQ(n.count, 1);
  EXPECT_EQ(target.BarStyle(), cxbsGradientLEDs);
  EXPECT_EQ(target.BeginColor(), TColor(clGreen));
  EXPECT_EQ(target.Max(), 50);
  EXPECT_EQ(target.OverloadValue(), 40);
  EXPECT_TRUE(target.ShowOverload());
  EXPECT_EQ(target.PeakSize(), 5);
  EXPECT_EQ(target.Orientation(), cxorVertical);
  EXPECT_EQ(target.Text(), "copied");
  EXPECT_EQ(target.ShowTextStyle(), cxtsText);
  ASSERT_NE(target.ForegroundImageIfAny(), nullptr);
  EXPECT_EQ(target.ForegroundImageIfAny()->Width(), 4);
  EXPECT_TRUE(target.ImageChanged);
}

TEST_F(ProgressBar, TheKindIsRegisteredWithItsTextAndFilterHelper) {
  TcxRegisteredClasses* registry = GetEditPropertiesRegistry();
  const int index = registry->IndexOfClass(TcxProgressBarProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry->Descriptions(index), "ProgressBar|Represents a ProgressBar");
  EXPECT_EQ(GetFilterEditsController()->FindHelper(TcxProgressBarProperties::StaticClass()),
            TcxFilterProgressBarHelper::Instance());
  TcxProgressBarProperties bar(nullptr), filter(nullptr);
  bar.SetMin(10);
  bar.SetMax(90);
  TcxFilterProgressBarHelper::Instance()->PrepareFilterProperties(&filter, &bar, false);
  EXPECT_EQ(filter.Buttons()->Count(), 2);
  EXPECT_EQ(filter.MinValue(), 10);
  EXPECT_EQ(filter.MaxValue(), 90);
}

TEST_F(ProgressBar, APositionFillsItsShareAndIsClampedIntoTheRange) {
  TcxProgressBar* bar = MakeBar();
  EXPECT_EQ(bar->BarViewInfo()->Layout.Content.Width(), 200);
  bar->SetPosition(33);
  EXPECT_EQ(bar->BarViewInfo()->Layout.Progress.Width(), 66);
  EXPECT_EQ(ProgressBarCaptionText(bar->BarViewInfo()->Bar), "33 %");
  EXPECT_EQ(ScreenPixel(bar, ContentLeft(bar) + 65, 5), TColor(0x800000));
  EXPECT_NE(ScreenPixel(bar, ContentLeft(bar) + 66, 5), TColor(0x800000));
  struct Case {
    double set, position;
  } cases[] = {{150, 100}, {-5, 0}, {62.5, 62.5}};
  for (const Case& c : cases) {
    bar->SetPosition(c.set);
    EXPECT_EQ(bar->Position(), c.position);
    EXPECT_EQ(bar->EditValue().AsDouble(), c.position);
  }
  bar->Properties()->SetMax(0);  // Max = Min: no clamping, a range of one
  bar->SetPosition(5);
  EXPECT_EQ(bar->Position(), 5);
  EXPECT_EQ(bar->BarViewInfo()->Layout.Progress.Width(), 200);
}

TEST_F(ProgressBar, NarrowingTheRangeClampsTheValue) {
  TcxProgressBar* bar = MakeBar();
  bar->SetPosition(90);
  bar->Properties()->SetMax(50);
  EXPECT_EQ(bar->Position(), 50);
  EXPECT_EQ(bar->EditValue().AsDouble(), 50);
}

TEST_F(ProgressBar, APositionThatMovesNoPixelKeepsTheLayoutButShowsTheNewCaption) {
  TcxProgressBar* bar = MakeBar();
  bar->Properties()->SetShowTextStyle(cxtsPosition);
  bar->SetPosition(33.2);
  PumpWhileBusy();
  const TRect before = bar->BarViewInfo()->Layout.Progress;
  bar->SetPosition(33.4);  // still 66 pixels
  EXPECT_FALSE(bar->BarViewInfo()->LayoutChanged);
  EXPECT_EQ(bar->BarViewInfo()->Layout.Progress, before);
  EXPECT_EQ(ProgressBarCaptionText(bar->BarViewInfo()->Bar), "33.4");
  bar->SetPosition(40);
  EXPECT_TRUE(bar->BarViewInfo()->LayoutChanged);
}

TEST_F(ProgressBar, OverloadAndPeakOnTheControl) {
  TcxProgressBar* bar = MakeBar();
  bar->Properties()->SetShowOverload(true);
  bar->Properties()->SetShowPeak(true);
  bar->SetPosition(90);
  EXPECT_TRUE(bar->BarViewInfo()->Layout.OverloadVisible);
  EXPECT_EQ(bar->BarViewInfo()->Layout.Overload.Width(), 20);
  EXPECT_EQ(ScreenPixel(bar, ContentLeft(bar) + 170, 5), TColor(0x8080FF));
  bar->SetPosition(70);
  bar->SetPosition(40);
  EXPECT_FALSE(bar->BarViewInfo()->Layout.OverloadVisible);
  EXPECT_EQ(bar->Properties()->PeakValue(), 90);  // held
  EXPECT_EQ(bar->BarViewInfo()->Layout.Peak.Left, ContentLeft(bar) + 180);
  bar->Properties()->SetPeakValue(0);  // writing it lowers the mark again
  EXPECT_EQ(bar->Properties()->PeakValue(), 40);
  EXPECT_EQ(bar->BarViewInfo()->Layout.Peak.Left, ContentLeft(bar) + 80);
}

TEST_F(ProgressBar, AMarqueeBlockMovesTwentyPixelsATickUntilTheSpeedIsZero) {
  TcxProgressBar* bar = MakeBar();
  bar->Properties()->SetText("Working");
  bar->Properties()->SetMarquee(true);
  TcxCustomProgressBarViewInfo* vi = bar->BarViewInfo();
  ASSERT_TRUE(vi->AnimationRunning());
  EXPECT_EQ(vi->AnimationTimer()->Interval(), 30u);
  EXPECT_EQ(ProgressBarCaptionText(vi->Bar), "Working");
  const int start = vi->AnimationPosition();
  EXPECT_EQ(start, -25);
  vi->AnimationTick();
  EXPECT_EQ(vi->AnimationPosition(), start + 20);
  EXPECT_TRUE(PumpUntil([&] { return vi->AnimationPosition() > start + 40; }));  // the real timer
  bar->Properties()->SetAnimationSpeed(0);
  EXPECT_FALSE(vi->AnimationRunning());
}

TEST_F(ProgressBar, APingPongBlockBouncesAndARestartDelayPausesIt) {
  TcxProgressBar* bar = MakeBar();
  bar->Properties()->SetAnimationPath(cxapPingPong);
  bar->Properties()->SetAnimationRestartDelay(500);
  bar->Properties()->SetMarquee(true);
  TcxCustomProgressBarViewInfo* vi = bar->BarViewInfo();
  ASSERT_TRUE(vi->AnimationRunning());
  int ticks = 0;
  while (vi->AnimationDirection() > 0 && ticks < 50) vi->AnimationTick(), ++ticks;
  EXPECT_LT(ticks, 50);
  EXPECT_LE(vi->AnimationPosition(), vi->Bounds.Width());
  ASSERT_TRUE(vi->RestartDelayRunning());
  EXPECT_EQ(vi->RestartTimer()->Interval(), 500u);
  const int paused = vi->AnimationPosition();
  vi->AnimationTick();
  EXPECT_EQ(vi->AnimationPosition(), paused);  // no move during the pause
  EXPECT_TRUE(PumpUntil([&] { return !vi->RestartDelayRunning(); }));
  vi->AnimationTick();
  EXPECT_EQ(vi->AnimationPosition(), paused - 20);  // on its way back
}

TEST_F(ProgressBar, OnlyABarInAHostsCellTakesTheFocus) {
  TcxProgressBar* standalone = MakeBar();
  EXPECT_FALSE(standalone->CanFocus());
  auto* inPlace = new TcxProgressBar(form.get(), true);
  inPlace->SetParent(form.get());
  inPlace->SetBounds(10, 60, 120, 20);
  EXPECT_TRUE(inPlace->CanFocus());
  EXPECT_EQ(std::make_unique<TcxProgressBar>(nullptr)->Width(), 121);
}

}  // namespace

namespace {

// What a stored form reader does: properties set by name, sub-objects reached in place.
TEST_F(ProgressBar, AStoredFormSetsThePublishedSettingsByName) {
  TcxProgressBar* bar = MakeBar();
  const TPropInfo* properties = FindPublishedProperty(bar->ClassType(), "Properties");
  ASSERT_NE(properties, nullptr);
  TObject* settings = properties->GetObj(bar);
  ASSERT_EQ(settings, bar->Properties());
  const TPropInfo* style = FindPublishedProperty(settings->ClassType(), "BarStyle");
  ASSERT_NE(style, nullptr);
  style->SetOrd(settings, GetEnumValue(style->EnumInfo, "cxbsGradientLEDs"));
  EXPECT_EQ(bar->Properties()->BarStyle(), cxbsGradientLEDs);
  FindPublishedProperty(settings->ClassType(), "Max")->SetFloat(settings, 200);
  FindPublishedProperty(bar->ClassType(), "Position")->SetFloat(bar, 150);
  EXPECT_EQ(bar->Position(), 150);
  struct Case {
    TObject* object;
    const char* name;
    bool stored;
  } cases[] = {{bar, "Position", true},        {settings, "Max", true},         {settings, "Min", false},
               {settings, "OverloadValue", false}, {settings, "PeakValue", true}, {settings, "Transparent", false}};
  for (const Case& c : cases) {
    const TPropInfo* prop = FindPublishedProperty(c.object->ClassType(), c.name);
    ASSERT_NE(prop, nullptr) << c.name;
    EXPECT_EQ(IsStoredProp(c.object, prop), c.stored) << c.name;
  }
}

}  // namespace
