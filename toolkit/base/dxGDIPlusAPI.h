// GDI+ bound at run time: the toolkit never imports gdiplus.dll, so the program starts where it is
// missing. The library is loaded and started (without its background thread) the first time
// something asks IsGdiPlusAvailable; everything that needs GDI+ asks first and does without it when
// the answer is no.
//
// TdxUnitsLoader is the list through which the modules that depend on GDI+ register a start and a
// finish procedure, so that all their finish procedures have run, newest first, before GDI+ itself
// is shut down.
#pragma once
#include <windows.h>
#include <gdiplus.h>

#include <string>
#include <vector>

#include "System.h"

// The entries bound by name, in binding order.
#define DX_GDIPLUS_FUNCTIONS(X)                                                                           \
  X(GdipAlloc) X(GdipFree) X(GdiplusStartup) X(GdiplusShutdown) X(GdipCloneBrush) X(GdipDeleteBrush)      \
  X(GdipGetBrushType) X(GdipCreateSolidFill) X(GdipSetSolidFillColor) X(GdipGetSolidFillColor)            \
  X(GdipCreateLineBrushFromRectI) X(GdipGetLineRectI) X(GdipSetLineColors) X(GdipGetLineColors)           \
  X(GdipSetLineWrapMode) X(GdipGetLineWrapMode) X(GdipCreateHatchBrush) X(GdipGetHatchStyle)              \
  X(GdipGetHatchForegroundColor) X(GdipGetHatchBackgroundColor) X(GdipCreatePen1) X(GdipCreatePen2)       \
  X(GdipClonePen) X(GdipDeletePen) X(GdipGetPenFillType) X(GdipSetPenBrushFill) X(GdipGetPenBrushFill)    \
  X(GdipSetPenColor) X(GdipGetPenColor) X(GdipSetPenMode) X(GdipGetPenMode) X(GdipSetPenWidth)            \
  X(GdipGetPenWidth) X(GdipCreateFromHDC) X(GdipDeleteGraphics) X(GdipGetDC) X(GdipReleaseDC)             \
  X(GdipGraphicsClear) X(GdipDrawLineI) X(GdipFillRectangleI) X(GdipDrawArcI) X(GdipDrawBezierI)          \
  X(GdipDrawRectangleI) X(GdipDrawEllipseI) X(GdipDrawPieI) X(GdipDrawPolygonI) X(GdipDrawCurve2I)        \
  X(GdipDrawClosedCurve2I) X(GdipFillPolygonI) X(GdipFillEllipseI) X(GdipFillPieI)                        \
  X(GdipFillClosedCurveI) X(GdipLoadImageFromStream) X(GdipCreateBitmapFromFile)                          \
  X(GdipCreateBitmapFromStream) X(GdipCreateBitmapFromStreamICM) X(GdipCreateHBITMAPFromBitmap)           \
  X(GdipLoadImageFromFile) X(GdipGetImageDimension) X(GdipDrawImageRectI) X(GdipDisposeImage)             \
  X(GdipGetImageEncodersSize) X(GdipGetImageEncoders) X(GdipSaveImageToStream)                            \
  X(GdipCreateBitmapFromHBITMAP) X(GdipGetEncoderParameterListSize) X(GdipGetEncoderParameterList)        \
  X(GdipCreateBitmapFromGdiDib) X(GdipCreateBitmapFromScan0) X(GdipBitmapLockBits)                        \
  X(GdipBitmapUnlockBits) X(GdipDrawImageRectRectI) X(GdipDrawImageRectRect) X(GdipDrawImagePointRect)    \
  X(GdipCloneImage) X(GdipSetInterpolationMode) X(GdipGetInterpolationMode) X(GdipCreateCachedBitmap)     \
  X(GdipDeleteCachedBitmap) X(GdipDrawCachedBitmap) X(GdipCreateBitmapFromGraphics)                       \
  X(GdipGetImageGraphicsContext) X(GdipGetImageWidth) X(GdipGetImageHeight) X(GdipSetCompositingMode)     \
  X(GdipGetCompositingMode) X(GdipSetCompositingQuality) X(GdipGetCompositingQuality)                     \
  X(GdipSetSmoothingMode) X(GdipGetSmoothingMode) X(GdipCloneBitmapAreaI) X(GdipCreateImageAttributes)        \
  X(GdipDisposeImageAttributes) X(GdipSetImageAttributesWrapMode) X(GdipSaveGraphics)                    \
  X(GdipRestoreGraphics) X(GdipSetClipRectI)

