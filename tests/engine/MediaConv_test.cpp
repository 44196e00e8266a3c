// The converter, driven as the progress window drives it: configure, run, poll, and the files it
// writes checked with ffprobe and by measurement.
#include "calderan_test.h"
#include "EngineCodecs.h"
#include "ConvertJob.h"
#include "MediaConv.h"
#include "MediaInfo.h"
#include "LibUtil.h"
#include <csignal>
#include <set>
#include <sys/resource.h>

using namespace enginetest;

namespace {

TempFolder* gFolder = nullptr;

class Converter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gFolder = new TempFolder();
    const TempFolder& f = *gFolder;
    LogToFileFromEnvironment();
    ASSERT_TRUE(MakeClip(f / "clip.avi", 320, 240, 25, 3));
    ASSERT_TRUE(MakeClip(f / "odd.mkv", 321, 241, 30, 2, "-c:v libx264 -pix_fmt yuv444p -c:a aac"));
    ASSERT_TRUE(MakeClip(f / "long.mp4", 640, 360, 25, 20, "-c:v mpeg4 -q:v 5 -c:a aac"));
    ASSERT_TRUE(MakeMedia(f / "tone.wav", "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=2 -ac 2"));
    ASSERT_TRUE(MakeMedia(f / "silent.mp4", "-f lavfi -i testsrc=size=320x240:rate=25:duration=2 -c:v mpeg4"));
    // 2 s black, then 2 s white: where a range starts and ends can be seen in the pictures.
    ASSERT_TRUE(MakeMedia(f / "blackwhite.mp4",
                          "-f lavfi -i color=black:size=320x240:rate=25:duration=2 -f lavfi -i "
                          "color=white:size=320x240:rate=25:duration=2 -filter_complex concat=n=2:v=1:a=0 -c:v mpeg4 -q:v 2"));
    // 4 s whose sound grows louder with time, in several containers and sound codecs.
    const std::string rising =
        "-f lavfi -i testsrc=size=320x240:rate=25:duration=4 -f lavfi -i "
        "'aevalsrc=0.05*t*sin(2*PI*440*t):s=44100:d=4' -ac 2 -c:v mpeg4 ";
    ASSERT_TRUE(MakeMedia(f / "rising-mp3.avi", rising + "-c:a libmp3lame -b:a 128k"));
    ASSERT_TRUE(MakeMedia(f / "rising-pcm.avi", rising + "-c:a pcm_s16le"));
    ASSERT_TRUE(MakeMedia(f / "rising-aac.mp4", rising + "-c:a aac -b:a 128k"));
    ASSERT_TRUE(MakeMedia(f / "rising-aac.mkv", rising + "-c:a aac -b:a 128k"));
    // 20 s whose every picture has its own grey level (16 + 7 n mod 219), a key frame every 2 s.
    ASSERT_TRUE(MakeMedia(f / "numbered.mp4",
                          "-f lavfi -i color=black:size=320x240:rate=25:duration=20 -f lavfi -i "
                          "sine=frequency=440:sample_rate=44100:duration=20 -ac 2 "
                          "-vf geq=lum='16+mod(N*7\\,219)':cb=128:cr=128 -c:v mpeg4 -q:v 3 -g 50 -c:a libmp3lame"));
    // The same with B-frames: its decoding times run ahead of the presentation times.
    ASSERT_TRUE(MakeMedia(f / "numbered-bframes.mp4", "-i " + Quote(f / "numbered.mp4") +
                          " -c:v mpeg4 -q:v 3 -g 50 -bf 2 -c:a copy"));
    // 20 s of moving pictures, a key frame every 2 s, shown after the B-frames decoded before it.
    ASSERT_TRUE(MakeMedia(f / "moving.mp4",
                          "-f lavfi -i testsrc=size=320x240:rate=25:duration=20 -f lavfi -i "
                          "sine=frequency=440:sample_rate=44100:duration=20 -ac 2 "
                          "-c:v libx264 -pix_fmt yuv420p -g 50 -keyint_min 50 -sc_threshold 0 -bf 2 -c:a aac"));
    // Red frame whose top-right quarter is blue.
    ASSERT_TRUE(MakeMedia(f / "quarters.mp4",
                          "-f lavfi -i color=red:size=320x240:rate=25:duration=1 -vf "
                          "drawbox=x=160:y=0:w=160:h=120:color=blue:t=fill -c:v mpeg4 -q:v 2"));
    ASSERT_TRUE(MakeUnstatedLengthFiles(f));
    ASSERT_TRUE(MakeTurnedPictures(f));
  }
  static void TearDownTestSuite() {
    MediaConv_Cancel();
    delete gFolder;
    gFolder = nullptr;
  }
  const TempFolder& F() const { return *gFolder; }
};

// Waits until the running job has encoded its first frames (and has not ended).
bool UnderWay() {
  for (int i = 0; i < 10000; ++i) {
    int64_t position = 0;
    MediaConv_GetCurrentPosition(&position);
    if (position > 0) return true;
    Sleep(1);
  }
  return false;
}

// Mono samples as a player hears them: it keeps the timestamps, so a pause in them is silence.
std::vector<int16_t> HeardSamples(const std::string& path) {
  std::vector<uint8_t> raw = Decode(path, "-vn -af aresample=async=1 -ac 1 -ar 44100 -f s16le");
  std::vector<int16_t> samples(raw.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = int16_t(raw[2 * i] | raw[2 * i + 1] << 8);
  return samples;
}

double RmsBetween(const std::vector<int16_t>& samples, double from, double to) {
  size_t first = size_t(from * 44100), last = std::min(samples.size(), size_t(to * 44100));
  double sum = 0;
  for (size_t i = first; i < last; ++i) sum += double(samples[i]) * samples[i];
  return last > first ? std::sqrt(sum / (last - first)) : 0;
}

// The mean luma of each picture of a 320 x 240 file.
std::vector<double> PictureLumas(const std::string& path) {
  std::vector<uint8_t> luma = Decode(path, "-f rawvideo -pix_fmt gray");
  const size_t frame = 320 * 240;
  std::vector<double> means;
  for (size_t at = 0; at + frame <= luma.size(); at += frame)
    means.push_back(MeanByte(std::vector<uint8_t>(luma.begin() + at, luma.begin() + at + frame)));
  return means;
}

// How far, in seconds, a packet of the file lies behind the latest time of the packets before it:
// a stream written far ahead of the other makes a player read back and forth through the file.
double LargestLagInTheFile(const std::string& path) {
  std::string list = Shell("ffprobe -v error -show_entries packet=dts_time -of csv=p=0 " + Quote(path));
  double latest = -1e9, lag = 0;
  for (size_t start = 0, end; (end = list.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = list.substr(start, end - start);
    if (line.empty() || line[0] == 'N') continue;
    double dts = std::atof(line.c_str());
    lag = std::max(lag, latest - dts);
    latest = std::max(latest, dts);
  }
  return lag;
}

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  std::string list = Shell("ls -A " + Quote(folder));
  size_t start = 0, end;
  while ((end = list.find('\n', start)) != std::string::npos) names.insert(list.substr(start, end - start)), start = end + 1;
  return names;
}

}  // namespace

