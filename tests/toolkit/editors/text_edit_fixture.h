// A form with a text editor on it, and real key, character and clipboard messages to its EDIT window.
#pragma once
#include <windows.h>

#include <string>

#include "cxTextEdit.h"
#include "editors_fixture.h"

// A text editor kind whose editing style the test chooses (the list editors choose theirs from
// their own settings).
class TStyledTextEditPropertiesClass : public TcxCustomTextEditPropertiesClass {
 public:
  using TcxCustomTextEditPropertiesClass::TcxCustomTextEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
};

class TStyledTextEditProperties : public TcxTextEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TStyledTextEditProperties, TStyledTextEditPropertiesClass)
  explicit TStyledTextEditProperties(TPersistent* owner) : TcxTextEditProperties(owner, StaticClassOperations()) {}
  TcxTextEditingStyle GetEditingStyle() const override { return style_; }
  void SetStyle(TcxTextEditingStyle style) {
    style_ = style;
    NotifyChanged();
  }

 private:
  TcxTextEditingStyle style_ = tesFixedList;
};

inline TcxCustomEditProperties* TStyledTextEditPropertiesClass::Create(TPersistent* owner) const {
  return new TStyledTextEditProperties(owner);
}

class TStyledTextEditClass : public TcxTextEditClass {
 public:
  using TcxTextEditClass::TcxTextEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TStyledTextEditProperties::StaticClassOperations();
  }
};

class TStyledTextEdit : public TcxTextEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TStyledTextEdit, TStyledTextEditClass)
  explicit TStyledTextEdit(TComponent* owner) : TcxTextEdit(owner, StaticClassOperations(), false) {}
  TStyledTextEditProperties* Styled() const { return static_cast<TStyledTextEditProperties*>(Properties()); }
  // As the combo boxes: keys and the wheel move through the items.
  bool ScrollsLookup = false;
  bool AllowsLookupScrolling(bool) override { return ScrollsLookup; }
};

inline TcxCustomEdit* TStyledTextEditClass::Create(TComponent* owner, bool) const { return new TStyledTextEdit(owner); }

// Each test program includes this header once.
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TStyledTextEditProperties, TcxTextEditProperties)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TStyledTextEdit, TcxTextEdit, TComponent*)

// Real key, character and key-up messages for each character, to a window.
inline void TypeInto(HWND window, const std::string& chars) {
  for (char ch : chars) {
    SHORT scan = VkKeyScanA(ch);
    SendMessageA(window, WM_KEYDOWN, LOBYTE(scan), 1);
    SendMessageA(window, WM_CHAR, static_cast<unsigned char>(ch), 1);
    SendMessageA(window, WM_KEYUP, LOBYTE(scan), 0xC0000001);
  }
}

struct TextEditFixture : EditorsFixture {
  TextEditFixture() {
    editor = Place(new TcxTextEdit(form.get()), 10, 10, 121, 21);
    PumpWhileBusy();
  }
  HWND InnerWindow() { return editor->InnerTextEdit()->Handle(); }
  void Focus() {
    editor->InnerTextEdit()->SetFocus();
    PumpWhileBusy();
  }
  void Type(const std::string& chars) { TypeInto(InnerWindow(), chars); }
  void PutOnClipboard(const std::string& text) { PutTextOnClipboard(form->Handle(), text); }
  void Select(int start, int length) { SendMessageA(InnerWindow(), EM_SETSEL, start, start + length); }
  int SelectionStart() {
    DWORD start = 0;
    SendMessageA(InnerWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
  }
  TcxTextEdit* editor;
};
