#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "bars_fixture.h"
#include "barwindow_fixture.h"
#include "dxBarItemRegistry.h"

namespace {

std::vector<std::string>* dropLog = nullptr;

// A button whose control records when its drop-down opens and closes (popup menus are not needed
// to see the timing).
class TTimedButton : public TdxBarButton {
  CALDERAN_CLASS(TTimedButton)
  using TdxBarButton::TdxBarButton;
};
CALDERAN_IMPLEMENT_CREATABLE(TTimedButton, TdxBarButton, TComponent*)

class TTimedButtonControl : public TdxBarButtonControl {
  CALDERAN_CLASS(TTimedButtonControl)
  using TdxBarButtonControl::TdxBarButtonControl;
  bool IsDroppedDown() const override { return open_; }
  void DropDown(bool byMouse) override {
    if (open_) return;
    open_ = true;
    dropLog->push_back(std::string(byMouse ? "open:" : "key-open:") + Item()->Caption());
  }
  void CloseUp(bool hideMenu) override {
    TdxBarButtonControl::CloseUp(hideMenu);
    if (!open_) return;
    open_ = false;
    dropLog->push_back("close:" + Item()->Caption());
  }

 private:
  bool open_ = false;
};
CALDERAN_IMPLEMENT_CREATABLE(TTimedButtonControl, TdxBarButtonControl, TdxBarItemLink*)

class ButtonControl : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form_->HandleNeeded();
    form_->Show();
    RegisterBarItemClass(TTimedButton::StaticClass(), TTimedButtonControl::StaticClass(), false);
    dropLog = &drops_;
  }
  void TearDown() override {
    while (PendingDropDownOpenControl()) DropDownOpenTimerExpired();
    while (PendingDropDownCloseControl()) DropDownCloseTimerExpired();
    UnregisterBarItemClass(TTimedButton::StaticClass());
    dropLog = nullptr;
    BarFixture::TearDown();
  }
  // "Export" with a drop-down, then a plain "Save" and a check-style "Bold".
  TCustomdxBarControl* ShowButtons(bool menu) {
    owner_ = new TTestLinksOwner(form_.get(), manager_, menu);
    auto add = [&](const char* caption, TdxBarButtonStyle style) {
      auto* button = new TTimedButton(form_.get());
      button->SetCaption(caption);
      button->SetButtonStyle(style);
      button->OnClick = MakeEvent(this, &ButtonControl::Clicked);
      owner_->Links()->AddItem(button);
    };
    add("Export", bsDropDown);
    add("Save", bsDefault);
    add("Bold", bsChecked);
    return owner_->Show();
  }
  void Clicked(TObject* sender) { clicks_.push_back(static_cast<TdxBarItem*>(sender)->Caption()); }
  TdxBarItemLink* Link(int index) const { return owner_->Links()->GetLink(index); }
  TdxBarButtonLikeControl* Control(int index) const {
    return static_cast<TdxBarButtonLikeControl*>(Link(index)->Control());
  }

  TTestLinksOwner* owner_ = nullptr;
  std::vector<std::string> drops_;
  std::vector<std::string> clicks_;
};

// In a menu window: resting on a drop-down button until its timer fires opens it; moving on
// before that opens nothing; leaving an open one closes it when the close timer fires.
TEST_F(ButtonControl, InAMenuTheDropDownOpensAndClosesAfterTheDelay) {
  TCustomdxBarControl* menu = ShowButtons(true);
  SendMouse(menu, WM_MOUSEMOVE, CentreOf(Link(0)));
  EXPECT_EQ(PendingDropDownOpenControl(), Control(0));
  SendMouse(menu, WM_MOUSEMOVE, CentreOf(Link(1)));
  EXPECT_EQ(PendingDropDownOpenControl(), nullptr);
  EXPECT_TRUE(drops_.empty());

  SendMouse(menu, WM_MOUSEMOVE, CentreOf(Link(0)));
  DropDownOpenTimerExpired();
  EXPECT_EQ(drops_, (std::vector<std::string>{"open:Export"}));

  SendMouse(menu, WM_MOUSEMOVE, CentreOf(Link(1)));
  EXPECT_EQ(PendingDropDownCloseControl(), Control(0));
  EXPECT_EQ(drops_.size(), 1u);
  DropDownCloseTimerExpired();
  EXPECT_EQ(drops_, (std::vector<std::string>{"open:Export", "close:Export"}));
  EXPECT_EQ(PendingDropDownCloseControl(), nullptr);
}

