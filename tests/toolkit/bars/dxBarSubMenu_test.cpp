#include "calderan_test.h"

#include <string>
#include <vector>

#include "bars_fixture.h"
#include "barwindow_fixture.h"
#include "dxBarButtons.h"
#include "ExtCtrls.h"
#include "Menus.h"
#include "dxBarPopupMenu.h"
#include "dxBarPopupMenuLinks.h"
#include "dxBarSubItem.h"
#include "dxBarSubMenu.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Placement, sizes and animation steps.

struct TPlacementCase {
  const char* Name;
  TPoint At;
  TSize Size;
  int OwnerWidth, OwnerHeight;
  TRect Expected;
  bool FlippedLeft, FlippedUp;
};

TEST(MenuPlacement, FlipsAtTheWorkAreaEdgesOrIsPushedInside) {
  const TRect work(0, 0, 800, 600);
  const TPlacementCase cases[] = {
      {"fits", {100, 100}, {150, 200}, 0, 0, {100, 100, 250, 300}, false, false},
      {"point near the right edge ends at the point", {700, 100}, {150, 200}, 0, 0, {550, 100, 700, 300}, true, false},
      {"point too near the left for a flip is pushed in", {100, 100}, {750, 50}, 0, 0, {50, 100, 800, 150}, false, false},
      {"point near the bottom opens upwards", {100, 500}, {150, 200}, 0, 0, {100, 300, 250, 500}, false, true},
      {"point too high for a flip is pushed up", {100, 150}, {150, 500}, 0, 0, {100, 100, 250, 600}, false, false},
      // Beside an item 120 wide whose right edge is at 700: more room on the left.
      {"beside an item, more room on the left", {700, 100}, {150, 200}, 120, 0, {430, 100, 580, 300}, true, false},
      // Beside an item at the left: less room on the left, so it is pushed to the right edge.
      {"beside an item, less room on the left", {300, 100}, {600, 200}, 120, 0, {200, 100, 800, 300}, false, false},
      {"beside an item near the bottom is pushed up", {300, 500}, {150, 200}, 120, 0, {300, 400, 450, 600}, false, false},
      // Below an item 20 high whose top is at 480: more room above.
      {"below an item, more room above", {100, 500}, {150, 200}, 0, 20, {100, 280, 250, 480}, false, true},
      {"below an item, taller than both sides keeps its top", {100, 200}, {150, 500}, 0, 20, {100, 200, 250, 600}, false, false},
      {"under an item near the right edge is pushed left", {700, 100}, {150, 200}, 0, 20, {650, 100, 800, 300}, false, false},
  };
  for (const auto& c : cases) {
    const TdxBarMenuPlacement p = CalcMenuPlacement(c.At, c.Size, c.OwnerWidth, c.OwnerHeight, true, true, work, false);
    EXPECT_EQ(p.Bounds, c.Expected) << c.Name;
    EXPECT_EQ(p.FlippedLeft, c.FlippedLeft) << c.Name;
    EXPECT_EQ(p.FlippedUp, c.FlippedUp) << c.Name;
  }
}

TEST(MenuPlacement, LargeItemsDoubleTheTextHeightAndRoundAHalfToEven) {
  struct TCase {
    int Base;
    bool Large, Descriptions;
    int Expected;
  } const cases[] = {{13, false, true, 13}, {13, true, false, 26}, {13, true, true, 32}, {19, true, true, 48},
                     {15, true, true, 38}, {17, true, true, 42}};
  for (const auto& c : cases)
    EXPECT_EQ(MenuItemTextSize(c.Base, c.Large, c.Descriptions), c.Expected) << c.Base << " " << c.Descriptions;
}

TEST(MenuAnimation, UnfoldAndSlideStepsReachTheWholeMenu) {
  const TdxBarMenuAnimationRecord unfold = MakeMenuAnimationRecord(maUnfold, 200, 120, false, false);
  EXPECT_EQ(MenuAnimationStepCount(unfold), 15);
  EXPECT_EQ(MenuAnimationStepRect(unfold, 1), TRect(0, 0, 88, 8));
  EXPECT_EQ(MenuAnimationStepRect(unfold, 15), TRect(0, 0, 200, 120));

  const TdxBarMenuAnimationRecord tall = MakeMenuAnimationRecord(maUnfold, 100, 300, true, true);
  EXPECT_EQ(MenuAnimationStepCount(tall), 12);
  EXPECT_EQ(MenuAnimationStepRect(tall, 1), TRect(92, 92, 100, 300)) << "anchored at the bottom-right corner";

  const TdxBarMenuAnimationRecord slide = MakeMenuAnimationRecord(maSlide, 150, 300, false, false);
  EXPECT_EQ(MenuAnimationStepCount(slide), 17);
  EXPECT_EQ(MenuAnimationStepRect(slide, 17), TRect(0, 0, 150, 289)) << "the end step shows the last 11 pixels";
}

