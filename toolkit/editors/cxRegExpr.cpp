// The expression object, the matchers, the state sets and the automaton.
#include "cxRegExpr.h"

#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TcxRegExprItem, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprSymbol, TcxRegExprItem)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprTimeSeparator, TcxRegExprItem)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprDateSeparator, TcxRegExprItem)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprSubrange, TcxRegExprItem)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprEnumeration, TcxRegExprItem)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprUserEnumeration, TcxRegExprEnumeration)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprDigit, TcxRegExprEnumeration)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprIdLetter, TcxRegExprEnumeration)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprSpace, TcxRegExprEnumeration)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprAll, TcxRegExprItem)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprState, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprSimpleState, TcxRegExprState)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprBlockState, TcxRegExprState)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprAutomat, TObject)
CALDERAN_IMPLEMENT_CLASS(EcxRegExprError, EcxEditError)
CALDERAN_IMPLEMENT_CLASS(TcxRegExpr, TObject)

// ---------------------------------------------------------------------------------------------
// Matchers

bool TcxRegExprItem::FixedChar(char&) const { return false; }

bool TcxRegExprSymbol::Matches(char& ch, bool ignoreCase) const {
  if (ch == symbol_) return true;
  if (!ignoreCase || AnsiUpperCase(std::string(1, ch)) != AnsiUpperCase(std::string(1, symbol_))) return false;
  ch = symbol_;
  return true;
}
std::unique_ptr<TcxRegExprItem> TcxRegExprSymbol::Duplicate() const {
  return std::make_unique<TcxRegExprSymbol>(symbol_);
}
bool TcxRegExprSymbol::FixedChar(char& ch) const {
  ch = symbol_;
  return true;
}

bool TcxRegExprTimeSeparator::Matches(char& ch, bool) const { return ch == FormatSettings().TimeSeparator; }
std::unique_ptr<TcxRegExprItem> TcxRegExprTimeSeparator::Duplicate() const {
  return std::make_unique<TcxRegExprTimeSeparator>();
}
bool TcxRegExprTimeSeparator::FixedChar(char& ch) const {
  ch = FormatSettings().TimeSeparator;
  return true;
}

bool TcxRegExprDateSeparator::Matches(char& ch, bool) const { return ch == FormatSettings().DateSeparator; }
std::unique_ptr<TcxRegExprItem> TcxRegExprDateSeparator::Duplicate() const {
  return std::make_unique<TcxRegExprDateSeparator>();
}
bool TcxRegExprDateSeparator::FixedChar(char& ch) const {
  ch = FormatSettings().DateSeparator;
  return true;
}

bool TcxRegExprSubrange::Matches(char& ch, bool) const {
  const auto code = static_cast<uint8_t>(ch);
  return start_ <= code && code <= finish_;
}
std::unique_ptr<TcxRegExprItem> TcxRegExprSubrange::Duplicate() const {
  return std::make_unique<TcxRegExprSubrange>(start_, finish_);
}

bool TcxRegExprUserEnumeration::Belongs(char& ch, bool ignoreCase) const {
  for (const auto& member : members_)
    if (member->Matches(ch, ignoreCase)) return true;
  return false;
}
std::unique_ptr<TcxRegExprItem> TcxRegExprUserEnumeration::Duplicate() const {
  auto result = std::make_unique<TcxRegExprUserEnumeration>(Negated());
  for (const auto& member : members_) result->Add(member->Duplicate());
  return result;
}

bool TcxRegExprDigit::Belongs(char& ch, bool) const { return ch >= '0' && ch <= '9'; }
std::unique_ptr<TcxRegExprItem> TcxRegExprDigit::Duplicate() const {
  return std::make_unique<TcxRegExprDigit>(Negated());
}

bool TcxRegExprIdLetter::Belongs(char& ch, bool) const {
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_' || (ch >= '0' && ch <= '9');
}
std::unique_ptr<TcxRegExprItem> TcxRegExprIdLetter::Duplicate() const {
  return std::make_unique<TcxRegExprIdLetter>(Negated());
}

bool TcxRegExprSpace::Belongs(char& ch, bool) const {
  return ch == ' ' || ch == '\0' || ch == '\t' || ch == '\n' || ch == '\f' || ch == '\r';
}
std::unique_ptr<TcxRegExprItem> TcxRegExprSpace::Duplicate() const {
  return std::make_unique<TcxRegExprSpace>(Negated());
}

std::unique_ptr<TcxRegExprItem> TcxRegExprAll::Duplicate() const { return std::make_unique<TcxRegExprAll>(); }

// ---------------------------------------------------------------------------------------------
// States and state sets

namespace {

// Shared by every walk, whatever it hands its states to: a mark is never reused.
uint64_t walkEpoch = 0;
std::vector<TcxRegExprState*> walkStack;

}  // namespace

