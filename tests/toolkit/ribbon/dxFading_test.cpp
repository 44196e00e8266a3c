// Fading: the frames' alphas in both directions, the parameter clamps, the limit of six, Remove and
// reversal. The element's timer is driven by calling its tick: no test waits for real time.
#include "calderan_test.h"

#include <memory>
#include <vector>

#include "dxFading.h"
#include "ribbon_fixture.h"

namespace {
// An element whose normal image is black and hot image white: a frame's grey level is its alpha.
class TFadingTestObject : public TObject, public IdxFadingObject {
 public:
  bool CanFade() override { return Fades; }
  void DrawFadeImage(TBitmap* image) override {
    Drawn.push_back(GetRValue(image->Canvas()->Pixel(1, 1)));
    FinalImages.push_back(image == normal_ ? 'N' : image == hot_ ? 'H' : '-');
  }
  void GetFadingParams(TBitmap*& normalImage, TBitmap*& hotImage, int& fadeInFrameCount, int& fadeInInterval,
                       int& fadeOutFrameCount, int& fadeOutInterval) override {
    normalImage = normal_ = MakeImage(clBlack);
    hotImage = hot_ = MakeImage(clWhite);
    if (InFrames != -99) fadeInFrameCount = InFrames;
    if (InInterval != -99) fadeInInterval = InInterval;
    if (OutFrames != -99) fadeOutFrameCount = OutFrames;
    if (OutInterval != -99) fadeOutInterval = OutInterval;
  }

  bool Fades = true;
  int InFrames = -99, InInterval = -99, OutFrames = -99, OutInterval = -99;
  std::vector<int> Drawn;         // the grey level of every drawn image
  std::vector<char> FinalImages;  // N the normal image, H the hot image, - a blended frame

 private:
  static TBitmap* MakeImage(TColor color) {
    auto* image = new TBitmap(4, 4);
    image->Canvas()->Brush()->SetColor(color);
    image->Canvas()->FillRect(TRect{0, 0, 4, 4});
    return image;
  }
  TBitmap* normal_ = nullptr;
  TBitmap* hot_ = nullptr;
};

// Ticks an element until it finishes (at most 100 ticks).
void RunToEnd(TdxFader& fader, TObject* object) {
  for (int i = 0; i < 100 && fader.Find(object); ++i) fader.Find(object)->TimerHandler(nullptr);
}

class Fading : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartRibbonSkinUnits(); }
};

void ExpectNear(const std::vector<int>& actual, const std::vector<int>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1) << "frame " << i;
}
}  // namespace

TEST_F(Fading, FramesRiseAndFallThenTheFinalImageIsDrawn) {
  TFadingTestObject object;  // outlives the fader, which finishes what still runs
  TdxFader fader;
  object.InFrames = 3;
  object.InInterval = 10;
  object.OutFrames = 16;
  fader.FadeIn(&object);
  ASSERT_NE(fader.Find(&object), nullptr);
  EXPECT_EQ(fader.Find(&object)->Timer()->Interval(), 10u);
  RunToEnd(fader, &object);
  ExpectNear(object.Drawn, {85, 170, 255, 255});
  EXPECT_EQ(object.FinalImages, (std::vector<char>{'-', '-', '-', 'H'}));

  object.Drawn.clear();
  object.FinalImages.clear();
  fader.FadeOut(&object);
  EXPECT_EQ(fader.Find(&object)->Timer()->Interval(), 10u) << "a fade out ticks at the fade-in interval";
  RunToEnd(fader, &object);
  std::vector<int> expected;
  for (int step = 1; step <= 15; ++step) expected.push_back(255 - 16 * step);
  expected.push_back(0);
  expected.push_back(0);
  ExpectNear(object.Drawn, expected);
  EXPECT_EQ(object.FinalImages.back(), 'N');
}

TEST_F(Fading, ParametersAreClamped) {
  struct TCase {
    int frames, interval, expectedFrames, expectedInterval;
  } cases[] = {
      {40, 5, 32, 20},   {-1, 301, 12, 300}, {0, 10, 0, 10},
      {32, 300, 32, 300}, {12, 9, 12, 20},   {-99, -99, 12, 20},
  };
  for (const TCase& c : cases) {
    TFadingTestObject object;
    TdxFader fader;
    object.InFrames = object.OutFrames = c.frames;
    object.InInterval = object.OutInterval = c.interval;
    fader.FadeIn(&object);
    TdxFadingElement* element = fader.Find(&object);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->FrameCount(fdIn), c.expectedFrames) << c.frames;
    EXPECT_EQ(element->FrameCount(fdOut), c.expectedFrames) << c.frames;
    EXPECT_EQ(element->Interval(fdIn), c.expectedInterval) << c.interval;
    EXPECT_EQ(int(element->Timer()->Interval()), c.expectedInterval) << c.interval;
  }
}

