#include "dxBarHintWindow.h"

#include <algorithm>
#include <cmath>

#include "Forms.h"
#include "dxBarCanvas.h"
#include "dxBarControl.h"
#include "dxBarItemRegistry.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarCustomHintViewInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxBarHintViewInfo, TdxBarCustomHintViewInfo)
CALDERAN_IMPLEMENT_CLASS(TdxBarLikeHintScreenTipViewInfo, TdxBarHintViewInfo)
CALDERAN_IMPLEMENT_CLASS(TdxBarScreenTipBandViewInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxBarScreenTipViewInfo, TdxBarCustomHintViewInfo)
CALDERAN_IMPLEMENT_CLASS(TdxBarHintWindow, TcxBaseHintWindow)

namespace {
constexpr UINT MeasureFlags = DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX;       // 0xC10
constexpr UINT SingleLineMeasureFlags = DT_CALCRECT | DT_NOPREFIX;            // 0xC00
constexpr UINT PlainHintTextFlags = DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX;   // 0x910
constexpr UINT BandTextFlags = DT_WORDBREAK | DT_NOPREFIX;                    // 0x810

TdxBarHintWindow* hintWindow = nullptr;
bool hintCursorSet = false;
TPoint hintCursor;

int ScaleBy(int value, int pixelsPerInch) { return static_cast<int>(std::lround(value * pixelsPerInch / 96.0)); }

// Draws (or with DT_CALCRECT measures) text in the font on the canvas's device context and leaves
// the canvas as it was.
void DrawFontText(TcxCanvas* canvas, TFont* font, TColor color, const std::string& text, TRect& rect, UINT flags) {
  TcxCanvasStateSaver saver(canvas);
  HDC dc = canvas->GetHandle();
  SelectObject(dc, font->Handle());
  SetTextColor(dc, ColorToRGB(color));
  SetBkMode(dc, TRANSPARENT);
  RECT r = *rect.Win();
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
  if (flags & DT_CALCRECT) rect = TRect{r.left, r.top, r.right, r.bottom};
}
}  // namespace

// ---------------------------------------------------------------------------------------------
TdxBarCustomHintViewInfo::TdxBarCustomHintViewInfo(TdxBarManager* manager)
    : manager_(manager), pixelsPerInch_(GetScreenPixelsPerInch(1)) {}

int TdxBarCustomHintViewInfo::ScaleValue(int value) const { return ScaleBy(value, pixelsPerInch_); }

void TdxBarCustomHintViewInfo::ApplyToWindow(TdxBarHintWindow* window) {
  window->SetScreenTipMode(IsScreenTip());
  window->HandleNeeded();
}

// ---------------------------------------------------------------------------------------------
TdxBarHintViewInfo::TdxBarHintViewInfo(TdxBarManager* manager, const std::string& text, const std::string& shortCut,
                                       const TPoint& position)
    : TdxBarCustomHintViewInfo(manager), text_(text.empty() ? "" : text + shortCut), position_(position) {}

void TdxBarHintViewInfo::ApplyToWindow(TdxBarHintWindow* window) {
  TdxBarCustomHintViewInfo::ApplyToWindow(window);
  window->SetCaption(text_);
  ApplyFont(window);
  window->SetColor(Application ? Application->HintColor() : clInfoBk);
}

// The manager's font, or the system's status-bar font when the manager follows the system.
void TdxBarHintViewInfo::ApplyFont(TdxBarHintWindow* window) const {
  TFont* font = window->Canvas()->Font();
  if (BarManager() && !BarManager()->UseSystemFont()) {
    font->Assign(BarManager()->Font());
  } else {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = 340;  // without the padded border width, as older systems expect
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
      font->SetHandle(CreateFontIndirectA(&metrics.lfStatusFont));
    else
      font->SetSize(8);
  }
  if (Screen) font->SetColor(Screen->HintFont()->Color());
}

