#include "dxGDIPlusClasses.h"

#include <algorithm>
#include <cstring>

#include <zlib.h>

using namespace Gdiplus;

CALDERAN_IMPLEMENT_CREATABLE0(TdxGPImage, TdxGPBase)
CALDERAN_IMPLEMENT_CREATABLE0(TdxGPNullImage, TdxGPImage)
CALDERAN_IMPLEMENT_CREATABLE0(TdxPNGImage, TGraphic)

namespace {

TClass ImageClass = TdxGPNullImage::StaticClass();

// 32 bits per pixel, premultiplied ARGB.
constexpr PixelFormat PremultipliedArgb = 0x000E200B;

// Wraps memory streams as platform streams for GDI+, without handing the block over.
IStream* StreamOnGlobal(HGLOBAL memory) {
  IStream* stream = nullptr;
  CheckGdiPlusSuccess(CreateStreamOnHGlobal(memory, FALSE, &stream) == S_OK);
  return stream;
}

constexpr unsigned char PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool IsPngFile(const std::string& bytes) {
  return bytes.size() >= sizeof(PngSignature) && std::memcmp(bytes.data(), PngSignature, sizeof(PngSignature)) == 0;
}

uint32_t BigEndian32(const std::string& bytes, size_t at) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// Walks a PNG file's chunks: each lies within the file with a matching check sum, the first is the
// header with a size, and an end chunk closes the file. The size is the header's.
bool ReadPngChunks(const std::string& png, TSize& size) {
  bool first = true;
  for (size_t at = sizeof(PngSignature); at + 12 <= png.size();) {
    const uint32_t length = BigEndian32(png, at);
    if (length > png.size() - at - 12) return false;
    const char* type = png.data() + at + 4;
    const uLong sum = crc32(0, reinterpret_cast<const Bytef*>(type), static_cast<uInt>(length) + 4);
    if (sum != BigEndian32(png, at + 8 + length)) return false;
    if (first) {
      const uint32_t width = BigEndian32(png, at + 8), height = BigEndian32(png, at + 12);
      if (std::memcmp(type, "IHDR", 4) != 0 || length != 13 || width - 1 > 0x7FFFFFFE || height - 1 > 0x7FFFFFFE) return false;
      size = TSize(static_cast<int>(width), static_cast<int>(height));
      first = false;
    }
    if (std::memcmp(type, "IEND", 4) == 0) return true;
    at += 12 + length;
  }
  return false;
}

}  // namespace

TClass TdxGPImageClass() { return ImageClass; }

TdxGPImage::~TdxGPImage() {
  // An image that outlives GDI+ (freed after its shut-down) has nothing left to dispose of.
  if (handle_ && GdiPlusFunctions.GdipDisposeImage) CheckGdiPlusStatus(GdiPlusFunctions.GdipDisposeImage(handle_));
  ReleaseDecodeBuffer();
}

TdxGPImage* TdxGPImage::CreateOfImageClass() { return static_cast<TdxGPImage*>(ImageClass->Create()); }

void TdxGPImage::ReleaseDecodeBuffer() {
  if (decodeStream_) decodeStream_->Release();
  if (decodeMemory_) GlobalFree(decodeMemory_);
  decodeStream_ = nullptr;
  decodeMemory_ = nullptr;
}

TdxGPImage* TdxGPImage::NewFromPixels(int width, int height, std::shared_ptr<TdxRGBColors> bits, bool hasAlpha) {
  std::unique_ptr<TdxGPImage> image(CreateOfImageClass());
  if (!IsGdiPlusAvailable() || width <= 0 || height <= 0 || !bits ||
      bits->size() < static_cast<size_t>(width) * height)
    return image.release();
  if (!hasAlpha)
    for (uint32_t& pixel : *bits) pixel |= 0xFF000000u;
  image->BindPixels(width, height, std::move(bits));
  return image.release();
}

void TdxGPImage::BindPixels(int width, int height, std::shared_ptr<TdxRGBColors> bits) {
  pixelData_ = std::move(bits);
  GpBitmap* bitmap = nullptr;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipCreateBitmapFromScan0(
      width, height, width * 4, PremultipliedArgb, reinterpret_cast<BYTE*>(pixelData_->data()), &bitmap));
  handle_ = bitmap;
}

