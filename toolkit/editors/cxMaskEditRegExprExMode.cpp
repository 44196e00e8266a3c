// The extended regular-expression mode: the characters the pattern forces are typed by the mode
// after the character that brought them, and move and go with it.
#include "cxMaskEdit.h"

CALDERAN_IMPLEMENT_CLASS(TcxMaskEditRegExprExMode, TcxMaskEditRegExprMode)

TcxMaskEditRegExprExMode::TcxMaskEditRegExprExMode(IcxMaskEditModeHost* host) : TcxMaskEditRegExprMode(host) {
  expression_.OnForcedCharAdded = MakeEvent(this, &TcxMaskEditRegExprExMode::ForcedAdded);
  expression_.OnForcedCharRemoved = MakeEvent(this, &TcxMaskEditRegExprExMode::ForcedRemoved);
  SetAutoComplete(true);
  ResetForced();
}

void TcxMaskEditRegExprExMode::CompileEditMask(const std::string& mask) {
  ResetForced();
  TcxMaskEditRegExprMode::CompileEditMask(mask);
  if (!IsBlankMaskText(mask) && !HasEditor()) editValuePending_ = true;
}

void TcxMaskEditRegExprExMode::ApplyPendingEditValue() {
  if (!editValuePending_) return;
  host_->AssignEditValue(forced_);
  editValuePending_ = false;
}

bool TcxMaskEditRegExprExMode::ForcedBeginning(TcxRegExpr& probe, std::string& beginning) {
  if (!CompileProbe(probe)) return false;
  probe.OnForcedCharAdded = MakeEvent(this, &TcxMaskEditRegExprExMode::ProbeAdded);
  probe_.clear();
  probe.SetAutoComplete(true);
  beginning = probe_;
  return true;
}

std::string TcxMaskEditRegExprExMode::EmptyValueText() {
  TcxRegExpr probe;
  std::string beginning;
  return ForcedBeginning(probe, beginning) ? beginning : std::string();
}

// The characters that fit, then the characters forced after them.
std::string TcxMaskEditRegExprExMode::FormatForDisplay(const std::string& text, bool literalsInText) {
  if (!expression_.IsReady()) return std::string();
  SetAutoComplete(false);
  ResetForced();
  const std::string accepted = TcxMaskEditRegExprMode::FormatForDisplay(text, literalsInText);
  SetAutoComplete(true);
  return accepted + forced_;
}

bool TcxMaskEditRegExprExMode::IsTextComplete(const std::string& text) {
  TcxRegExpr probe;
  std::string beginning;
  if (!ForcedBeginning(probe, beginning)) return false;
  if (text == beginning) return true;  // an untouched editor
  probe.SetAutoComplete(false);
  probe.Restart();
  for (char ch : text)
    if (!probe.StepForward(ch)) return false;
  return host_->IgnoreMaskBlank() || probe.IsAccepting();
}

void TcxMaskEditRegExprExMode::MoveToEnd() {
  SetAutoComplete(false);
  TcxMaskEditRegExprMode::MoveToEnd();
  SetAutoComplete(true);
}

// One step from the tail into the head: the character and the forced characters it brings.
bool TcxMaskEditRegExprExMode::StepOne() {
  if (tail_.empty()) return false;
  ResetForced();
  expression_.StepForward(tail_[0]);
  const size_t count = std::min(tail_.size(), forced_.size() + 1);
  head_ += tail_.substr(0, count);
  tail_.erase(0, count);
  return true;
}

// One step back from the head into the tail, with the forced characters before the caret.
bool TcxMaskEditRegExprExMode::StepBackOne() {
  if (head_.empty()) return false;
  ResetForced();
  expression_.StepBack();
  // At the start everything before the caret goes back to the tail, so that head and tail always
  // cover the whole text.
  const size_t count = expression_.IsAtStart() ? head_.size() : std::min(head_.size(), size_t(removedCount_) + 1);
  tail_.insert(0, head_.substr(head_.size() - count));
  head_.erase(head_.size() - count);
  return true;
}

