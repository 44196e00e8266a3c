// Toolkit bitmaps: turning, filters, transparency, update locking and the packed stored form.
#include "calderan_test.h"

#include <cstring>
#include <memory>
#include <vector>

#include "cxBaseUnits.h"
#include "cxGeometry.h"
#include "cxGraphics.h"

namespace {

using Pixels = std::vector<TcxPixel>;

// Rows top-down, colour only.
Pixels ReadTopDown(TBitmap& bitmap) {
  Pixels result;
  GdiFlush();
  for (int y = 0; y < bitmap.Height(); ++y) {
    const auto* row = static_cast<const TcxPixel*>(bitmap.ScanLine(y));
    for (int x = 0; x < bitmap.Width(); ++x) result.push_back(row[x] & 0xFFFFFF);
  }
  return result;
}

void WriteTopDown(TBitmap& bitmap, const Pixels& pixels) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* row = static_cast<TcxPixel*>(bitmap.ScanLine(y));
    for (int x = 0; x < bitmap.Width(); ++x) row[x] = pixels[size_t(y) * bitmap.Width() + x];
  }
}

struct BitmapTest : ::testing::Test {
  BitmapTest() { StartToolkitBaseUnits(); }
};

TEST_F(BitmapTest, TurningAndFlipping) {
  struct Case { TcxRotationAngle kind; bool flip; int width; Pixels expected; } cases[] = {
      {ra0, false, 3, {1, 2, 3, 4, 5, 6}},
      {ra0, true, 3, {4, 5, 6, 1, 2, 3}},
      {raPlus90, false, 2, {3, 6, 2, 5, 1, 4}},  // a quarter turn counter-clockwise
      {raPlus90, true, 2, {1, 4, 2, 5, 3, 6}},
      {raMinus90, false, 2, {4, 1, 5, 2, 6, 3}},  // clockwise
      {raMinus90, true, 2, {6, 3, 5, 2, 4, 1}},
      {ra180, false, 3, {6, 5, 4, 3, 2, 1}},
      {ra180, true, 3, {3, 2, 1, 6, 5, 4}},
  };
  for (const Case& c : cases) {
    TBitmap bitmap(3, 2, TPixelFormat::pf32bit);
    WriteTopDown(bitmap, {1, 2, 3, 4, 5, 6});
    TcxCanvas canvas(bitmap.Canvas());
    canvas.TurnBitmap(&bitmap, c.kind, c.flip);
    EXPECT_EQ(bitmap.Width(), c.width) << int(c.kind) << c.flip;
    EXPECT_EQ(bitmap.Height(), 6 / c.width);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(ReadTopDown(bitmap), c.expected) << int(c.kind) << c.flip;
  }
  TcxBitmap own(3, 2);
  WriteTopDown(own, {1, 2, 3, 4, 5, 6});
  own.Rotate(raPlus90);
  EXPECT_EQ(ReadTopDown(own), (Pixels{3, 6, 2, 5, 1, 4}));
}

TEST_F(BitmapTest, AlwaysThirtyTwoBitsAndClearedOnResize) {
  TcxBitmap bitmap(4, 3, TPixelFormat::pf8bit);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(bitmap.GetClientRect(), TRect(0, 0, 4, 3));
  bitmap.SetPixels(Pixels(12, 0xFF123456));
  bitmap.SetSize(5, 3);
  EXPECT_EQ(bitmap.GetPixels(), Pixels(15, 0));
  bitmap.TransparentPixel = 0x80FFFFFF;  // alpha not 0: clearing fills with it
  bitmap.Clear();
  EXPECT_EQ(bitmap.GetPixels(), Pixels(15, 0x80FFFFFF));
  std::unique_ptr<TcxBitmap> made(TcxBitmap::CreateWithTransparent(2, 2, 0xFFFFFFFF));
  EXPECT_EQ(made->GetPixels(), Pixels(4, 0xFFFFFFFF));
  EXPECT_TRUE(made->HasAlpha());
  TcxCustomBitmap plain(TRect(2, 2, 5, 6));
  EXPECT_EQ(plain.Width(), 3);
  EXPECT_EQ(plain.Height(), 4);
  EXPECT_EQ(plain.PixelFormat(), TPixelFormat::pf24bit);
}

