// Stateless routines of the control layer (windows and coordinates, keyboard and mouse state,
// monitor work areas, captions and characters, popup menus), its hidden windows, timers and mouse
// tracking, and their unit's start-up: the toolkit's screen cursors and its two registered window
// messages. None of it needs a look and feel: the skinned window frames use it as the controls do
// (the controls themselves are in cxControls.h, a layer above the look and feel).
#pragma once
#include <windows.h>

#include <string>

#include "Classes.h"
#include "Controls.h"
#include "Forms.h"
#include "ImgList.h"
#include "Menus.h"
#include "Types.h"
#include "cxClasses.h"
#include "cxGraphics.h"

// Screen cursors of the toolkit (ids in the framework's screen cursor table).
inline constexpr int crcxDragCopy = 2100;
inline constexpr int crcxFullScroll = 2101;
inline constexpr int crcxHorScroll = 2102;
inline constexpr int crcxVerScroll = 2103;
inline constexpr int crcxUpScroll = 2104;
inline constexpr int crcxRightScroll = 2105;
inline constexpr int crcxDownScroll = 2106;
inline constexpr int crcxLeftScroll = 2107;
inline constexpr int crcxRemove = 2108;
inline constexpr int crcxVertSize = 2109;
inline constexpr int crcxHorzSize = 2110;
inline constexpr int crcxMultiDrag = 2111;
inline constexpr int crcxNoDrop = 2112;
inline constexpr int crcxDrag = 2113;
inline constexpr int crcxColorPicker = 2114;
inline constexpr int crcxHandPoint = -2099;

// Registered at start-up (0 before): asked of a window whether it paints its own skin, and sent
// when the skin state changes.
extern UINT CXM_QUERYOWNSKIN;
extern UINT CXM_SKINSTATECHANGED;

// Windows NT family from version 5.1 on.
bool IsWinXPOrLater();

// ---------------------------------------------------------------------------------------------
// Windows and coordinates
bool CanAllocateHandle(TWinControl* control);
bool IsChildWindowStyle(HWND window);
// Other is window itself or one of its descendants.
bool IsWindowOrDescendant(HWND window, HWND other);
// Whether window is on other's parent chain (a window is not its own parent).
bool IsParentWindowOf(HWND window, HWND other);
// Window none means the screen.
TPoint MapPointBetweenWindows(HWND from, HWND to, const TPoint& point);
TRect MapRectBetweenWindows(HWND from, HWND to, const TRect& rect);
// The work area of the monitor nearest to the point.
TRect GetWorkAreaAtPoint(const TPoint& point);
// (-1, -1) when the system cannot tell.
TPoint GetCursorPosSafe();
bool IsComponentLoading(TComponent* component);

// ---------------------------------------------------------------------------------------------
// Keyboard and mouse
bool IsCtrlKeyDown();
// The mouse-message key flags of the current state: MK_LBUTTON 1, MK_RBUTTON 2, MK_SHIFT 4,
// MK_CONTROL 8, MK_MBUTTON 16.
WPARAM GetMouseKeys();
WPARAM ShiftStateToMouseKeys(TShiftState shift);
Word NormalizeKeyCode(Word key);
bool IsPointInDragDetectArea(const TPoint& pressPoint, int x, int y);
UINT GetSystemDoubleClickTime();

// ---------------------------------------------------------------------------------------------
// Characters and captions
// Digits and signs; mode 1 adds the decimal separator, mode 2 also e and E.
bool IsNumericInputChar(char c, int mode);
bool IsPrintableChar(int code);
// Drops accelerator ampersands ("&&" gives "&"); a final one becomes "_" with underscore.
std::string RemoveAccelChars(const std::string& caption, bool underscore = true);

// ---------------------------------------------------------------------------------------------
// Popup menus
// Popup menus of other kinds than the framework's implement this.
class IcxPopupMenuHandler {
 public:
  virtual ~IcxPopupMenuHandler() = default;
  virtual bool IsShortCut(TMessage& message) = 0;
  virtual void Popup(int x, int y) = 0;
};

bool IsPopupMenuShortCut(TComponent* popupMenu, TMessage& message);
bool ShowPopupMenu(TControl* control, TComponent* popupMenu, int x, int y);
int GetPopupMenuHeight(TPopupMenu* popupMenu);


// ---------------------------------------------------------------------------------------------
// Hidden windows, timers and mouse tracking. Everything here runs on the user-interface thread.

// An object that owns an invisible window and handles its messages in WndProc.
class TcxMessageWindow : public TObject {
  CALDERAN_CLASS(TcxMessageWindow)
  TcxMessageWindow();
  ~TcxMessageWindow() override;
  HWND Handle() const { return handle_; }

 protected:
  // Default window processing, its result stored in the message.
  virtual void WndProc(TMessage& message);

 private:
  void MainWndProc(TMessage& message) { WndProc(message); }
  HWND handle_ = nullptr;
};

// The shared hidden message window (owner window of popups, for instance); null once the control
// unit has begun to shut down.
TcxMessageWindow* GetMessageWindow();

// A timer without a window of its own: every toolkit timer runs on one shared hidden window, with
// the timer object as its identifier. It runs only while enabled with a handler assigned.
class TcxTimer : public TComponent {
  CALDERAN_CLASS(TcxTimer)
  explicit TcxTimer(TComponent* owner);
  ~TcxTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  uint32_t Interval() const { return interval_; }
  // 0 is ignored; a new interval restarts a running timer (the next tick a full interval later).
  void SetInterval(uint32_t value);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(const TNotifyEvent& value);
  bool Running() const { return running_; }

  // Fires OnTimer; the shared timer window calls it for each tick of a running timer.
  virtual void TimeOut();

 private:
  bool CanSetTimer() const { return enabled_ && !running_ && onTimer_; }
  void RestartTimer();
  void StartTimer();
  void StopTimer();
  void SetRunning(bool value);

  bool enabled_ = true;
  uint32_t interval_ = 1000;
  TNotifyEvent onTimer_;
  bool running_ = false;
};

// A part of a control that shows a hot state asks to hear when the mouse has left it.
class IcxMouseTrackingCaller {
 public:
  virtual void MouseLeave() = 0;

 protected:
  ~IcxMouseTrackingCaller() = default;
};

// A caller that decides itself, by a point in the tracked control's client coordinates, whether
// the mouse is still over it.
class IcxMouseTrackingHitTest : public IcxMouseTrackingCaller {
 public:
  virtual bool PtInCaller(const TPoint& point) = 0;

 protected:
  ~IcxMouseTrackingHitTest() = default;
};

// Polls the cursor every 10 ms while the caller is tracked; area is in the control's client
// coordinates (screen coordinates when control is null). A caller is tracked at most once.
void BeginMouseTracking(TWinControl* control, const TRect& area, IcxMouseTrackingCaller* caller);
void EndMouseTracking(IcxMouseTrackingCaller* caller);
bool IsMouseTracking(IcxMouseTrackingCaller* caller);

extern const TUnitInfo cxControlsRoutinesUnit;
