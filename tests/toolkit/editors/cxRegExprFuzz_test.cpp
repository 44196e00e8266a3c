// Generated masks (fixed seed): nesting, counts, classes, sets, references, escapes, alternations,
// quotes and unbalanced brackets, each compiling or reporting its errors, then typed at with steps
// forward and back, restarts and forced completion. Every keystroke must answer within a bound of
// work set by the size of the compiled expression, not by what was typed before.
#include "calderan_test.h"

#include <cstdint>
#include <string>

#include "masks_fixture.h"

namespace {

// A small generator of its own, so the masks are the same with every standard library.
class TRandom {
 public:
  explicit TRandom(uint64_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state_ >> 33);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <size_t N> const char* Pick(const char* const (&items)[N]) { return items[Below(N)]; }
  char PickChar(const std::string& chars) { return chars[Below(static_cast<int>(chars.size()))]; }

 private:
  uint64_t state_;
};

class TMaskGenerator {
 public:
  explicit TMaskGenerator(TRandom& random) : random_(random) {}

  std::string Mask() {
    std::string mask = Alternation(0);
    if (random_.Chance(10)) Corrupt(mask);
    return mask;
  }

 private:
  std::string Alternation(int depth) {
    std::string result = Sequence(depth);
    while (random_.Chance(25)) result += "|" + Sequence(depth);
    return result;
  }

  std::string Sequence(int depth) {
    std::string result;
    for (int count = random_.Chance(8) ? 0 : 1 + random_.Below(4); count > 0; --count) result += Quantified(depth);
    return result;
  }

  std::string Quantified(int depth) {
    std::string atom = Atom(depth);
    if (random_.Chance(60)) return atom;
    static const char* const quantifiers[] = {"?", "*", "+", "{2}", "{0,3}", "{1,}", "{0}", "{2,5}", "{400}", "{1,300}"};
    static const char* const malformed[] = {"{3,2}", "{,2}", "{x}", "{99999999999}", "{2", "{'}"};
    if (random_.Chance(10)) return atom + random_.Pick(malformed);
    return atom + random_.Pick(quantifiers);
  }

  std::string Atom(int depth) {
    static const char* const classes[] = {"\\d", "\\w", "\\s", "\\D", "\\W", "\\S", "."};
    static const char* const escapes[] = {"\\x41", "\\x7a", "\\p", "\\n", "\\t", "\\", "\\0", "\\(", "\\xG1", "\\x4", "\\ "};
    static const char* const junk[] = {")", "(", "]", "}", "{", "|", "*", "+", "?", "'", ",", "[", "^", "-"};
    switch (random_.Below(14)) {
      case 0: case 1: case 2: case 3: return std::string(1, random_.PickChar("abcxyzAB019-$^"));
      case 4: return random_.Pick(classes);
      case 5: return Set();
      case 6: return random_.Chance(80) ? "'a b''c'" : "'unclosed";
      case 7: return random_.Pick(escapes);
      case 8: return std::string("\\") + static_cast<char>('1' + random_.Below(random_.Chance(80) ? 3 : 9));
      case 9: case 10: case 11:
        if (depth < 4) return "(" + Alternation(depth + 1) + (random_.Chance(95) ? ")" : "");
        return "g";
      case 12: return random_.Chance(50) ? "/" : ":";
      default: return random_.Chance(40) ? random_.Pick(junk) : "q";
    }
  }

  std::string Set() {
    static const char* const members[] = {"a", "z", "a-z", "0-9", "z-a", "\\d", "\\w", "-", "^", "' '", "/", "\\x41", "]"};
    std::string result = "[";
    if (random_.Chance(30)) result += "^";
    for (int count = random_.Below(4); count > 0; --count) result += random_.Pick(members);
    if (random_.Chance(90)) result += "]";
    return result;
  }

  void Corrupt(std::string& mask) {
    if (mask.empty() || random_.Chance(50)) {
      mask.insert(mask.begin() + random_.Below(static_cast<int>(mask.size()) + 1), random_.PickChar("()[]{}|'\\"));
    } else {
      mask.erase(mask.begin() + random_.Below(static_cast<int>(mask.size())));
    }
  }

  TRandom& random_;
};

class TForcedCounter {
 public:
  explicit TForcedCounter(TcxRegExpr& expression) {
    expression.OnForcedCharAdded = MakeEvent(this, &TForcedCounter::Added);
    expression.OnForcedCharRemoved = MakeEvent(this, &TForcedCounter::Removed);
  }
  uint64_t Events() const { return events_; }

 private:
  void Added(char) { ++events_; }
  void Removed() { ++events_; }
  uint64_t events_ = 0;
};

// Types at a compiled expression; fails when one keystroke does more work than its bound: one walk
// of the expression per step, per forced character and for the look that ends a completion.
void TypeAt(TcxRegExpr& expression, TRandom& random, const std::string& mask) {
  TForcedCounter forced(expression);
  const TcxRegExprAutomat* automaton = expression.Automat();
  const uint64_t size = static_cast<uint64_t>(automaton->Size());
  for (int key = 0; key < 40; ++key) {
    const uint64_t visitsBefore = automaton->Visits();
    const uint64_t eventsBefore = forced.Events();
    const int action = random.Below(20);
    if (action < 13) {
      char ch = random.PickChar("abcxyzABZ0159 -/:._'$");
      expression.StepForward(ch);
    } else if (action < 18) {
      expression.StepBack();
    } else if (action < 19) {
      expression.Restart();
      ASSERT_TRUE(expression.IsAtStart()) << mask;
    } else {
      expression.SetAutoComplete(!expression.AutoComplete());
    }
    const uint64_t walks = 2 + forced.Events() - eventsBefore;
    ASSERT_LE(automaton->Visits() - visitsBefore, walks * size) << mask << " at key " << key;
  }
}

TEST(RegExprFuzzTest, GeneratedMasksCompileOrReportAndTypingStaysBounded) {
  TRandom random(20261210);
  TMaskGenerator generator(random);
  int compiled = 0, refused = 0, unconvertible = 0;
  for (int i = 0; i < 4000; ++i) {
    const std::string mask = generator.Mask();
    SCOPED_TRACE(mask);
    TcxRegExpr expression;
    expression.IgnoreCase = random.Chance(50);
    expression.SetAutoComplete(random.Chance(50));
    try {
      CompileText(expression, mask);
    } catch (const EcxRegExprError& error) {
      ++refused;
      ASSERT_GT(error.Errors().Count(), 0);
      for (int e = 0; e < error.Errors().Count(); ++e) ASSERT_FALSE(error.Errors().Item(e).Message.empty());
      ASSERT_FALSE(expression.IsReady());
      continue;
    } catch (const EConvertError&) {
      ++unconvertible;
      ASSERT_FALSE(expression.IsReady());
      continue;
    }
    ++compiled;
    ASSERT_TRUE(expression.IsReady());
    TypeAt(expression, random, mask);
    if (HasFatalFailure()) return;
  }
  // The generator reaches every outcome in good numbers.
  EXPECT_GT(compiled, 900);
  EXPECT_GT(refused, 1000);
  EXPECT_GT(unconvertible, 20);
}

}  // namespace
