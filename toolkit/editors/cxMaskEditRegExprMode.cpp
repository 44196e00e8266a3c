// The regular-expression mode: the text before the caret (the head) has been fed to the
// expression, the text after it (the tail) has not; every edit is tested against the expression.
#include "cxMaskEdit.h"

CALDERAN_IMPLEMENT_CLASS(TcxMaskEditRegExprMode, TcxMaskEditCustomMode)

namespace {

void CompileFromText(TcxRegExpr& expression, const std::string& text) {
  TMemoryStream stream;
  stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
  expression.CompileFromStream(&stream);
}

}  // namespace

TcxMaskEditRegExprMode::TcxMaskEditRegExprMode(IcxMaskEditModeHost* host) : TcxMaskEditCustomMode(host) {
  expression_.IgnoreCase = host->CaseInsensitive();
}

void TcxMaskEditRegExprMode::CompileEditMask(const std::string& mask) {
  maskText_ = mask;
  if (IsBlankMaskText(mask)) return;
  try {
    CompileFromText(expression_, mask);
  } catch (const EcxRegExprError& error) {
    std::string message = LoadToolkitString(scxMaskEditRegExprError);
    for (int i = 0; i < error.Errors().Count(); ++i) message += "\r\n" + error.Errors().Item(i).FullText();
    throw EcxMaskEditError(message);
  }
}

// The characters that fit, each as the expression took it; the others are left out.
std::string TcxMaskEditRegExprMode::FormatForDisplay(const std::string& text, bool) {
  if (!expression_.IsReady()) return std::string();
  expression_.Restart();
  std::string result;
  for (char ch : text)
    if (expression_.StepForward(ch)) result += ch;
  return result;
}

bool TcxMaskEditRegExprMode::CompileProbe(TcxRegExpr& probe) {
  TMemoryStream* source = expression_.SourceStream();
  if (!source) return false;
  probe.IgnoreCase = host_->CaseInsensitive();
  probe.CompileFromStream(source);
  return true;
}

bool TcxMaskEditRegExprMode::IsTextComplete(const std::string& text) {
  if (text.empty()) return true;
  TcxRegExpr probe;
  if (!CompileProbe(probe)) return false;
  for (char ch : text)
    if (!probe.StepForward(ch)) return false;
  return host_->IgnoreMaskBlank() || probe.IsAccepting();
}

// Rebuilds head and tail from the caret after the user moved it (or when they cover nothing yet).
void TcxMaskEditRegExprMode::ResyncFromCaret() {
  const std::string text = host_->Text();
  if (!userMoved_ && !(head_.empty() && tail_.empty() && !text.empty())) return;
  userMoved_ = false;
  expression_.Restart();
  tail_ = text;
  head_.clear();
  const int caret = host_->CaretPosition();
  for (int i = 0; i < caret && i < static_cast<int>(text.size()); ++i) {
    char ch = text[i];
    expression_.StepForward(ch);
    head_ += tail_[0];
    tail_.erase(0, 1);
  }
}

// Whether the tail still fits after the head; the expression ends where it started.
bool TcxMaskEditRegExprMode::TailFits() {
  size_t fed = 0;
  bool fits = true;
  for (; fed < tail_.size(); ++fed) {
    if (!expression_.StepForward(tail_[fed])) {
      fits = false;
      break;
    }
  }
  for (size_t i = 0; i < fed; ++i) expression_.StepBack();
  return fits;
}

// Cuts off the tail that no longer fits.
void TcxMaskEditRegExprMode::DropTail() {
  std::string text = host_->DisplayText();
  const size_t start = static_cast<size_t>(host_->SelStart());
  if (start < text.size()) text.erase(start, tail_.size());
  host_->SetDisplayText(text);
  host_->SetSelStartQuiet(static_cast<int>(text.size()));
  tail_.clear();
}

void TcxMaskEditRegExprMode::MoveTailChar() {
  expression_.StepForward(tail_[0]);
  head_ += tail_[0];
  tail_.erase(0, 1);
}

void TcxMaskEditRegExprMode::StepBackIntoTail() {
  expression_.StepBack();
  tail_.insert(tail_.begin(), head_.back());
  head_.pop_back();
}

void TcxMaskEditRegExprMode::CutSelectionText() {
  const int start = host_->SelStart();
  const int length = host_->SelLength();
  if (start == static_cast<int>(head_.size())) {
    cutText_ = tail_.substr(0, length);
    tail_.erase(0, length);
    selectionInTail_ = true;
  } else if (start >= 0 && start + length == static_cast<int>(head_.size())) {
    cutText_ = head_.substr(start);
    head_.erase(start);
    for (size_t i = 0; i < cutText_.size(); ++i) expression_.StepBack();
    selectionInTail_ = false;
  }
}

