// Keyboard navigation over a real toolbar window: the navigation objects of the window and its
// item controls, key tips (made unique, shown through a key-tip windows manager, typed to run an
// item), Alt through the keyboard hook with the 500 ms wait (ticks are calls: no test waits), Esc,
// and the arrows and Tab between item controls.
#include "calderan_test.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "bars_fixture.h"
#include "barwindow_fixture.h"
#include "dxBarManagerList.h"
#include "dxBarNavigation.h"

namespace {
// The badges the key-tip windows manager was asked for, by caption.
class TBadges : public IdxBarKeyTipWindowsManager {
 public:
  struct TBadge : TObject {
    std::string Caption;
    bool Enabled;
  };
  void Add(const std::string& caption, const TPoint&, int, int, bool enabled, TObject*& window) override {
    auto* badge = new TBadge;
    badge->Caption = caption;
    badge->Enabled = enabled;
    badges_.emplace_back(badge);
    window = badge;
  }
  void Delete(TObject* window) override {
    std::erase_if(badges_, [&](const std::unique_ptr<TBadge>& b) { return b.get() == window; });
  }
  void Show() override { ++Updates; }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const auto& badge : badges_) captions.push_back(badge->Caption);
    std::sort(captions.begin(), captions.end());
    return captions;
  }
  int Updates = 0;

 private:
  std::vector<std::unique_ptr<TBadge>> badges_;
};

TBadges* badges = nullptr;
TdxBarAccessibilityHelper* focusedRoot = nullptr;
TdxBarAccessibilityHelper* FocusedRoot(HWND) { return focusedRoot; }

// A toolbar that is a root with key tips of its own (as the ribbon will be).
class TKeyTipToolbarHelper : public TdxBarControlAccessibilityHelper {
 public:
  using TdxBarControlAccessibilityHelper::TdxBarControlAccessibilityHelper;
  IdxBarKeyTipWindowsManager* GetKeyTipWindowsManager() override { return badges; }
  bool CanShowKeyTips() override { return true; }
};

class TKeyTipToolbar : public TRowBarWindow {
 public:
  using TRowBarWindow::TRowBarWindow;
  std::shared_ptr<TdxBarAccessibilityHelper> CreateAccessibilityHelper() override {
    return std::make_shared<TKeyTipToolbarHelper>(this);
  }
};

class TKeyTipLinksOwner : public TTestLinksOwner {
 public:
  TKeyTipLinksOwner(TForm* form, TdxBarManager* manager)
      : TTestLinksOwner(form, manager, false), form_(form), manager_(manager) {}
  TCustomdxBarControl* CreateBarControl() override {
    auto* bar = new TKeyTipToolbar(form_, manager_);
    bar->Vertical = Vertical;
    bar->SetParent(form_);
    bar->SetBounds(0, 0, 380, Vertical ? 200 : 40);
    return bar;
  }
  bool Vertical = false;

 private:
  TForm* form_;
  TdxBarManager* manager_;
};

constexpr LPARAM AltDown = 0x20380001, AltUp = 0xC0380001;

class BarNavigation : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form_->HandleNeeded();
    form_->Show();
    SetFocus(form_->Handle());
    badges = &badges_;
    SetBarAccessibilityRootHook(FocusedRoot);
    controller_ = BarNavigationController();
    ASSERT_NE(controller_, nullptr);
  }
  void TearDown() override {
    controller_->StopNavigation();
    controller_->ExitNavigationMode();
    SetBarAccessibilityRootHook(nullptr);
    focusedRoot = nullptr;
    badges = nullptr;
    BarFixture::TearDown();
  }
  // A toolbar of buttons; each click is logged by caption.
  TCustomdxBarControl* ShowToolbar(const std::vector<std::string>& captions, bool vertical = false) {
    owner_ = new TKeyTipLinksOwner(form_.get(), manager_);
    owner_->Vertical = vertical;
    for (const std::string& caption : captions) {
      auto* button = new TdxBarButton(form_.get());
      button->SetCaption(caption);
      button->OnClick = MakeEvent(this, &BarNavigation::Clicked);
      owner_->Links()->AddItem(button);
    }
    bar_ = owner_->Show();
    focusedRoot = GetBarAccessibilityHelper(bar_);
    return bar_;
  }
  void Clicked(TObject* sender) { clicks_.push_back(static_cast<TdxBarItem*>(sender)->Caption()); }
  TdxBarItemLink* Link(int index) const { return owner_->Links()->GetLink(index); }
  TdxBarAccessibilityHelper* HelperOf(int index) const { return GetBarAccessibilityHelper(Link(index)->Control()); }
  int SelectedIndex() const {
    TdxBarItemControl* selected = bar_->SelectedControl();
    for (int i = 0; i < owner_->Links()->Count(); ++i)
      if (Link(i)->Control() == selected) return i;
    return -1;
  }
  // Alt pressed and released through the keyboard hook.
  void PressAlt() {
    EXPECT_EQ(CallBarKeyboardHookDirectly(VK_MENU, AltDown), 0);
    EXPECT_EQ(CallBarKeyboardHookDirectly(VK_MENU, AltUp), 1) << "the release enters navigation";
  }
  LRESULT TypeKey(Word key) { return CallBarKeyboardHookDirectly(key, MapVirtualKeyA(key, MAPVK_VK_TO_VSC) << 16 | 1); }

  TBadges badges_;
  TdxBarNavigationController* controller_ = nullptr;
  TKeyTipLinksOwner* owner_ = nullptr;
  TCustomdxBarControl* bar_ = nullptr;
  std::vector<std::string> clicks_;
};

