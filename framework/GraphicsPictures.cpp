// Pictures: the graphic base, bitmaps over DIB sections, icons and the picture holder.
#include <algorithm>
#include <cstring>
#include <strings.h>

#include "Graphics.h"

CALDERAN_IMPLEMENT_CLASS(TGraphic, TPersistent)
CALDERAN_IMPLEMENT_CREATABLE0(TBitmap, TGraphic)
CALDERAN_IMPLEMENT_CREATABLE0(TIcon, TGraphic)
CALDERAN_IMPLEMENT_CREATABLE0(TPicture, TPersistent)

namespace {

// A screen device context for the whole of one call.
class TScreenDC {
 public:
  TScreenDC() : dc_(GetDC(nullptr)) {
    if (!dc_) throw EOutOfResources("Out of system resources");
  }
  ~TScreenDC() { ReleaseDC(nullptr, dc_); }
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// A memory device context with one bitmap selected, for copies between bitmaps.
class TMemoryDC {
 public:
  explicit TMemoryDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
    if (!dc_) throw EOutOfResources("Out of system resources");
    old_ = SelectObject(dc_, bitmap);
  }
  ~TMemoryDC() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

int ScreenBitsPerPixel() {
  TScreenDC dc;
  return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}

constexpr int formatBits[] = {0, 1, 4, 8, 16, 16, 24, 32, 0};

int BitsOf(TPixelFormat format) {
  int bits = formatBits[static_cast<int>(format)];
  return bits ? bits : ScreenBitsPerPixel();
}

int Stride(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

// Header, bit-field masks and colour table of a bitmap of the format, as one BITMAPINFO block.
std::vector<uint8_t> MakeInfo(int32_t width, int32_t height, TPixelFormat format) {
  int bits = BitsOf(format);
  int colors = bits <= 8 ? 1 << bits : 0;
  bool fields = format == TPixelFormat::pf16bit;
  std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + (fields ? 12 : 0) + colors * sizeof(RGBQUAD));
  auto* h = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  h->biSize = sizeof(BITMAPINFOHEADER);
  h->biWidth = width;
  h->biHeight = height;
  h->biPlanes = 1;
  h->biBitCount = static_cast<WORD>(bits);
  h->biCompression = fields ? BI_BITFIELDS : BI_RGB;
  h->biSizeImage = Stride(width, bits) * height;
  if (fields) {
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), masks, sizeof masks);
  }
  auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
  if (colors == 2) {
    table[1] = {255, 255, 255, 0};
  } else if (colors == 16) {
    static constexpr COLORREF vga[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                         0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                         0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) table[i] = {GetBValue(vga[i]), GetGValue(vga[i]), GetRValue(vga[i]), 0};
  } else if (colors == 256) {
    // a colour cube of six levels per channel, then a ramp of greys
    int i = 0;
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) table[i++] = {BYTE(b * 51), BYTE(g * 51), BYTE(r * 51), 0};
    for (int k = 0; i < 256; ++i, ++k) {
      BYTE v = BYTE(k * 255 / 39);
      table[i] = {v, v, v, 0};
    }
  }
  return info;
}

struct TNewBitmap {
  HBITMAP handle;
  void* bits;
};

TNewBitmap CreateBitmapOf(int32_t width, int32_t height, TPixelFormat format) {
  TNewBitmap b{nullptr, nullptr};
  if (format == TPixelFormat::pfDevice) {
    TScreenDC screen;
    b.handle = CreateCompatibleBitmap(screen, width, height);
    if (b.handle) {
      TMemoryDC dc(b.handle);
      PatBlt(dc, 0, 0, width, height, BLACKNESS);
    }
  } else {
    std::vector<uint8_t> info = MakeInfo(width, height, format);
    b.handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &b.bits, nullptr, 0);
  }
  if (!b.handle) throw EOutOfResources("Out of system resources");
  return b;
}

TPixelFormat FormatOfBits(int bits, DWORD compression, const DWORD* masks) {
  switch (bits) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 16: return compression == BI_BITFIELDS && masks && masks[1] == 0x07E0 ? TPixelFormat::pf16bit : TPixelFormat::pf15bit;
    case 24: return TPixelFormat::pf24bit;
    case 32: return TPixelFormat::pf32bit;
    default: return TPixelFormat::pfCustom;
  }
}

