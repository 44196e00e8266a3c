// A small editor kind for the framework's tests: a platform edit box as inner edit that offers its
// keys to the editor first, and properties that validate, reset on Esc and (when asked) detect value
// changes. It shows its edit value as text and takes the typed text back when validated.
#pragma once
#include "StdCtrls.h"
#include "editors_fixture.h"

class TTestEditPropertiesClass : public TcxCustomEditPropertiesClass {
 public:
  using TcxCustomEditPropertiesClass::TcxCustomEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditClass* EditClass() const override;
};

class TTestEditProperties : public TcxCustomEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TTestEditProperties, TTestEditPropertiesClass)
  explicit TTestEditProperties(TPersistent* owner) : TcxCustomEditProperties(owner, StaticClassOperations()) {}
  bool ValidatesDisplayValue() const override { return true; }
  bool SupportsValueReset() const override { return true; }
  bool DetectsValueChange() const override { return Detects; }
  bool WantsTabs() const override { return Tabs; }
  bool Detects = true;
  bool Tabs = false;
};

class TTestInnerEdit : public TEdit, public IcxCustomInnerEdit {
  CALDERAN_CLASS(TTestInnerEdit)
  explicit TTestInnerEdit(TComponent* owner) : TEdit(owner) {}
  TWinControl* Control() override { return this; }
  bool CanFocus() override { return TEdit::CanFocus(); }
  void SafelySetFocus() override { SetFocus(); }
  void SetReadOnly(bool value) override { TEdit::SetReadOnly(value); }
  void SetOnChange(const TNotifyEvent& handler) override { OnChange = handler; }

 protected:
  TcxContainer* Editor() { return ObjectAs<TcxContainer>(Owner()); }
  void KeyDown(Word& key, TShiftState shift) override {
    if (TcxContainer* editor = Editor()) editor->DoKeyDown(key, shift);
    if (key) TEdit::KeyDown(key, shift);
  }
  void KeyPress(char& key) override {
    if (TcxContainer* editor = Editor()) editor->DoKeyPress(key);
    if (key) TEdit::KeyPress(key);
  }
};

class TTestEditClass : public TcxCustomEditClass {
 public:
  using TcxCustomEditClass::TcxCustomEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TTestEditProperties::StaticClassOperations();
  }
  TClass InnerEditClass() const override { return TTestInnerEdit::StaticClass(); }
};

class TTestEdit : public TcxCustomEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TTestEdit, TTestEditClass)
  explicit TTestEdit(TComponent* owner, bool inPlace = false) : TcxCustomEdit(owner, StaticClassOperations(), inPlace) {}
  TTestEditProperties* Properties() const { return static_cast<TTestEditProperties*>(OwnProperties()); }
  TTestInnerEdit* Inner() const { return static_cast<TTestInnerEdit*>(InnerEdit()->Control()); }
  std::string InnerText() const { return Inner()->Text(); }

  void DisplayValueText(std::string& text) override { text = Inner()->Text(); }
  void ShowDisplayValue(const TVariant& value) override { Inner()->SetText(Str(value)); }
  void UpdateDisplayFromValue() override { Inner()->SetText(Str(EditValue())); }
  void ReadInnerValue(TVariant& value) override { value = TVariant(Inner()->Text()); }
  void ApplyDisplayValue(const TVariant& value) override { InternalSetEditValue(value, false); }
  void SelectAllText() override { Inner()->SelectAll(); }
  bool CharModifiesValue(char) override { return true; }

 private:
  static std::string Str(const TVariant& value) {
    return value.IsNull() || value.IsEmpty() ? std::string() : value.AsString();
  }
};

inline TcxCustomEditProperties* TTestEditPropertiesClass::Create(TPersistent* owner) const {
  return new TTestEditProperties(owner);
}
inline const TcxCustomEditClass* TTestEditPropertiesClass::EditClass() const {
  return TTestEdit::StaticClassOperations();
}
inline TcxCustomEdit* TTestEditClass::Create(TComponent* owner, bool inPlace) const {
  return new TTestEdit(owner, inPlace);
}

// A repository item whose properties are the test kind's.
class TTestRepositoryItemClass : public TcxEditRepositoryItemClass {
 public:
  using TcxEditRepositoryItemClass::TcxEditRepositoryItemClass;
  TcxEditRepositoryItem* Create(TComponent* owner) const override;
  const TcxCustomEditPropertiesClass* ItemPropertiesClass() const override {
    return TTestEditProperties::StaticClassOperations();
  }
};

class TcxEditRepositoryTestItem : public TcxEditRepositoryItem {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxEditRepositoryTestItem, TTestRepositoryItemClass)
  explicit TcxEditRepositoryTestItem(TComponent* owner) : TcxEditRepositoryItem(owner, StaticClassOperations()) {}
};

inline TcxEditRepositoryItem* TTestRepositoryItemClass::Create(TComponent* owner) const {
  return new TcxEditRepositoryTestItem(owner);
}

// Class records of the test kind (one translation unit per test executable includes this).
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TTestEditProperties, TcxCustomEditProperties)
CALDERAN_IMPLEMENT_CREATABLE(TTestInnerEdit, TEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TTestEdit, TcxCustomEdit, TComponent*)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxEditRepositoryTestItem, TcxEditRepositoryItem)

// Counts an editor's change events.
struct TEditEvents {
  int changes = 0, valueChanges = 0, buttonClicks = 0, lastButton = -1;
  void Change(TObject*) { ++changes; }
  void ValueChange(TObject*) { ++valueChanges; }
  void ButtonClick(TObject*, int index) { ++buttonClicks, lastButton = index; }
  void Attach(TcxCustomEditProperties* properties) {
    properties->OnChange = MakeEvent(this, &TEditEvents::Change);
    properties->OnEditValueChanged = MakeEvent(this, &TEditEvents::ValueChange);
    properties->OnButtonClick = MakeEvent(this, &TEditEvents::ButtonClick);
  }
};
