#include "dxGDIPlusAPI.h"

#include <algorithm>
#include <new>

#include "SysUtils.h"

using namespace Gdiplus;

TdxGdiPlusFunctions GdiPlusFunctions{};

CALDERAN_IMPLEMENT_CLASS(TdxGPBase, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxUnitsLoader, TObject)

namespace {

struct TGdiPlusBinding {
  HMODULE Library = nullptr;
  bool Available = false;
  ULONG_PTR StartupToken = 0;
  ULONG_PTR HookToken = 0;
  GdiplusStartupOutput StartupOutput{};
  CLSID PngEncoder{};
};
TGdiPlusBinding Binding;

TdxUnitsLoader* UnitsLoader = nullptr;

const char* const FunctionNames[] = {
#define DX_GDIPLUS_NAME(name) #name,
    DX_GDIPLUS_FUNCTIONS(DX_GDIPLUS_NAME)
#undef DX_GDIPLUS_NAME
};
static_assert(std::size(FunctionNames) == GdiPlusFunctionCount);

// The pointers in binding order, over the struct of same-typed members.
FARPROC* FunctionSlots() { return reinterpret_cast<FARPROC*>(&GdiPlusFunctions); }

// Binds the entries in order and stops at the first missing one (the rest stay null).
bool BindFunctions(HMODULE library) {
  GdiPlusFunctions = {};
  for (int i = 0; i < GdiPlusFunctionCount; ++i) {
    FARPROC entry = GetProcAddress(library, FunctionNames[i]);
    if (!entry) return false;
    FunctionSlots()[i] = entry;
  }
  return true;
}

bool StartGdiPlus() {
  GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = TRUE;
  input.SuppressExternalCodecs = FALSE;
  Binding.StartupOutput = {};
  bool started = GdiPlusFunctions.GdiplusStartup(&Binding.StartupToken, &input, &Binding.StartupOutput) == Ok &&
                 Binding.StartupOutput.NotificationHook &&
                 Binding.StartupOutput.NotificationHook(&Binding.HookToken) == Ok;
  if (!started) Binding.StartupOutput = {};
  return started;
}

void MarkGdiPlusNotLoaded() { Binding.Available = false; }

void FailGdiPlusAssertion() {
  throw EAssertionFailed(Format("%s (%s, line %d)", {"Invalid operation in GDI+", "dxGDIPlusApi", 1001}));
}

void StartGdiPlusUnit() { GetUnitsLoader()->Add(MarkGdiPlusNotLoaded, ShutdownGdiPlus); }

void StopGdiPlusUnit() {
  delete UnitsLoader;
  UnitsLoader = nullptr;
}

}  // namespace

void LoadGdiPlus() {
  if (Binding.Available) return;
  if (!Binding.Library) {
    UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    Binding.Library = LoadLibraryA("gdiplus.dll");
    SetErrorMode(oldMode);
  }
  if (!Binding.Library) return;
  Binding.Available = BindFunctions(Binding.Library) && StartGdiPlus();
}

bool IsGdiPlusAvailable() {
  if (!Binding.Available) LoadGdiPlus();
  return Binding.Available;
}

void ShutdownGdiPlus() {
  if (Binding.Available) {
    if (Binding.StartupOutput.NotificationUnhook) Binding.StartupOutput.NotificationUnhook(Binding.HookToken);
    GdiPlusFunctions.GdiplusShutdown(Binding.StartupToken);
    Binding.StartupOutput = {};
    Binding.StartupToken = Binding.HookToken = 0;
  }
  if (Binding.Library) FreeLibrary(Binding.Library);
  Binding.Library = nullptr;
  Binding.Available = false;
  Binding.PngEncoder = {};
  GdiPlusFunctions = {};
}

void CheckGdiPlusStatus(GpStatus status) {
  if (status != Ok) FailGdiPlusAssertion();
}

void CheckGdiPlusSuccess(bool ok) {
  if (!ok) FailGdiPlusAssertion();
}

int FindEncoderId(const std::string& mimeType, CLSID& clsid) {
  if (!IsGdiPlusAvailable()) return 1;
  UINT count = 0, size = 0;
  if (GdiPlusFunctions.GdipGetImageEncodersSize(&count, &size) != Ok || size == 0) return 1;
  std::vector<unsigned char> block(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(block.data());
  if (GdiPlusFunctions.GdipGetImageEncoders(count, size, codecs) != Ok) return 1;
  std::u16string wanted = AnsiToWide(mimeType);
  for (UINT i = 0; i < count; ++i)
    if (codecs[i].MimeType && lstrcmpiW(codecs[i].MimeType, reinterpret_cast<const WCHAR*>(wanted.c_str())) == 0) {
      clsid = codecs[i].Clsid;
      return 0;
    }
  return 1;
}

void EnsurePngEncoder() {
  const CLSID& id = Binding.PngEncoder;
  if (id.Data1 == 0 && id.Data2 == 0 && id.Data3 == 0) FindEncoderId("image/png", Binding.PngEncoder);
}

const CLSID& PngEncoderId() { return Binding.PngEncoder; }

// ---------------------------------------------------------------------------------------------

void* TdxGPBase::operator new(size_t size) {
  void* block = GdiPlusFunctions.GdipAlloc ? GdiPlusFunctions.GdipAlloc(size) : nullptr;
  if (!block) throw std::bad_alloc();
  return block;
}

void TdxGPBase::operator delete(void* block) {
  if (block && GdiPlusFunctions.GdipFree) GdiPlusFunctions.GdipFree(block);
}

void TdxUnitsLoader::Add(TdxUnitProc startProc, TdxUnitProc finishProc) {
  if (startProc) {
    startProc();
    started_ = true;
  }
  if (finishProc) finishProcs_.push_back(finishProc);
}

void TdxUnitsLoader::Remove(TdxUnitProc finishProc) {
  auto found = std::find(finishProcs_.begin(), finishProcs_.end(), finishProc);
  if (found == finishProcs_.end()) return;
  finishProcs_.erase(found);
  finishProc();
}

void TdxUnitsLoader::RunFinishProcs() {
  if (started_)
    // A finish procedure may remove others meanwhile, so the list is read afresh each time.
    while (!finishProcs_.empty()) {
      TdxUnitProc proc = finishProcs_.back();
      finishProcs_.pop_back();
      proc();
    }
  started_ = false;
  finishProcs_.clear();
}

TdxUnitsLoader* GetUnitsLoader() {
  if (!UnitsLoader) UnitsLoader = new TdxUnitsLoader();
  return UnitsLoader;
}

const TUnitInfo dxGDIPlusAPIUnit{"dxGDIPlusAPI", StartGdiPlusUnit, StopGdiPlusUnit};
