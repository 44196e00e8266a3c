// The toolkit's drawing layer: region and canvas wrappers over the framework canvas, and the
// toolkit's bitmaps with their packed stored form.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "ImgList.h"
#include "System.h"
#include "Types.h"

// ---------------------------------------------------------------------------------------------
// Toolkit text flags: one 32-bit set for every toolkit text call.
inline constexpr Cardinal cxAlignLeft = 0x1;
inline constexpr Cardinal cxAlignRight = 0x2;
inline constexpr Cardinal cxAlignHCenter = 0x4;
inline constexpr Cardinal cxAlignTop = 0x8;
inline constexpr Cardinal cxAlignBottom = 0x10;
inline constexpr Cardinal cxAlignVCenter = 0x20;
inline constexpr Cardinal cxSingleLine = 0x40;
inline constexpr Cardinal cxDontClip = 0x80;
inline constexpr Cardinal cxExpandTabs = 0x100;
inline constexpr Cardinal cxShowPrefix = 0x200;
inline constexpr Cardinal cxWordBreak = 0x400;
inline constexpr Cardinal cxShowEndEllipsis = 0x800;
inline constexpr Cardinal cxDontPrint = 0x1000;
inline constexpr Cardinal cxShowPathEllipsis = 0x2000;
inline constexpr Cardinal cxDontBreakChars = 0x4000;

// The platform DrawText flags of a set of toolkit text flags (DT_NOPREFIX unless cxShowPrefix).
UINT TextFlagsToDrawTextFlags(Cardinal flags);

// ---------------------------------------------------------------------------------------------
// Sides of a rectangle; as a bit mask left 1, top 2, right 4, bottom 8.
enum TcxBorder : uint8_t { bLeft, bTop, bRight, bBottom };
using TcxBorders = TSet<TcxBorder>;
inline constexpr TcxBorders cxBordersAll{bLeft, bTop, bRight, bBottom};

// Resolved style values (background bitmap, background colour, font, text colour).
struct TcxViewParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

// ---------------------------------------------------------------------------------------------
// A region object that owns one platform region handle.
enum TcxRegionCombineMode : uint8_t { roSet, roAdd, roSubtract, roIntersect };

class TcxRegion : public TObject {
  CALDERAN_CLASS(TcxRegion)
  explicit TcxRegion(HRGN handle);  // takes the handle over
  explicit TcxRegion(const TRect& rect);
  TcxRegion(int left, int top, int right, int bottom);
  TcxRegion();  // empty: the rectangle 0, 0, 0, 0
  ~TcxRegion() override { DestroyHandle(); }

  // The left and top edges move in by one pixel; right and bottom are taken as they are.
  static TcxRegion* CreateRoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
  static TcxRegion* CreateRoundRectFromRect(const TRect& rect, int ellipseWidth, int ellipseHeight);

  HRGN Handle() const { return handle_; }
  void DestroyHandle();

  // roSet copies other into this region; the other modes combine in place. With freeOther the
  // other object is freed afterwards.
  void Combine(TcxRegion* other, TcxRegionCombineMode mode, bool freeOther = true);
  void Offset(int dx, int dy);
  bool IsEmpty() const;
  bool IsEqual(const TcxRegion* region) const;
  bool IsEqualHandle(HRGN handle) const;

 private:
  HRGN handle_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The canvas wrapper every painter and control of the toolkit draws through. It borrows the
// framework canvas and adds state stacks, region clipping, colour fills that know clNone and
// clDefault, tiled fills, border strips, the toolkit's text flags and bitmap turning.
struct TcxCanvasSavedState {
  std::unique_ptr<TFont> Font;
  std::unique_ptr<TBrush> Brush;
  std::unique_ptr<TPen> Pen;
};
using TcxCanvasStates = std::vector<TcxCanvasSavedState>;

enum TcxRotationAngle : uint8_t { ra0, raPlus90, raMinus90, ra180 };
enum TcxAlignMultiLineKind : uint8_t { amlNone, amlBottom, amlCenter };

class TcxCanvas : public TObject {
  CALDERAN_CLASS(TcxCanvas)
  explicit TcxCanvas(TCanvas* canvas);
  ~TcxCanvas() override;

