#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "ActnList.h"
#include "bars_fixture.h"
#include "dxBarButtons.h"
#include "dxBarItemActionLink.h"
#include "dxBarItemLinks.h"
#include "dxBarItemStylesData.h"

namespace {

class BarButtons : public BarFixture {
 protected:
  TdxBarButton* NewButton(TdxBarButtonStyle style, int group = 0) {
    auto* button = new TdxBarButton(form_.get());
    button->SetButtonStyle(style);
    button->SetGroupIndex(group);
    return button;
  }
};

TEST_F(BarButtons, NewItemsAndTheirDefaults) {
  TdxBarButton button(form_.get());
  TdxBarSeparator separator(form_.get());
  TdxBarItem item(form_.get());
  TdxBarLabel label(form_.get());
  EXPECT_EQ(button.GetDefaultCaption(), "New Button");
  EXPECT_EQ(separator.GetDefaultCaption(), "New Separator");
  EXPECT_EQ(item.GetDefaultCaption(), "New Item");
  EXPECT_TRUE(button.UnclickAfterDoing());
  EXPECT_TRUE(button.CloseSubMenuOnClick());
  EXPECT_TRUE(button.DropDownEnabled());
  EXPECT_TRUE(button.SupportsPaintStyle());
  EXPECT_FALSE(item.SupportsPaintStyle());
  EXPECT_TRUE(label.ShowCaption());
  EXPECT_EQ(button.ButtonStyle(), bsDefault);
  EXPECT_EQ(item.GetSupportedActions(), 0x219);
  EXPECT_EQ(button.GetSupportedActions(), 0x239);
  EXPECT_EQ(separator.GetSupportedActions(), 0x219);
}

// Three checkable buttons of one group: one down at a time; the last one stays down unless the
// group allows all up.
TEST_F(BarButtons, GroupOfCheckableButtons) {
  TdxBarButton* a = NewButton(bsChecked, 1);
  TdxBarButton* b = NewButton(bsChecked, 1);
  TdxBarButton* c = NewButton(bsCheckedDropDown, 1);
  TdxBarButton* other = NewButton(bsChecked, 2);
  other->SetDown(true);
  struct TStep {
    TdxBarButton* Button;
    bool Down;
    std::vector<bool> After;
  } const steps[] = {
      {a, true, {true, false, false}},
      {b, true, {false, true, false}},   // releases a
      {b, false, {false, true, false}},  // the only one down: refused
      {c, true, {false, false, true}},
  };
  for (const TStep& s : steps) {
    s.Button->SetDown(s.Down);
    EXPECT_EQ((std::vector<bool>{a->Down(), b->Down(), c->Down()}), s.After);
  }
  EXPECT_TRUE(other->Down());  // another group
  a->SetAllowAllUp(true);
  EXPECT_TRUE(c->AllowAllUp());  // the whole group takes it
  c->SetDown(false);
  EXPECT_FALSE(c->Down());
}

TEST_F(BarButtons, StyleAndGroupIndexRules) {
  TdxBarButton* plain = NewButton(bsDefault);
  plain->SetGroupIndex(3);
  EXPECT_EQ(plain->GroupIndex(), 0);
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());  // not checkable
  TdxBarButton* check = NewButton(bsChecked, 4);
  EXPECT_EQ(check->GroupIndex(), 4);
  check->SetAllowAllUp(true);
  check->SetDown(true);
  check->SetButtonStyle(bsCheckedDropDown);
  EXPECT_FALSE(check->Down());  // a new style releases it
  EXPECT_TRUE(check->HasDropDownPart());
  EXPECT_TRUE(check->IsCheckable());
}

struct TOrderLog {
  std::vector<std::string> Calls;
  TdxBarButton* Button = nullptr;
  void Click(TObject*) { Calls.push_back(Button->Down() ? "click:down" : "click:up"); }
};

TEST_F(BarButtons, AShortcutTogglesACheckableButtonBeforeItsClick) {
  TOrderLog log;
  TdxBarButton* button = NewButton(bsChecked);
  log.Button = button;
  button->OnClick = MakeEvent(&log, &TOrderLog::Click);
  button->SetShortCut(0x4042);
  EXPECT_TRUE(button->IsShortCut(0x4042));
  EXPECT_TRUE(button->IsShortCut(0x4042));
  EXPECT_EQ(log.Calls, (std::vector<std::string>{"click:down", "click:up"}));
}

