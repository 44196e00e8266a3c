// Every text the ribbon draws must be readable in each scheme: the contrast of its colour against
// every pixel of the background under the text is at least 4.5:1 (the usual threshold for normal
// text). Backgrounds are drawn by the skin as the ribbon draws them; the colours are the ones the
// ribbon's fonts take from the skin.
#include "calderan_test.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "ribbon_fixture.h"

namespace {

double Channel(int value) {
  const double c = value / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF c) {
  return 0.2126 * Channel(GetRValue(c)) + 0.7152 * Channel(GetGValue(c)) + 0.0722 * Channel(GetBValue(c));
}

double Contrast(COLORREF a, COLORREF b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The lowest contrast of the text colour against the pixels of the area.
double LowestContrast(const TSurface& surface, const TRect& area, TColor text) {
  double lowest = 21;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      lowest = std::min(lowest, Contrast(ColorToRGB(text), surface.Pixel(x, y)));
  return lowest;
}

constexpr double kReadable = 4.5;
const char* const SchemeNames[] = {"Blue", "Black", "Silver"};

class RibbonReadability : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartRibbonSkinUnits(); }
  void SetUp() override { ASSERT_TRUE(IsGdiPlusAvailable()); }
  static TdxCustomRibbonSkin* Skin(const char* name) {
    return static_cast<TdxCustomRibbonSkin*>(BarSkinManager()->FindByName(name));
  }
};

// A tab header on the tab row; the text sits in its lower part, 5 pixels in from the sides. The
// header's state picks the colour: normal 0, hot 2, active (hot or not) 3.
TEST_F(RibbonReadability, TabCaptionsInEveryState) {
  struct TState {
    int headerState, colourKey;
    const char* name;
  } states[] = {{rtsNormal, 0, "normal"}, {rtsHot, 2, "hot"}, {rtsActive, 3, "active"}, {rtsActiveHot, 3, "active hot"}};
  for (const char* scheme : SchemeNames) {
    for (const TState& s : states) {
      TdxCustomRibbonSkin* skin = Skin(scheme);
      TSurface surface(90, 40);
      skin->DrawTabRowBackground(surface.DC(), TRect(0, 0, 90, 40));
      const TRect tab(5, 6, 85, 34);
      skin->DrawFrameButton(surface.DC(), tab, s.headerState);
      const TRect text(tab.Left + 5, tab.Bottom - 4 - 13, tab.Right - 5, tab.Bottom - 4);
      EXPECT_GE(LowestContrast(surface, text, skin->GetElementColor(rspTabHeaderText, s.colourKey)), kReadable)
          << scheme << " " << s.name;
    }
  }
}

// A group's caption band and its body, where the items' captions are.
TEST_F(RibbonReadability, GroupCaptionsAndItemCaptions) {
  for (const char* scheme : SchemeNames) {
    for (int state : {0, 1}) {
      TdxCustomRibbonSkin* skin = Skin(scheme);
      TSurface surface(120, 100);
      skin->DrawTabGroupsArea(surface.DC(), TRect(0, 0, 120, 100));
      const TRect body(4, 4, 116, 78), caption(4, 78, 116, 96);
      skin->DrawTabGroupBody(surface.DC(), body, state);
      skin->DrawTabGroupCaption(surface.DC(), caption, state);
      const TRect captionText(caption.Left + 6, caption.Top + 3, caption.Right - 6, caption.Bottom - 3);
      EXPECT_GE(LowestContrast(surface, captionText, skin->GetElementColor(rspTabGroupHeaderText, 0)), kReadable)
          << scheme << " group caption, state " << state;
      const TRect itemText(body.Left + 6, body.Top + 6, body.Right - 6, body.Bottom - 6);
      EXPECT_GE(LowestContrast(surface, itemText, skin->GetElementColor(rspTabGroupText, 0)), kReadable)
          << scheme << " item caption, state " << state;
    }
  }
}

// An item's caption on the faces of a large button in every state of the sheet (hot, pressed,
// checked and their mixes are yellow and orange in all schemes).
TEST_F(RibbonReadability, ItemCaptionsOnButtonFaces) {
  for (const char* scheme : SchemeNames) {
    for (int state = 0; state <= 5; ++state) {
      TdxCustomRibbonSkin* skin = Skin(scheme);
      TSurface surface(60, 70);
      skin->DrawTabGroupBody(surface.DC(), TRect(0, 0, 60, 70), 0);
      const TRect button(4, 4, 56, 66);
      skin->DrawLargeButton(surface.DC(), button, state);
      const TRect text(button.Left + 6, button.Bottom - 18, button.Right - 6, button.Bottom - 5);
      EXPECT_GE(LowestContrast(surface, text, skin->GetElementColor(rspTabGroupText, 0)), kReadable)
          << scheme << " large button, state " << state;
    }
  }
}

}  // namespace