  TCanvas* Canvas() const { return canvas_; }
  TBrush* GetBrush() const { return canvas_->Brush(); }
  TFont* GetFont() const { return canvas_->Font(); }
  TPen* GetPen() const { return canvas_->Pen(); }
  HDC GetHandle() const { return canvas_->Handle(); }
  void SetFont(TFont* font) { canvas_->SetFont(font); }
  void SetPixel(int x, int y, TColor color) { canvas_->SetPixel(x, y, color); }
  void SetCopyMode(DWORD mode) { canvas_->SetCopyMode(mode); }
  DWORD CopyMode() const { return canvas_->CopyMode(); }

  TPoint GetViewportOrg() const;
  TPoint GetWindowOrg() const;
  void SetWindowOrg(const TPoint& point);
  // The offset from logical to device coordinates.
  TPoint GetDeviceOffset() const;

  void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
  void Draw(int x, int y, TGraphic* graphic) { canvas_->Draw(x, y, graphic); }
  void LineTo(int x, int y) { canvas_->LineTo(x, y); }
  void MoveTo(int x, int y) { canvas_->MoveTo(x, y); }
  void Polygon(const std::vector<TPoint>& points) { canvas_->Polygon(points); }
  void Polyline(const std::vector<TPoint>& points) { canvas_->Polyline(points); }
  bool IsRectVisible(const TRect& rect) const;
  void ExcludeClipRect(const TRect& rect);
  void IntersectClipRect(const TRect& rect);

  // State stacks; restores on an empty stack do nothing.
  void SaveDC();
  void RestoreDC();
  void SaveState();
  void RestoreState();
  void SaveClipRegion();
  void RestoreClipRegion();
  int SavedDCCount() const { return static_cast<int>(savedDCs_.size()); }

  // A new region the caller owns; a device context without clipping gives 0, 0, 30000, 30000 in
  // device coordinates. Logical shifts it into logical coordinates.
  TcxRegion* GetClipRegion(bool logical = true) const;
  void SetClipRegion(TcxRegion* region, TcxRegionCombineMode mode, bool logical = true, bool freeRegion = true);

  void SetBrushColor(TColor color);
  void FillRectColor(const TRect& rect, TColor color);
  void FillRectTiled(const TRect& rect, TBitmap* bitmap, bool excludeFromClip = false);
  void FrameRect(const TRect& rect, TColor color = clDefault, int width = 1, TcxBorders sides = cxBordersAll,
                 bool excludeFromClip = false);
  void FrameRectTwoColor(const TRect& rect, TColor leftTopColor, TColor rightBottomColor,
                         TcxBorders sides = cxBordersAll, int width = 1);
  void Draw3DEdgeRing(const TRect& rect, bool sunken, bool outer, TcxBorders sides = cxBordersAll);
  void FillRectWithBorders(const TRect& rect, const TcxViewParams& viewParams, TcxBorders sides, TColor borderColor,
                           int borderWidth, bool excludeFromClip = false);
  void InvertRect(const TRect& rect);
  void DrawFocusRect(const TRect& rect);
  void DrawWideFocusRect(const TRect& rect, int width);
  // Nothing for an index outside the list.
  void DrawListImage(TCustomImageList* imageList, int x, int y, int index, bool enabled = true);

  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  int FontHeight(TFont* font);
  void CalcTextRect(const std::string& text, TRect& rect, Cardinal flags);
  void AlignMultiLineText(TRect& rect, const std::string& text, bool dontBreakChars, bool enabled, bool showPrefix,
                          bool wordBreak, TcxAlignMultiLineKind kind);
  void DrawText(const std::string& text, const TRect& rect, Cardinal flags, bool enabled = true);
  void RotateFont(int degrees);
  void TakeObjectsFromDC(HDC dc);

  void TurnBitmap(TBitmap* bitmap, TcxRotationAngle kind, bool flipVertically = false);

 protected:
  // A canvas that redirects its drawing (the bar canvas) points at another platform canvas.
  void SetCanvas(TCanvas* canvas) { canvas_ = canvas; }

