#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "dxBarButtons.h"
#include "dxBarExtItems.h"
#include "dxFading.h"
#include "dxBarManager.h"
#include "dxBarToolbar.h"
#include "dxRibbonGroupBarControl.h"
#include "ribbon_fixture.h"
#include "toolkit/bars/barwindow_fixture.h"

namespace {

// What the manager, the items and the ribbon report.
struct TRibbonLog {
  std::vector<std::string> Calls;
  void ManagerClick(TdxBarManager*, TdxBarItem* item) { Calls.push_back("manager:" + item->Caption()); }
  void ItemClick(TObject* sender) { Calls.push_back("item:" + static_cast<TdxBarItem*>(sender)->Caption()); }
  void Collapsed(TdxCustomRibbon*, TdxRibbonTab* tab, TdxRibbonTabGroup* group) {
    Calls.push_back("collapsed:" + tab->Caption() + "/" + group->ToolBar()->Caption());
  }
  void Expanded(TdxCustomRibbon*, TdxRibbonTab* tab, TdxRibbonTabGroup* group) {
    Calls.push_back("expanded:" + tab->Caption() + "/" + group->ToolBar()->Caption());
  }
};

// A shown form with a ribbon (no tab headers) of one tab whose groups a test adds, each a toolbar
// of buttons.
class RibbonGroups : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartRibbonUnits();
  }
  void SetUp() override {
    ASSERT_TRUE(IsGdiPlusAvailable());
    form_ = std::make_unique<TForm>(nullptr, 0);
    form_->SetBounds(0, 0, 600, 400);
    manager_ = new TdxBarManager(form_.get());
    manager_->OnClickItem = MakeEvent(&log_, &TRibbonLog::ManagerClick);
    ribbon_ = new TdxRibbon(form_.get());
    ribbon_->SetParent(form_.get());
    ribbon_->SetBarManager(manager_);
    ribbon_->SetShowTabHeaders(false);
    ribbon_->OnTabGroupCollapsed = MakeEvent(&log_, &TRibbonLog::Collapsed);
    ribbon_->OnTabGroupExpanded = MakeEvent(&log_, &TRibbonLog::Expanded);
    tab_ = AddTab("Home");
    form_->Show();
  }
  void TearDown() override { form_.reset(); }

  TdxRibbonTab* AddTab(const std::string& caption) {
    TdxRibbonTab* tab = ribbon_->Tabs()->Add();
    tab->SetCaption(caption);
    return tab;
  }
  TdxBar* NewToolbar(const std::string& caption, const std::vector<std::string>& buttons) {
    auto* bar = new TdxBar(form_.get());
    bar->SetBarManager(manager_);
    bar->SetCaption(caption);
    for (const std::string& text : buttons) {
      auto* button = new TdxBarButton(form_.get());
      button->SetCaption(text);
      button->OnClick = MakeEvent(&log_, &TRibbonLog::ItemClick);
      bar->ItemLinks()->AddItem(button);
    }
    return bar;
  }
  TdxRibbonTabGroup* AddGroup(TdxRibbonTab* tab, TdxBar* toolbar) {
    TdxRibbonTabGroup* group = tab->Groups()->Add();
    group->SetToolBar(toolbar);
    return group;
  }
  TdxRibbonTabGroup* AddGroup(const std::string& caption, const std::vector<std::string>& buttons) {
    return AddGroup(tab_, NewToolbar(caption, buttons));
  }
  // The main window's three groups.
  void AddMainGroups() {
    AddGroup("File", {"Add", "Delete", "Clear"});
    AddGroup("Edit", {"Effects", "Trim", "Crop"});
    AddGroup("Help", {"Help", "About"});
  }
  static TdxRibbonGroupsDockControl* DockOf(TdxRibbonTab* tab) {
    return static_cast<TdxRibbonGroupsDockControl*>(tab->DockControl());
  }
  TdxRibbonGroupsDockControl* Dock() const { return DockOf(tab_); }
  TdxRibbonGroupBarControl* Window(int index) const { return Dock()->GroupBarControl(index); }
  TdxBarItemLink* Link(int group, int index) const { return Window(group)->Toolbar()->ItemLinks()->GetLink(index); }
  // Makes the groups area `width` wide (the ribbon spans the form's client width).
  void SetGroupsAreaWidth(int width) {
    const TRect margins = ribbon_->ViewInfo()->GetGroupsAreaMargins();
    form_->SetClientWidth(width + margins.Left + margins.Right);
    ribbon_->Changed();
    ASSERT_EQ(tab_->GetDockControlBounds().Width(), width);
  }

  std::unique_ptr<TForm> form_;
  TdxBarManager* manager_ = nullptr;
  TdxRibbon* ribbon_ = nullptr;
  TdxRibbonTab* tab_ = nullptr;
  TRibbonLog log_;
};