// Moves head and tail to the caret the user put somewhere; the caret and the selection never end
// inside a forced group, they move to its edge. The loops end when head or tail is used up, even
// when the two no longer cover the text.
void TcxMaskEditRegExprExMode::ResyncFromCaret() {
  if (!HasEditor() || !host_->HasWindow()) return;
  const std::string text = host_->Text();
  if (head_.empty() && tail_.empty() && !text.empty()) {
    tail_ = text;
    expression_.Restart();
    userMoved_ = true;
  }
  if (!userMoved_) return;
  userMoved_ = false;
  const int start = host_->SelStart();
  const int end = start + host_->SelLength();
  auto headLength = [this] { return static_cast<int>(head_.size()); };
  if (headLength() < start) {
    while (headLength() < start && StepOne()) {
    }
    if (headLength() > start) StepBackOne();
    if (headLength() != start) host_->SetSelStartQuiet(headLength());
  } else if (headLength() > start) {
    while (headLength() > start && StepBackOne()) {
    }
    if (headLength() != start) host_->SetSelStartQuiet(headLength());
  }
  if (start < end) {
    while (headLength() < end && StepOne()) {
    }
    host_->SetSelLengthQuiet(headLength() - host_->SelStart());
  }
}

// After a successful edit, with completion off and the tail known to fit: the tail gains the
// forced characters the pattern needs after its end, and the caret and the expression return to
// the end of the head.
void TcxMaskEditRegExprExMode::RefeedTail() {
  ResetForced();
  if (tail_.empty()) return;
  for (char& ch : tail_) {
    expression_.StepForward(ch);
    host_->SetSelStartQuiet(host_->SelStart() + 1);
  }
  SetAutoComplete(true);
  for (char ch : forced_) {
    tail_ += ch;
    host_->SendCharInternal(ch);
  }
  SetAutoComplete(false);
  for (size_t i = 0; i < tail_.size(); ++i) {
    expression_.StepBack();
    host_->SetSelStartQuiet(host_->SelStart() - 1);
  }
}

void TcxMaskEditRegExprExMode::RefeedOrDropTail() {
  SetAutoComplete(false);
  if (TailFits()) RefeedTail();
  else DropTail();
  SetAutoComplete(true);
}

// Runs a step of the plain mode with completion off; forced characters that switching it on again
// adds are stepped back over.
template <class Step> void TcxMaskEditRegExprExMode::WithoutCompletion(Step step) {
  SetAutoComplete(false);
  step();
  ResetForced();
  SetAutoComplete(true);
  if (!forced_.empty()) {
    expression_.StepBack();
    ResetForced();
  }
}

void TcxMaskEditRegExprExMode::CutSelectionText() {
  WithoutCompletion([this] { TcxMaskEditRegExprMode::CutSelectionText(); });
}

void TcxMaskEditRegExprExMode::PutSelectionBack() {
  WithoutCompletion([this] { TcxMaskEditRegExprMode::PutSelectionBack(); });
}

bool TcxMaskEditRegExprExMode::KeyHome() {
  ResyncFromCaret();
  ResetForced();
  TcxMaskEditRegExprMode::KeyHome();
  return true;
}

bool TcxMaskEditRegExprExMode::KeyEnd() {
  ResyncFromCaret();
  ResetForced();
  SetAutoComplete(false);
  TcxMaskEditRegExprMode::KeyEnd();
  SetAutoComplete(true);
  return true;
}

bool TcxMaskEditRegExprExMode::KeyLeft() {
  ResyncFromCaret();
  ResetForced();
  const int start = host_->SelStart(), length = host_->SelLength(), caret = host_->CaretPosition();
  const bool shift = host_->ShiftDown();
  if (length > 0 && !shift && start + length == caret) {
    WithoutCompletion([this] { TcxMaskEditRegExprMode::KeyLeft(); });
    return true;
  }
  if (length > 0 && !shift && start == caret) return true;
  TcxMaskEditRegExprMode::KeyLeft();
  // The platform moves the caret over one character; the mode moves it over the forced ones
  // before that character first.
  int removed = removedCount_;
  if (expression_.IsAtStart() && ((start != 0 && start == removed) || (start == 0 && length == removed))) --removed;
  removed = std::max(0, std::min(removed, static_cast<int>(head_.size())));
  for (int i = 0; i < removed; ++i) {
    tail_.insert(tail_.begin(), head_[head_.size() - 1 - i]);
    host_->SendKeyInternal(VK_LEFT);
  }
  head_.erase(head_.size() - removed);
  return true;
}

