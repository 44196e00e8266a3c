// Shared painting of the editors: a process-wide cache of solid brushes, arrows, side lines and
// orthogonal polylines, glyphs in enabled and disabled looks, frame fills, the painter of a
// look-and-feel kind and the conversion between text-out flags and canvas text flags.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "Graphics.h"
#include "ImgList.h"
#include "cxGraphics.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"

// Edit button styles and kinds (the edit buttons use them too).
enum TcxEditButtonStyle : uint8_t { btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11 };
enum TcxEditButtonKind : uint8_t { bkEllipsis, bkDown, bkGlyph, bkText };

class TcxCustomEditProperties;
class TcxCustomEditViewData;
class TcxCustomEditViewInfo;
class TcxEditButtonViewInfo;

// Solid brushes by colour: system colours answer the platform's own brushes; other colours are
// kept sorted with a use count, and when the cache is full the least used one makes room.
//
// A brush handed out stays valid for the paint that asked for it: while a paint scope is open,
// brushes that make room are only retired and are deleted when the outermost scope closes, so a
// later miss in the same paint never deletes a brush the painter still holds.
class TcxSolidBrushCache : public TObject {
  CALDERAN_CLASS(TcxSolidBrushCache)
  explicit TcxSolidBrushCache(int capacity = 128);
  ~TcxSolidBrushCache() override;

  HBRUSH BrushForColor(TColor color);
  void ClearBrushes();
  virtual void SystemColorsChanged() { ClearBrushes(); }

  void BeginPaint() { ++paintDepth_; }
  void EndPaint();

  int Depth() const { return static_cast<int>(entries_.size()); }
  int Capacity() const { return capacity_; }
  // The use count of a cached colour, -1 when it is not cached.
  int UseCountOf(TColor color) const;
  int RetiredCount() const { return static_cast<int>(retired_.size()); }

 private:
  struct TEntry {
    uint32_t Color;
    HBRUSH Brush;
    uint32_t UseCount;
  };
  size_t FindPosition(uint32_t color) const;
  void EvictLeastUsed(size_t& position);
  void DisposeBrush(HBRUSH brush);
  void DeleteRetired();

  const int capacity_;
  std::vector<TEntry> entries_;
  std::vector<HBRUSH> retired_;
  int paintDepth_ = 0;
  std::unique_ptr<TcxSystemPaletteChangedNotifier> notifier_;
};

// The module's cache (null before the module starts and after it stops).
TcxSolidBrushCache* SolidBrushCache();
// The brush stays owned by the cache (or the platform): never delete it.
HBRUSH GetCachedSolidBrush(TColor color);
inline HBRUSH GetCachedSolidBrush(TCanvas*, TColor color) { return GetCachedSolidBrush(color); }
inline HBRUSH GetCachedSolidBrush(TcxCanvas*, TColor color) { return GetCachedSolidBrush(color); }

// Keeps the brushes the cache hands out valid until the scope closes (one per paint).
class TcxBrushCachePaintScope {
 public:
  TcxBrushCachePaintScope() {
    if ((cache_ = SolidBrushCache())) cache_->BeginPaint();
  }
  ~TcxBrushCachePaintScope() {
    if (cache_ == SolidBrushCache() && cache_) cache_->EndPaint();
  }
  TcxBrushCachePaintScope(const TcxBrushCachePaintScope&) = delete;
  TcxBrushCachePaintScope& operator=(const TcxBrushCachePaintScope&) = delete;

 private:
  TcxSolidBrushCache* cache_;
};

// ---------------------------------------------------------------------------------------------
// Drawing and measuring

TSize CalcEditArrowSize(TSize available, TcxArrowDirection direction);
void DrawEditArrow(TcxCanvas* canvas, TSize arrowSize, const TRect& contentRect, TcxArrowDirection direction,
                   bool isDouble, bool offsetContent, TColor color);
void DrawRectSides(TcxCanvas* canvas, TRect& rect, TcxBorders sides, TColor color);
void DrawOrthogonalPolyline(TcxCanvas* canvas, const std::vector<TPoint>& points, TColor color, bool useBrush);
void DrawEditGlyph(TcxCanvas* canvas, int x, int y, TBitmap* glyph, bool enabled, TColor backgroundColor,
                   TBitmap* workBitmap = nullptr);
void DrawImageListGlyph(TcxCanvas* canvas, TCustomImageList* images, int index, const TRect& rect,
                        TColor backgroundColor, bool enabled, TBitmap* workBitmap = nullptr);
bool IsBitmapUsable(TBitmap* bitmap);
void FillRectWithColor(TcxCanvas* canvas, const TRect& rect, TColor color);
void FillRectWithBrush(HDC dc, const TRect& rect, HBRUSH brush);
void FillFrameWithBrush(TcxCanvas* canvas, const TRect& outer, const TRect& inner, HBRUSH brush);
TcxCustomLookAndFeelPainterClass SelectPainterClass(bool nativeStyle, TcxLookAndFeelKind kind);
// The horizontal space a button's border takes (the theme's, or 4 in the classic looks).
int EditButtonBorderExtent(TcxCanvas* canvas, TcxEditButtonViewInfo* button);
// The button's own width (at least the border extent), or one from its glyph, caption or kind.
int DefaultEditButtonWidth(TcxCanvas* canvas, TcxEditButtonViewInfo* button);
// 1 for an in-place editor whose properties have buttons, else 0.
int NativeInnerEditHeightCorrection(TcxCustomEditProperties* properties, bool inPlace);
bool EditHasShadow(TcxCustomEditViewData* viewData);
// An editor's background (custom, native or classic ring, shadow and fill) and then its buttons.
void DrawEditBackgroundAndButtons(TcxCanvas* canvas, TcxCustomEditViewInfo* viewInfo, bool fillBackground,
                                  int nativeMode);
int EditButtonsContentVerticalOffset(TcxCanvas* canvas, TcxEditButtonStyle style, bool nativeStyle);
TColor HotTrackTextColor();
TColor GetUltraFlatHotBorderColor(bool office11);
TColor GetUltraFlatButtonColor(bool pressed, bool office11);
void SetCanvasFontFromLogFont(TcxCanvas* canvas, const LOGFONTA& logFont);
bool GetCanvasLogFont(TcxCanvas* canvas, LOGFONTA& logFont);

// Text-out flags (cxTextOut.h) to the toolkit canvas's text flags and back; unmatched bits drop.
uint32_t ConvertToDrawTextFlags(uint32_t textOutFlags);
uint32_t ConvertFromDrawTextFlags(uint32_t canvasFlags);

extern const TUnitInfo cxEditPaintUtilsUnit;
