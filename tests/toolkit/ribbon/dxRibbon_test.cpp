#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "dxBarManager.h"
#include "dxBarToolbar.h"
#include "ribbon_fixture.h"

namespace {

class TMainTestForm : public TForm {
 public:
  explicit TMainTestForm(TComponent* owner) : TForm(owner, 0) {}
};

// Records the ribbon's tab events.
struct TTabLog {
  std::vector<std::string> Calls;
  bool Allow = true;
  void Changing(TdxCustomRibbon*, TdxRibbonTab* tab, bool& allow) {
    Calls.push_back("changing:" + (tab ? tab->Caption() : std::string("none")));
    allow = Allow;
  }
  void Changed(TdxCustomRibbon* ribbon) {
    Calls.push_back("changed:" + (ribbon->ActiveTab() ? ribbon->ActiveTab()->Caption() : std::string("none")));
  }
};

class Ribbon : public ::testing::Test {
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
    ribbon_ = new TdxRibbon(form_.get());
    ribbon_->SetParent(form_.get());
    ribbon_->SetBarManager(manager_);
    form_->Show();
  }
  void TearDown() override { form_.reset(); }

  TdxRibbonTab* AddTab(const std::string& caption) {
    TdxRibbonTab* tab = ribbon_->Tabs()->Add();
    tab->SetCaption(caption);
    return tab;
  }
  TdxBar* NewBar(const std::string& name) {
    auto* bar = new TdxBar(form_.get());
    bar->SetName(name);
    bar->SetBarManager(manager_);
    return bar;
  }
  std::vector<std::string> TabCaptions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < ribbon_->Tabs()->Count(); ++i) captions.push_back(ribbon_->Tabs()->Items(i)->Caption());
    return captions;
  }

  std::unique_ptr<TForm> form_;
  TdxBarManager* manager_ = nullptr;
  TdxRibbon* ribbon_ = nullptr;
};

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

TEST_F(Ribbon, CreationGuardsTheOwner) {
  // A second ribbon on the form is refused and leaves the first one as it was.
  const int components = form_->ComponentCount();
  EXPECT_EQ(MessageOf([&] { new TdxRibbon(form_.get()); }), "There should be only one TdxRibbon instance on the form");
  EXPECT_EQ(form_->ComponentCount(), components);
  EXPECT_EQ(ribbon_->Owner(), form_.get());
  // An owner that is no form.
  TComponent plain(nullptr);
  EXPECT_EQ(MessageOf([&] { new TdxRibbon(&plain); }), "TdxRibbon should have TCustomForm as its Owner");
  EXPECT_EQ(plain.ComponentCount(), 0);
  // A nil owner means the main form.
  TMainTestForm* main = nullptr;
  Application->CreateForm(main);
  ASSERT_EQ(Application->MainForm(), main);
  auto* placed = new TdxRibbon(nullptr);
  EXPECT_EQ(placed->Owner(), main);
  EXPECT_EQ(MessageOf([&] { new TdxRibbon(nullptr); }), "There should be only one TdxRibbon instance on the form");
  delete main;
}

TEST_F(Ribbon, HidesOnFormsUnder300By250) {
  AddTab("Home");
  struct Case {
    int Width, Height;
    bool Hidden;
  };
  const Case cases[] = {{299, 400, true}, {300, 250, false}, {600, 249, true}, {600, 400, false}, {250, 200, true}};
  for (const Case& c : cases) {
    form_->SetBounds(0, 0, c.Width, c.Height);
    ribbon_->Changed();
    SCOPED_TRACE(std::to_string(c.Width) + " x " + std::to_string(c.Height));
    EXPECT_EQ(ribbon_->IsHidden(), c.Hidden);
    if (c.Hidden) EXPECT_EQ(ribbon_->Height(), 0);
    else EXPECT_EQ(ribbon_->Height(), ribbon_->ViewInfo()->GetGroupsAreaBounds().Bottom);
  }
  form_->SetBounds(0, 0, 600, 400);
  form_->SetWindowState(wsMinimized);
  ribbon_->Changed();
  EXPECT_TRUE(ribbon_->IsHidden());
  form_->SetWindowState(wsNormal);
  ribbon_->Changed();
  EXPECT_FALSE(ribbon_->IsHidden());
}

