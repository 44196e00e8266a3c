// A real clip through the whole core: probed into the input list, converted with each offered
// profile through the converter binding and the job protocol, each output read back with ffprobe.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "Convert.h"
#include "CoreTestSupport.h"
#include "EngineTestUtil.h"
#include "Formats.h"
#include "VideoList.h"
#include "calderan_test.h"

using namespace enginetest;

namespace {

constexpr int64_t kSecond = 10000000;

struct TExpected {
  const char* ext;
  const char* container;   // a name ffprobe lists for the format
  const char* videoCodec;  // "" for no video
  const char* audioCodec;
  int sampleRate;
};

// The five profiles in the order the device list leaves them.
const TExpected kProfiles[] = {
    {"mp4", "mp4", "mpeg4", "mp3", 44100},
    {"mp3", "mp3", "", "mp3", 44100},
    {"aac", "aac", "", "aac", 44100},
    {"wav", "wav", "", "pcm_s16le", 44100},
    {"m4a", "mp4", "", "aac", 48000},
};

// One frame of a file as 24x16 RGB, with extra filters before the scaling.
std::vector<uint8_t> Thumb(const std::string& path, double seconds, const std::string& filters) {
  char args[256];
  std::snprintf(args, sizeof args, "-ss %.3f -frames:v 1 -vf %sscale=24:16 -f rawvideo -pix_fmt rgb24", seconds,
                filters.c_str());
  return Decode(path, args);
}

double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 1e9;
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
  return sum / a.size();
}

TEST(EndToEnd, ClipThroughEveryOfferedProfile) {
  RemoveSettings();
  TempFolder folder;
  ASSERT_FALSE(folder.Path().empty());
  // A name with a blank, an ampersand and an accented letter, as users have them.
  const std::string unixClip = folder / "holiday clip & caf\xc3\xa9.mp4";
  ASSERT_TRUE(MakeClip(unixClip, 320, 240, 25, 4, "-c:v mpeg4 -c:a aac"));
  const std::string clip = WinPath(unixClip);
  ASSERT_NE(clip.find("caf\xe9.mp4"), std::string::npos) << clip;

  TFormats formats("iPhone,MP3,AAC,WAV,M4A");
  TVideoList list;
  TMediaInfo probe;
  list.AddVideo(&probe, clip);
  ASSERT_EQ(list.Count(), 1);
  TVideoInfo* info = list.GetVideoInfo(0);
  EXPECT_TRUE(info->HasVideo);
  EXPECT_TRUE(info->HasAudio);
  EXPECT_EQ(info->Width, 320);
  EXPECT_EQ(info->Height, 240);
  EXPECT_NEAR(double(info->Duration) / kSecond, 4.0, 0.1);
  TTaskInfo* task = info->TaskInfo;
  EXPECT_EQ(task->OutName, "holiday clip & caf\xe9_mp4");
  EXPECT_EQ(task->CropRect, (TRect{0, 0, 320, 240}));
  EXPECT_EQ(task->EndTime, info->Duration);

  // The clip editor's settings: one to three seconds, twice as loud, the middle of the picture.
  task->StartTime = 1 * kSecond;
  task->EndTime = 3 * kSecond;
  task->Volume = 200;
  task->CropRect = {40, 30, 280, 210};
  list.SetOutDir(WinPath(folder.Path()));
  const double sourceLoudness = AudioRms(unixClip);
  ASSERT_GT(sourceLoudness, 100);

  TMediaConverter converter;
  // Converts the clip as the task says with the profile selected now; the outcome.
  auto convert = [&](const FormatDetail& detail) {
    const std::string output = list.OutDir() + task->OutName + "." + detail.FileExt;
    StartConversionJob(converter, list.GetFileName(0), output, detail, *task, nullptr);
    uint8_t outcome = 0;
    // The driver polls; the bound only keeps a broken engine from hanging the test run.
    int polls = 0;
    while (!converter.WaitFor(outcome) && polls++ < 6000) Sleep(20);
    EXPECT_LT(polls, 6000) << "the job did not end";
    return polls < 6000 ? int(outcome) : -1;
  };
  ASSERT_EQ(formats.XMLFormats()->Count(), 5);
  for (int f = 0; f < 5; ++f) {
    const TExpected& want = kProfiles[f];
    SCOPED_TRACE(formats.XMLFormats()->Format(f)->Name());
    TFormatSelection s = formats.GetSelection();
    s.Format = f;
    formats.SetSelection(s);
    formats.SelectDefaults();
    const FormatDetail detail = formats.GetCurrentOutputParams();
    ASSERT_EQ(detail.FileExt, want.ext);
    ASSERT_EQ(convert(detail), 0);
    EXPECT_GE(converter.GetPosition(), task->EndTime - kSecond / 10);

    const std::string made = folder / (std::string("holiday clip & caf\xc3\xa9_mp4.") + want.ext);
    ASSERT_TRUE(Exists(made)) << made;
    EXPECT_NE(Probe(made, "format=format_name").find(want.container), std::string::npos)
        << Probe(made, "format=format_name");
    EXPECT_NEAR(ProbeNumber(made, "format=duration"), 2.0, 0.15);
    EXPECT_EQ(Probe(made, "stream=codec_name", "a:0"), want.audioCodec);
    EXPECT_EQ(ProbeNumber(made, "stream=sample_rate", "a:0"), want.sampleRate);
    EXPECT_EQ(ProbeNumber(made, "stream=channels", "a:0"), 2);
    // Every profile, with video or without, carries the clip's volume (MP3 loses 5 % of the level).
    EXPECT_NEAR(AudioRms(made) / sourceLoudness / 2.0, 1.0, 0.07);
    EXPECT_EQ(Probe(made, "stream=codec_name", "v:0"), want.videoCodec);
    if (*want.videoCodec) {
      EXPECT_EQ(ProbeNumber(made, "stream=width", "v:0"), 480);
      EXPECT_EQ(ProbeNumber(made, "stream=height", "v:0"), 320);
      EXPECT_NEAR(ProbeNumber(made, "stream=avg_frame_rate", "v:0"), 30000.0 / 1001, 0.05);
      // Half a second into the output is 1.5 s into the source, cropped to the middle.
      const auto out = Thumb(made, 0.5, "");
      const double cropped = MeanDifference(out, Thumb(unixClip, 1.5, "crop=240:180:40:30,"));
      const double whole = MeanDifference(out, Thumb(unixClip, 1.5, ""));
      EXPECT_LT(cropped, 20) << "against the cropped source";
      EXPECT_LT(cropped, whole / 2) << "the crop must show";
    }
  }

  // The last, audio-only profile again at 100 %: the output at 200 % is twice as loud.
  const std::string made = folder / "holiday clip & caf\xc3\xa9_mp4.m4a";
  const std::string doubled = folder / "doubled.m4a";
  ASSERT_TRUE(Sh("mv " + Quote(made) + " " + Quote(doubled)));
  task->Volume = 100;
  ASSERT_EQ(convert(formats.GetCurrentOutputParams()), 0);
  EXPECT_NEAR(AudioRms(doubled) / AudioRms(made), 2.0, 0.05);
  RemoveSettings();
}

}  // namespace
