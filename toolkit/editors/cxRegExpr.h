// Regular-expression masks: the mask language (literals, quoted texts, sets and ranges, character
// classes, the locale's separators, groups with alternatives, "?", "*", "+", counts and references
// that repeat a group's pattern), compiled into a position automaton that the masked editor drives
// one typed character at a time, with undo, restart and the characters the pattern forces.
//
// A mask text can come from anywhere, so compiling is safe on every input: each error is reported
// with its position, an expression that would grow beyond a fixed budget of states, links or
// nesting is refused as too complex, and every step of the automaton does work bounded by the size
// of the compiled expression, whatever has been typed before.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "cxClasses.h"
#include "cxEdit.h"

class TcxRegExpr;
class TcxRegExprSimpleState;

// The texts of compile errors, as the masked editor shows them.
CX_RESOURCESTRING(scxRegExprIllegalIntegerValue, 0xCA00, "Illegal integer value")
CX_RESOURCESTRING(scxRegExprTooBigReferenceNumber, 0xCA01, "Too big reference number")
CX_RESOURCESTRING(scxRegExprCantCreateEmptyEnum, 0xCA02, "Can't create empty enumeration")
CX_RESOURCESTRING(scxRegExprSubrangeOrder, 0xCA03,
                  "The starting character of the subrange must be less than the finishing one")
CX_RESOURCESTRING(scxRegExprHexNumberExpected0, 0xCA04, "Hexadecimal number expected")
CX_RESOURCESTRING(scxRegExprHexNumberExpected, 0xCA05, "Hexadecimal number expected but '%s' found")
CX_RESOURCESTRING(scxRegExprMissing, 0xCA06, "Missing '%s'")
CX_RESOURCESTRING(scxRegExprUnnecessary, 0xCA07, "Unnecessary '%s'")
CX_RESOURCESTRING(scxRegExprIncorrectSpace, 0xCA08, "The space character is not allowed after '\\'")
CX_RESOURCESTRING(scxRegExprNotCompiled, 0xCA09, "Regular expression is not compiled")
CX_RESOURCESTRING(scxRegExprIncorrectParameterQuantifier, 0xCA0A, "Incorrect parameter quantifier")
CX_RESOURCESTRING(scxRegExprCantUseParameterQuantifier, 0xCA0B, "The parameter quantifier cannot be applied here")
CX_RESOURCESTRING(scxRegExprLine, 0xCA16, "Line")
CX_RESOURCESTRING(scxRegExprChar, 0xCA17, "Char")
CX_RESOURCESTRING(scxRegExprNotAssignedSourceStream, 0xCA18, "The source stream is not assigned")
CX_RESOURCESTRING(scxRegExprEmptySourceStream, 0xCA19, "The source stream is empty")
CX_RESOURCESTRING(scxRegExprCantUsePlusQuantifier, 0xCA1A, "The '+' quantifier cannot be applied here")
CX_RESOURCESTRING(scxRegExprCantUseStarQuantifier, 0xCA1B, "The '*' quantifier cannot be applied here")
CX_RESOURCESTRING(scxRegExprEmptyAlternative, 0xCA1C, "The alternative should not be empty")
CX_RESOURCESTRING(scxRegExprEmptyBlock, 0xCA1D, "The block should not be empty")
CX_RESOURCESTRING(scxRegExprIllegalSymbol, 0xCA1E, "Illegal '%s'")
CX_RESOURCESTRING(scxRegExprIllegalQuantifier, 0xCA1F, "Illegal quantifier '%s'")
// An expression that would need more states, links or nesting than the automaton allows.
CX_RESOURCESTRING(scxRegExprTooComplex, 0xCA20, "The expression is too complex")

// What an expression may grow to: beyond these the compilation reports it as too complex, so no
// mask text can exhaust memory or the stack.
inline constexpr int cxRegExprMaxStates = 32768;
inline constexpr int64_t cxRegExprMaxLinks = 262144;
inline constexpr int cxRegExprMaxDepth = 256;

// ---------------------------------------------------------------------------------------------
// Character matchers

class TcxRegExprItem : public TObject {
  CALDERAN_CLASS(TcxRegExprItem)
  // Tests the character in the caller's variable; a case-insensitive symbol replaces it with its
  // own character on a match.
  virtual bool Matches(char& ch, bool ignoreCase) const = 0;
  virtual std::unique_ptr<TcxRegExprItem> Duplicate() const = 0;
  // The one character this matcher stands for, when it stands for exactly one (a symbol by its
  // stored character, a separator by the locale's at this moment).
  virtual bool FixedChar(char& ch) const;
};

