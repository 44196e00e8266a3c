#include "calderan_test.h"

#include <memory>
#include <vector>

#include "cxBaseUnits.h"
#include "cxGraphics.h"
#include "cxGraphicsGlyphs.h"
#include "cxGraphicsRoutines.h"

namespace {

class GlyphDrawing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartToolkitBaseUnits(); }
};

// A 32-bit target filled with one colour; pixels read back as colours.
struct TTarget {
  explicit TTarget(TColor fill, int size = 40) : Bitmap(size, size) {
    Bitmap.Canvas()->GetBrush()->SetColor(fill);
    Bitmap.Canvas()->Canvas()->FillRect(TRect(0, 0, size, size));
  }
  HDC DC() { return Bitmap.Canvas()->GetHandle(); }
  COLORREF At(int x, int y) { return GetPixel(DC(), x, y); }
  TcxBitmap Bitmap;
};

int Red(COLORREF c) { return GetRValue(c); }
int Green(COLORREF c) { return GetGValue(c); }
int Blue(COLORREF c) { return GetBValue(c); }

// A 16 x 16 glyph without alpha: red with a fuchsia (transparent) left half and a 4 x 4 black square.
std::unique_ptr<TBitmap> PlainGlyph() {
  auto glyph = std::make_unique<TBitmap>(16, 16, TPixelFormat::pf24bit);
  TCanvas* c = glyph->Canvas();
  c->Brush()->SetColor(clRed);
  c->FillRect(TRect(0, 0, 16, 16));
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(TRect(0, 0, 8, 16));
  glyph->SetTransparentColor(clFuchsia);
  return glyph;
}

// A 16 x 16 glyph with alpha: premultiplied pixels of the given colour and alpha on a clear field,
// except a 4 x 4 opaque square at (4, 4).
std::unique_ptr<TcxBitmap> AlphaGlyph(Byte r, Byte g, Byte b, Byte a) {
  auto glyph = std::make_unique<TcxBitmap>(16, 16);
  std::vector<TcxPixel> pixels(256);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool square = x >= 4 && x < 8 && y >= 4 && y < 8;
      const Byte alpha = square ? 255 : a;
      auto pre = [&](Byte v) { return TcxPixel(square ? v : v * a / 255); };
      pixels[(15 - y) * 16 + x] = (TcxPixel(alpha) << 24) | (pre(r) << 16) | (pre(g) << 8) | pre(b);
    }
  glyph->SetPixels(pixels);
  return glyph;
}

TEST_F(GlyphDrawing, TransparentColourOfAPlainGlyphShowsTheBackground) {
  TTarget t(clLime);
  auto glyph = PlainGlyph();
  DrawImageGlyph(t.DC(), Bounds(10, 10, 16, 16), TRect(0, 0, 40, 40), glyph.get(), nullptr, -1, idmNormal);
  EXPECT_EQ(t.At(12, 12), ColorToRGB(clLime)) << "transparent half";
  EXPECT_EQ(t.At(20, 12), ColorToRGB(clRed));
  EXPECT_EQ(t.At(25, 25), ColorToRGB(clRed));
  EXPECT_EQ(t.At(26, 26), ColorToRGB(clLime)) << "outside the glyph";
  TTarget u(clLime);
  DrawImageGlyph(u.DC(), Bounds(10, 10, 16, 16), TRect(0, 0, 40, 40), glyph.get(), nullptr, -1, idmNormal, false,
                 nullptr, clNone, false);
  EXPECT_EQ(u.At(12, 12), ColorToRGB(clFuchsia)) << "without the glyph's transparent colour";
}

// A draw hook that draws another glyph of another size, then leaves the glyph to the default drawing.
bool DrawAnotherGlyphFirst(TcxCanvas*, TCustomImageList*, int, TcxImageDrawMode, const TRect&, TBitmap*) {
  static bool inside = false;
  if (inside) return false;
  inside = true;
  TTarget other(clBlue, 20);
  auto glyph = PlainGlyph();
  DrawImageGlyph(other.DC(), Bounds(2, 2, 16, 16), TRect(0, 0, 20, 20), glyph.get(), nullptr, -1, idmNormal);
  inside = false;
  return false;
}

