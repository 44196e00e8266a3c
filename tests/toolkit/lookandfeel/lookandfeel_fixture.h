// Shared by the look-and-feel tests: starts the modules in their start-up order once per process,
// and offers small helpers for the hidden windows and for fake visual-styles functions.
#pragma once
#include <string>
#include <vector>

#include "System.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

inline void StartLookAndFeelUnits() { StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit}); }

struct TFoundWindow {
  const char* ClassName;
  HWND Window;
};
inline BOOL CALLBACK FindThreadWindowProc(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<TFoundWindow*>(data);
  char name[128] = {};
  GetClassNameA(window, name, sizeof(name));
  if (std::string(name) != found->ClassName) return TRUE;
  found->Window = window;
  return FALSE;
}
// The hidden window of the given class that this thread created.
inline HWND FindThreadWindow(const char* className) {
  TFoundWindow found{className, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindThreadWindowProc, reinterpret_cast<LPARAM>(&found));
  return found.Window;
}

// Restores the bound visual-styles functions when a test has replaced some with fakes.
class TUxThemeFunctionsSaver {
 public:
  TUxThemeFunctionsSaver() : saved_(UxThemeFunctions) {}
  ~TUxThemeFunctionsSaver() { UxThemeFunctions = saved_; }

 private:
  TdxUxThemeFunctions saved_;
};

inline std::u16string Wide(const WCHAR* s) { return reinterpret_cast<const char16_t*>(s); }