class TcxRegExprSymbol : public TcxRegExprItem {
  CALDERAN_CLASS(TcxRegExprSymbol)
  explicit TcxRegExprSymbol(char symbol) : symbol_(symbol) {}
  char Symbol() const { return symbol_; }
  bool Matches(char& ch, bool ignoreCase) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
  bool FixedChar(char& ch) const override;

 private:
  char symbol_;
};

class TcxRegExprTimeSeparator : public TcxRegExprItem {
  CALDERAN_CLASS(TcxRegExprTimeSeparator)
  bool Matches(char& ch, bool ignoreCase) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
  bool FixedChar(char& ch) const override;
};

class TcxRegExprDateSeparator : public TcxRegExprItem {
  CALDERAN_CLASS(TcxRegExprDateSeparator)
  bool Matches(char& ch, bool ignoreCase) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
  bool FixedChar(char& ch) const override;
};

// Always case-sensitive: [a-z] does not take "Q".
class TcxRegExprSubrange : public TcxRegExprItem {
  CALDERAN_CLASS(TcxRegExprSubrange)
  TcxRegExprSubrange(uint8_t start, uint8_t finish) : start_(start), finish_(finish) {}
  bool Matches(char& ch, bool ignoreCase) const override;
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;

 private:
  uint8_t start_;
  uint8_t finish_;
};

// A class of characters, possibly negated.
class TcxRegExprEnumeration : public TcxRegExprItem {
  CALDERAN_CLASS(TcxRegExprEnumeration)
  explicit TcxRegExprEnumeration(bool negated) : negated_(negated) {}
  bool Negated() const { return negated_; }
  bool Matches(char& ch, bool ignoreCase) const final { return Belongs(ch, ignoreCase) != negated_; }

 protected:
  virtual bool Belongs(char& ch, bool ignoreCase) const = 0;

 private:
  bool negated_;
};

// A set written in brackets: its members are asked in order, the first that matches decides.
class TcxRegExprUserEnumeration : public TcxRegExprEnumeration {
  CALDERAN_CLASS(TcxRegExprUserEnumeration)
  using TcxRegExprEnumeration::TcxRegExprEnumeration;
  void Add(std::unique_ptr<TcxRegExprItem> member) { members_.push_back(std::move(member)); }
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;

 protected:
  bool Belongs(char& ch, bool ignoreCase) const override;

 private:
  std::vector<std::unique_ptr<TcxRegExprItem>> members_;
};

#define CX_REGEXPR_CLASS_MATCHER(Self)                                          \
  class Self : public TcxRegExprEnumeration {                                   \
    CALDERAN_CLASS(Self)                                                        \
    using TcxRegExprEnumeration::TcxRegExprEnumeration;                         \
    std::unique_ptr<TcxRegExprItem> Duplicate() const override;                 \
                                                                                \
   protected:                                                                   \
    bool Belongs(char& ch, bool ignoreCase) const override;                     \
  };

CX_REGEXPR_CLASS_MATCHER(TcxRegExprDigit)     // "0" to "9"
CX_REGEXPR_CLASS_MATCHER(TcxRegExprIdLetter)  // ASCII letters, digits and "_"
CX_REGEXPR_CLASS_MATCHER(TcxRegExprSpace)     // space, NUL, TAB, LF, FF, CR
#undef CX_REGEXPR_CLASS_MATCHER

class TcxRegExprAll : public TcxRegExprItem {
  CALDERAN_CLASS(TcxRegExprAll)
  bool Matches(char&, bool) const override { return true; }
  std::unique_ptr<TcxRegExprItem> Duplicate() const override;
};

// ---------------------------------------------------------------------------------------------
// States and state sets

class TcxRegExprState;

// An ordered list of borrowed states, each at most once. The sets the automaton walks through hold
// simple states only: pass-through states hand their successors on.
class TcxRegExprStates {
 public:
  void Append(TcxRegExprState* state) { states_.push_back(state); }
  int Count() const { return static_cast<int>(states_.size()); }
  TcxRegExprState* State(int index) const { return states_[index]; }
  auto begin() const { return states_.begin(); }
  auto end() const { return states_.end(); }

  // The simple states reached from the members' successors that accept ch, in walking order.
  // `visits` (when given) grows by the number of states the walk looked at.
  TcxRegExprStates StepAll(char& ch, bool ignoreCase, uint64_t* visits = nullptr) const;
  // Every simple state reached from the members' successors.
  TcxRegExprStates ExpandAll(uint64_t* visits = nullptr) const;
  bool AnyAccepting() const;
  // Whether all members stand for one and the same fixed character.
  bool SingleForcedChar(char& ch) const;

