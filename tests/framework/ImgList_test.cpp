#include "calderan_test.h"

#include <vector>

#include "Graphics.h"
#include "ImgList.h"

namespace {

class ImgList : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartUnits({&SysUtilsUnit, &ClassesUnit, &GraphicsUnit}); }
};

const TColor Colours[] = {clRed, clLime, clBlue, clYellow, clFuchsia};

// A list of n 8 x 8 images, image i in Colours[i], and the colour index of each image.
void Fill(TImageList& list, int n) {
  TBitmap strip(8 * n, 8, TPixelFormat::pf24bit);
  for (int i = 0; i < n; ++i) {
    strip.Canvas()->Brush()->SetColor(Colours[i]);
    strip.Canvas()->FillRect(Bounds(8 * i, 0, 8, 8));
  }
  ASSERT_EQ(list.Add(&strip, nullptr), 0);
}

std::vector<int> Order(TImageList& list) {
  std::vector<int> order;
  for (int i = 0; i < list.Count(); ++i) {
    TBitmap image;
    list.GetBitmap(i, &image);
    const TColor c = image.Canvas()->Pixel(4, 4);
    int k = 0;
    while (k < 5 && ColorToRGB(Colours[k]) != static_cast<COLORREF>(c)) ++k;
    order.push_back(k);
  }
  return order;
}

TEST_F(ImgList, MoveShiftsTheImagesBetween) {
  struct Case {
    int from, to;
    std::vector<int> order;
  };
  const Case cases[] = {
      {2, 0, {2, 0, 1, 3, 4}}, {0, 4, {1, 2, 3, 4, 0}}, {4, 1, {0, 4, 1, 2, 3}}, {1, 2, {0, 2, 1, 3, 4}}, {3, 3, {0, 1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    TImageList list(nullptr, 8, 8);
    Fill(list, 5);
    list.Move(c.from, c.to);
    EXPECT_EQ(Order(list), c.order) << c.from << " to " << c.to;
  }
  TImageList list(nullptr, 8, 8);
  Fill(list, 2);
  EXPECT_THROW(list.Move(0, 2), EInvalidOperation);
  EXPECT_THROW(list.Move(-1, 0), EInvalidOperation);
  EXPECT_EQ(Order(list), (std::vector<int>{0, 1}));
}

}  // namespace
