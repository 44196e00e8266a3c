// The masked editor's editing modes: every keystroke, deletion, caret movement, paste and value
// conversion of a masked editor goes through one mode object, the standard mode for fixed-position
// masks, the regular-expression mode, or the extended one that also types the characters the
// pattern forces. A mode speaks to its editor only through IcxMaskEditModeHost, which the masked
// editor implements (and a properties object, for display conversions without an editor).
// Leaves out: activation of the masked editor by a key in place (its redraw lock).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "cxClasses.h"
#include "cxEdit.h"
#include "cxRegExpr.h"
#include "cxStandardMask.h"
#include "cxTextEdit.h"

CX_RESOURCESTRING(scxMaskEditRegExprError, 0xCA0C, "Regular expression errors:")
CX_RESOURCESTRING(scxMaskEditInvalidEditValue, 0xCA0D, "The edit value is invalid")

enum TcxEditMaskKind : uint8_t { emkStandard = 0, emkRegExpr = 1, emkRegExprEx = 2 };

// Raised by the regular-expression modes when a mask does not compile.
CALDERAN_EXCEPTION(EcxMaskEditError, EcxEditError)

// A mask text is blank when empty or made of blanks (NUL, TAB, LF, FF, CR, space) only.
bool IsBlankMaskText(const std::string& mask);

// What a mode asks of its editor and of the properties in force. The editor questions are asked
// only while HasEditor is true.
class IcxMaskEditModeHost {
 public:
  virtual ~IcxMaskEditModeHost() = default;

  // The properties.
  virtual bool CaseInsensitive() const = 0;
  virtual bool IgnoreMaskBlank() const = 0;
  virtual bool BeepOnError() const = 0;
  virtual bool CharCaseNormal() const = 0;
  virtual bool IsMasked() const = 0;

  // The editor: an editor with its inner edit, and whether its window exists.
  virtual bool HasEditor() const = 0;
  virtual bool HasWindow() const = 0;
  // The editor's Text, the inner edit's current text, and the data binding's display text.
  virtual std::string Text() const = 0;
  virtual std::string CurrentText() const = 0;
  virtual std::string DisplayText() const = 0;
  virtual void SetDisplayText(const std::string& text) = 0;
  // Writes a text into the inner edit.
  virtual void ShowDisplayValue(const std::string& text) = 0;
  // The guarded edit value assignment.
  virtual void AssignEditValue(const std::string& value) = 0;
  // What RefreshEditValue shows: whether the editor was modified since it was entered, and the
  // properties' display form of its edit value.
  virtual bool ModifiedAfterEnter() const = 0;
  virtual std::string EditValueToDisplay() const = 0;

  // The selection; the caret is the character index at the platform caret. The plain setters
  // notify the mode (CaretMovedByUser), the quiet ones do not.
  virtual int SelStart() const = 0;
  virtual int SelLength() const = 0;
  virtual int CaretPosition() const = 0;
  virtual void SetSelStart(int value) = 0;
  virtual void SetSelLength(int value) = 0;
  virtual void SetSelStartQuiet(int value) = 0;
  virtual void SetSelLengthQuiet(int value) = 0;
  // Key and character messages straight to the platform edit control's default handling.
  virtual void SendKeyInternal(uint16_t key) = 0;
  virtual void SendCharInternal(char ch) = 0;
  // Whether Shift was down at the last key-down.
  virtual bool ShiftDown() const = 0;
  virtual void SetShiftDown(bool value) = 0;
  // The editor's say on a typed character at a 1-based position; may change it.
  virtual bool AcceptsTypedChar(char& ch, int position) = 0;
};

class TcxMaskEditCustomMode : public TObject {
  CALDERAN_CLASS(TcxMaskEditCustomMode)
  explicit TcxMaskEditCustomMode(IcxMaskEditModeHost* host) : host_(host) {}

