#include "calderan_test.h"

#include <string>
#include <utility>

#include "masks_fixture.h"

namespace {

struct TypeCase {
  const char* mask;
  const char* text;
  TTyped typed;
};

constexpr auto Accepted = TTyped::Accepted;
constexpr auto Prefix = TTyped::Prefix;
constexpr auto Refused = TTyped::Refused;

TEST(RegExprMatchTest, TypedTextsAgainstMasks) {
  const TypeCase cases[] = {
      // Counts.
      {"x{2,4}", "x", Prefix}, {"x{2,4}", "xx", Accepted}, {"x{2,4}", "xxxx", Accepted},
      {"x{2,4}", "xxxxx", Refused}, {"a{2,}", "a", Prefix}, {"a{2,}", "aaaaaa", Accepted},
      {"a{3}", "aaa", Accepted}, {"a{3}", "aaaa", Refused}, {"a{0}b", "b", Accepted},
      {"(ab){2}", "abab", Accepted}, {"(a?){2}", "a", Accepted}, {"(a?){2}", "aaa", Refused},
      // References repeat a group's pattern, not its text; only one digit belongs to them.
      {"(ab)\\1", "abab", Accepted}, {"(a)\\12", "aa2", Accepted}, {"([ab])\\1", "ab", Accepted},
      {"(a)+\\1", "aaa", Accepted},
      // Sets: a range's ends are characters whatever their lexemes; a dash at an end is a literal.
      {"[\\d-z]", "e", Accepted}, {"[\\d-z]", "5", Refused}, {"[\\1]", "1", Accepted},
      {"[a-]", "-", Accepted}, {"[-a]", "-", Accepted}, {"[-a]", "a", Accepted}, {"[^a]", "b", Accepted},
      {"[^a]", "a", Refused}, {"[.]", ".", Accepted}, {"[.]", "x", Refused}, {"[a-c x]", " ", Refused}, {"[a-c' ']", " ", Accepted},
      {"[\\w]", "_", Accepted}, {"[\\W]", "_", Refused}, {"[\\s]", "\t", Accepted},
      // Quoted texts keep their blanks; blanks elsewhere are ignored.
      {"'ab c'", "ab c", Accepted}, {"a b", "ab", Accepted}, {"''''", "'", Accepted},
      {"'a''b'", "a'b", Accepted}, {"a''b", "ab", Accepted},
      // Escapes and classes.
      {"\\x41", "A", Accepted}, {"\\x4a", "J", Accepted}, {"a\\", "a", Accepted}, {"\\t", "\t", Accepted},
      {"\\0", "0", Accepted}, {"\\.", ".", Accepted}, {"\\.", "x", Refused}, {".", "x", Accepted},
      {"\\d\\D", "1a", Accepted}, {"\\d\\D", "12", Refused}, {"\\w\\W", "a-", Accepted},
      {"\\s\\S", " x", Accepted}, {"\\S", " ", Refused},
      // Optional groups and the accepting marks of required groups that can match nothing.
      {"a?", "", Accepted}, {"b(d)?", "b", Accepted}, {"b(d?)", "b", Prefix}, {"b(d?)", "bd", Accepted},
      {"b(d?)e", "be", Accepted}, {"(a|bc)d", "bcd", Accepted}, {"(a|bc)d", "bd", Refused},
      {"a*b", "aaab", Accepted}, {"a+", "", Prefix}, {"a*?b", "b", Accepted}, {"(a+)?b", "b", Accepted},
      // Characters the main level takes literally.
      {"a]}^-,$", "a]}^-,$", Accepted},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " <- " + c.text);
    auto expression = Compiled(c.mask);
    EXPECT_EQ(Type(*expression, c.text), c.typed);
  }
}

TEST(RegExprMatchTest, SeparatorsFollowTheLocale) {
  TSeparatorsScope separators('.', '-', ',');
  auto expression = Compiled("\\d/\\d:\\d\\p\\d");
  EXPECT_EQ(Type(*expression, "1.2-3,4"), Accepted);
  EXPECT_EQ(Type(*expression, "1/"), Refused);
  // The separators are read when tested; the decimal separator when compiled.
  FormatSettings().DateSeparator = '/';
  FormatSettings().DecimalSeparator = '.';
  EXPECT_EQ(Type(*expression, "1/2-3,4"), Accepted);
  auto inSet = Compiled("[/:]");
  EXPECT_EQ(Type(*inSet, "-"), Accepted);
}

TEST(RegExprMatchTest, IgnoreCaseHandsBackThePatternsCharacters) {
  struct Case {
    const char* mask;
    char typed;
    bool matches;
    char handedBack;
  };
  const Case cases[] = {
      {"ab", 'A', true, 'a'},   {"AB", 'a', true, 'A'},  {"[a-z]", 'Q', false, 'Q'},
      {"[ab]", 'B', true, 'b'}, {"[^a]", 'A', false, 'a'}, {"\\w", 'Q', true, 'Q'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mask);
    auto expression = Compiled(c.mask, true);
    char ch = c.typed;
    EXPECT_EQ(expression->StepForward(ch), c.matches);
    EXPECT_EQ(ch, c.handedBack);
  }
  // Case-sensitive by default.
  auto sensitive = Compiled("ab");
  char ch = 'A';
  EXPECT_FALSE(sensitive->StepForward(ch));
}

