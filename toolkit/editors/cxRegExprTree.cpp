// The parse tree: items, alternatives and groups, and the rules that link their states.
#include <algorithm>

#include "cxRegExpr.h"

CALDERAN_IMPLEMENT_CLASS(TcxRegExprQuantifier, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprParserItem, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprParserSimpleItem, TcxRegExprParserItem)
CALDERAN_IMPLEMENT_CLASS(TcxRegExprParserBlockItem, TcxRegExprParserItem)

// ---------------------------------------------------------------------------------------------
// Quantifiers

namespace {

template <bool None, bool Many> class TQuantifier final : public TcxRegExprQuantifier {
 public:
  bool AllowsNone() const override { return None; }
  bool AllowsMany() const override { return Many; }
};

const TQuantifier<false, false> simpleQuantifier;
const TQuantifier<true, false> questionQuantifier;
const TQuantifier<true, true> starQuantifier;
const TQuantifier<false, true> plusQuantifier;

}  // namespace

const TcxRegExprQuantifier* cxRegExprSimpleQuantifier() { return &simpleQuantifier; }
const TcxRegExprQuantifier* cxRegExprQuestionQuantifier() { return &questionQuantifier; }
const TcxRegExprQuantifier* cxRegExprStarQuantifier() { return &starQuantifier; }
const TcxRegExprQuantifier* cxRegExprPlusQuantifier() { return &plusQuantifier; }

// ---------------------------------------------------------------------------------------------
// Items

TcxRegExprParserSimpleItem::TcxRegExprParserSimpleItem(std::unique_ptr<TcxRegExprItem> matcher)
    : state_(std::make_unique<TcxRegExprSimpleState>(std::move(matcher))) {}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserSimpleItem::Duplicate() const {
  auto result = std::make_unique<TcxRegExprParserSimpleItem>(
      state_->Matcher() ? state_->Matcher()->Duplicate() : nullptr);
  result->ReplaceQuantifier(Quantifier());
  return result;
}

TcxRegExprParserBlockItem::TcxRegExprParserBlockItem()
    : alternatives_(std::make_unique<TcxRegExprParserAlts>()),
      exit_(std::make_unique<TcxRegExprBlockState>()),
      entry_(std::make_unique<TcxRegExprBlockState>()) {}

bool TcxRegExprParserBlockItem::MayMatchEmpty() const { return AllowsNone() || alternatives_->MayMatchEmpty(); }

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserBlockItem::Duplicate() const {
  auto result = std::make_unique<TcxRegExprParserBlockItem>();
  result->ReplaceQuantifier(Quantifier());
  result->alternatives_ = alternatives_->Duplicate();
  return result;
}

void TcxRegExprParserBlockItem::LinkInside() {
  entry_->LinkAll(alternatives_->EntryStates());
  if (alternatives_->HasSkippableAlternative()) entry_->Link(exit_.get());
  alternatives_->LinkItems();
  alternatives_->LinkTailTo(exit_.get());
}

int64_t TcxRegExprParserBlockItem::LinkEstimate() const {
  // Entry to the alternatives' entries, entry to exit, the tails to the exit, and the inside.
  int64_t items = 0;
  for (int i = 0; i < alternatives_->Count(); ++i) items += alternatives_->Item(i)->Count();
  return TcxRegExprParserItem::LinkEstimate() + 1 + 2 * items + alternatives_->LinkEstimate();
}

// ---------------------------------------------------------------------------------------------
// One alternative

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserAlt::ReplaceLast(std::unique_ptr<TcxRegExprParserItem> item) {
  std::swap(items_.back(), item);
  return item;
}

bool TcxRegExprParserAlt::MayMatchEmpty() const {
  return std::all_of(items_.begin(), items_.end(), [](const auto& item) { return item->MayMatchEmpty(); });
}

bool TcxRegExprParserAlt::AllAllowNone() const {
  return std::all_of(items_.begin(), items_.end(), [](const auto& item) { return item->AllowsNone(); });
}

