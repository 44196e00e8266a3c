// The single-line text editor control: which typed, pasted and assigned text it takes, its text
// messages, and live thousand separators in number editors.
#include "cxTextEdit.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "cxEditScopes.h"

using cx_edit_detail::TFlagScope;

CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomTextEdit, TcxCustomEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxTextEdit, TcxCustomTextEdit, TComponent*)

TcxCustomEdit* TcxCustomTextEditClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomTextEdit(owner, inPlace);
}
TcxCustomEdit* TcxTextEditClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxTextEdit(owner, inPlace);
}

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (auto* chars = static_cast<const char*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

namespace {

// Characters counted as the system code page decodes them (a double-byte pair is one).
std::wstring Wide(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(length, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
  return text;
}

int CountDigitsBefore(const std::string& text, int position) {
  char separator = FormatSettings().ThousandSeparator;
  return static_cast<int>(std::count_if(text.begin(), text.begin() + std::min<size_t>(position, text.size()),
                                        [separator](char ch) { return ch != separator; }));
}

int PositionAfterDigits(const std::string& text, int digits) {
  char separator = FormatSettings().ThousandSeparator;
  int position = 0;
  for (; position < static_cast<int>(text.size()) && digits > 0; ++position)
    if (text[position] != separator) --digits;
  return position;
}

}  // namespace

// The keyboard-action flag held for one text operation and given back afterwards.
struct TcxCustomTextEdit::TKeyboardActionScope {
  TKeyboardActionScope(TcxCustomTextEdit* edit, bool value) : edit_(edit), old_(edit->KeyboardAction()) {
    edit_->SetKeyboardAction(value);
  }
  ~TKeyboardActionScope() { edit_->SetKeyboardAction(old_); }
  TcxCustomTextEdit* edit_;
  bool old_;
};

TcxCustomTextEdit::TcxCustomTextEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomEdit(owner, cls, inPlace),
      formatLink_(std::make_unique<TcxFormatChangeLink>([this] { HandleFormatChanged(); })) {
  if (TcxCustomInnerTextEdit* inner = InnerTextEdit()) inner->SetColor(clWindow);
  SetBounds(Left(), Top(), 121, 21);
  ApplyPropertiesChange(OwnProperties());
}

TcxCustomTextEdit::~TcxCustomTextEdit() {
  finalText_ = Text();
  formatLink_.reset();
}

TcxCustomTextEditProperties* TcxCustomTextEdit::ActiveProperties() const {
  return static_cast<TcxCustomTextEditProperties*>(const_cast<TcxCustomTextEdit*>(this)->EffectiveProperties());
}

TcxCustomInnerTextEdit* TcxCustomTextEdit::InnerTextEdit() const {
  return InnerEdit() ? ObjectAs<TcxCustomInnerTextEdit>(InnerEdit()->Control()) : nullptr;
}

std::string TcxCustomTextEdit::Text() const {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  return inner ? inner->Text() : finalText_;
}

void TcxCustomTextEdit::SetText(const std::string& text) {
  if (HandleAllocated()) return void(SendMessageA(Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())));
  if (IsDisplayTextValid(text)) ApplyDisplayValue(TVariant(text));
}

void TcxCustomTextEdit::HandleFormatChanged() {
  if (ShowsGroupedNumbers()) RegroupThousands();
}

void TcxCustomTextEdit::DisplayValueText(std::string& text) { text = Text(); }

void TcxCustomTextEdit::ShowDisplayValue(const TVariant& value) {
  if (TcxCustomInnerTextEdit* inner = InnerTextEdit())
    inner->SetText(value.IsNull() || value.IsEmpty() ? std::string() : value.AsString());
}

void TcxCustomTextEdit::UpdateDisplayFromValue() { ShowDisplayValue(EditValue()); }

void TcxCustomTextEdit::ReadInnerValue(TVariant& value) { value = TVariant(Text()); }

void TcxCustomTextEdit::ApplyDisplayValue(const TVariant& value) {
  ShowDisplayValue(value);
  if (!KeyboardAction()) InternalSetEditValue(value, false);
}

void TcxCustomTextEdit::SelectAllText() {
  if (TcxCustomInnerTextEdit* inner = InnerTextEdit()) inner->SelectAll();
}

bool TcxCustomTextEdit::IsDisplayTextValid(const std::string& text) {
  if (KeyboardAction() && !RequestEditing()) return false;
  ApplyDisplayValue(TVariant(text));
  return true;
}

void TcxCustomTextEdit::ApplyPropertiesChange(TObject* properties) {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (inner) {
    TcxCustomTextEditProperties* active = ActiveProperties();
    inner->WriteAlignment(active->Alignment()->Horz());
    inner->SetAutoSelect(active->AutoSelect() && !InPlace());
    inner->SetCharCase(active->CharCase());
    inner->WritePasswordChar(active->PasswordChar());
    inner->WriteEchoMode(active->EchoMode());
    inner->SetMaxLength(active->MaxLength());
  }
  TcxCustomEdit::ApplyPropertiesChange(properties);
  if (inner) inner->Invalidate();
}

bool TcxCustomTextEdit::CheckTextInsertion(const std::string& text, std::string& newText, int& caret) {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  TcxTextEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (!inner || (KeyboardAction() && style == tesNoEdit)) return false;
  if (style == tesFixedList || style == tesNoEdit) inner->SelectAll();
  std::wstring current = Wide(Text());
  size_t start = std::min<size_t>(inner->ReadSelStart(), current.size());
  size_t end = std::min<size_t>(start + inner->ReadSelLength(), current.size());
  std::wstring before = current.substr(0, start), inserted = Wide(text), after = current.substr(end);
  int maxLength = ActiveProperties()->MaxLength();
  if (KeyboardAction() && (style == tesFree || style == tesNoEdit) && maxLength > 0) {
    std::wstring head = (before + inserted).substr(0, maxLength);
    if (head.size() < start) return false;
    caret = static_cast<int>(head.size());
    newText = Narrow((head + after).substr(0, maxLength));
  } else {
    newText = style == tesFixedList ? text : Narrow(before + inserted + after);
    caret = static_cast<int>(start + inserted.size());
  }
  return !KeyboardAction() || RequestEditing();
}

void TcxCustomTextEdit::InsertText(const std::string& text) {
  TKeyboardActionScope keyboard(this, IsFocused());
  std::string newText;
  int caret;
  if (!CheckTextInsertion(text, newText, caret)) return;
  ApplyDisplayValue(TVariant(newText));
  InnerTextEdit()->SetSelStart(caret);
  InnerTextEdit()->SetSelLength(0);
}

void TcxCustomTextEdit::PasteSelection() {
  std::string text = ClipboardText(Handle());
  if (text.empty()) return;
  if (!IsFocused()) return InsertText(text);
  TKeyboardActionScope keyboard(this, true);
  std::string newText;
  int caret;
  if (CheckTextInsertion(text, newText, caret)) InnerTextEdit()->CallDefaultWindowProc(WM_PASTE, 0, 0);
}

void TcxCustomTextEdit::CutSelection() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || inner->SelLength() == 0) return;
  if (!IsFocused()) {
    inner->CallDefaultWindowProc(WM_COPY, 0, 0);
    return InsertText("");
  }
  TKeyboardActionScope keyboard(this, true);
  std::string newText;
  int caret;
  if (CheckTextInsertion("", newText, caret)) inner->CallDefaultWindowProc(WM_CUT, 0, 0);
}

