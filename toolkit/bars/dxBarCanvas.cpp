#include "dxBarCanvas.h"

#include "SysUtils.h"
#include "Threads.h"
#include "dxBarItemRegistry.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarCanvas, TcxCanvas)
CALDERAN_IMPLEMENT_CLASS(TdxBarSystemController, TcxMessageWindow)
CALDERAN_IMPLEMENT_CLASS(TdxBarKeyTipData, TObject)

namespace {
TdxBarCanvas* barCanvas = nullptr;
TdxBarSystemController* installedController = nullptr;
TdxBarSystemController* barSystemController = nullptr;
}  // namespace

// ---------------------------------------------------------------------------------------------
TdxBarCanvas::TdxBarCanvas() : TcxCanvas(new TCanvas), ownCanvas_(Canvas()) {}

TdxBarCanvas::~TdxBarCanvas() { delete ownCanvas_; }

void TdxBarCanvas::BeginPaintDC(HDC dc) {
  TState state;
  if (ownCanvas_->HandleAllocated()) {
    SaveState();
    state.PrevHandle = ownCanvas_->Handle();
  }
  state.DC = dc;
  state.SavedDC = ::SaveDC(dc);
  states_.push_back(state);
  ownCanvas_->SetHandle(dc);
  ++depth_;
}

void TdxBarCanvas::BeginPaintCanvas(TCanvas* canvas) {
  TState state;
  state.Canvas = Canvas();
  states_.push_back(state);
  SetCanvas(canvas);
  SaveClipRegion();
  SaveState();
  ++depth_;
}

void TdxBarCanvas::EndPaint() {
  if (depth_ == 0) return;
  const TState state = states_.back();
  states_.pop_back();
  --depth_;
  if (state.Canvas) {
    RestoreState();
    RestoreClipRegion();
    SetCanvas(state.Canvas);
    return;
  }
  ownCanvas_->SetHandle(state.PrevHandle);
  ::RestoreDC(state.DC, state.SavedDC);
  if (ownCanvas_->HandleAllocated()) RestoreState();
}

TdxBarCanvas* BarCanvas() {
  if (!barCanvas && !IsBarUnitFinalizing()) barCanvas = new TdxBarCanvas;
  return barCanvas;
}

void FreeBarCanvas() {
  delete barCanvas;
  barCanvas = nullptr;
}

// ---------------------------------------------------------------------------------------------
bool IsBarSystemInLibrary() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&IsBarSystemInLibrary), &module);
  return module && module != GetModuleHandleA(nullptr);
}

TdxBarSystemController::TdxBarSystemController(bool inLibrary) : inLibrary_(inLibrary) {
  if (!inLibrary_) return;
  prevWakeMainThread_ = WakeMainThread;
  prevController_ = installedController;
  installedController = this;
  WakeMainThread = &TdxBarSystemController::WakeMainThreadHandler;
}

TdxBarSystemController::~TdxBarSystemController() {
  if (!inLibrary_) return;
  WakeMainThread = prevWakeMainThread_;
  installedController = prevController_;
}

void CreateBarSystemController() {
  if (!barSystemController) barSystemController = new TdxBarSystemController(IsBarSystemInLibrary());
}

void FreeBarSystemController() {
  delete barSystemController;
  barSystemController = nullptr;
}

void TdxBarSystemController::WakeMainThreadHandler() {
  if (installedController) PostMessageA(installedController->Handle(), DXM_BAR_SYNCHRONIZE, 0, 0);
}

void TdxBarSystemController::WndProc(TMessage& message) {
  if (message.Msg == DXM_BAR_SYNCHRONIZE) {
    CheckSynchronize();
    return;
  }
  TcxMessageWindow::WndProc(message);
}

// ---------------------------------------------------------------------------------------------
std::string TdxBarKeyTipData::GetKeyTipCaption() const {
  return AnsiUpperCase(keyTipInfo_.KeyTip);
}

void TdxBarKeyTipData::ShowKeyTipWindow(IdxBarKeyTipWindowsManager* windowsManager) {
  if (keyTipWindow_) return;
  windowsManager->Add(GetKeyTipCaption(), keyTipInfo_.BasePoint, keyTipInfo_.HorzAlign, keyTipInfo_.VertAlign,
                      keyTipInfo_.Enabled, keyTipWindow_);
}

void TdxBarKeyTipData::HideKeyTipWindow(IdxBarKeyTipWindowsManager* windowsManager) {
  if (!keyTipWindow_) return;
  windowsManager->Delete(keyTipWindow_);
  keyTipWindow_ = nullptr;
}
