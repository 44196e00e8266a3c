#include "calderan_test.h"

#include <string>

#include "cxCheckBox.h"
#include "editors_fixture.h"

namespace {

struct CheckBoxStates : ::testing::Test {
  static void SetUpTestSuite() { StartEditorUnits(); }
};

TEST(CheckBoxValues, ValuesMapOntoThreeStates) {
  struct Case {
    const char* name;
    TVariant value, checked, unchecked;
    TcxCheckBoxState state;
  };
  const Case cases[] = {
      {"default true", TVariant(true), TVariant(true), TVariant(false), cbsChecked},
      {"default false", TVariant(false), TVariant(true), TVariant(false), cbsUnchecked},
      {"Null", TVariant::Null(), TVariant(true), TVariant(false), cbsGrayed},
      {"Empty", TVariant(), TVariant(true), TVariant(false), cbsGrayed},
      {"other number", TVariant(int32_t(7)), TVariant(true), TVariant(false), cbsGrayed},
      {"Y", TVariant(std::string("Y")), TVariant(std::string("Y")), TVariant(std::string("N")), cbsChecked},
      {"N", TVariant(std::string("N")), TVariant(std::string("Y")), TVariant(std::string("N")), cbsUnchecked},
      {"y in lower case", TVariant(std::string("y")), TVariant(std::string("Y")), TVariant(std::string("N")),
       cbsGrayed},
      // A Boolean compares with a text as its own text.
      {"true against Y", TVariant(true), TVariant(std::string("Y")), TVariant(std::string("N")), cbsGrayed},
      {"true against True", TVariant(true), TVariant(std::string("True")), TVariant(std::string("N")), cbsChecked},
      {"False against false", TVariant(std::string("False")), TVariant(true), TVariant(false), cbsUnchecked},
      {"number against text", TVariant(int32_t(1)), TVariant(std::string("Y")), TVariant(std::string("N")),
       cbsGrayed},
      {"1 and 0", TVariant(int32_t(0)), TVariant(int32_t(1)), TVariant(int32_t(0)), cbsUnchecked},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckBoxValueToState(c.value, c.checked, c.unchecked), c.state) << c.name;
}

TEST(CheckBoxValues, ANewValueMustDifferExactlyFromTheOtherThree) {
  const TVariant yes(std::string("Y")), no(std::string("N")), null = TVariant::Null();
  EXPECT_TRUE(IsCheckBoxValueAcceptable(TVariant(std::string("J")), yes, no, null, false));
  EXPECT_FALSE(IsCheckBoxValueAcceptable(no, yes, no, null, false));
  EXPECT_FALSE(IsCheckBoxValueAcceptable(null, yes, no, TVariant(int32_t(2)), false));
  EXPECT_TRUE(IsCheckBoxValueAcceptable(null, yes, no, TVariant(int32_t(2)), true));
  EXPECT_FALSE(IsCheckBoxValueAcceptable(null, yes, no, null, true));
  // Exactly: the same value of another type is a different value.
  EXPECT_TRUE(IsCheckBoxValueAcceptable(TVariant(int32_t(1)), TVariant(1.0), TVariant(0.0), null, false));
  EXPECT_TRUE(VarEqualsExact(TVariant(int32_t(1)), TVariant(int32_t(1))));
  EXPECT_FALSE(VarEqualsExact(TVariant(int32_t(1)), TVariant(int16_t(1))));
}

TEST(CheckBoxValues, TheCycleVisitsGrayedOnlyWhenAllowed) {
  TcxCheckBoxState state = cbsUnchecked;
  std::string withGrayed, without;
  for (int i = 0; i < 4; ++i) withGrayed += char('0' + (state = NextCheckBoxState(state, true)));
  state = cbsUnchecked;
  for (int i = 0; i < 4; ++i) without += char('0' + (state = NextCheckBoxState(state, false)));
  EXPECT_EQ(withGrayed, "2102");  // grayed, checked, unchecked, grayed
  EXPECT_EQ(without, "1010");
  EXPECT_EQ(NextCheckBoxState(cbsGrayed, false), cbsChecked);
}

TEST(CheckBoxGlyphs, PressedStatesUseTheSecondRowOfPiecesWhenTheStripHasThem) {
  struct Case {
    TcxCheckBoxState state;
    TcxEditCheckState checkState;
    int count, index;
  };
  const Case cases[] = {
      {cbsUnchecked, ecsNormal, 6, 0}, {cbsChecked, ecsHot, 6, 1},    {cbsGrayed, ecsDisabled, 6, 2},
      {cbsUnchecked, ecsPressed, 6, 3}, {cbsChecked, ecsPressed, 6, 4}, {cbsGrayed, ecsPressed, 6, 5},
      {cbsChecked, ecsPressed, 3, 1},   {cbsGrayed, ecsPressed, 3, 2},  {cbsChecked, ecsPressed, 5, 4},
      {cbsGrayed, ecsPressed, 5, 2},    {cbsGrayed, ecsNormal, 2, 2},   {cbsChecked, ecsPressed, 1, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckBoxGlyphIndex(c.state, c.checkState, c.count), c.index)
        << int(c.state) << " " << int(c.checkState) << " of " << c.count;
  EXPECT_EQ(CheckBoxGlyphPieceRect(TSize(78, 13), 6, 4), TRect(52, 0, 65, 13));
  EXPECT_EQ(CheckBoxGlyphPieceRect(TSize(78, 13), 0, 4), TRect(0, 0, 0, 13));
}

TEST(CheckBoxGlyphs, InteractionStatesDrawAsButtonStates) {
  EXPECT_EQ(CheckStateToButtonState(ecsNormal), cxbsNormal);
  EXPECT_EQ(CheckStateToButtonState(ecsHot), cxbsHot);
  EXPECT_EQ(CheckStateToButtonState(ecsPressed), cxbsPressed);
  EXPECT_EQ(CheckStateToButtonState(ecsDisabled), cxbsDisabled);
}

TEST_F(CheckBoxStates, TheMaskHoldsTheSystemsCheckMark) {
  HBITMAP mask = BuildCheckMarkMask();
  ASSERT_NE(mask, nullptr);
  BITMAP info{};
  GetObjectA(mask, sizeof(info), &info);
  const TSize size = cxCheckGlyphSize();
  EXPECT_EQ(info.bmWidth, size.cx);
  EXPECT_EQ(info.bmHeight, size.cy);
  EXPECT_EQ(info.bmBitsPixel, 1);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  int black = 0;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) black += GetPixel(dc, x, y) == 0;
  // The mark is black, the frame of the box (equal in both pictures) white.
  EXPECT_GT(black, 5);
  EXPECT_LT(black, size.cx * size.cy / 2);
  for (int x = 0; x < size.cx; ++x) EXPECT_EQ(GetPixel(dc, x, 0), 0xFFFFFFu) << x;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(mask);
}

}  // namespace
