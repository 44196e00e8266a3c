#include "dxUxTheme.h"

#include "cxGraphicsRoutines.h"

TdxUxThemeFunctions UxThemeFunctions{};

namespace {

HMODULE library = nullptr;
bool winXPOrNewer = false;
DWORD majorVersion = 0;

template <class F, class R, class... A> R CallBound(F function, R failure, A... args) {
  return function ? function(args...) : failure;
}

void StartUxTheme() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);  // 148 bytes: the record without the service-pack fields
  if (!GetVersionExA(&version)) version = {};
  majorVersion = version.dwMajorVersion;
  winXPOrNewer = DetectWinXPOrNewer(version);
  InitCommonControls();
  library = LoadVisualStylesLibrary(winXPOrNewer);
  BindVisualStylesFunctions(library);
  // The graphics routines below this layer draw themed parent backgrounds through it.
  SetDrawThemeParentBackgroundProc(library ? UxDrawThemeParentBackground : nullptr);
}

void StopUxTheme() {
  SetDrawThemeParentBackgroundProc(nullptr);
  BindVisualStylesFunctions(nullptr);
  if (library) FreeLibrary(library);
  library = nullptr;
}

}  // namespace

constinit const TUnitInfo dxUxThemeUnit{"dxUxTheme", StartUxTheme, StopUxTheme};

bool IsVisualStylesLibraryLoaded() { return library != nullptr; }
bool IsWinXPOrNewer() { return winXPOrNewer; }
DWORD WindowsMajorVersion() { return majorVersion; }

bool DetectWinXPOrNewer(const OSVERSIONINFOA& version) {
  return version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion != 0);
}

HMODULE LoadVisualStylesLibrary(bool winXPOrNewer) {
  return winXPOrNewer ? LoadLibraryA("UxTheme.dll") : nullptr;
}

void BindVisualStylesFunctions(HMODULE module) {
#define DX_UXTHEME_BIND(name) \
  UxThemeFunctions.name =     \
      module ? reinterpret_cast<decltype(&::name)>(reinterpret_cast<void*>(GetProcAddress(module, #name))) : nullptr;
  DX_UXTHEME_FUNCTIONS(DX_UXTHEME_BIND)
#undef DX_UXTHEME_BIND
}

HTHEME UxOpenThemeData(HWND window, const WCHAR* classList) {
  return CallBound(UxThemeFunctions.OpenThemeData, HTHEME(nullptr), window, classList);
}

HRESULT UxCloseThemeData(HTHEME theme) { return CallBound(UxThemeFunctions.CloseThemeData, E_NOTIMPL, theme); }

HRESULT UxDrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clipRect) {
  return CallBound(UxThemeFunctions.DrawThemeBackground, E_NOTIMPL, theme, dc, part, state, rect, clipRect);
}

HRESULT UxDrawThemeBackgroundInRect(HTHEME theme, HDC dc, int part, int state, const RECT& rect,
                                    const RECT* clipRect) {
  return UxDrawThemeBackground(theme, dc, part, state, &rect, clipRect);
}

HRESULT UxDrawThemeText(HTHEME theme, HDC dc, int part, int state, const WCHAR* text, int charCount,
                        DWORD flags, DWORD flags2, const RECT* rect) {
  return CallBound(UxThemeFunctions.DrawThemeText, E_NOTIMPL, theme, dc, part, state, text, charCount, flags,
                   flags2, rect);
}

HRESULT UxDrawThemeTextAnsi(HTHEME theme, HDC dc, int part, int state, const std::string& text, int charCount,
                            DWORD flags, DWORD flags2, const RECT* rect) {
  std::u16string wide(text.size(), u'\0');
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                              reinterpret_cast<WCHAR*>(wide.data()), static_cast<int>(wide.size()));
  wide.resize(n > 0 ? n : 0);
  if (charCount > static_cast<int>(wide.size())) charCount = static_cast<int>(wide.size());
  return UxDrawThemeText(theme, dc, part, state, reinterpret_cast<const WCHAR*>(wide.c_str()), charCount, flags,
                         flags2, rect);
}

HRESULT UxDrawThemeTextEx(HTHEME theme, HDC dc, int part, int state, const WCHAR* text, int charCount,
                          DWORD flags, RECT* rect, const DTTOPTS* options) {
  // A copy of our own: with DT_MODIFYSTRING the library writes into the text.
  std::u16string copy = charCount < 0 ? std::u16string(reinterpret_cast<const char16_t*>(text))
                                      : std::u16string(reinterpret_cast<const char16_t*>(text), charCount);
  return CallBound(UxThemeFunctions.DrawThemeTextEx, E_NOTIMPL, theme, dc, part, state,
                   reinterpret_cast<const WCHAR*>(copy.c_str()), charCount, flags, rect, options);
}

HRESULT UxGetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* boundingRect,
                                        RECT* contentRect) {
  return CallBound(UxThemeFunctions.GetThemeBackgroundContentRect, E_NOTIMPL, theme, dc, part, state,
                   boundingRect, contentRect);
}

