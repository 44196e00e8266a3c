// The three vector glyphs, font utilities, accelerator stripping and the obsolete-property readers.
#include <memory>
#include <vector>

#include "RzCommon.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {
// The colour visual styles give the drop-down button's arrow, read from a drawn sample.
TColor SampledThemedGlyphColor() {
  HTHEME theme = FramedThemesEnabled() ? OpenThemeByKind(totComboBox) : nullptr;
  if (!theme) return clBlack;
  TBitmap sample(17, 21);
  const RECT bounds{0, 0, 16, 20};
  UxDrawThemeBackground(theme, sample.Canvas()->Handle(), 1, 1, &bounds, nullptr);
  const TColor color = sample.Canvas()->Pixel(8, 10);
  return ColorsTooSimilar(color, clWindow) ? cl3DDkShadow : color;
}

TPoint GlyphCentre(const TRect& r) {
  TPoint c{r.Left + r.Width() / 2, r.Top + r.Height() / 2};
  if (r.Height() % 2 == 0) --c.Y;
  return c;
}

// Fills the polygon without an outline and leaves brush and pen as it found them.
void FillGlyph(TCanvas* canvas, const std::vector<TPoint>& points, uint8_t xpLook, bool enabled) {
  const TColor brush = canvas->Brush()->Color();
  canvas->Brush()->SetColor(ArrowGlyphColor(xpLook, enabled));
  canvas->Pen()->SetStyle(TPenStyle::psClear);
  if (!points.empty()) canvas->Polygon(points);
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  canvas->Brush()->SetColor(brush);
}

std::vector<TPoint> XpArrow(TArrowDirection direction, int x, int y) {
  switch (direction) {
    case TArrowDirection::adUp: return {{x, y - 5}, {x + 4, y}, {x + 1, y}, {x, y - 2}, {x - 1, y}, {x - 4, y}};
    case TArrowDirection::adDown: return {{x, y}, {x - 3, y - 4}, {x, y - 4}, {x, y - 3}, {x + 1, y - 4}, {x + 4, y - 4}};
    case TArrowDirection::adLeft: return {{x, y}, {x + 4, y - 4}, {x + 4, y - 1}, {x + 3, y}, {x + 4, y + 1}, {x + 4, y + 4}};
    case TArrowDirection::adRight: return {{x + 4, y}, {x, y + 4}, {x, y + 1}, {x + 1, y}, {x, y - 1}, {x, y - 4}};
    default: return {};
  }
}

std::vector<TPoint> ClassicArrow(TArrowDirection direction, int x, int y) {
  switch (direction) {
    case TArrowDirection::adUp: return {{x, y - 5}, {x + 4, y}, {x - 4, y}};
    case TArrowDirection::adDown: return {{x, y + 1}, {x - 3, y - 3}, {x + 4, y - 3}};
    case TArrowDirection::adLeft: return {{x, y}, {x + 4, y - 4}, {x + 4, y + 4}};
    case TArrowDirection::adRight: return {{x + 4, y}, {x, y + 4}, {x, y - 4}};
    default: return {};
  }
}

TPoint ArrowCentreShift(TArrowDirection direction, bool xp) {
  switch (direction) {
    case TArrowDirection::adUp: return xp ? TPoint{0, 4} : TPoint{0, 2};
    case TArrowDirection::adDown: return {0, 2};
    case TArrowDirection::adLeft: return xp ? TPoint{-1, 0} : TPoint{-2, 0};
    case TArrowDirection::adRight: return xp ? TPoint{-3, 0} : TPoint{-2, 0};
    default: return {};
  }
}

// The font's metrics, read on the screen.
TEXTMETRICA ScreenTextMetrics(TFont* font) {
  TEXTMETRICA metrics{};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font->Handle());
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics;
}
}  // namespace

TColor ArrowGlyphColor(uint8_t xpLook, bool enabled) {
  if (!enabled) return clBtnShadow;
  return xpLook == 1 ? SampledThemedGlyphColor() : clBlack;
}

