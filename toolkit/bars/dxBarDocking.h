// Docking a manager's toolbars: the four edge dock sites on the manager's owner, the dock site a
// dragged toolbar falls into, and the drag itself (a modal mouse loop that docks, moves and
// floats the toolbar's window; a floating toolbar docks only after the manager's waiting time).
// Not here: the manager's list of toolbar descriptions.
#pragma once
#include <array>
#include <memory>

#include <windows.h>
#include "cxClasses.h"
#include "dxBarDockControl.h"

class TdxBars {
 public:
  // Places the four edge sites on the manager's owner control.
  explicit TdxBars(TdxBarManager* manager);
  ~TdxBars();
  TdxBars(const TdxBars&) = delete;
  TdxBars& operator=(const TdxBars&) = delete;

  TdxBarManager* BarManager() const { return manager_; }
  TdxDockControl* DockControl(TdxBarDockingStyle style) const;
  int DockingZoneSize() const { return dxBarDockingZoneSize; }
  bool IsMoving() const { return moving_; }

  // The site a toolbar dragged to the screen point docks into: style dsNone and no site when it
  // floats there.
  void FindDockingTarget(TdxBar* bar, TPoint point, TdxBarDockingStyle& style, TdxDockControl*& dock) const;
  void DockBarAt(TdxBarDockingStyle style, TdxDockControl* dock, TPoint point, TdxBarControl* window);
  void UndockBar(TdxBarDockingStyle style, TdxDockControl* dock, TdxBarControl* window);
  // One step of a drag: the window goes where the point (the cursor plus the grab offset) says.
  void MoveBarTo(TdxBarControl* window, TPoint point);
  // The drag loop; it ends when the left button goes up, on Escape, when the capture is lost or
  // on WM_QUIT (posted again for the outer loop).
  void DragBar(TdxBarControl* window);

 private:
  TdxDockControl* DockOf(TdxBarControl* window) const;
  bool Qualifies(TdxDockControl* dock, TdxBar* bar, TdxBarDockingStyle style, TPoint point) const;
  void FindTargetAt(TdxBar* bar, TPoint point, TdxBarDockingStyle& style, TdxDockControl*& dock) const;
  void StartDockingWait();
  static void CALLBACK DockingWaitElapsed(HWND, UINT, UINT_PTR, DWORD);
  void StopDockingWait();
  void EndDrag(TdxBarControl* window, HWND capture);

  TdxBarManager* manager_;
  std::array<TdxDockControl*, 4> edgeDocks_{};
  // The owner form frees its children when it goes first.
  std::array<std::unique_ptr<TcxObjectLinkGuard>, 4> edgeDocksAlive_;
  bool timerDocking_ = false;
  bool moving_ = false;
  TdxBarControl* movingWindow_ = nullptr;
  TPoint pointerOffset_;
  TPoint grabOffset_;
};

// The docking of the manager's toolbars, while one exists for it.
TdxBars* BarsOf(const TdxBarManager* manager);
