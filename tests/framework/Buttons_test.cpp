#include "calderan_test.h"

#include "Buttons.h"
#include "Graphics.h"

namespace {

class Buttons : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartUnits({&GraphicsUnit}); }
  static void TearDownTestSuite() { StopUnits(); }
};

// The face's rings from the outside in, read along the diagonal: top-left colours at (i, i),
// bottom-right colours at (19 - i, 19 - i), and the face left inside.
TEST_F(Buttons, TheFaceIsDrawnRingByRingAndLeavesTheInside) {
  struct Case {
    TButtonStyle style;
    bool down;
    TColor topLeft[4], bottomRight[4];
    TRect inside;
  } const cases[] = {
      {bsNew, false, {clBtnHighlight, clBtnFace, clBtnFace, clBtnFace}, {clWindowFrame, clBtnShadow, clBtnShadow, clBtnFace}, {3, 3, 17, 17}},
      {bsNew, true, {clWindowFrame, clBtnShadow, clBtnShadow, clBtnFace}, {clBtnHighlight, clBtnFace, clBtnFace, clBtnFace}, {3, 3, 17, 17}},
      {bsWin31, false, {clWindowFrame, clBtnHighlight, clBtnHighlight, clBtnFace}, {clWindowFrame, clBtnShadow, clBtnShadow, clBtnFace}, {3, 3, 17, 17}},
      {bsWin31, true, {clWindowFrame, clBtnShadow, clBtnShadow, clBtnFace}, {clWindowFrame, clBtnFace, clBtnFace, clBtnFace}, {3, 3, 17, 17}},
  };
  for (const Case& c : cases) {
    TBitmap bitmap(20, 20);
    const TRect inside = DrawButtonFace(bitmap.Canvas(), TRect(0, 0, 20, 20), 2, c.style, false, c.down, false);
    EXPECT_EQ(inside, c.inside) << int(c.style) << c.down;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(GetPixel(bitmap.Canvas()->Handle(), i, i), ColorToRGB(c.topLeft[i])) << int(c.style) << c.down << i;
      EXPECT_EQ(GetPixel(bitmap.Canvas()->Handle(), 19 - i, 19 - i), ColorToRGB(c.bottomRight[i])) << int(c.style) << c.down << i;
    }
  }
}

}  // namespace
