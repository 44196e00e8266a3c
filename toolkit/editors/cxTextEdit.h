// The single-line text editor: its platform EDIT window (the inner text edit), the settings all text
// editors share, and the editor control that decides which typed, pasted and assigned text it takes.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "StdCtrls.h"
#include "cxEdit.h"
#include "cxFormats.h"
#include "cxTextEditLookupData.h"

class TcxCustomTextEdit;

// Hears the regional-settings change for its owner and passes it on.
class TcxFormatChangeLink : public IcxFormatListener {
 public:
  explicit TcxFormatChangeLink(std::function<void()> handler);
  ~TcxFormatChangeLink();
  void FormatChanged() override { handler_(); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }

 private:
  std::function<void()> handler_;
};

enum TcxEditEchoMode : uint8_t { eemNormal, eemPassword };

// The platform EDIT window the text editor hosts: no border or background of its own (the editor
// paints them); its keys and clipboard traffic go to the editor first.
class TcxCustomInnerTextEdit : public TCustomEdit, public IcxCustomInnerEdit {
  CALDERAN_CLASS(TcxCustomInnerTextEdit)
  explicit TcxCustomInnerTextEdit(TComponent* owner);

  TWinControl* Control() override { return this; }
  bool CanFocus() override { return TCustomEdit::CanFocus(); }
  void SafelySetFocus() override { SetFocus(); }
  void SetReadOnly(bool value) override { TCustomEdit::SetReadOnly(value); }
  void SetOnChange(const TNotifyEvent& handler) override { OnChange = handler; }

  TAlignment Alignment() const { return alignment_; }
  // The alignment is a window style: a different value re-creates the window.
  void WriteAlignment(TAlignment value);
  TcxEditEchoMode EchoMode() const { return echoMode_; }
  void WriteEchoMode(TcxEditEchoMode value);
  char EchoChar() const { return echoChar_; }
  void WritePasswordChar(char value);
  bool KeyTaken() const { return keyTaken_; }
  void WriteKeyTaken(bool value) { keyTaken_ = value; }
  // While an IME character arrives the selection reads as it was when the character started.
  int ReadSelStart();
  int ReadSelLength();
  char ReadImeTrailChar() const { return imeCharState_ == 2 ? imeTrailChar_ : '\0'; }
  // The character index of the caret, found from the caret's pixel position.
  int CaretIndexFromCaretPos();
  // The EDIT class's own window procedure, bypassing every handler of the control.
  LRESULT CallDefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  TNotifyEvent OnSelectionChanged;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& message) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(Word& key, TShiftState shift) override;
  TcxCustomTextEdit* Editor() const;

 private:
  void ApplyPasswordChar();
  void SetMargins();
  void HandleClipboardMessage(TMessage& message);
  void HandleImeChar(TMessage& message);
  void HandleChar(TMessage& message);
  LRESULT DialogCode(TMessage& message);

  TAlignment alignment_ = taLeftJustify;
  TcxEditEchoMode echoMode_ = eemNormal;
  char echoChar_ = '\0';
  int imeCharState_ = 0;
  char imeTrailChar_ = '\0';
  bool keyTaken_ = false;
  bool settingAlignment_ = false;
  int savedSelStart_ = 0, savedSelLength_ = 0;
};

// The settings all text editors share.
class TcxCustomTextEditPropertiesClass : public TcxCustomEditPropertiesClass {
 public:
  using TcxCustomEditPropertiesClass::TcxCustomEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditClass* EditClass() const override;
};

class TcxCustomTextEditProperties : public TcxCustomEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomTextEditProperties, TcxCustomTextEditPropertiesClass)
  explicit TcxCustomTextEditProperties(TPersistent* owner)
      : TcxCustomTextEditProperties(owner, StaticClassOperations()) {}
  ~TcxCustomTextEditProperties() override;

  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value) { StoreCharCase(value); }
  TcxEditEchoMode EchoMode() const { return echoMode_; }
  void SetEchoMode(TcxEditEchoMode value) { SetNotifying(echoMode_, value); }
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char value) { SetNotifying(passwordChar_, value); }
  bool HideCursor() const { return hideCursor_; }
  void SetHideCursor(bool value) { SetNotifying(hideCursor_, value); }
  bool InFormatChange() const { return inFormatChange_; }
  // Characters, 0 = unlimited; a negative value is stored as 0.
  int MaxLength() const { return maxLengthAssigned_ ? maxLength_ : GetDefaultMaxLength(); }
  void SetMaxLength(int value);
  bool IsMaxLengthAssigned() const { return maxLengthAssigned_; }

  virtual void HandleFormatChanged();
  virtual int GetDefaultMaxLength() const;
  virtual TcxTextEditingStyle GetEditingStyle() const { return hideCursor_ ? tesNoEdit : tesFree; }
  virtual bool UsesThousandSeparator(bool /*displaying*/) const { return false; }
  virtual bool SupportsValueRange() const { return false; }
  virtual void HandleMaxLengthChanged() { NotifyChanged(); }
  virtual void StoreCharCase(TEditCharCase value) { SetNotifying(charCase_, value); }
  // Password echo, else the forced letter case.
  virtual void MaskDisplayText(std::string& text) const;

  bool ValidatesDisplayValue() const override { return true; }
  bool HooksInnerEditChange() const override { return true; }
  bool DetectsValueChange() const override { return true; }
  bool SupportsValueReset() const override { return GetEditingStyle() != tesNoEdit; }

 protected:
  TcxCustomTextEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);

 private:
  TEditCharCase charCase_ = ecNormal;
  TcxEditEchoMode echoMode_ = eemNormal;
  char passwordChar_ = '\0';
  bool hideCursor_ = false, inFormatChange_ = false, maxLengthAssigned_ = false;
  int maxLength_ = 0;
  std::unique_ptr<TcxFormatChangeLink> formatLink_;
};