void CopyPicture(HBITMAP from, HBITMAP to, int32_t width, int32_t height) {
  TMemoryDC src(from), dst(to);
  BitBlt(dst, 0, 0, width, height, src, 0, 0, SRCCOPY);
}

#pragma pack(push, 1)
struct TBmpFileHeader {
  WORD type;
  DWORD size;
  WORD reserved1, reserved2;
  DWORD offBits;
};
struct TIconDirEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes, imageOffset;
};
#pragma pack(pop)
static_assert(sizeof(TBmpFileHeader) == 14 && sizeof(TIconDirEntry) == 16);

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic("Bitmap image is not valid"); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TGraphic
void TGraphic::SetSize(int32_t width, int32_t height) {
  SetWidth(width);
  SetHeight(height);
}

void TGraphic::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed(this);
}

void TGraphic::SetModified(bool value) {
  if (value) Changed(this);
  else modified_ = false;
}

void TGraphic::Changed(TObject*) {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const std::string& fileName) {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(&stream);
}

void TGraphic::ReadData(TStream* stream) { LoadFromStream(stream); }
void TGraphic::WriteData(TStream* stream) { SaveToStream(stream); }

void TGraphic::DefineProperties(TFiler* filer) {
  filer->DefineBinaryProperty("Data", TStreamProc(this, &TGraphic::ReadData), TStreamProc(this, &TGraphic::WriteData),
                              !Empty());
}

// ---------------------------------------------------------------------------------------------
// TBitmap
class TBitmap::TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  void FreeContext() {
    HDC dc = HandleAllocated() ? Handle() : nullptr;
    if (!dc) return;
    SetHandle(nullptr);
    SelectObject(dc, oldBitmap_);
    DeleteDC(dc);
  }

 protected:
  void CreateHandle() override {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) throw EOutOfResources("Out of system resources");
    oldBitmap_ = bitmap_->handle_ ? SelectObject(dc, bitmap_->handle_) : nullptr;
    SetHandle(dc);
  }
  void Changed() override {
    TCanvas::Changed();
    bitmap_->TGraphic::Changed(bitmap_);
  }

 private:
  TBitmap* bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int32_t width, int32_t height, TPixelFormat format) : format_(format) { SetSize(width, height); }

TBitmap::~TBitmap() {
  canvas_.reset();
  if (handle_) DeleteObject(handle_);
}

void TBitmap::FreeContext() {
  if (canvas_) canvas_->FreeContext();
}

void TBitmap::Replace(HBITMAP bitmap, int32_t width, int32_t height, TPixelFormat format, void* bits) {
  FreeContext();
  if (handle_ && handle_ != bitmap) DeleteObject(handle_);
  handle_ = bitmap;
  bits_ = bits;
  width_ = bitmap ? width : 0;
  height_ = bitmap ? height : 0;
  format_ = format;
  TGraphic::Changed(this);
}

void TBitmap::SetSize(int32_t width, int32_t height) {
  if (width == width_ && height == height_) return;
  if (width <= 0 || height <= 0) {
    // No picture yet, but the size given so far is kept: a width set before the height (the usual
    // order) must not be lost when the height arrives.
    Replace(nullptr, 0, 0, format_, nullptr);
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    return;
  }
  TNewBitmap b = CreateBitmapOf(width, height, format_);
  if (handle_) {
    FreeContext();
    CopyPicture(handle_, b.handle, std::min(width, width_), std::min(height, height_));
  }
  Replace(b.handle, width, height, format_, b.bits);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_ || format == TPixelFormat::pfCustom) return;
  if (!handle_) {
    format_ = format;
    return;
  }
  TNewBitmap b = CreateBitmapOf(width_, height_, format);
  FreeContext();
  CopyPicture(handle_, b.handle, width_, height_);
  Replace(b.handle, width_, height_, format, b.bits);
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  if (bitmap == handle_) return;
  if (!bitmap) {
    Replace(nullptr, 0, 0, format_, nullptr);
    return;
  }
  DIBSECTION ds{};
  int n = GetObjectA(bitmap, sizeof ds, &ds);
  if (n == sizeof ds) {
    Replace(bitmap, ds.dsBm.bmWidth, ds.dsBm.bmHeight,
            FormatOfBits(ds.dsBmih.biBitCount, ds.dsBmih.biCompression, ds.dsBitfields), ds.dsBm.bmBits);
  } else if (n == sizeof(BITMAP)) {
    Replace(bitmap, ds.dsBm.bmWidth, ds.dsBm.bmHeight, TPixelFormat::pfDevice, nullptr);
  } else {
    throw EInvalidGraphic("Invalid bitmap handle");
  }
}