TEST(MenuAnimation, RandomPicksByThirds) {
  EXPECT_EQ(ChooseMenuAnimation(maRandom, 0), maUnfold);
  EXPECT_EQ(ChooseMenuAnimation(maRandom, 32), maUnfold);
  EXPECT_EQ(ChooseMenuAnimation(maRandom, 33), maSlide);
  EXPECT_EQ(ChooseMenuAnimation(maRandom, 65), maSlide);
  EXPECT_EQ(ChooseMenuAnimation(maRandom, 66), maFade);
  EXPECT_EQ(ChooseMenuAnimation(maRandom, 99), maFade);
  EXPECT_EQ(ChooseMenuAnimation(maSlide, 0), maSlide);
}

// ---------------------------------------------------------------------------------------------
// Real menus.

class PopupMenus : public BarFixture {
 public:
  void SetUp() override {
    BarFixture::SetUp();
    form_->SetBounds(100, 100, 400, 300);
    form_->Show();
    popup_ = new TdxBarPopupMenu(form_.get());
    open_ = Add(popup_->ItemLinks(), "&Open");
    save_ = Add(popup_->ItemLinks(), "&Save");
    sub_ = new TdxBarSubItem(form_.get());
    sub_->SetCaption("&Export");
    popup_->ItemLinks()->AddItem(sub_)->SetBeginGroup(true);
    pdf_ = Add(sub_->ItemLinks(), "&PDF");
    Add(sub_->ItemLinks(), "&Text");
  }
  void TearDown() override {
    while (PendingDropDownOpenControl()) DropDownOpenTimerExpired();
    while (PendingDropDownCloseControl()) DropDownCloseTimerExpired();
    BarFixture::TearDown();
  }
  TdxBarButton* Add(TdxBarItemLinks* links, const char* caption) {
    auto* button = new TdxBarButton(form_.get());
    button->SetCaption(caption);
    button->OnClick = MakeEvent(this, &PopupMenus::Clicked);
    links->AddItem(button);
    return button;
  }
  void Clicked(TObject* sender) { clicks_.push_back(static_cast<TdxBarItem*>(sender)->Caption()); }
  void PoppedUp(TObject*) { clicks_.push_back("popup"); }
  // Opens the menu at a point and returns at once.
  TdxBarSubMenuControl* OpenAt(int x, int y) {
    popup_->PopupEx(x, y, 0, 0, false, nullptr, nullptr, false);
    return popup_->GetBarControl();
  }
  static void Key(TCustomdxBarControl* bar, Word key) { SendMessageA(bar->WindowHandle(), WM_KEYDOWN, key, 0); }
  TdxBarSubMenuControl* SubMenu() const { return ObjectAs<TdxBarSubMenuControl>(sub_->ItemLinks()->BarControl()); }

  TdxBarPopupMenu* popup_ = nullptr;
  TdxBarButton* open_ = nullptr;
  TdxBarButton* save_ = nullptr;
  TdxBarButton* pdf_ = nullptr;
  TdxBarSubItem* sub_ = nullptr;
  std::vector<std::string> clicks_;
};

TEST_F(PopupMenus, OpensAtThePointWithItsLinksInAColumn) {
  TdxBarSubMenuControl* menu = OpenAt(200, 150);
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(popup_->PopupVisible());
  EXPECT_TRUE(IsWindowVisible(menu->WindowHandle()));
  RECT window;
  GetWindowRect(menu->WindowHandle(), &window);
  EXPECT_EQ(window.left, 200);
  EXPECT_EQ(window.top, 150);
  TdxBarItemLinks* links = popup_->ItemLinks();
  EXPECT_LT(links->GetLink(0)->ItemRect().Bottom, links->GetLink(1)->ItemRect().Bottom + 1);
  EXPECT_EQ(links->GetLink(2)->ItemRect().Top - links->GetLink(1)->ItemRect().Bottom, menu->GetSeparatorSize())
      << "the group's separator lies between the two";
  EXPECT_EQ(ActiveBarControl(), menu);
  popup_->PopupEx(10, 10, 0, 0, false, nullptr, nullptr, false);
  EXPECT_EQ(popup_->GetBarControl(), menu) << "a second Popup while open does nothing";
  Key(menu, VK_ESCAPE);
  EXPECT_EQ(popup_->GetBarControl(), nullptr);
  EXPECT_FALSE(popup_->PopupVisible());
}