void TdxGPImage::ReadBitmapPixels(TBitmap* bitmap, TdxRGBColors& bits) {
  const int width = bitmap->Width(), height = bitmap->Height();
  bits.assign(static_cast<size_t>(width) * height, 0);
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap->Handle(), 0, height, bits.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
}

TdxGPImage* TdxGPImage::NewFromBitmap(TBitmap* bitmap) {
  EnsurePngEncoder();
  auto bits = std::make_shared<TdxRGBColors>();
  ReadBitmapPixels(bitmap, *bits);
  return NewFromPixels(bitmap->Width(), bitmap->Height(), bits, bitmap->PixelFormat() == TPixelFormat::pf32bit);
}

TdxGPImage* TdxGPImage::NewFromStream(TStream* stream) {
  if (IsGdiPlusAvailable() && stream->Size() - stream->Position() > 13) {
    char head[14];
    stream->ReadBuffer(head, sizeof(head));
    stream->Seek(-static_cast<int64_t>(sizeof(head)), soCurrent);
    if (head[0] == 'B' && head[1] == 'M') {
      TBitmap bitmap;
      bitmap.LoadFromStream(stream);
      return NewFromBitmap(&bitmap);
    }
    std::unique_ptr<TdxGPImage> image(CreateOfImageClass());
    image->DecodeStream(stream);
    return image.release();
  }
  return CreateOfImageClass();
}

void TdxGPImage::DecodeStream(TStream* stream) {
  std::string bytes(static_cast<size_t>(stream->Size() - stream->Position()), '\0');
  stream->Read(bytes.data(), static_cast<int32_t>(bytes.size()));
  if (IsPngFile(bytes))
    KeepEncodedPng(std::move(bytes));
  else
    DecodeMemory(bytes.data(), bytes.size());
}

void TdxGPImage::KeepEncodedPng(std::string&& bytes) {
  TSize size;
  CheckGdiPlusSuccess(ReadPngChunks(bytes, size));
  encodedSize_ = size;
  encodedPng_ = std::make_shared<const std::string>(std::move(bytes));
}

void TdxGPImage::DecodeKeptPng() {
  // Taken out first: a picture that fails to decode reports it once and is empty from then on.
  std::shared_ptr<const std::string> png = std::move(encodedPng_);
  encodedPng_.reset();
  auto pixels = std::make_shared<TdxRGBColors>();
  TSize size;
  bool hasAlpha = false;
  if (DecodeSimplePng(*png, size, *pixels, hasAlpha))
    BindPixels(size.cx, size.cy, std::move(pixels));
  else
    DecodeMemory(png->data(), png->size());
}

void TdxGPImage::DecodeMemory(const void* data, size_t size) {
  decodeMemory_ = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size));
  CheckGdiPlusSuccess(decodeMemory_ != nullptr);
  std::memcpy(GlobalLock(decodeMemory_), data, size);
  GlobalUnlock(decodeMemory_);
  decodeStream_ = StreamOnGlobal(decodeMemory_);
  GpBitmap* bitmap = nullptr;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipCreateBitmapFromStream(decodeStream_, &bitmap));
  handle_ = bitmap;
}

GpImage* TdxGPImage::Handle() const {
  if (encodedPng_) const_cast<TdxGPImage*>(this)->DecodeKeptPng();
  return handle_;
}

TdxGPImage* TdxGPImage::Duplicate(TdxGPImage* source) {
  if (source->encodedPng_) {
    std::unique_ptr<TdxGPImage> image(CreateOfImageClass());
    image->encodedPng_ = source->encodedPng_;
    image->encodedSize_ = source->encodedSize_;
    return image.release();
  }
  if (!source->pixelData_) {
    std::unique_ptr<TdxGPImage> image(CreateOfImageClass());
    if (source->handle_) CheckGdiPlusStatus(GdiPlusFunctions.GdipCloneImage(source->handle_, &image->handle_));
    return image.release();
  }
  TSize size = source->Size();
  return NewFromPixels(size.cx, size.cy, source->pixelData_, true);
}

