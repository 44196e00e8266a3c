#include "dxOffice11.h"

#include <algorithm>
#include <vector>

#include "dxThemeManager.h"
#include "dxUxTheme.h"

TColor Office11Colors[Office11ColorCount];
int Office11GradientPercent = 75;

namespace {

constexpr TColor black = clBlack, white = clWhite;

// The built-in colours of the three schemes (blue, olive, silver), 49 each.
constexpr TColor schemeColors[3][49] = {
    {0xFEECDD, 0xE2A981, 0xF5BE9E, 0xF9DAC3, 0x913500, 0xF1A675, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x9C613B, 0xE0A47B, 0x764127, 0xFFFFFF, 0xCB8C6A, 0xFFF9F1, 0xC9662A, 0xF9DBC4, 0x962D00, 0xF6F6F6,
     0xC2EEFF, 0x800000, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xFCE1CB, 0x6FC0FF, 0x3E80FE, 0xF0C7A9,
     0x000000, 0x8D8D8D, 0xFBDABE, 0x94E6FB, 0xFADAC4, 0x962D00, 0xB96837, 0x962D00, 0xFBE5D3, 0xE4AE88,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xD68759, 0x933803, 0xFFFFFF},
    {0xDEF7F4, 0x91C6B7, 0xA7D9D9, 0xE4F0F2, 0x6B7760, 0x8CC2B0, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x588060, 0x8FC4B5, 0x335E51, 0xFFFFFF, 0x588060, 0xDEF7F4, 0x5E8674, 0xADDEE1, 0x5E8D75, 0xEEF4F4,
     0xC2EEFF, 0x385D3F, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xB6E3D8, 0x6FC0FF, 0x3E80FE, 0x9FD4C5,
     0x000000, 0x8D8D8D, 0x91BAAF, 0x94E6FB, 0xE4F1F2, 0x588060, 0x548973, 0x5E8D75, 0xDBF5F2, 0x97C9BC,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0x82C0AF, 0x447A63, 0xFFFFFF},
    {0xFAF4F3, 0xB59799, 0xE5D7D7, 0xF7F3F3, 0x927476, 0xC8B2B3, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x947C7C, 0xB09193, 0x755454, 0xFFFFFF, 0x8F6D6E, 0xFFFFFF, 0x99797A, 0xE4DADB, 0x947C7C, 0xFFFAFD,
     0xC2EEFF, 0x6F4B4B, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xE7D3D6, 0x6FC0FF, 0x3E80FE, 0xD3C0C0,
     0x000000, 0x8D8D8D, 0xEBE5E5, 0x94E6FB, 0xF7F3F3, 0x947C7C, 0x916F70, 0x947C7C, 0xF8F1F0, 0xBA9EA0,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xBFA7A8, 0x916F70, 0xFFFFFF}};

constexpr int schemeGradientPercent[4] = {75, 41, 125, 40};

// Entries taken straight from the scheme row: entry -> row index (-1: computed otherwise).
constexpr int schemeRowOfEntry[Office11ColorCount] = {
    2,  3,  0,  1,  5,  7,  9,  4,  6,  8,  10, 11, -1, -1, -1, -1, -1, -1, 12, 13, 14,
    15, -1, -1, 16, 17, -1, -1, -1, -1, -1, 19, -1, -1, -1, -1, -1, -1, 18, -1, 20, 21,
    22, 23, 24, 25, 26, 27, 28, 29, -1, 30, 31, -1, -1, -1, -1, -1, 32, 33, 35, 34, -1,
    36, -1, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, -1, -1, -1, -1};

constexpr int brushEntries[] = {18, 19, 20, 21, 31, 38, 40, 41, 46, 47, 48, 49, 55};

TdxLunaScheme currentScheme = lsUnknown;
bool schemeColorsUsed = false;
int acquireCount = 0;
HBRUSH brushes[Office11ColorCount] = {};
HBITMAP subMenuExpandBitmap = nullptr;
HBITMAP expandButtonBitmaps[2] = {};  // minus, plus

HMODULE msimg32 = nullptr;
decltype(&::GradientFill) gradientFill = nullptr;

TColor ToRGB(TColor color) { return static_cast<TColor>(ColorToRGB(color)); }
TColor Sys(int index) { return GetSysColor(index); }
int R(TColor c) { return c & 0xFF; }
int G(TColor c) { return (c >> 8) & 0xFF; }
int B(TColor c) { return (c >> 16) & 0xFF; }
int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
TColor MakeRGB(int r, int g, int b) { return Clamp(r) | (Clamp(g) << 8) | (Clamp(b) << 16); }

// Applies f to each channel (red, green, blue) of the arguments.
template <class F> TColor PerChannel(TColor a, TColor b, F f) {
  return MakeRGB(f(R(a), R(b)), f(G(a), G(b)), f(B(a), B(b)));
}

void FillScheme(TColor* e, TdxLunaScheme scheme) {
  const TColor* row = schemeColors[scheme - 1];
  for (int i = 0; i < Office11ColorCount; ++i)
    if (schemeRowOfEntry[i] >= 0) e[i] = row[schemeRowOfEntry[i]];
  e[12] = BlendColorsPercent(e[4], e[2], 90);
  e[13] = BlendColorsPercent(e[5], e[2], 90);
  e[14] = BlendColorsPercent(e[6], e[2], 90);
  e[22] = black;
  e[23] = white;
  e[28] = white;
  e[29] = black;
  e[30] = black;
  e[62] = 0x00C9EEFD;
  e[64] = e[11];
  e[77] = e[74];
  e[78] = e[75];
}

void FillSystemFirstHalf(TColor* e) {
  const TColor face = Sys(COLOR_BTNFACE), window = Sys(COLOR_WINDOW), shadow = Sys(COLOR_BTNSHADOW);
  e[7] = shadow;  // read by entry 4, so computed first
  e[0] = face;
  e[1] = BlendColorsPercent(face, window, 20);
  e[2] = BlendColorsPercent(face, window, 22);
  e[3] = BlendColorsPercent(face, window, 96);
  e[4] = BlendColorsPercent(e[7], window, 74);
  e[5] = NearestScreenColor(SystemColorMix(-15, 29, 86));
  e[6] = NearestScreenColor(SystemColorMix(42, 11, 47));
  e[8] = e[5];
  e[9] = e[6];
  e[10] = BlendColorsPercent(face, window, 85);
  e[11] = face;
  e[12] = BlendColorsPercent(e[7], window, 50);
  e[13] = BlendColorsPercent(e[8], window, 50);
  e[14] = BlendColorsPercent(e[9], window, 50);
  e[18] = BlendColorsPercent(shadow, window, 76);
  e[19] = window;
  e[20] = BlendColorsPercent(shadow, window, 70);
  e[21] = white;
  e[22] = Sys(COLOR_BTNTEXT);
  e[23] = window;
  e[24] = shadow;
  e[25] = e[3];
  e[28] = Sys(COLOR_BTNHIGHLIGHT);
  e[29] = Sys(COLOR_BTNTEXT);
  e[30] = Sys(COLOR_BTNTEXT);
  e[31] = window;
  e[38] = shadow;
}

void FillSystemSecondHalf(TColor* e) {
  const TColor face = Sys(COLOR_BTNFACE), shadow = Sys(COLOR_BTNSHADOW);
  e[48] = NearestScreenColor(SystemColorMix(14, 44, 40));  // read by entries 44 and 45
  e[40] = NearestScreenColor(SystemColorMix(-2, 30, 72));
  e[41] = Sys(COLOR_HIGHLIGHT);
  e[42] = e[40];
  e[43] = e[40];
  e[44] = e[48];
  e[45] = e[48];
  e[46] = e[3];
  e[47] = SystemColorMix(41, 11, 48);
  e[49] = e[46];
  e[51] = Sys(COLOR_BTNTEXT);
  e[52] = Sys(COLOR_GRAYTEXT);
  e[58] = face;
  e[59] = e[47];
  e[60] = e[38];
  e[61] = e[0];
  e[62] = face;
  e[63] = shadow;
  e[64] = shadow;
  e[65] = NearestScreenColor(shadow);
  e[66] = ButtonFaceTint(true);
  e[67] = ButtonFaceTint(false);
  e[68] = e[42];
  e[69] = e[43];
  e[70] = e[47];
  e[71] = e[70];
  e[72] = e[48];
  e[73] = e[72];
  e[74] = e[65];
  e[75] = e[65];
  e[76] = Sys(COLOR_HIGHLIGHTTEXT);
  e[77] = NearestScreenColor(face);
  e[78] = e[65];
}

// The entries that both columns derive alike, in entry order after all others.
void FillCommon(TColor* e) {
  e[15] = BlendColorsPercent(e[7], e[11], 50);
  e[16] = BlendColorsPercent(e[8], e[11], 50);
  e[17] = BlendColorsPercent(e[9], e[11], 50);
  e[26] = e[2];
  e[27] = e[24];
  e[32] = e[2];
  e[33] = e[3];
  e[34] = e[2];
  e[35] = e[3];
  e[36] = BlendColorsPercent(e[34], black, 92);
  e[37] = BlendColorsPercent(e[35], black, 92);
  e[39] = e[31];
  e[50] = e[40];
  e[53] = e[38];
  e[54] = e[0];
  e[55] = e[15];
  e[56] = e[28];
  e[57] = e[38];
}

void ComputeOffice11Colors() {
  currentScheme = DetectLunaScheme();
  schemeColorsUsed = AreThemeKindsAvailable({}) && currentScheme != lsUnknown;
  TColor* e = Office11Colors;
  if (schemeColorsUsed) {
    FillScheme(e, currentScheme);
  } else {
    FillSystemFirstHalf(e);
    FillSystemSecondHalf(e);
  }
  FillCommon(e);
  Office11GradientPercent = schemeGradientPercent[schemeColorsUsed ? currentScheme : 0];
}

// Pixels of a bitmap as 32-bit values, rows top-down.
bool ReadPixels(HBITMAP bitmap, std::vector<uint32_t>& pixels, BITMAPINFO& info) {
  BITMAP bm{};
  if (!GetObjectA(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
  info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  pixels.assign(static_cast<size_t>(bm.bmWidth) * bm.bmHeight, 0);
  HDC dc = GetDC(nullptr);
  int rows = GetDIBits(dc, bitmap, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return rows == bm.bmHeight;
}

TColor PixelToColor(uint32_t p) { return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16); }
uint32_t ColorToPixel(TColor c) { return (R(c) << 16) | (G(c) << 8) | B(c); }

// Recolours the shaded pixels of the sub-menu expand picture to run from entry 2 to entry 3 by
// their red value; the background (the top-left pixel's colour) and black stay as they are.
void RecolorSubMenuExpand(HBITMAP bitmap) {
  std::vector<uint32_t> px;
  BITMAPINFO info;
  if (!ReadPixels(bitmap, px, info)) return;
  TColor a = Office11Colors[2], b = Office11Colors[3];
  if (a == b) b = a != black ? black : white;
  const uint32_t background = px[0] & 0xFFFFFF;
  auto shaded = [&](uint32_t p) { p &= 0xFFFFFF; return p != background && p != 0; };
  int least = 255, greatest = 0;
  for (uint32_t p : px)
    if (shaded(p)) least = std::min(least, R(PixelToColor(p))), greatest = std::max(greatest, R(PixelToColor(p)));
  for (uint32_t& p : px) {
    if (!shaded(p)) continue;
    int percent = greatest > least ? MulDiv(R(PixelToColor(p)) - least, 100, greatest - least) : 100;
    p = ColorToPixel(BlendColorsPercent(a, b, percent));
  }
  HDC dc = GetDC(nullptr);
  SetDIBits(dc, bitmap, 0, -info.bmiHeader.biHeight, px.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
}

HBITMAP LoadProgramBitmap(const char* name) {
  return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void CreateSchemeBrushes() {
  for (int entry : brushEntries) brushes[entry] = CreateSolidBrush(Office11Colors[entry]);
  subMenuExpandBitmap = LoadProgramBitmap("DXSUBMENUEXPAND");
  if (subMenuExpandBitmap) RecolorSubMenuExpand(subMenuExpandBitmap);
  expandButtonBitmaps[0] = LoadProgramBitmap("DXEXPANDBUTTON_MINUS");
  expandButtonBitmaps[1] = LoadProgramBitmap("DXEXPANDBUTTON_PLUS");
  Office11Colors[79] = RGB(158, 174, 191);
  Office11Colors[80] = RGB(46, 70, 95);
}

void DestroySchemeBrushes() {
  for (HBITMAP* b : {&subMenuExpandBitmap, &expandButtonBitmaps[0], &expandButtonBitmaps[1]}) {
    if (*b) DeleteObject(*b);
    *b = nullptr;
  }
  for (int entry : brushEntries) {
    if (brushes[entry]) DeleteObject(brushes[entry]);
    brushes[entry] = nullptr;
  }
}

void StartOffice11() {
  msimg32 = LoadLibraryA("msimg32.dll");
  if (msimg32)
    gradientFill = reinterpret_cast<decltype(&::GradientFill)>(
        reinterpret_cast<void*>(GetProcAddress(msimg32, "GradientFill")));
}

void StopOffice11() {
  if (acquireCount > 0) DestroySchemeBrushes();
  acquireCount = 0;
  gradientFill = nullptr;
  if (msimg32) FreeLibrary(msimg32);
  msimg32 = nullptr;
}

void FillWithColor(HDC dc, const RECT& rect, TColor color) {
  HBRUSH brush = CreateSolidBrush(ToRGB(color));
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

}  // namespace

constinit const TUnitInfo dxOffice11Unit{"dxOffice11", StartOffice11, StopOffice11};

TdxLunaScheme CurrentLunaScheme() { return currentScheme; }
bool AreLunaSchemeColorsUsed() { return schemeColorsUsed; }

TdxLunaScheme LunaSchemeFromThemeName(const std::u16string& fileName, const std::u16string& colorName,
                                      DWORD majorVersion) {
  auto upper = [](std::u16string s) {
    if (!s.empty())
      CharUpperBuffW(reinterpret_cast<WCHAR*>(s.data()), static_cast<DWORD>(s.size()));
    return s;
  };
  std::u16string file = upper(fileName.substr(fileName.find_last_of(u"\\/:") + 1));
  if (file != u"LUNA.MSSTYLES" && majorVersion <= 5) return lsUnknown;
  std::u16string color = upper(colorName);
  if (color == u"NORMALCOLOR") return lsNormalColor;
  if (color == u"HOMESTEAD") return lsHomestead;
  if (color == u"METALLIC") return lsMetallic;
  return lsUnknown;
}

TdxLunaScheme DetectLunaScheme() {
  if (!AreThemeKindsAvailable({})) return lsUnknown;
  std::u16string file(1024, u'\0'), color(1024, u'\0'), size(1024, u'\0');
  HRESULT hr = UxGetCurrentThemeName(reinterpret_cast<WCHAR*>(file.data()), 1024,
                                     reinterpret_cast<WCHAR*>(color.data()), 1024,
                                     reinterpret_cast<WCHAR*>(size.data()), 1024);
  if (FAILED(hr)) return lsUnknown;
  file.resize(file.find(u'\0'));
  color.resize(color.find(u'\0'));
  return LunaSchemeFromThemeName(file, color, WindowsMajorVersion());
}

void AcquireOffice11Colors() {
  if (acquireCount++ > 0) return;
  ComputeOffice11Colors();
  CreateSchemeBrushes();
}

void RefreshOffice11Colors() {
  ComputeOffice11Colors();
  if (acquireCount == 0) return;
  DestroySchemeBrushes();
  CreateSchemeBrushes();
}

void ReleaseOffice11Colors() {
  if (acquireCount == 0) return;
  if (--acquireCount == 0) DestroySchemeBrushes();
}

HBRUSH Office11Brush(int entry) {
  return entry >= 0 && entry < Office11ColorCount ? brushes[entry] : nullptr;
}
HBITMAP Office11SubMenuExpandBitmap() { return subMenuExpandBitmap; }
HBITMAP Office11ExpandButtonBitmap(bool plus) { return expandButtonBitmaps[plus ? 1 : 0]; }

TColor BlendColorsPercent(TColor color1, TColor color2, int percent) {
  TColor mix = PerChannel(ToRGB(color1), ToRGB(color2), [percent](int c1, int c2) {
    return std::min(MulDiv(c2, 100 - percent, 100) + MulDiv(c1, percent, 100), 255);
  });
  return NearestScreenColor(mix);
}

TColor NearestScreenColor(TColor color) {
  HDC dc = GetDC(nullptr);
  COLORREF nearest = GetNearestColor(dc, ToRGB(color));
  ReleaseDC(nullptr, dc);
  return nearest == CLR_INVALID ? ToRGB(color) : static_cast<TColor>(nearest);
}

TColor SystemColorMix(int faceP, int highlightP, int windowP) {
  const TColor face = Sys(COLOR_BTNFACE), highlight = Sys(COLOR_HIGHLIGHT), window = Sys(COLOR_WINDOW);
  if (face == black || face == white) return highlight;
  auto mix = [&](int f, int h, int w) { return MulDiv(f, faceP, 100) + MulDiv(h, highlightP, 100) + MulDiv(w, windowP, 100); };
  return MakeRGB(mix(R(face), R(highlight), R(window)), mix(G(face), G(highlight), G(window)),
                 mix(B(face), B(highlight), B(window)));
}

TColor ButtonFaceTint(bool light) {
  const TColor face = Sys(COLOR_BTNFACE);
  auto tint = [light](int c) { return light ? 128 + c * 127 / 255 : c - c * 4 / 255 + 4; };
  return NearestScreenColor(MakeRGB(tint(R(face)), tint(G(face)), tint(B(face))));
}

TColor ScaleColorChannels(TColor color, int percent) {
  TColor c = ToRGB(color);
  auto scale = [percent](int v) { return static_cast<int>(percent * v / 100.0); };
  return MakeRGB(scale(R(c)), scale(G(c)), scale(B(c)));
}

TColor FadeColorToWhite(TColor color, int percent) {
  TColor c = ToRGB(color);
  auto fade = [percent](int v) { return static_cast<int>(255 - percent / 100.0 * (255 - v)); };
  return MakeRGB(fade(R(c)), fade(G(c)), fade(B(c)));
}

bool IsBlackButtonFace() { return Sys(COLOR_BTNFACE) == black; }
bool IsWhiteButtonFace() { return Sys(COLOR_BTNFACE) == white; }
bool IsBlackButtonFaceNonWhiteText() { return IsBlackButtonFace() && Sys(COLOR_BTNTEXT) != white; }

void FillDCRectWithColor(HDC dc, const RECT& rect, TColor color) { FillWithColor(dc, rect, color); }

void FrameDCRectWithColor(HDC dc, const RECT& rect, TColor color) {
  HBRUSH brush = CreateSolidBrush(ToRGB(color));
  FrameRect(dc, &rect, brush);
  DeleteObject(brush);
}

void FillGradientRect(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal) {
  const TColor c1 = ToRGB(color1), c2 = ToRGB(color2);
  if (c1 == c2) return FillWithColor(dc, rect, c1);
  if (!gradientFill) return FillBandedGradientRect(dc, rect, c1, c2, horizontal);
  TRIVERTEX v[2] = {
      {rect.left, rect.top, static_cast<COLOR16>(R(c1) << 8), static_cast<COLOR16>(G(c1) << 8),
       static_cast<COLOR16>(B(c1) << 8), 0},
      {rect.right, rect.bottom, static_cast<COLOR16>(R(c2) << 8), static_cast<COLOR16>(G(c2) << 8),
       static_cast<COLOR16>(B(c2) << 8), 0}};
  GRADIENT_RECT gr{0, 1};
  gradientFill(dc, v, 2, &gr, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void FillBandedGradientRect(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal) {
  const TColor c1 = ToRGB(color1), c2 = ToRGB(color2);
  const int start = horizontal ? rect.left : rect.top, extent = (horizontal ? rect.right : rect.bottom) - start;
  const int n = std::min(extent, 256);
  int bandStart = start;
  for (int i = 0; i < n; ++i) {
    int bandEnd = start + MulDiv(i + 1, extent, n);
    if (bandEnd <= bandStart) continue;
    // A single band is the first colour (MulDiv by a zero divisor would answer -1).
    TColor color = n == 1 ? c1 : PerChannel(c1, c2, [i, n](int a, int b) { return a + MulDiv(i, b - a, n - 1); });
    RECT band = horizontal ? RECT{bandStart, rect.top, bandEnd, rect.bottom}
                           : RECT{rect.left, bandStart, rect.right, bandEnd};
    FillWithColor(dc, band, color);
    bandStart = bandEnd;
    if (bandEnd >= start + extent) break;
  }
}

TColor GradientColorAt(const RECT& rect, int position, TColor color1, TColor color2, bool horizontal) {
  const TColor c1 = ToRGB(color1), c2 = ToRGB(color2);
  const int start = horizontal ? rect.left : rect.top, extent = (horizontal ? rect.right : rect.bottom) - start;
  const int n = std::min(extent, 256);
  if (n <= 1) return c1;
  // The band the fill puts at this position: band i covers MulDiv(i, extent, n) up to MulDiv(i + 1, ...).
  const int offset = position - start;
  int band = std::clamp(MulDiv(offset + 1, n, extent) - 1, 0, n - 1);
  while (band + 1 < n && MulDiv(band + 1, extent, n) <= offset) ++band;
  while (band > 0 && MulDiv(band, extent, n) > offset) --band;
  return PerChannel(c1, c2, [band, n](int a, int b) { return a + MulDiv(band, b - a, n - 1); });
}

void FillTwoPhaseGradientRect(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal) {
  const TColor c1 = ToRGB(color1), c2 = ToRGB(color2);
  if (c1 == c2) return FillWithColor(dc, rect, c1);
  const int start = horizontal ? rect.left : rect.top, e = (horizontal ? rect.right : rect.bottom) - start;
  const int h = e / 2, p = Office11GradientPercent;
  if (e <= 0) return;
  auto middle = [p](int a, int b) { return a - MulDiv(a - b, p, 200); };
  const TColor m = PerChannel(c1, c2, middle);
  // Where the first slope would end, and where the second one would start.
  const TColor f = h > 0 ? PerChannel(c1, m, [e, h](int a, int mm) { return a - MulDiv(a - mm, e, h); }) : m;
  const TColor s = h > 0 ? PerChannel(c2, m, [e, h](int b, int mm) { return b + MulDiv(mm - b, e, h); }) : m;
  for (int i = 0; i < e; ++i) {
    TColor color = m;
    if (i < h) color = PerChannel(c1, f, [i, e](int a, int ff) { return a + MulDiv(i, ff - a, e - 1); });
    if (i > h) color = PerChannel(s, c2, [i, e](int ss, int b) { return ss + MulDiv(i, b - ss, e - 1); });
    RECT line = horizontal ? RECT{start + i, rect.top, start + i + 1, rect.bottom}
                           : RECT{rect.left, start + i, rect.right, start + i + 1};
    FillWithColor(dc, line, color);
  }
}

void FrameHighlightRect(HDC dc, const RECT& rect) {
  if (IsBlackButtonFace() || IsBlackButtonFaceNonWhiteText())
    return FrameDCRectWithColor(dc, rect, Sys(COLOR_HIGHLIGHTTEXT));
  if (brushes[41])
    FrameRect(dc, &rect, brushes[41]);
  else
    FrameDCRectWithColor(dc, rect, Office11Colors[41]);
}

void PaintGripDots(HDC dc, const RECT& rect, bool vertical, HBRUSH darkBrush, HBRUSH lightBrush) {
  HBRUSH dark = darkBrush ? darkBrush : brushes[18], light = lightBrush ? lightBrush : brushes[19];
  HBRUSH ownDark = dark ? nullptr : CreateSolidBrush(Office11Colors[18]);
  HBRUSH ownLight = light ? nullptr : CreateSolidBrush(Office11Colors[19]);
  if (ownDark) dark = ownDark;
  if (ownLight) light = ownLight;
  const int extent = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  const int shift = (extent % 4 == 2 || extent % 4 == 3) ? 1 : 0;
  RECT cell{rect.left, rect.top, rect.left + 4, rect.top + 4};
  OffsetRect(&cell, vertical ? 0 : shift, vertical ? shift : 0);
  while (vertical ? cell.bottom <= rect.bottom : cell.right <= rect.right) {
    RECT dot = cell;
    InflateRect(&dot, -1, -1);
    FillRect(dc, &dot, light);
    OffsetRect(&dot, -1, -1);
    FillRect(dc, &dot, dark);
    OffsetRect(&cell, vertical ? 0 : 4, vertical ? 4 : 0);
  }
  if (ownDark) DeleteObject(ownDark);
  if (ownLight) DeleteObject(ownLight);
}

void PaintSizeGripDots(HDC dc, const RECT& rect, TColor darkColor, TColor lightColor) {
  HBRUSH dark = darkColor == clDefault ? nullptr : CreateSolidBrush(ToRGB(darkColor));
  HBRUSH light = lightColor == clDefault ? nullptr : CreateSolidBrush(ToRGB(lightColor));
  RECT row{rect.right - 12, rect.bottom - 3, rect.right, rect.bottom};
  for (int i = 0; i < 3; ++i) {
    PaintGripDots(dc, row, false, dark, light);
    row.left += 4;
    OffsetRect(&row, 0, -4);
  }
  if (dark) DeleteObject(dark);
  if (light) DeleteObject(light);
}

void PaintOffice11Arrow(HDC dc, const RECT& rect, bool down, bool enabled, bool selected, bool) {
  const int f = down ? rect.right - rect.left - 8 : rect.bottom - rect.top - 6;
  const int s = std::max((f - 1) / 2 + (f % 2 != 0 ? 1 : 0), 3);
  POINT p[3];
  if (down) {
    const int x0 = (rect.left + rect.right - 2 * s + 1) / 2, y0 = (rect.top + rect.bottom - s) / 2;
    p[0] = {x0, y0}, p[1] = {x0 + 2 * s - 2, y0}, p[2] = {x0 + s - 1, y0 + s - 1};
  } else {
    const int x0 = (rect.left + rect.right - s) / 2, y0 = (rect.top + rect.bottom - 2 * s + 1) / 2;
    p[0] = {x0, y0}, p[1] = {x0, y0 + 2 * s - 2}, p[2] = {x0 + s - 1, y0 + s - 1};
  }
  TColor color = !enabled ? Office11Colors[52] : (selected && IsWhiteButtonFace() ? white : Office11Colors[51]);
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HBRUSH brush = CreateSolidBrush(color);
  HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
  Polygon(dc, p, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}
