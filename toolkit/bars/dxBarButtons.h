// The plain command items: the button (also checkable, in radio-style groups, and with an optional
// drop-down menu), the caption-only label, the captioned menu separator and the application-menu
// button item, which has no behaviour of its own. Their item controls come with the bar windows.
//
// A button keeps its DropDownMenu reference and refuses recursive menus through the menu's links;
// DropDown hands the opening to the routine the popup-menu module installs
// (SetBarButtonDropDownHandler); without one nothing opens.
#pragma once
#include <string>

#include "dxBarItem.h"
#include "dxBarItemLinks.h"

enum TdxBarButtonStyle : uint8_t { bsDefault, bsChecked, bsDropDown, bsCheckedDropDown };
extern const TEnumInfo TdxBarButtonStyleInfo;

class TdxBarButton : public TdxBarItem, public IdxBarLinksOwner {
  CALDERAN_CLASS(TdxBarButton)
  explicit TdxBarButton(TComponent* owner);
  ~TdxBarButton() override;

  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  TdxBarButtonStyle ButtonStyle() const { return static_cast<TdxBarButtonStyle>(styleState_); }
  void SetButtonStyle(TdxBarButtonStyle value);
  bool IsCheckable() const { return (styleState_ & 1) != 0; }
  bool HasDropDownPart() const { return (styleState_ & 2) != 0; }
  bool CloseSubMenuOnClick() const { return closeSubMenuOnClick_; }
  void SetCloseSubMenuOnClick(bool value) { closeSubMenuOnClick_ = value; }
  bool Down() const { return down_; }
  // Keeps the button group: one down button per GroupIndex, released only with AllowAllUp.
  void SetDown(bool value);
  bool IsDownStored() const;
  bool DropDownEnabled() const { return dropDownEnabled_; }
  void SetDropDownEnabled(bool value);
  // The popup menu (a component whose ItemLinks are the menu's links); refuses recursive menus.
  TComponent* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TComponent* value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool Lowered() const { return lowered_; }
  void SetLowered(bool value);

  bool SupportsPaintStyle() const override { return true; }
  TdxBarItemLinks* GetOwnItemLinks() const override;
  bool CanActivateByAccel(TdxBarItemLink* link) const override;
  void PaintStyleChanged() override;
  std::string GetDefaultCaption() const override { return "New Button"; }
  int GetSupportedActions() override;
  void ClickByKey() override;
  // Opens the drop-down menu under an item control, at a screen point.
  virtual void DropDown(TdxBarItemControl* control, int x, int y, bool byMouse);
  void Notification(TComponent* component, TOperation operation) override;
  void Assign(TPersistent* source) override;

  // IdxBarLinksOwner (for the drop-down menu's links)
  bool CanContainItem(TdxBarItem* item, std::string& text) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* GetInstance() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return GetOwnItemLinks(); }

 private:
  bool IsDownPartner(const TdxBarButton* other) const;
  bool AnotherDownInGroup() const;
  TdxBarButton* DownPartner() const;

  bool allowAllUp_ = false;
  bool closeSubMenuOnClick_ = true;
  bool down_ = false;
  bool dropDownEnabled_ = true;
  TComponent* dropDownMenu_ = nullptr;
  int groupIndex_ = 0;
  uint8_t styleState_ = 0;
  bool lowered_ = false;
};

class TdxBarLabel : public TdxBarItem {
  CALDERAN_CLASS(TdxBarLabel)
  explicit TdxBarLabel(TComponent* owner);
};

class TdxBarSeparator : public TdxBarLabel {
  CALDERAN_CLASS(TdxBarSeparator)
  explicit TdxBarSeparator(TComponent* owner) : TdxBarLabel(owner) {}
  // Only menus (kind 1) take a separator.
  bool CanBePlacedOn(int kind, TComponent* owner, std::string& errorText) const override;
  std::string GetDefaultCaption() const override { return "New Separator"; }
  int GetSupportedActions() override;
};

class TdxBarApplicationMenuButtonItem : public TdxBarItem {
  CALDERAN_CLASS(TdxBarApplicationMenuButtonItem)
  explicit TdxBarApplicationMenuButtonItem(TComponent* owner) : TdxBarItem(owner) {}
};

// The links of a popup-menu component (nil for anything else); the popup-menu part installs it.
using TdxBarPopupMenuLinksFunc = TdxBarItemLinks* (*)(TComponent* menu);
void SetBarPopupMenuLinksFunc(TdxBarPopupMenuLinksFunc func);
// Opens a button's drop-down menu; the popup-menu part installs it.
using TdxBarButtonDropDownHandler = void (*)(TdxBarButton* button, TdxBarItemControl* control, int x, int y,
                                             bool byMouse);
void SetBarButtonDropDownHandler(TdxBarButtonDropDownHandler handler);

// Registers the item classes of this module with their published properties.
void RegisterBarButtonItems();