// The glyph drawn from the hook must leave the outer glyph's composition (its background) alone.
TEST_F(GlyphDrawing, AGlyphDrawnFromTheDrawHookKeepsTheOuterOnesBitmaps) {
  TTarget t(clLime);
  auto glyph = PlainGlyph();
  ImageDrawHook = DrawAnotherGlyphFirst;
  DrawImageGlyph(t.DC(), Bounds(10, 10, 16, 16), TRect(0, 0, 40, 40), glyph.get(), nullptr, -1, idmNormal);
  ImageDrawHook = nullptr;
  EXPECT_EQ(t.At(12, 12), ColorToRGB(clLime)) << "transparent half";
  EXPECT_EQ(t.At(20, 12), ColorToRGB(clRed));
  EXPECT_EQ(t.At(30, 30), ColorToRGB(clLime)) << "outside the glyph";
  EXPECT_EQ(t.At(39, 39), ColorToRGB(clLime)) << "outside the glyph";
}

TEST_F(GlyphDrawing, AlphaPictureBlendsByItsAlpha) {
  TTarget t(clLime);
  auto glyph = AlphaGlyph(0, 0, 255, 128);
  DrawImageGlyph(t.DC(), Bounds(0, 0, 16, 16), TRect(0, 0, 40, 40), glyph.get(), nullptr, -1, idmNormal);
  const COLORREF half = t.At(1, 1);
  EXPECT_NEAR(Blue(half), 128, 2);
  EXPECT_NEAR(Green(half), 127, 2) << "the background shows through half";
  EXPECT_EQ(t.At(5, 5), RGB(0, 0, 255)) << "the opaque square";
}

TEST_F(GlyphDrawing, DisabledAndFadedModes) {
  {
    // A picture with alpha: gray, blended at 151.
    TTarget t(clBlack);
    auto glyph = AlphaGlyph(255, 255, 255, 255);
    DrawImageGlyph(t.DC(), Bounds(0, 0, 16, 16), TRect(0, 0, 40, 40), glyph.get(), nullptr, -1, idmDisabled);
    const COLORREF c = t.At(10, 10);
    EXPECT_NEAR(Red(c), 151, 2);
    EXPECT_EQ(Red(c), Green(c));
    EXPECT_EQ(Green(c), Blue(c));
  }
  {
    // Faded: the grayscale picture at alpha 64 over white; red gives gray 76.
    TTarget t(clWhite);
    auto glyph = PlainGlyph();
    DrawImageGlyph(t.DC(), Bounds(0, 0, 16, 16), TRect(0, 0, 40, 40), glyph.get(), nullptr, -1, idmFaded);
    const COLORREF c = t.At(12, 4);
    EXPECT_NEAR(Red(c), 210, 2);
    EXPECT_NEAR(Green(c), 210, 2);
    EXPECT_EQ(t.At(2, 4), RGB(255, 255, 255)) << "the transparent half stays";
  }
  {
    // Disabled without alpha: the glyph greyed and embossed with a highlight one pixel down-right.
    TTarget t(clNavy);
    auto glyph = PlainGlyph();
    glyph->Canvas()->Brush()->SetColor(clFuchsia);
    glyph->Canvas()->FillRect(TRect(8, 8, 16, 16));
    DrawImageGlyph(t.DC(), Bounds(0, 0, 16, 16), TRect(0, 0, 40, 40), glyph.get(), nullptr, -1, idmDisabled);
    EXPECT_NE(t.At(10, 4), ColorToRGB(clRed)) << "greyed";
    EXPECT_EQ(t.At(10, 8), ColorToRGB(clBtnHighlight)) << "the highlight below the glyph's bottom edge";
    EXPECT_EQ(t.At(10, 10), ColorToRGB(clNavy));
    EXPECT_EQ(t.At(4, 4), ColorToRGB(clNavy));
  }
}

TEST_F(GlyphDrawing, ShadowedModeDrawsASilhouetteTwoPixelsDownRight) {
  TTarget t(clWhite);
  auto glyph = PlainGlyph();
  glyph->Canvas()->Brush()->SetColor(clFuchsia);
  glyph->Canvas()->FillRect(TRect(0, 0, 16, 16));
  glyph->Canvas()->Brush()->SetColor(clBlue);
  glyph->Canvas()->FillRect(TRect(4, 4, 8, 8));
  DrawImageGlyph(t.DC(), Bounds(10, 10, 16, 16), TRect(0, 0, 40, 40), glyph.get(), nullptr, -1, idmShadowed);
  // The glyph moves one pixel up and left: its square covers 13..16.
  EXPECT_EQ(t.At(13, 13), ColorToRGB(clBlue));
  EXPECT_EQ(t.At(12, 12), ColorToRGB(clWhite));
  EXPECT_EQ(t.At(18, 18), ColorToRGB(clBtnShadow)) << "the silhouette, shifted by two";
  EXPECT_EQ(t.At(18, 16), ColorToRGB(clBtnShadow));
  EXPECT_EQ(t.At(16, 16), ColorToRGB(clBlue)) << "the glyph lies over its shadow";
  EXPECT_EQ(t.At(19, 19), ColorToRGB(clWhite));
}