HBITMAP TBitmap::ReleaseHandle() {
  FreeContext();
  HBITMAP h = handle_;
  handle_ = nullptr;
  Replace(nullptr, 0, 0, format_, nullptr);
  return h;
}

void TBitmap::Dormant() { FreeContext(); }

// A device bitmap becomes a DIB section of the screen's depth (its pixels kept).
void TBitmap::MakeDIB() {
  if (!handle_ || format_ != TPixelFormat::pfDevice) return;
  int bits = ScreenBitsPerPixel();
  TPixelFormat format = bits >= 32 ? TPixelFormat::pf32bit : bits == 24 ? TPixelFormat::pf24bit : TPixelFormat::pf16bit;
  TNewBitmap b = CreateBitmapOf(width_, height_, format);
  FreeContext();
  CopyPicture(handle_, b.handle, width_, height_);
  Replace(b.handle, width_, height_, format, b.bits);
}

void* TBitmap::ScanLine(int32_t row) {
  if (row < 0 || row >= height_) throw EInvalidGraphicOperation("Scan line index out of range");
  MakeDIB();
  if (!bits_) throw EInvalidGraphicOperation("Scan line index out of range");
  GdiFlush();
  int stride = Stride(width_, BitsOf(format_));
  return static_cast<uint8_t*>(bits_) + static_cast<size_t>(height_ - 1 - row) * stride;
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(this);
  return canvas_.get();
}

TColor TBitmap::TransparentColor() {
  if (transparentColor_ != clDefault && transparentMode_ == TTransparentMode::tmFixed) return transparentColor_;
  if (Empty()) return clDefault;
  if (format_ == TPixelFormat::pf1bit) return clWhite;
  return Canvas()->Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparentColor_) return;
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
  TGraphic::Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  if (mode == TTransparentMode::tmAuto) SetTransparentColor(clDefault);
  else SetTransparentColor(TransparentColor());
}

void TBitmap::Assign(TPersistent* source) {
  if (auto* b = ObjectAs<TBitmap>(source)) {
    if (b == this) return;
    transparentColor_ = b->transparentColor_;
    transparentMode_ = b->transparentMode_;
    TGraphic::SetTransparent(b->Transparent());
    if (b->Empty()) {
      Replace(nullptr, 0, 0, b->format_, nullptr);
      return;
    }
    b->FreeContext();
    HANDLE copy = CopyImage(b->handle_, IMAGE_BITMAP, 0, 0, b->format_ == TPixelFormat::pfDevice ? 0 : LR_CREATEDIBSECTION);
    if (!copy) throw EOutOfResources("Out of system resources");
    SetHandle(static_cast<HBITMAP>(copy));
    return;
  }
  if (auto* g = ObjectAs<TGraphic>(source)) {
    SetSize(g->Width(), g->Height());
    if (!Empty()) {
      Canvas()->Brush()->SetColor(clWhite);
      Canvas()->FillRect(Rect(0, 0, width_, height_));
      Canvas()->Draw(0, 0, g);
    }
    return;
  }
  TGraphic::Assign(source);
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
  if (Empty()) return;
  HDC dst = canvas->Handle();
  HDC src = Canvas()->Handle();
  if (Transparent()) {
    COLORREF key = ColorToRGB(TransparentColor()) & 0xFFFFFF;
    TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_, key);
    return;
  }
  COLORREF oldText = 0, oldBk = 0;
  if (Monochrome()) {
    oldText = SetTextColor(dst, 0);
    oldBk = SetBkColor(dst, 0xFFFFFF);
  }
  StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_, canvas->CopyMode());
  if (Monochrome()) {
    SetTextColor(dst, oldText);
    SetBkColor(dst, oldBk);
  }
}

