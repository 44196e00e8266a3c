// Runs with Wine's gdiplus.dll refused (see CMakeLists.txt): no sheet decodes and no skin registers.
#include "calderan_test.h"

#include "Classes.h"
#include "Forms.h"
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

TEST(RibbonWithoutGdiPlus, IsNotCreated) {
  StartRibbonSkinUnits();
  TForm form(nullptr, 0);
  std::string message;
  try {
    new TdxRibbon(&form);
  } catch (const Exception& e) {
    message = e.Message();
  }
  EXPECT_EQ(message, "TdxRibbon requires the Microsoft GDI+ library to be installed");
  EXPECT_EQ(form.ComponentCount(), 0);
}

}  // namespace