void TcxCustomTextEdit::CopySelectedText() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner) return;
  TcxTextEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (style == tesFixedList || style == tesNoEdit) inner->SelectAll();
  if (inner->SelLength() > 0) inner->CallDefaultWindowProc(WM_COPY, 0, 0);
}

void TcxCustomTextEdit::RemoveSelectedText() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || inner->SelLength() == 0) return;
  TKeyboardActionScope keyboard(this, IsFocused());
  int start = inner->SelStart();
  std::string text = Text();
  text.erase(start, inner->SelLength());
  if (IsDisplayTextValid(text)) inner->SetSelStart(start);
}

bool TcxCustomTextEdit::ShowsGroupedNumbers() {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  return properties->SupportsValueRange() && properties->UsesThousandSeparator(false) && IsFocused();
}

void TcxCustomTextEdit::InnerEditChanged(TObject* sender) {
  LockChangeEvents(true);
  struct TUnlock {
    TcxCustomTextEdit* edit;
    ~TUnlock() { edit->LockChangeEvents(false, true); }
  } unlock{this};
  TcxCustomEdit::InnerEditChanged(sender);
  if (ShowsGroupedNumbers()) RegroupThousands();
}

// Puts the separators where the locale wants them and keeps the caret after the same digit.
void TcxCustomTextEdit::RegroupThousands() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (regrouping_ || !inner) return;
  std::string text = inner->Text(), grouped = text;
  GroupThousands(grouped);
  if (grouped == text || !IsPlainNumber(grouped)) return;
  TFlagScope guard(regrouping_, true);
  int digits = CountDigitsBefore(text, inner->SelStart());
  inner->SetText(grouped);
  if (digits == 0 || CountDigitsBefore(grouped, static_cast<int>(grouped.size())) < digits) return;
  inner->SetSelStart(PositionAfterDigits(grouped, digits));
  inner->SetSelLength(0);
}

LRESULT TcxCustomTextEdit::GetTextMessage(TMessage& message) {
  std::string text = OwnProperties() ? WindowText() : finalText_;
  if (message.Msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
  size_t size = message.WParam;
  if (size == 0) return 0;
  size_t length = std::min(text.size(), size - 1);
  char* buffer = reinterpret_cast<char*>(message.LParam);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<LRESULT>(length);
}

void TcxCustomTextEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: message.Result = GetTextMessage(message); return;
    case WM_SETTEXT: {
      if (settingTextByMessage_) break;
      TFlagScope guard(settingTextByMessage_, true);
      std::string text = message.LParam ? reinterpret_cast<const char*>(message.LParam) : "";
      message.Result = IsDisplayTextValid(text) ? 1 : 0;
      return;
    }
    default: break;
  }
  TcxCustomEdit::WndProc(message);
}

// Module start-up: the kind is registered while the module runs.
namespace {

void StartTextEdit() {
  GetEditPropertiesRegistry()->Register(TcxTextEditProperties::StaticClass(),
                                        LoadToolkitString(scxSEditRepositoryTextItem));
  RegisterClass(TcxTextEdit::StaticClass());
}

void StopTextEdit() { GetEditPropertiesRegistry()->Unregister(TcxTextEditProperties::StaticClass()); }

}  // namespace

constinit const TUnitInfo cxTextEditUnit{"cxTextEdit", StartTextEdit, StopTextEdit};