TEST_F(PopupMenus, KeysMoveRunAndOpenTheSubMenuOneLevelAtATime) {
  TdxBarSubMenuControl* menu = OpenAt(200, 150);
  Key(menu, VK_DOWN);
  EXPECT_EQ(menu->SelectedLink(), popup_->ItemLinks()->GetLink(0));
  Key(menu, VK_DOWN);
  Key(menu, VK_DOWN);
  EXPECT_EQ(menu->SelectedLink(), popup_->ItemLinks()->GetLink(2));
  Key(menu, VK_RIGHT);
  TdxBarSubMenuControl* sub = SubMenu();
  ASSERT_NE(sub, nullptr) << "Right opens the sub item's menu";
  EXPECT_EQ(sub->SelectedLink(), sub_->ItemLinks()->GetLink(0)) << "with its first entry selected";
  EXPECT_EQ(ActiveBarControl(), sub);
  Key(sub, VK_ESCAPE);
  EXPECT_EQ(SubMenu(), nullptr) << "Escape closes the sub-menu only";
  EXPECT_EQ(popup_->GetBarControl(), menu);
  EXPECT_EQ(ActiveBarControl(), menu);
  Key(menu, VK_RIGHT);
  ASSERT_NE(SubMenu(), nullptr);
  Key(SubMenu(), VK_RETURN);
  EXPECT_EQ(clicks_, (std::vector<std::string>{"&PDF"}));
  EXPECT_EQ(popup_->GetBarControl(), nullptr) << "running an item closes the whole chain";
}

TEST_F(PopupMenus, ASubMenuOpensBesideItsItemAfterTheDelayAndFlipsAtTheEdge) {
  TdxBarSubMenuControl* menu = OpenAt(200, 150);
  TdxBarItemLink* subLink = popup_->ItemLinks()->GetLink(2);
  SendMouse(menu, WM_MOUSEMOVE, CentreOf(subLink));
  EXPECT_EQ(SubMenu(), nullptr) << "nothing before the delay";
  ASSERT_NE(PendingDropDownOpenControl(), nullptr);
  DropDownOpenTimerExpired();
  TdxBarSubMenuControl* sub = SubMenu();
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->SelectedLink(), nullptr) << "opened by the mouse: nothing selected";
  RECT item, window;
  const TRect r = subLink->ItemRect();
  const TPoint topRight = menu->ClientToScreen(TPoint(r.Right, r.Top));
  GetWindowRect(sub->WindowHandle(), &window);
  EXPECT_EQ(window.left, topRight.X);
  EXPECT_EQ(window.top, topRight.Y - menu->GetPainter()->GetMenuBorderSize(menu));
  (void)item;
  Key(sub, VK_ESCAPE);
  Key(menu, VK_ESCAPE);

  // Near the right edge of the work area the sub-menu opens on the left of its item.
  const TRect work = MonitorWorkAreaAt(TPoint(0, 0));
  menu = OpenAt(work.Right - menu->Width() - 20, 150);
  Key(menu, VK_DOWN);
  Key(menu, VK_DOWN);
  Key(menu, VK_DOWN);
  Key(menu, VK_RETURN);
  sub = SubMenu();
  ASSERT_NE(sub, nullptr);
  RECT menuWindow;
  GetWindowRect(menu->WindowHandle(), &menuWindow);
  GetWindowRect(sub->WindowHandle(), &window);
  EXPECT_TRUE(sub->FlippedLeft());
  EXPECT_EQ(window.right, menu->ClientToScreen(subLink->ItemRect().TopLeft()).X) << "it ends at its item's left";
  Key(sub, VK_ESCAPE);
  Key(menu, VK_ESCAPE);
}

// The popup's own loop: Popup returns only when the menu closes; a press outside closes it; a
// command posted while the menu is open still reaches its window.
class TCommandForm : public TForm {
 public:
  using TForm::TForm;
  std::vector<WPARAM> Commands;
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_COMMAND) Commands.push_back(m.WParam);
    TForm::Dispatch(m);
  }
};

