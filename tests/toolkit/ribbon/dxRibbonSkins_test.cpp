#include "calderan_test.h"

#include <functional>
#include <set>

#include "Classes.h"
#include "ribbon_fixture.h"

namespace {

const char* const SchemeNames[] = {"Blue", "Black", "Silver"};

// A scheme forced into the low-colour answers, as on a display of 8 bits per pixel.
template <class TSkin> class TLowColorSkin : public TSkin {
 protected:
  bool IsLowColorDisplay() const override { return true; }
};

class RibbonSkins : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartRibbonSkinUnits(); }
  void SetUp() override { ASSERT_TRUE(IsGdiPlusAvailable()); }

  static TdxCustomRibbonSkin* Skin(const char* name) {
    return static_cast<TdxCustomRibbonSkin*>(BarSkinManager()->FindByName(name));
  }
  static TGpBitmapHolder Sheet(const char* resource) {
    TResourceStream stream(GetModuleHandleW(nullptr), resource, MAKEINTRESOURCEA(10));
    return TGpBitmapHolder(CreateImageFromResourceStream(&stream));
  }
  static const TdxRibbonSheetFrame& Frame(int firstId) {
    for (const TdxRibbonSheetFrame& frame : dxRibbonSheetFrames)
      if (frame.FirstId == firstId) return frame;
    throw std::runtime_error("no frame");
  }
};

TEST_F(RibbonSkins, TheThreeSchemesRegisterInOrderAndAreFoundIgnoringCase) {
  ASSERT_EQ(BarSkinManager()->GetCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(BarSkinManager()->GetSkin(i)->Name(), SchemeNames[i]);
    EXPECT_TRUE(BarSkinManager()->GetSkin(i)->InheritsFrom(TdxCustomRibbonSkin::StaticClass()));
  }
  EXPECT_EQ(BarSkinManager()->FindByName("silver"), BarSkinManager()->GetSkin(2));
  EXPECT_TRUE(Skin("Silver")->InheritsFrom(TdxBlackRibbonSkin::StaticClass()));
  TdxCustomBarSkin other("BLUE");
  EXPECT_EQ(BarSkinManager()->Add(&other), -1);
  EXPECT_EQ(BarSkinManager()->GetCount(), 3);
}

TEST_F(RibbonSkins, EveryPartHasAUniqueIdInRangeAndTheFirstIndexesFollowTheAddingOrder) {
  for (const char* name : SchemeNames) {
    TdxCustomRibbonSkin* skin = Skin(name);
    std::set<int> ids;
    for (int i = 0; i < skin->Count(); ++i) {
      const int id = skin->GetPart(i)->ID();
      EXPECT_TRUE(id >= 10000 && id <= 10487) << id;
      EXPECT_TRUE(ids.insert(id).second) << id;
      EXPECT_EQ(skin->PartIndex(id), i);
    }
    EXPECT_EQ(skin->GetPart(0)->ID(), 10000);
    EXPECT_EQ(skin->GetPart(18)->ID(), 10023);  // after the nine frame pairs: the caption glyphs
    EXPECT_EQ(skin->GetApplicationButtonSize(), TSize(42, 42));
  }
}

// Which states of a strip have a part: a state without one draws nothing.
TEST_F(RibbonSkins, StateStripsHaveTheirListedStates) {
  struct TCase {
    int FirstId;
    const char* States;  // one character per state from 0: x has a part (later ids are other parts)
  };
  const TCase cases[] = {
      {10290, "..xxxxxxx"}, {10317, "..xxxxxxx"}, {10407, "..xxx...."}, {10227, "x.x......"},
      {10254, "x.x.x...."}, {10371, "x.x......"}, {10263, "x.xxx...."}, {10218, "xxxxxxxxx"},
      {10281, "xxxxxx..x"}, {10200, "xxxxxx..x"}, {10461, "xxx.x...."}, {10043, "xxxxx"},
  };
  TdxCustomRibbonSkin* skin = Skin("Blue");
  for (const TCase& c : cases)
    for (int s = 0; c.States[s]; ++s) EXPECT_EQ(skin->PartIndex(c.FirstId + s) >= 0, c.States[s] == 'x') << c.FirstId << "+" << s;
}