std::unique_ptr<TcxRegExprParserAlt> TcxRegExprParserAlt::Duplicate() const {
  auto result = std::make_unique<TcxRegExprParserAlt>();
  for (const auto& item : items_) result->Add(item->Duplicate());
  return result;
}

void TcxRegExprParserAlt::AppendEntryStates(TcxRegExprStates& states) const {
  for (const auto& item : items_) {
    states.Append(item->EntryState());
    if (!item->AllowsNone()) break;
  }
}

void TcxRegExprParserAlt::LinkItems() {
  for (size_t i = 0; i < items_.size(); ++i) {
    TcxRegExprParserItem* item = items_[i].get();
    for (size_t j = i + 1; j < items_.size(); ++j) {
      item->ExitState()->Link(items_[j]->EntryState());
      if (!items_[j]->AllowsNone()) break;
    }
    if (item->AllowsMany()) item->ExitState()->Link(item->EntryState());
    item->LinkInside();
  }
}

void TcxRegExprParserAlt::LinkTailTo(TcxRegExprState* exit) {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    (*it)->ExitState()->Link(exit);
    if (!(*it)->AllowsNone()) break;
  }
}

void TcxRegExprParserAlt::MarkTailAccepting() {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    (*it)->MarkAccepting();
    if (!(*it)->AllowsNone()) break;
  }
}

int TcxRegExprParserAlt::StateCount() const {
  int result = 0;
  for (const auto& item : items_) result += item->StateCount();
  return result;
}

int TcxRegExprParserAlt::Depth() const {
  int result = 0;
  for (const auto& item : items_) result = std::max(result, item->Depth());
  return result;
}

int64_t TcxRegExprParserAlt::LinkEstimate() const {
  // Each item links forward up to and including the first required item after it.
  int64_t result = 0;
  int64_t run = 0;
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    result += run + (*it)->LinkEstimate();
    run = (*it)->AllowsNone() ? run + 1 : 1;
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// Alternatives

TcxRegExprParserAlt* TcxRegExprParserAlts::AddAlternative() {
  alternatives_.push_back(std::make_unique<TcxRegExprParserAlt>());
  return alternatives_.back().get();
}

bool TcxRegExprParserAlts::MayMatchEmpty() const {
  return std::any_of(alternatives_.begin(), alternatives_.end(), [](const auto& alt) { return alt->MayMatchEmpty(); });
}

bool TcxRegExprParserAlts::HasSkippableAlternative() const {
  return std::any_of(alternatives_.begin(), alternatives_.end(), [](const auto& alt) { return alt->AllAllowNone(); });
}

TcxRegExprStates TcxRegExprParserAlts::EntryStates() const {
  TcxRegExprStates result;
  for (const auto& alt : alternatives_) alt->AppendEntryStates(result);
  return result;
}

void TcxRegExprParserAlts::LinkItems() {
  for (const auto& alt : alternatives_) alt->LinkItems();
}

void TcxRegExprParserAlts::LinkTailTo(TcxRegExprState* exit) {
  for (const auto& alt : alternatives_) alt->LinkTailTo(exit);
}

void TcxRegExprParserAlts::MarkTailAccepting() {
  for (const auto& alt : alternatives_) alt->MarkTailAccepting();
}

std::unique_ptr<TcxRegExprParserAlts> TcxRegExprParserAlts::Duplicate() const {
  auto result = std::make_unique<TcxRegExprParserAlts>();
  for (const auto& alt : alternatives_) result->alternatives_.push_back(alt->Duplicate());
  return result;
}

int TcxRegExprParserAlts::StateCount() const {
  int result = 0;
  for (const auto& alt : alternatives_) result += alt->StateCount();
  return result;
}

int TcxRegExprParserAlts::Depth() const {
  int result = 0;
  for (const auto& alt : alternatives_) result = std::max(result, alt->Depth());
  return result;
}

int64_t TcxRegExprParserAlts::LinkEstimate() const {
  int64_t result = 0;
  for (const auto& alt : alternatives_) result += alt->LinkEstimate();
  return result;
}
