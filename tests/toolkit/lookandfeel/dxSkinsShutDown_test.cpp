// The skin units' shut-down, in a process of its own: it leaves none of the 21 names registered.
#include "calderan_test.h"

#include "dxSkinsBuiltIn.h"
#include "dxSkinsDefaultPainters.h"
#include "lookandfeel_fixture.h"

namespace {

TEST(SkinUnits, ShutDownUnregistersEveryName) {
  StartLookAndFeelUnits();
  StartSkinUnits();
  ASSERT_TRUE(IsGdiPlusAvailable());
#define DX_ENTRY(Name) {&dxSkin##Name##Unit, TdxSkin##Name##Painter::Instance()},
  const std::pair<const TUnitInfo*, TcxCustomLookAndFeelPainterClass> units[] = {
      DX_BUILT_IN_SKINS(DX_ENTRY){&dxSkinsDefaultPaintersUnit, TdxSkinUserSkinPainter::Instance()}};
#undef DX_ENTRY
  ASSERT_EQ(ExtendedStylePainters()->Count(), 21);
  for (auto [unit, painter] : units) {
    unit->Finalize();
    std::string name;
    EXPECT_FALSE(ExtendedStylePainters()->FindNameByPainter(painter, name)) << unit->Name;
    EXPECT_EQ(static_cast<const TdxSkinLookAndFeelPainter*>(painter)->GetSkinInfo(), nullptr) << unit->Name;
  }
  EXPECT_EQ(ExtendedStylePainters()->Count(), 0);
}

}  // namespace