TEST(RegExprMatchTest, StepBackAndRestart) {
  auto expression = Compiled("ab|ac");
  EXPECT_TRUE(expression->IsAtStart());
  EXPECT_FALSE(expression->StepBack());
  char a = 'a', b = 'b', x = 'x';
  ASSERT_TRUE(expression->StepForward(a));
  EXPECT_FALSE(expression->IsAtStart());
  EXPECT_FALSE(expression->StepForward(x));  // a refused character changes nothing
  ASSERT_TRUE(expression->StepForward(b));
  EXPECT_TRUE(expression->IsAccepting());
  EXPECT_TRUE(expression->StepBack());
  EXPECT_FALSE(expression->IsAccepting());
  char c = 'c';
  EXPECT_TRUE(expression->StepForward(c));
  EXPECT_TRUE(expression->IsAccepting());
  expression->Restart();
  EXPECT_TRUE(expression->IsAtStart());
  EXPECT_FALSE(expression->StepBack());
}

TEST(RegExprMatchTest, FeedTextSkipsCharactersThatDoNotFit) {
  auto expression = Compiled("\\d+-\\d+");
  expression->FeedText("1x2-a3");
  EXPECT_TRUE(expression->IsAccepting());
  // Six steps back would go past the start: only the four fitting characters were taken.
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(expression->StepBack());
  EXPECT_TRUE(expression->IsAtStart());
  EXPECT_FALSE(expression->StepBack());
}

// The callbacks of forced characters, recorded as "+c" and "-".
class ForcedRecorder {
 public:
  explicit ForcedRecorder(TcxRegExpr& expression) {
    expression.OnForcedCharAdded = MakeEvent(this, &ForcedRecorder::Added);
    expression.OnForcedCharRemoved = MakeEvent(this, &ForcedRecorder::Removed);
  }
  std::string Take() { return std::exchange(log_, std::string()); }

 private:
  void Added(char ch) { log_ += std::string("+") + ch; }
  void Removed() { log_ += "-"; }
  std::string log_;
};

TEST(RegExprMatchTest, ForcedCharactersAreTypedAndTakenBack) {
  TcxRegExpr expression;
  ForcedRecorder forced(expression);
  expression.SetAutoComplete(true);
  CompileText(expression, "[xy]abc");
  EXPECT_EQ(forced.Take(), "");
  char x = 'x';
  ASSERT_TRUE(expression.StepForward(x));
  EXPECT_EQ(forced.Take(), "+a+b+c");
  EXPECT_TRUE(expression.IsAccepting());
  ASSERT_TRUE(expression.StepBack());
  EXPECT_EQ(forced.Take(), "---");
  EXPECT_TRUE(expression.IsAtStart());
}

TEST(RegExprMatchTest, ForcedCompletionStopsWhereTheChoiceIsOpen) {
  struct Case {
    const char* mask;
    const char* typed;
    const char* forced;  // at compilation, then after the typed characters
  };
  const Case cases[] = {
      {"abc", "", "+a+b+c"},
      {"[xy]a(bc)?", "x", "+a"},           // the set after "a" is accepting
      {"ab?c", "", "+a"},                  // after "a" either "b" or "c"
      {"a(x|X)", "", "+a"},                // two characters, not one
      {"a(x|x)y", "", "+a+x+y"},           // two states of one character are one forced character
      {"\\d/\\d", "1", "+/"},              // separators are forced as the locale writes them
      {"a+b", "", "+a"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mask);
    TcxRegExpr expression;
    ForcedRecorder forced(expression);
    expression.SetAutoComplete(true);
    CompileText(expression, c.mask);
    for (char ch : std::string(c.typed)) ASSERT_TRUE(expression.StepForward(ch));
    EXPECT_EQ(forced.Take(), c.forced);
  }
}

TEST(RegExprMatchTest, SwitchingAutoCompleteOnCompletesAtOnce) {
  TcxRegExpr expression;
  ForcedRecorder forced(expression);
  CompileText(expression, "\\d-\\d");
  char one = '1';
  ASSERT_TRUE(expression.StepForward(one));
  EXPECT_EQ(forced.Take(), "");
  expression.SetAutoComplete(true);
  EXPECT_EQ(forced.Take(), "+-");
  // Without completion a step back takes back one character only.
  expression.SetAutoComplete(false);
  ASSERT_TRUE(expression.StepBack());
  EXPECT_EQ(forced.Take(), "");
  EXPECT_FALSE(expression.IsAtStart());
}

TEST(RegExprMatchTest, UndoRightAfterRestartFails) {
  auto expression = Compiled("abc");
  char a = 'a';
  ASSERT_TRUE(expression->StepForward(a));
  expression->Restart();
  EXPECT_FALSE(expression->StepBack());
}

}  // namespace
