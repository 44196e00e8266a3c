// One table of keystrokes in the regular-expression mask modes, run on the mode alone (with the
// beeps it gives) and on the masked editor (with its text afterwards).
#pragma once
#include <string>

#include "cxMaskEdit.h"

struct MaskKeystrokeCase {
  TcxEditMaskKind kind;
  const char* mask;
  const char* text;  // shown before the keys
  int selStart, selLength;
  const char* keys;  // L R H E (arrows, Home, End), D (Delete), B (Backspace), other characters typed
  const char* state;  // the text afterwards, the selection marked: "[" and "]" around it, "|" for a caret
  int beeps;
};

// The text a state shows, without its selection marks.
inline std::string TextOfState(const std::string& state) {
  std::string text;
  for (char ch : state)
    if (ch != '|' && ch != '[' && ch != ']') text += ch;
  return text;
}

inline constexpr const char* kPairMask = "\\d\\d-\\d\\d";
inline constexpr const char* kDateMask = "\\d{2}/\\d{2}/\\d{4}";
inline constexpr const char* kFreeMask = "\\d+-[a-z0-9]+";
inline constexpr const char* kIdMask = "ID-\\d+";

inline constexpr MaskKeystrokeCase kMaskKeystrokeCases[] = {
    {emkRegExpr, kPairMask, "", 0, 0, "12-34", "12-34|", 0},
    {emkRegExpr, kPairMask, "", 0, 0, "1x2", "12|", 1},            // a character that does not fit is refused
    {emkRegExpr, kPairMask, "12-34", 3, 2, "5", "12-5|", 0},       // a selection replaced
    {emkRegExpr, kPairMask, "12-34", 2, 2, "5", "12[-3]4", 1},     // refused: the selection stays
    {emkRegExpr, kPairMask, "12-34", 1, 3, "5", "15|", 1},         // "4" no longer fits: it goes, with a beep
    {emkRegExpr, kPairMask, "12-34", 5, 0, "BBB7", "12|", 1},
    {emkRegExpr, kPairMask, "12-34", 2, 0, "D", "12|", 0},
    {emkRegExpr, kPairMask, "12-34", 0, 0, "E5", "12-34|", 1},
    {emkRegExpr, kPairMask, "12-34", 5, 0, "LLL", "12|-34", 0},
    {emkRegExpr, kPairMask, "12-34", 0, 0, "RRR", "12-|34", 0},
    {emkRegExpr, kDateMask, "", 0, 0, "12/25/2020", "12/25/2020|", 0},
    {emkRegExpr, kDateMask, "", 0, 0, "1225", "12|", 2},           // the plain mode types no separators
    // After Backspace or Delete the head is the text before the caret again at once.
    {emkRegExpr, kFreeMask, "12-x", 3, 0, "B", "12|", 0},
    {emkRegExpr, kFreeMask, "12-x", 4, 0, "BB-y", "12-y|", 0},
    {emkRegExpr, kFreeMask, "12-3", 2, 0, "B7", "17|-3", 0},
    {emkRegExpr, kFreeMask, "12-3", 1, 0, "D7", "17|-3", 0},
    {emkRegExprEx, kDateMask, "", 0, 0, "12252020", "12/25/2020|", 0},  // separators typed for the user
    {emkRegExprEx, kPairMask, "12-34", 1, 3, "5", "15-|4", 0},     // the rest still fits behind "15-"
    {emkRegExprEx, kPairMask, "12-34", 5, 0, "BBB7", "17-|", 0},
    {emkRegExprEx, kPairMask, "12-34", 1, 0, "D", "1|", 0},        // "2" goes with its forced "-"
    {emkRegExprEx, kPairMask, "12-34", 5, 0, "LLL", "1|2-34", 0},
    {emkRegExprEx, kPairMask, "12-34", 0, 0, "RRR", "12-3|4", 0},
    {emkRegExprEx, kPairMask, "12-34", 2, 0, "L", "|12-34", 0},    // a caret inside "2-" moves to its edge first
    {emkRegExprEx, kIdMask, "ID-12", 0, 3, "5", "ID-5|12", 0},
    {emkRegExprEx, kIdMask, "ID-12", 0, 5, "B", "ID-|", 0},
    {emkRegExprEx, kIdMask, "ID-12", 1, 0, "5", "|ID-12", 1},
};
