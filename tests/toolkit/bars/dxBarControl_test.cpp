#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "bars_fixture.h"
#include "barwindow_fixture.h"
#include "dxBarItemRegistry.h"

namespace {

// Records the order in which the manager's and the items' handlers run.
struct TClickLog {
  std::vector<std::string> Calls;
  TForm* FormToFree = nullptr;
  void ManagerClick(TdxBarManager*, TdxBarItem* item) { Calls.push_back("manager:" + item->Caption()); }
  void ItemClick(TObject* sender) {
    Calls.push_back("item:" + static_cast<TdxBarItem*>(sender)->Caption());
    if (FormToFree) delete std::exchange(FormToFree, nullptr);
  }
};

class BarWindow : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form_->HandleNeeded();
    form_->Show();
    manager_->OnClickItem = MakeEvent(&log_, &TClickLog::ManagerClick);
  }
  TdxBarButton* AddButton(TTestLinksOwner* owner, const std::string& caption) {
    auto* button = new TdxBarButton(owner->Owner());
    button->SetCaption(caption);
    button->OnClick = MakeEvent(&log_, &TClickLog::ItemClick);
    owner->Links()->AddItem(button);
    return button;
  }
  // A toolbar window showing "Open", "Save" and a disabled "Print".
  TCustomdxBarControl* ShowToolbar() {
    owner_ = new TTestLinksOwner(form_.get(), manager_, false);
    AddButton(owner_, "Open");
    AddButton(owner_, "Save");
    AddButton(owner_, "Print")->SetEnabled(false);
    return owner_->Show();
  }
  TdxBarItemLink* Link(int index) const { return owner_->Links()->GetLink(index); }

  TClickLog log_;
  TTestLinksOwner* owner_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The click path through real mouse messages.

