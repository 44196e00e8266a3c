// Masks that would break a naive compiler or automaton: each has a defined meaning or a defined
// error, and typing against them stays bounded.
#include "calderan_test.h"

#include <string>

#include "masks_fixture.h"

namespace {

TEST(RegExprFaultsTest, ReferenceToACountedGroupRepeatsTheCount) {
  // The count replaces the group that the reference names; the reference repeats the counted group.
  auto counted = Compiled("(a){2}\\1");
  EXPECT_EQ(Type(*counted, "aa"), TTyped::Prefix);
  EXPECT_EQ(Type(*counted, "aaaa"), TTyped::Accepted);
  EXPECT_EQ(Type(*counted, "aaaaa"), TTyped::Refused);
  // A group inside the counted one keeps its meaning as written.
  auto inner = Compiled("((a)b){2}\\2");
  EXPECT_EQ(Type(*inner, "ababa"), TTyped::Accepted);
  EXPECT_EQ(Type(*inner, "abab"), TTyped::Prefix);
  // Counted again, and referred to after each count.
  auto twice = Compiled("(x){2}{2}\\1y");
  EXPECT_EQ(Type(*twice, "xxxxxxxxy"), TTyped::Accepted);
}

TEST(RegExprFaultsTest, UnboundedCountOfAGroupThatMatchesNothingIsRefused) {
  const char* refused[] = {"(a?){2,}", "(a?){0,}", "(a*b?){1,}", "(x{0}){3,}"};
  for (const char* mask : refused) {
    SCOPED_TRACE(mask);
    const auto errors = CompileErrors(mask);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("The parameter quantifier cannot be applied here"), std::string::npos);
  }
  // Bounded counts of such groups are finite and accepted.
  auto bounded = Compiled("(a?){2,3}");
  EXPECT_EQ(Type(*bounded, "aaa"), TTyped::Accepted);
}

TEST(RegExprFaultsTest, CycleOfPassThroughStatesEnds) {
  // Built by hand, since the parser refuses every way of writing it: entry and exit of a repeated
  // group that can match nothing lead to each other.
  TcxRegExprSimpleState start(nullptr);
  TcxRegExprBlockState entry, exit;
  TcxRegExprSimpleState a(std::make_unique<TcxRegExprSymbol>('a'));
  start.Link(&entry);
  entry.Link(&exit);
  exit.Link(&entry);
  entry.Link(&a);
  a.Link(&exit);
  TcxRegExprStates current;
  current.Append(&start);
  char ch = 'a';
  const TcxRegExprStates next = current.StepAll(ch, false);
  ASSERT_EQ(next.Count(), 1);
  EXPECT_EQ(next.State(0), &a);
  EXPECT_EQ(next.ExpandAll().Count(), 1);
}

TEST(RegExprFaultsTest, WalksNeverTakeAnOldMarkForANewOne) {
  // Steps and expansions mark the states they reach. Each round marks a and b with one kind of
  // walk, runs the other kind elsewhere, then asks the other kind about a and b: whatever the
  // counts of earlier walks, some round would meet an old mark if the kinds counted apart.
  TcxRegExprSimpleState start(nullptr), elsewhere(nullptr);
  TcxRegExprSimpleState a(std::make_unique<TcxRegExprSymbol>('a'));
  TcxRegExprSimpleState b(std::make_unique<TcxRegExprSymbol>('b'));
  TcxRegExprSimpleState c(std::make_unique<TcxRegExprSymbol>('c'));
  start.Link(&a);
  start.Link(&b);
  elsewhere.Link(&c);
  TcxRegExprStates both, other;
  both.Append(&start);
  other.Append(&elsewhere);
  for (int round = 0; round < 20000; ++round) {
    char ch = 'a';
    both.StepAll(ch, false);
    other.ExpandAll();
    ASSERT_EQ(both.ExpandAll().Count(), 2) << round;
  }
  for (int round = 0; round < 20000; ++round) {
    both.ExpandAll();
    char ch = 'c';
    other.StepAll(ch, false);
    ch = 'b';
    ASSERT_EQ(both.StepAll(ch, false).Count(), 1) << round;
  }
}

TEST(RegExprFaultsTest, StateSetsKeepEachStateOnce) {
  // Each digit used to double the set: both alternatives lead back to both.
  auto expression = Compiled("(\\d|\\w)*");
  const TcxRegExprAutomat* automaton = expression->Automat();
  for (int i = 0; i < 200; ++i) {
    const uint64_t before = automaton->Visits();
    char digit = static_cast<char>('0' + i % 10);
    ASSERT_TRUE(expression->StepForward(digit));
    ASSERT_LE(automaton->Visits() - before, static_cast<uint64_t>(automaton->Size())) << "at " << i;
  }
  EXPECT_TRUE(expression->IsAccepting());
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(expression->StepBack());
  EXPECT_TRUE(expression->IsAtStart());
}

TEST(RegExprFaultsTest, CountBeyondAnIntegerRaisesAConversionError) {
  for (const char* mask : {"a{99999999999}", "a{2147483648}", "a{1,99999999999}"}) {
    SCOPED_TRACE(mask);
    TcxRegExpr expression;
    EXPECT_THROW(CompileText(expression, mask), EConvertError);
    EXPECT_FALSE(expression.IsReady());
    CompileText(expression, "a{2}");
    EXPECT_EQ(Type(expression, "aa"), TTyped::Accepted);
  }
}

TEST(RegExprFaultsTest, ExpressionsBeyondTheBudgetAreTooComplex) {
  const std::string deep = std::string(5000, '(') + "a" + std::string(5000, ')');
  const std::string wrapped = "a+" + std::string(2000, '?');
  const std::string references = "(a{100})(\\1\\1\\1\\1)(\\2\\2\\2\\2)(\\3\\3\\3\\3)\\4\\4\\4\\4\\4";
  const std::string optionals = std::string(2000, 'a') + "?";
  std::string manyOptional;
  for (int i = 0; i < 1000; ++i) manyOptional += "a?";
  const std::string masks[] = {"a{2147483647}", "a{100000}", "(a{200}){200}", "a{0,5000}", deep, wrapped,
                               references, manyOptional};
  for (const std::string& mask : masks) {
    SCOPED_TRACE(mask.substr(0, 40));
    const auto errors = CompileErrors(mask);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("The expression is too complex"), std::string::npos) << errors[0];
  }
  // What real masks need stays well within.
  for (const char* mask : {"\\w{0,255}", "(\\d{1,3}\\.){3}\\d{1,3}", "[a-z0-9._]+@[a-z0-9.]+\\.[a-z]{2,6}"}) {
    SCOPED_TRACE(mask);
    EXPECT_TRUE(Compiled(mask)->IsReady());
  }
  EXPECT_EQ(CompileErrors(optionals), std::vector<std::string>());
}

}  // namespace