// The prototypes the pointers take their types from: the platform headers', plus two entries the
// library exports but the headers do not declare.
namespace dxGdiPlusPrototypes {
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
using Gdiplus::GdiplusShutdown;
using Gdiplus::GdiplusStartup;
GpStatus WINGDIPAPI GdipGetEncoderParameterListSize(GpImage* image, const CLSID* encoder, UINT* size);
GpStatus WINGDIPAPI GdipGetEncoderParameterList(GpImage* image, const CLSID* encoder, UINT size,
                                                EncoderParameters* buffer);
}  // namespace dxGdiPlusPrototypes

struct TdxGdiPlusFunctions {
#define DX_GDIPLUS_POINTER(name) decltype(&::dxGdiPlusPrototypes::name) name;
  DX_GDIPLUS_FUNCTIONS(DX_GDIPLUS_POINTER)
#undef DX_GDIPLUS_POINTER
};

// The bound entries: all null until GDI+ is loaded; while it is loaded but an entry could not be
// bound, that entry and those after it stay null (and GDI+ counts as unavailable).
extern TdxGdiPlusFunctions GdiPlusFunctions;
inline constexpr int GdiPlusFunctionCount = sizeof(TdxGdiPlusFunctions) / sizeof(void*);

// Loads and starts GDI+ on first demand; asks again on every call while it is unavailable.
bool IsGdiPlusAvailable();
void LoadGdiPlus();
// Stops GDI+ and frees the library (the finish procedure this module registers first).
void ShutdownGdiPlus();

// Any status but Ok fails the assertion "Invalid operation in GDI+".
void CheckGdiPlusStatus(Gdiplus::GpStatus status);
void CheckGdiPlusSuccess(bool ok);

// 0 with the class identifier of the encoder for the MIME type (case ignored); 1 when there is
// none or GDI+ is unavailable, with clsid untouched.
int FindEncoderId(const std::string& mimeType, CLSID& clsid);
// The PNG encoder's identifier, fetched into the cache unless it is there.
void EnsurePngEncoder();
const CLSID& PngEncoderId();

// Objects that live in GDI+ memory: allocated with GdipAlloc, released with GdipFree.
class TdxGPBase : public TObject {
  CALDERAN_CLASS(TdxGPBase)
  TdxGPBase() = default;
  static void* operator new(size_t size);
  static void operator delete(void* block);
};

// The start and finish procedures of the modules that depend on GDI+.
class TdxUnitsLoader : public TObject {
  CALDERAN_CLASS(TdxUnitsLoader)
  using TdxUnitProc = void (*)();
  TdxUnitsLoader() = default;
  ~TdxUnitsLoader() override { RunFinishProcs(); }

  // The start procedure (when given) runs at once; the finish procedure (when given) is kept.
  void Add(TdxUnitProc startProc, TdxUnitProc finishProc);
  // Takes a kept finish procedure out of the list and runs it; nothing for an unknown one.
  void Remove(TdxUnitProc finishProc);
  // Runs the kept finish procedures newest first, once a start procedure has run; empties the list.
  void RunFinishProcs();

 private:
  std::vector<TdxUnitProc> finishProcs_;
  std::vector<TdxUnitProc> startProcs_;  // stays empty in an executable
  bool started_ = false;                 // a start procedure has run
};

// The process-wide loader, made on first use and freed at this module's shut-down.
TdxUnitsLoader* GetUnitsLoader();

extern const TUnitInfo dxGDIPlusAPIUnit;