void TdxBarHintViewInfo::CalcBounds(TcxCanvas* canvas) {
  bounds_ = {};
  if (text_.empty()) return;
  TRect workArea = GetWorkAreaAtPoint(position_);
  TRect rect{0, 0, workArea.Width(), 0};
  DrawFontText(canvas, canvas->GetFont(), canvas->GetFont()->Color(), text_, rect, MeasureFlags);
  TSize size{rect.Width(), rect.Height()};
  AddFrameSize(size);
  bounds_ = {0, 0, size.cx, size.cy};
}

void TdxBarHintViewInfo::AddFrameSize(TSize& size) const {
  size.cx += 6;
  size.cy += 6;
}

TRect TdxBarHintViewInfo::GetTextRect() const {
  return {bounds_.Left + 3, bounds_.Top + 3, bounds_.Right - 1, bounds_.Bottom - 1};
}

void TdxBarHintViewInfo::Paint(TcxCanvas* canvas) {
  RECT r = *bounds_.Win();
  DrawEdge(canvas->GetHandle(), &r, BDR_RAISEDOUTER, BF_RECT);
  PaintText(canvas);
}

void TdxBarHintViewInfo::PaintText(TcxCanvas* canvas) const {
  TRect rect = GetTextRect();
  DrawFontText(canvas, canvas->GetFont(), canvas->GetFont()->Color(), text_, rect, PlainHintTextFlags);
}

void TdxBarLikeHintScreenTipViewInfo::AddFrameSize(TSize& size) const {
  TdxBarHintViewInfo::AddFrameSize(size);
  size.cx += 5;
  size.cy += 5;
}

TRect TdxBarLikeHintScreenTipViewInfo::GetTextRect() const {
  return {bounds_.Left + 5, bounds_.Top + 6, bounds_.Right - 6, bounds_.Bottom - 5};
}

void TdxBarLikeHintScreenTipViewInfo::Paint(TcxCanvas* canvas) {
  painter_->DrawScreenTipBackground(canvas, bounds_);
  PaintText(canvas);
}

// ---------------------------------------------------------------------------------------------
TdxBarScreenTipBandViewInfo::TdxBarScreenTipBandViewInfo(TdxBarCustomScreenTipBand* band, const std::string& hintText,
                                                         const std::string& shortCut, int pixelsPerInch)
    : band_(band), hintText_(hintText), shortCut_(shortCut), pixelsPerInch_(pixelsPerInch) {}

int TdxBarScreenTipBandViewInfo::Scale(int value) const { return ScaleBy(value, pixelsPerInch_); }

int TdxBarScreenTipBandViewInfo::HorzMargin() const { return Scale(IsType(stbDescription) ? 14 : 6); }

int TdxBarScreenTipBandViewInfo::GlyphColumnWidth() const {
  return IsType(stbDescription) ? Scale(108) - Scale(14) : Scale(16);
}

int TdxBarScreenTipBandViewInfo::VertSpacing(TdxBarPainterClass painter) const {
  return Scale(6) + (IsType(stbFooter) ? painter->GetScreenTipFooterLineHeight() : 0);
}

// The header shows the hint in place of its text when there is one, with the shortcut after it.
std::string TdxBarScreenTipBandViewInfo::GetText() const {
  if (!IsType(stbHeader)) return band_->Text();
  return (hintText_.empty() ? band_->Text() : hintText_) + shortCut_;
}

