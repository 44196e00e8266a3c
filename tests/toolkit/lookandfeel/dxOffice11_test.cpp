#include "calderan_test.h"

#include <set>

#include "lookandfeel_fixture.h"

namespace {

class Office11 : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartLookAndFeelUnits(); }
  void SetUp() override { AcquireOffice11Colors(); }
  void TearDown() override { ReleaseOffice11Colors(); }
};

TEST_F(Office11, SchemeFollowsTheVisualStyleNames) {
  struct {
    const char16_t* file;
    const char16_t* color;
    DWORD major;
    TdxLunaScheme scheme;
  } cases[] = {
      {u"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", u"HomeStead", 5, lsHomestead},
      {u"C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles", u"homestead", 5, lsHomestead},
      {u"C:\\WINDOWS\\Resources\\Themes\\Luna\\LUNA.MSSTYLES", u"NormalColor", 5, lsNormalColor},
      {u"C:\\themes\\Luna.msstyles", u"Metallic", 5, lsMetallic},
      {u"C:\\themes\\Royale.msstyles", u"NormalColor", 5, lsUnknown},  // another file on XP
      {u"C:\\themes\\aero.msstyles", u"NormalColor", 6, lsNormalColor},  // any file from Vista on
      {u"C:\\themes\\Luna.msstyles", u"Blue", 5, lsUnknown},
  };
  for (auto c : cases)
    EXPECT_EQ(LunaSchemeFromThemeName(c.file, c.color, c.major), c.scheme)
        << std::string(c.color, c.color + std::char_traits<char16_t>::length(c.color));
}

