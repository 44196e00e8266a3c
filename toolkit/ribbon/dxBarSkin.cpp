#include "dxBarSkin.h"

#include <memory>

#include "SysUtils.h"
#include "dxGDIPlusAPI.h"
#include "dxOffice11.h"

using namespace Gdiplus;

CALDERAN_IMPLEMENT_CLASS(TdxSkinnedRect, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxCustomBarSkin, TList)
CALDERAN_IMPLEMENT_CLASS(TdxBarSkinManager, TPersistent)

namespace {

TdxBarSkinManager* Manager = nullptr;

struct TGraphicsDeleter {
  void operator()(GpGraphics* graphics) const { GdiPlusFunctions.GdipDeleteGraphics(graphics); }
};
struct TImageDeleter {
  void operator()(GpImage* image) const { GdiPlusFunctions.GdipDisposeImage(image); }
};
struct TAttributesDeleter {
  void operator()(GpImageAttributes* attributes) const { GdiPlusFunctions.GdipDisposeImageAttributes(attributes); }
};
using TGraphicsHolder = std::unique_ptr<GpGraphics, TGraphicsDeleter>;
using TImageHolder = std::unique_ptr<GpImage, TImageDeleter>;
using TAttributesHolder = std::unique_ptr<GpImageAttributes, TAttributesDeleter>;

GpBitmap* CreatePremultipliedBitmap(int width, int height) {
  GpBitmap* bitmap = nullptr;
  CheckGdiPlusStatus(
      GdiPlusFunctions.GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppPARGB, nullptr, &bitmap));
  return bitmap;
}

TGraphicsHolder GraphicsOn(GpBitmap* bitmap, int interpolationMode) {
  GpGraphics* graphics = nullptr;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipGetImageGraphicsContext(bitmap, &graphics));
  TGraphicsHolder holder(graphics);
  CheckGdiPlusStatus(
      GdiPlusFunctions.GdipSetInterpolationMode(graphics, static_cast<Gdiplus::InterpolationMode>(interpolationMode)));
  CheckGdiPlusStatus(GdiPlusFunctions.GdipSetCompositingMode(graphics, CompositingModeSourceCopy));
  return holder;
}

// Column (or row) sizes for a length: the margins when they fit strictly, else two halves.
void SplitLength(int length, int first, int last, int sizes[3]) {
  if (first + last < length) {
    sizes[0] = first;
    sizes[1] = length - first - last;
    sizes[2] = last;
  } else {
    sizes[0] = length / 2;
    sizes[1] = 0;
    sizes[2] = length - length / 2;
  }
}

// Wine's GDI+ leaves the first destination column and row of a scaled drawing transparent when the
// point they map back to falls just outside the source, and its filters read one pixel beyond the
// source rectangle. So each cell is drawn from a copy of its own pixels whose edges the wrap mode
// mirrors outwards, starting one destination pixel early (clipped away).
void DrawCell(GpGraphics* graphics, GpBitmap* image, const TRect& source, const TRect& target) {
  int sw = source.Width(), sh = source.Height(), dw = target.Width(), dh = target.Height();
  // Stretching uses one source pixel less, so the scaled edge keeps the cell's own last pixels.
  if (dw > sw && sw > 1) --sw;
  if (dh > sh && sh > 1) --sh;
  GpBitmap* piece = nullptr;
  if (GdiPlusFunctions.GdipCloneBitmapAreaI(source.Left, source.Top, source.Width(), source.Height(),
                                            PixelFormat32bppPARGB, image, &piece) != Ok)
    return;
  TImageHolder pieceHolder(piece);
  GpImageAttributes* attributes = nullptr;
  GdiPlusFunctions.GdipCreateImageAttributes(&attributes);
  TAttributesHolder attributesHolder(attributes);
  GdiPlusFunctions.GdipSetImageAttributesWrapMode(attributes, WrapModeTileFlipXY, 0, FALSE);
  GraphicsState state = 0;
  GdiPlusFunctions.GdipSaveGraphics(graphics, &state);
  GdiPlusFunctions.GdipSetClipRectI(graphics, target.Left, target.Top, dw, dh, CombineModeReplace);
  REAL stepX = REAL(sw) / dw, stepY = REAL(sh) / dh;
  GdiPlusFunctions.GdipDrawImageRectRect(graphics, piece, REAL(target.Left - 1), REAL(target.Top - 1), REAL(dw + 1),
                                         REAL(dh + 1), -stepX, -stepY, sw + stepX, sh + stepY, UnitPixel, attributes,
                                         nullptr, nullptr);
  GdiPlusFunctions.GdipRestoreGraphics(graphics, state);
}