TEST_F(BarWindow, PressSelectsAndCapturesReleaseOnTheSameControlClicks) {
  TCustomdxBarControl* bar = ShowToolbar();
  ASSERT_NE(Link(0)->Control(), nullptr);
  ASSERT_FALSE(Link(0)->ItemRect().IsEmpty());
  SendMouse(bar, WM_MOUSEMOVE, CentreOf(Link(0)));
  SendMouse(bar, WM_LBUTTONDOWN, CentreOf(Link(0)));
  EXPECT_EQ(bar->SelectedControl(), Link(0)->Control());
  EXPECT_EQ(bar->ClickedControl(), Link(0)->Control());
  EXPECT_TRUE(bar->Active());
  EXPECT_TRUE(bar->Downed());
  EXPECT_TRUE(log_.Calls.empty());
  SendMouse(bar, WM_LBUTTONUP, CentreOf(Link(0)));
  EXPECT_EQ(log_.Calls, (std::vector<std::string>{"manager:Open", "item:Open"}));
  EXPECT_FALSE(bar->Active());
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(BarWindow, ReleaseElsewhereOrOnADisabledControlDoesNotClick) {
  TCustomdxBarControl* bar = ShowToolbar();
  struct TCase {
    int Down;  // link index
    TPoint Up;
  } cases[] = {
      {0, CentreOf(Link(1))},  // released on another control
      {0, TPoint(370, 20)},    // released on no control
      {0, TPoint(500, 20)},    // released outside the window
      {2, CentreOf(Link(2))},  // pressed and released on the disabled control
  };
  for (const TCase& c : cases) {
    ClickAt(bar, CentreOf(Link(c.Down)), c.Up);
    EXPECT_TRUE(log_.Calls.empty()) << "down " << c.Down << " up " << c.Up.X;
    EXPECT_EQ(bar->ClickedControl(), nullptr);
    bar->Close();
  }
}

TEST_F(BarWindow, APressOnADisabledControlNeitherSelectsNorActivates) {
  TCustomdxBarControl* bar = ShowToolbar();
  SendMouse(bar, WM_MOUSEMOVE, CentreOf(Link(2)));
  SendMouse(bar, WM_LBUTTONDOWN, CentreOf(Link(2)));
  EXPECT_FALSE(bar->Active());
  EXPECT_EQ(bar->ClickedControl(), nullptr);
  EXPECT_FALSE(Link(2)->Control()->IsSelected());  // selected by the mouse while disabled
  SendMouse(bar, WM_LBUTTONUP, CentreOf(Link(2)));
  EXPECT_TRUE(log_.Calls.empty());
}

TEST_F(BarWindow, KeysWalkTheToolbarAndEnterClicksTheSelectedEnabledControl) {
  TCustomdxBarControl* bar = ShowToolbar();
  bar->ActivateWithControl(Link(0)->Control());
  ASSERT_TRUE(bar->Active());
  SendMessageA(bar->WindowHandle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(bar->SelectedControl(), Link(1)->Control());
  SendMessageA(bar->WindowHandle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(bar->SelectedControl(), Link(0)->Control());
  SendMessageA(bar->WindowHandle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(log_.Calls, (std::vector<std::string>{"manager:Open", "item:Open"}));
  EXPECT_FALSE(bar->Active());
}

TEST_F(BarWindow, EscapeClosesTheActiveToolbar) {
  TCustomdxBarControl* bar = ShowToolbar();
  bar->ActivateWithControl(Link(1)->Control());
  SendMessageA(bar->WindowHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(bar->Active());
  EXPECT_EQ(bar->SelectedControl(), nullptr);
  EXPECT_TRUE(log_.Calls.empty());
}

// The item's OnClick frees the form that holds the manager, the items and the bar window; the
// click sequence notices through its weak links and returns, and the program goes on.
TEST_F(BarWindow, AnOnClickThatFreesTheFormEndsTheClickQuietly) {
  auto* form = new TForm(nullptr, 0);
  form->SetBounds(0, 0, 400, 100);
  form->Show();
  auto* manager = new TdxBarManager(form);
  manager->OnClickItem = MakeEvent(&log_, &TClickLog::ManagerClick);
  auto* owner = new TTestLinksOwner(form, manager, false);
  auto* button = new TdxBarButton(form);
  button->SetCaption("Exit");
  button->OnClick = MakeEvent(&log_, &TClickLog::ItemClick);
  owner->Links()->AddItem(button);
  TCustomdxBarControl* bar = owner->Show();
  const TPoint point = CentreOf(owner->Links()->GetLink(0));
  TcxObjectLinkGuard barAlive(bar);
  log_.FormToFree = form;
  ClickAt(bar, point, point);
  EXPECT_EQ(log_.Calls, (std::vector<std::string>{"manager:Exit", "item:Exit"}));
  EXPECT_EQ(log_.FormToFree, nullptr);
  EXPECT_FALSE(barAlive.Alive());
  EXPECT_FALSE(IsBarControlAlive(bar));
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(BarWindow, MovingOffTheItemsClearsAToolbarsMouseSelection) {
  TCustomdxBarControl* bar = ShowToolbar();
  SendMouse(bar, WM_MOUSEMOVE, CentreOf(Link(1)));
  EXPECT_EQ(bar->SelectedControl(), Link(1)->Control());
  EXPECT_NE(bar->LastMousePos(), TPoint(-1, -1));
  SendMouse(bar, WM_MOUSEMOVE, TPoint(370, 20));
  EXPECT_EQ(bar->SelectedControl(), nullptr);
  SendMessageA(bar->WindowHandle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(bar->LastMousePos(), TPoint(-1, -1));
}

TEST_F(BarWindow, TheReleaseAfterAPopupSwallowedTheClickIsIgnoredOnce) {
  TCustomdxBarControl* bar = ShowToolbar();
  bar->SetIgnoreNextClick(true);
  ClickAt(bar, CentreOf(Link(0)), CentreOf(Link(0)));
  EXPECT_TRUE(log_.Calls.empty());
  EXPECT_FALSE(bar->IgnoreNextClick());
  ClickAt(bar, CentreOf(Link(0)), CentreOf(Link(0)));
  EXPECT_EQ(log_.Calls.size(), 2u);
}

TEST_F(BarWindow, AReleaseOnADisabledControlEndsTheActiveState) {
  TCustomdxBarControl* bar = ShowToolbar();
  bar->ActivateWithControl(Link(0)->Control());
  ClickAt(bar, CentreOf(Link(2)), CentreOf(Link(2)));
  EXPECT_FALSE(bar->Active());
  EXPECT_TRUE(log_.Calls.empty());
}

// The arrow of a menu item and the scale of item sizes follow the font, with lower bounds.
TEST_F(BarWindow, TextSizesScaleWithTheFontAboveTheirLowerBounds) {
  TCustomdxBarControl* bar = ShowToolbar();
  struct TCase {
    int FontSize;
    bool Clamped;
  } cases[] = {{1, true}, {40, false}};
  for (const TCase& c : cases) {
    manager_->Font()->SetSize(c.FontSize);
    bar->CalcSizes();
    if (c.Clamped) {
      EXPECT_EQ(bar->MenuArrowHeight(), 4);
      EXPECT_EQ(bar->ScaleRatio(), 1.0);
    } else {
      EXPECT_EQ(bar->MenuArrowHeight(), bar->TextSize() / 5);
      EXPECT_GT(bar->ScaleRatio(), 1.0);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The view info of a bar window.

TEST_F(BarWindow, ViewInfoListsShownControlsInLayoutOrderAndKeepsSeparators) {
  TCustomdxBarControl* bar = ShowToolbar();
  TCustomdxBarControlViewInfo* info = bar->ViewInfo();
  ASSERT_EQ(info->GetItemControlViewInfoCount(), 3);
  EXPECT_EQ(info->IndexOfItemControl(Link(1)->Control()), 1);
  EXPECT_EQ(bar->ItemControlAtPos(CentreOf(Link(1))), Link(1)->Control());
  int index = 7;
  EXPECT_FALSE(info->FindSeparatorOf(Link(0)->Control(), index));
  EXPECT_EQ(index, 7);
  info->AddSeparatorInfo(TRect(0, 0, 2, 10), false, Link(1)->Control());
  info->AddSeparatorInfo(TRect(5, 0, 7, 10), false, Link(1)->Control());
  EXPECT_TRUE(info->FindSeparatorOf(Link(1)->Control(), index));
  EXPECT_EQ(index, 0);
  info->Clear();
  EXPECT_EQ(info->GetSeparatorCount(), 0);
  EXPECT_EQ(info->GetItemControlViewInfoCount(), 0);
  EXPECT_FALSE(info->HasItemControl(Link(1)->Control()));
}

TEST_F(BarWindow, RebuildMakesNewControlsAndKeepsTheLayout) {
  TCustomdxBarControl* bar = ShowToolbar();
  Link(1)->SetBeginGroup(true);
  bar->Rebuild();
  EXPECT_EQ(Link(1)->ItemRect().Left, Link(0)->ItemRect().Right + 6);  // the separator before it
  PostMessageA(bar->WindowHandle(), DXM_BAR_REBUILDITEMCONTROLS, 0, 0);
  MSG msg;
  while (PeekMessageA(&msg, bar->WindowHandle(), 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(bar->ViewInfo()->GetItemControlViewInfoCount(), 3);
}

}  // namespace
