#include "calderan_test.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <zlib.h>

#include "Classes.h"
#include "cxBaseUnits.h"
#include "dxGDIPlusClasses.h"

namespace {

class SimplePng : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartToolkitBaseUnits(); }
};

// A PNG file written here byte by byte: rows of straight 8-bit channels, each row filtered with the
// filter its table entry names, so that all five filters are read.
struct TPngSpec {
  int Width = 0, Height = 0;
  int ColourType = 6;  // 6 RGBA, 2 RGB, 3 palette, 0 grey
  int Depth = 8;
  int Interlace = 0;
  std::vector<unsigned char> Straight;  // Width * Height * channels
  std::vector<unsigned char> Filters;   // one per row, cycled
  std::vector<std::pair<std::string, std::string>> ExtraChunks;  // before the image data
};

void PutBigEndian(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(v >> shift & 0xFF);
}

void PutChunk(std::string& out, const std::string& type, const std::string& body) {
  PutBigEndian(out, static_cast<uint32_t>(body.size()));
  const std::string typed = type + body;
  out += typed;
  PutBigEndian(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(typed.data()),
                                               static_cast<uInt>(typed.size()))));
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// The filtered scan lines (each led by its filter type), compressed.
std::string ImageData(const TPngSpec& s, int channels) {
  const int rowLength = s.Width * channels;
  std::string raw;
  for (int y = 0; y < s.Height; ++y) {
    const unsigned char type = s.Filters.empty() ? 0 : s.Filters[y % s.Filters.size()];
    raw += static_cast<char>(type);
    const unsigned char* row = s.Straight.data() + y * rowLength;
    const unsigned char* up = y > 0 ? row - rowLength : nullptr;
    for (int i = 0; i < rowLength; ++i) {
      const int a = i >= channels ? row[i - channels] : 0, b = up ? up[i] : 0, c = up && i >= channels ? up[i - channels] : 0;
      const int predicted = type == 1 ? a : type == 2 ? b : type == 3 ? (a + b) / 2 : type == 4 ? Paeth(a, b, c) : 0;
      raw += static_cast<char>((row[i] - predicted) & 0xFF);
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
           static_cast<uLong>(raw.size()));
  packed.resize(size);
  return packed;
}

std::string WritePng(const TPngSpec& s, const std::string* data = nullptr) {
  const int channels = s.ColourType == 6 ? 4 : s.ColourType == 2 ? 3 : 1;
  std::string out("\x89PNG\r\n\x1A\n", 8), header;
  PutBigEndian(header, s.Width);
  PutBigEndian(header, s.Height);
  header += {static_cast<char>(s.Depth), static_cast<char>(s.ColourType), 0, 0, static_cast<char>(s.Interlace)};
  PutChunk(out, "IHDR", header);
  for (const auto& [type, body] : s.ExtraChunks) PutChunk(out, type, body);
  PutChunk(out, "IDAT", data ? *data : ImageData(s, channels));
  PutChunk(out, "IEND", "");
  return out;
}

// A picture with every alpha from clear to opaque and colours at both ends of the byte, so that the
// filters' sums wrap round.
TPngSpec Sample(int colourType) {
  TPngSpec s;
  s.Width = 7, s.Height = 10, s.ColourType = colourType;
  s.Filters = {0, 1, 2, 3, 4};
  const int channels = colourType == 6 ? 4 : 3;
  for (int y = 0; y < s.Height; ++y)
    for (int x = 0; x < s.Width; ++x) {
      const unsigned char rgba[4] = {static_cast<unsigned char>(x * 40 + y * 3), static_cast<unsigned char>(255 - y * 25),
                                     static_cast<unsigned char>((x * y * 37) & 0xFF),
                                     static_cast<unsigned char>(x == 0 ? 0 : x == 6 ? 255 : x * 37 + y)};
      s.Straight.insert(s.Straight.end(), rgba, rgba + channels);
    }
  return s;
}

// What GDI+'s own decoder makes of a file, as 32-bit premultiplied pixels.
std::vector<uint32_t> GdiPlusPixels(const std::string& png, int width, int height) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, png.size());
  std::memcpy(GlobalLock(memory), png.data(), png.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(memory, TRUE, &stream);
  Gdiplus::GpBitmap* bitmap = nullptr;
  std::vector<uint32_t> pixels;
  if (GdiPlusFunctions.GdipCreateBitmapFromStream(stream, &bitmap) == Gdiplus::Ok) {
    Gdiplus::GpRect all{0, 0, width, height};
    Gdiplus::BitmapData data{};
    if (GdiPlusFunctions.GdipBitmapLockBits(bitmap, &all, 1 /* read */, 0x000E200B /* PARGB */, &data) == Gdiplus::Ok) {
      for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const char*>(data.Scan0) + y * data.Stride);
        pixels.insert(pixels.end(), row, row + width);
      }
      GdiPlusFunctions.GdipBitmapUnlockBits(bitmap, &data);
    }
    GdiPlusFunctions.GdipDisposeImage(bitmap);
  }
  stream->Release();
  return pixels;
}

