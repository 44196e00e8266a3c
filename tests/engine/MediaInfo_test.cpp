// The probe, called as the input list calls it, on files made for the test.
#include "calderan_test.h"
#include "EngineCodecs.h"
#include "EngineTestUtil.h"
#include "MediaInfo.h"
#include <cstring>

using namespace enginetest;

namespace {

constexpr int64_t kSecond = 10000000;
TempFolder* gFolder = nullptr;

class Probe : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gFolder = new TempFolder();
    const TempFolder& f = *gFolder;
    ASSERT_TRUE(MakeClip(f / "clip.avi", 320, 240, 25, 2));
    ASSERT_TRUE(MakeClip(f / "odd.mkv", 321, 241, 30, 1, "-c:v libx264 -pix_fmt yuv444p -c:a aac"));
    ASSERT_TRUE(MakeMedia(f / "tone.mp3", "-f lavfi -i sine=sample_rate=22050:duration=1.5 -ac 1 -c:a libmp3lame"));
    ASSERT_TRUE(MakeMedia(f / "silent.mp4", "-f lavfi -i testsrc=size=176x144:rate=15:duration=1 -c:v mpeg4"));
    // Sound with a cover picture: the picture is no video stream.
    ASSERT_TRUE(MakeMedia(f / "cover.png", "-f lavfi -i color=green:size=64x64 -frames:v 1"));
    ASSERT_TRUE(MakeMedia(f / "covered.mp3", "-i " + Quote(f / "tone.mp3") + " -i " + Quote(f / "cover.png") +
                          " -map 0 -map 1 -c:a copy -c:v png -disposition:v attached_pic"));
    ASSERT_TRUE(Sh("touch " + Quote(f / "empty.mp4")));
    ASSERT_TRUE(Sh("printf 'hello\\nworld\\n' > " + Quote(f / "readme.txt")));
    ASSERT_TRUE(Sh("printf '1\\n00:00:00,000 --> 00:00:01,000\\nhello\\n' > " + Quote(f / "only.srt")));
    ASSERT_TRUE(Sh("head -c 20000 " + Quote(f / "silent.mp4") + " > " + Quote(f / "cut.mp4")));
    ASSERT_TRUE(MakeUnstatedLengthFiles(f));
    ASSERT_TRUE(MakeMedia(f / "raw.h264", "-f lavfi -i testsrc=size=160x120:rate=25 -frames:v 100 -c:v libx264 -f h264"));
    ASSERT_TRUE(MakeTurnedPictures(f));
  }
  static void TearDownTestSuite() {
    MediaInfo_Close();
    delete gFolder;
    gFolder = nullptr;
  }
  int Open(const std::string& name) { return MediaInfo_OpenFile(WinPath(*gFolder / name).c_str()); }
};

struct Stream {
  uint8_t kind = 0;
  TMediaStreamRecord record{};
};

// The calls of the input list, in its order.
std::vector<Stream> Streams() {
  int32_t count = -1;
  EXPECT_EQ(MediaInfo_GetStreamCount(&count), 0);
  std::vector<Stream> streams(count > 0 ? count : 0);
  for (int32_t i = 0; i < count; ++i) {
    EXPECT_EQ(MediaInfo_GetInfo(i, &streams[i].record), 0);
    EXPECT_EQ(MediaInfo_GetType(i, &streams[i].kind), 0);
  }
  return streams;
}

int32_t Field(const TMediaStreamRecord& r, int offset) {
  int32_t value;
  std::memcpy(&value, reinterpret_cast<const uint8_t*>(&r) + offset, 4);
  return value;
}

}  // namespace

TEST_F(Probe, ReportsDurationAndStreams) {
  ASSERT_EQ(Open("clip.avi"), 0);
  int64_t duration = 0;
  ASSERT_EQ(MediaInfo_GetDur(&duration), 0);
  EXPECT_NEAR(double(duration), 2.0 * kSecond, 0.1 * kSecond);
  std::vector<Stream> s = Streams();
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].kind, 1);
  EXPECT_EQ(Field(s[0].record, 16), 320) << "width at bytes 16-19";
  EXPECT_EQ(Field(s[0].record, 20), 240) << "height at bytes 20-23";
  EXPECT_EQ(s[0].record.CodecId, ecMpeg4);
  EXPECT_EQ(s[0].record.FrameDuration, 400000);
  EXPECT_EQ(Field(s[0].record, 8), 0);
  EXPECT_EQ(s[1].kind, 2);
  EXPECT_EQ(Field(s[1].record, 8), 2) << "channels at bytes 8-11";
  EXPECT_EQ(Field(s[1].record, 12), 44100) << "sample rate at bytes 12-15";
  EXPECT_EQ(s[1].record.CodecId, ecMp3);
  EXPECT_EQ(Field(s[1].record, 16), 0);
}

