// Three small services of the bar system: the shared canvas of all bar windows, whose drawing can be
// redirected to another device context or canvas and back (redirects nest, innermost first); the
// system controller, a message window that runs the calls worker threads wait on when the bar
// system lives in a dynamic library (in a program it only owns its window); and the data of one
// key tip with its badge window.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"
#include "Graphics.h"
#include "cxControls.h"
#include "cxGraphics.h"

class TdxBarCanvas : public TcxCanvas {
  CALDERAN_CLASS(TdxBarCanvas)
  TdxBarCanvas();
  ~TdxBarCanvas() override;

  // Draws on the device context until the matching EndPaint; its state is saved meanwhile.
  void BeginPaintDC(HDC dc);
  // Draws through the canvas until the matching EndPaint; its clipping and state are saved.
  void BeginPaintCanvas(TCanvas* canvas);
  // Ends the innermost redirect; nothing without one.
  void EndPaint();
  int Depth() const { return depth_; }
  TCanvas* OwnCanvas() const { return ownCanvas_; }

 private:
  struct TState {
    TCanvas* Canvas = nullptr;  // the canvas before a canvas redirect; nil for a device context
    HDC PrevHandle = nullptr;   // the own canvas's device context before a device-context redirect
    HDC DC = nullptr;
    int SavedDC = 0;
  };
  TCanvas* ownCanvas_;
  std::vector<TState> states_;
  int depth_ = 0;
};

// The shared canvas of the bar windows, made on first use; nil after the bar unit stopped.
TdxBarCanvas* BarCanvas();
void FreeBarCanvas();

// The message the wake-up handler posts to the system controller's window.
constexpr UINT DXM_BAR_SYNCHRONIZE = 0x8066;

class TdxBarSystemController : public TcxMessageWindow {
  CALDERAN_CLASS(TdxBarSystemController)
  // In a library the controller becomes the runtime's wake-up handler until it goes.
  explicit TdxBarSystemController(bool inLibrary);
  ~TdxBarSystemController() override;

 protected:
  void WndProc(TMessage& message) override;

 private:
  static void WakeMainThreadHandler();
  bool inLibrary_;
  void (*prevWakeMainThread_)() = nullptr;
  TdxBarSystemController* prevController_ = nullptr;
};

// True when the bar system's code lies in a library rather than in the program file.
bool IsBarSystemInLibrary();
// The bar unit's controller, made at its start-up and freed at its shut-down.
void CreateBarSystemController();
void FreeBarSystemController();

// One key tip: its text, where its badge goes and what it runs.
struct TdxBarKeyTipInfo {
  std::string KeyTip;
  TPoint BasePoint;
  Byte HorzAlign = 0;  // 0 the badge ends at the point, 1 starts at it, 2 centred
  Byte VertAlign = 0;  // 0 above the point, 1 below it, 2 centred
  bool Visible = true;
  bool Enabled = true;
  TNotifyEvent OnExecute;
};

// What shows key-tip badges (the key-tip container of the navigation).
class IdxBarKeyTipWindowsManager {
 public:
  virtual void Add(const std::string& caption, const TPoint& basePoint, int horzAlign, int vertAlign, bool enabled,
                   TObject*& window) = 0;
  virtual void Delete(TObject* window) = 0;
  virtual void Show() = 0;

 protected:
  ~IdxBarKeyTipWindowsManager() = default;
};

class TdxBarKeyTipData : public TObject {
  CALDERAN_CLASS(TdxBarKeyTipData)
  explicit TdxBarKeyTipData(const TdxBarKeyTipInfo& keyTipInfo) : keyTipInfo_(keyTipInfo) {}

  std::string GetKeyTipCaption() const;
  // Asks the manager for a badge once; a shown key tip keeps its badge.
  void ShowKeyTipWindow(IdxBarKeyTipWindowsManager* windowsManager);
  void HideKeyTipWindow(IdxBarKeyTipWindowsManager* windowsManager);
  const TdxBarKeyTipInfo& KeyTipInfo() const { return keyTipInfo_; }
  // Navigation appends digits to key tips that would be ambiguous.
  void SetKeyTip(const std::string& value) { keyTipInfo_.KeyTip = value; }
  TObject* KeyTipWindow() const { return keyTipWindow_; }

 private:
  TdxBarKeyTipInfo keyTipInfo_;
  TObject* keyTipWindow_ = nullptr;
};