std::vector<std::string> UniqueKeyTips(const std::vector<std::string>& texts) {
  TdxBarKeyTipDataList list;
  for (const std::string& text : texts) {
    TdxBarKeyTipInfo info;
    info.KeyTip = text;
    list.emplace_back(new TdxBarKeyTipData(info));
  }
  TdxBarNavigationController::MakeKeyTipsUnique(list);
  std::vector<std::string> result;
  for (const auto& data : list) result.push_back(data->KeyTipInfo().KeyTip);
  return result;
}
}  // namespace

TEST(KeyTips, SameTextsAreNumberedAndABeginningOfAnotherGetsOne) {
  struct TCase {
    std::vector<std::string> Texts, Unique;
  } cases[] = {
      {{"F", "F"}, {"F1", "F2"}},
      {{"F", "FX"}, {"F1", "FX"}},
      {{"A", "B"}, {"A", "B"}},
      {std::vector<std::string>(12, "H"),
       {"H01", "H02", "H03", "H04", "H05", "H06", "H07", "H08", "H09", "H10", "H11", "H12"}},
      {{"F", "F", "F1"}, {"F11", "F2", "F12"}},
  };
  for (const TCase& c : cases) EXPECT_EQ(UniqueKeyTips(c.Texts), c.Unique) << c.Texts.size();
}