int TdxBarScreenTipBandViewInfo::CalcHeight(TcxCanvas* canvas, int width, TdxBarPainterClass painter) {
  width_ = width;
  const std::string text = GetText();
  if (!HasGlyph() && text.empty()) return 0;
  const int g = GlyphColumnWidth(), m = HorzMargin();
  glyphSize_ = {};
  if (HasGlyph()) {
    TBitmap* glyph = band_->Glyph();
    if (glyph->Width() < g) glyphSize_ = {glyph->Width(), glyph->Height()};
    else glyphSize_ = {g, static_cast<int>(std::lround(double(glyph->Height()) * g / glyph->Width()))};
  }
  textSize_ = {};
  if (!text.empty()) {
    int available = width - 2 * m - (HasGlyph() ? g + m : 0);
    TRect rect{0, 0, available, 0};
    const UINT flags = IsType(stbDescription) ? MeasureFlags : SingleLineMeasureFlags;
    TFont* font = band_->GetBandFont();
    DrawFontText(canvas, font, font->Color(), text, rect, flags);
    textSize_ = {rect.Width(), rect.Height()};
  }
  return std::max(glyphSize_.cy, textSize_.cy) + 2 * VertSpacing(painter);
}

void TdxBarScreenTipBandViewInfo::Arrange(int width, int top, TdxBarPainterClass painter, int bandHeight) {
  top_ = top;
  width_ = width;
  const int g = GlyphColumnWidth(), m = HorzMargin(), p = VertSpacing(painter);
  const bool glyphOnLeft = band_->TextAlign() == stbtaRight;
  if (!GetText().empty()) {
    textBounds_ = {m, top + p, 0, top + p + textSize_.cy};
    if (glyphOnLeft) {
      if (HasGlyph()) textBounds_.Left += g + m;
      textBounds_.Right = width - m;
    } else {
      textBounds_.Right = textBounds_.Left + textSize_.cx;
    }
  }
  if (!HasGlyph()) return;
  const int glyphTop = IsType(stbDescription) ? top + p : top + (bandHeight - glyphSize_.cy) / 2;
  int left = m + (g - glyphSize_.cx) / 2;
  if (!glyphOnLeft) left = width - (g - glyphSize_.cx) / 2 - m - glyphSize_.cx;
  glyphBounds_ = {left, glyphTop, left + glyphSize_.cx, glyphTop + glyphSize_.cy};
}

void TdxBarScreenTipBandViewInfo::Paint(TcxCanvas* canvas, TdxBarPainterClass painter) {
  const std::string text = GetText();
  if (!text.empty()) {
    TFont* font = band_->GetBandFont();
    TColor color = IsType(stbDescription) ? painter->GetScreenTipDescriptionTextColor()
                                          : painter->GetScreenTipTextColor();
    if (color == clDefault) color = font->Color();
    TRect rect = textBounds_;
    DrawFontText(canvas, font, color, text, rect, BandTextFlags);
  }
  if (HasGlyph()) canvas->Canvas()->StretchDraw(glyphBounds_, band_->Glyph());
  if (IsType(stbFooter))
    painter->DrawScreenTipFooterLine(canvas, {5, top_, width_ - 5, top_ + painter->GetScreenTipFooterLineHeight()});
}

// ---------------------------------------------------------------------------------------------
TdxBarScreenTipViewInfo::TdxBarScreenTipViewInfo(TdxBarManager* manager, TdxBarScreenTip* screenTip,
                                                 TdxBarPainterClass painter, const std::string& hintText,
                                                 const std::string& shortCut)
    : TdxBarCustomHintViewInfo(manager),
      screenTip_(screenTip),
      painter_(painter),
      hintText_(screenTip->UseHintAsHeader() ? hintText : ""),
      shortCut_(shortCut) {}

TdxBarScreenTipViewInfo::~TdxBarScreenTipViewInfo() { ClearBands(); }

void TdxBarScreenTipViewInfo::ClearBands() {
  for (TdxBarScreenTipBandViewInfo* band : bands_) delete band;
  bands_.clear();
}

bool TdxBarScreenTipViewInfo::IsBandUsed(TdxBarCustomScreenTipBand* band, TdxScreenTipRepositoryFont position) const {
  return !band->Text().empty() || !band->Glyph()->Empty() || (position == stbHeader && !hintText_.empty());
}

