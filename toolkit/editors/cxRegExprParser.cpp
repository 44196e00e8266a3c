// The parser: builds the parse tree from the lexemes, reporting every error at the lexeme that
// caused it, then links the tree for the automaton.
#include "SysUtils.h"
#include "cxRegExpr.h"

namespace {

enum class TAlternativeEnd { NoneFollows, AnotherFollows, GroupEnds };

class TParser {
 public:
  TParser(const TcxLexems& lexems, TcxRegExprErrors& errors) : lexems_(lexems), errors_(errors) {}
  std::unique_ptr<TcxRegExprParserAlts> Run();

 private:
  using TItem = std::unique_ptr<TcxRegExprParserItem>;

  const TcxLexem* Next() { return cursor_ < lexems_.Count() ? &lexems_.Item(cursor_++) : nullptr; }
  const TcxLexem* Peek() const { return cursor_ < lexems_.Count() ? &lexems_.Item(cursor_) : nullptr; }
  void Error(const TcxLexem* at, const TcxResourceString& text, char argument = '\0');
  void TooComplex(const TcxLexem* at);
  bool Fits(const TcxLexem* at, int64_t newStates, int depth);

  TAlternativeEnd ParseAlternative(TcxRegExprParserAlt& alt, bool inGroup);
  TAlternativeEnd ParseLexem(TcxRegExprParserAlt& alt, const TcxLexem& lexem, bool inGroup);
  TItem NewSimpleItem(std::unique_ptr<TcxRegExprItem> matcher);
  TItem ParseGroup(const TcxLexem& parenthesis);
  TItem ParseSet();
  void AddSetMember(TcxRegExprUserEnumeration& set, const TcxLexem& lexem);
  void AddReference(TcxRegExprParserAlt& alt, const TcxLexem& reference);
  void ApplyQuantifier(TcxRegExprParserAlt& alt, const TcxLexem& quantifier);
  void ParseCount(TcxRegExprParserAlt& alt, const TcxLexem& brace);
  void SkipCount(const TcxLexem* from);
  void Expand(TcxRegExprParserAlt& alt, int32_t least, int32_t most, bool unbounded, const TcxLexem& brace);
  TItem OptionalChain(const TcxRegExprParserItem& item, int64_t length);
  void Replace(TcxRegExprParserAlt& alt, TItem item);

