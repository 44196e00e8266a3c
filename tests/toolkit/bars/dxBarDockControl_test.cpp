// Dock sites and docking: where a toolbar docked at a point goes (the zones above, inside and
// below rows), whole-row toolbars, rows kept by stored positions and shrunk behind the mark, the
// site's size, a stored row number, the form dock control, and a toolbar dragged by real mouse
// messages from the top site to the left one and off into floating.
#include "calderan_test.h"

#include "bars_fixture.h"
#include "dxBarButtons.h"
#include "dxBarDocking.h"
#include "dxBarToolbar.h"

namespace {

class DockSites : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartBarTestUnits();
  }
  void SetUp() override {
    form_ = std::make_unique<TForm>(nullptr, 0);
    form_->SetBounds(50, 50, 600, 400);
    manager_ = new TdxBarManager(form_.get());
    manager_->SetStyle(bmsStandard);
    bars_ = std::make_unique<TdxBars>(manager_);
    form_->Show();
  }
  void TearDown() override {
    bars_.reset();
    form_.reset();
  }

  TdxDockControl* Site(TdxBarDockingStyle style) { return bars_->DockControl(style); }

  // A toolbar of n buttons in its own window, not yet docked anywhere.
  TdxBarControl* MakeToolbar(int buttons, const std::string& caption = "Tools") {
    auto* toolbar = new TdxBar(form_.get());
    toolbar->SetBarManager(manager_);
    toolbar->SetCaption(caption);
    for (int i = 0; i < buttons; ++i) {
      auto* button = new TdxBarButton(form_.get());
      button->SetCaption("Button " + std::to_string(i + 1));
      toolbar->ItemLinks()->AddItem(button);
    }
    auto* window = new TdxBarControl(form_.get(), manager_);
    window->SetItemLinks(toolbar->ItemLinks());
    toolbar->ItemLinks()->SetBarControl(window);
    window->SetToolbar(toolbar);
    return window;
  }

  // Docks the window into the site at a point given in the site's client coordinates.
  TdxBarControl* Dock(TdxBarControl* window, TdxBarDockingStyle style, TPoint client) {
    TdxDockControl* site = Site(style);
    window->SetParent(site);
    window->SetDockingStyle(style);
    window->HandleNeeded();
    const TSize size = window->CalcFullSize();
    window->SetBounds(0, 0, size.cx, size.cy);
    window->SetVisible(true);
    bars_->DockBarAt(style, nullptr, site->ClientToScreen(client), window);
    return window;
  }

  // A mouse message as the form gets it while it holds the mouse for a drag.
  void PostMouse(UINT message, TPoint screen) {
    const TPoint client = form_->ScreenToClient(screen);
    PostMessageA(form_->Handle(), message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0, MAKELPARAM(client.X, client.Y));
  }

  int RowOf(TdxBarControl* window) {
    int row, col;
    return Site(window->DockingStyle())->FindBarControl(window, row, col) ? row : -1;
  }

  std::unique_ptr<TForm> form_;
  TdxBarManager* manager_ = nullptr;
  std::unique_ptr<TdxBars> bars_;
};

TRect ScreenRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

TEST_F(DockSites, DockingIntoAnEmptySiteMakesTheFirstRowAndSizesTheSite) {
  TdxBarControl* bar = Dock(MakeToolbar(2), dsTop, {40, 0});
  TdxDockControl* top = Site(dsTop);
  ASSERT_EQ(top->RowCount(), 1);
  EXPECT_EQ(RowOf(bar), 0);
  EXPECT_EQ(top->Height(), bar->Height()) << "the site is as thick as its row";
  EXPECT_EQ(bar->Left(), 40) << "the toolbar stays where it was docked, there is room";
  EXPECT_TRUE(bar->Bar()->OneOnRow());
  EXPECT_EQ(Site(dsLeft)->Width(), 0) << "an empty site takes no room";
}

