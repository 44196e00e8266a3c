// Button controls: the item controls that can own a drop-down (buttons, and sub items later). A
// button shows its item's check-style down state, an arrow part when it has a drop-down menu, and
// opens that menu at once in a toolbar the user is pressing along, or after a delay in a menu
// window (resting 400 ms on it opens, leaving it for 400 ms closes; passing across opens nothing).
//
// The delays run on two process-wide thread timers (one pending open, one pending close); a
// timer fires once. DropDownOpenTimerExpired and DropDownCloseTimerExpired are their procedures'
// work, also called by tests as ticks.
//
// Left for later: the application menu button control (with the application menu) and
// button-group positions (the painters answer none). Sub-item controls are in dxBarSubItem.
#pragma once
#include "dxBarItemControl.h"

class TdxBarButton;

class TdxBarButtonLikeControl : public TdxBarItemControl {
  CALDERAN_CLASS(TdxBarButtonLikeControl)
  using TdxBarItemControl::TdxBarItemControl;
  ~TdxBarButtonLikeControl() override;

  bool OpenedByMouse() const { return openedByMouse_; }
  void SetOpenedByMouse(bool value) { openedByMouse_ = value; }
  virtual int GetArrowWidth() const;
  virtual bool CanDropDown() const;
  virtual void SetDowned(bool byMouse);
  virtual TCustomdxBarControl* GetDropDownMenuControl() const { return nullptr; }
  bool SupportsButtonGroup() const override { return true; }
  bool IsDropDownKey(Word key) const override;
  void KeyDown(Word& key, TShiftState shift) override;
  void ControlActivate(bool immediate) override;
  void ControlInactivate(bool immediate) override;
  void CalcDrawParams(bool full) override;
  void Draw(const TRect& rect, int paintType) override;

  // The drop-down's open and close (the message-table handlers of the kinds).
  virtual void DropDown(bool byMouse) = 0;
  virtual void CloseUp(bool hideMenu);

 protected:
  void CancelPendingTimers();

 private:
  bool openedByMouse_ = false;
};

class TdxBarButtonControl : public TdxBarButtonLikeControl {
  CALDERAN_CLASS(TdxBarButtonControl)
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;
  ~TdxBarButtonControl() override;
  std::shared_ptr<TdxBarAccessibilityHelper> CreateAccessibilityHelper() override;

  TdxBarButton* Button() const;
  bool DroppedDown() const { return droppedDown_; }
  bool HasDropDown() const override;
  bool IsDroppedDown() const override;
  bool IsDrawSelected() const override;
  bool IsPressed() const override;
  bool ClosesMenusOnClick() const override;
  bool IsInQuickPopup() const override;
  bool CapturesWhenPressed() const override { return true; }
  int GetPartCount() const override { return HasDropDown() ? 2 : 1; }
  TCustomdxBarControl* GetDropDownMenuControl() const override;
  TCustomdxBarControl* OpenSubMenu() const override { return IsDroppedDown() ? GetDropDownMenuControl() : nullptr; }
  void SetDowned(bool byMouse) override;
  void PaintStyleChanged() override;
  virtual TdxBarPaintStyle GetButtonPaintStyle() const;
  // What a standard paint style becomes on a toolbar: the caption when there is no glyph to show.
  virtual TdxBarPaintStyle AdjustToolbarPaintStyle() const;
  int GetViewStructure() const override;
  int GetDefaultViewStructure() const override;
  int GetWidth() override;
  int GetHeight() override;
  int GetSmallHeight() override;
  uint16_t GetShortCut() const override;

  void CalcDrawParams(bool full) override;
  void CalcParts() override;
  void ControlClick(bool byMouse, Word key) override;
  void DoClick(bool byMouse) override;
  void ControlUnclick(bool byMouse) override;
  void DropDown(bool byMouse) override;
  void CloseUp(bool hideMenu) override;

 private:
  bool droppedDown_ = false;
};

// The delay of a drop-down's open and close in a menu window.
constexpr UINT dxBarDropDownDelay = 400;
// The control waiting for its drop-down to open / close (nullptr when none).
TdxBarButtonLikeControl* PendingDropDownOpenControl();
TdxBarButtonLikeControl* PendingDropDownCloseControl();
void DropDownOpenTimerExpired();
void DropDownCloseTimerExpired();

// Pairs the button item with its control in the item-class registry.
extern const TUnitInfo dxBarButtonControlUnit;