TEST_F(BarButtons, ASeparatorGoesOnlyIntoMenus) {
  TdxBarSeparator separator(form_.get());
  std::string text;
  EXPECT_FALSE(separator.CanBePlacedOn(0, nullptr, text));
  EXPECT_EQ(text, "A separator item cannot be placed on the specified toolbar");
  EXPECT_TRUE(separator.CanBePlacedOn(1, nullptr, text));
  EXPECT_EQ(text, "");
}

// A popup menu whose links hold a button whose drop-down menu is that popup menu.
class TTestMenu : public TComponent, public IdxBarLinksOwner {
 public:
  TTestMenu(TComponent* owner, TdxBarManager* manager) : TComponent(owner), Links(manager, this) {}
  bool CanContainItem(TdxBarItem*, std::string&) override { return true; }
  TCustomdxBarControl* CreateBarControl() override { return nullptr; }
  TComponent* GetInstance() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return &Links; }
  TdxBarSubMenuControlItemLinks Links;
};

TdxBarItemLinks* TestMenuLinks(TComponent* menu) {
  auto* test = dynamic_cast<TTestMenu*>(menu);
  return test ? &test->Links : nullptr;
}

TEST_F(BarButtons, RecursiveDropDownMenusAreRefused) {
  SetBarPopupMenuLinksFunc(TestMenuLinks);
  TdxBarButton* button = NewButton(bsDropDown);
  TdxBarButton* inner = NewButton(bsDropDown);
  auto* menu = new TTestMenu(form_.get(), manager_);
  auto* innerMenu = new TTestMenu(form_.get(), manager_);
  inner->SetDropDownMenu(innerMenu);
  innerMenu->Links.AddItem(button);  // the inner button's menu shows the outer button
  menu->Links.AddItem(inner);
  try {
    button->SetDropDownMenu(menu);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "You cannot create recursive menus");
  }
  EXPECT_EQ(button->DropDownMenu(), nullptr);
  auto* plainMenu = new TTestMenu(form_.get(), manager_);
  button->SetDropDownMenu(plainMenu);
  EXPECT_EQ(button->GetOwnItemLinks(), &plainMenu->Links);
  delete plainMenu;
  EXPECT_EQ(button->DropDownMenu(), nullptr);  // its removal clears the reference
  SetBarPopupMenuLinksFunc(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Actions.

struct TActionLog {
  int Executed = 0, Clicked = 0;
  void Execute(TObject*) { ++Executed; }
  void Click(TObject*) { ++Clicked; }
};

TEST_F(BarButtons, AnActionFillsTheItemAndRunsOnItsClick) {
  TActionLog log;
  TAction action(form_.get());
  action.SetCaption("&Open...");
  action.SetHint("Open|Opens a file");
  action.SetShortCut(0x4F | 0x4000);
  action.SetImageIndex(3);
  action.OnExecute = MakeEvent(&log, &TActionLog::Execute);
  TdxBarButton* button = NewButton(bsDefault);
  button->SetAction(&action);
  EXPECT_EQ(button->Caption(), "&Open...");
  EXPECT_EQ(button->Hint(), "Open|Opens a file");
  EXPECT_EQ(button->ShortCut(), 0x404F);
  EXPECT_EQ(button->ImageIndex(), 3);
  button->Click();
  EXPECT_EQ(log.Executed, 1);  // OnClick is the action's: the action runs once
  // The action's changes follow while the item shows its values.
  action.SetCaption("&Load");
  EXPECT_EQ(button->Caption(), "&Load");
  action.SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  action.SetEnabled(true);
  action.SetVisible(false);
  EXPECT_EQ(button->Visible(), ivNever);
  action.SetVisible(true);
  EXPECT_FALSE(IsStoredProp(button, FindPublishedProperty(button->ClassType(), "Caption")));
  // A caption of its own stays, and is then stored.
  button->SetCaption("Mine");
  action.SetCaption("&Read");
  EXPECT_EQ(button->Caption(), "Mine");
  EXPECT_TRUE(IsStoredProp(button, FindPublishedProperty(button->ClassType(), "Caption")));
  // An OnClick of its own runs in place of the action.
  button->OnClick = MakeEvent(&log, &TActionLog::Click);
  button->Click();
  EXPECT_EQ(log.Clicked, 1);
  EXPECT_EQ(log.Executed, 1);
}

TEST_F(BarButtons, ACheckedActionSetsDownAndTheItemGoesWhenTheActionGoes) {
  auto* action = new TAction(form_.get());
  action->SetChecked(true);
  TdxBarButton* button = NewButton(bsChecked);
  button->SetAction(action);
  EXPECT_TRUE(button->Down());
  action->SetChecked(false);
  EXPECT_FALSE(button->Down());
  delete action;
  EXPECT_EQ(button->Action(), nullptr);
  EXPECT_EQ(button->ActionLink(), nullptr);
}

TEST_F(BarButtons, AnItemWritesItselfToAnAction) {
  TdxBarButton* button = NewButton(bsChecked);
  button->SetCaption("Play");
  button->SetDown(true);
  button->SetHelpContext(7);
  button->SetVisible(ivNever);
  TAction action(form_.get());
  action.Assign(button);
  EXPECT_EQ(action.Caption(), "Play");
  EXPECT_TRUE(action.Checked());
  EXPECT_EQ(action.HelpContext(), 7);
  EXPECT_FALSE(action.Visible());
  TdxBarButton other(form_.get());
  EXPECT_THROW(other.Assign(&action), EConvertError);  // an action is no bar item
}

// ---------------------------------------------------------------------------------------------
// Style slots.

struct TKindLog {
  std::vector<int> Kinds;
  void Changed(int kind) { Kinds.push_back(kind); }
};

TEST_F(BarButtons, StyleSlotsListenOnceAndReportTheKindOfChange) {
  TcxStyle style(nullptr);
  TKindLog log;
  {
    TdxBarItemStylesData data(2);
    data.OnChange = MakeEvent(&log, &TKindLog::Changed);
    data.SetStyle(0, &style);
    data.SetStyle(1, &style);
    style.SetTextColor(clRed);
    EXPECT_EQ(log.Kinds, std::vector<int>{dxBarStyleColorsChanged});
    log.Kinds.clear();
    style.Font()->SetSize(style.Font()->Size() + 4);
    EXPECT_EQ(log.Kinds, std::vector<int>{dxBarStyleFontChanged});
    log.Kinds.clear();
    data.BeginChange();
    data.NotifyStyleChanged(&style);  // nothing new
    style.SetColor(clBlue);
    data.EndChange();
    EXPECT_EQ(data.GetViewParams(0).Color, clBlue);
    EXPECT_EQ(data.GetViewParams(1).TextColor, clRed);
    data.SetStyle(0, nullptr);
    log.Kinds.clear();
    style.SetColor(clGreen);  // slot 1 still listens
    EXPECT_EQ(log.Kinds.size(), 1u);
    data.SetStyle(1, nullptr);
    log.Kinds.clear();
    style.SetColor(clYellow);  // nobody listens
    EXPECT_TRUE(log.Kinds.empty());
  }
}

TEST_F(BarButtons, ChangesUnderOneLockGiveOneNoticeAndAFontChangeWins) {
  TcxStyle style(nullptr);
  TKindLog log;
  TdxBarItemStylesData data(1);
  data.OnChange = MakeEvent(&log, &TKindLog::Changed);
  data.SetStyle(0, &style);
  log.Kinds.clear();
  data.BeginChange();
  style.SetColor(clBlue);
  style.Font()->SetName("Arial");
  style.SetTextColor(clRed);
  data.EndChange();
  EXPECT_EQ(log.Kinds, std::vector<int>{dxBarStyleFontChanged});
}

TEST_F(BarButtons, AStyleThatGoesLeavesTheItem) {
  auto* style = new TcxStyle(nullptr);
  TdxBarButton* button = NewButton(bsDefault);
  button->SetStyle(style);
  style->SetColor(clRed);
  EXPECT_EQ(button->GetStyleViewParams().Color, clRed);
  delete style;
  EXPECT_EQ(button->Style(), nullptr);
  EXPECT_EQ(button->GetStyleViewParams().Color, clDefault);
}

}  // namespace
