#include "calderan_test.h"

#include <string>
#include <vector>

#include "ActnList.h"
#include "Forms.h"
#include "forms_fixture.h"
#include "StdCtrls.h"

namespace {

class Actions : public FormsFixture {};

struct TRecorder {
  std::vector<std::string> log;
  void Execute(TObject* sender) {
    auto* action = static_cast<TBasicAction*>(sender);
    log.push_back("execute from " + (action->ActionComponent() ? action->ActionComponent()->Name() : std::string("-")));
  }
  void Click(TObject*) { log.push_back("own click"); }
  void ListExecute(TBasicAction*, bool& handled) {
    log.push_back("list");
    handled = stopAtList;
  }
  bool stopAtList = false;
};

TEST_F(Actions, LinkedControlsFollowTheActionAndRunItWhenClicked) {
  TForm form(nullptr, 0);
  TActionList list(&form);
  auto* save = new TAction(&form);
  save->SetActionList(&list);
  save->SetCaption("&Save");
  save->SetHint("Save the list");
  auto* button = new TButton(&form);
  button->SetName("SaveButton");
  button->SetParent(&form);
  TRecorder r;
  save->OnExecute = MakeEvent(&r, &TRecorder::Execute);
  button->SetAction(save);
  EXPECT_EQ(button->Caption(), "&Save");
  EXPECT_EQ(button->Hint(), "Save the list");
  save->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  button->Click();  // a disabled action does not run
  save->SetEnabled(true);
  EXPECT_TRUE(button->Enabled());
  button->Click();
  EXPECT_EQ(save->ActionComponent(), nullptr);  // only while it runs

  list.OnExecute = MakeEvent(&r, &TRecorder::ListExecute);
  button->Click();  // the list sees it first
  r.stopAtList = true;
  button->Click();  // and may keep the action from running

  button->OnClick = MakeEvent(&r, &TRecorder::Click);  // a handler of its own goes first
  button->Click();
  EXPECT_EQ(r.log, (std::vector<std::string>{"execute from SaveButton", "list", "execute from SaveButton", "list",
                                             "own click"}));
  delete save;  // the control lets go of a destroyed action
  EXPECT_EQ(button->Action(), nullptr);
}

TEST_F(Actions, AutoCheckGroupsAndShortCuts) {
  TActionList list(nullptr);
  TAction left(nullptr), right(nullptr);
  for (TAction* a : {&left, &right}) {
    a->SetActionList(&list);
    a->SetGroupIndex(1);
    a->SetAutoCheck(true);
  }
  TRecorder r;
  right.OnExecute = MakeEvent(&r, &TRecorder::Execute);
  right.SetShortCut(ShortCut('R', {ssCtrl}));
  left.Execute();
  EXPECT_TRUE(left.Checked());
  right.Execute();
  EXPECT_TRUE(right.Checked());
  EXPECT_FALSE(left.Checked());  // one of a group
  BYTE keys[256] = {};
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  TMessage key{WM_KEYDOWN, 'R', 0, 0};
  EXPECT_TRUE(list.IsShortCut(key));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_FALSE(right.Checked());  // toggled by the shortcut's execution
  EXPECT_EQ(r.log.size(), 2u);
}

}  // namespace
