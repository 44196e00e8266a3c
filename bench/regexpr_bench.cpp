// Times typing long texts into regular-expression masks, one character at a time as the masked
// editor does, then stepping back over all of them, and prints the nanoseconds per character for
// each length: a flat column means the automaton's work grows linearly with the text. The masks
// include the kind whose state sets used to double with every character. Also prints the states
// looked at per character. Usage: regexpr_bench.exe [longest length]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cxRegExpr.h"

namespace {

double Nanoseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1e9 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct TCase {
  const char* Name;
  const char* Mask;
  const char* Cycle;  // the typed text repeats these characters
  bool AutoComplete;
};

void Compile(TcxRegExpr& expression, const std::string& mask) {
  TMemoryStream stream;
  stream.WriteBuffer(mask.data(), static_cast<int32_t>(mask.size()));
  expression.CompileFromStream(&stream);
}

struct TResult {
  double StepNs = 0, BackNs = 0, VisitsPerChar = 0;
  int Refused = 0, Backs = 0;
};

TResult TypeOnce(const TCase& c, int length) {
  TcxRegExpr expression;
  expression.IgnoreCase = true;
  expression.SetAutoComplete(c.AutoComplete);
  Compile(expression, c.Mask);
  const std::string cycle = c.Cycle;
  TResult result;
  LARGE_INTEGER start, typed, undone;
  const uint64_t visitsBefore = expression.Automat()->Visits();
  QueryPerformanceCounter(&start);
  for (int i = 0; i < length; ++i) {
    char ch = cycle[i % cycle.size()];
    if (!expression.StepForward(ch)) ++result.Refused;
  }
  QueryPerformanceCounter(&typed);
  result.VisitsPerChar = static_cast<double>(expression.Automat()->Visits() - visitsBefore) / length;
  while (expression.StepBack()) ++result.Backs;
  QueryPerformanceCounter(&undone);
  result.StepNs = Nanoseconds(start, typed) / length;
  result.BackNs = Nanoseconds(typed, undone) / std::max(result.Backs, 1);
  return result;
}

// The best of three rounds: the machine's other work only ever adds time.
void Run(const TCase& c, int length) {
  TResult best = TypeOnce(c, length);
  for (int round = 1; round < 3; ++round) {
    const TResult next = TypeOnce(c, length);
    best.StepNs = std::min(best.StepNs, next.StepNs);
    best.BackNs = std::min(best.BackNs, next.BackNs);
  }
  std::printf("%-22s %9d  %9.1f  %9.1f  %9.1f  %8d %8d\n", c.Name, length, best.StepNs, best.BackNs,
              best.VisitsPerChar, best.Refused, best.Backs);
}

}  // namespace

int main(int argc, char** argv) {
  const int longest = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 1000000;
  const TCase cases[] = {
      {"digit-or-word loop", "(\\d|\\w)*", "0123456789", false},
      {"address", "[a-z0-9._]+(@[a-z0-9]+(\\.[a-z]+)*)?", "user.name", false},
      {"nested loops", "((a|b)*c)*", "abbac", false},
      {"forced dashes", "(\\d\\d-)+", "12", true},
      {"counted groups", "((\\d{1,3}\\.){3}\\d{1,3}' '?)*", "192.168.0.1 ", false},
  };
  std::printf("%-22s %9s  %9s  %9s  %9s  %8s %8s\n", "mask", "length", "ns/step", "ns/back", "visits/ch", "refused",
              "backs");
  for (const TCase& c : cases)
    for (int length = 1000; length <= longest; length *= 10) Run(c, length);
  return 0;
}