HRESULT UxGetThemePartSize(HTHEME theme, HDC dc, int part, int state, RECT* rect, THEMESIZE kind, SIZE* size) {
  return CallBound(UxThemeFunctions.GetThemePartSize, E_NOTIMPL, theme, dc, part, state, rect, kind, size);
}

HRESULT UxGetThemePartSizeNoRect(HTHEME theme, HDC dc, int part, int state, THEMESIZE kind, SIZE* size) {
  return UxGetThemePartSize(theme, dc, part, state, nullptr, kind, size);
}

HRESULT UxGetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region) {
  return CallBound(UxThemeFunctions.GetThemeBackgroundRegion, E_NOTIMPL, theme, dc, part, state, rect, region);
}

HRESULT UxDrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* destRect, UINT edge, UINT flags,
                        RECT* contentRect) {
  return CallBound(UxThemeFunctions.DrawThemeEdge, E_NOTIMPL, theme, dc, part, state, destRect, edge, flags,
                   contentRect);
}

BOOL UxIsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state) {
  return CallBound(UxThemeFunctions.IsThemeBackgroundPartiallyTransparent, BOOL(FALSE), theme, part, state);
}

HRESULT UxDrawThemeParentBackground(HWND window, HDC dc, const RECT* rect) {
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  HRESULT result = CallBound(UxThemeFunctions.DrawThemeParentBackground, E_NOTIMPL, window, dc,
                             const_cast<RECT*>(rect));
  if (font) SelectObject(dc, font);
  return result;
}

HRESULT UxGetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color) {
  return CallBound(UxThemeFunctions.GetThemeColor, E_NOTIMPL, theme, part, state, property, color);
}

BOOL UxIsThemeActive() { return CallBound(UxThemeFunctions.IsThemeActive, BOOL(FALSE)); }

HRESULT UxGetCurrentThemeName(WCHAR* fileName, int fileNameLength, WCHAR* colorName, int colorNameLength,
                              WCHAR* sizeName, int sizeNameLength) {
  return CallBound(UxThemeFunctions.GetCurrentThemeName, E_NOTIMPL, fileName, fileNameLength, colorName,
                   colorNameLength, sizeName, sizeNameLength);
}

HRESULT UxBufferedPaintInit() {
  return majorVersion >= 6 ? CallBound(UxThemeFunctions.BufferedPaintInit, E_NOTIMPL) : E_NOTIMPL;
}

HRESULT UxBufferedPaintUnInit() {
  return majorVersion >= 6 ? CallBound(UxThemeFunctions.BufferedPaintUnInit, E_NOTIMPL) : E_NOTIMPL;
}

HPAINTBUFFER UxBeginBufferedPaint(HDC target, const RECT* rect, BP_BUFFERFORMAT format, BP_PAINTPARAMS* params,
                                  HDC* bufferDC) {
  return CallBound(UxThemeFunctions.BeginBufferedPaint, HPAINTBUFFER(nullptr), target, rect, format, params,
                   bufferDC);
}

HRESULT UxEndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget) {
  return CallBound(UxThemeFunctions.EndBufferedPaint, E_NOTIMPL, buffer, updateTarget);
}

HRESULT UxBufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha) {
  return CallBound(UxThemeFunctions.BufferedPaintSetAlpha, E_NOTIMPL, buffer, rect, alpha);
}