// The large button's faces, each state of each scheme, read back against the sheet's own frame:
// drawn at the frame's size the part is the frame's pixels over the background, and stretched its
// corners stay the frame's corners.
TEST_F(RibbonSkins, LargeButtonStatesMatchTheirSheetFrames) {
  TGpBitmapHolder common = Sheet("RIBBONCOMMON");
  const TdxRibbonSheetFrame& strip = Frame(10317);
  const int frameOfState[9] = {-1, -1, 0, 0, 1, 2, 2, 3, 4};
  for (const char* name : SchemeNames) {
    for (int state = 0; state < 9; ++state) {
      for (TSize size : {TSize(42, 66), TSize(60, 90)}) {
        TSurface surface(70, 100, RGB(255, 255, 255));
        Skin(name)->DrawLargeButton(surface.DC(), Bounds(4, 4, size.cx, size.cy), state);
        const int frame = frameOfState[state];
        for (TPoint p : {TPoint(0, 0), TPoint(1, 1), TPoint(size.cx - 1, size.cy - 1), TPoint(size.cx - 2, 1)}) {
          COLORREF expected = RGB(255, 255, 255);
          if (frame >= 0) {
            const int sx = p.X < 2 ? p.X : strip.Width - (size.cx - p.X);
            const int sy = p.Y < 2 ? p.Y : strip.Height - (size.cy - p.Y);
            expected = Composite(SheetPixel(common.get(), strip.Left + sx, strip.Top + frame * strip.Height + sy),
                                 RGB(255, 255, 255));
          }
          EXPECT_TRUE(Near(surface.Pixel(4 + p.X, 4 + p.Y), expected))
              << name << " state " << state << " at " << p.X << "," << p.Y << " size " << size.cx << ": "
              << std::hex << surface.Pixel(4 + p.X, 4 + p.Y) << " not " << expected;
        }
        if (frame >= 0 && size.cx == 42) {
          const COLORREF centre = Composite(
              SheetPixel(common.get(), strip.Left + 21, strip.Top + frame * strip.Height + 40), RGB(255, 255, 255));
          EXPECT_TRUE(Near(surface.Pixel(4 + 21, 4 + 40), centre)) << name << " state " << state;
        }
      }
    }
  }
}

// Hot, pressed and checked large buttons look different from each other.
TEST_F(RibbonSkins, LargeButtonStatesCanBeToldApart) {
  std::set<COLORREF> centres;
  for (int state : {2, 4, 5, 7}) {
    TSurface surface(42, 66);
    Skin("Blue")->DrawLargeButton(surface.DC(), TRect(0, 0, 42, 66), state);
    centres.insert(surface.Pixel(21, 50));
  }
  EXPECT_EQ(centres.size(), 4u);
}

TEST_F(RibbonSkins, MissingStatesAndNarrowRectanglesDrawNothing) {
  using TDraw = std::function<void(TdxCustomRibbonSkin*, HDC)>;
  const TDraw draws[] = {
      [](TdxCustomRibbonSkin* s, HDC dc) { s->DrawSmallButton(dc, TRect(0, 0, 30, 30), 0); },
      [](TdxCustomRibbonSkin* s, HDC dc) { s->DrawSmallButton(dc, TRect(0, 0, 30, 30), 1); },
      [](TdxCustomRibbonSkin* s, HDC dc) { s->DrawTabGroupBody(dc, TRect(0, 0, 30, 30), 1); },
      [](TdxCustomRibbonSkin* s, HDC dc) { s->DrawScrollButtonStrip(dc, TRect(0, 0, 30, 30), 2, 3); },
      [](TdxCustomRibbonSkin* s, HDC dc) { s->DrawQuickAccessToolbarBackground(dc, TRect(0, 0, 20, 26), false, false, true, true, true); },
  };
  for (const char* name : SchemeNames)
    for (const TDraw& draw : draws) {
      TSurface surface(30, 30, RGB(1, 2, 3));
      std::vector<uint32_t> before = surface.Pixels();
      draw(Skin(name), surface.DC());
      EXPECT_EQ(surface.Pixels(), before) << name;
    }
}

TEST_F(RibbonSkins, StatesWithoutAFrameOfTheirOwnDrawAnother) {
  auto drawn = [](const std::function<void(HDC)>& draw) {
    TSurface surface(30, 90);
    draw(surface.DC());
    return surface.Pixels();
  };
  TdxCustomRibbonSkin* skin = Skin("Black");
  const auto collapsedNormal = drawn([&](HDC dc) { skin->DrawCollapsedGroupButton(dc, TRect(0, 0, 30, 90), 0); });
  for (int state : {1, 5, 6, 7, 8})
    EXPECT_EQ(drawn([&](HDC dc) { skin->DrawCollapsedGroupButton(dc, TRect(0, 0, 30, 90), state); }), collapsedNormal);
  // The frame button has five frames; a later state draws the last (it raised or drew nothing).
  const auto frameLast = drawn([&](HDC dc) { skin->DrawFrameButton(dc, TRect(0, 0, 30, 90), 4); });
  for (int state : {5, 8, 12})
    EXPECT_EQ(drawn([&](HDC dc) { skin->DrawFrameButton(dc, TRect(0, 0, 30, 90), state); }), frameLast);
}

TEST_F(RibbonSkins, HelpButtonBackgroundFillsTheTabRowColourWhenIdle) {
  for (const char* name : SchemeNames)
    for (int state : {0, 3}) {
      TSurface surface(20, 20);
      Skin(name)->DrawHelpButtonBackground(surface.DC(), TRect(0, 0, 20, 20), state);
      EXPECT_EQ(surface.Pixel(10, 10), ColorToRGB(Skin(name)->GetElementColor(10065, 0))) << name;
    }
}

