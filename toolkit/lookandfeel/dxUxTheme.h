// Binding of the visual-styles library, loaded at run time so that the program runs unchanged where
// the library is missing. Every other module reaches the library through the wrappers below and asks
// the theme manager (dxThemeManager.h) whether visual styles may be used at all.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include <string>

#include "System.h"

// The library's functions, in binding order. Each pointer is null when the library is not loaded or
// does not export that name.
#define DX_UXTHEME_FUNCTIONS(X)                                                                   \
  X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeEdge) X(DrawThemeIcon)                      \
  X(DrawThemeParentBackground) X(DrawThemeText) X(DrawThemeTextEx) X(EnableThemeDialogTexture)    \
  X(GetCurrentThemeName) X(GetThemeAppProperties) X(GetThemeBackgroundContentRect)                \
  X(GetThemeBackgroundRegion) X(GetThemeBackgroundExtent) X(GetThemeBool) X(GetThemeColor)        \
  X(GetThemeDocumentationProperty) X(GetThemeEnumValue) X(GetThemeFilename) X(GetThemeFont)       \
  X(GetThemeInt) X(GetThemeIntList) X(GetThemeMargins) X(GetThemeMetric) X(GetThemePartSize)      \
  X(GetThemePosition) X(GetThemePropertyOrigin) X(GetThemeRect) X(GetThemeString)                \
  X(GetThemeSysBool) X(GetThemeSysColor) X(GetThemeSysColorBrush) X(GetThemeSysFont)              \
  X(GetThemeSysInt) X(GetThemeSysSize) X(GetThemeSysString) X(GetThemeTextExtent)                \
  X(GetThemeTextMetrics) X(GetWindowTheme) X(HitTestThemeBackground) X(IsAppThemed)              \
  X(IsThemeActive) X(IsThemePartDefined) X(IsThemeBackgroundPartiallyTransparent)                 \
  X(IsThemeDialogTextureEnabled) X(OpenThemeData) X(SetThemeAppProperties) X(SetWindowTheme)      \
  X(BufferedPaintInit) X(BufferedPaintUnInit) X(BeginBufferedPaint) X(EndBufferedPaint)           \
  X(BufferedPaintSetAlpha)

struct TdxUxThemeFunctions {
#define DX_UXTHEME_POINTER(name) decltype(&::name) name;
  DX_UXTHEME_FUNCTIONS(DX_UXTHEME_POINTER)
#undef DX_UXTHEME_POINTER
};

// The bound entry points (all null until the unit has started on a system with the library).
extern TdxUxThemeFunctions UxThemeFunctions;

extern const TUnitInfo dxUxThemeUnit;

bool IsVisualStylesLibraryLoaded();
bool IsWinXPOrNewer();
// The major version of Windows read at start-up (0 before).
DWORD WindowsMajorVersion();

// The version rule: newer than Windows 2000 (major above 5, or 5 with a minor other than 0).
bool DetectWinXPOrNewer(const OSVERSIONINFOA& version);
// Loads the library only on Windows XP or newer; returns 0 otherwise or when the load fails.
HMODULE LoadVisualStylesLibrary(bool winXPOrNewer);
// Binds every function by name; a missing name leaves its pointer null. A 0 module unbinds all.
void BindVisualStylesFunctions(HMODULE library);

// Wrappers: each forwards to the bound function. A wrapper whose function is not bound answers a
// failure (E_NOTIMPL, 0 or FALSE) instead of calling through a null pointer.
HTHEME UxOpenThemeData(HWND window, const WCHAR* classList);
HRESULT UxCloseThemeData(HTHEME theme);
HRESULT UxDrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clipRect);
HRESULT UxDrawThemeBackgroundInRect(HTHEME theme, HDC dc, int part, int state, const RECT& rect,
                                    const RECT* clipRect);
HRESULT UxDrawThemeText(HTHEME theme, HDC dc, int part, int state, const WCHAR* text, int charCount,
                        DWORD flags, DWORD flags2, const RECT* rect);
HRESULT UxDrawThemeTextAnsi(HTHEME theme, HDC dc, int part, int state, const std::string& text, int charCount,
                            DWORD flags, DWORD flags2, const RECT* rect);
HRESULT UxDrawThemeTextEx(HTHEME theme, HDC dc, int part, int state, const WCHAR* text, int charCount,
                          DWORD flags, RECT* rect, const DTTOPTS* options);
HRESULT UxGetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* boundingRect,
                                        RECT* contentRect);
HRESULT UxGetThemePartSize(HTHEME theme, HDC dc, int part, int state, RECT* rect, THEMESIZE kind, SIZE* size);
HRESULT UxGetThemePartSizeNoRect(HTHEME theme, HDC dc, int part, int state, THEMESIZE kind, SIZE* size);
HRESULT UxGetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region);
HRESULT UxDrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* destRect, UINT edge, UINT flags,
                        RECT* contentRect);
BOOL UxIsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
// Keeps the font selected into the DC across the call (the parent's painting may select another).
HRESULT UxDrawThemeParentBackground(HWND window, HDC dc, const RECT* rect);
HRESULT UxGetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color);
BOOL UxIsThemeActive();
HRESULT UxGetCurrentThemeName(WCHAR* fileName, int fileNameLength, WCHAR* colorName, int colorNameLength,
                              WCHAR* sizeName, int sizeNameLength);
// Buffered painting exists from Windows major version 6 on; below it these do nothing.
HRESULT UxBufferedPaintInit();
HRESULT UxBufferedPaintUnInit();
HPAINTBUFFER UxBeginBufferedPaint(HDC target, const RECT* rect, BP_BUFFERFORMAT format, BP_PAINTPARAMS* params,
                                  HDC* bufferDC);
HRESULT UxEndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget);
HRESULT UxBufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha);
