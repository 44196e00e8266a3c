// Runs in a process where the visual-styles library cannot be loaded (see CMakeLists.txt).
#include "calderan_test.h"

#include "cxGraphicsRoutines.h"
#include "lookandfeel_fixture.h"

namespace {

class NoVisualStyles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartLookAndFeelUnits(); }
};

TEST_F(NoVisualStyles, BindingAndThemeManagerReportNothingAvailable) {
  ASSERT_FALSE(IsVisualStylesLibraryLoaded());
  EXPECT_EQ(UxThemeFunctions.OpenThemeData, nullptr);
  EXPECT_EQ(cxDrawThemeParentBackgroundProc(), nullptr) << "parent backgrounds are painted by the parent";
  EXPECT_EQ(UxIsThemeActive(), 0);
  EXPECT_FALSE(ThemesActive());
  EXPECT_FALSE(AreThemeKindsAvailable({}));
  EXPECT_FALSE(IsThemeKindAvailable(totButton));
  EXPECT_EQ(OpenThemeByKind(totButton, L"Button"), nullptr);
  EXPECT_EQ(CloseThemeOfKind(totButton), 1);
  EXPECT_EQ(FindThreadWindow(dxThemeChangedReceiverClassName), nullptr) << "no receiver without the library";
  TdxThemeChangedNotificator notificator;  // created and destroyed without joining any list
}

TEST_F(NoVisualStyles, Office11ColoursComeFromTheSystemColours) {
  AcquireOffice11Colors();
  EXPECT_EQ(CurrentLunaScheme(), lsUnknown);
  EXPECT_FALSE(AreLunaSchemeColorsUsed());
  EXPECT_EQ(Office11GradientPercent, 75);
  EXPECT_EQ(Office11Colors[2], BlendColorsPercent(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), 22));
  EXPECT_EQ(Office11Colors[62], static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  ReleaseOffice11Colors();
}

}  // namespace

namespace {

TEST_F(NoVisualStyles, NativeLookAndFeelFallsBackToItsKind) {
  TcxLookAndFeel lf(nullptr);
  lf.SetKind(lfFlat);
  lf.SetNativeStyle(true);
  EXPECT_TRUE(lf.NativeStyle());
  EXPECT_EQ(lf.CurrentPainter(), TcxFlatLookAndFeelPainter::Instance());
  EXPECT_EQ(lf.PainterForThemeKind(totButton), TcxFlatLookAndFeelPainter::Instance());
  EXPECT_EQ(RootLookAndFeel()->CurrentPainter(), TcxUltraFlatLookAndFeelPainter::Instance());
}

}  // namespace
