// JPEG pictures over libjpeg62, registered with TPicture for the extensions "jpeg" and "jpg".
// The picture keeps the compressed data and the decoded bitmap, each made from the other when
// first needed.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "Graphics.h"

CALDERAN_EXCEPTION(EJPEG, EInvalidGraphic)

enum TJPEGPixelFormat : uint8_t { jf24Bit, jf8Bit };
enum TJPEGPerformance : uint8_t { jpBestQuality, jpBestSpeed };

class TJPEGImage : public TGraphic {
  CALDERAN_CLASS(TJPEGImage)
  TJPEGImage();
  ~TJPEGImage() override;
  // From another JPEG picture (a copy of its data) or from any other picture (compressed when
  // the data is first needed).
  void Assign(TPersistent* source) override;

  bool Empty() const override { return data_.empty() && !bitmap_; }
  int32_t Width() const override;
  int32_t Height() const override;
  void SetWidth(int32_t) override;   // the size comes with the picture
  void SetHeight(int32_t) override;

  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int quality);
  bool ProgressiveEncoding() const { return progressive_; }
  void SetProgressiveEncoding(bool value) { progressive_ = value; }
  bool Grayscale() const { return grayscale_; }
  void SetGrayscale(bool value);
  TJPEGPixelFormat PixelFormat() const { return pixelFormat_; }
  void SetPixelFormat(TJPEGPixelFormat format) { pixelFormat_ = format; }
  TJPEGPerformance Performance() const { return performance_; }
  void SetPerformance(TJPEGPerformance value) { performance_ = value; }

  // Makes the compressed data from the bitmap (with the current quality).
  void Compress();
  void JPEGNeeded();
  void DIBNeeded();
  // The decoded picture (24-bit).
  TBitmap* Bitmap();

  // A stream holds one JPEG image from its position to its end.
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;
  void Draw(TCanvas* canvas, const TRect& rect) override;
  // Stored form: the size of the data, then the data.
  void ReadData(TStream* stream) override;
  void WriteData(TStream* stream) override;

 protected:
  void AssignTo(TPersistent* dest) override;

 private:
  void Decode() const;
  void SetData(std::vector<uint8_t> data);

  std::vector<uint8_t> data_;
  mutable std::unique_ptr<TBitmap> bitmap_;
  mutable int32_t width_ = 0, height_ = 0;
  int quality_ = 90;
  bool progressive_ = false;
  bool grayscale_ = false;
  TJPEGPixelFormat pixelFormat_ = jf24Bit;
  TJPEGPerformance performance_ = jpBestQuality;
};

// Start-up of this module: registers the picture class for "jpeg" and "jpg".
extern const TUnitInfo JpegUnit;
