// The ribbon controller: clicks on tabs, the scroll buttons' auto-repeat (timer ticks are called,
// never waited for), hot tracking, the help button's release rule, the wheel through the ribbon and
// through the thread's hook, and the application button's menu.
#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "dxBarManager.h"
#include "dxRibbonApplicationMenu.h"
#include "dxRibbonController.h"
#include "dxRibbonServices.h"
#include "ribbon_fixture.h"

namespace {

// A ribbon that records the wheel deltas its window gets.
class TWheelRibbon : public TdxCustomRibbon {
 public:
  explicit TWheelRibbon(TComponent* owner) : TdxCustomRibbon(owner, StaticClass()) {}
  std::vector<int> Deltas;

 protected:
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override {
    Deltas.push_back(wheelDelta);
    return TdxCustomRibbon::DoMouseWheel(shift, wheelDelta, mousePos);
  }
};

class RibbonController : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartRibbonUnits();
  }
  void SetUp() override {
    form_ = std::make_unique<TForm>(nullptr, 0);
    form_->SetBounds(0, 0, 600, 400);
    manager_ = new TdxBarManager(form_.get());
    ribbon_ = new TWheelRibbon(form_.get());
    ribbon_->SetParent(form_.get());
    ribbon_->SetBarManager(manager_);
    form_->Show();
    SetActiveWindow(form_->Handle());
  }
  void TearDown() override { form_.reset(); }

  void AddTabs(int count, const std::string& prefix = "Tab ") {
    for (int i = 0; i < count; ++i) ribbon_->Tabs()->Add()->SetCaption(prefix + std::to_string(i));
    ribbon_->Changed();
  }
  TdxRibbonTab* Tab(int index) const { return ribbon_->Tabs()->Items(index); }
  TdxRibbonController* Controller() const { return ribbon_->Controller(); }
  TdxRibbonTabsViewInfo* Row() const { return ribbon_->ViewInfo()->TabsViewInfo(); }
  static TPoint Centre(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  TPoint TabCentre(int index) const { return Centre(Row()->Items(index)->Bounds()); }
  void PutCursorOn(const TPoint& client) {
    const TPoint screen = ribbon_->ClientToScreen(client);
    SetCursorPos(screen.X, screen.Y);
  }

  std::unique_ptr<TForm> form_;
  TdxBarManager* manager_ = nullptr;
  TWheelRibbon* ribbon_ = nullptr;
};

TEST_F(RibbonController, ClicksOnTabsActivateAndADoubleClickOnTheActiveOneTogglesTheGroups) {
  AddTabs(3);
  const TPoint second = TabCentre(1);
  Controller()->MouseDown(mbLeft, {}, second.X, second.Y);
  Controller()->MouseUp(mbLeft, {}, second.X, second.Y);
  EXPECT_EQ(ribbon_->ActiveTab(), Tab(1));
  EXPECT_TRUE(ribbon_->ShowTabGroups());

  Controller()->MouseDown(mbLeft, {ssDouble}, second.X, second.Y);
  EXPECT_FALSE(ribbon_->ShowTabGroups()) << "a double click on the active tab minimizes the ribbon";
  Controller()->MouseDown(mbLeft, {ssDouble}, second.X, second.Y);
  EXPECT_TRUE(ribbon_->ShowTabGroups());

  const TPoint third = TabCentre(2);
  Controller()->MouseDown(mbLeft, {ssDouble}, third.X, third.Y);
  EXPECT_EQ(ribbon_->ActiveTab(), Tab(2)) << "a double click on another tab only activates it";
  EXPECT_TRUE(ribbon_->ShowTabGroups());
}

TEST_F(RibbonController, HoldingATabScrollButtonScrollsAtOnceThenRepeatsWhileOverIt) {
  AddTabs(12, "Conversion ");
  form_->SetBounds(0, 0, 320, 400);
  ribbon_->Changed();
  ASSERT_TRUE(Row()->HasRightScrollButton());
  const TPoint button = Centre(Row()->RightScrollButtonBounds());
  PutCursorOn(button);
  Controller()->MouseDown(mbLeft, {}, button.X, button.Y);
  EXPECT_EQ(Row()->ScrollOffset(), dxRibbonTabScrollFirstStep);
  EXPECT_EQ(Controller()->ScrollingPart(), rhtTabScrollRight);
  EXPECT_TRUE(Controller()->ScrollTimer()->Enabled());
  EXPECT_EQ(Controller()->ScrollTimer()->Interval(), dxRibbonScrollFirstDelay);

  // The right button keeps its place at the row's end while the offset grows.
  Controller()->ScrollTimerHandler(nullptr);
  EXPECT_EQ(Controller()->ScrollTimer()->Interval(), dxRibbonScrollRepeatInterval);
  EXPECT_EQ(Row()->ScrollOffset(), dxRibbonTabScrollFirstStep + dxRibbonTabScrollRepeatStep);
  Controller()->ScrollTimerHandler(nullptr);
  EXPECT_EQ(Row()->ScrollOffset(), dxRibbonTabScrollFirstStep + 2 * dxRibbonTabScrollRepeatStep);

  // Away from the button the steps pause, the timer keeps running.
  PutCursorOn(TPoint(button.X, ribbon_->Height() + 50));
  Controller()->ScrollTimerHandler(nullptr);
  EXPECT_EQ(Row()->ScrollOffset(), dxRibbonTabScrollFirstStep + 2 * dxRibbonTabScrollRepeatStep);
  EXPECT_TRUE(Controller()->ScrollTimer()->Enabled());

  Controller()->MouseUp(mbLeft, {}, button.X, button.Y);
  EXPECT_EQ(Controller()->ScrollingPart(), rhtNone);
  EXPECT_FALSE(Controller()->ScrollTimer()->Enabled());
}

