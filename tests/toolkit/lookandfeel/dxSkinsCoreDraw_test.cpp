#include "calderan_test.h"

#include "dxSkinsTestSkin.h"
#include "lookandfeel_fixture.h"

namespace {

using namespace testskin;

class SkinDrawing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartLookAndFeelUnits();
    StartUnits({&dxSkinsCoreUnit});
  }
  void SetUp() override {
    skin_ = std::make_unique<TdxSkin>("Drawing");
    element_ = skin_->AddGroup("G")->AddElement("E");
  }
  std::unique_ptr<TdxSkin> skin_;
  TdxSkinElement* element_ = nullptr;
};

// Solid colours as framework colours (0x00BBGGRR) and as sheet pixels (0xAARRGGBB).
constexpr TColor Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, White = 0xFFFFFF, Black = 0x000000;
uint32_t Argb(TColor c) { return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

// The 60 x 20 sheet: two images of three states, each sub-image one colour.
const TColor SubImageColors[2][3] = {{Red, Green, Blue}, {0x00FFFF, 0xFF00FF, 0xFFFF00}};

TEST_F(SkinDrawing, SheetOfTwoImagesInThreeStates) {
  element_->SetImageCount(2);
  SetSheet(element_->Image(), 2, {esNormal, esHot, esPressed}, 10, 20,
           [](int image, int state, int, int) { return Argb(SubImageColors[image][state]); });
  TdxSkinImage* image = element_->Image();
  EXPECT_EQ(image->Texture()->Width(), 60);
  EXPECT_TRUE(SizesEqual(image->Size(), TSize(10, 20)));
  EXPECT_EQ(image->StateCount(), 3);
  EXPECT_TRUE(RectsEqual(image->SourceRect(1, esPressed), TRect(50, 0, 60, 20)));

  struct Case {
    int Image;
    TdxSkinElementState State;
    TColor Expected;
  };
  const Case cases[] = {
      {0, esNormal, Red}, {0, esHot, Green}, {1, esPressed, 0xFFFF00},
      {0, esDisabled, Red},        // not in the sheet: the lowest state that is
      {1, esFocused, 0x00FFFF},
      {2, esNormal, White},        // beyond ImageCount: nothing, not pixels outside the sheet
      {-1, esNormal, White},
  };
  for (const Case& c : cases) {
    TDibSurface surface(10, 20);
    element_->Draw(surface.DC(), TRect(0, 0, 10, 20), c.Image, c.State);
    EXPECT_EQ(surface.Pixel(5, 10), c.Expected) << c.Image << "/" << int(c.State);
  }
}

// Left margin column red, right margin column blue, the middle green; margins 4 on a 12-pixel part.
void SetMarginSheet(TdxSkinElement* element, int margin) {
  SetSheet(element->Image(), 1, {esNormal}, 12, 12,
           [](int, int, int x, int) { return Argb(x < 4 ? Red : x >= 8 ? Blue : Green); });
  element->Image()->Margins()->SetRect(TRect(margin, margin, margin, margin));
}

TEST_F(SkinDrawing, MarginsSqueezedIntoASmallTarget) {
  SetMarginSheet(element_, 4);
  TDibSurface surface(6, 20);
  element_->Draw(surface.DC(), TRect(0, 0, 6, 20));
  // 4 - MulDiv(4, 2, 8) = 3 pixels each side, the columns scaled from 4 to 3; no middle column.
  for (int x = 0; x < 3; ++x) EXPECT_EQ(surface.Pixel(x, 10), Red) << x;
  for (int x = 3; x < 6; ++x) EXPECT_EQ(surface.Pixel(x, 10), Blue) << x;
}

TEST_F(SkinDrawing, CornersCopiedEdgesStretched) {
  SetMarginSheet(element_, 4);
  TDibSurface surface(40, 20);
  element_->Draw(surface.DC(), TRect(0, 0, 40, 20));
  EXPECT_EQ(surface.Pixel(3, 0), Red);
  EXPECT_EQ(surface.Pixel(4, 10), Green);
  EXPECT_EQ(surface.Pixel(35, 10), Green);
  EXPECT_EQ(surface.Pixel(36, 19), Blue);
}

// A 20 x 21 sub-image whose pixel (x, y) has red 10 x and green 10 y, next to a second state whose
// pixels differ in blue only: a stretched piece that reads beyond its own pixels, or leaves one
// unpainted, shows at its edges. Margins 3.
void SetCoordinateSheet(TdxSkinElement* element) {
  SetSheet(element->Image(), 1, {esNormal, esHot}, 20, 21,
           [](int, int state, int x, int y) { return 0xFF000000u | (x * 10) << 16 | (y * 10) << 8 | (state ? 0xF0 : 0x80); });
  element->Image()->Margins()->SetRect(TRect(3, 3, 3, 3));
}

// Every pixel of the stretched band next to each margin repeats the sheet's row or column there,
// exactly, through direct drawing and through the element cache, in both states.
TEST_F(SkinDrawing, StretchedPiecesPaintTheirEdgePixelsFromTheirOwnRowsAndColumns) {
  SetCoordinateSheet(element_);
  const TColor background = 0x00FFFF;
  struct Case {
    TRect Target;
    bool Cached;
    TdxSkinElementState State;
  };
  const Case cases[] = {
      {TRect(0, 0, 24, 21), false, esNormal},  {TRect(0, 2, 30, 32), false, esHot},
      {TRect(7, 5, 88, 45), false, esNormal},  {TRect(3, 1, 25, 60), false, esHot},
      {TRect(0, 0, 41, 37), true, esHot},
  };
  for (const Case& c : cases) {
    const TRect& r = c.Target;
    TDibSurface surface(r.Right + 2, r.Bottom + 2, background);
    if (c.Cached) {
      TdxSkinElementCache cache;
      cache.Prepare(element_, r, c.State);
      cache.DrawCache(surface.DC(), r);
    } else {
      element_->Draw(surface.DC(), r, 0, c.State);
    }
    const uint32_t blue = c.State == esHot ? 0xF0 : 0x80;
    auto red = [&](int x) { return surface.Raw(x, (r.Top + r.Bottom) / 2) >> 16 & 0xFF; };
    auto green = [&](int y) { return surface.Raw((r.Left + r.Right) / 2, y) >> 8 & 0xFF; };
    SCOPED_TRACE(testing::Message() << "target " << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom);
    EXPECT_EQ(red(r.Left + 2), 20u);
    EXPECT_EQ(red(r.Left + 3), 30u);        // first stretched column: the sheet's column 3
    EXPECT_EQ(red(r.Right - 4), 160u);      // last: column 16, nothing of column 17
    EXPECT_EQ(red(r.Right - 3), 170u);
    EXPECT_EQ(green(r.Top + 3), 30u);       // first stretched row
    EXPECT_EQ(green(r.Bottom - 4), 170u);   // last: row 17, nothing of row 18
    int unpainted = 0, otherState = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        unpainted += surface.Pixel(x, y) == background;
        otherState += (surface.Raw(x, y) & 0xFF) != blue;
      }
    EXPECT_EQ(unpainted, 0);
    EXPECT_EQ(otherState, 0);
  }
}

