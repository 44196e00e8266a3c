// Runs with Wine's gdiplus.dll refused (see CMakeLists.txt): skins are not read without GDI+.
#include "calderan_test.h"

#include "dxSkinsCore.h"
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

}  // namespace