TEST_F(RibbonController, HotTrackingFollowsTheMouseAndLeavingClearsIt) {
  AddTabs(3);
  const TPoint first = TabCentre(0);
  Controller()->MouseMove({}, first.X, first.Y);
  EXPECT_EQ(ribbon_->HotTab(), Tab(0));
  EXPECT_EQ(Controller()->HotPart(), rhtTab);
  EXPECT_EQ(Row()->Items(0)->GetState(), rtsActiveHot);
  const TPoint third = TabCentre(2);
  Controller()->MouseMove({}, third.X, third.Y);
  EXPECT_EQ(ribbon_->HotTab(), Tab(2));
  EXPECT_EQ(Row()->Items(2)->GetState(), rtsHot);
  EXPECT_EQ(Row()->Items(0)->GetState(), rtsActive);
  Controller()->MouseLeave();
  EXPECT_EQ(ribbon_->HotTab(), nullptr);
  EXPECT_EQ(Controller()->HotPart(), rhtNone);
}

TEST_F(RibbonController, TheHelpButtonActsOnlyWhenReleasedOverItself) {
  int clicks = 0;
  struct TCounter {
    int* Count;
    void Click(TdxCustomRibbon*) { ++*Count; }
  } counter{&clicks};
  ribbon_->OnHelpButtonClick = MakeEvent(&counter, &TCounter::Click);
  AddTabs(2);
  ASSERT_TRUE(ribbon_->ViewInfo()->IsHelpButtonVisible());
  const TPoint help = Centre(ribbon_->ViewInfo()->HelpButtonBounds());
  const TPoint tab = TabCentre(0);
  Controller()->MouseDown(mbLeft, {}, help.X, help.Y);
  EXPECT_EQ(Controller()->PressedPart(), rhtHelpButton);
  Controller()->MouseMove({}, help.X, help.Y);
  EXPECT_EQ(ribbon_->ViewInfo()->GetButtonState(rhtHelpButton), 2) << "hot and pressed";
  Controller()->MouseUp(mbLeft, {}, tab.X, tab.Y);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(Controller()->PressedPart(), rhtNone);
  Controller()->MouseDown(mbLeft, {}, help.X, help.Y);
  Controller()->MouseUp(mbLeft, {}, help.X, help.Y);
  EXPECT_EQ(clicks, 1);
}

TEST_F(RibbonController, TheWheelStepsThroughTheTabsInRowOrder) {
  AddTabs(3);
  struct TCase {
    int active;
    int delta;
    bool showGroups;
    int expected;
    bool handled;
  } cases[] = {
      {0, -120, true, 1, true}, {1, -120, true, 2, true},  {2, -120, true, 2, false},
      {2, 120, true, 1, true},  {0, 120, true, 0, false},  {0, -120, false, 0, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE("active " + std::to_string(c.active) + " delta " + std::to_string(c.delta));
    ribbon_->SetShowTabGroups(true);
    ribbon_->SetActiveTab(Tab(c.active));
    ribbon_->SetShowTabGroups(c.showGroups);
    EXPECT_EQ(ribbon_->HandleMouseWheel({}, c.delta, TPoint(-1, -1)), c.handled);
    EXPECT_EQ(ribbon_->ActiveTab(), Tab(c.expected));
  }
}

MOUSEHOOKSTRUCTEX HookDataAt(const TPoint& screen, int delta) {
  MOUSEHOOKSTRUCTEX data{};
  data.pt = {screen.X, screen.Y};
  data.mouseData = static_cast<DWORD>(static_cast<WORD>(static_cast<short>(delta))) << 16;
  return data;
}

TEST_F(RibbonController, TheWheelHookTurnsTheWheelOverARibbonIntoTabChanges) {
  AddTabs(3);
  ASSERT_TRUE(IsRibbonMouseHookInstalled());
  ASSERT_EQ(GetBarWheelRouting(), bwrNoActiveBar);
  MOUSEHOOKSTRUCTEX overRibbon = HookDataAt(ribbon_->ClientToScreen(TabCentre(1)), -240);
  EXPECT_EQ(RibbonMouseWheelHook(HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&overRibbon)), 1);
  EXPECT_EQ(ribbon_->Deltas, std::vector<int>{-240}) << "the delta reaches the ribbon whole";
  EXPECT_EQ(ribbon_->ActiveTab(), Tab(1));

  // Below the ribbon, over the form, the wheel goes on.
  ribbon_->Deltas.clear();
  MOUSEHOOKSTRUCTEX overForm = HookDataAt(form_->ClientToScreen(TPoint(300, ribbon_->Height() + 100)), -120);
  RibbonMouseWheelHook(HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&overForm));
  EXPECT_TRUE(ribbon_->Deltas.empty());
  EXPECT_EQ(ribbon_->ActiveTab(), Tab(1));

  // Other messages are not looked at.
  RibbonMouseWheelHook(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&overRibbon));
  EXPECT_TRUE(ribbon_->Deltas.empty());
}