TEST_F(BitmapTest, FiltersOnOnePixel) {
  struct Case { const char* name; int mode; TcxPixel before, after; } cases[] = {
      {"lighten opaque", cxbfLighten, 0xFF102030, 0xFF58636E},
      {"lighten translucent", cxbfLighten, 0x80FF8040, 0x64C86432},
      {"gray by average", cxbfGrayScaleAverage, 0xFF102030, 0xFF202020},
      {"opaque", cxbfOpaque, 0x00102030, 0xFF102030},
      {"gray by weights", cxbfGrayScale, 0xFF102030, 0xFF1D1D1D},
      {"green-heavy gray", cxbfGrayScaleGreen, 0x7F102030, 0x7F222222},
      {"alpha for colour without it", cxbfOpaqueNonTransparent, 0x00102030, 0xFF102030},
      {"alpha kept", cxbfOpaqueNonTransparent, 0x40102030, 0x40102030},
      {"mask of an opaque pixel", cxbfMask, 0xFF102030, 0x00000000},
      {"mask of the transparent pixel", cxbfMask, 0x00000000, 0xFFFFFFFF},
      {"clear", cxbfClear, 0xFF102030, 0x00000000},
      {"no such mode", 10, 0xFF102030, 0xFF102030},
      {"no such mode below", -1, 0xFF102030, 0xFF102030},
  };
  for (const Case& c : cases) {
    TcxBitmap bitmap(1, 1);
    bitmap.SetPixels({c.before});
    bitmap.Filter(c.mode);
    EXPECT_EQ(bitmap.GetPixels(), Pixels{c.after}) << c.name << std::hex << " got " << bitmap.GetPixels()[0];
  }
}

TEST_F(BitmapTest, FiltersLeaveTransparentPixelsAlone) {
  for (int mode : {cxbfLighten, cxbfDisabled, cxbfGrayScaleAverage, cxbfGrayScale, cxbfGrayScaleGreen}) {
    TcxBitmap bitmap(3, 1);
    bitmap.TransparentPixel = 0xFF0000FF;      // blue, opaque
    AddTransparentColor(bitmap.TransparentColors, clRed);  // red, whatever its alpha
    bitmap.SetPixels({0xFF0000FF, 0x12FF0000, 0xFF00FF00});
    bitmap.Filter(mode);
    Pixels after = bitmap.GetPixels();
    EXPECT_EQ(after[0], 0xFF0000FFu) << mode;
    EXPECT_EQ(after[1], 0x12FF0000u) << mode;
    EXPECT_NE(after[2], 0xFF00FF00u) << mode;
  }
}

TEST_F(BitmapTest, DisabledIsAGrayBlendedTowardsTheShadow) {
  // The weighted gray g blended with the shadow (166, alpha 0xC0) at 238: c = 238 / 255,
  // e = 1 - c * 192 / 255, channel Round(c * 166 + e * g), alpha Round(c * 192 + e * 255) = 255.
  ASSERT_EQ(ColorToRGB(clBtnShadow), 0xA6A6A6) << "the test prefix's shadow colour these values assume";
  TcxBitmap bitmap(3, 1);
  bitmap.SetPixels({0xFFFFFFFF, 0xFF000000, 0xFF102030});
  bitmap.Filter(cxbfDisabled);
  // white: 154.93 + 75.8; black: 154.93; gray 29 (of 16, 32, 48): 154.93 + 8.62
  EXPECT_EQ(bitmap.GetPixels(), (Pixels{0xFFE7E7E7, 0xFF9B9B9B, 0xFFA4A4A4}));
}