TEST_F(Converter, OriginalSizeAndRateKeepTheSourceEvenWhenOdd) {
  Job j{F() / "odd.mkv", F() / "odd-out.mp4", "mp4", ecMpeg4};
  j.acodec = ecAac;
  ASSERT_EQ(Convert(j), 0);
  EXPECT_EQ(ProbeNumber(j.output, "stream=width", "v:0"), 320);
  EXPECT_EQ(ProbeNumber(j.output, "stream=height", "v:0"), 240);
  EXPECT_NEAR(ProbeNumber(j.output, "stream=avg_frame_rate", "v:0"), 30, 0.01);
  EXPECT_EQ(ProbeNumber(j.output, "stream=channels", "a:0"), 2);
  EXPECT_EQ(ProbeNumber(j.output, "stream=sample_rate", "a:0"), 44100);
}

TEST_F(Converter, AudioOnlyInputIntoAVideoProfileGivesTheSound) {
  Job j{F() / "tone.wav", F() / "tone.mp4", "mp4", ecMpeg4, 480, 320, 333666, 1000000, ecMp3, 2, 44100, 128000};
  ASSERT_EQ(Convert(j), 0);
  EXPECT_EQ(Probe(j.output, "stream=codec_name", "v:0"), "");
  EXPECT_EQ(Probe(j.output, "stream=codec_name", "a:0"), "mp3");
}

// ---- effects, range, crop and aspect, by measurement ---------------------------------------

TEST_F(Converter, VolumeScalesTheSound) {
  Job plain{F() / "tone.wav", F() / "vol100.wav", "wav"};
  plain.acodec = ecPcmS16le;
  Job doubled = plain;
  doubled.output = F() / "vol200.wav";
  doubled.volume = 200;
  ASSERT_EQ(Convert(plain), 0);
  ASSERT_EQ(Convert(doubled), 0);
  double ratio = AudioRms(doubled.output) / AudioRms(plain.output);
  EXPECT_NEAR(ratio, 2.0, 0.02);
}

TEST_F(Converter, BrightnessAndContrastChangeTheLuma) {
  auto lumaOf = [&](int brightness, int contrast, const char* name) {
    Job j{F() / "clip.avi", F() / name, "avi", ecMpeg4, 320, 240, 400000, 2000000};
    j.brightness = brightness, j.contrast = contrast;
    EXPECT_EQ(Convert(j), 0);
    std::vector<uint8_t> luma = Decode(j.output, "-frames:v 1 -f rawvideo -pix_fmt gray");
    double mean = MeanByte(luma), spread = 0;
    for (uint8_t y : luma) spread += (y - mean) * (y - mean);
    return std::pair<double, double>(mean, std::sqrt(spread / luma.size()));
  };
  auto [plainMean, plainSpread] = lumaOf(0, 0, "plain.avi");
  auto [brightMean, brightSpread] = lumaOf(64, 0, "bright.avi");
  auto [flatMean, flatSpread] = lumaOf(0, -96, "flat.avi");
  EXPECT_GT(brightMean, plainMean + 40);
  EXPECT_LT(flatSpread, plainSpread * 0.4);
  (void)brightSpread, (void)flatMean;
}

TEST_F(Converter, CropKeepsTheChosenRegion) {
  Job j{F() / "quarters.mp4", F() / "crop.mp4", "mp4", ecMpeg4};
  j.crop[0] = 160, j.crop[1] = 0, j.crop[2] = 320, j.crop[3] = 120;  // the blue quarter
  ASSERT_EQ(Convert(j), 0);
  EXPECT_EQ(ProbeNumber(j.output, "stream=width", "v:0"), 160);
  EXPECT_EQ(ProbeNumber(j.output, "stream=height", "v:0"), 120);
  std::vector<uint8_t> rgb = Decode(j.output, "-frames:v 1 -f rawvideo -pix_fmt rgb24");
  EXPECT_LT(MeanByte(rgb, 3, 0), 40);   // red
  EXPECT_GT(MeanByte(rgb, 3, 2), 200);  // blue
}

TEST_F(Converter, AspectLetterboxesThePictureOnBlack) {
  // A 4:3 picture in a 480x320 frame: 426x320 in the middle, black bars left and right.
  Job j{F() / "quarters.mp4", F() / "aspect.mp4", "mp4", ecMpeg4, 480, 320, 400000, 2000000};
  j.aspect[0] = 4, j.aspect[1] = 3;
  ASSERT_EQ(Convert(j), 0);
  std::vector<uint8_t> rgb = Decode(j.output, "-frames:v 1 -f rawvideo -pix_fmt rgb24");
  ASSERT_EQ(rgb.size(), 480u * 320 * 3);
  auto pixel = [&](int x, int y, int channel) { return rgb[(y * 480 + x) * 3 + channel]; };
  EXPECT_LT(pixel(10, 200, 0), 30);   // left bar
  EXPECT_LT(pixel(470, 200, 0), 30);  // right bar
  EXPECT_GT(pixel(60, 200, 0), 200);  // red picture just inside the bar
  EXPECT_GT(pixel(420, 40, 2), 200);  // blue quarter at the top right of the picture
}