// Reads one .bmp image (file header, info header, masks, colour table, pixels) and leaves the
// stream right after it.
void TBitmap::LoadFromStream(TStream* stream) {
  TBmpFileHeader file{};
  stream->ReadBuffer(&file, sizeof file);
  if (file.type != 0x4D42) InvalidBitmap();
  DWORD headerSize = 0;
  stream->ReadBuffer(&headerSize, 4);
  if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > 1024) InvalidBitmap();
  std::vector<uint8_t> info(headerSize);
  std::memcpy(info.data(), &headerSize, 4);
  stream->ReadBuffer(info.data() + 4, headerSize - 4);
  auto* h = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  int32_t width = h->biWidth, height = std::abs(h->biHeight);
  int bits = h->biBitCount;
  if (width <= 0 || height <= 0 || h->biPlanes != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
    InvalidBitmap();
  size_t masks = headerSize == sizeof(BITMAPINFOHEADER) && h->biCompression == BI_BITFIELDS ? 12 : 0;
  size_t colors = bits <= 8 ? (h->biClrUsed ? std::min<DWORD>(h->biClrUsed, 1u << bits) : 1u << bits) : h->biClrUsed;
  size_t tableSize = masks + colors * sizeof(RGBQUAD);
  size_t afterHeader = sizeof file + headerSize + tableSize;
  if (file.offBits && file.offBits < afterHeader) InvalidBitmap();
  info.resize(headerSize + tableSize);
  stream->ReadBuffer(info.data() + headerSize, static_cast<int32_t>(tableSize));
  h = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  if (file.offBits > afterHeader) {
    std::vector<uint8_t> gap(file.offBits - afterHeader);
    stream->ReadBuffer(gap.data(), static_cast<int32_t>(gap.size()));
  }
  bool compressed = h->biCompression == BI_RLE8 || h->biCompression == BI_RLE4;
  size_t imageSize = compressed ? h->biSizeImage : static_cast<size_t>(Stride(width, bits)) * height;
  if (imageSize == 0 || imageSize > (1u << 30)) InvalidBitmap();
  std::vector<uint8_t> pixels(imageSize);
  stream->ReadBuffer(pixels.data(), static_cast<int32_t>(imageSize));

  const DWORD* fieldMasks = h->biCompression == BI_BITFIELDS ? reinterpret_cast<const DWORD*>(info.data() + 40) : nullptr;
  TPixelFormat format = FormatOfBits(bits, h->biCompression, fieldMasks);
  std::vector<uint8_t> target = MakeInfo(width, height, format);
  if (bits <= 8 && colors) std::memcpy(target.data() + sizeof(BITMAPINFOHEADER), info.data() + headerSize, colors * sizeof(RGBQUAD));
  void* dibBits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(target.data()), DIB_RGB_COLORS, &dibBits, nullptr, 0);
  if (!dib) throw EOutOfResources("Out of system resources");
  TScreenDC screen;
  if (SetDIBits(screen, dib, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS) != height) {
    DeleteObject(dib);
    InvalidBitmap();
  }
  Replace(dib, width, height, format, dibBits);
}

