// Container items: sub items whose contents are not opened as a menu but expanded in place into
// the menu or bar that shows them. A container item copies the links it holds; a list item
// turns its strings into buttons it makes itself (one per entry, "-" starts a new group).
// A bar window expands such an item each time it builds its links and collapses it when it
// closes; the buttons a list item made are freed lazily, once nothing links them any more.
#pragma once
#include <string>
#include <vector>

#include "dxBarSubItem.h"
#include "dxBarSubMenu.h"

class TStringList;
class TdxBarButton;

class TCustomdxBarContainerItem : public TCustomdxBarSubItem {
  CALDERAN_CLASS(TCustomdxBarContainerItem)
  explicit TCustomdxBarContainerItem(TComponent* owner) : TCustomdxBarSubItem(owner) {}

  // Fired the first time the item is expanded in a bar window, to fill the item.
  TNotifyEvent OnGetData;

  bool HasContent() const override { return static_cast<bool>(OnGetData); }
  // Inserts the expanded links into links at index, copied from containerLink.
  virtual void AddExpandedLinks(TdxBarItemLinks* links, int index, TdxBarItemLink* containerLink, bool firstTime);
  virtual void RemoveExpandedLinks(TdxBarItemLinks*, int) {}
  virtual void DropGeneratedItems() { needClear_ = false; }
  virtual bool HidesContainerLink() const { return true; }
  // The bar window removed the expanded links: the generated items may go at the next expansion.
  void SetNeedClear() { needClear_ = true; }

 protected:
  void ItemsChanged(TObject* sender);
  // Adds a link to target at position, remembering the container link it stands for.
  static TdxBarItemLink* AddCopiedLink(TdxBarItemLinks* target, int position, TdxBarItemLink* containerLink);

 private:
  bool inGetData_ = false;
  bool needClear_ = false;
};

class TdxBarContainerItem : public TCustomdxBarContainerItem {
  CALDERAN_CLASS(TdxBarContainerItem)
  explicit TdxBarContainerItem(TComponent* owner);

  bool HasContent() const override;
  // False without links; true when no link has an item; else true when a linked item is shown.
  bool HasShownLinks() const;
  bool CanMergeWith(TdxBarItem* item) const override;
  void AddExpandedLinks(TdxBarItemLinks* links, int index, TdxBarItemLink* containerLink, bool firstTime) override;
  void RemoveExpandedLinks(TdxBarItemLinks* links, int index) override;
};

class TdxBarListItem : public TCustomdxBarContainerItem {
  CALDERAN_CLASS(TdxBarListItem)
  explicit TdxBarListItem(TComponent* owner);
  ~TdxBarListItem() override;

  TStringList* Items() const { return items_; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int value) { itemIndex_ = value; }
  // ItemIndex counted over the entries that are not "-".
  int DataIndex() const;
  void SetDataIndex(int value);
  bool ShowCheck() const { return showCheck_; }
  void SetShowCheck(bool value) { showCheck_ = value; }
  bool ShowNumbers() const { return showNumbers_; }
  void SetShowNumbers(bool value) { showNumbers_ = value; }
  int GeneratedCount() const { return static_cast<int>(generated_.size()); }
  TdxBarItem* Generated(int index) const { return generated_[index]; }

  bool HasContent() const override;
  // Only a click on the item itself while none of its links is active (opening its entries is none).
  void Click() override;
  void AddExpandedLinks(TdxBarItemLinks* links, int index, TdxBarItemLink* containerLink, bool firstTime) override;
  void RemoveExpandedLinks(TdxBarItemLinks* links, int index) override;
  void DropGeneratedItems() override;
  virtual std::string GetItemHint(const std::string&) const { return {}; }
  virtual std::string GetDisplayTextOf(const std::string& text) const { return text; }
  virtual std::string GetEntryDisplayText(int index) const;

 protected:
  // A generated button freed by its owner leaves the list.
  void Notification(TComponent* component, TOperation operation) override;
  static bool IsSeparatorEntry(const std::string& text) { return text == "-"; }
  std::vector<TdxBarItem*> generated_;

 private:
  TdxBarButton* MakeEntryButton(int entry, int counter);
  void FreeGeneratedItems();
  std::string EntryCaption(int entry, int counter) const;
  void EntryClick(TObject* sender);

  TStringList* items_;
  int itemIndex_ = -1;
  bool showCheck_ = false;
  bool showNumbers_ = true;
};

// The menu that shows a container item's contents when its control opens them: it holds the
// expanded links while open and gives them back when it goes.
class TContainerItemSubMenuControl : public TdxBarSubMenuControl {
  CALDERAN_CLASS(TContainerItemSubMenuControl)
  TContainerItemSubMenuControl(TdxBarManager* manager, TCustomdxBarContainerItem* container);
  ~TContainerItemSubMenuControl() override;
  bool IsCustomizing() const { return false; }

 private:
  TCustomdxBarContainerItem* container_;
};

// The control of a container item: an entry that opens the item's contents as a menu of their own.
class TdxBarContainerItemControl : public TdxBarSubItemControl {
  CALDERAN_CLASS(TdxBarContainerItemControl)
  using TdxBarSubItemControl::TdxBarSubItemControl;
  bool AcceptsDblClick() const override;

 protected:
  TdxBarSubMenuControl* CreateSubMenuControl() override;
};

extern const TUnitInfo dxBarContainerItemsUnit;
