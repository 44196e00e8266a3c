#include "Convert.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "FakeEngine.h"
#include "calderan_test.h"

namespace {

using Calls = std::vector<std::string>;

struct TStates {
  std::vector<int32_t> Seen;
  bool Raise = false;
  void OnState(int32_t state) {
    Seen.push_back(state);
    if (Raise) throw EAbort("raised by the window");
  }
  TMediaStateEvent Event() { return MakeEvent(this, &TStates::OnState); }
};

class Bindings : public ::testing::Test {
 protected:
  void SetUp() override { Fake().Reset(); }
};

FormatDetail PhoneDetail() {
  FormatDetail d;
  d.OutFormat = "mp4";
  d.FileExt = "mp4";
  d.RecordSize = 60;
  d.Width = 480;
  d.Height = 320;
  d.FpsDen = 30000;
  d.FpsNum = 1001;
  d.AspectDen = 4;
  d.AspectNum = 3;
  d.VCodecID = 13;
  d.VBitrate = 1000000;
  d.Channels = 2;
  d.SampleRate = 44100;
  d.ACodecID = 86017;
  d.ABitrate = 128000;
  return d;
}

TTaskInfo& EditedTask(TTaskInfo& t) {
  t.Volume = 150;
  t.Brightness = 10;
  t.Contrast = -5;
  t.CropRect = {10, 20, 330, 260};
  t.StartTime = 10000000;
  t.EndTime = 30000000;
  return t;
}

TEST_F(Bindings, VideoJobCallsInOrderWithTheAspectOfEachLetterBoxMode) {
  struct Case {
    int32_t letterBox;
    const char* aspect;
  } cases[] = {{0, "MediaConv_SetAspect(480,320)"},
               {1, "MediaConv_SetAspect(320,240)"},  // the crop rectangle's size
               {2, "MediaConv_SetAspect(16,9)"},
               {3, "MediaConv_SetAspect(4,3)"},
               {7, "MediaConv_SetAspect(480,320)"}};
  for (const Case& c : cases) {
    Fake().Reset();
    TMediaConverter converter;
    TTaskInfo task;
    EditedTask(task).LetterBox = c.letterBox;
    TStates states;
    StartConversionJob(converter, "C:\\in put\\a&b.avi", "D:\\out\\a&b_avi.mp4", PhoneDetail(), task, states.Event());
    EXPECT_EQ(Fake().Calls,
              (Calls{"MediaConv_AddInputFile(\"C:\\in put\\a&b.avi\")",
                     "MediaConv_CreateOutput(\"D:\\out\\a&b_avi.mp4\",\"mp4\")", c.aspect, "MediaConv_SetVolume(150)",
                     "MediaConv_SetBrightness(10)", "MediaConv_SetContrast(-5)", "MediaConv_SetCrop(10,20,330,260)",
                     "MediaConv_SetVideo(13,480,320,333666,1000000)", "MediaConv_SetAudio(86017,2,44100,128000)",
                     "MediaConv_SetRange(10000000,20000000)", "MediaConv_Run()"}))
        << "letter box " << c.letterBox;
    EXPECT_TRUE(states.Seen.empty());  // Run reports nothing
    Fake().Calls.clear();
  }
}

TEST_F(Bindings, FrameDurationFromTheFrameRate) {
  struct Case {
    int32_t den, num;
    const char* video;
  } cases[] = {{30000, 1001, "MediaConv_SetVideo(13,480,320,333666,1000000)"},
               {25, 1, "MediaConv_SetVideo(13,480,320,400000,1000000)"},
               {24000, 1001, "MediaConv_SetVideo(13,480,320,417083,1000000)"},
               {15, 1, "MediaConv_SetVideo(13,480,320,666666,1000000)"},
               // an "original" rate (0/0) has no frame duration: the engine keeps the source's rate
               {0, 0, "MediaConv_SetVideo(13,480,320,0,1000000)"}};
  for (const Case& c : cases) {
    Fake().Reset();
    TMediaConverter converter;
    TTaskInfo task;
    FormatDetail d = PhoneDetail();
    d.FpsDen = c.den;
    d.FpsNum = c.num;
    StartConversionJob(converter, "in", "out", d, task, nullptr);
    ASSERT_EQ(Fake().Calls.size(), 11u);
    EXPECT_EQ(Fake().Calls[7], c.video) << c.den << "/" << c.num;
  }
}

TEST_F(Bindings, AudioOnlyJobPassesTheVolumeButNoVideoSettings) {
  FormatDetail d;
  d.OutFormat = "mp3";
  d.FileExt = "mp3";
  d.RecordSize = 60;
  d.Channels = 2;
  d.SampleRate = 44100;
  d.ACodecID = 86017;
  d.ABitrate = 96000;
  TMediaConverter converter;
  TTaskInfo task;
  EditedTask(task);
  StartConversionJob(converter, "song.wav", "song_wav.mp3", d, task, nullptr);
  EXPECT_EQ(
      Fake().Calls,
      (Calls{"MediaConv_AddInputFile(\"song.wav\")", "MediaConv_CreateOutput(\"song_wav.mp3\",\"mp3\")",
             "MediaConv_SetVolume(150)", "MediaConv_SetAudio(86017,2,44100,96000)",
             "MediaConv_SetRange(10000000,20000000)", "MediaConv_Run()"}));
}

TEST_F(Bindings, DiscTaskReadsTheDiscTitle) {
  TMediaConverter converter;
  TTaskInfo task;
  task.DiscId1 = 0;
  task.DiscId2 = 3;
  task.DiscId3 = 5;
  StartConversionJob(converter, "E:\\", "out", PhoneDetail(), task, nullptr);
  EXPECT_EQ(Fake().Calls.front(), "MediaConv_AddInputDVD(\"E:\\\",0,3,5)");
}

TEST_F(Bindings, ZeroTaskRectangleAndRange) {
  TMediaConverter converter;
  TTaskInfo task;
  task.CropRect = {0, 0, 640, 480};
  task.StartTime = 50000000;
  task.EndTime = 50000000;
  StartConversionJob(converter, "in", "out", PhoneDetail(), task, nullptr);
  EXPECT_EQ(Fake().Calls[6], "MediaConv_SetCrop(0,0,640,480)");
  EXPECT_EQ(Fake().Calls[9], "MediaConv_SetRange(50000000,0)");
}

// A failing call stops the job set-up at that call, wrapped for the window.
TEST_F(Bindings, JobStopsAtTheFailingCall) {
  Fake().Status["MediaConv_SetVideo"] = 5;
  TMediaConverter converter;
  TTaskInfo task;
  try {
    StartConversionJob(converter, "in", "out", PhoneDetail(), task, nullptr);
    FAIL();
  } catch (const EConvertException& e) {
    EXPECT_EQ(e.Message(), "Converting occured exception\r\nCannot find/open encoder");
  }
  EXPECT_EQ(Fake().Calls.back(), "MediaConv_SetVideo(13,480,320,333666,1000000)");
}

TEST_F(Bindings, StatusesArriveWrappedPerBinding) {
  struct Case {
    const char* function;
    uint8_t status;
    void (*call)();
    const char* message;
  } cases[] = {
      {"MediaPlayer_Play", 1,
       [] {
         TMediaPlayer p;
         p.Play("x", nullptr, nullptr);
       },
       "Playback occured exception\r\nCannot find input file"},
      {"MediaPlayer_Seek", 7,
       [] {
         TMediaPlayer p;
         p.Seek(1, 0);
       },
       "Playback occured exception\r\nUnknown media error 7"},
      {"MediaPlayer_GetCurrentPosition", 255,
       [] {
         TMediaPlayer p;
         p.GetPosition();
       },
       "Playback occured exception\r\nUnknown media error 255"},
      {"MediaConv_CreateOutput", 2,
       [] {
         TMediaConverter c;
         c.CreateOutput("o", "mp4");
       },
       "Converting occured exception\r\nCannot create output file"},
      {"MediaConv_SetAudio", 6,
       [] {
         TMediaConverter c;
         c.SetAudio(1, 2, 3, 4);
       },
       "Converting occured exception\r\nCannot support output parameters in this format"},
      {"MediaConv_WaitFor", 3,
       [] {
         TMediaConverter c;
         uint8_t s;
         c.WaitFor(s);
       },
       "Converting occured exception\r\nCannot support file format"},
  };
  for (const Case& c : cases) {
    Fake().Reset();
    Fake().Status[c.function] = c.status;
    try {
      c.call();
      ADD_FAILURE() << c.function << " did not raise";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message) << c.function;
      const bool player = std::string(c.function).rfind("MediaPlayer", 0) == 0;
      EXPECT_TRUE(player ? e.Is<EPlayException>() : e.Is<EConvertException>()) << c.function;
    }
  }
}