TEST_F(RibbonGroups, EveryGroupHasAWindowAndTheWindowsStandSideBySide) {
  AddMainGroups();  // the last toolbar is docked after the last layout ran
  ASSERT_EQ(Dock()->GroupBarControlCount(), 3);
  int x = 0;
  for (int i = 0; i < 3; ++i) {
    TdxRibbonGroupBarControl* window = Window(i);
    SCOPED_TRACE(window->Caption());
    EXPECT_EQ(window->Group(), tab_->Groups()->Items(i));
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(window->Left(), x);
    EXPECT_EQ(window->Width(), window->GroupViewInfo()->GetSize().cx);
    EXPECT_EQ(window->Height(), ribbon_->GetGroupHeight());
    x = window->Left() + window->Width() + 2;
  }
  // Up to three buttons share a column, one a row, inside the content rectangle.
  const int row = ribbon_->GetGroupRowHeight();
  const TRect content = Window(0)->ContentRect();
  for (int i = 0; i < 3; ++i) {
    const TRect& rect = Link(0, i)->ItemRect();
    EXPECT_EQ(rect.Top, content.Top + i * row) << i;
    EXPECT_EQ(rect.Height(), row) << i;
    EXPECT_EQ(rect.Left, content.Left + 2) << i;  // the content's left margin
  }
  // Two buttons leave the third row empty: equal gaps between and below, the rest above.
  const int gap = (3 * row - 2 * row) / 3, bottom = Window(2)->ContentRect().Top + 3 * row;
  EXPECT_EQ(Link(2, 1)->ItemRect().Bottom, bottom - gap);
  EXPECT_EQ(Link(2, 0)->ItemRect().Bottom, bottom - 2 * gap - row);
}

TEST_F(RibbonGroups, AGroupWithoutButtonsKeepsItsCaptionsWidth) {
  AddGroup("A", {});
  AddGroup("A rather long caption", {});
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  canvas->SetFont(ribbon_->Fonts()->GetGroupHeaderFont());
  const int longCaption = canvas->TextWidth("A rather long caption");
  ASSERT_GT(longCaption, 30);
  EXPECT_EQ(Window(0)->GroupViewInfo()->ContentSize().cx, 30);
  EXPECT_EQ(Window(1)->GroupViewInfo()->ContentSize().cx, longCaption);
  EXPECT_EQ(Window(1)->GroupViewInfo()->ContentSize().cy, 3 * ribbon_->GetGroupRowHeight());
}

// A button is painted on the group's body: no box of another colour around its caption.
TEST_F(RibbonGroups, ButtonsSitOnTheGroupBody) {
  AddGroup("File", {"Add", "Delete", "Clear"});
  TdxRibbonGroupBarControl* window = Window(0);
  TSurface surface(window->Width(), window->Height(), RGB(255, 0, 255));
  window->PaintTo(surface.DC(), 0, 0);
  const TRect add = Link(0, 0)->ItemRect();  // "Add" is narrower than its column
  const TRect column = Link(0, 1)->ItemRect();
  ASSERT_LT(add.Right + 2, column.Right);
  const int y = add.Top + 1;
  EXPECT_TRUE(Near(surface.Pixel(add.Left + 1, y), surface.Pixel(add.Right + 1, y), 2))
      << std::hex << surface.Pixel(add.Left + 1, y) << " beside " << surface.Pixel(add.Right + 1, y);
  EXPECT_NE(surface.Pixel(add.Left + 1, y), RGB(255, 0, 255));
}

