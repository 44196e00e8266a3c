// The PNG files of the program's pictures, decoded by libpng instead of GDI+'s decoder: GDI+ costs
// about a millisecond a picture however small it is, and a window under a skin decodes a few dozen
// pictures at its first paint; libpng costs microseconds. Files whose pixels libpng would make
// differ from GDI+'s (16 bits a channel, a declared gamma) and damaged files are left to GDI+.
#include <cstring>

// libpng is the machine's own library, built with the system's C calling convention. Seeing the
// Windows macros the compiler defines, png.h would declare its functions __cdecl, which is the
// Windows convention here: the calls would pass their arguments where the library does not look.
#pragma push_macro("_WIN32")
#pragma push_macro("__WIN32__")
#undef _WIN32
#undef __WIN32__
#include <png.h>
#pragma pop_macro("__WIN32__")
#pragma pop_macro("_WIN32")
// png.h brings the C library's struct timeval, which Wine's socket header (through windows.h) would
// define again: with this, Wine names its own WS_timeval.
#define USE_WS_PREFIX

#include "dxGDIPlusClasses.h"

namespace {

// More pixels than any picture of a skin or a window has: larger ones go to GDI+.
constexpr uint64_t MaxPixels = 1u << 26;

// libpng's simplified reader, its state freed on every way out.
class TPngReader {
 public:
  TPngReader() { image_.version = PNG_IMAGE_VERSION; }
  ~TPngReader() { png_image_free(&image_); }
  TPngReader(const TPngReader&) = delete;
  TPngReader& operator=(const TPngReader&) = delete;
  png_image& Image() { return image_; }

 private:
  png_image image_{};
};

constexpr size_t SignatureLength = 8;

uint32_t ReadBigEndian(const char* p) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(p);
  return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

// Whether a gamma chunk comes before the image data (libpng ignores one after it).
bool DeclaresGamma(const std::string& png) {
  for (size_t at = SignatureLength; at + 8 <= png.size(); at += 12 + size_t(ReadBigEndian(png.data() + at))) {
    const char* type = png.data() + at + 4;
    if (std::memcmp(type, "IDAT", 4) == 0) return false;
    if (std::memcmp(type, "gAMA", 4) == 0) return true;
  }
  return false;
}

// libpng rounds 16-bit channels to 8 bits where GDI+ keeps their high byte, and corrects colours for
// the gamma a file declares where GDI+ ignores it.
bool LibPngReadsAsGdiPlus(const std::string& png, const png_image& image) {
  return (image.format & PNG_FORMAT_FLAG_LINEAR) == 0 && !DeclaresGamma(png);
}

// As GDI+ multiplies a colour by its alpha when it draws a picture with straight colours.
uint32_t Premultiplied(unsigned r, unsigned g, unsigned b, unsigned a) {
  if (a == 255) return 0xFF000000u | r << 16 | g << 8 | b;
  return a << 24 | (r * a + 127) / 255 << 16 | (g * a + 127) / 255 << 8 | (b * a + 127) / 255;
}

// Straight BGRA pixels made premultiplied in place; true when any of them is not opaque.
bool Premultiply(TdxRGBColors& pixels) {
  bool anyNotOpaque = false;
  for (uint32_t& pixel : pixels) {
    const unsigned a = pixel >> 24;
    anyNotOpaque |= a != 255;
    pixel = Premultiplied(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF, a);
  }
  return anyNotOpaque;
}

}  // namespace

bool DecodeSimplePng(const std::string& png, TSize& size, TdxRGBColors& pixels, bool& hasAlpha) {
  TPngReader reader;
  png_image& image = reader.Image();
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return false;
  if (!LibPngReadsAsGdiPlus(png, image) || uint64_t(image.width) * image.height > MaxPixels) return false;
  image.format = PNG_FORMAT_BGRA;
  pixels.resize(size_t(image.width) * image.height);
  // A warning is a file libpng read round a fault (image data left over, a damaged ancillary
  // chunk): GDI+ decides what such a file shows.
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) || image.warning_or_error != 0) {
    pixels.clear();
    return false;
  }
  hasAlpha = Premultiply(pixels);
  size = TSize(static_cast<int>(image.width), static_cast<int>(image.height));
  return true;
}