TEST_F(Bindings, FaultInsideTheEngineIsAnUnknownException) {
  Fake().Throws = "MediaConv_Run";
  TMediaConverter converter;
  try {
    converter.Run(nullptr);
    FAIL();
  } catch (const EConvertException& e) {
    EXPECT_EQ(e.Message(), "Converting occured exception\r\nUnknown exception");
  }
  Fake().Throws = "MediaPlayer_Pause";
  TMediaPlayer player;
  try {
    player.Pause();
    FAIL();
  } catch (const EPlayException& e) {
    EXPECT_EQ(e.Message(), "Playback occured exception\r\nUnknown exception");
  }
}

TEST_F(Bindings, ProbeRaisesTheStatusUnwrapped) {
  Fake().Status["MediaInfo_OpenFile"] = 3;
  TMediaInfo probe;
  try {
    probe.OpenFile("notes.txt");
    FAIL();
  } catch (const EMediaException& e) {
    EXPECT_EQ(e.Status(), 3);
    EXPECT_EQ(e.Message(), "Cannot support file format");
  }
}

TEST_F(Bindings, PlayerReportsPlayingAndPaused) {
  TStates states;
  TMediaPlayer player;
  player.Play("clip.avi", nullptr, states.Event());
  player.Seek(20000000, 0);
  player.Pause();
  player.Resume();
  player.SetVolume(80);
  player.Stop();
  player.PlayDVD("E:\\", nullptr, 1, 2, 3, states.Event());
  EXPECT_EQ(states.Seen, (std::vector<int32_t>{0, 1, 0, 0}));
  EXPECT_EQ(Fake().Calls, (Calls{"MediaPlayer_Play(\"clip.avi\",null)", "MediaPlayer_Seek(20000000,0)",
                                 "MediaPlayer_Pause()", "MediaPlayer_Continue()", "MediaPlayer_SetVolume(80)",
                                 "MediaPlayer_Stop()", "MediaPlayer_PlayDVD(\"E:\\\",null,1,2,3)"}));
}

