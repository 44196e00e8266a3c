// The platform list box as the inner control of a container: input handed to the container,
// incremental search by typing.
#pragma once
#include "StdCtrls.h"
#include "cxContainer.h"

class TcxCustomInnerListBox : public TCustomListBox, public IcxContainerInnerControl {
  CALDERAN_CLASS(TcxCustomInnerListBox)
  explicit TcxCustomInnerListBox(TComponent* owner);
  void WndProc(TMessage& message) override;

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

 protected:
  virtual void ProcessAutoCompleteKey(char& key);
  // True when no OnDrawItem handler draws the items (the list then draws the focus rectangle).
  bool DrawsDefaultFocusRect() override { return !OnDrawItem; }
  // The tick count the typing pause is measured with.
  virtual DWORD CurrentTicks() { return GetTickCount(); }

  void Click() override;
  void DblClick() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

 private:
  void EditSearchText(char& key);
  void SelectSearchMatch();
  DWORD autoCompleteDelay_ = 500;
  bool autoComplete_ = true;
  std::string searchText_;
  DWORD lastKeyTime_ = 0;
  bool hadKey_ = false;
  TcxContainer* container_ = nullptr;
};
