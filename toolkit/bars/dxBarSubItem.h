// Sub items: items that own a link collection and open it as a menu window, and the item control
// that shows one (a menu title on a menu bar, an entry with an arrow inside a menu). The control
// opens its menu through the delayed drop-down of button-like controls: beside itself inside a
// menu or a vertical bar, below itself on a horizontal bar.
//
// Left for later: tear-off through the detaching bar and the customizing machinery's own sub
// items. Container and list items live in dxBarContainerItems.
#pragma once
#include <string>

#include "dxBarButtonControl.h"
#include "dxBarItem.h"
#include "dxBarItemLinks.h"
#include "dxBarSubMenu.h"

using TdxBarPaintSubMenuBarEvent = TEvent<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TCustomdxBarSubItem : public TdxBarItem, public IdxBarLinksOwner, public IdxBarSubMenuOwner {
  CALDERAN_CLASS(TCustomdxBarSubItem)
  explicit TCustomdxBarSubItem(TComponent* owner);
  ~TCustomdxBarSubItem() override;

  // The side bar's width; a negative value is taken as 0.
  int BarSize() const { return barSize_; }
  void SetBarSize(int value);
  bool AllowCustomizing() const { return allowCustomizing_; }
  void SetAllowCustomizing(bool value) { allowCustomizing_ = value; }
  TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnPopup;
  TdxBarPaintSubMenuBarEvent OnPaintBar;

  // The menu opens / closed (its OnPopup / OnCloseUp).
  virtual void Popup();
  virtual void CloseUp();
  TdxBarItemLinks* GetOwnItemLinks() const override { return itemLinks_; }
  std::string GetDefaultCaption() const override { return "New SubItem"; }

  // IdxBarLinksOwner: an item whose own menu holds this sub item would make a recursive menu.
  bool CanContainItem(TdxBarItem* item, std::string& text) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* GetInstance() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return itemLinks_; }

  // IdxBarSubMenuOwner
  int GetBarSize() override { return barSize_; }
  void DoPaintBar(TCanvas* canvas, const TRect& rect) override;

 private:
  TdxBarItemLinks* itemLinks_;
  int barSize_ = 0;
  bool allowCustomizing_ = true;
};

class TdxBarSubItem : public TCustomdxBarSubItem {
  CALDERAN_CLASS(TdxBarSubItem)
  explicit TdxBarSubItem(TComponent* owner) : TCustomdxBarSubItem(owner) {}
};

class TdxBarSubItemControl : public TdxBarButtonLikeControl {
  CALDERAN_CLASS(TdxBarSubItemControl)
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;
  ~TdxBarSubItemControl() override;

  TCustomdxBarSubItem* SubItem() const;
  TCustomdxBarControl* GetDropDownMenuControl() const override;
  TCustomdxBarControl* OpenSubMenu() const override { return IsDroppedDown() ? GetDropDownMenuControl() : nullptr; }
  bool IsDroppedDown() const override;
  virtual bool CanOpenSubMenu() const { return true; }
  bool ExecutesOnClick() const override { return false; }
  bool ClosesMenusOnClick() const override { return false; }
  bool HasDropDown() const override { return true; }
  bool AcceptsDblClick() const override { return true; }
  bool IsInMainMenu() const override;
  bool IsDropDownKey(Word key) const override;
  int GetDefaultViewStructure() const override;
  int GetCaptionAreaWidth() override;
  void ControlActivate(bool immediate) override;
  void ControlInactivate(bool immediate) override;
  void CalcDrawParams(bool full) override;
  void ControlClick(bool byMouse, Word key) override;
  void DoClick(bool) override {}
  void SetDowned(bool byMouse) override;
  void DropDown(bool byMouse) override;
  void CloseUp(bool hideMenu) override;

  // Where the menu opens (screen coordinates) and the size of the item it opens from.
  virtual void GetSubMenuPosition(TPoint& point, int& ownerWidth, int& ownerHeight) const;

 protected:
  virtual TdxBarSubMenuControl* CreateSubMenuControl();

 private:
  void ShowSubMenu(TdxBarSubMenuControl* menu);
};

extern const TUnitInfo dxBarSubItemUnit;
