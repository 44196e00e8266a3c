// The bridge to libjpeg62. Its header declares `boolean` as int while <windows.h> makes it an
// unsigned char, and the library's structures are laid out with int: only JpegCodec.cpp sees
// jpeglib.h, and it never sees <windows.h>. Pixels cross the bridge as plain rows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TJpegPixels {
  int Width = 0;
  int Height = 0;
  int Components = 3;          // 3: RGB, 1: grey
  std::vector<uint8_t> Rows;   // top row first, Width * Components bytes per row, no padding
};

// Both answer false with the library's message in `error` when the data or the call is bad.
bool JpegDecode(const uint8_t* data, size_t size, bool grayscale, TJpegPixels& pixels, std::string& error);
bool JpegEncode(const TJpegPixels& pixels, int quality, bool progressive, std::vector<uint8_t>& data, std::string& error);
