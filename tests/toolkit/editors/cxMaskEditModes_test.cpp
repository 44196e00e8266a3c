// The three editing modes at the keystroke level: real key and character messages to a real EDIT
// window, routed through the mode as the masked editor routes them.
#include "calderan_test.h"

#include <string>

#include "masks_fixture.h"
#include "mask_edit_host.h"
#include "mask_keystroke_cases.h"

namespace {

class MaskEditModeTest : public ::testing::Test {
 protected:
  TSeparatorsScope separators{'/', ':', '.'};
};

// ---------------------------------------------------------------------------------------------
// Standard mode

class StandardModeTest : public MaskEditModeTest {
 protected:
  TMaskEditHost host{emkStandard, "!99/99/0000;1;_"};
};

TEST_F(StandardModeTest, TypingOverwritesAndSkipsLiterals) {
  host.Show("__/__/____", 0);
  EXPECT_EQ(host.State(), "[_]_/__/____");
  host.Type("1");
  EXPECT_EQ(host.State(), "1[_]/__/____");
  host.Type("2");
  EXPECT_EQ(host.State(), "12/[_]_/____");
  // A character the position does not take changes nothing and does not beep.
  host.Type("x");
  EXPECT_EQ(host.State(), "12/[_]_/____");
  EXPECT_EQ(host.Beeps(), 0);
  // Typing on a literal types at the next input position.
  host.Show("12/__/____", 2);
  host.Type("3");
  EXPECT_EQ(host.State(), "12/3[_]/____");
}

TEST_F(StandardModeTest, BackspaceAndDeleteWriteBlanksBack) {
  host.Show("12/__/____", 3);
  host.Type("\b");
  EXPECT_EQ(host.State(), "1[_]/__/____");
  host.Show("12/__/____", 0);
  host.Key(VK_DELETE);
  EXPECT_EQ(host.State(), "[_]2/__/____");
}

TEST_F(StandardModeTest, DeletingASelectionKeepsTheLiterals) {
  host.Show("12/34/2020", 0, 5);
  host.Key(VK_DELETE);
  EXPECT_EQ(host.CurrentText(), "__/__/2020");
  EXPECT_EQ(host.SelStart(), 0);
}

TEST_F(StandardModeTest, TypingOverASelectionBlanksItFirst) {
  host.Show("12/34/2020", 0, 5);
  host.Type("9");
  EXPECT_EQ(host.State(), "9[_]/__/2020");
}

TEST_F(StandardModeTest, CaretMovesOverInputPositions) {
  host.Show("12/34/2020", 3);
  host.Key(VK_LEFT);
  EXPECT_EQ(host.State(), "1[2]/34/2020");
  host.Key(VK_RIGHT);
  EXPECT_EQ(host.State(), "12/[3]4/2020");
  host.Key(VK_HOME);
  EXPECT_EQ(host.State(), "[1]2/34/2020");
  host.Key(VK_LEFT);  // only the start to its left: it stays
  EXPECT_EQ(host.State(), "[1]2/34/2020");
  host.Key(VK_END);
  EXPECT_EQ(host.State(), "12/34/2020|");
  // A selection collapses to its first input position.
  host.Show("12/34/2020", 2, 4);
  host.Key(VK_LEFT);
  EXPECT_EQ(host.State(), "12/[3]4/2020");
}

TEST_F(MaskEditModeTest, HomeGoesToTheFirstInputPosition) {
  TMaskEditHost host(emkStandard, "(999) 000");
  host.Show("(123) 456", 6);
  host.Key(VK_HOME);
  EXPECT_EQ(host.State(), "([1]23) 456");
}

TEST_F(StandardModeTest, PasteOverwritesAsManyCharactersAsItHas) {
  host.Show("__/__/____", 0);
  host.Mode().SetPastedTextLength(4);
  host.Mode().BeforePaste();
  EXPECT_EQ(host.State(), "[__/_]_/____");
  SendMessageA(host.Window(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("12/3"));
  host.Mode().AfterPaste();
  EXPECT_EQ(host.State(), "12/3[_]/____");
  // A paste that ends before a literal leaves the caret on the next input position.
  host.Show("__/__/____", 0);
  host.Mode().SetPastedTextLength(2);
  host.Mode().BeforePaste();
  SendMessageA(host.Window(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("12"));
  host.Mode().AfterPaste();
  EXPECT_EQ(host.State(), "12/[_]_/____");
}

TEST_F(StandardModeTest, ValuesAndValidation) {
  TcxMaskEditCustomMode& mode = host.Mode();
  EXPECT_EQ(mode.EmptyValueText(), "  /  /    ");
  EXPECT_EQ(mode.FormatForDisplay("1", true), "__/__/___1");
  EXPECT_EQ(mode.ValueFromDisplay("12/3_/2020", true), "12/3 /2020");
  EXPECT_TRUE(mode.IsTextComplete("12/34/2020"));
  EXPECT_TRUE(mode.IsTextComplete("_2/_4/2020"));  // optional positions may stay blank
  EXPECT_FALSE(mode.IsTextComplete("12/34/202_"));
  EXPECT_FALSE(mode.IsTextComplete("__/__/____"));
  host.ignoreMaskBlank = true;
  EXPECT_TRUE(mode.IsTextComplete("__/__/____"));
  // The value of a mask that does not save its literals: blanks read as spaces.
  TMaskEditHost unsaved(emkStandard, "00\\-00;0;_");
  EXPECT_EQ(unsaved.Mode().ValueFromDisplay("12-3_", true), "123 ");
  EXPECT_EQ(unsaved.Mode().EmptyValueText(), "    ");
}

// ---------------------------------------------------------------------------------------------
// Regular-expression mode

TEST_F(MaskEditModeTest, RegExprModeTypesWhatFits) {
  TMaskEditHost host(emkRegExpr, "\\d+-\\d+");
  host.Show("", 0);
  host.Type("12-3");
  EXPECT_EQ(host.State(), "12-3|");
  host.Type("a");
  EXPECT_EQ(host.State(), "12-3|");
  EXPECT_EQ(host.Beeps(), 1);
  // Between "1" and "2": "x" is refused, "5" fits and so does the rest after it.
  host.Show("12-3", 1);
  host.Type("x");
  EXPECT_EQ(host.State(), "1|2-3");
  EXPECT_EQ(host.Beeps(), 2);
  host.Type("5");
  EXPECT_EQ(host.State(), "15|2-3");
}

TEST_F(MaskEditModeTest, RegExprModeDeletesAndCutsWhatNoLongerFits) {
  TMaskEditHost host(emkRegExpr, "\\d+-\\d+");
  host.Show("12-3", 2);
  host.Type("\b");
  EXPECT_EQ(host.State(), "1|-3");
  // The head is rebuilt at once: typing goes on from the right place.
  host.Type("7");
  EXPECT_EQ(host.State(), "17|-3");
  host.Key(VK_DELETE);
  EXPECT_EQ(host.State(), "17|3");  // "3" alone still fits after "17"
  // A selection replaced by a character.
  host.Show("12-3", 1, 2);
  host.Type("4");
  EXPECT_EQ(host.State(), "14|3");

  TMaskEditHost letters(emkRegExpr, "\\d+-[a-z]+");
  letters.Show("12-x", 3);
  letters.Type("\b");
  EXPECT_EQ(letters.State(), "12|");
  // The head that the expression has consumed is the text before the caret again at once.
  auto& mode = dynamic_cast<TcxMaskEditRegExprMode&>(letters.Mode());
  EXPECT_EQ(mode.Head(), "12");
  EXPECT_EQ(mode.Tail(), "");
  letters.Type("-y");
  EXPECT_EQ(letters.State(), "12-y|");
}

TEST_F(MaskEditModeTest, RegExprModeCaseAndValidation) {
  TMaskEditHost upper(emkRegExpr, "ABC");
  upper.Show("", 0);
  upper.Type("a");
  EXPECT_EQ(upper.State(), "A|");
  TMaskEditHost range(emkRegExpr, "[A-Z]+");
  range.Show("", 0);
  range.Type("a");
  EXPECT_EQ(range.State(), "|");

  TMaskEditHost host(emkRegExpr, "\\d+-\\d+");
  EXPECT_TRUE(host.Mode().IsTextComplete(""));
  EXPECT_TRUE(host.Mode().IsTextComplete("12-3"));
  EXPECT_FALSE(host.Mode().IsTextComplete("12-"));
  EXPECT_FALSE(host.Mode().IsTextComplete("12-x"));
  host.ignoreMaskBlank = true;
  EXPECT_TRUE(host.Mode().IsTextComplete("12-"));
  EXPECT_EQ(host.Mode().FormatForDisplay("1a2-b3", true), "12-3");
}

TEST_F(MaskEditModeTest, RegExprCompileErrorsBecomeOneMessage) {
  TMaskEditHost host(emkRegExpr, "\\d");
  try {
    host.Mode().CompileEditMask("*a");
    FAIL() << "no error raised";
  } catch (const EcxMaskEditError& error) {
    EXPECT_EQ(error.Message(), "Regular expression errors:\r\nLine1, Char1: Illegal quantifier '*'");
  }
  try {
    host.Mode().CompileEditMask("a(");
    FAIL() << "no error raised";
  } catch (const EcxMaskEditError& error) {
    EXPECT_EQ(error.Message(), "Regular expression errors:\r\nMissing ')'");
  }
}

// ---------------------------------------------------------------------------------------------
// Extended regular-expression mode

TEST_F(MaskEditModeTest, ExModeTypesForcedCharacters) {
  TMaskEditHost host(emkRegExprEx, "\\d\\d-\\d\\d");
  EXPECT_EQ(host.Mode().EmptyValueText(), "");
  host.Show("", 0);
  host.Type("12");
  EXPECT_EQ(host.State(), "12-|");
  host.Type("3");
  EXPECT_EQ(host.State(), "12-3|");
  host.Type("x");
  EXPECT_EQ(host.State(), "12-3|");
  EXPECT_EQ(host.Beeps(), 1);
}

TEST_F(MaskEditModeTest, ExModeKeepsForcedCharactersWithTheirCharacter) {
  TMaskEditHost host(emkRegExprEx, "\\d\\d-\\d\\d");
  host.Show("", 0);
  host.Type("12");
  host.Type("\b");
  EXPECT_EQ(host.State(), "1|");
  host.Type("2");
  EXPECT_EQ(host.State(), "12-|");
  host.Key(VK_LEFT);
  EXPECT_EQ(host.State(), "1|2-");
  host.Key(VK_RIGHT);
  EXPECT_EQ(host.State(), "12-|");
}

TEST_F(MaskEditModeTest, ExModeKeepsTheForcedBeginning) {
  TMaskEditHost host(emkRegExprEx, "ID-\\d+");
  EXPECT_EQ(host.Mode().EmptyValueText(), "ID-");
  EXPECT_TRUE(host.Mode().IsTextComplete("ID-"));
  EXPECT_FALSE(host.Mode().IsTextComplete("ID-x"));
  EXPECT_TRUE(host.Mode().IsTextComplete("ID-42"));
  host.Show("ID-", 3);
  host.Type("\b");
  EXPECT_EQ(host.State(), "ID-|");
  EXPECT_EQ(host.Beeps(), 1);
  host.Type("7");
  EXPECT_EQ(host.State(), "ID-7|");
  host.Show("ID-7", 0);
  host.Key(VK_DELETE);
  EXPECT_EQ(host.State(), "|ID-7");
  EXPECT_EQ(host.Beeps(), 2);
}

TEST_F(MaskEditModeTest, ExModeResyncEndsWhenTheTextOutgrowsTheModel) {
  TMaskEditHost host(emkRegExprEx, "\\d\\d-\\d\\d");
  host.Show("", 0);
  host.Type("12");
  // The text changes behind the mode's back; the caret then goes where head and tail do not reach.
  SetWindowTextA(host.Window(), "12-34");
  host.SetSelStart(5);
  host.Key(VK_LEFT);
  auto& mode = dynamic_cast<TcxMaskEditRegExprMode&>(host.Mode());
  EXPECT_LE(mode.Head().size() + mode.Tail().size(), 5u);
}

TEST_F(MaskEditModeTest, ExModeFormatsWithTheForcedTail) {
  TMaskEditHost host(emkRegExprEx, "\\d\\d-\\d\\d");
  EXPECT_EQ(host.Mode().FormatForDisplay("12", true), "12-");
  EXPECT_EQ(host.Mode().FormatForDisplay("1x2-3", true), "12-3");
}

// A mask compiled before the editor has its inner edit gives the editor its empty value once.
TEST_F(MaskEditModeTest, PendingEditValueIsTheEmptyForm) {
  struct Case {
    TcxEditMaskKind kind;
    const char* mask;
    const char* value;
  };
  const Case cases[] = {{emkStandard, "00/00", "  /  "}, {emkRegExprEx, "ID-\\d+", "ID-"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mask);
    TMaskEditHost host(c.kind, "0");
    host.editorReady = false;
    host.Mode().CompileEditMask(c.mask);
    host.editorReady = true;
    host.Mode().ApplyPendingEditValue();
    EXPECT_EQ(host.editValue, c.value);
    host.editValue = "untouched";
    host.Mode().ApplyPendingEditValue();
    EXPECT_EQ(host.editValue, "untouched");
  }
}

// ---------------------------------------------------------------------------------------------
// Keystroke tables for the regular-expression modes

void Press(TMaskEditHost& host, const std::string& keys) {
  for (char key : keys) {
    switch (key) {
      case 'L': host.Key(VK_LEFT); break;
      case 'R': host.Key(VK_RIGHT); break;
      case 'H': host.Key(VK_HOME); break;
      case 'E': host.Key(VK_END); break;
      case 'D': host.Key(VK_DELETE); break;
      case 'B': host.Type("\b"); break;
      default: host.Type(std::string(1, key)); break;
    }
  }
}

TEST_F(MaskEditModeTest, RegExprModesKeystrokeTable) {
  for (const auto& c : kMaskKeystrokeCases) {
    SCOPED_TRACE(std::string(c.mask) + " " + c.text + " " + c.keys);
    TMaskEditHost host(c.kind, c.mask);
    host.Show(c.text, c.selStart, c.selLength);
    Press(host, c.keys);
    EXPECT_EQ(host.State(), c.state);
    EXPECT_EQ(host.Beeps(), c.beeps);
    // Head and tail always cover the text, split at the caret.
    auto& mode = dynamic_cast<TcxMaskEditRegExprMode&>(host.Mode());
    if (host.SelLength() == 0) {
      EXPECT_EQ(mode.Head(), host.CurrentText().substr(0, host.SelStart()));
    }
  }
}

}  // namespace