TEST_F(RibbonController, FindRibbonSkipsAHiddenRibbonAndSearchesTheForm) {
  AddTabs(1);
  EXPECT_EQ(FindRibbon(ribbon_->Handle(), false), ribbon_);
  EXPECT_EQ(FindRibbon(ribbon_->GroupsDockControlSite()->Handle(), false), ribbon_);
  EXPECT_EQ(FindRibbon(form_->Handle(), true), ribbon_);
  EXPECT_EQ(FindRibbon(form_->Handle(), false), nullptr);
  form_->SetBounds(0, 0, 250, 200);
  ribbon_->Changed();
  ASSERT_TRUE(ribbon_->IsHidden());
  EXPECT_EQ(FindRibbon(ribbon_->Handle(), false), nullptr) << "a ribbon hidden for lack of room";
}

// An application menu that records how the ribbon opens it.
class TTestApplicationMenu : public TComponent, public IdxRibbonApplicationMenu {
 public:
  explicit TTestApplicationMenu(TComponent* owner) : TComponent(owner) {}
  bool PopupFromRibbon(TdxCustomRibbon* ribbon, const TPoint& at, const TRect& exclude) override {
    ++Popups;
    OpenWhileShown = ribbon->IsApplicationMenuOpen();
    StateWhileShown = ribbon->ApplicationButtonState();
    SecondShow = ribbon->ShowApplicationMenu();
    At = at;
    Exclude = exclude;
    return true;
  }
  void CloseMenu() override { ++Closes; }
  int Popups = 0, Closes = 0, StateWhileShown = -1;
  bool OpenWhileShown = false, SecondShow = true;
  TPoint At;
  TRect Exclude;
};

TEST_F(RibbonController, TheApplicationMenuOpensOnceBelowTheButtonAndTheEventCanTakeTheClick) {
  auto* menu = new TTestApplicationMenu(form_.get());
  ribbon_->ApplicationButton()->SetMenu(menu);
  EXPECT_TRUE(ribbon_->ShowApplicationMenu());
  EXPECT_EQ(menu->Popups, 1);
  EXPECT_TRUE(menu->OpenWhileShown);
  EXPECT_EQ(menu->StateWhileShown, 2) << "pressed while the menu is open";
  EXPECT_FALSE(menu->SecondShow) << "a click while the menu is open opens no second menu";
  EXPECT_EQ(menu->At, TPoint(menu->Exclude.Left, menu->Exclude.Bottom));
  EXPECT_FALSE(ribbon_->IsApplicationMenuOpen());
  EXPECT_EQ(ribbon_->ApplicationButtonState(), 0);

  struct THandler {
    void Click(TdxCustomRibbon*, bool& handled) { handled = true; }
  } handler;
  ribbon_->OnApplicationMenuClick = MakeEvent(&handler, &THandler::Click);
  EXPECT_FALSE(ribbon_->ShowApplicationMenu());
  EXPECT_EQ(menu->Popups, 1);

  delete menu;
  EXPECT_EQ(ribbon_->ApplicationButton()->Menu(), nullptr) << "the ribbon hears of the menu's end";
}

TEST_F(RibbonController, AGlyphWithoutAlphaGetsItsTransparentColourCleared) {
  TBitmap glyph(4, 4);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(TRect(0, 0, 4, 4));
  glyph.Canvas()->SetPixel(1, 1, clNavy);
  glyph.SetTransparentColor(clFuchsia);
  ribbon_->ApplicationButton()->SetGlyph(&glyph);
  TBitmap* stored = ribbon_->ApplicationButton()->Glyph();
  ASSERT_EQ(stored->PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(static_cast<uint32_t*>(stored->ScanLine(0))[0] >> 24, 0u);
  EXPECT_EQ(static_cast<uint32_t*>(stored->ScanLine(1))[1], 0xFF000080u);
}

}  // namespace