void TdxBarScreenTipViewInfo::CalcBounds(TcxCanvas* canvas) {
  const int width = screenTip_->GetEffectiveWidth(PixelsPerInch());
  ClearBands();
  int top = 0;
  for (Byte i = stbHeader; i <= stbFooter; ++i) {
    const auto position = static_cast<TdxScreenTipRepositoryFont>(i);
    TdxBarCustomScreenTipBand* band = screenTip_->GetBand(position);
    if (!IsBandUsed(band, position)) continue;
    auto* bandViewInfo = new TdxBarScreenTipBandViewInfo(band, hintText_, shortCut_, PixelsPerInch());
    const int height = bandViewInfo->CalcHeight(canvas, width, painter_);
    bandViewInfo->Arrange(width, top, painter_, height);
    top += height;
    bands_.push_back(bandViewInfo);
  }
  bounds_ = {0, 0, width, top};
}

void TdxBarScreenTipViewInfo::Paint(TcxCanvas* canvas) {
  painter_->DrawScreenTipBackground(canvas, bounds_);
  for (TdxBarScreenTipBandViewInfo* band : bands_) band->Paint(canvas, painter_);
}

// ---------------------------------------------------------------------------------------------
TdxBarCustomHintViewInfo* CreateHintViewInfo(TdxBarManager* manager, const std::string& hintText,
                                             const std::string& shortCut, TdxBarPainterClass painter,
                                             TdxBarScreenTip* screenTip) {
  TdxBarScreenTipRepository* repository = screenTip ? screenTip->Repository() : nullptr;
  if (repository && repository->ShowDescription())
    return new TdxBarScreenTipViewInfo(manager, screenTip, painter, hintText, shortCut);
  std::string text = hintText;
  if (screenTip && !screenTip->UseHintAsHeader() && !screenTip->Header()->Text().empty())
    text = screenTip->Header()->Text();
  return new TdxBarLikeHintScreenTipViewInfo(manager, text, shortCut, TdxBarHintWindow::HintCursorPos(), painter);
}

// The base painter's hints: a plain hint at the cursor (it draws no screen tips), placed 20 pixels
// below the cursor.
TdxBarCustomHintViewInfo* TdxBarPainter::CreateHintViewInfo(TdxBarManager* manager, const std::string& text,
                                                            const std::string& shortCut, TdxBarScreenTip*) const {
  return new TdxBarHintViewInfo(manager, text, shortCut, TdxBarHintWindow::HintCursorPos());
}

TPoint TdxBarPainter::GetHintPosition(TCustomdxBarControl*, const TRect&, const TPoint& cursor, int) const {
  return {cursor.X, cursor.Y + 20};
}

// ---------------------------------------------------------------------------------------------
TdxBarHintWindow::TdxBarHintWindow(TComponent* owner) : TcxBaseHintWindow(owner) {
  SetColor(clInfoBk);
  SetEraseBackground(true);
  SetAnimationStyle(cxhaNone);
}

TdxBarHintWindow::~TdxBarHintWindow() = default;

void TdxBarHintWindow::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_SHOWWINDOW: WMShowWindow(message); break;
    case WM_SIZE: WMSize(message); break;
    default: TcxBaseHintWindow::Dispatch(message);
  }
}

void TdxBarHintWindow::WMShowWindow(TMessage& message) {
  if (!message.WParam) viewInfo_.reset();
  TcxBaseHintWindow::Dispatch(message);
}

// A screen tip has rounded corners.
void TdxBarHintWindow::WMSize(TMessage& message) {
  TcxBaseHintWindow::Dispatch(message);
  if (screenTipMode_) SetWindowRgn(Handle(), CreateRoundRectRgn(0, 0, Width() + 1, Height() + 1, 2, 2), TRUE);
}

bool TdxBarHintWindow::IsVisible() { return HandleAllocated() && IsWindowVisible(WindowHandle()); }

void TdxBarHintWindow::Hide() {
  if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
}