  virtual TcxEditMaskKind MaskKind() const { return emkStandard; }
  virtual void AfterPaste() = 0;
  virtual void CompileEditMask(const std::string& mask) = 0;
  virtual std::string EmptyValueText() = 0;
  virtual std::string FormatForDisplay(const std::string& text, bool literalsInText) = 0;
  virtual void MoveToEnd() = 0;
  virtual bool IsCaretAtStart() = 0;
  virtual bool IsCaretAtEnd() = 0;
  virtual bool IsTextComplete(const std::string& text) = 0;
  virtual void CaretMovedByUser() = 0;
  virtual void BeforePaste() = 0;
  // The key operations answer true to let the key go on to the platform edit control.
  virtual bool KeyBackspace() = 0;
  virtual bool KeyDelete() = 0;
  virtual bool KeyEnd() = 0;
  virtual bool KeyHome() = 0;
  virtual bool KeyLeft() = 0;
  virtual bool KeyRight() = 0;
  virtual bool KeyCharacter(char& ch) = 0;
  virtual void SyncWithText(const std::string& text) = 0;
  virtual void RefreshEditValue();
  virtual void ApplyPendingEditValue() = 0;
  virtual std::string ValueFromDisplay(const std::string& text, bool literalsInText) = 0;

  const std::string& MaskText() const { return maskText_; }
  bool HasEditor() const { return host_->HasEditor(); }
  // The length of the text a paste is about to insert.
  void SetPastedTextLength(int length) { pastedTextLength_ = length; }
  void BeepOnError() const;
  // The letter case and echo the editor last applied through this mode.
  TEditCharCase AppliedCharCase() const { return charCase_; }
  void SetAppliedCharCase(TEditCharCase value) { charCase_ = value; }
  TcxEditEchoMode AppliedEchoMode() const { return echoMode_; }
  void SetAppliedEchoMode(TcxEditEchoMode value) { echoMode_ = value; }

 protected:
  IcxMaskEditModeHost* host_;
  std::string maskText_;
  int pastedTextLength_ = 0;
  bool editValuePending_ = false;

 private:
  TEditCharCase charCase_ = ecNormal;
  TcxEditEchoMode echoMode_ = eemNormal;
};

// Creates the mode of a mask kind for a host.
std::unique_ptr<TcxMaskEditCustomMode> CreateMaskEditMode(TcxEditMaskKind kind, IcxMaskEditModeHost* host);

// Fixed-position masks: the text has one character per mask position, typing overwrites, deleting
// writes blanks back, the caret skips literals and selects the character under it.
class TcxMaskEditStandardMode : public TcxMaskEditCustomMode {
  CALDERAN_CLASS(TcxMaskEditStandardMode)
  using TcxMaskEditCustomMode::TcxMaskEditCustomMode;

  TcxEditMaskKind MaskKind() const override { return emkStandard; }
  void AfterPaste() override;
  void CompileEditMask(const std::string& mask) override;
  std::string EmptyValueText() override { return mask_.BlankText(); }
  std::string FormatForDisplay(const std::string& text, bool literalsInText) override;
  void MoveToEnd() override {}
  bool IsCaretAtStart() override;
  bool IsCaretAtEnd() override;
  bool IsTextComplete(const std::string& text) override;
  void CaretMovedByUser() override;
  void BeforePaste() override;
  bool KeyBackspace() override;
  bool KeyDelete() override;
  bool KeyEnd() override;
  bool KeyHome() override;
  bool KeyLeft() override;
  bool KeyRight() override;
  bool KeyCharacter(char& ch) override;
  void SyncWithText(const std::string&) override { CaretMovedByUser(); }
  void RefreshEditValue() override;
  void ApplyPendingEditValue() override;
  std::string ValueFromDisplay(const std::string& text, bool literalsInText) override;

  virtual char BlankAt(int position) const { (void)position; return mask_.BlankChar(); }
  const TcxStandardMask& Mask() const { return mask_; }

 private:
  bool IsLiteralAt(int position) const { return position >= 0 && position < mask_.Count() && mask_.IsLiteral(position); }
  int LiteralsLeftOf(int position) const;
  int FirstInputInSelection() const;
  int TextLength() const { return static_cast<int>(host_->CurrentText().size()); }

  TcxStandardMask mask_;
  int pasteStart_ = 0;
};

// Regular-expression masks: the text is a prefix of a text the expression matches. The text is
// split at the caret into a head that the expression has consumed and a tail that it has not.
class TcxMaskEditRegExprMode : public TcxMaskEditCustomMode {
  CALDERAN_CLASS(TcxMaskEditRegExprMode)
  explicit TcxMaskEditRegExprMode(IcxMaskEditModeHost* host);

