// The platform list box as the inner control of a container: input handed to the container,
// incremental search by typing, and toolkit scroll bars with a size grip laid over the list's own
// system bars so that they follow the look and feel.
#pragma once
#include <memory>

#include "StdCtrls.h"
#include "cxContainer.h"

class TcxScrollBar;

class TcxCustomInnerListBox : public TCustomListBox, public IcxContainerInnerControl {
  CALDERAN_CLASS(TcxCustomInnerListBox)
  explicit TcxCustomInnerListBox(TComponent* owner);
  ~TcxCustomInnerListBox() override;
  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

  TWinControl* HostedControl() override { return this; }
  TcxContainer* OwnerContainer() override { return container_; }
  TcxContainer* Container() const { return container_; }
  void SetContainer(TcxContainer* value) { container_ = value; }

  // Typing pause (ms) after which the search text starts afresh.
  DWORD AutoCompleteDelay() const { return autoCompleteDelay_; }
  void SetAutoCompleteDelay(DWORD value) { autoCompleteDelay_ = value; }
  bool AutoComplete() const { return autoComplete_; }
  void SetAutoComplete(bool value) { autoComplete_ = value; }
  const std::string& SearchText() const { return searchText_; }

  // The look and feel of the list and of its toolkit bars (their parent look and feel).
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  // The toolkit bars over the system bars (nil once freed); they are children of the list's parent.
  TcxScrollBar* HScrollBar() const { return hScrollBar_; }
  TcxScrollBar* VScrollBar() const { return vScrollBar_; }
  // The square between two visible toolkit bars, in the list's window coordinates (else empty).
  TRect SizeGripRect() const;
  // True while the platform's drawing is switched off by WM_SETREDRAW.
  bool RedrawLocked() const { return redrawLocked_; }
  // While above 0 the toolkit bars are left as they are.
  void LockScrollBars() { ++scrollBarsLockCount_; }
  void UnlockScrollBars() { --scrollBarsLockCount_; }

 protected:
  virtual void ProcessAutoCompleteKey(char& key);
  virtual void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues);
  // True when no OnDrawItem handler draws the items (the list then draws the focus rectangle).
  bool DrawsDefaultFocusRect() override { return !OnDrawItem; }
  // Lays the toolkit bars over the system bars that are shown and copies their scroll state.
  virtual void SyncOwnScrollBars();
  virtual void MouseEnterHook(TControl*) {}
  virtual void MouseLeaveHook(TControl* control);
  // The tick count the typing pause is measured with.
  virtual DWORD CurrentTicks() { return GetTickCount(); }

  void CreateParams(TCreateParams& params) override;
  void Click() override;
  void DblClick() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  TPopupMenu* GetPopupMenu() override;
  void Notification(TComponent* component, TOperation operation) override;

 public:
  void DragOver(TObject* source, int x, int y, TDragState state, bool& accept) override;
  void DragDrop(TObject* source, int x, int y) override;

 private:
  void EditSearchText(char& key);
  void SelectSearchMatch();
  TcxScrollBar* CreateOwnScrollBar(TScrollBarKind kind);
  void SyncOwnScrollBar(TcxScrollBar* bar);
  TRect OwnScrollBarRect(TcxScrollBar* bar, const SCROLLBARINFO& info);
  void PlaceOwnScrollBar(TcxScrollBar* bar, const TRect& rect, bool visible);
  void HScrollBarScroll(TObject* sender, TScrollCode code, int& position);
  void VScrollBarScroll(TObject* sender, TScrollCode code, int& position);
  void PaintSizeGrip(HDC dc);
  void WMSetRedraw(TMessage& message);
  void WMWindowPosChanged(TMessage& message);
  void WMNCCalcSize(TMessage& message);
  void WMNCPaint(TMessage& message);
  void WMPrint(TMessage& message);
  void WMFocus(TMessage& message);
  void WMLButtonDown(TMessage& message);
  void DispatchAndSync(TMessage& message);

  DWORD autoCompleteDelay_ = 500;
  bool autoComplete_ = true;
  std::string searchText_;
  TcxScrollBar* hScrollBar_ = nullptr;
  bool redrawLocked_ = false;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  DWORD lastKeyTime_ = 0;
  bool hadKey_ = false;
  bool scrollBarsCalculating_ = false;
  int scrollBarsLockCount_ = 0;
  TcxScrollBar* vScrollBar_ = nullptr;
  TcxContainer* container_ = nullptr;
};
