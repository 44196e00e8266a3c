#include "calderan_test.h"

#include <cstdlib>
#include <string>

#include "Jpeg.h"

namespace {

class Jpeg : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartUnits({&GraphicsUnit, &JpegUnit}); }
  static void TearDownTestSuite() { StopUnits(); }

  // Four colour blocks: JPEG keeps large flat areas close to their colour.
  static std::unique_ptr<TBitmap> Blocks() {
    auto b = std::make_unique<TBitmap>(64, 48, TPixelFormat::pf24bit);
    const TColor colours[4] = {0x2040C0, 0xC08020, 0x30A030, 0xF0F0F0};
    for (int i = 0; i < 4; ++i) {
      b->Canvas()->Brush()->SetColor(colours[i]);
      b->Canvas()->FillRect(Bounds(i % 2 * 32, i / 2 * 24, 32, 24));
    }
    return b;
  }
  static void ExpectNear(TColor actual, TColor expected, int tolerance = 12) {
    for (int shift : {0, 8, 16}) {
      int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
      EXPECT_LE(std::abs(a - e), tolerance) << std::hex << actual << " vs " << expected;
    }
  }
};

TEST_F(Jpeg, FileRoundTripThroughThePictureRegistry) {
  TJPEGImage jpeg;
  auto blocks = Blocks();
  jpeg.Assign(blocks.get());
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  for (const char* ext : {"jpg", "JPEG"}) {
    std::string name = std::string(temp) + "round trip." + ext;
    jpeg.SaveToFile(name);
    TPicture picture;
    picture.LoadFromFile(name);
    DeleteFileA(name.c_str());
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_STREQ(picture.Graphic()->ClassName(), "TJPEGImage");
    EXPECT_EQ(picture.Width(), 64);
    EXPECT_EQ(picture.Height(), 48);
    TBitmap back;
    back.Assign(picture.Graphic());
    ExpectNear(back.Canvas()->Pixel(10, 10), 0x2040C0);
    ExpectNear(back.Canvas()->Pixel(50, 10), 0xC08020);
    ExpectNear(back.Canvas()->Pixel(10, 40), 0x30A030);
    ExpectNear(back.Canvas()->Pixel(50, 40), 0xF0F0F0);
  }
}

TEST_F(Jpeg, QualityGreyAndStoredForm) {
  auto blocks = Blocks();
  TJPEGImage fine, coarse;
  fine.Assign(blocks.get());
  coarse.Assign(blocks.get());
  coarse.SetCompressionQuality(10);
  TMemoryStream a, b;
  fine.SaveToStream(&a);
  coarse.SaveToStream(&b);
  EXPECT_LT(b.Size(), a.Size());

  TJPEGImage grey;
  grey.Assign(blocks.get());
  grey.SetGrayscale(true);
  TMemoryStream g;
  grey.SaveToStream(&g);
  g.SetPosition(0);
  TJPEGImage back;
  back.LoadFromStream(&g);
  TColor c = back.Bitmap()->Canvas()->Pixel(10, 10);
  EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF);  // red = green = blue
  EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF);

  TMemoryStream stored;
  fine.WriteData(&stored);
  stored.SetPosition(0);
  TJPEGImage read;
  read.ReadData(&stored);
  EXPECT_EQ(read.Width(), 64);
  ExpectNear(read.Bitmap()->Canvas()->Pixel(50, 40), 0xF0F0F0);
}

TEST_F(Jpeg, BrokenDataIsAnError) {
  TMemoryStream junk;
  junk.WriteBuffer("not a picture", 13);
  junk.SetPosition(0);
  TJPEGImage jpeg;
  EXPECT_THROW(jpeg.LoadFromStream(&junk), EJPEG);
  TMemoryStream truncated;
  const unsigned char header[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F'};
  truncated.WriteBuffer(header, sizeof header);
  truncated.SetPosition(0);
  jpeg.LoadFromStream(&truncated);
  EXPECT_THROW(jpeg.Width(), EJPEG);
}

}  // namespace
