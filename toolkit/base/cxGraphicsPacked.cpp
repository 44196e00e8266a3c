// The packed stored form of toolkit bitmaps: a 10-byte header (packed byte count, "XDBM", 1, 0)
// followed by runs of at most 125 bytes, each a control byte (length, plus 0x80 for a literal run)
// and either the repeated byte once or the literal bytes.
#include "cxGraphics.h"

namespace {

constexpr int MaxRun = 125;

// Length of the run starting at data[i]; repeat tells its kind.
int RunLength(const Byte* data, size_t size, size_t i, bool repeat) {
  int length = 1;
  while (length < MaxRun && i + length < size) {
    Byte c = data[i + length], previous = data[i + length - 1];
    if (repeat ? c != previous : c == previous) {
      // The previous byte of a literal run begins the repeat run that follows.
      if (!repeat) --length;
      break;
    }
    ++length;
  }
  return length;
}

[[noreturn]] void Corrupted(const char* why) { throw EReadError(std::string("Packed bitmap data is corrupted: ") + why); }

}  // namespace

std::vector<Byte> PackBitmapData(const Byte* data, size_t size) {
  std::vector<Byte> packed;
  size_t i = 0;
  while (i < size) {
    bool repeat = i + 1 < size && data[i + 1] == data[i];
    int length = RunLength(data, size, i, repeat);
    if (repeat) {
      packed.push_back(static_cast<Byte>(length));
      packed.push_back(data[i]);
    } else {
      packed.push_back(static_cast<Byte>(length | 0x80));
      packed.insert(packed.end(), data + i, data + i + length);
    }
    i += length;
  }
  return packed;
}

std::vector<Byte> UnpackBitmapData(const Byte* packed, size_t size) {
  std::vector<Byte> data;
  size_t i = 0;
  while (i < size) {
    Byte control = packed[i++];
    size_t n = control & 0x7F;
    if (control & 0x80) {
      if (n > size - i) Corrupted("a literal run reaches past the end");
      data.insert(data.end(), packed + i, packed + i + n);
      i += n;
    } else {
      if (i >= size) Corrupted("a repeat run lacks its byte");
      data.insert(data.end(), n, packed[i++]);
    }
  }
  return data;
}
