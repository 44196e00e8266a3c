#include "GlobalFun.h"

#include <string>
#include <vector>

#include "CoreTestSupport.h"
#include "Graphics.h"
#include "calderan_test.h"

namespace {

TEST(FormatMsTime, Table) {
  struct Case {
    bool showMs;
    int64_t ms;
    const char* text;
  } cases[] = {
      {true, 0, "00:00:00.000"},
      {false, 0, "00:00:00"},
      {false, -5, "00:00:00"},
      {true, -1, "00:00:00.000"},
      {true, 3723004, "01:02:03.004"},
      {false, 3723999, "01:02:03"},
      {true, 59999, "00:00:59.999"},
      {true, 360000000, "100:00:00.000"},     // 100 hours: the hours keep all their digits
      {true, 2147483648LL, "596:31:23.648"},  // just past the 32-bit range of milliseconds
      {true, 3600000LL * 1000 + 61001, "1000:01:01.001"},
      {false, 3600000LL * 100000, "100000:00:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatMsTime(c.showMs, c.ms), c.text) << c.ms;
}

TEST(FormatRefTime, RoundsToNearestMillisecondHalvesToEven) {
  struct Case {
    int64_t ref;
    const char* text;
  } cases[] = {
      {15000, "00:00:00.002"},  // 1.5 ms
      {25000, "00:00:00.002"},  // 2.5 ms
      {25001, "00:00:00.003"},
      {9999, "00:00:00.001"},
      {4999, "00:00:00.000"},
      {5000, "00:00:00.000"},  // 0.5 ms
      {-20000, "00:00:00.000"},
      {36000000000LL, "01:00:00.000"},
      {3600000LL * 700 * 10000 + 15000, "700:00:00.002"},  // past 596 hours
  };
  for (const Case& c : cases) EXPECT_EQ(FormatRefTime(true, c.ref), c.text) << c.ref;
  EXPECT_EQ(FormatRefTime(false, 36000000000LL + 9990000), "01:00:00");
}

TEST(ParseTime, Table) {
  struct Case {
    const char* text;
    int64_t ms;
  } cases[] = {
      {"", 0},
      {"00:01:02.500", 62500},
      {"1:2:3", 3723000},
      {"00:00:01.5", 1005},  // the piece after the point counts milliseconds
      {"  :  :  .  ", 0},
      {"::.", 0},
      {"ab:cd:ef.gh", 0},
      {"01:xx:03.004", 3603004},
      {"12", 43200000},
      {"100:00:00.000", 360000000},
      {"597:00:00.000", 2149200000LL},  // would not fit 32 bits
      {"1000:00:00.001", 3600000001LL},
      {" 1:02:03.004", 3723004},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTime(c.text), c.ms) << '"' << c.text << '"';
}

TEST(ParseTime, RoundTripsWithFormatMsTime) {
  for (int64_t ms : {0LL, 1LL, 999LL, 3723004LL, 2147483647LL, 2147483648LL, 3600000LL * 5000 + 1})
    EXPECT_EQ(ParseTime(FormatMsTime(true, ms)), ms);
}

TEST(SplitFirst, CutsAtTheFirstDelimiter) {
  struct Case {
    const char* in;
    const char* part;
    const char* rest;
  } cases[] = {{"a:b:c", "a", "b:c"}, {"abc", "abc", ""}, {":x", "", "x"}, {"x:", "x", ""}, {"", "", ""}};
  for (const Case& c : cases) {
    std::string s = c.in;
    EXPECT_EQ(SplitFirst(s, ":"), c.part) << c.in;
    EXPECT_EQ(s, c.rest) << c.in;
  }
}

TEST(GetFileVersionString, ReadsTheVersionBlock) {
  char self[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
  EXPECT_EQ(GetFileVersionString(self), "3.0.0.319");
  // A file without a version block gives an empty text instead of reading past a buffer.
  const std::string plain = MakeTempFileName("ver");
  EXPECT_EQ(GetFileVersionString(plain), "");
  EXPECT_EQ(GetFileVersionString(plain + ".missing"), "");
  DeleteFileA(plain.c_str());
}

TEST(MakeTempFileName, UniqueReservedNamesInTheTemporaryFolder) {
  char folder[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
  const std::string a = MakeTempFileName("log"), b = MakeTempFileName("log"), c = MakeTempFileName("snap");
  EXPECT_NE(a, b);
  for (const std::string& name : {a, b}) {
    EXPECT_EQ(name.rfind(std::string(folder) + "log", 0), 0u) << name;
    // The reservation stays on disk, so no other process can take the name meanwhile.
    EXPECT_NE(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES) << name;
  }
  EXPECT_EQ(c.rfind(std::string(folder) + "sna", 0), 0u) << c;  // the platform keeps three letters
  for (const std::string& name : {a, b, c}) DeleteFileA(name.c_str());
}

TEST(MessageBoxes, CaptionsIconsAndResult) {
  TMessageBoxCatcher catcher;
  ASSERT_TRUE(catcher.Installed());
  EXPECT_EQ(ShowInfo("All done"), IDOK);
  EXPECT_EQ(ShowError("Converting occured exception\r\nCannot find input file"), IDOK);
  ASSERT_EQ(catcher.Boxes().size(), 2u);
  EXPECT_EQ(catcher.Boxes()[0].Caption, "Information");
  EXPECT_EQ(catcher.Boxes()[0].Text, "All done");
  EXPECT_EQ(catcher.Boxes()[1].Caption, "Error");
  EXPECT_EQ(catcher.Boxes()[1].Text, "Converting occured exception\r\nCannot find input file");
  EXPECT_NE(catcher.Boxes()[0].Icon, catcher.Boxes()[1].Icon);
}

// Pixels as the engine hands them out: bytes B, G, R, 255, rows from the top.
std::vector<uint8_t> Frame(int width, int height) {
  std::vector<uint8_t> bits;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bits.insert(bits.end(), {uint8_t(10 * x), uint8_t(50 * y), 200, 255});
  return bits;
}

COLORREF PixelAt(TBitmap& bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap.Handle());
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

TEST(BitmapFromBits, TopDownFrameIntoTheBitmap) {
  const std::vector<uint8_t> bits = Frame(2, 3);
  ASSERT_EQ(bits.size(), 24u);
  TBitmap bitmap;
  ASSERT_TRUE(BitmapFromBits(&bitmap, bits.data(), 24, 2, 3, 32));
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), RGB(200, 0, 0));  // first bytes: the top row
  EXPECT_EQ(PixelAt(bitmap, 1, 0), RGB(200, 0, 10));
  EXPECT_EQ(PixelAt(bitmap, 1, 2), RGB(200, 100, 10));  // last bytes: the bottom row
}

TEST(BitmapFromBits, BufferSizes) {
  std::vector<uint8_t> bits = Frame(2, 3);
  bits.resize(64, 0xEE);  // larger than the picture: cut to 24 bytes
  TBitmap larger;
  ASSERT_TRUE(BitmapFromBits(&larger, bits.data(), 64, 2, 3, 32));
  EXPECT_EQ(PixelAt(larger, 1, 2), RGB(200, 100, 10));
  TBitmap smaller;  // the rest stays as the section was made
  ASSERT_TRUE(BitmapFromBits(&smaller, bits.data(), 8, 2, 3, 32));
  EXPECT_EQ(PixelAt(smaller, 1, 0), RGB(200, 0, 10));
  EXPECT_EQ(PixelAt(smaller, 0, 1), RGB(0, 0, 0));
  TBitmap none;
  EXPECT_FALSE(BitmapFromBits(&none, bits.data(), 0, 2, 3, 32));
  EXPECT_TRUE(none.Empty());
  EXPECT_FALSE(BitmapFromBits(nullptr, bits.data(), 24, 2, 3, 32));
  EXPECT_FALSE(BitmapFromBits(&none, bits.data(), 24, 0, 3, 32));  // no section for an empty picture
}

}  // namespace
