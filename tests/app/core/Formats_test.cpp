#include "Formats.h"

#include <string>
#include <vector>

#include "CoreTestSupport.h"
#include "EngineCodecs.h"
#include "SysUtils.h"
#include "calderan_test.h"

namespace {

const char* kDevices = "iPhone,MP3,AAC,WAV,M4A";

struct TCounter : IObserver {
  int Updates = 0;
  void Update() override { ++Updates; }
};

class Profiles : public ::testing::Test {
 protected:
  void SetUp() override { RemoveSettings(); }
  void TearDown() override { RemoveSettings(); }
};

std::vector<int32_t> Ints(TXMLIntegerList* list) {
  std::vector<int32_t> v;
  for (int i = 0; i < list->Count(); ++i) v.push_back(list->Items(i));
  return v;
}
template <class L>
std::vector<std::string> Names(L* list) {
  std::vector<std::string> v;
  for (int i = 0; i < list->Count(); ++i) v.push_back(list->Items(i)->Name());
  return v;
}
using Strings = std::vector<std::string>;
using IntList = std::vector<int32_t>;

TEST_F(Profiles, CatalogueHoldsTwentyFourFormatsInIdOrder) {
  TFormats formats("");
  TXMLFormatsType* root = formats.XMLFormats();
  EXPECT_EQ(root->Version(), "1.0");
  const struct {
    int32_t id;
    const char* name;
  } expected[] = {{0, "AVI"},   {1, "VCD"},    {2, "SVCD"},   {3, "DVD"},      {4, "MPEG1"},      {5, "MPGE2"},
                  {6, "MP4"},   {7, "IPOD"},   {8, "PSP"},    {9, "Apple TV"}, {10, "iPhone"},    {11, "3GP"},
                  {12, "3GP2"}, {13, "MOV"},   {14, "WMV"},   {15, "Zune"},    {16, "Pocket PC"}, {17, "FLV"},
                  {18, "DV"},   {1000, "MP3"}, {1001, "AAC"}, {1002, "WMA"},   {1003, "WAV"},     {1004, "M4A"}};
  ASSERT_EQ(root->Count(), 24);
  for (int i = 0; i < 24; ++i) {
    EXPECT_EQ(root->Format(i)->ID(), expected[i].id) << i;
    EXPECT_EQ(root->Format(i)->Name(), expected[i].name) << i;
  }
}

// Every profile must be one the engine can write and the selection can point into.
TEST_F(Profiles, EveryFormatIsCompleteAndKnownToTheEngine) {
  TFormats formats("");
  TXMLFormatsType* root = formats.XMLFormats();
  for (int i = 0; i < root->Count(); ++i) {
    TXMLFormatType* f = root->Format(i);
    SCOPED_TRACE(f->Name());
    EXPECT_FALSE(f->Description().empty());
    EXPECT_TRUE(IsEngineOutputFormat(f->General()->OutFormat().c_str())) << f->General()->OutFormat();
    EXPECT_FALSE(f->General()->FileExt().empty());
    TXMLVideoType* v = f->Video();
    TXMLAudioType* a = f->Audio();
    ASSERT_GE(v->Codec()->Count(), 1);
    for (int c = 0; c < v->Codec()->Count(); ++c) {
      const int32_t id = v->Codec()->Items(c)->ID();
      if (id > 0) {
        ASSERT_NE(FindEngineCodec(id), nullptr) << id;
        EXPECT_EQ(FindEngineCodec(id)->kind, EngineCodecKind::Video) << id;
      }
    }
    ASSERT_NE(FindEngineCodec(a->Codec()->ID()), nullptr) << a->Codec()->ID();
    EXPECT_EQ(FindEngineCodec(a->Codec()->ID())->kind, EngineCodecKind::Audio);
    EXPECT_LT(v->DefSize(), v->Size()->Count());
    EXPECT_LT(v->DefBitRate(), v->BitRate()->Count());
    EXPECT_LT(v->DefFps(), v->Fps()->Count());
    EXPECT_LT(v->DefAspect(), v->Aspect()->Count());
    EXPECT_LT(a->DefBitRate(), a->BitRate()->Count());
    EXPECT_LT(a->DefSampleRate(), a->SampleRate()->Count());
    EXPECT_LT(a->DefChannels(), a->Channels()->Count());
    // Each selectable combination gives output parameters.
    formats.SetSelection({i, 0, 0, 0, 0, 0, 0, 0, 0});
    formats.SelectDefaults();
    EXPECT_NO_THROW(formats.GetCurrentOutputParams());
  }
}

TEST_F(Profiles, PhoneProfileContent) {
  TFormats formats(kDevices);
  TXMLFormatType* f = formats.XMLFormats()->Format(0);
  EXPECT_EQ(f->ID(), 10);
  EXPECT_EQ(f->Name(), "iPhone");
  EXPECT_EQ(f->Description(), "iPhone (*.mp4)");
  EXPECT_EQ(f->General()->OutFormat(), "mp4");
  EXPECT_EQ(f->General()->FileExt(), "mp4");
  TXMLVideoType* v = f->Video();
  EXPECT_EQ(Names(v->Codec()), (Strings{"MPEG4"}));
  EXPECT_EQ(v->Codec()->Items(0)->ID(), 13);
  EXPECT_EQ(Names(v->Size()), (Strings{"original", "320x192", "320x240", "480x320"}));
  const int sizes[4][2] = {{0, 0}, {320, 192}, {320, 240}, {480, 320}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(v->Size()->Items(i)->Width(), sizes[i][0]);
    EXPECT_EQ(v->Size()->Items(i)->Height(), sizes[i][1]);
  }
  EXPECT_EQ(Ints(v->BitRate()), (IntList{500, 600, 700, 800, 1000, 1200}));
  EXPECT_EQ(Names(v->Fps()), (Strings{"15", "23.976", "25", "29.97"}));
  const int fps[4][2] = {{15, 1}, {24000, 1001}, {25, 1}, {30000, 1001}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(v->Fps()->Items(i)->Den(), fps[i][0]);
    EXPECT_EQ(v->Fps()->Items(i)->Num(), fps[i][1]);
  }
  EXPECT_EQ(Names(v->Aspect()), (Strings{"4:3", "16:9"}));
  EXPECT_EQ(v->Aspect()->Items(1)->Den(), 16);
  EXPECT_EQ(v->Aspect()->Items(1)->Num(), 9);
  EXPECT_EQ((IntList{v->DefSize(), v->DefBitRate(), v->DefFps(), v->DefAspect()}), (IntList{3, 4, 3, 0}));
  TXMLAudioType* a = f->Audio();
  EXPECT_EQ(a->Codec()->Name(), "MP3");
  EXPECT_EQ(a->Codec()->ID(), 86017);
  EXPECT_EQ(Ints(a->BitRate()), (IntList{16000, 32000, 48000, 64000, 96000, 128000, 160000, 192000}));
  EXPECT_EQ(Ints(a->SampleRate()), (IntList{11025, 22050, 44100}));
  EXPECT_EQ(Names(a->Channels()), (Strings{"mono", "stereo"}));
  EXPECT_EQ(a->Channels()->Items(0)->Value(), 1);
  EXPECT_EQ(a->Channels()->Items(1)->Value(), 2);
  EXPECT_EQ((IntList{a->DefBitRate(), a->DefSampleRate(), a->DefChannels()}), (IntList{5, 2, 1}));
}

TEST_F(Profiles, AudioProfilesContent) {
  const IntList eight{16000, 32000, 48000, 64000, 96000, 128000, 160000, 192000};
  const struct {
    const char* name;
    int32_t id;
    const char* outFormat;
    const char* ext;
    const char* codec;
    int32_t codecId;
    IntList bitRates;
    int32_t defBitRate;
    IntList sampleRates;
    int32_t defSampleRate;
  } cases[] = {
      {"MP3", 1000, "mp3", "mp3", "MP3", 86017, eight, 4, {11025, 22050, 44100}, 2},
      {"AAC", 1001, "adts", "aac", "AAC", 86018, eight, 4, {11025, 22050, 44100}, 2},
      {"WAV", 1003, "wav", "wav", "PCM", 65536, {0}, 0, {11025, 22050, 24000, 32000, 44100, 48000}, 4},
      {"M4A", 1004, "mp4", "m4a", "AAC", 86018, {64000, 96000, 128000, 192000}, 2, {24000, 32000, 44100, 48000}, 3},
  };
  TFormats formats(kDevices);
  ASSERT_EQ(formats.XMLFormats()->Count(), 5);
  for (int i = 0; i < 4; ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(c.name);
    TXMLFormatType* f = formats.XMLFormats()->Format(i + 1);
    EXPECT_EQ(f->Name(), c.name);
    EXPECT_EQ(f->ID(), c.id);
    EXPECT_EQ(f->Description(), "AVI Audio-Video Interleaved (*.avi)");
    EXPECT_EQ(f->General()->OutFormat(), c.outFormat);
    EXPECT_EQ(f->General()->FileExt(), c.ext);
    TXMLVideoType* v = f->Video();
    ASSERT_EQ(v->Codec()->Count(), 1);
    EXPECT_EQ(v->Codec()->Items(0)->ID(), 0);
    EXPECT_EQ(v->Codec()->Items(0)->Name(), "MS MPEG4 V3");
    EXPECT_EQ(Names(v->Size()), (Strings{"original"}));
    EXPECT_EQ(v->Size()->Items(0)->Width(), 0);
    EXPECT_EQ(Ints(v->BitRate()), (IntList{300}));
    EXPECT_EQ(Names(v->Fps()), (Strings{"original"}));
    EXPECT_EQ(v->Fps()->Items(0)->Den(), 0);
    EXPECT_EQ(v->Fps()->Items(0)->Num(), 0);
    EXPECT_EQ(Names(v->Aspect()), (Strings{"4:3", "16:9"}));
    EXPECT_EQ((IntList{v->DefSize(), v->DefBitRate(), v->DefFps(), v->DefAspect()}), (IntList{0, 0, 0, 0}));
    TXMLAudioType* a = f->Audio();
    EXPECT_EQ(a->Codec()->Name(), c.codec);
    EXPECT_EQ(a->Codec()->ID(), c.codecId);
    EXPECT_EQ(Ints(a->BitRate()), c.bitRates);
    EXPECT_EQ(a->DefBitRate(), c.defBitRate);
    EXPECT_EQ(Ints(a->SampleRate()), c.sampleRates);
    EXPECT_EQ(a->DefSampleRate(), c.defSampleRate);
    EXPECT_EQ(Names(a->Channels()), (Strings{"mono", "stereo"}));
    EXPECT_EQ(a->DefChannels(), 1);
  }
}

TEST_F(Profiles, ListIndexErrors) {
  TFormats formats(kDevices);
  TXMLFormatType* phone = formats.XMLFormats()->Format(0);
  ASSERT_EQ(phone->Audio()->BitRate()->Count(), 8);
  try {
    phone->Audio()->BitRate()->Items(8);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (8)");
  }
  EXPECT_THROW(formats.XMLFormats()->Format(5), EListError);
  EXPECT_THROW(phone->Video()->Size()->Items(-1), EListError);
}

TEST_F(Profiles, DeviceFilter) {
  struct Case {
    const char* devices;
    Strings kept;
  } cases[] = {
      {"iPhone,MP3,AAC,WAV,M4A", {"iPhone", "MP3", "AAC", "WAV", "M4A"}},
      {"M4A,WAV,AAC,MP3,iPhone", {"iPhone", "MP3", "AAC", "WAV", "M4A"}},  // catalogue order
      {"iphone,mp3", {}},                                                  // case-sensitive
      {"XMP3X", {"MP3"}},                                                  // inside a longer word
      {"DVD", {"DVD", "DV"}},
      {"Apple TV;Pocket PC", {"Apple TV", "Pocket PC"}},
  };
  for (const Case& c : cases) {
    TFormats formats("");
    formats.FilterByDevices(c.devices);
    Strings kept;
    for (int i = 0; i < formats.XMLFormats()->Count(); ++i) kept.push_back(formats.XMLFormats()->Format(i)->Name());
    EXPECT_EQ(kept, c.kept) << c.devices;
  }
  TFormats all("");
  all.FilterByDevices("");
  EXPECT_EQ(all.XMLFormats()->Count(), 24);
}

TEST_F(Profiles, DefaultSelectionAndOutputParamsWithoutSettings) {
  TFormats formats(kDevices);
  EXPECT_EQ(formats.GetSelection(), (TFormatSelection{0, 0, 4, 3, 3, 0, 5, 2, 1}));
  const FormatDetail d = formats.GetCurrentOutputParams();
  EXPECT_EQ(d.OutFormat, "mp4");
  EXPECT_EQ(d.FileExt, "mp4");
  EXPECT_EQ((IntList{d.RecordSize, d.Width, d.Height, d.FpsDen, d.FpsNum, d.AspectDen, d.AspectNum, d.VCodecID,
                     d.VBitrate, d.Channels, d.SampleRate, d.ACodecID, d.ABitrate}),
            (IntList{60, 480, 320, 30000, 1001, 4, 3, 13, 1000000, 2, 44100, 86017, 128000}));
}

TEST_F(Profiles, AudioProfileDefaults) {
  struct Case {
    int32_t format;
    const char* outFormat;
    IntList values;  // VCodecID Width Height FpsDen FpsNum ABitrate SampleRate Channels ACodecID
  } cases[] = {{1, "mp3", {0, 0, 0, 0, 0, 96000, 44100, 2, 86017}},
               {2, "adts", {0, 0, 0, 0, 0, 96000, 44100, 2, 86018}},
               {3, "wav", {0, 0, 0, 0, 0, 0, 44100, 2, 65536}},
               {4, "mp4", {0, 0, 0, 0, 0, 128000, 48000, 2, 86018}}};
  TFormats formats(kDevices);
  for (const Case& c : cases) {
    TFormatSelection s = formats.GetSelection();
    s.Format = c.format;
    formats.SetSelection(s);
    formats.SelectDefaults();
    const FormatDetail d = formats.GetCurrentOutputParams();
    EXPECT_EQ(d.OutFormat, c.outFormat);
    EXPECT_EQ(
        (IntList{d.VCodecID, d.Width, d.Height, d.FpsDen, d.FpsNum, d.ABitrate, d.SampleRate, d.Channels, d.ACodecID}),
        c.values)
        << c.format;
  }
}

TEST_F(Profiles, StoredSelections) {
  struct Case {
    const char* name;
    const char* text;
    TFormatSelection selection;
  } cases[] = {
      {"missing file", nullptr, {0, 0, 4, 3, 3, 0, 5, 2, 1}},
      {"empty file", "", {0, 0, 4, 3, 3, 0, 5, 2, 1}},
      {"garbled file", "\x01\x02\xff not an ini file\r\n[Formats\r\n=5\r\n", {0, 0, 4, 3, 3, 0, 5, 2, 1}},
      {"VBitrate -1 keeps the default, 0 selects the first",
       "[Formats]\r\nVBitrate=-1\r\nSize=0\r\nABitrate=0\r\n",
       {0, 0, 4, 0, 3, 0, 0, 2, 1}},
      {"abc reads as nothing stored", "[Formats]\r\nVBitrate=abc\r\n", {0, 0, 4, 3, 3, 0, 5, 2, 1}},
      {"a whole stored selection",
       "[Formats]\r\nFormat=4\r\nVCodec=0\r\nVBitrate=0\r\nSize=0\r\nFps=0\r\nAspect=1\r\n"
       "ABitrate=3\r\nSampleRate=0\r\nChannels=0\r\n",
       {4, 0, 0, 0, 0, 1, 3, 0, 0}},
      // Stale indexes: the defaults stand in for them instead of failing start-up or conversions.
      {"Format beyond the profiles", "[Formats]\r\nFormat=7\r\nVBitrate=1\r\n", {0, 0, 1, 3, 3, 0, 5, 2, 1}},
      {"Format written back as -1", "[Formats]\r\nFormat=-1\r\n", {0, 0, 4, 3, 3, 0, 5, 2, 1}},
      {"list indexes beyond their lists",
       "[Formats]\r\nFormat=1\r\nVCodec=1\r\nVBitrate=1\r\nSize=1\r\nFps=1\r\n"
       "Aspect=2\r\nABitrate=8\r\nSampleRate=3\r\nChannels=2\r\n",
       {1, 0, 0, 0, 0, 0, 4, 2, 1}},
  };
  for (const Case& c : cases) {
    if (c.text)
      WriteSettings(c.text);
    else
      RemoveSettings();
    std::unique_ptr<TFormats> formats;
    ASSERT_NO_THROW(formats = std::make_unique<TFormats>(kDevices)) << c.name;
    EXPECT_EQ(formats->GetSelection(), c.selection) << c.name;
    EXPECT_NO_THROW(formats->GetCurrentOutputParams()) << c.name;
    formats.reset();
    RemoveSettings();
  }
}

TEST_F(Profiles, SelectionIsWrittenBackAndReadAgain) {
  {
    TFormats formats(kDevices);
    formats.SetSelection({4, 0, 0, 0, 0, 1, 3, 0, 0});
  }
  const std::string text = ReadSettings();
  EXPECT_NE(text.find("[Formats]\r\nFormat=4\r\nVCodec=0\r\nVBitrate=0\r\nSize=0\r\nFps=0\r\nAspect=1\r\n"
                      "ABitrate=3\r\nSampleRate=0\r\nChannels=0\r\n"),
            std::string::npos)
      << text;
  TFormats again(kDevices);
  EXPECT_EQ(again.GetSelection(), (TFormatSelection{4, 0, 0, 0, 0, 1, 3, 0, 0}));
  // A typed profile name leaves -1 in the selection; it is written as it is and read back as the default.
  again.SetSelection({-1, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_THROW(again.GetCurrentOutputParams(), EListError);
}

TEST_F(Profiles, ChangesNotify) {
  TFormats formats(kDevices);
  TCounter counter;
  formats.Attach(&counter);
  formats.SelectDefaults();
  formats.SelectDefaults();                           // also when nothing changed
  formats.SetSelection({9, 9, 9, 9, 9, 9, 9, 9, 9});  // stored untested
  EXPECT_EQ(counter.Updates, 4);
  EXPECT_EQ(formats.GetSelection().Format, 9);
  EXPECT_THROW(formats.GetCurrentOutputParams(), EListError);
  EXPECT_THROW(formats.SelectDefaults(), EListError);
}

}  // namespace