// Walks from the successors of every member, through pass-through states, in link order (depth
// first, as a recursive pass-through would), and hands each simple state to `visit` the first time
// the walk reaches it. Marking what the walk has reached keeps each state once in the resulting set
// and ends a cycle of pass-through states (a repeated group whose content can match nothing), so a
// walk looks at no more states than the expression has links, whatever was typed before.
template <class Visit> void TcxRegExprStates::Walk(uint64_t* visits, Visit visit) const {
  auto& stack = walkStack;
  const uint64_t mark = ++walkEpoch;
  uint64_t count = 0;
  auto pushSuccessors = [&](const TcxRegExprState* state) {
    const auto& successors = state->successors_.states_;
    stack.insert(stack.end(), successors.rbegin(), successors.rend());
  };
  for (TcxRegExprState* member : states_) {
    pushSuccessors(member);
    while (!stack.empty()) {
      TcxRegExprState* state = stack.back();
      stack.pop_back();
      ++count;
      if (state->walkMark_ == mark) continue;
      state->walkMark_ = mark;
      if (TcxRegExprSimpleState* simple = state->AsSimple()) visit(simple);
      else pushSuccessors(state);
    }
  }
  if (visits) *visits += count;
}

TcxRegExprStates TcxRegExprStates::StepAll(char& ch, bool ignoreCase, uint64_t* visits) const {
  TcxRegExprStates result;
  Walk(visits, [&](TcxRegExprSimpleState* state) {
    if (state->Matcher() && state->Matcher()->Matches(ch, ignoreCase)) result.Append(state);
  });
  return result;
}

TcxRegExprStates TcxRegExprStates::ExpandAll(uint64_t* visits) const {
  TcxRegExprStates result;
  Walk(visits, [&](TcxRegExprSimpleState* state) { result.Append(state); });
  return result;
}

bool TcxRegExprStates::AnyAccepting() const {
  for (TcxRegExprState* state : states_) {
    TcxRegExprSimpleState* simple = state->AsSimple();
    if (simple && simple->Accepting()) return true;
  }
  return false;
}

bool TcxRegExprStates::SingleForcedChar(char& ch) const {
  if (states_.empty()) return false;
  for (size_t i = 0; i < states_.size(); ++i) {
    TcxRegExprSimpleState* simple = states_[i]->AsSimple();
    char fixed;
    if (!simple || !simple->Matcher() || !simple->Matcher()->FixedChar(fixed)) return false;
    if (i == 0) ch = fixed;
    else if (fixed != ch) return false;
  }
  return true;
}

void TcxRegExprState::LinkAll(const TcxRegExprStates& targets) {
  for (TcxRegExprState* target : targets) Link(target);
}

std::unique_ptr<TcxRegExprState> TcxRegExprSimpleState::Duplicate() const {
  return std::make_unique<TcxRegExprSimpleState>(matcher_ ? matcher_->Duplicate() : nullptr);
}

std::unique_ptr<TcxRegExprState> TcxRegExprBlockState::Duplicate() const {
  return std::make_unique<TcxRegExprBlockState>();
}

// ---------------------------------------------------------------------------------------------
// The automaton

TcxRegExprAutomat::TcxRegExprAutomat(std::unique_ptr<TcxRegExprParserAlts> tree, TcxRegExpr* owner)
    : tree_(std::move(tree)), owner_(owner), start_(std::make_unique<TcxRegExprSimpleState>(nullptr)) {
  TcxRegExprStates entries = tree_->EntryStates();
  start_->LinkAll(entries);
  if (tree_->HasSkippableAlternative()) start_->MarkAccepting();
  current_.Append(start_.get());
  size_ = 1 + entries.Count() + tree_->StateCount() + tree_->LinkEstimate();
}

void TcxRegExprAutomat::Push(TcxRegExprStates next) {
  undo_.push_back(std::move(current_));
  current_ = std::move(next);
}

bool TcxRegExprAutomat::Step(char& ch, bool ignoreCase) {
  TcxRegExprStates next = current_.StepAll(ch, ignoreCase, &visits_);
  if (next.Count() == 0) return false;
  Push(std::move(next));
  return true;
}

bool TcxRegExprAutomat::Undo() {
  if (undo_.empty()) return false;
  current_ = std::move(undo_.back());
  undo_.pop_back();
  return true;
}

void TcxRegExprAutomat::Restart() {
  undo_.clear();
  current_ = TcxRegExprStates();
  current_.Append(start_.get());
}

bool TcxRegExprAutomat::IsAtStart() const { return current_.Count() > 0 && current_.State(0) == start_.get(); }