TEST_F(Converter, RangeConvertsOnlyThatPart) {
  // Source: black for 2 s, then white. Range 1.5 s for 1 s: half black, half white.
  Job j{F() / "blackwhite.mp4", F() / "range.mp4", "mp4", ecMpeg4, 320, 240, 400000, 2000000};
  j.start = 15 * kSecond / 10, j.length = kSecond;
  ASSERT_EQ(Convert(j), 0);
  EXPECT_EQ(CountFrames(j.output), 25);
  std::vector<uint8_t> luma = Decode(j.output, "-f rawvideo -pix_fmt gray");
  size_t frame = 320 * 240;
  ASSERT_EQ(luma.size(), 25 * frame);
  auto meanOf = [&](int n) { return MeanByte(std::vector<uint8_t>(luma.begin() + n * frame, luma.begin() + (n + 1) * frame)); };
  EXPECT_LT(meanOf(0), 40);
  EXPECT_LT(meanOf(11), 40);
  EXPECT_GT(meanOf(13), 215);
  EXPECT_GT(meanOf(24), 215);
  int64_t position = 0;
  MediaConv_GetCurrentPosition(&position);
  EXPECT_EQ(position, 25 * kSecond / 10);
}

// Starts between two pictures (black up to the one at 1.96 s, white from 2.00 s): the picture on
// show at the start, black, is the first, from time 0, and the white ones follow at their time.
TEST_F(Converter, RangeStartingBetweenPicturesBeginsWithThePictureOnShow) {
  for (int64_t start : {197 * kSecond / 100, 199 * kSecond / 100}) {
    Job j{F() / "blackwhite.mp4", F() / "between.mp4", "mp4", ecMpeg4, 320, 240, 400000, 2000000};
    j.start = start, j.length = kSecond;
    ASSERT_EQ(Convert(j), 0);
    std::vector<double> lumas = PictureLumas(j.output);
    ASSERT_EQ(lumas.size(), 25u) << start;
    EXPECT_LT(lumas[0], 40) << start;
    EXPECT_GT(lumas[1], 215) << start;
    EXPECT_EQ(ProbeNumber(j.output, "stream=start_time", "v:0"), 0) << start;
  }
}

// To the end of the file from between two pictures: whole frames up to the end, the last one
// lasting a frame like the others.
TEST_F(Converter, RangeToTheEndKeepsTheLastPicturesDuration) {
  Job j{F() / "blackwhite.mp4", F() / "to-the-end.mp4", "mp4", ecMpeg4, 320, 240, 400000, 2000000};
  j.start = 199 * kSecond / 100;
  ASSERT_EQ(Convert(j), 0);
  std::string durations = Shell("ffprobe -v error -select_streams v:0 -show_entries packet=duration_time "
                                "-of csv=p=0 " + Quote(j.output));
  ASSERT_GT(durations.size(), 2u);
  durations.pop_back();
  EXPECT_NEAR(std::atof(durations.substr(durations.rfind('\n') + 1).c_str()), 0.04, 0.0005);
  EXPECT_NEAR(ProbeNumber(j.output, "stream=duration", "v:0"), 2.04, 0.0005);
}

TEST_F(Converter, SoundWhoseChannelsChangeMidwayConvertsWhole) {
  // Two MP3 files joined: a second of mono, then a second of stereo, in one stream.
  ASSERT_TRUE(MakeMedia(F() / "mono.mp3", "-f lavfi -i sine=duration=1 -ac 1"));
  ASSERT_TRUE(MakeMedia(F() / "stereo.mp3", "-f lavfi -i sine=duration=1 -ac 2"));
  ASSERT_TRUE(Sh("cat " + Quote(F() / "mono.mp3") + " " + Quote(F() / "stereo.mp3") + " > " + Quote(F() / "joined.mp3")));
  Job j{F() / "joined.mp3", F() / "joined.wav", "wav"};
  j.acodec = ecPcmS16le;
  ASSERT_EQ(Convert(j), 0);
  EXPECT_NEAR(DecodedAudioSeconds(j.output), 2.0, 0.1);
}

// Phones store the picture as recorded and say how to turn it: it comes out upright, and the crop
// rectangle is in the upright picture's pixels.
TEST_F(Converter, TurnedPicturesComeOutUpright) {
  std::vector<uint8_t> upright = Decode(F() / "upright.mp4", "-frames:v 1 -f rawvideo -pix_fmt rgb24");
  ASSERT_EQ(upright.size(), size_t(kUprightWidth) * kUprightHeight * 3);
  for (const TurnedPicture& t : kTurnedPictures) {
    Job j{F() / t.name, F() / ("upright-" + std::string(t.name)), "mp4", ecMpeg4};
    j.vbitrate = 2000000;
    ASSERT_EQ(Convert(j), 0) << t.name;
    EXPECT_LT(MeanDifference(Decode(j.output, "-frames:v 1 -f rawvideo -pix_fmt rgb24"), upright), 8) << t.name;
    Job blue = j;  // the top-right quarter
    blue.output = F() / ("blue-" + std::string(t.name));
    blue.crop[0] = 90, blue.crop[1] = 0, blue.crop[2] = 180, blue.crop[3] = 160;
    ASSERT_EQ(Convert(blue), 0) << t.name;
    std::vector<uint8_t> rgb = Decode(blue.output, "-frames:v 1 -f rawvideo -pix_fmt rgb24");
    ASSERT_EQ(rgb.size(), 90u * 160 * 3) << t.name;
    EXPECT_GT(MeanByte(rgb, 3, 2), 200) << t.name;
    EXPECT_LT(MeanByte(rgb, 3, 0), 40) << t.name;
  }
}

TEST_F(Converter, RangeOfSoundIsCutToTheSample) {
  Job j{F() / "tone.wav", F() / "range.wav", "wav"};
  j.acodec = ecPcmS16le;
  j.start = 5 * kSecond / 10, j.length = 7 * kSecond / 10;
  ASSERT_EQ(Convert(j), 0);
  EXPECT_NEAR(DecodedAudioSeconds(j.output), 0.7, 0.001);
}

