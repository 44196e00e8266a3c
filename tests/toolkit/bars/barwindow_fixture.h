// Bar windows for tests and gallery pages: a links owner whose window is a real toolbar window
// (or a window that answers as a menu) on a form, laying its item controls out in one row (or one
// column for the menu), so that real mouse and key messages reach the click path.
#pragma once
#include <algorithm>
#include <memory>
#include <string>

#include "Forms.h"
#include "dxBarButtonControl.h"
#include "dxBarButtons.h"
#include "dxBarControl.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"

// A toolbar window that places its controls left to right, each at its measured size.
class TRowBarWindow : public TdxBarControl {
 public:
  using TdxBarControl::TdxBarControl;
  int GetSeparatorSize() const override { return 6; }
  bool IsVertical() const override { return Vertical; }
  bool IsRotated() const override { return Rotated; }
  bool Vertical = false;
  bool Rotated = false;
  int Layouts = 0;  // how often the window laid its controls out

 protected:
  void ItemRectsCalculated() override {
    ++Layouts;
    int x = 2;
    for (int i = 0; i < ItemLinks()->GetVisibleCount(); ++i) {
      TdxBarItemLink* link = ItemLinks()->GetVisibleLink(i);
      TdxBarItemControl* control = link->Control();
      if (!control) continue;
      x += GetSeparatorSizeBefore(link);
      const TRect rect(x, 2, x + control->CalcWidth(), 2 + control->CalcHeight());
      link->SetItemRect(rect);
      control->ViewInfo()->SetBounds(rect);
      x = rect.Right;
    }
  }
};

// A window that answers as a menu: its controls stack from the top and close the chain on click.
class TColumnBarWindow : public TCustomdxBarControl {
 public:
  using TCustomdxBarControl::TCustomdxBarControl;
  int GetKind() const override { return 2; }
  int PaintType() const override { return ptMenu; }
  bool ClosesAfterClick() const override { return true; }
  bool IsDocked() const override { return false; }
};

// Owns a link collection and makes its window of the kind asked.
class TTestLinksOwner : public TComponent, public IdxBarLinksOwner {
 public:
  TTestLinksOwner(TForm* form, TdxBarManager* manager, bool menu)
      : TComponent(form), form_(form), manager_(manager), menu_(menu) {
    if (menu) links_ = std::make_unique<TdxBarSubMenuControlItemLinks>(manager, this);
    else links_ = std::make_unique<TdxBarControlItemLinks>(manager, this);
  }
  bool CanContainItem(TdxBarItem*, std::string& text) override {
    text.clear();
    return true;
  }
  TCustomdxBarControl* CreateBarControl() override {
    TCustomdxBarControl* bar = menu_ ? static_cast<TCustomdxBarControl*>(new TColumnBarWindow(form_, manager_))
                                     : new TRowBarWindow(form_, manager_);
    bar->SetParent(form_);
    bar->SetBounds(0, 0, 380, menu_ ? 200 : 40);
    return bar;
  }
  TComponent* GetInstance() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return links_.get(); }

  TdxBarItemLinks* Links() const { return links_.get(); }
  // Makes the window and its item controls.
  TCustomdxBarControl* Show() {
    TCustomdxBarControl* bar = links_->CreateBarControl();
    bar->HandleNeeded();
    bar->SetVisible(true);
    bar->Rebuild();
    return bar;
  }

 private:
  TForm* form_;
  TdxBarManager* manager_;
  bool menu_;
  std::unique_ptr<TdxBarItemLinks> links_;
};

// The centre of a link's item rectangle.
inline TPoint CentreOf(TdxBarItemLink* link) {
  const TRect& r = link->ItemRect();
  return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// Real mouse messages at a client point of the bar window (the cursor is put there first, since
// the window compares the cursor with its rectangle).
inline void SendMouse(TCustomdxBarControl* bar, UINT message, const TPoint& point) {
  const TPoint screen = bar->ClientToScreen(point);
  SetCursorPos(screen.X, screen.Y);
  const WPARAM keys = message == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
  SendMessageA(bar->WindowHandle(), message, keys, MAKELPARAM(point.X, point.Y));
}

inline void ClickAt(TCustomdxBarControl* bar, const TPoint& down, const TPoint& up) {
  SendMouse(bar, WM_MOUSEMOVE, down);
  SendMouse(bar, WM_LBUTTONDOWN, down);
  SendMouse(bar, WM_MOUSEMOVE, up);
  SendMouse(bar, WM_LBUTTONUP, up);
}
