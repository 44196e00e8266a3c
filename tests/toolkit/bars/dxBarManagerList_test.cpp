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

// The keyboard hook as a hosted edit window calls it: a lone Alt waits for its release (the hint
// goes), another key ends the wait, and keys are swallowed while a caption button holds the mouse.
TEST_F(ManagerHooks, TheKeyboardHookTracksALoneMenuKey) {
  form_->Show();
  SetFocus(form_->Handle());
  ASSERT_EQ(GetBarManagerForKey(true), manager_);
  struct TCase {
    WPARAM key;
    LPARAM keyData;
    bool pendingAfter;
  } keys[] = {
      {VK_MENU, 0x20380001, true},       // Alt down alone
      {'F', 0x20210001, false},          // Alt+F: no longer a lone Alt
      {VK_MENU, 0xC0380001, false},      // Alt up
      {VK_F10, 0x00440001, true},        // F10 down, allowed by UseF10ForMenu
      {VK_F10, 0xC0440001, false},       // F10 up
  };
  for (const TCase& k : keys) {
    EXPECT_EQ(CallBarKeyboardHookDirectly(k.key, k.keyData), 0) << k.key;
    EXPECT_EQ(IsBarMenuKeyPending(), k.pendingAfter) << k.key << " " << std::hex << k.keyData;
  }
  manager_->SetUseF10ForMenu(false);
  CallBarKeyboardHookDirectly(VK_F10, 0x00440001);
  EXPECT_FALSE(IsBarMenuKeyPending());
  SetBarCaptionButtonCapture(true);
  EXPECT_EQ(CallBarKeyboardHookDirectly('A', 0x001E0001), 1) << "swallowed";
  SetBarCaptionButtonCapture(false);
  EXPECT_EQ(CallBarKeyboardHookDirectly('A', 0x001E0001), 0);
}
