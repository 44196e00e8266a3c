// Runs with Wine's gdiplus.dll refused (see CMakeLists.txt): every path that does without GDI+.
#include "calderan_test.h"

#include "cxBaseUnits.h"
#include "dxGDIPlusClasses.h"

namespace {

class GdiPlusMissing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartToolkitBaseUnits(); }
};

TEST_F(GdiPlusMissing, NeverAvailableAndNothingBound) {
  for (int attempt = 0; attempt < 3; ++attempt) EXPECT_FALSE(IsGdiPlusAvailable());
  auto* slots = reinterpret_cast<void* const*>(&GdiPlusFunctions);
  for (int i = 0; i < GdiPlusFunctionCount; ++i) EXPECT_EQ(slots[i], nullptr) << "entry " << i;
}

TEST_F(GdiPlusMissing, NoEncoderAndNoPictureClass) {
  CLSID clsid{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  const CLSID before = clsid;
  EXPECT_EQ(FindEncoderId("image/png", clsid), 1);
  EXPECT_TRUE(IsEqualGUID(clsid, before));
  EXPECT_EQ(TdxGPImageClass(), TdxGPNullImage::StaticClass());
  EXPECT_EQ(TPicture::GraphicClassOf("png"), nullptr);
}

TEST_F(GdiPlusMissing, PicturesStayEmptyAndDrawNothing) {
  // The eight-byte PNG signature and a little more: without GDI+ nothing is decoded.
  const unsigned char data[] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0};
  TMemoryStream stream;
  stream.WriteBuffer(data, sizeof(data));
  stream.SetPosition(0);
  TdxPNGImage png;
  png.LoadFromStream(&stream);
  EXPECT_TRUE(png.Empty());

  TBitmap bitmap(4, 4, TPixelFormat::pf32bit);
  png.TakeBitmap(&bitmap);
  EXPECT_TRUE(png.Empty());
  HDC dc = CreateCompatibleDC(nullptr);
  png.DrawOnDC(dc, TRect(0, 0, 4, 4));
  DeleteDC(dc);
  TMemoryStream saved;
  png.SaveToStream(&saved);
  EXPECT_EQ(saved.Size(), 0);
}

}  // namespace