TEST_F(RibbonGroups, AButtonClickedWithTheMouseReachesTheManagerAndTheItem) {
  AddMainGroups();
  for (int group : {1, 2}) {
    const TPoint centre = CentreOf(Link(group, 1));
    ClickAt(Window(group), centre, centre);
  }
  EXPECT_EQ(log_.Calls, (std::vector<std::string>{"manager:Trim", "item:Trim", "manager:About", "item:About"}));
  // Released on the neighbouring button: nothing.
  log_.Calls.clear();
  ClickAt(Window(0), CentreOf(Link(0, 0)), CentreOf(Link(0, 1)));
  EXPECT_TRUE(log_.Calls.empty());
}

// A toolbar shown by groups of two tabs lives in the active tab's dock: its window moves along and
// its buttons still answer.
TEST_F(RibbonGroups, AToolbarOfTwoTabsMovesWithTheActiveTab) {
  TdxBar* shared = NewToolbar("Edit", {"Effects", "Trim", "Crop"});
  AddGroup(tab_, shared);
  TdxRibbonTab* more = AddTab("More");
  AddGroup(more, shared);
  ASSERT_EQ(shared->DockControl(), Dock());
  more->SetActive(true);
  EXPECT_EQ(shared->DockControl(), DockOf(more));
  EXPECT_EQ(Dock()->GroupBarControlCount(), 0);
  ASSERT_EQ(DockOf(more)->GroupBarControlCount(), 1);
  TdxRibbonGroupBarControl* window = DockOf(more)->GroupBarControl(0);
  EXPECT_EQ(window->Group(), more->Groups()->Items(0));
  TdxBarItemLink* trim = shared->ItemLinks()->GetLink(1);
  ASSERT_NE(trim->Control(), nullptr);
  EXPECT_EQ(trim->Control()->Parent(), window);
  ClickAt(window, CentreOf(trim), CentreOf(trim));
  EXPECT_EQ(log_.Calls, (std::vector<std::string>{"manager:Trim", "item:Trim"}));
}

// Too narrow: the groups collapse from the last one; a group that may not collapse never does, and
// the rest scrolls. Widening announces every group that opens again.
TEST_F(RibbonGroups, NarrowGroupsCollapseFromTheLastAndOpenAgainWhenWidened) {
  // A "File" group wider than the narrowest ribbon (a form of 300 pixels) by itself.
  std::vector<std::string> files;
  for (int i = 0; i < 24; ++i) files.push_back("File " + std::to_string(i + 1));
  AddGroup("File", files);
  AddGroup("Edit", {"Effects", "Trim", "Crop"});
  AddGroup("Help", {"Help", "About"});
  tab_->Groups()->Items(0)->SetCanCollapse(false);
  SetGroupsAreaWidth(Dock()->ViewInfo()->TotalWidth() - 1);
  EXPECT_EQ(log_.Calls, (std::vector<std::string>{"collapsed:Home/Help"}));
  EXPECT_TRUE(Window(2)->Collapsed());
  EXPECT_FALSE(Window(1)->Collapsed());

  log_.Calls.clear();
  ASSERT_GT(Window(0)->Width(), 300);
  SetGroupsAreaWidth(300 - 8);
  EXPECT_EQ(log_.Calls, (std::vector<std::string>{"collapsed:Home/Edit"}));
  EXPECT_FALSE(Window(0)->Collapsed());
  EXPECT_EQ(Dock()->ViewInfo()->ScrollButtons(), TdxRibbonGroupsScrollButtons{rgsbRight});
  EXPECT_EQ(Dock()->ViewInfo()->ScrollPosition(), 0);

  // A collapsed group is one button: no item shows, and every point of it is client area.
  TdxRibbonGroupBarControl* collapsed = Window(2);
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(Link(2, i)->ItemRect().IsEmpty()) << i;
  const TPoint corner = collapsed->ClientToScreen(TPoint(1, collapsed->Height() - 2));
  EXPECT_EQ(SendMessageA(collapsed->Handle(), WM_NCHITTEST, 0, MAKELPARAM(corner.X, corner.Y)), HTCLIENT);
  EXPECT_TRUE(collapsed->IsPointInCaptionArea(corner));

  log_.Calls.clear();
  SetGroupsAreaWidth(1000);
  EXPECT_EQ(log_.Calls, (std::vector<std::string>{"expanded:Home/Edit", "expanded:Home/Help"}));
  EXPECT_TRUE(Dock()->ViewInfo()->ScrollButtons().Empty());
  EXPECT_FALSE(Link(2, 0)->ItemRect().IsEmpty());
}