TEST_F(SkinDrawing, SubImageNarrowerThanItsMarginIsTheLeftColumnOnly) {
  SetSheet(element_->Image(), 1, {esNormal}, 3, 10, [](int, int, int, int) { return Argb(Red); });
  element_->Image()->Margins()->SetRect(TRect(5, 0, 0, 0));
  TDibSurface surface(20, 10);
  element_->Draw(surface.DC(), TRect(0, 0, 20, 10));
  EXPECT_EQ(surface.Pixel(0, 5), Red);
  EXPECT_EQ(surface.Pixel(4, 5), Red);
  EXPECT_EQ(surface.Pixel(5, 5), White);  // the empty middle column is not drawn
  EXPECT_EQ(surface.Pixel(19, 5), White);
}

TEST_F(SkinDrawing, TilesCoverTheTargetAndTheLastIsCut) {
  // A 10-pixel column whose pixel x has red x * 20.
  SetSheet(element_->Image(), 1, {esNormal}, 10, 4, [](int, int, int x, int) { return 0xFF000000u | (x * 20) << 16; });
  element_->Image()->SetStretch(smTile);
  TDibSurface surface(25, 4);
  element_->Draw(surface.DC(), TRect(0, 0, 25, 4));
  for (int x : {0, 9, 10, 19, 20, 24}) EXPECT_EQ(surface.Pixel(x, 2), TColor((x % 10) * 20)) << x;
}

TEST_F(SkinDrawing, UnscaledImageCentred) {
  SetSheet(element_->Image(), 1, {esNormal}, 4, 4, [](int, int, int, int) { return Argb(Blue); });
  element_->Image()->SetStretch(smNoResize);
  TDibSurface surface(11, 11);
  element_->Draw(surface.DC(), TRect(0, 0, 11, 11));
  EXPECT_EQ(surface.Pixel(2, 5), White);
  EXPECT_EQ(surface.Pixel(3, 3), Blue);
  EXPECT_EQ(surface.Pixel(6, 6), Blue);
  EXPECT_EQ(surface.Pixel(7, 5), White);
}

