// Drawing skin elements: image sheets cut into state sub-images, nine-part splitting by margins
// (corners copied, edges and centre stretched or tiled, or a gradient centre), fill colour, borders
// and glyph, on a GDI+ canvas over a device context; and the element cache for window frames.
#include <memory>

#include "dxOffice11.h"
#include "dxSkinsCore.h"

using namespace Gdiplus;

namespace {

constexpr PixelFormat PremultipliedArgb = 0x000E200B;

int ColumnOf(int part) { return part / 3; }
bool IsCornerPart(int part) { return part % 2 == 0 && part != 4; }
constexpr int CentrePart = 4;

// The nine parts of a rectangle cut by its margins. Parts already known not to be drawn are left
// alone; the others are stored and stay drawn only when they are not empty.
struct TNineParts {
  TRect Parts[9];
  bool Scalable[9];
};

// Margins that do not fit the target are reduced in proportion, and the squeezed columns or rows
// then scale instead of being copied.
void SqueezeMargins(int& before, int& after, int extent, TNineParts& split, bool columns) {
  int excess = before + after - extent;
  if (excess <= 0) return;
  int total = before + after;
  before -= MulDiv(before, excess, total);
  after -= MulDiv(after, excess, total);
  for (int part = 0; part < 9; ++part) {
    int line = columns ? ColumnOf(part) : part % 3;
    if (line != 1) split.Scalable[part] = true;
  }
}

void SplitRect(const TRect& r, const TRect& margins, bool isTarget, TNineParts& split, bool (&draw)[9]) {
  for (int part = 0; part < 9; ++part) split.Scalable[part] = !IsCornerPart(part);
  int left = margins.Left, top = margins.Top, right = margins.Right, bottom = margins.Bottom;
  if (isTarget) {
    SqueezeMargins(left, right, r.Right - r.Left, split, true);
    SqueezeMargins(top, bottom, r.Bottom - r.Top, split, false);
  }
  TRect inner(r.Left + left, r.Top + top, r.Right - right, r.Bottom - bottom);
  inner.Left = std::min(inner.Left, r.Right);
  inner.Right = std::min(std::max(inner.Right, inner.Left), r.Right);
  inner.Top = std::min(inner.Top, r.Bottom);
  inner.Bottom = std::min(std::max(inner.Bottom, inner.Top), r.Bottom);
  const int xs[4] = {r.Left, inner.Left, inner.Right, r.Right};
  const int ys[4] = {r.Top, inner.Top, inner.Bottom, r.Bottom};
  for (int part = 0; part < 9; ++part) {
    if (!draw[part]) continue;
    int column = ColumnOf(part), row = part % 3;
    split.Parts[part] = TRect(xs[column], ys[row], xs[column + 1], ys[row + 1]);
    draw[part] = !RectIsEmpty(split.Parts[part]);
  }
}

// Sets nearest-neighbour interpolation for the life of the object.
class TNearestNeighbour {
 public:
  explicit TNearestNeighbour(GpGraphics* graphics) : graphics_(graphics) {
    CheckGdiPlusStatus(GdiPlusFunctions.GdipGetInterpolationMode(graphics_, &saved_));
    CheckGdiPlusStatus(GdiPlusFunctions.GdipSetInterpolationMode(graphics_, InterpolationModeNearestNeighbor));
  }
  ~TNearestNeighbour() { GdiPlusFunctions.GdipSetInterpolationMode(graphics_, saved_); }