TSize TdxGPImage::Size() const {
  if (encodedPng_) return encodedSize_;
  if (!handle_) return TSize(0, 0);
  REAL width = 0, height = 0;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipGetImageDimension(handle_, &width, &height));
  return TSize(static_cast<int>(width), static_cast<int>(height));
}

void TdxGPImage::EncodeToStream(TMemoryStream* stream) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 0);
  IStream* target = StreamOnGlobal(memory);
  GpStatus status = GdiPlusFunctions.GdipSaveImageToStream(Handle(), target, &PngEncoderId(), nullptr);
  if (status == Ok) {
    STATSTG stat{};
    target->Stat(&stat, STATFLAG_NONAME);
    stream->WriteBuffer(GlobalLock(memory), static_cast<int32_t>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
  }
  target->Release();
  GlobalFree(memory);
  CheckGdiPlusStatus(status);
}

// ---------------------------------------------------------------------------------------------

TdxPNGImage::~TdxPNGImage() = default;

bool TdxPNGImage::Empty() const {
  TSize size = Size();
  return size.cx <= 0 || size.cy <= 0;
}

void TdxPNGImage::SetImage(TdxGPImage* image) {
  if (image != image_.get()) image_.reset(image);
  Changed(this);
}

void TdxPNGImage::Changed(TObject* sender) {
  hasAlphaValid_ = false;
  TGraphic::Changed(sender);
}

void TdxPNGImage::LoadFromStream(TStream* stream) {
  if (stream->Size() == 0)
    SetImage(nullptr);
  else
    SetImage(TdxGPImage::NewFromStream(stream));
}

void TdxPNGImage::SaveToStream(TStream* stream) {
  if (!image_ || !image_->Handle()) return;
  TMemoryStream encoded;
  image_->EncodeToStream(&encoded);
  stream->WriteBuffer(encoded.Memory(), static_cast<int32_t>(encoded.Size()));
}

void TdxPNGImage::Assign(TPersistent* source) {
  if (auto* bitmap = ObjectAs<TBitmap>(source)) {
    TakeBitmap(bitmap);
  } else if (auto* png = ObjectAs<TdxPNGImage>(source)) {
    // A picture without image gives an empty picture.
    SetImage(png->image_ ? TdxGPImage::Duplicate(png->image_.get()) : nullptr);
  } else {
    TGraphic::Assign(source);
  }
}

void TdxPNGImage::AssignTo(TPersistent* dest) {
  if (auto* png = ObjectAs<TdxPNGImage>(dest)) {
    png->Assign(this);
  } else if (auto* bitmap = ObjectAs<TBitmap>(dest)) {
    std::unique_ptr<TBitmap> converted(ToBitmap());
    bitmap->Assign(converted.get());
  } else {
    TGraphic::AssignTo(dest);
  }
}

void TdxPNGImage::TakeBitmap(TBitmap* bitmap) {
  IsGdiPlusAvailable();
  SetImage(TdxGPImage::NewFromBitmap(bitmap));
}

TBitmap* TdxPNGImage::ToBitmap() {
  auto* bitmap = new TBitmap();
  if (image_ && image_->Handle()) {
    HBITMAP handle = nullptr;
    CheckGdiPlusStatus(GdiPlusFunctions.GdipCreateHBITMAPFromBitmap(
        reinterpret_cast<GpBitmap*>(image_->Handle()), &handle, 0));
    bitmap->SetHandle(handle);
  }
  bitmap->SetPixelFormat(TPixelFormat::pf32bit);
  return bitmap;
}

std::vector<uint32_t> TdxPNGImage::Pixels() {
  std::unique_ptr<TBitmap> bitmap(ToBitmap());
  TdxRGBColors pixels;
  TdxGPImage::ReadBitmapPixels(bitmap.get(), pixels);
  return pixels;
}

bool TdxPNGImage::SameAs(TdxPNGImage* other) {
  if (Width() != other->Width() || Height() != other->Height()) return false;
  if (Empty() || other->Empty()) return true;
  return Pixels() == other->Pixels();
}

