// JPEG pictures.
#include "Jpeg.h"

#include <algorithm>
#include <cstring>

#include "JpegCodec.h"

CALDERAN_IMPLEMENT_CLASS(EJPEG, EInvalidGraphic)
CALDERAN_IMPLEMENT_CREATABLE0(TJPEGImage, TGraphic)

namespace {
void StartJpeg() {
  TPicture::RegisterFileFormat("jpeg", "JPEG Image File", TJPEGImage::StaticClass());
  TPicture::RegisterFileFormat("jpg", "JPEG Image File", TJPEGImage::StaticClass());
}
void StopJpeg() { TPicture::UnregisterGraphicClass(TJPEGImage::StaticClass()); }
}  // namespace

const TUnitInfo JpegUnit{"Jpeg", StartJpeg, StopJpeg};

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::SetData(std::vector<uint8_t> data) {
  data_ = std::move(data);
  bitmap_.reset();
  width_ = height_ = 0;
  Changed(this);
}

void TJPEGImage::Assign(TPersistent* source) {
  if (auto* jpeg = ObjectAs<TJPEGImage>(source)) {
    if (jpeg == this) return;
    quality_ = jpeg->quality_;
    progressive_ = jpeg->progressive_;
    grayscale_ = jpeg->grayscale_;
    jpeg->JPEGNeeded();
    SetData(jpeg->data_);
    return;
  }
  if (auto* graphic = ObjectAs<TGraphic>(source)) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(graphic);
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
    data_.clear();
    width_ = bitmap->Width();
    height_ = bitmap->Height();
    bitmap_ = std::move(bitmap);
    Changed(this);
    return;
  }
  TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent* dest) {
  if (auto* bitmap = ObjectAs<TBitmap>(dest)) {
    bitmap->Assign(Bitmap());
    return;
  }
  TGraphic::AssignTo(dest);
}

void TJPEGImage::Decode() const {
  if (bitmap_ || data_.empty()) return;
  TJpegPixels pixels;
  std::string error;
  if (!JpegDecode(data_.data(), data_.size(), grayscale_, pixels, error)) throw EJPEG("JPEG error: " + error);
  auto bitmap = std::make_unique<TBitmap>(pixels.Width, pixels.Height, TPixelFormat::pf24bit);
  for (int y = 0; y < pixels.Height; ++y) {
    auto* out = static_cast<uint8_t*>(bitmap->ScanLine(y));
    const uint8_t* in = pixels.Rows.data() + static_cast<size_t>(y) * pixels.Width * pixels.Components;
    for (int x = 0; x < pixels.Width; ++x) {
      const uint8_t* p = in + x * pixels.Components;
      uint8_t r = p[0], g = pixels.Components == 3 ? p[1] : p[0], b = pixels.Components == 3 ? p[2] : p[0];
      out[3 * x] = b;  // DIB order: blue, green, red
      out[3 * x + 1] = g;
      out[3 * x + 2] = r;
    }
  }
  width_ = pixels.Width;
  height_ = pixels.Height;
  bitmap_ = std::move(bitmap);
}

void TJPEGImage::DIBNeeded() { Decode(); }

TBitmap* TJPEGImage::Bitmap() {
  Decode();
  if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
  return bitmap_.get();
}

void TJPEGImage::Compress() {
  if (!bitmap_ || bitmap_->Empty()) return;
  bitmap_->SetPixelFormat(TPixelFormat::pf24bit);
  TJpegPixels pixels;
  pixels.Width = bitmap_->Width();
  pixels.Height = bitmap_->Height();
  pixels.Components = grayscale_ ? 1 : 3;
  pixels.Rows.resize(static_cast<size_t>(pixels.Width) * pixels.Height * pixels.Components);
  for (int y = 0; y < pixels.Height; ++y) {
    const auto* in = static_cast<const uint8_t*>(bitmap_->ScanLine(y));
    uint8_t* out = pixels.Rows.data() + static_cast<size_t>(y) * pixels.Width * pixels.Components;
    for (int x = 0; x < pixels.Width; ++x) {
      uint8_t b = in[3 * x], g = in[3 * x + 1], r = in[3 * x + 2];
      if (grayscale_) out[x] = static_cast<uint8_t>((r * 299 + g * 587 + b * 114) / 1000);
      else {
        out[3 * x] = r;
        out[3 * x + 1] = g;
        out[3 * x + 2] = b;
      }
    }
  }
  std::string error;
  std::vector<uint8_t> data;
  if (!JpegEncode(pixels, quality_, progressive_, data, error)) throw EJPEG("JPEG error: " + error);
  data_ = std::move(data);
}

void TJPEGImage::JPEGNeeded() {
  if (data_.empty()) Compress();
}

int32_t TJPEGImage::Width() const {
  if (!width_ && !data_.empty()) Decode();
  return width_;
}

int32_t TJPEGImage::Height() const {
  if (!height_ && !data_.empty()) Decode();
  return height_;
}

void TJPEGImage::SetWidth(int32_t) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int32_t) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

void TJPEGImage::SetCompressionQuality(int quality) { quality_ = std::clamp(quality, 1, 100); }

void TJPEGImage::SetGrayscale(bool value) {
  if (value == grayscale_) return;
  grayscale_ = value;
  if (!data_.empty()) {
    bitmap_.reset();
    Changed(this);
  }
}

void TJPEGImage::LoadFromStream(TStream* stream) {
  std::string bytes = stream->ReadAll();
  if (bytes.size() < 2 || static_cast<uint8_t>(bytes[0]) != 0xFF || static_cast<uint8_t>(bytes[1]) != 0xD8)
    throw EJPEG("JPEG error: not a JPEG image");
  SetData(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void TJPEGImage::SaveToStream(TStream* stream) {
  JPEGNeeded();
  if (!data_.empty()) stream->WriteBuffer(data_.data(), static_cast<int32_t>(data_.size()));
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& rect) {
  Decode();
  if (bitmap_) canvas->StretchDraw(rect, bitmap_.get());
}

void TJPEGImage::ReadData(TStream* stream) {
  int32_t size = 0;
  stream->ReadBuffer(&size, 4);
  std::vector<uint8_t> data(static_cast<size_t>(std::max(size, 0)));
  if (size > 0) stream->ReadBuffer(data.data(), size);
  SetData(std::move(data));
}

void TJPEGImage::WriteData(TStream* stream) {
  JPEGNeeded();
  int32_t size = static_cast<int32_t>(data_.size());
  stream->WriteBuffer(&size, 4);
  if (size) stream->WriteBuffer(data_.data(), size);
}