TEST_F(SkinDrawing, GradientCentreWithoutEndColourIsSolid) {
  SetMarginSheet(element_, 4);
  element_->Image()->SetGradientBeginColor(Black);
  element_->Image()->SetGradientEndColor(clDefault);
  TDibSurface surface(40, 20);
  element_->Draw(surface.DC(), TRect(0, 0, 40, 20));
  EXPECT_EQ(surface.Pixel(20, 10), Black);
  EXPECT_EQ(surface.Pixel(20, 1), Green);  // the top edge stays the image's

  element_->Image()->SetGradientEndColor(White);
  element_->Image()->SetGradient(gmHorizontal);
  surface.Fill(Red);
  element_->Draw(surface.DC(), TRect(0, 0, 40, 20));
  EXPECT_LT(surface.Pixel(5, 10) & 0xFF, surface.Pixel(34, 10) & 0xFF);  // lighter to the right
}

TEST_F(SkinDrawing, ColourBordersAndGlyphWithoutImage) {
  struct Case {
    TColor Color;
    Byte Alpha;
    TColor AtX2;  // just inside the left border
  };
  for (Case c : {Case{Green, 255, Green}, Case{clNone, 128, White}}) {
    element_->SetColor(c.Color);
    element_->SetAlpha(c.Alpha);
    element_->Borders()->Left()->SetColor(Red);
    element_->Borders()->Left()->SetThin(2);
    TDibSurface surface(20, 10);
    element_->Draw(surface.DC(), TRect(0, 0, 20, 10));
    EXPECT_EQ(surface.Pixel(0, 5), Red);
    EXPECT_EQ(surface.Pixel(1, 5), Red);
    EXPECT_EQ(surface.Pixel(2, 5), c.AtX2);
  }
  // The glyph stretched inside the content offsets (its edge pixels blend with what is outside).
  SetSheet(element_->Glyph(), 1, {esNormal}, 2, 2, [](int, int, int, int) { return Argb(Blue); });
  element_->ContentOffset()->SetRect(TRect(5, 2, 5, 2));
  TDibSurface surface(20, 10);
  element_->Draw(surface.DC(), TRect(0, 0, 20, 10));
  EXPECT_EQ(surface.Pixel(4, 5), White);
  EXPECT_EQ(surface.Pixel(7, 3), Blue);
  EXPECT_EQ(surface.Pixel(13, 6), Blue);
  EXPECT_EQ(surface.Pixel(15, 5), White);
  EXPECT_EQ(surface.Pixel(10, 1), White);
}

TEST_F(SkinDrawing, EmptyElementIsWhiteFramedInRed) {
  TDibSurface surface(10, 10, Black);
  ElementOrEmpty(nullptr)->Draw(surface.DC(), TRect(1, 1, 9, 9));
  EXPECT_EQ(surface.Pixel(0, 0), Black);
  EXPECT_EQ(surface.Pixel(1, 5), Red);
  EXPECT_EQ(surface.Pixel(5, 5), White);
}

TEST_F(SkinDrawing, CacheRendersOncePerKey) {
  element_->SetColor(Green);
  TdxSkinElementCache cache;
  cache.Prepare(element_, TRect(0, 0, 8, 8), esNormal);
  element_->SetColor(Blue);
  cache.Prepare(element_, TRect(10, 10, 18, 18), esNormal);  // same size: the old rendering stays
  TDibSurface surface(20, 20);
  cache.DrawCache(surface.DC(), TRect(2, 2, 10, 10));
  EXPECT_EQ(surface.Pixel(5, 5), Green);
  cache.Prepare(element_, TRect(0, 0, 9, 8), esNormal);
  cache.DrawCache(surface.DC(), TRect(2, 2, 11, 10));
  EXPECT_EQ(surface.Pixel(5, 5), Blue);
}

TEST_F(SkinDrawing, PaletteDeviceContextDrawsThroughABuffer) {
  SetMarginSheet(element_, 4);
  BITMAPINFO* info = static_cast<BITMAPINFO*>(calloc(1, sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)));
  info->bmiHeader = {sizeof(BITMAPINFOHEADER), 20, -10, 1, 8, BI_RGB, 0, 0, 256, 0, 0};
  for (int i = 0; i < 256; ++i) info->bmiColors[i] = {BYTE(i & 0xE0 ? 255 : 0), BYTE(i & 0x1C ? 255 : 0), BYTE(i & 3 ? 255 : 0), 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const int gdiBefore = GdiObjectCount();
  element_->Draw(dc, TRect(0, 0, 20, 10));
  EXPECT_EQ(GetPixel(dc, 1, 5), RGB(255, 0, 0));
  EXPECT_EQ(GdiObjectCount(), gdiBefore);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  free(info);
}

}  // namespace