void TBitmap::SaveToStream(TStream* stream) {
  if (Empty()) return;
  TPixelFormat format = format_ == TPixelFormat::pfDevice ? FormatOfBits(BitsOf(format_), BI_RGB, nullptr) : format_;
  std::vector<uint8_t> info = MakeInfo(width_, height_, format);
  auto* h = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  std::vector<uint8_t> pixels(h->biSizeImage);
  FreeContext();
  TScreenDC screen;
  if (GetDIBits(screen, handle_, 0, height_, pixels.data(), reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS) != height_)
    throw EInvalidGraphicOperation("Cannot read the bitmap's pixels");
  TBmpFileHeader file{};
  file.type = 0x4D42;
  file.offBits = static_cast<DWORD>(sizeof file + info.size());
  file.size = file.offBits + static_cast<DWORD>(pixels.size());
  stream->WriteBuffer(&file, sizeof file);
  stream->WriteBuffer(info.data(), static_cast<int32_t>(info.size()));
  stream->WriteBuffer(pixels.data(), static_cast<int32_t>(pixels.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HANDLE h = LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!h) throw EResNotFound("Resource " + name + " not found");
  SetHandle(static_cast<HBITMAP>(h));
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
  HANDLE h = LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!h) throw EResNotFound("Resource " + std::to_string(id) + " not found");
  SetHandle(static_cast<HBITMAP>(h));
}

// Stored form: the size of the .bmp image, then the image.
void TBitmap::ReadData(TStream* stream) {
  int32_t size = 0;
  stream->ReadBuffer(&size, 4);
  // A size beyond the stream's end is a cut or damaged stream.
  if (size < 0 || size > stream->Size() - stream->Position()) throw EReadError(SReadError);
  if (size == 0) {
    Replace(nullptr, 0, 0, format_, nullptr);
    return;
  }
  int64_t start = stream->Position();
  LoadFromStream(stream);
  stream->SetPosition(start + size);
}

void TBitmap::WriteData(TStream* stream) {
  TMemoryStream image;
  SaveToStream(&image);
  int32_t size = static_cast<int32_t>(image.Size());
  stream->WriteBuffer(&size, 4);
  stream->WriteBuffer(image.Memory(), size);
}

// ---------------------------------------------------------------------------------------------
// TIcon
TIcon::~TIcon() {
  if (handle_) DestroyIcon(handle_);
}

void TIcon::SetWidth(int32_t) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }
void TIcon::SetHeight(int32_t) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::SetHandle(HICON icon) {
  if (icon == handle_) return;
  int32_t w = 0, h = 0;
  if (icon) {
    ICONINFO ii{};
    if (!GetIconInfo(icon, &ii)) throw EInvalidGraphic("Invalid icon handle");
    BITMAP bm{};
    GetObjectA(ii.hbmMask, sizeof bm, &bm);
    w = bm.bmWidth;
    h = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
  }
  if (handle_) DestroyIcon(handle_);
  handle_ = icon;
  width_ = w;
  height_ = h;
  Changed(this);
}

HICON TIcon::ReleaseHandle() {
  HICON h = handle_;
  handle_ = nullptr;
  width_ = height_ = 0;
  Changed(this);
  return h;
}

void TIcon::Assign(TPersistent* source) {
  if (auto* icon = ObjectAs<TIcon>(source)) {
    if (icon == this) return;
    HICON copy = icon->handle_ ? CopyIcon(icon->handle_) : nullptr;
    if (icon->handle_ && !copy) throw EOutOfResources("Out of system resources");
    SetHandle(copy);
    return;
  }
  TGraphic::Assign(source);
}

// Reads an .ico file and takes its first image.
void TIcon::LoadFromStream(TStream* stream) {
  WORD dir[3];
  stream->ReadBuffer(dir, sizeof dir);
  if (dir[0] != 0 || dir[1] != 1 || dir[2] == 0) throw EInvalidGraphic("Icon image is not valid");
  std::vector<TIconDirEntry> entries(dir[2]);
  stream->ReadBuffer(entries.data(), static_cast<int32_t>(entries.size() * sizeof(TIconDirEntry)));
  size_t base = sizeof dir + entries.size() * sizeof(TIconDirEntry);
  size_t end = base;
  for (const auto& e : entries) end = std::max<size_t>(end, size_t(e.imageOffset) + e.bytesInRes);
  if (end - base > (1u << 26)) throw EInvalidGraphic("Icon image is not valid");
  std::vector<uint8_t> data(end - base);
  stream->ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
  const TIconDirEntry& e = entries[0];
  if (e.imageOffset < base || e.bytesInRes == 0) throw EInvalidGraphic("Icon image is not valid");
  HICON icon = CreateIconFromResourceEx(data.data() + (e.imageOffset - base), e.bytesInRes, TRUE, 0x00030000,
                                        e.width ? e.width : 256, e.height ? e.height : 256, LR_DEFAULTCOLOR);
  if (!icon) throw EInvalidGraphic("Icon image is not valid");
  SetHandle(icon);
}