TEST_F(Ribbon, HeightFollowsTheViewInfo) {
  AddTab("Home");
  ribbon_->SetShowTabHeaders(false);
  TdxRibbonViewInfo* viewInfo = ribbon_->ViewInfo();
  EXPECT_EQ(viewInfo->GetTabRowHeight(), 0);
  const int groups = ribbon_->GetGroupHeight() + 3 + 4;
  EXPECT_EQ(ribbon_->Height(), groups);  // no tab row: the groups area starts at the top
  ribbon_->SetHeight(300);
  EXPECT_EQ(ribbon_->Height(), groups);
  ribbon_->SetShowTabHeaders(true);
  const int row = viewInfo->GetTabRowHeight();
  EXPECT_EQ(row, std::abs(ribbon_->Fonts()->TabHeader()->Height()) * 2 + 2);
  EXPECT_EQ(ribbon_->Height(), row - 1 + groups);
  EXPECT_FALSE(viewInfo->IsApplicationButtonVisible());
  EXPECT_TRUE(viewInfo->ApplicationButtonBounds().IsEmpty());
}

// The tab row of the form's ribbon is 14 pixels narrower than the ribbon (8 at the left, 6 at the right).
class RibbonTabFitting : public Ribbon {
 protected:
  int FitRowTo(int rowWidth) {
    form_->SetBounds(0, 0, rowWidth + 14 + form_->Width() - form_->ClientWidth(), 400);
    ribbon_->Changed();
    return ribbon_->ViewInfo()->TabsViewInfo()->Bounds().Width();
  }
  TdxRibbonTabsViewInfo* Row() const { return ribbon_->ViewInfo()->TabsViewInfo(); }
};

TEST_F(RibbonTabFitting, WidthsOfAHeader) {
  TdxRibbonTab* tab = AddTab("Conversion");
  AddTab("A");
  ribbon_->Changed();
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  canvas->SetFont(ribbon_->Fonts()->TabHeader());
  TdxRibbonTabViewInfo* wide = Row()->Items(0);
  EXPECT_EQ(wide->Tab(), tab);
  EXPECT_EQ(wide->OptimalWidth(), canvas->TextWidth("Conversion") + 27);
  EXPECT_EQ(wide->MinimalWidth(), std::max(canvas->TextWidth("Con") + 10, 27));
  EXPECT_EQ(Row()->Items(1)->MinimalWidth(), 27);
  EXPECT_EQ(Row()->Items(1)->OptimalWidth(), canvas->TextWidth("A") + 27);
}

TEST_F(RibbonTabFitting, DeficitsShrinkEvenlyThenWidestFirst) {
  for (const char* caption : {"Preferences", "Information", "Conversion settings", "Appearance"}) AddTab(caption);
  ribbon_->Changed();
  std::vector<int> optimal, text;
  int sum = 0;
  for (int i = 0; i < 4; ++i) {
    optimal.push_back(Row()->Items(i)->OptimalWidth());
    text.push_back(Row()->Items(i)->TextWidth());
    sum += optimal.back();
  }
  struct Case {
    int Deficit;
    int Alpha;
    std::vector<int> Loss;  // per tab, from its optimal width
  };
  const Case cases[] = {
      {0, 0, {0, 0, 0, 0}},
      {10, 38, {2, 2, 3, 3}},  // MulDiv(10, 255, 68) = 37.5 rounds to 38
      {68, 255, {17, 17, 17, 17}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("deficit " + std::to_string(c.Deficit));
    ASSERT_EQ(FitRowTo(sum - c.Deficit), sum - c.Deficit);
    EXPECT_EQ(Row()->SeparatorAlpha(), c.Alpha);
    int x = Row()->Bounds().Left;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(Row()->Items(i)->Bounds().Width(), optimal[i] - c.Loss[i]) << "tab " << i;
      EXPECT_EQ(Row()->Items(i)->Bounds().Left, x);
      x = Row()->Items(i)->Bounds().Right;
    }
  }
  // One pixel beyond the even share comes from the widest tab.
  FitRowTo(sum - 69);
  EXPECT_EQ(Row()->SeparatorAlpha(), 255);
  EXPECT_EQ(Row()->Items(2)->Bounds().Width(), text[2] + 10 - 1);
  EXPECT_EQ(Row()->Items(0)->Bounds().Width(), text[0] + 10);
  EXPECT_TRUE(Row()->IsCompressed());
  EXPECT_FALSE(Row()->HasLeftScrollButton() || Row()->HasRightScrollButton());
}

