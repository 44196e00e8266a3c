// Runs with Wine's gdiplus.dll refused (see CMakeLists.txt): no sheet decodes and no skin registers.
#include "calderan_test.h"

#include "Classes.h"
#include "ribbon_fixture.h"

namespace {

TEST(RibbonSkinsWithoutGdiPlus, NothingRegisters) {
  StartRibbonSkinUnits();
  ASSERT_FALSE(IsGdiPlusAvailable());
  EXPECT_EQ(BarSkinManager()->GetCount(), 0);
  TdxCustomBarSkin skin("Blue");
  EXPECT_EQ(BarSkinManager()->Add(&skin), -1);
  EXPECT_EQ(BarSkinManager()->Add(nullptr), -1);
  TMemoryStream stream;
  stream.WriteBuffer("\x89PNG", 4);
  stream.SetPosition(0);
  EXPECT_EQ(CreateImageFromResourceStream(&stream), nullptr);
}

}  // namespace
