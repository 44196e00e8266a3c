// The masked editor: real key and character messages to its EDIT window, through the editor's own
// routing into its mode, and the mask's settings, validation and text.
#include "calderan_test.h"

#include <string>

#include "mask_edit_fixture.h"

namespace {

struct MaskEdit : MaskEditFixture {
  MaskEdit() { other = Place(new TcxMaskEdit(form.get()), 10, 40, 160, 21); }
  TcxMaskEdit* other;
};

struct KeystrokeCase {
  const char* mask;
  const char* text;  // set as the editor's Text before the keys
  int selStart, selLength;
  const char* keys;
  const char* state;
  const char* value;  // the editor's Text afterwards
};

void RunKeystrokes(MaskEdit& test, TcxEditMaskKind kind, const KeystrokeCase& c) {
  const char* mask = c.mask;
  SCOPED_TRACE(std::string(mask) + " \"" + c.text + "\" " + std::to_string(c.selStart) + "+" +
               std::to_string(c.selLength) + " " + c.keys);
  test.Renew();
  test.SetMask(kind, mask);
  test.Focus();
  test.editor->SetText(c.text);
  test.Select(c.selStart, c.selLength);
  test.Press(c.keys);
  EXPECT_EQ(test.State(), c.state);
  EXPECT_EQ(test.editor->Text(), c.value);
}

TEST_F(MaskEdit, StandardModeKeystrokes) {
  const char* date = "!99/99/0000;1;_";
  const KeystrokeCase cases[] = {
      {date, "", 0, 0, "1", "1[_]/__/____", "1 /  /    "},
      {date, "", 0, 0, "12", "12/[_]_/____", "12/  /    "},
      {date, "", 0, 0, "x", "[_]_/__/____", "  /  /    "},              // refused without a word
      {date, "", 0, 0, "12252020", "12/25/2020|", "12/25/2020"},      // past the last position
      {date, "12/25/2020", 3, 0, "B", "1[_]/25/2020", "1 /25/2020"},    // Backspace blanks the previous input
      {date, "12/25/2020", 0, 0, "D", "[_]2/25/2020", " 2/25/2020"},
      {date, "12/25/2020", 0, 5, "D", "[_]_/__/2020", "  /  /2020"},    // the literal stays
      {date, "12/25/2020", 0, 5, "7", "7[_]/__/2020", "7 /  /2020"},    // a selection is blanked, then typed over
      {date, "12/25/2020", 3, 0, "L", "1[2]/25/2020", "12/25/2020"},    // Left skips the literal
      {date, "12/25/2020", 4, 0, "HR", "1[2]/25/2020", "12/25/2020"},
      {date, "12/25/2020", 1, 0, "R", "12/[2]5/2020", "12/25/2020"},
      {date, "12/25/2020", 0, 0, "E", "12/25/2020|", "12/25/2020"},
      {date, "12/25/2020", 9, 0, "B9", "12/25/209[0]", "12/25/2090"},
      {"(999) 000;0;_", "", 0, 0, "H12", "(12[_]) ___", "12    "},            // Home goes to the first input position
      {"(999) 000;0;_", "123456", 0, 0, "", "[(]123) 456", "123456"},
  };
  for (const auto& c : cases) RunKeystrokes(*this, emkStandard, c);
}

TEST_F(MaskEdit, RegExprModeKeystrokes) {
  const char* pair = "\\d\\d-\\d\\d";
  const char* free = "\\d+-[a-z0-9]+";
  const KeystrokeCase cases[] = {
      {pair, "", 0, 0, "12-34", "12-34|", "12-34"},
      {pair, "", 0, 0, "1x2", "12|", "12"},                           // a character that does not fit is refused
      {pair, "12-34", 3, 2, "5", "12-5|", "12-5"},                    // a selection replaced
      {pair, "12-34", 1, 3, "5", "15|", "15"},                        // what no longer fits is cut off
      {pair, "12-34", 5, 0, "BBB7", "12|", "12"},
      {pair, "12-34", 2, 0, "D", "12|", "12"},
      {pair, "12-34", 5, 0, "LLL", "12|-34", "12-34"},
      // After Backspace or Delete the head is the text before the caret again at once.
      {free, "12-x", 3, 0, "B", "12|", "12"},
      {free, "12-x", 4, 0, "BB-y", "12-y|", "12-y"},
      {free, "12-3", 2, 0, "B7", "17|-3", "17-3"},
      {free, "12-3", 1, 0, "D7", "17|-3", "17-3"},
  };
  for (const auto& c : cases) RunKeystrokes(*this, emkRegExpr, c);
}

TEST_F(MaskEdit, ExtendedRegExprModeKeystrokes) {
  const char* pair = "\\d\\d-\\d\\d";
  const KeystrokeCase cases[] = {
      {"\\d{2}/\\d{2}/\\d{4}", "", 0, 0, "12252020", "12/25/2020|", "12/25/2020"},  // separators typed for the user
      {"ID-\\d+", "", 3, 0, "5", "ID-5|", "ID-5"},                                   // an empty editor shows "ID-"
      {"ID-\\d+", "", 3, 0, "B", "ID-|", "ID-"},                                     // which cannot be deleted
      {pair, "12-34", 1, 3, "5", "15-|4", "15-4"},
      {pair, "12-34", 5, 0, "BBB7", "17-|", "17-"},
      {pair, "12-34", 1, 0, "D", "1|", "1"},                                         // "2" goes with its forced "-"
      {pair, "12-34", 5, 0, "LLL", "1|2-34", "12-34"},
      {pair, "12-34", 2, 0, "L", "|12-34", "12-34"},                                 // a caret inside "2-" goes to its edge
  };
  for (const auto& c : cases) RunKeystrokes(*this, emkRegExprEx, c);
}

}  // namespace
