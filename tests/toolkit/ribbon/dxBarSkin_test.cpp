#include "calderan_test.h"

#include "ribbon_fixture.h"

namespace {

class BarSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartRibbonSkinUnits(); }
  void SetUp() override { ASSERT_TRUE(IsGdiPlusAvailable()); }

  // A sheet of width x height with a distinct colour per pixel column band: red left margin, green
  // middle, blue right margin (margins of 2).
  static TGpBitmapHolder BandedSheet(int width, int height) {
    std::vector<uint32_t> pixels(size_t(width) * height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        pixels[size_t(y) * width + x] = x < 2 ? Argb(255, 255, 0, 0) : x >= width - 2 ? Argb(255, 0, 0, 255)
                                                                                       : Argb(255, 0, 255, 0);
    return MakeSheet(width, height, pixels);
  }
};

TEST_F(BarSkin, NineSliceColumnsFollowTheMarginRule) {
  struct TCase {
    int Left, Right, Width;
    int Columns[3];
  };
  const TCase cases[] = {
      {3, 3, 6, {3, 0, 3}}, {2, 4, 6, {3, 0, 3}}, {2, 4, 7, {2, 1, 4}}, {3, 3, 5, {2, 0, 3}}, {2, 2, 20, {2, 16, 2}},
  };
  TGpBitmapHolder sheet = BandedSheet(8, 8);
  for (const TCase& c : cases) {
    TdxSkinnedRect part;
    part.LoadFromImage(sheet.get(), TRect(0, 0, 8, 8), TRect(c.Left, c.Left, c.Right, c.Right));
    part.CalculatePartSizes(c.Width, c.Width);
    for (int column = 0; column < 3; ++column) {
      EXPECT_EQ(part.CellSizes()[column].cx, c.Columns[column]) << c.Left << "/" << c.Right << " at " << c.Width;
      EXPECT_EQ(part.CellSizes()[6 + column].cx, c.Columns[column]);
      // The rows follow the same rule with the top and bottom margins.
      EXPECT_EQ(part.CellSizes()[column * 3].cy, c.Columns[column]);
    }
  }
}

TEST_F(BarSkin, CuttingDerivesSourceCellsContentMarginsAndMinimumSize) {
  TGpBitmapHolder sheet = BandedSheet(10, 12);
  TdxSkinnedRect part;
  EXPECT_EQ(part.ContentMargins(), TRect(8, 8, 8, 8));
  EXPECT_EQ(part.ID(), -1);
  part.LoadFromImage(sheet.get(), TRect(1, 2, 9, 12), TRect(2, 3, 1, 4));
  EXPECT_EQ(part.SourceCells()[0], TRect(0, 0, 2, 3));
  EXPECT_EQ(part.SourceCells()[4], TRect(2, 3, 7, 6));
  EXPECT_EQ(part.SourceCells()[8], TRect(7, 6, 8, 10));
  EXPECT_EQ(part.ContentMargins(), TRect(2, 3, 1, 4));
  EXPECT_EQ(part.MinSize(), TSize(3, 7));
  EXPECT_EQ(part.GetContentRect(TRect(10, 10, 50, 40)), TRect(12, 13, 49, 36));
}

// Margins kept at both ends, the middle stretched, and nothing of the middle band in the margins.
TEST_F(BarSkin, StretchedPartKeepsItsMarginsAndEdges) {
  TGpBitmapHolder sheet = BandedSheet(6, 6);
  TdxSkinnedRect part;
  part.LoadFromImage(sheet.get(), TRect(0, 0, 6, 6), TRect(2, 2, 2, 2));
  TSurface surface(40, 20);
  part.Draw(surface.DC(), TRect(5, 3, 35, 17));
  for (int y = 3; y < 17; ++y) {
    EXPECT_EQ(surface.Pixel(5, y), RGB(255, 0, 0)) << y;
    EXPECT_EQ(surface.Pixel(6, y), RGB(255, 0, 0)) << y;
    EXPECT_EQ(surface.Pixel(7, y), RGB(0, 255, 0)) << y;
    EXPECT_EQ(surface.Pixel(32, y), RGB(0, 255, 0)) << y;
    EXPECT_EQ(surface.Pixel(33, y), RGB(0, 0, 255)) << y;
    EXPECT_EQ(surface.Pixel(34, y), RGB(0, 0, 255)) << y;
  }
  EXPECT_EQ(surface.Pixel(4, 10), RGB(255, 255, 255));
  EXPECT_EQ(surface.Pixel(35, 10), RGB(255, 255, 255));
  EXPECT_EQ(surface.Pixel(20, 2), RGB(255, 255, 255));
  EXPECT_EQ(surface.Pixel(20, 17), RGB(255, 255, 255));
}

