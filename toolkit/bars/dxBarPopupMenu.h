// Popup menus: context menus built from item links of a manager, opened at a screen point. By
// default Popup runs its own message loop until the menu closes, so it returns after the user has
// chosen or cancelled; while it runs, keys go to the innermost menu window, a press outside the
// menus closes them (the press then reaches its window), and every other message, commands
// included, is dispatched as usual.
//
// Left for later: the popup menu's own font and background bitmap, and the manager's list of
// popup menus (the designer's part).
#pragma once
#include <string>

#include "Controls.h"
#include "dxBarComponents.h"
#include "dxBarItemLinks.h"
#include "dxBarSubItem.h"
#include "dxBarSubMenu.h"

class TdxBarCustomPopupMenu : public TdxBarComponent, public IdxBarLinksOwner, public IdxBarSubMenuOwner {
  CALDERAN_CLASS(TdxBarCustomPopupMenu)
  // Raises when the application has no bar manager.
  explicit TdxBarCustomPopupMenu(TComponent* owner);
  ~TdxBarCustomPopupMenu() override;

  TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
  // The side bar's width; a negative value is taken as 0.
  int BarSize() const { return barSize_; }
  void SetBarSize(int value) { barSize_ = value < 0 ? 0 : value; }
  bool UseRecentItems() const { return itemLinks_->RecentItemsSwitch(); }
  void SetUseRecentItems(bool value) { itemLinks_->SetRecentItemsSwitch(value); }
  // The open menu window; nullptr while closed.
  TdxBarSubMenuControl* GetBarControl() const;
  bool PopupVisible() const { return popupVisible_; }
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnPopup;
  TdxBarPaintSubMenuBarEvent OnPaintBar;

  // Opens the menu at a screen point; nothing while it is open.
  void Popup(int x, int y);
  // Popup with placement data of this opening only: the control it opens from, its own loop,
  // the screen rectangle of the opening item, the animation and the opening item's size.
  void PopupEx(int x, int y, int ownerWidth, int ownerHeight, bool showAnimation, const TRect* ownerBounds,
               TWinControl* ownerControl, bool useOwnMessageLoop);
  void PopupFromCursorPos();
  // The button control whose drop-down this menu is, while it opens the menu.
  void SetOwnerItemControl(TdxBarItemControl* control) { ownerItemControl_ = control; }
  // Whether the key message is the shortcut of an item in the menu.
  bool IsShortCutKey(const MSG& message);

  bool GetEnabled() const override { return true; }
  void SetEnabled(bool) override {}
  void SetVisible(TdxBarItemVisible) override {}

  // IdxBarLinksOwner
  bool CanContainItem(TdxBarItem* item, std::string& text) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* GetInstance() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return itemLinks_; }

  // IdxBarSubMenuOwner
  int GetBarSize() override { return barSize_; }
  void DoPaintBar(TCanvas* canvas, const TRect& rect) override;

 protected:
  virtual TdxBarSubMenuControl* CreateMenuWindow();

 private:
  void MenuPopup(TObject* sender);
  void MenuCloseUp(TObject* sender);
  void RunMessageLoop();
  void RestoreDefaults();

  TdxBarItemLinks* itemLinks_;
  int barSize_ = 0;
  bool popupVisible_ = false;
  bool showAnimation_ = true;
  bool useOwnMessageLoop_ = true;
  int ownerWidth_ = 0;
  int ownerHeight_ = 0;
  bool hasOwnerBounds_ = false;
  TRect ownerBounds_;
  TWinControl* ownerControl_ = nullptr;
  TdxBarItemControl* ownerItemControl_ = nullptr;
};

class TdxBarPopupMenu : public TdxBarCustomPopupMenu {
  CALDERAN_CLASS(TdxBarPopupMenu)
  explicit TdxBarPopupMenu(TComponent* owner) : TdxBarCustomPopupMenu(owner) {}
};

// Whether a message is a mouse press outside the menu windows of a chain (from its root menu
// down, and the bar windows the root opened from).
bool IsPressOutsideMenus(const MSG& message, TCustomdxBarControl* rootMenu);

extern const TUnitInfo dxBarPopupMenuUnit;
