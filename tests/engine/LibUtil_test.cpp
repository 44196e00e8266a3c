// The engine log and the codec manager, as start-up and the error handler use them.
#include "calderan_test.h"
#include "CodecMgr.h"
#include "EngineTestUtil.h"
#include "LibUtil.h"
#include "MediaInfo.h"

using namespace enginetest;

namespace {

std::string ReadFile(const std::string& path) { return Shell("cat " + Quote(path)); }

}  // namespace

TEST(EngineLog, HoldsTheEnginesLinesAndFFmpegsMessagesAcrossReopening) {
  TempFolder f;
  std::string log = f / "log & \xC3\xA9t\xC3\xA9.tmp";
  ASSERT_TRUE(Sh("printf 'garbage that is no media\\n' > " + Quote(f / "bad.mp3")));
  ASSERT_TRUE(MakeMedia(f / "tone.wav", "-f lavfi -i sine=duration=0.5"));
  ASSERT_EQ(LogSetFileByName(WinPath(log).c_str()), 0);
  ASSERT_EQ(LogSetLevel(2), 0);
  EXPECT_EQ(MediaInfo_OpenFile(WinPath(f / "tone.wav").c_str()), 0);
  EXPECT_EQ(MediaInfo_OpenFile(WinPath(f / "bad.mp3").c_str()), 3);
  ASSERT_EQ(LogClose(), 0);
  std::string first = ReadFile(log);
  EXPECT_NE(first.find("probed"), std::string::npos) << first;
  EXPECT_NE(first.find("cannot open"), std::string::npos) << first;
  // Reading it while closed, then going on in the same file, again and again.
  for (int round = 0; round < 3; ++round) {
    ASSERT_EQ(LogSetFileByName(WinPath(log).c_str()), 0);
    EXPECT_EQ(MediaInfo_OpenFile(WinPath(f / "tone.wav").c_str()), 0);
    ASSERT_EQ(LogClose(), 0);
  }
  std::string last = ReadFile(log);
  EXPECT_EQ(last.compare(0, first.size(), first), 0) << "reopening keeps what was written";
  EXPECT_GT(last.size(), first.size());
  // FFmpeg's own messages reach the file at the more detailed levels.
  ASSERT_EQ(LogSetFileByName(WinPath(f / "detail.log").c_str()), 0);
  ASSERT_EQ(LogSetLevel(4), 0);
  MediaInfo_OpenFile(WinPath(f / "tone.wav").c_str());
  ASSERT_EQ(LogSetLevel(2), 0);
  ASSERT_EQ(LogClose(), 0);
  EXPECT_NE(ReadFile(f / "detail.log").find("wav"), std::string::npos);
  EXPECT_EQ(LogClose(), 0) << "closing when nothing is open";
}

TEST(EngineLog, AFileThatCannotBeWrittenGivesAStatus) {
  EXPECT_EQ(LogSetFileByName(WinPath("/proc/engine.log").c_str()), 2);
  EXPECT_EQ(LogSetFileByName(""), 2);
  EXPECT_EQ(LogClose(), 0);
}

TEST(CodecManager, SucceedsWithFFmpegsBuiltInCodecs) {
  TempFolder f;
  EXPECT_EQ(CodecMgrInit(WinPath(f / "Codec").c_str()), 0) << "the folder may be missing";
  EXPECT_EQ(CodecMgrInit(WinPath(f.Path()).c_str()), 0);
}
