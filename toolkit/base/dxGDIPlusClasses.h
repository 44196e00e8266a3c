// GDI+ images and the PNG picture class. TdxGPImage wraps one GDI+ image; TdxPNGImage is a framework
// picture backed by one, so that PNG pictures with alpha are loaded, stored, drawn scaled, turned
// into 32-bit bitmaps and compared. Registered with the picture registry as "PNG" when GDI+ exists.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "dxGDIPlusAPI.h"

// 32-bit pixels, the bytes B, G, R, A in memory.
using TdxRGBColors = std::vector<uint32_t>;

class TdxGPImage : public TdxGPBase {
  CALDERAN_CLASS(TdxGPImage)
  TdxGPImage() = default;
  ~TdxGPImage() override;

  // The constructors, through the image class of the moment (TdxGPImageClass). Without GDI+ each
  // gives an image without handle, which reads as empty.
  static TdxGPImage* NewFromBitmap(TBitmap* bitmap);
  // Keeps a reference to the pixels (not a copy): GDI+ reads them as long as the image lives.
  static TdxGPImage* NewFromPixels(int width, int height, std::shared_ptr<TdxRGBColors> bits, bool hasAlpha);
  // A stream starting with "BM" is read as a Windows bitmap; any other through the GDI+ decoder.
  static TdxGPImage* NewFromStream(TStream* stream);
  static TdxGPImage* Duplicate(TdxGPImage* source);

  // A PNG read from a stream stays encoded until its first use here (loading a skin reads hundreds
  // of pictures, few of which are drawn soon); it is then decoded by DecodeSimplePng into pixels of
  // its own when it reads it as GDI+ does, else by GDI+.
  Gdiplus::GpImage* Handle() const;
  const std::shared_ptr<TdxRGBColors>& PixelData() const { return pixelData_; }
  // GdipGetImageDimension truncated (a PNG not yet decoded: the size its header gives); 0 x 0
  // without picture.
  TSize Size() const;
  // Saves as PNG with the cached PNG encoder.
  void EncodeToStream(TMemoryStream* stream);
  // Width x Height pixels, rows from the top.
  static void ReadBitmapPixels(TBitmap* bitmap, TdxRGBColors& bits);

 protected:
  virtual void DecodeStream(TStream* stream);

 private:
  static TdxGPImage* CreateOfImageClass();
  // A GDI+ bitmap over the premultiplied pixels, which the image keeps.
  void BindPixels(int width, int height, std::shared_ptr<TdxRGBColors> bits);
  void ReleaseDecodeBuffer();
  // Keeps the PNG's bytes after checking its chunks; raises the GDI+ failure for a damaged file.
  void KeepEncodedPng(std::string&& bytes);
  void DecodeKeptPng();
  void DecodeMemory(const void* data, size_t size);

  std::shared_ptr<TdxRGBColors> pixelData_;
  Gdiplus::GpImage* handle_ = nullptr;
  // The memory a decoded image was read from: GDI+ may read it while the image lives.
  IStream* decodeStream_ = nullptr;
  HGLOBAL decodeMemory_ = nullptr;
  // A PNG not decoded yet (shared with its duplicates) and the size its header gives.
  std::shared_ptr<const std::string> encodedPng_;
  TSize encodedSize_;
};

// A PNG file decoded by libpng into the 32-bit premultiplied pixels GDI+ would make of it, rows from
// the top; hasAlpha tells whether any pixel is not opaque. False, with nothing decoded, for a file
// libpng reads otherwise than GDI+ (16 bits a channel, a declared gamma) and for a damaged one:
// GDI+'s decoder reads those.
bool DecodeSimplePng(const std::string& png, TSize& size, TdxRGBColors& pixels, bool& hasAlpha);

// The image class while GDI+ is not available: allocated with the ordinary memory manager.
class TdxGPNullImage : public TdxGPImage {
  CALDERAN_CLASS(TdxGPNullImage)
  TdxGPNullImage() = default;
  static void* operator new(size_t size) { return ::operator new(size); }
  static void operator delete(void* block) { ::operator delete(block); }
};

// TdxGPNullImage until the module finds GDI+, then TdxGPImage.
TClass TdxGPImageClass();

class TdxPNGImage : public TGraphic {
  CALDERAN_CLASS(TdxPNGImage)
  TdxPNGImage() = default;
  ~TdxPNGImage() override;

  void Assign(TPersistent* source) override;
  bool Empty() const override;
  int32_t Width() const override { return Size().cx; }
  int32_t Height() const override { return Size().cy; }
  void SetWidth(int32_t) override {}  // the size comes with the picture
  void SetHeight(int32_t) override {}
  bool Transparent() const override { return true; }
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;
  void Draw(TCanvas* canvas, const TRect& rect) override;

  TdxGPImage* Image() const { return image_.get(); }
  // Frees the previous image unless it is the same object.
  void SetImage(TdxGPImage* image);

  // Equal sizes and, when both hold a picture, equal 32-bit pixels.
  virtual bool SameAs(TdxPNGImage* other);
  // A new 32-bit bitmap (the caller frees it), transparent black behind the picture.
  virtual TBitmap* ToBitmap();
  virtual void TakeBitmap(TBitmap* bitmap);
  virtual void DrawOnDC(HDC dc, const TRect& destRect);
  virtual void DrawOnDCRect(HDC dc, const TRect& destRect, const TRect& srcRect);
  virtual void DrawOnGraphics(Gdiplus::GpGraphics* graphics, const TRect& destRect, const TRect& srcRect);
  void DrawOnGraphicsChecked(Gdiplus::GpGraphics* graphics, const TRect& destRect, const TRect& srcRect);
  // Some pixel's alpha is not 255 (cached until the picture changes).
  bool HasAlpha();

 protected:
  void AssignTo(TPersistent* dest) override;
  void Changed(TObject* sender) override;

 private:
  TSize Size() const { return image_ ? image_->Size() : TSize(0, 0); }
  std::vector<uint32_t> Pixels();

  std::unique_ptr<TdxGPImage> image_;
  bool hasAlpha_ = false;
  bool hasAlphaValid_ = false;
};

extern const TUnitInfo dxGDIPlusClassesUnit;
