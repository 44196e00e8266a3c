#include "calderan_test.h"

#include <string>
#include <vector>

#include "masks_fixture.h"

namespace {

using Errors = std::vector<std::string>;

struct ErrorCase {
  const char* mask;
  Errors errors;
};

TEST(RegExprCompileTest, ReportsEveryErrorWithItsPosition) {
  const ErrorCase cases[] = {
      {"a|", {"The alternative should not be empty"}},
      {"|a", {"Line1, Char1: The alternative should not be empty"}},
      {"()", {"Line1, Char2: The block should not be empty"}},
      {"(a|)", {"Line1, Char4: The block should not be empty"}},
      {")(", {"Line1, Char1: Illegal ')'", "The alternative should not be empty"}},
      {"(a", {"Missing ')'"}},
      {"a)", {"Unnecessary ')'"}},
      {" \t\r\n", {"The source stream is empty"}},
      {"", {"The source stream is empty"}},
      {"[a-a]", {"Line1, Char4: The starting character of the subrange must be less than the finishing one"}},
      {"[z-a]", {"Line1, Char4: The starting character of the subrange must be less than the finishing one"}},
      {"[^]", {"Line1, Char3: Can't create empty enumeration"}},
      {"[]", {"Line1, Char2: Can't create empty enumeration"}},
      {"[a-b-c]", {"Line1, Char5: Illegal '-'"}},
      {"a{3,2}", {"Line1, Char5: Incorrect parameter quantifier"}},
      {"a{,2}", {"Line1, Char3: Incorrect parameter quantifier"}},
      {"{2}", {"Line1, Char1: Incorrect parameter quantifier"}},
      {"a?{2}", {"Line1, Char3: The parameter quantifier cannot be applied here"}},
      {"a*{2}", {"Line1, Char3: The parameter quantifier cannot be applied here"}},
      {"\\1", {"Line1, Char1: Too big reference number"}},
      {"(a)\\2", {"Line1, Char4: Too big reference number"}},
      {"\\x4", {"Line1, Char4: Hexadecimal number expected"}},
      {"\\xG1", {"Line1, Char3: Hexadecimal number expected but 'G' found"}},
      {"*a", {"Line1, Char1: Illegal quantifier '*'"}},
      {"a|+", {"Line1, Char3: Illegal quantifier '+'"}},
      {"a**", {"Line1, Char3: The '*' quantifier cannot be applied here"}},
      {"a?+", {"Line1, Char3: The '+' quantifier cannot be applied here"}},
      {"(a?)*", {"Line1, Char5: The '*' quantifier cannot be applied here"}},
      {"a{x}", {"Line1, Char3: Illegal 'x'"}},
      {"a{'}", {"Line1, Char3: Illegal ' ' '"}},
      {"'ab", {"Line1, Char4: Missing ' ' '"}},
      {"[ab", {"Line1, Char4: Missing ']'"}},
      {"[a-", {"Line1, Char4: Missing ']'"}},
      {"a{2", {"Line1, Char4: Missing '}'"}},
      {"\\ a", {"Line1, Char2: The space character is not allowed after '\\'"}},
      // The lexer goes on after an error and reports the next one too.
      {"\\xZ\\ ", {"Line1, Char3: Hexadecimal number expected but 'Z' found",
                   "Line1, Char5: The space character is not allowed after '\\'"}},
      // Errors of the parser collect as well.
      {"*|+", {"Line1, Char1: Illegal quantifier '*'", "Line1, Char3: Illegal quantifier '+'"}},
      // CR LF starts a new line whose first character is column 1.
      {"a\r\nb**", {"Line2, Char3: The '*' quantifier cannot be applied here"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mask);
    EXPECT_EQ(CompileErrors(c.mask), c.errors);
  }
}

TEST(RegExprCompileTest, FailedCompilationLeavesTheExpressionUncompiled) {
  TcxRegExpr expression;
  CompileText(expression, "ab");
  ASSERT_TRUE(expression.IsReady());
  try {
    CompileText(expression, "a(");
    FAIL() << "no error raised";
  } catch (const EcxRegExprError& error) {
    EXPECT_EQ(error.Message(), "");
    ASSERT_EQ(error.Errors().Count(), 1);
    EXPECT_EQ(error.Errors().Item(0).Line, 0);
    EXPECT_EQ(error.Errors().Item(0).Message, "Missing ')'");
  }
  EXPECT_FALSE(expression.IsReady());
  EXPECT_EQ(expression.SourceStream(), nullptr);
  EXPECT_EQ(expression.Errors().Count(), 1);
  // Stepping an uncompiled expression is an editor error of its own.
  char ch = 'a';
  try {
    expression.StepForward(ch);
    FAIL() << "no error raised";
  } catch (const EcxRegExprError&) {
    FAIL() << "a compile error where the expression is not compiled";
  } catch (const EcxEditError& error) {
    EXPECT_EQ(error.Message(), "Regular expression is not compiled");
  }
  EXPECT_THROW(expression.Restart(), EcxEditError);
  EXPECT_THROW(expression.IsAccepting(), EcxEditError);
  // A later compilation starts from scratch.
  CompileText(expression, "x");
  EXPECT_TRUE(expression.IsReady());
  EXPECT_EQ(expression.Errors().Count(), 0);
  EXPECT_EQ(Type(expression, "x"), TTyped::Accepted);
}

// A stream that promises more than it can read.
class TBrokenStream : public TStream {
 public:
  int32_t Read(void*, int32_t) override { return 0; }
  int32_t Write(const void*, int32_t count) override { return count; }
  int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
  int64_t Size() override { return 10; }
};

TEST(RegExprCompileTest, MissingOrUnreadableStreamIsReported) {
  TBrokenStream broken;
  for (TStream* stream : {static_cast<TStream*>(nullptr), static_cast<TStream*>(&broken)}) {
    TcxRegExpr expression;
    try {
      expression.CompileFromStream(stream);
      FAIL() << "no error raised";
    } catch (const EcxRegExprError& error) {
      ASSERT_EQ(error.Errors().Count(), 1);
      EXPECT_EQ(error.Errors().Item(0).FullText(), "The source stream is not assigned");
    }
    EXPECT_FALSE(expression.IsReady());
  }
}

TEST(RegExprCompileTest, SourceStreamCompilesASecondExpression) {
  auto first = Compiled("\\d+-\\d+");
  ASSERT_NE(first->SourceStream(), nullptr);
  TcxRegExpr second;
  second.CompileFromStream(first->SourceStream());
  EXPECT_EQ(Type(second, "12-3"), TTyped::Accepted);
  // The first is undisturbed.
  EXPECT_EQ(first->SourceStream()->Size(), 7);
  EXPECT_EQ(Type(*first, "1-"), TTyped::Prefix);
}

TEST(RegExprCompileTest, FullTextShowsLineAndColumnWhenKnown) {
  EXPECT_EQ((TcxRegExprError{7, 1, "Illegal quantifier '*'"}).FullText(), "Line1, Char7: Illegal quantifier '*'");
  EXPECT_EQ((TcxRegExprError{0, 3, "x"}).FullText(), "Line3: x");
  EXPECT_EQ((TcxRegExprError{5, 0, "x"}).FullText(), "x");
}

TEST(RegExprCompileTest, LexemesCarryTheirPositions) {
  auto expression = Compiled("a\r\n [b-c]{2,3}\\x41");
  const TcxLexems& lexems = expression->Lexems();
  struct Expected {
    TcxLexemCode code;
    const char* value;
    int line, column;
  };
  const Expected expected[] = {
      {lcLiteral, "a", 1, 1},  {lcSpecial, "[", 2, 2}, {lcLiteral, "b", 2, 3}, {lcSpecial, "-", 2, 4},
      {lcLiteral, "c", 2, 5},  {lcSpecial, "]", 2, 6}, {lcSpecial, "{", 2, 7}, {lcInteger, "2", 2, 8},
      {lcSpecial, ",", 2, 9},  {lcInteger, "3", 2, 10}, {lcSpecial, "}", 2, 11}, {lcLiteral, "A", 2, 12},
  };
  ASSERT_EQ(lexems.Count(), static_cast<int>(std::size(expected)));
  for (int i = 0; i < lexems.Count(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lexems.Item(i).Code, expected[i].code);
    EXPECT_EQ(lexems.Item(i).Value, expected[i].value);
    EXPECT_EQ(lexems.Item(i).Line, expected[i].line);
    EXPECT_EQ(lexems.Item(i).Column, expected[i].column);
  }
}

}  // namespace