std::vector<uint32_t> ReadPremultipliedPixels(GpBitmap* bitmap, int width, int height) {
  std::vector<uint32_t> pixels(size_t(width) * height);
  GpRect all{0, 0, width, height};
  BitmapData data{};
  if (GdiPlusFunctions.GdipBitmapLockBits(bitmap, &all, ImageLockModeRead, PixelFormat32bppPARGB, &data) != Ok)
    return pixels;
  for (int y = 0; y < height; ++y)
    std::memcpy(&pixels[size_t(y) * width], static_cast<const Byte*>(data.Scan0) + ptrdiff_t(y) * data.Stride,
                size_t(width) * 4);
  GdiPlusFunctions.GdipBitmapUnlockBits(bitmap, &data);
  return pixels;
}

// A 32-bit top-down DIB section selected into a memory DC for the life of the object.
class TPixelBuffer {
 public:
  TPixelBuffer(HDC reference, int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(reference);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    if (bitmap_) old_ = SelectObject(dc_, bitmap_);
  }
  ~TPixelBuffer() {
    if (bitmap_) {
      SelectObject(dc_, old_);
      DeleteObject(bitmap_);
    }
    DeleteDC(dc_);
  }
  TPixelBuffer(const TPixelBuffer&) = delete;
  TPixelBuffer& operator=(const TPixelBuffer&) = delete;
  bool Valid() const { return bits_ != nullptr; }
  HDC DC() const { return dc_; }
  uint32_t* Bits() const { return bits_; }
  size_t Count() const { return size_t(width_) * height_; }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// Blends premultiplied pixels of the rectangle's size over what the DC shows there.
bool BlendPixelsOnto(HDC dc, const TRect& rect, const uint32_t* pixels, Byte alpha) {
  TPixelBuffer target(dc, rect.Width(), rect.Height());
  if (!target.Valid()) return false;
  BitBlt(target.DC(), 0, 0, rect.Width(), rect.Height(), dc, rect.Left, rect.Top, SRCCOPY);
  GdiFlush();
  BlendPremultipliedPixels(target.Bits(), pixels, target.Count(), alpha);
  return BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), target.DC(), 0, 0, SRCCOPY) != FALSE;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Blending

void BlendPremultipliedPixels(uint32_t* dest, const uint32_t* source, size_t count, Byte alpha) {
  for (size_t i = 0; i < count; ++i) {
    uint32_t s = source[i], d = dest[i], result = 0;
    uint32_t sa = ((s >> 24) * alpha + 127) / 255;
    for (int shift = 0; shift < 32; shift += 8) {
      uint32_t sc = shift == 24 ? sa : (((s >> shift) & 0xFF) * alpha + 127) / 255;
      uint32_t dc = (d >> shift) & 0xFF;
      result |= std::min<uint32_t>(255, sc + (dc * (255 - sa) + 127) / 255) << shift;
    }
    dest[i] = result;
  }
}

bool AlphaBlendCopy(HDC targetDC, const TRect& targetRect, HDC sourceDC, Byte alpha, const TRect& sourceRect) {
  if (targetRect.Width() <= 0 || targetRect.Height() <= 0 || sourceRect.Width() <= 0 || sourceRect.Height() <= 0)
    return false;
  TPixelBuffer source(targetDC, targetRect.Width(), targetRect.Height());
  if (!source.Valid()) return false;
  // Both are 32-bit pixels, so the copy keeps the alpha bytes.
  SetStretchBltMode(source.DC(), COLORONCOLOR);
  StretchBlt(source.DC(), 0, 0, targetRect.Width(), targetRect.Height(), sourceDC, sourceRect.Left, sourceRect.Top,
             sourceRect.Width(), sourceRect.Height(), SRCCOPY);
  GdiFlush();
  return BlendPixelsOnto(targetDC, targetRect, source.Bits(), alpha);
}

// ---------------------------------------------------------------------------------------------
// TdxSkinnedRect

TdxSkinnedRect::~TdxSkinnedRect() {
  FreeCache();
  if (image_) GdiPlusFunctions.GdipDisposeImage(image_);
}

void TdxSkinnedRect::FreeCache() {
  if (cacheBitmap_) GdiPlusFunctions.GdipDisposeImage(cacheBitmap_);
  cacheBitmap_ = nullptr;
  cachePixels_.clear();
}

