// Small drawing services shared by every inspector control: colour blends, a vertical gradient,
// focus frames, text with fixed format flags, and 32-bit bitmaps with per-pixel alpha drawn onto an
// opaque canvas. The three providers are stateless: their operations are class operations.
#pragma once
#include <string>

#include "Graphics.h"
#include "Types.h"

// Text is drawn with the wide-character text function on the NT family (set at start-up).
extern bool UseWideText;

class TGraphicsProvider {
 public:
  // Each channel = Ratio x C2 + (1 - Ratio) x C1, to the nearest integer (system colours resolved).
  static TColor BlendColors(TColor c1, TColor c2, double ratio);
  // Solid: a one-pixel frame in clHighlight; otherwise the platform's dotted focus rectangle.
  static void DrawFocus(TCanvas* canvas, const TRect& rect, bool solid);
  // From at the top, approaching To at the bottom, one line per pixel row.
  static void DrawGradient(TCanvas* canvas, const TRect& rect, TColor fromColor, TColor toColor);
  // Single line, vertically centred, end ellipsis; alignment 0 left, 1 right, 2 centre.
  static void DrawTextRect(TCanvas* canvas, const TRect& rect, int rightToLeft, const std::u16string& text,
                           int alignment);
  // verticalAlignment 0 top, 1 centre, 2 bottom; word break or single line.
  static void DrawTextRectEx(TCanvas* canvas, const TRect& rect, int biDi, const std::u16string& text, bool wordWrap,
                             int verticalAlignment, int alignment);
};

class TMaskProvider {
 public:
  // Each channel = (Alpha x C1 + (255 - Alpha) x C2) / 256, truncated; Alpha must be below 256.
  static TColor MaskBlend(TColor c1, TColor c2, int alpha);
  static TColor Blend(TColor c1, TColor c2, int alpha) { return MaskBlend(c1, c2, alpha); }
};

class TDrawProvider {
 public:
  // A 32-bit bitmap is composed over what the canvas shows under it; others are drawn as they are.
  static void DrawBitmap(TCanvas* canvas, int x, int y, TBitmap* bitmap);
};

// The blend of the Office-style colour table and the drawing code (TMaskProvider::Blend).
inline TColor Blend(TColor c1, TColor c2, int alpha) { return TMaskProvider::Blend(c1, c2, alpha); }
// A 32-bit glyph mixed with the canvas under it by MaskBlend; others are drawn as they are.
void DrawGlyph(TCanvas* canvas, int x, int y, TBitmap* bitmap);
// Left-aligned single-line text (right-to-left reading when rightToLeft is 1).
void DrawTextPlain(TCanvas* canvas, const TRect& rect, const std::u16string& text, int rightToLeft);
// A rectangular region equal to rect becomes the canvas's clip region.
void ClipToRect(TCanvas* canvas, const TRect& rect);
