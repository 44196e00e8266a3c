// The fixed-position edit mask ("!99/99/0000;1;_"): one item per character position of the edited
// text, each a literal that is shown and skipped or an input position with a character class, an
// optional flag and a case rule; plus whether literals belong to the value and the blank character.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "System.h"

// The case rule an input position applies to the character it is given.
enum TcxStandardMaskCaseRule : uint8_t { smcUpper = 0, smcLower = 1, smcUnchanged = 2 };

class TcxStandardMaskCustomItem : public TObject {
  CALDERAN_CLASS(TcxStandardMaskCustomItem)
  // Whether ch may stand at this position; may change ch (an input position re-cases it).
  virtual bool Accepts(char& ch) const = 0;
};

class TcxStandardMaskLiteralItem : public TcxStandardMaskCustomItem {
  CALDERAN_CLASS(TcxStandardMaskLiteralItem)
  explicit TcxStandardMaskLiteralItem(char literal) : literal_(literal) {}
  char Literal() const { return literal_; }
  bool Accepts(char& ch) const override { return ch == literal_; }

 private:
  char literal_;
};

// An input position. It tests the character as given and then re-cases it whether or not the test
// succeeded.
class TcxStandardMaskManyItem : public TcxStandardMaskCustomItem {
  CALDERAN_CLASS(TcxStandardMaskManyItem)
  TcxStandardMaskManyItem(TcxStandardMaskCaseRule caseRule, bool optional)
      : caseRule_(caseRule), optional_(optional) {}
  TcxStandardMaskCaseRule CaseRule() const { return caseRule_; }
  bool Optional() const { return optional_; }
  bool Accepts(char& ch) const override;

 protected:
  virtual bool Belongs(char ch) const = 0;

 private:
  TcxStandardMaskCaseRule caseRule_;
  bool optional_;
};

#define CX_STANDARD_MASK_INPUT_ITEM(Self)                                                         \
  class Self : public TcxStandardMaskManyItem {                                                   \
    CALDERAN_CLASS(Self)                                                                          \
    using TcxStandardMaskManyItem::TcxStandardMaskManyItem;                                       \
                                                                                                  \
   protected:                                                                                     \
    bool Belongs(char ch) const override;                                                         \
  };

CX_STANDARD_MASK_INPUT_ITEM(TcxStandardMaskNumericItem)        // "0" to "9"
CX_STANDARD_MASK_INPUT_ITEM(TcxStandardMaskNumericSymbolItem)  // digits, "+", "-"; always optional
CX_STANDARD_MASK_INPUT_ITEM(TcxStandardMaskAlphaItem)          // ASCII letters
CX_STANDARD_MASK_INPUT_ITEM(TcxStandardMaskAlphaNumericItem)   // ASCII letters and digits
CX_STANDARD_MASK_INPUT_ITEM(TcxStandardMaskASCIIItem)          // every character
#undef CX_STANDARD_MASK_INPUT_ITEM

class TcxStandardMask : public TObject {
  CALDERAN_CLASS(TcxStandardMask)
  TcxStandardMask() = default;

  // Replaces the items and settings. Never fails: what is not a mask character is a literal.
  void CompileMask(const std::string& mask);

  int Count() const { return static_cast<int>(items_.size()); }
  TcxStandardMaskCustomItem* Item(int index) const { return items_[index].get(); }
  bool IsLiteral(int index) const;

  char BlankChar() const { return blank_; }
  bool Leading() const { return leading_; }
  bool SaveLiterals() const { return saveLiterals_; }
  const std::string& MaskText() const { return maskText_; }

  // An empty value: a space per input position and, when literals are saved, the literals.
  std::string BlankText() const;
  // An empty editor: the literals and the blank character per input position.
  std::string TemplateText() const;
  // Maps a text onto the positions (from the end when the mask is leading).
  void PlaceText(std::string& text, bool changeCase, bool literalsInText) const;
  // A text in template form as the value text: blanks read as spaces, literals left out when not
  // saved.
  void ValueText(std::string& text) const;
  // Whether a text in template form fills the mask; may re-case characters of the text.
  bool IsComplete(std::string& text) const;

 private:
  bool IsTested(int index, bool literalsInText) const;
  bool IsOptionalInput(int index) const;
  int PlaceChar(std::string& result, char c, int start, int direction, bool changeCase,
                bool literalsInText) const;

  char blank_ = '_';
  std::vector<std::unique_ptr<TcxStandardMaskCustomItem>> items_;
  bool leading_ = false;
  bool saveLiterals_ = true;
  std::string maskText_;
};
