// The common bases of the bar system's non-visual objects: the selectable-element interface that
// customizing uses, the bar component (base of items, groups and bar popup menus), the manager's
// persistent option objects, and the lists that hold bar components without owning them.
#pragma once
#include <string>

#include "Classes.h"
#include "Contnrs.h"
#include "System.h"
#include "dxBarTypes.h"

class TdxBarComponentList;

// What customizing does with items, links and the elements of bar windows.
class IdxBarSelectableItem {
 public:
  virtual bool CanDelete(bool checkDesigner) = 0;
  // Frees the element when it may be deleted; the caller's reference is cleared first.
  virtual void DeleteSelf(IdxBarSelectableItem*& item, bool checkDesigner) = 0;
  virtual void DoAction(int action) = 0;
  virtual TdxBarManager* GetBarManager() = 0;
  virtual TPersistent* GetInstance() = 0;
  virtual void GetMasterObjects(TList* list) = 0;
  virtual IdxBarSelectableItem* GetNextSelectable() = 0;
  virtual TPersistent* GetSelectableParent() = 0;
  virtual int GetSelectionStatus() = 0;
  virtual int GetSupportedActions() = 0;
  virtual void Invalidate() = 0;
  virtual bool IsComplex() = 0;
  virtual bool IsSelected() = 0;
  virtual void Select(int mode) = 0;
  virtual bool SelectParent() = 0;
  virtual void SelectionChanged() = 0;

 protected:
  ~IdxBarSelectableItem() = default;
};

// The manager's persistent option objects; their owner (for naming and streaming) is the manager.
class TdxBarPersistent : public TPersistent {
  CALDERAN_CLASS(TdxBarPersistent)
  explicit TdxBarPersistent(TdxBarManager* manager) : manager_(manager) {}
  TdxBarManager* BarManager() const { return manager_; }
  TPersistent* GetOwner() override;

 private:
  TdxBarManager* manager_;
};

class TdxBarComponent : public TComponent, public IdxBarSelectableItem {
  CALDERAN_CLASS(TdxBarComponent)
  explicit TdxBarComponent(TComponent* owner);
  ~TdxBarComponent() override;

  TdxBarManager* BarManager() const { return manager_; }
  // Raises the change event of every list that holds the component (nil as the component when the
  // whole list changed).
  virtual void NotifyChanged(bool wholeList = false);
  virtual bool GetEnabled() const = 0;
  virtual void SetEnabled(bool value) = 0;
  virtual void SetVisible(TdxBarItemVisible value) = 0;
  // The lists the component is a member of.
  int MemberListCount() const { return memberLists_.Count(); }

  // IdxBarSelectableItem
  bool CanDelete(bool checkDesigner) override;
  void DeleteSelf(IdxBarSelectableItem*& item, bool checkDesigner) override;
  void DoAction(int) override {}
  TdxBarManager* GetBarManager() override { return manager_; }
  TPersistent* GetInstance() override { return this; }
  void GetMasterObjects(TList* list) override;
  IdxBarSelectableItem* GetNextSelectable() override { return nullptr; }
  TPersistent* GetSelectableParent() override { return Owner(); }
  int GetSelectionStatus() override;
  int GetSupportedActions() override { return 2; }
  void Invalidate() override {}
  bool IsComplex() override { return false; }
  bool IsSelected() override;
  void Select(int mode) override;
  bool SelectParent() override { return false; }
  void SelectionChanged() override {}

 protected:
  void SetBarManagerField(TdxBarManager* manager) { manager_ = manager; }

 private:
  friend class TdxBarComponentList;
  friend class TdxBarManager;
  TdxBarManager* manager_ = nullptr;
  TList memberLists_;
};

// A list of objects that never frees them.
class TdxObjectList : public TObjectList {
  CALDERAN_CLASS(TdxObjectList)
  TdxObjectList() : TObjectList(false) {}
  // Adds an object that is not nil and not yet listed.
  void AddUnique(TObject* object);
  TObject* Last() const { return Count() > 0 ? Items(Count() - 1) : nullptr; }
  // Nil for an index outside the list.
  TObject* ItemAt(int index) const { return index >= 0 && index < Count() ? Items(index) : nullptr; }
  void CopyTo(TList* dest) const;
};

// Actions of the component-list change event.
constexpr int dxListAdded = 0, dxListChanged = 1, dxListExtracted = 3, dxListDeleted = 4;

using TdxComponentListChangeEvent = TEvent<void(TObject* Sender, TComponent* Component, int Action)>;
using TdxComponentListNotifyEvent = TEvent<void(TObject* Sender, TComponent* Component, TListNotification Operation)>;

// A component list that never frees its components, refuses components of other classes, and
// reports changes while it is not updating.
class TdxComponentList : public TComponentList {
  CALDERAN_CLASS(TdxComponentList)
  TdxComponentList() : TComponentList(false) {}
  ~TdxComponentList() override;

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate(bool changed = true);
  int UpdateCount() const { return updateCount_; }
  // Raised only while the update count is 0.
  TdxComponentListChangeEvent OnComponentListChanged;
  TdxComponentListNotifyEvent OnNotify;

 protected:
  void Notify(void* item, TListNotification action) override;
  virtual void NotifyComponent(TComponent* component, TListNotification operation);
  virtual TClass GetItemClass() const { return TComponent::StaticClass(); }
  void DoChanged(TComponent* component, int action);

 private:
  int updateCount_ = 0;
};

// A component list of bar components that tells each member which lists hold it.
class TdxBarComponentList : public TdxComponentList {
  CALDERAN_CLASS(TdxBarComponentList)
  TdxBarComponentList() = default;
  ~TdxBarComponentList() override;
  TdxBarComponent* BarComponent(int index) const { return static_cast<TdxBarComponent*>(Items(index)); }

 protected:
  void NotifyComponent(TComponent* component, TListNotification operation) override;
  TClass GetItemClass() const override { return TdxBarComponent::StaticClass(); }
};

// An object's selectable-element interface, or nil.
IdxBarSelectableItem* GetSelectableItem(TObject* object);