  TcxEditMaskKind MaskKind() const override { return emkRegExpr; }
  void AfterPaste() override {}
  void CompileEditMask(const std::string& mask) override;
  std::string EmptyValueText() override { return std::string(); }
  std::string FormatForDisplay(const std::string& text, bool literalsInText) override;
  void MoveToEnd() override;
  bool IsCaretAtStart() override { return host_->SelStart() == 0; }
  bool IsCaretAtEnd() override { return host_->SelStart() == static_cast<int>(host_->Text().size()); }
  bool IsTextComplete(const std::string& text) override;
  void CaretMovedByUser() override { userMoved_ = true; }
  void BeforePaste() override {}
  bool KeyBackspace() override;
  bool KeyDelete() override;
  bool KeyEnd() override;
  bool KeyHome() override;
  bool KeyLeft() override;
  bool KeyRight() override;
  bool KeyCharacter(char& ch) override;
  void SyncWithText(const std::string& text) override;
  void RefreshEditValue() override;
  void ApplyPendingEditValue() override {}
  std::string ValueFromDisplay(const std::string& text, bool) override { return text; }

  virtual void CutSelectionText();
  virtual void PutSelectionBack();

  TcxRegExpr& Expression() { return expression_; }
  const std::string& Head() const { return head_; }
  const std::string& Tail() const { return tail_; }

 protected:
  virtual void ResyncFromCaret();
  bool TailFits();
  void DropTail();
  void MoveTailChar();
  void StepBackIntoTail();
  // Compiles a second expression from this one's source; false when there is none.
  bool CompileProbe(TcxRegExpr& probe);

  bool selectionInTail_ = false;
  std::string head_;
  TcxRegExpr expression_;
  std::string cutText_;
  std::string tail_;
  bool userMoved_ = false;
};

// The regular-expression mode that also types the characters the pattern forces, and keeps them
// together with the character that brought them when the caret moves or characters are deleted.
class TcxMaskEditRegExprExMode : public TcxMaskEditRegExprMode {
  CALDERAN_CLASS(TcxMaskEditRegExprExMode)
  explicit TcxMaskEditRegExprExMode(IcxMaskEditModeHost* host);

  TcxEditMaskKind MaskKind() const override { return emkRegExprEx; }
  void CompileEditMask(const std::string& mask) override;
  void ApplyPendingEditValue() override;
  std::string EmptyValueText() override;
  std::string FormatForDisplay(const std::string& text, bool literalsInText) override;
  bool IsTextComplete(const std::string& text) override;
  void MoveToEnd() override;
  void BeforePaste() override { ResyncFromCaret(); }
  void AfterPaste() override {}
  bool KeyHome() override;
  bool KeyEnd() override;
  bool KeyLeft() override;
  bool KeyRight() override;
  bool KeyCharacter(char& ch) override;
  bool KeyBackspace() override;
  bool KeyDelete() override;
  void SyncWithText(const std::string& text) override;
  void CutSelectionText() override;
  void PutSelectionBack() override;

 protected:
  void ResyncFromCaret() override;

 private:
  void ResetForced() {
    forced_.clear();
    removedCount_ = 0;
  }
  void SetAutoComplete(bool value) { expression_.SetAutoComplete(value); }
  template <class Step> void WithoutCompletion(Step step);
  // The forced beginning of the pattern, from a second expression; false when it does not compile.
  bool ForcedBeginning(TcxRegExpr& probe, std::string& beginning);
  // Takes back the forced characters the last completion added, and nothing else.
  void TakeBackForced();
  bool StepOne();
  bool StepBackOne();
  void RefeedTail();
  void RefeedOrDropTail();
  bool RetypeBehindForcedBeginning(char ch, bool backspace);
  void ForcedAdded(char ch) { forced_ += ch; }
  void ForcedRemoved() { ++removedCount_; }
  void ProbeAdded(char ch) { probe_ += ch; }

  std::string probe_;
  int removedCount_ = 0;
  std::string forced_;
};

// The masked editor's key routing for a mode: a key-down (with the Shift and Ctrl states) and a
// character; each answers true when the key goes on to the text editor's handling.
bool MaskEditKeyDown(TcxMaskEditCustomMode& mode, IcxMaskEditModeHost& host, uint16_t key, bool shift, bool ctrl);
bool MaskEditKeyPress(TcxMaskEditCustomMode& mode, char& ch);

// ---------------------------------------------------------------------------------------------
// The masked editor: the text editor with an input mask.

class TcxCustomMaskEdit;

