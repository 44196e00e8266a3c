#include "calderan_test.h"

#include <memory>
#include <string>

#include "cxStandardMask.h"
#include "masks_fixture.h"

namespace {

std::unique_ptr<TcxStandardMask> Mask(const std::string& text) {
  auto mask = std::make_unique<TcxStandardMask>();
  mask->CompileMask(text);
  return mask;
}

// One letter per position: L literal, 0 required digit, 9 optional digit, # sign-or-digit, A/a
// alphanumeric, L/l letter (shown as "R"/"r" to keep them apart from literals), C/c any character.
std::string Shape(const TcxStandardMask& mask) {
  std::string shape;
  for (int i = 0; i < mask.Count(); ++i) {
    const TcxStandardMaskCustomItem* item = mask.Item(i);
    auto input = dynamic_cast<const TcxStandardMaskManyItem*>(item);
    if (!input) shape += 'L';
    else if (dynamic_cast<const TcxStandardMaskNumericSymbolItem*>(item)) shape += '#';
    else if (dynamic_cast<const TcxStandardMaskNumericItem*>(item)) shape += input->Optional() ? '9' : '0';
    else if (dynamic_cast<const TcxStandardMaskAlphaNumericItem*>(item)) shape += input->Optional() ? 'a' : 'A';
    else if (dynamic_cast<const TcxStandardMaskAlphaItem*>(item)) shape += input->Optional() ? 'r' : 'R';
    else shape += input->Optional() ? 'c' : 'C';
  }
  return shape;
}

struct CompileCase {
  const char* mask;
  const char* shape;
  const char* templateText;
  bool leading;
  bool saveLiterals;
  char blank;
};

TEST(StandardMaskTest, CompilesPositionsAndTailSections) {
  TSeparatorsScope separators('.', '-', ',');
  const CompileCase cases[] = {
      {"!99/99/0000;1;_", "99L99L0000", "__.__.____", true, true, '_'},
      {"(999) 000-0000;0;*", "L999LL000L0000", "(***) ***-****", false, false, '*'},
      {"00;1", "00", "__", false, true, '_'},
      {"00;1;", "00LLL", "__;1;", false, true, '_'},
      {"00;0", "00", "__", false, false, '_'},
      {"99:99", "99L99", "__-__", false, true, '_'},
      {"\\0\\", "L", "0", false, true, '_'},
      {"#LlAaCc", "#RrAaCc", "_______", false, true, '_'},
      {"0!0", "0L0", "_!_", false, true, '_'},
      {"0;2", "0LL", "_;2", false, true, '_'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mask);
    auto mask = Mask(c.mask);
    EXPECT_EQ(Shape(*mask), c.shape);
    EXPECT_EQ(mask->TemplateText(), c.templateText);
    EXPECT_EQ(mask->Leading(), c.leading);
    EXPECT_EQ(mask->SaveLiterals(), c.saveLiterals);
    EXPECT_EQ(mask->BlankChar(), c.blank);
    EXPECT_EQ(mask->MaskText(), c.mask);
  }
}

TEST(StandardMaskTest, RecompilingResetsTheSettings) {
  TcxStandardMask mask;
  mask.CompileMask("!00;0;*");
  mask.CompileMask("0");
  EXPECT_FALSE(mask.Leading());
  EXPECT_TRUE(mask.SaveLiterals());
  EXPECT_EQ(mask.BlankChar(), '_');
  EXPECT_EQ(mask.Count(), 1);
}

TEST(StandardMaskTest, CaseRulesApplyToTheFollowingInputs) {
  auto mask = Mask(">LL<ll<>LL");
  std::string text = "abCDeF";
  mask->PlaceText(text, true, false);
  EXPECT_EQ(text, "ABcdeF");
  // Without the change-case flag the characters stay as typed.
  text = "abCDeF";
  mask->PlaceText(text, false, false);
  EXPECT_EQ(text, "abCDeF");
}

TEST(StandardMaskTest, BlankTextLeavesUnsavedLiteralsOut) {
  EXPECT_EQ(Mask("(999) 000;1")->BlankText(), "(   )    ");
  EXPECT_EQ(Mask("(999) 000;0")->BlankText(), "      ");
}

struct PlaceCase {
  const char* mask;
  const char* text;
  bool literalsInText;
  const char* placed;
};

TEST(StandardMaskTest, PlaceTextMapsCharactersOntoPositions) {
  const PlaceCase cases[] = {
      {"00", "a1", false, "1_"},                    // "a" fits nowhere and is dropped
      {"!999", "5", false, "__5"},                  // leading masks fill from the end
      {"!999", "123", false, "123"},
      {"00-00", "1234", false, "12-34"},
      {"00-00", "12-34", false, "12-34"},           // the literal takes its own position
      {"00-00;0", "12-34", false, "12-34"},         // unsaved literals are passed over, "-" dropped
      {"00-00;0", "1234", false, "12-34"},
      {"000", "1 3", false, "1_3"},                 // a space leaves an input position blank
      {"000", "1_3", false, "1_3"},                 // so does the blank character
      {"LL", "a1b", false, "ab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " <- " + c.text);
    std::string text = c.text;
    Mask(c.mask)->PlaceText(text, true, c.literalsInText);
    EXPECT_EQ(text, c.placed);
  }
}

TEST(StandardMaskTest, ValueTextReadsBlanksAsSpaces) {
  std::string text = "12-3_";
  Mask("00\\-00;0;_")->ValueText(text);
  EXPECT_EQ(text, "123 ");
  text = "12-3_";
  Mask("00\\-00;1;_")->ValueText(text);
  EXPECT_EQ(text, "12-3 ");
  // A longer text is cut at the mask's end.
  text = "123";
  Mask("00")->ValueText(text);
  EXPECT_EQ(text, "12");
}

struct CompleteCase {
  const char* mask;
  const char* text;
  bool complete;
};

TEST(StandardMaskTest, IsCompleteRefusesBlanksInRequiredPositions) {
  const CompleteCase cases[] = {
      {"99", "1_", true},    {"99", "1 ", true},    {"00", "1_", false}, {"00", "12", true},
      {"00", "123", false},  {"00", "1", false},    {"0-0", "1-2", true}, {"0-0", "1x2", false},
      {"#", "-", true},      {"#", "_", true},      {"L", "1", false},   {"C", "_", true},
      {"c", "_", true},      {"\\0", "_", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " ? " + c.text);
    std::string text = c.text;
    EXPECT_EQ(Mask(c.mask)->IsComplete(text), c.complete);
  }
}

TEST(StandardMaskTest, IsCompleteRecasesTheText) {
  std::string text = "ab";
  EXPECT_TRUE(Mask(">LL")->IsComplete(text));
  EXPECT_EQ(text, "AB");
}

}  // namespace
