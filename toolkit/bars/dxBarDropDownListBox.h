// The list window a string combo drops down below its combo control: a borderless, owner-drawn,
// variable-height list that lives as a top-most tool window on the desktop while its control
// parent (for painting, the painter and its notifications) is the combo control's bar window. It
// hot-tracks the entry under the mouse, supports the press-drag-release gesture that starts on
// the combo's drop-down button, and a release picks the entry: the menus close and the combo's
// ItemIndex follows.
#pragma once
#include "StdCtrls.h"
#include "dxBarPainter.h"

class TdxBarCustomCombo;

class TdxBarDropDownListBox : public TCustomListBox {
  CALDERAN_CLASS(TdxBarDropDownListBox)
  explicit TdxBarDropDownListBox(TdxBarCustomCombo* combo);

  TdxBarCustomCombo* Combo() const { return combo_; }
  // Set while the primary button that went down on the combo control has not entered the list.
  bool Tracking() const { return tracking_; }
  void SetTracking(bool value) { tracking_ = value; }
  // Captures the mouse and waits for it to enter the list.
  void BeginTracking();
  TdxBarPainterClass Painter() const;
  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Click() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void MouseMove(TShiftState shift, int x, int y) override;

 private:
  void WMNCCalcSize(TMessage& m);
  void WMNCPaint(TMessage& m);
  void WMLButtonUp(TMessage& m);
  void Pick();

  TdxBarCustomCombo* combo_;
  bool tracking_ = false;
};
