// Object lists: TObjectList frees its objects when they leave it (OwnsObjects); TComponentList
// also drops a component that is freed elsewhere.
#pragma once
#include "Classes.h"

class TObjectList : public TList {
  CALDERAN_CLASS(TObjectList)
  explicit TObjectList(bool ownsObjects = true) : ownsObjects_(ownsObjects) {}
  ~TObjectList() override;

  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool value) { ownsObjects_ = value; }
  TObject* Items(int index) const { return static_cast<TObject*>(Get(index)); }
  TObject* operator[](int index) const { return Items(index); }
  int Add(TObject* object) { return TList::Add(object); }
  void Insert(int index, TObject* object) { TList::Insert(index, object); }
  int Remove(TObject* object) { return TList::Remove(object); }
  TObject* Extract(TObject* object) { return static_cast<TObject*>(TList::Extract(object)); }
  int IndexOf(const TObject* object) const { return TList::IndexOf(object); }
  TObject* First() const { return Items(0); }
  TObject* Last() const { return Items(Count() - 1); }
  // Index of the first object of the class (exactly, or a descendant) from startAt, or -1.
  int FindInstanceOf(TClass cls, bool exact = true, int startAt = 0) const;

 protected:
  void Notify(void* item, TListNotification action) override;

 private:
  bool ownsObjects_;
};

class TComponentList : public TObjectList {
  CALDERAN_CLASS(TComponentList)
  explicit TComponentList(bool ownsObjects = true);
  ~TComponentList() override;

  TComponent* Items(int index) const { return static_cast<TComponent*>(Get(index)); }
  TComponent* operator[](int index) const { return Items(index); }
  int Add(TComponent* component) { return TObjectList::Add(component); }
  void Insert(int index, TComponent* component) { TObjectList::Insert(index, component); }
  int Remove(TComponent* component) { return TObjectList::Remove(component); }
  TComponent* Extract(TComponent* component) { return static_cast<TComponent*>(TObjectList::Extract(component)); }
  int IndexOf(const TComponent* component) const { return TObjectList::IndexOf(component); }

 protected:
  void Notify(void* item, TListNotification action) override;

 private:
  class TNexus;
  friend class TNexus;
  void HandleFreeNotify(TComponent* component);
  TComponent* nexus_;  // watches the listed components for their destruction
};