TEST_F(RibbonTabFitting, TooNarrowScrollsWithOneButtonAtEachEnd) {
  for (int i = 0; i < 12; ++i) AddTab("Conversion " + std::to_string(i));
  FitRowTo(300);
  ASSERT_GT(Row()->MaxScrollOffset(), 0);
  EXPECT_TRUE(Row()->IsCompressed());
  EXPECT_EQ(Row()->SeparatorAlpha(), 255);
  EXPECT_FALSE(Row()->HasLeftScrollButton());
  EXPECT_TRUE(Row()->HasRightScrollButton());
  const int b = ribbon_->ViewInfo()->GetScrollButtonWidth();
  EXPECT_EQ(Row()->RightScrollButtonBounds().Width(), b);
  EXPECT_EQ(Row()->RightScrollButtonBounds().Right, Row()->Bounds().Right);
  Row()->SetScrollOffset(100000);
  EXPECT_EQ(Row()->ScrollOffset(), Row()->MaxScrollOffset());
  EXPECT_TRUE(Row()->HasLeftScrollButton());
  EXPECT_FALSE(Row()->HasRightScrollButton());
  // The first tab lies left of the row now; making it visible scrolls back to the start.
  Row()->MakeTabVisible(ribbon_->Tabs()->Items(0));
  EXPECT_EQ(Row()->ScrollOffset(), 0);
  const TdxRibbonHitInfo hit = ribbon_->ViewInfo()->HitTest(Row()->Bounds().Right - 1, Row()->Bounds().Top + 1);
  EXPECT_EQ(hit.Kind, rhtTabScrollRight);
}

TEST_F(Ribbon, ColorSchemeNameIgnoresCaseAndUnknownNames) {
  EXPECT_EQ(ribbon_->ColorSchemeName(), "Blue");  // the first ribbon skin registered
  ribbon_->SetColorSchemeName("sILVER");
  EXPECT_EQ(ribbon_->ColorSchemeName(), "Silver");
  ribbon_->SetColorSchemeName("Pumpkin");
  EXPECT_EQ(ribbon_->ColorSchemeName(), "Silver");
  ribbon_->SetColorSchemeName("black");
  EXPECT_EQ(ribbon_->ColorSchemeName(), "Black");
  EXPECT_EQ(ribbon_->GetElementColor(rspTabHeaderText, 0), ribbon_->Skin()->GetElementColor(rspTabHeaderText, 0));
}

TEST_F(Ribbon, TabChangingVetoKeepsTheOldTab) {
  TdxRibbonTab* home = AddTab("Home");
  TdxRibbonTab* edit = AddTab("Edit");
  EXPECT_EQ(ribbon_->ActiveTab(), home);  // the first tab becomes active
  TTabLog log;
  ribbon_->OnTabChanging = MakeEvent(&log, &TTabLog::Changing);
  ribbon_->OnTabChanged = MakeEvent(&log, &TTabLog::Changed);
  log.Allow = false;
  edit->SetActive(true);
  EXPECT_EQ(ribbon_->ActiveTab(), home);
  EXPECT_EQ(log.Calls, (std::vector<std::string>{"changing:Edit"}));
  log.Allow = true;
  log.Calls.clear();
  edit->SetActive(true);
  EXPECT_EQ(ribbon_->ActiveTab(), edit);
  EXPECT_TRUE(edit->Active());
  EXPECT_EQ(log.Calls, (std::vector<std::string>{"changing:Edit", "changed:Edit"}));
  log.Calls.clear();
  edit->SetActive(false);  // ignored
  EXPECT_EQ(ribbon_->ActiveTab(), edit);
  EXPECT_TRUE(log.Calls.empty());
}

