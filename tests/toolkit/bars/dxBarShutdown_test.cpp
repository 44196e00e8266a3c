// The bar unit's shared objects are gone after it stops: whatever runs in a later teardown (bar
// windows, item kinds that unregister, hints) checks for them instead of reaching freed state.
#include "calderan_test.h"

#include "bars_fixture.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItemRegistry.h"

namespace {

TEST(BarShutdown, CallersAfterTheUnitStoppedFindNoSharedObjects) {
  UsePrivateDesktop();
  StartBarTestUnits();
  auto form = std::make_unique<TForm>(nullptr, 0);
  auto* manager = new TdxBarManager(form.get());
  auto* bar = new TCustomdxBarControl(nullptr, manager);
  ASSERT_TRUE(IsBarControlAlive(bar));
  form.reset();  // the manager goes; the bar window outlives it and the units
  StopUnits();
  EXPECT_EQ(BarItemClassList(), nullptr);  // not made again while stopping or after
  EXPECT_TRUE(IsBarUnitFinalizing());
  EXPECT_FALSE(IsBarControlAlive(bar));
  UnregisterBarItemClass(TdxBarItem::StaticClass());
  EXPECT_EQ(BarItemControlClassOf(TdxBarItem::StaticClass()), nullptr);
  EXPECT_EQ(CheckerBrush(), nullptr);
  delete bar;  // leaves a list that is gone
}

}  // namespace