TEST_F(RibbonSkins, ColourTablesOfTheSchemes) {
  struct TCase {
    const char* Scheme;
    int Id, State;
    TColor Color;
  };
  const TCase cases[] = {
      {"Blue", 10065, 0, RGB(191, 219, 255)}, {"Blue", 10018, 3, RGB(164, 195, 235)},
      {"Blue", 10132, 0, RGB(21, 66, 139)},   {"Blue", 9, 6, clDefault},
      {"Blue", 12, 4, RGB(123, 102, 69)},     {"Blue", 64, 5, RGB(0, 21, 110)},
      {"Blue", 335, 0, RGB(21, 66, 139)},     {"Blue", 335, 8, RGB(141, 141, 141)},
      {"Blue", 362, 1, RGB(167, 167, 167)},   {"Blue", 67, 6, RGB(239, 72, 16)},
      {"Blue", 999, 0, clDefault},            {"Black", 10132, 3, RGB(0, 0, 0)},
      {"Black", 10132, 2, RGB(0, 0, 0)}, {"Black", 10138, 2, RGB(0, 0, 0)},
      {"Black", 66, 2, RGB(255, 210, 50)},    {"Silver", 52, 3, RGB(164, 164, 164)},
      {"Silver", 52, 0, RGB(169, 177, 184)},  {"Silver", 64, 0, RGB(76, 83, 92)},
      {"Silver", 10098, 0, RGB(112, 118, 231)},  // the stored value's stray high byte dropped
      {"Silver", 56, 0, RGB(250, 250, 250)},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Skin(c.Scheme)->GetElementColor(c.Id, c.State), c.Color) << c.Scheme << " " << c.Id << "/" << c.State;
}

// Colour 66 has states 0 and 2 only; the others answer the caller's default instead of raising.
TEST_F(RibbonSkins, Colour66OutsideItsStatesAnswersDefault) {
  for (const char* name : SchemeNames)
    for (int state : {1, 3, 4, 5, 6, 7, 8}) EXPECT_EQ(Skin(name)->GetElementColor(66, state), clDefault) << name;
}

TEST_F(RibbonSkins, SilverAnswersBlacksColoursItDoesNotOverride) {
  for (int id : {9, 10, 12, 19, 20, 41, 425})
    for (int state = 0; state < 9; ++state)
      EXPECT_EQ(Skin("Silver")->GetElementColor(id, state), Skin("Black")->GetElementColor(id, state)) << id;
}

TEST_F(RibbonSkins, LowColourAnswersSystemColours) {
  std::unique_ptr<TdxCustomRibbonSkin> skin(CreateRibbonSkin<TLowColorSkin<TdxSilverRibbonSkin>>());
  ASSERT_TRUE(skin->LowColor());
  struct TCase {
    int Id, State;
    TColor Color;
  };
  const TCase cases[] = {
      {10, 0, clBtnShadow},         {12, 2, clWhite},     {10018, 0, clBtnShadow},    {19, 0, TColor(RGB(210, 213, 218))},
      {64, 1, clGrayText},          {362, 4, clHighlightText}, {67, 2, clHighlight},  {10133, 0, clWindowText},
      {10130, 0, clCaptionText},    {10131, 3, clInactiveCaptionText}, {10132, 1, clHighlightText},
      {425, 0, clDefault},          {456, 0, clWhite},    {66, 0, clBtnFace},         {10065, 0, clBtnFace},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(skin->GetElementColor(c.Id, c.State), c.Color == clDefault ? clDefault : TColor(ColorToRGB(c.Color)))
        << c.Id << "/" << c.State;
}

TEST_F(RibbonSkins, LowColourStripsDrawFramedSystemColours) {
  std::unique_ptr<TdxCustomRibbonSkin> skin(CreateRibbonSkin<TLowColorSkin<TdxBlueRibbonSkin>>());
  struct TCase {
    int State;
    COLORREF Frame, Fill;
  };
  const TCase cases[] = {
      {2, RGB(255, 255, 255), ColorToRGB(clHighlight)},
      {4, ColorToRGB(clBtnShadow), ColorToRGB(clHighlight)},
      {5, ColorToRGB(clBtnShadow), ColorToRGB(clBtnFace)},
  };
  for (const TCase& c : cases) {
    TSurface surface(30, 30, RGB(1, 2, 3));
    skin->DrawSmallButton(surface.DC(), TRect(0, 0, 30, 30), c.State);
    EXPECT_EQ(surface.Pixel(0, 15), c.Frame) << c.State;
    EXPECT_EQ(surface.Pixel(29, 29), c.Frame) << c.State;
    EXPECT_EQ(surface.Pixel(15, 15), c.Fill) << c.State;
  }
  TSurface surface(30, 30, RGB(1, 2, 3));
  skin->DrawSmallButton(surface.DC(), TRect(0, 0, 30, 30), 0);
  EXPECT_EQ(surface.Pixel(15, 15), RGB(1, 2, 3));
  // The application menu button draws its picture part in low colour too.
  TSurface normal(6, 22), low(6, 22);
  Skin("Blue")->DrawApplicationMenuButton(normal.DC(), TRect(0, 0, 6, 22), 0);
  skin->DrawApplicationMenuButton(low.DC(), TRect(0, 0, 6, 22), 0);
  EXPECT_EQ(low.Pixels(), normal.Pixels());
}

}  // namespace