 private:
  GpGraphics* graphics_;
  InterpolationMode saved_ = InterpolationModeDefault;
};

ARGB OpaqueArgb(TColor color) {
  COLORREF rgb = ColorToRGB(color);
  return 0xFF000000u | (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}

TdxSkinElement* EmptyElement = nullptr;

// Wine's GDI+ maps each destination pixel of a scaled drawing back into the source rectangle and
// leaves the pixel transparent when the point falls outside it. The first column and row map
// exactly onto the rectangle's left and top edges, and the rounding of the inverted transform puts
// them just outside for most sizes: a thin unpainted line at the left and top of every stretched
// piece. Its bilinear filter also reads one pixel beyond the piece, from the next piece or state of
// the sheet. So a stretched piece is drawn from a copy of its own, whose edge pixels the wrap mode
// mirrors outwards, and one destination column and row earlier than the target (clipped away), so
// that the first visible column and row sample well inside the source.
struct TGdiPlusImageDeleter {
  void operator()(GpImage* image) const { GdiPlusFunctions.GdipDisposeImage(image); }
};
struct TImageAttributesDeleter {
  void operator()(GpImageAttributes* attributes) const { GdiPlusFunctions.GdipDisposeImageAttributes(attributes); }
};
using TPieceCopy = std::unique_ptr<GpImage, TGdiPlusImageDeleter>;
using TMirroredEdges = std::unique_ptr<GpImageAttributes, TImageAttributesDeleter>;

TPieceCopy CopyPiece(GpImage* sheet, const TRect& source) {
  GpBitmap* piece = nullptr;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipCloneBitmapAreaI(source.Left, source.Top, source.Right - source.Left,
                                                           source.Bottom - source.Top, PixelFormat32bppARGB,
                                                           static_cast<GpBitmap*>(sheet), &piece));
  return TPieceCopy(piece);
}

TMirroredEdges MirroredEdges() {
  GpImageAttributes* attributes = nullptr;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipCreateImageAttributes(&attributes));
  TMirroredEdges result(attributes);
  CheckGdiPlusStatus(GdiPlusFunctions.GdipSetImageAttributesWrapMode(attributes, WrapModeTileFlipXY, 0, FALSE));
  return result;
}

// Restores the clip (and the rest of the graphics state) it found.
class TGraphicsStateSaver {
 public:
  explicit TGraphicsStateSaver(GpGraphics* graphics) : graphics_(graphics) {
    CheckGdiPlusStatus(GdiPlusFunctions.GdipSaveGraphics(graphics_, &state_));
  }
  ~TGraphicsStateSaver() { GdiPlusFunctions.GdipRestoreGraphics(graphics_, state_); }

 private:
  GpGraphics* graphics_;
  GraphicsState state_ = 0;
};

void DrawStretchedPiece(GpGraphics* graphics, TdxPNGImage* texture, const TRect& target, const TRect& source) {
  GpImage* sheet = texture->Image() ? texture->Image()->Handle() : nullptr;
  int width = target.Right - target.Left, height = target.Bottom - target.Top;
  if (!sheet || width < 1 || height < 1 || RectIsEmpty(source)) return;
  TPieceCopy piece = CopyPiece(sheet, source);
  TMirroredEdges edges = MirroredEdges();
  TGraphicsStateSaver saver(graphics);
  CheckGdiPlusStatus(GdiPlusFunctions.GdipSetClipRectI(graphics, target.Left, target.Top, width, height,
                                                       CombineModeIntersect));
  // One destination pixel more before the target, in source units.
  REAL pieceWidth = static_cast<REAL>(source.Right - source.Left), pieceHeight = static_cast<REAL>(source.Bottom - source.Top);
  REAL stepX = pieceWidth / width, stepY = pieceHeight / height;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipDrawImageRectRect(
      graphics, piece.get(), static_cast<REAL>(target.Left - 1), static_cast<REAL>(target.Top - 1),
      static_cast<REAL>(width + 1), static_cast<REAL>(height + 1), -stepX, -stepY, pieceWidth + stepX,
      pieceHeight + stepY, UnitPixel, edges.get(), nullptr, nullptr));
}