// On a top site a point above the first row, inside a row or below the last decides between the
// row and a new one (23-pixel zones with a 5-pixel strip 9 pixels in).
TEST_F(DockSites, TheZonesAroundARowDecideItsRowOrANewOne) {
  TdxBarControl* first = Dock(MakeToolbar(2), dsTop, {0, 0});
  TdxDockControl* top = Site(dsTop);
  const int thickness = top->RowThickness(0);
  ASSERT_GT(thickness, 14);
  struct TCase {
    const char* name;
    int y;
    int row;
    bool newRow;
  } cases[] = {
      {"23 above the row: a new first row", -23, 0, true},
      {"10 above: a new first row", -10, 0, true},
      {"9 above: into the first row", -9, 0, false},
      {"1 above: into the first row", -1, 0, false},
      {"the row's first pixel", 0, 0, false},
      {"8 into the row", 8, 0, false},
      {"9 into the row: the strip, a new row after it", 9, 1, true},
      {"13 into the row: still the strip", 13, 1, true},
      {"14 into the row: the row after it, a new one after the last", 14, 1, true},
      {"far below the site: a new last row", thickness + 60, 1, true},
  };
  for (const TCase& c : cases) {
    bool newRow = false;
    const int row = top->FindRowAtPoint(top->ClientToScreen({5, c.y}), newRow);
    EXPECT_EQ(row, c.row) << c.name;
    EXPECT_EQ(newRow, c.newRow) << c.name;
  }
  (void)first;
}

TEST_F(DockSites, ToolbarsShareARowOrStartOneByWhereTheyAreDropped) {
  TdxBarControl* a = Dock(MakeToolbar(2, "A"), dsTop, {0, 0});
  TdxBarControl* b = Dock(MakeToolbar(2, "B"), dsTop, {300, 3});
  TdxDockControl* top = Site(dsTop);
  ASSERT_EQ(top->RowCount(), 1) << "dropped inside the row";
  EXPECT_EQ(top->GetRow(0)->IndexOfControl(b), 1) << "to the right of A";
  EXPECT_FALSE(a->Bar()->OneOnRow());
  EXPECT_EQ(b->Left(), 300);
  TdxBarControl* c = Dock(MakeToolbar(1, "C"), dsTop, {0, top->Height() + 5});
  EXPECT_EQ(top->RowCount(), 2);
  EXPECT_EQ(RowOf(c), 1);
  EXPECT_EQ(top->Height(), top->RowThickness(0) + top->RowThickness(1));
  EXPECT_EQ(c->Top(), top->RowThickness(0));
}

TEST_F(DockSites, AWholeRowToolbarNeverSharesItsRow) {
  TdxBarControl* menu = MakeToolbar(2, "Menu");
  menu->Bar()->SetWholeRow(true);
  Dock(menu, dsTop, {0, 0});
  TdxBarControl* other = Dock(MakeToolbar(1, "Other"), dsTop, {200, 2});
  EXPECT_EQ(Site(dsTop)->RowCount(), 2) << "dropped on the whole-row toolbar's row";
  EXPECT_NE(RowOf(other), RowOf(menu));
  EXPECT_EQ(menu->Width(), Site(dsTop)->ClientWidth()) << "the whole row is its";
}

TEST_F(DockSites, ARowTooShortShrinksTheLastToolbarBehindItsMark) {
  form_->SetBounds(50, 50, 300, 300);
  TdxBarControl* a = Dock(MakeToolbar(3, "A"), dsTop, {0, 0});
  const int fullA = a->CalcFullSize().cx;
  TdxBarControl* b = Dock(MakeToolbar(6, "B"), dsTop, {fullA + 10, 2});
  const int length = Site(dsTop)->ClientWidth();
  ASSERT_LT(length, fullA + b->CalcFullSize().cx) << "the row cannot hold both";
  EXPECT_EQ(a->Left(), 0) << "the first keeps the row start";
  EXPECT_EQ(b->Left(), a->Left() + a->Width());
  EXPECT_EQ(b->Left() + b->Width(), length) << "the shrunk toolbar reaches the row end";
  b->Rebuild();
  EXPECT_TRUE(b->HasHiddenItems()) << "its other links wait behind the mark";
}

TEST_F(DockSites, ColumnsKeepTheirPlacesAndSlideLeftOnlyAsFarAsNeeded) {
  TdxBarControl* a = Dock(MakeToolbar(1, "A"), dsTop, {0, 0});
  TdxBarControl* b = Dock(MakeToolbar(1, "B"), dsTop, {5, 2});
  EXPECT_EQ(RowOf(b), 0);
  EXPECT_EQ(b->Left(), a->Left() + a->Width()) << "asked for a place inside A: right after A";
  TdxBarControl* c = Dock(MakeToolbar(1, "C"), dsTop, {400, 2});
  EXPECT_EQ(c->Left(), 400) << "room enough: where it was dropped";
}