// With groups that can neither shrink nor collapse, 15 pixels too wide: a step toward the right
// end shows both scroll buttons at -10, the next one only the left button at -15. The dock leaves
// room for the buttons, which the site shows, while the groups keep their place in the site.
TEST_F(RibbonGroups, ScrollingStepsTenPixelsAndTheGroupsKeepTheirPlace) {
  // Buttons without glyphs have no smaller level; the groups are together wider than the
  // narrowest ribbon.
  for (const char* caption : {"File", "Edit", "Help"}) {
    std::vector<std::string> buttons;
    for (int i = 0; i < 12; ++i) buttons.push_back(std::string(caption) + " " + std::to_string(i + 1));
    AddGroup(caption, buttons);
  }
  for (int i = 0; i < 3; ++i) tab_->Groups()->Items(i)->SetCanCollapse(false);
  const int total = Dock()->ViewInfo()->TotalWidth(), width = total - 15;
  ASSERT_GT(width, 300);
  SetGroupsAreaWidth(width);
  ASSERT_EQ(Dock()->ViewInfo()->TotalWidth(), total);
  EXPECT_TRUE(log_.Calls.empty());
  const int margin = ribbon_->ViewInfo()->GetGroupsAreaMargins().Left;
  const int button = ribbon_->ViewInfo()->GetScrollButtonWidth();
  struct TStep {
    int Position;
    TdxRibbonGroupsScrollButtons Buttons;
  };
  const TStep steps[] = {
      {-10, {rgsbLeft, rgsbRight}},
      {-15, {rgsbLeft}},
  };
  for (const TStep& step : steps) {
    tab_->ScrollGroups(true);
    SCOPED_TRACE(step.Position);
    EXPECT_EQ(Dock()->ViewInfo()->ScrollPosition(), step.Position);
    EXPECT_EQ(Dock()->ViewInfo()->ScrollButtons(), step.Buttons);
    EXPECT_EQ(Dock()->Left(), button);
    const int right = step.Buttons.Contains(rgsbRight) ? button : margin;
    EXPECT_EQ(Dock()->Left() + Dock()->Width(), margin + width + margin - right);
    EXPECT_EQ(Dock()->Left() + Window(0)->Left(), margin + step.Position);  // in the site's coordinates
    // The site shows the buttons where the dock leaves room.
    const TRect site = ribbon_->GroupsDockControlSite()->BoundsRect();
    EXPECT_EQ(ribbon_->ViewInfo()->HitTest(site.Left + button - 1, site.Top + 5).Kind, rhtGroupScrollLeft);
    EXPECT_EQ(ribbon_->ViewInfo()->HitTest(site.Right - button, site.Top + 5).Kind,
              step.Buttons.Contains(rgsbRight) ? rhtGroupScrollRight : rhtNone);
  }
  SetGroupsAreaWidth(total);
  EXPECT_EQ(Dock()->ViewInfo()->ScrollPosition(), 0);
  EXPECT_TRUE(Dock()->ViewInfo()->ScrollButtons().Empty());
  EXPECT_EQ(Dock()->Left(), margin);
  EXPECT_EQ(Window(0)->Left(), 0);
  EXPECT_EQ(ribbon_->ViewInfo()->HitTest(ribbon_->GroupsDockControlSite()->Left(), 10).Kind, rhtNone);
  EXPECT_TRUE(log_.Calls.empty());
}

