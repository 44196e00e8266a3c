// The Office-2003 colour set, computed once for the process: from a built-in table when the active
// visual style is one of the three recognised colour schemes, else from the system colours by fixed
// blend percentages. Also the solid brushes and recoloured bitmaps of that set, colour arithmetic and
// gradient fills shared by the painters. Recomputed when the system colours change.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "Graphics.h"
#include "System.h"

extern const TUnitInfo dxOffice11Unit;

// 0 none, 1 blue, 2 olive, 3 silver.
enum TdxLunaScheme : uint8_t { lsUnknown, lsNormalColor, lsHomestead, lsMetallic };

constexpr int Office11ColorCount = 81;
extern TColor Office11Colors[Office11ColorCount];  // RGB values, filled by the colour computation
extern int Office11GradientPercent;                // the bend of two-phase gradients

TdxLunaScheme CurrentLunaScheme();
bool AreLunaSchemeColorsUsed();
// The scheme a visual style selects, from its file name, colour name and the Windows major version.
TdxLunaScheme LunaSchemeFromThemeName(const std::u16string& fileName, const std::u16string& colorName,
                                      DWORD majorVersion);
// Reads the active visual style's names; lsUnknown without visual styles.
TdxLunaScheme DetectLunaScheme();

// Life cycle of the brushes and bitmaps: the first acquire computes the colours and creates them,
// the last release frees them; a refresh recomputes (and recreates what is acquired).
void AcquireOffice11Colors();
void RefreshOffice11Colors();
void ReleaseOffice11Colors();
// The solid brush of a colour entry (entries 18, 19, 20, 21, 31, 38, 40, 41, 46, 47, 48, 49, 55);
// 0 for other entries and while nothing is acquired.
HBRUSH Office11Brush(int entry);
HBITMAP Office11SubMenuExpandBitmap();
HBITMAP Office11ExpandButtonBitmap(bool plus);

// Colour arithmetic; system colours are resolved to their current RGB value first.
TColor BlendColorsPercent(TColor color1, TColor color2, int percent);
TColor NearestScreenColor(TColor color);
TColor SystemColorMix(int faceP, int highlightP, int windowP);
TColor ButtonFaceTint(bool light);
TColor ScaleColorChannels(TColor color, int percent);
TColor FadeColorToWhite(TColor color, int percent);
bool IsBlackButtonFace();
bool IsWhiteButtonFace();
bool IsBlackButtonFaceNonWhiteText();

void FillDCRectWithColor(HDC dc, const RECT& rect, TColor color);
void FrameDCRectWithColor(HDC dc, const RECT& rect, TColor color);
// A platform gradient when msimg32 offers one, else the banded fill below.
void FillGradientRect(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal);
// At most 256 solid bands from color1 to color2.
void FillBandedGradientRect(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal);
// The colour the banded fill gives at a position.
TColor GradientColorAt(const RECT& rect, int position, TColor color1, TColor color2, bool horizontal);
void FillTwoPhaseGradientRect(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal);
void FrameHighlightRect(HDC dc, const RECT& rect);
void PaintGripDots(HDC dc, const RECT& rect, bool vertical, HBRUSH darkBrush = nullptr, HBRUSH lightBrush = nullptr);
void PaintSizeGripDots(HDC dc, const RECT& rect, TColor darkColor, TColor lightColor);
void PaintOffice11Arrow(HDC dc, const RECT& rect, bool down, bool enabled, bool selected, bool unused = false);
