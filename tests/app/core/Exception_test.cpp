#include "Exception.h"

#include <string>

#include "TaskConf.h"
#include "calderan_test.h"

namespace {

TEST(MediaStatus, EveryStatusHasItsText) {
  const char* texts[7] = {nullptr,
                          "Cannot find input file",
                          "Cannot create output file",
                          "Cannot support file format",
                          "Cannot find/open decoder",
                          "Cannot find/open encoder",
                          "Cannot support output parameters in this format"};
  for (int status = 0; status <= 255; ++status) {
    const std::string expected =
        status >= 1 && status <= 6 ? texts[status] : "Unknown media error " + std::to_string(status);
    EMediaException e(static_cast<uint8_t>(status));
    EXPECT_EQ(e.Message(), expected) << status;
    EXPECT_EQ(e.Status(), status);
    EXPECT_TRUE(e.Is<Exception>());
  }
}

TEST(MediaStatus, WrappersPutTheirHeadingAboveTheInnerMessage) {
  EXPECT_EQ(EPlayException(EMediaException(1).Message()).Message(),
            "Playback occured exception\r\nCannot find input file");
  EXPECT_EQ(EConvertException("Unknown exception").Message(), "Converting occured exception\r\nUnknown exception");
  EXPECT_EQ(EConvertException(EMediaException(9).Message()).Message(),
            "Converting occured exception\r\nUnknown media error 9");
}

TEST(TaskInfo, DefaultsAndDuration) {
  TTaskInfo t;
  EXPECT_EQ(t.DiscId1, -1);
  EXPECT_EQ(t.DiscId2, 0);
  EXPECT_EQ(t.DiscId3, -1);
  EXPECT_EQ(t.OutName, "");
  EXPECT_EQ(t.Volume, 100);
  EXPECT_EQ(t.Brightness, 0);
  EXPECT_EQ(t.Contrast, 0);
  EXPECT_EQ(t.CropRect, (TRect{0, 0, 0, 0}));
  EXPECT_EQ(t.LetterBox, 0);
  struct Case {
    int64_t start, end, duration;
  } cases[] = {{0, 0, 0},
               {0, 50000000, 50000000},
               {10000000, 50000000, 40000000},
               {50000000, 50000000, 0},
               {60000000, 50000000, 0},
               {0, 3600LL * 1000 * 10000000, 3600LL * 1000 * 10000000}};  // 1000 hours: 64-bit
  for (const Case& c : cases) {
    t.StartTime = c.start;
    t.EndTime = c.end;
    EXPECT_EQ(t.GetDuration(), c.duration) << c.start << ".." << c.end;
  }
}

}  // namespace