TEST_F(RibbonGroups, KeyTipBaselinesOfRowsZeroToTwoOnly) {
  AddGroup("File", {"Add", "Delete", "Clear"});
  TdxRibbonGroupBarControlViewInfo* info = Window(0)->GroupViewInfo();
  RECT window;
  GetWindowRect(Window(0)->Handle(), &window);
  const int top = info->GetKeyTipRowBaseline(0), bottom = info->GetKeyTipRowBaseline(2);
  EXPECT_EQ(top, window.top + Window(0)->ClientHeight() / 2);
  EXPECT_EQ(bottom, window.top + Window(0)->CaptionRect().Top);
  EXPECT_EQ(info->GetKeyTipRowBaseline(1), (top + bottom) / 2);
  EXPECT_THROW(info->GetKeyTipRowBaseline(3), Exception);
  EXPECT_THROW(info->GetKeyTipRowBaseline(-1), Exception);
}

}  // namespace

namespace {

COLORREF CentrePixel(TBitmap* image) { return image->Canvas()->Pixel(image->Width() / 2, image->Height() / 2); }

// What the window shows at a point.
COLORREF WindowPixel(TWinControl* window, const TPoint& point) {
  HDC dc = GetDC(window->Handle());
  const COLORREF pixel = GetPixel(dc, point.X, point.Y);
  ReleaseDC(window->Handle(), dc);
  return pixel;
}

void TickToEnd(TdxFader* fader, TObject* object) {
  for (int i = 0; i < 100 && fader->Find(object); ++i) fader->Find(object)->TimerHandler(nullptr);
}

}  // namespace

// Hot tracking over large buttons fades: the new hot button fades in from its normal look to its
// hot look, the old one fades out, each under its own timer, and a turn goes on from the frame on
// screen.
TEST_F(RibbonGroups, LargeButtonsFadeInAndOutUnderTimerTicks) {
  TdxBar* bar = NewToolbar("Convert", {});
  for (const char* caption : {"Convert", "Clips", "Settings"}) {
    auto* button = new TdxBarLargeButton(form_.get());
    button->SetCaption(caption);
    bar->ItemLinks()->AddItem(button);
  }
  AddGroup(tab_, bar);
  TdxRibbonGroupBarControl* window = Window(0);
  TdxFader* fader = ribbon_->Fader();
  TdxBarItemControl* first = Link(0, 0)->Control();
  TdxBarItemControl* second = Link(0, 1)->Control();

  window->SetSelectedItemControl(first);
  TdxRibbonItemFading* firstFading = window->ItemFadings()->Find(first);
  ASSERT_NE(firstFading, nullptr);
  TdxFadingElement* in = fader->Find(firstFading);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->Direction(), fdIn);
  EXPECT_EQ(firstFading->Bounds(), first->ViewInfo()->Bounds());
  const COLORREF normal = CentrePixel(in->NormalImage()), hot = CentrePixel(in->HotImage());
  EXPECT_NE(normal, hot) << "the two pictures hold the two looks";
  for (int i = 0; i < 6; ++i) in->TimerHandler(nullptr);
  const TPoint centre = CentreOf(Link(0, 0));
  const COLORREF midway = WindowPixel(window, centre);
  EXPECT_NE(midway, normal);
  EXPECT_NE(midway, hot);

  window->SetSelectedItemControl(second);
  EXPECT_EQ(fader->Find(firstFading)->Direction(), fdOut) << "the first button turns round";
  EXPECT_GT(fader->Find(firstFading)->GetAlpha(), 0);
  TdxRibbonItemFading* secondFading = window->ItemFadings()->Find(second);
  ASSERT_NE(secondFading, nullptr);
  EXPECT_EQ(fader->Find(secondFading)->Direction(), fdIn);
  TickToEnd(fader, firstFading);
  TickToEnd(fader, secondFading);
  EXPECT_EQ(fader->Count(), 0);
  EXPECT_TRUE(Near(WindowPixel(window, centre), normal, 2)) << "the first button ends normal";
  EXPECT_TRUE(Near(WindowPixel(window, CentreOf(Link(0, 1))), hot, 2)) << "the second ends hot";

  // A button of a plain toolbar button kind does not fade.
  AddGroup("File", {"Add"});
  Window(1)->SetSelectedItemControl(Link(1, 0)->Control());
  EXPECT_EQ(Window(1)->ItemFadings()->Find(Link(1, 0)->Control()), nullptr);
}