TEST_F(SimplePng, ReadsEveryFilterOfRgbaAndRgbAsGdiPlusDoes) {
  for (int colourType : {6, 2}) {
    SCOPED_TRACE(colourType == 6 ? "RGBA" : "RGB");
    const TPngSpec spec = Sample(colourType);
    const std::string png = WritePng(spec);
    TSize size;
    TdxRGBColors pixels;
    bool hasAlpha = false;
    ASSERT_TRUE(DecodeSimplePng(png, size, pixels, hasAlpha));
    EXPECT_EQ(size.cx, 7);
    EXPECT_EQ(size.cy, 10);
    EXPECT_EQ(hasAlpha, colourType == 6);
    const std::vector<uint32_t> reference = GdiPlusPixels(png, 7, 10);
    ASSERT_EQ(reference.size(), pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i)
      EXPECT_EQ(pixels[i], reference[i]) << "pixel " << i % 7 << "," << i / 7 << " (row filter " << i / 7 % 5 << ")";
    // Colours multiplied by alpha: a clear pixel is all zero, an opaque one keeps its colour.
    const int channels = colourType == 6 ? 4 : 3;
    const unsigned char* opaque = spec.Straight.data() + (6) * channels;
    EXPECT_EQ(pixels[6], 0xFF000000u | opaque[0] << 16 | opaque[1] << 8 | opaque[2]);
    if (colourType == 6) EXPECT_EQ(pixels[0], 0u);
  }
}

// A picture that is not of the simple kind, or is damaged, is left to GDI+ with nothing decoded.
TEST_F(SimplePng, LeavesOtherKindsAndDamagedFilesToGdiPlus) {
  const TPngSpec good = Sample(6);
  const std::string goodData = ImageData(good, 4);
  auto with = [&](auto change) {
    TPngSpec s = good;
    change(s);
    return WritePng(s);
  };
  std::string cut = goodData.substr(0, goodData.size() / 2), badFilter;
  {
    TPngSpec s = good;
    s.Filters = {5};
    badFilter = WritePng(s);
  }
  TPngSpec shortRows = good;
  shortRows.Height = 11;  // one row more than the data holds
  TPngSpec longRows = good;
  longRows.Height = 9;  // one row fewer than the data holds
  struct Case {
    const char* Name;
    std::string Png;
  } const cases[] = {
      {"palette", with([](TPngSpec& s) { s.ColourType = 3, s.ExtraChunks = {{"PLTE", std::string(3, '\0')}}; })},
      {"grey", with([](TPngSpec& s) { s.ColourType = 0; })},
      {"16 bits", with([](TPngSpec& s) { s.Depth = 16; })},
      {"interlaced", with([](TPngSpec& s) { s.Interlace = 1; })},
      {"a transparent colour", with([](TPngSpec& s) { s.ColourType = 2, s.ExtraChunks = {{"tRNS", std::string(6, '\0')}}; })},
      {"an unknown critical chunk", with([](TPngSpec& s) { s.ExtraChunks = {{"ABCD", "x"}}; })},
      {"image data cut short", WritePng(good, &cut)},
      {"a sixth filter", badFilter},
      {"fewer rows than the header", WritePng(shortRows, &goodData)},
      {"more rows than the header", WritePng(longRows, &goodData)},
      {"no PNG", "BM not a PNG at all"},
  };
  for (const Case& c : cases) {
    TSize size;
    TdxRGBColors pixels;
    bool hasAlpha = false;
    EXPECT_FALSE(DecodeSimplePng(c.Png, size, pixels, hasAlpha)) << c.Name;
  }
  // A suggested palette and other ancillary chunks beside RGBA data change nothing.
  TSize size;
  TdxRGBColors pixels;
  bool hasAlpha = false;
  EXPECT_TRUE(DecodeSimplePng(
      with([](TPngSpec& s) { s.ExtraChunks = {{"PLTE", std::string(3, '\0')}, {"tEXt", std::string("a\0b", 3)}}; }),
      size, pixels, hasAlpha));
}

// A picture read from a stream is decoded here on its first use, into pixels of its own (its alpha
// is then read there); one of another kind still shows its pixels, through GDI+.
TEST_F(SimplePng, APictureDecodesOnFirstUseWithoutGdiPlusUnlessItMust) {
  TPngSpec grey;
  grey.Width = 2, grey.Height = 1, grey.ColourType = 0, grey.Straight = {0x00, 0xFF};
  struct Case {
    const char* Name;
    std::string Png;
    bool OwnPixels, HasAlpha;
    uint32_t FirstPixel;
  } const cases[] = {
      {"RGBA", WritePng(Sample(6)), true, true, 0},
      {"RGB", WritePng(Sample(2)), true, false, GdiPlusPixels(WritePng(Sample(2)), 7, 10)[0]},
      {"grey", WritePng(grey), false, false, 0xFF000000u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TMemoryStream stream;
    stream.WriteBuffer(c.Png.data(), static_cast<int32_t>(c.Png.size()));
    stream.SetPosition(0);
    TdxPNGImage picture;
    picture.LoadFromStream(&stream);
    ASSERT_NE(picture.Image(), nullptr);
    EXPECT_EQ(picture.Image()->PixelData(), nullptr) << "still encoded before its first use";
    ASSERT_NE(picture.Image()->Handle(), nullptr);
    EXPECT_EQ(picture.Image()->PixelData() != nullptr, c.OwnPixels);
    EXPECT_EQ(picture.HasAlpha(), c.HasAlpha);
    std::unique_ptr<TBitmap> bitmap(picture.ToBitmap());
    TdxRGBColors shown;
    TdxGPImage::ReadBitmapPixels(bitmap.get(), shown);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0], c.FirstPixel);
  }
}

}  // namespace