 private:
  void SelectFontAndHandle();
  void AlignTextOut(TRect& r, Cardinal flags, TSize extent, bool enabled);
  void DrawTextPass(const std::string& text, const TRect& r, Cardinal flags, bool useDrawText);

  TCanvas* canvas_;
  std::vector<int> savedDCs_;
  std::vector<TcxRegion*> savedRegions_;
  TcxCanvasStates savedStates_;
};

// Saves the canvas's state (device context, font, brush and pen) and puts it back when it goes, so
// that a drawing step leaves the canvas as it found it also when it throws.
class TcxCanvasStateSaver {
 public:
  explicit TcxCanvasStateSaver(TcxCanvas* canvas) : canvas_(canvas) { canvas_->SaveState(); }
  ~TcxCanvasStateSaver() { canvas_->RestoreState(); }
  TcxCanvasStateSaver(const TcxCanvasStateSaver&) = delete;
  TcxCanvasStateSaver& operator=(const TcxCanvasStateSaver&) = delete;

 private:
  TcxCanvas* canvas_;
};

// A canvas on the screen's device context, for measuring text and screen-compatible transfers.
class TScreenCanvas : public TCanvas {
  CALDERAN_CLASS(TScreenCanvas)
  TScreenCanvas() = default;
  ~TScreenCanvas() override;
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  HDC screenDC_ = nullptr;
};

class TcxScreenCanvas : public TcxCanvas {
  CALDERAN_CLASS(TcxScreenCanvas)
  TcxScreenCanvas();
  ~TcxScreenCanvas() override;
};

// One process-wide screen canvas, made on first use and freed at module shut-down.
TcxScreenCanvas* SharedScreenCanvas();

// ---------------------------------------------------------------------------------------------
// Text measuring and layout (cxGraphicsTextLayout.cpp). Counts of -1 mean the whole text.
bool GetTextExtent(HDC dc, const std::string& text, TSize& size, int count = -1);
int DrawTextString(HDC dc, const std::string& text, TRect& rect, int count, UINT flags);
bool ExtTextOutString(HDC dc, const std::string& text, const TPoint& point, int count, UINT options,
                      const TRect* clipRect);
bool InvalidateWindowRect(HWND window, const TRect* rect, bool erase);
// Measured on the shared screen canvas with a copy of the font; a non-zero size replaces its point size.
void MeasureFontText(TFont* font, const std::string& text, int size, TSize& extent);
int GetFontTextWidth(TFont* font, const std::string& text, int size = 0);
int GetFontTextHeight(TFont* font, const std::string& text, int size = 0);
void GetTextSize(HDC dc, const std::string& text, TSize& size);
// The narrowest rectangle in which the text fits in the given number of lines.
void CalcTextRectForLines(HDC dc, const std::string& text, int lines, TRect& rect, bool forceHeight);
// Appends to lines the text broken at spaces into lines no wider than the rectangle.
void SplitTextToWidth(const std::string& text, TcxCanvas* canvas, const TRect& rect, TStrings* lines);
// The text shortened by the platform with an ellipsis to fit the width (dc 0: the screen's).
void AbbreviateText(HDC dc, HFONT font, const std::string& text, std::string& result, int width);
// Axis 0: vertical (LOGPIXELSY), 1: horizontal (LOGPIXELSX).
int GetScreenPixelsPerInch(int axis);
bool GetBitmapInfo(HBITMAP handle, BITMAP& record);
bool GetLogBrush(HBRUSH handle, LOGBRUSH& record);
bool GetLogFont(HFONT handle, LOGFONTA& record);
bool GetLogPen(HPEN handle, LOGPEN& record);
// Whether texts in the character set are shortened as non-Latin script (DEFAULT_CHARSET: the system's).
bool IsNonLatinAbbrevCharset(BYTE charset, const std::string& text);

// ---------------------------------------------------------------------------------------------
// Toolkit bitmaps. A 32-bit pixel is the bytes B, G, R, A in memory: the number 0xAARRGGBB.
using TcxPixel = Cardinal;

// A framework colour (system colours resolved) as a pixel with the given alpha.
TcxPixel ColorToPixel(TColor color, Byte alpha);

// A plain list of 24-bit pixel values 0x00RRGGBB.
class TcxColorList {
 public:
  void Add(Cardinal value) { items_.push_back(value); }
  void Clear() { items_.clear(); }
  int Count() const { return static_cast<int>(items_.size()); }
  Cardinal Items(int index) const { return items_.at(index); }
  int IndexOf(Cardinal value) const;

