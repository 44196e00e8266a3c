// Every output format the catalogue may name, each with settings of its kind: what comes out is
// checked with ffprobe (container, codecs, size, frame rate, length, sound).
#include "calderan_test.h"
#include "ConvertJob.h"
#include "EngineCodecs.h"

using namespace enginetest;

namespace {

TempFolder* gFolder = nullptr;
constexpr double kClipSeconds = 2;

class Converter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gFolder = new TempFolder();
    LogToFileFromEnvironment();
    ASSERT_TRUE(MakeClip(*gFolder / "clip.avi", 320, 240, 25, kClipSeconds));
  }
  static void TearDownTestSuite() {
    delete gFolder;
    gFolder = nullptr;
  }
  const TempFolder& F() const { return *gFolder; }
};

}  // namespace

// ---- profiles and formats --------------------------------------------------------------------

struct FormatCase {
  const char* name;
  const char* format;
  const char* ext;
  int vcodec, width, height;
  int64_t frameDuration;
  int vbitrate, acodec, channels, rate, abitrate;
  const char* container;  // ffprobe format_name
  const char* videoName;  // ffprobe codec_name, "" = no video
  const char* audioName;
  double fps;
};

const FormatCase kFormats[] = {
    {"iPhone", "mp4", "mp4", ecMpeg4, 480, 320, 333666, 1000000, ecMp3, 2, 44100, 128000,
     "mov,mp4,m4a,3gp,3g2,mj2", "mpeg4", "mp3", 30000.0 / 1001},
    {"MP3", "mp3", "mp3", 0, 0, 0, 0, 0, ecMp3, 2, 44100, 96000, "mp3", "", "mp3", 0},
    {"AAC", "adts", "aac", 0, 0, 0, 0, 0, ecAac, 2, 44100, 96000, "aac", "", "aac", 0},
    {"WAV", "wav", "wav", 0, 0, 0, 0, 0, ecPcmS16le, 2, 44100, 0, "wav", "", "pcm_s16le", 0},
    {"M4A", "mp4", "m4a", 0, 0, 0, 0, 0, ecAac, 2, 48000, 128000, "mov,mp4,m4a,3gp,3g2,mj2", "", "aac", 0},
    {"MonoLowRateMP3", "mp3", "mp3", 0, 0, 0, 0, 0, ecMp3, 1, 11025, 16000, "mp3", "", "mp3", 0},
    {"AVI", "avi", "avi", ecMsMpeg4V3, 320, 240, 400000, 800000, ecMp3, 2, 44100, 128000, "avi", "msmpeg4v3", "mp3", 25},
    {"FLV", "flv", "flv", ecFlv1, 320, 240, 400000, 500000, ecMp3, 2, 44100, 64000, "flv", "flv1", "mp3", 25},
    {"MPEG1", "mpeg", "mpg", ecMpeg1Video, 352, 240, 333666, 1150000, ecMp2, 2, 44100, 224000, "mpeg", "mpeg1video", "mp2", 30000.0 / 1001},
    {"VOB", "dvd", "vob", ecMpeg2Video, 720, 480, 333666, 4000000, ecAc3, 2, 48000, 192000, "mpeg", "mpeg2video", "ac3", 30000.0 / 1001},
    {"WMV", "asf", "wmv", ecWmv2, 320, 240, 400000, 500000, ecWmav2, 2, 44100, 64000, "asf", "wmv2", "wmav2", 25},
    {"3GP", "3gp", "3gp", ecH263, 176, 144, 666666, 128000, ecAac, 1, 22050, 32000, "mov,mp4,m4a,3gp,3g2,mj2", "h263", "aac", 15},
    {"MKV", "matroska", "mkv", ecH264, 320, 240, 400000, 500000, ecVorbis, 2, 44100, 96000, "matroska,webm", "h264", "vorbis", 25},
    {"MOV", "mov", "mov", ecMpeg4, 320, 240, 417083, 700000, ecAac, 2, 44100, 128000, "mov,mp4,m4a,3gp,3g2,mj2", "mpeg4", "aac", 24000.0 / 1001},
    {"DV", "dv", "dv", ecDvVideo, 720, 576, 400000, 0, ecPcmS16le, 2, 48000, 0, "dv", "dvvideo", "pcm_s16le", 25},
    {"IPOD", "ipod", "m4v", ecMpeg4, 320, 240, 333666, 768000, ecAac, 2, 44100, 128000, "mov,mp4,m4a,3gp,3g2,mj2", "mpeg4", "aac", 30000.0 / 1001},
    {"PSP", "psp", "mp4", ecH264, 320, 240, 333666, 768000, ecAac, 2, 48000, 128000, "mov,mp4,m4a,3gp,3g2,mj2", "h264", "aac", 30000.0 / 1001},
    {"3G2", "3g2", "3g2", ecMpeg4, 176, 144, 666666, 128000, ecAac, 1, 22050, 32000, "mov,mp4,m4a,3gp,3g2,mj2", "mpeg4", "aac", 15},
    {"VCD", "vcd", "mpg", ecMpeg1Video, 352, 288, 400000, 1150000, ecMp2, 2, 44100, 224000, "mpeg", "mpeg1video", "mp2", 25},
    {"SVCD", "svcd", "mpg", ecMpeg2Video, 480, 576, 400000, 2500000, ecMp2, 2, 44100, 224000, "mpeg", "mpeg2video", "mp2", 25},
    {"TS", "mpegts", "ts", ecMpeg2Video, 320, 240, 400000, 1000000, ecMp2, 2, 48000, 192000, "mpegts", "mpeg2video", "mp2", 25},
    {"MJPEG", "avi", "avi", ecMjpeg, 320, 240, 400000, 4000000, ecPcmS16le, 1, 22050, 0, "avi", "mjpeg", "pcm_s16le", 25},
    {"WMV7", "asf", "wmv", ecWmv1, 320, 240, 400000, 500000, ecWmav1, 2, 44100, 64000, "asf", "wmv1", "wmav1", 25},
    {"H263Plus", "avi", "avi", ecH263Plus, 352, 288, 400000, 500000, ecMp3, 2, 44100, 96000, "avi", "h263", "mp3", 25},
    {"OGG", "ogg", "ogg", 0, 0, 0, 0, 0, ecVorbis, 2, 44100, 128000, "ogg", "", "vorbis", 0},
    {"AC3", "ac3", "ac3", 0, 0, 0, 0, 0, ecAc3, 2, 48000, 192000, "ac3", "", "ac3", 0},
    {"MP2", "mpeg", "mpa", 0, 0, 0, 0, 0, ecMp2, 2, 44100, 192000, "mpeg", "", "mp2", 0},
};

