// Drop shadows: the parts for menus under, over and beside their items and for floating windows,
// the strips' alpha, and real shadow windows following a menu-like popup.
#include "calderan_test.h"

#include <memory>

#include "bars_fixture.h"
#include "dxBarShadow.h"

namespace {
using TParts = std::vector<TdxBarShadowPartInfo>;
constexpr Byte H = dxShadowHorizontalPart, V = dxShadowVerticalPart;
constexpr Byte L = dxShadowFadeLeft, R = dxShadowFadeRight, T = dxShadowFadeTop;

class BarShadow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartBarTestUnits();
  }
};

// Window edges as the screen sees them.
TRect WindowBounds(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}
}  // namespace

TEST_F(BarShadow, PartsFollowTheArrangementOfMenuAndItem) {
  struct TCase {
    const char* name;
    TRect owner, window;
    bool horizontal;
    int s;
    TParts expected;
  } cases[] = {
      {"floating window", {}, {10, 10, 110, 60}, true, 4,
       {{{14, 60, 114, 64}, H, L | R}, {{110, 14, 114, 60}, V, T}}},
      // A menu under a wider button: the button's right edge and the piece of its bottom edge that
      // sticks out beyond the menu are shaded too.
      {"menu under a wider button", {0, 0, 80, 20}, {10, 20, 60, 100}, true, 4,
       {{{80, 4, 84, 20}, V, T},
        {{14, 100, 64, 104}, H, L | R},
        {{4, 20, 10, 24}, H, L},
        {{60, 20, 84, 24}, H, R},
        {{60, 20, 64, 100}, V, 0}}},
      {"menu wider than its button", {0, 0, 40, 20}, {0, 20, 120, 100}, true, 4,
       {{{40, 4, 44, 20}, V, T}, {{4, 100, 124, 104}, H, L | R}, {{120, 24, 124, 100}, V, T}}},
      {"menu as wide as its button", {0, 0, 40, 20}, {0, 20, 40, 100}, true, 2,
       {{{40, 2, 42, 20}, V, T}, {{2, 100, 42, 102}, H, L | R}, {{40, 20, 42, 100}, V, 0}}},
      {"sub-menu beside its item, taller", {0, 30, 100, 50}, {100, 20, 200, 120}, false, 4,
       {{{200, 24, 204, 120}, V, T}, {{4, 50, 100, 54}, H, L}, {{104, 120, 204, 124}, H, L | R}}},
      {"sub-menu beside its item, shorter", {0, 0, 100, 50}, {100, 10, 200, 40}, false, 4,
       {{{200, 14, 204, 40}, V, T},
        {{100, 4, 104, 10}, V, T},
        {{4, 50, 104, 54}, H, L | R},
        {{100, 40, 104, 50}, V, 0},
        {{100, 40, 204, 44}, H, R}}},
      // A faded end needs S x S pixels: the 3-pixel strip right of the owner is left out.
      {"faded part smaller than the shadow", {0, 0, 40, 7}, {0, 7, 40, 60}, true, 4,
       {{{4, 60, 44, 64}, H, L | R}, {{40, 7, 44, 60}, V, 0}}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(CalcBarShadowParts(c.owner, c.window, c.horizontal, c.s), c.expected) << c.name;
}

TEST_F(BarShadow, AMenuOpenedUpwardsCastsTheShapesOfOneOpenedDownwards) {
  TForm owner(nullptr, 0);
  TdxBarShadow down(&owner), up(&owner);
  const TRect button{0, 100, 80, 120}, menuBelow{10, 120, 60, 200}, menuAbove{10, 20, 60, 100};
  down.SetShadowBounds(button, menuBelow);
  up.SetShadowBounds(button, menuAbove);
  EXPECT_TRUE(up.IsHorizontal());
  const TParts expected = CalcBarShadowParts(menuAbove, button, true, up.ShadowSize());
  ASSERT_EQ(up.PartCount(), int(expected.size()));
  for (int i = 0; i < up.PartCount(); ++i) {
    const TRect& b = expected[i].Bounds;
    EXPECT_EQ(up.Part(i)->BoundsRect(), b) << i;
    EXPECT_EQ(up.Part(i)->Kind(), expected[i].Kind) << i;
  }
  EXPECT_EQ(down.PartCount(), int(CalcBarShadowParts(button, menuBelow, true, down.ShadowSize()).size()));
}

TEST_F(BarShadow, StripsFallOffOutwardsAndFadeInAtTheirEnds) {
  // A vertical strip 4 wide: columns 60, 45, 30, 15 from the edge outwards.
  std::vector<uint32_t> strip = MakeBarShadowImage(4, 10, V, T, 4);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(strip[9 * 4 + x] >> 24, uint32_t(15 * (4 - x))) << x;
  // Its faded top: row k keeps (k + 1) / 5 of the alpha.
  for (int k = 0; k < 4; ++k) EXPECT_EQ(strip[k * 4 + 0] >> 24, uint32_t(MulDiv(60, k + 1, 5))) << k;
  EXPECT_EQ(strip[0] & 0xFFFFFF, 0u) << "black";
  // A horizontal strip faded at both ends.
  std::vector<uint32_t> bottom = MakeBarShadowImage(20, 4, H, L | R, 4);
  EXPECT_EQ(bottom[0] >> 24, uint32_t(MulDiv(60, 1, 5)));
  EXPECT_EQ(bottom[19] >> 24, uint32_t(MulDiv(60, 1, 5)));
  EXPECT_EQ(bottom[10] >> 24, 60u);
  EXPECT_EQ(bottom[3 * 20 + 10] >> 24, 15u);
}

// The shadow of a menu-like popup: real windows that follow it, let clicks through and go when
// it is hidden.
TEST_F(BarShadow, ShadowWindowsFollowAPopup) {
  TForm popup(nullptr, 0);
  popup.SetBorderStyle(bsNone);
  popup.SetBounds(100, 120, 150, 200);
  popup.Show();
  TdxBarShadow shadow(&popup);
  const TRect button{90, 100, 300, 120};
  shadow.SetShadowBounds(button, popup.BoundsRect());
  shadow.SetVisible(true);
  ASSERT_EQ(shadow.PartCount(), 5);
  for (int i = 0; i < shadow.PartCount(); ++i) {
    HWND part = shadow.Part(i)->WindowHandle();
    ASSERT_TRUE(IsWindow(part)) << i;
    EXPECT_TRUE(IsWindowVisible(part)) << i;
    EXPECT_EQ(WindowBounds(part), shadow.Part(i)->BoundsRect()) << i;
    EXPECT_EQ(GetWindow(part, GW_OWNER), popup.Handle()) << i;
    EXPECT_EQ((GetWindowLongA(part, GWL_EXSTYLE) & WS_EX_LAYERED) != 0, shadow.IsLayered()) << i;
    EXPECT_EQ(SendMessageA(part, WM_NCHITTEST, 0, MAKELPARAM(WindowBounds(part).Left, WindowBounds(part).Top)),
              HTTRANSPARENT);
  }
  // The popup moves: the parts are made again where it now is.
  popup.SetBounds(300, 120, 150, 200);
  shadow.SetShadowBounds({}, popup.BoundsRect());
  ASSERT_EQ(shadow.PartCount(), 2);
  const int s = shadow.ShadowSize();
  EXPECT_EQ(WindowBounds(shadow.Part(0)->WindowHandle()), (TRect{300 + s, 320, 450 + s, 320 + s}));
  EXPECT_EQ(WindowBounds(shadow.Part(1)->WindowHandle()), (TRect{450, 120 + s, 450 + s, 320}));
  HWND first = shadow.Part(0)->WindowHandle();
  shadow.SetVisible(false);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(shadow.Part(0)->HandleAllocated());
}

TEST_F(BarShadow, WithoutLayeringTheShadowIsTwoPixelsOfButtonShadow) {
  const bool layered = BarShadowsUseLayeredWindows();
  EXPECT_EQ(BarShadowSize(), layered ? 4 : 2);
  TForm popup(nullptr, 0);
  TdxBarShadow shadow(&popup);
  EXPECT_EQ(shadow.ShadowSize(), BarShadowSize());
  // The parts of a 2-pixel shadow are 2 pixels across.
  TParts parts = CalcBarShadowParts({}, {0, 0, 50, 50}, true, 2);
  EXPECT_EQ(parts[0].Bounds.Height(), 2);
  EXPECT_EQ(parts[1].Bounds.Width(), 2);
}
