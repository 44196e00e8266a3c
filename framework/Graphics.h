// Colours, fonts, pens, brushes, the canvas over a device context, and the picture classes
// (bitmaps as DIB sections, icons, the picture holder with its registry of file formats).
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "System.h"
#include "Types.h"

// ---------------------------------------------------------------------------------------------
// Colours: 0x00BBGGRR for RGB, 0xFF0000nn for system colour nn.
using TColor = int32_t;

constexpr TColor SysColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index)); }

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clLtGray = 0xC0C0C0, clDkGray = 0x808080, clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6,
                 clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;

constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR), clBackground = SysColor(COLOR_BACKGROUND),
                 clActiveCaption = SysColor(COLOR_ACTIVECAPTION), clInactiveCaption = SysColor(COLOR_INACTIVECAPTION),
                 clMenu = SysColor(COLOR_MENU), clWindow = SysColor(COLOR_WINDOW),
                 clWindowFrame = SysColor(COLOR_WINDOWFRAME), clMenuText = SysColor(COLOR_MENUTEXT),
                 clWindowText = SysColor(COLOR_WINDOWTEXT), clCaptionText = SysColor(COLOR_CAPTIONTEXT),
                 clActiveBorder = SysColor(COLOR_ACTIVEBORDER), clInactiveBorder = SysColor(COLOR_INACTIVEBORDER),
                 clAppWorkSpace = SysColor(COLOR_APPWORKSPACE), clHighlight = SysColor(COLOR_HIGHLIGHT),
                 clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT), clBtnFace = SysColor(COLOR_BTNFACE),
                 clBtnShadow = SysColor(COLOR_BTNSHADOW), clGrayText = SysColor(COLOR_GRAYTEXT),
                 clBtnText = SysColor(COLOR_BTNTEXT), clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT),
                 clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT), cl3DDkShadow = SysColor(COLOR_3DDKSHADOW),
                 cl3DLight = SysColor(COLOR_3DLIGHT), clInfoText = SysColor(COLOR_INFOTEXT),
                 clInfoBk = SysColor(COLOR_INFOBK), clHotLight = SysColor(COLOR_HOTLIGHT),
                 clGradientActiveCaption = SysColor(COLOR_GRADIENTACTIVECAPTION),
                 clGradientInactiveCaption = SysColor(COLOR_GRADIENTINACTIVECAPTION),
                 clMenuHighlight = SysColor(COLOR_MENUHILIGHT), clMenuBar = SysColor(COLOR_MENUBAR);

// No colour: draw nothing.
constexpr TColor clNone = 0x1FFFFFFF;
// Not set: the inherited colour, or whatever the drawing code keeps.
constexpr TColor clDefault = 0x20000000;

// The RGB value of a colour, system colours resolved through the current scheme.
COLORREF ColorToRGB(TColor color);
// Colour names of stored forms ("clBtnFace") and back; StringToColor also takes numbers ("$00FF8000", "255").
bool ColorToIdent(TColor color, std::string& ident);
bool IdentToColor(const std::string& ident, TColor& color);
std::string ColorToString(TColor color);
TColor StringToColor(const std::string& text);

CALDERAN_EXCEPTION(EInvalidGraphic, Exception)
CALDERAN_EXCEPTION(EInvalidGraphicOperation, Exception)

class TBitmap;
class TCanvas;

// ---------------------------------------------------------------------------------------------
// Fonts, pens and brushes: descriptions that create their GDI object on first use. Every change
// drops the object and raises OnChange (a canvas then selects the new object at once).
class TGraphicsObject : public TPersistent {
  CALDERAN_CLASS(TGraphicsObject)
  ~TGraphicsObject() override;
  TNotifyEvent OnChange;
  bool HandleAllocated() const { return handle_ != nullptr; }

 protected:
  // Drops the current object (deleted after the listeners have selected its successor).
  void Changed();
  // Adopts an object made elsewhere; owned means it is deleted with this description.
  void AdoptHandle(HGDIOBJ handle, bool owned);
  HGDIOBJ handle_ = nullptr;
  bool owned_ = true;
};

enum class TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum class TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
enum class TFontQuality : uint8_t { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType };
using TFontCharset = uint8_t;

class TFont : public TGraphicsObject {
  CALDERAN_CLASS(TFont)
  TFont();
  void Assign(TPersistent* source) override;

  HFONT Handle();
  // Takes over a font object: its description becomes this font's; the object is owned.
  void SetHandle(HFONT font);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int32_t Height() const { return height_; }
  void SetHeight(int32_t height);
  int32_t Size() const;  // points
  void SetSize(int32_t points);
  TColor Color() const { return color_; }
  void SetColor(TColor color);  // the text colour; does not re-create the font object
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset charset);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  int32_t Orientation() const { return orientation_; }  // tenths of a degree
  void SetOrientation(int32_t orientation);
  TFontQuality Quality() const { return quality_; }
  void SetQuality(TFontQuality quality);
  int32_t PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int32_t ppi) { pixelsPerInch_ = ppi; }

  bool operator==(const TFont& other) const;

 private:
  std::string name_;
  int32_t height_;
  int32_t pixelsPerInch_;
  TColor color_ = clWindowText;
  TFontStyles style_;
  TFontCharset charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = TFontPitch::fpDefault;
  int32_t orientation_ = 0;
  TFontQuality quality_ = TFontQuality::fqDefault;
};

