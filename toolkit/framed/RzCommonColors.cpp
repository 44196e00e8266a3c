// Colour maths, the visual style's colours and colour scheme, and the full-colour probe.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "RzCommon.h"
#include "Registry.h"
#include "SysUtils.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

#include <vssym32.h>

bool FullColorScreen = true;
TXpColorScheme CurrentXpColorScheme = xcsNormalColor;

namespace {
struct TRgb {
  int R, G, B;
};

TRgb Channels(TColor color) {
  const COLORREF rgb = ColorToRGB(color);
  return {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}

uint8_t RoundToByte(double value) { return static_cast<uint8_t>(std::clamp(std::lrint(value), 0L, 255L)); }

uint8_t ChannelByte(double fraction) { return RoundToByte(std::clamp(fraction, 0.0, 1.0) * 255.0); }

TColor WithLuminance(TColor color, int luminance) {
  const THueSatLum hsl = ColorToHueSatLum(color);
  return HueSatLumToColor(hsl.Hue, hsl.Saturation, static_cast<uint8_t>(std::clamp(luminance, 0, 255)));
}
}  // namespace

TRect CenteredBounds(const TRect& bounds, int width, int height) {
  const int left = (bounds.Left + bounds.Right - width) / 2;
  const int top = (bounds.Top + bounds.Bottom - height) / 2;
  return Bounds(left, top, width, height);
}

THueSatLum ColorToHueSatLum(TColor color) {
  const TRgb c = Channels(color);
  const double r = c.R / 255.0, g = c.G / 255.0, b = c.B / 255.0;
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  const double l = (max + min) / 2;
  double h = 0, s = 0;
  if (max != min) {
    const double d = max - min;
    s = l < 0.5 ? d / (max + min) : d / (2 - max - min);
    if (r == max) h = (g - b) / d;
    else if (g != max) h = (r - g) / d + 4;
    else h = (b - r) / d + 2;
    h /= 6;
    if (h < 0) h += 1;
  }
  return {RoundToByte(h * 240), RoundToByte(s * 240), RoundToByte(l * 240)};
}

uint8_t HueOfColor(TColor color) { return ColorToHueSatLum(color).Hue; }

TColor HueSatLumToColor(uint8_t hue, uint8_t saturation, uint8_t luminance) {
  const double l = luminance / 240.0, s = saturation / 240.0, p = hue / 239.0 * 6;
  const double m2 = l >= 0.5 ? l + s - l * s : l * (1 + s);
  if (m2 <= 0) return clBlack;
  const double m1 = 2 * l - m2;
  const int sextant = static_cast<int>(std::trunc(p));
  const double f = (m2 - m1) * (p - sextant);
  const double rising = m1 + f, falling = m2 - f;
  double r, g, b;
  switch (sextant) {
    case 1: r = falling, g = m2, b = m1; break;
    case 2: r = m1, g = m2, b = rising; break;
    case 3: r = m1, g = falling, b = m2; break;
    case 4: r = rising, g = m1, b = m2; break;
    case 5: r = m2, g = m1, b = falling; break;
    default: r = m2, g = rising, b = m1;
  }
  return static_cast<TColor>(RGB(ChannelByte(r), ChannelByte(g), ChannelByte(b)));
}

TColor DarkenColor(TColor color, uint8_t amount) {
  return WithLuminance(color, ColorToHueSatLum(color).Luminance - amount);
}

TColor LightenColor(TColor color, uint8_t amount) {
  return WithLuminance(color, ColorToHueSatLum(color).Luminance + amount);
}

TColor ShiftColorLum(TColor color, int amount) {
  if (amount < 0) return DarkenColor(color, static_cast<uint8_t>(std::min(-amount, 255)));
  if (amount > 0) return LightenColor(color, static_cast<uint8_t>(std::min(amount, 255)));
  return color;
}

TColor MixColors(TColor color1, TColor color2, uint8_t alpha) {
  const float a = alpha / 255.0f;
  const TRgb c1 = Channels(color1), c2 = Channels(color2);
  auto mix = [a](int x, int y) { return RoundToByte(x * a + (1 - a) * y); };
  return static_cast<TColor>(RGB(mix(c1.R, c2.R), mix(c1.G, c2.G), mix(c1.B, c2.B)));
}

bool ColorsTooSimilar(TColor foreground, TColor background) {
  const THueSatLum f = ColorToHueSatLum(foreground), b = ColorToHueSatLum(background);
  return std::abs(f.Hue - b.Hue) < 20 && std::abs(f.Luminance - b.Luminance) < 60;
}

TColor OppositeHueColor(TColor color, uint8_t luminance) {
  const int hue = HueOfColor(color);
  const int opposite = hue < 120 ? hue + 120 : hue - 120;
  return HueSatLumToColor(static_cast<uint8_t>(opposite), 240, luminance);
}

// ---------------------------------------------------------------------------------------------
bool FramedThemesEnabled() { return AreThemeKindsAvailable({}); }

TColor ThemedPartColor(int selector) {
  if (!FramedThemesEnabled()) return clBtnFace;
  struct TPartColor {
    TdxThemedObjectType Kind;
    int Part, State, Property;
  };
  static constexpr TPartColor parts[] = {
      {totEdit, 0, 2, TMT_BORDERCOLOR},         {totExplorerBar, 5, 1, TMT_TEXTCOLOR},
      {totExplorerBar, 9, 1, TMT_TEXTCOLOR},    {totExplorerBar, 5, 1, TMT_FILLCOLOR},
      {totExplorerBar, 0, 2, TMT_GRADIENTCOLOR1}, {totExplorerBar, 12, 1, TMT_FILLCOLOR},
      {totButton, 4, 1, TMT_TEXTCOLOR}};
  if (selector < 0 || selector >= static_cast<int>(std::size(parts))) return clWhite;
  const TPartColor& p = parts[selector];
  COLORREF color = 0;
  HTHEME theme = OpenThemeByKind(p.Kind);
  // A style that lacks the part keeps the classic face rather than an unset colour.
  if (!theme || FAILED(UxGetThemeColor(theme, p.Part, p.State, p.Property, &color))) return clBtnFace;
  return static_cast<TColor>(color);
}

TXpColorScheme XpColorSchemeFromName(const std::string& colorName) {
  const std::string name = UpperCase(colorName);
  if (name == "HOMESTEAD") return xcsHomestead;
  if (name == "METALLIC") return xcsMetallic;
  return xcsNormalColor;
}

TXpColorScheme ReadXpColorScheme() {
  try {
    TRegIniFile registry("\\Software\\Microsoft\\Windows\\CurrentVersion");
    return XpColorSchemeFromName(registry.ReadString("ThemeManager", "ColorName", ""));
  } catch (const Exception&) {
    return xcsNormalColor;
  }
}

TColor XpSchemeLightColor(TXpColorScheme scheme) {
  static constexpr TColor light[] = {RGB(227, 239, 255), RGB(255, 255, 237), RGB(249, 249, 255)};
  return light[scheme];
}

TColor XpSchemeDarkColor(TXpColorScheme scheme) {
  static constexpr TColor dark[] = {RGB(153, 187, 234), RGB(184, 199, 146), RGB(189, 188, 208)};
  return dark[scheme];
}

void PanelGradientColors(TRzGradientColorStyle style, TColor& start, TColor& stop) {
  if (style == gcsMSOffice && FramedThemesEnabled()) {
    start = XpSchemeLightColor(CurrentXpColorScheme);
    stop = XpSchemeDarkColor(CurrentXpColorScheme);
  } else {
    start = clWindow;
    stop = DarkenColor(clBtnFace, 10);
  }
}

void GroupGradientColors(TRzGradientColorStyle style, TColor& stop, TColor& start, TColor& line) {
  if (style != gcsMSOffice || !FramedThemesEnabled()) {
    stop = DarkenColor(clBtnFace, 20);
    start = clWindow;
    line = DarkenColor(clBtnFace, 40);
  } else {
    stop = XpSchemeDarkColor(CurrentXpColorScheme);
    start = XpSchemeLightColor(CurrentXpColorScheme);
    line = stop;
  }
}

bool ScreenHasFullColor() {
  HDC dc = GetDC(nullptr);
  const int colors = GetDeviceCaps(dc, NUMCOLORS);
  ReleaseDC(nullptr, dc);
  return colors == -1;
}

namespace {
void StartRzCommon() {
  FullColorScreen = ScreenHasFullColor();
  CurrentXpColorScheme = ReadXpColorScheme();
}
}  // namespace

const TUnitInfo RzCommonUnit{"RzCommon", StartRzCommon, nullptr};