void TcxRegExprAutomat::CompleteForced() {
  // Each forced character moves on through the expression, so a chain longer than the expression's
  // size could only be a loop that never accepts; the bound ends it.
  for (int64_t budget = size_; budget > 0 && !IsAccepting(); --budget) {
    TcxRegExprStates next = current_.ExpandAll(&visits_);
    char forced;
    if (!next.SingleForcedChar(forced)) return;
    owner_->FireForcedCharAdded(forced);
    Push(std::move(next));
  }
}

void TcxRegExprAutomat::UncompleteForced() {
  char forced;
  while (current_.SingleForcedChar(forced) && !undo_.empty()) {
    TcxRegExprStates previous = std::move(undo_.back());
    undo_.pop_back();
    if (previous.AnyAccepting() || !previous.ExpandAll(&visits_).SingleForcedChar(forced)) {
      undo_.push_back(std::move(previous));
      return;
    }
    owner_->FireForcedCharRemoved();
    current_ = std::move(previous);
  }
}

// ---------------------------------------------------------------------------------------------
// The expression

namespace {

bool IsBlankSource(const std::string& source) {
  for (char ch : source)
    if (!(ch == '\0' || ch == '\t' || ch == '\n' || ch == '\f' || ch == '\r' || ch == ' ')) return false;
  return true;
}

}  // namespace

std::string TcxRegExprError::FullText() const {
  if (Line <= 0) return Message;
  std::string result = LoadToolkitString(scxRegExprLine) + IntToStr(Line);
  if (Column > 0) result += ", " + LoadToolkitString(scxRegExprChar) + IntToStr(Column);
  return result + ": " + Message;
}

TcxRegExpr::TcxRegExpr() : source_(std::make_unique<TMemoryStream>()) {}

TcxRegExpr::~TcxRegExpr() = default;

void TcxRegExpr::Clear() {
  source_->Clear();
  errors_.Clear();
  lexems_.Clear();
  automaton_.reset();
  compiled_ = false;
}

void TcxRegExpr::RaiseErrors() { throw EcxRegExprError(errors_); }

void TcxRegExpr::CompileFromStream(TStream* stream) {
  Clear();
  if (!stream) {
    errors_.Add(0, 0, LoadToolkitString(scxRegExprNotAssignedSourceStream));
    RaiseErrors();
  }
  try {
    source_->CopyFrom(stream, 0);
  } catch (EStreamError&) {
    source_->Clear();
    errors_.Add(0, 0, LoadToolkitString(scxRegExprNotAssignedSourceStream));
    RaiseErrors();
  }
  source_->SetPosition(0);
  const std::string source = source_->ReadAll();
  source_->SetPosition(0);
  if (IsBlankSource(source)) {
    errors_.Add(0, 0, LoadToolkitString(scxRegExprEmptySourceStream));
    RaiseErrors();
  }
  cxRegExprScan(source, lexems_, errors_);
  if (errors_.Count() > 0) RaiseErrors();
  std::unique_ptr<TcxRegExprParserAlts> tree = cxRegExprParse(lexems_, errors_);
  if (!tree) RaiseErrors();
  automaton_ = std::make_unique<TcxRegExprAutomat>(std::move(tree), this);
  compiled_ = true;
  if (autoComplete_) automaton_->CompleteForced();
}

TMemoryStream* TcxRegExpr::SourceStream() const { return compiled_ ? source_.get() : nullptr; }

void TcxRegExpr::SetAutoComplete(bool value) {
  autoComplete_ = value;
  if (compiled_ && value) automaton_->CompleteForced();
}

void TcxRegExpr::CheckCompiled() const {
  if (!compiled_) throw EcxEditError(LoadToolkitString(scxRegExprNotCompiled));
}

bool TcxRegExpr::StepForward(char& ch) {
  CheckCompiled();
  const bool result = automaton_->Step(ch, IgnoreCase);
  if (result && autoComplete_ && !automaton_->IsAccepting()) automaton_->CompleteForced();
  return result;
}

void TcxRegExpr::FeedText(const std::string& text) {
  CheckCompiled();
  for (char ch : text) automaton_->Step(ch, IgnoreCase);
}

bool TcxRegExpr::StepBack() {
  CheckCompiled();
  if (autoComplete_) automaton_->UncompleteForced();
  return automaton_->Undo();
}

void TcxRegExpr::Restart() {
  CheckCompiled();
  automaton_->Restart();
}

bool TcxRegExpr::IsAccepting() const {
  CheckCompiled();
  return automaton_->IsAccepting();
}

bool TcxRegExpr::IsAtStart() const {
  CheckCompiled();
  return automaton_->IsAtStart();
}

void TcxRegExpr::FireForcedCharAdded(char ch) {
  if (OnForcedCharAdded) OnForcedCharAdded(ch);
}

void TcxRegExpr::FireForcedCharRemoved() {
  if (OnForcedCharRemoved) OnForcedCharRemoved();
}
