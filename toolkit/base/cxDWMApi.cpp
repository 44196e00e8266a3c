#include "cxDWMApi.h"

namespace {

using TDwmIsCompositionEnabled = HRESULT(WINAPI*)(BOOL* enabled);

HMODULE dwmLibrary = nullptr;
bool available = false;
TDwmIsCompositionEnabled isCompositionEnabled = nullptr;

DWORD SystemMajorVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  return GetVersionExA(&info) ? info.dwMajorVersion : 0;
}

void StartDWMApi() { LoadDWMApi(SystemMajorVersion()); }

}  // namespace

constinit const TUnitInfo cxDWMApiUnit{"cxDWMApi", StartDWMApi, UnloadDWMApi};

void LoadDWMApi(DWORD majorVersion) {
  UnloadDWMApi();
  if (majorVersion < 6) return;
  dwmLibrary = LoadLibraryA("dwmapi.dll");
  if (!dwmLibrary) return;
  isCompositionEnabled =
      reinterpret_cast<TDwmIsCompositionEnabled>(GetProcAddress(dwmLibrary, "DwmIsCompositionEnabled"));
  available = true;
}

void UnloadDWMApi() {
  if (dwmLibrary) FreeLibrary(dwmLibrary);
  dwmLibrary = nullptr;
  isCompositionEnabled = nullptr;
  available = false;
}

bool IsCompositionAvailable() { return available; }

// The query's result code is not looked at: a failing query leaves the answer false.
bool IsCompositionEnabled() {
  if (!available || !isCompositionEnabled) return false;
  BOOL enabled = FALSE;
  isCompositionEnabled(&enabled);
  return enabled != FALSE;
}