// A range that starts inside the file, from sound sources whose time bases differ (one sample,
// one MP3 frame, a millisecond) into each kind of output. The sound grows louder with time, so the
// part taken shows in its level: 0.05 t sin(2 pi 440 t), made stereo at -3 dB, has an RMS of
// 0.0520 of full scale over t in [1, 3] (0.0289 over [0, 2], 0.0764 over [2, 4]).
TEST_F(Converter, RangeInsideTheFileFromEverySoundSource) {
  struct Output {
    const char* format;
    const char* ext;
    int vcodec, acodec, bitRate;
    double slack;  // seconds the decoded sound may differ from the range: a coded frame, or the
                   // source's time base (a millisecond in Matroska) for PCM
  } outputs[] = {
      {"mp4", "mp4", ecMpeg4, ecMp3, 128000, 1152 / 44100.0},
      {"mp3", "mp3", 0, ecMp3, 128000, 1152 / 44100.0},
      // ADTS cannot say how many priming and padding samples its frames carry.
      {"adts", "aac", 0, ecAac, 128000, 2 * 1024 / 44100.0},
      {"wav", "wav", 0, ecPcmS16le, 0, 0.001},
  };
  const char* sources[] = {"rising-mp3.avi", "rising-pcm.avi", "rising-aac.mp4", "rising-aac.mkv"};
  const double kRangeRms = 0.0520 * 32768;
  for (const char* source : sources) {
    for (const Output& o : outputs) {
      std::string name = std::string(source) + "." + o.ext;
      Job j{F() / source, F() / name, o.format, o.vcodec, 320, 240, 400000, 1000000, o.acodec, 2, 44100, o.bitRate};
      j.start = kSecond, j.length = 2 * kSecond;
      ASSERT_EQ(Convert(j), 0) << name;
      EXPECT_NEAR(DecodedAudioSeconds(j.output), 2.0, o.slack) << name;
      // Two generations of MP3 lose 11 % of the level; a range half a second early is 23 % off.
      EXPECT_NEAR(AudioRms(j.output) / kRangeRms, 1.0, 0.15) << name;
    }
  }
}

// The grey level of each picture of a numbered file (see numbered.mp4).
std::vector<int> PictureLevels(const std::string& path) {
  std::vector<uint8_t> means = Decode(path, "-vf scale=1:1:flags=area -f rawvideo -pix_fmt gray");
  return std::vector<int>(means.begin(), means.end());
}

// Output picture n must be source picture n + firstPicture (same rate); an empty text when every
// one is, else where the first one goes wrong.
std::string MisplacedPictures(const std::string& input, const std::string& output, int firstPicture) {
  std::vector<int> in = PictureLevels(input), out = PictureLevels(output);
  int misplaced = 0, first = -1;
  for (size_t n = 0; n < out.size(); ++n)
    if ((firstPicture + n >= in.size() || std::abs(out[n] - in[firstPicture + n]) > 3) && misplaced++ == 0)
      first = int(n);
  if (!misplaced) return "";
  return std::to_string(misplaced) + " misplaced, the first is picture " + std::to_string(first) + ": level " +
         std::to_string(out[first]) + ", source " +
         std::to_string(firstPicture + first < int(in.size()) ? in[firstPicture + first] : -1);
}

// The pictures of a file that are key frames, in order.
std::vector<int> KeyFramePictures(const std::string& path) {
  std::string list = Shell("ffprobe -v error -select_streams v:0 -show_entries packet=flags -of csv=p=0 " + Quote(path));
  std::vector<int> keys;
  int picture = 0;
  for (size_t start = 0, end; (end = list.find('\n', start)) != std::string::npos; start = end + 1, ++picture)
    if (list[start] == 'K') keys.push_back(picture);
  return keys;
}

// A long picture is converted in parts side by side; the parts must join without a picture lost,
// doubled or out of place: output picture n is source picture n + the range's first (same rate).
// With B-frames, a seek to a part's key frame lands on the key frame before it, and the key frame
// is shown after the pictures decoded before it.
TEST_F(Converter, LongPictureJoinsItsPartsPictureForPicture) {
  struct {
    const char* name;
    int firstPicture;  // the range starts there, at 25 pictures a second
  } sources[] = {{"numbered.mp4", 25}, {"numbered-bframes.mp4", 0}, {"numbered-bframes.mp4", 25}};
  for (const auto& source : sources) {
    const char* name = source.name;
    Job j{F() / name, F() / (std::string("out-") + name), "mp4", ecMpeg4, 320, 240, 400000, 1000000,
          ecMp3, 2, 44100, 128000};
    j.start = source.firstPicture * kSecond / 25, j.length = 18 * kSecond;
    ASSERT_EQ(Convert(j), 0) << name;
    EXPECT_EQ(CountFrames(j.output), 450) << name;
    EXPECT_EQ(MisplacedPictures(j.input, j.output, source.firstPicture), "") << name << " from " << source.firstPicture;
    EXPECT_NEAR(ProbeNumber(j.output, "format=duration"), 18.0, 0.1) << name;
    EXPECT_NEAR(DecodedAudioSeconds(j.output), 18.0, 0.05) << name;
    // The sound, read and encoded apart from the pictures, still lies beside them in the file.
    EXPECT_LT(LargestLagInTheFile(j.output), 0.5) << name;
  }
}

// The parts start at the source's key frames (every 50 pictures here), but the joined picture has
// its key frames where one encoder puts them, every 12 pictures, and no more: each part starts
// where the encoder starts a group of pictures.
TEST_F(Converter, LongPictureKeepsOneEncodersKeyFrames) {
  Job j{F() / "moving.mp4", F() / "out-moving.mp4", "mp4", ecMpeg4, 320, 240, 400000, 400000,
        ecMp3, 2, 44100, 128000};
  ASSERT_EQ(Convert(j), 0);
  std::vector<int> grid;
  for (int n = 0; n < 500; n += 12) grid.push_back(n);
  EXPECT_EQ(KeyFramePictures(j.output), grid);
  EXPECT_EQ(CountFrames(j.output), 500);
}

// A range that starts inside a group of pictures, whose pictures are decoded out of their order
// (B-frames) or not: the first picture is the one on show at the start, and the rest follow.
TEST_F(Converter, RangeInsideAGroupOfPicturesStartsWithItsOwnPicture) {
  for (const char* name : {"numbered.mp4", "numbered-bframes.mp4"}) {
    for (int firstPicture : {2, 26, 27}) {  // B-frames (2, 26) and a key frame (27) of numbered-bframes.mp4
      Job j{F() / name, F() / "in-group.mp4", "mp4", ecMpeg4, 320, 240, 400000, 1000000};
      j.start = firstPicture * kSecond / 25, j.length = 2 * kSecond;
      ASSERT_EQ(Convert(j), 0) << name << " from " << firstPicture;
      EXPECT_EQ(CountFrames(j.output), 50) << name << " from " << firstPicture;
      EXPECT_EQ(MisplacedPictures(j.input, j.output, firstPicture), "") << name << " from " << firstPicture;
    }
  }
}