TEST_F(Bindings, FailedCallsReportNothingAndKeepTheCallback) {
  TStates states;
  TMediaPlayer player;
  Fake().Status["MediaPlayer_Play"] = 1;
  EXPECT_THROW(player.Play("gone.avi", nullptr, states.Event()), EPlayException);
  Fake().Status["MediaPlayer_Pause"] = 7;
  EXPECT_THROW(player.Pause(), EPlayException);
  EXPECT_TRUE(states.Seen.empty());
  Fake().Status.clear();
  player.Pause();  // the callback stored by the failed Play is still there
  EXPECT_EQ(states.Seen, (std::vector<int32_t>{1}));
}

// A play without a callback replaces the one an earlier play gave: later states reach nobody.
TEST_F(Bindings, PlayWithoutCallbackReportsNothing) {
  TStates states;
  TMediaPlayer player;
  player.Play("first.avi", nullptr, states.Event());
  EXPECT_EQ(states.Seen, (std::vector<int32_t>{0}));
  player.Play("clip.avi", nullptr, nullptr);
  player.Pause();
  player.Resume();
  EXPECT_EQ(states.Seen, (std::vector<int32_t>{0}));
  EXPECT_EQ(Fake().Calls.size(), 4u) << "the engine still hears every call";
}

TEST_F(Bindings, ConverterReportsPausedAndRunning) {
  TStates states;
  TMediaConverter converter;
  converter.Run(states.Event());
  converter.Pause();
  converter.Resume(false);
  converter.Pause();
  converter.Resume(true);
  converter.Cancel();
  EXPECT_EQ(states.Seen, (std::vector<int32_t>{0, 0, 1}));
}

TEST_F(Bindings, CallbackExceptionReachesTheCallerUnwrapped) {
  TStates states;
  TMediaConverter converter;
  converter.Run(states.Event());
  states.Raise = true;
  EXPECT_THROW(converter.Pause(), EAbort);
  TMediaPlayer player;
  EXPECT_THROW(player.Play("clip.avi", nullptr, states.Event()), EAbort);
}

TEST_F(Bindings, PositionsSnapshotsAndTheFinishedFlag) {
  TMediaConverter converter;
  Fake().Position = 123456789012LL;  // past 32 bits
  EXPECT_EQ(converter.GetPosition(), 123456789012LL);
  Fake().Finished = 0;
  uint8_t second = 9;
  EXPECT_FALSE(converter.WaitFor(second));
  Fake().Finished = 1;
  EXPECT_TRUE(converter.WaitFor(second));
  EXPECT_EQ(second, 0);

  const uint8_t* pixels = nullptr;
  int32_t w = -1, h = -1;
  EXPECT_EQ(converter.GetSnapshot(pixels, w, h), 0);  // no frame
  Fake().Snapshot.assign(2 * 3 * 4, 0x7f);
  Fake().SnapWidth = 2;
  Fake().SnapHeight = 3;
  EXPECT_EQ(converter.GetSnapshot(pixels, w, h), 24);
  EXPECT_EQ(pixels, Fake().Snapshot.data());  // the engine's own buffer, not a copy
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 3);

  TMediaPlayer player;
  std::vector<uint8_t> buffer(8);
  int32_t size = static_cast<int32_t>(buffer.size());
  player.GetSnapshot(buffer.data(), size, w, h);
  EXPECT_EQ(size, 24);  // what the frame needs: the caller grows its buffer and asks again
  EXPECT_EQ(Fake().Calls.back(), "MediaPlayer_GetSnap(ptr,8)");
  Fake().Position = 5;
  EXPECT_EQ(player.GetPosition(), 5);
}

TEST_F(Bindings, FreeingClosesStopsAndCancels) {
  { TMediaInfo probe; }
  { TMediaPlayer player; }
  { TMediaConverter converter; }
  EXPECT_EQ(Fake().Calls, (Calls{"MediaInfo_Close()", "MediaPlayer_Stop()", "MediaConv_Cancel()"}));
}

}  // namespace