 private:
  std::vector<Cardinal> items_;
};

// Adds the colour's pixel value without alpha.
void AddTransparentColor(TcxColorList& list, TColor color);

// The framework bitmap with a toolkit canvas, update locking that folds change notifications into
// one, whole-bitmap copies, rotation, and a packed stored form.
class TcxCustomBitmap : public TBitmap {
  CALDERAN_CLASS(TcxCustomBitmap)
  TcxCustomBitmap() : TcxCustomBitmap(0, 0, TPixelFormat::pf24bit) {}
  explicit TcxCustomBitmap(const TRect& rect) : TcxCustomBitmap(RectWidthOf(rect), RectHeightOf(rect), TPixelFormat::pf24bit) {}
  TcxCustomBitmap(int width, int height) : TcxCustomBitmap(width, height, TPixelFormat::pf24bit) {}
  TcxCustomBitmap(const TRect& rect, TPixelFormat pixelFormat)
      : TcxCustomBitmap(RectWidthOf(rect), RectHeightOf(rect), pixelFormat) {}
  TcxCustomBitmap(int width, int height, TPixelFormat pixelFormat);
  ~TcxCustomBitmap() override;

  // The toolkit canvas over the framework bitmap's canvas; TBitmap::Canvas() reaches the latter.
  TcxCanvas* Canvas() const { return cxCanvas_.get(); }
  bool CompressData() const { return compressData_; }
  void SetCompressData(bool value) { compressData_ = value; }

  void BeginUpdate() { ++updateCount_; }
  // Unlocks; raises one change notification when forced or when a change came in while locked.
  void EndUpdate(bool forceChanged = true);

  void SetSize(int32_t width, int32_t height) override;
  virtual void Clear();
  void BlitFrom(TBitmap* source, DWORD rop = SRCCOPY);
  void BlitRectFrom(TBitmap* source, const TRect& destRect, DWORD rop, const TPoint& sourceOrigin);
  void Rotate(TcxRotationAngle kind, bool flipVertically = false);
  TRect GetClientRect() const { return TRect(0, 0, Width(), Height()); }

  // The stored form: packed when CompressData is on; both forms are read.
  void ReadData(TStream* stream) override;
  void WriteData(TStream* stream) override;

 protected:
  void Changed(TObject* sender) override;
  virtual void Update() {}

 private:
  static int RectWidthOf(const TRect& r) { return r.Right - r.Left; }
  static int RectHeightOf(const TRect& r) { return r.Bottom - r.Top; }

  bool compressData_ = false;
  std::unique_ptr<TcxCanvas> cxCanvas_;
  int updateCount_ = 0;
  bool changedWhileLocked_ = false;
};

// Per-pixel filters of TcxBitmap::Filter.
enum TcxBitmapFilter : int {
  cxbfLighten, cxbfDisabled, cxbfGrayScaleAverage, cxbfOpaque, cxbfMask, cxbfGrayScale, cxbfGrayScaleGreen,
  cxbfOpaqueNonTransparent, cxbfChecker, cxbfClear
};

// A 32-bit toolkit bitmap with alpha: its pixels as one array, transparent colours and filters.
class TcxBitmap : public TcxCustomBitmap {
  CALDERAN_CLASS(TcxBitmap)
  TcxBitmap() : TcxBitmap(0, 0) {}
  explicit TcxBitmap(const TRect& rect) : TcxBitmap(rect.Right - rect.Left, rect.Bottom - rect.Top) {}
  // Always 32 bits per pixel, whatever the format asked for.
  TcxBitmap(int width, int height, TPixelFormat pixelFormat = TPixelFormat::pf32bit);
  static TcxBitmap* CreateWithTransparent(int width, int height, TcxPixel transparentPixel);
  ~TcxBitmap() override;

