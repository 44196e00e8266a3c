// Colours, fonts, pens, brushes and the canvas.
#include "Graphics.h"

#include <cstdio>
#include <cstdlib>
#include <strings.h>

CALDERAN_IMPLEMENT_CLASS(TGraphicsObject, TPersistent)
CALDERAN_IMPLEMENT_CREATABLE0(TFont, TGraphicsObject)
CALDERAN_IMPLEMENT_CREATABLE0(TPen, TGraphicsObject)
CALDERAN_IMPLEMENT_CREATABLE0(TBrush, TGraphicsObject)
CALDERAN_IMPLEMENT_CREATABLE0(TCanvas, TPersistent)
CALDERAN_IMPLEMENT_CLASS(EInvalidGraphic, Exception)
CALDERAN_IMPLEMENT_CLASS(EInvalidGraphicOperation, Exception)

// ---------------------------------------------------------------------------------------------
// Colours
COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color);
}

namespace {
struct TColorName {
  TColor color;
  const char* name;
};
constexpr TColorName colorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"}, {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"}, {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"}, {clInfoBk, "clInfoBk"}, {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"}, {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"}, {clMenuBar, "clMenuBar"}, {clNone, "clNone"}, {clDefault, "clDefault"},
};
}  // namespace

bool ColorToIdent(TColor color, std::string& ident) {
  for (const auto& c : colorNames)
    if (c.color == color) { ident = c.name; return true; }
  return false;
}

bool IdentToColor(const std::string& ident, TColor& color) {
  for (const auto& c : colorNames)
    if (strcasecmp(c.name, ident.c_str()) == 0) { color = c.color; return true; }
  return false;
}

std::string ColorToString(TColor color) {
  std::string ident;
  if (ColorToIdent(color, ident)) return ident;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(color));
  return buf;
}

TColor StringToColor(const std::string& text) {
  TColor color;
  if (IdentToColor(text, color)) return color;
  const char* s = text.c_str();
  int base = 10;
  if (*s == '$') { ++s; base = 16; }
  else if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) { s += 2; base = 16; }
  char* end = nullptr;
  long long v = std::strtoll(s, &end, base);
  if (!*s || *end) throw EConvertError("'" + text + "' is not a valid integer value");
  return static_cast<TColor>(v);
}

int32_t ScreenPixelsPerInch() {
  static int32_t ppi = 0;
  if (!ppi) {
    HDC dc = GetDC(nullptr);
    ppi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    if (ppi <= 0) ppi = 96;
  }
  return ppi;
}

// ---------------------------------------------------------------------------------------------
// Graphics objects
TGraphicsObject::~TGraphicsObject() {
  if (handle_ && owned_) DeleteObject(handle_);
}

void TGraphicsObject::Changed() {
  HGDIOBJ old = handle_;
  bool owned = owned_;
  handle_ = nullptr;
  owned_ = true;
  if (OnChange) OnChange(this);
  if (old && owned) DeleteObject(old);
}

void TGraphicsObject::AdoptHandle(HGDIOBJ handle, bool owned) {
  HGDIOBJ old = handle_;
  bool oldOwned = owned_;
  handle_ = handle;
  owned_ = owned;
  if (OnChange) OnChange(this);
  if (old && oldOwned && old != handle) DeleteObject(old);
}

// ---------------------------------------------------------------------------------------------
// TFont
TFont::TFont() : name_("Tahoma"), pixelsPerInch_(ScreenPixelsPerInch()) { height_ = -MulDiv(8, pixelsPerInch_, 72); }

