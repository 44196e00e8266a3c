// Runs with Wine's visual-styles library refused (WINEDLLOVERRIDES=uxtheme=d).
#include "calderan_test.h"

#include "NxInspectorCommon.h"
#include "NxSharedDraw.h"
#include "NxThemesSupport.h"
#include "inspector_fixture.h"

using NoThemes = InspectorFixture;

TEST_F(NoThemes, ClassicColumnOfTheOfficeTable) {
  ASSERT_FALSE(ThemesAvailable());
  const struct { int index; TColor color; } cases[] = {
      {0, Blend(clHighlight, clWindow, 80)}, {1, cl3DLight}, {2, cl3DLight}, {4, RGB(255, 213, 140)},
      {8, RGB(254, 145, 178)}, {10, clWindow}, {11, clBtnFace}, {12, clGrayText}, {13, clNone},
  };
  for (const auto& c : cases) EXPECT_EQ(Office2003Color(c.index), c.color) << "index " << c.index;
}