// Draws on the canvas set up over the device context, releasing it also on failure.
template <class Drawing> void PaintOnCanvas(TdxSkinCanvas& canvas, HDC dc, const TRect& rect, Drawing drawing) {
  canvas.BeginPaint(dc, rect);
  try {
    drawing(&canvas);
  } catch (...) {
    canvas.EndPaint();
    throw;
  }
  canvas.EndPaint();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Image layout

void TdxSkinImage::CheckLayout() {
  if (layoutDirty_) InitializeLayout();
}

void TdxSkinImage::InitializeLayout() {
  int indexes[dxSkinElementStateCount] = {};
  stateCount_ = 0;
  for (int s = 0; s < dxSkinElementStateCount; ++s)
    if (states_.Contains(static_cast<TdxSkinElementState>(s))) indexes[s] = stateCount_++;
  partSize_ = TSize(texture_->Width(), texture_->Height());
  int imageCount = owner_ ? owner_->ImageCount() : 1;
  int& along = imageLayout_ == ilHorizontal ? partSize_.cx : partSize_.cy;
  if (stateCount_ > 0) along = along / imageCount / stateCount_;
  for (int s = 0; s < dxSkinElementStateCount; ++s) {
    int j = indexes[s];
    stateRects_[s] = imageLayout_ == ilHorizontal
                         ? TRect(j * partSize_.cx, 0, (j + 1) * partSize_.cx, partSize_.cy)
                         : TRect(0, j * partSize_.cy, partSize_.cx, (j + 1) * partSize_.cy);
  }
  layoutDirty_ = false;
}

TSize TdxSkinImage::Size() {
  CheckLayout();
  return partSize_;
}

int TdxSkinImage::StateCount() {
  CheckLayout();
  return stateCount_;
}

TRect TdxSkinImage::SourceRect(int imageIndex, TdxSkinElementState state) {
  CheckLayout();
  TRect r = stateRects_[state];
  if (imageIndex > 0) {
    int shift = imageIndex * stateCount_ * (imageLayout_ == ilHorizontal ? partSize_.cx : partSize_.cy);
    r = imageLayout_ == ilHorizontal ? RectOffset(r, shift, 0) : RectOffset(r, 0, shift);
  }
  return r;
}

TdxSkinElementState TdxSkinImage::EffectiveState(TdxSkinElementState state) const {
  if (states_.Contains(state)) return state;
  for (int s = 0; s < dxSkinElementStateCount; ++s)
    if (states_.Contains(static_cast<TdxSkinElementState>(s))) return static_cast<TdxSkinElementState>(s);
  return state;
}

// ---------------------------------------------------------------------------------------------
// Image drawing

void TdxSkinImage::Draw(HDC dc, const TRect& rect, int imageIndex, TdxSkinElementState state) {
  TSize size = Size();
  if (size.cx < 1 || size.cy < 1 || RectIsEmpty(rect) || !RectVisible(dc, rect.Win())) return;
  TdxSkinCanvas canvas;
  PaintOnCanvas(canvas, dc, rect, [&](TdxSkinCanvas* c) { DrawOnCanvas(c, rect, imageIndex, state); });
}

void TdxSkinImage::DrawOnCanvas(TdxSkinCanvas* canvas, const TRect& rect, int imageIndex, TdxSkinElementState state) {
  // An index beyond the sheet's images would address pixels outside it.
  if (Empty() || texture_->Empty() || imageIndex < 0 || imageIndex >= (owner_ ? owner_->ImageCount() : 1)) return;
  CheckLayout();
  state = EffectiveState(state);
  TRect source = SourceRect(imageIndex, state);
  if (stretch_ == smNoResize)
    DrawUnscaled(canvas, rect, source);
  else
    DrawNineParts(canvas, rect, source);
}

void TdxSkinImage::DrawUnscaled(TdxSkinCanvas* canvas, const TRect& rect, const TRect& source) {
  int w = partSize_.cx, h = partSize_.cy;
  int left = (rect.Left + rect.Right - w) / 2, top = (rect.Top + rect.Bottom - h) / 2;
  TNearestNeighbour mode(canvas->Graphics());
  texture_->DrawOnGraphics(canvas->Graphics(), TRect(left, top, left + w, top + h), source);
}

void TdxSkinImage::DrawNineParts(TdxSkinCanvas* canvas, const TRect& rect, const TRect& source) {
  bool draw[9];
  std::fill(std::begin(draw), std::end(draw), true);
  TNineParts sourceParts, targetParts;
  SplitRect(source, margins_->GetRect(), false, sourceParts, draw);
  SplitRect(rect, margins_->GetRect(), true, targetParts, draw);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      int part = column * 3 + row;
      if (draw[part])
        DrawPart(canvas, targetParts.Parts[part], sourceParts.Parts[part], targetParts.Scalable[part],
                 part == CentrePart);
    }
}