void PrintTo(const FormatCase& c, std::ostream* out) { *out << c.name; }

class ConverterFormats : public Converter, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(ConverterFormats, WritesTheFormatWithItsSettings) {
  const FormatCase& c = GetParam();
  Job j;
  j.input = F() / "clip.avi";
  j.output = F() / (std::string("out-") + c.name + "." + c.ext);
  j.format = c.format;
  j.vcodec = c.vcodec, j.width = c.width, j.height = c.height, j.frameDuration = c.frameDuration;
  j.vbitrate = c.vbitrate, j.acodec = c.acodec, j.channels = c.channels, j.rate = c.rate, j.abitrate = c.abitrate;
  j.crop[2] = 320, j.crop[3] = 240;
  std::string before = Shell("md5sum < " + Quote(j.input));
  ASSERT_EQ(Convert(j), 0);
  EXPECT_EQ(Shell("md5sum < " + Quote(j.input)), before) << "the input must stay untouched";
  EXPECT_EQ(Probe(j.output, "format=format_name"), c.container);
  EXPECT_EQ(Probe(j.output, "stream=codec_name", "a:0"), c.audioName);
  EXPECT_EQ(ProbeNumber(j.output, "stream=sample_rate", "a:0"), c.rate);
  EXPECT_EQ(ProbeNumber(j.output, "stream=channels", "a:0"), c.channels);
  EXPECT_EQ(Probe(j.output, "stream=codec_name", "v:0"), c.videoName);
  // Pictures within one frame; sound within the codec's priming and last-frame padding.
  EXPECT_NEAR(DecodedAudioSeconds(j.output), kClipSeconds, 0.1);
  if (*c.videoName) {
    double source = ProbeNumber(j.input, "stream=duration", "v:0");
    EXPECT_EQ(ProbeNumber(j.output, "stream=width", "v:0"), c.width);
    EXPECT_EQ(ProbeNumber(j.output, "stream=height", "v:0"), c.height);
    EXPECT_NEAR(ProbeNumber(j.output, "stream=avg_frame_rate", "v:0"), c.fps, 0.01);
    EXPECT_NEAR(CountFrames(j.output) / c.fps, source, 1.0 / c.fps + 1e-6);
  }
  int64_t position = 0;
  EXPECT_EQ(MediaConv_GetCurrentPosition(&position), 0);
  EXPECT_NEAR(double(position), kClipSeconds * kSecond, 0.05 * kSecond);
}

INSTANTIATE_TEST_SUITE_P(Profiles, ConverterFormats, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