class TcxTextEditProperties : public TcxCustomTextEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxTextEditProperties, TcxCustomTextEditPropertiesClass)
  explicit TcxTextEditProperties(TPersistent* owner) : TcxTextEditProperties(owner, StaticClassOperations()) {}

 protected:
  TcxTextEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
      : TcxCustomTextEditProperties(owner, cls) {}
};

// The clipboard's text, empty when it holds none.
std::string ClipboardText(HWND owner);

// Grouping of number texts by the locale's separators.
void GroupThousands(std::string& text);
void StripThousandSeparators(std::string& text);
bool IsPlainNumber(const std::string& text);

class TcxCustomTextEditClass : public TcxCustomEditClass {
 public:
  using TcxCustomEditClass::TcxCustomEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxCustomTextEditProperties::StaticClassOperations();
  }
  TClass InnerEditClass() const override { return TcxCustomInnerTextEdit::StaticClass(); }
};

class TcxCustomTextEdit : public TcxCustomEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomTextEdit, TcxCustomTextEditClass)
  explicit TcxCustomTextEdit(TComponent* owner, bool inPlace = false)
      : TcxCustomTextEdit(owner, StaticClassOperations(), inPlace) {}
  ~TcxCustomTextEdit() override;

  TcxCustomTextEditProperties* ActiveProperties() const;
  TcxCustomInnerTextEdit* InnerTextEdit() const;
  std::string Text() const;
  void SetText(const std::string& text);
  bool BeepOnEnter() const { return beepOnEnter_; }
  void SetBeepOnEnter(bool value) { beepOnEnter_ = value; }

  // Tests a text for insertion at the selection: the resulting text and the caret after it.
  bool CheckTextInsertion(const std::string& text, std::string& newText, int& caret);
  void InsertText(const std::string& text);
  void PasteSelection();
  void CutSelection();
  void CopySelectedText();
  void RemoveSelectedText();

  // A regional-settings change re-formats the shown text.
  void HandleFormatChanged();
  void DisplayValueText(std::string& text) override;
  void ShowDisplayValue(const TVariant& value) override;
  void UpdateDisplayFromValue() override;
  void ReadInnerValue(TVariant& value) override;
  void ApplyDisplayValue(const TVariant& value) override;
  void SelectAllText() override;
  bool CharModifiesValue(char) override { return true; }
  void InnerEditChanged(TObject* sender) override;
  void ApplyPropertiesChange(TObject* properties) override;
  bool IsDisplayTextValid(const std::string& text) override;
  // The platform edit moves the caret itself.
  bool SupportsInnerKeyNavigation() override { return true; }
  void DisplayToEditValue(const TVariant& display, TVariant& value, bool) override { value = display; }

 protected:
  TcxCustomTextEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
  void WndProc(TMessage& message) override;
  // What the window-text messages answer.
  virtual std::string WindowText() const { return Text(); }

 private:
  struct TKeyboardActionScope;
  void RegroupThousands();
  LRESULT GetTextMessage(TMessage& message);
  bool ShowsGroupedNumbers();
  std::string finalText_;
  std::unique_ptr<TcxFormatChangeLink> formatLink_;
  bool beepOnEnter_ = true, settingTextByMessage_ = false, regrouping_ = false;
};

class TcxTextEditClass : public TcxCustomTextEditClass {
 public:
  using TcxCustomTextEditClass::TcxCustomTextEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxTextEditProperties::StaticClassOperations();
  }
};

class TcxTextEdit : public TcxCustomTextEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxTextEdit, TcxTextEditClass)
  explicit TcxTextEdit(TComponent* owner, bool inPlace = false) : TcxTextEdit(owner, StaticClassOperations(), inPlace) {}
  TcxTextEditProperties* Properties() const { return static_cast<TcxTextEditProperties*>(OwnProperties()); }

 protected:
  TcxTextEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace) : TcxCustomTextEdit(owner, cls, inPlace) {}
};
extern const TUnitInfo cxTextEditUnit;