void TdxSkinnedRect::LoadFromImage(GpImage* sheet, const TRect& sheetRect, const TRect& margins) {
  ResetSize();
  GpBitmap* image = CreatePremultipliedBitmap(sheetRect.Width(), sheetRect.Height());
  TImageHolder holder(image);
  {
    TGraphicsHolder graphics = GraphicsOn(image, InterpolationModeNearestNeighbor);
    CheckGdiPlusStatus(GdiPlusFunctions.GdipDrawImageRectRectI(
        graphics.get(), sheet, 0, 0, sheetRect.Width(), sheetRect.Height(), sheetRect.Left, sheetRect.Top,
        sheetRect.Width(), sheetRect.Height(), UnitPixel, nullptr, nullptr, nullptr));
  }
  if (image_) GdiPlusFunctions.GdipDisposeImage(image_);
  image_ = static_cast<GpBitmap*>(holder.release());
  FreeCache();
  cachedSize_ = TSize();
  margins_ = margins;
  CalculateSourceRects(sheetRect.Width(), sheetRect.Height());
  InitContentMargins();
}

void TdxSkinnedRect::CalculateSourceRects(int width, int height) {
  const int xs[4] = {0, margins_.Left, width - margins_.Right, width};
  const int ys[4] = {0, margins_.Top, height - margins_.Bottom, height};
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column)
      sourceCells_[row * 3 + column] = TRect(xs[column], ys[row], xs[column + 1], ys[row + 1]);
}

void TdxSkinnedRect::InitContentMargins() {
  contentMargins_ = margins_;
  minSize_ = TSize(margins_.Left + margins_.Right, margins_.Top + margins_.Bottom);
}

void TdxSkinnedRect::CalculatePartSizes(int width, int height) {
  int columns[3], rows[3];
  SplitLength(width, margins_.Left, margins_.Right, columns);
  SplitLength(height, margins_.Top, margins_.Bottom, rows);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) cellSizes_[row * 3 + column] = TSize(columns[column], rows[row]);
}

void TdxSkinnedRect::ResetSize() { size_ = TSize(); }

void TdxSkinnedRect::SetSize(const TSize& size) {
  if (size == size_) return;
  CalculatePartSizes(size.cx, size.cy);
  size_ = size;
}

void TdxSkinnedRect::Draw(HDC dc, const TRect& rect, Byte alpha) {
  alpha_ = alpha;
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  SetSize(TSize(rect.Width(), rect.Height()));
  RECT visible = rect;
  if (!RectVisible(dc, &visible)) return;
  DrawCached(dc, rect);
}

void TdxSkinnedRect::UpdateCache() {
  if (size_ == cachedSize_ && cacheBitmap_) return;
  cachedSize_ = size_;
  FreeCache();
  if (GdiPlusFunctions.GdipCreateBitmapFromScan0(size_.cx, size_.cy, 0, PixelFormat32bppPARGB, nullptr,
                                                 &cacheBitmap_) != Ok) {
    cacheBitmap_ = nullptr;
    return;
  }
  RenderCache();
  cachePixels_ = ReadPremultipliedPixels(cacheBitmap_, size_.cx, size_.cy);
}

void TdxSkinnedRect::RenderCache() {
  if (!image_ || !cacheBitmap_) return;
  GpGraphics* graphics = nullptr;
  if (GdiPlusFunctions.GdipGetImageGraphicsContext(cacheBitmap_, &graphics) != Ok) return;
  TGraphicsHolder holder(graphics);
  GdiPlusFunctions.GdipSetInterpolationMode(graphics, static_cast<Gdiplus::InterpolationMode>(interpolationMode_));
  GdiPlusFunctions.GdipSetCompositingMode(graphics, CompositingModeSourceCopy);
  int y = 0;
  for (int row = 0; row < 3; ++row) {
    int x = 0;
    for (int column = 0; column < 3; ++column) {
      const int cell = row * 3 + column;
      const TSize& size = cellSizes_[cell];
      if (size.cx > 0 && size.cy > 0 && !sourceCells_[cell].IsEmpty())
        DrawCell(graphics, image_, sourceCells_[cell], Bounds(x, y, size.cx, size.cy));
      x += size.cx;
    }
    y += cellSizes_[row * 3].cy;
  }
}

void TdxSkinnedRect::DrawCached(HDC dc, const TRect& rect) {
  UpdateCache();
  if (cachePixels_.size() != size_t(rect.Width()) * rect.Height()) return;
  BlendPixelsOnto(dc, rect, cachePixels_.data(), alpha_);
}

TRect TdxSkinnedRect::GetContentRect(const TRect& rect) const {
  return TRect(rect.Left + contentMargins_.Left, rect.Top + contentMargins_.Top, rect.Right - contentMargins_.Right,
               rect.Bottom - contentMargins_.Bottom);
}

void TdxSkinnedRect::DrawFallback(HDC dc, const TRect& rect) { FillDCRectWithColor(dc, rect, clBtnFace); }

// ---------------------------------------------------------------------------------------------
// TdxCustomBarSkin