TEST_F(DockSites, ClosingTheLastToolbarOfARowRemovesTheRowAndShrinksTheSite) {
  TdxBarControl* a = Dock(MakeToolbar(1, "A"), dsTop, {0, 0});
  TdxBarControl* b = Dock(MakeToolbar(1, "B"), dsTop, {0, 40});
  TdxDockControl* top = Site(dsTop);
  ASSERT_EQ(top->RowCount(), 2);
  top->RemoveBarControl(b, true);
  EXPECT_EQ(top->RowCount(), 1);
  EXPECT_EQ(top->Height(), a->Height());
  top->RemoveBarControl(a, true);
  EXPECT_EQ(top->RowCount(), 0);
  EXPECT_EQ(top->Height(), 0);
}

// A row number read from a stored layout may be anything: outside a batch of updates only one
// empty row is added past the last; inside one the rows up to it are made.
TEST_F(DockSites, AStoredRowNumberAddsOneRowUnlessRowsAreBuiltInABatch) {
  Dock(MakeToolbar(1, "A"), dsTop, {0, 0});
  TdxBarControl* b = Dock(MakeToolbar(1, "B"), dsTop, {0, 40});
  TdxBarControl* c = Dock(MakeToolbar(1, "C"), dsTop, {300, 2});
  TdxDockControl* top = Site(dsTop);
  ASSERT_EQ(top->RowCount(), 2);
  struct TCase {
    const char* name;
    TdxBarControl* bar;
    int row;
    bool batch;
    int rows, barRow;
  } cases[] = {
      {"row 7 outside a batch: one new row", c, 7, false, 3, 2},
      {"a huge row outside a batch: still one", b, 2000000000, false, 3, 2},
  };
  for (const TCase& c2 : cases) {
    c2.bar->Bar()->SetRow(c2.row);
    EXPECT_EQ(top->RowCount(), c2.rows) << c2.name;
    EXPECT_EQ(c2.bar->Bar()->Row(), c2.barRow) << c2.name;
  }
  TdxBarControl* d = Dock(MakeToolbar(1, "D"), dsTop, {300, 2});
  ASSERT_EQ(d->Bar()->Row(), 0) << "beside A";
  manager_->BeginUpdate();
  d->Bar()->SetRow(7);
  EXPECT_EQ(top->RowCount(), 8) << "inside an update the rows up to 7 are made";
  EXPECT_EQ(d->Bar()->Row(), 7);
  manager_->EndUpdate();
}

TEST_F(DockSites, AFormDockControlIsEmptyAtRunTimeAndTurnsItsToolbarsWithItsAlignment) {
  auto* panel = new TdxBarDockControl(form_.get(), manager_);
  panel->SetParent(form_.get());
  panel->UpdateSize();
  EXPECT_EQ(panel->Height(), 0) << "empty at run time";
  EXPECT_EQ(panel->DockingStyle(), dsTop);
  TdxBarControl* bar = MakeToolbar(2);
  bar->SetParent(panel);
  bar->SetDockingStyle(dsTop);
  bar->HandleNeeded();
  const TSize size = bar->CalcFullSize();
  bar->SetBounds(0, 0, size.cx, size.cy);
  panel->AddBarControl(bar, panel->ClientToScreen({0, 0}), true);
  EXPECT_EQ(panel->Height(), bar->Height());
  panel->SetDockAlign(dalLeft);
  EXPECT_EQ(panel->DockingStyle(), dsLeft);
  EXPECT_EQ(bar->DockingStyle(), dsLeft);
  EXPECT_TRUE(bar->IsVertical());
  EXPECT_GT(bar->Height(), bar->Width()) << "the toolbar stands upright";
  EXPECT_EQ(panel->Width(), bar->Width());
}

