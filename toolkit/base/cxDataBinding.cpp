#include "cxDataBinding.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomDataBinding, TPersistent)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxDataBinding, TcxCustomDataBinding)

TcxCustomDataBinding* TcxCustomDataBindingClass::Create(TPersistent* owner, TComponent* dataComponent) const {
  return new TcxCustomDataBinding(owner, dataComponent);
}

TcxCustomDataBinding* TcxDataBindingClass::Create(TPersistent* owner, TComponent* dataComponent) const {
  return new TcxDataBinding(owner, dataComponent);
}

void TcxCustomDataBinding::NotifyValueChange() {
  if (OnValueChange) OnValueChange();
}

void TcxCustomDataBinding::NotifyStateChange() {
  if (OnStateChange) OnStateChange();
}

void TcxCustomDataBinding::ChangeReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  NotifyStateChange();
}

void TcxCustomDataBinding::NotifyUpdate() {
  if (OnUpdate) OnUpdate();
}

void TcxCustomDataBinding::FetchValue(int field, int record, TVariant& value) const {
  (void)field, (void)record;
  value = TVariant::Null();
}