TdxCustomBarSkin::~TdxCustomBarSkin() { Clear(); }

int TdxCustomBarSkin::AddPart(TdxSkinnedRect* part) {
  if (!part) return -1;
  for (int i = 0; i < Count(); ++i) {
    TdxSkinnedRect* other = GetPart(i);
    if (part->ID() != -1 && part->ID() == other->ID())
      throw EAssertionFailed(Format("ERROR: Duplicate part's ID = %d", {part->ID()}));
    if (!part->Name().empty() && AnsiSameText(part->Name(), other->Name()))
      throw EAssertionFailed(Format("ERROR: Duplicate part's name = \"%s\"", {part->Name()}));
  }
  return Add(part);
}

int TdxCustomBarSkin::AddImagePartWithMargins(GpImage* sheet, const TRect& sheetRect, const TRect& margins, int id,
                                              const std::string& name, int interpolationMode) {
  auto part = std::make_unique<TdxSkinnedRect>();
  part->LoadFromImage(sheet, sheetRect, margins);
  part->SetID(id);
  part->SetName(name);
  part->SetInterpolationMode(interpolationMode);
  int index = AddPart(part.get());
  part.release();
  return index;
}

int TdxCustomBarSkin::AddImagePart(GpImage* sheet, const TRect& sheetRect, int id, const std::string& name,
                                   int interpolationMode) {
  return AddImagePartWithMargins(sheet, sheetRect, TRect(), id, name, interpolationMode);
}

int TdxCustomBarSkin::AddImagePartVert(GpImage* sheet, const TRect& sheetRect, int topMargin, int bottomMargin, int id,
                                       const std::string& name, int interpolationMode) {
  return AddImagePartWithMargins(sheet, sheetRect, TRect(0, topMargin, 0, bottomMargin), id, name, interpolationMode);
}

TdxSkinnedRect* TdxCustomBarSkin::FindPartByID(int id) const {
  for (int i = 0; i < Count(); ++i)
    if (GetPart(i)->ID() == id) return GetPart(i);
  return nullptr;
}

TdxSkinnedRect* TdxCustomBarSkin::FindPartByName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiSameText(GetPart(i)->Name(), name)) return GetPart(i);
  return nullptr;
}

void TdxCustomBarSkin::Clear() {
  for (int i = 0; i < Count(); ++i) delete GetPart(i);
  TList::Clear();
}

// ---------------------------------------------------------------------------------------------
// TdxBarSkinManager

TdxBarSkinManager::~TdxBarSkinManager() {
  for (TdxCustomBarSkin* skin : skins_) delete skin;
}

int TdxBarSkinManager::Add(TdxCustomBarSkin* skin) {
  if (!IsGdiPlusAvailable() || !skin || skin->Name().empty() || FindByName(skin->Name())) return -1;
  skins_.push_back(skin);
  Changed();
  return GetCount() - 1;
}

bool TdxBarSkinManager::Remove(TdxCustomBarSkin* skin) {
  if (!CanRemove(skin)) return false;
  auto found = std::find(skins_.begin(), skins_.end(), skin);
  if (found != skins_.end()) {
    delete skin;
    skins_.erase(found);
    Changed();
  }
  return true;
}

TdxCustomBarSkin* TdxBarSkinManager::FindByName(const std::string& name) const {
  for (TdxCustomBarSkin* skin : skins_)
    if (AnsiSameText(skin->Name(), name)) return skin;
  return nullptr;
}

TdxBarSkinManager* BarSkinManager() {
  if (!Manager) Manager = new TdxBarSkinManager();
  return Manager;
}

void FreeBarSkinManager() {
  delete Manager;
  Manager = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Sheets

GpBitmap* CreateImageFromResourceStream(TStream* stream) {
  if (!IsGdiPlusAvailable()) return nullptr;
  const int64_t size = stream->Size();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, SIZE_T(size));
  CheckGdiPlusSuccess(memory != nullptr);
  GpBitmap* bitmap = nullptr;
  IStream* comStream = nullptr;
  GpStatus status = GenericError;
  if (void* data = GlobalLock(memory)) {
    stream->ReadBuffer(data, static_cast<int32_t>(size));
    if (CreateStreamOnHGlobal(memory, FALSE, &comStream) == S_OK) {
      status = GdiPlusFunctions.GdipCreateBitmapFromStream(comStream, &bitmap);
      comStream->Release();
    }
    GlobalUnlock(memory);
  }
  GlobalFree(memory);
  CheckGdiPlusStatus(status);
  return bitmap;
}

// The manager lives from the first use to this module's shut-down.
const TUnitInfo dxBarSkinUnit{"dxBarSkin", nullptr, FreeBarSkinManager};
