// The masked editor control: it hands every keystroke, deletion, caret movement, paste and value
// conversion to its mode, keeps the mode in step with its settings, and answers the mode's questions.
#include <windows.h>

#include <cstring>

#include "cxEditScopes.h"
#include "cxMaskEdit.h"

using cx_edit_detail::TFlagScope;

CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomMaskEdit, TcxCustomTextEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxMaskEdit, TcxCustomMaskEdit, TComponent*)
CALDERAN_IMPLEMENT_STATELESS_CLASS(TcxFilterMaskEditHelper, TcxFilterTextEditHelper)

TcxCustomEdit* TcxCustomMaskEditClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomMaskEdit(owner, inPlace);
}
TcxCustomEdit* TcxMaskEditClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxMaskEdit(owner, inPlace);
}

namespace {

std::string TextOf(const TVariant& value) { return value.IsNull() || value.IsEmpty() ? std::string() : value.AsString(); }

bool IsRegExprKind(TcxEditMaskKind kind) { return kind != emkStandard; }

}  // namespace

// The editor as its mode sees it.
class TcxCustomMaskEdit::TEditorHost : public IcxMaskEditModeHost {
 public:
  explicit TEditorHost(TcxCustomMaskEdit* editor) : editor_(editor) {}

  bool CaseInsensitive() const override { return Properties()->CaseInsensitive(); }
  bool IgnoreMaskBlank() const override { return Properties()->IgnoreMaskBlank(); }
  bool BeepOnError() const override { return Properties()->BeepOnError(); }
  bool CharCaseNormal() const override { return Properties()->CharCase() == ecNormal; }
  bool IsMasked() const override { return Properties()->IsMasked(); }
  bool HasEditor() const override { return Inner() != nullptr; }
  bool HasWindow() const override { return Inner() && Inner()->HandleAllocated(); }
  std::string Text() const override { return editor_->Text(); }
  std::string CurrentText() const override { return editor_->CurrentText(); }
  std::string DisplayText() const override {
    TVariant value;
    editor_->DataBinding()->ReadDisplayValue(value);
    return TextOf(value);
  }
  void SetDisplayText(const std::string& text) override { editor_->DataBinding()->PutDisplayValue(TVariant(text)); }
  void ShowDisplayValue(const std::string& text) override { editor_->ShowDisplayValue(TVariant(text)); }
  void AssignEditValue(const std::string& value) override { editor_->AssignEditValueChecked(TVariant(value)); }
  bool ModifiedAfterEnter() const override { return editor_->ModifiedAfterEnter(); }
  std::string EditValueToDisplay() const override {
    TVariant display;
    Properties()->EditValueToDisplay(editor_->EditValue(), display, editor_->IsFocused());
    return TextOf(display);
  }
  int SelStart() const override { return Inner()->SelStart(); }
  int SelLength() const override { return Inner()->SelLength(); }
  // A selection made from right to left has its caret at the start.
  int CaretPosition() const override {
    TcxCustomInnerTextEdit* inner = Inner();
    if (inner->SelLength() == 0) return inner->SelStart();
    return GetFocus() == inner->Handle() ? inner->CaretIndexFromCaretPos() : inner->SelStart() + inner->SelLength();
  }
  void SetSelStart(int value) override { Inner()->SetSelStart(value); }
  void SetSelLength(int value) override { Inner()->SetSelLength(value); }
  void SetSelStartQuiet(int value) override { editor_->SetSelStartQuiet(value); }
  void SetSelLengthQuiet(int value) override { editor_->SetSelLengthQuiet(value); }
  void SendKeyInternal(uint16_t key) override { editor_->SendKeyInternal(key); }
  void SendCharInternal(char ch) override { editor_->SendCharInternal(ch); }
  bool ShiftDown() const override { return editor_->ShiftDown(); }
  void SetShiftDown(bool value) override { editor_->SetShiftDown(value); }
  bool AcceptsTypedChar(char& ch, int position) override { return editor_->AcceptsTypedChar(ch, position); }

 private:
  TcxCustomMaskEditProperties* Properties() const { return editor_->ActiveProperties(); }
  TcxCustomInnerTextEdit* Inner() const { return editor_->InnerTextEdit(); }
  TcxCustomMaskEdit* editor_;
};