bool TdxPNGImage::HasAlpha() {
  if (!hasAlphaValid_) {
    // A picture over pixels of its own is read there, without a bitmap made from it.
    TdxRGBColors read;
    const TdxRGBColors* pixels = &read;
    if (image_ && image_->Handle() && image_->PixelData()) pixels = image_->PixelData().get();
    else read = Pixels();
    hasAlpha_ = std::any_of(pixels->begin(), pixels->end(), [](uint32_t pixel) { return (pixel >> 24) != 0xFF; });
    hasAlphaValid_ = true;
  }
  return hasAlpha_;
}

void TdxPNGImage::Draw(TCanvas* canvas, const TRect& rect) {
  DrawOnDCRect(canvas->Handle(), rect, TRect(0, 0, Width(), Height()));
}

void TdxPNGImage::DrawOnDC(HDC dc, const TRect& destRect) {
  DrawOnDCRect(dc, destRect, TRect(0, 0, Width(), Height()));
}

void TdxPNGImage::DrawOnDCRect(HDC dc, const TRect& destRect, const TRect& srcRect) {
  if (!image_ || !image_->Handle()) return;
  GpGraphics* graphics = nullptr;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipCreateFromHDC(dc, &graphics));
  try {
    DrawOnGraphics(graphics, destRect, srcRect);
  } catch (...) {
    GdiPlusFunctions.GdipDeleteGraphics(graphics);
    throw;
  }
  CheckGdiPlusStatus(GdiPlusFunctions.GdipDeleteGraphics(graphics));
}

void TdxPNGImage::DrawOnGraphicsChecked(GpGraphics* graphics, const TRect& destRect, const TRect& srcRect) {
  if (image_) DrawOnGraphics(graphics, destRect, srcRect);
}

void TdxPNGImage::DrawOnGraphics(GpGraphics* graphics, const TRect& destRect, const TRect& srcRect) {
  if (!image_ || !image_->Handle()) return;
  REAL srcWidth = static_cast<REAL>(srcRect.Right - srcRect.Left);
  REAL srcHeight = static_cast<REAL>(srcRect.Bottom - srcRect.Top);
  REAL destWidth = static_cast<REAL>(destRect.Right - destRect.Left);
  REAL destHeight = static_cast<REAL>(destRect.Bottom - destRect.Top);
  if (srcWidth < 1 || srcHeight < 1 || destWidth < 1 || destHeight < 1) return;
  // An enlarged picture would otherwise pick up the pixels GDI+ interpolates beyond its edge.
  if (destWidth > srcWidth && srcWidth > 1) srcWidth -= 1;
  if (destHeight > srcHeight && srcHeight > 1) srcHeight -= 1;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipDrawImageRectRect(
      graphics, image_->Handle(), static_cast<REAL>(destRect.Left), static_cast<REAL>(destRect.Top), destWidth,
      destHeight, static_cast<REAL>(srcRect.Left), static_cast<REAL>(srcRect.Top), srcWidth, srcHeight, UnitPixel,
      nullptr, nullptr, nullptr));
}

// ---------------------------------------------------------------------------------------------

namespace {

void StartPngImages() {
  ImageClass = TdxGPNullImage::StaticClass();
  if (!IsGdiPlusAvailable()) return;
  EnsurePngEncoder();
  ImageClass = TdxGPImage::StaticClass();
  RegisterClass(TdxPNGImage::StaticClass());
  TPicture::RegisterFileFormat("PNG", "Portable Network Graphics (toolkit)", TdxPNGImage::StaticClass());
}

void FinishPngImages() {
  TPicture::UnregisterGraphicClass(TdxPNGImage::StaticClass());
  UnRegisterClass(TdxPNGImage::StaticClass());
}

void StartUnit() { GetUnitsLoader()->Add(StartPngImages, FinishPngImages); }
void StopUnit() { GetUnitsLoader()->Remove(FinishPngImages); }

}  // namespace

const TUnitInfo dxGDIPlusClassesUnit{"dxGDIPlusClasses", StartUnit, StopUnit};
