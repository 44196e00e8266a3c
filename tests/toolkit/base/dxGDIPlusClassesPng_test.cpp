#include "calderan_test.h"

#include <algorithm>
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

// A PNG file written here byte by byte: rows of straight channels, each row filtered with the
// filter its table entry names, so that all five filters are read.
struct TPngSpec {
  int Width = 0, Height = 0;
  int ColourType = 6;  // 6 RGBA, 2 RGB, 4 grey and alpha, 3 palette, 0 grey
  int Depth = 8;
  int Interlace = 0;  // 1: the seven passes, for pixels of whole bytes
  std::vector<unsigned char> Straight;  // the rows as the file packs them (RowLength bytes each)
  std::vector<unsigned char> Filters;   // one per row, cycled (through the passes when interlaced)
  std::vector<std::pair<std::string, std::string>> ExtraChunks;  // before the image data
};

int Channels(int colourType) {
  switch (colourType) {
    case 6: return 4;
    case 2: return 3;
    case 4: return 2;
    default: return 1;
  }
}

int BitsPerPixel(const TPngSpec& s) { return Channels(s.ColourType) * s.Depth; }
size_t RowLength(const TPngSpec& s, int width) { return (size_t(width) * BitsPerPixel(s) + 7) / 8; }

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

// Rows of rowLength bytes, each led by its filter type (the next of the table) and filtered with it;
// step is the bytes of a pixel (1 for pixels smaller than a byte).
void PutFilteredRows(const TPngSpec& s, const unsigned char* rows, int height, size_t rowLength, size_t& nextFilter,
                     std::string& raw) {
  const int step = std::max(1, BitsPerPixel(s) / 8);
  for (int y = 0; y < height; ++y) {
    const unsigned char type = s.Filters.empty() ? 0 : s.Filters[nextFilter++ % s.Filters.size()];
    raw += static_cast<char>(type);
    const unsigned char* row = rows + y * rowLength;
    const unsigned char* up = y > 0 ? row - rowLength : nullptr;
    for (size_t i = 0; i < rowLength; ++i) {
      const int a = i >= size_t(step) ? row[i - step] : 0, b = up ? up[i] : 0,
                c = up && i >= size_t(step) ? up[i - step] : 0;
      const int predicted = type == 1 ? a : type == 2 ? b : type == 3 ? (a + b) / 2 : type == 4 ? Paeth(a, b, c) : 0;
      raw += static_cast<char>((row[i] - predicted) & 0xFF);
    }
  }
}