TEST_F(Probe, TableOfFiles) {
  struct {
    const char* name;
    std::vector<uint8_t> kinds;
    int width, height, channels, rate;
    double seconds;
  } cases[] = {
      {"odd.mkv", {1, 2}, 321, 241, 2, 44100, 1.0},
      {"tone.mp3", {2}, 0, 0, 1, 22050, 1.5},
      {"silent.mp4", {1}, 176, 144, 0, 0, 1.0},
      {"covered.mp3", {2, 5}, 0, 0, 1, 22050, 1.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(Open(c.name), 0);
    int64_t duration = 0;
    MediaInfo_GetDur(&duration);
    EXPECT_NEAR(double(duration), c.seconds * kSecond, 0.1 * kSecond);
    std::vector<Stream> s = Streams();
    std::vector<uint8_t> kinds;
    for (const Stream& x : s) kinds.push_back(x.kind);
    EXPECT_EQ(kinds, c.kinds);
    for (const Stream& x : s) {
      if (x.kind == 1) {
        EXPECT_EQ(x.record.Width, c.width);
        EXPECT_EQ(x.record.Height, c.height);
      }
      if (x.kind == 2) {
        EXPECT_EQ(x.record.Channels, c.channels);
        EXPECT_EQ(x.record.SampleRate, c.rate);
      }
    }
  }
}

TEST_F(Probe, BadFilesGiveAStatusAndCloseIsAlwaysFine) {
  struct {
    std::string name;
    int status;
  } cases[] = {{"missing.avi", 1}, {"", 1}, {"empty.mp4", 3}, {"readme.txt", 3}, {"only.srt", 3}, {"cut.mp4", 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(Open(c.name), c.status) << c.name;
    int64_t duration = 0;
    EXPECT_EQ(MediaInfo_GetDur(&duration), 1) << "nothing is open after a failure";
  }
  EXPECT_EQ(MediaInfo_OpenFile(nullptr), 1);
  EXPECT_EQ(MediaInfo_Close(), 0);
  EXPECT_EQ(MediaInfo_Close(), 0);
  ASSERT_EQ(Open("clip.avi"), 0);
  uint8_t kind = 0;
  TMediaStreamRecord record;
  EXPECT_EQ(MediaInfo_GetType(2, &kind), 7);
  EXPECT_EQ(MediaInfo_GetType(-1, &kind), 7);
  EXPECT_EQ(MediaInfo_GetInfo(5, &record), 7);
  EXPECT_EQ(MediaInfo_Close(), 0);
  int32_t count = 0;
  EXPECT_EQ(MediaInfo_GetStreamCount(&count), 1);
}

TEST_F(Probe, NamesWithSpacesAmpersandsAndAccents) {
  std::string name = "holiday & f\xC3\xAAte \xC3\xA0 Cr\xC3\xA8te.avi";
  ASSERT_TRUE(Sh("cp " + Quote(*gFolder / "clip.avi") + " " + Quote(*gFolder / name)));
  ASSERT_EQ(Open(name), 0);
  EXPECT_EQ(Streams().size(), 2u);
}

// A variable bit rate with no stated length: FFmpeg's guess from the first frames is about two
// thirds of the file; the probe answers the real length.
TEST_F(Probe, LengthThatNoHeaderStatesIsMeasured) {
  for (const char* name : kUnstatedLengthFiles) {
    ASSERT_EQ(Open(name), 0) << name;
    int64_t duration = 0;
    ASSERT_EQ(MediaInfo_GetDur(&duration), 0);
    EXPECT_NEAR(double(duration), 6.0 * kSecond, 0.05 * kSecond) << name;
    TMediaStreamRecord record{};
    ASSERT_EQ(MediaInfo_GetInfo(0, &record), 0);
    EXPECT_NEAR(double(record.Duration), 6.0 * kSecond, 0.05 * kSecond) << name;
  }
}

// A raw H.264 stream stamps none of its packets, but each lasts one frame: 100 frames at 25 a
// second are 4 s, not the 0 that counting stamped packets alone gave.
TEST_F(Probe, RawStreamLastsTheSumOfItsFrames) {
  ASSERT_EQ(Open("raw.h264"), 0);
  int64_t duration = 0;
  ASSERT_EQ(MediaInfo_GetDur(&duration), 0);
  EXPECT_EQ(duration, 4 * kSecond);
  TMediaStreamRecord record{};
  ASSERT_EQ(MediaInfo_GetInfo(0, &record), 0);
  EXPECT_EQ(record.Duration, 4 * kSecond);
}

TEST_F(Probe, TurnedPictureHasItsDisplayedSize) {
  for (const TurnedPicture& t : kTurnedPictures) {
    ASSERT_EQ(Open(t.name), 0) << t.name;
    std::vector<Stream> s = Streams();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].record.Width, kUprightWidth) << t.name;
    EXPECT_EQ(s[0].record.Height, kUprightHeight) << t.name;
  }
}