// Sound alone of a minute or more is encoded in parts side by side and joined; beside a picture cut
// into lanes it is read by a reader of its own. Either way the MP3 plays every sample of the source
// in place, with no click where parts meet. Each stretch of 1152 samples is compared with the
// source, beside the same stretch of the ffmpeg command line's single-encoder MP3 in the same
// container.
TEST_F(Converter, SoundInPartsJoinsWithoutAGapOrAClick) {
  const std::string sound = F() / "tone-noise.wav", clip = F() / "tone-noise.mov";
  ASSERT_TRUE(MakeMedia(sound, "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=64 -f lavfi -i "
                        "anoisesrc=color=pink:amplitude=0.1:sample_rate=44100:duration=64 "
                        "-filter_complex amix=inputs=2 -ac 2 -c:a pcm_s16le"));
  ASSERT_TRUE(MakeMedia(clip, "-f lavfi -i testsrc=size=160x120:rate=25:duration=64 -i " + Quote(sound) +
                        " -c:v mpeg4 -q:v 5 -g 50 -c:a copy"));
  ASSERT_TRUE(MakeMedia(F() / "reference.mp3", "-i " + Quote(sound) + " -c:a libmp3lame -b:a 128k"));
  ASSERT_TRUE(MakeMedia(F() / "reference.mp4", "-i " + Quote(clip) + " -c:v copy -c:a libmp3lame -b:a 128k"));
  struct {
    std::string source;
    const char* format;
    int vcodec;   // 0: sound alone
    int padding;  // samples the last MP3 frame may add: MP4 keeps the encoder's padding, MP3 states it
  } sources[] = {{sound, "mp3", 0, 0}, {clip, "mp4", ecMpeg4, 1151}};
  for (int64_t start : {int64_t(0), 3 * kSecond / 2}) {
    for (const auto& from : sources) {
      const std::string& source = from.source;
      const std::string reference = F() / (std::string("reference.") + from.format);
      Job j{source, F() / (std::string("parts.") + from.format), from.format};
      if (from.vcodec) j.vcodec = from.vcodec, j.width = 160, j.height = 120, j.frameDuration = 400000, j.vbitrate = 200000;
      j.acodec = ecMp3, j.channels = 2, j.rate = 44100, j.abitrate = 128000;
      j.start = start;
      ASSERT_EQ(Convert(j), 0) << source << " from " << start;
      auto samples = [](const std::string& path) {
        std::vector<uint8_t> raw = Decode(path, "-ac 1 -f s16le");
        std::vector<int16_t> values(raw.size() / 2);
        for (size_t i = 0; i < values.size(); ++i) values[i] = int16_t(raw[2 * i] | raw[2 * i + 1] << 8);
        return values;
      };
      std::vector<int16_t> in = samples(sound), out = samples(j.output), single = samples(reference);
      size_t skip = size_t(start * 44100 / kSecond);
      ASSERT_LE(std::abs(double(out.size() + skip) - double(single.size())), from.padding) << source << " from " << start;
      auto error = [](const std::vector<int16_t>& x, size_t from, const std::vector<int16_t>& y, size_t at) {
        double sum = 0;
        for (size_t i = 0; i < 1152; ++i) sum += std::pow(double(x[from + i]) - y[at + i], 2);
        return std::sqrt(sum / 1152);
      };
      int worse = 0;
      double worst = 0;
      for (size_t at = 0; at + 1152 <= std::min(out.size(), in.size() - skip); at += 1152) {
        double joined = error(out, at, in, skip + at), alone = error(single, skip + at, in, skip + at);
        worst = std::max(worst, joined / (alone + 20));
        worse += joined > 1.5 * alone + 20;
      }
      EXPECT_EQ(worse, 0) << source << " from " << start << ": worst error against the single encoder's " << worst;
    }
  }
}

// The input list takes the probe's length as the clip's range, and that range gives the whole clip
// also when no header states the length.
TEST_F(Converter, WholeClipOfAFileWithUnstatedLengthConvertsWhole) {
  for (const char* name : kUnstatedLengthFiles) {
    ASSERT_EQ(MediaInfo_OpenFile(WinPath(F() / name).c_str()), 0);
    int64_t duration = 0;
    ASSERT_EQ(MediaInfo_GetDur(&duration), 0);
    Job j{F() / name, F() / (std::string(name) + ".wav"), "wav"};
    j.acodec = ecPcmS16le;
    j.length = duration;
    ASSERT_EQ(Convert(j), 0) << name;
    EXPECT_NEAR(DecodedAudioSeconds(j.output), 6.0, 0.05) << name;
  }
}

// The sound pauses for a second where packets are missing: every output keeps the pause as
// silence, so what follows is heard at its time.
TEST_F(Converter, PauseInTheSoundStaysSilence) {
  ASSERT_TRUE(MakeMedia(F() / "tone.mkv", "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=4 -ac 2 -c:a aac"));
  ASSERT_TRUE(MakeMedia(F() / "paused.mkv", "-i " + Quote(F() / "tone.mkv") +
                        " -c copy -bsf:a \"noise=drop='between(pts,1000,2000)'\""));
  struct {
    const char* format;
    const char* ext;
    int acodec, bitRate;
  } outputs[] = {{"mp3", "mp3", ecMp3, 128000}, {"adts", "aac", ecAac, 128000}, {"wav", "wav", ecPcmS16le, 0},
                 {"mp4", "m4a", ecAac, 128000}};
  for (const auto& o : outputs) {
    Job j{F() / "paused.mkv", F() / (std::string("paused.") + o.ext), o.format};
    j.acodec = o.acodec, j.channels = 2, j.rate = 44100, j.abitrate = o.bitRate;
    ASSERT_EQ(Convert(j), 0) << o.ext;
    std::vector<int16_t> heard = HeardSamples(j.output);
    EXPECT_NEAR(heard.size() / 44100.0, 4.0, 0.1) << o.ext;
    EXPECT_LT(RmsBetween(heard, 1.1, 1.9), 50) << o.ext;
    EXPECT_GT(RmsBetween(heard, 2.1, 3.9), 1000) << o.ext;  // the tone: an RMS of 2900
  }
}