class TcxCustomMaskEditPropertiesClass : public TcxCustomTextEditPropertiesClass {
 public:
  using TcxCustomTextEditPropertiesClass::TcxCustomTextEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditClass* EditClass() const override;
};

class TcxCustomMaskEditProperties : public TcxCustomTextEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomMaskEditProperties, TcxCustomMaskEditPropertiesClass)
  explicit TcxCustomMaskEditProperties(TPersistent* owner)
      : TcxCustomMaskEditProperties(owner, StaticClassOperations()) {}
  ~TcxCustomMaskEditProperties() override;

  bool AlwaysShowBlanksAndLiterals() const { return alwaysShowBlanksAndLiterals_; }
  void SetAlwaysShowBlanksAndLiterals(bool value) { SetNotifying(alwaysShowBlanksAndLiterals_, value); }
  bool CaseInsensitive() const { return caseInsensitive_; }
  void SetCaseInsensitive(bool value);
  // The stored mask, or for a standard mask left blank the data's default mask.
  std::string EditMask() const;
  // Compiles the new mask first: a mask that does not compile raises and leaves the old one.
  void SetEditMask(const std::string& value);
  bool IgnoreMaskBlank() const { return ignoreMaskBlank_; }
  void SetIgnoreMaskBlank(bool value) { ignoreMaskBlank_ = value; }
  TcxEditMaskKind MaskKind() const { return maskKind_; }
  void SetMaskKind(TcxEditMaskKind value) { SetNotifying(maskKind_, value); }
  bool IsMasked() const { return !IsBlankMaskText(EditMask()); }
  const std::string& GetEmptyValueText() const { return emptyValueText_; }
  void SetEmptyValueText(const std::string& value) { emptyValueText_ = value; }
  // The stored mask text as it is, without the default; the editor clears and restores it when the
  // mask language changes.
  const std::string& StoredEditMask() const { return editMask_; }
  void StoreEditMask(const std::string& value) { editMask_ = value; }

  // The mode of a mask language, for an editor's host or for these properties.
  virtual std::unique_ptr<TcxMaskEditCustomMode> CreateMode(TcxEditMaskKind kind, IcxMaskEditModeHost* host) const;

  void Assign(TPersistent* source) override;
  void NotifyChanged() override;
  uint8_t FormatOptions() const override;
  bool CanCompareValues(const TVariant& value, bool displaying) const override;
  void StoreCharCase(TEditCharCase value) override;
  void HandleMaxLengthChanged() override;
  void EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool editing) override;
  void CheckDisplayValue(TVariant& displayValue, std::string& errorText, TcxCustomEdit* editor, bool& error) override;

 protected:
  TcxCustomMaskEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);

 private:
  class TDisplayHost;
  TcxMaskEditCustomMode* DisplayMode();

  bool alwaysShowBlanksAndLiterals_ = false;
  bool caseInsensitive_ = true;
  std::string editMask_;
  std::string emptyValueText_;
  bool ignoreMaskBlank_ = false;
  TcxEditMaskKind maskKind_ = emkStandard;
  bool maxLengthGuard_ = false;
  std::unique_ptr<TDisplayHost> displayHost_;
  std::unique_ptr<TcxMaskEditCustomMode> displayMode_;
};

class TcxMaskEditProperties : public TcxCustomMaskEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxMaskEditProperties, TcxCustomMaskEditPropertiesClass)
  explicit TcxMaskEditProperties(TPersistent* owner) : TcxMaskEditProperties(owner, StaticClassOperations()) {}

 protected:
  TcxMaskEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);
};

class TcxCustomMaskEditClass : public TcxCustomTextEditClass {
 public:
  using TcxCustomTextEditClass::TcxCustomTextEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxCustomMaskEditProperties::StaticClassOperations();
  }
};

