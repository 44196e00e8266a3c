// The manager list and its thread hooks: installed by the first manager, kept for the others,
// removed with the last; the call-window hook hearing an owner's messages; the keyboard state.
#include "calderan_test.h"

#include <memory>

#include "bars_fixture.h"
#include "dxBarHintWindow.h"
#include "dxBarManagerList.h"

namespace {
using ManagerHooks = BarFixture;
}  // namespace

TEST_F(ManagerHooks, HooksAreInstalledOnceForTwoManagersAndRemovedWithTheLast) {
  // The fixture's manager is alive: the hooks are there.
  control_.reset();
  const TdxBarHooks first = BarHooks();
  EXPECT_NE(first.Keyboard, nullptr);
  EXPECT_NE(first.Mouse, nullptr);
  EXPECT_NE(first.CallWndProc, nullptr);
  auto otherForm = std::make_unique<TForm>(nullptr, 0);
  auto* second = new TdxBarManager(otherForm.get());
  const TdxBarHooks both = BarHooks();
  EXPECT_EQ(both.Keyboard, first.Keyboard);
  EXPECT_EQ(both.Mouse, first.Mouse);
  EXPECT_EQ(both.CallWndProc, first.CallWndProc);
  EXPECT_EQ(BarManagerList()->Count(), 2);
  // The call-window hook hears the owner's messages: a colour change re-creates the brushes.
  HBRUSH before = second->FlatToolbarsBrush();
  SendMessageA(otherForm->Handle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_NE(second->FlatToolbarsBrush(), before);
  EXPECT_EQ(BarManagerList()->NextManager(second, true), second) << "no other manager on its form";
  otherForm.reset();
  EXPECT_EQ(BarHooks().Keyboard, first.Keyboard) << "one manager is left";
  form_.reset();  // the last manager goes
  const TdxBarHooks none = BarHooks();
  EXPECT_EQ(none.Keyboard, nullptr);
  EXPECT_EQ(none.Mouse, nullptr);
  EXPECT_EQ(none.CallWndProc, nullptr);
  EXPECT_EQ(BarHintWindowInstance(), nullptr) << "the hint window goes with the last manager";
  // A new first manager installs them again.
  form_ = std::make_unique<TForm>(nullptr, 0);
  manager_ = new TdxBarManager(form_.get());
  bar_ = nullptr;
  EXPECT_NE(BarHooks().Keyboard, nullptr);
  EXPECT_NE(BarHintWindowInstance(), nullptr);
}