  const TcxLexems& lexems_;
  TcxRegExprErrors& errors_;
  int cursor_ = 0;
  // The groups in the order of their opening parentheses, for references.
  std::vector<TcxRegExprParserBlockItem*> groups_;
  // Items that a count replaced: groups inside them may still be referred to, so they live until
  // the parse ends.
  std::vector<TItem> replaced_;
  int64_t statesBuilt_ = 0;
  int openGroups_ = 0;
  bool stopped_ = false;  // after an expression grew too complex
};

void TParser::Error(const TcxLexem* at, const TcxResourceString& text, char argument) {
  std::string message = LoadToolkitString(text);
  if (argument) {
    const char shown[2] = {argument, '\0'};
    message = Format(message, {shown});
  }
  if (at) errors_.Add(at->Line, at->Column, std::move(message));
  else errors_.Add(0, 0, std::move(message));
}

// The one error of an expression beyond the automaton's budget; parsing stops there, since what
// follows could only grow it further.
void TParser::TooComplex(const TcxLexem* at) {
  Error(at, scxRegExprTooComplex);
  stopped_ = true;
}

// Whether `newStates` more states, and an item of `depth` nested groups at the current nesting,
// stay within the budget; reports the expression as too complex otherwise.
bool TParser::Fits(const TcxLexem* at, int64_t newStates, int depth) {
  if (statesBuilt_ + newStates > cxRegExprMaxStates || openGroups_ + depth > cxRegExprMaxDepth) {
    TooComplex(at);
    return false;
  }
  statesBuilt_ += newStates;
  return true;
}

std::unique_ptr<TcxRegExprParserAlts> TParser::Run() {
  auto tree = std::make_unique<TcxRegExprParserAlts>();
  while (ParseAlternative(*tree->AddAlternative(), false) == TAlternativeEnd::AnotherFollows) {
  }
  groups_.clear();
  replaced_.clear();
  if (errors_.Count() > 0) return nullptr;
  if (tree->StateCount() + tree->LinkEstimate() > cxRegExprMaxLinks) {
    TooComplex(nullptr);
    return nullptr;
  }
  tree->LinkItems();
  tree->MarkTailAccepting();
  return tree;
}

TAlternativeEnd TParser::ParseAlternative(TcxRegExprParserAlt& alt, bool inGroup) {
  const TcxLexem* first = Peek();
  if (!first) {
    Error(nullptr, scxRegExprEmptyAlternative);
    return TAlternativeEnd::NoneFollows;
  }
  if (first->IsSpecial('|')) {
    Error(Next(), scxRegExprEmptyAlternative);
    return TAlternativeEnd::AnotherFollows;
  }
  if (inGroup && first->IsSpecial(')')) {
    Error(Next(), scxRegExprEmptyBlock);
    return TAlternativeEnd::GroupEnds;
  }
  while (const TcxLexem* lexem = Next()) {
    if (stopped_) return TAlternativeEnd::NoneFollows;
    const TAlternativeEnd end = ParseLexem(alt, *lexem, inGroup);
    if (end != TAlternativeEnd::NoneFollows) return end;
  }
  return TAlternativeEnd::NoneFollows;
}

// Handles one lexeme of an alternative; NoneFollows here means the alternative goes on.
TAlternativeEnd TParser::ParseLexem(TcxRegExprParserAlt& alt, const TcxLexem& lexem, bool inGroup) {
  auto add = [&](TItem item) {
    if (item) alt.Add(std::move(item));
  };
  switch (lexem.Code) {
    case lcLiteral: add(NewSimpleItem(std::make_unique<TcxRegExprSymbol>(lexem.Value[0]))); break;
    case lcAnyChar: add(NewSimpleItem(std::make_unique<TcxRegExprAll>())); break;
    case lcWordChar: add(NewSimpleItem(std::make_unique<TcxRegExprIdLetter>(false))); break;
    case lcNonWordChar: add(NewSimpleItem(std::make_unique<TcxRegExprIdLetter>(true))); break;
    case lcDigit: add(NewSimpleItem(std::make_unique<TcxRegExprDigit>(false))); break;
    case lcNonDigit: add(NewSimpleItem(std::make_unique<TcxRegExprDigit>(true))); break;
    case lcBlank: add(NewSimpleItem(std::make_unique<TcxRegExprSpace>(false))); break;
    case lcNonBlank: add(NewSimpleItem(std::make_unique<TcxRegExprSpace>(true))); break;
    case lcDateSep: add(NewSimpleItem(std::make_unique<TcxRegExprDateSeparator>())); break;
    case lcTimeSep: add(NewSimpleItem(std::make_unique<TcxRegExprTimeSeparator>())); break;
    case lcInteger: Error(&lexem, scxRegExprIllegalIntegerValue); break;
    case lcGroupRef: AddReference(alt, lexem); break;
    case lcSpecial:
      switch (lexem.Value[0]) {
        case '(': add(ParseGroup(lexem)); break;
        case '[': add(ParseSet()); break;
        case ')':
          if (inGroup) return TAlternativeEnd::GroupEnds;
          Error(&lexem, scxRegExprIllegalSymbol, ')');
          break;
        case '|': return TAlternativeEnd::AnotherFollows;
        case '*': case '+': case '?': ApplyQuantifier(alt, lexem); break;
        case '{': ParseCount(alt, lexem); break;
        case ',': break;
        default: Error(&lexem, scxRegExprIllegalSymbol, lexem.Value[0]); break;
      }
      break;
  }
  return TAlternativeEnd::NoneFollows;
}

TParser::TItem TParser::NewSimpleItem(std::unique_ptr<TcxRegExprItem> matcher) {
  const TcxLexem* at = cursor_ > 0 ? &lexems_.Item(cursor_ - 1) : nullptr;
  if (!Fits(at, 1, 0)) return nullptr;
  return std::make_unique<TcxRegExprParserSimpleItem>(std::move(matcher));
}

// After "(": the alternatives up to the closing ")".
TParser::TItem TParser::ParseGroup(const TcxLexem& parenthesis) {
  if (!Fits(&parenthesis, 2, 1)) return nullptr;
  auto group = std::make_unique<TcxRegExprParserBlockItem>();
  groups_.push_back(group.get());
  ++openGroups_;
  while (!stopped_ && ParseAlternative(*group->Alternatives()->AddAlternative(), true) == TAlternativeEnd::AnotherFollows) {
  }
  --openGroups_;
  return group;
}

// After "[": the members up to "]", a leading "^" negating the set.
TParser::TItem TParser::ParseSet() {
  const TcxLexem* bracket = cursor_ > 0 ? &lexems_.Item(cursor_ - 1) : nullptr;
  const TcxLexem* current = Next();
  const bool negated = current && current->IsSpecial('^');
  if (negated) current = Next();
  auto set = std::make_unique<TcxRegExprUserEnumeration>(negated);
  if (current && current->IsSpecial(']')) Error(current, scxRegExprCantCreateEmptyEnum);
  while (current && !current->IsSpecial(']')) {
    const TcxLexem* following = Next();
    if (!following || !following->IsSpecial('-')) {
      AddSetMember(*set, *current);
      current = following;
      continue;
    }
    const TcxLexem* finish = Next();
    if (!finish) break;
    const auto low = static_cast<uint8_t>(current->Value[0]);
    const auto high = static_cast<uint8_t>(finish->Value[0]);
    if (low < high) set->Add(std::make_unique<TcxRegExprSubrange>(low, high));
    else Error(finish, scxRegExprSubrangeOrder);
    current = Next();
    while (current && current->IsSpecial('-')) {
      Error(current, scxRegExprIllegalSymbol, '-');
      current = Next();
    }
  }
  if (!Fits(bracket, 1, 0)) return nullptr;
  return std::make_unique<TcxRegExprParserSimpleItem>(std::move(set));
}

// The ends of a range are plain characters whatever their lexemes; a member is its class.
void TParser::AddSetMember(TcxRegExprUserEnumeration& set, const TcxLexem& lexem) {
  switch (lexem.Code) {
    case lcAnyChar: return set.Add(std::make_unique<TcxRegExprAll>());
    case lcWordChar: return set.Add(std::make_unique<TcxRegExprIdLetter>(false));
    case lcNonWordChar: return set.Add(std::make_unique<TcxRegExprIdLetter>(true));
    case lcDigit: return set.Add(std::make_unique<TcxRegExprDigit>(false));
    case lcNonDigit: return set.Add(std::make_unique<TcxRegExprDigit>(true));
    case lcBlank: return set.Add(std::make_unique<TcxRegExprSpace>(false));
    case lcNonBlank: return set.Add(std::make_unique<TcxRegExprSpace>(true));
    case lcDateSep: return set.Add(std::make_unique<TcxRegExprDateSeparator>());
    case lcTimeSep: return set.Add(std::make_unique<TcxRegExprTimeSeparator>());
    default: return set.Add(std::make_unique<TcxRegExprSymbol>(lexem.Value[0]));
  }
}

// "\n" repeats the pattern of the n-th group as parsed so far, its quantifier included.
void TParser::AddReference(TcxRegExprParserAlt& alt, const TcxLexem& reference) {
  const int number = reference.Value[0] - '0';
  if (number > static_cast<int>(groups_.size())) return Error(&reference, scxRegExprTooBigReferenceNumber);
  const TcxRegExprParserBlockItem* group = groups_[number - 1];
  if (Fits(&reference, group->StateCount(), group->Depth())) alt.Add(group->Duplicate());
}

void TParser::ApplyQuantifier(TcxRegExprParserAlt& alt, const TcxLexem& quantifier) {
  const char written = quantifier.Value[0];
  if (alt.Count() == 0) return Error(&quantifier, scxRegExprIllegalQuantifier, written);
  TcxRegExprParserItem* last = alt.Item(alt.Count() - 1);
  if (written == '*' && last->MayMatchEmpty()) return Error(&quantifier, scxRegExprCantUseStarQuantifier);
  if (written == '+' && last->MayMatchEmpty()) return Error(&quantifier, scxRegExprCantUsePlusQuantifier);
  const TcxRegExprQuantifier* kind = written == '*'   ? cxRegExprStarQuantifier()
                                     : written == '+' ? cxRegExprPlusQuantifier()
                                                      : cxRegExprQuestionQuantifier();
  if (last->IsUnquantified()) return last->ReplaceQuantifier(kind);
  // A quantified item gets the new quantifier on a group around it: "a*?" is "(a*)?".
  if (!Fits(&quantifier, 2, last->Depth() + 1)) return;
  auto wrapper = std::make_unique<TcxRegExprParserBlockItem>();
  wrapper->ReplaceQuantifier(kind);
  TcxRegExprParserAlt* inside = wrapper->Alternatives()->AddAlternative();
  inside->Add(alt.ReplaceLast(std::move(wrapper)));
}

// After "{": "{n}", "{n,}" or "{n,m}" with m >= n. A count too large for a 32-bit integer raises
// EConvertError from StrToInt.
void TParser::ParseCount(TcxRegExprParserAlt& alt, const TcxLexem& brace) {
  if (alt.Count() == 0) {
    Error(&brace, scxRegExprIncorrectParameterQuantifier);
    return SkipCount(Next());
  }
  const TcxLexem* lexem = Next();
  if (!lexem || lexem->Code != lcInteger) {
    Error(lexem ? lexem : &brace, scxRegExprIncorrectParameterQuantifier);
    return SkipCount(lexem);
  }
  const int32_t least = StrToInt(lexem->Value);
  lexem = Next();
  if (lexem && lexem->IsSpecial('}')) return Expand(alt, least, least, false, brace);
  if (lexem && lexem->IsSpecial(',')) {
    lexem = Next();
    if (lexem && lexem->IsSpecial('}')) return Expand(alt, least, least, true, brace);
    if (lexem && lexem->Code == lcInteger) {
      const int32_t most = StrToInt(lexem->Value);
      if (most >= least) {
        lexem = Next();
        if (lexem && lexem->IsSpecial('}')) return Expand(alt, least, most, false, brace);
      }
    }
  }
  Error(lexem ? lexem : &brace, scxRegExprIncorrectParameterQuantifier);
  SkipCount(lexem);
}

// Passes over the rest of a count that did not read, through its "}".
void TParser::SkipCount(const TcxLexem* from) {
  while (from && !from->IsSpecial('}')) from = Next();
}

// Replaces the last item X by a group of `least` copies of X followed by "X*" for an unbounded
// count, or by an optional chain of the remaining copies: "x{2,4}" is "xx(xx?)?".
void TParser::Expand(TcxRegExprParserAlt& alt, int32_t least, int32_t most, bool unbounded,
                     const TcxLexem& brace) {
  const TcxRegExprParserItem& item = *alt.Item(alt.Count() - 1);
  // A repeated copy of content that can match nothing would be refused as "*", so it is here.
  if (item.AllowsNone() || (unbounded && item.MayMatchEmpty()))
    return Error(&brace, scxRegExprCantUseParameterQuantifier);
  const int64_t optional = unbounded ? 1 : int64_t{most} - least;
  const int64_t chainGroups = unbounded || optional < 2 ? 0 : optional - 1;
  const int64_t states = int64_t{item.StateCount()} * (least + optional) + 2 * (1 + chainGroups);
  if (states > cxRegExprMaxStates || chainGroups > cxRegExprMaxDepth) return TooComplex(&brace);
  if (!Fits(&brace, states, static_cast<int>(1 + chainGroups) + item.Depth())) return;

  auto group = std::make_unique<TcxRegExprParserBlockItem>();
  TcxRegExprParserAlt* copies = group->Alternatives()->AddAlternative();
  for (int32_t i = 0; i < least; ++i) copies->Add(item.Duplicate());
  if (unbounded) {
    auto repeated = item.Duplicate();
    repeated->ReplaceQuantifier(cxRegExprStarQuantifier());
    copies->Add(std::move(repeated));
  } else if (optional > 0) {
    copies->Add(OptionalChain(item, optional));
  }
  Replace(alt, std::move(group));
}

// "x?" for one copy; "(x" + the chain of one fewer + ")?" for more, built from the inside out.
TParser::TItem TParser::OptionalChain(const TcxRegExprParserItem& item, int64_t length) {
  TItem chain = item.Duplicate();
  chain->ReplaceQuantifier(cxRegExprQuestionQuantifier());
  for (int64_t i = 1; i < length; ++i) {
    auto group = std::make_unique<TcxRegExprParserBlockItem>();
    group->ReplaceQuantifier(cxRegExprQuestionQuantifier());
    TcxRegExprParserAlt* inside = group->Alternatives()->AddAlternative();
    inside->Add(item.Duplicate());
    inside->Add(std::move(chain));
    chain = std::move(group);
  }
  return chain;
}

// A counted group stands for the group from here on: a later reference to it repeats the whole
// count. Groups inside the replaced item keep their meaning as written.
void TParser::Replace(TcxRegExprParserAlt& alt, TItem item) {
  auto* replacement = static_cast<TcxRegExprParserBlockItem*>(item.get());
  TItem replaced = alt.ReplaceLast(std::move(item));
  for (auto& group : groups_)
    if (group == replaced.get()) group = replacement;
  replaced_.push_back(std::move(replaced));
}

}  // namespace

std::unique_ptr<TcxRegExprParserAlts> cxRegExprParse(const TcxLexems& lexems, TcxRegExprErrors& errors) {
  return TParser(lexems, errors).Run();
}