void TdxSkinImage::DrawPart(TdxSkinCanvas* canvas, const TRect& target, const TRect& source, bool scalable,
                            bool centre) {
  if (gradientBeginColor_ != clNone && centre) {
    FillGradient(canvas, target);
  } else if (!scalable) {
    TNearestNeighbour mode(canvas->Graphics());
    texture_->DrawOnGraphics(canvas->Graphics(), target, source);
  } else if (stretch_ == smTile) {
    DrawTiled(canvas, target, source);
  } else {
    DrawStretchedPiece(canvas->Graphics(), texture_.get(), target, source);
  }
}

void TdxSkinImage::DrawTiled(TdxSkinCanvas* canvas, const TRect& target, const TRect& source) {
  int sw = source.Right - source.Left, sh = source.Bottom - source.Top;
  if (sw < 1 || sh < 1) return;
  TNearestNeighbour mode(canvas->Graphics());
  for (int y = target.Top; y < target.Bottom; y += sh) {
    int h = std::min(sh, target.Bottom - y);
    for (int x = target.Left; x < target.Right; x += sw) {
      int w = std::min(sw, target.Right - x);
      texture_->DrawOnGraphics(canvas->Graphics(), TRect(x, y, x + w, y + h),
                               TRect(source.Left, source.Top, source.Left + w, source.Top + h));
    }
  }
}

void TdxSkinImage::FillGradient(TdxSkinCanvas* canvas, const TRect& target) {
  TColor begin = gradientBeginColor_, end = gradientEndColor_;
  if (end == begin || end == clNone || end == clDefault) return canvas->FillRect(target, begin);
  if (gradient_ == gmForwardDiagonal || gradient_ == gmBackwardDiagonal) {
    GpRect area(target.Left, target.Top, target.Right - target.Left, target.Bottom - target.Top);
    GpLineGradient* brush = nullptr;
    LinearGradientMode mode =
        gradient_ == gmForwardDiagonal ? LinearGradientModeForwardDiagonal : LinearGradientModeBackwardDiagonal;
    CheckGdiPlusStatus(GdiPlusFunctions.GdipCreateLineBrushFromRectI(&area, OpaqueArgb(begin), OpaqueArgb(end), mode,
                                                                     WrapModeTile, &brush));
    GpStatus status = GdiPlusFunctions.GdipFillRectangleI(canvas->Graphics(), brush, area.X, area.Y, area.Width,
                                                          area.Height);
    GdiPlusFunctions.GdipDeleteBrush(brush);
    return CheckGdiPlusStatus(status);
  }
  HDC dc = nullptr;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipGetDC(canvas->Graphics(), &dc));
  FillGradientRect(dc, *target.Win(), begin, end, gradient_ == gmHorizontal);
  GdiPlusFunctions.GdipReleaseDC(canvas->Graphics(), dc);
}

// ---------------------------------------------------------------------------------------------
// Borders and elements

TRect TdxSkinBorder::StripRect(const TRect& r) const {
  switch (side_) {
    case bLeft: return TRect(r.Left, r.Top, r.Left + thin_, r.Bottom);
    case bTop: return TRect(r.Left, r.Top, r.Right, r.Top + thin_);
    case bRight: return TRect(r.Right - thin_, r.Top, r.Right, r.Bottom);
    default: return TRect(r.Left, r.Bottom - thin_, r.Right, r.Bottom);
  }
}