// A raw H.264 stream has no timestamps, only frame durations; at the end of the job the position
// stays where the conversion got to, which is the length the probe measured.
TEST_F(Converter, PositionStaysAtTheEndOfARawStream) {
  ASSERT_TRUE(MakeMedia(F() / "raw.h264", "-f lavfi -i testsrc=size=320x240:rate=25:duration=2 -c:v libx264 -f h264"));
  ASSERT_EQ(MediaInfo_OpenFile(WinPath(F() / "raw.h264").c_str()), 0);
  int64_t duration = -1;
  ASSERT_EQ(MediaInfo_GetDur(&duration), 0);
  ASSERT_EQ(duration, 2 * kSecond);
  Job j{F() / "raw.h264", F() / "from-raw.mp4", "mp4", ecMpeg4, 320, 240, 400000, 1000000};
  ASSERT_EQ(Convert(j), 0);
  for (int poll = 0; poll < 2; ++poll) {
    int64_t position = 0;
    ASSERT_EQ(MediaConv_GetCurrentPosition(&position), 0);
    EXPECT_EQ(position, 2 * kSecond);
    Sleep(300);  // the progress window's next poll
  }
}

// A stream the output was to have but that got nothing (here the sound ends before the range
// starts) fails the job instead of leaving a file that only looks converted.
TEST_F(Converter, AnOutputStreamLeftEmptyFailsTheJob) {
  ASSERT_TRUE(MakeMedia(F() / "short-sound.avi",
                        "-f lavfi -i testsrc=size=320x240:rate=25:duration=4 -f lavfi -i "
                        "sine=frequency=440:sample_rate=44100:duration=1 -c:v mpeg4 -c:a libmp3lame"));
  Job cases[] = {
      {F() / "short-sound.avi", F() / "empty-sound.mp4", "mp4", ecMpeg4, 320, 240, 400000, 1000000, ecMp3, 2, 44100, 128000},
      {F() / "short-sound.avi", F() / "empty-sound.mp3", "mp3", 0, 0, 0, 0, 0, ecMp3, 2, 44100, 128000},
  };
  for (Job& j : cases) {
    std::set<std::string> before = FilesIn(F().Path());
    j.start = 2 * kSecond, j.length = kSecond;
    EXPECT_EQ(Convert(j), 6) << j.output;
    EXPECT_EQ(FilesIn(F().Path()), before) << "neither the output nor its temporary file stays";
  }
}