void TFont::Assign(TPersistent* source) {
  if (auto* f = ObjectAs<TFont>(source)) {
    if (f == this) return;
    name_ = f->name_;
    height_ = f->height_;
    color_ = f->color_;
    style_ = f->style_;
    charset_ = f->charset_;
    pitch_ = f->pitch_;
    orientation_ = f->orientation_;
    quality_ = f->quality_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

bool TFont::operator==(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && style_ == o.style_ &&
         charset_ == o.charset_ && pitch_ == o.pitch_ && orientation_ == o.orientation_ && quality_ == o.quality_;
}

HFONT TFont::Handle() {
  if (!handle_) {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfEscapement = lf.lfOrientation = orientation_;
    lf.lfWeight = style_.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(TFontStyle::fsItalic);
    lf.lfUnderline = style_.Contains(TFontStyle::fsUnderline);
    lf.lfStrikeOut = style_.Contains(TFontStyle::fsStrikeOut);
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    static constexpr BYTE qualities[] = {DEFAULT_QUALITY, DRAFT_QUALITY, PROOF_QUALITY,
                                         NONANTIALIASED_QUALITY, ANTIALIASED_QUALITY, CLEARTYPE_QUALITY};
    lf.lfQuality = qualities[static_cast<int>(quality_)];
    static constexpr BYTE pitches[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
    lf.lfPitchAndFamily = pitches[static_cast<int>(pitch_)];
    lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_ = CreateFontIndirectA(&lf);
    if (!handle_) throw EOutOfResources("Out of system resources");
    owned_ = true;
  }
  return static_cast<HFONT>(handle_);
}

void TFont::SetHandle(HFONT font) {
  LOGFONTA lf{};
  if (!font || GetObjectA(font, sizeof lf, &lf) != sizeof lf) throw EInvalidGraphic("Invalid font handle");
  name_ = lf.lfFaceName;
  height_ = lf.lfHeight;
  orientation_ = lf.lfEscapement;
  TFontStyles s;
  if (lf.lfWeight >= FW_BOLD) s.Include(TFontStyle::fsBold);
  if (lf.lfItalic) s.Include(TFontStyle::fsItalic);
  if (lf.lfUnderline) s.Include(TFontStyle::fsUnderline);
  if (lf.lfStrikeOut) s.Include(TFontStyle::fsStrikeOut);
  style_ = s;
  charset_ = lf.lfCharSet;
  int pitch = lf.lfPitchAndFamily & 3;
  pitch_ = pitch == VARIABLE_PITCH ? TFontPitch::fpVariable : pitch == FIXED_PITCH ? TFontPitch::fpFixed : TFontPitch::fpDefault;
  AdoptHandle(font, true);
}

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == name_) return;
  name_ = name;
  Changed();
}
void TFont::SetHeight(int32_t height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}
int32_t TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }
void TFont::SetSize(int32_t points) { SetHeight(-MulDiv(points, pixelsPerInch_, 72)); }
void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  if (OnChange) OnChange(this);  // the object stays; only the canvas's text colour changes
}
void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}
void TFont::SetCharset(TFontCharset charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}
void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}
void TFont::SetOrientation(int32_t orientation) {
  if (orientation == orientation_) return;
  orientation_ = orientation;
  Changed();
}
void TFont::SetQuality(TFontQuality quality) {
  if (quality == quality_) return;
  quality_ = quality;
  Changed();
}

// ---------------------------------------------------------------------------------------------
// TPen
namespace {
constexpr int rop2Table[16] = {R2_BLACK,       R2_WHITE,       R2_NOP,        R2_NOT,
                               R2_COPYPEN,     R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                               R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN,   R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,     R2_NOTXORPEN};
constexpr int penStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
}  // namespace

int PenModeToRop2(TPenMode mode) { return rop2Table[static_cast<int>(mode)]; }
TPenMode Rop2ToPenMode(int rop2) {
  for (int i = 0; i < 16; ++i)
    if (rop2Table[i] == rop2) return static_cast<TPenMode>(i);
  return TPenMode::pmCopy;
}

