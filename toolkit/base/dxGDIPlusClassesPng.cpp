// The PNG files the program's pictures are written as, decoded without GDI+: 8 bits a channel, RGB
// or RGBA, not interlaced. GDI+'s decoder costs about a millisecond a picture however small it is,
// and a window under a skin decodes a few dozen pictures at its first paint; this one costs
// microseconds. Anything else (palettes, grey, 16 bits, interlacing, a transparent colour, unknown
// critical chunks, a damaged stream) is left to GDI+.
#include <cstdlib>
#include <cstring>
#include <vector>

#include <zlib.h>

#include "dxGDIPlusClasses.h"

namespace {

constexpr unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// More pixels than any picture of a skin or a window has: larger ones go to GDI+.
constexpr uint64_t MaxPixels = 1u << 26;

uint32_t ReadBigEndian(const unsigned char* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

struct THeader {
  uint32_t Width = 0, Height = 0;
  int Channels = 0;  // 3 RGB, 4 RGBA
};

bool ReadHeader(const unsigned char* body, uint32_t length, THeader& header) {
  if (length != 13) return false;
  header.Width = ReadBigEndian(body);
  header.Height = ReadBigEndian(body + 4);
  const unsigned char depth = body[8], colourType = body[9], compression = body[10], filter = body[11],
                      interlace = body[12];
  if (depth != 8 || compression != 0 || filter != 0 || interlace != 0) return false;
  if (colourType != 2 && colourType != 6) return false;
  header.Channels = colourType == 6 ? 4 : 3;
  return header.Width > 0 && header.Height > 0 && uint64_t(header.Width) * header.Height <= MaxPixels;
}

bool IsCritical(const char* type) { return (type[0] & 0x20) == 0; }

// The header and the compressed image data (the IDAT chunks joined), or false for a kind of file
// this decoder leaves to GDI+. The chunks' lengths are checked here; their check sums were when
// the file was kept.
bool ReadChunks(const std::string& png, THeader& header, std::string& data) {
  if (png.size() < sizeof(Signature) || std::memcmp(png.data(), Signature, sizeof(Signature)) != 0) return false;
  const auto* bytes = reinterpret_cast<const unsigned char*>(png.data());
  bool headerRead = false;
  for (size_t at = sizeof(Signature); at + 12 <= png.size();) {
    const uint32_t length = ReadBigEndian(bytes + at);
    if (length > png.size() - at - 12) return false;
    const char* type = png.data() + at + 4;
    const unsigned char* body = bytes + at + 8;
    if (std::memcmp(type, "IHDR", 4) == 0) {
      if (headerRead || !ReadHeader(body, length, header)) return false;
      headerRead = true;
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      data.append(reinterpret_cast<const char*>(body), length);
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      return headerRead && !data.empty();
    } else if (std::memcmp(type, "tRNS", 4) == 0 || (IsCritical(type) && std::memcmp(type, "PLTE", 4) != 0)) {
      return false;  // a transparent colour, or a chunk that changes what the pixels mean
    }
    at += 12 + length;
  }
  return false;
}

// Exactly size bytes inflated from the zlib stream, no more and no fewer.
bool Inflate(const std::string& data, std::vector<unsigned char>& out, size_t size) {
  out.resize(size);
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(size);
  const int result = inflate(&stream, Z_FINISH);
  const bool whole = result == Z_STREAM_END && stream.avail_out == 0;
  inflateEnd(&stream);
  return whole;
}

int Paeth(int left, int up, int upLeft) {
  const int estimate = left + up - upLeft;
  const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up), toUpLeft = std::abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return left;
  return toUp <= toUpLeft ? up : upLeft;
}

// Undoes one row's filter in place; previous is the row above, already unfiltered (null for the
// first row).
bool Unfilter(unsigned char type, unsigned char* row, const unsigned char* previous, size_t length, size_t step) {
  if (type > 4) return false;
  if (type == 0) return true;
  for (size_t i = 0; i < length; ++i) {
    const int left = i >= step ? row[i - step] : 0;
    const int up = previous ? previous[i] : 0;
    const int upLeft = previous && i >= step ? previous[i - step] : 0;
    const int predicted = type == 1 ? left : type == 2 ? up : type == 3 ? (left + up) / 2 : Paeth(left, up, upLeft);
    row[i] = static_cast<unsigned char>(row[i] + predicted);
  }
  return true;
}

// As GDI+ multiplies a colour by its alpha when it draws a picture with straight colours.
uint32_t Premultiplied(unsigned r, unsigned g, unsigned b, unsigned a) {
  if (a == 255) return 0xFF000000u | r << 16 | g << 8 | b;
  return a << 24 | (r * a + 127) / 255 << 16 | (g * a + 127) / 255 << 8 | (b * a + 127) / 255;
}

}  // namespace

bool DecodeSimplePng(const std::string& png, TSize& size, TdxRGBColors& pixels, bool& hasAlpha) {
  THeader header;
  std::string data;
  if (!ReadChunks(png, header, data)) return false;
  const size_t rowLength = size_t(header.Width) * header.Channels;
  std::vector<unsigned char> raw;
  if (!Inflate(data, raw, (rowLength + 1) * header.Height)) return false;
  pixels.resize(size_t(header.Width) * header.Height);
  hasAlpha = false;
  const unsigned char* previous = nullptr;
  for (uint32_t y = 0; y < header.Height; ++y) {
    unsigned char* line = raw.data() + y * (rowLength + 1);
    unsigned char* row = line + 1;
    if (!Unfilter(line[0], row, previous, rowLength, header.Channels)) return false;
    uint32_t* out = pixels.data() + size_t(y) * header.Width;
    for (uint32_t x = 0; x < header.Width; ++x) {
      const unsigned char* p = row + size_t(x) * header.Channels;
      const unsigned a = header.Channels == 4 ? p[3] : 255;
      hasAlpha |= a != 255;
      out[x] = Premultiplied(p[0], p[1], p[2], a);
    }
    previous = row;
  }
  size = TSize(static_cast<int>(header.Width), static_cast<int>(header.Height));
  return true;
}
