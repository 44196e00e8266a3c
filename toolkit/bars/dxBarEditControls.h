// Item controls that host a real child window of their bar window while the user edits: the
// hosted-window base (subclassing the window, entering and leaving the editing state, routing keys
// and mouse messages between the window, the item's events and the bar window, exchanging text),
// the edit controls (caption, glyph and edit box parts; a system EDIT window while typing, the
// value drawn by the painter otherwise) and the combo controls (a drop-down button part, F4 and
// Alt+arrows, browsing the strings by arrows and wheel).
//
// The subclassing keeps the control in a window property of the hosted window; the window's
// procedure finds it there. Every step that calls out (item events, closing the bar window) holds
// a weak object link to the control, since a handler may free it.
//
// A press on a combo's drop-down button reaches the bar window, not the edit window: the combo
// control takes it through its MouseDown and MouseUp (a press opens a closed list, the release on
// the button closes an open one).
//
// Left for later: buffered painting of the edit window for bar windows that ask for it (none does
// yet), Tab through the keyboard navigation controller (the bar window's own Tab handling moves on
// meanwhile), the MDI rules of closing another manager's bars, accessibility helpers, and the
// StyleEdit font and colour.
#pragma once
#include <windows.h>

#include <string>

#include "dxBarItemControl.h"

class TdxBarWindowItem;
class TdxBarEdit;
class TCustomdxBarCombo;
class TdxBarCustomCombo;

class TdxBarWinControl : public TdxBarItemControl {
  CALDERAN_CLASS(TdxBarWinControl)
  using TdxBarItemControl::TdxBarItemControl;
  ~TdxBarWinControl() override;

  TdxBarWindowItem* WindowItem() const;
  bool Editing() const { return editing_; }
  bool LoadingText() const { return loadingText_; }
  int KeyCount() const { return keyCount_; }
  virtual HWND GetWindowHandle() const = 0;
  // The window's whole text (never cut at a fixed length).
  virtual std::string GetWindowText() const;
  virtual void SetWindowText(const std::string& text);
  virtual void LoadText();
  virtual void ApplyText();
  virtual void SetFocused(bool value);
  // The rectangle the window covers while editing, in bar-window coordinates; empty when none.
  virtual TRect GetEditRect() const;
  void SetWindowRect(const TRect& rect);

  bool ExecutesOnClick() const override;
  bool ClosesMenusOnClick() const override { return false; }
  bool HostsWindow() const override { return true; }
  bool IsSelectable() const override;
  bool IsOwnWindow(HWND window) const;
  void EnabledChanged() override;
  void ControlInactivate(bool immediate) override;
  void ControlClick(bool byMouse, Word key) override;
  void ControlUnclick(bool byMouse) override;

  // The message handlers of the hosted window (also called by tests with made-up keys).
  void KeyDown(Word& key, TShiftState shift) override;
  virtual void KeyUp(Word& key, TShiftState shift);
  virtual void KeyPress(char& key);
  // The window lost the focus to `focused`.
  virtual void FocusLost(HWND) {}

 protected:
  void SubclassWindow();
  void RestoreWindowProc();
  virtual void ForwardMouseDown(bool byMouse);
  // A press at this bar-window point outside the edit box goes on to the window.
  virtual bool ForwardsClickAt(const TPoint&) const { return true; }
  TPoint CursorInBar() const;
  virtual void HideEditWindow(bool apply) = 0;
  virtual void WindowPositioned() {}
  virtual void ShowEditWindow();
  virtual bool PreKeyDown(Word& key, TShiftState shift);
  virtual bool PreKeyUp(Word& key, TShiftState shift);
  // The hosted window's messages; the default handling is CallDefault.
  virtual void WindowProc(TMessage& message);
  void CallDefault(TMessage& message);
  // True when a key handler consumed the message.
  bool HandleKeyMessage(TMessage& message);
  void SetLoadingText(bool value) { loadingText_ = value; }
  const TRect& WindowRect() const { return windowRect_; }

 private:
  static LRESULT CALLBACK HostedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void EnterEditing();
  void LeaveEditing();
  void MoveFocusAway();
  void LeaveByTab();
  void Accept();
  void Cancel();
  void HandleKillFocus(TMessage& message);
  // True when the message is swallowed.
  bool HandleMouseMessage(TMessage& message);
  TPoint MapToBar(LPARAM point) const;

  bool editing_ = false;
  bool cancelling_ = false;
  bool loadingText_ = false;
  int keyCount_ = 0;
  bool bufferedPaint_ = false;
  WNDPROC ownWindowProc_ = nullptr;
  HWND prevFocus_ = nullptr;
  TRect windowRect_;
};

class TdxBarCustomEditControl : public TdxBarWinControl {
  CALDERAN_CLASS(TdxBarCustomEditControl)
  using TdxBarWinControl::TdxBarWinControl;
  ~TdxBarCustomEditControl() override;

