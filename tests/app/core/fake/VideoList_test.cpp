#include "VideoList.h"

#include <string>
#include <vector>

#include "Convert.h"
#include "CoreTestSupport.h"
#include "FakeEngine.h"
#include "SysUtils.h"
#include "calderan_test.h"

namespace {

using Calls = std::vector<std::string>;

struct TCounter : IObserver {
  int Updates = 0;
  void Update() override { ++Updates; }
};

class InputList : public ::testing::Test {
 protected:
  void SetUp() override {
    Fake().Reset();
    RemoveSettings();
  }
  void TearDown() override { RemoveSettings(); }
  TMediaInfo probe;
};

TEST(OutputName, FromTheInputFileName) {
  struct Case {
    const char* path;
    const char* name;
  } cases[] = {{"C:\\clips\\holiday.avi", "holiday_avi"},
               {"C:\\clips\\readme", "readme_"},
               {"C:\\a.b\\readme", "readme_"},
               {"C:\\x\\my.clip.mp4", "my.clip_mp4"},
               {"Z:\\tmp\\caf\xe9 & co.MOV", "caf\xe9 & co_MOV"},
               {"C:\\x\\.hidden", "_hidden"},
               {"C:\\x\\trailing.", "trailing_"}};
  for (const Case& c : cases) EXPECT_EQ(OutputNameOf(c.path), c.name) << c.path;
}

TEST_F(InputList, ProbesEveryStreamAndFillsTheClipSettings) {
  Fake().Duration = 7LL * 3600 * 10000000;  // seven hours: 64-bit
  Fake().Streams = {FakeVideo(640, 480), FakeAudio(2, 44100), {3, {}}};
  TVideoList list;
  TCounter counter;
  list.Attach(&counter);
  list.AddVideo(&probe, "Z:\\clips\\holiday.avi");
  EXPECT_EQ(Fake().Calls,
            (Calls{"MediaInfo_OpenFile(\"Z:\\clips\\holiday.avi\")", "MediaInfo_GetDur()", "MediaInfo_GetStreamCount()",
                   "MediaInfo_GetInfo(0)", "MediaInfo_GetType(0)", "MediaInfo_GetInfo(1)", "MediaInfo_GetType(1)",
                   "MediaInfo_GetInfo(2)", "MediaInfo_GetType(2)"}));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(counter.Updates, 2);  // once on attach, once for the addition
  EXPECT_EQ(list.GetFileName(0), "Z:\\clips\\holiday.avi");
  EXPECT_EQ(list.InitDir(), "Z:\\clips\\");
  const TVideoInfo* info = list.GetVideoInfo(0);
  EXPECT_TRUE(info->HasVideo);
  EXPECT_EQ(info->Width, 640);
  EXPECT_EQ(info->Height, 480);
  EXPECT_TRUE(info->HasAudio);
  EXPECT_EQ(info->AudioValue1, 2);
  EXPECT_EQ(info->AudioValue2, 44100);
  EXPECT_EQ(info->Duration, 7LL * 3600 * 10000000);
  const TTaskInfo* task = info->TaskInfo;
  EXPECT_EQ(task->OutName, "holiday_avi");
  EXPECT_EQ(task->CropRect, (TRect{0, 0, 640, 480}));
  EXPECT_EQ(task->StartTime, 0);
  EXPECT_EQ(task->EndTime, 7LL * 3600 * 10000000);
  EXPECT_EQ(task->Volume, 100);
  EXPECT_EQ(task->DiscId1, -1);
}

TEST_F(InputList, StreamCases) {
  struct Case {
    const char* name;
    std::vector<TFakeStream> streams;
    bool hasVideo, hasAudio;
    TRect crop;
  } cases[] = {
      {"two video streams keep the second",
       {FakeVideo(320, 240), FakeVideo(1280, 720)},
       true,
       false,
       {0, 0, 1280, 720}},
      {"audio only", {FakeAudio(1, 22050)}, false, true, {0, 0, 0, 0}},
      {"nothing known", {{0, {}}, {5, {}}}, false, false, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Fake().Reset();
    Fake().Duration = 1234;
    Fake().Streams = c.streams;
    TVideoList list;
    list.AddVideo(&probe, "Z:\\x\\song.mp3");
    const TVideoInfo* info = list.GetVideoInfo(0);
    EXPECT_EQ(info->HasVideo, c.hasVideo) << c.name;
    EXPECT_EQ(info->HasAudio, c.hasAudio) << c.name;
    EXPECT_EQ(info->TaskInfo->CropRect, c.crop) << c.name;
    EXPECT_EQ(info->TaskInfo->EndTime, 1234) << c.name;
  }
}

TEST_F(InputList, FailedProbeLeavesTheListButMovesInitDir) {
  struct Case {
    const char* function;
    uint8_t status;
  } cases[] = {{"MediaInfo_OpenFile", 1}, {"MediaInfo_GetDur", 7}, {"MediaInfo_GetType", 3}};
  for (const Case& c : cases) {
    Fake().Reset();
    Fake().Streams = {FakeVideo(320, 240)};
    TVideoList list;
    list.AddVideo(&probe, "Z:\\good\\a.avi");
    TCounter counter;
    list.Attach(&counter);
    Fake().Status[c.function] = c.status;
    try {
      list.AddVideo(&probe, "Z:\\bad folder\\b.avi");
      ADD_FAILURE() << c.function;
    } catch (const EMediaException& e) {
      EXPECT_EQ(e.Status(), c.status) << c.function;  // as the probe raised it
    }
    EXPECT_EQ(list.Count(), 1) << c.function;
    EXPECT_EQ(counter.Updates, 1) << c.function;  // only the attach
    EXPECT_EQ(list.InitDir(), "Z:\\bad folder\\") << c.function;
  }
}

TEST_F(InputList, SamePathTwiceGivesTwoEntries) {
  Fake().Streams = {FakeVideo(320, 240)};
  TVideoList list;
  list.AddVideo(&probe, "Z:\\a.avi");
  list.AddVideo(&probe, "Z:\\a.avi");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_NE(list.GetVideoInfo(0)->TaskInfo, list.GetVideoInfo(1)->TaskInfo);
  list.GetVideoInfo(0)->TaskInfo->Volume = 300;
  EXPECT_EQ(list.GetVideoInfo(1)->TaskInfo->Volume, 100);
}

TEST_F(InputList, IndexesAreChecked) {
  Fake().Streams = {FakeVideo(320, 240)};
  TVideoList list;
  list.AddVideo(&probe, "Z:\\a.avi");
  struct Case {
    int index;
    const char* message;
  } cases[] = {
      {-1, "List index out of bounds (-1)"}, {1, "List index out of bounds (1)"}, {5, "List index out of bounds (5)"}};
  for (const Case& c : cases) {
    try {
      list.GetVideoInfo(c.index);
      ADD_FAILURE() << c.index;
    } catch (const EInvalideIndex& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_THROW(list.GetFileName(c.index), EInvalideIndex);
    EXPECT_THROW(list.Delete(c.index), EInvalideIndex);
  }
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(InputList, DeleteAndClearNotify) {
  Fake().Streams = {FakeVideo(320, 240)};
  TVideoList list;
  for (const char* p : {"Z:\\a.avi", "Z:\\b.avi", "Z:\\c.avi"}) list.AddVideo(&probe, p);
  TCounter counter;
  list.Attach(&counter);
  list.Delete(1);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.GetFileName(1), "Z:\\c.avi");
  EXPECT_EQ(counter.Updates, 2);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  list.Clear();  // also when already empty
  EXPECT_EQ(counter.Updates, 4);
}

TEST_F(InputList, FoldersFromAndToTheSettingsFile) {
  const std::string documents = TConfIni::GetDefaultDir();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  {
    TVideoList list;  // no settings file
    EXPECT_EQ(list.InitDir(), documents);
    EXPECT_EQ(list.OutDir(), documents);
    TCounter counter;
    list.Attach(&counter);
    list.SetOutDir(ExcludeTrailingPathDelimiter(temp));
    EXPECT_EQ(list.OutDir(), temp);  // the delimiter added
    list.SetOutDir(temp);
    EXPECT_EQ(list.OutDir(), temp);  // already there: unchanged
    EXPECT_EQ(counter.Updates, 1);   // folders do not notify
  }
  TVideoList again;
  EXPECT_EQ(again.OutDir(), temp);
  EXPECT_EQ(again.InitDir(), documents);
  const std::string text = ReadSettings();
  EXPECT_NE(text.find("[Files]"), std::string::npos);
  EXPECT_NE(text.find("InitDir="), std::string::npos);
  EXPECT_NE(text.find(std::string("OutDir=") + temp), std::string::npos);
}

TEST_F(InputList, RemovedOutputFolderFallsBackAndIsWrittenBack) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string gone = std::string(temp) + "calderan-gone\\";
  WriteSettings("[Files]\r\nInitDir=" + gone + "\r\nOutDir=" + gone + "\r\n");
  const std::string documents = TConfIni::GetDefaultDir();
  {
    TVideoList list;
    EXPECT_EQ(list.OutDir(), documents);
  }
  EXPECT_NE(ReadSettings().find("OutDir=" + documents), std::string::npos);
}

}  // namespace