void TPen::Assign(TPersistent* source) {
  if (auto* p = ObjectAs<TPen>(source)) {
    if (p == this) return;
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    mode_ = p->mode_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

HPEN TPen::Handle() {
  if (!handle_) {
    handle_ = CreatePen(penStyles[static_cast<int>(style_)], width_, ColorToRGB(color_));
    if (!handle_) throw EOutOfResources("Out of system resources");
    owned_ = true;
  }
  return static_cast<HPEN>(handle_);
}

void TPen::SetHandle(HPEN pen) {
  LOGPEN lp{};
  if (!pen || GetObjectA(pen, sizeof lp, &lp) != sizeof lp) throw EInvalidGraphic("Invalid pen handle");
  color_ = static_cast<TColor>(lp.lopnColor);
  width_ = lp.lopnWidth.x;
  style_ = TPenStyle::psSolid;
  for (int i = 0; i < 7; ++i)
    if (penStyles[i] == static_cast<int>(lp.lopnStyle & 0xFF)) style_ = static_cast<TPenStyle>(i);
  AdoptHandle(pen, true);
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}
void TPen::SetWidth(int32_t width) {
  if (width == width_ || width < 0) return;
  width_ = width;
  Changed();
}
void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}
void TPen::SetMode(TPenMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TBrush
void TBrush::Assign(TPersistent* source) {
  if (auto* b = ObjectAs<TBrush>(source)) {
    if (b == this) return;
    color_ = b->color_;
    style_ = b->style_;
    bitmap_ = b->bitmap_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

HBRUSH TBrush::Handle() {
  if (!handle_) {
    static constexpr int hatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
    owned_ = true;
    if (bitmap_ && !bitmap_->Empty())
      handle_ = CreatePatternBrush(bitmap_->Handle());
    else if (style_ == TBrushStyle::bsSolid)
      handle_ = CreateSolidBrush(ColorToRGB(color_));
    else if (style_ == TBrushStyle::bsClear) {
      handle_ = GetStockObject(NULL_BRUSH);
      owned_ = false;
    } else
      handle_ = CreateHatchBrush(hatches[static_cast<int>(style_)], ColorToRGB(color_));
    if (!handle_) throw EOutOfResources("Out of system resources");
  }
  return static_cast<HBRUSH>(handle_);
}

void TBrush::SetHandle(HBRUSH brush) {
  LOGBRUSH lb{};
  if (!brush || GetObjectA(brush, sizeof lb, &lb) != sizeof lb) throw EInvalidGraphic("Invalid brush handle");
  color_ = static_cast<TColor>(lb.lbColor);
  bitmap_ = nullptr;
  static constexpr TBrushStyle hatched[] = {TBrushStyle::bsHorizontal, TBrushStyle::bsVertical, TBrushStyle::bsFDiagonal,
                                            TBrushStyle::bsBDiagonal, TBrushStyle::bsCross, TBrushStyle::bsDiagCross};
  if (lb.lbStyle == BS_HOLLOW)
    style_ = TBrushStyle::bsClear;
  else if (lb.lbStyle == BS_HATCHED && lb.lbHatch <= 5)
    style_ = hatched[lb.lbHatch];
  else
    style_ = TBrushStyle::bsSolid;
  AdoptHandle(brush, true);
}

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ != TBrushStyle::bsClear) return;
  color_ = color;
  if (style_ == TBrushStyle::bsClear) style_ = TBrushStyle::bsSolid;
  Changed();
}
void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_ && !bitmap_) return;
  style_ = style;
  bitmap_ = nullptr;
  Changed();
}
void TBrush::SetBitmap(TBitmap* bitmap) {
  if (bitmap == bitmap_) return;
  bitmap_ = bitmap;
  Changed();
}

// ---------------------------------------------------------------------------------------------
// TCanvas
TCanvas::TCanvas() {
  InitializeCriticalSection(&lock_);
  font_.OnChange = MakeEvent(this, &TCanvas::FontChanged);
  pen_.OnChange = MakeEvent(this, &TCanvas::PenChanged);
  brush_.OnChange = MakeEvent(this, &TCanvas::BrushChanged);
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
  font_.OnChange = nullptr;
  pen_.OnChange = nullptr;
  brush_.OnChange = nullptr;
  DeleteCriticalSection(&lock_);
}

// Whoever draws on the device context directly gets the canvas's font, pen and brush with it.
HDC TCanvas::Handle() {
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csFontValid, TCanvasState::csPenValid,
                 TCanvasState::csBrushValid});
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  if (dc_) DeselectHandles();
  dc_ = dc;
  state_ = dc ? TCanvasStates{TCanvasState::csHandleValid} : TCanvasStates{};
}

