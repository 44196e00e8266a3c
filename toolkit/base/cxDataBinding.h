// The object through which a data-bound control talks to its data. The base behaves as a binding
// without data; the owning control creates it through a class reference with (itself, itself),
// points the handlers at its own operations and passes action queries and focus loss on to it.
#pragma once
#include "Classes.h"
#include "Variants.h"

class TBasicAction;
class TcxCustomDataBinding;

class TcxCustomDataBindingClass : public TClassOperations {
 public:
  using TClassOperations::TClassOperations;
  virtual TcxCustomDataBinding* Create(TPersistent* owner, TComponent* dataComponent) const;
};

class TcxCustomDataBinding : public TPersistent {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomDataBinding, TcxCustomDataBindingClass)
  TcxCustomDataBinding(TPersistent* owner, TComponent* dataComponent)
      : dataComponent_(dataComponent), bindingOwner_(owner) {}
  TPersistent* GetOwner() override { return bindingOwner_; }
  TComponent* DataComponent() const { return dataComponent_; }
  TPersistent* BindingOwner() const { return bindingOwner_; }
  bool ReadOnly() const { return GetReadOnly(); }
  void SetReadOnly(bool value) { ChangeReadOnly(value); }

  TEvent<void()> OnValueChange;
  TEvent<void()> OnStateChange;
  TEvent<void()> OnUpdate;

  virtual void NotifyValueChange();
  virtual void NotifyStateChange();
  virtual bool QueryConnected() const { return false; }
  virtual bool GetReadOnly() const { return readOnly_; }
  // Stores a different value and reports the state change.
  virtual void ChangeReadOnly(bool value);
  virtual void NotifyUpdate();
  virtual void RefreshBinding() {}
  virtual bool CanModify() const { return !GetReadOnly(); }
  virtual bool HandleExecuteAction(TBasicAction* action) { (void)action; return false; }
  virtual void FetchValue(int field, int record, TVariant& value) const;
  virtual bool IsReadOnly() const { return GetReadOnly(); }
  virtual bool QueryEnabled() const { return true; }
  virtual bool QueryBound() const { return false; }
  virtual void MarkChanged() {}
  virtual bool CanPost() const { return CanModify(); }
  virtual void StoreValue(int field, int record) { (void)field, (void)record; }
  virtual bool HandleUpdateAction(TBasicAction* action) { (void)action; return false; }
  virtual void HandleExit() {}

 private:
  TComponent* dataComponent_;
  TPersistent* bindingOwner_;
  bool readOnly_ = false;
};

class TcxDataBindingClass : public TcxCustomDataBindingClass {
 public:
  using TcxCustomDataBindingClass::TcxCustomDataBindingClass;
  TcxCustomDataBinding* Create(TPersistent* owner, TComponent* dataComponent) const override;
};

class TcxDataBinding : public TcxCustomDataBinding {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxDataBinding, TcxDataBindingClass)
  using TcxCustomDataBinding::TcxCustomDataBinding;
};