void TcxMaskEditRegExprMode::PutSelectionBack() {
  if (selectionInTail_) {
    tail_.insert(0, cutText_);
    return;
  }
  for (char ch : cutText_) {
    expression_.StepForward(ch);
    head_ += ch;
  }
}

void TcxMaskEditRegExprMode::MoveToEnd() {
  ResyncFromCaret();
  while (!tail_.empty()) MoveTailChar();
}

bool TcxMaskEditRegExprMode::KeyEnd() {
  MoveToEnd();
  return true;
}

bool TcxMaskEditRegExprMode::KeyHome() {
  ResyncFromCaret();
  if (!head_.empty()) {
    tail_ = head_ + tail_;
    head_.clear();
    expression_.Restart();
  }
  return true;
}

bool TcxMaskEditRegExprMode::KeyLeft() {
  ResyncFromCaret();
  if (head_.empty()) return true;
  const int start = host_->SelStart(), length = host_->SelLength(), caret = host_->CaretPosition();
  const bool shift = host_->ShiftDown();
  if (length > 0 && !shift && start + length == caret) {
    // The caret jumps to the selection's start.
    for (int i = 0; i < length && !head_.empty(); ++i) StepBackIntoTail();
  } else if (!(length > 0 && !shift && start == caret)) {
    StepBackIntoTail();
  }
  return true;
}

bool TcxMaskEditRegExprMode::KeyRight() {
  ResyncFromCaret();
  if (tail_.empty()) return true;
  const int start = host_->SelStart(), length = host_->SelLength(), caret = host_->CaretPosition();
  const bool shift = host_->ShiftDown();
  if (length > 0 && !shift && start == caret) {
    for (int i = 0; i < length && !tail_.empty(); ++i) MoveTailChar();
  } else if (!(length > 0 && !shift && start + length == caret)) {
    MoveTailChar();
  }
  return true;
}

bool TcxMaskEditRegExprMode::KeyCharacter(char& ch) {
  ResyncFromCaret();
  const bool selected = host_->SelLength() > 0;
  if (selected) CutSelectionText();
  bool result = false;
  if (expression_.StepForward(ch)) {
    head_ += ch;
    result = true;
    if (!TailFits()) {
      if (selected) {
        // Type the character over the selection here, then cut off what no longer fits.
        host_->SendKeyInternal(VK_DELETE);
        host_->SendCharInternal(ch);
        result = false;
      }
      DropTail();
    }
  } else {
    PutSelectionBack();
  }
  cutText_.clear();
  if (!result) BeepOnError();
  return result;
}

bool TcxMaskEditRegExprMode::KeyBackspace() {
  ResyncFromCaret();
  bool result = true;
  if (host_->SelLength() > 0) {
    CutSelectionText();
    if (!TailFits()) {
      host_->SendCharInternal('\b');
      DropTail();
      result = false;
    }
  } else if (!head_.empty()) {
    expression_.StepBack();
    // The platform edit control removes the character before the caret; the head loses it at once,
    // whether or not the tail had to go.
    if (!TailFits()) DropTail();
    head_.pop_back();
  }
  cutText_.clear();
  if (!result) BeepOnError();
  return result;
}

bool TcxMaskEditRegExprMode::KeyDelete() {
  ResyncFromCaret();
  bool result = true;
  if (host_->SelLength() > 0) {
    CutSelectionText();
    if (!TailFits()) {
      host_->SendKeyInternal(VK_DELETE);
      DropTail();
      result = false;
    }
  } else if (!tail_.empty()) {
    cutText_ = tail_.substr(0, 1);
    tail_.erase(0, 1);
    if (!TailFits()) {
      DropTail();
      if (host_->SelStart() > 0) host_->SetSelStartQuiet(host_->SelStart() - 1);
    }
  }
  cutText_.clear();
  if (!result) BeepOnError();
  return result;
}

void TcxMaskEditRegExprMode::SyncWithText(const std::string& text) {
  expression_.Restart();
  if (pastedTextLength_ <= 0 || text.empty()) {
    head_.clear();
    tail_ = text;
    return;
  }
  const size_t fed = std::min(text.size(), static_cast<size_t>(std::max(0, host_->SelStart() + pastedTextLength_)));
  head_ = text.substr(0, fed);
  tail_ = text.substr(fed);
  for (char& ch : head_) expression_.StepForward(ch);
  pastedTextLength_ = 0;
}

void TcxMaskEditRegExprMode::RefreshEditValue() {
  TcxMaskEditCustomMode::RefreshEditValue();
  const std::string text = host_->Text();
  host_->SetSelStart(static_cast<int>(text.size()));
  head_ = text;
  tail_.clear();
  expression_.Restart();
  expression_.FeedText(head_);
}