// The log a user sends says why a job failed: the stage, the stream and FFmpeg's own error text.
// A file size limit on the process makes the output's writes fail midway with a real error.
TEST_F(Converter, AFailureLogsItsStageStreamAndCause) {
  struct Case {
    Job job;
    rlim_t fileSizeLimit;  // RLIM_INFINITY: none
    const char* expected[3];
  } cases[] = {
      {{F() / "long.mp4", F() / "limited.mp4", "mp4", ecMpeg4, 640, 360, 400000, 1000000}, 200000,
       {"writing", "the picture (input stream 0)", "File too large"}},
      {{F() / "short-sound.avi", F() / "empty-sound.mp3", "mp3", 0, 0, 0, 0, 0, ecMp3, 2, 44100, 128000},
       RLIM_INFINITY,
       {"nothing was written", "the sound (input stream 1)", "no error code"}},
  };
  cases[1].job.start = 2 * kSecond, cases[1].job.length = kSecond;
  ASSERT_TRUE(MakeMedia(F() / "short-sound.avi",
                        "-f lavfi -i testsrc=size=320x240:rate=25:duration=4 -f lavfi -i "
                        "sine=frequency=440:sample_rate=44100:duration=1 -c:v mpeg4 -c:a libmp3lame"));
  signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG instead of ending us
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  for (const Case& c : cases) {
    std::string log = F() / "failure.log";
    ASSERT_EQ(LogSetFileByName(WinPath(log).c_str()), 0);
    ASSERT_EQ(LogSetLevel(2), 0);
    rlimit limited{c.fileSizeLimit, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    int status = Convert(c.job);
    setrlimit(RLIMIT_FSIZE, &saved);
    LogClose();
    EXPECT_NE(status, 0) << c.job.output;
    std::string text = Shell("grep 'conversion failed' " + Quote(log));
    for (const char* part : c.expected) EXPECT_NE(text.find(part), std::string::npos) << part << " in: " << text;
    unlink(log.c_str());
  }
  LogToFileFromEnvironment();
}

// ---- running, pausing, cancelling, snapshots ------------------------------------------------

TEST_F(Converter, PauseHoldsTheJobAndContinueFinishesIt) {
  Job j{F() / "long.mp4", F() / "paused.mp4", "mp4", ecMpeg4, 640, 360, 400000, 1000000, ecMp3, 2, 44100, 128000};
  ASSERT_EQ(Configure(j), 0);
  ASSERT_EQ(MediaConv_Run(), 0);
  int64_t before = 0, during = 0, after = 0;
  ASSERT_TRUE(UnderWay());
  ASSERT_EQ(MediaConv_Pause(), 0);
  MediaConv_GetCurrentPosition(&before);  // held from the moment Pause returns
  Sleep(500);  // room for a job that is not held to move on
  MediaConv_GetCurrentPosition(&during);
  uint8_t finished = 1, outcome = 0;
  MediaConv_WaitFor(&finished, &outcome);
  EXPECT_EQ(finished, 0) << "a paused job has not ended";
  EXPECT_EQ(during, before);
  EXPECT_GT(before, 0);
  EXPECT_LT(before, 20 * kSecond);
  ASSERT_EQ(MediaConv_Continue(), 0);
  EXPECT_EQ(WaitForJob(), 0);
  MediaConv_GetCurrentPosition(&after);
  EXPECT_EQ(after, 20 * kSecond);
  EXPECT_EQ(CountFrames(j.output), 500);
}

TEST_F(Converter, CancelStopsAtOnceAndLeavesNoFile) {
  for (bool paused : {false, true}) {
    Job j{F() / "long.mp4", F() / "cancelled.mp4", "mp4", ecMpeg4, 640, 360, 400000, 1000000, ecMp3, 2, 44100, 128000};
    std::set<std::string> before = FilesIn(F().Path());
    ASSERT_EQ(Configure(j), 0);
    ASSERT_EQ(MediaConv_Run(), 0);
    ASSERT_TRUE(UnderWay());
    if (paused) MediaConv_Pause();
    ASSERT_EQ(MediaConv_Cancel(), 0);
    uint8_t finished = 0, outcome = 9;
    MediaConv_WaitFor(&finished, &outcome);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(outcome, 0);
    EXPECT_FALSE(Exists(j.output));
    EXPECT_EQ(FilesIn(F().Path()), before) << "no partial or temporary file stays behind";
  }
}

TEST_F(Converter, SnapshotIsTheEncodedFrameInTheEnginesBuffer) {
  uint8_t* pixels = reinterpret_cast<uint8_t*>(1);
  int32_t size = -1, width = -1, height = -1;
  // Before anything ran there is no frame.
  ASSERT_EQ(MediaConv_AddInputFile(WinPath(F() / "quarters.mp4").c_str()), 0);
  ASSERT_EQ(MediaConv_GetSnap(&pixels, &size, &width, &height), 0);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(pixels, nullptr);
  Job j{F() / "quarters.mp4", F() / "snap.mp4", "mp4", ecMpeg4, 480, 320, 400000, 2000000};
  ASSERT_EQ(Convert(j), 0);
  ASSERT_EQ(MediaConv_GetSnap(&pixels, &size, &width, &height), 0);
  ASSERT_EQ(width, 480);
  ASSERT_EQ(height, 320);
  ASSERT_EQ(size, 480 * 320 * 4);
  ASSERT_NE(pixels, nullptr);
  // Rows from the top, bytes B, G, R: the top right is blue, the bottom left red.
  const uint8_t* topRight = pixels + (10 * 480 + 400) * 4;
  const uint8_t* bottomLeft = pixels + (300 * 480 + 20) * 4;
  EXPECT_GT(topRight[0], 200);
  EXPECT_LT(topRight[2], 40);
  EXPECT_GT(bottomLeft[2], 200);
  EXPECT_LT(bottomLeft[0], 40);
  // An audio-only job has no picture.
  Job sound{F() / "clip.avi", F() / "snap.mp3", "mp3"};
  sound.acodec = ecMp3;
  ASSERT_EQ(Convert(sound), 0);
  ASSERT_EQ(MediaConv_GetSnap(&pixels, &size, &width, &height), 0);
  EXPECT_EQ(size, 0);
}

TEST_F(Converter, IdleCallsSucceedAndReportFinished) {
  ASSERT_EQ(MediaConv_Cancel(), 0);
  ASSERT_EQ(MediaConv_Cancel(), 0);
  EXPECT_EQ(MediaConv_Pause(), 0);
  EXPECT_EQ(MediaConv_Continue(), 0);
  uint8_t finished = 0, outcome = 0;
  EXPECT_EQ(MediaConv_WaitFor(&finished, &outcome), 0);
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(MediaConv_WaitFor(&finished, nullptr), 0);
  int64_t position = -1;
  EXPECT_EQ(MediaConv_GetCurrentPosition(&position), 0);
}

TEST_F(Converter, NextJobStartsRightAfterTheLast) {
  Job first{F() / "clip.avi", F() / "first.mp3", "mp3"};
  first.acodec = ecMp3;
  Job second{F() / "clip.avi", F() / "second.wav", "wav"};
  second.acodec = ecPcmS16le;
  ASSERT_EQ(Convert(first), 0);
  ASSERT_EQ(Convert(second), 0);  // no reset call in between, nothing of the first job carries over
  EXPECT_EQ(Probe(second.output, "stream=codec_name", "a:0"), "pcm_s16le");
  EXPECT_EQ(Probe(second.output, "stream=codec_name", "v:0"), "");
}

TEST_F(Converter, NamesWithSpacesAmpersandsAndAccents) {
  std::string input = F() / "my clip & \xC3\xA9t\xC3\xA9.avi";  // UTF-8 on disk
  ASSERT_TRUE(Sh("cp " + Quote(F() / "clip.avi") + " " + Quote(input)));
  std::string winInput = WinPath(input);
  ASSERT_NE(winInput.find("\xE9t\xE9"), std::string::npos) << "the program passes code page 1252";
  Job j{input, F() / "out & \xC3\xA9.mp3", "mp3"};
  j.acodec = ecMp3;
  ASSERT_EQ(Convert(j), 0);
  EXPECT_EQ(Probe(j.output, "stream=codec_name", "a:0"), "mp3");
}

// ---- refusals ---------------------------------------------------------------------------------

TEST_F(Converter, BadInputsGiveAStatus) {
  const TempFolder& f = F();
  ASSERT_TRUE(Sh("touch " + Quote(f / "empty.avi")));
  ASSERT_TRUE(Sh("printf 'just some words\\nin a text file\\n' > " + Quote(f / "notes.txt")));
  ASSERT_TRUE(Sh("cp " + Quote(f / "notes.txt") + " " + Quote(f / "words.avi")));
  ASSERT_TRUE(Sh("printf '1\\n00:00:00,000 --> 00:00:01,000\\nhello\\n' > " + Quote(f / "subtitles.srt")));
  ASSERT_TRUE(Sh("head -c 30000 " + Quote(f / "long.mp4") + " > " + Quote(f / "cut.mp4")));
  struct {
    std::string path;
    int status;
  } cases[] = {
      {f / "missing.avi", 1}, {f.Path(), 1},           {f / "empty.avi", 3},
      {f / "notes.txt", 3},   {f / "words.avi", 3},     {f / "subtitles.srt", 3},
      {f / "cut.mp4", 3},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MediaConv_AddInputFile(WinPath(c.path).c_str()), c.status) << c.path;
  EXPECT_EQ(MediaConv_AddInputFile(""), 1);
  EXPECT_EQ(MediaConv_AddInputFile(nullptr), 1);
  EXPECT_EQ(MediaConv_AddInputDVD(WinPath(f.Path()).c_str(), 0, 0, -1), 3);
  EXPECT_EQ(MediaConv_Run(), 1) << "no input";
}

TEST_F(Converter, TruncatedInputConvertsWhatIsThere) {
  // A stream format without an index: the cut file opens and converts up to the cut.
  ASSERT_TRUE(MakeClip(F() / "whole.ts", 320, 240, 25, 3, "-c:v mpeg2video -c:a mp2"));
  ASSERT_TRUE(Sh("head -c 150000 " + Quote(F() / "whole.ts") + " > " + Quote(F() / "cut.ts")));
  Job j{F() / "cut.ts", F() / "from-cut.mp4", "mp4", ecMpeg4, 320, 240, 400000, 500000, ecAac, 2, 44100, 96000};
  ASSERT_EQ(Convert(j), 0);
  int frames = CountFrames(j.output);
  EXPECT_GT(frames, 0);
  EXPECT_LT(frames, 75);
}

TEST_F(Converter, OutputsThatCannotBeWrittenGiveStatusTwo) {
  const TempFolder& f = F();
  ASSERT_EQ(MediaConv_AddInputFile(WinPath(f / "clip.avi").c_str()), 0);
  std::string cases[] = {
      f / "no such folder/out.mp4",  // folder missing
      f / "clip.avi/out.mp4",        // "folder" is a file
      "/proc/out.mp4",               // not writable, also for the super-user
      f / "clip.avi",                // the input itself
      f.Path(),                      // a folder
  };
  for (const std::string& path : cases)
    EXPECT_EQ(MediaConv_CreateOutput(WinPath(path).c_str(), "mp4"), 2) << path;
  EXPECT_EQ(MediaConv_CreateOutput("", "mp4"), 2);
  if (geteuid() != 0) {
    ASSERT_TRUE(Sh("mkdir -p " + Quote(f / "locked") + " && chmod 555 " + Quote(f / "locked")));
    EXPECT_EQ(MediaConv_CreateOutput(WinPath(f / "locked/out.mp4").c_str(), "mp4"), 2);
  }
  EXPECT_EQ(MediaConv_Run(), 2) << "no output";
  EXPECT_FALSE(Exists(f / "clip.avi/out.mp4"));
}

TEST_F(Converter, ParametersTheFormatCannotTakeGiveAStatus) {
  const TempFolder& f = F();
  auto setUp = [&](const char* format, const char* input = "clip.avi") {
    EXPECT_EQ(MediaConv_AddInputFile(WinPath(f / input).c_str()), 0);
    EXPECT_EQ(MediaConv_CreateOutput(WinPath(f / "params.out").c_str(), format), 0);
  };
  EXPECT_EQ(MediaConv_AddInputFile(WinPath(f / "clip.avi").c_str()), 0);
  EXPECT_EQ(MediaConv_CreateOutput(WinPath(f / "x.out").c_str(), "nonsense"), 3);
  EXPECT_EQ(MediaConv_CreateOutput(WinPath(f / "x.out").c_str(), "null"), 3);

  setUp("mp3");
  EXPECT_EQ(MediaConv_SetAudio(ecAac, 2, 44100, 96000), 6) << "AAC in an MP3 file";
  EXPECT_EQ(MediaConv_SetAudio(ecMp3, 2, 12345, 96000), 6) << "a rate MP3 does not have";
  EXPECT_EQ(MediaConv_SetAudio(ecMp3, 9, 44100, 96000), 6) << "channels MP3 does not have";
  EXPECT_EQ(MediaConv_SetAudio(999, 2, 44100, 96000), 5) << "unknown codec id";
  EXPECT_EQ(MediaConv_SetAudio(ecMpeg4, 2, 44100, 96000), 5) << "a video codec as audio";
  EXPECT_EQ(MediaConv_SetVideo(ecMpeg4, 320, 240, 400000, 500000), 6) << "video in an MP3 file";
  EXPECT_EQ(MediaConv_SetAudio(ecMp3, 2, 44100, 96000), 0);

  setUp("wav");
  EXPECT_EQ(MediaConv_SetVideo(ecMpeg4, 320, 240, 400000, 500000), 6);
  setUp("3gp");
  EXPECT_EQ(MediaConv_SetVideo(ecH263, 500, 300, 400000, 500000), 6) << "H.263 has fixed sizes";
  EXPECT_EQ(MediaConv_SetVideo(ecH263, 176, 144, 400000, 128000), 0);
  setUp("mp4");
  EXPECT_EQ(MediaConv_SetVideo(ecMpeg4, -2, 240, 400000, 500000), 6);
  EXPECT_EQ(MediaConv_SetVideo(ecMpeg4, 320, 0, 400000, 500000), 6);
  EXPECT_EQ(MediaConv_SetVideo(ecMpeg4, 320, 240, -1, 500000), 6);
  EXPECT_EQ(MediaConv_SetVideo(ecMp3, 320, 240, 400000, 500000), 5);
  EXPECT_EQ(MediaConv_SetVolume(501), 6);
  EXPECT_EQ(MediaConv_SetVolume(-1), 6);
  EXPECT_EQ(MediaConv_SetBrightness(128), 6);
  EXPECT_EQ(MediaConv_SetContrast(-128), 6);
  EXPECT_EQ(MediaConv_SetAspect(-4, 3), 6);
  EXPECT_EQ(MediaConv_SetCrop(100, 0, 100, 240), 6) << "empty crop";
  EXPECT_EQ(MediaConv_SetCrop(300, 200, 10, 20), 6) << "left beyond right";
  EXPECT_EQ(MediaConv_SetCrop(-50, -50, 5000, 5000), 0) << "clamped to the frame";
  EXPECT_EQ(MediaConv_SetRange(-1, kSecond), 6);
  EXPECT_EQ(MediaConv_SetRange(0, -kSecond), 6);
  EXPECT_EQ(MediaConv_SetRange(10 * kSecond, 0), 6) << "start beyond the end";
  EXPECT_EQ(MediaConv_SetRange(kSecond, 100 * kSecond), 0) << "a length past the end stops at the end";

  setUp("mp3", "silent.mp4");
  EXPECT_EQ(MediaConv_SetAudio(ecMp3, 2, 44100, 96000), 0);
  EXPECT_EQ(MediaConv_Run(), 6) << "sound asked of a file without sound";
  EXPECT_FALSE(Exists(f / "params.out"));
}