void TdxSkinBorder::DrawOnCanvas(TdxSkinCanvas* canvas, const TRect& rect) { canvas->FillRect(StripRect(rect), color_); }

void TdxSkinBorder::Draw(HDC dc, const TRect& rect) {
  TdxSkinCanvas canvas;
  PaintOnCanvas(canvas, dc, rect, [&](TdxSkinCanvas* c) { DrawOnCanvas(c, rect); });
}

void TdxSkinElement::Draw(HDC dc, const TRect& rect, int imageIndex, TdxSkinElementState state) {
  if (RectIsEmpty(rect) || !RectVisible(dc, rect.Win()) || imageIndex < 0 || imageIndex >= imageCount_) return;
  PaintOnCanvas(*canvas_, dc, rect, [&](TdxSkinCanvas* c) { DrawOnCanvas(c, rect, imageIndex, state); });
}

void TdxSkinElement::DrawOnCanvas(TdxSkinCanvas* canvas, const TRect& rect, int imageIndex, TdxSkinElementState state) {
  if (image_->Empty()) {
    TRect work = rect;
    for (TcxBorder side : {bLeft, bTop, bRight, bBottom}) {
      TdxSkinBorder* border = borders_->Items(side);
      if (border->Color() == clNone) continue;
      border->DrawOnCanvas(canvas, rect);
      work = RectInflateEdges(work, side == bLeft ? -border->Thin() : 0, side == bTop ? -border->Thin() : 0,
                              side == bRight ? -border->Thin() : 0, side == bBottom ? -border->Thin() : 0);
    }
    FillBackground(canvas, work);
  } else {
    FillBackground(canvas, rect);
    image_->DrawOnCanvas(canvas, rect, imageIndex, state);
  }
  glyph_->DrawOnCanvas(canvas, RectDeflateByMargins(rect, contentOffset_->GetRect()), imageIndex, state);
}

void TdxSkinElement::FillBackground(TdxSkinCanvas* canvas, const TRect& rect) {
  if (!hasColor_ || RectIsEmpty(rect)) return;
  // An opaque stretched image covers everything.
  if (!image_->Empty() && image_->Stretch() != smNoResize && !HasAlpha()) return;
  if (alpha_ == 255)
    canvas->FillRect(rect, color_);
  else if (brush_)
    CheckGdiPlusStatus(GdiPlusFunctions.GdipFillRectangleI(canvas->Graphics(), brush_, rect.Left, rect.Top,
                                                           rect.Right - rect.Left, rect.Bottom - rect.Top));
}