  TdxBarEdit* EditItem() const;
  virtual bool ShowsCaption() const;
  virtual int GetMinEditWidth() const = 0;
  virtual void AdjustEditRect(TRect&) const {}
  virtual TRect CalcEditRect() const;
  virtual void DrawEditFrame(const TRect& rect);
  virtual void DrawValue(const TRect& rect) = 0;
  virtual void UpdateEditingDrawParams() = 0;
  HBRUSH GetEditBrushHandle();
  HBRUSH GetEditAreaBrush() const;
  int EditTextSize() const { return editTextSize_; }

  // --- The customizing resize of the edit box (dragging the item's left or right edge)
  // In the 7-pixel band at either edge of the item rectangle.
  bool IsResizePoint(const TPoint& point) const;
  void BeginResize(const TPoint& point);
  void DoResize(const TPoint& point);
  // A different resulting edit width becomes the link's user width.
  void EndResize(bool apply);
  int SizingWidth() const { return sizingWidth_; }

  TdxBarItemViewLevels GetPossibleViewLevels() const override;
  int GetPartCount() const override { return TdxBarItemControl::GetPartCount() + 2; }
  int GetDefaultViewStructure() const override;
  int GetCaptionAreaWidth() override;
  int GetIconAreaWidth() override;
  int GetControlAreaWidth() override;
  int GetWidth() override { return GetSmallWidth(); }
  int GetSmallWidth() override;
  int GetMinWidth() override;
  int GetHeight() override;
  void CalcSizesWithFont() override;
  void Draw(const TRect& rect, int paintType) override;
  void CalcDrawParams(bool full) override;
  void CalcParts() override;
  bool IsDrawSelected() const override;
  bool CanClick() const override;

 protected:
  void ShowEditWindow() override;
  bool ForwardsClickAt(const TPoint& point) const override;

 private:
  // Drawing it twice on the screen erases it.
  void DrawSizingFrame() const;

  int editTextSize_ = 0;
  bool rightBorderSizing_ = false;
  int sizingWidth_ = 0;
  HBRUSH editBrush_ = nullptr;
};

class TdxBarEditControl : public TdxBarCustomEditControl {
  CALDERAN_CLASS(TdxBarEditControl)
  explicit TdxBarEditControl(TdxBarItemLink* link);
  ~TdxBarEditControl() override;

  HWND GetWindowHandle() const override { return editWindow_; }
  int GetMinEditWidth() const override { return 20; }
  bool CanDraw() const override { return false; }
  virtual bool DrawsValue() const;
  TRect GetEditRect() const override;
  void DrawValue(const TRect& rect) override;
  void SetFocused(bool value) override;
  void ControlClick(bool byMouse, Word key) override;
  void SetWindowText(const std::string& text) override;
  void UpdateEditingDrawParams() override { CalcDrawParams(true); }

 protected:
  void ShowEditWindow() override;
  void HideEditWindow(bool apply) override;
  void WindowPositioned() override;
  void WindowProc(TMessage& message) override;

 private:
  void CreateEditWindow();
  void DestroyEditWindow();

  HWND editWindow_ = nullptr;
};

class TCustomdxBarComboControl : public TdxBarEditControl {
  CALDERAN_CLASS(TCustomdxBarComboControl)
  using TdxBarEditControl::TdxBarEditControl;
  ~TCustomdxBarComboControl() override;

  TCustomdxBarCombo* Combo() const;
  bool IsDroppedDown() const override { return droppedDown_; }
  virtual void SetDroppedDown(bool value);
  int GetPartCount() const override { return TdxBarEditControl::GetPartCount() + 1; }
  void AdjustEditRect(TRect& rect) const override;
  bool DrawsValue() const override;
  void DrawValue(const TRect& rect) override;
  void CalcDrawParams(bool full) override;
  void CalcParts() override;
  bool IsComboOwnWindow(HWND window) const;
  void EnabledChanged() override;
  void ControlInactivate(bool immediate) override;
  void ControlClick(bool byMouse, Word key) override;
  void MouseDown(TMouseButton button, TShiftState shift, const TPoint& point) override;
  void MouseUp(TMouseButton button, TShiftState shift, const TPoint& point) override;

 protected:
  bool PreKeyDown(Word& key, TShiftState shift) override;
  bool PreKeyUp(Word& key, TShiftState shift) override;
  void WindowProc(TMessage& message) override;

 private:
  // The part the press or release lies on counts as the drop-down button.
  bool IsOnDropDownButton(const TPoint& point) const;

  bool droppedDown_ = false;
  bool droppedDownAtPress_ = false;
  bool pressedOnButton_ = false;
};

class TdxBarComboControl : public TCustomdxBarComboControl {
  CALDERAN_CLASS(TdxBarComboControl)
  using TCustomdxBarComboControl::TCustomdxBarComboControl;

  TdxBarCustomCombo* StringCombo() const;
  int LocalItemIndex() const { return localItemIndex_; }
  void SetLocalItemIndex(int index);
  // Stores the index only (the list's synchronisation with typed text).
  void StoreLocalItemIndex(int index) { localItemIndex_ = index; }
  void LoadText() override;
  void SetFocused(bool value) override;

 protected:
  void WindowProc(TMessage& message) override;

 private:
  bool HandleBrowsingKey(TMessage& message);
  void HandleWheel(TMessage& message);

  int localItemIndex_ = -1;
};