TEST_F(ButtonControl, ReturningToAButtonBeforeItsCloseTimerKeepsItOpen) {
  TCustomdxBarControl* menu = ShowButtons(true);
  SendMouse(menu, WM_MOUSEMOVE, CentreOf(Link(0)));
  DropDownOpenTimerExpired();
  SendMouse(menu, WM_MOUSEMOVE, CentreOf(Link(1)));
  SendMouse(menu, WM_MOUSEMOVE, CentreOf(Link(0)));
  EXPECT_EQ(PendingDropDownCloseControl(), nullptr);
  EXPECT_EQ(drops_, (std::vector<std::string>{"open:Export"}));
}

// In a toolbar nothing waits: hovering opens nothing until the user presses along the bar.
TEST_F(ButtonControl, InAToolbarTheDropDownOpensAtOnceOnlyWhilePressed) {
  TCustomdxBarControl* bar = ShowButtons(false);
  SendMouse(bar, WM_MOUSEMOVE, CentreOf(Link(1)));
  SendMouse(bar, WM_MOUSEMOVE, CentreOf(Link(0)));
  EXPECT_EQ(PendingDropDownOpenControl(), nullptr);
  EXPECT_TRUE(drops_.empty());

  SendMouse(bar, WM_MOUSEMOVE, CentreOf(Link(1)));
  bar->ActivateWithControl(Control(1));
  bar->SetDowned(true);
  SendMouse(bar, WM_MOUSEMOVE, CentreOf(Link(0)));
  EXPECT_EQ(drops_, (std::vector<std::string>{"open:Export"}));
  EXPECT_EQ(PendingDropDownOpenControl(), nullptr);
}

TEST_F(ButtonControl, DropDownKeysDependOnTheWindow) {
  struct TCase {
    bool Menu;
    Word Key;
    bool Opens;
  } cases[] = {
      {false, VK_DOWN, true}, {false, VK_UP, true}, {false, VK_RIGHT, false}, {false, VK_SPACE, false},
      {true, VK_RIGHT, true}, {true, VK_DOWN, false}, {true, VK_LEFT, false},
  };
  for (const TCase& c : cases) {
    TCustomdxBarControl* bar = ShowButtons(c.Menu);
    EXPECT_EQ(Control(0)->IsDropDownKey(c.Key), c.Opens) << c.Menu << " " << c.Key;
    EXPECT_FALSE(Control(1)->IsDropDownKey(c.Key));  // no drop-down
    bar->ActivateWithControl(Control(0));
    drops_.clear();
    Word key = c.Key;
    bar->KeyDownToSelectedItem(key, {});
    EXPECT_EQ(!drops_.empty(), c.Opens) << c.Menu << " " << c.Key;
    bar->Close();
    delete owner_;
  }
}

// A release on the arrow part does not click; on the button part it does.
TEST_F(ButtonControl, OnlyTheButtonPartClicks) {
  TCustomdxBarControl* bar = ShowButtons(false);
  const TRect r = Link(0)->ItemRect();
  ASSERT_EQ(Control(0)->PartRectCount(), 2);
  const TPoint arrow((Control(0)->PartRect(1).Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  const TPoint face(r.Left + 3, (r.Top + r.Bottom) / 2);
  ClickAt(bar, arrow, arrow);
  EXPECT_TRUE(clicks_.empty());
  bar->Close();
  ClickAt(bar, face, face);
  EXPECT_EQ(clicks_, (std::vector<std::string>{"Export"}));
}

TEST_F(ButtonControl, ACheckStyleButtonTogglesDownAndAPlainOneNever) {
  TCustomdxBarControl* bar = ShowButtons(false);
  auto* bold = static_cast<TdxBarButton*>(Link(2)->Item());
  auto* save = static_cast<TdxBarButton*>(Link(1)->Item());
  for (bool expected : {true, false, true}) {
    ClickAt(bar, CentreOf(Link(2)), CentreOf(Link(2)));
    EXPECT_EQ(bold->Down(), expected);
    ClickAt(bar, CentreOf(Link(1)), CentreOf(Link(1)));
    EXPECT_FALSE(save->Down());
  }
  EXPECT_EQ(clicks_.size(), 6u);
}

}  // namespace