// Writes the icon as an .ico file with one 32-bit image and its mask.
void TIcon::SaveToStream(TStream* stream) {
  if (!handle_) return;
  ICONINFO ii{};
  if (!GetIconInfo(handle_, &ii)) throw EInvalidGraphic("Invalid icon handle");
  struct TIconBitmaps {
    ICONINFO& ii;
    ~TIconBitmaps() {
      if (ii.hbmColor) DeleteObject(ii.hbmColor);
      DeleteObject(ii.hbmMask);
    }
  } guard{ii};
  if (!ii.hbmColor) throw EInvalidGraphicOperation("Monochrome icons cannot be saved");
  int32_t w = width_, h = height_;
  BITMAPINFOHEADER bi{sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<uint8_t> color(static_cast<size_t>(w) * h * 4);
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD c[2];
  } mi{{sizeof(BITMAPINFOHEADER), w, h, 1, 1, BI_RGB, 0, 0, 0, 0, 0}, {}};
  std::vector<uint8_t> mask(static_cast<size_t>(Stride(w, 1)) * h);
  TScreenDC screen;
  if (GetDIBits(screen, ii.hbmColor, 0, h, color.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS) != h ||
      GetDIBits(screen, ii.hbmMask, 0, h, mask.data(), reinterpret_cast<BITMAPINFO*>(&mi), DIB_RGB_COLORS) != h)
    throw EInvalidGraphicOperation("Cannot read the icon's pixels");
  bi.biHeight = 2 * h;  // colour and mask, as icon images store them
  bi.biSizeImage = static_cast<DWORD>(color.size() + mask.size());
  WORD dir[3] = {0, 1, 1};
  TIconDirEntry e{BYTE(w >= 256 ? 0 : w), BYTE(h >= 256 ? 0 : h), 0, 0, 1, 32,
                  DWORD(sizeof bi + color.size() + mask.size()), DWORD(sizeof dir + sizeof e)};
  stream->WriteBuffer(dir, sizeof dir);
  stream->WriteBuffer(&e, sizeof e);
  stream->WriteBuffer(&bi, sizeof bi);
  stream->WriteBuffer(color.data(), static_cast<int32_t>(color.size()));
  stream->WriteBuffer(mask.data(), static_cast<int32_t>(mask.size()));
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HANDLE h = LoadImageA(instance, name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
  if (!h) throw EResNotFound("Resource " + name + " not found");
  SetHandle(static_cast<HICON>(h));
}

void TIcon::Draw(TCanvas* canvas, const TRect& r) {
  if (handle_) DrawIconEx(canvas->Handle(), r.Left, r.Top, handle_, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
}

// ---------------------------------------------------------------------------------------------
// TPicture and the file-format registry
namespace {
struct TFileFormat {
  std::string extension;
  std::string description;
  TGraphicClass graphicClass;
};

std::vector<TFileFormat>& FileFormats() {
  static std::vector<TFileFormat> formats;
  return formats;
}

void StartGraphics() {
  TPicture::RegisterFileFormat("bmp", "Bitmaps", TBitmap::StaticClass());
  TPicture::RegisterFileFormat("ico", "Icons", TIcon::StaticClass());
}
void StopGraphics() { FileFormats().clear(); }

std::string ExtensionOf(const std::string& fileName) {
  size_t dot = fileName.find_last_of(".\\/:");
  if (dot == std::string::npos || fileName[dot] != '.') return {};
  return fileName.substr(dot + 1);
}

TGraphic* NewGraphic(TGraphicClass cls) { return static_cast<TGraphic*>(cls->Create(nullptr)); }
}  // namespace

const TUnitInfo GraphicsUnit{"Graphics", StartGraphics, StopGraphics};

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description, TGraphicClass cls) {
  auto& formats = FileFormats();
  for (auto& f : formats)
    if (strcasecmp(f.extension.c_str(), extension.c_str()) == 0) {
      f = {extension, description, cls};
      return;
    }
  formats.push_back({extension, description, cls});
}

void TPicture::UnregisterGraphicClass(TGraphicClass cls) {
  auto& formats = FileFormats();
  formats.erase(std::remove_if(formats.begin(), formats.end(), [cls](const TFileFormat& f) { return f.graphicClass->InheritsFrom(cls); }),
                formats.end());
}

TGraphicClass TPicture::GraphicClassOf(const std::string& extension) {
  for (const auto& f : FileFormats())
    if (strcasecmp(f.extension.c_str(), extension.c_str()) == 0) return f.graphicClass;
  return nullptr;
}

std::string TPicture::GraphicFilter(TGraphicClass cls) {
  std::string all, each;
  for (const auto& f : FileFormats()) {
    if (!f.graphicClass->InheritsFrom(cls)) continue;
    std::string mask = "*." + f.extension;
    all += (all.empty() ? "" : ";") + mask;
    each += "|" + f.description + " (" + mask + ")|" + mask;
  }
  return "All (" + all + ")|" + all + each;
}

TPicture::~TPicture() {
  if (graphic_) graphic_->OnChange = nullptr;
}

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::Take(TGraphic* graphic) {
  std::unique_ptr<TGraphic> owned(graphic);
  if (owned) owned->OnChange = MakeEvent(this, &TPicture::Changed);
  graphic_ = std::move(owned);
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* graphic) {
  if (graphic == graphic_.get()) return;
  if (!graphic) {
    Take(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy(NewGraphic(graphic->ClassType()));
  copy->Assign(graphic);
  Take(copy.release());
}

void TPicture::Assign(TPersistent* source) {
  if (!source) {
    SetGraphic(nullptr);
  } else if (auto* p = ObjectAs<TPicture>(source)) {
    if (p != this) SetGraphic(p->Graphic());
  } else if (auto* g = ObjectAs<TGraphic>(source)) {
    SetGraphic(g);
  } else {
    TPersistent::Assign(source);
  }
}

TBitmap* TPicture::Bitmap() {
  if (!graphic_ || !graphic_->Is<TBitmap>()) Take(new TBitmap());
  return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::Icon() {
  if (!graphic_ || !graphic_->Is<TIcon>()) Take(new TIcon());
  return static_cast<TIcon*>(graphic_.get());
}

void TPicture::LoadFromFile(const std::string& fileName) {
  std::string ext = ExtensionOf(fileName);
  TGraphicClass cls = GraphicClassOf(ext);
  if (!cls) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
  std::unique_ptr<TGraphic> graphic(NewGraphic(cls));
  graphic->LoadFromFile(fileName);
  Take(graphic.release());
}

void TPicture::SaveToFile(const std::string& fileName) {
  if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::DefineProperties(TFiler* filer) {
  filer->DefineBinaryProperty("Data", TStreamProc(this, &TPicture::ReadData), TStreamProc(this, &TPicture::WriteData),
                              graphic_ != nullptr);
}

// Stored form: the class name (a length byte and the name), then the picture's own stored form.
void TPicture::ReadData(TStream* stream) {
  uint8_t length = 0;
  stream->ReadBuffer(&length, 1);
  std::string name(length, '\0');
  stream->ReadBuffer(name.data(), length);
  TGraphicClass cls = nullptr;
  for (TGraphicClass c : {TBitmap::StaticClass(), TIcon::StaticClass()})
    if (name == c->Name) cls = c;
  for (const auto& f : FileFormats())
    if (name == f.graphicClass->Name) cls = f.graphicClass;
  if (!cls) throw EInvalidGraphic("Unknown picture class " + name);
  std::unique_ptr<TGraphic> graphic(NewGraphic(cls));
  graphic->ReadData(stream);
  Take(graphic.release());
}

void TPicture::WriteData(TStream* stream) {
  std::string name = graphic_->ClassName();
  uint8_t length = static_cast<uint8_t>(name.size());
  stream->WriteBuffer(&length, 1);
  stream->WriteBuffer(name.data(), length);
  graphic_->WriteData(stream);
}
