// The framed suite's shared colour, frame, glyph and text routines: colour maths on a
// hue/saturation/luminance scale of 0..240, visual-style colour probes and the colour scheme of the
// visual style, the twelve frame styles and their border drawing, three vector glyphs, rotated
// fonts, accelerator stripping and the readers that skip obsolete stored properties.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "Classes.h"
#include "Controls.h"
#include "Graphics.h"
#include "Types.h"

// The writers' first step: stores a changed value and says whether it changed.
template <class T> bool StoreChanged(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Colour maths (Right and Bottom outside, as everywhere).

enum TOrientation : uint8_t { orHorizontal, orVertical };
enum TRzHotTrackColorType : uint8_t { htctComplement, htctActual };
enum TXpColorScheme : uint8_t { xcsNormalColor, xcsHomestead, xcsMetallic };
enum TRzGradientColorStyle : uint8_t { gcsSystem, gcsMSOffice, gcsCustom };

struct THueSatLum {
  uint8_t Hue = 0, Saturation = 0, Luminance = 0;
  constexpr bool operator==(const THueSatLum&) const = default;
};

// A rectangle of the given size centred in bounds (halves toward zero).
TRect CenteredBounds(const TRect& bounds, int width, int height);

THueSatLum ColorToHueSatLum(TColor color);
uint8_t HueOfColor(TColor color);
// The hue is read on a 0..239 scale (a hue of 240 wraps round to red like 0).
TColor HueSatLumToColor(uint8_t hue, uint8_t saturation, uint8_t luminance);
TColor DarkenColor(TColor color, uint8_t amount);
// The luminance ceiling is 255, not 240: a large lightening saturates every channel to white.
TColor LightenColor(TColor color, uint8_t amount);
// Negative darkens, positive lightens; 0 hands the colour back untouched (system colours stay so).
TColor ShiftColorLum(TColor color, int amount);
// Per channel the nearest integer to c1 * a + (1 - a) * c2, a = alpha / 255.
TColor MixColors(TColor color1, TColor color2, uint8_t alpha);
bool ColorsTooSimilar(TColor foreground, TColor background);
TColor OppositeHueColor(TColor color, uint8_t luminance);

// Visual styles usable right now (a style active and its library loaded).
bool FramedThemesEnabled();
// One of seven colours of the visual style (0..6), white for any other selector, clBtnFace without
// visual styles.
TColor ThemedPartColor(int selector);
// The scheme named by the visual style's "ColorName" (case ignored).
TXpColorScheme XpColorSchemeFromName(const std::string& colorName);
TXpColorScheme ReadXpColorScheme();
// The light and dark colours of a scheme.
TColor XpSchemeLightColor(TXpColorScheme scheme);
TColor XpSchemeDarkColor(TXpColorScheme scheme);
void PanelGradientColors(TRzGradientColorStyle style, TColor& start, TColor& stop);
void GroupGradientColors(TRzGradientColorStyle style, TColor& stop, TColor& start, TColor& line);
bool ScreenHasFullColor();

// Set once by the module's start-up, read by painters. The panel re-reads the scheme on a theme change.
extern bool FullColorScreen;
extern TXpColorScheme CurrentXpColorScheme;

// ---------------------------------------------------------------------------------------------
// Frame styles and border drawing. Every routine draws with the canvas's pen and answers the
// rectangle left inside what it drew, so that borders stack.

enum TFrameStyle : uint8_t {
  fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus, fsPopup,
  fsFlatBold, fsFlatRounded
};
using TFrameStyleEx = TFrameStyle;
enum TSide : uint8_t { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TSet<TSide>;
inline constexpr TSides sdAllSides{sdLeft, sdTop, sdRight, sdBottom};

// The system colours of each style's left/top and right/bottom sides (fsFlatRounded has none).
TColor FrameTopLeftColor(TFrameStyle style);
TColor FrameBottomRightColor(TFrameStyle style);

// A skipped colour (clNone) still shrinks the rectangle by its sides.
TRect PaintSides(TCanvas* canvas, const TRect& bounds, TColor topLeft, TSides sides, TColor bottomRight);
TRect PaintBevel(TCanvas* canvas, const TRect& bounds, TColor topLeft, TSides sides, int count, TColor bottomRight);
TRect PaintSunkenRaisedBevel(TCanvas* canvas, const TRect& bounds, bool lowered, TSides sides);
TRect PaintButtonBevel(TCanvas* canvas, const TRect& bounds, bool down, TSides sides);
TRect PaintFaceButtonBevel(TCanvas* canvas, const TRect& bounds, TColor face, TSides sides, bool down);
TRect PaintFrameStyleSides(TCanvas* canvas, const TRect& bounds, TFrameStyle style, TSides sides);
TRect PaintFrameStyle(TCanvas* canvas, const TRect& bounds, TFrameStyle style);
TRect PaintFaceFrameStyleSides(TCanvas* canvas, const TRect& bounds, TColor face, TSides sides, TFrameStyle style);
TRect PaintFaceFrameStyle(TCanvas* canvas, const TRect& bounds, TColor face, TFrameStyle style);
TRect PaintBoxOutline(TCanvas* canvas, const TRect& bounds, TColor color);
TRect PaintDottedFocusFrame(TCanvas* canvas, const TRect& bounds);
TRect PaintRoundedSides(TCanvas* canvas, const TRect& bounds, TColor color, TSides sides);

// ---------------------------------------------------------------------------------------------
// Glyphs and text.

// Scoped: the look-and-feel painters name their own arrow directions the same way.
enum class TArrowDirection : uint8_t { adUp, adDown, adLeft, adRight };
// xpLook: 1 selects the look of visual styles, any other value the classic one.
void PaintDropDownArrow(TCanvas* canvas, const TRect& bounds, uint8_t xpLook, bool pressed, bool enabled);
// A direction outside the four draws nothing.
void PaintDirectionArrow(TCanvas* canvas, const TRect& bounds, uint8_t xpLook, TArrowDirection direction,
                         bool pressed, bool enabled);
void PaintCloseCross(TCanvas* canvas, const TRect& bounds, uint8_t xpLook, bool pressed, bool enabled);
// The glyph colour of those three routines.
TColor ArrowGlyphColor(uint8_t xpLook, bool enabled);

// A new GDI font (the caller deletes it) turned by the angle in degrees.
HFONT CreateRotatedFont(TFont* font, int angle);
bool FontIsTrueType(TFont* font);
int FontLineHeight(TFont* font);
// "&Open" -> "Open", "A&&B" -> "A&B"; a trailing "&" stays.
std::string StripHotkeyMarks(const std::string& caption);
void NotifyDesignerModified(TControl* control);

// Read handlers of properties that controls declare only so that old stored forms still load: the
// value is consumed and dropped.
class TRzOldPropReader : public TObject {
  CALDERAN_CLASS(TRzOldPropReader)
  TRzOldPropReader() = default;
  void SkipBooleanValue(TReader* reader);
  void SkipIdentValue(TReader* reader);
  void SkipSetValue(TReader* reader);
};
TRzOldPropReader* OldPropReader();

// Start-up of the module: the full-colour flag and the colour scheme of the visual style.
extern const TUnitInfo RzCommonUnit;
