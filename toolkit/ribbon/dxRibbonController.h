// The ribbon's input: the controller turns the mouse, keys and wheel over the ribbon (and over its
// groups site, which forwards in ribbon coordinates) into actions: tab switching, the application
// button, the help and MDI buttons, the auto-repeating scroll buttons of the tab row and of the
// groups, hot tracking and the hints of the ribbon's parts.
#pragma once
#include <string>

#include "Classes.h"
#include "Controls.h"
#include "ExtCtrls.h"
#include "dxRibbon.h"

class TdxRibbonController : public TObject {
  CALDERAN_CLASS(TdxRibbonController)
  explicit TdxRibbonController(TdxCustomRibbon* ribbon);
  ~TdxRibbonController() override;

  virtual void CancelMode();
  virtual void HideHint();
  virtual bool HasHint(TdxRibbonHitKind kind) const;
  // Kinds with a hint of their own: tabs, the application, help and MDI buttons.
  static bool IsHintKind(TdxRibbonHitKind kind);
  virtual void KeyDown(Word& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void KeyUp(Word& key, TShiftState shift);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseLeave();
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // The wheel turned towards the user (down) activates the next tab, away from the user the one
  // before; the answer is whether a tab was activated.
  virtual bool MouseWheelDown(TShiftState shift, const TPoint& point);
  virtual bool MouseWheelUp(TShiftState shift, const TPoint& point);
  virtual bool IsTrackingBlocked(const TPoint& point) const;

  // --- the bar manager's hint owner
  bool GetHintText(std::string& text, std::string& shortcutText) const;
  // Where a hint of the given height opens for the cursor point (screen coordinates).
  TPoint GetHintPosition(const TPoint& cursor, int hintHeight) const;
  bool CanShowHint() const { return true; }
  void UpdateHint(const TdxRibbonHitInfo& hit);
  // Forgets the part whose hint is current and hides the hint.
  void Reset();

  TdxRibbonHitKind HotPart() const { return hotPart_; }
  void SetHotPart(TdxRibbonHitKind kind);
  TdxRibbonHitKind PressedPart() const { return pressedPart_; }
  void SetPressedPart(TdxRibbonHitKind kind);
  TdxRibbonHitKind ScrollingPart() const { return scrollingPart_; }
  TdxRibbonHitKind HintPart() const { return hintPart_; }
  TTimer* ScrollTimer() const { return scrollTimer_; }
  // One tick of the scroll timer (the timer calls it; tests call it as a tick).
  void ScrollTimerHandler(TObject* sender);
  TdxCustomRibbon* Ribbon() const { return ribbon_; }

 private:
  void TabClick(TdxRibbonTab* tab, TMouseButton button, TShiftState shift);
  void StartScrolling(TdxRibbonHitKind kind);
  void StopScrolling();
  void ScrollStep(TdxRibbonHitKind kind, bool first);
  void InvalidatePart(TdxRibbonHitKind kind);
  void TrackApplicationButton(const TdxRibbonHitInfo& hit);
  bool ActivateNeighbourTab(bool next);
  bool CanSwitchTabsByWheel() const;
  TdxRibbonHitInfo HitTestCursor() const;

  TdxCustomRibbon* ribbon_;
  TdxRibbonHitKind hotPart_ = rhtNone;
  TdxRibbonHitKind pressedPart_ = rhtNone;
  TdxRibbonHitKind scrollingPart_ = rhtNone;
  TTimer* scrollTimer_ = nullptr;
  TdxRibbonHitKind hintPart_ = rhtNone;
  TObject* hintObject_ = nullptr;
};

// The scroll steps of the tab row: the first press and each repeat.
constexpr int dxRibbonTabScrollFirstStep = 14, dxRibbonTabScrollRepeatStep = 3;
constexpr UINT dxRibbonScrollFirstDelay = 400, dxRibbonScrollRepeatInterval = 20;