  void SetSize(int32_t width, int32_t height) override;
  void Clear() override;

  // Rows bottom-up, Width x Height values.
  std::vector<TcxPixel> GetPixels();
  void SetPixels(const std::vector<TcxPixel>& pixels);
  void MakeOpaque();
  bool HasAlpha();
  void SetTransparentColor(TColor color);
  // Clears the pixels where the mask is white.
  void ApplyMask(TBitmap* mask);
  void DrawChecker(TColor color1, TColor color2, int cellSize, Byte alpha1, Byte alpha2);
  // Modes outside 0..9 do nothing.
  void Filter(int mode);

  TcxPixel TransparentPixel = 0;
  TcxColorList TransparentColors;

 private:
  bool IsTransparent(TcxPixel pixel) const;
  void ApplyFilter(int mode, TcxPixel& pixel);

  HDC dc_ = nullptr;  // kept for the pixel transfers of the bitmap's lifetime
  int currentColumn_ = 0, currentRow_ = 0;
  struct {
    TcxPixel Color1 = 0;
    Byte Alpha1 = 0;
    TcxPixel Color2 = 0;
    Byte Alpha2 = 0;
    Byte CellSize = 1;
  } checker_;
};

// ---------------------------------------------------------------------------------------------
// Image lists. Beside the platform list (32-bit images with masks) the toolkit's image list keeps
// an image info per image, so that images with alpha survive its stored form; item i of the
// collection describes image i of the platform list.

// One image as it is stored: the picture, its mask and the colour that stands for transparent.
class TcxImageInfo : public TPersistent {
  CALDERAN_CLASS(TcxImageInfo)
  TcxImageInfo();
  ~TcxImageInfo() override;
  void Assign(TPersistent* source) override;

  TcxCustomBitmap* Image() const { return image_.get(); }
  TcxCustomBitmap* Mask() const { return mask_.get(); }
  virtual void SetImage(TBitmap* value);
  virtual void SetMask(TBitmap* value);
  TColor MaskColor() const { return maskColor_; }
  void SetMaskColor(TColor value) { maskColor_ = value; }

 private:
  std::unique_ptr<TcxCustomBitmap> image_;
  std::unique_ptr<TcxCustomBitmap> mask_;
  TColor maskColor_ = clNone;
};

class TcxImageInfoItem : public TCollectionItem {
  CALDERAN_CLASS(TcxImageInfoItem)
  // Takes the collection's compression setting.
  explicit TcxImageInfoItem(TCollection* collection);
  ~TcxImageInfoItem() override;
  void Assign(TPersistent* source) override;

  TcxImageInfo* ImageInfo() const { return imageInfo_.get(); }
  TBitmap* Image() const { return imageInfo_->Image(); }
  void SetImage(TBitmap* value) { imageInfo_->SetImage(value); }
  TBitmap* Mask() const { return imageInfo_->Mask(); }
  void SetMask(TBitmap* value) { imageInfo_->SetMask(value); }
  TColor MaskColor() const { return imageInfo_->MaskColor(); }
  void SetMaskColor(TColor value) { imageInfo_->SetMaskColor(value); }
  // Both bitmaps are stored packed.
  bool CompressData() const;
  void SetCompressData(bool value);

 private:
  std::unique_ptr<TcxImageInfo> imageInfo_;
};

class TcxImageList;

class TcxImageInfoCollection : public TCollection {
  CALDERAN_CLASS(TcxImageInfoCollection)
  explicit TcxImageInfoCollection(TcxImageList* owner);
  TcxImageInfoItem* Items(int index) const { return static_cast<TcxImageInfoItem*>(TCollection::Items(index)); }
  TPersistent* GetOwner() override;
  bool CompressData() const { return compressData_; }
  // Sets the packed stored form of every item's bitmaps.
  void SetCompressData(bool value);