// Premultiplied blending of our own: transparent pixels keep the background (never black), half
// alpha mixes, and the constant alpha scales the part.
TEST_F(BarSkin, TransparentAndHalfTransparentPixelsBlendOverTheBackground) {
  TGpBitmapHolder sheet = MakeSheet(2, 1, {Argb(0, 0, 0, 0), Argb(128, 255, 255, 255)});
  TdxSkinnedRect clear, half;
  clear.LoadFromImage(sheet.get(), TRect(0, 0, 1, 1), TRect());
  half.LoadFromImage(sheet.get(), TRect(1, 0, 2, 1), TRect());
  TSurface surface(20, 10, RGB(200, 0, 0));
  clear.Draw(surface.DC(), TRect(0, 0, 10, 10));
  half.Draw(surface.DC(), TRect(10, 0, 20, 10));
  EXPECT_EQ(surface.Pixel(5, 5), RGB(200, 0, 0));
  EXPECT_TRUE(Near(surface.Pixel(15, 5), RGB(228, 128, 128))) << std::hex << surface.Pixel(15, 5);
  surface.Fill(RGB(0, 0, 0));
  half.Draw(surface.DC(), TRect(10, 0, 20, 10), 0);
  EXPECT_EQ(surface.Pixel(15, 5), RGB(0, 0, 0));
  EXPECT_EQ(half.Alpha(), 0);
}

TEST_F(BarSkin, BlendingPremultipliedPixelsIsSourceOver) {
  struct TCase {
    uint32_t Dest, Source;
    Byte Alpha;
    uint32_t Result;
  };
  const TCase cases[] = {
      {0xFF102030, 0x00000000, 255, 0xFF102030},  // transparent source
      {0xFF102030, 0xFF405060, 255, 0xFF405060},  // opaque source
      {0xFF000000, 0x80808080, 255, 0xFF808080},  // half white, premultiplied
      {0xFF000000, 0xFFFFFFFF, 51, 0xFF333333},   // constant alpha 20 %
  };
  for (const TCase& c : cases) {
    uint32_t dest = c.Dest;
    BlendPremultipliedPixels(&dest, &c.Source, 1, c.Alpha);
    EXPECT_EQ(dest, c.Result) << std::hex << c.Source << " over " << c.Dest;
  }
}

TEST_F(BarSkin, AlphaBlendCopyStretchesAndBlendsASourceDC) {
  TSurface source(2, 2, RGB(0, 0, 0));
  TSurface target(8, 8, RGB(10, 20, 30));
  // Opaque blue written with its alpha byte: 32-bit pixels of the source DC are premultiplied.
  SetPixelV(source.DC(), 0, 0, RGB(0, 0, 255));
  EXPECT_TRUE(AlphaBlendCopy(target.DC(), TRect(0, 0, 8, 8), source.DC(), 255, TRect(0, 0, 2, 2)));
  EXPECT_FALSE(AlphaBlendCopy(target.DC(), TRect(0, 0, 0, 8), source.DC(), 255, TRect(0, 0, 2, 2)));
}

TEST_F(BarSkin, ZeroHeightDrawDrawsNothingAndKeepsTheCache) {
  TGpBitmapHolder sheet = BandedSheet(6, 6);
  TdxSkinnedRect part;
  part.LoadFromImage(sheet.get(), TRect(0, 0, 6, 6), TRect(2, 2, 2, 2));
  TSurface surface(30, 30);
  part.Draw(surface.DC(), TRect(0, 0, 20, 20));
  std::vector<uint32_t> before = surface.Pixels();
  part.Draw(surface.DC(), TRect(0, 20, 20, 20));
  part.Draw(surface.DC(), TRect(0, 0, -5, 10));
  EXPECT_EQ(surface.Pixels(), before);
  EXPECT_EQ(part.CachedSize(), TSize(20, 20));
  EXPECT_EQ(part.Size(), TSize(20, 20));
}

