// Where a long picture is cut into lanes converted side by side: at the source's key frames, one
// lane per core at most, none shorter than a few seconds.
#include "calderan_test.h"
#include "MediaConvJob.h"
#include <cmath>

namespace {

constexpr int64_t kSecond = 10000000;

int64_t Ticks(double seconds) { return int64_t(std::llround(seconds * kSecond)); }

// Key frames every `spacing` seconds from `first` on, up to the end.
std::vector<int64_t> KeyFrames(double first, double spacing, double end) {
  std::vector<int64_t> keys;
  for (double t = first; t < end; t += spacing) keys.push_back(Ticks(t));
  return keys;
}

}  // namespace

TEST(LanePlan, CutsAtTheKeyFramesNearestToEqualShares) {
  // The bench's clips have a key frame every 250.25 pictures at 29.97 a second: every 8.35 s.
  const double clipSpacing = 250.25 * 1001 / 30000;
  struct Case {
    const char* what;
    double start, end;  // the range, seconds
    std::vector<int64_t> keys;
    int cores;
    std::vector<double> lanes;  // the later lanes' first key frames, seconds
  } cases[] = {
      {"30 s, sparse key frames: each key frame starts a lane", 0, 30, KeyFrames(0, clipSpacing, 30), 8,
       {1 * clipSpacing, 2 * clipSpacing, 3 * clipSpacing}},
      {"60 s, sparse key frames: the last one is too near the end", 0, 60, KeyFrames(0, clipSpacing, 60), 8,
       {1 * clipSpacing, 2 * clipSpacing, 3 * clipSpacing, 4 * clipSpacing, 5 * clipSpacing, 6 * clipSpacing}},
      {"240 s, dense key frames: one lane per core", 0, 240, KeyFrames(0, 2, 240), 8,
       {30, 60, 90, 120, 150, 180, 210}},
      {"20 s: lanes of 4 s at least", 0, 20, KeyFrames(0, 2, 20), 8, {4, 8, 12, 16}},
      {"a range inside the file", 10, 30, KeyFrames(0, 2.5, 40), 4, {15, 20, 25}},
      {"two cores", 0, 60, KeyFrames(0, 2, 60), 2, {30}},
      {"shorter than two lanes", 0, 7.9, KeyFrames(0, 1, 7.9), 8, {}},
      {"one core", 0, 60, KeyFrames(0, 2, 60), 1, {}},
      {"no index", 0, 60, {}, 8, {}},
      {"the only later key frame too near the end", 0, 30, {0, Ticks(27)}, 8, {}},
      {"the only later key frame too near the start", 0, 30, {0, Ticks(3)}, 8, {}},
  };
  for (const Case& c : cases) {
    std::vector<double> lanes;
    for (size_t key : PickLaneKeyFrames(c.keys, Ticks(c.start), Ticks(c.end), c.cores))
      lanes.push_back(double(c.keys[key]) / kSecond);
    ASSERT_EQ(lanes.size(), c.lanes.size()) << c.what;
    for (size_t i = 0; i < lanes.size(); ++i) EXPECT_NEAR(lanes[i], c.lanes[i], 1e-6) << c.what << ", lane " << i + 1;
  }
}
