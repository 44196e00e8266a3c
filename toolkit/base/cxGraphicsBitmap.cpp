// Toolkit bitmaps: bitmap turning, the update-locked bitmap with its packed stored form, and the
// 32-bit bitmap with transparent colours and per-pixel filters.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "cxGraphics.h"

CALDERAN_IMPLEMENT_CREATABLE0(TcxCustomBitmap, TBitmap)
CALDERAN_IMPLEMENT_CREATABLE0(TcxBitmap, TcxCustomBitmap)

namespace {

constexpr char PackedSignature[4] = {'X', 'D', 'B', 'M'};
constexpr int PackedHeaderSize = 10;

// Whole-bitmap pixel transfers as 32-bit values; a negative height asks for rows top-down.
BITMAPINFO PixelHeader(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

class TScreenDC {
 public:
  TScreenDC() : dc_(CreateCompatibleDC(nullptr)) {
    if (!dc_) throw EOutOfResources("Cannot create a device context");
  }
  ~TScreenDC() { DeleteDC(dc_); }
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// The pixel transfers want the bitmap out of the canvas's device context.
void ReadPixels(HDC dc, TBitmap* bitmap, BITMAPINFO info, std::vector<TcxPixel>& pixels) {
  const int rows = std::abs(static_cast<int>(info.bmiHeader.biHeight));
  pixels.assign(static_cast<size_t>(info.bmiHeader.biWidth) * rows, 0);
  if (pixels.empty()) return;
  bitmap->Dormant();
  if (GetDIBits(dc, bitmap->Handle(), 0, rows, pixels.data(), &info, DIB_RGB_COLORS) != rows)
    throw EInvalidGraphicOperation("Cannot read the pixels of a bitmap");
}

void WritePixels(HDC dc, TBitmap* bitmap, BITMAPINFO info, const std::vector<TcxPixel>& pixels) {
  const int rows = std::abs(static_cast<int>(info.bmiHeader.biHeight));
  if (pixels.empty()) return;
  bitmap->Dormant();
  if (SetDIBits(dc, bitmap->Handle(), 0, rows, pixels.data(), &info, DIB_RGB_COLORS) != rows)
    throw EInvalidGraphicOperation("Cannot write the pixels of a bitmap");
}

// Index of source pixel (x, y) in the turned picture (rows top-down).
size_t TurnedIndex(TcxRotationAngle kind, bool flip, int x, int y, int w, int h) {
  switch (kind) {
    case raPlus90: return flip ? size_t(x) * h + y : size_t(w - 1 - x) * h + y;
    case raMinus90: return flip ? size_t(w - 1 - x) * h + (h - 1 - y) : size_t(x) * h + (h - 1 - y);
    case ra180: return flip ? size_t(y) * w + (w - 1 - x) : size_t(h - 1 - y) * w + (w - 1 - x);
    default: return size_t(h - 1 - y) * w + x;
  }
}

Byte Clamp(long double v) { return static_cast<Byte>(std::clamp<long double>(std::nearbyint(v), 0, 255)); }

Byte Channel(TcxPixel p, int shift) { return static_cast<Byte>(p >> shift); }
TcxPixel MakePixel(Byte a, Byte r, Byte g, Byte b) {
  return (TcxPixel{a} << 24) | (TcxPixel{r} << 16) | (TcxPixel{g} << 8) | b;
}

// Weighted gray into B, G and R; alpha stays. The weights are single-precision numbers.
TcxPixel Gray(TcxPixel p, float wr, float wg, float wb) {
  Byte g = Clamp(Channel(p, 16) * static_cast<long double>(wr) + Channel(p, 8) * static_cast<long double>(wg) +
                 Channel(p, 0) * static_cast<long double>(wb));
  return MakePixel(Channel(p, 24), g, g, g);
}

// Blends source s at constant alpha k into p; s's colour is taken as premultiplied.
TcxPixel Blend(TcxPixel p, TcxPixel s, Byte k) {
  long double c = k / 255.0L, d = c * Channel(s, 24), e = 1 - d / 255;
  auto mix = [&](int shift) { return Clamp(c * Channel(s, shift) + e * Channel(p, shift)); };
  return MakePixel(Clamp(d + e * Channel(p, 24)), mix(16), mix(8), mix(0));
}

TcxPixel Lighten(TcxPixel p) {
  auto up = [&](int shift) { Byte c = Channel(p, shift); return static_cast<Byte>(std::min(255, c + MulDiv(255 - c, 3, 10))); };
  auto down = [&](int shift) { return static_cast<Byte>(std::clamp(MulDiv(Channel(p, shift), 200, 255), 0, 255)); };
  if (Channel(p, 24) == 255) return MakePixel(255, up(16), up(8), up(0));
  return MakePixel(down(24), down(16), down(8), down(0));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Colours and bitmap turning

TcxPixel ColorToPixel(TColor color, Byte alpha) {
  COLORREF rgb = ColorToRGB(color);
  return MakePixel(alpha, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

int TcxColorList::IndexOf(Cardinal value) const {
  auto it = std::find(items_.begin(), items_.end(), value);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void AddTransparentColor(TcxColorList& list, TColor color) { list.Add(ColorToPixel(color, 0) & 0x00FFFFFF); }

void TcxCanvas::TurnBitmap(TBitmap* bitmap, TcxRotationAngle kind, bool flipVertically) {
  if (kind == ra0 && !flipVertically) return;
  const int w = bitmap->Width(), h = bitmap->Height();
  if (w <= 0 || h <= 0) return;
  TScreenDC dc;
  std::vector<TcxPixel> source, target(size_t(w) * h);
  ReadPixels(dc, bitmap, PixelHeader(w, -h), source);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) target[TurnedIndex(kind, flipVertically, x, y, w, h)] = source[size_t(y) * w + x];
  int newWidth = w, newHeight = h;
  if (kind == raPlus90 || kind == raMinus90) {
    newWidth = h;
    newHeight = w;
    bitmap->SetSize(newWidth, newHeight);  // in one step: an empty bitmap keeps no width
  }
  WritePixels(dc, bitmap, PixelHeader(newWidth, -newHeight), target);
}

// ---------------------------------------------------------------------------------------------
// TcxCustomBitmap

TcxCustomBitmap::TcxCustomBitmap(int width, int height, TPixelFormat pixelFormat) {
  cxCanvas_ = std::make_unique<TcxCanvas>(TBitmap::Canvas());
  BeginUpdate();
  SetPixelFormat(pixelFormat);  // first, so that the picture is made once, in its format
  TBitmap::SetSize(width, height);
  EndUpdate(true);
}

TcxCustomBitmap::~TcxCustomBitmap() = default;

void TcxCustomBitmap::EndUpdate(bool forceChanged) {
  if (updateCount_ <= 0) return;
  --updateCount_;
  if (updateCount_ == 0 && (forceChanged || changedWhileLocked_)) Changed(this);
}

void TcxCustomBitmap::Changed(TObject* sender) {
  if (updateCount_ > 0) {
    changedWhileLocked_ = true;
    return;
  }
  TBitmap::Changed(sender);
  Update();
  changedWhileLocked_ = false;
}

void TcxCustomBitmap::SetSize(int32_t width, int32_t height) {
  // One resize, not width then height: the framework reports a new picture to OnChange itself,
  // bypassing the lock, so two steps would report twice.
  BeginUpdate();
  TBitmap::SetSize(width, height);
  EndUpdate(false);
}

void TcxCustomBitmap::Clear() {
  if (Empty()) return;
  PatBlt(TBitmap::Canvas()->Handle(), 0, 0, Width(), Height(), BLACKNESS);
}

void TcxCustomBitmap::BlitFrom(TBitmap* source, DWORD rop) {
  BitBlt(TBitmap::Canvas()->Handle(), 0, 0, Width(), Height(), source->Canvas()->Handle(), 0, 0, rop);
}

void TcxCustomBitmap::BlitRectFrom(TBitmap* source, const TRect& destRect, DWORD rop, const TPoint& sourceOrigin) {
  BitBlt(TBitmap::Canvas()->Handle(), destRect.Left, destRect.Top, destRect.Width(), destRect.Height(),
         source->Canvas()->Handle(), sourceOrigin.X, sourceOrigin.Y, rop);
}

void TcxCustomBitmap::Rotate(TcxRotationAngle kind, bool flipVertically) {
  cxCanvas_->TurnBitmap(this, kind, flipVertically);
}

void TcxCustomBitmap::WriteData(TStream* stream) {
  if (!compressData_) {
    TBitmap::WriteData(stream);
    return;
  }
  TMemoryStream plain;
  TBitmap::WriteData(&plain);
  std::vector<Byte> packed =
      PackBitmapData(static_cast<const Byte*>(plain.Memory()), static_cast<size_t>(plain.Size()));
  Byte header[PackedHeaderSize] = {};
  const int32_t count = static_cast<int32_t>(packed.size());
  std::memcpy(header, &count, 4);  // little-endian on every platform this runs on
  std::memcpy(header + 4, PackedSignature, 4);
  header[8] = 1;
  stream->WriteBuffer(header, PackedHeaderSize);
  stream->WriteBuffer(packed.data(), count);
}

void TcxCustomBitmap::ReadData(TStream* stream) {
  const int64_t start = stream->Position();
  Byte header[PackedHeaderSize];
  if (stream->Read(header, PackedHeaderSize) != PackedHeaderSize ||
      std::memcmp(header + 4, PackedSignature, 4) != 0) {
    stream->SetPosition(start);
    TBitmap::ReadData(stream);
    return;
  }
  int32_t count;
  std::memcpy(&count, header, 4);
  // A count beyond the stream's end means a cut or damaged stream; never allocate for it.
  if (count < 0 || count > stream->Size() - stream->Position())
    throw EReadError("Packed bitmap data is truncated");
  std::vector<Byte> packed(count);
  stream->ReadBuffer(packed.data(), count);
  std::vector<Byte> plain = UnpackBitmapData(packed.data(), packed.size());
  TMemoryStream unpacked;
  if (!plain.empty()) unpacked.WriteBuffer(plain.data(), static_cast<int32_t>(plain.size()));
  unpacked.SetPosition(0);
  TBitmap::ReadData(&unpacked);
}

// ---------------------------------------------------------------------------------------------
// TcxBitmap

TcxBitmap::TcxBitmap(int width, int height, TPixelFormat) : TcxCustomBitmap(width, height, TPixelFormat::pf32bit) {
  dc_ = CreateCompatibleDC(nullptr);
  if (!dc_) throw EOutOfResources("Cannot create a device context");
  Clear();
}

TcxBitmap* TcxBitmap::CreateWithTransparent(int width, int height, TcxPixel transparentPixel) {
  auto* bitmap = new TcxBitmap(width, height);
  bitmap->TransparentPixel = transparentPixel;
  bitmap->Clear();
  return bitmap;
}

TcxBitmap::~TcxBitmap() {
  if (dc_) DeleteDC(dc_);
}

void TcxBitmap::SetSize(int32_t width, int32_t height) {
  TcxCustomBitmap::SetSize(width, height);
  Clear();
}

void TcxBitmap::Clear() {
  if (Channel(TransparentPixel, 24) != 0)
    Filter(cxbfClear);
  else
    TcxCustomBitmap::Clear();
}

std::vector<TcxPixel> TcxBitmap::GetPixels() {
  std::vector<TcxPixel> pixels;
  ReadPixels(dc_, this, PixelHeader(Width(), Height()), pixels);
  return pixels;
}

void TcxBitmap::SetPixels(const std::vector<TcxPixel>& pixels) {
  if (pixels.size() != size_t(Width()) * Height())
    throw EInvalidGraphicOperation("The pixel array does not fit the bitmap");
  WritePixels(dc_, this, PixelHeader(Width(), Height()), pixels);
}

void TcxBitmap::MakeOpaque() { Filter(cxbfOpaque); }

bool TcxBitmap::HasAlpha() {
  for (TcxPixel p : GetPixels())
    if (Channel(p, 24) != 0) return true;
  return false;
}

void TcxBitmap::SetTransparentColor(TColor color) {
  TransparentColors.Clear();
  AddTransparentColor(TransparentColors, color);
  TransparentPixel = ColorToPixel(color, 0);
  Filter(cxbfOpaqueNonTransparent);
}

void TcxBitmap::ApplyMask(TBitmap* mask) { BlitFrom(mask, 0x00220326); }

void TcxBitmap::DrawChecker(TColor color1, TColor color2, int cellSize, Byte alpha1, Byte alpha2) {
  checker_.Color1 = ColorToPixel(color1, 255);
  checker_.Alpha1 = alpha1;
  checker_.Color2 = ColorToPixel(color2, 255);
  checker_.Alpha2 = alpha2;
  // A cell of no size would divide by zero; one pixel is the smallest checker there is.
  checker_.CellSize = static_cast<Byte>(std::clamp(cellSize, 1, 255));
  Filter(cxbfChecker);
}

bool TcxBitmap::IsTransparent(TcxPixel pixel) const {
  return pixel == TransparentPixel || TransparentColors.IndexOf(pixel & 0x00FFFFFF) >= 0;
}

void TcxBitmap::ApplyFilter(int mode, TcxPixel& p) {
  static const bool skipsTransparent[] = {true, true, true, false, false, true, true, false, false, false};
  if (skipsTransparent[mode] && IsTransparent(p)) return;
  switch (mode) {
    case cxbfLighten: p = Lighten(p); break;
    case cxbfDisabled: p = Blend(Gray(p, 0.299f, 0.587f, 0.114f), ColorToPixel(clBtnShadow, 0xC0), 238); break;
    case cxbfGrayScaleAverage: {
      Byte g = static_cast<Byte>((Channel(p, 16) + Channel(p, 8) + Channel(p, 0)) / 3);
      p = MakePixel(Channel(p, 24), g, g, g);
      break;
    }
    case cxbfOpaque: p |= 0xFF000000u; break;
    case cxbfMask: p = IsTransparent(p) ? 0xFFFFFFFFu : 0; break;
    case cxbfGrayScale: p = Gray(p, 0.299f, 0.587f, 0.114f); break;
    case cxbfGrayScaleGreen: p = Gray(p, 0.0729f, 0.7146f, 0.2125f); break;
    case cxbfOpaqueNonTransparent:
      if (!IsTransparent(p) && Channel(p, 24) == 0) p |= 0xFF000000u;
      break;
    case cxbfChecker: {
      const int s = checker_.CellSize;
      bool odd = ((currentColumn_ / s + currentRow_ / s) & 1) != 0;
      p = odd ? Blend(p, checker_.Color2, checker_.Alpha2) : Blend(p, checker_.Color1, checker_.Alpha1);
      break;
    }
    case cxbfClear: p = TransparentPixel; break;
  }
}

void TcxBitmap::Filter(int mode) {
  if (mode < cxbfLighten || mode > cxbfClear) return;
  std::vector<TcxPixel> pixels = GetPixels();
  const int w = Width(), h = Height();
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      currentColumn_ = x;
      currentRow_ = y;  // counted from the bottom: the array is bottom-up
      ApplyFilter(mode, pixels[size_t(w) * y + x]);
    }
  SetPixels(pixels);
  Changed(this);
}