 private:
  template <class Visit> void Walk(uint64_t* visits, Visit visit) const;
  std::vector<TcxRegExprState*> states_;
};

class TcxRegExprState : public TObject {
  CALDERAN_CLASS(TcxRegExprState)
  virtual std::unique_ptr<TcxRegExprState> Duplicate() const = 0;
  // Null for a pass-through state.
  virtual TcxRegExprSimpleState* AsSimple() { return nullptr; }

  void Link(TcxRegExprState* target) { successors_.Append(target); }
  void LinkAll(const TcxRegExprStates& targets);
  const TcxRegExprStates& Successors() const { return successors_; }

 private:
  friend class TcxRegExprStates;
  TcxRegExprStates successors_;
  uint64_t walkMark_ = 0;  // the last walk that reached this state
};

// One atom of the pattern; the automaton's start state has no matcher.
class TcxRegExprSimpleState : public TcxRegExprState {
  CALDERAN_CLASS(TcxRegExprSimpleState)
  explicit TcxRegExprSimpleState(std::unique_ptr<TcxRegExprItem> matcher) : matcher_(std::move(matcher)) {}
  std::unique_ptr<TcxRegExprState> Duplicate() const override;
  TcxRegExprSimpleState* AsSimple() override { return this; }

  const TcxRegExprItem* Matcher() const { return matcher_.get(); }
  bool Accepting() const { return accepting_; }
  void MarkAccepting() { accepting_ = true; }

 private:
  bool accepting_ = false;
  std::unique_ptr<TcxRegExprItem> matcher_;
};

// The entry or exit of a group.
class TcxRegExprBlockState : public TcxRegExprState {
  CALDERAN_CLASS(TcxRegExprBlockState)
  std::unique_ptr<TcxRegExprState> Duplicate() const override;
};

// ---------------------------------------------------------------------------------------------
// Quantifiers: stateless, one constant instance per class.

class TcxRegExprQuantifier : public TObject {
  CALDERAN_CLASS(TcxRegExprQuantifier)
  virtual bool AllowsNone() const = 0;
  virtual bool AllowsMany() const = 0;
};

const TcxRegExprQuantifier* cxRegExprSimpleQuantifier();    // (none)
const TcxRegExprQuantifier* cxRegExprQuestionQuantifier();  // "?"
const TcxRegExprQuantifier* cxRegExprStarQuantifier();      // "*"
const TcxRegExprQuantifier* cxRegExprPlusQuantifier();      // "+"

// ---------------------------------------------------------------------------------------------
// The parse tree

class TcxRegExprParserAlts;

class TcxRegExprParserItem : public TObject {
  CALDERAN_CLASS(TcxRegExprParserItem)
  virtual bool MayMatchEmpty() const { return AllowsNone(); }
  virtual std::unique_ptr<TcxRegExprParserItem> Duplicate() const = 0;
  virtual void MarkAccepting() = 0;
  virtual TcxRegExprState* EntryState() const = 0;
  virtual TcxRegExprState* ExitState() const = 0;
  // Links the inside of a group to its entry and exit; nothing for an atom.
  virtual void LinkInside() {}
  // The number of states the item owns, and how deeply groups nest in it (0 for an atom).
  virtual int StateCount() const { return 1; }
  virtual int Depth() const { return 0; }
  // At least the number of links linking makes inside the item, its own loop included.
  virtual int64_t LinkEstimate() const { return AllowsMany() ? 1 : 0; }

  const TcxRegExprQuantifier* Quantifier() const { return quantifier_; }
  bool AllowsNone() const { return quantifier_->AllowsNone(); }
  bool AllowsMany() const { return quantifier_->AllowsMany(); }
  bool IsUnquantified() const { return quantifier_ == cxRegExprSimpleQuantifier(); }
  void ReplaceQuantifier(const TcxRegExprQuantifier* quantifier) {
    if (quantifier) quantifier_ = quantifier;
  }

 private:
  const TcxRegExprQuantifier* quantifier_ = cxRegExprSimpleQuantifier();
};