enum class TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// The order is the platform's binary raster operations R2_BLACK..R2_NOTXORPEN as listed.
enum class TPenMode : uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
// Raster operation of a pen mode and back (an unknown operation gives pmCopy).
int PenModeToRop2(TPenMode mode);
TPenMode Rop2ToPenMode(int rop2);

class TPen : public TGraphicsObject {
  CALDERAN_CLASS(TPen)
  TPen() = default;
  void Assign(TPersistent* source) override;

  HPEN Handle();
  void SetHandle(HPEN pen);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int32_t Width() const { return width_; }
  void SetWidth(int32_t width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);  // applied by the canvas; does not re-create the pen object

 private:
  TColor color_ = clBlack;
  int32_t width_ = 1;
  TPenStyle style_ = TPenStyle::psSolid;
  TPenMode mode_ = TPenMode::pmCopy;
};

enum class TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
  CALDERAN_CLASS(TBrush)
  TBrush() = default;
  void Assign(TPersistent* source) override;

  HBRUSH Handle();
  void SetHandle(HBRUSH brush);
  TColor Color() const { return color_; }
  // A clear brush that gets a colour becomes solid.
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  // Pattern bitmap, borrowed: the brush paints with it while it is set.
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* bitmap);

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
  TBitmap* bitmap_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The canvas: drawing on a device context with a font, a pen and a brush that are selected on
// demand. The canvas does not own the device context; descendants that make one free it.
enum class TCanvasState : uint8_t { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasStates = TSet<TCanvasState>;
enum class TFillStyle : uint8_t { fsSurface, fsBorder };

class TGraphic;

class TCanvas : public TPersistent {
  CALDERAN_CLASS(TCanvas)
  TCanvas();
  ~TCanvas() override;

  HDC Handle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont* Font() { return &font_; }
  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  void SetFont(TFont* font) { font_.Assign(font); }
  void SetPen(TPen* pen) { pen_.Assign(pen); }
  void SetBrush(TBrush* brush) { brush_.Assign(brush); }

  // Raster operation of CopyRect and of drawing bitmaps (SRCCOPY by default).
  DWORD CopyMode() const { return copyMode_; }
  void SetCopyMode(DWORD rop) { copyMode_ = rop; }
  // Options added to every ExtTextOut (ETO_RTLREADING ...).
  UINT TextFlags() const { return textFlags_; }
  void SetTextFlags(UINT flags) { textFlags_ = flags; }

  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  TPoint PenPos();
  void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
  TRect ClipRect();

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Polygon(const TPoint* points, int count);
  void Polygon(const std::vector<TPoint>& points) { Polygon(points.data(), static_cast<int>(points.size())); }
  void Polyline(const TPoint* points, int count);
  void Polyline(const std::vector<TPoint>& points) { Polyline(points.data(), static_cast<int>(points.size())); }
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void DrawFocusRect(const TRect& r);
  void FloodFill(int x, int y, TColor color, TFillStyle style);

  void TextOut(int x, int y, const std::string& text);
  // Text at (x, y) clipped to the rectangle; the rectangle is filled first unless the brush is clear.
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
  // Draws the bitmap with every pixel of the colour replaced by the brush.
  void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);

  // Serialises drawing from several threads; the count tells whether someone holds it.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return lockCount_; }
  // Drops the selected objects; they are selected again on the next drawing call.
  void Refresh();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  // Called when a drawing call needs a device context and there is none; descendants make one.
  virtual void CreateHandle() {}
  void RequiredState(TCanvasStates required);
  virtual void Changed();
  virtual void Changing();
  // Selects stock objects back so that ours can be deleted or the device context released.
  void DeselectHandles();

 private:
  void FontChanged(TObject* sender);
  void PenChanged(TObject* sender);
  void BrushChanged(TObject* sender);
  void SelectFont();
  void SelectPen();
  void SelectBrush();

  HDC dc_ = nullptr;
  TCanvasStates state_;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  DWORD copyMode_ = SRCCOPY;
  UINT textFlags_ = 0;
  CRITICAL_SECTION lock_;
  int lockCount_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Pictures.
class TGraphic : public TPersistent {
  CALDERAN_CLASS(TGraphic)
  TGraphic() = default;

  virtual bool Empty() const = 0;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual void SetWidth(int32_t width) = 0;
  virtual void SetHeight(int32_t height) = 0;
  virtual void SetSize(int32_t width, int32_t height);
  virtual bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  bool Modified() const { return modified_; }
  void SetModified(bool value);

  virtual void LoadFromStream(TStream* stream) = 0;
  virtual void SaveToStream(TStream* stream) = 0;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

  // Draws the picture scaled into the rectangle (through TCanvas::Draw and StretchDraw).
  virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;