bool TcxMaskEditRegExprExMode::KeyRight() {
  ResyncFromCaret();
  ResetForced();
  const int start = host_->SelStart(), length = host_->SelLength(), caret = host_->CaretPosition();
  const bool shift = host_->ShiftDown();
  if (length > 0 && !shift && start == caret) {
    SetAutoComplete(false);
    TcxMaskEditRegExprMode::KeyRight();
    ResetForced();
    SetAutoComplete(true);
    return true;
  }
  if (length > 0 && !shift && start + length == caret) return true;
  TcxMaskEditRegExprMode::KeyRight();
  const size_t count = std::min(forced_.size(), tail_.size());
  for (size_t i = 0; i < count; ++i) {
    head_ += tail_[i];
    host_->SendKeyInternal(VK_RIGHT);
  }
  tail_.erase(0, count);
  return true;
}

// A selection that began inside the forced beginning moves behind it and the key is handled again.
bool TcxMaskEditRegExprExMode::RetypeBehindForcedBeginning(char ch, bool backspace) {
  if (host_->SelStart() != 0) return false;
  SetAutoComplete(false);
  SetAutoComplete(true);
  if (forced_.empty()) return false;
  head_ = forced_;
  ResetForced();
  const int length = host_->SelLength();
  host_->SetSelStart(static_cast<int>(head_.size()));
  host_->SetSelLength(std::max(0, length - host_->SelStart()));
  tail_.insert(0, host_->Text().substr(host_->SelStart(), host_->SelLength()));
  userMoved_ = false;
  if (backspace) KeyBackspace();
  else KeyCharacter(ch);
  return true;
}

bool TcxMaskEditRegExprExMode::KeyCharacter(char& ch) {
  ResyncFromCaret();
  ResetForced();
  const bool selected = host_->SelLength() > 0;
  if (selected) {
    CutSelectionText();
    if (RetypeBehindForcedBeginning(ch, false)) return false;
  }
  if (expression_.StepForward(ch)) {
    head_ += ch + forced_;
    host_->SendCharInternal(ch);
    for (char forced : std::string(forced_)) host_->SendCharInternal(forced);
    RefeedOrDropTail();
  } else {
    if (selected) PutSelectionBack();
    BeepOnError();
  }
  cutText_.clear();
  return false;
}

bool TcxMaskEditRegExprExMode::KeyBackspace() {
  ResyncFromCaret();
  ResetForced();
  if (host_->SelLength() > 0) {
    CutSelectionText();
    if (RetypeBehindForcedBeginning('\b', true)) return false;
    host_->SendCharInternal('\b');
    RefeedOrDropTail();
    cutText_.clear();
    return false;
  }
  if (head_.empty()) return false;
  expression_.StepBack();
  const int removed = removedCount_;
  if (expression_.IsAtStart() && host_->SelStart() == removed) {
    // Only forced characters lie before the caret: they stay.
    ResetForced();
    expression_.StepForward(head_[0]);
    BeepOnError();
    return false;
  }
  const int count = std::min(static_cast<int>(head_.size()), removed + 1);
  head_.erase(head_.size() - count);
  for (int i = 0; i < count; ++i) host_->SendCharInternal('\b');
  RefeedOrDropTail();
  return false;
}

bool TcxMaskEditRegExprExMode::KeyDelete() {
  ResyncFromCaret();
  ResetForced();
  if (host_->SelLength() > 0) return KeyBackspace();
  if (tail_.empty()) return false;
  if (host_->SelStart() == 0) {
    SetAutoComplete(false);
    SetAutoComplete(true);
    if (!forced_.empty()) {
      // The caret stands before the forced beginning, which stays.
      expression_.StepBack();
      ResetForced();
      BeepOnError();
      return false;
    }
  }
  expression_.StepForward(tail_[0]);
  const size_t count = std::min(tail_.size(), forced_.size() + 1);
  for (size_t i = 0; i < count; ++i) host_->SendKeyInternal(VK_DELETE);
  tail_.erase(0, count);
  expression_.StepBack();
  RefeedOrDropTail();
  return false;
}

void TcxMaskEditRegExprExMode::SyncWithText(const std::string& text) {
  SetAutoComplete(false);
  expression_.Restart();
  std::string fed = text;
  for (char& ch : fed) expression_.StepForward(ch);
  ResetForced();
  SetAutoComplete(true);
  head_ = text + forced_;
  tail_.clear();
  if (HasEditor()) {
    userMoved_ = true;
    ResyncFromCaret();
  }
  pastedTextLength_ = 0;
}