class TcxRegExprParserSimpleItem : public TcxRegExprParserItem {
  CALDERAN_CLASS(TcxRegExprParserSimpleItem)
  explicit TcxRegExprParserSimpleItem(std::unique_ptr<TcxRegExprItem> matcher);
  std::unique_ptr<TcxRegExprParserItem> Duplicate() const override;
  void MarkAccepting() override { state_->MarkAccepting(); }
  TcxRegExprState* EntryState() const override { return state_.get(); }
  TcxRegExprState* ExitState() const override { return state_.get(); }

 private:
  std::unique_ptr<TcxRegExprSimpleState> state_;
};

class TcxRegExprParserAlt {
 public:
  void Add(std::unique_ptr<TcxRegExprParserItem> item) { items_.push_back(std::move(item)); }
  int Count() const { return static_cast<int>(items_.size()); }
  TcxRegExprParserItem* Item(int index) const { return items_[index].get(); }
  // Puts item in the last item's place and hands the last item back.
  std::unique_ptr<TcxRegExprParserItem> ReplaceLast(std::unique_ptr<TcxRegExprParserItem> item);
  bool MayMatchEmpty() const;
  bool AllAllowNone() const;
  std::unique_ptr<TcxRegExprParserAlt> Duplicate() const;
  void AppendEntryStates(TcxRegExprStates& states) const;
  void LinkItems();
  void LinkTailTo(TcxRegExprState* exit);
  void MarkTailAccepting();
  int StateCount() const;
  int Depth() const;
  int64_t LinkEstimate() const;

 private:
  std::vector<std::unique_ptr<TcxRegExprParserItem>> items_;
};

class TcxRegExprParserAlts {
 public:
  TcxRegExprParserAlt* AddAlternative();
  TcxRegExprParserAlt* LastAlternative() const { return alternatives_.back().get(); }
  int Count() const { return static_cast<int>(alternatives_.size()); }
  TcxRegExprParserAlt* Item(int index) const { return alternatives_[index].get(); }
  bool MayMatchEmpty() const;
  bool HasSkippableAlternative() const;
  TcxRegExprStates EntryStates() const;
  void LinkItems();
  void LinkTailTo(TcxRegExprState* exit);
  void MarkTailAccepting();
  std::unique_ptr<TcxRegExprParserAlts> Duplicate() const;
  int StateCount() const;
  int Depth() const;
  int64_t LinkEstimate() const;

 private:
  std::vector<std::unique_ptr<TcxRegExprParserAlt>> alternatives_;
};

// A group: its alternatives between an entry and an exit state.
class TcxRegExprParserBlockItem : public TcxRegExprParserItem {
  CALDERAN_CLASS(TcxRegExprParserBlockItem)
  TcxRegExprParserBlockItem();
  bool MayMatchEmpty() const override;
  std::unique_ptr<TcxRegExprParserItem> Duplicate() const override;
  void MarkAccepting() override { alternatives_->MarkTailAccepting(); }
  TcxRegExprState* EntryState() const override { return entry_.get(); }
  TcxRegExprState* ExitState() const override { return exit_.get(); }
  void LinkInside() override;
  int StateCount() const override { return 2 + alternatives_->StateCount(); }
  int Depth() const override { return 1 + alternatives_->Depth(); }
  int64_t LinkEstimate() const override;

  TcxRegExprParserAlts* Alternatives() const { return alternatives_.get(); }

 private:
  std::unique_ptr<TcxRegExprParserAlts> alternatives_;
  std::unique_ptr<TcxRegExprBlockState> exit_;
  std::unique_ptr<TcxRegExprBlockState> entry_;
};

// ---------------------------------------------------------------------------------------------
// The automaton

class TcxRegExprAutomat : public TObject {
  CALDERAN_CLASS(TcxRegExprAutomat)
  // The tree must be linked and its tail marked accepting.
  TcxRegExprAutomat(std::unique_ptr<TcxRegExprParserAlts> tree, TcxRegExpr* owner);

  bool Step(char& ch, bool ignoreCase);
  bool Undo();
  void Restart();
  bool IsAccepting() const { return current_.AnyAccepting(); }
  bool IsAtStart() const;
  // Types the characters the pattern forces from here, up to an accepting set.
  void CompleteForced();
  // Takes back the forced characters typed after the character that is about to be taken back.
  void UncompleteForced();

  // The work done so far, in states looked at, and the size of the expression in states and
  // links: one step, or one forced character, looks at no more states than that size.
  uint64_t Visits() const { return visits_; }
  int64_t Size() const { return size_; }

 private:
  void Push(TcxRegExprStates next);