TEST_F(DockSites, EdgeSitesCatchADraggedToolbarLeftBeforeTop) {
  Dock(MakeToolbar(1, "A"), dsTop, {0, 0});
  TdxBar* bar = MakeToolbar(1, "B")->Bar();
  // Below the top site, where the left site's zone and the top site's zone meet.
  const TPoint corner = form_->ClientToScreen({2, Site(dsTop)->Height() + 2});
  struct TCase {
    const char* name;
    TPoint point;
    TdxBarDockingStyle style;
  } cases[] = {
      {"the corner lies in both zones: left wins", corner, dsLeft},
      {"the top edge away from the corner", form_->ClientToScreen({300, 2}), dsTop},
      {"the middle of the form: floating", form_->ClientToScreen({300, 200}), dsNone},
      {"just above the bottom edge", form_->ClientToScreen({300, form_->ClientHeight() - 3}), dsBottom},
  };
  for (const TCase& c : cases) {
    TdxBarDockingStyle style;
    TdxDockControl* dock;
    bars_->FindDockingTarget(bar, c.point, style, dock);
    EXPECT_EQ(style, c.style) << c.name;
    EXPECT_EQ(dock, c.style == dsNone ? nullptr : Site(c.style)) << c.name;
  }
}

// Two toolbars docked at the top; the second is dragged by real mouse messages to the left site,
// then off into the form's middle, where it floats.
TEST_F(DockSites, AToolbarDraggedByTheMouseDocksLeftAndThenFloats) {
  TdxBarControl* a = Dock(MakeToolbar(2, "A"), dsTop, {0, 0});
  TdxBarControl* b = Dock(MakeToolbar(2, "B"), dsTop, {300, 0});
  ASSERT_EQ(Site(dsTop)->GetRow(0)->ColCount(), 2);
  TdxBar* toolbar = b->Bar();
  const TRect start = ScreenRect(b->Handle());
  const TPoint grip{start.Left + 4, start.Top + start.Height() / 2};
  const TPoint left = form_->ClientToScreen({3, 150});
  const TPoint middle = form_->ClientToScreen({300, 220});
  PostMouse(WM_MOUSEMOVE, left);
  PostMouse(WM_MOUSEMOVE, middle);
  PostMouse(WM_LBUTTONUP, middle);
  SetCursorPos(grip.X, grip.Y);
  SendMessageA(b->Handle(), WM_NCHITTEST, 0, MAKELPARAM(grip.X, grip.Y));
  ASSERT_EQ(b->LastHitTest(), HTCAPTION) << "pressed on the drag handle";
  bars_->DragBar(b);
  EXPECT_EQ(b->DockingStyle(), dsNone) << "floating after the drop in the middle";
  EXPECT_EQ(toolbar->DockingStyle(), dsNone);
  EXPECT_EQ(Site(dsTop)->GetRow(0)->ColCount(), 1) << "A is alone on the top row";
  EXPECT_TRUE(a->Bar()->OneOnRow());
  EXPECT_EQ(Site(dsLeft)->RowCount(), 0) << "it passed the left site and left it again";
  EXPECT_TRUE(IsWindowVisible(b->Handle()));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(bars_->IsMoving());
}

TEST_F(DockSites, ADraggedToolbarStopsOverTheLeftSite) {
  Dock(MakeToolbar(2, "A"), dsTop, {0, 0});
  TdxBarControl* b = Dock(MakeToolbar(2, "B"), dsTop, {300, 0});
  const TRect start = ScreenRect(b->Handle());
  SetCursorPos(start.Left + 4, start.Top + 4);
  const TPoint left = form_->ClientToScreen({3, 150});
  PostMouse(WM_MOUSEMOVE, left);
  PostMouse(WM_LBUTTONUP, left);
  bars_->DragBar(b);
  EXPECT_EQ(b->DockingStyle(), dsLeft);
  EXPECT_EQ(Site(dsLeft)->RowCount(), 1);
  EXPECT_TRUE(b->IsVertical());
  EXPECT_EQ(Site(dsLeft)->Width(), b->Width());
  EXPECT_EQ(b->Parent(), Site(dsLeft));
}

TEST_F(DockSites, TheDragLoopPostsAQuitItMeetsAgainAndEnds) {
  TdxBarControl* b = Dock(MakeToolbar(1, "B"), dsTop, {0, 0});
  const TRect start = ScreenRect(b->Handle());
  SetCursorPos(start.Left + 4, start.Top + 4);
  PostQuitMessage(9);
  bars_->DragBar(b);
  EXPECT_EQ(b->DockingStyle(), dsTop) << "the toolbar stays";
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(bars_->IsMoving());
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is there again";
  EXPECT_EQ(msg.wParam, 9u);
}