TEST_F(GlyphDrawing, ImageListImagesUseTheirMask) {
  TImageList list(nullptr, 16, 16);
  auto glyph = PlainGlyph();
  ASSERT_EQ(list.AddMasked(glyph.get(), clFuchsia), 0);
  TTarget t(clLime);
  DrawImageGlyph(t.DC(), Bounds(10, 10, 16, 16), TRect(0, 0, 40, 40), nullptr, &list, 0, idmNormal);
  EXPECT_EQ(t.At(12, 12), ColorToRGB(clLime));
  EXPECT_EQ(t.At(20, 12), ColorToRGB(clRed));
  TTarget u(clLime);
  DrawImageGlyph(u.DC(), Bounds(10, 10, 16, 16), TRect(0, 0, 40, 40), nullptr, &list, 1, idmNormal);
  EXPECT_EQ(u.At(20, 12), ColorToRGB(clLime)) << "an index outside the list draws nothing";
  TTarget v(clLime);
  DrawImageGlyphOfHandle(v.DC(), Bounds(10, 10, 16, 16), TRect(0, 0, 40, 40), list.Handle(), 0, idmGrayScale);
  EXPECT_EQ(v.At(12, 12), ColorToRGB(clLime));
  EXPECT_EQ(GetRValue(v.At(20, 12)), GetGValue(v.At(20, 12))) << "grey";
}

// The Lanczos weights are rounded and not normalised, so a uniform picture may drift by a few
// levels, but stays uniform.
TEST_F(GlyphDrawing, SmoothStretchKeepsAUniformPictureUniform) {
  for (auto sizes : {std::pair{1, 3}, std::pair{4, 9}, std::pair{9, 4}}) {
    TcxBitmap source(sizes.first, sizes.first), dest(sizes.second, sizes.second);
    std::vector<TcxPixel> pixels(size_t(sizes.first) * sizes.first, 0xFF4080C0u);
    source.SetPixels(pixels);
    SmoothStretchBitmap(&source, &dest, true);
    const std::vector<TcxPixel> out = dest.GetPixels();
    for (TcxPixel p : out) {
      ASSERT_NEAR(int(p & 0xFF), 0xC0, 8) << sizes.first << " to " << sizes.second;
      ASSERT_NEAR(int((p >> 16) & 0xFF), 0x40, 8);
      ASSERT_NEAR(int(p >> 24), 0xFF, 8);
    }
  }
}

// A step edge tells Lanczos-3 from a box or linear filter: the weights (rounded to 1/256, not
// normalised) cross the edge at 99, not 100, and ring to 221 beside it; reduced by three, the
// filter reaches three source pixels to each side. Worked out from the weights of each target pixel.
TEST_F(GlyphDrawing, SmoothStretchOfAStepEdge) {
  struct Case {
    std::vector<int> source, expected;
  } cases[] = {
      {{0, 0, 200, 200}, {0, 0, 0, 99, 200, 221, 200}},
      {{0, 0, 0, 0, 0, 200, 200, 200, 200, 200}, {0, 13, 186, 199}},
  };
  for (const Case& c : cases) {
    const int n = int(c.source.size()), t = int(c.expected.size());
    std::vector<TcxPixel> line;
    for (int v : c.source) line.push_back(0xFF000000u | TcxPixel(v) << 16 | TcxPixel(v) << 8 | TcxPixel(v));
    for (bool across : {true, false}) {  // along a row, then along a column
      TcxBitmap source(across ? n : 1, across ? 1 : n), dest(across ? t : 1, across ? 1 : t);
      source.SetPixels(line);
      SmoothStretchBitmap(&source, &dest, true);
      std::vector<int> blue, red;
      for (TcxPixel p : dest.GetPixels()) blue.push_back(int(p & 0xFF)), red.push_back(int(p >> 16 & 0xFF));
      EXPECT_EQ(blue, c.expected) << n << " to " << t << (across ? " across" : " down");
      EXPECT_EQ(red, c.expected) << n << " to " << t << (across ? " across" : " down");
    }
  }
}

}  // namespace