TcxCustomMaskEdit::TcxCustomMaskEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomTextEdit(owner, cls, inPlace), host_(std::make_unique<TEditorHost>(this)) {
  CreateModeOfKind(ActiveProperties()->MaskKind());
  ApplyPropertiesChange(OwnProperties());
}

TcxCustomMaskEdit::~TcxCustomMaskEdit() { mode_.reset(); }

TcxCustomMaskEditProperties* TcxCustomMaskEdit::ActiveProperties() const {
  return static_cast<TcxCustomMaskEditProperties*>(const_cast<TcxCustomMaskEdit*>(this)->EffectiveProperties());
}

void TcxCustomMaskEdit::CreateModeOfKind(TcxEditMaskKind kind) {
  mode_.reset();
  mode_ = ActiveProperties()->CreateMode(kind, host_.get());
  shiftDown_ = false;
  ActiveProperties()->SetEmptyValueText(ModeEmptyText());
}

// ---------------------------------------------------------------------------------------------
// Text and selection

std::string TcxCustomMaskEdit::Text() const { return IsMasked() && mode_ ? valueText_ : TcxCustomTextEdit::Text(); }

std::string TcxCustomMaskEdit::CurrentText() const { return TcxCustomTextEdit::Text(); }

std::string TcxCustomMaskEdit::ModeEmptyText() const {
  return IsMasked() && mode_ ? mode_->EmptyValueText() : std::string();
}

void TcxCustomMaskEdit::SyncModeWithText(const std::string& text) {
  if (mode_ && IsMasked() && CanSyncMode()) mode_->SyncWithText(text);
}

void TcxCustomMaskEdit::SendKeyInternal(uint16_t key) {
  TFlagScope own(ownMessage_, true);
  SendMessageA(InnerTextEdit()->Handle(), WM_KEYDOWN, key, 0);
}

void TcxCustomMaskEdit::SendCharInternal(char ch) {
  TFlagScope own(ownMessage_, true);
  SendMessageA(InnerTextEdit()->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 0);
}

void TcxCustomMaskEdit::SetSelStartQuiet(int value) {
  TFlagScope internal(internalSelection_, true);
  InnerTextEdit()->SetSelStart(value);
}

void TcxCustomMaskEdit::SetSelLengthQuiet(int value) {
  TFlagScope internal(internalSelection_, true);
  InnerTextEdit()->SetSelLength(value);
}

void TcxCustomMaskEdit::InnerSelectionChanged(TObject* sender) {
  TcxCustomTextEdit::InnerSelectionChanged(sender);
  if (mode_ && !internalSelection_ && IsMasked()) mode_->CaretMovedByUser();
}

// ---------------------------------------------------------------------------------------------
// Settings

void TcxCustomMaskEdit::ApplyPropertiesChange(TObject* properties) {
  if (!mode_) return TcxCustomTextEdit::ApplyPropertiesChange(properties);
  TcxCustomMaskEditProperties* active = ActiveProperties();
  const bool wasLocked = active->IsChangeLocked();
  active->SetChangeLocked(true);
  const std::string mask = active->EditMask();
  const bool maskChanged = mode_->MaskText() != mask || active->InFormatChange();
  const bool kindChanged = mode_->MaskKind() != active->MaskKind();
  const bool caseChanged = active->CharCase() != mode_->AppliedCharCase();
  bool maskCleared = false;
  if (kindChanged) ChangeMaskKind(maskCleared);
  if (maskChanged) ChangeMask(mask, maskCleared);
  if (caseChanged) ChangeCharCase();
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  const bool echoChanged = active->EchoMode() != mode_->AppliedEchoMode();
  const bool window = inner && inner->HandleAllocated();
  const int selStart = echoChanged && window ? inner->SelStart() : 0;
  const int selLength = echoChanged && window ? inner->SelLength() : 0;
  if (active->IsMasked() && (!inner || !EditValue().IsNull())) mode_->ApplyPendingEditValue();
  active->SetChangeLocked(wasLocked);
  if (auto* regExprMode = ObjectAs<TcxMaskEditRegExprMode>(mode_.get()))
    regExprMode->Expression().IgnoreCase = active->CaseInsensitive();
  TcxCustomTextEdit::ApplyPropertiesChange(properties);
  if (echoChanged) {
    if (window) SetSelStartQuiet(selStart), SetSelLengthQuiet(selLength);
    mode_->SetAppliedEchoMode(active->EchoMode());
  }
  if (kindChanged || caseChanged || maskChanged) valueText_ = mode_->ValueFromDisplay(CurrentText(), true);
}