// The shortcut's letter, else the caption's accelerator, else Y; an assigned key tip wins, cut to 3.
TEST_F(BarNavigation, AnItemsKeyTip) {
  ShowToolbar({"Open", "&save", "Print", "Export"});
  Link(0)->Item()->SetShortCut(scCtrl | 'O');
  Link(3)->Item()->SetKeyTip("EXPO");
  const char* expected[] = {"O", "S", "Y", "EXP"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(HelperOf(i)->GetKeyTip(), expected[i]) << i;
}

// The tree: the toolbar's children are its item controls, their parent the toolbar; a control's
// bounds on the screen are its rectangle in the window.
TEST_F(BarNavigation, TheToolbarsTreeOfItemControls) {
  ShowToolbar({"&Open", "&Save"});
  TdxBarAccessibilityHelper* toolbar = GetBarAccessibilityHelper(bar_);
  ASSERT_EQ(toolbar->GetChildCount(), 2);
  EXPECT_EQ(toolbar->GetChild(1), HelperOf(1));
  EXPECT_EQ(toolbar->IndexOfChild(HelperOf(1)), 1);
  EXPECT_EQ(HelperOf(0)->GetParent(), toolbar);
  EXPECT_EQ(HelperOf(0)->GetRootHelper(), toolbar);
  EXPECT_EQ(HelperOf(1)->GetScreenRect(), (TRect{bar_->ClientToScreen(Link(1)->ItemRect().TopLeft()),
                                                 bar_->ClientToScreen(Link(1)->ItemRect().BottomRight())}));
  EXPECT_EQ(toolbar->GetFirstSelectableObject(), HelperOf(0));
  EXPECT_EQ(toolbar->GetNextSelectableChildIndex(-1, false), 1);
  EXPECT_THROW(toolbar->GetNextSelectableChildIndex(2, true), Exception);
  EXPECT_THROW(HelperOf(0)->GetRootBarManager(), Exception) << "only roots are asked";
  EXPECT_EQ(toolbar->GetRootBarManager(), manager_);
  bar_->SetVisible(false);
  EXPECT_FALSE(HelperOf(0)->IsObjectVisible());
  EXPECT_EQ(toolbar->GetFirstSelectableObject(), nullptr);
}

// A quick Alt: navigation starts on the first item and the key tips show on the release; a letter
// runs its item and ends navigation.
TEST_F(BarNavigation, AltShowsKeyTipsAndALetterRunsTheItem) {
  ShowToolbar({"&Open", "&Save", "&Print"});
  Link(2)->Item()->SetEnabled(false);
  PressAlt();
  EXPECT_TRUE(controller_->NavigationMode());
  EXPECT_TRUE(bar_->Active());
  EXPECT_EQ(SelectedIndex(), 0);
  EXPECT_EQ(controller_->SelectedObject(), HelperOf(0));
  ASSERT_TRUE(controller_->IsKeyTipsShowing());
  EXPECT_EQ(badges_.Captions(), (std::vector<std::string>{"O", "P", "S"}));
  EXPECT_EQ(TypeKey('S'), 1) << "swallowed";
  EXPECT_EQ(clicks_, (std::vector<std::string>{"&Save"}));
  EXPECT_FALSE(controller_->IsKeyTipsShowing());
  EXPECT_TRUE(badges_.Captions().empty());
  EXPECT_FALSE(bar_->Active());
  // A disabled item's key tip runs nothing.
  PressAlt();
  TypeKey('P');
  EXPECT_EQ(clicks_, (std::vector<std::string>{"&Save"}));
}

// Alt held: key tips appear when the 500 ms wait ends; a release first shows them at once.
TEST_F(BarNavigation, HoldingAltShowsKeyTipsAfterTheWait) {
  ShowToolbar({"&Open", "&Save"});
  CallBarKeyboardHookDirectly(VK_MENU, AltDown);
  ASSERT_TRUE(controller_->IsKeyTipsWaiting());
  EXPECT_EQ(controller_->KeyTipsWaitingRoot(), GetBarAccessibilityHelper(bar_));
  EXPECT_FALSE(controller_->IsKeyTipsShowing());
  controller_->KeyTipsWaitingTimerExpired();
  EXPECT_TRUE(controller_->IsKeyTipsShowing()) << "still held";
  EXPECT_FALSE(controller_->IsKeyTipsWaiting());
  CallBarKeyboardHookDirectly(VK_MENU, AltUp);
  EXPECT_TRUE(controller_->NavigationMode());
  EXPECT_TRUE(controller_->IsKeyTipsShowing());
  controller_->StopNavigation();
  // While Alt is held a letter no key tip has beeps and the wait goes on; a key tip's letter runs
  // its item and ends the wait.
  CallBarKeyboardHookDirectly(VK_MENU, AltDown);
  EXPECT_EQ(TypeKey('X'), 1);
  EXPECT_TRUE(controller_->IsKeyTipsWaiting());
  EXPECT_EQ(TypeKey('O'), 1);
  EXPECT_EQ(clicks_, (std::vector<std::string>{"&Open"}));
  EXPECT_FALSE(controller_->IsKeyTipsWaiting());
  EXPECT_FALSE(controller_->IsKeyTipsShowing());
}

// F10 enters navigation as Alt does, only where the manager uses it for the menu.
TEST_F(BarNavigation, F10EntersNavigationOnlyWithUseF10ForMenu) {
  ShowToolbar({"&Open", "&Save"});
  for (bool useF10 : {false, true}) {
    manager_->SetUseF10ForMenu(useF10);
    CallBarKeyboardHookDirectly(VK_F10, 0x00440001);
    EXPECT_EQ(CallBarKeyboardHookDirectly(VK_F10, 0xC0440001), useF10 ? 1 : 0) << useF10;
    EXPECT_EQ(controller_->IsKeyTipsShowing(), useF10) << useF10;
    EXPECT_EQ(bar_->Active(), useF10) << useF10;
    controller_->StopNavigation();
  }
}

// Typing the beginning of key tips narrows the badges; a letter no key tip starts with keeps them;
// the rest of one runs it.
TEST_F(BarNavigation, TypedLettersNarrowTheKeyTips) {
  ShowToolbar({"&Find", "&File", "&Open"});
  PressAlt();
  EXPECT_EQ(badges_.Captions(), (std::vector<std::string>{"F1", "F2", "O"}));
  TypeKey('F');
  EXPECT_EQ(controller_->TypedKeyTip(), "F");
  EXPECT_EQ(badges_.Captions(), (std::vector<std::string>{"F1", "F2"}));
  TypeKey('Q');
  EXPECT_EQ(controller_->TypedKeyTip(), "F");
  EXPECT_EQ(badges_.Captions(), (std::vector<std::string>{"F1", "F2"}));
  EXPECT_TRUE(clicks_.empty());
  TypeKey('2');
  EXPECT_EQ(clicks_, (std::vector<std::string>{"&File"}));
}

// Esc with the top level's key tips ends navigation; Alt during navigation leaves it.
TEST_F(BarNavigation, EscAndASecondAltLeave) {
  ShowToolbar({"&Open", "&Save"});
  PressAlt();
  controller_->HandleNavigationKey(VK_ESCAPE);
  EXPECT_FALSE(controller_->IsKeyTipsShowing());
  EXPECT_FALSE(bar_->Active());
  EXPECT_EQ(controller_->SelectedObject(), nullptr);
  PressAlt();
  controller_->HandleNavigationKey(VK_RIGHT);
  EXPECT_FALSE(controller_->IsKeyTipsShowing()) << "a key that is no key tip hides them";
  EXPECT_EQ(SelectedIndex(), 1);
  controller_->HandleNavigationKey(VK_MENU);
  EXPECT_FALSE(bar_->Active());
  EXPECT_EQ(controller_->SelectedObject(), nullptr);
}

// Along a toolbar the arrows walk the links round; Tab goes on and wraps, Shift+Tab goes back; on
// a vertical toolbar Down walks and Right searches by geometry, without wrapping (the test window
// lays its items out in a row either way).
TEST_F(BarNavigation, ArrowsAndTabMoveBetweenItemControls) {
  struct TCase {
    bool Vertical;
    int From;
    Word Key;
    bool Shift;
    int To;
  } cases[] = {
      {false, 0, VK_RIGHT, false, 1}, {false, 2, VK_RIGHT, false, 0}, {false, 0, VK_LEFT, false, 2},
      {false, 1, VK_DOWN, false, 1},  {false, 2, VK_TAB, false, 0},   {false, 0, VK_TAB, true, 2},
      {true, 0, VK_DOWN, false, 1},   {true, 2, VK_DOWN, false, 0},   {true, 1, VK_RIGHT, false, 2},
      {true, 2, VK_RIGHT, false, 2},
  };
  for (const TCase& c : cases) {
    ShowToolbar({"&Open", "&Save", "&Print"}, c.Vertical);
    controller_->EnterNavigationMode(GetBarAccessibilityHelper(bar_));
    controller_->StopKeyTips();
    controller_->ChangeSelectedObject(false, HelperOf(c.From));
    ASSERT_EQ(SelectedIndex(), c.From);
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = c.Shift ? 0x80 : 0;
    SetKeyboardState(state);
    controller_->HandleNavigationKey(c.Key);
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
    EXPECT_EQ(SelectedIndex(), c.To) << c.Vertical << " from " << c.From << " key " << c.Key << " shift " << c.Shift;
    EXPECT_TRUE(bar_->Active());
    controller_->StopNavigation();
    delete bar_;
    delete owner_;
  }
}

// The wait refuses a nil root or a second root; from the keyboard hook neither raises: no root
// starts nothing, another root starts the wait again with it.
TEST_F(BarNavigation, TheKeyTipWaitFromTheHookNeverRaises) {
  ShowToolbar({"&Open"});
  TdxBarAccessibilityHelper* first = GetBarAccessibilityHelper(bar_);
  TKeyTipLinksOwner other(form_.get(), manager_);
  TCustomdxBarControl* otherBar = other.Show();
  TdxBarAccessibilityHelper* second = GetBarAccessibilityHelper(otherBar);
  EXPECT_THROW(controller_->StartKeyTipsWaiting(nullptr), Exception);
  controller_->StartKeyTipsWaiting(first);
  EXPECT_THROW(controller_->StartKeyTipsWaiting(second), Exception);
  struct TCase {
    TdxBarAccessibilityHelper* Focused;
    TdxBarAccessibilityHelper* Waited;
  } cases[] = {{nullptr, first}, {second, second}, {first, first}};
  for (const TCase& c : cases) {
    focusedRoot = c.Focused;
    EXPECT_EQ(CallBarKeyboardHookDirectly(VK_MENU, AltDown), 0);
    EXPECT_EQ(controller_->KeyTipsWaitingRoot(), c.Waited);
  }
  focusedRoot = nullptr;
  EXPECT_EQ(CallBarKeyboardHookDirectly(VK_MENU, AltUp), 0) << "no root: Alt goes on to the window";
  EXPECT_FALSE(controller_->IsKeyTipsWaiting());
  delete otherBar;
}

// A window that goes while its key tips show and an item is selected leaves nothing behind.
TEST_F(BarNavigation, AWindowThatGoesIsForgotten) {
  ShowToolbar({"&Open", "&Save"});
  PressAlt();
  ASSERT_TRUE(controller_->IsKeyTipsShowing());
  delete bar_;
  focusedRoot = nullptr;
  EXPECT_FALSE(controller_->IsKeyTipsShowing());
  EXPECT_EQ(controller_->SelectedObject(), nullptr);
  EXPECT_EQ(controller_->SelectedObjectParent(), nullptr);
  controller_->HandleNavigationKey(VK_RIGHT);
  EXPECT_EQ(controller_->SelectedObject(), nullptr);
}
