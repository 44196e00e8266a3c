// Edit masks: the mask language ("!00:00:00.000;1;_": the mask, whether the literal characters
// are kept in the text, the character shown for blanks), its engine, and the masked edit.
//
// Mask characters: ! blanks come first when fewer characters are given; > upper case follows,
// < lower case follows, <> no conversion; \ the next character is a literal; L letter, A letter
// or digit, C any character, 0 digit (all required); l, a, c, 9 (optional letter, letter or
// digit, character, digit); # optional digit or sign; : and / the time and date separators;
// _ a blank literal; anything else is a literal.
#pragma once
#include <string>
#include <vector>

#include "StdCtrls.h"

CALDERAN_EXCEPTION(EDBEditError, Exception)

class TEditMask {
 public:
  enum TKind : uint8_t { mkLiteral, mkLetter, mkAlphaNumeric, mkCharacter, mkDigit, mkDigitOrSign };
  enum TCase : uint8_t { mcNone, mcUpper, mcLower };
  struct TPosition {
    TKind Kind;
    bool Required;
    TCase Case;
    char Literal;  // for mkLiteral
  };

  explicit TEditMask(const std::string& mask = "");
  bool Empty() const { return positions_.empty(); }
  int Length() const { return static_cast<int>(positions_.size()); }
  const TPosition& At(int index) const { return positions_.at(index); }
  bool SaveLiterals() const { return saveLiterals_; }
  char Blank() const { return blank_; }
  bool LeadingBlanks() const { return leadingBlanks_; }

  // The text shown in the edit for a value (with or without the literals): every input position
  // filled from the value in turn, blanks where it runs out.
  std::string Format(const std::string& value) const;
  // The control's text of what the edit shows: blanks become spaces, literals are kept or
  // dropped as the mask says.
  std::string TextOf(const std::string& editText) const;
  // Whether every required position holds a fitting character; failPos gets the first that
  // does not.
  bool Validate(const std::string& editText, int& failPos) const;
  // Whether a typed character may stand at a position, and as which character (case applied).
  bool Fits(int position, char c, char& stored) const;
  bool IsLiteral(int position) const { return position >= 0 && position < Length() && positions_[position].Kind == mkLiteral; }
  // The first input position at or after (or before) a position; -1 when none.
  int NextInput(int position) const;
  int PreviousInput(int position) const;

 private:
  std::vector<TPosition> positions_;
  bool saveLiterals_ = true;
  char blank_ = '_';
  bool leadingBlanks_ = false;
};

// Formats a value with a mask string, as a masked edit with that mask would show its text.
std::string FormatMaskText(const std::string& mask, const std::string& value);

class TCustomMaskEdit : public TCustomEdit {
  CALDERAN_CLASS(TCustomMaskEdit)
  explicit TCustomMaskEdit(TComponent* owner);
  void Dispatch(TMessage& message) override;

  const std::string& EditMask() const { return maskText_; }
  void SetEditMask(const std::string& mask);
  bool IsMasked() const { return !mask_.Empty(); }
  const TEditMask& Mask() const { return mask_; }
  // What the edit shows (literals and blank characters); setting it formats the value first.
  std::string EditText();
  void SetEditText(const std::string& value);
  bool Validate(const std::string& editText, int& failPos) const { return mask_.Validate(editText, failPos); }
  // Checks the text against the mask (when changed since the last check) and calls
  // ValidateError when it does not fit.
  virtual void ValidateEdit();

 protected:
  // The default raises EDBEditError "Invalid input value.  Use escape key to abandon changes".
  virtual void ValidateError();
  void CreateWnd() override;
  void WMChar(TMessage& m);
  void WMKeyDown(TMessage& m);
  void WMGetText(TMessage& m);
  void WMGetTextLength(TMessage& m);
  void WMSetText(TMessage& m);
  void WMPaste(TMessage& m);
  void CMExit(TMessage& m);

 private:
  void TypeChar(char c);
  void ClearRange(int from, int to);
  void SetCaret(int position);
  std::string RawText();

  std::string maskText_;
  TEditMask mask_;
};

class TMaskEdit : public TCustomMaskEdit {
  CALDERAN_CLASS(TMaskEdit)
  using TCustomMaskEdit::TCustomMaskEdit;
};