// A new mask language: the mask of the other language is dropped, unless a new mask came with it.
void TcxCustomMaskEdit::ChangeMaskKind(bool& maskCleared) {
  TcxCustomMaskEditProperties* active = ActiveProperties();
  const TcxEditMaskKind oldKind = mode_->MaskKind(), newKind = active->MaskKind();
  mode_.reset();
  if (IsRegExprKind(oldKind) != IsRegExprKind(newKind)) {
    active->StoreEditMask(std::string());
    maskCleared = true;
  }
  CreateModeOfKind(newKind);
  const std::string effective = active->EditMask();
  mode_->CompileEditMask(effective);
  if (!IsBlankMaskText(effective)) mode_->RefreshEditValue();
  active->SetEmptyValueText(ModeEmptyText());
}

void TcxCustomMaskEdit::ChangeMask(const std::string& mask, bool maskCleared) {
  TcxCustomMaskEditProperties* active = ActiveProperties();
  active->SetMaxLength(0);
  mode_->CompileEditMask(mask);
  if (maskCleared) active->StoreEditMask(mask);
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!IsBlankMaskText(mask)) mode_->RefreshEditValue();
  else if (IsStandardMode() && inner && inner->HandleAllocated() && inner->SelLength() == 1)
    SetSelLengthQuiet(0);
  active->SetEmptyValueText(ModeEmptyText());
}

void TcxCustomMaskEdit::ChangeCharCase() {
  TcxCustomMaskEditProperties* active = ActiveProperties();
  if (active->CharCase() == ecNormal) {
    if (TcxCustomInnerTextEdit* inner = InnerTextEdit()) inner->SetCharCase(ecNormal);
    mode_->RefreshEditValue();
  }
  mode_->SetAppliedCharCase(active->CharCase());
}

// ---------------------------------------------------------------------------------------------
// Keys

void TcxCustomMaskEdit::KeyDown(Word& key, TShiftState shift) {
  if (!ownMessage_) TcxCustomTextEdit::KeyDown(key, shift);
}

void TcxCustomMaskEdit::KeyPress(char& key) {
  if (!ownMessage_) TcxCustomTextEdit::KeyPress(key);
}

void TcxCustomMaskEdit::KeyUp(Word& key, TShiftState shift) {
  if (!ownMessage_) TcxCustomTextEdit::KeyUp(key, shift);
}

void TcxCustomMaskEdit::HandleEditKeyDown(Word& key, TShiftState shift) {
  if (!mode_ || !IsMasked() || IsClearOrClickKey(key, shift)) return TcxCustomTextEdit::HandleEditKeyDown(key, shift);
  auto swallow = [&] {
    if (OnAfterKeyDown) OnAfterKeyDown(this, key, shift);
    key = 0;
  };
  if (!CanProcessKey(key, shift)) return swallow();
  if (key == VK_TAB) return TcxCustomTextEdit::HandleEditKeyDown(key, shift);
  shiftDown_ = shift.Contains(ssShift);
  const bool ctrl = shift.Contains(ssCtrl);
  if (key == VK_UP || key == VK_DOWN) {
    if (!Keys().Contains(kArrows)) return swallow();
    return TcxCustomTextEdit::HandleEditKeyDown(key, shift);
  }
  // A Left or Right that cannot move the caret further tells the host, which may leave the cell.
  const bool atEdge = !ctrl && ((key == VK_LEFT && mode_->IsCaretAtStart()) || (key == VK_RIGHT && mode_->IsCaretAtEnd()));
  if (MaskEditKeyDown(*mode_, *host_, key, shiftDown_, ctrl)) return TcxCustomTextEdit::HandleEditKeyDown(key, shift);
  if (atEdge) return swallow();
  key = 0;
}

void TcxCustomMaskEdit::HandleEditKeyPress(char& key) {
  if (!mode_ || !IsMasked()) return TcxCustomTextEdit::HandleEditKeyPress(key);
  if (key == '\t' || key == '\x1B') {
    key = 0;
    return;
  }
  ProcessKeyPress(key);
  if (key && !MaskEditKeyPress(*mode_, key)) key = 0;
}