TEST_F(Fading, AZeroFrameCountFinishesAtTheFirstTick) {
  TFadingTestObject object;
  TdxFader fader;
  object.InFrames = 0;
  fader.FadeIn(&object);
  fader.Find(&object)->TimerHandler(nullptr);
  EXPECT_EQ(fader.Find(&object), nullptr);
  EXPECT_EQ(object.FinalImages, (std::vector<char>{'H'}));
}

TEST_F(Fading, ASeventhFadeFinishesTheOldest) {
  TFadingTestObject objects[7];
  TdxFader fader;
  for (auto& object : objects) fader.FadeIn(&object);
  EXPECT_EQ(fader.Count(), 6);
  EXPECT_EQ(fader.Find(&objects[0]), nullptr);
  EXPECT_EQ(objects[0].FinalImages, (std::vector<char>{'H'}));
  for (int i = 1; i < 7; ++i) {
    EXPECT_NE(fader.Find(&objects[i]), nullptr);
    EXPECT_TRUE(objects[i].Drawn.empty());
  }
}

TEST_F(Fading, RemoveDestroysSilentlyOrFinishes) {
  TFadingTestObject destroyed, finished;
  TdxFader fader;
  fader.FadeIn(&destroyed);
  fader.FadeOut(&finished);
  fader.Remove(&destroyed, true);
  fader.Remove(&finished, false);
  EXPECT_EQ(fader.Count(), 0);
  EXPECT_TRUE(destroyed.Drawn.empty());
  EXPECT_EQ(finished.FinalImages, (std::vector<char>{'N'}));
  fader.Remove(&finished, false);  // nothing runs for it any more
  EXPECT_EQ(finished.FinalImages.size(), 1u);
}

TEST_F(Fading, ObjectsThatCannotFadeAreLeftAlone) {
  TFadingTestObject refusing;
  TdxFader fader;
  refusing.Fades = false;
  TObject plain;
  fader.FadeIn(&refusing);
  fader.FadeIn(&plain);
  EXPECT_EQ(fader.Count(), 0);
}

TEST_F(Fading, ClearFinishesEveryElementOldestFirst) {
  auto fader = std::make_unique<TdxFader>();
  TFadingTestObject first, second;
  fader->FadeIn(&first);
  fader->FadeOut(&second);
  fader.reset();
  EXPECT_EQ(first.FinalImages, (std::vector<char>{'H'}));
  EXPECT_EQ(second.FinalImages, (std::vector<char>{'N'}));
}

// A reversed fade goes on from the alpha on the screen: each next frame moves the other way from
// it by less than one step of the new direction, never jumping.
TEST_F(Fading, AReversalGoesOnFromTheAlphaOnTheScreen) {
  struct TCase {
    int inFrames, outFrames, ticksBefore;
    TdxFadingDirection first;
  } cases[] = {{3, 16, 2, fdIn}, {12, 12, 5, fdIn}, {16, 3, 2, fdOut}, {12, 32, 11, fdIn}, {32, 12, 7, fdOut}};
  for (const TCase& c : cases) {
    TFadingTestObject object;
    TdxFader fader;
    object.InFrames = c.inFrames;
    object.OutFrames = c.outFrames;
    fader.Fade(&object, c.first);
    for (int i = 0; i < c.ticksBefore; ++i) fader.Find(&object)->TimerHandler(nullptr);
    const int onScreen = object.Drawn.back();
    const TdxFadingDirection second = c.first == fdIn ? fdOut : fdIn;
    fader.Fade(&object, second);
    fader.Find(&object)->TimerHandler(nullptr);
    const int next = object.Drawn.back();
    const int stepSize = 256 / (second == fdIn ? c.inFrames : c.outFrames);
    if (second == fdOut) {
      EXPECT_LT(next, onScreen) << c.inFrames << "/" << c.outFrames;
      EXPECT_GE(next, onScreen - stepSize - 1) << c.inFrames << "/" << c.outFrames;
    } else {
      EXPECT_GT(next, onScreen) << c.inFrames << "/" << c.outFrames;
      EXPECT_LE(next, onScreen + stepSize + 1) << c.inFrames << "/" << c.outFrames;
    }
  }
  // The case of a tab fading in with 3 frames: at 170 its fade out goes on at 159, not at 79.
  TFadingTestObject tab;
  TdxFader fader;
  tab.InFrames = 3;
  tab.OutFrames = 16;
  fader.FadeIn(&tab);
  fader.Find(&tab)->TimerHandler(nullptr);
  fader.Find(&tab)->TimerHandler(nullptr);
  fader.FadeOut(&tab);
  EXPECT_EQ(fader.Find(&tab)->Interval(fdOut), 20);
  EXPECT_EQ(int(fader.Find(&tab)->Timer()->Interval()), 20);
  fader.Find(&tab)->TimerHandler(nullptr);
  EXPECT_NEAR(tab.Drawn.back(), 159, 1);
}