void TCanvas::DeselectHandles() {
  if (!dc_) return;
  if (state_.Contains(TCanvasState::csFontValid)) SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  if (state_.Contains(TCanvasState::csPenValid)) SelectObject(dc_, GetStockObject(BLACK_PEN));
  if (state_.Contains(TCanvasState::csBrushValid)) SelectObject(dc_, GetStockObject(HOLLOW_BRUSH));
  state_ -= TCanvasStates{TCanvasState::csFontValid, TCanvasState::csPenValid, TCanvasState::csBrushValid};
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::RequiredState(TCanvasStates required) {
  TCanvasStates missing = required - state_;
  if (missing.Empty()) return;
  if (missing.Contains(TCanvasState::csHandleValid)) {
    CreateHandle();
    if (!dc_) throw EInvalidOperation("Canvas does not allow drawing");
  }
  if (missing.Contains(TCanvasState::csFontValid)) SelectFont();
  if (missing.Contains(TCanvasState::csPenValid)) SelectPen();
  if (missing.Contains(TCanvasState::csBrushValid)) SelectBrush();
}

void TCanvas::SelectFont() {
  SelectObject(dc_, font_.Handle());
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  state_.Include(TCanvasState::csFontValid);
}

void TCanvas::SelectPen() {
  SelectObject(dc_, pen_.Handle());
  SetROP2(dc_, PenModeToRop2(pen_.Mode()));
  state_.Include(TCanvasState::csPenValid);
}

void TCanvas::SelectBrush() {
  UnrealizeObject(brush_.Handle());
  SelectObject(dc_, brush_.Handle());
  if (brush_.Style() == TBrushStyle::bsSolid) {
    SetBkColor(dc_, ColorToRGB(brush_.Color()));
    SetBkMode(dc_, OPAQUE);
  } else {
    // hatched brushes fill the gaps with the inverted colour, as drawn text does not
    SetBkColor(dc_, ~ColorToRGB(brush_.Color()) & 0xFFFFFF);
    SetBkMode(dc_, TRANSPARENT);
  }
  state_.Include(TCanvasState::csBrushValid);
}

// The new object is selected at once, so that the one it replaces is no longer selected when
// its description deletes it.
void TCanvas::FontChanged(TObject*) {
  if (state_.Contains(TCanvasState::csFontValid)) SelectFont();
}
void TCanvas::PenChanged(TObject*) {
  if (state_.Contains(TCanvasState::csPenValid)) SelectPen();
}
void TCanvas::BrushChanged(TObject*) {
  if (state_.Contains(TCanvasState::csBrushValid)) SelectBrush();
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}
void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

TColor TCanvas::Pixel(int x, int y) {
  RequiredState({TCanvasState::csHandleValid});
  return static_cast<TColor>(GetPixel(dc_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csPenValid});
  ::SetPixel(dc_, x, y, ColorToRGB(color));
  Changed();
}

TPoint TCanvas::PenPos() {
  RequiredState({TCanvasState::csHandleValid});
  POINT p{};
  GetCurrentPositionEx(dc_, &p);
  return p;
}

TRect TCanvas::ClipRect() {
  RequiredState({TCanvasState::csHandleValid});
  RECT r{};
  GetClipBox(dc_, &r);
  return r;
}

void TCanvas::MoveTo(int x, int y) {
  RequiredState({TCanvasState::csHandleValid});
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csPenValid, TCanvasState::csBrushValid});
  ::LineTo(dc_, x, y);
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csPenValid, TCanvasState::csBrushValid});
  ::Rectangle(dc_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csPenValid, TCanvasState::csBrushValid});
  ::RoundRect(dc_, x1, y1, x2, y2, x3, y3);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csPenValid, TCanvasState::csBrushValid});
  ::Ellipse(dc_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csPenValid, TCanvasState::csBrushValid});
  ::Arc(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
  Changed();
}

void TCanvas::Polygon(const TPoint* points, int count) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csPenValid, TCanvasState::csBrushValid});
  ::Polygon(dc_, points->Win(), count);
  Changed();
}

void TCanvas::Polyline(const TPoint* points, int count) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csPenValid, TCanvasState::csBrushValid});
  ::Polyline(dc_, points->Win(), count);
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csBrushValid});
  ::FillRect(dc_, r.Win(), brush_.Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csBrushValid});
  ::FrameRect(dc_, r.Win(), brush_.Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csBrushValid});
  ::DrawFocusRect(dc_, r.Win());
  Changed();
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csBrushValid});
  ExtFloodFill(dc_, x, y, ColorToRGB(color), style == TFillStyle::fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
  Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csFontValid, TCanvasState::csBrushValid});
  ExtTextOutA(dc_, x, y, textFlags_, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
  MoveToEx(dc_, x + TextWidth(text), y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csFontValid, TCanvasState::csBrushValid});
  UINT options = ETO_CLIPPED | textFlags_;
  if (brush_.Style() != TBrushStyle::bsClear) options |= ETO_OPAQUE;
  ExtTextOutA(dc_, x, y, options, r.Win(), text.data(), static_cast<UINT>(text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const std::string& text) {
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csFontValid});
  TSize size;
  if (!GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), size.Win())) size = {};
  return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequiredState({TCanvasState::csHandleValid});
  graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequiredState({TCanvasState::csHandleValid});
  graphic->Draw(this, r);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& s) {
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csBrushValid});
  HDC src = source->Handle();
  StretchBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), src, s.Left, s.Top, s.Width(), s.Height(), copyMode_);
  Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& s, TColor color) {
  if (!bitmap || bitmap->Empty()) return;
  Changing();
  RequiredState({TCanvasState::csHandleValid, TCanvasState::csBrushValid});
  ::FillRect(dc_, dest.Win(), brush_.Handle());
  TransparentBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), bitmap->Canvas()->Handle(), s.Left, s.Top,
                 s.Width(), s.Height(), ColorToRGB(color));
  Changed();
}

void TCanvas::Lock() {
  EnterCriticalSection(&lock_);
  ++lockCount_;
}

void TCanvas::Unlock() {
  --lockCount_;
  LeaveCriticalSection(&lock_);
}

bool TCanvas::TryLock() {
  if (!TryEnterCriticalSection(&lock_)) return false;
  ++lockCount_;
  return true;
}