// The blend at a partial constant alpha, through the checker: colour one (red) at 128 on the
// bottom-left cell, colour two (blue) at 64 on its neighbour, over a half-transparent pixel.
TEST_F(BitmapTest, CheckerBlendsAtPartialAlpha) {
  TcxBitmap bitmap(2, 1);
  bitmap.SetPixels({0x80102030, 0x80102030});
  bitmap.DrawChecker(clRed, clBlue, 1, 128, 64);
  // red: c = 128/255, e = 1 - c: R 128 + 7.97, G 15.94, B 23.91, A 128 + 63.75;
  // blue: c = 64/255, e = 1 - c: R 11.98, G 23.97, B 64 + 35.95, A 64 + 95.87
  EXPECT_EQ(bitmap.GetPixels(), (Pixels{0xC0881018, 0xA00C1864}));
}

TEST_F(BitmapTest, MaskOfTransparentBlackAndTheTransparentColour) {
  TcxBitmap bitmap(3, 1);  // TransparentPixel 0: fully transparent black
  bitmap.SetPixels({0x00000000, 0xFF000000, 0x00FFFFFF});
  bitmap.Filter(cxbfMask);
  EXPECT_EQ(bitmap.GetPixels(), (Pixels{0xFFFFFFFF, 0, 0}));

  TcxBitmap keyed(2, 1);
  keyed.SetPixels({0x00FF00FF, 0x00102030});
  keyed.SetTransparentColor(clFuchsia);  // the key stays without alpha, the rest turns opaque
  EXPECT_EQ(keyed.TransparentPixel, 0x00FF00FFu);
  EXPECT_EQ(keyed.TransparentColors.Count(), 1);
  EXPECT_EQ(keyed.GetPixels(), (Pixels{0x00FF00FF, 0xFF102030}));
}

TEST_F(BitmapTest, CheckerStartsWithColourOneAtTheBottomLeft) {
  TcxBitmap bitmap(8, 8);
  bitmap.DrawChecker(clRed, clBlue, 4, 255, 255);
  Pixels p = bitmap.GetPixels();  // bottom-up
  EXPECT_EQ(p[0], 0xFFFF0000u);            // bottom-left block: red
  EXPECT_EQ(p[8 * 3 + 3], 0xFFFF0000u);
  EXPECT_EQ(p[4], 0xFF0000FFu);            // its right neighbour: blue
  EXPECT_EQ(p[8 * 4], 0xFF0000FFu);        // the block above: blue
  EXPECT_EQ(p[8 * 7 + 7], 0xFFFF0000u);    // top-right block: red
  bitmap.DrawChecker(clRed, clBlue, 0, 255, 255);  // no cell size: one-pixel cells, no crash
  p = bitmap.GetPixels();
  EXPECT_EQ(p[0], 0xFFFF0000u);
  EXPECT_EQ(p[1], 0xFF0000FFu);
}

TEST_F(BitmapTest, ApplyMaskClearsWhereTheMaskIsWhite) {
  TcxBitmap image(2, 1), mask(2, 1);
  image.SetPixels({0xFF102030, 0xFF405060});
  mask.SetPixels({0xFFFFFFFF, 0x00000000});
  image.ApplyMask(&mask);
  EXPECT_EQ(image.GetPixels(), (Pixels{0, 0xFF405060}));
  EXPECT_TRUE(image.HasAlpha());
  image.SetPixels({0x00102030, 0});
  EXPECT_FALSE(image.HasAlpha());
  image.MakeOpaque();
  EXPECT_EQ(image.GetPixels(), (Pixels{0xFF102030, 0xFF000000}));
}

struct TChangeLog : TObject {
  int count = 0;
  void Changed(TObject*) { ++count; }
};

TEST_F(BitmapTest, UpdateLockingFoldsChangesIntoOne) {
  TChangeLog log;
  TcxCustomBitmap bitmap(4, 4);
  bitmap.OnChange = MakeEvent(&log, &TChangeLog::Changed);
  bitmap.SetSize(4, 4);  // no change: nothing
  EXPECT_EQ(log.count, 0);
  bitmap.SetSize(6, 5);
  EXPECT_EQ(log.count, 1);
  EXPECT_EQ(bitmap.Width(), 6);
  EXPECT_EQ(bitmap.Height(), 5);

  TcxBitmap pixels(2, 2);
  pixels.OnChange = MakeEvent(&log, &TChangeLog::Changed);
  log.count = 0;
  pixels.BeginUpdate();
  pixels.Filter(cxbfOpaque);
  pixels.Filter(cxbfLighten);
  EXPECT_EQ(log.count, 0);
  pixels.EndUpdate(false);  // changes came in: one notification
  EXPECT_EQ(log.count, 1);
  pixels.BeginUpdate();
  pixels.EndUpdate(false);  // none came in: nothing
  pixels.EndUpdate(true);   // not locked: ignored
  EXPECT_EQ(log.count, 1);
  pixels.BeginUpdate();
  pixels.EndUpdate(true);
  EXPECT_EQ(log.count, 2);
}