// A floating toolbar docks only when the pointer stays over a site for the manager's waiting
// time: dropped there at once, it still floats.
TEST_F(DockSites, AFloatingToolbarDroppedOverASiteAtOnceStillFloats) {
  Dock(MakeToolbar(1, "A"), dsTop, {0, 0});
  manager_->SetWaitForDockingTime(60000);
  TdxBarControl* floating = MakeToolbar(2, "Floating");
  floating->SetDockingStyle(dsNone);
  floating->HandleNeeded();
  const TSize size = floating->CalcFullSize();
  const TPoint at = form_->ClientToScreen({200, 200});
  floating->SetBounds(at.X, at.Y, size.cx, size.cy);
  floating->SetVisible(true);
  ShowWindow(floating->Handle(), SW_SHOWNA);
  SetCursorPos(at.X + 20, at.Y + 8);
  const TPoint overTop = Site(dsTop)->ClientToScreen({300, 5});
  PostMouse(WM_MOUSEMOVE, overTop);
  PostMouse(WM_LBUTTONUP, overTop);
  bars_->DragBar(floating);
  EXPECT_EQ(floating->DockingStyle(), dsNone);
  EXPECT_EQ(Site(dsTop)->GetRow(0)->ColCount(), 1);
  const TRect moved = ScreenRect(floating->Handle());
  EXPECT_EQ(moved.Left, overTop.X - 20) << "it follows the pointer by its grab point";
  EXPECT_EQ(moved.Top, overTop.Y - 8);
}

// Escape ends the drag where the toolbar is: a move queued after it is not acted on.
TEST_F(DockSites, EscapeEndsTheDragWhereTheToolbarIs) {
  Dock(MakeToolbar(2, "A"), dsTop, {0, 0});
  TdxBarControl* b = Dock(MakeToolbar(2, "B"), dsTop, {300, 0});
  const TRect start = ScreenRect(b->Handle());
  SetCursorPos(start.Left + 4, start.Top + 4);
  const TPoint left = form_->ClientToScreen({3, 150});
  PostMouse(WM_MOUSEMOVE, left);
  PostMessageA(form_->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMouse(WM_MOUSEMOVE, form_->ClientToScreen({300, 220}));
  bars_->DragBar(b);
  EXPECT_EQ(b->DockingStyle(), dsLeft) << "docked where the Escape found it";
  EXPECT_EQ(GetCapture(), nullptr);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(b->DockingStyle(), dsLeft);
}

namespace {
HWND releaseTarget = nullptr;
// Ends a drag from the loop's own timer messages, long after the docking wait.
void CALLBACK ReleaseButton(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  PostMessageA(releaseTarget, WM_LBUTTONUP, 0, 0);
}
}  // namespace

TEST_F(DockSites, AFloatingToolbarHeldOverASiteDocksWhenTheWaitEnds) {
  Dock(MakeToolbar(1, "A"), dsTop, {0, 0});
  manager_->SetWaitForDockingTime(1);
  TdxBarControl* floating = MakeToolbar(2, "Floating");
  floating->SetDockingStyle(dsNone);
  floating->HandleNeeded();
  const TSize size = floating->CalcFullSize();
  const TPoint at = form_->ClientToScreen({200, 200});
  floating->SetBounds(at.X, at.Y, size.cx, size.cy);
  floating->SetVisible(true);
  ShowWindow(floating->Handle(), SW_SHOWNA);
  // The waiting timer reads the cursor when it fires: the cursor rests over the site.
  const TPoint overTop = Site(dsTop)->ClientToScreen({300, 5});
  SetCursorPos(overTop.X, overTop.Y);
  PostMouse(WM_MOUSEMOVE, Site(dsTop)->ClientToScreen({320, 5}));
  releaseTarget = form_->Handle();
  SetTimer(nullptr, 0, 300, &ReleaseButton);
  bars_->DragBar(floating);
  EXPECT_EQ(floating->DockingStyle(), dsTop) << "held there past the wait: docked";
  EXPECT_EQ(floating->Parent(), Site(dsTop));
  EXPECT_FALSE(bars_->IsMoving());
}
