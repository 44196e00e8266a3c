#include "calderan_test.h"

#include "SkinColours.h"
#include "cxLookAndFeels.h"
#include "windows_fixture.h"

namespace {

struct SkinColoursTest : WindowsFixture {
  void TearDown() override { RootLookAndFeel()->SetSkinName(""); }
};

// A colour the form chose stays where it reads; where it does not, it keeps its hue and moves
// towards white on a dark background, black on a light one, only as far as it must.
TEST_F(SkinColoursTest, ReadableTextKeepsTheHueAndReachesTheContrast) {
  constexpr TColor navy = 0x2E1B13;  // a dark skin's content (blue-black)
  struct Case {
    const char* name;
    TColor text, back;
    bool kept;
    int hue;  // the channel that must stay the strongest: 0 red, 1 green, 2 blue, -1 any
  } cases[] = {
      {"black on white", clBlack, clWhite, true, -1},
      {"white on navy", clWhite, navy, true, -1},
      {"maroon on navy", clMaroon, navy, false, 0},
      {"blue on navy", clBlue, navy, false, 2},
      {"yellow on white", clYellow, clWhite, false, -1},
      {"white on white", clWhite, clWhite, false, -1},
  };
  for (const Case& c : cases) {
    const TColor readable = ReadableTextColor(c.text, c.back);
    EXPECT_GE(ContrastRatio(readable, c.back), 4.5) << c.name;
    EXPECT_EQ(readable == ColorToRGB(c.text), c.kept) << c.name;
    const COLORREF rgb = ColorToRGB(readable);
    const int channels[3] = {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
    if (c.hue >= 0)
      for (int other = 0; other < 3; ++other)
        if (other != c.hue) EXPECT_GT(channels[c.hue], channels[other]) << c.name;
  }
  EXPECT_LT(ContrastRatio(ReadableTextColor(clMaroon, navy), navy), 6.0) << "no further than it must";
}

TEST_F(SkinColoursTest, OnlyASkinGivesColours) {
  TSkinColours colours;
  EXPECT_FALSE(SkinColoursInUse(colours));
  RootLookAndFeel()->SetSkinName("Midnight");
  ASSERT_TRUE(SkinColoursInUse(colours));
  EXPECT_LT(ContrastRatio(colours.Back, clBlack), 2.0) << "a dark content";
  EXPECT_GE(ContrastRatio(colours.Text, colours.Back), 4.5);
  EXPECT_GE(ContrastRatio(colours.EditorText, colours.Editor), 4.5);
}

}  // namespace