TEST_F(BarSkin, CacheFollowsTheLastDrawnSize) {
  TGpBitmapHolder sheet = BandedSheet(6, 6);
  TdxSkinnedRect part;
  part.LoadFromImage(sheet.get(), TRect(0, 0, 6, 6), TRect(2, 2, 2, 2));
  TSurface surface(40, 40);
  for (TSize size : {TSize(10, 12), TSize(30, 8), TSize(10, 12)}) {
    part.Draw(surface.DC(), TRect(0, 0, size.cx, size.cy));
    EXPECT_EQ(part.CachedSize(), size);
    EXPECT_EQ(surface.Pixel(size.cx - 1, 0), RGB(0, 0, 255));
  }
  // A DC that shows nothing of the rectangle draws nothing (and builds no cache for it).
  HRGN empty = CreateRectRgn(0, 0, 0, 0);
  SelectClipRgn(surface.DC(), empty);
  part.Draw(surface.DC(), TRect(0, 0, 33, 33));
  SelectClipRgn(surface.DC(), nullptr);
  DeleteObject(empty);
  EXPECT_EQ(part.Size(), TSize(33, 33));
  EXPECT_EQ(part.CachedSize(), TSize(10, 12));
}

TEST_F(BarSkin, DuplicatePartIdsAndNamesAreRefused) {
  TGpBitmapHolder sheet = BandedSheet(6, 6);
  TdxCustomBarSkin skin("Test");
  EXPECT_EQ(skin.AddPart(nullptr), -1);
  EXPECT_EQ(skin.AddImagePart(sheet.get(), TRect(0, 0, 2, 2), 7, "Frame"), 0);
  EXPECT_EQ(skin.AddImagePart(sheet.get(), TRect(0, 0, 2, 2)), 1);
  EXPECT_EQ(skin.AddImagePart(sheet.get(), TRect(0, 0, 2, 2)), 2);  // id -1 never clashes
  try {
    skin.AddImagePart(sheet.get(), TRect(0, 0, 2, 2), 7);
    ADD_FAILURE() << "duplicate id accepted";
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "ERROR: Duplicate part's ID = 7");
  }
  try {
    skin.AddImagePartVert(sheet.get(), TRect(0, 0, 2, 2), 1, 1, 8, "frame");
    ADD_FAILURE() << "duplicate name accepted";
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "ERROR: Duplicate part's name = \"frame\"");
  }
  EXPECT_EQ(skin.Count(), 3);
  EXPECT_EQ(skin.FindPartByName("FRAME"), skin.GetPart(0));
  EXPECT_EQ(skin.FindPartByID(7), skin.GetPart(0));
  skin.Clear();
  EXPECT_EQ(skin.Count(), 0);
}

TEST_F(BarSkin, ManagerRegistersNamesIgnoringCase) {
  TdxBarSkinManager manager;
  auto* first = new TdxCustomBarSkin("Blue");
  TdxCustomBarSkin second("blue"), unnamed("");
  EXPECT_EQ(manager.Add(first), 0);
  EXPECT_EQ(manager.Add(&second), -1);
  EXPECT_EQ(manager.Add(&unnamed), -1);
  EXPECT_EQ(manager.Add(nullptr), -1);
  EXPECT_EQ(manager.GetCount(), 1);
  EXPECT_EQ(manager.FindByName("BLUE"), first);
  EXPECT_EQ(manager.FindByName("Black"), nullptr);
  EXPECT_TRUE(manager.Remove(&second));  // not registered: nothing to do
  EXPECT_EQ(manager.GetCount(), 1);
  EXPECT_TRUE(manager.Remove(first));
  EXPECT_EQ(manager.GetCount(), 0);
}

}  // namespace
