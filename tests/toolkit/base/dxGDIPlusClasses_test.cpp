#include "calderan_test.h"

#include <functional>
#include <memory>

#include "cxBaseUnits.h"
#include "dxGDIPlusClasses.h"

namespace {

class PngImage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartToolkitBaseUnits(); }
};

// A 32-bit bitmap whose pixel (x, y) is argb(x, y) (0xAARRGGBB, colours already multiplied by alpha).
std::unique_ptr<TBitmap> MakeBitmap(int width, int height, const std::function<uint32_t(int, int)>& argb) {
  auto bitmap = std::make_unique<TBitmap>(width, height, TPixelFormat::pf32bit);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint32_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < width; ++x) row[x] = argb(x, y);
  }
  return bitmap;
}

std::unique_ptr<TdxPNGImage> MakePng(int width, int height, const std::function<uint32_t(int, int)>& argb) {
  auto png = std::make_unique<TdxPNGImage>();
  png->TakeBitmap(MakeBitmap(width, height, argb).get());
  return png;
}

uint32_t Opaque(int, int) { return 0xFF336699; }

// Pixel (x, y) of a 32-bit DIB section drawn on.
struct TSurface {
  TSurface(int width, int height) : width(width) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    old = SelectObject(dc, bitmap);
    for (int i = 0; i < width * height; ++i) bits[i] = 0xFFFFFF;
  }
  ~TSurface() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  uint32_t At(int x, int y) const {
    GdiFlush();
    return bits[y * width + x] & 0xFFFFFF;
  }
  int width;
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  uint32_t* bits = nullptr;
};

TEST_F(PngImage, RegisteredAsPngWithGdiPlus) {
  EXPECT_EQ(TdxGPImageClass(), TdxGPImage::StaticClass());
  EXPECT_EQ(TPicture::GraphicClassOf("png"), TdxPNGImage::StaticClass());
  EXPECT_EQ(GetClass("TdxPNGImage"), TdxPNGImage::StaticClass());
}

TEST_F(PngImage, SavedAndReloadedKeepsSizeAndPixels) {
  auto png = MakePng(5, 3, [](int x, int y) { return x == 4 && y == 2 ? 0x80400000u : 0xFF000000u | (x * 40 << 8) | y * 90; });
  TMemoryStream stream;
  png->SaveToStream(&stream);
  ASSERT_GT(stream.Size(), 8);
  EXPECT_EQ(std::string(static_cast<const char*>(stream.Memory()) + 1, 3), "PNG");

  stream.SetPosition(0);
  TdxPNGImage reloaded;
  reloaded.LoadFromStream(&stream);
  EXPECT_EQ(reloaded.Width(), 5);
  EXPECT_EQ(reloaded.Height(), 3);
  EXPECT_TRUE(reloaded.SameAs(png.get()));
  EXPECT_TRUE(reloaded.HasAlpha());
}

TEST_F(PngImage, EmptyStreamEmptiesAndBitmapStreamIsReadAsBitmap) {
  auto png = MakePng(4, 4, Opaque);
  TMemoryStream empty;
  png->LoadFromStream(&empty);
  EXPECT_TRUE(png->Empty());
  EXPECT_EQ(png->Width(), 0);

  // A .bmp file: not a PNG, read through the framework bitmap.
  auto bitmap = MakeBitmap(7, 2, Opaque);
  TMemoryStream bmp;
  bitmap->SaveToStream(&bmp);
  bmp.SetPosition(0);
  png->LoadFromStream(&bmp);
  EXPECT_EQ(png->Width(), 7);
  EXPECT_EQ(png->Height(), 2);
  EXPECT_NE(png->Image()->PixelData(), nullptr);  // built from pixels, not decoded
}

TEST_F(PngImage, SameAsComparesSizeThenPixels) {
  TdxPNGImage empty1, empty2;
  EXPECT_TRUE(empty1.SameAs(&empty2));
  auto a = MakePng(3, 3, Opaque);
  auto b = MakePng(3, 3, Opaque);
  auto c = MakePng(3, 3, [](int x, int y) { return x == 1 && y == 1 ? 0xFF000000u : 0xFF336699u; });
  auto d = MakePng(3, 4, Opaque);
  EXPECT_TRUE(a->SameAs(b.get()));
  EXPECT_FALSE(a->SameAs(c.get()));
  EXPECT_FALSE(a->SameAs(d.get()));
  EXPECT_FALSE(a->SameAs(&empty1));
}

TEST_F(PngImage, TransparentAlwaysAlphaOnlyWhenUsed) {
  auto opaque = MakePng(2, 2, Opaque);
  EXPECT_TRUE(opaque->Transparent());
  EXPECT_FALSE(opaque->HasAlpha());
  auto seeThrough = MakePng(2, 2, [](int x, int) { return x ? 0x00000000u : 0xFF336699u; });
  EXPECT_TRUE(seeThrough->HasAlpha());

  opaque->SetWidth(10);
  opaque->SetHeight(10);
  EXPECT_EQ(opaque->Width(), 2);
  EXPECT_EQ(opaque->Height(), 2);
}

TEST_F(PngImage, DuplicateSharesPixelsAndAssignCopiesPicture) {
  auto source = MakePng(3, 2, Opaque);
  TdxPNGImage copy;
  copy.Assign(source.get());
  EXPECT_NE(copy.Image(), source->Image());
  EXPECT_EQ(copy.Image()->PixelData(), source->Image()->PixelData());
  EXPECT_TRUE(copy.SameAs(source.get()));

  TBitmap bitmap;
  bitmap.Assign(source.get());
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.Height(), 2);
}

// Left half red, right column blue: enlarged, the source loses its last column and row, so the
// blue column does not show; at its own size it does.
TEST_F(PngImage, EnlargedDrawingLeavesOutTheLastSourceColumn) {
  auto png = MakePng(16, 16, [](int x, int) { return x == 15 ? 0xFF0000FFu : 0xFFFF0000u; });
  struct Case {
    int Size;
    bool BlueShows;
  };
  for (Case c : {Case{16, true}, Case{32, false}}) {
    TSurface surface(c.Size, c.Size);
    png->DrawOnDC(surface.dc, TRect(0, 0, c.Size, c.Size));
    EXPECT_EQ(surface.At(0, c.Size / 2), 0xFF0000u) << c.Size;
    EXPECT_EQ(surface.At(c.Size - 1, c.Size / 2) == 0x0000FFu, c.BlueShows) << c.Size;
  }
}

TEST_F(PngImage, DrawsNothingForTinyRectangles) {
  auto png = MakePng(4, 4, Opaque);
  TSurface surface(8, 8);
  png->DrawOnDCRect(surface.dc, TRect(0, 0, 0, 8), TRect(0, 0, 4, 4));
  png->DrawOnDCRect(surface.dc, TRect(0, 0, 8, 8), TRect(0, 0, 4, 0));
  EXPECT_EQ(surface.At(0, 0), 0xFFFFFFu);
}

// Last of the file: GDI+ is shut down under a live picture, which then frees without calling into
// the released library, and GDI+ loads again on the next demand.
TEST_F(PngImage, PictureOutlivingGdiPlusFreesQuietly) {
  auto png = MakePng(3, 3, Opaque);
  ShutdownGdiPlus();
  EXPECT_EQ(GdiPlusFunctions.GdipDisposeImage, nullptr);
  png.reset();
  EXPECT_TRUE(IsGdiPlusAvailable());
  EnsurePngEncoder();
  EXPECT_FALSE(MakePng(2, 2, Opaque)->Empty());
}

}  // namespace
