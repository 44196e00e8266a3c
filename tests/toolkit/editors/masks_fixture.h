// Helpers of the mask tests: locale separators set for one test, and expressions compiled from a
// text.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "SysUtils.h"
#include "cxRegExpr.h"

// Sets the locale's date, time and decimal separators for the life of the object.
class TSeparatorsScope {
 public:
  TSeparatorsScope(char date, char time, char decimal) : saved_(FormatSettings()) {
    FormatSettings().DateSeparator = date;
    FormatSettings().TimeSeparator = time;
    FormatSettings().DecimalSeparator = decimal;
  }
  ~TSeparatorsScope() {
    FormatSettings().DateSeparator = saved_.DateSeparator;
    FormatSettings().TimeSeparator = saved_.TimeSeparator;
    FormatSettings().DecimalSeparator = saved_.DecimalSeparator;
  }

 private:
  TFormatSettings saved_;
};

inline void CompileText(TcxRegExpr& expression, const std::string& mask) {
  TMemoryStream stream;
  if (!mask.empty()) stream.WriteBuffer(mask.data(), static_cast<int32_t>(mask.size()));
  expression.CompileFromStream(&stream);
}

inline std::unique_ptr<TcxRegExpr> Compiled(const std::string& mask, bool ignoreCase = false) {
  auto expression = std::make_unique<TcxRegExpr>();
  expression->IgnoreCase = ignoreCase;
  CompileText(*expression, mask);
  return expression;
}

// The full texts of the errors a mask compiles with; empty when it compiles.
inline std::vector<std::string> CompileErrors(const std::string& mask) {
  TcxRegExpr expression;
  std::vector<std::string> result;
  try {
    CompileText(expression, mask);
  } catch (const EcxRegExprError& error) {
    for (int i = 0; i < error.Errors().Count(); ++i) result.push_back(error.Errors().Item(i).FullText());
  }
  return result;
}

// How a text fares against a mask typed from the start: every character taken and the end
// accepting, every character taken without reaching an end, or some character refused.
enum class TTyped { Accepted, Prefix, Refused };

inline TTyped Type(TcxRegExpr& expression, const std::string& text) {
  expression.Restart();
  for (char ch : text)
    if (!expression.StepForward(ch)) return TTyped::Refused;
  return expression.IsAccepting() ? TTyped::Accepted : TTyped::Prefix;
}