// ---------------------------------------------------------------------------------------------
// Focus and mouse

void TcxCustomMaskEdit::DoEnter() {
  if (mode_ && IsMasked() && ActiveProperties()->AutoSelect()) mode_->MoveToEnd();
  TcxCustomTextEdit::DoEnter();
}

void TcxCustomMaskEdit::DblClick() {
  if (mode_ && IsMasked()) mode_->MoveToEnd();
  TcxCustomTextEdit::DblClick();
}

void TcxCustomMaskEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TcxCustomTextEdit::MouseDown(button, shift, x, y);

  if (mode_ && IsMasked() && button == mbLeft) mode_->CaretMovedByUser();
}

void TcxCustomMaskEdit::MouseMove(TShiftState shift, int x, int y) {
  TcxCustomTextEdit::MouseMove(shift, x, y);
  if (!mode_ || !IsMasked() || !shift.Contains(ssLeft)) return;
  TFlagScope shifted(shiftDown_, true);
  mode_->CaretMovedByUser();
}

// ---------------------------------------------------------------------------------------------
// Text in and out

void TcxCustomMaskEdit::InnerEditChanged(TObject* sender) {
  if (mode_ && IsMasked()) valueText_ = mode_->ValueFromDisplay(CurrentText(), true);
  TcxCustomTextEdit::InnerEditChanged(sender);
}

void TcxCustomMaskEdit::ApplyDisplayValue(const TVariant& value) {
  if (!mode_ || !IsMasked() || IsLoadingEdit()) return TcxCustomTextEdit::ApplyDisplayValue(value);
  const std::string text = TextOf(value);
  const bool shownAsTemplate = IsFocused() || !IsStandardMode() || ActiveProperties()->AlwaysShowBlanksAndLiterals();
  TcxCustomTextEdit::ApplyDisplayValue(
      TVariant(shownAsTemplate ? mode_->FormatForDisplay(text, true) : mode_->ValueFromDisplay(text, true)));
  SyncModeWithText(CurrentText());
}

void TcxCustomMaskEdit::UpdateDisplayFromValue() {
  TcxCustomTextEdit::UpdateDisplayFromValue();
  SyncModeWithText(CurrentText());
}

void TcxCustomMaskEdit::DisplayToEditValue(const TVariant& display, TVariant& value, bool focused) {
  if (!mode_ || !IsMasked()) return TcxCustomTextEdit::DisplayToEditValue(display, value, focused);
  const bool fromValue = focused || !IsStandardMode() ||
                         (ActiveProperties()->AlwaysShowBlanksAndLiterals() &&
                          !static_cast<TcxMaskEditStandardMode*>(mode_.get())->Mask().SaveLiterals());
  if (!fromValue) return TcxCustomTextEdit::DisplayToEditValue(display, value, focused);
  value = TVariant(mode_->ValueFromDisplay(TextOf(display), true));
}

void TcxCustomMaskEdit::ReapplyText() { ApplyDisplayValue(TVariant(Text())); }

void TcxCustomMaskEdit::Loaded() {
  TcxCustomTextEdit::Loaded();
  if (!mode_ || !IsMasked()) return;
  LockChangeEvents(true);
  struct TUnlock {
    TcxCustomMaskEdit* edit;
    ~TUnlock() { edit->LockChangeEvents(false, false); }
  } unlock{this};
  ReapplyText();
}

// The text becomes the edit value as typed, and is then kept in its value form.
void TcxCustomMaskEdit::SetTextMasked(const std::string& text) {
  AssignEditValueChecked(TVariant(text));
  LockChangeEvents(true);
  struct TUnlock {
    TcxCustomMaskEdit* edit;
    ~TUnlock() { edit->LockChangeEvents(false, false); }
  } unlock{this};
  InternalSetEditValue(TVariant(valueText_), false);
}

void TcxCustomMaskEdit::WndProc(TMessage& message) {
  if (message.Msg == WM_SETTEXT && mode_ && IsMasked()) {
    SetTextMasked(message.LParam ? reinterpret_cast<const char*>(message.LParam) : "");
    message.Result = 1;
    return;
  }
  TcxCustomTextEdit::WndProc(message);
}

