#include "NxThemesSupport.h"

#include <uxtheme.h>

#include "System.h"

namespace {

using TOpenThemeData = HTHEME(WINAPI*)(HWND, LPCWSTR);
using TCloseThemeData = HRESULT(WINAPI*)(HTHEME);
using TDrawThemeBackground = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
using TIsThemeActive = BOOL(WINAPI*)();
using TIsAppThemed = BOOL(WINAPI*)();

struct TThemeLibrary {
  HMODULE Module = nullptr;
  TOpenThemeData OpenThemeData = nullptr;
  TCloseThemeData CloseThemeData = nullptr;
  TDrawThemeBackground DrawThemeBackground = nullptr;
  FARPROC DrawThemeEdge = nullptr;
  FARPROC GetThemeSysSize = nullptr;
  TIsThemeActive IsThemeActive = nullptr;
  TIsAppThemed IsAppThemed = nullptr;
};
TThemeLibrary Library;

template <class F> F Lookup(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Library.Module, name)));
}

}  // namespace

void BindThemeLibrary() {
  if (Library.Module) return;
  Library.Module = LoadLibraryA("uxtheme.dll");
  if (!Library.Module) return;
  Library.OpenThemeData = Lookup<TOpenThemeData>("OpenThemeData");
  Library.CloseThemeData = Lookup<TCloseThemeData>("CloseThemeData");
  Library.DrawThemeBackground = Lookup<TDrawThemeBackground>("DrawThemeBackground");
  Library.DrawThemeEdge = Lookup<FARPROC>("DrawThemeEdge");
  Library.GetThemeSysSize = Lookup<FARPROC>("GetThemeSysSize");
  Library.IsThemeActive = Lookup<TIsThemeActive>("IsThemeActive");
  Library.IsAppThemed = Lookup<TIsAppThemed>("IsAppThemed");
}

bool ThemesAvailable() {
  try {
    if (!Library.Module) return false;
    if (!Library.IsAppThemed || !Library.IsThemeActive)
      throw Exception("an entry point of the visual-styles library is missing");
    return Library.IsAppThemed() && Library.IsThemeActive();
  } catch (...) {
    throw Exception("Error in Themes");
  }
}

void DrawThemeElement(HWND window, HDC dc, const TRect& rect, const std::u16string& className, int partId,
                   int stateId) {
  if (!Library.OpenThemeData || !Library.DrawThemeBackground || !Library.CloseThemeData) return;
  HTHEME theme = Library.OpenThemeData(window, reinterpret_cast<LPCWSTR>(className.c_str()));
  if (!theme) return;
  RECT r = *rect.Win();
  Library.DrawThemeBackground(theme, dc, partId, stateId, &r, nullptr);
  Library.CloseThemeData(theme);
}