 private:
  TcxImageList* owner_;
  bool compressData_ = false;
};

// The toolkit's image list: a 32-bit platform list with masks beside its image infos, every image
// drawn through the glyph drawing (alpha, the disabled look, optional stretching). Its stored form
// is the image-info collection ("ImageInfo"); the platform list's own stored data ("Bitmap") is
// only read, from older streams. Pictures with alpha come with colours not multiplied by their
// alpha, as the platform's lists take them (and icons hold them). A picture that is a whole grid
// of cells becomes one image per cell, row by row; any other picture is one image (the platform
// list keeps its top-left cell, the image info the whole picture).
class TcxImageList : public TDragImageList {
  CALDERAN_CLASS(TcxImageList)
  explicit TcxImageList(TComponent* owner);
  TcxImageList(TComponent* owner, int width, int height);
  ~TcxImageList() override;
  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler* filer) override;

  // Updates nest; only the outermost EndUpdate with notify raises the change notification.
  void BeginUpdate() { ++lockCount_; }
  void EndUpdate(bool notify = true);

  // Each returns the platform index of the (first) new image, -1 when nothing was added.
  int Add(TBitmap* image, TBitmap* mask);
  int AddMasked(TBitmap* image, TColor maskColor);
  int AddFromInfo(TcxImageInfo* info);
  // Nothing for an index below 0 or above Count.
  void Insert(int index, TBitmap* image, TBitmap* mask);
  void Replace(int index, TBitmap* image, TBitmap* mask);
  void Delete(int index);  // -1 deletes all
  void Clear() { Delete(-1); }
  void Move(int curIndex, int newIndex);
  // The image and mask of one image (each when given); nothing for an index outside the list.
  void FetchImage(int index, TBitmap* image, TBitmap* mask);
  // Cuts image index (-1: the whole strip) out of copies of the platform list's bitmaps.
  static void FetchImageFromHandle(HIMAGELIST list, int index, TBitmap* mask, TBitmap* image);
  static int PlatformColorDepth(HIMAGELIST list);
  static bool SameImages(TCustomImageList* list1, TCustomImageList* list2);

  // Draws image index into rect: stretched to it, or centred in it at the list's size.
  void DrawInRect(int index, TCanvas* canvas, const TRect& rect, TDrawingStyle style, bool stretch, bool smooth,
                  bool enabled);

  TcxImageInfoCollection* ImageInfo() const { return imageInfo_.get(); }
  bool CompressData() const { return imageInfo_->CompressData(); }
  void SetCompressData(bool value) { imageInfo_->SetCompressData(value); }
  int FormatVersion() const { return formatVersion_; }
  int32_t DesignInfo() const { return designInfo_; }
  void SetDesignInfo(int32_t value) { designInfo_ = value; }

  // The platform list's stored data; reading rebuilds the image infos from it.
  void ReadData(TStream* stream) override;

 protected:
  void Initialize() override;
  void DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled) override;
  void Change() override;

 private:
  int AddToPlatformList(TBitmap* image, TBitmap* mask, TColor maskColor);
  void RecordImage(TBitmap* image, TBitmap* mask, TColor maskColor);
  void SynchronizeImageInfo();
  void SynchronizeHandle();
  void ReadFormatVersion(TReader* reader) { formatVersion_ = reader->ReadInteger(); }
  void WriteFormatVersion(TWriter* writer);
  void ReadDesignInfo(TReader* reader) { designInfo_ = reader->ReadInteger(); }
  void WriteDesignInfo(TWriter* writer);
  void ReadImageInfo(TReader* reader);
  void WriteImageInfo(TWriter* writer);

  std::unique_ptr<TcxImageInfoCollection> imageInfo_;
  int formatVersion_ = 0;
  int32_t designInfo_ = 0;
  int lockCount_ = 0;
  bool synchronizing_ = false;
};

// Registers the image list's published properties and class for stored forms (module start-up).
void RegisterImageListClasses();

// ---------------------------------------------------------------------------------------------
// Packed stored form of bitmaps (run-length runs of at most 125 bytes). Unpacking raises
// EReadError on data that cannot have been written by the packer.
std::vector<Byte> PackBitmapData(const Byte* data, size_t size);
std::vector<Byte> UnpackBitmapData(const Byte* packed, size_t size);

// Start-up and shut-down of this module.
extern const TUnitInfo cxGraphicsUnit;