  TcxRegExprStates current_;
  std::unique_ptr<TcxRegExprParserAlts> tree_;
  std::vector<TcxRegExprStates> undo_;
  TcxRegExpr* owner_;
  std::unique_ptr<TcxRegExprSimpleState> start_;
  uint64_t visits_ = 0;
  int64_t size_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Lexemes, errors and the expression

enum TcxLexemCode : uint8_t {
  lcLiteral, lcSpecial, lcInteger, lcAnyChar, lcWordChar, lcNonWordChar, lcDigit, lcNonDigit, lcBlank,
  lcNonBlank, lcGroupRef, lcDateSep, lcTimeSep
};

struct TcxLexem {
  int32_t Column = 0;
  TcxLexemCode Code = lcLiteral;
  int32_t Line = 0;
  std::string Value;  // one character, except for integers

  bool IsSpecial(char ch) const { return Code == lcSpecial && Value.size() == 1 && Value[0] == ch; }
};

class TcxLexems {
 public:
  void Add(const TcxLexem& lexem) { items_.push_back(lexem); }
  int Count() const { return static_cast<int>(items_.size()); }
  const TcxLexem& Item(int index) const { return items_[index]; }
  void Clear() { items_.clear(); }

 private:
  std::vector<TcxLexem> items_;
};

// An error of a compilation; line 0 means it has no position.
struct TcxRegExprError {
  int32_t Column = 0;
  int32_t Line = 0;
  std::string Message;

  // "Line1, Char7: Illegal quantifier '*'", or the message alone without a position.
  std::string FullText() const;
};

class TcxRegExprErrors {
 public:
  void Add(int32_t line, int32_t column, std::string message) {
    items_.push_back({column, line, std::move(message)});
  }
  int Count() const { return static_cast<int>(items_.size()); }
  const TcxRegExprError& Item(int index) const { return items_[index]; }
  void Clear() { items_.clear(); }

 private:
  std::vector<TcxRegExprError> items_;
};

// A failed compilation. Its message is empty; it carries the errors of the compilation (a copy, so
// the exception stays sound whatever happens to the expression afterwards).
class EcxRegExprError : public EcxEditError {
  CALDERAN_CLASS(EcxRegExprError)
  explicit EcxRegExprError(TcxRegExprErrors errors) : EcxEditError(std::string()), errors_(std::move(errors)) {}
  const TcxRegExprErrors& Errors() const { return errors_; }

 private:
  TcxRegExprErrors errors_;
};

class TcxRegExpr : public TObject {
  CALDERAN_CLASS(TcxRegExpr)
  TcxRegExpr();
  ~TcxRegExpr() override;

  // Compiles the whole content of a stream; raises EcxRegExprError listing every error found. A
  // count too large for a 32-bit integer raises EConvertError instead.
  void CompileFromStream(TStream* stream);
  bool IsReady() const { return compiled_; }
  // The compiled source (null when not compiled), for compiling a second expression from it.
  TMemoryStream* SourceStream() const;
  const TcxRegExprErrors& Errors() const { return errors_; }
  const TcxLexems& Lexems() const { return lexems_; }

  bool IgnoreCase = false;
  TEvent<void(char ch)> OnForcedCharAdded;
  TEvent<void()> OnForcedCharRemoved;

  bool AutoComplete() const { return autoComplete_; }
  // Switching it on in a compiled expression completes the forced characters at once.
  void SetAutoComplete(bool value);

  bool StepForward(char& ch);
  void FeedText(const std::string& text);
  bool StepBack();
  void Restart();
  bool IsAccepting() const;
  bool IsAtStart() const;

  // The automaton of a compiled expression (null otherwise): its work and size counters.
  const TcxRegExprAutomat* Automat() const { return automaton_.get(); }

 private:
  friend class TcxRegExprAutomat;
  void Clear();
  void CheckCompiled() const;
  [[noreturn]] void RaiseErrors();
  void FireForcedCharAdded(char ch);
  void FireForcedCharRemoved();

  std::unique_ptr<TcxRegExprAutomat> automaton_;
  bool compiled_ = false;
  TcxRegExprErrors errors_;
  TcxLexems lexems_;
  std::unique_ptr<TMemoryStream> source_;
  bool autoComplete_ = false;
};

// The lexer and the parser (cxRegExprLexer.cpp, cxRegExprParser.cpp). The parser answers the
// linked and marked tree, or null when it reported errors.
void cxRegExprScan(const std::string& source, TcxLexems& lexems, TcxRegExprErrors& errors);
std::unique_ptr<TcxRegExprParserAlts> cxRegExprParse(const TcxLexems& lexems, TcxRegExprErrors& errors);