std::string TcxCustomMaskEdit::WindowTextSource() { return IsMasked() && mode_ ? valueText_ : TcxCustomTextEdit::WindowTextSource(); }

// ---------------------------------------------------------------------------------------------
// Clipboard

void TcxCustomMaskEdit::CutSelection() {
  if (!mode_ || !IsMasked()) return TcxCustomTextEdit::CutSelection();
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || (IsFocused() && !RequestEditing())) return;
  inner->CallDefaultWindowProc(WM_COPY, 0, 0);
  if (mode_->KeyDelete()) SendCharInternal('\b');
}

// A standard mask takes the text as typed characters: written over the template as it stands, a
// text without the mask's literals would overwrite them.
void TcxCustomMaskEdit::InsertMasked(const std::string& text, const std::function<void()>& insert) {
  mode_->SetPastedTextLength(static_cast<int>(text.size()));
  mode_->BeforePaste();
  if (!IsStandardMode()) {
    insert();
    return mode_->AfterPaste();
  }
  if (IsFocused() && !RequestEditing()) return;
  for (char ch : text) mode_->KeyCharacter(ch);
}

void TcxCustomMaskEdit::InsertText(const std::string& text) {
  if (!mode_ || !IsMasked()) return TcxCustomTextEdit::InsertText(text);
  InsertMasked(text, [&] { TcxCustomTextEdit::InsertText(text); });
}

void TcxCustomMaskEdit::PasteSelection() {
  if (!mode_ || !IsMasked()) return TcxCustomTextEdit::PasteSelection();
  const std::string text = ClipboardText(Handle());
  if (!text.empty()) InsertMasked(text, [this] { TcxCustomTextEdit::PasteSelection(); });
}

// ---------------------------------------------------------------------------------------------
// Filter helper

const TcxFilterMaskEditHelper* TcxFilterMaskEditHelper::Instance() { return &TcxFilterMaskEditHelperClassOperations; }

const TcxCustomEditClass* TcxFilterMaskEditHelper::FilterEditorClass() const {
  return TcxMaskEdit::StaticClassOperations();
}

TcxFilterOperatorSet TcxFilterMaskEditHelper::FilterOperatorSet(TcxCustomEditProperties* properties,
                                                                TcxValueTypeClass valueType, bool extended) const {
  TcxFilterOperatorSet set = TcxFilterTextEditHelper::FilterOperatorSet(properties, valueType, extended);
  auto* mask = ObjectAs<TcxCustomMaskEditProperties>(properties);
  if (mask && mask->IsMasked()) set.Exclude(7), set.Exclude(8);
  return set;
}

void TcxFilterMaskEditHelper::PrepareFilterProperties(TcxCustomEditProperties* properties,
                                                      TcxCustomEditProperties* source, bool hasButtons) const {
  TcxFilterTextEditHelper::PrepareFilterProperties(properties, source, hasButtons);
  auto* mask = ObjectAs<TcxCustomMaskEditProperties>(properties);
  if (!mask) return;
  auto* sourceMask = ObjectAs<TcxCustomMaskEditProperties>(source);
  if (sourceMask && sourceMask->MaskKind() == emkRegExpr) mask->SetMaskKind(emkRegExprEx);
  mask->SetAutoSelect(!mask->IsMasked());
}

// ---------------------------------------------------------------------------------------------
// Module start-up: the kind is registered while the module runs, once however often it is started.

namespace {

int maskEditStarts = 0;

void StartMaskEdit() {
  if (maskEditStarts++ > 0) return;
  RegisterMaskEditPublishedProperties();
  GetEditPropertiesRegistry()->Register(TcxMaskEditProperties::StaticClass(),
                                        LoadToolkitString(scxSEditRepositoryMaskItem));
  GetFilterEditsController()->Register(TcxMaskEditProperties::StaticClass(), TcxFilterMaskEditHelper::StaticClass());
}

void StopMaskEdit() {
  if (--maskEditStarts > 0) return;
  GetFilterEditsController()->Unregister(TcxMaskEditProperties::StaticClass(), TcxFilterMaskEditHelper::StaticClass());
  GetEditPropertiesRegistry()->Unregister(TcxMaskEditProperties::StaticClass());
}

}  // namespace

constinit const TUnitInfo cxMaskEditUnit{"cxMaskEdit", StartMaskEdit, StopMaskEdit};
