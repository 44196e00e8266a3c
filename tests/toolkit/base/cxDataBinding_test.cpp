#include "calderan_test.h"

#include <memory>

#include "cxDataBinding.h"

namespace {

struct TListener : TObject {
  int stateChanges = 0, valueChanges = 0;
  void StateChanged() { ++stateChanges; }
  void ValueChanged() { ++valueChanges; }
};

TEST(DataBinding, ReadOnlyReportsOnlyChanges) {
  TComponent control(nullptr);
  std::unique_ptr<TcxCustomDataBinding> binding(TcxDataBinding::StaticClassOperations()->Create(&control, &control));
  TListener listener;
  binding->OnStateChange = MakeEvent(&listener, &TListener::StateChanged);
  binding->OnValueChange = MakeEvent(&listener, &TListener::ValueChanged);
  binding->SetReadOnly(false);
  EXPECT_EQ(listener.stateChanges, 0);
  binding->SetReadOnly(true);
  EXPECT_EQ(listener.stateChanges, 1);
  EXPECT_TRUE(binding->ReadOnly());
  EXPECT_FALSE(binding->CanModify());
  EXPECT_FALSE(binding->CanPost());
  binding->SetReadOnly(true);
  EXPECT_EQ(listener.stateChanges, 1);
  binding->NotifyValueChange();
  EXPECT_EQ(listener.valueChanges, 1);
  binding->OnUpdate = {};
  binding->NotifyUpdate();  // no handler: nothing
}

TEST(DataBinding, AFreshBindingIsOneWithoutData) {
  TComponent control(nullptr), data(nullptr);
  for (const TcxCustomDataBindingClass* cls :
       {TcxCustomDataBinding::StaticClassOperations(),
        static_cast<const TcxCustomDataBindingClass*>(TcxDataBinding::StaticClassOperations())}) {
    std::unique_ptr<TcxCustomDataBinding> binding(cls->Create(&control, &data));
    EXPECT_EQ(binding->ClassType(), cls->Class());
    EXPECT_EQ(binding->GetOwner(), &control);
    EXPECT_EQ(binding->DataComponent(), &data);
    EXPECT_FALSE(binding->ReadOnly());
    EXPECT_TRUE(binding->CanModify());
    EXPECT_TRUE(binding->CanPost());
    EXPECT_TRUE(binding->QueryEnabled());
    EXPECT_FALSE(binding->QueryConnected());
    EXPECT_FALSE(binding->QueryBound());
    EXPECT_FALSE(binding->HandleExecuteAction(nullptr));
    EXPECT_FALSE(binding->HandleUpdateAction(nullptr));
    TVariant value = 5;
    binding->FetchValue(0, 0, value);
    EXPECT_TRUE(value.IsNull());
  }
}

}  // namespace
