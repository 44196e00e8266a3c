// Runs with Wine's gdiplus.dll refused (see CMakeLists.txt): skins are not read without GDI+.
#include "calderan_test.h"

#include "dxSkinsBuiltIn.h"
#include "dxSkinsCore.h"
#include "dxSkinsDefaultPainters.h"
#include "lookandfeel_fixture.h"

namespace {

TEST(SkinsWithoutGdiPlus, LoadingReadsNothing) {
  StartLookAndFeelUnits();
  StartUnits({&dxSkinsCoreUnit});
  ASSERT_FALSE(IsGdiPlusAvailable());
  TdxSkin skin("Kept");
  skin.AddGroup("Common");
  TMemoryStream stream;
  stream.WriteBuffer("not a skin at all", 17);
  stream.SetPosition(0);
  EXPECT_NO_THROW(skin.LoadFromStream(&stream));
  EXPECT_EQ(stream.Position(), 0);
  EXPECT_EQ(skin.Name(), "Kept");
  EXPECT_EQ(skin.GroupCount(), 1);
}

// Without GDI+ the skin units read no stream and register none of their names.
TEST(SkinsWithoutGdiPlus, NoSkinIsRegistered) {
  StartLookAndFeelUnits();
  StartSkinUnits();
  ASSERT_FALSE(IsGdiPlusAvailable());
  TcxCustomLookAndFeelPainterClass painter = nullptr;
  for (const char* name : dxBuiltInSkinNames) EXPECT_FALSE(ExtendedStylePainters()->FindPainterByName(name, painter)) << name;
  EXPECT_FALSE(ExtendedStylePainters()->FindPainterByName(dxUserSkinName, painter));
  EXPECT_EQ(UserSkinPainterInfo(), nullptr);
  EXPECT_EQ(ExtendedStylePainters()->Count(), 0);
}

}  // namespace