TEST_F(Ribbon, RemovingOrHidingTheActiveTabActivatesItsNeighbour) {
  struct Case {
    const char* Name;
    std::vector<bool> Visible;  // of tabs A, B, C, D
    int Active;                 // the tab removed
    const char* Next;           // the tab active afterwards
  };
  const Case cases[] = {
      {"right first", {true, true, true, true}, 1, "C"},
      {"skips hidden on the right", {true, true, false, true}, 1, "D"},
      {"left when none on the right", {true, true, false, false}, 1, "A"},
      {"the last tab", {true, true, true, true}, 3, "C"},
      {"none", {false, true, false, false}, 1, "none"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    for (bool hide : {false, true}) {
      ribbon_->Tabs()->Clear();
      const char* names[] = {"A", "B", "C", "D"};
      for (int i = 0; i < 4; ++i) AddTab(names[i]);
      TdxRibbonTab* active = ribbon_->Tabs()->Items(c.Active);
      active->SetActive(true);
      for (int i = 0; i < 4; ++i)
        if (i != c.Active) ribbon_->Tabs()->Items(i)->SetVisible(c.Visible[i]);
      if (hide) active->SetVisible(false);
      else delete active;
      TdxRibbonTab* now = ribbon_->ActiveTab();
      EXPECT_EQ(now ? now->Caption() : std::string("none"), c.Next) << (hide ? "hidden" : "removed");
    }
  }
}

TEST_F(Ribbon, DisplayNameAndNewTabNames) {
  ribbon_->SetName("dxRibbon1");
  TdxRibbonTab* tab = ribbon_->Tabs()->Add();
  EXPECT_EQ(tab->Name(), "dxRibbon1Tab1");
  EXPECT_EQ(tab->Caption(), "dxRibbon1Tab1");  // an empty caption follows the name
  tab->SetCaption("Home");
  EXPECT_EQ(tab->GetDisplayName(), "dxRibbon1Tab1 - 'Home'");
  EXPECT_EQ(ribbon_->Tabs()->Add()->Name(), "dxRibbon1Tab2");
}

// The mend: a refused toolbar is refused before the group lets go of the toolbar it shows.
TEST_F(Ribbon, SetToolBarRefusesBeforeReleasing) {
  TdxRibbonTab* tab = AddTab("Home");
  TdxBar* file = NewBar("File");
  TdxBar* edit = NewBar("Edit");
  TdxRibbonTabGroup* first = tab->Groups()->Add();
  first->SetToolBar(file);
  TdxRibbonTabGroup* second = tab->Groups()->Add();
  second->SetToolBar(edit);
  // Wherever the group's toolbar is docked, a refusal leaves it there.
  TWinControl dock(nullptr);
  edit->SetDockControl(&dock);
  edit->SetDockingStyle(dsTop);
  auto dockOf = [](TdxBar* bar) { return std::make_pair(bar->DockControl(), bar->DockingStyle()); };
  const auto before = dockOf(edit);
  EXPECT_EQ(MessageOf([&] { second->SetToolBar(file); }), "At least one group in this tab already contains this toolbar");
  EXPECT_EQ(second->ToolBar(), edit);
  EXPECT_EQ(dockOf(edit), before);
  EXPECT_TRUE(edit->Visible());
  // A toolbar of another manager is refused silently.
  TForm otherForm(nullptr, 0);
  auto* other = new TdxBarManager(&otherForm);
  auto* foreign = NewBar("Foreign");
  foreign->SetBarManager(other);
  second->SetToolBar(foreign);
  EXPECT_EQ(second->ToolBar(), edit);
  edit->SetDockControl(nullptr);
}

TEST_F(Ribbon, GroupsGoWithTheirToolbars) {
  TdxRibbonTab* home = AddTab("Home");
  TdxRibbonTab* more = AddTab("More");
  TdxBar* file = NewBar("File");
  home->Groups()->Add()->SetToolBar(file);
  more->Groups()->Add()->SetToolBar(file);
  TdxRibbonTabGroup* kept = home->Groups()->Add();
  kept->SetToolbarName("Nothing");
  kept->ResolveLoadedToolbar();  // a name of no toolbar leaves the group without one
  EXPECT_EQ(home->Groups()->Count(), 2);
  EXPECT_EQ(kept->ToolBar(), nullptr);
  delete file;  // destroying a toolbar deletes its groups on every tab
  EXPECT_EQ(home->Groups()->Count(), 1);
  EXPECT_EQ(more->Groups()->Count(), 0);
  TdxBar* edit = NewBar("Edit");
  TdxRibbonTabGroup* group = more->Groups()->Add();
  group->SetToolbarName("edit");
  group->ResolveLoadedToolbar();
  EXPECT_EQ(group->ToolBar(), edit);
  EXPECT_EQ(group->ToolbarName(), "Edit");
  group->SetToolBar(nullptr);  // clearing the toolbar deletes the group
  EXPECT_EQ(more->Groups()->Count(), 0);
}

TEST_F(Ribbon, AnUnknownSkinElementDrawsNothingAndHasNoOffsets) {
  TSurface surface(40, 40, RGB(1, 2, 3));
  EXPECT_EQ(ribbon_->GetElementContentOffsets(9999), TRect());
  EXPECT_EQ(ribbon_->GetElementContentOffsets(1001), TRect(7, 4, 7, 11));
  EXPECT_EQ(ribbon_->GetElementContentOffsets(1).Bottom, ribbon_->GetGroupCaptionHeight() + 4);
  EXPECT_EQ(ribbon_->GetElementMetric(460), 3);
  const std::vector<uint32_t> untouched = surface.Pixels();
  ribbon_->DrawElement(surface.DC(), TRect(0, 0, 40, 40), 9999, 0);
  EXPECT_EQ(surface.Pixels(), untouched);
  ribbon_->DrawElement(surface.DC(), TRect(0, 0, 40, 40), 1, 0);  // a group: body and caption
  EXPECT_NE(surface.Pixels(), untouched);
}

// A group scroll button: the skin's button with a black arrow 2 pixels in from its left, right and
// bottom edges; the button then leaves the clip area, so what is drawn afterwards spares it.
TEST_F(Ribbon, GroupScrollButtonsKeepTheirArrowInsideAndLeaveTheClipArea) {
  const TRect button(6, 0, 20, 40);
  for (bool left : {true, false}) {
    SCOPED_TRACE(left ? "left" : "right");
    TPainterSurface surface(30, 40, clWhite);
    ribbon_->Painter()->DrawGroupScrollButton(surface.Canvas(), button, false, false, left);
    EXPECT_GT(surface.Count(button, clBlack), 0);
    EXPECT_EQ(surface.Count(TRect(button.Left, 0, button.Left + 2, 40), clBlack), 0);
    EXPECT_EQ(surface.Count(TRect(button.Right - 2, 0, button.Right, 40), clBlack), 0);
    EXPECT_EQ(surface.Count(TRect(button.Left, 38, button.Right, 40), clBlack), 0);
    EXPECT_EQ(surface.Count(button, clWhite), 0);
    surface.Fill(clLime);
    EXPECT_EQ(surface.Count(button, clLime), 0);
    EXPECT_EQ(surface.Count(TRect(0, 0, 6, 40), clLime), 6 * 40);
  }
}

TEST_F(Ribbon, AssignedFontsStopFollowingTheManager) {
  manager_->SetScaled(false);  // a scaled manager keeps the system's menu font
  TFont big;
  big.SetSize(14);
  manager_->SetFont(&big);
  ribbon_->Fonts()->Refresh();
  EXPECT_EQ(manager_->Font()->Size(), 14);
  EXPECT_EQ(ribbon_->Fonts()->Group()->Size(), 14);
  TFont little;
  little.SetSize(7);
  ribbon_->Fonts()->SetGroup(&little);
  EXPECT_TRUE(ribbon_->Fonts()->AssignedFonts().Contains(afGroup));
  big.SetSize(16);
  manager_->SetFont(&big);
  ribbon_->Fonts()->Refresh();
  EXPECT_EQ(ribbon_->Fonts()->Group()->Size(), 7);
  EXPECT_EQ(ribbon_->Fonts()->TabHeader()->Size(), 16);
  ribbon_->Fonts()->SetAssignedFonts({});
  EXPECT_EQ(ribbon_->Fonts()->Group()->Size(), 16);
  TFont* first = ribbon_->Fonts()->GetTabHeaderFont(0);
  EXPECT_EQ(first, ribbon_->Fonts()->GetTabHeaderFont(2));  // one working font for every call
}

}  // namespace