TEST_F(PopupMenus, TheOwnLoopEndsWithTheMenuAndForwardsCommands) {
  auto form = std::make_unique<TCommandForm>(nullptr, 0);
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  HWND window = form->WindowHandle();
  popup_->OnPopup = MakeEvent(static_cast<PopupMenus*>(this), &PopupMenus::PoppedUp);
  PostMessageA(window, WM_COMMAND, 4711, 0);
  PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);  // keys go to the menu
  PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
  popup_->Popup(150, 150);
  EXPECT_EQ(popup_->GetBarControl(), nullptr);
  EXPECT_EQ(form->Commands, std::vector<WPARAM>{4711});
  EXPECT_EQ(clicks_, (std::vector<std::string>{"popup", "&Save"})) << "OnPopup, then the second item ran";

  clicks_.clear();
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  popup_->Popup(400, 400);
  EXPECT_EQ(popup_->GetBarControl(), nullptr) << "a press outside closed the menu";
  EXPECT_TRUE(clicks_.size() == 1) << "nothing ran";
  MSG message;
  EXPECT_TRUE(PeekMessageA(&message, window, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE))
      << "the press is left to its window";
}

TEST_F(PopupMenus, EachAnimationEndsWithTheWholeMenuShown) {
  for (TdxBarMenuAnimations kind : {maNone, maUnfold, maSlide, maFade}) {
    manager_->SetMenuAnimations(kind);
    popup_->PopupEx(200, 150, 0, 0, true, nullptr, nullptr, false);
    TdxBarSubMenuControl* menu = popup_->GetBarControl();
    ASSERT_NE(menu, nullptr);
    const TSize size = menu->CalcMenuSize();
    EXPECT_EQ(menu->IsAnimating(), kind == maUnfold || kind == maSlide) << int(kind);
    for (int tick = 0; tick < 100 && menu->IsAnimating(); ++tick) menu->AnimationTick();
    EXPECT_FALSE(menu->IsAnimating());
    RECT window;
    GetWindowRect(menu->WindowHandle(), &window);
    EXPECT_EQ(TSize(window.right - window.left, window.bottom - window.top), size) << int(kind);
    EXPECT_TRUE(IsWindowVisible(menu->WindowHandle())) << int(kind);
    Key(menu, VK_ESCAPE);
  }
  manager_->SetMenuAnimations(maUnfold);
  popup_->PopupEx(200, 150, 0, 0, true, nullptr, nullptr, false);
  TdxBarSubMenuControl* menu = popup_->GetBarControl();
  ASSERT_TRUE(menu->IsAnimating());
  Key(menu, VK_DOWN);
  EXPECT_FALSE(menu->IsAnimating()) << "a key shows the whole menu at once";
  Key(menu, VK_ESCAPE);
}

TEST_F(PopupMenus, ASubItemOnAToolbarOpensBelowItAndRefusesRecursiveMenus) {
  auto* owner = new TTestLinksOwner(form_.get(), manager_, false);
  owner->Links()->AddItem(sub_);
  TCustomdxBarControl* bar = owner->Show();
  TdxBarItemLink* link = owner->Links()->GetLink(0);
  ClickAt(bar, CentreOf(link), CentreOf(link));
  TdxBarSubMenuControl* sub = SubMenu();
  ASSERT_NE(sub, nullptr);
  RECT window;
  GetWindowRect(sub->WindowHandle(), &window);
  const TPoint bottomLeft = bar->ClientToScreen(TPoint(link->ItemRect().Left, link->ItemRect().Bottom));
  EXPECT_EQ(TPoint(window.left, window.top), bottomLeft);
  EXPECT_EQ(sub->OwnerHeight(), link->ItemRect().Height());
  bar->Close();
  EXPECT_EQ(SubMenu(), nullptr);

  std::string text;
  auto* nested = new TdxBarSubItem(form_.get());
  nested->ItemLinks()->AddItem(sub_);
  EXPECT_FALSE(sub_->CanContainItem(nested, text));
  EXPECT_EQ(text, "You cannot create recursive menus");
  EXPECT_FALSE(sub_->CanContainItem(sub_, text));
  EXPECT_FALSE(popup_->CanContainItem(nested, text) && false);
  popup_->SetBarSize(-3);
  EXPECT_EQ(popup_->BarSize(), 0);
}