  // The stored form of a picture inside a component's stored form: the binary property "Data",
  // written when the picture is not empty.
  virtual void ReadData(TStream* stream);
  virtual void WriteData(TStream* stream);
  void DefineProperties(TFiler* filer) override;

  TNotifyEvent OnChange;

 protected:
  virtual void Changed(TObject* sender);

 private:
  bool transparent_ = false;
  bool modified_ = false;
};
using TGraphicClass = TClass;

enum class TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum class TTransparentMode : uint8_t { tmAuto, tmFixed };
enum class TBitmapHandleType : uint8_t { bmDIB, bmDDB };

class TBitmap : public TGraphic {
  CALDERAN_CLASS(TBitmap)
  TBitmap();
  TBitmap(int32_t width, int32_t height, TPixelFormat format = TPixelFormat::pf24bit);
  ~TBitmap() override;
  void Assign(TPersistent* source) override;

  bool Empty() const override { return handle_ == nullptr; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void SetWidth(int32_t width) override { SetSize(width, height_); }
  void SetHeight(int32_t height) override { SetSize(width_, height); }
  // Keeps the top-left part of the picture; new parts are black.
  void SetSize(int32_t width, int32_t height) override;
  TPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(TPixelFormat format);
  TBitmapHandleType HandleType() const { return format_ == TPixelFormat::pfDevice ? TBitmapHandleType::bmDDB : TBitmapHandleType::bmDIB; }
  bool Monochrome() const { return format_ == TPixelFormat::pf1bit; }

  HBITMAP Handle() const { return handle_; }
  // Takes over a bitmap object (a DIB section or a device bitmap); it is owned from now on.
  void SetHandle(HBITMAP bitmap);
  // Gives the bitmap object to the caller, who deletes it; the bitmap is empty afterwards.
  HBITMAP ReleaseHandle();
  // Releases device-dependent resources; the picture stays (DIB sections need nothing).
  void Dormant();

  // Row y (0 = top) of the pixel memory; a device bitmap becomes a DIB section first.
  void* ScanLine(int32_t row);
  TCanvas* Canvas();

  TColor TransparentColor();
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);

  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void LoadFromResourceID(HINSTANCE instance, int id);

  void Draw(TCanvas* canvas, const TRect& rect) override;
  void ReadData(TStream* stream) override;
  void WriteData(TStream* stream) override;

 private:
  class TBitmapCanvas;
  friend class TBitmapCanvas;
  void Replace(HBITMAP bitmap, int32_t width, int32_t height, TPixelFormat format, void* bits);
  void FreeContext();
  void MakeDIB();

  HBITMAP handle_ = nullptr;
  void* bits_ = nullptr;
  int32_t width_ = 0, height_ = 0;
  TPixelFormat format_ = TPixelFormat::pfDevice;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

class TIcon : public TGraphic {
  CALDERAN_CLASS(TIcon)
  TIcon() = default;
  ~TIcon() override;
  void Assign(TPersistent* source) override;

  bool Empty() const override { return handle_ == nullptr; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void SetWidth(int32_t) override;   // an icon's size comes with its picture
  void SetHeight(int32_t) override;
  bool Transparent() const override { return true; }

  HICON Handle() const { return handle_; }
  void SetHandle(HICON icon);
  HICON ReleaseHandle();
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void Draw(TCanvas* canvas, const TRect& rect) override;

 private:
  HICON handle_ = nullptr;
  int32_t width_ = 0, height_ = 0;
};

// Holds one picture of any registered class; files are read by the class registered for their
// extension.
class TPicture : public TPersistent {
  CALDERAN_CLASS(TPicture)
  TPicture() = default;
  ~TPicture() override;
  void Assign(TPersistent* source) override;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Stores a copy of the picture (null empties the holder).
  void SetGraphic(TGraphic* graphic);
  // The picture as a bitmap (an empty bitmap replaces a picture of another class).
  TBitmap* Bitmap();
  TIcon* Icon();
  int32_t Width() const { return graphic_ ? graphic_->Width() : 0; }
  int32_t Height() const { return graphic_ ? graphic_->Height() : 0; }

  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

  static void RegisterFileFormat(const std::string& extension, const std::string& description, TGraphicClass cls);
  static void UnregisterGraphicClass(TGraphicClass cls);
  // The class registered for an extension (without the point, any case), or null.
  static TGraphicClass GraphicClassOf(const std::string& extension);
  // "All (*.bmp;*.jpg)|*.bmp;*.jpg|Bitmaps (*.bmp)|*.bmp..." for file dialogs.
  static std::string GraphicFilter(TGraphicClass cls);

  // The stored form: the class name, then the picture's own stored form, as the binary
  // property "Data".
  void ReadData(TStream* stream);
  void WriteData(TStream* stream);
  void DefineProperties(TFiler* filer) override;

  TNotifyEvent OnChange;

 protected:
  virtual void Changed(TObject* sender);

 private:
  void Take(TGraphic* graphic);
  std::unique_ptr<TGraphic> graphic_;
};

// Start-up of this module: registers the bitmap and icon file formats.
extern const TUnitInfo GraphicsUnit;

// The screen's logical pixels per inch (read once).
int32_t ScreenPixelsPerInch();
