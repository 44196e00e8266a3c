#include "calderan_test.h"

#include <memory>
#include <string>

#include "dxBarButtons.h"
#include "dxBarManager.h"
#include "dxBarToolbar.h"
#include "dxRibbonGroupBarControl.h"
#include "dxRibbonGroupsDock.h"
#include "group_layout_fakes.h"
#include "ribbon_fixture.h"

namespace {

// The frame around a group's content, and a collapsed group's content width.
constexpr int kFrameWidth = 6, kCollapsedWidth = 20;

class TFakeDockedGroup : public IdxRibbonDockedGroup {
 public:
  TFakeGroup Content;
  bool Collapsed = false, Collapsible = true, FailLayout = false;
  int EndLayouts = 0;
  std::unique_ptr<TdxRibbonGroupLayoutCalculator> Calculator;

  void BeginLayout() override {
    Collapsed = false;
    Calculator = std::make_unique<TdxRibbonGroupLayoutCalculator>(kRowHeight, 3);
    Calculator->PrepareItems(&Content);
  }
  void CalculateLayout() override {
    if (FailLayout) throw Exception("layout failed");
    if (Collapsed)
      Content.ContentSize = TSize(kCollapsedWidth, 66);
    else
      Calculator->ArrangeItems(&Content);
  }
  void EndLayout() override {
    Calculator.reset();
    ++EndLayouts;
  }
  IdxRibbonGroupLayoutCalculator* LayoutCalculator() override { return Calculator.get(); }
  IdxRibbonGroupViewInfo* LayoutHost() override { return &Content; }
  bool GetCollapsed() override { return Collapsed; }
  void SetCollapsed(bool value) override { Collapsed = value; }
  bool CanCollapse() override { return Collapsible; }
  TSize GetSize() override { return TSize(Content.ContentSize.cx + kFrameWidth, Content.ContentSize.cy + 20); }
};

// The dock's layout over a list of fake groups, recording the collapse notifications.
class TTestDockViewInfo : public TdxRibbonGroupsDockControlViewInfo {
 public:
  TTestDockViewInfo() : TdxRibbonGroupsDockControlViewInfo(nullptr) {}
  std::deque<TFakeDockedGroup> Groups;
  std::string Notifications;
  int Repositions = 0;

  // `large` large buttons (40 wide, 60 as small buttons, 22 as icons).
  TFakeDockedGroup& AddGroup(int large) {
    TFakeDockedGroup& group = Groups.emplace_back();
    for (int i = 0; i < large; ++i) group.Content.Add(LargeButton(40, 60));
    return group;
  }
  int GroupCount() override { return static_cast<int>(Groups.size()); }
  IdxRibbonDockedGroup* Group(int index) override { return &Groups[index]; }