TEST_F(PopupMenus, InternalMenusTakeAnyItemAndTheCustomizingPopupDoesNotAnimate) {
  manager_->SetMenuAnimations(maUnfold);
  auto* popup = new TdxBarCustomizingPopup(nullptr, manager_);
  std::string text = "x";
  EXPECT_TRUE(popup->CanContainItem(sub_, text));
  EXPECT_EQ(text, "");
  popup->OwnLinks()->AddItem(open_);
  struct TFillWatch {
    TdxBarItemLinks* Seen = nullptr;
    void Filled(TObject*, TdxBarItemLinks* links) { Seen = links; }
  } watch;
  manager_->OnShowCustomizingPopup = MakeEvent(&watch, &TFillWatch::Filled);
  popup->Fill();
  EXPECT_EQ(watch.Seen, popup->OwnLinks());
  popup->SetLeft(200);
  popup->SetTop(200);
  popup->Show();
  EXPECT_FALSE(popup->IsAnimating());
  EXPECT_TRUE(popup->IsInternalPopup());
  popup->HideWindow();
}

}  // namespace

namespace {

class PopupMenuLinks : public PopupMenus {
 public:
  void Action(TdxBarPopupMenuLink*, int& x, int& y, bool byMouse, bool& allow) {
    actions_.push_back({x, y, byMouse});
    allow = allow && allowPopup_;
  }
  void Popped(TObject*) { ++popups_; }
  struct TAction {
    int X, Y;
    bool ByMouse;
  };
  std::vector<TAction> actions_;
  bool allowPopup_ = true;
  int popups_ = 0;
};

TEST_F(PopupMenuLinks, AContextMenuRequestOfTheControlOpensTheBarMenu) {
  auto* panel = new TPanel(form_.get());
  panel->SetParent(form_.get());
  panel->SetBounds(10, 10, 200, 100);
  TdxBarPopupMenuLinks links(manager_);
  TdxBarPopupMenuLink* link = links.Add();
  TForm other(nullptr, 0);
  auto* stranger = new TPanel(&other);
  stranger->SetParent(&other);
  link->SetControl(stranger);
  EXPECT_EQ(link->Control(), nullptr) << "a control of another form is not taken";
  link->SetControl(panel);
  link->SetPopupMenu(popup_);
  link->OnAction = MakeEvent(static_cast<PopupMenuLinks*>(this), &PopupMenuLinks::Action);
  popup_->OnPopup = MakeEvent(static_cast<PopupMenuLinks*>(this), &PopupMenuLinks::Popped);

  const TPoint at = panel->ClientToScreen(TPoint(20, 30));
  PostMessageA(form_->WindowHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  SendMessageA(panel->WindowHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->WindowHandle()),
               MAKELPARAM(at.X, at.Y));
  ASSERT_EQ(actions_.size(), 1u);
  EXPECT_EQ(actions_[0].X, 20);
  EXPECT_EQ(actions_[0].Y, 30);
  EXPECT_TRUE(actions_[0].ByMouse);
  EXPECT_EQ(popups_, 1);

  PostMessageA(form_->WindowHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  SendMessageA(panel->WindowHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->WindowHandle()), -1);
  ASSERT_EQ(actions_.size(), 2u);
  EXPECT_FALSE(actions_[1].ByMouse) << "Shift+F10 passes (-1, -1)";
  EXPECT_EQ(actions_[1].X, -1);
  EXPECT_EQ(popups_, 2);

  allowPopup_ = false;
  SendMessageA(panel->WindowHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->WindowHandle()),
               MAKELPARAM(at.X, at.Y));
  EXPECT_EQ(popups_, 2) << "OnAction vetoed";
  save_->SetShortCut(TextToShortCut("Ctrl+S"));
  EXPECT_FALSE(links.IsShortCut(panel, TextToShortCut("Ctrl+S"))) << "the veto holds for shortcuts too";
  allowPopup_ = true;
  EXPECT_TRUE(links.IsShortCut(panel, TextToShortCut("Ctrl+S")));

  links.Delete(0);
  SendMessageA(panel->WindowHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->WindowHandle()),
               MAKELPARAM(at.X, at.Y));
  EXPECT_EQ(popups_, 2) << "the control has its own window procedure back";
  popup_->OnPopup = nullptr;
}

}  // namespace