void PaintDropDownArrow(TCanvas* canvas, const TRect& bounds, uint8_t xpLook, bool pressed, bool enabled) {
  const bool xp = xpLook == 1;
  TPoint c = GlyphCentre(bounds);
  c.Y += xp ? 4 : 2;
  if (pressed) c = c + TPoint{1, 1};
  const int x = c.X, y = c.Y;
  const std::vector<TPoint> points =
      xp ? std::vector<TPoint>{{x, y}, {x - 4, y - 5}, {x - 3, y - 7}, {x, y - 3}, {x + 3, y - 7}, {x + 5, y - 5}}
         : std::vector<TPoint>{{x, y}, {x - 3, y - 4}, {x + 4, y - 4}};
  FillGlyph(canvas, points, xpLook, enabled);
}

void PaintDirectionArrow(TCanvas* canvas, const TRect& bounds, uint8_t xpLook, TArrowDirection direction,
                         bool pressed, bool enabled) {
  const bool xp = xpLook == 1;
  TPoint c = GlyphCentre(bounds) + ArrowCentreShift(direction, xp);
  if (pressed && enabled) c = c + TPoint{1, 1};
  FillGlyph(canvas, xp ? XpArrow(direction, c.X, c.Y) : ClassicArrow(direction, c.X, c.Y), xpLook, enabled);
}

void PaintCloseCross(TCanvas* canvas, const TRect& bounds, uint8_t xpLook, bool pressed, bool enabled) {
  TPoint c = GlyphCentre(bounds);
  if (pressed && enabled) c = c + TPoint{1, 1};
  const int x = c.X, y = c.Y;
  FillGlyph(canvas,
            {{x, y - 1}, {x + 3, y - 4}, {x + 5, y - 4}, {x + 5, y - 3}, {x + 2, y}, {x + 5, y + 4}, {x + 5, y + 5},
             {x + 3, y + 5}, {x, y + 1}, {x - 3, y + 5}, {x - 4, y + 5}, {x - 4, y + 3}, {x - 1, y}, {x - 4, y - 3},
             {x - 4, y - 4}, {x - 3, y - 5}},
            xpLook, enabled);
}

HFONT CreateRotatedFont(TFont* font, int angle) {
  LOGFONTA log{};
  log.lfHeight = font->Height();
  log.lfEscapement = angle * 10;
  const TFontStyles style = font->Style();
  log.lfWeight = style.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
  log.lfItalic = style.Contains(TFontStyle::fsItalic);
  log.lfUnderline = style.Contains(TFontStyle::fsUnderline);
  log.lfStrikeOut = style.Contains(TFontStyle::fsStrikeOut);
  log.lfCharSet = font->Charset();
  log.lfPitchAndFamily = font->Pitch() == TFontPitch::fpVariable ? VARIABLE_PITCH
                         : font->Pitch() == TFontPitch::fpFixed  ? FIXED_PITCH
                                                                 : DEFAULT_PITCH;
  lstrcpynA(log.lfFaceName, font->Name().c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&log);
}

bool FontIsTrueType(TFont* font) { return (ScreenTextMetrics(font).tmPitchAndFamily & TMPF_TRUETYPE) != 0; }

int FontLineHeight(TFont* font) { return ScreenTextMetrics(font).tmHeight + 2; }

// Each "&" counts against the next character only, so the second "&" of a pair is itself a lone
// mark (dropped unless a third follows); the last character always stays.
std::string StripHotkeyMarks(const std::string& caption) {
  if (caption.empty()) return caption;
  std::string result;
  for (size_t i = 0; i + 1 < caption.size(); ++i)
    if (caption[i] != '&' || caption[i + 1] == '&') result += caption[i];
  result += caption.back();
  return result;
}

// The program has no form designer, so a change made at design time has nobody to tell.
void NotifyDesignerModified(TControl*) {}

void TRzOldPropReader::SkipBooleanValue(TReader* reader) { reader->ReadBoolean(); }
void TRzOldPropReader::SkipIdentValue(TReader* reader) { reader->ReadIdent(); }
void TRzOldPropReader::SkipSetValue(TReader* reader) { reader->SkipValue(); }

TRzOldPropReader* OldPropReader() {
  static TRzOldPropReader reader;
  return &reader;
}
CALDERAN_IMPLEMENT_CLASS(TRzOldPropReader, TObject)