 protected:
  void GroupCollapsedChanged(int index, bool collapsed) override {
    Notifications += (collapsed ? "collapsed " : "expanded ") + std::to_string(index) + ";";
  }
  void ScrollPositionChanged() override { ++Repositions; }
};

TRect Area(int width) { return TRect(0, 0, width, 90); }

// Three large buttons: 3 x 40 + 4 + 6 = 130 wide; as one column of small buttons 60 + 4 + 6 = 70,
// as icons 30 (the least content width) + 6 = 36; collapsed 26.
TEST(GroupsDock, GroupsThatFitKeepTheirFullLayoutAndNothingIsAnnounced) {
  TTestDockViewInfo dock;
  dock.AddGroup(3);
  dock.AddGroup(3);
  dock.Calculate(Area(262));
  EXPECT_EQ(dock.TotalWidth(), 130 + 2 + 130);
  EXPECT_TRUE(dock.ScrollButtons().Empty());
  EXPECT_EQ(dock.Notifications, "");
  for (TFakeDockedGroup& group : dock.Groups) {
    EXPECT_EQ(group.EndLayouts, 1);
    EXPECT_EQ(group.Calculator, nullptr);
  }
}

TEST(GroupsDock, ReductionShrinksTheLastGroupFirstAndStopsOnceTheGroupsFit) {
  struct TCase {
    int Width;
    int Widths[2];
    const char* Notifications;
  };
  const TCase cases[] = {
      {261, {130, 70}, ""},                              // small buttons in the last group
      {202, {130, 70}, ""},                              //
      {201, {70, 70}, ""},                               // then in the first
      {108, {70, 36}, ""},                               // icons in the last
      {107, {36, 36}, ""},                               // and in the first
      {73, {36, 26}, "collapsed 1;"},                    // the last group collapses
      {63, {26, 26}, "collapsed 0;collapsed 1;"},        // both
      {50, {26, 26}, "collapsed 0;collapsed 1;"},        // both, and still too wide
  };
  for (const TCase& c : cases) {
    TTestDockViewInfo dock;
    dock.AddGroup(3);
    dock.AddGroup(3);
    dock.Calculate(Area(c.Width));
    for (int i = 0; i < 2; ++i) EXPECT_EQ(dock.Groups[i].GetSize().cx, c.Widths[i]) << c.Width << " #" << i;
    EXPECT_EQ(dock.Notifications, c.Notifications) << c.Width;
  }
}

TEST(GroupsDock, AGroupThatMayNotCollapseStaysAndTheGroupsStartAtTheLeftWithARightButton) {
  TTestDockViewInfo dock;
  dock.AddGroup(3).Collapsible = false;
  dock.AddGroup(3);
  dock.Calculate(Area(50));
  EXPECT_FALSE(dock.Groups[0].Collapsed);
  EXPECT_TRUE(dock.Groups[1].Collapsed);
  EXPECT_EQ(dock.Notifications, "collapsed 1;");
  EXPECT_EQ(dock.ScrollButtons(), TdxRibbonGroupsScrollButtons{rgsbRight});
  EXPECT_EQ(dock.ScrollPosition(), 0);
}

TEST(GroupsDock, ScrollingStepsTenPixelsAndWideningResetsEverything) {
  TTestDockViewInfo dock;
  // Groups that can neither shrink nor collapse: one button that allows only its large level.
  for (int i = 0; i < 2; ++i) {
    TFakeDockedGroup& group = dock.AddGroup(1);
    group.Collapsible = false;
    group.Content[0].Allowed = {ivlLargeIconWithText};
  }
  int total = 2 * (40 + 4 + kFrameWidth) + 2, width = total - 15;
  dock.Calculate(Area(width));
  ASSERT_EQ(dock.TotalWidth(), width + 15);
  EXPECT_EQ(dock.ScrollButtons(), TdxRibbonGroupsScrollButtons{rgsbRight});
  EXPECT_EQ(dock.ScrollPosition(), 0);

  struct TStep {
    bool TowardRight;
    int Position;
    TdxRibbonGroupsScrollButtons Buttons;
  };
  const TStep steps[] = {
      {true, -10, {rgsbLeft, rgsbRight}},
      {true, -15, {rgsbLeft}},
      {true, -15, {rgsbLeft}},
      {false, -5, {rgsbLeft, rgsbRight}},
      {false, 0, {rgsbRight}},
  };
  for (const TStep& step : steps) {
    dock.ScrollGroups(step.TowardRight, width);
    EXPECT_EQ(dock.ScrollPosition(), step.Position) << "after scrolling to " << step.Position;
    EXPECT_EQ(dock.ScrollButtons(), step.Buttons) << "after scrolling to " << step.Position;
  }
  EXPECT_EQ(dock.Repositions, 5);

  // Scrolled to the right end, a recalculation keeps the groups aligned there.
  dock.ScrollGroups(true, width);
  dock.ScrollGroups(true, width);
  dock.Calculate(Area(width - 5));
  EXPECT_EQ(dock.ScrollPosition(), -20);
  EXPECT_EQ(dock.ScrollButtons(), TdxRibbonGroupsScrollButtons{rgsbLeft});

  dock.Calculate(Area(total));
  EXPECT_TRUE(dock.ScrollButtons().Empty());
  EXPECT_EQ(dock.ScrollPosition(), 0);
}

// Groups that fit have nowhere to scroll: the position stays 0 and no button shows.
TEST(GroupsDock, ScrollingGroupsThatFitKeepsThemAtTheLeftEdge) {
  TTestDockViewInfo dock;
  dock.AddGroup(3);
  dock.Calculate(Area(500));
  for (bool towardRight : {true, false, true}) {
    dock.ScrollGroups(towardRight, 500);
    EXPECT_EQ(dock.ScrollPosition(), 0);
    EXPECT_TRUE(dock.ScrollButtons().Empty());
  }
}

TEST(GroupsDock, WideningExpandsTheCollapsedGroupsWithOneNotificationEach) {
  TTestDockViewInfo dock;
  dock.AddGroup(3);
  dock.AddGroup(3);
  dock.Calculate(Area(50));
  ASSERT_EQ(dock.Notifications, "collapsed 0;collapsed 1;");
  EXPECT_EQ(dock.ScrollButtons(), TdxRibbonGroupsScrollButtons{rgsbRight});
  dock.Notifications.clear();
  dock.Calculate(Area(50));
  EXPECT_EQ(dock.Notifications, "");  // collapsed again: no change to announce
  dock.Calculate(Area(1000));
  EXPECT_EQ(dock.Notifications, "expanded 0;expanded 1;");
  EXPECT_TRUE(dock.ScrollButtons().Empty());
  EXPECT_EQ(dock.ScrollPosition(), 0);
}

TEST(GroupsDock, EveryGroupEndsItsLayoutWhenALayoutFails) {
  TTestDockViewInfo dock;
  dock.AddGroup(3);
  dock.AddGroup(3).FailLayout = true;
  dock.AddGroup(3);
  EXPECT_THROW(dock.Calculate(Area(500)), Exception);
  for (TFakeDockedGroup& group : dock.Groups) {
    EXPECT_EQ(group.EndLayouts, 1);
    EXPECT_EQ(group.Calculator, nullptr);
  }
}

// Placing a group window resizes it, and a resized group window asks its dock for a layout; no
// layout may start while the dock places its windows (one started inside the loop rebuilt the
// list of windows being walked, which crashed on a display).
TEST(GroupsDockWindows, PlacingTheGroupWindowsStartsNoLayoutOnTheWay) {
  UsePrivateDesktop();
  StartRibbonUnits();
  TForm form(nullptr, 0);
  form.SetBounds(0, 0, 700, 400);
  auto* manager = new TdxBarManager(&form);
  auto* ribbon = new TdxRibbon(&form);
  ribbon->SetParent(&form);
  ribbon->SetBarManager(manager);
  auto* toolbar = new TdxBar(&form);
  toolbar->SetName("File");
  toolbar->SetBarManager(manager);
  for (const char* caption : {"Open", "Save", "Print", "Close"}) {
    auto* button = new TdxBarButton(&form);
    button->SetCaption(caption);
    toolbar->ItemLinks()->AddItem(button);
  }
  TdxRibbonTab* tab = ribbon->Tabs()->Add();
  tab->Groups()->Add()->SetToolBar(toolbar);
  form.Show();
  ribbon->FullRefresh();
  auto* dock = ObjectAs<TdxRibbonGroupsDockControl>(tab->DockControl());
  ASSERT_EQ(dock->GroupBarControlCount(), 1);

  struct TResizes {
    TdxRibbonGroupsDockControl* Dock;
    int Count = 0, WhileLaidOut = 0;
    void Resized(TObject*) {
      ++Count;
      WhileLaidOut += Dock->IsCalculating();
    }
  } resizes{dock};
  dock->GroupBarControl(0)->OnResize = MakeEvent(&resizes, &TResizes::Resized);
  ribbon->SetAlign(alNone);
  for (int width : {60, 700, 60}) ribbon->SetWidth(width);  // collapsed, expanded, collapsed
  EXPECT_GE(resizes.Count, 3);
  EXPECT_EQ(resizes.WhileLaidOut, resizes.Count);
  EXPECT_EQ(dock->GroupBarControlCount(), 1);
}

}  // namespace