// ---------------------------------------------------------------------------------------------
// Stored forms

std::vector<Byte> Bytes(TMemoryStream& stream) {
  const Byte* p = static_cast<const Byte*>(stream.Memory());
  return std::vector<Byte>(p, p + stream.Size());
}

// A 16 x 8 picture with long equal runs and some noise, as icons have.
std::unique_ptr<TcxBitmap> Picture() {
  auto bitmap = std::make_unique<TcxBitmap>(16, 8);
  Pixels p(16 * 8, 0xFFC0C0C0);
  for (int i = 0; i < 16; ++i) p[i * 7 % p.size()] = 0xFF000000u + i * 0x010203;
  bitmap->SetPixels(p);
  return bitmap;
}

TEST_F(BitmapTest, PackedFormHasItsHeaderAndReadsBackByteForByte) {
  auto source = Picture();
  TMemoryStream plain;
  source->WriteData(&plain);
  source->SetCompressData(true);
  TMemoryStream packed;
  source->WriteData(&packed);
  std::vector<Byte> bytes = Bytes(packed);
  ASSERT_GT(bytes.size(), 10u);
  int32_t count;
  std::memcpy(&count, bytes.data(), 4);
  EXPECT_EQ(count, static_cast<int32_t>(bytes.size() - 10));
  EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 8), "XDBM");
  EXPECT_EQ(bytes[8], 1);
  EXPECT_EQ(bytes[9], 0);
  EXPECT_LT(bytes.size(), Bytes(plain).size());
  EXPECT_EQ(UnpackBitmapData(bytes.data() + 10, bytes.size() - 10), Bytes(plain));

  for (TMemoryStream* stream : {&packed, &plain}) {  // both forms are read
    TcxBitmap copy;
    stream->SetPosition(0);
    copy.ReadData(stream);
    EXPECT_EQ(stream->Position(), stream->Size());
    EXPECT_EQ(copy.GetPixels(), source->GetPixels());
  }
}

TEST_F(BitmapTest, DamagedPackedStreamsRaiseErrors) {
  auto source = Picture();
  source->SetCompressData(true);
  TMemoryStream packed;
  source->WriteData(&packed);
  const std::vector<Byte> good = Bytes(packed);

  std::vector<std::vector<Byte>> damaged;
  for (size_t cut : {size_t(4), size_t(10), size_t(11), good.size() / 2, good.size() - 1})
    damaged.emplace_back(good.begin(), good.begin() + cut);
  std::vector<Byte> hugeCount = good;
  hugeCount[3] = 0x7F;  // far more than the stream holds
  damaged.push_back(hugeCount);
  std::vector<Byte> negativeCount = good;
  negativeCount[3] = 0x80;
  damaged.push_back(negativeCount);
  std::vector<Byte> longRun = good;
  longRun[good.size() - 2] = 0xFF;  // a literal run near the end that reaches past it
  damaged.push_back(longRun);
  std::vector<Byte> notABitmap = good;
  notABitmap[10] = 0x85;  // the unpacked data no longer starts with a bitmap
  notABitmap[11] = 0;
  damaged.push_back(notABitmap);

  for (size_t i = 0; i < damaged.size(); ++i) {
    TMemoryStream stream;
    if (!damaged[i].empty()) stream.WriteBuffer(damaged[i].data(), static_cast<int32_t>(damaged[i].size()));
    stream.SetPosition(0);
    TcxBitmap target;
    EXPECT_THROW(target.ReadData(&stream), Exception) << "case " << i;
  }
}

}  // namespace
