// The standard mode: fixed-position masks with a block caret.
#include "cxMaskEdit.h"

CALDERAN_IMPLEMENT_CLASS(TcxMaskEditStandardMode, TcxMaskEditCustomMode)

void TcxMaskEditStandardMode::CompileEditMask(const std::string& mask) {
  maskText_ = mask;
  if (IsBlankMaskText(mask)) return;
  mask_.CompileMask(mask);
  if (!HasEditor()) editValuePending_ = true;
}

std::string TcxMaskEditStandardMode::FormatForDisplay(const std::string& text, bool literalsInText) {
  std::string result = text;
  mask_.PlaceText(result, true, literalsInText);
  return result;
}

std::string TcxMaskEditStandardMode::ValueFromDisplay(const std::string& text, bool literalsInText) {
  if (mask_.Count() == 0) return text;
  std::string result = text;
  mask_.PlaceText(result, host_->CharCaseNormal(), literalsInText);
  mask_.ValueText(result);
  return result;
}

bool TcxMaskEditStandardMode::IsTextComplete(const std::string& text) {
  std::string copy = text;
  if (mask_.IsComplete(copy)) return true;
  return host_->IgnoreMaskBlank() && text == FormatForDisplay(std::string(), true);
}

void TcxMaskEditStandardMode::ApplyPendingEditValue() {
  if (!editValuePending_) return;
  host_->AssignEditValue(mask_.BlankText());
  editValuePending_ = false;
}

void TcxMaskEditStandardMode::RefreshEditValue() {
  TcxMaskEditCustomMode::RefreshEditValue();
  CaretMovedByUser();
}

// While focused, nothing-selected is never shown: the character at the caret is selected.
void TcxMaskEditStandardMode::CaretMovedByUser() {
  if (HasEditor() && host_->HasWindow() && host_->IsMasked() && host_->SelLength() == 0) host_->SetSelLengthQuiet(1);
}

bool TcxMaskEditStandardMode::IsCaretAtStart() {
  int leadingLiterals = 0;
  while (IsLiteralAt(leadingLiterals)) ++leadingLiterals;
  return host_->SelStart() <= leadingLiterals &&
         (host_->SelLength() <= 1 || host_->CaretPosition() == host_->SelStart());
}

bool TcxMaskEditStandardMode::IsCaretAtEnd() { return host_->SelStart() == TextLength(); }

bool TcxMaskEditStandardMode::KeyHome() {
  if (host_->ShiftDown()) return true;
  host_->SetSelStart(0);
  if (mask_.Count() > 0 && IsLiteralAt(host_->SelStart())) KeyRight();
  return false;
}

bool TcxMaskEditStandardMode::KeyEnd() {
  if (host_->ShiftDown()) return true;
  host_->SetSelStart(TextLength());
  return false;
}

int TcxMaskEditStandardMode::LiteralsLeftOf(int position) const {
  int count = 0;
  while (IsLiteralAt(position - 1 - count)) ++count;
  return count;
}

// The first input position inside the selection, or where the caret goes when there is none.
int TcxMaskEditStandardMode::FirstInputInSelection() const {
  const int start = host_->SelStart();
  const int length = TextLength();
  int end = start + host_->SelLength();
  if (end >= length) --end;
  if (end < 0) end = 0;
  for (int position = start; position <= end; ++position)
    if (!IsLiteralAt(position)) return position;
  return start + host_->SelLength() < length ? start : end + 1;
}

bool TcxMaskEditStandardMode::KeyLeft() {
  const int start = host_->SelStart();
  if (host_->ShiftDown()) {
    // Turn the block caret into a plain caret behind it, so that the key extends a selection.
    if (host_->SelLength() == 1) {
      host_->SetSelStart(start + 1);
      host_->SetSelLength(0);
      host_->SendKeyInternal(VK_LEFT);
      host_->SendKeyInternal(VK_LEFT);
    }
    return true;
  }
  if (host_->SelLength() < 2) {
    int step = LiteralsLeftOf(start) + 1;
    if (start - step < 0) step = 0;
    if (start > 0) host_->SetSelStart(start - step);
    return false;
  }
  const int target = FirstInputInSelection();
  host_->SetSelStart(0);
  host_->SetSelStart(target);
  return false;
}

bool TcxMaskEditStandardMode::KeyRight() {
  const int start = host_->SelStart();
  const int length = TextLength();
  if (host_->ShiftDown()) {
    if (host_->SelLength() == 1 && host_->CaretPosition() == start) host_->SetSelLength(0);
    return true;
  }
  if (host_->SelLength() < 2) {
    int literals = 0;
    while (start + 1 + literals < mask_.Count() && IsLiteralAt(start + 1 + literals)) ++literals;
    int step = literals + 1;
    if (start + step > length) step = 0;
    host_->SetSelStart(start + step);
    return false;
  }
  int end = start + host_->SelLength();
  if (end < length) {
    int literals = 0;
    while (end - 1 - literals >= start && IsLiteralAt(end - 1 - literals)) ++literals;
    if (end - 1 - literals < start) literals = 0;
    end = end - 1 - literals;
  }
  host_->SetSelStart(0);
  host_->SetSelStart(end);
  return false;
}

bool TcxMaskEditStandardMode::KeyCharacter(char& ch) {
  for (;;) {
    const int start = host_->SelStart();
    std::string text = host_->CurrentText();
    if (text.empty() || start >= static_cast<int>(text.size()) || start >= mask_.Count()) return false;
    if (IsLiteralAt(start)) {
      // Typing on a literal moves on to the next input position and types there.
      host_->SetShiftDown(false);
      if (host_->SelLength() > 1) KeyDelete();
      const int before = host_->SelStart();
      KeyRight();
      if (host_->SelStart() > before) continue;
      return false;
    }
    if (!mask_.Item(start)->Accepts(ch) || !host_->AcceptsTypedChar(ch, start + 1)) return false;
    if (ch == '\0') {
      BeepOnError();
      return false;
    }
    if (host_->SelLength() > 1) KeyDelete();
    text = host_->CurrentText();
    text[start] = ch;
    host_->ShowDisplayValue(text);
    host_->SetSelStart(start);
    host_->SetShiftDown(false);
    KeyRight();
    return false;
  }
}

bool TcxMaskEditStandardMode::KeyDelete() {
  const int start = host_->SelStart();
  const int end = start + host_->SelLength();
  for (int position = start; position < end; ++position) {
    std::string text = host_->CurrentText();
    if (position >= static_cast<int>(text.size()) || position >= mask_.Count() || IsLiteralAt(position) ||
        BlankAt(position + 1) == '\0')
      continue;
    text[position] = mask_.BlankChar();
    host_->ShowDisplayValue(text);
    host_->SetSelStart(start);
  }
  return false;
}

bool TcxMaskEditStandardMode::KeyBackspace() {
  if (host_->SelLength() <= 1) KeyLeft();
  KeyDelete();
  return false;
}

// The pasted text overwrites as many characters as it has.
void TcxMaskEditStandardMode::BeforePaste() {
  pasteStart_ = host_->SelStart();
  host_->SetSelStartQuiet(pasteStart_);
  host_->SetSelLengthQuiet(pastedTextLength_);
}

void TcxMaskEditStandardMode::AfterPaste() {
  const int length = TextLength();
  int position = pastedTextLength_ + pasteStart_;
  if (position >= length) position = length - 1;
  if (position < 0) position = 0;
  host_->SetSelStart(position);
  if (IsLiteralAt(host_->SelStart())) {
    host_->SetShiftDown(false);
    KeyRight();
  }
}