void TdxSkinEmptyElement::Draw(HDC dc, const TRect& rect, int, TdxSkinElementState) {
  FillRect(dc, rect.Win(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FrameRect(dc, rect.Win(), red);
  DeleteObject(red);
}

TdxSkinElement* ElementOrEmpty(TdxSkinElement* element) { return element ? element : EmptyElement; }

void CreateSkinEmptyElement() { EmptyElement = new TdxSkinEmptyElement(); }

void FreeSkinEmptyElement() {
  delete EmptyElement;
  EmptyElement = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Canvas

TdxSkinCanvas::~TdxSkinCanvas() { EndPaint(); }

void TdxSkinCanvas::BeginPaint(HDC dc, const TRect& rect) {
  rect_ = rect;
  dc_ = dc;
  HDC target = dc;
  // Palette displays are served through a 32-bit buffer that keeps the device context's coordinates.
  if (GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) <= 8) {
    buffer_ = std::make_unique<TcxBitmap>(rect.Right - rect.Left, rect.Bottom - rect.Top);
    target = buffer_->Canvas()->GetHandle();
    BitBlt(target, 0, 0, rect.Right - rect.Left, rect.Bottom - rect.Top, dc, rect.Left, rect.Top, SRCCOPY);
    SetWindowOrgEx(target, rect.Left, rect.Top, nullptr);
  }
  CheckGdiPlusStatus(GdiPlusFunctions.GdipCreateFromHDC(target, &graphics_));
  ownsGraphics_ = true;
}

void TdxSkinCanvas::BeginPaintOnGraphics(GpGraphics* graphics, const TRect& rect) {
  rect_ = rect;
  graphics_ = graphics;
  ownsGraphics_ = false;
}

void TdxSkinCanvas::EndPaint() {
  if (graphics_ && ownsGraphics_) GdiPlusFunctions.GdipDeleteGraphics(graphics_);
  graphics_ = nullptr;
  if (buffer_) {
    HDC source = buffer_->Canvas()->GetHandle();
    SetWindowOrgEx(source, 0, 0, nullptr);
    int saved = SaveDC(dc_);
    BitBlt(dc_, rect_.Left, rect_.Top, rect_.Right - rect_.Left, rect_.Bottom - rect_.Top, source, 0, 0, SRCCOPY);
    RestoreDC(dc_, saved);
    buffer_.reset();
  }
  dc_ = nullptr;
}

void TdxSkinCanvas::FillRect(const TRect& rect, TColor color) {
  if (color == clNone || color == clDefault || RectIsEmpty(rect)) return;
  HDC dc = nullptr;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipGetDC(graphics_, &dc));
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  ::FillRect(dc, rect.Win(), brush);
  DeleteObject(brush);
  GdiPlusFunctions.GdipReleaseDC(graphics_, dc);
}

// ---------------------------------------------------------------------------------------------
// Element cache

TdxSkinElementCache::~TdxSkinElementCache() { FreeBitmap(); }

void TdxSkinElementCache::FreeBitmap() {
  if (bitmap_) GdiPlusFunctions.GdipDisposeImage(bitmap_);
  bitmap_ = nullptr;
}

void TdxSkinElementCache::Prepare(TdxSkinElement* element, const TRect& rect, TdxSkinElementState state,
                                  int imageIndex) {
  int width = rect.Right - rect.Left, height = rect.Bottom - rect.Top;
  if (bitmap_ && element == element_ && state == state_ && imageIndex == imageIndex_ && width == width_ &&
      height == height_)
    return;
  element_ = element;
  state_ = state;
  imageIndex_ = imageIndex;
  width_ = width;
  height_ = height;
  FreeBitmap();
  if (!element || RectIsEmpty(rect)) return;
  hasAlpha_ = element->HasAlpha();
  CheckGdiPlusStatus(GdiPlusFunctions.GdipCreateBitmapFromScan0(width, height, 0, PremultipliedArgb, nullptr, &bitmap_));
  GpGraphics* graphics = nullptr;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipGetImageGraphicsContext(bitmap_, &graphics));
  TdxSkinCanvas canvas;
  canvas.BeginPaintOnGraphics(graphics, TRect(0, 0, width, height));
  try {
    element->DrawOnCanvas(&canvas, TRect(0, 0, width, height), imageIndex, state);
  } catch (...) {
    GdiPlusFunctions.GdipDeleteGraphics(graphics);
    throw;
  }
  GdiPlusFunctions.GdipDeleteGraphics(graphics);
}

void TdxSkinElementCache::DrawCache(HDC dc, const TRect& rect) {
  if (!bitmap_) return;
  if (hasAlpha_) {
    GpGraphics* graphics = nullptr;
    CheckGdiPlusStatus(GdiPlusFunctions.GdipCreateFromHDC(dc, &graphics));
    GpStatus status = GdiPlusFunctions.GdipDrawImageRectI(graphics, bitmap_, rect.Left, rect.Top, width_, height_);
    GdiPlusFunctions.GdipDeleteGraphics(graphics);
    return CheckGdiPlusStatus(status);
  }
  HBITMAP handle = nullptr;
  CheckGdiPlusStatus(GdiPlusFunctions.GdipCreateHBITMAPFromBitmap(bitmap_, &handle, 0));
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, handle);
  BitBlt(dc, rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(handle);
}