class TcxCustomMaskEdit : public TcxCustomTextEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomMaskEdit, TcxCustomMaskEditClass)
  explicit TcxCustomMaskEdit(TComponent* owner, bool inPlace = false)
      : TcxCustomMaskEdit(owner, StaticClassOperations(), inPlace) {}
  ~TcxCustomMaskEdit() override;

  TcxCustomMaskEditProperties* ActiveProperties() const;
  TcxMaskEditCustomMode* Mode() const { return mode_.get(); }
  bool IsMasked() const { return ActiveProperties()->IsMasked(); }
  // The value form of the shown text while masked, else the shown text.
  std::string Text() const;
  // The inner edit's current text.
  std::string CurrentText() const;
  std::string ModeEmptyText() const;
  void SyncModeWithText(const std::string& text);
  // A key or character straight to the platform edit control's own handling.
  void SendKeyInternal(uint16_t key);
  void SendCharInternal(char ch);
  // Selection changes that the mode makes for itself and does not hear about.
  void SetSelStartQuiet(int value);
  void SetSelLengthQuiet(int value);
  bool ShiftDown() const { return shiftDown_; }
  void SetShiftDown(bool value) { shiftDown_ = value; }
  void InsertText(const std::string& text);

  virtual bool CanSyncMode() { return true; }
  // Asked before the standard mode writes a typed character at a 1-based position; may change it.
  virtual bool AcceptsTypedChar(char& ch, int position) { (void)ch, (void)position; return true; }
  virtual void ReapplyText();

  void ApplyPropertiesChange(TObject* properties) override;
  void HandleEditKeyDown(Word& key, TShiftState shift) override;
  void HandleEditKeyPress(char& key) override;
  void InnerEditChanged(TObject* sender) override;
  void ApplyDisplayValue(const TVariant& value) override;
  void UpdateDisplayFromValue() override;
  void DisplayToEditValue(const TVariant& display, TVariant& value, bool focused) override;
  void CutSelection() override;
  void PasteSelection() override;
  void Loaded() override;
  std::string WindowTextSource() override;
  void InnerSelectionChanged(TObject* sender) override;
  void AfterUndo() override { SyncModeWithText(CurrentText()); }

 protected:
  TcxCustomMaskEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
  void WndProc(TMessage& message) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void DoEnter() override;
  void DblClick() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

 private:
  class TEditorHost;
  friend class TEditorHost;
  void CreateModeOfKind(TcxEditMaskKind kind);
  void ChangeMaskKind(bool& maskCleared);
  void ChangeMask(const std::string& mask, bool maskCleared);
  void ChangeCharCase();
  void SetTextMasked(const std::string& text);
  void InsertMasked(const std::string& text, const std::function<void()>& insert);
  bool IsStandardMode() const { return mode_ && mode_->MaskKind() == emkStandard; }

  bool internalSelection_ = false;
  std::unique_ptr<TEditorHost> host_;
  std::unique_ptr<TcxMaskEditCustomMode> mode_;
  bool ownMessage_ = false;
  bool shiftDown_ = false;
  std::string valueText_;
};

class TcxMaskEditClass : public TcxCustomMaskEditClass {
 public:
  using TcxCustomMaskEditClass::TcxCustomMaskEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxMaskEditProperties::StaticClassOperations();
  }
};

class TcxMaskEdit : public TcxCustomMaskEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxMaskEdit, TcxMaskEditClass)
  explicit TcxMaskEdit(TComponent* owner, bool inPlace = false) : TcxMaskEdit(owner, StaticClassOperations(), inPlace) {}
  TcxMaskEditProperties* Properties() const { return static_cast<TcxMaskEditProperties*>(OwnProperties()); }

 protected:
  TcxMaskEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace) : TcxCustomMaskEdit(owner, cls, inPlace) {}
};

// The filter editor of a masked value: a masked editor; a regular-expression mask is edited in the
// extended language, which types the characters the pattern forces.
class TcxFilterMaskEditHelper : public TcxFilterTextEditHelper {
  CALDERAN_CLASS(TcxFilterMaskEditHelper)
  static const TcxFilterMaskEditHelper* Instance();
  const TcxCustomEditClass* FilterEditorClass() const override;
  // The text-matching operators only for unmasked text.
  TcxFilterOperatorSet FilterOperatorSet(TcxCustomEditProperties* properties, TcxValueTypeClass valueType,
                                         bool extended) const override;
  void PrepareFilterProperties(TcxCustomEditProperties* properties, TcxCustomEditProperties* source,
                               bool hasButtons) const override;

 protected:
  constexpr TcxFilterMaskEditHelper() = default;
};

// Registers what a stored form may set on a masked editor (the module's start-up).
void RegisterMaskEditPublishedProperties();

// The names stored forms give the mask kinds.
extern const TEnumInfo cxEditMaskKindInfo;

extern const TUnitInfo cxMaskEditUnit;