// The seven passes of an interlaced image: the first pixel each takes and its steps across and down.
struct TPass {
  int X, Y, StepX, StepY;
};
constexpr TPass Passes[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                             {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

// The pixels a pass takes, as rows of their own.
std::vector<unsigned char> PassRows(const TPngSpec& s, const TPass& pass, int& width, int& height) {
  const size_t pixelBytes = BitsPerPixel(s) / 8;
  width = (s.Width - pass.X + pass.StepX - 1) / pass.StepX;
  height = (s.Height - pass.Y + pass.StepY - 1) / pass.StepY;
  std::vector<unsigned char> rows;
  for (int y = pass.Y; y < s.Height; y += pass.StepY)
    for (int x = pass.X; x < s.Width; x += pass.StepX) {
      const unsigned char* pixel = s.Straight.data() + y * RowLength(s, s.Width) + x * pixelBytes;
      rows.insert(rows.end(), pixel, pixel + pixelBytes);
    }
  return rows;
}

// The filtered scan lines, compressed.
std::string ImageData(const TPngSpec& s) {
  std::string raw;
  size_t nextFilter = 0;
  if (s.Interlace == 0) {
    PutFilteredRows(s, s.Straight.data(), s.Height, RowLength(s, s.Width), nextFilter, raw);
  } else {
    for (const TPass& pass : Passes) {
      int width = 0, height = 0;
      const std::vector<unsigned char> rows = PassRows(s, pass, width, height);
      if (width > 0 && height > 0) PutFilteredRows(s, rows.data(), height, RowLength(s, width), nextFilter, raw);
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
  std::string out("\x89PNG\r\n\x1A\n", 8), header;
  PutBigEndian(header, s.Width);
  PutBigEndian(header, s.Height);
  header += {static_cast<char>(s.Depth), static_cast<char>(s.ColourType), 0, 0, static_cast<char>(s.Interlace)};
  PutChunk(out, "IHDR", header);
  for (const auto& [type, body] : s.ExtraChunks) PutChunk(out, type, body);
  PutChunk(out, "IDAT", data ? *data : ImageData(s));
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

// A picture of any kind whose bytes run through the whole byte in no order (every index of a full
// palette, every grey, 16-bit channels whose low bytes differ from their high ones), with a
// palette of every entry the depth allows.
TPngSpec Patterned(int colourType, int depth) {
  TPngSpec s;
  s.Width = 7, s.Height = 10, s.ColourType = colourType, s.Depth = depth;
  s.Filters = {0, 1, 2, 3, 4};
  for (int y = 0; y < s.Height; ++y)
    for (size_t i = 0; i < RowLength(s, s.Width); ++i) s.Straight.push_back(static_cast<unsigned char>(i * 29 + y * 71 + i * y * 13));
  if (colourType == 3) {
    std::string palette;
    for (int entry = 0; entry < 1 << depth; ++entry)
      palette += {static_cast<char>(entry * 7), static_cast<char>(255 - entry * 3), static_cast<char>(entry * entry)};
    s.ExtraChunks.push_back({"PLTE", palette});
  }
  return s;
}

TPngSpec With(TPngSpec s, const std::string& type, const std::string& body) {
  s.ExtraChunks.push_back({type, body});
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
    if (colourType == 6) {
      EXPECT_EQ(pixels[0], 0u);
    }
  }
}

// libpng reads every kind of PNG file; those it reads as GDI+ does are decoded to the same pixels,
// the others and damaged files are left to GDI+ with nothing decoded.
TEST_F(SimplePng, DecodesOtherKindsAsGdiPlusDoesAndLeavesDamagedFilesToIt) {
  const TPngSpec good = Sample(6);
  const std::string goodData = ImageData(good);
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
  std::string wrongSum = WritePng(good);
  wrongSum[wrongSum.size() - 12 - 1] ^= 1;  // the last byte of the image data's check sum
  TPngSpec clearIndices = Patterned(3, 4);  // 16 entries, from clear to opaque
  std::string alphas;
  for (int entry = 0; entry < 16; ++entry) alphas += static_cast<char>(entry * 17);
  clearIndices.ExtraChunks.push_back({"tRNS", alphas});
  TPngSpec interlaced = good;
  interlaced.Interlace = 1;
  const std::string green("\0\0\0\xFF\0\0", 6);  // the colour of Sample(2)'s first pixel, 16 bits a channel
  const std::string gammaOne("\0\x01\x86\xA0", 4);  // 100000: linear
  TPngSpec gammaPalette = Patterned(3, 8);
  gammaPalette.ExtraChunks.insert(gammaPalette.ExtraChunks.begin(), {"gAMA", gammaOne});  // before the palette
  struct Case {
    const char* Name;
    std::string Png;
    bool Decoded;
  } const cases[] = {
      {"a palette of 256 colours", WritePng(Patterned(3, 8)), true},
      {"a palette of 16 colours in 4 bits with clear entries", WritePng(clearIndices), true},
      {"grey", WritePng(Patterned(0, 8)), true},
      {"grey in 1 bit", WritePng(Patterned(0, 1)), true},
      {"grey with a transparent grey", WritePng(With(Patterned(0, 8), "tRNS", std::string(2, '\0'))), true},
      {"grey and alpha", WritePng(Patterned(4, 8)), true},
      {"RGB with a transparent colour", WritePng(With(Sample(2), "tRNS", green)), true},
      {"interlaced", WritePng(interlaced), true},
      {"a suggested palette and text beside RGBA",
       with([](TPngSpec& s) { s.ExtraChunks = {{"PLTE", std::string(3, '\0')}, {"tEXt", std::string("a\0b", 3)}}; }),
       true},
      {"the sRGB colour space", WritePng(With(Sample(6), "sRGB", std::string(1, '\0'))), true},
      {"16-bit RGBA", WritePng(Patterned(6, 16)), false},
      {"16-bit grey", WritePng(Patterned(0, 16)), false},
      {"a gamma of 1", WritePng(With(Sample(6), "gAMA", gammaOne)), false},
      {"a gamma of 1 over a palette", WritePng(gammaPalette), false},
      {"an unknown critical chunk", with([](TPngSpec& s) { s.ExtraChunks = {{"ABCD", "x"}}; }), false},
      {"interlaced header over rows written whole", WritePng(interlaced, &goodData), false},
      {"image data cut short", WritePng(good, &cut), false},
      {"a sixth filter", badFilter, false},
      {"fewer rows than the header", WritePng(shortRows, &goodData), false},
      {"more rows than the header", WritePng(longRows, &goodData), false},
      {"a wrong check sum", wrongSum, false},
      {"no PNG", "BM not a PNG at all", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TSize size;
    TdxRGBColors pixels;
    bool hasAlpha = false;
    const bool decoded = DecodeSimplePng(c.Png, size, pixels, hasAlpha);
    EXPECT_EQ(decoded, c.Decoded);
    if (!decoded) {
      EXPECT_TRUE(pixels.empty());
      continue;
    }
    EXPECT_EQ(size.cx, 7);
    EXPECT_EQ(size.cy, 10);
    const std::vector<uint32_t> reference = GdiPlusPixels(c.Png, 7, 10);
    EXPECT_EQ(reference.size(), pixels.size());
    if (reference.size() != pixels.size()) continue;
    bool referenceHasAlpha = false;
    for (size_t i = 0; i < pixels.size(); ++i) {
      EXPECT_EQ(pixels[i], reference[i]) << "pixel " << i % 7 << "," << i / 7;
      referenceHasAlpha |= reference[i] >> 24 != 0xFF;
    }
    EXPECT_EQ(hasAlpha, referenceHasAlpha);
  }
}

// A picture read from a stream is decoded here on its first use, into pixels of its own (its alpha
// is then read there); one of another kind still shows its pixels, through GDI+.
TEST_F(SimplePng, APictureDecodesOnFirstUseWithoutGdiPlusUnlessItMust) {
  TPngSpec grey, deepGrey;
  grey.Width = 2, grey.Height = 1, grey.ColourType = 0, grey.Straight = {0x00, 0xFF};
  deepGrey = grey, deepGrey.Depth = 16, deepGrey.Straight = {0x00, 0x00, 0xFF, 0xFF};
  struct Case {
    const char* Name;
    std::string Png;
    bool OwnPixels, HasAlpha;
    uint32_t FirstPixel;
  } const cases[] = {
      {"RGBA", WritePng(Sample(6)), true, true, 0},
      {"RGB", WritePng(Sample(2)), true, false, GdiPlusPixels(WritePng(Sample(2)), 7, 10)[0]},
      {"grey", WritePng(grey), true, false, 0xFF000000u},
      {"16-bit grey", WritePng(deepGrey), false, false, 0xFF000000u},
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
