#include "EngineOrientation.h"
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

struct OrientationFilter {
  EngineOrientation orientation;
  const char* filters;
};

const OrientationFilter kFilters[] = {
    {{1, 0, 0, 1}, ""},
    {{-1, 0, 0, 1}, "hflip,"},
    {{1, 0, 0, -1}, "vflip,"},
    {{-1, 0, 0, -1}, "hflip,vflip,"},
    {{0, 1, -1, 0}, "transpose=clock,"},
    {{0, -1, 1, 0}, "transpose=cclock,"},
    {{0, 1, 1, 0}, "transpose=cclock_flip,"},
    {{0, -1, -1, 0}, "transpose=clock_flip,"},
};

int SignOf(int32_t value) { return value < 0 ? -1 : 1; }

}  // namespace

EngineOrientation OrientationOf(const AVStream* stream) {
  size_t size = 0;
  const uint8_t* data = av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, &size);
  if (!data || size < 9 * sizeof(int32_t)) return EngineOrientation();
  int32_t m[9];
  std::memcpy(m, data, sizeof m);
  // m[0], m[1], m[3], m[4] are a, b, c, d in 16.16 fixed point.
  bool turned = std::llabs(m[1]) + std::llabs(m[3]) > std::llabs(m[0]) + std::llabs(m[4]);
  if (turned) return EngineOrientation{0, SignOf(m[1]), SignOf(m[3]), 0};
  return EngineOrientation{SignOf(m[0]), 0, 0, SignOf(m[4])};
}

void DisplayedSize(const AVStream* stream, int& width, int& height) {
  width = stream->codecpar->width;
  height = stream->codecpar->height;
  if (OrientationOf(stream).SwapsSides()) std::swap(width, height);
}

std::string OrientationFilters(const EngineOrientation& o) {
  for (const OrientationFilter& f : kFilters)
    if (f.orientation.a == o.a && f.orientation.b == o.b && f.orientation.c == o.c && f.orientation.d == o.d)
      return f.filters;
  return "";
}

void OrientPixels(const EngineOrientation& o, std::vector<uint8_t>& pixels, int& width, int& height) {
  if (o.Upright()) return;
  int turnedWidth = o.SwapsSides() ? height : width, turnedHeight = o.SwapsSides() ? width : height;
  std::vector<uint8_t> turned(pixels.size());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int tx = o.a * x + o.c * y, ty = o.b * x + o.d * y;
      if (o.a + o.c < 0) tx += turnedWidth - 1;
      if (o.b + o.d < 0) ty += turnedHeight - 1;
      std::memcpy(&turned[(size_t(ty) * turnedWidth + tx) * 4], &pixels[(size_t(y) * width + x) * 4], 4);
    }
  }
  pixels.swap(turned);
  width = turnedWidth;
  height = turnedHeight;
}