bool TdxBarHintWindow::Activate(TdxBarManager* manager, const std::string& text, const std::string& shortCut) {
  return ShowBarHint(manager, text, shortCut);
}

int TdxBarHintWindow::GetHideDelay() const { return screenTipMode_ ? 200000 : 10000; }

int TdxBarHintWindow::GetShowDelay() const { return screenTipMode_ ? 900 : 1000; }

TPoint TdxBarHintWindow::HintCursorPos() {
  if (hintCursorSet) return hintCursor;
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

void TdxBarHintWindow::SetHintCursorPos(const TPoint* position) {
  hintCursorSet = position != nullptr;
  if (position) hintCursor = *position;
}

TdxBarCustomHintViewInfo* TdxBarHintWindow::CreateViewInfo(TdxBarManager* manager, const std::string& hintText,
                                                           const std::string& shortCut) const {
  TObject* hintObject = BarHintObject();
  if (auto* source = dynamic_cast<IdxBarHintLayoutSource*>(hintObject)) {
    if (TdxBarCustomHintViewInfo* viewInfo = source->CreateHintViewInfo(hintText, shortCut)) return viewInfo;
  }
  if (auto* bar = ObjectAs<TCustomdxBarControl>(hintObject))
    return bar->GetPainter()->CreateHintViewInfo(manager, hintText, shortCut, nullptr);
  return new TdxBarHintViewInfo(manager, hintText, shortCut, HintCursorPos());
}

TPoint TdxBarHintWindow::GetPosition(TdxBarManager*, int height) const {
  TObject* hintObject = BarHintObject();
  const TPoint cursor = HintCursorPos();
  if (auto* source = dynamic_cast<IdxBarHintLayoutSource*>(hintObject)) return source->GetHintPosition(cursor, height);
  if (auto* bar = ObjectAs<TCustomdxBarControl>(hintObject))
    return bar->GetPainter()->GetHintPosition(bar, bar->ClientRect(), cursor, height);
  return cursor;
}

bool TdxBarHintWindow::ShowBarHint(TdxBarManager* manager, const std::string& hintText, const std::string& shortCut) {
  viewInfo_.reset();
  viewInfo_.reset(CreateViewInfo(manager, hintText, shortCut));
  viewInfo_->ApplyToWindow(this);
  TcxCanvas canvas(Canvas());
  viewInfo_->CalcBounds(&canvas);
  const TRect bounds = viewInfo_->Bounds();
  if (bounds.IsEmpty()) {
    viewInfo_.reset();
    return false;
  }
  const TPoint position = GetPosition(manager, bounds.Height());
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ActivateHint(Bounds(position.X, position.Y, bounds.Width(), bounds.Height()), hintText);
  return true;
}

void TdxBarHintWindow::Paint() {
  if (!viewInfo_) return;
  TdxBarCanvas* canvas = BarCanvas();
  canvas->BeginPaintCanvas(Canvas());
  viewInfo_->Paint(canvas);
  canvas->EndPaint();
}

// The window is made again in the new mode (double-buffered for screen tips, which drops the
// rounded region of a screen tip when going back to plain hints).
void TdxBarHintWindow::SetScreenTipMode(bool value) {
  if (value == screenTipMode_) return;
  Hide();
  screenTipMode_ = value;
  SetDoubleBuffered(value);
  RecreateForMode();
}

void TdxBarHintWindow::RecreateForMode() {
  if (HandleAllocated()) RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
TdxBarHintWindow* BarHintWindowInstance() { return hintWindow; }

void CreateBarHintWindow() {
  if (hintWindow) return;
  hintWindow = new TdxBarHintWindow(nullptr);
  SetBarHintWindow(hintWindow);
}

void FreeBarHintWindow() {
  if (!hintWindow) return;
  SetBarHintWindow(nullptr);
  delete hintWindow;
  hintWindow = nullptr;
}