HRESULT WINAPI FakeHomesteadThemeName(LPWSTR file, int, LPWSTR color, int, LPWSTR size, int) {
  lstrcpyW(file, L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles");
  lstrcpyW(color, L"HomeStead");
  lstrcpyW(size, L"NormalSize");
  return S_OK;
}

TEST_F(Office11, RecognisedSchemeTakesTheBuiltInColours) {
  {
    TUxThemeFunctionsSaver saver;
    UxThemeFunctions.GetCurrentThemeName = FakeHomesteadThemeName;
    RefreshOffice11Colors();
    EXPECT_EQ(CurrentLunaScheme(), lsHomestead);
    EXPECT_TRUE(AreLunaSchemeColorsUsed());
    EXPECT_EQ(Office11GradientPercent, 125);
    EXPECT_EQ(Office11Colors[2], 0xDEF7F4);
    EXPECT_EQ(Office11Colors[62], 0xC9EEFD);
    EXPECT_EQ(Office11Colors[22], 0x000000);
    EXPECT_EQ(Office11Colors[64], Office11Colors[11]);
    EXPECT_EQ(Office11Colors[12], BlendColorsPercent(Office11Colors[4], Office11Colors[2], 90));
    EXPECT_EQ(Office11Colors[36], BlendColorsPercent(Office11Colors[2], 0, 92)) << "entry 34 is entry 2";
  }
  RefreshOffice11Colors();
  EXPECT_EQ(CurrentLunaScheme(), lsUnknown) << "Wine's own style names no scheme";
}

HRESULT WINAPI FakeBlueThemeName(LPWSTR file, int, LPWSTR color, int, LPWSTR size, int) {
  lstrcpyW(file, L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles");
  lstrcpyW(color, L"NormalColor");
  lstrcpyW(size, L"NormalSize");
  return S_OK;
}

// Every entry of the blue scheme, worked out from the scheme's row of built-in colours and the
// rule of each entry (the blends at 90, 50 and 92 percent, entries that repeat others, 79 and 80).
TEST_F(Office11, BlueSchemeFillsTheWholeTable) {
  static constexpr TColor expected[81] = {
      0xF5BE9E, 0xF9DAC3, 0xFEECDD, 0xE2A981, 0xF1A675, 0xD3F8FF, 0x5295FE, 0x913500,
      0x76C1FF, 0x98DDFF, 0x9C613B, 0xE0A47B, 0xF2AD7F, 0xD7F7FC, 0x639EFB, 0xB96D3E,
      0xABB3BE, 0xBCC1BE, 0x764127, 0xFFFFFF, 0xCB8C6A, 0xFFF9F1, 0x000000, 0xFFFFFF,
      0xC9662A, 0xF9DBC4, 0xFEECDD, 0xC9662A, 0xFFFFFF, 0x000000, 0x000000, 0xF6F6F6,
      0xFEECDD, 0xE2A981, 0xFEECDD, 0xE2A981, 0xEAD9CB, 0xD09B77, 0x962D00, 0xF6F6F6,
      0xC2EEFF, 0x800000, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xFCE1CB, 0x6FC0FF,
      0x3E80FE, 0xF0C7A9, 0xC2EEFF, 0x000000, 0x8D8D8D, 0x962D00, 0xF5BE9E, 0xB96D3E,
      0xFFFFFF, 0x962D00, 0xFBDABE, 0x94E6FB, 0x962D00, 0xFADAC4, 0xC9EEFD, 0xB96837,
      0xE0A47B, 0x962D00, 0xFBE5D3, 0xE4AE88, 0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE,
      0x087FE8, 0x7CDAF7, 0xD68759, 0x933803, 0xFFFFFF, 0xD68759, 0x933803, 0xBFAE9E,
      0x5F462E,
  };
  {
    TUxThemeFunctionsSaver saver;
    UxThemeFunctions.GetCurrentThemeName = FakeBlueThemeName;
    RefreshOffice11Colors();
    ASSERT_EQ(CurrentLunaScheme(), lsNormalColor);
    for (int i = 0; i < 81; ++i) EXPECT_EQ(Office11Colors[i], expected[i]) << "entry " << i;
  }
  RefreshOffice11Colors();
}

TEST_F(Office11, WithoutSchemeTheColoursDeriveFromSystemColours) {
  const TColor face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW);
  const TColor shadow = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_FALSE(AreLunaSchemeColorsUsed());
  EXPECT_EQ(Office11GradientPercent, 75);
  EXPECT_EQ(Office11Colors[2], BlendColorsPercent(face, window, 22));
  EXPECT_EQ(Office11Colors[62], face);
  EXPECT_EQ(Office11Colors[4], BlendColorsPercent(shadow, window, 74)) << "entry 7 is computed before entry 4";
  EXPECT_EQ(Office11Colors[44], Office11Colors[48]) << "entry 48 is computed before entry 44";
  EXPECT_EQ(Office11Colors[41], static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(Office11Colors[79], RGB(158, 174, 191));
}

TEST_F(Office11, ColourArithmetic) {
  EXPECT_EQ(BlendColorsPercent(0xFFFFFF, 0x000000, 50), 0x808080);
  EXPECT_EQ(BlendColorsPercent(0x102030, 0x405060, 100), 0x102030);
  EXPECT_EQ(BlendColorsPercent(0x102030, 0x405060, 0), 0x405060);
  EXPECT_EQ(BlendColorsPercent(static_cast<TColor>(0xFF000000 | COLOR_WINDOW), 0, 100),
            static_cast<TColor>(GetSysColor(COLOR_WINDOW)))
      << "system colours are resolved first";
  EXPECT_EQ(ScaleColorChannels(0x804020, 50), 0x402010);
  EXPECT_EQ(ScaleColorChannels(0x0000FF, 75), 0x0000BF);
  EXPECT_EQ(FadeColorToWhite(0x000000, 50), 0x7F7F7F);
  EXPECT_EQ(FadeColorToWhite(0x00FF00, 0), 0xFFFFFF);
}

TEST_F(Office11, EqualColoursFillPlainly) {
  TDibSurface s(40, 10, 0x123456);
  const TColor windowColor = static_cast<TColor>(0xFF000000 | COLOR_WINDOW);
  const TColor sameRgb = GetSysColor(COLOR_WINDOW);
  FillGradientRect(s.DC(), {0, 0, 40, 10}, windowColor, sameRgb, true);
  for (int x = 0; x < 40; ++x) ASSERT_EQ(s.Pixel(x, 5), sameRgb) << x;
}

TEST_F(Office11, BandedGradientUsesAtMost256Bands) {
  for (int width : {300, 10}) {
    TDibSurface s(width, 2, 0x123456);
    RECT r{0, 0, width, 2};
    FillBandedGradientRect(s.DC(), r, 0x000000, 0xFFFFFF, true);
    std::set<TColor> colours;
    for (int x = 0; x < width; ++x) {
      colours.insert(s.Pixel(x, 1));
      ASSERT_EQ(s.Pixel(x, 1), GradientColorAt(r, x, 0x000000, 0xFFFFFF, true)) << width << " at " << x;
    }
    EXPECT_EQ(colours.size(), static_cast<size_t>((std::min)(width, 256)));
    EXPECT_EQ(s.Pixel(0, 0), 0x000000);
    EXPECT_EQ(s.Pixel(width - 1, 0), 0xFFFFFF);
  }
  TDibSurface one(1, 1, 0x123456);
  FillBandedGradientRect(one.DC(), {0, 0, 1, 1}, 0x000000, 0xFFFFFF, true);
  EXPECT_EQ(one.Pixel(0, 0), 0x000000) << "a one-pixel gradient is its first colour";
}

TEST_F(Office11, TwoPhaseGradientBendsAtTheMiddle) {
  TDibSurface s(2, 100, 0x123456);
  FillTwoPhaseGradientRect(s.DC(), {0, 0, 2, 100}, 0x000000, 0x0000FF, false);
  EXPECT_EQ(s.Pixel(0, 0), 0x000000);
  EXPECT_EQ(s.Pixel(0, 50), 0x000060) << "with 75 % the middle lies 37.5 % of the way";
  EXPECT_EQ(s.Pixel(0, 99), 0x0000FF);
  for (int y = 1; y < 100; ++y) ASSERT_GE(s.Pixel(0, y), s.Pixel(0, y - 1)) << y;
}

TEST_F(Office11, BrushesAndBitmapsLiveWhileAcquired) {
  EXPECT_NE(Office11Brush(41), nullptr);
  EXPECT_EQ(Office11Brush(0), nullptr) << "entry 0 has no brush";
  ASSERT_NE(Office11SubMenuExpandBitmap(), nullptr);
  EXPECT_NE(Office11ExpandButtonBitmap(true), nullptr);
  EXPECT_NE(Office11ExpandButtonBitmap(false), nullptr);
  AcquireOffice11Colors();
  ReleaseOffice11Colors();
  EXPECT_NE(Office11Brush(41), nullptr) << "one user still holds them";
}

TEST_F(Office11, SubMenuExpandPictureIsShadedFromEntry2ToEntry3) {
  TDibSurface s(14, 14, 0x123456);
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(source, Office11SubMenuExpandBitmap());
  BitBlt(s.DC(), 0, 0, 14, 14, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  EXPECT_EQ(s.Pixel(0, 0), 0xFF00FF) << "background";
  EXPECT_EQ(s.Pixel(4, 3), 0x000000) << "outline";
  EXPECT_EQ(s.Pixel(1, 0), Office11Colors[2]) << "lightest shade";
  EXPECT_EQ(s.Pixel(1, 13), Office11Colors[3]) << "darkest shade";
}

TEST_F(Office11, ArrowAndGripDots) {
  TDibSurface s(16, 16, 0x123456);
  PaintOffice11Arrow(s.DC(), {0, 0, 16, 16}, true, true, false);
  EXPECT_EQ(s.Pixel(7, 7), Office11Colors[51]);
  EXPECT_EQ(s.Pixel(5, 6), Office11Colors[51]) << "top-left corner of the down arrow";
  EXPECT_EQ(s.Pixel(7, 10), 0x123456);
  PaintOffice11Arrow(s.DC(), {0, 0, 16, 16}, true, false, false);
  EXPECT_EQ(s.Pixel(7, 7), Office11Colors[52]) << "disabled";

  TDibSurface g(20, 4, 0x123456);
  PaintGripDots(g.DC(), {0, 0, 14, 4}, false);  // 14 mod 4 = 2: the row moves by one
  EXPECT_EQ(g.Pixel(1, 0), Office11Colors[18]);
  EXPECT_EQ(g.Pixel(3, 2), Office11Colors[19]);
  EXPECT_EQ(g.Pixel(0, 0), 0x123456);
  EXPECT_EQ(g.Pixel(9, 0), Office11Colors[18]) << "third cell";
  EXPECT_EQ(g.Pixel(13, 0), 0x123456) << "a fourth cell would pass the far end";
}

}  // namespace
